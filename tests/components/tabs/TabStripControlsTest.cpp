// The drawable controls: movement and style animation, the buttons' polygons, and the tab
// control's close button, content layout, spinner, glow and drawing.
#include <gtest/gtest.h>

#include <vector>

#include "components/tabs/TabStripControls.h"
#include "tests/components/tabs/TabStripTestUtil.h"

namespace {

using ControlsTest = TabStripFixture;

// --- Movement -----------------------------------------------------------------------------------------------

TEST_F(ControlsTest, FirstPositionAndUneasedPositionsJump) {
  TScrollButtonLeftControl C(Strip);
  C.SetPosition(TRect(0, 0, 10, 10), 100, ttLinearTween);
  EXPECT_EQ(C.ControlRect(), TRect(0, 0, 10, 10));
  EXPECT_FALSE(C.AnimateMovement());
  C.SetPosition(TRect(50, 0, 60, 10), 100, ttNone);
  EXPECT_EQ(C.ControlRect(), TRect(50, 0, 60, 10));
  EXPECT_FALSE(C.AnimateMovement());
}

TEST_F(ControlsTest, MovementEndsExactlyOnItsTargetAndReportsOneMoreStep) {
  TScrollButtonLeftControl C(Strip);
  C.SetPosition(TRect(0, 0, 10, 10), 0, ttNone);
  C.SetPosition(TRect(100, 0, 110, 10), 100, ttLinearTween);
  TestHarness::AdvanceClock(50);
  EXPECT_TRUE(C.AnimateMovement());
  EXPECT_EQ(C.ControlRect(), TRect(50, 0, 60, 10));
  TestHarness::AdvanceClock(200);
  EXPECT_TRUE(C.AnimateMovement());
  EXPECT_EQ(C.ControlRect(), TRect(100, 0, 110, 10));
  EXPECT_FALSE(C.AnimateMovement());
}

TEST_F(ControlsTest, TheSameTargetKeepsTheMovementButTakesTheNewTimeAndEase) {
  TScrollButtonLeftControl C(Strip);
  C.SetPosition(TRect(0, 0, 10, 10), 0, ttNone);
  C.SetPosition(TRect(100, 0, 110, 10), 100, ttLinearTween);
  TestHarness::AdvanceClock(50);
  C.SetPosition(TRect(100, 0, 110, 10), 200, ttEaseInQuad);
  EXPECT_EQ(C.AnimationTime(), 200u);
  EXPECT_EQ(C.EaseType(), ttEaseInQuad);
  EXPECT_TRUE(C.AnimateMovement());
  // 50 of 200 ms on the curve s squared: 100 / 16 from the start, which the movement kept.
  EXPECT_EQ(C.ControlRect(), TRect(6, 0, 16, 10));
}

TEST_F(ControlsTest, MovementsThatRunOutOfTimeStillReachTheirTarget) {
  struct TCase {
    const char* Name;
    TRect Target;
    Cardinal Time;
    TTabStripEaseType Ease;
    Cardinal Elapsed;
  };
  const TCase cases[] = {
      // The exponential curve ends 1/1024 short of its change: 600 px would stop 1 px early.
      {"long exponential movement", TRect(600, 0, 610, 10), 500, ttEaseOutExpo, 600},
      {"eased movement without time", TRect(80, 0, 90, 10), 0, ttLinearTween, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TScrollButtonLeftControl C(Strip);
    C.SetPosition(TRect(0, 0, 10, 10), 0, ttNone);
    C.SetPosition(c.Target, c.Time, c.Ease);
    TestHarness::AdvanceClock(c.Elapsed);
    EXPECT_TRUE(C.AnimateMovement());
    EXPECT_EQ(C.ControlRect(), c.Target);
    EXPECT_FALSE(C.AnimateMovement());
  }
}

TEST_F(ControlsTest, SetLeftTopWidthHeightKeepTheOtherSides) {
  TScrollButtonLeftControl C(Strip);
  C.SetPosition(TRect(10, 20, 40, 60), 0, ttNone);
  C.SetLeft(0, 0, ttNone);
  EXPECT_EQ(C.ControlRect(), TRect(0, 20, 30, 60));
  C.SetTop(0, 0, ttNone);
  EXPECT_EQ(C.ControlRect(), TRect(0, 0, 30, 40));
  C.SetWidth(5, 0, ttNone);
  EXPECT_EQ(C.ControlRect(), TRect(0, 0, 5, 40));
  C.SetHeight(7, 0, ttNone);
  EXPECT_EQ(C.ControlRect(), TRect(0, 0, 5, 7));
}

// --- Style animation -------------------------------------------------------------------------------------------

TEST_F(ControlsTest, StyleFades) {
  TTabStripLookAndFeelStyle Black(nullptr), White(nullptr);
  Black.SetStartColor(0x000000);
  Black.SetStartAlpha(0);
  White.SetStartColor(0xFFFFFF);
  White.SetStartAlpha(200);

  TStripTabControlPropertyItems Items;
  // Nothing set yet: fully transparent.
  EXPECT_EQ(Items.Current().StartAlpha, 0);
  EXPECT_EQ(Items.Current().StopAlpha, 0);

  Items.SetProperties(&Black, nullptr, nullptr, 300, ttNone);
  EXPECT_EQ(Items.Current().StartColor, 0x000000);
  EXPECT_FALSE(Items.TransformColors(false));

  Items.SetProperties(&White, nullptr, nullptr, 100, ttLinearTween);
  TestHarness::AdvanceClock(50);
  EXPECT_TRUE(Items.TransformColors(false));
  EXPECT_EQ(Items.Current().StartAlpha, 100);
  EXPECT_EQ(Items.Current().StartColor, 0x7F7F7F);
  // A new fade starts from what shows now, in the middle of the old one.
  Items.SetProperties(&Black, nullptr, nullptr, 100, ttLinearTween);
  EXPECT_EQ(Items.Start().StartAlpha, 100);
  TestHarness::AdvanceClock(50);
  EXPECT_TRUE(Items.TransformColors(false));
  EXPECT_EQ(Items.Current().StartAlpha, 50);
  TestHarness::AdvanceClock(100);
  EXPECT_TRUE(Items.TransformColors(false));
  EXPECT_EQ(Items.Current().StartAlpha, 0);
  EXPECT_FALSE(Items.TransformColors(false));

  // A fade with no time to run in shows the new look at once.
  Items.SetProperties(&White, nullptr, nullptr, 0, ttLinearTween);
  EXPECT_EQ(Items.Current().StartAlpha, 200);
}

TEST_F(ControlsTest, FontOfAFadeComesFromTheDefaultFontFirst) {
  TTabStripLookAndFeelStyle Style(nullptr);
  TTabStripLookAndFeelBaseFont Own(nullptr), Default(nullptr);
  Own.SetSize(12);
  Default.SetSize(7);
  TStripTabControlPropertyItems Items;
  Items.SetProperties(&Style, &Own, &Default, 0, ttNone);
  EXPECT_EQ(Items.Stop().FontSize, 7);
  Items.SetProperties(&Style, &Own, nullptr, 0, ttNone);
  EXPECT_EQ(Items.Stop().FontSize, 12);
  Items.SetProperties(&Style, nullptr, nullptr, 0, ttNone);
  EXPECT_EQ(Items.Stop().FontSize, 9);
  EXPECT_EQ(Items.Stop().FontName, u"Segoe UI");
}

// --- Buttons ----------------------------------------------------------------------------------------------------

TEST_F(ControlsTest, ScrollButtonWithoutDrawStateIsTransparent) {
  TScrollButtonRightControl C(Strip);
  C.SetPosition(TRect(0, 0, 15, 15), 0, ttNone);
  EXPECT_EQ(C.ButtonControlPropertyItems()->Current().StartAlpha, 0);
  EXPECT_EQ(C.ButtonControlPropertyItems()->Current().OutlineAlpha, 0);
  C.SetDrawState(dsDisabled, 0, ttNone, false);
  EXPECT_EQ(C.ButtonStyle(), Strip->LookAndFeel()->ScrollButtons()->Button()->Disabled());
  EXPECT_EQ(C.ButtonControlPropertyItems()->Current().StartAlpha, 150);
}

TEST_F(ControlsTest, AddButtonPolygons) {
  TAddButtonControl C(Strip);
  C.SetPosition(TRect(100, 10, 131, 24), 0, ttNone);
  Strip->Options()->Display()->AddButton()->SetShowPlusSign(false);
  TStripTabPolygonsPtr P = C.GetPolygons();
  ASSERT_EQ(P->PolygonCount(), 1);
  const TPolygon Expected{{107, 24}, {104, 22}, {100, 12}, {101, 10}, {124, 10}, {127, 12}, {131, 22}, {131, 24}};
  EXPECT_EQ(P->GetPolygons(0).FPolygon, Expected);
  Strip->Options()->Display()->AddButton()->SetShowPlusSign(true);
  P = C.GetPolygons();
  ASSERT_EQ(P->PolygonCount(), 2);
  // The plus sign in the button shrunk by 31 div 2 - 4 across and 14 div 2 - 4 down.
  EXPECT_EQ(P->GetPolygons(1).FPolygon.front(), TPoint(111, 16));
  EXPECT_TRUE(C.ContainsPoint(TPoint(115, 15)));
  EXPECT_FALSE(C.ContainsPoint(TPoint(99, 15)));
}

TEST_F(ControlsTest, PolygonsFromTheStripReplaceTheControlsOwn) {
  TScrollButtonLeftControl C(Strip);
  C.SetPosition(TRect(0, 0, 15, 15), 0, ttNone);
  TStripTabItemType asked = itTab;
  Strip->OnGetControlPolygons = [&](TObject*, TBaseTabStripControl* Control, const TRect&, TStripTabItemType T,
                                    TTabOrientation, TStripTabPolygonsPtr& Polygons) {
    if (Control != &C) return;
    asked = T;
    Polygons = NewStripTabPolygons();
    Polygons->AddPolygon({{0, 0}, {3, 0}, {3, 3}}, nullptr, nullptr);
  };
  TStripTabPolygonsPtr P = C.GetPolygons();
  EXPECT_EQ(asked, itScrollLeftButton);
  ASSERT_EQ(P->PolygonCount(), 1);
  // The defaults fill in what the handler left out.
  EXPECT_EQ(P->GetPolygons(0).FBrush, C.GetButtonBrush());
  EXPECT_EQ(P->GetPolygons(0).FPen, C.GetButtonPen());
}

// --- The tab control ------------------------------------------------------------------------------------------

class TabControlTest : public TabStripFixture {
 protected:
  void SetUp() override {
    TabStripFixture::SetUp();
    PlainLayout();
    Tab = AddTab(u"Caption");
    Other = AddTab(u"Other");
    Strip->SetActiveTabIndex(1);
    Control = Strip->GetTabControl(0);
  }
  void Place(Integer Left, Integer Width) { Control->SetPosition(TRect(Left, 4, Left + Width, 30), 0, ttNone); }
  TStripTab* Tab = nullptr;
  TStripTab* Other = nullptr;
  TStripTabControl* Control = nullptr;
};

TEST_F(TabControlTest, CloseButtonVisibility) {
  TTabStripCloseButtonProperties* CB = Strip->Options()->Display()->CloseButton();
  struct TCase {
    const char* Name;
    Integer Width;
    bool Active;
    bool Pinned;
    bool Hidden;
    TCloseButtonVisiblity Visibility;
    TDrawState State;
    bool Visible;
  };
  // Content width = width - 18 - 16; AutoHideWidth is 20.
  const TCase cases[] = {
      {"wide inactive tab", 100, false, false, false, bvAll, dsNotActive, true},
      {"narrow inactive tab", 54, false, false, false, bvAll, dsNotActive, false},
      {"narrow active tab keeps it", 54, true, false, false, bvAll, dsActive, true},
      {"pinned tab", 100, false, true, false, bvAll, dsNotActive, false},
      {"tab that hides it", 100, true, false, true, bvAll, dsActive, false},
      {"never", 100, true, false, false, bvNever, dsActive, false},
      {"only the active: active", 100, true, false, false, bvActive, dsActive, true},
      {"only the active: hovered", 100, false, false, false, bvActive, dsHot, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Tab->SetPinned(c.Pinned);
    Control = Strip->GetTabControl(Tab->Index());
    Strip->SetActiveTabIndex(c.Active ? Tab->Index() : Other->Index());
    Tab->SetHideCloseButton(c.Hidden);
    CB->SetVisibility(c.Visibility);
    Place(0, c.Width);
    Control->SetDrawState(c.State, 0, ttNone, false);
    EXPECT_EQ(Control->CloseButtonVisible(), c.Visible);
  }
}

TEST_F(TabControlTest, ContentRectangles) {
  TImageList Images(nullptr, 16, 16);
  TBitmap B(16, 16);
  Images.Add(&B, nullptr);
  Strip->SetImages(&Images);
  Tab->SetImageIndex(0);
  TRect Image, Text, Close, Cross;
  bool Normal, Overlay, Spinner, TextVisible;

  // An unpinned tab: image after the left content offset, text after it, close button at the right.
  Place(0, 150);
  Control->CalculateRects(Image, Text, Close, Cross, Normal, Overlay, Spinner, TextVisible);
  EXPECT_TRUE(Normal);
  EXPECT_EQ(Image, TRect(18, 9, 34, 25));
  EXPECT_TRUE(TextVisible);
  // Close button: 150 - 16 - 14 - 2 = 118, 4 + 6 = 10; the text ends one pixel before it.
  EXPECT_EQ(Close, TRect(118, 10, 132, 24));
  EXPECT_EQ(Cross, TRect(122, 14, 128, 20));
  EXPECT_EQ(Text, TRect(35, 4, 117, 30));

  // A pinned tab without its text: no text, the image centred (in content offsets that leave it
  // room).
  Strip->Options()->Display()->Tabs()->SetContentOffsetLeft(2);
  Strip->Options()->Display()->Tabs()->SetContentOffsetRight(2);
  Tab->SetPinned(true);
  Control = Strip->GetTabControl(Tab->Index());
  Place(0, 39);
  Control->CalculateRects(Image, Text, Close, Cross, Normal, Overlay, Spinner, TextVisible);
  EXPECT_FALSE(TextVisible);
  EXPECT_EQ(Image, TRect(11, 9, 27, 25));

  // Content that does not fit hides the image but keeps the text.
  Strip->Options()->Display()->Tabs()->SetContentOffsetLeft(18);
  Strip->Options()->Display()->Tabs()->SetContentOffsetRight(16);
  Tab->SetPinned(false);
  Strip->SetActiveTabIndex(Tab->Index());
  Control = Strip->GetTabControl(Tab->Index());
  Place(0, 60);
  Control->CalculateRects(Image, Text, Close, Cross, Normal, Overlay, Spinner, TextVisible);
  EXPECT_FALSE(Normal);
  EXPECT_TRUE(TextVisible);

  // With nothing else to show, the close button is centred.
  Tab->SetImageIndex(-1);
  Place(0, 40);
  Control->CalculateRects(Image, Text, Close, Cross, Normal, Overlay, Spinner, TextVisible);
  ASSERT_TRUE(Control->CloseButtonVisible());
  EXPECT_FALSE(TextVisible);
  EXPECT_EQ(Close.Left, 13);
  EXPECT_EQ(Close.Width(), 14);
  Strip->SetImages(nullptr);
}

TEST_F(TabControlTest, HitTestAreas) {
  Strip->SetActiveTabIndex(Tab->Index());
  Place(0, 150);
  EXPECT_EQ(Control->GetHitTestArea(120, 15), htCloseButton);
  EXPECT_EQ(Control->GetHitTestArea(60, 15), htTab);
  // Left of the slanted edge near the bottom.
  EXPECT_EQ(Control->GetHitTestArea(1, 8), htBackground);
  EXPECT_EQ(Control->GetHitTestArea(60, 2), htBackground);
}

TEST_F(TabControlTest, RenderedSpinnerAngles) {
  struct TCase {
    const char* Name;
    TStripTabSpinnerState State;
    std::vector<Integer> Angles;
  };
  const TCase cases[] = {
      {"upload, step 2 backwards", tssRenderedUpload, {358, 356, 354}},
      {"download, step 5 forwards", tssRenderedDownload, {5, 10, 15}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TStripTab* T = AddTab(u"S");
    T->SetSpinnerState(c.State);
    TStripTabControl* C = Strip->GetTabControl(T->Index());
    EXPECT_EQ(C->SpinnerRenderedDegrees(), 0);
    for (Integer Expected : c.Angles) {
      EXPECT_TRUE(C->AnimateSpinner());
      EXPECT_EQ(C->SpinnerRenderedDegrees(), Expected);
    }
  }
  // A download spinner passes 360 before it wraps to 5.
  TStripTab* T = AddTab(u"W");
  T->SetSpinnerState(tssRenderedDownload);
  TStripTabControl* C = Strip->GetTabControl(T->Index());
  for (int i = 0; i < 72; ++i) C->AnimateSpinner();
  EXPECT_EQ(C->SpinnerRenderedDegrees(), 360);
  C->AnimateSpinner();
  EXPECT_EQ(C->SpinnerRenderedDegrees(), 5);
  // Without a spinner nothing steps.
  EXPECT_FALSE(Control->AnimateSpinner());
}

TEST_F(TabControlTest, ImageSpinnerFramesWrap) {
  TImageList Frames(nullptr, 8, 8);
  TBitmap B(24, 8);
  Frames.Add(&B, nullptr);
  ASSERT_EQ(Frames.Count(), 3);
  Strip->SetImagesSpinnerUpload(&Frames);
  Strip->SetImagesSpinnerDownload(&Frames);
  Tab->SetSpinnerState(tssImageUpload);
  std::vector<Integer> Up;
  for (int i = 0; i < 3; ++i) {
    Control->AnimateSpinner();
    Up.push_back(Control->SpinnerImageIndex());
  }
  EXPECT_EQ(Up, (std::vector<Integer>{2, 1, 0}));
  Tab->SetSpinnerState(tssImageDownload);
  std::vector<Integer> Down;
  for (int i = 0; i < 3; ++i) {
    Control->AnimateSpinner();
    Down.push_back(Control->SpinnerImageIndex());
  }
  EXPECT_EQ(Down, (std::vector<Integer>{1, 2, 0}));
  Strip->SetImagesSpinnerUpload(nullptr);
  Strip->SetImagesSpinnerDownload(nullptr);
  EXPECT_FALSE(Control->AnimateSpinner());
}

TEST_F(TabControlTest, ModifiedGlowSweepsAcrossTheTabAndRestartsAfterAPause) {
  Place(0, 150);
  EXPECT_FALSE(Control->AnimateModified());
  Tab->SetModified(true);
  ASSERT_TRUE(Control->AnimateModified());
  // Right to left: starts at the right edge.
  EXPECT_EQ(Control->ModifiedPosition(), 150);
  TestHarness::AdvanceClock(2000);
  ASSERT_TRUE(Control->AnimateModified());
  // Half the period on the in-out curve: half of width + glow width (250).
  EXPECT_EQ(Control->ModifiedPosition(), 150 - 125);
  Tab->SetModified(false);
  EXPECT_FALSE(Control->AnimateModified());
  EXPECT_EQ(Control->ModifiedStartTicks(), 0u);
}

TEST_F(TabControlTest, ContentWidthIsMeasuredOncePerCaption) {
  Strip->Options()->Display()->Tabs()->SetTabWidthFromContent(true);
  Place(0, 150);
  const Integer First = Control->GetTabWidthByContent();
  EXPECT_GT(First, 0);
  // A font change alone does not renew the cached width.
  Strip->LookAndFeel()->Tabs()->DefaultFont()->SetSize(20);
  Control->SetDrawState(dsHot, 0, ttNone, true);
  EXPECT_EQ(Control->GetTabWidthByContent(), First);
  Tab->SetCaption(u"Caption that is longer");
  EXPECT_GT(Control->GetTabWidthByContent(), First);
}

TEST_F(TabControlTest, DrawsNothingBeforeItsFirstDrawState) {
  TStripTabControl Fresh(Strip, Tab);
  Fresh.SetPosition(TRect(0, 0, 100, 26), 0, ttNone);
  TBitmap B;
  B.SetPixelFormat(pf32bit);
  B.SetSize(120, 30);
  bool Asked = false;
  Strip->OnBeforeDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType, Integer, bool&) {
    Asked = true;
  };
  {
    TGPGraphics G(&B);
    Fresh.DrawTo(&G, -1, -1, {});
  }
  EXPECT_FALSE(Asked);
  for (Integer y = 0; y < 30; y += 5)
    for (Integer x = 0; x < 120; x += 5) EXPECT_EQ(static_cast<const Byte*>(B.ScanLine(y))[4 * x + 3], 0);
}

TEST_F(TabControlTest, DrawingOrderAndHandledParts) {
  Strip->SetActiveTabIndex(Tab->Index());
  Tab->SetModified(true);
  Place(0, 150);
  Control->AnimateModified();
  std::vector<TStripTabItemType> Before, After;
  Strip->OnBeforeDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer Index,
                                bool& Handled) {
    EXPECT_EQ(Index, Tab->Index());
    Before.push_back(T);
    Handled = T == itTabText;
  };
  Strip->OnAfterDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer) {
    After.push_back(T);
  };
  TBitmap B(200, 30);
  B.SetPixelFormat(pf32bit);
  {
    TGPGraphics G(&B);
    Control->DrawTo(&G, 60, 15, {});
  }
  EXPECT_EQ(Before, (std::vector<TStripTabItemType>{itTab, itTabModifiedGlow, itTabMouseGlow, itTabText, itTabOutline,
                                                    itTabCloseButton}));
  EXPECT_EQ(After, (std::vector<TStripTabItemType>{itTabText, itTabCloseButton, itTab}));
}

}  // namespace
