// Colours, geometry, regions, fonts and the GDI-style canvas: pixel rules of lines, rectangles,
// clipping, pen modes, focus rectangles, flood fill, block transfers, edges and frame controls.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/gui/Graphics.h"
#include "platform/gui/GraphicsBackend.h"

namespace {

// A device bitmap of W x H filled with Fill.
std::unique_ptr<TBitmap> NewBitmap(Integer W, Integer H, TColor Fill = clWhite) {
  auto B = std::make_unique<TBitmap>();
  B->SetSize(W, H);
  B->Canvas()->Brush()->SetColor(Fill);
  B->Canvas()->FillRect(Rect(0, 0, W, H));
  return B;
}

// A bitmap with a different colour in every pixel, so that any change shows.
std::unique_ptr<TBitmap> NoiseBitmap(Integer W, Integer H) {
  auto B = NewBitmap(W, H);
  Cardinal Seed = 12345;
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) {
      Seed = Seed * 1103515245u + 12345u;
      B->Canvas()->SetPixels(X, Y, static_cast<TColor>((Seed >> 8) & 0xFFFFFF));
    }
  return B;
}

std::vector<Byte> PixelBytes(TBitmap& B) {
  std::vector<Byte> Out;
  for (Integer Y = 0; Y < B.Height(); ++Y) {
    const Byte* Row = static_cast<const Byte*>(B.ScanLine(Y));
    Out.insert(Out.end(), Row, Row + B.Width() * 4);
  }
  return Out;
}

// The picture as text, one character per pixel: '.' white, others by the legend.
std::string Ascii(TBitmap& B) {
  std::string Out;
  for (Integer Y = 0; Y < B.Height(); ++Y) {
    for (Integer X = 0; X < B.Width(); ++X) {
      switch (B.Canvas()->Pixels(X, Y)) {
        case clWhite: Out += '.'; break;
        case clRed: Out += 'R'; break;
        case clBlue: Out += 'B'; break;
        case clBlack: Out += 'K'; break;
        case clLime: Out += 'G'; break;
        case clYellow: Out += 'Y'; break;
        default: Out += '?'; break;
      }
    }
    Out += '\n';
  }
  return Out;
}

std::string ReadText(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Colours, geometry, fonts

TEST(GraphicsColors, SystemColoursResolveFromTheFixedTableOthersPassThrough) {
  struct Row {
    const char* Name;
    TColor In;
    Integer Out;
  } Rows[] = {
      {"button face", clBtnFace, 0xF0F0F0},  {"window", clWindow, 0xFFFFFF},
      {"window text", clWindowText, 0x000000}, {"highlight", clHighlight, 0xD77800},
      {"button shadow", clBtnShadow, 0xA0A0A0}, {"plain red", clRed, 0x0000FF},
      {"form colour", 0x00EDF7F8, 0x00EDF7F8}, {"none stays none", clNone, clNone},
  };
  for (const Row& R : Rows) EXPECT_EQ(ColorToRGB(R.In), R.Out) << R.Name;
  EXPECT_EQ(RGB(248, 247, 237), 0x00EDF7F8);
  EXPECT_EQ(GetRValue(0x00EDF7F8), 248);
  EXPECT_EQ(GetGValue(0x00EDF7F8), 247);
  EXPECT_EQ(GetBValue(0x00EDF7F8), 237);
}

TEST(GraphicsGeometry, RectanglesExcludeTheirRightAndBottomEdges) {
  const TRect R = Rect(10, 20, 30, 40);
  EXPECT_EQ(R.Width(), 20);
  EXPECT_TRUE(PtInRect(R, Point(10, 20)));
  EXPECT_FALSE(PtInRect(R, Point(30, 25)));
  EXPECT_FALSE(PtInRect(R, Point(15, 40)));
  TRect I;
  EXPECT_TRUE(IntersectRect(I, R, Rect(25, 35, 50, 50)));
  EXPECT_EQ(I, Rect(25, 35, 30, 40));
  EXPECT_FALSE(IntersectRect(I, R, Rect(30, 20, 40, 40)));  // touching is not meeting
  EXPECT_EQ(I, TRect());
  TRect U;
  EXPECT_TRUE(UnionRect(U, R, TRect()));
  EXPECT_EQ(U, R);
  EXPECT_TRUE(UnionRect(U, R, Rect(0, 0, 5, 5)));
  EXPECT_EQ(U, Rect(0, 0, 30, 40));
  TRect M = R;
  InflateRect(M, 2, -3);
  OffsetRect(M, 1, 1);
  EXPECT_EQ(M, Rect(9, 24, 33, 38));
  EXPECT_TRUE(IsRectEmpty(Rect(5, 5, 5, 10)));
}

TEST(GraphicsRegion, OperationsKeepTheRightPixels) {
  TRegion A(Rect(0, 0, 10, 10));
  A.Subtract(Rect(3, 3, 6, 6));
  EXPECT_FALSE(A.Contains(4, 4));
  EXPECT_TRUE(A.Contains(2, 4));
  EXPECT_TRUE(A.Contains(6, 6));
  EXPECT_EQ(A.Bounds(), Rect(0, 0, 10, 10));
  A.Union(Rect(4, 4, 5, 5));
  EXPECT_TRUE(A.Contains(4, 4));
  EXPECT_FALSE(A.Contains(5, 5));
  TRegion B(Rect(8, 8, 20, 20));
  B.Intersect(A);
  EXPECT_TRUE(B.SameArea(TRegion(Rect(8, 8, 10, 10))));
  // Overlapping unions count each pixel once.
  TRegion C(Rect(0, 0, 4, 4));
  C.Union(Rect(2, 2, 6, 6));
  Integer Area = 0;
  for (const TRect& R : C.Rects()) Area += R.Width() * R.Height();
  EXPECT_EQ(Area, 16 + 16 - 4);
}

TEST(GraphicsFont, SizeAndHeightConvertAtNinetySixPixelsPerInch) {
  struct Row {
    const char* Name;
    Integer Size;  // set
    Integer Height;
  } Rows[] = {{"8 points", 8, -11}, {"9 points", 9, -12}, {"11 points", 11, -15}, {"12 points", 12, -16}};
  for (const Row& R : Rows) {
    TFont F;
    F.SetSize(R.Size);
    EXPECT_EQ(F.Height(), R.Height) << R.Name;
    EXPECT_EQ(F.Size(), R.Size) << R.Name;
  }
  TFont F;
  F.SetHeight(13);  // a cell height gives a negative size
  EXPECT_EQ(F.Size(), -10);
}

TEST(GraphicsFont, EveryFaceOfTheFormsResolvesToDejaVu) {
  for (const char16_t* Face : {u"Verdana", u"Tahoma", u"MS Sans Serif", u"Segoe UI", u"Arial", u"Symbol"})
    EXPECT_EQ(GraphicsBackend::ResolveFontFamily(Face, fpDefault), u"DejaVu Sans");
  EXPECT_EQ(GraphicsBackend::ResolveFontFamily(u"Courier New", fpDefault), u"DejaVu Sans Mono");
  EXPECT_EQ(GraphicsBackend::ResolveFontFamily(u"Verdana", fpFixed), u"DejaVu Sans Mono");
}

TEST(GraphicsFont, ChangesAreReportedOnceAndAssignCopiesEverything) {
  TFont F;
  int Changes = 0;
  F.OnChange = [&](TObject*) { ++Changes; };
  F.SetName(u"Verdana");
  F.SetName(u"Verdana");
  F.SetStyle(TFontStyles{fsBold} << fsItalic);
  F.SetColor(clRed);
  EXPECT_EQ(Changes, 3);
  TFont G;
  G.Assign(&F);
  EXPECT_EQ(G.Name(), u"Verdana");
  EXPECT_TRUE(G.Style().Contains(fsItalic));
  EXPECT_EQ(G.Color(), clRed);
}

TEST(GraphicsBrush, AColourMakesAClearBrushSolidAndSetsTheTextBackground) {
  TCanvas C;
  C.Brush()->SetStyle(bsClear);
  EXPECT_EQ(C.BkMode(), TRANSPARENT);
  C.Brush()->SetColor(clRed);
  EXPECT_EQ(C.Brush()->Style(), bsSolid);
  EXPECT_EQ(C.BkMode(), OPAQUE);
  EXPECT_EQ(C.BkColor(), clRed);
}

// ---------------------------------------------------------------------------------------------
// Lines

TEST(GraphicsCanvasLines, XorLineDrawnTwiceRestoresEveryPixelInEveryDirection) {
  struct Row {
    const char* Name;
    Integer DX, DY;
  } Rows[] = {{"east", 9, 0},       {"west", -9, 0},      {"south", 0, 9},      {"north", 0, -9},
              {"south-east", 7, 7}, {"north-west", -7, -7}, {"north-east", 7, -7}, {"south-west", -7, 7},
              {"shallow", 11, 3},   {"steep", -3, 11},    {"shallow back", -11, -4}, {"steep up", 2, -10}};
  for (const Row& R : Rows) {
    auto B = NoiseBitmap(32, 32);
    const std::vector<Byte> Before = PixelBytes(*B);
    TCanvas* C = B->Canvas();
    C->Pen()->SetMode(pmXor);
    C->Pen()->SetColor(clWhite);
    const Integer X0 = 16, Y0 = 16, X1 = X0 + R.DX, Y1 = Y0 + R.DY;
    const TColor StartPixel = C->Pixels(X0, Y0), EndPixel = C->Pixels(X1, Y1);
    C->MoveTo(X0, Y0);
    C->LineTo(X1, Y1);
    EXPECT_NE(C->Pixels(X0, Y0), StartPixel) << R.Name << ": the start pixel is drawn";
    EXPECT_EQ(C->Pixels(X1, Y1), EndPixel) << R.Name << ": the end pixel is not drawn";
    EXPECT_EQ(C->PenPos(), Point(X1, Y1)) << R.Name;
    C->MoveTo(X0, Y0);
    C->LineTo(X1, Y1);
    EXPECT_EQ(PixelBytes(*B), Before) << R.Name;
  }
}

TEST(GraphicsCanvasLines, LineToDrawsOnePixelPerStepAndNeverItsEnd) {
  auto B = NewBitmap(20, 20);
  TCanvas* C = B->Canvas();
  C->Pen()->SetColor(clBlack);
  C->MoveTo(2, 3);
  C->LineTo(12, 7);
  Integer Black = 0;
  for (Integer Y = 0; Y < 20; ++Y)
    for (Integer X = 0; X < 20; ++X) Black += C->Pixels(X, Y) == clBlack;
  EXPECT_EQ(Black, 10);  // max(|dx|, |dy|) pixels
  EXPECT_EQ(C->Pixels(12, 7), clWhite);
  // A clear pen draws nothing but still moves the pen.
  C->Pen()->SetStyle(psClear);
  C->LineTo(0, 19);
  Integer After = 0;
  for (Integer Y = 0; Y < 20; ++Y)
    for (Integer X = 0; X < 20; ++X) After += C->Pixels(X, Y) == clBlack;
  EXPECT_EQ(After, 10);
  EXPECT_EQ(C->PenPos(), Point(0, 19));
}

TEST(GraphicsCanvasLines, PolylineLeavesOutOnlyItsLastPoint) {
  auto B = NewBitmap(10, 10);
  TCanvas* C = B->Canvas();
  C->Pen()->SetColor(clWhite);
  C->Pen()->SetMode(pmXor);  // a corner drawn twice would cancel out
  C->Polyline({Point(1, 1), Point(5, 1), Point(5, 5)});
  EXPECT_NE(C->Pixels(5, 1), clWhite);
  EXPECT_NE(C->Pixels(5, 4), clWhite);
  EXPECT_EQ(C->Pixels(5, 5), clWhite);
}

TEST(GraphicsCanvasLines, DottedPenLeavesGapsAndOpaqueBackgroundFillsThem) {
  auto B = NewBitmap(40, 3);
  TCanvas* C = B->Canvas();
  C->Pen()->SetStyle(psDot);
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetStyle(bsClear);  // transparent background
  C->MoveTo(0, 1);
  C->LineTo(40, 1);
  Integer Black = 0;
  for (Integer X = 0; X < 40; ++X) Black += C->Pixels(X, 1) == clBlack;
  EXPECT_GT(Black, 10);
  EXPECT_LT(Black, 30);
  C->SetBkMode(OPAQUE);
  C->SetBkColor(clRed);
  C->MoveTo(0, 2);
  C->LineTo(40, 2);
  for (Integer X = 0; X < 40; ++X) EXPECT_NE(C->Pixels(X, 2), clWhite) << X;
}

// Lines that start or end far outside the picture, or pass it by, put the same pixels (dash
// phase included) as the same line drawn on a picture large enough to hold all of it.
TEST(GraphicsCanvasLines, ClippedLinesMatchTheLineDrawnWhole) {
  constexpr Integer W = 40, H = 30, Off = 130;
  Cardinal Seed = 99;
  auto Next = [&Seed](Integer Lo, Integer Hi) {
    Seed = Seed * 1103515245u + 12345u;
    return Lo + static_cast<Integer>((Seed >> 8) % static_cast<Cardinal>(Hi - Lo + 1));
  };
  for (TPenStyle Style : {psSolid, psDash, psDashDot}) {
    for (Integer n = 0; n < 80; ++n) {
      const Integer X0 = Next(-120, 160), Y0 = Next(-120, 160), X1 = Next(-120, 160), Y1 = Next(-120, 160);
      auto Small = NewBitmap(W, H);
      auto Big = NewBitmap(W + 2 * Off, H + 2 * Off);
      for (TBitmap* B : {Small.get(), Big.get()}) {
        const Integer D = B == Big.get() ? Off : 0;
        TCanvas* C = B->Canvas();
        C->Pen()->SetStyle(Style);
        C->Pen()->SetColor(clBlack);
        C->SetBkMode(OPAQUE);
        C->SetBkColor(clRed);
        C->MoveTo(X0 + D, Y0 + D);
        C->LineTo(X1 + D, Y1 + D);
      }
      for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X)
          ASSERT_EQ(Small->Canvas()->Pixels(X, Y), Big->Canvas()->Pixels(X + Off, Y + Off))
              << "style " << int(Style) << " line (" << X0 << "," << Y0 << ")-(" << X1 << "," << Y1 << ") at " << X << "," << Y;
    }
  }
}

// Horizontal and vertical lines put each part of their span straight into the rectangles of the
// clip: under a clip of several rectangles they change exactly the pixels of the whole line that
// lie in the clip, in every direction, pen style and mode (XOR shows a pixel written twice).
TEST(GraphicsCanvasLines, AxisLinesUnderAClipOfManyRectanglesMatchTheWholeLineCutByTheClip) {
  struct Row {
    const char* Name;
    Integer X0, Y0, X1, Y1;
  } Rows[] = {{"east", -5, 7, 40, 7},   {"west", 40, 9, -5, 9},   {"south", 6, -3, 6, 30},
              {"north", 13, 30, 13, -3}, {"short east", 3, 4, 9, 4}, {"through the hole", 0, 12, 30, 12}};
  // Two bands with a hole in the middle of the second one: a region of several rectangles.
  auto Clip = [](TCanvas* C) {
    C->IntersectClipRect(Rect(2, 2, 28, 22));
    C->ExcludeClipRect(Rect(10, 0, 14, 8));
    C->ExcludeClipRect(Rect(8, 10, 20, 14));
  };
  for (TPenStyle Style : {psSolid, psDot, psDashDot})
    for (TPenMode Mode : {pmCopy, pmXor})
      for (const Row& R : Rows) {
        auto Clipped = NoiseBitmap(32, 26);
        auto Whole = NoiseBitmap(32, 26);
        const std::vector<Byte> Before = PixelBytes(*Clipped);
        for (TBitmap* B : {Clipped.get(), Whole.get()}) {
          TCanvas* C = B->Canvas();
          if (B == Clipped.get()) Clip(C);
          C->Pen()->SetStyle(Style);
          C->Pen()->SetMode(Mode);
          C->Pen()->SetColor(Mode == pmXor ? clWhite : clBlack);
          C->SetBkMode(OPAQUE);
          C->SetBkColor(clRed);
          C->MoveTo(R.X0, R.Y0);
          C->LineTo(R.X1, R.Y1);
        }
        auto Region = NewBitmap(32, 26);
        Clip(Region->Canvas());
        TRegion Area;
        ASSERT_TRUE(Region->Canvas()->GetClipRgn(Area));
        const std::vector<Byte> Got = PixelBytes(*Clipped), Full = PixelBytes(*Whole);
        for (Integer Y = 0; Y < 26; ++Y)
          for (Integer X = 0; X < 32; ++X) {
            const size_t I = (static_cast<size_t>(Y) * 32 + X) * 4;
            const std::vector<Byte>& Want = Area.Contains(X, Y) ? Full : Before;
            ASSERT_TRUE(std::equal(Got.begin() + I, Got.begin() + I + 3, Want.begin() + I))
                << R.Name << " style " << int(Style) << " mode " << int(Mode) << " at " << X << "," << Y;
          }
      }
}

// The dash phase of an axis line counts from its start, across the clip's rectangles: a dotted
// line (three on, three off; the gaps in the opaque background) under a clip with a hole, written
// out by hand.
TEST(GraphicsCanvasLines, DottedAxisLinesKeepTheirPhaseAcrossAHoleInTheClip) {
  struct Row {
    const char* Name;
    Integer W, H;
    TPoint From, To;
    TRect Hole;
    const char* Expected;
  } Rows[] = {
      {"east", 14, 3, Point(-2, 1), Point(14, 1), Rect(6, 0, 8, 3),
       "..............\nKRRRKK..RRKKKR\n..............\n"},
      {"west", 14, 3, Point(15, 1), Point(-1, 1), Rect(6, 0, 8, 3),
       "..............\nRKKKRR..KKRRRK\n..............\n"},
      {"south", 3, 6, Point(1, -2), Point(1, 6), Rect(0, 3, 3, 4), ".K.\n.R.\n.R.\n...\n.K.\n.K.\n"},
  };
  for (const Row& R : Rows) {
    auto B = NewBitmap(R.W, R.H);
    TCanvas* C = B->Canvas();
    C->ExcludeClipRect(R.Hole);
    C->Pen()->SetStyle(psDot);
    C->Pen()->SetColor(clBlack);
    C->SetBkMode(OPAQUE);
    C->SetBkColor(clRed);
    C->MoveTo(R.From.X, R.From.Y);
    C->LineTo(R.To.X, R.To.Y);
    EXPECT_EQ(Ascii(*B), R.Expected) << R.Name;
  }
}

// A line or focus rectangle a billion pixels long draws only its visible part (it once walked
// every pixel, which froze the program for minutes).
TEST(GraphicsCanvasLines, HugeLinesAndFocusRectanglesDrawTheirVisiblePart) {
  auto B = NewBitmap(20, 20);
  TCanvas* C = B->Canvas();
  C->Pen()->SetColor(clBlack);
  C->MoveTo(-999999999, 5);
  C->LineTo(999999999, 5);
  C->MoveTo(3, -999999999);
  C->LineTo(3, 999999999);
  C->MoveTo(-999999999, -999999999);
  C->LineTo(999999999, 999999999);
  for (Integer X = 0; X < 20; ++X) EXPECT_EQ(C->Pixels(X, 5), clBlack) << X;
  for (Integer Y = 0; Y < 20; ++Y) EXPECT_EQ(C->Pixels(3, Y), clBlack) << Y;
  for (Integer I = 0; I < 20; ++I) EXPECT_EQ(C->Pixels(I, I), clBlack) << I;
  auto F = NewBitmap(20, 20);
  F->Canvas()->DrawFocusRect(Rect(2, 2, 999999999, 999999999));
  EXPECT_NE(F->Canvas()->Pixels(2, 2), clWhite);
  EXPECT_NE(F->Canvas()->Pixels(2, 18), clWhite);
  EXPECT_EQ(F->Canvas()->Pixels(5, 5), clWhite);
}

// ---------------------------------------------------------------------------------------------
// Areas

TEST(GraphicsCanvasAreas, RectangleFillRectAndFrameRectStayInsideTheirBounds) {
  struct Row {
    const char* Name;
    std::function<void(TCanvas*)> Draw;
    const char* Expected;
  } Rows[] = {
      {"FillRect", [](TCanvas* C) { C->FillRect(Rect(1, 1, 5, 4)); },
       "......\n.RRRR.\n.RRRR.\n.RRRR.\n......\n"},
      {"FrameRect (brush colour)", [](TCanvas* C) { C->FrameRect(Rect(1, 1, 5, 4)); },
       "......\n.RRRR.\n.R..R.\n.RRRR.\n......\n"},
      {"Rectangle", [](TCanvas* C) { C->Rectangle(1, 1, 5, 4); },
       "......\n.KKKK.\n.KRRK.\n.KKKK.\n......\n"},
      {"Rectangle, corners swapped", [](TCanvas* C) { C->Rectangle(5, 4, 1, 1); },
       "......\n.KKKK.\n.KRRK.\n.KKKK.\n......\n"},
      {"Rectangle without pen is one pixel short",
       [](TCanvas* C) {
         C->Pen()->SetStyle(psClear);
         C->Rectangle(1, 1, 5, 4);
       },
       "......\n.RRR..\n.RRR..\n......\n......\n"},
      {"Rectangle with a clear brush",
       [](TCanvas* C) {
         C->Brush()->SetStyle(bsClear);
         C->Rectangle(1, 1, 5, 4);
       },
       "......\n.KKKK.\n.K..K.\n.KKKK.\n......\n"},
      {"Rectangle with pen and brush in one colour",
       [](TCanvas* C) {
         C->Pen()->SetColor(clRed);
         C->Rectangle(1, 1, 5, 4);
       },
       "......\n.RRRR.\n.RRRR.\n.RRRR.\n......\n"},
      {"Rectangle in one colour, XOR: every pixel once",
       [](TCanvas* C) {
         C->Pen()->SetColor(clWhite);
         C->Pen()->SetMode(pmXor);
         C->Brush()->SetColor(clWhite);
         C->Rectangle(1, 1, 5, 4);
       },
       "......\n.KKKK.\n.KKKK.\n.KKKK.\n......\n"},
      {"empty FillRect", [](TCanvas* C) { C->FillRect(Rect(3, 3, 3, 5)); },
       "......\n......\n......\n......\n......\n"},
  };
  for (const Row& R : Rows) {
    auto B = NewBitmap(6, 5);
    TCanvas* C = B->Canvas();
    C->Brush()->SetColor(clRed);
    C->Pen()->SetColor(clBlack);
    R.Draw(C);
    EXPECT_EQ(Ascii(*B), R.Expected) << R.Name;
  }
}

TEST(GraphicsCanvasAreas, ShapesStayInsideTheirBoundingBox) {
  struct Row {
    const char* Name;
    std::function<void(TCanvas*)> Draw;
  } Rows[] = {
      {"Ellipse", [](TCanvas* C) { C->Ellipse(4, 4, 20, 14); }},
      {"RoundRect", [](TCanvas* C) { C->RoundRect(4, 4, 20, 14, 6, 6); }},
      {"Polygon", [](TCanvas* C) { C->Polygon({Point(4, 13), Point(12, 4), Point(19, 13)}); }},
      {"Pie", [](TCanvas* C) { C->Pie(4, 4, 20, 14, 20, 9, 12, 4); }},
      {"Arc", [](TCanvas* C) { C->Arc(4, 4, 20, 14, 20, 9, 4, 9); }},
  };
  for (const Row& R : Rows) {
    auto B = NewBitmap(24, 18);
    TCanvas* C = B->Canvas();
    C->Brush()->SetColor(clRed);
    C->Pen()->SetColor(clBlack);
    R.Draw(C);
    Integer Inked = 0;
    TRect Ink(100, 100, -1, -1);
    for (Integer Y = 0; Y < 18; ++Y)
      for (Integer X = 0; X < 24; ++X)
        if (C->Pixels(X, Y) != clWhite) {
          ++Inked;
          Ink = Rect(std::min(Ink.Left, X), std::min(Ink.Top, Y), std::max(Ink.Right, X + 1),
                     std::max(Ink.Bottom, Y + 1));
        }
    EXPECT_GT(Inked, 0) << R.Name;
    EXPECT_GE(Ink.Left, 4) << R.Name;
    EXPECT_GE(Ink.Top, 4) << R.Name;
    EXPECT_LE(Ink.Right, 20) << R.Name;
    EXPECT_LE(Ink.Bottom, 14) << R.Name;
  }
}

TEST(GraphicsCanvasAreas, EllipseTouchesAllFourSidesOfItsBox) {
  auto B = NewBitmap(24, 18);
  TCanvas* C = B->Canvas();
  C->Pen()->SetColor(clBlack);
  C->Ellipse(4, 4, 20, 14);
  EXPECT_EQ(C->Pixels(12, 4), clBlack);
  EXPECT_EQ(C->Pixels(12, 13), clBlack);
  EXPECT_EQ(C->Pixels(4, 9), clBlack);
  EXPECT_EQ(C->Pixels(19, 9), clBlack);
  EXPECT_EQ(C->Pixels(12, 9), clWhite);  // the default brush is white
}

TEST(GraphicsCanvasAreas, PolygonFillRuleDecidesTheInnerPartOfAStar) {
  const std::vector<TPoint> Star{Point(10, 1), Point(16, 19), Point(1, 7), Point(19, 7), Point(4, 19)};
  for (bool Winding : {false, true}) {
    auto B = NewBitmap(21, 21);
    TCanvas* C = B->Canvas();
    C->Brush()->SetColor(clRed);
    C->Pen()->SetStyle(psClear);
    C->Polygon(Star, Winding);
    EXPECT_EQ(C->Pixels(10, 11), Winding ? clRed : clWhite) << (Winding ? "winding" : "alternate");
    EXPECT_EQ(C->Pixels(10, 4), clRed);
  }
}

TEST(GraphicsCanvasAreas, PolygonOutlineCoversEveryCorner) {
  struct Row {
    const char* Name;
    std::vector<TPoint> Points;
  } Rows[] = {
      {"triangle", {Point(3, 2), Point(9, 2), Point(6, 5)}},
      {"diamond", {Point(6, 1), Point(11, 6), Point(6, 11), Point(1, 6)}},
      {"arrow", {Point(2, 9), Point(7, 3), Point(12, 9)}},
  };
  for (const Row& R : Rows) {
    auto B = NewBitmap(14, 14);
    TCanvas* C = B->Canvas();
    C->Pen()->SetColor(clBlack);
    C->Brush()->SetColor(clRed);
    C->Polygon(R.Points);
    for (const TPoint& P : R.Points) EXPECT_EQ(C->Pixels(P.X, P.Y), clBlack) << R.Name;
  }
}

TEST(GraphicsCanvasAreas, PenModesCombinePenAndScreen) {
  const TColor D = 0x00F0C30F, P = 0x00AA55CC;
  struct Row {
    const char* Name;
    TPenMode Mode;
    Integer Expected;
  } Rows[] = {
      {"black", pmBlack, 0},
      {"white", pmWhite, 0xFFFFFF},
      {"nop", pmNop, D},
      {"not", pmNot, ~D & 0xFFFFFF},
      {"copy", pmCopy, P},
      {"not copy", pmNotCopy, ~P & 0xFFFFFF},
      {"merge pen not", pmMergePenNot, (P | ~D) & 0xFFFFFF},
      {"mask pen not", pmMaskPenNot, P & ~D & 0xFFFFFF},
      {"merge not pen", pmMergeNotPen, (~P | D) & 0xFFFFFF},
      {"mask not pen", pmMaskNotPen, ~P & D & 0xFFFFFF},
      {"merge", pmMerge, P | D},
      {"not merge", pmNotMerge, ~(P | D) & 0xFFFFFF},
      {"mask", pmMask, P & D},
      {"not mask", pmNotMask, ~(P & D) & 0xFFFFFF},
      {"xor", pmXor, P ^ D},
      {"not xor", pmNotXor, ~(P ^ D) & 0xFFFFFF},
  };
  for (const Row& R : Rows) {
    auto B = NewBitmap(4, 1, D);
    TCanvas* C = B->Canvas();
    C->Pen()->SetColor(P);
    C->Pen()->SetMode(R.Mode);
    C->MoveTo(0, 0);
    C->LineTo(3, 0);
    EXPECT_EQ(C->Pixels(1, 0), R.Expected) << R.Name;
  }
}

TEST(GraphicsCanvasAreas, FocusRectIsDottedAndDrawingItTwiceRestores) {
  auto B = NoiseBitmap(12, 10);
  const std::vector<Byte> Before = PixelBytes(*B);
  TCanvas* C = B->Canvas();
  const TColor Corner = C->Pixels(2, 2), Next = C->Pixels(3, 2), Inside = C->Pixels(5, 5);
  C->DrawFocusRect(Rect(2, 2, 10, 8));
  EXPECT_EQ(C->Pixels(2, 2), Corner ^ 0xFFFFFF);
  EXPECT_EQ(C->Pixels(3, 2), Next);  // every other pixel
  EXPECT_EQ(C->Pixels(5, 5), Inside);
  C->DrawFocusRect(Rect(2, 2, 10, 8));
  EXPECT_EQ(PixelBytes(*B), Before);
}

TEST(GraphicsCanvasAreas, FloodFillStopsAtTheBorderOrFillsTheSurface) {
  auto B = NewBitmap(10, 10);
  TCanvas* C = B->Canvas();
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(2, 2, 8, 8);
  C->Brush()->SetColor(clRed);
  C->FloodFill(4, 4, clBlack, fsBorder);
  EXPECT_EQ(C->Pixels(4, 4), clRed);
  EXPECT_EQ(C->Pixels(6, 6), clRed);
  EXPECT_EQ(C->Pixels(2, 2), clBlack);
  EXPECT_EQ(C->Pixels(0, 0), clWhite);
  // Filling the white surface outside reaches everything white, not the box.
  C->Brush()->SetColor(clLime);
  C->FloodFill(0, 0, clWhite, fsSurface);
  EXPECT_EQ(C->Pixels(9, 9), clLime);
  EXPECT_EQ(C->Pixels(4, 4), clRed);
  // The same colour as the brush does not loop forever.
  C->FloodFill(0, 0, clLime, fsSurface);
  EXPECT_EQ(C->Pixels(9, 9), clLime);
}

// ---------------------------------------------------------------------------------------------
// Clipping and origin

TEST(GraphicsCanvasClip, ClipRectanglesExclusionsAndSavedStates) {
  auto B = NewBitmap(10, 6);
  TCanvas* C = B->Canvas();
  C->Brush()->SetColor(clRed);
  const Integer Saved = C->SaveDC();
  C->IntersectClipRect(Rect(2, 1, 8, 5));
  C->ExcludeClipRect(Rect(4, 2, 6, 4));
  EXPECT_EQ(C->ClipRect(), Rect(2, 1, 8, 5));
  C->FillRect(Rect(0, 0, 10, 6));
  EXPECT_EQ(Ascii(*B), "..........\n..RRRRRR..\n..RR..RR..\n..RR..RR..\n..RRRRRR..\n..........\n");
  EXPECT_TRUE(C->RestoreDC(Saved));
  EXPECT_FALSE(C->HasClip());
  EXPECT_FALSE(C->RestoreDC(Saved));
  C->FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(C->Pixels(0, 0), clRed);
}

TEST(GraphicsCanvasClip, WindowOriginShiftsDrawingAndClipRectangles) {
  auto B = NewBitmap(8, 4);
  TCanvas* C = B->Canvas();
  C->Brush()->SetColor(clRed);
  C->SetWindowOrg(Point(10, 20));  // logical (10, 20) is pixel (0, 0)
  C->FillRect(Rect(11, 21, 13, 22));
  EXPECT_EQ(C->Pixels(11, 21), clRed);
  C->IntersectClipRect(Rect(10, 20, 12, 24));
  EXPECT_EQ(C->ClipRect(), Rect(10, 20, 12, 24));
  C->SetWindowOrg(Point(0, 0));
  EXPECT_EQ(C->ClipRect(), Rect(0, 0, 2, 4));
  EXPECT_EQ(Ascii(*B), "........\n.RR.....\n........\n........\n");
}

// ---------------------------------------------------------------------------------------------
// A small scene drawn with the GDI rules, compared with a picture written by hand.

TEST(GraphicsCanvasGolden, SceneMatchesTheHandWrittenPictureAndPngIsStable) {
  auto B = NewBitmap(12, 8);
  TCanvas* C = B->Canvas();
  C->Brush()->SetColor(clRed);
  C->FillRect(Rect(1, 1, 4, 3));
  C->Pen()->SetColor(clBlue);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(5, 1, 10, 5);
  C->Pen()->SetColor(clBlack);
  C->MoveTo(0, 7);
  C->LineTo(4, 3);
  C->Brush()->SetColor(clLime);
  C->FrameRect(Rect(6, 5, 12, 8));
  C->SetPixels(11, 0, clYellow);
  EXPECT_EQ(Ascii(*B), ReadText(std::string(KP_FIXTURES_DIR) + "/platform/gui/graphics/scene-12x8.txt"));
  const std::vector<Byte> Png1 = GraphicsBackend::EncodePng(*B);
  const std::vector<Byte> Png2 = GraphicsBackend::EncodePng(*B);
  ASSERT_FALSE(Png1.empty());
  EXPECT_EQ(Png1, Png2);
}

// ---------------------------------------------------------------------------------------------
// Block transfers

TEST(GraphicsCanvasCopy, CopyModesAndOverlappingCopiesWithinOneBitmap) {
  struct Row {
    const char* Name;
    TCopyMode Mode;
    Integer Expected;  // source 0x00FF00FF over destination 0x0000FFFF
  } Rows[] = {{"copy", cmSrcCopy, 0xFF00FF},    {"invert", cmSrcInvert, 0xFF00FF ^ 0x00FFFF},
              {"and", cmSrcAnd, 0xFF00FF & 0x00FFFF}, {"paint", cmSrcPaint, 0xFF00FF | 0x00FFFF},
              {"not copy", cmNotSrcCopy, 0x00FF00}, {"blackness", cmBlackness, 0},
              {"whiteness", cmWhiteness, 0xFFFFFF}, {"destination invert", cmDstInvert, 0xFF0000}};
  for (const Row& R : Rows) {
    auto Src = NewBitmap(2, 2, 0xFF00FF);
    auto Dst = NewBitmap(2, 2, 0x00FFFF);
    Dst->Canvas()->SetCopyMode(R.Mode);
    Dst->Canvas()->CopyRect(Rect(0, 0, 2, 2), Src->Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(Dst->Canvas()->Pixels(1, 1), R.Expected) << R.Name;
  }
  // A bitmap drawn onto itself one pixel to the right and down reads its old pixels.
  auto B = NewBitmap(4, 1);
  B->SetHeight(2);
  for (Integer X = 0; X < 4; ++X) B->Canvas()->SetPixels(X, 0, X == 0 ? clRed : clBlue);
  B->Canvas()->CopyRect(Rect(1, 0, 4, 1), B->Canvas(), Rect(0, 0, 3, 1));
  EXPECT_EQ(B->Canvas()->Pixels(1, 0), clRed);
  EXPECT_EQ(B->Canvas()->Pixels(2, 0), clBlue);
}

TEST(GraphicsCanvasCopy, TransparentBitmapLeavesOutItsBottomLeftColour) {
  auto Glyph = NewBitmap(3, 2, clFuchsia);
  Glyph->Canvas()->SetPixels(1, 0, clBlue);
  Glyph->SetTransparent(true);
  EXPECT_EQ(Glyph->TransparentColor(), clFuchsia);
  auto B = NewBitmap(3, 2, clLime);
  B->Canvas()->Draw(0, 0, Glyph.get());
  EXPECT_EQ(Ascii(*B), "GBG\nGGG\n");
  // A fixed transparent colour overrides the bottom-left pixel.
  Glyph->SetTransparentColor(clBlue);
  EXPECT_EQ(Glyph->TransparentMode(), tmFixed);
  auto D = NewBitmap(3, 2, clLime);
  D->Canvas()->Draw(0, 0, Glyph.get());
  EXPECT_EQ(D->Canvas()->Pixels(0, 0), clFuchsia);
  EXPECT_EQ(D->Canvas()->Pixels(1, 0), clLime);
}

TEST(GraphicsCanvasCopy, StretchDrawScalesAndBrushCopyReplacesAColour) {
  auto Src = NewBitmap(2, 1, clRed);
  Src->Canvas()->SetPixels(1, 0, clBlue);
  auto B = NewBitmap(4, 2);
  B->Canvas()->StretchDraw(Rect(0, 0, 4, 2), Src.get());
  EXPECT_EQ(Ascii(*B), "RRBB\nRRBB\n");
  B->Canvas()->Brush()->SetColor(clLime);
  B->Canvas()->BrushCopy(Rect(0, 0, 2, 1), Src.get(), Rect(0, 0, 2, 1), clBlue);
  EXPECT_EQ(B->Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(B->Canvas()->Pixels(1, 0), clLime);
}

TEST(GraphicsCanvasCopy, OpacityAndAlphaBlendMixColours) {
  auto Src = NewBitmap(1, 1, clWhite);
  auto B = NewBitmap(1, 1, clBlack);
  B->Canvas()->Draw(0, 0, Src.get(), 128);
  EXPECT_EQ(B->Canvas()->Pixels(0, 0), 0x808080);
  // Per-pixel alpha: a half-transparent premultiplied red over blue.
  TBitmap A;
  A.SetPixelFormat(pf32bit);
  A.SetSize(1, 1);
  Byte* P = static_cast<Byte*>(A.ScanLine(0));
  P[0] = 0, P[1] = 0, P[2] = 128, P[3] = 128;
  auto Dst = NewBitmap(1, 1, clBlue);
  EXPECT_TRUE(AlphaBlend(Dst->Canvas(), Rect(0, 0, 1, 1), A.Canvas(), Rect(0, 0, 1, 1), 255, true));
  EXPECT_EQ(Dst->Canvas()->Pixels(0, 0), RGB(128, 0, 127));
}

// ---------------------------------------------------------------------------------------------
// Edges and frame controls

TEST(GraphicsEdges, RaisedEdgeUsesTheSystemColoursAndAdjustShrinks) {
  auto B = NewBitmap(6, 6);
  TRect R = Rect(0, 0, 6, 6);
  EXPECT_TRUE(DrawEdge(B->Canvas(), R, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
  EXPECT_EQ(R, Rect(2, 2, 4, 4));
  TCanvas* C = B->Canvas();
  EXPECT_EQ(C->Pixels(0, 0), ColorToRGB(cl3DLight));
  EXPECT_EQ(C->Pixels(5, 0), ColorToRGB(cl3DDkShadow));  // the top-right corner is dark
  EXPECT_EQ(C->Pixels(0, 5), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(C->Pixels(1, 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(C->Pixels(4, 4), ColorToRGB(clBtnShadow));
  EXPECT_EQ(C->Pixels(2, 3), ColorToRGB(clBtnFace));
  TRect S = Rect(0, 0, 6, 6);
  DrawEdge(C, S, EDGE_SUNKEN, BF_RECT);
  EXPECT_EQ(C->Pixels(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(C->Pixels(5, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(S, Rect(0, 0, 6, 6));  // no BF_ADJUST
}

TEST(GraphicsEdges, FrameControlsAreDeterministicAndArrowsSymmetric) {
  struct Row {
    const char* Name;
    Cardinal Type, State;
  } Rows[] = {{"push", DFC_BUTTON, DFCS_BUTTONPUSH},
              {"push pushed", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED},
              {"check checked", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
              {"radio checked", DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
              {"scroll down", DFC_SCROLL, DFCS_SCROLLDOWN},
              {"combo inactive", DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE},
              {"close box", DFC_CAPTION, DFCS_CAPTIONCLOSE}};
  for (const Row& R : Rows) {
    auto A = NewBitmap(17, 17), B = NewBitmap(17, 17);
    TRect RA = Rect(0, 0, 17, 17), RB = RA;
    EXPECT_TRUE(DrawFrameControl(A->Canvas(), RA, R.Type, R.State)) << R.Name;
    DrawFrameControl(B->Canvas(), RB, R.Type, R.State);
    EXPECT_EQ(PixelBytes(*A), PixelBytes(*B)) << R.Name;
    EXPECT_NE(PixelBytes(*A), PixelBytes(*NewBitmap(17, 17))) << R.Name << " draws something";
  }
  // The down arrow is symmetric about the middle column of the button.
  auto B = NewBitmap(17, 17);
  TRect R = Rect(0, 0, 17, 17);
  DrawFrameControl(B->Canvas(), R, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_FLAT);
  for (Integer Y = 0; Y < 17; ++Y)
    for (Integer X = 0; X < 8; ++X)
      EXPECT_EQ(B->Canvas()->Pixels(X, Y), B->Canvas()->Pixels(16 - X, Y)) << X << "," << Y;
  TRect Adjust = Rect(0, 0, 20, 10);
  DrawFrameControl(B->Canvas(), Adjust, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
  EXPECT_EQ(Adjust, Rect(2, 2, 18, 8));
}
