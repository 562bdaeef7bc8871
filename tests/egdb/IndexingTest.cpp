// The numbering of database positions: every index of a split names a
// different position and comes back from it.
#include <gtest/gtest.h>

#include <set>

#include "egdb/Indexing.h"
#include "engine/PositionKey.h"
#include "engine/PositionString.h"

namespace {

std::uint64_t Pack(const TPositionKey& k) {
  std::uint64_t h = 1469598103934665603ull;
  for (std::uint32_t w : {k.WhiteMen, k.WhiteKings, k.BlackMen, k.BlackKings, static_cast<std::uint32_t>(k.Side)})
    h = (h ^ w) * 1099511628211ull;
  return h;
}

}  // namespace

TEST(EgdbIndexing, EveryIndexOfEverySplitOfThreePiecesRoundTrips) {
  for (const TMaterialSplit& split : EgdbSplits(3)) {
    std::set<std::uint64_t> seen;
    std::uint32_t valid = 0;
    for (std::uint32_t i = 0; i < split.Size(); ++i) {
      int board[BoardSize];
      TPlayer side;
      if (!DecodePosition(split, i, board, &side)) continue;
      ++valid;
      ASSERT_EQ(SplitOf(board), split) << split.Name() << " index " << i;
      ASSERT_EQ(PositionIndex(split, board, side), i) << FormatPosition(board, side);
      seen.insert(Pack(MakePositionKey(board, side)));
    }
    EXPECT_EQ(seen.size(), valid) << split.Name();
  }
}

TEST(EgdbIndexing, SplitsComeInBuildOrderAndNameTheirPieces) {
  const std::vector<TMaterialSplit> splits = EgdbSplits(4);
  EXPECT_EQ(splits.size(), 4u + 12u + 25u);
  for (size_t i = 0; i < splits.size(); ++i)
    for (size_t j = i + 1; j < splits.size(); ++j) {
      // Nothing a split leads to comes after it.
      EXPECT_TRUE(splits[i].Pieces() < splits[j].Pieces() || splits[i].Men() <= splits[j].Men())
          << splits[i].Name() << " before " << splits[j].Name();
    }
  EXPECT_EQ((TMaterialSplit{2, 1, 1, 0}).Name(), "KKM-K");
  EXPECT_EQ((TMaterialSplit{1, 0, 0, 2}).Name(), "K-MM");
  // Two kings against one: 32 * 31 / 2 * 30 places, both sides to move.
  EXPECT_EQ((TMaterialSplit{2, 0, 1, 0}).Size(), 496u * 30u * 2u);
}

TEST(EgdbIndexing, MenOnTheirCrowningRowHaveNoIndex) {
  int board[BoardSize];
  TPlayer side;
  std::string error;
  ASSERT_TRUE(ParsePosition("W:W10:B20", board, &side, &error));
  board[44] = WhiteMan;  // square 1
  board[29] = Empty;
  EXPECT_EQ(PositionIndex(SplitOf(board), board, side), NoIndex);
}
