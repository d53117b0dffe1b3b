// Arrow and focus-frame windows, the alpha mask and the blurred frame mask.
#include "components/gridbase/ExOverlay.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// Arrows
// ---------------------------------------------------------------------------------------------

std::vector<TPoint> ArrowOutline(TArrowDirection Dir) {
  switch (Dir) {
    case arrUp:
      return {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}};
    case arrDown:
      return {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}};
    case arrLeft:
      return {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}};
    case arrRight:
      return {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}};
  }
  return {};
}

namespace {

TSize OutlineExtent(const std::vector<TPoint>& Points) {
  TSize S;
  for (const TPoint& P : Points) {
    S.cx = Max(S.cx, P.X + 1);
    S.cy = Max(S.cy, P.Y + 1);
  }
  return S;
}

}  // namespace

namespace {

// The winding number of the closed outline around the point (X, Y).
Integer WindingNumber(const std::vector<TPoint>& Pts, double X, double Y) {
  Integer W = 0;
  const size_t N = Pts.size();
  for (size_t I = 0; I < N; ++I) {
    const TPoint& A = Pts[I];
    const TPoint& B = Pts[(I + 1) % N];
    const double Side = (B.X - A.X) * (Y - A.Y) - (X - A.X) * (B.Y - A.Y);
    if (A.Y <= Y) {
      if (B.Y > Y && Side > 0) ++W;
    } else if (B.Y <= Y && Side < 0) {
      --W;
    }
  }
  return W;
}

// True when (X, Y) lies on the outline.
bool OnOutline(const std::vector<TPoint>& Pts, double X, double Y) {
  const size_t N = Pts.size();
  for (size_t I = 0; I < N; ++I) {
    const TPoint& A = Pts[I];
    const TPoint& B = Pts[(I + 1) % N];
    const double Side = (B.X - A.X) * (Y - A.Y) - (X - A.X) * (B.Y - A.Y);
    if (Side == 0 && X >= Min(A.X, B.X) && X <= Max(A.X, B.X) && Y >= Min(A.Y, B.Y) &&
        Y <= Max(A.Y, B.Y))
      return true;
  }
  return false;
}

// True when the outline covers the pixel: its centre or one of four points around it lies inside
// or on the outline, so sloping edges show no gaps.
bool CoversPixel(const std::vector<TPoint>& Pts, Integer X, Integer Y) {
  static constexpr double Offsets[5][2] = {
      {0.5, 0.5}, {0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}};
  for (const auto& O : Offsets) {
    const double PX = X + O[0], PY = Y + O[1];
    if (WindingNumber(Pts, PX, PY) != 0 || OnOutline(Pts, PX, PY)) return true;
  }
  return false;
}

// Marks the pixels of the line from A to B, both ends included.
void MarkLine(std::vector<bool>& Px, Integer Stride, TPoint A, const TPoint& B) {
  const Integer DX = std::abs(B.X - A.X), DY = -std::abs(B.Y - A.Y);
  const Integer SX = A.X < B.X ? 1 : -1, SY = A.Y < B.Y ? 1 : -1;
  Integer Err = DX + DY;
  for (;;) {
    Px[static_cast<size_t>(A.Y * Stride + A.X)] = true;
    if (A.X == B.X && A.Y == B.Y) break;
    const Integer E2 = 2 * Err;
    if (E2 >= DY) {
      Err += DY;
      A.X += SX;
    }
    if (E2 <= DX) {
      Err += DX;
      A.Y += SY;
    }
  }
}

// The pixels the outline covers (winding rule) and the outline itself, so the tips and edges
// given by the points show.
TRegion Make_Arrow_Region(TArrowDirection Dir) {
  const std::vector<TPoint> Outline = ArrowOutline(Dir);
  const TSize S = OutlineExtent(Outline);
  std::vector<bool> Px(static_cast<size_t>(S.cx * S.cy), false);
  for (size_t I = 0; I < Outline.size(); ++I)
    MarkLine(Px, S.cx, Outline[I], Outline[(I + 1) % Outline.size()]);
  for (Integer Y = 0; Y < S.cy; ++Y)
    for (Integer X = 0; X < S.cx; ++X)
      if (CoversPixel(Outline, X, Y)) Px[static_cast<size_t>(Y * S.cx + X)] = true;
  TRegion R;
  for (Integer Y = 0; Y < S.cy; ++Y) {
    Integer Start = -1;
    for (Integer X = 0; X <= S.cx; ++X) {
      const bool In = X < S.cx && Px[static_cast<size_t>(Y * S.cx + X)];
      if (In && Start < 0) Start = X;
      if (!In && Start >= 0) {
        R.Union(Rect(Start, Y, X, Y + 1));
        Start = -1;
      }
    }
  }
  return R;
}

}  // namespace

TRegion ArrowRegion(TArrowDirection Dir) {
  // Every grid makes its four arrow windows; the regions depend on the direction alone, so they
  // are worked out once.
  static const std::array<TRegion, 4> Regions = {Make_Arrow_Region(arrUp), Make_Arrow_Region(arrDown),
                                                 Make_Arrow_Region(arrLeft), Make_Arrow_Region(arrRight)};
  return Regions[static_cast<size_t>(Dir) % Regions.size()];
}

TArrowWindow::TArrowWindow(TComponent* AOwner, TArrowDirection Direction)
    : TCustomControl(AOwner, wkPopup), FDir(Direction) {
  FArrow = ArrowOutline(FDir);
  FRegion = ArrowRegion(FDir);
  const TSize S = OutlineExtent(FArrow);
  FVisible = false;
  SetColor(clLime);
  // A popup is placed in screen coordinates: the owner is the window it belongs to, not a parent
  // whose client area holds it.
  SetBounds(0, 0, S.cx, S.cy);
}

TArrowWindow* TArrowWindow::Init(TComponent* AOwner, TArrowDirection Direction) {
  return new TArrowWindow(AOwner, Direction);
}

void TArrowWindow::Paint() {
  TCanvas* C = Canvas();
  TColor Outside = clBtnFace;
  if (auto* Marked = dynamic_cast<TControl*>(Owner())) Outside = Marked->Color();
  C->Brush()->SetColor(Outside);
  C->FillRect(ClientRect());
  C->Brush()->SetColor(Color());
  for (const TRect& R : FRegion.Rects()) C->FillRect(R);
}

// ---------------------------------------------------------------------------------------------
// Focus window
// ---------------------------------------------------------------------------------------------

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner, wkPopup) {
  FVisible = false;
  SetColor(clRed);
  SetEnabled(false);
  SetBounds(0, 0, 0, 0);
}

TGridFocusWindow::~TGridFocusWindow() = default;

void TGridFocusWindow::SetAlphaImage(const TGridAlphaMask* Image) {
  if (!Image) {
    FImage.reset();
  } else {
    if (!FImage) FImage = std::make_unique<TGridAlphaMask>();
    FImage->Assign(const_cast<TGridAlphaMask*>(Image));
  }
  Invalidate();
}

void TGridFocusWindow::SetWindowRegion(const TRegion& Region) {
  FRegion = Region;
  Invalidate();
}

void TGridFocusWindow::Paint() {
  TCanvas* C = Canvas();
  const Integer Saved = C->SaveDC();
  if (!FRegion.IsEmpty()) C->SelectClipRgn(&FRegion);
  C->Brush()->SetColor(Color());
  C->FillRect(ClientRect());
  if (FImage && !FImage->Empty())
    AlphaBlend(C, Rect(0, 0, FImage->Width(), FImage->Height()), FImage->Canvas(),
               Rect(0, 0, FImage->Width(), FImage->Height()), FImage->Opacity(), true);
  C->RestoreDC(Saved);
}

// ---------------------------------------------------------------------------------------------
// Alpha mask
// ---------------------------------------------------------------------------------------------

TGridAlphaMask::TGridAlphaMask() {
  SetPixelFormat(pf32bit);
  SetAlphaFormat(afPremultiplied);
}

void TGridAlphaMask::Assign(TPersistent* Source) {
  if (auto* From = dynamic_cast<TGridAlphaMask*>(Source)) {
    if (From != this) {
      FOpacity = From->FOpacity;
      SetPixelFormat(pf32bit);
      SetSize(From->Width(), From->Height());
      for (Integer Y = 0; Y < From->Height(); ++Y)
        std::memcpy(ScanLine(Y), From->ScanLine(Y), static_cast<size_t>(From->Width()) * 4);
      ImageChanged();
    }
  } else {
    TBitmap::Assign(Source);
  }
  SetPixelFormat(pf32bit);
  SetAlphaFormat(afPremultiplied);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor /*Color*/) {
  if (!Bitmap || !Mask || Bitmap->PixelFormat() != pf24bit) return;
  // Reading the mask row by row needs it to cover the bitmap with the same layout.
  if (Mask->PixelFormat() != pf24bit || Mask->Width() != Bitmap->Width() ||
      Mask->Height() != Bitmap->Height())
    return;
  SetPixelFormat(pf32bit);
  SetSize(Bitmap->Width(), Bitmap->Height());
  for (Integer Y = 0; Y < Bitmap->Height(); ++Y) {
    const Byte* Src = static_cast<const Byte*>(Bitmap->ScanLine(Y));
    const Byte* M = static_cast<const Byte*>(Mask->ScanLine(Y));
    Byte* D = static_cast<Byte*>(ScanLine(Y));
    for (Integer X = 0; X < Bitmap->Width(); ++X) {
      const Integer A = M[X * 3 + 2];
      for (Integer Ch = 0; Ch < 3; ++Ch)
        D[X * 4 + Ch] = static_cast<Byte>(Round(Src[X * 3 + Ch] * A / 255.0));
      D[X * 4 + 3] = static_cast<Byte>(A);
    }
  }
  SetAlphaFormat(afPremultiplied);
  ImageChanged();
}

// ---------------------------------------------------------------------------------------------
// Gaussian blur and the rounded frame mask
// ---------------------------------------------------------------------------------------------

Integer TrimInt(Integer Lower, Integer Upper, Integer I) {
  if (I <= Upper && I >= Lower) return I;
  if (I > Upper) return Upper;
  return Lower;
}

Integer TrimReal(Cardinal Lower, Cardinal Upper, double X) {
  if (X < Lower) return static_cast<Integer>(Lower);
  if (X >= Upper) return static_cast<Integer>(Upper);
  return static_cast<Integer>(Trunc(X));
}

void MakeGaussianKernel(TGaussianKernel& K, double Radius, double MaxData, double DataGranularity) {
  // A radius that is not a positive number spreads nothing: the kernel keeps each pixel as it is
  // (dividing by it would give weights that are not numbers).
  if (!(Radius > 0)) {
    for (float& W : K.Weights) W = 0;
    K.W(0) = 1;
    K.Size = 1;
    return;
  }
  for (Integer J = -10; J <= 10; ++J) {
    const double T = J / Radius;
    K.W(J) = static_cast<float>(std::exp(-T * T / 2));
  }
  double Sum = 0;
  for (Integer J = -10; J <= 10; ++J) Sum += K.W(J);
  for (Integer J = -10; J <= 10; ++J) K.W(J) = static_cast<float>(K.W(J) / Sum);
  // Drop the tail while it weighs less than half a grey level.
  Integer Size = 10;
  double Amount = 0;
  while (Amount < MaxData / (2 * DataGranularity) && Size > 1) {
    Amount += 2.0 * K.W(Size);
    --Size;
  }
  K.Size = static_cast<Byte>(Size);
  Sum = 0;
  for (Integer J = -Size; J <= Size; ++J) Sum += K.W(J);
  for (Integer J = -Size; J <= Size; ++J) K.W(J) = static_cast<float>(K.W(J) / Sum);
}

void BlurRow(Byte* P, Integer n, const TGaussianKernel& K, Byte* Scratch) {
  for (Integer J = 0; J <= n; ++J) {
    double Sum[3] = {0, 0, 0};
    for (Integer I = -K.Size; I <= K.Size; ++I) {
      const double W = K.W(I);
      const Byte* Px = P + TrimInt(0, n, J - I) * 3;
      for (Integer Ch = 0; Ch < 3; ++Ch) Sum[Ch] += W * Px[Ch];
    }
    // The single-precision weights sum to 1 only within their precision; the small allowance keeps
    // a uniform level from losing one step in each pass when the sum is truncated.
    for (Integer Ch = 0; Ch < 3; ++Ch)
      Scratch[J * 3 + Ch] = static_cast<Byte>(TrimReal(0, 255, Sum[Ch] + 1e-4));
  }
  std::memcpy(P, Scratch, static_cast<size_t>(n + 1) * 3);
}

void GaussianBlur(TBitmap* Bitmap, double Radius) {
  if (!Bitmap || Bitmap->PixelFormat() != pf24bit)
    throw EInvalidGraphicOperation(u"Blur only works for 24-bit bitmaps");
  // Nothing to blur: the row and column shortcuts below would still copy rows and columns.
  if (!(Radius > 0)) return;
  TGaussianKernel K;
  MakeGaussianKernel(K, Radius, 1, 255);
  const Integer W = Bitmap->Width();
  const Integer H = Bitmap->Height();
  if (W <= 0 || H <= 0) return;
  const size_t RowBytes = static_cast<size_t>(W) * 3;
  std::vector<Byte> Scratch(static_cast<size_t>(Max(W, H)) * 3);
  for (Integer Y = 0; Y < H; ++Y) {
    Byte* Row = static_cast<Byte*>(Bitmap->ScanLine(Y));
    if (Y > 20 && Y < H - 20)
      std::memcpy(Row, Bitmap->ScanLine(15), RowBytes);
    else
      BlurRow(Row, W - 1, K, Scratch.data());
  }
  std::vector<Byte> Column(static_cast<size_t>(H) * 3);
  for (Integer X = 0; X < W; ++X) {
    if (X > 20 && X < W - 20) {
      for (Integer Y = 0; Y < H; ++Y) {
        Byte* Row = static_cast<Byte*>(Bitmap->ScanLine(Y));
        std::memcpy(Row + X * 3, Row + 15 * 3, 3);
      }
      continue;
    }
    for (Integer Y = 0; Y < H; ++Y)
      std::memcpy(&Column[Y * 3], static_cast<Byte*>(Bitmap->ScanLine(Y)) + X * 3, 3);
    BlurRow(Column.data(), H - 1, K, Scratch.data());
    for (Integer Y = 0; Y < H; ++Y)
      std::memcpy(static_cast<Byte*>(Bitmap->ScanLine(Y)) + X * 3, &Column[Y * 3], 3);
  }
  Bitmap->ImageChanged();
}

void MakeRoundRectMask(TBitmap* Bitmap, Integer Width, Integer Height, Integer PenWidth,
                       Integer Corner, double Radius) {
  Bitmap->SetPixelFormat(pf24bit);
  Bitmap->SetSize(Width, Height);
  TCanvas* C = Bitmap->Canvas();
  C->Brush()->SetColor(clBlack);
  C->FillRect(Rect(0, 0, Width, Height));
  if (PenWidth < 1) {
    C->Pen()->SetColor(clWhite);
    C->Pen()->SetWidth(1);
    C->Brush()->SetColor(clWhite);
  } else {
    C->Pen()->SetColor(clWhite);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(PenWidth);
    C->Brush()->SetColor(clBlack);
  }
  const Integer c = PenWidth / 2;
  C->RoundRect(c + 2, c + 2, Width - c - 2, Height - c - 2, Corner, Corner);
  // The canvas keeps the pen for later drawing: give back the thin one.
  C->Pen()->SetWidth(1);
  if (Radius > 0) GaussianBlur(Bitmap, Radius);
}
