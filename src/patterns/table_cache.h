// The pattern data tables as last read, read again only when their file changed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "common/text.h"
#include "platform/native_files.h"

namespace tq {

class FileSystem;

// The bytes of one table and which reading of it they came from: every reading that found the
// file changed gets a new version, so what is built from the bytes can be kept by version.
struct CachedTable {
  std::string bytes;
  std::uint64_t version = 0;
};

// Another converter may change a table at any moment (the soil tables under their lock), so each
// use asks the system for the file's stamp (length, times, which file) and reads the file again
// only when the stamp differs from that of the last reading, or when that stamp was too recent
// to tell a later change apart.
class TableCache {
 public:
  // The table at path; empty when there is no such file, so a missing table reads as an empty
  // one. Throws ConversionError when the file exists but cannot be read.
  const CachedTable& Read(const FileSystem& files, const Text& path);
  // Makes the next Read read the file again: for a table this converter has just written, whose
  // stamp may not yet tell the new bytes from the old.
  void Forget(const Text& path) { tables_.erase(path); }

 private:
  struct Entry {
    std::optional<native::FileStamp> stamp;
    CachedTable table;
  };
  std::unordered_map<Text, Entry> tables_;
  std::uint64_t lastVersion_ = 0;
};

}  // namespace tq
