// Status_Of_The_Game: the game as the board window shows it. The displayed
// position and side to move, the play settings, the move-input lists that tell
// the mouse handling which pieces may be picked up and where they may go, and
// the flag that tells the window the computer's thread is running.
#pragma once

#include <atomic>

#include "engine/Board.h"
#include "engine/MoveList.h"

class Status_Of_The_Game {
 public:
  Status_Of_The_Game();

  int PlayMode;   // 0 auto play, 1 normal play, 2 two players
  int TimeLimit;  // seconds handed to the search driver
  int Level;      // 0..7, the Level menu item
  int PossibleStart[33];    // zero-terminated: squares from which the side to move can move
  TMoveList PossibleMoves;  // the legal moves from the square last passed to SetPossibleMoves
  int NumPossibleMoves;
  TMoveList LegalMoves;     // the generator's list for this record
  int Board[BoardSize];
  int SideToMove;
  std::atomic<bool> Thinking;  // the computer's thread is running (shared with it)
  bool Inverted;
  int DragState;  // 0 arrow, 804 hand over a movable piece, 800 dragging
  bool Sound;
  bool SetupMode;
  int SetupPiece;  // code placed by a click on an empty square in setup mode

  // Rebuilds PossibleStart for Board and SideToMove.
  void SetPossibleStart();
  // Fills PossibleMoves with the legal moves that start on `square`.
  void SetPossibleMoves(int square);
  // Copies a zero-terminated move with its terminator.
  static void CopyMove(int* destination, const int* source);
};

extern Status_Of_The_Game GameStatus;
