// An exclusive lock on a lock file, shared by every process that uses the same folder.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "common/text.h"

namespace tq {

class FileSystem;

// Told once, when the lock is busy and the wait begins, who holds it: the holder's host name
// and process id as "host pid", or an empty text when the holder has not said.
using LockWaitNotice = std::function<void(const std::string& holder)>;

// Held from a successful Lock until destruction. The lock belongs to the open file, so two
// locks on the same path exclude each other within one process as well as across processes
// (and across machines on a network folder whose file system supports locks). The holder
// writes its host name and process id into the lock file, so that waiters can say who it is.
class FileLock {
 public:
  enum class Result { kLocked, kCannotOpen, kTimedOut };

  FileLock() = default;
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Creates the lock file when it is missing and waits at most `wait` for the lock.
  Result Lock(const FileSystem& files, const Text& path, std::chrono::milliseconds wait,
              const LockWaitNotice& onWait = {});
  void Unlock();

 private:
  int fd_ = -1;
};

}  // namespace tq
