// Position strings: reading and writing the text form of a position.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"

namespace {

const char StartText[] = "B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12";

TEST(PositionString, StartingPosition) {
  int board[BoardSize], start[BoardSize];
  TPlayer side = White;
  std::string error;
  ASSERT_TRUE(ParsePosition(StartText, board, &side, &error)) << error;
  TMoveGenerator::InitBoard(start);
  EXPECT_TRUE(std::equal(board, board + BoardSize, start));
  EXPECT_EQ(side, Black);
  EXPECT_EQ(FormatPosition(start, Black), StartText);
}

TEST(PositionString, KingsSidesAndListOrder) {
  int board[BoardSize];
  TPlayer side = Black;
  std::string error;
  // Black's list first, unsorted squares, an empty White list.
  ASSERT_TRUE(ParsePosition("W:BK32,5,K1:W", board, &side, &error)) << error;
  EXPECT_EQ(side, White);
  EXPECT_EQ(board[10], BlackKing);
  EXPECT_EQ(board[40], BlackMan);
  EXPECT_EQ(board[44], BlackKing);
  EXPECT_EQ(FormatPosition(board, side), "W:W:BK1,5,K32");
  // A White king may stand on White's crowning row; a list may be left out.
  ASSERT_TRUE(ParsePosition("B:WK1,K4", board, &side, &error)) << error;
  EXPECT_EQ(FormatPosition(board, side), "B:WK1,K4:B");
}

TEST(PositionString, RandomPositionsRoundTrip) {
  std::mt19937 random(7);
  for (int round = 0; round < 500; ++round) {
    int board[BoardSize];
    for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
    for (int i = FirstSquare; i <= LastSquare; ++i) {
      if (!IsPlayable(i) || random() % 3 != 0) continue;
      int code = random() % 4;
      if ((code == WhiteMan && i > 40) || (code == BlackMan && i < 14)) code -= 2;
      board[i] = code;
    }
    const TPlayer side = static_cast<TPlayer>(random() % 2);
    const std::string text = FormatPosition(board, side);
    int back[BoardSize];
    TPlayer backSide;
    std::string error;
    ASSERT_TRUE(ParsePosition(text, back, &backSide, &error)) << text << ": " << error;
    EXPECT_TRUE(std::equal(board, board + BoardSize, back)) << text;
    EXPECT_EQ(side, backSide);
  }
}

TEST(PositionString, RefusedWithAReason) {
  const struct {
    const char* Text;
    const char* Reason;  // a word the message must contain
  } cases[] = {
      {"", "side to move"},
      {"X:W1:B2", "side to move"},
      {"b:W21:B1", "side to move"},
      {"B", "no pieces"},
      {"B;W21:B1", "':'"},
      {"B:X21", "W or B"},
      {"B:W21:", "W or B"},
      {"B:W21,:B1", "square number"},
      {"B:W,21", "square number"},
      {"B:WK", "square number"},
      {"B:WKK21", "square number"},
      {"B:W21 ,22", "character code 32"},
      {"B:W21;22", "';'"},
      {"B:W33", "outside 1 to 32"},
      {"B:W0", "outside 1 to 32"},
      {"B:W99999999999999999999", "outside 1 to 32"},
      {"B:W21,21", "twice"},
      {"B:W21:B21", "twice"},
      {"B:WK5:B5", "twice"},
      {"B:W21:W22", "listed twice"},
      {"B:W3", "crowning row"},
      {"B:B30", "crowning row"},
  };
  for (const auto& c : cases) {
    int board[BoardSize];
    TPlayer side;
    std::string error;
    EXPECT_FALSE(ParsePosition(c.Text, board, &side, &error)) << c.Text;
    EXPECT_NE(error.find(c.Reason), std::string::npos) << c.Text << " gave: " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << c.Text;
  }
}

}  // namespace
