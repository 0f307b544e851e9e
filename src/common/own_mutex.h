// A mutex for a member of a class that is copied or moved: each copy gets a mutex of its own.
#pragma once

#include <mutex>

namespace tq {

// What the mutex guards is copied by the owner's own copy (which must not run while another
// thread holds the mutex); the mutex itself is never shared.
class OwnMutex {
 public:
  OwnMutex() = default;
  OwnMutex(const OwnMutex&) {}
  OwnMutex& operator=(const OwnMutex&) { return *this; }

  std::mutex& Get() const { return mutex_; }

 private:
  mutable std::mutex mutex_;
};

}  // namespace tq
