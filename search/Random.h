// TRandom: a lagged-Fibonacci subtractive generator (lags 97 and 33) combined
// with an arithmetic sequence, whose whole stream is fixed by two seeds. The
// hash table draws its key terms from one, always with the same seeds, so
// every table uses the same keys.
#pragma once

class TRandom {
 public:
  // Seeds the stream. Valid seeds are 0..31328 and 0..30081; anything else
  // silently seeds with 1802 and 9373.
  void Initialise(int first, int second);
  // Next number of the stream, in [0, 1), a multiple of 2^-24. Seeds with 1802
  // and 9373 when the stream was never seeded.
  double Uniform();
  // One draw in [lower, upper].
  int Int(int lower, int upper);
  // One draw in [lower, upper).
  double Double(double lower, double upper);
  // A normal deviate (ratio of uniforms); takes at least two draws.
  double Gaussian(double mean, double deviation);

 private:
  // Every value is a multiple of 2^-24, so each step is exact in double
  // precision and the stream is the same on every IEEE machine.
  double u_[98] = {};  // lag table, used 1-based
  int i97_ = 0;
  int j97_ = 0;
  double c_ = 0.0;
  double cd_ = 0.0;
  double cm_ = 0.0;
  bool seeded_ = false;
};
