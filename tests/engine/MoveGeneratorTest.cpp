// Move generation: perft from the start, hand-built positions for each rule,
// and random positions (many kings included) against the reference rules.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "engine/Perft.h"
#include "engine/PositionString.h"
#include "tests/engine/ReferenceRules.h"

namespace {

using Moves = std::vector<std::vector<int>>;

struct TPosition {
  int Board[BoardSize];
  TPlayer Side;
};

TPosition Parse(const std::string& text) {
  TPosition p;
  std::string error;
  EXPECT_TRUE(ParsePosition(text, p.Board, &p.Side, &error)) << text << ": " << error;
  return p;
}

Moves ListOf(const TMoveList& list) {
  Moves moves;
  for (int i = 0; i < list.NumMoves; ++i) moves.emplace_back(list.Moves[i], list.Moves[i] + MoveLength(list.Moves[i]));
  return moves;
}

Moves Generate(int* board, TPlayer side, bool* captures = nullptr) {
  class TMoveGenerator generator;
  TMoveList list;
  generator.MakeMoveList(board, side, &list);
  if (captures != nullptr) *captures = list.CaptureMoves;
  return ListOf(list);
}

Moves Reference(const int* board, TPlayer side) {
  return reference::LegalMoves(reference::FromBoard(board), side);
}

TEST(Perft, KnownCountsFromTheStart) {
  const long long expected[] = {1, 7, 49, 302, 1469, 7361, 36768, 179740, 845931};
  TPerft perft;
  int board[BoardSize];
  TMoveGenerator::InitBoard(board);
  for (int depth = 0; depth <= 8; ++depth) {
    EXPECT_EQ(perft.Count(board, Black, depth), expected[depth]) << "depth " << depth;
    int fresh[BoardSize];
    TMoveGenerator::InitBoard(fresh);
    ASSERT_TRUE(std::equal(board, board + BoardSize, fresh)) << "perft left the board changed";
  }
}

TEST(Perft, DivideSplitsTheCountByRootMove) {
  TPerft perft;
  int board[BoardSize];
  TMoveGenerator::InitBoard(board);
  Moves moves;
  const std::vector<long long> counts = perft.Divide(board, Black, 4, &moves);
  ASSERT_EQ(counts.size(), 7u);
  EXPECT_EQ(moves[0], (std::vector<int>{32, 28, 0}));
  long long total = 0;
  for (long long c : counts) total += c;
  EXPECT_EQ(total, 1469);
}

TEST(MoveGenerator, StartingPositionInOrder) {
  int board[BoardSize];
  TMoveGenerator::InitBoard(board);
  bool captures = true;
  const Moves black = Generate(board, Black, &captures);
  EXPECT_FALSE(captures);
  EXPECT_EQ(black, (Moves{{32, 28}, {33, 28}, {33, 29}, {34, 29}, {34, 30}, {35, 30}, {35, 31}}));
  EXPECT_EQ(Generate(board, White).size(), 7u);
}

TEST(MoveGenerator, OneCaptureAmongManySimpleMoves) {
  // White's men could all step, but 22 must take 18.
  TPosition p = Parse("W:W21,22,25,26,27,28,29,30,31,32:B18,1");
  bool captures = false;
  const Moves moves = Generate(p.Board, p.Side, &captures);
  EXPECT_TRUE(captures);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].front(), TMetrics::NotationToSquare(22));
  EXPECT_EQ(moves[0].back(), TMetrics::NotationToSquare(15));
}

TEST(MoveGenerator, ManCrownedByCaptureStops) {
  // The White man on 10 (index 34) takes 7 (38) and lands on 3 (42), its
  // crowning row; a king there could go on over 8 (37), a man may not.
  TPosition p = Parse("W:W10:B7,8");
  const Moves moves = Generate(p.Board, p.Side);
  ASSERT_EQ(moves, (Moves{{34, 38, 42}}));
  int terminated[] = {34, 38, 42, 0};
  TMoveGenerator::MakeMove(terminated, p.Board);
  EXPECT_EQ(p.Board[42], WhiteKing);
  EXPECT_EQ(p.Board[37], BlackMan);
}

TEST(MoveGenerator, KingsTakeBackwardsMenDoNot) {
  // A White man on 19 (index 24) with a Black man behind it on 23 (index 19).
  TPosition man = Parse("W:W19:B23");
  bool captures = true;
  EXPECT_EQ(Generate(man.Board, man.Side, &captures).size(), 2u);
  EXPECT_FALSE(captures);
  TPosition king = Parse("W:WK19:B23");
  EXPECT_EQ(Generate(king.Board, king.Side, &captures), (Moves{{24, 20, 16}}));
  EXPECT_TRUE(captures);
}

TEST(MoveGenerator, KingCaptureReturningToItsOrigin) {
  // The king on 19 (index 24) can go round 15, 14, 22 and 23 either way and
  // come home; both loops are listed, clockwise first by direction order.
  TPosition p = Parse("W:WK19:B15,14,22,23");
  const Moves moves = Generate(p.Board, p.Side);
  ASSERT_EQ(moves, (Moves{{24, 29, 34, 30, 26, 21, 16, 20, 24}, {24, 20, 16, 21, 26, 30, 34, 29, 24}}));
  EXPECT_EQ(moves, Reference(p.Board, p.Side));
  int move[10];
  std::copy(moves[0].begin(), moves[0].end(), move);
  move[9] = 0;
  TMoveGenerator::MakeMove(move, p.Board);
  EXPECT_EQ(p.Board[24], WhiteKing);
  for (int v : {29, 30, 21, 20}) EXPECT_EQ(p.Board[v], Empty);
}

TEST(MoveGenerator, TwoRoutesToTheSameSquareAreBothListed) {
  // The man on 27 (index 15) reaches 11 (index 33) over 23 and 16 or over 22 and 15.
  TPosition p = Parse("W:W27:B24,23,16,15");
  const Moves moves = Generate(p.Board, p.Side);
  EXPECT_EQ(moves, (Moves{{15, 19, 23, 28, 33}, {15, 20, 25, 29, 33}}));
}

TEST(MoveGenerator, PartialMultiJumpIsNotAMove) {
  // The king on 32 takes 27 and then 19; stopping after 27 is not a move.
  TPosition p = Parse("B:W27,19:BK32");
  const Moves moves = Generate(p.Board, p.Side);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].size(), 5u);
}

TEST(MoveGenerator, NoMovesAtAll) {
  // No White pieces; then White pieces that are all blocked.
  for (const char* text : {"W:W:B1,2,3", "W:W29,30:B21,22,23,25,26"}) {
    TPosition p = Parse(text);
    class TMoveGenerator generator;
    TMoveList list;
    generator.MakeMoveList(p.Board, p.Side, &list);
    EXPECT_EQ(list.NumMoves, 0) << text;
    EXPECT_EQ(generator.TestPos(p.Board, p.Side), 0) << text;
    EXPECT_EQ(generator.NoMovesLeft(p.Board, p.Side), 1) << text;
  }
}

TEST(MoveGenerator, TestPosAndNoMovesLeftOnSimplePositions) {
  class TMoveGenerator generator;
  int board[BoardSize];
  TMoveGenerator::InitBoard(board);
  EXPECT_EQ(generator.TestPos(board, Black), 2);
  EXPECT_EQ(generator.NoMovesLeft(board, Black), 0);
  // Either man can take the other.
  TPosition p = Parse("W:W19:B15");
  EXPECT_EQ(generator.TestPos(p.Board, White), 1);
  EXPECT_EQ(generator.TestPos(p.Board, Black), 1);
  EXPECT_EQ(generator.NoMovesLeft(p.Board, Black), 0);
}

// Positions set up by hand with many kings go past the old fixed capacities
// (36 moves a list, 31 entries a move, 10 moves from one square).
TEST(MoveGenerator, ManyKingPositionsAreListedInFull) {
  struct TCase {
    const char* Position;
    int Moves;           // size of the list
    int FromOneSquare;   // most moves starting on one square
    int LongestEntries;  // entries of the longest move
  };
  const TCase cases[] = {
      // 49 simple moves: the most any position has (the board has 49 diagonal steps).
      {"W:WK5,K6,K7,K8,K13,K14,K15,K16,K21,K22,K23,K24,29,30,K31,K32:B", 49, 4, 2},
      // One king with sixteen capture routes through nine pieces.
      {"W:WK23:BK9,K10,K11,K17,K18,K19,K25,K26,K27", 16, 16, 0},
      // Four kings share the same nine victims.
      {"W:WK29,K30,K31,K32:BK9,K10,K11,K17,K18,K19,K25,K26,K27", 34, 0, 0},
      // A king taking nine pieces in one move: 19 entries, the most possible.
      {"W:WK8:B2,K3,5,K9,10,11,12,14,K17,18,19,20,23,25,26,27,K30", 0, 0, 19},
  };
  for (const TCase& c : cases) {
    TPosition p = Parse(c.Position);
    const Moves moves = Generate(p.Board, p.Side);
    EXPECT_EQ(moves, Reference(p.Board, p.Side)) << c.Position;
    int fromOne = 0, run = 0, longest = 0;
    for (size_t i = 0; i < moves.size(); ++i) {
      run = (i > 0 && moves[i][0] == moves[i - 1][0]) ? run + 1 : 1;
      fromOne = std::max(fromOne, run);
      longest = std::max(longest, static_cast<int>(moves[i].size()));
    }
    if (c.Moves) {
      EXPECT_EQ(static_cast<int>(moves.size()), c.Moves) << c.Position;
    }
    if (c.FromOneSquare) {
      EXPECT_EQ(fromOne, c.FromOneSquare) << c.Position;
    }
    if (c.LongestEntries) {
      EXPECT_EQ(longest, c.LongestEntries) << c.Position;
    }
    TPerft perft;
    EXPECT_EQ(perft.Count(p.Board, p.Side, 3), reference::Perft(reference::FromBoard(p.Board), p.Side, 3))
        << c.Position;
  }
}

TEST(MoveList, GrowsKeepingItsMoves) {
  TMoveList list(2);
  EXPECT_EQ(list.Capacity, 2);
  int* first = list.Moves[0];
  for (int i = 0; i < 300; ++i) {
    const int move[] = {10 + i % 35, 20, i + 1, 0};
    list.Append(move);
  }
  EXPECT_GE(list.Capacity, 300);
  EXPECT_EQ(list.Moves[0], first);  // buffers never move: the search may hold pointers into them
  for (int i = 0; i < 300; ++i) EXPECT_EQ(list.Moves[i][2], i + 1);
  // A list too small for the simple moves of a position is made big enough.
  TPosition p = Parse("W:WK5,K6,K7,K8,K13,K14,K15,K16,K21,K22,K23,K24,29,30,K31,K32:B");
  TMoveList small(1);
  class TMoveGenerator generator;
  generator.MakeMoveList(p.Board, p.Side, &small);
  EXPECT_EQ(small.NumMoves, 49);
}

// Random positions of up to 24 pieces, kings common, compared move for move
// (and in order) with the reference rules, for both sides.
TEST(MoveGenerator, RandomPositionsMatchTheReference) {
  std::mt19937 random(20240601);
  class TMoveGenerator generator;
  TMoveList list;
  for (int round = 0; round < 4000; ++round) {
    int board[BoardSize];
    for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
    const int pieces = 1 + random() % 24;
    const int kingShare = random() % 4;  // 0: no kings .. 3: mostly kings
    for (int k = 0; k < pieces; ++k) {
      int index;
      do index = 10 + random() % 35;
      while (!IsPlayable(index) || board[index] != Empty);
      const int colour = random() % 2;
      bool king = static_cast<int>(random() % 4) < kingShare;
      if (colour == White && index > 40) king = true;  // no man on its crowning row
      if (colour == Black && index < 14) king = true;
      board[index] = (king ? WhiteKing : WhiteMan) + colour;
    }
    int before[BoardSize];
    std::copy(board, board + BoardSize, before);
    for (TPlayer side : {White, Black}) {
      generator.MakeMoveList(board, side, &list);
      const Moves moves = ListOf(list);
      ASSERT_EQ(moves, Reference(board, side)) << FormatPosition(board, side);
      ASSERT_TRUE(std::equal(board, board + BoardSize, before)) << "board changed";
      const bool captures = !moves.empty() && moves[0].size() > 2;
      EXPECT_EQ(list.CaptureMoves, captures);
      EXPECT_EQ(generator.TestPos(board, side), captures ? 1 : moves.empty() ? 0 : 2);
      EXPECT_EQ(generator.NoMovesLeft(board, side), moves.empty() ? 1 : 0);
    }
    if (round % 100 == 0) {
      TPerft perft;
      const TPlayer side = static_cast<TPlayer>(round / 100 % 2);
      ASSERT_EQ(perft.Count(board, side, 3), reference::Perft(reference::FromBoard(board), side, 3))
          << FormatPosition(board, side);
      ASSERT_TRUE(std::equal(board, board + BoardSize, before));
    }
  }
}

}  // namespace
