// The tab strip: activation and change reports, update counting, draw-state rules, the timer
// intervals, layout, scrolling and hit testing, and the animation tick.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "components/tabs/TabStrip.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Threads.h"
#include "platform/os/Clock.h"
#include "tests/components/tabs/TabStripTestUtil.h"
#include "tests/TempFolder.h"

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

namespace {

// --- Layout -------------------------------------------------------------------------------------------------

TEST_F(TabStripTest, UnpinnedTabsShareTheContainerWithinTheirLimits) {
  PlainLayout();
  struct TCase {
    const char* Name;
    Integer MinWidth, MaxWidth;
    std::vector<Integer> Lefts;
    Integer Width;  // of every control
  };
  const TCase cases[] = {
      // 500 - 15 = 485 = 3 x 161 + 2: the first two tabs take one remainder pixel each.
      {"width from the container", 25, 200, {0, 162, 324}, 176},
      {"width capped", 100, 160, {0, 160, 320}, 175},
      {"width raised", 250, 300, {0, 250, 500}, 265},
  };
  for (Integer i = 0; i < 3; ++i) AddTab(u"T");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Strip->Options()->Display()->Tabs()->SetMinWidth(c.MinWidth);
    Strip->Options()->Display()->Tabs()->SetMaxWidth(c.MaxWidth);
    for (Integer i = 0; i < 3; ++i) {
      EXPECT_EQ(EndRect(i).Left, c.Lefts[static_cast<size_t>(i)]);
      EXPECT_EQ(EndRect(i).Width(), c.Width);
      EXPECT_EQ(EndRect(i).Top, 4);
      EXPECT_EQ(EndRect(i).Bottom, 30);
    }
  }
  EXPECT_EQ(Strip->TabEndSpace(), 0);
}

TEST_F(TabStripTest, DefaultGeometry) {
  AddTab(u"A");
  AddTab(u"B");
  Settle();
  // Scroll buttons at the right end (the left one before the right one), then the add button's
  // room; the tabs 4 pixels below the top.
  EXPECT_EQ(Strip->ScrollButtonRightControl()->ControlRect(), TRect(484, 10, 499, 25));
  EXPECT_EQ(Strip->ScrollButtonLeftControl()->ControlRect(), TRect(467, 10, 482, 25));
  EXPECT_EQ(Strip->MaxAddButtonRight(), 433);
  EXPECT_EQ(Strip->TabContainerRect(), TRect(0, 4, 432, 30));
  // (432 - 15) div 2 = 208 is above the maximum 200.
  EXPECT_EQ(EndRect(0), TRect(0, 4, 215, 30));
  EXPECT_EQ(EndRect(1), TRect(200, 4, 415, 30));
  // The add button floats 3 pixels into the last tab.
  EXPECT_EQ(Strip->AddButtonControl()->ControlRect(), TRect(412, 10, 443, 24));
  EXPECT_EQ(Strip->GetTabDisplayState(), tdNormal);
}

TEST_F(TabStripTest, ScrollButtonsHideWhenEverythingFitsOnlyWithAutoHide) {
  AddTab(u"A");
  Strip->Options()->Scrolling()->SetAutoHideButtons(true);
  EXPECT_TRUE(IsRectEmpty(Strip->ScrollButtonLeftControl()->ControlRect()));
  EXPECT_TRUE(IsRectEmpty(Strip->ScrollButtonRightControl()->ControlRect()));
  EXPECT_EQ(Strip->TabContainerRect().Right, 466);
  Strip->Options()->Scrolling()->SetAutoHideButtons(false);
  EXPECT_FALSE(IsRectEmpty(Strip->ScrollButtonRightControl()->ControlRect()));
}

TEST_F(TabStripTest, DisplayStates) {
  PlainLayout();
  AddTab(u"A");
  EXPECT_EQ(Strip->GetTabDisplayState(), tdNormal);
  for (Integer i = 0; i < 3; ++i) AddTab(u"T");
  EXPECT_EQ(Strip->GetTabDisplayState(), tdCompressed);
  Strip->Options()->Scrolling()->SetEnabled(true);
  Strip->Options()->Display()->Tabs()->SetMinWidth(150);
  EXPECT_EQ(Strip->GetTabDisplayState(), tdScrolling);
}

class ScrollingTest : public TabStripFixture {
 protected:
  void SetUp() override {
    TabStripFixture::SetUp();
    Strip->Options()->Display()->Tabs()->SetMinWidth(100);
    for (Integer i = 0; i < 10; ++i) AddTab(u"T");
    Strip->SetActiveTabIndex(0);
    Strip->SetScrollOffset(0);
    Settle();
  }
  void Wheel(Integer Delta) { Strip->Perform(WM_MOUSEWHEEL, MakeWParam(0, Delta), MakeLParam(100, 100)); }
};

TEST_F(ScrollingTest, RowWiderThanTheStripScrolls) {
  ASSERT_EQ(Strip->GetTabDisplayState(), tdScrolling);
  EXPECT_EQ(Strip->ScrollWidth(), 1000);
  // 1000 - 432 + the overlap of the last tab.
  EXPECT_EQ(Strip->MaxScrollOffset(), 583);
  // The add button stands at its rightmost place.
  EXPECT_EQ(Strip->AddButtonControl()->ControlRect().Left, 433);
}

TEST_F(ScrollingTest, WheelNotchScrolls120PixelsWithinTheLimits) {
  Wheel(120);
  EXPECT_EQ(Strip->ScrollOffset(), 120);
  for (int i = 0; i < 5; ++i) Wheel(120);
  EXPECT_EQ(Strip->ScrollOffset(), 583);
  // At the limit nothing moves and nothing is reported.
  Integer scrolls = 0;
  Strip->OnScroll = [&](TObject*) { ++scrolls; };
  Wheel(120);
  EXPECT_EQ(scrolls, 0);
  Wheel(-1200);
  EXPECT_EQ(Strip->ScrollOffset(), 0);
  EXPECT_EQ(scrolls, 1);
  // Controls draw with the offset.
  Wheel(120);
  EXPECT_EQ(Strip->GetTabControl(2)->ControlRectScrolled().Left, EndRect(2).Left - 120);
}

TEST_F(ScrollingTest, ScrollButtonsStepAndRepeatWhileHeld) {
  const TRect R = Strip->ScrollButtonRightControl()->ControlRect();
  const TPoint P(R.Left + 7, R.Top + 7);
  Press(P);
  EXPECT_EQ(Strip->ScrollOffset(), 20);
  EXPECT_TRUE(Strip->ScrollTimer()->Enabled());
  TestHarness::AdvanceClock(20);
  EXPECT_EQ(Strip->ScrollOffset(), 40);
  TestHarness::AdvanceClock(20);
  EXPECT_EQ(Strip->ScrollOffset(), 60);
  Release(P);
  EXPECT_FALSE(Strip->ScrollTimer()->Enabled());
  TestHarness::AdvanceClock(100);
  EXPECT_EQ(Strip->ScrollOffset(), 60);
  // The left button is disabled at offset 0 and active once the row scrolled.
  EXPECT_EQ(Strip->ScrollButtonLeftControl()->DrawState(), dsActive);
}

TEST_F(ScrollingTest, NewTabIsScrolledIntoViewWhenItsMovementEnds) {
  TStripTab* T = AddTab(u"New");
  EXPECT_TRUE(Strip->HasState(stsAnimatingNewTab));
  Settle();
  EXPECT_FALSE(Strip->HasState(stsAnimatingNewTab));
  EXPECT_EQ(Strip->ScrollOffset(), Strip->MaxScrollOffset());
  const TRect R = Strip->GetTabControl(T->Index())->ControlRectScrolled();
  EXPECT_LE(R.Right, Strip->TabContainerRect().Right + 15);
}

// --- Hit testing ----------------------------------------------------------------------------------------------

TEST_F(TabStripTest, HitTests) {
  PlainLayout();
  for (Integer i = 0; i < 3; ++i) AddTab(u"T");
  Strip->SetActiveTabIndex(1);
  Settle();
  // Near their feet tabs 0 and 1 overlap from 166 to 172: the active tab wins there.
  EXPECT_EQ(Strip->HitTest(TPoint(170, 27), false), (THitTestResult{1, htTab}));
  Strip->SetActiveTabIndex(0);
  EXPECT_EQ(Strip->HitTest(TPoint(170, 27), false), (THitTestResult{0, htTab}));
  EXPECT_EQ(Strip->HitTest(TPoint(250, 20), false), (THitTestResult{1, htTab}));
  const TRect Close = Strip->GetTabControl(2)->GetCloseButonRect();
  EXPECT_EQ(Strip->HitTest(TPoint(Close.Left + 3, Close.Top + 3), false), (THitTestResult{2, htCloseButton}));
  EXPECT_EQ(Strip->HitTest(TPoint(250, 1), false), (THitTestResult{-1, htBackground}));
  EXPECT_EQ(Strip->HitTest(TPoint(600, 10), false), (THitTestResult{-1, htNowhere}));
}

TEST_F(TabStripTest, DisabledScrollButtonsCanBeIgnoredByHitTests) {
  const TRect R = Strip->ScrollButtonLeftControl()->ControlRect();
  const TPoint P(R.Left + 7, R.Top + 7);
  ASSERT_EQ(Strip->ScrollButtonLeftControl()->DrawState(), dsDisabled);
  EXPECT_EQ(Strip->HitTest(P, false).HitTestArea, htScrollButtonLeft);
  EXPECT_EQ(Strip->HitTest(P, true).HitTestArea, htBackground);
}

// --- Closing with the mouse: smart resizing ---------------------------------------------------------------------

TEST_F(TabStripTest, ClosedTabsLeaveTheOthersTheirWidthsUntilTheMouseHasBeenAwayAWhile) {
  PlainLayout();
  for (Integer i = 0; i < 4; ++i) AddTab(u"T");
  Strip->SetActiveTabIndex(0);
  Settle();
  const TRect Closed = EndRect(1);
  const TRect Left = EndRect(0);
  const Integer Width3 = EndRect(3).Width();
  const TRect CloseButton = Strip->GetTabControl(1)->GetCloseButonRect();
  const TPoint P(CloseButton.Left + 4, CloseButton.Top + 4);
  Move(P);
  Press(P);
  Release(P);
  // The tab shrinks away; the next one takes its place and width, the left one stays.
  ASSERT_TRUE(Strip->Tabs()->Items(1)->MarkedForDeletion());
  EXPECT_TRUE(Strip->HasState(stsDeletingUnPinnedTabs));
  Settle();
  ASSERT_EQ(Strip->Tabs()->Count(), 3);
  EXPECT_EQ(EndRect(0), Left);
  EXPECT_EQ(EndRect(1), Closed);
  EXPECT_EQ(EndRect(2).Left, Closed.Right - 15);
  EXPECT_EQ(EndRect(2).Width(), Width3);
  // Inside the strip the widths stay frozen.
  TestHarness::AdvanceClock(2000);
  Strip->Redraw();
  EXPECT_EQ(EndRect(1), Closed);
  // Away from the strip for 700 ms: the tabs share the width again.
  Strip->Perform(CM_MOUSELEAVE, 0, 0);
  TestHarness::AdvanceClock(699);
  EXPECT_TRUE(Strip->HasState(stsDeletingUnPinnedTabs));
  TestHarness::AdvanceClock(1);
  EXPECT_FALSE(Strip->HasState(stsDeletingUnPinnedTabs));
  EXPECT_EQ(EndRect(1).Width(), (500 - 15) / 3 + 15);
}

TEST_F(TabStripTest, ClosingCanBeRefused) {
  PlainLayout();
  AddTab(u"A");
  TStripTab* B = AddTab(u"B");
  Settle();
  TStripTab* asked = nullptr;
  Strip->OnButtonCloseTabClick = [&](TObject*, TStripTab* T, bool& Close) {
    asked = T;
    Close = false;
  };
  const TRect CloseButton = Strip->GetTabControl(1)->GetCloseButonRect();
  const TPoint P(CloseButton.Left + 4, CloseButton.Top + 4);
  Press(P);
  Release(P);
  EXPECT_EQ(asked, B);
  EXPECT_EQ(Strip->Tabs()->Count(), 2);
  EXPECT_FALSE(Strip->HasState(stsDeletingUnPinnedTabs));
}

// --- The animation tick ------------------------------------------------------------------------------------------

TEST_F(TabStripTest, DeletedTabShrinksAndGoesOnceItIsNarrowEnough) {
  PlainLayout();
  AddTab(u"A");
  AddTab(u"B");
  Settle();
  Strip->Tabs()->DeleteTab(1, false);
  ASSERT_EQ(Strip->Tabs()->Count(), 2);
  EXPECT_TRUE(Strip->HasState(stsAnimatingCloseTab));
  TStripTabControl* C = Strip->GetTabControl(1);
  ASSERT_EQ(C->ControlRect().Width(), 215);
  TestHarness::AdvanceClock(50);
  Strip->AnimationTick(nullptr);
  ASSERT_EQ(Strip->Tabs()->Count(), 2);
  // Half of the default 100 ms: 215 + (40 - 215) / 2 = 127.5, rounded to the even 128.
  EXPECT_EQ(C->ControlRect().Width(), 128);
  TestHarness::AdvanceClock(50);
  Strip->AnimationTick(nullptr);
  EXPECT_EQ(Strip->Tabs()->Count(), 1);
  EXPECT_FALSE(Strip->HasState(stsAnimatingCloseTab));
}

TEST_F(TabStripTest, AQuietStripOnlyClearsItsStatesOnATick) {
  AddTab(u"A");
  Settle();
  Integer changes = 0, paints = 0;
  Strip->OnStateChange = [&](TObject*, TStripTabStates, TStripTabStates) { ++changes; };
  Strip->OnAfterDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer) {
    if (T == itTabContainer) ++paints;
  };
  TestHarness::AdvanceClock(15);
  Strip->AnimationTick(nullptr);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(paints, 0);
}

TEST_F(TabStripTest, SpinnersStepAtTheirOwnPace) {
  TStripTab* T = AddTab(u"A");
  Settle();
  T->SetSpinnerState(tssRenderedDownload);
  TStripTabControl* C = Strip->GetTabControl(0);
  // Ticks every 15 ms; the spinner steps once its 50 ms have passed, that is every fourth tick.
  std::vector<int> steps;
  Integer angle = C->SpinnerRenderedDegrees();
  for (int i = 0; i < 12; ++i) {
    TestHarness::AdvanceClock(15);
    Strip->AnimationTick(nullptr);
    if (C->SpinnerRenderedDegrees() != angle) {
      steps.push_back(i);
      EXPECT_TRUE(Strip->HasState(stsAnimatingStyle));
    }
    angle = C->SpinnerRenderedDegrees();
  }
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[1] - steps[0], 4);
  EXPECT_EQ(steps[2] - steps[1], 4);
}

// --- Persistence -------------------------------------------------------------------------------------------------

TEST_F(TabStripTest, OptionsAsStatements) {
  const String Code = Strip->OptionsToCode();
  EXPECT_NE(Code.find(u"TabStrip1.Options.Display.Tabs.TabOverlap := 15;\r\n"), String::npos);
  EXPECT_EQ(Code.find(u" = "), String::npos);
  EXPECT_NE(Strip->LookAndFeelToCode().find(u"TabStrip1.LookAndFeel."), String::npos);
}

TEST_F(TabStripTest, SavedOptionsReplaceTheFileAndLoadIntoAnotherStrip) {
  const TTempFolder Folder("tabs_view");
  const String Name = Folder.File(u"tabs-view-options.txt");
  {
    TFileStream Old(Name, fmCreate);
    Old.WriteBuffer(std::string_view("left over from before, much longer than nothing at all"));
  }
  Strip->Options()->Display()->Tabs()->SetTabOverlap(9);
  Strip->Options()->Behaviour()->SetDebugMode(true);
  Strip->SaveOptions(Name);
  TTabStrip* Other = MakeStrip(Form, 100);
  Integer paints = 0;
  Other->OnAfterDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer) {
    if (T == itTabContainer) ++paints;
  };
  Other->LoadOptions(Name);
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(Other->Options()->Display()->Tabs()->TabOverlap(), 9);
  EXPECT_TRUE(Other->Options()->Behaviour()->DebugMode());
  EXPECT_EQ(Other->OptionsToCode(), Strip->OptionsToCode());
}

}  // namespace

namespace {

TEST_F(TabStripTest, LastTabOfAFullRowGoesAtOnceAndIsReportedGone) {
  PlainLayout();
  for (Integer i = 0; i < 3; ++i) AddTab(u"T");
  Settle();
  ASSERT_EQ(Strip->GetTabDisplayState(), tdCompressed);
  std::vector<std::pair<TStripTab*, TTabChangeType>> seen;
  Strip->OnChange = [&](TObject*, TStripTab* T, TTabChangeType C) { seen.emplace_back(T, C); };
  Strip->Tabs()->DeleteTab(2, false);
  EXPECT_EQ(Strip->Tabs()->Count(), 2);
  ASSERT_FALSE(seen.empty());
  bool reportedGone = false;
  for (const auto& [T, C] : seen)
    if (C == tcDeleted) reportedGone = T == nullptr;
  EXPECT_TRUE(reportedGone);
}

// A report without a tab (a tab removed at once) only tells the strip's OnChange; the strip
// draws nothing for it.
TEST_F(TabStripTest, AReportWithoutATabFiresOnChangeOnly) {
  PlainLayout();
  for (Integer i = 0; i < 3; ++i) AddTab(u"T");
  Settle();
  Integer paints = 0;
  Strip->OnAfterDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType T, Integer) {
    if (T == itTabContainer) ++paints;
  };
  std::vector<std::pair<TStripTab*, TTabChangeType>> seen;
  Strip->OnChange = [&](TObject*, TStripTab* T, TTabChangeType C) { seen.emplace_back(T, C); };
  Strip->TabChanged(nullptr, tcDeleted);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], std::make_pair(static_cast<TStripTab*>(nullptr), tcDeleted));
  EXPECT_EQ(paints, 0);
}

TEST_F(TabStripTest, TabsRemovedAtOnceLeaveNoGap) {
  PlainLayout();
  for (Integer i = 0; i < 3; ++i) AddTab(u"T");
  Strip->SetActiveTabIndex(2);
  Settle();
  Strip->Tabs()->DeleteTab(0, true);
  ASSERT_EQ(Strip->Tabs()->Count(), 2);
  Strip->Redraw();  // a tab removed at once redraws nothing itself; the next paint closes the gap
  EXPECT_EQ(EndRect(0).Left, 0);
  EXPECT_EQ(EndRect(1).Left, 200);
}

}  // namespace

namespace {

// The strip's own clock: its worker hands every tick to the GUI thread, which serves it here.
TEST(TabStripClockTest, TheTimerThreadDrivesTheAnimationAndStopsWithTheStrip) {
  TManualClock Clock;
  TForm* Form = new TForm(nullptr);
  Form->SetBounds(0, 0, 640, 240);
  TTabStrip* Strip = new TTabStrip(Form);
  Strip->SetParent(Form);
  Strip->SetBounds(0, 0, 500, 30);
  Form->AfterConstruction();
  ASSERT_TRUE(Strip->AnimateTimer()->Enabled());
  Strip->Tabs()->Add();
  Strip->Tabs()->Add();
  TStripTabControl* C = Strip->GetTabControl(1);
  ASSERT_TRUE(C->Moving());
  // Each served tick lets the worker sleep on the manual clock, which moves time on.
  while (C->Moving() || Strip->HasState(stsAnimatingNewTab))
    ASSERT_TRUE(CheckSynchronize(5000)) << "no tick came";
  EXPECT_EQ(C->ControlRect(), C->EndRect());
  // The first option change gave the clock the strip's interval.
  EXPECT_EQ(Strip->AnimateTimer()->Interval(), 15);
  TComponent::Free(Form);
}

}  // namespace

namespace {

TEST_F(TabStripTest, TabsAsWideAsTheirContent) {
  PlainLayout();
  Strip->Options()->Display()->Tabs()->SetTabWidthFromContent(true);
  AddTab(u"A");
  AddTab(u"A much longer caption");
  Settle();
  const Integer Short = EndRect(0).Width(), Long = EndRect(1).Width();
  EXPECT_GE(Short, 25 + 15);
  EXPECT_GT(Long, Short);
  EXPECT_EQ(EndRect(1).Left, EndRect(0).Right - 15);
  // A handler has the last word on each width.
  Strip->OnSetTabWidth = [](TObject*, TStripTabControl*, Integer& Width) { Width = 50; };
  Strip->Options()->Display()->Tabs()->SetTabOverlap(10);
  EXPECT_EQ(EndRect(0).Width(), 60);
  EXPECT_EQ(EndRect(1), TRect(50, 4, 110, 30));
}

TEST_F(TabStripTest, MirroredLayoutsDrawAndHitFromTheRight) {
  PlainLayout();
  AddTab(u"A");
  AddTab(u"B");
  Strip->SetActiveTabIndex(0);
  Settle();
  Strip->SetBiDiMode(bdRightToLeft);
  // The layout stays; the controls draw mirrored within the client area.
  EXPECT_EQ(EndRect(0), TRect(0, 4, 215, 30));
  EXPECT_EQ(Strip->GetTabControl(0)->GetBiDiControlRect(), TRect(285, 4, 500, 30));
  EXPECT_EQ(Strip->HitTest(TPoint(480, 20), false), (THitTestResult{0, htTab}));
  EXPECT_EQ(Strip->HitTest(TPoint(20, 20), false).HitTestArea, htBackground);
  // Reading order alone does not mirror.
  Strip->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_EQ(Strip->HitTest(TPoint(20, 20), false), (THitTestResult{0, htTab}));
}

TEST_F(TabStripTest, WideningAScrolledStripKeepsTheRightEdgeInView) {
  Strip->Options()->Display()->Tabs()->SetMinWidth(100);
  for (Integer i = 0; i < 10; ++i) AddTab(u"T");
  Settle();
  Strip->SetScrollOffset(Strip->MaxScrollOffset());
  ASSERT_EQ(Strip->ScrollOffset(), 583);
  Strip->SetWidth(600);
  Strip->Redraw();
  EXPECT_EQ(Strip->ScrollOffset(), Strip->MaxScrollOffset());
  EXPECT_LT(Strip->ScrollOffset(), 583);
}

TEST_F(TabStripTest, DebugModeLogsEachPaint) {
  std::vector<String> log;
  Strip->OnDebugLog = [&](TObject*, const String& Text) { log.push_back(Text); };
  Strip->Redraw();
  EXPECT_TRUE(log.empty());
  Strip->Options()->Behaviour()->SetDebugMode(true);
  Strip->Redraw();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), u"Canvas Draw: 0 ms");
}

// The page selector of a dialog: three tabs, one hidden, no add button, no close buttons, no
// dragging; clicks through the window system choose the page.
TEST(TabStripPageSelectorTest, ClicksChooseThePage) {
  TestHarness::UseFakeClock(true);
  TForm* Form = new TForm(nullptr);
  Form->SetBounds(0, 0, 640, 240);
  TTabStrip* Strip = new TTabStrip(Form);
  Strip->AnimateTimer()->SetEnabled(false);
  Strip->SetParent(Form);
  Strip->SetBounds(8, 8, 400, 30);
  Strip->Options()->Display()->AddButton()->SetVisibility(avNone);
  Strip->Options()->Display()->CloseButton()->SetVisibility(bvNever);
  Strip->Options()->DragDrop()->SetDragType(dtNone);
  for (const char16_t* C : {u"Devices", u"Smart-ACK", u"Gateway"}) Strip->Tabs()->Add()->SetCaption(C);
  Form->AfterConstruction();
  std::vector<String> pages;
  Strip->OnActiveTabChanged = [&](TObject*, TStripTab* T) { pages.push_back(T->Caption()); };
  Strip->Tabs()->Items(2)->SetVisible(false);
  Strip->SetActiveTabIndex(0);
  TestHarness::ShowForm(Form);
  for (int i = 0; i < 20; ++i) {
    TestHarness::AdvanceClock(15);
    Strip->AnimationTick(nullptr);
  }
  const TRect Second = Strip->GetTabControl(1)->ControlRectScrolled();
  TestHarness::Click(Strip, TPoint(Second.Left + 40, 20));
  const TRect First = Strip->GetTabControl(0)->ControlRectScrolled();
  TestHarness::Click(Strip, TPoint(First.Left + 40, 20));
  EXPECT_EQ(pages, (std::vector<String>{u"Smart-ACK", u"Devices"}));
  EXPECT_EQ(Strip->ActiveTabIndex(), 0);
  TComponent::Free(Form);
  TestHarness::UseFakeClock(false);
}

}  // namespace
