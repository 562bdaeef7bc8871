#include "game/Game.h"

#include <algorithm>

#include "engine/MoveGenerator.h"

Game::Game() : StartSide(Black), Head(new GameNode), Cursor(Head), MoveCount(0), Position(0) {
  std::fill(StartBoard, StartBoard + BoardSize, static_cast<int>(OffBoard));
}

Game::~Game() {
  DropAfter(Head);
  delete Head;
}

void Game::DropAfter(GameNode* node) {
  GameNode* next = node->Next;
  node->Next = nullptr;
  while (next != nullptr) {
    GameNode* after = next->Next;
    delete[] next->Move;
    delete next;
    --MoveCount;
    next = after;
  }
}

void Game::InitGame(const int* board, TPlayer side) {
  StartSide = side;
  Flush();
  if (board != StartBoard) std::copy(board, board + BoardSize, StartBoard);
}

void Game::Flush() {
  DropAfter(Head);
  MoveCount = 0;
  Position = 0;
  Cursor = Head;
}

void Game::AddMove(const int* move) {
  DropAfter(Cursor);
  MoveCount += 1;
  Position = MoveCount;
  const int length = MoveLength(move);
  auto* node = new GameNode;
  node->Move = new int[length + 1];
  std::copy(move, move + length + 1, node->Move);
  Cursor->Next = node;
  Cursor = node;
}

void Game::GoTo(int n, int* board, TPlayer* side) {
  if (n < 0 || n > MoveCount) return;
  *side = static_cast<TPlayer>(StartSide);
  std::copy(StartBoard, StartBoard + BoardSize, board);
  Cursor = Head;
  Position = 0;
  while (Position < n) {
    Cursor = Cursor->Next;
    TMoveGenerator::MakeMove(Cursor->Move, board);
    *side = static_cast<TPlayer>(1 - *side);
    ++Position;
  }
}

void Game::Forward(int n, int* board, TPlayer* side) {
  GoTo(n > MoveCount - Position ? MoveCount : Position + n, board, side);
}

void Game::TakeBack(int n, int* board, TPlayer* side) {
  GoTo(n > Position ? 0 : Position - n, board, side);
}
