// The tab strip's free routines: easing, geometry, interpolation, colours, images and bitmaps.
#include <gtest/gtest.h>

#include <cmath>

#include "components/tabs/TabStripUtils.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

// --- Easing -------------------------------------------------------------------------------------

TEST(CalculateEaseTest, KnownValues) {
  struct TCase {
    const char* Name;
    double T, B, C, D;
    TTabStripEaseType Ease;
    double Expected;
  };
  const TCase cases[] = {
      {"linear at the start", 0, 10, 100, 200, ttLinearTween, 10},
      {"in-out quad at half time takes the second half", 100, 10, 100, 200, ttEaseInOutQuad, 60},
      {"in quad at half time", 50, 0, 100, 100, ttEaseInQuad, 25},
      {"none answers 0, not the start", 50, 10, 100, 100, ttNone, 0},
      {"in expo has no special case at the start", 0, 5, 1024, 100, ttEaseInExpo, 6},
      {"out expo has no special case at the end", 100, 0, 1024, 100, ttEaseOutExpo, 1023},
      {"out quad at half time", 50, 0, 100, 100, ttEaseOutQuad, 75},
      {"in-out cubic at a quarter", 25, 0, 100, 100, ttEaseInOutCubic, 6.25},
      {"in-out circ at three quarters", 75, 0, 100, 100, ttEaseInOutCirc, 50 + 50 * std::sqrt(0.75)},
      {"no duration ends at once", 0, 3, 4, 0, ttEaseInQuad, 7},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_NEAR(CalculateEase(c.T, c.B, c.C, c.D, c.Ease), c.Expected, 1e-9);
  }
}

TEST(CalculateEaseTest, EveryCurveRunsFromStartToEndThroughTheMiddleOfTheInOutOnes) {
  for (int e = ttLinearTween; e <= ttEaseInOutCirc; ++e) {
    const auto ease = static_cast<TTabStripEaseType>(e);
    SCOPED_TRACE(e);
    const double start = CalculateEase(0, 10, 80, 400, ease);
    const double end = CalculateEase(400, 10, 80, 400, ease);
    // The exponential curves stop 1/1024 short of their ends.
    EXPECT_NEAR(start, ease == ttEaseInExpo || ease == ttEaseInOutExpo ? 10 + 80.0 / 1024 / (ease == ttEaseInOutExpo ? 2 : 1) : 10, 1e-9);
    EXPECT_NEAR(end, ease == ttEaseOutExpo || ease == ttEaseInOutExpo ? 90 - 80.0 / 1024 / (ease == ttEaseInOutExpo ? 2 : 1) : 90, 1e-9);
    const bool inOut = ease == ttEaseInOutQuad || ease == ttEaseInOutCubic || ease == ttEaseInOutQuart ||
                       ease == ttEaseInOutQuint || ease == ttEaseInOutSine || ease == ttEaseInOutExpo ||
                       ease == ttEaseInOutCirc;
    if (inOut) {
      EXPECT_NEAR(CalculateEase(200, 10, 80, 400, ease), 50, 1e-9);
    }
  }
}

TEST(CalculateEaseTest, AnUnknownEaseTypeFailsTheAssertion) {
  try {
    CalculateEase(1, 0, 1, 2, static_cast<TTabStripEaseType>(99));
    FAIL() << "no error";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), u"Invalid Ease Type");
  }
}

TEST(TransformRectTest, RoundsEachEdgeToTheEvenNeighbourOnTies) {
  // Halfway with a linear ease: 12.5 becomes 12, 13.5 becomes 14.
  const TRect r = TransformRect(TRect(0, 0, 0, 0), TRect(25, 27, -25, 100), 1, 2, ttLinearTween);
  EXPECT_EQ(r, TRect(12, 14, -12, 50));
  EXPECT_EQ(TransformRect(TRect(0, 0, 10, 10), TRect(20, 0, 30, 10), 300, 300, ttEaseOutCubic),
            TRect(20, 0, 30, 10));
}

// --- Geometry -----------------------------------------------------------------------------------

TEST(GeometryTest, MirroringAndPlacingPolygons) {
  EXPECT_EQ(HorzFlipRect(TRect(0, 0, 100, 50), TRect(10, 5, 30, 20)), TRect(70, 5, 90, 20));
  TPolygon poly = {TPoint(10, 1), TPoint(30, 2)};
  TPolygon& same = HorzFlipPolygon(TRect(0, 0, 100, 50), poly);
  EXPECT_EQ(&same, &poly);
  EXPECT_EQ(poly, (TPolygon{TPoint(90, 1), TPoint(70, 2)}));
  const TPolygon offsets = {TPoint(3, 2)};
  EXPECT_EQ(GeneratePolygon(TRect(10, 10, 50, 40), offsets, toTop), (TPolygon{TPoint(13, 12)}));
  EXPECT_EQ(GeneratePolygon(TRect(10, 10, 50, 40), offsets, toBottom), (TPolygon{TPoint(13, 38)}));
  EXPECT_EQ(ContractRect(TRect(10, 10, 50, 40), 4), TRect(14, 14, 46, 36));
  EXPECT_EQ(ContractRect(TRect(10, 10, 50, 40), -2), TRect(8, 8, 52, 42));
  EXPECT_TRUE(SameRect(TRect(1, 2, 3, 4), TRect(1, 2, 3, 4)));
  EXPECT_FALSE(SameRect(TRect(1, 2, 3, 4), TRect(1, 2, 3, 5)));
  EXPECT_EQ(RectWidth(TRect(5, 0, 2, 9)), -3);
  EXPECT_EQ(RectHeight(TRect(5, 1, 2, 9)), 8);
}

TEST(GeometryTest, PointInPolygonCountsLeftAndTopEdgesInside) {
  const TPolygon square = {TPoint(0, 0), TPoint(10, 0), TPoint(10, 10), TPoint(0, 10)};
  struct TCase {
    const char* Name;
    Integer X, Y;
    bool Inside;
  };
  const TCase cases[] = {
      {"top-left corner", 0, 0, true},  {"left edge", 0, 5, true},     {"top edge", 5, 0, true},
      {"centre", 5, 5, true},           {"right edge", 10, 5, false},  {"bottom edge", 5, 10, false},
      {"outside", -1, 5, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(PointInPolygon(square, c.X, c.Y), c.Inside);
  }
  EXPECT_FALSE(PointInPolygon(TPolygon(), 0, 0));
  // A tab-shaped outline: the slanted sides are honoured.
  const TPolygon tab = {TPoint(0, 20), TPoint(10, 0), TPoint(40, 0), TPoint(50, 20)};
  EXPECT_FALSE(PointInPolygon(tab, 2, 5));
  EXPECT_TRUE(PointInPolygon(tab, 8, 15));
}

// --- Interpolation and colours ------------------------------------------------------------------

TEST(InterpolationTest, IntegersTruncateTowardsZeroPerPercent) {
  EXPECT_EQ(IntegerBetween(10, 0, 55), 5);  // -550 div 100 = -5
  EXPECT_EQ(IntegerBetween(0, 10, 55), 5);
  EXPECT_EQ(IntegerBetween(7, 200, 100), 200);
  EXPECT_FLOAT_EQ(SingleBetween(1.0f, 2.0f, 25), 1.25f);
  EXPECT_EQ(ColorBetween(0x000000, 0x0000FF, 50), 0x00007F);
  EXPECT_EQ(ColorBetween(0x0000FF, 0x000000, 50), 0x000080);
  EXPECT_EQ(ColorBetween(0x102030, 0x302010, 100), 0x302010);
  // System colours are not resolved: their three low bytes count, the top byte goes.
  EXPECT_EQ(ColorBetween(clBtnFace, clBtnFace, 0), 0x00000F);
}

TEST(InterpolationTest, GdiPlusColoursResolveSystemColours) {
  EXPECT_EQ(MakeGDIPColor(0x0000FF, 255), 0xFFFF0000u);
  EXPECT_EQ(MakeGDIPColor(0x123456, 0x80), 0x80563412u);
  const Integer face = GetSysColor(15);
  EXPECT_EQ(MakeGDIPColor(clBtnFace, 0), MakeColor(0, GetRValue(face), GetGValue(face), GetBValue(face)));
  const TGPRectF f = RectToGPRectF(TRect(1, 2, 11, 7));
  EXPECT_FLOAT_EQ(f.X, 1);
  EXPECT_FLOAT_EQ(f.Width, 10);
  EXPECT_FLOAT_EQ(f.Height, 5);
  const TGPRect i = RectToGPRect(TRect(1, 2, 11, 7));
  EXPECT_EQ(i.Width, 10);
  EXPECT_EQ(PointToGPPoint(TPoint(3, 4)).Y, 4);
}

// --- Bitmaps and images -------------------------------------------------------------------------

TBitmap* Bitmap32(Integer Width, Integer Height) {
  auto* b = new TBitmap();
  b->SetPixelFormat(pf32bit);
  b->SetSize(Width, Height);
  return b;
}

TEST(BitmapTest, ColourKeyBecomesPremultipliedAlpha) {
  std::unique_ptr<TBitmap> b(Bitmap32(2, 1));
  auto* row = static_cast<Byte*>(b->ScanLine(0));
  const Byte pixels[8] = {0xFF, 0xFE, 0xFF, 0xFF, 0x10, 0x20, 0x30, 0xFF};  // key, other
  std::copy(pixels, pixels + 8, row);
  SetBitmapColorAlpha(b.get(), 0xFFFEFF, 128);
  row = static_cast<Byte*>(b->ScanLine(0));
  EXPECT_EQ(row[0], 0x80);  // 255 * 128 div 255
  EXPECT_EQ(row[1], 0x7F);  // 254 * 128 div 255
  EXPECT_EQ(row[2], 0x80);
  EXPECT_EQ(row[3], 128);
  EXPECT_EQ(std::vector<Byte>(row + 4, row + 8), std::vector<Byte>(pixels + 4, pixels + 8));
  SetBitmapColorAlpha(b.get(), 0x302010, 0);  // bits 16..23 are the red byte
  EXPECT_EQ(row[4], 0);
  EXPECT_EQ(row[7], 0);
}

TEST(BitmapTest, AlphaConversionMakesEveryPixelOpaque) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(3, 2);
  b.Canvas()->Brush()->SetColor(0x123456);
  b.Canvas()->FillRect(TRect(0, 0, 3, 2));
  ConvertToAlphaBitmap(&b);
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  for (Integer y = 0; y < 2; ++y) {
    const auto* row = static_cast<const Byte*>(b.ScanLine(y));
    for (Integer x = 0; x < 3; ++x) {
      EXPECT_EQ(row[x * 4 + 3], 255);
      EXPECT_EQ(row[x * 4 + 2], 0x56);  // red
    }
  }
}

TEST(BitmapTest, ScalingRoundsTheSizeAndMakesBoth24Bit) {
  struct TCase {
    const char* Name;
    double Factor;
    Integer Width, Height;
  };
  const TCase cases[] = {{"half", 0.5, 5, 2}, {"quarter ties to even", 0.25, 2, 1}, {"double", 2, 20, 8}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::unique_ptr<TBitmap> source(Bitmap32(10, 4));
    TBitmap dest;
    ScaleBitmap(source.get(), &dest, c.Factor);
    EXPECT_EQ(dest.Width(), c.Width);
    EXPECT_EQ(dest.Height(), c.Height);
    EXPECT_EQ(dest.PixelFormat(), pf24bit);
    EXPECT_EQ(source->PixelFormat(), pf24bit);
  }
}

TEST(ImageTest, ImageListImagesKeepTheirSize) {
  TImageList list(nullptr, 16, 12);
  std::unique_ptr<TBitmap> strip(Bitmap32(32, 12));
  list.Add(strip.get(), nullptr);
  ASSERT_EQ(list.Count(), 2);
  std::unique_ptr<TGPImage> image = ImageListToGPImage(&list, 1);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetWidth(), 16);
  EXPECT_EQ(image->GetHeight(), 12);
  EXPECT_EQ(ImageListToGPImage(&list, 2), nullptr);
  EXPECT_EQ(ImageListToGPImage(nullptr, 0), nullptr);
}

TEST(ClipTest, ClipPolygonLimitsDrawing) {
  std::unique_ptr<TBitmap> b(Bitmap32(20, 20));
  TGPGraphics g(b.get());
  SetClipPolygon(&g, {TPoint(0, 0), TPoint(10, 0), TPoint(10, 10), TPoint(0, 10)}, CombineModeReplace);
  TGPSolidBrush brush(0xFFFF0000);
  g.FillRectangle(&brush, TGPRect{0, 0, 20, 20});
  EXPECT_EQ(static_cast<const Byte*>(b->ScanLine(5))[5 * 4 + 3], 255);
  EXPECT_EQ(static_cast<const Byte*>(b->ScanLine(15))[15 * 4 + 3], 0);
  SetClipPolygon(&g, {TPoint(0, 0), TPoint(20, 0), TPoint(20, 20), TPoint(0, 20)}, CombineModeReplace);
  SetClipPolygon(&g, {TPoint(0, 0), TPoint(10, 0), TPoint(10, 10), TPoint(0, 10)}, CombineModeExclude);
  TGPSolidBrush blue(0xFF0000FF);
  g.FillRectangle(&blue, TGPRect{0, 0, 20, 20});
  EXPECT_EQ(static_cast<const Byte*>(b->ScanLine(5))[5 * 4 + 0], 0);     // still red
  EXPECT_EQ(static_cast<const Byte*>(b->ScanLine(15))[15 * 4 + 0], 255);  // blue now
}

// --- Windows ------------------------------------------------------------------------------------

TEST(WindowTest, ParentBackgroundIsPaintedAtTheControlsPlace) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 100, 60);
  panel->SetColor(0x00FF00);
  auto* child = new TPanel(&form);
  child->SetParent(panel);
  child->SetBounds(80, 10, 40, 20);  // sticks out of the panel on the right
  TBitmap canvas;
  canvas.SetPixelFormat(pf24bit);
  canvas.SetSize(40, 20);
  canvas.Canvas()->Brush()->SetColor(clBlack);
  canvas.Canvas()->FillRect(TRect(0, 0, 40, 20));
  DrawParentBackground(child, canvas.Canvas());
  EXPECT_EQ(canvas.Canvas()->Pixels(5, 5), 0x00FF00);
  EXPECT_EQ(canvas.Canvas()->Pixels(30, 5), clBlack);  // beyond the parent's client area
  TBitmap untouched;
  untouched.SetSize(2, 2);
  TPanel orphan(nullptr);
  DrawParentBackground(&orphan, untouched.Canvas());  // no parent: nothing to do
}

TEST(WindowTest, AlphaBlendFormTakesTheBitmapsSize) {
  TForm owner(nullptr);
  std::unique_ptr<TBitmap> b(Bitmap32(30, 12));
  TCustomForm* form = CreateAlphaBlendForm(&owner, b.get(), 200);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Owner(), &owner);
  EXPECT_EQ(form->ClientWidth(), 30);
  EXPECT_EQ(form->ClientHeight(), 12);
  EXPECT_EQ(form->BorderStyle(), bsNone);
  EXPECT_FALSE(form->Visible());
}

// The drag image: a key-coloured pixel made transparent, a plain one, and one half covered by its
// own alpha (premultiplied), shown with a constant alpha of 200.
TEST(WindowTest, AlphaBlendFormIsTranslucentPerPixelWhereTheDisplayComposites) {
  std::unique_ptr<TBitmap> b(Bitmap32(3, 1));
  auto* row = static_cast<Byte*>(b->ScanLine(0));
  const Byte pixels[12] = {0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x80, 0x00, 0x00, 0x80};
  std::copy(pixels, pixels + 12, row);
  b->ImageChanged();
  SetBitmapColorAlpha(b.get(), static_cast<TColor>(0xFFFEFF), 0);
  struct Case {
    const char* Name;
    bool Composites;
    Cardinal Key, Red, HalfBlue;  // PixelARGB of the three pixels (alpha only where it varies)
  };
  const Case cases[] = {
      {"a compositing display", true, 0x00000000u, 0xC8FF0000u, 0x640000FFu},
      {"no compositing: opaque, blended over the form", false, 0xFF000000u, 0xFF000000u, 0xFF000000u},
  };
  for (const Case& c : cases) {
    TestHarness::SetDisplayComposites(c.Composites);
    TForm owner(nullptr);
    TCustomForm* form = CreateAlphaBlendForm(&owner, b.get(), 200);
    form->SetBounds(40, 40, form->Width(), form->Height());
    form->Show();
    TestHarness::ProcessEvents();
    EXPECT_EQ(form->ClientWidth(), 3) << c.Name;
    if (c.Composites) {
      EXPECT_EQ(TestHarness::PixelARGB(form, 0, 0), c.Key) << c.Name << ": the key colour lets all show";
      const Cardinal red = TestHarness::PixelARGB(form, 1, 0);
      EXPECT_NEAR(static_cast<int>(red >> 24), 200, 1) << c.Name;
      EXPECT_EQ(red & 0xFFFFFF, c.Red & 0xFFFFFF) << c.Name;
      const Cardinal half = TestHarness::PixelARGB(form, 2, 0);
      EXPECT_NEAR(static_cast<int>(half >> 24), 100, 2) << c.Name << ": its own alpha times the constant";
      EXPECT_NEAR(static_cast<int>(half & 0xFF), 0xFF, 3) << c.Name;
    } else {
      for (Integer x = 0; x < 3; ++x)
        EXPECT_EQ(TestHarness::PixelARGB(form, x, 0) & 0xFF000000u, c.Key) << c.Name << " at " << x;
    }
    form->Hide();
  }
  TestHarness::SetDisplayComposites(std::nullopt);
}

}  // namespace
