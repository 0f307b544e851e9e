// The second layer writer: X3.txt, the layers grouped by their second description.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/section_table.h"
#include "common/text.h"
#include "platform/output_file.h"

namespace tq {

// L4.TXT in the pattern data folder: rows of a number and the one character it codes.
struct L4Row {
  Text number;
  Text character;
  long line = 0;
};
using L4Table = std::vector<L4Row>;

// Every row of L4.TXT in file order; a missing L4.TXT is an empty table.
L4Table ReadL4Table();

// Writes folder\X3.txt: consecutive rows with the same trimmed description form one group,
// which ends at the depth of its last row; one line per group with a description.
void WriteX3File(const Text& folder, const SectionTable& table, std::int16_t count);

// Writes the line of one group unless its description is blank, and then advances the line
// number. The description is split at its first "～"; up to three characters of each half are
// coded through the L4 table.
void WriteX3Line(int& lineNumber, const Text& depthText, const Text& description, const L4Table& l4,
                 OutputFile& out);

}  // namespace tq
