// The string grid's exports for other programs: the column-aligned text file, the HTML table with
// its picture files, the XML record file, and the XML import.
#include <gtest/gtest.h>

#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridHTMLSettings.h"
#include "components/gridbase/ExObj.h"
#include "platform/os/Shell.h"
#include "ExGridIOTestUtil.h"
#include "tests/platform/xml/XmllintCheck.h"

using namespace GridIOTest;

namespace {

class ExGridExportTest : public GridIOFixture {
 protected:
  void SetUp() override {
    GridIOFixture::SetUp();
    // Nothing is opened for real.
    OldShell = SetShellOpenFunction([this](const String& F) {
      Opened.push_back(F);
      return true;
    });
  }
  void TearDown() override {
    SetShellOpenFunction(OldShell);
    GridIOFixture::TearDown();
  }
  void Fill(TExStringGrid* G, std::initializer_list<std::initializer_list<const char16_t*>> Rows) {
    Integer r = 0;
    for (const auto& Row : Rows) {
      Integer c = 0;
      for (const char16_t* T : Row) G->SetCells(c++, r, T);
      ++r;
    }
  }
  // The HTML test grid: a header row and two body rows in pinned fonts and colours.
  void HtmlGrid(TExStringGrid* G) {
    G->SetColCount(2);
    G->SetRowCount(3);
    G->SetFixedCols(0);
    G->SetColor(clWhite);
    G->SetFixedColor(clSilver);
    G->Font()->SetName(u"Arial");
    G->Font()->SetSize(10);
    G->Font()->SetColor(clBlack);
    G->FixedFont()->SetName(u"Arial");
    G->FixedFont()->SetSize(10);
    G->FixedFont()->SetColor(clBlack);
    G->SetURLShow(true);
    Fill(G, {{u"Name", u"Link"}, {u"Tom & Jerry", u"http://x.org"}, {u"", u"line1\r\nline2"}});
  }

  TShellOpenFunction OldShell;
  std::vector<String> Opened;
};

// --- Column-aligned text --------------------------------------------------------------------------

TEST_F(ExGridExportTest, ColumnAlignedTextPadsEachColumnToItsWidthPlusOne) {
  Grid->SetColCount(2);
  Grid->SetRowCount(3);
  Fill(Grid, {{u"a", u"bbb"}, {u"cc", u"d"}, {u"", u"x"}});
  Grid->SaveToASCII(File("a.txt"));
  EXPECT_EQ(Bytes("a.txt"), ReadBytes(Fixture("ascii_plain.txt")));
}

TEST_F(ExGridExportTest, ColumnAlignedTextAlignsAndContinuesMultiLineCells) {
  Grid->SetColCount(3);
  Grid->SetRowCount(2);
  Grid->SetMultilinecells(true);
  Fill(Grid, {{u"id", u"name", u"qty"}, {u"1", u"two\r\nlines", u"7"}});
  Grid->SetAlignments(2, 0, taRightJustify);
  Grid->SetAlignments(2, 1, taRightJustify);
  Grid->SetAlignments(1, 1, taCenter);
  Grid->SaveToASCII(File("a.txt"));
  EXPECT_EQ(Bytes("a.txt"), ReadBytes(Fixture("ascii_aligned.txt")));
}

TEST_F(ExGridExportTest, ColumnAlignedTextAppendsAndWritesUtf16) {
  Grid->SetFixedCols(0);
  Grid->SetFixedRows(0);
  Grid->SetColCount(1);
  Grid->SetRowCount(1);
  Grid->SetCells(0, 0, u"\u03a9");
  WriteBytes(Folder / "a.txt", "old\r\n");
  Grid->AppendToASCII(File("a.txt"));
  EXPECT_EQ(Bytes("a.txt"), "old\r\n? \r\n");
  Grid->SaveToASCII(File("u.txt"), true);
  EXPECT_EQ(Bytes("u.txt"), std::string("\xFF\xFE\xA9\x03 \0\r\0\n\0", 10));
}

TEST_F(ExGridExportTest, ColumnAlignedTextOfHiddenColumns) {
  Grid->SetFixedCols(0);
  Grid->SetFixedRows(0);
  Grid->SetColCount(3);
  Grid->SetRowCount(1);
  Fill(Grid, {{u"a", u"b", u"c"}});
  Grid->HideColumn(1);
  Grid->SaveToASCII(File("a.txt"));
  EXPECT_EQ(Bytes("a.txt"), "a c \r\n");
  Grid->SetSaveHiddenCells(true);
  Grid->SaveToASCII(File("a.txt"));
  EXPECT_EQ(Bytes("a.txt"), "a b c \r\n");
}

// --- HTML ---------------------------------------------------------------------------------------------

TEST_F(ExGridExportTest, HtmlTableWithOneClassPerCellLook) {
  HtmlGrid(Grid);
  const String Html = Grid->SaveToHTMLString(PathText(Folder) + u"/");
  EXPECT_EQ(StringToUtf8(Html), ReadBytes(Fixture("table.html")));
  EXPECT_FALSE(std::filesystem::exists(Folder / "images"));
}

TEST_F(ExGridExportTest, HtmlTableOptions) {
  struct Case {
    const char* Name;
    std::function<void(THTMLSettings*)> Set;
    const char16_t* Part;
  };
  const Case Cases[] = {
      {"XHTML prologue", [](THTMLSettings* S) { S->SetXHTML(true); },
       u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
       u"\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
       u"<HTML xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n<style>"},
      {"XHTML end", [](THTMLSettings* S) { S->SetXHTML(true); }, u"</TABLE>\r\n</HTML>\r\n"},
      {"summary and table style",
       [](THTMLSettings* S) {
         S->SetSummary(u"sum");
         S->SetTableStyle(u"id=\"t\"");
         S->SetBorderSize(2);
       },
       u"<TABLE BORDER=\"2\" CELLSPACING=\"0\" CELLPADDING=\"0\" SUMMARY=\"sum\"  id=\"t\"  WIDTH=\"100%\">"},
      {"prefix and suffix",
       [](THTMLSettings* S) {
         S->SetPrefixTag(u"<body>");
         S->SetSuffixTag(u"</body>");
       },
       u"</TABLE>\r\n</body>\r\n"},
      {"special characters and blanks",
       [](THTMLSettings* S) {
         S->SetConvertSpecialChars(true);
         S->SetNonBreakingText(true);
       },
       u">Tom&nbsp;&amp;&nbsp;Jerry</td>"},
      {"no colours", [](THTMLSettings* S) { S->SetSaveColor(false); },
       u".c1 {font-size:10pt;font-family: Arial;vertical-align: top}"},
      {"column widths without a header", nullptr, u"<TD class=\"c0\" width=33>Tom & Jerry</td>"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* G = NewGrid();
    HtmlGrid(G);
    if (C.Set) {
      C.Set(G->HTMLSettings());
    } else {
      G->SetSaveFixedCells(false);
      G->HTMLSettings()->ColWidths()->Add(33);
    }
    const String Html = G->SaveToHTMLString(u"");
    EXPECT_NE(Html.find(C.Part), String::npos) << StringToUtf8(Html);
  }
}

TEST_F(ExGridExportTest, HtmlMergedAreaIsOneCell) {
  HtmlGrid(Grid);
  Grid->MergeCells(0, 1, 2, 1);
  const String Html = Grid->SaveToHTMLString(u"");
  EXPECT_NE(Html.find(u"<TD class=\"c1\" COLSPAN=\"2\">Tom & Jerry</td>\r\n</TR>"), String::npos)
      << StringToUtf8(Html);
}

TEST_F(ExGridExportTest, HtmlCellsThatLookAlikeShareOneClass) {
  Grid->SetFixedRows(0);
  Grid->SetFixedCols(0);
  Grid->SetColCount(2);
  Grid->SetRowCount(2);
  Fill(Grid, {{u"a", u"b"}, {u"c", u"d"}});
  const String Html = Grid->SaveToHTMLString(u"");
  EXPECT_NE(Html.find(u".c0 {"), String::npos);
  EXPECT_EQ(Html.find(u".c1 {"), String::npos);
}

TEST_F(ExGridExportTest, HtmlPicturesAreJpegFilesInTheImagesFolder) {
  HtmlGrid(Grid);
  TBitmap* B = Grid->CreateBitmap(1, 1, false, haLeft, vaTop);
  B->SetSize(8, 6);
  B->Canvas()->Brush()->SetColor(clRed);
  B->Canvas()->FillRect(TRect(0, 0, 8, 6));
  const String Dir = PathText(Folder) + u"/";
  const String Html = Grid->SaveToHTMLString(Dir);
  const String Tag = u"<img src= \"file://" + Dir + u"images/img1.jpg\">";
  EXPECT_NE(Html.find(u"<a href=http://x.org>x.org</a>" + Tag + u"</td>"), String::npos) << StringToUtf8(Html);
  TJPEGImage J;
  J.LoadFromFile(Dir + u"images/img1.jpg");
  EXPECT_EQ(J.Width(), 8);
  EXPECT_EQ(J.Height(), 6);
}

TEST_F(ExGridExportTest, HtmlPictureFolderThatCannotBeMade) {
  HtmlGrid(Grid);
  Grid->CreateBitmap(1, 1, false, haLeft, vaTop)->SetSize(2, 2);
  WriteBytes(Folder / "images", "a file in the way");
  const String Dir = PathText(Folder) + u"/";
  try {
    Grid->SaveToHTMLString(Dir);
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"Cannot create " + Dir + u"images");
  }
}

TEST_F(ExGridExportTest, HtmlFileIsSevenBitOrUtf16WithHeaderAndFooterFiles) {
  HtmlGrid(Grid);
  Grid->SetCells(0, 1, u"caf\u00e9");
  const String Table = Grid->SaveToHTMLString(u"");
  std::string Ascii = StringToUtf8(Table);
  Ascii.replace(Ascii.find("caf\xC3\xA9"), 5, "caf?");

  Grid->SaveToHTML(File("t.html"));
  EXPECT_EQ(Bytes("t.html"), Ascii + "\r\n");
  EXPECT_TRUE(Opened.empty());

  WriteBytes(Folder / "head.txt", "<html>\r\n");
  WriteBytes(Folder / "foot.txt", "</html>\r\n");
  Grid->HTMLSettings()->SetHeaderFile(File("head.txt"));
  Grid->HTMLSettings()->SetFooterFile(File("foot.txt"));
  Grid->AppendToHTML(File("t.html"), true);
  // The file read back has its lone line feed as a line end of its own.
  std::string Reread = Ascii;
  Reread.replace(Reread.find("<br>\n"), 5, "<br>\r\n");
  EXPECT_EQ(Bytes("t.html"), Reread + "\r\n<html>\r\n" + Ascii + "\r\n</html>\r\n");
  EXPECT_EQ(Opened, std::vector<String>{File("t.html")});

  Grid->HTMLSettings()->SetHeaderFile(u"");
  Grid->HTMLSettings()->SetFooterFile(u"");
  Grid->SaveToHTML(File("u.html"), false, true);
  const std::string U = Bytes("u.html");
  EXPECT_EQ(U.substr(0, 2), "\xFF\xFE");
  EXPECT_NE(U.find(std::string("\xE9\0", 2)), std::string::npos);

  Grid->HTMLSettings()->SetHeaderFile(File("missing.txt"));
  EXPECT_THROW(Grid->SaveToHTML(File("v.html")), EFOpenError);
  EXPECT_FALSE(std::filesystem::exists(Folder / "v.html"));
}

// --- XML ------------------------------------------------------------------------------------------------

TEST_F(ExGridExportTest, XmlRecordFile) {
  Grid->SetColCount(3);
  Grid->SetRowCount(3);
  Fill(Grid, {{u"id", u"name", u"note"}, {u"1", u"Tom & Jerry", u""}, {u"2", u"<b>", u"\"q\""}});
  TStringList Names;
  Names.Add(u"ID");
  Names.Add(u"NAME");
  Grid->SaveToXML(File("r.xml"), u"list", u"rec", &Names, true);
  EXPECT_EQ(Bytes("r.xml"), ReadBytes(Fixture("records.xml")));

  // Without the empty cells and the field names.
  Grid->SaveToXML(File("s.xml"), u"list", u"rec", nullptr, false);
  const std::string S = Bytes("s.xml");
  EXPECT_NE(S.find("<FIELD1>Tom $amp; Jerry</FIELD1>\r\n</rec>"), std::string::npos);

  try {
    Grid->SaveToXML(File("nofolder/r.xml"), u"list", u"rec", nullptr, false);
    FAIL() << "no exception";
  } catch (const EStringGridError& E) {
    EXPECT_EQ(E.Message(), u"Cannot Create file " + File("nofolder/r.xml"));
  }
}

// The declaration names the encoding the bytes are in: what the encoding lacks goes as a character
// reference and what XML cannot carry at all is left out, so other programs read every cell as the
// grid held it.
TEST_F(ExGridExportTest, XmlRecordFileIsInTheEncodingItDeclares) {
  Grid->SetColCount(2);
  Grid->SetRowCount(2);
  Fill(Grid, {{u"5 \u20ac", u"caf\u00e9"}, {u"a\x01" u"b", u"\u0416"}});
  Grid->SaveToXML(File("r.xml"), u"list", u"rec", nullptr, true);
  EXPECT_EQ(Bytes("r.xml"), ReadBytes(Fixture("records_latin1.xml")));
  EXPECT_TRUE(Xmllint_Accepts(File("r.xml")));

  struct TCase {
    const char* Name;
    const char16_t* Encoding;
    const char* Declared;
    std::string Euro;  // how the euro sign stands in the file
  };
  const TCase Cases[] = {
      {"latin-1 default", u"ISO-8859-1", "ISO-8859-1", "&#8364;"},
      {"utf-8", u"UTF-8", "UTF-8", "\xE2\x82\xAC"},
      {"windows-1252", u"windows-1252", "windows-1252", "\x80"},
      {"ascii", u"US-ASCII", "US-ASCII", "&#8364;"},
      {"unknown name", u"EBCDIC-FR", "windows-1252", "\x80"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetXMLEncoding(C.Encoding);
    Grid->SaveToXML(File("e.xml"), u"list", u"rec", nullptr, true);
    const std::string B = Bytes("e.xml");
    EXPECT_EQ(B.substr(0, B.find("?>")), std::string("<?xml version=\"1.0\" encoding=\"") + C.Declared + "\" ");
    EXPECT_NE(B.find("<FIELD0>5 " + C.Euro + "</FIELD0>"), std::string::npos);
    EXPECT_TRUE(Xmllint_Accepts(File("e.xml")));
    auto* Back = NewGrid();
    Back->LoadFromXML(File("e.xml"));
    EXPECT_EQ(Back->Cells(0, 0), u"5 \u20ac");
    EXPECT_EQ(Back->Cells(1, 0), u"caf\u00e9");
    EXPECT_EQ(Back->Cells(0, 1), u"ab");
    EXPECT_EQ(Back->Cells(1, 1), u"\u0416");
  }
}

TEST_F(ExGridExportTest, XmlRecordFileReadsBackFieldByField) {
  std::filesystem::copy_file(Fixture("records.xml"), Folder / "r.xml");
  Grid->LoadFromXML(File("r.xml"));
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->RowCount(), 3);
  EXPECT_EQ(Grid->Cells(1, 0), u"name");
  EXPECT_EQ(Grid->Cells(1, 1), u"Tom & Jerry");
  EXPECT_EQ(Grid->Cells(2, 1), u"");
  EXPECT_EQ(Grid->Cells(1, 2), u"<b>");
  EXPECT_EQ(Grid->Cells(2, 2), u"\"q\"");
}

TEST_F(ExGridExportTest, XmlAttributesBecomeCellsAndTheirNamesHeaders) {
  std::filesystem::copy_file(Fixture("attributes.xml"), Folder / "a.xml");
  Grid->LoadFromXML(File("a.xml"), false, true);
  // A record without children also stores an empty cell after its attributes.
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->RowCount(), 3);
  EXPECT_EQ(Grid->Cells(0, 0), u"id");
  EXPECT_EQ(Grid->Cells(1, 0), u"name");
  EXPECT_EQ(Grid->Cells(0, 1), u"1");
  EXPECT_EQ(Grid->Cells(1, 2), u"b & c");

  auto* Plain = NewGrid();
  Plain->LoadFromXML(File("a.xml"));
  EXPECT_EQ(Plain->RowCount(), 2);
  EXPECT_EQ(Plain->Cells(0, 0), u"1");
  EXPECT_EQ(Plain->Cells(1, 1), u"b & c");
}

TEST_F(ExGridExportTest, XmlImportLevelByLevel) {
  WriteBytes(Folder / "l.xml", "<list><rec a=\"1\"><x>2</x><y>3</y></rec><rec a=\"4\"><x>5</x><y>6</y></rec></list>");
  Grid->SetSaveFixedCells(false);
  Grid->SetFixedRows(0);
  Grid->SetFixedCols(0);
  Grid->LoadFromXML(File("l.xml"), true);
  // Each record's attribute on a row; its children on the next row from the level's column.
  EXPECT_EQ(Grid->Cells(0, 0), u"1");
  EXPECT_EQ(Grid->Cells(1, 1), u"2");
  EXPECT_EQ(Grid->Cells(2, 1), u"3");

  // A first record of one text has no row above the first one: it is left out.
  WriteBytes(Folder / "m.xml", "<list><rec>only</rec></list>");
  auto* G = NewGrid();
  G->LoadFromXML(File("m.xml"), true);
  EXPECT_EQ(G->RowCount(), 1);
}

TEST_F(ExGridExportTest, XmlImportOfHugeRecords) {
  // 50,000 nested elements under one record: their text is one cell, read without exhausting the
  // stack.
  std::string Deep;
  for (int i = 0; i < 50000; ++i) Deep += "<a>";
  Deep += "core";
  for (int i = 0; i < 50000; ++i) Deep += "</a>";
  WriteBytes(Folder / "nested.xml", "<list><rec>" + Deep + "</rec></list>");
  Grid->LoadFromXML(File("nested.xml"));
  EXPECT_EQ(Grid->Cells(0, 0), u"core");

  // A record of 70,000 attributes: every value in its column, the grid sized once at the end.
  std::string Wide = "<list><rec";
  for (int i = 0; i < 70000; ++i) Wide += " f" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
  WriteBytes(Folder / "wide.xml", Wide + "/></list>");
  auto* G = NewGrid();
  G->LoadFromXML(File("wide.xml"), false, true);
  EXPECT_EQ(G->ColCount(), 70001) << "the attributes and the empty cell of a record without children";
  EXPECT_EQ(G->RowCount(), 2);
  EXPECT_EQ(G->Cells(0, 0), u"f0");
  EXPECT_EQ(G->Cells(69999, 0), u"f69999");
  EXPECT_EQ(G->Cells(69999, 1), u"69999");
}

TEST_F(ExGridExportTest, XmlImportErrors) {
  try {
    Grid->LoadFromXML(File("missing.xml"));
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"XML file not found");
  }
  WriteBytes(Folder / "bad.xml", "<list>\n<rec>\n<a>1</b>\n</rec>\n</list>\n");
  try {
    Grid->LoadFromXML(File("bad.xml"));
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"XMLDOM Parsing error 1 on line 3");
  }
  std::string Deep;
  for (int i = 0; i < 300; ++i) Deep += "<a><z/>";
  for (int i = 0; i < 300; ++i) Deep += "</a>";
  WriteBytes(Folder / "deep.xml", "<list>" + Deep + "</list>");
  EXPECT_THROW(Grid->LoadFromXML(File("deep.xml")), Exception);
}

}  // namespace
