// The search driver: a forced move at once, otherwise a two-ply fallback move
// and then deeper and deeper table searches until the level's time is up.
#include <cstdio>

#include "engine/MoveGenerator.h"
#include "search/HashTable.h"
#include "search/Searcher.h"

void TSearcher::GetComputerMoveHash(int* board, TPlayer side, int* move) {
  // The hard limit counts from the call: the fallback search is part of the time.
  HardStopClock = 0;
  stopPolls_ = 0;
  callClock_ = SearchClock();
  hardDeadline_ = HardLimitMs > 0 ? callClock_ + HardLimitMs : 0;
  ResultScore = ResultDepth = 0;
  ResultSource = TMoveSource::None;
  FirstIteration = true;
  TMoveList& roots = MoveLists[0];
  TMoveGenerator.MakeMoveList(board, side, &roots);
  if (roots.NumMoves == 0) {  // the caller checks for this; answer with no move
    move[0] = 0;
    std::snprintf(InfoText, sizeof InfoText, "no move");
    return;
  }
  if (roots.NumMoves == 1) {
    TMoveInfo info;
    info.Move = roots.Moves[0];
    PrintMoveInfo(info, true);
    TKillers::CopyMove(move, roots.Moves[0]);
    ResultSource = TMoveSource::OnlyMove;
    return;
  }
  if (Book != nullptr && BookMove(board, side, move)) {
    ResultSource = TMoveSource::Book;
    return;
  }
  // A root the database holds is played from it.
  if (DatabaseMove(board, side, move)) {
    ResultSource = TMoveSource::Database;
    return;
  }

  // The fallback move, when it is all there is time for, reports its own
  // time and nodes, not those since the search before began.
  StartClock = callClock_;
  MaxPly = 0;
  Evals = 0;
  Nodes = 0;
  if (Control) Control->MoveAvailable = false;
  int copy[BoardSize];
  for (int i = 0; i < BoardSize; ++i) copy[i] = board[i];
  const TMoveInfo fallback = AlphaBeta0(copy, 20, side);
  PrintMoveInfo(fallback, false);
  TKillers::CopyMove(move, fallback.Move);
  ResultScore = fallback.Score;
  ResultSource = TMoveSource::Fallback;
  if (Control) Control->MoveAvailable = true;
  // From here on a stop request plays the best move so far. A lasting stop
  // (the program is closing) ends the search before it starts.
  if ((Control && Control->LastingStop) || HashTable == nullptr) return;

  IterationDepth = 9;
  HashTable->ReduceDepth();
  HashTable->Probes = HashTable->Hits = 0;
  TKillers.ClearKillers();
  MoveHistory.Clear();
  MaxPly = 0;
  Evals = 0;
  Nodes = 0;
  StartClock = SearchClock();
  AUTOMATIC_SEARCH_DEEPENING = 1;
  SINGULAR_EXTENSION = 2;
  for (int i = 0; i < OrderCapacity_[0]; ++i) RootScores[i] = 0;

  for (;;) {
    if (StopRequested()) return;
    if ((SearchClock() - StartClock) * 0.001 >= TimeLimit) return;
    if (IterationDepth >= 48 || IterationDepth > MaxIterationDepth) return;
    FirstIteration = MaxPly < 7;
    AUTOMATIC_SEARCH_DEEPENING = 1;
    SINGULAR_EXTENSION = 2;

    for (int i = 0; i < BoardSize; ++i) copy[i] = board[i];
    const TMoveInfo result = AlphaBetaHash0(copy, 10 * IterationDepth, side, 10000, -10000);
    // The unfinished iteration is dropped, but for a move that has beaten the
    // last iteration's.
    if (StopRequested()) return PlayPartial(move);
    PrintIterationInfo(result, SearchClock());
    if (Reporter) ReportIteration(board, side, result);
    TKillers::CopyMove(move, result.Move);
    ResultScore = result.Score;
    ResultDepth = IterationDepth;
    ResultSource = TMoveSource::Search;
    IterationDepth += IterationStep;
  }
}

void TSearcher::PlayPartial(int* move) {
  if (PartialMove[0] == 0 || ResultSource != TMoveSource::Search) return;
  TKillers::CopyMove(move, PartialMove);
  ResultScore = PartialScore;
  ResultDepth = IterationDepth;
  TMoveInfo info;
  info.Score = PartialScore;
  info.Move = PartialMove;
  info.Seconds = Elapsed();
  PrintMoveInfo(info, false);
}
