#include "egdb/Builder.h"

#include <algorithm>
#include <stdexcept>

#include "engine/MoveGenerator.h"

namespace {

// Scores of the best way out of a split (a capture or a crowning), from the
// side to move: a win in w is WinBase - w, a loss in l is l - WinBase.
constexpr int WinBase = 1000;
constexpr int NoExit = -2 * WinBase;

int ExitScore(int child) {
  if (child == EgdbDraw) return 0;
  const int plies = EgdbPlies(child) + 1;
  return EgdbIsLoss(child) ? WinBase - plies : plies - WinBase;
}

// True when a simple move keeps the split: a king's step or a man's step that
// does not crown.
bool StaysInSplit(const int* move, const int* board) {
  return move[1] != 0 && move[2] == 0 && !(IsMan(board[move[0]]) && IsCrowningRow(move[1]));
}

class TSplitSolver {
 public:
  TSplitSolver(const TEndgameDatabase& database, const TMaterialSplit& split)
      : database_(database), split_(split), size_(split.Size()), value_(size_, EgdbDraw), count_(size_, 0),
        exit_(size_, NoExit), done_(size_, false), buckets_(EgdbMaxPlies + 1) {}

  std::vector<std::uint8_t> Solve() {
    for (std::uint32_t i = 0; i < size_; ++i) Examine(i);
    for (int plies = 0; plies <= EgdbMaxPlies; ++plies) {
      // Resolving a position at `plies` only ever adds to later buckets.
      std::vector<std::uint32_t> level;
      level.swap(buckets_[plies]);
      for (std::uint32_t i : level) {
        if (value_[i] == EgdbDraw && exit_[i] == WinBase - plies) value_[i] = static_cast<std::uint8_t>(EgdbFromPlies(plies));
        // A position can be in a bucket twice: by its way out and by a move.
        if (value_[i] == EgdbFromPlies(plies) && !done_[i]) {
          done_[i] = true;
          Propagate(i, plies);
        }
      }
    }
    return std::move(value_);
  }

 private:
  void Resolve(std::uint32_t index, int plies) {
    if (plies > EgdbMaxPlies) throw std::runtime_error("a distance does not fit the database's values");
    value_[index] = static_cast<std::uint8_t>(EgdbFromPlies(plies));
    buckets_[plies].push_back(index);
  }

  // Counts the moves that stay in the split and scores the best of the others.
  void Examine(std::uint32_t index) {
    int board[BoardSize];
    TPlayer side;
    if (!DecodePosition(split_, index, board, &side)) return;  // names no position
    generator_.MakeMoveList(board, side, &list_);
    if (list_.NumMoves == 0) {
      Resolve(index, 0);
      return;
    }
    int inside = 0;
    int best = NoExit;
    const TPlayer other = static_cast<TPlayer>(1 - side);
    for (int m = 0; m < list_.NumMoves; ++m) {
      const int* move = list_.Moves[m];
      if (StaysInSplit(move, board)) {
        ++inside;
        continue;
      }
      int child[BoardSize];
      std::copy(board, board + BoardSize, child);
      TMoveGenerator::MakeMove(move, child);
      const int value = database_.Probe(child, other);
      if (value == EgdbUnknown) throw std::logic_error("split " + split_.Name() + " is built before one it leads to");
      best = std::max(best, ExitScore(value));
    }
    exit_[index] = static_cast<std::int16_t>(best);
    count_[index] = static_cast<std::uint8_t>(inside);
    if (inside == 0) {
      if (best > 0)
        Resolve(index, WinBase - best);
      else if (best < 0)
        Resolve(index, best + WinBase);
    } else if (best > 0) {
      buckets_[WinBase - best].push_back(index);  // won at the latest by this way out
    }
  }

  // A position has just been solved at `plies`: its predecessors in the split
  // (the positions from which the other side moved into it) learn of it.
  void Propagate(std::uint32_t index, int plies) {
    int board[BoardSize];
    TPlayer side;
    DecodePosition(split_, index, board, &side);
    const TPlayer mover = static_cast<TPlayer>(1 - side);
    const bool lost = EgdbIsLoss(EgdbFromPlies(plies));
    for (int to = FirstSquare; to <= LastSquare; ++to) {
      const int piece = board[to];
      if (!IsPiece(piece) || (piece & 1) != mover) continue;
      // A man came from behind; a king from any side.
      static constexpr int steps[4] = {4, 5, -4, -5};
      const int first = IsKing(piece) ? 0 : (mover == White ? 0 : 2);
      const int last = IsKing(piece) ? 4 : first + 2;
      for (int k = first; k < last; ++k) {
        const int from = to - steps[k];
        if (board[from] != Empty) continue;
        board[from] = piece;
        board[to] = Empty;
        // The step was legal only if the mover had no capture there.
        if (generator_.TestPos(board, mover) != 1) {
          const std::uint32_t before = PositionIndex(split_, board, mover);
          if (value_[before] == EgdbDraw) {
            if (lost) {
              Resolve(before, plies + 1);
            } else if (--count_[before] == 0 && exit_[before] < 0) {
              // Every move loses: the slowest way, in the split or out of it.
              const int outside = exit_[before] == NoExit ? 0 : exit_[before] + WinBase;
              Resolve(before, std::max(plies + 1, outside));
            }
          }
        }
        board[to] = piece;
        board[from] = Empty;
      }
    }
  }

  const TEndgameDatabase& database_;
  const TMaterialSplit split_;
  const std::uint32_t size_;
  std::vector<std::uint8_t> value_;
  std::vector<std::uint8_t> count_;  // moves inside the split not yet known to lose
  std::vector<std::int16_t> exit_;   // best way out, as ExitScore
  std::vector<bool> done_;           // its predecessors have learnt of it
  std::vector<std::vector<std::uint32_t>> buckets_;
  class TMoveGenerator generator_;
  TMoveList list_;
};

}  // namespace

void BuildSplit(TEndgameDatabase& database, const TMaterialSplit& split) {
  TSplitSolver solver(database, split);
  database.SetTable(split, solver.Solve());
}

void BuildEgdb(TEndgameDatabase& database, int maxPieces, const TEgdbProgress& progress) {
  const std::vector<TMaterialSplit> splits = EgdbSplits(maxPieces);
  long long total = 0, done = 0;
  for (const TMaterialSplit& s : splits) total += s.Size();
  for (const TMaterialSplit& s : splits) {
    if (database.Table(s) == nullptr) BuildSplit(database, s);
    done += s.Size();
    if (progress) progress(done, total);
  }
}
