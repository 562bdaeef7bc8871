// The plain search of the last plies above the horizon and of the capture
// sequences beyond it, and the two-ply search for the fallback move.
#include "engine/MoveGenerator.h"
#include "search/Searcher.h"

int TSearcher::AlphaBeta(int* board, int depth, TPlayer side, int alpha, int beta, int ply, TMaterial material) {
  ++Nodes;
  if (ply > MaxPly) MaxPly = ply;
  int known;
  if (ProbeDatabase(board, side, ply, material, &known)) return known;

  if (depth < 10) {
    const int test = TMoveGenerator.TestPos(board, side);
    if (test == 0) return ply - 10001;
    if (test == 1) depth += ply == IterationDepth ? IterationPlyExtension : 10;  // captures are followed
    if (depth < 10) {
      ++Evals;
      return material.Evaluate(side, board);
    }
  }

  TMoveList& list = MoveLists[ply];
  TMoveGenerator.MakeMoveList(board, side, &list);
  const int n = list.NumMoves;
  if (n == 0) return ply - 10001;
  if (ply >= MaxSearchPlies - 1) {
    ++Evals;
    return material.Evaluate(side, board);
  }

  const TPlayer other = static_cast<TPlayer>(1 - side);
  int* const undo = UndoBuffers[ply];
  int best = -10000;
  for (int i = 0; i < n && best < beta; ++i) {
    const int* move = list.Moves[i];
    TMaterial child = material;
    MakeMoveAndMaterialEvaluation(board, move, undo, child);
    const int v = -AlphaBeta(board, depth - 10, other, -beta, -alpha, ply + 1, child);
    UndoMove(board, move, undo);
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

  const TPlayer other = static_cast<TPlayer>(1 - side);
  int best = -10000;
  int alpha = -10000;
  int bestIndex = 0;
  for (int i = 0; i < list.NumMoves && best < 10000; ++i) {
    const int* move = list.Moves[i];
    TMaterial child = material;
    MakeMoveAndMaterialEvaluation(board, move, UndoBuffers[0], child);
    const int v = -AlphaBeta(board, 10, other, -10000, -alpha, 1, child);
    UndoMove(board, move, UndoBuffers[0]);
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
