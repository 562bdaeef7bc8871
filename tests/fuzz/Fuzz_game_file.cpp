// Fuzz target: the game file reader. Any input must either be refused with the
// message (no moves left, start unchanged) or give a record that writes out
// and reads back identically and replays to a legal position.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "engine/MoveGenerator.h"
#include "game/Game.h"

namespace {

int reports = 0;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "game file fuzz: %s\n", what);
  std::abort();
}

bool Read(const std::string& bytes, Game& record) {
  std::istringstream in(bytes, std::ios::binary);
  in >> record;
  return !in.fail();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool once = [] {
    SetFileErrorReporter([](const char*, const char*) { ++reports; });
    return true;
  }();
  (void)once;

  Game record;
  int start[BoardSize];
  TMoveGenerator::InitBoard(start);
  record.InitGame(start, White);
  const int before = reports;
  if (!Read(std::string(reinterpret_cast<const char*>(data), size), record)) {
    if (reports != before + 1) Fail("refused without exactly one report");
    if (record.MoveCount != 0 || record.Position != 0 || record.Cursor != record.Head) Fail("moves left after refusal");
    if (record.StartSide != White) Fail("start side changed by a refused file");
    for (int i = 0; i < BoardSize; ++i)
      if (record.StartBoard[i] != start[i]) Fail("start board changed by a refused file");
    return 0;
  }
  if (reports != before) Fail("reported but accepted");
  if (record.Position != record.MoveCount) Fail("position not at the last move");

  // Written out and read back, the record is the same.
  std::ostringstream out(std::ios::binary);
  out << record;
  if (!out) Fail("write failed");
  Game again;
  if (!Read(out.str(), again)) Fail("a written record does not read back");
  std::ostringstream out2(std::ios::binary);
  out2 << again;
  if (out2.str() != out.str()) Fail("record changed by a write and read");

  // Replaying to the end and back again works on whatever was accepted.
  int board[BoardSize];
  TPlayer side;
  record.GoTo(0, board, &side);
  record.Forward(record.MoveCount, board, &side);
  record.TakeBack(record.MoveCount / 2, board, &side);
  return 0;
}
