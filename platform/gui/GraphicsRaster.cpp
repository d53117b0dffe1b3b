// The layer's own raster code: pixel stores, raster operations, rectangles, one-pixel lines, masks,
// focus rectangles, flood fill and block transfers. Every pixel the canvas writes passes here.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/gui/GraphicsBackend.h"

namespace {

// The largest pixel store we allocate (bytes); larger requests are refused.
constexpr Int64 kMaxImageBytes = Int64(1) << 30;

inline Cardinal LoadRGB(const Byte* P) {
  return static_cast<Cardinal>(P[2]) | (static_cast<Cardinal>(P[1]) << 8) |
         (static_cast<Cardinal>(P[0]) << 16);
}

inline void StoreRGB(Byte* P, Cardinal C) {
  P[0] = static_cast<Byte>(C >> 16);
  P[1] = static_cast<Byte>(C >> 8);
  P[2] = static_cast<Byte>(C);
}

// Whether a pen mode reads the pixels below (then a 32-bit alpha byte is kept as it is).
inline bool ReadsDest(TPenMode Mode) {
  return !(Mode == pmBlack || Mode == pmWhite || Mode == pmCopy || Mode == pmNotCopy);
}

// Puts colour C at P with Mode; the alpha byte of 4-byte pixels becomes opaque unless the mode
// combines with what is there.
inline void Plot(Byte* P, Integer Bpp, Cardinal C, TPenMode Mode) {
  if (Mode == pmCopy) {
    StoreRGB(P, C);
    if (Bpp == 4) P[3] = 0xFF;
    return;
  }
  if (Mode == pmNop) return;
  StoreRGB(P, GraphicsRaster::Rop2(Mode, C, LoadRGB(P)));
  if (Bpp == 4 && !ReadsDest(Mode)) P[3] = 0xFF;
}

bool HatchAt(TBrushStyle Style, Integer X, Integer Y) {
  const Integer HX = X & 7, HY = Y & 7;
  switch (Style) {
    case bsHorizontal: return HY == 0;
    case bsVertical: return HX == 0;
    case bsFDiagonal: return ((HX - HY) & 7) == 0;
    case bsBDiagonal: return ((HX + HY) & 7) == 7;
    case bsCross: return HX == 0 || HY == 0;
    case bsDiagCross: return ((HX - HY) & 7) == 0 || ((HX + HY) & 7) == 7;
    default: return true;
  }
}

// The brush colour at (X, Y); false where a transparent hatch background leaves the pixel alone.
inline bool BrushAt(const GraphicsRaster::TRasterBrush& B, Integer X, Integer Y, Cardinal& C) {
  if (B.Style == bsSolid || B.Style == bsClear) {
    C = static_cast<Cardinal>(B.RGB);
    return true;
  }
  if (HatchAt(B.Style, X, Y)) {
    C = static_cast<Cardinal>(B.RGB);
    return true;
  }
  if (!B.BkOpaque) return false;
  C = static_cast<Cardinal>(B.BkRGB);
  return true;
}

// Dash patterns of one-pixel pens: on, off, on, off... in pixels.
const std::vector<Integer>& DashPattern(TPenStyle Style) {
  static const std::vector<Integer> Solid;
  static const std::vector<Integer> Dash{18, 6};
  static const std::vector<Integer> Dot{3, 3};
  static const std::vector<Integer> DashDot{9, 6, 3, 6};
  static const std::vector<Integer> DashDotDot{9, 3, 3, 3, 3, 3};
  switch (Style) {
    case psDash: return Dash;
    case psDot: return Dot;
    case psDashDot: return DashDot;
    case psDashDotDot: return DashDotDot;
    default: return Solid;
  }
}

// Whether step Pattern of a dashed line is "on"; the pattern repeats.
bool DashOn(const std::vector<Integer>& Pattern, Integer Step) {
  Integer Total = 0;
  for (Integer L : Pattern) Total += L;
  Step %= Total;
  for (size_t I = 0; I < Pattern.size(); ++I) {
    if (Step < Pattern[I]) return I % 2 == 0;
    Step -= Pattern[I];
  }
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Pixel stores

namespace GraphicsBackend {

Integer BytesPerLineFor(Integer Width, TPixelFormat Format) {
  const Integer Bpp = Format == pf24bit ? 3 : 4;
  return ((std::max<Integer>(Width, 0) * Bpp) + 3) & ~3;
}

void ResizeImage(TBitmap::Image& Image, Integer W, Integer H, TPixelFormat Format, TColor Fill) {
  if (Format != pf24bit && Format != pf32bit) Format = pfDevice;
  W = std::max<Integer>(W, 0);
  H = std::max<Integer>(H, 0);
  if (W == 0 || H == 0) W = H = 0;
  if (W == Image.Width && H == Image.Height && Format == Image.Format) return;
  const Integer Bpl = BytesPerLineFor(W, Format);
  if (static_cast<Int64>(Bpl) * H > kMaxImageBytes)
    throw EInvalidGraphicOperation(u"Image is too large");

  TBitmap::Image New;
  New.Width = W;
  New.Height = H;
  New.Format = Format;
  New.BytesPerLine = Bpl;
  New.Data.assign(static_cast<size_t>(Bpl) * H, 0);
  const Integer Bpp = New.BytesPerPixel();
  const Cardinal FillRGB = static_cast<Cardinal>(ColorToRGB(Fill)) & 0xFFFFFF;
  // Outside the old picture: the fill colour, opaque (nothing for a 32-bit image). One row is
  // made and copied to every row.
  if (Format != pf32bit && W > 0) {
    std::vector<Byte> FillRow(static_cast<size_t>(W) * Bpp);
    for (Integer X = 0; X < W; ++X) {
      Byte* P = FillRow.data() + X * Bpp;
      StoreRGB(P, FillRGB);
      if (Bpp == 4) P[3] = 0xFF;
    }
    for (Integer Y = 0; Y < H; ++Y) std::memcpy(New.Row(Y), FillRow.data(), FillRow.size());
  }
  // Inside it: the old pixels; the alpha byte is kept only from 32-bit to 32-bit.
  const Integer CW = std::min(W, Image.Width), CH = std::min(H, Image.Height);
  const bool Same = Bpp == Image.BytesPerPixel() && (Bpp == 3 || (Format == pf32bit && Image.Format == pf32bit));
  for (Integer Y = 0; Y < CH; ++Y) {
    Byte* Row = New.Row(Y);
    const Byte* Old = Image.Row(Y);
    if (Same) {
      std::memcpy(Row, Old, static_cast<size_t>(CW) * Bpp);
      continue;
    }
    for (Integer X = 0; X < CW; ++X) {
      Byte* P = Row + X * Bpp;
      const Byte* S = Old + X * Image.BytesPerPixel();
      P[0] = S[0];
      P[1] = S[1];
      P[2] = S[2];
      if (Bpp == 4) P[3] = (Format == pf32bit && Image.Format == pf32bit) ? S[3] : static_cast<Byte>(0xFF);
    }
  }
  Image.Width = New.Width;
  Image.Height = New.Height;
  Image.Format = New.Format;
  Image.BytesPerLine = New.BytesPerLine;
  Image.Data.swap(New.Data);
  Image.External = nullptr;
}

TColor GetPixel(const TBitmap::Image& Image, Integer X, Integer Y) {
  if (X < 0 || Y < 0 || X >= Image.Width || Y >= Image.Height) return clNone;
  return static_cast<TColor>(LoadRGB(Image.Row(Y) + X * Image.BytesPerPixel()));
}

void PutPixel(TBitmap::Image& Image, Integer X, Integer Y, TColor RGB) {
  if (X < 0 || Y < 0 || X >= Image.Width || Y >= Image.Height) return;
  Plot(Image.Row(Y) + X * Image.BytesPerPixel(), Image.BytesPerPixel(),
       static_cast<Cardinal>(RGB) & 0xFFFFFF, pmCopy);
}

}  // namespace GraphicsBackend

// ---------------------------------------------------------------------------------------------
// Raster operations

namespace GraphicsRaster {

Cardinal Rop2(TPenMode Mode, Cardinal P, Cardinal D) {
  Cardinal R = 0;
  switch (Mode) {
    case pmBlack: R = 0; break;
    case pmWhite: R = 0xFFFFFF; break;
    case pmNop: R = D; break;
    case pmNot: R = ~D; break;
    case pmCopy: R = P; break;
    case pmNotCopy: R = ~P; break;
    case pmMergePenNot: R = P | ~D; break;
    case pmMaskPenNot: R = P & ~D; break;
    case pmMergeNotPen: R = ~P | D; break;
    case pmMaskNotPen: R = ~P & D; break;
    case pmMerge: R = P | D; break;
    case pmNotMerge: R = ~(P | D); break;
    case pmMask: R = P & D; break;
    case pmNotMask: R = ~(P & D); break;
    case pmXor: R = P ^ D; break;
    case pmNotXor: R = ~(P ^ D); break;
  }
  return R & 0xFFFFFF;
}

Cardinal Rop3(TCopyMode Mode, Cardinal S, Cardinal D, Cardinal P) {
  const Cardinal Table = (Mode >> 16) & 0xFF;
  Cardinal R = 0;
  for (Cardinal I = 0; I < 8; ++I) {
    if (!((Table >> I) & 1)) continue;
    R |= ((I & 4) ? P : ~P) & ((I & 2) ? S : ~S) & ((I & 1) ? D : ~D);
  }
  return R & 0xFFFFFF;
}

TRect ImageRect(const TBitmap::Image& Image) { return TRect(0, 0, Image.Width, Image.Height); }

void FillRect(TBitmap::Image& Image, const TRegion& Clip, const TRect& R, const TRasterBrush& Brush,
              TPenMode Mode) {
  if (Brush.Style == bsClear || Image.Empty()) return;
  const Integer Bpp = Image.BytesPerPixel();
  const bool SolidCopy = Brush.Style == bsSolid && Mode == pmCopy;
  for (const TRect& C : Clip.Rects()) {
    TRect Part;
    if (!IntersectRect(Part, C, R) || !IntersectRect(Part, Part, ImageRect(Image))) continue;
    if (SolidCopy) {
      // The common case (a control's background): the first row is plotted and copied to the
      // others.
      const size_t Offset = static_cast<size_t>(Part.Left) * Bpp;
      const size_t Bytes = static_cast<size_t>(Part.Right - Part.Left) * Bpp;
      Byte* First = Image.Row(Part.Top) + Offset;
      for (Integer X = 0; X < Part.Right - Part.Left; ++X)
        Plot(First + static_cast<size_t>(X) * Bpp, Bpp, static_cast<Cardinal>(Brush.RGB) & 0xFFFFFF, pmCopy);
      for (Integer Y = Part.Top + 1; Y < Part.Bottom; ++Y) std::memcpy(Image.Row(Y) + Offset, First, Bytes);
      continue;
    }
    for (Integer Y = Part.Top; Y < Part.Bottom; ++Y) {
      Byte* Row = Image.Row(Y);
      for (Integer X = Part.Left; X < Part.Right; ++X) {
        Cardinal Col;
        if (BrushAt(Brush, X, Y, Col)) Plot(Row + X * Bpp, Bpp, Col & 0xFFFFFF, Mode);
      }
    }
  }
}

void FillMask(TBitmap::Image& Image, const TRegion& Clip, const GraphicsBackend::TMask& Mask,
              const TRasterBrush& Brush, TPenMode Mode, const GraphicsBackend::TMask* Except) {
  if (Brush.Style == bsClear || Image.Empty() || Mask.Width <= 0 || Mask.Height <= 0) return;
  const Integer Bpp = Image.BytesPerPixel();
  const TRect MaskRect = Bounds(Mask.Left, Mask.Top, Mask.Width, Mask.Height);
  for (const TRect& C : Clip.Rects()) {
    TRect Part;
    if (!IntersectRect(Part, C, MaskRect) || !IntersectRect(Part, Part, ImageRect(Image))) continue;
    for (Integer Y = Part.Top; Y < Part.Bottom; ++Y) {
      Byte* Row = Image.Row(Y);
      const Byte* Bits = Mask.Bits.data() + static_cast<size_t>(Y - Mask.Top) * Mask.Width;
      for (Integer X = Part.Left; X < Part.Right; ++X) {
        if (!Bits[X - Mask.Left]) continue;
        if (Except && Except->At(X, Y)) continue;
        Cardinal Col;
        if (BrushAt(Brush, X, Y, Col)) Plot(Row + X * Bpp, Bpp, Col & 0xFFFFFF, Mode);
      }
    }
  }
}

void SetPixel(TBitmap::Image& Image, const TRegion& Clip, Integer X, Integer Y, TColor RGB,
              TPenMode Mode) {
  if (X < 0 || Y < 0 || X >= Image.Width || Y >= Image.Height) return;
  if (!Clip.Contains(X, Y)) return;
  Plot(Image.Row(Y) + X * Image.BytesPerPixel(), Image.BytesPerPixel(),
       static_cast<Cardinal>(RGB) & 0xFFFFFF, Mode);
}

namespace {

// Ceiling of A / B for B > 0.
Int64 CeilDiv(Int64 A, Int64 B) { return A >= 0 ? (A + B - 1) / B : -((-A) / B); }

// The steps First … Last - 1 of a walk from Start by Dir (±1) per step that lie inside Low … High - 1.
void StepsInside(Int64 Start, Integer Dir, Int64 Low, Int64 High, Int64 Steps, Int64& First, Int64& Last) {
  if (Dir > 0) {
    First = std::max<Int64>(0, Low - Start);
    Last = std::min<Int64>(Steps, High - Start);
  } else {
    First = std::max<Int64>(0, Start - (High - 1));
    Last = std::min<Int64>(Steps, Start - Low + 1);
  }
}

}  // namespace

void Line(TBitmap::Image& Image, const TRegion& Clip, Integer X0, Integer Y0, Integer X1, Integer Y1,
          TColor RGB, TPenStyle Style, TPenMode Mode, bool BkOpaque, TColor BkRGB,
          Integer& Pattern) {
  const Int64 DX = std::abs(Int64(X1) - X0), DY = std::abs(Int64(Y1) - Y0);
  const Integer SX = X0 < X1 ? 1 : -1, SY = Y0 < Y1 ? 1 : -1;
  const Int64 Steps = std::max(DX, DY);
  const Integer Pattern0 = Pattern;
  // The dash pattern counts every step of the line, drawn or clipped.
  Pattern = static_cast<Integer>(Pattern0 + Steps);
  TRect Box;
  if (Steps == 0 || Image.Empty() || !IntersectRect(Box, ImageRect(Image), Clip.Bounds())) return;
  const std::vector<Integer>& Dashes = DashPattern(Style);
  if (DX == 0 || DY == 0) {
    // A horizontal or vertical line (grid lines, frames, solid bands): each rectangle of the clip
    // takes its part of the span directly, with no test per pixel. The rectangles are disjoint, so
    // every pixel is written once, as by the walk below.
    const Integer Bpp = Image.BytesPerPixel();
    const TRect Whole = ImageRect(Image);
    for (const TRect& Part : Clip.Rects()) {
      TRect C;
      if (!IntersectRect(C, Part, Whole)) continue;
      Int64 From = 0, To = 0;
      if (DY == 0) {
        if (Y0 < C.Top || Y0 >= C.Bottom) continue;
        StepsInside(X0, SX, C.Left, C.Right, Steps, From, To);
      } else {
        if (X0 < C.Left || X0 >= C.Right) continue;
        StepsInside(Y0, SY, C.Top, C.Bottom, Steps, From, To);
      }
      if (From >= To) continue;
      // The pixel of step From and the distance in bytes from one step's pixel to the next.
      const Integer X = static_cast<Integer>(DY == 0 ? X0 + SX * From : X0);
      const Integer Y = static_cast<Integer>(DY == 0 ? Y0 : Y0 + SY * From);
      Byte* P = Image.Row(Y) + static_cast<size_t>(X) * Bpp;
      const std::ptrdiff_t Stride = DY == 0 ? SX * Bpp : SY * static_cast<std::ptrdiff_t>(Image.BytesPerLine);
      const Cardinal Pen = static_cast<Cardinal>(RGB) & 0xFFFFFF, Gap = static_cast<Cardinal>(BkRGB) & 0xFFFFFF;
      if (Dashes.empty()) {
        for (Int64 I = From; I < To; ++I, P += Stride) Plot(P, Bpp, Pen, Mode);
        continue;
      }
      for (Int64 I = From; I < To; ++I, P += Stride) {
        if (DashOn(Dashes, static_cast<Integer>(Pattern0 + I)))
          Plot(P, Bpp, Pen, Mode);
        else if (BkOpaque)
          Plot(P, Bpp, Gap, Mode);
      }
    }
    return;
  }
  // Bresenham along the major axis; the end point itself is never drawn. The major coordinate
  // moves by one on every step, so only the steps whose major coordinate lies inside the clip's
  // bounds are walked; the walk starts there with the state it would have reached.
  const bool XMajor = DX > DY;
  Int64 First = 0, Last = 0;
  if (XMajor)
    StepsInside(X0, SX, Box.Left, Box.Right, Steps, First, Last);
  else
    StepsInside(Y0, SY, Box.Top, Box.Bottom, Steps, First, Last);
  if (First >= Last) return;
  Int64 X, Y, Err;
  if (XMajor) {
    const Int64 K = CeilDiv(First * DY - DX / 2, DX);  // minor steps taken before step First
    X = X0 + SX * First;
    Y = Y0 + SY * K;
    Err = DX / 2 - First * DY + K * DX;
  } else {
    const Int64 M = CeilDiv(First * DX - DY / 2, DY);
    Y = Y0 + SY * First;
    X = X0 + SX * M;
    Err = -(DY / 2) + First * DX - M * DY;
  }
  for (Int64 I = First; I < Last; ++I) {
    const bool InBox = X >= Box.Left && X < Box.Right && Y >= Box.Top && Y < Box.Bottom;
    if (InBox) {
      const Integer Step = static_cast<Integer>(Pattern0 + I);
      if (Dashes.empty() || DashOn(Dashes, Step)) {
        SetPixel(Image, Clip, static_cast<Integer>(X), static_cast<Integer>(Y), RGB, Mode);
      } else if (BkOpaque) {
        SetPixel(Image, Clip, static_cast<Integer>(X), static_cast<Integer>(Y), BkRGB, Mode);
      }
    }
    const Int64 E2 = Err;
    if (E2 > -DX) {
      Err -= DY;
      X += SX;
    }
    if (E2 < DY) {
      Err += DX;
      Y += SY;
    }
  }
}

void FocusRect(TBitmap::Image& Image, const TRegion& Clip, const TRect& R) {
  if (IsRectEmpty(R)) return;
  TRect Box;
  if (Image.Empty() || !IntersectRect(Box, ImageRect(Image), Clip.Bounds())) return;
  auto Invert = [&](Integer X, Integer Y) {
    if (((X + Y) & 1) == 0) SetPixel(Image, Clip, X, Y, 0xFFFFFF, pmXor);
  };
  // Only the part of each side inside the clip's bounds is walked.
  const Integer XFrom = std::max(R.Left, Box.Left), XTo = std::min(R.Right, Box.Right);
  for (Integer X = XFrom; X < XTo; ++X) Invert(X, R.Top);
  if (R.Bottom - 1 > R.Top)
    for (Integer X = XFrom; X < XTo; ++X) Invert(X, R.Bottom - 1);
  const Integer YFrom = std::max(R.Top + 1, Box.Top), YTo = std::min(R.Bottom - 1, Box.Bottom);
  for (Integer Y = YFrom; Y < YTo; ++Y) {
    Invert(R.Left, Y);
    if (R.Right - 1 > R.Left) Invert(R.Right - 1, Y);
  }
}

void FloodFill(TBitmap::Image& Image, const TRegion& Clip, Integer X, Integer Y, TColor Color,
               TFillStyle Style, const TRasterBrush& Brush) {
  if (X < 0 || Y < 0 || X >= Image.Width || Y >= Image.Height || !Clip.Contains(X, Y)) return;
  const Cardinal Key = static_cast<Cardinal>(Color) & 0xFFFFFF;
  const Integer W = Image.Width, H = Image.Height, Bpp = Image.BytesPerPixel();
  // Which pixels belong to the area, decided on the picture as it was before filling.
  std::vector<Byte> Seen(static_cast<size_t>(W) * H, 0);
  auto Inside = [&](Integer PX, Integer PY) {
    if (Seen[static_cast<size_t>(PY) * W + PX]) return false;
    const Cardinal C = LoadRGB(Image.Row(PY) + PX * Bpp);
    const bool Match = Style == fsBorder ? C != Key : C == Key;
    return Match && Clip.Contains(PX, PY);
  };
  if (!Inside(X, Y)) return;
  std::vector<TPoint> Area;
  std::vector<TPoint> Stack{TPoint(X, Y)};
  while (!Stack.empty()) {
    TPoint P = Stack.back();
    Stack.pop_back();
    if (!Inside(P.X, P.Y)) continue;
    Integer L = P.X, R = P.X;
    while (L > 0 && Inside(L - 1, P.Y)) --L;
    while (R + 1 < W && Inside(R + 1, P.Y)) ++R;
    for (Integer I = L; I <= R; ++I) {
      Seen[static_cast<size_t>(P.Y) * W + I] = 1;
      Area.emplace_back(I, P.Y);
    }
    for (Integer NY : {P.Y - 1, P.Y + 1}) {
      if (NY < 0 || NY >= H) continue;
      bool InRun = false;
      for (Integer I = L; I <= R; ++I) {
        const bool In = Inside(I, NY);
        if (In && !InRun) Stack.emplace_back(I, NY);
        InRun = In;
      }
    }
  }
  for (const TPoint& P : Area) {
    Cardinal Col;
    if (BrushAt(Brush, P.X, P.Y, Col)) Plot(Image.Row(P.Y) + P.X * Bpp, Bpp, Col, pmCopy);
  }
}

void Blit(TBitmap::Image& Dest, const TRegion& Clip, const TRect& DestRect,
          const TBitmap::Image& Source, const TRect& SourceRect, const TBlitMode& Mode) {
  if (Dest.Empty()) return;
  // Copying within one image reads from a snapshot, so overlapping blocks come out right.
  TBitmap::Image Snapshot;
  const TBitmap::Image* Src = &Source;
  if (&Source == &Dest) {
    Snapshot.Width = Source.Width;
    Snapshot.Height = Source.Height;
    Snapshot.Format = Source.Format;
    Snapshot.BytesPerLine = Source.BytesPerLine;
    Snapshot.Data.assign(Source.Bits(),
                         Source.Bits() + static_cast<size_t>(Source.BytesPerLine) * Source.Height);
    Src = &Snapshot;
  }
  if (Src->Empty()) return;

  // Normalise mirrored rectangles; a mirrored side reads its source backwards.
  TRect D = DestRect, S = SourceRect;
  bool FlipX = false, FlipY = false;
  if (D.Right < D.Left) {
    std::swap(D.Left, D.Right);
    FlipX = !FlipX;
  }
  if (D.Bottom < D.Top) {
    std::swap(D.Top, D.Bottom);
    FlipY = !FlipY;
  }
  if (S.Right < S.Left) {
    std::swap(S.Left, S.Right);
    FlipX = !FlipX;
  }
  if (S.Bottom < S.Top) {
    std::swap(S.Top, S.Bottom);
    FlipY = !FlipY;
  }
  const Int64 DW = D.Width(), DH = D.Height(), SW = S.Width(), SH = S.Height();
  if (DW <= 0 || DH <= 0 || SW <= 0 || SH <= 0) return;

  const Integer DBpp = Dest.BytesPerPixel(), SBpp = Src->BytesPerPixel();
  const bool Dest32 = Dest.Format == pf32bit, Src32 = Src->Format == pf32bit;
  const Cardinal Key = static_cast<Cardinal>(Mode.KeyRGB) & 0xFFFFFF;
  const bool Replace = Mode.ReplaceRGB != clNone;
  const Cardinal ReplaceRGB = static_cast<Cardinal>(Mode.ReplaceRGB) & 0xFFFFFF;
  const Cardinal Pat = static_cast<Cardinal>(Mode.PatternRGB) & 0xFFFFFF;

  for (const TRect& C : Clip.Rects()) {
    TRect Part;
    if (!IntersectRect(Part, C, D) || !IntersectRect(Part, Part, ImageRect(Dest))) continue;
    for (Integer Y = Part.Top; Y < Part.Bottom; ++Y) {
      Int64 OY = ((Y - D.Top) * 2 + 1) * SH / (2 * DH);
      if (FlipY) OY = SH - 1 - OY;
      const Integer SY = S.Top + static_cast<Integer>(OY);
      if (SY < 0 || SY >= Src->Height) continue;
      Byte* DRow = Dest.Row(Y);
      const Byte* SRow = Src->Row(SY);
      for (Integer X = Part.Left; X < Part.Right; ++X) {
        Int64 OX = ((X - D.Left) * 2 + 1) * SW / (2 * DW);
        if (FlipX) OX = SW - 1 - OX;
        const Integer SX = S.Left + static_cast<Integer>(OX);
        if (SX < 0 || SX >= Src->Width) continue;
        const Byte* SP = SRow + SX * SBpp;
        Byte* DP = DRow + X * DBpp;
        Cardinal SC = LoadRGB(SP);
        const Byte SA = Src32 ? SP[3] : static_cast<Byte>(0xFF);
        switch (Mode.Kind) {
          case TBlitMode::Rop: {
            if (Replace && SC == Key) SC = ReplaceRGB;
            if (Mode.CopyMode == cmSrcCopy) {
              StoreRGB(DP, SC);
              if (DBpp == 4) DP[3] = Dest32 ? SA : static_cast<Byte>(0xFF);
            } else {
              StoreRGB(DP, Rop3(Mode.CopyMode, SC, LoadRGB(DP), Pat));
              if (DBpp == 4 && !Dest32) DP[3] = 0xFF;
            }
            break;
          }
          case TBlitMode::Transparent: {
            if (SC == Key) {
              if (!Replace) break;
              SC = ReplaceRGB;
            }
            StoreRGB(DP, SC);
            if (DBpp == 4) DP[3] = 0xFF;
            break;
          }
          case TBlitMode::Alpha: {
            Cardinal Ch[3] = {SP[0], SP[1], SP[2]};
            Cardinal A = Mode.PerPixelAlpha ? SA : 255;
            if (Mode.PerPixelAlpha && Mode.Premultiply)
              for (Cardinal& V : Ch) V = (V * A + 127) / 255;
            if (!Mode.PerPixelAlpha) A = 255;
            // Scale the (premultiplied) source by the constant alpha, then source-over.
            const Cardinal CA = Mode.ConstantAlpha;
            for (Cardinal& V : Ch) V = (V * CA + 127) / 255;
            A = (A * CA + 127) / 255;
            for (int I = 0; I < 3; ++I)
              DP[I] = static_cast<Byte>(std::min<Cardinal>(255, Ch[I] + (DP[I] * (255 - A) + 127) / 255));
            if (DBpp == 4)
              DP[3] = Dest32 ? static_cast<Byte>(std::min<Cardinal>(255, A + (DP[3] * (255 - A) + 127) / 255))
                             : static_cast<Byte>(0xFF);
            break;
          }
        }
      }
    }
  }
}

}  // namespace GraphicsRaster
