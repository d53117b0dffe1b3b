#include "platform/office/Spreadsheet.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>

#include "platform/office/SheetFormats.h"
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

// The serial of a time of day.
double At(double Day, int H, int M, double S) { return Day + (H * 3600 + M * 60 + S) / 86400.0; }

TEST(SpreadsheetTest, DateFormatsShowWhatASpreadsheetProgramShows) {
  const double Jan2 = 43832;  // 2020-01-02, a Thursday
  struct Row {
    const char* Name;
    String Code;
    double Serial;
    const char* Shown;  // nullptr: the format shows no date for the number
  } Rows[] = {
      {"day.month.year", u"dd.mm.yyyy", Jan2, "02.01.2020"},
      {"upper-case letters, two-digit year", u"DD.MM.YY", Jan2, "02.01.20"},
      {"the program's short date (built-in 14)", office::BuiltInDateCode(14), Jan2, "1/2/2020"},
      {"short date and time (built-in 22)", office::BuiltInDateCode(22), At(Jan2, 10, 30, 0), "1/2/2020 10:30"},
      {"month name (built-in 15)", office::BuiltInDateCode(15), Jan2, "2-Jan-20"},
      {"long names", u"dddd, mmmm d, yyyy", Jan2, "Thursday, January 2, 2020"},
      {"short day name, first letter of the month", u"ddd mmmmm", Jan2, "Thu J"},
      {"12-hour clock (built-in 18)", office::BuiltInDateCode(18), At(Jan2, 13, 5, 0), "1:05 PM"},
      {"midnight on the 12-hour clock", u"h:mm a/p", Jan2, "12:00 a"},
      {"minutes after an hour, months elsewhere", u"m/d h:m", At(Jan2, 9, 7, 0), "1/2 9:7"},
      {"minutes before seconds (built-in 45)", office::BuiltInDateCode(45), At(0, 0, 1, 1), "01:01"},
      {"elapsed hours (built-in 46)", office::BuiltInDateCode(46), At(1.5, 0, 0, 5), "36:00:05"},
      {"elapsed minutes", u"[mm]:ss", At(0, 2, 3, 4), "123:04"},
      {"tenths of a second (built-in 47)", office::BuiltInDateCode(47), At(0, 0, 1, 2.34), "01:02.3"},
      {"a time rounds to the second shown", u"h:mm:ss", At(Jan2, 10, 59, 59.6), "11:00:00"},
      {"then coarser parts are cut", u"h:mm", At(Jan2, 10, 59, 59.4), "10:59"},
      {"the last second rounds into the next day", u"yyyy-mm-dd hh:mm:ss", At(Jan2, 23, 59, 59.7),
       "2020-01-03 00:00:00"},
      {"the 1900-02-29 the count holds", u"yyyy-mm-dd", 60, "1900-02-29"},
      {"the day before it", u"yyyy-mm-dd", 59, "1900-02-28"},
      {"the day after it", u"yyyy-mm-dd", 61, "1900-03-01"},
      {"day 0", u"yyyy-mm-dd", 0, "1900-01-00"},
      {"day 1 counts as a Sunday", u"dddd", 1, "Sunday"},
      {"the last day", u"yyyy-mm-dd", 2958465, "9999-12-31"},
      {"quoted text, escapes, a locale", u"[$-409]\"on \"d\\.m\\.yyyy;@", Jan2, "on 2.1.2020"},
      {"a colour, a fill, a currency", u"[Red][$\u20ac-407]* dd/mm/yyyy_)", Jan2, "\u20ac02/01/2020 "},
      {"the third section serves zero", u"yyyy-mm-dd;;\"none\"", 0, "none"},
      {"before day 0", u"yyyy-mm-dd", -1, nullptr},
      {"past 9999-12-31", u"yyyy-mm-dd", 2958466, nullptr},
      {"a negative section for numbers", u"yyyy-mm-dd;0.00", -1, nullptr},
  };
  for (const Row& R : Rows) {
    const office::TDateFormat F(R.Code);
    EXPECT_TRUE(F.IsDate()) << R.Name;
    String Shown;
    const bool Ok = F.Format(R.Serial, 0, Shown);
    EXPECT_EQ(Ok, R.Shown != nullptr) << R.Name;
    if (Ok && R.Shown) {
      EXPECT_EQ(Narrow(Shown), R.Shown) << R.Name;
    }
  }
  // Number formats are left alone, whatever letters they hold.
  for (const char16_t* Code : {u"General", u"0.00", u"0.00E+00", u"#,##0 \"days\"", u"@", u"[Red]0;[Blue]-0",
                               u"_($* #,##0.00_);_($* (#,##0.00);_($* \"-\"??_);_(@_)"})
    EXPECT_FALSE(office::TDateFormat(Code).IsDate()) << Narrow(Code);
  EXPECT_TRUE(office::BuiltInDateCode(0).empty());
  EXPECT_TRUE(office::BuiltInDateCode(49).empty());

  struct Iso {
    const char* Text;
    double Serial;  // NAN: no date
  } Isos[] = {{"2020-01-02", Jan2},        {"2020-01-02T10:30:00Z", At(Jan2, 10, 30, 0)},
              {"2020-01-02 10:30:05", At(Jan2, 10, 30, 5)}, {"10:30:00.5", At(0, 10, 30, 0.5)},
              {"1900-02-28", 59},          {"1900-03-01", 61},
              {"2020-02-30", NAN},         {"2020-1-2", NAN},
              {"noon", NAN},               {"", NAN}};
  for (const Iso& I : Isos) {
    double Serial = -1;
    const bool Ok = office::IsoDateSerial(Utf8ToString(I.Text), Serial);
    EXPECT_EQ(Ok, !std::isnan(I.Serial)) << I.Text;
    if (Ok) {
      EXPECT_NEAR(Serial, I.Serial, 1e-9) << I.Text;
    }
  }
}

TEST(SpreadsheetTest, ADateCellReadsAsTheTextItsFormatShows) {
  TScratch Dir;
  // Dates as other programs write them: numbers with a date format (built-in or their own), in a
  // book of the 1900 count and of the 1904 count, and as ISO 8601 text.
  RunPython(R"PY(
import sys, datetime, openpyxl
from openpyxl.utils.datetime import CALENDAR_MAC_1904
def book(path, epoch=None, iso=False):
    b = openpyxl.Workbook()
    if epoch: b.epoch = epoch
    b.iso_dates = iso
    ws = b.active
    for ref, value, fmt in [("A1", datetime.date(2020, 1, 2), "dd.mm.yyyy"),
                            ("A2", datetime.date(2020, 1, 2), "mm-dd-yy"),
                            ("A3", datetime.datetime(2020, 1, 2, 10, 30), "m/d/yy h:mm"),
                            ("A4", datetime.time(18, 45), "h:mm AM/PM"),
                            ("A5", 1.5, "0.00"),
                            ("A6", -1, "yyyy-mm-dd")]:
        ws[ref] = value
        ws[ref].number_format = fmt
    b.save(path)
book(sys.argv[1])
book(sys.argv[2], epoch=CALENDAR_MAC_1904)
book(sys.argv[3], iso=True)
)PY",
            {Dir.Path("1900.xlsx"), Dir.Path("1904.xlsx"), Dir.Path("iso.xlsx")});
  struct Row {
    const char* Ref;
    TOleValue::TKind Kind;
    const char* Shown;
  } Rows[] = {
      {"A1", TOleValue::vkDate, "02.01.2020"},          {"A2", TOleValue::vkDate, "1/2/2020"},
      {"A3", TOleValue::vkDate, "1/2/2020 10:30"},      {"A4", TOleValue::vkDate, "6:45 PM"},
      {"A5", TOleValue::vkNumber, "1.5"},               {"A6", TOleValue::vkNumber, "-1"},
  };
  for (const char* File : {"1900.xlsx", "1904.xlsx", "iso.xlsx"}) {
    auto App = TSheetApplication::Create();
    TWorksheet* S = App->Workbooks().Open(Dir.File(File))->Sheets(1);
    for (const Row& R : Rows) {
      const TOleValue V = S->Range(Utf8ToString(R.Ref)).Value();
      EXPECT_EQ(V.Kind, R.Kind) << File << " " << R.Ref;
      EXPECT_EQ(Narrow(V.AsText()), R.Shown) << File << " " << R.Ref;
    }
    // The date keeps its day, counted from 1900 whatever the book counts from.
    EXPECT_EQ(S->Range(u"A1").Value().Number, 43832) << File;
    App->Quit();
  }
}

TEST(SpreadsheetTest, ALegacyWorkbooksDatesReadAsDatesWithTheirText) {
  // The legacy reader is told a cell is a date, a date and time or a time, and its day as ISO
  // text; the cells' formats here show that same text.
  auto App = TSheetApplication::Create();
  TWorksheet* S = App->Workbooks().Open(Utf8ToString(FixturePath("dates.xls")))->Sheets(1);
  struct Row {
    const char* Ref;
    TOleValue::TKind Kind;
    double Number;
    const char* Shown;
  } Rows[] = {
      {"A1", TOleValue::vkDate, 43832, "2020-01-02"},
      {"A2", TOleValue::vkDate, At(43832, 10, 30, 5), "2020-01-02 10:30:05"},
      {"A3", TOleValue::vkDate, At(0, 18, 45, 0), "18:45:00"},
      {"A4", TOleValue::vkNumber, 43832, "43832"},
  };
  for (const Row& R : Rows) {
    const TOleValue V = S->Range(Utf8ToString(R.Ref)).Value();
    EXPECT_EQ(V.Kind, R.Kind) << R.Ref;
    EXPECT_NEAR(V.Number, R.Number, 1e-9) << R.Ref;
    EXPECT_EQ(Narrow(V.AsText()), R.Shown) << R.Ref;
  }
  App->Quit();
}

TEST(SpreadsheetTest, ChartSheetsAreSheetsButNoWorksheets) {
  TScratch Dir;
  MakeWorkbookWithAChartSheet(Dir.Path("chart.xlsx"));
  auto App = TSheetApplication::Create();
  TWorkbook* Book = App->Workbooks().Open(Dir.File("chart.xlsx"));
  ASSERT_EQ(Book->SheetCount(), 3);
  EXPECT_FALSE(Book->Sheets(2)->IsWorksheet());
  ASSERT_EQ(Book->WorksheetCount(), 2);
  EXPECT_EQ(Narrow(Book->Worksheets(1)->Name()), "Data");
  EXPECT_EQ(Narrow(Book->Worksheets(2)->Name()), "More");
  EXPECT_THROW(Book->Worksheets(3), EOleException);
  App->Quit();
}

// The most memory the process ever held, in megabytes.
long PeakMegabytes() {
  rusage Usage{};
  getrusage(RUSAGE_SELF, &Usage);
  return Usage.ru_maxrss / 1024;
}

TEST(SpreadsheetTest, AWorkbookPastWhatACellOrAPackageHoldsIsRefusedWithItsReason) {
  // The bomb is 65 KB that unpack to 64 MiB in one cell; the long cell holds one character more
  // than a cell may (tests/fixtures/platform/office/make-limit-xlsx.py).
  struct Row {
    const char* File;
    const char* Reason;
  } Rows[] = {
      {"bomb-cell.xlsx",
       "its part \"xl/worksheets/sheet1.xml\" would unpack to 67109075 bytes from 65420 bytes, more than a hundred "
       "times its size"},
      {"long-cell.xlsx", "the cell A1 of the sheet \"Sheet1\" holds more than the 32767 characters a cell holds"},
      {"long-shared-string.xlsx", "the shared string 0 holds more than the 32767 characters a cell holds"},
  };
  auto App = TSheetApplication::Create();
  for (const Row& R : Rows) {
    const String Path = Utf8ToString(FixturePath("xlsx/" + std::string(R.File)));
    const long PeakBefore = PeakMegabytes();
    try {
      App->Workbooks().Open(Path);
      ADD_FAILURE() << R.File;
    } catch (const EOleException& E) {
      const std::string Message = Narrow(E.Message());
      EXPECT_EQ(Message.substr(0, Message.find(": ") + 2),
                "The file \"" + Narrow(Path) + "\" is no workbook that can be read: ")
          << Message;
      EXPECT_NE(Message.find(R.Reason), std::string::npos) << Message;
    }
    // Refused before it was unpacked: the process held no more memory than before.
    EXPECT_LT(PeakMegabytes() - PeakBefore, 32) << R.File;
  }
  EXPECT_EQ(App->Workbooks().Count(), 0);

  // The longest text a cell holds is written and read back; one character more is not written.
  TScratch Dir;
  TWorkbook* Book = App->Workbooks().Add();
  TOleArray A(1, 2);
  A.Set(1, 1, TOleValue::OfText(String(SheetMaxCellText, u'x')));
  Book->Sheets(1)->Range(u"A1:B1").SetValues(A);
  A.Set(1, 2, TOleValue::OfText(String(SheetMaxCellText + 1, u'y')));
  try {
    Book->Sheets(1)->Range(u"C3:D3").SetValues(A);
    ADD_FAILURE();
  } catch (const EOleException& E) {
    EXPECT_EQ(Narrow(E.Message()), "The text for the cell D3 holds 32768 characters, more than the 32767 a cell holds");
  }
  EXPECT_EQ(Narrow(Book->Sheets(1)->UsedRange().Address()), "$A$1");  // nothing of the refused range
  Book->SaveAs(Dir.File("longest.xlsx"));
  App->Quit();
  auto Again = TSheetApplication::Create();
  EXPECT_EQ(Again->Workbooks().Open(Dir.File("longest.xlsx"))->Sheets(1)->Range(u"A1").Value().Text.size(),
            static_cast<size_t>(SheetMaxCellText));
  Again->Quit();
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
