// TMoveGenerator: the single authority on the rules. Lists the legal moves of a
// side (captures compulsory, multi-jumps to the end), plays moves with
// crowning, and tells whether a side can move at all.
#pragma once

#include "engine/Board.h"
#include "engine/MoveList.h"

class TMoveGenerator {
 public:
  TMoveGenerator();

  int Directions[6];            // {4, 5, -5, -4, 4, 5}: a piece of colour c uses entries from 2c
  int CurrentMove[128];         // the move being built during the search of one piece
  int CurrentLength = 0;
  int* Board = nullptr;         // the position being examined (borrowed for one call)
  int Side = Black;             // the side whose moves are listed
  TMoveList* MoveList = nullptr;

  // Writes the starting position into a 55-cell array.
  static void InitBoard(int* board);
  // Plays a legal move on `board`: empties every listed square, crowns, puts the piece down.
  static void MakeMove(const int* move, int* board);

  // Fills `list` with every legal move of `side`, in generation order. The board
  // is changed during the call and restored before it returns.
  void MakeMoveList(int* board, TPlayer side, TMoveList* list);
  // The recursive search of one piece's moves; depth counts the jumps made so far.
  void MakeMoveListAux(int square, int depth);
  // Appends CurrentMove to the list.
  void SaveMove();

  // 1 when `side` has a capture, else 2 when it has a simple move, else 0.
  int TestPos(const int* board, TPlayer side) const;
  // 1 when `side` has no legal move, else 0.
  int NoMovesLeft(const int* board, TPlayer side) const;
};

// The program's generator.
extern class TMoveGenerator TMoveGenerator;
