// The files of one boring folder: every output a writer makes and every file it reads back.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/text.h"
#include "platform/file_system.h"
#include "platform/output_file.h"

namespace tq {

// The writers of one source file create and read back the boring folder's files only through
// this, so that where and when they reach the disk is decided in one place.
//
// Each output is either put in place at its own commit (kEachFile), or, for a whole source
// file, kept in memory until CommitAll puts all of them in place together (kWholeBoring): a
// source file that stops half-way then leaves its boring folder exactly as it was. Reading a
// file back sees the outputs kept so far before the disk.
class BoringFiles {
 public:
  // kLookOnly keeps the outputs like kWholeBoring but never puts them in place, and reads
  // nothing from the disk: the check command's conversion, which leaves no trace.
  enum class Mode { kEachFile, kWholeBoring, kLookOnly };

  // folder: the boring folder in drive form, without a trailing backslash.
  BoringFiles(const FileSystem& files, Text folder, Mode mode = Mode::kEachFile)
      : files_(files), folder_(std::move(folder)), mode_(mode) {}

  const Text& Folder() const { return folder_; }
  const FileSystem& Files() const { return files_; }
  Text PathOf(const Text& name) const;

  // A new output file of the boring folder; it replaces the file of that name when committed.
  OutputFile Create(const Text& name) { return OutputFile(*this, name); }
  // The bytes of a finished output. Throws ConversionError when they cannot be put in place.
  void Commit(const Text& name, std::string bytes);
  // Puts every kept output in place together (see CommitBoringFolder); throws ConversionError,
  // leaving the folder as it was, when they cannot all be. Does nothing in kLookOnly.
  void CommitAll();

  bool IsPlainFile(const Text& name) const;
  // The names of the outputs kept so far, in the order first committed.
  std::vector<Text> KeptNames() const;
  // The bytes of the outputs kept so far.
  std::size_t KeptBytes() const;
  std::optional<std::string> Read(const Text& name) const;

 private:
  const std::string* Kept(const Text& name) const;

  const FileSystem& files_;
  Text folder_;
  Mode mode_;
  std::vector<std::pair<Text, std::string>> kept_;  // in the order first committed
};

// Puts the outputs (name, bytes) into the boring folder together, creating the folder when it
// is missing. A folder that did not exist is filled under a temporary name and renamed into
// place whole. In one that did, every new file is first written under a temporary name, then
// each is put in place keeping the file it replaces under a temporary name until all are in
// place. Any failure puts back what was there and throws ConversionError. A boring folder that
// is a symbolic link is refused.
void CommitBoringFolder(const FileSystem& files, const Text& folder,
                        const std::vector<std::pair<Text, std::string>>& outputs);

// Throws ConversionError naming the folder when it is a symbolic link, which would take the
// outputs outside the destination folder; otherwise says whether anything of that name exists.
bool RefuseLinkedBoringFolder(const FileSystem& files, const Text& folder);

}  // namespace tq
