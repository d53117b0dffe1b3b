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

  TGridCellRow() = default;
  TGridCellRow(const TGridCellRow&) = delete;
  TGridCellRow& operator=(const TGridCellRow&) = delete;
  // A row freed tells its mark (TGridRowMark), when it has one, that it is gone.
  ~TGridCellRow();
};

// A mark on a row of cells, for whoever keeps a reference to a row beyond the moment (a history
// of cell changes): the row moves as a handle, so the mark finds it wherever it went, and the mark
// learns when the row is freed, so that no row made later at the same address is taken for it.
// One mark is shared by all who mark the same row. GUI thread only.
class TGridRowMark : public std::enable_shared_from_this<TGridRowMark> {
 public:
  // The mark of Row, made when the row has none.
  static std::shared_ptr<TGridRowMark> Of(const TGridCellRow* Row);
  ~TGridRowMark();
  TGridRowMark(const TGridRowMark&) = delete;
  TGridRowMark& operator=(const TGridRowMark&) = delete;

  // The row marked; nullptr once it was freed.
  const TGridCellRow* Row() const { return FRow; }

 private:
  explicit TGridRowMark(const TGridCellRow* Row) : FRow(Row) {}
  friend struct TGridCellRow;
  friend class TGridCellStore;
  // The mark of Row, when it has one, learns that it no longer finds the row.
  static void Forget(const TGridCellRow* Row);
  const TGridCellRow* FRow;
};

class TGridCellStore {
 public:
  TGridCellStore() = default;
  ~TGridCellStore();
  TGridCellStore(const TGridCellStore&) = delete;
  TGridCellStore& operator=(const TGridCellStore&) = delete;

  // A cell never written reads as an empty text and no object. Indexes are 0 or more.
  String Text(Integer ACol, Integer ARow) const;
  // The stored text itself, no copy (an empty text for a cell never written); valid until the
  // cell or its row changes.
  const String& TextRef(Integer ACol, Integer ARow) const;
  TObject* Object(Integer ACol, Integer ARow) const;
  void SetText(Integer ACol, Integer ARow, const String& Value);
  void SetObject(Integer ACol, Integer ARow, TObject* Value);

  // Moves row From to position To; the rows between shift by one toward the gap.
  void MoveRow(Integer From, Integer To);
  // Moves column From to position To in every stored row.
  void MoveColumn(Integer From, Integer To);
  // The rows in First … End - 1 turn round so that row NewFirst comes to First (as std::rotate):
  // handles move, cells do not.
  void RotateRows(Integer First, Integer NewFirst, Integer End);
  // Takes the listed rows (ascending, distinct) out in one pass: every row after them moves up
  // past the ones taken, up to row End - 1 (rows from End on keep their places); the positions
  // vacated before End are empty. The taken handles come back in list order (nullptr for a row
  // with no cells).
  std::vector<std::unique_ptr<TGridCellRow>> TakeRows(const std::vector<Integer>& Rows, Integer End);
  // Puts rows in at the listed final positions (ascending, distinct) in one pass: the rows from
  // the first position up to row End - 1 move down to make room (the last ones moving to End and
  // beyond); a nullptr handle is an empty row.
  void PutRows(const std::vector<Integer>& Positions, std::vector<std::unique_ptr<TGridCellRow>> Handles, Integer End);
  // Row handles in the new order: row Order[i] goes to position First + i (Order holds each of
  // First … First + Count - 1 once).
  void PermuteRows(Integer First, const Integer* Order, Integer Count);
  void PermuteRows(Integer First, const std::vector<Integer>& Order) {
    PermuteRows(First, Order.data(), static_cast<Integer>(Order.size()));
  }
  // The handle of a row, made (with no cells) when the row has none.
  const TGridCellRow* EnsureRow(Integer ARow);
  // Rows ARow1 and ARow2 change places (their handles do).
  void ExchangeRows(Integer ARow1, Integer ARow2);
  // A mark on the row no longer finds it (the row's cells were exchanged with another row's in
  // place); a mark made later is a new one.
  void ForgetRowMark(Integer ARow);
  // Empties every cell of the row (column), dropping the object references.
  void ClearRow(Integer ARow);
  void ClearColumn(Integer ACol);
  // Forgets everything.
  void Clear();

  // The cell room a row grows to (the grid's column count): a row filled cell by cell up to it
  // holds no unused room. Writes past it grow the row as before.
  void SetRowRoom(Integer Cells) { FRowRoom = Cells > 0 ? static_cast<size_t>(Cells) : 0; }

  // A hint for a walk down column ACol (rows ARow, ARow + Step, ...): the rows a few steps ahead
  // are brought toward the cache in stages (the row, then its cell, then the cell's text), so a
  // walk over rows stored far apart does not wait on memory at every cell. Changes nothing.
  void PrefetchColumnWalk(Integer ACol, Integer ARow, Integer Step) const;

  // The number of row positions the store holds (rows past it are empty).
  Integer StoredRows() const { return static_cast<Integer>(FRows.size()); }
  // The handle of a row, nullptr for a row with no cells stored (tests of the cheap row move).
  const TGridCellRow* RowHandle(Integer ARow) const;

 private:
  const TGridCell* Find(Integer ACol, Integer ARow) const;
  TGridCell& Ensure(Integer ACol, Integer ARow);
  // Row ARow (0 or more), made with no cells when it has none.
  TGridCellRow& RowAt(Integer ARow);

  // Drops the row held at position ARow (which must be inside FRows).
  void FreeRow(size_t ARow);

  // The rows by position, each owned by the store (nullptr: no cells). Plain pointers, so that
  // moving a range of rows is one move of memory.
  std::vector<TGridCellRow*> FRows;
  size_t FRowRoom = 0;
};
