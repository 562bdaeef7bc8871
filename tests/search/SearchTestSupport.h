// Helpers shared by the computer player's tests: positions from text, random
// games, and a fixture with an engine of its own.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <utility>

#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"
#include "search/Engine.h"
#include "search/HashTable.h"
#include "search/Killers.h"
#include "search/Searcher.h"
#include "tests/PositionFromText.h"


inline TPosition StartPosition() {
  TPosition p;
  TMoveGenerator::InitBoard(p.Board);
  return p;
}

inline bool SameBoard(const int* a, const int* b) {
  for (int i = 0; i < BoardSize; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// Plays random games from the start, calling visit(board, side, list) before
// each move is chosen, until a side cannot move or `plies` moves were played.
template <typename Visit>
void RandomGames(int games, int plies, unsigned seed, Visit visit) {
  std::mt19937 random(seed);
  class TMoveGenerator gen;
  TMoveList list;
  for (int g = 0; g < games; ++g) {
    TPosition p = StartPosition();
    for (int ply = 0; ply < plies; ++ply) {
      gen.MakeMoveList(p.Board, p.Side, &list);
      if (list.NumMoves == 0) break;
      visit(p.Board, p.Side, list);
      const int* move = list.Moves[random() % list.NumMoves];
      TMoveGenerator::MakeMove(move, p.Board);
      p.Side = static_cast<TPlayer>(1 - p.Side);
    }
  }
}

// A fresh engine for each test, its searcher set up as a search finds it at
// start-up. The names the tests use are the engine's own parts.
class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    control.StopRequest = false;
    control.LastingStop = false;
    control.MoveAvailable = false;
    TSearcher.Control = &control;
    TSearcher.Reporter = &reporter;
    TSearcher.TimeLimit = 36000000;
    TSearcher.HardLimitMs = 0;
    TSearcher.MaxIterationDepth = 47;
    TSearcher.IterationDepth = 9;
    TSearcher.StartClock = SearchClock();
  }
  // The progress lines of this test's searches go to `sink` (none: dropped).
  void SetProgressSink(std::function<void(const char*)> sink) { reporter.OnProgress = std::move(sink); }

  TEngine engine;
  class TSearcher& TSearcher = engine.Searcher();
  THashTable* const HashTable = engine.HashTable();
  class TKillers& TKillers = TSearcher.TKillers;
  TSearchCallbacks reporter;
  // The stop flags the searches of a test are steered by.
  static inline TSearchControl control;
};
