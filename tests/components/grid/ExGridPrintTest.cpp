// The string grid's printing: the page layout in tenths of a millimetre (column edges, fitting,
// column bands, page breaks, repeated fixed rows, page numbers), the preview of one page, drawing
// onto a caller's canvas, and printing to a PDF file with its page range.
#include <algorithm>
#include <climits>

#include "ExGridTextPrintTestUtil.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridPrintSettings.h"
#include "components/grid/ExGridPrintInternal.h"
#include "platform/gui/Printers.h"
#include "tests/platform/gui/PdfTestUtil.h"

namespace {

class ExGridPrintTest : public ExGridTextPrintTest {
 protected:
  void SetUp() override {
    ExGridTextPrintTest::SetUp();
    // Every column 300 wide and every row 300 high: the layout's arithmetic then does not depend on
    // the text metrics beyond the small line spacing.
    TPrintSettings* P = Grid->PrintSettings();
    P->SetUseFixedWidth(true);
    P->SetFixedWidth(300);
    P->SetUseFixedHeight(true);
    P->SetFixedHeight(300);
    P->SetCentered(false);
    P->SetLeftSize(100);
    Grid->SetColCount(3);
    Grid->SetRowCount(10);
    for (Integer r = 0; r < 10; ++r)
      for (Integer c = 0; c < 3; ++c) Grid->SetCells(c, r, IntToStr(c) + u"," + IntToStr(r));
    Grid->OnPrintGetPageNum = [this](TObject*, Integer, Integer, String& Text) { PageNumbers.push_back(Text); };
    Grid->OnPrintPageDone = [this](TObject*, TCanvas*, Integer, Integer, Integer LastPage, Integer, Integer) {
      PagesDone.push_back(LastPage);
    };
  }
  // A preview canvas of 378 x 567 pixels: a page of 1000 x 1500 tenths of a millimetre at 96 dpi.
  void Preview() {
    PageNumbers.clear();
    PagesDone.clear();
    Grid->PrintPreview(Bitmap.Canvas(), TRect(0, 0, 378, 567));
  }
  static Integer PdfPages(const std::string& Pdf) {
    Integer N = 0;
    for (size_t i = Pdf.find("/Type /Page"); i != std::string::npos; i = Pdf.find("/Type /Page", i + 1))
      if (Pdf.compare(i, 12, "/Type /Pages") != 0) ++N;
    return N;
  }
  // The page edges of the printed columns.
  std::vector<Integer> Offsets(Integer From, Integer To) {
    std::vector<Integer> V;
    for (Integer c = From; c <= To; ++c) V.push_back(Grid->PrintColOffset(c));
    return V;
  }
  std::vector<Integer> Widths(Integer From, Integer To) {
    std::vector<Integer> V;
    for (Integer c = From; c <= To; ++c) V.push_back(Grid->PrintColWidth(c));
    return V;
  }
  TBitmap Bitmap{378, 567};
  std::vector<String> PageNumbers;
  std::vector<Integer> PagesDone;
};

TEST_F(ExGridPrintTest, FontHeightsInTenthsOfAMillimetre) {
  struct Case {
    const char* Name;
    Integer Points;
    Integer Height;
  };
  const Case Cases[] = {{"10 pt", 10, -35}, {"8 pt", 8, -28}, {"12 pt", 12, -42}, {"0 pt", 0, 0}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    EXPECT_EQ(Grid->MapFontHeight(C.Points), C.Height);
  }
  EXPECT_EQ(Grid->MapFontSize(35), 9);
  EXPECT_EQ(Grid->MapFontSize(254), 72);
}

TEST_F(ExGridPrintTest, ColumnEdgesAndFittingOnThePage) {
  struct Case {
    const char* Name;
    bool Centered;
    TFitToPage Fit;
    Integer FixedWidth;
    std::vector<Integer> Widths, Offsets;  // columns 0 .. 2, edges 0 .. 3
  };
  const Case Cases[] = {
      {"left margin", false, fpNever, 300, {300, 300, 300}, {100, 400, 700, 1000}},
      {"centred", true, fpNever, 300, {300, 300, 300}, {50, 350, 650, 950}},
      {"shrink leaves a narrower grid", false, fpShrink, 250, {250, 250, 250}, {100, 350, 600, 850}},
      {"always fills the page less the margins", false, fpAlways, 250, {300, 300, 300}, {100, 400, 700, 1000}},
      {"always shrinks a wider grid", false, fpAlways, 400, {300, 300, 300}, {100, 400, 700, 1000}},
      {"grow leaves a wider grid", false, fpGrow, 400, {400, 400, 400}, {100, 500, 900, 100}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->PrintSettings()->SetCentered(C.Centered);
    Grid->PrintSettings()->SetFitToPage(C.Fit);
    Grid->PrintSettings()->SetFixedWidth(C.FixedWidth);
    Grid->PrintSettings()->SetLeftSize(C.Centered ? 0 : 100);
    if (C.Fit != fpNever) Grid->PrintSettings()->SetLeftSize(100);
    Preview();
    EXPECT_EQ(Grid->PrintPageRect(), TRect(0, 0, 1000, -1500));
    EXPECT_EQ(Widths(0, 2), C.Widths);
    if (C.Fit == fpGrow) {
      // Three columns of 400 make two bands: the last one starts again at the margin.
      EXPECT_EQ(Grid->PrintColStart(), 2);
      EXPECT_EQ(Offsets(2, 3), (std::vector<Integer>{100, 500}));
    } else {
      EXPECT_EQ(Offsets(0, 3), C.Offsets);
    }
  }
}

TEST_F(ExGridPrintTest, CustomFitAsksTheApplication) {
  Grid->PrintSettings()->SetFitToPage(fpCustom);
  double Asked = 0;
  Grid->OnFitToPage = [&Asked](TObject*, double& Scale, bool& Allow) {
    Asked = Scale;
    Allow = false;
  };
  Grid->PrintSettings()->SetFixedWidth(200);
  Preview();
  EXPECT_DOUBLE_EQ(Asked, 900.0 / 600.0);
  EXPECT_EQ(Widths(0, 2), (std::vector<Integer>{200, 200, 200}));
  Grid->OnFitToPage = [](TObject*, double& Scale, bool&) { Scale = 0.5; };
  Preview();
  EXPECT_EQ(Widths(0, 2), (std::vector<Integer>{100, 100, 100}));
}

TEST_F(ExGridPrintTest, PagesBandsAndPageNumbers) {
  Grid->PrintSettings()->SetPageNr(ppBottomCenter);
  struct Case {
    const char* Name;
    Integer Cols, FixedWidth, Rows;
    Integer Pages;
    std::vector<String> Numbers;  // as OnPrintGetPageNum sees them, for the pages drawn
  };
  const Case Cases[] = {
      // Four rows of 300 fit the 1500 high page above its footer.
      {"one page", 3, 300, 4, 1, {u"1"}},
      {"three pages", 3, 300, 10, 3, {u"1/3"}},
      {"two bands of three pages", 4, 300, 10, 6, {u"1-1"}},
      {"a column wider than the page has a band", 2, 1200, 4, 2, {u"1-1"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetColCount(C.Cols);
    Grid->SetRowCount(C.Rows);
    Grid->PrintSettings()->SetFixedWidth(C.FixedWidth);
    Grid->SetPreviewPage(1);
    Preview();
    EXPECT_EQ(Grid->PrintNrOfPages(), C.Pages);
    EXPECT_EQ(PageNumbers, C.Numbers);
    EXPECT_EQ(static_cast<Integer>(PagesDone.size()), C.Pages);
  }
  // The page numbers of the second band's pages.
  Grid->SetColCount(4);
  Grid->SetRowCount(10);
  Grid->PrintSettings()->SetFixedWidth(300);
  Grid->SetPreviewPage(5);
  Preview();
  EXPECT_EQ(PageNumbers, (std::vector<String>{u"2-2"}));
}

TEST_F(ExGridPrintTest, PreviewPageDrawsThatPageOnly) {
  Grid->PrintSettings()->SetPageNr(ppTopRight);
  Grid->SetPreviewPage(3);
  EXPECT_EQ(Grid->PreviewPage(), 3);
  Preview();
  EXPECT_EQ(PageNumbers, (std::vector<String>{u"3/3"}));
  // The count pass draws nothing and fires no page events; a start handler that refuses leaves the
  // canvas untouched.
  TBitmap Blank(378, 567);
  Blank.Canvas()->Brush()->SetColor(clWhite);
  Blank.Canvas()->FillRect(TRect(0, 0, 378, 567));
  Grid->OnPrintStart = [](TObject*, Integer NrOfPages, Integer& From, Integer&) {
    EXPECT_EQ(NrOfPages, 3);
    From = 0;
  };
  Integer PageEvents = 0;
  Grid->OnPrintPage = [&PageEvents](TObject*, TCanvas*, Integer, Integer, Integer) { ++PageEvents; };
  PagesDone.clear();
  Grid->PrintPreview(Blank.Canvas(), TRect(0, 0, 378, 567));
  EXPECT_EQ(PageEvents, 0);
  EXPECT_TRUE(PagesDone.empty());
  EXPECT_EQ(Blank.Canvas()->Pixels(100, 100), clWhite);
  EXPECT_FALSE(Grid->IsPrintPreview());
}

TEST_F(ExGridPrintTest, RowBreaksRepeatedFixedRowsAndFixedHeights) {
  struct Case {
    const char* Name;
    bool RepeatFixedRows;
    Integer BreakAt;  // OnPrintNewPage asks for a new page before this row, -1 none
    Integer Pages;
  };
  const Case Cases[] = {
      {"plain", false, -1, 3},
      {"a new page before row 5", false, 5, 4},
      {"the fixed row on every page", true, -1, 4},
  };
  Grid->SetRowCount(12);
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->PrintSettings()->SetRepeatFixedRows(C.RepeatFixedRows);
    const Integer BreakAt = C.BreakAt;
    Grid->OnPrintNewPage = [BreakAt](TObject*, Integer ARow, bool& NewPage) { NewPage = ARow == BreakAt; };
    Integer HeightEvents = 0;
    Grid->OnPrintSetRowHeight = [&HeightEvents](TObject*, Integer, Integer&) { ++HeightEvents; };
    Preview();
    EXPECT_EQ(Grid->PrintNrOfPages(), C.Pages);
    EXPECT_EQ(HeightEvents, 0);  // fixed heights are not offered to the application
  }
  // Measured heights are.
  Grid->PrintSettings()->SetUseFixedHeight(false);
  Integer HeightEvents = 0;
  Grid->OnPrintSetRowHeight = [&HeightEvents](TObject*, Integer, Integer& Height) {
    ++HeightEvents;
    Height = 700;
  };
  Grid->OnPrintNewPage = nullptr;
  Grid->PrintSettings()->SetRepeatFixedRows(false);
  Preview();
  EXPECT_GT(HeightEvents, 0);
  EXPECT_EQ(Grid->PrintNrOfPages(), 6);  // two rows of 700 on each page
}

TEST_F(ExGridPrintTest, DataCheckBoxesPrintOnlyWithGraphics) {
  Grid->SetColCount(2);
  Grid->SetRowCount(2);
  Grid->SetFixedRows(0);
  Grid->SetFixedCols(0);
  for (Integer r = 0; r < 2; ++r)
    for (Integer c = 0; c < 2; ++c) Grid->SetCells(c, r, u"");
  Grid->SetCells(1, 1, Grid->CheckTrue());
  Grid->AddCheckBox(1, 1, true, true);
  Grid->PrintSettings()->SetBorders(pbNoborder);
  auto Drawn = [this](bool Graphics) {
    Grid->PrintSettings()->SetPrintGraphics(Graphics);
    TBitmap B(378, 567);
    B.Canvas()->Brush()->SetColor(clWhite);
    B.Canvas()->FillRect(TRect(0, 0, 378, 567));
    Grid->PrintDraw(B.Canvas(), TRect(0, 0, 378, 567));
    Integer Dark = 0;
    for (Integer y = 0; y < 567; y += 1)
      for (Integer x = 0; x < 378; x += 1)
        if (B.Canvas()->Pixels(x, y) != clWhite) ++Dark;
    return Dark;
  };
  EXPECT_EQ(Drawn(false), 0);
  EXPECT_GT(Drawn(true), 0);
}

TEST_F(ExGridPrintTest, PrintingToAFileWithItsPageRange) {
  TPrinter* P = Printer();
  P->SetPrinterIndex(P->Printers()->Count() - 1);  // the print-to-file printer
  P->SetOrientation(poPortrait);
  const String File = TempFile("print.pdf");
  const std::string Path = StringToUtf8(File);
  // Rows 1000 high: two on each A4 page, three pages for six rows.
  Grid->SetRowCount(6);
  Grid->PrintSettings()->SetFixedHeight(1000);
  struct Case {
    const char* Name;
    bool Fast;
    Integer From, To;  // set by OnPrintStart; 0 leaves the range
    Integer Pages;     // in the file, -1: no file written (and no file asked for)
    Integer Total;     // PrintNrOfPages afterwards
    const char* Text;  // a cell text on the printed pages
  };
  const Case Cases[] = {
      {"all pages", false, 0, 0, 3, 3, "1,0"},
      {"pages 2 to 3", false, 2, 3, 2, 3, "1,3"},
      {"cancelled", false, -1, 0, -1, 3, nullptr},
      {"fast print lays out every page", true, 0, 0, 3, INT_MAX, "2,5"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    std::remove(Path.c_str());
    Grid->SetFastPrint(C.Fast);
    const Case Cur = C;
    Grid->OnPrintStart = [Cur](TObject*, Integer, Integer& From, Integer& To) {
      if (Cur.From == -1) From = 0;
      if (Cur.From > 0) {
        From = Cur.From;
        To = Cur.To;
      }
    };
    PagesDone.clear();
    if (C.Pages >= 0) TestHarness::ExpectFileDialog(true, File);
    Grid->Print();
    const std::string Pdf = ReadBytes(File);
    if (C.Pages < 0) {
      EXPECT_TRUE(Pdf.empty());
    } else if (PdfTest::ToolsPresent()) {
      EXPECT_EQ(PdfTest::Info(Path).Pages, C.Pages);
      const std::string Text = PdfTest::Text(Path);
      EXPECT_NE(Text.find(C.Text), std::string::npos) << Text;
    } else {
      EXPECT_EQ(Pdf.compare(0, 4, "%PDF"), 0);
    }
    EXPECT_EQ(Grid->PrintNrOfPages(), C.From > 0 ? C.To : C.Total);
  }
  Grid->SetFastPrint(false);
  Grid->OnPrintStart = nullptr;
  // The print's page size is the printer's page in 0.1 mm: A4 at the printer's resolution, turned
  // with the print settings' orientation.
  TestHarness::ExpectFileDialog(true, File);
  Grid->Print();
  EXPECT_NEAR(Grid->PrintPageRect().Right, 2100, 2);
  EXPECT_NEAR(Grid->PrintPageRect().Bottom, -2970, 2);
  Grid->PrintSettings()->SetUseDefaultOrientation(false);
  Grid->PrintSettings()->SetOrientation(poLandscape);
  TestHarness::ExpectFileDialog(true, File);
  Grid->Print();
  EXPECT_NEAR(Grid->PrintPageRect().Right, 2970, 2);
  EXPECT_NEAR(Grid->PrintPageRect().Bottom, -2100, 2);
  if (PdfTest::ToolsPresent()) {
    EXPECT_NEAR(PdfTest::Info(Path).Width, 842.0, 1.0);
  }
  P->SetOrientation(poPortrait);
  std::remove(Path.c_str());
}

// Rotated text turns as on the screen; with the driver fix on the printer, a printer that turns
// landscape pages by 90 degrees gets the turn reversed.
TEST_F(ExGridPrintTest, TheDriverFixReversesRotatedTextOnAPrinterTurningLandscapeBy90) {
  struct Case {
    const char* Name;
    bool Fix;
    Integer Rotation;
    Integer Escapement;
  };
  const Case Cases[] = {
      {"without the fix", false, 90, 450},
      {"fix, printer turning by 90", true, 90, -450},
      {"fix, printer turning by 270", true, 270, 450},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    EXPECT_EQ(TGridPrintLayout::PrintEscapement(45, C.Fix, C.Rotation), C.Escapement);
  }
  TPrinter* P = Printer();
  P->SetPrinterIndex(P->Printers()->Count() - 1);
  EXPECT_EQ(P->LandscapeRotation(), 90);
}

}  // namespace
