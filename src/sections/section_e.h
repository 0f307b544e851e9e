// Section E, rows of a depth and three measured values: L209.txt.
#pragma once

#include <cstdint>

#include "common/section_table.h"
#include "common/source_file.h"
#include "platform/boring_files.h"

namespace tq {

// Reads the header (its record letter already read; an extra field on the header's line is
// dropped) and E count rows of depth and three values (values 1 to 4).
void ReadSectionE(std::int16_t& count, SectionTable& table, SourceFile& file);

// Writes L209.txt, one line of 15 fields per row.
void WriteL209File(BoringFiles& files, const SectionTable& table, std::int16_t count);

}  // namespace tq
