// TMetrics: rows, columns, square numbers (1 to 32) and move notation.
#pragma once

class TMetrics {
 public:
  TMetrics();

  int Column[45];  // column 0..7 of each playable index, 0 elsewhere
  int Row[45];     // row 0 (White's home row) .. 7 (Black's home row), 0 elsewhere

  // Square number 1..32 of a playable index: 44 is 1, 10 is 32.
  static int SquareToNotation(int index);
  // Board index of a square number 1..32, or 0 when the number is out of range.
  static int NotationToSquare(int number);
  // "12-16" for a simple move, "12x19" for a capture; `buffer` needs 6 chars.
  static char* MoveToStr(const int* move, char* buffer);
};

extern class TMetrics TMetrics;
