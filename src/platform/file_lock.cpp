// POSIX lock files through flock, and the holder's name in them.
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

std::string ReadStart(FileNumber fd, std::size_t max) {
  std::string bytes(max, '\0');
  ssize_t n = ::pread(fd, bytes.data(), max, 0);
  bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return bytes;
}

// Cutting a file to nothing makes ext4 write it out when it is closed, a disk write for every
// lock, so the bytes go over the old ones, the rest is cut off, and bytes already there stay.
bool Overwrite(FileNumber fd, std::string_view bytes) {
  if (ReadStart(fd, bytes.size() + 1) == bytes) return true;
  auto length = static_cast<off_t>(bytes.size());
  return ::pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()) &&
         ::ftruncate(fd, length) == 0;
}

}  // namespace tq::native
