#include "search/Levels.h"

const TLevel Levels[LevelCount] = {
    {"Easy", 0, 0},
    {"2 Seconds/Move", 1, 2},
    {"5 Seconds/Move", 2, 5},
    {"10 Seconds/Move", 5, 10},
    {"15 Seconds/Move", 10, 15},
    {"30 Seconds/Move", 15, 30},
    {"60 Seconds/Move", 30, 60},
    {"Infinite", 36000000, 0},
};

TSearchLimits LevelLimits(int level) {
  const TLevel& chosen = Levels[level >= 0 && level < LevelCount ? level : DefaultLevel];
  TSearchLimits limits;
  limits.Seconds = chosen.Seconds;
  limits.HardSeconds = chosen.HardSeconds;
  return limits;
}
