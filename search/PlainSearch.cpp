// The plain search of the last plies above the horizon and of the capture
// sequences beyond it, and the two-ply search for the fallback move.
#include "engine/MoveGenerator.h"
#include "search/Searcher.h"

int TSearcher::AlphaBeta(const TBoardMasks& masks, int depth, TPlayer side, int alpha, int beta, int ply,
                         const TMaterial& material) {
  ++Nodes;
  if (ply > MaxPly) MaxPly = ply;
  int known;
  if (ProbeDatabase(masks, side, ply, material, &known)) return known;

  if (depth < 10) {
    const int test = TMoveGenerator::TestPos(masks, side);
    if (test == 0) return ply - 10001;
    if (test == 1) depth += ply == IterationDepth ? IterationPlyExtension : 10;  // captures are followed
    if (depth < 10) {
      ++Evals;
      return material.Evaluate(side, masks);
    }
  }

  TMaskMoveList& list = MaskLists[ply];
  TMoveGenerator.MakeMaskList(masks, side, &list);
  const int n = list.NumMoves;
  if (n == 0) return ply - 10001;
  if (ply >= MaxSearchPlies - 1) {
    ++Evals;
    return material.Evaluate(side, masks);
  }

  const TPlayer other = static_cast<TPlayer>(1 - side);
  int best = -10000;
  for (int i = 0; i < n && best < beta; ++i) {
    TBoardMasks child = masks;
    TMaterial childMaterial = material;
    Play(child, side, list.Moves[i], childMaterial);
    const int v = -AlphaBeta(child, depth - 10, other, -beta, -alpha, ply + 1, childMaterial);
    if (v > best) best = v;
    if (v > alpha) alpha = v;
  }
  return best;
}

TMoveInfo TSearcher::AlphaBeta0(int* board, int /*depth*/, TPlayer side) {
  TMoveList& list = MoveLists[0];
  TMoveGenerator.MakeMoveList(board, side, &list);
  TMaterial material;
  material.SetBoard(board);
  const TBoardMasks masks = MasksOf(board);

  const TPlayer other = static_cast<TPlayer>(1 - side);
  int best = -10000;
  int alpha = -10000;
  int bestIndex = 0;
  for (int i = 0; i < list.NumMoves && best < 10000; ++i) {
    TBoardMasks child = masks;
    TMaterial childMaterial = material;
    Play(child, side, TMoveGenerator::MaskMoveOf(list.Moves[i]), childMaterial);
    const int v = -AlphaBeta(child, 10, other, -10000, -alpha, 1, childMaterial);
    if (v > best) {
      best = v;
      bestIndex = i;
    }
    if (v > alpha) alpha = v;
  }
  TMoveInfo info;
  info.Score = best;
  info.Move = list.NumMoves > 0 ? list.Moves[bestIndex] : nullptr;
  info.Aborted = false;
  info.Seconds = Elapsed();
  return info;
}
