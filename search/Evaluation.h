// The evaluation, in hundredths of a man (man 100, king 130), from the view of
// the side to move. TMaterial is the summary the search carries by value from
// node to node and updates per move; GetPosEval adds fixed board patterns.
#pragma once

#include "engine/Board.h"

// Positional weight of each piece code on each board index. Black's tables are
// written out; White's are the same turned through half a circle.
class PositionalWeigth {
 public:
  PositionalWeigth();
  int Weight[4][45];
  void MiddleGameValues();
};

extern class PositionalWeigth PositionalWeigth;

// Worth of a side's remaining home-row men, by a 4-bit mask: for Black indices
// 41, 42, 43, 44 are bits 1, 2, 4, 8; for White 13, 12, 11, 10.
extern const int BackRankValue[16];

class TMaterial {
 public:
  int Positional = 0;    // Black's weights minus White's
  int WhiteAdvance = 0;  // sum of Row over White men
  int BlackAdvance = 0;  // sum of 7 - Row over Black men
  int WhiteKings = 0;
  int BlackKings = 0;
  int WhiteMen = 0;
  int BlackMen = 0;
  int DoubleCorner[4] = {14, 10, 44, 40};

  // Recounts every piece of the board; DoubleCorner is left alone.
  void SetBoard(const int* board);
  void AddPiece(int code, int index);
  void DeletePiece(int code, int index);
  // Material for `side`; 0 on a board without pieces.
  int GetMatEval(TPlayer side) const;
  // Positional score for `side` on the board this summary describes.
  int GetPosEval(TPlayer side, const int* board) const;
};
