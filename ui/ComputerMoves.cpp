// The board window's Action menu for the computer's moves: Computer Go and
// Force Move.
#include "engine/GameState.h"
#include "ui/Thinking.h"
#include "ui/VarekWindow.h"

void TVarekWindow::CmActionComputerGo() {
  if (Thinking()) return;
  GameStatus.SetupMode = false;
  StartThinkingMove();
}

void TVarekWindow::CmActionForceMove() {
  // Kept until the computer's run ends: a press before the search holds a move
  // stops it as soon as it has one, a press between two moves ends Auto Play.
  if (GameStatus.Thinking) ComputerControl.StopRequest = true;
}

void TVarekWindow::CeThinking(TCommandEnabler& ce) { ce.Enable(Thinking()); }
