// The arrow and focus-frame windows, the alpha mask, the Gaussian blur and the rounded frame mask.
#include "components/gridbase/ExOverlay.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

// A 24-bit bitmap of one colour.
void Fill24(TBitmap& B, Integer W, Integer H, TColor C) {
  B.SetPixelFormat(pf24bit);
  B.SetSize(W, H);
  B.Canvas()->Brush()->SetColor(C);
  B.Canvas()->FillRect(Rect(0, 0, W, H));
}

// The blue, green, red and alpha bytes of a 32-bit pixel.
struct TBgra {
  Byte B, G, R, A;
  friend bool operator==(const TBgra&, const TBgra&) = default;
};
TBgra PixelOf(TBitmap& B, Integer X, Integer Y) {
  const Byte* P = static_cast<const Byte*>(B.ScanLine(Y)) + X * 4;
  return {P[0], P[1], P[2], P[3]};
}
Byte RedOf24(TBitmap& B, Integer X, Integer Y) {
  return static_cast<const Byte*>(B.ScanLine(Y))[X * 3 + 2];
}

}  // namespace

TEST(GaussianKernelTest, RadiusThreeIsTrimmedAndNormalised) {
  TGaussianKernel K;
  MakeGaussianKernel(K, 3.0, 1, 255);
  EXPECT_LT(K.Size, 10);
  EXPECT_GT(K.Size, 1);
  double Sum = 0;
  for (Integer I = -K.Size; I <= K.Size; ++I) Sum += K.W(I);
  EXPECT_NEAR(Sum, 1.0, 1e-6);
  EXPECT_FLOAT_EQ(K.W(-2), K.W(2));
  EXPECT_GT(K.W(0), K.W(1));
}

// A radius of 0 (or any that is not a positive number) would divide by it: the kernel keeps every
// pixel, its weights are numbers, and the blur leaves the bitmap as it is.
TEST(GaussianKernelTest, ARadiusThatIsNotPositiveChangesNothing) {
  for (double Radius : {0.0, -2.0, std::nan("")}) {
    SCOPED_TRACE(Radius);
    TGaussianKernel K;
    MakeGaussianKernel(K, Radius, 1, 255);
    EXPECT_EQ(K.Size, 1);
    EXPECT_FLOAT_EQ(K.W(0), 1.0f);
    EXPECT_FLOAT_EQ(K.W(1), 0.0f);
    EXPECT_FLOAT_EQ(K.W(-1), 0.0f);

    TBitmap B;
    Fill24(B, 16, 60, clBlack);
    B.Canvas()->Brush()->SetColor(clWhite);
    B.Canvas()->FillRect(Rect(3, 30, 9, 31));
    GaussianBlur(&B, Radius);
    EXPECT_EQ(RedOf24(B, 5, 30), 255);
    EXPECT_EQ(RedOf24(B, 5, 29), 0);
    EXPECT_EQ(RedOf24(B, 2, 30), 0);
  }
}

TEST(GaussianBlurTest, OnlyTwentyFourBitBitmapsAreBlurred) {
  TBitmap B;
  B.SetPixelFormat(pf32bit);
  B.SetSize(20, 20);
  try {
    GaussianBlur(&B, 3.0);
    FAIL() << "no error";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"Blur only works for 24-bit bitmaps");
  }
}

TEST(GaussianBlurTest, AUniformAreaKeepsItsLevelAndAnEdgeIsSoftened) {
  TBitmap B;
  Fill24(B, 60, 50, clWhite);
  GaussianBlur(&B, 3.0);
  for (Integer Y = 0; Y < 50; Y += 7)
    for (Integer X = 0; X < 60; X += 7) ASSERT_EQ(B.Canvas()->Pixels(X, Y), clWhite) << X << "," << Y;

  // A white square on black: its edge ramps, its inside stays white, far outside stays black.
  TBitmap E;
  Fill24(E, 30, 30, clBlack);
  E.Canvas()->Brush()->SetColor(clWhite);
  E.Canvas()->FillRect(Rect(10, 0, 30, 30));
  GaussianBlur(&E, 3.0);
  EXPECT_EQ(RedOf24(E, 0, 15), 0);
  EXPECT_EQ(RedOf24(E, 29, 15), 255);
  EXPECT_GT(RedOf24(E, 10, 15), 100);
  EXPECT_LT(RedOf24(E, 10, 15), 155);
  EXPECT_LT(RedOf24(E, 8, 15), RedOf24(E, 9, 15));
}

TEST(GaussianBlurTest, RowsFarFromBothEndsCopyRowFifteen) {
  // A bitmap whose middle rows differ from row 15: the shortcut makes them equal to it.
  TBitmap B;
  Fill24(B, 16, 60, clBlack);
  B.Canvas()->Brush()->SetColor(clWhite);
  B.Canvas()->FillRect(Rect(0, 30, 16, 31));
  GaussianBlur(&B, 2.0);
  for (Integer X = 0; X < 16; ++X) EXPECT_EQ(RedOf24(B, X, 30), RedOf24(B, X, 15));
}

TEST(RoundRectMaskTest, ASharpRingWithoutBlur) {
  TBitmap B;
  MakeRoundRectMask(&B, 40, 30, 4, 5, 0);
  ASSERT_EQ(B.PixelFormat(), pf24bit);
  ASSERT_EQ(B.Width(), 40);
  ASSERT_EQ(B.Height(), 30);
  struct Probe {
    const char* Name;
    Integer X, Y;
    Byte Level;
  };
  const Probe Probes[] = {
      {"outside, top-left", 0, 0, 0},     {"outside above the top edge", 20, 1, 0},
      {"top edge", 20, 5, 255},           {"left edge", 5, 15, 255},
      {"right edge", 34, 15, 255},        {"bottom edge", 20, 24, 255},
      {"inside the ring", 20, 15, 0},     {"outside below", 20, 29, 0},
  };
  for (const Probe& P : Probes) EXPECT_EQ(RedOf24(B, P.X, P.Y), P.Level) << P.Name;
}

TEST(RoundRectMaskTest, AFilledShapeBelowPenWidthOneAndASoftRingWithBlur) {
  TBitmap Filled;
  MakeRoundRectMask(&Filled, 30, 30, 0, 5, 0);
  EXPECT_EQ(RedOf24(Filled, 15, 15), 255);
  EXPECT_EQ(RedOf24(Filled, 0, 15), 0);

  TBitmap Soft;
  MakeRoundRectMask(&Soft, 50, 40, 4, 5, 3.0);
  const Byte Edge = RedOf24(Soft, 25, 5);
  EXPECT_GT(Edge, 100);
  EXPECT_GT(RedOf24(Soft, 25, 1), 0);  // the blur spreads the ring outwards
  EXPECT_LT(RedOf24(Soft, 25, 1), Edge);
}

TEST(GridAlphaMaskTest, MergeMaskPremultipliesTheColourByTheMaskLevel) {
  struct Case {
    const char* Name;
    TColor Mask;
    TBgra Expected;
  };
  // Bitmap colour: red 200, green 100, blue 50.
  const Case Cases[] = {
      {"white mask keeps the colour", clWhite, {50, 100, 200, 255}},
      {"black mask gives nothing", clBlack, {0, 0, 0, 0}},
      {"grey 128 scales and rounds", RGB(128, 128, 128), {25, 50, 100, 128}},
      {"only the red byte of the mask counts", RGB(51, 255, 0), {10, 20, 40, 51}},
  };
  for (const Case& C : Cases) {
    TBitmap Mask, Colour;
    Fill24(Mask, 3, 2, C.Mask);
    Fill24(Colour, 3, 2, RGB(200, 100, 50));
    TGridAlphaMask A;
    A.MergeMask(&Mask, &Colour, clRed);
    ASSERT_EQ(A.Width(), 3) << C.Name;
    ASSERT_EQ(A.Height(), 2) << C.Name;
    EXPECT_EQ(A.PixelFormat(), pf32bit) << C.Name;
    EXPECT_EQ(PixelOf(A, 2, 1), C.Expected) << C.Name;
  }
}

TEST(GridAlphaMaskTest, MergeMaskLeavesTheMaskAloneForBitmapsItCannotRead) {
  struct Case {
    const char* Name;
    TPixelFormat BitmapFormat, MaskFormat;
    Integer MaskWidth;
  };
  const Case Cases[] = {
      {"32-bit colour bitmap", pf32bit, pf24bit, 4},
      {"32-bit mask", pf24bit, pf32bit, 4},
      {"mask narrower than the bitmap", pf24bit, pf24bit, 2},
  };
  for (const Case& C : Cases) {
    TBitmap Mask, Colour;
    Mask.SetPixelFormat(C.MaskFormat);
    Mask.SetSize(C.MaskWidth, 4);
    Colour.SetPixelFormat(C.BitmapFormat);
    Colour.SetSize(4, 4);
    TGridAlphaMask A;
    A.SetSize(1, 1);
    A.MergeMask(&Mask, &Colour, clNone);
    EXPECT_EQ(A.Width(), 1) << C.Name;
  }
}

TEST(GridAlphaMaskTest, StartsOpaqueAndAssignCopiesOpacityAndPixels) {
  TGridAlphaMask A;
  EXPECT_EQ(A.Opacity(), 255);
  EXPECT_EQ(A.PixelFormat(), pf32bit);
  TBitmap Mask, Colour;
  Fill24(Mask, 5, 4, RGB(128, 0, 0));
  Fill24(Colour, 5, 4, clWhite);
  A.MergeMask(&Mask, &Colour, clNone);
  A.SetOpacity(230);

  TGridAlphaMask B;
  B.Assign(&A);
  EXPECT_EQ(B.Opacity(), 230);
  ASSERT_EQ(B.Width(), 5);
  ASSERT_EQ(B.Height(), 4);
  EXPECT_EQ(PixelOf(B, 4, 3), (TBgra{128, 128, 128, 128}));

  // From a plain bitmap: the bitmap's copy, made 32-bit.
  TGridAlphaMask C;
  C.Assign(&Colour);
  EXPECT_EQ(C.PixelFormat(), pf32bit);
  EXPECT_EQ(C.Width(), 5);
  EXPECT_EQ(C.Opacity(), 255);
}

TEST(ArrowWindowTest, OutlinesAndTheirPixels) {
  struct Case {
    const char* Name;
    TArrowDirection Dir;
    TPoint Tip;
    TPoint Outside;
  };
  const Case Cases[] = {
      {"up", arrUp, {5, 0}, {0, 0}},
      {"down", arrDown, {5, 8}, {0, 8}},
      {"left (tip at the right)", arrLeft, {8, 5}, {8, 0}},
      {"right (tip at the left)", arrRight, {0, 5}, {0, 0}},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(ArrowOutline(C.Dir).size(), 7u) << C.Name;
    const TRegion R = ArrowRegion(C.Dir);
    EXPECT_TRUE(R.Contains(C.Tip)) << C.Name;
    EXPECT_FALSE(R.Contains(C.Outside)) << C.Name;
  }
}

TEST(ArrowWindowTest, ADownArrowShowsInLimeWithItsTipAtFiveEight) {
  auto* Form = new TForm(Application);
  Form->SetBounds(10, 10, 200, 120);
  Form->SetColor(clWhite);
  Form->AfterConstruction();
  TArrowWindow* A = TArrowWindow::Init(Form, arrDown);
  EXPECT_EQ(A->Dir(), arrDown);
  EXPECT_EQ(A->Color(), clLime);
  EXPECT_FALSE(A->Visible());
  EXPECT_EQ(A->Arrow()[4], TPoint(5, 8));
  A->SetBounds(300, 200, A->Width(), A->Height());
  A->SetVisible(true);
  A->PaintIfNeeded();
  TCanvas* C = A->BackingImage()->Canvas();
  EXPECT_EQ(C->Pixels(5, 8), clLime);
  EXPECT_EQ(C->Pixels(5, 2), clLime);
  EXPECT_EQ(C->Pixels(0, 0), clWhite);  // outside the arrow: the colour of the control it marks
  TComponent::Free(Form);
}

TEST(GridFocusWindowTest, StartsEmptyRedAndDisabledAndDrawsItsImageInsideItsRing) {
  auto* Form = new TForm(Application);
  Form->AfterConstruction();
  auto* W = new TGridFocusWindow(Form);
  EXPECT_EQ(W->Width(), 0);
  EXPECT_EQ(W->Height(), 0);
  EXPECT_EQ(W->Color(), clRed);
  EXPECT_FALSE(W->Enabled());
  EXPECT_FALSE(W->Visible());

  // A 20 x 20 frame: mask full white, colour blue, shown only on a 4-pixel ring.
  TBitmap Mask, Colour;
  Fill24(Mask, 20, 20, clWhite);
  Fill24(Colour, 20, 20, clBlue);
  TGridAlphaMask Alpha;
  Alpha.MergeMask(&Mask, &Colour, clNone);
  W->SetBounds(0, 0, 20, 20);
  W->SetAlphaImage(&Alpha);
  TRegion Ring(Rect(0, 0, 20, 20));
  Ring.Subtract(Rect(4, 4, 16, 16));
  W->SetWindowRegion(Ring);
  W->SetVisible(true);
  W->PaintIfNeeded();
  TCanvas* C = W->BackingImage()->Canvas();
  EXPECT_EQ(C->Pixels(1, 1), clBlue);
  EXPECT_NE(C->Pixels(10, 10), clBlue);
  TComponent::Free(Form);
}
