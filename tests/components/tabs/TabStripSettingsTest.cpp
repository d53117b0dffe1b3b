// The option tree, the look-and-feel tree and the strip's defaults.
#include <gtest/gtest.h>

#include "components/tabs/TabStripClasses.h"
#include "components/tabs/TabStripUtils.h"
#include "tests/components/tabs/FakeTabStrip.h"

namespace {

using TReport = TFakeTabStrip::TReport;

class SettingsTest : public ::testing::Test {
 protected:
  TOptions* Options() { return Strip.GetOptions(); }
  TTabStripLookAndFeel* LookAndFeel() { return Strip.GetLookAndFeel(); }
  TFakeTabStrip Strip;
};

// --- Options ------------------------------------------------------------------------------------

TEST_F(SettingsTest, ReportedWritesReachTheStripAndStoredOnesDoNot) {
  struct TCase {
    const char* Name;
    std::function<void(TOptions*)> Write;
    bool Reports;
  };
  const TCase cases[] = {
      {"tab overlap", [](TOptions* o) { o->Display()->Tabs()->SetTabOverlap(3); }, true},
      {"close button offset", [](TOptions* o) { o->Display()->CloseButton()->Offsets()->SetVertical(1); }, true},
      {"mouse glow visible", [](TOptions* o) { o->Display()->TabMouseGlow()->SetVisible(false); }, true},
      {"spinner sweep", [](TOptions* o) { o->Display()->TabSpinners()->Download()->SetSweepAngle(90); }, true},
      {"spinner position", [](TOptions* o) { o->Display()->TabSpinners()->Upload()->Position()->SetWidth(9); }, true},
      {"scrolling step", [](TOptions* o) { o->Scrolling()->SetScrollStep(7); }, true},
      {"container padding", [](TOptions* o) { o->Display()->TabContainer()->SetPaddingLeft(2); }, true},
      {"glow period", [](TOptions* o) { o->Display()->TabModifiedGlow()->SetAnimationPeriodMS(10); }, true},
      {"equal value still reports", [](TOptions* o) { o->Display()->Tabs()->SetTabOverlap(15); }, true},
      {"drag type", [](TOptions* o) { o->DragDrop()->SetDragType(dtNone); }, false},
      {"animation interval", [](TOptions* o) { o->Animation()->SetAnimationTimerInterval(15); }, false},
      {"movement kind", [](TOptions* o) { o->Animation()->MovementAnimations()->TabAdd()->SetEaseType(ttNone); }, false},
      {"behaviour", [](TOptions* o) { o->Behaviour()->SetActivateNewTab(false); }, false},
      {"spinner update", [](TOptions* o) { o->Display()->TabSpinners()->SetAnimationUpdateMS(10); }, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Strip.Reports.clear();
    c.Write(Options());
    if (c.Reports)
      EXPECT_EQ(Strip.Reports, (std::vector<TReport>{{nullptr, tcPropertyUpdated}}));
    else
      EXPECT_TRUE(Strip.Reports.empty());
  }
}

TEST_F(SettingsTest, MaxWidthIsRaisedToMinWidthButNotTheOtherWayRound) {
  TTabStripOptions* tabs = Options()->Display()->Tabs();
  ASSERT_EQ(tabs->MinWidth(), 20);
  tabs->SetMaxWidth(10);
  EXPECT_EQ(tabs->MaxWidth(), 20);
  tabs->SetMinWidth(300);
  EXPECT_EQ(tabs->MinWidth(), 300);
  EXPECT_EQ(tabs->MaxWidth(), 20);
}

TEST_F(SettingsTest, MovementKindsFallBackToTheDefaults) {
  TTabStripAnimationOptions* animation = Options()->Animation();
  TTabStripMovementAnimations* kinds = animation->MovementAnimations();
  EXPECT_EQ(animation->GetMovementAnimationTime(kinds->TabMove()), 500u);
  EXPECT_EQ(animation->GetMovementAnimationEaseType(kinds->TabMove()), ttEaseOutExpo);
  EXPECT_EQ(animation->GetMovementAnimationTime(kinds->TabAdd()), animation->DefaultMovementAnimationTimeMS());
  EXPECT_EQ(animation->GetMovementAnimationTime(kinds->TabAdd()), 100u);
  animation->SetDefaultMovementEaseType(ttEaseInSine);
  EXPECT_EQ(animation->GetMovementAnimationEaseType(kinds->TabDelete()), ttEaseInSine);
  kinds->TabDelete()->SetUseDefaultEaseType(false);
  EXPECT_EQ(animation->GetMovementAnimationEaseType(kinds->TabDelete()), ttLinearTween);
}

TEST_F(SettingsTest, ConstructorsGiveTheInitialValues) {
  TOptions options(nullptr);
  TTabStripDisplayOptions* d = options.Display();
  EXPECT_EQ(d->CloseButton()->Offsets()->Vertical(), 6);
  EXPECT_EQ(d->CloseButton()->Width(), 13);
  EXPECT_EQ(d->CloseButton()->Visibility(), bvAll);
  EXPECT_EQ(d->AddButton()->Offsets()->Vertical(), 9);
  EXPECT_EQ(d->AddButton()->Width(), 25);
  EXPECT_TRUE(d->AddButton()->ShowPlusSign());
  EXPECT_EQ(d->ScrollButtonLeft()->Height(), 15);
  EXPECT_EQ(d->ScrollButtonRight()->Offsets()->Vertical(), 10);
  EXPECT_EQ(d->TabMouseGlow()->Width(), 70);
  EXPECT_TRUE(d->TabSpinners()->Upload()->ReverseDirection());
  EXPECT_EQ(d->TabSpinners()->Upload()->RenderedAnimationStep(), 2);
  EXPECT_EQ(d->TabSpinners()->Download()->RenderedAnimationStep(), 5);
  EXPECT_EQ(d->TabSpinners()->Download()->SweepAngle(), 135);
  EXPECT_EQ(d->TabSpinners()->Download()->Position()->Height(), 16);
  EXPECT_EQ(d->Tabs()->CanvasSmoothingMode(), SmoothingModeHighQuality);
  EXPECT_FALSE(options.Scrolling()->Enabled());
  EXPECT_EQ(options.Animation()->AnimationTimerInterval(), 25);
  EXPECT_EQ(options.DragDrop()->DragOutsideImageAlpha(), 120);
}

TEST_F(SettingsTest, ReportsClimbThroughComponentOwnersAndStopWithoutAStrip) {
  // Options owned by a component that the strip owns still reach the strip.
  auto* holder = new TComponent(&Strip);
  TOptions nested(holder);
  Strip.Reports.clear();
  nested.Display()->Tabs()->SetPinnedWidth(3);
  EXPECT_EQ(Strip.Reports, (std::vector<TReport>{{nullptr, tcPropertyUpdated}}));
  // A tree without a strip above it reports to nobody and does not fail.
  TComponent lonely(nullptr);
  TOptions orphan(&lonely);
  orphan.Display()->Tabs()->SetPinnedWidth(3);
  EXPECT_EQ(orphan.Display()->Tabs()->PinnedWidth(), 3);
}

TEST_F(SettingsTest, WholeObjectWritesCopyIntoTheHeldObject) {
  TOptions source(nullptr);
  source.Display()->Tabs()->SetTabOverlap(7);
  source.Display()->CloseButton()->Offsets()->SetHorizontal(9);
  source.DragDrop()->SetDragControlImageResizeFactor(0.25);
  TTabStripDisplayOptions* held = Options()->Display();
  Options()->SetDisplay(source.Display());
  Options()->SetDragDrop(source.DragDrop());
  EXPECT_EQ(Options()->Display(), held);
  EXPECT_EQ(held->Tabs()->TabOverlap(), 7);
  EXPECT_EQ(held->CloseButton()->Offsets()->Horizontal(), 9);
  EXPECT_EQ(Options()->DragDrop()->DragControlImageResizeFactor(), 0.25);
  // Another kind of object cannot be copied in.
  EXPECT_THROW(held->Tabs()->Assign(source.Display()->TabContainer()), EConvertError);
}

// --- Look and feel ------------------------------------------------------------------------------

// The colour a brush paints at (X, Y) of a 10 x 10 area, as 0xAARRGGBB (premultiplied).
TGPColor PaintedAt(TGPBrush* Brush, Integer X, Integer Y) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(10, 10);
  TGPGraphics graphics(&bitmap);
  graphics.FillRectangle(Brush, TGPRect{0, 0, 10, 10});
  const auto* row = static_cast<const Byte*>(bitmap.ScanLine(Y));
  const Byte* px = row + X * 4;
  return MakeColor(px[3], px[2], px[1], px[0]);
}

TEST_F(SettingsTest, NewStyleAndPenHaveTheirInitialLook) {
  TTabStripLookAndFeelStyle style(nullptr);
  EXPECT_EQ(PaintedAt(style.GetBrush(TRect(0, 0, 10, 10)), 5, 5), 0xFFFFFFFFu);
  EXPECT_EQ(style.GetPen()->GetColor(), 0xFF808080u);
  EXPECT_FLOAT_EQ(style.GetPen()->GetWidth(), 1.0f);
  TTabStripLookAndFeelPen pen(nullptr);
  EXPECT_EQ(pen.GetPen()->GetColor(), 0xFF000000u);
  EXPECT_FLOAT_EQ(pen.GetPen()->GetWidth(), 1.0f);
}

TEST_F(SettingsTest, BrushIsKeptUntilAWriteInvalidatesIt) {
  TTabStripLookAndFeelStyle style(nullptr);
  TGPLinearGradientBrush* first = style.GetBrush(TRect(0, 0, 10, 10));
  EXPECT_EQ(style.GetBrush(TRect(0, 100, 10, 300)), first);  // the rectangle counts only when built
  style.SetStartColor(clRed);
  style.SetStopColor(clRed);
  EXPECT_EQ(PaintedAt(style.GetBrush(TRect(0, 0, 10, 10)), 5, 5), 0xFFFF0000u);
  style.SetOutlineColor(clBlue);
  style.SetOutlineAlpha(128);
  EXPECT_EQ(style.GetPen()->GetColor(), 0x800000FFu);
}

TEST_F(SettingsTest, PenDrawsWithTheLowByteOfItsAlpha) {
  TTabStripLookAndFeelPen pen(nullptr);
  pen.SetAlpha(300);
  EXPECT_EQ(pen.GetPen()->GetColor() >> 24, 44u);
  EXPECT_EQ(pen.Alpha(), 300);
}

TEST_F(SettingsTest, LookAndFeelConstructorsGiveTheInitialValues) {
  TTabStripLookAndFeel lf(nullptr);
  EXPECT_FLOAT_EQ(lf.TabsContainer()->OutlineSize(), 0.0f);
  EXPECT_TRUE(lf.Tabs()->Hot()->Font()->UseDefaultFont());
  EXPECT_TRUE(lf.Tabs()->Active()->Font()->UseDefaultFont());
  EXPECT_EQ(lf.Tabs()->DefaultFont()->Name(), u"Segoe UI");
  EXPECT_EQ(lf.Tabs()->BaseLine()->Color(), clGray);
  EXPECT_FLOAT_EQ(lf.Tabs()->BaseLine()->Thickness(), 2.0f);
  EXPECT_EQ(lf.Tabs()->Modified()->CentreAlpha(), 180);
  EXPECT_EQ(lf.Tabs()->Spinners()->Upload()->Color(), 0xC2B3A7);
  EXPECT_FLOAT_EQ(lf.Tabs()->Spinners()->Download()->Thickness(), 2.5f);
  EXPECT_EQ(lf.CloseButton()->Cross()->Normal()->Color(), 0xB8AFA9);
  EXPECT_EQ(lf.CloseButton()->Cross()->Hot()->Alpha(), 240);
  EXPECT_EQ(lf.CloseButton()->Cross()->Down()->Color(), clRed);
  EXPECT_EQ(lf.CloseButton()->Circle()->Normal()->OutlineAlpha(), 0);
  EXPECT_EQ(lf.CloseButton()->Circle()->Hot()->StartColor(), 0x3535C1);
  EXPECT_EQ(lf.ScrollButtons()->Arrow()->Disabled()->StartColor(), clWhite);
}

TEST_F(SettingsTest, EveryLookAndFeelWriteReportsToTheStrip) {
  struct TCase {
    const char* Name;
    std::function<void(TTabStripLookAndFeel*)> Write;
  };
  const TCase cases[] = {
      {"tab style (owned through the state)", [](TTabStripLookAndFeel* l) { l->Tabs()->Active()->Style()->SetStartAlpha(1); }},
      {"tab font", [](TTabStripLookAndFeel* l) { l->Tabs()->NotActive()->Font()->SetSize(12); }},
      {"default font", [](TTabStripLookAndFeel* l) { l->Tabs()->DefaultFont()->SetName(u"X"); }},
      {"glow", [](TTabStripLookAndFeel* l) { l->Tabs()->MouseGlow()->SetOutsideAlpha(3); }},
      {"cross pen", [](TTabStripLookAndFeel* l) { l->CloseButton()->Cross()->Hot()->SetThickness(3); }},
      {"scroll arrow", [](TTabStripLookAndFeel* l) { l->ScrollButtons()->Arrow()->Disabled()->SetOutlineSize(2); }},
      {"container", [](TTabStripLookAndFeel* l) { l->TabsContainer()->SetStopColor(clBlack); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Strip.Reports.clear();
    c.Write(LookAndFeel());
    EXPECT_EQ(Strip.Reports, (std::vector<TReport>{{nullptr, tcPropertyUpdated}}));
  }
}

TEST_F(SettingsTest, InvalidatingTheRootReachesTheCachedObjectsItShould) {
  TTabStripLookAndFeel lf(nullptr);
  struct TCase {
    const char* Name;
    TTabStripPersistent* Node;
    bool Invalidated;
  };
  const TCase cases[] = {
      {"root", &lf, true},
      {"tabs container", lf.TabsContainer(), true},
      {"base line", lf.Tabs()->BaseLine(), true},
      {"close circle", lf.CloseButton()->Circle()->Down(), true},
      {"close cross", lf.CloseButton()->Cross()->Normal(), true},
      {"add button plus", lf.AddButton()->PlusSign()->Hot(), true},
      {"scroll disabled arrow", lf.ScrollButtons()->Arrow()->Disabled(), true},
      {"add button (own flag)", lf.AddButton(), true},
      // The tab invalidates its base line only, and style items do not set their own flag.
      {"active tab style", lf.Tabs()->Active()->Style(), false},
      {"tabs", lf.Tabs(), false},
      {"spinner pen", lf.Tabs()->Spinners()->Upload(), false},
      {"close circle items", lf.CloseButton()->Circle(), false},
  };
  // Building the cached objects clears the flags the constructors' writes set.
  for (const TCase& c : cases) {
    if (auto* style = dynamic_cast<TTabStripLookAndFeelStyle*>(c.Node)) style->GetBrush(TRect(0, 0, 1, 1));
    if (auto* pen = dynamic_cast<TTabStripLookAndFeelPen*>(c.Node)) pen->GetPen();
    ASSERT_FALSE(c.Node->Invalidated()) << c.Name;
  }
  lf.Invalidate();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(c.Node->Invalidated(), c.Invalidated);
  }
}

TEST_F(SettingsTest, WholeLookAndFeelWriteCopiesAndReports) {
  TTabStripLookAndFeel source(nullptr);
  source.Tabs()->Hot()->Style()->SetStartColor(0x123456);
  source.CloseButton()->Circle()->Normal()->SetStopAlpha(9);
  Strip.Reports.clear();
  LookAndFeel()->SetTabs(source.Tabs());
  EXPECT_EQ(LookAndFeel()->Tabs()->Hot()->Style()->StartColor(), 0x123456);
  EXPECT_FALSE(Strip.Reports.empty());
  LookAndFeel()->CloseButton()->SetCircle(source.CloseButton()->Circle());
  EXPECT_EQ(LookAndFeel()->CloseButton()->Circle()->Normal()->StopAlpha(), 9);
  EXPECT_TRUE(LookAndFeel()->CloseButton()->Circle()->Normal()->Invalidated());
}

// --- Defaults -----------------------------------------------------------------------------------

TEST_F(SettingsTest, DefaultsOverTheInitialValues) {
  SetDefaultTabStripOptions(Options());
  SetDefaultTabStripLookAndFeel(LookAndFeel());
  TTabStripDisplayOptions* d = Options()->Display();
  EXPECT_EQ(d->Tabs()->MinWidth(), 25);
  EXPECT_EQ(d->Tabs()->MaxWidth(), 200);
  EXPECT_EQ(d->Tabs()->OffsetTop(), 4);
  EXPECT_EQ(d->AddButton()->HorizontalOffsetFloating(), -3);
  EXPECT_TRUE(Options()->Scrolling()->Enabled());
  EXPECT_EQ(Options()->Animation()->AnimationTimerInterval(), 15);
  EXPECT_EQ(Options()->DragDrop()->DragOutsideImageAlpha(), 220);
  // Untouched by the defaults: the class's value stays.
  EXPECT_FALSE(d->Tabs()->ShowPinnedTabText());
  EXPECT_FLOAT_EQ(LookAndFeel()->TabsContainer()->OutlineSize(), 0.0f);
  EXPECT_EQ(LookAndFeel()->CloseButton()->Circle()->Normal()->StartColor(), clGradientActiveCaption);
  EXPECT_EQ(LookAndFeel()->Tabs()->Active()->Font()->Alpha(), 100);
  EXPECT_FALSE(LookAndFeel()->Tabs()->Hot()->Font()->UseDefaultFont());
}

}  // namespace
