// TVarekApp: the application. Its main window is the decorated frame around
// the board window, with the menu, the tool bar, the status bar, the icons and
// the accelerators.
#pragma once

#include <string>

#include "framework/Application.h"

class TModule;

class TVarekApp : public TApplication {
 public:
  TVarekApp();
  ~TVarekApp() override;
  void InitMainWindow() override;

  // A saved game or PDN file to open once the window shows ("" for none).
  std::string StartFile;
};

// The caption of the main window.
extern const char* const VarekCaptionFormat;
extern const char* const VarekBuildDate;

// The four piece cursors (800 to 803), drawn like the pieces on the board.
void AddPieceCursors(TModule& module);
