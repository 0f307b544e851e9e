// The small lookup tables of the pattern data folder: L2.txt for the title, L4.TXT for X3.txt.
#pragma once

#include <cstdint>
#include <vector>

#include "common/text.h"
#include "patterns/pattern_data.h"

namespace tq {

// The name of a code in PatternFolder's L2.txt, trimmed; empty when the code is not there.
Text LookupL2Name(const PatternData& patterns, std::int16_t code);

// A row of L4.TXT: a number and the one character it codes.
struct L4Row {
  Text number;
  Text character;
  long line = 0;
};

// Every row of L4.TXT in file order, and the path it was read from for messages about a row.
struct L4Table {
  Text path;
  std::vector<L4Row> rows;
};

// A missing L4.TXT is an empty table. Throws ConversionError for a table cut short in a row.
L4Table ReadL4Table(const PatternData& patterns);

// The number of a row as a 16-bit code; throws ConversionError naming the row's line when it
// does not fit.
std::int16_t L4Code(const L4Table& table, const L4Row& row);

}  // namespace tq
