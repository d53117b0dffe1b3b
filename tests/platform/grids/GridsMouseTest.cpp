// The mouse: selecting by click and drag, sizing and moving columns and rows by their headers,
// timer 1 scrolling while dragging, the split cursor, the wheel.
#include "tests/platform/grids/GridTestUtil.h"

namespace {

using Mouse = GridFixture;

TEST_F(Mouse, AClickMakesTheCellCurrentAndClicksOnceAtTheRelease) {
  std::vector<std::string> order;
  Grid->OnClick = [&](TObject*) { order.push_back("OnClick " + Current(Grid)); };
  Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) {
    order.push_back("OnMouseDown " + Current(Grid));
  };
  Press(CentreOf(3, 2));
  EXPECT_EQ(Grid->GridState(), gsSelecting);
  EXPECT_TRUE(IsTimerRunning(Grid->Handle(), 1)) << "timer 1 runs while selecting";
  Release(CentreOf(3, 2));
  EXPECT_EQ(Grid->GridState(), gsNormal);
  EXPECT_FALSE(IsTimerRunning(Grid->Handle(), 1));
  EXPECT_EQ(order, (std::vector<std::string>{"OnMouseDown 3,2", "OnClick 3,2"}));
}

TEST_F(Mouse, DraggingSelectsARangeAndShiftClickExtendsIt) {
  Press(CentreOf(1, 1));
  MoveTo(CentreOf(2, 2));
  MoveTo(CentreOf(3, 3));
  Release(CentreOf(3, 3));
  EXPECT_EQ(SelText(Grid->Selection()), "1,1-3,3");
  EXPECT_EQ(Current(Grid), "3,3");
  ClickAt(CentreOf(2, 4), MK_SHIFT);
  EXPECT_EQ(SelText(Grid->Selection()), "1,1-2,4") << "the anchor stays";
  // Without goRangeSelect dragging only moves the current cell.
  Grid->SetOptions(Grid->Options() >> goRangeSelect);
  Press(CentreOf(1, 1));
  MoveTo(CentreOf(3, 2));
  Release(CentreOf(3, 2));
  EXPECT_EQ(SelText(Grid->Selection()), "3,2-3,2");
}

TEST_F(Mouse, PressesOnFixedCellsOrOutsideTheCellsSelectNothing) {
  for (TPoint p : {CentreOf(0, 2), CentreOf(2, 0), TPoint(70, 128)}) {
    ClickAt(p);
    EXPECT_EQ(Current(Grid), "1,1");
    EXPECT_EQ(Grid->GridState(), gsNormal);
  }
}

TEST_F(Mouse, SelectCellCanRefuseAClick) {
  Grid->Refuse = true;
  ClickAt(CentreOf(3, 3));
  EXPECT_EQ(Current(Grid), "1,1");
  EXPECT_EQ(Grid->Log.front(), "SelectCell 3,3");
}

TEST_F(Mouse, DraggingAHeaderBorderSizesTheColumn) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  // The right border of column 2 lies at x = 194 (the column spans 130 … 193).
  const Integer border = Grid->CellRect(2, 0).Right;
  Press(TPoint(border - 2, 10));
  EXPECT_EQ(Grid->GridState(), gsColSizing);
  MoveTo(TPoint(border + 30, 10));
  Release(TPoint(border + 30, 10));
  EXPECT_EQ(Grid->ColWidths(2), 64 + 32) << "the press was 2 pixels left of the border";
  EXPECT_EQ(Grid->GridState(), gsNormal);
  // Dragged far to the left the width stops at 0 and the column can be grown again.
  const Integer b1 = Grid->CellRect(1, 0).Right;
  Press(TPoint(b1, 5));
  MoveTo(TPoint(0, 5));
  Release(TPoint(0, 5));
  EXPECT_EQ(Grid->ColWidths(1), 0);
  Press(TPoint(Grid->CellRect(2, 0).Left - 1, 5));
  EXPECT_EQ(Grid->GridState(), gsColSizing);
  Release(TPoint(Grid->CellRect(2, 0).Left + 19, 5));
  EXPECT_EQ(Grid->ColWidths(1), 20) << "a column sized to nothing is grown again by its border";
}

TEST_F(Mouse, SizingBordersTable) {
  Grid->SetOptions(Grid->Options() << goColSizing << goRowSizing);
  struct Case {
    const char* Name;
    TPoint P;
    TGridState State;  // gsNormal: no sizing starts
    Integer Index;
  };
  // Column 1 spans x 65 … 128 (border at 129), row 1 spans y 25 … 48 (border at 49).
  const Case cases[] = {
      {"on a normal column's border", {129, 10}, gsColSizing, 1},
      {"three pixels left of it", {126, 10}, gsColSizing, 1},
      {"four pixels left of it", {125, 10}, gsNormal, -1},
      {"three pixels right of it", {132, 10}, gsColSizing, 1},
      {"the fixed column's border", {64, 10}, gsNormal, -1},
      {"a column border below the header", {129, 40}, gsNormal, -1},
      {"a normal row's border in the fixed column", {20, 49}, gsRowSizing, 1},
      {"the fixed row's border", {20, 24}, gsNormal, -1},
  };
  for (const Case& k : cases) {
    Press(k.P);
    const TGridState st = Grid->GridState();
    if (k.State == gsNormal) {
      EXPECT_TRUE(st != gsColSizing && st != gsRowSizing) << k.Name;
    } else {
      EXPECT_EQ(st, k.State) << k.Name;
      EXPECT_EQ(Grid->FSizingIndex, k.Index) << k.Name;
    }
    Grid->Perform(WM_CANCELMODE, 0, 0);
    Release(k.P);
  }
  // Without the options nothing sizes.
  Grid->SetOptions(Grid->Options() >> goColSizing >> goRowSizing);
  Press(TPoint(129, 10));
  EXPECT_EQ(Grid->GridState(), gsNormal);
  Release(TPoint(129, 10));
}

TEST_F(Mouse, SizingRowsByTheFixedColumn) {
  Grid->SetOptions(Grid->Options() << goRowSizing);
  const Integer border = Grid->CellRect(0, 2).Bottom;
  Press(TPoint(10, border));
  MoveTo(TPoint(10, border - 10));
  Release(TPoint(10, border - 10));
  EXPECT_EQ(Grid->RowHeights(2), 14);
}

TEST_F(Mouse, TheCursorIsAskedForBeforeEachMoveUnlessTheMouseIsHeld) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  Grid->OnMouseMove = [&](TObject*, TShiftState, Integer, Integer) { Grid->Log.push_back("OnMouseMove"); };
  MoveTo(TPoint(129, 10), 0);
  Press(CentreOf(2, 2));
  MoveTo(CentreOf(3, 2));
  Release(CentreOf(3, 2));
  std::vector<std::string> seen;
  for (auto& l : Grid->Log)
    if (l == "OnMouseMove" || l.rfind("WMSetCursor", 0) == 0) seen.push_back(l);
  EXPECT_EQ(seen, (std::vector<std::string>{"WMSetCursor 129,10", "OnMouseMove", "OnMouseMove"}));
  // The split cursor shows on the widget; the Cursor property keeps its value.
  EXPECT_EQ(Grid->Cursor(), crDefault);
}

TEST_F(Mouse, DraggingAHeaderMovesTheColumnWithItsCellsOnly) {
  Grid->SetOptions(Grid->Options() << goColMoving);
  for (Integer c = 0; c < 5; ++c) Grid->SetCells(c, 1, Utf8ToString(std::to_string(c)));
  Grid->SetColWidths(1, 40);
  Press(CentreOf(1, 0));
  EXPECT_EQ(Grid->GridState(), gsColMoving);
  EXPECT_TRUE(IsTimerRunning(Grid->Handle(), 1));
  MoveTo(CentreOf(2, 0));
  MoveTo(CentreOf(3, 0));
  Release(CentreOf(3, 0));
  EXPECT_EQ(Grid->GridState(), gsNormal);
  EXPECT_FALSE(IsTimerRunning(Grid->Handle(), 1));
  EXPECT_EQ(Grid->Log.back(), "ColumnMoved 1,3");
  std::string row;
  for (Integer c = 0; c < 5; ++c) row += StringToUtf8(Grid->Cells(c, 1));
  EXPECT_EQ(row, "02314");
  EXPECT_EQ(Grid->ColWidths(1), 40) << "widths stay with their positions";
  EXPECT_EQ(Current(Grid), "1,1") << "so does the current cell";
}

TEST_F(Mouse, DroppingAColumnOnItselfMovesNothing) {
  Grid->SetOptions(Grid->Options() << goColMoving << goRowMoving);
  Press(CentreOf(2, 0));
  Release(CentreOf(2, 0));
  Press(CentreOf(0, 3));
  MoveTo(CentreOf(0, 1));
  Release(CentreOf(0, 1));
  std::vector<std::string> moves;
  for (auto& l : Grid->Log)
    if (l.rfind("ColumnMoved", 0) == 0 || l.rfind("RowMoved", 0) == 0) moves.push_back(l);
  EXPECT_EQ(moves, (std::vector<std::string>{"RowMoved 3,1"}));
}

TEST_F(Mouse, CancelModeEndsADragWithoutApplyingIt) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  Press(TPoint(128, 10));
  MoveTo(TPoint(160, 10));
  Grid->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_EQ(Grid->GridState(), gsNormal);
  EXPECT_EQ(Grid->ColWidths(1), 64);
}

// Timer 1 scrolls while the pointer rests below the grid during a selection; it reads the
// pointer through GetCursorPos.
TEST_F(Mouse, TimerOneScrollsTheSelectionPastTheEdge) {
  Grid->SetRowCount(20);
  TestHarness::UseFakeClock(true);
  // Below the client area (133 pixels high), over column 2.
  const TPoint below(CentreOf(2, 2).X, 140);
  const TPoint belowOnScreen = Grid->ClientToScreen(below);
  SetCursorPosSource([&] { return belowOnScreen; });
  Press(CentreOf(2, 2));
  MoveTo(below);
  EXPECT_EQ(Grid->TopRow(), 1);
  TestHarness::AdvanceClock(60);
  EXPECT_EQ(Grid->TopRow(), 2);
  TestHarness::AdvanceClock(120);
  EXPECT_EQ(Grid->TopRow(), 4);
  EXPECT_EQ(SelText(Grid->Selection()), "2,2-2,8") << "the selection follows to the lowest row in view";
  Release(below);
  TestHarness::AdvanceClock(600);
  EXPECT_EQ(Grid->TopRow(), 4) << "the release stopped the timer";
  SetCursorPosSource(nullptr);
}

TEST_F(Mouse, TimerOneScrollsTheColumnsWhileAHeaderIsDraggedPastTheRightEdge) {
  Grid->SetColCount(8);
  Grid->SetOptions(Grid->Options() << goColMoving);
  TestHarness::UseFakeClock(true);
  const TPoint right(Grid->ClientWidth() + 5, 10);
  const TPoint rightOnScreen = Grid->ClientToScreen(right);
  SetCursorPosSource([&] { return rightOnScreen; });
  Press(CentreOf(1, 0));
  MoveTo(right);
  TestHarness::AdvanceClock(120);
  EXPECT_EQ(Grid->LeftCol(), 3);
  EXPECT_EQ(Grid->TopRow(), 1) << "a column drag scrolls only across";
  Release(right);
  EXPECT_EQ(Grid->Log.back(), "ColumnMoved 1,6") << "dropped on the last column in view";
  SetCursorPosSource(nullptr);
}

TEST_F(Mouse, TheWheelMovesTheCurrentRowUnlessAHandlerTakesIt) {
  const TPoint at = Grid->ClientToScreen(CentreOf(2, 2));
  Grid->Perform(CM_MOUSEWHEEL, MakeWParam(0, -WHEEL_DELTA), MakeLParam(at.X, at.Y));
  EXPECT_EQ(Current(Grid), "1,2");
  Grid->Perform(CM_MOUSEWHEEL, MakeWParam(0, -2 * WHEEL_DELTA), MakeLParam(at.X, at.Y));
  EXPECT_EQ(Current(Grid), "1,4");
  Grid->Perform(CM_MOUSEWHEEL, MakeWParam(0, -WHEEL_DELTA), MakeLParam(at.X, at.Y));
  EXPECT_EQ(Current(Grid), "1,4") << "the last row";
  Grid->Perform(CM_MOUSEWHEEL, MakeWParam(0, WHEEL_DELTA), MakeLParam(at.X, at.Y));
  EXPECT_EQ(Current(Grid), "1,3");
  Integer ups = 0;
  Grid->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
    ++ups;
    handled = true;
  };
  Grid->Perform(CM_MOUSEWHEEL, MakeWParam(0, WHEEL_DELTA), MakeLParam(at.X, at.Y));
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(Current(Grid), "1,3");
}

TEST_F(Mouse, ADoubleClickFiresOnDblClickOnce) {
  Integer dbl = 0, clicks = 0;
  Grid->OnDblClick = [&](TObject*) { ++dbl; };
  Grid->OnClick = [&](TObject*) { ++clicks; };
  const TPoint p = CentreOf(2, 2);
  Press(p);
  Release(p);
  TestHarness::SendMouse(Grid, WM_LBUTTONDBLCLK, p, MK_LBUTTON);
  Release(p);
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(clicks, 1);
}

// The same through the window system's own events.
TEST_F(Mouse, RealClicksAndKeys) {
  TestHarness::Click(Grid, CentreOf(3, 2));
  EXPECT_EQ(Current(Grid), "3,2");
  TestHarness::Key(Grid, VK_DOWN);
  EXPECT_EQ(Current(Grid), "3,3");
  Grid->SetOptions(Grid->Options() << goEditing);
  TestHarness::DoubleClick(Grid, CentreOf(2, 4));
  ASSERT_TRUE(Grid->EditorMode());
  TInplaceEdit* ed = Grid->InplaceEditor();
  TestHarness::TypeText(ed, u"hi");
  TestHarness::Key(ed, VK_RETURN);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(2, 4), u"hi");
  EXPECT_TRUE(Grid->Focused());
}

}  // namespace
