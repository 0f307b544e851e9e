// Exclusive lock files through flock, with the holder's name in the file.
#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <thread>

#include "platform/file_system.h"
#include "platform/temporary_names.h"

namespace tq {
namespace {

// A read-only share still lets a lock be taken on a lock file that already exists.
int OpenLockFile(const std::string& native) {
  int fd = ::open(native.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd >= 0) return fd;
  return ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
}

bool TryLock(int fd) {
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EINTR) return false;
  }
}

// Only a hint for those who wait, so a lock file that cannot be written is no failure.
void WriteHolder(int fd) {
  std::string holder = HostName() + " " + std::to_string(::getpid()) + "\r\n";
  if (::ftruncate(fd, 0) == 0) (void)!::pwrite(fd, holder.data(), holder.size(), 0);
}

std::string ReadHolder(int fd) {
  char buffer[300];
  ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
  std::string holder(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
  std::size_t end = holder.find_first_of("\r\n");
  return holder.substr(0, end);
}

}  // namespace

FileLock::~FileLock() { Unlock(); }

FileLock::Result FileLock::Lock(const FileSystem& files, const Text& path, std::chrono::milliseconds wait,
                                const LockWaitNotice& onWait) {
  Unlock();
  std::optional<std::string> native = files.NativePath(path);
  if (!native || files.Fails(FileOperation::kOpen, *native)) return Result::kCannotOpen;
  int fd = OpenLockFile(*native);
  if (fd < 0) return Result::kCannotOpen;
  // Other converters hold the lock only for one soil name at a time, so polling briefly is
  // enough and keeps the wait bounded without signals.
  const auto deadline = std::chrono::steady_clock::now() + wait;
  const auto pause = std::chrono::milliseconds(5);
  bool told = false;
  while (!TryLock(fd)) {
    bool busy = errno == EWOULDBLOCK;
    if (busy && !told && onWait) onWait(ReadHolder(fd));
    told = true;
    if (!busy || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      return busy ? Result::kTimedOut : Result::kCannotOpen;
    }
    std::this_thread::sleep_for(pause);
  }
  WriteHolder(fd);
  fd_ = fd;
  return Result::kLocked;
}

void FileLock::Unlock() {
  if (fd_ < 0) return;
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace tq
