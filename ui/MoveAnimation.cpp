#include "ui/MoveAnimation.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
constexpr int SimpleMovePauseMs = 500;
constexpr int JumpPauseMs = 250;  // after the landing, and again after the jumped piece is gone
}  // namespace

TMoveAnimation::TMoveAnimation() : timer_(0, [this] { Advance(); }) {}

void TMoveAnimation::Start(const int* board, const int* move, double scale, TShow show, std::function<void()> done) {
  Finish();  // one at a time
  std::copy(board, board + BoardSize, shown_.begin());
  steps_.clear();
  next_ = 0;
  scale_ = scale;
  show_ = std::move(show);
  done_ = std::move(done);

  TBoardPicture picture = shown_;
  int piece = picture[move[0]];
  const int length = MoveLength(move);
  if (length == 2) {
    picture[move[0]] = Empty;
    picture[move[1]] = IsMan(piece) && IsCrowningRow(move[1]) ? piece - 2 : piece;
    steps_.push_back({picture, SimpleMovePauseMs});
  } else {
    int at = move[0];
    for (int k = 1; k + 1 < length; k += 2) {
      const int captured = move[k], landing = move[k + 1];
      // Crowned on the way, it stays crowned for the rest of the move.
      if (IsMan(piece) && IsCrowningRow(landing)) piece -= 2;
      picture[at] = Empty;
      picture[landing] = piece;
      steps_.push_back({picture, JumpPauseMs});
      picture[captured] = Empty;
      steps_.push_back({picture, JumpPauseMs});
      at = landing;
    }
  }
  running_ = true;
  Advance();
}

void TMoveAnimation::Advance() {
  while (running_ && next_ < steps_.size()) {
    const TStep& step = steps_[next_++];
    const TBoardPicture before = shown_;
    shown_ = step.Picture;
    if (show_) show_(before, shown_);
    const int pause = static_cast<int>(std::lround(step.PauseMs * scale_));
    if (pause > 0) {
      timer_.StartOnce(pause);
      return;
    }
  }
  if (running_) Complete();
}

void TMoveAnimation::Finish() {
  if (!running_) return;
  timer_.Stop();
  if (next_ < steps_.size()) {
    const TBoardPicture before = shown_;
    shown_ = steps_.back().Picture;
    next_ = steps_.size();
    if (show_) show_(before, shown_);
  }
  Complete();
}

void TMoveAnimation::Complete() {
  running_ = false;
  timer_.Stop();
  show_ = nullptr;
  // Last: `done` may start the next move at once.
  if (auto done = std::move(done_)) {
    done_ = nullptr;
    done();
  }
}
