// varek-cli tune: fits the evaluation's weights to the results of the games of
// PDN collections and writes them as the source file the build takes.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "egdb/Database.h"
#include "game/Pdn.h"
#include "search/Evaluation.h"
#include "search/Tuning.h"
#include "tools/Commands.h"

namespace {

const char TuneUsage[] =
    "usage: varek-cli tune fit [--seed N] [--iterations N] [--skip PLIES] [--search-depth N [--result-share PERCENT]\n"
    "                          [--scores FILE] [--threads N]] [--out FILE] PDN...";

bool ResultOf(const std::string& text, float* result) {
  if (text == "1-0") *result = 1.0f;
  else if (text == "0-1") *result = 0.0f;
  else if (text == "1/2-1/2") *result = 0.5f;
  else return false;
  return true;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The search scores of the samples: read from `path` when an earlier run kept
// them there for the same positions and depth, else searched (and written
// there). Empty when the file cannot be written.
std::vector<int> SearchScores(const std::vector<TTuneSample>& samples, int depth, int threads, const std::string& path) {
  uint64_t positions = 1469598103934665603ull;
  for (const TTuneSample& sample : samples)
    for (uint64_t word : {uint64_t{sample.Position.WhiteMen}, uint64_t{sample.Position.WhiteKings},
                          uint64_t{sample.Position.BlackMen}, uint64_t{sample.Position.BlackKings},
                          static_cast<uint64_t>(sample.Position.Side)})
      positions = (positions ^ word) * 1099511628211ull;
  const uint64_t header[3] = {samples.size(), static_cast<uint64_t>(depth), positions};
  if (!path.empty()) {
    std::ifstream in(path, std::ios::binary);
    uint64_t kept[3] = {};
    std::vector<int32_t> scores(samples.size());
    if (in.read(reinterpret_cast<char*>(kept), sizeof kept) && std::equal(kept, kept + 3, header) &&
        in.read(reinterpret_cast<char*>(scores.data()), static_cast<std::streamsize>(scores.size() * sizeof(int32_t)))) {
      std::printf("search scores read from %s\n", path.c_str());
      return {scores.begin(), scores.end()};
    }
  }
  TEndgameDatabase database;
  const std::string folder = DefaultEgdbFolder();
  const TEgdbLoadReport report = database.Load(folder);
  std::printf("searching every position %d plies deep, %d at once, %s\n", depth, threads,
              report.Files > 0 ? ("endgame database from " + folder).c_str() : "no endgame database");
  const auto start = std::chrono::steady_clock::now();
  std::vector<int> scores =
      SearchSamples(samples, depth, threads, report.Files > 0 ? &database : nullptr, [&](std::size_t done) {
        std::printf("  %zu searched (%.0f s)\n", done, Seconds(start));
        std::fflush(stdout);
      });
  if (!path.empty()) {
    const std::vector<int32_t> kept(scores.begin(), scores.end());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    out.write(reinterpret_cast<const char*>(kept.data()), static_cast<std::streamsize>(kept.size() * sizeof(int32_t)));
    if (!out) {
      std::fprintf(stderr, "varek-cli tune: cannot write %s\n", path.c_str());
      return {};
    }
  }
  return scores;
}

}  // namespace

int CmdTune(const TArgs& args) {
  if (args.empty() || args[0] != "fit") return CommandError("tune", TuneUsage);
  int seed = 1, iterations = 600, skip = 8, searchDepth = 0, resultShare = 50, threads = 2;
  std::string out, scoresFile;
  std::vector<std::string> files;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& word = args[i];
    int* number = word == "--seed" ? &seed : word == "--iterations" ? &iterations : word == "--skip" ? &skip
                  : word == "--search-depth" ? &searchDepth : word == "--result-share" ? &resultShare
                  : word == "--threads" ? &threads : nullptr;
    if (number != nullptr || word == "--out" || word == "--scores") {
      if (i + 1 == args.size()) return CommandError("tune", word + " needs a value\n" + TuneUsage);
      const std::string& value = args[++i];
      const long lowest = word == "--iterations" || word == "--threads" ? 1 : word == "--search-depth" ? 9 : 0;
      const long highest = word == "--search-depth" ? 47 : word == "--result-share" ? 100 : word == "--threads" ? 64 : 1000000;
      if (word == "--out") out = value;
      else if (word == "--scores") scoresFile = value;
      else if (!ParseNumber(value, lowest, highest, number))
        return CommandError("tune", word + " must be a whole number from " + std::to_string(lowest) + " to " +
                                        std::to_string(highest) + ", not '" + value + "'");
    } else if (word.size() > 1 && word[0] == '-') {
      return CommandError("tune", "unknown option '" + word + "'\n" + TuneUsage);
    } else {
      files.push_back(word);
    }
  }
  if (files.empty()) return CommandError("tune", std::string("no games given\n") + TuneUsage);

  const auto start = std::chrono::steady_clock::now();
  std::vector<TTuneSample> samples;
  int games = 0;
  for (const std::string& file : files) {
    TPdnCollection collection;
    std::string error;
    if (!ReadPdnFile(file, &collection, &error)) return CommandError("tune", error);
    for (const TPdnGame& game : collection.Games) {
      float result;
      if (!ResultOf(game.Result, &result)) continue;
      AddQuietPositions(game.StartBoard, game.StartSide, game.Moves, result, games++, skip, samples);
    }
  }
  if (samples.empty()) return CommandError("tune", "the games hold no quiet positions with a result");
  TTuneSet set = MakeTuneSet(samples, static_cast<unsigned>(seed));
  std::size_t heldOut = 0;
  for (uint8_t h : set.HeldOut) heldOut += h;
  std::printf("%d games with a result, %zu quiet positions (%zu held out), read in %.1f s\n", games, set.Size(),
              heldOut, Seconds(start));

  // The error of the classic evaluation at its own best scale, then the fit at that scale.
  const TEvaluationKind kind = EvaluationKind;
  EvaluationKind = TEvaluationKind::Classic;
  const std::vector<int> classic = EvaluateSamples(samples);
  const double scale = FitScale(classic, set);
  std::printf("classic evaluation: scale %.6f, error %.6f (held out %.6f)\n", scale, MeanError(classic, set, scale, false),
              MeanError(classic, set, scale, true));
  EvaluationKind = TEvaluationKind::Fitted;
  const TEvalWeights before = EvalWeights();
  const std::vector<int> current = EvaluateSamples(samples);
  std::printf("evaluation of this build: error %.6f (held out %.6f)\n", MeanError(current, set, scale, false),
              MeanError(current, set, scale, true));

  if (searchDepth > 0) {
    const std::vector<int> searched = SearchScores(samples, searchDepth, threads, scoresFile);
    if (searched.empty()) return 1;
    BlendTargets(set, searched, scale, resultShare / 100.0);
    std::printf("the fit aims at %d%% of the result and %d%% of the %d-ply search's score\n", resultShare,
                100 - resultShare, searchDepth);
  }

  TFitOptions options;
  options.Iterations = iterations;
  const TEvalWeights weights = FitWeights(set, scale, options, [&start](int iteration, double error) {
    std::printf("iteration %d: error %.6f (%.0f s)\n", iteration, error, Seconds(start));
    std::fflush(stdout);
  });
  SetEvalWeights(weights);
  const std::vector<int> fitted = EvaluateSamples(samples);
  const double fitted_error = MeanError(fitted, set, scale, false), fitted_held = MeanError(fitted, set, scale, true);
  std::printf("fitted evaluation: error %.6f (held out %.6f); at its own best scale %.6f\n", fitted_error,
              fitted_held, FitScale(fitted, set));
  SetEvalWeights(before);
  EvaluationKind = kind;

  if (!out.empty()) {
    char line[200];
    std::snprintf(line, sizeof line, "%d games, %zu quiet positions after ply %d, seed %d, %d iterations, scale %.6f;",
                  games, set.Size(), skip, seed, iterations, scale);
    char errors[160];
    if (searchDepth > 0)
      std::snprintf(errors, sizeof errors, "aimed at %d%% of the result and %d%% of a %d-ply search; error %.6f, held out %.6f.",
                    resultShare, 100 - resultShare, searchDepth, fitted_error, fitted_held);
    else
      std::snprintf(errors, sizeof errors, "error %.6f, held out %.6f.", fitted_error, fitted_held);
    const std::string text = WeightsSource(
        weights, {"The fitted evaluation's weights, written by `varek-cli tune fit` from", line, errors,
                  "Rerun the command (README) rather than editing them."});
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file) {
      std::fprintf(stderr, "varek-cli tune: cannot write %s\n", out.c_str());
      return 1;
    }
    std::printf("weights written to %s\n", out.c_str());
  }
  std::printf("done in %.0f s\n", Seconds(start));
  return 0;
}
