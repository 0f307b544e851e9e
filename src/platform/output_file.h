// Output files written whole or not at all: built in memory, then put in place by a rename.
#pragma once

#include <functional>
#include <string>

#include "common/text.h"

namespace tq {

// One output text file in code page 932 with CR LF line ends. Nothing reaches the disk until
// Commit: the bytes are written to a hidden temporary file in the same folder, flushed, and
// renamed over the target, so a failed or interrupted write never leaves a short file behind
// and the file that was there before stays intact. Failures throw ConversionError.
class OutputFile {
 public:
  explicit OutputFile(Text path) : path_(std::move(path)) {}

  void WriteLine(TextView line);
  void WriteEmptyLine() { bytes_ += "\r\n"; }
  void Commit();

  const Text& Path() const { return path_; }

 private:
  Text path_;
  std::string bytes_;
};

// Writes bytes to a file through a temporary file and a rename; throws ConversionError.
// With durable set, the bytes are forced to the disk before the rename.
void ReplaceFileContents(const Text& path, const std::string& bytes, bool durable = false);

// Tests make writes fail: the hook sees each native path about to be written and returns true
// to make that write fail as a full disk would.
void SetWriteFailureHookForTesting(std::function<bool(const std::string& nativePath)> hook);

// The message cause for an output file that could not be written.
Text CannotWriteCause(const Text& path);

}  // namespace tq
