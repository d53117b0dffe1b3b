// The grid's side of in-place editing: when a cell may be edited and by which editor, how an
// edited value is validated and written back, how editing ends and who is told, and the gate
// every change of the current cell passes (SelectCell).
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridRichEdit.h"
#include "components/grid/ExGridSearchPanel.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExGridCheck.h"
#include "components/gridbase/ExGridUndoRedo.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool IsTextEditorType(TEditorType T) {
  switch (T) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edValidChars:
    case edPositiveFloat: return true;
    default: return false;
  }
}

bool ContainsControlTag(const String& S) { return AnsiUpperCase(S).find(u"<CONTROL") != String::npos; }

}  // namespace

// --- Owned editing objects ------------------------------------------------------------------------------

void TExStringGrid::CreateEditObjects() {
  FSizeWhileTyping = new TSizeWhileTyping();
  FShowModified = new TShowModified();
  FShowModified->OnChange = [this](TObject*) { RepaintCol(0); };

  EditCombo = new TGridCombo(this);
  EditCombo->SetVisible(false);
  EditCombo->SetEnabled(false);
  EditCombo->SetParent(this);
  EditCombo->SetIsWinXP(FIsWinXP);
  EditCombo->SetIsVista(FIsWinVista && FIsComCtl6);

  EditTrans = new TGridTransEdit(this);
  EditTrans->SetVisible(false);
  EditTrans->SetParent(this);
  EditTrans->SetBorderStyle(bsNone);

  ComboTrans = new TGridTransCombo(this);
  ComboTrans->SetVisible(false);
  ComboTrans->SetParent(this);

  EditCheck = new TGridCheckBox(this);
  EditCheck->SetVisible(false);
  EditCheck->SetEnabled(false);
  EditCheck->SetParent(this);

  EditBtn = new TGridEditBtn(this);
  EditBtn->SetVisible(false);
  EditBtn->SetEnabled(false);
  EditBtn->SetParent(this);
  EditBtn->SetButtonCaption(u"...");
  EditBtn->SetBorderStyle(bsNone);
  EditBtn->SetIsWinXP(FIsWinXP);

  UnitEditBtn = new TGridUnitEditBtn(this);
  UnitEditBtn->SetVisible(false);
  UnitEditBtn->SetEnabled(false);
  UnitEditBtn->SetParent(this);
  UnitEditBtn->SetButtonCaption(u"...");
  UnitEditBtn->SetBorderStyle(bsNone);
  UnitEditBtn->SetIsWinXP(FIsWinXP);
  UnitEditBtn->OnUnitChanged = [this](TObject* Sender, const String& NewUnit) { UnitChanged(Sender, NewUnit); };

  GridButton = new TGridButton(this);
  GridButton->SetVisible(false);
  GridButton->SetEnabled(false);
  GridButton->SetParent(this);
  GridButton->OnClick = [this](TObject*) { ButtonClick(RealColIndex(Col()), Row()); };

  FEditControl = new TControlEdit(this);
  FEditControl->SetVisible(false);
  FEditControl->SetParent(this);

  FComboControl = new TControlCombo(this);
  FComboControl->SetVisible(false);
  FComboControl->SetParent(this);
}

namespace {

template <typename T>
void FreeAndNil(T*& P) {
  T* p = P;
  P = nullptr;
  delete p;
}

}  // namespace

void TExStringGrid::FreeEditObjects() {
  FreeAndNil(EditCombo);
  FreeAndNil(EditTrans);
  FreeAndNil(ComboTrans);
  FreeAndNil(FEditDateTime);
  FreeAndNil(FEditDate);
  FreeAndNil(FEditSpin);
  FreeAndNil(FEditTrackBar);
  FreeAndNil(FEditMemo);
  FreeAndNil(FEditCalculator);
  FreeAndNil(FEditTimePicker);
  FreeAndNil(FEditDetailPicker);
  FreeAndNil(FEditGridPicker);
  FreeAndNil(FEditColorPicker);
  FreeAndNil(FEditImagePicker);
  FreeAndNil(FEditExGridPicker);
  FreeAndNil(FInplaceRichEdit);
  FreeAndNil(FRichEdit);
  FreeAndNil(EditCheck);
  FreeAndNil(EditBtn);
  FreeAndNil(UnitEditBtn);
  FreeAndNil(GridButton);
  FreeAndNil(FEditControl);
  FreeAndNil(FComboControl);
  EditCtrl = nullptr;
  FreeAndNil(FInvalidEntryHint);
  FreeAndNil(FShowModified);
  FreeAndNil(FSizeWhileTyping);
}

// --- Editors of the platform grid ------------------------------------------------------------------

TInplaceEdit* TExStringGrid::CreateEditor() { return new TExInplaceEdit(this); }

TExInplaceEdit* TExStringGrid::NormalEdit() const { return dynamic_cast<TExInplaceEdit*>(InplaceEditor()); }

String TExStringGrid::GetEditMask(Integer ACol, Integer ARow) {
  String value = FEditMask;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, value);
  return value;
}

Integer TExStringGrid::GetEditLimit() { return FMaxEditLength; }

TCustomForm* TExStringGrid::GetParentFormOf(TControl* Control) {
  for (TControl* c = Control; c; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
  return nullptr;
}

// --- Editability ----------------------------------------------------------------------------------------

bool TExStringGrid::IsControlCell(Integer ACol, Integer ARow) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint base = BaseCell(ACol, ARow);
  TCellGraphic* graphic = GetCellGraphic(base.X, base.Y);
  if (!graphic) return false;
  switch (graphic->CellType()) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadio:
    case ctButton:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
    case ctTriStateCheckBox: return true;
    default: return false;
  }
}

bool TExStringGrid::IsEditable(Integer ACol, Integer ARow) {
  if (!Options().Contains(goEditing) && !FMouseActions->RangeSelectAndEdit() && !FEditDisable) return false;
  return IsCellEditable(ACol, ARow);
}

bool TExStringGrid::IsCellEditable(Integer ACol, Integer ARow) {
  Integer col = ACol, row = ARow;
  if (IsMergedNonBaseCell(ACol, ARow)) {
    const TPoint base = BaseCell(ACol, ARow);
    col = base.X;
    row = base.Y;
  }
  bool canEdit = true;
  CanEditCell(col, row, canEdit);
  bool fixed = false;
  IsFixedCell(col, row, fixed);
  return canEdit && !fixed;
}

bool TExStringGrid::IsFixed(Integer ACol, Integer ARow) {
  const TPoint base = BaseCell(DisplayToRealCol(ACol), ARow);
  const Integer col = RealToDisplayCol(base.X);
  const Integer row = base.Y;
  if (row >= RowCount() - FFixedFooters) return true;
  if (col >= ColCount() - FFixedRightCols && col < ColCount()) return true;
  bool fixed = false;
  IsFixedCell(col, row, fixed);
  return fixed;
}

bool TExStringGrid::ValidateOnTab() {
  return Options().Contains(goTabs) || static_cast<bool>(OnCellValidate) || static_cast<bool>(OnCellValidateWide);
}

// --- Starting an edit -----------------------------------------------------------------------------------

bool TExStringGrid::CanEditShow() {
  if (FValidating) return false;
  bool answer = TBaseGrid::CanEditShow();
  if (HasState(csDesigning)) return answer;
  const TPoint base = BaseCell(DisplayToRealCol(Col()), Row());
  if (answer && !EditMode && IsControlCell(base.X, base.Y)) return false;
  if (answer && !EditMode) {
    // The old value is taken as the edit starts: the cell may have been written in code since it
    // became current, and a refused value must bring back what it holds now.
    if (!FEditing) RememberCellValue(Col(), Row());
    FNoEditChange = true;
    FCellCache = GetCurrentCell();
    EditControl = FDefaultEditor;
    GetCellEditor(base.X, base.Y, EditControl);
    if (EditControl == edNone) return false;
    EditMode = true;
    if (IsTextEditorType(EditControl)) {
      FShowEditProcess = true;
    } else {
      ShowSpecialEditor(RealToDisplayCol(base.X), base.Y);
      FEntered = true;
      if (FFocusHelper->Enabled()) {
        ActiveFocusGrid = this;
        ShowFocusFrame(CellRect(Col(), Row()));
      }
      return false;
    }
  }
  if (answer) {
    FEntered = true;
    FEditing = true;
    if (FFocusHelper->Enabled()) {
      ActiveFocusGrid = this;
      ShowFocusFrame(CellRect(Col(), Row()));
    }
  }
  return answer;
}

void TExStringGrid::WMChar(TMessage& M) {
  Char key = static_cast<Char>(M.WParam);
  const Integer rc = DisplayToRealCol(Col());
  const String cellText = GetCellEx(rc, Row());
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  // Cells with form controls are edited through those controls.
  if (FEnableHTML && GetCellTextKind(cellText, true) == ctkHtml && ContainsControlTag(cellText)) {
    M.Result = 1;
    return;
  }
  if (FMouseActions->EditOnDblClickOnly()) {
    bool canEdit = true;
    CanEditCell(rc, Row(), canEdit);
    if (canEdit) SetOptions(Options() << goEditing);
  }
  if (FNavigation->AllowClipboardShortCuts() && ctrl && (key == 3 || key == 22 || key == 24)) return;
  const bool controlCell = IsControlCell(rc, Row());
  if (FMouseActions->RangeSelectAndEdit() && !controlCell && IsEditable(rc, Row()) && key != 9 && key != 27 &&
      !ctrl) {
    Char copy = key;
    if (OnKeyPress) OnKeyPress(this, copy);
    FStartEditChar = key;
    SetOptions(Options() << goEditing);
    if (Col() >= LeftCol() + VisibleColCount() || Col() < LeftCol() || Row() >= TopRow() + VisibleRowCount() ||
        Row() < TopRow())
      ScrollInView(Col(), Row());
    const TRect r = CellRect(Col(), Row());
    MouseDown(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
    TBaseGrid::WMChar(M);
    return;
  }
  if (FExcelStyleDecimalSeparator && key == u'.' && (M.LParam & KF_KEYPAD)) {
    key = FormatSettings.DecimalSeparator;
    M.WParam = key;
  }
  bool passed = false;
  if (controlCell && key == 13 && FNavigation->AdvanceOnEnter()) {
    TBaseGrid::WMChar(M);
    passed = true;
  }
  // Any printable character opens the editor with it, whatever its code point.
  if (Options().Contains(goEditing) && (key == 8 || key >= 32)) {
    if (OnKeyPress) OnKeyPress(this, key);
    FStartEditChar = key;
    if (key != 0 && !controlCell) ShowEditorChar(key);
    return;
  }
  if (!passed) TBaseGrid::WMChar(M);
}

void TExStringGrid::ShowInplaceEdit() {
  if (IsControlCell(DisplayToRealCol(Col()), Row())) return;
  if (Row() < TopRow()) SetTopRow(Row());
  if (Col() < LeftCol()) SetLeftCol(Col());
  FEditText = GetCurrentCell();
  ShowEditor();
}

// --- Old value, validation ------------------------------------------------------------------------

void TExStringGrid::RememberCellValue(Integer ACol, Integer ARow) {
  FOldCol = ACol;
  FOldRow = ARow;
  const Integer rc = DisplayToRealCol(ACol);
  FOldCellText = GetGridCell(rc, ARow);
  FOldCellTextWide = WideCells(rc, ARow);
  FOldModifiedValue = FModified;
}

void TExStringGrid::RestoreCellValue() { SetCellEx(DisplayToRealCol(Col()), Row(), FCellCache); }

bool TExStringGrid::ValidateCell(const String& NewValue) {
  if (!FEditing || FValidating) return true;
  FEditing = false;
  FValidating = true;
  bool valid = true;
  const Integer acol = DisplayToRealCol(FOldCol);
  const Integer arow = FOldRow;
  FNewCellText = NewValue;
  if (NewValue != FOldCellText || FAlwaysValidate) {
    const bool changed = NewValue != FOldCellText;
    const bool advance = FNavigation->AdvanceOnEnter();
    FNavigation->SetAdvanceOnEnter(false);
    String value = NewValue;
    if (FCellChecker && FCellChecker->AutoCorrect()) value = FCellChecker->Correct(acol, arow, value);
    if (OnCellValidate) OnCellValidate(this, acol, arow, value, valid);
    if (value != FOldCellText) {
      FGridModified = true;
      if (FixedCols() > 0) {
        SetRowModified(RealRowIndex(Row()), true);
        if (FShowModified && FShowModified->Enabled()) RepaintCell(0, Row());
      }
    }
    if (valid) RecalcFooterCol(acol);
    if (FCellChecker && FCellChecker->AutoMarkError()) value = FCellChecker->MarkError(acol, arow, value);
    if (valid && FUndoRedo) FUndoRedo->RegisterChange(acol, arow, FOldCellText, value);
    if (valid && changed) CellsChanged(Rect(acol, arow, acol, arow));
    FNavigation->SetAdvanceOnEnter(advance);
    FNewCellText = value;
    if (valid) {
      SetCellEx(acol, arow, value);
      if (IsMergedNonBaseCell(acol, arow)) {
        const TPoint base = BaseCell(acol, arow);
        SetCellEx(base.X, base.Y, value);
      }
    } else {
      FLastValidation = false;
      // The editor comes back on the old cell with the handler's value, or with the old value.
      if (value != NewValue) {
        HideEditor();
        SetCellEx(acol, arow, value);
        MoveColRow(FOldCol, arow, true, true);
        FValidating = false;
        FEditing = true;
        ShowInplaceEdit();
      } else {
        if (EditMode) FValidating = false;
        HideEditor();
        SetCellEx(acol, arow, FOldCellText);
        MoveColRow(FOldCol, arow, true, true);
        FValidating = false;
        FEditing = true;
        ShowInplaceEdit();
        if (Col() != FOldCol) InvalidateEditor();
      }
      FModified = FOldModifiedValue;
      if (!FInvalidEntryTitle.empty() || !FInvalidEntryText.empty()) ShowInvalidEntryBalloon();
    }
    FOldCellText = GetGridCell(acol, arow);
  }
  RememberCellValue(Col(), Row());
  FValidating = false;
  if (valid) HideFocusFrame();
  return valid;
}

bool TExStringGrid::ValidateCellWide(const String& NewValue) {
  if (!FEditing || FValidating) return true;
  FEditing = false;
  FValidating = true;
  bool valid = true;
  const Integer acol = DisplayToRealCol(FOldCol);
  const Integer arow = FOldRow;
  if (NewValue != FOldCellTextWide || FAlwaysValidate) {
    RecalcFooterCol(acol);
    String value = NewValue;
    if (OnCellValidateWide) OnCellValidateWide(this, acol, arow, value, valid);
    const bool changed = NewValue != FOldCellTextWide;
    if (changed) {
      FGridModified = true;
      if (FShowModified && FShowModified->Enabled() && FixedCols() > 0) {
        SetRowModified(FOldRow, true);
        RepaintCell(0, FOldRow);
      }
    }
    if (valid) {
      SetWideCells(acol, arow, value);
      if (changed) CellsChanged(Rect(acol, arow, acol, arow));
    } else {
      HideEditor();
      SetWideCells(acol, arow, value != NewValue ? value : FOldCellTextWide);
      MoveColRow(FOldCol, arow, true, true);
      FValidating = false;
      FEditing = true;
      ShowInplaceEdit();
      FModified = FOldModifiedValue;
    }
    FOldCellTextWide = WideCells(acol, arow);
  }
  RememberCellValue(Col(), Row());
  FValidating = false;
  return valid;
}

// --- Ending an edit -------------------------------------------------------------------------------------

void TExStringGrid::ShowInvalidEntryBalloon() {
  // Below the editor that holds the refused value: the text editor, else the special editor.
  TWinControl* target = nullptr;
  if (!FSpecialEditor && EditMode)
    target = InplaceEditor();
  else
    target = EditCtrl;
  if (!target || !target->Visible()) return;
  if (!FInvalidEntryHint) FInvalidEntryHint = new THintWindow(this);
  String text = FInvalidEntryTitle;
  if (!text.empty() && !FInvalidEntryText.empty()) text += u"\r\n";
  text += FInvalidEntryText;
  TRect r = FInvalidEntryHint->CalcHintRect(300, text);
  const TPoint at = target->ClientToScreen(TPoint(0, target->Height()));
  OffsetRect(r, at.X, at.Y);
  FInvalidEntryHint->ActivateHint(r, text);
}

void TExStringGrid::HideInvalidEntryBalloon() {
  if (FInvalidEntryHint && FInvalidEntryHint->Active()) FInvalidEntryHint->ReleaseHint();
}

void TExStringGrid::HideInplaceEdit() {
  HideInvalidEntryBalloon();
  if (!EditMode) return;
  HideEditor();
  CommitSpecialEditor(Col(), Row());
  EditMode = false;
  SelectCell(Col(), Row());
}

void TExStringGrid::DoneInplaceEdit(Word Key, TShiftState Shift) {
  FBlockFocus = true;
  struct Unblock {
    bool& f;
    ~Unblock() { f = false; }
  } unblock{FBlockFocus};
  FEditing = false;
  HideInplaceEdit();
  if (Key == VK_TAB || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) {
    Word k = Key;
    KeyDown(k, Shift);
  }
  const bool alwaysEdit = FNavigation->AlwaysEdit();
  FNavigation->SetAlwaysEdit(false);
  if (CanFocus()) SetFocus();
  if (Key == VK_RETURN) AdvanceCell(Col(), Row(), false, true, true, false, false);
  FNavigation->SetAlwaysEdit(alwaysEdit);
}

void TExStringGrid::NotifyEditingDone(Integer ACol, Integer ARow) {
  if (OnEditingDone) OnEditingDone(this);
  EditMode = false;
  if (HandleAllocated() && GridEditDoneMessage != 0)
    PostMessage(Handle(), GridEditDoneMessage, static_cast<WPARAM>(ACol), static_cast<LPARAM>(ARow));
}

// --- The gate of the current cell -----------------------------------------------------------------------

bool TExStringGrid::CellChanging(Integer NewCol, Integer NewRow, bool& Allow) {
  if (NewRow != Row() && OnRowChanging) OnRowChanging(this, Row(), NewRow, Allow);
  if (NewCol != Col() && OnColChanging) OnColChanging(this, Col(), NewCol, Allow);
  if ((NewRow != Row() || NewCol != Col()) && !FDisableChange && OnCellChanging)
    OnCellChanging(this, Row(), Col(), NewRow, NewCol, Allow);
  return Allow;
}

bool TExStringGrid::SelectCell(Integer ACol, Integer ARow) {
  const bool indicator = FRowIndicator && !FRowIndicator->Empty() && FixedCols() > 0;
  if (FForceSel) {
    if (indicator) {
      RepaintCell(0, Row());
      RepaintCell(0, ARow);
    }
    return true;
  }
  if (!Parent()) return true;
  bool result = false;
  if (ACol >= 0 && ARow >= 0) FEditText = GetCellEx(DisplayToRealCol(ACol), ARow);

  // The target row stays clear of the footers.
  const bool searchVisible = FSearchFooter && FSearchFooter->Visible() && FSearchPanel;
  const Integer searchHeight = searchVisible ? FSearchPanel->Height() + 2 : 0;
  if (FFloatingFooter && FFloatingFooter->Visible()) {
    const Integer limit = ClientHeight() - FFloatingFooter->Height() - searchHeight + 2;
    if (FFloatingFooter->FooterStyle() == fsFixedLastRow) {
      if (ARow >= TopRow() + VisibleRowCount()) SetTopRow(std::max(FixedRows(), ARow - VisibleRowCount() + FixedRows()));
      if (ACol >= 0 && CellRect(ACol, ARow).Bottom > limit && ARow < RowCount() - 1 && TopRow() < RowCount() - 1)
        SetTopRow(TopRow() + 1);
      if (ARow == RowCount() - 1) return false;
    } else {
      if (FFooterPanel) FFooterPanel->Invalidate();
      if (ACol >= 0 && CellRect(ACol, ARow).Bottom > limit && ARow < RowCount() && TopRow() < RowCount() - 1)
        SetTopRow(TopRow() + 1);
    }
  } else if (searchVisible && ACol >= 0) {
    const Integer limit = ClientHeight() - FSearchPanel->Height() + 2;
    while (CellRect(ACol, ARow).Bottom > limit && ARow <= RowCount() - 1 && TopRow() < RowCount() - 1) {
      const Integer before = TopRow();
      SetTopRow(TopRow() + 1);
      if (TopRow() == before) break;
    }
  }
  if (ACol < 0 || ARow < 0) return false;

  const Integer rc = DisplayToRealCol(ACol);
  if (!Options().Contains(goRangeSelect) && IsMergedNonBaseCell(rc, ARow)) {
    const TPoint base = BaseCell(rc, ARow);
    MoveColRow(RealToDisplayCol(base.X), base.Y, true, true);
    RepaintCell(RealToDisplayCol(base.X), base.Y);
    if (FMouseActions->DirectEdit() ||
        (FControlLook && FControlLook->DropDownAlwaysVisible() && HasComboBox(rc, ARow)))
      ShowEditor();
    return false;
  }
  if (ACol == 0 && HasNodes() && !Options().Contains(goRowSelect)) return false;
  if (FUseEnabledRows && FNavigation->SkipDisabledRows() && !RowEnabled(ARow)) return false;

  const TGridRect sel = Selection();
  const Integer oldCol = Col(), oldRow = Row();
  String t = FEditText;
  const bool inEditor = InplaceEditor() && InplaceEditor()->Focused();

  if (IsControlCell(rc, ARow)) {
    bool canEdit = true;
    CanEditCell(rc, ARow, canEdit);
    const bool editing = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
    if (!FEditDisable) FEditDisable = !canEdit && editing;
    if (!Options().Contains(goEditing) && !Options().Contains(goRowSelect) && canEdit) {
      FEditChange = true;
      SetOptions(Options() << goEditing);
    }
  } else {
    bool canEdit = Options().Contains(goEditing) || FEditDisable;
    CanEditCell(rc, ARow, canEdit);
    if (canEdit && FMouseActions->DirectEdit()) {
      EditControl = FDefaultEditor;
      if (IsNoEditCell(rc, ARow)) canEdit = false;
    }
    if (FMouseActions->EditOnDblClickOnly()) canEdit = false;
    if (canEdit) {
      FEditDisable = false;
      if (!Options().Contains(goEditing)) {
        FEditChange = true;
        if (!FEditing) RememberCellValue(ACol, ARow);
        TGridOptions o = Options();
        if (o.Contains(goRowSelect) && FMouseActions->RangeSelectAndEdit()) o = o >> goRowSelect;
        SetOptions(o << goEditing);
        if (FEditing) {
          HideInplaceEdit();
          t = GetCellEx(rc, ARow);
        }
      }
    } else {
      if (FEditing) {
        HideInplaceEdit();
        t = GetCellEx(rc, ARow);
      }
      if (Options().Contains(goEditing)) {
        EditMode = false;
        FEditDisable = true;
        FEditChange = true;
        SetOptions(Options() >> goEditing);
        SetEditorMode(false);
      }
    }
  }

  if (!FEditing || inEditor) {
    bool allow = true;
    CellChanging(ACol, ARow, allow);
    if (IsFixed(ACol, ARow) || !allow)
      result = (allow && Options().Contains(goRowSelect)) || (FFixedRowAlways && RowCount() == FixedRows());
    else
      result = TBaseGrid::SelectCell(ACol, ARow);
  } else {
    // An edit is pending and its editor does not hold the focus: it is validated first.
    const String kept = FCellCache;
    if (GetCellTextKind(GetCellEx(rc, Row()), false) == ctkUnicode)
      ValidateCellWide(FEditWideText);
    else
      ValidateCell(GetCurrentCell());
    bool allow = true;
    CellChanging(ACol, ARow, allow);
    result = allow ? TBaseGrid::SelectCell(ACol, ARow) : false;
    if (!result) t = kept;
  }

  if (indicator) {
    RepaintCell(0, oldRow);
    RepaintCell(0, ARow);
  }
  if (FISelect) FISelect->CellSelected(ACol, ARow);
  if (FActiveCellShow && FixedRows() > 0 && FixedCols() > 0) {
    // Repaints work on display columns.
    RepaintCell(oldCol, FixedRows() - 1);
    RepaintCell(FixedCols() - 1, oldRow);
    RepaintCell(ACol, FixedRows() - 1);
    RepaintCell(FixedCols() - 1, ARow);
  }
  if (FActiveRowShow) {
    RepaintRow(ARow);
    RepaintRow(sel.Top);
  }
  if (FSelectionRectangle) Invalidate();
  if (!HasState(csLoading) && ARow != FOldRowSel && OnRowUpdate) {
    OnRowUpdate(this, FOldRowSel, ARow);
    FOldRowSel = ARow;
  }
  if (OnGetCellBorder) Invalidate();
  FCellCache = t;
  return result;
}

// --- Events of the editing flow -----------------------------------------------------------------------

void TExStringGrid::GetEditorProp(Integer ACol, Integer ARow, TEditLink* AEditLink) {
  if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, AEditLink);
  if (OnGetEditorPropInt) OnGetEditorPropInt(this, ACol, ARow);
}

void TExStringGrid::CheckBoxClick(Integer ACol, Integer ARow, bool State) {
  if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

void TExStringGrid::DoClickSort(Integer ACol) {
  if (OnClickSort) OnClickSort(this, ACol);
}

void TExStringGrid::PrintGetPageNum(Integer PageNum, Integer PageColNum, String& PageNumString) {
  if (OnPrintGetPageNum) OnPrintGetPageNum(this, PageNum, PageColNum, PageNumString);
}

void TExStringGrid::EllipsClick(const String& Value, String& Result) {
  Result = Value;
  if (OnEllipsClick) {
    String s = Value;
    OnEllipsClick(this, RealColIndex(Col()), Row(), s);
    Result = s;
  }
}

void TExStringGrid::StartBlockFocus() {
  if (OnStartBlockFocus) OnStartBlockFocus(this);
}

void TExStringGrid::EndBlockFocus() {
  if (OnEndBlockFocus) OnEndBlockFocus(this);
}

bool TExStringGrid::CanShowFixedDropDown(Integer ACol) {
  bool canShow = true;
  if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, canShow);
  return canShow;
}

void TExStringGrid::ScrollCell(Integer ACol, Integer ARow, Integer ScrollPosition, Integer ScrollMin,
                               Integer ScrollMax) {
  if (OnScrollCell) OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

// --- The combo editor's items ---------------------------------------------------------------------

void TExStringGrid::ClearComboString() {
  if (EditCombo) EditCombo->Items()->Clear();
}

void TExStringGrid::AddComboString(const String& S) {
  if (EditCombo) EditCombo->Items()->Add(S);
}

void TExStringGrid::AddComboStringObject(const String& S, TObject* AObject) {
  if (EditCombo) EditCombo->Items()->AddObject(S, AObject);
}

bool TExStringGrid::RemoveComboString(const String& S) {
  if (!EditCombo) return false;
  const Integer i = EditCombo->Items()->IndexOf(S);
  if (i < 0) return false;
  EditCombo->Items()->Delete(i);
  return true;
}

bool TExStringGrid::SetComboSelectionString(const String& S) {
  if (!EditCombo) return false;
  const Integer i = EditCombo->Items()->IndexOf(S);
  if (i < 0) return false;
  FComboIdx = i;
  return true;
}

void TExStringGrid::SetComboSelection(Integer Idx) { FComboIdx = Idx; }

Integer TExStringGrid::GetComboCount() { return EditCombo ? EditCombo->Items()->Count() : 0; }

Integer TExStringGrid::ComboIndex(Integer ACol, Integer ARow) {
  GetEditorProp(ACol, ARow, nullptr);
  return EditCombo ? EditCombo->Items()->IndexOf(GetCellEx(ACol, ARow)) : -1;
}

void TExStringGrid::SetComboIndex(Integer ACol, Integer ARow, Integer Value) {
  GetEditorProp(ACol, ARow, nullptr);
  if (EditCombo && Value >= 0 && Value < EditCombo->Items()->Count())
    SetCellEx(ACol, ARow, EditCombo->Items()->Strings(Value));
}

// --- The editors' state for the window procedure ---------------------------------------------------

TWinControl* TExStringGrid::ComboEditorControl() const { return EditCombo; }

Integer TExStringGrid::ComboEditorItemIndex() const { return EditCombo ? EditCombo->ItemIndex() : -1; }

String TExStringGrid::ComboEditorText() const { return EditCombo ? EditCombo->Text() : String(); }

void TExStringGrid::SetComboEditorText(const String& Value) {
  if (EditCombo) EditCombo->SetText(Value);
}

String TExStringGrid::ComboEditorItem(Integer Index) const {
  if (!EditCombo || Index < 0 || Index >= EditCombo->Items()->Count()) return String();
  return EditCombo->Items()->Strings(Index);
}

TObject* TExStringGrid::ComboEditorObject(Integer Index) const {
  if (!EditCombo || Index < 0 || Index >= EditCombo->Items()->Count()) return nullptr;
  return EditCombo->Items()->Objects(Index);
}

String TExStringGrid::ActiveEditorText() const {
  switch (EditControl) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: return FEditSpin ? FEditSpin->Text() : String();
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn: return EditBtn ? EditBtn->Text() : String();
    default: return IsTextEditorType(EditControl) && InplaceEditor() ? InplaceEditor()->Text() : String();
  }
}

TWinControl* TExStringGrid::EditLinkControl() const { return FEditLink ? FEditLink->GetEditControl() : nullptr; }

String TExStringGrid::EditLinkItemText(Integer Index) const {
  auto* combo = dynamic_cast<TCustomComboBox*>(EditLinkControl());
  if (!combo || Index < 0 || Index >= combo->Items()->Count()) return String();
  return combo->Items()->Strings(Index);
}
