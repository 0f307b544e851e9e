// Reading the lookup tables of the pattern data folder, row by row.
#pragma once

#include <string>
#include <vector>

#include "common/source_file.h"
#include "common/text.h"

namespace tq {

class FileSystem;

// The bytes of a table file; empty when there is no such file, so a missing table reads as an
// empty one. Throws ConversionError when the file exists but cannot be read.
std::string ReadPatternTableBytes(const FileSystem& files, const Text& path);

// The cause for a table that exists but cannot be read.
Text CannotReadTableCause(const Text& path);

struct TableRow {
  std::vector<Text> fields;  // fields 1 to the row's field count; index 0 unused
  long line = 0;             // the line on which the row begins
};

// Reads the next row of `count` fields, one row to a line, with the field reading of source
// files. Returns false at the end of the table; blank lines (and lines of blank fields) are no
// row. A line of fewer or more fields throws ConversionError naming the table, the line and how
// many fields it has; `expected` says what a row holds.
bool ReadTableRow(SourceFile& table, const Text& path, int count, const Text& expected, TableRow& row);

}  // namespace tq
