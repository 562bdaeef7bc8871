// The saved-game file: little-endian 32-bit integers, the start position and
// the moves one byte per entry, each block guarded by a checksum, and a
// trailing line naming the file type.
#include <cstdint>
#include <cstdio>
#include <istream>
#include <ostream>

#include "engine/MoveGenerator.h"
#include "engine/MoveList.h"
#include "game/Game.h"

const char* const CorruptedFileCaption = "Information";
const char* const CorruptedFileMessage =
    "The file you tried to open contains errors.\nIt means:  the file is not a checkers game\n"
    "saved by Varek  using binary format or it\nis corrupted.";

namespace {

TFileErrorReporter& Reporter() {
  static TFileErrorReporter reporter = [](const char*, const char* message) {
    std::fprintf(stderr, "%s\n", message);
  };
  return reporter;
}

const char FileTrailer[] = "Varek - checkers game file.";

void WriteInt(std::ostream& out, int value) {
  const auto v = static_cast<uint32_t>(value);
  const char bytes[4] = {static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff),
                         static_cast<char>((v >> 16) & 0xff), static_cast<char>((v >> 24) & 0xff)};
  out.write(bytes, 4);
}

void WriteByte(std::ostream& out, int value) { out.put(static_cast<char>(value & 0xff)); }

// The low byte of a value taken as a signed byte, as the checksums count it.
int SignedByte(int value) { return static_cast<int8_t>(static_cast<uint8_t>(value & 0xff)); }

bool ReadInt(std::istream& in, int& value) {
  unsigned char bytes[4];
  if (!in.read(reinterpret_cast<char*>(bytes), 4)) return false;
  value = static_cast<int>(static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                           (static_cast<uint32_t>(bytes[2]) << 16) |
                           (static_cast<uint32_t>(bytes[3]) << 24));
  return true;
}

bool ReadByte(std::istream& in, int& value) {
  char c;
  if (!in.get(c)) return false;
  value = static_cast<int8_t>(c);
  return true;
}

bool ValidCell(int index, int code) {
  if (index == 18 || index == 27 || index == 36) return code == OffBoard;
  return code >= WhiteKing && code <= Empty;
}

// True when `move` is, entry for entry, one of the moves listed for the position.
bool IsListedMove(const int* move, const TMoveList& list) {
  for (int i = 0; i < list.NumMoves; ++i) {
    const int* candidate = list.Moves[i];
    int k = 0;
    while (candidate[k] == move[k] && move[k] != 0) ++k;
    if (candidate[k] == move[k]) return true;
  }
  return false;
}

}  // namespace

void SetFileErrorReporter(TFileErrorReporter reporter) { Reporter() = std::move(reporter); }

void Game::CorruptedFile() {
  if (Reporter()) Reporter()(CorruptedFileCaption, CorruptedFileMessage);
  Flush();
}

std::ostream& operator<<(std::ostream& out, Game& game) {
  WriteInt(out, 1);
  WriteInt(out, game.StartSide);
  int sum = 0;
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    WriteByte(out, game.StartBoard[i]);
    sum += SignedByte(game.StartBoard[i]);
  }
  WriteInt(out, sum);
  WriteInt(out, game.MoveCount);
  sum = 0;
  for (GameNode* node = game.Head->Next; node != nullptr; node = node->Next) {
    for (const int* entry = node->Move; *entry != 0; ++entry) {
      WriteByte(out, *entry);
      sum += SignedByte(*entry);
    }
    WriteByte(out, 0);
  }
  WriteInt(out, sum);
  out.put('\n');
  out.write(FileTrailer, sizeof FileTrailer - 1);
  return out;
}

std::istream& operator>>(std::istream& in, Game& game) {
  game.Flush();
  // A damaged file also leaves the stream failed, so callers can tell it from a good one.
  auto fail = [&]() -> std::istream& {
    game.CorruptedFile();
    in.setstate(std::ios::failbit);
    return in;
  };

  int format = 0;
  if (!ReadInt(in, format) || format != 1) return fail();
  int side = 0;
  if (!ReadInt(in, side) || (side != White && side != Black)) return fail();

  int board[BoardSize];
  for (int& cell : board) cell = OffBoard;
  int sum = 0;
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    if (!ReadByte(in, board[i]) || !ValidCell(i, board[i])) return fail();
    sum += board[i];
  }
  int checksum = 0;
  if (!ReadInt(in, checksum) || checksum != sum) return fail();

  int count = 0;
  if (!ReadInt(in, count) || count < 0) return fail();

  // Every move is replayed on a scratch board and must be one the rules allow.
  int position[BoardSize];
  for (int i = 0; i < BoardSize; ++i) position[i] = board[i];
  int toMove = side;
  class TMoveGenerator generator;
  TMoveList legal;
  int move[MoveBufferSize];
  sum = 0;
  for (int m = 0; m < count; ++m) {
    int length = 0;
    for (;;) {
      int entry = 0;
      if (!ReadByte(in, entry)) return fail();
      sum += entry;
      if (entry == 0) break;
      if (length == MaxMoveEntries || !IsPlayable(entry)) return fail();
      move[length++] = entry;
    }
    move[length] = 0;
    if (length < 2) return fail();
    generator.MakeMoveList(position, static_cast<TPlayer>(toMove), &legal);
    if (!IsListedMove(move, legal)) return fail();
    TMoveGenerator::MakeMove(move, position);
    toMove = 1 - toMove;
    game.AddMove(move);
  }
  if (!ReadInt(in, checksum) || checksum != sum) return fail();

  game.StartSide = side;
  for (int i = 0; i < BoardSize; ++i) game.StartBoard[i] = board[i];
  return in;
}
