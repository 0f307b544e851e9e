// The second layer writer: X3.txt, the layers grouped by their second description.
#pragma once

#include <cstdint>

#include "common/section_table.h"
#include "common/text.h"
#include "patterns/lookup_tables.h"
#include "patterns/pattern_data.h"
#include "platform/boring_files.h"
#include "platform/output_file.h"

namespace tq {

// Writes X3.txt: consecutive rows with the same trimmed description form
// one group, which ends at the depth of its last row; one line per group with a description.
void WriteX3File(BoringFiles& files, const PatternData& patterns, const SectionTable& table, std::int16_t count);

// Writes the line of one group unless its description is blank, and then advances the line
// number. The description is split at its first "～"; up to three characters of each half are
// coded through the L4 table.
void WriteX3Line(int& lineNumber, const Text& depthText, TextView description, const L4Table& l4,
                 OutputFile& out);

}  // namespace tq
