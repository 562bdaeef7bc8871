#include "engine/MoveGenerator.h"

namespace {

// Bit c is set when square code c is a piece of that colour (codes go up to 5).
constexpr int PiecesOf[2] = {(1 << WhiteKing) | (1 << WhiteMan), (1 << BlackKing) | (1 << BlackMan)};

inline bool IsPieceOf(int mask, int code) { return (mask >> code) & 1; }

}  // namespace

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

namespace {

// The 32 squares are joined by 49 diagonal steps, so no position has more
// simple moves than that.
constexpr int MaxSimpleMoves = 49;

// Simple moves are listed straight into the buffers until the first capture
// turns up; from then on only captures count, so the simple moves are dropped
// and the remaining pieces (the current one included) go through the jump
// search. The result is the same list, in the same order, as running the
// piece search on every piece. Returns the square where captures were found,
// or 0 when there are none.
template <int S>
int ListSimpleMoves(const int* board, TMoveList* list) {
  constexpr int own = PiecesOf[S];
  constexpr int enemy = PiecesOf[1 - S];
  // The directions of Directions from index 2S: forward two first, then back.
  constexpr int f1 = S == White ? 4 : -5, f2 = S == White ? 5 : -4;
  constexpr int b1 = S == White ? -5 : 4, b2 = S == White ? -4 : 5;
  int* const* const moves = list->Moves;
  int n = 0;
  for (int square = FirstSquare; square <= LastSquare; ++square) {
    const int code = board[square];
    if (!IsPieceOf(own, code)) continue;
    // True when a jump in direction d is possible.
    auto step = [&](int d) {
      const int target = board[square + d];
      if (target == Empty) {
        int* m = moves[n++];
        m[0] = square;
        m[1] = square + d;
        m[2] = 0;
        return false;
      }
      return IsPieceOf(enemy, target) && board[square + 2 * d] == Empty;
    };
    if (step(f1) || step(f2) || (code < 2 && (step(b1) || step(b2)))) return square;
  }
  list->NumMoves = n;
  return 0;
}

// True when the piece on `square` can jump at least once.
template <int S>
bool CanJump(const int* board, int square) {
  constexpr int enemy = PiecesOf[1 - S];
  constexpr int f1 = S == White ? 4 : -5, f2 = S == White ? 5 : -4;
  constexpr int b1 = S == White ? -5 : 4, b2 = S == White ? -4 : 5;
  auto jump = [&](int d) { return IsPieceOf(enemy, board[square + d]) && board[square + 2 * d] == Empty; };
  return jump(f1) || jump(f2) || (board[square] < 2 && (jump(b1) || jump(b2)));
}

template <int S>
void ListCaptures(class TMoveGenerator& generator, const int* board, int first) {
  constexpr int own = PiecesOf[S];
  for (int square = first; square <= LastSquare; ++square)
    if (IsPieceOf(own, board[square]) && CanJump<S>(board, square)) generator.MakeMoveListAux(square, 0);
}

}  // namespace

void TMoveGenerator::MakeMoveList(int* board, TPlayer side, TMoveList* list) {
  CurrentLength = 0;
  list->NumMoves = 0;
  list->CaptureMoves = false;
  Board = board;
  Side = side;
  MoveList = list;
  if (list->Capacity < MaxSimpleMoves) [[unlikely]] list->Reserve(MaxSimpleMoves);

  const int first = side == White ? ListSimpleMoves<White>(board, list) : ListSimpleMoves<Black>(board, list);
  if (first == 0) return;
  list->CaptureMoves = true;
  list->NumMoves = 0;
  if (side == White)
    ListCaptures<White>(*this, board, first);
  else
    ListCaptures<Black>(*this, board, first);
}

void TMoveGenerator::MakeMoveListAux(int square, int depth) {
  int* const board = Board;
  CurrentMove[CurrentLength++] = square;
  const int piece = board[square];
  const int* const dir = Directions + 2 * (piece & 1);
  const int count = piece < 2 ? 4 : 2;
  const int enemy = PiecesOf[1 - Side];
  bool jumped = false;
  for (int k = 0; k < count; ++k) {
    const int d = dir[k];
    const int t = square + d;
    const int target = board[t];
    if (target == Empty) {
      if (!MoveList->CaptureMoves && CurrentLength == 1) {
        CurrentMove[CurrentLength++] = t;
        SaveMove();
        --CurrentLength;
      }
    } else if (IsPieceOf(enemy, target) && board[t + d] == Empty) {
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
  TMoveList* const list = MoveList;
  if (list->NumMoves == list->Capacity) [[unlikely]] list->Reserve(list->Capacity * 2);
  int* const dst = list->Moves[list->NumMoves++];
  const int n = CurrentLength;
  for (int i = 0; i < n; ++i) dst[i] = CurrentMove[i];
  dst[n] = 0;
}

int TMoveGenerator::TestPos(const int* board, TPlayer side) const {
  const int own = PiecesOf[side];
  const int enemy = PiecesOf[1 - side];
  const int* const dir = Directions + 2 * side;
  bool simple = false;
  for (int cell = FirstSquare; cell <= LastSquare; ++cell) {
    const int code = board[cell];
    if (!IsPieceOf(own, code)) continue;
    const int count = code < 2 ? 4 : 2;
    for (int k = 0; k < count; ++k) {
      const int d = dir[k];
      const int t = board[cell + d];
      if (t == Empty) {
        simple = true;
      } else if (IsPieceOf(enemy, t) && board[cell + 2 * d] == Empty) {
        return 1;
      }
    }
  }
  return simple ? 2 : 0;
}

int TMoveGenerator::NoMovesLeft(const int* board, TPlayer side) const {
  return TestPos(board, side) == 0 ? 1 : 0;
}
