// TMoveList: the moves of one side in one position, each in its own buffer of
// MoveBufferSize ints. The list starts with room for DefaultCapacity moves and
// grows (keeping the buffers it has) only for positions set up with many kings.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Board.h"

class TMoveList {
 public:
  static constexpr int DefaultCapacity = 128;

  explicit TMoveList(int capacity = DefaultCapacity);
  TMoveList(const TMoveList&) = delete;
  TMoveList& operator=(const TMoveList&) = delete;

  int** Moves = nullptr;  // Capacity buffers; the first NumMoves hold moves
  int NumMoves = 0;
  bool CaptureMoves = false;
  int Capacity = 0;

  // Makes room for at least `capacity` moves; existing buffers keep their address.
  void Reserve(int capacity);
  // Appends a copy of a zero-terminated move, growing the list when it is full.
  void Append(const int* move);

 private:
  std::vector<std::unique_ptr<int[]>> blocks_;
  std::unique_ptr<int*[]> pointers_;
};

// A move as bit masks (TBoardMasks bits): where the piece starts and ends and
// the pieces it takes. Two capture routes with the same start, end and pieces
// are two moves of a TMoveList but the same position afterwards.
struct TMaskMove {
  uint64_t Taken = 0;  // the bits of the pieces taken; 0 for a simple move
  uint8_t From = 0;
  uint8_t To = 0;
};

// The moves of one side as TMaskMoves, in the order TMoveList has them. Room
// for DefaultCapacity moves; more (positions set up with many kings) grow it.
class TMaskMoveList {
 public:
  static constexpr int DefaultCapacity = 128;

  TMaskMoveList() : store_(DefaultCapacity) { Moves = store_.data(); }
  TMaskMoveList(const TMaskMoveList&) = delete;
  TMaskMoveList& operator=(const TMaskMoveList&) = delete;

  TMaskMove* Moves;
  int NumMoves = 0;
  bool CaptureMoves = false;

  void Add(uint8_t from, uint8_t to, uint64_t taken) {
    if (NumMoves == static_cast<int>(store_.size())) [[unlikely]] Grow();
    Moves[NumMoves++] = TMaskMove{taken, from, to};
  }

 private:
  void Grow() {
    store_.resize(store_.size() * 2);
    Moves = store_.data();
  }
  std::vector<TMaskMove> store_;
};
