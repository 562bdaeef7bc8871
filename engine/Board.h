// The position representation shared by every part of the program: a padded
// array of 55 square codes, the two sides and the limits of a move.
#pragma once

// Square codes. A cell holds a piece when its code is below 4; the colour of a
// piece is code & 1; kings are 0 and 1, men 2 and 3; crowning subtracts 2.
enum TSquareCode { WhiteKing = 0, BlackKing = 1, WhiteMan = 2, BlackMan = 3, Empty = 4, OffBoard = 5 };

// The side to move, equal to the colour bit of its pieces. Black moves first.
enum TPlayer { White = 0, Black = 1 };

// Cells 10..44 are playable except the ghosts 18, 27 and 36; neighbours are +-4 and +-5.
constexpr int BoardSize = 55;
constexpr int FirstSquare = 10;
constexpr int LastSquare = 44;

// Only the 18 inner squares can be jumped, so a capture takes at most 18 pieces
// and a move has at most 1 + 2 * 18 entries before its terminating 0. (In fact
// a piece's landing squares keep the parity of its row and column, so the
// pieces it can jump lie on 9 squares only and the longest move has 19
// entries; the buffers keep the simpler bound.)
constexpr int MaxCaptures = 18;
constexpr int MaxMoveEntries = 1 + 2 * MaxCaptures;
constexpr int MoveBufferSize = 40;  // room for the longest move and its terminator
static_assert(MoveBufferSize > MaxMoveEntries);

inline constexpr bool IsPlayable(int index) {
  return index >= FirstSquare && index <= LastSquare && index != 18 && index != 27 && index != 36;
}

inline constexpr bool IsPiece(int code) { return code >= 0 && code < 4; }
inline constexpr bool IsKing(int code) { return code == WhiteKing || code == BlackKing; }
inline constexpr bool IsMan(int code) { return code == WhiteMan || code == BlackMan; }

// Row 0 (10..13) and row 7 (41..44) are the crowning rows.
inline constexpr bool IsCrowningRow(int index) { return index < 14 || index > 40; }

// Number of non-zero entries of a zero-terminated move.
inline int MoveLength(const int* move) {
  int n = 0;
  while (move[n] != 0) ++n;
  return n;
}

// Last entry of a zero-terminated move: where the piece ends.
inline int MoveDestination(const int* move) { return move[MoveLength(move) - 1]; }
