// Shared set-up of the window tests: a fresh run of the program for each (its
// board window owns the game, so the game starts anew with it), a desktop
// that records message boxes, dialogs and beeps instead of showing them, and
// the main window at a known client size.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/MoveGenerator.h"
#include "framework/ControlBar.h"
#include "framework/Dialogs.h"
#include "framework/Frame.h"
#include "framework/Settings.h"
#include "framework/StatusBar.h"
#include "tests/support/WindowDriving.h"
#include "framework/UiThread.h"
#include "game/Game.h"
#include "resources/CommandIds.h"
#include "ui/EndgameDatabase.h"
#include "ui/Graphics.h"
#include "ui/Thinking.h"
#include "ui/VarekApp.h"
#include "ui/VarekWindow.h"

using namespace CommandId;

class TRecordingDesktop : public TDesktop {
 public:
  struct TMessage {
    std::string Text, Caption;
    unsigned Type;
    bool OnShownWindow = false;  // owned by a window on the screen, so it sits on it
  };
  std::vector<TMessage> Messages;
  std::vector<unsigned> Beeps;
  std::vector<int> Dialogs;
  int MessageAnswer = IDOK;
  // Runs while a modal dialog is "open" (the real one would run its own loop).
  std::function<void()> WhileDialogOpen;

  int ShowMessageBox(TWindow* owner, const std::string& text, const std::string& caption, unsigned type) override {
    Messages.push_back({text, caption, type, ShownOnScreen(owner)});
    return MessageAnswer;
  }
  int RunFileDialog(TWindow*, TFileDialogKind, TOpenSaveDialog::TData&) override { return IDCANCEL; }
  int RunDialog(TWindow*, int resId) override {
    Dialogs.push_back(resId);
    if (WhileDialogOpen) WhileDialogOpen();
    return IDOK;
  }
  void Beep(unsigned type) override { Beeps.push_back(type); }
};

class UiTest : public ::testing::Test {
 protected:
  static constexpr int ClientWidth = 640;
  static constexpr int ClientHeight = 480;

  void SetUp() override {
    TSettings().Clear();  // each test starts from the program's first run
    SetDesktop(&desktop);
    StartApplication();
  }

  // A fresh run of the program (after app.reset(), a second one).
  void StartApplication() {
    app = std::make_unique<TVarekApp>();
    app->InitInstance();
    frame = app->GetMainWindow();
    window = static_cast<TVarekWindow*>(frame->GetClientWindow());
    window->EndgameDatabase().FinishLoading();
    window->AnimationScale = animationScale;
    // The tests of thinking want a search from the start, not a book move;
    // the book's own test puts it back.
    window->OpeningBookOff = true;
    frame->SetClientSize(ClientWidth, ClientHeight);
    ProcessEvents();
    window->UpdateWindow();
  }

  void TearDown() override {
    app.reset();
    SetDesktop(nullptr);
  }

  // Puts `pieces` ({index, code}...) on an empty board with `side` to move.
  void SetPosition(std::initializer_list<std::pair<int, int>> pieces, TPlayer side) {
    for (int i = 0; i < BoardSize; ++i) window->GameStatus.Board[i] = IsPlayable(i) ? Empty : OffBoard;
    for (auto [index, code] : pieces) window->GameStatus.Board[index] = code;
    window->GameStatus.SideToMove = side;
    window->GameStatus.SetPossibleStart();
    window->GameRecord.InitGame(window->GameStatus.Board, side);
  }

  // The pauses of the moves shown, times their length: 0, the default here,
  // shows a move at once, so that a test's press has played it when it returns.
  void SetAnimationScale(double scale) {
    animationScale = scale;
    if (window) window->AnimationScale = scale;
  }
  // What the menu shows for a command now.
  bool Enabled(int id) {
    frame->EnableCommands();
    return frame->IsCommandEnabled(id);
  }
  bool Checked(int id) {
    frame->EnableCommands();
    return frame->IsCommandChecked(id);
  }
  bool WaitUntilIdle(int ms = 30000) {
    return ProcessEventsUntil([this] { return !window->Busy(); }, ms);
  }

  // The middle of a playable square in the window.
  TPoint Centre(int index) const {
    const TGraphics& g = window->Graphics;
    return TPoint(g.SquareX[index] + g.SquareSize / 2, g.SquareY[index] + g.SquareSize / 2);
  }
  // Redraws the whole window after the test changed the game behind its back.
  void Repaint() {
    window->Invalidate(true);
    window->UpdateWindow();
  }
  std::string StatusText() const { return frame->GetStatusBar()->GetText(); }
  // The computer's progress fields beside the message area: its best move, then the figures.
  std::string ProgressText() const {
    const TStatusBar& bar = *frame->GetStatusBar();
    return bar.GetFieldText(0) + " | " + bar.GetFieldText(1);
  }

  TRecordingDesktop desktop;
  double animationScale = 0;
  std::unique_ptr<TVarekApp> app;
  TDecoratedFrame* frame = nullptr;
  TVarekWindow* window = nullptr;
};
