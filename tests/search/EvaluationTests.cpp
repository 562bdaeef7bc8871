#include <gtest/gtest.h>

#include "SearchTestSupport.h"
#include "engine/Metrics.h"
#include "search/Evaluation.h"

namespace {

TMaterial Summary(const int* board) {
  TMaterial m;
  m.SetBoard(board);
  return m;
}

// The evaluation without the weight sum: the board patterns and the two points
// of the side to move, from Black's view.
int Patterns(const std::string& text) {
  const TPosition p = Position(text);
  const TMaterial m = Summary(p.Board);
  return m.GetPosEval(Black, p.Board) - m.Positional;
}

void ExpectSameCounts(const TMaterial& a, const TMaterial& b) {
  EXPECT_EQ(a.Positional, b.Positional);
  EXPECT_EQ(a.WhiteAdvance, b.WhiteAdvance);
  EXPECT_EQ(a.BlackAdvance, b.BlackAdvance);
  EXPECT_EQ(a.WhiteKings, b.WhiteKings);
  EXPECT_EQ(a.BlackKings, b.BlackKings);
  EXPECT_EQ(a.WhiteMen, b.WhiteMen);
  EXPECT_EQ(a.BlackMen, b.BlackMen);
}

}  // namespace

TEST(Evaluation, WeightTables) {
  const auto& w = PositionalWeigth.Weight;
  const int blackManRow0[] = {15, 15, 15, 15}, whiteManRow0[] = {0, 0, 0, -1};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(w[BlackMan][10 + k], blackManRow0[k]);
    EXPECT_EQ(w[WhiteMan][10 + k], whiteManRow0[k]);
    EXPECT_EQ(w[WhiteMan][41 + k], 15);
  }
  for (int i = 10; i <= 44; ++i) {
    EXPECT_EQ(w[WhiteMan][i], w[BlackMan][54 - i]) << i;
    EXPECT_EQ(w[WhiteKing][i], w[BlackKing][i]) << i;  // the king table is symmetric
  }
  EXPECT_EQ(w[BlackKing][24], 5);
  EXPECT_EQ(w[BlackKing][13], 0);
  EXPECT_EQ(w[BlackKing][44], -5);
  EXPECT_EQ(w[BlackMan][40], -1);
}

TEST(Evaluation, StartPositionIsLevel) {
  const TPosition start = StartPosition();
  const TMaterial m = Summary(start.Board);
  EXPECT_EQ(m.WhiteMen, 12);
  EXPECT_EQ(m.BlackMen, 12);
  for (TPlayer side : {Black, White}) {
    EXPECT_EQ(m.GetMatEval(side), 0);
    EXPECT_EQ(m.GetPosEval(side, start.Board), 2);
  }
}

TEST(Evaluation, MaterialRewardsTradingDownWhenAhead) {
  TMaterial m;
  m.BlackKings = 2;
  m.BlackMen = 8;
  m.WhiteMen = 10;
  EXPECT_EQ(m.GetMatEval(Black), 67);
  EXPECT_EQ(m.GetMatEval(White), -67);
  TMaterial few;
  few.BlackMen = 2;
  few.WhiteMen = 1;
  EXPECT_EQ(few.GetMatEval(Black), 183);
  TMaterial many;
  many.BlackMen = 12;
  many.WhiteMen = 11;
  EXPECT_EQ(many.GetMatEval(Black), 110);
  EXPECT_EQ(many.GetMatEval(White), -110);
  EXPECT_EQ(TMaterial().GetMatEval(Black), 0);  // no pieces at all
  EXPECT_EQ(TMaterial().GetMatEval(White), 0);
}

TEST(Evaluation, CrowningThreats) {
  // A lone White man on square 5 (row 6) with square 1 free: 26 against Black;
  // one man each side of the ending: advance 2 x (0 - 6) = -12.
  EXPECT_EQ(Patterns("W:W5:BK14"), -26 - 12 + 2);
  // A Black king on square 6 spoils that threat.
  EXPECT_EQ(Patterns("W:W5:BK6"), -12 + 2);
  // Only the first square holding a White man is looked at: 8 is blocked by the
  // Black man on 4, so 7's clear path does not count (advance -24, back rank -3).
  EXPECT_EQ(Patterns("W:W7,8:B4"), -24 - 3 + 2);
  EXPECT_EQ(Patterns("W:W7:B4"), -12 - 26 - 3 + 2);
  // Black's mirror: a Black man on 25 (index 17) with 29 and 30 clear.
  EXPECT_EQ(Patterns("B:WK1:B25"), 26 + 12 + 2);
}

TEST(Evaluation, DoubleCornerEdgeAndGuards) {
  // Behind in pieces, a Black king on square 1 earns 15 (White's two men on row 2: -8).
  EXPECT_EQ(Patterns("B:W21,22:BK1"), 15 - 8 + 2);
  EXPECT_EQ(Patterns("B:W21:BK1"), -4 + 2);              // not behind: nothing
  EXPECT_EQ(Patterns("B:W21,22,23,24:BK1,K5,K28"), -16 + 2);  // three kings: nothing
  // White behind with a king on square 32 (index 10): 15 for White.
  EXPECT_EQ(Patterns("W:WK32:B9,10"), -15 + 2 * 4 + 2);
  // Black man on 20 and White man on 24: +5; advance 2 x (4 - 2).
  EXPECT_EQ(Patterns("B:W24:B20"), 5 + 4 + 2);
  // Black men on 1 and 6 guard the corner (+3); both back ranks hold square 1's
  // mirror, so they cancel; advance 2 x (1 - 0).
  EXPECT_EQ(Patterns("B:W32:B1,6"), 3 + 2 + 2);
  EXPECT_EQ(Patterns("B:W32,28:B1,6"), 3 - 3 + 2 * (1 - 1) + 2);
}

TEST(Evaluation, BackRankMasks) {
  EXPECT_EQ(BackRankValue[10], 7);  // Black men on squares 1 and 3
  EXPECT_EQ(BackRankValue[14], 9);
  EXPECT_EQ(BackRankValue[15], 8);
  // Black's full home row against White's full home row: equal.
  EXPECT_EQ(Patterns("B:W29,30,31,32:B1,2,3,4"), 2);
  // Black men on 1 and 3 against nothing: 3 x 7 (and the corner guard is absent).
  EXPECT_EQ(Patterns("B:W20:B1,3"), 3 * 7 + 2 * (0 - 3) + 2);
}

TEST(Evaluation, MakeAndUndoKeepBoardAndSummaryInStep) {
  int moves = 0;
  RandomGames(200, 160, 5, [&](int* board, TPlayer side, TMoveList& list) {
    const TMaterial before = Summary(board);
    int saved[BoardSize];
    std::copy(board, board + BoardSize, saved);
    for (int i = 0; i < list.NumMoves; ++i) {
      TMaterial m = before;
      int undo[MoveBufferSize];
      TSearcher::MakeMoveAndMaterialEvaluation(board, list.Moves[i], undo, m);
      int expected[BoardSize];
      std::copy(saved, saved + BoardSize, expected);
      TMoveGenerator::MakeMove(list.Moves[i], expected);
      ASSERT_TRUE(SameBoard(board, expected));
      ExpectSameCounts(m, Summary(board));
      TSearcher::UndoMove(board, list.Moves[i], undo);
      ASSERT_TRUE(SameBoard(board, saved));
      ++moves;
    }
    (void)side;
  });
  EXPECT_GT(moves, 30000);
}

TEST(Evaluation, CrowningAndLoopingCaptureThroughMakeAndUndo) {
  // A Black man on 26 crowns on 30.
  TPosition p = Position("B:W13:B26");
  TMaterial m = Summary(p.Board);
  const TMaterial parent = m;
  const int crown[] = {16, 11, 0};
  int undo[MoveBufferSize];
  TSearcher::MakeMoveAndMaterialEvaluation(p.Board, crown, undo, m);
  EXPECT_EQ(p.Board[11], BlackKing);
  EXPECT_EQ(m.BlackMen, 0);
  EXPECT_EQ(m.BlackKings, 1);
  EXPECT_EQ(m.Positional, Summary(p.Board).Positional);
  TSearcher::UndoMove(p.Board, crown, undo);
  EXPECT_EQ(p.Board[16], BlackMan);
  EXPECT_EQ(p.Board[11], Empty);
  EXPECT_EQ(parent.BlackMen, 1);

  TPosition loop = Position("B:W7,8,15,16:BK19");
  const TPosition saved = loop;
  TMoveList list;
  TMoveGenerator.MakeMoveList(loop.Board, Black, &list);
  for (int i = 0; i < list.NumMoves; ++i) {
    TMaterial lm = Summary(loop.Board);
    TSearcher::MakeMoveAndMaterialEvaluation(loop.Board, list.Moves[i], undo, lm);
    if (MoveDestination(list.Moves[i]) == 24) {
      EXPECT_EQ(loop.Board[24], BlackKing);
      EXPECT_EQ(lm.WhiteMen, 0);
      EXPECT_EQ(lm.BlackKings, 1);
    }
    ExpectSameCounts(lm, Summary(loop.Board));
    TSearcher::UndoMove(loop.Board, list.Moves[i], undo);
    ASSERT_TRUE(SameBoard(loop.Board, saved.Board));
  }
}
