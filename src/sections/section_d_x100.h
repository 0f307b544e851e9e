// Section D, the laboratory tests, and its first file X100.txt with each sample's soil layer.
#pragma once

#include <cstdint>

#include "common/section_table.h"
#include "platform/boring_files.h"
#include "common/source_file.h"

namespace tq {

// Values per row of section D.
inline constexpr int kSectionDValues = 23;

// Reads the header's count (its record letter already read) and D count rows of 23 values.
void ReadSectionD(std::int16_t& count, SectionTable& table, SourceFile& file);

// Sets count to the number of whole records of fieldsPerRecord fields in the boring folder's file
// of that name; a missing file leaves count as it was.
void CountFileRecords(const BoringFiles& files, const Text& name, std::int16_t& count, std::int16_t fieldsPerRecord);

// Writes X100.txt, one line of 43 fields per row, with the pattern code and soil name of
// the layer in the boring folder's X1.txt that holds the sample's upper depth.
void WriteX100File(BoringFiles& files, const SectionTable& table, std::int16_t count);

// The strength condition code of value 16: "ＵＵ", "ＣＵ", "ＵＣ", "ＣＤ" for 1 to 4, else empty.
Text StrengthConditionCode(const Text& field);

// Field 32: value 18, and the first decimals of value 19 / 60 after a point.
Text CombinedField32(const Text& value18, const Text& value19);

}  // namespace tq
