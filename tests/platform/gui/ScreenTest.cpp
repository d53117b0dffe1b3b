// What a form shows: a self-painted control matches its hand-written golden pixels, the grab of a
// whole form with stock controls and a modal child is the same bytes every time, drawing outside
// Paint shows, and a real window opens where a display exists.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/gui/ControlsBackend.h"
#include "platform/gui/FormsBackend.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

class TProbe : public TCustomControl {
 public:
  explicit TProbe(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 16, 10);
    SetTabStop(true);
  }
  String ClassName() const override { return u"TProbe"; }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, 16, 10));
    c->Brush()->SetColor(clBlack);
    c->FrameRect(Rect(0, 0, 16, 10));
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(2, 2, 6, 6));
    c->Pen()->SetColor(clBlue);
    c->MoveTo(8, 2);
    c->LineTo(8, 8);
    c->Pen()->SetColor(clLime);
    c->MoveTo(10, 7);
    c->LineTo(14, 7);
    c->SetPixels(12, 3, clYellow);
  }
};

std::vector<std::string> ReadGolden(const std::string& name) {
  std::ifstream in(std::string(KP_FIXTURES_DIR) + "/platform/gui/" + name);
  std::vector<std::string> rows;
  std::string line;
  while (std::getline(in, line))
    if (!line.empty() && line[0] != '#') rows.push_back(line);
  return rows;
}

TColor ColorOfLetter(char c) {
  switch (c) {
    case 'K': return clBlack;
    case 'W': return clWhite;
    case 'R': return clRed;
    case 'B': return clBlue;
    case 'G': return clLime;
    case 'Y': return clYellow;
    default: return clNone;
  }
}

// The dialog of these tests: a probe, a label, an edit, a check box and two buttons.
class TShowcase : public TForm {
 public:
  TShowcase() : TForm(Application) {
    SetCaption(u"Showcase");
    SetBorderStyle(bsSingle);
    SetClientWidth(240);
    SetClientHeight(120);
    SetColor(0x00EDF7F8);
    Font()->SetName(u"Verdana");
    Font()->SetHeight(-11);
    Probe = Add<TProbe>(10, 10);
    auto* l = Add<TLabel>(40, 10);
    l->SetCaption(u"IP Address");
    Edit = Add<TEdit>(40, 30);
    Edit->SetText(u"192.168.0.10");
    auto* cb = Add<TCheckBox>(40, 60);
    cb->SetCaption(u"Gateway");
    cb->SetChecked(true);
    auto* ok = Add<TButton>(70, 88);
    ok->SetCaption(u"OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = Add<TButton>(155, 88);
    cancel->SetCaption(u"Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    AfterConstruction();
  }
  String ClassName() const override { return u"TShowcase"; }
  template <class T>
  T* Add(Integer left, Integer top) {
    T* c = new T(this);
    c->SetParent(this);
    c->SetLeft(left);
    c->SetTop(top);
    return c;
  }
  TProbe* Probe;
  TEdit* Edit;
};

TEST(Screen, ASelfPaintedControlMatchesItsGoldenPixels) {
  TShowcase* f = new TShowcase;
  TestHarness::ShowForm(f);
  std::vector<std::string> rows = ReadGolden("probe-16x10.txt");
  ASSERT_EQ(rows.size(), 10u);
  for (Integer y = 0; y < 10; ++y)
    for (Integer x = 0; x < 16; ++x)
      EXPECT_EQ(TestHarness::Pixel(f->Probe, x, y), ColorOfLetter(rows[static_cast<size_t>(y)][static_cast<size_t>(x)]))
          << "pixel (" << x << ", " << y << ")";
  TComponent::Free(f);
}

std::vector<Byte> ShowcaseGrab(std::vector<Byte>* child) {
  TShowcase* f = new TShowcase;
  TShowcase* modal = new TShowcase;
  modal->SetCaption(u"Modal child");
  TestHarness::ShowForm(f);
  f->Probe->SetFocus();
  TestHarness::ProcessEvents();
  std::vector<Byte> png = TestHarness::GrabPngBytes(f);
  TestHarness::ExpectModal(u"Modal child", [&](TCustomForm& form) {
    modal->Probe->SetFocus();
    TestHarness::ProcessEvents();
    *child = TestHarness::GrabPngBytes(&form);
    form.SetModalResult(mrOk);
  });
  EXPECT_EQ(modal->ShowModal(), mrOk);
  TComponent::Free(modal);
  TComponent::Free(f);
  return png;
}

TEST(Screen, TheGrabOfAFormAndItsModalChildIsTheSameBytesEveryTime) {
  std::vector<Byte> child1, child2;
  std::vector<Byte> first = ShowcaseGrab(&child1);
  std::vector<Byte> second = ShowcaseGrab(&child2);
  ASSERT_GT(first.size(), 100u);
  EXPECT_EQ(first[1], 'P');
  EXPECT_TRUE(first == second) << "the two grabs differ";
  ASSERT_GT(child1.size(), 100u);
  EXPECT_TRUE(child1 == child2) << "the two grabs of the modal child differ";
}

TEST(Screen, DrawingOutsidePaintShowsAndAnXorLineDrawnTwiceLeavesNoTrace) {
  TShowcase* f = new TShowcase;
  TestHarness::ShowForm(f);
  TCanvas* c = f->Probe->Canvas();
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetColor(clWhite);
  c->MoveTo(1, 1);
  c->LineTo(15, 1);
  TestHarness::ProcessEvents();
  EXPECT_EQ(TestHarness::Pixel(f->Probe, 3, 1), clBlack) << "white XOR white";
  c->MoveTo(1, 1);
  c->LineTo(15, 1);
  TestHarness::ProcessEvents();
  EXPECT_EQ(TestHarness::Pixel(f->Probe, 3, 1), clWhite);
  // An invalidated control paints again from scratch.
  c->Pen()->SetMode(pmCopy);
  c->SetPixels(5, 8, clRed);
  f->Probe->Repaint();
  EXPECT_EQ(TestHarness::Pixel(f->Probe, 5, 8), clWhite);
  TComponent::Free(f);
}

// A control that paints its whole client in a new colour each time and keeps the clip each
// paint had.
class TPaintCounter : public TCustomControl {
 public:
  explicit TPaintCounter(TComponent* owner) : TCustomControl(owner) {}
  String ClassName() const override { return u"TPaintCounter"; }
  std::vector<TRect> Clips;
  static TColor ColorOf(size_t n) { return static_cast<TColor>(0x102030 * (n + 1) & 0xFFFFFF); }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    Clips.push_back(c->ClipRect());
    c->Brush()->SetColor(ColorOf(Clips.size()));
    c->FillRect(Rect(0, 0, Width(), Height()));
  }
};

// A part of a control invalidated alone is painted alone: the paint is clipped to it, the other
// pixels keep what the last paint left. Parts outside the control are nothing, parts add up, a
// whole-control invalidation takes them in, and many scattered parts become the whole control.
TEST(Screen, InvalidatedPartsArePaintedAloneAndTheRestKeepsItsPixels) {
  auto* f = new TForm(Application);
  f->SetBounds(0, 0, 200, 120);
  auto* p = new TPaintCounter(f);
  p->SetParent(f);
  p->SetBounds(10, 10, 60, 40);
  TestHarness::ShowForm(f);
  TestHarness::ProcessEvents();
  ASSERT_FALSE(p->NeedsPaint());
  const size_t First = p->Clips.size();
  ASSERT_GE(First, 1u);
  const TColor Old = TPaintCounter::ColorOf(First);

  p->InvalidateClientRect(Rect(100, 100, 120, 120));
  EXPECT_FALSE(p->NeedsPaint()) << "a part outside the control";

  p->InvalidateClientRect(Rect(5, 6, 15, 12));
  p->InvalidateClientRect(Rect(40, 30, 70, 50));  // reaches past the edge: cut to the control
  ASSERT_TRUE(p->NeedsPaint());
  ASSERT_NE(p->PaintArea(), nullptr);
  EXPECT_EQ(p->PaintArea()->Bounds(), Rect(5, 6, 60, 40));
  TestHarness::ProcessEvents();
  ASSERT_EQ(p->Clips.size(), First + 1);
  EXPECT_EQ(p->Clips.back(), Rect(5, 6, 60, 40));
  const TColor New = TPaintCounter::ColorOf(First + 1);
  const struct {
    const char* Name;
    Integer X, Y;
    TColor Want;
  } Pixels[] = {{"first part", 5, 6, New},   {"first part's last pixel", 14, 11, New},
                {"beside it", 15, 11, Old},  {"between the parts", 30, 20, Old},
                {"second part", 59, 39, New}, {"outside both", 0, 0, Old}};
  for (const auto& P : Pixels) {
    EXPECT_EQ(p->BackingImage()->Canvas()->Pixels(P.X, P.Y), P.Want) << P.Name;
    EXPECT_EQ(TestHarness::Pixel(p, P.X, P.Y), P.Want) << P.Name << " on the screen";
  }

  p->InvalidateClientRect(Rect(1, 1, 2, 2));
  p->Invalidate();
  p->InvalidateClientRect(Rect(3, 3, 4, 4));
  EXPECT_EQ(p->PaintArea(), nullptr) << "the whole control";
  TestHarness::ProcessEvents();
  EXPECT_EQ(p->Clips.back(), Rect(0, 0, 60, 40));

  for (Integer i = 0; i < 70; ++i) p->InvalidateClientRect(Rect(i % 30 * 2, i / 30 * 2, i % 30 * 2 + 1, i / 30 * 2 + 1));
  EXPECT_EQ(p->PaintArea(), nullptr) << "seventy scattered pixels";
  TComponent::Free(f);
}

// Runs only under a real display (scripts/gui-smoke.sh runs it under Xvfb with the xcb platform).
TEST(RealWindow, AFormOpensAndTakesInputOnARealDisplay) {
  if (!FormsBackend::HasRealDisplay()) GTEST_SKIP() << "no real display (offscreen platform)";
  TShowcase* f = new TShowcase;
  Integer clicks = 0;
  f->Probe->OnClick = [&](TObject*) { ++clicks; };
  TestHarness::ShowForm(f);
  EXPECT_TRUE(TestHarness::WaitUntil([&] { return f->Impl()->IsVisibleOnScreen(); }));
  TestHarness::Click(f->Probe);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(TestHarness::Pixel(f->Probe, 3, 3), clRed);
  TComponent::Free(f);
}

}  // namespace
