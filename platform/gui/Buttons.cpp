#include "platform/gui/Buttons.h"

#include <algorithm>

namespace {

// The disabled look of an image without its own disabled picture: every pixel that is not the
// transparent colour becomes a shadow pixel with a highlight one pixel right and down.
void EmbossImage(TBitmap& Image) {
  const Integer w = Image.Width(), h = Image.Height();
  const TColor key = Image.TransparentColor();
  TBitmap out(w, h);
  TCanvas* c = out.Canvas();
  c->Brush()->SetColor(key);
  c->FillRect(Rect(0, 0, w, h));
  TCanvas* src = Image.Canvas();
  for (Integer y = 0; y < h; ++y)
    for (Integer x = 0; x < w; ++x)
      if (src->Pixels(x, y) != key && x + 1 < w && y + 1 < h) c->SetPixels(x + 1, y + 1, clBtnHighlight);
  for (Integer y = 0; y < h; ++y)
    for (Integer x = 0; x < w; ++x)
      if (src->Pixels(x, y) != key) c->SetPixels(x, y, clBtnShadow);
  Image.Canvas()->CopyRect(Rect(0, 0, w, h), c, Rect(0, 0, w, h));
}

}  // namespace

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FControlStyle = csCaptureMouse | csDoubleClicks;
  FColor = clBtnFace;
  FParentColor = false;
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

void TSpeedButton::SetGlyph(TBitmap* Value) {
  if (Value)
    FGlyph->Assign(Value);
  else
    FGlyph->FreeImage();
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(Integer Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(Integer Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  // The only down button of a group stays down unless the group allows all up.
  if (FDown && !Value && !FAllowAllUp) return;
  FDown = Value;
  FState = Value ? bsExclusive : (Enabled() ? bsUp : bsDisabled);
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !FParent || !FDown) return;
  for (Integer i = 0; i < FParent->ControlCount(); ++i) {
    auto* b = dynamic_cast<TSpeedButton*>(FParent->Controls(i));
    if (!b || b == this || b->FGroupIndex != FGroupIndex || !b->FDown) continue;
    b->FDown = false;
    b->FState = b->Enabled() ? bsUp : bsDisabled;
    b->Invalidate();
  }
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  const bool inside = PtInRect(ClientRect(), Point(X, Y));
  TButtonState s = FDown ? bsExclusive : bsUp;
  if (inside && !FDown) s = bsDown;
  if (s != FState) {
    FState = s;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool inside = PtInRect(ClientRect(), Point(X, Y));
  if (FGroupIndex == 0) {
    FState = Enabled() ? bsUp : bsDisabled;
    Invalidate();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown) FState = bsExclusive;
    Invalidate();
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (inside) Click();
}

void TSpeedButton::CMMouseEnter(TMessage& M) {
  TGraphicControl::CMMouseEnter(M);
  FMouseInControl = true;
  if (FFlat && Enabled()) Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& M) {
  TGraphicControl::CMMouseLeave(M);
  FMouseInControl = false;
  if (FFlat && Enabled()) Invalidate();
}

void TSpeedButton::CMEnabledChanged(TMessage& M) {
  TGraphicControl::CMEnabledChanged(M);
  if (!FDown) FState = Enabled() ? bsUp : bsDisabled;
  Invalidate();
}

void TSpeedButton::ExtractGlyphImage(Integer Index, TBitmap& Dest) const {
  const Integer w = FGlyph->Width() / std::max(FNumGlyphs, 1);
  const Integer h = FGlyph->Height();
  Dest.SetSize(w, h);
  Dest.Canvas()->CopyRect(Rect(0, 0, w, h), FGlyph->Canvas(), Bounds(Index * w, 0, w, h));
  Dest.SetTransparentColor(FGlyph->TransparentColor());
  Dest.SetTransparent(true);
}

Integer TSpeedButton::GlyphImage() const {
  switch (FState) {
    case bsDisabled: return FNumGlyphs > 1 ? 1 : 0;
    case bsDown: return FNumGlyphs > 2 ? 2 : 0;
    case bsExclusive: return FNumGlyphs > 3 ? 3 : 0;
    default: return 0;
  }
}

void TSpeedButton::PaintFrame(TRect& R) {
  TCanvas* c = Canvas();
  const bool pressed = FState == bsDown || FState == bsExclusive;
  if (!FFlat) {
    DrawFrameControl(c, R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
    return;
  }
  if (!FTransparent) {
    c->Brush()->SetColor(FColor);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(R);
  }
  if (pressed || (FMouseInControl && Enabled())) {
    TRect e = R;
    DrawEdge(c, e, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  InflateRect(R, -1, -1);
}

void TSpeedButton::PaintGlyphAndCaption(const TRect& R, Integer Offset) {
  TCanvas* c = Canvas();
  const String caption = Caption();
  c->Font()->Assign(Font());
  const bool hasGlyph = !FGlyph->Empty();
  const bool hasCaption = !caption.empty();
  TBitmap image;
  Integer gw = 0, gh = 0;
  if (hasGlyph) {
    ExtractGlyphImage(GlyphImage(), image);
    if (FState == bsDisabled && FNumGlyphs < 2) EmbossImage(image);
    gw = image.Width();
    gh = image.Height();
  }
  const TSize text = hasCaption ? c->TextExtent(caption) : TSize();
  const Integer spacing = hasGlyph && hasCaption ? 4 : 0;
  const Integer total = gw + spacing + text.cx;
  const Integer x = R.Left + (R.Width() - total) / 2 + Offset;
  if (hasGlyph) c->Draw(x, R.Top + (R.Height() - gh) / 2 + Offset, &image);
  if (hasCaption) {
    TRect t = Rect(x + gw + spacing, R.Top + Offset, x + total, R.Bottom + Offset);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    DrawText(c, caption, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void TSpeedButton::Paint() {
  TRect r = ClientRect();
  PaintFrame(r);
  const bool pressed = FState == bsDown || FState == bsExclusive;
  PaintGlyphAndCaption(r, pressed ? 1 : 0);
}
