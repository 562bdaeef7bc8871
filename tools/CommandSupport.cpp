#include <cstdio>

#include "tools/Commands.h"

int CommandError(const char* command, const std::string& text) {
  std::fprintf(stderr, "varek-cli %s: %s\n", command, text.c_str());
  return 2;
}

bool ParseNumber(const std::string& word, long lowest, long highest, int* number) {
  if (word.empty() || word.size() > 9) return false;
  long value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < lowest || value > highest) return false;
  *number = static_cast<int>(value);
  return true;
}
