// The analysis of a game: which positions it asks to have searched, how the
// scores of those searches become each move's scores and mark (only moves and
// the game's end need no search), a stop that keeps what is done, and a real
// analysis with the endgame database that finds a win thrown away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/GameAnalysis.h"
#include "egdb/Database.h"
#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "game/MoveText.h"
#include "tests/PositionFromText.h"

namespace {

// A game given by its moves' texts, with the positions before each move.
struct TTestGame {
  TPosition Start;
  std::vector<std::vector<int>> Moves;
  std::vector<TPosition> Positions;  // before each move, and the last one

  TTestGame(const std::string& start, const std::vector<std::string>& moves) : Start(Position(start)) {
    TMoveReader reader;
    TPosition p = Start;
    for (const std::string& text : moves) {
      Positions.push_back(p);
      std::string error;
      const int* move = reader.Find(p.Board, p.Side, text, &error);
      EXPECT_NE(move, nullptr) << text << ": " << error;
      if (move == nullptr) break;
      Moves.emplace_back(move, move + MoveLength(move) + 1);
      TMoveGenerator::MakeMove(move, p.Board);
      p.Side = static_cast<TPlayer>(1 - p.Side);
    }
    Positions.push_back(p);
  }
  TGameAnalysis Analysis() const { return TGameAnalysis(Start.Board, Start.Side, Moves); }
};

const char StartText[] = "B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12";

TMoveBuffer Move(const TPosition& p, const std::string& text) {
  TMoveReader reader;
  std::string error;
  const int* move = reader.Find(p.Board, p.Side, text, &error);
  EXPECT_NE(move, nullptr) << text << ": " << error;
  TMoveBuffer buffer{};
  if (move) std::copy(move, move + MoveLength(move) + 1, buffer.begin());
  return buffer;
}

TSearchResult Result(const TPosition& p, const std::string& best, int score, bool aborted = false, int depth = 13) {
  TSearchResult result;
  result.Move = Move(p, best);
  result.Score = score;
  result.Depth = depth;
  result.Source = depth > 0 ? TMoveSource::Search : TMoveSource::Fallback;
  result.Aborted = aborted;
  return result;
}

bool Same(const TMoveBuffer& a, const TMoveBuffer& b) { return MoveLength(a.data()) == MoveLength(b.data()) && a == b; }

// 1. 11-15 22-18 2. 15x22 (Black's only move) 25x18: the searches Black's and
// White's positions get, scripted, and what the analysis makes of them.
TEST(GameAnalysis, TurnsEachSearchIntoTheMovesScoresAndMarks) {
  const TTestGame game(StartText, {"11-15", "22-18", "15x22", "25x18"});
  TGameAnalysis analysis = game.Analysis();
  const TSearchResult results[] = {
      Result(game.Positions[0], "11-15", 10),   // the move played is the best
      Result(game.Positions[1], "24-20", 5),    // 22-18 is not: what it is worth comes later
      Result(game.Positions[3], "26x17", -80),  // after Black's only move, White stands worse
      Result(game.Positions[4], "8-11", 30),    // the last position: Black's view
  };
  const int searched[] = {0, 1, 3, 4};
  for (int i = 0; i < 4; ++i) {
    TSearchRequest request;
    ASSERT_TRUE(analysis.NextRequest(0.5, &request)) << i;
    const TPosition& p = game.Positions[static_cast<size_t>(searched[i])];
    EXPECT_TRUE(std::equal(request.Board.begin(), request.Board.end(), p.Board)) << "position " << searched[i];
    EXPECT_EQ(request.Side, p.Side);
    EXPECT_DOUBLE_EQ(request.Limits.HardSeconds, 0.5);
    // The game's positions since the last capture or man move: every move here was one.
    EXPECT_EQ(request.History.size(), 1u);
    analysis.TakeResult(results[i]);
  }
  TSearchRequest request;
  EXPECT_FALSE(analysis.NextRequest(0.5, &request));
  ASSERT_TRUE(analysis.Complete());
  const std::vector<TMoveAnalysis>& moves = analysis.Moves();
  ASSERT_EQ(moves.size(), 4u);

  EXPECT_EQ(moves[0].Played, 10);
  EXPECT_EQ(moves[0].Best, 10);
  EXPECT_EQ(moves[0].Mark, TMoveMark::None);
  // 22-18 left White at -80 (what White's search after 15x22 found) where 24-20 kept +5.
  EXPECT_EQ(moves[1].Side, White);
  EXPECT_EQ(moves[1].Best, 5);
  EXPECT_EQ(moves[1].Played, -80);
  EXPECT_EQ(moves[1].Mark, TMoveMark::Mistake);
  EXPECT_TRUE(Same(moves[1].BestMove, Move(game.Positions[1], "24-20")));
  EXPECT_EQ(moves[1].WhiteScore(), -80);
  // The only move is worth what the position after it is, from Black's side.
  EXPECT_EQ(moves[2].Played, 80);
  EXPECT_EQ(moves[2].Best, 80);
  EXPECT_EQ(moves[2].Depth, 0);
  EXPECT_EQ(moves[2].WhiteScore(), -80);
  // 25x18 turned out better for White than the search's 26x17: no mark.
  EXPECT_EQ(moves[3].Played, -30);
  EXPECT_EQ(moves[3].Best, -80);
  EXPECT_EQ(moves[3].Mark, TMoveMark::None);
}

TEST(GameAnalysis, AStopKeepsTheMovesWhoseBothPositionsAreKnown) {
  const TTestGame game(StartText, {"11-15", "22-18", "15x22", "25x18"});
  // A search stopped after a finished iteration still counts; the analysis ends there.
  TGameAnalysis kept = game.Analysis();
  TSearchRequest request;
  for (const TSearchResult& result : {Result(game.Positions[0], "11-15", 10), Result(game.Positions[1], "22-18", 5),
                                      Result(game.Positions[3], "25x18", 0, true, 11)}) {
    ASSERT_TRUE(kept.NextRequest(1, &request));
    kept.TakeResult(result);
  }
  EXPECT_FALSE(kept.NextRequest(1, &request));
  EXPECT_FALSE(kept.Complete());
  EXPECT_EQ(kept.Moves().size(), 3u);  // the last move needs the final position

  // Stopped before its first iteration ended, a search tells nothing: the
  // only move before it stays unknown, and so the move before that.
  TGameAnalysis cut = game.Analysis();
  for (const TSearchResult& result : {Result(game.Positions[0], "11-15", 10), Result(game.Positions[1], "22-18", 5),
                                      Result(game.Positions[3], "25x18", 0, true, 0)}) {
    ASSERT_TRUE(cut.NextRequest(1, &request));
    cut.TakeResult(result);
  }
  EXPECT_FALSE(cut.NextRequest(1, &request));
  EXPECT_EQ(cut.Moves().size(), 1u);
  EXPECT_EQ(cut.PositionsDone(), 3);
}

// What a loss of score counts for: the thresholds, where the game was
// already decided, and proven wins and losses.
TEST(GameAnalysis, MarksByTheScoreLostWithWinsAndDecidedGames) {
  EXPECT_EQ(MoveMarkFor(0, -InaccuracyLoss + 1), TMoveMark::None);
  EXPECT_EQ(MoveMarkFor(0, -InaccuracyLoss), TMoveMark::Inaccuracy);
  EXPECT_EQ(MoveMarkFor(20, 20 - MistakeLoss), TMoveMark::Mistake);
  EXPECT_EQ(MoveMarkFor(-40, -40 - BlunderLoss), TMoveMark::Blunder);
  // Five men up or four makes no difference, nor do five down or six.
  EXPECT_EQ(MoveMarkFor(500, 400), TMoveMark::None);
  EXPECT_EQ(MoveMarkFor(-500, -600), TMoveMark::None);
  // A proven win given up, for a draw or even for a won-looking position, is a blunder.
  EXPECT_EQ(MoveMarkFor(10001 - 17, 0), TMoveMark::Blunder);
  EXPECT_EQ(MoveMarkFor(10001 - 17, 250), TMoveMark::Blunder);
  EXPECT_EQ(MoveMarkFor(0, 17 - 10001), TMoveMark::Blunder);
  // A slower win, or a quicker loss when the game is lost anyway, is no mistake.
  EXPECT_EQ(MoveMarkFor(10001 - 5, 10001 - 41), TMoveMark::None);
  EXPECT_EQ(MoveMarkFor(41 - 10001, 5 - 10001), TMoveMark::None);
  EXPECT_STREQ(MoveMarkText(TMoveMark::Blunder), "??");
  EXPECT_EQ(MoveMarkFromText("?!"), TMoveMark::Inaccuracy);
  EXPECT_EQ(MoveMarkFromText("!?"), TMoveMark::None);
}

const TEndgameDatabase& Database() {
  static TEndgameDatabase database;
  static const bool loaded = [] {
    const TEgdbLoadReport report = database.Load(VAREK_BINARY_DIR "/share/varek/egdb");
    EXPECT_EQ(report.Problem(), "");
    return report.Files > 0;
  }();
  EXPECT_TRUE(loaded);
  return database;
}

// White's man on 5 and king on 9 against Black's man on 12 and king on 13:
// 5-1 wins (in 9 plies), every other move lets Black draw. White plays 9-14.
TEST(GameAnalysis, ADatabaseWinThrownAwayIsABlunderWithTheWinningMove) {
  const TTestGame game("W:W5,K9:B12,K13", {"9-14", "13-9", "14-10", "12-16"});
  TEngine engine;
  engine.SetDatabase(&Database());
  TGameAnalysis analysis = game.Analysis();
  TSearchControl control;
  int calls = 0;
  AnalyseGame(analysis, engine, 0.2, control, [&](const TGameAnalysis&) { ++calls; });
  ASSERT_TRUE(analysis.Complete());
  EXPECT_EQ(calls, 5);  // every position, the last one too
  const std::vector<TMoveAnalysis>& moves = analysis.Moves();
  ASSERT_EQ(moves.size(), 4u);
  EXPECT_EQ(moves[0].Mark, TMoveMark::Blunder);
  EXPECT_TRUE(Same(moves[0].BestMove, Move(game.Positions[0], "5-1")));
  EXPECT_EQ(moves[0].Best, 10001 - 9);  // the database's win
  EXPECT_EQ(moves[0].Played, 0);
  // Drawn from then on, whatever either side plays.
  for (size_t n = 1; n < moves.size(); ++n) {
    EXPECT_EQ(moves[n].Mark, TMoveMark::None) << n;
    EXPECT_EQ(moves[n].Played, 0) << n;
  }
}

}  // namespace
