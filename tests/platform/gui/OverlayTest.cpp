// What our code draws over stock widgets (the overlay) and the edit rectangle kept free of text.
#include <gtest/gtest.h>

#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

// An edit that draws over its widget as the grid's editors do: a button strip before the widget's
// own painting, kept out of the clip, and a frame after it.
class TFramedEdit : public TEdit {
 public:
  using TEdit::TEdit;
  Integer Paints = 0;

 protected:
  void WMPaint(TMessage& M) override {
    ++Paints;
    TCanvas* c = OverlayCanvas();
    c->Brush()->SetColor(clBlue);
    c->FillRect(ClientRect());
    c->ExcludeClipRect(Rect(Width() - 16, 0, Width(), Height()));
    TEdit::WMPaint(M);
    c = OverlayCanvas();
    c->Brush()->SetColor(clRed);
    c->FrameRect(ClientRect());
  }
};

TEST(Overlay, WhatAStockWidgetsControlDrawsShowsOverTheWidgetInPaintOrder) {
  FormHolder f;
  auto* e = new TFramedEdit(f.Form);
  e->SetParent(f.Form);
  e->SetBounds(10, 10, 120, 21);
  TestHarness::ShowForm(f.Form);
  TestHarness::ProcessEvents();
  EXPECT_GE(e->Paints, 1) << "the widget's painting runs the control's paint message";
  EXPECT_EQ(TestHarness::Pixel(e, 120 - 8, 10), clBlue) << "drawn before, outside the clip";
  EXPECT_EQ(TestHarness::Pixel(e, 0, 0), clRed) << "drawn after the widget";
  EXPECT_EQ(TestHarness::Pixel(e, 119, 20), clRed);
  EXPECT_EQ(TestHarness::Pixel(e, 50, 10), ColorToRGB(clWindow)) << "the widget painted over the rest";
  EXPECT_EQ(e->OverlayImage()->Canvas()->Pixels(50, 10), clWhite) << "a cleared pixel reads white";

  // Drawing outside a paint message shows too, until the widget paints again.
  TCanvas* c = e->OverlayCanvas();
  c->Brush()->SetColor(clLime);
  c->FillRect(Rect(30, 5, 34, 9));
  TestHarness::ProcessEvents();
  EXPECT_EQ(TestHarness::Pixel(e, 32, 7), clLime);
  const Integer paints = e->Paints;
  e->Invalidate();
  TestHarness::ProcessEvents();
  EXPECT_GT(e->Paints, paints);
  EXPECT_EQ(TestHarness::Pixel(e, 32, 7), ColorToRGB(clWindow));
}

TEST(Overlay, ComboBoxesHaveOneOverTheirEditorAndSelfPaintingControlsNone) {
  FormHolder f;
  auto* combo = new TComboBox(f.Form);
  combo->SetParent(f.Form);
  combo->SetBounds(10, 10, 120, 21);
  combo->SetStyle(csDropDown);
  TestHarness::ShowForm(f.Form);
  TCanvas* c = combo->OverlayCanvas();
  ASSERT_NE(c, nullptr);
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(Rect(20, 4, 40, 16));
  TestHarness::ProcessEvents();
  EXPECT_EQ(TestHarness::Pixel(combo, 30, 10), clFuchsia);
  EXPECT_EQ(combo->OverlayImage()->Width(), 120);

  auto* own = new TRecorder(f.Form);
  own->SetParent(f.Form);
  EXPECT_EQ(own->OverlayCanvas(), nullptr);
  EXPECT_EQ(own->OverlayImage(), nullptr);
}

// The right-most column of the edit that holds a dark (text) pixel, -1 when none.
Integer TextRightEdge(TControl* c) {
  for (Integer x = c->Width() - 1; x >= 0; --x)
    for (Integer y = 4; y < c->Height() - 4; ++y)
      if ((ColorToRGB(TestHarness::Pixel(c, x, y)) & 0xFF) < 0x60) return x;
  return -1;
}

TEST(EditRect, TheTextStaysInsideTheEditRectangle) {
  FormHolder f;
  auto* e = new TEdit(f.Form);
  e->SetParent(f.Form);
  e->SetBounds(10, 10, 160, 24);
  e->SetBorderStyle(bsNone);
  e->SetAlignment(taRightJustify);
  e->SetText(u"888");
  TestHarness::ShowForm(f.Form);
  const Integer whole = TextRightEdge(e);
  ASSERT_GT(whole, 130);
  TRect r = Rect(0, 0, 80, 24);
  e->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
  TestHarness::ProcessEvents();
  const Integer narrowed = TextRightEdge(e);
  EXPECT_GT(narrowed, 40);
  EXPECT_LT(narrowed, 80);
  // The rectangle keeps its place when the edit grows.
  e->SetWidth(200);
  TestHarness::ProcessEvents();
  EXPECT_LT(TextRightEdge(e), 80);
  e->Perform(EM_SETRECT, 0, 0);
  TestHarness::ProcessEvents();
  EXPECT_GT(TextRightEdge(e), 170);
}

}  // namespace
