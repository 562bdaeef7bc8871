#include "engine/MoveGenerator.h"

TMoveGenerator::TMoveGenerator() : Directions{4, 5, -5, -4, 4, 5} {}

void TMoveGenerator::InitBoard(int* board) {
  for (int i = 0; i < BoardSize; ++i) board[i] = OffBoard;
  for (int i = 10; i <= 44; ++i) board[i] = Empty;
  for (int i = 10; i <= 22; ++i) board[i] = WhiteMan;
  for (int i = 32; i <= 44; ++i) board[i] = BlackMan;
  board[18] = board[27] = board[36] = OffBoard;
}

void TMoveGenerator::MakeMove(const int* move, int* board) {
  int piece = board[move[0]];
  int last = move[0];
  for (const int* s = move; *s != 0; ++s) {
    board[*s] = Empty;
    last = *s;
  }
  if (IsCrowningRow(last) && piece > BlackKing) piece -= 2;
  board[last] = piece;
}

void TMoveGenerator::MakeMoveList(int* board, TPlayer side, TMoveList* list) {
  CurrentLength = 0;
  list->NumMoves = 0;
  list->CaptureMoves = false;
  Board = board;
  Side = side;
  MoveList = list;
  for (int square = FirstSquare; square <= LastSquare; ++square) {
    const int code = board[square];
    if (code < 4 && (code & 1) == side) MakeMoveListAux(square, 0);
  }
}

void TMoveGenerator::MakeMoveListAux(int square, int depth) {
  int* const board = Board;
  CurrentMove[CurrentLength++] = square;
  const int piece = board[square];
  const int* dir = Directions + 2 * (piece & 1);
  const int count = piece < 2 ? 4 : 2;
  const int enemy = 1 - Side;
  bool jumped = false;
  for (int k = 0; k < count; ++k) {
    const int d = dir[k];
    const int t = square + d;
    const int target = board[t];
    if (target == Empty && !MoveList->CaptureMoves) {
      if (CurrentLength == 1) {
        CurrentMove[CurrentLength++] = t;
        SaveMove();
        --CurrentLength;
      }
    } else if (target < 4 && (target & 1) == enemy && board[t + d] == Empty) {
      if (!MoveList->CaptureMoves) {
        MoveList->CaptureMoves = true;
        MoveList->NumMoves = 0;
      }
      CurrentMove[CurrentLength++] = t;
      board[t + d] = piece;
      board[square] = Empty;
      board[t] = Empty;
      MakeMoveListAux(t + d, depth + 1);
      board[square] = piece;
      board[t] = target;
      board[t + d] = Empty;
      --CurrentLength;
      jumped = true;
    }
  }
  if (depth > 0 && !jumped) SaveMove();
  --CurrentLength;
}

void TMoveGenerator::SaveMove() {
  TMoveList* list = MoveList;
  if (list->NumMoves == list->Capacity) list->Reserve(list->Capacity * 2);
  int* dst = list->Moves[list->NumMoves++];
  const int n = CurrentLength;
  for (int i = 0; i < n; ++i) dst[i] = CurrentMove[i];
  dst[n] = 0;
}

int TMoveGenerator::TestPos(const int* board, TPlayer side) const {
  bool simple = false;
  const int enemy = 1 - side;
  for (int cell = 0; cell <= LastSquare; ++cell) {
    const int code = board[cell];
    if (code >= 4 || (code & 1) != side) continue;
    const int* dir = Directions + 2 * side;
    const int count = code < 2 ? 4 : 2;
    for (int k = 0; k < count; ++k) {
      const int d = dir[k];
      const int t = board[cell + d];
      if (t == Empty) {
        simple = true;
      } else if (t < 4 && (t & 1) == enemy && board[cell + 2 * d] == Empty) {
        return 1;
      }
    }
  }
  return simple ? 2 : 0;
}

int TMoveGenerator::NoMovesLeft(const int* board, TPlayer side) const {
  const int enemy = 1 - side;
  for (int cell = 0; cell <= LastSquare; ++cell) {
    const int code = board[cell];
    if (code >= 4 || (code & 1) != side) continue;
    const int* dir = Directions + 2 * side;
    const int count = code < 2 ? 4 : 2;
    for (int k = 0; k < count; ++k) {
      const int d = dir[k];
      const int t = board[cell + d];
      if (t == Empty) return 0;
      if (t < 4 && (t & 1) == enemy && board[cell + 2 * d] == Empty) return 0;
    }
  }
  return 1;
}
