// One converter: the file system it works through, its pattern data and its finished flag.
#pragma once

#include <cstdint>

#include "patterns/pattern_data.h"
#include "platform/file_system.h"

namespace tq {

// What lasts from one Execute command to the next. The window keeps one for its lifetime; the
// command line and each test make their own, so two converters in one process share nothing.
class Converter {
 public:
  // The pattern-added marker goes to the program's folder as the file system names it.
  explicit Converter(FileSystem files) : files_(std::move(files)), patterns_(files_, ProgramFolder(files_)) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  FileSystem& Files() { return files_; }
  const FileSystem& Files() const { return files_; }
  PatternData& Patterns() { return patterns_; }

  // 1 after a complete run until the pointer next moves over the window background.
  std::int16_t& FinishedFlag() { return finished_; }

 private:
  FileSystem files_;
  PatternData patterns_;
  std::int16_t finished_ = 0;
};

}  // namespace tq
