// The searcher's use of the opening book: a root the book holds is played from it.
#include <cstdio>

#include "engine/Metrics.h"
#include "search/Book.h"
#include "search/Searcher.h"

bool TSearcher::BookMove(int* board, TPlayer side, int* move) {
  const TMoveList& list = MoveLists[0];  // the root's moves, listed by the driver
  BookRandom = BookRandom * 1664525u + 1013904223u;
  const int* chosen = Book->Choose(board, side, list, BookRandom >> 8);
  if (chosen == nullptr) return false;
  TKillers::CopyMove(move, chosen);
  char text[8];
  std::snprintf(InfoText, sizeof InfoText, "%s  book", TMetrics::MoveToStr(move, text));
  return true;
}
