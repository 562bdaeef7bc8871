// The computer player's program-wide objects, defined in one place so that
// they are made in this order (the table draws its key terms from the random
// stream; the searcher's summaries use the weights). The engine's own objects
// (generator, metrics, the displayed game) are defined in engine/.
#include <new>

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

THashTable* HashTable = CreateHashTable();  // lives until the process ends
class TKillers TKillers;
class PositionalWeigth PositionalWeigth;
class TSearcher TSearcher;
