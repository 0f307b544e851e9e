// One job at a time on a thread that lives as long as its worker.
#include "run/commit_worker.h"

#include <utility>

namespace tq {

CommitWorker::~CommitWorker() {
  try {
    Collect();
  } catch (...) {
    // Only an unwinding run leaves a job uncollected; its own failure is the one to report.
  }
  if (!thread_.joinable()) return;
  {
    std::lock_guard guard(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void CommitWorker::Start(std::function<void()> job) {
  {
    std::lock_guard guard(mutex_);
    job_ = std::move(job);
    done_ = false;
  }
  busy_ = true;
  if (!thread_.joinable()) thread_ = std::thread([this] { Serve(); });
  changed_.notify_all();
}

void CommitWorker::Collect() {
  if (!busy_) return;
  busy_ = false;
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return done_; });
  if (std::exception_ptr failure = std::exchange(failure_, nullptr)) std::rethrow_exception(failure);
}

void CommitWorker::Serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || job_.has_value(); });
    if (!job_) return;
    std::function<void()> job = std::move(*job_);
    job_.reset();
    lock.unlock();
    std::exception_ptr failure;
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    failure_ = failure;
    done_ = true;
    changed_.notify_all();
  }
}

}  // namespace tq
