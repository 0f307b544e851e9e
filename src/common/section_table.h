// A section table: texts indexed by value (column) and row, both from 1.
#pragma once

#include <stdexcept>
#include <vector>

#include "common/text.h"

namespace tq {

// Created anew by each reader call with all texts empty. Index 0 of either dimension exists
// but is not used; an index beyond the table is a programming error. Each cell also keeps the
// source line its text was read from (0 when none), so that a writer that cannot convert the
// text can say where it stood. Value 0 of a row holds the record letter its record began with,
// and each row keeps whether its last value ended the line, so that a record that does not fill
// its line exactly can be reported.
class SectionTable {
 public:
  SectionTable() = default;
  SectionTable(int values, int rows)
      : values_(values),
        rows_(rows < 0 ? 0 : rows),
        cells_(static_cast<std::size_t>(values + 1) * static_cast<std::size_t>(rows_ + 1)),
        lines_(cells_.size(), 0),
        rowEndsLine_(static_cast<std::size_t>(rows_ + 1), true) {}

  // A view of the cell's text; it stays valid until the table is filled further.
  TextView At(int value, int row) const {
    const Cell& cell = cells_[Index(value, row)];
    return TextView(texts_).substr(cell.start, cell.length);
  }
  void Set(int value, int row, TextView text) {
    Fill(value, row, [text](Text& texts) { texts += text; });
  }
  // Makes the cell's text what append(texts) appends to the end of texts: a reader decodes a
  // field straight into the table, so that the cells of a table share one block of memory.
  template <typename Append>
  void Fill(int value, int row, Append append) {
    Cell& cell = cells_[Index(value, row)];
    std::size_t start = texts_.size();
    append(texts_);
    cell = {start, texts_.size() - start};
  }

  void SetLine(int value, int row, long line) { lines_[Index(value, row)] = line; }
  long Line(int value, int row) const { return lines_[Index(value, row)]; }

  void SetRowEndsLine(int row, bool ended) { rowEndsLine_.at(static_cast<std::size_t>(row)) = ended; }
  bool RowEndsLine(int row) const { return rowEndsLine_.at(static_cast<std::size_t>(row)); }

  int Values() const { return values_; }
  int Rows() const { return rows_; }

 private:
  struct Cell {
    std::size_t start = 0;
    std::size_t length = 0;
  };

  std::size_t Index(int value, int row) const {
    if (value < 0 || value > values_ || row < 0 || row > rows_) throw std::out_of_range("section table index");
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(values_ + 1) + static_cast<std::size_t>(value);
  }

  int values_ = 0;
  int rows_ = 0;
  Text texts_;  // the texts of all cells, one after another
  std::vector<Cell> cells_ = std::vector<Cell>(1);
  std::vector<long> lines_ = std::vector<long>(1, 0);
  std::vector<bool> rowEndsLine_ = std::vector<bool>(1, true);
};

}  // namespace tq
