// What the search knows beyond its own tree: the positions already played
// (a repetition scores as a draw) and the endgame database.
#include <algorithm>
#include <bit>
#include <cstdio>

#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "search/HashTable.h"
#include "search/Searcher.h"

namespace {

// The score of a database value at `ply`.
int DatabaseScore(int value, int ply) {
  if (value == EgdbDraw) return 0;
  const int end = ply + EgdbPlies(value);  // the ply at which the loser has no move
  return EgdbIsWin(value) ? 10001 - end : end - 10001;
}

}  // namespace

void TSearcher::SetHistory(std::span<const TPositionKey> positions) {
  historyCount_ = 0;
  if (HashTable == nullptr) return;
  if (positions.size() > static_cast<size_t>(MaxHistory)) positions = positions.last(MaxHistory);
  for (const TPositionKey& key : positions) {
    int board[BoardSize];
    BoardOfPositionKey(key, board);
    if (std::none_of(board, board + BoardSize, IsPiece)) continue;
    HashTable->GenerateKey(board, static_cast<TPlayer>(key.Side), historyKeys_[historyCount_][0],
                           historyKeys_[historyCount_][1]);
    ++historyCount_;
  }
}

bool TSearcher::ProbeDatabaseAt(const TBoardMasks& masks, TPlayer side, int ply, int* score) const {
  // The database reads a board: few pieces, so it is quickly written.
  int board[BoardSize];
  for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
  for (int colour = 0; colour < 2; ++colour)
    for (uint64_t pieces = masks.Pieces[colour]; pieces != 0; pieces &= pieces - 1) {
      const int bit = std::countr_zero(pieces);
      board[MaskIndex(bit)] = (((masks.Kings >> bit) & 1) != 0 ? WhiteKing : WhiteMan) + colour;
    }
  const int value = Database->Probe(board, side);
  if (value == EgdbUnknown) return false;
  *score = DatabaseScore(value, ply);
  return true;
}

bool TSearcher::DatabaseMove(int* board, TPlayer side, int* move) {
  databasePieces_ = Database != nullptr ? Database->Pieces() : 0;
  if (databasePieces_ == 0) return false;
  const int value = Database->Probe(board, side);
  if (value == EgdbUnknown) return false;
  TMoveList& list = MoveLists[0];
  TMoveGenerator.MakeMoveList(board, side, &list);
  const TPlayer other = static_cast<TPlayer>(1 - side);
  for (int i = 0; i < list.NumMoves; ++i) {
    int child[BoardSize];
    std::copy(board, board + BoardSize, child);
    TMoveGenerator::MakeMove(list.Moves[i], child);
    if (EgdbParentValue(Database->Probe(child, other)) != value) continue;
    TKillers::CopyMove(move, list.Moves[i]);
    ResultScore = DatabaseScore(value, 0);
    char text[8];
    std::snprintf(InfoText, sizeof InfoText, "%s  Score=%s  egdb", TMetrics::MoveToStr(move, text),
                  EgdbText(value).c_str());
    return true;
  }
  return false;
}
