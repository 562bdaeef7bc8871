// The Game menu as a player uses it: New with and without the question about
// the changed game, Open of good, damaged and missing files, Save and Save As
// with the names they offer, saves that fail, and closing the window.
#include <signal.h>
#include <sys/resource.h>

#include "FilesFixture.h"

namespace {

using Files = GameFlowTest;
using Kind = TDesktop::TFileDialogKind;

constexpr unsigned FileErrorStyle = MB_OK | MB_ICONEXCLAMATION;  // 0x30
constexpr unsigned QuestionStyle = MB_YESNOCANCEL | MB_ICONQUESTION;  // 0x23

std::vector<int> StartBoard() {
  int board[BoardSize];
  TMoveGenerator::InitBoard(board);
  return std::vector<int>(board, board + BoardSize);
}

TEST_F(Files, NewAsksAboutAChangedGameOnly) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  frame->ExecuteCommand(CmOptionsLevel1);  // a level, kept by New
  frame->ExecuteCommand(CmFileNew);
  EXPECT_TRUE(script.Messages.empty());  // nothing to lose
  EXPECT_EQ(StatusText(), "new game");

  PlayMoves(2);
  ASSERT_TRUE(window->GameChanged);
  const std::vector<int> played = ShownBoard();

  script.Answers = {IDCANCEL};
  frame->ExecuteCommand(CmFileNew);
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(LastMessage().Text, "Do you wish to save it?");
  EXPECT_EQ(LastMessage().Caption, "Game has changed");
  EXPECT_EQ(LastMessage().Type, QuestionStyle);
  EXPECT_EQ(ShownBoard(), played);  // Cancel: the game stays
  EXPECT_EQ(window->GameRecord.MoveCount, 2);
  EXPECT_TRUE(window->GameChanged);

  script.Answers = {IDNO};
  frame->ExecuteCommand(CmFileNew);
  EXPECT_EQ(script.Messages.size(), 2u);
  EXPECT_TRUE(script.FileDialogs.empty());
  EXPECT_EQ(ShownBoard(), StartBoard());
  EXPECT_EQ(window->GameStatus.SideToMove, Black);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_FALSE(window->GameChanged);
  EXPECT_TRUE(window->Untitled);
  EXPECT_EQ(StatusText(), "new game");
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::TwoPlayer);
  EXPECT_EQ(window->GameStatus.Level, 1);
  EXPECT_EQ(window->GameStatus.PossibleStart[0], 32);  // Black's men can move again
  EXPECT_TRUE(ScreenMatchesBoard());
}

TEST_F(Files, NewWithYesSavesFirstEvenThroughTheSaveDialog) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(3);
  const std::string path = PathOf("before-new.vrk");
  script.Answers = {IDYES};
  RunWithFileAnswer(CmFileNew, path);
  ASSERT_EQ(script.FileDialogs.size(), 1u);
  EXPECT_EQ(script.FileDialogs[0].Kind, Kind::Save);
  EXPECT_EQ(script.FileDialogs[0].Offered, "");  // an untitled game offers no name
  EXPECT_EQ(window->GameRecord.MoveCount, 0);            // and then the new game
  EXPECT_EQ(StatusText(), "new game");
  EXPECT_EQ(SavedMoveCount(path), 3);

  // Yes, then a cancelled Save dialog: the new game starts all the same.
  PlayMoves(1);
  script.Answers = {IDYES};
  frame->ExecuteCommand(CmFileNew);
  EXPECT_EQ(script.FileDialogs.size(), 2u);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_FALSE(window->GameChanged);
}

TEST_F(Files, OpenShowsTheLastPositionAndLaterSavesNeedNoDialog) {
  // A game of 12 moves, saved by the window.
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(12);
  const std::vector<int> after12 = ShownBoard();
  const int sideAfter12 = window->GameStatus.SideToMove;
  const std::string path = PathOf("twelve.vrk");
  RunWithFileAnswer(CmFileSaveAs, path);
  ASSERT_EQ(StatusText(), "game saved ~ 12 moves");
  const std::vector<char> written = Bytes(path);

  // Back to a new game, then open it.
  frame->ExecuteCommand(CmFileNew);
  ASSERT_EQ(ShownBoard(), StartBoard());
  window->GameStatus.SetupMode = true;  // Open leaves setup mode
  RunWithFileAnswer(CmFileOpen, path);
  ASSERT_EQ(script.FileDialogs.size(), 2u);
  const TScriptedDesktop::TFileDialogCall& open = script.FileDialogs[1];
  EXPECT_EQ(open.Kind, Kind::Open);
  EXPECT_EQ(open.Flags, 0x1006u);  // existing files only, no read-only box, a question before replacing
  EXPECT_EQ(open.Filter, "Checkers Games (*.vrk *.pdn)|*.vrk;*.pdn|Checkers Game (*.vrk)|*.vrk|PDN Games (*.pdn)|*.pdn|");
  EXPECT_EQ(open.DefExt, "vrk");
  EXPECT_EQ(open.Offered, path);  // the name shared with Save As
  EXPECT_EQ(ShownBoard(), after12);
  EXPECT_EQ(window->GameStatus.SideToMove, sideAfter12);
  EXPECT_EQ(window->GameRecord.Position, 12);
  EXPECT_EQ(StatusText(), "game loaded ~ 12 moves");
  EXPECT_FALSE(window->GameChanged);
  EXPECT_FALSE(window->Untitled);
  EXPECT_FALSE(window->GameStatus.SetupMode);
  EXPECT_TRUE(ScreenMatchesBoard());
  EXPECT_TRUE(Enabled(CmMovesUndo));
  EXPECT_FALSE(Enabled(CmMovesRedo));

  // Save writes to the same name without asking; the file comes out the same.
  std::filesystem::remove(path);
  frame->ExecuteCommand(CmFileSave);
  EXPECT_EQ(script.FileDialogs.size(), 2u);
  EXPECT_EQ(Bytes(path), written);
  EXPECT_EQ(StatusText(), "game saved ~ 12 moves");
  // Save As offers that name.
  frame->ExecuteCommand(CmFileSaveAs);
  ASSERT_EQ(script.FileDialogs.size(), 3u);
  EXPECT_EQ(script.FileDialogs[2].Kind, Kind::Save);
  EXPECT_EQ(script.FileDialogs[2].Offered, path);
  // Cancelled: nothing changes.
  EXPECT_FALSE(window->Untitled);
  EXPECT_EQ(window->FileData->FileName, path);
}

TEST_F(Files, CancelledOpenChangesNothing) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(1);
  script.Answers = {IDNO};
  frame->ExecuteCommand(CmFileOpen);
  EXPECT_EQ(script.FileDialogs.size(), 1u);
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_TRUE(window->GameChanged);
  EXPECT_TRUE(window->Untitled);
}

TEST_F(Files, DamagedFileIsReportedAndLeavesTheOldStartWithoutMoves) {
  // A good file with one change that its checksum does not cover.
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(4);
  const std::string path = PathOf("damaged.vrk");
  ASSERT_TRUE(SaveGameFile(path, window->GameRecord));
  std::vector<char> bytes = Bytes(path);
  bytes[52] ^= 1;  // a byte of the first move
  WriteBytes(path, bytes);

  // The game on the board started from a set-up position; two moves played.
  SetPosition({{32, BlackMan}, {33, BlackMan}, {14, WhiteMan}, {15, WhiteMan}}, Black);
  const std::vector<int> setUp = ShownBoard();
  Repaint();
  PlayMoves(2);
  script.Answers = {IDNO};
  RunWithFileAnswer(CmFileOpen, path);
  ASSERT_EQ(script.Messages.size(), 2u);
  EXPECT_EQ(LastMessage().Caption, "Information");
  EXPECT_EQ(LastMessage().Text, CorruptedFileMessage);
  EXPECT_EQ(LastMessage().Type, MB_OK | MB_ICONASTERISK | MB_TASKMODAL);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_EQ(ShownBoard(), setUp);  // the record's start, which the file did not replace
  EXPECT_EQ(window->GameStatus.SideToMove, Black);
  EXPECT_EQ(StatusText(), "game not loaded");
  EXPECT_FALSE(window->GameChanged);
  EXPECT_FALSE(window->Untitled);
  EXPECT_TRUE(ScreenMatchesBoard());
  EXPECT_FALSE(Enabled(CmMovesUndo));
}

TEST_F(Files, MissingFileIsReportedAndItsNameServesTheNextSave) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(3);
  const std::vector<int> played = ShownBoard();
  const std::string path = PathOf("not-there.vrk");
  script.Answers = {IDNO};
  RunWithFileAnswer(CmFileOpen, path);
  EXPECT_EQ(LastMessage().Text, "Unable to open file");
  EXPECT_EQ(LastMessage().Caption, "File Error");
  EXPECT_EQ(LastMessage().Type, FileErrorStyle);
  EXPECT_EQ(ShownBoard(), played);
  EXPECT_EQ(window->GameRecord.MoveCount, 3);
  EXPECT_FALSE(window->GameChanged);
  EXPECT_FALSE(window->Untitled);

  // A folder of that name cannot be opened as a game either.
  RunWithFileAnswer(CmFileOpen, folder.string());
  EXPECT_EQ(LastMessage().Text, "Unable to open file");
  EXPECT_EQ(window->GameRecord.MoveCount, 3);

  window->FileData->FileName = path;
  frame->ExecuteCommand(CmFileSave);  // titled now: no dialog
  EXPECT_EQ(script.FileDialogs.size(), 2u);
  EXPECT_EQ(SavedMoveCount(path), 3);
}

TEST_F(Files, SaveOfAnUntitledGameAsksForANameEveryTime) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(1);
  const std::string first = PathOf("first.vrk");
  RunWithFileAnswer(CmFileSave, first);
  ASSERT_EQ(script.FileDialogs.size(), 1u);
  EXPECT_EQ(script.FileDialogs[0].Kind, Kind::Save);
  EXPECT_EQ(script.FileDialogs[0].Offered, "");
  EXPECT_EQ(StatusText(), "game saved ~ 1 moves");
  EXPECT_FALSE(window->GameChanged);
  EXPECT_FALSE(window->Untitled);

  // Save again after a move: same file, no dialog.
  PlayMoves(1);
  frame->ExecuteCommand(CmFileSave);
  EXPECT_EQ(script.FileDialogs.size(), 1u);
  EXPECT_EQ(StatusText(), "game saved ~ 2 moves");

  // A new game is untitled: Save As offers no name, though one was used before.
  frame->ExecuteCommand(CmFileNew);
  frame->ExecuteCommand(CmFileSaveAs);
  ASSERT_EQ(script.FileDialogs.size(), 2u);
  EXPECT_EQ(script.FileDialogs[1].Offered, "");
}

TEST_F(Files, SaveWhereNoFileCanBeMadeReportsAndKeepsTheGameChanged) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(2);
  std::ofstream(PathOf("plain-file")) << "not a folder";
  for (const std::string& path : {PathOf("no-such-folder/game.vrk"), PathOf("plain-file/game.vrk")}) {
    SCOPED_TRACE(path);
    frame->GetStatusBar()->SetText("");
    RunWithFileAnswer(CmFileSaveAs, path);
    EXPECT_EQ(LastMessage().Text, "Unable to save file");
    EXPECT_EQ(LastMessage().Caption, "File Error");
    EXPECT_EQ(LastMessage().Type, FileErrorStyle);
    EXPECT_EQ(StatusText(), "");  // no "game saved"
    EXPECT_TRUE(window->GameChanged);
    EXPECT_TRUE(window->Untitled);
  }
  // Still untitled: the next Save asks for a name again.
  frame->ExecuteCommand(CmFileSave);
  EXPECT_EQ(script.FileDialogs.size(), 3u);
}

// Writes beyond `bytes` fail for this process while it lives (as on a full disk).
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = signal(SIGXFSZ, SIG_IGN);  // a failed write, not the end of the program
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, previous_);
  }

 private:
  rlimit old_;
  sighandler_t previous_;
};

TEST_F(Files, WriteFailingHalfwayLeavesTheOldFileAsItWas) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(2);
  const std::string path = PathOf("kept.vrk");
  RunWithFileAnswer(CmFileSave, path);
  ASSERT_EQ(StatusText(), "game saved ~ 2 moves");
  const std::vector<char> old = Bytes(path);

  PlayMoves(30);
  frame->GetStatusBar()->SetText("");
  {
    // The longer game does not fit: the write stops partway through.
    TFileSizeLimit limit(old.size() + 10);
    frame->ExecuteCommand(CmFileSave);
  }
  EXPECT_EQ(LastMessage().Text, "Unable to save file");
  EXPECT_EQ(StatusText(), "");
  EXPECT_TRUE(window->GameChanged);
  EXPECT_FALSE(window->Untitled);
  EXPECT_EQ(Bytes(path), old);
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"kept.vrk"});  // no half-written file left behind

  // With room again the same command saves the whole game.
  frame->ExecuteCommand(CmFileSave);
  EXPECT_EQ(StatusText(), "game saved ~ 32 moves");
  EXPECT_EQ(SavedMoveCount(path), 32);
}

TEST_F(Files, ClosingAChangedGameAsksAndCancelKeepsTheWindow) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(1);
  script.Answers = {IDCANCEL};
  EXPECT_FALSE(frame->CloseWindow());
  EXPECT_TRUE(frame->IsVisible());
  EXPECT_EQ(LastMessage().Text, "Do you wish to save it?");

  const std::string path = PathOf("on-close.vrk");
  script.Answers = {IDYES};
  script.FileAnswers = {path};
  EXPECT_TRUE(frame->CloseWindow());
  EXPECT_FALSE(frame->IsVisible());
  EXPECT_EQ(SavedMoveCount(path), 1);
}

TEST_F(Files, ExitAsksTheSameQuestionAsClosing) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  frame->ExecuteCommand(CmFileExit);  // an unchanged game: nothing to ask
  EXPECT_TRUE(app->QuitPosted());
  EXPECT_TRUE(script.Messages.empty());
}

TEST_F(Files, ExitWithAChangedGameCancelNoAndYes) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(3);
  script.Answers = {IDCANCEL};
  ASSERT_TRUE(ActivateFrame(*frame));
  SendKey(*frame, FCONTROL, 'X');
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(LastMessage().Text, "Do you wish to save it?");
  EXPECT_EQ(LastMessage().Caption, "Game has changed");
  EXPECT_EQ(LastMessage().Type, QuestionStyle);
  EXPECT_FALSE(app->QuitPosted());  // Cancel: the game goes on
  EXPECT_EQ(window->GameRecord.MoveCount, 3);
  EXPECT_TRUE(window->GameChanged);

  const std::string path = PathOf("on-exit.vrk");
  script.Answers = {IDYES};
  RunWithFileAnswer(CmFileExit, path);
  EXPECT_TRUE(app->QuitPosted());
  EXPECT_EQ(SavedMoveCount(path), 3);
}

TEST_F(Files, ExitAnsweredNoLeavesWithoutSaving) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(1);
  script.Answers = {IDNO};
  frame->ExecuteCommand(CmFileExit);
  EXPECT_EQ(script.Messages.size(), 1u);
  EXPECT_TRUE(script.FileDialogs.empty());
  EXPECT_TRUE(app->QuitPosted());
  EXPECT_TRUE(FolderContents().empty());
}

}  // namespace
