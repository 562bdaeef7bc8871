// The UI thread is the thread that runs the message loop; every toolkit call
// happens on it. A thread of the program's own hands its results to the UI
// thread through a TUiQueue and never waits for the UI thread.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

// The thread the toolkit was started on.
bool IsUiThread();
// Stops the program with a message when called off the UI thread.
void RequireUiThread(const char* what);

// Tasks handed from other threads to the UI thread. Post, from any thread,
// adds a task and returns at once; the UI thread runs the tasks one by one
// in the order they were posted, as an event of its loop, or at once when it
// calls Deliver. The queue is made and destroyed on the UI thread, once every
// thread that posts to it has ended; tasks it still holds then are dropped.
class TUiQueue {
 public:
  TUiQueue();
  ~TUiQueue();
  TUiQueue(const TUiQueue&) = delete;
  TUiQueue& operator=(const TUiQueue&) = delete;

  void Post(std::function<void()> task);
  // UI thread: runs every task posted so far (and those posted meanwhile).
  void Deliver();

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
  std::unique_ptr<QObject> wake_;  // receives the event that has the UI thread deliver
};
