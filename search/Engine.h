// TEngine: one computer player, with everything a search needs of its own
// (the transposition table, the killers, the searcher and its move
// generator). A search is asked for with a request passed by value and
// answers with a result by value; another thread steers it through a
// TSearchControl, and a TSearchReporter hears its progress. The window and
// the companion each make their own.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "egdb/Database.h"
#include "engine/Board.h"
#include "engine/PositionKey.h"
#include "search/Book.h"
#include "search/HashTable.h"
#include "search/SearchControl.h"
#include "search/SearchReporter.h"
#include "search/Searcher.h"

// How long and how deep a search may go.
struct TSearchLimits {
  // No iteration starts once this much time has passed (a level's time).
  double Seconds = 2;
  // An iteration still running then is cut off and the last finished one
  // played (0: never).
  double HardSeconds = 0;
  // The deepest iteration, plies (0: as deep as the search goes, 47).
  int Depth = 0;
  // No time limit at all: only the depth or a stop ends the search.
  bool Infinite = false;
  // Lines reported per iteration: the best MultiPv root moves are searched
  // for exact scores (1: only the best move is).
  int MultiPv = 1;
  // Play from the opening book (SetBook) when there is one and it holds the position.
  bool Book = false;

  // A move within `seconds`: no iteration starts after half of it, and one
  // still running when it has passed is cut off.
  static TSearchLimits MoveTime(double seconds);
  // A move on a clock with `remaining` seconds left, `increment` seconds added
  // after each move and `movesToGo` moves to the next time control (0: not
  // known): a share of the time left, spent as MoveTime spends it.
  static TSearchLimits Clock(double remaining, double increment, int movesToGo);
};

struct TSearchRequest {
  std::array<int, BoardSize> Board{};  // the position; the side to move must have a move
  TPlayer Side = Black;
  // The positions of the game since its last capture or man move, oldest
  // first (the root may be the last): reaching one of them scores as a draw.
  std::vector<TPositionKey> History;
  TSearchLimits Limits;
};

struct TSearchResult {
  TMoveBuffer Move{};    // zero-terminated; empty when the side to move has no move
  int Score = 0;         // search units, from the view of the side to move (0 for an only move)
  int Depth = 0;         // nominal depth of the last finished iteration (0: none finished)
  TMoveSource Source = TMoveSource::None;
  bool Aborted = false;  // a stop request ended the search before its limits did
  char Report[128] = {}; // the result line the window shows after "Played "
};

class TEngine {
 public:
  // 3 MiB: 262144 entries, the table the game has always had.
  static constexpr int DefaultTableMegabytes = 3;

  explicit TEngine(int tableMegabytes = DefaultTableMegabytes);
  TEngine(const TEngine&) = delete;
  TEngine& operator=(const TEngine&) = delete;

  // Searches as `request` says. Nothing is allocated while it searches.
  TSearchResult Search(TSearchRequest request, TSearchControl& control, TSearchReporter* reporter = nullptr);

  // Forgets every earlier search, as for a new game: the table as it was
  // built, no killers, no history, so that a game's searches depend on that
  // game alone.
  void NewGame();
  // The same: a search starts from nothing.
  void ClearTable();
  // A table of `megabytes` (0: none); false, with no table, when there is no
  // memory for it. A search without a table plays its two-ply move.
  bool SetTableMegabytes(int megabytes);

  // The endgame database the searches use, or null; it must outlive them.
  void SetDatabase(const TEndgameDatabase* database) { searcher_.Database = database; }
  const TEndgameDatabase* Database() const { return searcher_.Database; }
  // The opening book searches asking for it use, or null; it must outlive them.
  void SetBook(const TOpeningBook* book) { book_ = book; }

  THashTable* HashTable() const { return table_.get(); }
  class TSearcher& Searcher() { return searcher_; }

 private:
  std::unique_ptr<THashTable> table_;
  const TOpeningBook* book_ = nullptr;
  class TSearcher searcher_;
};
