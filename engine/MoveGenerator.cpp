#include "engine/MoveGenerator.h"

#include <bit>

#include "engine/BoardMasks.h"

TMoveGenerator::TMoveGenerator() : Directions{4, 5, -5, -4, 4, 5} {}

void TMoveGenerator::InitBoard(int* board) {
  for (int i = 0; i < BoardSize; ++i) board[i] = OffBoard;
  for (int i = 10; i <= 44; ++i) board[i] = Empty;
  for (int i = 10; i <= 22; ++i) board[i] = WhiteMan;
  for (int i = 32; i <= 44; ++i) board[i] = BlackMan;
  board[18] = board[27] = board[36] = OffBoard;
}

namespace {

// The 32 squares are joined by 49 diagonal steps, so no position has more
// simple moves than that.
constexpr int MaxSimpleMoves = 49;

// The directions of a piece of colour S: its two forward steps, then (kings
// only) the two backward ones, in the order of Directions from index 2S.
template <int S>
struct TSteps {
  static constexpr int F1 = S == White ? 4 : -5, F2 = S == White ? 5 : -4;
  static constexpr int B1 = S == White ? -5 : 4, B2 = S == White ? -4 : 5;
};

// The squares of `from` that can jump in direction D.
template <int D>
inline uint64_t JumpersOf(uint64_t from, uint64_t enemy, uint64_t empty) {
  return from & StepFrom<D>(enemy) & StepFrom<2 * D>(empty);
}

template <int S>
inline uint64_t AllJumpers(const TBoardMasks& m) {
  using T = TSteps<S>;
  const uint64_t own = m.Pieces[S], enemy = m.Pieces[1 - S], kings = own & m.Kings;
  return JumpersOf<T::F1>(own, enemy, m.Empty) | JumpersOf<T::F2>(own, enemy, m.Empty) |
         JumpersOf<T::B1>(kings, enemy, m.Empty) | JumpersOf<T::B2>(kings, enemy, m.Empty);
}

template <int S>
inline uint64_t AllSteppers(const TBoardMasks& m) {
  using T = TSteps<S>;
  const uint64_t own = m.Pieces[S], kings = own & m.Kings;
  return (own & (StepFrom<T::F1>(m.Empty) | StepFrom<T::F2>(m.Empty))) |
         (kings & (StepFrom<T::B1>(m.Empty) | StepFrom<T::B2>(m.Empty)));
}

// A simple move with its terminator, ready to be copied into a list buffer.
struct alignas(16) TSimpleMove {
  int Entries[4];
  void WriteTo(int* move) const {
#if defined(__SSE2__)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(move), _mm_load_si128(reinterpret_cast<const __m128i*>(Entries)));
#else
    for (int i = 0; i < 3; ++i) move[i] = Entries[i];
#endif
  }
};

// SimpleMoves[side][bit][k]: the step from the square of `bit` in the k-th
// direction of the side's table.
struct TSimpleMoveTable {
  TSimpleMove Moves[2][35][4];
  constexpr TSimpleMoveTable() : Moves{} {
    const int steps[2][4] = {{4, 5, -5, -4}, {-5, -4, 4, 5}};
    for (int side = 0; side < 2; ++side)
      for (int bit = 0; bit < 35; ++bit)
        for (int k = 0; k < 4; ++k) Moves[side][bit][k] = {{MaskIndex(bit), MaskIndex(bit) + steps[side][k], 0, 0}};
  }
  constexpr const TSimpleMove (&operator[](int side) const)[35][4] { return Moves[side]; }
};
constexpr TSimpleMoveTable SimpleMoves;

// Number of set bits, without a library call where the processor lacks an instruction for it.
inline int CountBits(uint64_t x) {
#if defined(__POPCNT__) || !defined(__x86_64__)
  return std::popcount(x);
#else
  x = x - ((x >> 1) & 0x5555555555555555u);
  x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
  x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0fu;
  return static_cast<int>((x * 0x0101010101010101u) >> 56);
#endif
}

// The steps in directions D1 and D2 from the squares of two masks, counted at
// once: a step of length |D| can start on 35 - |D| squares only, so both masks
// fit one word once moved down to bit 0.
template <int D1, int D2>
inline int CountSteps(uint64_t a, uint64_t b) {
  constexpr int width = 35 - (D1 > 0 ? D1 : -D1);
  auto low = []<int D>(uint64_t x) { return D > 0 ? x : x >> -D; };
  return CountBits(low.template operator()<D1>(a) | low.template operator()<D2>(b) << width);
}

inline bool Has(uint64_t mask, int bit) { return (mask >> bit) & 1; }

}  // namespace

void TMoveGenerator::MakeMoveList(int* board, TPlayer side, TMoveList* list) {
  MakeMoveList(MasksOf(board), side, list);
  Board = board;
}

void TMoveGenerator::MakeMoveList(const TBoardMasks& masks, TPlayer side, TMoveList* list) {
  CurrentLength = 0;
  list->NumMoves = 0;
  list->CaptureMoves = false;
  Board = nullptr;
  Side = side;
  MoveList = list;
  if (side == White)
    List<White>(masks);
  else
    List<Black>(masks);
}

int TMoveGenerator::CountMoves(const int* board, TPlayer side) { return CountMoves(MasksOf(board), side); }

int TMoveGenerator::CountMoves(const TBoardMasks& masks, TPlayer side) {
  return side == White ? Count<White>(masks) : Count<Black>(masks);
}

template <int S>
void TMoveGenerator::List(const TBoardMasks& m) {
  using T = TSteps<S>;
  const uint64_t own = m.Pieces[S], kings = own & m.Kings;
  TMoveList* const list = MoveList;

  if (uint64_t jumpers = AllJumpers<S>(m)) {
    list->CaptureMoves = true;
    do {
      const int bit = std::countr_zero(jumpers);
      jumpers &= jumpers - 1;
      CurrentMove[0] = MaskIndex(bit);
      CurrentLength = 1;
      PieceJumps<S, TOut::Write>(m, bit, Has(kings, bit));
    } while (jumpers != 0);
    CurrentLength = 0;
    return;
  }

  // Every direction a piece has is written and only the open ones are kept
  // (the count moves on past them), which spares a branch per direction. A
  // move is written at the count of open moves before it, so the list needs
  // room for one past the most there can be.
  if (list->Capacity < MaxSimpleMoves + 1) [[unlikely]] list->Reserve(MaxSimpleMoves + 1);
  const uint64_t f1 = own & StepFrom<T::F1>(m.Empty), f2 = own & StepFrom<T::F2>(m.Empty);
  int* const* const moves = list->Moves;
  const uint64_t b1 = kings & StepFrom<T::B1>(m.Empty), b2 = kings & StepFrom<T::B2>(m.Empty);
  int n = 0;
  for (uint64_t movers = f1 | f2 | b1 | b2; movers != 0; movers &= movers - 1) {
    const int bit = std::countr_zero(movers);
    const TSimpleMove* step = SimpleMoves[S][bit];
    step[0].WriteTo(moves[n]);
    n += static_cast<int>((f1 >> bit) & 1);
    step[1].WriteTo(moves[n]);
    n += static_cast<int>((f2 >> bit) & 1);
    if ((kings >> bit) & 1) {
      step[2].WriteTo(moves[n]);
      n += static_cast<int>((b1 >> bit) & 1);
      step[3].WriteTo(moves[n]);
      n += static_cast<int>((b2 >> bit) & 1);
    }
  }
  list->NumMoves = n;
}

void TMoveGenerator::MakeMaskList(const TBoardMasks& masks, TPlayer side, TMaskMoveList* list) {
  list->NumMoves = 0;
  list->CaptureMoves = false;
  MaskList = list;
  if (side == White)
    ListMasks<White>(masks);
  else
    ListMasks<Black>(masks);
}

template <int S>
void TMoveGenerator::ListMasks(const TBoardMasks& m) {
  using T = TSteps<S>;
  const uint64_t own = m.Pieces[S], kings = own & m.Kings;
  TMaskMoveList* const list = MaskList;
  if (uint64_t jumpers = AllJumpers<S>(m)) {
    list->CaptureMoves = true;
    maskEnemy_ = m.Pieces[1 - S];
    do {
      const int bit = std::countr_zero(jumpers);
      jumpers &= jumpers - 1;
      maskFrom_ = static_cast<uint8_t>(bit);
      PieceJumps<S, TOut::Mask>(m, bit, Has(kings, bit));
    } while (jumpers != 0);
    return;
  }
  // In the order List writes them: by square, then the piece's directions.
  const uint64_t f1 = own & StepFrom<T::F1>(m.Empty), f2 = own & StepFrom<T::F2>(m.Empty);
  const uint64_t b1 = kings & StepFrom<T::B1>(m.Empty), b2 = kings & StepFrom<T::B2>(m.Empty);
  for (uint64_t movers = f1 | f2 | b1 | b2; movers != 0; movers &= movers - 1) {
    const int bit = std::countr_zero(movers);
    const auto from = static_cast<uint8_t>(bit);
    if ((f1 >> bit) & 1) list->Add(from, static_cast<uint8_t>(bit + T::F1), 0);
    if ((f2 >> bit) & 1) list->Add(from, static_cast<uint8_t>(bit + T::F2), 0);
    if ((b1 >> bit) & 1) list->Add(from, static_cast<uint8_t>(bit + T::B1), 0);
    if ((b2 >> bit) & 1) list->Add(from, static_cast<uint8_t>(bit + T::B2), 0);
  }
}

template <int S>
int TMoveGenerator::Count(const TBoardMasks& m) {
  using T = TSteps<S>;
  const uint64_t own = m.Pieces[S], kings = own & m.Kings;
  if (uint64_t jumpers = AllJumpers<S>(m)) {
    int n = 0;
    do {
      const int bit = std::countr_zero(jumpers);
      jumpers &= jumpers - 1;
      n += PieceJumps<S, TOut::Count>(m, bit, Has(kings, bit));
    } while (jumpers != 0);
    return n;
  }
  const int forward = CountSteps<T::F1, T::F2>(own & StepFrom<T::F1>(m.Empty), own & StepFrom<T::F2>(m.Empty));
  if (kings == 0) return forward;
  return forward + CountSteps<T::B1, T::B2>(kings & StepFrom<T::B1>(m.Empty), kings & StepFrom<T::B2>(m.Empty));
}

template <int S, TMoveGenerator::TOut Out>
int TMoveGenerator::PieceJumps(const TBoardMasks& m, int bit, bool king) {
  const uint64_t enemy = m.Pieces[1 - S];
  const uint64_t empty = m.Empty | uint64_t{1} << bit;  // the piece leaves its square
  return king ? Jumps<S, true, Out>(bit, enemy, empty) : Jumps<S, false, Out>(bit, enemy, empty);
}

template <int S, bool King, TMoveGenerator::TOut Out>
int TMoveGenerator::Jumps(int bit, uint64_t enemy, uint64_t empty) {
  using T = TSteps<S>;
  const uint64_t here = uint64_t{1} << bit;
  int found = 0;
  bool jumped = false;
  // One jump in direction D when it is possible from here; the piece's code
  // never changes on the way, so a man keeps to its forward steps.
  auto jump = [&]<int D>() {
    if (!(JumpersOf<D>(here, enemy, empty))) return;
    jumped = true;
    const int over = bit + D;
    const uint64_t taken = uint64_t{1} << over;
    if constexpr (Out == TOut::Write) {
      CurrentMove[CurrentLength] = MaskIndex(over);
      CurrentMove[CurrentLength + 1] = MaskIndex(over + D);
      CurrentLength += 2;
    }
    found += Jumps<S, King, Out>(over + D, enemy & ~taken, empty | taken);
    if constexpr (Out == TOut::Write) CurrentLength -= 2;
  };
  jump.template operator()<T::F1>();
  jump.template operator()<T::F2>();
  if constexpr (King) {
    jump.template operator()<T::B1>();
    jump.template operator()<T::B2>();
  }
  if (jumped) return found;
  // The sequence is complete (the piece's own square never ends a search: it jumped to get here).
  if constexpr (Out == TOut::Write) SaveMove();
  if constexpr (Out == TOut::Mask) MaskList->Add(maskFrom_, static_cast<uint8_t>(bit), maskEnemy_ & ~enemy);
  return 1;
}

void TMoveGenerator::SaveMove() {
  TMoveList* const list = MoveList;
  if (list->NumMoves == list->Capacity) [[unlikely]] list->Reserve(list->Capacity * 2);
  int* const dst = list->Moves[list->NumMoves++];
  const int n = CurrentLength;
  for (int i = 0; i < n; ++i) dst[i] = CurrentMove[i];
  dst[n] = 0;
}

int TMoveGenerator::TestPos(const int* board, TPlayer side) const { return TestPos(MasksOf(board), side); }

int TMoveGenerator::TestPos(const TBoardMasks& m, TPlayer side) {
  if (side == White) {
    if (AllJumpers<White>(m)) return 1;
    return AllSteppers<White>(m) ? 2 : 0;
  }
  if (AllJumpers<Black>(m)) return 1;
  return AllSteppers<Black>(m) ? 2 : 0;
}

int TMoveGenerator::NoMovesLeft(const int* board, TPlayer side) const {
  return TestPos(board, side) == 0 ? 1 : 0;
}
