// The data of one Execute command that the section readers fill and the writers read.
#pragma once

#include <array>
#include <cstdint>

#include "common/section_table.h"
#include "common/text.h"

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

 private:
  std::array<Text, kTitleFieldCount + 1> texts_;
  std::array<long, kTitleFieldCount + 1> lines_{};
};

struct RunData {
  Text kind;  // the current record kind

  TitleFields titleFields;
  Text titleHeader;

  std::int16_t layerCount = 0;
  SectionTable layers;

  std::int16_t cCount = 0;
  SectionTable cTable;

  std::int16_t dCount = 0;
  SectionTable dTable;
  bool dReadFromThisFile = false;  // its files wait until the layers of the same file are written

  std::int16_t eCount = 0;
  SectionTable eTable;

  std::int16_t fCount = 0;
  SectionTable fTable;
  std::int16_t fColumnFlag = 0;

  std::int16_t gCount = 0;
  SectionTable gTable;

  std::int16_t hCount = 0;
  SectionTable hTable;

  std::int16_t zCount = 0;
  SectionTable zTable;
};

}  // namespace tq
