// TMoveAnimation: a move shown step by step before it is made, the same for
// the user's moves and the computer's. A simple move lands on its square and
// the window waits 500 ms; each jump of a capture lands, 250 ms, the jumped
// piece goes, 250 ms. The steps are pictures of the board that a timer of the
// UI thread hands to the window in turn; nothing waits in between.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "engine/Board.h"
#include "framework/Timer.h"

class TMoveAnimation {
 public:
  using TBoardPicture = std::array<int, BoardSize>;
  // `show` draws a picture (what changed since the one before); `done` follows the last pause.
  using TShow = std::function<void(const TBoardPicture& before, const TBoardPicture& now)>;

  TMoveAnimation();

  // Shows `move`, legal on `board`, with every pause times `scale` (0: all
  // at once, before Start returns), then calls `done`.
  void Start(const int* board, const int* move, double scale, TShow show, std::function<void()> done);
  // Shows what is left at once and calls `done`; nothing when none runs.
  void Finish();
  bool Running() const { return running_; }
  // The board as the animation shows it now (while it runs).
  const TBoardPicture& Shown() const { return shown_; }

 private:
  struct TStep {
    TBoardPicture Picture;
    int PauseMs;
  };
  void Advance();  // from the next step on, up to the first pause that lasts
  void Complete();

  std::vector<TStep> steps_;
  size_t next_ = 0;
  double scale_ = 1.0;
  bool running_ = false;
  TBoardPicture shown_{};
  TShow show_;
  std::function<void()> done_;
  TTimer timer_;
};
