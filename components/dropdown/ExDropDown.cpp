// The drop-down editor base: construction, properties, the value model (prefix, suffix, numbers,
// money formatting, the modified state), focus and mouse handling, the caption label and the
// painting the editor adds over its edit.
#include <algorithm>
#include <climits>
#include <cmath>

#include "components/dropdown/ExDropDown.h"
#include "components/gridbase/ATXPVS.h"
#include "components/gridbase/ExUtil.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool IsNumericType(TDropDownEditType T) { return T == etNumeric || T == etFloat || T == etMoney; }

// The digits of a precision in a format pattern ("%.2f").
String PrecisionPattern(Integer Precision, Char Type) {
  return u"%." + IntToStr(Precision) + String(1, Type);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and destruction

TExCustomDropDown::TExCustomDropDown(TComponent* AOwner)
    : TCustomMaskEdit(AOwner),
      FDropDownHeader(std::make_unique<THeaderAppearance>(this)),
      FButtonAppearance(std::make_unique<TExButtonAppearance>()),
      FDropDownFooter(std::make_unique<TFooterAppearance>(this)),
      FLabelFont(std::make_unique<TFont>()) {
  FControlStyle &= ~static_cast<uint32_t>(csSetCaption);
  TCustomMaskEdit::SetBounds(FLeft, FTop, 200, 21);
  CreateDropDownForm();
  CreateDropDownButton();
  // Changes of the band settings rebuild the bands of an open popup.
  FDropDownHeader->OnChange = [this](TObject* Sender) { HeaderChanged(Sender); };
  FDropDownHeader->OnButtonsChanged = [this](TObject* Sender) { HeaderChanged(Sender); };
  FDropDownFooter->OnChange = [this](TObject* Sender) { FooterChanged(Sender); };
  FDropDownFooter->OnButtonsChanged = [this](TObject* Sender) { FooterChanged(Sender); };
  FIsWinXP = IsWinXPOrLater();
  FIsThemed = IsComCtl6() && DropDownThemeApi.IsThemeActive() != 0;
  SetSelectionColorStyle(scOffice2007);
  SetComponentStyle(tsOffice2007Luna);
  FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
  UpdateButtonBounds();
}

TExCustomDropDown::~TExCustomDropDown() = default;

void TExCustomDropDown::BeforeDestruction() {
  // The popup goes with the owned components; nothing it does on its way may reach back here.
  if (FDropDownForm) {
    FDropDownForm->OnHide = nullptr;
    FDropDownForm->OnDestroy = nullptr;
    FDropDownForm->SetExDropDown(nullptr);
  }
  FDropDownHeader->OnChange = nullptr;
  FDropDownHeader->OnButtonsChanged = nullptr;
  FDropDownFooter->OnChange = nullptr;
  FDropDownFooter->OnButtonsChanged = nullptr;
  FLabelFont->OnChange = nullptr;
  TCustomMaskEdit::BeforeDestruction();
  FDropDownForm = nullptr;
  FButton = nullptr;
  FLabel = nullptr;
}

void TExCustomDropDown::Loaded() {
  TCustomMaskEdit::Loaded();
  FParentFnt = ParentFont();
  UpdateButtonBounds();
  if (FButton) FButton->SetEnabled(Enabled());
  if (FLabel) FLabel->SetEnabled(Enabled() || FLabelAlwaysEnabled);
  UpdateLabel();
}

void TExCustomDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMaskEdit::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FControl) FControl = nullptr;
  if (AComponent == FFocusControl) FFocusControl = nullptr;
  if (AComponent == FImages) {
    FImages = nullptr;
    Invalidate();
  }
  if (AComponent == FLabel) FLabel = nullptr;
  if (AComponent == FDropDownForm) FDropDownForm = nullptr;
  if (AComponent == FButton) FButton = nullptr;
}

void TExCustomDropDown::HeaderChanged(TObject* Sender) {
  (void)Sender;
  if (FDroppedDown && FDropDownForm) FDropDownForm->InitializeAndUpdate();
}

void TExCustomDropDown::FooterChanged(TObject* Sender) {
  (void)Sender;
  if (FDroppedDown && FDropDownForm) FDropDownForm->InitializeAndUpdate();
}

// ---------------------------------------------------------------------------------------------
// Hooks with simple base behaviour

void TExCustomDropDown::DoLabelClick() {
  if (OnLabelClick) OnLabelClick(this);
}

void TExCustomDropDown::DoLabelDblClick() {
  if (OnLabelDblClick) OnLabelDblClick(this);
}

Integer TExCustomDropDown::GetVersionNr() { return 0x01020104; }

String TExCustomDropDown::Version() const {
  return VersionNrText(const_cast<TExCustomDropDown*>(this)->GetVersionNr());
}

void TExCustomDropDown::CreateDropDownButton() {
  if (FButton) return;
  FButton = new TDropDownEditButton(this);
  FButton->SetParent(this);
  FButton->OnClick = [this](TObject*) { DropButtonClick(); };
  UpdateDropDownButton();
  if (HasState(csDesigning)) FButton->SetButtonColor(clBtnFace);
}

void TExCustomDropDown::UpdateDropDownButton() {
  if (!FButton) return;
  FButton->SetButtonWidth(FButtonWidth);
  FButton->SetHeight(17);
  FButton->SetVisible(true);
  FButton->SetFocusControl(this);
}

void TExCustomDropDown::BeforeDropDown() {
  if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TExCustomDropDown::AdjustDropDownHeight(Integer& Height) { (void)Height; }

void TExCustomDropDown::DropDownFormDestroyed() {}

void TExCustomDropDown::DropDownWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled) {
  (void)Shift, (void)MousePos, (void)Handled;
  SelectNextValue();
}

void TExCustomDropDown::DropDownWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled) {
  (void)Shift, (void)MousePos, (void)Handled;
  SelectPreviousValue();
}

void TExCustomDropDown::DropDownFormKeyPress(Char& Key) { Perform(WM_CHAR, Key, 0); }

void TExCustomDropDown::DropDownFormKeyDown(Word& Key, TShiftState Shift) {
  (void)Shift;
  Perform(WM_KEYDOWN, Key, 0);
}

void TExCustomDropDown::DropDownFormKeyUp(Word& Key, TShiftState Shift) {
  (void)Shift;
  Perform(WM_KEYUP, Key, 0);
}

void TExCustomDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  (void)Shift;
  Perform(WM_KEYDOWN, Key, 0);
}

void TExCustomDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  (void)Shift;
  Perform(WM_KEYUP, Key, 0);
}

void TExCustomDropDown::ControlKeyPress(Char& Key) { Perform(WM_CHAR, Key, 0); }

void TExCustomDropDown::DropDownSizing() {}

void TExCustomDropDown::SelectNextValue() {}

void TExCustomDropDown::SelectPreviousValue() {}

// ---------------------------------------------------------------------------------------------
// Hosted control and properties

void TExCustomDropDown::SetControl(TControl* Value) {
  if (FControl == Value) return;
  if (FControl) FControl->RemoveFreeNotification(this);
  FControl = Value;
  if (FControl) FControl->FreeNotification(this);
  if (!HasState(csDesigning)) PlaceDropDownControl();
}

void TExCustomDropDown::SetFocusControl(TWinControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TExCustomDropDown::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  Invalidate();
  if (FButton) FButton->Button()->Invalidate();
}

void TExCustomDropDown::SetDisabledBorder(bool Value) {
  if (FDisabledBorder == Value) return;
  FDisabledBorder = Value;
  Invalidate();
}

void TExCustomDropDown::SetDropDownWidth(Integer Value) {
  if (FDropDownWidth == Value) return;
  FDropDownWidth = Value;
  FUserDropDownWidth = -1;
}

void TExCustomDropDown::SetDropDownHeight(Integer Value) {
  if (FDropDownHeight == Value) return;
  FDropDownHeight = Value;
  FUserDropDownHeight = -1;
}

void TExCustomDropDown::SetDropDownButtonWidth(Integer Value) {
  if (FButtonWidth == Value) return;
  FButtonWidth = Value;
  if (FButton) {
    FButton->SetButtonWidth(Value);
    UpdateButtonBounds();
  }
}

void TExCustomDropDown::SetDropDownButtonHint(const String& Value) {
  if (FButtonHint == Value) return;
  FButtonHint = Value;
  if (FButton) {
    FButton->SetHint(Value);
    FButton->SetShowHint(!Value.empty());
  }
}

TBitmap* TExCustomDropDown::DropDownButtonGlyph() const { return FButton ? FButton->Glyph() : nullptr; }

void TExCustomDropDown::SetDropDownButtonGlyph(TBitmap* Value) {
  if (FButton) FButton->SetGlyph(Value);
}

void TExCustomDropDown::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TExCustomDropDown::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  UpdateButtonBounds();
}

void TExCustomDropDown::SetButtonAppearance(TExButtonAppearance* Value) {
  if (Value) FButtonAppearance->Assign(Value);
}

void TExCustomDropDown::SetDropDownHeader(THeaderAppearance* Value) {
  if (Value) FDropDownHeader->Assign(Value);
}

void TExCustomDropDown::SetDropDownFooter(TFooterAppearance* Value) {
  if (Value) FDropDownFooter->Assign(Value);
}

void TExCustomDropDown::SetReadOnly(bool Value) {
  TCustomMaskEdit::SetReadOnly(Value);
  if (FButton) FButton->Button()->Invalidate();
}

void TExCustomDropDown::SetEnabled(bool v) {
  TCustomMaskEdit::SetEnabled(v);
  if (FButton) FButton->SetEnabled(v);
  if (FLabel) FLabel->SetEnabled(v || FLabelAlwaysEnabled);
}

void TExCustomDropDown::CMEnabledChanged(TMessage& M) {
  TCustomMaskEdit::CMEnabledChanged(M);
  if (FButton) FButton->SetEnabled(Enabled());
  if (FLabel && !HasState(csLoading)) FLabel->SetEnabled(Enabled() || FLabelAlwaysEnabled);
  PaintBorder();
}

void TExCustomDropDown::SetVisible(bool v) {
  TCustomMaskEdit::SetVisible(v);
  if (FLabel) FLabel->SetVisible(v);
}

void TExCustomDropDown::CMVisibleChanged(TMessage& M) {
  TCustomMaskEdit::CMVisibleChanged(M);
  if (FLabel && !FLabel->Caption().empty()) FLabel->SetVisible(Visible());
}

void TExCustomDropDown::SetParent(TWinControl* AParent) {
  TCustomMaskEdit::SetParent(AParent);
  if (FLabel) {
    FLabel->SetParent(AParent);
    FLabel->SetVisible(Visible());
  }
  UpdateLabel();
}

void TExCustomDropDown::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateLabel();
}

void TExCustomDropDown::WMSize(TMessage& M) {
  TCustomMaskEdit::WMSize(M);
  UpdateButtonBounds();
}

void TExCustomDropDown::CMFontChanged(TMessage& M) {
  TCustomMaskEdit::CMFontChanged(M);
  UpdateEditRect();
  if (FLabel && FParentFnt) UpdateLabel();
}

void TExCustomDropDown::CMParentFontChanged(TMessage& M) {
  TCustomMaskEdit::CMParentFontChanged(M);
  if (FLabel && ParentFont()) {
    FLabel->Font()->Assign(Font());
    UpdateLabel();
  }
}

// ---------------------------------------------------------------------------------------------
// Value model

String TExCustomDropDown::ValueOf(const String& S) const {
  String v = S;
  if (!FPrefix.empty() && v.compare(0, FPrefix.size(), FPrefix) == 0) v.erase(0, FPrefix.size());
  // The suffix is dropped by its length, whatever the characters are.
  if (!FSuffix.empty()) v.resize(v.size() > FSuffix.size() ? v.size() - FSuffix.size() : 0);
  return v;
}

String TExCustomDropDown::Text() const { return ValueOf(EditText()); }

double TExCustomDropDown::NumberOf(const String& S) {
  String plain;
  StripThousandSeparators(S, plain);
  double d = 0;
  if (!TryStrToFloat(plain, d, FormatSettings)) return 0;
  return d;
}

void TExCustomDropDown::SetText(const String& Value) {
  String v = Value;
  if (v.empty() && (IsNumericType(FEditType) || FEditType == etHex)) v = u"0";
  if (FPrecision > 0 && !v.empty() && v != u"Error") {
    if (FEditType == etMoney)
      v = Format(PrecisionPattern(FPrecision, u'n'), NumberOf(v));
    else if (FEditType == etFloat)
      v = Format(PrecisionPattern(FPrecision, u'f'), NumberOf(v));
  }
  if (FEditType == etHex) v = UpperCase(v);
  TCustomMaskEdit::SetText(FPrefix + v + FSuffix);
  FOldText = v;
  SetModified(false);
}

void TExCustomDropDown::SetRawText(const String& Value) { TCustomMaskEdit::SetText(Value); }

void TExCustomDropDown::SetEditTextDirect(const String& S) { TCustomMaskEdit::SetText(S); }

void TExCustomDropDown::SetModified(bool Value) {
  if (HasState(csLoading) || !FEditorEnabled || ReadOnly()) return;
  TCustomMaskEdit::SetModified(Value);
  FIsModified = Value;
}

double TExCustomDropDown::FloatValue() const {
  const String v = Text();
  switch (FEditType) {
    case etString: {
      // Read without the locale: "." is the decimal point.
      TFormatSettings fs = TFormatSettings::English();
      fs.DecimalSeparator = u'.';
      double d = 0;
      return TryStrToFloat(v, d, fs) ? d : 0;
    }
    case etNumeric:
    case etFloat:
      if (v.empty() || v == u"Error" || v == u"-") return 0;
      return NumberOf(v);
    case etMoney: {
      String s;
      StripThousandSeparators(v, s);
      if (!s.empty() && s.back() == FormatSettings.DecimalSeparator) s.pop_back();
      if (s.empty() || s == u"-") return 0;
      return NumberOf(s);
    }
    case etHex: return v.empty() ? 0 : HexToInt(v);
    default: return 0;
  }
}

void TExCustomDropDown::SetFloatValue(double Value) {
  switch (FEditType) {
    case etString:
    case etFloat:
      SetText(FPrecision < 0 ? Format(u"%g", Value) : Format(PrecisionPattern(FPrecision, u'f'), Value));
      break;
    case etNumeric:
      SetText(FPrecision < 0 ? Format(u"%g", Value) : Format(PrecisionPattern(FPrecision, u'n'), Value));
      break;
    case etMoney:
      SetText(FPrecision < 0 ? Format(u"%g", Value) : Format(PrecisionPattern(FPrecision, u'f'), Value));
      AutoSeparators();
      break;
    case etHex: SetText(IntToHex(Trunc(Value), 1)); break;
    default: break;
  }
  SetModified(true);
}

Integer TExCustomDropDown::IntValue() const {
  const double d = FloatValue();
  if (!(d > INT_MIN - 1.0 && d < INT_MAX + 1.0)) return 0;
  return static_cast<Integer>(Trunc(d));
}

void TExCustomDropDown::SetIntValue(Integer Value) {
  switch (FEditType) {
    case etNumeric:
    case etFloat: SetText(IntToStr(Value)); break;
    case etMoney:
      SetText(IntToStr(Value));
      AutoSeparators();
      break;
    case etHex: SetText(IntToHex(static_cast<Int64>(static_cast<uint32_t>(Value)), 1)); break;
    default: break;
  }
  SetModified(true);
}

void TExCustomDropDown::AutoSeparators() {
  const String t0 = Text();
  if (t0.empty()) return;
  const Integer len = Length(t0);
  const Integer caret = SelStart();
  String t = t0;
  String sign;
  if (t[0] == u'-') {
    sign = u"-";
    t.erase(0, 1);
  }
  String fraction;
  const size_t dp = t.find(FormatSettings.DecimalSeparator);
  if (dp != String::npos) fraction = t.substr(dp);
  const double whole = std::trunc(std::fabs(FloatValue()));
  String integer = FAutoThousandSeparator ? Format(u"%n", whole) : Format(u"%f", whole);
  const size_t cut = integer.find(FormatSettings.DecimalSeparator);
  if (cut != String::npos) integer.resize(cut);
  const String value = sign + integer + fraction;
  // The rewrite's own change notification is swallowed: the keystroke that caused it has been
  // reported already.
  if (value != t0) FBlockChange = true;
  const int16_t precision = FPrecision;
  FPrecision = 0;
  SetEditTextDirect(FPrefix + value + FSuffix);
  FPrecision = precision;
  if (value == t0) FBlockChange = false;
  SetSelStart(std::max(0, caret + Length(value) - len));
  SetSelLength(0);
}

void TExCustomDropDown::SetEditType(TDropDownEditType Value) {
  if (FEditType == Value) return;
  FEditType = Value;
  if (Value == etPassword) {
    SetPasswordChar(u'*');
    FCanUndo = false;
  } else {
    SetPasswordChar(0);
  }
  const Integer kind = ExDropDown::ClassifyNumberText(Text());
  switch (Value) {
    case etNumeric:
      if (kind != 0) SetIntValue(0);
      break;
    case etFloat:
    case etMoney:
      if (kind != 0 && kind != 1) SetFloatValue(0);
      break;
    case etHex:
      if (kind != 0 && kind != 5) SetIntValue(0);
      break;
    default: break;
  }
  if (HasState(csDesigning) && Value == etFloat && FPrecision == 0) SetPrecision(2);
}

void TExCustomDropDown::SetPrecision(int16_t Value) {
  if (FPrecision == Value) return;
  if (FEditType != etString && FEditType != etFloat && FEditType != etMoney) return;
  FPrecision = Value;
  const Integer kind = ExDropDown::ClassifyNumberText(Text());
  if (kind == 2 || kind == 5)
    SetFloatValue(0);
  else
    SetFloatValue(FloatValue());
}

void TExCustomDropDown::SetPrefix(const String& Value) {
  if (FPrefix == Value) return;
  const String v = Text();
  FPrefix = Value;
  SetEditTextDirect(FPrefix + v + FSuffix);
}

void TExCustomDropDown::SetSuffix(const String& Value) {
  if (FSuffix == Value) return;
  const String v = Text();
  FSuffix = Value;
  SetEditTextDirect(FPrefix + v + FSuffix);
}

void TExCustomDropDown::CNCommand(TMessage& M) {
  if (M.WParamHi() == EN_CHANGE && FBlockChange) {
    FBlockChange = false;
    return;
  }
  TCustomMaskEdit::CNCommand(M);
}

// ---------------------------------------------------------------------------------------------
// Selection

void TExCustomDropDown::SelectAll() {
  SetSelStart(Length(FPrefix));
  SetSelLength(Length(Text()));
}

void TExCustomDropDown::SelectBeforeDecimal() {
  const Integer p = Pos(String(1, FormatSettings.DecimalSeparator), Text());
  SetSelStart(p > 0 ? Length(FPrefix) + p - 1 : Length(FPrefix));
  SetSelLength(0);
}

void TExCustomDropDown::SelectAfterDecimal() {
  const Integer p = Pos(String(1, FormatSettings.DecimalSeparator), Text());
  SetSelStart(p > 0 ? Length(FPrefix) + p : Length(FPrefix));
  SetSelLength(0);
}

void TExCustomDropDown::ClampSelection() {
  const Integer valueLen = Length(Text());
  if (!FPrefix.empty() && SelStart() < Length(FPrefix)) {
    SetSelStart(Length(FPrefix));
    SetSelLength(valueLen);
  }
  // The value ends after the prefix: a click at the end of the value keeps the caret there, and
  // a selection of the whole value keeps its last character.
  const Integer valueEnd = (EditText().compare(0, FPrefix.size(), FPrefix) == 0 ? Length(FPrefix) : 0) + valueLen;
  if (!FSuffix.empty() && SelStart() > valueEnd) {
    SetSelStart(valueEnd);
    SetSelLength(0);
  }
  if (!FSuffix.empty() && SelStart() + SelLength() > valueEnd) SetSelLength(std::max(0, valueEnd - SelStart()));
}

// ---------------------------------------------------------------------------------------------
// Focus

void TExCustomDropDown::WMSetFocus(TMessage& M) {
  if (HasState(csLoading)) {
    TCustomMaskEdit::WMSetFocus(M);
    return;
  }
  TCustomMaskEdit::WMSetFocus(M);
  if (FEditorEnabled) {
    FOldString = Text();
    if (AutoSelect())
      SelectAll();
    else if (FEditType == etFloat || FEditType == etMoney)
      SelectBeforeDecimal();
  } else {
    Invalidate();
  }
}

void TExCustomDropDown::WMKillFocus(TMessage& M) {
  if (!HasState(csLoading)) {
    const String v = Text();
    const bool numericEmpty = v.empty() && !FAllowNumericNullValue;
    if (FPrecision > 0 && (FEditType == etFloat || FEditType == etMoney) && (!v.empty() || !FAllowNumericNullValue)) {
      const bool modified = FIsModified;
      SetFloatValue(FloatValue());
      SetModified(modified);
    } else if (FEditType == etNumeric && numericEmpty) {
      SetText(u"0");
    } else if ((FEditType == etFloat || FEditType == etMoney) && numericEmpty) {
      SetFloatValue(0);
    }
  }
  TCustomMaskEdit::WMKillFocus(M);
  if (!FEditorEnabled) Invalidate();
}

void TExCustomDropDown::DoEnter() {
  // The value alone is selected, not the prefix and suffix around it.
  if (AutoSelect() && !(FControlState & csLButtonDown)) SelectAll();
  TWinControl::DoEnter();
  UpdateEditRect();
}

void TExCustomDropDown::CMEnter(TMessage& M) {
  TCustomMaskEdit::CMEnter(M);
  PaintBorder();
}

void TExCustomDropDown::CMExit(TMessage& M) {
  TCustomMaskEdit::CMExit(M);
  PaintBorder();
}

void TExCustomDropDown::CMMouseEnter(TMessage& M) {
  TCustomMaskEdit::CMMouseEnter(M);
  FMouseInControl = true;
  PaintBorder();
}

void TExCustomDropDown::CMMouseLeave(TMessage& M) {
  TCustomMaskEdit::CMMouseLeave(M);
  FMouseInControl = false;
  PaintBorder();
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TExCustomDropDown::WMLButtonDown(TMessage& M) {
  if (!FEditorEnabled) {
    TCustomMaskEdit::WMLButtonDown(M);
    DropButtonClick();
    return;
  }
  if (Focused() && SelLength() > 0) {
    const LRESULT r = Perform(EM_CHARFROMPOS, 0, M.LParam);
    const Integer ch = static_cast<Integer>(r & 0xFFFF);
    if (ch >= SelStart() && ch < SelStart() + SelLength()) {
      FButtonDown = true;
      return;
    }
  }
  TCustomMaskEdit::WMLButtonDown(M);
}

void TExCustomDropDown::WMLButtonDblClk(TMessage& M) {
  if (!FEditorEnabled) {
    WMLButtonDown(M);
    return;
  }
  TCustomMaskEdit::WMLButtonDblClk(M);
}

void TExCustomDropDown::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomMaskEdit::MouseDown(Button, Shift, X, Y);
}

void TExCustomDropDown::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft) {
    if (!FEditorEnabled || ReadOnly()) PaintSelectedValue();
    if (FButtonDown) {
      const LRESULT r = Perform(EM_CHARFROMPOS, 0, MakeLParam(X, Y));
      SetSelStart(static_cast<Integer>(r & 0xFFFF));
      SetSelLength(0);
      FButtonDown = false;
    }
  }
  TCustomMaskEdit::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) ClampSelection();
}

bool TExCustomDropDown::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  const bool handled = TCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
  if (WheelDelta < 0)
    SelectNextValue();
  else
    SelectPreviousValue();
  return handled;
}

// ---------------------------------------------------------------------------------------------
// Layout of the edit rectangle and the drop button

void TExCustomDropDown::UpdateEditRect() {
  const Integer bw = FButton ? FButton->Width() : 0;
  const bool border = BorderStyle() != bsNone;
  TRect r(border ? 1 : 2, border ? 1 : 3, ClientWidth() - bw - 3, ClientHeight() + 1);
  FEditRect = r;
  if (!Ctl3D()) r.Left += 1;
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TExCustomDropDown::UpdateButtonBounds() {
  if (FInUpdateButtonBounds) return;
  const Integer font = FontCellHeight();
  const Integer minHeight = font + std::min(font, SystemFontCellHeight()) / 4;
  if (FHeight < minHeight) {
    SetHeight(minHeight);
    return;
  }
  if (!FButton) return;
  FInUpdateButtonBounds = true;
  const Integer b = FButtonWidth;
  if (FIsWinXP && Ctl3D() && BorderStyle() == bsSingle) {
    const Integer a = FFlat ? 3 : 4;
    FButton->SetBounds(FWidth - b - a, FFlat ? 2 : 0, b, FHeight - a);
  } else {
    FButton->SetBounds(FWidth - b - (Ctl3D() ? 0 : 2), 1, b, FHeight - 2);
  }
  FInUpdateButtonBounds = false;
  UpdateEditRect();
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Painting over the edit

void TExCustomDropDown::WMPaint(TMessage& M) {
  TCustomMaskEdit::WMPaint(M);
  PaintSelectedValue();
  if (FBorderColor != clNone || (!Enabled() && FDisabledBorder)) PaintBorder();
}

void TExCustomDropDown::PaintBorder() {
  if (HasState(csDesigning)) return;
  const bool focused = Focused();
  if (FButton) FButton->Button()->SetFocused(FMouseInControl || focused);
  if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
  TCanvas* c = FWindowImage.Canvas(this);
  TRect r(0, 0, FWidth, FHeight);
  c->Brush()->SetStyle(bsSolid);
  const TColor parentColor = FParent ? FParent->Color() : clBtnFace;
  if (!Enabled() && FIsThemed && FDisabledBorder) {
    c->Brush()->SetColor(0xC0C0C0);
    c->FrameRect(r);
  } else if (FBorderColor != clNone && (!focused || FFocusBorderColor == clNone)) {
    c->Brush()->SetColor(FBorderColor);
    c->FrameRect(r);
  } else if (FFocusBorderColor != clNone) {
    if (focused) {
      c->Brush()->SetColor(FFocusBorderColor);
      c->FrameRect(r);
    }
  } else {
    const bool hot = FMouseInControl || focused;
    if (hot) {
      TRect e = r;
      DrawEdge(c, e, BDR_SUNKENOUTER, BF_RECT);
    } else {
      c->Brush()->SetColor(parentColor);
      c->FrameRect(r);
    }
    InflateRect(r, -1, -1);
    c->Brush()->SetColor(hot ? clBtnFace : parentColor);
    c->FrameRect(r);
  }
}

void TExCustomDropDown::PaintSelectedValue() {
  if (!Focused() || FEditorEnabled || HasState(csDesigning) || !FFocusDraw) return;
  TCanvas* c = FWindowImage.Canvas(this);
  const Integer bw = FButton ? FButton->Width() : 0;
  TRect r(2, 2, FWidth - bw - 1, FHeight - 2);
  c->Pen()->SetColor(clBlack);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clHighlight);
  c->Rectangle(r);
  r.Left += 2;
  r.Right -= 3;
  c->Font()->Assign(Font());
  c->Font()->SetColor(clHighlightText);
  c->SetBkMode(TRANSPARENT);
  DrawText(c, Text(), r, DT_SINGLELINE | DT_VCENTER);
}

// ---------------------------------------------------------------------------------------------
// Label

String TExCustomDropDown::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TExCustomDropDown::SetLabelCaption(const String& Value) {
  if (!FLabel) {
    FLabel = new TLabel(this);
    FLabel->SetParent(FParent);
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
    FLabel->OnClick = [this](TObject*) { DoLabelClick(); };
    FLabel->OnDblClick = [this](TObject*) { DoLabelDblClick(); };
    FLabel->SetVisible(Visible());
  }
  FLabel->SetCaption(Value);
  UpdateLabel();
}

void TExCustomDropDown::SetLabelPosition(ExDropDown::TLabelPosition Value) {
  FLabelPosition = Value;
  UpdateLabel();
}

void TExCustomDropDown::SetLabelMargin(Integer Value) {
  FLabelMargin = Value;
  UpdateLabel();
}

void TExCustomDropDown::SetLabelTransparent(bool Value) {
  FLabelTransparent = Value;
  UpdateLabel();
}

void TExCustomDropDown::SetLabelFont(const TFont* Value) {
  if (!Value || ParentFont()) return;
  FLabelFont->Assign(Value);
  UpdateLabel();
}

void TExCustomDropDown::LabelFontChanged(TObject* Sender) {
  (void)Sender;
  if (HasState(csDesigning) && !HasState(csLoading)) FParentFnt = false;
  UpdateLabel();
}

void TExCustomDropDown::UpdateLabel() {
  if (!FLabel) return;
  Place_Caption_Label(FLabel, FLabelTransparent, FParentFnt ? Font() : FLabelFont.get(), DT_HIDEPREFIX,
                      FLabelPosition, Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight), FLabelMargin, Visible());
}

// ---------------------------------------------------------------------------------------------
// Assign and streaming

void TExCustomDropDown::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TExCustomDropDown*>(Source);
  if (!src) return;
  FFocusDraw = src->FFocusDraw;
  FForceShadow = src->FForceShadow;
  FDropDownEnabled = src->FDropDownEnabled;
  FDropDownColor = src->FDropDownColor;
  FDropDownColorTo = src->FDropDownColorTo;
  FDropDownGradient = src->FDropDownGradient;
  FDropDownBorderColor = src->FDropDownBorderColor;
  FDropDownBorderWidth = src->FDropDownBorderWidth;
  FDropDownShadow = src->FDropDownShadow;
  SetDropDownWidth(src->FDropDownWidth);
  SetDropDownHeight(src->FDropDownHeight);
  FDropDownSizeable = src->FDropDownSizeable;
  SetEditType(src->FEditType);
  FReturnIsTab = src->FReturnIsTab;
  FLengthLimit = src->FLengthLimit;
  SetPrecision(src->FPrecision);
  SetPrefix(src->FPrefix);
  SetSuffix(src->FSuffix);
  FDefaultHandling = src->FDefaultHandling;
  FCanUndo = src->FCanUndo;
  FExcelStyleDecimalSeparator = src->FExcelStyleDecimalSeparator;
  FValidChars = src->FValidChars;
  FSigned = src->FSigned;
  FAutoThousandSeparator = src->FAutoThousandSeparator;
  FButtonAppearance->Assign(src->FButtonAppearance.get());
  FDropDownHeader->Assign(src->FDropDownHeader.get());
  FDropDownFooter->Assign(src->FDropDownFooter.get());
  FDropPosition = src->FDropPosition;
  SetFlat(src->FFlat);
  SetDropDownButtonWidth(src->FButtonWidth);
  SetDropDownButtonHint(src->FButtonHint);
  FEditorEnabled = src->FEditorEnabled;
  if (FButton && src->FButton) {
    FButton->SetGlyph(src->FButton->Glyph());
    FButton->SetButtonCaption(src->FButton->ButtonCaption());
  }
  FEtched = src->FEtched;
  FImages = src->FImages;
  if (FImages) FImages->FreeNotification(this);
  FSelectionColorStyle = src->FSelectionColorStyle;
  FSelectionColor = src->FSelectionColor;
  FSelectionColorTo = src->FSelectionColorTo;
}

void TExCustomDropDown::WriteStyleProperties(std::function<void(const String& Name, Integer Value)> Writer) const {
  if (!Writer) return;
  Writer(u"SelectionColorStyle", static_cast<Integer>(FSelectionColorStyle));
  Writer(u"NorvStyle", static_cast<Integer>(FNorvStyle));
}

bool TExCustomDropDown::ReadStyleProperty(const String& Name, Integer Value) {
  // An ordinal outside its enumeration (a damaged or foreign stream) is not taken.
  if (Name == u"SelectionColorStyle") {
    if (Value < scCustom || Value > scWindows7) return false;
    FSelectionColorStyle = static_cast<TSelectionColorStyle>(Value);
    return true;
  }
  if (Name == u"NorvStyle") {
    if (Value < tsOffice2003Blue || Value > tsOffice2010Black) return false;
    FNorvStyle = static_cast<TNorvStyle>(Value);
    return true;
  }
  return false;
}
