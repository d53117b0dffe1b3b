#include "components/gridbase/EsgPaint.h"

#include <algorithm>

#include "components/gridbase/ExXPVS.h"

TCanvas* TEsgWindowImage::Canvas(TControl* Control) {
  if (auto* wc = dynamic_cast<TWinControl*>(Control)) {
    if (TCanvas* c = wc->OverlayCanvas()) {
      FOverlayOf = wc;
      return c;
    }
  }
  const Integer w = std::max(Control->Width(), 0), h = std::max(Control->Height(), 0);
  if (FImage.Width() != w || FImage.Height() != h) FImage.SetSize(w, h);
  TCanvas* c = FImage.Canvas();
  c->SelectClipRgn(nullptr);
  c->SetWindowOrg(TPoint(0, 0));
  return c;
}

TBitmap* TEsgWindowImage::Image() {
  TBitmap* overlay = FOverlayOf ? FOverlayOf->OverlayImage() : nullptr;
  return overlay ? overlay : &FImage;
}

TRect PaintEsgControlBorder(TCanvas* C, TRect F, const TEsgBorderState& S) {
  C->Brush()->SetStyle(bsSolid);
  if (!S.Enabled && S.IsThemed && !S.DisabledBorder) {
    C->Brush()->SetColor(EsgDisabledFrameColor);
    C->FrameRect(F);
    return F;
  }
  if (S.BorderColor != clNone && !(S.HasFocus && S.FocusBorderColor != clNone)) {
    C->Brush()->SetColor(S.BorderColor);
    C->FrameRect(F);
    return F;
  }
  if (S.FocusBorderColor != clNone) {
    if (S.HasFocus) {
      C->Brush()->SetColor(S.FocusBorderColor);
      C->FrameRect(F);
    }
    return F;
  }
  const TColor outer = S.ShowsFocusBorder ? clBtnFace : S.ParentColor;
  if (S.ShowsFocusBorder) {
    DrawEdge(C, F, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    C->Brush()->SetColor(outer);
    C->FrameRect(F);
    InflateRect(F, -1, -1);
    C->Brush()->SetColor(S.Color);
    C->FrameRect(F);
    return F;
  }
  C->Brush()->SetColor(outer);
  C->FrameRect(F);
  InflateRect(F, -1, -1);
  F.Right -= S.ButtonWidth;
  C->FrameRect(F);
  InflateRect(F, -1, -1);
  C->Brush()->SetColor(S.Color);
  C->FrameRect(F);
  F.Right += S.ButtonWidth;
  return F;
}

Integer EsgComboButtonThemeState(bool Enabled, bool MouseButtonDown, bool DroppedDown, bool ButtonHover) {
  if (!Enabled) return 4;
  if (MouseButtonDown && DroppedDown) return 3;
  if (MouseButtonDown || !ButtonHover || DroppedDown) return 1;
  return 2;
}

bool EsgMouseButtonDown() { return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0; }

void PaintEsgDropButton(TCanvas* C, HWND Wnd, const TRect& B, const TEsgDropButtonLook& L) {
  const bool mouseDown = EsgMouseButtonDown();
  if (L.Color != clNone) {
    TColor fill = L.Color;
    if (L.Hover) fill = L.ColorHot;
    if (mouseDown && L.Hover) fill = L.ColorDown;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(fill);
    C->FillRect(Rect(B.Left + 2, B.Top, B.Right, B.Bottom));
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(L.BorderColor);
    C->MoveTo(B.Left, B.Top);
    C->LineTo(B.Left, B.Bottom);
    const TColor arrow = mouseDown ? L.TextColorDown : L.TextColor;
    C->Pen()->SetColor(arrow);
    C->Brush()->SetColor(arrow);
    const TPoint p[3] = {Point(B.Left + 5, B.Top + 7), Point(B.Left + 11, B.Top + 7), Point(B.Left + 8, B.Top + 10)};
    C->Polygon(p, 3);
    return;
  }
  if (L.Themed) {
    if (HTHEME theme = ThemeApi.OpenThemeData(Wnd, u"combobox")) {
      const Integer state = EsgComboButtonThemeState(L.Enabled, mouseDown, L.DroppedDown, L.Hover);
      TRect b = B;
      ThemeApi.DrawThemeBackground(theme, C, 1, state, &b, nullptr);
      ThemeApi.CloseThemeData(theme);
      return;
    }
  }
  TRect b = B;
  DrawFrameControl(C, b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (L.Enabled ? DFCS_FLAT : DFCS_INACTIVE));
}
