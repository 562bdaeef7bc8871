#include <gtest/gtest.h>

#include "SearchTestSupport.h"

class OrderingTest : public SearchTest {
 protected:
  TMoveList& Generate(TPosition& p, int ply = 2) {
    TMoveList& list = TSearcher.MoveLists[ply];
    TMoveGenerator.MakeMoveList(p.Board, p.Side, &list);
    for (int i = 0; i < list.NumMoves; ++i) {
      TSearcher.OrderIndex[ply][i] = i;
      TSearcher.OrderScore[ply][i] = 0;
    }
    return list;
  }
  // The positional gain of a move.
  static int Gain(const TPosition& p, const int* move) {
    const int code = p.Board[move[0]];
    return PositionalWeigth.Weight[code][MoveDestination(move)] - PositionalWeigth.Weight[code][move[0]];
  }
};

TEST_F(OrderingTest, CaptureBalance) {
  // A Black man on 14 takes the White king on 18: 130 - 100 above the positional gain.
  TPosition manTakesKing = Position("B:WK18,30:B14");
  TMoveList& list = Generate(manTakesKing);
  ASSERT_EQ(list.NumMoves, 1);
  TSearcher.SortMoves(list, TSearcher.OrderScore[2], TSearcher.OrderIndex[2], 2, manTakesKing.Board);
  EXPECT_EQ(TSearcher.OrderScore[2][0], 30 + Gain(manTakesKing, list.Moves[0]));

  TPosition kingTakesMan = Position("B:W18,30:BK14");
  Generate(kingTakesMan);
  TSearcher.SortMoves(list, TSearcher.OrderScore[2], TSearcher.OrderIndex[2], 2, kingTakesMan.Board);
  EXPECT_EQ(TSearcher.OrderScore[2][0], -30 + Gain(kingTakesMan, list.Moves[0]));

  TPosition doubleJump = Position("B:W18,27,30:B14");
  Generate(doubleJump);
  ASSERT_EQ(list.NumMoves, 1);
  ASSERT_EQ(MoveLength(list.Moves[0]), 5);
  TSearcher.SortMoves(list, TSearcher.OrderScore[2], TSearcher.OrderIndex[2], 2, doubleJump.Board);
  EXPECT_EQ(TSearcher.OrderScore[2][0], 100 + Gain(doubleJump, list.Moves[0]));
}

TEST_F(OrderingTest, KillerAndTableMoveComeFirst) {
  TPosition start = StartPosition();
  TMoveList& list = Generate(start);
  int plain[16];
  int* const scores = TSearcher.OrderScore[2];
  TSearcher.SortMoves(list, scores, TSearcher.OrderIndex[2], 2, start.Board);
  for (int i = 0; i < list.NumMoves; ++i) plain[TSearcher.OrderIndex[2][i]] = scores[i];

  // The last generated move becomes the killer of ply 2: exactly 2000 more, and first.
  Generate(start);
  const int last = list.NumMoves - 1;
  TKillers.UpdateKiller(list.Moves[last], 2, -5);
  TKillers.UpdateKiller(list.Moves[0], 3, 0);  // another ply's killer changes nothing here
  TSearcher.SortMoves(list, scores, TSearcher.OrderIndex[2], 2, start.Board);
  EXPECT_EQ(TSearcher.OrderIndex[2][0], last);
  EXPECT_EQ(scores[0], plain[last] + 2000);
  for (int i = 1; i < list.NumMoves; ++i) EXPECT_EQ(scores[i], plain[TSearcher.OrderIndex[2][i]]);

  // The table's move (5000) beats the killer.
  Generate(start);
  scores[2] = 5000;
  TSearcher.SortMoves(list, scores, TSearcher.OrderIndex[2], 2, start.Board);
  EXPECT_EQ(TSearcher.OrderIndex[2][0], 2);
  EXPECT_EQ(TSearcher.OrderIndex[2][1], last);
  // Scores come out in descending order with moves and indices kept together.
  for (int i = 1; i < list.NumMoves; ++i) EXPECT_GE(scores[i - 1], scores[i]);
  TMoveList fresh;
  TMoveGenerator.MakeMoveList(start.Board, Black, &fresh);
  for (int i = 0; i < list.NumMoves; ++i)
    EXPECT_TRUE(TKillers::IsEquivalentMove(list.Moves[i], fresh.Moves[TSearcher.OrderIndex[2][i]]));
}

TEST_F(OrderingTest, AdvanceBonusForARunningMan) {
  // Score of the simple move of `text` that ends on `destination`.
  auto scoreTo = [this](const char* text, int destination) {
    TPosition p = Position(text);
    TMoveList& list = Generate(p);
    int* const scores = TSearcher.OrderScore[2];
    TSearcher.SortMoves(list, scores, TSearcher.OrderIndex[2], 2, p.Board);
    for (int i = 0; i < list.NumMoves; ++i)
      if (MoveLength(list.Moves[i]) == 2 && MoveDestination(list.Moves[i]) == destination)
        return scores[i] - Gain(p, list.Moves[i]);
    ADD_FAILURE() << text << " has no simple move to index " << destination;
    return -1;
  };
  // White man from 9 (index 35) to 5 (index 40) with square 1 empty: 26...
  EXPECT_EQ(scoreTo("W:W9:B14", 40), 26);
  // ...unless a Black king stands on 6 (index 39).
  EXPECT_EQ(scoreTo("W:W9:B2,K6", 40), 0);
  // To 6 (index 39) needs squares 2 and 1 empty.
  EXPECT_EQ(scoreTo("W:W9:B14", 39), 26);
  EXPECT_EQ(scoreTo("W:W9:B2", 39), 0);
  // Third row: to 10 (index 34) needs 7, 6, 2 empty and 3 or 1 empty.
  EXPECT_EQ(scoreTo("W:W14:B1", 34), 23);
  EXPECT_EQ(scoreTo("W:W14:B3,4", 34), 23);
  EXPECT_EQ(scoreTo("W:W14:B1,3", 34), 0);
  EXPECT_EQ(scoreTo("W:W14:B2", 34), 0);
  // Black's mirror: 24 (index 19) to 28 (index 14), square 32 empty and no
  // White king on 27; and a king's move never earns the bonus.
  EXPECT_EQ(scoreTo("B:WK1:B24", 14), 26);
  EXPECT_EQ(scoreTo("B:W31,K27:B24", 14), 0);
  EXPECT_EQ(scoreTo("B:WK1:BK24", 14), 0);
}

TEST_F(OrderingTest, RootSortByRememberedScores) {
  TPosition start = StartPosition();
  TMoveList& list = Generate(start, 0);
  int* const root = TSearcher.RootScores;
  for (int i = 0; i < 7; ++i) root[i] = 0;
  TSearcher.SortMoves0(list, root, TSearcher.OrderIndex[0]);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(TSearcher.OrderIndex[0][i], i);  // all equal: generation order

  Generate(start, 0);
  const int remembered[7] = {5, -20, 15090, 5, 40, -3, 40};
  for (int i = 0; i < 7; ++i) root[i] = remembered[i];
  TSearcher.SortMoves0(list, root, TSearcher.OrderIndex[0]);
  EXPECT_EQ(TSearcher.OrderIndex[0][0], 2);
  EXPECT_EQ(TSearcher.OrderIndex[0][1], 4);  // the first of the two 40s
  EXPECT_EQ(TSearcher.OrderIndex[0][2], 6);
  EXPECT_EQ(TSearcher.OrderIndex[0][6], 1);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(root[i], remembered[i]);  // still by generation index
}

TEST_F(OrderingTest, TableScoresOfChildren) {
  TPosition start = StartPosition();
  const TBoardMasks masks = MasksOf(start.Board);
  TMaskMoveList& list = TSearcher.MaskLists[2];
  TMoveGenerator.MakeMaskList(masks, Black, &list);
  int key1, key2;
  HashTable->GenerateKey(start.Board, Black, key1, key2);
  // Remember the position after the second move as good for White (the side to move there).
  int k1 = key1, k2 = key2;
  HashTable->UpdateKey(masks, Black, list.Moves[1], k1, k2);
  THashEntry e{};
  e.Lock = k2;
  e.Score = 40;
  e.Depth = 30;
  HashTable->Add(e, k1);
  int* const scores = TSearcher.OrderScore[2];
  for (int i = 0; i < list.NumMoves; ++i) scores[i] = 0;
  const TMaskMove second = list.Moves[1];
  EXPECT_FALSE(TSearcher.SortMoves1(list, scores, masks, Black, key1, key2));
  EXPECT_EQ(scores[1], 10 - 40);
  for (int i = 0; i < list.NumMoves; ++i) {
    if (i != 1) {
      EXPECT_EQ(scores[i], -1000);
    }
  }
  EXPECT_TRUE(TKillers::Same(list.Moves[1], second));  // nothing sorted
}

TEST(Killers, UpdateCompareAndClear) {
  class TKillers killers;
  const int a[] = {32, 28, 0}, b[] = {32, 28, 24, 0}, c[] = {33, 29, 0};
  EXPECT_TRUE(TKillers::IsEquivalentMove(a, a));
  EXPECT_FALSE(TKillers::IsEquivalentMove(a, b));  // a prefix is not the same move
  EXPECT_FALSE(TKillers::IsEquivalentMove(b, a));
  EXPECT_EQ(killers.KillerIncrement(a, 4), 0);
  killers.UpdateKiller(a, 4, 100);
  EXPECT_EQ(killers.KillerIncrement(a, 4), 2000);
  EXPECT_EQ(killers.KillerIncrement(a, 5), 0);
  killers.UpdateKiller(a, 4, -9999);  // same move: unchanged whatever the score
  EXPECT_EQ(killers.KillerIncrement(a, 4), 2000);
  killers.UpdateKiller(c, 4, -50);
  EXPECT_EQ(killers.KillerIncrement(c, 4), 2000);
  EXPECT_EQ(killers.KillerIncrement(a, 4), 0);
  killers.ClearKillers();
  EXPECT_FALSE(killers.HasKiller(4));
  EXPECT_EQ(killers.KillerIncrement(c, 4), 0);
}
