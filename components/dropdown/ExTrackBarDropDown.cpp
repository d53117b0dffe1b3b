#include "components/dropdown/ExTrackBarDropDown.h"

#include <algorithm>

namespace {

constexpr Integer kTrackMargin = 12;   // channel ends inside the control
constexpr Integer kThumbHalfWidth = 5;

}  // namespace

// --- TDropDownTrackBar -----------------------------------------------------------------------------

TDropDownTrackBar::TDropDownTrackBar(TComponent* AOwner) : TCustomControl(AOwner) {
  SetTabStop(true);
  SetBounds(0, 0, 150, 40);
}

void TDropDownTrackBar::Changed() {
  Invalidate();
  if (OnChange) OnChange(this);
}

void TDropDownTrackBar::SetMin(Integer Value) {
  if (Value == FMin) return;
  FMin = Value;
  if (FMax < FMin) FMax = FMin;
  if (FPosition < FMin) {
    FPosition = FMin;
    Changed();
  } else {
    Invalidate();
  }
}

void TDropDownTrackBar::SetMax(Integer Value) {
  if (Value == FMax) return;
  FMax = Value;
  if (FMin > FMax) FMin = FMax;
  if (FPosition > FMax) {
    FPosition = FMax;
    Changed();
  } else {
    Invalidate();
  }
}

void TDropDownTrackBar::SetPosition(Integer Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition) return;
  FPosition = Value;
  Changed();
}

void TDropDownTrackBar::SetFrequency(Integer Value) {
  if (Value == FFrequency) return;
  FFrequency = Value;
  Invalidate();
}

Integer TDropDownTrackBar::XOf(Integer Position) const {
  const Integer Span = ClientWidth() - 2 * kTrackMargin;
  if (FMax <= FMin || Span <= 0) return kTrackMargin;
  return kTrackMargin + static_cast<Integer>(static_cast<Int64>(Position - FMin) * Span / (FMax - FMin));
}

Integer TDropDownTrackBar::PositionAt(Integer X) const {
  const Integer Span = ClientWidth() - 2 * kTrackMargin;
  if (FMax <= FMin || Span <= 0) return FMin;
  const double P = FMin + static_cast<double>(X - kTrackMargin) * (FMax - FMin) / Span;
  return std::clamp(static_cast<Integer>(Round(P)), FMin, FMax);
}

TRect TDropDownTrackBar::ThumbRect() const {
  const Integer X = XOf(FPosition);
  const Integer Mid = ClientHeight() / 2;
  return Rect(X - kThumbHalfWidth, Mid - 10, X + kThumbHalfWidth + 1, Mid + 6);
}

void TDropDownTrackBar::Paint() {
  TCanvas* C = Canvas();
  const Integer W = ClientWidth(), H = ClientHeight();
  const Integer Mid = H / 2;
  TRect Channel = Rect(kTrackMargin - 2, Mid - 4, W - kTrackMargin + 3, Mid);
  DrawEdge(C, Channel, EDGE_SUNKEN, BF_RECT);
  // Ticks every Frequency below the channel, and always at both ends.
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetWidth(1);
  if (FFrequency > 0 && FMax > FMin) {
    for (Int64 P = FMin; P <= FMax; P += FFrequency) {
      const Integer X = XOf(static_cast<Integer>(P));
      C->MoveTo(X, Mid + 9);
      C->LineTo(X, Mid + 13);
    }
  }
  C->MoveTo(XOf(FMax), Mid + 9);
  C->LineTo(XOf(FMax), Mid + 13);
  TRect Thumb = ThumbRect();
  C->Brush()->SetColor(Focused() ? clHighlight : clBtnFace);
  C->FillRect(Thumb);
  DrawEdge(C, Thumb, EDGE_RAISED, BF_RECT);
}

void TDropDownTrackBar::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_LEFT:
    case VK_UP: SetPosition(FPosition - 1); break;
    case VK_RIGHT:
    case VK_DOWN: SetPosition(FPosition + 1); break;
    case VK_PRIOR: SetPosition(FPosition - FPageSize); break;
    case VK_NEXT: SetPosition(FPosition + FPageSize); break;
    case VK_HOME: SetPosition(FMin); break;
    case VK_END: SetPosition(FMax); break;
    default: return;
  }
  Key = 0;
}

void TDropDownTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (CanFocus() && !Focused()) SetFocus();
  FTracking = true;
  SetPosition(PositionAt(X));
}

void TDropDownTrackBar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (FTracking) SetPosition(PositionAt(X));
}

void TDropDownTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FTracking = false;
}

void TDropDownTrackBar::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTARROWS; }

// --- TExTrackBarDropDown ---------------------------------------------------------------------------

TExTrackBarDropDown::TExTrackBarDropDown(TComponent* AOwner) : TExCustomDropDown(AOwner) {
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  SetEditType(etNumeric);
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  SetForceShadow(true);
}

TExTrackBarDropDown::~TExTrackBarDropDown() = default;

void TExTrackBarDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TExCustomDropDown::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FTrackBar) FTrackBar = nullptr;
}

void TExTrackBarDropDown::SetPosition(Integer Value) {
  FPosition = Value;
  if (FTrackBar) {
    FTrackBar->SetPosition(Value);
    FPosition = FTrackBar->Position();
  }
  // The field always shows the value, also before the track bar exists, so that a reader of
  // Text (the grid, when it takes the cell value back) never finds a stale number.
  const String S = IntToStr(FPosition);
  if (Text() != S) SetRawText(S);
}

void TExTrackBarDropDown::SetMin(Integer Value) {
  FMin = Value;
  if (FTrackBar) {
    FTrackBar->SetMin(Value);
    FMin = FTrackBar->Min();
    FMax = FTrackBar->Max();
  }
}

void TExTrackBarDropDown::SetMax(Integer Value) {
  FMax = Value;
  if (FTrackBar) {
    FTrackBar->SetMax(Value);
    FMax = FTrackBar->Max();
    FMin = FTrackBar->Min();
  }
}

void TExTrackBarDropDown::SetFrequency(Integer Value) {
  FFrequency = Value;
  if (FTrackBar) FTrackBar->SetFrequency(Value);
}

void TExTrackBarDropDown::SetPageSize(Integer Value) {
  FPageSize = Value;
  if (FTrackBar) FTrackBar->SetPageSize(Value);
}

void TExTrackBarDropDown::TrackBarChanged(TObject*) {
  SetPosition(FTrackBar->Position());
  SetRawText(IntToStr(FPosition));
  if (OnTrackChange) OnTrackChange(this);
}

void TExTrackBarDropDown::Change() {
  TExCustomDropDown::Change();
  // A field emptied down to nothing or to a lone sign is a number still being typed, not a wrong
  // one: Position keeps its value until digits follow (leaving the field writes "0" for an empty
  // one). Any other text that is not an integer raises the conversion error; Position keeps its
  // value.
  const String T = Text();
  if (T.empty() || T == u"-") return;
  const Integer V = StrToInt(T);
  if (V != FPosition || (FTrackBar && FTrackBar->Position() != V)) SetPosition(V);
}

void TExTrackBarDropDown::WMKeyDown(TMessage& M) {
  // The base swallows the keys of a field without typing; the arrows still step the value.
  const Word Key = static_cast<Word>(M.WParam);
  TExCustomDropDown::WMKeyDown(M);
  if (EditorEnabled() || GetKeyState(VK_MENU) < 0) return;
  if (Key == VK_UP) {
    if (FPosition - FFrequency >= FMin) SetPosition(FPosition - FFrequency);
  } else if (Key == VK_DOWN) {
    if (FPosition + FFrequency <= FMax) SetPosition(FPosition + FFrequency);
  }
}

void TExTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TExCustomDropDown::MouseDown(Button, Shift, X, Y);
  if (DropDownEnabled() && !EditorEnabled()) {
    FMouseX = X;
    FMouseDraging = true;
  }
}

void TExTrackBarDropDown::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TExCustomDropDown::MouseMove(Shift, X, Y);
  if (!FMouseDraging || !DropDownEnabled() || EditorEnabled()) return;
  const Integer D = X - FMouseX;
  FMouseX = X;
  // Without a page size there is no step to take.
  if (FPageSize < 1) return;
  const Integer Steps = D / FPageSize;
  if (Steps != 0) SetPosition(FPosition + Steps);
}

void TExTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TExCustomDropDown::MouseUp(Button, Shift, X, Y);
  FMouseDraging = false;
}

void TExTrackBarDropDown::CreateDropDownForm() {
  TExCustomDropDown::CreateDropDownForm();
  if (!DropDownForm()) return;
  if (!FTrackBar) {
    FTrackBar = new TDropDownTrackBar(this);
    FTrackBar->SetParent(DropDownForm());
    FTrackBar->SetBounds(0, 0, FTrackBar->Width(), 40);
  }
  FTrackBar->OnChange = [this](TObject* S) { TrackBarChanged(S); };
}

void TExTrackBarDropDown::BeforeDropDown() {
  TExCustomDropDown::BeforeDropDown();
  if (!DropDownForm() || !FTrackBar) return;
  FPositionAtOpening = FPosition;
  DropDownForm()->SetCancelOnDeActivate(false);
  // The track bar takes the range and the value without reporting its steps: a range that moves
  // past the track bar's old value would clamp that value and report it, and the report would
  // overwrite the value still to be handed over. The outcome is reported once afterwards.
  const Integer before = FTrackBar->Position();
  const Integer wanted = FPosition;
  const TNotifyEvent changed = FTrackBar->OnChange;
  FTrackBar->OnChange = nullptr;
  FTrackBar->SetMin(FMin);
  FTrackBar->SetMax(FMax);
  FTrackBar->SetPosition(wanted);
  FTrackBar->OnChange = changed;
  if (FTrackBar->Position() != before)
    TrackBarChanged(FTrackBar);
  else
    SetPosition(FTrackBar->Position());
  FTrackBar->SetPageSize(FPageSize);
  FTrackBar->SetFrequency(FFrequency);
  // Sized apart from the popup: the opening sizes the popup after it and aligns it to the popup's
  // client area again.
  FTrackBar->SetAlign(alNone);
  FTrackBar->SetBounds(0, 0, Width(), 40);
  // The range of the track bar may have moved the value.
  FMin = FTrackBar->Min();
  FMax = FTrackBar->Max();
  SetControl(FTrackBar);
}

void TExTrackBarDropDown::PlaceDropDownControl() { TExCustomDropDown::PlaceDropDownControl(); }

void TExTrackBarDropDown::UpdateDropDownSize() { TExCustomDropDown::UpdateDropDownSize(); }

void TExTrackBarDropDown::DoHideDropDown(bool CancelChanges) {
  if (!DropDownForm() || !DropDownForm()->Visible()) return;
  TExCustomDropDown::DoHideDropDown(CancelChanges);
  // A cancelled close brings back the value of the opening: Position writes, slider moves and the
  // arrow keys bypass Text, so the text last written through Text is no measure of it.
  if (CancelChanges) SetPosition(FPositionAtOpening);
}

void TExTrackBarDropDown::AfterDropUp() { TExCustomDropDown::AfterDropUp(); }

void TExTrackBarDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  TExCustomDropDown::SetSelectionColorStyle(Value);
}

void TExTrackBarDropDown::SetText(const String& Value) { TExCustomDropDown::SetText(Value); }

void TExTrackBarDropDown::Loaded() { TExCustomDropDown::Loaded(); }
