// The main frame as the program builds it: caption, menu texts, accelerators,
// the tool bar's gadgets, icons, and which commands are enabled and checked.
#include <algorithm>
#include <map>

#include "UiFixture.h"

namespace {

using Frame = UiTest;

TEST_F(Frame, CaptionIsFixed) {
  EXPECT_EQ(frame->GetCaption(), "Varek 99 - Nov 10 1999");
  frame->ExecuteCommand(CmBoardInvertBoard);
  frame->ExecuteCommand(CmBoardInvertBoard);
  EXPECT_EQ(frame->GetCaption(), "Varek 99 - Nov 10 1999");
}

TEST_F(Frame, MenuTextsAsShown) {
  const std::vector<std::string> expected{
      "&Game",   "  &New\tCtrl+N", "  &Open", "  &Save", "  Save &as", "  Import PDN...", "  Export PDN...", "",
      "  E&xit\tCtrl+X",
      "&Moves",  "  &Undo move\tPgUp", "  &Undo All\tHome", "  &Redo move\tPgDn", "  &Redo All\tEnd", "",
      "  &Analyse Game", "", "  &Normal Play", "  &Two Player", "  &Auto Play",
      "&Board",  "  &Invert Board\tCtrl+I", "  Square &Numbers", "", "  &Setup position\tCtrl+S", "  &Starting Position",
      "  &Clear Board", "  &Black to move", "  &White to move",
      "&Action", "  &Computer Go\tCtrl+G", "  &Force Move\tCtrl+F", "  &Hint\tCtrl+H",
      "&View",   "  &Move List",
      "&Options", "  &Level", "    Easy", "     2 Seconds/Move", "     5 Seconds/Move", "    10 Seconds/Move",
      "    15 Seconds/Move", "    30 Seconds/Move", "    60 Seconds/Move", "    Infinite", "  Game &Clock",
      "    Untimed", "    1 min + 1 s", "    5 min + 3 s", "    15 min", "    30 moves in 10 min", "  &Sound",
      "&Help",   "  &About"};
  std::vector<std::string> shown = MenuTexts(*frame);
  // Separators are listed with the indent of their menu.
  for (std::string& s : shown)
    if (s.find_first_not_of(' ') == std::string::npos) s.clear();
  EXPECT_EQ(shown, expected);
}

TEST_F(Frame, ToolBarGadgetsInOrder) {
  EXPECT_EQ(ToolBarLayout(*frame),
            (std::vector<int>{CmFileNew, CmFileOpen, CmFileSave, -10, CmMovesUndo, CmActionForceMove,
                              CmActionComputerGo, CmMovesRedo, CmActionHint, -10, CmBoardInvertBoard, -10, CmBoardSetup,
                              CmBoardStarting, CmBoardClear, CmBoardBTurn, CmBoardWTurn}));
}

TEST_F(Frame, IconsComeInSmallLargeAndDesktopSizes) {
  EXPECT_TRUE(FrameHasIconSize(*frame, 16));
  EXPECT_TRUE(FrameHasIconSize(*frame, 32));
  EXPECT_TRUE(FrameHasIconSize(*frame, 256));
}

TEST_F(Frame, ToolButtonsHavePicturesForOrdinaryAndDenserScreens) {
  for (int id : {CmFileNew, CmMovesUndo, CmActionHint, CmBoardWTurn}) {
    EXPECT_TRUE(ToolButtonHasIconSize(*frame, id, 20)) << id;
    EXPECT_TRUE(ToolButtonHasIconSize(*frame, id, 40)) << id;
  }
}

TEST_F(Frame, ButtonsStartDisabledUntilTheFirstEnablingPass) {
  TVarekApp second;
  second.InitInstance();
  TDecoratedFrame& f = *second.GetMainWindow();
  for (int id : {CmFileNew, CmFileOpen, CmFileSave, CmMovesUndo, CmMovesRedo, CmActionComputerGo, CmActionForceMove,
                 CmBoardInvertBoard, CmBoardSetup, CmBoardStarting, CmBoardClear, CmBoardBTurn, CmBoardWTurn}) {
    EXPECT_FALSE(ToolButtonEnabled(f, id)) << id;
    EXPECT_FALSE(ToolButtonPressed(f, id)) << id;
  }
  f.EnableCommands();
  EXPECT_TRUE(ToolButtonEnabled(f, CmFileNew));
  EXPECT_TRUE(ToolButtonPressed(f, CmBoardBTurn));  // Black to move
}

struct TState {
  bool Enabled;
  bool Checked;
};

void ExpectStates(TDecoratedFrame& f, const std::map<int, TState>& expected, const char* when) {
  f.EnableCommands();
  for (auto [id, state] : expected) {
    EXPECT_EQ(f.IsCommandEnabled(id), state.Enabled) << when << ": command " << id;
    EXPECT_EQ(f.IsCommandChecked(id), state.Checked) << when << ": command " << id;
    if (f.GetControlBar()->FindButton(id)) {
      EXPECT_EQ(ToolButtonEnabled(f, id), state.Enabled) << when << ": button " << id;
      EXPECT_EQ(ToolButtonPressed(f, id), state.Checked) << when << ": button " << id;
    }
  }
}

TEST_F(Frame, EveryCommandEnabledAndCheckedAtTheStart) {
  ExpectStates(
      *frame,
      {{CmFileNew, {true, false}},          {CmFileOpen, {true, false}},         {CmFileSave, {true, false}},
       {CmFileSaveAs, {true, false}},       {CmFileExit, {true, false}},         {CmMovesUndo, {false, false}},
       {CmMovesUndoAll, {false, false}},    {CmMovesRedo, {false, false}},       {CmMovesRedoAll, {false, false}},
       {CmMovesNormalPlay, {true, true}},   {CmMovesTwoPlayer, {true, false}},   {CmMovesAutoPlay, {true, false}},
       {CmBoardInvertBoard, {true, false}}, {CmBoardSquareNumbers, {true, false}}, {CmBoardSetup, {true, false}},       {CmBoardStarting, {false, false}},
       {CmBoardClear, {false, false}},      {CmBoardBTurn, {false, true}},       {CmBoardWTurn, {false, false}},
       {CmActionComputerGo, {true, false}}, {CmActionForceMove, {false, false}}, {CmOptionsLevel0, {true, false}},
       {CmOptionsLevel1, {true, false}},    {CmOptionsLevel2, {true, true}},     {CmOptionsLevel3, {true, false}},
       {CmOptionsLevel4, {true, false}},    {CmOptionsLevel5, {true, false}},    {CmOptionsLevel6, {true, false}},
       {CmOptionsLevel7, {true, false}},    {CmOptionsSound, {true, true}},      {CmAbout, {true, false}},
       {CmMovesAnalyseGame, {false, false}}, {CmOptionsClock0, {true, true}},   {CmOptionsClock1, {true, false}},
       {CmOptionsClock2, {true, false}},    {CmOptionsClock3, {true, false}},    {CmOptionsClock4, {true, false}}},
      "start");
}

TEST_F(Frame, WhileThinkingOnlyExitForceMoveSoundSquareNumbersAndAboutStayEnabled) {
  window->GameStatus.Thinking = true;  // as the computer's thread sets it
  std::map<int, TState> expected;
  for (int id :
       {CmFileNew,       CmFileOpen,      CmFileSave,       CmFileSaveAs,       CmMovesUndo,        CmMovesRedo,
        CmMovesUndoAll,  CmMovesRedoAll,  CmMovesTwoPlayer, CmMovesAutoPlay,    CmBoardInvertBoard, CmBoardSetup,
        CmBoardStarting, CmBoardClear,    CmBoardWTurn,     CmActionComputerGo, CmOptionsLevel0,    CmOptionsLevel1,
        CmOptionsLevel3, CmOptionsLevel4, CmOptionsLevel5,  CmOptionsLevel6,    CmOptionsLevel7,
        CmMovesAnalyseGame, CmOptionsClock1, CmOptionsClock2, CmOptionsClock3, CmOptionsClock4})
    expected[id] = {false, false};
  expected[CmOptionsClock0] = {false, true};
  expected[CmMovesNormalPlay] = {false, true};  // the mode, the side and the level keep their marks
  expected[CmBoardBTurn] = {false, true};
  expected[CmOptionsLevel2] = {false, true};
  expected[CmFileExit] = {true, false};
  expected[CmActionForceMove] = {true, false};
  expected[CmOptionsSound] = {true, true};
  expected[CmBoardSquareNumbers] = {true, false};  // how the board is shown, not what is on it
  expected[CmAbout] = {true, false};
  ExpectStates(*frame, expected, "thinking");
  window->GameStatus.Thinking = false;
}

TEST_F(Frame, EnablersFollowTheGame) {
  window->GameStatus.SetupMode = true;
  window->GameStatus.SideToMove = White;
  window->GameStatus.PlayMode = TPlayMode::AutoPlay;
  window->GameStatus.Level = 7;
  window->GameStatus.Sound = false;
  ExpectStates(*frame,
               {{CmBoardSetup, {true, true}},
                {CmBoardStarting, {true, false}},
                {CmBoardClear, {true, false}},
                {CmBoardBTurn, {true, false}},
                {CmBoardWTurn, {true, true}},
                {CmMovesNormalPlay, {true, false}},
                {CmMovesAutoPlay, {true, true}},
                {CmOptionsLevel2, {true, false}},
                {CmOptionsLevel7, {true, true}},
                {CmOptionsSound, {true, false}}},
               "setup");
  window->GameStatus.SetupMode = false;
  int move[] = {32, 28, 0};
  window->GameRecord.AddMove(move);
  ExpectStates(*frame,
               {{CmMovesUndo, {true, false}},
                {CmMovesUndoAll, {true, false}},
                {CmMovesRedo, {false, false}},
                {CmMovesRedoAll, {false, false}}},
               "one move");
  TPlayer side;
  window->GameRecord.TakeBack(1, window->GameStatus.Board, &side);
  ExpectStates(*frame,
               {{CmMovesUndo, {false, false}},
                {CmMovesUndoAll, {false, false}},
                {CmMovesRedo, {true, false}},
                {CmMovesRedoAll, {true, false}}},
               "taken back");
}

TEST_F(Frame, AcceleratorsSendTheirCommands) {
  ASSERT_TRUE(ActivateFrame(*frame));
  // A game with a move to undo and one to redo, so the page keys' commands are enabled.
  int first[] = {32, 28, 0}, second[] = {21, 25, 0};
  window->GameRecord.AddMove(first);
  window->GameRecord.AddMove(second);
  TPlayer side;
  window->GameRecord.TakeBack(1, window->GameStatus.Board, &side);
  window->GameStatus.SideToMove = side;
  frame->EnableCommands();  // as the loop does when idle: a key acts through its enabled action
  // The page keys, Home and End need no modifier; Ctrl+S is Setup position, not Save.
  const std::vector<std::pair<std::pair<unsigned, int>, int>> keys{
      {{0, VK_PRIOR}, CmMovesUndo},  {{0, VK_NEXT}, CmMovesRedo},           {{0, VK_HOME}, CmMovesUndoAll},
      {{0, VK_END}, CmMovesRedoAll}, {{FCONTROL, 'I'}, CmBoardInvertBoard}, {{FCONTROL, 'S'}, CmBoardSetup},
      {{FCONTROL, 'N'}, CmFileNew},  {{FCONTROL, 'X'}, CmFileExit}};
  for (auto [key, id] : keys) {
    SendKey(*frame, key.first, key.second);
    ProcessEvents();
    EXPECT_EQ(frame->LastCommand(), id) << "key " << key.second;
  }
  EXPECT_TRUE(window->GameStatus.Inverted);  // Ctrl+I did its work
  EXPECT_TRUE(app->QuitPosted());    // and Ctrl+X
  // Force Move is grayed while the computer is not thinking: its keys do nothing.
  SendKey(*frame, FCONTROL, 'F');
  SendKey(*frame, 0, VK_ESCAPE);
  ProcessEvents();
  EXPECT_EQ(frame->LastCommand(), CmFileExit);
}

// Each command is one action: its menu item, its button and its keys are the
// same object, so they are enabled, checked and pressed together.
TEST_F(Frame, EachCommandIsOneActionForMenuButtonAndKeys) {
  EXPECT_EQ(SeparateShortcuts(*frame), 0);
  const std::vector<int> buttons = ToolBarLayout(*frame);
  int keys = 0;
  for (const TMenuItem& popup : *frame->GetMenu())
    for (const TMenuItem& item : popup.Popup)
      for (const TMenuItem& entry : item.Popup.empty() ? std::vector<TMenuItem>{item} : item.Popup) {
        if (entry.Id == 0) continue;
        const TCommandReach reach = CommandReach(*frame, entry.Id);
        EXPECT_EQ(reach.Actions, 1) << entry.Id;
        EXPECT_TRUE(reach.InMenu) << entry.Id;
        EXPECT_EQ(reach.OnToolBar, std::count(buttons.begin(), buttons.end(), entry.Id) == 1) << entry.Id;
        keys += reach.Keys;
      }
  EXPECT_EQ(keys, static_cast<int>(frame->GetAccelerators()->size()));

  // Setup position checked: its menu item carries the mark and its button shows pressed.
  frame->ExecuteCommand(CmBoardSetup);
  EXPECT_TRUE(frame->IsCommandChecked(CmBoardSetup));
  EXPECT_TRUE(ToolButtonPressed(*frame, CmBoardSetup));
  frame->ExecuteCommand(CmBoardSetup);
  EXPECT_FALSE(frame->IsCommandChecked(CmBoardSetup));
  EXPECT_FALSE(ToolButtonPressed(*frame, CmBoardSetup));
}

TEST_F(Frame, AcceleratorTableOrder) {
  const std::vector<TAccelerator>* table = frame->GetAccelerators();
  ASSERT_NE(table, nullptr);
  std::vector<std::pair<int, int>> keys;
  for (const TAccelerator& a : *table) keys.emplace_back(a.Key, a.Command);
  EXPECT_EQ(keys, (std::vector<std::pair<int, int>>{{'N', CmFileNew},
                                                    {'I', CmBoardInvertBoard},
                                                    {'X', CmFileExit},
                                                    {'G', CmActionComputerGo},
                                                    {'F', CmActionForceMove},
                                                    {VK_ESCAPE, CmActionForceMove},
                                                    {'H', CmActionHint},
                                                    {VK_PRIOR, CmMovesUndo},
                                                    {VK_NEXT, CmMovesRedo},
                                                    {VK_HOME, CmMovesUndoAll},
                                                    {VK_END, CmMovesRedoAll},
                                                    {'S', CmBoardSetup}}));
}

TEST_F(Frame, InvertFromTheToolBarRedrawsTheBoardTurned) {
  frame->ExecuteCommand(CmBoardInvertBoard);
  EXPECT_TRUE(window->GameStatus.Inverted);
  const TBitmap shown = window->Snapshot();
  // A Black man now stands at the top left of the board.
  EXPECT_EQ(shown.Color(window->Graphics.SquareX[44] + 27, window->Graphics.SquareY[44] + 19), window->Graphics.BlackTopColor);
  EXPECT_EQ(window->Graphics.SquareY[44], window->Graphics.OriginY);
}

TEST_F(Frame, WindowFillsTheClientAreaWithGreyAroundTheBoard) {
  const TBitmap shown = window->Snapshot();
  EXPECT_EQ(shown.Width(), ClientWidth);
  EXPECT_EQ(shown.Height(), ClientHeight);
  EXPECT_EQ(shown.Color(5, 5), TColor(128, 128, 128));
  EXPECT_EQ(window->Graphics.SquareSize, 54);
  frame->SetClientSize(500, 700);  // taller than wide (the tool bar keeps it this wide)
  ProcessEvents();
  window->UpdateWindow();
  EXPECT_EQ(window->Attr.W, 500);
  EXPECT_EQ(window->Graphics.SquareSize, (500 - 2 * 25) / 8);  // rescaled at the next paint
}

TEST_F(Frame, SoundCommandTogglesAndReports) {
  frame->ExecuteCommand(CmOptionsSound);
  EXPECT_FALSE(window->GameStatus.Sound);
  EXPECT_EQ(StatusText(), "sound disabled");
  frame->ExecuteCommand(CmOptionsSound);
  EXPECT_TRUE(window->GameStatus.Sound);
  EXPECT_EQ(StatusText(), "sound enabled");
}

TEST_F(Frame, LevelCommandsStoreTheirTimes) {
  const int times[8] = {0, 1, 2, 5, 10, 15, 30, 36000000};
  for (int n = 0; n < 8; ++n) {
    frame->ExecuteCommand(CmOptionsLevel0 + n);
    EXPECT_EQ(window->GameStatus.Level, n);
    EXPECT_EQ(window->GameStatus.TimeLimit, times[n]);
  }
}

TEST_F(Frame, AboutRunsItsDialog) {
  frame->ExecuteCommand(CmAbout);
  EXPECT_EQ(desktop.Dialogs, std::vector<int>{1001});
}

TEST_F(Frame, EveryCommandRunsAtTheStart) {
  for (int id : {CmFileNew, CmFileOpen, CmFileSave, CmFileSaveAs, CmMovesUndo, CmMovesRedo, CmMovesUndoAll,
                 CmMovesRedoAll, CmMovesNormalPlay, CmMovesTwoPlayer, CmBoardInvertBoard, CmBoardSetup, CmBoardStarting,
                 CmBoardClear, CmBoardBTurn, CmBoardWTurn, CmOptionsLevel0, CmAbout})
    frame->ExecuteCommand(id);
  EXPECT_FALSE(window->GameStatus.Thinking);
  EXPECT_TRUE(frame->IsVisible());
}

// Every command and enabler of the menu reaches its handler in the board
// window's table; Exit and About have no enabler, the right button's release no handler.
TEST_F(Frame, TableRoutesEveryCommandMessageAndEnabler) {
  const int commands[] = {CmFileNew,        CmFileOpen,      CmFileSave,         CmFileSaveAs,       CmFileExit,
                          CmMovesUndo,      CmMovesRedo,     CmMovesUndoAll,     CmMovesRedoAll,     CmMovesNormalPlay,
                          CmMovesTwoPlayer, CmMovesAutoPlay, CmBoardInvertBoard, CmBoardSquareNumbers, CmBoardSetup,       CmBoardStarting,
                          CmBoardClear,     CmBoardBTurn,    CmBoardWTurn,       CmActionComputerGo, CmActionForceMove,
                          CmOptionsLevel0,  CmOptionsLevel1, CmOptionsLevel2,    CmOptionsLevel3,    CmOptionsLevel4,
                          CmOptionsLevel5,  CmOptionsLevel6, CmOptionsLevel7,    CmOptionsSound,     CmAbout};
  for (int id : commands) {
    TEventInfo command;
    command.Kind = TEventKind::Command;
    command.Id = id;
    EXPECT_TRUE(window->Find(command) && command.Handler) << id;
    TCommandEnabler ce(id);
    TEventInfo enabler;
    enabler.Kind = TEventKind::CommandEnable;
    enabler.Id = id;
    enabler.Enabler = &ce;
    EXPECT_EQ(window->Find(enabler), id != CmFileExit && id != CmAbout) << id;
  }
  for (int message : {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE,
                      WM_LBUTTONUP, WM_SIZE}) {
    TEventInfo info;
    info.Id = message;
    EXPECT_TRUE(window->Find(info)) << message;
  }
  TEventInfo release;
  release.Id = WM_RBUTTONUP;
  EXPECT_FALSE(window->Find(release));
}

}  // namespace
