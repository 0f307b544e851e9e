// Section F, intervals of a start depth, an end depth and one value: L204.txt.
#pragma once

#include <cstdint>

#include "common/section_table.h"
#include "common/source_file.h"
#include "platform/boring_files.h"

namespace tq {

// Reads the header (its record letter already read) with its optional column code on the
// header's line, and F count interval rows (start, end, value as values 1 to 3). A column code
// of exactly 8 sets the column flag to 1, anything else to 0.
void ReadSectionF(std::int16_t& count, SectionTable& table, SourceFile& file, std::int16_t& columnFlag);

// Writes L204.txt, one line of 15 fields per row; the column flag puts the value in
// field 4 instead of field 6.
void WriteL204File(BoringFiles& files, const SectionTable& table, std::int16_t count, std::int16_t columnFlag);

}  // namespace tq
