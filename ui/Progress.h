// The computer's progress and result on the status bar. The message area
// keeps the user's texts ("you played ...") while the computer thinks; its
// best move so far goes to a field of its own, and the figures (depth, time,
// evaluations and nodes) to the last field, whose seconds keep counting while
// a long iteration runs. The result line is shown the same way: the move and
// score in the message area, the figures beside it.
#pragma once

#include <memory>
#include <string>

#include "framework/Timer.h"

class TStatusBar;

// The parts a line is shown in.
struct TProgressParts {
  std::string Message;  // the message area ("" leaves it as it is)
  std::string Best;     // the best move so far and the move being searched
  std::string Figures;  // depth, seconds, evaluations, nodes
};
TProgressParts SplitProgressLine(const std::string& line);
TProgressParts SplitResultLine(const std::string& infoText, const char* lead = "Played ");
// The figures with their seconds replaced by `seconds`.
std::string WithSeconds(const std::string& figures, double seconds);

class TProgressDisplay {
 public:
  // Adds the two fields to `bar` and shows progress on it from now on; null
  // shows nothing.
  void ShowOn(TStatusBar* bar);
  // The search's progress line ("Best ...") and its result line (shown after "Played ").
  void Progress(const char* line);
  void Result(const char* infoText);
  // The hint's result line the same way, after "hint: ".
  void HintResult(const char* infoText);
  // Empties the fields, as when the game they were about is gone (New, Import, Setup).
  void Clear();
  // A search starts and ends (the clock of the counting seconds).
  void ClockStarted();
  void ClockStopped();

 private:
  void Show(const TProgressParts& parts, bool message);
  void Tick();

  TStatusBar* bar_ = nullptr;
  int bestField_ = -1;
  int figuresField_ = -1;
  std::unique_ptr<TTimer> ticker_;
  int clockStart_ = 0;  // SearchClock() when the search began
};
