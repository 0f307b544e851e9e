// POSIX appends through O_APPEND, and folder syncs.
#include "platform/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "platform/file_system.h"
#include "platform/native_files.h"

namespace tq {

namespace native {

FileNumber OpenForAppend(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  return fd < 0 ? kNoFile : fd;
}

}  // namespace native

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
