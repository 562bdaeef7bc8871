#include "engine/PositionString.h"

#include "engine/Metrics.h"

namespace {

// A character as a message shows it: printable ones quoted, others by code.
std::string Describe(char c) {
  if (c > ' ' && c < 127) return std::string("'") + c + "'";
  return "character code " + std::to_string(static_cast<unsigned char>(c));
}

bool Fail(std::string* error, const std::string& reason) {
  if (error != nullptr) *error = reason;
  return false;
}

// One colour's list after its letter: "K1,2,K3" or nothing. Stops at ':' or the end.
bool ParsePieces(const std::string& text, size_t& at, int colour, int* board, std::string* error) {
  const char* name = colour == White ? "White" : "Black";
  if (at == text.size() || text[at] == ':') return true;  // no pieces of this colour
  for (;;) {
    bool king = false;
    if (text[at] == 'K') {
      king = true;
      ++at;
    }
    if (at == text.size() || text[at] < '0' || text[at] > '9')
      return Fail(error, std::string("expected a square number in ") + name + "'s list at character " +
                             std::to_string(at + 1));
    long number = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
      if (number < 1000) number = number * 10 + (text[at] - '0');
      ++at;
    }
    if (number < 1 || number > 32)
      return Fail(error, "square " + (number < 1000 ? std::to_string(number) : std::string("number")) +
                             " is outside 1 to 32");
    const int index = TMetrics::NotationToSquare(static_cast<int>(number));
    if (board[index] != Empty) return Fail(error, "square " + std::to_string(number) + " is listed twice");
    // White men are crowned on squares 1 to 4, Black men on 29 to 32.
    if (!king && (colour == White ? number <= 4 : number >= 29))
      return Fail(error, std::string("a ") + (colour == White ? "White" : "Black") + " man on square " +
                             std::to_string(number) + " would stand on its own crowning row");
    board[index] = king ? (colour == White ? WhiteKing : BlackKing) : (colour == White ? WhiteMan : BlackMan);
    if (at == text.size() || text[at] == ':') return true;
    if (text[at] != ',')
      return Fail(error, "unexpected " + Describe(text[at]) + " in " + name + "'s list at character " +
                             std::to_string(at + 1));
    ++at;
  }
}

}  // namespace

bool ParsePosition(const std::string& text, int* board, TPlayer* side, std::string* error) {
  for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
  if (text.empty() || (text[0] != 'W' && text[0] != 'B'))
    return Fail(error, "a position starts with the side to move, W or B");
  *side = text[0] == 'W' ? White : Black;
  size_t at = 1;
  bool seen[2] = {false, false};
  while (at < text.size()) {
    if (text[at] != ':') return Fail(error, "expected ':' at character " + std::to_string(at + 1));
    ++at;
    if (at == text.size() || (text[at] != 'W' && text[at] != 'B'))
      return Fail(error, "expected W or B to start a list of pieces at character " + std::to_string(at + 1));
    const int colour = text[at] == 'W' ? White : Black;
    if (seen[colour]) return Fail(error, std::string(colour == White ? "White" : "Black") + "'s pieces are listed twice");
    seen[colour] = true;
    ++at;
    if (!ParsePieces(text, at, colour, board, error)) return false;
  }
  if (!seen[White] && !seen[Black]) return Fail(error, "the position lists no pieces (W... and B... lists)");
  return true;
}

std::string FormatPosition(const int* board, TPlayer side) {
  std::string text(1, side == White ? 'W' : 'B');
  for (int colour : {White, Black}) {
    text += colour == White ? ":W" : ":B";
    bool first = true;
    for (int number = 1; number <= 32; ++number) {
      const int code = board[TMetrics::NotationToSquare(number)];
      if (!IsPiece(code) || (code & 1) != colour) continue;
      if (!first) text += ',';
      first = false;
      if (IsKing(code)) text += 'K';
      text += std::to_string(number);
    }
  }
  return text;
}
