// The draw rules on constructed games: kings going back and forth, long king
// walks, and the man moves and captures that start the count again.
#include <gtest/gtest.h>

#include <random>

#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"
#include "game/DrawRules.h"

namespace {

std::vector<int> Move(int from, int to) {
  return {TMetrics::NotationToSquare(from), TMetrics::NotationToSquare(to), 0};
}

void Start(Game& record, const char* position) {
  int board[BoardSize];
  TPlayer side;
  ASSERT_TRUE(ParsePosition(position, board, &side, nullptr));
  record.InitGame(board, side);
}

// Appends king moves back and forth: 1-5 32-28 5-1 28-32, `rounds` times.
void Shuffle(Game& record, int rounds) {
  for (int r = 0; r < rounds; ++r)
    for (const auto& move : {Move(1, 5), Move(32, 28), Move(5, 1), Move(28, 32)}) record.AddMove(move.data());
}

TEST(DrawRules, ThirdRepetitionWithTheSameSideToMove) {
  Game record;
  Start(record, "B:WK32:BK1");
  Shuffle(record, 2);
  // The start comes back after 4 and 8 moves; the third time is the draw.
  for (int n = 0; n < 8; ++n) EXPECT_EQ(FindDraw(record, n), TDraw::None) << n;
  EXPECT_EQ(FindDraw(record, 8), TDraw::Repetition);
  EXPECT_STREQ(DrawText(FindDraw(record, 8)), "draw by repetition");
  // Played on, every position comes a third or fourth time: drawn still, but
  // only the first of them is a new draw.
  Shuffle(record, 1);
  EXPECT_EQ(NewDraw(record, 8), TDraw::Repetition);
  for (int n = 9; n <= 12; ++n) {
    EXPECT_EQ(FindDraw(record, n), TDraw::Repetition) << n;
    EXPECT_EQ(NewDraw(record, n), TDraw::None) << n;
  }

}

TEST(DrawRules, ManMoveOrCaptureStartsAgain) {
  Game record;
  Start(record, "B:W32,K31:BK1,5");
  record.AddMove(Move(1, 6).data());
  record.AddMove(Move(31, 27).data());
  record.AddMove(Move(6, 1).data());
  record.AddMove(Move(27, 31).data());  // the start again
  record.AddMove(Move(5, 9).data());    // a man: nothing before can come back
  EXPECT_EQ(PositionsSinceIrreversible(record, 5).size(), 1u);
  EXPECT_EQ(PositionsSinceIrreversible(record, 4).size(), 5u);
  EXPECT_EQ(PositionsSinceIrreversible(record, 4).front(), PositionsSinceIrreversible(record, 4).back());
  EXPECT_EQ(PositionsSinceIrreversible(record, 0).size(), 1u);
}

// A random walk of kings that never meets a position a third time.
bool KingWalk(Game& record, std::mt19937& random, int plies) {
  class TMoveGenerator generator;
  TMoveList legal;
  int board[BoardSize];
  TPlayer side;
  record.GoTo(record.MoveCount, board, &side);
  for (int ply = 0; ply < plies; ++ply) {
    generator.MakeMoveList(board, side, &legal);
    std::vector<const int*> quiet;
    for (int m = 0; m < legal.NumMoves; ++m) {
      int after[BoardSize];
      std::copy(board, board + BoardSize, after);
      TMoveGenerator::MakeMove(legal.Moves[m], after);
      const auto keys = PositionsSinceIrreversible(record, record.MoveCount);
      if (!IsIrreversibleMove(legal.Moves[m], board) &&
          CountOccurrences(keys, MakePositionKey(after, static_cast<TPlayer>(1 - side))) < 2)
        quiet.push_back(legal.Moves[m]);
    }
    if (quiet.empty()) return false;
    const int* move = quiet[random() % quiet.size()];
    record.AddMove(move);
    TMoveGenerator::MakeMove(move, board);
    side = static_cast<TPlayer>(1 - side);
  }
  return true;
}

TEST(DrawRules, FortyMovesEachWithoutCaptureOrManMove) {
  std::mt19937 random(40);
  Game record;
  do Start(record, "B:W29,K22,K24:B4,K9,K11");
  while (!KingWalk(record, random, 90));
  EXPECT_EQ(FindDraw(record, FortyMoveRulePlies - 1), TDraw::None);
  EXPECT_EQ(FindDraw(record, FortyMoveRulePlies), TDraw::FortyMoves);
  EXPECT_EQ(NewDraw(record, FortyMoveRulePlies), TDraw::FortyMoves);
  EXPECT_EQ(NewDraw(record, FortyMoveRulePlies + 1), TDraw::None);  // drawn already
  EXPECT_STREQ(DrawText(TDraw::FortyMoves), "draw by the 40-move rule");

  // A man moved first: the count starts after it.
  do {
    Start(record, "B:W29,K22,K24:B4,K9,K11");
    record.AddMove(Move(4, 8).data());
  } while (!KingWalk(record, random, 85));
  EXPECT_EQ(FindDraw(record, FortyMoveRulePlies), TDraw::None);
  EXPECT_EQ(FindDraw(record, FortyMoveRulePlies + 1), TDraw::FortyMoves);
}

}  // namespace
