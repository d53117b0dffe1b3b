// Small helpers shared by the string grid's plain-text exchanges (delimited and fixed-width text,
// the grid text stream): the block of cells they cover and the progress report that fires only
// when its whole-percent value changes. Internal to components/grid.
#pragma once

#include <cmath>

#include "components/grid/ExGrid.h"

namespace exgrid_text {

// The save range (the grid's SaveStartCol .. SaveEndCol, SaveStartRow .. SaveEndRow) in one value.
struct TSaveRange {
  Integer StartCol = 0;
  Integer EndCol = -1;
  Integer StartRow = 0;
  Integer EndRow = -1;
};

inline TSaveRange SaveRangeOf(TExStringGrid* G) {
  return TSaveRange{G->SaveStartCol(), G->SaveEndCol(), G->SaveStartRow(), G->SaveEndRow()};
}

// Fires the grid's OnFileProgress with Part / Whole in whole percent (halves to even), only when
// the value differs from the last one fired; the first report always fires.
class TProgress {
 public:
  explicit TProgress(TExStringGrid* G) : FGrid(G) {}
  void Report(double Part, double Whole) {
    if (!FGrid->OnFileProgress) return;
    const Integer P = Whole > 0 ? static_cast<Integer>(std::nearbyint(Part / Whole * 100.0)) : 100;
    if (P == FLast) return;
    FLast = P;
    FGrid->OnFileProgress(FGrid, static_cast<int16_t>(P));
  }

 private:
  TExStringGrid* FGrid;
  Integer FLast = -1;
};

}  // namespace exgrid_text
