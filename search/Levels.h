// The computer's levels, as the window's Options menu orders them, from Easy
// to Infinite: how long it thinks at each.
#pragma once

#include "search/Engine.h"

struct TLevel {
  const char* Name;    // "Easy", "2 Seconds/Move", ... "Infinite"
  double Seconds;      // no iteration starts after this (36000000: never stops by itself)
  double HardSeconds;  // a running iteration is cut off then (0: never)
};

constexpr int LevelCount = 8;
constexpr int DefaultLevel = 2;  // "5 Seconds/Move"
extern const TLevel Levels[LevelCount];

// The limits of level `level` (the default level's when out of range).
TSearchLimits LevelLimits(int level);
