// Output files written whole or not at all: built in memory, then put in place by a rename.
#pragma once

#include <optional>
#include <string>

#include "common/text.h"

namespace tq {

class BoringFiles;
class FileSystem;

// One output text file in code page 932 with CR LF line ends, built in memory. Commit hands
// the bytes to the boring folder's files, which put them in place whole or not at all (see
// BoringFiles), so a failed or interrupted write never leaves a short file behind and the
// file that was there before stays intact. Failures throw ConversionError.
class OutputFile {
 public:
  // The file name in the boring folder of files, which puts it in place at Commit.
  OutputFile(BoringFiles& files, Text name) : files_(files), name_(std::move(name)) {}

  void WriteLine(TextView line);
  void WriteEmptyLine() { EndLine(); }
  // A line in pieces: Write each, then EndLine.
  void Write(TextView text) { AppendShiftJis(text, bytes_); }
  void EndLine() { bytes_ += "\r\n"; }
  void Commit();

 private:
  BoringFiles& files_;
  Text name_;
  std::string bytes_;
};

// Writes bytes to a new hidden temporary file next to the native target (asking the fault hook
// about the target) and returns its native path; nothing, with no file left, on any failure.
std::optional<std::string> WriteTemporaryFile(const FileSystem& files, const std::string& target,
                                              const std::string& bytes, bool durable);

// Writes bytes to a file through a temporary file and a rename; throws ConversionError.
// With durable set, the bytes are forced to the disk before the rename.
void ReplaceFileContents(const FileSystem& files, const Text& path, const std::string& bytes, bool durable = false);

// The message cause for an output file that could not be written.
Text CannotWriteCause(const Text& path);
// The message cause for a folder that could not be created.
Text CannotCreateFolderCause(const Text& folder);

}  // namespace tq
