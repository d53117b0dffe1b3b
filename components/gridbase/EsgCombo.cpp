#include "components/gridbase/EsgCombo.h"

#include "components/gridbase/ExXPVS.h"
#include "platform/gui/Forms.h"

// --- Construction ----------------------------------------------------------------------------------

TEsgCustomCombo::TEsgCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), FLabelFont(std::make_unique<TFont>()) {
  FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
  FIsThemed = IsComCtl6();
  FLabelFont->OnChange = [this](TObject*) { LabelFontChanged(); };
}

TEsgCustomCombo::~TEsgCustomCombo() { FLabelFont->OnChange = nullptr; }

void TEsgCustomCombo::BeforeDestruction() {
  TLabel* l = FLabel;
  FLabel = nullptr;
  TComponent::Free(l);
  TCustomComboBox::BeforeDestruction();
}

void TEsgCustomCombo::Loaded() {
  TCustomComboBox::Loaded();
  if (FDropWidth > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(FDropWidth), 0);
  FOldColor = FLoadedColor;
  if (!FFlatParentColor || FFlat) SetColor(FLoadedColor);
  if (FLabel) {
    if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
    if (ParentFont()) FLabel->SetFont(Font());
  }
  UpdateLabel();
  Init();
}

void TEsgCustomCombo::Init() { FNormalColor = Color(); }

void TEsgCustomCombo::SelectItem(const String& AString) {
  const Integer i = Items()->IndexOf(AString);
  if (i >= 0) SetItemIndex(i);
}

// --- Properties ------------------------------------------------------------------------------------

void TEsgCustomCombo::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  SetCtl3D(!Value);
  if (FFlatParentColor && FFlat) {
    if (FParent) SetColor(FParent->Color());
  } else {
    SetColor(FLoadedColor);
  }
  Invalidate();
}

void TEsgCustomCombo::SetEtched(bool Value) {
  if (Value == FEtched) return;
  FEtched = Value;
  Invalidate();
}

void TEsgCustomCombo::SetButtonWidth(Integer Value) {
  if (Value < 14 || Value > 32) return;
  FButtonWidth = Value;
  Invalidate();
}

void TEsgCustomCombo::SetBorderColor(TColor Value) {
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  if (HandleAllocated()) Perform(WM_NCPAINT, 0, 0);
}

void TEsgCustomCombo::SetFlatLineColor(TColor Value) {
  FFlatLineColor = Value;
  Invalidate();
}

void TEsgCustomCombo::SetFlatParentColor(bool Value) {
  FFlatParentColor = Value;
  Invalidate();
}

void TEsgCustomCombo::SetDropWidth(Integer Value) {
  FDropWidth = Value;
  if (Value > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

void TEsgCustomCombo::SetColor(TColor Value) {
  if (HasState(csLoading)) FLoadedColor = Value;
  TCustomComboBox::SetColor(Value);
}

void TEsgCustomCombo::SetEnabled(bool Value) {
  const bool changed = Value != Enabled();
  TCustomComboBox::SetEnabled(Value);
  if (HasState(csLoading) || HasState(csDesigning) || !changed) return;
  if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Value);
  UpdateLabel();
}

void TEsgCustomCombo::SetVisible(bool Value) {
  TCustomComboBox::SetVisible(Value);
  if (FLabel) FLabel->SetVisible(Value);
}

void TEsgCustomCombo::SetParent(TWinControl* AParent) {
  TCustomComboBox::SetParent(AParent);
  // The label stays beside the combo.
  if (FLabel && !HasState(csDestroying)) {
    FLabel->SetParent(AParent);
    UpdateLabel();
  }
}

void TEsgCustomCombo::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!HasState(csDestroying)) UpdateLabel();
}

// --- The label -------------------------------------------------------------------------------------

String TEsgCustomCombo::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TEsgCustomCombo::SetLabelCaption(const String& Value) {
  if (!FLabel) {
    FLabel = new TLabel(this);
    FLabel->SetParent(FParent);
    FLabel->SetFocusControl(this);
    FLabel->SetFont(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
  }
  FLabel->SetCaption(Value);
  UpdateLabel();
}

void TEsgCustomCombo::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  UpdateLabel();
}

void TEsgCustomCombo::SetLabelMargin(Integer Value) {
  FLabelMargin = Value;
  UpdateLabel();
}

void TEsgCustomCombo::SetLabelTransparent(bool Value) {
  FLabelTransparent = Value;
  UpdateLabel();
}

void TEsgCustomCombo::SetLabelAlwaysEnabled(bool Value) {
  FLabelAlwaysEnabled = Value;
  UpdateLabel();
}

void TEsgCustomCombo::SetLabelFont(TFont* Value) {
  if (Value && !ParentFont()) FLabelFont->Assign(Value);
  UpdateLabel();
}

void TEsgCustomCombo::LabelFontChanged() {
  if (FLabel) UpdateLabel();
  if (HasState(csDesigning) && !HasState(csLoading)) SetParentFont(false);
}

TPoint Caption_Label_Place(Integer Position, const TRect& Control, const TSize& Label, Integer Text_Width,
                           Integer Margin) {
  const Integer L = Control.Left, T = Control.Top, W = Control.Width(), H = Control.Height();
  const Integer lw = Label.cx, h = Label.cy, w = Text_Width, m = Margin;
  // The drop-down library's two further positions.
  constexpr Integer Top_Right = lpRighBottom + 1;
  constexpr Integer Bottom_Right = lpRighBottom + 2;
  switch (Position) {
    case lpLeftTop: return TPoint(L - w - m, T);
    case lpLeftCenter: return TPoint(L - w - m, T + (H - h) / 2);
    case lpLeftBottom: return TPoint(L - w - m, T + H - h);
    case lpTopLeft: return TPoint(L, T - h - m);
    case lpBottomLeft: return TPoint(L, T + H + m);
    case lpLeftTopLeft: return TPoint(L - m, T);
    case lpLeftCenterLeft: return TPoint(L - m, T + (H - h) / 2);
    case lpLeftBottomLeft: return TPoint(L - m, T + H - h);
    case lpTopCenter: return TPoint(L + (W - lw) / 2, T - h - m);
    case lpBottomCenter: return TPoint(L + (W - lw) / 2, T + H + m);
    case lpRightTop: return TPoint(L + W + m, T);
    case lpRightCenter: return TPoint(L + W + m, T + (H - h) / 2);
    case lpRighBottom: return TPoint(L + W + m, T + H - h);
    case Top_Right: return TPoint(L + W - lw, T - h - m);
    case Bottom_Right: return TPoint(L + W - lw, T + H + m);
    default: return TPoint(L, T);
  }
}

void TEsgCustomCombo::UpdateLabel() {
  if (!FLabel) return;
  FLabel->SetTransparent(FLabelTransparent);
  if (!ParentFont()) FLabel->SetFont(FLabelFont.get());
  TCanvas* c = FLabel->Canvas();
  c->Font()->Assign(FLabel->Font());
  TRect r = Rect(0, 0, 1000, 255);
  DrawText(c, FLabel->Caption(), r, DT_CALCRECT | DT_LEFT | DT_HIDEPREFIX);
  const Integer w = r.Width();
  const TPoint place = Caption_Label_Place(FLabelPosition, Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight),
                                           TSize(FLabel->Width(), FLabel->Height()), w, FLabelMargin);
  FLabel->SetBounds(place.X, place.Y, FLabel->Width(), FLabel->Height());
  FLabel->SetVisible(Visible());
}

void TEsgCustomCombo::SetLabelBold(bool Bold) {
  if (!FLabel) return;
  TFontStyles s = FLabel->Font()->Style();
  FLabel->Font()->SetStyle(Bold ? s << fsBold : s >> fsBold);
}

void TEsgCustomCombo::CMFontChanged(TMessage& M) {
  TCustomComboBox::CMFontChanged(M);
  if (FLabel && ParentFont() && (HasState(csDesigning) || HasState(csLoading))) FLabel->SetFont(Font());
}

void TEsgCustomCombo::CMParentFontChanged(TMessage& M) {
  TCustomComboBox::CMParentFontChanged(M);
  if (FLabel && ParentFont() && FParent) {
    FLabel->SetFont(FParent->Font());
    UpdateLabel();
  }
}

// --- Focus, mouse and colours ----------------------------------------------------------------------

// A combo made in code never passes Loaded, so Init may never have run: the colour it has when it
// first takes the focus is then the one to restore when it loses it again.
void TEsgCustomCombo::KeepNormalColor() {
  if (FFocusColor != clNone && FNormalColor == clNone) FNormalColor = Color();
}

void TEsgCustomCombo::CMEnter(TMessage& M) {
  if (!HasState(csDesigning)) {
    FHasFocus = true;
    PaintFrame();
    KeepNormalColor();
    if (FFocusColor != clNone) SetColor(FFocusColor);
    if (FFocusLabel) SetLabelBold(true);
  }
  TCustomComboBox::CMEnter(M);
}

void TEsgCustomCombo::CMExit(TMessage& M) {
  if (!HasState(csDesigning)) {
    FHasFocus = false;
    PaintFrame();
    if (FFocusColor != clNone && FNormalColor != clNone) SetColor(FNormalColor);
    if (FFocusLabel) SetLabelBold(false);
  }
  TCustomComboBox::CMExit(M);
}

void TEsgCustomCombo::WMSetFocus(TMessage& M) {
  TCustomComboBox::WMSetFocus(M);
  if (FFocusBorderColor != clNone) Invalidate();
  KeepNormalColor();
  if (FFocusColor != clNone) SetColor(FFocusColor);
  if (FFocusLabel) SetLabelBold(true);
}

void TEsgCustomCombo::WMKillFocus(TMessage& M) {
  TCustomComboBox::WMKillFocus(M);
  if (FFocusColor != clNone && FNormalColor != clNone) SetColor(FNormalColor);
  SetLabelBold(false);
  Invalidate();
}

void TEsgCustomCombo::CMMouseEnter(TMessage& M) {
  TCustomComboBox::CMMouseEnter(M);
  if (!FMouseInControl && Enabled()) {
    FMouseInControl = true;
    PaintFrame();
  }
  if (FAutoFocus && !HasState(csDesigning)) {
    TCustomForm* form = GetParentForm(this);
    if ((!form || form->Active()) && CanFocus()) SetFocus();
  }
  if (FIsWinXP) Invalidate();
}

void TEsgCustomCombo::CMMouseLeave(TMessage& M) {
  TCustomComboBox::CMMouseLeave(M);
  if (FMouseInControl && Enabled()) {
    FMouseInControl = false;
    PaintFrame();
  }
  FButtonHover = false;
  if (FIsWinXP) Invalidate();
}

void TEsgCustomCombo::WMMouseMove(TMessage& M) {
  const Integer x = TWMMouse{M}.XPos();
  const bool hover = FWidth - FButtonWidth < x && x < FWidth;
  if (hover != FButtonHover) {
    FButtonHover = hover;
    Invalidate();
  }
  TCustomComboBox::WMMouseMove(M);
}

void TEsgCustomCombo::CMEnabledChanged(TMessage& M) {
  // A flat combo takes its parent's colour while disabled.
  if (FFlat && !HasState(csLoading)) {
    if (!Enabled()) {
      FOldParentColor = ParentColor();
      FOldColor = Color();
      SetParentColor(true);
    } else {
      SetColor(FOldColor);
      SetParentColor(FOldParentColor);
    }
  }
  TCustomComboBox::CMEnabledChanged(M);
}

void TEsgCustomCombo::CNCommand(TMessage& M) {
  TCustomComboBox::CNCommand(M);
  const Word code = M.WParamHi();
  if (code == CBN_DROPDOWN || code == CBN_CLOSEUP) Invalidate();
  if (code == CBN_CLOSEUP && OnDropUp) OnDropUp(this);
}

// --- Painting --------------------------------------------------------------------------------------

bool TEsgCustomCombo::ThemesInUse() const { return FIsThemed && ThemeApi.IsThemeActive() != 0; }

bool TEsgCustomCombo::IsActiveControl() const {
  return Screen && Screen->ActiveControl() == static_cast<const TWinControl*>(this);
}

bool TEsgCustomCombo::IsHotOrActive() const {
  if (HasState(csDesigning)) return Enabled();
  return FMouseInControl || IsActiveControl();
}

bool TEsgCustomCombo::ShowsFocusBorder() const {
  return !HasState(csDesigning) && (FMouseInControl || IsActiveControl()) && FFocusBorder;
}

void TEsgCustomCombo::Invalidate() {
  TCustomComboBox::Invalidate();
  // The own painting goes to the window image at once.
  if (!HasState(csDestroying) && FLabelFont) Perform(WM_PAINT, 0, 0);
}

void TEsgCustomCombo::Dispatch(TMessage& M) {
  if (M.Msg == WM_NCPAINT) {
    WMNCPaint(M);
    return;
  }
  TCustomComboBox::Dispatch(M);
}

void TEsgCustomCombo::WMPaint(TMessage& M) {
  if (FIsVista && FButtonColor == clNone) {
    TCustomComboBox::WMPaint(M);
    return;
  }
  const bool own = FFlat || FButtonColor != clNone || FBorderColor != clNone ||
                   (FFocusBorderColor != clNone && FHasFocus) ||
                   (!Enabled() && ThemesInUse() && !FDisabledBorder);
  if (!own) {
    TCustomComboBox::WMPaint(M);
    return;
  }
  if (Style() != csSimple) {
    TCanvas* c = FWindowImage.Canvas(this);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    PaintDropButton(c);
  }
  TCustomComboBox::WMPaint(M);
  PaintFrame();
}

void TEsgCustomCombo::WMNCPaint(TMessage& M) {
  DefaultHandler(M);
  if (FFlat || (!Enabled() && ThemesInUse() && !FDisabledBorder)) PaintFrame();
  if ((FFocusBorderColor != clNone && Focused()) || FBorderColor != clNone) PaintFrame();
}

void TEsgCustomCombo::PaintFrame() {
  if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
  if (FIsVista && FBorderColor == clNone) return;
  TCanvas* c = FWindowImage.Canvas(this);
  PaintControlBorder(c);
  if (Style() != csSimple && !(FIsWinXP && ThemesInUse())) PaintButtonBorder(c);
}

void TEsgCustomCombo::PaintControlBorder(TCanvas* C) {
  TEsgBorderState s;
  s.Enabled = Enabled();
  s.IsThemed = FIsThemed;
  s.DisabledBorder = FDisabledBorder;
  s.HasFocus = FHasFocus;
  s.ShowsFocusBorder = ShowsFocusBorder();
  s.BorderColor = FBorderColor;
  s.FocusBorderColor = FFocusBorderColor;
  s.Color = Color();
  s.ParentColor = FParent ? FParent->Color() : clBtnFace;
  s.ButtonWidth = FButtonWidth;
  const TRect f = PaintEsgControlBorder(C, Rect(0, 0, FWidth, FHeight), s);
  const bool doubleFrame = !(!s.Enabled && s.IsThemed && !s.DisabledBorder) && s.BorderColor == clNone &&
                           s.FocusBorderColor == clNone;
  if (doubleFrame && FFlat && FFlatLineColor != clNone) {
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(FFlatLineColor);
    C->MoveTo(f.Left - 2, FHeight - 1);
    C->LineTo(f.Right - FButtonWidth - 1, FHeight - 1);
  }
}

void TEsgCustomCombo::PaintButtonBorder(TCanvas* C) {
  const Integer cw = ClientWidth(), ch = ClientHeight();
  C->ExcludeClipRect(Rect(cw - FButtonWidth + 4, 4, cw - 4, ch - 4));
  TRect b = Rect(0, 0, FWidth, FHeight);
  b.Left += cw - FButtonWidth - 2;
  InflateRect(b, -2, -2);
  if (!IsHotOrActive()) {
    // Hides the raised button face while the combo is neither hot nor active.
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Rect(b.Left, b.Top + 1, b.Right - 1, b.Bottom - 1));
  }
  C->ExcludeClipRect(b);
}

void TEsgCustomCombo::PaintDropButton(TCanvas* C) {
  const Integer cw = ClientWidth(), ch = ClientHeight();
  TRect b = Rect(0, 0, FWidth, FHeight);
  b.Left += cw - FButtonWidth + 2;
  InflateRect(b, -1, -1);
  const bool mouseDown = EsgMouseButtonDown();
  bool painted = false;
  if (FButtonColor == clNone && ThemesInUse()) {
    if (HTHEME theme = ThemeApi.OpenThemeData(Handle(), u"combobox")) {
      const Integer state = EsgComboButtonThemeState(Enabled(), mouseDown, DroppedDown(), FButtonHover);
      ThemeApi.DrawThemeBackground(theme, C, 1, state, &b, nullptr);
      ThemeApi.CloseThemeData(theme);
      painted = true;
    }
  }
  if (!painted && FButtonColor == clNone) {
    b.Left -= 4;
    b.Top += 1;
    b.Bottom -= 1;
    DrawFrameControl(C, b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
  } else if (!painted) {
    TColor fill = FButtonColor;
    if (FButtonHover) fill = FButtonColorHot;
    if (mouseDown && FButtonHover) fill = FButtonColorDown;
    b.Left -= 1;
    b.Top += 1;
    b.Bottom -= 1;
    b.Right -= 1;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(fill);
    C->FillRect(b);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(FButtonBorderColor);
    C->MoveTo(b.Left, b.Top);
    C->LineTo(b.Left, b.Bottom);
    const TColor arrow = mouseDown ? FButtonTextColorDown : FButtonTextColor;
    C->Pen()->SetColor(arrow);
    C->Brush()->SetColor(arrow);
    const TPoint p[3] = {Point(b.Left + 4, b.Top + 7), Point(b.Left + 10, b.Top + 7), Point(b.Left + 7, b.Top + 10)};
    C->Polygon(p, 3);
  }
  // The library's painting must not cover the button.
  C->ExcludeClipRect(Rect(cw - FButtonWidth - 4, 0, cw + 2, ch));
}
