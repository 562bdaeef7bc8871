#include "search/Tuning.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <thread>

#include "engine/MoveGenerator.h"
#include "search/Engine.h"

namespace {

double Sigmoid(double x) { return 1.0 / (1.0 + std::exp(-x)); }

// The weights the fit starts from: a man 100 and a king 130 on every square,
// every other term 0.
void StartWeights(double* opening, double* ending) {
  using namespace evalterms;
  for (int t = 0; t < Count; ++t) {
    const double start = t < KingSquare ? 100 : t < BackRank ? 130 : 0;
    opening[t] = ending[t] = start;
  }
}

// A small hash of the game number, so that the held-out games spread evenly.
unsigned Mix(unsigned game, unsigned seed) {
  unsigned x = game * 2654435761u ^ (seed + 0x9e3779b9u);
  x ^= x >> 15;
  x *= 2246822519u;
  x ^= x >> 13;
  return x;
}

}  // namespace

void AddQuietPositions(const int* start, TPlayer side, const std::vector<std::vector<int>>& moves, float result,
                       int game, int skip, std::vector<TTuneSample>& samples) {
  int board[BoardSize];
  std::copy(start, start + BoardSize, board);
  for (std::size_t ply = 0; ply <= moves.size(); ++ply) {
    if (static_cast<int>(ply) >= skip && TMoveGenerator.TestPos(board, side) == 2)
      samples.push_back({MakePositionKey(board, side), result, game});
    if (ply == moves.size()) break;
    TMoveGenerator::MakeMove(moves[ply].data(), board);
    side = static_cast<TPlayer>(1 - side);
  }
}

TTuneSet MakeTuneSet(const std::vector<TTuneSample>& samples, unsigned seed) {
  using namespace evalterms;
  TTuneSet set;
  set.First.reserve(samples.size() + 1);
  set.Phase.reserve(samples.size());
  set.Result.reserve(samples.size());
  set.Target.reserve(samples.size());
  set.HeldOut.reserve(samples.size());
  for (const TTuneSample& sample : samples) {
    set.First.push_back(static_cast<uint32_t>(set.Term.size()));
    int board[BoardSize];
    BoardOfPositionKey(sample.Position, board);
    auto add = [&set](int term, int value) {
      set.Term.push_back(static_cast<uint32_t>(term));
      set.Value.push_back(static_cast<int16_t>(value));
    };
    int pieces = 0;
    for (int i = FirstSquare; i <= LastSquare; ++i) {
      const int code = board[i];
      if (!IsPiece(code)) continue;
      ++pieces;
      const int colour = code & 1;
      add((IsKing(code) ? KingSquare : ManSquare) + RelativeSquare(i, colour), colour == Black ? 1 : -1);
    }
    PatternTerms(MasksOf(board), static_cast<TPlayer>(sample.Position.Side), add);
    set.Phase.push_back(static_cast<float>(Phase(pieces)) / PhaseScale);
    set.Result.push_back(sample.Result);
    set.Target.push_back(sample.Result);
    set.HeldOut.push_back(Mix(static_cast<unsigned>(sample.Game), seed) % 10 == 0);
  }
  set.First.push_back(static_cast<uint32_t>(set.Term.size()));
  return set;
}

std::vector<int> EvaluateSamples(const std::vector<TTuneSample>& samples) {
  std::vector<int> scores;
  scores.reserve(samples.size());
  for (const TTuneSample& sample : samples) {
    int board[BoardSize];
    BoardOfPositionKey(sample.Position, board);
    TMaterial material;
    material.SetBoard(board);
    const TPlayer side = static_cast<TPlayer>(sample.Position.Side);
    const int score = material.Evaluate(side, board);
    scores.push_back(side == Black ? score : -score);
  }
  return scores;
}

std::vector<int> SearchSamples(const std::vector<TTuneSample>& samples, int depth, int threads,
                               const TEndgameDatabase* database, const std::function<void(std::size_t)>& progress) {
  std::vector<int> scores(samples.size(), NoSearchScore);
  threads = std::max(1, threads);
  // Thread t takes every threads-th sample from t; the first also reports.
  auto work = [&](int t) {
    TEngine engine(1);
    engine.SetDatabase(database);
    TSearchControl control;
    std::size_t done = 0;
    for (std::size_t i = static_cast<std::size_t>(t); i < samples.size(); i += static_cast<std::size_t>(threads)) {
      TSearchRequest request;
      BoardOfPositionKey(samples[i].Position, request.Board.data());
      request.Side = static_cast<TPlayer>(samples[i].Position.Side);
      request.Limits.Infinite = true;
      request.Limits.Depth = depth;
      engine.NewGame();
      const TSearchResult result = engine.Search(request, control);
      if (result.Source == TMoveSource::Search || result.Source == TMoveSource::Database)
        scores[i] = request.Side == Black ? result.Score : -result.Score;
      if (t == 0 && progress && ++done % 20000 == 0) progress(done * static_cast<std::size_t>(threads));
    }
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work, t);
  work(0);
  for (std::thread& thread : pool) thread.join();
  return scores;
}

void BlendTargets(TTuneSet& set, const std::vector<int>& searchScores, double scale, double resultShare) {
  for (std::size_t i = 0; i < set.Size(); ++i) {
    if (searchScores[i] == NoSearchScore) continue;
    // A won or lost position is aimed at as won or lost, not at its distance.
    const double score = std::clamp(searchScores[i], -3000, 3000);
    set.Target[i] = static_cast<float>(resultShare * static_cast<double>(set.Result[i]) + (1 - resultShare) * Sigmoid(scale * score));
  }
}

double MeanError(const std::vector<int>& scores, const TTuneSet& set, double scale, bool heldOut) {
  double sum = 0;
  std::size_t n = 0;
  for (std::size_t i = 0; i < set.Size(); ++i) {
    if ((set.HeldOut[i] != 0) != heldOut) continue;
    const double d = static_cast<double>(set.Result[i]) - Sigmoid(scale * scores[i]);
    sum += d * d;
    ++n;
  }
  return n > 0 ? sum / static_cast<double>(n) : 0.0;
}

double FitScale(const std::vector<int>& scores, const TTuneSet& set) {
  // The error is unimodal in the scale: a golden-section search finds its least.
  double lo = 1e-4, hi = 0.05;
  const double g = (std::sqrt(5.0) - 1) / 2;
  double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
  double ea = MeanError(scores, set, a, false), eb = MeanError(scores, set, b, false);
  for (int k = 0; k < 60; ++k) {
    if (ea < eb) {
      hi = b;
      b = a;
      eb = ea;
      a = hi - g * (hi - lo);
      ea = MeanError(scores, set, a, false);
    } else {
      lo = a;
      a = b;
      ea = eb;
      b = lo + g * (hi - lo);
      eb = MeanError(scores, set, b, false);
    }
  }
  return (lo + hi) / 2;
}

TEvalWeights FitWeights(const TTuneSet& set, double scale, const TFitOptions& options,
                        const std::function<void(int, double)>& progress) {
  constexpr int n = evalterms::Count;
  // Parameters 0..n-1 are the full board's weights, n..2n-1 the bare board's.
  std::vector<double> w(2 * n), start(2 * n), m(2 * n), v(2 * n), grad(2 * n);
  StartWeights(w.data(), w.data() + n);
  start = w;
  // A term the fitted games show too seldom keeps its start: a pattern of a
  // few positions would learn their results by heart.
  std::vector<int> seen(n);
  std::size_t fitted = 0;
  for (std::size_t i = 0; i < set.Size(); ++i) {
    if (set.HeldOut[i]) continue;
    ++fitted;
    for (uint32_t k = set.First[i]; k < set.First[i + 1]; ++k) ++seen[set.Term[k]];
  }
  const double beta1 = 0.9, beta2 = 0.999;
  for (int iteration = 1; iteration <= options.Iterations; ++iteration) {
    std::fill(grad.begin(), grad.end(), 0.0);
    double error = 0;
    for (std::size_t i = 0; i < set.Size(); ++i) {
      if (set.HeldOut[i]) continue;
      const double phase = set.Phase[i];
      double score = 0;
      for (uint32_t k = set.First[i]; k < set.First[i + 1]; ++k)
        score += set.Value[k] * (w[set.Term[k]] * phase + w[n + set.Term[k]] * (1 - phase));
      const double s = Sigmoid(scale * score);
      const double d = static_cast<double>(set.Target[i]) - s;
      error += d * d;
      const double g = -2 * d * s * (1 - s) * scale;
      for (uint32_t k = set.First[i]; k < set.First[i + 1]; ++k) {
        grad[set.Term[k]] += g * set.Value[k] * phase;
        grad[n + set.Term[k]] += g * set.Value[k] * (1 - phase);
      }
    }
    const double count = static_cast<double>(fitted > 0 ? fitted : 1);
    const double bias1 = 1 - std::pow(beta1, iteration), bias2 = 1 - std::pow(beta2, iteration);
    for (int t = 0; t < 2 * n; ++t) {
      const int term = t < n ? t : t - n;
      if (seen[term] < options.MinPositions) continue;
      const double regularisation = term < evalterms::Region ? options.Regularisation : options.PatternPrior / count;
      const double gt = grad[t] / count + 2 * regularisation * (w[t] - start[t]);
      m[t] = beta1 * m[t] + (1 - beta1) * gt;
      v[t] = beta2 * v[t] + (1 - beta2) * gt * gt;
      w[t] -= options.Rate * (m[t] / bias1) / (std::sqrt(v[t] / bias2) + 1e-12);
    }
    if (progress && (iteration % 100 == 0 || iteration == options.Iterations)) progress(iteration, error / count);
  }
  TEvalWeights weights;
  for (int t = 0; t < n; ++t) {
    weights.Opening[t] = static_cast<int>(std::lround(w[t]));
    weights.Ending[t] = static_cast<int>(std::lround(w[n + t]));
  }
  return weights;
}

std::string WeightsSource(const TEvalWeights& weights, const std::vector<std::string>& header) {
  std::ostringstream out;
  for (const std::string& line : header) out << "// " << line << "\n";
  out << "#include \"search/Evaluation.h\"\n\nconst TEvalWeights FittedWeights = {\n";
  for (const int* list : {weights.Opening, weights.Ending}) {
    out << "    {";
    for (int t = 0; t < evalterms::Count; ++t) {
      if (t % 16 == 0) out << "\n        ";
      out << list[t] << (t + 1 < evalterms::Count ? (t % 16 == 15 ? "," : ", ") : "");
    }
    out << "},\n";
  }
  out << "};\n";
  return out.str();
}

bool ParseWeightsSource(const std::string& text, TEvalWeights* weights) {
  // The numbers between the braces after the '=', comments left out.
  std::string body;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t comment = line.find("//");
    body += line.substr(0, comment) + "\n";
  }
  const std::size_t equals = body.find('=');
  if (equals == std::string::npos) return false;
  std::vector<int> numbers;
  int depth = 0;
  for (std::size_t i = equals; i < body.size();) {
    const char c = body[i];
    if (c == '{') ++depth;
    if (c == '}') --depth;
    if (depth > 0 && (c == '-' || (c >= '0' && c <= '9'))) {
      std::size_t used = 0;
      try {
        numbers.push_back(std::stoi(body.substr(i, 12), &used));
      } catch (...) {
        return false;
      }
      i += used;
      continue;
    }
    ++i;
  }
  if (numbers.size() != 2 * evalterms::Count) return false;
  std::copy(numbers.begin(), numbers.begin() + evalterms::Count, weights->Opening);
  std::copy(numbers.begin() + evalterms::Count, numbers.end(), weights->Ending);
  return true;
}
