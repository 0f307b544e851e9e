// The soil pattern tables indexed by name, kept per table for as long as its bytes stay the same.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "common/errors.h"
#include "common/text.h"
#include "patterns/pattern_table.h"
#include "patterns/table_cache.h"

namespace tq {

// Every soil layer of every boring asks both tables, so each table is indexed once per reading
// of it (see TableCache), rebuilt only when the table was read anew.
class SoilTableIndex {
 public:
  // The first row whose name equals the soil name. A row whose name is only part of the soil
  // name may be the longest contained one, but it never decides the code, so the search for
  // the longest contained name comes down to this. The search reads the whole table, so a
  // table cut short stops every lookup, whichever name it asks for.
  std::optional<TableRow> FindRow(const Text& path, const CachedTable& table, const Text& name);

 private:
  // A table's rows by name, the first row of each name only, as read from one reading of the
  // table, or the fault that kept the table from being read to its end.
  struct TableIndex {
    std::uint64_t version = 0;
    std::unordered_map<Text, TableRow> firstRowByName;
    std::optional<ConversionError> fault;
  };
  static TableIndex BuildIndex(const Text& path, const CachedTable& table);

  std::unordered_map<Text, TableIndex> indexes_;
};

}  // namespace tq
