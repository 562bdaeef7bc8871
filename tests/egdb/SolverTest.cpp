// The database's values: against a plain forward solver on every position of
// up to three pieces, against a bounded search on samples of four, against
// what a checkers player knows, and for consistency move by move.
#include <random>

#include "EgdbTestSupport.h"

namespace {

// Exact value when the game is decided within `depth` plies, EgdbDraw when it
// is a known draw, and Open otherwise. Children of three pieces or fewer are
// taken from the forward solver.
constexpr int Open = -2;

class TBoundedSearch {
 public:
  explicit TBoundedSearch(const TForwardSolver& small) : small_(small) {}

  int Value(int* board, TPlayer side, int depth) {
    const TPositionKey key = MakePositionKey(board, side);
    const auto found = memo_.find({key, depth});
    if (found != memo_.end()) return found->second;
    TMoveList list;
    generator_.MakeMoveList(board, side, &list);
    int result;
    if (list.NumMoves == 0) {
      result = EgdbFromPlies(0);
    } else if (depth == 0) {
      result = Open;
    } else {
      int bestWin = 1000, longestLoss = -1;
      bool allLost = true, allDecided = true;
      for (int m = 0; m < list.NumMoves; ++m) {
        int child[BoardSize];
        std::copy(board, board + BoardSize, child);
        TMoveGenerator::MakeMove(list.Moves[m], child);
        const TPlayer other = static_cast<TPlayer>(1 - side);
        int v;
        const TPositionKey childKey = MakePositionKey(child, other);
        const int pieces = std::popcount(childKey.WhiteMen | childKey.WhiteKings | childKey.BlackMen |
                                         childKey.BlackKings);
        const bool none = (other == White ? childKey.WhiteMen | childKey.WhiteKings
                                          : childKey.BlackMen | childKey.BlackKings) == 0;
        if (none)
          v = EgdbFromPlies(0);
        else if (pieces <= 3)
          v = small_.Value(child, other);
        else
          v = Value(child, other, depth - 1);
        // A value from the solver may lie beyond this search's horizon.
        if (v > 0 && EgdbPlies(v) > depth - 1) v = Open;
        if (v > 0 && EgdbIsLoss(v)) bestWin = std::min(bestWin, EgdbPlies(v) + 1);
        if (v > 0 && EgdbIsWin(v))
          longestLoss = std::max(longestLoss, EgdbPlies(v) + 1);
        else
          allLost = false;
        if (v == Open) allDecided = false;
      }
      if (bestWin < 1000)
        result = EgdbFromPlies(bestWin);
      else if (allLost)
        result = EgdbFromPlies(longestLoss);
      else
        result = allDecided ? EgdbDraw : Open;
    }
    memo_.emplace(std::make_pair(key, depth), result);
    return result;
  }

 private:
  const TForwardSolver& small_;
  class TMoveGenerator generator_;
  std::map<std::pair<TPositionKey, int>, int> memo_;
};

const TForwardSolver& SmallForwardSolver() {
  static TForwardSolver solver;
  static const bool solved = [] {
    solver.AddAll(3);
    solver.Solve();
    return true;
  }();
  (void)solved;
  return solver;
}

// The values of a position's moves, seen from the side to move there.
std::vector<int> ChildValues(const TEndgameDatabase& database, const int* position, TPlayer side) {
  class TMoveGenerator generator;
  TMoveList list;
  int board[BoardSize];
  std::copy(position, position + BoardSize, board);
  generator.MakeMoveList(board, side, &list);
  std::vector<int> values;
  for (int m = 0; m < list.NumMoves; ++m) {
    int child[BoardSize];
    std::copy(board, board + BoardSize, child);
    TMoveGenerator::MakeMove(list.Moves[m], child);
    values.push_back(database.Probe(child, static_cast<TPlayer>(1 - side)));
  }
  return values;
}

// Checks one position's value against its moves' values: a win in N has a
// move to a loss in N - 1 and none to a quicker loss, a loss in N has only
// moves to wins, the longest in N - 1, and a draw no move to a loss and one
// to a draw.
void ExpectConsistent(const TEndgameDatabase& database, const int* board, TPlayer side) {
  const int value = database.Probe(board, side);
  ASSERT_NE(value, EgdbUnknown) << FormatPosition(board, side);
  const std::vector<int> children = ChildValues(database, board, side);
  int quickestLoss = 1000, longestWin = -1;
  bool draw = false;
  for (int v : children) {
    ASSERT_NE(v, EgdbUnknown) << FormatPosition(board, side);
    if (EgdbIsLoss(v)) quickestLoss = std::min(quickestLoss, EgdbPlies(v));
    if (EgdbIsWin(v)) longestWin = std::max(longestWin, EgdbPlies(v));
    if (v == EgdbDraw) draw = true;
  }
  const std::string where = FormatPosition(board, side) + " is " + EgdbText(value);
  if (EgdbIsWin(value)) {
    EXPECT_EQ(quickestLoss, EgdbPlies(value) - 1) << where;
  } else if (EgdbIsLoss(value)) {
    EXPECT_EQ(quickestLoss, 1000) << where;
    EXPECT_FALSE(draw) << where;
    EXPECT_EQ(longestWin, EgdbPlies(value) - 1) << where;
  } else {
    EXPECT_EQ(quickestLoss, 1000) << where;
    EXPECT_TRUE(draw) << where;
  }
}

}  // namespace

TEST(EgdbSolver, AgreesWithAForwardSolverOnEveryPositionOfUpToThreePieces) {
  const TForwardSolver& solver = SmallForwardSolver();
  const TEndgameDatabase& database = SmallEgdb();
  EXPECT_EQ(database.Pieces(), 3);
  int checked = 0, wins = 0, draws = 0;
  solver.ForEach([&](const int* board, TPlayer side, int value) {
    const int stored = database.Probe(board, side);
    ASSERT_EQ(stored, value) << FormatPosition(board, side) << ": " << EgdbText(stored) << ", not "
                             << EgdbText(value);
    ++checked;
    wins += EgdbIsWin(value);
    draws += value == EgdbDraw;
  });
  // Both kinds occur in large numbers, so the comparison means something.
  EXPECT_GT(checked, 300000);
  EXPECT_GT(wins, checked / 4);
  EXPECT_GT(draws, checked / 50);
}

TEST(EgdbSolver, SamplesOfFourPiecesAgreeWithABoundedSearch) {
  const TEndgameDatabase& database = BuiltEgdb();
  ASSERT_GE(database.Pieces(), 4);
  TBoundedSearch search(SmallForwardSolver());
  std::mt19937 random(9);
  int decided = 0, drawn = 0;
  for (const TMaterialSplit& split : EgdbSplits(4)) {
    if (split.Pieces() != 4) continue;
    int tries = 0, taken = 0;
    while (taken < 6 && tries++ < 5000) {
      int board[BoardSize];
      TPlayer side;
      if (!DecodePosition(split, random() % split.Size(), board, &side)) continue;
      const int value = database.Probe(board, side);
      // Decided positions are searched to their distance: the search must
      // find the same result there and nothing decided two plies sooner.
      // Draws must not be decided within a short horizon.
      const int plies = value == EgdbDraw ? 7 : EgdbPlies(value);
      if (plies > 13) continue;
      ++taken;
      const int found = search.Value(board, side, plies);
      if (value == EgdbDraw) {
        EXPECT_TRUE(found == Open || found == EgdbDraw) << FormatPosition(board, side) << ": " << EgdbText(found);
        ++drawn;
      } else {
        EXPECT_EQ(found, value) << FormatPosition(board, side) << ": " << EgdbText(found);
        if (plies >= 2) {
          EXPECT_EQ(search.Value(board, side, plies - 2), Open) << FormatPosition(board, side);
        }
        ++decided;
      }
    }
  }
  EXPECT_GT(decided, 60);
  EXPECT_GT(drawn, 10);
}

TEST(EgdbSolver, EveryValueAgreesWithTheValuesOfItsMoves) {
  const TEndgameDatabase& database = BuiltEgdb();
  ASSERT_GE(database.Pieces(), 4);
  for (const TMaterialSplit& split : EgdbSplits(4)) {
    // Every position of three pieces or fewer, every 97th of four.
    const std::uint32_t step = split.Pieces() < 4 ? 1 : 97;
    for (std::uint32_t i = 0; i < split.Size(); i += step) {
      int board[BoardSize];
      TPlayer side;
      if (!DecodePosition(split, i, board, &side)) continue;
      ExpectConsistent(database, board, side);
      if (HasFailure()) return;
    }
  }
}

TEST(EgdbSolver, KnowsWhatACheckersPlayerKnows) {
  const TEndgameDatabase& database = BuiltEgdb();
  auto value = [&](const std::string& text) {
    const TPosition p = Position(text);
    return database.Probe(p.Board, p.Side);
  };
  // Two kings beat one, wherever they stand, unless the lone king takes one at
  // once or the two must move next to it (a king shut in by its own side and
  // the edge can only step where it is taken).
  int won = 0, lost = 0, takes = 0;
  class TMoveGenerator generator;
  ForEachPlacement(2, 0, 1, 0, [&](const int* board, TPlayer side) {
    const int v = database.Probe(board, side);
    if (side == White)
      won += EgdbIsWin(v);
    else if (generator.TestPos(board, side) == 1)
      ++takes;
    else
      lost += EgdbIsLoss(v);
  });
  // 14880 positions for each side to move.
  EXPECT_GT(won, 14800);
  EXPECT_GT(lost + takes, 14800);
  EXPECT_EQ(value("W:WK29,K30:BK22"), EgdbDraw);
  // The endings that were drawn by repetition are wins.
  EXPECT_EQ(value("W:WK14:BK19,K27"), EgdbFromPlies(26));
  EXPECT_TRUE(EgdbIsLoss(value("B:WK4,K15:BK23")));
  // One king against one is a draw, kings in opposite double corners or in the middle.
  EXPECT_EQ(value("W:WK1:BK32"), EgdbDraw);
  EXPECT_EQ(value("B:WK1:BK28"), EgdbDraw);
  EXPECT_EQ(value("W:WK14:BK19"), EgdbDraw);
  // ... but a king in the single corner, held there, is lost.
  EXPECT_EQ(value("W:WK4:BK11"), EgdbFromPlies(2));
  // A man that runs to crown first and then hunts the other one down wins,
  // for either colour; with the other man a step from crowning too it draws.
  EXPECT_TRUE(EgdbIsWin(value("W:W6:B2")));
  EXPECT_TRUE(EgdbIsWin(value("B:W31:B27")));
  EXPECT_EQ(value("W:W6:B27"), EgdbDraw);
}
