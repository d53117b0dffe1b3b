#include "platform/grids/GridCells.h"

#include <algorithm>

namespace {

// Moves the element at From to To inside V, shifting the ones between toward the gap.
template <class T>
void MoveElement(std::vector<T>& V, size_t From, size_t To) {
  if (From < To)
    std::rotate(V.begin() + static_cast<std::ptrdiff_t>(From), V.begin() + static_cast<std::ptrdiff_t>(From) + 1,
                V.begin() + static_cast<std::ptrdiff_t>(To) + 1);
  else
    std::rotate(V.begin() + static_cast<std::ptrdiff_t>(To), V.begin() + static_cast<std::ptrdiff_t>(From),
                V.begin() + static_cast<std::ptrdiff_t>(From) + 1);
}

}  // namespace

const TGridCell* TGridCellStore::Find(Integer ACol, Integer ARow) const {
  if (ACol < 0 || ARow < 0 || ARow >= StoredRows()) return nullptr;
  const TGridCellRow* row = FRows[static_cast<size_t>(ARow)].get();
  if (!row || ACol >= static_cast<Integer>(row->Cells.size())) return nullptr;
  return &row->Cells[static_cast<size_t>(ACol)];
}

TGridCell& TGridCellStore::Ensure(Integer ACol, Integer ARow) {
  if (ARow >= StoredRows()) FRows.resize(static_cast<size_t>(ARow) + 1);
  std::unique_ptr<TGridCellRow>& row = FRows[static_cast<size_t>(ARow)];
  if (!row) row = std::make_unique<TGridCellRow>();
  if (ACol >= static_cast<Integer>(row->Cells.size())) row->Cells.resize(static_cast<size_t>(ACol) + 1);
  return row->Cells[static_cast<size_t>(ACol)];
}

String TGridCellStore::Text(Integer ACol, Integer ARow) const {
  const TGridCell* c = Find(ACol, ARow);
  return c ? c->Text : String();
}

TObject* TGridCellStore::Object(Integer ACol, Integer ARow) const {
  const TGridCell* c = Find(ACol, ARow);
  return c ? c->Object : nullptr;
}

void TGridCellStore::SetText(Integer ACol, Integer ARow, const String& Value) {
  if (ACol < 0 || ARow < 0) return;
  // Emptying a cell that was never stored allocates nothing.
  if (Value.empty() && !Find(ACol, ARow)) return;
  Ensure(ACol, ARow).Text = Value;
}

void TGridCellStore::SetObject(Integer ACol, Integer ARow, TObject* Value) {
  if (ACol < 0 || ARow < 0) return;
  if (!Value && !Find(ACol, ARow)) return;
  Ensure(ACol, ARow).Object = Value;
}

void TGridCellStore::MoveRow(Integer From, Integer To) {
  if (From < 0 || To < 0 || From == To) return;
  const Integer top = std::max(From, To);
  if (top >= StoredRows()) FRows.resize(static_cast<size_t>(top) + 1);
  MoveElement(FRows, static_cast<size_t>(From), static_cast<size_t>(To));
}

void TGridCellStore::MoveColumn(Integer From, Integer To) {
  if (From < 0 || To < 0 || From == To) return;
  const size_t low = static_cast<size_t>(std::min(From, To));
  const size_t top = static_cast<size_t>(std::max(From, To));
  for (std::unique_ptr<TGridCellRow>& row : FRows) {
    if (!row || row->Cells.size() <= low) continue;  // nothing stored in the moved range
    if (row->Cells.size() <= top) row->Cells.resize(top + 1);
    MoveElement(row->Cells, static_cast<size_t>(From), static_cast<size_t>(To));
  }
}

void TGridCellStore::ClearRow(Integer ARow) {
  if (ARow < 0 || ARow >= StoredRows()) return;
  FRows[static_cast<size_t>(ARow)].reset();
}

void TGridCellStore::ClearColumn(Integer ACol) {
  if (ACol < 0) return;
  for (std::unique_ptr<TGridCellRow>& row : FRows)
    if (row && ACol < static_cast<Integer>(row->Cells.size())) row->Cells[static_cast<size_t>(ACol)] = TGridCell();
}

void TGridCellStore::Clear() { FRows.clear(); }

const TGridCellRow* TGridCellStore::RowHandle(Integer ARow) const {
  if (ARow < 0 || ARow >= StoredRows()) return nullptr;
  return FRows[static_cast<size_t>(ARow)].get();
}
