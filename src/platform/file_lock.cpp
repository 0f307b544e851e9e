// POSIX lock files through flock.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/native_files.h"

namespace tq::native {

FileNumber OpenLockFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  return fd < 0 ? kNoFile : fd;
}

LockTry TryLockFile(FileNumber fd) {
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return LockTry::kTaken;
    if (errno != EINTR) return errno == EWOULDBLOCK ? LockTry::kBusy : LockTry::kFailed;
  }
}

void UnlockFile(FileNumber fd) { ::flock(fd, LOCK_UN); }

}  // namespace tq::native
