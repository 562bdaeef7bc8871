#include <gtest/gtest.h>

#include <cmath>

#include "search/Random.h"

TEST(Random, StreamAfterTwentyThousandDraws) {
  TRandom random;
  random.Initialise(1802, 9373);
  for (int i = 0; i < 20000; ++i) random.Uniform();
  const int expected[] = {6533892, 14220222, 7275067, 6172232, 8354498, 10633180};
  for (int value : expected) EXPECT_EQ(static_cast<int>(random.Uniform() * 16777216.0), value);
}

TEST(Random, HashTableSeedsStartTheStreamAsExpected) {
  TRandom random;
  random.Initialise(21802, 29373);
  EXPECT_DOUBLE_EQ(random.Uniform(), 0.5873639583587646);
  EXPECT_DOUBLE_EQ(random.Uniform(), 0.09229445457458496);
  EXPECT_DOUBLE_EQ(random.Uniform(), 0.011475026607513428);
}

TEST(Random, OutOfRangeSeedsFallBackToTheDefaultPair) {
  TRandom random;
  double reference[50];
  random.Initialise(1802, 9373);
  for (double& r : reference) r = random.Uniform();
  for (auto seeds : {std::pair{-1, 5}, std::pair{31329, 0}, std::pair{0, 30082}}) {
    random.Initialise(seeds.first, seeds.second);
    for (double r : reference) ASSERT_EQ(random.Uniform(), r) << seeds.first << "," << seeds.second;
  }
  // Reseeding restarts the stream; the valid extremes are accepted as given.
  random.Initialise(31328, 30081);
  const double top = random.Uniform();
  random.Initialise(31328, 30081);
  EXPECT_EQ(random.Uniform(), top);
  EXPECT_NE(top, reference[0]);
}

TEST(Random, ValuesAreMultiplesOfTwoToTheMinus24InUnitInterval) {
  TRandom random;
  random.Initialise(4711, 815);
  for (int i = 0; i < 10000; ++i) {
    const double u = random.Uniform();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    const double scaled = u * 16777216.0;
    ASSERT_EQ(scaled, std::floor(scaled));
  }
}

TEST(Random, IntegerAndRealRanges) {
  TRandom random;
  random.Initialise(1802, 9373);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(random.Int(0, 0), 0);
  bool seenTop = false, seenBottom = false;
  for (int i = 0; i < 5000; ++i) {
    const int v = random.Int(-3, 3);
    ASSERT_GE(v, -3);
    ASSERT_LE(v, 3);
    seenTop |= v == 3;
    seenBottom |= v == -3;
    const double d = random.Double(2.5, 4.0);
    ASSERT_GE(d, 2.5);
    ASSERT_LT(d, 4.0);
  }
  EXPECT_TRUE(seenTop);
  EXPECT_TRUE(seenBottom);
}

TEST(Random, GaussianHasTheAskedMeanAndSpread) {
  TRandom random;
  random.Initialise(1802, 9373);
  const int n = 20000;
  double sum = 0, squares = 0;
  for (int i = 0; i < n; ++i) {
    const double g = random.Gaussian(10.0, 2.0);
    sum += g;
    squares += g * g;
  }
  const double mean = sum / n;
  const double deviation = std::sqrt(squares / n - mean * mean);
  EXPECT_NEAR(mean, 10.0, 0.1);
  EXPECT_NEAR(deviation, 2.0, 0.1);
}
