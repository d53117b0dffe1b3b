#include "platform/office/Spreadsheet.h"

#include <gtest/gtest.h>

#include "tests/platform/office/OfficeTestUtil.h"

using namespace OfficeTest;

namespace {

// The cells of every sheet as openpyxl reads them: "sheet!A1=value" lines, sheets in order.
const char* const DumpWorkbook = R"PY(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
for ws in book.worksheets:
    print("sheet " + ws.title)
    for row in ws.iter_rows():
        for c in row:
            if c.value is not None:
                print("%s!%s=%r" % (ws.title, c.coordinate, c.value))
    for m in ws.merged_cells.ranges:
        print("%s merged %s" % (ws.title, m))
)PY";

TEST(SpreadsheetTest, ColumnLettersBothWays) {
  struct Row {
    const char* Name;
    Integer Col;
    const char* Letters;
  } Rows[] = {{"first", 1, "A"},     {"last single", 26, "Z"},   {"first double", 27, "AA"},
              {"thirtieth", 30, "AD"}, {"last double", 702, "ZZ"}, {"first triple", 703, "AAA"},
              {"last column", 16384, "XFD"}};
  for (const Row& R : Rows) {
    EXPECT_EQ(Narrow(ColumnLetters(R.Col)), R.Letters) << R.Name;
    EXPECT_EQ(ColumnOfLetters(Utf8ToString(R.Letters)), R.Col) << R.Name;
  }
  EXPECT_EQ(ColumnOfLetters(u"XFE"), 0);
  EXPECT_EQ(ColumnOfLetters(u"A1"), 0);
}

TEST(SpreadsheetTest, AddressesOfRangesAndTheUsedRange) {
  auto App = TSheetApplication::Create();
  TWorksheet* S = App->Workbooks().Add()->Sheets(1);
  EXPECT_EQ(Narrow(S->UsedRange().Address()), "$A$1");
  S->Range(u"C5").SetValues([] {
    TOleArray A(1, 1);
    A.Set(1, 1, TOleValue::OfText(u"x"));
    return A;
  }());
  EXPECT_EQ(Narrow(S->UsedRange().Address()), "$C$5");
  TOleArray A(8, 3);
  A.Set(1, 1, TOleValue::OfText(u"B3"));
  A.Set(8, 3, TOleValue::OfNumber(7));
  S->Range(u"$B$3:$D$10").SetValues(A);
  EXPECT_EQ(Narrow(S->UsedRange().Address()), "$B$3:$D$10");
  EXPECT_EQ(Narrow(S->Range(u"2:4").Address()), "$2:$4");
  EXPECT_EQ(Narrow(S->Range(u"A:C").Address()), "$A:$C");
  for (const char* Bad : {"", "A0", "B", "A1:B", "1:A", "XFE1", "A1048577", "A1:"})
    EXPECT_THROW(S->Range(Utf8ToString(Bad)), EOleException) << Bad;
  App->Quit();
}

TEST(SpreadsheetTest, ANewWorkbookIsWhatOtherProgramsRead) {
  TScratch Dir;
  auto App = TSheetApplication::Create();
  TWorkbook* Book = App->Workbooks().Add();
  TOleArray A(2, 3);
  A.Set(1, 1, TOleValue::OfText(u"Name"));
  A.Set(1, 2, TOleValue::OfText(u" padded "));
  A.Set(1, 3, TOleValue::OfText(u"line\nbreak \x0B vt _x0041_"));
  A.Set(2, 1, TOleValue::OfText(u"\u00e4\u20ac"));
  A.Set(2, 2, TOleValue::OfNumber(2.5));
  A.Set(2, 3, TOleValue::OfBoolean(true));
  Book->Sheets(1)->Range(u"B2:D3").SetValues(A);
  Book->SaveAs(Dir.File("new.xlsx"));
  App->Quit();

  EXPECT_EQ(RunPython(DumpWorkbook, {Dir.Path("new.xlsx")}),
            "sheet Sheet1\n"
            "Sheet1!B2='Name'\nSheet1!C2=' padded '\nSheet1!D2='line\\nbreak _x000B_ vt _x005F_x0041_'\n"
            "Sheet1!B3='ä€'\nSheet1!C3=2.5\nSheet1!D3=True\n");

  // Read back through the layer, every value comes back as it was written.
  auto Again = TSheetApplication::Create();
  TWorksheet* S = Again->Workbooks().Open(Dir.File("new.xlsx"))->ActiveSheet();
  EXPECT_EQ(Narrow(S->UsedRange().Address()), "$B$2:$D$3");
  const TOleArray V = S->UsedRange().Values();
  EXPECT_EQ(Narrow(V.Get(1, 2).Text), " padded ");
  EXPECT_EQ(V.Get(1, 3).Text, u"line\nbreak \x0B vt _x0041_");
  EXPECT_EQ(Narrow(V.Get(2, 1).Text), "ä€");
  EXPECT_EQ(V.Get(2, 2).Kind, TOleValue::vkNumber);
  EXPECT_EQ(Narrow(V.Get(2, 2).AsText()), "2.5");
  EXPECT_EQ(Narrow(V.Get(2, 3).AsText()), "True");
  Again->Quit();
}

TEST(SpreadsheetTest, WritingIntoAnExistingWorkbookKeepsItsOtherSheetsAndWhatTheyHold) {
  TScratch Dir;
  // A workbook of another program: a formula, a shared string, a merged area, a style, two sheets.
  RunPython(R"PY(
import sys, openpyxl
from openpyxl.styles import Font
book = openpyxl.Workbook()
ws = book.active
ws.title = "Summary"
ws["A1"] = "Total"
ws["A1"].font = Font(bold=True)
ws["B1"] = "=SUM(Data!B2:B3)"
ws.merge_cells("A3:C3")
ws["A3"] = "merged"
data = book.create_sheet("Data")
data["A1"] = "old"
data["B2"] = 4
data["B3"] = 5
book.save(sys.argv[1])
)PY",
            {Dir.Path("book.xlsx")});

  auto App = TSheetApplication::Create();
  TWorkbook* Book = App->Workbooks().Open(Dir.File("book.xlsx"));
  ASSERT_EQ(Book->SheetCount(), 2);
  EXPECT_EQ(Narrow(Book->Sheets(1)->Cells(1, 2).Value().Text), "");  // a formula without a cached value
  TOleArray A(1, 2);
  A.Set(1, 1, TOleValue::OfText(u"new"));
  A.Set(1, 2, TOleValue::OfNumber(6));
  Book->Sheets(2)->Range(u"A1:B1").SetValues(A);
  TWorksheet* Added = Book->AddWorksheet();
  Added->SetName(u"Grid");
  EXPECT_THROW(Added->SetName(u"data"), EOleException);
  EXPECT_THROW(Added->SetName(u"a/b"), EOleException);
  Added->Range(u"A1:B1").SetValues(A);
  Book->Save();
  App->Quit();

  const std::string Dump = RunPython(DumpWorkbook, {Dir.Path("book.xlsx")});
  EXPECT_EQ(Dump,
            "sheet Summary\nSummary!A1='Total'\nSummary!B1='=SUM(Data!B2:B3)'\nSummary!A3='merged'\n"
            "Summary merged A3:C3\n"
            "sheet Data\nData!A1='new'\nData!B1=6\nData!B2=4\nData!B3=5\n"
            "sheet Grid\nGrid!A1='new'\nGrid!B1=6\n");
  EXPECT_EQ(RunPython("import sys, openpyxl\nprint(openpyxl.load_workbook(sys.argv[1])['Summary']['A1'].font.b)",
                      {Dir.Path("book.xlsx")}),
            "True\n");
}

TEST(SpreadsheetTest, ALegacyBinaryWorkbookIsReadButNotWrittenBack) {
  TScratch Dir;
  std::filesystem::copy_file(FixturePath("two-sheets.xls"), Dir.Path("two-sheets.xls"));
  auto App = TSheetApplication::Create();
  TWorkbook* Book = App->Workbooks().Open(Dir.File("two-sheets.xls"));
  ASSERT_EQ(Book->SheetCount(), 2);
  EXPECT_EQ(Narrow(Book->Sheets(1)->Name()), "Prices");
  EXPECT_EQ(Narrow(Book->Sheets(2)->Name()), "Notes");
  TWorksheet* P = Book->Sheets(1);
  EXPECT_EQ(Narrow(P->UsedRange().Address()), "$A$1:$B$3");
  EXPECT_EQ(Narrow(P->Cells(2, 1).Value().AsText()), "Bolt");
  EXPECT_EQ(Narrow(P->Cells(2, 2).Value().AsText()), "0.25");
  EXPECT_EQ(Narrow(P->Cells(3, 2).Value().AsText()), "3");
  EXPECT_EQ(Narrow(Book->Sheets(2)->UsedRange().Address()), "$C$5");
  const std::string Before = RunPython("import sys\nprint(len(open(sys.argv[1],'rb').read()))", {Dir.Path("two-sheets.xls")});
  EXPECT_THROW(Book->Save(), EOleException);
  EXPECT_EQ(RunPython("import sys\nprint(len(open(sys.argv[1],'rb').read()))", {Dir.Path("two-sheets.xls")}), Before);
  // Saved under a new name it becomes a workbook of today's format.
  Book->SaveAs(Dir.File("copy.xlsx"));
  App->Quit();
  EXPECT_EQ(RunPython(DumpWorkbook, {Dir.Path("copy.xlsx")}),
            "sheet Prices\nPrices!A1='Item'\nPrices!B1='Price'\nPrices!A2='Bolt'\nPrices!B2=0.25\n"
            "Prices!A3='Nut'\nPrices!B3=3\nsheet Notes\nNotes!C5='only cell'\n");
}

TEST(SpreadsheetTest, FilesThatAreNoWorkbookRaiseTheAutomationError) {
  TScratch Dir;
  struct Row {
    const char* Name;
    std::string Bytes;
  } Rows[] = {{"empty", ""},
              {"text", "just text"},
              {"zip without a workbook", std::string("PK\x03\x04", 4) + "broken"},
              {"compound file that is no workbook", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0')}};
  auto App = TSheetApplication::Create();
  for (const Row& R : Rows) {
    const std::string Path = Dir.Path("bad.xlsx");
    if (FILE* F = std::fopen(Path.c_str(), "wb")) {
      std::fwrite(R.Bytes.data(), 1, R.Bytes.size(), F);
      std::fclose(F);
    }
    EXPECT_THROW(App->Workbooks().Open(Dir.File("bad.xlsx")), EOleException) << R.Name;
  }
  EXPECT_THROW(App->Workbooks().Open(Dir.File("missing.xlsx")), EOleException);
  EXPECT_EQ(App->Workbooks().Count(), 0);
  App->Quit();
}

TEST(SpreadsheetTest, ARunningInstanceIsOneTheProgramStillHolds) {
  EXPECT_EQ(TSheetApplication::GetActive(), nullptr);
  auto First = TSheetApplication::Create();
  auto Second = TSheetApplication::Create();
  EXPECT_EQ(TSheetApplication::GetActive(), Second);
  Second->Quit();
  EXPECT_EQ(TSheetApplication::GetActive(), First);
  First.reset();
  EXPECT_EQ(TSheetApplication::GetActive(), nullptr);
  SetOleServerAvailable(u"Excel.Application", false);
  EXPECT_THROW(TSheetApplication::Create(), EOleSysError);
  SetOleServerAvailable(u"excel.application", true);
}

}  // namespace
