// The POSIX files under whole-or-nothing outputs: exclusive creation, whole writes, fsync.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/native_files.h"

namespace tq::native {

FileNumber CreateNewFile(const std::string& path, bool& taken) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  taken = fd < 0 && errno == EEXIST;
  return fd < 0 ? kNoFile : fd;
}

FileNumber OpenFolder(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return fd < 0 ? kNoFile : fd;
}

FileNumber CreateNewFileIn(FileNumber folder, const std::string& folderPath, const std::string& name, bool& taken) {
  if (folder == kNoFile) return CreateNewFile(Join(folderPath, name), taken);
  int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  taken = fd < 0 && errno == EEXIST;
  return fd < 0 ? kNoFile : fd;
}

void CloseFolder(FileNumber folder) {
  if (folder != kNoFile) ::close(folder);
}

bool WriteAll(FileNumber fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool SyncFile(FileNumber fd) { return ::fsync(fd) == 0; }

bool CloseFile(FileNumber fd) { return ::close(fd) == 0; }

}  // namespace tq::native
