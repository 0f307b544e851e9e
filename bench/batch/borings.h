// Generated borings for the batch benchmark: realistic TECRIS files and a pattern data folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace bench {

// The file name of the index-th boring (from 0): eight digits, a dot and three digits, distinct
// for the first 999 * 1000 indexes.
std::string BoringFileName(int index);

// The code page 932 bytes of the index-th boring: every section from A to H, then X and Z, with
// depths, row counts and soil names drawn from a generator seeded by the index alone, so a
// boring is the same whatever the size of the batch it belongs to.
std::string BoringBytes(int index);

// Writes borings 0 to count - 1 into folder (created); returns the bytes written.
std::uintmax_t WriteBorings(const std::filesystem::path& folder, int count);

// Copies the example pattern data folder into folder and adds rows for all but a few of the
// soil names the borings use, as an installation that has converted for a while would hold;
// the remaining names are learned by the first borings of each run.
void WritePatternFolder(const std::filesystem::path& examples, const std::filesystem::path& folder);

// How many of the borings' soil names WritePatternFolder leaves out of the tables.
int UnlearnedSoilNames();

}  // namespace bench
