// The generator against the plain grid rules of ReferenceRules.h on a few
// hundred thousand random positions of four kinds: anything goes, many kings, lattices
// of pieces to be taken (long captures, kings going round), and men one or
// two jumps from their crowning row. Lists must agree move for move and in
// order; the count without lists, TestPos and NoMovesLeft must agree with them.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"
#include "tests/engine/ReferenceRules.h"

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int Rounds = 30000;  // the checked builds are ten times slower
#else
constexpr int Rounds = 300000;  // positions, each tried for both sides
#endif

class TRandomPositions {
 public:
  explicit TRandomPositions(unsigned seed) : random_(seed) {}

  void Next(int* board) {
    for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
    switch (random_() % 4) {
      case 0: Anything(board); break;
      case 1: Lattice(board); break;
      case 2: NearCrowning(board); break;
      default: ManyKings(board); break;
    }
  }

 private:
  int Below(int n) { return static_cast<int>(random_() % n); }
  bool Chance(int percent) { return Below(100) < percent; }

  // A piece of `colour`, a king with the given chance; never a man on its own crowning row.
  static int Piece(int colour, bool king, int index) {
    if ((colour == White && index > 40) || (colour == Black && index < 14)) king = true;
    return (king ? WhiteKing : WhiteMan) + colour;
  }

  void Put(int* board, int index, int colour, int kingPercent) {
    if (IsPlayable(index) && board[index] == Empty) board[index] = Piece(colour, Chance(kingPercent), index);
  }

  // Up to 24 pieces anywhere, kings from none to most.
  void Anything(int* board) {
    const int pieces = 1 + Below(24), kingPercent = 25 * Below(4);
    for (int k = 0; k < pieces; ++k) Put(board, 10 + Below(35), Below(2), kingPercent);
  }

  // Ten to twenty kings against a few pieces: lists longer than a game's.
  void ManyKings(int* board) {
    const int side = Below(2);
    for (int k = 0; k < 12 + Below(7); ++k) Put(board, 10 + Below(35), side, 100);
    for (int k = 0; k < Below(3); ++k) Put(board, 10 + Below(35), 1 - side, 50);
  }

  // One side's pieces on the inner squares of every other row, the other
  // side's few pieces (often kings) on the rows between: jump chains through
  // many pieces, branching and closing in loops.
  void Lattice(int* board) {
    const int victims = Below(2), parity = Below(2);
    const int density = 40 + Below(50);
    for (int r = 1; r < 7; ++r) {
      if (r % 2 != parity) continue;
      for (int c = 1; c < 7; ++c)
        if ((r + c) % 2 == 1 && Chance(density)) Put(board, reference::IndexOf(r, c), victims, 30);
    }
    const int hunters = 1 + Below(4);
    for (int k = 0; k < hunters; ++k) {
      const int r = 2 * Below(4) + 1 - parity, c = Below(8);
      if (r >= 0 && r < 8 && (r + c) % 2 == 1) Put(board, reference::IndexOf(r, c), 1 - victims, 70);
    }
  }

  // Men two and four rows from crowning with pieces to take in front of them
  // and some blockers: captures that end on the crowning row, where a king
  // could go on.
  void NearCrowning(int* board) {
    const int side = Below(2);
    const int forward = side == White ? 1 : -1, home = side == White ? 7 : 0;
    for (int k = 0; k < 2 + Below(3); ++k) {
      const int r = home - forward * (Chance(50) ? 2 : 4), c = Below(8);
      if ((r + c) % 2 == 1) Put(board, reference::IndexOf(r, c), side, 10);
    }
    for (int k = 0; k < 3 + Below(8); ++k) {
      const int r = home - forward * (1 + Below(4)), c = Below(8);
      if ((r + c) % 2 == 1) Put(board, reference::IndexOf(r, c), 1 - side, 20);
    }
    for (int k = 0; k < Below(6); ++k) Put(board, 10 + Below(35), Below(2), 30);
  }

  std::mt19937 random_;
};

// How often the kinds of moves that are easy to get wrong turned up.
struct TSeen {
  int LongCaptures = 0;      // four or more pieces taken
  int CrowningCaptures = 0;  // a man's capture ending on its crowning row
  int KingLoops = 0;         // a king's capture ending where it started
  int LongLists = 0;         // more than 24 moves
};

void Note(const std::vector<int>& move, int piece, TSeen& seen) {
  if (move.size() >= 9) ++seen.LongCaptures;
  if (move.size() > 2 && IsMan(piece) && IsCrowningRow(move.back())) ++seen.CrowningCaptures;
  if (move.size() > 2 && move.front() == move.back()) ++seen.KingLoops;
}

TEST(GeneratorCrossCheck, RandomPositionsAgreeWithThePlainRules) {
  TRandomPositions positions(19991110);
  class TMoveGenerator generator;
  TMoveList list;
  TSeen seen;
  int board[BoardSize], before[BoardSize];
  for (int round = 0; round < Rounds; ++round) {
    positions.Next(board);
    std::copy(board, board + BoardSize, before);
    const reference::Grid grid = reference::FromBoard(board);
    for (TPlayer side : {White, Black}) {
      const std::vector<reference::Move> expected = reference::LegalMoves(grid, side);
      generator.MakeMoveList(board, side, &list);
      ASSERT_EQ(list.NumMoves, static_cast<int>(expected.size())) << FormatPosition(board, side);
      for (int i = 0; i < list.NumMoves; ++i) {
        const std::vector<int> move(list.Moves[i], list.Moves[i] + MoveLength(list.Moves[i]));
        ASSERT_EQ(move, expected[i]) << "move " << i << " of " << FormatPosition(board, side);
        Note(move, board[move[0]], seen);
        // Played on the masks, the move leaves what it leaves on the board.
        TBoardMasks masks = MasksOf(board);
        TMoveGenerator::MakeMove(list.Moves[i], side, masks);
        int after[BoardSize];
        std::copy(board, board + BoardSize, after);
        TMoveGenerator::MakeMove(list.Moves[i], after);
        const TBoardMasks expectedMasks = MasksOf(after);
        ASSERT_TRUE(masks.Empty == expectedMasks.Empty && masks.Pieces[White] == expectedMasks.Pieces[White] &&
                    masks.Pieces[Black] == expectedMasks.Pieces[Black] && masks.Kings == expectedMasks.Kings)
            << "move " << i << " played on the masks of " << FormatPosition(board, side);
      }
      if (list.NumMoves > 24) ++seen.LongLists;
      const bool captures = !expected.empty() && expected[0].size() > 2;
      ASSERT_EQ(list.CaptureMoves, captures) << FormatPosition(board, side);
      ASSERT_EQ(generator.CountMoves(board, side), list.NumMoves) << FormatPosition(board, side);
      ASSERT_EQ(generator.CountMoves(MasksOf(board), side), list.NumMoves) << FormatPosition(board, side);
      ASSERT_EQ(generator.TestPos(board, side), captures ? 1 : expected.empty() ? 0 : 2) << FormatPosition(board, side);
      ASSERT_EQ(generator.NoMovesLeft(board, side), expected.empty() ? 1 : 0);
      ASSERT_TRUE(std::equal(board, board + BoardSize, before)) << "board changed";
    }
  }
  // The positions must really have tried the hard cases.
  EXPECT_GT(seen.LongCaptures, Rounds / 100);
  EXPECT_GT(seen.CrowningCaptures, Rounds / 20);
  EXPECT_GT(seen.KingLoops, Rounds / 1000);
  EXPECT_GT(seen.LongLists, Rounds / 1000);
  std::cout << Rounds << " positions: " << seen.LongCaptures << " captures of four or more, "
            << seen.CrowningCaptures << " crowning captures, " << seen.KingLoops << " king loops, "
            << seen.LongLists << " lists over 24 moves\n";
}

}  // namespace
