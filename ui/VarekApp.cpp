#include "ui/VarekApp.h"

#include <cstdio>
#include <memory>

#include "engine/Board.h"
#include "framework/ControlBar.h"
#include "framework/Dialogs.h"
#include "framework/Frame.h"
#include "framework/MoveListPanel.h"
#include "framework/ScoreGraph.h"
#include "framework/Resources.h"
#include "framework/Settings.h"
#include "framework/StatusBar.h"
#include "resources/CommandIds.h"
#include "resources/VarekResources.h"
#include "search/Levels.h"
#include "ui/Graphics.h"
#include "ui/VarekWindow.h"
#include "ui/WindowSettings.h"

const char* const VarekCaptionFormat = "Varek 99 - %s";
const char* const VarekBuildDate = "Nov 10 1999";

void AddPieceCursors(TModule& module) {
  // A square of 42 pixels gives a king exactly 32 pixels tall; each piece is
  // placed with its middle on the hot spot (15, 15).
  TGraphics g;
  g.SquareSize = 42;
  constexpr int index = 10;
  for (int code = WhiteKing; code <= BlackMan; ++code) {
    g.SquareX[index] = -6;
    g.SquareY[index] = IsKing(code) ? -3 : -4;
    TBitmap image(32, 32, 0);
    TMemoryDC dc(image);
    g.DrawPiece(index, dc, code);
    const int id = code == WhiteMan    ? CursorId::WhiteMan
                   : code == BlackMan  ? CursorId::BlackMan
                   : code == WhiteKing ? CursorId::WhiteKing
                                       : CursorId::BlackKing;
    module.AddCursor(id, image, TPoint(15, 15));
  }
}

TVarekApp::TVarekApp() : TApplication(nullptr) {}

TVarekApp::~TVarekApp() {
  if (TDecoratedFrame* frame = GetMainWindow()) TSettings().SaveGeometry(SettingGeometry, *frame);
}

void TVarekApp::InitMainWindow() {
  // The module's resources are made once a run, by the first application.
  if (!GetModule().FindMenu("COMMANDS")) {
    LoadResources(GetModule());
    AddPieceCursors(GetModule());
  }

  char title[64];
  std::snprintf(title, sizeof title, VarekCaptionFormat, VarekBuildDate);
  auto* board = new TVarekWindow(nullptr);
  auto* frame = new TDecoratedFrame(nullptr, title, board, false);
  SetMainWindow(frame);
  frame->AssignMenu("COMMANDS");

  auto* bar = new TControlBar(frame, TControlBar::Horizontal, TGadgetWindowFont(10, false, false));
  auto button = [bar](int id) { bar->Insert(std::make_unique<TButtonGadget>(id, id, TButtonGadget::Command, false,
                                                                           TButtonGadget::Up, false)); };
  auto separator = [bar] { bar->Insert(std::make_unique<TSeparatorGadget>(10)); };
  button(CommandId::CmFileNew), button(CommandId::CmFileOpen), button(CommandId::CmFileSave);
  separator();
  button(CommandId::CmMovesUndo), button(CommandId::CmActionForceMove), button(CommandId::CmActionComputerGo),
      button(CommandId::CmMovesRedo), button(CommandId::CmActionHint);
  separator();
  button(CommandId::CmBoardInvertBoard);
  separator();
  button(CommandId::CmBoardSetup), button(CommandId::CmBoardStarting), button(CommandId::CmBoardClear),
      button(CommandId::CmBoardBTurn), button(CommandId::CmBoardWTurn);
  frame->Insert(bar, TDecoratedFrame::Top);

  frame->SetIconSm(&GetModule(), "IDI_VAREK");
  frame->SetIcon(&GetModule(), "IDI_VAREK");

  auto* status = new TStatusBar(frame, TStatusBar::Recessed, TStatusBar::NoIndicators);
  frame->Insert(status, TDecoratedFrame::Bottom);
  frame->SetAcceleratorTable("COMMANDS");
  // Never so small that the board, the menu or the tool bar would be cut.
  frame->SetMinimumClientSize(MinimumBoardSize, MinimumBoardSize);
  // Wide enough at first for the computer's whole progress line beside the user's text.
  frame->SetClientSize(920, 560);

  // The computer's progress lines, and the game file reader's complaints.
  board->Progress().ShowOn(status);
  // Task-modal, and over the window of the application running then (the
  // main window shows before a file named on the command line is read).
  SetFileErrorReporter([](const char* caption, const char* message) {
    const TApplication* app = TApplication::Current();
    TWindow* owner = app && app->GetMainWindow() ? app->GetMainWindow()->GetClientWindow() : nullptr;
    MessageBox(owner, message, caption, MB_OK | MB_ICONASTERISK | MB_TASKMODAL);
  });

  board->SetMoveListPanel(std::make_unique<TMoveListPanel>(*frame, "Moves", "Black", "White"));
  // The analysis's scores under the list, cut at three men either way.
  board->SetScoreGraph(std::make_unique<TScoreGraph>(board->GetMoveListPanel(), ClampedScore));
  // What the user chose last time: the window's place, the move list, the board's side and the level.
  TSettings settings;
  settings.RestoreGeometry(SettingGeometry, *frame);
  board->GetMoveListPanel()->SetVisible(settings.ReadBool(SettingMoveList, true));
  board->GameStatus.Inverted = settings.ReadBool(SettingInverted, board->GameStatus.Inverted);
  const int level = settings.ReadInt(SettingLevel, board->GameStatus.Level);
  if (level >= 0 && level < LevelCount) board->SetLevel(level);
  board->SetClock(settings.ReadInt(SettingClock, 0));
  if (!StartFile.empty()) AfterShown([board, path = StartFile] { board->OpenStartFile(path); });

  // The endgame database, while the window shows; what is missing or
  // damaged is said once.
  board->EndgameDatabase().StartLoading([board](const std::string& problem) {
    if (!problem.empty()) board->ShowStatus(problem);
  });
}
