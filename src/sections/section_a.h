// The title section (records A): titl01.txt, titl02.txt and titl04.txt.
#pragma once

#include <array>
#include <cstdint>

#include "common/source_file.h"
#include "run/run_data.h"

namespace tq {

using SplitWidths = std::array<std::int16_t, 5>;  // widths 1 to 3 used
using SplitParts = std::array<Text, 4>;           // parts 1 to 3 used

// Reads up to five A records into the title fields. On return kind holds the record kind that
// followed the title section, exactly as read, or the empty text after five A records.
void ReadSectionA(TitleFields& fields, SourceFile& file, Text& headerValue, Text& kind);

// Writes folder\titl01.txt, folder\titl02.txt and folder\titl04.txt.
void WriteTitleFiles(const Text& folder, const TitleFields& fields, const Text& headerValue);

// Consecutive parts of the given widths (in characters); parts after the text ran out stay.
void SplitByWidths(TextView text, int count, const SplitWidths& widths, SplitParts& parts);

// The name of a code in PatternFolder's L2.txt, trimmed; empty when the code is not there.
Text LookupL2Name(std::int16_t code);

}  // namespace tq
