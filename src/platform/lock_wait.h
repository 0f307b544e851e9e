// Waiting a bounded time for a lock that is tried without blocking.
#pragma once

#include <chrono>
#include <functional>

#include "platform/file_lock.h"

namespace tq {

enum class LockTry { kTaken, kBusy, kFailed };

// Tries the lock until it is taken, a try fails for another reason than another holder, or
// the wait is over.
FileLock::Result WaitForLock(const std::function<LockTry()>& tryLock, std::chrono::milliseconds wait);

}  // namespace tq
