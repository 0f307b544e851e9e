// The title section (records A): titl01.txt, titl02.txt and titl04.txt.
#pragma once

#include <array>
#include <cstdint>

#include "common/source_file.h"
#include "patterns/pattern_data.h"
#include "platform/boring_files.h"

namespace tq {

inline constexpr int kTitleFieldCount = 34;
using TitleFields = std::array<Text, kTitleFieldCount + 1>;  // index 0 unused

using SplitWidths = std::array<std::int16_t, 5>;  // widths 1 to 3 used
using SplitParts = std::array<Text, 4>;           // parts 1 to 3 used

// Reads up to five A records into the title fields. On return kind holds the record kind that
// followed the title section, exactly as read, or the empty text after five A records.
void ReadSectionA(TitleFields& fields, SourceFile& file, Text& headerValue, Text& kind);

// Writes titl01.txt, titl02.txt and titl04.txt, with the L2 name of title field 21.
void WriteTitleFiles(BoringFiles& files, const PatternData& patterns, const TitleFields& fields,
                     const Text& headerValue);

// Consecutive parts of the given widths (in characters); parts after the text ran out stay.
void SplitByWidths(TextView text, int count, const SplitWidths& widths, SplitParts& parts);

}  // namespace tq
