#include "game/MoveText.h"

#include <algorithm>

#include "engine/Metrics.h"

namespace {

// "11-15", "26x17x10": square numbers 1..32 joined by '-' or 'x'.
bool ParseSquares(std::string_view word, std::vector<int>* squares) {
  squares->clear();
  size_t at = 0;
  for (;;) {
    int number = 0, digits = 0;
    while (at < word.size() && word[at] >= '0' && word[at] <= '9' && digits < 3) {
      number = number * 10 + (word[at++] - '0');
      ++digits;
    }
    if (digits == 0 || number < 1 || number > 32) return false;
    squares->push_back(number);
    if (at == word.size()) return squares->size() >= 2;
    if (word[at] != '-' && word[at] != 'x' && word[at] != 'X') return false;
    ++at;
  }
}

// Whether `move` is the one the square numbers name: same start and end and,
// when landing squares are given between them, exactly those. Records write
// simple moves with 'x' too.
bool Names(const int* move, const std::vector<int>& squares) {
  const int n = MoveLength(move);
  if (TMetrics::SquareToNotation(move[0]) != squares.front() ||
      TMetrics::SquareToNotation(move[n - 1]) != squares.back())
    return false;
  if (squares.size() == 2) return true;
  if (n < 3 || static_cast<int>(squares.size()) != 1 + (n - 1) / 2) return false;
  for (size_t k = 1; k + 1 < squares.size(); ++k)
    if (TMetrics::SquareToNotation(move[2 * k]) != squares[k]) return false;
  return true;
}

}  // namespace

const int* TMoveReader::Find(const int* board, TPlayer side, std::string_view text, std::string* error) {
  if (!ParseSquares(text, &squares_)) {
    *error = "not a move";
    return nullptr;
  }
  int copy[BoardSize];
  std::copy(board, board + BoardSize, copy);
  generator_.MakeMoveList(copy, side, &legal_);
  const int* found = nullptr;
  int matches = 0;
  for (int m = 0; m < legal_.NumMoves; ++m) {
    if (!Names(legal_.Moves[m], squares_)) continue;
    if (found == nullptr) found = legal_.Moves[m];
    ++matches;
  }
  if (matches == 0) {
    *error = "not a legal move";
    return nullptr;
  }
  if (matches > 1) {
    *error = "ambiguous, two captures go from " + std::to_string(squares_.front()) + " to " +
             std::to_string(squares_.back()) + " (the full path is needed)";
    return nullptr;
  }
  return found;
}
