// Putting a boring's outputs in place together: the whole new folder at once, or every file of
// an existing folder with the ones it replaces kept until all are in place.
#include <string>
#include <utility>
#include <vector>

#include "common/errors.h"
#include "platform/boring_files.h"
#include "platform/native_files.h"
#include "platform/output_file.h"
#include "platform/paths.h"
#include "platform/temporary_names.h"

namespace tq {
namespace {

using Outputs = std::vector<std::pair<Text, std::string>>;

[[noreturn]] void RefuseLinkedFolder(const Text& folder) {
  throw ConversionError(
      U"ボーリングフォルダ「" + folder +
      U"」はシンボリックリンクです。変換先フォルダの外に書き込まないよう、このボーリングは変換しません。"
      U"リンクを普通のフォルダに置き換えてから変換してください。");
}

// A folder that nobody else sees yet, held open while it is filled.
class NewFolder {
 public:
  explicit NewFolder(std::string path) : path_(std::move(path)), folder_(native::OpenFolder(path_)) {}
  ~NewFolder() { native::CloseFolder(folder_); }
  NewFolder(const NewFolder&) = delete;
  NewFolder& operator=(const NewFolder&) = delete;

  native::FileNumber CreateFile(const std::string& name, bool& taken) const {
    return native::CreateNewFileIn(folder_, path_, name, taken);
  }

 private:
  std::string path_;
  native::FileNumber folder_;
};

// A file of a folder that nobody else sees yet; the hook is asked about the file's final path.
bool WriteNewFile(const FileSystem& files, const NewFolder& folder, const std::string& name,
                  const std::string& hookPath, const std::string& bytes) {
  if (files.Fails(FileOperation::kOpen, hookPath)) return false;
  bool taken = false;
  native::FileNumber file = folder.CreateFile(name, taken);
  if (file == native::kNoFile) return false;
  bool ok = files.WriteAll(file, bytes, hookPath);
  return native::CloseFile(file) && ok;
}

// One output on its way into an existing folder.
struct Replacement {
  std::string target;
  std::string temporary;  // the new bytes until they are in place
  std::string kept;       // the file it replaces, while the others are put in place
  bool replaced = false;  // whether there was a file to keep
  bool placed = false;
};

class FolderCommit {
 public:
  FolderCommit(const FileSystem& files, const Text& folder, const std::string& native)
      : files_(files), folder_(folder), native_(native) {}

  // Creates the folder under a temporary name beside it, fills it and renames it into place.
  // False when someone else created the folder meanwhile; the outputs then go into it.
  bool CommitNew(const Outputs& outputs) {
    std::string building = TemporaryPathBeside(native_);
    if (files_.Fails(FileOperation::kCreateFolder, native_) || !native::CreateFolder(building)) {
      throw ConversionError(CannotCreateFolderCause(folder_));
    }
    if (!FillNewFolder(building, outputs)) throw ConversionError(CannotWriteCause(JoinPath(folder_, failedName_)));
    if (!files_.Fails(FileOperation::kRename, native_) && native::RenameFolder(building, native_)) {
      files_.NoteCreated(native_);
      return true;
    }
    native::RemoveTree(building);
    if (native::IsFolder(native_)) return false;
    throw ConversionError(CannotCreateFolderCause(folder_));
  }

  // Writes the outputs into the folder being built; false, the folder removed, when one cannot be.
  bool FillNewFolder(const std::string& building, const Outputs& outputs) {
    {
      NewFolder folder(building);
      for (const auto& [name, bytes] : outputs) {
        std::string fileName = ToUtf8(name);
        if (WriteNewFile(files_, folder, fileName, native::Join(native_, fileName), bytes)) continue;
        failedName_ = name;
        break;
      }
    }
    if (failedName_.empty()) return true;
    native::RemoveTree(building);
    return false;
  }

  void CommitInto(const Outputs& outputs) {
    std::vector<Replacement> replacements;
    for (const auto& [name, bytes] : outputs) {
      Text path = JoinPath(folder_, name);
      // The name as the folder holds it, in whatever case, so that the file is replaced, not doubled.
      std::optional<std::string> target = files_.NativePath(path);
      std::optional<std::string> temporary;
      if (target) temporary = WriteTemporaryFile(files_, *target, bytes, /*durable=*/false);
      if (!temporary) {
        PutBack(replacements);
        throw ConversionError(CannotWriteCause(path));
      }
      replacements.push_back({*target, *temporary, {}, false, false});
    }
    for (std::size_t i = 0; i < replacements.size(); ++i) {
      if (Place(replacements[i])) continue;
      PutBack(replacements);
      throw ConversionError(CannotWriteCause(JoinPath(folder_, outputs[i].first)));
    }
    for (const Replacement& r : replacements) {
      if (r.replaced) native::RemoveFile(r.kept);
    }
  }

 private:
  bool Place(Replacement& r) {
    r.kept = TemporaryPathBeside(r.target, ".old");
    if (native::EntryExists(r.target)) {
      if (files_.Fails(FileOperation::kRename, r.target) || !native::Rename(r.target, r.kept)) return false;
      r.replaced = true;
    }
    r.placed = !files_.Fails(FileOperation::kRename, r.target) && native::Rename(r.temporary, r.target);
    if (r.placed) files_.NoteCreated(r.target);
    return r.placed;
  }

  // Undoes every step made so far: the kept files go back, the new ones go.
  static void PutBack(const std::vector<Replacement>& replacements) {
    for (auto r = replacements.rbegin(); r != replacements.rend(); ++r) {
      if (r->placed && !r->replaced) native::RemoveFile(r->target);
      if (r->replaced) native::Rename(r->kept, r->target);
      if (!r->placed) native::RemoveFile(r->temporary);
    }
  }

  const FileSystem& files_;
  const Text& folder_;
  std::string native_;
  Text failedName_;  // the output that could not be written into the new folder
};

}  // namespace

bool RefuseLinkedBoringFolder(const FileSystem& files, const Text& folder) {
  std::optional<std::string> native = files.NativePath(folder);
  native::EntryKind kind = native ? native::KindOfEntry(*native) : native::EntryKind::kMissing;
  if (kind == native::EntryKind::kLink) RefuseLinkedFolder(folder);
  return kind != native::EntryKind::kMissing;
}

void CommitBoringFolder(const FileSystem& files, const Text& folder, const Outputs& outputs) {
  std::optional<std::string> native = files.NativePath(folder);
  if (!native) throw ConversionError(CannotCreateFolderCause(folder));
  FolderCommit commit(files, folder, *native);
  native::EntryKind kind = native::KindOfEntry(*native);
  // A folder made by someone else meanwhile takes the outputs file by file.
  if (kind == native::EntryKind::kMissing && commit.CommitNew(outputs)) return;
  if (kind == native::EntryKind::kMissing) kind = native::KindOfEntry(*native);
  if (kind == native::EntryKind::kLink) RefuseLinkedFolder(folder);
  if (kind != native::EntryKind::kFolder) throw ConversionError(CannotCreateFolderCause(folder));
  commit.CommitInto(outputs);
}

}  // namespace tq
