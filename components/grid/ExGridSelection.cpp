// TExStringGrid: the rectangular and the disjunct selections, row modified and enabled marks,
// repainting by cells, rows and rectangles, and the small current-cell movers.
#include <algorithm>
#include <cstdlib>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridDragDrop.h"
#include "components/grid/ExGridSearchPanel.h"
#include "components/gridbase/ExUtil.h"
#include "platform/rtl/SysUtils.h"

namespace {
bool FlagAt(const TList* L, Integer I) { return I >= 0 && I < L->Count() && L->Get(I) != nullptr; }

void GrowTo(TList* L, Integer I) {
  while (L->Count() <= I) L->Add(nullptr);
}

void* const SetMark = reinterpret_cast<void*>(1);
}  // namespace

// --- Row and column flags -------------------------------------------------------------------------

bool TExStringGrid::RowSelect(Integer ARow) {
  const bool Persistent = FMouseActions->RowSelectPersistent();
  if (!Persistent && (ARow < 0 || ARow >= RowCount() + NumHiddenRows()))
    throw EStringGridError(u"Invalid row " + IntToStr(ARow) + u" accessed");
  if (FMouseActions->DisjunctRowSelect()) {
    if (ARow < 0) throw EListError(u"List index out of bounds (" + IntToStr(ARow) + u")");
    GrowTo(FRowSelect, ARow);
    return FRowSelect->Get(ARow) != nullptr;
  }
  const TGridRect S = Selection();
  return ARow >= std::min(S.Top, S.Bottom) && ARow <= std::max(S.Top, S.Bottom);
}

void TExStringGrid::SetRowSelect(Integer ARow, bool Value) {
  if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && TBaseGrid::FixedRows() < RowCount()))
    throw EStringGridError(u"Invalid row accessed");
  bool Allow = true;
  const bool Stored = ARow < FRowSelect->Count();
  if (!Stored || FlagAt(FRowSelect, ARow) != Value) {
    if (OnRowDisjunctSelect) OnRowDisjunctSelect(this, ARow, Value, Allow);
  }
  if (!Allow) return;
  GrowTo(FRowSelect, ARow);
  const bool Was = FRowSelect->Get(ARow) != nullptr;
  if (Value) {
    if (!Was) RepaintRow(ARow);
    FRowSelect->Put(ARow, SetMark);
    if (!FSelectedRows->HasValue(ARow) && ARow >= TBaseGrid::FixedRows()) FSelectedRows->Add(ARow);
  } else {
    if (Was) RepaintRow(ARow);
    FRowSelect->Put(ARow, nullptr);
    FSelectedRows->DeleteValue(ARow);
  }
  if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

bool TExStringGrid::ColSelect(Integer ACol) {
  if (ACol < 0 || ACol >= ColCount()) throw EStringGridError(u"Invalid column accessed");
  GrowTo(FColSelect, ACol);
  return FColSelect->Get(ACol) != nullptr;
}

void TExStringGrid::SetColSelect(Integer ACol, bool Value) {
  if (ACol < 0 || ACol >= ColCount()) throw EStringGridError(u"Invalid column accessed");
  GrowTo(FColSelect, ACol);
  const bool Was = FColSelect->Get(ACol) != nullptr;
  FColSelect->Put(ACol, Value ? SetMark : nullptr);
  if (Was != Value) RepaintCol(ACol);
}

bool TExStringGrid::RowModified(Integer ARow) const {
  return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->Items(ARow) == 1;
}

void TExStringGrid::SetRowModified(Integer ARow, bool Value) {
  if (ARow < 0) return;
  while (FModifiedRows->Count() <= ARow) FModifiedRows->Add(0);
  FModifiedRows->SetItems(ARow, Value ? 1 : 0);
  RepaintCell(0, ARow);
}

bool TExStringGrid::RowEnabled(Integer ARow) const {
  if (ARow < 0 || ARow >= FEnabledRows->Count()) return true;
  return FEnabledRows->Items(ARow) == 0;
}

void TExStringGrid::SetRowEnabled(Integer ARow, bool Value) {
  if (ARow < 0) return;
  if (ARow == Row()) {
    for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R)
      if (R != ARow && RowEnabled(R)) {
        SetRow(R);
        break;
      }
  }
  FUseEnabledRows = true;
  while (FEnabledRows->Count() <= ARow) FEnabledRows->Add(0);
  FEnabledRows->SetItems(ARow, Value ? 0 : 1);
  RepaintRow(ARow);
}

bool TExStringGrid::SelectedCells(Integer ACol, Integer ARow) const {
  if (FMouseActions->DisjunctCellSelect()) return FSelectedCells->HasValue(PackCell(ACol, ARow));
  const TGridRect S = Selection();
  return ACol >= std::min(S.Left, S.Right) && ACol <= std::max(S.Left, S.Right) &&
         ARow >= std::min(S.Top, S.Bottom) && ARow <= std::max(S.Top, S.Bottom);
}

void TExStringGrid::SetSelectedCells(Integer ACol, Integer ARow, bool Value) {
  const Integer P = PackCell(ACol, ARow);
  const bool Has = FSelectedCells->HasValue(P);
  if (Value && !Has) {
    FSelectedCells->Add(P);
    RepaintCell(ACol, ARow);
  } else if (!Value && Has) {
    FSelectedCells->DeleteValue(P);
    RepaintCell(ACol, ARow);
  }
}

TGridCoord TExStringGrid::SelectedCell(Integer I) const {
  const auto V = static_cast<uint32_t>(FSelectedCells->Items(I));
  return TGridCoord{static_cast<Integer>(V & 0xFFFF), static_cast<Integer>(V >> 16)};
}

Integer TExStringGrid::SelectedRow(Integer I) const {
  if (FMouseActions->DisjunctRowSelect()) return I >= 0 && I < FSelectedRows->Count() ? FSelectedRows->Items(I) : -1;
  const TGridRect S = Selection();
  const Integer Top = std::min(S.Top, S.Bottom);
  const Integer Bottom = std::max(S.Top, S.Bottom);
  return Top + I <= Bottom ? Top + I : -1;
}

// --- Counts ---------------------------------------------------------------------------------------

Integer TExStringGrid::RowSelectCount() const {
  if (FMouseActions->DisjunctRowSelect()) {
    Integer N = 0;
    const Integer Lim = std::min(RowCount() + NumHiddenRows(), FRowSelect->Count());
    for (Integer i = 0; i < Lim; ++i)
      if (FRowSelect->Get(i)) ++N;
    return N;
  }
  const TGridRect S = Selection();
  return std::abs(S.Bottom - S.Top) + 1;
}

Integer TExStringGrid::ColSelectCount() const {
  if (FMouseActions->DisjunctColSelect()) {
    Integer N = 0;
    for (Integer i = 0; i < FColSelect->Count(); ++i)
      if (FColSelect->Get(i)) ++N;
    return N;
  }
  const TGridRect S = Selection();
  return S.Right - S.Left + 1;
}

Integer TExStringGrid::SelectedRowCount() const {
  if (FMouseActions->DisjunctRowSelect()) return FSelectedRows->Count();
  const TGridRect S = Selection();
  const Integer T = S.Top;
  const Integer L = S.Left;
  const Integer B = std::min(S.Bottom, RowCount() - FFixedFooters - 1);
  const Integer TS = CellSpan(L, T).Y;
  if (IsMergedCell(L, T) && TS > 0) return B < T + TS ? TS + 1 : std::abs(T - B) + 1;
  if (IsMergedCell(L, B)) return std::abs(T - B) + CellSpan(L, B).Y + 1;
  return std::abs(T - B) + 1;
}

Integer TExStringGrid::SelectedColCount() const {
  if (FMouseActions->DisjunctColSelect()) return ColSelectCount();
  const TGridRect S = Selection();
  const Integer L = S.Left;
  const Integer R = S.Right;
  const Integer T = S.Top;
  if (IsMergedCell(L, T)) {
    const Integer SX = CellSpan(L, T).X;
    if (R < L + SX) return SX + 1;
  } else if (IsMergedCell(R, T)) {
    return std::abs(L - R) + CellSpan(R, T).X + 1;
  }
  return std::abs(L - R) + 1;
}

Integer TExStringGrid::SelectedCellsCount() {
  if (FMouseActions->DisjunctCellSelect()) return FSelectedCells->Count();
  FSelectedCells->Clear();
  const TGridRect S = Selection();
  if (S.Left == S.Right && S.Top == S.Bottom) {
    FSelectedCells->Add(PackCell(Col(), Row()));
    return 1;
  }
  for (Integer c = S.Left; c <= S.Right; ++c)
    for (Integer r = S.Top; r <= S.Bottom; ++r) {
      const Integer P = PackCell(c, r);
      if (!FSelectedCells->HasValue(P)) FSelectedCells->Add(P);
    }
  return FSelectedCells->Count();
}

Integer TExStringGrid::ModifiedRowCount() const {
  Integer N = 0;
  for (Integer i = 0; i < FModifiedRows->Count(); ++i)
    if (FModifiedRows->Items(i) == 1) ++N;
  return N;
}

// --- Selecting ------------------------------------------------------------------------------------

void TExStringGrid::SelectRows(Integer RowIndex, Integer RCount) {
  if (RowIndex + RCount > RowCount()) RCount = RowCount() - RowIndex;
  if (!FMouseActions->DisjunctRowSelect()) {
    SetSelection(TGridRect{TBaseGrid::FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
  } else {
    for (Integer R = RowIndex; R < RowIndex + RCount; ++R) {
      const Integer I = FMouseActions->RowSelectPersistent() ? RealRowIndex(R) : R;
      if (I < RowCount()) SetRowSelect(I, true);
    }
  }
  if (!FRowIndicator->Empty()) RepaintCol(0);
  FSelChange = false;
}

void TExStringGrid::UnSelectRows(Integer RowIndex, Integer RCount) {
  if (FMouseActions->DisjunctRowSelect()) {
    for (Integer R = RowIndex; R < RowIndex + RCount; ++R) {
      const Integer I = FMouseActions->RowSelectPersistent() ? RealRowIndex(R) : R;
      if (I < RowCount()) SetRowSelect(I, false);
    }
  }
  FSelChange = false;
}

void TExStringGrid::SelectCols(Integer ColIndex, Integer CCount) {
  if (!FMouseActions->DisjunctColSelect()) {
    SetSelection(TGridRect{ColIndex, TBaseGrid::FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
    return;
  }
  for (Integer c = ColIndex; c < ColIndex + CCount; ++c)
    if (c < ColCount()) SetColSelect(c, true);
}

void TExStringGrid::UnSelectCols(Integer ColIndex, Integer CCount) {
  if (!FMouseActions->DisjunctColSelect()) return;
  for (Integer c = ColIndex; c < ColIndex + CCount; ++c)
    if (c < ColCount()) SetColSelect(c, false);
}

void TExStringGrid::SelectRange(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow) {
  SetRow(ToRow);
  SetCol(ToCol);
  SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TExStringGrid::SelectCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow) {
  SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TExStringGrid::ClearRowSelect() {
  if (FRowSelect->Count() == 0) return;
  for (Integer i = 0; i < FRowSelect->Count(); ++i)
    if (FRowSelect->Get(i)) {
      FRowSelect->Put(i, nullptr);
      RepaintRow(i);
    }
  FSelectedRows->Clear();
}

void TExStringGrid::ClearColSelect() {
  if (FColSelect->Count() == 0) return;
  for (Integer i = 0; i < FColSelect->Count(); ++i)
    if (FColSelect->Get(i)) {
      FColSelect->Put(i, nullptr);
      RepaintCol(i);
    }
}

void TExStringGrid::ClearSelectedCells() {
  SetSelection(TGridRect{TBaseGrid::FixedCols(), TBaseGrid::FixedRows(), TBaseGrid::FixedCols(),
                         TBaseGrid::FixedRows()});
  FSelectedCells->Clear();
  Invalidate();
}

void TExStringGrid::ClearModifiedRows() {
  FModifiedRows->Clear();
  Invalidate();
}

bool TExStringGrid::IsSelected(Integer ACol, Integer ARow) {
  if (ARow < TBaseGrid::FixedRows() || ACol < TBaseGrid::FixedCols()) return false;
  if (FMouseActions->DisjunctCellSelect()) return FSelectedCells->HasValue(PackCell(ACol, ARow));
  if (FMouseActions->DisjunctRowSelect())
    return RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
  if (FMouseActions->DisjunctColSelect()) return ColSelect(ACol);
  const TGridRect S = Selection();
  return S.Left <= ACol && ACol <= S.Right && S.Top <= ARow && ARow <= S.Bottom;
}

String TExStringGrid::SelectedText() {
  TGridRect S = Selection();
  if (Options().Contains(goRowSelect) && FDragDropSettings && FDragDropSettings->OleEntireRows()) {
    S.Left = 0;
    S.Right = ColCount() - 1;
  }
  std::vector<Integer> Rows;
  if (FMouseActions->DisjunctRowSelect()) {
    for (Integer r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
      if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) Rows.push_back(r);
  } else {
    for (Integer r = S.Top; r <= S.Bottom; ++r) Rows.push_back(r);
  }
  String Result;
  for (size_t i = 0; i < Rows.size(); ++i) {
    if (i > 0) Result += u"\r\n";
    for (Integer C = S.Left; C <= S.Right; ++C) {
      String T = GetCellEx(DisplayToRealCol(C), Rows[i]);
      if (FExcelClipboardFormat && FMultilineCells && T.find(u'\r') != String::npos) QuoteMultilineField(T);
      Result += T;
      if (C < S.Right) Result += u'\t';
    }
  }
  return Result;
}

// --- Moving the current cell ----------------------------------------------------------------------

void TExStringGrid::GotoCell(Integer ACol, Integer ARow) {
  SetRow(ARow);
  SetCol(ACol);
}

void TExStringGrid::EditCell(Integer ACol, Integer ARow) {
  if (CanFocus()) SetFocus();
  GotoCell(ACol, ARow);
  ShowInplaceEdit();
}

void TExStringGrid::FocusCell(Integer ACol, Integer ARow) { SetSelection(TGridRect{ACol, ARow, ACol, ARow}); }

void TExStringGrid::MoveToColRow(Integer ACol, Integer ARow) { MoveColRow(ACol, ARow, true, true); }

void TExStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell) {
  const String T = GetGridCell(FromCell.X, FromCell.Y);
  TObject* O = GetGridObject(FromCell.X, FromCell.Y);
  SetGridCell(FromCell.X, FromCell.Y, GetGridCell(ToCell.X, ToCell.Y));
  SetGridObject(FromCell.X, FromCell.Y, GetGridObject(ToCell.X, ToCell.Y));
  SetGridCell(ToCell.X, ToCell.Y, T);
  SetGridObject(ToCell.X, ToCell.Y, O);
  RepaintCell(FromCell.X, FromCell.Y);
  RepaintCell(ToCell.X, ToCell.Y);
}

void TExStringGrid::SetSelection(const TGridRect& Value) {
  TBaseGrid::SetSelection(Value);
  if (FActiveCellShow) {
    RepaintRow(0);
    RepaintCol(0);
  }
  if (ActiveRowShow()) RepaintRow(Value.Bottom);
}

// --- Repainting -----------------------------------------------------------------------------------

void TExStringGrid::RepaintRow(Integer ARow) {
  if (ARow < 0 || ARow >= RowCount()) return;
  const TRect A = TBaseGrid::CellRect(0, ARow);
  const TRect B = TBaseGrid::CellRect(std::min(LeftCol() + VisibleColCount(), ColCount() - 1), ARow);
  InvalidateClientRect(TRect{A.Left, A.Top, std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom)});
}

void TExStringGrid::RepaintCol(Integer ACol) {
  if (ACol < 0 || ACol >= ColCount()) return;
  const TRect A = TBaseGrid::CellRect(ACol, TopRow());
  const TRect B = TBaseGrid::CellRect(ACol, std::min(TopRow() + VisibleRowCount(), RowCount() - 1));
  InvalidateClientRect(TRect{A.Left, A.Top, std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom)});
}

void TExStringGrid::RepaintRect(TRect R) {
  if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0) return;
  const TRect A = TBaseGrid::CellRect(R.Left, R.Top);
  const TRect B = TBaseGrid::CellRect(std::min(R.Right, VisibleColCount() + TBaseGrid::FixedCols()), R.Bottom);
  if (A.Width() == 0 || B.Width() == 0) {
    Invalidate();
    return;
  }
  InvalidateClientRect(TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                             std::max(A.Bottom, B.Bottom)});
}

void TExStringGrid::InvalidateGridRect(TGridRect R) {
  const TRect A = TBaseGrid::CellRect(R.Left, R.Top);
  const TRect B = TBaseGrid::CellRect(R.Right, R.Bottom);
  InvalidateClientRect(TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                             std::max(A.Bottom, B.Bottom)});
}

// --- The search panel at the bottom -------------------------------------------------------------------

Integer TExStringGrid::SearchPanelHeight() const {
  if (!FSearchFooter->Visible()) return 0;
  return FSearchPanel ? FSearchPanel->Height() : 32;
}

bool TExStringGrid::LastRowAboveSearchPanel() {
  if (!FSearchFooter->Visible()) return false;
  if (TopRow() + VisibleRowCount() < RowCount() - 1) return false;
  // The same limit the scrolling below stops at: a row ending on it counts as above the panel.
  return RawCellRect(0, RowCount() - 1).Bottom <= ClientRect().Bottom - SearchPanelHeight() + 2;
}

void TExStringGrid::ScrollLastRowAboveSearchPanel() {
  if (!FSearchFooter->Visible()) return;
  if (ClientHeight() <= DefaultRowHeight() + SearchPanelHeight()) return;
  // One row at a time while the last row lies below the panel's top; ends when the top row cannot
  // move any more.
  while (RawCellRect(0, RowCount() - 1).Bottom > ClientRect().Bottom - SearchPanelHeight() + 2 &&
         Row() <= RowCount() - 1 && TopRow() < RowCount() - 1) {
    const Integer Before = TopRow();
    TBaseGrid::SetTopRow(TopRow() + 1);
    if (TopRow() == Before) break;
  }
}

void TExStringGrid::SelectionToRowSelect(bool Force) {
  const TGridRect S = Selection();
  const Integer B = std::min(S.Bottom, RowCount() - FFixedFooters - 1);
  for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R) {
    const bool In = R >= S.Top && R <= B;
    if (Force || In) SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(R) : R, In);
  }
  if (NumHiddenRows() > 0) Invalidate();
}

void TExStringGrid::SelectionToColSelect(bool Force) {
  const TGridRect S = Selection();
  for (Integer C = TBaseGrid::FixedCols(); C < ColCount(); ++C) {
    const bool In = C >= S.Left && C <= S.Right;
    if (Force || In) SetColSelect(C, In);
  }
}
