// PDN in the window: Import with its list of games, Export, Open of a .pdn
// file, a file named on the command line, and the move list beside the board
// following every change of the record.
#include <filesystem>

#include "FilesFixture.h"
#include "engine/Metrics.h"
#include "tests/support/ListDialogDriving.h"
#include "tests/support/MasterGame.h"
#include "framework/MoveListPanel.h"
#include "game/Pdn.h"
#include "resources/CommandIds.h"
#include "ui/Progress.h"

namespace {

using namespace CommandId;

const char Collection[] = R"([Event "Club"] [Black "Ann"] [White "Bob"] [Date "2026.12.08"]
1. 11-15 23-19 2. 8-11 22-17 1-0
[Black "Cy"] [White "Di"]
1. 11-15 23-19 2. 8-11 22-17 3. 9-13 17x10 *
[Event "Final"] [Black "Eve"] [White "Fay"]
1. 11-15 22-18 2. 15x22 25x18 3. 8-11 29-25 *
)";

class PdnWindow : public GameFlowTest {
 protected:
  std::vector<std::vector<int>> RecordedMoves() const {
    std::vector<std::vector<int>> moves;
    for (GameNode* node = window->GameRecord.Head->Next; node != nullptr; node = node->Next)
      moves.emplace_back(node->Move, node->Move + MoveLength(node->Move) + 1);
    return moves;
  }
  std::string WriteText(const char* name, const std::string& text) {
    const std::string path = PathOf(name);
    std::ofstream(path) << text;
    return path;
  }
  std::vector<std::string> ShownMoves() {
    frame->EnableCommands();  // the pass in which the list catches up
    return window->GetMoveListPanel()->ShownRows();
  }
  std::pair<int, int> MarkedCell() {
    frame->EnableCommands();
    return {window->GetMoveListPanel()->CurrentRow(), window->GetMoveListPanel()->CurrentColumn()};
  }
};

TEST_F(PdnWindow, ImportListsTheGamesAndOpensTheChosenOneAtItsEnd) {
  script.FileAnswers = {WriteText("games.pdn", Collection + std::string("[Black \"Gus\"] 1. 11-15 {cut"))};
  // Cy - Di first, whose moves are read only when it is chosen: the list
  // comes back, and then Eve - Fay.
  script.ListAnswers = {1, 2};
  frame->ExecuteCommand(CmFileImportPdn);
  ASSERT_EQ(script.FileDialogs.size(), 1u);
  EXPECT_EQ(script.FileDialogs[0].Filter, "PDN Games (*.pdn)|*.pdn|");
  ASSERT_EQ(script.ListDialogs.size(), 2u);
  const TListDialogData& list = script.ListDialogs[0];
  EXPECT_EQ(list.Columns, (std::vector<std::string>{"No.", "Black", "White", "Event", "Date", "Result", "Moves"}));
  EXPECT_EQ(list.Rows, (std::vector<std::vector<std::string>>{{"1", "Ann", "Bob", "Club", "2026.12.08", "1-0", "2"},
                                                              {"2", "Cy", "Di", "", "", "*", "3"},
                                                              {"3", "Eve", "Fay", "Final", "", "*", "3"}}));
  EXPECT_EQ(script.ListStatus[0], "1 damaged game(s) of the file are not listed.");
  EXPECT_TRUE(script.ListOnShownWindow[0]);
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(script.Messages[0].Caption, "Information");
  EXPECT_EQ(script.Messages[0].Text, "game 2 (Cy - Di): move 3... 17x10: not a legal move");
  EXPECT_EQ(window->GameRecord.MoveCount, 6);
  EXPECT_EQ(window->GameRecord.Position, 6);
  EXPECT_EQ(ShownBoard(), ReplayedBoard(6));
  EXPECT_EQ(StatusText(), "game imported ~ 3 moves");
  EXPECT_TRUE(window->Untitled);
  EXPECT_FALSE(window->GameChanged);
  EXPECT_TRUE(ScreenMatchesBoard());
  frame->EnableCommands();
  ProcessEvents(20);
  const std::filesystem::path shots = std::filesystem::path(VAREK_BINARY_DIR) / "screenshots";
  std::filesystem::create_directories(shots);
  EXPECT_TRUE(GrabFrame(*frame).Save((shots / "move-list.png").c_str()));

  // Undo and redo go through the imported moves.
  frame->ExecuteCommand(CmMovesUndoAll);
  EXPECT_EQ(ShownBoard(), ReplayedBoard(0));
  frame->ExecuteCommand(CmMovesRedo);  // in Normal Play a step is a move and its reply
  EXPECT_EQ(ShownBoard(), ReplayedBoard(2));

  // A cancelled list changes nothing.
  script.FileAnswers = {PathOf("games.pdn")};
  script.ListAnswers = {-1};
  frame->ExecuteCommand(CmFileImportPdn);
  EXPECT_EQ(window->GameRecord.MoveCount, 6);
  EXPECT_EQ(window->GameRecord.Position, 2);
}

TEST_F(PdnWindow, ImportOfFilesWithoutGoodGamesSaysSo) {
  script.FileAnswers = {WriteText("bad.pdn", "1. 11-15 {cut"), PathOf("none.pdn")};
  frame->ExecuteCommand(CmFileImportPdn);
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_NE(LastMessage().Text.find("no game that can be read"), std::string::npos);
  EXPECT_NE(LastMessage().Text.find("game 1 (? - ?)"), std::string::npos) << LastMessage().Text;
  frame->ExecuteCommand(CmFileImportPdn);
  ASSERT_EQ(script.Messages.size(), 2u);
  EXPECT_EQ(LastMessage().Text, "Unable to open file");
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
}

TEST_F(PdnWindow, OpenReadsAOneGamePdnFileWithoutAList) {
  RunWithFileAnswer(CmFileOpen, WriteText("one.pdn", "[FEN \"W:W5:B20\"] 1... 5-1 *"));
  EXPECT_TRUE(script.ListDialogs.empty());
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_EQ(window->GameRecord.StartSide, White);
  EXPECT_EQ(window->GameStatus.SideToMove, Black);
  EXPECT_EQ(ShownBoard(), ReplayedBoard(1));
}

TEST_F(PdnWindow, ExportWritesTheGameWithItsPlayersAndReadsBack) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(5);
  const std::string path = PathOf("out.pdn");
  RunWithFileAnswer(CmFileExportPdn, path);
  ASSERT_EQ(script.FileDialogs.size(), 1u);
  EXPECT_TRUE(script.FileDialogs[0].Flags & OFN_OVERWRITEPROMPT);
  EXPECT_EQ(StatusText(), "game exported ~ 3 moves");
  TPdnCollection read;
  std::string error;
  ASSERT_TRUE(ReadPdnFile(path, &read, &error)) << error;
  ASSERT_EQ(read.Games.size(), 1u);
  EXPECT_EQ(read.Games[0].Black, "Player");
  EXPECT_EQ(read.Games[0].White, "Player");
  EXPECT_EQ(read.Games[0].Date.size(), 10u);
  EXPECT_EQ(read.Games[0].Moves, RecordedMoves());

  // In normal play the user is "You"; an export that cannot be written says
  // so and leaves the old file and the game alone.
  window->GameStatus.PlayMode = TPlayMode::NormalPlay;
  script.MessageAnswer = IDYES;  // yes, replace the file exported before
  const std::vector<char> before = Bytes(path);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  RunWithFileAnswer(CmFileExportPdn, path);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
  if (::geteuid() != 0) {  // root writes anywhere
    ASSERT_FALSE(script.Messages.empty());
    EXPECT_EQ(LastMessage().Text, "Unable to save file");
    EXPECT_EQ(Bytes(path), before);
  }
  EXPECT_EQ(window->GameRecord.MoveCount, 5);
  RunWithFileAnswer(CmFileExportPdn, PathOf("missing/folder.pdn"));
  EXPECT_EQ(LastMessage().Text, "Unable to save file");
  RunWithFileAnswer(CmFileExportPdn, path);
  ASSERT_TRUE(ReadPdnFile(path, &read, &error));
  EXPECT_EQ(read.Games.at(0).Black, "You");  // the user moved Black last
  EXPECT_EQ(read.Games.at(0).White, "Computer");
}

// A game imported and not changed since is exported as the file had it;
// once a move is played it is a game of this window.
TEST_F(PdnWindow, ExportOfAnImportedGameKeepsItsTags) {
  RunWithFileAnswer(CmFileImportPdn, WriteText("master.pdn", MasterGame));
  ASSERT_EQ(window->GameRecord.MoveCount, 44);
  frame->ExecuteCommand(CmMovesUndo);  // stepping through it changes nothing
  RunWithFileAnswer(CmFileExportPdn, PathOf("as-read.pdn"));
  TPdnCollection read;
  std::string error;
  ASSERT_TRUE(ReadPdnFile(PathOf("as-read.pdn"), &read, &error)) << error;
  ASSERT_EQ(read.Games.size(), 1u);
  EXPECT_EQ(read.Games[0], ReadPdn(MasterGame).Games.at(0));
  EXPECT_EQ(StatusText(), "game exported ~ 22 moves");

  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMove();
  RunWithFileAnswer(CmFileExportPdn, PathOf("played-on.pdn"));
  ASSERT_TRUE(ReadPdnFile(PathOf("played-on.pdn"), &read, &error)) << error;
  EXPECT_EQ(read.Games.at(0).Players(), "Player - Player");
  EXPECT_EQ(read.Games.at(0).Event, "Varek 99 game");
  EXPECT_EQ(read.Games.at(0).Result, "*");
  EXPECT_TRUE(read.Games.at(0).OtherTags.empty());
}

// After Home the list is back at its top; after New, Setup or Import nothing
// of the game before stays: neither the computer's figures nor a result.
TEST_F(PdnWindow, ANewGameShowsNothingOfTheLastOne) {
  frame->SetClientSize(ClientWidth, 300);
  ProcessEvents();
  RunWithFileAnswer(CmFileImportPdn, WriteText("master.pdn", MasterGame));
  ShownMoves();
  ProcessEvents();
  EXPECT_GT(window->GetMoveListPanel()->TopRow(), 0);  // the last move is in view
  frame->ExecuteCommand(CmMovesUndoAll);
  ShownMoves();
  ProcessEvents();
  EXPECT_EQ(window->GetMoveListPanel()->TopRow(), 0);

  for (int command : {CmFileNew, CmBoardSetup, CmFileImportPdn}) {
    window->Progress().Result("11x18  Score=12  Depth:13/25  2.1 sec  Evals:123456  Nodes:1234567");
    ProcessEvents();
    ASSERT_NE(ProgressText(), " | ");
    if (command == CmFileImportPdn) script.FileAnswers = {PathOf("master.pdn")};
    frame->ExecuteCommand(command);
    ProcessEvents();
    EXPECT_EQ(ProgressText(), " | ") << command;
  }

  // A won position set up again starts with no moves, and with no result below them.
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  SetPosition({{TMetrics::NotationToSquare(10), BlackMan}, {TMetrics::NotationToSquare(15), WhiteKing}}, White);
  PlayMove();
  ASSERT_EQ(ShownMoves().size(), 1u);
  EXPECT_EQ(window->GetMoveListPanel()->Note(), "White wins");
  frame->ExecuteCommand(CmBoardSetup);
  EXPECT_TRUE(ShownMoves().empty());
  EXPECT_EQ(window->GetMoveListPanel()->Note(), "");
}

TEST_F(PdnWindow, MoveListFollowsTheRecord) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  EXPECT_TRUE(ShownMoves().empty());
  EXPECT_TRUE(Checked(CmViewMoveList));
  PlayMoves(3);
  ASSERT_EQ(ShownMoves().size(), 2u);
  EXPECT_EQ(ShownMoves()[0].rfind("1. ", 0), 0u);
  EXPECT_EQ(MarkedCell(), std::make_pair(1, 0));

  frame->ExecuteCommand(CmMovesUndo);
  EXPECT_EQ(MarkedCell(), std::make_pair(0, 1));
  frame->ExecuteCommand(CmMovesUndoAll);
  EXPECT_EQ(MarkedCell(), std::make_pair(-1, -1));
  EXPECT_EQ(ShownMoves().size(), 2u);  // the moves taken back stay listed
  frame->ExecuteCommand(CmMovesRedo);
  EXPECT_EQ(MarkedCell(), std::make_pair(0, 0));

  // A click on White's first move shows the position after it.
  window->GetMoveListPanel()->Click(0, 1);
  EXPECT_EQ(window->GameRecord.Position, 2);
  EXPECT_EQ(ShownBoard(), ReplayedBoard(2));
  EXPECT_EQ(MarkedCell(), std::make_pair(0, 1));
  EXPECT_TRUE(ScreenMatchesBoard());

  // A new move after undo replaces the rest.
  PlayMove(1);
  EXPECT_EQ(ShownMoves().size(), 2u);
  EXPECT_EQ(window->GameRecord.MoveCount, 3);

  // Setup mode starts a new record from the board; New from the start.
  frame->ExecuteCommand(CmBoardSetup);
  EXPECT_TRUE(ShownMoves().empty());
  frame->ExecuteCommand(CmBoardSetup);
  frame->ExecuteCommand(CmBoardWTurn);
  PlayMove();
  frame->ExecuteCommand(CmFileNew);
  EXPECT_TRUE(ShownMoves().empty());

  frame->ExecuteCommand(CmViewMoveList);
  EXPECT_FALSE(Checked(CmViewMoveList));
  EXPECT_FALSE(window->GetMoveListPanel()->IsVisible());
  frame->ExecuteCommand(CmViewMoveList);
  EXPECT_TRUE(Checked(CmViewMoveList));
}

TEST_F(PdnWindow, MoveListMarksTheResult) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  // White's king takes Black's last man: Black has no move.
  SetPosition({{TMetrics::NotationToSquare(10), BlackMan}, {TMetrics::NotationToSquare(15), WhiteKing}}, White);
  PlayMove();
  EXPECT_EQ(ShownMoves(), (std::vector<std::string>{"1. ... 15x6"}));
  EXPECT_EQ(window->GetMoveListPanel()->Note(), "White wins");
}

class StartFile : public PdnWindow {
 protected:
  // The program started again with `path` on its command line.
  void Restart(const std::string& path) {
    app.reset();
    app = std::make_unique<TVarekApp>();
    app->StartFile = path;
    app->InitInstance();
    frame = app->GetMainWindow();
    window = static_cast<TVarekWindow*>(frame->GetClientWindow());
    window->AnimationScale = animationScale;
    ProcessEvents();  // the file opens once the window shows
  }
};

TEST_F(StartFile, GoodDamagedAndMissingFiles) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(4);
  const std::string good = PathOf("good.vrk");
  ASSERT_TRUE(SaveGameFile(good, window->GameRecord));
  Restart(good);
  EXPECT_EQ(window->GameRecord.MoveCount, 4);
  EXPECT_EQ(ShownBoard(), ReplayedBoard(4));
  EXPECT_TRUE(script.Messages.empty());

  Restart(WriteText("games.pdn", Collection));
  ASSERT_EQ(script.ListDialogs.size(), 1u);  // nothing chosen: the game starts as usual
  EXPECT_TRUE(script.ListOnShownWindow[0]);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);

  std::vector<char> bytes = Bytes(good);
  bytes[10] ^= 1;
  WriteBytes(PathOf("bad.vrk"), bytes);
  Restart(PathOf("bad.vrk"));
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(LastMessage().Caption, "Information");
  EXPECT_TRUE(LastMessage().OnShownWindow);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);

  // The main window shows first, and the box that names the file sits on it.
  Restart(PathOf("none.vrk"));
  ASSERT_EQ(script.Messages.size(), 2u);
  EXPECT_EQ(LastMessage().Caption, "File Error");
  EXPECT_EQ(LastMessage().Text, "Unable to open file\n" + PathOf("none.vrk"));
  EXPECT_TRUE(LastMessage().OnShownWindow);
  EXPECT_TRUE(frame->IsVisible());
}

// The move list's visibility, the board's side, the level and the window's
// place are remembered from one run to the next.
TEST_F(StartFile, ChoicesAreRememberedAcrossRuns) {
  frame->ExecuteCommand(CmViewMoveList);
  frame->ExecuteCommand(CmBoardInvertBoard);
  frame->ExecuteCommand(CmOptionsLevel5);
  frame->SetClientSize(500, 420);
  ProcessEvents();
  const TRect client = window->GetClientRect();
  window->GameStatus.Inverted = false;
  window->GameStatus.Level = 2;
  Restart("");
  ProcessEvents();
  EXPECT_FALSE(window->GetMoveListPanel()->IsVisible());
  EXPECT_TRUE(window->GameStatus.Inverted);
  EXPECT_EQ(window->GameStatus.Level, 5);
  EXPECT_EQ(window->GetClientRect().Width(), client.Width());
  EXPECT_EQ(window->GetClientRect().Height(), client.Height());
  EXPECT_FALSE(Checked(CmViewMoveList));
}

// The real list dialog: typing keeps the matching rows, Ok takes the first shown.
TEST_F(PdnWindow, ListDialogFiltersAsTheUserTypes) {
  SetDesktop(nullptr);
  TListDialogData data;
  data.Caption = "Import PDN";
  data.Prompt = "&Type to find a game:";
  data.Columns = {"No.", "Black", "White"};
  data.Rows = {{"1", "Ann", "Bob"}, {"2", "Cy", "Anna"}, {"3", "Eve", "Fay"}};
  static std::vector<std::string> all, filtered;
  CallLater(50, [](void*) {
    all = ShownListRows();
    GrabListDialog().Save((std::string(VAREK_BINARY_DIR) + "/screenshots/import-list.png").c_str());
    TypeIntoListFilter("ann");
    filtered = ShownListRows();
    PressModalButton("OK");
  }, nullptr);
  std::filesystem::create_directories(std::string(VAREK_BINARY_DIR) + "/screenshots");
  EXPECT_EQ(TListDialog(window, data).Execute(), IDOK);
  SetDesktop(&script);
  EXPECT_EQ(all, (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(filtered, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(data.Chosen, 0);
  EXPECT_TRUE(RowMatchesFilter({"x", "Tinsley"}, "TINS"));
  EXPECT_FALSE(RowMatchesFilter({"x", "Tinsley"}, "Long"));
}

}  // namespace
