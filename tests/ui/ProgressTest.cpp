// The computer's progress and result lines cut into the parts the status bar
// shows them in, and the seconds that keep counting between reports.
#include <gtest/gtest.h>

#include "ui/Progress.h"

namespace {

TEST(ProgressLine, ProgressGoesToTheBestAndFiguresFields) {
  const TProgressParts parts =
      SplitProgressLine("Best 11-15(1/7) Score=12  Depth:13/25  9-14(3/7)  2.1 sec  Evals:4567  Nodes:89012");
  EXPECT_EQ(parts.Message, "");
  EXPECT_EQ(parts.Best, "Best 11-15(1/7) Score=12  9-14(3/7)");
  EXPECT_EQ(parts.Figures, "Depth:13/25  2.1 sec  Evals:4567  Nodes:89012");
  // Something else is shown whole in the best-move field.
  EXPECT_EQ(SplitProgressLine("thinking").Best, "thinking");
  EXPECT_EQ(SplitProgressLine("Best 1-5  Depth:9/9").Figures, "Depth:9/9");
}

TEST(ProgressLine, ResultKeepsMoveAndScoreInTheMessageArea) {
  TProgressParts parts = SplitResultLine("11-15  Score=win in 3  Depth:9/12  0.5 sec  Evals:12  Nodes:34");
  EXPECT_EQ(parts.Message, "Played 11-15  Score=win in 3");
  EXPECT_EQ(parts.Best, "");
  EXPECT_EQ(parts.Figures, "Depth:9/12  0.5 sec  Evals:12  Nodes:34");
  parts = SplitResultLine("11x18 only move");
  EXPECT_EQ(parts.Message, "Played 11x18 only move");
  EXPECT_EQ(parts.Figures, "");
}

TEST(ProgressLine, SecondsAreReplacedWhereverTheyStand) {
  EXPECT_EQ(WithSeconds("Depth:13/25  13 sec  Evals:1  Nodes:2", 37.2), "Depth:13/25  37 sec  Evals:1  Nodes:2");
  EXPECT_EQ(WithSeconds("Depth:9/9  0.12 sec  Evals:1  Nodes:2 5 n/s", 2.25), "Depth:9/9  2.2 sec  Evals:1  Nodes:2 5 n/s");
  EXPECT_EQ(WithSeconds("no figures", 5), "no figures");
}

}  // namespace
