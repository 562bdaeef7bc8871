// TDecoratedFrame: the main window. It holds a client window, bars at its top
// and bottom, a menu and an accelerator table from the module, and its icons.
// Each command has one QAction, shared by its menu item, its tool-bar button
// and its accelerator keys, which sends the command to the client window; the
// command-enabling pass asks the client's enablers which commands are
// available (and checked) and sets the actions accordingly.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Resources.h"
#include "framework/Window.h"

class QAction;
class QMainWindow;
class QMenu;
class TControlBar;
class TFrameWidget;
class TModule;
class TStatusBar;

class TDecoratedFrame {
 public:
  enum TLocation { Top, Bottom };

  // The frame owns the client window from now on.
  TDecoratedFrame(TWindow* parent, const char* title, TWindow* client, bool trackMenuSelection = false);
  ~TDecoratedFrame();
  TDecoratedFrame(const TDecoratedFrame&) = delete;
  TDecoratedFrame& operator=(const TDecoratedFrame&) = delete;

  // The frame owns the bars inserted.
  void Insert(TControlBar* bar, TLocation location);
  void Insert(TStatusBar* bar, TLocation location);
  void AssignMenu(const char* menuName);
  void SetIcon(TModule* module, const char* iconName);
  void SetIconSm(TModule* module, const char* iconName);
  void SetAcceleratorTable(const char* name);

  // Shows the frame at its first or restored size, within the screen.
  void Show();
  // Closes the frame unless the client refuses (CanClose); true when it closed.
  bool CloseWindow();
  bool IsVisible() const;

  // Sends a command to the client, as a menu item, button or accelerator does:
  // nothing when the command's enabler disables it. Then enables commands again.
  void ExecuteCommand(int id);
  // Runs every command's enabler and shows the results on menu items and buttons.
  void EnableCommands();
  // The enabler's answer for one command, as shown on its menu item.
  bool IsCommandEnabled(int id) const;
  bool IsCommandChecked(int id) const;
  // The last command that reached the client (0 before any).
  int LastCommand() const { return lastCommand_; }

  TWindow* GetClientWindow() const { return client_.get(); }
  TControlBar* GetControlBar() const { return controlBar_.get(); }
  TStatusBar* GetStatusBar() const { return statusBar_.get(); }
  std::string GetCaption() const;
  // Menu texts for display checks: the bar's pop-ups and their items, in order.
  const std::vector<TMenuItem>* GetMenu() const { return menu_; }
  const std::vector<TAccelerator>* GetAccelerators() const { return accelerators_; }
  // Sizes the frame so that the client window gets this size (when it is
  // shown, if it is not yet).
  void SetClientSize(int width, int height);
  // The frame's place, size and state as bytes, and put back from them
  // (false, changing nothing, for bytes that do not describe one).
  std::string SaveGeometry() const;
  bool RestoreGeometry(const std::string& geometry);
  // The frame cannot be made smaller than a client of this size with the
  // whole menu bar and tool bar beside it. Call once the bars are in.
  void SetMinimumClientSize(int width, int height);
  QMainWindow* GetHandle() const;
  // The action of command `id`, made on first use.
  QAction* CommandAction(int id);

 private:
  void BuildMenu(QMenu* menu, const std::vector<TMenuItem>& items);
  void Enable(QAction* action, int id);
  bool QueryEnabler(TCommandEnabler& ce);
  void SetIcons(TModule* module, const char* iconName);
  // Shrinks and moves the frame so that all of it lies on its screen.
  void KeepOnScreen();

  TFrameWidget* frame_;
  std::unique_ptr<TWindow> client_;
  std::unique_ptr<TControlBar> controlBar_;
  std::unique_ptr<TStatusBar> statusBar_;
  const std::vector<TMenuItem>* menu_ = nullptr;
  const std::vector<TAccelerator>* accelerators_ = nullptr;
  std::map<int, QAction*> actions_;  // owned by the Qt frame
  bool enabling_ = false;
  int lastCommand_ = 0;
  TSize pendingClientSize_;  // asked for before the frame was shown

  friend class TFrameWidget;
};
