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
using OfficeTest::MakeWorkbookWithAChartSheet;

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
  // The database file of the fixtures.
  static String Database(const std::string& Name = "Monitor.mdb") {
    return Utf8ToString(OfficeTest::FixturePath("mdb/" + Name));
  }
  // The texts of a grid row from a column on, joined by "|".
  std::string RowText(Integer Row, Integer From = 0) const {
    std::string Out;
    for (Integer C = From; C < Grid->ColCount(); ++C) Out += (C > From ? "|" : "") + Narrow(Grid->Cells(C, Row));
    return Out;
  }
  // Every row of the grid as RowText, one a line.
  std::string GridText() const {
    std::string Out;
    for (Integer R = 0; R < Grid->RowCount(); ++R) Out += RowText(R) + "\n";
    return Out;
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

TEST_F(GridOfficeTest, ACellTheSheetLeavesEmptyLoadsEmpty) {
  // B2 and C3 are left empty inside the used range A1:C3.
  MakeWorkbook("holes.xlsx", {{"A1", "a1"}, {"B1", "b1"}, {"C1", "c1"}, {"A2", "a2"}, {"C2", "c2"}, {"A3", "a3"},
                              {"B3", "b3"}});
  Fill(4, 4);
  std::vector<std::string> Loaded;
  Grid->OnLoadCell = [&Loaded](TObject*, Integer ACol, Integer ARow, String& V) {
    Loaded.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + "=" + Narrow(V));
  };
  Grid->LoadFromXLS(File("holes.xlsx"));
  EXPECT_EQ(GridText(), "a1|b1|c1\na2||c2\na3|b3|\n");
  // Each cell of the range went through the load hook, the empty ones with an empty text.
  EXPECT_EQ(Loaded, (std::vector<std::string>{"0,0=a1", "1,0=b1", "2,0=c1", "0,1=a2", "1,1=", "2,1=c2", "0,2=a3",
                                              "1,2=b3", "2,2="}));
  // Below and right of the fixed cells alike: the fixed cells keep their texts, the range is the sheet's.
  Grid->OnLoadCell = nullptr;
  Grid->SetSaveFixedCells(false);
  Fill(4, 4);
  Grid->LoadFromXLS(File("holes.xlsx"));
  EXPECT_EQ(GridText(), "0:0|1:0|2:0|3:0\n0:1|a1|b1|c1\n0:2|a2||c2\n0:3|a3|b3|\n");
}

TEST_F(GridOfficeTest, ADateCellLoadsAsTheTextItsFormatShows) {
  RunPython(R"PY(
import sys, datetime, openpyxl
b = openpyxl.Workbook()
ws = b.active
ws["A1"] = datetime.date(2020, 1, 2)
ws["A1"].number_format = "dd.mm.yyyy"
ws["B1"] = datetime.datetime(2020, 1, 2, 10, 30, 5)
ws["C1"] = datetime.date(2020, 1, 2)
ws["C1"].number_format = "mm-dd-yy"
ws["D1"] = 43832
b.save(sys.argv[1])
)PY",
            {Folder.string() + "/dates.xlsx"});
  Grid->LoadFromXLS(File("dates.xlsx"));
  // A date in its own format, in openpyxl's format of a date and time, in the short date; a plain
  // number stays a number.
  EXPECT_EQ(GridText(), "02.01.2020|2020-01-02 10:30:05|1/2/2020|43832\n");
}

TEST_F(GridOfficeTest, TheSheetListHoldsTheWorksheetsAlone) {
  MakeWorkbookWithAChartSheet(Folder.string() + "/chart.xlsx");
  EXPECT_EQ(Narrow(Grid->GetXLSSheets(File("chart.xlsx"))->CommaText()), "Data,More");
}

TEST_F(GridOfficeTest, AUsedRangeOverWholeRowsOrColumnsLoadsAllItHolds) {
  struct Row {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Cells;
    Integer Cols, Rows;
    Integer LastCol, LastRow;  // where the last cell's text lands
    const char* Last;
  } Rows[] = {
      {"every column ($1:$1)", {{"A1", "first"}, {"XFD1", "last"}}, 16384, 1, 16383, 0, "last"},
      {"every row ($B:$B)", {{"B1", "first"}, {"B1048576", "last"}}, 1, 1048576, 0, 1048575, "last"},
  };
  for (const Row& R : Rows) {
    MakeWorkbook("whole.xlsx", R.Cells);
    Fill(3, 3);
    Grid->LoadFromXLS(File("whole.xlsx"));
    EXPECT_EQ(Grid->ColCount(), R.Cols) << R.Name;
    EXPECT_EQ(Grid->RowCount(), R.Rows) << R.Name;
    EXPECT_EQ(Narrow(Grid->Cells(0, 0)), "first") << R.Name;
    EXPECT_EQ(Narrow(Grid->Cells(R.LastCol, R.LastRow)), R.Last) << R.Name;
    EXPECT_EQ(Narrow(Grid->Cells(R.LastCol / 2, R.LastRow / 2)), "") << R.Name;
  }
}

TEST_F(GridOfficeTest, AWorkbookTheGridCannotTakeIsRefusedAndTheGridKept) {
  MakeWorkbook("corners.xlsx", {{"A1", "first"}, {"XFD1048576", "last"}});
  struct Row {
    const char* Name;
    String File;
    std::string Message;
  } Rows[] = {
      {"a used range of more cells than the grid takes", File("corners.xlsx"),
       "Excel worksheet Sheet1 is larger than the grid takes: its used range $A$1:$XFD$1048576 spans 1048576 rows "
       "and 16384 columns, 17179869184 cells, more than 8388608"},
      // 65 KB that would unpack to 64 MiB in one cell (tests/fixtures/platform/office/make-limit-xlsx.py).
      {"a zip bomb", Utf8ToString(OfficeTest::FixturePath("xlsx/bomb-cell.xlsx")),
       "is no workbook that can be read: its part \"xl/worksheets/sheet1.xml\" would unpack to 67109075 bytes from "
       "65420 bytes, more than a hundred times its size"},
  };
  for (const Row& R : Rows) {
    Fill(3, 3);
    const std::string Before = GridText();
    try {
      Grid->LoadFromXLS(R.File);
      ADD_FAILURE() << R.Name;
    } catch (const Exception& E) {
      const std::string Message = Narrow(E.Message());
      EXPECT_EQ(Message.substr(Message.size() - std::min(Message.size(), R.Message.size())), R.Message) << R.Name;
    }
    EXPECT_EQ(GridText(), Before) << R.Name;
    EXPECT_EQ(TSheetApplication::GetActive(), nullptr) << R.Name;
    EXPECT_EQ(Screen->Cursor(), crDefault) << R.Name;
  }
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


// The database of the fixtures holds one table Monitor_Authenticate of 12 fields and one record
// (tests/fixtures/platform/office/README.md); mdb-export writes that record as
// 1,1234567890,"12345678",33600,"nobody@sunnyline.co.za",1,1,1,1,0,"06/17/00 20:36:24","Example ...".
const char* const MonitorTable = "Monitor_Authenticate";
const char* const MonitorComment = "Example Circuit Added For Monitor Example To Potential New Clients";

TEST_F(GridOfficeTest, ATableLoadsWithItsFieldNamesAboveAndEachValueAsTheText) {
  Fill(4, 7);
  std::vector<std::string> Loaded;
  Grid->OnLoadCell = [&Loaded](TObject*, Integer ACol, Integer ARow, String& V) {
    Loaded.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + "=" + Narrow(V));
  };
  Grid->LoadFromMDBTable(Database(), Utf8ToString(MonitorTable));
  // One column per field after the fixed column; the fixed row, then one row per record.
  EXPECT_EQ(Grid->ColCount(), 1 + 12);
  EXPECT_EQ(Grid->RowCount(), 1 + 1);
  EXPECT_EQ(Grid->FixedCols(), 1);
  EXPECT_EQ(Grid->FixedRows(), 1);
  EXPECT_EQ(Narrow(Grid->Cells(0, 1)), "0:1");  // the fixed column is left alone
  struct Row {
    const char* Field;
    const char* Text;
  };
  const Row Rows[] = {
      {"ID", "1"},                                   // long integer
      {"LineNumber", "1234567890"},                  // decimal (18, 0)
      {"LinePassword", "12345678"},                  // text
      {"LineSpeed", "33600"},                        // decimal (18, 0)
      {"EMail_Address", "nobody@sunnyline.co.za"},   // text
      {"Graph_Day", "True"},                         // yes/no
      {"Graph_Week", "True"},
      {"Graph_Month", "True"},
      {"Graph_Year", "True"},
      {"Graph_EMail", "False"},
      {"LastVisit", "6/17/2000 8:36:24 PM"},         // date, in the program's date and time format
      {"Comment", MonitorComment},
  };
  for (Integer I = 0; I < 12; ++I) {
    EXPECT_EQ(Narrow(Grid->Cells(1 + I, 0)), Rows[I].Field) << I;
    EXPECT_EQ(Narrow(Grid->Cells(1 + I, 1)), Rows[I].Text) << Rows[I].Field;
  }
  // Every value passed the load hook, in the order of the fields; the names did not.
  ASSERT_EQ(Loaded.size(), 12u);
  EXPECT_EQ(Loaded[0], "1,1=1");
  EXPECT_EQ(Loaded[11], std::string("12,1=") + MonitorComment);

  // Dates follow the program's format settings.
  const TFormatSettings Saved = FormatSettings;
  FormatSettings.ShortDateFormat = u"dd/mm/yyyy";
  FormatSettings.DateSeparator = u'.';
  FormatSettings.LongTimeFormat = u"hh:nn:ss";
  Grid->LoadFromMDBTable(Database(), Utf8ToString(MonitorTable));
  FormatSettings = Saved;
  EXPECT_EQ(Narrow(Grid->Cells(11, 1)), "17.06.2000 20:36:24");
}

TEST_F(GridOfficeTest, TheFixedCellsDecideWhereTheNamesAndTheRecordsGo) {
  struct Row {
    const char* Name;
    Integer FixedCols, FixedRows;
    Integer Cols, Rows;
    Integer FirstCol, RecordRow;  // where ID's value lands
    Integer NameRow;              // -1: no row of names
  };
  const Row Rows[] = {
      {"one fixed row and column", 1, 1, 13, 2, 1, 1, 0},
      {"no fixed cells", 0, 0, 12, 1, 0, 0, -1},
      {"two fixed rows", 0, 2, 12, 3, 0, 2, 1},
      {"three fixed columns", 3, 1, 15, 2, 3, 1, 0},
  };
  for (const Row& R : Rows) {
    Grid->SetColCount(6);
    Grid->SetRowCount(6);
    Grid->SetFixedCols(R.FixedCols);
    Grid->SetFixedRows(R.FixedRows);
    Fill(6, 6);
    Grid->LoadFromMDBSQL(Database(), u"SELECT * FROM Monitor_Authenticate");
    EXPECT_EQ(Grid->ColCount(), R.Cols) << R.Name;
    EXPECT_EQ(Grid->RowCount(), R.Rows) << R.Name;
    EXPECT_EQ(Narrow(Grid->Cells(R.FirstCol, R.RecordRow)), "1") << R.Name;
    EXPECT_EQ(Narrow(Grid->Cells(R.FirstCol + 11, R.RecordRow)), MonitorComment) << R.Name;
    if (R.NameRow >= 0) {
      EXPECT_EQ(Narrow(Grid->Cells(R.FirstCol, R.NameRow)), "ID") << R.Name;
    }
    // Rows above the names keep what they held.
    if (R.NameRow > 0) {
      EXPECT_EQ(Narrow(Grid->Cells(R.FirstCol, 0)), std::to_string(R.FirstCol) + ":0") << R.Name;
    }
  }
}

TEST_F(GridOfficeTest, EmptyFieldsLoadAsEmptyTexts) {
  // The same record with the e-mail address, the date and the comment empty (null).
  Fill(13, 2);
  std::vector<std::string> Loaded;
  Grid->OnLoadCell = [&Loaded](TObject*, Integer ACol, Integer, String& V) {
    Loaded.push_back(std::to_string(ACol) + "=" + Narrow(V));
  };
  Grid->LoadFromMDBTable(Database("Monitor-empty-fields.mdb"), Utf8ToString(MonitorTable));
  EXPECT_EQ(RowText(1, 1), "1|1234567890|12345678|33600||True|True|True|True|False||");
  // The empty values were loaded too: they replaced what the cells held.
  ASSERT_EQ(Loaded.size(), 12u);
  EXPECT_EQ(Loaded[4], "5=");
  EXPECT_EQ(Loaded[10], "11=");
  EXPECT_EQ(Loaded[11], "12=");
}

TEST_F(GridOfficeTest, QueriesChooseFieldsAndRecordsAsTheDatabaseReadsThem) {
  const std::string All = "1|1234567890|12345678|33600|nobody@sunnyline.co.za|True|True|True|True|False|"
                          "6/17/2000 8:36:24 PM|" + std::string(MonitorComment);
  struct Row {
    const char* Name;
    const char* Where;     // after SELECT * FROM Monitor_Authenticate
    bool Found;            // the record is in the result
  };
  const Row Rows[] = {
      {"whole number equal", "WHERE ID = 1", true},
      {"whole number unequal", "WHERE ID <> 1", false},
      {"whole number ordered", "WHERE ID >= 1 AND ID < 2", true},
      {"whole number as a whole fraction", "WHERE ID = 1.0", true},
      {"text equal", "WHERE LinePassword = '12345678'", true},
      {"text other", "WHERE LinePassword = '1234'", false},
      {"text like", "WHERE EMail_Address LIKE 'nobody@%'", true},
      {"text not like", "WHERE EMail_Address LIKE '%.de'", false},
      {"yes with -1", "WHERE Graph_Day = -1", true},
      {"yes with 1", "WHERE Graph_Day = 1", true},
      {"no with -1", "WHERE Graph_EMail = -1", false},
      {"no with 0", "WHERE Graph_EMail = 0", true},
      {"yes unequal to no", "WHERE Graph_Day <> 0", true},
      {"date before a later second", "WHERE LastVisit < '2000-06-17 20:36:25'", true},
      {"date after its own second", "WHERE LastVisit > '2000-06-17 20:36:24'", false},
      {"date equal to its second", "WHERE LastVisit = '2000-06-17 20:36:24'", true},
      {"date on or after its day", "WHERE LastVisit >= '2000-06-17'", true},
      {"date before the next day m/d/yyyy", "WHERE LastVisit < '6/18/2000'", true},
      {"date before its day m/d/yyyy", "WHERE LastVisit < '6/17/2000'", false},
      {"date after a day number", "WHERE LastVisit > 36694", true},
      {"date before a day number", "WHERE LastVisit < 36694", false},
      {"or", "WHERE ID = 2 OR Graph_Day = -1", true},
      {"not", "WHERE NOT ID = 1", false},
      {"constants", "WHERE 1 = 2", false},
      {"limit", "LIMIT 0", false},
  };
  for (const Row& R : Rows) {
    Grid->SetColCount(3);
    Grid->SetRowCount(4);
    Fill(3, 4);
    Grid->LoadFromMDBSQL(Database(), u"SELECT * FROM Monitor_Authenticate " + Utf8ToString(R.Where));
    EXPECT_EQ(Grid->ColCount(), 13) << R.Name;
    EXPECT_EQ(RowText(0, 1).substr(0, 14), "ID|LineNumber|") << R.Name;
    if (R.Found) {
      EXPECT_EQ(Grid->RowCount(), 2) << R.Name;
      EXPECT_EQ(RowText(1, 1), All) << R.Name;
    } else {
      // No record: the rows stay as they were.
      EXPECT_EQ(Grid->RowCount(), 4) << R.Name;
      EXPECT_EQ(Narrow(Grid->Cells(1, 1)), "1:1") << R.Name;
    }
  }

  // A list of fields, in its order, named as the table spells them.
  Grid->LoadFromMDBSQL(Database(), u"SELECT comment, id, lastvisit FROM [monitor_authenticate] WHERE graph_day = -1");
  EXPECT_EQ(GridText(), "0:0|Comment|ID|LastVisit\n0:1|" + std::string(MonitorComment) + "|1|6/17/2000 8:36:24 PM\n");
}

TEST_F(GridOfficeTest, AQueryTheDatabaseCannotAnswerRightlyIsRefusedAndTheGridKept) {
  struct Row {
    const char* Name;
    const char* Query;
    const char* Why;
  };
  const Row Rows[] = {
      {"no such table", "SELECT * FROM Nope", "the database has no table \"Nope\""},
      {"no such field", "SELECT ID, Bogus FROM Monitor_Authenticate",
       "the table \"Monitor_Authenticate\" has no field \"Bogus\""},
      {"no such field in a condition", "SELECT * FROM Monitor_Authenticate WHERE ID = 1 AND Bogus = 1",
       "the table \"Monitor_Authenticate\" has no field \"Bogus\""},
      {"not a query", "SELEC * FROM Monitor_Authenticate",
       "the database reads only queries of the form SELECT fields FROM table [WHERE conditions] [LIMIT count]"},
      {"two statements", "SELECT * FROM Monitor_Authenticate; SELECT * FROM Monitor_Authenticate",
       "the database reads only queries of the form SELECT fields FROM table [WHERE conditions] [LIMIT count]"},
      {"decimal field", "SELECT * FROM Monitor_Authenticate WHERE LineSpeed = 1",
       "conditions on the decimal field \"LineSpeed\" cannot be evaluated"},
      {"is null", "SELECT * FROM Monitor_Authenticate WHERE Comment IS NULL",
       "a test for an empty value (IS NULL, IS NOT NULL) on the text field \"Comment\" cannot be evaluated"},
      {"is not null", "SELECT * FROM Monitor_Authenticate WHERE ID IS NOT NULL",
       "a test for an empty value (IS NULL, IS NOT NULL) on the whole number field \"ID\" cannot be evaluated"},
      {"like on a number", "SELECT * FROM Monitor_Authenticate WHERE ID LIKE '1'",
       "the whole number field \"ID\" can only be compared with =, <>, <, >, <= or >="},
      {"number with a text", "SELECT * FROM Monitor_Authenticate WHERE ID = '1'",
       "the whole number field \"ID\" is compared with a text"},
      {"number with a fraction", "SELECT * FROM Monitor_Authenticate WHERE ID < 1.5",
       "the whole number field \"ID\" is compared with a fraction or a number out of its range"},
      {"text with a number", "SELECT * FROM Monitor_Authenticate WHERE LinePassword = 12345678",
       "the text field \"LinePassword\" is compared with a number"},
      {"yes/no ordered", "SELECT * FROM Monitor_Authenticate WHERE Graph_Day > 0",
       "the yes/no field \"Graph_Day\" can only be compared with = or <>"},
      {"yes/no with 2", "SELECT * FROM Monitor_Authenticate WHERE Graph_Day = 2",
       "the yes/no field \"Graph_Day\" is compared with something other than 0 (No) or -1 (Yes)"},
      {"date with no date", "SELECT * FROM Monitor_Authenticate WHERE LastVisit > 'yesterday'",
       "the date field \"LastVisit\" is compared with \"yesterday\", which is no date (yyyy-mm-dd or m/d/yyyy, "
       "with hh:mm[:ss] or without)"},
      {"date with a day out of its month", "SELECT * FROM Monitor_Authenticate WHERE LastVisit > '2000-02-30'",
       "the date field \"LastVisit\" is compared with \"2000-02-30\", which is no date (yyyy-mm-dd or m/d/yyyy, "
       "with hh:mm[:ss] or without)"},
  };
  bool Loaded = false;
  Grid->OnLoadCell = [&Loaded](TObject*, Integer, Integer, String&) { Loaded = true; };
  for (const Row& R : Rows) {
    Grid->SetColCount(3);
    Grid->SetRowCount(4);
    Fill(3, 4);
    const std::string Before = GridText();
    try {
      Grid->LoadFromMDBSQL(Database(), Utf8ToString(R.Query));
      ADD_FAILURE() << R.Name;
    } catch (const EOleException& E) {
      EXPECT_EQ(Narrow(E.Message()), "The query \"" + std::string(R.Query) + "\" failed: " + R.Why) << R.Name;
    }
    EXPECT_EQ(GridText(), Before) << R.Name;
  }
  // The table form builds the same query.
  try {
    Grid->LoadFromMDBTable(Database(), u"Nope");
    ADD_FAILURE();
  } catch (const EOleException& E) {
    EXPECT_EQ(Narrow(E.Message()), "The query \"SELECT * FROM Nope\" failed: the database has no table \"Nope\"");
  }
  EXPECT_FALSE(Loaded);
  EXPECT_EQ(Grid->ColCount(), 3);
}


TEST_F(GridOfficeTest, ADamagedDatabaseFileEndsInAnErrorAndTheGridIsKept) {
  // Files found by fuzzing the database reader: mdbtools loops for ever on the first and crashes
  // on the second. The program reads a database apart from itself, so each ends in an error. On
  // the third, mdbtools tests the condition against a date the record does not hold, reading memory
  // it never wrote: whether that crashes depends on the memory layout, so the reader either ends in
  // the error (and the grid is kept) or answers; the program survives both.
  const std::string Query = "SELECT Comment, ID, LastVisit FROM Monitor_Authenticate WHERE ID = 1 AND "
                            "Graph_Day = -1 AND LastVisit < '2000-06-18' OR Comment LIKE 'E%'";
  struct Row {
    const char* File;
    std::string Message;
    bool MayAnswer = false;
  };
  const Row Rows[] = {
      {"catalog-properties-loop.mdb", "is no database that can be read: its catalog is damaged"},
      {"catalog-page-map.mdb",
       "is no database that can be read: the database reader stopped on it (the file is damaged or of a kind it "
       "cannot read)"},
      {"condition-on-missing-date.mdb",
       "\": the database reader stopped on it (the file is damaged or of a kind it cannot read)", true},
  };
  for (const Row& R : Rows) {
    Grid->SetColCount(3);
    Grid->SetRowCount(4);
    Fill(3, 4);
    const std::string Before = GridText();
    try {
      Grid->LoadFromMDBSQL(Database(R.File), Utf8ToString(Query));
      if (R.MayAnswer) continue;
      ADD_FAILURE() << R.File;
    } catch (const EOleException& E) {
      const std::string Message = Narrow(E.Message());
      EXPECT_NE(Message.find(R.File), std::string::npos) << Message;
      EXPECT_EQ(Message.substr(Message.size() - std::min(Message.size(), R.Message.size())), R.Message) << Message;
    }
    EXPECT_EQ(GridText(), Before) << R.File;
  }
  // The reader keeps working after them.
  Grid->LoadFromMDBTable(Database(), Utf8ToString(MonitorTable));
  EXPECT_EQ(Narrow(Grid->Cells(1, 1)), "1");
}

}  // namespace
