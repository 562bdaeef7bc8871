// Deep perft counts, run in the Release build only (label `slow`): from the
// start to 12 plies, and positions with kings to 9 plies or more. The counts
// were made by the first generator, which listed moves square by square.
#include <gtest/gtest.h>

#include "engine/MoveGenerator.h"
#include "engine/Perft.h"
#include "engine/PositionString.h"

namespace {

TEST(SlowPerft, FromTheStart) {
  const long long expected[] = {85242128, 388623673};
  TPerft perft;
  int board[BoardSize];
  TMoveGenerator::InitBoard(board);
  for (int depth = 11; depth <= 12; ++depth) EXPECT_EQ(perft.Count(board, Black, depth), expected[depth - 11]);
}

TEST(SlowPerft, PositionsWithKings) {
  struct TCase {
    const char* Position;
    int Depth;
    long long Count;
  };
  const TCase cases[] = {
      {"B:W21,22,23,25,26,K10,K11,K12:B1,2,3,6,7,K18,K19,K20", 11, 44350866},
      {"W:WK2,14,17,22,23,27,28,31:BK30,1,5,6,9,11,12,16", 11, 21906472},
      {"B:W18,21,22,23,25,27,29,30,31,K3:B2,5,6,7,9,10,11,13,K32", 11, 15047610},
      {"B:WK1,K2,K3,K4,K9,K10:BK29,K30,K31,K32,K21,K22", 7, 27153496},
      {"W:WK23:BK9,K10,K11,K17,K18,K19,K25,K26,K27", 9, 17820639},
  };
  TPerft perft;
  for (const TCase& c : cases) {
    int board[BoardSize];
    TPlayer side;
    std::string error;
    ASSERT_TRUE(ParsePosition(c.Position, board, &side, &error)) << error;
    EXPECT_EQ(perft.Count(board, side, c.Depth), c.Count) << c.Position;
  }
}

}  // namespace
