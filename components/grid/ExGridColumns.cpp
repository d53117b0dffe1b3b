// TExStringGrid: hidden and moved columns and rows, the conversions between real and display
// indexes, the current row and top row, and the row structure steps hiding uses.
#include <algorithm>
#include <memory>
#include <vector>


#include "components/grid/ExGrid.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"

namespace {
TGridItem* ItemAt(TCollection* Items, Integer Index) { return static_cast<TGridItem*>(Items->GetItem(Index)); }

// Hidden-row items in the order of their rows, equal rows in list order.
void SortByIdx(std::vector<TGridItem*>& Items) {
  std::stable_sort(Items.begin(), Items.end(), [](const TGridItem* a, const TGridItem* b) { return a->Idx() < b->Idx(); });
}
}  // namespace

// --- Column conversions -------------------------------------------------------------------------

Integer TExStringGrid::RealToDisplayCol(Integer ACol) const {
  if (ACol >= MaxGridColumns - 1 || FNumHidden == 0) return ACol;
  Integer Hidden = 0;
  for (Integer i = 0; i < ACol && i < MaxGridColumns - 1; ++i)
    if (!FVisibleCol[i]) ++Hidden;
  return ACol - Hidden;
}

Integer TExStringGrid::DisplayToRealCol(Integer ACol) const {
  if (ACol >= MaxGridColumns - 1 || FNumHidden == 0) return ACol;
  Integer Visible = -1;
  for (Integer j = 0; j < MaxGridColumns - 1; ++j) {
    if (FVisibleCol[j]) ++Visible;
    if (Visible == ACol) return j;
  }
  return 0;
}

bool TExStringGrid::IsHiddenColumn(Integer Colindex) const {
  if (Colindex < 0 || Colindex > MaxGridColumns - 2) return false;
  return !FVisibleCol[Colindex];
}

Integer TExStringGrid::AllColWidths(Integer ACol) const {
  if (IsHiddenColumn(ACol)) return FAllColWidths[ACol];
  return ColWidths(RealToDisplayCol(ACol));
}

void TExStringGrid::SetAllColWidths(Integer ACol, Integer Value) {
  Value = GridExtent(Value);
  if (ACol >= 0 && ACol < MaxGridColumns) FAllColWidths[ACol] = static_cast<int16_t>(Value);
  if (!IsHiddenColumn(ACol)) SetColWidths(RealToDisplayCol(ACol), Value);
}

bool TExStringGrid::IsIgnoredColumn(Integer ACol) const { return FIgnoreColumns->HasValue(ACol); }

Integer TExStringGrid::ColumnPosition(Integer ACol) {
  if (FColumnOrder->Count() == 0) return ACol;
  Integer P = ACol;
  const Integer N = std::min(FColumnOrder->Count(), ColCount() + NumHiddenColumns());
  for (Integer i = 0; i < N; ++i)
    if (FColumnOrder->Items(i) == ACol) {
      P = i;
      break;
    }
  if (FGroupColumn != -1 && ACol >= FGroupColumn) --P;
  return P;
}

Integer TExStringGrid::ColumnAtPosition(Integer APos) {
  if (FColumnOrder->Count() == 0) SetColumnOrder();
  if (APos < 0 || APos >= FColumnOrder->Count()) return APos;
  Integer C = FColumnOrder->Items(APos);
  if (FGroupColumn != -1 && C >= FGroupColumn) ++C;
  return C;
}

Integer TExStringGrid::ColumnByHeader(const String& AValue) {
  for (Integer c = 0; c < TotalColCount(); ++c)
    if (AllCells(c, 0) == AValue) return c;
  return -1;
}

// --- Hiding and showing columns -----------------------------------------------------------------

void TExStringGrid::HideColumns(Integer FromCol, Integer ToCol) {
  HideInplaceEdit();
  for (Integer C = FromCol; C <= ToCol; ++C) {
    if (C < 0 || C > MaxGridColumns - 2) continue;
    if (!FVisibleCol[C] || C >= ColCount() + FNumHidden || ColCount() <= 1) continue;
    const Integer D = RealToDisplayCol(C);
    FAllColWidths[C] = static_cast<int16_t>(ColWidths(D));
    for (Integer i = D; i < ColCount() - 1; ++i) SetColWidths(i, ColWidths(i + 1));
    ++FNumHidden;
    FVisibleCol[C] = false;
    if (Col() == ColCount() - 1 && Col() > 0) TBaseGrid::SetCol(Col() - 1);
    SetColCount(ColCount() - 1);
  }
  Invalidate();
}

void TExStringGrid::UnHideColumns(Integer FromCol, Integer ToCol) {
  HideInplaceEdit();
  for (Integer C = std::max(FromCol, 0); C <= ToCol && C < MaxGridColumns - 1; ++C) {
    if (FVisibleCol[C]) continue;
    --FNumHidden;
    FVisibleCol[C] = true;
    SetColCount(ColCount() + 1);
    const Integer D = RealToDisplayCol(C);
    for (Integer i = ColCount() - 1; i > D; --i) SetColWidths(i, ColWidths(i - 1));
    SetColWidths(D, FAllColWidths[C]);
  }
  Invalidate();
}

void TExStringGrid::UnHideColumnsAll() { UnHideColumns(0, ColCount() + NumHiddenColumns()); }

// --- Row conversions ----------------------------------------------------------------------------

Integer TExStringGrid::NumHiddenRows() const { return FGridItems ? FGridItems->Count() : 0; }

Integer TExStringGrid::RealRowToDisplayRow(Integer ARow) const {
  Integer Hidden = 0;
  for (Integer i = 0; i < NumHiddenRows(); ++i)
    if (ItemAt(FGridItems, i)->Idx() < ARow) ++Hidden;
  return ARow - Hidden;
}

Integer TExStringGrid::DisplayRowToRealRow(Integer ARow) const {
  const Integer N = NumHiddenRows();
  if (N == 0) return ARow;
  std::vector<Integer> Hidden;
  Hidden.reserve(N);
  for (Integer i = 0; i < N; ++i) Hidden.push_back(ItemAt(FGridItems, i)->Idx());
  std::sort(Hidden.begin(), Hidden.end());
  // Each hidden real index at or below the answer pushes it one further.
  Integer R = ARow;
  for (Integer h : Hidden) {
    if (h <= R)
      ++R;
    else
      break;
  }
  return R;
}

bool TExStringGrid::IsHiddenRow(Integer Rowindex) const { return HiddenRowItem(Rowindex) != nullptr; }

bool TExStringGrid::IsHiddenRow(Integer Rowindex, TIntList*& ListHidden) const {
  if (!ListHidden) {
    ListHidden = new TIntList(0, 0);
    for (Integer i = 0; i < NumHiddenRows(); ++i) ListHidden->Add(ItemAt(FGridItems, i)->Idx());
  }
  return ListHidden->HasValue(Rowindex);
}

TGridItem* TExStringGrid::HiddenRowItem(Integer ARow) const {
  for (Integer i = 0; i < NumHiddenRows(); ++i) {
    TGridItem* It = ItemAt(FGridItems, i);
    if (It->Idx() == ARow) return It;
  }
  return nullptr;
}

TStrings* TExStringGrid::HiddenRowStrings(Integer ARow) const {
  TGridItem* It = HiddenRowItem(ARow);
  return It ? It->Items() : nullptr;
}

// --- Row structure steps ------------------------------------------------------------------------

std::unique_ptr<TGridCellRow> TExStringGrid::RowCellsCopy(Integer ARow, Integer Cols) {
  auto Row = std::make_unique<TGridCellRow>();
  Row->Cells.resize(static_cast<size_t>(std::max<Integer>(Cols, 0)));
  for (Integer c = 0; c < Cols; ++c) {
    Row->Cells[static_cast<size_t>(c)].Text = GetGridCell(c, ARow);
    Row->Cells[static_cast<size_t>(c)].Object = GetGridObject(c, ARow);
  }
  return Row;
}

void TExStringGrid::PutRowCells(Integer ARow, const TGridItem* Item, Integer Cols) {
  const Integer Count = Item->CellCount();
  for (Integer c = 0; c < std::max(Cols, Count); ++c) {
    const bool Has = c < Count;
    SetGridCell(c, ARow, Has ? Item->CellText(c) : String());
    SetGridObject(c, ARow, Has ? Item->CellObject(c) : nullptr);
  }
}

// --- Hiding and showing rows --------------------------------------------------------------------

void TExStringGrid::HideRows(Integer FromRow, Integer ToRow) {
  HideInplaceEdit();
  const Integer Cols = TotalColCount();
  bool Any = false;
  for (Integer R = FromRow; R <= ToRow; ++R) {
    if (R < 0 || IsHiddenRow(R)) continue;
    const Integer D = RealRowToDisplayRow(R);
    if (D < 0 || D >= RowCount() || RowCount() <= 1) continue;
    // The item goes where it keeps the items sorted by real index.
    Integer P = 0;
    for (Integer i = 0; i < NumHiddenRows(); ++i)
      if (ItemAt(FGridItems, i)->Idx() < R) ++P;
    auto* It = static_cast<TGridItem*>(FGridItems->Insert(P));
    It->SetCellRow(RowCellsCopy(D, Cols), Cols);
    It->SetIdx(R);
    It->SetHeight(RowHeights(D));
    // Not a filter level: showing a filter level leaves these rows alone.
    It->SetLevel(-1);
    for (Integer c = 0; c < Cols; ++c) SetGridObject(c, D, nullptr);
    DeleteRowsInternal(D, 1, false);
    Any = true;
  }
  if (Any) CellControlsUpdate(true);
}

void TExStringGrid::HideRowsEx(Integer FromRow, Integer ToRow) {
  if (IsHiddenRow(FromRow)) return;
  HideRows(FromRow, ToRow);
}

void TExStringGrid::HideRowList(TIntList* RowList) {
  if (!RowList || RowList->Count() == 0) return;
  std::vector<Integer> Rows;
  Rows.reserve(static_cast<size_t>(RowList->Count()));
  for (Integer i = 0; i < RowList->Count(); ++i) Rows.push_back(RowList->Items(i));
  HideDisplayRows(std::move(Rows));
}

void TExStringGrid::HideDisplayRows(std::vector<Integer> Rows) {
  if (Rows.empty()) return;
  HideInplaceEdit();
  const Integer Cols = TotalColCount();
  const Integer Count = RowCount();
  Rows.erase(std::remove_if(Rows.begin(), Rows.end(), [Count](Integer d) { return d < 0 || d >= Count; }), Rows.end());
  if (!std::is_sorted(Rows.begin(), Rows.end())) std::sort(Rows.begin(), Rows.end());
  Rows.erase(std::unique(Rows.begin(), Rows.end()), Rows.end());
  // The grid keeps one row: a list naming every row leaves the first one shown (and not hidden
  // as well, which would bring it back twice).
  if (!Rows.empty() && static_cast<Integer>(Rows.size()) >= Count) Rows.erase(Rows.begin());
  // The level's items are the last ones of the collection, in the order of Rows.
  const Integer First = NumHiddenRows();
  for (Integer d : Rows) {
    auto* It = static_cast<TGridItem*>(FGridItems->Add());
    It->SetIdx(d);
    It->SetHeight(RowHeights(d));
    It->SetLevel(FFilterLevel);
  }
  ++FFilterLevel;
  auto Item = [this, First](size_t k) { return ItemAt(FGridItems, First + static_cast<Integer>(k)); };
  if (RowMovesObserved()) {
    for (size_t k = 0; k < Rows.size(); ++k) Item(k)->SetCellRow(RowCellsCopy(Rows[k], Cols), Cols);
    for (auto it = Rows.rbegin(); it != Rows.rend(); ++it) {
      for (Integer c = 0; c < Cols; ++c) SetGridObject(c, *it, nullptr);
      DeleteRowsInternal(*it, 1, false);
    }
  } else if (!Rows.empty()) {
    // One pass: the rows' handles leave the grid and go into the items as they are.
    std::vector<std::unique_ptr<TGridCellRow>> Taken = DeleteRowSet(Rows, false, false);
    for (size_t k = 0; k < Rows.size(); ++k) Item(k)->SetCellRow(k < Taken.size() ? std::move(Taken[k]) : nullptr, Cols);
  }
  CellControlsUpdate(true);
}

void TExStringGrid::UnHideRowList() {
  if (FFilterLevel <= 0) return;
  const Integer Level = FFilterLevel - 1;
  std::vector<TGridItem*> Items;
  Items.reserve(static_cast<size_t>(NumHiddenRows()));
  bool Sorted = true;
  for (Integer i = 0; i < NumHiddenRows(); ++i) {
    TGridItem* It = ItemAt(FGridItems, i);
    if (It->Level() != Level) continue;
    if (!Items.empty() && It->Idx() < Items.back()->Idx()) Sorted = false;
    Items.push_back(It);
  }
  if (!Sorted) SortByIdx(Items);
  if (Row() >= RowCount()) FocusCell(FixedCols(), FixedRows());
  ShowHiddenItems(Items);
}

void TExStringGrid::ShowHiddenItems(const std::vector<TGridItem*>& Items) {
  const Integer Cols = TotalColCount();
  // Shown one at a time, item k goes to min(Idx, rows so far); while those places rise strictly
  // they are the final places, and the rows go in in one pass. The rows leave the items in the
  // same walk (the items of a million rows are read once) and go back when the places do not rise;
  // a row whose list was made leaves only when they do, so the list stays as it was.
  std::vector<Integer> Places;
  std::vector<std::unique_ptr<TGridCellRow>> Cells;
  std::vector<Integer> Heights;
  bool Rising = !FloatingFooterVisible();
  if (Rising) {
    Places.reserve(Items.size());
    Cells.reserve(Items.size());
    Heights.reserve(Items.size());
    bool AnyList = false;
    for (size_t k = 0; k < Items.size() && Rising; ++k) {
      TGridItem* It = Items[k];
      Places.push_back(std::min(It->Idx(), RowCount() + static_cast<Integer>(k)));
      Rising = k == 0 || Places[k] > Places[k - 1];
      AnyList = AnyList || It->FItems;
      Cells.push_back(It->FItems ? nullptr : std::move(It->FRow));
      Heights.push_back(It->Height());
      It->FShown = true;
    }
    for (size_t k = 0; (!Rising || AnyList) && k < Cells.size(); ++k) {
      TGridItem* It = Items[k];
      if (!Rising) {
        if (!It->FItems) It->FRow = std::move(Cells[k]);
        It->FShown = false;
      } else if (It->FItems) {
        Cells[k] = It->TakeCellRow();
      }
    }
  }
  if (!Rising) {
    for (TGridItem* It : Items) {
      const Integer T = std::min(It->Idx(), RowCount());
      InsertRowsInternal(T, 1, false);
      PutRowCells(T, It, Cols);
      SetRowHeights(T, It->Height());
      delete It;
    }
  } else if (!Items.empty()) {
    // The items handed their rows back as they are; the items go in one pass over the collection.
    InsertRowSet(Places, std::move(Cells), Heights);
    FGridItems->DeleteWhere([](TCollectionItem* It) { return static_cast<TGridItem*>(It)->FShown; });
  }
  CellControlsUpdate(true);
}

void TExStringGrid::UnHideRow(Integer Rowindex) { UnHideRows(Rowindex, Rowindex); }

void TExStringGrid::UnHideRows(Integer FromRow, Integer ToRow) {
  if (!IsHiddenRow(FromRow)) return;
  const Integer Cols = TotalColCount();
  std::vector<TGridItem*> Items;
  for (Integer i = 0; i < NumHiddenRows(); ++i) {
    TGridItem* It = ItemAt(FGridItems, i);
    if (It->Idx() >= FromRow && It->Idx() <= ToRow) Items.push_back(It);
  }
  SortByIdx(Items);
  for (TGridItem* It : Items) {
    // The rows still hidden before it are counted, the item itself is not (its Idx is not below).
    const Integer D = std::min(RealRowToDisplayRow(It->Idx()), RowCount());
    InsertRowsInternal(D, 1, false);
    PutRowCells(D, It, Cols);
    SetRowHeights(D, It->Height());
    delete It;
  }
  CellControlsUpdate(true);
}

void TExStringGrid::UnHideRowsAll() {
  // Every hidden row comes back in one pass, each to its own row (row by row, a grid with a filter
  // over many rows took minutes to close).
  std::vector<TGridItem*> Items;
  Items.reserve(static_cast<size_t>(NumHiddenRows()));
  for (Integer i = 0; i < NumHiddenRows(); ++i) Items.push_back(ItemAt(FGridItems, i));
  SortByIdx(Items);
  ShowHiddenItems(Items);
  FFilterLevel = 0;
}

// --- Selection hiding ---------------------------------------------------------------------------

void TExStringGrid::HideSelection() {
  FOldSelection = Selection();
  TBaseGrid::SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
  FSelHidden = true;
}

void TExStringGrid::UnHideSelection() {
  FSelHidden = false;
  if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
    TBaseGrid::SetSelection(FOldSelection);
    return;
  }
  const Integer T = (FFixedRowAlways && TBaseGrid::FixedRows() == RowCount()) ? 0 : TBaseGrid::FixedRows();
  const Integer L = (FFixedColAlways && TBaseGrid::FixedCols() == ColCount()) ? 0 : TBaseGrid::FixedCols();
  TBaseGrid::SetSelection(TGridRect{L, T, L, T});
}

void TExStringGrid::UpdateEditMode() { (void)SelectCell(Col(), Row()); }

// --- Moving -------------------------------------------------------------------------------------

void TExStringGrid::SetColumnOrder() {
  FColumnOrder->Clear();
  for (Integer i = 0; i < ColCount(); ++i) FColumnOrder->Add(i);
}

namespace {
// Where an index lands when the entry at From moves to To and the ones between close up.
Integer MovedIndex(Integer I, Integer From, Integer To) {
  if (I == From) return To;
  if (To < From && I >= To && I < From) return I + 1;
  if (To > From && I > From && I <= To) return I - 1;
  return I;
}
}  // namespace

void TExStringGrid::MoveColumn(Integer FromIndex, Integer ToIndex) {
  if (FColumnOrder->Count() == 0) SetColumnOrder();
  // The control list keeps real columns: the move shifts the real columns between the two.
  const Integer RealFrom = DisplayToRealCol(FromIndex);
  const Integer RealTo = DisplayToRealCol(ToIndex);
  TBaseGrid::MoveColumn(FromIndex, ToIndex);
  if (FNumCellControls <= 0) return;
  for (Integer i = 0; i < FControlList->Count(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    It->SetX(MovedIndex(It->X(), RealFrom, RealTo));
  }
  CellControlsUpdate(false);
}

void TExStringGrid::MoveRow(Integer FromIndex, Integer ToIndex) {
  TBaseGrid::MoveRow(FromIndex, ToIndex);
  if (FNumCellControls <= 0) return;
  // The control list keeps real rows; the move works on display rows, hidden rows stay put.
  for (Integer i = 0; i < FControlList->Count(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    if (IsHiddenRow(It->Y())) continue;
    const Integer D = MovedIndex(RealRowToDisplayRow(It->Y()), FromIndex, ToIndex);
    It->SetY(DisplayRowToRealRow(D));
  }
  CellControlsUpdate(false);
}

void TExStringGrid::MoveRows(Integer FromIndex, Integer ToIndex, Integer Count) {
  if (FromIndex == ToIndex || Count <= 0) return;
  // The whole rows travel, the cells of hidden columns and the heights included.
  const Integer Cols = TotalColCount();
  // Each row is held aside as a hidden row would be, in an item of no collection.
  std::vector<std::unique_ptr<TGridItem>> Saved;
  for (Integer r = FromIndex; r < FromIndex + Count; ++r) {
    Saved.push_back(std::make_unique<TGridItem>(nullptr));
    Saved.back()->SetCellRow(RowCellsCopy(r, Cols), Cols);
    Saved.back()->SetHeight(RowHeights(r));
    for (Integer c = 0; c < Cols; ++c) SetGridObject(c, r, nullptr);
  }
  if (FromIndex + Count < ToIndex) ToIndex -= Count;
  // A move leaves the merged areas as they are: the rows only change places.
  RemoveRowsEx(FromIndex, Count);
  InsertRowsInternal(ToIndex, Count, true);
  for (Integer k = 0; k < Count; ++k) {
    PutRowCells(ToIndex + k, Saved[static_cast<size_t>(k)].get(), Cols);
    SetRowHeights(ToIndex + k, Saved[static_cast<size_t>(k)]->Height());
  }
}

void TExStringGrid::ResetColumnOrder() {
  UnHideColumnsAll();
  if (FColumnOrder->Count() == 0) {
    SetColumnOrder();
    return;
  }
  bool Moved = true;
  for (Integer Pass = 0; Moved && Pass <= ColCount(); ++Pass) {
    Moved = false;
    for (Integer P = 0; P < ColCount() && P < FColumnOrder->Count(); ++P) {
      const Integer Target = FColumnOrder->Items(P);
      if (Target < P) {
        MoveColumn(P, Target);
        Moved = true;
      }
    }
  }
}

// --- Scrolling, current row, top row ------------------------------------------------------------

void TExStringGrid::ScrollInView(Integer ColIndex, Integer RowIndex) {
  if (ColIndex >= ColCount() || RowIndex >= RowCount()) return;
  Integer L = LeftCol();
  Integer T = TopRow();
  const Integer FC = TBaseGrid::FixedCols();
  const Integer FR = TBaseGrid::FixedRows();
  if (ColIndex < LeftCol() || ColIndex >= LeftCol() + VisibleColCount()) {
    SetCol(ColIndex);
    L = std::max(ColIndex - VisibleColCount() / 2, FC);
  }
  if (RowIndex < TopRow() || RowIndex >= TopRow() + VisibleRowCount()) {
    SetRow(RowIndex);
    T = std::max(RowIndex - VisibleRowCount() / 2, FR);
  }
  L = std::min(L, ColCount() - VisibleColCount() + 1);
  if (FC + VisibleColCount() < ColCount()) SetLeftCol(std::clamp(L, FC, ColCount() - 1));
  T = std::min(T, RowCount() - VisibleRowCount() + 1);
  if (FR + VisibleRowCount() >= RowCount()) return;
  SetTopRow(T);
  if (FSearchFooter->Visible()) {
    Integer H = Height() - SearchPanelHeight();
    if (VisibleColCount() < ColCount()) H -= GetSystemMetrics(SM_CYHSCROLL);
    // Advances while the row's bottom lies below the limit and the top row can still move.
    while (RawCellRect(0, RowIndex).Bottom > H && TopRow() < RowCount() - 1) {
      const Integer Before = TopRow();
      SetTopRow(TopRow() + 1);
      if (TopRow() == Before) break;
    }
  }
}

void TExStringGrid::SetRow(Integer Value) {
  if (Col() < 0 || Col() >= ColCount()) MoveToColRow(TBaseGrid::FixedCols(), Value);
  TBaseGrid::SetRow(Value);
  if (Row() != FOldRowSel && OnRowUpdate) {
    OnRowUpdate(this, FOldRowSel, Row());
    FOldRowSel = Row();
  }
  if (FMouseActions->DisjunctRowSelect()) SelectionToRowSelect(false);
  if (FSyncGrid->Grid() && FSyncGrid->SelectionRow()) {
    if (auto* Other = dynamic_cast<TExStringGrid*>(FSyncGrid->Grid()))
      Other->SetRow(Row());
    else
      FSyncGrid->Grid()->SetRow(Row());
  }
  if (Value == RowCount() - 1 && FSearchFooter->Visible()) ScrollLastRowAboveSearchPanel();
}

void TExStringGrid::SetTopRow(Integer Value) {
  if (Value < TBaseGrid::FixedRows() || Value > RowCount() - 1) return;
  TBaseGrid::SetTopRow(Value);
}
