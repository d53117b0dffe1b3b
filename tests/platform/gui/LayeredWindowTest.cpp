// Window shapes and layered windows: regions, constant alpha, colour keys and per-pixel alpha, as
// the window system composes the windows; transparent child windows over what lies beneath them.
#include <gtest/gtest.h>

#include <functional>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

Byte AlphaAt(TControl* c, Integer x, Integer y) { return static_cast<Byte>(TestHarness::PixelARGB(c, x, y) >> 24); }

// A borderless yellow form of 40 x 20, shown.
class Bare : public ::testing::Test {
 protected:
  void SetUp() override {
    F->SetBorderStyle(bsNone);
    F->SetBounds(100, 100, 40, 20);
    F->SetColor(clYellow);
    TestHarness::ShowForm(F.Form);
  }
  HWND H() { return F->Handle(); }
  FormHolder F;
};

TEST_F(Bare, AShapeShowsOnlyItsPixelsUntilItIsRemoved) {
  TRegion shape(Rect(0, 0, 10, 10));
  shape.Union(Rect(30, 10, 40, 20));
  ASSERT_NE(SetWindowRgn(H(), &shape, true), 0);
  TestHarness::ProcessEvents();
  EXPECT_EQ(TestHarness::PixelARGB(F.Form, 5, 5), 0xFFFFFF00u);
  EXPECT_EQ(AlphaAt(F.Form, 35, 15), 255);
  EXPECT_EQ(AlphaAt(F.Form, 20, 5), 0);
  TRegion back;
  ASSERT_TRUE(GetWindowRgn(H(), back));
  EXPECT_TRUE(back.SameArea(shape));
  SetWindowRgn(H(), nullptr, true);
  EXPECT_FALSE(GetWindowRgn(H(), back));
  EXPECT_EQ(AlphaAt(F.Form, 20, 5), 255);
  EXPECT_EQ(SetWindowRgn(0, &shape, true), 0) << "no window";
}

TEST(WindowShape, AFramedFormsShapeCountsFromItsOuterCorner) {
  FormHolder f;
  f->SetBorderStyle(bsSingle);
  TestHarness::ShowForm(f.Form);
  const TRect fr = f->FrameSize();
  TRegion shape(Rect(0, 0, fr.Left + 10, fr.Top + 10));
  SetWindowRgn(f->Handle(), &shape, false);
  EXPECT_EQ(AlphaAt(f.Form, 5, 5), 255);
  EXPECT_EQ(AlphaAt(f.Form, 15, 5), 0);
  EXPECT_EQ(AlphaAt(f.Form, 5, 15), 0);
}

TEST_F(Bare, ConstantAlphaAppliesToTheWholeWindow) {
  ASSERT_TRUE(SetLayeredWindowAttributes(H(), 0, 128, LWA_ALPHA));
  EXPECT_EQ(AlphaAt(F.Form, 5, 5), 128);
  TColor key = 1;
  Byte alpha = 0;
  Cardinal flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(H(), &key, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(flags, LWA_ALPHA);
  SetLayeredWindowAttributes(H(), 0, 128, 0);
  EXPECT_EQ(AlphaAt(F.Form, 5, 5), 255) << "without LWA_ALPHA the alpha is not used";
}

TEST_F(Bare, AFormWhoseColourIsTheKeyShowsOnlyItsControls) {
  auto* child = new TRecorder(F.Form);
  child->SetParent(F.Form);
  child->SetBounds(20, 0, 20, 20);
  child->SetColor(clBlue);
  ASSERT_TRUE(SetLayeredWindowAttributes(H(), clYellow, 255, LWA_COLORKEY));
  TestHarness::ProcessEvents();
  EXPECT_EQ(AlphaAt(F.Form, 5, 5), 0);
  EXPECT_EQ(TestHarness::PixelARGB(F.Form, 30, 10), 0xFF0000FFu);
}

// A popup that paints a fuchsia background with a black square.
class TKeyedPopup : public THintWindow {
 public:
  using THintWindow::THintWindow;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(clFuchsia);
    Canvas()->FillRect(ClientRect());
    Canvas()->Brush()->SetColor(clBlack);
    Canvas()->FillRect(Rect(2, 2, 8, 8));
  }
};

TEST(LayeredWindow, AColourKeyMakesAPopupsPixelsOfThatColourTransparent) {
  TKeyedPopup popup(nullptr);
  popup.ActivateHint(Rect(200, 200, 220, 210), u"");
  TestHarness::ProcessEvents();
  EXPECT_EQ(AlphaAt(&popup, 15, 5), 255);
  ASSERT_TRUE(SetLayeredWindowAttributes(popup.Handle(), clFuchsia, 255, LWA_COLORKEY));
  TestHarness::ProcessEvents();
  EXPECT_EQ(TestHarness::PixelARGB(&popup, 5, 5), 0xFF000000u);
  EXPECT_EQ(AlphaAt(&popup, 15, 5), 0);
  popup.ReleaseHint();
}

// A 32-bit bitmap of premultiplied pixels (B, G, R, A).
void Put32(TBitmap& b, Integer x, Integer y, Byte B, Byte G, Byte R, Byte A) {
  auto* p = static_cast<Byte*>(b.ScanLine(y)) + x * 4;
  p[0] = B;
  p[1] = G;
  p[2] = R;
  p[3] = A;
}

TEST_F(Bare, UpdateLayeredWindowShowsTheImageWithItsAlpha) {
  TBitmap src;
  src.SetPixelFormat(pf32bit);
  src.SetSize(3, 1);
  Put32(src, 0, 0, 0, 0, 255, 255);  // red
  Put32(src, 1, 0, 0, 0, 128, 128);  // red at half alpha
  Put32(src, 2, 0, 0, 0, 0, 0);      // nothing
  const TSize size(3, 1);
  const TPoint from(0, 0), to(300, 310);
  BLENDFUNCTION blend;
  blend.AlphaFormat = AC_SRC_ALPHA;
  struct Row {
    const char* Name;
    Byte Constant;
    Cardinal Flags;
    Cardinal P0, P1, P2;
  };
  const Row rows[] = {
      {"per-pixel alpha", 255, ULW_ALPHA, 0xFFFF0000u, 0x80FF0000u, 0u},
      {"per-pixel and constant alpha", 128, ULW_ALPHA, 0x80FF0000u, 0x40FF0000u, 0u},
      {"opaque", 255, ULW_OPAQUE, 0xFFFF0000u, 0xFF800000u, 0xFF000000u},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    blend.SourceConstantAlpha = r.Constant;
    ASSERT_TRUE(UpdateLayeredWindow(H(), nullptr, &to, &size, src.Canvas(), &from, 0, &blend, r.Flags));
    TestHarness::ProcessEvents();
    EXPECT_EQ(F->BoundsRect(), Rect(300, 310, 303, 311));
    const Cardinal got[3] = {TestHarness::PixelARGB(F.Form, 0, 0), TestHarness::PixelARGB(F.Form, 1, 0),
                             TestHarness::PixelARGB(F.Form, 2, 0)};
    const Cardinal want[3] = {r.P0, r.P1, r.P2};
    for (int i = 0; i < 3; ++i) {
      // Straight colours from premultiplied ones may differ by one step.
      for (int shift : {0, 8, 16, 24})
        EXPECT_NEAR(static_cast<int>((got[i] >> shift) & 0xFF), static_cast<int>((want[i] >> shift) & 0xFF), 1)
            << "pixel " << i << " byte " << shift / 8;
    }
  }
}

TEST_F(Bare, UpdateLayeredWindowWithAColourKeyLeavesThatColourOut) {
  TBitmap src;
  src.SetPixelFormat(pf24bit);
  src.SetSize(2, 1);
  src.Canvas()->SetPixels(0, 0, clFuchsia);
  src.Canvas()->SetPixels(1, 0, clLime);
  const TSize size(2, 1);
  ASSERT_TRUE(UpdateLayeredWindow(H(), nullptr, nullptr, &size, src.Canvas(), nullptr, clFuchsia, nullptr,
                                  ULW_COLORKEY));
  TestHarness::ProcessEvents();
  EXPECT_EQ(F->BoundsRect(), Rect(100, 100, 102, 101)) << "no position: the window stays where it was";
  EXPECT_EQ(TestHarness::PixelARGB(F.Form, 0, 0), 0u);
  EXPECT_EQ(TestHarness::PixelARGB(F.Form, 1, 0), 0xFF00FF00u);
  EXPECT_FALSE(UpdateLayeredWindow(0, nullptr, nullptr, &size, src.Canvas(), nullptr, 0, nullptr, 0));
}

// --- Transparent windows ---------------------------------------------------------------------------

// A control that paints upright stripes 3 pixels wide, First and Second by turns.
class TStripes : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  TColor First = clRed, Second = clBlue;
  TColor At(Integer X) const { return (X / 3) % 2 ? Second : First; }

 protected:
  void Paint() override {
    for (Integer x = 0; x < Width(); x += 3) {
      Canvas()->Brush()->SetColor(At(x));
      Canvas()->FillRect(Rect(x, 0, x + 3, Height()));
    }
  }
};

// A transparent window that draws only a black mark of 4 x 4 in its top-left corner.
class TGlass : public TCustomControl {
 public:
  explicit TGlass(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clWhite);
    SetTransparentWindow(true);
  }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(clBlack);
    Canvas()->FillRect(Rect(0, 0, 4, 4));
  }
};

// On a shown form: a striped box; on it, bottom first, a yellow shape (no window), a green box, the
// transparent window Glass over part of both and a grey box over Glass's lower right corner. A second
// transparent window sits on the form itself.
struct TGlassScene {
  FormHolder F;
  TStripes* Box = new TStripes(F.Form);
  TShape* Dot = new TShape(F.Form);
  TCustomControl* Below = new TCustomControl(F.Form);
  TGlass* Glass = new TGlass(F.Form);
  TCustomControl* Cover = new TCustomControl(F.Form);
  TGlass* OnForm = new TGlass(F.Form);

  TGlassScene() {
    F->SetColor(clSilver);
    Box->SetParent(F.Form);
    Box->SetBounds(0, 0, 120, 60);
    auto place = [this](TControl* c, Integer l, Integer t, Integer w, Integer h) {
      c->SetParent(Box);
      c->SetBounds(l, t, w, h);
    };
    place(Dot, 70, 30, 10, 10);
    Dot->Brush()->SetColor(clYellow);
    place(Below, 40, 10, 20, 20);
    Below->SetColor(clGreen);
    place(Glass, 30, 5, 60, 40);
    place(Cover, 80, 30, 20, 20);
    Cover->SetColor(clGray);
    OnForm->SetParent(F.Form);
    OnForm->SetBounds(130, 5, 20, 20);
    TestHarness::ShowForm(F.Form);
  }
  // What Glass shows at a point of its own, from the box's stripes there.
  TColor Stripes(Integer X) const { return Box->At(Glass->Left() + X); }
};

TEST(TransparentWindow, ShowsWhatItsParentAndTheControlsBelowItPaintBeneathItsOwnDrawing) {
  TGlassScene s;
  struct Probe {
    const char* Name;
    TPoint At;  // in Glass
    TColor Want;
  };
  const Probe probes[] = {
      {"its own drawing", TPoint(1, 1), clBlack},
      {"the parent's painting", TPoint(5, 2), s.Stripes(5)},
      {"a windowed control below", TPoint(15, 10), clGreen},
      {"a control without a window below", TPoint(45, 30), clYellow},
      {"not a control above", TPoint(55, 30), s.Stripes(55)},
  };
  for (const Probe& p : probes) EXPECT_EQ(TestHarness::Pixel(s.Glass, p.At.X, p.At.Y), p.Want) << p.Name;
  EXPECT_EQ(TestHarness::Pixel(s.OnForm, 10, 10), clSilver) << "a form's colour";
  // Painted while the form is grabbed: the same picture.
  s.Glass->Invalidate();
  EXPECT_EQ(TestHarness::Pixel(s.F.Form, 35, 7), s.Stripes(5));
  EXPECT_EQ(TestHarness::Pixel(s.F.Form, 45, 15), clGreen);
  // Switched off, the window paints its colour again.
  s.Glass->SetTransparentWindow(false);
  TestHarness::ProcessEvents();
  EXPECT_EQ(TestHarness::Pixel(s.Glass, 5, 2), clWhite);
}

TEST(TransparentWindow, RepaintsWhenWhatLiesBeneathItChanges) {
  struct Row {
    const char* Name;
    std::function<void(TGlassScene&)> Change;
    std::function<TControl*(TGlassScene&)> Window;
    TPoint At;
    std::function<TColor(TGlassScene&)> Want;
  };
  auto glass = [](TGlassScene& s) -> TControl* { return s.Glass; };
  const Row rows[] = {
      {"the parent repaints",
       [](TGlassScene& s) {
         s.Box->First = clFuchsia;
         s.Box->Second = clAqua;
         s.Box->Invalidate();
       },
       glass, TPoint(5, 2), [](TGlassScene& s) { return s.Stripes(5); }},
      {"a part of the parent repaints",
       [](TGlassScene& s) {
         s.Box->First = s.Box->Second = clFuchsia;
         s.Box->InvalidateClientRect(Rect(30, 0, 40, 10));
       },
       glass, TPoint(5, 2), [](TGlassScene&) { return clFuchsia; }},
      {"a control below repaints", [](TGlassScene& s) { s.Below->SetColor(clAqua); }, glass, TPoint(15, 10),
       [](TGlassScene&) { return clAqua; }},
      {"a control without a window below repaints", [](TGlassScene& s) { s.Dot->Brush()->SetColor(clLime); },
       glass, TPoint(45, 30), [](TGlassScene&) { return clLime; }},
      {"a control below moves away", [](TGlassScene& s) { s.Below->SetBounds(0, 30, 20, 20); }, glass,
       TPoint(15, 10), [](TGlassScene& s) { return s.Stripes(15); }},
      {"a control below is hidden", [](TGlassScene& s) { s.Below->SetVisible(false); }, glass, TPoint(15, 10),
       [](TGlassScene& s) { return s.Stripes(15); }},
      {"a control is sent below it", [](TGlassScene& s) { s.Cover->SendToBack(); }, glass, TPoint(55, 30),
       [](TGlassScene&) { return clGray; }},
      {"the window moves", [](TGlassScene& s) { s.Glass->SetLeft(s.Glass->Left() + 3); }, glass, TPoint(5, 2),
       [](TGlassScene& s) { return s.Stripes(5); }},
      {"the form's colour changes", [](TGlassScene& s) { s.F->SetColor(clTeal); },
       [](TGlassScene& s) -> TControl* { return s.OnForm; }, TPoint(10, 10),
       [](TGlassScene&) { return clTeal; }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    TGlassScene s;
    TestHarness::ProcessEvents();
    const TColor before = TestHarness::Pixel(r.Window(s), r.At.X, r.At.Y);
    r.Change(s);
    TestHarness::ProcessEvents();
    const TColor want = r.Want(s);
    ASSERT_NE(before, want) << "the change must show";
    EXPECT_EQ(TestHarness::Pixel(r.Window(s), r.At.X, r.At.Y), want);
  }
}

}  // namespace
