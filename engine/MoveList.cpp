#include "engine/MoveList.h"

#include <algorithm>
#include <cstring>

TMoveList::TMoveList(int capacity) { Reserve(std::max(capacity, 1)); }

void TMoveList::Reserve(int capacity) {
  if (capacity <= Capacity) return;
  auto block = std::make_unique<int[]>(static_cast<size_t>(capacity - Capacity) * MoveBufferSize);
  auto pointers = std::make_unique<int*[]>(capacity);
  std::copy(Moves, Moves + Capacity, pointers.get());
  for (int i = Capacity; i < capacity; ++i) {
    pointers[i] = block.get() + static_cast<size_t>(i - Capacity) * MoveBufferSize;
    pointers[i][0] = 0;
  }
  blocks_.push_back(std::move(block));
  pointers_ = std::move(pointers);
  Moves = pointers_.get();
  Capacity = capacity;
}

void TMoveList::Append(const int* move) {
  if (NumMoves == Capacity) Reserve(Capacity * 2);
  int* dst = Moves[NumMoves++];
  int i = 0;
  while ((dst[i] = move[i]) != 0) ++i;
}
