#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "SearchTestSupport.h"

namespace {

std::string Score(int score) {
  char text[32];
  ScoreText(score, text, sizeof text);
  return text;
}

std::string Seconds(double seconds) {
  char text[32];
  SecondsText(seconds, text, sizeof text);
  return text;
}

int simple[] = {23, 28, 0};             // square 20 to square 16
int capture[] = {32, 28, 24, 29, 34, 0};  // square 12 over 16 and 15 to 10

}  // namespace

TEST(Reports, ScoreTexts) {
  EXPECT_EQ(Score(10000), "win in 0");
  EXPECT_EQ(Score(9998), "win in 2");
  EXPECT_EQ(Score(9501), "win in 499");
  EXPECT_EQ(Score(9500), "9500");
  EXPECT_EQ(Score(-9500), "-9500");
  EXPECT_EQ(Score(-9501), "lose in 499");
  EXPECT_EQ(Score(-9999), "lose in 1");
  EXPECT_EQ(Score(0), "0");
}

TEST(Reports, SecondsTexts) {
  EXPECT_EQ(Seconds(0.5), "0.5");
  EXPECT_EQ(Seconds(2), "2");
  EXPECT_EQ(Seconds(12), "12");
  EXPECT_EQ(Seconds(120), "1.2e+02");
  EXPECT_EQ(Seconds(0.04), "0.04");
  EXPECT_EQ(Seconds(0), "0");
  EXPECT_EQ(Seconds(1.26f), "1.3");
}

class ReportTest : public SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    TSearcher.IterationDepth = 11;
    TSearcher.MaxPly = 23;
    TSearcher.Evals = 1234;
    TSearcher.Nodes = 100000;
  }
};

TEST_F(ReportTest, ResultLines) {
  TMoveInfo info;
  info.Score = -35;
  info.Move = simple;
  info.Seconds = 0.5f;
  TSearcher.PrintMoveInfo(info, false);
  EXPECT_STREQ(TSearcher.InfoText, "20-16  Score=-35  Depth:11/23  0.5 sec  Evals:1234  Nodes:100000");
  TSearcher.PrintMoveInfo(info, true);
  EXPECT_STREQ(TSearcher.InfoText, "20-16 only move");
  info.Move = capture;
  info.Score = 9997;
  info.Seconds = 12.0f;
  TSearcher.PrintMoveInfo(info, false);
  EXPECT_STREQ(TSearcher.InfoText, "12x10  Score=win in 3  Depth:11/23  12 sec  Evals:1234  Nodes:100000");
}

TEST_F(ReportTest, IterationLineShowsSpeedAfterOneSecond) {
  TMoveInfo info;
  info.Move = simple;
  info.Seconds = 0.9f;
  TSearcher.StartClock = 5000;
  TSearcher.PrintIterationInfo(info, 5900);
  EXPECT_STREQ(TSearcher.InfoText, "20-16  Score=0  Depth:11/23  0.9 sec  Evals:1234  Nodes:100000");
  info.Seconds = 2.0f;
  TSearcher.PrintIterationInfo(info, 7000);
  EXPECT_STREQ(TSearcher.InfoText, "20-16  Score=0  Depth:11/23  2 sec  Evals:1234  Nodes:100000 50000 n/s");
  TSearcher.PrintIterationInfo(info, 8000);
  EXPECT_STREQ(TSearcher.InfoText, "20-16  Score=0  Depth:11/23  2 sec  Evals:1234  Nodes:100000 33333 n/s");
}

TEST_F(ReportTest, ProgressLinesGoToTheSink) {
  TMoveInfo info;
  info.Move = capture;
  info.Score = -9996;
  info.Seconds = 0.04f;
  TSearcher.PrintIntermetdiateInfo(info, 2, 4, simple, 7);  // no sink: dropped
  std::vector<std::string> lines;
  SetProgressSink([&lines](const char* line) { lines.emplace_back(line); });
  TSearcher.PrintIntermetdiateInfo(info, 2, 4, simple, 7);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "Best 12x10(2/7) Score=lose in 4  Depth:11/23  20-16(4/7)  0.04 sec  Evals:1234  Nodes:100000");
}

TEST_F(ReportTest, LongestLinesFitTheirBuffers) {
  TSearcher.Evals = 9223372036854775807LL;
  TSearcher.Nodes = 9223372036854775807LL;
  TMoveInfo info;
  info.Move = capture;
  info.Score = -9999;
  info.Seconds = 123456.0f;
  TSearcher.StartClock = 0;
  TSearcher.PrintIterationInfo(info, 2000000000);
  EXPECT_LT(std::strlen(TSearcher.InfoText), sizeof TSearcher.InfoText);
  EXPECT_EQ(std::string(TSearcher.InfoText).rfind("12x10  Score=lose in 1  Depth:11/23  1.2e+05 sec", 0), 0u);
  std::string seen;
  SetProgressSink([&seen](const char* line) { seen = line; });
  TSearcher.PrintIntermetdiateInfo(info, 128, 128, capture, 128);
  EXPECT_LT(seen.size(), 128u);
  EXPECT_EQ(seen.rfind("Best 12x10(128/128) Score=lose in 1", 0), 0u);
}
