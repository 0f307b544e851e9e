// Indexing the rows of a soil pattern table by name.
#include "patterns/soil_table_index.h"

#include "common/source_file.h"

namespace tq {
namespace {

const Text kRowExpected = U"コード、土質名と 4 つの項目の計 6 項目";
constexpr int kRowFields = 6;

}  // namespace

SoilTableIndex::TableIndex SoilTableIndex::BuildIndex(const Text& path, const CachedTable& table) {
  TableIndex index;
  index.version = table.version;
  SourceFile rows(table.bytes);
  TableRow row;
  try {
    while (ReadTableRow(rows, path, kRowFields, kRowExpected, row)) {
      index.firstRowByName.try_emplace(row.fields[2], row);
    }
  } catch (const ConversionError& error) {
    index.fault = error;
  }
  return index;
}

std::optional<TableRow> SoilTableIndex::FindRow(const Text& path, const CachedTable& table, const Text& name) {
  auto cached = indexes_.find(path);
  if (cached == indexes_.end() || cached->second.version != table.version) {
    cached = indexes_.insert_or_assign(path, BuildIndex(path, table)).first;
  }
  const TableIndex& index = cached->second;
  if (index.fault) throw *index.fault;
  auto found = index.firstRowByName.find(name);
  if (found == index.firstRowByName.end()) return std::nullopt;
  return found->second;
}

}  // namespace tq
