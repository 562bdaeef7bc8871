#include "engine/PositionKey.h"

#include <algorithm>

#include "engine/Metrics.h"

TPositionKey MakePositionKey(const int* board, TPlayer side) {
  TPositionKey key;
  key.Side = side;
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    if (!IsPlayable(i) || !IsPiece(board[i])) continue;
    const std::uint32_t bit = std::uint32_t{1} << (TMetrics::SquareToNotation(i) - 1);
    switch (board[i]) {
      case WhiteMan: key.WhiteMen |= bit; break;
      case WhiteKing: key.WhiteKings |= bit; break;
      case BlackMan: key.BlackMen |= bit; break;
      case BlackKing: key.BlackKings |= bit; break;
      default: break;
    }
  }
  return key;
}

void BoardOfPositionKey(const TPositionKey& key, int* board) {
  for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
  for (int n = 1; n <= 32; ++n) {
    const std::uint32_t bit = std::uint32_t{1} << (n - 1);
    int& cell = board[TMetrics::NotationToSquare(n)];
    if (key.WhiteMen & bit) cell = WhiteMan;
    if (key.WhiteKings & bit) cell = WhiteKing;
    if (key.BlackMen & bit) cell = BlackMan;
    if (key.BlackKings & bit) cell = BlackKing;
  }
}

bool IsIrreversibleMove(const int* move, const int* board) {
  return MoveLength(move) > 2 || IsMan(board[move[0]]);
}

int CountOccurrences(std::span<const TPositionKey> history, const TPositionKey& key) {
  return static_cast<int>(std::count(history.begin(), history.end(), key));
}
