// Putting one boring in place on a thread of its own while the next boring is converted.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace tq {

// Converting a boring is work for the processor, putting its files in place work for the disk,
// so a run overlaps the two: while one boring's files go into place, the next is converted. One
// job at a time; the thread starts with the first job and ends with the worker.
class CommitWorker {
 public:
  CommitWorker() = default;
  // Waits for the job in hand (its failure is dropped) and ends the thread.
  ~CommitWorker();
  CommitWorker(const CommitWorker&) = delete;
  CommitWorker& operator=(const CommitWorker&) = delete;

  // Hands over a job; the one before must have been collected with Collect.
  void Start(std::function<void()> job);
  // Whether a job was started and not yet collected.
  bool Busy() const { return busy_; }
  // Waits for the job in hand and rethrows what it threw; does nothing when there is none.
  void Collect();

 private:
  void Serve();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<std::function<void()>> job_;  // handed over, not yet taken
  bool done_ = false;                         // the job taken last has ended
  std::exception_ptr failure_;
  bool stopping_ = false;
  bool busy_ = false;  // used by the handing thread only
  std::thread thread_;
};

}  // namespace tq
