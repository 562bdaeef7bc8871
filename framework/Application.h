// TApplication: the program's application object. Run calls InitMainWindow
// (which makes the main window), shows that window and runs the message loop
// on the UI thread until the loop is told to quit or the window closes. The
// command-enabling pass runs whenever the loop becomes idle.
#pragma once

#include <functional>
#include <memory>
#include <vector>

class TDecoratedFrame;

class TApplication {
 public:
  explicit TApplication(const char* name = nullptr);
  virtual ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  virtual void InitMainWindow();
  // The application owns its main window.
  void SetMainWindow(TDecoratedFrame* frame);
  TDecoratedFrame* GetMainWindow() const { return mainWindow_.get(); }

  // InitInstance, then the message loop; returns the loop's result.
  int Run();
  // Makes and shows the main window; enables its commands once.
  void InitInstance();
  // Runs `task` once the main window shows and the message loop has turned
  // (a question about the command line then sits on the window). Call from
  // InitMainWindow; dropped if the window goes first.
  void AfterShown(std::function<void()> task);
  int MessageLoop();
  // Ends the message loop with `code` (remembered when no loop runs).
  void PostQuitMessage(int code);
  bool QuitPosted() const { return quitPosted_; }
  // What the loop does when idle: the command-enabling pass.
  void IdleAction();

  // The application now running, if any.
  static TApplication* Current();

 private:
  std::unique_ptr<TDecoratedFrame> mainWindow_;
  std::vector<std::function<void()>> afterShown_;
  bool inLoop_ = false;
  bool quitPosted_ = false;
  int quitCode_ = 0;
};
