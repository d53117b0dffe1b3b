// The date-time pickers: AutoTab, the flat own frame and drop button, the embedded time picker of
// a date-and-time picker, its values and check box, and the caption label.
#include "components/dropdown/ExDateTimePicker.h"

#include <algorithm>
#include <cmath>

#include "components/dropdown/ExDropDown.h"
#include "components/gridbase/EsgPaint.h"
#include "components/gridbase/ExStyleIF.h"
#include "components/gridbase/ExThemeLib.h"
#include "components/gridbase/ExUtil.h"
#include "components/gridbase/ExXPVS.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

// The whole days of a value (toward zero) with the hour, minute and second of another, without
// milliseconds; before the epoch the time of day counts away from zero, as the values store it.
TDateTime JoinDayAndTime(TDateTime Day, TDateTime TimeOf) {
  Word h = 0, n = 0, s = 0, ms = 0;
  DecodeTime(TimeOf, h, n, s, ms);
  const TDateTime d = std::trunc(Day);
  const TDateTime t = EncodeTime(h, n, s, 0);
  return d < 0 ? d - t : d + t;
}

// A "new system" answers the locale queries by name; this platform does.
bool IsNewSystem() { return IsVistaOrLater(); }

}  // namespace

Word DTPShiftFocusMessage() {
  static const Word id = static_cast<Word>(RegisterWindowMessage(u"DTPShiftFocus"));
  return id;
}

// ---------------------------------------------------------------------------------------------
// TCustomDateTimePicker

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner) {
  FBorderColor = 0;
  SetCtl3D(false);
}

TCustomDateTimePicker::~TCustomDateTimePicker() = default;

void TCustomDateTimePicker::SetAutoTab(bool Value) { FAutoTab = Value; }

void TCustomDateTimePicker::RememberTime() {
  DecodeTime(TDateTimePicker::DateTime(), Fh, Fm, Fs, Fms);
}

void TCustomDateTimePicker::DoShiftFocus() {
  if (TDateTimePicker::Kind() != dtkTime) return;
  Word h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(TDateTimePicker::DateTime(), h, m, s, ms);
  if (h != Fh || m != Fm || s != Fs) PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TCustomDateTimePicker::WMChar(TMessage& M) {
  if (!FAutoTab || !IsDigit(static_cast<Char>(M.WParam))) {
    TDateTimePicker::WMChar(M);
    return;
  }
  if (TDateTimePicker::Kind() == dtkTime) RememberTime();
  TDateTimePicker::WMChar(M);
  // Arrives after the digit has been applied.
  PostMessage(Handle(), DTPShiftFocusMessage(), 0, 0);
}

void TCustomDateTimePicker::WndProc(TMessage& Message) {
  if (Message.Msg == DTPShiftFocusMessage()) DoShiftFocus();
  TDateTimePicker::WndProc(Message);
}

void TCustomDateTimePicker::Dispatch(TMessage& M) {
  if (M.Msg == WM_NCPAINT) {
    WMNCPaint(M);
    return;
  }
  TDateTimePicker::Dispatch(M);
}

bool TCustomDateTimePicker::ThemeActive() const { return ThemeApi.IsThemeActive() != 0; }

// --- Painting ------------------------------------------------------------------------------------

void TCustomDateTimePicker::WMNCPaint(TMessage& M) {
  DefaultHandler(M);
  if (!Ctl3D()) PaintBorderLines(true);
  if ((!Enabled() && ThemeActive()) || FBorderColor != clNone) PaintFrame();
  M.Result = 0;
}

void TCustomDateTimePicker::WMPaint(TMessage& M) {
  TDateTimePicker::WMPaint(M);
  const bool metro = FMetroStyle && !NativeFrame();
  if (!IsNewSystem() || !(!Ctl3D() || metro)) return;
  TCanvas* c = Canvas();
  const Integer saved = c->SaveDC();
  if (metro && TDateTimePicker::Kind() == dtkDate) PaintMetroButton(c);
  c->RestoreDC(saved);
  if (!Ctl3D()) PaintBorderLines(!ThemeActive());
  PaintFrame();
}

void TCustomDateTimePicker::PaintFrame() {
  if (NativeFrame() || !FMetroStyle) return;
  if (Enabled() && FBorderColor == clNone) return;
  TCanvas* c = Canvas();
  const Integer saved = c->SaveDC();
  const TRect w = Rect(0, 0, FWidth, FHeight);
  c->Brush()->SetStyle(bsSolid);
  if (!Enabled() && FIsThemed) {
    c->Brush()->SetColor(EsgDisabledFrameColor);
    c->FrameRect(w);
    c->RestoreDC(saved);
    return;
  }
  if (FBorderColor == clNone) {
    const TColor parent = FParent ? FParent->Color() : clBtnFace;
    c->Brush()->SetColor(parent);
    c->FrameRect(w);
    TRect r = w;
    InflateRect(r, -1, -1);
    c->FrameRect(Rect(r.Left, r.Top, r.Right - FButtonWidth, r.Bottom));
    InflateRect(r, -1, -1);
    c->Brush()->SetColor(Color());
    c->FrameRect(r);
  } else {
    c->Brush()->SetColor(FBorderColor);
    c->FrameRect(w);
  }
  if (!(FIsWinXP && ThemeActive())) PaintButtonBorder(c);
  c->RestoreDC(saved);
}

void TCustomDateTimePicker::PaintMetroButton(TCanvas* C) {
  // The platform's own button goes under the control's colour first.
  if (IsComCtl6()) WipePlatformButton(C, ThemeActive(), 4);
  PaintDropButton(C, ThemeActive());
}

// --- Mouse -----------------------------------------------------------------------------------------

void TCustomDateTimePicker::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TDateTimePicker::MouseMove(Shift, X, Y);
  TrackButtonHover(X);
}

// ---------------------------------------------------------------------------------------------
// TExDateTimePicker

TExDateTimePicker::TExDateTimePicker(TComponent* AOwner)
    : TCustomDateTimePicker(AOwner), FLabelFont(std::make_unique<TFont>()) {
  SetBorderStyle(bsSingle);
  SetCtl3D(true);
  FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
}

TExDateTimePicker::~TExDateTimePicker() = default;

void TExDateTimePicker::BeforeDestruction() {
  FLabelFont->OnChange = nullptr;
  if (FLabel) {
    // Off its parent first: the label belongs to this picker but stands on the picker's parent.
    FLabel->SetParent(nullptr);
    TComponent::Free(FLabel);
    FLabel = nullptr;
  }
  if (FTimePicker) {
    TCustomDateTimePicker* tp = FTimePicker;
    FTimePicker = nullptr;
    TComponent::Free(tp);
  }
  TCustomDateTimePicker::BeforeDestruction();
}

void TExDateTimePicker::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomDateTimePicker::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FLabel) FLabel = nullptr;
  if (AComponent == FTimePicker) FTimePicker = nullptr;
}

String TExDateTimePicker::Version() const {
  return VersionNrText(GetVersionNr());
}

void TExDateTimePicker::DoChange() {
  if (OnChange) OnChange(this);
}

void TExDateTimePicker::DoClick() {
  if (OnClick) OnClick(this);
}

void TExDateTimePicker::TimePickerKeyPress(Char& Key) { (void)Key; }

// --- Kind and the embedded time picker ---------------------------------------------------------

void TExDateTimePicker::SetKind(TExDateTimeKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  TDateTimePicker::SetKind(Value == dkTime ? dtkTime : dtkDate);
  if (Value == dkDateTime) CreateTimePicker();
  UpdateTimePicker();
}

void TExDateTimePicker::SetParent(TWinControl* AParent) {
  TCustomDateTimePicker::SetParent(AParent);
  if (FLabel) {
    FLabel->SetParent(AParent);
    FLabel->SetVisible(Visible());
  }
  // The window comes with the first parent: the stored kind is applied to it.
  if (AParent && !FWindowCreated) {
    FWindowCreated = true;
    TDateTimePicker::SetKind(FKind == dkTime ? dtkTime : dtkDate);
    if (FKind == dkDateTime) CreateTimePicker();
    UpdateTimePicker();
  }
  if (FLabel) UpdateLabel();
}

void TExDateTimePicker::CreateTimePicker() {
  if (FKind != dkDateTime || FTimePicker) return;
  auto* tp = new TCustomDateTimePicker(this);
  FTimePicker = tp;
  if (!(HasState(csReading) && HasState(csDesigning))) tp->SetParent(this);
  tp->SetBounds(tp->Left(), tp->Top(), 90, 17);
  tp->SetVisible(false);
  tp->SetEnabled(Enabled());
  tp->SetKind(dtkTime);
  tp->SetAutoTab(FAutoTab);
  tp->OnChange = [this](TObject*) {
    DoChange();
    if (OnTimeChange) OnTimeChange(this);
  };
  tp->OnClick = [this](TObject*) { DoClick(); };
  tp->OnKeyPress = [this](TObject*, Char& Key) { TimePickerKeyPress(Key); };
  tp->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
  };
}

void TExDateTimePicker::UpdateTimePicker() {
  TCustomDateTimePicker* tp = FTimePicker;
  if (!tp || FUpdatingTimePicker) return;
  FUpdatingTimePicker = true;
  tp->SetParent(this);
  tp->SetColor(Color());
  tp->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
  tp->SetVisible(FKind == dkDateTime);
  tp->SetTime(Time());
  tp->TDateTimePicker::SetDateTime(DateTime());
  tp->SetFormat(FTimeFormat);
  tp->Font()->Assign(Font());
  FUpdatingTimePicker = false;
  if (tp->Visible() || (HasState(csReading) && !HasState(csDesigning))) {
    LayoutTimePicker();
  } else {
    FTimePicker = nullptr;
    TComponent::Free(tp);
  }
}

void TExDateTimePicker::LayoutTimePicker() {
  TCustomDateTimePicker* tp = FTimePicker;
  if (!tp) return;
  TCanvas measure;
  measure.Font()->Assign(Font());
  String text = tp->DisplayText();
  if (Length(text) > 255) text.resize(255);
  TRect r(0, 0, 1000, 255);
  DrawText(&measure, text, r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  const Integer a = r.Width() + 31;
  // This platform's controls have no bevel.
  const Integer b = 0;
  const Integer W = FWidth, H = FHeight;
  Integer left, top, width = a, height;
  if (!IsNewSystem()) {
    left = W - a - 21, top = -2, height = H;
  } else if (!IsComCtl6() || !ThemeApi.Loaded) {
    left = W - a - b - 23, top = -2, height = H - b;
  } else if (!ThemeActive()) {
    left = W - a - b - 21, top = 2, height = H - b - 4;
  } else {
    left = W - a - b - (FMetroStyle ? 21 : 34), top = 1, height = H - b - 2;
  }
  tp->SetBounds(left, top, width, height);
}

// --- Values ---------------------------------------------------------------------------------------

TDateTime TExDateTimePicker::DateTime() {
  if (FTimePicker) TDateTimePicker::SetTime(FTimePicker->Time());
  return TDateTimePicker::DateTime();
}

void TExDateTimePicker::SetDateTime(TDateTime Value) {
  const TDateTime v = JoinDayAndTime(Value, Value);
  TDateTimePicker::SetDateTime(v);
  if (FKind == dkDateTime) {
    CreateTimePicker();
    if (FTimePicker) FTimePicker->TDateTimePicker::SetDateTime(v);
  }
}

void TExDateTimePicker::SetDate(TDateTime Value) { SetDateTime(JoinDayAndTime(Value, DateTime())); }

TDateTime TExDateTimePicker::Time() const {
  if (FKind == dkDateTime && FTimePicker) return FTimePicker->Time();
  return TDateTimePicker::Time();
}

void TExDateTimePicker::SetTime(TDateTime Value) {
  const TDateTime t = JoinDayAndTime(0, Value);
  TDateTimePicker::SetTime(t);
  if (FTimePicker) FTimePicker->SetTime(t);
  UpdateTimePicker();
}

void TExDateTimePicker::SetTimeFormat(const String& Value) {
  if (FTimePicker) FTimePicker->SetFormat(Value);
  if (FKind == dkTime) TDateTimePicker::SetFormat(Value);
  FTimeFormat = Value;
  UpdateTimePicker();
}

void TExDateTimePicker::SetAutoTab(bool Value) {
  TCustomDateTimePicker::SetAutoTab(Value);
  if (FTimePicker) FTimePicker->SetAutoTab(Value);
}

void TExDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  TCustomDateTimePicker::SetBorderStyle(Value);
  UpdateTimePicker();
}

// --- AutoTab -------------------------------------------------------------------------------------

void TExDateTimePicker::WMChar(TMessage& M) {
  if (FAutoTab && IsDigit(static_cast<Char>(M.WParam))) DecodeDate(DateTime(), Fy, Fm, Fd);
  TCustomDateTimePicker::WMChar(M);
}

void TExDateTimePicker::DoShiftFocus() {
  if (FKind == dkTime) {
    TCustomDateTimePicker::DoShiftFocus();
    return;
  }
  Word y = 0, m = 0, d = 0;
  DecodeDate(DateTime(), y, m, d);
  const bool day = d != Fd, month = m != Fm, year = y != Fy;
  auto focusTimePicker = [this] {
    if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
  };
  auto nextField = [this] { PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0); };
  const String& format = Format();
  if (!format.empty()) {
    const Char last = format.back();
    if ((day && (last == u'd' || last == u'D')) || (month && (last == u'm' || last == u'M')) ||
        (year && (last == u'y' || last == u'Y'))) {
      focusTimePicker();
    } else if (day || month || year) {
      nextField();
    }
  } else if (day || month) {
    nextField();
  } else if (year) {
    focusTimePicker();
  }
}

// --- The check box -------------------------------------------------------------------------------

void TExDateTimePicker::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case DTM_SETSYSTEMTIME:
      TCustomDateTimePicker::Dispatch(M);
      AfterSetValue(M);
      return;
    case CN_NOTIFY: {
      const auto* n = reinterpret_cast<const TNMDateTimeChange*>(M.LParam);
      if (ShowCheckbox() && n && n->hdr.code == DTN_DATETIMECHANGE) {
        TCustomDateTimePicker::Dispatch(M);
        AfterValueChange(M);
        return;
      }
      break;
    }
    default: break;
  }
  TCustomDateTimePicker::Dispatch(M);
}

void TExDateTimePicker::AfterSetValue(TMessage& M) {
  if (!ShowCheckbox() || !FTimePicker) return;
  if (M.WParam == GDT_NONE) {
    if (!HasState(csDesigning)) FTimePicker->SetEnabled(Enabled() && Checked());
    return;
  }
  FTimePicker->SetEnabled(Enabled() && Checked());
  // The flag would swallow the value-change notification that a value write brings on platforms
  // whose picker reports its own writes. This one reports none, so a flag set here would swallow
  // the user's next change of the check box instead: it stays clear.
  FIgnoreTimePickerCheck = false;
}

void TExDateTimePicker::AfterValueChange(TMessage& M) {
  const auto* n = reinterpret_cast<const TNMDateTimeChange*>(M.LParam);
  if (FTimePicker && !FIgnoreTimePickerCheck) {
    FTimePicker->SetEnabled(Enabled() && Checked());
    if (n && n->dwFlags == GDT_NONE) FTimePicker->SetEnabled(false);
  }
  FIgnoreTimePickerCheck = false;
}

// --- Loading, sizes, colours, painting ------------------------------------------------------------

void TExDateTimePicker::Loaded() {
  TCustomDateTimePicker::Loaded();
  if (!HasState(csDesigning)) {
    CreateTimePicker();
    UpdateTimePicker();
    if (!Checked()) {
      SetChecked(false);
      if (FTimePicker) FTimePicker->SetEnabled(false);
    }
  }
  if (FLabel) FLabel->SetEnabled(Enabled() || FLabelAlwaysEnabled);
  UpdateLabel();
  if (FLabel && ParentFont()) FLabel->Font()->Assign(Font());
  FParentFnt = ParentFont();
  UpdateLabel();
}

void TExDateTimePicker::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FLabel && FLabel->Parent()) UpdateLabel();
}

void TExDateTimePicker::WMSize(TMessage& M) {
  TCustomDateTimePicker::WMSize(M);
  UpdateTimePicker();
}

void TExDateTimePicker::CMColorChanged(TMessage& M) {
  TCustomDateTimePicker::CMColorChanged(M);
  UpdateTimePicker();
}

void TExDateTimePicker::WMPaint(TMessage& M) {
  TCustomDateTimePicker::WMPaint(M);
  if (FFirstRun) {
    FFirstRun = false;
    UpdateTimePicker();
  }
}

// --- Label ----------------------------------------------------------------------------------------

String TExDateTimePicker::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TExDateTimePicker::SetLabelCaption(const String& Value) {
  if (!FLabel) {
    FLabel = new TLabel(this);
    FLabel->SetParent(FParent);
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
    FLabel->OnClick = [this](TObject*) {
      if (OnLabelClick) OnLabelClick(this);
    };
    FLabel->OnDblClick = [this](TObject*) {
      if (OnLabelDblClick) OnLabelDblClick(this);
    };
    FLabel->SetVisible(Visible());
  }
  FLabel->SetCaption(Value);
  UpdateLabel();
}

void TExDateTimePicker::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  if (FLabel) UpdateLabel();
}

void TExDateTimePicker::SetLabelMargin(Integer Value) {
  FLabelMargin = Value;
  if (FLabel) UpdateLabel();
}

void TExDateTimePicker::SetLabelTransparent(bool Value) {
  FLabelTransparent = Value;
  if (FLabel) UpdateLabel();
}

void TExDateTimePicker::SetLabelAlwaysEnabled(bool Value) {
  FLabelAlwaysEnabled = Value;
  if (Value && FLabel) FLabel->SetEnabled(true);
  Invalidate();
}

void TExDateTimePicker::SetLabelFont(const TFont* Value) {
  if (!ParentFont()) FLabelFont->Assign(Value);
  UpdateLabel();
}

void TExDateTimePicker::LabelFontChanged(TObject* /*Sender*/) {
  if (HasState(csDesigning) && !HasState(csLoading)) SetParentFont(false);
  UpdateLabel();
}

void TExDateTimePicker::UpdateLabel() {
  if (!FLabel) return;
  Place_Caption_Label(FLabel, FLabelTransparent, FParentFnt ? Font() : FLabelFont.get(), DT_NOPREFIX,
                      FLabelPosition, Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight), FLabelMargin, Visible());
}

void TExDateTimePicker::SetVisible(bool v) {
  TCustomDateTimePicker::SetVisible(v);
  if (FLabel) FLabel->SetVisible(v);
}

void TExDateTimePicker::CMVisibleChanged(TMessage& M) {
  TCustomDateTimePicker::CMVisibleChanged(M);
  if (FLabel) FLabel->SetVisible(Visible());
}

void TExDateTimePicker::CMEnabledChanged(TMessage& M) {
  TCustomDateTimePicker::CMEnabledChanged(M);
  if (FTimePicker) FTimePicker->SetEnabled(Enabled());
  if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
}

void TExDateTimePicker::CMEnter(TMessage& M) {
  TCustomDateTimePicker::CMEnter(M);
  if (FFocusLabel && FLabel && !HasState(csLoading)) FLabel->Font()->SetStyle(FLabel->Font()->Style() << fsBold);
}

void TExDateTimePicker::CMExit(TMessage& M) {
  TCustomDateTimePicker::CMExit(M);
  if (FFocusLabel && FLabel) FLabel->Font()->SetStyle(FLabel->Font()->Style() >> fsBold);
}

void TExDateTimePicker::CMFontChanged(TMessage& M) {
  TCustomDateTimePicker::CMFontChanged(M);
  if (FLabel && ParentFont() && (HasState(csDesigning) || HasState(csLoading))) {
    FLabel->Font()->Assign(Font());
    UpdateLabel();
  }
}

void TExDateTimePicker::CMParentFontChanged(TMessage& M) {
  TCustomDateTimePicker::CMParentFontChanged(M);
  if (FLabel && ParentFont()) {
    FLabel->Font()->Assign(Font());
    UpdateLabel();
  }
}
