// Save As over an existing game asks first and keeps the old file unless the
// user agrees; the file dialogs open only where a game was saved or opened,
// never where a save was refused.
#include "FilesFixture.h"

namespace {

using FileQuestions = GameFlowTest;
using Kind = TDesktop::TFileDialogKind;

TEST_F(FileQuestions, SaveAsOverAnExistingGameAsksAndNoKeepsItByteForByte) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(20);
  const std::string path = PathOf("long game.vrk");
  RunWithFileAnswer(CmFileSaveAs, path);
  ASSERT_EQ(StatusText(), "game saved ~ 20 moves");
  EXPECT_EQ(script.Messages.size(), 0u);  // a new name: no question
  const std::vector<char> kept = Bytes(path);

  // A new, empty game saved under the same name: No, then the dialog again, cancelled.
  frame->ExecuteCommand(CmFileNew);
  PlayMoves(1);
  frame->GetStatusBar()->SetText("");
  script.Answers = {IDNO};
  RunWithFileAnswer(CmFileSaveAs, path);
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(LastMessage().Text, "long game.vrk already exists.\nDo you want to replace it?");
  EXPECT_EQ(LastMessage().Caption, "Confirm Save As");
  EXPECT_EQ(LastMessage().Type, MB_YESNO | MB_ICONEXCLAMATION);
  EXPECT_EQ(script.FileDialogs.size(), 3u);  // No goes back to the dialog
  EXPECT_EQ(Bytes(path), kept);
  EXPECT_EQ(StatusText(), "");
  EXPECT_TRUE(window->GameChanged);
  EXPECT_TRUE(window->Untitled);
  // The refused name is not the game's: Save asks for a name again.
  EXPECT_EQ(window->FileData->FileName, "");
  frame->ExecuteCommand(CmFileSave);
  EXPECT_EQ(script.FileDialogs.size(), 4u);
  EXPECT_EQ(Bytes(path), kept);

  // No, then another name: saved there, the old file still untouched.
  const std::string other = PathOf("other.vrk");
  script.Answers = {IDNO};
  script.FileAnswers = {path, other};
  frame->ExecuteCommand(CmFileSaveAs);
  EXPECT_EQ(StatusText(), "game saved ~ 1 moves");
  EXPECT_EQ(window->FileData->FileName, other);
  EXPECT_EQ(Bytes(path), kept);

  // Yes replaces it.
  script.Answers = {IDYES};
  RunWithFileAnswer(CmFileSaveAs, path);
  EXPECT_EQ(StatusText(), "game saved ~ 1 moves");
  EXPECT_EQ(SavedMoveCount(path), 1);
  // Save to the game's own name asks nothing.
  const size_t asked = script.Messages.size();
  frame->ExecuteCommand(CmFileSave);
  EXPECT_EQ(script.Messages.size(), asked);
}

TEST_F(FileQuestions, SaveAsOfATitledGameOverAnotherFileRefusedKeepsItsOwnName) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(2);
  const std::string mine = PathOf("mine.vrk"), theirs = PathOf("theirs.vrk");
  std::ofstream(theirs) << "someone else's";
  RunWithFileAnswer(CmFileSaveAs, mine);
  PlayMoves(1);
  script.Answers = {IDNO};
  script.FileAnswers = {theirs};  // then cancelled
  frame->ExecuteCommand(CmFileSaveAs);
  EXPECT_EQ(window->FileData->FileName, mine);
  frame->ExecuteCommand(CmFileSave);  // saves to its own file, without asking
  EXPECT_EQ(StatusText(), "game saved ~ 3 moves");
  EXPECT_EQ(Bytes(theirs), std::vector<char>({'s', 'o', 'm', 'e', 'o', 'n', 'e', ' ', 'e', 'l', 's', 'e', '\'', 's'}));
}

TEST_F(FileQuestions, DialogsOpenOnlyWhereAGameWasSavedOrOpened) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(2);
  const std::string good = PathOf("good.vrk");
  RunWithFileAnswer(CmFileSaveAs, good);
  ASSERT_EQ(StatusText(), "game saved ~ 2 moves");

  // A save into a special folder is refused...
  RunWithFileAnswer(CmFileSaveAs, "/proc/varek-game.vrk");
  ASSERT_EQ(LastMessage().Text, "Unable to save file");
  EXPECT_EQ(window->FileData->FileName, good);  // the game keeps its name

  // ...and no dialog opens there afterwards.
  script.Answers = {IDNO};
  frame->ExecuteCommand(CmFileOpen);
  frame->ExecuteCommand(CmFileSaveAs);
  ASSERT_EQ(script.FileDialogs.size(), 4u);
  for (size_t k = 2; k < 4; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(script.FileDialogs[k].InitialDir, folder.string());
    EXPECT_EQ(script.FileDialogs[k].Offered, good);
  }

  // An untitled game's refused name is offered without its folder.
  frame->ExecuteCommand(CmFileNew);
  PlayMoves(1);
  RunWithFileAnswer(CmFileSaveAs, "/proc/self/varek.vrk");
  ASSERT_EQ(LastMessage().Text, "Unable to save file");
  frame->ExecuteCommand(CmFileOpen);
  ASSERT_EQ(script.FileDialogs.size(), 6u);
  EXPECT_EQ(script.FileDialogs[5].InitialDir, folder.string());
  EXPECT_EQ(script.FileDialogs[5].Offered.find("/proc"), std::string::npos) << script.FileDialogs[5].Offered;

  // A game opened from another folder moves the dialogs there.
  const std::filesystem::path elsewhere = folder / "elsewhere";
  std::filesystem::create_directories(elsewhere);
  std::filesystem::copy_file(good, elsewhere / "copy.vrk");
  script.Answers = {IDNO};
  RunWithFileAnswer(CmFileOpen, (elsewhere / "copy.vrk").string());
  ASSERT_EQ(StatusText(), "game loaded ~ 2 moves");
  frame->ExecuteCommand(CmFileSaveAs);
  EXPECT_EQ(script.FileDialogs.back().InitialDir, elsewhere.string());
}

TEST_F(FileQuestions, AMissingFileDoesNotMoveTheDialogsButItsNameServesTheNextSave) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(1);
  const std::string good = PathOf("here.vrk");
  RunWithFileAnswer(CmFileSaveAs, good);
  const std::string missing = "/proc/varek-gone/missing.vrk";
  RunWithFileAnswer(CmFileOpen, missing);
  ASSERT_EQ(LastMessage().Text, "Unable to open file");
  EXPECT_FALSE(window->Untitled);
  frame->ExecuteCommand(CmFileOpen);  // cancelled
  EXPECT_EQ(script.FileDialogs.back().InitialDir, folder.string());
  EXPECT_EQ(script.FileDialogs.back().Offered, "missing.vrk");
  EXPECT_EQ(window->FileData->FileName, missing);  // the cancelled dialog changed nothing
}

}  // namespace
