// Move ordering of the table-using search: table move, killers, positional
// gain, capture balance and a bonus for a man running in to crown.
#include <bit>
#include <utility>

#include "search/HashTable.h"
#include "search/Searcher.h"

namespace {

// Bonus for a man's simple move onto the second or third row before its
// crowning row when the squares ahead of it are clear. Written for White; a
// Black man's move is the same move on the board turned half a turn (s <-> 54 - s).
// `cell(index)` is the code on a board index.
template <typename Cell>
int AdvanceBonus(int code, int to, Cell cell) {
  if (code != WhiteMan && code != BlackMan) return 0;
  const bool white = code == WhiteMan;
  auto at = [&cell, white](int s) { return cell(white ? s : 54 - s); };
  auto empty = [&at](int s) { return at(s) == Empty; };
  switch (white ? to : 54 - to) {
    case 32: return empty(37) && empty(41) && empty(42) ? 23 : 0;
    case 33: return empty(37) && empty(38) && empty(42) && (empty(41) || empty(43)) ? 23 : 0;
    case 34: return empty(38) && empty(39) && empty(43) && (empty(42) || empty(44)) ? 23 : 0;
    case 35: return empty(39) && empty(40) && empty(44) ? 23 : 0;
    case 37: return empty(41) && empty(42) ? 26 : 0;
    case 38: return empty(42) && empty(43) ? 26 : 0;
    case 39: return empty(43) && empty(44) ? 26 : 0;
    case 40: return empty(44) && at(39) != (white ? BlackKing : WhiteKing) ? 26 : 0;
    default: return 0;
  }
}

// Selection sort with exchange: the first of the largest scores comes forward.
template <typename Move>
void SelectionSort(Move* moves, int* scores, int* indices, int n) {
  for (int i = 0; i < n - 1; ++i) {
    int m = i;
    for (int k = i + 1; k < n; ++k)
      if (scores[k] > scores[m]) m = k;
    if (m != i) {
      std::swap(moves[i], moves[m]);
      std::swap(indices[i], indices[m]);
      std::swap(scores[i], scores[m]);
    }
  }
}

}  // namespace

void TSearcher::SortMoves(TMoveList& list, int* scores, int* indices, int ply, const int* board) {
  const int n = list.NumMoves;
  for (int i = 0; i < n; ++i) {
    const int* move = list.Moves[i];
    const int from = move[0];
    const int code = board[from];
    const int* weight = PositionalWeigth.Weight[code];
    int s = scores[i] - weight[from] + TKillers.KillerIncrement(move, ply);
    int k = 1;
    if (list.CaptureMoves) {
      s -= PieceValue[code];
      for (; move[k] != 0; ++k) s += PieceValue[board[move[k]]];
    } else {
      k = 2;
      s += AdvanceBonus(code, move[1], [board](int index) { return board[index]; });
    }
    s += weight[move[k - 1]];
    scores[i] = s;
  }
  SelectionSort(list.Moves, scores, indices, n);
}

void TSearcher::ScoreMoves(TMaskMoveList& list, int* scores, int ply, TPlayer side, const TBoardMasks& masks) {
  const int n = list.NumMoves;
  for (int i = 0; i < n; ++i) {
    const TMaskMove& move = list.Moves[i];
    const int from = MaskIndex(move.From), to = MaskIndex(move.To);
    const int code = CodeAt(masks, from);
    const int* weight = PositionalWeigth.Weight[code];
    int s = scores[i] - weight[from] + TKillers.KillerIncrement(move, ply);
    if (list.CaptureMoves) {
      // The pieces taken; a king coming home counts its own square as the list's form does.
      s -= PieceValue[code];
      for (uint64_t taken = move.Taken; taken != 0; taken &= taken - 1)
        s += PieceValue[CodeAt(masks, MaskIndex(std::countr_zero(taken)))];
      if (to == from) s += PieceValue[code];
    } else {
      s += AdvanceBonus(code, to, [&masks](int index) { return CodeAt(masks, index); });
      s += MoveHistory.Bonus(side, move);
    }
    s += weight[to];
    scores[i] = s;
  }
}

void TSearcher::PickMove(TMaskMoveList& list, int* scores, int* indices, int j) {
  // One step of a selection sort with exchange: the first of the largest comes forward.
  int m = j;
  for (int k = j + 1; k < list.NumMoves; ++k)
    if (scores[k] > scores[m]) m = k;
  if (m != j) {
    std::swap(list.Moves[j], list.Moves[m]);
    std::swap(indices[j], indices[m]);
    std::swap(scores[j], scores[m]);
  }
}

bool TSearcher::SortMoves1(TMaskMoveList& list, int* scores, const TBoardMasks& masks, TPlayer side, int key1,
                           int key2) {
  for (int i = 0; i < list.NumMoves; ++i) {
    int k1 = key1;
    int k2 = key2;
    HashTable->UpdateKey(masks, side, list.Moves[i], k1, k2);
    THashEntry entry;
    entry.Lock = k2;
    // The stored score is the opponent's: what is good for him is bad for us.
    if (HashTable->Seek(entry, k1))
      scores[i] += 10 - entry.Score;
    else
      scores[i] -= 1000;
  }
  return false;
}

void TSearcher::SortMoves0(TMoveList& list, int* scores, int* indices) {
  const int n = list.NumMoves;
  int* keys = sortKeys_.data();  // the remembered scores themselves stay where they are
  for (int i = 0; i < n; ++i) keys[i] = scores[i];
  SelectionSort(list.Moves, keys, indices, n);
}
