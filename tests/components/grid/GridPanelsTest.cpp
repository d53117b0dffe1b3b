// The two filter lists.
#include <gtest/gtest.h>

#include "components/grid/ExGridFilter.h"
#include "tests/components/grid/GridSettingsTestUtil.h"

// --- Filter lists --------------------------------------------------------------------------------

struct FilterListTest : GridSettingsFixture {
  std::vector<Integer> Chosen;
};

TEST_F(FilterListTest, EnterAndAReleaseInsideChooseAndHideTheList) {
  auto* List = new TDropList(Grid);
  List->SetParent(Grid);
  List->SetBounds(10, 30, 120, 100);
  List->Items()->Add(u"(All)");
  List->Items()->Add(u"Small");
  List->Items()->Add(u"Large");
  List->OnSelect = [this](TObject*, Integer I) { Chosen.push_back(I); };
  List->SetItemIndex(2);
  List->Show();
  TestHarness::SendKeyStroke(List, VK_RETURN, TShiftState(), u"\r");
  EXPECT_EQ(Chosen, (std::vector<Integer>{2}));
  EXPECT_FALSE(List->Visible());

  List->Show();
  TestHarness::SendMouse(List, WM_LBUTTONUP, TPoint{200, 5});  // outside: nothing
  EXPECT_TRUE(List->Visible());
  List->SetItemIndex(1);
  TestHarness::SendMouse(List, WM_LBUTTONUP, TPoint{5, 5});
  EXPECT_EQ(Chosen, (std::vector<Integer>{2, 1}));
  EXPECT_FALSE(List->Visible());
  EXPECT_GT(List->TextWidth(u"Large"), 0);
}

TEST_F(FilterListTest, CancelModeClosesOnlyWithTheMouseOutside) {
  auto* List = new TDropList(Grid);
  List->SetParent(Grid);
  List->SetBounds(10, 30, 120, 100);
  List->Show();
  const TPoint Inside = List->ClientToScreen(TPoint{20, 20});
  SetCursorPosSource([&] { return Inside; });
  List->Perform(CM_CANCELMODE);
  EXPECT_TRUE(List->Visible());
  const TPoint Outside = List->ClientToScreen(TPoint{300, 20});
  SetCursorPosSource([&] { return Outside; });
  List->Perform(CM_CANCELMODE);
  EXPECT_FALSE(List->Visible());

  auto* Checks = new TDropCheckList(Grid);
  Checks->SetParent(Grid);
  Checks->SetBounds(10, 30, 120, 100);
  Checks->Show();
  Checks->Perform(WM_KILLFOCUS);  // the focus went elsewhere with the mouse outside
  EXPECT_FALSE(Checks->Visible());
  SetCursorPosSource(nullptr);
}

TEST_F(FilterListTest, CheckMarksToggleByClickAndSpaceAndReportEachChange) {
  auto* List = new TDropCheckList(Grid);
  List->SetParent(Grid);
  List->SetBounds(10, 30, 150, 100);
  for (const char16_t* T : {u"Berlin", u"Milan", u"Zurich"}) List->Items()->Add(T);
  List->OnSelect = [this](TObject*, Integer I) { Chosen.push_back(I); };
  List->Show();
  TestHarness::ProcessEvents();

  const Integer H = List->ItemHeight();
  TestHarness::SendMouse(List, WM_LBUTTONDOWN, TPoint{30, 1 + H + H / 2}, MK_LBUTTON);
  TestHarness::SendMouse(List, WM_LBUTTONUP, TPoint{30, 1 + H + H / 2});
  EXPECT_TRUE(List->Checked(1));
  EXPECT_EQ(List->ItemIndex(), 1);
  TestHarness::SendKeyStroke(List, VK_DOWN, TShiftState(), String());
  TestHarness::SendKeyStroke(List, VK_SPACE, TShiftState(), u" ");
  EXPECT_TRUE(List->Checked(2));
  TestHarness::SendKeyStroke(List, VK_SPACE, TShiftState(), u" ");
  EXPECT_FALSE(List->Checked(2));
  EXPECT_EQ(Chosen, (std::vector<Integer>{-1, -1, -1}));
  EXPECT_TRUE(List->Visible());

  List->SetChecked(0, true);  // by code: no report
  EXPECT_EQ(Chosen.size(), 3u);
  List->Items()->Clear();
  EXPECT_EQ(List->Count(), 0);
  EXPECT_FALSE(List->Checked(0));
}

TEST_F(FilterListTest, ALongCheckListScrollsToItsCurrentEntry) {
  auto* List = new TDropCheckList(Grid);
  List->SetParent(Grid);
  List->SetBounds(10, 30, 150, 10 * 0 + 80);
  for (Integer i = 0; i < 30; ++i) List->Items()->Add(u"Entry " + IntToStr(i));
  List->Show();
  List->SetItemIndex(25);
  EXPECT_LE(List->TopIndex(), 25);
  EXPECT_GT(List->TopIndex() + (List->ClientHeight() - 2) / List->ItemHeight(), 25);
  TestHarness::SendKeyStroke(List, VK_HOME, TShiftState(), String());
  EXPECT_EQ(List->TopIndex(), 0);
  EXPECT_EQ(List->ItemIndex(), 0);
}
