// Sections G and H, two lists of intervals merged by start depth into L201.txt.
#pragma once

#include <cstdint>

#include "common/section_table.h"
#include "common/source_file.h"
#include "platform/boring_files.h"

namespace tq {

// Read the header (its record letter already read; an extra field on the header's line is
// dropped) and count interval rows (start, end, value as values 1 to 3).
void ReadSectionG(std::int16_t& count, SectionTable& table, SourceFile& file);
void ReadSectionH(std::int16_t& count, SectionTable& table, SourceFile& file);

// Converts every row of a G or H table as WriteL201File will, so that a value it could not
// write stops the source file at its line while the section is read.
void CheckL201Rows(const SectionTable& table, std::int16_t count);

// Writes L201.txt: the G and H rows in order of start depth, a G row and an H row with
// the same single-precision start depth joined into one line, the G value in field 6 and the
// H value in field 10.
void WriteL201File(BoringFiles& files, const SectionTable& gTable, std::int16_t gCount, const SectionTable& hTable,
                   std::int16_t hCount);

}  // namespace tq
