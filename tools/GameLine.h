// TGameLine: a game as the engine commands are given it, a start position and
// the moves played from it: the position reached, the positions that can
// still come back (the search's history) and the draw the rules see there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/Board.h"
#include "engine/PositionKey.h"
#include "game/DrawRules.h"
#include "game/Game.h"
#include "game/MoveText.h"

class TGameLine {
 public:
  TGameLine();  // the starting position, Black to move
  TGameLine(const TGameLine&) = delete;
  TGameLine& operator=(const TGameLine&) = delete;

  void Reset(const int* board, TPlayer side);
  // Plays the move `text` names; false, with the reason, when it names no
  // legal move here (nothing changes then).
  bool Play(std::string_view text, std::string* error);
  // Plays a legal move.
  void Play(const int* move);

  const int* Board() const { return board_; }
  TPlayer Side() const { return side_; }
  const int* StartBoard() const { return record_.StartBoard; }
  TPlayer StartSide() const { return static_cast<TPlayer>(record_.StartSide); }
  const std::vector<std::vector<int>>& Moves() const { return moves_; }
  // The positions since the last capture or man move, this one last.
  std::vector<TPositionKey> History() const;
  // The draw by the rules in this position, if any.
  TDraw Draw() const;
  // The moves as PDN writes them (the full path only where it is needed).
  std::vector<std::string> Notations() const;

 private:
  Game record_;
  int board_[BoardSize];
  TPlayer side_ = Black;
  std::vector<std::vector<int>> moves_;
  TMoveReader reader_;
};
