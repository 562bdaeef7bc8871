// The main frame as the program builds it: caption, menu texts, accelerators,
// the tool bar's gadgets, icons, and which commands are enabled and checked.
#include <map>

#include "UiFixture.h"

namespace {

using Frame = UiTest;

TEST_F(Frame, CaptionIsFixed) {
  EXPECT_EQ(frame->GetCaption(), "Varek 99 - Nov 10 1999");
  frame->ExecuteCommand(151);
  frame->ExecuteCommand(151);
  EXPECT_EQ(frame->GetCaption(), "Varek 99 - Nov 10 1999");
}

TEST_F(Frame, MenuTextsAsShown) {
  const std::vector<std::string> expected{
      "&Game",   "  &New\tCtrl+N", "  &Open", "  &Save", "  Save &as", "", "  E&xit\tCtrl+X",
      "&Moves",  "  &Undo move\tPgUp", "  &Undo All\tHome", "  &Redo move\tPgDn", "  &Redo All\tEnd", "",
      "  &Normal Play", "  &Two Player", "  &Auto Play",
      "&Board",  "  &Invert Board\tCtrl+I", "  Square &Numbers", "", "  &Setup position\tCtrl+S", "  &Starting Position",
      "  &Clear Board", "  &Black to move", "  &White to move",
      "&Action", "  &Computer Go\tCtrl+G", "  &Force Move\tCtrl+F",
      "&Options", "  &Level", "    Easy", "     2 Seconds/Move", "     5 Seconds/Move", "    10 Seconds/Move",
      "    15 Seconds/Move", "    30 Seconds/Move", "    60 Seconds/Move", "    Infinite", "  &Sound",
      "&Help",   "  &About"};
  std::vector<std::string> shown = MenuTexts(*frame);
  // Separators are listed with the indent of their menu.
  for (std::string& s : shown)
    if (s.find_first_not_of(' ') == std::string::npos) s.clear();
  EXPECT_EQ(shown, expected);
}

TEST_F(Frame, ToolBarGadgetsInOrder) {
  EXPECT_EQ(ToolBarLayout(*frame),
            (std::vector<int>{102, 103, 104, -10, 115, 123, 122, 116, -10, 151, -10, 152, 153, 154, 155, 156}));
}

TEST_F(Frame, IconsComeInSmallLargeAndDesktopSizes) {
  EXPECT_TRUE(FrameHasIconSize(*frame, 16));
  EXPECT_TRUE(FrameHasIconSize(*frame, 32));
  EXPECT_TRUE(FrameHasIconSize(*frame, 256));
}

TEST_F(Frame, ButtonsStartDisabledUntilTheFirstEnablingPass) {
  TVarekApp second;
  second.InitInstance();
  TDecoratedFrame& f = *second.GetMainWindow();
  for (int id : {102, 103, 104, 115, 116, 122, 123, 151, 152, 153, 154, 155, 156}) {
    EXPECT_FALSE(ToolButtonEnabled(f, id)) << id;
    EXPECT_FALSE(ToolButtonPressed(f, id)) << id;
  }
  f.EnableCommands();
  EXPECT_TRUE(ToolButtonEnabled(f, 102));
  EXPECT_TRUE(ToolButtonPressed(f, 155));  // Black to move
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
  ExpectStates(*frame,
               {{102, {true, false}}, {103, {true, false}}, {104, {true, false}}, {105, {true, false}},
                {106, {true, false}}, {115, {false, false}}, {117, {false, false}}, {116, {false, false}},
                {118, {false, false}}, {112, {true, true}}, {113, {true, false}}, {114, {true, false}},
                {151, {true, false}}, {157, {true, false}}, {152, {true, false}}, {153, {false, false}},
                {154, {false, false}}, {155, {false, true}}, {156, {false, false}}, {122, {true, false}},
                {123, {false, false}}, {253, {true, false}}, {254, {true, false}}, {255, {true, true}}, {256, {true, false}},
                {257, {true, false}}, {258, {true, false}}, {259, {true, false}}, {260, {true, false}},
                {252, {true, true}}, {301, {true, false}}},
               "start");
}

TEST_F(Frame, WhileThinkingOnlyExitForceMoveSoundSquareNumbersAndAboutStayEnabled) {
  GameStatus.Thinking = true;  // as the computer's thread sets it
  std::map<int, TState> expected;
  for (int id : {102, 103, 104, 105, 115, 116, 117, 118, 113, 114, 151, 152, 153, 154, 156, 122, 253, 254, 256,
                 257, 258, 259, 260})
    expected[id] = {false, false};
  expected[112] = {false, true};  // the mode, the side and the level keep their marks
  expected[155] = {false, true};
  expected[255] = {false, true};
  expected[106] = {true, false};
  expected[123] = {true, false};
  expected[252] = {true, true};
  expected[157] = {true, false};  // how the board is shown, not what is on it
  expected[301] = {true, false};
  ExpectStates(*frame, expected, "thinking");
  GameStatus.Thinking = false;
}

TEST_F(Frame, EnablersFollowTheGame) {
  GameStatus.SetupMode = true;
  GameStatus.SideToMove = White;
  GameStatus.PlayMode = 0;
  GameStatus.Level = 7;
  GameStatus.Sound = false;
  ExpectStates(*frame,
               {{152, {true, true}}, {153, {true, false}}, {154, {true, false}}, {155, {true, false}},
                {156, {true, true}}, {112, {true, false}}, {114, {true, true}}, {255, {true, false}},
                {260, {true, true}}, {252, {true, false}}},
               "setup");
  GameStatus.SetupMode = false;
  int move[] = {32, 28, 0};
  GameRecord.AddMove(move);
  ExpectStates(*frame, {{115, {true, false}}, {117, {true, false}}, {116, {false, false}}, {118, {false, false}}},
               "one move");
  TPlayer side;
  GameRecord.TakeBack(1, GameStatus.Board, &side);
  ExpectStates(*frame, {{115, {false, false}}, {117, {false, false}}, {116, {true, false}}, {118, {true, false}}},
               "taken back");
}

TEST_F(Frame, AcceleratorsSendTheirCommands) {
  ASSERT_TRUE(ActivateFrame(*frame));
  // A game with a move to undo and one to redo, so the page keys' commands are enabled.
  int first[] = {32, 28, 0}, second[] = {21, 25, 0};
  GameRecord.AddMove(first);
  GameRecord.AddMove(second);
  TPlayer side;
  GameRecord.TakeBack(1, GameStatus.Board, &side);
  GameStatus.SideToMove = side;
  // The page keys, Home and End need no modifier; Ctrl+S is Setup position, not Save.
  const std::vector<std::pair<std::pair<unsigned, int>, int>> keys{
      {{0, VK_PRIOR}, 115}, {{0, VK_NEXT}, 116},     {{0, VK_HOME}, 117},     {{0, VK_END}, 118},
      {{FCONTROL, 'I'}, 151}, {{FCONTROL, 'S'}, 152}, {{FCONTROL, 'N'}, 102}, {{FCONTROL, 'X'}, 106}};
  for (auto [key, id] : keys) {
    SendKey(*frame, key.first, key.second);
    ProcessEvents();
    EXPECT_EQ(frame->LastCommand(), id) << "key " << key.second;
  }
  EXPECT_TRUE(GameStatus.Inverted);  // Ctrl+I did its work
  EXPECT_TRUE(app->QuitPosted());    // and Ctrl+X
  // Force Move is grayed while the computer is not thinking: its key does nothing.
  SendKey(*frame, FCONTROL, 'F');
  ProcessEvents();
  EXPECT_EQ(frame->LastCommand(), 106);
}

TEST_F(Frame, AcceleratorTableOrder) {
  const std::vector<TAccelerator>* table = frame->GetAccelerators();
  ASSERT_NE(table, nullptr);
  std::vector<std::pair<int, int>> keys;
  for (const TAccelerator& a : *table) keys.emplace_back(a.Key, a.Command);
  EXPECT_EQ(keys, (std::vector<std::pair<int, int>>{{'N', 102}, {'I', 151}, {'X', 106}, {'G', 122}, {'F', 123},
                                                    {VK_PRIOR, 115}, {VK_NEXT, 116}, {VK_HOME, 117},
                                                    {VK_END, 118}, {'S', 152}}));
}

TEST_F(Frame, InvertFromTheToolBarRedrawsTheBoardTurned) {
  frame->ExecuteCommand(151);
  EXPECT_TRUE(GameStatus.Inverted);
  const TBitmap shown = window->Snapshot();
  // A Black man now stands at the top left of the board.
  EXPECT_EQ(shown.Color(Driver.SquareX[44] + 27, Driver.SquareY[44] + 19), Driver.BlackTopColor);
  EXPECT_EQ(Driver.SquareY[44], Driver.OriginY);
}

TEST_F(Frame, WindowFillsTheClientAreaWithGreyAroundTheBoard) {
  const TBitmap shown = window->Snapshot();
  EXPECT_EQ(shown.Width(), ClientWidth);
  EXPECT_EQ(shown.Height(), ClientHeight);
  EXPECT_EQ(shown.Color(5, 5), TColor(128, 128, 128));
  EXPECT_EQ(Driver.SquareSize, 54);
  frame->SetClientSize(500, 700);  // taller than wide (the tool bar keeps it this wide)
  ProcessEvents();
  window->UpdateWindow();
  EXPECT_EQ(window->Attr.W, 500);
  EXPECT_EQ(Driver.SquareSize, (500 - 2 * 25) / 8);  // rescaled at the next paint
}

TEST_F(Frame, SoundCommandTogglesAndReports) {
  frame->ExecuteCommand(252);
  EXPECT_FALSE(GameStatus.Sound);
  EXPECT_EQ(StatusText(), "sound disabled");
  frame->ExecuteCommand(252);
  EXPECT_TRUE(GameStatus.Sound);
  EXPECT_EQ(StatusText(), "sound enabled");
}

TEST_F(Frame, LevelCommandsStoreTheirTimes) {
  const int times[8] = {0, 1, 2, 5, 10, 15, 30, 36000000};
  for (int n = 0; n < 8; ++n) {
    frame->ExecuteCommand(253 + n);
    EXPECT_EQ(GameStatus.Level, n);
    EXPECT_EQ(GameStatus.TimeLimit, times[n]);
  }
}

TEST_F(Frame, AboutRunsItsDialog) {
  frame->ExecuteCommand(301);
  EXPECT_EQ(desktop.Dialogs, std::vector<int>{1001});
}

TEST_F(Frame, EveryCommandRunsAtTheStart) {
  for (int id : {102, 103, 104, 105, 115, 116, 117, 118, 112, 113, 151, 152, 153, 154, 155, 156, 253, 301})
    frame->ExecuteCommand(id);
  EXPECT_FALSE(GameStatus.Thinking);
  EXPECT_TRUE(frame->IsVisible());
}

// Every command and enabler of the menu reaches its handler in the board
// window's table; Exit and About have no enabler, the right button's release no handler.
TEST_F(Frame, TableRoutesEveryCommandMessageAndEnabler) {
  const int commands[] = {102, 103, 104, 105, 106, 115, 116, 117, 118, 112, 113, 114, 151, 157, 152, 153,
                          154, 155, 156, 122, 123, 253, 254, 255, 256, 257, 258, 259, 260, 252, 301};
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
    EXPECT_EQ(window->Find(enabler), id != 106 && id != 301) << id;
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
