// The board window's game clocks (Options, Game Clock): untimed, or a time
// control for the game. The clocks start with the game's first move and count
// down for the side to move, shown on the status bar; the computer allots its
// time from its clock; a flag that falls ends the game. A move's own showing
// counts for nobody.
#include <chrono>
#include <string>

#include "engine/MoveGenerator.h"
#include "framework/Settings.h"
#include "framework/StatusBar.h"
#include "framework/Timer.h"
#include "ui/VarekWindow.h"
#include "ui/WindowSettings.h"

namespace {

// As the Game Clock menu lists them.
const TTimeControl Controls[TVarekWindow::ClockItems] = {
    {}, {60, 1, 0}, {300, 3, 0}, {900, 0, 0}, {600, 0, 30},
};

const char* LostOnTimeText(int side) { return side == White ? "White loses on time" : "Black loses on time"; }

}  // namespace

long long SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

const TTimeControl& TVarekWindow::ClockControl(int item) { return Controls[item >= 0 && item < ClockItems ? item : 0]; }

void TVarekWindow::CmOptionsClock(int item) {
  if (Busy()) return;
  SetClock(item);
  ShowStatus("game clock: " + ClockControl(item).Text());
}

void TVarekWindow::SetClock(int item) {
  clockItem_ = item >= 0 && item < ClockItems ? item : 0;
  TSettings().WriteInt(SettingClock, clockItem_);
  clock_.Reset(ClockControl(clockItem_));
  ResetClocks();
}

void TVarekWindow::CeOptionsClock(TCommandEnabler& ce, int item) {
  ce.Enable(!Busy());
  ce.SetCheck(item == clockItem_ ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

void TVarekWindow::ResetClocks() {
  clock_.Reset();
  clockStarted_ = clockPaused_ = false;
  lostOnTime_ = -1;
  if (clockTicker_) clockTicker_->Stop();
  ShowClocks();
}

bool TVarekWindow::ClockMoveChosen() {
  if (!clock_.Running()) return true;
  const TPlayer mover = clock_.Side();
  if (!clock_.Moved(ClockTime())) {
    LoseOnTime(mover);
    return false;
  }
  clock_.Stop(ClockTime());  // until the move is on the board
  return true;
}

void TVarekWindow::ClockMovePlayed(bool gameOver) {
  if (!clock_.Control().Timed() || lostOnTime_ >= 0) return;
  clockStarted_ = true;
  if (gameOver)
    clock_.Stop(ClockTime());
  else
    clock_.Run(static_cast<TPlayer>(GameStatus.SideToMove), ClockTime());
  if (!clockTicker_) clockTicker_ = std::make_unique<TTimer>(100, [this] { TickClock(); });
  if (clock_.Running()) clockTicker_->Start();
  ShowClocks();
}

void TVarekWindow::ClockFollowsPosition() {
  if (!clockStarted_ || lostOnTime_ >= 0) return;
  class TMoveGenerator generator;
  const auto side = static_cast<TPlayer>(GameStatus.SideToMove);
  if (generator.NoMovesLeft(GameStatus.Board, side))
    clock_.Stop(ClockTime());
  else
    clock_.Run(side, ClockTime());
  if (clockTicker_ && clock_.Running()) clockTicker_->Start();
  ShowClocks();
}

void TVarekWindow::TickClock() {
  if (clock_.FlagFell(ClockTime())) {
    LoseOnTime(clock_.Side());
    return;
  }
  if (!clock_.Running() && clockTicker_) clockTicker_->Stop();
  ShowClocks();
}

void TVarekWindow::LoseOnTime(int side) {
  clock_.Stop(ClockTime());
  if (clockTicker_) clockTicker_->Stop();
  lostOnTime_ = side;
  ShowClocks();
  SyncMoveList();  // its note says who lost
  // The computer thinking of the move it has no time left for plays nothing.
  if (run_ == TRun::Move) {
    computer_.Stop();
    computer_.ClearLastingStop();
  }
  GameStatus.PlayMode = TPlayMode::NormalPlay;
  AnnounceGameOver(LostOnTimeText(side));
}

void TVarekWindow::ShowClocks() {
  TStatusBar* bar = StatusBar();
  if (!bar) return;
  for (int side : {Black, White}) {
    if (clockFields_[side] < 0) clockFields_[side] = bar->AddField();
    std::string text;
    if (clock_.Control().Timed()) {
      const bool running = clock_.Running() && clock_.Side() == side;
      text = std::string(running ? "\u25B6 " : "") + (side == Black ? "Black " : "White ") +
             TGameClock::Text(clock_.Remaining(static_cast<TPlayer>(side), ClockTime()));
    }
    bar->SetFieldText(clockFields_[side], text.c_str());
  }
}

std::string TVarekWindow::GameOverOnTime() const { return lostOnTime_ >= 0 ? LostOnTimeText(lostOnTime_) : ""; }
