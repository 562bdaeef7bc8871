// The transposition table: results of earlier searches of a position (score,
// bound, depth, best move), found by a pair of Zobrist keys. key1 picks the
// row, key2 is the lock stored in the entry and compared on a probe.
#pragma once

#include <cstdint>

#include "engine/Board.h"
#include "engine/BoardMasks.h"
#include "engine/MoveList.h"

// Widest fields first: 12 bytes an entry, not 16.
struct THashEntry {
  int32_t Lock;   // key2 of the position
  int16_t Score;  // in search units; wins and losses relative to the node
  int16_t Depth;  // remaining depth searched, tenths of a ply
  uint8_t Bound;  // 0 exact, 1 lower bound (failed high), 2 upper bound (failed low)
  int8_t Move;    // generation index of the best move, -1 when there is none to offer
  uint8_t Used;   // stored or found since the table was last aged or flushed
};
static_assert(sizeof(THashEntry) == 12);

class THashTable {
 public:
  static constexpr int ExactBound = 0;
  static constexpr int LowerBound = 1;
  static constexpr int UpperBound = 2;

  // Builds the rows (every entry empty with lock -1) and draws the key terms
  // from the random stream seeded with 21802 and 29373.
  THashTable(int rowCount, int entriesPerRow);
  ~THashTable();
  THashTable(const THashTable&) = delete;
  THashTable& operator=(const THashTable&) = delete;

  THashEntry* Rows;     // RowCount rows of EntriesPerRow entries, one block
  int KeyTable[45][4];  // key1 term per board index and piece code
  int LockTable[45][4]; // key2 term, same shape
  int BlackKey;         // key1 term when Black is to move
  int WhiteKey;
  int BlackLock;        // key2 term when Black is to move
  int WhiteLock;
  int EntriesPerRow;
  int RowCount;
  long long Probes = 0; // probes and hits since the last search started
  long long Hits = 0;

  // Key pair of a position with `side` to move; the board holds at least one piece.
  void GenerateKey(const int* board, TPlayer side, int& key1, int& key2) const;
  // Turns the key pair of `board` into that of the position after `move`, with
  // the other side to move. Called before the move is made.
  void UpdateKey(const int* board, const int* move, int& key1, int& key2) const;
  // The same for a mask move of `side` in the position of `masks`.
  void UpdateKey(const TBoardMasks& masks, TPlayer side, const TMaskMove& move, int& key1, int& key2) const;
  // Finds the entry whose lock is entry.Lock, marks it used and copies it out.
  bool Seek(THashEntry& entry, int key1);
  // The same without marking or counting anything, for reports read off the
  // table between searches.
  bool Peek(THashEntry& entry, int key1) const;
  // Stores an entry: the same position is kept unless the new one is at least
  // as deep; otherwise an unused entry, else the shallowest one not deeper than
  // the new entry, is replaced.
  void Add(const THashEntry& entry, int key1);
  // Starts loading the row of `key1` into the cache, for a Seek soon after.
  void Prefetch(int key1) const { __builtin_prefetch(Row(key1)); }
  // Ages every entry: 4 tenths of a ply shallower (not below 0) and unused.
  void ReduceDepth();
  // Puts every entry back as it was built, so that a search starts from nothing.
  void Clear();

 private:
  THashEntry* Row(int key1) const { return Rows + static_cast<long>(key1 % RowCount) * EntriesPerRow; }
};
