// The computer's progress while it thinks: the user's text stays in the
// message area, the seconds go on counting when the search is silent for a
// long time, and each level hands the search its label's time as the moment
// a running iteration is cut off (label `threaded`).
#include <cstdlib>

#include "UiFixture.h"
#include "ui/Thinking.h"
#include "ui/Progress.h"

namespace {

class ComputerThreadProgress : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    SetAnimationScale(0.05);
  }
  // The seconds shown in the figures field.
  double ShownSeconds() const {
    const std::string figures = frame->GetStatusBar()->GetFieldText(1);
    const size_t unit = figures.find(" sec");
    const size_t start = figures.rfind("  ", unit);
    if (unit == std::string::npos || start == std::string::npos) return -1;
    return std::atof(figures.substr(start + 2, unit - start - 2).c_str());
  }
};

TEST_F(ComputerThreadProgress, SecondsKeepCountingWhileTheSearchReportsNothing) {
  // After its first report the search is silent (set before it starts).
  auto& shown = window->ComputerThread().ProgressHandler();
  shown = [reports = 0, show = shown](const std::string& line) mutable {
    if (reports++ == 0) show(line);
  };
  frame->ExecuteCommand(260);  // Infinite
  SendMouse(*window, WM_LBUTTONDOWN, Centre(32));  // 12-16, played by the press
  ASSERT_TRUE(window->Busy());
  ASSERT_TRUE(ProcessEventsUntil([this] { return ProgressText().rfind("Best ", 0) == 0; }, 15000)) << ProgressText();
  EXPECT_EQ(StatusText(), "you played 12-16");
  const int start = SearchClock();
  const double before = ShownSeconds();
  ASSERT_GE(before, 0);
  ProcessEvents(1600);
  const double waited = (SearchClock() - start) * 0.001;
  EXPECT_GE(ShownSeconds(), before + waited - 0.6) << frame->GetStatusBar()->GetFieldText(1);
  EXPECT_EQ(StatusText(), "you played 12-16");
  frame->ExecuteCommand(123);
  ASSERT_TRUE(ProcessEventsUntil([this] { return !window->GameStatus.Thinking; }, 30000));
  EXPECT_EQ(StatusText().rfind("Played ", 0), 0u) << StatusText();
  // Once the move is played the figures stand still.
  const std::string figures = frame->GetStatusBar()->GetFieldText(1);
  ProcessEvents(600);
  EXPECT_EQ(frame->GetStatusBar()->GetFieldText(1), figures);
}

TEST_F(ComputerThreadProgress, EachLevelsLabelTimeIsTheSearchsHardLimit) {
  const std::pair<int, int> levels[] = {{253, 0}, {254, 2000}, {255, 5000}, {256, 10000},
                                        {257, 15000}, {258, 30000}, {259, 60000}, {260, 0}};
  for (auto [command, ms] : levels) {
    SCOPED_TRACE(command);
    SetPosition({{21, WhiteMan}, {26, BlackMan}, {44, BlackMan}}, White);  // one move: answered at once
    frame->ExecuteCommand(command);
    window->ComputerThread().Engine().Searcher().HardLimitMs = -1;
    frame->ExecuteCommand(122);
    ASSERT_TRUE(ProcessEventsUntil([this] { return !window->GameStatus.Thinking; }, 30000));
    EXPECT_EQ(window->ComputerThread().Engine().Searcher().HardLimitMs, ms);
    EXPECT_EQ(window->GameRecord.MoveCount, 1);
  }
}

}  // namespace
