// The layer sections (records B and X): the layer table and X1.txt.
#pragma once

#include <cstdint>
#include <vector>

#include "common/section_table.h"
#include "common/source_file.h"
#include "patterns/pattern_data.h"
#include "platform/boring_files.h"

namespace tq {

// Values of a layer table row; an X row leaves values 2 and 4 empty.
inline constexpr int kLayerValues = 5;
inline constexpr int kLayerDepth = 1;        // the depth at which the layer ends
inline constexpr int kLayerSoilName = 3;
inline constexpr int kLayerDescription = 5;  // the second description, for X3.txt

// Reads the header's count (its record letter already read) and count rows of five values
// into the layer table (values 1 to 5). Nothing is written from section B: the X section
// replaces what it read.
void ReadSectionB(std::int16_t& count, SectionTable& table, SourceFile& file);

// Reads count X rows (the whole header already read by the run): depth, soil name and second
// description into values 1, 3 and 5 of the layer table. A soil name that the soil pattern
// tables cannot hold (CheckSoilName) stops the reading at its line. A soil name that the soil pattern
// tables cannot hold (CheckSoilName) stops the reading at its line.
void ReadSectionX(std::int16_t count, SectionTable& table, SourceFile& file);

// A run of consecutive rows whose value, trimmed, is the same: the value as read in its first
// row and the depth text of its last row. Group 0 takes the rows with an empty value before the
// first non-empty one; the writers never write it. Every row's depth is converted, whichever
// group it ends, so that a depth no line could hold stops the file at its line.
struct LayerGroup {
  Text depthText;
  TextView value;  // views the table's text, which a value of many megabytes may be
};
std::vector<LayerGroup> GroupConsecutiveRows(const SectionTable& table, std::int16_t count, int value);

// Writes X1.txt: consecutive rows with the same trimmed soil name form one layer, which
// ends at the depth of its last row and carries the pattern code of its name.
void WriteX1File(BoringFiles& files, PatternData& patterns, const SectionTable& table, std::int16_t count);

}  // namespace tq
