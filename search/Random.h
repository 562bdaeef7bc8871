// The program's random number generator: a lagged-Fibonacci subtractive
// generator (lags 97 and 33) combined with an arithmetic sequence, whose whole
// stream is fixed by two seeds. Only the hash table's key terms are drawn from
// it, always with the same seeds, so every run uses the same keys.
#pragma once

// Seeds the stream. Valid seeds are 0..31328 and 0..30081; anything else
// silently seeds with 1802 and 9373.
void RandomInitialise(int first, int second);
// Next number of the stream, in [0, 1), a multiple of 2^-24. Seeds with 1802
// and 9373 when the stream was never seeded.
double RandomUniform();
// One draw in [lower, upper].
int RandomInt(int lower, int upper);
// One draw in [lower, upper).
double RandomDouble(double lower, double upper);
// A normal deviate (ratio of uniforms); takes at least two draws.
double RandomGaussian(double mean, double deviation);
