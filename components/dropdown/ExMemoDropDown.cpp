#include "components/dropdown/ExMemoDropDown.h"

#include "platform/gui/Menus.h"

namespace {

// The lines joined by CR LF, without a break after the last one.
String JoinLines(const TStrings* Lines) {
  String S;
  for (Integer I = 0; I < Lines->Count(); ++I) {
    if (I > 0) S += u"\r\n";
    S += Lines->Get(I);
  }
  return S;
}

// A canvas without a surface: it only measures text.
TCanvas& MeasureCanvas() {
  static TCanvas C;
  return C;
}

}  // namespace

String MemoSummaryText(TCanvas* Canvas, const TStrings* Lines, Integer WidthAvailable, bool ShowAll) {
  if (Lines->Count() == 0 || ShowAll) return JoinLines(Lines);
  const String First = Lines->Get(0);
  TSize S;
  GetTextSize(Canvas, First, S);
  if (S.cx < WidthAvailable) return Lines->Count() > 1 ? First + u"..." : First;
  String Fitted;
  FitTextWithEllipsis(Canvas, First, WidthAvailable, true, Fitted);
  return Fitted;
}

TExMemoDropDown::TExMemoDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FMemoText(std::make_unique<TStringList>()) {
  FMemoText->OnChange = [this](TObject* S) { MemoTextChanged(S); };
  FMemoPopup = nullptr;
  FMemoScrollBars = ssNone;
  FMemoReadOnly = false;
  FAutoDrop = false;
}

TExMemoDropDown::~TExMemoDropDown() { FMemoText->OnChange = nullptr; }

void TExMemoDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TExCustomDropDown::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FMemo) FMemo = nullptr;
  if (AComponent == FMemoPopup) FMemoPopup = nullptr;
}

void TExMemoDropDown::SetMemoPopup(TPopupMenu* Value) {
  if (FMemoPopup == Value) return;
  if (FMemoPopup) FMemoPopup->RemoveFreeNotification(this);
  FMemoPopup = Value;
  if (FMemoPopup) FMemoPopup->FreeNotification(this);
}

TStrings* TExMemoDropDown::MemoText() const { return FMemoText.get(); }

void TExMemoDropDown::SetMemoText(const TStrings* Value) {
  FMemoText->Assign(const_cast<TStrings*>(Value));
  if (FMemo) FMemo->Lines()->Assign(FMemoText.get());
}

void TExMemoDropDown::SetMemoReadOnly(bool Value) {
  FMemoReadOnly = Value;
  if (DroppedDown() && FMemo) FMemo->SetReadOnly(Value);
}

void TExMemoDropDown::MemoTextChanged(TObject*) { UpdateEditText(); }

void TExMemoDropDown::MemoChanged(TObject*) {
  if (OnMemoChange) OnMemoChange(this);
}

void TExMemoDropDown::UpdateEditText() {
  TCanvas& M = MeasureCanvas();
  M.Font()->Assign(Font());
  TRect R = FormattingRect();
  if (R.Width() <= 0) R = Rect(0, 0, ClientWidth() - DropDownButtonWidth() - 3, ClientHeight());
  const String S = MemoSummaryText(&M, FMemoText.get(), R.Width(), EditorEnabled());
  const bool Saved = FInternalUpdate;
  FInternalUpdate = true;
  try {
    SetRawText(S);
  } catch (...) {
    FInternalUpdate = Saved;
    throw;
  }
  FInternalUpdate = Saved;
}

void TExMemoDropDown::Change() {
  if (!FInternalUpdate) {
    // The field's text becomes the value, without the field being rewritten from it.
    auto Handler = std::move(FMemoText->OnChange);
    FMemoText->OnChange = nullptr;
    try {
      FMemoText->SetText(EditText());
    } catch (...) {
      FMemoText->OnChange = std::move(Handler);
      throw;
    }
    FMemoText->OnChange = std::move(Handler);
  }
  TExCustomDropDown::Change();
}

void TExMemoDropDown::DoEnter() {
  TExCustomDropDown::DoEnter();
  if (FAutoDrop) DoShowDropDown();
}

void TExMemoDropDown::CreateDropDownForm() {
  TExCustomDropDown::CreateDropDownForm();
  if (!DropDownForm()) return;
  if (!FMemo) {
    FMemo = new TMemo(this);
    FMemo->SetParent(DropDownForm());
    FMemo->SetBounds(0, 0, FMemo->Width(), 100);
    FMemo->SetBorderStyle(bsNone);
    FMemo->OnChange = [this](TObject* S) { MemoChanged(S); };
  }
  SetControl(FMemo);
}

void TExMemoDropDown::BeforeDropDown() {
  TExCustomDropDown::BeforeDropDown();
  if (!DropDownForm()) return;
  FMemoTextAtOpening = FMemoText->Text();
  DropDownForm()->SetCancelOnDeActivate(false);
  if (!FMemo) return;
  // Sized apart from the popup: the opening sizes the popup after it and aligns it to the popup's
  // client area again. A size the user dragged the popup to wins over this one.
  FMemo->SetAlign(alNone);
  FMemo->SetBounds(0, 0, Width(), 100);
  FMemo->Lines()->Assign(FMemoText.get());
  FMemo->SetPopupMenu(FMemoPopup);
  FMemo->SetMaxLength(MaxLength());
  FMemo->SetScrollBars(FMemoScrollBars);
  FMemo->SetReadOnly(FMemoReadOnly);
}

void TExMemoDropDown::DoHideDropDown(bool CancelChanges) {
  if (!DropDownForm() || !DropDownForm()->Visible()) return;
  const bool SavedAutoDrop = FAutoDrop;
  FAutoDrop = false;
  try {
    if (CancelChanges && FMemo) FMemo->Lines()->Assign(FMemoText.get());
    TExCustomDropDown::DoHideDropDown(CancelChanges);
    // A field whose text was never written through Text has nothing to restore: MemoText gets
    // back the text it had when the popup opened.
    if (CancelChanges && OldText().empty()) FMemoText->SetText(FMemoTextAtOpening);
  } catch (...) {
    FAutoDrop = SavedAutoDrop;
    throw;
  }
  FAutoDrop = SavedAutoDrop;
}

void TExMemoDropDown::AfterDropUp() {
  TExCustomDropDown::AfterDropUp();
  if (FMemo) FMemoText->SetText(FMemo->Text());
  SetSelStart(0);
  SetSelLength(0);
}

void TExMemoDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4) TExCustomDropDown::ControlKeyDown(Key, Shift);
  if (Shift.Contains(ssCtrl) && (Key == 'A' || Key == 'a') && FMemo) FMemo->SelectAll();
}

void TExMemoDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4) TExCustomDropDown::ControlKeyUp(Key, Shift);
}

void TExMemoDropDown::ControlKeyPress(Char& Key) {
  if (GetKeyState(VK_MENU) < 0 || Key == 27) TExCustomDropDown::ControlKeyPress(Key);
}
