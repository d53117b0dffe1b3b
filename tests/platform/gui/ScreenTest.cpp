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
