// TMoveList: the moves of one side in one position, each in its own buffer of
// MoveBufferSize ints. The list starts with room for DefaultCapacity moves and
// grows (keeping the buffers it has) only for positions set up with many kings.
#pragma once

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
