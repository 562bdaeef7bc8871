#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "SearchTestSupport.h"
#include "search/Evaluation.h"
#include "search/Tuning.h"

namespace {

// Samples from random games, each labelled with who is ahead in material at
// its end (as if the side with more pieces had won), so the fit has something to find.
std::vector<TTuneSample> LabelledSamples() {
  std::vector<TTuneSample> samples;
  int game = 0;
  std::vector<std::vector<int>> moves;
  int start[BoardSize];
  TMoveGenerator::InitBoard(start);
  std::mt19937 random(7);
  TMoveList list;
  for (int g = 0; g < 300; ++g) {
    int board[BoardSize];
    std::copy(start, start + BoardSize, board);
    TPlayer side = Black;
    moves.clear();
    for (int ply = 0; ply < 90; ++ply) {
      TMoveGenerator.MakeMoveList(board, side, &list);
      if (list.NumMoves == 0) break;
      const int* move = list.Moves[random() % list.NumMoves];
      moves.emplace_back(move, move + MoveLength(move) + 1);
      TMoveGenerator::MakeMove(move, board);
      side = static_cast<TPlayer>(1 - side);
    }
    TMaterial end;
    end.SetBoard(board);
    const int lead = end.BlackMen + end.BlackKings - end.WhiteMen - end.WhiteKings;
    AddQuietPositions(start, Black, moves, lead > 0 ? 1.0f : lead < 0 ? 0.0f : 0.5f, game++, 4, samples);
  }
  return samples;
}

}  // namespace

// The fit depends on nothing but its data, seed and options, and it does
// lower the error it minimises, on the positions it left out too.
TEST(Tuning, FitReproducesAndLowersTheError) {
  const std::vector<TTuneSample> samples = LabelledSamples();
  ASSERT_GT(samples.size(), 10000u);
  // Quiet positions only: the side to move has a move and no capture.
  for (std::size_t i = 0; i < samples.size(); i += 97) {
    int board[BoardSize];
    BoardOfPositionKey(samples[i].Position, board);
    ASSERT_EQ(TMoveGenerator.TestPos(board, static_cast<TPlayer>(samples[i].Position.Side)), 2);
  }
  const TTuneSet set = MakeTuneSet(samples, 3);
  const TTuneSet same = MakeTuneSet(samples, 3);
  EXPECT_EQ(set.HeldOut, same.HeldOut);
  EXPECT_NE(set.HeldOut, MakeTuneSet(samples, 4).HeldOut);  // the seed chooses the held-out games

  TFitOptions options;
  options.Iterations = 60;
  const TEvalWeights a = FitWeights(set, 0.01, options, nullptr);
  const TEvalWeights b = FitWeights(same, 0.01, options, nullptr);
  EXPECT_EQ(WeightsSource(a, {}), WeightsSource(b, {}));

  const TEvalWeights kept = EvalWeights();
  const TEvaluationKind kind = EvaluationKind;
  EvaluationKind = TEvaluationKind::Fitted;
  TEvalWeights start = kept;  // the fit's own start: material only
  for (int t = 0; t < evalterms::Count; ++t)
    start.Opening[t] = start.Ending[t] = t < evalterms::KingSquare ? 100 : t < evalterms::BackRank ? 130 : 0;
  SetEvalWeights(start);
  const std::vector<int> before = EvaluateSamples(samples);
  SetEvalWeights(a);
  const std::vector<int> after = EvaluateSamples(samples);
  SetEvalWeights(kept);
  EvaluationKind = kind;
  EXPECT_LT(MeanError(after, set, 0.01, false), MeanError(before, set, 0.01, false) - 0.002);
  EXPECT_LT(MeanError(after, set, 0.01, true), MeanError(before, set, 0.01, true));
  // The scale is fitted too: the best one beats both ends of the range.
  const double scale = FitScale(before, set);
  EXPECT_LE(MeanError(before, set, scale, false), MeanError(before, set, 1e-4, false));
  EXPECT_LE(MeanError(before, set, scale, false), MeanError(before, set, 0.05, false));
}

// The weights file the build takes reads back as the weights the program has,
// so what the tuner wrote is what plays (and self-play can load such a file).
TEST(Tuning, WeightsSourceReadsBack) {
  std::ifstream file(VAREK_SOURCE_DIR "/search/FittedWeights.cpp");
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  TEvalWeights read;
  ASSERT_TRUE(ParseWeightsSource(text, &read));
  EXPECT_EQ(WeightsSource(read, {}), WeightsSource(FittedWeights, {}));
  TEvalWeights again;
  ASSERT_TRUE(ParseWeightsSource(WeightsSource(read, {"a comment, with = and {braces}"}), &again));
  EXPECT_EQ(WeightsSource(again, {}), WeightsSource(read, {}));
  EXPECT_FALSE(ParseWeightsSource("const TEvalWeights FittedWeights = {{1, 2}, {3}};", &again));
}

// The search's scores are Black's whoever is to move, and they do not depend
// on how many positions are searched at once (each search starts from an empty
// table). The fit's targets blend them with the results, and the errors are
// still measured against the results.
TEST(ThreadedTuning, SearchScoresAndBlendedTargets) {
  std::vector<TTuneSample> samples = LabelledSamples();
  samples.resize(150);
  for (const char* text : {"B:W29,30,31,32:B1,2,3,4,5,6", "W:W29,30,31,32:B1,2,3,4,5,6"}) {
    const TPosition p = Position(text);
    ASSERT_EQ(TMoveGenerator.TestPos(p.Board, p.Side), 2) << text;
    samples.push_back({MakePositionKey(p.Board, p.Side), 0.5f, 1000});
  }
  const std::vector<int> one = SearchSamples(samples, 9, 1, nullptr, nullptr);
  EXPECT_EQ(SearchSamples(samples, 9, 2, nullptr, nullptr), one);
  EXPECT_GT(one[150], 100);  // two men up, Black to move
  EXPECT_GT(one[151], 100);  // and White to move

  TTuneSet set = MakeTuneSet(samples, 3);
  std::vector<int> scores = one;
  scores[0] = NoSearchScore;
  const std::vector<int> zero(samples.size(), 0);
  const double before = MeanError(zero, set, 0.01, false);
  BlendTargets(set, scores, 0.01, 0.25);
  EXPECT_EQ(set.Target[0], set.Result[0]);
  EXPECT_FLOAT_EQ(set.Target[151], 0.25f * 0.5f + 0.75f / (1 + std::exp(-0.01f * static_cast<float>(one[151]))));
  EXPECT_EQ(MeanError(zero, set, 0.01, false), before);
}
