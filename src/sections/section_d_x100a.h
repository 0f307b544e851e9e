// Section D's second file X100A.txt, and the exponent number text it shares with section F.
#pragma once

#include <cstdint>

#include "common/section_table.h"
#include "platform/boring_files.h"
#include "sections/row_line.h"

namespace tq {

// Writes X100A.txt, one line of 7 fields per row of section D.
void WriteX100AFile(BoringFiles& files, const SectionTable& table, std::int16_t count);

// The X100A.txt line of one row of section D.
Text X100ALine(const SectionRow& row);

// A number that may be written with an exponent letter "E", "e", "Ｅ" or "ｅ" (tried in that
// order): mantissa times ten to the exponent, in single precision, as number text. Empty for an
// empty field; throws ConversionError when the number lies outside the single-precision range.
Text ExponentNumberText(TextView field);

// Where ExponentNumberText splits a trimmed field into mantissa and exponent; npos when it does not.
std::size_t ExponentLetterPosition(TextView t);

}  // namespace tq
