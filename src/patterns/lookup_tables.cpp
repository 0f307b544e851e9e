// Reading L2.txt and L4.TXT from the pattern data folder.
#include "patterns/lookup_tables.h"

#include <optional>
#include <string>

#include "common/errors.h"
#include "common/source_file.h"
#include "common/values.h"
#include "patterns/pattern_table.h"

namespace tq {

Text LookupL2Name(const PatternData& patterns, std::int16_t code) {
  const FileSystem& fs = patterns.Files();
  Text path = patterns.PathOf(U"L2.txt");
  const CachedTable* bytes = nullptr;
  try {
    // A missing L2.txt reads as an empty table.
    bytes = &patterns.Tables().Read(fs, path);
  } catch (const ConversionError&) {
    return {};  // an unreadable L2.txt, or a folder of that name, names no code
  }
  SourceFile table(bytes->bytes);
  try {
    while (!table.AtEnd()) {
      std::optional<std::int16_t> entry = RoundToInt16(ValueOf(table.ReadField()));
      Text name = table.ReadField();
      if (entry && *entry == code) return Trim(name);
    }
  } catch (const ConversionError&) {
    // A last line without a name, or a code that is no number, ends the table.
  }
  return {};
}

L4Table ReadL4Table(const PatternData& patterns) {
  L4Table l4{patterns.PathOf(U"L4.TXT"), {}};
  SourceFile file(patterns.Tables().Read(patterns.Files(), l4.path).bytes);
  TableRow row;
  while (ReadTableRow(file, l4.path, 2, U"番号と文字の 2 項目", row)) {
    l4.rows.push_back({row.fields[1], row.fields[2], row.line});
  }
  return l4;
}

std::int16_t L4Code(const L4Table& table, const L4Row& row) {
  std::optional<std::int16_t> code;
  try {
    code = RoundToInt16(ValueOf(row.number));
  } catch (const ConversionError&) {
    // A number too large even for a double is as far out of range as one beyond 16 bits.
  }
  if (code) return *code;
  throw ConversionError(U"パターンデータのファイル「" + table.path + U"」の " + DecimalText(row.line) +
                        U" 行目の番号「" + row.number +
                        U"」が大きすぎます。-32768 から 32767 までの数でなければなりません。");
}

}  // namespace tq
