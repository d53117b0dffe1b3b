// The two filter lists, and the search panel update from the grid.
#include <gtest/gtest.h>

#include "components/grid/ExGridFilter.h"
#include "components/grid/ExGridSearchPanel.h"
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

// --- Search panel update -------------------------------------------------------------------------

TEST_F(GridSettingsFixture, UpdateSearchPanelCarriesTheFooterSettingsExceptWhileLoading) {
  TSearchPanel* Panel = Grid->SearchPanel();
  ASSERT_NE(Panel, nullptr);
  TSearchFooter* SF = Grid->SearchFooter();
  Grid->BeginLoading();
  SF->SetVisible(true);
  SF->SetFindNextCaption(u"Find &next");
  SF->SetColor(0x00E0E0E0);
  UpdateSearchPanel(Grid);
  EXPECT_EQ(Panel->Height(), 0);
  EXPECT_EQ(Narrow(Panel->FindNextCaption()), "");
  Grid->EndLoading();

  UpdateSearchPanel(Grid);
  EXPECT_TRUE(Panel->Visible());
  EXPECT_EQ(Panel->Height(), 32);
  EXPECT_LE(Panel->Top() + 32, Grid->Height());
  EXPECT_EQ(Narrow(Panel->FindNextCaption()), "Find &next");
  EXPECT_EQ(Panel->Color(), TColor(0x00E0E0E0));

  SF->SetVisible(false);
  UpdateSearchPanel(Grid);
  EXPECT_EQ(Panel->Height(), 0);
}
