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

// The key map in its order. A step that answers true has ended the key; the rest run on.
void TExStringGrid::WMKeyDown(TMessage& M) {
  TKeyPress K;
  K.Key = TWMKey{M}.CharCode();
  const TShiftState shift = KeyShiftState();
  K.Ctrl = shift.Contains(ssCtrl);
  K.Shift = shift.Contains(ssShift);
  K.Alt = shift.Contains(ssAlt);

  if (KeyCancelsOleDrag(K, M)) return;
  KeyNoteStart(K);
  if (KeyScrollsOnly(K, M)) return;
  if (KeyStartsRangeEdit(K, M)) return;
  KeyFocusesSearchPanel(K);
  if (KeyRefusedByCell(K, M)) return;
  K.EnterNotEditable = K.Key == VK_RETURN && !IsEditable(K.RealCol, Row());
  if (!K.EnterNotEditable) KeyOnControlCell(K);
  K.RowSelect = Options().Contains(goRowSelect);
  if (KeyHomeEnd(K, M)) return;
  if (K.EnterNotEditable) {
    KeyEnterOnUneditableCell(K, M);
    return;
  }
  K.NodeRow = FNumNodes > 0 && IsNode(Row());
  KeyOnNodeRow(K);
  if (KeyScrollsRowSelectColumns(K, M)) return;
  if (KeyWalksTab(K)) return;
  if (KeySkipsFixedCells(K, M)) return;
  if (KeyMovesCell(K, M)) return;
  if (KeyOnClipboard(K)) return;
  if (KeyInsertsRow(K)) return;
  if (KeySelectsAll(K)) return;
  KeyDisjunctSelection(K);
  if (!KeyDeletesRow(K)) return;
  KeyTabPastFixedRightCols(K);
  KeyAfterEnterOrF2(K);
  KeyReportSelectionChange();
}

// Ends the key as handled: no character follows and the platform does not move.
void TExStringGrid::SwallowKey(TMessage& M) {
  TWMKey{M}.SetCharCode(0);
  M.Result = 1;
}

// Esc cancels a drag of cells out of the grid.
bool TExStringGrid::KeyCancelsOleDrag(const TKeyPress& K, TMessage& M) {
  if (K.Key != VK_ESCAPE || !FOleDrag) return false;
  const TPoint p = ScreenToClient(GetCursorPos());
  OleDragFinish(p.X, p.Y, true);
  SwallowKey(M);
  return true;
}

// What the key starts from: the selection, the cell and the scroll position; whether a row
// selecting grid keeps its columns scrolled as they are.
void TExStringGrid::KeyNoteStart(TKeyPress& K) {
  FMoveSelection = Selection();
  K.OldCol = Col();
  K.OldRow = Row();
  K.RealCol = DisplayToRealCol(K.OldCol);
  K.OldLeftCol = LeftCol();
  K.OldTopRow = TopRow();
  K.KeepScroll = (K.Key == VK_PRIOR || K.Key == VK_NEXT || K.Key == VK_UP || K.Key == VK_DOWN) &&
                 Options().Contains(goRowSelect) && LeftCol() != FixedCols() && FNavigation->KeepHorizScroll();
}

// Scrolling without moving the current cell (MoveScrollOnly): the page keys, Home, End, Up, Down.
bool TExStringGrid::KeyScrollsOnly(const TKeyPress& K, TMessage& M) {
  const Word Key = K.Key;
  if (!FNavigation->MoveScrollOnly() ||
      !(Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN))
    return false;
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
  return true;
}

// Enter and F2 start editing where the grid edits only on double click or on request in a range
// selection; a cell that cannot be edited swallows them.
bool TExStringGrid::KeyStartsRangeEdit(const TKeyPress& K, TMessage& M) {
  if (K.Key != VK_RETURN && K.Key != VK_F2) return false;
  if (FMouseActions->EditOnDblClickOnly() && !Options().Contains(goEditing)) {
    const bool old = FMouseActions->RangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    const bool editable = IsEditable(K.RealCol, Row());
    FMouseActions->SetRangeSelectAndEdit(old);
    if (editable) SetOptions(Options() << goEditing);
  }
  if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing)) {
    if (!IsEditable(K.RealCol, Row())) {
      ReportKeyDown(K.Key);
      SwallowKey(M);
      return true;
    }
    SetOptions(Options() << goEditing);
    ShowInplaceEdit();
  }
  return false;
}

// Ctrl+F focuses the search panel's edit field.
void TExStringGrid::KeyFocusesSearchPanel(const TKeyPress& K) {
  if (K.Key == 'F' && K.Ctrl && FSearchFooter->Visible() && FSearchPanel && FSearchPanel->EditControl() &&
      FSearchPanel->EditControl()->CanFocus())
    FSearchPanel->EditControl()->SetFocus();
}

// Enter and F2 on a cell that cannot be edited in an editing grid, or on an HTML cell with form
// controls, end here.
bool TExStringGrid::KeyRefusedByCell(const TKeyPress& K, TMessage& M) {
  if (K.Key != VK_RETURN && K.Key != VK_F2) return false;
  const bool editable = IsEditable(K.RealCol, Row());
  if (Options().Contains(goEditing) && !editable) {
    ReportKeyDown(K.Key);
    SwallowKey(M);
    return true;
  }
  const String text = GetCellEx(K.RealCol, Row());
  if (GetCellTextKind(text, FEnableHTML) == ctkHtml && UpperCasePos(u"<CONTROL", text) > 0) {
    M.Result = 1;
    return true;
  }
  return false;
}

// Enter or Space on a control cell: Space toggles a check box, steps a radio group or chooses a
// radio button; Enter or Space presses a cell button.
void TExStringGrid::KeyOnControlCell(const TKeyPress& K) {
  const Integer rc = K.RealCol;
  if ((K.Key != VK_RETURN && K.Key != VK_SPACE) || !HasCellControl(rc, Row())) return;
  bool canEdit = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
  CanEditCell(rc, Row(), canEdit);
  const bool space = K.Key == VK_SPACE;
  if (space && HasCheckBox(rc, Row()) && (canEdit || ControlLook()->CheckAlwaysActive())) {
    ToggleCheckBox(rc, Row(), true);
    if (ShowModifiedEnabled()) {
      SetRowModified(Row(), true);
      RepaintCell(0, Row());
    }
    bool state = false;
    GetCheckBoxState(rc, DisplayRowToRealRow(Row()), state);
    CheckBoxClick(rc, Row(), state);
  } else if (space && IsRadio(rc, Row()) && (canEdit || ControlLook()->RadioAlwaysActive())) {
    StepRadioGroup(rc, Row(), true);
    Integer idx = -1;
    GetRadioIdx(rc, Row(), idx);
    if (OnRadioClick) OnRadioClick(this, rc, Row(), idx);
  } else if (space && HasRadioButton(rc, Row()) && (canEdit || ControlLook()->RadioAlwaysActive())) {
    ToggleRadioButton(rc, Row(), true);
    if (OnRadioButtonClick) OnRadioButtonClick(this, rc, Row());
  } else if (HasButton(rc, Row()) && canEdit) {
    // The button shows pressed while the key is held; its release clicks it (KeyUp).
    PushButton(Col(), Row(), true);
    FKeyPushedButton = TPoint(Col(), Row());
  }
  RepaintCell(Col(), Row());
}

// Home and End by HomeEndKey: to the first or last cell, row or column. True when one of the
// forms took the key.
bool TExStringGrid::KeyHomeEnd(const TKeyPress& K, TMessage& M) {
  if (K.Key != VK_HOME && K.Key != VK_END) return false;
  const THomeEndAction homeEnd = FNavigation->HomeEndKey();
  // A grid shrunk to its header row leaves the row and column forms to the platform.
  const bool shrunkToHeader = FFixedRowAlways && RowCount() == 1;
  if (!K.Ctrl && homeEnd == heFirstLastCell)
    KeyHomeEndCell(K);
  else if (!K.Ctrl && homeEnd == heFirstLastRow && !shrunkToHeader)
    KeyHomeEndRow(K);
  else if (K.Key == VK_HOME && K.Ctrl && homeEnd == heFirstLastColumn)
    KeyCtrlHomeFirstColumn(K);
  else if (!K.Ctrl && homeEnd == heFirstLastColumn && !K.RowSelect && !shrunkToHeader)
    KeyHomeEndColumn(K);
  else
    return false;
  M.Result = 0;
  return true;
}

// Home and End to the first or last cell of the grid.
void TExStringGrid::KeyHomeEndCell(const TKeyPress& K) {
  if (K.Key == VK_HOME)
    MoveColRow(FixedCols(), FixedRows(), true, true);
  else
    MoveColRow(ColCount() - 1, RowCount() - 1, true, true);
  KeyMoveToBaseCell();
  ReportKeyDown(K.Key);
}

// Home and End to the first or last normal row; the last row lies above the footers.
void TExStringGrid::KeyHomeEndRow(const TKeyPress& K) {
  if (K.Key == VK_HOME) {
    SetRow(FixedRows());
  } else {
    const bool footer = FloatingFooterVisible();
    const Integer target = footer && RowCount() > 2 ? RowCount() - 2 : RowCount() - FFixedFooters - 1;
    SetRow(std::max(FixedRows(), target));
    if (FFixedFooters > 0 && !footer) SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
  }
  KeyMoveToBaseCell();
  KeyRowSelection(K.OldRow, K.Shift);
  if (K.Key == VK_END && FloatingFooterVisible()) SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
  ReportKeyDown(K.Key);
  if (K.RowSelect && FNavigation->KeepHorizScroll()) {
    BeginUpdate();
    SetLeftCol(K.OldLeftCol);
    EndUpdate();
  }
}

// Ctrl+Home to the first selectable column of the first normal row.
void TExStringGrid::KeyCtrlHomeFirstColumn(const TKeyPress& K) {
  SetRow(FixedRows());
  const Integer fc = FirstSelectableCol(Row());
  if (fc >= 0) SetCol(fc);
  KeyMoveToBaseCell();
  SetLeftCol(FirstNavigableCol());
  ReportKeyDown(K.Key);
}

// Home and End along the current row; with Shift they select to the row's first or last column.
void TExStringGrid::KeyHomeEndColumn(const TKeyPress& K) {
  if (K.Shift) {
    TGridRect r = Selection();
    const Integer to = K.Key == VK_HOME ? FixedCols() : ColCount() - FFixedRightCols - 1;
    r.Left = std::min(Col(), to);
    r.Right = std::max(Col(), to);
    r.Top = r.Bottom = Row();
    SetSelection(r);
    RepaintRow(Row());
  } else if (K.Key == VK_HOME) {
    const Integer fc = FirstSelectableCol(Row());
    if (fc >= 0) SetCol(fc);
    KeyMoveToBaseCell();
    SetLeftCol(FirstNavigableCol());
  } else {
    SetCol(ColCount() - 1);
    KeyMoveToBaseCell();
    SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
  }
  ReportKeyDown(K.Key);
}

// Enter on a cell that cannot be edited: the form's key preview may take it, else it ends here.
void TExStringGrid::KeyEnterOnUneditableCell(const TKeyPress& K, TMessage& M) {
  TCustomForm* form = GetParentForm(this);
  if (form && form->KeyPreview()) {
    TBaseGrid::WMKeyDown(M);
  } else {
    ReportKeyDown(K.Key);
    SwallowKey(M);
  }
}

// Right and Left open and close a merged node row.
void TExStringGrid::KeyOnNodeRow(const TKeyPress& K) {
  if ((K.Key == VK_RIGHT || K.Key == VK_LEFT) && K.NodeRow && IsMergedCell(0, Row())) {
    if (K.Key == VK_RIGHT)
      ExpandNode(DisplayRowToRealRow(Row()));
    else
      ContractNode(DisplayRowToRealRow(Row()));
  }
}

// Left and Right in a row-selecting grid wider than its window scroll the columns by one: with
// LeftRightRowSelect only with Ctrl and the key goes on, else always and the key ends here.
bool TExStringGrid::KeyScrollsRowSelectColumns(const TKeyPress& K, TMessage& M) {
  if ((K.Key != VK_LEFT && K.Key != VK_RIGHT) || !K.RowSelect || K.NodeRow ||
      VisibleColCount() + FixedCols() >= ColCount())
    return false;
  auto scrollOne = [&]() {
    if (K.Key == VK_LEFT) {
      if (LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
    } else if (LeftCol() + VisibleColCount() < ColCount()) {
      SetLeftCol(LeftCol() + 1);
    }
  };
  if (FNavigation->LeftRightRowSelect()) {
    if (K.Ctrl) scrollOne();
    return false;
  }
  scrollOne();
  ReportKeyDown(K.Key);
  M.Result = 0;
  return true;
}

// Tab walks the cells when the grid takes it.
bool TExStringGrid::KeyWalksTab(const TKeyPress& K) {
  if (K.Key != VK_TAB || !Options().Contains(goTabs)) return false;
  TabNavigate(K.Shift);
  const TGridRect s = Selection();
  if (!(s == FMoveSelection)) DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
  return true;
}

// With SkipFixedCells the arrows step over fixed cells inside the grid (by the fixed-cell
// question, which takes display columns); a row-selecting grid takes the next row found.
bool TExStringGrid::KeySkipsFixedCells(const TKeyPress& K, TMessage& M) {
  if (!FNavigation->SkipFixedCells() || !IsArrowKey(K.Key)) return false;
  const Integer r = Row(), c = Col();
  if (K.Key == VK_LEFT && c - 1 >= FixedCols() && IsFixed(c - 1, r)) {
    for (Integer i = c - 1; i >= FixedCols(); --i)
      if (!IsFixed(i, r)) {
        SetCol(i);
        break;
      }
  } else if (K.Key == VK_RIGHT && c + 1 < ColCount() - FFixedRightCols && IsFixed(c + 1, r)) {
    for (Integer i = c + 1; i < ColCount() - FFixedRightCols; ++i)
      if (!IsFixed(i, r)) {
        SetCol(i);
        break;
      }
  } else if (K.Key == VK_UP && r - 1 >= FixedRows() && IsFixed(c, r - 1)) {
    for (Integer i = r - 1; i >= FixedRows(); --i)
      if (!IsFixed(c, i) || K.RowSelect) {
        SetRow(i);
        break;
      }
  } else if (K.Key == VK_DOWN && r + 1 < RowCount() - FFixedFooters && IsFixed(c, r + 1)) {
    for (Integer i = r + 1; i < RowCount() - FFixedFooters; ++i)
      if (!IsFixed(c, i) || K.RowSelect) {
        SetRow(i);
        break;
      }
  } else {
    return false;
  }
  ReportKeyDown(K.Key);
  TWMKey{M}.SetCharCode(0);
  return true;
}

// The platform's key handling (OnKeyDown, KeyDown, the move) with what the grid does around it:
// Down on the last normal row appends a row, the selection rectangle follows, a visible search
// panel keeps the last row above it and the columns of a row-selecting grid keep their scroll.
// True when the search panel ended the key before the platform saw it.
bool TExStringGrid::KeyMovesCell(const TKeyPress& K, TMessage& M) {
  const Word Key = K.Key;
  if (Key == VK_DOWN && IsLastNormalRow() && FNavigation->AppendOnArrowDown()) AppendRowOnArrowDown();
  if (FSelectionRectangle && !(Selection() == FMoveSelection)) {
    RepaintRect(TRect(FMoveSelection.Left, FMoveSelection.Top, FMoveSelection.Right, FMoveSelection.Bottom));
    FMoveSelection = Selection();
  }

  const bool searchAtEnd = FSearchFooter->Visible() && TopRow() >= RowCount() - VisibleRowCount();
  const bool lastRow = Row() == RowCount() - 1;
  const bool movesOnLastRow =
      Key == VK_NEXT || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DOWN;
  const bool otherKey = Key != VK_SHIFT && Key != VK_MENU && !IsNavKey(Key);
  bool bracket = false;
  if (searchAtEnd) {
    if (Key == VK_DOWN && lastRow) {
      ScrollLastRowAboveSearchPanel();
      M.Result = 1;
      ReportKeyDown(Key);
      return true;
    }
    if ((Key == VK_RIGHT && lastRow && Col() == ColCount() - 1) || (Key == VK_LEFT && lastRow && Col() == FixedCols())) {
      M.Result = 1;
      ReportKeyDown(Key);
      return true;
    }
    if ((lastRow && movesOnLastRow) || otherKey) {
      BeginUpdate();
      bracket = true;
    }
  }
  if (K.KeepScroll) BeginUpdate();

  TBaseGrid::WMKeyDown(M);

  if (searchAtEnd) {
    if (otherKey && TopRow() != K.OldTopRow) SetTopRow(K.OldTopRow);
    if (bracket) EndUpdate();
  }
  if (FSearchFooter->Visible() && Row() == RowCount() - 1 && movesOnLastRow) ScrollLastRowAboveSearchPanel();
  if (K.KeepScroll) {
    SetLeftCol(K.OldLeftCol);
    EndUpdate();
  }
  return false;
}

// The clipboard keys with AllowClipboardShortCuts; each asks its event first. True when the key
// was one of them.
bool TExStringGrid::KeyOnClipboard(const TKeyPress& K) {
  if (!FNavigation->AllowClipboardShortCuts()) return false;
  auto ask = [&](const TClipboardEvent& E) {
    bool allow = true;
    if (E) E(this, allow);
    return allow;
  };
  const Word Key = K.Key;
  const bool ctrlOnly = K.Ctrl && !K.Shift;
  const bool shiftOnly = K.Shift && !K.Ctrl;
  if ((ctrlOnly && Key == 'X') || (shiftOnly && Key == VK_DELETE)) {
    if (ask(OnClipboardCut)) CutSelectionToClipboard();
  } else if ((ctrlOnly && Key == 'V') || (shiftOnly && Key == VK_INSERT)) {
    if (ask(OnClipboardPaste)) PasteSelectionFromClipboard();
  } else if (ctrlOnly && (Key == 'C' || Key == VK_INSERT)) {
    if (ask(OnClipboardCopy)) CopySelectionToClipboard();
  } else {
    return false;
  }
  return true;
}

// Insert adds a row before or after the current one (InsertPosition), with the filter off while
// it goes in. The current row's real index is taken while the filter still hides its rows: once
// they are back, the display index names another row. True when the key was the row insertion,
// refused or not.
bool TExStringGrid::KeyInsertsRow(const TKeyPress& K) {
  if (K.Key != VK_INSERT || K.Ctrl || K.Shift || K.Alt || !FNavigation->AllowInsertRow()) return false;
  bool canInsert = true;
  CanInsertRow(Row(), canInsert);
  if (!canInsert) return true;
  const Integer curRow = Row();
  const Integer realRow = DisplayRowToRealRow(curRow);
  const bool filterWas = FFilterActive;
  if (filterWas) SetFilterActive(false);
  Integer insertAt = realRow;
  Integer newRow = curRow;
  if (FNavigation->InsertPosition() == pInsertAfter) {
    if (FFixedRowAlways && RowCount() == FixedRows()) {
      newRow = 1;
    } else if (curRow + 1 < RowCount()) {
      insertAt = realRow + 1;
      newRow = curRow + 1;
    }
  }
  DoInsertRow(insertAt);
  if (OnAutoInsertRow) OnAutoInsertRow(this, insertAt);
  SetModified(true);
  if (filterWas) SetFilterActive(true);
  if (newRow >= 0 && newRow < RowCount()) SetRow(newRow);
  CalcFooter(-1);
  return true;
}

// Ctrl+A selects every normal cell of a row- or range-selecting grid.
bool TExStringGrid::KeySelectsAll(const TKeyPress& K) {
  if (K.Key != 'A' || !K.Ctrl || !(K.RowSelect || Options().Contains(goRangeSelect))) return false;
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
  return true;
}

// The disjunct row and column selections follow the navigation keys; Space toggles the current
// row and column in them. The row is the real one when the row selection persists.
void TExStringGrid::KeyDisjunctSelection(const TKeyPress& K) {
  Integer R = Row();
  if (FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent()) R = DisplayRowToRealRow(R);
  if (IsNavKey(K.Key)) {
    if (FMouseActions->DisjunctRowSelect()) {
      if (!K.Shift && !K.Ctrl) ClearRowSelect();
      if (K.Shift) {
        const TGridRect s = Selection();
        SelectRows(s.Top, s.Bottom - s.Top + 1);
      } else {
        SetRowSelect(R, true);
      }
    }
    if (FMouseActions->DisjunctColSelect()) {
      if (!K.Shift && !K.Ctrl) ClearColSelect();
      if (K.Shift) {
        const TGridRect s = Selection();
        SelectCols(s.Left, s.Right - s.Left + 1);
      } else {
        SetColSelect(Col(), true);
      }
    }
  }
  if (K.Key == VK_SPACE) {
    if (FMouseActions->DisjunctRowSelect()) SetRowSelect(R, !RowSelect(R));
    if (FMouseActions->DisjunctColSelect()) SetColSelect(Col(), !ColSelect(Col()));
  }
}

// Delete removes the current row (AllowDeleteRow), with the filter off while it goes. False when
// OnCanDeleteRow refused it: the key ends there.
bool TExStringGrid::KeyDeletesRow(const TKeyPress& K) {
  if (K.Key != VK_DELETE || K.Alt || !FNavigation->AllowDeleteRow() || RowCount() - FixedRows() - FFixedFooters < 1)
    return true;
  const Integer realRow = DisplayRowToRealRow(Row());
  const bool filterWas = FFilterActive;
  if (filterWas) SetFilterActive(false);
  bool canDelete = true;
  if (OnCanDeleteRow) OnCanDeleteRow(this, realRow, canDelete);
  if (!canDelete) {
    if (filterWas) SetFilterActive(true);
    return false;
  }
  DoDeleteRow(realRow);
  if (filterWas) SetFilterActive(true);
  if (FloatingFooterVisible() && Row() >= RowCount() - 1 && RowCount() >= 2) SetRow(RowCount() - 2);
  RememberCellValue(Col(), Row());
  SetModified(true);
  CalcFooter(-1);
  return true;
}

// Tab from the last normal column of a grid with fixed right columns goes on to the next row.
void TExStringGrid::KeyTabPastFixedRightCols(const TKeyPress& K) {
  if (K.Key == VK_TAB && Options().Contains(goTabs) && FFixedRightCols > 0 &&
      K.OldCol + 1 == ColCount() + NumHiddenColumns() - FFixedRightCols) {
    const Integer next = K.OldRow + 1 < RowCount() - FFixedFooters ? K.OldRow + 1 : FixedRows();
    MoveColRow(FirstNavigableCol(), next, true, true);
  }
}

// After Enter and F2: the value is remembered for Esc, an HTML form control in the cell takes the
// edit, and F2 runs its hook.
void TExStringGrid::KeyAfterEnterOrF2(const TKeyPress& K) {
  if (K.Key != VK_RETURN && K.Key != VK_F2) return;
  RememberCellValue(Col(), Row());
  if (HasHtmlControl(GetCellEx(DisplayToRealCol(Col()), Row()))) EditHtmlControl(Col(), Row(), String());
  if (K.Key == VK_F2) AfterF2Key();
}

// A selection the key changed is reported once.
void TExStringGrid::KeyReportSelectionChange() {
  const TGridRect s = Selection();
  if (!(s == FMoveSelection)) {
    DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    FMoveSelection = s;
  }
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
