// The data of one Execute command that the section readers fill and the writers read.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <set>

#include "common/section_table.h"
#include "common/text.h"
#include "sections/section_a.h"

namespace tq {

struct RunData {
  Text kind;  // the current record kind

  // What the findings of later files depend on: the identifier of each file converted (with
  // its file name) and the soil names already reported as learned.
  std::map<Text, Text> identifiersSeen;
  std::set<Text> soilNamesNoted;

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
