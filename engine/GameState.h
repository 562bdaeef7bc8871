// Status_Of_The_Game: the position the board window shows and its move
// input. The position and side to move, and the lists that tell the mouse
// handling which pieces may be picked up and where they may go; the rules
// come from the move generator.
#pragma once

#include "engine/Board.h"
#include "engine/MoveList.h"

class Status_Of_The_Game {
 public:
  Status_Of_The_Game();

  int PossibleStart[33];    // zero-terminated: squares from which the side to move can move
  TMoveList PossibleMoves;  // the legal moves from the square last passed to SetPossibleMoves
  int NumPossibleMoves;
  TMoveList LegalMoves;     // the generator's list for this record
  int Board[BoardSize];
  int SideToMove;

  // Rebuilds PossibleStart for Board and SideToMove.
  void SetPossibleStart();
  // Fills PossibleMoves with the legal moves that start on `square`.
  void SetPossibleMoves(int square);
  // Copies a zero-terminated move with its terminator.
  static void CopyMove(int* destination, const int* source);
};
