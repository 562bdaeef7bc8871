// The search with the endgame database and with the game's history: roots
// the database holds are played from it, wins it holds are won within their
// distance, and positions already played score as draws.
#include <random>

#include "SearchTestSupport.h"
#include "egdb/Database.h"
#include "engine/Metrics.h"
#include "engine/PositionKey.h"

namespace {

const TEndgameDatabase& Database() {
  static TEndgameDatabase database;
  static const bool loaded = [] {
    const TEgdbLoadReport report = database.Load(VAREK_BINARY_DIR "/share/varek/egdb");
    EXPECT_EQ(report.Problem(), "");
    return true;
  }();
  (void)loaded;
  return database;
}

class EgdbSearchTest : public SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    TSearcher.Database = &Database();
    TSearcher.SetHistory({});
    TSearcher.MaxIterationDepth = 11;
  }
  void TearDown() override {
    TSearcher.Database = nullptr;
    TSearcher.SetHistory({});
    SearchTest::TearDown();
  }

  // The computer's move for `p`, played on it.
  std::string Play(TPosition& p) {
    int move[MoveBufferSize];
    TSearcher.GetComputerMoveHash(p.Board, p.Side, move);
    TMoveGenerator::MakeMove(move, p.Board);
    p.Side = static_cast<TPlayer>(1 - p.Side);
    return TSearcher.InfoText;
  }

  static int Value(const TPosition& p) { return Database().Probe(p.Board, p.Side); }
};

// The position after a king's step from one square to another.
TPosition Stepped(TPosition p, int from, int to) {
  const int move[3] = {TMetrics::NotationToSquare(from), TMetrics::NotationToSquare(to), 0};
  TMoveGenerator::MakeMove(move, p.Board);
  p.Side = static_cast<TPlayer>(1 - p.Side);
  return p;
}

TPositionKey Key(const TPosition& p) { return MakePositionKey(p.Board, p.Side); }

}  // namespace

TEST_F(EgdbSearchTest, ARootTheDatabaseHoldsIsPlayedFromItAndSaysSo) {
  TPosition p = Position("B:WK14:BK19,K27");
  ASSERT_EQ(Value(p), EgdbFromPlies(25));
  const std::string info = Play(p);
  EXPECT_NE(info.find("  Score=win in 25  egdb"), std::string::npos) << info;
  EXPECT_EQ(TSearcher.Nodes, 0);
  EXPECT_EQ(Value(p), EgdbFromPlies(24));  // the opponent now loses in 24
  // The losing side holds out as long as it can.
  EXPECT_NE(Play(p).find("Score=loss in 24  egdb"), std::string::npos);
  EXPECT_EQ(Value(p), EgdbFromPlies(23));
  // Without the database the same root is searched.
  TSearcher.Database = nullptr;
  EXPECT_EQ(Play(p).find("egdb"), std::string::npos);
}

TEST_F(EgdbSearchTest, InsideTheSearchADatabaseWinScoresAboveEverythingElse) {
  // Three kings against two, with an exchange into two kings against one
  // within reach: only the database tells that it wins.
  const TPosition p = Position("B:WK5,K13:BK10,K14,K18");
  TPosition with = p;
  const std::string won = Play(with);
  EXPECT_NE(won.find("Score=win in"), std::string::npos) << won;
  EXPECT_EQ(won.find("egdb"), std::string::npos) << won;
  TSearcher.Database = nullptr;
  HashTable->Clear();
  TPosition without = p;
  const std::string unclear = Play(without);
  EXPECT_EQ(unclear.find("Score=win in"), std::string::npos) << unclear;
}

// From random won positions of every split of four pieces the winner, playing
// with the database, wins within the distance against the computer defending
// with it and against a defender that moves at random.
TEST_F(EgdbSearchTest, WonPositionsAreWonWithinTheirDistance) {
  std::mt19937 random(5);
  class TMoveGenerator generator;
  TMoveList list;
  int games = 0, played = 0;
  for (const TMaterialSplit& split : EgdbSplits(4)) {
    if (split.Pieces() != 4) continue;
    for (int tries = 0, taken = 0; taken < 2 && tries < 2000; ++tries) {
      TPosition p;
      if (!DecodePosition(split, random() % split.Size(), p.Board, &p.Side)) continue;
      const int value = Value(p);
      if (!EgdbIsWin(value) || EgdbPlies(value) < 5) continue;
      ++taken;
      for (bool randomDefence : {false, true}) {
        TPosition game = p;
        const TPlayer winner = p.Side;
        int plies = 0;
        for (; plies <= EgdbPlies(value); ++plies) {
          generator.MakeMoveList(game.Board, game.Side, &list);
          if (list.NumMoves == 0) break;
          if (game.Side != winner && randomDefence) {
            TMoveGenerator::MakeMove(list.Moves[random() % list.NumMoves], game.Board);
            game.Side = static_cast<TPlayer>(1 - game.Side);
          } else {
            Play(game);
          }
        }
        EXPECT_NE(game.Side, winner) << FormatPosition(p.Board, p.Side);
        EXPECT_EQ(list.NumMoves, 0) << FormatPosition(p.Board, p.Side) << " is not won after " << plies;
        if (!randomDefence) {
          EXPECT_EQ(plies, EgdbPlies(value)) << FormatPosition(p.Board, p.Side);
        }
        ++games;
        played += plies;
      }
    }
  }
  EXPECT_GT(games, 40);
  EXPECT_GT(played, 10 * games);
}

TEST_F(EgdbSearchTest, ThreeKingsBeatTwoAgainstTheComputersDefence) {
  TPosition p = Position("B:WK1,K2:BK21,K22,K23");
  class TMoveGenerator generator;
  int plies = 0;
  while (plies < 80 && !generator.NoMovesLeft(p.Board, p.Side)) {
    Play(p);
    ++plies;
  }
  EXPECT_EQ(p.Side, White) << "not won after " << plies << " plies: " << FormatPosition(p.Board, p.Side);
  EXPECT_TRUE(generator.NoMovesLeft(p.Board, p.Side));
}

// White, a king against three kings and a man, would lose; but its king can
// step back to where it stood two moves ago, and that repeats the game.
TEST_F(EgdbSearchTest, ABehindSideRepeatsWhenThatIsItsOnlyWayNotToLose) {
  TSearcher.Database = nullptr;
  const TPosition p = Position("W:WK3:BK10,K14,K24,12");
  // Played before: White's king on 7 (Black to move), a Black king from 24 to
  // 19, White back to 3, and Black from 19 to 24 again.
  const TPosition x = Stepped(p, 3, 7);
  const TPosition y = Stepped(x, 24, 19);
  const TPosition z = Stepped(y, 7, 3);
  ASSERT_TRUE(SameBoard(Stepped(z, 19, 24).Board, p.Board));
  TPosition without = p;
  const std::string lost = Play(without);
  EXPECT_EQ(lost.find("Score=0 "), std::string::npos) << lost;
  const TPositionKey history[] = {Key(x), Key(y), Key(z)};
  TSearcher.SetHistory(history);
  HashTable->Clear();
  TPosition with = p;
  const std::string drawn = Play(with);
  EXPECT_NE(drawn.find("Score=0 "), std::string::npos) << drawn;
  EXPECT_TRUE(SameBoard(with.Board, x.Board)) << drawn;
}

// White, far ahead, must not play into a position it has had before.
TEST_F(EgdbSearchTest, ASideAheadAvoidsRepeating) {
  TSearcher.Database = nullptr;
  const TPosition p = Position("W:WK1,K2,K3:BK25,12");
  TPosition first = p;
  Play(first);
  // Make the preferred move's position one played before.
  const TPositionKey history[] = {Key(first)};
  TSearcher.SetHistory(history);
  HashTable->Clear();
  TPosition again = p;
  const std::string info = Play(again);
  EXPECT_FALSE(SameBoard(again.Board, first.Board)) << info;
  // Still playing for the win.
  EXPECT_EQ(info.find("Score=-"), std::string::npos) << info;
  EXPECT_EQ(info.find("Score=0 "), std::string::npos) << info;
}
