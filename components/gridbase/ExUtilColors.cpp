// Colour arithmetic, gradient fills, cell backgrounds and the rounded selection box.
#include <algorithm>

#include "components/gridbase/ExUtil.h"

namespace {

Integer ClampChannel(Int64 C) { return static_cast<Integer>(std::clamp<Int64>(C, 0, 255)); }

TColor MakeColor(Integer R, Integer G, Integer B) {
  return RGB(static_cast<Byte>(R), static_cast<Byte>(G), static_cast<Byte>(B));
}

void Line(TCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}

}  // namespace

TColor DimColorHalf(TColor Color) {
  const Integer C = ColorToRGB(Color);
  return MakeColor(GetRValue(C) >> 1, GetGValue(C) >> 1, GetBValue(C) >> 1);
}

TColor ScaleColor(TColor Color, Integer Percent) {
  const Integer C = ColorToRGB(Color);
  // A channel that would leave 0..255 stays at its bound, so lightening never wraps to dark.
  auto Scale = [Percent](Integer Ch) { return ClampChannel(Round(Ch + Percent * static_cast<double>(Ch) / 100.0)); };
  return MakeColor(Scale(GetRValue(C)), Scale(GetGValue(C)), Scale(GetBValue(C)));
}

TColor InterpolateColor(TColor Color, TColor ColorTo, Integer RangeFrom, Integer RangeTo, Integer Position) {
  if (ColorTo == clNone) return Color;
  const Integer C1 = ColorToRGB(Color);
  const Integer C2 = ColorToRGB(ColorTo);
  // A range without extent has no colour but its start.
  if (RangeTo == RangeFrom) return MakeColor(GetRValue(C1), GetGValue(C1), GetBValue(C1));
  const double Span = static_cast<double>(RangeTo) - static_cast<double>(RangeFrom);
  auto Mix = [&](Integer A, Integer B) { return ClampChannel(A + Round((B - A) / Span * Position)); };
  return MakeColor(Mix(GetRValue(C1), GetRValue(C2)), Mix(GetGValue(C1), GetGValue(C2)),
                   Mix(GetBValue(C1), GetBValue(C2)));
}

void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

void DrawGradientRect(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect R, bool Horizontal) {
  if (R.Top == R.Bottom) return;
  if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
  // An area without width holds no band.
  if (R.Right <= R.Left) return;
  const Integer From = ColorToRGB(FromColor);
  const Integer To = ColorToRGB(ToColor);
  if (From == clNone || To == clNone) {
    const TColor Solid = (From == clNone) ? To : From;
    if (Solid == clNone) return;  // neither colour is set: nothing to paint
    Canvas->Pen()->SetColor(Solid);
    Canvas->Brush()->SetColor(Solid);
    Canvas->Rectangle(R);
    return;
  }
  const Integer Size = Horizontal ? (R.Right - R.Left - 1) : (R.Bottom - R.Top - 1);
  Steps = std::min(Steps, Size);
  if (Steps < 1) Steps = 1;
  const double StepSize = static_cast<double>(Size) / Steps;
  const double DeltaR = static_cast<double>(GetRValue(To) - GetRValue(From)) / Steps;
  const double DeltaG = static_cast<double>(GetGValue(To) - GetGValue(From)) / Steps;
  const double DeltaB = static_cast<double>(GetBValue(To) - GetBValue(From)) / Steps;
  const Integer BandExtent = static_cast<Integer>(Trunc(StepSize + 1));
  for (Integer I = 0; I <= Steps; ++I) {
    const TColor Band = MakeColor(ClampChannel(GetRValue(From) + Round(I * DeltaR)),
                                  ClampChannel(GetGValue(From) + Round(I * DeltaG)),
                                  ClampChannel(GetBValue(From) + Round(I * DeltaB)));
    Canvas->Pen()->SetColor(Band);
    Canvas->Brush()->SetColor(Band);
    const Integer Offset = static_cast<Word>(Trunc(I * StepSize));
    if (Horizontal)
      Canvas->Rectangle(R.Left + Offset, R.Top, std::min(R.Right, R.Left + Offset + BandExtent), R.Bottom);
    else
      Canvas->Rectangle(R.Left, R.Top + Offset, R.Right, std::min(R.Bottom, R.Top + Offset + BandExtent));
  }
}

void DrawGradientBackground(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor,
                            TColor MirrorColorTo, bool Vertical, TColor BorderColor, bool SideLinesOnly,
                            bool Fill) {
  if (Fill && Color != clNone) {
    if (MirrorColor == clNone && ColorTo == clNone) {
      Canvas->Brush()->SetColor(Color);
      Canvas->Brush()->SetStyle(bsSolid);
      Canvas->Pen()->SetColor(Color);
      Canvas->Pen()->SetWidth(1);
      Canvas->Pen()->SetStyle(psSolid);
      // The solid fill reaches one pixel further down, and so does the border below.
      R.Bottom += 1;
      Canvas->FillRect(R);
    } else if (MirrorColor == clNone) {
      DrawGradientRect(Canvas, Color, ColorTo, 128, R, !Vertical);
    } else {
      TRect First = R, Second = R;
      if (Vertical) {
        const Integer Mid = R.Top + (R.Bottom - R.Top) / 2;
        First.Bottom = Mid;
        Second.Top = Mid;
      } else {
        const Integer Mid = R.Left + (R.Right - R.Left) / 2;
        First.Right = Mid;
        Second.Left = Mid;
      }
      DrawGradientRect(Canvas, Color, ColorTo, 128, First, !Vertical);
      DrawGradientRect(Canvas, MirrorColor, MirrorColorTo, 128, Second, !Vertical);
    }
  }
  if (BorderColor == clNone) return;
  if (SideLinesOnly) {
    Canvas->Pen()->SetColor(BorderColor);
    Line(Canvas, R.Left, R.Top, R.Left, R.Bottom);
    Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
  } else {
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
  }
}

void DrawSelectionBox(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                      TColor TopLineColor, TColor BottomLineColor, TColor BorderColor, TColor EdgeColor,
                      TColor BackgroundColor, const TRect& R, Integer Part) {
  const Integer l = R.Left, t = R.Top, r = R.Right - 1, b = R.Bottom - 2;
  const Integer m = t + (b - t) / 2;
  const bool LeftEnd = Part == sbWhole || Part == sbLeftEnd;
  const bool RightEnd = Part == sbWhole || Part == sbRightEnd;

  Canvas->Pen()->SetColor(TopLineColor);
  Line(Canvas, l, t + 1, r, t + 1);
  if (LeftEnd) Line(Canvas, l + 1, t + 1, l + 1, m);
  if (RightEnd) Line(Canvas, r - 2, t + 1, r - 2, m);

  Canvas->Pen()->SetColor(BottomLineColor);
  Line(Canvas, l, b - 1, r, b - 1);
  if (LeftEnd) Line(Canvas, l + 1, m, l + 1, b - 1);
  if (RightEnd) Line(Canvas, r - 2, m, r - 2, b - 1);

  const Integer LeftInset = (Part == sbRightEnd || Part == sbMiddle) ? 0 : 2;
  const Integer RightInset = (Part == sbLeftEnd || Part == sbMiddle) ? 0 : 2;
  Canvas->Pen()->SetColor(BorderColor);
  Line(Canvas, l + LeftInset, t, r - RightInset, t);
  Line(Canvas, l + LeftInset, b, r - RightInset, b);
  if (RightEnd) Line(Canvas, r - 1, t + 2, r - 1, b - 1);
  if (LeftEnd) Line(Canvas, l, t + 2, l, b - 1);

  // Rounded corners: the edge colour next to the corner, the background in the corner itself.
  if (LeftEnd) {
    for (const TPoint& P : {TPoint(l + 1, t), TPoint(l + 1, t + 1), TPoint(l, t + 1), TPoint(l + 1, b),
                            TPoint(l + 1, b - 1), TPoint(l, b - 1)})
      Canvas->SetPixels(P.X, P.Y, EdgeColor);
    Canvas->SetPixels(l, t, BackgroundColor);
    Canvas->SetPixels(l, b, BackgroundColor);
  }
  if (RightEnd) {
    for (const TPoint& P : {TPoint(r - 2, t), TPoint(r - 2, t + 1), TPoint(r - 1, t + 1), TPoint(r - 2, b),
                            TPoint(r - 2, b - 1), TPoint(r - 1, b - 1)})
      Canvas->SetPixels(P.X, P.Y, EdgeColor);
    Canvas->SetPixels(r - 1, t, BackgroundColor);
    Canvas->SetPixels(r - 1, b, BackgroundColor);
  }

  const TRect F(l + LeftInset, t + 2, r - RightInset, b - 1);
  const Integer Fm = F.Top + (F.Bottom - F.Top) / 2;
  if (ColorTo == clNone) {
    Canvas->Brush()->SetColor(Color);
    Canvas->Pen()->SetColor(Color);
    Canvas->FillRect(F);
  } else if (MirrorColor == clNone) {
    DrawGradientRect(Canvas, Color, ColorTo, 16, F, false);
  } else {
    DrawGradientRect(Canvas, Color, ColorTo, 16, TRect(F.Left, F.Top, F.Right, Fm), false);
    DrawGradientRect(Canvas, MirrorColor, MirrorColorTo, 16, TRect(F.Left, Fm, F.Right, F.Bottom), false);
  }
}
