// The game's clocks: a time control (how much time each side has) and the two
// clocks that count down for the side to move. Times are read from a clock in
// milliseconds that the caller passes in, so that a test can script them.
#pragma once

#include <string>

#include "engine/Board.h"

struct TTimeControl {
  double Seconds = 0;    // each side's time at the start; 0: untimed
  double Increment = 0;  // seconds added after each move of the side
  int Moves = 0;         // the time is for this many moves, then as much again (0: for the whole game)

  bool Timed() const { return Seconds > 0; }
  // "untimed", "5 min + 3 s", "15 min", "30 moves in 10 min".
  std::string Text() const;
  // As PDN's TimeControl tag writes it: "300+3", "900", "30/600", "-" when untimed.
  std::string PdnTag() const;
  // The control a TimeControl tag names (the forms above); false for any other.
  static bool FromPdnTag(const std::string& tag, TTimeControl* control);
  bool operator==(const TTimeControl&) const = default;
};

class TGameClock {
 public:
  explicit TGameClock(TTimeControl control = {});

  const TTimeControl& Control() const { return control_; }
  // Both clocks full again, and stopped.
  void Reset(TTimeControl control);
  void Reset() { Reset(control_); }

  // The clock of `side` runs from `now`; the other stops. Nothing is added.
  void Run(TPlayer side, long long now);
  // Both clocks stop at `now`, keeping what is left.
  void Stop(long long now);
  bool Running() const { return running_; }
  TPlayer Side() const { return side_; }

  // The running side moved at `now`: its clock stops and gets its increment
  // (or, at the end of a period, the period's time), and the other side's runs.
  // False, with nothing changed but the clocks stopped, when the running
  // side's time had run out by then.
  bool Moved(long long now);
  // Whether the running side's time has run out by `now`.
  bool FlagFell(long long now) const { return running_ && Remaining(side_, now) <= 0; }

  // Milliseconds left to `side` at `now` (never below 0).
  long long Remaining(TPlayer side, long long now) const;
  // The moves `side` has left in its period (0: the time is for the whole game).
  int MovesToGo(TPlayer side) const;

  // "4:59", "12:00", and "0:09.4" under ten seconds.
  static std::string Text(long long milliseconds);

 private:
  TTimeControl control_;
  long long left_[2] = {0, 0};  // by side, when its clock last stopped (or started)
  int moves_[2] = {0, 0};       // moves made by each side
  TPlayer side_ = Black;
  bool running_ = false;
  long long since_ = 0;  // when the running clock started
};
