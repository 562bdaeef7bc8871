#include "ui/Levels.h"

namespace {
constexpr int LevelTimes[8] = {0, 1, 2, 5, 10, 15, 30, 36000000};
constexpr int LabelSeconds[8] = {0, 2, 5, 10, 15, 30, 60, 0};

bool Known(int level) { return level >= 0 && level < 8; }
}  // namespace

int LevelTime(int level) { return Known(level) ? LevelTimes[level] : LevelTimes[2]; }

int LevelHardLimitMs(int level) { return Known(level) ? 1000 * LabelSeconds[level] : 0; }
