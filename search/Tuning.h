// Fitting the evaluation to game results: the quiet positions of games with
// their results, the terms of each position, and a logistic regression of the
// weights (the error between the result and a sigmoid of the score, made as
// small as gradient descent gets it). Used by `varek-cli tune`.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/PositionKey.h"
#include "search/Evaluation.h"

struct TTuneSample {
  TPositionKey Position;
  float Result = 0.5f;  // for Black: 1 won, 0.5 drawn, 0 lost
  int Game = 0;         // which game it comes from (the held-out games are chosen by it)
};

// Appends the quiet positions of a game played from `board` (side to move
// `side`): those after the first `skip` plies whose side to move has a move
// and no capture. `moves` must be legal.
void AddQuietPositions(const int* board, TPlayer side, const std::vector<std::vector<int>>& moves, float result,
                       int game, int skip, std::vector<TTuneSample>& samples);

// The terms of every sample, ready for the fit.
struct TTuneSet {
  std::vector<uint32_t> First;  // sample i's terms are First[i] .. First[i + 1] - 1
  std::vector<uint32_t> Term;
  std::vector<int16_t> Value;
  std::vector<float> Phase;     // the full board's share of the blend, 0..1
  std::vector<float> Result;    // the game's result, which the errors are measured against
  std::vector<float> Target;    // what the fit aims at: the result, or a blend with a search's score
  std::vector<uint8_t> HeldOut; // left out of the fit, to measure it on
  std::size_t Size() const { return Result.size(); }
};
// A term number the list cannot hold would be fitted as another term.
static_assert(evalterms::Count - 1 <= std::numeric_limits<decltype(TTuneSet::Term)::value_type>::max());

// Every tenth game, chosen by `seed`, is held out.
TTuneSet MakeTuneSet(const std::vector<TTuneSample>& samples, unsigned seed);

// The scores (for Black, by the evaluation in force: EvaluationKind and the
// weights set) of the samples.
std::vector<int> EvaluateSamples(const std::vector<TTuneSample>& samples);

// The scores (for Black) of the samples by a search of `depth` plies each,
// with `database` if not null, `threads` searches at once. Each search starts
// from an empty table, so the scores depend on neither the order nor the
// threads. A sample with a single move has no search score: it gets
// NoSearchScore. `progress` hears how many are done now and then.
constexpr int NoSearchScore = -32768;
std::vector<int> SearchSamples(const std::vector<TTuneSample>& samples, int depth, int threads,
                               const class TEndgameDatabase* database,
                               const std::function<void(std::size_t done)>& progress);

// Aims the fit at resultShare x result + (1 - resultShare) x sigmoid(scale x
// search score) for every sample with a search score (the rest keep their
// result). The errors are still measured against the results.
void BlendTargets(TTuneSet& set, const std::vector<int>& searchScores, double scale, double resultShare);

// Mean squared error between result and sigmoid(scale x score) over the
// samples of the fit (heldOut false) or the held-out ones.
double MeanError(const std::vector<int>& scores, const TTuneSet& set, double scale, bool heldOut);
// The scale with the least error on the fit's samples.
double FitScale(const std::vector<int>& scores, const TTuneSet& set);

struct TFitOptions {
  int Iterations = 600;
  double Rate = 2.0;            // the step of the gradient descent, in score units
  double Regularisation = 1e-7; // pulls weights that the games hardly show towards their start
  // The same for the rows' patterns, which are many and most of them seldom
  // seen: divided by the number of positions, so that a smaller set of games
  // is pulled harder (at the master games' 680,000 positions it is about 1e-9).
  double PatternPrior = 6.8e-4;
  int MinPositions = 10;        // a term in fewer of the fitted positions keeps its start
};

// Fits the weights by gradient descent (Adam) from a fixed start at the given
// scale; the same set, scale and options give the same weights on any run.
// `progress` hears each hundredth iteration and its error.
TEvalWeights FitWeights(const TTuneSet& set, double scale, const TFitOptions& options,
                        const std::function<void(int iteration, double error)>& progress);

// The weights as the source file the build takes; `header` lines become comments.
std::string WeightsSource(const TEvalWeights& weights, const std::vector<std::string>& header);
// Reads the numbers of such a file back; false when it does not hold exactly
// two lists of the right length.
bool ParseWeightsSource(const std::string& text, TEvalWeights* weights);
