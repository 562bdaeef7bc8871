// TBoardMasks: a position as bit masks over the board indices, for the move
// generator's whole-board tests. Bit b stands for index b + 10, so a diagonal
// step of +-4 or +-5 on the board is a shift by 4 or 5 here; the ghost cells
// (bits 8, 17, 26) and everything past bit 34 are never set.
#pragma once

#include <cstdint>

#include "engine/Board.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

struct TBoardMasks {
  uint64_t Empty = 0;
  uint64_t Pieces[2] = {0, 0};  // by colour: White, Black
  uint64_t Kings = 0;           // of both colours
};

constexpr int MaskBit(int index) { return index - FirstSquare; }
constexpr int MaskIndex(int bit) { return bit + FirstSquare; }

// The square code (TSquareCode) of a playable board index.
inline int CodeAt(const TBoardMasks& m, int index) {
  const int bit = MaskBit(index);
  if ((m.Empty >> bit) & 1) return Empty;
  const int colour = static_cast<int>((m.Pieces[Black] >> bit) & 1);
  if (colour == 0 && ((m.Pieces[White] >> bit) & 1) == 0) return OffBoard;
  return ((m.Kings >> bit) & 1 ? WhiteKing : WhiteMan) + colour;
}

// Rows 0 (10..13) and 7 (41..44).
constexpr uint64_t CrowningRows = uint64_t{0xf} | uint64_t{0xf} << MaskBit(41);

// The squares whose neighbour in direction d (a board step) is in `mask`.
template <int D>
constexpr uint64_t StepFrom(uint64_t mask) {
  if constexpr (D > 0)
    return mask >> D;
  else
    return mask << -D;
}

#if defined(__SSE2__)
namespace board_masks_detail {

// Cells 10 + 16k .. 25 + 16k as one byte each (the codes fit a byte).
inline __m128i LoadBytes(const int* cells) {
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + 4));
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + 8));
  const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + 12));
  return _mm_packs_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d));
}

// One bit of every cell's code, gathered from the three byte vectors.
template <int Bit>
inline uint64_t Plane(__m128i lo, __m128i mid, __m128i hi) {
  // Shifting 16-bit lanes moves the wanted bit of each byte to its top bit.
  auto top = [](__m128i x) {
    return static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(_mm_slli_epi16(x, 7 - Bit))));
  };
  return top(lo) | top(mid) << 16 | top(hi) << 32;
}

}  // namespace board_masks_detail
#endif

// Reads the 35 cells from 10 to 44 of a 55-cell board.
inline TBoardMasks MasksOf(const int* board) {
  TBoardMasks m;
#if defined(__SSE2__)
  using namespace board_masks_detail;
  // Cells 10..25, 26..41 and 42..45 (cell 45 is border and reads as nothing).
  const __m128i lo = LoadBytes(board + 10);
  const __m128i mid = LoadBytes(board + 26);
  const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(board + 42));
  const __m128i hi = _mm_packs_epi16(_mm_packs_epi32(tail, _mm_set1_epi32(OffBoard)), _mm_set1_epi16(OffBoard));
  // Bit 0 of a code is the colour (and set for OffBoard), bit 1 marks a man,
  // bit 2 Empty and OffBoard. The 48 cells read are all cells of the board.
  constexpr uint64_t read = (uint64_t{1} << 48) - 1;
  const uint64_t colour = Plane<0>(lo, mid, hi), man = Plane<1>(lo, mid, hi), none = Plane<2>(lo, mid, hi);
  m.Empty = none & ~colour;
  m.Pieces[White] = ~(none | colour) & read;
  m.Pieces[Black] = colour & ~none;
  m.Kings = ~(none | man) & read;
#else
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    const uint64_t bit = uint64_t{1} << MaskBit(i);
    const int code = board[i];
    if (code == Empty) m.Empty |= bit;
    if (IsPiece(code)) m.Pieces[code & 1] |= bit;
    if (IsKing(code)) m.Kings |= bit;
  }
#endif
  return m;
}
