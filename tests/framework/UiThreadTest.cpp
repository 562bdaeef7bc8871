// Work handed from another thread to the UI thread through a queue: run
// there, whole and in the order it was posted, whether the event loop
// delivers it or the UI thread asks for it (even from inside a task), and
// dropped when the queue is gone. (Label `threaded`: these run under
// ThreadSanitizer, which sees the queue's own lock order the hand-over.)
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <numeric>
#include <thread>
#include <vector>

#include "framework/UiThread.h"
#include "tests/support/WindowDriving.h"

TEST(UiThread, PostedWorkRunsWholeOnTheUiThreadInOrder) {
  TUiQueue queue;
  std::vector<int> order;  // touched on the UI thread only
  std::atomic<bool> posted{false};
  int offThread = 0, damaged = 0;
  std::thread worker([&] {
    for (int k = 0; k < 200; ++k) {
      // Made on this thread, read on the UI thread.
      std::vector<int> payload(50);
      std::iota(payload.begin(), payload.end(), k);
      queue.Post([&, k, payload = std::move(payload)] {
        if (!IsUiThread()) ++offThread;
        if (payload.size() != 50 || payload.front() != k || payload.back() != k + 49) ++damaged;
        order.push_back(k);
        if (k == 0) queue.Deliver();  // from inside a task: the order stays
      });
      if (k % 50 == 0) std::this_thread::yield();
    }
    posted = true;
  });
  // The event loop delivers some; the rest is asked for once the worker is done.
  ASSERT_TRUE(ProcessEventsUntil([&] { return posted.load() && !order.empty(); }, 10000));
  worker.join();
  queue.Deliver();
  EXPECT_EQ(offThread, 0);
  EXPECT_EQ(damaged, 0);
  ASSERT_EQ(order.size(), 200u);
  for (int k = 0; k < 200; ++k) EXPECT_EQ(order[k], k);
}

TEST(UiThread, WorkLeftInAQueueThatIsGoneIsDropped) {
  auto queue = std::make_unique<TUiQueue>();
  bool ran = false;
  std::thread worker([&] { queue->Post([&] { ran = true; }); });
  worker.join();
  queue.reset();  // its wake-up is still on its way
  ProcessEvents(20);
  EXPECT_FALSE(ran);
}
