// The list of the multi-column drop-down: the grid that shows the items, how the drop-down loads,
// sizes and fits it, and how every cell is painted.
#include <algorithm>

#include "components/dropdown/ExMultiColumnDropDown.h"

namespace ExMultiColumnDropDown {

// ---------------------------------------------------------------------------------------------
// TExColGrid

TExColGrid::TExColGrid(TComponent* AOwner)
    : TStringGrid(AOwner),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()) {
  SetFixedRows(1);
  SetFixedCols(0);
  TGridOptions options = Options();
  options = options << goHorzLine << goRowSelect;
  options = options >> goRangeSelect >> goDrawFocusSelected;
  SetOptions(options);
  SetDefaultDrawing(false);
  SetCtl3D(false);
  SetParentCtl3D(false);
  SetBorderStyle(bsNone);
  // The list draws its own lines inside the cells.
  TStringGrid::SetGridLineWidth(0);
  FOldRow = Row();
}

TExColGrid::~TExColGrid() = default;

void TExColGrid::SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }

void TExColGrid::SetGridLineWidth(Integer Value) {
  FGridLineWidth = Value;
  TStringGrid::SetGridLineWidth(0);
  Invalidate();
}

void TExColGrid::SetImages(TImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

void TExColGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TStringGrid::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TExColGrid::DoSelect() {
  if (OnSelect) OnSelect(this);
}

void TExColGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (FExDropDown) FExDropDown->PaintListCell(this, ACol, ARow, ARect, AState);
}

void TExColGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FConfirmSelection = true;
  FOldRow = Row();
  TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TExColGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TStringGrid::MouseUp(Button, Shift, X, Y);
  const TGridCoord c = MouseCoord(X, Y);
  if (c.Y >= FixedRows() && c.Y < RowCount()) DoSelect();
}

void TExColGrid::KeyDown(Word& Key, TShiftState Shift) {
  FConfirmSelection = true;
  if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
    // Alt with Up or Down opens and closes: the edit decides.
    if (FExDropDown) FExDropDown->Perform(WM_KEYDOWN, Key, KF_ALTDOWN);
    Key = 0;
    return;
  }
  TStringGrid::KeyDown(Key, Shift);
  if (Key == VK_RETURN) DoSelect();
}

bool TExColGrid::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  // The wheel moves the row to look at, not the choice.
  FMouseWheelSelection = true;
  FConfirmSelection = false;
  const bool handled = TStringGrid::DoMouseWheel(Shift, WheelDelta, MousePos);
  FMouseWheelSelection = false;
  return handled;
}

void TExColGrid::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTARROWS | DLGC_WANTTAB; }

void TExColGrid::Dispatch(TMessage& M) {
  // Tab does nothing in the list.
  if (M.Msg == WM_KEYDOWN && static_cast<Word>(M.WParam) == VK_TAB) return;
  TStringGrid::Dispatch(M);
}

// ---------------------------------------------------------------------------------------------
// Loading, sizing and fitting the list

void TExMultiColumnDropDown::LoadList() {
  TExColGrid* g = FExColGrid;
  g->SetColumns(FColumns.get());
  g->SetColCount(FColumns->Count());
  g->SetRowCount(FItems->Count() + 1);
  if (g->RowCount() > 1) {
    g->SetFixedRows(1);
    g->SetRow(1);
    g->SetRowCount(FItems->Count() + 1);
  }
  for (Integer i = 0; i < FColumns->Count() && i < g->ColCount(); ++i) g->SetColWidths(i, FColumns->Items(i)->Width());
  g->SetLineColor(FLineColor);
  g->SetFixedLineColor(FFixedLineColor);
  g->SetHeaderColor(FHeaderColor);
  g->SetHeaderColorTo(FHeaderColorTo);
  g->SetHeaderHeight(FHeaderHeight);
  g->SetHeaderFont(FHeaderFont.get());
  g->SetImages(Images());
  g->SetDefaultRowHeight(FDropDownRowHeight);
  g->SetRowHeights(0, FHeaderHeight);
  g->SetOptions(FColumnSizing ? g->Options() << goColSizing : g->Options() >> goColSizing);
  AutoSizeColumns();
  WrapRowHeights();
}

void TExMultiColumnDropDown::AutoSizeColumns() {
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

void TExMultiColumnDropDown::WrapRowHeights() {
  TExColGrid* g = FExColGrid;
  if (!g || g->Parent() != DropDownForm()) return;
  TDropDownColumns* columns = g->Columns();
  bool wrapping = false;
  for (Integer c = 0; c < columns->Count(); ++c) wrapping = wrapping || columns->Items(c)->Wordwrap();
  if (!wrapping) return;
  TCanvas* canvas = g->Canvas();
  TImageList* images = g->Images();
  for (Integer i = 0; i < FItems->Count(); ++i) {
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
        TRect r = Rect(0, 0, g->ColWidths(c), 500);
        DrawText(canvas, text, r, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        cell = std::max(cell, r.Height() + 6);
      }
      h = std::max(h, cell);
    }
    if (i + 1 < g->RowCount()) g->SetRowHeights(i + 1, h);
  }
}

Integer TExMultiColumnDropDown::ListContentWidth() const {
  TExColGrid* g = FExColGrid;
  if (!g) return 0;
  Integer w = 0;  // the list has no border
  for (Integer c = 0; c < g->ColCount(); ++c) w += g->ColWidths(c);
  if (g->VisibleRowCount() + g->FixedRows() != g->RowCount()) w += GetSystemMetrics(SM_CXVSCROLL);
  return w;
}

void TExMultiColumnDropDown::FitColumns() {
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
  const std::vector<Integer> fitted = FitColumnWidths(widths, avail);
  for (Integer c = 0; c < static_cast<Integer>(fitted.size()) && c < g->ColCount(); ++c)
    g->SetColWidths(c, fitted[static_cast<size_t>(c)]);
}

// ---------------------------------------------------------------------------------------------
// Painting a list cell

void TExMultiColumnDropDown::PaintListCell(TExColGrid* Grid, Integer ACol, Integer ARow, const TRect& ARect,
                                           TGridDrawState AState) {
  TCanvas* cv = Grid->Canvas();
  if (OnDropDownDrawItem) {
    OnDropDownDrawItem(this, ACol, ARow, cv, ARect);
    return;
  }
  const Integer colCount = Grid->ColCount();
  const Integer part = colCount == 1 ? 0 : ACol == 0 ? 1 : ACol == colCount - 1 ? 2 : 3;
  TRect R = Rect(ARect.Left, ARect.Top, ARect.Left + Grid->ColWidths(ACol), ARect.Top + Grid->RowHeights(ARow));
  String text = ARow >= 0 ? Grid->Cells(ACol, ARow) : String();
  Integer imageIndex = -1;
  TColor background;
  TAlignment alignment = taLeftJustify;
  bool wordwrap = false;
  bool ellipsis = false;
  TDropDownColumns* columns = Grid->Columns();
  if (ACol >= 0 && ACol < columns->Count()) {
    TDropDownColumn* column = columns->Items(ACol);
    background = column->Color();
    alignment = column->Alignment();
    wordwrap = column->Wordwrap();
    ellipsis = column->Ellipsis();
    cv->Font()->Assign(column->Font());
    if (ARow >= 1 && ARow - 1 < FItems->Count()) {
      TDropDownItem* item = FItems->Items(ARow - 1);
      if (column->ColumnType() == ctImage) imageIndex = item->ImageIndex();
      if (item->Text()->Count() > ACol) text = item->Text()->Strings(ACol);
    }
  } else {
    background = Grid->Color();
    cv->Font()->Assign(Grid->HeaderFont());
  }
  if (OnDropDownGetItemText) OnDropDownGetItemText(this, ACol, ARow, text);

  const bool header = ARow == 0;
  const bool selected = !header && AState.Contains(gdSelected);
  if (header) {
    text = ACol >= 0 && ACol < columns->Count() ? columns->Items(ACol)->Header() : String();
    imageIndex = -1;
    if (Grid->HeaderColor() == clNone || Grid->HeaderColorTo() == clNone) {
      if (Grid->HeaderColor() != clNone) {
        cv->Brush()->SetStyle(bsSolid);
        cv->Brush()->SetColor(Grid->HeaderColor());
        cv->FillRect(R);
      }
    } else {
      DrawGradientBackground(cv, Grid->HeaderColor(), Grid->HeaderColorTo(), 80, R, gdVertical);
    }
  } else if (selected) {
    DrawSelectionBackground(cv, R, background, part);
  } else {
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(background);
    cv->Pen()->SetStyle(psSolid);
    cv->Pen()->SetColor(background);
    cv->Pen()->SetWidth(1);
    cv->Rectangle(R);
  }

  // Grid lines, at the bottom and right edge of the cell.
  const Integer lineWidth = Grid->GridLineWidth();
  const TGridOptions options = Grid->Options();
  Integer c;
  bool horz, vert;
  if (header) {
    c = 1;
    cv->Pen()->SetColor(Grid->FixedLineColor());
    cv->Pen()->SetWidth(1);
    horz = options.Contains(goFixedHorzLine);
    vert = options.Contains(goFixedVertLine);
  } else {
    c = (lineWidth + 1) / 2;
    // Without a line width the item cells get no lines.
    horz = lineWidth > 0 && options.Contains(goHorzLine);
    vert = lineWidth > 0 && options.Contains(goVertLine);
    if (lineWidth > 0) {
      cv->Pen()->SetColor(Grid->LineColor());
      cv->Pen()->SetWidth(lineWidth);
    }
  }
  cv->Pen()->SetStyle(psSolid);
  if (horz) {
    cv->MoveTo(R.Left - c + 1, R.Bottom - c);
    cv->LineTo(R.Right - c + 1, R.Bottom - c);
  }
  if (vert) {
    cv->MoveTo(R.Right - c, R.Bottom - c);
    cv->LineTo(R.Right - c, R.Top - c);
  }
  cv->Pen()->SetWidth(1);

  InflateRect(R, -lineWidth, -lineWidth);
  TRect textBox = R;
  textBox.Left += 2;
  TImageList* images = Grid->Images();
  if (images && imageIndex >= 0) {
    const Integer y = images->Height() < R.Height() ? R.Top + (R.Height() - images->Height()) / 2 : R.Top;
    images->Draw(cv, R.Left + 2, y, imageIndex);
    textBox.Left = R.Left + images->Width() + 4;
  }
  if (text.empty()) return;
  cv->Brush()->SetStyle(bsClear);
  if (selected) cv->Font()->SetColor(FSelectionTextColor);
  if (header) cv->Font()->Assign(Grid->HeaderFont());
  Cardinal flags = DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS;
  flags |= wordwrap ? (DT_WORDBREAK | DT_EDITCONTROL) : DT_SINGLELINE;
  if (alignment == taRightJustify)
    flags |= DT_RIGHT;
  else if (alignment == taCenter)
    flags |= DT_CENTER;
  else
    flags |= DT_LEFT;
  if (ellipsis) flags |= DT_END_ELLIPSIS;
  DrawText(cv, text, textBox, flags);
}

}  // namespace ExMultiColumnDropDown
