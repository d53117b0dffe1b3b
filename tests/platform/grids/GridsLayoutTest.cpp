// Dimensions, geometry, the current cell, the selection and scrolling of TCustomGrid.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <new>

#include "tests/platform/grids/GridTestUtil.h"

namespace {

using Layout = GridFixture;

// The fixture's grid: 5 × 5 cells of 64 × 24 with 1-pixel lines in 300 × 150 pixels. The columns
// do not fit (325 pixels), so the horizontal bar shows and the client area is 300 × 133.
TEST_F(Layout, ANewGridHasTheClassicDefaults) {
  TStringGrid g(nullptr);
  EXPECT_EQ(g.ColCount(), 5);
  EXPECT_EQ(g.RowCount(), 5);
  EXPECT_EQ(g.FixedCols(), 1);
  EXPECT_EQ(g.FixedRows(), 1);
  EXPECT_EQ(g.DefaultColWidth(), 64);
  EXPECT_EQ(g.DefaultRowHeight(), 24);
  EXPECT_EQ(g.GridLineWidth(), 1);
  EXPECT_EQ(g.Options(), (TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect}));
  EXPECT_EQ(Current(&g), "1,1");
  EXPECT_EQ(g.TopRow(), 1);
  EXPECT_EQ(g.LeftCol(), 1);
  EXPECT_EQ(g.Width(), 320);
  EXPECT_EQ(g.Height(), 120);
  EXPECT_TRUE(g.TabStop());
}

TEST_F(Layout, CellRectsFollowWidthsHeightsLinesAndScrolling) {
  EXPECT_EQ(Grid->ClientRect(), Rect(0, 0, 300, 133));
  EXPECT_EQ(Grid->CellRect(0, 0), Rect(0, 0, 64, 24));
  EXPECT_EQ(Grid->CellRect(2, 3), Rect(130, 75, 194, 99));
  EXPECT_EQ(Grid->CellRect(4, 1), Rect(260, 25, 324, 49)) << "partly visible cells are not clipped";
  EXPECT_EQ(Grid->CellRect(5, 1), TRect()) << "outside the grid";
  Grid->SetColWidths(1, 30);
  EXPECT_EQ(Grid->CellRect(2, 1), Rect(96, 25, 160, 49));
  Grid->SetLeftCol(2);
  EXPECT_EQ(Grid->CellRect(1, 1), TRect()) << "scrolled away";
  EXPECT_EQ(Grid->CellRect(2, 1), Rect(65, 25, 129, 49));
  EXPECT_EQ(Grid->CellRect(0, 1), Rect(0, 25, 64, 49)) << "fixed columns stay";
  // Lines only where their option asks for them.
  Grid->SetOptions(Grid->Options() >> goVertLine);
  EXPECT_EQ(Grid->CellRect(3, 1), Rect(129, 25, 193, 49));
  Grid->SetGridLineWidth(3);
  EXPECT_EQ(Grid->CellRect(3, 2), Rect(131, 54, 195, 78));
}

TEST_F(Layout, MouseToCellCountsLinesToTheCellBeforeThemAndAnswersMinusOneOutside) {
  struct Case {
    const char* Name;
    TPoint P;
    Integer Col, Row;
  };
  const Case cases[] = {
      {"first pixel", {0, 0}, 0, 0},
      {"last pixel of a cell", {63, 23}, 0, 0},
      {"its vertical line", {64, 10}, 0, 0},
      {"its horizontal line", {10, 24}, 0, 0},
      {"next cell", {65, 25}, 1, 1},
      {"partly visible column", {299, 60}, 4, 2},
      {"below the last row", {70, 126}, 1, -1},
      {"on the horizontal bar", {70, 140}, 1, -1},
      {"left of the grid", {-1, 30}, -1, 1},
  };
  for (const Case& k : cases) {
    Integer c = 99, r = 99;
    Grid->MouseToCell(k.P.X, k.P.Y, c, r);
    EXPECT_EQ(Cell(c, r), Cell(k.Col, k.Row)) << k.Name;
    EXPECT_EQ(Grid->MouseCoord(k.P.X, k.P.Y), (TGridCoord{k.Col, k.Row})) << k.Name;
  }
}

TEST_F(Layout, VisibleCountsAndTheScrollingMaximum) {
  EXPECT_EQ(Grid->VisibleColCount(), 3);
  EXPECT_EQ(Grid->VisibleRowCount(), 4);
  EXPECT_EQ(Grid->MaxLeftCol(), 2);
  EXPECT_EQ(Grid->MaxTopRow(), 1);
  Grid->SetRowCount(20);
  EXPECT_EQ(Grid->MaxTopRow(), 20 - 4) << "the last four rows fill the 133-pixel client area";
  // A client area too narrow for one whole column still counts one.
  Grid->SetWidth(100);
  EXPECT_EQ(Grid->VisibleColCount(), 1);
}

TEST_F(Layout, CountsRefuseNegativesKeepFixedBelowThemAndPullTheCurrentCellIn) {
  EXPECT_THROW(Grid->SetRowCount(-1), EInvalidGridOperation);
  EXPECT_THROW(Grid->SetColCount(-3), EInvalidGridOperation);
  try {
    Grid->SetFixedRows(5);
    FAIL() << "no error";
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ(e.Message(), u"Fixed row count must be less than row count");
  }
  try {
    Grid->SetFixedCols(7);
    FAIL() << "no error";
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ(e.Message(), u"Fixed column count must be less than column count");
  }
  Grid->SetCol(4);
  Grid->SetRow(4);
  Grid->Log.clear();
  Grid->SetRowCount(3);
  EXPECT_EQ(Current(Grid), "4,2");
  EXPECT_EQ(Grid->Log.back(), "SizeChanged 5,5");
  Grid->SetRowCount(1);
  EXPECT_EQ(Grid->FixedRows(), 0) << "a grid keeps one row that is not fixed";
  Grid->SetRowCount(0);
  EXPECT_EQ(Grid->RowCount(), 1);
  Grid->SetColCount(8);
  EXPECT_EQ(Grid->ColWidths(7), 64) << "new columns take the default width";
}

// A count whose widths or heights find no memory raises and leaves the grid as it was: the old
// count over the old sizes, every later read and write inside them. A child process whose address
// space is held a little above what it uses asks for 2^31 - 1 columns or rows (8 GB of sizes).
TEST_F(Layout, ACountWhoseSizesFindNoMemoryLeavesTheGridAsItWas) {
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the address sanitizer maps the address space its own way";
#endif
#endif
  for (const bool Cols : {true, false}) {
    const pid_t Pid = fork();
    ASSERT_GE(Pid, 0);
    if (Pid == 0) {
      long Pages = 0;
      if (FILE* F = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(F, "%ld", &Pages) != 1) Pages = 0;
        std::fclose(F);
      }
      const rlimit Limit{static_cast<rlim_t>(Pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (256u << 20),
                         RLIM_INFINITY};
      if (Pages <= 0 || setrlimit(RLIMIT_AS, &Limit) != 0) _exit(3);
      int Code = 1;  // the count went through: nothing was refused
      try {
        if (Cols)
          Grid->SetColCount(INT_MAX);
        else
          Grid->SetRowCount(INT_MAX);
      } catch (const std::bad_alloc&) {
        Code = 0;
        if (Grid->ColCount() != 5 || Grid->RowCount() != 5) Code = 2;
        Grid->SetColWidths(4, 30);
        Grid->SetRowHeights(4, 30);
        if (Grid->ColWidths(4) != 30 || Grid->RowHeights(4) != 30 || Grid->CellRect(4, 4).Right <= 0) Code = 2;
      }
      _exit(Code);
    }
    int Status = 0;
    ASSERT_EQ(waitpid(Pid, &Status, 0), Pid);
    ASSERT_TRUE(WIFEXITED(Status)) << (Cols ? "columns" : "rows");
    EXPECT_EQ(WEXITSTATUS(Status), 0) << (Cols ? "columns" : "rows");
  }
}

TEST_F(Layout, SizesReadTheDefaultOutsideTheGridAndNotifyOnlyOnChange) {
  EXPECT_EQ(Grid->ColWidths(9), 64);
  EXPECT_EQ(Grid->RowHeights(-1), 24);
  Grid->SetColWidths(9, 10);
  Grid->SetColWidths(1, 64);
  EXPECT_TRUE(Grid->Log.empty());
  Grid->SetColWidths(1, -5);
  EXPECT_EQ(Grid->ColWidths(1), 0);
  Grid->SetRowHeights(2, 40);
  EXPECT_EQ(Grid->Log, (std::vector<std::string>{"ColWidthsChanged", "RowHeightsChanged"}));
  Grid->SetDefaultRowHeight(18);
  EXPECT_EQ(Grid->RowHeights(2), 18) << "every row takes the new default";
}

TEST_F(Layout, FixedCountsResetTheScrollPositionAndMoveTheCurrentCellOutOfTheFixedArea) {
  Grid->SetFixedCols(0);
  Grid->SetCol(0);
  Grid->SetFixedCols(2);
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->LeftCol(), 2);
}

TEST_F(Layout, ColAndRowRefuseIndexesOutsideTheGridAndClickOncePerChange) {
  Integer clicks = 0;
  Grid->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_THROW(Grid->SetRow(5), EInvalidGridOperation);
  EXPECT_THROW(Grid->SetCol(-1), EInvalidGridOperation);
  Grid->SetRow(3);
  Grid->SetRow(3);
  Grid->SetCol(0);
  EXPECT_EQ(Current(Grid), "0,3") << "fixed cells may be made current in code";
  EXPECT_EQ(clicks, 2);
  Grid->Refuse = true;
  Grid->SetRow(2);
  EXPECT_EQ(Current(Grid), "0,3") << "SelectCell refused";
  EXPECT_EQ(clicks, 2);
}

TEST_F(Layout, SelectionReadsNormalisedAndIsWrittenUnchecked) {
  Grid->SetSelection(TGridRect{3, 4, 1, 2});
  EXPECT_EQ(SelText(Grid->Selection()), "1,2-3,4");
  EXPECT_EQ(Current(Grid), "1,2") << "the current cell is the rectangle's bottom-right corner";
  // A rectangle past the last cell hides the selection; nothing refuses it.
  Grid->Log.clear();
  Grid->SetSelection(TGridRect{5, 5, 5, 5});
  EXPECT_EQ(Current(Grid), "5,5");
  EXPECT_TRUE(Grid->Log.empty()) << "no SelectCell";
  Grid->SetOptions(Grid->Options() << goRowSelect);
  Grid->SetSelection(TGridRect{2, 1, 2, 3});
  EXPECT_EQ(SelText(Grid->Selection()), "1,1-4,3") << "row selection spans the normal columns";
}

TEST_F(Layout, MoveColRowMovesTheAnchorOnlyWhenAskedAndScrollsOnlyWithShow) {
  Grid->SetRowCount(20);
  Grid->MoveColRow(2, 3, true, false);
  Grid->MoveColRow(3, 10, false, false);
  EXPECT_EQ(SelText(Grid->Selection()), "2,3-3,10");
  EXPECT_EQ(Grid->TopRow(), 1);
  Grid->MoveColRow(3, 12, true, true);
  EXPECT_EQ(SelText(Grid->Selection()), "3,12-3,12");
  EXPECT_EQ(Grid->TopRow(), 12 - 4 + 1) << "scrolled until row 12 shows whole at the bottom";
  // Without goRangeSelect the anchor always follows.
  Grid->SetOptions(Grid->Options() >> goRangeSelect);
  Grid->MoveColRow(1, 11, false, false);
  EXPECT_EQ(SelText(Grid->Selection()), "1,11-1,11");
}

TEST_F(Layout, TopRowAndLeftColTakeAnyRowOfTheGridButTheFixedOnes) {
  Grid->SetRowCount(20);
  Grid->SetTopRow(19);
  EXPECT_EQ(Grid->TopRow(), 19) << "past the scrolling maximum, leaving empty space";
  Grid->SetTopRow(0);
  Grid->SetTopRow(20);
  EXPECT_EQ(Grid->TopRow(), 19);
  EXPECT_EQ(Grid->Log.back(), "TopLeftChanged 1,19");
  Grid->SetLeftCol(3);
  EXPECT_EQ(Grid->LeftCol(), 3);
}

TEST_F(Layout, ScrollBarsShowWhereTheGridDoesNotFit) {
  TScrollInfo info;
  ASSERT_TRUE(GetScrollInfo(Grid->Handle(), SB_HORZ, info));
  EXPECT_EQ(info.nMax, 127);
  EXPECT_EQ(Grid->ClientHeight(), 133) << "only the horizontal bar";
  EXPECT_EQ(Grid->ClientWidth(), 300);
  Grid->SetRowCount(10);
  EXPECT_EQ(Grid->ClientWidth(), 300 - 17) << "now the vertical bar too";
  Grid->SetScrollBars(ssNone);
  EXPECT_EQ(Grid->ClientRect(), Rect(0, 0, 300, 150));
  Grid->SetScrollBars(ssBoth);
  Grid->SetColCount(2);
  Grid->SetRowCount(2);
  EXPECT_EQ(Grid->ClientRect(), Rect(0, 0, 300, 150)) << "everything fits";
  // A derived grid may force a bar on and disable its arrows.
  EXPECT_TRUE(ShowScrollBar(Grid->Handle(), SB_VERT, true));
  EXPECT_TRUE(EnableScrollBar(Grid->Handle(), SB_VERT, ESB_DISABLE_BOTH));
  EXPECT_EQ(Grid->ClientWidth(), 283);
  TForm other(nullptr);
  EXPECT_FALSE(ShowScrollBar(other.Handle(), SB_VERT, true)) << "not a grid";
}

TEST_F(Layout, ScrollMessagesTable) {
  Grid->SetRowCount(40);  // 40 rows, 4 visible: TopRow 1 … 36
  struct Case {
    const char* Name;
    Integer StartTop;
    Integer Code;
    Integer Pos;
    Integer Top;
  };
  const Case cases[] = {
      {"line down", 1, SB_LINEDOWN, 0, 2},
      {"line up at the top", 1, SB_LINEUP, 0, 1},
      {"page down", 5, SB_PAGEDOWN, 0, 9},
      {"page up past the top", 3, SB_PAGEUP, 0, 1},
      {"bottom", 1, SB_BOTTOM, 0, 36},
      {"line down at the bottom", 36, SB_LINEDOWN, 0, 36},
      {"top", 20, SB_TOP, 0, 1},
      {"thumb position in the middle", 1, SB_THUMBPOSITION, 64, MulDiv(64, 35, 127) + 1},
      {"thumb tracking without goThumbTracking", 1, SB_THUMBTRACK, 100, 1},
      {"end of scroll", 7, SB_ENDSCROLL, 0, 7},
  };
  for (const Case& k : cases) {
    Grid->SetTopRow(k.StartTop);
    Grid->Perform(WM_VSCROLL, MakeWParam(k.Code, k.Pos), 0);
    EXPECT_EQ(Grid->TopRow(), k.Top) << k.Name;
  }
  EXPECT_EQ(Current(Grid), "1,1") << "scrolling leaves the current cell";
  Grid->SetOptions(Grid->Options() << goThumbTracking);
  Grid->SetTopRow(1);
  Grid->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 127), 0);
  EXPECT_EQ(Grid->TopRow(), 36);
  Grid->Perform(WM_HSCROLL, MakeWParam(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(Grid->LeftCol(), 2);
}

TEST_F(Layout, TheScrollBarsPositionFollowsTheScrolledRow) {
  Grid->SetRowCount(40);
  TScrollInfo info;
  Grid->SetTopRow(36);
  GetScrollInfo(Grid->Handle(), SB_VERT, info);
  EXPECT_EQ(info.nPos, 127);
  Grid->SetTopRow(18);
  GetScrollInfo(Grid->Handle(), SB_VERT, info);
  EXPECT_EQ(info.nPos, MulDiv(17, 127, 35));
}

TEST_F(Layout, ShrinkingTheCountsPullsTheScrollPositionBackToFillTheView) {
  Grid->SetRowCount(40);
  Grid->SetTopRow(30);
  Grid->SetRowCount(10);
  EXPECT_EQ(Grid->TopRow(), Grid->MaxTopRow());
}

// Heights follow rows moved as handles: a range turns round, fresh rows take the default, and the
// grid hears of it only when a height changed.
TEST_F(Layout, MovedRowHeightsTurnRoundAndTellOnlyOfAChange) {
  using H = std::vector<Integer>;
  const struct {
    const char* Name;
    H Before;
    Integer First, NewFirst, End, Fresh;
    H After;
    bool Told;
  } Cases[] = {
      {"the last row comes up as a fresh one", {24, 30, 31, 32, 33}, 1, 4, 5, 1, {24, 24, 30, 31, 32}, true},
      {"a row leaves for the end", {24, 30, 31, 32, 33}, 1, 2, 5, 0, {24, 31, 32, 33, 30}, true},
      {"equal heights turned", {24, 24, 24, 24, 24}, 1, 4, 5, 1, {24, 24, 24, 24, 24}, false},
      {"heights repeating with the turn", {24, 30, 31, 30, 31}, 1, 3, 5, 0, {24, 30, 31, 30, 31}, false},
      {"no turn, only a fresh row", {24, 30, 31, 32, 33}, 2, 2, 5, 1, {24, 30, 24, 32, 33}, true},
      {"a range past the rows is cut", {24, 30, 31, 32, 33}, 3, 4, 9, 0, {24, 30, 31, 33, 32}, true},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetRowHeightList(C.Before);
    Grid->Log.clear();
    Grid->MoveRowHeights(C.First, C.NewFirst, C.End, C.Fresh);
    EXPECT_EQ(Grid->RowHeightList(), C.After);
    EXPECT_EQ(std::count(Grid->Log.begin(), Grid->Log.end(), "RowHeightsChanged") > 0, C.Told);
  }
}

// Rows of the default height move without their heights; an own height still moves with its row
// after others were cut off with their rows or set back to the default.
TEST_F(Layout, AnOwnHeightLeftAfterOthersWentStillMoves) {
  Grid->SetRowHeights(4, 40);
  Grid->SetRowHeights(2, 30);
  Grid->SetRowCount(4);
  Grid->MoveRowHeights(1, 3, 4, 1);
  EXPECT_EQ(Grid->RowHeightList(), (std::vector<Integer>{24, 24, 24, 30}));
  Grid->SetRowHeights(3, 24);
  Grid->SetRowHeights(1, 50);
  Grid->MoveRowHeights(1, 2, 4, 0);
  EXPECT_EQ(Grid->RowHeightList(), (std::vector<Integer>{24, 24, 24, 50}));
}

}  // namespace
