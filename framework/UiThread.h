// The UI thread is the thread that runs the message loop; every toolkit call
// happens on it. Another thread hands its window work over as events of that
// loop: RunOnUiThread waits until the UI thread has done it, PostToUiThread
// does not; either way the order is kept.
#pragma once

#include <functional>

class QObject;

// Starts the hand-over; the UI thread is the one the toolkit was started on.
// Called by the application and by the first window.
void StartUiThread();
bool IsUiThread();
// Stops the program with a message when called off the UI thread.
void RequireUiThread(const char* what);

// Runs `task` on the UI thread and returns when it has run; on the UI thread
// itself it runs at once. The UI thread must keep processing events meanwhile
// (its message loop, a modal dialog, a pause or WaitWhile all do).
void RunOnUiThread(const std::function<void()>& task);
// Hands `task` to the UI thread without waiting for it; tasks run in the order
// they were handed over, blocking ones included. Dropped if `context` (null:
// the application) is gone by then. On the UI thread it runs at once.
void PostToUiThread(QObject* context, std::function<void()> task);

// On the UI thread: processes events, except user input, for as long as
// `busy` returns true. Another thread that makes `busy` false calls
// WakeUiThread afterwards, so the wait notices at once.
void WaitWhile(const std::function<bool()>& busy);
void WakeUiThread();

// A blocking pause. On the UI thread the window keeps painting: events other
// than user input are processed until the time is up, and user input waits
// until afterwards. Elsewhere the calling thread sleeps.
void Pause(int milliseconds);
// Pauses now in progress on the UI thread (nested pauses count each).
int PauseDepth();
// Scales every later pause (tests speed them up); 1 is real time.
void SetPauseScale(double scale);
