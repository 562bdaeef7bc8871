// The analysis in PDN: marks and score comments written with a game, read
// back as the same analysis, beside the comments and marks of others.
#include <gtest/gtest.h>

#include "analysis/AnalysisPdn.h"
#include "engine/Metrics.h"
#include "game/MoveText.h"

namespace {

TEST(AnalysisPdn, MarksAndScoresSurviveWritingAndReading) {
  const TPdnCollection read = ReadPdn(
      "[Black \"A\"] [White \"B\"]\n1. 11-15 {a player's note} 22-18! 2. 15x22 25x18 3. 8-11 {+9.99; best 9-14} *");
  ASSERT_EQ(read.Games.size(), 1u);
  TPdnGame game = read.Games[0];

  // Scores from the mover's view; the 8-11 comment was an older analysis.
  auto analysed = [](TPlayer side, int played, TMoveMark mark) {
    TMoveAnalysis a;
    a.Side = side;
    a.Played = a.Best = played;
    a.Mark = mark;
    return a;
  };
  std::vector<TMoveAnalysis> analysis = {
      analysed(Black, 45, TMoveMark::None),
      analysed(White, -120, TMoveMark::Mistake),
      analysed(Black, 120, TMoveMark::None),
      analysed(White, -(10001 - 17), TMoveMark::Blunder),
      analysed(Black, 0, TMoveMark::None),
  };
  // The better moves, where there were: 24-20 for White's 22-18, 26x17 for 25x18.
  int board[BoardSize];
  TMoveGenerator::InitBoard(board);
  TMoveReader reader;
  std::string error;
  auto best = [&](TMoveAnalysis& a, const char* text) {
    const int* move = reader.Find(board, a.Side, text, &error);
    ASSERT_NE(move, nullptr) << text;
    std::copy(move, move + MoveLength(move) + 1, a.BestMove.begin());
  };
  for (size_t n = 0; n < analysis.size(); ++n) {
    if (n == 1) best(analysis[n], "24-20");
    else if (n == 3) best(analysis[n], "26x17");
    else std::copy(game.Moves[n].begin(), game.Moves[n].end(), analysis[n].BestMove.begin());
    TMoveGenerator::MakeMove(game.Moves[n].data(), board);
  }

  AnnotateGame(analysis, &game);
  const std::string text = WritePdn(game);
  EXPECT_NE(text.find("1. 11-15 {a player's note} {-0.45} 1... 22-18? {-1.20; best 24-20} 2. 15x22"),
            std::string::npos) << text;
  EXPECT_NE(text.find("{-1.20} 2... 25x18?? {Black wins in 17; best 26x17} 3. 8-11 {0.00} *"), std::string::npos)
      << text;

  const TPdnCollection back = ReadPdn(text);
  ASSERT_EQ(back.Games.size(), 1u);
  EXPECT_EQ(back.Games[0], game);
  // The other annotator's mark gave way to the analysis's; the player's note stays.
  EXPECT_EQ(back.Games[0].NoteOf(0).Comments.front(), "a player's note");
  const std::vector<TMoveAnalysis> again = AnalysisOfGame(back.Games[0]);
  ASSERT_EQ(again.size(), analysis.size());
  for (size_t n = 0; n < again.size(); ++n) {
    EXPECT_EQ(again[n].Played, analysis[n].Played) << n;
    EXPECT_EQ(again[n].Mark, analysis[n].Mark) << n;
    EXPECT_EQ(again[n].Side, analysis[n].Side) << n;
    EXPECT_EQ(again[n].BestMove, analysis[n].BestMove) << n;
  }

  // Analysed again, the old comments and marks are replaced, not added to.
  analysis[1].Mark = TMoveMark::None;
  analysis[1].Played = analysis[1].Best = 30;
  std::copy(game.Moves[1].begin(), game.Moves[1].end(), analysis[1].BestMove.begin());
  TPdnGame twice = back.Games[0];
  AnnotateGame(analysis, &twice);
  EXPECT_EQ(twice.NoteOf(1).Mark, "");
  EXPECT_EQ(twice.NoteOf(1).Comments, (std::vector<std::string>{"+0.30"}));
  EXPECT_EQ(twice.NoteOf(0).Comments, (std::vector<std::string>{"a player's note", "-0.45"}));
  // A game with no analysis comments has no analysis; one that stops has what it has.
  EXPECT_TRUE(AnalysisOfGame(read.Games[0]).empty());
  twice.Note(2).Comments = {"a note"};
  EXPECT_EQ(AnalysisOfGame(twice).size(), 2u);
}

TEST(AnalysisPdn, ScoreTextsAndWhatIsNotAnAnalysisComment) {
  int score = 0;
  std::string best;
  for (int s : {0, 5, -5, 99, -100, 12345 % 9500, -9500, 10001 - 1, -(10001 - 499)}) {
    const std::string text = AnalysisComment(s, "22-17");
    ASSERT_TRUE(ReadAnalysisComment(text, &score, &best)) << text;
    EXPECT_EQ(score, s) << text;
    EXPECT_EQ(best, "22-17");
  }
  EXPECT_EQ(WhiteScoreText(-45), "-0.45");
  EXPECT_EQ(WhiteScoreText(10001 - 3), "White wins in 3");
  EXPECT_EQ(SideScoreText(12), "+0.12");
  EXPECT_EQ(SideScoreText(4 - 10001), "loss in 4");
  for (const char* other : {"", "good move", "0.5", "+1.234", "-0.45;best 22-17", "-0.45; best ", "1.00; best a b",
                            "White wins in", "White wins in 17 plies", "Red wins in 3", "+96.00"})
    EXPECT_FALSE(ReadAnalysisComment(other, &score, &best)) << other;
}

}  // namespace
