// In-place appends through O_APPEND, and folder syncs.
#include "platform/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>

#include "platform/file_system.h"

namespace tq {

namespace {

bool WriteAndSync(const FileSystem& files, int fd, const std::string& native, const std::string& bytes) {
  if (files.Fails(FileOperation::kWrite, native)) return false;
  ssize_t n;
  do {
    n = ::write(fd, bytes.data(), bytes.size());
  } while (n < 0 && errno == EINTR);
  if (n != static_cast<ssize_t>(bytes.size())) return false;
  return !files.Fails(FileOperation::kSync, native) && ::fsync(fd) == 0;
}

}  // namespace

bool AppendToFile(const FileSystem& files, const Text& path, const std::string& bytes) {
  std::optional<std::string> native = files.NativePath(path);
  if (!native || files.Fails(FileOperation::kOpen, *native)) return false;
  int fd = ::open(native->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = bytes.empty() || WriteAndSync(files, fd, *native, bytes);
  if (::close(fd) != 0) ok = false;
  return ok;
}

bool SyncFolderOf(const FileSystem& files, const Text& path) {
  std::optional<std::string> native = files.NativePath(path);
  if (!native || files.Fails(FileOperation::kSync, *native)) return false;
  std::string folder = std::filesystem::path(*native).parent_path().string();
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

}  // namespace tq
