// Putting a boring's outputs in place together: the whole new folder at once, or every file of
// an existing folder with the ones it replaces kept until all are in place.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "common/errors.h"
#include "platform/boring_files.h"
#include "platform/paths.h"
#include "platform/temporary_names.h"

namespace tq {
namespace fs = std::filesystem;
namespace {

using Outputs = std::vector<std::pair<Text, std::string>>;

Text CannotCreateFolderCause(const Text& folder) {
  return U"フォルダ「" + folder + U"」を作成できません。書き込みできる場所か確認してください。";
}

bool IsEntry(const std::string& native) {
  struct stat status {};
  return ::lstat(native.c_str(), &status) == 0;
}

bool Rename(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

// A file of a folder that nobody else sees yet; the hook is asked about the file's final path.
bool WriteNewFile(const FileSystem& files, const std::string& path, const std::string& hookPath,
                  const std::string& bytes) {
  if (files.Fails(FileOperation::kOpen, hookPath)) return false;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = files.WriteAll(fd, bytes, hookPath);
  return ::close(fd) == 0 && ok;
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
    fs::path target(native_);
    std::string building = (target.parent_path() / TemporaryName(target.filename().string())).string();
    if (files_.Fails(FileOperation::kCreateFolder, native_) || ::mkdir(building.c_str(), 0777) != 0) {
      throw ConversionError(CannotCreateFolderCause(folder_));
    }
    for (const auto& [name, bytes] : outputs) {
      std::string fileName = ToUtf8(name);
      if (WriteNewFile(files_, building + "/" + fileName, native_ + "/" + fileName, bytes)) continue;
      RemoveAll(building);
      throw ConversionError(CannotWriteCause(JoinPath(folder_, name)));
    }
    if (!files_.Fails(FileOperation::kRename, native_) && Rename(building, native_)) return true;
    RemoveAll(building);
    std::error_code ec;
    if (fs::is_directory(native_, ec)) return false;
    throw ConversionError(CannotCreateFolderCause(folder_));
  }

  void CommitInto(const Outputs& outputs) {
    std::vector<Replacement> replacements;
    for (const auto& [name, bytes] : outputs) {
      Text path = JoinPath(folder_, name);
      std::string target = *files_.NativePath(path);
      std::optional<std::string> temporary = WriteTemporaryFile(files_, target, bytes, /*durable=*/false);
      if (!temporary) {
        PutBack(replacements);
        throw ConversionError(CannotWriteCause(path));
      }
      replacements.push_back({target, *temporary, {}, false, false});
    }
    for (std::size_t i = 0; i < replacements.size(); ++i) {
      if (Place(replacements[i])) continue;
      PutBack(replacements);
      throw ConversionError(CannotWriteCause(JoinPath(folder_, outputs[i].first)));
    }
    for (const Replacement& r : replacements) {
      if (r.replaced) ::unlink(r.kept.c_str());
    }
  }

 private:
  bool Place(Replacement& r) {
    fs::path target(r.target);
    r.kept = (target.parent_path() / TemporaryName(target.filename().string() + ".old")).string();
    if (IsEntry(r.target)) {
      if (files_.Fails(FileOperation::kRename, r.target) || !Rename(r.target, r.kept)) return false;
      r.replaced = true;
    }
    r.placed = !files_.Fails(FileOperation::kRename, r.target) && Rename(r.temporary, r.target);
    return r.placed;
  }

  // Undoes every step made so far: the kept files go back, the new ones go.
  static void PutBack(const std::vector<Replacement>& replacements) {
    for (auto r = replacements.rbegin(); r != replacements.rend(); ++r) {
      if (r->placed && !r->replaced) ::unlink(r->target.c_str());
      if (r->replaced) Rename(r->kept, r->target);
      if (!r->placed) ::unlink(r->temporary.c_str());
    }
  }

  static void RemoveAll(const std::string& native) {
    std::error_code ec;
    fs::remove_all(native, ec);
  }

  const FileSystem& files_;
  const Text& folder_;
  std::string native_;
};

}  // namespace

void RefuseLinkedBoringFolder(const FileSystem& files, const Text& folder) {
  std::optional<std::string> native = files.NativePath(folder);
  std::error_code ec;
  if (!native || !fs::is_symlink(fs::symlink_status(*native, ec))) return;
  throw ConversionError(U"ボーリングフォルダ「" + folder +
                        U"」はシンボリックリンクです。変換先フォルダの外に書き込まないよう、このボーリングは変換しません。"
                        U"リンクを普通のフォルダに置き換えてから変換してください。");
}

void CommitBoringFolder(const FileSystem& files, const Text& folder, const Outputs& outputs) {
  RefuseLinkedBoringFolder(files, folder);
  std::optional<std::string> native = files.NativePath(folder);
  if (!native) throw ConversionError(CannotCreateFolderCause(folder));
  FolderCommit commit(files, folder, *native);
  if (!IsEntry(*native) && commit.CommitNew(outputs)) return;
  std::error_code ec;
  if (!fs::is_directory(*native, ec)) throw ConversionError(CannotCreateFolderCause(folder));
  commit.CommitInto(outputs);
}

}  // namespace tq
