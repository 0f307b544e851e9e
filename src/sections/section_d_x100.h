// Section D, the laboratory tests, and its first file X100.txt with each sample's soil layer.
#pragma once

#include <cstdint>

#include "common/section_table.h"
#include "common/source_file.h"
#include "platform/boring_files.h"

namespace tq {

// Values per row of section D, and those the writers give a meaning of their own; the others
// are written as value cells where the field tables of X100.txt and X100A.txt put them.
inline constexpr int kSectionDValues = 23;
inline constexpr int kDUpperDepth = 2;           // also picks the sample's layer
inline constexpr int kDLowerDepth = 3;
inline constexpr int kDStrengthCondition = 16;   // a code 1 to 4
inline constexpr int kDWholeOfField32 = 18;      // written before the decimals of value 19 / 60
inline constexpr int kDSixtiethsOfField32 = 19;
// The values copied as they stand, named by their place in a D row as the field tables name them.
enum DValue : int {
  kDValue1 = 1, kDValue4 = 4, kDValue5, kDValue6, kDValue7, kDValue8, kDValue9, kDValue10, kDValue11, kDValue12,
  kDValue13, kDValue14, kDValue15, kDValue17 = 17, kDValue20 = 20, kDValue21, kDValue22, kDValue23,
};

// Reads the header's count (its record letter already read) and D count rows of 23 values.
void ReadSectionD(std::int16_t& count, SectionTable& table, SourceFile& file);

// Sets count to the number of whole records of fieldsPerRecord fields in the boring folder's file
// of that name; a missing file leaves count as it was.
void CountFileRecords(const BoringFiles& files, const Text& name, std::int16_t& count, std::int16_t fieldsPerRecord);

// Converts every row as WriteX100File and WriteX100AFile will, so that a value neither could
// write stops the source file at its line while section D is read, before the files of the
// sections after it are written.
void CheckSectionDRows(const SectionTable& table, std::int16_t count);

// Writes X100.txt, one line of 43 fields per row, with the pattern code and soil name of the
// layer in the boring folder's X1.txt that holds the sample's upper depth.
void WriteX100File(BoringFiles& files, const SectionTable& table, std::int16_t count);

// The strength condition code of value 16: "ＵＵ", "ＣＵ", "ＵＣ", "ＣＤ" for 1 to 4, else empty.
Text StrengthConditionCode(TextView field);

// Field 32: value 18, and the first decimals of value 19 / 60 after a point.
Text CombinedField32(TextView value18, TextView value19);

}  // namespace tq
