// Polling for a lock file's lock within a bounded wait.
#include "platform/lock_wait.h"

#include <thread>

namespace tq {

// Other converters hold the lock only for one soil name at a time, so polling briefly is
// enough and keeps the wait bounded without signals.
FileLock::Result WaitForLock(const std::function<LockTry()>& tryLock, std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  const auto pause = std::chrono::milliseconds(5);
  for (;;) {
    LockTry result = tryLock();
    if (result == LockTry::kTaken) return FileLock::Result::kLocked;
    if (result == LockTry::kFailed) return FileLock::Result::kCannotOpen;
    if (std::chrono::steady_clock::now() >= deadline) return FileLock::Result::kTimedOut;
    std::this_thread::sleep_for(pause);
  }
}

}  // namespace tq
