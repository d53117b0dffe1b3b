// The graphical cell kinds of the string grid: progress bars, the Office-style progress bar, the
// progress pie, the centred bar and the cell shapes.
#include <algorithm>
#include <cmath>
#include <vector>

#include "components/gridbase/ExUtil.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr TColor PieLineColor = 0x808080;

// The text of a progress bar with a format: the format applied to the rounded value when it asks
// for an integer ("d" or "u"), otherwise to the value itself. A format that does not fit its value
// shows the plain percentage instead of failing the paint.
String ProgressText(const String& Fmt, double Value, const String& Fallback) {
  try {
    if (Fmt.find(u'd') != String::npos || Fmt.find(u'u') != String::npos)
      return Format(Fmt, static_cast<Integer>(Round(Value)));
    return Format(Fmt, Value);
  } catch (const EConvertError&) {
    return Fallback;
  }
}

// A bar piece of an Office-style progress bar in one colour pair: mirrored gradients across the
// bar's thickness, or one solid colour.
void FillBarPiece(TCanvas* Canvas, const TRect& Q, TColor C, TColor CTo, const TOfficeProgressStyle& Style) {
  if (!Style.ShowGradient) {
    FillRectColor(Canvas, Q, C);
    return;
  }
  if (Style.Vertical) {
    const Integer Mid = Q.Left + (Q.Right - Q.Left) / 2;
    DrawGradientRect(Canvas, CTo, C, Style.Steps, TRect(Q.Left, Q.Top, Mid, Q.Bottom), true);
    DrawGradientRect(Canvas, C, CTo, Style.Steps, TRect(Mid, Q.Top, Q.Right, Q.Bottom), true);
  } else {
    const Integer Mid = Q.Top + (Q.Bottom - Q.Top) / 2;
    DrawGradientRect(Canvas, CTo, C, Style.Steps, TRect(Q.Left, Q.Top, Q.Right, Mid), false);
    DrawGradientRect(Canvas, C, CTo, Style.Steps, TRect(Q.Left, Mid, Q.Right, Q.Bottom), false);
  }
}

// The point of a star at Degrees on the ellipse of radii RX across and RY down around (CX, CY).
TPoint StarPoint(Integer CX, Integer CY, double RX, double RY, double Degrees) {
  const double A = Degrees * Pi / 180.0;
  return TPoint(CX + RoundInt(std::sin(A) * RX), CY - RoundInt(std::cos(A) * RY));
}

}  // namespace

void DrawProgress(TCanvas* Canvas, const TRect& R, TColor CompleteColor, TColor CompleteFontColor,
                  TColor UnCompleteColor, TColor UnCompleteFontColor, double Value, Integer MarginX, Integer MarginY,
                  Integer Min, Integer Max, const String& Format, TColor BorderColor, bool LowText) {
  const TColor Saved = Canvas->Brush()->Color();
  Canvas->Brush()->SetColor(CompleteColor);
  Canvas->Pen()->SetColor(CompleteColor);
  Canvas->Font()->SetColor(CompleteFontColor);

  const String PlainText = IntToStr(static_cast<Integer>(Round(Value))) + u"%";
  String Text;
  Integer P = 0;
  if (Format.empty()) {
    Text = PlainText;
    P = static_cast<Integer>(Round(Value));
  } else {
    Text = ProgressText(Format, Value, PlainText);
    if (Max != Min)
      P = RoundInt((Value - Min) * 100.0 / (static_cast<double>(Max) - Min));
    else
      P = Value >= Max ? 100 : 0;  // a range without extent is complete once the value reaches it
  }
  P = std::clamp(P, 0, 100);

  TRect Bar(R.Left + MarginX, R.Top + MarginY, R.Right - MarginX, R.Bottom - MarginY);
  TRect Complete = Bar;
  Complete.Right = Bar.Left + RoundInt((Bar.Right - Bar.Left) * P / 100.0);

  const Integer TW = Canvas->TextWidth(Text);
  const Integer TH = Canvas->TextHeight(Text);
  const Integer TX = Bar.Left + (Bar.Right - Bar.Left - TW) / 2;
  const Integer TY = LowText ? Bar.Top + (Bar.Bottom - Bar.Top + TH) / 2 : Bar.Top + (Bar.Bottom - Bar.Top - TH) / 2;

  // The text is drawn twice, clipped to each part of the bar, so it changes colour where the bar ends.
  Canvas->TextRect(Complete, TX, TY, Text);
  Canvas->Brush()->SetColor(UnCompleteColor);
  Canvas->Pen()->SetColor(UnCompleteColor);
  Canvas->Font()->SetColor(UnCompleteFontColor);
  Canvas->TextRect(TRect(Complete.Right, Bar.Top, Bar.Right, Bar.Bottom), TX, TY, Text);

  Canvas->Brush()->SetColor(BorderColor);
  Canvas->Pen()->SetColor(Saved);
  InflateRect(Bar, 1, 1);
  if (BorderColor != clNone) Canvas->FrameRect(Bar);
  // The ring around the border takes the cell's colour again.
  Canvas->Brush()->SetColor(Saved);
  InflateRect(Bar, 1, 1);
  Canvas->FrameRect(Bar);
}

void DrawOfficeProgress(TCanvas* Canvas, const TRect& Rect, Integer Percent, const TOfficeProgressStyle& Style) {
  const Integer L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
  const bool V = Style.Vertical;
  Integer Size = V ? B - T : R - L;
  const TColor Outline = Style.ShowBorder ? Style.BorderColor : Style.UnCompleteColor;
  Canvas->Brush()->SetColor(Style.UnCompleteColor);
  Canvas->Pen()->SetColor(Outline);
  Canvas->Rectangle(Rect);
  Size -= 2;

  // The bar stays inside its frame whatever percentage it is given.
  const Integer Done = std::clamp(Percent, 0, 100);
  if (Done > 0 && Style.Stacked) {
    const Integer Len1 = RoundInt(std::min(Done, Style.Level1Perc) / 100.0 * Size);
    const Integer End1 = L + 1 + Len1, Top1 = B - Len1;
    FillBarPiece(Canvas, V ? TRect(L + 1, Top1, R - 1, B - 1) : TRect(L + 1, T + 1, End1, B - 1), Style.Level0Color,
                 Style.Level0ColorTo, Style);
    if (Done >= Style.Level1Perc) {
      const Integer Len2 = RoundInt(Size * (std::min(Done, Style.Level2Perc) - Style.Level1Perc) / 100.0);
      const Integer End2 = End1 + Len2, Top2 = Top1 - Len2;
      FillBarPiece(Canvas, V ? TRect(L + 1, Top2, R - 1, Top1) : TRect(End1, T + 1, End2, B - 1),
                   Style.Level1Color, Style.Level1ColorTo, Style);
      if (Done >= Style.Level2Perc) {
        const Integer Len3 =
            Done == 100 ? Size - Len1 - Len2 : RoundInt(Size * (Done - Style.Level2Perc) / 100.0);
        FillBarPiece(Canvas, V ? TRect(L + 1, Top2 - Len3 - 1, R - 1, Top2 - 1) : TRect(End2, T + 1, End2 + Len3, B - 1),
                     Style.Level3Color, Style.Level3ColorTo, Style);
      }
    }
  } else if (Done > 0) {
    TColor C = Style.Level2Color, CTo = Style.Level2ColorTo;
    if (Done < Style.Level1Perc) {
      C = Style.Level0Color;
      CTo = Style.Level0ColorTo;
    } else if (Done < Style.Level2Perc) {
      C = Style.Level1Color;
      CTo = Style.Level1ColorTo;
    } else if (Done > 99) {
      C = Style.Level3Color;
      CTo = Style.Level3ColorTo;
    }
    if (Style.CompletionSmooth) {
      const Integer Len = RoundInt(Done / 100.0 * Size);
      FillBarPiece(Canvas, V ? TRect(L + 1, B - 1 - Len, R - 1, B - 1) : TRect(L + 1, T + 1, L + 1 + Len, B - 1), C,
                   CTo, Style);
    } else {
      // Blocks of 7 pixels with gaps of 2, starting 2 pixels inside the frame.
      const Integer Len = RoundInt(Done * Size / 100.0);
      auto Block = [&](Integer Start, Integer BlockLen) {
        // Start counts from the bar's origin: its left edge, or its bottom edge when vertical.
        const TRect Q = V ? TRect(L + 2, B - Start - BlockLen, R - 2, B - Start)
                          : TRect(L + Start, T + 2, L + Start + BlockLen, B - 2);
        FillBarPiece(Canvas, Q, C, CTo, Style);
      };
      if (Len > 9) {
        Integer Start = 2;
        Block(Start, 7);
        for (Integer K = 1; K < Len / 9; ++K) {
          Start += 9;
          Block(Start, 7);
        }
        if (Len % 9 > 2) Block(Start + 9, Len % 9 - 1);
        Canvas->Brush()->SetStyle(bsClear);
      } else if (Len > 1) {
        Block(2, Len - 1);
      }
    }
  }

  if (Style.ShowPercentage) {
    const String Text = IntToStr(Percent) + u"%";
    Canvas->Brush()->SetStyle(bsClear);
    TFont* F = Canvas->Font();
    if (Style.Font) {
      F->SetName(Style.Font->Name());
      F->SetHeight(Style.Font->Height());
      F->SetStyle(Style.Font->Style());
    }
    F->SetColor(Style.CompleteFontColor);
    const Integer W = Canvas->TextWidth(Text);
    const Integer H = Canvas->TextHeight(Text);
    if (!V) {
      Canvas->TextOut(L + (R - L) / 2 - W / 2, T + (B - T) / 2 - H / 2, Text);
    } else {
      const Integer Orientation = F->Orientation();
      F->SetOrientation(900);
      Canvas->TextOut(L + (R - L) / 2 - H / 2, T + (B - T) / 2 + W / 2, Text);
      F->SetOrientation(Orientation);
    }
  }

  Canvas->Pen()->SetColor(Outline);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Rectangle(Rect);
}

void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, Integer Percent, bool RaisedSeed) {
  Canvas->Pen()->SetColor(PieLineColor);
  Canvas->Pen()->SetWidth(1);
  Canvas->Ellipse(R);
  const Integer W = R.Right - R.Left;
  const Integer H = R.Bottom - R.Top;
  const Integer CX = R.Left + W / 2;
  const Integer CY = R.Top + H / 2;
  Canvas->MoveTo(CX, R.Top);
  Canvas->LineTo(CX, CY);
  const double A = Percent / 100.0 * 2 * Pi;
  Canvas->LineTo(CX + RoundInt((W + 1) * 0.5 * std::sin(A)), CY - RoundInt((H + 1) * 0.5 * std::cos(A)));
  Canvas->Brush()->SetColor(Color);
  if (Percent != 0) Canvas->FloodFill(CX + 1, RaisedSeed ? R.Top - 2 : R.Top + 2, PieLineColor, fsBorder);
}

void DrawCenteredBar(TCanvas* Canvas, const TRect& R, Integer Value, Integer Max, bool ShowValue,
                     TColor NegativeColor, TColor PositiveColor) {
  TRect Bar = R;
  InflateRect(Bar, -2, -2);
  const Integer Half = (Bar.Right - Bar.Left) / 2;
  // Without a positive maximum there is no scale, and no bar.
  Integer W = 0;
  if (Max > 0) W = RoundInt(std::clamp(Value, -Max, Max) * static_cast<double>(Half) / Max);
  if (Value < 0) {
    Canvas->Brush()->SetColor(NegativeColor);
    Canvas->Pen()->SetColor(NegativeColor);
    Canvas->Rectangle(Bar.Left + Half + W, Bar.Top, Bar.Left + Half, Bar.Bottom);
  } else {
    Canvas->Brush()->SetColor(PositiveColor);
    Canvas->Pen()->SetColor(PositiveColor);
    Canvas->Rectangle(Bar.Left + Half, Bar.Top, Bar.Left + Half + W, Bar.Bottom);
  }
  if (ShowValue) {
    // The value is written centred over the bar, on a transparent background.
    Canvas->SetBkMode(TRANSPARENT);
    TRect TextArea = Bar;
    DrawText(Canvas, IntToStr(Value), TextArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void DrawCellShape(TCanvas* Canvas, Integer X, Integer Y, Integer Width, Integer Height, Integer Shape,
                   TColor BrushColor, TColor PenColor) {
  Canvas->Brush()->SetColor(BrushColor);
  Canvas->Pen()->SetColor(PenColor);
  if (Shape < csRectangle || Shape > csHalfStar) return;
  if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) Width = Height = std::min(Width, Height);
  const Integer w = Width, h = Height, hw = w / 2, hh = h / 2;
  const Integer he = (h / 2) * 2, q = he / 4, q3 = 3 * q;
  const Integer we = (w / 2) * 2, p = we / 4, p3 = 3 * p;
  auto Poly = [Canvas](std::vector<TPoint> Points) { Canvas->Polygon(Points); };
  switch (Shape) {
    case csRectangle:
    case csSquare:
      Canvas->Rectangle(X + 1, Y + 1, X + w - 1, Y + h - 1);
      break;
    case csCircle:
    case csEllips:
      Canvas->Ellipse(X, Y, X + w, Y + h);
      break;
    case csTriangleLeft:
      Poly({{X + w, Y}, {X + w, Y + h}, {X, Y + hh}});
      break;
    case csTriangleRight:
      Poly({{X, Y}, {X, Y + h}, {X + w, Y + hh}});
      break;
    case csTriangleUp:
      Poly({{X, Y + h}, {X + w, Y + h}, {X + hw, Y}});
      break;
    case csTriangleDown:
      Poly({{X, Y}, {X + w, Y}, {X + hw, Y + h}});
      break;
    case csDiamond:
      Poly({{X, Y + hh}, {X + hw, Y}, {X + 2 * hw, Y + hh}, {X + hw, Y + 2 * hh}});
      break;
    case csLineVert:
      Canvas->Rectangle(X + hw, Y, X + hw + 1, Y + h);
      break;
    case csLineHorz:
      Canvas->Rectangle(X, Y + hh, X + w, Y + hh + 1);
      break;
    case csRoundRect:
    case csRoundSquare:
      Canvas->RoundRect(X, Y, X + w, Y + h, 10, 10);
      break;
    case csStar: {
      std::vector<TPoint> Points;
      for (Integer K = 0; K < 10; ++K) {
        const bool Outer = K % 2 == 0;
        Points.push_back(StarPoint(X + hw, Y + hh, Outer ? hw : hw / 3.0, Outer ? hh : hh / 3.0, K * 36.0));
      }
      Canvas->Polygon(Points);
      break;
    }
    case csArrowUp:
      Poly({{X, Y + hh}, {X + we / 2, Y}, {X + we, Y + hh}, {X + p3, Y + hh}, {X + p3, Y + h}, {X + p, Y + h},
            {X + p, Y + hh}});
      break;
    case csArrowDown:
      Poly({{X, Y + hh}, {X + we / 2, Y + h}, {X + we, Y + hh}, {X + p3, Y + hh}, {X + p3, Y}, {X + p, Y},
            {X + p, Y + hh}});
      break;
    case csArrowLeft:
      Poly({{X, Y + he / 2}, {X + hw, Y}, {X + hw, Y + q}, {X + w, Y + q}, {X + w, Y + q3}, {X + hw, Y + q3},
            {X + hw, Y + he}});
      break;
    case csArrowRight:
      Poly({{X + w, Y + he / 2}, {X + hw, Y}, {X + hw, Y + q}, {X, Y + q}, {X, Y + q3}, {X + hw, Y + q3},
            {X + hw, Y + he}});
      break;
    case csHalfStar: {
      // The left half: the top point, down through the centre line, round to the top again.
      const Integer CX = X + hw, CY = Y + hh;
      const double IX = hw / 3.0, IY = hh / 3.0;
      Canvas->Polygon(std::vector<TPoint>{StarPoint(CX, CY, hw, hh, 0), StarPoint(CX, CY, IX, IY, 180),
                                          StarPoint(CX, CY, hw, hh, 216), StarPoint(CX, CY, IX, IY, 252),
                                          StarPoint(CX, CY, hw, hh, 288), StarPoint(CX, CY, IX, IY, 324)});
      break;
    }
    default:
      break;
  }
}
