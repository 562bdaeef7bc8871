#include "tools/GameLine.h"

#include <algorithm>

#include "engine/MoveGenerator.h"
#include "game/Pdn.h"

TGameLine::TGameLine() {
  int board[BoardSize];
  TMoveGenerator::InitBoard(board);
  Reset(board, Black);
}

void TGameLine::Reset(const int* board, TPlayer side) {
  record_.InitGame(board, side);
  std::copy(board, board + BoardSize, board_);
  side_ = side;
  moves_.clear();
}

bool TGameLine::Play(std::string_view text, std::string* error) {
  const int* move = reader_.Find(board_, side_, text, error);
  if (move == nullptr) return false;
  Play(move);
  return true;
}

void TGameLine::Play(const int* move) {
  moves_.emplace_back(move, move + MoveLength(move) + 1);
  record_.AddMove(move);
  TMoveGenerator::MakeMove(move, board_);
  side_ = static_cast<TPlayer>(1 - side_);
}

std::vector<TPositionKey> TGameLine::History() const { return PositionsSinceIrreversible(record_, record_.Position); }

TDraw TGameLine::Draw() const { return FindDraw(record_, record_.Position); }

std::vector<std::string> TGameLine::Notations() const { return MoveNotations(record_.StartBoard, StartSide(), moves_); }
