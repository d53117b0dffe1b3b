#include "components/gridbase/EsgDatePicker.h"

#include "components/gridbase/EsgPaint.h"
#include "components/gridbase/ExStyleIF.h"
#include "components/gridbase/ExUtil.h"
#include "components/gridbase/ExXPVS.h"
#include "platform/gui/Forms.h"

// --- TFlatDateTimePicker ---------------------------------------------------------------------------

TFlatDateTimePicker::TFlatDateTimePicker(TComponent* AOwner) : TDateTimePicker(AOwner) {
  FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
  // The common-controls library of this system draws themes (an unknown version counts as such).
  FIsThemed = IsComCtl6();
  FIsWinXP = IsWinXPOrLater();
  SetDoubleBuffered(true);
  SetParentCtl3D(false);
}

void TFlatDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Invalidate();
}

void TFlatDateTimePicker::SetBorderColor(TColor Value) {
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  Invalidate();
}

void TFlatDateTimePicker::SetMetroStyle(bool Value) {
  if (Value == FMetroStyle) return;
  FMetroStyle = Value;
  Invalidate();
}

bool TFlatDateTimePicker::HotOrActive() const {
  if (HasState(csDesigning)) return Enabled();
  return FMouseInControl || (Screen && Screen->ActiveControl() == static_cast<const TWinControl*>(this));
}

void TFlatDateTimePicker::CMEnter(TMessage& M) {
  if (!HasState(csDesigning)) {
    FHasFocus = true;
    PaintFrame();
  }
  TDateTimePicker::CMEnter(M);
}

void TFlatDateTimePicker::CMExit(TMessage& M) {
  if (!HasState(csDesigning)) {
    FHasFocus = false;
    PaintFrame();
  }
  TDateTimePicker::CMExit(M);
}

void TFlatDateTimePicker::CMMouseEnter(TMessage& M) {
  TDateTimePicker::CMMouseEnter(M);
  if (HasState(csDesigning) || !Enabled()) return;
  FMouseInControl = true;
  PaintFrame();
  if (FIsWinXP) Invalidate();
}

void TFlatDateTimePicker::CMMouseLeave(TMessage& M) {
  TDateTimePicker::CMMouseLeave(M);
  if (HasState(csDesigning) || !Enabled()) return;
  FMouseInControl = false;
  PaintFrame();
  FButtonHover = false;
  if (FIsWinXP) Invalidate();
}

void TFlatDateTimePicker::TrackButtonHover(Integer X) {
  const bool hover = FWidth - FButtonWidth < X && X < FWidth;
  if (hover == FButtonHover) return;
  FButtonHover = hover;
  Invalidate();
}

void TFlatDateTimePicker::PaintBorderLines(bool Inner) {
  TCanvas* c = Canvas();
  const Integer saved = c->SaveDC();
  TColor pen = FBorderColor;
  if (FBorderStyle == bsNone && FParent)
    pen = FParent->Color();
  else if (FIsThemed)
    pen = EsgDisabledFrameColor;
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(pen);
  c->MoveTo(0, FHeight);
  c->LineTo(0, 0);
  c->LineTo(FWidth - 1, 0);
  c->LineTo(FWidth - 1, FHeight - 1);
  c->LineTo(0, FHeight - 1);
  if (FParent && Inner) {
    if (FBorderStyle == bsSingle) c->Pen()->SetColor(FParent->Color());
    c->MoveTo(1, FHeight - 2);
    c->LineTo(1, 1);
    c->LineTo(FWidth - 1, 1);
  }
  c->RestoreDC(saved);
}

void TFlatDateTimePicker::PaintButtonBorder(TCanvas* C) {
  const Integer cw = ClientWidth(), ch = ClientHeight();
  C->ExcludeClipRect(Rect(cw - FButtonWidth + 4, 4, cw - 4, ch - 4));
  TRect b = Rect(0, 0, FWidth, FHeight);
  b.Left += cw - FButtonWidth - 2;
  InflateRect(b, -2, -2);
  if (HotOrActive()) {
    TRect e = b;
    DrawEdge(C, e, EDGE_RAISED, BF_RECT | (DroppedDown() ? BF_FLAT : 0));
  } else {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Rect(b.Left, b.Top + 1, b.Right - 1, b.Bottom - 1));
  }
  C->ExcludeClipRect(b);
}

void TFlatDateTimePicker::WipePlatformButton(TCanvas* C, bool Themed, Integer ThemedInset) {
  const Integer cw = ClientWidth();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color());
  if (Themed)
    C->FillRect(Rect(cw - FButtonWidth - ThemedInset, 1, cw, FHeight));
  else
    C->FillRect(Rect(cw - FButtonWidth - 2, 4, cw - 2, FHeight - 4));
}

void TFlatDateTimePicker::PaintDropButton(TCanvas* C, bool Themed) {
  const Integer cw = ClientWidth(), ch = ClientHeight();
  TRect b = Rect(0, 0, FWidth, FHeight);
  b.Left += cw - FButtonWidth + 2;
  InflateRect(b, -1, -1);
  TEsgDropButtonLook look;
  look.Color = FButtonColor;
  look.ColorHot = FButtonColorHot;
  look.ColorDown = FButtonColorDown;
  look.BorderColor = FButtonBorderColor;
  look.TextColor = FButtonTextColor;
  look.TextColorDown = FButtonTextColorDown;
  look.Hover = FButtonHover;
  look.Themed = Themed;
  look.Enabled = Enabled();
  look.DroppedDown = DroppedDown();
  PaintEsgDropButton(C, Handle(), b, look);
  C->ExcludeClipRect(Rect(cw - FButtonWidth - 4, 0, cw + 2, ch));
}

// --- TEsgDateTimePicker ----------------------------------------------------------------------------

TEsgDateTimePicker::TEsgDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner) {
  SetBorderStyle(bsSingle);
  SetCtl3D(true);
  FBorderStyle = bsNone;
}

String TEsgDateTimePicker::Version() const { return VersionNrText(GetVersionNr()); }

void TEsgDateTimePicker::SetVersion(const String& Value) { (void)Value; }

// --- Tests the painting uses -----------------------------------------------------------------------

bool TEsgDateTimePicker::ThemesInUse() const { return FIsThemed && ThemeApi.IsThemeActive() != 0; }
bool TEsgDateTimePicker::MetroActive() const { return FMetroStyle && !HasState(csDesigning); }

bool TEsgDateTimePicker::ShowsFocusBorder() const {
  return !HasState(csDesigning) &&
         (FMouseInControl || (Screen && Screen->ActiveControl() == static_cast<const TWinControl*>(this))) &&
         FFocusBorder;
}

// --- Messages --------------------------------------------------------------------------------------

void TEsgDateTimePicker::WndProc(TMessage& Message) {
  TDateTimePicker::WndProc(Message);
  if (Message.Msg == WM_NCPAINT) PaintFrameAfterNC();
}

void TEsgDateTimePicker::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_NCPAINT: WMNCPaint(M); break;
    case CM_CTL3DCHANGED:
      TDateTimePicker::Dispatch(M);
      Invalidate();
      break;
    default: TDateTimePicker::Dispatch(M);
  }
}

void TEsgDateTimePicker::WMPaint(TMessage& M) {
  TDateTimePicker::WMPaint(M);
  if (!((!Ctl3D() || MetroActive()) && IsVistaOrLater())) return;
  TCanvas* c = Canvas();
  const Integer saved = c->SaveDC();
  if (MetroActive() && Kind() != dtkTime) {
    if (IsVistaOrLater() && IsComCtl6()) WipePlatformButton(c, ThemeApi.IsThemeActive(), 15);
    PaintDropButton(c, ThemesInUse());
  }
  c->RestoreDC(saved);
  PaintFrame();
}

void TEsgDateTimePicker::WMNCPaint(TMessage& M) {
  DefaultHandler(M);
  PaintFlatBorder();
  if (!Enabled() && ThemesInUse() && !FDisabledBorder) PaintFrame();
  if ((FFocusBorderColor != clNone && Focused()) || FBorderColor != clNone) PaintFrame();
  M.Result = 0;
}

void TEsgDateTimePicker::PaintFrameAfterNC() {
  if (!Enabled() && ThemesInUse() && !FDisabledBorder) PaintFrame();
  if ((FFocusBorderColor != clNone && Focused()) || FBorderColor != clNone) PaintFrame();
}

void TEsgDateTimePicker::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TDateTimePicker::MouseMove(Shift, X, Y);
  if (HasState(csDesigning)) return;
  TrackButtonHover(X);
}

// --- Painting --------------------------------------------------------------------------------------

void TEsgDateTimePicker::PaintFrame() {
  if (!MetroActive()) return;
  if (Enabled() && FBorderColor == clNone && FFocusBorderColor == clNone) return;
  TCanvas* c = Canvas();
  const Integer saved = c->SaveDC();
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
  PaintEsgControlBorder(c, Rect(0, 0, FWidth, FHeight), s);
  if (!(FIsWinXP && ThemesInUse())) PaintButtonBorder(c);
  c->RestoreDC(saved);
}

void TEsgDateTimePicker::PaintFlatBorder() {
  if (Ctl3D() || FBorderColor == clNone) return;
  PaintBorderLines(true);
}
