// The rules engine's two program-wide objects: the move generator and the
// metrics (square numbers, rows and columns), both fixed once they are made.
#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"

class TMoveGenerator TMoveGenerator;
class TMetrics TMetrics;
