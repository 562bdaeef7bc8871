// The computer's thread: a worker that is handed one search request by value,
// searches on a thread of its own and posts its result back to the UI thread,
// with its progress lines before it; it never waits for the UI thread. What
// the window does with the result (plays the move, shows the hint) is the
// window's own business.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "engine/Board.h"
#include "engine/PositionKey.h"
#include "framework/UiThread.h"
#include "search/SearchControl.h"

// What one search of the computer takes from the game: the position, the
// level's limits and the positions since the last capture or man move.
struct TSearchRequest {
  std::array<int, BoardSize> Board{};
  TPlayer Side = Black;
  int TimeLimit = 0, HardLimitMs = 0;
  std::vector<TPositionKey> History;
};

// What it gives back: the move chosen and the search's result line.
struct TSearchResult {
  std::array<int, MoveBufferSize> Move{};
  std::string Info;
};

// Searches as `request` says, stopped by `control`, with the progress lines
// handed to `progress` (on the calling thread).
TSearchResult SearchMove(const TSearchRequest& request, TSearchControl& control,
                         const std::function<void(const char*)>& progress);

class TComputerThread {
 public:
  using TResultHandler = std::function<void(const TSearchResult&)>;
  using TProgressHandler = std::function<void(const std::string&)>;

  // The handlers run on the UI thread.
  TComputerThread(TSearchControl& control, TResultHandler onResult, TProgressHandler onProgress);
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
  // The progress handler, for anyone who wants to see the lines first.
  TProgressHandler& ProgressHandler() { return onProgress_; }

  // How the thread is made; a test may make it fail.
  std::function<std::thread(std::function<void()>)> MakeThread;

 private:
  TSearchControl& control_;
  TResultHandler onResult_;
  TProgressHandler onProgress_;
  TUiQueue posted_;
  std::thread thread_;
};
