// TOpeningBook: the moves masters played often in the first moves of the game
// and did not lose with, by position. The computer plays one of them at once
// while the game is in the book. Built from PDN collections by `varek-cli book
// build` into a small file installed beside the endgame database.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/MoveList.h"

class TOpeningBook {
 public:
  // One book move: the position it is played from (by its hash), the move by
  // its first and last squares (1..32) and the squares it takes, and how often
  // masters played it.
  struct TEntry {
    uint64_t Position = 0;
    uint32_t Taken = 0;  // bit n - 1 for square n
    uint8_t From = 0, To = 0;
    uint16_t Weight = 0;
    bool operator<(const TEntry& other) const { return Position < other.Position; }
  };

  // Reads a book file; false, with the reason, when it is missing or damaged
  // (then the book is empty).
  bool Load(const std::string& path, std::string* error);
  // Writes the entries (sorted first) as a book file.
  static bool Save(const std::string& path, std::vector<TEntry> entries, std::string* error);

  // The legal moves of `legal` (the list of `board` with `side` to move) that
  // the book holds, with their weights; empty when the position is not in it.
  std::vector<std::pair<const int*, int>> Moves(const int* board, TPlayer side, const TMoveList& legal) const;
  // One of those moves, chosen in proportion to the weights by `random`
  // (any number); null when there is none.
  const int* Choose(const int* board, TPlayer side, const TMoveList& legal, uint32_t random) const;

  std::size_t Size() const { return entries_.size(); }
  const std::vector<TEntry>& Entries() const { return entries_; }

  // The hash the book files a position under.
  static uint64_t PositionHash(const int* board, TPlayer side);
  // The entry fields of a move played on `board`.
  static TEntry EntryOf(const int* board, TPlayer side, const int* move);

 private:
  // The summed weight of the book's entries for `move` from the position.
  int Weight(const int* board, TPlayer side, const int* move, uint64_t position) const;

  std::vector<TEntry> entries_;  // sorted by position
};

// Where the program looks for its book: share/varek/opening.book beside its
// own folder, as for the endgame database.
std::string DefaultBookPath();
// The book at DefaultBookPath(), read on first use; null when it cannot be read.
const TOpeningBook* DefaultBook();
