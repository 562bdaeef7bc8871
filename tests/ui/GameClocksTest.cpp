// The game clocks in the window, on a scripted time: they start with the first
// move and count down for the side to move on the status bar, a move adds its
// increment, a flag that falls ends the game for the side whose it is, and
// Export PDN writes the control and the result; the computer allots its time
// from its clock and loses when its flag falls while it thinks.
#include "FilesFixture.h"
#include "framework/MoveListPanel.h"
#include "game/Pdn.h"
#include "search/Searcher.h"

namespace {

class GameClocks : public GameFlowTest {
 protected:
  void SetUp() override {
    GameFlowTest::SetUp();
    window->ClockTime = [this] { return now; };
  }
  // The clocks' fields: after the computer's two progress fields.
  std::string ClockTexts() const {
    const TStatusBar& bar = *frame->GetStatusBar();
    return bar.GetFieldText(2) + " | " + bar.GetFieldText(3);
  }
  long long now = 1000000;
};

TEST_F(GameClocks, AFallenFlagEndsTheGameForTheSideToMove) {
  EXPECT_EQ(ClockTexts(), " | ");  // untimed: no clocks shown
  frame->ExecuteCommand(CmOptionsClock1);
  EXPECT_TRUE(Checked(CmOptionsClock1));
  EXPECT_EQ(StatusText(), "game clock: 1 min + 1 s");
  EXPECT_EQ(ClockTexts(), "Black 1:00 | White 1:00");
  frame->ExecuteCommand(CmMovesTwoPlayer);

  now += 5000;  // nothing runs before the first move
  PlayMove();
  EXPECT_EQ(ClockTexts(), "Black 1:00 | \u25B6 White 1:00");
  now += 20000;
  window->TickClock();
  EXPECT_EQ(ClockTexts(), "Black 1:00 | \u25B6 White 0:40");
  PlayMove();  // after 20 s: White has 40 s and its second
  EXPECT_EQ(ClockTexts(), "\u25B6 Black 1:00 | White 0:41");
  frame->EnableCommands();
  ProcessEvents(20);
  std::filesystem::create_directories(VAREK_BINARY_DIR "/screenshots");
  EXPECT_TRUE(GrabFrame(*frame).Save(VAREK_BINARY_DIR "/screenshots/clocks.png"));
  now += 59999;
  window->TickClock();
  EXPECT_EQ(ClockTexts(), "\u25B6 Black 0:00.0 | White 0:41");
  EXPECT_EQ(window->LostOnTime(), -1);
  now += 1;
  window->TickClock();
  EXPECT_EQ(window->LostOnTime(), Black);
  EXPECT_EQ(StatusText(), "Black loses on time");
  EXPECT_EQ(LastMessage().Text, "Black loses on time");
  EXPECT_EQ(window->GetMoveListPanel()->Note(), "Black loses on time");
  // The game is over: the board takes no move, time stands still.
  const int moves = window->GameRecord.MoveCount;
  SendMouse(*window, WM_LBUTTONDOWN, Centre(window->GameStatus.PossibleStart[0]));
  EXPECT_EQ(window->GameRecord.MoveCount, moves);
  now += 100000;
  window->TickClock();
  EXPECT_EQ(ClockTexts(), "Black 0:00.0 | White 0:41");

  const std::string path = PathOf("timed.pdn");
  RunWithFileAnswer(CmFileExportPdn, path);
  TPdnCollection written;
  std::string error;
  ASSERT_TRUE(ReadPdnFile(path, &written, &error)) << error;
  ASSERT_EQ(written.Games.size(), 1u);
  EXPECT_EQ(written.Games[0].Result, "0-1");  // White won
  EXPECT_EQ(written.Games[0].OtherTags, (std::vector<TPdnGame::TTag>{{"TimeControl", "60+1"}}));

  // A new game starts on full clocks, and a saved game holds no clocks.
  frame->ExecuteCommand(CmFileNew);
  EXPECT_EQ(window->LostOnTime(), -1);
  EXPECT_EQ(ClockTexts(), "Black 1:00 | White 1:00");
  // The choice is remembered.
  app.reset();
  StartApplication();
  EXPECT_TRUE(Checked(CmOptionsClock1));
}

TEST_F(GameClocks, StepsBackRunTheClockOfTheSideToMove) {
  frame->ExecuteCommand(CmOptionsClock4);  // 30 moves in 10 min
  frame->ExecuteCommand(CmMovesTwoPlayer);
  PlayMove();
  now += 30000;
  PlayMove();
  EXPECT_EQ(ClockTexts(), "\u25B6 Black 10:00 | White 9:30");
  // Stepping back to Black's move runs Black's clock again, not White's.
  frame->ExecuteCommand(CmMovesUndo);
  now += 10000;
  window->TickClock();
  EXPECT_EQ(ClockTexts(), "Black 10:00 | \u25B6 White 9:20");
}

using ComputerThreadClocks = GameClocks;

TEST_F(ComputerThreadClocks, TheComputerAllotsFromItsClockAndLosesWhenItsFlagFalls) {
  SetAnimationScale(0);
  frame->ExecuteCommand(CmOptionsClock1);
  frame->ExecuteCommand(CmOptionsLevel7);  // Infinite: only the clock limits it
  PlayMove();  // the user's Black move; the computer answers on its clock of 1 min
  ASSERT_TRUE(window->GameStatus.Thinking);
  now += 61000;
  window->TickClock();
  ASSERT_TRUE(WaitUntilIdle());
  // It had allotted itself a share of its 60 s and the increment, 2.8 s, to be cut off at.
  const TSearcher& searcher = window->ComputerThread().Engine().Searcher();
  EXPECT_LE(searcher.HardLimitMs, 2800);
  EXPECT_GE(searcher.HardLimitMs, 2000);
  EXPECT_EQ(window->LostOnTime(), White);
  EXPECT_EQ(window->GameRecord.MoveCount, 1);  // its move came too late and is not played
  EXPECT_EQ(LastMessage().Text, "White loses on time");
  frame->ExecuteCommand(CmActionComputerGo);
  EXPECT_FALSE(window->GameStatus.Thinking);
}

}  // namespace
