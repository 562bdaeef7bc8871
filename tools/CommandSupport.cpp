#include <cstdio>
#include <string>

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

bool ParseSeconds(const std::string& word, double highest, double* seconds) {
  // Digits with at most one point among them: "2", "0.1", ".5", "1.".
  if (word.empty() || word.size() > 12) return false;
  double value = 0, scale = 0;
  bool digits = false;
  for (char c : word) {
    if (c == '.') {
      if (scale != 0) return false;
      scale = 1;
    } else if (c >= '0' && c <= '9') {
      digits = true;
      if (scale == 0) {
        value = value * 10 + (c - '0');
      } else {
        scale /= 10;
        value += (c - '0') * scale;
      }
    } else {
      return false;
    }
  }
  if (!digits || value > highest) return false;
  *seconds = value;
  return true;
}

void DrawProgressBar(long long done, long long total, const std::string& after) {
  constexpr int width = 40;
  const int filled = total > 0 ? static_cast<int>(done * width / total) : width;
  std::fprintf(stderr, "\r[%s%s] %3d%%%s", std::string(filled, '#').c_str(), std::string(width - filled, '.').c_str(),
               total > 0 ? static_cast<int>(done * 100 / total) : 100, after.c_str());
  std::fflush(stderr);
}
