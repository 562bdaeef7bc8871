#include "egdb/Indexing.h"

#include "engine/Metrics.h"

namespace {

constexpr int MaxK = EgdbMaxSupportedPieces;

struct TTables {
  std::uint32_t Choose[33][MaxK + 1];  // Choose[n][k] = n over k
  int Square[33];                      // board index of square 1..32
  TTables() {
    for (int n = 0; n <= 32; ++n) {
      Choose[n][0] = 1;
      for (int k = 1; k <= MaxK; ++k) Choose[n][k] = n == 0 ? 0 : Choose[n - 1][k - 1] + Choose[n - 1][k];
    }
    for (int n = 1; n <= 32; ++n) Square[n] = TMetrics::NotationToSquare(n);
    Square[0] = 0;
  }
};

const TTables& Tables() {
  static const TTables tables;
  return tables;
}

// Sizes of the four groups: White men, Black men, White kings, Black kings.
void GroupSizes(const TMaterialSplit& s, std::uint32_t* sizes) {
  const TTables& t = Tables();
  sizes[0] = t.Choose[28][s.WhiteMen];
  sizes[1] = t.Choose[28][s.BlackMen];
  sizes[2] = t.Choose[32 - s.Men()][s.WhiteKings];
  sizes[3] = t.Choose[32 - s.Men() - s.WhiteKings][s.BlackKings];
}

// The k ranks (ascending) of a combination's colex number.
void DecodeCombination(std::uint32_t number, int k, int limit, int* ranks) {
  const TTables& t = Tables();
  int r = limit - 1;
  for (int i = k - 1; i >= 0; --i) {
    while (t.Choose[r][i + 1] > number) --r;
    number -= t.Choose[r][i + 1];
    ranks[i] = r;
    --r;
  }
}

}  // namespace

std::uint32_t TMaterialSplit::Size() const {
  std::uint32_t sizes[4];
  GroupSizes(*this, sizes);
  return sizes[0] * sizes[1] * sizes[2] * sizes[3] * 2;
}

std::string TMaterialSplit::Name() const {
  return std::string(WhiteKings, 'K') + std::string(WhiteMen, 'M') + "-" + std::string(BlackKings, 'K') +
         std::string(BlackMen, 'M');
}

std::vector<TMaterialSplit> EgdbSplits(int maxPieces) {
  std::vector<TMaterialSplit> splits;
  for (int pieces = 2; pieces <= maxPieces; ++pieces)
    for (int men = 0; men <= pieces; ++men)
      for (int wm = 0; wm <= men; ++wm)
        for (int wk = 0; wk <= pieces - men; ++wk) {
          const TMaterialSplit s{wk, wm, pieces - men - wk, men - wm};
          if (s.WhiteKings + s.WhiteMen > 0 && s.BlackKings + s.BlackMen > 0) splits.push_back(s);
        }
  return splits;
}

TMaterialSplit SplitOf(const int* board) {
  TMaterialSplit s;
  const TTables& t = Tables();
  for (int n = 1; n <= 32; ++n) {
    switch (board[t.Square[n]]) {
      case WhiteKing: ++s.WhiteKings; break;
      case WhiteMan: ++s.WhiteMen; break;
      case BlackKing: ++s.BlackKings; break;
      case BlackMan: ++s.BlackMen; break;
      default: break;
    }
  }
  return s;
}

std::uint32_t PositionIndex(const TMaterialSplit& split, const int* board, TPlayer side) {
  const TTables& t = Tables();
  std::uint32_t sizes[4];
  GroupSizes(split, sizes);
  std::uint32_t part[4] = {0, 0, 0, 0};
  int seen[4] = {0, 0, 0, 0};
  for (int n = 1; n <= 32; ++n) {
    const int code = board[t.Square[n]];
    if (code >= Empty) continue;
    const int men = seen[0] + seen[1];
    switch (code) {
      case WhiteMan:
        if (n < 5) return NoIndex;  // a man on its crowning row
        part[0] += t.Choose[n - 5][++seen[0]];
        break;
      case BlackMan:
        if (n > 28) return NoIndex;
        part[1] += t.Choose[n - 1][++seen[1]];
        break;
      case WhiteKing: part[2] += t.Choose[n - 1 - men][++seen[2]]; break;
      default: part[3] += t.Choose[n - 1 - men - seen[2]][++seen[3]]; break;
    }
    if (seen[0] + seen[1] + seen[2] + seen[3] > MaxK) return NoIndex;
  }
  return (((part[0] * sizes[1] + part[1]) * sizes[2] + part[2]) * sizes[3] + part[3]) * 2 + side;
}

bool SplitAndIndex(const int* board, TPlayer side, TMaterialSplit* split, std::uint32_t* index) {
  const TTables& t = Tables();
  int count[4] = {0, 0, 0, 0};  // White men, Black men, White kings, Black kings
  for (int n = 1; n <= 32; ++n) {
    const int code = board[t.Square[n]];
    if (code >= Empty) continue;
    ++count[code < 2 ? 2 + code : code - 2];
    if (count[0] + count[1] + count[2] + count[3] > MaxK) return false;
  }
  *split = TMaterialSplit{count[2], count[0], count[3], count[1]};
  *index = PositionIndex(*split, board, side);
  return true;
}

bool DecodePosition(const TMaterialSplit& split, std::uint32_t index, int* board, TPlayer* side) {
  const TTables& t = Tables();
  std::uint32_t sizes[4];
  GroupSizes(split, sizes);
  *side = static_cast<TPlayer>(index & 1);
  index >>= 1;
  std::uint32_t part[4];
  for (int g = 3; g >= 0; --g) {
    part[g] = index % sizes[g];
    index /= sizes[g];
  }
  for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
  int ranks[MaxK];
  DecodeCombination(part[0], split.WhiteMen, 28, ranks);
  for (int i = 0; i < split.WhiteMen; ++i) board[t.Square[ranks[i] + 5]] = WhiteMan;
  DecodeCombination(part[1], split.BlackMen, 28, ranks);
  for (int i = 0; i < split.BlackMen; ++i) {
    int& cell = board[t.Square[ranks[i] + 1]];
    if (cell != Empty) return false;
    cell = BlackMan;
  }
  // Kings go on the free squares, counted in ascending order.
  const int kings[2] = {split.WhiteKings, split.BlackKings};
  const int codes[2] = {WhiteKing, BlackKing};
  for (int g = 0; g < 2; ++g) {
    DecodeCombination(part[2 + g], kings[g], 32 - split.Men() - (g == 1 ? split.WhiteKings : 0), ranks);
    int free = -1, next = 0;
    for (int n = 1; n <= 32 && next < kings[g]; ++n) {
      if (board[t.Square[n]] != Empty) continue;
      if (++free == ranks[next]) {
        board[t.Square[n]] = codes[g];
        ++next;
      }
    }
  }
  return true;
}
