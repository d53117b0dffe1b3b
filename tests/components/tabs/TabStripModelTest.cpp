// The tab model: tabs, the tab list and their change reports to the strip.
#include <gtest/gtest.h>

#include "components/tabs/TabStripClasses.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "tests/components/tabs/FakeTabStrip.h"

namespace {

using TReport = TFakeTabStrip::TReport;

class TabModelTest : public ::testing::Test {
 protected:
  // A strip with tabs "A", "B", "C" and the reports of building them forgotten.
  void MakeTabs(Integer Count) {
    for (Integer i = 0; i < Count; ++i) Strip.AddTab(String(1, static_cast<Char>(u'A' + i)));
    Strip.Reports.clear();
  }
  TStripTab* Tab(Integer Index) { return Strip.Tabs()->Items(Index); }
  Integer ActiveIndex() {
    TStripTab* active = Strip.Tabs()->ActiveTab();
    return active ? active->Index() : -1;
  }
  void DeleteWithoutAnimation() {
    Strip.GetOptions()->Animation()->SetDefaultMovementEaseType(ttNone);
  }

  TFakeTabStrip Strip;
};

// Marks a control as freed.
class TProbeControl : public TObject {
 public:
  explicit TProbeControl(bool& Freed) : FFreed(Freed) {}
  ~TProbeControl() override { FFreed = true; }

 private:
  bool& FFreed;
};

TEST_F(TabModelTest, NewTabIsReportedWithItsDefaultsInPlace) {
  Integer imageIndexSeen = 0;
  bool visibleSeen = false;
  Strip.OnReport = [&](TStripTab* Tab, TTabChangeType Change) {
    if (Change != tcAdded) return;
    imageIndexSeen = Tab->ImageIndex();
    visibleSeen = Tab->Visible();
  };
  TStripTab* tab = Strip.Tabs()->Add();
  ASSERT_EQ(Strip.Reports.size(), 1u);
  EXPECT_EQ(Strip.Reports[0], (TReport{tab, tcAdded}));
  EXPECT_EQ(imageIndexSeen, -1);
  EXPECT_TRUE(visibleSeen);
  EXPECT_EQ(tab->ImageIndexOverlay(), -1);
  EXPECT_FALSE(tab->Active());
  EXPECT_EQ(tab->SpinnerState(), tssNone);
  EXPECT_EQ(tab->Collection(), Strip.Tabs());
}

TEST_F(TabModelTest, PropertyWritesReportOnlyChanges) {
  MakeTabs(1);
  TStripTab* tab = Tab(0);
  struct TCase {
    const char* Name;
    std::function<void()> Write;
    bool Reports;
  };
  const TCase cases[] = {
      {"caption changed", [&] { tab->SetCaption(u"X"); }, true},
      {"caption equal", [&] { tab->SetCaption(u"X"); }, false},
      {"image index changed", [&] { tab->SetImageIndex(2); }, true},
      {"image index equal", [&] { tab->SetImageIndex(2); }, false},
      {"overlay changed", [&] { tab->SetImageIndexOverlay(1); }, true},
      {"modified changed", [&] { tab->SetModified(true); }, true},
      {"modified equal", [&] { tab->SetModified(true); }, false},
      {"spinner changed", [&] { tab->SetSpinnerState(tssRenderedUpload); }, true},
      {"spinner equal", [&] { tab->SetSpinnerState(tssRenderedUpload); }, false},
      {"tag stores only", [&] { tab->SetTag(7); }, false},
      {"hide close button stores only", [&] { tab->SetHideCloseButton(true); }, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Strip.Reports.clear();
    c.Write();
    if (c.Reports)
      EXPECT_EQ(Strip.Reports, (std::vector<TReport>{{tab, tcPropertyUpdated}}));
    else
      EXPECT_TRUE(Strip.Reports.empty());
  }
  EXPECT_EQ(tab->Tag(), 7);
  EXPECT_TRUE(tab->HideCloseButton());
}

TEST_F(TabModelTest, ActivationDeactivatesTheOthersAndClearsModifiedBeforeReporting) {
  MakeTabs(3);
  Tab(0)->SetActive(true);
  Tab(2)->SetModified(true);
  Strip.Reports.clear();
  bool modifiedAtActivation = true;
  TStripTab* askedOld = nullptr;
  TStripTab* askedNew = nullptr;
  Strip.OnChanging = [&](TStripTab* Old, TStripTab* New, bool&) {
    askedOld = Old;
    askedNew = New;
  };
  Strip.OnReport = [&](TStripTab* T, TTabChangeType C) {
    if (C == tcActivated) modifiedAtActivation = T->Modified();
  };
  Tab(2)->SetActive(true);
  EXPECT_EQ(askedOld, Tab(0));
  EXPECT_EQ(askedNew, Tab(2));
  EXPECT_FALSE(modifiedAtActivation);
  EXPECT_EQ(Strip.Reports, (std::vector<TReport>{{Tab(0), tcDeactivated},
                                                 {Tab(0), tcPropertyUpdated},
                                                 {Tab(2), tcActivated},
                                                 {Tab(2), tcPropertyUpdated}}));
  EXPECT_EQ(ActiveIndex(), 2);
  EXPECT_FALSE(Tab(0)->Active());
}

TEST_F(TabModelTest, WritingTheCurrentActiveStateDoesNothing) {
  MakeTabs(2);
  Tab(0)->SetActive(true);
  Strip.Reports.clear();
  Tab(0)->SetActive(true);
  Tab(1)->SetActive(false);
  EXPECT_TRUE(Strip.Reports.empty());
}

TEST_F(TabModelTest, VetoLeavesBothTabsAndModifiedAsTheyWere) {
  MakeTabs(2);
  Tab(0)->SetActive(true);
  Tab(1)->SetModified(true);
  Strip.Reports.clear();
  Strip.OnChanging = [](TStripTab*, TStripTab*, bool& Allow) { Allow = false; };
  Tab(1)->SetActive(true);
  EXPECT_TRUE(Strip.Reports.empty());
  EXPECT_TRUE(Tab(0)->Active());
  EXPECT_FALSE(Tab(1)->Active());
  EXPECT_TRUE(Tab(1)->Modified());
  // Deactivation is never asked.
  Tab(0)->SetActive(false);
  EXPECT_EQ(ActiveIndex(), -1);
}

TEST_F(TabModelTest, DeleteTabReportsAndActivatesTheRightNeighbour) {
  struct TCase {
    const char* Name;
    Integer Count;
    Integer Active;  // -1: none
    Integer Delete;
    bool DeleteNow;
    bool Animated;  // the delete animation has an ease type
    Integer CountAfter;
    Integer ActiveAfter;
    bool Marked;
  };
  const TCase cases[] = {
      {"middle active, now", 3, 1, 1, true, true, 2, 1, false},
      {"middle active, animated", 3, 1, 1, false, true, 3, 2, true},
      {"middle active, no animation", 3, 1, 1, false, false, 2, 1, false},
      {"last active", 3, 2, 2, true, true, 2, 1, false},
      {"last active, animated", 3, 2, 2, false, true, 3, 1, true},
      {"only tab", 1, 0, 0, true, true, 0, -1, false},
      {"inactive tab", 3, 0, 2, true, true, 2, 0, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeTabStrip strip;
    if (!c.Animated) strip.GetOptions()->Animation()->SetDefaultMovementEaseType(ttNone);
    for (Integer i = 0; i < c.Count; ++i) strip.AddTab(String(1, static_cast<Char>(u'A' + i)));
    if (c.Active >= 0) strip.Tabs()->Items(c.Active)->SetActive(true);
    TStripTab* deleted = strip.Tabs()->Items(c.Delete);
    strip.Reports.clear();
    strip.Tabs()->DeleteTab(c.Delete, c.DeleteNow);
    ASSERT_GE(strip.Reports.size(), 2u);
    EXPECT_EQ(strip.Reports[0], (TReport{deleted, tcDeleting}));
    EXPECT_EQ(strip.Reports[1], (TReport{c.Marked ? deleted : nullptr, tcDeleted}));
    EXPECT_EQ(strip.Tabs()->Count(), c.CountAfter);
    TStripTab* active = strip.Tabs()->ActiveTab();
    if (c.ActiveAfter < 0)
      EXPECT_EQ(active, nullptr);
    else
      EXPECT_EQ(active, strip.Tabs()->Items(c.ActiveAfter));
    if (c.Marked) {
      EXPECT_TRUE(deleted->MarkedForDeletion());
    }
  }
}

TEST_F(TabModelTest, MarkedTabIsRemovedSilentlyOnTheSecondDelete) {
  MakeTabs(2);
  Strip.Tabs()->DeleteTab(1, false);
  ASSERT_TRUE(Tab(1)->MarkedForDeletion());
  Strip.Reports.clear();
  Strip.Tabs()->DeleteTab(1, false);
  EXPECT_EQ(Strip.Tabs()->Count(), 1);
  EXPECT_TRUE(Strip.Reports.empty());
}

TEST_F(TabModelTest, ATabShrinkingAwayIsNeverMadeActive) {
  MakeTabs(4);  // A B C D
  Tab(1)->SetActive(true);
  Strip.Tabs()->DeleteTab(2, false);  // C shrinks
  ASSERT_TRUE(Tab(2)->MarkedForDeletion());
  // Closing the active B would hand over to its right neighbour C, which is going: D takes over.
  Strip.Tabs()->DeleteTab(1, false);
  EXPECT_EQ(Strip.Tabs()->ActiveTab(), Tab(3));
  // Closing D, the last, with everything between marked: the nearest staying tab to the left.
  Strip.Tabs()->DeleteTab(3, true);
  EXPECT_EQ(Strip.Tabs()->ActiveTab(), Tab(0));
}

TEST_F(TabModelTest, HidingTheActiveTabDeactivatesItBeforeTheVisibilityReport) {
  MakeTabs(2);
  Tab(1)->SetActive(true);
  Strip.Reports.clear();
  Tab(1)->SetVisible(false);
  EXPECT_EQ(Strip.Reports, (std::vector<TReport>{{Tab(1), tcDeactivated},
                                                 {Tab(1), tcPropertyUpdated},
                                                 {Tab(1), tcVisibility}}));
  // An unchanged value still reports.
  Strip.Reports.clear();
  Tab(0)->SetVisible(true);
  EXPECT_EQ(Strip.Reports, (std::vector<TReport>{{Tab(0), tcVisibility}}));
}

TEST_F(TabModelTest, PinningMovesTheTabToTheEndOfThePinnedRunAndActivatesIt) {
  MakeTabs(4);  // A B C D
  TStripTab* c = Tab(2);
  c->SetPinned(true);
  EXPECT_EQ(c->Index(), 0);  // no pinned tab yet: to the front
  EXPECT_TRUE(c->Active());
  TStripTab* d = Tab(3);
  Strip.Reports.clear();
  d->SetPinned(true);
  EXPECT_EQ(d->Index(), 1);  // after C
  ASSERT_FALSE(Strip.Reports.empty());
  EXPECT_EQ(Strip.Reports[0], (TReport{d, tcPinned}));
  EXPECT_TRUE(d->Active());
  // Unpinning the first of the run moves it to the end of the run.
  c->SetPinned(false);
  EXPECT_EQ(c->Index(), 1);
  EXPECT_EQ(d->Index(), 0);
  EXPECT_EQ(Strip.GetLastPinnedIndex(), 0);
  // No change, no report.
  Strip.Reports.clear();
  d->SetPinned(true);
  EXPECT_TRUE(Strip.Reports.empty());
}

TEST_F(TabModelTest, ListMoveReportsTheTabAtItsNewPlace) {
  MakeTabs(3);
  TStripTab* a = Tab(0);
  Strip.Tabs()->Move(0, 2);
  EXPECT_EQ(Tab(2), a);
  EXPECT_EQ(Strip.Reports, (std::vector<TReport>{{a, tcMoved}}));
  EXPECT_THROW(Strip.Tabs()->Move(0, 3), EListError);
  EXPECT_THROW(Strip.Tabs()->Move(5, 0), EListError);
}

TEST_F(TabModelTest, IndexesOutsideTheListRaiseTheListIndexError) {
  MakeTabs(3);
  try {
    Strip.Tabs()->Items(5);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), u"List index out of bounds (5)");
  }
  EXPECT_THROW(Strip.Tabs()->DeleteTab(-1, true), EListError);
}

TEST_F(TabModelTest, ActiveTabWriteIgnoresTabsOfOtherLists) {
  MakeTabs(2);
  TFakeTabStrip other;
  TStripTab* foreign = other.AddTab(u"X");
  Strip.Tabs()->SetActiveTab(foreign);
  Strip.Tabs()->SetActiveTab(nullptr);
  EXPECT_EQ(Strip.Tabs()->ActiveTab(), nullptr);
  EXPECT_FALSE(foreign->Active());
  Strip.Tabs()->SetActiveTab(Tab(1));
  EXPECT_EQ(ActiveIndex(), 1);
  EXPECT_EQ(Strip.Tabs()->IndexOf(foreign), -1);
  EXPECT_EQ(Strip.Tabs()->IndexOf(Tab(1)), 1);
}

TEST_F(TabModelTest, ListWithoutStripRefusesTabsAndKeepsNone) {
  TComponent owner(nullptr);
  TTabStripList list(&owner);
  try {
    list.Add();
    FAIL() << "no error";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), u"Collection owner must support IStripTabInterface");
  }
  EXPECT_EQ(list.Count(), 0);
  // A tab made outside any list reports to nobody.
  TStripTab loose(nullptr);
  loose.SetCaption(u"x");
  loose.SetActive(true);
  EXPECT_TRUE(loose.Active());
  EXPECT_EQ(loose.GetStripTabInterface(), nullptr);
}

TEST_F(TabModelTest, AssignCopiesTheTabsAndReportsOnce) {
  MakeTabs(1);
  TFakeTabStrip source;
  source.AddTab(u"One")->SetImageIndex(3);
  source.AddTab(u"Two")->SetTag(9);
  Strip.Reports.clear();
  Strip.Tabs()->Assign(source.Tabs());
  ASSERT_EQ(Strip.Tabs()->Count(), 2);
  EXPECT_EQ(Tab(0)->Caption(), u"One");
  EXPECT_EQ(Tab(0)->ImageIndex(), 3);
  EXPECT_EQ(Tab(1)->Tag(), 9);
  ASSERT_FALSE(Strip.Reports.empty());
  EXPECT_EQ(Strip.Reports.back(), (TReport{nullptr, tcPropertyUpdated}));
}

TEST_F(TabModelTest, ItemsWriteReportsTheTabThatTookTheValues) {
  MakeTabs(2);
  TFakeTabStrip other;
  TStripTab* source = other.AddTab(u"Copied");
  Strip.Reports.clear();
  Strip.Tabs()->SetItems(1, source);
  EXPECT_EQ(Tab(1)->Caption(), u"Copied");
  ASSERT_FALSE(Strip.Reports.empty());
  EXPECT_EQ(Strip.Reports.back(), (TReport{Tab(1), tcAdded}));
  for (const TReport& r : Strip.Reports) EXPECT_NE(r.Tab, source);
}

TEST_F(TabModelTest, DisplayTextsAndImageVisibility) {
  MakeTabs(1);
  TStripTab* tab = Tab(0);
  EXPECT_EQ(tab->DisplayName(), u"A");
  EXPECT_EQ(tab->DisplayCaption(), u"A");
  EXPECT_FALSE(tab->ImageIsVisible());
  tab->SetImageIndexOverlay(0);
  EXPECT_TRUE(tab->ImageIsVisible());
  tab->SetPinned(true);
  EXPECT_EQ(tab->DisplayCaption(), u"");
  tab->SetCaption(u"");
  EXPECT_EQ(tab->DisplayName(), u"TStripTab");
  // The drawable's view of the tab.
  IStripTab* view = tab;
  EXPECT_EQ(view->GetTab(), tab);
  EXPECT_EQ(view->GetIndex(), 0);
  EXPECT_TRUE(view->GetPinned());
  int data = 0;
  view->SetData(&data);
  EXPECT_EQ(tab->Data(), &data);
}

TEST_F(TabModelTest, DeletingATabFreesItsControl) {
  MakeTabs(2);
  bool freed = false;
  Tab(1)->SetTabControl(new TProbeControl(freed));
  Strip.Tabs()->DeleteTab(1, true);
  EXPECT_TRUE(freed);
}

TEST(DragTabObjectTest, KeepsItsValuesAndReleasesItsForm) {
  TDragTabObjectPtr drag = std::make_shared<TDragTabObject>();
  drag->SetDropTabIndex(4);
  drag->SetDragOverType(dotRemoteContainer);
  drag->SetOriginalControlRect(TRect(1, 2, 3, 4));
  drag->SetDragCursorOffset(TPoint(5, 6));
  EXPECT_EQ(drag->GetDropTabIndex(), 4);
  EXPECT_EQ(drag->GetDragOverType(), dotRemoteContainer);
  EXPECT_EQ(drag->GetOriginalControlRect(), TRect(1, 2, 3, 4));
  EXPECT_EQ(drag->GetDragCursorOffset(), TPoint(5, 6));
  EXPECT_EQ(drag->GetDragForm(), nullptr);
  drag.reset();  // without a form nothing more happens
}

// Learns when a component it watches is freed.
class TFreeWatcher : public TComponent {
 public:
  TFreeWatcher() : TComponent(nullptr) {}
  bool Freed = false;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) Freed = true;
  }
};

TEST(DragTabObjectTest, ReleasingTheLastReferenceFreesTheDragFormLater) {
  TFreeWatcher watcher;
  auto* form = new TForm(nullptr);
  form->FreeNotification(&watcher);
  TDragTabObjectPtr drag = std::make_shared<TDragTabObject>();
  drag->SetDragForm(form);
  drag.reset();
  EXPECT_FALSE(watcher.Freed);  // closed once the events being handled are done
  TestHarness::ProcessEvents();
  EXPECT_TRUE(watcher.Freed);
}

}  // namespace
