#include <gtest/gtest.h>

#include "SearchTestSupport.h"

namespace {

THashEntry Entry(int lock, int depth, int score = 0, int bound = 0, int move = 0) {
  THashEntry e{};
  e.Bound = static_cast<uint8_t>(bound);
  e.Lock = lock;
  e.Score = static_cast<int16_t>(score);
  e.Move = static_cast<int8_t>(move);
  e.Depth = static_cast<int16_t>(depth);
  e.Used = 1;
  return e;
}

bool Probe(THashTable& table, int key1, int lock, THashEntry* out = nullptr) {
  THashEntry e{};
  e.Lock = lock;
  const bool found = table.Seek(e, key1);
  if (out != nullptr) *out = e;
  return found;
}

}  // namespace

TEST(HashTable, KeyTermsComeFromTheFixedSeeds) {
  TEngine engine;  // its table is the one the game has always had
  for (THashTable* table : {engine.HashTable(), new THashTable(262144, 1)}) {
    EXPECT_EQ(table->KeyTable[10][0], 153974);
    EXPECT_EQ(table->KeyTable[10][1], 24194);
    EXPECT_EQ(table->KeyTable[10][2], 3008);
    EXPECT_EQ(table->KeyTable[10][3], 142787);
    EXPECT_EQ(table->BlackKey, 13031);
    EXPECT_EQ(table->WhiteKey, 176988);
    EXPECT_EQ(table->BlackLock, 254448);
    EXPECT_EQ(table->WhiteLock, 129907);
    if (table != engine.HashTable()) delete table;
  }
  // Terms lie in 0..b, b the smallest power of two not below the row count.
  THashTable small(1000, 1);
  int highest = 0;
  for (int i = 10; i <= 44; ++i)
    for (int c = 0; c < 4; ++c) highest = std::max({highest, small.KeyTable[i][c], small.LockTable[i][c]});
  EXPECT_LE(highest, 1024);
  EXPECT_GT(highest, 1000);
}

TEST(HashTable, StartPositionKeyPair) {
  THashTable table(262144, 1);
  const TPosition start = StartPosition();
  int key1, key2;
  table.GenerateKey(start.Board, Black, key1, key2);
  EXPECT_EQ(key1, 241614);
  EXPECT_EQ(key2, 54247);
  int white1, white2;
  table.GenerateKey(start.Board, White, white1, white2);
  EXPECT_EQ(white1, key1 ^ table.BlackKey ^ table.WhiteKey);
  EXPECT_EQ(white2, key2 ^ table.BlackLock ^ table.WhiteLock);
}

TEST(HashTable, UpdateKeyAgreesWithGenerateKeyOverRandomGames) {
  THashTable table(262144, 1);
  int checked = 0;
  RandomGames(300, 200, 17, [&](int* board, TPlayer side, TMoveList& list) {
    int key1, key2;
    table.GenerateKey(board, side, key1, key2);
    for (int i = 0; i < list.NumMoves; ++i) {
      int k1 = key1, k2 = key2;
      table.UpdateKey(board, list.Moves[i], k1, k2);
      int after[BoardSize];
      std::copy(board, board + BoardSize, after);
      TMoveGenerator::MakeMove(list.Moves[i], after);
      int g1, g2;
      table.GenerateKey(after, static_cast<TPlayer>(1 - side), g1, g2);
      ASSERT_EQ(k1, g1);
      ASSERT_EQ(k2, g2);
      ASSERT_GE(k1, 0);
      ASSERT_LT(k1, 2 * 262144);
      ++checked;
    }
  });
  EXPECT_GT(checked, 50000);
}

TEST(HashTable, KingMovesAndLoopingCapture) {
  THashTable table(262144, 1);
  // A king stepping out and back returns to the same pair.
  TPosition p = Position("B:W30:BK19,3");
  int key1, key2;
  table.GenerateKey(p.Board, Black, key1, key2);
  const int out[] = {24, 29, 0}, back[] = {29, 24, 0};
  int k1 = key1, k2 = key2;
  table.UpdateKey(p.Board, out, k1, k2);
  TMoveGenerator::MakeMove(out, p.Board);
  table.UpdateKey(p.Board, back, k1, k2);
  EXPECT_EQ(k1, key1);
  EXPECT_EQ(k2, key2);

  // A Black king on 19 takes the four men around it and lands where it started.
  TPosition loop = Position("B:W7,8,15,16:BK19");
  TMoveList list;
  TMoveGenerator.MakeMoveList(loop.Board, Black, &list);
  const int* round = nullptr;
  for (int i = 0; i < list.NumMoves; ++i)
    if (list.Moves[i][0] == MoveDestination(list.Moves[i])) round = list.Moves[i];
  ASSERT_NE(round, nullptr);
  ASSERT_EQ(MoveLength(round), 9);
  table.GenerateKey(loop.Board, Black, k1, k2);
  table.UpdateKey(loop.Board, round, k1, k2);
  TMoveGenerator::MakeMove(round, loop.Board);
  table.GenerateKey(loop.Board, White, key1, key2);
  EXPECT_EQ(k1, key1);
  EXPECT_EQ(k2, key2);
  EXPECT_EQ(loop.Board[24], BlackKing);
}

TEST(HashTable, FreshTableFindsNothing) {
  THashTable table(64, 1);
  for (int key = 0; key < 64; ++key) {
    EXPECT_FALSE(Probe(table, key, 0));
    EXPECT_FALSE(Probe(table, key, key * 3));
  }
}

TEST(HashTable, SeekMarksUsedAndCopiesTheEntry) {
  THashTable table(16, 1);
  table.Add(Entry(77, 40, -123, THashTable::UpperBound, 5), 3);
  table.ReduceDepth();
  EXPECT_FALSE(Probe(table, 3, 78));
  EXPECT_FALSE(Probe(table, 4, 77));
  THashEntry e;
  ASSERT_TRUE(Probe(table, 3 + 16, 77, &e));  // rows are key1 modulo the row count
  EXPECT_EQ(e.Score, -123);
  EXPECT_EQ(e.Bound, THashTable::UpperBound);
  EXPECT_EQ(e.Move, 5);
  EXPECT_EQ(e.Depth, 36);
  EXPECT_EQ(e.Used, 1);
  EXPECT_EQ(table.Rows[3].Used, 1);
}

TEST(HashTable, ReplacementOfOneEntryRows) {
  THashTable table(8, 1);
  THashEntry e;
  table.Add(Entry(100, 50, 1), 2);
  table.Add(Entry(100, 40, 2), 2);  // same position, shallower: kept as it was
  ASSERT_TRUE(Probe(table, 2, 100, &e));
  EXPECT_EQ(e.Score, 1);
  table.Add(Entry(100, 50, 3), 2);  // same depth: replaced
  ASSERT_TRUE(Probe(table, 2, 100, &e));
  EXPECT_EQ(e.Score, 3);

  table.Add(Entry(200, 49), 2);  // another position, shallower than the used entry
  EXPECT_FALSE(Probe(table, 2, 200));
  EXPECT_TRUE(Probe(table, 2, 100));

  table.ReduceDepth();  // 50 -> 46 and unused: now anything of depth 0 or more goes in
  table.Add(Entry(200, 0), 2);
  EXPECT_TRUE(Probe(table, 2, 200));
  EXPECT_FALSE(Probe(table, 2, 100));
  table.Add(Entry(300, 0), 2);  // used entry of equal depth is replaced
  EXPECT_TRUE(Probe(table, 2, 300));
}

TEST(HashTable, ReplacementWithinWiderRows) {
  THashTable table(4, 3);
  // Unused entries are taken last one first: the row fills from slot 2 to slot 0.
  table.Add(Entry(1, 30), 0);
  table.Add(Entry(2, 20), 0);
  table.Add(Entry(3, 20), 0);
  EXPECT_EQ(table.Rows[2].Lock, 1);
  EXPECT_EQ(table.Rows[1].Lock, 2);
  EXPECT_EQ(table.Rows[0].Lock, 3);
  // All used: the first of the shallowest goes, and only for an entry at least as deep.
  table.Add(Entry(4, 10), 0);
  EXPECT_FALSE(Probe(table, 0, 4));
  table.Add(Entry(4, 20), 0);
  EXPECT_TRUE(Probe(table, 0, 4));
  EXPECT_FALSE(Probe(table, 0, 3));
  EXPECT_TRUE(Probe(table, 0, 2));
  // After ageing an unused entry is preferred whatever its depth: the last one.
  table.ReduceDepth();
  EXPECT_TRUE(Probe(table, 0, 4));  // slot 0 is in use again
  table.Add(Entry(5, 0), 0);
  EXPECT_EQ(table.Rows[2].Lock, 5);
  EXPECT_TRUE(Probe(table, 0, 2));
  EXPECT_FALSE(Probe(table, 0, 1));
}

TEST(HashTable, AgeingNeverGoesBelowZero) {
  THashTable table(4, 1);
  table.Add(Entry(9, 3), 1);
  table.Add(Entry(10, 7), 2);
  table.ReduceDepth();
  THashEntry e;
  ASSERT_TRUE(Probe(table, 1, 9, &e));
  EXPECT_EQ(e.Depth, 0);
  ASSERT_TRUE(Probe(table, 2, 10, &e));
  EXPECT_EQ(e.Depth, 3);
  table.ReduceDepth();
  EXPECT_EQ(table.Rows[1].Used, 0);
}

// A new game forgets the table, the killers and the history: its first search
// is the search of a fresh engine, node for node.
TEST_F(SearchTest, ANewGameForgetsEveryEarlierSearch) {
  TPosition start = StartPosition();
  int move[MoveBufferSize];
  TSearcher.MaxIterationDepth = 11;
  TSearcher.GetComputerMoveHash(start.Board, Black, move);
  const long long fresh = TSearcher.Nodes;
  TSearcher.GetComputerMoveHash(start.Board, Black, move);
  EXPECT_NE(TSearcher.Nodes, fresh);  // the table helps the second search
  int key1, key2;
  HashTable->GenerateKey(start.Board, Black, key1, key2);
  THashEntry e{};
  e.Lock = key2;
  ASSERT_TRUE(HashTable->Seek(e, key1));
  const int killer[] = {32, 28, 0};
  TKillers.UpdateKiller(killer, 7, 0);
  engine.NewGame();
  EXPECT_FALSE(HashTable->Seek(e, key1));
  EXPECT_FALSE(TKillers.HasKiller(7));
  // A lock of 0 finds nothing either (no entry is left with it).
  THashEntry zero{};
  zero.Lock = 0;
  EXPECT_FALSE(HashTable->Seek(zero, key1));
  TSearcher.GetComputerMoveHash(start.Board, Black, move);
  EXPECT_EQ(TSearcher.Nodes, fresh);
}
