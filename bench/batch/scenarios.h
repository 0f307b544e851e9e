// The runs the batch benchmark times: a batch against its floor, and a crowded destination.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>

#include "batch/process.h"

namespace bench {

struct Tools {
  std::filesystem::path converter;  // the tecris2quillo command line
  std::filesystem::path floor;      // bench_floor
  std::filesystem::path examples;   // the example pattern data folder
  std::chrono::seconds deadline{900};
  int repeats = 3;                  // runs of each floor and of each crowded comparison; the best counts
};

struct FloorRun {
  ChildRun process;
  double writeSeconds = 0;  // the floor's own clock: the writing alone, its reading of the reference left out
  double writeCpuSeconds = 0;
};

struct BatchResult {
  int borings = 0;
  std::uintmax_t sourceBytes = 0;
  std::uintmax_t outputFiles = 0;
  std::uintmax_t outputBytes = 0;
  ChildRun convert;
  FloorRun plainFloor;   // mkdir, open, one write, close: the best of tools.repeats runs
  FloorRun renameFloor;  // the same through a temporary name and a rename
  ChildRun list;
};

// Converts `borings` generated borings into a new destination, then writes the same tree with
// both floors and lists the source folder; checks each step and throws std::runtime_error.
// Everything written stays in scratch: ext4 creates files slowly for a while after many have
// been deleted, which would count against every run after a deletion.
BatchResult RunBatch(const Tools& tools, const std::filesystem::path& scratch, int borings);

struct CrowdedResult {
  int borings = 0;
  int folders = 0;
  int repeats = 0;
  ChildRun empty;    // the fastest of the repeats
  ChildRun crowded;  // the fastest of the repeats
};

// Converts the same `borings` borings into an empty destination and into one already holding
// `folders` boring folders, alternately, tools.repeats times each.
CrowdedResult RunCrowded(const Tools& tools, const std::filesystem::path& scratch, int borings, int folders);

}  // namespace bench
