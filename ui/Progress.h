// The computer's progress and result on the status bar. The message area
// keeps the user's texts ("you played ...") while the computer thinks; its
// best move so far goes to a field of its own, and the figures (depth, time,
// evaluations and nodes) to the last field, whose seconds keep counting while
// a long iteration runs. The result line is shown the same way: the move and
// score in the message area, the figures beside it.
#pragma once

#include <string>

class TStatusBar;

// Adds the two fields to the bar and starts showing progress on it; null stops.
void ShowProgressOn(TStatusBar* bar);

// The search's progress line ("Best ...") and its result line (InfoText,
// shown after "Played ").
void ShowComputerProgress(const char* line);
void ShowComputerResult(const char* infoText);
// The hint's result line the same way, after "hint: ".
void ShowHintResult(const char* infoText);
// Empties the fields, as when the game they were about is gone (New, Import, Setup).
void ClearComputerProgress();
// A search of the computer starts and ends (the clock of the counting seconds).
void ProgressClockStarted();
void ProgressClockStopped();

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
