// Indexing the rows of a soil pattern table by name.
#include "patterns/soil_table_index.h"

#include "common/source_file.h"

namespace tq {
namespace {

const Text kRowExpected = U"コード、土質名と 4 つの項目の計 6 項目";
constexpr int kRowFields = 6;

}  // namespace

SoilTableIndex::TableIndex SoilTableIndex::BuildIndex(const Text& path, std::string bytes) {
  TableIndex index;
  SourceFile table(bytes);
  TableRow row;
  try {
    while (ReadTableRow(table, path, kRowFields, kRowExpected, row)) {
      index.firstRowByName.try_emplace(row.fields[2], row);
    }
  } catch (const ConversionError& error) {
    index.fault = error;
  }
  index.bytes = std::move(bytes);
  return index;
}

std::optional<TableRow> SoilTableIndex::FindRow(const Text& path, const std::string& bytes, const Text& name) {
  auto cached = indexes_.find(path);
  if (cached == indexes_.end() || cached->second.bytes != bytes) {
    cached = indexes_.insert_or_assign(path, BuildIndex(path, bytes)).first;
  }
  const TableIndex& index = cached->second;
  if (index.fault) throw *index.fault;
  auto found = index.firstRowByName.find(name);
  if (found == index.firstRowByName.end()) return std::nullopt;
  return found->second;
}

}  // namespace tq
