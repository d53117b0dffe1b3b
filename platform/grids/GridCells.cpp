#include "platform/grids/GridCells.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "platform/rtl/LargeArray.h"

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

// What a cell never written reads as.
const String EmptyText;

// The marks by the rows they mark. Made once and never freed, so that rows freed while the
// program ends find it still there.
std::unordered_map<const TGridCellRow*, TGridRowMark*>& Marks() {
  static auto* M = new std::unordered_map<const TGridCellRow*, TGridRowMark*>();
  return *M;
}

}  // namespace

TGridCellRow::~TGridCellRow() { TGridRowMark::Forget(this); }

void TGridRowMark::Forget(const TGridCellRow* Row) {
  auto& M = Marks();
  if (M.empty()) return;
  const auto It = M.find(Row);
  if (It == M.end()) return;
  It->second->FRow = nullptr;
  M.erase(It);
}

std::shared_ptr<TGridRowMark> TGridRowMark::Of(const TGridCellRow* Row) {
  if (!Row) return nullptr;
  auto& M = Marks();
  if (const auto It = M.find(Row); It != M.end()) return It->second->shared_from_this();
  std::shared_ptr<TGridRowMark> Mark(new TGridRowMark(Row));
  M.emplace(Row, Mark.get());
  return Mark;
}

TGridRowMark::~TGridRowMark() {
  if (FRow) Marks().erase(FRow);
}

TGridCellStore::~TGridCellStore() { Clear(); }

void TGridCellStore::FreeRow(size_t ARow) {
  delete FRows[ARow];
  FRows[ARow] = nullptr;
}

const TGridCell* TGridCellStore::Find(Integer ACol, Integer ARow) const {
  if (ACol < 0 || ARow < 0 || ARow >= StoredRows()) return nullptr;
  const TGridCellRow* row = FRows[static_cast<size_t>(ARow)];
  if (!row || ACol >= static_cast<Integer>(row->Cells.size())) return nullptr;
  return &row->Cells[static_cast<size_t>(ACol)];
}

TGridCellRow& TGridCellStore::RowAt(Integer ARow) {
  if (ARow >= StoredRows()) FRows.resize(static_cast<size_t>(ARow) + 1);
  TGridCellRow*& Row = FRows[static_cast<size_t>(ARow)];
  if (!Row) Row = new TGridCellRow;
  return *Row;
}

TGridCell& TGridCellStore::Ensure(Integer ACol, Integer ARow) {
  std::vector<TGridCell>& cells = RowAt(ARow).Cells;
  const size_t need = static_cast<size_t>(ACol) + 1;
  if (need > cells.size()) {
    if (need > cells.capacity()) {
      // Doubling, but not past the row room when the cell lies inside it.
      size_t room = std::max(need, 2 * cells.capacity());
      if (need <= FRowRoom) room = std::min(room, FRowRoom);
      cells.reserve(room);
    }
    cells.resize(need);
  }
  return cells[static_cast<size_t>(ACol)];
}

void TGridCellStore::PrefetchColumnWalk(Integer ACol, Integer ARow, Integer Step) const {
  if (ACol < 0) return;
  const size_t col = static_cast<size_t>(ACol);
  auto rowAt = [&](Integer Ahead) -> const TGridCellRow* {
    const Integer r = ARow + Ahead * Step;
    return r >= 0 && r < StoredRows() ? FRows[static_cast<size_t>(r)] : nullptr;
  };
  if (const TGridCellRow* row = rowAt(16)) __builtin_prefetch(row);
  if (const TGridCellRow* row = rowAt(8); row && col < row->Cells.size()) __builtin_prefetch(&row->Cells[col]);
  if (const TGridCellRow* row = rowAt(4); row && col < row->Cells.size()) __builtin_prefetch(row->Cells[col].Text.data());
}

String TGridCellStore::Text(Integer ACol, Integer ARow) const {
  const TGridCell* c = Find(ACol, ARow);
  return c ? c->Text : String();
}

const String& TGridCellStore::TextRef(Integer ACol, Integer ARow) const {
  const TGridCell* c = Find(ACol, ARow);
  return c ? c->Text : EmptyText;
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

void TGridCellStore::RotateRows(Integer First, Integer NewFirst, Integer End) {
  if (First < 0 || NewFirst <= First || NewFirst >= End) return;
  if (End > StoredRows()) FRows.resize(static_cast<size_t>(End));
  std::rotate(FRows.begin() + First, FRows.begin() + NewFirst, FRows.begin() + End);
}

std::vector<std::unique_ptr<TGridCellRow>> TGridCellStore::TakeRows(const std::vector<Integer>& Rows, Integer End) {
  std::vector<std::unique_ptr<TGridCellRow>> Taken(Rows.size());
  if (Rows.empty()) return Taken;
  End = std::min(End, StoredRows());
  size_t k = 0;
  Integer Write = Rows[0];
  for (Integer Read = Rows[0]; Read < End; ++Read) {
    if (k < Rows.size() && Rows[k] == Read) {
      Taken[k++].reset(FRows[static_cast<size_t>(Read)]);
      continue;
    }
    if (Write != Read) FRows[static_cast<size_t>(Write)] = FRows[static_cast<size_t>(Read)];
    ++Write;
  }
  std::fill(FRows.begin() + Write, FRows.begin() + End, nullptr);
  return Taken;
}

void TGridCellStore::PutRows(const std::vector<Integer>& Positions, std::vector<std::unique_ptr<TGridCellRow>> Handles,
                             Integer End) {
  if (Positions.empty()) return;
  const Integer N = static_cast<Integer>(Positions.size());
  const Integer Top = std::max(End + N, Positions.back() + 1);
  if (Top > StoredRows()) FRows.resize(static_cast<size_t>(Top));
  // The rows First … End - 1 come down from the bottom; the ones past End were not stored there
  // before and keep their content only where no moved row lands.
  Integer Read = End - 1;
  Integer k = N - 1;
  for (Integer Write = End + N - 1; Write >= Positions[0] && k >= 0; --Write) {
    // Every position from the first one down to End + N - 1 is written once, and every row read
    // from there was read before its place was written: nothing is lost or held twice.
    if (Write == Positions[static_cast<size_t>(k)]) {
      if (Write >= End) FreeRow(static_cast<size_t>(Write));
      FRows[static_cast<size_t>(Write)] = Handles[static_cast<size_t>(k)].release();
      --k;
    } else if (Read >= Positions[0]) {
      if (Write >= End) FreeRow(static_cast<size_t>(Write));
      FRows[static_cast<size_t>(Write)] = FRows[static_cast<size_t>(Read)];
      FRows[static_cast<size_t>(Read)] = nullptr;
      --Read;
    } else {
      FreeRow(static_cast<size_t>(Write));
    }
  }
}

void TGridCellStore::PermuteRows(Integer First, const Integer* Order, Integer Count) {
  if (Count <= 0 || First < 0) return;
  const Integer End = First + Count;
  if (End > StoredRows()) FRows.resize(static_cast<size_t>(End));
  // The handles are gathered from a copy, each position independent of the others, so the reads
  // of a large permutation overlap instead of waiting on one another along its cycles.
  const size_t n = static_cast<size_t>(Count);
  TGridCellRow** Rows = FRows.data() + First;
  TLargeArray<TGridCellRow*> Old(n);
  for (size_t i = 0; i < n; ++i) Old[i] = std::exchange(Rows[i], nullptr);
  for (size_t i = 0; i < n; ++i) {
    const size_t From = static_cast<size_t>(Order[i] - First);
    if (From < n) Rows[i] = std::exchange(Old[From], nullptr);
  }
  // A handle no position named (an order that repeats one) is not kept twice: it is freed.
  for (size_t i = 0; i < n; ++i) delete Old[i];
}

void TGridCellStore::MoveColumn(Integer From, Integer To) {
  if (From < 0 || To < 0 || From == To) return;
  const size_t low = static_cast<size_t>(std::min(From, To));
  const size_t top = static_cast<size_t>(std::max(From, To));
  for (TGridCellRow* row : FRows) {
    if (!row || row->Cells.size() <= low) continue;  // nothing stored in the moved range
    if (row->Cells.size() <= top) row->Cells.resize(top + 1);
    MoveElement(row->Cells, static_cast<size_t>(From), static_cast<size_t>(To));
  }
}

const TGridCellRow* TGridCellStore::EnsureRow(Integer ARow) { return ARow < 0 ? nullptr : &RowAt(ARow); }

void TGridCellStore::ExchangeRows(Integer ARow1, Integer ARow2) {
  if (ARow1 < 0 || ARow2 < 0 || ARow1 == ARow2) return;
  const Integer Top = std::max(ARow1, ARow2);
  if (Top >= StoredRows()) FRows.resize(static_cast<size_t>(Top) + 1);
  std::swap(FRows[static_cast<size_t>(ARow1)], FRows[static_cast<size_t>(ARow2)]);
}

void TGridCellStore::ForgetRowMark(Integer ARow) {
  if (ARow >= 0 && ARow < StoredRows()) TGridRowMark::Forget(FRows[static_cast<size_t>(ARow)]);
}

void TGridCellStore::ClearRow(Integer ARow) {
  if (ARow < 0 || ARow >= StoredRows()) return;
  FreeRow(static_cast<size_t>(ARow));
}

void TGridCellStore::ClearColumn(Integer ACol) {
  if (ACol < 0) return;
  for (TGridCellRow* row : FRows)
    if (row && ACol < static_cast<Integer>(row->Cells.size())) row->Cells[static_cast<size_t>(ACol)] = TGridCell();
}

void TGridCellStore::Clear() {
  for (TGridCellRow* row : FRows) delete row;
  FRows.clear();
}

const TGridCellRow* TGridCellStore::RowHandle(Integer ARow) const {
  if (ARow < 0 || ARow >= StoredRows()) return nullptr;
  return FRows[static_cast<size_t>(ARow)];
}
