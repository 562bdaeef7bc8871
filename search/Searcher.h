// TSearcher: the computer player's search. A negamax alpha-beta search with a
// transposition table, killer moves, move ordering and iterative deepening,
// run by GetComputerMoveHash under the level's time limit. A TEngine owns one
// with the table it uses and sets it up for each search.
//
// Units: depth in tenths of a ply (a ply is 10), ply counted from the root,
// scores in hundredths of a man from the view of the side to move. A side
// without moves at ply p scores p - 10001; scores beyond +-9500 are wins/losses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "egdb/Database.h"
#include "engine/Board.h"
#include "engine/MoveGenerator.h"
#include "engine/MoveList.h"
#include "engine/PositionKey.h"
#include "search/Evaluation.h"
#include "search/Killers.h"
#include "search/SearchControl.h"
#include "search/SearchReporter.h"

class THashTable;

// Where the driver's move came from.
enum class TMoveSource { None, OnlyMove, Book, Database, Fallback, Search };

// The result of a root search.
struct TMoveInfo {
  int Score = 0;          // from the root side's view
  int* Move = nullptr;    // points into MoveLists[0]: copy it before the next root search
  bool Aborted = false;   // stopped by a force-move request; nothing else is meaningful then
  float Seconds = 0.0f;   // from StartClock to the moment the result was made
};

// Milliseconds of wall time since the program started, from a monotonic clock.
int SearchClock();

// "win in 3", "lose in 1" or the plain score.
void ScoreText(int score, char* buffer, std::size_t size);
// Seconds with two significant digits: "0.5", "2", "12", "1.2e+02", "0.04".
void SecondsText(double seconds, char* buffer, std::size_t size);

class TSearcher {
 public:
  TSearcher();
  ~TSearcher();
  TSearcher(const TSearcher&) = delete;
  TSearcher& operator=(const TSearcher&) = delete;

  // The table of this search (null: the two-ply move is played), the killers
  // and the generator of its move lists.
  THashTable* HashTable = nullptr;
  class TKillers TKillers;
  TMoveHistory MoveHistory;
  class TMoveGenerator TMoveGenerator;

  // Search parameters, set again for every iteration.
  int AUTOMATIC_SEARCH_DEEPENING = 1;  // extension of a node with a single move
  int SINGULAR_EXTENSION = 2;          // extension of the table's move
  bool FirstIteration = false;         // the driver runs the first iteration of a search

  TMoveList* MoveLists;                            // the root's list and the table line's are MoveLists[0]
  TMaskMoveList* MaskLists;                        // the list of ply p is MaskLists[p]
  int* OrderIndex[MaxSearchPlies];                 // generation index of each list position
  int* OrderScore[MaxSearchPlies];                 // ordering score of each list position
  int* RootScores;                                 // remembered root scores, by generation index
  int PieceValue[5];                               // kings 130, men 100, empty 0
  int MaxPly = 0;                                  // deepest ply visited in this search
  int IterationDepth = 0;                          // nominal depth of this iteration, plies
  int IterationPlyExtension;                       // capture extension at ply IterationDepth
  char InfoText[128];                              // result line of the last finished step
  int StartClock = 0;                              // SearchClock() when this search started
  double TimeLimit = 2;                            // seconds after which no iteration starts
  int HardLimitMs = 0;                             // ms after which a running iteration is cut off (0: never)
  int HardStopClock = 0;                           // SearchClock() when that cut came (0: it did not)
  long long Evals = 0;                             // leaf evaluations in this search
  long long Nodes = 0;                             // nodes entered in this search
  int MaxIterationDepth = 47;                      // deepest iteration the driver runs
  int MultiPv = 1;                                 // root moves searched for exact scores
  // The move of the iteration under way that has beaten the one searched
  // first, and its score (a bound); empty until one has.
  int PartialMove[MoveBufferSize] = {};
  int PartialScore = 0;
  static constexpr int IterationStep = 1;          // plies added by each iteration
  // The caller's stop flags, set before the call; null: nothing stops the search.
  TSearchControl* Control = nullptr;
  // Hears the progress lines and each finished iteration's lines; null: nobody.
  TSearchReporter* Reporter = nullptr;
  // What the driver chose: the score of the move it returned, the depth of
  // the iteration that found it (0: only move, database, fallback) and where
  // it came from.
  int ResultScore = 0;
  int ResultDepth = 0;
  TMoveSource ResultSource = TMoveSource::None;
  // The endgame database, or null. Positions it holds are scored from it, and
  // a root it holds is answered from it without a search.
  const TEndgameDatabase* Database = nullptr;
  // The opening book, or null (off). A root it holds is answered with one of
  // its moves, chosen by weight with BookRandom (advanced at each use).
  const class TOpeningBook* Book = nullptr;
  uint32_t BookRandom = 12345;

  // The positions of the game since the last capture or man move, the most
  // recent last (the root may be among them). A position of the search that
  // is one of them scores as a draw. Kept until changed; at most MaxHistory are kept, the
  // most recent ones.
  static constexpr int MaxHistory = 256;
  void SetHistory(std::span<const TPositionKey> positions);

  // Plays `move` of `side` on `masks` and brings `material` up to date.
  static void Play(TBoardMasks& masks, TPlayer side, const TMaskMove& move, TMaterial& material);

  // Plain search without table or ordering, through captures beyond the horizon.
  int AlphaBeta(const TBoardMasks& masks, int depth, TPlayer side, int alpha, int beta, int ply,
                const TMaterial& material);
  int AlphaBeta(const int* board, int depth, TPlayer side, int alpha, int beta, int ply, const TMaterial& material) {
    return AlphaBeta(MasksOf(board), depth, side, alpha, beta, ply, material);
  }
  // Two-ply root search for the fallback move.
  TMoveInfo AlphaBeta0(int* board, int depth, TPlayer side);

  // Adds the ordering terms to `scores` and sorts moves, indices and scores together.
  void SortMoves(TMoveList& list, int* scores, int* indices, int ply, const int* board);
  // Adds the ordering terms of a mask list to `scores` (no sorting: PickMove brings
  // the best of the rest forward as the moves are tried).
  void ScoreMoves(TMaskMoveList& list, int* scores, int ply, TPlayer side, const TBoardMasks& masks);
  static void PickMove(TMaskMoveList& list, int* scores, int* indices, int j);
  // Adds what the table knows of each child position; always false.
  bool SortMoves1(TMaskMoveList& list, int* scores, const TBoardMasks& masks, TPlayer side, int key1, int key2);
  // Sorts the root list, still in generation order, by the remembered `scores`.
  void SortMoves0(TMoveList& list, int* scores, int* indices);

  // Interior node of the table-using search.
  int AlphaBetaHash(const TBoardMasks& masks, int depth, TPlayer side, int alpha, int beta, int ply, int key1,
                    int key2, const TMaterial& material);
  int AlphaBetaHash(const int* board, int depth, TPlayer side, int alpha, int beta, int ply, int key1, int key2,
                    const TMaterial& material) {
    return AlphaBetaHash(MasksOf(board), depth, side, alpha, beta, ply, key1, key2, material);
  }
  // Root of one iteration.
  TMoveInfo AlphaBetaHash0(int* board, int depth, TPlayer side, int beta, int alpha);

  // Writes the result line into InfoText.
  void PrintMoveInfo(const TMoveInfo& info, bool onlyMove);
  // Hands a progress line ("Best ... ") to the progress sink.
  void PrintIntermetdiateInfo(const TMoveInfo& info, int bestNumber, int currentNumber, const int* currentMove,
                              int count);
  // The result line of a finished iteration, with the speed once a second has
  // passed by the clock reading `now`.
  void PrintIterationInfo(const TMoveInfo& info, int now);
  // Tells the reporter the lines of the iteration that just finished with `info`.
  void ReportIteration(const int* board, TPlayer side, const TMoveInfo& info);
  // The line the table holds from the position after `first`, itself its
  // first move, into `pv`; returns its length (at most MaxPvLength).
  static constexpr int MaxPvLength = 32;
  int TableLine(const int* board, TPlayer side, const int* first, TMoveBuffer* pv);

  // Chooses the move for `side` (which must have one) into `move`, a buffer of
  // MoveBufferSize ints; `board` comes back unchanged and InfoText holds the report.
  // A stop request in Control ends it with the best move so far; the caller
  // clears the request before it starts a search.
  void GetComputerMoveHash(int* board, TPlayer side, int* move);

  // The database's score of a position of few pieces at `ply`, in the search's
  // units (a win in N plies scores as a side without moves at ply + N would),
  // or false when the database does not hold it.
  bool ProbeDatabase(const TBoardMasks& masks, TPlayer side, int ply, const TMaterial& material, int* score) const {
    if (databasePieces_ == 0 ||
        material.WhiteKings + material.BlackKings + material.WhiteMen + material.BlackMen > databasePieces_)
      return false;
    return ProbeDatabaseAt(masks, side, ply, score);
  }
  // True when the position with these keys is one of the history's.
  bool Repeats(int key1, int key2) const {
    for (int i = 0; i < historyCount_; ++i)
      if (historyKeys_[i][1] == key2 && historyKeys_[i][0] == key1) return true;
    return false;
  }

  // Stores a node's result in the table; wins and losses are made relative to `ply`.
  void Store(int key1, int key2, int bound, int score, int depth, int moveIndex, int ply);

 private:
  // Plays PartialMove, when the iteration that was cut off has one, in place of the last iteration's move.
  void PlayPartial(int* move);
  // A stop request, or the hard limit passed (looked at on every 256th call).
  bool StopRequested();
  float Elapsed() const;
  // Makes the ordering arrays of `ply` (and the root scores) hold `count` moves.
  void ReserveOrdering(int ply, int count) {
    if (count > OrderCapacity_[ply]) GrowOrdering(ply, count);
  }
  void GrowOrdering(int ply, int count);
  bool ProbeDatabaseAt(const TBoardMasks& masks, TPlayer side, int ply, int* score) const;
  // Answers a root the database holds with one of its best moves; false when
  // it cannot (the root or a move's position is not held).
  bool DatabaseMove(int* board, TPlayer side, int* move);
  // Answers a root the book holds with one of its moves; false when it does not hold it.
  bool BookMove(int* board, TPlayer side, int* move);
  // Records the score of the root move at list position `position` for the
  // lines of this iteration and returns the new floor the lines must beat.
  int AddLine(int position, int score, int floor, int windowAlpha);

  int databasePieces_ = 0;  // Database->Pieces() for the search under way
  int historyKeys_[MaxHistory][2];
  int historyCount_ = 0;
  // The keys of the position at each ply of the line being searched, and how
  // many kings' simple moves in a row led to it: only those can repeat a
  // position of the line.
  int pathKeys_[MaxSearchPlies][2] = {};
  int reversible_[MaxSearchPlies] = {};
  // True when the position at `ply` with these keys stood earlier in the line.
  bool RepeatsInLine(int ply, int key1, int key2) const {
    for (int back = 4; back <= reversible_[ply]; back += 2)
      if (pathKeys_[ply - back][1] == key2 && pathKeys_[ply - back][0] == key1) return true;
    return false;
  }
  // Records the position at `ply` and how the next ply is reached by `move` of the masks' side.
  void EnterLine(int ply, int key1, int key2, const TBoardMasks& masks, const TMaskMove& move) {
    pathKeys_[ply][0] = key1;
    pathKeys_[ply][1] = key2;
    const bool quiet = move.Taken == 0 && ((masks.Kings >> move.From) & 1) != 0;
    reversible_[ply + 1] = quiet ? reversible_[ply] + 1 : 0;
  }

  int OrderCapacity_[MaxSearchPlies];
  std::vector<int> indexStore_[MaxSearchPlies];
  std::vector<int> scoreStore_[MaxSearchPlies];
  std::vector<int> rootStore_;
  std::vector<int> sortKeys_;  // scratch keys of the root sort
  // With MultiPv > 1, the score each root move (by list position) got in the
  // last iteration; those above the lines' floor then are exact, and
  // lineOrder_ lists them, best first.
  std::vector<int> lineScores_;
  std::vector<int> lineOrder_;
  int lineCount_ = 0;
  TMoveList pvList_;             // the lists of the table line
  TMoveBuffer pv_[MaxPvLength];  // the line being reported
  int callClock_ = 0;            // SearchClock() when GetComputerMoveHash was called
  int hardDeadline_ = 0;       // SearchClock() at which this search is cut off (0: never)
  unsigned stopPolls_ = 0;
};
