// The title section (records A): titl01.txt, titl02.txt and titl04.txt.
#pragma once

#include <array>
#include <cstdint>

#include "common/findings.h"
#include "common/source_file.h"
#include "patterns/pattern_data.h"
#include "platform/boring_files.h"

namespace tq {

inline constexpr int kTitleFieldCount = 34;
// The title fields 1 to 34 (index 0 unused), each with the source line it was read from.
class TitleFields {
 public:
  Text& operator[](std::size_t i) { return texts_.at(i); }
  const Text& operator[](std::size_t i) const { return texts_.at(i); }

  // 0 for a field that no A record of this file reached.
  long Line(std::size_t i) const { return lines_.at(i); }
  void SetLine(std::size_t i, long line) { lines_.at(i) = line; }

  // A field of the source that is split into the title fields from first on (the compound code
  // into 7 to 9, the angles into 10 to 12 and 13 to 15), as read, with its line.
  struct SplitSource {
    Text text;
    long line = 0;
  };
  void SetSplitSource(std::size_t first, SplitSource source) { splitSources_.at(first) = std::move(source); }
  const SplitSource& SplitSourceOf(std::size_t first) const { return splitSources_.at(first); }

 private:
  std::array<Text, kTitleFieldCount + 1> texts_;
  std::array<long, kTitleFieldCount + 1> lines_{};
  std::array<SplitSource, kTitleFieldCount + 1> splitSources_;
};

using SplitWidths = std::array<std::int16_t, 5>;  // widths 1 to 3 used
using SplitParts = std::array<Text, 4>;           // parts 1 to 3 used

// Reads up to five A records into the title fields. On return kind holds the record kind that
// followed the title section, exactly as read, or the empty text after five A records.
void ReadSectionA(TitleFields& fields, SourceFile& file, Text& headerValue, Text& kind);

// Writes titl01.txt, titl02.txt and titl04.txt, with the L2 name of title field 21.
void WriteTitleFiles(BoringFiles& files, const PatternData& patterns, const TitleFields& fields,
                     const Text& headerValue);

// Notes the title fields that the title files do not take as their author meant: a number field
// that is no number, a value wider than its place, a title record spread over lines.
void NoteTitleFindings(FindingList& findings, const TitleFields& fields);

// Consecutive parts of the given widths (in characters); parts after the text ran out stay.
void SplitByWidths(TextView text, int count, const SplitWidths& widths, SplitParts& parts);

}  // namespace tq
