#include "ui/VarekWindow.h"

#include <algorithm>
#include <utility>

#include "engine/GameState.h"
#include "engine/MoveGenerator.h"
#include "framework/Settings.h"
#include "framework/UiThread.h"
#include "game/Game.h"
#include "ui/Graphics.h"
#include "ui/Thinking.h"

TVarekWindow* MainWindowPtr = nullptr;

namespace {
// Where the Square Numbers switch is remembered.
constexpr const char* SquareNumbersKey = "Board/SquareNumbers";
}  // namespace
TStatusBar* StatusBar = nullptr;

using W = TVarekWindow;
const TResponseEntry<TVarekWindow> TVarekWindow::ResponseTable[67] = {
    EvMessage<W>(WM_LBUTTONDBLCLK, &W::EvLButtonDblClk),
    EvMessage<W>(WM_RBUTTONDBLCLK, &W::EvRButtonDblClk),
    EvMessage<W>(WM_LBUTTONDOWN, &W::EvLButtonDown),
    EvMessage<W>(WM_RBUTTONDOWN, &W::EvRButtonDown),
    EvMessage<W>(WM_MOUSEMOVE, &W::EvMouseMove),
    EvMessage<W>(WM_LBUTTONUP, &W::EvLButtonUp),
    EvSizeMessage<W>(&W::EvSize),

    EvCommand<W>(102, &W::CmFileNew),
    EvCommand<W>(103, &W::CmFileOpen),
    EvCommand<W>(104, &W::CmFileSave),
    EvCommand<W>(105, &W::CmFileSaveAs),
    EvCommand<W>(106, &W::CmFileExit),
    EvCommand<W>(252, &W::CmOptionsSound),
    EvCommand<W>(122, &W::CmActionComputerGo),
    EvCommand<W>(123, &W::CmActionForceMove),
    EvCommand<W>(115, &W::CmMovesUndo),
    EvCommand<W>(116, &W::CmMovesRedo),
    EvCommand<W>(117, &W::CmMovesUndoAll),
    EvCommand<W>(118, &W::CmMovesRedoAll),
    EvCommand<W>(112, &W::CmMovesNormalPlay),
    EvCommand<W>(113, &W::CmMovesTwoPlayer),
    EvCommand<W>(114, &W::CmMovesAutoPlay),
    EvCommand<W>(151, &W::CmBoardInvertBoard),
    EvCommand<W>(157, &W::CmBoardSquareNumbers),
    EvCommand<W>(152, &W::CmBoardSetup),
    EvCommand<W>(153, &W::CmBoardStarting),
    EvCommand<W>(154, &W::CmBoardClear),
    EvCommand<W>(155, &W::CmBoardBTurn),
    EvCommand<W>(156, &W::CmBoardWTurn),
    EvCommand<W>(253, &W::CmOptionsLevel0),
    EvCommand<W>(254, &W::CmOptionsLevel1),
    EvCommand<W>(255, &W::CmOptionsLevel2),
    EvCommand<W>(256, &W::CmOptionsLevel3),
    EvCommand<W>(257, &W::CmOptionsLevel4),
    EvCommand<W>(258, &W::CmOptionsLevel5),
    EvCommand<W>(259, &W::CmOptionsLevel6),
    EvCommand<W>(260, &W::CmOptionsLevel7),
    EvCommand<W>(301, &W::CmAbout),

    EvCommandEnable<W>(102, &W::CeNotThinking),
    EvCommandEnable<W>(103, &W::CeNotThinking),
    EvCommandEnable<W>(104, &W::CeNotThinking),
    EvCommandEnable<W>(105, &W::CeNotThinking),
    EvCommandEnable<W>(122, &W::CeNotThinking),
    EvCommandEnable<W>(123, &W::CeThinking),
    EvCommandEnable<W>(115, &W::CeMovesUndo),
    EvCommandEnable<W>(116, &W::CeMovesRedo),
    EvCommandEnable<W>(117, &W::CeMovesUndo),
    EvCommandEnable<W>(118, &W::CeMovesRedo),
    EvCommandEnable<W>(112, &W::CeMovesNormalPlay),
    EvCommandEnable<W>(113, &W::CeMovesTwoPlayer),
    EvCommandEnable<W>(114, &W::CeMovesAutoPlay),
    EvCommandEnable<W>(151, &W::CeNotThinking),
    EvCommandEnable<W>(157, &W::CeBoardSquareNumbers),
    EvCommandEnable<W>(152, &W::CeBoardSetup),
    EvCommandEnable<W>(153, &W::CeBoardStarting),
    EvCommandEnable<W>(154, &W::CeBoardClear),
    EvCommandEnable<W>(155, &W::CeBoardBTurn),
    EvCommandEnable<W>(156, &W::CeBoardWTurn),
    EvCommandEnable<W>(252, &W::CeOptionsSound),
    EvCommandEnable<W>(253, &W::CeOptionsLevel0),
    EvCommandEnable<W>(254, &W::CeOptionsLevel1),
    EvCommandEnable<W>(255, &W::CeOptionsLevel2),
    EvCommandEnable<W>(256, &W::CeOptionsLevel3),
    EvCommandEnable<W>(257, &W::CeOptionsLevel4),
    EvCommandEnable<W>(258, &W::CeOptionsLevel5),
    EvCommandEnable<W>(259, &W::CeOptionsLevel6),
    EvCommandEnable<W>(260, &W::CeOptionsLevel7),
};

TVarekWindow::TVarekWindow(TWindow* parent) : TWindow(parent, nullptr) {
  Untitled = true;
  GameChanged = false;
  FileData = new TOpenSaveDialog::TData(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Checkers Game (*.vrk)|*.vrk|",
                                        nullptr, "", "vrk");
  SetBkgndColor(TColor(128, 128, 128));
  MainWindowPtr = this;
  TMoveGenerator::InitBoard(GameStatus.Board);
  GameRecord.InitGame(GameStatus.Board, Black);
  Driver.MarkedFrom = Driver.MarkedTo = 0;
  Driver.ShowNumbers = TSettings().ReadBool(SquareNumbersKey, false);
}

TVarekWindow::~TVarekWindow() {
  // The computer's thread draws on this window: it must be gone first.
  StopThinkingMove();
  if (MainWindowPtr == this) MainWindowPtr = nullptr;
  delete FileData;
}

bool TVarekWindow::Find(TEventInfo& info) {
  if (!SearchResponseTable(this, ResponseTable, info)) return TWindow::Find(info);
  // A command key pressed while a piece is dragged ends the drag first, so that
  // no move chosen for the old position is dropped on a changed board.
  if (info.Kind == TEventKind::Command)
    info.Handler = [this, handler = std::move(info.Handler)] {
      CancelDrag();
      handler();
    };
  return true;
}

void TVarekWindow::Paint(TDC& dc, bool erase, TRect& rect) {
  TWindow::Paint(dc, erase, rect);
  Driver.SetScale(Attr.W, Attr.H);
  const int* last = GameRecord.Position > 0 ? GameRecord.Cursor->Move : nullptr;
  Driver.MarkedFrom = last ? last[0] : 0;
  Driver.MarkedTo = last ? MoveDestination(last) : 0;
  Driver.DrawBoard(dc);
}

void TVarekWindow::ShowLastMove() {
  RunOnUiThread([this] {
    const int* last = GameRecord.Position > 0 ? GameRecord.Cursor->Move : nullptr;
    const int from = last ? last[0] : 0, to = last ? MoveDestination(last) : 0;
    if (from == Driver.MarkedFrom && to == Driver.MarkedTo) return;
    const int changed[4] = {Driver.MarkedFrom, Driver.MarkedTo, from, to};
    Driver.MarkedFrom = from;
    Driver.MarkedTo = to;
    Draw([&](TDC& dc) {
      for (int square : changed)
        if (square != 0) Driver.RedrawSquare(dc, square);
    });
  });
}

void TVarekWindow::EvSize(unsigned sizeType, const TSize& size) {
  TWindow::EvSize(sizeType, size);
  if (sizeType == SIZE_RESTORED) Invalidate(true);
}

void TVarekWindow::CmBoardInvertBoard() {
  GameStatus.Inverted = !GameStatus.Inverted;
  Invalidate(true);
}

void TVarekWindow::CmBoardSquareNumbers() {
  Driver.ShowNumbers = !Driver.ShowNumbers;
  TSettings().WriteBool(SquareNumbersKey, Driver.ShowNumbers);
  Invalidate(true);
}

void TVarekWindow::CeBoardSquareNumbers(TCommandEnabler& ce) {
  ce.SetCheck(Driver.ShowNumbers ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

void TVarekWindow::Draw(const std::function<void(TDC&)>& drawing) {
  RunOnUiThread([&] {
    TClientDC dc(*this);
    drawing(dc);
  });
}

void TVarekWindow::UpdateBoard(const int* previous) {
  Draw([&](TDC& dc) {
    for (int i = FirstSquare; i <= LastSquare; ++i) {
      if (GameStatus.Board[i] == previous[i]) continue;
      if (previous[i] < Empty) Driver.EraseSquare(dc, i);
      Driver.DrawPiece(i, dc, GameStatus.Board[i]);
    }
  });
}

namespace {
// The computer's last move is not shown slowly while the program closes.
void AnimationPause(int ms) {
  if (!GameStatus.QuitSearch) Pause(ms);
}
}  // namespace

void TVarekWindow::MakeMoveShowMove(const int* move) {
  int piece = Empty;
  RunOnUiThread([&] { piece = GameStatus.Board[move[0]]; });
  const int length = MoveLength(move);
  if (length == 2) {
    const int shown = IsMan(piece) && IsCrowningRow(move[1]) ? piece - 2 : piece;
    Draw([&](TDC& dc) {
      Driver.EraseSquare(dc, move[0]);
      Driver.DrawPiece(move[1], dc, shown);
    });
    AnimationPause(500);
  } else {
    int at = move[0];
    for (int k = 1; k + 1 < length; k += 2) {
      const int captured = move[k], landing = move[k + 1];
      if (IsMan(piece) && IsCrowningRow(landing)) piece -= 2;
      Draw([&](TDC& dc) {
        Driver.EraseSquare(dc, at);
        Driver.DrawPiece(landing, dc, piece);
      });
      AnimationPause(250);
      Draw([&](TDC& dc) { Driver.EraseSquare(dc, captured); });
      AnimationPause(250);
      at = landing;
    }
  }
  RunOnUiThread([&] { TMoveGenerator::MakeMove(move, GameStatus.Board); });
}
