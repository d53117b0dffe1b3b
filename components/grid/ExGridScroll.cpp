// TExStringGrid: scroll bars and scrolling. The platform grid scrolls; the grid adds the scroll-bar
// kinds (standard, flat and Encarta through the common controls where they exist, and the thin
// Metro indicator of its own), proportional thumbs from the real sizes, scroll hints while a thumb
// is dragged, scrolling while dragging (ScrollSynch), the in-cell scroll bar, auto-scrolling while
// something is dragged over the grid, and what follows a change of the top-left cell.
#include <algorithm>
#include <cmath>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridDragDrop.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridInput.h"
#include "components/grid/ExGridLook.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

// --- Flat scroll bars --------------------------------------------------------------------------------
// The flat and Encarta bars come from the common-controls library. This platform has none, so the
// grid keeps its standard bars: every flat operation finds no library and does nothing.

bool TExStringGrid::InitFlatScrollBars() {
  FIsFlat = false;
  return FIsFlat;
}

void TExStringGrid::DoneFlatScrollBars() { FIsFlat = false; }

void TExStringGrid::FlatShowScrollBar(Integer Bar, bool Show) {
  (void)Bar;
  (void)Show;
}

void TExStringGrid::FlatSetScrollBars() {
  // The Metro controls replace the bars once the grid has a window.
  if (FScrollType == ssMetro && !vscrlctrl && Parent()) ApplyMetroScrollControls();
}

// --- Property setters ------------------------------------------------------------------------------------

void TExStringGrid::SetScrollType(TScrollType Value) {
  if (FScrollType != Value) {
    FScrollType = Value;
    if (Value == ssFlat || Value == ssEncarta) {
      InitFlatScrollBars();
      FlatSetScrollBars();
    } else {
      DoneFlatScrollBars();
    }
    if (FWindowCreated || Parent()) ApplyMetroScrollControls();
  }
  FlatSetScrollBars();
}

// The thin scroll controls of ssMetro take the place of the standard bars.
void TExStringGrid::ApplyMetroScrollControls() {
  if (HasState(csDesigning)) return;
  if (FScrollType == ssMetro) {
    if (!vscrlctrl) {
      vscrlctrl = new TScrollControl(this);
      vscrlctrl->SetDirection(sdVertical);
      vscrlctrl->SetParent(this);
      vscrlctrl->SetWidth(6);
      vscrlctrl->SetAlign(alRight);
      vscrlctrl->SetDoubleBuffered(true);
      vscrlctrl->SetVisible(true);
    }
    if (!hscrlctrl) {
      hscrlctrl = new TScrollControl(this);
      hscrlctrl->SetDirection(sdHorizontal);
      hscrlctrl->SetParent(this);
      hscrlctrl->SetHeight(6);
      hscrlctrl->SetAlign(alBottom);
      hscrlctrl->SetDoubleBuffered(true);
      hscrlctrl->SetVisible(true);
    }
    SetScrollBars(ssNone);
  } else if (vscrlctrl || hscrlctrl) {
    TScrollControl* v = vscrlctrl;
    TScrollControl* h = hscrlctrl;
    vscrlctrl = nullptr;
    hscrlctrl = nullptr;
    delete v;
    delete h;
    SetScrollBars(ssBoth);
  }
}

void TExStringGrid::SetScrollBars(TScrollStyle Value) {
  FScrollBars = Value;
  TBaseGrid::SetScrollBars(Value);
}

void TExStringGrid::SetScrollColor(TColor Value) {
  FScrollColor = Value;
  FlatSetScrollBars();
}

void TExStringGrid::SetScrollWidth(Integer Value) {
  FScrollWidth = Value;
  FlatSetScrollBars();
}

void TExStringGrid::SetScrollProportional(bool Value) {
  FScrollProportional = Value;
  if (Value) {
    UpdateVScrollBar();
    UpdateHScrollBar();
  } else if (FIsFlat && FScrollType == ssNormal) {
    DoneFlatScrollBars();
    TScrollInfo si;
    si.fMask = SIF_PAGE;
    si.nPage = 0;
    SetScrollInfo(Handle(), SB_VERT, si, true);
    SetScrollInfo(Handle(), SB_HORZ, si, true);
  }
}

void TExStringGrid::SetIntegralHeight(bool Value) {
  FIntegralHeight = Value;
  SetBounds(Left(), Top(), Width(), Height());
}

// --- Proportional thumbs ---------------------------------------------------------------------------------

void TExStringGrid::UpdateVScrollBar() {
  if (HasState(csLoading) || HasState(csDesigning) || !FScrollProportional || FScrollLock) return;
  if (VisibleRowCount() + FixedRows() >= RowCount()) return;
  const Integer lw = FGridLineWidth;
  Integer fixed = lw, total = lw, above = lw;
  for (Integer r = 0; r < FixedRows(); ++r) fixed += lw + RowHeights(r);
  for (Integer r = FixedRows(); r < RowCount(); ++r) {
    total += lw + RowHeights(r);
    if (r < TopRow()) above += lw + RowHeights(r);
  }
  if (total == 0) return;
  const Integer gh = ClientHeight();
  const float ratio = static_cast<float>(gh - fixed) / static_cast<float>(total);
  if (ratio >= 0.9999f) return;
  const Integer max = static_cast<Integer>(std::trunc((ratio + 127) / (1 - ratio)));
  const Integer page = max - 126;
  const Integer pos =
      gh < total ? static_cast<Integer>(std::trunc(static_cast<double>(above) / (total - gh) * 128)) : 127;
  TScrollInfo si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = max;
  si.nPage = static_cast<UINT>(std::max(0, page));
  si.nPos = pos;
  SetScrollInfo(Handle(), SB_VERT, si, true);
  FlatSetScrollBars();
}

void TExStringGrid::UpdateHScrollBar() {
  if (HasState(csLoading) || HasState(csDesigning) || !FScrollProportional || FScrollLock) return;
  if (VisibleColCount() + FixedCols() >= ColCount()) return;
  const Integer lw = FGridLineWidth;
  Integer fixed = lw, total = lw;
  for (Integer c = 0; c < FixedCols(); ++c) fixed += lw + ColWidths(c);
  for (Integer c = FixedCols(); c < ColCount(); ++c) total += lw + ColWidths(c);
  if (total == 0) return;
  const Integer gw = ClientWidth();
  if (fixed + total - gw < 5) return;
  const float ratio = static_cast<float>(gw - fixed) / static_cast<float>(total);
  if (ratio < 0.9999f) {
    const Integer max = static_cast<Integer>(std::trunc((ratio + 127) / (1 - ratio)));
    TScrollInfo cur;
    cur.fMask = SIF_POS;
    GetScrollInfo(Handle(), SB_HORZ, cur);
    TScrollInfo si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = max;
    si.nPage = static_cast<UINT>(std::max(0, max - 126));
    si.nPos = cur.nPos;
    SetScrollInfo(Handle(), SB_HORZ, si, true);
    FlatSetScrollBars();
  }
  if (FScrollBarAlways != saHorz && FScrollBarAlways != saBoth) {
    const bool wanted = fixed + total >= gw && (FScrollBars == ssHorizontal || FScrollBars == ssBoth);
    if (!wanted) ShowScrollBar(Handle(), SB_HORZ, false);
  }
}

// --- Scroll messages --------------------------------------------------------------------------------------

void TExStringGrid::ShowScrollHint(const String& Prefix, Integer Index) {
  String hint = Prefix + IntToStr(Index);
  if (OnScrollHint) OnScrollHint(this, Index, hint);
  THTMLHintWindow* w = SizingHintWindow();
  TRect r = w->CalcHintRect(100, hint, this);
  w->SetColor(FHintColor);
  const TPoint p = GetCursorPos();
  r = TRect(p.X + 10, p.Y, p.X + 10 + r.Width(), p.Y + r.Height());
  w->ActivateHintData(r, hint, this);
  FScrollHintShow = true;
}

void TExStringGrid::WMHScroll(TMessage& M) {
  TWMScroll s{M};
  if (M.LParam != 0) {
    TBaseGrid::WMHScroll(M);
    return;
  }
  const Integer code = s.ScrollCode();
  const Integer track =
      MulDiv(std::clamp<Integer>(s.Pos(), 0, 127), std::max(0, ColCount() - VisibleColCount() - FixedCols()), 127) +
      FixedCols();
  // 1.
  if (FScrollHints == shHorizontal || FScrollHints == shBoth) {
    if (code == SB_ENDSCROLL) CloseSizingHint();
    if (code == SB_THUMBTRACK) ShowScrollHint(u"Col : ", track);
  }
  // 3.
  if (code == SB_THUMBTRACK && FScrollSynch && track < ColCount()) SetLeftCol(std::max(FixedCols(), track));
  // 5.
  if (FixedCols() == 0 && code != SB_THUMBTRACK && code != SB_ENDSCROLL) {
    Integer target = LeftCol();
    if (code == SB_LINEDOWN || code == SB_PAGEDOWN) target = LeftCol() + 1;
    if (code == SB_THUMBPOSITION) target = track;
    if (target >= Col()) HideInplaceEdit();
  }
  // 6.
  TBaseGrid::WMHScroll(M);
  if (code == SB_ENDSCROLL && ColCount() == 1) Repaint();
  // 7.
  FlatSetScrollBars();
  if (HasCheckBox(DisplayToRealCol(Col()), Row())) HideEditor();
  if (FloatingFooterVisible()) FFloatingFooter->Invalidate();
}

void TExStringGrid::WMVScroll(TMessage& M) {
  TWMScroll s{M};
  // 1.
  if (HasState(csDesigning)) {
    TBaseGrid::WMVScroll(M);
    return;
  }
  const Integer code = s.ScrollCode();
  // 2. The in-cell scroll bar.
  if (FScrollBar && M.LParam != 0 && static_cast<HWND>(M.LParam) == FScrollBar->Handle()) {
    CellScrollBarMessage(code, s.Pos());
    M.Result = 1;
    return;
  }
  if (M.LParam != 0) {
    TBaseGrid::WMVScroll(M);
    return;
  }
  const Integer track =
      MulDiv(std::clamp<Integer>(s.Pos(), 0, 127), std::max(0, RowCount() - VisibleRowCount() - FixedRows()), 127) +
      FixedRows();
  // 3.
  if (FScrollHints == shVertical || FScrollHints == shBoth) {
    if (code == SB_ENDSCROLL) CloseSizingHint();
    if (code == SB_THUMBTRACK) ShowScrollHint(u"Row : ", track);
  }
  if (code == SB_THUMBTRACK && FScrollSynch && track < RowCount()) SetTopRow(std::max(FixedRows(), track));
  // 4. A visible search panel keeps the last row above it.
  const bool search = FSearchFooter->Visible();
  if (search && (code == SB_LINEDOWN || code == SB_ENDSCROLL) && LastRowAboveSearchPanel()) {
    M.Result = 1;
    return;
  }
  TBaseGrid::WMVScroll(M);
  if (search) {
    if (code == SB_LINEUP && TopRow() == RowCount() - VisibleRowCount() && TopRow() > FixedRows())
      SetTopRow(TopRow() - 1);
    if (code == SB_LINEDOWN || code == SB_ENDSCROLL) ScrollLastRowAboveSearchPanel();
  }
  // 5.
  FlatSetScrollBars();
  if (HasCheckBox(DisplayToRealCol(Col()), Row())) HideEditor();
}

// The scroll bar of one cell moved: its new position goes into the cell's graphic.
void TExStringGrid::CellScrollBarMessage(Integer Code, Integer Pos) {
  const Integer dc = FScrollCol, r = FScrollRow;
  if (dc < 0 || r < 0 || dc >= ColCount() || r >= RowCount()) return;
  const Integer rc = DisplayToRealCol(dc);
  const Integer oldPos = FScrollBar->Position();
  Integer p = oldPos;
  switch (Code) {
    case SB_LINEUP: p = std::max(FScrollBar->Min(), p - 10); break;
    case SB_PAGEUP: p = std::max(FScrollBar->Min(), p - 100); break;
    case SB_LINEDOWN: p = std::min(FScrollBar->Max(), p + 10); break;
    case SB_PAGEDOWN: p = std::min(FScrollBar->Max(), p + 100); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: p = Pos; break;
    default: break;
  }
  if (p == GetScrollPosition(rc, r) && p == oldPos) return;
  FScrollBar->SetPosition(p);
  SetScrollPosition(rc, r, p);
  RepaintCell(dc, r);
  ScrollCell(rc, r, p, FScrollBar->Min(), FScrollBar->Max());
}

void TExStringGrid::WMGetDlgCode(TMessage& M) {
  TBaseGrid::WMGetDlgCode(M);
  if (FNavigation->AutoGotoWhenSorted() || !Options().Contains(goEditing)) M.Result |= 0x80;
}

// --- The top-left cell changed ------------------------------------------------------------------------------

void TExStringGrid::ScrollTopLeftChanged() {
  // 3.
  const TGridRect s = Selection();
  if (FSelectionRectangle && s.Bottom != s.Top) Invalidate();
  // 4.
  if (FBackGround && ((FBackGround->Bitmap() && !FBackGround->Bitmap()->Empty()) ||
                      ((FBackGround->Display() == bdGradientHorz || FBackGround->Display() == bdGradientVert) &&
                       FBackGround->ColorTo() != clNone)))
    Invalidate();
  // 5.
  if (EditCtrl && EditCtrl->Visible() && EditMode) HideInplaceEdit();
  FlatSetScrollBars();
  if (FloatingFooterVisible()) FFloatingFooter->Invalidate();
  if (FNumCellControls > 0) CellControlsUpdate();
  FOldLeftCol = LeftCol();
  FOldTopRow = TopRow();
  if (HasState(csDesigning)) Invalidate();
  // 6.
  if (TStringGrid* other = FSyncGrid ? FSyncGrid->Grid() : nullptr) {
    if (FSyncGrid->ScrollVertical() && other->TopRow() != TopRow() && TopRow() < other->RowCount())
      other->SetTopRow(TopRow());
    if (FSyncGrid->ScrollHorizontal() && other->LeftCol() != LeftCol() && LeftCol() < other->ColCount())
      other->SetLeftCol(LeftCol());
  }
  // 7.
  if (vscrlctrl) vscrlctrl->Invalidate();
  if (hscrlctrl) hscrlctrl->Invalidate();
}

// --- Drag-over auto-scroll ---------------------------------------------------------------------------------

void TExStringGrid::StopDragTimer() {
  if (!FDragTmr) return;
  TTimer* t = FDragTmr;
  FDragTmr = nullptr;
  t->SetEnabled(false);
  delete t;
}

bool TExStringGrid::DragOver(TObject* Source, Integer X, Integer Y, TDragState State) {
  // 1.
  if (FDragScrollOptions && FDragScrollOptions->Active()) {
    if (State == dsDragLeave) {
      StopDragTimer();
    } else {
      TDragScrollDirections dir;
      const TDragScrollMargins* m = FDragScrollOptions->Margins();
      if (Y < m->TopMargin())
        dir.Include(dsdUp);
      else if (Y > Height() - m->BottomMargin())
        dir.Include(dsdDown);
      if (X < m->LeftMargin())
        dir.Include(dsdLeft);
      else if (X > Width() - m->RightMargin())
        dir.Include(dsdRight);
      if (!dir.Empty()) {
        const Integer initial = FDragScrollOptions->Delays()->InitialDelay();
        if (!FDragTmr) {
          // The grid owns the timer: an owner freed before the grid would leave it dangling.
          FDragTmr = new TTimer(this);
          FDragTmr->SetInterval(static_cast<Cardinal>(std::max(1, initial)));
          FDragTmr->OnTimer = [this](TObject*) { DragScrollTick(); };
          FDragTmr->SetEnabled(true);
        } else if (!FDragScrollDirection.Empty()) {
          // The pointer moved while the grid scrolls: the initial delay starts again.
          FDragTmr->SetEnabled(false);
          FDragTmr->SetInterval(static_cast<Cardinal>(std::max(1, initial)));
          FDragTmr->SetEnabled(true);
        }
      } else {
        StopDragTimer();
      }
      FDragScrollDirection = dir;
    }
  } else {
    StopDragTimer();
  }
  // 2.
  return TBaseGrid::DragOver(Source, X, Y, State);
}

void TExStringGrid::DragScrollTick() {
  if (!FDragTmr) return;
  // 3. The options switched off meanwhile: the timer goes.
  if (!FDragScrollOptions || !FDragScrollOptions->Active()) {
    StopDragTimer();
    return;
  }
  FDragTmr->SetInterval(static_cast<Cardinal>(std::max(1, FDragScrollOptions->Delays()->RepeatDelay())));
  bool canScroll = true;
  TDragScrollDirections dir = FDragScrollDirection;
  if (OnDragScroll) OnDragScroll(this, TopRow(), LeftCol(), dir, canScroll);
  if (!canScroll) return;
  if (dir.Contains(dsdUp) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
  if (dir.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
  if (dir.Contains(dsdLeft) && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
  if (dir.Contains(dsdRight) && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
}

// --- TScrollControl ------------------------------------------------------------------------------------------

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {
  TControl::SetColor(static_cast<TColor>(0x00C0C0C0));
  SetTabStop(false);
}

TExStringGrid* TScrollControl::GridParent() const { return dynamic_cast<TExStringGrid*>(Parent()); }

bool TScrollControl::ThumbGeometry(Integer& Pos, Integer& Length) {
  TExStringGrid* g = GridParent();
  if (!g) return false;
  const bool vert = FDirection == sdVertical;
  const Integer total = vert ? g->RowCount() : g->ColCount();
  const Integer fixedCount = vert ? g->FixedRows() : g->FixedCols();
  const Integer visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
  if (visible >= total - fixedCount) return false;
  // 1. The track: the control less the fixed part and the footers.
  Integer fixedSize = 0;
  for (Integer i = 0; i < fixedCount; ++i) fixedSize += vert ? g->RowHeights(i) : g->ColWidths(i);
  Integer footSize = 0;
  for (Integer i = 0; i < g->FixedFooters(); ++i) {
    const Integer idx = total - 1 - i;
    if (idx >= 0) footSize += vert ? g->RowHeights(idx) : g->ColWidths(idx);
  }
  const Integer length = vert ? Height() : Width();
  const Integer track = length - fixedSize - footSize;
  // 2.
  Length = std::max<Integer>(20, static_cast<Integer>(std::lround(static_cast<double>(track) * visible / total)));
  const Integer first = vert ? g->TopRow() : g->LeftCol();
  const Integer span = std::max(1, total - fixedCount);
  Pos = fixedSize + static_cast<Integer>(std::lround(static_cast<double>(track) * (first - fixedCount) / span));
  if (Pos + Length > length) Pos = length - Length;
  return true;
}

void TScrollControl::Paint() {
  TCanvas* c = Canvas();
  // The control shows its parent through: the grid's pixels under it come first.
  if (TWinControl* p = Parent()) {
    if (TBitmap* img = p->BackingImage()) {
      const TRect src(Left(), Top(), Left() + Width(), Top() + Height());
      c->CopyRect(TRect(0, 0, Width(), Height()), img->Canvas(), src);
    }
  }
  Integer pos = 0, len = 0;
  if (!ThumbGeometry(pos, len)) return;
  c->Brush()->SetColor(Color());
  c->Pen()->SetColor(Color());
  TRect r;
  if (FDirection == sdVertical) {
    const Integer x = std::max(0, Width() - FScrollWidth);
    r = TRect(x, pos, x + FScrollWidth, pos + len);
  } else {
    const Integer y = std::max(0, Height() - FScrollWidth);
    r = TRect(pos, y, pos + len, y + FScrollWidth);
  }
  c->Rectangle(r);
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TExStringGrid* g = GridParent();
  if (!g || Button != mbLeft) return;
  Integer pos = 0, len = 0;
  if (!ThumbGeometry(pos, len)) return;
  const bool vert = FDirection == sdVertical;
  const Integer p = vert ? Y : X;
  if (p < pos) {
    // 4. Before the thumb: one screen back.
    if (vert)
      g->SetTopRow(std::max(g->FixedRows(), g->TopRow() - g->VisibleRowCount()));
    else
      g->SetLeftCol(std::max(g->FixedCols(), g->LeftCol() - g->VisibleColCount()));
  } else if (p >= pos + len) {
    if (vert)
      g->SetTopRow(std::max(g->FixedRows(), std::min(g->TopRow() + g->VisibleRowCount(),
                                                      g->RowCount() - g->VisibleRowCount())));
    else
      g->SetLeftCol(std::max(g->FixedCols(), std::min(g->LeftCol() + g->VisibleColCount(),
                                                       g->ColCount() - g->VisibleColCount())));
  } else {
    FDownOnScroller = true;
    FDownPos = p;
    FDownRow = vert ? g->TopRow() : g->LeftCol();
  }
  Invalidate();
}

void TScrollControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  TExStringGrid* g = GridParent();
  if (!g || !FDownOnScroller) return;
  // 5. The drag follows the pointer in proportion to the whole count.
  if (FDirection == sdVertical) {
    const Integer extent = std::max(1, Height() - g->RowHeights(0));
    const Integer step = static_cast<Integer>(std::lround(static_cast<double>(Y - FDownPos) / extent * g->RowCount()));
    g->SetTopRow(std::max(g->FixedRows(), std::min(FDownRow + step, g->RowCount() - g->VisibleRowCount())));
  } else {
    const Integer extent = std::max(1, Width() - g->ColWidths(0));
    const Integer step = static_cast<Integer>(std::lround(static_cast<double>(X - FDownPos) / extent * g->ColCount()));
    g->SetLeftCol(std::max(g->FixedCols(), std::min(FDownRow + step, g->ColCount() - g->VisibleColCount())));
  }
  Invalidate();
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FDownOnScroller = false;
}
