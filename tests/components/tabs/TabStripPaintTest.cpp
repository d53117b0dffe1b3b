// The strip's painting: the order of the parts, the hooks that take parts over, the background
// behind the tabs and the base line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "components/tabs/TabStrip.h"
#include "tests/components/tabs/TabStripTestUtil.h"

namespace {

class PaintTest : public TabStripFixture {
 protected:
  // A pixel of the back buffer as 0x00BBGGRR.
  TColor BufferPixel(Integer X, Integer Y) {
    const Byte* P = static_cast<const Byte*>(Strip->CanvasBitmap()->ScanLine(Y)) + 4 * X;
    return RGB(P[2], P[1], P[0]);
  }
  static bool Near(TColor A, TColor B, Integer Tolerance = 3) {
    return std::abs(GetRValue(A) - GetRValue(B)) <= Tolerance && std::abs(GetGValue(A) - GetGValue(B)) <= Tolerance &&
           std::abs(GetBValue(A) - GetBValue(B)) <= Tolerance;
  }
  std::vector<Integer> TabsDrawn() {
    std::vector<Integer> Result;
    Strip->OnBeforeDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer Index, bool&) {
      if (T == itTab) Result.push_back(Index);
    };
    Strip->Redraw();
    Strip->OnBeforeDrawItem = nullptr;
    return Result;
  }
};

TEST_F(PaintTest, InactiveTabsRightToLeftThenTheActiveOne) {
  for (Integer i = 0; i < 4; ++i) AddTab(u"T");
  Settle();
  Strip->SetActiveTabIndex(1);
  EXPECT_EQ(TabsDrawn(), (std::vector<Integer>{3, 2, 0, 1}));
  Strip->Tabs()->Items(2)->SetVisible(false);
  EXPECT_EQ(TabsDrawn(), (std::vector<Integer>{3, 0, 1}));
}

TEST_F(PaintTest, TabsOutOfViewAreSkipped) {
  Strip->Options()->Display()->Tabs()->SetMinWidth(100);
  for (Integer i = 0; i < 10; ++i) AddTab(u"T");
  Strip->SetActiveTabIndex(0);
  Strip->SetScrollOffset(0);
  Settle();
  // 500 pixels show tabs 0 to 4 (tab 5 starts at 500).
  EXPECT_EQ(TabsDrawn(), (std::vector<Integer>{5, 4, 3, 2, 1, 0}));
}

TEST_F(PaintTest, BackgroundFromTheParentOrTheContainersOwnGradient) {
  Form->SetColor(clRed);
  AddTab(u"A");
  Settle();
  // The container is transparent by default: the form shows behind the empty strip.
  Strip->Redraw();
  EXPECT_TRUE(Near(BufferPixel(300, 2), clRed)) << std::hex << BufferPixel(300, 2);
  Strip->Options()->Display()->TabContainer()->SetTransparentBackground(false);
  // The gradient starts with 0xDE9262 at the top (whose first row is half covered, pixel centres
  // lying on whole coordinates).
  EXPECT_TRUE(Near(BufferPixel(300, 2), 0xDE9262, 8)) << std::hex << BufferPixel(300, 2);
}

TEST_F(PaintTest, AHandledContainerKeepsTheBackgroundOutButNotTheTabs) {
  Form->SetColor(clRed);
  AddTab(u"A");
  Settle();
  Strip->SetColor(clBlue);
  std::vector<TStripTabItemType> drawn;
  Strip->OnBeforeDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer, bool& Handled) {
    drawn.push_back(T);
    Handled = T == itTabContainer;
  };
  Strip->Redraw();
  EXPECT_TRUE(Near(BufferPixel(300, 2), clBlue)) << std::hex << BufferPixel(300, 2);
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), itTab), drawn.end());
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), itBackground), drawn.end());
}

TEST_F(PaintTest, BaseLineAndActiveTab) {
  AddTab(u"A");
  Settle();
  // The form is not shown, so the ticks did not draw: the strip is drawn now.
  Strip->Redraw();
  // The base line on the container's last row, outside the tab.
  EXPECT_TRUE(Near(BufferPixel(300, 29), 0xA9886D)) << std::hex << BufferPixel(300, 29);
  // The active tab is drawn over the base line: white near its foot.
  EXPECT_TRUE(Near(BufferPixel(100, 29), 0xF8F9F8, 6)) << std::hex << BufferPixel(100, 29);
  // And the buffer reached the control.
  EXPECT_EQ(Strip->Canvas()->Pixels(300, 29), BufferPixel(300, 29));
}

TEST_F(PaintTest, InactiveTabsHideTheirNeighboursUnlessSeeThrough) {
  PlainLayout();
  for (Integer i = 0; i < 3; ++i) AddTab(u"");
  Settle();
  // Tabs 0 (0..176) and 1 (162..338) are inactive; at (167, 25) tab 1's left edge runs under the
  // half-transparent body of tab 0.
  Strip->Redraw();
  const TColor Hidden = BufferPixel(167, 25);
  Strip->Options()->Display()->Tabs()->SetSeeThroughTabs(true);
  const TColor Shown = BufferPixel(167, 25);
  EXPECT_NE(Hidden, Shown);
  // Away from the overlap nothing changes.
  Strip->Options()->Display()->Tabs()->SetSeeThroughTabs(false);
  const TColor Plain = BufferPixel(100, 20);
  Strip->Options()->Display()->Tabs()->SetSeeThroughTabs(true);
  EXPECT_EQ(BufferPixel(100, 20), Plain);
}

TEST_F(PaintTest, ButtonsShowWhenEnabled) {
  std::vector<TStripTabItemType> drawn;
  Strip->OnAfterDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer) {
    drawn.push_back(T);
  };
  Strip->Redraw();
  EXPECT_EQ(drawn, (std::vector<TStripTabItemType>{itBackground, itAddButton, itScrollLeftButton,
                                                    itScrollRightButton, itTabContainer}));
  drawn.clear();
  Strip->Options()->Display()->AddButton()->SetVisibility(avNone);
  Strip->Options()->Scrolling()->SetEnabled(false);
  drawn.clear();
  Strip->Redraw();
  EXPECT_EQ(drawn, (std::vector<TStripTabItemType>{itBackground, itTabContainer}));
}

// A strip draws on an animation tick or a change of its tabs only while it is on the screen; a
// hidden strip's tabs (every dialog's at start) still take and slide to their places, and it is
// drawn when its form is shown.
TEST_F(PaintTest, TicksAndTabChangesDrawOnlyAStripOnTheScreen) {
  Integer Draws = 0;
  Strip->OnAfterDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer) {
    if (T == itTabContainer) ++Draws;
  };
  AddTab(u"A");
  AddTab(u"B");
  TStripTab* C = AddTab(u"C");
  C->SetVisible(false);
  C->SetVisible(true);
  EXPECT_EQ(Draws, 0) << "tab changes off the screen draw";
  Settle();
  EXPECT_EQ(Draws, 0) << "ticks off the screen draw";
  EXPECT_EQ(Strip->GetTabControl(1)->ControlRect(), EndRect(1));
  EXPECT_EQ(Strip->GetTabControl(2)->ControlRect(), EndRect(2));

  TestHarness::ShowForm(Form);
  TestHarness::ProcessEvents();
  EXPECT_GT(Draws, 0) << "not drawn when shown";
  Draws = 0;
  AddTab(u"D");
  EXPECT_GT(Draws, 0) << "a tab change on the screen draws";
  Draws = 0;
  Settle();
  EXPECT_GT(Draws, 0) << "ticks on the screen draw";
  EXPECT_EQ(Strip->GetTabControl(3)->ControlRect(), EndRect(3));
}

}  // namespace
