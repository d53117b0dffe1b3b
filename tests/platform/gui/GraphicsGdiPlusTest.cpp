// The smoothed drawing: pixel offset, gradients with tiling and blends, path gradients, clip
// combine modes, arcs, images and strings with a string format.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/gui/GdiPlus.h"
#include "platform/gui/GraphicsBackend.h"

namespace {

// A pf32bit bitmap, opaque white.
std::unique_ptr<TBitmap> NewBuffer(Integer W, Integer H) {
  auto B = std::make_unique<TBitmap>();
  B->SetPixelFormat(pf32bit);
  B->SetSize(W, H);
  TGPGraphics G(B.get());
  G.Clear(0xFFFFFFFF);
  return B;
}

// The pixel as 0xAARRGGBB (premultiplied).
Cardinal Argb(TBitmap& B, Integer X, Integer Y) {
  const Byte* P = static_cast<const Byte*>(B.ScanLine(Y)) + 4 * X;
  return MakeColor(P[3], P[2], P[1], P[0]);
}

Integer Red(Cardinal C) { return (C >> 16) & 0xFF; }
Integer Blue(Cardinal C) { return C & 0xFF; }

// The bounding box of pixels that are not white.
TRect Ink(TBitmap& B) {
  TRect R(1 << 20, 1 << 20, -1, -1);
  bool Any = false;
  for (Integer Y = 0; Y < B.Height(); ++Y)
    for (Integer X = 0; X < B.Width(); ++X)
      if (Argb(B, X, Y) != 0xFFFFFFFF) {
        Any = true;
        R = Rect(std::min(R.Left, X), std::min(R.Top, Y), std::max(R.Right, X + 1), std::max(R.Bottom, Y + 1));
      }
  return Any ? R : TRect();
}

}  // namespace

TEST(GraphicsGdiPlus, OnePixelLinesLandOnWholePixelsWithTheDefaultOffset) {
  struct Row {
    const char* Name;
    TPixelOffsetMode Offset;
    bool Crisp;
  } Rows[] = {{"default offset", PixelOffsetModeDefault, true},
              {"no offset", PixelOffsetModeNone, true},
              {"half offset", PixelOffsetModeHalf, false}};
  for (const Row& R : Rows) {
    auto B = NewBuffer(20, 20);
    TGPGraphics G(B.get());
    G.SetSmoothingMode(SmoothingModeHighQuality);
    G.SetPixelOffsetMode(R.Offset);
    TGPPen Pen(MakeColor(0, 0, 0), 1.0f);
    EXPECT_EQ(G.DrawLine(&Pen, 2.0f, 10.0f, 18.0f, 10.0f), Ok);
    if (R.Crisp) {
      EXPECT_EQ(Argb(*B, 8, 10), 0xFF000000u) << R.Name;
      EXPECT_EQ(Argb(*B, 8, 9), 0xFFFFFFFFu) << R.Name;
      EXPECT_EQ(Argb(*B, 8, 11), 0xFFFFFFFFu) << R.Name;
    } else {
      EXPECT_NE(Argb(*B, 8, 9), 0xFFFFFFFFu) << R.Name << ": smeared over two rows";
      EXPECT_NE(Argb(*B, 8, 10), 0xFF000000u) << R.Name;
    }
  }
}

TEST(GraphicsGdiPlus, LinearGradientTilesBeyondItsEnds) {
  auto B = NewBuffer(2, 40);
  TGPGraphics G(B.get());
  TGPLinearGradientBrush Brush(TGPPoint{0, 0}, TGPPoint{0, 10}, MakeColor(255, 0, 0), MakeColor(0, 0, 255));
  EXPECT_EQ(Brush.GetLastStatus(), Ok);
  EXPECT_EQ(Brush.GetWrapMode(), WrapModeTile);
  G.FillRectangle(&Brush, TGPRect{0, 0, 2, 40});
  EXPECT_GT(Red(Argb(*B, 0, 0)), 200);
  EXPECT_GT(Blue(Argb(*B, 0, 9)), 150);
  for (Integer Y = 0; Y < 10; ++Y)
    for (Integer Tile : {10, 20}) {
      EXPECT_NEAR(Red(Argb(*B, 0, Y)), Red(Argb(*B, 0, Y + Tile)), 1) << Y << " + " << Tile;
      EXPECT_NEAR(Blue(Argb(*B, 0, Y)), Blue(Argb(*B, 0, Y + Tile)), 1) << Y << " + " << Tile;
    }
}

TEST(GraphicsGdiPlus, GradientBetweenEqualPointsFailsAndFillsWithTheFirstColour) {
  auto B = NewBuffer(4, 4);
  TGPGraphics G(B.get());
  TGPLinearGradientBrush Brush(TGPPoint{0, 5}, TGPPoint{0, 5}, MakeColor(255, 0, 0), MakeColor(0, 0, 255));
  EXPECT_EQ(Brush.GetLastStatus(), OutOfMemory);
  G.FillRectangle(&Brush, TGPRect{0, 0, 4, 4});
  EXPECT_EQ(Argb(*B, 2, 2), 0xFFFF0000u);
}

TEST(GraphicsGdiPlus, BlendPositionsMustRiseFromZeroToOne) {
  struct Row {
    const char* Name;
    std::vector<float> Factors, Positions;
    TStatus Expected;
  } Rows[] = {{"fade at 85 %", {0, 0, 1}, {0, 0.85f, 1}, Ok},
              {"middle position below zero", {0, 0, 1}, {0, -0.1f, 1}, InvalidParameter},
              {"middle position zero", {0, 0, 1}, {0, 0, 1}, InvalidParameter},
              {"last position not one", {0, 0, 1}, {0, 0.5f, 0.9f}, InvalidParameter},
              {"factor above one", {0, 2, 1}, {0, 0.5f, 1}, InvalidParameter},
              {"one position", {0}, {0}, InvalidParameter}};
  for (const Row& R : Rows) {
    TGPLinearGradientBrush Brush(TGPPointF{0, 0}, TGPPointF{100, 0}, MakeColor(0, 0, 0), MakeColor(255, 255, 255));
    EXPECT_EQ(Brush.SetBlend(R.Factors.data(), R.Positions.data(), static_cast<Integer>(R.Factors.size())),
              R.Expected)
        << R.Name;
  }
  // The accepted blend holds the first colour up to its middle position.
  auto B = NewBuffer(100, 1);
  TGPGraphics G(B.get());
  TGPLinearGradientBrush Brush(TGPPointF{0, 0}, TGPPointF{100, 0}, MakeColor(0, 0, 0), MakeColor(255, 255, 255));
  const float Factors[] = {0, 0, 1}, Positions[] = {0, 0.85f, 1};
  Brush.SetBlend(Factors, Positions, 3);
  G.FillRectangle(&Brush, TGPRect{0, 0, 100, 1});
  EXPECT_EQ(Argb(*B, 50, 0), 0xFF000000u);
  EXPECT_GT(Red(Argb(*B, 97, 0)), 150);
}

TEST(GraphicsGdiPlus, PathGradientRunsFromTheCentreToTheEdge) {
  auto B = NewBuffer(41, 21);
  TGPGraphics G(B.get());
  TGPGraphicsPath Path;
  Path.AddEllipse(TGPRect{0, 0, 40, 20});
  TGPPathGradientBrush Brush(&Path);
  Brush.SetCenterPoint(TGPPoint{20, 10});
  Brush.SetCenterColor(MakeColor(255, 255, 0, 0));
  TGPColor Surround = MakeColor(255, 0, 0, 255);
  Integer Count = 1;
  EXPECT_EQ(Brush.SetSurroundColors(&Surround, &Count), Ok);
  G.FillPath(&Brush, &Path);
  EXPECT_GT(Red(Argb(*B, 20, 10)), 220);
  EXPECT_GT(Blue(Argb(*B, 2, 10)), 150);
  EXPECT_EQ(Argb(*B, 0, 0), 0xFFFFFFFFu) << "outside the ellipse";
}

TEST(GraphicsGdiPlus, ClipCombineModesSaveAndRestore) {
  auto B = NewBuffer(30, 10);
  TGPGraphics G(B.get());
  TGPSolidBrush Black(MakeColor(0, 0, 0));
  G.SetClip(TGPRect{0, 0, 20, 10});
  const TGPPoint Hole[] = {{5, 0}, {10, 0}, {10, 10}, {5, 10}};
  TGPGraphicsPath HolePath;
  HolePath.AddPolygon(Hole, 4);
  const TGraphicsState Saved = G.Save();
  G.SetClip(&HolePath, CombineModeExclude);
  TGPRegion Kept;
  G.GetClip(&Kept);
  EXPECT_FALSE(Kept.IsInfinite());
  G.FillRectangle(&Black, TGPRect{0, 0, 30, 10});
  EXPECT_EQ(Argb(*B, 2, 5), 0xFF000000u);
  EXPECT_EQ(Argb(*B, 7, 5), 0xFFFFFFFFu) << "excluded";
  EXPECT_EQ(Argb(*B, 25, 5), 0xFFFFFFFFu) << "outside the first clip";
  EXPECT_EQ(G.Restore(Saved), Ok);
  G.FillRectangle(&Black, TGPRect{0, 0, 30, 10});
  EXPECT_EQ(Argb(*B, 7, 5), 0xFF000000u);
  EXPECT_EQ(Argb(*B, 25, 5), 0xFFFFFFFFu);
  G.ResetClip();
  G.SetClip(&Kept, CombineModeReplace);
  TGPSolidBrush Red(MakeColor(255, 0, 0));
  G.FillRectangle(&Red, TGPRect{0, 0, 30, 10});
  EXPECT_EQ(Argb(*B, 7, 5), 0xFF000000u) << "the saved region still has its hole";
  EXPECT_EQ(Argb(*B, 12, 5), 0xFFFF0000u);
  G.SetClip(TGPRect{0, 0, 5, 5}, CombineModeIntersect);
  G.SetClip(TGPRect{20, 0, 5, 5}, CombineModeIntersect);
  EXPECT_TRUE(G.IsClipEmpty());
  EXPECT_EQ(G.Restore(99), InvalidParameter);
}

TEST(GraphicsGdiPlus, ArcsRunClockwise) {
  auto B = NewBuffer(21, 21);
  TGPGraphics G(B.get());
  TGPPen Pen(MakeColor(0, 0, 0), 2.5f);
  G.SetSmoothingMode(SmoothingModeAntiAlias);
  G.DrawArc(&Pen, TGPRectF{2, 2, 16, 16}, 0, 90);  // from three o'clock down to six
  const TRect I = Ink(*B);
  EXPECT_GE(I.Left, 8);
  EXPECT_GE(I.Top, 8);
  EXPECT_NE(Argb(*B, 16, 16), 0xFFFFFFFFu);
}

TEST(GraphicsGdiPlus, ImagesKeepTheirAlphaAndLandOnWholePixels) {
  TBitmap Src;
  Src.SetPixelFormat(pf32bit);
  Src.SetSize(2, 1);
  Byte* P = static_cast<Byte*>(Src.ScanLine(0));
  P[0] = 0, P[1] = 0, P[2] = 255, P[3] = 255;  // opaque red, then transparent
  Src.SetAlphaFormat(afPremultiplied);
  TGPBitmap Image(&Src);
  EXPECT_EQ(Image.GetWidth(), 2);
  auto B = NewBuffer(8, 8);
  TGPGraphics G(B.get());
  G.SetSmoothingMode(SmoothingModeHighQuality);
  EXPECT_EQ(G.DrawImage(&Image, 3, 4), Ok);
  EXPECT_EQ(Argb(*B, 3, 4), 0xFFFF0000u);
  EXPECT_EQ(Argb(*B, 4, 4), 0xFFFFFFFFu);
  EXPECT_EQ(Argb(*B, 2, 4), 0xFFFFFFFFu);
  // Over a background colour, the transparent pixel takes that colour.
  TBitmap Out;
  EXPECT_EQ(Image.GetHBITMAP(MakeColor(255, 0, 0, 255), &Out), Ok);
  EXPECT_EQ(Argb(Out, 1, 0), 0xFF0000FFu);
  EXPECT_EQ(Argb(Out, 0, 0), 0xFFFF0000u);
}

TEST(GraphicsGdiPlus, BitmapFilesAreOpaqueWhateverTheirFourthByte) {
  std::ifstream In(std::string(KP_FIXTURES_DIR) + "/platform/gui/graphics/topdown-1x2-32bit.bmp", std::ios::binary);
  const std::vector<Byte> File{std::istreambuf_iterator<char>(In), {}};
  TGPBitmap Image(File.data(), File.size());
  ASSERT_EQ(Image.GetLastStatus(), Ok);
  TBitmap Out;
  Image.GetHBITMAP(0, &Out);
  EXPECT_EQ(Argb(Out, 0, 0) >> 24, 0xFFu);
  const Byte Junk[] = {1, 2, 3};
  EXPECT_EQ(TGPBitmap(Junk, sizeof Junk).GetLastStatus(), UnknownImageFormat);
}

TEST(GraphicsGdiPlus, MeasureStringAddsASixthOfTheEmOnEachSide) {
  auto B = NewBuffer(10, 10);
  TGPGraphics G(B.get());
  const TGPFont Font(u"Segoe UI", 9);  // 12 pixels: 2 pixels of padding each side
  TGPRectF Once, Twice;
  EXPECT_EQ(G.MeasureString(u"Tab caption", &Font, TGPRectF{0, 0, 1000, 20}, nullptr, Once), Ok);
  G.MeasureString(u"Tab captionTab caption", &Font, TGPRectF{0, 0, 1000, 20}, nullptr, Twice);
  EXPECT_NEAR(2 * Once.Width - Twice.Width, 4.0, 0.01);
  EXPECT_GT(Once.Height, 10);
  TGPRectF Empty;
  G.MeasureString(u"", &Font, TGPRectF{0, 0, 1000, 20}, nullptr, Empty);
  EXPECT_EQ(Empty.Width, 0);
  // Wrapping needs room; without wrapping the text stays on one line.
  TGPRectF Narrow;
  const float Room = Once.Width * 0.8f;
  G.MeasureString(u"Tab caption", &Font, TGPRectF{0, 0, Room, 0}, nullptr, Narrow);
  EXPECT_NEAR(Narrow.Height, 2 * Once.Height, 1.0);
  EXPECT_LE(Narrow.Width, Room);
  TGPStringFormat NoWrap(StringFormatFlagsNoWrap);
  G.MeasureString(u"Tab caption", &Font, TGPRectF{0, 0, Room, 0}, &NoWrap, Narrow);
  EXPECT_NEAR(Narrow.Height, Once.Height, 1.0);
}

TEST(GraphicsGdiPlus, StringAlignmentTrimmingAndDirection) {
  const TGPFont Font(u"Segoe UI", 9);
  TGPSolidBrush Black(MakeColor(0, 0, 0));
  struct Row {
    const char* Name;
    TStringAlignment Align;
    Integer Flags;
    bool InkLeft;  // the ink sits in the left half of the layout rectangle
  } Rows[] = {{"near", StringAlignmentNear, StringFormatFlagsNoWrap, true},
              {"far", StringAlignmentFar, StringFormatFlagsNoWrap, false},
              {"near, right to left", StringAlignmentNear,
               StringFormatFlagsNoWrap | StringFormatFlagsDirectionRightToLeft, false},
              {"far, right to left", StringAlignmentFar,
               StringFormatFlagsNoWrap | StringFormatFlagsDirectionRightToLeft, true}};
  for (const Row& R : Rows) {
    auto B = NewBuffer(200, 30);
    TGPGraphics G(B.get());
    TGPStringFormat F(R.Flags);
    F.SetAlignment(R.Align);
    F.SetLineAlignment(StringAlignmentCenter);
    EXPECT_EQ(G.DrawString(u"Tab", &Font, TGPRectF{0, 0, 200, 30}, &F, &Black), Ok) << R.Name;
    const TRect I = Ink(*B);
    ASSERT_FALSE(IsRectEmpty(I)) << R.Name;
    EXPECT_EQ(I.Right <= 100, R.InkLeft) << R.Name;
    EXPECT_GT(I.Top, 3) << R.Name << ": centred vertically";
  }
  // A long caption with an ellipsis stays inside its rectangle even without clipping.
  auto B = NewBuffer(200, 30);
  TGPGraphics G(B.get());
  TGPStringFormat F(StringFormatFlagsNoWrap | StringFormatFlagsNoClip);
  F.SetTrimming(StringTrimmingEllipsisCharacter);
  G.DrawString(u"A caption much too long for its tab", &Font, TGPRectF{0, 0, 60, 30}, &F, &Black);
  EXPECT_LE(Ink(*B).Right, 60);
  F.SetTrimming(StringTrimmingNone);
  auto C = NewBuffer(200, 30);
  TGPGraphics H(C.get());
  H.DrawString(u"A caption much too long for its tab", &Font, TGPRectF{0, 0, 60, 30}, &F, &Black);
  EXPECT_GT(Ink(*C).Right, 60);
}

TEST(GraphicsGdiPlus, GraphicsOnACanvasFollowsItsOriginAndClip) {
  auto B = std::make_unique<TBitmap>();
  B->SetSize(10, 10);
  TCanvas* C = B->Canvas();
  C->Brush()->SetColor(clWhite);
  C->FillRect(Rect(0, 0, 10, 10));
  C->SetWindowOrg(Point(5, 5));
  C->IntersectClipRect(Rect(5, 5, 8, 8));
  {
    TGPGraphics G(C);
    TGPSolidBrush Red(MakeColor(255, 0, 0));
    G.FillRectangle(&Red, TGPRect{5, 5, 10, 10});
  }
  C->SetWindowOrg(Point(0, 0));
  EXPECT_EQ(C->Pixels(0, 0), clRed);
  EXPECT_EQ(C->Pixels(2, 2), clRed);
  EXPECT_EQ(C->Pixels(3, 3), clWhite);
}
