// TGameStatus: the game as the board window shows it and what the window
// keeps beside it. The position and the move input come from the rules
// engine's record; the play settings, the drag state and the switches of the
// window are the window's own.
#pragma once

#include "engine/Board.h"
#include "engine/GameState.h"

// Who plays: the computer both sides, the user against the computer, or the
// user both sides.
enum class TPlayMode { AutoPlay, NormalPlay, TwoPlayer };

// The mouse: the arrow, the hand over a piece that can move, or a piece picked
// up and dragged.
enum class TDragState { None, OverMovable, Dragging };

struct TGameStatus : Status_Of_The_Game {
  TPlayMode PlayMode = TPlayMode::NormalPlay;
  int TimeLimit = 2;  // seconds handed to the search, as the level says
  int Level = 2;      // 0..7, the Level menu item
  bool Thinking = false;  // the computer is playing or thinking of a hint
  bool Inverted = false;  // the board is drawn half a turn round
  TDragState DragState = TDragState::None;
  bool Sound = true;
  bool SetupMode = false;
  int SetupPiece = BlackMan;  // what a click in setup mode puts on an empty square
};
