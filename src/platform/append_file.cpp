// In-place appends through O_APPEND that leave the file as it was when they fail, and folder syncs.
#include "platform/append_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "platform/file_system.h"

namespace tq {

namespace {

// A write that fails half-way (a full disk) leaves part of a row; cutting the file back to its
// old length keeps every reader of the table from meeting a row cut short.
bool WriteSyncOrRestore(const FileSystem& files, int fd, const std::string& native, const std::string& bytes) {
  struct stat before {};
  if (::fstat(fd, &before) != 0) return false;
  if (files.WriteAll(fd, bytes, native) && !files.Fails(FileOperation::kSync, native) && ::fsync(fd) == 0) return true;
  if (::ftruncate(fd, before.st_size) == 0) ::fsync(fd);
  return false;
}

}  // namespace

bool AppendToFile(const FileSystem& files, const Text& path, const std::string& bytes) {
  std::optional<std::string> native = files.NativePath(path);
  if (!native || files.Fails(FileOperation::kOpen, *native)) return false;
  int fd = ::open(native->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = bytes.empty() || WriteSyncOrRestore(files, fd, *native, bytes);
  if (::close(fd) != 0) ok = false;
  return ok;
}

bool SyncFolderOf(const FileSystem& files, const Text& path) {
  std::optional<std::string> native = files.NativePath(path);
  if (!native) return false;
  std::string folder = std::filesystem::path(*native).parent_path().string();
  if (folder.empty()) folder = ".";
  if (files.Fails(FileOperation::kSync, folder)) return false;
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  return ok;
}

}  // namespace tq
