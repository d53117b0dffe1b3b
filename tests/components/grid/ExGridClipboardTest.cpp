// The string grid and the clipboard: the text of a copy, cut, the paste of text, rich text and the
// grid's own cell format, growing and inserting, the smart paste of values and series, and the
// HTML copy.
#include <gtest/gtest.h>

#include <functional>

#include "components/gridbase/ExUtil.h"
#include "platform/gui/Clipbrd.h"
#include "ExGridIOTestUtil.h"

using namespace GridIOTest;

namespace {

// A grid that records the pastes it was told of.
class TPasteGrid : public TExStringGrid {
 public:
  explicit TPasteGrid(TComponent* AOwner) : TExStringGrid(AOwner) {}
  void CellsPasted(TPoint& TopLeft, TGridRect& R, TClipOperation Op) override {
    TExStringGrid::CellsPasted(TopLeft, R, Op);
    Pasted.push_back({TopLeft, R});
  }
  std::vector<std::pair<TPoint, TGridRect>> Pasted;
};

class ExGridClipboardTest : public GridIOFixture {
 protected:
  TExStringGrid* NewGrid() override {
    auto* G = new TPasteGrid(Form);
    G->SetParent(Form);
    G->SetColCount(6);
    G->SetRowCount(12);
    G->SetOptions(G->Options() << goEditing);
    return G;
  }
  TPasteGrid* P(TExStringGrid* G) { return static_cast<TPasteGrid*>(G); }
  void Select(TExStringGrid* G, Integer L, Integer T, Integer R, Integer B) { G->SetSelection(TGridRect{L, T, R, B}); }
  String Column(TExStringGrid* G, Integer ACol, Integer From, Integer To) {
    String S;
    for (Integer r = From; r <= To; ++r) S += G->Cells(ACol, r) + u";";
    return S;
  }
  String Row(TExStringGrid* G, Integer ARow, Integer From, Integer To) {
    String S;
    for (Integer c = From; c <= To; ++c) S += G->Cells(c, ARow) + u";";
    return S;
  }
};

TEST_F(ExGridClipboardTest, CopiedTextHasTabsAndLineEnds) {
  Grid->SetCells(1, 1, u"a");
  Grid->SetCells(2, 1, u"b");
  Grid->SetCells(1, 2, u"c");
  Grid->SetCells(2, 2, u"d");
  Select(Grid, 1, 1, 2, 2);
  Grid->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), u"a\tb\r\nc\td\r\n");
  Select(Grid, 1, 1, 1, 1);
  Grid->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), u"a");
  Grid->SetCells(3, 1, u"x\r\ny");
  Select(Grid, 3, 1, 3, 1);
  EXPECT_EQ(Grid->GetSelectionAsText(), u"\"x\n\ny\"");
}

// Each kind of value as a copy puts it in the clipboard text, whether the saved text goes in as it
// is or needs more; the cell beside it is plain.
TEST_F(ExGridClipboardTest, CopiedValueOfEachKind) {
  const struct {
    const char* Name;
    String Text;
    std::function<void(TExStringGrid*)> Setup;
    String Copied;
  } Cases[] = {
      {"plain", u"abc", {}, u"abc\tz"},
      {"tags kept", u"<b>bold</b>", {}, u"<b>bold</b>\tz"},
      {"tags dropped", u"<b>bold</b>",
       [](TExStringGrid* G) { G->Navigation()->SetCopyHTMLTagsToClipboard(false); }, u"bold\tz"},
      {"less-than sign", u"a < b", {}, u"a < b\tz"},
      {"wide text", EncodeUnicodeText(u"\u0416x"), {}, u"\u0416x\tz"},
      {"line break", u"a\r\nb", {}, u"\"a\n\nb\"\tz"},
      {"the display-text event's text", u"stored",
       [](TExStringGrid* G) {
         G->OnGetDisplText = [](TObject*, Integer ACol, Integer, String& V) {
           if (ACol == 1) V = u"shown";
         };
       },
       u"shown\tz"},
      {"a formatted number", u"3.14159",
       [](TExStringGrid* G) {
         G->OnGetFloatFormat = [](TObject*, Integer, Integer, bool&, String& Fmt) { Fmt = u"%.2f"; };
       },
       u"3.14\tz"},
      {"a merged area", u"joined", [](TExStringGrid* G) { G->MergeCells(1, 1, 2, 1); }, u"joined\tjoined"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TExStringGrid* G = NewGrid();
    G->SetCells(1, 1, C.Text);
    G->SetCells(2, 1, u"z");
    if (C.Setup) C.Setup(G);
    Select(G, 1, 1, 2, 1);
    EXPECT_EQ(G->GetSelectionAsText(), C.Copied);
    TComponent::Free(G);
  }
}

TEST_F(ExGridClipboardTest, PastedBlockFillingTheSelectionEndsThere) {
  Grid->Navigation()->SetAllowSmartClipboard(true);
  Clipboard()->SetAsText(u"a\tb\r\nc\td\r\n");
  Select(Grid, 1, 3, 2, 4);
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Row(Grid, 3, 1, 3), u"a;b;;");
  EXPECT_EQ(Row(Grid, 4, 1, 3), u"c;d;;");
  EXPECT_EQ(Row(Grid, 5, 1, 3), u";;;");
}

TEST_F(ExGridClipboardTest, SingleValueFillsTheSelection) {
  Grid->Navigation()->SetAllowSmartClipboard(true);
  Clipboard()->SetAsText(u"x");
  Select(Grid, 1, 1, 3, 3);
  Grid->PasteSelectionFromClipboard();
  for (Integer r = 1; r <= 3; ++r) EXPECT_EQ(Row(Grid, r, 1, 3), u"x;x;x;") << r;
  EXPECT_EQ(Grid->Cells(4, 1), u"");
}

TEST_F(ExGridClipboardTest, SmartPasteSeries) {
  struct Case {
    const char* Name;
    String Clip;
    bool OneRow;
    std::vector<String> Expected;
  };
  auto D = [](Word Y, Word M, Word Dd) { return DateToStr(EncodeDate(Y, M, Dd)); };
  const Case Cases[] = {
      {"integers", u"1\r\n2\r\n", false, {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10"}},
      {"decimals", u"1.5\r\n2.0\r\n", false,
       {u"1.50", u"2.00", u"2.50", u"3.00", u"3.50", u"4.00", u"4.50", u"5.00", u"5.50", u"6.00"}},
      {"months", D(2024, 1, 15) + u"\r\n" + D(2024, 2, 15) + u"\r\n", false,
       {D(2024, 1, 15), D(2024, 2, 15), D(2024, 3, 15), D(2024, 4, 15), D(2024, 5, 15), D(2024, 6, 15),
        D(2024, 7, 15), D(2024, 8, 15), D(2024, 9, 15), D(2024, 10, 15)}},
      {"text in a column", u"a\r\nb\r\n", false, {u"a", u"b", u"a", u"b", u"a", u"b", u"a", u"b", u"a", u"b"}},
      {"text in a row keeps its last value", u"a\tb", true, {u"a", u"b", u"a", u"b", u"a"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* G = NewGrid();
    G->Navigation()->SetAllowSmartClipboard(true);
    Clipboard()->SetAsText(C.Clip);
    const Integer N = static_cast<Integer>(C.Expected.size());
    if (C.OneRow)
      Select(G, 1, 1, N, 1);
    else
      Select(G, 1, 1, 1, N);
    G->PasteSelectionFromClipboard();
    for (Integer i = 0; i < N; ++i) EXPECT_EQ(C.OneRow ? G->Cells(1 + i, 1) : G->Cells(1, 1 + i), C.Expected[i]) << i;
  }
}

TEST_F(ExGridClipboardTest, TextPasteRules) {
  struct Case {
    const char* Name;
    String Text;
    bool ColGrow;
    bool Insert;
    Integer Cols;                                     // ColCount after the paste
    Integer Rows;                                     // RowCount after the paste
    std::vector<std::tuple<Integer, Integer, String>> Cells;
  };
  const Case Cases[] = {
      {"quoted value with line feeds", u"\"p\nq\"\tr", true, false, 6, 12, {{4, 10, u"p\nq"}, {5, 10, u"r"}}},
      {"wider than the grid grows it", u"1\t2\t3\t4", true, false, 8, 12, {{6, 10, u"3"}, {7, 10, u"4"}}},
      {"wider than the grid drops the rest", u"1\t2\t3\t4", false, false, 6, 12, {{5, 10, u"2"}}},
      {"rows past the last one are added", u"a\r\nb\r\nc\r\n", true, false, 6, 13, {{4, 12, u"c"}}},
      {"three lines insert three rows", u"a\r\nb\r\nc\r\n", true, true, 6, 15,
       {{4, 10, u"a"}, {4, 12, u"c"}, {4, 13, u"old"}}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* G = NewGrid();
    G->SetCells(4, 10, u"old");
    G->Navigation()->SetAllowClipboardColGrow(C.ColGrow);
    G->Navigation()->SetClipboardPasteAction(C.Insert ? paInsert : paReplace);
    Integer Cols = 0, Rows = 0;
    G->PasteTextAt(4, 10, C.Text, Cols, Rows);
    EXPECT_EQ(G->ColCount(), C.Cols);
    EXPECT_EQ(G->RowCount(), C.Rows);
    for (const auto& [Col, R, Text] : C.Cells) EXPECT_EQ(G->Cells(Col, R), Text) << Col << "," << R;
  }
}

TEST_F(ExGridClipboardTest, TextPasteNeedsAnEditableGrid) {
  Integer Cols = 0, Rows = 0;
  EXPECT_EQ(Grid->PasteTextAt(-1, 1, u"x", Cols, Rows), 0);
  Grid->SetOptions(Grid->Options() >> goEditing);
  EXPECT_EQ(Grid->PasteTextAt(1, 1, u"x", Cols, Rows), 0);
  EXPECT_EQ(Grid->Cells(1, 1), u"");
  Grid->Navigation()->SetAllowClipboardAlways(true);
  // A multi-row text counts one value more than it has cells.
  EXPECT_EQ(Grid->PasteTextAt(1, 1, u"x\ty\r\nz\tw\r\n", Cols, Rows), 5);
  EXPECT_EQ(Grid->Cells(2, 2), u"w");
}

TEST_F(ExGridClipboardTest, RichTextOnTheClipboardWinsOverItsPlainText) {
  Grid->Navigation()->SetAllowRTFClipboard(true);
  const String Rtf = u"{\\rtf1 rich}";
  std::vector<Byte> Block;
  for (Char C : Rtf) {
    Block.push_back(static_cast<Byte>(C));
    Block.push_back(static_cast<Byte>(C >> 8));
  }
  Block.push_back(0);
  Block.push_back(0);
  Clipboard()->Open();
  Clipboard()->SetAsText(u"plain");
  Clipboard()->SetData(RegisterClipboardFormat(u"Rich Text Format"), Block);
  Clipboard()->Close();
  Select(Grid, 2, 2, 2, 2);
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Grid->Cells(2, 2), Rtf);

  // A copy of a rich-text cell puts its text next to the plain text.
  Grid->CopySelectionToClipboard();
  EXPECT_TRUE(Clipboard()->HasFormat(RegisterClipboardFormat(u"Rich Text Format")));
}

TEST_F(ExGridClipboardTest, CellFormatCarriesTheCellsAndTellsWhereTheyCameFrom) {
  Grid->Navigation()->SetAllowFmtClipboard(true);
  Grid->SetCells(1, 1, u"red");
  Grid->SetColors(1, 1, clRed);
  Grid->SetCells(2, 1, u"plain");
  Select(Grid, 1, 1, 2, 1);
  Grid->CopySelectionToClipboard();
  EXPECT_TRUE(Clipboard()->HasFormat(GridCellsClipboardFormat));
  EXPECT_EQ(Clipboard()->AsText(), u"red\tplain");

  // Into another grid: the cells with their colour; the paste did not come from that grid.
  auto* Other = NewGrid();
  Other->Navigation()->SetAllowFmtClipboard(true);
  Select(Other, 3, 4, 3, 4);
  Other->PasteSelectionFromClipboard();
  EXPECT_EQ(Other->Cells(3, 4), u"red");
  EXPECT_EQ(Other->Colors(3, 4), clRed);
  EXPECT_EQ(Other->Cells(4, 4), u"plain");
  ASSERT_FALSE(P(Other)->Pasted.empty());
  EXPECT_EQ(P(Other)->Pasted.back().first, TPoint(-1, -1));
  EXPECT_EQ(P(Other)->Pasted.back().second, (TGridRect{3, 4, 4, 4}));

  // Into the same grid: the top-left cell of the copy.
  Select(Grid, 1, 6, 1, 6);
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Grid->Cells(2, 6), u"plain");
  EXPECT_EQ(P(Grid)->Pasted.back().first, TPoint(1, 1));
}

TEST_F(ExGridClipboardTest, CutClearsOnlyWhatMayBeEdited) {
  Grid->SetCells(1, 1, u"a");
  Grid->SetCells(2, 1, u"b");
  Grid->SetOptions(Grid->Options() >> goEditing);
  Select(Grid, 1, 1, 2, 1);
  Grid->CutSelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), u"a\tb");
  EXPECT_EQ(Grid->Cells(1, 1), u"a");
  Grid->Navigation()->SetAllowClipboardAlways(true);
  Grid->CutSelectionToClipboard();
  EXPECT_EQ(Grid->Cells(1, 1), u"");
  EXPECT_EQ(Grid->Cells(2, 1), u"");

  Grid->SetCells(3, 3, u"whole");
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->CutToClipboard();
  EXPECT_EQ(Grid->Cells(3, 3), u"");
  EXPECT_NE(Clipboard()->AsText().find(u"whole"), String::npos);
}

TEST_F(ExGridClipboardTest, WholeGridPasteStartsAtTheSaveRange) {
  Clipboard()->SetAsText(u"p\tq\r\n");
  Grid->SetSaveFixedCells(false);
  Grid->PasteFromClipboard();
  EXPECT_EQ(Grid->Cells(1, 1), u"p");
  EXPECT_EQ(Grid->Cells(2, 1), u"q");
}

TEST_F(ExGridClipboardTest, TextDimensions) {
  struct Case {
    const char* Name;
    String Text;
    Integer Cols, Rows;
  };
  const Case Cases[] = {
      {"empty", u"", 0, 0},
      {"one value", u"a", 1, 1},
      {"a block ending with a line break", u"a\tb\r\nc\td\r\n", 2, 2},
      {"widest line counts", u"a\r\nb\tc\td\r\ne", 3, 3},
      {"empty lines do not count", u"a\r\n\r\nb\r\n", 1, 2},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Integer Cols = -1, Rows = -1;
    Grid->GetTextDimensions(C.Text, Cols, Rows);
    EXPECT_EQ(Cols, C.Cols);
    EXPECT_EQ(Rows, C.Rows);
  }
}

TEST_F(ExGridClipboardTest, SelectionAsTextGrowsTheGrid) {
  Select(Grid, 4, 10, 4, 10);
  Grid->SetSelectionAsText(u"a\tb\tc\r\nd\r\ne");
  EXPECT_EQ(Grid->ColCount(), 7);
  EXPECT_EQ(Grid->RowCount(), 13);
  EXPECT_EQ(Grid->Cells(6, 10), u"c");
  EXPECT_EQ(Grid->Cells(4, 12), u"e");
}

TEST_F(ExGridClipboardTest, HtmlCopyPutsAFragmentAndItsText) {
  Grid->SetCells(1, 1, u"cell");
  Grid->CopyToClipBoardAsHTML();
  const std::vector<Byte> Html = Clipboard()->GetData(RegisterClipboardFormat(u"HTML Format"));
  const std::string H(Html.begin(), Html.end());
  EXPECT_EQ(H.rfind("Version:1.0\r\nStartHTML:00000097\r\n", 0), 0u);
  EXPECT_NE(H.find("<!--StartFragment--><style>"), std::string::npos);
  EXPECT_NE(H.find(">cell</td>"), std::string::npos);
  EXPECT_EQ(StringToUtf8(Clipboard()->AsText()), H);
}

}  // namespace
