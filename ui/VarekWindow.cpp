#include "ui/VarekWindow.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/GameState.h"
#include "engine/MoveGenerator.h"
#include "framework/Frame.h"
#include "framework/MoveListPanel.h"
#include "framework/ScoreGraph.h"
#include "framework/Timer.h"
#include "framework/Settings.h"
#include "framework/StatusBar.h"
#include "game/Game.h"
#include "resources/CommandIds.h"
#include "ui/GameOver.h"
#include "ui/Graphics.h"
#include "ui/MoveListView.h"
#include "ui/Progress.h"
#include "ui/Thinking.h"
#include "ui/WindowSettings.h"

using W = TVarekWindow;
const TResponseEntry<TVarekWindow> TVarekWindow::ResponseTable[] = {
    EvMessage<W>(WM_LBUTTONDBLCLK, &W::EvLButtonDblClk),
    EvMessage<W>(WM_RBUTTONDBLCLK, &W::EvRButtonDblClk),
    EvMessage<W>(WM_LBUTTONDOWN, &W::EvLButtonDown),
    EvMessage<W>(WM_RBUTTONDOWN, &W::EvRButtonDown),
    EvMessage<W>(WM_MOUSEMOVE, &W::EvMouseMove),
    EvMessage<W>(WM_LBUTTONUP, &W::EvLButtonUp),
    EvSizeMessage<W>(&W::EvSize),

    EvCommand<W>(CommandId::CmFileNew, &W::CmFileNew),
    EvCommand<W>(CommandId::CmFileOpen, &W::CmFileOpen),
    EvCommand<W>(CommandId::CmFileSave, &W::CmFileSave),
    EvCommand<W>(CommandId::CmFileSaveAs, &W::CmFileSaveAs),
    EvCommand<W>(CommandId::CmFileExit, &W::CmFileExit),
    EvCommand<W>(CommandId::CmOptionsSound, &W::CmOptionsSound),
    EvCommand<W>(CommandId::CmActionComputerGo, &W::CmActionComputerGo),
    EvCommand<W>(CommandId::CmActionForceMove, &W::CmActionForceMove),
    EvCommand<W>(CommandId::CmMovesUndo, &W::CmMovesUndo),
    EvCommand<W>(CommandId::CmMovesRedo, &W::CmMovesRedo),
    EvCommand<W>(CommandId::CmMovesUndoAll, &W::CmMovesUndoAll),
    EvCommand<W>(CommandId::CmMovesRedoAll, &W::CmMovesRedoAll),
    EvCommand<W>(CommandId::CmMovesNormalPlay, &W::CmMovesNormalPlay),
    EvCommand<W>(CommandId::CmMovesTwoPlayer, &W::CmMovesTwoPlayer),
    EvCommand<W>(CommandId::CmMovesAutoPlay, &W::CmMovesAutoPlay),
    EvCommand<W>(CommandId::CmBoardInvertBoard, &W::CmBoardInvertBoard),
    EvCommand<W>(CommandId::CmBoardSquareNumbers, &W::CmBoardSquareNumbers),
    EvCommand<W>(CommandId::CmBoardSetup, &W::CmBoardSetup),
    EvCommand<W>(CommandId::CmBoardStarting, &W::CmBoardStarting),
    EvCommand<W>(CommandId::CmBoardClear, &W::CmBoardClear),
    EvCommand<W>(CommandId::CmBoardBTurn, &W::CmBoardBTurn),
    EvCommand<W>(CommandId::CmBoardWTurn, &W::CmBoardWTurn),
    EvCommandRange<W>(CommandId::CmOptionsLevel0, CommandId::CmOptionsLevel7, &W::CmOptionsLevel),
    EvCommandRange<W>(CommandId::CmOptionsClock0, CommandId::CmOptionsClock4, &W::CmOptionsClock),
    EvCommand<W>(CommandId::CmMovesAnalyseGame, &W::CmMovesAnalyseGame),
    EvCommand<W>(CommandId::CmAbout, &W::CmAbout),
    EvCommand<W>(CommandId::CmFileImportPdn, &W::CmFileImportPdn),
    EvCommand<W>(CommandId::CmFileExportPdn, &W::CmFileExportPdn),
    EvCommand<W>(CommandId::CmActionHint, &W::CmActionHint),
    EvCommand<W>(CommandId::CmViewMoveList, &W::CmViewMoveList),

    EvCommandEnable<W>(CommandId::CmFileNew, &W::CeNotThinking),
    EvCommandEnable<W>(CommandId::CmFileOpen, &W::CeNotThinking),
    EvCommandEnable<W>(CommandId::CmFileSave, &W::CeNotThinking),
    EvCommandEnable<W>(CommandId::CmFileSaveAs, &W::CeNotThinking),
    EvCommandEnable<W>(CommandId::CmActionComputerGo, &W::CeNotThinking),
    EvCommandEnable<W>(CommandId::CmActionForceMove, &W::CeThinking),
    EvCommandEnable<W>(CommandId::CmMovesUndo, &W::CeMovesUndo),
    EvCommandEnable<W>(CommandId::CmMovesRedo, &W::CeMovesRedo),
    EvCommandEnable<W>(CommandId::CmMovesUndoAll, &W::CeMovesUndo),
    EvCommandEnable<W>(CommandId::CmMovesRedoAll, &W::CeMovesRedo),
    EvCommandEnable<W>(CommandId::CmMovesNormalPlay, &W::CeMovesNormalPlay),
    EvCommandEnable<W>(CommandId::CmMovesTwoPlayer, &W::CeMovesTwoPlayer),
    EvCommandEnable<W>(CommandId::CmMovesAutoPlay, &W::CeMovesAutoPlay),
    EvCommandEnable<W>(CommandId::CmBoardInvertBoard, &W::CeNotThinking),
    EvCommandEnable<W>(CommandId::CmBoardSquareNumbers, &W::CeBoardSquareNumbers),
    EvCommandEnable<W>(CommandId::CmBoardSetup, &W::CeBoardSetup),
    EvCommandEnable<W>(CommandId::CmBoardStarting, &W::CeBoardStarting),
    EvCommandEnable<W>(CommandId::CmBoardClear, &W::CeBoardClear),
    EvCommandEnable<W>(CommandId::CmBoardBTurn, &W::CeBoardBTurn),
    EvCommandEnable<W>(CommandId::CmBoardWTurn, &W::CeBoardWTurn),
    EvCommandEnable<W>(CommandId::CmOptionsSound, &W::CeOptionsSound),
    EvCommandEnable<W>(CommandId::CmFileImportPdn, &W::CeNotThinking),
    EvCommandEnable<W>(CommandId::CmFileExportPdn, &W::CeNotThinking),
    EvCommandEnable<W>(CommandId::CmActionHint, &W::CeActionHint),
    EvCommandEnable<W>(CommandId::CmViewMoveList, &W::CeViewMoveList),
    EvCommandEnableRange<W>(CommandId::CmOptionsLevel0, CommandId::CmOptionsLevel7, &W::CeOptionsLevel),
    EvCommandEnableRange<W>(CommandId::CmOptionsClock0, CommandId::CmOptionsClock4, &W::CeOptionsClock),
    EvCommandEnable<W>(CommandId::CmMovesAnalyseGame, &W::CeMovesAnalyseGame),
};

TVarekWindow::TVarekWindow(TWindow* parent)
    : TWindow(parent, nullptr),
      PdnData(OFN_HIDEREADONLY, "PDN Games (*.pdn)|*.pdn|", nullptr, "", "pdn"),
      UserSide(Black),
      ClockTime(SteadyMilliseconds),
      computer_([this](const TSearchResult& result) { SearchDone(result); },
                [this](const std::string& line) { progress_.Progress(line.c_str()); }) {
  computer_.LineHandler = [this](const TComputerLine& line) { HintLine(line); };
  Untitled = true;
  GameChanged = false;
  FileData = new TOpenSaveDialog::TData(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Checkers Game (*.vrk)|*.vrk|",
                                        nullptr, "", "vrk");
  SetBkgndColor(TColor(128, 128, 128));
  GameRecord.InitGame(GameStatus.Board, Black);
  Graphics.ShowNumbers = TSettings().ReadBool(SettingSquareNumbers, false);
}

// The computer's thread, if any, is stopped and joined with computer_; what
// it found and a move being shown are dropped with the window.
TVarekWindow::~TVarekWindow() { delete FileData; }

bool TVarekWindow::Find(TEventInfo& info) {
  if (!SearchResponseTable(this, ResponseTable, info)) return TWindow::Find(info);
  // A command key pressed while a piece is dragged ends the drag first, so that
  // no move chosen for the old position is dropped on a changed board.
  // A hint's marks last until the next command.
  if (info.Kind == TEventKind::Command)
    info.Handler = [this, handler = std::move(info.Handler)] {
      CancelDrag();
      ClearHint();
      handler();
    };
  return true;
}

void TVarekWindow::Paint(TDC& dc, bool erase, TRect& rect) {
  TWindow::Paint(dc, erase, rect);
  Graphics.SetScale(Attr.W, Attr.H, GameStatus.Inverted);
  const int* last = GameRecord.Position > 0 ? GameRecord.Cursor->Move : nullptr;
  Graphics.MarkedFrom = last ? last[0] : 0;
  Graphics.MarkedTo = last ? MoveDestination(last) : 0;
  Graphics.DrawBoard(dc, ShownBoard());
  DrawAnalysisBest(dc);
  DrawHint(dc);
}

const int* TVarekWindow::ShownBoard() const {
  return animation_.Running() ? animation_.Shown().data() : GameStatus.Board;
}

void TVarekWindow::ShowLastMove() {
  const int* last = GameRecord.Position > 0 ? GameRecord.Cursor->Move : nullptr;
  const int from = last ? last[0] : 0, to = last ? MoveDestination(last) : 0;
  if (from == Graphics.MarkedFrom && to == Graphics.MarkedTo) return;
  const std::array<int, 4> changed{Graphics.MarkedFrom, Graphics.MarkedTo, from, to};
  Graphics.MarkedFrom = from;
  Graphics.MarkedTo = to;
  Draw([&](TDC& dc) {
    for (int square : changed)
      if (square != 0) Graphics.RedrawSquare(dc, square, ShownBoard()[square]);
  });
}

TStatusBar* TVarekWindow::StatusBar() const { return GetFrame() ? GetFrame()->GetStatusBar() : nullptr; }

void TVarekWindow::ShowStatus(const std::string& text) {
  if (TStatusBar* bar = StatusBar()) bar->SetText(text.c_str());
}

void TVarekWindow::ForgetLastGame() {
  imported_.reset();
  progress_.Clear();
  ClearAnalysis();
  ResetClocks();
}

bool TVarekWindow::Thinking() const { return GameStatus.Thinking; }

void TVarekWindow::EvSize(unsigned sizeType, const TSize& size) {
  TWindow::EvSize(sizeType, size);
  if (sizeType == SIZE_RESTORED) Invalidate(true);
}


void TVarekWindow::Draw(const std::function<void(TDC&)>& drawing) {
  TClientDC dc(*this);
  drawing(dc);
}

void TVarekWindow::UpdateBoard(const int* previous) { ShowChanges(previous, GameStatus.Board); }

void TVarekWindow::ShowChanges(const int* before, const int* now) {
  Draw([&](TDC& dc) {
    for (int i = FirstSquare; i <= LastSquare; ++i) {
      if (now[i] == before[i]) continue;
      if (before[i] < Empty) Graphics.EraseSquare(dc, i);
      Graphics.DrawPiece(i, dc, now[i]);
    }
  });
}

bool TVarekWindow::Busy() const { return GameStatus.Thinking || animation_.Running(); }

void TVarekWindow::MakeMoveShowMove(const int* move, std::function<void()> then) {
  int played[MoveBufferSize];
  Status_Of_The_Game::CopyMove(played, move);
  // The last move of a closing program is not shown slowly.
  const double scale = closing_ ? 0.0 : AnimationScale;
  animation_.Start(
      GameStatus.Board, move, scale,
      [this](const TMoveAnimation::TBoardPicture& before, const TMoveAnimation::TBoardPicture& now) {
        ShowChanges(before.data(), now.data());
      },
      [this, played = std::to_array(played), then = std::move(then)] {
        TMoveGenerator::MakeMove(played.data(), GameStatus.Board);
        if (then) then();
      });
}

void TVarekWindow::PlayMove(const int* move, bool byUser) {
  int played[MoveBufferSize];
  Status_Of_The_Game::CopyMove(played, move);
  // The mover's time ends with the choice; one that had run out plays nothing.
  if (!ClockMoveChosen()) {
    if (!byUser) EndComputerRun();
    return;
  }
  // Changed already while it is shown, so a close meanwhile asks about saving.
  GameChanged = true;
  MakeMoveShowMove(played, [this, played = std::to_array(played), byUser] { MovePlayed(played.data(), byUser); });
}

void TVarekWindow::MovePlayed(const int* move, bool byUser) {
  GameRecord.AddMove(move);
  ShowLastMove();
  if (byUser) UserSide = GameStatus.SideToMove;
  GameStatus.SideToMove = 1 - GameStatus.SideToMove;
  // A side that cannot move has lost; otherwise a draw is told. Either way
  // the computer does not play on by itself.
  const char* over = GameOverText(GameStatus.Board, GameStatus.SideToMove);
  const bool drawn = !over && NoticeDraw();
  if (over) AnnounceGameOver(over);
  const bool goesOn = !over && !drawn;
  ClockMovePlayed(!goesOn);
  if (byUser) {
    if (goesOn && GameStatus.PlayMode == TPlayMode::NormalPlay)
      StartThinkingMove();
    else
      GameStatus.SetPossibleStart();
    return;
  }
  // Force Move pressed during the search or while the move was shown ends Auto Play here.
  if (goesOn && GameStatus.PlayMode == TPlayMode::AutoPlay && !computer_.Control.StopRequested() && StartSearch(TRun::Move)) return;
  EndComputerRun();
}
