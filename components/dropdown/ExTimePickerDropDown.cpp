#include "components/dropdown/ExTimePickerDropDown.h"

#include "components/gridbase/DateTimePicker.h"
#include "platform/gui/ExtCtrls.h"

namespace {

Char TimeSeparator() { return FormatSettings.TimeSeparator; }

// Counts Ch in S.
Integer CountOf(const String& S, Char Ch) {
  Integer N = 0;
  for (Char C : S)
    if (C == Ch) ++N;
  return N;
}

// The navigation keys the popup keeps for the clock unless Alt is held.
bool IsNavigationKey(Word Key) {
  return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
}

}  // namespace

// --- Time text -------------------------------------------------------------------------------------

String TwoDigits(const String& S) {
  if (S.empty()) return u"00";
  if (S.size() == 1) return u"0" + S;
  return S;
}

String FormatTimeText(Integer Hour, Integer Minute, Integer Second, bool Seconds, Char TS) {
  String R = TwoDigits(IntToStr(Hour)) + TS + TwoDigits(IntToStr(Minute));
  if (Seconds) R += TS + TwoDigits(IntToStr(Second));
  return R;
}

bool IsTimeTextLayout(const String& S, bool Seconds, Char TS) {
  return CountOf(S, TS) == (Seconds ? 2 : 1);
}

String BlanksToZeros(const String& S) {
  String R = S;
  for (Char& C : R)
    if (C == u' ') C = u'0';
  return R;
}

bool HasLeadingDigits(const String& S) {
  for (size_t I = 0; I < S.size() && I < 2; ++I)
    if (S[I] < u'0' || S[I] > u'9') return false;
  return true;
}

bool ParseTimeText(const String& Text, bool Seconds, Char TS, Integer& Hour, Integer& Minute,
                   Integer& Second) {
  if (Text.empty()) return false;
  const size_t Full = Seconds ? 8 : 5;
  if (Trim(Text).size() != Full || !IsTimeTextLayout(Text, Seconds, TS)) return false;
  const String S = BlanksToZeros(Text);
  auto PartValue = [](const String& Part, Integer& Value) {
    const String P = Trim(Part);
    if (!HasLeadingDigits(P)) return false;
    Value = P.empty() ? 0 : StrToIntDef(P, 0);
    return true;
  };
  const size_t A = S.find(TS);
  if (!PartValue(S.substr(0, A), Hour)) return false;
  String Rest = S.substr(A + 1);
  if (Seconds) {
    const size_t B = Rest.find(TS);
    if (!PartValue(Rest.substr(0, B), Minute)) return false;
    if (!PartValue(Rest.substr(B + 1), Second)) return false;
  } else {
    if (!PartValue(Rest, Minute)) return false;
    Second = 0;
  }
  return true;
}

Integer TimePartAtCaret(const String& Text, Integer Caret, bool Seconds, Char TS) {
  const Integer A = Pos(String(1, TS), Text);
  if (A == 0 || Caret < A) return 0;
  const String Rest = Copy(Text, A + 1, static_cast<Integer>(Text.size()));
  const Integer B = Pos(String(1, TS), Rest);
  if (Seconds && B > 0 && Caret - A >= B) return 2;
  return 1;
}

// --- TExTimePickerDropDown -------------------------------------------------------------------------

TExTimePickerDropDown::TExTimePickerDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()) {
  // A change of the appearance shows at the next opening, when the clock takes a copy.
  FWatchAppearance->OnChange = [](TObject*) {};
  FShowTimePicker = false;
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  FShowSeconds = true;
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

TExTimePickerDropDown::~TExTimePickerDropDown() {
  if (FExWatch) FExWatch->OnChange = nullptr;
  if (FDateTimePicker) FDateTimePicker->OnChange = nullptr;
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
  SetInternalText(u"");
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
  // An hour above 23 or a minute or second above 59 raises the conversion error; Time stays.
  FTime = EncodeTime(static_cast<Word>(H), static_cast<Word>(M), static_cast<Word>(S), 0);
  const String Formatted = FormatTimeText(H, M, S, FShowSeconds, TimeSeparator());
  if (Formatted != T && M == 0 && S == 0) SetInternalText(Formatted);
}

void TExTimePickerDropDown::KeyDown(Word& Key, TShiftState Shift) {
  TExCustomDropDown::KeyDown(Key, Shift);
  if (GetKeyState(VK_MENU) < 0 || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
  if (Key != VK_UP && Key != VK_DOWN) return;
  const Integer Caret = SelStart();
  const Integer Part = TimePartAtCaret(EditText(), Caret, FShowSeconds, TimeSeparator());
  const Integer Delta = Key == VK_UP ? -1 : 1;
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
  // The popup's controls come with the first popup.
  CreateDropDownForm();
  TExCustomDropDown::BeforeDropDown();
  TDropDownForm* F = DropDownForm();
  if (!F || !FPanelCtrl || !FExWatch) return;
  FTimeAtOpening = FTime;
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
