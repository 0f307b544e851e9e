// The worker that puts borings in place: order, failures and what is dropped.
#include "run/commit_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

#include "common/errors.h"

namespace tq {
namespace {

TEST(CommitWorker, JobsRunAndAreCollectedInTheOrderHandedOver) {
  std::vector<int> ran;
  CommitWorker worker;
  for (int k = 1; k <= 5; ++k) worker.Start([&ran, k] { ran.push_back(k); });
  EXPECT_EQ(worker.InHand(), 5u);
  for (int k = 1; k <= 5; ++k) worker.Collect();
  EXPECT_EQ(worker.InHand(), 0u);
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4, 5}));
  worker.Collect();  // nothing in hand: returns at once
}

TEST(CommitWorker, NoJobAfterAFailedOneRuns) {
  std::atomic<int> ranAfter = 0;
  CommitWorker worker;
  worker.Start([] {});
  worker.Start([] { throw ConversionError(U"cannot write", 0); });
  worker.Start([&ranAfter] { ++ranAfter; });
  worker.Start([&ranAfter] { ++ranAfter; });
  EXPECT_NO_THROW(worker.Collect());
  EXPECT_THROW(worker.Collect(), ConversionError);
  EXPECT_THROW(worker.Collect(), std::logic_error);  // a dropped job is no outcome to report
  EXPECT_EQ(ranAfter, 0);
}

// A run that unwinds leaves jobs uncollected; ending the worker waits for the job in hand and
// throws nothing of its failure.
TEST(CommitWorker, EndingWaitsForTheJobInHandAndThrowsNothing) {
  std::promise<void> begun;
  std::atomic<bool> ended = false;
  {
    CommitWorker worker;
    worker.Start([&] {
      begun.set_value();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      ended = true;
      throw ConversionError(U"cannot write", 0);
    });
    worker.Start([] {});
    begun.get_future().wait();
  }
  EXPECT_TRUE(ended);
}

}  // namespace
}  // namespace tq
