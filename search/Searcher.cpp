#include "search/Searcher.h"

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
  for (auto& undo : UndoBuffers) undo[0] = 0;
  for (int ply = 0; ply < MaxSearchPlies; ++ply) {
    OrderCapacity_[ply] = 0;
    GrowOrdering(ply, TMoveList::DefaultCapacity);
  }
  InfoText[0] = 0;
}

TSearcher::~TSearcher() { delete[] MoveLists; }

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

void TSearcher::MakeMoveAndMaterialEvaluation(int* board, const int* move, int* undo, TMaterial& material) {
  int piece = board[move[0]];
  int k = 0;
  for (; move[k] != 0; ++k) {
    const int square = move[k];
    const int code = board[square];
    if (code < 4) material.DeletePiece(code, square);
    undo[k] = code;
    board[square] = Empty;
  }
  const int destination = move[k - 1];
  if (IsCrowningRow(destination) && piece > BlackKing) piece -= 2;
  board[destination] = piece;
  material.AddPiece(piece, destination);
}

void TSearcher::UndoMove(int* board, const int* move, const int* undo) {
  // Destination first and origin last, so that a king's capture ending where
  // it started gets its king back.
  for (int k = MoveLength(move) - 1; k >= 0; --k) board[move[k]] = undo[k];
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
