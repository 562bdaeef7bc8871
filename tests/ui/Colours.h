// Comparing drawn colours where the edges of smoothed shapes blend with what
// lies around them.
#pragma once

#include <cstdlib>
#include <initializer_list>

#include "framework/Geometry.h"

namespace colours {

inline bool Near(const TColor& a, const TColor& b, int tolerance = 40) {
  return std::abs(a.Red() - b.Red()) <= tolerance && std::abs(a.Green() - b.Green()) <= tolerance &&
         std::abs(a.Blue() - b.Blue()) <= tolerance;
}

// The first of `choices` that `c` is near; `c` itself when none is (a blend).
inline TColor Classify(const TColor& c, std::initializer_list<TColor> choices) {
  for (const TColor& choice : choices)
    if (Near(c, choice)) return choice;
  return c;
}

}  // namespace colours
