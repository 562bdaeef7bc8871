// The computer's moves in the board window: each search request built from
// the game on the UI thread, its result played through the same path as the
// user's moves, Auto Play's next request started from here, and Computer Go
// and Force Move.
#include <algorithm>

#include "framework/Dialogs.h"
#include "game/Game.h"
#include "search/Book.h"
#include "search/Levels.h"
#include "ui/EndgameDatabase.h"
#include "ui/GameOver.h"
#include "ui/Progress.h"
#include "ui/VarekWindow.h"

// The request for the side to move, at the current level.
TSearchRequest TVarekWindow::CurrentSearchRequest() const {
  TSearchRequest request;
  std::copy(GameStatus.Board, GameStatus.Board + BoardSize, request.Board.begin());
  request.Side = static_cast<TPlayer>(GameStatus.SideToMove);
  request.Limits = LevelLimits(GameStatus.Level);
  request.Limits.Seconds = GameStatus.TimeLimit;
  request.Limits.Book = GameStatus.Level > 0;  // the opening book at every level but the lowest
  request.History = GameHistory(GameRecord);
  return request;
}

void TVarekWindow::StartThinkingMove() {
  if (Busy()) return;
  if (lostOnTime_ >= 0) {
    ShowStatus(GameOverOnTime());
    GameStatus.PlayMode = TPlayMode::NormalPlay;
    GameStatus.SetPossibleStart();
    return;
  }
  if (const char* over = GameOverText(GameStatus.Board, GameStatus.SideToMove)) {
    AnnounceGameOver(over);
    GameStatus.PlayMode = TPlayMode::NormalPlay;
    GameStatus.SetPossibleStart();
    return;
  }
  // A stop asked for during an earlier run is over. Within this run nothing
  // clears it again: one Force Move press ends Auto Play, whenever it comes.
  computer_.Control.StopRequest = false;
  StartSearch(TRun::Move);
}

bool TVarekWindow::StartSearch(TRun run) {
  TSearchRequest request = CurrentSearchRequest();
  const TTimeControl& control = clock_.Control();
  if (run == TRun::Move && control.Timed() && lostOnTime_ < 0) {
    // On a clock the computer allots itself a share of what its clock has left.
    const auto side = static_cast<TPlayer>(GameStatus.SideToMove);
    const bool book = request.Limits.Book;
    request.Limits = TSearchLimits::Clock(static_cast<double>(clock_.Remaining(side, ClockTime())) / 1000,
                                          control.Increment, clock_.MovesToGo(side));
    request.Limits.Book = book;
  }
  if (run == TRun::Hint) request.Limits.MultiPv = HintLines;
  return StartRequest(run, std::move(request));
}

bool TVarekWindow::StartRequest(TRun run, TSearchRequest request) {
  endgameDatabase_.FinishLoading();  // the computer plays with the database from its first move
  computer_.Engine().SetDatabase(endgameDatabase_.Loaded());
  computer_.Engine().SetBook(OpeningBookOff ? nullptr : DefaultBook());
  hintLines_.clear();
  if (!computer_.Start(std::move(request))) {
    MessageBox(nullptr, "Couldn't create thread", "Varek", MB_OKCANCEL);
    return false;
  }
  run_ = run;
  GameStatus.Thinking = true;
  if (run == TRun::Move) {
    GameStatus.DragState = TDragState::None;
    SetCursor(nullptr, IDC_ARROW);
  }
  progress_.ClockStarted();  // a hint's seconds count from its own search too
  return true;
}

void TVarekWindow::SearchDone(const TSearchResult& result) {
  progress_.ClockStopped();
  if (run_ == TRun::Analysis) {
    AnalysisDone(result);
    return;
  }
  if (run_ == TRun::Hint) {
    // Closing stopped the search for good: its move is no advice.
    if (!closing_) ShowHint(result.Move.data(), result.Report, HintLinesText(result));
    run_ = TRun::None;
    GameStatus.Thinking = false;
    return;
  }
  if (lostOnTime_ >= 0) {  // its flag fell while it thought: the move is not played
    EndComputerRun();
    return;
  }
  progress_.Result(result.Report);
  if (GameStatus.Sound) MessageBeep(MB_ICONASTERISK);
  PlayMove(result.Move.data(), false);
}

void TVarekWindow::EndComputerRun() {
  run_ = TRun::None;
  GameStatus.PlayMode = TPlayMode::NormalPlay;
  GameStatus.SetPossibleStart();
  GameStatus.Thinking = false;
}

void TVarekWindow::StopThinkingMove() {
  RequireUiThread("TVarekWindow::StopThinkingMove");
  // A move under way may lead to another search (the user's move, answered
  // at once): each is stopped in turn until nothing is left.
  closing_ = true;
  while (Busy()) {
    computer_.Stop();
    animation_.Finish();
  }
  computer_.ClearLastingStop();
  closing_ = false;
}

void TVarekWindow::CmActionComputerGo() {
  if (Busy()) return;
  GameStatus.SetupMode = false;
  StartThinkingMove();
}

void TVarekWindow::CmActionForceMove() {
  // Kept until the computer's run ends: a press before the search holds a move
  // stops it as soon as it has one, a press between two moves ends Auto Play.
  if (GameStatus.Thinking) computer_.Control.StopRequest = true;
}

void TVarekWindow::CeThinking(TCommandEnabler& ce) { ce.Enable(Thinking()); }
