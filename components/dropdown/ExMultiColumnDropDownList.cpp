// The list of the multi-column drop-down: the grid that shows the items, how the drop-down loads
// it, and how every cell is painted.
#include <algorithm>

#include "components/dropdown/ExMultiColumnDropDown.h"

namespace ExMultiColumnDropDown {

// ---------------------------------------------------------------------------------------------
// TExColGrid

TExColGrid::TExColGrid(TComponent* AOwner) : TListGrid(AOwner) {
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

void TExColGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (FExDropDown) FExDropDown->PaintListCell(this, ACol, ARow, ARect, AState);
}

void TExColGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TStringGrid::MouseUp(Button, Shift, X, Y);
  const TGridCoord c = MouseCoord(X, Y);
  if (c.Y >= FixedRows() && c.Y < RowCount()) DoSelect();
}

void TExColGrid::KeyDown(Word& Key, TShiftState Shift) {
  if (KeyToEdit(Key, Shift)) return;
  TStringGrid::KeyDown(Key, Shift);
  if (Key == VK_RETURN) DoSelect();
}

void TExColGrid::Dispatch(TMessage& M) {
  // Tab does nothing in the list.
  if (M.Msg == WM_KEYDOWN && static_cast<Word>(M.WParam) == VK_TAB) return;
  TStringGrid::Dispatch(M);
}

// ---------------------------------------------------------------------------------------------
// Loading the list

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
  CopyLookToList();
  g->SetOptions(FColumnSizing ? g->Options() << goColSizing : g->Options() >> goColSizing);
  AutoSizeItemColumns();
  WrapRowHeights();
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
