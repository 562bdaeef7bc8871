// The board layout, square numbers, notation and playing a move.
#include <gtest/gtest.h>

#include <set>

#include "engine/Board.h"
#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"

namespace {

TEST(Board, StartingPositionLayout) {
  int board[BoardSize];
  for (int& cell : board) cell = -1;
  TMoveGenerator::InitBoard(board);
  int white = 0, black = 0, empty = 0;
  for (int i = 0; i < BoardSize; ++i) {
    if (!IsPlayable(i)) {
      EXPECT_EQ(board[i], OffBoard) << "index " << i;
      continue;
    }
    if (i <= 22) EXPECT_EQ(board[i], WhiteMan) << "index " << i;
    else if (i >= 32) EXPECT_EQ(board[i], BlackMan) << "index " << i;
    else EXPECT_EQ(board[i], Empty) << "index " << i;
    white += board[i] == WhiteMan;
    black += board[i] == BlackMan;
    empty += board[i] == Empty;
  }
  EXPECT_EQ(white, 12);
  EXPECT_EQ(black, 12);
  EXPECT_EQ(empty, 8);
  EXPECT_EQ(board[18], OffBoard);
  EXPECT_EQ(board[27], OffBoard);
  EXPECT_EQ(board[36], OffBoard);
}

TEST(Board, SquareNumbersAreOneToOneAndDescending) {
  std::set<int> seen;
  int previous = 33;
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    if (!IsPlayable(i)) continue;
    const int number = TMetrics::SquareToNotation(i);
    EXPECT_LT(number, previous);
    EXPECT_GE(number, 1);
    previous = number;
    seen.insert(number);
    EXPECT_EQ(TMetrics::NotationToSquare(number), i);
  }
  EXPECT_EQ(seen.size(), 32u);
  const std::pair<int, int> examples[] = {{44, 1}, {41, 4}, {37, 8}, {35, 9}, {26, 17}, {17, 25}, {10, 32}};
  for (auto [index, number] : examples) EXPECT_EQ(TMetrics::SquareToNotation(index), number) << index;
  EXPECT_EQ(TMetrics::NotationToSquare(0), 0);
  EXPECT_EQ(TMetrics::NotationToSquare(33), 0);
}

TEST(Board, RowsAndColumns) {
  class TMetrics metrics;
  const int rowStarts[8] = {10, 14, 19, 23, 28, 32, 37, 41};
  for (int r = 0; r < 8; ++r) {
    for (int k = 0; k < 4; ++k) {
      const int index = rowStarts[r] + k;
      EXPECT_EQ(metrics.Row[index], r) << index;
      EXPECT_EQ(metrics.Column[index], 2 * k + (r % 2 == 0 ? 1 : 0)) << index;
    }
  }
  for (int i : {0, 9, 18, 27, 36})
    EXPECT_EQ(metrics.Row[i] + metrics.Column[i], 0) << i;
  // Neighbours: +4 is up and left, +5 up and right.
  EXPECT_EQ(metrics.Row[24 + 4], metrics.Row[24] + 1);
  EXPECT_EQ(metrics.Column[24 + 4], metrics.Column[24] - 1);
  EXPECT_EQ(metrics.Column[24 + 5], metrics.Column[24] + 1);
}

TEST(Board, Notation) {
  char text[6];
  const int simple[] = {32, 28, 0};
  EXPECT_STREQ(TMetrics::MoveToStr(simple, text), "12-16");
  const int capture[] = {32, 28, 24, 0};
  EXPECT_STREQ(TMetrics::MoveToStr(capture, text), "12x19");
  // Only the ends are shown, so a long king capture still fits in five characters.
  const int tour[] = {10, 15, 20, 25, 30, 34, 38, 33, 28, 19, 10, 0};
  EXPECT_STREQ(TMetrics::MoveToStr(tour, text), "32x32");
  const int edge[] = {44, 40, 0};
  EXPECT_STREQ(TMetrics::MoveToStr(edge, text), "1-5");
}

class MakeMoveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
  }
  int board[BoardSize];
};

TEST_F(MakeMoveTest, MenAreCrownedOnTheFarRowOnly) {
  for (int to : {41, 42, 43, 44}) {
    SetUp();
    board[to - 4] = WhiteMan;
    const int move[] = {to - 4, to, 0};
    TMoveGenerator::MakeMove(move, board);
    EXPECT_EQ(board[to], WhiteKing) << to;
    EXPECT_EQ(board[to - 4], Empty);
  }
  for (int to : {10, 11, 12, 13}) {
    SetUp();
    board[to + 5] = BlackMan;
    const int move[] = {to + 5, to, 0};
    TMoveGenerator::MakeMove(move, board);
    EXPECT_EQ(board[to], BlackKing) << to;
  }
  // A man that stops short of the far row stays a man; kings stay kings.
  SetUp();
  board[33] = WhiteMan;
  const int step[] = {33, 37, 0};
  TMoveGenerator::MakeMove(step, board);
  EXPECT_EQ(board[37], WhiteMan);
  SetUp();
  board[15] = BlackKing;
  const int kingStep[] = {15, 10, 0};
  TMoveGenerator::MakeMove(kingStep, board);
  EXPECT_EQ(board[10], BlackKing);
}

TEST_F(MakeMoveTest, CaptureRemovesPiecesAndCrownsOnArrival) {
  // A Black man on 20 (square 23) jumps 15 (square 27) onto 10 (square 32), row 0.
  board[20] = BlackMan;
  board[15] = WhiteMan;
  board[19] = WhiteMan;
  const int move[] = {20, 15, 10, 0};
  TMoveGenerator::MakeMove(move, board);
  EXPECT_EQ(board[10], BlackKing);
  EXPECT_EQ(board[15], Empty);
  EXPECT_EQ(board[20], Empty);
  EXPECT_EQ(board[19], WhiteMan);
  // Landing on row 1 does not crown.
  SetUp();
  board[24] = BlackMan;
  board[19] = WhiteMan;
  const int short_[] = {24, 19, 14, 0};
  TMoveGenerator::MakeMove(short_, board);
  EXPECT_EQ(board[14], BlackMan);
}

TEST_F(MakeMoveTest, KingCaptureBackToItsOwnSquare) {
  // The king on 24 goes round 29, 30, 21 and 20 and lands where it started.
  board[24] = WhiteKing;
  for (int v : {29, 30, 21, 20}) board[v] = BlackMan;
  board[25] = BlackMan;  // in the middle of the loop, not taken
  const int move[] = {24, 29, 34, 30, 26, 21, 16, 20, 24, 0};
  TMoveGenerator::MakeMove(move, board);
  EXPECT_EQ(board[24], WhiteKing);
  for (int v : {29, 30, 21, 20, 34, 26, 16}) EXPECT_EQ(board[v], Empty) << v;
  EXPECT_EQ(board[25], BlackMan);
}

}  // namespace
