// Exclusive lock files through flock.
#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/lock_wait.h"

namespace tq {
namespace {

// A read-only share still lets a lock be taken on a lock file that already exists.
int OpenLockFile(const std::string& native) {
  int fd = ::open(native.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd >= 0) return fd;
  return ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
}

LockTry TryLock(int fd) {
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return LockTry::kTaken;
    if (errno != EINTR) return errno == EWOULDBLOCK ? LockTry::kBusy : LockTry::kFailed;
  }
}

}  // namespace

FileLock::~FileLock() { Unlock(); }

FileLock::Result FileLock::Lock(const FileSystem& files, const Text& path, std::chrono::milliseconds wait) {
  Unlock();
  std::optional<std::string> native = files.NativePath(path);
  if (!native || files.Fails(FileOperation::kOpen, *native)) return Result::kCannotOpen;
  int fd = OpenLockFile(*native);
  if (fd < 0) return Result::kCannotOpen;
  Result result = WaitForLock([fd] { return TryLock(fd); }, wait);
  if (result != Result::kLocked) {
    ::close(fd);
    return result;
  }
  fd_ = fd;
  return result;
}

void FileLock::Unlock() {
  if (fd_ < 0) return;
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace tq
