#include "search/HashTable.h"

#include <bit>

#include "search/Random.h"

THashTable::THashTable(int rowCount, int entriesPerRow) {
  RowCount = rowCount;
  EntriesPerRow = entriesPerRow;
  Rows = new THashEntry[static_cast<long>(rowCount) * entriesPerRow];
  Clear();

  int b = 1;
  while (b < rowCount) b *= 2;
  TRandom random;
  random.Initialise(21802, 29373);
  for (int i = 10; i <= 44; ++i)
    for (int code = 0; code < 4; ++code) KeyTable[i][code] = static_cast<int>(random.Uniform() * (b + 1));
  for (int i = 10; i <= 44; ++i)
    for (int code = 0; code < 4; ++code) LockTable[i][code] = static_cast<int>(random.Uniform() * (b + 1));
  for (int i = 0; i < 10; ++i)
    for (int code = 0; code < 4; ++code) KeyTable[i][code] = LockTable[i][code] = 0;
  BlackKey = random.Int(0, b);
  do WhiteKey = random.Int(0, b);
  while (WhiteKey == BlackKey);
  BlackLock = random.Int(0, b);
  do WhiteLock = random.Int(0, b);
  while (WhiteLock == BlackLock);
}

THashTable::~THashTable() { delete[] Rows; }

void THashTable::GenerateKey(const int* board, TPlayer side, int& key1, int& key2) const {
  key1 = 0;
  key2 = 0;
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    const int code = board[i];
    if (code < 4) {
      key1 ^= KeyTable[i][code];
      key2 ^= LockTable[i][code];
    }
  }
  if (side == Black) {
    key1 ^= BlackKey;
    key2 ^= BlackLock;
  } else {
    key1 ^= WhiteKey;
    key2 ^= WhiteLock;
  }
}

void THashTable::UpdateKey(const int* board, const int* move, int& key1, int& key2) const {
  const int origin = move[0];
  const int piece = board[origin];
  key1 ^= KeyTable[origin][piece];
  key2 ^= LockTable[origin][piece];
  int last = origin;
  for (const int* s = move + 1; *s != 0; ++s) {
    last = *s;
    const int code = board[last];
    if (last != origin && code < 4) {
      key1 ^= KeyTable[last][code];
      key2 ^= LockTable[last][code];
    }
  }
  const int arrives = (piece > BlackKing && IsCrowningRow(last)) ? piece - 2 : piece;
  key1 ^= KeyTable[last][arrives];
  key2 ^= LockTable[last][arrives];
  key1 ^= WhiteKey ^ BlackKey;
  key2 ^= WhiteLock ^ BlackLock;
}

void THashTable::UpdateKey(const TBoardMasks& masks, TPlayer side, const TMaskMove& move, int& key1,
                           int& key2) const {
  const bool king = ((masks.Kings >> move.From) & 1) != 0;
  const int piece = (king ? WhiteKing : WhiteMan) + static_cast<int>(side);
  const int from = MaskIndex(move.From), to = MaskIndex(move.To);
  key1 ^= KeyTable[from][piece];
  key2 ^= LockTable[from][piece];
  for (uint64_t taken = move.Taken; taken != 0; taken &= taken - 1) {
    const int bit = std::countr_zero(taken);
    const int code = (((masks.Kings >> bit) & 1) != 0 ? WhiteKing : WhiteMan) + (1 - static_cast<int>(side));
    key1 ^= KeyTable[MaskIndex(bit)][code];
    key2 ^= LockTable[MaskIndex(bit)][code];
  }
  const int arrives = !king && IsCrowningRow(to) ? piece - 2 : piece;
  key1 ^= KeyTable[to][arrives];
  key2 ^= LockTable[to][arrives];
  key1 ^= WhiteKey ^ BlackKey;
  key2 ^= WhiteLock ^ BlackLock;
}

bool THashTable::Seek(THashEntry& entry, int key1) {
  ++Probes;
  THashEntry* row = Row(key1);
  for (int i = 0; i < EntriesPerRow; ++i) {
    if (row[i].Lock == entry.Lock) {
      row[i].Used = 1;
      entry = row[i];
      ++Hits;
      return true;
    }
  }
  return false;
}

bool THashTable::Peek(THashEntry& entry, int key1) const {
  const THashEntry* row = Row(key1);
  for (int i = 0; i < EntriesPerRow; ++i) {
    if (row[i].Lock == entry.Lock) {
      entry = row[i];
      return true;
    }
  }
  return false;
}

void THashTable::Add(const THashEntry& entry, int key1) {
  THashEntry* row = Row(key1);
  THashEntry* victim = nullptr;
  int best = 32767;
  for (int i = 0; i < EntriesPerRow; ++i) {
    THashEntry& stored = row[i];
    if (stored.Lock == entry.Lock) {
      if (entry.Depth >= stored.Depth) stored = entry;
      stored.Used = 1;
      return;
    }
    if (stored.Used == 0) {
      victim = &stored;
      best = 0;
    } else if (stored.Depth < best) {
      victim = &stored;
      best = stored.Depth;
    }
  }
  if (victim == nullptr || entry.Depth < best) return;
  *victim = entry;
  victim->Used = 1;
}

void THashTable::ReduceDepth() {
  const long n = static_cast<long>(RowCount) * EntriesPerRow;
  for (long i = 0; i < n; ++i) {
    THashEntry& e = Rows[i];
    e.Used = 0;
    e.Depth = e.Depth >= 4 ? static_cast<int16_t>(e.Depth - 4) : 0;
  }
}

void THashTable::Clear() {
  const long n = static_cast<long>(RowCount) * EntriesPerRow;
  const THashEntry empty{.Lock = -1, .Score = 0, .Depth = 0, .Bound = 0, .Move = 0, .Used = 0};
  for (long i = 0; i < n; ++i) Rows[i] = empty;
  Probes = Hits = 0;
}
