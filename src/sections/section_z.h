// Section Z, the remarks by depth: X12.txt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/section_table.h"
#include "common/source_file.h"
#include "platform/boring_files.h"

namespace tq {

// The longest text, in code page 932 bytes, that one line of X12.txt holds.
inline constexpr std::size_t kX12PieceBytes = 255;

// Reads count rows of depth and text (values 1 and 2); the run has consumed the header line and
// set the count from it.
void ReadSectionZ(std::int16_t count, SectionTable& table, SourceFile& file);

// Writes X12.txt: each text with the depth of the row before it, cut into pieces of at
// most 255 bytes, one numbered line per piece.
void WriteX12File(BoringFiles& files, const SectionTable& table, std::int16_t count);

// The pieces a text is cut into, each of at most maxBytes code page 932 bytes and never
// splitting a character; an empty text is one empty piece.
std::vector<Text> CutIntoPieces(TextView text, std::size_t maxBytes);

}  // namespace tq
