// The table-using search: the root of an iteration and the interior nodes
// deep enough to be worth remembering.
#include <cstdlib>

#include "engine/MoveGenerator.h"
#include "search/HashTable.h"
#include "search/Searcher.h"

namespace {

// A stored win or loss, relative to its node, read back relative to the root.
int ReadScore(int stored, int ply) {
  if (stored > 9500) return stored - ply;
  if (stored < -9500) return stored + ply;
  return stored;
}

}  // namespace

int TSearcher::AddLine(int position, int score, int floor, int windowAlpha) {
  // Above the floor the score is exact; the lines stay sorted, best first.
  lineScores_[position] = score;
  if (score <= floor) return floor;
  int k = lineCount_++;
  for (; k > 0 && lineScores_[lineOrder_[k - 1]] < score; --k) lineOrder_[k] = lineOrder_[k - 1];
  lineOrder_[k] = position;
  return lineCount_ >= MultiPv ? lineScores_[lineOrder_[MultiPv - 1]] : windowAlpha;
}

int TSearcher::AlphaBetaHash(const TBoardMasks& masks, int depth, TPlayer side, int alpha, int beta, int ply,
                             int key1, int key2, const TMaterial& material) {
  // The per-ply storage ends at ply 49: a line that gets that deep is finished
  // by the plain search, which evaluates there.
  if (ply >= MaxSearchPlies - 1) return AlphaBeta(masks, depth, side, alpha, beta, ply, material);

  ++Nodes;
  if (ply > MaxPly) MaxPly = ply;
  if (historyCount_ > 0 && Repeats(key1, key2)) return 0;
  if (RepeatsInLine(ply, key1, key2)) return 0;
  int known;
  if (ProbeDatabase(masks, side, ply, material, &known)) return known;

  THashEntry entry;
  entry.Lock = key2;
  const bool found = HashTable->Seek(entry, key1);
  // The table's score ends the node when it was searched deep enough: from
  // the second ply at a null window, from the sixth in the line's window,
  // whose first plies keep their own line.
  if (found && (ply >= 6 || (ply >= 2 && beta - alpha == 1)) && entry.Depth >= depth - depth % 10) {
    const int score = ReadScore(entry.Score, ply);
    if (entry.Bound == THashTable::ExactBound) return score;
    if (entry.Bound == THashTable::LowerBound && score >= beta) return score;
    if (entry.Bound == THashTable::UpperBound && score <= alpha) return score;
  }

  // A null-window node six plies or more from the horizon whose search four
  // plies shallower stays 0.3 man above beta is taken to fail high (not
  // tried when the table already scores it below that deep enough).
  constexpr int ProbeMargin = 30, ProbeReduction = 40;
  const int probeBeta = beta + ProbeMargin;
  if (ply >= 2 && depth >= 60 && beta - alpha == 1 && std::abs(beta) < 9000 &&
      !(found && entry.Depth >= depth - ProbeReduction && entry.Bound != THashTable::LowerBound &&
        ReadScore(entry.Score, ply) < probeBeta)) {
    const int v = AlphaBetaHash(masks, depth - ProbeReduction, side, probeBeta - 1, probeBeta, ply, key1, key2,
                                material);
    if (StopRequested()) return 0;
    if (v >= probeBeta) return v;
  }

  TMaskMoveList& list = MaskLists[ply];
  TMoveGenerator.MakeMaskList(masks, side, &list);
  const int n = list.NumMoves;
  if (n == 0) return ply - 10001;
  ReserveOrdering(ply, n);

  // A node that looks hopeless is searched a ply shallower.
  bool reduced = false;
  if (ply >= 6 && material.Evaluate(side, masks) <= alpha - 80) {
    depth -= 10;
    reduced = true;
  }
  if (n == 1) depth += AUTOMATIC_SEARCH_DEEPENING;

  int* const indices = OrderIndex[ply];
  int* const scores = OrderScore[ply];
  for (int i = 0; i < n; ++i) {
    indices[i] = i;
    scores[i] = 0;
  }
  if (found && entry.Move >= 0 && entry.Move < n) scores[entry.Move] = 5000;
  if (n > 1) {
    if (ply < 6 && found) SortMoves1(list, scores, masks, side, key1, key2);
    ScoreMoves(list, scores, ply, side, masks);
  }

  const TPlayer other = static_cast<TPlayer>(1 - side);
  int best = 0;
  bool raised = false;
  for (int j = 0; j < n; ++j) {
    if (n > 1) PickMove(list, scores, indices, j);
    const TMaskMove& move = list.Moves[j];
    TBoardMasks child = masks;
    TMaterial childMaterial = material;
    int k1 = key1;
    int k2 = key2;
    bool keyed = false;
    EnterLine(ply, key1, key2, masks, move);
    Play(child, side, move, childMaterial);
    bool research = false;
    int v;
    for (;;) {
      const int e = (j == 0 && found && n > 6) ? SINGULAR_EXTENSION : 0;
      const int childDepth = depth + e - 10;
      if (depth - 10 <= 20) {
        v = -AlphaBeta(child, childDepth, other, -beta, -alpha, ply + 1, childMaterial);
      } else {
        if (!keyed) {
          HashTable->UpdateKey(masks, side, move, k1, k2);
          HashTable->Prefetch(k1);  // the child looks itself up first
          keyed = true;
        }
        if (j == 0) {
          v = -AlphaBetaHash(child, childDepth, other, -beta, -alpha, ply + 1, k1, k2, childMaterial);
        } else {
          // A late quiet move of a man is first searched a ply shallower
          // (two plies from the sixth move on, six plies or more from the
          // horizon), unless it is the killer or offers the opponent a
          // capture; one that still beats alpha is searched again at full depth.
          const bool late = j >= 3 && depth >= 40 && e == 0 && !research &&
                            !list.CaptureMoves && ((masks.Kings >> move.From) & 1) == 0 &&
                            TKillers.KillerIncrement(move, ply) == 0 && TMoveGenerator::TestPos(child, other) != 1;
          const int cut = !late ? 0 : (j >= 5 && depth >= 60) ? 20 : 10;
          v = -AlphaBetaHash(child, childDepth - cut, other, -alpha - 1, -alpha, ply + 1, k1, k2, childMaterial);
          if (late && v > alpha)
            v = -AlphaBetaHash(child, childDepth, other, -alpha - 1, -alpha, ply + 1, k1, k2, childMaterial);
          if (alpha < v && v < beta)
            v = -AlphaBetaHash(child, childDepth, other, -beta, -v, ply + 1, k1, k2, childMaterial);
        }
      }
      if (StopRequested()) return 0;
      if (research) {
        depth -= 10;
        break;
      }
      // A move of a reduced node that does not fail low earns a full-depth look.
      if (!reduced || v < alpha) break;
      depth += 10;
      research = true;
    }

    if (v >= beta) {
      Store(key1, key2, THashTable::LowerBound, v, reduced ? depth - 10 : depth, indices[j], ply);
      TKillers.UpdateKiller(move, ply, v);
      if (!list.CaptureMoves) MoveHistory.Reward(side, move, depth / 10);
      return v;
    }
    if (v > alpha) {
      alpha = v;
      best = j;
      raised = true;
    }
  }
  Store(key1, key2, raised ? THashTable::ExactBound : THashTable::UpperBound, alpha, reduced ? depth - 10 : depth,
        indices[best], ply);
  return alpha;
}

TMoveInfo TSearcher::AlphaBetaHash0(int* board, int depth, TPlayer side, int beta, int alpha) {
  TMoveList& list = MoveLists[0];
  TMoveGenerator.MakeMoveList(board, side, &list);
  ++Nodes;
  const int n = list.NumMoves;
  TMoveInfo info;
  if (n == 0) {
    info.Score = -10001;
    return info;
  }
  ReserveOrdering(0, n);
  lineCount_ = 0;
  PartialMove[0] = 0;

  int key1, key2;
  HashTable->GenerateKey(board, side, key1, key2);
  THashEntry entry;
  entry.Lock = key2;
  const bool found = HashTable->Seek(entry, key1);
  const bool tableMove = found && entry.Move >= 0 && entry.Move < n;

  // Known exactly and at least two plies deeper than asked: nothing to do
  // (unless several lines are wanted: the table knows only the best).
  if (MultiPv <= 1 && tableMove && entry.Bound == THashTable::ExactBound && std::abs(entry.Score) <= 9500 &&
      entry.Depth >= depth + 20 - depth % 10) {
    info.Score = entry.Score;
    info.Move = list.Moves[entry.Move];
    info.Seconds = Elapsed();
    return info;
  }

  int* const indices = OrderIndex[0];
  int* const scores = OrderScore[0];
  for (int i = 0; i < n; ++i) {
    indices[i] = i;
    scores[i] = 0;
    if (RootScores[i] >= 15000) RootScores[i] -= 2000;
  }
  if (tableMove) scores[entry.Move] = RootScores[entry.Move] = depth + 15000;
  if (n > 1) {
    if (!FirstIteration)
      SortMoves0(list, RootScores, indices);
    else
      SortMoves(list, scores, indices, 0, board);
  }

  if (found) {
    info.Score = entry.Score;
    info.Move = list.Moves[0];
    info.Seconds = Elapsed();
    PrintIntermetdiateInfo(info, 1, 1, list.Moves[0], n);
  }

  TMaterial material;
  material.DoubleCorner[0] = 14;
  material.DoubleCorner[1] = 10;
  material.DoubleCorner[2] = 44;
  material.DoubleCorner[3] = 40;
  material.SetBoard(board);
  const TBoardMasks masks = MasksOf(board);

  // With several lines alpha is the floor the lines must beat: the score of
  // the MultiPv-th best exact line so far, or the window's own alpha until
  // there are that many; the best score is kept apart.
  const int lines = MultiPv;
  const int windowAlpha = alpha;
  int bestScore = alpha;
  const TPlayer other = static_cast<TPlayer>(1 - side);
  int best = 0;
  bool raised = false;
  for (int j = 0; j < n; ++j) {
    int* move = list.Moves[j];
    const TMaskMove played = TMoveGenerator::MaskMoveOf(move);
    EnterLine(0, key1, key2, masks, played);
    int k1 = key1;
    int k2 = key2;
    HashTable->UpdateKey(masks, side, played, k1, k2);
    TBoardMasks child = masks;
    TMaterial childMaterial = material;
    Play(child, side, played, childMaterial);
    const int e = (j == 0 && n > 2 && found && !FirstIteration) ? 4 : 0;
    const int childDepth = depth + e - 10;
    int v;
    if (j == 0) {
      v = -AlphaBetaHash(child, childDepth, other, -beta, -alpha, 1, k1, k2, childMaterial);
    } else {
      v = -AlphaBetaHash(child, childDepth, other, -alpha - 1, -alpha, 1, k1, k2, childMaterial);
      if (alpha < v && v < beta) v = -AlphaBetaHash(child, childDepth, other, -beta, -v, 1, k1, k2, childMaterial);
    }
    if (RootScores[indices[j]] <= 12000) RootScores[indices[j]] = v;

    if (StopRequested()) {
      info.Aborted = true;
      return info;
    }
    // A later move that beat the first one is remembered: should this
    // iteration be cut off, it is still a better move than the last one's.
    if (j > 0 && MultiPv <= 1 && v > alpha) {
      TKillers::CopyMove(PartialMove, move);
      PartialScore = v;
    }
    if (v >= beta) {
      Store(key1, key2, THashTable::LowerBound, v, depth, indices[j], 0);
      TKillers.UpdateKiller(move, 0, v);
      info.Score = v;
      info.Move = move;
      info.Seconds = Elapsed();
      return info;
    }
    if (lines <= 1) {
      if (v > alpha) {
        alpha = v;
        best = j;
        raised = true;
      }
      bestScore = alpha;
    } else {
      if (v > bestScore) {
        bestScore = v;
        best = j;
        raised = true;
      }
      alpha = AddLine(j, v, alpha, windowAlpha);
    }
    if (j + 1 < n && (j > 0 || found)) {
      TMoveInfo progress;
      progress.Score = bestScore;
      progress.Move = list.Moves[best];
      progress.Seconds = Elapsed();
      PrintIntermetdiateInfo(progress, best + 1, j + 2, list.Moves[j + 1], n);
    }
  }
  Store(key1, key2, raised ? THashTable::ExactBound : THashTable::UpperBound, bestScore, depth, indices[best], 0);
  TKillers.UpdateKiller(list.Moves[best], 0, bestScore);
  info.Score = bestScore;
  info.Move = list.Moves[best];
  info.Seconds = Elapsed();
  return info;
}
