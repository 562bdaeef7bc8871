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
// Whether the tool-bar button of `commandId` has a picture of `size` device pixels square.
bool ToolButtonHasIconSize(TDecoratedFrame& frame, int commandId, int size);
// The frame's outer size, and resizing it as the user would (within its limits).
TSize FrameSize(TDecoratedFrame& frame);
void ResizeFrame(TDecoratedFrame& frame, int width, int height);
// Where the frame stands, title bar and borders included, and the room its
// screen leaves for windows.
TRect FrameOnScreen(TDecoratedFrame& frame);
TRect ScreenRoom(TDecoratedFrame& frame);
// Whether the window's top window is on the screen now (a box owned by it sits on it).
bool ShownOnScreen(const TWindow* window);
// Whether every tool-bar button and every menu-bar title is shown whole
// (none moved behind an overflow chevron or cut at the edge).
bool ToolBarShowsAllButtons(TDecoratedFrame& frame);
bool MenuBarShowsAllTitles(TDecoratedFrame& frame);
// How command `id` is reached from the menu, the tool bar and the keys: the
// distinct actions that send it, and how many keys they carry.
struct TCommandReach {
  int Actions = 0;
  bool InMenu = false;
  bool OnToolBar = false;
  int Keys = 0;
};
TCommandReach CommandReach(TDecoratedFrame& frame, int id);
// Key handlers the frame holds besides its actions' own keys.
int SeparateShortcuts(TDecoratedFrame& frame);
// Whether the window's icon offers an image of this size.
bool FrameHasIconSize(TDecoratedFrame& frame, int size);
// A dialog as it is shown: caption, size, where it opens and its controls in
// pixels, with a picture of it.
struct TShownControl {
  enum TKind { Static, Icon, Edit, Button, EtchedLine };
  TKind Kind = Static;
  std::string Text;  // shown text (edit boxes: their contents, lines joined by "\n")
  TRect Box;         // in the dialog's client area
  bool ReadOnly = false;
  bool Multiline = false;
  bool Framed = false;
  bool TabStop = false;
  bool Default = false;
  bool ShowsPicture = false;
  bool TextFits = true;  // the whole text is visible without scrolling or clipping
};
struct TShownDialog {
  std::string Caption;
  TSize Size;
  TPoint Offset;  // from the owner window's top-left corner
  bool Modal = false;
  bool SystemMenu = false;
  bool Resizable = true;
  std::vector<TShownControl> Controls;  // in the order they are made (and tabbed through)
  TBitmap Picture;
};
// The module's dialog `resId`, built and shown as TDialog::Execute shows it,
// described and closed again.
TShownDialog DescribeDialog(TWindow* owner, int resId);
// The modal dialog open now (call from CallLater while one runs); false when none is.
bool DescribeModalDialog(TShownDialog& shown, TWindow* owner = nullptr);
// Ends the modal dialog open now with its button of this text ("&" ignored),
// or as the Escape key does.
bool PressModalButton(const std::string& text);
bool EscapeModalDialog();
// The file dialog open now: what it offers and how it was set up.
struct TShownFileDialog {
  bool Save = false;
  bool MustExist = false;
  bool ConfirmOverwrite = false;
  std::vector<std::string> Filters;  // as the dialog lists them
  std::string DefaultSuffix;
  std::string FileName;  // the name offered in its name box
};
bool DescribeFileDialog(TShownFileDialog& shown);
// Types `name` into the open file dialog's name box and accepts it; when the
// dialog refuses the name it is cancelled instead, and false returned.
bool AcceptFileDialog(const std::string& name);

// The offscreen platform, or a real screen.
bool OffscreenPlatform();
// Drops the offscreen platform's notes about features it lacks from the test output.
void QuietPlatformNotes();
