// The end of a game: the side that cannot move has lost, which a message box
// and the status bar announce, whoever made the last move; on an empty board
// nobody has won. The suite runs the computer's thread (label `threaded`).
#include "FilesFixture.h"

namespace {

class ComputerThreadGameEnd : public GameFlowTest {
 protected:
  void SetUp() override {
    GameFlowTest::SetUp();
    SetAnimationScale(0.05);
    frame->ExecuteCommand(253);  // Easy
  }
  void ExpectAnnounced(const char* text) {
    EXPECT_EQ(StatusText(), text);
    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_EQ(LastMessage().Text, text);
    EXPECT_EQ(LastMessage().Caption, "Varek");
    EXPECT_EQ(LastMessage().Type, MB_OK | MB_ICONASTERISK);
  }
};

TEST_F(ComputerThreadGameEnd, AnEmptyBoardIsNobodysWin) {
  for (int side : {Black, White}) {
    SCOPED_TRACE(side);
    frame->ExecuteCommand(152);
    frame->ExecuteCommand(154);  // Clear Board
    frame->ExecuteCommand(side == Black ? 155 : 156);
    frame->ExecuteCommand(122);  // Computer Go leaves setup mode
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(StatusText(), "no pieces on the board");
    EXPECT_TRUE(script.Messages.empty()) << LastMessage().Text;
    EXPECT_EQ(window->GameRecord.MoveCount, 0);
  }
}

TEST_F(ComputerThreadGameEnd, ASideLeftWithoutAMoveLosesAsTheBoxSays) {
  // White's last man is blocked: White, to move, has lost though it has a piece.
  SetPosition({{13, WhiteMan}, {17, BlackMan}, {21, BlackKing}}, White);
  frame->ExecuteCommand(122);
  ASSERT_TRUE(WaitUntilIdle());
  ExpectAnnounced("Black wins");
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
}

TEST_F(ComputerThreadGameEnd, TheComputersWinningMoveIsAnnounced) {
  // White's only move takes Black's last piece.
  SetPosition({{21, WhiteMan}, {26, BlackMan}}, White);
  frame->ExecuteCommand(122);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  ExpectAnnounced("White wins");
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
}

TEST_F(ComputerThreadGameEnd, TheUsersWinningMoveIsAnnouncedInBothModes) {
  for (TPlayMode mode : {TPlayMode::NormalPlay, TPlayMode::TwoPlayer}) {
    SCOPED_TRACE(static_cast<int>(mode));
    script.Messages.clear();
    SetPosition({{30, BlackMan}, {26, WhiteMan}}, Black);  // Black takes White's last piece
    window->GameStatus.PlayMode = mode;
    Repaint();
    SendMouse(*window, WM_LBUTTONDOWN, Centre(30));
    ASSERT_TRUE(WaitUntilIdle());
    ExpectAnnounced("Black wins");
    EXPECT_EQ(window->GameRecord.MoveCount, 1);
    EXPECT_EQ(window->GameStatus.PlayMode, mode);
  }
}

}  // namespace
