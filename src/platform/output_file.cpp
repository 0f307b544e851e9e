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

bool WriteAll(FileNumber fd, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

bool SyncFile(FileNumber fd) { return ::fsync(fd) == 0; }

bool CloseFile(FileNumber fd) { return ::close(fd) == 0; }

}  // namespace tq::native
