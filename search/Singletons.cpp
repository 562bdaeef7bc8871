// The program-wide singletons, defined in one place so that they are
// constructed in this order (the game state's constructor uses the generator).
#include "engine/GameState.h"
#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "game/Game.h"

class TMoveGenerator TMoveGenerator;
// HashTable goes here.
class TMetrics TMetrics;
// TKillers goes here.
Status_Of_The_Game GameStatus;
// PositionalWeigth and TSearcher go here.
Game GameRecord;
