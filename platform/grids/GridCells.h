// The cell store of the string grid: a text and one object reference per cell, kept by row. A row
// is a handle to its cells, so moving rows moves handles, never texts. The store knows nothing of
// the grid's counts: cells past them stay where they are until something overwrites them.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/System.h"

struct TGridCell {
  String Text;
  TObject* Object = nullptr;  // not owned
};

// The cells of one row, by column.
struct TGridCellRow {
  std::vector<TGridCell> Cells;
};

class TGridCellStore {
 public:
  TGridCellStore() = default;
  TGridCellStore(const TGridCellStore&) = delete;
  TGridCellStore& operator=(const TGridCellStore&) = delete;

  // A cell never written reads as an empty text and no object. Indexes are 0 or more.
  String Text(Integer ACol, Integer ARow) const;
  TObject* Object(Integer ACol, Integer ARow) const;
  void SetText(Integer ACol, Integer ARow, const String& Value);
  void SetObject(Integer ACol, Integer ARow, TObject* Value);

  // Moves row From to position To; the rows between shift by one toward the gap.
  void MoveRow(Integer From, Integer To);
  // Moves column From to position To in every stored row.
  void MoveColumn(Integer From, Integer To);
  // Empties every cell of the row (column), dropping the object references.
  void ClearRow(Integer ARow);
  void ClearColumn(Integer ACol);
  // Forgets everything.
  void Clear();

  // The number of row positions the store holds (rows past it are empty).
  Integer StoredRows() const { return static_cast<Integer>(FRows.size()); }
  // The handle of a row, nullptr for a row with no cells stored (tests of the cheap row move).
  const TGridCellRow* RowHandle(Integer ARow) const;

 private:
  const TGridCell* Find(Integer ACol, Integer ARow) const;
  TGridCell& Ensure(Integer ACol, Integer ARow);

  std::vector<std::unique_ptr<TGridCellRow>> FRows;
};
