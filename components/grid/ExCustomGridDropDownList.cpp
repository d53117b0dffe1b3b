// The list of the grid drop-down: the string grid in the popup, how the drop-down copies its
// settings into it and fills it from the items.
#include <algorithm>
#include <cstdint>

#include "components/grid/ExCustomGridDropDown.h"

namespace ExCustomGridDropDown {

// ---------------------------------------------------------------------------------------------
// TExColGrid

TExColGrid::TExColGrid(TComponent* AOwner) : TListGrid(AOwner) {
  SetFixedRowAlways(true);
  SetFixedRows(1);
  SetFixedCols(0);
  TGridOptions options = Options();
  options = options << goHorzLine << goRowSelect;
  options = options >> goRangeSelect;
  SetOptions(options);
  SetFlat(true);
  SetBorderStyle(bsNone);
  SetGridLineWidth(1);
  FOldRow = Row();
}

void TExColGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TExStringGrid::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const TGridCoord c = MouseCoord(X, Y);
  if (c.X < 0 || c.Y < FixedRows() || c.Y >= RowCount()) return;
  // A click on a check box toggles it and chooses nothing.
  if (HasCheckBox(RealColIndex(c.X), c.Y)) return;
  DoSelect();
}

void TExColGrid::KeyDown(Word& Key, TShiftState Shift) {
  if (KeyToEdit(Key, Shift)) return;
  if (Key == VK_RETURN) {
    // Enter chooses the row; the grid's own Enter handling (advance, editing) does not run.
    Key = 0;
    DoSelect();
    return;
  }
  TExStringGrid::KeyDown(Key, Shift);
}

void TExColGrid::WndProc(TMessage& M) {
  // Tab does nothing in the list, and the Enter character was taken with its key.
  if (M.Msg == WM_KEYDOWN && static_cast<Word>(M.WParam) == VK_TAB) return;
  if (M.Msg == WM_CHAR && static_cast<Char>(M.WParam) == 13) return;
  if (M.Msg == WM_MOUSEWHEEL) {
    // The string grid scrolls the wheel itself (after offering it to the popup): the turn moves
    // the row to look at, not the choice.
    TurnWheel([&] { TExStringGrid::WndProc(M); });
    return;
  }
  TExStringGrid::WndProc(M);
}

// ---------------------------------------------------------------------------------------------
// Loading the list

void TCustomExGridDropDown::LoadListSettings() {
  TExColGrid* g = FExColGrid;
  g->SetExDropDown(this);
  g->SetColumns(FColumns.get());
  if (g->ColCount() < FColumns->Count()) g->SetColCount(FColumns->Count());
  if (FUseItems) g->SetRowCount(FItems->Count() + 1);
  CopyLookToList();
  g->SetHoverRow(FHoverRow);
  g->SetHoverRowColor(FHoverRowColor);
  g->SetHoverRowColorTo(FHoverRowColorTo);
  TGridOptions options = g->Options();
  options = FColumnSizing ? options << goColSizing : options >> goColSizing;
  options = FColumnMoving ? options << goColMoving : options >> goColMoving;
  options = FRowSizing ? options << goRowSizing : options >> goRowSizing;
  options = FRowMoving ? options << goRowMoving : options >> goRowMoving;
  g->SetOptions(options);
  if (FAutoSizeColumns) {
    if (FUseItems)
      AutoSizeItemColumns();
    else
      g->AutoSizeColumns(true, 4);
  }
  WrapRowHeights();
}

void TCustomExGridDropDown::FillList() {
  TExColGrid* g = FExColGrid;
  if (!g) return;
  if (g->ColCount() != FColumns->Count()) g->SetColCount(FColumns->Count());
  // The header row's objects are -1, so no item is found there.
  TObject* const none = reinterpret_cast<TObject*>(static_cast<intptr_t>(-1));
  for (Integer c = 0; c < FColumns->Count(); ++c) {
    g->SetCells(c, 0, FColumns->Items(c)->Header());
    g->SetObjects(c, 0, none);
  }
  if (FItems->Count() > 0) g->SetRowCount(g->FixedRows() + FItems->Count());
  for (Integer j = 0; j < FItems->Count() && j + 1 < g->RowCount(); ++j) {
    const TDropDownItem* item = FItems->Items(j);
    for (Integer c = 0; c < FColumns->Count(); ++c) g->SetCells(c, j + 1, ItemText(item, c));
    g->SetObjects(0, j + 1, reinterpret_cast<TObject*>(static_cast<intptr_t>(j)));
  }
}

}  // namespace ExCustomGridDropDown
