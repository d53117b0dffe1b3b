// The base grid's cell painter on a small grid, pixel by pixel: backgrounds and grid lines, the
// hidden last row, merged areas painted once per pass, the selection boxes of the selection
// styles, the hover and active rows, painting without content, and the clip at the fixed area.
#include <algorithm>
#include <cstdlib>

#include "platform/gui/StdCtrls.h"
#include "tests/components/gridbase/BaseGridTestUtil.h"

namespace {

constexpr TColor Paper = 0x00FFFFFF;
constexpr TColor Fixed = 0x00808000;
constexpr TColor Line = 0x000000FF;
constexpr TColor FixedLine = 0x00FF0000;

struct Painter : BaseGridFixture {
  void SetUp() override {
    BaseGridFixture::SetUp();
    Grid->SetColor(Paper);
    Grid->SetFixedColor(Fixed);
    Grid->SetGridLineColor(Line);
    Grid->SetGridFixedLineColor(FixedLine);
  }
  TColor Px(Integer X, Integer Y) { return TestHarness::Pixel(Grid, X, Y); }
  void Paint() {
    Clear();
    Grid->Repaint();
    TestHarness::ProcessEvents();
  }
  std::vector<std::string> ContentOf(Integer Col, Integer Row) {
    std::vector<std::string> Rects;
    for (const auto& C : Grid->Content)
      if (C.Col == Col && C.Row == Row) Rects.push_back(Rc(C.Rect));
    return Rects;
  }
};

struct PixelCase {
  const char* Name;
  Integer X, Y;
  TColor Expected;
};

void ExpectPixels(Painter& P, std::initializer_list<PixelCase> Cases) {
  for (const PixelCase& C : Cases) EXPECT_EQ(P.Px(C.X, C.Y), C.Expected) << C.Name << " at " << C.X << "," << C.Y;
}

TEST_F(Painter, BackgroundsAndOnePixelGridLines) {
  Paint();
  // Cell (2, 2) covers 80..119 x 40..59; the fixed cell (0, 2) covers 0..39 x 40..59.
  ExpectPixels(*this, {
                          {"normal background", 100, 50, Paper},
                          {"inside next to the lines", 118, 58, Paper},
                          {"right line", 119, 50, Line},
                          {"bottom line", 100, 59, Line},
                          {"corner", 119, 59, Line},
                          {"fixed background", 20, 50, Fixed},
                          {"fixed right line", 39, 50, FixedLine},
                          {"fixed bottom line", 20, 59, FixedLine},
                          {"fixed row line", 100, 19, FixedLine},
                      });
  EXPECT_EQ(ContentOf(2, 2), (std::vector<std::string>{"81,41,119,59"})) << "shrunk by the line width";
  EXPECT_EQ(ContentOf(0, 2), (std::vector<std::string>{"0,40,39,58"})) << "fixed: right - 1, bottom - 2";
}

TEST_F(Painter, WideGridLinesForNormalCellsAndOnePixelForFixedCells) {
  Grid->SetGridLineWidth(3);
  Paint();
  ExpectPixels(*this, {
                          {"background", 100, 50, Paper},
                          {"before the right line", 116, 50, Paper},
                          {"right line", 117, 50, Line},
                          {"right line's last column", 119, 50, Line},
                          {"before the bottom line", 100, 56, Paper},
                          {"bottom line", 100, 57, Line},
                          {"fixed right line", 39, 50, FixedLine},
                          {"fixed background", 38, 50, Fixed},
                      });
  EXPECT_EQ(ContentOf(2, 2), (std::vector<std::string>{"83,43,117,57"}));
}

TEST_F(Painter, TheHiddenLastRowIsAPlainRectangle) {
  Grid->SetHideLastRow(true);
  Grid->SetCells(2, 7, u"W");
  Paint();
  // Row 7 covers 140..159.
  ExpectPixels(*this, {
                          {"normal cell", 100, 150, Paper},
                          {"where the right line was", 119, 150, Paper},
                          {"where the bottom line was", 100, 159, Paper},
                          {"fixed column", 20, 150, Paper},
                          {"the row above keeps its line", 100, 139, Line},
                      });
  for (const auto& C : Grid->Content) EXPECT_NE(C.Row, 7) << "no content in the hidden row";
}

TEST_F(Painter, AMergedAreaIsPaintedOncePerPassFromItsBaseCell) {
  Grid->MergeCells(2, 2, 3, 2);  // 80..199 x 40..79
  Grid->SetCells(3, 3, u"W");
  const Integer Before = Grid->PaintID();
  Paint();
  EXPECT_EQ(Grid->PaintID(), Before + 1);
  for (Integer c = 2; c <= 4; ++c)
    for (Integer r = 2; r <= 3; ++r) {
      if (c != 2 || r != 2) {
        EXPECT_TRUE(ContentOf(c, r).empty()) << c << "," << r;
      }
    }
  EXPECT_EQ(ContentOf(2, 2), (std::vector<std::string>{"81,41,199,79"}));
  ExpectPixels(*this, {
                          {"no line between the merged columns", 119, 70, Paper},
                          {"no line between the merged rows", 100, 59, Paper},
                          {"the area's right line", 199, 70, Line},
                          {"the area's bottom line", 150, 79, Line},
                      });
  Paint();
  EXPECT_EQ(ContentOf(2, 2).size(), 1u) << "the next pass paints it again, once";
}

TEST_F(Painter, AScrolledMergedAreaPaintsFromAnotherCellAndNeverOverTheFixedRow) {
  Grid->SetRowCount(30);
  Grid->MergeCells(2, 1, 1, 3);  // rows 1..3 of column 2
  Grid->SetTopRow(2);            // the base row is scrolled away
  Paint();
  EXPECT_EQ(ContentOf(2, 1), (std::vector<std::string>{"81,1,119,59"})) << "the whole area from its base cell";
  ExpectPixels(*this, {
                          {"the fixed row above stays", 100, 10, Fixed},
                          {"the fixed row's line", 100, 19, FixedLine},
                          {"the area below it", 100, 30, Paper},
                          {"no line inside the area", 100, 39, Paper},
                      });
}

TEST_F(Painter, SelectionStylesDrawOneBoxOverTheSelectedColumns) {
  constexpr TColor Border = 0xFDDE99, Fill = 0xFDF8F1;
  Grid->SetSelectionStyle(ssVista);
  Grid->SetSelection(TGridRect{2, 1, 4, 1});
  Paint();
  // Row 1 covers 20..39; columns 2, 3, 4 cover 80..119, 120..159, 160..199.
  ExpectPixels(*this, {
                          {"left end: rounded outer corner", 80, 20, Paper},
                          {"left end: open towards the middle", 118, 20, Border},
                          {"left end: fill", 83, 22, Fill},
                          {"middle piece: open on both sides", 120, 20, Border},
                          {"middle piece: right side", 158, 20, Border},
                          {"right end: open towards the middle", 160, 20, Border},
                          {"right end: rounded outer corner", 198, 20, Paper},
                      });
  EXPECT_EQ(ContentOf(3, 1).size(), 1u) << "the content is drawn over the box";

  Grid->SetSelection(TGridRect{2, 2, 2, 2});
  Paint();
  ExpectPixels(*this, {
                          {"whole box: left corner", 80, 40, Paper},
                          {"whole box: right corner", 118, 40, Paper},
                      });
}

TEST_F(Painter, WithoutTheFocusTheBoxesAreGrey) {
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(10, 250, 80, 20);
  Other->SetFocus();
  TestHarness::ProcessEvents();
  Grid->SetSelectionStyle(ssOffice2007);
  Grid->SetSelection(TGridRect{2, 2, 2, 2});
  Paint();
  EXPECT_EQ(Px(83, 42), 0xF8F8F8);
  Grid->SetOptions(Grid->Options() << goDrawFocusSelected);
  Paint();
  EXPECT_EQ(Px(83, 42), 0xD7FFFD) << "goDrawFocusSelected keeps the focused colours";
}

TEST_F(Painter, HoverRowColoursNormalCellsWhateverHoverRowCellsSays) {
  constexpr TColor Hover = 0x0000FF00;
  Grid->SetHoverRow(true);
  Grid->SetHoverRowIdx(1);
  Grid->SetHoverRowColor(Hover);
  Grid->SetHoverRowCells(THoverRowCells{});
  Paint();
  ExpectPixels(*this, {
                          {"normal cell", 100, 30, Hover},
                          {"selected current cell", 60, 30, Paper},
                          {"fixed cell", 20, 30, Fixed},
                          {"another row", 100, 50, Paper},
                      });
  Grid->SetHoverRowCells(THoverRowCells{hcSelected, hcFixed});
  Paint();
  ExpectPixels(*this, {
                          {"selected current cell", 60, 30, Hover},
                          {"fixed cell", 20, 30, Hover},
                      });
}

TEST_F(Painter, TheActiveRowColoursTheCurrentRowsOtherNormalCells) {
  constexpr TColor Active = 0x0000FFFF;
  Grid->SetActiveRowShow(true);
  Grid->SetActiveRowColor(Active);
  Grid->SetRow(3);
  Paint();
  ExpectPixels(*this, {
                          {"other cell of the row", 100, 70, Active},
                          {"the current cell", 60, 70, Paper},
                          {"the fixed cell", 20, 70, Fixed},
                          {"another row", 100, 90, Paper},
                      });
  Grid->SetShowSel(false);
  Paint();
  EXPECT_EQ(Px(60, 70), Active) << "with the selection hidden the current cell takes the colour too";
}

TEST_F(Painter, PaintCellExtPaintsASelectedCellWithoutContent) {
  constexpr TColor Active = 0x00FF00FF;
  Grid->SetActiveRowColor(Active);
  // A canvas laid out like the grid's client area; cell (2, 2) covers 80..119 x 40..59.
  TBitmap Bmp(200, 100);
  Bmp.Canvas()->Brush()->SetColor(0x00123456);
  Bmp.Canvas()->FillRect(Rect(0, 0, 200, 100));
  Grid->SetCells(2, 2, u"W");
  Grid->PaintCellExt(Bmp.Canvas(), 2, 2, Rect(80, 40, 120, 60), TGridDrawState{gdSelected});
  EXPECT_EQ(Bmp.Canvas()->Pixels(100, 50), Active);
  EXPECT_EQ(Bmp.Canvas()->Pixels(119, 50), Line);
  EXPECT_TRUE(Grid->Content.empty());

  Grid->SetSelectionStyle(ssWin7);
  Grid->PaintCellExt(Bmp.Canvas(), 2, 2, Rect(80, 40, 120, 60), TGridDrawState{gdSelected});
  EXPECT_EQ(Bmp.Canvas()->Pixels(80, 40), Paper) << "the box's rounded corner";
  EXPECT_TRUE(Grid->Content.empty());
}

TEST_F(Painter, TheBaseGridDrawsTheCellTextCentred) {
  Grid->SetCells(2, 2, u"W");
  Paint();
  // The text's ink lies around the cell's centre, within its inner rectangle.
  Integer MinX = 1000, MaxX = -1, MinY = 1000, MaxY = -1;
  for (Integer y = 41; y < 59; ++y)
    for (Integer x = 81; x < 119; ++x)
      if (Px(x, y) != Paper) {
        MinX = std::min(MinX, x), MaxX = std::max(MaxX, x);
        MinY = std::min(MinY, y), MaxY = std::max(MaxY, y);
      }
  ASSERT_GE(MaxX, MinX) << "some ink";
  EXPECT_LE(std::abs((MinX + MaxX) / 2 - 100), 2);
  EXPECT_LE(std::abs((MinY + MaxY) / 2 - 50), 3);
}

TEST_F(Painter, CellsIsFixedNamesArePaintedAsFixed) {
  Grid->FixedCells = {TPoint(3, 3)};
  Grid->SetSelection(TGridRect{3, 3, 3, 3});
  Paint();
  ASSERT_EQ(Grid->Content.size() > 0, true);
  bool Found = false;
  for (const auto& C : Grid->Content)
    if (C.Col == 3 && C.Row == 3) {
      Found = true;
      EXPECT_TRUE(C.State.Contains(gdFixed));
      EXPECT_FALSE(C.State.Contains(gdSelected));
      EXPECT_EQ(Rc(C.Rect), "120,60,159,78");
    }
  EXPECT_TRUE(Found);
  EXPECT_EQ(Px(159, 70), FixedLine);
  EXPECT_EQ(Px(140, 70), Fixed);
}

}  // namespace
