// Driving the windows from tests: simulated mouse and key input delivered
// through the toolkit's event path, event processing, and screen grabs.
#pragma once

#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Geometry.h"

class TDecoratedFrame;
class TWindow;

// Delivers a mouse message (WM_LBUTTONDOWN, WM_MOUSEMOVE, ...) to the window now.
void SendMouse(TWindow& window, int message, TPoint point, unsigned modifiers = 0);
// The same, `ms` milliseconds from now, from a timer of the event loop.
void SendMouseLater(TWindow& window, int ms, int message, TPoint point);
// Presses and releases a key as an accelerator entry names it (FCONTROL..., VK_ or a capital).
void SendKey(TDecoratedFrame& frame, unsigned flags, int key);
// Makes the frame the active window, so its accelerators work.
bool ActivateFrame(TDecoratedFrame& frame);
// Runs the event loop (all events) for `ms` milliseconds.
void ProcessEvents(int ms = 0);
// Runs the event loop until `done` or until `ms` have passed; returns done().
template <class F>
bool ProcessEventsUntil(F done, int ms) {
  for (int waited = 0; !done() && waited < ms; waited += 5) ProcessEvents(5);
  return done();
}
// Calls `fn` from a timer of the event loop `ms` milliseconds from now.
void CallLater(int ms, void (*fn)(void*), void* data);
// What the frame or the window looks like on screen now.
TBitmap GrabFrame(TDecoratedFrame& frame);
TBitmap GrabWindow(TWindow& window);
// The texts of the frame's menu bar as shown: pop-up titles, items ("" for a
// separator), nested pop-ups indented with "  " per level.
std::vector<std::string> MenuTexts(TDecoratedFrame& frame);
// Left to right: the command of each tool-bar button, or -width for a separator.
std::vector<int> ToolBarLayout(TDecoratedFrame& frame);
// Whether the tool-bar button of `commandId` is enabled / shown pressed.
bool ToolButtonEnabled(TDecoratedFrame& frame, int commandId);
bool ToolButtonPressed(TDecoratedFrame& frame, int commandId);
// Whether the window's icon offers an image of this size.
bool FrameHasIconSize(TDecoratedFrame& frame, int size);
// The offscreen platform, or a real screen.
bool OffscreenPlatform();
// Drops the offscreen platform's notes about features it lacks from the test output.
void QuietPlatformNotes();
