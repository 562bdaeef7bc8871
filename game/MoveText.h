// TMoveReader: the legal move a text names by its square numbers, as PDN and
// the engine protocol write moves: "11-15", "26x17" or, where two captures
// share both ends, the full path "26x17x10"; '-' and 'x' are not told apart.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/Board.h"
#include "engine/MoveGenerator.h"
#include "engine/MoveList.h"

class TMoveReader {
 public:
  // The move of `side` on `board` that `text` names, or null with the reason
  // ("not a move", "not a legal move", "ambiguous, ...") in `error`. The move
  // stays valid until the next call.
  const int* Find(const int* board, TPlayer side, std::string_view text, std::string* error);

 private:
  class TMoveGenerator generator_;
  TMoveList legal_;
  std::vector<int> squares_;
};
