// Rows of the pattern data tables.
#include "patterns/pattern_table.h"

#include <algorithm>
#include <optional>

#include "common/errors.h"
#include "platform/file_system.h"

namespace tq {

Text CannotReadTableCause(const Text& path) {
  return U"パターンデータのファイル「" + path + U"」を読み込めません。ファイルの読み取り権限を確認してください。";
}

std::string ReadPatternTableBytes(const FileSystem& fs, const Text& path) {
  if (!fs.Exists(path)) return {};
  std::optional<std::string> bytes = fs.ReadFile(path);
  if (!bytes) throw ConversionError(CannotReadTableCause(path));
  return std::move(*bytes);
}

bool ReadTableRow(SourceFile& table, const Text& path, int count, const Text& expected, TableRow& row) {
  // A blank line would otherwise be read as one empty field and shift every later row by it,
  // hiding the rows appended after it.
  table.SkipBlankLines();
  if (table.AtEnd()) return false;
  row.fields.assign(static_cast<std::size_t>(count) + 1, Text());
  for (int k = 1; k <= count; ++k) {
    if (table.AtEnd()) {
      bool blank = std::all_of(row.fields.begin(), row.fields.end(), [](const Text& f) { return Trim(f).empty(); });
      if (blank) return false;
      throw ConversionError(U"パターンデータのファイル「" + path + U"」の " + DecimalText(row.line) +
                            U" 行目で表が途中で終わっています。1 行に" + expected + U"が必要です。");
    }
    row.fields[static_cast<std::size_t>(k)] = table.ReadField();
    if (k == 1) row.line = table.LastLine();
  }
  return true;
}

}  // namespace tq
