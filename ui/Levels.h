// The Level menu's levels, Easy (0) to Infinite (7): the time after which the
// search starts no further iteration, and the time its label names, after
// which an iteration still running is cut off.
#pragma once

// Seconds handed to the search as its time limit.
int LevelTime(int level);
// Milliseconds of the label (" 2 Seconds/Move" is 2000); 0 for Easy, which
// runs no iteration, and for Infinite.
int LevelHardLimitMs(int level);
