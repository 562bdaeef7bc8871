// The computer's moves: chosen and played on a thread of its own while the
// window stays responsive. At most one such thread exists; it hands every
// window and game change over to the UI thread, in order, and sleeps its
// animation pauses on its own.
#pragma once

#include <array>
#include <functional>
#include <thread>
#include <vector>

#include "engine/Board.h"
#include "engine/PositionKey.h"
#include "search/Engine.h"
#include "search/SearchControl.h"

// The stop flags of the computer's searches: Force Move sets the stop
// request, closing the lasting stop.
extern TSearchControl ComputerControl;
// The engine the computer's moves and hints are searched with.
TEngine& ComputerEngine();

// The computer's thread. The application object owns the one there is, so
// it is stopped and joined while the windows it reports to, and the UI
// thread that serves it, are still there.
class TComputerThread {
 public:
  TComputerThread() = default;
  ~TComputerThread();
  TComputerThread(const TComputerThread&) = delete;
  TComputerThread& operator=(const TComputerThread&) = delete;
  // Starts `body` (thread_code unless told otherwise) once the last run has
  // ended; throws std::system_error when no thread can be made.
  void Start(std::function<void()> body);
  // UI thread: stops a running search for good, serves the thread until it
  // has finished its move, and joins it.
  void Stop();

 private:
  std::thread thread_;
};

// Runs `body` on the application's computer thread unless the computer is
// thinking already (false then, or when no thread could be made, which is
// said in a message box). The thinking flag is set here, before the thread
// starts, so no second run can start; the body clears it when it ends. The
// stop request of an earlier run is cleared.
bool StartComputerThread(std::function<void()> body);
// UI thread: the request for the side to move, at the current level, with
// the positions since the last capture or man move.
TSearchRequest CurrentSearchRequest();
// Computer thread: searches as `request` says, its progress lines going to
// the progress sink.
TSearchResult SearchMove(const TSearchRequest& request);
// Computer thread, last step of a run: clears the thinking flag and wakes
// the UI thread, which may be waiting for it to close.
void EndComputerRun();

// The computer's move (and on, in Auto Play) on the computer's thread.
void StartThinkingMove();
// The thread's body: plays for the side to move (and on, in Auto Play).
void thread_code(void*);
// UI thread: TComputerThread::Stop on the running application's thread.
void StopThinkingMove();
