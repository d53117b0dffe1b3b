#include "components/gridbase/EsgPaint.h"

#include <algorithm>

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
