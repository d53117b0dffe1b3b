// TExStringGrid: the keyboard while the grid itself has the focus. The WM_KEYDOWN handler is the
// grid's key map; it runs before the platform grid's own key handling (which fires OnKeyDown and
// moves the current cell) and around it. KeyDown, KeyUp and KeyPress add what the grid does after
// the platform moved: row moving with Ctrl+arrows, wrapping at the edges, skipping disabled rows,
// incremental search and the Enter advance.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridSearchPanel.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace {

bool IsNavKey(Word Key) { return Key >= VK_PRIOR && Key <= VK_DOWN; }

bool IsArrowKey(Word Key) { return Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN; }

// The modifier keys as the grid reports them with OnKeyDown: Shift, Alt and Ctrl only.
TShiftState KeyShiftState() {
  const TShiftState s = KeyboardShiftState();
  return TShiftState(static_cast<Word>(s.Bits & (ssShift | ssAlt | ssCtrl)));
}

}  // namespace

// --- Helpers -------------------------------------------------------------------------------------

bool TExStringGrid::IsLastNormalRow() {
  const bool footer = FloatingFooterVisible();
  return Row() + 1 == RowCount() - FFixedFooters || (footer && Row() + 2 == RowCount());
}

void TExStringGrid::ReportKeyDown(Word Key) {
  if (!OnKeyDown) return;
  Word k = Key;
  OnKeyDown(this, k, KeyShiftState());
}

// Moves the current cell onto the base cell of the merged area it landed in.
void TExStringGrid::KeyMoveToBaseCell() {
  const TPoint bc = BaseCell(DisplayToRealCol(Col()), Row());
  const Integer dc = RealToDisplayCol(bc.X);
  if (dc != Col() || bc.Y != Row()) MoveColRow(dc, bc.Y, true, true);
}

// The selection of the row forms of Home and End: the disjunct row selection follows the new
// selection; with Shift the selection spans every column from the old row to the new one.
void TExStringGrid::KeyRowSelection(Integer OldRow, bool ShiftDown) {
  const bool disjunct = FMouseActions->DisjunctRowSelect();
  if (!ShiftDown) {
    if (disjunct) {
      ClearRowSelect();
      const TGridRect s = Selection();
      SelectRows(s.Top, s.Bottom - s.Top + 1);
    }
    return;
  }
  TGridRect r;
  r.Left = 0;
  r.Right = ColCount() - 1;
  r.Top = std::min(OldRow, Row());
  r.Bottom = std::max(OldRow, Row());
  SetSelection(r);
  if (disjunct) SelectRows(r.Top, r.Bottom - r.Top + 1);
}

// --- WM_KEYDOWN: the key map ------------------------------------------------------------------------

void TExStringGrid::WMKeyDown(TMessage& M) {
  TWMKey msg{M};
  const Word Key = msg.CharCode();
  const TShiftState shift = KeyShiftState();
  const bool ctrl = shift.Contains(ssCtrl);
  const bool shiftDown = shift.Contains(ssShift);
  const bool alt = shift.Contains(ssAlt);

  auto swallow = [&]() {
    msg.SetCharCode(0);
    M.Result = 1;
  };

  // Esc cancels a drag of cells out of the grid.
  if (Key == VK_ESCAPE && FOleDrag) {
    const TPoint p = ScreenToClient(GetCursorPos());
    OleDragFinish(p.X, p.Y, true);
    swallow();
    return;
  }

  // 1. What the key starts from.
  FMoveSelection = Selection();
  const Integer oldCol = Col();
  const Integer oldRow = Row();
  const Integer rc = DisplayToRealCol(oldCol);
  const Integer oldLeftCol = LeftCol();
  const Integer oldTopRow = TopRow();
  const bool keepScroll = (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) &&
                          Options().Contains(goRowSelect) && LeftCol() != FixedCols() &&
                          FNavigation->KeepHorizScroll();

  // 2. Scrolling without moving the current cell.
  if (FNavigation->MoveScrollOnly() &&
      (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN)) {
    const Integer vis = VisibleRowCount();
    switch (Key) {
      case VK_PRIOR:
        if (vis + FixedRows() < TopRow())
          SetTopRow(TopRow() - vis);
        else
          SetTopRow(FixedRows());
        break;
      case VK_NEXT:
        if (TopRow() + vis < RowCount()) SetTopRow(std::min(TopRow() + vis, RowCount() - 1));
        break;
      case VK_END: SetTopRow(std::max(FixedRows(), RowCount() - vis)); break;
      case VK_HOME: SetTopRow(FixedRows()); break;
      case VK_UP:
        if (TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
        break;
      case VK_DOWN:
        if (TopRow() + vis < RowCount()) SetTopRow(TopRow() + 1);
        break;
    }
    M.Result = 1;
    return;
  }

  const bool enterOrF2 = Key == VK_RETURN || Key == VK_F2;

  // 3. Editing on double click only: Enter and F2 still start editing an editable cell.
  if (FMouseActions->EditOnDblClickOnly() && enterOrF2 && !Options().Contains(goEditing)) {
    const bool old = FMouseActions->RangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    const bool editable = IsEditable(rc, Row());
    FMouseActions->SetRangeSelectAndEdit(old);
    if (editable) SetOptions(Options() << goEditing);
  }

  // 4. Range selection with editing on request.
  if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing) && enterOrF2) {
    if (!IsEditable(rc, Row())) {
      ReportKeyDown(Key);
      swallow();
      return;
    }
    SetOptions(Options() << goEditing);
    ShowInplaceEdit();
  }

  // 5. Ctrl+F focuses the search panel's edit field.
  if (Key == 'F' && ctrl && FSearchFooter->Visible() && FSearchPanel && FSearchPanel->EditControl() &&
      FSearchPanel->EditControl()->CanFocus())
    FSearchPanel->EditControl()->SetFocus();

  // 6. Enter and F2 on cells that cannot be edited here.
  bool editable = true;
  if (enterOrF2) {
    editable = IsEditable(rc, Row());
    if (Options().Contains(goEditing) && !editable) {
      ReportKeyDown(Key);
      swallow();
      return;
    }
    const String text = GetCellEx(rc, Row());
    if (GetCellTextKind(text, FEnableHTML) == ctkHtml && UpperCasePos(u"<CONTROL", text) > 0) {
      M.Result = 1;
      return;
    }
  }

  // 7. Enter or Space on a control cell (check box, radio, button).
  const bool enterNotEditable = Key == VK_RETURN && !IsEditable(rc, Row());
  if (!enterNotEditable && (Key == VK_RETURN || Key == VK_SPACE) && HasCellControl(rc, Row())) {
    bool canEdit = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
    CanEditCell(rc, Row(), canEdit);
    if (Key == VK_SPACE && HasCheckBox(rc, Row()) && (canEdit || ControlLook()->CheckAlwaysActive())) {
      ToggleCheckBox(rc, Row(), true);
      if (ShowModifiedEnabled()) {
        SetRowModified(Row(), true);
        RepaintCell(0, Row());
      }
      bool state = false;
      GetCheckBoxState(rc, DisplayRowToRealRow(Row()), state);
      CheckBoxClick(rc, Row(), state);
    } else if (Key == VK_SPACE && IsRadio(rc, Row()) && (canEdit || ControlLook()->RadioAlwaysActive())) {
      StepRadioGroup(rc, Row(), true);
      Integer idx = -1;
      GetRadioIdx(rc, Row(), idx);
      if (OnRadioClick) OnRadioClick(this, rc, Row(), idx);
    } else if (Key == VK_SPACE && HasRadioButton(rc, Row()) &&
               (canEdit || ControlLook()->RadioAlwaysActive())) {
      ToggleRadioButton(rc, Row(), true);
      if (OnRadioButtonClick) OnRadioButtonClick(this, rc, Row());
    } else if (HasButton(rc, Row()) && canEdit) {
      // The button shows pressed while the key is held; its release clicks it (KeyUp).
      PushButton(Col(), Row(), true);
      FKeyPushedButton = TPoint(Col(), Row());
    }
    RepaintCell(Col(), Row());
  }

  // 8. Home and End.
  const bool rowSelect = Options().Contains(goRowSelect);
  const THomeEndAction homeEnd = FNavigation->HomeEndKey();
  const bool shrunkToHeader = FFixedRowAlways && RowCount() == 1;
  auto restoreLeftCol = [&]() {
    if (rowSelect && FNavigation->KeepHorizScroll()) {
      BeginUpdate();
      SetLeftCol(oldLeftCol);
      EndUpdate();
    }
  };
  if ((Key == VK_HOME || Key == VK_END) && !ctrl && homeEnd == heFirstLastCell) {
    if (Key == VK_HOME)
      MoveColRow(FixedCols(), FixedRows(), true, true);
    else
      MoveColRow(ColCount() - 1, RowCount() - 1, true, true);
    KeyMoveToBaseCell();
    ReportKeyDown(Key);
    M.Result = 0;
    return;
  }
  if ((Key == VK_HOME || Key == VK_END) && !ctrl && homeEnd == heFirstLastRow && !shrunkToHeader) {
    if (Key == VK_HOME) {
      SetRow(FixedRows());
    } else {
      const bool footer = FloatingFooterVisible();
      const Integer target =
          footer && RowCount() > 2 ? RowCount() - 2 : RowCount() - FFixedFooters - 1;
      SetRow(std::max(FixedRows(), target));
      if (FFixedFooters > 0 && !footer) SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
    }
    KeyMoveToBaseCell();
    KeyRowSelection(oldRow, shiftDown);
    if (Key == VK_END && FloatingFooterVisible())
      SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
    ReportKeyDown(Key);
    M.Result = 0;
    restoreLeftCol();
    return;
  }
  if (Key == VK_HOME && ctrl && homeEnd == heFirstLastColumn) {
    SetRow(FixedRows());
    const Integer fc = FirstSelectableCol(Row());
    if (fc >= 0) SetCol(fc);
    KeyMoveToBaseCell();
    SetLeftCol(FirstNavigableCol());
    ReportKeyDown(Key);
    M.Result = 0;
    return;
  }
  if ((Key == VK_HOME || Key == VK_END) && !ctrl && homeEnd == heFirstLastColumn && !rowSelect && !shrunkToHeader) {
    if (shiftDown) {
      TGridRect r = Selection();
      const Integer to = Key == VK_HOME ? FixedCols() : ColCount() - FFixedRightCols - 1;
      r.Left = std::min(Col(), to);
      r.Right = std::max(Col(), to);
      r.Top = r.Bottom = Row();
      SetSelection(r);
      RepaintRow(Row());
    } else if (Key == VK_HOME) {
      const Integer fc = FirstSelectableCol(Row());
      if (fc >= 0) SetCol(fc);
      KeyMoveToBaseCell();
      SetLeftCol(FirstNavigableCol());
    } else {
      SetCol(ColCount() - 1);
      KeyMoveToBaseCell();
      SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
    }
    ReportKeyDown(Key);
    M.Result = 0;
    return;
  }

  // 10. Enter on a cell that cannot be edited: the form's key preview may take it.
  if (enterNotEditable) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->KeyPreview()) {
      TBaseGrid::WMKeyDown(M);
    } else {
      ReportKeyDown(Key);
      swallow();
    }
    return;
  }

  // 9. Every other key.
  // 9.1 Right and Left open and close a merged node row.
  const bool nodeRow = FNumNodes > 0 && IsNode(Row());
  if ((Key == VK_RIGHT || Key == VK_LEFT) && nodeRow && IsMergedCell(0, Row())) {
    if (Key == VK_RIGHT)
      ExpandNode(DisplayRowToRealRow(Row()));
    else
      ContractNode(DisplayRowToRealRow(Row()));
  }

  // 9.2 Left and Right in a row-selecting grid scroll the columns.
  if ((Key == VK_LEFT || Key == VK_RIGHT) && rowSelect && !nodeRow && VisibleColCount() + FixedCols() < ColCount()) {
    auto scrollOne = [&]() {
      if (Key == VK_LEFT) {
        if (LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
      } else if (LeftCol() + VisibleColCount() < ColCount()) {
        SetLeftCol(LeftCol() + 1);
      }
    };
    if (FNavigation->LeftRightRowSelect()) {
      if (ctrl) scrollOne();
    } else {
      scrollOne();
      ReportKeyDown(Key);
      M.Result = 0;
      return;
    }
  }

  // 9.3 Tab walks the cells.
  if (Key == VK_TAB && Options().Contains(goTabs)) {
    TabNavigate(shiftDown);
    const TGridRect s = Selection();
    if (!(s == FMoveSelection)) DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    return;
  }

  // 9.4.1 Fixed cells inside the grid (by the fixed-cell question) are stepped over. IsFixed takes
  // display columns.
  if (FNavigation->SkipFixedCells() && (IsArrowKey(Key))) {
    bool handled = false;
    const Integer r = Row(), c = Col();
    if (Key == VK_LEFT && c - 1 >= FixedCols() && IsFixed(c - 1, r)) {
      for (Integer i = c - 1; i >= FixedCols(); --i)
        if (!IsFixed(i, r)) {
          SetCol(i);
          break;
        }
      handled = true;
    } else if (Key == VK_RIGHT && c + 1 < ColCount() - FFixedRightCols && IsFixed(c + 1, r)) {
      for (Integer i = c + 1; i < ColCount() - FFixedRightCols; ++i)
        if (!IsFixed(i, r)) {
          SetCol(i);
          break;
        }
      handled = true;
    } else if (Key == VK_UP && r - 1 >= FixedRows() && IsFixed(c, r - 1)) {
      for (Integer i = r - 1; i >= FixedRows(); --i)
        if (!IsFixed(c, i) || rowSelect) {
          SetRow(i);
          break;
        }
      handled = true;
    } else if (Key == VK_DOWN && r + 1 < RowCount() - FFixedFooters && IsFixed(c, r + 1)) {
      for (Integer i = r + 1; i < RowCount() - FFixedFooters; ++i)
        if (!IsFixed(c, i) || rowSelect) {
          SetRow(i);
          break;
        }
      handled = true;
    }
    if (handled) {
      ReportKeyDown(Key);
      msg.SetCharCode(0);
      return;
    }
  }

  // 9.4.2 Down on the last normal row appends a row.
  if (Key == VK_DOWN && IsLastNormalRow() && FNavigation->AppendOnArrowDown()) AppendRowOnArrowDown();

  // 9.4.3 The selection rectangle follows the keys.
  if (FSelectionRectangle && !(Selection() == FMoveSelection)) {
    RepaintRect(TRect(FMoveSelection.Left, FMoveSelection.Top, FMoveSelection.Right, FMoveSelection.Bottom));
    FMoveSelection = Selection();
  }

  // 9.4.4 A visible search panel keeps the last row above it.
  const bool searchAtEnd = FSearchFooter->Visible() && TopRow() >= RowCount() - VisibleRowCount();
  const bool lastRow = Row() == RowCount() - 1;
  bool bracket = false;
  if (searchAtEnd) {
    if (Key == VK_DOWN && lastRow) {
      ScrollLastRowAboveSearchPanel();
      M.Result = 1;
      ReportKeyDown(Key);
      return;
    }
    if ((Key == VK_RIGHT && lastRow && Col() == ColCount() - 1) || (Key == VK_LEFT && lastRow && Col() == FixedCols())) {
      M.Result = 1;
      ReportKeyDown(Key);
      return;
    }
    if ((lastRow && (Key == VK_NEXT || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DOWN)) ||
        (Key != VK_SHIFT && Key != VK_MENU && !IsNavKey(Key))) {
      BeginUpdate();
      bracket = true;
    }
  }
  // 9.4.5
  if (keepScroll) BeginUpdate();

  // 9.4.6 The platform's key handling: OnKeyDown, KeyDown, the move.
  TBaseGrid::WMKeyDown(M);

  // 9.4.7
  if (searchAtEnd) {
    if (Key != VK_SHIFT && Key != VK_MENU && !IsNavKey(Key) && TopRow() != oldTopRow) SetTopRow(oldTopRow);
    if (bracket) EndUpdate();
  }
  // 9.4.8
  if (FSearchFooter->Visible() && Row() == RowCount() - 1 &&
      (Key == VK_NEXT || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DOWN))
    ScrollLastRowAboveSearchPanel();
  // 9.4.9
  if (keepScroll) {
    SetLeftCol(oldLeftCol);
    EndUpdate();
  }

  // 9.4.10 The row the disjunct selection keys act on.
  Integer R = Row();
  if (FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent()) R = DisplayRowToRealRow(R);

  // 9.4.11 Clipboard keys.
  if (FNavigation->AllowClipboardShortCuts()) {
    auto ask = [&](const TClipboardEvent& E) {
      bool allow = true;
      if (E) E(this, allow);
      return allow;
    };
    if (ctrl && !shiftDown && Key == 'X') {
      if (ask(OnClipboardCut)) CutSelectionToClipboard();
      return;
    }
    if (ctrl && !shiftDown && Key == 'V') {
      if (ask(OnClipboardPaste)) PasteSelectionFromClipboard();
      return;
    }
    if (ctrl && !shiftDown && (Key == 'C' || Key == VK_INSERT)) {
      if (ask(OnClipboardCopy)) CopySelectionToClipboard();
      return;
    }
    if (shiftDown && !ctrl && Key == VK_INSERT) {
      if (ask(OnClipboardPaste)) PasteSelectionFromClipboard();
      return;
    }
    if (shiftDown && !ctrl && Key == VK_DELETE) {
      if (ask(OnClipboardCut)) CutSelectionToClipboard();
      return;
    }
  }

  // 9.4.12 Row insertion, select-all and the rest.
  if (Key == VK_INSERT && !ctrl && !shiftDown && !alt && FNavigation->AllowInsertRow()) {
    bool canInsert = true;
    CanInsertRow(Row(), canInsert);
    if (!canInsert) return;
    const Integer curRow = Row();
    const bool filterWas = FFilterActive;
    if (filterWas) SetFilterActive(false);
    Integer insertAt = DisplayRowToRealRow(curRow);
    Integer newRow = curRow;
    if (FNavigation->InsertPosition() == pInsertAfter) {
      if (FFixedRowAlways && RowCount() == FixedRows()) {
        DoInsertRow(DisplayRowToRealRow(curRow));
        newRow = 1;
      } else if (curRow + 1 < RowCount()) {
        insertAt = DisplayRowToRealRow(curRow + 1);
        DoInsertRow(insertAt);
        newRow = curRow + 1;
      } else {
        DoInsertRow(insertAt);
      }
    } else {
      DoInsertRow(insertAt);
    }
    if (OnAutoInsertRow) OnAutoInsertRow(this, insertAt);
    SetModified(true);
    if (filterWas) SetFilterActive(true);
    if (newRow >= 0 && newRow < RowCount()) SetRow(newRow);
    CalcFooter(-1);
    return;
  }
  if (Key == 'A' && ctrl && (rowSelect || Options().Contains(goRangeSelect))) {
    TGridRect r{FirstNavigableCol(), FixedRows(), ColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1};
    if (FMouseActions->DisjunctRowSelect()) SelectRows(FixedRows(), RowCount() - FixedRows() - FFixedFooters);
    AdjustKeySelectAll(r);
    SetSelection(r);
    // The last normal cell becomes current through a click, as a user would make it current.
    FocusCell(r.Right, r.Bottom);
    const TRect cr = CellRect(r.Right, r.Bottom);
    SimulateCellClickAt(cr.Left + 2, cr.Top + 2);
    FocusCell(r.Right, r.Bottom);
    SetSelection(r);
    return;
  }

  if (IsNavKey(Key)) {
    if (FMouseActions->DisjunctRowSelect()) {
      if (!shiftDown && !ctrl) ClearRowSelect();
      if (shiftDown) {
        const TGridRect s = Selection();
        SelectRows(s.Top, s.Bottom - s.Top + 1);
      } else {
        SetRowSelect(R, true);
      }
    }
    if (FMouseActions->DisjunctColSelect()) {
      if (!shiftDown && !ctrl) ClearColSelect();
      if (shiftDown) {
        const TGridRect s = Selection();
        SelectCols(s.Left, s.Right - s.Left + 1);
      } else {
        SetColSelect(Col(), true);
      }
    }
  }
  if (Key == VK_SPACE) {
    if (FMouseActions->DisjunctRowSelect()) SetRowSelect(R, !RowSelect(R));
    if (FMouseActions->DisjunctColSelect()) SetColSelect(Col(), !ColSelect(Col()));
  }
  if (Key == VK_DELETE && !alt && FNavigation->AllowDeleteRow() &&
      RowCount() - FixedRows() - FFixedFooters >= 1) {
    const Integer realRow = DisplayRowToRealRow(Row());
    const bool filterWas = FFilterActive;
    if (filterWas) SetFilterActive(false);
    bool canDelete = true;
    if (OnCanDeleteRow) OnCanDeleteRow(this, realRow, canDelete);
    if (!canDelete) {
      if (filterWas) SetFilterActive(true);
      return;
    }
    DoDeleteRow(realRow);
    if (filterWas) SetFilterActive(true);
    if (FloatingFooterVisible() && Row() >= RowCount() - 1 && RowCount() >= 2) SetRow(RowCount() - 2);
    RememberCellValue(Col(), Row());
    SetModified(true);
    CalcFooter(-1);
  }
  if (Key == VK_TAB && Options().Contains(goTabs) && FFixedRightCols > 0 &&
      oldCol + 1 == ColCount() + NumHiddenColumns() - FFixedRightCols) {
    const Integer next = oldRow + 1 < RowCount() - FFixedFooters ? oldRow + 1 : FixedRows();
    MoveColRow(FirstNavigableCol(), next, true, true);
  }
  if (enterOrF2) {
    RememberCellValue(Col(), Row());
    if (HasHtmlControl(GetCellEx(DisplayToRealCol(Col()), Row()))) EditHtmlControl(Col(), Row(), String());
    if (Key == VK_F2) AfterF2Key();
  }
  const TGridRect s = Selection();
  if (!(s == FMoveSelection)) {
    DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    FMoveSelection = s;
  }
  (void)editable;
}

void TExStringGrid::WMKeyUp(TMessage& M) { TBaseGrid::WMKeyUp(M); }

// --- KeyDown, KeyUp, KeyPress -----------------------------------------------------------------------

void TExStringGrid::KeyDown(Word& Key, TShiftState Shift) {
  // 1. The platform's move.
  FLastKeyCell = TPoint(Col(), Row());
  const Integer oldRow = Row();
  TBaseGrid::KeyDown(Key, Shift);

  // 2.
  const TGridRect sel = Selection();
  const Integer top = std::min(sel.Top, sel.Bottom);
  const Integer bottom = std::max(sel.Top, sel.Bottom);
  const bool ctrl = Shift.Contains(ssCtrl);

  // 3., 4. Ctrl+Down and Ctrl+Up move the selected rows.
  if (ctrl && FNavigation->CursorMoveRows() && (Key == VK_DOWN || Key == VK_UP)) {
    const bool down = Key == VK_DOWN;
    if (down ? bottom < RowCount() - 1 : top > FixedRows()) {
      const Integer step = down ? 1 : -1;
      if (top == bottom) {
        if (down)
          MoveRow(oldRow, oldRow + 1);
        else
          MoveRow(oldRow, oldRow - 1);
        SetRow(oldRow + step);
      } else {
        if (down)
          MoveRows(top, top + 1, bottom - top + 1);
        else
          MoveRows(top, top - 1, bottom - top + 1);
        SetSelection(TGridRect{FixedCols(), top + step, ColCount() - 1, bottom + step});
      }
    }
  }

  // 5. Wrapping at the grid's edges.
  const TCursorAdvance adv = FNavigation->CursorAdvance();
  if (adv == caSnake || adv == caLoop) {
    const bool snake = adv == caSnake;
    if (Key == VK_LEFT && FLastKeyCell.X == FixedCols() && Col() == FLastKeyCell.X) {
      SetCol(ColCount() - FFixedRightCols - 1);
      if (snake && Row() > FixedRows()) SetRow(Row() - 1);
    } else if (Key == VK_UP && FLastKeyCell.Y == FixedRows() && Row() == FLastKeyCell.Y) {
      SetRow(RowCount() - FFixedFooters - 1);
      if (snake && Col() > FixedCols()) SetCol(Col() - 1);
    } else if (Key == VK_RIGHT && FLastKeyCell.X + 1 == ColCount()) {
      SetCol(FixedCols());
      if (snake && Row() < RowCount() - FFixedFooters - 1) SetRow(Row() + 1);
    } else if (Key == VK_DOWN && FLastKeyCell.Y + 1 == RowCount()) {
      SetRow(FixedRows());
      if (snake && Col() < ColCount() - FFixedRightCols - 1) SetCol(Col() + 1);
    }
  }

  // 6. Disabled rows are stepped over.
  if (FUseEnabledRows && FNavigation->SkipDisabledRows() && Row() == oldRow) {
    if (Key == VK_UP) {
      for (Integer r = oldRow - 1; r >= FixedRows(); --r)
        if (RowEnabled(r)) {
          SetRow(r);
          break;
        }
    } else if (Key == VK_DOWN) {
      for (Integer r = oldRow + 1; r < RowCount(); ++r)
        if (RowEnabled(r)) {
          SetRow(r);
          break;
        }
    }
  }

  // 7. The synchronised grid follows.
  SyncGridFollow();
}

void TExStringGrid::KeyUp(Word& Key, TShiftState Shift) {
  // 1. Moving keys end the incremental search; Home does not.
  if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || IsArrowKey(Key) || Key == VK_INSERT ||
      Key == VK_DELETE)
    SearchInc.clear();

  // 2.
  TGridRect noted = Selection();
  if (noted.Left > noted.Right) std::swap(noted.Left, noted.Right);
  if (noted.Top > noted.Bottom) std::swap(noted.Top, noted.Bottom);
  const Word key = Key;
  TBaseGrid::KeyUp(Key, Shift);

  // A cell button pressed with Enter or Space clicks when the key comes up.
  if (FKeyPushedButton.X >= 0) {
    const TPoint b = FKeyPushedButton;
    FKeyPushedButton = TPoint(-1, -1);
    if (b.X < ColCount() && b.Y < RowCount()) {
      PushButton(b.X, b.Y, false);
      ButtonClick(DisplayToRealCol(b.X), b.Y);
    }
  }

  const bool tabKey = key == VK_TAB && Options().Contains(goTabs);
  // 3. With AlwaysEdit the editor opens again after a move.
  if (FNavigation->AlwaysEdit() && (IsArrowKey(key) || tabKey) &&
      !HasCellControl(DisplayToRealCol(Col()), Row()))
    ShowInplaceEdit();

  // 4.
  if (IsArrowKey(key) || key == VK_TAB) {
    const TGridRect s = Selection();
    if (!(s == FMoveSelection)) DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
  }

  const bool editing = Options().Contains(goEditing);
  // 5. Shift extends the disjunct cell selection.
  if (FMouseActions->DisjunctCellSelect() && Shift.Contains(ssShift) && !editing) {
    for (Integer c = noted.Left; c <= noted.Right; ++c)
      for (Integer r = noted.Top; r <= noted.Bottom; ++r) FSelectedCells->DeleteValue(PackCell(c, r));
    const TGridRect s = Selection();
    for (Integer c = std::min(s.Left, s.Right); c <= std::max(s.Left, s.Right); ++c)
      for (Integer r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
        if ((c != Col() || r != Row()) && !FSelectedCells->HasValue(PackCell(c, r))) FSelectedCells->Add(PackCell(c, r));
    Invalidate();
  }

  // 6. Space picks cells for the disjunct cell selection.
  if (FMouseActions->DisjunctCellSelect() && key == VK_SPACE && !editing) DisjunctCellPick(Col(), Row(), Shift);
}

void TExStringGrid::KeyPress(Char& Key) {
  // 1. Esc puts back the text the cell had when editing began.
  if (Key == 27) {
    if (Options().Contains(goEditing) && FEditing) RestoreCellValue();
    if (OnKeyPress) OnKeyPress(this, Key);
    return;
  }
  const Integer rc = DisplayToRealCol(Col());
  // 2. Enter on a cell that cannot be edited.
  if (Key == 13 && !FNavigation->AdvanceOnEnter() && !IsEditable(rc, Row())) {
    if (OnKeyPress) OnKeyPress(this, Key);
    Key = 0;
    return;
  }
  // 3. Enter from an editor control, or on a control cell, advances.
  if (Key == 13 && (!Focused() || HasCellControl(rc, Row()))) {
    AdvanceCell(Col(), Row(), false, false, true, false, EditMode);
    if (!FNavigation->AdvanceAutoEdit()) {
      if (OnKeyPress) OnKeyPress(this, Key);
      Key = 0;
      return;
    }
    if (HasCellControl(DisplayToRealCol(Col()), Row())) {
      if (OnKeyPress) OnKeyPress(this, Key);
      if (FNavigation->AdvanceOnEnter()) ShowInplaceEdit();
      return;
    }
  }
  // 4. Typing in a sorted grid goes to the first row that starts with the typed text.
  if (!Options().Contains(goEditing) && FNavigation->AutoGotoWhenSorted()) {
    if (FNavigation->AutoGotoIncremental()) {
      if (Key == 8) {
        if (!SearchInc.empty()) SearchInc.pop_back();
      } else {
        SearchInc.push_back(Key);
      }
      SearchTics = 0;
    } else {
      SearchInc = String(1, Key);
    }
    const Integer found = Search(UpperCase(SearchInc));
    if (found < 0)
      SearchInc.clear();
    else
      SetRow(found);
  }
  // 5.
  TBaseGrid::KeyPress(Key);
}

// --- Appending a row with the Down key --------------------------------------------------------------

void TExStringGrid::AppendRowOnArrowDown() {
  bool canAdd = true;
  CanAddRow(canAdd);
  if (!canAdd) return;
  const bool footer = FloatingFooterVisible();
  const Integer all = AllColCount();
  if (footer) {
    // The footer stays the last row: its texts move down into the new last row.
    std::vector<String> kept(static_cast<size_t>(all));
    for (Integer c = 0; c < all; ++c) kept[static_cast<size_t>(c)] = GetGridCell(c, RowCount() - 1);
    AddRowInternal();
    const Integer r = RowCount() - 2;
    for (Integer c = 0; c < all; ++c) {
      SetGridCell(c, r, String());
      SetGridObject(c, r, nullptr);
    }
    for (Integer c = 0; c < all; ++c) SetGridCell(c, RowCount() - 1, kept[static_cast<size_t>(c)]);
  } else {
    AddRowInternal();
    const Integer r = RowCount() - 1;
    for (Integer c = 0; c < all; ++c) {
      SetGridCell(c, r, String());
      SetGridObject(c, r, nullptr);
    }
  }
  if (footer || FFixedFooters > 0) SetRow(std::min(Row() + 1, RowCount() - 1));
  if (footer) CalcFooter(-1);
  if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
}
