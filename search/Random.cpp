#include "search/Random.h"

#include <cmath>

void TRandom::Initialise(int first, int second) {
  if (first < 0 || first > 31328 || second < 0 || second > 30081) {
    first = 1802;
    second = 9373;
  }
  int i = (first / 177) % 177 + 2;
  int j = (first % 177) + 2;
  int k = (second / 169) % 178 + 1;
  int l = second % 169;
  for (int ii = 1; ii <= 97; ++ii) {
    double s = 0.0;
    double t = 0.5;
    for (int jj = 0; jj < 24; ++jj) {
      const int m = (((i * j) % 179) * k) % 179;
      i = j;
      j = k;
      k = m;
      l = (53 * l + 1) % 169;
      if ((l * m) % 64 >= 32) s += t;
      t *= 0.5;
    }
    u_[ii] = s;
  }
  c_ = 362436.0 / 16777216.0;
  cd_ = 7654321.0 / 16777216.0;
  cm_ = 16777213.0 / 16777216.0;
  i97_ = 97;
  j97_ = 33;
  seeded_ = true;
}

double TRandom::Uniform() {
  if (!seeded_) Initialise(1802, 9373);
  double uni = u_[i97_] - u_[j97_];
  if (uni <= 0.0) uni += 1.0;
  u_[i97_] = uni;
  if (--i97_ == 0) i97_ = 97;
  if (--j97_ == 0) j97_ = 97;
  c_ -= cd_;
  if (c_ < 0.0) c_ += cm_;
  uni -= c_;
  if (uni < 0.0) uni += 1.0;
  return uni;
}

int TRandom::Int(int lower, int upper) {
  return lower + static_cast<int>(Uniform() * (upper - lower + 1));
}

double TRandom::Double(double lower, double upper) { return lower + (upper - lower) * Uniform(); }

double TRandom::Gaussian(double mean, double deviation) {
  double u, v;
  for (;;) {
    u = Uniform();
    v = Uniform();
    if (u <= 0.0 || v <= 0.0) {
      u = 1.0;
      v = 1.0;
    }
    v = 1.7156 * (v - 0.5);
    const double x = u - 0.449871;
    const double y = std::fabs(v) + 0.386595;
    const double q = x * x + y * (0.19600 * y - 0.25472 * x);
    if (q < 0.27597) break;
    if (q > 0.27846) continue;
    if (v * v > -4.0 * u * u * std::log(u)) continue;
    break;
  }
  return mean + deviation * v / u;
}
