// The game record: adding moves, and rebuilding any position by replay.
#include <gtest/gtest.h>

#include <random>

#include "engine/PositionString.h"
#include "game/Game.h"
#include "tests/game/GameTestSupport.h"

namespace {

using namespace gametest;

class GameRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::mt19937 random(11);
    played = PlayRandomGame(random, StartingBoard(), Black, 12);
    ASSERT_EQ(played.Moves.size(), 12u);
    Record(record, played);
  }
  // Replays to `n` and checks the result against what was played.
  void ExpectAt(int n) {
    EXPECT_EQ(record.Position, n);
    EXPECT_EQ(board, played.Positions[n]) << "after move " << n;
    EXPECT_EQ(side, played.Sides[n]) << "after move " << n;
  }
  TPlayedGame played;
  Game record;
  TBoard board{};
  TPlayer side = White;
};

TEST(GameRecord, EmptyRecord) {
  Game record;
  EXPECT_EQ(record.MoveCount, 0);
  EXPECT_EQ(record.Position, 0);
  EXPECT_EQ(record.Cursor, record.Head);
  EXPECT_EQ(record.Head->Next, nullptr);
}

TEST_F(GameRecordTest, AddMoveCopiesAndKeepsThePositionAtTheEnd) {
  EXPECT_EQ(record.MoveCount, 12);
  EXPECT_EQ(record.Position, 12);
  EXPECT_EQ(MovesOf(record), played.Moves);
  EXPECT_NE(record.Cursor->Move, played.Moves.back().data());
}

TEST_F(GameRecordTest, GoToForwardAndTakeBack) {
  record.GoTo(0, board.data(), &side);
  ExpectAt(0);
  EXPECT_TRUE(std::equal(board.begin(), board.end(), record.StartBoard));
  record.Forward(5, board.data(), &side);
  ExpectAt(5);
  record.Forward(100, board.data(), &side);  // stops at the last move
  ExpectAt(12);
  record.TakeBack(3, board.data(), &side);
  ExpectAt(9);
  record.TakeBack(100, board.data(), &side);  // stops at the start
  ExpectAt(0);
  record.GoTo(7, board.data(), &side);
  ExpectAt(7);
}

TEST_F(GameRecordTest, GoToOutOfRangeChangesNothing) {
  record.GoTo(4, board.data(), &side);
  for (int n : {-1, 13, 1000}) {
    TBoard sentinel;
    sentinel.fill(9);
    TPlayer sentinelSide = White;  // a replay would store Black, the start side
    record.GoTo(n, sentinel.data(), &sentinelSide);
    EXPECT_EQ(sentinel[20], 9);
    EXPECT_EQ(sentinelSide, White);
    EXPECT_EQ(record.Position, 4);
    EXPECT_EQ(record.MoveCount, 12);
  }
}

TEST_F(GameRecordTest, AddMoveAfterUndoDropsTheTail) {
  record.TakeBack(2, board.data(), &side);
  ExpectAt(10);
  // Play something else from move 10.
  class TMoveGenerator generator;
  TMoveList list;
  generator.MakeMoveList(board.data(), side, &list);
  ASSERT_GT(list.NumMoves, 0);
  record.AddMove(list.Moves[list.NumMoves - 1]);
  EXPECT_EQ(record.MoveCount, 11);
  EXPECT_EQ(record.Position, 11);
  auto moves = MovesOf(record);
  ASSERT_EQ(moves.size(), 11u);
  EXPECT_TRUE(std::equal(moves.begin(), moves.begin() + 10, played.Moves.begin()));
  record.Forward(1, board.data(), &side);  // nothing after the new move
  EXPECT_EQ(record.Position, 11);
}

TEST_F(GameRecordTest, InitGameMakesTheShownPositionTheStart) {
  record.TakeBack(4, board.data(), &side);
  record.InitGame(board.data(), side);
  EXPECT_EQ(record.MoveCount, 0);
  EXPECT_EQ(record.Position, 0);
  EXPECT_EQ(record.StartSide, played.Sides[8]);
  EXPECT_TRUE(std::equal(board.begin(), board.end(), record.StartBoard));
  // Flush keeps the start.
  record.AddMove(played.Moves[8].data());
  record.Flush();
  EXPECT_EQ(record.MoveCount, 0);
  EXPECT_EQ(record.Cursor, record.Head);
  EXPECT_TRUE(std::equal(board.begin(), board.end(), record.StartBoard));
}

TEST(GameRecord, WhiteToMoveAndCrowningAreReplayed) {
  // White starts; its man on 5 (index 40) crowns on its first move.
  TBoard start;
  TPlayer side;
  std::string error;
  ASSERT_TRUE(ParsePosition("W:W5:B20", start.data(), &side, &error)) << error;
  Game record;
  record.InitGame(start.data(), side);
  const int crown[] = {40, 44, 0};
  const int reply[] = {23, 19, 0};
  record.AddMove(crown);
  record.AddMove(reply);
  TBoard board;
  record.GoTo(1, board.data(), &side);
  EXPECT_EQ(side, Black);
  EXPECT_EQ(board[44], WhiteKing);
  record.GoTo(2, board.data(), &side);
  EXPECT_EQ(side, White);
  EXPECT_EQ(board[19], BlackMan);
}

// Many random games, from the start and from random set-ups, navigated at
// random: every position reached must be exactly the one played.
TEST(GameRecord, RandomNavigationRebuildsThePositionsPlayed) {
  std::mt19937 random(2024);
  for (int round = 0; round < 150; ++round) {
    TBoard start = StartingBoard();
    TPlayer startSide = Black;
    if (round % 3 == 2) {  // a few men crowned in advance, White to move
      startSide = White;
      for (int i : {10, 12, 41, 43}) start[i] = start[i] == WhiteMan ? WhiteKing : start[i] == BlackMan ? BlackKing : start[i];
    }
    TPlayedGame played = PlayRandomGame(random, start, startSide, 40 + random() % 120);
    Game record;
    Record(record, played);
    const int count = static_cast<int>(played.Moves.size());
    TBoard board;
    TPlayer side;
    int at = count;
    for (int step = 0; step < 40; ++step) {
      const int n = static_cast<int>(random() % (count + 1));
      switch (random() % 3) {
        case 0:
          record.GoTo(n, board.data(), &side);
          at = n;
          break;
        case 1:
          record.Forward(n, board.data(), &side);
          at = std::min(count, at + n);
          break;
        default:
          record.TakeBack(n, board.data(), &side);
          at = std::max(0, at - n);
          break;
      }
      ASSERT_EQ(record.Position, at);
      ASSERT_EQ(board, played.Positions[at]) << "round " << round << " move " << at;
      ASSERT_EQ(side, played.Sides[at]);
    }
    // Branch off: the tail after the current move goes, the rest stays.
    class TMoveGenerator generator;
    TMoveList list;
    generator.MakeMoveList(board.data(), side, &list);
    if (list.NumMoves == 0) continue;
    record.AddMove(list.Moves[0]);
    ASSERT_EQ(record.MoveCount, at + 1);
    auto moves = MovesOf(record);
    ASSERT_TRUE(std::equal(moves.begin(), moves.begin() + at, played.Moves.begin()));
  }
}

}  // namespace
