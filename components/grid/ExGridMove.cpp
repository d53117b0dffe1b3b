// TExStringGrid: moving whole columns and rows by dragging their header cells, dragging selected
// cells out of the grid, and the pictures shown while dragging: the header-like THeaderDragButton
// or a TNoActiveForm holding a snapshot of the cells, with four arrow windows marking the drop
// place. ColumnMoved and RowMoved keep the grid's own per-column and per-row state in step with a
// move the platform grid made.
#include <algorithm>
#include <memory>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridDragDrop.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridInput.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExOverlay.h"
#include "platform/gui/Forms.h"

// A drag of cells out of the grid while the drag loop runs it.
struct TExStringGrid::TOleDragState {
  TComPtr<TGridDropSource> Source;
};

void TExStringGrid::DeleteOleDrag() {
  TOleDragState* d = FOleDrag;
  FOleDrag = nullptr;
  delete d;
}

// --- THeaderDragButton ---------------------------------------------------------------------------

THeaderDragButton::THeaderDragButton(TComponent* AOwner) : TCustomControl(AOwner, wkPopup) {
  SetColor(clBtnFace);
  SetVisible(false);
}

void THeaderDragButton::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Invalidate();
}

void THeaderDragButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  if (FGrid) {
    FGrid->PaintCellExt(c, 0, 0, r, TGridDrawState{gdFixed});
    c->Font()->Assign(FGrid->FixedFont());
  } else {
    c->Brush()->SetColor(Color());
    c->FillRect(r);
  }
  c->SetBkMode(TRANSPARENT);
  if (Pos(u"</", FCaption) == 0) {
    DrawText(c, FCaption, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    return;
  }
  String anchor, plain, focused, title, ctrlID, ctrlVal, ctrlType;
  Integer maxW = 0, totalH = 0, count = 0, idx = -1;
  TRect anchorRect, ctrlRect;
  TRect hr = r;
  hr.Left += 2;
  hr.Top += 2;
  DrawHtmlText(c, FCaption, hr, FGrid ? FGrid->GridImages() : nullptr, 0, 0, -1, -1, 1, false, false, false, false,
               true, false, false, false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focused, title, maxW,
               totalH, count, idx, anchorRect, ctrlRect, ctrlID, ctrlVal, ctrlType, nullptr, nullptr, Handle(), 0);
}

// --- TNoActiveForm -----------------------------------------------------------------------------------

TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TCustomControl(AOwner, wkPopup) { SetVisible(false); }

TNoActiveForm::~TNoActiveForm() = default;

void TNoActiveForm::ShowNoActivate() {
  SetVisible(true);
  BringToFront();
  // The snapshot shows see-through, so the cells under the drag stay readable.
  if (HandleAllocated() && FAlphaBlendValue < 255)
    SetLayeredWindowAttributes(Handle(), 0, FAlphaBlendValue, LWA_ALPHA);
}

void TNoActiveForm::Paint() {
  if (FImage.Empty()) return;
  Canvas()->Draw(0, 0, &FImage);
}

void TNoActiveForm::Dispatch(TMessage& Message) {
  // The window never becomes the active one: a click on it does not activate it.
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = 3;
    return;
  }
  if (Message.Msg == WM_ACTIVATE) {
    TCustomControl::Dispatch(Message);
    Message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(Message);
}

// --- Snapshots of cells ---------------------------------------------------------------------------------

TNoActiveForm* TExStringGrid::SelectionToForm(TGridRect ARect) {
  // 1. The grid as it shows.
  PaintIfNeeded();
  TBitmap* whole = BackingImage();
  // 2. The corner cells by the column widths and row heights.
  TRect first = RawCellRect(ARect.Left, ARect.Top);
  TRect last = RawCellRect(ARect.Right, ARect.Bottom);
  if (last.Left < first.Left) std::swap(first, last);
  if (last.Bottom < first.Top) {
    std::swap(first.Top, last.Top);
    std::swap(first.Bottom, last.Bottom);
  }
  // 3.
  const Integer w = std::max<Integer>(1, last.Right - first.Left + 1);
  const Integer h = std::max<Integer>(1, last.Bottom - first.Top + 1);
  auto* form = new TNoActiveForm(this);
  TBitmap* bmp = form->Image();
  bmp->SetSize(w, h);
  const TRect src(first.Left + 1, first.Top + 1, last.Right + 2, last.Bottom + 2);
  bmp->Canvas()->CopyRect(TRect(0, 0, src.Width(), src.Height()), whole->Canvas(), src);
  // 4. A snapshot from the grid's left or top edge keeps the fixed line there.
  TCanvas* c = bmp->Canvas();
  c->Pen()->SetColor(FGridFixedLineColor);
  c->Pen()->SetWidth(1);
  if (ARect.Left == 0 && FixedCols() > 0 && Options().Contains(goFixedVertLine)) {
    c->MoveTo(0, 0);
    c->LineTo(0, h);
  }
  if (ARect.Top == 0 && FixedRows() > 0 && Options().Contains(goFixedHorzLine)) {
    c->MoveTo(0, 0);
    c->LineTo(w, 0);
  }
  // 5.
  form->SetBounds(0, 0, w, h);
  form->SetAlphaBlendValue(192);
  return form;
}

// --- The arrows -------------------------------------------------------------------------------------

TColor TExStringGrid::ArrowColor() const { return ArwU ? ArwU->Color() : clLime; }

void TExStringGrid::SetArrowColor(TColor Value) {
  for (TArrowWindow* a : {ArwU, ArwD, ArwL, ArwR})
    if (a) a->SetColor(Value);
}

void TExStringGrid::HideMoveArrows() {
  for (TArrowWindow* a : {ArwU, ArwD, ArwL, ArwR})
    if (a && a->Visible()) a->SetVisible(false);
}

void TExStringGrid::ShowArrow(TArrowWindow* Arrow, Integer X, Integer Y, bool Show) {
  if (!Arrow) return;
  TControl* c = Arrow;
  if (Show) {
    c->SetBounds(X, Y, c->Width(), c->Height());
    if (!c->Visible()) c->SetVisible(true);
  } else if (c->Visible()) {
    c->SetVisible(false);
  }
}

void TExStringGrid::FreeMoveImage() {
  if (!FMoveImage) return;
  TNoActiveForm* f = FMoveImage;
  FMoveImage = nullptr;
  delete f;
}

// --- The move while the mouse moves ---------------------------------------------------------------------

void TExStringGrid::RowColMoveStep(Integer X, Integer Y) {
  const bool colMoving = FGridState == gsColMoving;
  const bool rowMoving = FGridState == gsRowMoving;
  if ((!colMoving && !rowMoving) || HasState(csDesigning)) return;

  // 1. The application may cancel the move.
  bool allow = true;
  if (colMoving && OnColumnMove) OnColumnMove(this, Movecell, allow);
  if (rowMoving && OnRowMove) OnRowMove(this, Movecell, allow);
  if (!allow) {
    CancelRowColMove();
    return;
  }

  // 2.
  if (RowCount() <= 1 || (X == Clickposx && Y == Clickposy) || !FEnhRowColMove || FSizingFixed || FSizingFixedR)
    return;
  allow = true;
  if (!FMoveBlockFocus) {
    FMoveBlockFocus = true;
    StartBlockFocus();
  }

  Integer mc = -1, mr = -1;
  MouseToCell(X, Y, mc, mr);
  const bool showCells = FDragDropSettings && FDragDropSettings->ShowCells();

  // 3., 4. The picture of what moves.
  if (colMoving && Movecell >= FixedCols() && mr >= 0) {
    if (showCells && !FMoveImage) {
      FMoveImage = SelectionToForm(TGridRect{Movecell, 0, Movecell, TopRow() + VisibleRowCount() - FixedRows()});
      FMoveImage->ShowNoActivate();
    }
    if (MoveButton) {
      MoveButton->SetCaption(GetCellEx(DisplayToRealCol(Movecell), 0));
      MoveButton->SetBounds(MoveButton->Left(), MoveButton->Top(), ColWidths(Movecell), RowHeights(mr));
      MoveButton->Repaint();
    }
  } else if (rowMoving && Movecell >= FixedRows() && mc >= 0) {
    if (showCells && !FMoveImage) {
      FMoveImage = SelectionToForm(TGridRect{0, Movecell, LeftCol() + VisibleColCount() - FixedCols(), Movecell});
      FMoveImage->ShowNoActivate();
    }
    if (MoveButton) {
      MoveButton->SetCaption(GetCellEx(0, Movecell));
      MoveButton->SetBounds(MoveButton->Left(), MoveButton->Top(), ColWidths(mc), RowHeights(Movecell));
      MoveButton->Repaint();
    }
  }

  // 5. The picture follows the pointer, keeping the press offset.
  const TPoint sp = ClientToScreen(TPoint(X - MoveOfsX, Y - MoveOfsY));
  if (showCells && FMoveImage)
    FMoveImage->SetBounds(sp.X, sp.Y, FMoveImage->Width(), FMoveImage->Height());
  else if (MoveButton)
    MoveButton->SetBounds(sp.X, sp.Y, MoveButton->Width(), MoveButton->Height());

  // 6. The column arrows mark where the column goes.
  if (colMoving) {
    const Integer target = FMoveColInd;
    const bool visibleNormal = target >= FixedCols() && target >= LeftCol() && target < LeftCol() + VisibleColCount() &&
                               target < ColCount();
    if (visibleNormal) {
      const TRect cr = CellRect(target, 0);
      const Integer x = target < Movecell ? cr.Left : cr.Left + ColWidths(target);
      const TPoint bottom = ClientToScreen(TPoint(x - 5, cr.Bottom));
      const TPoint top = ClientToScreen(TPoint(x - 5, cr.Top - 8));
      ShowArrow(ArwU, bottom.X, bottom.Y, true);
      ShowArrow(ArwD, top.X, top.Y, true);
    } else {
      ShowArrow(ArwU, 0, 0, false);
      ShowArrow(ArwD, 0, 0, false);
    }
    FMoveColInd = mc;
    FMoveRowInd = 0;
    if (OnColumnMoving) OnColumnMoving(this, mc, allow);
  }
  // 7. The row arrows.
  if (rowMoving) {
    const Integer target = FMoveRowInd;
    const bool footerRow = FloatingFooterVisible() && target == RowCount() - 1;
    if (!footerRow) {
      const bool visibleNormal = target >= FixedRows() && target >= TopRow() &&
                                 target < TopRow() + VisibleRowCount() && target < RowCount();
      if (visibleNormal) {
        const TRect cr = CellRect(0, target);
        const Integer y = target < Movecell ? cr.Top : cr.Top + RowHeights(target);
        const TPoint left = ClientToScreen(TPoint(cr.Left - 10, y - 5));
        const TPoint right = ClientToScreen(TPoint(cr.Right, y - 5));
        ShowArrow(ArwL, left.X, left.Y, true);
        ShowArrow(ArwR, right.X, right.Y, true);
      } else {
        ShowArrow(ArwL, 0, 0, false);
        ShowArrow(ArwR, 0, 0, false);
      }
    }
    FMoveColInd = 0;
    FMoveRowInd = mr;
    if (OnRowMoving) OnRowMoving(this, mr, allow);
  }

  // 8. The grid scrolls when the pointer leaves the scrolling part.
  if (colMoving && VisibleColCount() + FixedCols() < ColCount()) {
    if (X < FixedColsWidth() && LeftCol() > FixedCols()) {
      SetLeftCol(LeftCol() - 1);
      Repaint();
    } else if (X > Width() && LeftCol() + VisibleColCount() < ColCount()) {
      SetLeftCol(LeftCol() + 1);
      Repaint();
    }
  }
  if (rowMoving && VisibleRowCount() + FixedRows() < RowCount()) {
    if (Y < FixedRowsHeight() && TopRow() > FixedRows()) {
      SetTopRow(TopRow() - 1);
      Repaint();
    } else if (Y > Height() && TopRow() + VisibleRowCount() < RowCount()) {
      SetTopRow(TopRow() + 1);
      Repaint();
    }
  }

  // 9. The header picture shows when the cells are not shown.
  if (MoveButton && !MoveButton->Visible() && !showCells) {
    if (!MoveButton->Enabled()) MoveButton->SetEnabled(true);
    MoveButton->SetVisible(true);
    MoveButton->BringToFront();
  }

  // 10.
  if (Screen) Screen->SetCursor(allow ? crDrag : crNoDrop);
}

void TExStringGrid::CancelRowColMove() {
  if (MoveButton) {
    MoveButton->SetEnabled(false);
    MoveButton->SetVisible(false);
  }
  FreeMoveImage();
  HideMoveArrows();
  if (FMoveBlockFocus) {
    FMoveBlockFocus = false;
    EndBlockFocus();
  }
  if (Screen) Screen->SetCursor(crDefault);
  if (HandleAllocated()) KillTimer(Handle(), 1);
  FGridState = gsNormal;
}

bool TExStringGrid::EndRowColMove(Integer X, Integer Y) {
  const TCursor sc = Screen ? Screen->Cursor() : crDefault;
  const bool moving = FGridState == gsColMoving || FGridState == gsRowMoving;
  if (!moving || !FEnhRowColMove || (sc != crDrag && sc != crNoDrop)) return false;
  const bool colMoving = FGridState == gsColMoving;
  // 1.
  if (MoveButton) {
    MoveButton->SetEnabled(false);
    MoveButton->SetVisible(false);
  }
  FreeMoveImage();
  if (FMoveBlockFocus) {
    FMoveBlockFocus = false;
    EndBlockFocus();
  }
  if (Screen) Screen->SetCursor(crDefault);
  Integer mc = -1, mr = -1;
  MouseToCell(X, Y, mc, mr);
  // 4. The platform grid does not finish this drag itself.
  if (HandleAllocated()) KillTimer(Handle(), 1);
  FGridState = gsNormal;
  if (sc == crNoDrop) {
    // 2.
    if (colMoving)
      RepaintRow(0);
    else
      RepaintCol(0);
  } else if (colMoving) {
    // 3.
    if (mc >= FixedCols() && mc < ColCount() && mc != Movecell) MoveColumn(Movecell, mc);
  } else if (mr >= FixedRows() && mr < RowCount() && mr != Movecell) {
    MoveRow(Movecell, mr);
  }
  Invalidate();
  return true;
}

// --- ColumnMoved, RowMoved --------------------------------------------------------------------------------

void TExStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  // 1. The column order follows by real index.
  const Integer realFrom = DisplayToRealCol(FromIndex);
  const Integer realTo = DisplayToRealCol(ToIndex);
  if (realFrom < FColumnOrder->Count() && realTo < FColumnOrder->Count()) {
    const Integer v = FColumnOrder->Items(realFrom);
    FColumnOrder->Delete(realFrom);
    FColumnOrder->Insert(realTo, v);
  }
  // 2. The width travels with the column; hidden columns keep their place in the map.
  if (FEnhRowColMove) {
    const Integer w = ColWidths(FromIndex);
    if (FromIndex < ToIndex)
      for (Integer c = FromIndex; c < ToIndex; ++c) SetColWidths(c, ColWidths(c + 1));
    else
      for (Integer c = FromIndex; c > ToIndex; --c) SetColWidths(c, ColWidths(c - 1));
    SetColWidths(ToIndex, w);
    if (FNumHidden > 0) {
      const Integer all = std::min(AllColCount(), MaxGridColumns);
      if (realFrom < all && realTo < all) {
        const bool vis = FVisibleCol[realFrom];
        const int16_t aw = FAllColWidths[realFrom];
        if (realFrom < realTo) {
          for (Integer c = realFrom; c < realTo; ++c) {
            FVisibleCol[c] = FVisibleCol[c + 1];
            FAllColWidths[c] = FAllColWidths[c + 1];
          }
        } else {
          for (Integer c = realFrom; c > realTo; --c) {
            FVisibleCol[c] = FVisibleCol[c - 1];
            FAllColWidths[c] = FAllColWidths[c - 1];
          }
        }
        FVisibleCol[realTo] = vis;
        FAllColWidths[realTo] = aw;
      }
    }
    ColMoveFlg = true;
  }
  // 3. The platform moves the cells (by real index when columns are hidden).
  if (FNumHidden == 0)
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
  else
    TBaseGrid::ColumnMoved(realFrom, realTo);
  // 4. The rows held aside by row hiding move their cells the same way.
  for (Integer i = 0; i < FGridItems->Count(); ++i) {
    auto* item = static_cast<TGridItem*>(FGridItems->Items(i));
    if (!item || realFrom >= item->CellCount() || realTo >= item->CellCount()) continue;
    item->MoveCell(realFrom, realTo);
  }
  // 5. The sort state follows its column.
  auto follow = [&](Integer c) {
    if (c == realFrom) return realTo;
    if (realFrom < realTo && c > realFrom && c <= realTo) return c - 1;
    if (realFrom > realTo && c >= realTo && c < realFrom) return c + 1;
    return c;
  };
  if (FSortSettings) {
    if (FSortSettings->Column() >= 0) FSortSettings->SetColumn(follow(FSortSettings->Column()));
    if (FSortSettings->IndexShow()) {
      for (Integer i = 0; i < FSortIndexes->Count(); ++i) {
        const Integer v = FSortIndexes->Items(i);
        const Integer c = v & 0xFFFF;
        FSortIndexes->SetItems(i, static_cast<Integer>((static_cast<uint32_t>(v) & 0xFFFF0000u) |
                                                       static_cast<uint32_t>(follow(c))));
      }
    }
  }
  // 6. The current column follows.
  Integer newCol = Col();
  if (Col() == FromIndex)
    newCol = ToIndex;
  else if (FromIndex < ToIndex && Col() > FromIndex && Col() <= ToIndex)
    newCol = Col() - 1;
  else if (FromIndex > ToIndex && Col() >= ToIndex && Col() < FromIndex)
    newCol = Col() + 1;
  if (newCol != Col()) {
    FForceSel = true;
    MoveColRow(newCol, Row(), true, false);
    FForceSel = false;
  }
  // 7.
  if (FloatingFooterVisible() && FFooterPanel) FFooterPanel->Invalidate();
  // 8. A synchronised grid moves the same columns.
  auto* other = FSyncGrid ? dynamic_cast<TExStringGrid*>(FSyncGrid->Grid()) : nullptr;
  if (other && FSyncGrid->MoveColumn() && !FSyncedMove && FromIndex < other->ColCount() &&
      ToIndex < other->ColCount()) {
    other->FSyncedMove = true;
    other->MoveColumn(FromIndex, ToIndex);
    other->FSyncedMove = false;
  }
}

void TExStringGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
  // 1. Nothing goes below the footer row.
  if (FloatingFooterVisible() && FFloatingFooter->FooterStyle() == fsFixedLastRow && ToIndex == RowCount() - 1)
    return;
  // 2. The platform moves the cells without telling; the height travels with the row.
  TMovedEvent moved = OnRowMoved;
  OnRowMoved = nullptr;
  try {
    TBaseGrid::RowMoved(FromIndex, ToIndex);
  } catch (...) {
    OnRowMoved = moved;
    throw;
  }
  if (FEnhRowColMove) {
    const Integer h = RowHeights(FromIndex);
    if (FromIndex < ToIndex)
      for (Integer r = FromIndex; r < ToIndex; ++r) SetRowHeights(r, RowHeights(r + 1));
    else
      for (Integer r = FromIndex; r > ToIndex; --r) SetRowHeights(r, RowHeights(r - 1));
    SetRowHeights(ToIndex, h);
    ColMoveFlg = true;
  }
  // 3.
  OnRowMoved = moved;
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
  // 4.
  auto* other = FSyncGrid ? dynamic_cast<TExStringGrid*>(FSyncGrid->Grid()) : nullptr;
  if (other && FSyncGrid->MoveRow() && !FSyncedMove && FromIndex < other->RowCount() && ToIndex < other->RowCount()) {
    other->FSyncedMove = true;
    other->MoveRow(FromIndex, ToIndex);
    other->FSyncedMove = false;
  }
}

// --- Dragging cells out of the grid ----------------------------------------------------------------------

void TExStringGrid::OleDragStartStep(Integer X, Integer Y, TShiftState Shift) {
  Integer mc = -1, mr = -1;
  MouseToCell(X, Y, mc, mr);
  // 1.
  if (!FSelectionClick || mc < 0 || mr < 0 || !Shift.Contains(ssLeft)) return;
  if (std::abs(X - Clickposx) <= 3 && std::abs(Y - Clickposy) <= 3) return;
  if (!FDragDropSettings || !FDragDropSettings->OleDropSource() || FGridState == gsColSizing || IsInResizeGrip(X, Y))
    return;
  FSelectionClick = false;
  Integer pc = -1, pr = -1;
  MouseToCell(Clickposx, Clickposy, pc, pr);
  if (pc < 0 || pr < 0) return;
  const Integer realCol = DisplayToRealCol(pc);
  // 2.
  bool allow = true;
  if (FDragDropSettings->OleColumnsOnly() && pr >= FixedRows()) allow = false;
  if (allow && OnOleDrag) OnOleDrag(this, pr, realCol, GetCellEx(realCol, pr), allow);
  // 3.
  if (!allow) {
    if (FGridState == gsNormal) FGridState = gsSelecting;
    return;
  }
  // 4.
  DeleteOleDrag();
  FOleDrag = new TOleDragState();
  TComPtr<TGridDropSource> source(new TGridDropSource(this));
  FOleDrag->Source = source;
  const bool columnDrag = pr < FixedRows() && FDragDropSettings->OleColumnDragDrop();
  if (OnOleDragStart) OnOleDragStart(this, pr, realCol);
  StartBlockFocus();
  // 5. The picture of the dragged cells; the drop source moves it with the pointer and frees it
  // when the drag ends.
  const bool showCells = FDragDropSettings->ShowCells();
  if (showCells && !FMoveImage) {
    const TGridRect s = Selection();
    TGridRect r;
    if (FDragDropSettings->OleColumnDragDrop())
      r = TGridRect{pc, 0, pc, VisibleRowCount()};
    else
      r = TGridRect{std::max(s.Left, LeftCol()), std::max(s.Top, TopRow()),
                    std::min(s.Right, LeftCol() + VisibleColCount()), std::min(s.Bottom, TopRow() + VisibleRowCount())};
    const bool shown = FShowSelection;
    FShowSelection = false;
    TNoActiveForm* image = SelectionToForm(r);
    FShowSelection = shown;
    const TPoint sp = ClientToScreen(TPoint(X, Y));
    image->SetBounds(sp.X, sp.Y, image->Width(), image->Height());
    image->ShowNoActivate();
    source->SetDragImage(image);
  }
  // After the drag loop: the pictures and markers go, and the press that started the drag is over
  // (the loop took its release).
  auto dragEnded = [this] {
    DeleteOleDrag();
    FreeMoveImage();
    if (MoveButton && MoveButton->Visible()) MoveButton->SetVisible(false);
    if (ArwD) ArwD->SetVisible(false);
    if (ArwU) ArwU->SetVisible(false);
    EndBlockFocus();
    EndPressState();
  };
  const Integer okEffects = static_cast<Integer>(DROPEFFECT_COPY | DROPEFFECT_MOVE);
  Integer effect = 0;
  if (columnDrag) {
    // 6. A header with column dragging drags the column.
    if (!showCells && MoveButton) {
      MoveButton->SetCaption(GetCellEx(realCol, 0));
      const TPoint sp = ClientToScreen(TPoint(X, Y));
      MoveButton->SetBounds(sp.X, sp.Y, ColWidths(pc), RowHeights(0));
      MoveButton->SetEnabled(true);
      MoveButton->SetVisible(true);
      MoveButton->BringToFront();
    }
    const HRESULT result = DragDropColumn(source.Get(), realCol, okEffects, effect);
    dragEnded();
    if (result != DRAGDROP_S_CANCEL && OnOleDragStop) OnOleDragStop(this, effect);
    return;
  }
  // 7. Text with the pressed cell's rich text and, with the cell format, the binary cells.
  FDropSelection = Selection();
  std::unique_ptr<TMemoryStream> cells;
  if (FNavigation->AllowFmtClipboard()) {
    cells = std::make_unique<TMemoryStream>();
    SaveRectToBinStream(TRect(FDropSelection.Left, FDropSelection.Top, FDropSelection.Right, FDropSelection.Bottom),
                        cells.get());
  }
  const HRESULT result = DragDropText(source.Get(), SelectedText(), GetCellEx(realCol, pr), cells.get(), okEffects, effect);
  dragEnded();
  if (result == DRAGDROP_S_CANCEL) return;
  if (effect == static_cast<Integer>(DROPEFFECT_MOVE) && !FDragDropSettings->OleCopyAlways()) {
    if (FDragDropSettings->OleRemoveRows() && Options().Contains(goRowSelect)) {
      if (FMouseActions->DisjunctRowSelect())
        RemoveSelectedRows();
      else
        RemoveRows(FDropSelection.Top, FDropSelection.Bottom - FDropSelection.Top + 1);
    } else if (FMouseActions->DisjunctRowSelect()) {
      ClearSelection();
    } else {
      ClearRect(FDropSelection.Left, FDropSelection.Top, FDropSelection.Right, FDropSelection.Bottom);
    }
  }
  if (OnOleDragStop) OnOleDragStop(this, effect);
}

// The drag loop has the mouse: it follows the pointer and ends the drag on the release.
void TExStringGrid::OleDragTrack(Integer /*X*/, Integer /*Y*/) {}

// Esc while the grid has the focus cancels the drag under way; the release is the drag loop's.
bool TExStringGrid::OleDragFinish(Integer /*X*/, Integer /*Y*/, bool Cancel) {
  if (!FOleDrag) return false;
  if (Cancel && FOleDrag->Source) FOleDrag->Source->CancelDrag();
  return true;
}

// --- The input's own objects --------------------------------------------------------------------------

void TExStringGrid::CreateInputObjects() {
  if (HasState(csDesigning) || MoveButton) return;
  MoveButton = new THeaderDragButton(this);
  MoveButton->SetGrid(this);
  MoveButton->SetEnabled(false);
  MoveButton->SetVisible(false);
}

void TExStringGrid::FreeInputObjects() {
  if (FOleDrag && GetCaptureControl() == this) SetCaptureControl(nullptr);
  DeleteOleDrag();
  FreeMoveImage();
  StopDragTimer();
  TScrollControl* v = vscrlctrl;
  TScrollControl* h = hscrlctrl;
  vscrlctrl = nullptr;
  hscrlctrl = nullptr;
  delete v;
  delete h;
  THeaderDragButton* b = MoveButton;
  MoveButton = nullptr;
  delete b;
}
