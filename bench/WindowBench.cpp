// varek-window-bench: the window's own figures. Starts the game window as the
// program does, then prints the time to its first painted frame, the time of
// one full paint of the board at two window sizes, the resident memory after
// start and after 200 Auto Play moves (at the window's first size). Figures are "name: number unit" lines;
// lines in brackets are remarks.
//
//   VAREK_BENCH_START_NS=$(date +%s%N) varek-window-bench
//
// VAREK_BENCH_START_NS is the wall-clock time (ns since the epoch) just before
// the process was started; without it start-up is timed from main(). Run it
// with QT_QPA_PLATFORM=offscreen for figures without a display server's
// share, and with QT_SCALE_FACTOR=2 for a device pixel ratio of 2.
// bench/compare-window.sh runs two builds in turn and takes medians.
//
// The program is written against what the window layer and the game have
// offered since their first versions, so the same file builds an older tree.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#if !__has_include("ui/GameStatus.h")
#include "engine/GameState.h"
#endif
#include "framework/Dialogs.h"
#include "framework/Frame.h"
#include "framework/Toolkit.h"
#include "framework/UiThread.h"
#include "game/Game.h"
#include "ui/VarekApp.h"
#include "ui/VarekWindow.h"
#include "bench/BenchSupport.h"
#if __has_include("framework/Settings.h")
#include "framework/Settings.h"
#define VAREK_BENCH_HAS_SETTINGS 1
#endif
// Since the board window owns the game, it is where the record is, and it
// shows moves by a timer, at a speed of its own, busy meanwhile.
#if __has_include("ui/GameStatus.h")
#define VAREK_BENCH_WINDOW_OWNS_GAME 1
#endif

namespace {

using benchsupport::ProcessEventsFor;
using benchsupport::ResidentMiB;

// Menu command numbers, the same in every version.
constexpr int CmFileNew = 102;
constexpr int CmMovesAutoPlay = 114;
constexpr int CmOptionsLevelEasy = 253;

constexpr int PaintRounds = 60;
constexpr int AutoPlayMoves = 200;

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Answers every question as a user who wants the next game: "No" to saving.
class TAnsweringDesktop : public TDesktop {
 public:
  int ShowMessageBox(TWindow*, const std::string&, const std::string&, unsigned) override { return IDNO; }
  int RunFileDialog(TWindow*, TFileDialogKind, TOpenSaveDialog::TData&) override { return IDCANCEL; }
  int RunDialog(TWindow*, int) override { return IDCANCEL; }
  void Beep(unsigned) override {}
};

// Notes the first moment the event loop waits with something painted.
class TFirstFrame : public QObject {
 public:
  long long DoneNs = 0;
  bool Painted = false;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) Painted = true;
    return QObject::eventFilter(watched, event);
  }
  void Waiting() {
    if (Painted && DoneNs == 0) DoneNs = NowNs();
  }
};

// One full paint of the board: drawn into the window's image, then shown.
void TimePaints(TDecoratedFrame& frame, int width, int height) {
  frame.SetClientSize(width, height);
  ProcessEventsFor(200);
  TWindow& board = *frame.GetClientWindow();
  const TRect client = board.GetClientRect();
  std::vector<double> draw, shown;
  for (int i = 0; i < PaintRounds; ++i) {
    QElapsedTimer clock;
    clock.start();
    board.Invalidate();
    board.UpdateWindow();
    const double drawn = clock.nsecsElapsed() / 1e6;
    QCoreApplication::processEvents();
    draw.push_back(drawn);
    shown.push_back(clock.nsecsElapsed() / 1e6);
  }
  if (client.Width() != width || client.Height() != height)
    std::printf("(the board is %dx%d, not %dx%d)\n", client.Width(), client.Height(), width, height);
  std::printf("board %dx%d, draw: %.3f ms\n", width, height, Median(draw));
  std::printf("board %dx%d, draw and show: %.3f ms\n", width, height, Median(shown));
}

}  // namespace

int main(int argc, char** argv) {
  const char* given = std::getenv("VAREK_BENCH_START_NS");
  const long long startNs = given ? std::atoll(given) : NowNs();
  std::setvbuf(stdout, nullptr, _IOLBF, 0);

#ifdef VAREK_BENCH_HAS_SETTINGS
  // A first run: nothing remembered from the user's own games.
  const std::string settings = "/tmp/varek-window-bench-" + std::to_string(NowNs()) + ".ini";
  TSettings::UseFile(settings);
#endif
  StartToolkit(argc, argv);
  TAnsweringDesktop desktop;
  SetDesktop(&desktop);
  double startMiB = 0, afterMiB = 0;
  {
    TFirstFrame first;
    QCoreApplication::instance()->installEventFilter(&first);
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &first,
                     [&first] { first.Waiting(); });

    TVarekApp app;
    app.InitInstance();
    TDecoratedFrame& frame = *app.GetMainWindow();
    // As the program's own loop runs: waiting whenever nothing is left to do.
    while (first.DoneNs == 0) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (!given) std::printf("(start timed from main)\n");
    std::printf("start to first painted frame: %.1f ms\n", (first.DoneNs - startNs) / 1e6);
    QCoreApplication::instance()->removeEventFilter(&first);
    ProcessEventsFor(500);
    startMiB = ResidentMiB();
    std::printf("resident after start: %.1f MiB\n", startMiB);

    const TRect firstSize = frame.GetClientWindow()->GetClientRect();
    TimePaints(frame, 640, 480);
    TimePaints(frame, 1920, 1080);
    frame.SetClientSize(firstSize.Width(), firstSize.Height());  // back to the size the memory was first read at
    ProcessEventsFor(500);
    std::printf("resident before Auto Play: %.1f MiB\n", ResidentMiB());

    // Auto Play at Easy, game after game, until 200 moves have been played.
#ifdef VAREK_BENCH_WINDOW_OWNS_GAME
    auto* board = static_cast<TVarekWindow*>(frame.GetClientWindow());
    board->AnimationScale = 0.0;
    auto thinking = [board] { return board->Busy(); };
    const Game& record = board->GameRecord;
#else
    SetPauseScale(0.0);
    auto thinking = [] { return static_cast<bool>(GameStatus.Thinking); };
    const Game& record = GameRecord;
#endif
    frame.ExecuteCommand(CmOptionsLevelEasy);
    int moves = 0, games = 0;
    QElapsedTimer clock;
    clock.start();
    while (moves < AutoPlayMoves) {
      frame.ExecuteCommand(CmMovesAutoPlay);
      ProcessEventsFor(20);
      while (thinking()) ProcessEventsFor(5);
      ProcessEventsFor(20);
      moves += record.MoveCount;
      ++games;
      if (record.MoveCount == 0) break;  // nothing to play from here
      frame.ExecuteCommand(CmFileNew);
      ProcessEventsFor(20);
    }
    ProcessEventsFor(500);
    afterMiB = ResidentMiB();
    std::printf("(Auto Play at Easy: %d moves in %d games)\n", moves, games);
    std::printf("Auto Play, %d moves: %.2f s\n", AutoPlayMoves, clock.elapsed() / 1000.0);
    std::printf("resident after Auto Play: %.1f MiB\n", afterMiB);
  }
  SetDesktop(nullptr);
  StopToolkit();
#ifdef VAREK_BENCH_HAS_SETTINGS
  std::remove(settings.c_str());
#endif
  return 0;
}
