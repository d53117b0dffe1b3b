#include "components/dropdown/ExTimePickerDropDown.h"

#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"

namespace {

Char TimeSeparator() { return FormatSettings.TimeSeparator; }

// The navigation keys the popup keeps for the clock unless Alt is held.
bool IsNavigationKey(Word Key) {
  return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
}

}  // namespace

// --- TExTimePickerDropDown -------------------------------------------------------------------------

TExTimePickerDropDown::TExTimePickerDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()) {
  // A change of the appearance shows at the next opening, when the clock takes a copy.
  FWatchAppearance->OnChange = [](TObject*) {};
  FShowTimePicker = false;
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  FShowSeconds = true;
  {
    // The mask keeps typed digits in their places; the text is the field's own.
    const bool Saved = FInternalCall;
    FInternalCall = true;
    SetEditMask(TimeEditMask(true, TimeSeparator()));
    FInternalCall = Saved;
  }
  SetInternalText(FormatTimeText(0, 0, 0, true, TimeSeparator()));
  FWatchSettings = std::make_unique<TWatchSettings>();
  FShowWatchAMPM = true;
  FShowWatchNumbers = true;
  FAnimation = true;
  FAnimationFactor = 10;
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  // The construction's colour style reaches the clock's appearance too.
  ApplyWatchComponentStyle(FWatchAppearance.get(), GetComponentStyle());
}

TExTimePickerDropDown::~TExTimePickerDropDown() = default;

void TExTimePickerDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TExCustomDropDown::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FExWatch) FExWatch = nullptr;
  if (AComponent == FDateTimePicker) FDateTimePicker = nullptr;
  if (AComponent == FPanelCtrl) FPanelCtrl = nullptr;
}

String TExTimePickerDropDown::TimeText(TDateTime Value) const {
  Word H, M, S, MS;
  DecodeTime(Value, H, M, S, MS);
  return FormatTimeText(H, M, S, FShowSeconds, TimeSeparator());
}

void TExTimePickerDropDown::SetInternalText(const String& S) {
  const bool Saved = FInternalCall;
  FInternalCall = true;
  try {
    SetRawText(S);
  } catch (...) {
    FInternalCall = Saved;
    throw;
  }
  FInternalCall = Saved;
}

void TExTimePickerDropDown::DoTimeChange() {
  if (OnTimeChange) OnTimeChange(this);
}

void TExTimePickerDropDown::SetTime(TDateTime Value) {
  if (Value == FTime) return;
  FTime = Value;
  // The change handling reads the text back into FTime.
  SetRawText(TimeText(Value));
  if (DroppedDown()) {
    if (FExWatch) FExWatch->SetTime(Value);
    if (FShowTimePicker && FDateTimePicker) FDateTimePicker->SetTime(Value);
  }
}

void TExTimePickerDropDown::SetTimeHour(Integer Hour) {
  if (Hour < 0 || Hour > 23) return;
  Word H, M, S, MS;
  DecodeTime(FTime, H, M, S, MS);
  if (Hour == H) return;
  SetTime(EncodeTime(static_cast<Word>(Hour), M, S, MS));
  DoTimeChange();
}

void TExTimePickerDropDown::SetTimeMinute(Integer Minute) {
  if (Minute < 0 || Minute >= 60) return;
  Word H, M, S, MS;
  DecodeTime(FTime, H, M, S, MS);
  if (Minute == M) return;
  SetTime(EncodeTime(H, static_cast<Word>(Minute), S, MS));
  DoTimeChange();
}

void TExTimePickerDropDown::SetTimeSecond(Integer Second) {
  if (Second < 0 || Second >= 60) return;
  Word H, M, S, MS;
  DecodeTime(FTime, H, M, S, MS);
  if (Second == S) return;
  SetTime(EncodeTime(H, M, static_cast<Word>(Second), MS));
  DoTimeChange();
}

void TExTimePickerDropDown::SetShowSeconds(bool Value) {
  if (FShowSeconds == Value) return;
  FShowSeconds = Value;
  const TDateTime Remembered = FTime;
  {
    const bool Saved = FInternalCall;
    FInternalCall = true;
    SetEditMask(u"");
    SetRawText(u"");
    SetEditMask(TimeEditMask(FShowSeconds, TimeSeparator()));
    FInternalCall = Saved;
  }
  // Moved by a day so that the following write always differs and rewrites the text.
  FTime = FTime + 1;
  SetTime(Remembered);
}

void TExTimePickerDropDown::Change() {
  TExCustomDropDown::Change();
  if (FInternalCall) return;
  const String T = EditText();
  Integer H = 0, M = 0, S = 0;
  if (!ParseTimeText(T, FShowSeconds, TimeSeparator(), H, M, S)) return;
  // Typing over the digits passes through parts out of range (21 typed over 09 reads 29 after the
  // first digit): while the user types, such a text is not a time yet and Time keeps its value;
  // leaving the field with it reports it (CMExit).
  if ((H > 23 || M > 59 || S > 59) && EditorEnabled() && Focused()) return;
  // An hour above 23 or a minute or second above 59 raises the conversion error; Time stays.
  FTime = EncodeTime(static_cast<Word>(H), static_cast<Word>(M), static_cast<Word>(S), 0);
  const String Formatted = FormatTimeText(H, M, S, FShowSeconds, TimeSeparator());
  if (Formatted != T && M == 0 && S == 0) SetInternalText(Formatted);
}

void TExTimePickerDropDown::CMExit(TMessage& M) {
  // A typed time out of range was held back while typing. The field goes back to the time it
  // still holds, so that whoever reads it on leaving finds a time, and the conversion error tells
  // the user why the typed one was not taken.
  Integer H = 0, Mi = 0, S = 0;
  const bool outOfRange = !FInternalCall && EditorEnabled() &&
                          ParseTimeText(EditText(), FShowSeconds, TimeSeparator(), H, Mi, S) &&
                          (H > 23 || Mi > 59 || S > 59);
  if (outOfRange) SetInternalText(TimeText(FTime));
  TExCustomDropDown::CMExit(M);
  if (outOfRange) EncodeTime(static_cast<Word>(H), static_cast<Word>(Mi), static_cast<Word>(S), 0);
}

void TExTimePickerDropDown::KeyDown(Word& Key, TShiftState Shift) {
  // The base swallows the keys of a field without typing; the arrows still step the time.
  const Word Pressed = Key;
  TExCustomDropDown::KeyDown(Key, Shift);
  if (GetKeyState(VK_MENU) < 0 || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
  if (Pressed != VK_UP && Pressed != VK_DOWN) return;
  const Integer Caret = SelStart();
  const Integer Part = TimePartAtCaret(EditText(), Caret, FShowSeconds, TimeSeparator());
  const Integer Delta = Pressed == VK_UP ? -1 : 1;
  Word H, M, S, MS;
  DecodeTime(FTime, H, M, S, MS);
  switch (Part) {
    case 0: SetTimeHour((H + Delta + 24) % 24); break;
    case 1: SetTimeMinute((M + Delta + 60) % 60); break;
    default: SetTimeSecond((S + Delta + 60) % 60); break;
  }
  SetSelStart(Caret);
  SetSelLength(0);
}

void TExTimePickerDropDown::SetComponentStyle(TNorvStyle AStyle) {
  TExCustomDropDown::SetComponentStyle(AStyle);
  if (FWatchAppearance) ApplyWatchComponentStyle(FWatchAppearance.get(), AStyle);
}

// --- Popup -----------------------------------------------------------------------------------------

void TExTimePickerDropDown::CreateDropDownForm() {
  TExCustomDropDown::CreateDropDownForm();
  if (!DropDownForm()) return;
  if (!FPanelCtrl) {
    FPanelCtrl = new TPanel(this);
    FPanelCtrl->SetParent(DropDownForm());
    FPanelCtrl->SetCtl3D(false);
    FPanelCtrl->SetBorderWidth(0);
    FPanelCtrl->SetBevelInner(bvNone);
    FPanelCtrl->SetBevelOuter(bvNone);
    FPanelCtrl->SetShowCaption(false);
  }
  FPanelCtrl->SetBounds(0, 0, FPanelCtrl->Width(), 180);
  if (!FExWatch) {
    FExWatch = new TExWatch(this);
    FExWatch->SetParent(FPanelCtrl);
  }
  FExWatch->SetAlign(alClient);
  SetControl(FPanelCtrl);
}

void TExTimePickerDropDown::BeforeDropDown() {
  TExCustomDropDown::BeforeDropDown();
  TDropDownForm* F = DropDownForm();
  if (!F || !FPanelCtrl || !FExWatch) return;
  FTimeAtOpening = FTime;
  // Sized apart from the popup: the opening sizes the popup after it and aligns it to the popup's
  // client area again.
  FPanelCtrl->SetAlign(alNone);
  FPanelCtrl->SetBounds(FPanelCtrl->Left(), FPanelCtrl->Top(), 170, 170);
  F->SetWidth(F->Width() + 1);
  F->SetWidth(F->Width() - 1);
  F->SetCancelOnDeActivate(false);
  FPanelCtrl->SetColor(DropDownColor());
  FExWatch->Appearance()->Assign(FWatchAppearance.get());
  FExWatch->Settings()->Assign(FWatchSettings.get());
  FExWatch->SetShowAMPM(FShowWatchAMPM);
  FExWatch->SetShowNumbers(FShowWatchNumbers);
  FExWatch->SetAnimation(FAnimation);
  FExWatch->SetAnimationFactor(FAnimationFactor);
  FExWatch->OnChange = nullptr;
  if (!FWatchSettings->Auto()) FExWatch->SetTime(FTime);
  FExWatch->OnChange = [this](TObject* S) { WatchChanged(S); };
  if (!FShowTimePicker) {
    if (FDateTimePicker) FDateTimePicker->SetVisible(false);
    return;
  }
  if (!FDateTimePicker) {
    FDateTimePicker = new TDateTimePicker(this);
    FDateTimePicker->SetParent(FPanelCtrl);
    FDateTimePicker->SetKind(dtkTime);
  }
  FDateTimePicker->OnChange = nullptr;
  FDateTimePicker->SetAlign(alBottom);
  FDateTimePicker->SetVisible(true);
  FDateTimePicker->SetTime(FTime);
  FDateTimePicker->BringToFront();
  FDateTimePicker->OnChange = [this](TObject* S) { TimePickerChanged(S); };
  FDateTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
  FDateTimePicker->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
  FDateTimePicker->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
  FDateTimePicker->SetFormat(FShowSeconds ? u"HH:mm:ss" : u"HH:mm");
  FPanelCtrl->SetHeight(FDateTimePicker->Height() + 170);
}

void TExTimePickerDropDown::UpdateDropDownSize() { TExCustomDropDown::UpdateDropDownSize(); }

void TExTimePickerDropDown::DoHideDropDown(bool CancelChanges) {
  if (!DropDownForm() || !DropDownForm()->Visible()) return;
  TExCustomDropDown::DoHideDropDown(CancelChanges);
  if (CancelChanges) {
    // A field whose text was never written through Text has nothing to restore: it gets back the
    // time it had when the popup opened.
    if (OldText().empty()) {
      FTime = FTimeAtOpening + 1;
      SetTime(FTimeAtOpening);
    }
    if (FExWatch) FExWatch->SetTime(FTime);
  } else if (FExWatch) {
    SetTime(FExWatch->Time());
  }
}

void TExTimePickerDropDown::AfterDropUp() {
  TExCustomDropDown::AfterDropUp();
  if (FExWatch) SetTime(FExWatch->Time());
}

void TExTimePickerDropDown::TimePickerChanged(TObject*) {
  if (FDateTimePicker && FExWatch && !FWatchSettings->Auto()) FExWatch->SetTime(FDateTimePicker->Time());
}

void TExTimePickerDropDown::WatchChanged(TObject*) {
  if (!FExWatch) return;
  if (FDateTimePicker && FShowTimePicker && FDateTimePicker->Time() != FExWatch->Time()) {
    FDateTimePicker->SetTime(FExWatch->Time());
    DoTimeChange();
  }
  SetTime(FExWatch->Time());
}

void TExTimePickerDropDown::DropDownFormKeyPress(Char& Key) { TExCustomDropDown::DropDownFormKeyPress(Key); }

void TExTimePickerDropDown::DropDownFormKeyDown(Word& Key, TShiftState Shift) {
  if (!IsNavigationKey(Key) || Shift.Contains(ssAlt)) TExCustomDropDown::DropDownFormKeyDown(Key, Shift);
  if (DropDownForm() && DropDownForm()->Visible() && FExWatch) FExWatch->HandleKey(Key);
}

void TExTimePickerDropDown::DropDownFormKeyUp(Word& Key, TShiftState Shift) {
  if (!IsNavigationKey(Key) || Shift.Contains(ssAlt)) TExCustomDropDown::DropDownFormKeyUp(Key, Shift);
}

void TExTimePickerDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (!IsNavigationKey(Key) || Shift.Contains(ssAlt)) TExCustomDropDown::ControlKeyDown(Key, Shift);
}

void TExTimePickerDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (!IsNavigationKey(Key) || Shift.Contains(ssAlt)) TExCustomDropDown::ControlKeyUp(Key, Shift);
}

void TExTimePickerDropDown::ControlKeyPress(Char& Key) {
  const bool Navigation = Key == 33 || Key == 34 || Key == 38 || Key == 40;
  if (!Navigation || GetKeyState(VK_MENU) < 0) TExCustomDropDown::ControlKeyPress(Key);
}
