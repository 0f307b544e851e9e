// Jobs in order on a thread that lives as long as its worker.
#include "run/commit_worker.h"

#include <stdexcept>
#include <utility>

namespace tq {

CommitWorker::~CommitWorker() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard guard(mutex_);
    waiting_.clear();
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void CommitWorker::Start(std::function<void()> job) {
  {
    std::lock_guard guard(mutex_);
    waiting_.push_back(std::move(job));
  }
  ++inHand_;
  if (!thread_.joinable()) thread_ = std::thread([this] { Serve(); });
  changed_.notify_all();
}

void CommitWorker::Collect() {
  if (inHand_ == 0) return;
  --inHand_;
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !outcomes_.empty(); });
  std::exception_ptr failure = std::move(outcomes_.front());
  outcomes_.pop_front();
  lock.unlock();
  if (failure) std::rethrow_exception(failure);
}

void CommitWorker::Serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
    if (waiting_.empty()) return;
    std::function<void()> job = std::move(waiting_.front());
    waiting_.pop_front();
    std::exception_ptr failure;
    if (failed_) {
      failure = std::make_exception_ptr(std::logic_error("a job after a failed one was collected"));
    } else {
      lock.unlock();
      try {
        job();
      } catch (...) {
        failure = std::current_exception();
      }
      job = nullptr;  // the boring's bytes go before the lock is taken again
      lock.lock();
      failed_ = failed_ || failure != nullptr;
    }
    outcomes_.push_back(std::move(failure));
    changed_.notify_all();
  }
}

}  // namespace tq
