// Proves that searching allocates nothing: every global operator new of this
// test program is counted while a search runs.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "SearchTestSupport.h"

// GCC sees through the replaced operators to malloc and free below and takes
// the pairs for a mismatch where the compiler inlines them.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {
std::atomic<long> allocations{0};
std::atomic<bool> counting{false};

void* Allocate(std::size_t size) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size != 0 ? size : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

long CountAllocations(const std::function<void()>& work) {
  allocations = 0;
  counting = true;
  work();
  counting = false;
  return allocations;
}

}  // namespace

TEST_F(SearchTest, CountingSeesAllocations) {
  EXPECT_GT(CountAllocations([] { std::vector<int> v(10); }), 0);
}

TEST_F(SearchTest, SearchingAllocatesNothing) {
  for (const char* text : {"B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12",
                           "W:W22,26,30,K14,K23:B3,8,K10,K19", "B:W6,14,15,23,24,30,32:B1,3,4,12,K27"}) {
    TPosition p = Position(text);
    int move[MoveBufferSize];
    TSearcher.MaxIterationDepth = 13;
    // With the progress lines going somewhere, as in the window.
    int lines = 0;
    SetProgressSink([&lines](const char*) { ++lines; });
    EXPECT_EQ(CountAllocations([&] { TSearcher.GetComputerMoveHash(p.Board, p.Side, move); }), 0) << text;
    EXPECT_GT(TSearcher.Nodes, 1000);
    EXPECT_GT(lines, 0);
  }
}

TEST_F(SearchTest, ManyKingsSearchWithoutAllocating) {
  // Six kings a side in the open: long lists, still within the preallocated room.
  TPosition kings = Position("B:WK1,K2,K3,K4,K5,K6:BK27,K28,K29,K30,K31,K32");
  int move[MoveBufferSize];
  TSearcher.MaxIterationDepth = 9;
  EXPECT_EQ(CountAllocations([&] { TSearcher.GetComputerMoveHash(kings.Board, Black, move); }), 0);
  const int* before = TSearcher.OrderIndex[5];
  TSearcher.AlphaBetaHash0(kings.Board, 90, Black, 10000, -10000);
  EXPECT_EQ(TSearcher.OrderIndex[5], before);
}

// The engine's way in: the request's history, the reporter's lines with the
// table's line for each, and several lines per iteration.
TEST_F(SearchTest, AnEngineSearchWithHistoryAndReportsAllocatesNothing) {
  for (int lines : {1, 3}) {
    TSearchRequest request;
    TPosition p = Position("W:W22,26,30,K14,K23:B3,8,K10,K19");
    std::copy(p.Board, p.Board + BoardSize, request.Board.begin());
    request.Side = p.Side;
    request.History = {MakePositionKey(p.Board, p.Side), MakePositionKey(StartPosition().Board, Black)};
    request.Limits.Infinite = true;
    request.Limits.Depth = 13;
    request.Limits.MultiPv = lines;
    int reported = 0;
    size_t longest = 0;
    TSearchCallbacks callbacks;
    callbacks.OnProgress = [&reported](const char*) { ++reported; };
    callbacks.OnIteration = [&reported, &longest](const TSearchLine& line) {
      ++reported;
      longest = std::max(longest, line.Pv.size());
    };
    EXPECT_EQ(CountAllocations([&] { engine.Search(std::move(request), control, &callbacks); }), 0) << lines;
    EXPECT_GT(reported, 3);
    EXPECT_GT(longest, 2u);
  }
}
