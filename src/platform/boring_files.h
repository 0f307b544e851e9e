// The files of one boring folder: every output a writer makes and every file it reads back.
#pragma once

#include <optional>
#include <string>

#include "common/text.h"
#include "platform/file_system.h"
#include "platform/output_file.h"

namespace tq {

// The writers of one source file create and read back the boring folder's files only through
// this, so that where and when they reach the disk is decided in one place. Each output is put
// in place, whole or not at all, when it is committed.
class BoringFiles {
 public:
  // folder: the boring folder in drive form, without a trailing backslash.
  BoringFiles(const FileSystem& files, Text folder) : files_(files), folder_(std::move(folder)) {}

  const Text& Folder() const { return folder_; }
  const FileSystem& Files() const { return files_; }
  Text PathOf(const Text& name) const;

  // A new output file of the boring folder; it replaces the file of that name when committed.
  OutputFile Create(const Text& name) { return OutputFile(*this, name); }
  // Puts the bytes of a finished output in place. Throws ConversionError when they cannot be.
  void Commit(const Text& name, const std::string& bytes);

  bool IsPlainFile(const Text& name) const { return files_.IsPlainFile(PathOf(name)); }
  std::optional<std::string> Read(const Text& name) const { return files_.ReadFile(PathOf(name)); }

 private:
  const FileSystem& files_;
  Text folder_;
};

}  // namespace tq
