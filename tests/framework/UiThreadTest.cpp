// Work handed from another thread to the UI thread: run there, in the order
// it was handed over whether waited for or not, and dropped when the window
// it was meant for is gone.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/support/WindowDriving.h"
#include "framework/UiThread.h"
#include "framework/Window.h"

TEST(UiThread, HandedOverWorkRunsOnTheUiThreadInOrder) {
  std::vector<int> order;  // touched on the UI thread only
  std::atomic<bool> done{false};
  std::atomic<int> offThread{0};
  std::thread worker([&] {
    for (int k = 0; k < 200; ++k) {
      auto task = [&, k] {
        if (!IsUiThread()) ++offThread;
        order.push_back(k);
      };
      if (k % 3 == 0)
        RunOnUiThread(task);
      else
        PostToUiThread(nullptr, task);
    }
    RunOnUiThread([] {});  // everything posted before it has run when this returns
    done = true;
    WakeUiThread();
  });
  WaitWhile([&] { return !done.load(); });
  worker.join();
  EXPECT_EQ(offThread, 0);
  ASSERT_EQ(order.size(), 200u);
  for (int k = 0; k < 200; ++k) EXPECT_EQ(order[k], k);
}

TEST(UiThread, WorkPostedToAWindowThatIsGoneIsDropped) {
  auto* window = new TWindow;
  bool ran = false;
  std::thread worker([&] { window->Post([&] { ran = true; }); });
  worker.join();
  delete window;
  ProcessEvents(20);
  EXPECT_FALSE(ran);
}
