#include "engine/GameState.h"

#include "engine/MoveGenerator.h"

Status_Of_The_Game::Status_Of_The_Game() : PossibleMoves(16), LegalMoves() {
  TMoveGenerator::InitBoard(Board);
  SideToMove = Black;
  NumPossibleMoves = 0;
  SetPossibleStart();
}

void Status_Of_The_Game::SetPossibleStart() {
  class TMoveGenerator generator;
  generator.MakeMoveList(Board, static_cast<TPlayer>(SideToMove), &LegalMoves);
  int previous = 0;
  int count = 0;
  for (int i = 0; i < LegalMoves.NumMoves; ++i) {
    const int from = LegalMoves.Moves[i][0];
    if (from != previous) PossibleStart[count++] = from;
    previous = from;
  }
  PossibleStart[count] = 0;
}

void Status_Of_The_Game::SetPossibleMoves(int square) {
  NumPossibleMoves = 0;
  class TMoveGenerator generator;
  generator.MakeMoveList(Board, static_cast<TPlayer>(SideToMove), &LegalMoves);
  PossibleMoves.NumMoves = 0;
  for (int i = 0; i < LegalMoves.NumMoves; ++i) {
    if (LegalMoves.Moves[i][0] != square) continue;
    PossibleMoves.Append(LegalMoves.Moves[i]);
    ++NumPossibleMoves;
  }
}

void Status_Of_The_Game::CopyMove(int* destination, const int* source) {
  int i = 0;
  while ((destination[i] = source[i]) != 0) ++i;
}
