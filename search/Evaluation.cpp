#include "search/Evaluation.h"

#include <cstdlib>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

#include "engine/BoardMasks.h"
#include "engine/Metrics.h"

TEvaluationKind EvaluationKind = TEvaluationKind::Fitted;

namespace {

// Each piece code's square-table entries for the two blends, signed for
// Black's view, from the weights in use.
int SquareOpening[4][45];
int SquareEnding[4][45];
TEvalWeights Weights;
// Each term's two weights in one number (opening x 65536 + ending), so that a
// term costs one read and the table half the cache; the ending's sum is read
// back from the low half. That needs both sums inside 16 bits: a position has
// terms of at most about 170 in all (counts and signs), so weights up to 180 are
// safe. Weights beyond that (a weights file's) are summed apart instead.
constexpr int PackedLimit = 180;
int32_t PackedWeights[evalterms::Count];
bool Packed = false;

struct TWeightsInstaller {
  TWeightsInstaller() { SetEvalWeights(FittedWeights); }
} installer;

}  // namespace

void SetEvalWeights(const TEvalWeights& weights) {
  Weights = weights;
  using namespace evalterms;
  Packed = true;
  for (int t = 0; t < Count; ++t) {
    // Wrapped in unsigned arithmetic: a weight too large to pack is not used packed.
    PackedWeights[t] = static_cast<int32_t>(static_cast<uint32_t>(weights.Opening[t]) * 65536u +
                                            static_cast<uint32_t>(weights.Ending[t]));
    // The square tables (with the material) are summed move by move, not here.
    if (t >= BackRank && (std::abs(weights.Opening[t]) > PackedLimit || std::abs(weights.Ending[t]) > PackedLimit))
      Packed = false;
  }
  for (int i = 0; i < 45; ++i) {
    for (int code = 0; code < 4; ++code) SquareOpening[code][i] = SquareEnding[code][i] = 0;
    if (!IsPlayable(i)) continue;
    for (int colour = 0; colour < 2; ++colour) {
      const int square = RelativeSquare(i, colour);
      const int sign = colour == Black ? 1 : -1;
      const int man = colour == Black ? BlackMan : WhiteMan, king = colour == Black ? BlackKing : WhiteKing;
      SquareOpening[man][i] = sign * weights.Opening[ManSquare + square];
      SquareEnding[man][i] = sign * weights.Ending[ManSquare + square];
      SquareOpening[king][i] = sign * weights.Opening[KingSquare + square];
      SquareEnding[king][i] = sign * weights.Ending[KingSquare + square];
    }
  }
}

const TEvalWeights& EvalWeights() { return Weights; }

namespace {

// The fitted score for Black. Written once and compiled several times below:
// the terms count bits on every call, and most processors have an instruction
// for it that the baseline instruction set leaves out; many also have one that
// picks a block's eight squares out of the masks at once. `blocks`, when
// given, holds the blocks' terms read that way (Black's and White's of each
// block in turn); otherwise the blocks are read row by row.
template <bool ReadBlocks>
[[gnu::always_inline]] inline int FittedForBlack(const TMaterial& m, TPlayer side, const TBoardMasks& masks,
                                                 const int* blocks) {
  auto terms = [&](auto&& add) {
    evalterms::PatternTerms<ReadBlocks>(masks, side, add);
    if constexpr (!ReadBlocks)
      for (int i = 0; i < 18; i += 2) {
        add(blocks[i], 1);
        add(blocks[i + 1], -1);
      }
  };
  int opening = m.Opening, ending = m.Ending;
  if (Packed) {
    int32_t sum = 0;
    terms([&sum](int term, int value) { sum += PackedWeights[term] * value; });
    const int16_t low = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(sum)));
    opening += (sum - low) / 65536;
    ending += low;
  } else {
    terms([&](int term, int value) {
      opening += Weights.Opening[term] * value;
      ending += Weights.Ending[term] * value;
    });
  }
  const int phase = evalterms::Phase(m.WhiteKings + m.WhiteMen + m.BlackKings + m.BlackMen);
  return (opening * phase + ending * (evalterms::PhaseScale - phase)) / evalterms::PhaseScale;
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
[[gnu::target("popcnt")]] int FittedWithCount(const TMaterial& m, TPlayer side, const TBoardMasks& masks) {
  return FittedForBlack<true>(m, side, masks, nullptr);
}
int FittedPlain(const TMaterial& m, TPlayer side, const TBoardMasks& masks) {
  return FittedForBlack<true>(m, side, masks, nullptr);
}
[[gnu::target("popcnt,bmi2")]] int FittedWithExtract(const TMaterial& m, TPlayer side, const TBoardMasks& masks) {
  using namespace evalterms;
  using detail::Base3;
  using detail::BlockMasks;
  const uint64_t black = masks.Pieces[Black] & ~masks.Kings, white = masks.Pieces[White] & ~masks.Kings;
  int blocks[18];
  for (int b = 0; b < 9; ++b) {
    const int term = Block + b * RegionPatterns;
    const uint64_t mb = BlockMasks.Of[Black][b], mw = BlockMasks.Of[White][b];
    blocks[2 * b] = term + Base3.Forward[_pext_u64(black, mb)] + 2 * Base3.Forward[_pext_u64(white, mb)];
    blocks[2 * b + 1] = term + Base3.Reversed[_pext_u64(white, mw)] + 2 * Base3.Reversed[_pext_u64(black, mw)];
  }
  return FittedForBlack<false>(m, side, masks, blocks);
}
const bool HasCount = __builtin_cpu_supports("popcnt");
// The bit extract is slow (microcoded) on the AMD families before 19h.
const bool HasFastExtract = __builtin_cpu_supports("bmi2") && !__builtin_cpu_is("amdfam15h") &&
                            !__builtin_cpu_is("amdfam17h");
bool UseExtract = HasFastExtract;
#endif

}  // namespace

bool SetBlockExtract(bool on) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  UseExtract = on && HasFastExtract;
  return UseExtract;
#else
  (void)on;
  return false;
#endif
}

int TMaterial::FittedEval(TPlayer side, const TBoardMasks& masks) const {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  const int s = UseExtract ? FittedWithExtract(*this, side, masks)
                : HasCount ? FittedWithCount(*this, side, masks)
                           : FittedPlain(*this, side, masks);
#else
  const int s = FittedForBlack<true>(*this, side, masks, nullptr);
#endif
  return side == Black ? s : -s;
}

const int BackRankValue[16] = {0, -1, 1, 0, 1, 1, 2, 1, 1, 0, 7, 4, 2, 2, 9, 8};

PositionalWeigth::PositionalWeigth() { MiddleGameValues(); }

void PositionalWeigth::MiddleGameValues() {
  for (int code = 0; code < 4; ++code)
    for (int i = 0; i < 45; ++i) Weight[code][i] = 0;
  // Black men: the crowning row is worth holding back, the edges a little less.
  static const int man[][2] = {{10, 15}, {11, 15}, {12, 15}, {13, 15}, {14, -1}, {20, 1}, {21, 1},
                               {22, -1}, {23, -1}, {24, 1},  {25, 1},  {29, 1},  {30, 1}, {31, -1},
                               {32, -1}, {33, 1},  {34, 1},  {40, -1}, {41, -1}};
  // Black kings: the centre pays, the edges cost.
  static const int king[][2] = {{10, -5}, {11, -5}, {12, -5}, {14, -5}, {20, 5}, {21, 5},
                                {22, -5}, {23, -5}, {24, 5},  {25, 5},  {29, 5}, {30, 5},
                                {31, -5}, {32, -5}, {33, 5},  {34, 5},  {40, -5}, {42, -5},
                                {43, -5}, {44, -5}};
  for (const auto& w : man) Weight[BlackMan][w[0]] = w[1];
  for (const auto& w : king) Weight[BlackKing][w[0]] = w[1];
  for (int i = 10; i <= 44; ++i) {
    Weight[WhiteMan][i] = Weight[BlackMan][54 - i];
    Weight[WhiteKing][i] = Weight[BlackKing][54 - i];
  }
}

void TMaterial::SetBoard(const int* board) {
  Positional = WhiteAdvance = BlackAdvance = Opening = Ending = 0;
  WhiteKings = BlackKings = WhiteMen = BlackMen = 0;
  for (int i = FirstSquare; i <= LastSquare; ++i) AddPiece(board[i], i);
}

void TMaterial::AddPiece(int code, int index) {
  if (static_cast<unsigned>(code) >= 4) return;
  Opening += SquareOpening[code][index];
  Ending += SquareEnding[code][index];
  switch (code) {
    case WhiteKing:
      ++WhiteKings;
      Positional -= PositionalWeigth.Weight[WhiteKing][index];
      break;
    case BlackKing:
      ++BlackKings;
      Positional += PositionalWeigth.Weight[BlackKing][index];
      break;
    case WhiteMan:
      ++WhiteMen;
      WhiteAdvance += TMetrics.Row[index];
      Positional -= PositionalWeigth.Weight[WhiteMan][index];
      break;
    case BlackMan:
      ++BlackMen;
      BlackAdvance += 7 - TMetrics.Row[index];
      Positional += PositionalWeigth.Weight[BlackMan][index];
      break;
    default:
      break;
  }
}

void TMaterial::DeletePiece(int code, int index) {
  if (static_cast<unsigned>(code) >= 4) return;
  Opening -= SquareOpening[code][index];
  Ending -= SquareEnding[code][index];
  switch (code) {
    case WhiteKing:
      --WhiteKings;
      Positional += PositionalWeigth.Weight[WhiteKing][index];
      break;
    case BlackKing:
      --BlackKings;
      Positional -= PositionalWeigth.Weight[BlackKing][index];
      break;
    case WhiteMan:
      --WhiteMen;
      WhiteAdvance -= TMetrics.Row[index];
      Positional += PositionalWeigth.Weight[WhiteMan][index];
      break;
    case BlackMan:
      --BlackMen;
      BlackAdvance -= 7 - TMetrics.Row[index];
      Positional -= PositionalWeigth.Weight[BlackMan][index];
      break;
    default:
      break;
  }
}

int TMaterial::GetMatEval(TPlayer side) const {
  const int b = 130 * BlackKings + 100 * BlackMen;
  const int w = 130 * WhiteKings + 100 * WhiteMen;
  if (b + w == 0) return 0;
  const int v = (b - w) + (250 * (b - w)) / (b + w);
  return side == Black ? v : -v;
}

int TMaterial::GetPosEval(TPlayer side, const TBoardMasks& masks) const {
  int s = Positional;
  const uint64_t whiteMen = masks.Pieces[White] & ~masks.Kings, blackMen = masks.Pieces[Black] & ~masks.Kings;
  const uint64_t whiteKings = masks.Pieces[White] & masks.Kings, blackKings = masks.Pieces[Black] & masks.Kings;
  auto on = [](uint64_t mask, int index) { return ((mask >> MaskBit(index)) & 1) != 0; };
  auto empty = [&](int index) { return on(masks.Empty, index); };

  // A man two or three steps from crowning with the way ahead clear. Only the
  // first of the four squares holding such a man is looked at.
  if (on(whiteMen, 37)) {
    if (empty(41) && empty(42)) s -= 26;
  } else if (on(whiteMen, 38)) {
    if (empty(42) && empty(43)) s -= 26;
  } else if (on(whiteMen, 39)) {
    if (empty(43) && empty(44)) s -= 26;
  } else if (on(whiteMen, 40)) {
    if (empty(44) && !on(blackKings, 39)) s -= 26;
  }
  if (on(blackMen, 17)) {
    if (empty(12) && empty(13)) s += 26;
  } else if (on(blackMen, 16)) {
    if (empty(11) && empty(12)) s += 26;
  } else if (on(blackMen, 15)) {
    if (empty(10) && empty(11)) s += 26;
  } else if (on(blackMen, 14)) {
    if (empty(10) && !on(whiteKings, 15)) s += 26;
  }

  // The side behind in pieces likes its kings in a double corner.
  const int whiteTotal = WhiteKings + WhiteMen;
  const int blackTotal = BlackKings + BlackMen;
  for (int corner : DoubleCorner) {
    if (blackTotal > whiteTotal && WhiteKings < 3 && on(whiteKings, corner)) s -= 15;
    if (whiteTotal > blackTotal && BlackKings < 3 && on(blackKings, corner)) s += 15;
  }

  if (on(blackMen, 23) && on(whiteMen, 19)) s += 5;
  if (on(whiteMen, 31) && on(blackMen, 35)) s -= 5;
  if (on(blackMen, 44) && (on(blackMen, 39) || on(blackMen, 40))) s += 3;
  if (on(whiteMen, 10) && (on(whiteMen, 14) || on(whiteMen, 15))) s -= 3;

  // Advancing costs while the board is full and pays in the ending.
  const int men = WhiteMen + BlackMen;
  const int advance = BlackAdvance - WhiteAdvance;
  if (men >= 16)
    s -= 2 * advance;
  else if (men >= 12)
    s -= advance;
  else if (men <= 8)
    s += 2 * advance;

  const int blackMask = static_cast<int>((blackMen >> MaskBit(41)) & 0xf);
  const int whiteMask = (on(whiteMen, 13) ? 1 : 0) | (on(whiteMen, 12) ? 2 : 0) | (on(whiteMen, 11) ? 4 : 0) |
                        (on(whiteMen, 10) ? 8 : 0);
  s += 3 * (BackRankValue[blackMask] - BackRankValue[whiteMask]);

  return side == Black ? s + 2 : 2 - s;
}

// The weights every search reads; made before main and never changed.
class PositionalWeigth PositionalWeigth;
