// The rules engine's program-wide objects, defined in one place so that they
// are made in this order: the generator and the metrics before the displayed
// game, whose constructor lists the first moves.
#include "engine/GameState.h"
#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"

class TMoveGenerator TMoveGenerator;
class TMetrics TMetrics;
Status_Of_The_Game GameStatus;
