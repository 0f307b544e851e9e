// POSIX appends through O_APPEND, cutting back a failed append, and folder syncs.
#include "platform/append_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "platform/file_system.h"
#include "platform/native_files.h"

namespace tq {

namespace native {

FileNumber OpenForAppend(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  return fd < 0 ? kNoFile : fd;
}

std::optional<std::uintmax_t> LengthOf(FileNumber fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return std::nullopt;
  return static_cast<std::uintmax_t>(status.st_size);
}

bool Truncate(FileNumber fd, const std::string&, std::uintmax_t length) {
  return ::ftruncate(fd, static_cast<off_t>(length)) == 0;
}

}  // namespace native

bool SyncFolderOf(const FileSystem& files, const Text& path) {
  std::optional<std::string> native = files.NativePath(path);
  if (!native) return false;
  std::size_t separator = native->find_last_of('/');
  std::string folder = separator == std::string::npos ? "." : native->substr(0, separator == 0 ? 1 : separator);
  if (files.Fails(FileOperation::kSync, folder)) return false;
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  return ok;
}

}  // namespace tq
