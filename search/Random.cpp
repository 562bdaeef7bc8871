#include "search/Random.h"

#include <cmath>

// The generator's state. Every value is a multiple of 2^-24, so each step is
// exact in double precision and the stream is the same on every IEEE machine.
static double random_generator_u[98];  // lag table, used 1-based
static int i97 = 0;
static int j97 = 0;
static double random_generator_c = 0.0;
static double random_generator_cd = 0.0;
static double random_generator_cm = 0.0;
static int random_generator_test = 0;

void RandomInitialise(int first, int second) {
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
    random_generator_u[ii] = s;
  }
  random_generator_c = 362436.0 / 16777216.0;
  random_generator_cd = 7654321.0 / 16777216.0;
  random_generator_cm = 16777213.0 / 16777216.0;
  i97 = 97;
  j97 = 33;
  random_generator_test = 1;
}

double RandomUniform() {
  if (random_generator_test == 0) RandomInitialise(1802, 9373);
  double uni = random_generator_u[i97] - random_generator_u[j97];
  if (uni <= 0.0) uni += 1.0;
  random_generator_u[i97] = uni;
  if (--i97 == 0) i97 = 97;
  if (--j97 == 0) j97 = 97;
  random_generator_c -= random_generator_cd;
  if (random_generator_c < 0.0) random_generator_c += random_generator_cm;
  uni -= random_generator_c;
  if (uni < 0.0) uni += 1.0;
  return uni;
}

int RandomInt(int lower, int upper) {
  return lower + static_cast<int>(RandomUniform() * (upper - lower + 1));
}

double RandomDouble(double lower, double upper) { return lower + (upper - lower) * RandomUniform(); }

double RandomGaussian(double mean, double deviation) {
  double u, v;
  for (;;) {
    u = RandomUniform();
    v = RandomUniform();
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
