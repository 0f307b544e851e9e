// Section C, the standard penetration tests: X5.txt.
#pragma once

#include <cstdint>

#include "common/section_table.h"
#include "common/source_file.h"
#include "platform/boring_files.h"

namespace tq {

// Reads the header's count (its record letter already read) and C count rows of depth, blow
// count and penetration length (values 1 to 3).
void ReadSectionC(std::int16_t& count, SectionTable& table, SourceFile& file);

// Writes X5.txt, one line of 11 fields per row.
void WriteX5File(BoringFiles& files, const SectionTable& table, std::int16_t count);

}  // namespace tq
