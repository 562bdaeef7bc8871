// The program-wide singletons, defined in one place so that they are
// constructed in this order (the game state's constructor uses the generator,
// the searcher's summaries use the metrics and the weights).
#include <new>

#include "engine/GameState.h"
#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "game/Game.h"
#include "search/Evaluation.h"
#include "search/HashTable.h"
#include "search/Killers.h"
#include "search/Searcher.h"

namespace {
THashTable* CreateHashTable() {
  try {
    return new THashTable(262144, 1);
  } catch (const std::bad_alloc&) {
    return nullptr;  // the computer then plays its two-ply move
  }
}
}  // namespace

class TMoveGenerator TMoveGenerator;
THashTable* HashTable = CreateHashTable();  // lives until the process ends
class TMetrics TMetrics;
class TKillers TKillers;
Status_Of_The_Game GameStatus;
class PositionalWeigth PositionalWeigth;
class TSearcher TSearcher;
Game GameRecord;
