// TSearchReporter: what a search tells while it runs, to whoever started it:
// the window's progress lines, and after each finished iteration its best
// lines with their figures. Called on the searching thread; nothing in a
// report outlives the call.
#pragma once

#include <array>
#include <functional>
#include <span>

#include "engine/Board.h"

using TMoveBuffer = std::array<int, MoveBufferSize>;

// One line of a finished iteration.
struct TSearchLine {
  int Line = 1;           // 1 for the best move, up to the lines asked for
  int Depth = 0;          // nominal depth of the iteration, plies
  int SelectiveDepth = 0; // deepest ply any line reached
  int Score = 0;          // search units, from the view of the side to move
  long long Nodes = 0;    // nodes of the search so far
  int Milliseconds = 0;   // since the search was asked for
  std::span<const TMoveBuffer> Pv;  // the line from the root, at least its first move
};

class TSearchReporter {
 public:
  virtual ~TSearchReporter() = default;
  // "Best 11-15(1/7) Score=12  Depth:13/25  9-14(3/7)  2.1 sec  Evals:...  Nodes:...",
  // sent as the root's moves are searched one after the other.
  virtual void Progress(const char* /*line*/) {}
  // Each line of an iteration that finished, best first.
  virtual void Iteration(const TSearchLine& /*line*/) {}
};

// A reporter made of two callbacks, either of which may be empty.
class TSearchCallbacks : public TSearchReporter {
 public:
  std::function<void(const char*)> OnProgress;
  std::function<void(const TSearchLine&)> OnIteration;

  void Progress(const char* line) override {
    if (OnProgress) OnProgress(line);
  }
  void Iteration(const TSearchLine& line) override {
    if (OnIteration) OnIteration(line);
  }
};
