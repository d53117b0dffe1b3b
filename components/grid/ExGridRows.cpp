// TExStringGrid: the row and column structure operations. Inserting and removing rows and columns
// keeps the grid's per-row state in step (heights, modified and disabled rows, the disjunct row
// selection, cell controls, hidden-row items, the floating footer and fixed footers, the current
// row); clearing, trimming and colouring work on rectangles; the selection-based removals, the
// duplicate and check-box removals and the merging of runs of equal cells build on them.
//
// Hidden columns keep their cells past the visible ones: the row copies here walk the whole cell
// store (TotalColCount columns), so the cells of hidden columns travel with their rows.
#include <algorithm>
#include <unordered_set>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridSearchPanel.h"
#include "components/gridbase/ExUtil.h"
#include "platform/rtl/SysUtils.h"

namespace {

TGridItem* HiddenItem(TCollection* Items, Integer Index) { return static_cast<TGridItem*>(Items->GetItem(Index)); }

// Ends the grid's update lock when it goes out of scope, also when a step raised.
class TUpdateLock {
 public:
  explicit TUpdateLock(TExStringGrid* AGrid) : FGrid(AGrid) { FGrid->BeginUpdate(); }
  ~TUpdateLock() { FGrid->EndUpdate(); }
  TUpdateLock(const TUpdateLock&) = delete;
  TUpdateLock& operator=(const TUpdateLock&) = delete;

 private:
  TExStringGrid* FGrid;
};

// Column ToCol takes the texts and cell objects of column FromCol over Rows rows.
void CopyColCellsOver(TExStringGrid* G, Integer FromCol, Integer ToCol, Integer Rows) {
  for (Integer r = 0; r < Rows; ++r) {
    G->SetGridCell(ToCol, r, G->GetGridCell(FromCol, r));
    G->SetGridObject(ToCol, r, G->GetGridObject(FromCol, r));
  }
}

bool ModifiedMarking(TExStringGrid* G) { return G->ShowModified() && G->ShowModified()->Enabled(); }

// Zeros put into a per-row list at the final places (ascending, distinct) as one Insert per place
// puts them: a place at or past the end of the list as it grows takes none.
void InsertZeros(TIntList* L, const std::vector<Integer>& Places) {
  std::vector<Integer> Values;
  Values.reserve(static_cast<size_t>(L->Count()) + Places.size());
  Integer Read = 0;
  const Integer Count = L->Count();
  for (Integer Place : Places) {
    if (Place >= static_cast<Integer>(Values.size()) + (Count - Read)) break;
    while (static_cast<Integer>(Values.size()) < Place) Values.push_back(L->Items(Read++));
    Values.push_back(0);
  }
  while (Read < Count) Values.push_back(L->Items(Read++));
  L->Clear();
  for (Integer V : Values) L->Insert(L->Count(), V);
}

}  // namespace

// --- Bookkeeping --------------------------------------------------------------------------------

void TExStringGrid::ShiftControlRows(Integer FromRealRow, Integer Delta) {
  if (!FControlList) return;
  for (Integer i = 0; i < FControlList->Count(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    if (It->Y() >= FromRealRow) It->SetY(It->Y() + Delta);
  }
}

void TExStringGrid::ShiftHiddenRowItems(Integer AboveRealRow, Integer Delta) {
  for (Integer i = 0; i < NumHiddenRows(); ++i) {
    TGridItem* It = HiddenItem(FGridItems, i);
    if (It->Idx() > AboveRealRow) It->SetIdx(It->Idx() + Delta);
  }
}

// --- Removing rows ------------------------------------------------------------------------------

void TExStringGrid::RemoveRows(Integer RowIndex, Integer RCount) {
  if (RowCount() < RowIndex || RCount <= 0 || RowIndex < 0) return;
  // Only rows that exist are removed: a count reaching past the last row is cut there, so that no
  // row before RowIndex is lost by lowering RowCount too far.
  RCount = std::min(RCount, RowCount() - RowIndex);
  if (RCount <= 0) return;
  const Integer Cols = TotalColCount();

  ShiftControlRows(RealRowIndex(RowIndex + RCount), -RCount);
  KeepMergesBeforeRemove(true, RowIndex, RCount);
  FreeCellPropsRange(0, RowIndex, Cols - 1, RowIndex + RCount - 1);

  const bool OldEntered = FEntered;
  FEntered = false;
  (void)SelectCell(Col(), Row());

  {
    TUpdateLock Lock(this);
    const Integer OldTopRow = TopRow();
    const Integer OldRow = Row();
    const bool FooterVisible = FFloatingFooter && FFloatingFooter->Visible();
    const Integer OldFixedFooters = FFixedFooters;
    if (FFloatingFooter) FFloatingFooter->SetVisible(false);
    FFixedFooters = 0;

    if (NumHiddenRows() > 0) ShiftHiddenRowItems(RealRowIndex(RowIndex), -RCount);

    for (Integer k = 0; k < RCount; ++k) {
      if (ModifiedMarking(this) && RowIndex < FModifiedRows->Count()) FModifiedRows->Delete(RowIndex);
      if (FUseEnabledRows && RowIndex < FEnabledRows->Count()) FEnabledRows->Delete(RowIndex);
      if (FMouseActions->DisjunctRowSelect() && RowIndex < FRowSelect->Count()) FRowSelect->Delete(RowIndex);
    }

    const Integer OldCount = RowCount();
    // The rows below move up as handles, their heights with them; the removed rows' handles end
    // up past the new count and are emptied, as are the rows the store keeps past the count.
    TGridCellStore& Store = CellStoreForUpdate();
    Store.RotateRows(RowIndex, RowIndex + RCount, OldCount);
    for (Integer Index = OldCount - RCount; Index <= OldCount + RCount; ++Index) Store.ClearRow(Index);
    MoveRowHeights(RowIndex, RowIndex + RCount, OldCount, 0);

    SetRowCount(OldCount - RCount);
    if (Row() >= RowCount() && RowCount() - 1 >= FixedRows()) SetRow(RowCount() - 1);
    FMaxRowCount -= RCount;

    const Integer F = FFixedFooters;
    if (OldRow < RowCount() - F) {
      if (!FMouseActions->DisjunctRowSelect()) SetRow(OldRow);
      SetTopRow(OldTopRow);
    } else {
      if (FixedRows() < RowCount() - F)
        SetRow(RowCount() - F - 1);
      else
        HideSelection();
      FSelHidden = false;
    }

    if (FFloatingFooter) FFloatingFooter->SetVisible(FooterVisible);
    SetFixedFooters(OldFixedFooters);
  }

  FEntered = OldEntered;
  CellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});

  // The view stays filled down to the last row.
  const Integer Vis = VisibleRowCount();
  if (TopRow() >= RowCount() + FixedRows() - Vis - 2 && RowCount() - Vis - 1 > 0)
    SetTopRow(RowCount() + FixedRows() - Vis - 2);

  if (FNumCellControls > 0) CellControlsUpdate(false);
  if (FSearchFooter->Visible() && FSearchPanel) FSearchPanel->Invalidate();
}

void TExStringGrid::RemoveRowsEx(Integer RowIndex, Integer RCount) {
  if (RCount <= 0 || RowIndex < 0 || RowIndex >= RowCount()) return;
  RCount = std::min(RCount, RowCount() - RowIndex);
  const Integer OldRow = Row();
  const Integer OldTopRow = TopRow();
  {
    TUpdateLock Lock(this);
    const Integer OldCount = RowCount();
    // The rows below move up as handles, texts and object references with them; heights stay put.
    // The removed rows end up past the new count and are dropped there: their objects are not
    // freed (whoever removes them keeps them).
    TGridCellStore& Store = CellStoreForUpdate();
    Store.RotateRows(RowIndex, RowIndex + RCount, OldCount);
    for (Integer Index = OldCount - RCount; Index < OldCount; ++Index) Store.ClearRow(Index);
    for (Integer k = 0; k < RCount; ++k)
      if (FMouseActions->DisjunctRowSelect() && RowIndex < FRowSelect->Count()) FRowSelect->Delete(RowIndex);
    SetRowCount(OldCount - RCount);
    FMaxRowCount -= RCount;
    if (OldRow < RowCount()) {
      SetRow(OldRow);
      SetTopRow(OldTopRow);
    } else if (FixedRows() < RowCount()) {
      SetRow(FixedRows());
      SetTopRow(FixedRows());
    }
  }
  ShiftHiddenRowItems(RowIndex + RCount - 1, -1);
  CellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
}

void TExStringGrid::DoRemoveRows(Integer RowIndex, Integer RCount) {
  if (RCount <= 0 || RowIndex < 0 || RowIndex >= RowCount()) return;
  KeepMergesBeforeRemove(true, RowIndex, RCount);
  // The hidden columns' cells of the rows go too.
  FreeCellPropsRange(0, RowIndex, TotalColCount() - 1, std::min(RowIndex + RCount, RowCount()) - 1);
  DeleteRowsInternal(RowIndex, RCount, true);
}

bool TExStringGrid::RowMovesObserved() const {
  return static_cast<bool>(OnRowMoved) || (FSyncGrid && FSyncGrid->Grid() && FSyncGrid->MoveRow());
}

void TExStringGrid::DeleteRowsInternal(Integer RowIndex, Integer RCount, bool DropControls) {
  if (RowIndex >= RowCount() || RowIndex < 0 || RCount <= 0) return;
  RCount = std::min(RCount, RowCount() - RowIndex);
  std::vector<Integer> Rows(static_cast<size_t>(RCount));
  for (Integer k = 0; k < RCount; ++k) Rows[static_cast<size_t>(k)] = RowIndex + k;
  DeleteRowSet(Rows, DropControls, true);
}

std::vector<std::unique_ptr<TGridCellRow>> TExStringGrid::DeleteRowSet(const std::vector<Integer>& Rows, bool DropControls,
                                                                        bool Contiguous) {
  std::vector<std::unique_ptr<TGridCellRow>> Taken;
  if (Rows.empty()) return Taken;
  const Integer RowIndex = Rows.front();
  const Integer RCount = static_cast<Integer>(Rows.size());
  HideEditor();

  if (DropControls && FControlList) {
    for (Integer i = FControlList->Count() - 1; i >= 0; --i) {
      TControlItem* It = FControlList->GetControl(i);
      // The list keeps real rows; the rows deleted here are display rows.
      const Integer D = IsHiddenRow(It->Y()) ? -1 : RealRowToDisplayRow(It->Y());
      if (std::binary_search(Rows.begin(), Rows.end(), D)) {
        if (It->Control()) It->Control()->SetVisible(false);
        FControlList->RemoveControl(i);
      }
    }
  }

  const Integer OldFixedFooters = FFixedFooters;
  FFixedFooters = 0;
  const bool FooterVisible = FFloatingFooter && FFloatingFooter->Visible();
  if (FooterVisible) {
    BeginUpdate();
    FFloatingFooter->SetVisible(false);
  }
  const bool OldDisjunct = FMouseActions->DisjunctRowSelect();
  FMouseActions->SetDisjunctRowSelectDirect(false);

  struct TRestore {
    TExStringGrid* G;
    bool Disjunct;
    bool Footer;
    ~TRestore() {
      G->MouseActions()->SetDisjunctRowSelectDirect(Disjunct);
      if (Footer) {
        G->FloatingFooter()->SetVisible(true);
        G->EndUpdate();
      }
    }
  } Restore{this, OldDisjunct, FooterVisible};

  const bool OldEntered = FEntered;
  FEntered = false;
  bool HadRowSelect = false;
  {
    TUpdateLock Lock(this);
    const Integer OldTopRow = TopRow();
    const Integer OldRow = Row();
    HadRowSelect = Options().Contains(goRowSelect);
    if (HadRowSelect && FixedRows() < RowCount() - 1) SetOptions(Options() >> goRowSelect);
    if (FNumNodes > 0 && Row() < RowCount() && Col() != FixedCols()) SetCol(FixedCols());

    if (DropControls && NumHiddenRows() > 0) ShiftHiddenRowItems(RealRowIndex(RowIndex), -RCount);

    // The deleted rows' cells are dropped by the platform grid (or handed back to the caller); the
    // caller freed or took their objects before. At least one row stays.
    const bool Observed = RowMovesObserved();
    std::vector<Integer> Heights;
    if (Observed) {
      // Whoever watches row moves sees each one, as the platform grid deletes a row by moving it
      // to the end.
      Heights.resize(static_cast<size_t>(RowCount()));
      for (Integer r = 0; r < RowCount(); ++r) Heights[static_cast<size_t>(r)] = RowHeights(r);
      for (Integer k = 0; k < RCount && RowCount() > 1; ++k) {
        const Integer R = Contiguous ? RowIndex : Rows[static_cast<size_t>(RCount - 1 - k)];
        DeleteRow(R);
        Heights.erase(Heights.begin() + R);
      }
    } else {
      // The rows go in one pass: their handles and heights leave, the rest close up.
      std::vector<Integer> Gone = Rows;
      const size_t Most = static_cast<size_t>(std::max<Integer>(0, RowCount() - 1));
      // One at a time, the first rows of a range (the last of a list) would go first; the rows
      // that stay get no cells back.
      const size_t Skip = Gone.size() > Most && !Contiguous ? Gone.size() - Most : 0;
      if (Gone.size() > Most) {
        if (Contiguous)
          Gone.resize(Most);
        else
          Gone.erase(Gone.begin(), Gone.begin() + static_cast<std::ptrdiff_t>(Skip));
      }
      // Only rows that are not the last ones move to the end before they go, which counts as a row
      // move for the mouse.
      const bool Tail = !Gone.empty() && Gone.back() == RowCount() - 1 &&
                        Gone.back() - Gone.front() + 1 == static_cast<Integer>(Gone.size());
      if (FEnhRowColMove && !Gone.empty() && !Tail) ColMoveFlg = true;
      std::vector<std::unique_ptr<TGridCellRow>> Cells = DeleteRowList(Gone);
      if (Skip == 0 && Cells.size() == Rows.size()) {
        Taken = std::move(Cells);
      } else {
        Taken.resize(Rows.size());
        for (size_t k = 0; k < Cells.size(); ++k) Taken[Skip + k] = std::move(Cells[k]);
      }
    }
    FNormalRowCount = RowCount();

    if (OldRow < RowCount()) {
      SetRow(OldRow);
      SetTopRow(OldTopRow);
    } else {
      if (FixedRows() < RowCount()) {
        SetRow(RowCount() - 1);
        if (Row() >= RowCount()) HideSelection();
      } else {
        HideSelection();
      }
      FSelHidden = false;
    }
    if (Observed)
      for (Integer r = 0; r < RowCount() && r < static_cast<Integer>(Heights.size()); ++r) SetRowHeights(r, Heights[r]);
  }

  FEntered = OldEntered;
  CellsChanged(TRect{0, RowIndex, ColCount() - 1, Rows.back() + 1});
  if (TopRow() >= RowCount() - 1) SetTopRow(RowCount() - 1);

  if (Row() >= RowCount() && FixedRows() < RowCount()) {
    FForceSel = true;
    FocusCell(FixedCols(), FixedRows());
    if (HadRowSelect) SetOptions(Options() << goRowSelect);
    FForceSel = false;
    HideSelection();
    FSelHidden = false;
  } else if (HadRowSelect && FixedRows() < RowCount()) {
    SetOptions(Options() << goRowSelect);
  }

  if (FNumCellControls > 0) CellControlsUpdate(false);
  FFixedFooters = OldFixedFooters;
  return Taken;
}

// --- Inserting rows -----------------------------------------------------------------------------

void TExStringGrid::InsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls) {
  const Integer Old = RowCount();
  InsertRowsInternal(RowIndex, RCount, UpdateCellControls);
  if (RCount > 0) KeepMergesAfterInsert(true, std::clamp(RowIndex, 0, Old), RCount);
}

void TExStringGrid::InsertRowsInternal(Integer RowIndex, Integer RCount, bool UpdateCellControls) {
  if (RCount <= 0) return;
  if (FSelHidden || Col() >= ColCount() || Row() >= RowCount()) UnHideSelection();
  const Integer Old = RowCount();
  RowIndex = std::clamp(RowIndex, 0, Old);
  const bool FooterVisible = FFloatingFooter && FFloatingFooter->Visible();

  SetRowCount(Old + RCount);
  // Rows move down as handles, their heights with them; the floating footer's row (the last) keeps
  // its place. The new rows take the handles that fell off the end, emptied, and the default height.
  const Integer Last = FooterVisible ? RowCount() - 2 : RowCount() - 1;
  TGridCellStore& Store = CellStoreForUpdate();
  if (Last >= RowIndex + RCount) Store.RotateRows(RowIndex, Last + 1 - RCount, Last + 1);
  for (Integer r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r) Store.ClearRow(r);
  MoveRowHeights(RowIndex, Last + 1 - RCount, Last + 1, RCount);

  for (Integer k = 0; k < RCount; ++k) {
    if (ModifiedMarking(this) && RowIndex < FModifiedRows->Count()) FModifiedRows->Insert(RowIndex, 0);
    if (FUseEnabledRows && RowIndex < FEnabledRows->Count()) FEnabledRows->Insert(RowIndex, 0);
  }

  if (FNumCellControls > 0 && UpdateCellControls) {
    ShiftControlRows(RealRowIndex(RowIndex), RCount);
    CellControlsUpdate(false);
  }
  if (!FDestroyingGrid && !HasState(csDestroying))
    CellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
}

void TExStringGrid::InsertRowSet(const std::vector<Integer>& Places, std::vector<std::unique_ptr<TGridCellRow>> Cells,
                                 const std::vector<Integer>& Heights) {
  if (Places.empty()) return;
  if (FSelHidden || Col() >= ColCount() || Row() >= RowCount()) UnHideSelection();
  const Integer Old = RowCount();
  const Integer N = static_cast<Integer>(Places.size());
  std::vector<Integer> NewHeights;
  NewHeights.reserve(static_cast<size_t>(Old + N));
  {
    const std::vector<Integer>& OldHeights = RowHeightList();
    size_t k = 0;
    Integer Read = 0;
    for (Integer r = 0; r < Old + N; ++r) {
      if (k < Places.size() && Places[k] == r)
        NewHeights.push_back(Heights[k++]);
      else
        NewHeights.push_back(Read < Old ? OldHeights[static_cast<size_t>(Read++)] : DefaultRowHeight());
    }
  }
  SetRowCount(Old + N);
  CellStoreForUpdate().PutRows(Places, std::move(Cells), Old);
  SetRowHeightList(std::move(NewHeights));
  if (ModifiedMarking(this)) InsertZeros(FModifiedRows, Places);
  if (FUseEnabledRows) InsertZeros(FEnabledRows, Places);
  if (!FDestroyingGrid && !HasState(csDestroying))
    CellsChanged(TRect{0, Places.front(), ColCount() - 1, Places.back() + 1});
}

void TExStringGrid::AddRow() {
  if (FFloatingFooter && FFloatingFooter->Visible()) {
    InsertRows(RowCount() - 1, 1, true);
    if (FFloatingFooter->FooterStyle() == fsFixedLastRow) ClearRows(RowCount() - 2, 1);
  } else {
    InsertRows(RowCount(), 1, true);
    ClearRows(RowCount() - 1, 1);
  }
}

void TExStringGrid::AddColumn() { InsertCols(ColCount(), 1); }

// --- Columns ------------------------------------------------------------------------------------

void TExStringGrid::RemoveCols(Integer ColIndex, Integer CCount) {
  const Integer Total = ColCount() + FNumHidden;
  if (ColIndex < 0 || ColIndex >= Total) return;
  if (ColIndex + CCount > Total) CCount = Total - ColIndex;
  if (CCount <= 0) return;

  KeepMergesBeforeRemove(false, ColIndex, CCount);
  ClearCols(ColIndex, CCount);
  // The removed cells' property objects go too, also when clearing keeps them (ClearTextOnly).
  FreeCellPropsRange(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);

  // A removed column that was hidden leaves the hidden count, not the visible one.
  Integer HiddenGone = 0;
  for (Integer c = ColIndex; c < ColIndex + CCount && c < MaxGridColumns; ++c)
    if (!FVisibleCol[c]) ++HiddenGone;

  const Integer Rows = RowCount();
  for (Integer Index = ColIndex; Index < Total; ++Index) {
    if (Index + CCount < Total)
      CopyColCellsOver(this, Index + CCount, Index, Rows);
    else
      for (Integer r = 0; r < Rows; ++r) {
        SetGridObject(Index, r, nullptr);
        SetGridCell(Index, r, String());
      }
  }
  for (Integer Index = ColIndex; Index < MaxGridColumns; ++Index) {
    const bool Inside = Index + CCount < MaxGridColumns;
    FVisibleCol[Index] = Inside ? FVisibleCol[Index + CCount] : true;
    FAllColWidths[Index] = Inside ? FAllColWidths[Index + CCount] : static_cast<int16_t>(DefaultColWidth());
  }
  // The widths of the visible columns move left with their columns.
  const Integer D = RealToDisplayCol(ColIndex);
  const Integer VisibleGone = CCount - HiddenGone;
  for (Integer d = D; d < ColCount(); ++d)
    SetColWidths(d, d + VisibleGone < ColCount() ? ColWidths(d + VisibleGone) : DefaultColWidth());

  FNumHidden -= HiddenGone;
  if (VisibleGone > 0) SetColCount(std::max(1, ColCount() - VisibleGone));
  CellsChanged(TRect{ColIndex, 0, ColIndex + CCount, RowCount() - 1});
}

void TExStringGrid::InsertCols(Integer ColIndex, Integer CCount) {
  if (CCount <= 0 || ColIndex < 0) return;
  const Integer OldCount = ColCount();
  std::vector<Integer> Widths(OldCount);
  for (Integer c = 0; c < OldCount; ++c) Widths[c] = ColWidths(c);
  SetColCount(OldCount + CCount);
  const Integer Rows = RowCount();
  const Integer Total = ColCount() + FNumHidden;
  for (Integer Index = Total - 1; Index >= ColIndex + CCount; --Index) {
    CopyColCellsOver(this, Index - CCount, Index, Rows);
    if (Index < MaxGridColumns && Index - CCount < MaxGridColumns) {
      FVisibleCol[Index] = FVisibleCol[Index - CCount];
      FAllColWidths[Index] = FAllColWidths[Index - CCount];
    }
  }
  // The widths of the visible columns move right with their columns.
  const Integer D = RealToDisplayCol(ColIndex);
  for (Integer d = ColCount() - 1; d >= D + CCount; --d)
    SetColWidths(d, d - CCount < OldCount ? Widths[d - CCount] : DefaultColWidth());
  for (Integer c = ColIndex; c < ColIndex + CCount; ++c) {
    if (c < MaxGridColumns) FVisibleCol[c] = true;
    const Integer Dc = RealToDisplayCol(c);
    if (Dc < ColCount()) SetColWidths(Dc, DefaultColWidth());
    // The objects now belong to the shifted column: only the references are dropped here.
    for (Integer r = 0; r < Rows; ++r) {
      SetGridObject(c, r, nullptr);
      SetGridCell(c, r, String());
    }
  }
  KeepMergesAfterInsert(false, ColIndex, CCount);
}

void TExStringGrid::MergeCols(Integer ColIndex1, Integer ColIndex2, const String& Separator) {
  for (Integer r = FixedRows(); r < RowCount(); ++r)
    SetCells(ColIndex1, r, Trim(Cells(ColIndex1, r)) + Separator + Cells(ColIndex2, r));
  RemoveCols(ColIndex2, 1);
}

// --- Clearing -----------------------------------------------------------------------------------

void TExStringGrid::ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2) {
  const bool Destroying = FDestroyingGrid || HasState(csDestroying);
  if (ARow2 >= ARow1 && ACol2 >= ACol1) {
    for (Integer r = ARow1; r <= ARow2; ++r)
      for (Integer c = ACol1; c <= ACol2; ++c) {
        const Integer R = FSaveHiddenCells ? DisplayToRealCol(c) : c;
        if (!FClearTextOnly && GetGridObject(R, r)) {
          if (FNilObjects)
            SetGridObject(R, r, nullptr);
          else
            FreeCellProps(R, r);
        }
        if (!Destroying && !GetGridCell(R, r).empty()) {
          SetGridCell(R, r, String());
          RepaintCell(RealToDisplayCol(R), r);
        }
      }
  }
  if (ACol1 <= 0 && ARow1 <= 0 && ACol2 >= ColCount() - 1 && ARow2 >= RowCount() - 1) FHasCellProps = false;
  if (!Destroying && !FBlockCellChange)
    CellsChanged(TRect{DisplayToRealCol(ACol1), ARow1, DisplayToRealCol(ACol2), ARow2});
}

void TExStringGrid::ClearRows(Integer RowIndex, Integer RCount) {
  if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0) return;
  ClearRect(0, RowIndex, ColCount() + FNumHidden - 1, RowIndex + RCount - 1);
}

void TExStringGrid::ClearCols(Integer ColIndex, Integer CCount) {
  if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0) return;
  ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TExStringGrid::ClearNormalRows(Integer RowIndex, Integer RCount) {
  if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0) return;
  ClearRect(FixedCols(), RowIndex, ColCount() + FNumHidden - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TExStringGrid::ClearNormalCols(Integer ColIndex, Integer CCount) {
  if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0) return;
  ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TExStringGrid::ClearNormalCells() {
  if (FixedCols() == 0 && FNumNodes > 0) RemoveAllNodes();
  if (RowCount() <= 0 || ColCount() <= 0) return;
  ClearRect(FixedCols(), FixedRows(), ColCount() + FNumHidden - FFixedRightCols - 1, RowCount() - FFixedFooters - 1);
}

void TExStringGrid::Clear() {
  const bool Destroying = FDestroyingGrid || HasState(csDestroying);
  if (!Destroying && FNumNodes > 0) RemoveAllNodes();
  if (RowCount() > 0 && ColCount() > 0) ClearRect(0, 0, ColCount() + FNumHidden - 1, RowCount() - 1);
  SearchInc.clear();
  if (FNumHidden > 0) Invalidate();
}

void TExStringGrid::ClearAll() {
  Clear();
  for (Integer i = 0; i < NumHiddenRows(); ++i) {
    TGridItem* It = HiddenItem(FGridItems, i);
    for (Integer j = 0; j < It->CellCount(); ++j) It->SetCellText(j, String());
  }
}

void TExStringGrid::ClearSelection() {
  if (FMouseActions->DisjunctRowSelect()) {
    const bool Persistent = FMouseActions->RowSelectPersistent();
    for (Integer r = FixedRows(); r < RowCount(); ++r)
      if (RowSelect(Persistent ? DisplayRowToRealRow(r) : r)) ClearRows(r, 1);
  } else if (FMouseActions->DisjunctColSelect()) {
    for (Integer c = FixedCols(); c < ColCount(); ++c)
      if (ColSelect(c)) ClearCols(c, 1);
  } else {
    const TGridRect S = Selection();
    ClearRect(S.Left, S.Top, S.Right, S.Bottom);
  }
}

// --- Trimming and colouring ---------------------------------------------------------------------

void TExStringGrid::TrimRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2) {
  if (ARow2 < ARow1) return;
  for (Integer r = ARow1; r <= ARow2; ++r)
    for (Integer c = ACol1; c <= ACol2; ++c) {
      const Integer R = FSaveHiddenCells ? DisplayToRealCol(c) : c;
      SetCells(R, r, Trim(Cells(R, r)));
    }
}

void TExStringGrid::TrimColumn(Integer ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }

void TExStringGrid::TrimRow(Integer ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }

void TExStringGrid::TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }

void TExStringGrid::ColorRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2, TColor AColor) {
  if (ARow2 < ARow1) return;
  for (Integer r = ARow1; r <= ARow2; ++r)
    for (Integer c = ACol1; c <= ACol2; ++c) SetColors(c, r, AColor);
}

// --- Removing by check box, duplicates and selection --------------------------------------------

void TExStringGrid::RemoveCheckedRows(Integer CheckBoxColumn, bool RemoveChecked) {
  TUpdateLock Lock(this);
  for (Integer ARow = RowCount() - 1; ARow >= FixedRows(); --ARow)
    if (IsChecked(CheckBoxColumn, ARow) == RemoveChecked) RemoveRows(ARow, 1);
}

void TExStringGrid::RemoveDuplicates(Integer ACol, bool DoCase) {
  (void)DoCase;  // the lookup ignores case either way
  const Integer c = DisplayToRealCol(ACol);
  std::unordered_set<String> Seen;
  TUpdateLock Lock(this);
  Integer r = FixedRows();
  while (r < RowCount() - FFixedFooters) {
    const String Key = AnsiUpperCase(Cells(c, r));
    if (Seen.count(Key)) {
      DoRemoveRows(r, 1);
    } else {
      Seen.insert(Key);
      ++r;
    }
  }
}

void TExStringGrid::RemoveSelectedRows() {
  TUpdateLock Lock(this);
  if (FMouseActions->DisjunctRowSelect()) {
    const bool Persistent = FMouseActions->RowSelectPersistent();
    std::vector<Integer> Marked;
    for (Integer r = RowCount() - FFixedFooters - 1; r >= FixedRows(); --r) {
      const Integer Key = Persistent ? DisplayRowToRealRow(r) : r;
      if (RowSelect(Key)) Marked.push_back(Key);
    }
    for (Integer r = RowCount() - FFixedFooters - 1; r >= FixedRows(); --r) {
      const Integer Key = Persistent ? DisplayRowToRealRow(r) : r;
      if (std::find(Marked.begin(), Marked.end(), Key) != Marked.end()) DoRemoveRows(r, 1);
    }
    ClearRowSelect();
  } else {
    const TGridRect S = Selection();
    const Integer Top = std::min(S.Top, S.Bottom);
    const Integer Bottom = std::max(S.Top, S.Bottom);
    for (Integer r = Bottom; r >= Top; --r) DoRemoveRows(r, 1);
  }
}

void TExStringGrid::RemoveUnSelectedRows() {
  {
    TUpdateLock Lock(this);
    for (Integer r = RowCount() - FFixedFooters - 1; r >= FixedRows(); --r)
      if (!RowSelect(r)) DoRemoveRows(r, 1);
  }
  if (FMouseActions->RowSelectPersistent())
    SelectRows(FixedRows(), RowCount() - FixedRows());
  else
    ClearRowSelect();
}

void TExStringGrid::HideSelectedRows() {
  TUpdateLock Lock(this);
  const bool Persistent = FMouseActions->RowSelectPersistent();
  for (Integer r = RowCount() - 1; r >= FixedRows(); --r)
    if (RowSelect(Persistent ? DisplayRowToRealRow(r) : r)) HideRows(RealRowIndex(r), RealRowIndex(r));
}

void TExStringGrid::HideUnSelectedRows() {
  TUpdateLock Lock(this);
  const bool Persistent = FMouseActions->RowSelectPersistent();
  Integer r = FixedRows();
  while (r < RowCount()) {
    if (RowSelect(Persistent ? DisplayRowToRealRow(r) : r)) {
      ++r;
      continue;
    }
    const Integer Before = RowCount();
    HideRows(RealRowIndex(r), RealRowIndex(r));
    // A row that cannot be hidden (the last one) is passed over.
    if (RowCount() == Before) ++r;
  }
}

void TExStringGrid::RemoveSelectedCols() {
  if (FMouseActions->DisjunctColSelect()) {
    for (Integer c = ColCount() - 1; c >= FixedCols(); --c)
      if (ColSelect(c)) {
        RemoveCols(c, 1);
        if (c < FColSelect->Count()) FColSelect->Delete(c);
      }
  } else {
    const TGridRect S = Selection();
    const Integer L = std::min(S.Left, S.Right);
    const Integer R = std::max(S.Left, S.Right);
    RemoveCols(L, R - L + 1);
  }
}

void TExStringGrid::RemoveUnSelectedCols() {
  if (FMouseActions->DisjunctColSelect()) {
    for (Integer c = ColCount() - 1; c >= FixedCols(); --c)
      if (!ColSelect(c)) {
        RemoveCols(c, 1);
        if (c < FColSelect->Count()) FColSelect->Delete(c);
      }
  } else {
    const TGridRect S = Selection();
    const Integer L = std::min(S.Left, S.Right);
    const Integer R = std::max(S.Left, S.Right);
    if (ColCount() - R - 1 > 0) RemoveCols(R + 1, ColCount() - R - 1);
    if (L - FixedCols() > 0) RemoveCols(FixedCols(), L - FixedCols());
  }
  ClearColSelect();
}

// --- Merging runs of equal cells ----------------------------------------------------------------

void TExStringGrid::MergeColumnCells(Integer ColIndex, bool MainMerge) {
  Integer s = FixedRows();
  Integer n = 1;
  const Integer Last = RowCount() - FFixedFooters - 1;
  for (Integer r = FixedRows() + 1; r <= Last; ++r) {
    if (Cells(ColIndex, r) == Cells(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r, r - 1))) {
      ++n;
      continue;
    }
    if (n > 1) MergeCells(ColIndex, s, 1, n);
    s = r;
    n = 1;
  }
  if (n > 1) MergeCells(ColIndex, s, 1, n);
}

void TExStringGrid::SplitColumnCells(Integer ColIndex) {
  Integer r = 0;
  while (r < RowCount() - FFixedFooters - 1) {
    if (IsYMergedCell(ColIndex, r)) {
      const Integer y = CellSpan(ColIndex, r).Y;
      SplitCells(ColIndex, r);
      r += y + 1;
    } else {
      ++r;
    }
  }
}

void TExStringGrid::MergeRowCells(Integer RowIndex, bool MainMerge) {
  Integer s = FixedCols();
  Integer k = 0;
  const Integer Last = ColCount() - FFixedRightCols - 1;
  for (Integer c = FixedCols() + 1; c <= Last; ++c) {
    if (Cells(c, RowIndex) == Cells(c - 1, RowIndex) && (MainMerge || ColSpanIdentical(c, c - 1))) {
      ++k;
      continue;
    }
    MergeCells(s, RowIndex, k + 1, 1);
    s = c;
    k = 0;
  }
  if (k >= 1) MergeCells(s, RowIndex, k + 1, 1);
}

void TExStringGrid::SplitRowCells(Integer RowIndex) {
  Integer c = 0;
  while (c < ColCount() - FFixedRightCols - 1) {
    const Integer x = CellSpan(c, RowIndex).X;
    if (IsMergedCell(c, RowIndex) && x >= 0) {
      SplitCells(c, RowIndex);
      c += x + 1;
    } else {
      ++c;
    }
  }
}

void TExStringGrid::SplitAllCells() {
  for (Integer r = 0; r < RowCount(); ++r)
    for (Integer c = 0; c < ColCount(); ++c)
      if (IsMergedCell(c, r)) SplitCells(c, r);
}

// --- Cell tests ---------------------------------------------------------------------------------

bool TExStringGrid::IsWideCell(Integer ACol, Integer ARow) {
  return Cells(ACol, ARow).rfind(UnicodeTextMarker, 0) == 0;
}

bool TExStringGrid::IsCell(const String& SubStr, Integer& ACol, Integer& ARow) {
  for (Integer r = 0; r < RowCount(); ++r)
    for (Integer c = 0; c < ColCount(); ++c)
      if (GetGridCell(c, r) == SubStr) {
        ACol = c;
        ARow = r;
        return true;
      }
  return false;
}
