#include "engine/Metrics.h"

#include "engine/Board.h"

TMetrics::TMetrics() {
  for (int i = 0; i < 45; ++i) Column[i] = Row[i] = 0;
  int index = 10;
  for (int r = 0; r < 8; ++r) {
    for (int k = 0; k < 4; ++k, ++index) {
      if (index == 18 || index == 27 || index == 36) ++index;
      Row[index] = r;
      Column[index] = 2 * k + (r % 2 == 0 ? 1 : 0);
    }
  }
}

int TMetrics::SquareToNotation(int index) {
  int n = 45 - index;
  if (36 > index) --n;
  if (27 > index) --n;
  if (18 > index) --n;
  return n;
}

int TMetrics::NotationToSquare(int number) {
  if (number < 1 || number > 32) return 0;
  for (int i = FirstSquare; i <= LastSquare; ++i)
    if (IsPlayable(i) && SquareToNotation(i) == number) return i;
  return 0;
}

// At most "32x32" and its terminator: square numbers have one or two digits.
char* TMetrics::MoveToStr(const int* move, char* buffer) {
  const int n = MoveLength(move);
  char* out = buffer;
  auto put = [&out](int number) {
    if (number >= 10) *out++ = static_cast<char>('0' + number / 10 % 10);
    *out++ = static_cast<char>('0' + number % 10);
  };
  put(SquareToNotation(move[0]));
  *out++ = n == 2 ? '-' : 'x';
  put(SquareToNotation(move[n - 1]));
  *out = 0;
  return buffer;
}
