#include "ui/Thinking.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "engine/GameState.h"
#include "engine/MoveGenerator.h"
#include "framework/Dialogs.h"
#include "framework/StatusBar.h"
#include "framework/UiThread.h"
#include "game/Game.h"
#include "search/Searcher.h"
#include "ui/GameOver.h"
#include "ui/Levels.h"
#include "ui/Progress.h"
#include "ui/VarekWindow.h"

namespace {

// The one computer's thread; joined before another starts and when the window goes.
class TComputerThread {
 public:
  ~TComputerThread() {
    if (thread_.joinable()) {
      GameStatus.QuitSearch = true;
      GameStatus.StopSearch = true;
      thread_.join();
    }
  }
  void Start() {
    Join();
    thread_ = std::thread(thread_code, nullptr);
  }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
};

TComputerThread ComputerThread;

}  // namespace

void StartThinkingMove() {
  RequireUiThread("StartThinkingMove");
  bool idle = false;
  if (!GameStatus.Thinking.compare_exchange_strong(idle, true)) return;
  // A stop asked for during an earlier search is over; a forced move is
  // answered without a search, which would not clear it.
  GameStatus.StopSearch = false;
  GameStatus.MoveAvailable = false;
  try {
    ComputerThread.Start();
  } catch (const std::system_error&) {
    GameStatus.Thinking = false;
    MessageBox(nullptr, "Couldn't create thread", "Varek", MB_OKCANCEL);
  }
}

// Everything the thread reads or changes of the game and the window is done
// on the UI thread (RunOnUiThread); the search itself works on its own copy.
void thread_code(void*) {
  int board[BoardSize];
  int move[MoveBufferSize];
  for (bool firstTurn = true;; firstTurn = false) {
    // Force Move pressed between two moves of Auto Play ends it here, before
    // the next search would clear the request.
    if (!firstTurn && (GameStatus.StopSearch || GameStatus.QuitSearch)) break;
    TPlayer side = Black;
    int timeLimit = 0, hardLimit = 0;
    RunOnUiThread([&] {
      side = static_cast<TPlayer>(GameStatus.SideToMove);
      std::copy(GameStatus.Board, GameStatus.Board + BoardSize, board);
      timeLimit = GameStatus.TimeLimit;
      hardLimit = LevelHardLimitMs(GameStatus.Level);
    });
    if (const char* over = GameOverText(board, side)) {
      AnnounceGameOver(over);
      break;
    }
    RunOnUiThread([] {
      GameStatus.DragState = 0;
      if (MainWindowPtr) MainWindowPtr->SetCursor(nullptr, IDC_ARROW);
      ProgressClockStarted();
    });

    TSearcher.TimeLimit = timeLimit;
    TSearcher.HardLimitMs = hardLimit;
    TSearcher.GetComputerMoveHash(board, side, move);

    RunOnUiThread([&] {
      ProgressClockStopped();
      ShowComputerResult(TSearcher.InfoText);
      if (GameStatus.Sound) MessageBeep(MB_ICONASTERISK);
    });
    if (MainWindowPtr) MainWindowPtr->MakeMoveShowMove(move);

    const char* over = nullptr;
    bool autoPlay = false;
    RunOnUiThread([&] {
      if (MainWindowPtr) MainWindowPtr->GameChanged = true;
      GameRecord.AddMove(move);
      if (MainWindowPtr) MainWindowPtr->ShowLastMove();
      GameStatus.SideToMove = 1 - GameStatus.SideToMove;
      over = GameOverText(GameStatus.Board, GameStatus.SideToMove);
      autoPlay = GameStatus.PlayMode == 0;
    });
    if (over) {
      AnnounceGameOver(over);
      break;
    }
    if (!autoPlay || GameStatus.StopSearch || GameStatus.QuitSearch) break;
  }
  RunOnUiThread([] {
    GameStatus.PlayMode = 1;
    GameStatus.SetPossibleStart();
  });
  GameStatus.Thinking = false;
  WakeUiThread();  // a close may be waiting for the flag
}

void StopThinkingMove() {
  RequireUiThread("StopThinkingMove");
  if (GameStatus.Thinking) {
    GameStatus.QuitSearch = true;
    GameStatus.StopSearch = true;
    WaitWhile([] { return GameStatus.Thinking.load(); });
  }
  ComputerThread.Join();
  GameStatus.QuitSearch = false;
}
