// Pictures of the main window for a person to look at: the start, the board
// inverted, and a middle game with kings. They are written into the build
// folder (screenshots/); the tests also check that the board is where it belongs.
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

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
  EXPECT_EQ(board.Color(red.x, window->Graphics.SquareY[35] + window->Graphics.SquareSize / 3), window->Graphics.BlackTopColor);
  EXPECT_EQ(board.Color(grey.x, window->Graphics.SquareY[19] + window->Graphics.SquareSize / 3), window->Graphics.WhiteTopColor);
}

TEST_F(Screenshot, Inverted) {
  frame->ExecuteCommand(CmBoardInvertBoard);
  window->UpdateWindow();
  Shoot("inverted.png");
  // Black's men now stand at the top: index 44 is the second square of the top row.
  EXPECT_EQ(window->Graphics.SquareX[44], window->Graphics.OriginX + window->Graphics.SquareSize);
  EXPECT_EQ(window->Graphics.SquareY[44], window->Graphics.OriginY);
}

TEST_F(Screenshot, MiddleGameWithKings) {
  SetPosition({{11, BlackKing}, {14, WhiteMan}, {19, WhiteMan}, {22, WhiteKing}, {24, BlackMan}, {25, WhiteMan},
               {29, BlackMan}, {30, BlackMan}, {33, WhiteKing}, {35, BlackMan}, {38, BlackMan}, {41, BlackMan},
               {43, BlackKing}},
              White);
  Repaint();
  frame->GetStatusBar()->SetText("you played 22-18");
  Shoot("middle-game.png");
}

// On a screen of twice the density (this test program run again with
// QT_SCALE_FACTOR=2) the board is drawn with every pixel: compared with the
// ordinary picture blown up two times, the squares are the same colours and
// the pieces' outlines and crowns are finer.
TEST_F(Screenshot, SharpAtTwiceTheDensity) {
  if (std::getenv("VAREK_DENSER_SHOT")) {
    window->Snapshot().Save(ShotPath("board-2x.png").c_str());
    Shoot("start-2x.png");
    return;
  }
  const TBitmap one = window->Snapshot();
  EXPECT_TRUE(one.Save(ShotPath("board-1x.png").c_str()));
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string command = "VAREK_DENSER_SHOT=1 QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=offscreen '" + self +
                              "' --gtest_filter=Screenshot.SharpAtTwiceTheDensity > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const TBitmap two(QImage(QString::fromStdString(ShotPath("board-2x.png"))));
  ASSERT_EQ(two.Width(), 2 * one.Width());
  ASSERT_EQ(two.Height(), 2 * one.Height());

  int finer = 0, differing = 0;
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    if (!IsPlayable(i)) continue;
    const int x0 = window->Graphics.SquareX[i], y0 = window->Graphics.SquareY[i], s = window->Graphics.SquareSize;
    for (int y = y0 + 2; y < y0 + s - 2; ++y)
      for (int x = x0 + 2; x < x0 + s - 2; ++x) {
        const std::uint32_t p = two.Pixel(2 * x, 2 * y);
        const bool block = p == two.Pixel(2 * x + 1, 2 * y) && p == two.Pixel(2 * x, 2 * y + 1) &&
                           p == two.Pixel(2 * x + 1, 2 * y + 1);
        if (window->GameStatus.Board[i] == Empty) {
          // An empty square: the same colour, pixel for pixel.
          ASSERT_EQ(two.Color(2 * x, 2 * y), one.Color(x, y)) << "square " << i;
          ASSERT_TRUE(block) << "square " << i;
        } else {
          finer += !block;
          differing += two.Color(2 * x, 2 * y) != one.Color(x, y);
        }
      }
  }
  // 24 pieces: hundreds of outline pixels each would be blocks if blown up.
  EXPECT_GT(finer, 24 * 60);
  EXPECT_GT(differing, 24 * 20);
  // A light square and the frame keep their colours.
  const TPoint light(window->Graphics.OriginX + window->Graphics.SquareSize / 2, window->Graphics.OriginY + window->Graphics.SquareSize / 2);
  EXPECT_EQ(two.Color(2 * light.x, 2 * light.y), one.Color(light.x, light.y));
  EXPECT_EQ(two.Color(2 * (window->Graphics.OriginX - 2), 2 * light.y), one.Color(window->Graphics.OriginX - 2, light.y));
}

// A two-jump capture caught halfway, after its first jumped piece has gone:
// a repaint then shows the move as far as it has come (the piece on its first
// landing, the second piece still there), not the position before it.
TEST_F(Screenshot, ACaptureHalfwayShown) {
  SetPosition({{40, BlackMan}, {35, WhiteMan}, {26, WhiteMan}, {11, WhiteMan}}, Black);  // 5x21, over 30
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  Repaint();
  SetAnimationScale(4.0);  // one second for each step
  SendMouse(*window, WM_LBUTTONDOWN, Centre(40));  // its only move: played by the press
  ASSERT_TRUE(window->Busy());
  const TGraphics& g = window->Graphics;
  auto face = [&](const TBitmap& shown, int i) { return shown.Color(Centre(i).x, g.SquareY[i] + g.SquareSize / 3); };
  // Past the first landing and the first piece's going; the next landing is a second away.
  ASSERT_TRUE(ProcessEventsUntil([&] { return face(window->Snapshot(), 35) == g.DarkSquareColor; }, 5000));
  Repaint();
  const TBitmap shown = window->Snapshot();
  EXPECT_EQ(face(shown, 40), g.DarkSquareColor);
  EXPECT_EQ(face(shown, 35), g.DarkSquareColor);
  EXPECT_EQ(face(shown, 30), g.BlackTopColor);
  EXPECT_EQ(face(shown, 26), g.WhiteTopColor);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  Shoot("capture-halfway.png");
  window->StopThinkingMove();  // made at once
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_EQ(face(window->Snapshot(), 22), g.BlackTopColor);
}
