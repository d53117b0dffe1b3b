// The paint loop: DrawCell once per visible cell with its rectangle and state, and the pixels of a
// small grid (backgrounds, lines, selection, the focus rectangle, 3-D edges of fixed cells).
#include "tests/platform/grids/GridTestUtil.h"

namespace {

using Paint = GridFixture;

std::string StateText(TGridDrawState s) {
  std::string t;
  if (s.Contains(gdFixed)) t += "F";
  if (s.Contains(gdSelected)) t += "S";
  if (s.Contains(gdFocused)) t += "C";
  return t.empty() ? "-" : t;
}

TEST_F(Paint, DrawCellRunsOncePerVisibleCellInRowOrderWithItsRectAndState) {
  Grid->SetColCount(4);  // everything fits: 4 × 65 = 260 pixels across
  Grid->SetSelection(TGridRect{1, 1, 2, 2});
  Grid->Drawn.clear();
  Grid->Repaint();
  ASSERT_EQ(Grid->Drawn.size(), 20u);
  std::string grid;
  for (size_t i = 0; i < Grid->Drawn.size(); ++i) {
    const auto& d = Grid->Drawn[i];
    EXPECT_EQ(d.Rect, Grid->CellRect(d.Col, d.Row)) << Cell(d.Col, d.Row);
    EXPECT_EQ(d.Col, static_cast<Integer>(i % 4));
    EXPECT_EQ(d.Row, static_cast<Integer>(i / 4));
    grid += StateText(d.State) + (d.Col == 3 ? "\n" : " ");
  }
  EXPECT_EQ(grid,
            "F F F F\n"
            "F S S -\n"
            "F S SC -\n"
            "F - - -\n"
            "F - - -\n");
}

TEST_F(Paint, OnlyTheCellsInViewAreDrawnAndNoFocusStateWithoutTheFocus) {
  Grid->SetRowCount(30);
  Grid->SetTopRow(10);
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 200, 80, 20);
  other->SetFocus();
  TestHarness::ProcessEvents();
  Grid->SetSelection(TGridRect{2, 11, 2, 11});
  Grid->Drawn.clear();
  Grid->Repaint();
  std::vector<Integer> rows;
  for (const auto& d : Grid->Drawn) {
    if (d.Col == 0) rows.push_back(d.Row);
    EXPECT_FALSE(d.State.Contains(gdFocused));
  }
  EXPECT_EQ(rows, (std::vector<Integer>{0, 10, 11, 12, 13, 14})) << "the partly visible row is drawn";
}

// A cell write repaints the cell's rectangle with the lines after it, and the paint draws the cells
// that reach into it only; a row out of view repaints nothing.
TEST_F(Paint, ACellWriteRepaintsItsRectangleAndThePaintDrawsThoseCellsOnly) {
  Grid->SetRowCount(30);
  TestHarness::ProcessEvents();
  ASSERT_FALSE(Grid->NeedsPaint());
  Grid->SetCells(2, 3, u"new");
  ASSERT_TRUE(Grid->NeedsPaint());
  ASSERT_NE(Grid->PaintArea(), nullptr);
  const TRect R = Grid->CellRect(2, 3);
  EXPECT_EQ(Grid->PaintArea()->Bounds(), Rect(R.Left, R.Top, R.Right + 1, R.Bottom + 1));
  Grid->Drawn.clear();
  TestHarness::ProcessEvents();
  ASSERT_EQ(Grid->Drawn.size(), 1u);
  EXPECT_EQ(Cell(Grid->Drawn[0].Col, Grid->Drawn[0].Row), Cell(2, 3));
  Grid->SetCells(2, 25, u"below");
  EXPECT_FALSE(Grid->NeedsPaint());
}

// A 3 × 3 grid of 10 × 8 cells, nothing to scroll: fixed cells 0 … 9 across and 0 … 7 down.
struct SmallGrid : GridFixture {
  void SetUp() override {
    GridFixture::SetUp();
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    Grid->SetDefaultColWidth(10);
    Grid->SetDefaultRowHeight(8);
    Grid->SetColor(clWhite);
    Grid->SetFixedColor(clGray);
    Grid->SetBounds(0, 0, 60, 40);
  }
  TColor Px(Integer x, Integer y) {
    Grid->Repaint();
    return TestHarness::Pixel(Grid, x, y);
  }
};

TEST_F(SmallGrid, PixelsOfBackgroundsLinesAndEdges) {
  Grid->SetSelection(TGridRect{1, 1, 1, 1});
  Grid->Repaint();
  struct Case {
    const char* Name;
    TPoint P;
    TColor Color;
  };
  const Case cases[] = {
      {"fixed cell inside", {4, 4}, clGray},
      {"fixed cell's raised edge, top-left", {0, 0}, ColorToRGB(clBtnHighlight)},
      {"fixed cell's raised edge, bottom-right", {9, 7}, ColorToRGB(clBtnShadow)},
      {"fixed cell's vertical line", {10, 3}, clBlack},
      {"fixed row's line under a normal column", {14, 8}, clBlack},
      {"normal cell inside", {25, 20}, clWhite},
      {"normal cell's vertical line", {21, 20}, clSilver},
      {"normal cell's horizontal line", {25, 26}, clSilver},
      {"line corner", {21, 26}, clSilver},
      {"right of the last column", {40, 5}, clWhite},
      {"below the last row", {5, 30}, clWhite},
  };
  for (const Case& k : cases) EXPECT_EQ(TestHarness::Pixel(Grid, k.P.X, k.P.Y), k.Color) << k.Name;
}

TEST_F(SmallGrid, PixelsOfTheSelectionAndTheFocusRectangle) {
  // Cells (1, 1) and (2, 1) selected, the current cell (2, 1) focused: the other one shows the
  // highlight, the focused one its own colour inside a dotted focus rectangle.
  Grid->SetSelection(TGridRect{1, 1, 2, 1});
  ASSERT_TRUE(Grid->Focused());
  EXPECT_EQ(Px(15, 12), ColorToRGB(clHighlight));
  EXPECT_EQ(Px(26, 12), clWhite);
  // The dots of the focus rectangle (cell 22 … 31 × 9 … 16) stand on every other pixel.
  EXPECT_EQ(TestHarness::Pixel(Grid, 23, 9), clBlack) << "a dot";
  EXPECT_EQ(TestHarness::Pixel(Grid, 22, 9), clWhite) << "between two dots";
  EXPECT_EQ(TestHarness::Pixel(Grid, 31, 16), clWhite) << "between two dots";
  EXPECT_EQ(TestHarness::Pixel(Grid, 31, 15), clBlack) << "a dot";
  // goDrawFocusSelected draws the focused cell selected too.
  Grid->SetOptions(Grid->Options() << goDrawFocusSelected);
  EXPECT_EQ(Px(26, 12), ColorToRGB(clHighlight));
}

TEST_F(SmallGrid, WithoutDefaultDrawingTheGridLeavesTheCellsToDrawCell) {
  Grid->SetDefaultDrawing(false);
  Grid->OnDrawCell = [&](TObject*, Integer c, Integer r, TRect rect, TGridDrawState) {
    if (c == 1 && r == 1) {
      Grid->Canvas()->Brush()->SetColor(clRed);
      Grid->Canvas()->FillRect(rect);
    }
  };
  EXPECT_EQ(Px(15, 12), clRed);
  EXPECT_EQ(Px(0, 0), clWhite) << "no fill and no 3-D edge: the background shows";
  EXPECT_EQ(Px(10, 3), clBlack) << "the lines are still drawn";
}

TEST_F(SmallGrid, TheStringGridDrawsTheCellsText) {
  const TColor empty = Px(15, 12);
  Grid->SetCells(1, 1, u"WWW");
  bool inked = false;
  Grid->Repaint();
  for (Integer x = 12; x < 20 && !inked; ++x)
    for (Integer y = 10; y < 16 && !inked; ++y) inked = TestHarness::Pixel(Grid, x, y) != empty;
  EXPECT_TRUE(inked);
}

TEST_F(SmallGrid, NothingIsPaintedWhileRedrawIsOff) {
  const TColor before = Px(25, 20);
  Grid->Perform(WM_SETREDRAW, 0, 0);
  Grid->SetColor(clRed);
  EXPECT_EQ(Px(25, 20), before);
  Grid->Perform(WM_SETREDRAW, 1, 0);
  EXPECT_EQ(Px(25, 20), clRed);
}

TEST_F(SmallGrid, TheSizingLineInvertsAndARepaintDuringTheDragKeepsItPaired) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  const TColor white = Px(15, 12);
  Press(TPoint(21, 3));  // the right border of column 1
  EXPECT_NE(TestHarness::Pixel(Grid, 21, 15), white) << "the line is drawn at the border";
  Grid->Repaint();
  MoveTo(TPoint(30, 3));
  Grid->Update();
  EXPECT_EQ(TestHarness::Pixel(Grid, 21, 15), clSilver) << "the old line went away";
  EXPECT_NE(TestHarness::Pixel(Grid, 30, 15), TestHarness::Pixel(Grid, 26, 15)) << "the new line";
  Release(TPoint(30, 3));
  EXPECT_EQ(Grid->ColWidths(1), 19);
}

}  // namespace
