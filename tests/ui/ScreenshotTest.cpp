// Pictures of the main window for a person to look at: the start, the board
// inverted, and a middle game with kings. They are written into the build
// folder (screenshots/); the tests also check that the board is where it belongs.
#include <filesystem>

#include "UiFixture.h"

namespace {

std::string ShotPath(const char* name) {
  const std::filesystem::path dir = std::filesystem::path(VAREK_BINARY_DIR) / "screenshots";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

class Screenshot : public UiTest {
 protected:
  void Shoot(const char* name) {
    frame->EnableCommands();
    ProcessEvents(20);
    const TBitmap shot = GrabFrame(*frame);
    ASSERT_FALSE(shot.IsNull());
    EXPECT_TRUE(shot.Save(ShotPath(name).c_str()));
  }
};

}  // namespace

TEST_F(Screenshot, StartPosition) {
  Shoot("start.png");
  // The window shows a red Black man on square 9 (index 35) and a grey White man on square 24 (index 19).
  const TBitmap board = window->Snapshot();
  const TPoint red = Centre(35), grey = Centre(19);
  EXPECT_EQ(board.Color(red.x, Driver.SquareY[35] + Driver.SquareSize / 3), Driver.BlackTopColor);
  EXPECT_EQ(board.Color(grey.x, Driver.SquareY[19] + Driver.SquareSize / 3), Driver.WhiteTopColor);
}

TEST_F(Screenshot, Inverted) {
  frame->ExecuteCommand(CmBoardInvertBoard);
  window->UpdateWindow();
  Shoot("inverted.png");
  // Black's men now stand at the top: index 44 is the second square of the top row.
  EXPECT_EQ(Driver.SquareX[44], Driver.OriginX + Driver.SquareSize);
  EXPECT_EQ(Driver.SquareY[44], Driver.OriginY);
}

TEST_F(Screenshot, MiddleGameWithKings) {
  SetPosition({{11, BlackKing}, {14, WhiteMan}, {19, WhiteMan}, {22, WhiteKing}, {24, BlackMan}, {25, WhiteMan},
               {29, BlackMan}, {30, BlackMan}, {33, WhiteKing}, {35, BlackMan}, {38, BlackMan}, {41, BlackMan},
               {43, BlackKing}},
              White);
  Repaint();
  StatusBar->SetText("you played 22-18");
  Shoot("middle-game.png");
}
