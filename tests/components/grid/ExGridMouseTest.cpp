// The string grid's mouse: presses and clicks on cells and headers, the header-border double click
// that sizes a column, header clicks that sort, the right button, the wheel, disjunct cell
// selection, check boxes, cell buttons, ratings and cell links.
#include <gtest/gtest.h>

#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "ExGridInputTestUtil.h"
#include "components/grid/ExGridSortSettings.h"
#include "platform/gui/Menus.h"
#include "platform/os/Shell.h"

namespace {

struct TCellHit {
  Integer Row, Col;
  friend bool operator==(const TCellHit&, const TCellHit&) = default;
};

// --- Presses and clicks --------------------------------------------------------------------------

TEST_F(ExGridInputTest, ClickingACellMakesItCurrentAndReportsRowBeforeColumn) {
  std::vector<TCellHit> clicks;
  Grid->OnClickCell = [&](TObject*, Integer ARow, Integer ACol) { clicks.push_back({ARow, ACol}); };
  Click(Mid(2, 3));
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], (TCellHit{3, 2}));
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 3);

  // A header cell reports too and does not move the current cell.
  Click(Mid(3, 0));
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[1], (TCellHit{0, 3}));
  EXPECT_EQ(Grid->Row(), 3);
}

TEST_F(ExGridInputTest, RefusedClicksAreDropped) {
  Integer clicks = 0;
  Grid->OnClickCell = [&](TObject*, Integer, Integer) { ++clicks; };
  Grid->OnCanClickCell = [](TObject*, Integer, Integer ACol, bool& Allow) { Allow = ACol != 2; };
  Click(Mid(2, 3));
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Grid->Row(), 1);
  Click(Mid(3, 3));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Grid->Col(), 3);
}

TEST_F(ExGridInputTest, APressOnAMergedCellSelectsItsBaseCell) {
  Grid->MergeCells(2, 2, 2, 2);
  std::vector<TCellHit> clicks;
  Grid->OnClickCell = [&](TObject*, Integer ARow, Integer ACol) { clicks.push_back({ARow, ACol}); };
  Click(Mid(3, 3));
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], (TCellHit{2, 2}));
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(ExGridInputTest, DoubleClickReportsTheCell) {
  std::vector<TCellHit> dbl;
  Grid->OnDblClickCell = [&](TObject*, Integer ARow, Integer ACol) { dbl.push_back({ARow, ACol}); };
  DoubleClick(Mid(4, 5));
  ASSERT_EQ(dbl.size(), 1u);
  EXPECT_EQ(dbl[0], (TCellHit{5, 4}));
}

// --- The header-border double click --------------------------------------------------------------------

struct TBorderCase {
  const char* Name;
  TPoint Point;
  Integer SizedCol;    // -1: no column is sized
  bool DblClickCell;   // the double click goes on as an ordinary one
  Integer Sorts;       // header clicks that sort during the whole double click
};

TEST_F(ExGridInputTest, HeaderBorderDoubleClickSizesAColumnAndTheReleaseDoesNotSort) {
  const TBorderCase cases[] = {
      {"right border sizes its column", At(2, 0, 62, 10), 2, false, 0},
      {"left border sizes the column before", At(3, 0, 2, 10), 2, false, 0},
      {"left border next to a fixed column is an ordinary double click", At(1, 0, 1, 10), -1, true, 0},
      {"the middle of a header is two ordinary clicks", Mid(2, 0), -1, true, 2},
  };
  for (const TBorderCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    Grid->SetOptions(Grid->Options() << goColSizing);
    Grid->SortSettings()->SetShow(true);
    Grid->SetCells(2, 4, u"a text much wider than sixty-four pixels");
    Integer sorts = 0, dblCells = 0;
    Grid->OnCanSort = [&](TObject*, Integer, bool& DoSort) {
      ++sorts;
      DoSort = false;
    };
    Grid->OnDblClickCell = [&](TObject*, Integer, Integer) { ++dblCells; };
    DoubleClick(c.Point);
    if (c.SizedCol >= 0)
      EXPECT_GT(Grid->ColWidths(c.SizedCol), 64);
    else
      EXPECT_EQ(Grid->ColWidths(2), 64);
    EXPECT_EQ(dblCells > 0, c.DblClickCell);
    EXPECT_EQ(sorts, c.Sorts);
    EXPECT_FALSE(Grid->DblClkPending());
    // The next header click sorts again.
    Click(Mid(3, 0));
    EXPECT_EQ(sorts, c.Sorts + 1);
  }
}

TEST_F(ExGridInputTest, ColumnSizeVetoKeepsTheHeaderDoubleClickFromSizing) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  Grid->SetCells(2, 4, u"a text much wider than sixty-four pixels");
  std::vector<Integer> asked, ended;
  Grid->OnColumnSize = [&](TObject*, Integer ACol, bool& Allow) {
    asked.push_back(ACol);
    Allow = false;
  };
  Grid->OnEndColumnSize = [&](TObject*, Integer ACol) { ended.push_back(ACol); };
  DoubleClick(At(2, 0, 62, 10));
  EXPECT_EQ(Grid->ColWidths(2), 64);
  EXPECT_FALSE(asked.empty());
  EXPECT_TRUE(ended.empty());
}

// --- Header clicks sort ----------------------------------------------------------------------------------

TEST_F(ExGridInputTest, HeaderClicksSortOnlyWhereTheyShould) {
  struct TCase {
    const char* Name;
    TPoint Point;
    Integer Rows;
    bool Sorts;
  } cases[] = {
      {"middle of a normal column's header", Mid(2, 0), 10, true},
      {"near a column border with column sizing", At(2, 0, 2, 10), 10, false},
      {"a grid of two rows", Mid(2, 0), 2, false},
      {"a normal cell", Mid(2, 3), 10, false},
      {"the fixed column's header", Mid(0, 0), 10, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    Grid->SetOptions(Grid->Options() << goColSizing);
    Grid->SetRowCount(c.Rows);
    Grid->SortSettings()->SetShow(true);
    std::vector<Integer> sortCols;
    Grid->OnCanSort = [&](TObject*, Integer ACol, bool&) { sortCols.push_back(ACol); };
    Click(c.Point);
    EXPECT_EQ(!sortCols.empty(), c.Sorts);
    if (c.Sorts) {
      EXPECT_EQ(Grid->SortSettings()->Column(), 2);
    }
  }
}

TEST_F(ExGridInputTest, ThreeHeaderClicksWithUndoSortSortBothWaysThenRestore) {
  Grid->SortSettings()->SetShow(true);
  Grid->SortSettings()->SetUndoSort(true);
  std::vector<Integer> sorted;
  Grid->OnClickSort = [&](TObject*, Integer ACol) { sorted.push_back(ACol); };
  Click(Mid(2, 0));
  EXPECT_EQ(Grid->SortSettings()->Column(), 2);
  EXPECT_EQ(Grid->SortSettings()->Direction(), sdAscending);
  Click(Mid(2, 0));
  EXPECT_EQ(Grid->SortSettings()->Column(), 2);
  EXPECT_EQ(Grid->SortSettings()->Direction(), sdDescending);
  Click(Mid(2, 0));
  EXPECT_EQ(Grid->SortSettings()->Column(), -1);
  EXPECT_EQ(sorted, (std::vector<Integer>{2, 2, -1}));
}

// --- Right button -------------------------------------------------------------------------------------------

TEST_F(ExGridInputTest, RightClicksReportTheirCellAlsoOutsideTheCells) {
  std::vector<TCellHit> hits;
  Grid->OnRightClickCell = [&](TObject*, Integer ARow, Integer ACol) { hits.push_back({ARow, ACol}); };
  TestHarness::SendMouse(Grid, WM_RBUTTONDOWN, Mid(3, 2), MK_RBUTTON);
  TestHarness::SendMouse(Grid, WM_RBUTTONUP, Mid(3, 2), 0);
  TestHarness::SendMouse(Grid, WM_RBUTTONDOWN, TPoint(395, 245), MK_RBUTTON);
  TestHarness::SendMouse(Grid, WM_RBUTTONUP, TPoint(395, 245), 0);
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0], (TCellHit{2, 3}));
  EXPECT_EQ(hits[1], (TCellHit{-1, -1}));
  // Without SelectOnRightClick the current cell stays.
  EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(ExGridInputTest, SelectOnRightClickKeepsASelectionTheCellLiesIn) {
  Grid->MouseActions()->SetSelectOnRightClick(true);
  Grid->SetSelection(TGridRect{1, 1, 3, 3});
  TestHarness::SendMouse(Grid, WM_RBUTTONDOWN, Mid(2, 2), MK_RBUTTON);
  TestHarness::SendMouse(Grid, WM_RBUTTONUP, Mid(2, 2), 0);
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 3, 3}));
  TestHarness::SendMouse(Grid, WM_RBUTTONDOWN, Mid(4, 6), MK_RBUTTON);
  TestHarness::SendMouse(Grid, WM_RBUTTONUP, Mid(4, 6), 0);
  EXPECT_EQ(Grid->Col(), 4);
  EXPECT_EQ(Grid->Row(), 6);
}

// --- Wheel --------------------------------------------------------------------------------------------------

TEST_F(ExGridInputTest, TheWheelScrollsThroughItsEventsOrMovesTheSelection) {
  struct TCase {
    const char* Name;
    TWheelAction Action;
    bool Enable;
    bool HandlerAnswer;
    bool Expected;
    Integer RowAfter;
  } cases[] = {
      {"scrolling answers the handler's true", waScroll, true, true, true, 2},
      {"scrolling answers the handler's false", waScroll, true, false, false, 2},
      {"a switched-off wheel answers the handler", waMoveSelection, false, false, false, 2},
      {"moving the selection moves a row", waMoveSelection, true, false, true, 3},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->SetRow(2);
    Grid->MouseActions()->SetWheelAction(c.Action);
    Grid->SetEnableWheel(c.Enable);
    Integer fired = 0;
    Grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
      ++fired;
      Handled = c.HandlerAnswer;
    };
    EXPECT_EQ(Grid->DoMouseWheelDown(TShiftState(), TPoint(0, 0)), c.Expected);
    EXPECT_EQ(Grid->Row(), c.RowAfter);
  }
}

// --- Disjunct cells -------------------------------------------------------------------------------------------

TEST_F(ExGridInputTest, DisjunctCellClicksPickToggleAndAddCells) {
  Grid->MouseActions()->SetDisjunctCellSelect(true);
  TIntList* picked = Grid->SelectedCellsList();
  Click(Mid(2, 2));
  EXPECT_EQ(picked->Count(), 1);
  EXPECT_TRUE(picked->HasValue(TInputGrid::PackCell(2, 2)));
  // Ctrl adds another cell and takes it away again.
  Click(Mid(3, 4), MK_CONTROL);
  EXPECT_TRUE(picked->HasValue(TInputGrid::PackCell(3, 4)));
  EXPECT_TRUE(picked->HasValue(TInputGrid::PackCell(2, 2)));
  Click(Mid(3, 4), MK_CONTROL);
  EXPECT_FALSE(picked->HasValue(TInputGrid::PackCell(3, 4)));
  // A plain click starts over.
  Click(Mid(4, 5));
  EXPECT_EQ(picked->Count(), 1);
  EXPECT_TRUE(picked->HasValue(TInputGrid::PackCell(4, 5)));
}

TEST_F(ExGridInputTest, DisjunctCtrlClickTogglesTheBaseCellOfAMergedArea) {
  Grid->MouseActions()->SetDisjunctCellSelect(true);
  Grid->MergeCells(2, 2, 2, 2);
  Click(Mid(1, 1));
  Click(Mid(3, 3), MK_CONTROL);
  EXPECT_TRUE(Grid->SelectedCellsList()->HasValue(TInputGrid::PackCell(2, 2)));
  EXPECT_FALSE(Grid->SelectedCellsList()->HasValue(TInputGrid::PackCell(3, 3)));
}

// --- Cell graphics ----------------------------------------------------------------------------------------------

TEST_F(ExGridInputTest, ClickingACheckBoxTogglesItAndReportsTheNewState) {
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->AddCheckBox(2, 3, false, false);
  std::vector<bool> states;
  Grid->OnCheckBoxClick = [&](TObject*, Integer ACol, Integer ARow, bool State) {
    EXPECT_EQ(ACol, 2);
    EXPECT_EQ(ARow, 3);
    states.push_back(State);
  };
  Click(Mid(2, 3));
  Click(Mid(2, 3));
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

// With a column hidden to the left, a click works on the cell shown under the pointer and the
// events name its real column.
TEST_F(ExGridInputTest, ClicksRightOfAHiddenColumnActOnTheRealColumn) {
  Fill();
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->HideColumn(1);
  Grid->AddCheckBox(3, 3, false, false);
  std::vector<Integer> boxCols, clickCols, dblCols;
  Grid->OnCheckBoxClick = [&](TObject*, Integer ACol, Integer, bool) { boxCols.push_back(ACol); };
  Grid->OnClickCell = [&](TObject*, Integer, Integer ACol) { clickCols.push_back(ACol); };
  Grid->OnDblClickCell = [&](TObject*, Integer, Integer ACol) { dblCols.push_back(ACol); };

  // Display column 2 shows real column 3.
  Click(Mid(2, 3));
  EXPECT_EQ(boxCols, (std::vector<Integer>{3}));
  bool State = false;
  EXPECT_TRUE(Grid->GetCheckBoxState(3, 3, State));
  EXPECT_TRUE(State);

  // Click and double click events pass display coordinates.
  Click(Mid(3, 4));
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(Grid->RealCol(), 4);
  EXPECT_EQ(clickCols.back(), 3);
  DoubleClick(Mid(3, 4));
  EXPECT_EQ(dblCols, (std::vector<Integer>{3}));

  // A header click sorts by the real column under the pointer.
  Grid->SortSettings()->SetShow(true);
  Grid->SetCells(4, 2, u"0");
  Click(Mid(3, 0));
  EXPECT_EQ(Grid->SortSettings()->Column(), 4);
  EXPECT_EQ(Grid->Cells(4, 1), u"0");
  EXPECT_EQ(Grid->Cells(1, 1), u"1,2");
}

TEST_F(ExGridInputTest, ACellButtonClicksOnlyWhenPressedAndReleasedOnIt) {
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->AddButton(2, 3, 30, 18, u"Go", haLeft, vaTop);
  const TRect br = Grid->GetCellControlRect(2, 3);
  ASSERT_GT(br.Width(), 0);
  const TPoint on(br.Left + 3, br.Top + 3);
  const TPoint off(64 * 2 + 60, 22 * 3 + 20);
  ASSERT_FALSE(PtInRect(br, off));
  Integer clicks = 0;
  Grid->OnButtonClick = [&](TObject*, Integer ACol, Integer ARow) {
    EXPECT_EQ(ACol, 2);
    EXPECT_EQ(ARow, 3);
    ++clicks;
  };
  Click(on);
  EXPECT_EQ(clicks, 1);
  // A press beside the button only selects the cell.
  Grid->SetRow(1);
  Click(off);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Grid->Row(), 3);
  // Released elsewhere, the press does not click.
  Move(on);
  Press(on);
  Release(Mid(4, 6));
  EXPECT_EQ(clicks, 1);
}

TEST_F(ExGridInputTest, APressIntoARatingCellProposesHalfStepsOfNinePixels) {
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->AddRating(2, 3, 5, clYellow, clSilver);
  std::vector<double> proposed;
  Grid->OnRatingChange = [&](TObject*, Integer, Integer, double& NewRate, bool&) { proposed.push_back(NewRate); };
  Click(At(2, 3, 40, 10));
  ASSERT_EQ(proposed.size(), 1u);
  EXPECT_DOUBLE_EQ(proposed[0], 2.0);
}

// --- Links ---------------------------------------------------------------------------------------------------------

TEST_F(ExGridInputTest, CellLinksMoveToTheirCellAndOtherLinksOpen) {
  Grid->SetURLShow(true);
  std::vector<String> opened;
  TShellOpenFunction old = SetShellOpenFunction([&](const String& U) {
    opened.push_back(U);
    return true;
  });
  Grid->SetCells(2, 2, u"CELL://R5C3");
  Grid->SetCells(3, 2, u"CELL://nowhere");
  Grid->SetCells(4, 2, u"http://example.org/");
  Click(Mid(2, 2));
  EXPECT_EQ(Grid->Row(), 5);
  EXPECT_EQ(Grid->Col(), 3);
  Click(Mid(3, 2));
  EXPECT_TRUE(opened.empty());
  Click(Mid(4, 2));
  EXPECT_EQ(opened, (std::vector<String>{u"http://example.org/"}));
  SetShellOpenFunction(old);
}

TEST_F(ExGridInputTest, AnAnchorClickHandlerCanKeepTheLinkFromBeingFollowed) {
  Grid->SetURLShow(true);
  Integer opened = 0;
  TShellOpenFunction old = SetShellOpenFunction([&](const String&) { return ++opened, true; });
  Grid->SetCells(2, 2, u"http://example.org/");
  std::vector<String> anchors;
  Grid->OnAnchorClick = [&](TObject*, Integer, Integer, const String& Anchor, bool& AutoHandle) {
    anchors.push_back(Anchor);
    AutoHandle = false;
  };
  Click(Mid(2, 2));
  EXPECT_EQ(anchors, (std::vector<String>{u"http://example.org/"}));
  EXPECT_EQ(opened, 0);
  SetShellOpenFunction(old);
}

}  // namespace

namespace {

TEST_F(ExGridInputTest, ANodeGlyphClickContractsAndExpandsTheNodeUnlessRefused) {
  Fill();
  Grid->AddNode(2, 3);
  ASSERT_TRUE(Grid->IsNode(2));
  const TPoint glyph(8, 22 * 2 + 11);
  ASSERT_TRUE(Grid->IsNodeGlyphHit(2, glyph.X));
  std::vector<std::string> log;
  bool allow = true;
  Grid->OnBeforeContractNode = [&](TObject*, Integer ARow, Integer ARowReal, bool& Allow) {
    log.push_back("before contract " + std::to_string(ARow) + "," + std::to_string(ARowReal));
    Allow = allow;
  };
  Grid->OnContractNode = [&](TObject*, Integer, Integer) { log.push_back("contracted"); };
  Grid->OnExpandNode = [&](TObject*, Integer, Integer) { log.push_back("expanded"); };
  allow = false;
  Click(glyph);
  EXPECT_EQ(Grid->RowCount(), 10);
  allow = true;
  Click(glyph);
  EXPECT_EQ(Grid->RowCount(), 8);
  EXPECT_TRUE(Grid->GetNodeState(2));
  Click(glyph);
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(log, (std::vector<std::string>{"before contract 2,2", "before contract 2,2", "contracted", "expanded"}));
}

}  // namespace

namespace {

TEST_F(ExGridInputTest, TheDropDownButtonOfAHoveredHeaderOpensTheFixedMenu) {
  auto* menu = new TPopupMenu(Form);
  auto* item = new TMenuItem(menu);
  item->SetCaption(u"Sort");
  menu->Items()->Add(item);
  Grid->SetFixedDropDownMenu(menu);
  Grid->SetHoverFixedCells(hfAll);
  Grid->ControlLook()->SetFixedDropDownButton(true);
  std::vector<Integer> asked;
  Grid->OnFixedDropDownClick = [&](TObject*, Integer ACol, Integer ARow, TPopupMenu*& AMenu, bool& Keep) {
    asked.push_back(ACol);
    EXPECT_EQ(ARow, 0);
    EXPECT_EQ(AMenu, menu);
    Keep = false;
  };
  bool clicked = false;
  item->OnClick = [&](TObject*) { clicked = true; };
  TestHarness::ExpectPopupMenu([&](TPopupMenu& M) {
    EXPECT_EQ(M.Tag(), 2);
    return M.Items()->Items(0);
  });
  const TPoint button = At(2, 0, 56, 10);
  Click(button);
  EXPECT_EQ(asked, (std::vector<Integer>{2}));
  EXPECT_TRUE(clicked);
  EXPECT_TRUE(TestHarness::Verify());
  // A press elsewhere in the header opens nothing.
  Click(Mid(3, 0));
  EXPECT_EQ(asked.size(), 1u);
}

}  // namespace
