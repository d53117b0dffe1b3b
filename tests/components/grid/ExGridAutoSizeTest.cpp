// The string grid's automatic sizing: columns by the rows ColumnSize examines, rows by lines or by
// measured text, fitting the columns into the control, swapping and zooming.
#include <climits>
#include <functional>

#include "ExGridTextPrintTestUtil.h"
#include "components/grid/ExCGrid.h"
#include "components/grid/ExGridIOUtil.h"
#include "components/grid/ExGridSortSettings.h"

namespace {

class ExGridAutoSizeTest : public ExGridTextPrintTest {
 protected:
  // The width AutoSizeCol gives a column holding only Text (no limits, no padding).
  Integer WidthFor(const String& Text) {
    TExStringGrid G(Form);
    G.SetParent(Form);
    G.SetCells(1, 1, Text);
    G.AutoSizeCol(1, 0);
    return G.ColWidths(1);
  }
  Integer GhHeight() {
    TCanvas* C = Grid->Canvas();
    C->Font()->Assign(Grid->Font());
    return C->TextHeight(u"gh");
  }
};

TEST_F(ExGridAutoSizeTest, ColumnWidthIsTheWidestTextWithPaddingAndLines) {
  Grid->SetCells(1, 1, u"a rather long text");
  Grid->Canvas()->Font()->Assign(Grid->Font());
  const Integer Text = Grid->Canvas()->TextWidth(u"a rather long text");
  Grid->AutoSizeCol(1, 0);
  // The text, the cell padding on both sides, two grid lines and two pixels.
  EXPECT_EQ(Grid->ColWidths(1), Text + 2 * Grid->XYOffset().X + 2 * Grid->GridLineWidth() + 2);
  Grid->SetXYOffsetTopLeftOnly(true);
  Grid->AutoSizeCol(1, 5);
  EXPECT_EQ(Grid->ColWidths(1), Text + Grid->XYOffset().X + 2 * Grid->GridLineWidth() + 2 + 5);
}

TEST_F(ExGridAutoSizeTest, ColumnSizeRowsChoosesTheRowsMeasured) {
  Grid->SetFixedFooters(1);
  Grid->SetCells(1, 0, u"header text that is wide");
  Grid->SetCells(1, 2, u"normal");
  Grid->SetCells(1, Grid->RowCount() - 1, u"a footer text wider than every other text");
  struct Case {
    const char* Name;
    TAutoSizeRows Rows;
    String Widest;
  };
  const Case Cases[] = {
      {"all rows", arAll, u"a footer text wider than every other text"},
      {"normal rows", arNormal, u"normal"},
      {"fixed rows", arFixed, u"header text that is wide"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->ColumnSize()->SetRows(C.Rows);
    Grid->AutoSizeCol(1, 0);
    Grid->Canvas()->Font()->Assign(Grid->Font());
    const Integer Extra = 2 * Grid->XYOffset().X + 2 * Grid->GridLineWidth() + 2;
    // Fixed cells are measured in the fixed font.
    if (C.Rows == arFixed) Grid->Canvas()->Font()->Assign(Grid->FixedFont());
    EXPECT_EQ(Grid->ColWidths(1), Grid->Canvas()->TextWidth(C.Widest) + Extra);
  }
}

TEST_F(ExGridAutoSizeTest, GrowOnlyAndLimits) {
  Grid->SetCells(1, 1, u"abc");
  const Integer Fit = WidthFor(u"abc");
  struct Case {
    const char* Name;
    bool GrowOnly;
    Integer Before, Min, Max, Padding, After;
  };
  const Case Cases[] = {
      {"grow only leaves a wider column", true, 300, 0, 0, 0, 300},
      {"grow only leaves a wider column also with padding", true, 300, 0, 0, 7, 300},
      {"grow only widens a narrower one", true, 5, 0, 0, 0, Fit},
      {"no limits", false, 300, 0, 0, 0, Fit},
      {"minimum", false, 300, Fit + 40, 0, 0, Fit + 40},
      {"maximum", false, 300, 0, 10, 0, 10},
      {"padding within the maximum", false, 300, 0, Fit + 3, 7, Fit + 3},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetSizeGrowOnly(C.GrowOnly);
    Grid->SetColWidths(1, C.Before);
    Grid->SetMinColWidth(C.Min);
    Grid->SetMaxColWidth(C.Max);
    Grid->AutoSizeCol(1, C.Padding);
    EXPECT_EQ(Grid->ColWidths(1), C.After);
  }
}

TEST_F(ExGridAutoSizeTest, AutoSizeColumnsSkipsTheFixedColumnsUnlessAsked) {
  Grid->SetCells(0, 1, u"fixed column text");
  Grid->SetCells(2, 1, u"x");
  Grid->SetColWidths(0, 33);
  Grid->AutoSizeColumns(false, 0);
  EXPECT_EQ(Grid->ColWidths(0), 33);
  EXPECT_EQ(Grid->ColWidths(2), WidthFor(u"x"));
  Grid->AutoSizeColumns(true, 0);
  EXPECT_GT(Grid->ColWidths(0), 33);
}

TEST_F(ExGridAutoSizeTest, RowsByLineCount) {
  const Integer H = GhHeight();
  Grid->SetWordWrap(false);
  Grid->AutoSizeRows(false, 4);
  EXPECT_EQ(Grid->RowHeights(0), Grid->DefaultRowHeight());  // the fixed row is left
  EXPECT_EQ(Grid->RowHeights(1), 4 + H + H / 8);
  Grid->SetMultilinecells(true);
  Grid->SetCells(2, 3, u"one\r\ntwo\r\nthree");
  EXPECT_EQ(Grid->GetMaxLinesInRow(3), 3);
  Grid->AutoSizeRows(true, 0);
  EXPECT_EQ(Grid->RowHeights(0), H + H / 8);
  EXPECT_EQ(Grid->RowHeights(3), 3 * (H + H / 8));
  // A hidden column's lines do not count, the last displayed column's do.
  Grid->SetCells(4, 5, u"a\r\nb");
  Grid->SetCells(1, 5, u"a\r\nb\r\nc\r\nd");
  Grid->HideColumn(1);
  EXPECT_EQ(Grid->GetMaxLinesInRow(5), 2);
  Grid->SetMultilinecells(false);
  EXPECT_EQ(Grid->GetMaxLinesInRow(3), 1);
}

TEST_F(ExGridAutoSizeTest, RowsByMeasuredTextWithWordWrap) {
  Grid->SetWordWrap(true);
  Grid->SetColWidths(1, 40);
  // Word wrap sizes by the measured text: the padding, the text and two grid lines.
  Grid->AutoSizeRow(1, 0);
  EXPECT_EQ(Grid->RowHeights(1), 2 * Grid->XYOffset().Y + GhHeight() + 2 * Grid->GridLineWidth());
  Grid->SetCells(1, 2, u"several words that wrap over a few lines");
  Grid->AutoSizeRow(2, 0);
  const Integer Wrapped = Grid->RowHeights(2);
  Grid->AutoSizeRow(1, 0);
  EXPECT_GT(Wrapped, Grid->RowHeights(1) * 2);
  Grid->IgnoreColumns()->Add(1);
  Grid->AutoSizeRow(2, 0);
  EXPECT_EQ(Grid->RowHeights(2), Grid->RowHeights(1));
}

TEST_F(ExGridAutoSizeTest, FittingColumnsIntoTheControl) {
  Grid->SetScrollBars(ssNone);
  Grid->SetBorderStyle(bsNone);
  Grid->SetColCount(4);
  Grid->SetFixedCols(1);
  Grid->SetWidth(400);
  const Integer Widths[] = {30, 50, 61, 50};
  for (Integer c = 0; c < 4; ++c) Grid->SetColWidths(c, Widths[c]);
  Grid->AutoFitColumns(false);
  EXPECT_EQ(Grid->ColWidths(0), 30);  // fixed columns keep their widths
  Integer Sum = 0;
  for (Integer c = 1; c < 4; ++c) Sum += Grid->ColWidths(c);
  EXPECT_EQ(Sum, 370);
  EXPECT_GE(Grid->ColWidths(2), Grid->ColWidths(1));
  // Columns that fit are left alone.
  Grid->AutoFitColumns(false);
  EXPECT_EQ(Grid->ColWidths(1) + Grid->ColWidths(2) + Grid->ColWidths(3), 370);
  Grid->AutoFitColumns(true);
  Integer All = 0;
  for (Integer c = 0; c < 4; ++c) All += Grid->ColWidths(c);
  EXPECT_EQ(All, 400);
}

TEST_F(ExGridAutoSizeTest, SwappingColumnsAndRows) {
  Grid->SetCells(1, 2, u"a");
  Grid->SetCells(3, 2, u"b");
  Grid->SetColWidths(1, 11);
  Grid->SetColWidths(3, 33);
  Grid->SortSettings()->SetColumn(3);
  Grid->SwapColumns(1, 3);
  EXPECT_EQ(Grid->Cells(1, 2), u"b");
  EXPECT_EQ(Grid->Cells(3, 2), u"a");
  EXPECT_EQ(Grid->ColWidths(1), 33);
  EXPECT_EQ(Grid->ColWidths(3), 11);
  EXPECT_EQ(Grid->SortSettings()->Column(), 1);
  EXPECT_EQ(Grid->ColCount(), 5);
  Grid->SetRowHeights(4, 40);
  Grid->SwapRows(2, 4);
  EXPECT_EQ(Grid->Cells(1, 4), u"b");
  EXPECT_EQ(Grid->Cells(1, 2), u"");
  EXPECT_EQ(Grid->RowHeights(2), 40);
  EXPECT_EQ(Grid->RowCount(), 10);
}

TEST_F(ExGridAutoSizeTest, ZoomStepsStayWithinTen) {
  const Integer W = Grid->ColWidths(1), H = Grid->RowHeights(1);
  Grid->Zoom(6);
  EXPECT_EQ(Grid->ZoomFactor(), 6);
  EXPECT_EQ(Grid->ColWidths(1), W + 6);
  EXPECT_EQ(Grid->RowHeights(1), H + 6);
  Grid->Zoom(6);  // 12 is out of range: nothing happens
  EXPECT_EQ(Grid->ZoomFactor(), 6);
  EXPECT_EQ(Grid->ColWidths(1), W + 6);
  Grid->Zoom(-6);
  EXPECT_EQ(Grid->ColWidths(1), W);
}

TEST_F(ExGridAutoSizeTest, SizingTheControlToItsCells) {
  Grid->SetColCount(2);
  Grid->SetRowCount(3);
  Grid->SetColWidths(0, 20);
  Grid->SetColWidths(1, 30);
  Grid->SizeToCells();
  EXPECT_EQ(Grid->ClientWidth(), 50);
  EXPECT_EQ(Grid->ClientHeight(), 3 * Grid->DefaultRowHeight());
}

// Widths, heights and line widths at the integer's bounds are held at the bounds the grid's files
// use (0 … GridFileMaxExtent pixels): the grid then lays its cells out, scrolls, paints and sizes
// them to their content with every sum inside the integer range.
TEST_F(ExGridAutoSizeTest, SizesAtTheIntegersBoundsAreHeldAtTheBoundsOfTheFiles) {
  using TGrid = TExColumnGrid;
  struct Case {
    const char* Name;
    std::function<void(TGrid&, Integer)> Set;
    std::function<Integer(TGrid&)> Get;
  };
  const Case Cases[] = {
      {"column width", [](TGrid& G, Integer V) { G.SetColWidths(1, V); }, [](TGrid& G) { return G.ColWidths(1); }},
      {"row height", [](TGrid& G, Integer V) { G.SetRowHeights(1, V); }, [](TGrid& G) { return G.RowHeights(1); }},
      {"default column width", [](TGrid& G, Integer V) { G.SetDefaultColWidth(V); },
       [](TGrid& G) { return G.ColWidths(3); }},
      {"default row height", [](TGrid& G, Integer V) { G.SetDefaultRowHeight(V); },
       [](TGrid& G) { return G.RowHeights(3); }},
      {"fixed row height", [](TGrid& G, Integer V) { G.SetFixedRowHeight(V); },
       [](TGrid& G) { return std::max(G.FixedRowHeight(), G.RowHeights(0)); }},
      {"fixed column width", [](TGrid& G, Integer V) { G.SetFixedColWidth(V); }, [](TGrid& G) { return G.ColWidths(0); }},
      {"width of a shown column", [](TGrid& G, Integer V) { G.SetAllColWidths(1, V); },
       [](TGrid& G) { return G.AllColWidths(1); }},
      {"width of a hidden column, shown again",
       [](TGrid& G, Integer V) {
         G.HideColumn(3);
         G.SetAllColWidths(3, V);
         G.UnHideColumn(3);
       },
       [](TGrid& G) { return G.ColWidths(3); }},
      {"width of a column item", [](TGrid& G, Integer V) { G.Columns()->Items(1)->SetWidth(V); },
       [](TGrid& G) { return std::max(G.Columns()->Items(1)->Width(), G.ColWidths(1)); }},
      {"grid line width", [](TGrid& G, Integer V) { G.SetGridLineWidth(V); }, [](TGrid& G) { return G.GridLineWidth(); }},
  };
  for (const Case& C : Cases)
    for (const auto& [Value, Held] : {std::pair<Integer, Integer>{INT_MAX, GridFileMaxExtent}, {INT_MIN, 0}}) {
      TGrid G(Form);
      G.SetParent(Form);
      G.SetBounds(0, 0, 300, 200);
      G.SetColCount(6);
      G.SetRowCount(8);
      for (Integer c = 0; c < 6; ++c)
        for (Integer r = 0; r < 8; ++r) G.SetCells(c, r, u"cell " + IntToStr(c) + u"," + IntToStr(r));
      C.Set(G, Value);
      EXPECT_EQ(C.Get(G), Held) << C.Name << " set to " << Value;
      G.Repaint();
      G.AutoSizeCol(1, 0);
      G.AutoSizeRow(1, 0);
      G.SetTopRow(G.RowCount() - 1);
      G.SetLeftCol(G.ColCount() - 1);
      G.Repaint();
      EXPECT_GE(G.VisibleColCount(), 1) << C.Name;
      EXPECT_GE(G.VisibleRowCount(), 1) << C.Name;
    }
}

}  // namespace
