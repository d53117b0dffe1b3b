// TExStringGrid: sizing columns and rows by their borders. The platform grid drags the borders in
// the fixed rows and columns; the grid adds the vetoes (OnColumnSize, OnRowSize), a live sizing
// hint, sizing of the fixed columns and rows themselves, proportional sizing of all columns or
// rows, the end and update events, the stretch column that fills the client width, and following
// the owner form's size.
#include <algorithm>
#include <cmath>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridLook.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"

// --- Sizing borders ------------------------------------------------------------------------------

bool TExStringGrid::IsOnSizingBorder(Integer X, Integer Y) {
  Integer c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (c < 0 || r < 0) return false;
  const TRect cr = CellRect(c, r);
  if (Options().Contains(goColSizing) && r <= FixedRows() && (std::abs(X - cr.Left) < 4 || std::abs(cr.Right - X) < 4))
    return true;
  if (Options().Contains(goRowSizing) && c <= FixedCols() && (std::abs(Y - cr.Top) <= 3 || std::abs(cr.Bottom - Y) <= 3))
    return true;
  return false;
}

void TExStringGrid::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                    Integer& SizingOfs) {
  TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
  if (State == gsColSizing) {
    Integer c = -1, r = -1;
    MouseToCell(X - 6, Y, c, r);
    if (r >= 0 && r < FixedRows() && c >= 0 && OnColumnSize) {
      bool allow = true;
      OnColumnSize(this, c, allow);
      if (!allow) {
        State = gsNormal;
        FSizeFixed = false;
      }
    }
  }
  if (State == gsRowSizing) {
    Integer c = -1, r = -1;
    MouseToCell(X, Y - 6, c, r);
    if (c >= 0 && c < FixedCols() && r >= 0 && OnRowSize) {
      bool allow = true;
      OnRowSize(this, r, allow);
      if (!allow) State = gsNormal;
    }
  }
}

// --- Events and hint while the platform sizes ----------------------------------------------------

void TExStringGrid::SizingMoveEvents(Integer X, Integer Y) {
  const bool hint = FHintShowSizing || HasState(csDesigning);
  if (FGridState == gsColSizing) {
    // The live width: the width at the press plus the way the pointer went since.
    const Integer c = Colclicked >= 0 ? Colclicked : ColCount() - 1;
    const Integer w = (Colclicked >= 0 ? Colclickedsize : ColWidths(c)) + X - Clickposx;
    if (OnColumnSizing && Colclicked >= 0) OnColumnSizing(this, Colclicked, w);
    if (hint) ShowSizingHint(u"cw=<b>" + IntToStr(w) + u"</b>", c, 0);
  } else if (FGridState == gsRowSizing) {
    const Integer r = Rowclicked >= 0 ? Rowclicked : RowCount() - 1;
    const Integer h = (Rowclicked >= 0 ? Rowclickedsize : RowHeights(r)) + Y - Clickposy;
    if (OnRowSizing && Rowclicked >= 0) OnRowSizing(this, Rowclicked, h);
    if (hint) ShowSizingHint(u"rh=<b>" + IntToStr(h) + u"</b>", 0, r);
  }
}

THTMLHintWindow* TExStringGrid::SizingHintWindow() {
  if (!FScrollHintWnd) FScrollHintWnd = new THTMLHintWindow(this);
  return FScrollHintWnd;
}

void TExStringGrid::ShowSizingHint(const String& Text, Integer ACol, Integer ARow) {
  THTMLHintWindow* w = SizingHintWindow();
  TRect r = w->CalcHintRect(200, Text, this);
  w->SetColor(FHintColor);
  TRect cr = CellRect(ACol, ARow);
  const TPoint p = ClientToScreen(TPoint(cr.Left, cr.Top));
  r = TRect(p.X, p.Y, p.X + r.Width(), p.Y + r.Height());
  w->ActivateHintData(r, Text, this);
  FScrollHintShow = true;
}

void TExStringGrid::CloseSizingHint() {
  if (FScrollHintShow && FScrollHintWnd) FScrollHintWnd->ReleaseHint();
  FScrollHintShow = false;
}

// --- Sizing the fixed area ----------------------------------------------------------------------------

// The fixed column (row) whose right (bottom) border lies within 2 pixels of P, -1 when none.
Integer TExStringGrid::FixedBorderAt(bool Cols, Integer P) {
  const Integer count = Cols ? FixedCols() : FixedRows();
  Integer pos = 0;
  for (Integer i = 0; i < count; ++i) {
    pos += Cols ? ColWidths(i) : RowHeights(i);
    if (std::abs(P - pos) < 3) return i;
    pos += 1;
  }
  return -1;
}

void TExStringGrid::DrawFixedSizingLine(bool Cols, Integer Pos) {
  TCanvas* c = Canvas();
  const TPenMode mode = c->Pen()->Mode();
  const TPenStyle style = c->Pen()->Style();
  const Integer width = c->Pen()->Width();
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetStyle(psDot);
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(clWhite);
  if (Cols) {
    Integer bottom = 0;
    for (Integer r = 0; r < RowCount(); ++r) {
      const TRect cr = CellRect(0, r);
      if (cr.Bottom > bottom) bottom = cr.Bottom;
    }
    c->MoveTo(Pos, 0);
    c->LineTo(Pos, std::min(bottom, Height()));
  } else {
    Integer right = 0;
    for (Integer col = 0; col < ColCount(); ++col) {
      const TRect cr = CellRect(col, 0);
      if (cr.Right > right) right = cr.Right;
    }
    c->MoveTo(0, Pos);
    c->LineTo(std::min(right, Width()), Pos);
  }
  c->Pen()->SetMode(mode);
  c->Pen()->SetStyle(style);
  c->Pen()->SetWidth(width);
}

void TExStringGrid::FixedSizingMove(Integer X, Integer Y, bool OnCell) {
  // D.1 Arming.
  const bool designing = HasState(csDesigning);
  FSizeFixed = FMouseActions->SizeFixedCol() && FixedCols() > 0 && OnCell && !designing && FixedBorderAt(true, X) >= 0;
  FSizeFixedR = FMouseActions->SizeFixedRow() && FixedRows() > 0 && OnCell && !designing && FixedBorderAt(false, Y) >= 0;
  // D.3 The line follows the pointer.
  if (FSizingFixed && X != FSizeFixedX) {
    DrawFixedSizingLine(true, FSizeFixedX);
    FSizeFixedX = X;
    DrawFixedSizingLine(true, FSizeFixedX);
    if (OnColumnSizing) OnColumnSizing(this, 0, FSizeFixedX);
  }
  if (FSizingFixedR && Y != FSizeFixedY) {
    DrawFixedSizingLine(false, FSizeFixedY);
    FSizeFixedY = Y;
    DrawFixedSizingLine(false, FSizeFixedY);
    if (OnRowSizing) OnRowSizing(this, 0, FSizeFixedY);
  }
  if ((FSizingFixed || FSizingFixedR) && (FHintShowSizing || designing)) {
    if (FSizingFixed)
      ShowSizingHint(u"cw=<b>" + IntToStr(FSizeFixedX) + u"</b>", 0, 0);
    else
      ShowSizingHint(u"rh=<b>" + IntToStr(FSizeFixedY) + u"</b>", 0, 0);
  }
}

void TExStringGrid::StartFixedSizing(bool Cols, Integer X, Integer Y) {
  if (Cols) {
    FSizingFixed = true;
    FSizeFixedX = X;
    DrawFixedSizingLine(true, X);
    if (!HasState(csDesigning)) FSizingFixedCol = std::max(0, FixedBorderAt(true, X));
  } else {
    FSizingFixedR = true;
    FSizeFixedY = Y;
    DrawFixedSizingLine(false, Y);
    if (!HasState(csDesigning)) FSizingFixedRow = std::max(0, FixedBorderAt(false, Y));
  }
  SetCaptureControl(this);
}

void TExStringGrid::EndFixedSizing(Integer X, Integer Y) {
  if (FSizingFixed) {
    FSizingFixed = false;
    DrawFixedSizingLine(true, FSizeFixedX);
    Integer before = 0;
    for (Integer i = 0; i < FSizingFixedCol; ++i) before += ColWidths(i);
    Integer w = std::max(0, X - before);
    SetColWidths(FSizingFixedCol, w);
    if (OnEndColumnSize) OnEndColumnSize(this, FSizingFixedCol);
    Integer asked = w;
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, FSizingFixedCol, asked);
    if (asked != w) SetColWidths(FSizingFixedCol, asked);
  }
  if (FSizingFixedR) {
    FSizingFixedR = false;
    DrawFixedSizingLine(false, FSizeFixedY);
    Integer before = 0;
    for (Integer i = 0; i < FSizingFixedRow; ++i) before += RowHeights(i);
    SetRowHeights(FSizingFixedRow, std::max(0, Y - before));
    if (OnEndRowSize) OnEndRowSize(this, FSizingFixedRow);
  }
}

// --- Width and height notifications -------------------------------------------------------------------

void TExStringGrid::ColWidthsChanged() {
  // 1.
  if (!FIsColChanging && FColumnSize->Stretch()) StretchColumn(FColumnSize->StretchColumn());
  if (HasState(csDesigning)) CloseSizingHint();
  // 2.
  TBaseGrid::ColWidthsChanged();
  ColSizeFlg = true;
  if (FInSizeChange) return;
  FInSizeChange = true;
  try {
    const bool userDrag = ColSized && Colclicked >= 0 && Colclicked < ColCount();
    // 3. Every other normal column keeps its proportion to the sized one.
    if (FMouseActions->AllColumnSize() && userDrag && Colclickedsize > 0) {
      const double factor = static_cast<double>(ColWidths(Colclicked)) / Colclickedsize;
      for (Integer c = FixedCols(); c < ColCount(); ++c)
        if (c != Colclicked) SetColWidths(c, RoundInt(ColWidths(c) * factor));
    }
    // 4. The end of a user's size.
    if (userDrag) {
      const Integer c = Colclicked;
      if (OnEndColumnSize) OnEndColumnSize(this, c);
      Integer w = ColWidths(c);
      UpdateColumnSize(DisplayToRealCol(c), w);
      if (w != ColWidths(c)) SetColWidths(c, w);
      Colclicked = -1;
      Rowclicked = -1;
    }
    // 5.
    PlaceEditControl();
    ColSized = false;
    if (FFloatingFooter && FFloatingFooter->Visible()) FFloatingFooter->Invalidate();
    CellControlsUpdate();
    if (FColumnSize->Stretch() && FScrollProportional) UpdateVScrollBar();
  } catch (...) {
    FInSizeChange = false;
    throw;
  }
  FInSizeChange = false;
}

void TExStringGrid::RowHeightsChanged() {
  if (HasState(csDesigning)) CloseSizingHint();
  TBaseGrid::RowHeightsChanged();
  if (FInSizeChange) return;
  FInSizeChange = true;
  try {
    const bool userDrag = Rowsized && Rowclicked >= 0 && Rowclicked < RowCount();
    if (FMouseActions->AllRowSize() && userDrag && Rowclickedsize > 0) {
      const double factor = static_cast<double>(RowHeights(Rowclicked)) / Rowclickedsize;
      for (Integer r = FixedRows(); r < RowCount(); ++r)
        if (r != Rowclicked) SetRowHeights(r, RoundInt(RowHeights(r) * factor));
    }
    if (userDrag) {
      if (OnEndRowSize) OnEndRowSize(this, Rowclicked);
      Colclicked = -1;
      Rowclicked = -1;
    }
    Rowsized = false;
    PlaceEditControl();
    CellControlsUpdate();
  } catch (...) {
    FInSizeChange = false;
    throw;
  }
  FInSizeChange = false;
}

// An open editor control follows its cell's new rectangle.
void TExStringGrid::PlaceEditControl() {
  if (!EditCtrl || !EditCtrl->Visible()) return;
  const TRect r = CellRect(Col(), Row());
  if (r.Right > r.Left) EditCtrl->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TExStringGrid::SizeChanged(Integer OldColCount, Integer OldRowCount) {
  if (!Parent() || HasState(csLoading) || HasState(csReading) || FDestroyingGrid) {
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    return;
  }
  if (FColumnSize->Stretch()) StretchColumn(FColumnSize->StretchColumn());
  TBaseGrid::SizeChanged(OldColCount, OldRowCount);
  if (FIsFlat) {
    FlatShowScrollBar(SB_VERT, FixedRows() + VisibleRowCount() < RowCount());
    FlatShowScrollBar(SB_HORZ, FixedCols() + VisibleColCount() < ColCount());
    FlatSetScrollBars();
  }
}

// --- Stretching -------------------------------------------------------------------------------------------

void TExStringGrid::StretchColumn(Integer ACol) {
  // 1.
  if (HasState(csLoading) || HasState(csDestroying) || FDestroyingGrid || (Application && Application->Terminated()))
    return;
  if (ACol == -1) ACol = ColCount() - 1;
  if (ACol >= ColCount()) throw Exception(u"Stretch column index out of range");
  // 2.
  if (ColCount() == 0 || !FColumnSize->Stretch() || FIsColChanging) return;
  FIsColChanging = true;
  try {
    const Integer client = ClientWidth();
    if (ColCount() == 1) {
      // 3.
      SetColWidths(0, client);
    } else {
      // 4.
      Integer sum = 0;
      for (Integer c = 0; c < ColCount(); ++c)
        if (c != ACol) sum += ColWidths(c);
      if (sum < client)
        SetColWidths(ACol, client - sum - 1);
      else if (LeftCol() == FixedCols())
        SetColWidths(ACol, DefaultColWidth());
    }
  } catch (...) {
    FIsColChanging = false;
    throw;
  }
  // 5.
  ColchgFlg = true;
  FIsColChanging = false;
  if (FFloatingFooter && FFloatingFooter->Visible() && FFooterPanel) FFooterPanel->SetAlign(alBottom);
}

void TExStringGrid::StretchRightColumn() { StretchColumn(ColCount() - 1); }

void TExStringGrid::InitOrigColSizes() {
  FOrigColSizes->Clear();
  for (Integer c = 0; c < ColCount(); ++c) FOrigColSizes->Add(ColWidths(c));
  FOldSize = Width();
}

void TExStringGrid::UpdateColumnSize(Integer ACol, Integer& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TExStringGrid::UpdateAutoColumnSize(Integer ACol, Integer& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

// --- Following the owner form ---------------------------------------------------------------------------

void TExStringGrid::OwnerFormResize(TObject* Sender) {
  if (HasState(csDesigning) || FDestroyingGrid || HasState(csDestroying)) return;
  auto* form = dynamic_cast<TCustomForm*>(Sender);
  if (FSizeWithForm && form) {
    const Integer w = form->Width() + Width() - PrevSizeX;
    const Integer h = form->Height() + Height() - PrevSizeY;
    if (w > 0 && h > 0) {
      SetBounds(Left(), Top(), w, h);
      PrevSizeX = form->Width();
      PrevSizeY = form->Height();
    }
  }
  if (FOnResize) {
    // The form's own handler runs too; what it raises does not stop the grid.
    try {
      FOnResize(Sender);
    } catch (...) {
    }
  }
  if (FColumnSize->Stretch()) StretchColumn(FColumnSize->StretchColumn());
}
