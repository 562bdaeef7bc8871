// Fuzz target: the position-string parser. Accepted text must describe a
// valid board that formats and parses back to itself; the moves of both
// sides must generate cleanly from it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/MoveGenerator.h"
#include "engine/Perft.h"
#include "engine/PositionString.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "position fuzz: %s: %s\n", what, text.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  int board[BoardSize];
  TPlayer side;
  std::string error;
  if (!ParsePosition(text, board, &side, &error)) {
    if (error.empty() || error.find('\n') != std::string::npos) Fail("refused without a one-line reason", text);
    return 0;
  }
  for (int i = 0; i < BoardSize; ++i) {
    const int code = board[i];
    if (IsPlayable(i) ? (code < 0 || code > Empty) : code != OffBoard) Fail("bad cell", text);
    if ((code == WhiteMan && i > 40) || (code == BlackMan && i < 14)) Fail("man on its crowning row", text);
  }
  const std::string formatted = FormatPosition(board, side);
  int back[BoardSize];
  TPlayer backSide;
  if (!ParsePosition(formatted, back, &backSide, &error)) Fail("formatted text refused", formatted);
  if (backSide != side) Fail("side changed", text);
  for (int i = 0; i < BoardSize; ++i)
    if (back[i] != board[i]) Fail("board changed by a round trip", text);

  TPerft perft;
  perft.Count(board, side, 2);
  perft.Count(board, static_cast<TPlayer>(1 - side), 2);
  for (int i = 0; i < BoardSize; ++i)
    if (back[i] != board[i]) Fail("board changed by perft", text);
  return 0;
}
