// TCustomGrid: keys, mouse, sizing and moving by mouse, timer 1, the cursor and the wheel.
#include <algorithm>

#include "platform/grids/Grids.h"
#include "platform/grids/GridsInternal.h"

namespace {

constexpr uintptr_t kDragTimer = 1;
constexpr UINT kDragTimerMs = 60;
// A border within this many pixels of the pointer can be dragged.
constexpr Integer kSizingReach = 4;

}  // namespace

// --- Keys ------------------------------------------------------------------------------------------

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool shift = Shift.Contains(ssShift);
  const bool rowSelect = FOptions.Contains(goRowSelect);
  if (Key == VK_F2) {
    if (FOptions.Contains(goEditing)) ShowEditor();
    return;
  }
  // A current cell parked outside the grid starts from the nearest cell inside.
  TGridCoord t{std::clamp(FCurrent.X, FFixedCols, FColCount - 1), std::clamp(FCurrent.Y, FFixedRows, FRowCount - 1)};
  bool keepAnchor = shift && FOptions.Contains(goRangeSelect);
  const Integer page = std::max<Integer>(1, VisibleRowCount());
  switch (Key) {
    case VK_UP: --t.Y; break;
    case VK_DOWN: ++t.Y; break;
    case VK_LEFT:
      if (rowSelect) {
        if (FTopLeft.X > FFixedCols) MoveTopLeft(FTopLeft.X - 1, FTopLeft.Y);
        return;
      }
      --t.X;
      break;
    case VK_RIGHT:
      if (rowSelect) {
        if (FTopLeft.X < MaxLeftCol()) MoveTopLeft(FTopLeft.X + 1, FTopLeft.Y);
        return;
      }
      ++t.X;
      break;
    case VK_PRIOR:
      if (ctrl) {
        t.Y = FTopLeft.Y;
      } else {
        t.Y -= page;
        MoveTopLeft(FTopLeft.X, std::max(FFixedRows, FTopLeft.Y - page));
      }
      break;
    case VK_NEXT:
      if (ctrl) {
        t.Y = FTopLeft.Y + page - 1;
      } else {
        t.Y += page;
        MoveTopLeft(FTopLeft.X, std::clamp(FTopLeft.Y + page, FFixedRows, std::max(FFixedRows, MaxTopRow())));
      }
      break;
    case VK_HOME:
      if (ctrl)
        t = {FFixedCols, FFixedRows};
      else if (rowSelect)
        t.Y = FFixedRows;
      else
        t.X = FFixedCols;
      break;
    case VK_END:
      if (ctrl)
        t = {FColCount - 1, FRowCount - 1};
      else if (rowSelect)
        t.Y = FRowCount - 1;
      else
        t.X = FColCount - 1;
      break;
    case VK_TAB:
      if (!FOptions.Contains(goTabs) || Shift.Contains(ssAlt)) return;
      keepAnchor = false;
      if (shift) {
        if (--t.X < FFixedCols) {
          t.X = FColCount - 1;
          if (--t.Y < FFixedRows) t.Y = FRowCount - 1;
        }
      } else {
        if (++t.X >= FColCount) {
          t.X = FFixedCols;
          if (++t.Y >= FRowCount) t.Y = FFixedRows;
        }
      }
      break;
    default: return;
  }
  t.X = std::clamp(t.X, FFixedCols, FColCount - 1);
  t.Y = std::clamp(t.Y, FFixedRows, FRowCount - 1);
  if (t.X != FCurrent.X || t.Y != FCurrent.Y) FocusCell(t.X, t.Y, !keepAnchor);
}

void TCustomGrid::KeyUp(Word& Key, TShiftState Shift) { TCustomControl::KeyUp(Key, Shift); }

void TCustomGrid::KeyPress(Char& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 13 && FOptions.Contains(goEditing) && !FOptions.Contains(goAlwaysShowEditor) &&
      !FOptions.Contains(goRowSelect)) {
    if (FEditorMode)
      HideEditor();
    else
      ShowEditor();
    Key = 0;
  }
}

void TCustomGrid::WMChar(TMessage& M) {
  const Char ch = static_cast<Char>(M.WParam);
  if (FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && (ch == 8 || ch >= 32)) {
    ShowEditorChar(ch);
    return;
  }
  TCustomControl::WMChar(M);
}

// --- Mouse -----------------------------------------------------------------------------------------

void TCustomGrid::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                  Integer& SizingOfs) {
  State = gsNormal;
  Index = -1;
  const TAxis ca = ColAxis(), ra = RowAxis();
  const bool inFixedRows = Y >= 0 && Y < ra.FixedExtent() && Y < ra.Extent;
  const bool inFixedCols = X >= 0 && X < ca.FixedExtent() && X < ca.Extent;
  // The border nearest the pointer among the visible normal columns (rows), the rightmost
  // (lowest) one winning a tie, so a column dragged to nothing can be grown again.
  auto nearest = [](const TAxis& a, Integer p, Integer& border) {
    Integer best = -1, bestDist = kSizingReach;
    Integer pos = a.FixedExtent();
    for (Integer i = a.First; i < a.Count && pos < a.Extent; ++i) {
      const Integer edge = pos + a.Size(i);
      const Integer d = std::abs(p - edge);
      if (d < kSizingReach && d <= bestDist) {
        best = i;
        bestDist = d;
        border = edge;
      }
      pos += a.Step(i);
    }
    return best;
  };
  Integer border = 0;
  if (FOptions.Contains(goColSizing) && inFixedRows) {
    const Integer i = nearest(ca, X, border);
    if (i >= 0) {
      State = gsColSizing;
      Index = i;
      SizingPos = border;
      SizingOfs = X - border;
      return;
    }
  }
  if (FOptions.Contains(goRowSizing) && inFixedCols) {
    const Integer i = nearest(ra, Y, border);
    if (i >= 0) {
      State = gsRowSizing;
      Index = i;
      SizingPos = border;
      SizingOfs = Y - border;
    }
  }
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (!HasState(csDesigning) && !Focused() && CanFocus()) SetFocus();
  if (Button == mbLeft) {
    const TGridCoord c = MouseCoord(X, Y);
    const bool normal = c.X >= FFixedCols && c.Y >= FFixedRows;
    if (Shift.Contains(ssDouble)) {
      DblClick();
      if (FOptions.Contains(goEditing) && normal && c == FCurrent) ShowEditor();
    } else {
      TGridState st = gsNormal;
      Integer index = -1, pos = 0, ofs = 0;
      CalcSizingState(X, Y, st, index, pos, ofs);
      if (st == gsColSizing || st == gsRowSizing) {
        FGridState = st;
        FSizingIndex = index;
        FSizingPos = pos;
        FSizingOfs = ofs;
        Update();
        DrawSizingLine();
      } else if (c.X >= 0 && c.Y >= 0) {
        if (FOptions.Contains(goColMoving) && c.Y < FFixedRows && c.X >= FFixedCols) {
          FGridState = gsColMoving;
          FMoveIndex = FMovePos = c.X;
          Update();
          DrawMoveMark();
          StartTimer();
        } else if (FOptions.Contains(goRowMoving) && c.X < FFixedCols && c.Y >= FFixedRows) {
          FGridState = gsRowMoving;
          FMoveIndex = FMovePos = c.Y;
          Update();
          DrawMoveMark();
          StartTimer();
        } else if (normal) {
          if (FOptions.Contains(goEditing) && c == FCurrent && !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl)) {
            ShowEditor();
          } else {
            FGridState = gsSelecting;
            StartTimer();
            const bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
            MoveCurrent(c.X, c.Y, !extend, false);
          }
        }
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::DragTo(Integer X, Integer Y) {
  switch (FGridState) {
    case gsSelecting: {
      const TGridCoord c = MouseCoord(X, Y);
      if (c.X >= FFixedCols && c.Y >= FFixedRows && c != FCurrent)
        MoveCurrent(c.X, c.Y, !FOptions.Contains(goRangeSelect), false);
      break;
    }
    case gsColSizing:
    case gsRowSizing: {
      const bool cols = FGridState == gsColSizing;
      const TAxis a = cols ? ColAxis() : RowAxis();
      const Integer start = a.StartOf(FSizingIndex);
      Integer pos = (cols ? X : Y) - FSizingOfs;
      if (start != TAxis::NotLaidOut) pos = std::max(pos, start);
      if (pos == FSizingPos) break;
      DrawSizingLine();
      FSizingPos = pos;
      DrawSizingLine();
      break;
    }
    case gsColMoving:
    case gsRowMoving: {
      const bool cols = FGridState == gsColMoving;
      const TAxis a = cols ? ColAxis() : RowAxis();
      const Integer p = cols ? X : Y;
      Integer target = a.IndexAt(p);
      if (target < 0) {
        // Past the last laid-out index: the last one that shows; before the start: the first.
        target = a.First;
        if (p >= 0)
          for (Integer i = a.First, pos = a.FixedExtent(); i < a.Count && pos < a.Extent; pos += a.Step(i), ++i)
            target = i;
      }
      if (target < a.Fixed) target = a.First;
      target = std::clamp(target, a.Fixed, a.Count - 1);
      if (target == FMovePos) break;
      DrawMoveMark();
      FMovePos = target;
      DrawMoveMark();
      break;
    }
    default: break;
  }
}

void TCustomGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  DragTo(X, Y);
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft) EndDrag(true, X, Y);
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::EndDrag(bool Apply, Integer X, Integer Y) {
  // The release point counts as the last move of the drag.
  if (Apply) DragTo(X, Y);
  const TGridState state = FGridState;
  switch (state) {
    case gsSelecting:
      StopTimer();
      FGridState = gsNormal;
      if (Apply) {
        UpdateEdit();
        Click();
      }
      break;
    case gsColSizing:
    case gsRowSizing: {
      DrawSizingLine();
      FGridState = gsNormal;
      if (!Apply) break;
      const bool cols = state == gsColSizing;
      const TAxis a = cols ? ColAxis() : RowAxis();
      const Integer start = a.StartOf(FSizingIndex);
      if (start == TAxis::NotLaidOut) break;
      const Integer size = std::max<Integer>(0, FSizingPos - start);
      if (cols)
        SetColWidths(FSizingIndex, size);
      else
        SetRowHeights(FSizingIndex, size);
      break;
    }
    case gsColMoving:
    case gsRowMoving:
      DrawMoveMark();
      StopTimer();
      FGridState = gsNormal;
      if (Apply && FMovePos != FMoveIndex) {
        if (state == gsColMoving)
          MoveColumn(FMoveIndex, FMovePos);
        else
          MoveRow(FMoveIndex, FMovePos);
      }
      break;
    default: break;
  }
}

void TCustomGrid::WMCancelMode(TMessage& M) {
  (void)M;
  EndDrag(false, 0, 0);
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
}

void TCustomGrid::DblClick() { TCustomControl::DblClick(); }

// --- Timer 1 ---------------------------------------------------------------------------------------

void TCustomGrid::StartTimer() {
  if (HandleAllocated() && SetTimer(Handle(), kDragTimer, kDragTimerMs)) FTimerRunning = true;
}

void TCustomGrid::StopTimer() {
  if (FTimerRunning && HandleAllocated()) KillTimer(Handle(), kDragTimer);
  FTimerRunning = false;
}

void TCustomGrid::WMTimer(TMessage& M) {
  if (M.WParam == kDragTimer) {
    AutoScrollTick();
    return;
  }
  DefaultHandler(M);
}

void TCustomGrid::AutoScrollTick() {
  if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving) {
    StopTimer();
    return;
  }
  const TPoint p = ScreenToClient(GetCursorPos());
  const TAxis ca = ColAxis(), ra = RowAxis();
  const Integer fixedW = ca.FixedExtent(), fixedH = ra.FixedExtent();
  Integer left = FTopLeft.X, top = FTopLeft.Y;
  if (FGridState != gsRowMoving) {
    if (p.X < fixedW && left > FFixedCols) --left;
    if (p.X >= ca.Extent && left < ca.MaxFirst()) ++left;
  }
  if (FGridState != gsColMoving) {
    if (p.Y < fixedH && top > FFixedRows) --top;
    if (p.Y >= ra.Extent && top < ra.MaxFirst()) ++top;
  }
  MoveTopLeft(left, top);
  // The drag follows the pointer held inside the scrolling part of the client area.
  const Integer x = std::clamp(p.X, std::min(fixedW, ca.Extent - 1), std::max<Integer>(0, ca.Extent - 1));
  const Integer y = std::clamp(p.Y, std::min(fixedH, ra.Extent - 1), std::max<Integer>(0, ra.Extent - 1));
  DragTo(x, y);
}

// --- Cursor ----------------------------------------------------------------------------------------

void TCustomGrid::WMSetCursor(TMessage& M) {
  if (FGridState == gsNormal) {
    TGridState st = gsNormal;
    Integer index = -1, pos = 0, ofs = 0;
    CalcSizingState(FLastMouse.X, FLastMouse.Y, st, index, pos, ofs);
    ShowCursor(st == gsColSizing ? crHSplit : st == gsRowSizing ? crVSplit : Cursor());
  }
  M.Result = 1;
}

// --- Drag marks ------------------------------------------------------------------------------------

namespace {

// Inverts a band of the client area: a line across (Vertical: from top to bottom at X = Pos).
void InvertBand(TCanvas* C, bool Vertical, Integer Pos, Integer Thickness, const TRect& Client) {
  const TPenMode oldMode = C->Pen()->Mode();
  const Integer oldWidth = C->Pen()->Width();
  const TPenStyle oldStyle = C->Pen()->Style();
  C->Pen()->SetMode(pmNot);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
  for (Integer i = 0; i < Thickness; ++i) {
    if (Vertical) {
      C->MoveTo(Pos + i, Client.Top);
      C->LineTo(Pos + i, Client.Bottom);
    } else {
      C->MoveTo(Client.Left, Pos + i);
      C->LineTo(Client.Right, Pos + i);
    }
  }
  C->Pen()->SetMode(oldMode);
  C->Pen()->SetWidth(oldWidth);
  C->Pen()->SetStyle(oldStyle);
}

}  // namespace

void TCustomGrid::DrawSizingLine() {
  FSizingLineDrawn = !FSizingLineDrawn;
  InvertBand(Canvas(), FGridState == gsColSizing, FSizingPos, 1, ClientRect());
}

void TCustomGrid::DrawMoveMark() {
  FMoveMarkDrawn = !FMoveMarkDrawn;
  const bool cols = FGridState == gsColMoving;
  const TAxis a = cols ? ColAxis() : RowAxis();
  const Integer start = a.StartOf(FMovePos);
  if (start == TAxis::NotLaidOut) return;
  // The mark stands where the moved column (row) will be: before the target when it moves back,
  // after it when it moves on.
  const Integer pos = FMovePos < FMoveIndex ? start - 1 : start + a.Size(FMovePos) - 1;
  InvertBand(Canvas(), cols, pos, 2, ClientRect());
}

void TCustomGrid::PaintDragMarks() {
  // A repaint took the marks away; drawing them again keeps every later inversion paired.
  if (FSizingLineDrawn) {
    FSizingLineDrawn = false;
    DrawSizingLine();
  }
  if (FMoveMarkDrawn) {
    FMoveMarkDrawn = false;
    DrawMoveMark();
  }
}

// --- Wheel -----------------------------------------------------------------------------------------

bool TCustomGrid::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  bool handled = false;
  FWheelRest += WheelDelta;
  while (FWheelRest >= WHEEL_DELTA) {
    FWheelRest -= WHEEL_DELTA;
    handled = DoMouseWheelUp(Shift, MousePos) || handled;
  }
  while (FWheelRest <= -WHEEL_DELTA) {
    FWheelRest += WHEEL_DELTA;
    handled = DoMouseWheelDown(Shift, MousePos) || handled;
  }
  return handled;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  if (handled) return true;
  const bool inGrid = FCurrent.X >= 0 && FCurrent.X < FColCount && FCurrent.Y >= 0;
  if (inGrid && FCurrent.Y < FRowCount - 1) SetRow(FCurrent.Y + 1);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  if (handled) return true;
  const bool inGrid = FCurrent.X >= 0 && FCurrent.X < FColCount && FCurrent.Y < FRowCount;
  if (inGrid && FCurrent.Y > FFixedRows) SetRow(FCurrent.Y - 1);
  return true;
}
