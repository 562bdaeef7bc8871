// The computer's thread: a worker that owns the computer player (its engine)
// and is handed one search request by value at a time. It searches on a
// thread of its own and posts the result back to the UI thread, with the
// progress lines before it; it never waits for the UI thread. What the window
// does with the result (plays the move, shows the hint) is the window's own
// business.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "framework/UiThread.h"
#include "search/Engine.h"
#include "search/SearchControl.h"

// One line of a finished iteration, as the UI thread gets it: which line
// (1 for the best), the iteration's depth, the score from the side to move's
// view and the line's first move.
struct TComputerLine {
  int Line = 1;
  int Depth = 0;
  int Score = 0;
  TMoveBuffer Move{};
};

class TComputerThread {
 public:
  using TResultHandler = std::function<void(const TSearchResult&)>;
  using TProgressHandler = std::function<void(const std::string&)>;
  using TLineHandler = std::function<void(const TComputerLine&)>;

  // The handlers run on the UI thread.
  TComputerThread(TResultHandler onResult, TProgressHandler onProgress);
  // Stops a search for good and joins it; what it found is dropped.
  ~TComputerThread();
  TComputerThread(const TComputerThread&) = delete;
  TComputerThread& operator=(const TComputerThread&) = delete;

  // UI thread, while none runs: starts searching for `request`. False when
  // no thread could be made.
  bool Start(TSearchRequest request);
  // UI thread: stops a running search for good (until ClearLastingStop),
  // joins the thread and hands over what it posted, the result included.
  void Stop();
  void ClearLastingStop();
  bool Running() const { return thread_.joinable(); }

  // The stop flags of its searches: Force Move sets the stop request,
  // closing the lasting stop.
  TSearchControl Control;
  // The computer player: UI thread, while no search runs.
  TEngine& Engine() { return engine_; }
  // The progress handler, for anyone who wants to see the lines first.
  TProgressHandler& ProgressHandler() { return onProgress_; }
  // Hears each line of each finished iteration, before the result (none: not posted).
  TLineHandler LineHandler;
  // How the thread is made; a test may make it fail.
  std::function<std::thread(std::function<void()>)> MakeThread;

 private:
  TEngine engine_;
  TResultHandler onResult_;
  TProgressHandler onProgress_;
  TUiQueue posted_;
  std::thread thread_;
};
