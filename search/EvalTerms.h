// The terms of the fitted evaluation: which features a position has, read from
// its bit masks. The search's evaluation and the tuning program both list them
// through PatternTerms, so what is fitted is exactly what is played.
//
// Every term is counted from Black's view: Black's count minus White's count
// of the same thing seen from White's side of the board. Each term has two
// weights, one for a full board and one for a bare one; a position's score
// blends them by the number of pieces left.
#pragma once

#include <bit>
#include <cstdint>

#include "engine/BoardMasks.h"

namespace evalterms {

// A man or king of its owner on a square counted from the owner's side
// (0 is the owner's square 1 for Black, 32 for White). These two tables also
// carry the pieces' material.
constexpr int ManSquare = 0;
constexpr int KingSquare = 32;
constexpr int BackRank = 64;      // 16: which of its four home-row squares a side still holds with men
constexpr int ManMobility = 80;   // simple moves of men
constexpr int KingMobility = 81;  // simple moves of kings
constexpr int TrappedKing = 82;   // kings without an empty square next to them
constexpr int Runaway = 83;       // 3: a man 1, 2 or 3 rows from crowning with no enemy piece ahead
constexpr int Turn = 86;          // the side to move
constexpr int Exchange = 87;      // 24 x (lead in pieces) / (pieces on the board)
constexpr int CornerKing = 88;    // kings of the side behind in pieces, in a double corner
constexpr int EdgeBlock = 89;     // a man on square 20 facing one on 24 (and the mirror)
constexpr int CornerGuard = 90;   // men on squares 1 and 5 or 6
constexpr int OnlyKings = 91;     // the side with kings when the other has none
constexpr int Threat = 92;        // the side not to move could capture
// 4 x 6561: what stands on each pair of rows, counted from the owner's home
// rows (0) to the crowning ones (3); each of the eight squares holds no man,
// a man of the owner's or one of the opponent's, read as a number in base 3.
// Kings are left out: they have their own squares' table.
constexpr int Region = 93;
constexpr int RegionPatterns = 6561;
// 9 x 6561: the same for blocks of four rows by four columns (eight squares):
// rows 0-3, 2-5 and 4-7 from the owner's home, each at the board's two sides
// and in its middle, so that men are also seen with the men beside them and
// on the rows ahead. Block 3k + c: rows 2k to 2k + 3, from the side of the
// owner's square 4 (c = 0) to that of its square 1 (c = 2).
constexpr int Block = Region + 4 * RegionPatterns;
constexpr int Count = Block + 9 * RegionPatterns;

// Full board: the blend's weight of the first table, out of PhaseScale.
constexpr int PhaseScale = 24;
inline int Phase(int pieces) { return pieces < PhaseScale ? pieces : PhaseScale; }

// The owner-relative square (0..31) of board index `index` for a piece of `colour`.
int RelativeSquare(int index, int colour);

namespace detail {
// Squares a man of the colour on the index must cross to crown, widening one
// column each row (its own square left out); 0 beyond three rows from crowning.
extern uint64_t Cone[2][45];
constexpr uint64_t DoubleCorners = uint64_t{1} << MaskBit(10) | uint64_t{1} << MaskBit(14) |
                                   uint64_t{1} << MaskBit(40) | uint64_t{1} << MaskBit(44);
[[gnu::always_inline]] inline bool Has(uint64_t mask, int index) { return (mask >> MaskBit(index)) & 1; }

// Black moves towards lower indices, White towards higher.
[[gnu::always_inline]] inline int ManMoves(uint64_t men, uint64_t empty, int colour) {
  return colour == Black ? std::popcount((men >> 4) & empty) + std::popcount((men >> 5) & empty)
                         : std::popcount((men << 4) & empty) + std::popcount((men << 5) & empty);
}
[[gnu::always_inline]] inline int KingMoves(uint64_t kings, uint64_t empty) {
  return std::popcount((kings >> 4) & empty) + std::popcount((kings >> 5) & empty) +
         std::popcount((kings << 4) & empty) + std::popcount((kings << 5) & empty);
}
[[gnu::always_inline]] inline bool CanCapture(uint64_t men, uint64_t kings, uint64_t enemy, uint64_t empty, int colour) {
  const uint64_t down = colour == Black ? men | kings : kings;
  const uint64_t up = colour == White ? men | kings : kings;
  return ((((down >> 4) & enemy) >> 4) & empty) != 0 || ((((down >> 5) & enemy) >> 5) & empty) != 0 ||
         ((((up << 4) & enemy) << 4) & empty) != 0 || ((((up << 5) & enemy) << 5) & empty) != 0;
}
// Eight squares' bits as base-3 digits 0 or 1, in the bits' order or the reverse.
struct TBase3 {
  uint16_t Forward[256];
  uint16_t Reversed[256];
};
constexpr TBase3 MakeBase3() {
  TBase3 t{};
  for (int bits = 0; bits < 256; ++bits) {
    int forward = 0, reversed = 0;
    for (int b = 7; b >= 0; --b) {
      forward = forward * 3 + ((bits >> b) & 1);
      reversed = reversed * 3 + ((bits >> (7 - b)) & 1);
    }
    t.Forward[bits] = static_cast<uint16_t>(forward);
    t.Reversed[bits] = static_cast<uint16_t>(reversed);
  }
  return t;
}
inline constexpr TBase3 Base3 = MakeBase3();
// Each pair of rows fills eight bits of the masks in a row: rows counted from
// Black's home (indices 37..44) to White's (10..17).
constexpr int RegionStart[4] = {37, 28, 19, 10};
// The first index of each row, from White's home row (10) to Black's (41).
constexpr int RowStart[8] = {10, 14, 19, 23, 28, 32, 37, 41};
// A block takes two neighbouring squares of each of its four rows, at offset
// 0, 1 or 2 in the row. For a row's men (own | opponent's << 4) and an
// offset, the two squares' base-3 digits (0 empty, 1 own, 2 opponent's):
// Low in the row's order (the block read forward, for Black), High in the
// reverse order (the block read backwards, for White).
struct TBlockDigits {
  uint8_t Low[3][256];
  uint8_t High[3][256];
};
constexpr TBlockDigits MakeBlockDigits() {
  TBlockDigits t{};
  for (int c = 0; c < 3; ++c)
    for (int men = 0; men < 256; ++men) {
      auto digit = [men](int b) { return ((men >> b) & 1) + 2 * ((men >> (b + 4)) & 1); };
      t.Low[c][men] = static_cast<uint8_t>(digit(c) + 3 * digit(c + 1));
      t.High[c][men] = static_cast<uint8_t>(3 * digit(c) + digit(c + 1));
    }
  return t;
}
inline constexpr TBlockDigits BlockDigits = MakeBlockDigits();
[[gnu::always_inline]] inline uint64_t Trapped(uint64_t kings, uint64_t empty) {
  return kings & ~((empty << 4) | (empty << 5) | (empty >> 4) | (empty >> 5));
}

// The eight squares of each block as masks' bits, Black's block b (3k + c)
// and White's, which is Black's turned half a turn: Black reads a block's
// men in the bits' order as base-3 digits from the lowest, White in the reverse
// order (Base3.Forward and Base3.Reversed of the bits a mask picks out).
struct TBlockMasks {
  uint64_t Of[2][9];
};
constexpr TBlockMasks MakeBlockMasks() {
  TBlockMasks t{};
  for (int k = 0; k < 3; ++k)
    for (int c = 0; c < 3; ++c)
      for (int r = 0; r < 4; ++r)
        for (int i = 0; i < 2; ++i) {
          t.Of[Black][3 * k + c] |= uint64_t{1} << MaskBit(RowStart[4 - 2 * k + r] + c + i);
          t.Of[White][3 * k + c] |= uint64_t{1} << MaskBit(RowStart[2 * k + r] + 2 - c + i);
        }
  return t;
}
inline constexpr TBlockMasks BlockMasks = MakeBlockMasks();
}  // namespace detail

// Calls add(term, value) for each term but the two square tables (which the
// search keeps up to date move by move), `toMove` being the side to move.
// Without `Blocks` the blocks' patterns are left to the caller, who reads them
// some faster way.
template <bool Blocks = true, typename Add>
[[gnu::always_inline]] inline void PatternTerms(const TBoardMasks& m, TPlayer toMove, Add&& add) {
  using namespace detail;
  const uint64_t empty = m.Empty;
  const uint64_t men[2] = {m.Pieces[White] & ~m.Kings, m.Pieces[Black] & ~m.Kings};
  const uint64_t kings[2] = {m.Pieces[White] & m.Kings, m.Pieces[Black] & m.Kings};
  const int pieces[2] = {std::popcount(m.Pieces[White]), std::popcount(m.Pieces[Black])};
  const int kingCount[2] = {std::popcount(kings[White]), std::popcount(kings[Black])};

  // Home rows: Black's squares 4, 3, 2, 1 (indices 41..44) are bits 1, 2, 4, 8,
  // White's mirror squares 29, 30, 31, 32 (indices 13..10) the same bits.
  const int blackRank = static_cast<int>((men[Black] >> MaskBit(41)) & 0xf);
  const uint64_t w = men[White];
  const int whiteRank = static_cast<int>(((w >> 3) & 1) | ((w >> 1) & 2) | ((w << 1) & 4) | ((w << 3) & 8));
  if (blackRank != whiteRank) {
    add(BackRank + blackRank, 1);
    add(BackRank + whiteRank, -1);
  }

  add(ManMobility, ManMoves(men[Black], empty, Black) - ManMoves(men[White], empty, White));
  add(KingMobility, KingMoves(kings[Black], empty) - KingMoves(kings[White], empty));
  if (kingCount[Black] | kingCount[White])
    add(TrappedKing, std::popcount(Trapped(kings[Black], empty)) - std::popcount(Trapped(kings[White], empty)));

  // Men within three rows of crowning: Black's on indices 14..26, White's on 28..40.
  for (int colour = 0; colour < 2; ++colour) {
    const uint64_t zone = colour == Black ? uint64_t{0x1fff} << MaskBit(14) : uint64_t{0x1fff} << MaskBit(28);
    const int sign = colour == Black ? 1 : -1;
    for (uint64_t near = men[colour] & zone; near != 0; near &= near - 1) {
      const int index = MaskIndex(std::countr_zero(near));
      if ((Cone[colour][index] & m.Pieces[1 - colour]) != 0) continue;
      const int row = index < 18 ? 1 : index < 23 ? 2 : index < 27 ? 3 : index < 32 ? 4 : index < 36 ? 5 : 6;
      const int distance = colour == Black ? row : 7 - row;
      add(Runaway + distance - 1, sign);
    }
  }

  add(Turn, toMove == Black ? 1 : -1);
  const int lead = pieces[Black] - pieces[White];
  if (lead != 0) {
    add(Exchange, PhaseScale * lead / (pieces[Black] + pieces[White]));
    const int behind = lead < 0 ? Black : White;
    const int corner = std::popcount(kings[behind] & DoubleCorners);
    if (corner != 0) add(CornerKing, behind == Black ? corner : -corner);
  }
  add(EdgeBlock, (Has(men[Black], 23) && Has(men[White], 19)) - (Has(men[White], 31) && Has(men[Black], 35)));
  add(CornerGuard, (Has(men[Black], 44) && (Has(men[Black], 39) || Has(men[Black], 40))) -
                       (Has(men[White], 10) && (Has(men[White], 14) || Has(men[White], 15))));
  add(OnlyKings, (kingCount[Black] > 0 && kingCount[White] == 0) - (kingCount[White] > 0 && kingCount[Black] == 0));
  // Black reads its rows as the masks hold them, White the mirror rows in
  // the reverse order, so that both read from their own side.
  for (int k = 0; k < 4; ++k) {
    const int black = MaskBit(RegionStart[k]), white = MaskBit(RegionStart[3 - k]);
    const unsigned bo = (men[Black] >> black) & 0xff, bw = (men[White] >> black) & 0xff;
    const unsigned wo = (men[White] >> white) & 0xff, wb = (men[Black] >> white) & 0xff;
    add(Region + k * RegionPatterns + Base3.Forward[bo] + 2 * Base3.Forward[bw], 1);
    add(Region + k * RegionPatterns + Base3.Reversed[wo] + 2 * Base3.Reversed[wb], -1);
  }
  // Black's block k of rows (0 at its home) is the masks' rows 4 - 2k to
  // 7 - 2k, read forward; White's the masks' rows 2k to 2k + 3 at the mirror
  // offset, read backwards (the board turned half a turn).
  if constexpr (Blocks) {
    unsigned char blackRow[8], whiteRow[8];
    for (int r = 0; r < 8; ++r) {
      const int bit = MaskBit(RowStart[r]);
      const unsigned bm = (men[Black] >> bit) & 0xf, wm = (men[White] >> bit) & 0xf;
      blackRow[r] = static_cast<unsigned char>(bm | wm << 4);
      whiteRow[r] = static_cast<unsigned char>(wm | bm << 4);
    }
    for (int k = 0; k < 3; ++k)
      for (int c = 0; c < 3; ++c) {
        const int term = Block + (3 * k + c) * RegionPatterns;
        const unsigned char* const br = blackRow + 4 - 2 * k;
        const unsigned char* const wr = whiteRow + 2 * k;
        const uint8_t* const low = BlockDigits.Low[c];
        const uint8_t* const high = BlockDigits.High[2 - c];
        add(term + low[br[0]] + 9 * low[br[1]] + 81 * low[br[2]] + 729 * low[br[3]], 1);
        add(term + 729 * high[wr[0]] + 81 * high[wr[1]] + 9 * high[wr[2]] + high[wr[3]], -1);
      }
  }
  const int waiting = 1 - toMove;
  if (CanCapture(men[waiting], kings[waiting], m.Pieces[toMove], empty, waiting))
    add(Threat, waiting == Black ? 1 : -1);
}

}  // namespace evalterms
