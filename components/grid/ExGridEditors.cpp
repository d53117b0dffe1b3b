// The string grid's standard editor controls: check box, spin, combo, date picker, edit with
// button, unit edit and button. Each keeps its grid, ends the edit when it loses the focus,
// claims the keys the grid must see, and commits through the grid's validation.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/dropdown/ExDateTimePicker.h"  // DTPShiftFocusMessage
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/ControlsBackend.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

namespace {

void FocusGrid(TExStringGrid* G) {
  if (G && G->CanFocus()) G->SetFocus();
}

bool IsOneOf(Word Key, std::initializer_list<Word> Keys) {
  for (Word k : Keys)
    if (k == Key) return true;
  return false;
}

// The editor opens again on the cell the grid moved to, when the grid advances with its editor.
void ReopenAfterAdvance(TExStringGrid* G) {
  if (G->Navigation()->AdvanceOnEnter() && G->Navigation()->AdvanceAutoEdit()) G->ShowInplaceEdit();
}

// Lookup completion over the grid's lookup list for an edit at its caret: completes the text
// with the first item that starts with the typed part and selects the completed part.
void CompleteFromLookup(TExStringGrid* G, TCustomEdit* Edit) {
  if (Edit->SelLength() != 0) return;
  const String text = Edit->Text();
  const Integer caret = std::min<Integer>(Edit->SelStart(), static_cast<Integer>(text.size()));
  String p = text.substr(0, static_cast<size_t>(caret));
  const bool caseSensitive = G->LookupCaseSensitive();
  if (!caseSensitive) p = AnsiUpperCase(p);
  TStringList* items = G->LookupItems();
  if (!items || items->Count() == 0 || !G->Lookup() || p.empty()) return;
  for (Integer i = 0; i < items->Count(); ++i) {
    const String item = items->Strings(i);
    const String probe = caseSensitive ? item : AnsiUpperCase(item);
    if (probe.compare(0, p.size(), p) != 0) continue;
    const String completed = text.substr(0, p.size()) + (item.size() > p.size() ? item.substr(p.size(), 255) : String());
    if (completed != text) Edit->SetText(completed);
    Edit->SetSelStart(static_cast<Integer>(p.size()));
    Edit->SetSelLength(static_cast<Integer>(completed.size() - p.size()));
    return;
  }
}

// The cursor walk of the combo and edit-button editors: Left at the text's start, Right at its
// end. A neighbour cell with a check box, radio or button becomes current once the text is
// accepted; otherwise the grid takes the focus and advances one cell, also only with an accepted
// text. Answers false when the text was refused: the editor stays on the cell.
bool CursorWalk(TExStringGrid* G, bool Forward, const String& Text) {
  const Integer col = G->Col(), row = G->Row();
  const Integer span = G->CellSpan(G->DisplayToRealCol(col), row).X;
  const Integer target = Forward ? col + span + 1 : col - 1;
  const bool inside = Forward ? col < G->ColCount() - G->FixedRightCols() - 1 : col > G->FixedCols();
  if (inside && G->IsControlCell(G->DisplayToRealCol(target), row)) {
    if (!G->ValidateCell(Text)) return false;
    G->HideInplaceEdit();
    G->SetCol(target);
    return true;
  }
  if (!G->ValidateCell(Text)) return false;
  FocusGrid(G);
  TNavigation* nav = G->Navigation();
  const TAdvanceDirection saved = nav->AdvanceDirection();
  nav->SetAdvanceDirection(adLeftRight);
  G->AdvanceCell(col, row, true, true, Forward, false, true);
  nav->SetAdvanceDirection(saved);
  if (nav->CursorWalkAlwaysEdit()) G->ShowInplaceEdit();
  return true;
}

}  // namespace

// --- TGridCheckBox -------------------------------------------------------------------------------------

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner) { FGrid = GridOfEditor(AOwner); }

void TGridCheckBox::ReCreate() { Invalidate(); }

void TGridCheckBox::WMLButtonDown(TMessage& M) {
  Toggle();
  TCheckBox::WMLButtonDown(M);
}

void TGridCheckBox::CMWantSpecialKey(TMessage& M) {
  // Enter and the arrow keys end the edit in KeyDown; left to the form, Enter would press its
  // default button and the arrows would only move the focus among the grid's editors. Esc stays
  // with the box too. Tab is left to the form: moving the focus away ends the edit.
  const Word key = static_cast<Word>(M.WParam);
  if (IsOneOf(key, {VK_RETURN, VK_ESCAPE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) {
    M.Result = 1;
    return;
  }
  TCheckBox::CMWantSpecialKey(M);
}

void TGridCheckBox::Dispatch(TMessage& M) {
  // The box toggles once per press (mouse or Space), when the press arrives; the release of the
  // press that toggled it is only a release.
  if (M.Msg == WM_LBUTTONUP || (M.Msg == WM_KEYUP && static_cast<Word>(M.WParam) == VK_SPACE)) FPressed = false;
  TCheckBox::Dispatch(M);
}

void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_SPACE) {
    Toggle();
    TCheckBox::KeyDown(Key, Shift);
    return;
  }
  if (IsOneOf(Key, {VK_RETURN, VK_PRIOR, VK_NEXT, VK_END, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) {
    FGrid->HideInplaceEdit();
    FocusGrid(FGrid);
    if (Key == VK_RETURN && FGrid->Navigation()->AdvanceOnEnter())
      FGrid->AdvanceCell(FGrid->Col(), FGrid->Row(), false, false, true, false, false);
    if (Key == VK_UP || Key == VK_DOWN) FGrid->KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  TCheckBox::KeyDown(Key, Shift);
}

void TGridCheckBox::DoExit() {
  FGrid->HideInplaceEdit();
  TCheckBox::DoExit();
}

// --- TGridSpin -------------------------------------------------------------------------------------------

TGridSpin::TGridSpin(TComponent* AOwner) : TEsgSpinEdit(AOwner) {
  FGrid = GridOfEditor(AOwner);
  SetMaxValue(100);
  SetMinValue(0);
  SetIncrement(1);
}

void TGridSpin::ReCreate() { Invalidate(); }

void TGridSpin::DoSpinClick(bool UpDown) {
  const Integer col = FGrid->Col(), row = FGrid->Row();
  switch (SpinType()) {
    case sptNormal:
      if (FGrid->OnSpinClick) FGrid->OnSpinClick(FGrid, col, row, Value(), UpDown);
      break;
    case sptFloat:
      if (FGrid->OnFloatSpinClick) FGrid->OnFloatSpinClick(FGrid, col, row, FloatValue(), UpDown);
      break;
    case sptDate:
      if (FGrid->OnDateSpinClick) FGrid->OnDateSpinClick(FGrid, col, row, DateValue(), UpDown);
      break;
    case sptTime:
      if (FGrid->OnTimeSpinClick) FGrid->OnTimeSpinClick(FGrid, col, row, TimeValue(), UpDown);
      break;
  }
}

void TGridSpin::UpClick(TObject* Sender) {
  TEsgSpinEdit::UpClick(Sender);
  DoSpinClick(true);
}

void TGridSpin::DownClick(TObject* Sender) {
  TEsgSpinEdit::DownClick(Sender);
  DoSpinClick(false);
}

void TGridSpin::CMWantSpecialKey(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  if (key == VK_RETURN || key == VK_ESCAPE || (key == VK_TAB && FGrid->Options().Contains(goTabs))) {
    M.Result = 1;
    return;
  }
  TEsgSpinEdit::CMWantSpecialKey(M);
}

void TGridSpin::WMChar(TMessage& M) {
  const Char ch = static_cast<Char>(M.WParam);
  if (ch == 9 || ch == 13) {
    M.Result = 0;
    return;
  }
  TEsgSpinEdit::WMChar(M);
}

void TGridSpin::KeyDown(Word& Key, TShiftState Shift) {
  const bool pageKey = IsOneOf(Key, {VK_PRIOR, VK_NEXT, VK_HOME, VK_END});
  if (pageKey) {
    // The page keys step within the bounds; Home goes to the maximum and End to the minimum.
    if (SpinType() == sptNormal) {
      const Integer v = Value();
      if (Key == VK_PRIOR && v + Increment() <= MaxValue()) SetValue(v + Increment());
      if (Key == VK_NEXT && v - Increment() >= MinValue()) SetValue(v - Increment());
      if (Key == VK_HOME) SetValue(MaxValue());
      if (Key == VK_END) SetValue(MinValue());
    } else if (SpinType() == sptFloat) {
      const double v = FloatValue();
      if (Key == VK_PRIOR && v + IncrementFloat() <= MaxFloatValue()) SetFloatValue(v + IncrementFloat());
      if (Key == VK_NEXT && v - IncrementFloat() >= MinFloatValue()) SetFloatValue(v - IncrementFloat());
      if (Key == VK_HOME) SetFloatValue(MaxFloatValue());
      if (Key == VK_END) SetFloatValue(MinFloatValue());
    }
    if (FGrid->OnSpinClick)
      FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), Key == VK_PRIOR || Key == VK_HOME);
    Key = 0;
    return;
  }
  if (!IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN})) {
    TEsgSpinEdit::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    SetText(FGrid->FCellCache);
    if (SpinType() == sptNormal) SetValue(Value());
    if (SpinType() == sptFloat) SetFloatValue(FloatValue());
  } else {
    const String t = Text();
    FGrid->SetCurrentCell(t);
    if (!FGrid->ValidateCell(t)) {
      SetText(FGrid->GetCurrentCell());
      SetSelStart(static_cast<Integer>(Text().size()));
      Invalidate();
      FGrid->FNoAutoAdvance = true;
      Key = 0;
      return;
    }
    SetText(FGrid->GetCurrentCell());
  }
  if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
    FGrid->HideInplaceEdit();
    FocusGrid(FGrid);
    FGrid->TabNavigate(Shift.Contains(ssShift));
    Key = 0;
    return;
  }
  FGrid->DoneInplaceEdit(Key, Shift);
  ReopenAfterAdvance(FGrid);
  Key = 0;
  TEsgSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyUp(Word& Key, TShiftState Shift) { TEsgSpinEdit::KeyUp(Key, Shift); }

void TGridSpin::KeyPress(Char& Key) {
  if (Key == 27) Key = 0;
  if (Key == 13) return;
  TEsgSpinEdit::KeyPress(Key);
}

void TGridSpin::Change() {
  TEsgSpinEdit::Change();
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridSpin::DoExit() {
  FGrid->HideInplaceEdit();
  TEsgSpinEdit::DoExit();
}

// --- TGridCombo ------------------------------------------------------------------------------------------

TGridCombo::TGridCombo(TComponent* AOwner) : TEsgComboBox(AOwner) {
  FGrid = GridOfEditor(AOwner);
  WorkMode = true;
  SetButtonWidth(16);
  ItemChange = false;
}

Integer TGridCombo::EditSelStart() { return Impl() ? Impl()->SelStart() : 0; }
Integer TGridCombo::EditSelLength() { return Impl() ? Impl()->SelLength() : 0; }
void TGridCombo::SetEditSel(Integer Start, Integer Length) {
  if (Impl()) Impl()->SetSelection(Start, Length);
}

void TGridCombo::CMWantSpecialKey(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  if (key == VK_RETURN || key == VK_ESCAPE || (key == VK_TAB && FGrid->ValidateOnTab())) {
    M.Result = 1;
    return;
  }
  TEsgComboBox::CMWantSpecialKey(M);
}

void TGridCombo::WMSetFocus(TMessage& M) {
  TEsgComboBox::WMSetFocus(M);
  const bool editable = Style() == csDropDown;
  if (editable && !FGrid->Navigation()->EditSelectAll()) SetEditSel(static_cast<Integer>(Text().size()), 0);
  if (FGrid->LButFlg) {
    const TPoint p = ScreenToClient(GetCursorPos());
    if (p.X >= 0 && p.X <= Width() && p.Y >= 0 && p.Y <= Height()) {
      if (editable && Impl()) SetEditSel(Impl()->CharFromPos(p), 0);
      FGrid->LButFlg = false;
    }
  }
}

void TGridCombo::KeyDown(Word& Key, TShiftState Shift) {
  Forced = false;
  const bool list = Style() == csDropDownList;
  const bool dropped = DroppedDown();
  bool gridKey = (list || dropped) ? IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_LEFT, VK_RIGHT})
                                   : IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_UP,
                                                   VK_DOWN});
  if (Key == VK_DOWN && Shift.Contains(ssAlt)) gridKey = false;
  WorkMode = !(Key == VK_BACK || Key == VK_DELETE);
  TNavigation* nav = FGrid->Navigation();

  if ((Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt) && !nav->ComboGetUpDown() && !dropped) {
    // The grid moves to the next row; the combo's own handling of the key ends here.
    FGrid->HideInplaceEdit();
    const bool always = nav->AlwaysEdit();
    nav->SetAlwaysEdit(false);
    FocusGrid(FGrid);
    nav->SetAlwaysEdit(always);
    FGrid->KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  if (!gridKey) {
    TEsgComboBox::KeyDown(Key, Shift);
    return;
  }
  // The cell's text selected in the list, or put into the editable field.
  auto showCellText = [&] {
    const String cell = FGrid->GetCurrentCell();
    if (list) {
      const Integer i = Items()->IndexOf(cell);
      if (i >= 0) SetItemIndex(i);
    } else {
      SetText(cell);
    }
  };
  if (Key == VK_ESCAPE) {
    const String cell = FGrid->GetCurrentCell();
    SetText(cell);
    const Integer i = Items()->IndexOf(cell);
    if (i >= 0) SetItemIndex(i);
    FGrid->HideInplaceEdit();
    FocusGrid(FGrid);
  }
  if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    const String t = Text();
    FGrid->SetCurrentCell(t);
    if (!FGrid->ValidateCell(t)) {
      SetText(FGrid->FNewCellText);
      if (!list) SelectAll();
      Invalidate();
      Key = 0;
      FGrid->FNoAutoAdvance = true;
      return;
    }
    showCellText();
  }
  if (Key == VK_TAB && FGrid->ValidateOnTab()) {
    const String t = Text();
    FGrid->SetCurrentCell(t);
    if (!FGrid->ValidateCell(t)) {
      SetText(FGrid->FNewCellText);
      if (!list) SetEditSel(static_cast<Integer>(Text().size()), 0);
      Invalidate();
      Key = 0;
      FGrid->FNoAutoAdvance = true;
      return;
    }
    showCellText();
    if (FGrid->Options().Contains(goTabs)) {
      FGrid->HideInplaceEdit();
      FocusGrid(FGrid);
      FGrid->TabNavigate(Shift.Contains(ssShift));
      Key = 0;
      return;
    }
    PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (list || dropped) {
    TMouseActions* ma = FGrid->MouseActions();
    const bool directClose = ma->DirectComboClose();
    ma->SetDirectComboClose(false);
    FGrid->HideInplaceEdit();
    ma->SetDirectComboClose(directClose);
    if (Key == VK_LEFT || Key == VK_RIGHT) FGrid->KeyDown(Key, Shift);
    if (IsOneOf(Key, {VK_PRIOR, VK_NEXT, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) Key = 0;
  } else if (Key == VK_END) {
    TEsgComboBox::KeyDown(Key, Shift);
    return;
  }
  FGrid->DoneInplaceEdit(Key, Shift);
  ReopenAfterAdvance(FGrid);
  Key = 0;
  TEsgComboBox::KeyDown(Key, Shift);
}

void TGridCombo::KeyUp(Word& Key, TShiftState Shift) {
  const bool editable = Style() == csDropDown;
  if (editable && FGrid->Navigation()->CursorWalkEditor() && Shift.Empty()) {
    const Integer len = static_cast<Integer>(Text().size());
    const bool noSel = EditSelLength() == 0;
    if ((Key == VK_LEFT && noSel && EditSelStart() == 0) || (Key == VK_RIGHT && noSel && EditSelStart() == len)) {
      const bool forward = Key == VK_RIGHT;
      Key = 0;
      if (!CursorWalk(FGrid, forward, Text())) {
        SetText(FGrid->FNewCellText);
        SetEditSel(static_cast<Integer>(Text().size()), 0);
        Invalidate();
      }
    }
  }
  FGrid->FNoAutoAdvance = false;
  if (Key != VK_RETURN && Key != 0) TEsgComboBox::KeyUp(Key, Shift);
  DoChange();
}

void TGridCombo::KeyPress(Char& Key) {
  if (FGrid->OnKeyPress) FGrid->OnKeyPress(this, Key);
  if (Key == 27) Key = 0;
  if (Key == 13 && OnReturnKey) OnReturnKey(this);
  if (Key == 13 || Key == 9) Key = 0;
  TEsgComboBox::KeyPress(Key);
}

void TGridCombo::WndProc(TMessage& Message) {
  const UINT wheel = FGrid->wheelmsg != 0 ? FGrid->wheelmsg : WM_MOUSEWHEEL;
  if (Message.Msg == wheel || Message.Msg == WM_MOUSEWHEEL) {
    // The wheel walks the items, never beyond the first or the last one.
    const Integer delta = SmallIntHi(Message.WParam);
    const Integer count = Items()->Count();
    Integer i = ItemIndex();
    if (delta < 0 && i < count - 1) SetItemIndex(i + 1);
    if (delta > 0 && i > 0) SetItemIndex(i - 1);
    i = ItemIndex();
    const Integer realCol = FGrid->RealColIndex(FGrid->Col());
    const String text = Text();
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, realCol, FGrid->Row(), text);
    if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, realCol, FGrid->Row(), i, text);
    if (FGrid->OnComboObjectChange)
      FGrid->OnComboObjectChange(FGrid, realCol, FGrid->Row(), i, text, i >= 0 ? Items()->Objects(i) : nullptr);
    Message.Result = 0;
    return;
  }
  if (Message.Msg == WM_CHAR) {
    // A typed letter may select an item of the pick list: the change is reported.
    const Integer before = ItemIndex();
    TEsgComboBox::WndProc(Message);
    const Integer after = ItemIndex();
    if (after != before) {
      const Integer realCol = FGrid->RealColIndex(FGrid->Col());
      if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, realCol, FGrid->Row(), after, Text());
      if (FGrid->OnComboObjectChange)
        FGrid->OnComboObjectChange(FGrid, realCol, FGrid->Row(), after, Text(),
                                   after >= 0 ? Items()->Objects(after) : nullptr);
    }
    return;
  }
  TEsgComboBox::WndProc(Message);
}

void TGridCombo::Change() {
  TEsgComboBox::Change();
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridCombo::DoExit() {
  const String t = Text();
  if (FGrid->LookupHistory() && !t.empty() && Items()->IndexOf(t) == -1) Items()->Add(t);
  FGrid->HideInplaceEdit();
  TEsgComboBox::DoExit();
}

void TGridCombo::DoChange() {
  if (!WorkMode || !FGrid->Lookup()) return;
  const String text = Text();
  const Integer caret = std::min<Integer>(EditSelStart(), static_cast<Integer>(text.size()));
  String p = text.substr(0, static_cast<size_t>(caret));
  const bool caseSensitive = FGrid->LookupCaseSensitive();
  if (!caseSensitive) p = AnsiUpperCase(p);
  if (p.empty()) return;
  auto tryList = [&](TStrings* L, bool SelectsItem) {
    if (!L) return false;
    for (Integer i = 0; i < L->Count(); ++i) {
      const String item = L->Strings(i);
      const String probe = caseSensitive ? item : AnsiUpperCase(item);
      if (probe.compare(0, p.size(), p) != 0) continue;
      const String completed =
          text.substr(0, p.size()) + (item.size() > p.size() ? item.substr(p.size(), 255) : String());
      if (SelectsItem) SetItemIndex(i);
      if (Style() == csDropDown && Impl()) Impl()->SetText(completed);
      SetEditSel(static_cast<Integer>(p.size()), static_cast<Integer>(completed.size() - p.size()));
      ItemIdx = i;
      ItemChange = true;
      return true;
    }
    return false;
  };
  if (!tryList(Items(), true)) tryList(FGrid->LookupItems(), false);
}

void TGridCombo::SizeDropDownWidth() {
  Integer w = Width();
  TCanvas* c = FGrid->Canvas();
  c->Font()->Assign(FGrid->Font());
  const bool scrolls = Items()->Count() > DropDownCount();
  for (Integer i = 0; i < Items()->Count(); ++i) {
    const Integer iw = c->TextWidth(Items()->Strings(i));
    if (scrolls) {
      if (iw > w - 25) w = iw + 25;
    } else if (iw > w - 5) {
      w = iw + 8;
    }
  }
  Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(w), 0);
}

// --- TGridDatePicker ---------------------------------------------------------------------------------

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TEsgDateTimePicker(AOwner) {
  FGrid = GridOfEditor(AOwner);
}

void TGridDatePicker::ReCreate() { Invalidate(); }

void TGridDatePicker::CMWantSpecialKey(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  if (key == VK_RETURN || key == VK_ESCAPE || (key == VK_TAB && FGrid->ValidateOnTab())) {
    M.Result = 1;
    return;
  }
  TEsgDateTimePicker::CMWantSpecialKey(M);
}

void TGridDatePicker::WndProc(TMessage& Message) {
  TEsgDateTimePicker::WndProc(Message);
  if (Message.Msg == DTPShiftFocusMessage()) ShiftFocus();
}

bool TGridDatePicker::TypedFieldComplete(Integer Highest) const {
  // No second digit can follow: two were typed, or the first already exceeds a tenth of the
  // field's largest value.
  return FTypedField < 0 || FTypedCount >= 2 || FTypedValue * 10 > Highest;
}

void TGridDatePicker::ShiftFocus() {
  if (Kind() == dtkTime) {
    Word h, n, s, ms;
    DecodeTime(DateTime(), h, n, s, ms);
    if (h == Fth && n == Ftm && s == Fts) return;
    // The field being typed moves on only once it is complete.
    const Integer highest = h != Fth ? 23 : 59;
    if (TypedFieldComplete(highest)) PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    return;
  }
  Word y, m, d;
  DecodeDate(DateTime(), y, m, d);
  const bool changed = y != Fy || m != Fm || d != Fd;
  if (!changed) return;
  if (d != Fd && !TypedFieldComplete(31)) return;
  if (m != Fm && d == Fd && !TypedFieldComplete(12)) return;
  if (!Format().empty()) {
    const Char c = Format().back();
    // The field that changed is the format's last one: there is no field to move to.
    if ((d != Fd && (c == u'd' || c == u'D')) || (m != Fm && (c == u'm' || c == u'M')) ||
        (y != Fy && (c == u'y' || c == u'Y')))
      return;
    PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    return;
  }
  if (d != Fd || m != Fm) PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

bool TGridDatePicker::TextToValue(const String& Text, TDateTime& Value) const {
  const bool time = Kind() == dtkTime;
  if (!Format().empty()) {
    // The picker's own format, with its first separator as the date (or time) separator.
    TFormatSettings fs = FormatSettings;
    for (Char c : Format()) {
      const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
      if (!letter && c != u' ') {
        if (time)
          fs.TimeSeparator = c;
        else
          fs.DateSeparator = c;
        break;
      }
    }
    if (time) {
      fs.LongTimeFormat = Format();
      if (TryStrToTime(Text, Value, fs)) return true;
    } else {
      fs.ShortDateFormat = Format();
      if (TryStrToDate(Text, Value, fs)) return true;
    }
  }
  return time ? TryStrToTime(Text, Value) : TryStrToDate(Text, Value);
}

void TGridDatePicker::KeyPress(Char& Key) {
  if (FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
  if (Key >= u'0' && Key <= u'9') {
    DecodeDate(DateTime(), Fy, Fm, Fd);
    DecodeTime(DateTime(), Fth, Ftm, Fts, Ftms);
    TEsgDateTimePicker::KeyPress(Key);
    PostMessage(Handle(), DTPShiftFocusMessage(), 0, 0);
    return;
  }
  TEsgDateTimePicker::KeyPress(Key);
}

void TGridDatePicker::KeyDown(Word& Key, TShiftState Shift) {
  if (!IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END})) {
    TEsgDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  // The picker's value from a text in its own or the locale's form; now when it does not convert.
  auto loadValue = [this](const String& Text) {
    TDateTime v = 0;
    const bool ok = TextToValue(Text, v);
    if (Kind() == dtkTime)
      SetTime(ok ? v : Now());
    else
      SetDate(ok ? v : Now());
  };
  if (Key == VK_ESCAPE) loadValue(FGrid->GetCurrentCell());
  if (Key == VK_RETURN) {
    // The field being typed is taken before the value is read.
    SendMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessage(Handle(), WM_KEYUP, VK_RIGHT, 0);
    const String t = PickerText();
    FGrid->SetCurrentCell(t);
    if (!FGrid->ValidateCell(t)) {
      loadValue(FGrid->FNewCellText);
      Invalidate();
      Key = 0;
      FGrid->FNoAutoAdvance = true;
      return;
    }
    // The picker shows the cell's text already unless the validation changed it.
    if (FGrid->GetCurrentCell() != t) loadValue(FGrid->GetCurrentCell());
  }
  if (Key == VK_TAB && FGrid->ValidateOnTab()) {
    const String t = PickerText();
    FGrid->SetCurrentCell(t);
    if (!FGrid->ValidateCell(t)) {
      loadValue(FGrid->FNewCellText);
      Invalidate();
      Key = 0;
      return;
    }
    if (FGrid->Options().Contains(goTabs)) {
      FGrid->HideInplaceEdit();
      FocusGrid(FGrid);
      FGrid->TabNavigate(Shift.Contains(ssShift));
      Key = 0;
      return;
    }
    PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (!DroppedDown()) FGrid->DoneInplaceEdit(Key, Shift);
}

void TGridDatePicker::DoExit() {
  FGrid->HideInplaceEdit();
  TEsgDateTimePicker::DoExit();
}

// --- TGridEditBtn --------------------------------------------------------------------------------------

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TEsgEditBtn(AOwner) {
  FGrid = GridOfEditor(AOwner);
  OnClickBtn = [this](TObject* Sender) { DoEllipsisClick(Sender); };
  WorkMode = true;
}

void TGridEditBtn::ReCreate() { Invalidate(); }

void TGridEditBtn::DoEllipsisClick(TObject* Sender) {
  (void)Sender;
  String result;
  FGrid->EllipsClick(Text(), result);
  SetText(result);
  SelectAll();
  Invalidate();
  if (FStopEditAfterClick) {
    FGrid->HideInplaceEdit();
    FocusGrid(FGrid);
  }
}

void TGridEditBtn::WMChar(TMessage& M) {
  Char ch = static_cast<Char>(M.WParam);
  if (ch == 13 || ch == 9) {
    M.Result = 1;
    return;
  }
  switch (FGrid->EditControl) {
    case edEditBtn:
    case edMaskEditBtn: TEsgEditBtn::WMChar(M); return;
    case edNumericEditBtn:
    case edFloatEditBtn: {
      const Integer verdict =
          FilterEditorChar(FGrid, FGrid->EditControl == edNumericEditBtn ? edNumeric : edFloat, this, ch);
      if (verdict == 1) Beep();
      if (verdict != 0) return;
      M.WParam = ch;
      TEsgEditBtn::WMChar(M);
      return;
    }
    default: return;
  }
}

void TGridEditBtn::WMPaste(TMessage& M) {
  (void)M;
  bool allow = Clipboard()->HasFormat(CF_TEXT) || Clipboard()->HasFormat(CF_UNICODETEXT);
  String v = allow ? Clipboard()->AsText() : String();
  if (FGrid->OnClipboardPaste) FGrid->OnClipboardPaste(this, allow);
  if (FGrid->OnClipboardBeforePasteCell) FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), v, allow);
  if (!allow) return;
  const size_t crlf = v.find(u"\r\n");
  if (crlf != String::npos && crlf + 2 == v.size()) v.resize(crlf);
  const String text = Text();
  const Integer start = std::min<Integer>(SelStart(), static_cast<Integer>(text.size()));
  const Integer length = SelLength();
  const String n = text.substr(0, static_cast<size_t>(start)) + v +
                   text.substr(static_cast<size_t>(std::min<Integer>(start + length, static_cast<Integer>(text.size()))));
  SetText(n);
  FGrid->SetCurrentEditText(Text());
  if (length > 0) {
    SetSelStart(start);
    SetSelLength(static_cast<Integer>(v.size()));
  } else {
    SetSelStart(start + static_cast<Integer>(v.size()));
  }
}

void TGridEditBtn::Dispatch(TMessage& M) {
  if (M.Msg == WM_PASTE) {
    WMPaste(M);
    return;
  }
  TEsgEditBtn::Dispatch(M);
}

void TGridEditBtn::WMLButtonDblClk(TMessage& M) {
  TEsgEditBtn::WMLButtonDblClk(M);
  if (FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridEditBtn::CMWantSpecialKey(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  if (key == VK_RETURN || key == VK_ESCAPE || (key == VK_TAB && FGrid->ValidateOnTab())) {
    M.Result = 1;
    return;
  }
  TEsgEditBtn::CMWantSpecialKey(M);
}

void TGridEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  const bool handled = IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN});
  if (!handled && FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
  WorkMode = !(Key == VK_BACK || Key == VK_DELETE);
  FSelKeyDown = SelStart();
  if (Shift.Contains(ssCtrl) || !handled) {
    TEsgEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
  if (IsOneOf(Key, {VK_TAB, VK_RETURN, VK_UP, VK_DOWN})) {
    const TEditorType type = FGrid->EditControl;
    const String t = Text();
    FGrid->SetCurrentCell(t);
    const bool ok = FGrid->ValidateCell(t);
    SetText(FGrid->FNewCellText);
    if (!ok) {
      SelectAll();
      Invalidate();
      Key = 0;
      FGrid->EditControl = type;
      return;
    }
  }
  if (Key == VK_TAB && FGrid->ValidateOnTab()) {
    const String t = Text();
    FGrid->SetCurrentCell(t);
    if (!FGrid->ValidateCell(t)) {
      SetSelStart(static_cast<Integer>(Text().size()));
      Invalidate();
      Key = 0;
      return;
    }
    if (FGrid->Options().Contains(goTabs)) {
      FGrid->HideInplaceEdit();
      FocusGrid(FGrid);
      FGrid->TabNavigate(Shift.Contains(ssShift));
      Key = 0;
      return;
    }
    PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_ESCAPE) SetText(FGrid->FCellCache);
  FGrid->DoneInplaceEdit(Key, Shift);
}

void TGridEditBtn::KeyUp(Word& Key, TShiftState Shift) {
  if (FGrid->OnKeyUp) FGrid->OnKeyUp(FGrid, Key, Shift);
  if (FGrid->Navigation()->CursorWalkEditor() && Shift.Empty()) {
    const Integer len = static_cast<Integer>(Text().size());
    const bool noSel = SelLength() == 0;
    if ((Key == VK_RIGHT && noSel && SelStart() == len) || (Key == VK_LEFT && noSel && FSelKeyDown == 0)) {
      const bool forward = Key == VK_RIGHT;
      Key = 0;
      if (!CursorWalk(FGrid, forward, Text())) {
        SetText(FGrid->FNewCellText);
        SetSelStart(static_cast<Integer>(Text().size()));
        Invalidate();
      }
    }
  }
  if (Key != VK_RETURN && Key != 0) TEsgEditBtn::KeyUp(Key, Shift);
  DoChange();
}

void TGridEditBtn::KeyPress(Char& Key) {
  if (FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
  if (Key == 9) return;
  TEsgEditBtn::KeyPress(Key);
}

void TGridEditBtn::DoChange() {
  if (WorkMode) CompleteFromLookup(FGrid, this);
}

void TGridEditBtn::Change() {
  TEsgEditBtn::Change();
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridEditBtn::DoExit() {
  FGrid->HideInplaceEdit();
  TEsgEditBtn::DoExit();
}

// --- TGridUnitEditBtn ----------------------------------------------------------------------------------

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TEsgUnitEditBtn(AOwner) {
  FGrid = GridOfEditor(AOwner);
  OnClickBtn = [this](TObject* Sender) { DoEllipsisClick(Sender); };
}

void TGridUnitEditBtn::ReCreate() { Invalidate(); }

void TGridUnitEditBtn::DoEllipsisClick(TObject* Sender) {
  (void)Sender;
  String result;
  FGrid->EllipsClick(Text(), result);
  SetText(result);
  SelectAll();
  Invalidate();
}

void TGridUnitEditBtn::WMChar(TMessage& M) {
  Char ch = static_cast<Char>(M.WParam);
  if (ch == 13) {
    M.Result = 0;
    return;
  }
  switch (FGrid->EditControl) {
    case edUnitEditBtn: TEsgUnitEditBtn::WMChar(M); return;
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn: {
      const Integer verdict =
          FilterEditorChar(FGrid, FGrid->EditControl == edNumericUnitEditBtn ? edNumeric : edFloat, this, ch);
      if (verdict == 1) Beep();
      if (verdict != 0) return;
      M.WParam = ch;
      TEsgUnitEditBtn::WMChar(M);
      return;
    }
    default: return;
  }
}

void TGridUnitEditBtn::CMWantSpecialKey(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  if (key == VK_RETURN || key == VK_ESCAPE || (key == VK_TAB && FGrid->Options().Contains(goTabs))) {
    M.Result = 1;
    return;
  }
  TEsgUnitEditBtn::CMWantSpecialKey(M);
}

void TGridUnitEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  if (!IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN})) {
    TEsgUnitEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (IsOneOf(Key, {VK_TAB, VK_RETURN, VK_UP, VK_DOWN})) {
    const String t = TextAndUnit();
    FGrid->SetCurrentCell(t);
    if (!FGrid->ValidateCell(t)) {
      SetTextAndUnit(FGrid->GetCurrentCell());
      Key = 0;
      return;
    }
    SetTextAndUnit(FGrid->GetCurrentCell());
  }
  if (Key == VK_RETURN && FGrid->Navigation()->AdvanceOnEnter()) {
    FGrid->HideInplaceEdit();
    FocusGrid(FGrid);
    Key = 0;
    FGrid->AdvanceCell(FGrid->Col(), FGrid->Row(), false, true, true, false, false);
    return;
  }
  if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
    FGrid->HideInplaceEdit();
    FocusGrid(FGrid);
    FGrid->TabNavigate(Shift.Contains(ssShift));
    Key = 0;
    return;
  }
  if (Key == VK_ESCAPE) {
    SetUnitID(String());
    SetText(FGrid->GetCurrentCell());
  }
  FGrid->DoneInplaceEdit(Key, Shift);
}

void TGridUnitEditBtn::DoExit() {
  FGrid->HideInplaceEdit();
  TEsgUnitEditBtn::DoExit();
}

// --- TGridButton -----------------------------------------------------------------------------------------

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner) { FGrid = GridOfEditor(AOwner); }

void TGridButton::ReCreate() { Invalidate(); }

void TGridButton::CMWantSpecialKey(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  if (IsOneOf(key, {VK_ESCAPE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) {
    M.Result = 1;
    return;
  }
  TButton::CMWantSpecialKey(M);
}

void TGridButton::PressAction() {
  String result;
  FGrid->EllipsClick(Caption(), result);
  SetCaption(result);
  FGrid->SetCurrentCell(Caption());
}

void TGridButton::WMLButtonUp(TMessage& M) {
  if (dynamic_cast<TExStringGrid*>(Parent())) PressAction();
  TButton::WMLButtonUp(M);
}

void TGridButton::Dispatch(TMessage& M) { TButton::Dispatch(M); }

void TGridButton::HideButton() {
  SetVisible(false);
  SetEnabled(false);
  FGrid->EditMode = false;
  FocusGrid(FGrid);
}

void TGridButton::KeyUp(Word& Key, TShiftState Shift) {
  if (Key != VK_SPACE) {
    Key = 0;
    return;
  }
  PressAction();
  if (CanFocus()) SetFocus();
  Invalidate();
  (void)Shift;
}

void TGridButton::KeyDown(Word& Key, TShiftState Shift) {
  if (IsOneOf(Key, {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) {
    const Word key = Key;
    SendMessage(FGrid->Handle(), WM_KEYDOWN, key, 0);
    HideButton();
    SendMessage(FGrid->Handle(), WM_KEYUP, key, 0);
    Key = 0;
    return;
  }
  if (Key == VK_ESCAPE) {
    // The grid taking the focus back takes the current cell's text as its cache: the text from
    // when editing began is kept across.
    const String cache = FGrid->FCellCache;
    HideButton();
    FGrid->FCellCache = cache;
    FGrid->RestoreCellValue();
    SendMessage(FGrid->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Key = 0;
    return;
  }
  TButton::KeyDown(Key, Shift);
}

void TGridButton::DoExit() {
  FGrid->HideInplaceEdit();
  TButton::DoExit();
}
