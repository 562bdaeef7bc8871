// Position keys: equal exactly for the same pieces and side, and the moves
// after which no earlier position can return.
#include <gtest/gtest.h>

#include <vector>

#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "engine/PositionKey.h"
#include "engine/PositionString.h"
#include "tests/PositionFromText.h"

namespace {

TEST(PositionKey, TellsPiecesKindsAndSideApart) {
  const TPosition a = Position("B:WK14:BK19,K27");
  EXPECT_EQ(MakePositionKey(a.Board, a.Side), MakePositionKey(a.Board, a.Side));
  EXPECT_NE(MakePositionKey(a.Board, Black), MakePositionKey(a.Board, White));
  EXPECT_NE(MakePositionKey(a.Board, a.Side), MakePositionKey(Position("B:W14:BK19,K27").Board, Black));
  EXPECT_NE(MakePositionKey(a.Board, a.Side), MakePositionKey(Position("B:BK14:WK19,K27").Board, Black));
  EXPECT_NE(MakePositionKey(a.Board, a.Side), MakePositionKey(Position("B:WK15:BK19,K27").Board, Black));
  // Square 1 and square 32 land on the lowest and the highest bit.
  const TPositionKey corners = MakePositionKey(Position("W:W32:B1").Board, White);
  EXPECT_EQ(corners.BlackMen, 1u);
  EXPECT_EQ(corners.WhiteMen, 1u << 31);
}

TEST(PositionKey, KingsShufflingBackReturnToTheSameKey) {
  TPosition p = Position("B:WK14:BK19,K27");
  std::vector<TPositionKey> history{MakePositionKey(p.Board, p.Side)};
  // Black 19-23, White 14-10, Black 23-19, White 10-14: the first position again.
  const int moves[][2] = {{19, 23}, {14, 10}, {23, 19}, {10, 14}};
  for (const auto& m : moves) {
    const int move[3] = {TMetrics::NotationToSquare(m[0]), TMetrics::NotationToSquare(m[1]), 0};
    EXPECT_FALSE(IsIrreversibleMove(move, p.Board));
    TMoveGenerator::MakeMove(move, p.Board);
    p.Side = static_cast<TPlayer>(1 - p.Side);
    history.push_back(MakePositionKey(p.Board, p.Side));
  }
  EXPECT_EQ(CountOccurrences(history, history.back()), 2);
  EXPECT_EQ(CountOccurrences(history, history[1]), 1);
}

TEST(PositionKey, CapturesAndManMovesAreIrreversible) {
  int board[BoardSize];
  TMoveGenerator::InitBoard(board);
  const int manMove[3] = {TMetrics::NotationToSquare(11), TMetrics::NotationToSquare(15), 0};
  EXPECT_TRUE(IsIrreversibleMove(manMove, board));
  const TPosition kings = Position("B:WK18:BK14");
  const int capture[4] = {TMetrics::NotationToSquare(14), TMetrics::NotationToSquare(18),
                          TMetrics::NotationToSquare(22), 0};
  EXPECT_TRUE(IsIrreversibleMove(capture, kings.Board));
}

}  // namespace
