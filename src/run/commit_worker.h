// Putting borings in place on a thread of their own while the next ones are converted.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace tq {

// Converting a boring is work for the processor, putting its files in place work for the disk,
// so a run overlaps the two: while borings go into place, the next ones are converted. Jobs run
// one after another in the order handed over, and their outcomes are collected in that order.
// Several may wait, so that a boring slow to write and one slow to convert even out. Once a job
// has thrown, the jobs after it are never run. The thread starts with the first job and ends
// with the worker.
class CommitWorker {
 public:
  CommitWorker() = default;
  // Drops the jobs not yet begun, waits for the one in hand (its failure is dropped) and ends
  // the thread.
  ~CommitWorker();
  CommitWorker(const CommitWorker&) = delete;
  CommitWorker& operator=(const CommitWorker&) = delete;

  // Hands over a job to run after the ones handed over before.
  void Start(std::function<void()> job);
  // Jobs handed over and not yet collected.
  std::size_t InHand() const { return inHand_; }
  // Waits for the oldest job not yet collected and rethrows what it threw; does nothing when
  // there is none. A job dropped after an earlier failure throws std::logic_error: the caller
  // stops at the first failure and collects nothing after it.
  void Collect();

 private:
  void Serve();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> waiting_;  // handed over, not yet begun
  std::deque<std::exception_ptr> outcomes_;    // of ended jobs not yet collected, oldest first
  bool failed_ = false;                        // a job has thrown: the later ones are dropped
  bool stopping_ = false;
  std::size_t inHand_ = 0;  // used by the handing thread only
  std::thread thread_;
};

}  // namespace tq
