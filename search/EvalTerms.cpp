#include "search/EvalTerms.h"

#include <cstdlib>

#include "engine/Metrics.h"

namespace evalterms {

namespace detail {

uint64_t Cone[2][45];

namespace {

struct TConeMaker {
  TConeMaker() {
    // Rows and columns as TMetrics numbers them; written out here so that the
    // table does not depend on the order in which globals are made.
    int row[45] = {}, column[45] = {};
    for (int r = 0, index = 10; r < 8; ++r)
      for (int k = 0; k < 4; ++k, ++index) {
        if (index == 18 || index == 27 || index == 36) ++index;
        row[index] = r;
        column[index] = 2 * k + (r % 2 == 0 ? 1 : 0);
      }
    for (int i = FirstSquare; i <= LastSquare; ++i) {
      Cone[White][i] = Cone[Black][i] = 0;
      if (!IsPlayable(i)) continue;
      for (int j = FirstSquare; j <= LastSquare; ++j) {
        if (!IsPlayable(j)) continue;
        const int spread = std::abs(column[j] - column[i]);
        if (row[i] <= 3 && row[j] < row[i] && spread <= row[i] - row[j]) Cone[Black][i] |= uint64_t{1} << MaskBit(j);
        if (row[i] >= 4 && row[j] > row[i] && spread <= row[j] - row[i]) Cone[White][i] |= uint64_t{1} << MaskBit(j);
      }
    }
  }
} coneMaker;

}  // namespace
}  // namespace detail

int RelativeSquare(int index, int colour) {
  return TMetrics::SquareToNotation(colour == Black ? index : 54 - index) - 1;
}

}  // namespace evalterms
