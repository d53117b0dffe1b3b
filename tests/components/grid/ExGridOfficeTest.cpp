// The grid's exchange with the spreadsheet, the word processor and the database objects of the
// automation layer. Files are checked through the layer and, where another program's view
// matters, with openpyxl and python-docx.
#include <gtest/gtest.h>

#include "platform/office/Spreadsheet.h"
#include "tests/components/grid/ExGridIOTestUtil.h"
#include "tests/platform/office/OfficeTestUtil.h"

using namespace GridIOTest;
using OfficeTest::Narrow;
using OfficeTest::RunPython;

namespace {

class GridOfficeTest : public GridIOFixture {
 protected:
  // A workbook whose first sheet holds the texts at the addresses.
  void MakeWorkbook(const std::string& Name, const std::vector<std::pair<std::string, std::string>>& Cells) {
    auto App = TSheetApplication::Create();
    TWorksheet* S = App->Workbooks().Add()->Sheets(1);
    for (const auto& [At, Text] : Cells) {
      TOleArray A(1, 1);
      A.Set(1, 1, TOleValue::OfText(Utf8ToString(Text)));
      S->Range(Utf8ToString(At)).SetValues(A);
    }
    S->Workbook()->SaveAs(File(Name));
    App->Quit();
  }
  void Fill(Integer Cols, Integer Rows) {
    Grid->SetColCount(Cols);
    Grid->SetRowCount(Rows);
    for (Integer R = 0; R < Rows; ++R)
      for (Integer C = 0; C < Cols; ++C) Grid->SetCells(C, R, Utf8ToString(std::to_string(C) + ":" + std::to_string(R)));
  }
  // The first sheet's used range and the texts of its cells, through the layer.
  std::string SheetText(const std::string& Name, const String& SheetName = String()) {
    auto App = TSheetApplication::Create();
    TWorkbook* B = App->Workbooks().Open(File(Name));
    TWorksheet* S = B->Sheets(1);
    for (Integer I = 1; I <= B->SheetCount(); ++I)
      if (B->Sheets(I)->Name() == SheetName) S = B->Sheets(I);
    std::string Out = Narrow(S->UsedRange().Address());
    const TOleArray Values = S->UsedRange().Values();
    for (const auto& [Pos, V] : Values.Assigned()) Out += " " + Narrow(V.AsText());
    App->Quit();
    return Out;
  }
};

TEST_F(GridOfficeTest, TheUsedRangeLoadsWithTheFixedOffsets) {
  std::vector<std::pair<std::string, std::string>> Cells = {{"B3", "B3"}, {"D10", "D10"}, {"C4", "C4"}};
  MakeWorkbook("range.xlsx", Cells);
  // Without the fixed cells in the save range, the values start below and right of them.
  Grid->SetSaveFixedCells(false);
  Grid->LoadFromXLS(File("range.xlsx"));
  EXPECT_EQ(Grid->ColCount(), 3 + 1);
  EXPECT_EQ(Grid->RowCount(), 8 + 1);
  EXPECT_EQ(Grid->FixedCols(), 1);
  EXPECT_EQ(Grid->FixedRows(), 1);
  EXPECT_EQ(Narrow(Grid->Cells(1, 1)), "B3");
  EXPECT_EQ(Narrow(Grid->Cells(2, 2)), "C4");
  EXPECT_EQ(Narrow(Grid->Cells(3, 8)), "D10");
  // With them, the first value lands in the top-left cell.
  Grid->SetSaveFixedCells(true);
  Grid->LoadFromXLS(File("range.xlsx"));
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->RowCount(), 8);
  EXPECT_EQ(Narrow(Grid->Cells(0, 0)), "B3");
  EXPECT_EQ(Narrow(Grid->Cells(2, 7)), "D10");

  MakeWorkbook("one.xlsx", {{"C5", "alone"}});
  Grid->SetSaveFixedCells(false);
  Grid->LoadFromXLS(File("one.xlsx"));
  EXPECT_EQ(Grid->ColCount(), 2);
  EXPECT_EQ(Grid->RowCount(), 2);
  EXPECT_EQ(Narrow(Grid->Cells(1, 1)), "alone");
}

TEST_F(GridOfficeTest, ExportWritesTheSaveRangeAsTextsAndReadsBack) {
  Fill(30, 2);
  Grid->SetCells(0, 1, u"two\r\nlines");
  Grid->SaveToXLS(File("wide.xlsx"));
  // Thirty columns reach column AD; a line break loses its carriage return.
  const std::string Sheet = SheetText("wide.xlsx");
  EXPECT_EQ(Sheet.substr(0, Sheet.find(' ')), "$A$1:$AD$2");
  EXPECT_EQ(RunPython("import sys, openpyxl\nws = openpyxl.load_workbook(sys.argv[1]).active\n"
                      "print(repr(ws['AD1'].value), repr(ws['A2'].value), ws.max_column)",
                      {Folder.string() + "/wide.xlsx"}),
            "'29:0' 'two\\nlines' 30\n");
  Grid->SetSaveFixedCells(false);
  Grid->SaveToXLS(File("normal.xlsx"));
  EXPECT_EQ(SheetText("normal.xlsx").substr(0, 10), "$A$1:$AC$1");
  EXPECT_EQ(TSheetApplication::GetActive(), nullptr);
}

TEST_F(GridOfficeTest, ExportIntoTheRunningInstanceStartsAtItsActiveCell) {
  auto App = TSheetApplication::Create();
  TWorkbook* Book = App->Workbooks().Add();
  Book->Sheets(1)->Cells(5, 2).Select();
  Fill(2, 3);
  Grid->SaveToXLS(File("active.xlsx"), false);
  // The instance was running, so it still is, with the book written from row 5 to 7.
  EXPECT_EQ(TSheetApplication::GetActive(), App);
  EXPECT_EQ(Narrow(Book->Sheets(1)->UsedRange().Address()), "$A$5:$B$7");
  EXPECT_EQ(SheetText("active.xlsx"), "$A$5:$B$7 0:0 1:0 0:1 1:1 0:2 1:2");
  // CreateNewSheet takes a new workbook of the same instance.
  Grid->SaveToXLS(File("fresh.xlsx"), true);
  EXPECT_EQ(App->Workbooks().Count(), 2);
  EXPECT_EQ(SheetText("fresh.xlsx").substr(0, 9), "$A$1:$B$3");
  App->Quit();
}

TEST_F(GridOfficeTest, ExportToANamedSheetKeepsTheWorkbooksOtherSheets) {
  Fill(2, 2);
  Grid->SaveToXLSSheet(File("book.xlsx"), u"One");
  Grid->SetCells(0, 0, u"second");
  Grid->SaveToXLSSheet(File("book.xlsx"), u"Two");
  Grid->SetCells(0, 0, u"again");
  Grid->SaveToXLSSheet(File("book.xlsx"), u"One");
  const std::unique_ptr<TStringList> Names = Grid->GetXLSSheets(File("book.xlsx"));
  EXPECT_EQ(Narrow(Names->CommaText()), "Sheet1,One,Two");
  EXPECT_EQ(SheetText("book.xlsx", u"One"), "$A$1:$B$2 again 1:0 0:1 1:1");
  EXPECT_EQ(SheetText("book.xlsx", u"Two"), "$A$1:$B$2 second 1:0 0:1 1:1");

  Grid->LoadFromXLSSheet(File("book.xlsx"), u"Two");
  EXPECT_EQ(Narrow(Grid->Cells(0, 0)), "second");
  try {
    Grid->LoadFromXLSSheet(File("book.xlsx"), u"two");
    FAIL();
  } catch (const EStringGridError& E) {
    EXPECT_EQ(Narrow(E.Message()), "Excel worksheet two not found");
  }
  EXPECT_EQ(TSheetApplication::GetActive(), nullptr);
  EXPECT_EQ(Screen->Cursor(), crDefault);

  // A file that is there but is no workbook is not replaced by one.
  WriteBytes(Folder / "notes.xlsx", "my notes");
  EXPECT_THROW(Grid->SaveToXLSSheet(File("notes.xlsx"), u"One"), EOleException);
  EXPECT_EQ(Bytes("notes.xlsx"), "my notes");
}

TEST_F(GridOfficeTest, AMissingServerOrFileIsReportedAndTheCursorComesBack) {
  struct Row {
    const char* Name;
    const char* ProgId;
    std::function<void()> Run;
    const char* Message;
  } Rows[] = {
      {"sheets", "excel.application", [this] { Grid->GetXLSSheets(File("x.xlsx")); }, "Excel OLE server not found"},
      {"import", "excel.application", [this] { Grid->LoadFromXLS(File("x.xlsx")); }, "Excel OLE server not found"},
      {"export", "excel.application", [this] { Grid->SaveToXLS(File("x.xlsx")); }, "Excel OLE server not found"},
      {"document", "word.application", [this] { Grid->SaveToDOC(File("x.docx")); }, "Word OLE server not found"},
  };
  for (const Row& R : Rows) {
    SetOleServerAvailable(Utf8ToString(R.ProgId), false);
    try {
      R.Run();
      ADD_FAILURE() << R.Name;
    } catch (const EStringGridError& E) {
      EXPECT_EQ(Narrow(E.Message()), R.Message) << R.Name;
    }
    SetOleServerAvailable(Utf8ToString(R.ProgId), true);
    EXPECT_EQ(Screen->Cursor(), crDefault) << R.Name;
  }
  EXPECT_THROW(Grid->LoadFromXLS(File("missing.xlsx")), EOleException);
  EXPECT_THROW(Grid->AppendToDoc(File("missing.docx"), u"x"), EOleException);
  EXPECT_THROW(Grid->LoadFromMDBTable(File("missing.mdb"), u"T"), EOleException);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(TSheetApplication::GetActive(), nullptr);
}

TEST_F(GridOfficeTest, DocumentExportPutsEveryCellIntoATableWithTheCellsAlignment) {
  const char* const Dump = R"PY(
import sys, docx
from docx.table import Table
from docx.text.paragraph import Paragraph
d = docx.Document(sys.argv[1])
for child in d.element.body.iterchildren():
    tag = child.tag.split("}")[1]
    if tag == "p":
        print("p " + Paragraph(child, d).text)
    elif tag == "tbl":
        t = Table(child, d)
        for row in t.rows:
            print("| " + " | ".join("|".join(p.text for p in c.paragraphs) +
                  ("" if c.paragraphs[0].alignment is None else " " + str(c.paragraphs[0].alignment).split(".")[-1].split(" ")[0])
                  for c in row.cells))
)PY";
  Fill(3, 2);
  Grid->SetCells(1, 1, u"x\r\ny");
  Grid->OnGetAlignment = [](TObject*, Integer ARow, Integer ACol, TAlignment& HA, TVAlignment&) {
    if (ARow == 1) HA = ACol == 2 ? taRightJustify : ACol == 1 ? taCenter : taLeftJustify;
  };
  Grid->SaveToDOC(File("grid.docx"));
  EXPECT_EQ(RunPython(Dump, {Folder.string() + "/grid.docx"}),
            "| 0:0 | 1:0 | 2:0\n| 0:1 | x|y CENTER | 2:1 RIGHT\np \np \n");

  // Appended at a bookmark of another program's document, then at the end of one without it.
  RunPython(R"PY(
import sys, docx
from docx.oxml import OxmlElement
from docx.oxml.ns import qn
d = docx.Document()
p = d.add_paragraph("Mark:")
s = OxmlElement("w:bookmarkStart"); s.set(qn("w:id"), "1"); s.set(qn("w:name"), "Table1")
p._p.append(s)
d.add_paragraph("End")
d.save(sys.argv[1])
)PY",
            {Folder.string() + "/report.docx"});
  Grid->OnGetAlignment = nullptr;
  Grid->SetColCount(1);
  Grid->SetRowCount(1);
  Grid->AppendToDoc(File("report.docx"), u"Table1");
  Grid->SetCells(0, 0, u"last");
  Grid->AppendToDoc(File("report.docx"), u"NoSuchMark");
  EXPECT_EQ(RunPython(Dump, {Folder.string() + "/report.docx"}),
            "p \np \np Mark:\n| 0:0\np \np End\n| last\np \n");
}

}  // namespace
