// The spin edit: values, stepping, typing filter, keys, focus and layout.
#include "components/gridbase/esgspin.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/rtl/SysUtils.h"

// --- Number characters -----------------------------------------------------------------------------

namespace {

// The first code point of each run of ten decimal digits of the Basic Multilingual Plane.
constexpr Char DigitRuns[] = {
    0x0030, 0x0660, 0x06F0, 0x07C0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0BE6, 0x0C66, 0x0CE6,
    0x0D66, 0x0DE6, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x1090, 0x17E0, 0x1810, 0x1946, 0x19D0, 0x1A80,
    0x1A90, 0x1B50, 0x1BB0, 0x1C40, 0x1C50, 0xA620, 0xA8D0, 0xA900, 0xA9D0, 0xA9F0, 0xAA50, 0xABF0,
    0xFF10};

// The other number characters (numerals and number signs) of the plane, as closed ranges.
constexpr Char OtherNumberRanges[][2] = {
    {0x00B2, 0x00B3}, {0x00B9, 0x00B9}, {0x00BC, 0x00BE}, {0x09F4, 0x09F9}, {0x0B72, 0x0B77},
    {0x0BF0, 0x0BF2}, {0x0C78, 0x0C7E}, {0x0D58, 0x0D5E}, {0x0D70, 0x0D78}, {0x0F2A, 0x0F33},
    {0x1369, 0x137C}, {0x16EE, 0x16F0}, {0x17F0, 0x17F9}, {0x19DA, 0x19DA}, {0x2070, 0x2070},
    {0x2074, 0x2079}, {0x2080, 0x2089}, {0x2150, 0x2182}, {0x2185, 0x2189}, {0x2460, 0x249B},
    {0x24EA, 0x24FF}, {0x2776, 0x2793}, {0x2CFD, 0x2CFD}, {0x3007, 0x3007}, {0x3021, 0x3029},
    {0x3038, 0x303A}, {0x3192, 0x3195}, {0x3220, 0x3229}, {0x3248, 0x324F}, {0x3251, 0x325F},
    {0x3280, 0x3289}, {0x32B1, 0x32BF}, {0xA6E6, 0xA6EF}, {0xA830, 0xA835}};

}  // namespace

bool IsNumberChar(Char C) {
  for (Char first : DigitRuns)
    if (C >= first && C < first + 10) return true;
  for (const auto& r : OtherNumberRanges)
    if (C >= r[0] && C <= r[1]) return true;
  return false;
}

// --- Construction ----------------------------------------------------------------------------------

TEsgSpinEdit::TEsgSpinEdit(TComponent* AOwner) : TEsgPartEdit(AOwner, 15, 17) {
  FButton->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
  FButton->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
  Finish_Construction();
}

void TEsgSpinEdit::CreateParams() {
  switch (FEditAlign) {
    case eaRight: SetAlignment(taRightJustify); break;
    case eaCenter: SetAlignment(taCenter); break;
    default: SetAlignment(taLeftJustify); break;
  }
}

void TEsgSpinEdit::Loaded() {
  TCustomMaskEdit::Loaded();
  // Values written while loading only reached the fields; now they get their text.
  if (FSpinType == sptDate) SetText(DateToStr(FDateValue));
  if (FSpinType == sptTime) SetText(FShowSeconds ? TimeToStr(FTimeValue) : FormatDateTime(u"h:nn", FTimeValue));
  SetSpinType(FSpinType);
}

void TEsgSpinEdit::SetWinXPLook(bool Value) {
  FIsWinXP = Value;
  if (FButton) FButton->SetWinXPLook(Value);
}

// --- Bounds ----------------------------------------------------------------------------------------

Integer TEsgSpinEdit::CheckValue(Integer NewValue) const {
  if (FMinValue == FMaxValue) return NewValue;
  if (NewValue < FMinValue) return FMinValue;
  if (NewValue > FMaxValue) return FMaxValue;
  return NewValue;
}

double TEsgSpinEdit::CheckFloatValue(double NewValue) const {
  if (FMinFloatValue == FMaxFloatValue) return NewValue;
  if (NewValue <= FMinFloatValue) return FMinFloatValue;
  if (NewValue >= FMaxFloatValue) return FMaxFloatValue;
  return NewValue;
}

TDateTime TEsgSpinEdit::CheckDateValue(TDateTime NewValue) const {
  if (FMinDateValue == FMaxDateValue) return NewValue;
  if (NewValue < FMinDateValue) return FMinDateValue;
  if (NewValue > FMaxDateValue) return FMaxDateValue;
  return NewValue;
}

// --- Values ----------------------------------------------------------------------------------------

Integer TEsgSpinEdit::Value() {
  const String s = Trim(Text());
  if (s.empty()) return 0;
  return StrToIntDef(s, FMinValue);
}

void TEsgSpinEdit::SetValue(Integer NewValue) {
  SetText(IntToStr(CheckValue(NewValue)));
  if (!FEditorEnabled) SelectAll();
}

double TEsgSpinEdit::FloatValue() {
  double v = 0;
  if (TryStrToFloat(Text(), v)) return v;
  return static_cast<double>(FMinValue);
}

void TEsgSpinEdit::SetFloatValue(double NewValue) {
  const double v = CheckFloatValue(NewValue);
  SetText(FPrecision != 0 ? FloatToStrF(v, ffFixed, 15, FPrecision) : FloatToStrF(v, ffGeneral, 15, 0));
}

TDateTime TEsgSpinEdit::DateValue() {
  const String s = Text();
  if (s.empty() || s == u"0") return Now();
  TDateTime v = 0;
  if (TryStrToDate(s, v)) return v;
  return FMinDateValue;
}

void TEsgSpinEdit::SetDateValue(TDateTime NewValue) {
  FDateValue = NewValue;
  if (HasState(csLoading)) return;
  FDateValue = CheckDateValue(FDateValue);
  const Integer caret = SelStart();
  SetText(DateToStr(FDateValue));
  SetSelStart(caret);
}

TDateTime TEsgSpinEdit::TimeValue() {
  TDateTime v = 0;
  if (TryStrToTime(Text(), v)) return v;
  return 0;
}

void TEsgSpinEdit::SetTimeValue(TDateTime NewValue) {
  FTimeValue = NewValue;
  if (HasState(csLoading)) return;
  FTimeValue = CheckDateValue(FTimeValue);
  const Integer caret = SelStart();
  SetText(FShowSeconds ? TimeToStr(FTimeValue) : FormatDateTime(u"h:nn", FTimeValue));
  SetSelStart(caret);
}

void TEsgSpinEdit::SetSpinType(TEsgSpinType Value) {
  FSpinType = Value;
  switch (Value) {
    case sptNormal: SetValue(this->Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
  }
}

void TEsgSpinEdit::SetPrecision(Integer Value) {
  FPrecision = Value;
  if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

// --- Stepping --------------------------------------------------------------------------------------

void TEsgSpinEdit::StepUp(bool Page) { Step(1, Page); }
void TEsgSpinEdit::StepDown(bool Page) { Step(-1, Page); }
void TEsgSpinEdit::UpClick(TObject* Sender) {
  (void)Sender;
  StepUp(false);
}
void TEsgSpinEdit::DownClick(TObject* Sender) {
  (void)Sender;
  StepDown(false);
}

void TEsgSpinEdit::Step(Integer D, bool Page) {
  if (ReadOnly()) {
    Beep();
    return;
  }
  switch (FSpinType) {
    case sptNormal: {
      // A step past the integer range stops at its end instead of wrapping round.
      const int64_t v = static_cast<int64_t>(Value()) + static_cast<int64_t>(D) * FIncrement;
      SetValue(static_cast<Integer>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)));
      break;
    }
    case sptFloat: SetFloatValue(FloatValue() + D * (Page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: {
      const String fmt = UpperCase(FormatSettings.ShortDateFormat);
      const bool monthFirst = Pos(u"M", fmt) < Pos(u"D", fmt);
      FUsDates = monthFirst;
      const String text = Text();
      const String sep(1, FormatSettings.DateSeparator);
      const Integer p1 = Pos(sep, text);
      const Integer p2 = p1 > 0 ? Pos(sep, text, p1 + 1) : 0;
      const Integer c = SelStart();
      const Integer field = c < p1 ? 1 : c < p2 ? 2 : 3;
      enum { Day, Month, Year } part = Year;
      if (field == 1) part = monthFirst ? Month : Day;
      if (field == 2) part = monthFirst ? Day : Month;
      switch (part) {
        case Day: SetDateValue(DateValue() + D); break;
        case Month: SetDateValue(IncMonth(DateValue(), D)); break;
        case Year: {
          Word y = 0, m = 0, d = 0;
          DecodeDate(DateValue(), y, m, d);
          SetDateValue(EncodeDate(static_cast<Word>(y + D), m, d));
          break;
        }
      }
      break;
    }
    case sptTime: {
      const String text = Text();
      const String sep(1, FormatSettings.TimeSeparator);
      const Integer p1 = Pos(sep, text);
      const Integer p2 = p1 > 0 ? Pos(sep, text, p1 + 1) : 0;
      const Integer c = SelStart();
      TDateTime delta = 0;
      if (c < p1)
        delta = EncodeTime(static_cast<Word>(FIncrementHours), 0, 0, 0);
      else if (FShowSeconds && c >= p2)
        delta = EncodeTime(0, 0, static_cast<Word>(FIncrementSeconds), 0);
      else
        delta = EncodeTime(0, static_cast<Word>(FIncrementMinutes), 0, 0);
      if (D > 0) {
        SetTimeValue(TimeValue() + delta);
      } else {
        // Below midnight the time wraps round to the evening before.
        TDateTime t = TimeValue() + 1 - delta;
        if (t > 1) t -= 1;
        SetTimeValue(t);
      }
      break;
    }
  }
}

// --- Typing ----------------------------------------------------------------------------------------

bool TEsgSpinEdit::IsValidChar(Char Key) {
  if (Key == 8) return FEditorEnabled;
  const TFormatSettings& fs = FormatSettings;
  const bool digit = IsNumberChar(Key);
  bool result = Key == fs.DecimalSeparator || Key == fs.ThousandSeparator || Key == fs.TimeSeparator ||
                Key == fs.DateSeparator || digit || Key == u'-' || (Key < 32 && Key != 13);
  const bool numeric = FSpinType == sptNormal || FSpinType == sptFloat;
  // A separator of another kind of value passes only where it doubles as a sign or number separator.
  auto doublesAsNumberChar = [&](Char Sep) {
    return (Sep == fs.DecimalSeparator || Sep == fs.ThousandSeparator || Sep == u'-' || Sep == u'+') && numeric;
  };
  if (Key == fs.TimeSeparator && FSpinType != sptTime && !doublesAsNumberChar(fs.TimeSeparator)) result = false;
  if (Key == fs.DateSeparator && FSpinType != sptDate && !doublesAsNumberChar(fs.DateSeparator)) result = false;

  const String text = Text();
  const String sel = SelText();
  if (Key == u'-') {
    if (SelStart() != 0) result = false;
    if (Pos(u"-", text) > 0 && Pos(u"-", sel) == 0) result = false;
  }
  if (FSpinType == sptNormal && !(digit || Key == u'-')) result = false;
  if (FSpinType == sptFloat && Key != 27 && Key != 13 && Key != 8) {
    const String dec(1, fs.DecimalSeparator);
    if (Key == fs.ThousandSeparator) result = false;
    if (Key == fs.DecimalSeparator && Pos(dec, text) > 0 && Pos(dec, sel) == 0) result = false;
    const Integer p = Pos(dec, text);
    // No more decimals than Precision behind the separator.
    if (FPrecision > 0 && p > 0 && SelStart() >= p && SelLength() == 0 && result &&
        Length(text) >= p + FPrecision)
      result = false;
  }
  if (FSpinType == sptTime && Key == fs.TimeSeparator) {
    Integer n = 0;
    for (Char ch : text)
      if (ch == fs.TimeSeparator) ++n;
    if (n >= 2) result = false;
  }
  if (!FEditorEnabled && Key >= 32) result = false;
  return result;
}

void TEsgSpinEdit::KeyPress(Char& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    Beep();
  }
  if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TEsgSpinEdit::WMChar(TMessage& M) {
  // The keypad's decimal key types the locale's decimal separator.
  if (static_cast<Char>(M.WParam) == u'.' && FExcelStyleDecimalSeparator && (M.LParam & KF_KEYPAD) != 0)
    M.WParam = FormatSettings.DecimalSeparator;
  TCustomMaskEdit::WMChar(M);
}

// --- Keys ------------------------------------------------------------------------------------------

void TEsgSpinEdit::WMKeyDown(TMessage& M) {
  switch (static_cast<Word>(M.WParam)) {
    case VK_UP: StepUp(false); M.Result = 0; return;
    case VK_DOWN: StepDown(false); M.Result = 0; return;
    case VK_PRIOR: StepUp(true); M.Result = 0; return;
    case VK_NEXT: StepDown(true); M.Result = 0; return;
    default: break;
  }
  // The Tab that Enter posted arrives like a key from the queue: the dialog keys see it first.
  if (static_cast<Word>(M.WParam) == VK_TAB && M.LParam == 0 && FPostedTabs > 0) {
    --FPostedTabs;
    if (Perform(CN_KEYDOWN, VK_TAB, 0) != 0) return;
  }
  TCustomMaskEdit::WMKeyDown(M);
}

void TEsgSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    if (PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0)) ++FPostedTabs;
  }
  if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
  TCustomMaskEdit::KeyDown(Key, Shift);
}

// --- Focus -----------------------------------------------------------------------------------------

void TEsgSpinEdit::CMEnter(TMessage& M) {
  if (AutoSelect() && (!(FControlState & csLButtonDown) || !FEditorEnabled)) SelectAll();
  TCustomMaskEdit::CMEnter(M);
}

void TEsgSpinEdit::CMExit(TMessage& M) {
  TCustomMaskEdit::CMExit(M);
  // A value left outside the bounds is put back inside them.
  switch (FSpinType) {
    case sptNormal: {
      const Integer v = Value();
      if (CheckValue(v) != v) SetValue(v);
      break;
    }
    case sptFloat: {
      const double v = FloatValue();
      if (CheckFloatValue(v) != v) SetFloatValue(v);
      break;
    }
    case sptDate: {
      const TDateTime v = DateValue();
      if (CheckDateValue(v) != v) SetDateValue(v);
      break;
    }
    case sptTime: {
      const TDateTime v = TimeValue();
      if (CheckDateValue(v) != v) SetTimeValue(v);
      break;
    }
  }
}

// --- Layout ----------------------------------------------------------------------------------------

Integer TEsgSpinEdit::MinHeight() const {
  const Integer f = FontCellHeight();
  Integer h = f + std::min(SystemFontCellHeight(), f) / 4 + 2;
  if (BorderStyle() == bsSingle) h += GetSystemMetrics(SM_CYBORDER) * 4;
  return h;
}

void TEsgSpinEdit::SetEditRect() {
  if (!FButton) return;
  const Integer m = BorderStyle() == bsNone ? 3 : 0;
  TRect r = Rect(m, m, ClientWidth() - FButton->Width() - 2 - m, ClientHeight() + 1);
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

void TEsgSpinEdit::Relayout() {
  SetWidth(FWidth + 1);
  SetWidth(FWidth - 1);
}

void TEsgSpinEdit::SetDirection(TSpinDirection Value) {
  if (Value == FDirection) return;
  FDirection = Value;
  if (FButton) FButton->SetDirection(Value);
  Relayout();
}

void TEsgSpinEdit::SetEditAlign(TEditAlign Value) {
  if (Value == FEditAlign) return;
  FEditAlign = Value;
  CreateParams();
}

void TEsgSpinEdit::SetSpinFlat(bool Value) {
  if (FButton) {
    FButton->UpButton()->SetFlat(Value);
    FButton->DownButton()->SetFlat(Value);
  }
  FSpinFlat = Value;
}

void TEsgSpinEdit::SetSpinTransparent(bool Value) {
  if (FButton) {
    FButton->UpButton()->SetTransparent(Value);
    FButton->DownButton()->SetTransparent(Value);
  }
  FSpinTransparent = Value;
  Relayout();
}
