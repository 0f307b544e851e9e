// The pattern data of one converter: where the tables are, how they are read, what a lookup reports.
#pragma once

#include <chrono>
#include <functional>
#include <utility>

#include "common/text.h"
#include "patterns/soil_table_index.h"
#include "patterns/table_cache.h"
#include "platform/file_system.h"

namespace tq {

// Failures that do not stop a conversion but that the user must hear of.
using WarningSink = std::function<void(const Text& warning)>;
// That a lookup waits for another converter (a text saying who and how long), or, with an
// empty text, that the wait is over.
using WaitSink = std::function<void(const Text& notice)>;

// Everything the lookups in the pattern data folder need, held by the converter that uses them,
// so that two converters in one process share nothing.
class PatternData {
 public:
  // programFolder: the folder of the running program, where the pattern-added marker goes.
  PatternData(const FileSystem& files, Text programFolder) : files_(files), programFolder_(std::move(programFolder)) {}

  const FileSystem& Files() const { return files_; }

  // PatternFolder: the pattern data folder with its trailing backslash, set at start-up.
  const Text& Folder() const { return folder_; }
  void SetFolder(Text folder) { folder_ = std::move(folder); }
  // A table of the pattern data folder: the folder text followed by the bare name.
  Text PathOf(const Text& name) const { return folder_ + name; }

  const Text& ProgramFolder() const { return programFolder_; }
  void SetProgramFolder(Text folder) { programFolder_ = std::move(folder); }

  // How long a lookup waits for another converter's lock on the soil pattern tables.
  std::chrono::milliseconds LockWait() const { return lockWait_; }
  void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }

  SoilTableIndex& SoilIndex() { return soilIndex_; }

  // Temporaries of killed converters are looked for at the first lock of a run, not at every
  // lock: StartRun makes the next lock look, and NeedsStaleCleanup says (once) that it must.
  void StartRun() { staleCleanupDone_ = false; }
  bool NeedsStaleCleanup() { return !std::exchange(staleCleanupDone_, true); }
  // The tables of the pattern data folder as last read (see TableCache).
  TableCache& Tables() const { return tables_; }
  // A converter that only looks (the check command) reads the soil pattern tables but never
  // writes them, nor their lock file, nor the pattern-added marker.
  bool LooksOnly() const { return looksOnly_; }
  void SetLooksOnly(bool looksOnly) { looksOnly_ = looksOnly; }

  // Warnings go to the sink of the command that runs; without one they are dropped.
  void Warn(const Text& warning) const {
    if (warnings_) warnings_(warning);
  }
  // Installs a sink and returns the one it replaces.
  WarningSink SetWarningSink(WarningSink sink) {
    std::swap(sink, warnings_);
    return sink;
  }
  void NoteWait(const Text& notice) const {
    if (waits_) waits_(notice);
  }
  WaitSink SetWaitSink(WaitSink sink) {
    std::swap(sink, waits_);
    return sink;
  }
  // Called before a lookup changes the soil pattern tables: a run whose earlier boring is still
  // going into place waits for it there (and stops when it failed), so that a boring teaches
  // the tables only after every boring before it is converted.
  void BeforeTablesChange() const {
    if (beforeChange_) beforeChange_();
  }
  std::function<void()> SetBeforeTablesChange(std::function<void()> hook) {
    std::swap(hook, beforeChange_);
    return hook;
  }

 private:
  const FileSystem& files_;
  Text folder_;
  Text programFolder_;
  std::chrono::milliseconds lockWait_{30000};
  SoilTableIndex soilIndex_;
  bool staleCleanupDone_ = false;
  // Reading a table changes nothing the converter's user sees, so const lookups may read them.
  mutable TableCache tables_;
  bool looksOnly_ = false;
  WarningSink warnings_;
  WaitSink waits_;
  std::function<void()> beforeChange_;
};

}  // namespace tq
