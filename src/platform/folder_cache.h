// What one run learns of the native folders it walks through, so that it asks the system once.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "common/own_mutex.h"
#include "common/text.h"

namespace tq {

// Held by a FileSystem and filled only while a run is in progress (see ScopedFolderCache), so
// that changes made by others between runs are always seen. Within a run an entry is found once,
// a name without letters (a boring identifier) is never asked for, and a folder is listed at most
// once, when a name is missing from it as written; the run's own creations are added to that
// listing. Others that create or rename entries while the run goes on may go unseen until the
// next run.
//
// A run may put one boring in place on another thread while it converts the next, so every use
// holds the cache's mutex.
class FolderCache {
 public:
  bool Active() const;
  void Begin();
  void End();

  // The native path of a name in a folder: as written when it exists so, otherwise the entry
  // that differs from it only in case (the first one the folder listed), otherwise as written.
  // An entry once found is not asked for again. settled: whether the answer can change no more
  // in this run (the entry was found, or the name has no letter that case could change).
  std::string Resolve(const std::string& folder, const Text& name, bool& settled);
  // An entry the run has created, so that a folder listed before knows it.
  void NoteCreated(const std::string& nativePath);
  // The native path of a whole drive path whose every name had settled earlier in the run.
  std::optional<std::string> KnownPath(const Text& drivePath) const;
  void NoteKnownPath(const Text& drivePath, const std::string& nativePath);

 private:
  using FoldedNames = std::unordered_map<Text, std::string>;  // name in upper case -> first entry
  std::string Find(const std::string& folder, const Text& name, const std::string& exact, bool& exists);
  const FoldedNames& Listing(const std::string& folder);

  OwnMutex mutex_;
  int depth_ = 0;
  std::unordered_map<std::string, std::string> found_;  // path as written -> entry found
  std::unordered_map<std::string, FoldedNames> listings_;
  std::unordered_map<Text, std::string> knownPaths_;  // drive path -> native path
};

}  // namespace tq
