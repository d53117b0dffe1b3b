// The tab strip: activation and change reports, update counting, draw-state rules, the timer
// intervals, layout, scrolling and hit testing, and the animation tick.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "components/tabs/TabStrip.h"
#include "platform/gui/ExtCtrls.h"
#include "tests/components/tabs/TabStripTestUtil.h"

namespace {

using TabStripTest = TabStripFixture;

// --- Activation and change reports ----------------------------------------------------------------------

TEST_F(TabStripTest, NewTabBecomesActiveWithTwoAddedReportsAndOneActivation) {
  AddTab(u"A");
  std::vector<TTabChangeType> changes;
  std::vector<TStripTab*> activated;
  Strip->OnChange = [&](TObject*, TStripTab*, TTabChangeType C) { changes.push_back(C); };
  Strip->OnActiveTabChanged = [&](TObject*, TStripTab* T) { activated.push_back(T); };
  TStripTab* tab = Strip->Tabs()->Add();
  EXPECT_TRUE(tab->Active());
  EXPECT_EQ(Strip->ActiveTabIndex(), 1);
  EXPECT_EQ(std::count(changes.begin(), changes.end(), tcAdded), 2);
  ASSERT_EQ(activated.size(), 1u);
  EXPECT_EQ(activated[0], tab);
  EXPECT_TRUE(Strip->HasState(stsAnimatingNewTab));
}

TEST_F(TabStripTest, WithoutActivateNewTabOnlyTheFirstTabBecomesActive) {
  Strip->Options()->Behaviour()->SetActivateNewTab(false);
  AddTab(u"A");
  AddTab(u"B");
  EXPECT_EQ(Strip->ActiveTabIndex(), -1);
  EXPECT_EQ(Strip->GetTabControl(1)->DrawState(), dsNotActive);
}

TEST_F(TabStripTest, DeactivatingTheActiveTabActivatesANeighbour) {
  struct TCase {
    const char* Name;
    std::vector<bool> Visible;  // of tabs A..D before the active one is hidden
    Integer Active;
    Integer Expected;
  };
  const TCase cases[] = {
      {"the next visible to the right", {true, true, false, true}, 1, 3},
      {"the nearest visible to the left when none is right", {true, false, true, false}, 2, 0},
      {"none left", {false, true, false, false}, 1, -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Strip->Tabs()->Clear();
    for (Integer i = 0; i < 4; ++i) AddTab(String(1, static_cast<Char>(u'A' + i)));
    Strip->SetActiveTabIndex(c.Active);
    for (Integer i = 0; i < 4; ++i)
      if (i != c.Active) Strip->Tabs()->Items(i)->SetVisible(c.Visible[static_cast<size_t>(i)]);
    Strip->Tabs()->Items(c.Active)->SetVisible(false);
    EXPECT_EQ(Strip->ActiveTabIndex(), c.Expected);
  }
}

TEST_F(TabStripTest, ActiveTabIndexWrites) {
  for (Integer i = 0; i < 3; ++i) AddTab(u"T");
  Strip->SetActiveTabIndex(0);
  Strip->SetActiveTabIndex(5);
  EXPECT_EQ(Strip->ActiveTabIndex(), 0);
  Strip->SetActiveTabIndex(-2);
  EXPECT_EQ(Strip->ActiveTabIndex(), 0);
  Strip->SetActiveTabIndex(2);
  EXPECT_EQ(Strip->ActiveTabIndex(), 2);
  EXPECT_EQ(Strip->GetTabControl(-1), nullptr);
}

TEST_F(TabStripTest, ReportWithoutTabFiresOnlyOnChange) {
  AddTab(u"A");
  Integer paints = 0, changes = 0;
  Strip->OnAfterDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer) {
    if (T == itTabContainer) ++paints;
  };
  Strip->OnChange = [&](TObject*, TStripTab* Tab, TTabChangeType) {
    EXPECT_EQ(Tab, nullptr);
    ++changes;
  };
  Strip->TabChanged(nullptr, tcControlState);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(paints, 0);
}

TEST_F(TabStripTest, RedrawsInsideUpdatesHappenOnceAtTheOutermostEnd) {
  AddTab(u"A");
  Integer paints = 0;
  Strip->OnAfterDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer) {
    if (T == itTabContainer) ++paints;
  };
  Strip->BeginUpdate();
  Strip->BeginUpdate();
  Strip->Redraw();
  Strip->Tabs()->Items(0)->SetCaption(u"B");
  Strip->Redraw();
  EXPECT_TRUE(Strip->HasState(stsPendingUpdates));
  Strip->EndUpdate();
  EXPECT_EQ(paints, 0);
  Strip->EndUpdate();
  EXPECT_EQ(paints, 1);
  EXPECT_FALSE(Strip->HasState(stsPendingUpdates));
  Strip->EndUpdate();  // at nesting 0: nothing
  EXPECT_EQ(paints, 1);
}

// --- Draw states --------------------------------------------------------------------------------------------

TEST_F(TabStripTest, TabsFadeOnlyIntoAndOutOfTheirHoverLook) {
  AddTab(u"A");
  AddTab(u"B");
  Strip->SetActiveTabIndex(0);
  Settle();
  TStripTabControl* b = Strip->GetTabControl(1);
  struct TSeen {
    TDrawState State;
    TTabStripEaseType Ease;
  };
  std::vector<TSeen> seen;
  Strip->OnAnimateStyle = [&](TObject*, TBaseTabStripControl* C, TDrawState S, Cardinal&, TTabStripEaseType& E) {
    if (C == b) seen.push_back({S, E});
  };
  // Hover over B: not active -> hot fades.
  Move(InTab(1));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].State, dsHot);
  EXPECT_EQ(seen[0].Ease, ttLinearTween);
  EXPECT_EQ(b->DrawState(), dsHot);
  // Activation of the hovered tab switches at once.
  seen.clear();
  Strip->SetActiveTabIndex(1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].State, dsActive);
  EXPECT_EQ(seen[0].Ease, ttNone);
}

TEST_F(TabStripTest, ButtonsAlwaysFade) {
  TAddButtonControl* add = Strip->AddButtonControl();
  TTabStripEaseType ease = ttNone;
  Strip->OnAnimateStyle = [&](TObject*, TBaseTabStripControl* C, TDrawState, Cardinal&, TTabStripEaseType& E) {
    if (C == add) ease = E;
  };
  const TRect R = add->ControlRect();
  ASSERT_FALSE(IsRectEmpty(R));
  Move(TPoint(R.Left + R.Width() / 2, R.Top + R.Height() / 2));
  EXPECT_EQ(add->DrawState(), dsHot);
  EXPECT_EQ(ease, ttLinearTween);
}

TEST_F(TabStripTest, HoverLookStaysWhenTheMouseGoesStraightToAButton) {
  AddTab(u"A");
  AddTab(u"B");
  Strip->SetActiveTabIndex(1);
  Settle();
  Move(InTab(0));
  ASSERT_EQ(Strip->GetTabControl(0)->DrawState(), dsHot);
  const TRect R = Strip->AddButtonControl()->ControlRect();
  Move(TPoint(R.Left + 10, R.Top + 7));
  EXPECT_EQ(Strip->LastHitTestResult().HitTestArea, htAddButton);
  EXPECT_EQ(Strip->GetTabControl(0)->DrawState(), dsHot);
  Move(TPoint(450, 28));  // the empty strip
  EXPECT_EQ(Strip->GetTabControl(0)->DrawState(), dsNotActive);
}

// --- Timer intervals -----------------------------------------------------------------------------------------

TEST_F(TabStripTest, TimerIntervalsFollowTheOptionsOnlyFromTheFirstChangeOnwards) {
  // Construction applied the defaults, but the clock keeps the options' initial interval.
  EXPECT_EQ(Strip->AnimateTimer()->Interval(), 25);
  EXPECT_EQ(Strip->Options()->Animation()->AnimationTimerInterval(), 15);
  Strip->Options()->Behaviour()->SetTabSmartDeleteResizeCancelDelay(900);
  Strip->Options()->Scrolling()->SetScrollRepeatDelay(40);  // a write that reports
  EXPECT_EQ(Strip->AnimateTimer()->Interval(), 15);
  EXPECT_EQ(Strip->CancelTabSmartResizeTimer()->Interval(), 900u);
  EXPECT_EQ(Strip->ScrollTimer()->Interval(), 40u);
}

}  // namespace
