// Editors that are not tied to one editor type of a cell: the edit link through which an
// application plugs its own control into the grid, the editors of fixed cells, and the editors of
// the form controls written into HTML cells.
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "platform/gui/Forms.h"

namespace {

bool IsOneOf(Word Key, std::initializer_list<Word> Keys) {
  for (Word k : Keys)
    if (k == Key) return true;
  return false;
}

}  // namespace

// --- TEditLink -------------------------------------------------------------------------------------------

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupForm) FPopupForm = nullptr;
}

TWinControl* TEditLink::GetEditControl() { return nullptr; }
void TEditLink::CreateEditor(TWinControl* AParent) { (void)AParent; }
void TEditLink::DestroyEditor() {}
void TEditLink::SetProperties() {}
void TEditLink::SetCellProps(TColor AColor, TFont* AFont) {
  (void)AColor;
  (void)AFont;
}
String TEditLink::GetEditorValue() { return String(); }
void TEditLink::SetEditorValue(const String& s) { (void)s; }

void TEditLink::SetRect(TRect R) {
  TWinControl* c = GetEditControl();
  if (!c || !FOwner) return;
  const Integer line = FOwner->GridLineWidth();
  c->SetBounds(R.Left, R.Top, R.Right - R.Left - line, R.Bottom - R.Top - line);
}

void TEditLink::SetVisible(bool Value) {
  if (TWinControl* c = GetEditControl()) c->SetVisible(Value);
}

void TEditLink::SetFocus(bool Value) {
  TWinControl* c = GetEditControl();
  if (Value && c) {
    c->SetVisible(true);
    c->SetEnabled(true);
  }
  if (FEditStyle == esInplace && c && FOwner && !FSubClassed) {
    // The grid's window procedure makes the control receive the arrows, and with goTabs all keys.
    FOwner->FEditLinkSavedWndProc = c->WindowProc();
    TExStringGrid* g = FOwner;
    c->SetWindowProc([g](TMessage& M) { g->EditControlWndProc(M); });
    FSubClassed = true;
  }
  if (Value) {
    if (c && c->CanFocus()) c->SetFocus();
  } else if (FOwner && FOwner->CanFocus()) {
    FOwner->SetFocus();
  }
}

void TEditLink::RestoreWinProc() {
  TWinControl* c = GetEditControl();
  if (FEditStyle != esInplace || !c) return;
  if (FOwner) {
    c->SetWindowProc(FOwner->FEditLinkSavedWndProc);
    FOwner->FEditLinkSavedWndProc = nullptr;
  }
  FSubClassed = false;
  c->SetVisible(false);
}

TWinControl* TEditLink::GetParent() {
  if (FEditStyle == esPopup) return FPopupForm;
  return FOwner;
}

String TEditLink::GetCellValue() {
  if (!FOwner) return String();
  return FOwner->GetCellEx(FOwner->RealColIndex(FOwner->Col()), FOwner->Row());
}

void TEditLink::SetCellValue(const String& s) {
  if (FOwner) FOwner->SetEditCellText(FOwner->RealColIndex(FOwner->Col()), FOwner->Row(), s);
}

void TEditLink::HideEditor() {
  SetCellValue(GetEditorValue());
  if (FOwner) FOwner->HideInplaceEdit();
  RestoreWinProc();
}

void TEditLink::EditExit(TObject* Sender) {
  (void)Sender;
  HideEditor();
  if (FEditStyle == esPopup && FPopupForm) {
    DestroyEditor();
    FPopupForm->Hide();
  }
}

void TEditLink::FormExit(TObject* Sender) {
  if (!FOwner) return;
  if (TExInplaceEdit* ed = FOwner->NormalEdit()) ed->SetText(GetEditorValue());
  if (FForcedExit) {
    SetCellValue(GetEditorValue());
    return;
  }
  EditExit(Sender);
  FOwner->InvokedFocusChange = true;
}

void TEditLink::Commit() {
  FForcedExit = true;
  if (FOwner->CanFocus()) FOwner->SetFocus();
  FForcedExit = false;
  FOwner->CommitSpecialEditor(FOwner->Col(), FOwner->Row());
}

void TEditLink::EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
  TExStringGrid* g = FOwner;
  if (!g) return;
  bool ends = IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) ||
              Shift.Contains(ssAlt);
  if (((Key == VK_UP || Key == VK_DOWN) && FWantKeyUpDown) || ((Key == VK_LEFT || Key == VK_RIGHT) && FWantKeyLeftRight) ||
      ((Key == VK_END || Key == VK_HOME) && FWantKeyHomeEnd) || ((Key == VK_PRIOR || Key == VK_NEXT) && FWantKeyPriorNext) ||
      (Key == VK_RETURN && FWantKeyReturn) || (Key == VK_ESCAPE && FWantKeyEscape) || (Key == VK_TAB && FWantTabs))
    ends = false;
  if (!ends) return;

  if (Key == VK_TAB) {
    if (g->Navigation()->TabToNextAtEnd()) {
      Commit();
      if (g->TabNavigate(Shift.Contains(ssShift)) && !g->IsControlCell(g->RealColIndex(g->Col()), g->Row())) {
        // The editor opens again on the new cell, as F2 opens it.
        PostMessage(g->Handle(), WM_KEYDOWN, VK_F2, 0);
        Key = 0;
        return;
      }
    }
    Key = 0;
  }
  // Esc: the text the cell had when editing began goes back before the commit.
  if (Key == VK_ESCAPE) SetEditorValue(g->FCellCache);
  Commit();
  if (FEditStyle == esPopup) EditExit(Sender);
  g->EditMode = false;
  g->SelectCell(g->Col(), g->Row());
  if (g->FLastValidation) {
    if (Key == VK_RETURN) {
      if (g->Navigation()->AdvanceOnEnter())
        g->AdvanceCell(g->Col(), g->Row(), false, true, !Shift.Contains(ssShift), false, true);
      Key = 0;
    } else if (Key == VK_ESCAPE) {
      Key = 0;
    } else {
      if (IsOneOf(Key, {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) g->KeyDown(Key, Shift);
      if (TWinControl* c = GetEditControl()) c->SetEnabled(false);
      FForcedExit = true;
      if (g->CanFocus()) g->SetFocus();
      FForcedExit = false;
    }
  } else {
    // The value was refused: the editor comes back on the same cell.
    g->FLastValidation = true;
    g->ShowSpecialEditor(g->Col(), g->Row());
  }
}

// --- The editors of fixed cells -----------------------------------------------------------------------

TGridTransEdit::TGridTransEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  FGrid = dynamic_cast<TExStringGrid*>(AOwner);
  FVisible = false;
}

namespace {

// Validates and writes a fixed cell edited in Control; false keeps Control open on the cell.
bool StopFixedEdit(TWinControl* Control, TExStringGrid* Grid, Integer ACol, Integer ARow) {
  if (!Grid) {
    Control->Hide();
    return true;
  }
  bool valid = true;
  String text = Control->Text();
  if (Grid->OnCellValidate) Grid->OnCellValidate(Grid, ACol, ARow, text, valid);
  if (!valid) {
    Grid->SetCol(ACol);
    Grid->SetRow(ARow);
    if (Control->CanFocus()) Control->SetFocus();
    return false;
  }
  if (Grid->OnEditingDone) Grid->OnEditingDone(Grid);
  Grid->SetCellEx(ACol, ARow, text);
  Control->Hide();
  return true;
}

}  // namespace

bool TGridTransEdit::StopEdit() { return StopFixedEdit(this, FGrid, FCol, FRow); }

void TGridTransEdit::KeyPress(Char& Key) {
  if (Key == 13) Key = 0;
  TCustomEdit::KeyPress(Key);
}

void TGridTransEdit::DoExit() {
  TCustomEdit::DoExit();
  StopEdit();
}

TGridTransCombo::TGridTransCombo(TComponent* AOwner) : TCustomComboBox(AOwner) {
  FGrid = dynamic_cast<TExStringGrid*>(AOwner);
  FVisible = false;
}

bool TGridTransCombo::StopEdit() { return StopFixedEdit(this, FGrid, FCol, FRow); }

void TGridTransCombo::KeyPress(Char& Key) {
  if (Key == 13) Key = 0;
  TCustomComboBox::KeyPress(Key);
}

void TGridTransCombo::DoExit() {
  TCustomComboBox::DoExit();
  StopEdit();
}

// --- The editors of form controls in HTML cells -----------------------------------------------------

namespace {

// Enter and Tab in a form-control editor: the value goes into the CONTROL tag (the exit handler),
// then Enter gives the focus to the grid and Tab moves on to the cell's next control.
void ControlEditorKeyPress(TWinControl* Control, TExStringGrid* Grid, Char& Key, String CtrlID) {
  if (Key == 13) {
    Key = 0;
    Control->DoExit();
    if (Grid->CanFocus()) Grid->SetFocus();
  } else if (Key == 9) {
    Key = 0;
    Control->DoExit();
    if (Grid->Navigation()->AdvanceAuto())
      Grid->AdvanceCell(Grid->Col(), Grid->Row(), true, false, true, false, true);
    else
      Grid->EditHtmlControl(Grid->Col(), Grid->Row(), CtrlID);
  }
}

}  // namespace

void TControlEdit::CMWantSpecialKey(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  if (key == VK_TAB) {
    M.Result = 1;
    return;
  }
  if (key == VK_RETURN) {
    M.Result = 0;
    return;
  }
  TCustomMaskEdit::CMWantSpecialKey(M);
}

void TControlEdit::KeyPress(Char& Key) {
  if (auto* g = dynamic_cast<TExStringGrid*>(Parent())) {
    ControlEditorKeyPress(this, g, Key, g->FCtrlID);
    if (Key == 0) return;
  }
  TCustomMaskEdit::KeyPress(Key);
}

void TControlCombo::CMWantSpecialKey(TMessage& M) {
  if (static_cast<Word>(M.WParam) == VK_TAB) {
    M.Result = 1;
    return;
  }
  TEsgComboBox::CMWantSpecialKey(M);
}

void TControlCombo::KeyPress(Char& Key) {
  if (auto* g = dynamic_cast<TExStringGrid*>(Parent())) {
    ControlEditorKeyPress(this, g, Key, g->FCtrlID);
    if (Key == 0) return;
  }
  TEsgComboBox::KeyPress(Key);
}
