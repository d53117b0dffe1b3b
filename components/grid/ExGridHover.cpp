// TExStringGrid: what the grid does while the pointer moves over it, and the hint of the cell under
// it. MouseMove is the dispatcher: hover rows, hot fixed cells, hovered cell buttons, the shared
// in-cell scroll bar, extending a selection dragged along the headers, the selection mode the next
// header press uses, link cursors and anchor events; it also drives moving, dragging and sizing.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridInput.h"
#include "components/grid/ExGridLook.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace {

bool PointInRect(const TRect& R, Integer X, Integer Y) {
  return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

}  // namespace

void TExStringGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  const TGridRect startSel = Selection();
  // 1. A press that moves becomes a range selection.
  if (FMouseDownMove && FMouseActions->RangeSelectAndEdit() && Options().Contains(goEditing) && !EditorMode() &&
      !EditMode)
    SetOptions(Options() >> goEditing);
  // 2.
  if (FGridState == gsSelecting && FSelectionRectangle && !(Selection() == FSizeSelection)) FSizeSelection = Selection();

  Integer ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const bool onCell = ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount();
  const bool designing = HasState(csDesigning);
  bool cursorSet = false;

  // 3. Hover row and the shared in-cell scroll bar.
  if (onCell && !designing) {
    if (HoverRow() && ARow != FHoverRowIdx) {
      const Integer old = FHoverRowIdx;
      FHoverRowIdx = ARow;
      if (old >= 0) RepaintRow(old);
      RepaintRow(ARow);
    }
    PlaceCellScrollBar(ACol, ARow);
  }

  // 4. Hot fixed cells.
  if (!FNoMouseLeave && (ACol != FHoverFixedX || ARow != FHoverFixedY)) {
    const Integer ox = FHoverFixedX, oy = FHoverFixedY;
    FHoverFixedX = ACol;
    FHoverFixedY = ARow;
    auto inFixedArea = [&](Integer c, Integer r) { return c >= 0 && r >= 0 && (r <= FixedRows() || c <= FixedCols()); };
    if (inFixedArea(ox, oy)) RepaintCell(ox, oy);
    if (inFixedArea(ACol, ARow)) RepaintCell(ACol, ARow);
  }

  // 5.
  if (FLook == glListView && (ACol != FHotFixedCell.X || ARow != FHotFixedCell.Y)) {
    const TPoint old = FHotFixedCell;
    FHotFixedCell = TPoint(ACol, ARow);
    if (old.X >= 0 && old.Y >= 0 && (old.X < FixedCols() || old.Y < FixedRows())) RepaintCell(old.X, old.Y);
    if (ACol >= 0 && ARow >= 0 && (ACol < FixedCols() || ARow < FixedRows())) RepaintCell(ACol, ARow);
  }

  // 6. Hovered cell buttons and expand glyphs.
  {
    TPoint hover(-1, -1);
    if (onCell) {
      const Integer rc = DisplayToRealCol(ACol);
      if ((HasButton(rc, ARow) && PointInRect(GetCellControlRect(ACol, ARow), X, Y)) ||
          (HasExpand(rc, ARow) && PointInRect(GetExpandRect(rc, ARow), X, Y)))
        hover = TPoint(ACol, ARow);
    }
    if (hover.X != FHoverButton.X || hover.Y != FHoverButton.Y) {
      const TPoint old = FHoverButton;
      FHoverButton = hover;
      if (old.X >= 0) RepaintCell(old.X, old.Y);
      if (hover.X >= 0) RepaintCell(hover.X, hover.Y);
    }
  }

  // 7. A row selection dragged along the fixed column.
  bool headerRowCounts = false;
  if (FMouseSelectStart >= 0 && FMouseActions->RowSelect() && FMouseSelectMode == msRow) {
    if (ARow >= FixedRows() && ARow < RowCount() - FFixedFooters) {
      const Integer from = std::max(FixedRows(), std::min(FMouseSelectStart, ARow));
      const Integer to = std::max(FixedRows(), std::max(FMouseSelectStart, ARow));
      const TGridRect r{FixedCols(), from, ColCount() - 1, to};
      if (!(r == Selection())) {
        SetSelection(r);
        if (FSelectionRectangle) {
          for (Integer rr = from; rr <= to; ++rr) RepaintRow(rr);
          FSizeSelection = r;
        }
      }
    }
    if (Y > ClientHeight() - 4 && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
    if (FixedRows() > 0 && Y < RowHeights(0)) {
      if (TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
      headerRowCounts = true;
    }
  }
  // 8. A column selection dragged along the header.
  if (FMouseSelectStart >= 0 && FMouseActions->ColSelect() && FMouseSelectMode == msColumn && ACol >= 0) {
    const Integer from = std::max(FixedCols(), std::min(FMouseSelectStart, ACol));
    const Integer to = std::max(FixedCols(), std::max(FMouseSelectStart, ACol));
    const TGridRect r{from, FixedRows(), to, RowCount() - 1};
    if (!(r == Selection())) {
      SetSelection(r);
      if (FSelectionRectangle)
        for (Integer c = from; c <= to; ++c) RepaintCol(c);
    }
  }

  // 9. Sizing the fixed area.
  FixedSizingMove(X, Y, onCell);

  // 10. The selection's resize grip.
  const bool onGrip = IsInResizeGrip(X, Y);

  // 11. Dragging cells out, sizing flags and moving.
  if (FOleDrag)
    OleDragTrack(X, Y);
  else
    OleDragStartStep(X, Y, Shift);
  if (FGridState == gsColSizing) ColSized = true;
  if (FGridState == gsRowSizing) Rowsized = true;
  RowColMoveStep(X, Y);

  // 12. The selection mode of the next press.
  FMouseSelectMode = msNormal;
  if (onGrip) {
    FMouseSelectMode = msResize;
  } else if (ACol >= 0 && ARow >= 0) {
    const Integer lastRow = RowCount() - 1 - (FloatingFooterVisible() ? 1 : 0);
    const bool onBorder = IsOnSizingBorder(X, Y);
    if (ACol < FixedCols() && ARow < FixedRows() && FMouseActions->AllSelect()) {
      FMouseSelectMode = msAll;
    } else if (ARow < FixedRows() && ACol >= FixedCols() && FMouseActions->ColSelect() && !onBorder) {
      FMouseSelectMode = msColumn;
    } else if (ACol < FixedCols() && (ARow >= FixedRows() || headerRowCounts) && ARow <= lastRow &&
               FMouseActions->RowSelect() && !onBorder &&
               !(ACol == 0 && FNumNodes > 0 && IsNode(ARow) && IsNodeGlyphHit(ARow, X))) {
      FMouseSelectMode = msRow;
    }
  }
  if (FMouseSelectMode != msNormal) {
    cursorSet = true;
    Invokedchange = true;
  }

  // 13. Links.
  if (onCell && !designing) cursorSet = HoverLinks(ACol, ARow, X, Y) || cursorSet;

  // 14. The grid's own cursor comes back when nothing above chose one.
  if (!cursorSet && TBaseGrid::Cursor() != FOldCursor) {
    Invokedchange = true;
    TBaseGrid::SetCursor(FOldCursor);
  }

  // 15. A new cell ends the hint and the balloon of the previous one.
  {
    TPoint cell(-1, -1);
    if (onCell) {
      const TPoint bc = BaseCell(DisplayToRealCol(ACol), ARow);
      cell = TPoint(RealToDisplayCol(bc.X), bc.Y);
    }
    if (cell.X != FLastHintPos.X || cell.Y != FLastHintPos.Y) {
      if (FLastHintPos.X >= 0 && Application) Application->RestartHint(this);
      FLastHintPos = TPoint(-1, -1);
    }
    if (BalloonEnabled() && (cell.X != FLastBalloonPos.X || cell.Y != FLastBalloonPos.Y)) {
      CloseBalloon();
      FLastBalloonPos = TPoint(-1, -1);
    }
  }

  // 16. The selection rectangle follows the range selection.
  if (FGridState == gsSelecting && FSelectionRectangle && !(Selection() == FMoveSelection)) {
    const TGridRect s = Selection();
    const TGridRect o = FMoveSelection;
    InvalidateGridRect(TGridRect{std::min(s.Left, o.Left), std::min(s.Top, o.Top), std::max(s.Right, o.Right),
                                 std::max(s.Bottom, o.Bottom)});
    FMoveSelection = s;
  }

  // 17. The platform's move.
  TBaseGrid::MouseMove(Shift, X, Y);
  if (FNavigation->KeepHorizScroll() && FMouseKeepDown && FGridState != gsColMoving && LeftCol() != FOldKeepLeftCol &&
      FOldKeepLeftCol >= FixedCols() && FOldKeepLeftCol < ColCount()) {
    StartUpdate();
    SetLeftCol(FOldKeepLeftCol);
    ResetUpdate();
  }

  // 18. Sizing events and the sizing hint.
  SizingMoveEvents(X, Y);
  if (FEnhRowColMove && (FGridState == gsColMoving || FGridState == gsRowMoving)) Update();

  // 19.
  const TGridRect s = Selection();
  if (!(s == startSel)) DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
}

// The shared scroll bar of cells with a scroll-bar graphic sits on the cell under the pointer.
void TExStringGrid::PlaceCellScrollBar(Integer ACol, Integer ARow) {
  if (!FScrollBar) return;
  const Integer rc = DisplayToRealCol(ACol);
  TCellGraphic* g = GetCellGraphic(rc, ARow);
  if (!g || g->CellType() != ctScrollbar) {
    if (FScrollBar->Visible()) FScrollBar->SetVisible(false);
    return;
  }
  const Integer page = g->CellAngle();
  const Integer range = g->CellErrFrom();
  if (page >= range) return;
  const bool placed = FScrollCol == ACol && FScrollRow == ARow && FScrollBar->Visible();
  if (placed) return;
  const TRect cr = CellRect(ACol, ARow);
  const Integer lw = FGridLineWidth;
  FScrollCol = ACol;
  FScrollRow = ARow;
  FScrollBar->SetPageSize(0);
  FScrollBar->SetParams(std::clamp(g->CellIndex(), 0, range), 0, range);
  FScrollBar->SetPageSize(page);
  FScrollBar->SetBounds(cr.Right - 17 - lw, cr.Top + lw, 17, cr.Height() - 2 * lw);
  FScrollBar->SetVisible(true);
}

// Step 13 of the move: the link cursor, anchor events and anchor hints. True when it set a cursor.
bool TExStringGrid::HoverLinks(Integer ACol, Integer ARow, Integer X, Integer Y) {
  const Integer rc = DisplayToRealCol(ACol);
  const String text = GetCellEx(rc, ARow);
  const Integer kind = GetCellTextKind(text, FEnableHTML);
  bool cursor = false;
  if (kind != ctkHtml) {
    if (FURLShow && IsUrl(text)) {
      Invokedchange = true;
      TBaseGrid::SetCursor(GridURLCursor);
      cursor = true;
    }
    if (FURLUnderlineOnHover && FHoverlink != -1) {
      const TPoint old = FHoverCell;
      FHoverlink = -1;
      FHoverCell = TPoint(-1, -1);
      if (old.X >= 0) RepaintCell(old.X, old.Y);
    }
    if (!FAnchor.empty()) {
      if (OnAnchorExit) OnAnchorExit(this, ARow, ACol, String());
      FAnchor.clear();
    }
    return cursor;
  }
  THtmlHit hit;
  const bool onLink = CellLinkAt(ACol, ARow, X, Y, hit) && !hit.Anchor.empty() && !hit.IsControl;
  if (FURLUnderlineOnHover) {
    const Integer idx = onLink ? hit.Index : -1;
    if (FHoverCell.X != ACol || FHoverCell.Y != ARow || FHoverlink != idx) {
      const TPoint old = FHoverCell;
      FHoverCell = TPoint(ACol, ARow);
      FHoverlink = idx;
      if (old.X >= 0 && (old.X != ACol || old.Y != ARow)) RepaintCell(old.X, old.Y);
      RepaintCell(ACol, ARow);
    }
  }
  if (onLink) {
    String title = hit.Title;
    if (title.empty() && OnAnchorHint) {
      String a = hit.Anchor;
      OnAnchorHint(this, ARow, ACol, a);
      title = a;
    }
    if (!title.empty() && title != FLastAnchorHint) {
      FLastAnchorHint = title;
      if (Application) Application->RestartHint(this);
    }
    Invokedchange = true;
    TBaseGrid::SetCursor(GridURLCursor);
    cursor = true;
    if (hit.Anchor != FAnchor) {
      if (OnAnchorEnter) OnAnchorEnter(this, ARow, ACol, hit.Anchor);
      FAnchor = hit.Anchor;
    }
  } else if (!FAnchor.empty()) {
    if (OnAnchorExit) OnAnchorExit(this, ARow, ACol, String());
    FAnchor.clear();
  }
  return cursor;
}

bool TExStringGrid::BalloonEnabled() const { return FBalloonSettings && FBalloonSettings->Enable(); }

void TExStringGrid::CloseBalloon() {
  if (FBalloonSettings && FBalloonSettings->BalloonWindow()) FBalloonSettings->BalloonWindow()->Pop();
}

void TExStringGrid::CMMouseLeave(TMessage& M) {
  TBaseGrid::CMMouseLeave(M);
  FMouseSelectMode = msNormal;
  FSizeFixed = false;
  FSizeFixedR = false;
  if (!FNoMouseLeave && FHoverFixedCells != hfNone && FHoverFixedX >= 0 && FHoverFixedY >= 0) {
    const Integer x = FHoverFixedX, y = FHoverFixedY;
    FHoverFixedX = -1;
    FHoverFixedY = -1;
    RepaintCell(x, y);
  } else if (!FNoMouseLeave) {
    FHoverFixedX = -1;
    FHoverFixedY = -1;
  }
  if (FLook == glListView && FHotFixedCell.X >= 0) {
    const TPoint old = FHotFixedCell;
    FHotFixedCell = TPoint(-1, -1);
    RepaintCell(old.X, old.Y);
  }
  if (HoverRow() && FHoverRowIdx >= 0) {
    const Integer old = FHoverRowIdx;
    FHoverRowIdx = -1;
    RepaintRow(old);
  }
}

// --- The cell hint ---------------------------------------------------------------------------------

void TExStringGrid::ShowCellHint(THintInfo& Info) {
  // 1.
  if (ControlLook()->HintMaxWidth() > 0) Info.HintMaxWidth = ControlLook()->HintMaxWidth();
  GridHintFontName = Font()->Name();
  Info.HintColor = FHintColor;

  const TPoint p = Info.CursorPos;
  Integer ACol = -1, ARow = -1;
  MouseToCell(p.X, p.Y, ACol, ARow);
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) {
    Info.HintStr.clear();
    return;
  }
  // 2. The base cell is the hinted one.
  const TPoint bc = BaseCell(DisplayToRealCol(ACol), ARow);
  const Integer rc = bc.X;
  ACol = RealToDisplayCol(bc.X);
  ARow = bc.Y;
  FLastHintPos = TPoint(ACol, ARow);
  const TRect cr = CellRect(ACol, ARow);
  Info.CursorRect = cr;
  TPoint hintPos(p.X, cr.Bottom + 6);
  String hint = Info.HintStr;
  String comment;
  if (IsComment(rc, ARow, comment)) {
    hintPos = TPoint(cr.Right, cr.Top);
    hint = comment;
  }
  const String text = GetCellEx(rc, ARow);
  const Integer kind = GetCellTextKind(text, FEnableHTML);

  // 3. The title of the anchor under the pointer.
  if (kind == ctkHtml && FAnchorHint) {
    THtmlHit hit;
    if (CellLinkAt(ACol, ARow, p.X, p.Y, hit) && !hit.IsControl && !hit.Anchor.empty()) {
      String a = hit.Title.empty() ? hit.Anchor : hit.Title;
      if (OnAnchorHint) OnAnchorHint(this, ARow, ACol, a);
      FLastAnchorHint = a;
      hint = a;
      hintPos = TPoint(p.X + 8, p.Y - 16);
    }
  }
  const bool normal = ACol >= FixedCols() && ARow >= FixedRows() && ACol < ColCount() - FFixedRightCols &&
                      ARow < RowCount() - FFixedFooters;
  // 4. The cell's text as its hint.
  if (FHintShowCells && normal) {
    hintPos = TPoint(p.X, cr.Top);
    if (kind == ctkUnicode)
      hint = text;
    else if (FHTMLHint)
      hint = text;
    else
      hint = StripHtml(text);
  }
  // 5. The text of a cell too small for it.
  if (FHintShowLargeText && !text.empty()) {
    const bool enh = FEnhTextSize;
    FEnhTextSize = false;
    const TSize ts = GetCellTextSize(rc, ARow, false, false);
    FEnhTextSize = enh;
    if (ts.cx > cr.Width() || ts.cy > cr.Height()) {
      if (FHintShowLargeTextPos == hpCell) hintPos = TPoint(cr.Left, cr.Top);
      if (kind == ctkUnicode || kind != ctkHtml || FHTMLHint)
        hint = text;
      else
        hint = StripHtml(text);
    }
  }
  // 6. The application's hint.
  if (!(FloatingFooterVisible() && ARow == RowCount() - 1)) {
    String wide;
    GetCellHint(ACol, ARow, hint, wide);
  }
  // 8.
  Info.HintStr = hint;
  Info.HintPos = ClientToScreen(hintPos);
  Info.HintColor = FHintColor;
}
