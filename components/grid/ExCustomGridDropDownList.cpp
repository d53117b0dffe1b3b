// The list of the grid drop-down: the string grid in the popup, how the drop-down copies its
// settings into it, fills it from the items, sizes its columns and rows and fits it to the popup.
#include <algorithm>
#include <cstdint>

#include "components/grid/ExCustomGridDropDown.h"

namespace ExCustomGridDropDown {

// ---------------------------------------------------------------------------------------------
// TExColGrid

TExColGrid::TExColGrid(TComponent* AOwner)
    : TExStringGrid(AOwner),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()) {
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

TExColGrid::~TExColGrid() = default;

void TExColGrid::SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }

void TExColGrid::SetGridLineWidth(Integer Value) {
  FGridLineWidth = Value;
  TExStringGrid::SetGridLineWidth(0);
  Invalidate();
}

void TExColGrid::SetImages(TImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

void TExColGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TExStringGrid::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TExColGrid::DoSelect() {
  if (OnSelect) OnSelect(this);
}

void TExColGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FConfirmSelection = true;
  FOldRow = Row();
  TExStringGrid::MouseDown(Button, Shift, X, Y);
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
  FConfirmSelection = true;
  if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
    // Alt with Up or Down opens and closes: the edit decides.
    if (FExDropDown) FExDropDown->Perform(WM_KEYDOWN, Key, KF_ALTDOWN);
    Key = 0;
    return;
  }
  if (Key == VK_RETURN) {
    // Enter chooses the row; the grid's own Enter handling (advance, editing) does not run.
    Key = 0;
    DoSelect();
    return;
  }
  TExStringGrid::KeyDown(Key, Shift);
}

bool TExColGrid::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  // The wheel moves the row to look at, not the choice.
  FMouseWheelSelection = true;
  FConfirmSelection = false;
  struct TWheelDone {
    bool& Flag;
    ~TWheelDone() { Flag = false; }
  } wheelDone{FMouseWheelSelection};
  return TExStringGrid::DoMouseWheel(Shift, WheelDelta, MousePos);
}

void TExColGrid::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTARROWS | DLGC_WANTTAB; }

void TExColGrid::WndProc(TMessage& M) {
  // Tab does nothing in the list, and the Enter character was taken with its key.
  if (M.Msg == WM_KEYDOWN && static_cast<Word>(M.WParam) == VK_TAB) return;
  if (M.Msg == WM_CHAR && static_cast<Char>(M.WParam) == 13) return;
  if (M.Msg == WM_MOUSEWHEEL) {
    // The string grid scrolls the wheel itself (after offering it to the popup): the turn moves
    // the row to look at, not the choice.
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    struct TWheelDone {
      bool& Flag;
      ~TWheelDone() { Flag = false; }
    } wheelDone{FMouseWheelSelection};
    TExStringGrid::WndProc(M);
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
  for (Integer i = 0; i < FColumns->Count() && i < g->ColCount(); ++i) g->SetColWidths(i, FColumns->Items(i)->Width());
  g->SetLineColor(FLineColor);
  g->SetFixedLineColor(FFixedLineColor);
  g->SetHeaderColor(FHeaderColor);
  g->SetHeaderColorTo(FHeaderColorTo);
  g->SetHeaderHeight(FHeaderHeight);
  g->SetHeaderFont(FHeaderFont.get());
  g->SetHoverRow(FHoverRow);
  g->SetHoverRowColor(FHoverRowColor);
  g->SetHoverRowColorTo(FHoverRowColorTo);
  g->SetImages(Images());
  g->SetDefaultRowHeight(FDropDownRowHeight);
  g->SetRowHeights(0, FHeaderHeight);
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

void TCustomExGridDropDown::AutoSizeItemColumns() {
  TExColGrid* g = FExColGrid;
  if (!g || g->Parent() != DropDownForm()) return;
  TCanvas* canvas = g->Canvas();
  TDropDownColumns* columns = g->Columns();
  TImageList* images = g->Images();
  for (Integer c = 0; c < columns->Count(); ++c) {
    TDropDownColumn* column = columns->Items(c);
    if (!column->AutoSize()) continue;
    canvas->Font()->Assign(column->Font());
    Integer widest = 0;
    // An item without a text for the column keeps the image index of the item before.
    Integer imageIndex = -1;
    for (Integer i = 0; i < FItems->Count(); ++i) {
      TDropDownItem* item = FItems->Items(i);
      String text;
      if (item->Text()->Count() > c) {
        imageIndex = item->ImageIndex();
        text = item->Text()->Strings(c);
      }
      Integer w = 0;
      if (column->ColumnType() == ctImage && imageIndex >= 0 && images) w += images->Width() + 4;
      if (!text.empty()) {
        TRect r = Rect(0, 0, 1000, 500);
        DrawText(canvas, text, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        w += r.Width() + 6;
      }
      widest = std::max(widest, w);
    }
    if (c < g->ColCount()) g->SetColWidths(c, widest);
    column->SetWidth(widest);
  }
}

void TCustomExGridDropDown::WrapRowHeights() {
  TExColGrid* g = FExColGrid;
  if (!g || g->Parent() != DropDownForm()) return;
  TDropDownColumns* columns = g->Columns();
  bool wrapping = false;
  for (Integer c = 0; c < columns->Count(); ++c) wrapping = wrapping || columns->Items(c)->Wordwrap();
  if (!wrapping) return;
  TCanvas* canvas = g->Canvas();
  TImageList* images = g->Images();
  // Row r reads item r - 1; a row without an item (grid mode with fewer items) keeps its height.
  for (Integer i = 0; i < FItems->Count() && i + 1 < g->RowCount(); ++i) {
    TDropDownItem* item = FItems->Items(i);
    Integer h = 24;
    for (Integer c = 0; c < columns->Count(); ++c) {
      TDropDownColumn* column = columns->Items(c);
      if (!column->Wordwrap()) continue;
      Integer cell = 0;
      if (column->ColumnType() == ctImage && item->ImageIndex() >= 0 && images) cell = images->Height() + 6;
      const String text = ItemText(item, c);
      if (!text.empty()) {
        canvas->Font()->Assign(column->Font());
        TRect r = Rect(0, 0, c < g->ColCount() ? g->ColWidths(c) : column->Width(), 500);
        DrawText(canvas, text, r, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        cell = std::max(cell, r.Height() + 6);
      }
      h = std::max(h, cell);
    }
    g->SetRowHeights(i + 1, h);
  }
}

// ---------------------------------------------------------------------------------------------
// Sizing

Integer TCustomExGridDropDown::ListContentWidth() const {
  TExColGrid* g = FExColGrid;
  if (!g) return 0;
  Integer w = 0;  // the list has no border
  for (Integer c = 0; c < g->ColCount(); ++c) w += g->ColWidths(c);
  if (g->VisibleRowCount() + g->FixedRows() != g->RowCount()) w += GetSystemMetrics(SM_CXVSCROLL);
  return w;
}

void TCustomExGridDropDown::FitColumns() {
  TExColGrid* g = FExColGrid;
  TDropDownForm* f = DropDownForm();
  if (!FColumnSizeWithDropDown || !g || !f) return;
  g->SetScrollBars(ssVertical);
  TDropDownColumns* columns = g->Columns();
  if (columns->Count() == 0) return;
  std::vector<Integer> widths;
  for (Integer c = 0; c < columns->Count(); ++c) widths.push_back(columns->Items(c)->Width());
  Integer avail = f->Width();
  if (g->VisibleRowCount() < g->RowCount() - g->FixedRows()) avail -= GetSystemMetrics(SM_CXVSCROLL);
  const std::vector<Integer> fitted = ExMultiColumnDropDown::FitColumnWidths(widths, avail);
  for (Integer c = 0; c < static_cast<Integer>(fitted.size()) && c < g->ColCount(); ++c)
    g->SetColWidths(c, fitted[static_cast<size_t>(c)]);
}

}  // namespace ExCustomGridDropDown
