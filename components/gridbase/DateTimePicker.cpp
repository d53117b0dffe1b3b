#include "components/gridbase/DateTimePicker.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The editable fields of a format, in the order it shows them: 'd' day, 'm' month, 'y' year for a
// date; 'h' hour, 'n' minute, 's' second for a time. Quoted text, weekday names and the AM/PM
// markers are no fields.
std::vector<char> FieldsOf(const String& Format, bool Time) {
  std::vector<char> fields;
  auto add = [&](char f) {
    if (std::find(fields.begin(), fields.end(), f) == fields.end()) fields.push_back(f);
  };
  const String lower = LowerCase(Format);
  size_t i = 0;
  while (i < lower.size()) {
    const Char c = lower[i];
    if (c == u'"' || c == u'\'') {
      const size_t end = lower.find(c, i + 1);
      i = end == String::npos ? lower.size() : end + 1;
      continue;
    }
    if (lower.compare(i, 5, u"am/pm") == 0) { i += 5; continue; }
    if (lower.compare(i, 4, u"ampm") == 0) { i += 4; continue; }
    if (lower.compare(i, 3, u"a/p") == 0) { i += 3; continue; }
    size_t run = 1;
    while (i + run < lower.size() && lower[i + run] == c) ++run;
    if (Time) {
      if (c == u'h') add('h');
      if (c == u'n' || c == u'm') add('n');
      if (c == u's') add('s');
    } else {
      if (c == u'd' && run <= 2) add('d');
      if (c == u'm') add('m');
      if (c == u'y') add('y');
    }
    i += run;
  }
  return fields;
}

Integer Wrap(Integer Value, Integer Low, Integer Count) { return ((Value - Low) % Count + Count) % Count + Low; }

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner) {
  FTabStop = true;
  FColor = clWindow;
  FDateTime = Now();
  SetBounds(0, 0, 186, 21);
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
  Perform(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&Value));
}

void TDateTimePicker::SetShowCheckbox(bool Value) {
  if (Value == FShowCheckbox) return;
  FShowCheckbox = Value;
  Invalidate();
}

void TDateTimePicker::SetChecked(bool Value) {
  if (Value) {
    FChecked = true;
    TDateTime v = FDateTime;
    Perform(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&v));
    Invalidate();
  } else {
    Perform(DTM_SETSYSTEMTIME, GDT_NONE, 0);
  }
}

void TDateTimePicker::DTMSetSystemTime(TMessage& M) {
  M.Result = 1;
  if (M.WParam == GDT_NONE) {
    FChecked = false;
    SetDroppedDown(false);
    Invalidate();
    return;
  }
  const auto* v = reinterpret_cast<const TDateTime*>(M.LParam);
  if (!v || *v == FDateTime) return;
  FDateTime = *v;
  Invalidate();
}

void TDateTimePicker::Notify(UINT Code, Cardinal Flags) {
  TNMDateTimeChange n;
  n.hdr.code = Code;
  n.dwFlags = Flags;
  n.Value = FDateTime;
  Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
}

void TDateTimePicker::CNNotify(TMessage& M) {
  const auto* n = reinterpret_cast<const TNMDateTimeChange*>(M.LParam);
  if (!n) return;
  switch (n->hdr.code) {
    case DTN_DATETIMECHANGE:
      if (OnChange) OnChange(this);
      break;
    case DTN_DROPDOWN:
      if (OnDropDown) OnDropDown(this);
      break;
    case DTN_CLOSEUP:
      if (OnCloseUp) OnCloseUp(this);
      break;
    default: break;
  }
}

void TDateTimePicker::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case DTM_SETSYSTEMTIME: DTMSetSystemTime(M); return;
    case CN_NOTIFY: CNNotify(M); return;
    default: TCustomControl::Dispatch(M);
  }
}

TRect TDateTimePicker::CheckboxRect() const {
  if (!FShowCheckbox) return TRect();
  const Integer e = Ctl3D() ? 2 : 1;
  const Integer size = 13;
  const Integer top = (FHeight - size) / 2;
  return Rect(e + 2, top, e + 2 + size, top + size);
}

TDateTime TDateTimePicker::Date() const { return std::trunc(FDateTime); }
TDateTime TDateTimePicker::Time() const { return std::fabs(FDateTime - std::trunc(FDateTime)); }

void TDateTimePicker::SetDate(TDateTime Value) {
  const TDateTime d = std::trunc(Value);
  SetDateTime(d + (d < 0 ? -Time() : Time()));
}

void TDateTimePicker::SetTime(TDateTime Value) {
  const TDateTime d = std::trunc(FDateTime);
  const TDateTime t = std::fabs(Value - std::trunc(Value));
  SetDateTime(d + (d < 0 ? -t : t));
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  FSelectedField = 0;
  if (ShowsUpDown()) SetDroppedDown(false);
  Invalidate();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
  if (Value == FDateMode) return;
  FDateMode = Value;
  if (ShowsUpDown()) SetDroppedDown(false);
  Invalidate();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
  if (Value == FDateFormat) return;
  FDateFormat = Value;
  FSelectedField = 0;
  Invalidate();
}

void TDateTimePicker::SetFormat(const String& Value) {
  if (Value == FFormat) return;
  FFormat = Value;
  FSelectedField = 0;
  Invalidate();
}

String TDateTimePicker::DisplayFormat() const {
  if (!FFormat.empty()) return FFormat;
  if (FKind == dtkTime) return FormatSettings.LongTimeFormat;
  return FDateFormat == dfShort ? FormatSettings.ShortDateFormat : FormatSettings.LongDateFormat;
}

String TDateTimePicker::DisplayText() const { return FormatDateTime(DisplayFormat(), FDateTime); }

void TDateTimePicker::SetSelectedField(Integer Value) {
  const Integer n = static_cast<Integer>(FieldsOf(DisplayFormat(), FKind == dtkTime).size());
  FSelectedField = std::clamp(Value, 0, std::max(n - 1, 0));
  FTypedField = -1;
}

void TDateTimePicker::SetDroppedDown(bool Value) {
  if (Value == FDroppedDown || (Value && (ShowsUpDown() || !Editable()))) return;
  FDroppedDown = Value;
  Invalidate();
  Notify(Value ? DTN_DROPDOWN : DTN_CLOSEUP, GDT_VALID);
}

void TDateTimePicker::UserChange(TDateTime Value) {
  if (Value == FDateTime) return;
  FDateTime = Value;
  Invalidate();
  Notify(DTN_DATETIMECHANGE, GDT_VALID);
}

void TDateTimePicker::UserToggleCheckbox() {
  FChecked = !FChecked;
  if (!FChecked) SetDroppedDown(false);
  Invalidate();
  Notify(DTN_DATETIMECHANGE, FChecked ? GDT_VALID : GDT_NONE);
}

void TDateTimePicker::TypeDigit(Integer Digit) {
  if (!Editable()) return;
  const std::vector<char> fields = FieldsOf(DisplayFormat(), FKind == dtkTime);
  if (fields.empty()) return;
  const Integer index = std::min<Integer>(FSelectedField, static_cast<Integer>(fields.size()) - 1);
  const char field = fields[static_cast<size_t>(index)];
  const Integer maxDigits = field == 'y' ? 4 : 2;
  if (FTypedField != index || FTypedCount >= maxDigits) {
    FTypedField = index;
    FTypedValue = 0;
    FTypedCount = 0;
  }
  Word y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
  DecodeDate(FDateTime, y, m, d);
  DecodeTime(FDateTime, h, n, s, ms);
  static constexpr Word MonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  auto daysIn = [](Word Year, Word Month) -> Integer {
    const bool leap = (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
    return MonthDays[Month - 1] + (Month == 2 && leap ? 1 : 0);
  };
  Integer low = 0, high = 59;
  switch (field) {
    case 'd': low = 1, high = daysIn(y, m); break;
    case 'm': low = 1, high = 12; break;
    case 'h': high = 23; break;
    case 'y': low = 1, high = 9999; break;
    default: break;
  }
  Integer value = FTypedValue * 10 + Digit;
  Integer count = FTypedCount + 1;
  // A digit that would make the field too large starts it anew.
  if (value > high) {
    value = Digit;
    count = 1;
  }
  FTypedValue = value;
  FTypedCount = count;
  // A year counts once all four digits are there; a first 0 waits for the digit after it.
  if ((field == 'y' && count < 4) || value < low) return;
  switch (field) {
    case 'd': d = static_cast<Word>(value); break;
    case 'm': m = static_cast<Word>(value); break;
    case 'y': y = static_cast<Word>(value); break;
    case 'h': h = static_cast<Word>(value); break;
    case 'n': n = static_cast<Word>(value); break;
    case 's': s = static_cast<Word>(value); break;
    default: break;
  }
  d = static_cast<Word>(std::min<Integer>(d, daysIn(y, m)));
  const TDateTime date = EncodeDate(y, m, d);
  const TDateTime time = EncodeTime(h, n, s, ms);
  UserChange(date + (date < 0 ? -time : time));
}

void TDateTimePicker::StepField(Integer Delta) {
  if (!Editable()) return;
  FTypedField = -1;
  const std::vector<char> fields = FieldsOf(DisplayFormat(), FKind == dtkTime);
  if (fields.empty()) return;
  const char field = fields[static_cast<size_t>(std::min<Integer>(FSelectedField, static_cast<Integer>(fields.size()) - 1))];
  Word y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
  DecodeDate(FDateTime, y, m, d);
  DecodeTime(FDateTime, h, n, s, ms);
  static constexpr Word MonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  auto daysIn = [](Word Year, Word Month) -> Integer {
    const bool leap = (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
    return MonthDays[Month - 1] + (Month == 2 && leap ? 1 : 0);
  };
  switch (field) {
    case 'd': d = static_cast<Word>(Wrap(d + Delta, 1, daysIn(y, m))); break;
    case 'm': m = static_cast<Word>(Wrap(m + Delta, 1, 12)); break;
    case 'y': y = static_cast<Word>(std::clamp<Integer>(y + Delta, 1, 9999)); break;
    case 'h': h = static_cast<Word>(Wrap(h + Delta, 0, 24)); break;
    case 'n': n = static_cast<Word>(Wrap(n + Delta, 0, 60)); break;
    case 's': s = static_cast<Word>(Wrap(s + Delta, 0, 60)); break;
    default: break;
  }
  d = static_cast<Word>(std::min<Integer>(d, daysIn(y, m)));
  const TDateTime date = EncodeDate(y, m, d);
  const TDateTime time = EncodeTime(h, n, s, ms);
  UserChange(date + (date < 0 ? -time : time));
}

TRect TDateTimePicker::ButtonRect() const {
  const Integer e = Ctl3D() ? 2 : 1;
  const Integer w = GetSystemMetrics(SM_CXVSCROLL);
  return Rect(FWidth - e - w, e, FWidth - e, FHeight - e);
}

void TDateTimePicker::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(FColor);
  c->FillRect(r);
  if (Ctl3D()) {
    DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  } else {
    c->Brush()->SetColor(clWindowFrame);
    c->FrameRect(r);
    InflateRect(r, -1, -1);
  }
  const TRect b = ButtonRect();
  Integer textLeft = r.Left + 2;
  if (FShowCheckbox) {
    TRect box = CheckboxRect();
    DrawFrameControl(c, box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (FChecked ? DFCS_CHECKED : 0) | (Enabled() ? 0 : DFCS_INACTIVE));
    textLeft = CheckboxRect().Right + 3;
  }
  c->Font()->Assign(Font());
  if (!Enabled() || !Editable()) c->Font()->SetColor(clGrayText);
  c->Brush()->SetStyle(bsClear);
  TRect t = Rect(textLeft, r.Top, b.Left, r.Bottom);
  DrawText(c, DisplayText(), t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  const Cardinal inactive = Enabled() ? 0 : DFCS_INACTIVE;
  if (ShowsUpDown()) {
    TRect up = Rect(b.Left, b.Top, b.Right, b.Top + b.Height() / 2);
    TRect down = Rect(b.Left, up.Bottom, b.Right, b.Bottom);
    DrawFrameControl(c, up, DFC_SCROLL, DFCS_SCROLLUP | inactive);
    DrawFrameControl(c, down, DFC_SCROLL, DFCS_SCROLLDOWN | inactive);
  } else {
    TRect bb = b;
    DrawFrameControl(c, bb, DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | inactive | (FDroppedDown ? DFCS_PUSHED | DFCS_FLAT : 0));
  }
}

void TDateTimePicker::WMPaint(TMessage& M) {
  TCustomControl::WMPaint(M);
  // The window's frame follows its client area.
  Perform(WM_NCPAINT, 0, 0);
}

void TDateTimePicker::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTARROWS; }

void TDateTimePicker::WMKillFocus(TMessage& M) {
  TCustomControl::WMKillFocus(M);
  SetDroppedDown(false);
}

void TDateTimePicker::WMChar(TMessage& M) {
  if (DoKeyPress(M)) return;
  const Char ch = static_cast<Char>(M.WParam);
  if (ch >= u'0' && ch <= u'9') TypeDigit(ch - u'0');
}

void TDateTimePicker::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_SPACE:
      if (FShowCheckbox) UserToggleCheckbox();
      break;
    case VK_LEFT: SetSelectedField(FSelectedField - 1); break;
    case VK_RIGHT: SetSelectedField(FSelectedField + 1); break;
    case VK_UP: StepField(1); break;
    case VK_DOWN:
      if (Shift.Contains(ssAlt))
        SetDroppedDown(!FDroppedDown);
      else
        StepField(-1);
      break;
    case VK_F4: SetDroppedDown(!FDroppedDown); break;
    case VK_ESCAPE:
    case VK_RETURN: SetDroppedDown(false); break;
    default: break;
  }
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (CanFocus() && !Focused()) SetFocus();
  if (FShowCheckbox && PtInRect(CheckboxRect(), Point(X, Y))) {
    UserToggleCheckbox();
    return;
  }
  if (!Editable()) return;
  const TRect b = ButtonRect();
  if (!PtInRect(b, Point(X, Y))) return;
  if (ShowsUpDown())
    StepField(Y < b.Top + b.Height() / 2 ? 1 : -1);
  else
    SetDroppedDown(!FDroppedDown);
}
