#include "egdb/Value.h"

std::string EgdbText(int value) {
  if (value == EgdbUnknown) return "unknown";
  if (value == EgdbDraw) return "draw";
  return (EgdbIsWin(value) ? "win in " : "loss in ") + std::to_string(EgdbPlies(value));
}
