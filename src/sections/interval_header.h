// The header of sections E, F, G and H: a count, and an optional field after it on its own line.
#pragma once

#include <cstdint>
#include <optional>

#include "common/source_file.h"

namespace tq {

struct IntervalHeader {
  std::int16_t count = 0;
  // The field after the count when it stands on the header's line; nothing when the count
  // ended the line, so the rows' record letters are left for the rows.
  std::optional<Text> extra;
  long extraLine = 0;
};

// Reads a header whose record letter the run has read: two fields skipped, the count, and the
// extra field when the count was ended by a comma.
inline IntervalHeader ReadIntervalHeader(SourceFile& file) {
  IntervalHeader header;
  file.SkipFields(2);
  header.count = ReadSectionCount(file);
  if (file.LastFieldEndedLine()) return header;
  header.extra = file.ReadField();
  header.extraLine = file.LastLine();
  return header;
}

}  // namespace tq
