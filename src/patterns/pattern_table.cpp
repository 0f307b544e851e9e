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

namespace {

Text FieldCountCause(const Text& path, long line, int fields, const Text& expected, bool tooMany) {
  return U"パターンデータのファイル「" + path + U"」の " + DecimalText(line) + U" 行目は項目が " + DecimalText(fields) +
         (tooMany ? U" 個あります" : U" 個しかありません") + U"（表が途中で終わっているか、行が壊れています）。1 行に" +
         expected + U"が必要です。";
}

bool IsBlank(const std::vector<Text>& fields) {
  return std::all_of(fields.begin(), fields.end(), [](const Text& f) { return TrimmedView(f).empty(); });
}

// Reads the fields that follow on the current line; returns how many there were.
int SkipRestOfLine(SourceFile& table) {
  int fields = 0;
  while (!table.LastFieldEndedLine() && !table.AtEnd()) {
    table.ReadField();
    ++fields;
  }
  return fields;
}

}  // namespace

bool ReadTableRow(SourceFile& table, const Text& path, int count, const Text& expected, TableRow& row) {
  for (;;) {
    // A blank line would otherwise be read as one empty field and shift every later row by it,
    // hiding the rows appended after it.
    table.SkipBlankLines();
    if (table.AtEnd()) return false;
    row.fields.assign(static_cast<std::size_t>(count) + 1, Text());
    int k = 0;
    // Each row stands on a line of its own, so a row that a line end cuts short (or one with
    // fields to spare) is reported on its own line rather than shifting every row after it.
    while (k < count && (k == 0 || !table.LastFieldEndedLine()) && !table.AtEnd()) {
      row.fields[static_cast<std::size_t>(++k)] = table.ReadField();
      if (k == 1) row.line = table.LastLine();
    }
    if (k < count && IsBlank(row.fields)) continue;
    if (k < count) throw ConversionError(FieldCountCause(path, row.line, k, expected, false));
    int extra = SkipRestOfLine(table);
    if (extra > 0) throw ConversionError(FieldCountCause(path, row.line, count + extra, expected, true));
    return true;
  }
}

}  // namespace tq
