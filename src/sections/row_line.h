// Section table cells read with their lines, and a writer's work on one row that names, when a
// value cannot be converted, the source line the value stood on.
#pragma once

#include <utility>

#include "common/errors.h"
#include "common/section_table.h"
#include "common/source_file.h"

namespace tq {

// Reads the next field into a cell and keeps the line it began on.
inline void ReadCell(SourceFile& file, SectionTable& table, int value, int row) {
  table.Fill(value, row, [&file](Text& texts) { file.AppendField(texts); });
  table.SetLine(value, row, file.LastLine());
}

// Reads the record letter of row i into its value 0 and drops the two fields after it.
inline void ReadRowStart(SourceFile& file, SectionTable& table, int row) {
  ReadCell(file, table, 0, row);
  file.SkipFields(2);
}

// Reads count rows whose records are each a record letter, two fields that are dropped, and
// values 1 to values of the row.
inline void ReadValueRows(SourceFile& file, SectionTable& table, int count, int values) {
  for (int i = 1; i <= count; ++i) {
    ReadRowStart(file, table, i);
    for (int value = 1; value <= values; ++value) ReadCell(file, table, value, i);
    table.SetRowEndsLine(i, file.LastFieldEndedLine());
  }
}

// Runs work(); a ConversionError it throws without a line is thrown again naming the line that
// lineOf() gives at that moment.
template <typename LineOf, typename Work>
auto AtLineOf(LineOf lineOf, Work work) -> decltype(work()) {
  try {
    return work();
  } catch (const ConversionError& error) {
    if (error.Line() != 0) throw;
    throw ConversionError(error.Cause(), lineOf());
  }
}

// Runs work(); a ConversionError it throws without a line is thrown again naming line.
template <typename Work>
auto AtLine(long line, Work work) -> decltype(work()) {
  return AtLineOf([line] { return line; }, work);
}

// The cells of one table row as a writer's work takes them. Fields flow across line ends, so the
// cells of a row may stand on different lines: each cell taken becomes the one a failure names.
// A form that converts several cells therefore takes them in the order it converts them, after
// any it shares with an earlier field.
class SectionRow {
 public:
  SectionRow(const SectionTable& table, int row) : table_(table), row_(row), line_(table.Line(1, row)) {}

  TextView operator[](int value) const {
    line_ = table_.Line(value, row_);
    return table_.At(value, row_);
  }
  int Number() const { return row_; }
  // The line of the cell taken last, or of the row's first cell before any was taken.
  long Line() const { return line_; }

 private:
  const SectionTable& table_;
  int row_;
  mutable long line_;
};

// Runs work(SectionRow) for one row; a value it cannot convert stops with the line of its cell.
template <typename Work>
auto AtRowLine(const SectionTable& table, int row, Work work) -> decltype(work(std::declval<const SectionRow&>())) {
  SectionRow cells(table, row);
  return AtLineOf([&cells] { return cells.Line(); }, [&] { return work(cells); });
}

}  // namespace tq
