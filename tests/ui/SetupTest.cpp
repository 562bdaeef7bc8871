// Setting up a position from the Board menu: entering and leaving setup mode
// (with the question about a changed game), Starting Position, Clear Board,
// the side to move, what the game is after leaving, and a picture of a set-up
// position.
#include "FilesFixture.h"

namespace {

class SetupMode : public GameFlowTest {
 protected:
  void SetUp() override {
    GameFlowTest::SetUp();
    window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  }
  void Click(int index, bool left = true) {
    SendMouse(*window, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, Centre(index));
  }
  // The colour at the middle of the top face of a piece on the square, as shown.
  TColor FaceOf(int index) {
    return window->Snapshot().Color(window->Graphics.SquareX[index] + window->Graphics.SquareSize / 2,
                                    window->Graphics.SquareY[index] + window->Graphics.SquareSize / 3);
  }
  int Pieces() const {
    int n = 0;
    for (int i = FirstSquare; i <= LastSquare; ++i) n += IsPiece(window->GameStatus.Board[i]);
    return n;
  }
};

TEST_F(SetupMode, EnteringAsksAboutAChangedGameAndCancelStaysOut) {
  PlayMoves(2);
  script.Answers = {IDCANCEL};
  frame->ExecuteCommand(CmBoardSetup);
  EXPECT_EQ(LastMessage().Text, "Do you wish to save it?");
  EXPECT_FALSE(window->GameStatus.SetupMode);
  EXPECT_EQ(window->GameRecord.MoveCount, 2);
  EXPECT_TRUE(window->GameChanged);
  EXPECT_FALSE(Checked(CmBoardSetup));

  script.Answers = {IDNO};
  frame->ExecuteCommand(CmBoardSetup);
  EXPECT_TRUE(window->GameStatus.SetupMode);
  EXPECT_TRUE(Checked(CmBoardSetup));
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_FALSE(window->GameChanged);
  EXPECT_TRUE(window->Untitled);
  EXPECT_EQ(window->GetCursorId(), IDC_ARROW);
  EXPECT_EQ(window->GameStatus.DragState, TDragState::None);
  // Undo and redo have nothing to work on; the editing commands are available.
  for (int id : {CmMovesUndo, CmMovesRedo, CmMovesUndoAll, CmMovesRedoAll}) EXPECT_FALSE(Enabled(id)) << id;
  for (int id : {CmBoardStarting, CmBoardClear, CmBoardBTurn, CmBoardWTurn}) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_TRUE(ToolButtonPressed(*frame, CmBoardSetup));
  EXPECT_TRUE(ToolButtonPressed(*frame, CmBoardBTurn));  // Black to move

  // Leaving asks nothing.
  frame->ExecuteCommand(CmBoardSetup);
  EXPECT_FALSE(window->GameStatus.SetupMode);
  EXPECT_EQ(script.Messages.size(), 2u);
}

TEST_F(SetupMode, ClearEditsAndWhiteToMoveMakeANewGameThatSavesAndReadsBack) {
  frame->ExecuteCommand(CmBoardSetup);
  frame->ExecuteCommand(CmBoardClear);
  EXPECT_EQ(Pieces(), 0);
  for (int ghost : {18, 27, 36}) EXPECT_EQ(window->GameStatus.Board[ghost], OffBoard);
  EXPECT_EQ(FaceOf(35), window->Graphics.DarkSquareColor);  // repainted empty

  Click(30);              // Black man
  Click(31);              // Black man
  Click(31);              // Black king
  Click(21, false);       // on an empty square the right button puts the last colour placed: Black
  Click(21, false);       // and swaps it: White man
  Click(22), Click(22);   // after a White piece an empty square takes a White man; then a White king
  frame->ExecuteCommand(CmBoardWTurn);
  EXPECT_EQ(window->GameStatus.SideToMove, White);
  EXPECT_TRUE(Checked(CmBoardWTurn));
  EXPECT_FALSE(Checked(CmBoardBTurn));
  EXPECT_EQ(window->GameRecord.StartSide, White);
  const std::vector<int> setUp = ShownBoard();
  EXPECT_EQ(std::vector<int>(window->GameRecord.StartBoard, window->GameRecord.StartBoard + BoardSize), setUp);
  EXPECT_EQ(window->GameStatus.Board[21], WhiteMan);
  EXPECT_EQ(window->GameStatus.Board[22], WhiteKing);
  EXPECT_EQ(window->GameStatus.Board[31], BlackKing);
  EXPECT_TRUE(ScreenMatchesBoard());

  // Out of setup mode White moves first, and the game is new and untitled.
  frame->ExecuteCommand(CmBoardSetup);
  EXPECT_FALSE(window->GameStatus.SetupMode);
  EXPECT_TRUE(window->Untitled);
  EXPECT_FALSE(Enabled(CmBoardBTurn));
  EXPECT_FALSE(Enabled(CmBoardWTurn));
  EXPECT_TRUE(Checked(CmBoardWTurn));  // the side is still shown
  ASSERT_NE(window->GameStatus.PossibleStart[0], 0);
  EXPECT_EQ(window->GameStatus.Board[window->GameStatus.PossibleStart[0]] & 1, White);
  PlayMoves(3);
  const std::string path = PathOf("set-up.vrk");
  RunWithFileAnswer(CmFileSave, path);
  EXPECT_EQ(StatusText(), "game saved ~ 3 moves");
  EXPECT_EQ(GameFlowTest::Bytes(path)[4], 0);  // the file's game starts with White to move

  // It reads back into the same game.
  frame->ExecuteCommand(CmFileNew);
  RunWithFileAnswer(CmFileOpen, path);
  EXPECT_EQ(StatusText(), "game loaded ~ 3 moves");
  frame->ExecuteCommand(CmMovesUndoAll);
  EXPECT_EQ(ShownBoard(), setUp);
  EXPECT_EQ(window->GameStatus.SideToMove, White);
}

TEST_F(SetupMode, AClearedBoardLeavesNobodyAMove) {
  frame->ExecuteCommand(CmBoardSetup);
  frame->ExecuteCommand(CmBoardClear);
  frame->ExecuteCommand(CmBoardSetup);
  EXPECT_EQ(window->GameStatus.PossibleStart[0], 0);
  SendMouse(*window, WM_LBUTTONDOWN, Centre(32));
  EXPECT_EQ(window->GameStatus.DragState, TDragState::None);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
}

TEST_F(SetupMode, StartingPositionAndBlackToMove) {
  frame->ExecuteCommand(CmBoardSetup);
  frame->ExecuteCommand(CmBoardClear);
  frame->ExecuteCommand(CmBoardWTurn);
  frame->ExecuteCommand(CmBoardStarting);
  int start[BoardSize];
  TMoveGenerator::InitBoard(start);
  EXPECT_EQ(ShownBoard(), std::vector<int>(start, start + BoardSize));
  EXPECT_EQ(window->GameStatus.SideToMove, Black);
  EXPECT_EQ(window->GameRecord.StartSide, Black);
  EXPECT_EQ(FaceOf(35), window->Graphics.BlackTopColor);
  frame->ExecuteCommand(CmBoardWTurn);
  frame->ExecuteCommand(CmBoardBTurn);
  EXPECT_EQ(window->GameStatus.SideToMove, Black);
  EXPECT_EQ(window->GameRecord.StartSide, Black);
}

// Setup mode entered in the middle of a game and left without an edit: the
// game goes on from the position shown, and it is that position that Undo All
// brings back and that a saved game starts from.
TEST_F(SetupMode, LeavingWithoutEditsStartsTheGameFromThePositionShown) {
  PlayMoves(6);
  const std::vector<int> middle = ShownBoard();
  const int side = window->GameStatus.SideToMove;
  script.Answers = {IDNO};
  frame->ExecuteCommand(CmBoardSetup);
  frame->ExecuteCommand(CmBoardSetup);
  EXPECT_EQ(ShownBoard(), middle);
  PlayMoves(2);
  frame->ExecuteCommand(CmMovesUndoAll);
  EXPECT_EQ(ShownBoard(), middle);
  EXPECT_EQ(window->GameStatus.SideToMove, side);
  frame->ExecuteCommand(CmMovesRedoAll);

  const std::string path = PathOf("from-the-middle.vrk");
  RunWithFileAnswer(CmFileSave, path);
  Game saved;
  ASSERT_EQ(LoadGameFile(path, saved), TLoadResult::Loaded);
  EXPECT_EQ(saved.MoveCount, 2);
  EXPECT_EQ(std::vector<int>(saved.StartBoard, saved.StartBoard + BoardSize), middle);
}

TEST_F(SetupMode, ScreenshotOfASetUpPosition) {
  frame->ExecuteCommand(CmBoardSetup);
  frame->ExecuteCommand(CmBoardClear);
  // An ending: two Black kings and a man against a White king and two men.
  for (int i : {43, 25}) Click(i), Click(i);  // Black kings
  Click(30);                                  // Black man
  Click(12);                                  // on Black's crowning row the left button gives a Black king...
  Click(12, false);                           // ...and the right one turns it into a White king
  Click(20), Click(24);                       // after a White piece, White men
  frame->ExecuteCommand(CmBoardWTurn);
  EXPECT_EQ(window->GameStatus.Board[12], WhiteKing);
  EXPECT_EQ(window->GameStatus.Board[20], WhiteMan);
  EXPECT_EQ(Pieces(), 6);
  frame->GetStatusBar()->SetText("setting up a position");
  frame->EnableCommands();
  ProcessEvents(20);
  const std::filesystem::path dir = std::filesystem::path(VAREK_BINARY_DIR) / "screenshots";
  std::filesystem::create_directories(dir);
  EXPECT_TRUE(GrabFrame(*frame).Save((dir / "setup.png").string().c_str()));
  EXPECT_TRUE(ToolButtonPressed(*frame, CmBoardSetup));
  EXPECT_TRUE(ToolButtonPressed(*frame, CmBoardWTurn));
  EXPECT_FALSE(ToolButtonPressed(*frame, CmBoardBTurn));
  EXPECT_TRUE(ToolButtonEnabled(*frame, CmBoardClear));
  EXPECT_FALSE(ToolButtonEnabled(*frame, CmMovesUndo));
}

}  // namespace
