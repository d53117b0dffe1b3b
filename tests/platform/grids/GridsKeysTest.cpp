// The keyboard: navigation keys, selection by Shift, the dialog-key claims, OnKeyDown first.
#include "tests/platform/grids/GridTestUtil.h"

namespace {

using Keys = GridFixture;

TEST_F(Keys, NavigationTable) {
  Grid->SetRowCount(20);
  Grid->SetColCount(8);
  struct Case {
    const char* Name;
    TGridCoord Start;
    Word Key;
    TShiftState Shift;
    TGridCoord End;
  };
  const Case cases[] = {
      {"down", {2, 2}, VK_DOWN, {}, {2, 3}},
      {"up stops at the first normal row", {2, 1}, VK_UP, {}, {2, 1}},
      {"left stops at the first normal column", {1, 5}, VK_LEFT, {}, {1, 5}},
      {"right", {2, 5}, VK_RIGHT, {}, {3, 5}},
      {"right stops at the last column", {7, 5}, VK_RIGHT, {}, {7, 5}},
      {"down stops at the last row", {3, 19}, VK_DOWN, {}, {3, 19}},
      {"page down moves a visible page", {2, 2}, VK_NEXT, {}, {2, 6}},
      {"page up", {2, 10}, VK_PRIOR, {}, {2, 6}},
      {"page up stops at the first normal row", {2, 3}, VK_PRIOR, {}, {2, 1}},
      {"home", {5, 7}, VK_HOME, {}, {1, 7}},
      {"end", {2, 7}, VK_END, {}, {7, 7}},
      {"ctrl+home", {5, 7}, VK_HOME, ssCtrl, {1, 1}},
      {"ctrl+end", {2, 7}, VK_END, ssCtrl, {7, 19}},
      {"tab without goTabs does nothing", {2, 2}, VK_TAB, {}, {2, 2}},
  };
  for (const Case& k : cases) {
    Grid->SetSelection(GridRect(k.Start, k.Start));
    Key(k.Key, k.Shift);
    EXPECT_EQ(Current(Grid), Cell(k.End.X, k.End.Y)) << k.Name;
    EXPECT_EQ(SelText(Grid->Selection()), Cell(k.End.X, k.End.Y) + "-" + Cell(k.End.X, k.End.Y)) << k.Name;
  }
}

TEST_F(Keys, TabsWithGoTabsWalkInReadingOrderAndWrap) {
  Grid->SetOptions(Grid->Options() << goTabs);
  struct Case {
    const char* Name;
    TGridCoord Start;
    TShiftState Shift;
    TGridCoord End;
  };
  const Case cases[] = {
      {"next", {2, 2}, {}, {3, 2}},
      {"next row", {4, 2}, {}, {1, 3}},
      {"back to the first cell", {4, 4}, {}, {1, 1}},
      {"previous", {3, 2}, ssShift, {2, 2}},
      {"previous row", {1, 3}, ssShift, {4, 2}},
      {"back to the last cell", {1, 1}, ssShift, {4, 4}},
  };
  for (const Case& k : cases) {
    Grid->SetSelection(GridRect(k.Start, k.Start));
    Key(VK_TAB, k.Shift);
    EXPECT_EQ(Current(Grid), Cell(k.End.X, k.End.Y)) << k.Name;
  }
}

TEST_F(Keys, ShiftExtendsTheSelectionOnlyWithGoRangeSelect) {
  Key(VK_DOWN, ssShift);
  Key(VK_RIGHT, ssShift);
  EXPECT_EQ(SelText(Grid->Selection()), "1,1-2,2");
  Key(VK_RIGHT);
  EXPECT_EQ(SelText(Grid->Selection()), "3,2-3,2");
  Grid->SetOptions(Grid->Options() >> goRangeSelect);
  Key(VK_DOWN, ssShift);
  EXPECT_EQ(SelText(Grid->Selection()), "3,3-3,3");
}

TEST_F(Keys, RowSelectScrollsWithLeftAndRightAndWalksRowsWithHomeAndEnd) {
  Grid->SetOptions(Grid->Options() << goRowSelect);
  Grid->SetRow(3);
  Key(VK_RIGHT);
  EXPECT_EQ(Grid->LeftCol(), 2);
  EXPECT_EQ(Current(Grid), "1,3");
  Key(VK_RIGHT);
  EXPECT_EQ(Grid->LeftCol(), 2) << "the scrolling maximum";
  Key(VK_LEFT);
  EXPECT_EQ(Grid->LeftCol(), 1);
  Key(VK_END);
  EXPECT_EQ(Grid->Row(), 4);
  Key(VK_HOME);
  EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(Keys, MovingScrollsTheCurrentCellIntoView) {
  Grid->SetRowCount(20);
  Grid->SetRow(4);
  Key(VK_DOWN);
  EXPECT_EQ(Grid->TopRow(), 2);
  Key(VK_END, ssCtrl);
  EXPECT_EQ(Grid->TopRow(), 16);
  EXPECT_EQ(Grid->LeftCol(), 2);
  Key(VK_HOME, ssCtrl);
  EXPECT_EQ(Grid->TopRow(), 1);
  EXPECT_EQ(Grid->LeftCol(), 1);
}

TEST_F(Keys, AMillionRowsScrollToTheEndAndBackAtOnce) {
  Grid->SetRowCount(1000000);
  Key(VK_END, ssCtrl);
  EXPECT_EQ(Current(Grid), "4,999999");
  EXPECT_EQ(Grid->TopRow(), 1000000 - 4);
  Grid->Repaint();
  Key(VK_PRIOR);
  EXPECT_EQ(Grid->TopRow(), 1000000 - 8);
  Key(VK_HOME, ssCtrl);
  EXPECT_EQ(Grid->TopRow(), 1);
}

TEST_F(Keys, OnKeyDownComesFirstAndCanSwallowTheKey) {
  std::vector<std::string> order;
  Grid->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
    order.push_back("OnKeyDown " + Current(Grid));
    if (key == VK_RIGHT) key = 0;
  };
  Grid->OnClick = [&](TObject*) { order.push_back("OnClick " + Current(Grid)); };
  Key(VK_DOWN);
  Key(VK_RIGHT);
  EXPECT_EQ(order, (std::vector<std::string>{"OnKeyDown 1,1", "OnClick 1,2", "OnKeyDown 1,2"}));
  EXPECT_EQ(Current(Grid), "1,2");
}

TEST_F(Keys, ACurrentCellParkedOutsideTheGridStartsFromTheNearestCell) {
  Grid->SetSelection(TGridRect{5, 5, 5, 5});
  Key(VK_UP);
  EXPECT_EQ(Current(Grid), "4,3");
}

TEST_F(Keys, TheGridClaimsArrowsAlwaysTabsAndCharactersByOptionAndEnterWhileEditable) {
  struct Case {
    const char* Name;
    TGridOptions Add;
    LRESULT DlgCode;
    LRESULT WantsEnter;
  };
  const Case cases[] = {
      {"plain", {}, DLGC_WANTARROWS, 0},
      {"tabs", {goTabs}, DLGC_WANTARROWS | DLGC_WANTTAB, 0},
      {"editing", {goEditing}, DLGC_WANTARROWS | DLGC_WANTCHARS, 1},
      {"row select", {goEditing, goTabs, goRowSelect}, DLGC_WANTARROWS, 0},
  };
  const TGridOptions base = Grid->Options();
  for (const Case& k : cases) {
    Grid->SetOptions(base + k.Add);
    EXPECT_EQ(Grid->Perform(WM_GETDLGCODE, 0, 0), k.DlgCode) << k.Name;
    EXPECT_EQ(Grid->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), k.WantsEnter) << k.Name;
  }
}

// Enter on a grid in a dialog: an editable grid keeps it, a read-only one lets the dialog have it.
class TEnterTaker : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  Integer Taken = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_DIALOGKEY && m.WParam == VK_RETURN) {
      ++Taken;
      m.Result = 1;
      return;
    }
    TCustomControl::WndProc(m);
  }
};

TEST_F(Keys, EnterReachesTheDialogOnlyWhenTheGridIsNotEditable) {
  auto* taker = new TEnterTaker(Form);
  taker->SetParent(Form);
  taker->SetBounds(0, 200, 10, 10);
  Key(VK_RETURN, {}, u"\r");
  EXPECT_EQ(taker->Taken, 1);
  Grid->SetOptions(Grid->Options() << goEditing);
  Key(VK_RETURN, {}, u"\r");
  EXPECT_EQ(taker->Taken, 1);
  EXPECT_TRUE(Grid->EditorMode()) << "Enter opened the editor instead";
}

}  // namespace
