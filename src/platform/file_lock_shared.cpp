// Lock files on every system: the lock is tried without blocking, within a bounded wait, and its
// holder writes who it is into the file for those who wait.
#include <optional>
#include <string>
#include <thread>

#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/native_files.h"
#include "platform/temporary_names.h"

namespace tq {
namespace {

// Only a hint for those who wait, so a lock file that cannot be written is no failure.
void WriteHolder(native::FileNumber file) {
  native::Overwrite(file, HostName() + " " + std::to_string(native::ProcessId()) + "\r\n");
}

std::string ReadHolder(native::FileNumber file) {
  std::string holder = native::ReadStart(file, 300);
  return holder.substr(0, holder.find_first_of("\r\n"));
}

// Other converters hold the lock only for the layers of one boring at a time, so polling briefly is
// enough and keeps the wait bounded without signals.
FileLock::Result WaitForLock(native::FileNumber file, std::chrono::milliseconds wait, const LockWaitNotice& onWait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  const auto pause = std::chrono::milliseconds(5);
  for (bool told = false;; told = true) {
    native::LockTry result = native::TryLockFile(file);
    if (result == native::LockTry::kTaken) return FileLock::Result::kLocked;
    if (result == native::LockTry::kFailed) return FileLock::Result::kCannotOpen;
    if (!told && onWait) onWait(ReadHolder(file));
    if (std::chrono::steady_clock::now() >= deadline) return FileLock::Result::kTimedOut;
    std::this_thread::sleep_for(pause);
  }
}

}  // namespace

FileLock::~FileLock() { Unlock(); }

FileLock::Result FileLock::Lock(const FileSystem& files, const Text& path, std::chrono::milliseconds wait,
                                const LockWaitNotice& onWait) {
  Unlock();
  std::optional<std::string> native = files.NativePath(path);
  if (!native || files.Fails(FileOperation::kOpen, *native)) return Result::kCannotOpen;
  native::FileNumber file = native::OpenLockFile(*native);
  if (file == native::kNoFile) return Result::kCannotOpen;
  Result result = WaitForLock(file, wait, onWait);
  if (result != Result::kLocked) {
    native::CloseFile(file);
    return result;
  }
  WriteHolder(file);
  fd_ = file;
  return result;
}

void FileLock::Unlock() {
  if (fd_ == native::kNoFile) return;
  native::UnlockFile(fd_);
  native::CloseFile(fd_);
  fd_ = native::kNoFile;
}

}  // namespace tq
