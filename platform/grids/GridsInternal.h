// The layout of one axis of a grid (columns across, rows down), shared by the grid's sources.
#pragma once

#include <climits>
#include <vector>

#include "platform/grids/Grids.h"

// Positions are client pixels; an index that is not laid out (scrolled away, outside the grid)
// has the position NotLaidOut.
struct TCustomGrid::TAxis {
  static constexpr Integer NotLaidOut = INT_MIN;

  const std::vector<Integer>* Sizes = nullptr;
  Integer Default = 0;
  Integer Count = 0;
  Integer Fixed = 0;
  Integer First = 0;   // the first scrolled index shown
  Integer Extent = 0;  // the client size along the axis
  Integer LineFixed = 0;
  Integer LineNormal = 0;

  Integer Size(Integer I) const {
    if (I < 0 || I >= static_cast<Integer>(Sizes->size())) return Default;
    return (*Sizes)[static_cast<size_t>(I)];
  }
  Integer Line(Integer I) const { return I < Fixed ? LineFixed : LineNormal; }
  Integer Step(Integer I) const { return Size(I) + Line(I); }

  // The size of the fixed indexes; when they reach past the client size only some value at or past
  // Extent (the sum stops there, so that it stays inside the integer range).
  Integer FixedExtent() const {
    Integer p = 0;
    for (Integer i = 0; i < Fixed && i < Count && p < Extent; ++i) p += Step(i);
    return p;
  }

  // The position of index I; for an index starting at or past the client size only some value
  // at or past Extent (the walk stops there, so far indexes cost no more than near ones).
  Integer StartOf(Integer I) const {
    if (I < 0 || I >= Count) return NotLaidOut;
    Integer p = 0;
    if (I < Fixed) {
      for (Integer i = 0; i < I && p < Extent; ++i) p += Step(i);
      return p;
    }
    if (I < First) return NotLaidOut;
    p = FixedExtent();
    for (Integer i = First; i < I && p < Extent; ++i) p += Step(i);
    return p;
  }

  // The index whose cell or line holds P, -1 when none does or P lies outside the client size.
  Integer IndexAt(Integer P) const {
    if (P < 0 || P >= Extent) return -1;
    Integer p = 0;
    for (Integer i = 0; i < Fixed && i < Count; ++i) {
      if (P < p + Step(i)) return i;
      p += Step(i);
    }
    for (Integer i = First; i < Count; ++i) {
      if (P < p + Step(i)) return i;
      p += Step(i);
      if (p > Extent) break;
    }
    return -1;
  }

  // The first scrolled index, not before First, from which index I shows whole (I itself when
  // it is before First or too big to show whole). Walks back from I only as far as the cells fit.
  Integer FirstShowing(Integer I) const {
    if (I < First) return I;
    const Integer avail = Extent - FixedExtent();
    Integer f = I;
    Integer acc = Size(I);
    while (f - 1 >= First && acc + Step(f - 1) <= avail) {
      acc += Step(f - 1);
      --f;
    }
    return f;
  }

  // The scrolled indexes that show whole from First, at least 1 while First is an index.
  Integer VisibleCount() const {
    Integer p = FixedExtent();
    Integer n = 0;
    for (Integer i = First; i < Count; ++i) {
      if (p + Size(i) > Extent) break;
      ++n;
      p += Step(i);
    }
    if (n == 0 && First < Count) n = 1;
    return n;
  }

  // The smallest first scrolled index from which all remaining indexes show whole.
  Integer MaxFirst() const {
    if (Count <= Fixed) return Fixed;
    const Integer avail = Extent - FixedExtent();
    Integer f = Count - 1;
    Integer acc = Size(f);
    if (acc > avail) return f;
    while (f - 1 >= Fixed && acc + Step(f - 1) <= avail) {
      acc += Step(f - 1);
      --f;
    }
    return f;
  }
};
