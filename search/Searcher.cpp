#include "search/Searcher.h"

#include <bit>
#include <chrono>
#include <cstdlib>

#include "search/HashTable.h"

int SearchClock() {
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  return static_cast<int>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

TSearcher::TSearcher() : PieceValue{130, 130, 100, 100, 0}, IterationPlyExtension(10) {
  SearchClock();  // the clock counts from here
  MoveLists = new TMoveList[MaxSearchPlies];
  MaskLists = new TMaskMoveList[MaxSearchPlies];
  for (int ply = 0; ply < MaxSearchPlies; ++ply) {
    OrderCapacity_[ply] = 0;
    GrowOrdering(ply, TMoveList::DefaultCapacity);
  }
  InfoText[0] = 0;
}

TSearcher::~TSearcher() {
  delete[] MoveLists;
  delete[] MaskLists;
}

void TSearcher::GrowOrdering(int ply, int count) {
  indexStore_[ply].resize(count);
  scoreStore_[ply].resize(count);
  OrderIndex[ply] = indexStore_[ply].data();
  OrderScore[ply] = scoreStore_[ply].data();
  OrderCapacity_[ply] = count;
  if (ply == 0) {
    rootStore_.resize(count, 0);  // keeps the scores already remembered
    sortKeys_.resize(count);
    lineScores_.resize(count);
    lineOrder_.resize(count);
    RootScores = rootStore_.data();
  }
}

bool TSearcher::StopRequested() {
  if (Control != nullptr && Control->StopRequested()) return true;
  if (hardDeadline_ == 0) return false;
  if (HardStopClock != 0) return true;  // cut off already: every level unwinds
  if ((++stopPolls_ & 255) != 0) return false;
  const int now = SearchClock();
  if (now < hardDeadline_) return false;
  HardStopClock = now;
  return true;
}

float TSearcher::Elapsed() const { return static_cast<float>((SearchClock() - StartClock) * 0.001); }

void TSearcher::Play(TBoardMasks& masks, TPlayer side, const TMaskMove& move, TMaterial& material) {
  const bool king = ((masks.Kings >> move.From) & 1) != 0;
  const int piece = (king ? WhiteKing : WhiteMan) + static_cast<int>(side);
  material.DeletePiece(piece, MaskIndex(move.From));
  for (uint64_t taken = move.Taken; taken != 0; taken &= taken - 1) {
    const int bit = std::countr_zero(taken);
    material.DeletePiece((((masks.Kings >> bit) & 1) != 0 ? WhiteKing : WhiteMan) + (1 - static_cast<int>(side)), MaskIndex(bit));
  }
  const int to = MaskIndex(move.To);
  material.AddPiece(!king && IsCrowningRow(to) ? piece - 2 : piece, to);
  TMoveGenerator::MakeMove(move, side, masks);
}

void TSearcher::Store(int key1, int key2, int bound, int score, int depth, int moveIndex, int ply) {
  // Wins and losses are kept relative to this node, so that they read right
  // wherever the position is met again.
  if (score > 9500)
    score += ply;
  else if (score < -9500)
    score -= ply;
  THashEntry entry;
  entry.Bound = static_cast<uint8_t>(bound);
  entry.Lock = key2;
  entry.Score = static_cast<int16_t>(score);
  // A list longer than the entry's move field can index keeps no move at all.
  entry.Move = static_cast<int8_t>(moveIndex <= 127 ? moveIndex : -1);
  entry.Depth = static_cast<int16_t>(depth);
  entry.Used = 1;
  HashTable->Add(entry, key1);
}
