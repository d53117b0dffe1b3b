// 3-D edges, frame controls (buttons, check boxes, radio buttons, scroll arrows, size grip, caption
// close box, menu marks) in the system colours, and alpha blending between canvases. All drawn
// by our own code so they look the same everywhere.
#include <algorithm>

#include "platform/gui/Graphics.h"
#include "platform/gui/GraphicsBackend.h"

namespace {

// Draws straight into a canvas's surface without touching its pen or brush.
class TPainter {
 public:
  explicit TPainter(TCanvas* C) : FCanvas(C) {
    TCanvas::Surface* S = C ? C->GetSurface() : nullptr;
    // A recorded page (a printer's) keeps the fills and straight lines as such.
    FRecord = S && S->Recording;
    if (!S || !S->Target || S->Target->Empty()) return;
    FImage = S->Target;
    FOrg = C->WindowOrg();
    FClip = TRegion(GraphicsRaster::ImageRect(*FImage));
    TRegion Current;
    if (C->GetClipRgn(Current)) FClip.Intersect(Current);
  }
  ~TPainter() {
    if ((FImage || FRecord) && FCanvas->OnChange) FCanvas->OnChange(FCanvas);
  }
  bool Ready() const { return FImage != nullptr || FRecord; }

  void Fill(const TRect& R, TColor C) {
    if (FRecord) GraphicsRecord::Fill(*FCanvas, R, C);
    if (!FImage) return;
    TRect D = R;
    OffsetRect(D, -FOrg.X, -FOrg.Y);
    GraphicsRaster::FillRect(*FImage, FClip, D, Brush(C), pmCopy);
  }
  // Fills R with a checkerboard of two colours (the "checked" look of push buttons).
  void Dither(const TRect& R, TColor A, TColor B) {
    if (!FImage) return;
    for (Integer Y = R.Top; Y < R.Bottom; ++Y)
      for (Integer X = R.Left; X < R.Right; ++X) Pixel(X, Y, ((X + Y) & 1) ? A : B);
  }
  void Pixel(Integer X, Integer Y, TColor C) {
    if (FRecord) GraphicsRecord::Fill(*FCanvas, TRect(X, Y, X + 1, Y + 1), C);
    if (!FImage) return;
    GraphicsRaster::SetPixel(*FImage, FClip, X - FOrg.X, Y - FOrg.Y, ColorToRGB(C) & 0xFFFFFF,
                             pmCopy);
  }
  // A one-pixel line; the end point is left out.
  void Line(Integer X0, Integer Y0, Integer X1, Integer Y1, TColor C) {
    if (FRecord && (X0 == X1 || Y0 == Y1)) {
      // The end point is left out, as on pixels.
      GraphicsRecord::Fill(*FCanvas,
                           TRect(std::min(X0, X1 + (X1 < X0 ? 1 : 0)), std::min(Y0, Y1 + (Y1 < Y0 ? 1 : 0)),
                                 std::max(X0 + 1, X1), std::max(Y0 + 1, Y1)),
                           C);
    }
    if (!FImage) return;
    Integer Pattern = 0;
    GraphicsRaster::Line(*FImage, FClip, X0 - FOrg.X, Y0 - FOrg.Y, X1 - FOrg.X, Y1 - FOrg.Y,
                         ColorToRGB(C) & 0xFFFFFF, psSolid, pmCopy, false, 0, Pattern);
  }
  // Colours the pixels of an ellipse's outline or area, optionally only one half of it: Half > 0
  // keeps the pixels below/right of the anti-diagonal through the centre, Half < 0 the others.
  void Ellipse(const TRect& R, bool Area, TColor C, int Half = 0) {
    if (!FImage || IsRectEmpty(R)) return;
    GraphicsBackend::TShape S;
    S.Kind = GraphicsBackend::TShapeKind::Ellipse;
    S.Bounds = R;
    OffsetRect(S.Bounds, -FOrg.X, -FOrg.Y);
    GraphicsBackend::TMask Fill, Outline;
    GraphicsBackend::RasterizeShape(S, GraphicsBackend::TShapePen{1, psSolid}, Area, Fill, Outline);
    GraphicsBackend::TMask& M = Area ? Fill : Outline;
    if (Half != 0) {
      // Twice the centre, so the test stays in integers.
      const Integer CX2 = S.Bounds.Left + S.Bounds.Right - 1, CY2 = S.Bounds.Top + S.Bounds.Bottom - 1;
      for (Integer Y = 0; Y < M.Height; ++Y)
        for (Integer X = 0; X < M.Width; ++X) {
          const Integer D = 2 * (M.Left + X) - CX2 + 2 * (M.Top + Y) - CY2;
          const bool Lower = D > 0;
          if (Lower != (Half > 0)) M.Bits[static_cast<size_t>(Y) * M.Width + X] = 0;
        }
    }
    GraphicsRaster::FillMask(*FImage, FClip, M, Brush(C), pmCopy);
  }

 private:
  static GraphicsRaster::TRasterBrush Brush(TColor C) {
    GraphicsRaster::TRasterBrush B;
    B.RGB = ColorToRGB(C) & 0xFFFFFF;
    return B;
  }
  TCanvas* FCanvas;
  TBitmap::Image* FImage = nullptr;
  bool FRecord = false;
  TPoint FOrg;
  TRegion FClip;
};

// One ring of an edge: the top and left sides in TL, the bottom and right sides in BR (the
// bottom-left and top-right corners belong to BR).
void Ring(TPainter& P, const TRect& R, Cardinal Flags, TColor TL, TColor BR) {
  if (IsRectEmpty(R)) return;
  if (Flags & BF_TOP) P.Fill(TRect(R.Left, R.Top, R.Right - 1, R.Top + 1), TL);
  if (Flags & BF_LEFT) P.Fill(TRect(R.Left, R.Top, R.Left + 1, R.Bottom - 1), TL);
  if (Flags & BF_BOTTOM) P.Fill(TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), BR);
  if (Flags & BF_RIGHT) P.Fill(TRect(R.Right - 1, R.Top, R.Right, R.Bottom), BR);
}

void Shrink(TRect& R, Cardinal Flags) {
  if (Flags & BF_LEFT) ++R.Left;
  if (Flags & BF_TOP) ++R.Top;
  if (Flags & BF_RIGHT) --R.Right;
  if (Flags & BF_BOTTOM) --R.Bottom;
}

// The largest square of R, centred.
TRect CentredSquare(const TRect& R) {
  const Integer S = std::min(R.Width(), R.Height());
  const Integer L = R.Left + (R.Width() - S) / 2, T = R.Top + (R.Height() - S) / 2;
  return TRect(L, T, L + S, T + S);
}

// A tick mark filling R, three pixels thick.
void Tick(TPainter& P, const TRect& R, TColor C) {
  const Integer W = R.Width(), H = R.Height();
  if (W < 3 || H < 3) return;
  const Integer X0 = R.Left + W * 1 / 9, Y0 = R.Top + H * 3 / 9;
  const Integer X1 = R.Left + W * 3 / 9, Y1 = R.Top + H * 5 / 9;
  const Integer X2 = R.Left + W * 8 / 9, Y2 = R.Top + H * 0 / 9;
  for (Integer I = 0; I < 3; ++I) {
    P.Line(X0, Y0 + I, X1, Y1 + I, C);
    P.Line(X1, Y1 + I, X2, Y2 + I, C);
  }
}

enum TArrow { arUp, arDown, arLeft, arRight };

// A filled arrow head centred in R: base 2k+1 pixels, k+1 deep.
void ArrowHead(TPainter& P, const TRect& R, TArrow Dir, TColor C) {
  const Integer S = std::min(R.Width(), R.Height());
  const Integer K = std::max<Integer>(1, (S - 4) / 4);
  const Integer CX = R.Left + (R.Width() - 1) / 2, CY = R.Top + (R.Height() - 1) / 2;
  for (Integer I = 0; I <= K; ++I) {
    const Integer Half = K - I;  // row I from the base
    switch (Dir) {
      case arDown: {
        const Integer Y = CY - K / 2 + I;
        P.Fill(TRect(CX - Half, Y, CX + Half + 1, Y + 1), C);
        break;
      }
      case arUp: {
        const Integer Y = CY + (K + 1) / 2 - I;
        P.Fill(TRect(CX - Half, Y, CX + Half + 1, Y + 1), C);
        break;
      }
      case arRight: {
        const Integer X = CX - K / 2 + I;
        P.Fill(TRect(X, CY - Half, X + 1, CY + Half + 1), C);
        break;
      }
      case arLeft: {
        const Integer X = CX + (K + 1) / 2 - I;
        P.Fill(TRect(X, CY - Half, X + 1, CY + Half + 1), C);
        break;
      }
    }
  }
}

// The face of a push button (also of scroll buttons and the close box). Returns the face rectangle.
TRect ButtonFace(TCanvas* Canvas, TPainter& P, const TRect& R, Cardinal State) {
  TRect Face = R;
  const bool Pushed = (State & (DFCS_PUSHED | DFCS_CHECKED)) != 0;
  if (State & (DFCS_FLAT | DFCS_MONO)) {
    const TColor Frame = (State & DFCS_MONO) ? clWindowFrame : clBtnShadow;
    Ring(P, Face, BF_RECT, Frame, Frame);
    Shrink(Face, BF_RECT);
    P.Fill(Face, clBtnFace);
    return Face;
  }
  if (Pushed) {
    Ring(P, Face, BF_RECT, cl3DDkShadow, cl3DDkShadow);
    Shrink(Face, BF_RECT);
    Ring(P, Face, BF_RECT, clBtnShadow, clBtnShadow);
    Shrink(Face, BF_RECT);
    if ((State & DFCS_CHECKED) && !(State & DFCS_PUSHED))
      P.Dither(Face, clBtnHighlight, clBtnFace);
    else
      P.Fill(Face, clBtnFace);
    return Face;
  }
  TRect E = Face;
  DrawEdge(Canvas, E, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
  return E;
}

}  // namespace

bool DrawEdge(TCanvas* Canvas, TRect& R, Cardinal Edge, Cardinal Flags) {
  if (!Canvas) return false;
  if (Flags & BF_DIAGONAL) return false;  // diagonal edges are not drawn by this program
  TPainter P(Canvas);
  const bool Soft = (Flags & BF_SOFT) != 0;
  const bool Flat = (Flags & BF_FLAT) != 0, Mono = (Flags & BF_MONO) != 0;
  TColor OuterTL = clNone, OuterBR = clNone, InnerTL = clNone, InnerBR = clNone;
  if (Edge & BDR_RAISEDOUTER) {
    OuterTL = Soft ? clBtnHighlight : cl3DLight;
    OuterBR = cl3DDkShadow;
  } else if (Edge & BDR_SUNKENOUTER) {
    OuterTL = Soft ? cl3DDkShadow : clBtnShadow;
    OuterBR = clBtnHighlight;
  }
  if (Edge & BDR_RAISEDINNER) {
    InnerTL = Soft ? cl3DLight : clBtnHighlight;
    InnerBR = clBtnShadow;
  } else if (Edge & BDR_SUNKENINNER) {
    InnerTL = Soft ? clBtnShadow : cl3DDkShadow;
    InnerBR = cl3DLight;
  }
  if (Mono) {
    if (OuterTL != clNone) OuterTL = OuterBR = clWindowFrame;
    if (InnerTL != clNone) InnerTL = InnerBR = clWindow;
  } else if (Flat) {
    if (OuterTL != clNone) OuterTL = OuterBR = clBtnShadow;
    if (InnerTL != clNone) InnerTL = InnerBR = clBtnFace;
  }
  TRect Inside = R;
  if (OuterTL != clNone) {
    Ring(P, Inside, Flags, OuterTL, OuterBR);
    Shrink(Inside, Flags);
  }
  if (InnerTL != clNone) {
    Ring(P, Inside, Flags, InnerTL, InnerBR);
    Shrink(Inside, Flags);
  }
  if (Flags & BF_MIDDLE) P.Fill(Inside, (Mono || Flat) ? clWindow : clBtnFace);
  if (Flags & BF_ADJUST) R = Inside;
  return true;
}

bool DrawFrameControl(TCanvas* Canvas, TRect& R, Cardinal Type, Cardinal State) {
  if (!Canvas) return false;
  TPainter P(Canvas);
  const bool Inactive = (State & DFCS_INACTIVE) != 0;
  const bool Pushed = (State & DFCS_PUSHED) != 0;
  const Cardinal Kind = State & 0xFF;
  switch (Type) {
    case DFC_BUTTON: {
      if (Kind & DFCS_BUTTONPUSH) {
        TRect Face = ButtonFace(Canvas, P, R, State);
        if (State & DFCS_ADJUSTRECT) R = Face;
        return true;
      }
      if (Kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
        TRect Box = CentredSquare(R);
        if (Kind & DFCS_BUTTONRADIOMASK) {
          P.Ellipse(Box, true, clBlack);
          return true;
        }
        const TColor Face = (Pushed || Inactive) ? clBtnFace : clWindow;
        if (State & (DFCS_FLAT | DFCS_MONO)) {
          P.Ellipse(Box, true, Face);
          P.Ellipse(Box, false, (State & DFCS_MONO) ? clWindowFrame : clBtnShadow);
        } else {
          P.Ellipse(Box, true, Face);
          P.Ellipse(Box, false, clBtnShadow, -1);
          P.Ellipse(Box, false, clBtnHighlight, 1);
          TRect Inner = Box;
          InflateRect(Inner, -1, -1);
          P.Ellipse(Inner, false, cl3DDkShadow, -1);
          P.Ellipse(Inner, false, cl3DLight, 1);
        }
        if (State & DFCS_CHECKED) {
          TRect Dot = Box;
          const Integer D = Box.Width() / 3;
          InflateRect(Dot, -D, -D);
          P.Ellipse(Dot, true, Inactive ? clGrayText : clWindowText);
        }
        return true;
      }
      // Check box (also the three-state one).
      TRect Box = CentredSquare(R);
      if (State & (DFCS_FLAT | DFCS_MONO)) {
        const TColor Frame = (State & DFCS_MONO) ? clWindowFrame : clBtnShadow;
        Ring(P, Box, BF_RECT, Frame, Frame);
        Shrink(Box, BF_RECT);
      } else {
        DrawEdge(Canvas, Box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      }
      P.Fill(Box, (Pushed || Inactive) ? clBtnFace : clWindow);
      if (State & DFCS_CHECKED) {
        TRect Mark = Box;
        InflateRect(Mark, -1, -1);
        const TColor C =
            Inactive ? clGrayText : ((Kind & DFCS_BUTTON3STATE) ? clBtnShadow : clWindowText);
        Tick(P, Mark, C);
      }
      return true;
    }
    case DFC_SCROLL: {
      if (Kind == DFCS_SCROLLSIZEGRIP) {
        // Three pairs of diagonal strokes in the bottom-right corner.
        const Integer S = std::min(R.Width(), R.Height());
        for (Integer I = 0; I + 3 < S; I += 4) {
          const Integer D = S - 1 - I;  // stroke length
          P.Line(R.Right - 1, R.Bottom - D, R.Right - D - 1, R.Bottom, clBtnHighlight);
          P.Line(R.Right - 1, R.Bottom - D + 1, R.Right - D, R.Bottom, clBtnShadow);
          P.Line(R.Right - 1, R.Bottom - D + 2, R.Right - D + 1, R.Bottom, clBtnShadow);
        }
        return true;
      }
      TRect Face = R;
      if (!(State & DFCS_TRANSPARENT)) {
        if ((State & DFCS_FLAT) && !Pushed) {
          P.Fill(Face, clBtnFace);
        } else if (Pushed) {
          Ring(P, Face, BF_RECT, clBtnShadow, clBtnShadow);
          Shrink(Face, BF_RECT);
          P.Fill(Face, clBtnFace);
        } else {
          Face = ButtonFace(Canvas, P, R, State & ~(DFCS_PUSHED | DFCS_CHECKED));
        }
      }
      TArrow Dir = arDown;
      switch (Kind) {
        case DFCS_SCROLLUP: Dir = arUp; break;
        case DFCS_SCROLLLEFT: Dir = arLeft; break;
        case DFCS_SCROLLRIGHT: Dir = arRight; break;
        default: Dir = arDown; break;  // down and the combo box button
      }
      TRect A = R;
      if (Pushed) OffsetRect(A, 1, 1);
      if (Inactive) {
        TRect H = A;
        OffsetRect(H, 1, 1);
        ArrowHead(P, H, Dir, clBtnHighlight);
        ArrowHead(P, A, Dir, clBtnShadow);
      } else {
        ArrowHead(P, A, Dir, clBtnText);
      }
      return true;
    }
    case DFC_CAPTION: {
      TRect Face = ButtonFace(Canvas, P, R, State);
      if (Kind == DFCS_CAPTIONCLOSE) {
        TRect X = Face;
        InflateRect(X, -std::max<Integer>(2, Face.Width() / 5), -std::max<Integer>(2, Face.Height() / 5));
        if (Pushed) OffsetRect(X, 1, 1);
        const TColor C = Inactive ? clGrayText : clBtnText;
        for (Integer I = 0; I < 2; ++I) {
          P.Line(X.Left + I, X.Top, X.Right + I, X.Bottom, C);
          P.Line(X.Right - 1 + I, X.Top, X.Left - 1 + I, X.Bottom, C);
        }
      }
      return true;
    }
    case DFC_MENU: {
      const TColor C = Inactive ? clGrayText : clMenuText;
      if (Kind == DFCS_MENUCHECK) {
        TRect Mark = CentredSquare(R);
        InflateRect(Mark, -Mark.Width() / 5, -Mark.Height() / 5);
        Tick(P, Mark, C);
      } else if (Kind == DFCS_MENUARROW) {
        ArrowHead(P, R, arRight, C);
      } else {
        TRect Dot = CentredSquare(R);
        InflateRect(Dot, -Dot.Width() / 3, -Dot.Height() / 3);
        P.Ellipse(Dot, true, C);
      }
      return true;
    }
    default:
      return false;
  }
}

bool AlphaBlend(TCanvas* Dest, const TRect& DestRect, TCanvas* Src, const TRect& SourceRect,
                Byte SourceConstantAlpha, bool PerPixelAlpha) {
  if (!Dest || !Src || !Src->GetSurface() || !Src->GetSurface()->Target) return false;
  TCanvas::Surface* S = Dest->GetSurface();
  if (!S || !S->Target || S->Target->Empty()) return false;
  TRegion Clip(GraphicsRaster::ImageRect(*S->Target));
  TRegion Current;
  if (Dest->GetClipRgn(Current)) Clip.Intersect(Current);
  TRect D = DestRect, R = SourceRect;
  OffsetRect(D, -Dest->WindowOrg().X, -Dest->WindowOrg().Y);
  OffsetRect(R, -Src->WindowOrg().X, -Src->WindowOrg().Y);
  GraphicsRaster::TBlitMode Mode;
  Mode.Kind = GraphicsRaster::TBlitMode::Alpha;
  Mode.ConstantAlpha = SourceConstantAlpha;
  Mode.PerPixelAlpha = PerPixelAlpha && Src->GetSurface()->Target->Format == pf32bit;
  GraphicsRaster::Blit(*S->Target, Clip, D, *Src->GetSurface()->Target, R, Mode);
  if (Dest->OnChange) Dest->OnChange(Dest);
  return true;
}
