#include "search/Killers.h"

TKillers::TKillers() { ClearKillers(); }

bool TKillers::IsEquivalentMove(const int* a, const int* b) {
  for (int i = 0;; ++i) {
    if (a[i] != b[i]) return false;
    if (a[i] == 0) return true;
  }
}

void TKillers::CopyMove(int* destination, const int* source) {
  int i = 0;
  while ((destination[i] = source[i]) != 0) ++i;
}

void TKillers::ClearKillers() {
  for (TMaskMove& killer : Killer) killer = TMaskMove{};
}
