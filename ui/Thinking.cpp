#include "ui/Thinking.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/GameState.h"
#include "engine/MoveGenerator.h"
#include "framework/Dialogs.h"
#include "framework/StatusBar.h"
#include "framework/UiThread.h"
#include "game/Game.h"
#include "ui/EndgameDatabase.h"
#include "ui/GameOver.h"
#include "ui/Levels.h"
#include "ui/Progress.h"
#include "ui/VarekApp.h"
#include "ui/VarekWindow.h"

TSearchControl ComputerControl;

TEngine& ComputerEngine() {
  static TEngine engine;
  return engine;
}

TComputerThread::~TComputerThread() { Stop(); }

void TComputerThread::Start(std::function<void()> body) {
  if (thread_.joinable()) thread_.join();  // the last run has ended: Thinking was clear
  thread_ = std::thread(std::move(body));
}

void TComputerThread::Stop() {
  RequireUiThread("TComputerThread::Stop");
  if (GameStatus.Thinking) {
    ComputerControl.LastingStop = true;
    // The thread hands its last changes to this thread: serve them.
    WaitWhile([] { return GameStatus.Thinking.load(); });
  }
  if (thread_.joinable()) thread_.join();
  ComputerControl.LastingStop = false;
}

namespace {
TComputerThread* RunningApplicationsThread() {
  auto* app = dynamic_cast<TVarekApp*>(TApplication::Current());
  return app ? &app->ComputerThread : nullptr;
}
}  // namespace

bool StartComputerThread(std::function<void()> body) {
  RequireUiThread("StartComputerThread");
  bool idle = false;
  if (!GameStatus.Thinking.compare_exchange_strong(idle, true)) return false;
  // A stop asked for during an earlier run is over. Within this run nothing
  // clears it again: one Force Move press ends Auto Play, whenever it comes.
  ComputerControl.StopRequest = false;
  ComputerControl.MoveAvailable = false;
  FinishLoadingEndgameDatabase();  // the computer plays with the database from its first move
  try {
    TComputerThread* thread = RunningApplicationsThread();
    if (!thread) throw std::system_error(std::make_error_code(std::errc::no_such_process));
    thread->Start(std::move(body));
  } catch (const std::system_error&) {
    GameStatus.Thinking = false;
    MessageBox(nullptr, "Couldn't create thread", "Varek", MB_OKCANCEL);
    return false;
  }
  return true;
}

TSearchRequest CurrentSearchRequest() {
  TSearchRequest request;
  std::copy(GameStatus.Board, GameStatus.Board + BoardSize, request.Board.begin());
  request.Side = static_cast<TPlayer>(GameStatus.SideToMove);
  request.Limits.Seconds = GameStatus.TimeLimit;
  request.Limits.HardSeconds = LevelHardLimitMs(GameStatus.Level) * 0.001;
  request.History = GameHistory();
  return request;
}

TSearchResult SearchMove(const TSearchRequest& request) {
  TSearchCallbacks reporter;
  reporter.OnProgress = SendComputerProgress;
  return ComputerEngine().Search(request, ComputerControl, &reporter);
}

void EndComputerRun() {
  GameStatus.Thinking = false;
  WakeUiThread();  // a close may be waiting for the flag
}

void StartThinkingMove() { StartComputerThread([] { thread_code(nullptr); }); }

// Everything the thread reads or changes of the game and the window is done
// on the UI thread: handed over and waited for where the thread needs the
// answer, posted where it does not. The search itself works on its own copy.
void thread_code(void*) {
  for (bool firstTurn = true;; firstTurn = false) {
    // Force Move pressed between two moves of Auto Play ends it here.
    if (!firstTurn && ComputerControl.StopRequested()) break;
    TSearchRequest request;
    RunOnUiThread([&] { request = CurrentSearchRequest(); });
    if (const char* over = GameOverText(request.Board.data(), request.Side)) {
      AnnounceGameOver(over);
      break;
    }
    RunOnUiThread([] {
      GameStatus.DragState = 0;
      if (MainWindowPtr) MainWindowPtr->SetCursor(nullptr, IDC_ARROW);
      ProgressClockStarted();
    });

    const TSearchResult found = SearchMove(request);
    const int* const move = found.Move.data();

    PostToUiThread(nullptr, [result = std::string(found.Report)] {
      ProgressClockStopped();
      ShowComputerResult(result.c_str());
      if (GameStatus.Sound) MessageBeep(MB_ICONASTERISK);
    });
    if (MainWindowPtr) MainWindowPtr->MakeMoveShowMove(move);

    const char* over = nullptr;
    bool autoPlay = false, drawn = false;
    RunOnUiThread([&] {
      if (MainWindowPtr) MainWindowPtr->GameChanged = true;
      GameRecord.AddMove(move);
      if (MainWindowPtr) MainWindowPtr->ShowLastMove();
      GameStatus.SideToMove = 1 - GameStatus.SideToMove;
      over = GameOverText(GameStatus.Board, GameStatus.SideToMove);
      // A draw is told, and ends Auto Play; a lost position says more.
      drawn = !over && MainWindowPtr && MainWindowPtr->NoticeDraw();
      autoPlay = GameStatus.PlayMode == 0;
    });
    if (over) {
      AnnounceGameOver(over);
      break;
    }
    if (!autoPlay || drawn || ComputerControl.StopRequested()) break;
  }
  RunOnUiThread([] {
    GameStatus.PlayMode = 1;
    GameStatus.SetPossibleStart();
  });
  EndComputerRun();
}

void StopThinkingMove() {
  if (TComputerThread* thread = RunningApplicationsThread()) thread->Stop();
}
