#include "platform/gui/ComCtrls.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/os/Clock.h"

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

// A value taken apart into the fields the user edits, and put together again.
struct TDateParts {
  Word Y = 0, M = 0, D = 0, H = 0, N = 0, S = 0, MS = 0;
  explicit TDateParts(TDateTime Value) {
    DecodeDate(Value, Y, M, D);
    DecodeTime(Value, H, N, S, MS);
  }
  // The part a field letter edits, null for none.
  Word* Field(char F) {
    switch (F) {
      case 'd': return &D;
      case 'm': return &M;
      case 'y': return &Y;
      case 'h': return &H;
      case 'n': return &N;
      case 's': return &S;
      default: return nullptr;
    }
  }
  // The value again; a day past the end of its month (31 February) becomes the month's last.
  TDateTime Value() {
    D = static_cast<Word>(std::min<Integer>(D, DaysInAMonth(Y, M)));
    const TDateTime date = EncodeDate(Y, M, D);
    const TDateTime time = EncodeTime(H, N, S, MS);
    return date + (date < 0 ? -time : time);
  }
};

Integer Wrap(Integer Value, Integer Low, Integer Count) { return ((Value - Low) % Count + Count) % Count + Low; }

// The layout of the month calendar.
constexpr Integer CalMargin = 4;
constexpr Integer CalTitleHeight = 24;
constexpr Integer CalHeadHeight = 18;
constexpr Integer CalCellWidth = 28;
constexpr Integer CalCellHeight = 18;
constexpr Integer CalArrowWidth = 20;
constexpr Integer CalWidth = 2 * CalMargin + 7 * CalCellWidth;
constexpr Integer CalHeight = 2 * CalMargin + CalTitleHeight + CalHeadHeight + 6 * CalCellHeight;
// A press on the drop-down button this soon after the calendar lost the activation is the press
// that took it away: it does not open the calendar again.
constexpr Cardinal CalReopenGuardMs = 250;

// Whole days (toward zero): whole-day values add and subtract as days on both sides of the epoch.
TDateTime WholeDays(TDateTime Value) { return std::trunc(Value); }

// The place of a whole day in a week that starts on Monday (0) and ends on Sunday (6); day 0 of
// the calendar, 30 December 1899, was a Saturday.
Integer MondayIndex(TDateTime Day) {
  const Int64 d = static_cast<Int64>(Day);
  return static_cast<Integer>(((d + 5) % 7 + 7) % 7);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The month calendar of the drop-down

class TMonthCalendarView : public TCustomControl {
 public:
  TMonthCalendarView(TComponent* AOwner, TDateTimePicker* Picker) : TCustomControl(AOwner), FPicker(Picker) {
    FTabStop = true;
    FColor = clWindow;
    SetBounds(0, 0, CalWidth, CalHeight);
  }
  String ClassName() const override { return u"TMonthCalendarView"; }

  TDateTime Marked() const { return FMarked; }
  void SetMarked(TDateTime Day) {
    FMarked = WholeDays(Day);
    Invalidate();
  }
  // The Monday on or before the first of the marked month: the first day shown.
  TDateTime FirstShown() const {
    Word y = 0, m = 0, d = 0;
    DecodeDate(FMarked, y, m, d);
    const TDateTime first = EncodeDate(y, m, 1);
    return first - MondayIndex(first);
  }
  TRect DayRect(TDateTime Day) const {
    const Integer index = static_cast<Integer>(WholeDays(Day) - FirstShown());
    if (index < 0 || index >= 42) return TRect();
    const Integer left = CalMargin + (index % 7) * CalCellWidth;
    const Integer top = CalMargin + CalTitleHeight + CalHeadHeight + (index / 7) * CalCellHeight;
    return Rect(left, top, left + CalCellWidth, top + CalCellHeight);
  }
  TRect ArrowRect(bool Next) const {
    const Integer left = Next ? CalWidth - CalMargin - CalArrowWidth : CalMargin;
    return Rect(left, CalMargin + 2, left + CalArrowWidth, CalMargin + CalTitleHeight - 2);
  }
  // Moves the marked day by Months, its day kept within the new month; years stay in 1 .. 9999.
  void MoveMonths(Integer Months) {
    Word y = 0, m = 0, d = 0;
    DecodeDate(FMarked, y, m, d);
    Integer month = y * 12 + (m - 1) + Months;
    month = std::clamp<Integer>(month, 12, 9999 * 12 + 11);
    const Word ny = static_cast<Word>(month / 12), nm = static_cast<Word>(month % 12 + 1);
    SetMarked(EncodeDate(ny, nm, static_cast<Word>(std::min<Integer>(d, DaysInAMonth(ny, nm)))));
  }
  void MoveDays(Integer Days) {
    const TDateTime target = FMarked + Days;
    if (target < EncodeDate(1, 1, 1) || target > EncodeDate(9999, 12, 31)) return;
    SetMarked(target);
  }
  // A key of the calendar; false for a key it does not use.
  bool HandleKey(Word Key, TShiftState Shift) {
    switch (Key) {
      case VK_LEFT: MoveDays(-1); return true;
      case VK_RIGHT: MoveDays(1); return true;
      case VK_UP:
      case VK_DOWN:
        if (Shift.Contains(ssAlt)) {
          FPicker->SetDroppedDown(false);
        } else {
          MoveDays(Key == VK_UP ? -7 : 7);
        }
        return true;
      case VK_PRIOR: MoveMonths(-1); return true;
      case VK_NEXT: MoveMonths(1); return true;
      case VK_RETURN: FPicker->CalendarPick(FMarked); return true;
      case VK_ESCAPE:
      case VK_F4: FPicker->SetDroppedDown(false); return true;
      default: return false;
    }
  }
  void Detach() { FPicker = nullptr; }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindow);
    c->FillRect(ClientRect());
    c->Brush()->SetColor(clWindowFrame);
    c->FrameRect(ClientRect());
    c->Font()->Assign(Font());
    Word y = 0, m = 0, d = 0;
    DecodeDate(FMarked, y, m, d);
    // The title: the month and year between the arrows.
    TRect title = Rect(CalMargin, CalMargin, CalWidth - CalMargin, CalMargin + CalTitleHeight);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(title);
    TRect prev = ArrowRect(false), next = ArrowRect(true);
    DrawFrameControl(c, prev, DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_FLAT);
    DrawFrameControl(c, next, DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_FLAT);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clBtnText);
    DrawText(c, FormatSettings.LongMonthNames[m - 1] + u" " + IntToStr(y), title,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    // The days of the week, from Monday.
    const Integer headTop = CalMargin + CalTitleHeight;
    c->Font()->SetColor(clWindowText);
    for (Integer col = 0; col < 7; ++col) {
      TRect r = Rect(CalMargin + col * CalCellWidth, headTop, CalMargin + (col + 1) * CalCellWidth,
                     headTop + CalHeadHeight);
      DrawText(c, FormatSettings.ShortDayNames[(col + 1) % 7].substr(0, 2), r,
               DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    c->Pen()->SetColor(clGrayText);
    c->MoveTo(CalMargin, headTop + CalHeadHeight - 1);
    c->LineTo(CalWidth - CalMargin, headTop + CalHeadHeight - 1);
    // Six weeks of days; those of the months around are grey, the marked one highlighted.
    const TDateTime first = FirstShown();
    for (Integer i = 0; i < 42; ++i) {
      const TDateTime day = first + i;
      Word dy = 0, dm = 0, dd = 0;
      DecodeDate(day, dy, dm, dd);
      TRect r = DayRect(day);
      if (day == FMarked) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clHighlight);
        c->FillRect(r);
        c->Font()->SetColor(clHighlightText);
      } else {
        c->Font()->SetColor(dm == m ? clWindowText : clGrayText);
      }
      c->Brush()->SetStyle(bsClear);
      DrawText(c, IntToStr(dd), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !FPicker) return;
    const TPoint p = Point(X, Y);
    if (PtInRect(ArrowRect(false), p)) {
      MoveMonths(-1);
      return;
    }
    if (PtInRect(ArrowRect(true), p)) {
      MoveMonths(1);
      return;
    }
    const TDateTime first = FirstShown();
    for (Integer i = 0; i < 42; ++i) {
      if (!PtInRect(DayRect(first + i), p)) continue;
      FPicker->CalendarPick(first + i);
      return;
    }
  }
  void KeyDown(Word& Key, TShiftState Shift) override {
    TCustomControl::KeyDown(Key, Shift);
    if (FPicker && Key != 0 && HandleKey(Key, Shift)) Key = 0;
  }
  void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS; }

 private:
  TDateTimePicker* FPicker;
  TDateTime FMarked = 0;
};

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner) {
  FTabStop = true;
  FColor = clWindow;
  FDateTime = Now();
  SetBounds(0, 0, 186, 21);
}

TDateTimePicker::~TDateTimePicker() {
  // The calendar goes with the owned components, after this picker: it must not reach back.
  if (FCalendarForm) FCalendarForm->OnDeactivate = nullptr;
  if (FCalendar) FCalendar->Detach();
}

void TDateTimePicker::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FCalendarForm) {
    FCalendarForm = nullptr;
    FCalendar = nullptr;
  }
  if (AComponent == FCalendar) FCalendar = nullptr;
}

TCustomForm* TDateTimePicker::CalendarForm() const { return FCalendarForm; }
TCustomControl* TDateTimePicker::CalendarControl() const { return FCalendar; }
TDateTime TDateTimePicker::CalendarDate() const { return FCalendar ? FCalendar->Marked() : WholeDays(FDateTime); }
TRect TDateTimePicker::CalendarDayRect(TDateTime Day) const { return FCalendar ? FCalendar->DayRect(Day) : TRect(); }
TRect TDateTimePicker::CalendarArrowRect(bool Next) const { return FCalendar ? FCalendar->ArrowRect(Next) : TRect(); }

bool TDateTimePicker::CalendarShowing() const { return FCalendarForm && FCalendarForm->Visible(); }

void TDateTimePicker::ShowCalendar() {
  if (!FCalendarForm) {
    auto* f = new TForm(this);
    f->SetBorderStyle(bsNone);
    f->SetBounds(0, 0, CalWidth, CalHeight);
    FCalendar = new TMonthCalendarView(f, this);
    FCalendar->SetParent(f);
    FCalendar->SetAlign(alClient);
    f->OnDeactivate = [this](TObject*) { CalendarDeactivated(); };
    f->AfterConstruction();
    FCalendarForm = f;
  }
  FCalendar->SetMarked(FDateTime);
  FCalendar->Font()->Assign(Font());
  // Below the picker, or above it when the work area ends first.
  TPoint p = ClientToScreen(Point(0, FHeight));
  if (Screen && p.Y + CalHeight > Screen->WorkAreaRect().Bottom) p.Y = ClientToScreen(Point(0, 0)).Y - CalHeight;
  FCalendarForm->SetBounds(p.X, p.Y, CalWidth, CalHeight);
  FCalendarForm->SetVisible(true);
  if (FCalendar->CanFocus()) FCalendar->SetFocus();
}

void TDateTimePicker::HideCalendar() {
  if (!CalendarShowing()) return;
  const bool hadFocus = FCalendar && FCalendar->Focused();
  FCalendarForm->SetVisible(false);
  if (hadFocus && CanFocus()) SetFocus();
}

void TDateTimePicker::CalendarPick(TDateTime Day) {
  if (!Editable()) return;
  const TDateTime d = WholeDays(Day);
  const TDateTime t = Time();
  UserChange(d < 0 ? d - t : d + t);
  SetDroppedDown(false);
}

void TDateTimePicker::CalendarDeactivated() {
  if (!FDroppedDown) return;
  FCalendarDeactivated = true;
  FCalendarClosedTick = GetTickCount();
  SetDroppedDown(false);
}

bool TDateTimePicker::CalendarKey(Word Key) {
  if (!FDroppedDown || !FCalendar) return false;
  return FCalendar->HandleKey(Key, TShiftState());
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
  if (Value)
    ShowCalendar();
  else
    HideCalendar();
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
  TDateParts parts(FDateTime);
  Integer low = 0, high = 59;
  switch (field) {
    case 'd': low = 1, high = DaysInAMonth(parts.Y, parts.M); break;
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
  Word* part = parts.Field(field);
  if (part) *part = static_cast<Word>(value);
  UserChange(parts.Value());
}

void TDateTimePicker::StepField(Integer Delta) {
  if (!Editable()) return;
  FTypedField = -1;
  const std::vector<char> fields = FieldsOf(DisplayFormat(), FKind == dtkTime);
  if (fields.empty()) return;
  const char field = fields[static_cast<size_t>(std::min<Integer>(FSelectedField, static_cast<Integer>(fields.size()) - 1))];
  TDateParts parts(FDateTime);
  switch (field) {
    case 'd': parts.D = static_cast<Word>(Wrap(parts.D + Delta, 1, DaysInAMonth(parts.Y, parts.M))); break;
    case 'm': parts.M = static_cast<Word>(Wrap(parts.M + Delta, 1, 12)); break;
    case 'y': parts.Y = static_cast<Word>(std::clamp<Integer>(parts.Y + Delta, 1, 9999)); break;
    case 'h': parts.H = static_cast<Word>(Wrap(parts.H + Delta, 0, 24)); break;
    case 'n': parts.N = static_cast<Word>(Wrap(parts.N + Delta, 0, 60)); break;
    case 's': parts.S = static_cast<Word>(Wrap(parts.S + Delta, 0, 60)); break;
    default: break;
  }
  UserChange(parts.Value());
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
  // The open calendar takes the focus itself; it closes when it loses the activation.
  if (!CalendarShowing()) SetDroppedDown(false);
}

void TDateTimePicker::WMChar(TMessage& M) {
  if (DoKeyPress(M)) return;
  const Char ch = static_cast<Char>(M.WParam);
  if (ch >= u'0' && ch <= u'9') TypeDigit(ch - u'0');
}

void TDateTimePicker::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  // While the calendar is open the keys move its day; Enter takes it.
  if (FDroppedDown && FCalendar && !Shift.Contains(ssAlt)) {
    switch (Key) {
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
      case VK_PRIOR:
      case VK_NEXT:
      case VK_RETURN: CalendarKey(Key); return;
      default: break;
    }
  }
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
  if (ShowsUpDown()) {
    StepField(Y < b.Top + b.Height() / 2 ? 1 : -1);
  } else if (!FDroppedDown && FCalendarDeactivated && GetTickCount() - FCalendarClosedTick <= CalReopenGuardMs) {
    // The press that closed the calendar.
  } else {
    SetDroppedDown(!FDroppedDown);
  }
}
