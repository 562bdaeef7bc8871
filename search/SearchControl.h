// TSearchControl: how whoever runs the computer player steers a search from
// another thread. The search polls the two stop flags after every move and
// raises MoveAvailable once it holds a move a stop could play.
#pragma once

#include <atomic>

class TSearchControl {
 public:
  // Play the best move found so far. Only the caller clears it, before it
  // starts a search; the search leaves it set, so a press is never lost.
  std::atomic<bool> StopRequest{false};
  // Stop every search for good (the program is closing) until the caller clears it.
  std::atomic<bool> LastingStop{false};
  // Written by the search: cleared as it starts, set once it has a fallback move.
  std::atomic<bool> MoveAvailable{false};

  bool StopRequested() const {
    return StopRequest.load(std::memory_order_relaxed) || LastingStop.load(std::memory_order_relaxed);
  }
};
