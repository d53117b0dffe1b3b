// The string grid's plain-text exchanges: delimited files (writer quoting, delimiter guessing,
// quoted and multi-line fields, loading, inserting, row limits), fixed-width files and the grid's
// own line stream.
#include "ExGridTextPrintTestUtil.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <set>

#include "components/grid/ExGridFooter.h"
#include "components/gridbase/ExObj.h"
#include "tests/AllocationCount.h"
#include "tests/platform/rtl/FileSizeLimit.h"

namespace {

using Texts = std::vector<String>;

// The three-by-three grid of the golden files: a header row, a field with the delimiter, one with
// quotes, one with a line break and empty cells.
void FillSample(TExStringGrid* G, const String& TwoLines) {
  G->SetColCount(3);
  G->SetRowCount(3);
  const std::vector<std::vector<String>> Rows = {
      {u"", u"Name", u"Note"}, {u"1", u"a,b", u"say \"hi\""}, {u"2", TwoLines, u""}};
  for (size_t r = 0; r < Rows.size(); ++r)
    for (size_t c = 0; c < Rows[r].size(); ++c)
      G->SetCells(static_cast<Integer>(c), static_cast<Integer>(r), Rows[r][c]);
}

class ExGridTextFilesTest : public ExGridTextPrintTest {};

// --- Delimited files: writing --------------------------------------------------------------------

TEST_F(ExGridTextFilesTest, CsvWithTheInitialSettingsMatchesTheGoldenFile) {
  FillSample(Grid, u"two\r\nlines");
  const String F = TempFile("default.csv");
  Grid->SaveToCSV(F);
  EXPECT_EQ(ReadBytes(F), Fixture("cells-default.csv"));
}

TEST_F(ExGridTextFilesTest, JavaCsvWithASemicolonMatchesTheGoldenFile) {
  FillSample(Grid, u"two\r\nlines");
  Grid->SetCells(1, 1, u"a\r\nb");
  Grid->SetJavaCSV(true);
  Grid->SetDelimiter(u';');
  const String F = TempFile("java.csv");
  Grid->SaveToCSV(F);
  EXPECT_EQ(ReadBytes(F), Fixture("cells-java-semicolon.csv"));
}

TEST_F(ExGridTextFilesTest, CsvFieldsAreQuotedAsTheSettingsSay) {
  struct Case {
    const char* Name;
    String Cell;
    bool AlwaysQuotes, QuoteEmpty, Java;
    std::string Line;  // the second cell of the written line
  };
  const Case Cases[] = {
      {"plain", u"abc", false, true, false, "abc"},
      {"empty quoted", u"", false, true, false, "\"\""},
      {"empty bare", u"", false, false, false, ""},
      {"always quotes", u"abc", true, true, false, "\"abc\""},
      {"always quotes keeps the LF of a line break", u"a\r\nb", true, true, false, "\"a\nb\""},
      {"java empty", u"", false, true, true, "^"},
      {"java delimiter stays bare", u"a,b", false, true, true, "a,b"},
      {"the delimiter and quotes", u"a,\"b\"", false, true, false, "\"a,\"\"b\"\"\""},
      {"a lone CR is quoted", u"a\rb", false, true, false, "\"a\rb\""},
      {"a lone LF stays bare", u"a\nb", false, true, false, "a\nb"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    Grid->SetSaveFixedCells(false);
    Grid->SetFixedCols(1);
    Grid->SetCells(1, 1, C.Cell);
    Grid->SetAlwaysQuotes(C.AlwaysQuotes);
    Grid->SetQuoteEmptyCells(C.QuoteEmpty);
    Grid->SetJavaCSV(C.Java);
    const String F = TempFile("quoting.csv");
    Grid->SaveToCSV(F);
    EXPECT_EQ(ReadBytes(F), C.Line + "\r\n");
  }
}

TEST_F(ExGridTextFilesTest, CsvInUnicodeIsUtf8WithAMarkAndAppendingKeepsTheFileFirst) {
  Grid->SetColCount(2);
  Grid->SetRowCount(2);
  Grid->SetSaveFixedCells(false);
  Grid->SetCells(1, 1, u"\u00e9t\u00e9");
  const String F = TempFile("unicode.csv");
  Grid->SaveToCSV(F, true);
  EXPECT_EQ(ReadBytes(F), "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\r\n");
  Grid->SetCells(1, 1, u"x");
  Grid->AppendToCSV(F, true);
  EXPECT_EQ(ReadBytes(F), "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\r\nx\r\n");
  // Appending without Unicode keeps the encoding the file was read in.
  Grid->SetCells(1, 1, u"\u00fc");
  Grid->AppendToCSV(F);
  EXPECT_EQ(ReadBytes(F), "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\r\nx\r\n\xC3\xBC\r\n");
  // Without Unicode the ANSI code page, also for the lines appended.
  Grid->SetCells(1, 1, u"\u00e9");
  Grid->SaveToCSV(F);
  EXPECT_EQ(ReadBytes(F), "\xE9\r\n");
  Grid->AppendToCSV(F);
  EXPECT_EQ(ReadBytes(F), "\xE9\r\n\xE9\r\n");
}

TEST_F(ExGridTextFilesTest, CsvWriterReportsProgressOnlyWhenItChanges) {
  Grid->SetColCount(2);
  Grid->SetRowCount(5);
  std::vector<int> Seen;
  Grid->OnFileProgress = [&Seen](TObject*, int16_t P) { Seen.push_back(P); };
  Grid->SaveToCSV(TempFile("progress.csv"));
  EXPECT_EQ(Seen, (std::vector<int>{0, 25, 50, 75, 100}));
}

// A grid of many empty cells with one text in its last cell gives every row all its fields (an
// empty one as two quotes). The text is encoded and written a part at a time, so memory holds a part
// of the file, not the file (the whole text was held as UTF-16 and again encoded: a 90 KB sparse
// file loaded and saved again ran out of memory); a UTF-8 file has its byte-order mark once.
TEST_F(ExGridTextFilesTest, CsvOfAWideSparseGridIsWrittenAPartAtATime) {
  if (!TAllocationCount::Available()) GTEST_SKIP() << "allocations are not counted under AddressSanitizer";
  const struct {
    Integer N;
    bool Unicode;
  } Cases[] = {{1000, false}, {300, true}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Unicode ? "UTF-8" : "ANSI");
    Grid->SetColCount(C.N);
    Grid->SetRowCount(C.N);
    Grid->SetCells(C.N - 1, C.N - 1, u"x");
    std::string Row;
    for (Integer c = 0; c < C.N; ++c) Row += c ? ",\"\"" : "\"\"";
    Row += "\r\n";
    const String F = TempFile("sparse.csv");
    {
      TAllocationCount Count;
      Grid->SaveToCSV(F, C.Unicode);
      EXPECT_LT(Count.Peak(), 1u << 20);
    }
    const std::string Bytes = ReadBytes(F);
    const std::string Mark = C.Unicode ? "\xEF\xBB\xBF" : "";
    const std::string LastRow = Row.substr(0, Row.size() - 4) + "x\r\n";
    ASSERT_EQ(Bytes.size(), Mark.size() + Row.size() * static_cast<size_t>(C.N - 1) + LastRow.size());
    EXPECT_EQ(Bytes.substr(0, Mark.size() + Row.size()), Mark + Row);
    EXPECT_EQ(Bytes.substr(Bytes.size() - LastRow.size()), LastRow);
    EXPECT_EQ(Bytes.find("\xEF\xBB\xBF", Mark.size()), std::string::npos);
  }
}

// The file takes the new text only once all of it is written: a write that fails (a full disk) or a
// cell hook that raises midway leaves the old file as it was and no part file beside it, the
// failure raised as the writer's error; a new file that could not be finished is not left behind.
TEST_F(ExGridTextFilesTest, CsvThatCannotBeFinishedLeavesTheFileAsItWas) {
  Grid->SetColCount(200);
  Grid->SetRowCount(2000);
  for (Integer r = 0; r < 2000; ++r) Grid->SetCells(1, r, u"some text");
  const String F = TempFile("kept.csv");
  const std::filesystem::path Folder = std::filesystem::path(StringToUtf8(F)).parent_path();
  auto PartFiles = [&] {
    int N = 0;
    for (const auto& E : std::filesystem::directory_iterator(Folder))
      if (E.path().filename().string().rfind(".exgrid_textprint_kept.csv.", 0) == 0) ++N;
    return N;
  };
  WriteBytes(F, "old,content\r\n");
  {
    TFileSizeLimit Limit(256 * 1024);
    EXPECT_THROW(Grid->SaveToCSV(F), EWriteError);
  }
  EXPECT_EQ(ReadBytes(F), "old,content\r\n");
  EXPECT_EQ(PartFiles(), 0);

  Integer Saved = 0;
  Grid->OnSaveCell = [&](TObject*, Integer, Integer, String&) {
    if (++Saved == 100000) throw Exception(u"stop");
  };
  EXPECT_THROW(Grid->SaveToCSV(F), Exception);
  EXPECT_EQ(ReadBytes(F), "old,content\r\n");
  EXPECT_EQ(PartFiles(), 0);

  const String New = TempFile("new.csv");
  std::filesystem::remove(StringToUtf8(New));
  Saved = 0;
  EXPECT_THROW(Grid->SaveToCSV(New), Exception);
  EXPECT_FALSE(std::filesystem::exists(StringToUtf8(New)));
  Grid->OnSaveCell = nullptr;
}

// Every whole-file writer of the grid: a write that fails (a full disk) or a cell hook that raises
// midway leaves an old file as it was and a new one not there, with nothing else left in the
// folder, and the failure reaches the caller.
TEST_F(ExGridTextFilesTest, WholeFileWritersThatCannotFinishKeepTheOldFileAndLeaveNoNewOne) {
  Grid->SetColCount(4);
  Grid->SetRowCount(20);
  for (Integer r = 0; r < 20; ++r)
    for (Integer c = 0; c < 4; ++c) Grid->SetCells(c, r, u"some text");
  struct Writer {
    const char* Name;
    bool SavesCells;  // asks the cell hook for the texts
    std::function<void(const String& File)> Save;
  };
  const Writer Writers[] = {
      {"CSV", true, [&](const String& F) { Grid->SaveToCSV(F); }},
      {"fixed-width text", true,
       [&](const String& F) {
         TIntList Widths(0, 0);
         Grid->SaveToFixed(F, &Widths);
       }},
      {"XML records", true, [&](const String& F) { Grid->SaveToXML(F, u"list", u"rec", nullptr, true); }},
      {"ASCII", true, [&](const String& F) { Grid->SaveToASCII(F); }},
      {"HTML", true, [&](const String& F) { Grid->SaveToHTML(F, false); }},
      {"grid text file", true, [&](const String& F) { Grid->SaveToFile(F); }},
      {"binary cells", false, [&](const String& F) { Grid->SaveToBinFile(F); }},
  };
  for (const Writer& W : Writers) {
    for (const bool FullDisk : {true, false}) {
      if (!FullDisk && !W.SavesCells) continue;
      for (const bool Existed : {true, false}) {
        SCOPED_TRACE(std::string(W.Name) + (FullDisk ? ", full disk" : ", a hook raising midway") +
                     (Existed ? ", over an old file" : ", a new file"));
        const TTempFolder Dir("exgrid_writers");
        const String F = Dir.File("saved.txt");
        if (Existed) WriteBytes(F, "old content\r\n");
        if (!FullDisk) {
          Grid->OnSaveCell = [](TObject*, Integer, Integer ARow, String&) {
            if (ARow == 10) throw Exception(u"stop");
          };
        }
        try {
          std::unique_ptr<TFileSizeLimit> Limit;
          if (FullDisk) Limit = std::make_unique<TFileSizeLimit>(64);
          W.Save(F);
          ADD_FAILURE() << "no exception";
        } catch (const EWriteError&) {
          EXPECT_TRUE(FullDisk);
        } catch (const Exception& E) {
          EXPECT_FALSE(FullDisk);
          EXPECT_EQ(E.Message(), u"stop");
        }
        Grid->OnSaveCell = nullptr;
        std::set<std::string> Entries;
        for (const auto& E : std::filesystem::directory_iterator(Dir.FsPath())) Entries.insert(E.path().filename().string());
        if (Existed) {
          EXPECT_EQ(ReadBytes(F), "old content\r\n");
          EXPECT_EQ(Entries, std::set<std::string>{"saved.txt"});
        } else {
          EXPECT_EQ(Entries, std::set<std::string>{});
        }
      }
    }
  }
}

// --- Delimited files: reading --------------------------------------------------------------------

TEST_F(ExGridTextFilesTest, CsvReaderGuessesTheDelimiterAndSplitsTheFields) {
  struct Case {
    const char* Name;
    std::string File;
    std::vector<Texts> Rows;  // rows 0.. of the loaded grid, columns 0..
  };
  const Case Cases[] = {
      {"semicolon by unpaired counts", "a;b;c\r\n1;2;3\r\n", {{u"a", u"b", u"c"}, {u"1", u"2", u"3"}}},
      {"doubled commas by plain counts", "a,,b\r\n1,,2\r\n", {{u"a", u"", u"b"}, {u"1", u"", u"2"}}},
      {"a single line by the third pass", "x|y\r\n", {{u"x", u"y"}}},
      {"no candidate: one cell per line", "abc\r\ndef\r\n", {{u"abc"}, {u"def"}}},
      {"leading blanks go, trailing stay", "  a,b  \r\n", {{u"a", u"b  "}}},
      {"doubled quotes inside quotes", "\"ab\"\"c\",d\r\n", {{u"ab\"c", u"d"}}},
      {"a delimiter inside quotes", "\"a,b\",c\r\n", {{u"a,b", u"c"}}},
      {"an unclosed quote reads empty", "\"abc,d\r\n", {{u"", u"d"}}},
      {"a VT is a line break", "\"a\x0b" "b\",c\r\n", {{u"a\r\nb", u"c"}}},
      {"a line break inside quotes ends the row",
       "\"a\nb\",c\r\nd,e\r\n",
       {{u"a"}, {u"b\"", u"c"}, {u"d", u"e"}}},
      {"a stray quote stays in its field", "5\" tube,3\nA,1\nB,2\n", {{u"5\" tube", u"3"}, {u"A", u"1"}, {u"B", u"2"}}},
      {"text after a closing quote is lost", "\"a\"x,b\r\n", {{u"a", u"b"}}},
      {"a closing quote after the last delimiter", "x,\"a,b\"zz\r\n", {{u"x", u"a,b", u"zz"}}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    const String F = TempFile("detect.csv");
    WriteBytes(F, C.File);
    Grid->LoadFromCSV(F);
    EXPECT_EQ(Grid->Delimiter(), 0);  // the guess is only kept for the read
    ASSERT_EQ(Grid->RowCount(), static_cast<Integer>(C.Rows.size()));
    for (size_t r = 0; r < C.Rows.size(); ++r)
      EXPECT_EQ(RowTexts(static_cast<Integer>(r), static_cast<Integer>(C.Rows[r].size())), C.Rows[r]) << r;
  }
}

TEST_F(ExGridTextFilesTest, CsvRoundTripsEveryWriterForm) {
  struct Case {
    const char* Name;
    bool AlwaysQuotes, Java;
  };
  const Case Cases[] = {{"default", false, false}, {"always quotes", true, false}, {"java", false, true}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    // With every field quoted a line break is written as a bare LF inside the quotes, and the
    // reader ends a row at every line end: that form keeps single-line cells only.
    FillSample(Grid, C.AlwaysQuotes ? u"two lines" : u"two\r\nlines");
    Grid->SetCells(1, 1, C.Java ? u"a b" : u"a,b");
    Grid->SetAlwaysQuotes(C.AlwaysQuotes);
    Grid->SetJavaCSV(C.Java);
    const String F = TempFile("roundtrip.csv");
    Grid->SaveToCSV(F);
    for (Integer r = 0; r < 3; ++r)
      for (Integer c = 0; c < 3; ++c) Grid->SetCells(c, r, u"old");
    Grid->LoadFromCSV(F);
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(RowTexts(0, 3), (Texts{u"", u"Name", u"Note"}));
    EXPECT_EQ(RowTexts(1, 3), (Texts{u"1", C.Java ? u"a b" : u"a,b", u"say \"hi\""}));
    EXPECT_EQ(RowTexts(2, 3), (Texts{u"2", C.AlwaysQuotes ? u"two lines" : u"two\r\nlines", u""}));
  }
}

TEST_F(ExGridTextFilesTest, CsvReaderTakesAWideLineInOnePass) {
  // One line of 200,000 fields: read field by field from a position, and the grid sized once.
  std::string Line;
  for (int i = 0; i < 200000; ++i) Line += (i ? "," : "") + std::to_string(i % 10);
  const String F = TempFile("wide.csv");
  WriteBytes(F, Line + "\r\n");
  Grid->LoadFromCSV(F);
  EXPECT_EQ(Grid->ColCount(), 200000);
  EXPECT_EQ(Grid->RowCount(), 1);
  EXPECT_EQ(Grid->Cells(199999, 0), u"9");
  EXPECT_EQ(Grid->Cells(12345, 0), u"5");
}

TEST_F(ExGridTextFilesTest, CsvLoadSizesTheGridToTheLinesRead) {
  Grid->SetColCount(4);
  Grid->SetRowCount(10);
  Grid->SetCells(3, 1, u"kept");
  const String F = TempFile("size.csv");
  WriteBytes(F, "a,b\r\nc,d,e,f,g\r\n");
  Grid->LoadFromCSV(F);
  EXPECT_EQ(Grid->RowCount(), 2);  // the rows below the loaded ones are gone
  EXPECT_EQ(Grid->ColCount(), 5);  // the columns only grow
  EXPECT_EQ(RowTexts(0, 4), (Texts{u"a", u"b", u"", u""}));
  EXPECT_EQ(RowTexts(1, 5), (Texts{u"c", u"d", u"e", u"f", u"g"}));
  // Without the fixed cells in the save range the data starts below and right of them.
  Grid->SetSaveFixedCells(false);
  Grid->SetCells(0, 0, u"corner");
  WriteBytes(F, "x,y\r\n");
  Grid->LoadFromCSV(F);
  EXPECT_EQ(Grid->RowCount(), 2);
  EXPECT_EQ(RowTexts(0, 1), Texts{u"corner"});
  EXPECT_EQ(RowTexts(1, 3), (Texts{u"c", u"x", u"y"}));
}

TEST_F(ExGridTextFilesTest, CsvRowLimitsAndTheHeaderLine) {
  struct Case {
    const char* Name;
    bool LoadFirstRow;
    Integer MaxRows;
    Texts FirstColumn;
  };
  const Case Cases[] = {
      {"all lines", true, -1, {u"h", u"1", u"2", u"3", u"4"}},
      {"two lines", true, 2, {u"h", u"1"}},
      {"header skipped and not counted", false, 2, {u"1", u"2"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetLoadFirstRow(C.LoadFirstRow);
    const String F = TempFile("limits.csv");
    WriteBytes(F, "h;x\r\n1;a\r\n2;b\r\n3;c\r\n4;d\r\n");
    Grid->LoadFromCSV(F, C.MaxRows);
    Texts Got;
    for (Integer r = 0; r < Grid->RowCount(); ++r) Got.push_back(Grid->Cells(0, r));
    EXPECT_EQ(Got, C.FirstColumn);
    EXPECT_EQ(Grid->Cells(1, 0), C.LoadFirstRow ? u"x" : u"a");  // the semicolon was found on the header too
  }
}

TEST_F(ExGridTextFilesTest, CsvInsertAppendsBelowTheRows) {
  Grid->SetColCount(2);
  Grid->SetRowCount(5);
  Grid->SetCells(0, 4, u"last");
  const String F = TempFile("insert.csv");
  WriteBytes(F, "a,b\r\nc,d\r\n");
  Grid->InsertFromCSV(F);
  EXPECT_EQ(Grid->RowCount(), 7);
  EXPECT_EQ(Grid->Cells(0, 4), u"last");
  EXPECT_EQ(RowTexts(5, 2), (Texts{u"a", u"b"}));
  EXPECT_EQ(RowTexts(6, 2), (Texts{u"c", u"d"}));
}

TEST_F(ExGridTextFilesTest, CsvInsertKeepsTheFooterRowLast) {
  Grid->SetColCount(2);
  Grid->SetRowCount(4);
  Grid->SetCells(0, 1, u"r1");
  Grid->SetCells(0, 2, u"r2");
  Grid->SetCells(1, 3, u"total");
  Grid->FloatingFooter()->SetVisible(true);  // fsFixedLastRow: the last row is the footer
  const String F = TempFile("footer.csv");
  WriteBytes(F, "a,b\r\nc,d\r\n");
  Grid->InsertFromCSV(F);
  EXPECT_EQ(Grid->RowCount(), 6);
  EXPECT_EQ(Grid->Cells(0, 2), u"r2");
  EXPECT_EQ(RowTexts(3, 2), (Texts{u"a", u"b"}));
  EXPECT_EQ(RowTexts(4, 2), (Texts{u"c", u"d"}));
  EXPECT_EQ(Grid->Cells(1, 5), u"total");
}

TEST_F(ExGridTextFilesTest, CsvLoadWithAFooterThatIsNoRowKeepsTheLastDataRow) {
  Grid->SetColCount(2);
  Grid->SetRowCount(3);
  Grid->FloatingFooter()->SetFooterStyle(fsColumnPreview);
  Grid->FloatingFooter()->SetVisible(true);
  const String F = TempFile("preview.csv");
  WriteBytes(F, "a,b\r\nc,d\r\ne,f\r\n");
  Grid->LoadFromCSV(F);
  EXPECT_EQ(Grid->RowCount(), 3);
  EXPECT_EQ(RowTexts(2, 2), (Texts{u"e", u"f"}));
}

TEST_F(ExGridTextFilesTest, CsvEmptyInputsAndTheCellHook) {
  const String F = TempFile("empty.csv");
  WriteBytes(F, "");
  Grid->SetCells(1, 1, u"stays");
  Grid->LoadFromCSV(F);  // a zero-byte file changes nothing
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(Grid->Cells(1, 1), u"stays");
  TStringStream Empty("");
  try {
    Grid->LoadFromCSVStream(&Empty);
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"File is empty");
  }
  EXPECT_THROW(Grid->LoadFromCSV(TempFile("missing.csv")), EFOpenError);
  // Every loaded field passes OnLoadCell; the stream is read from its position.
  Grid->OnLoadCell = [](TObject*, Integer, Integer, String& V) { V = u"<" + V + u">"; };
  TStringStream S("skip\r\nx,y\r\n");
  S.SetPosition(6);
  Grid->LoadFromCSVStream(&S);
  EXPECT_EQ(RowTexts(0, 2), (Texts{u"<x>", u"<y>"}));
  // A hook that refuses a cell stops the read; the guessed delimiter is not kept.
  Grid->OnLoadCell = [](TObject*, Integer, Integer, String& V) {
    if (V == u"2") throw Exception(u"refused");
  };
  TStringStream Refused("a;b\r\n1;2\r\n");
  EXPECT_THROW(Grid->LoadFromCSVStream(&Refused), Exception);
  EXPECT_EQ(Grid->Delimiter(), 0);
}

TEST_F(ExGridTextFilesTest, CsvReaderReportsProgressWithThePrePass) {
  Grid->SetColCount(2);
  Grid->SetRowCount(2);
  std::vector<int> Seen;
  Grid->OnFileProgress = [&Seen](TObject*, int16_t P) { Seen.push_back(P); };
  const String F = TempFile("readprogress.csv");
  WriteBytes(F, "a\r\nb\r\nc\r\nd\r\n");
  Grid->LoadFromCSV(F);
  EXPECT_EQ(Seen, (std::vector<int>{25, 50, 75, 100}));
  EXPECT_EQ(Grid->RowCount(), 4);
}

// --- Fixed-width files ---------------------------------------------------------------------------

TEST_F(ExGridTextFilesTest, FixedWidthFileMatchesTheGoldenFileAndKeepsTheWidths) {
  FillSample(Grid, u"two");
  TIntList Widths(0, 0);
  const String F = TempFile("fixed.txt");
  Grid->SaveToFixed(F, &Widths);
  EXPECT_EQ(ReadBytes(F), Fixture("cells-fixed.txt"));
  EXPECT_EQ(Widths.StrValue(), u"2,5,9");
  // A given width cuts longer texts and pads shorter ones.
  Grid->SetCells(1, 0, u"abcdef");
  Grid->SetCells(1, 1, u"x");
  TIntList Three(0, 0);
  Three.SetStrValue(u"1,3,1");
  Grid->SaveToFixed(F, &Three);
  EXPECT_EQ(ReadBytes(F), " abcN\r\n1x  s\r\n2two \r\n");
}

TEST_F(ExGridTextFilesTest, FixedWidthFileReadsFieldsBetweenTheBoundaries) {
  const String F = TempFile("fixedin.txt");
  WriteBytes(F, "ab  cd  tail\r\n12345678\r\n x   y  \r\n");
  struct Case {
    const char* Name;
    bool DoTrim;
    Integer MaxRows;
    std::vector<Texts> Rows;  // columns 0 and 1 of rows 0..
  };
  const Case Cases[] = {
      {"trimmed, all lines", true, -1, {{u"ab", u"cd"}, {u"1234", u"5678"}, {u"x", u"y"}}},
      {"untrimmed", false, -1, {{u"ab  ", u"cd  "}, {u"1234", u"5678"}, {u" x  ", u" y  "}}},
      {"two lines", true, 2, {{u"ab", u"cd"}, {u"1234", u"5678"}}},
      {"zero reads one line", true, 0, {{u"ab", u"cd"}}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetRowCount(2);
    for (Integer r = 0; r < 2; ++r) Grid->SetCells(0, r, u"");
    TIntList P(0, 0);
    P.SetStrValue(u"9,1,5");  // sorted before use
    Grid->LoadFromFixed(F, &P, C.DoTrim, C.MaxRows);
    EXPECT_EQ(P.StrValue(), u"1,5,9");
    EXPECT_EQ(Grid->ColCount(), Grid->FixedCols() + 2);
    for (size_t r = 0; r < C.Rows.size(); ++r) EXPECT_EQ(RowTexts(static_cast<Integer>(r), 2), C.Rows[r]) << r;
  }
  TIntList P(0, 0);
  try {
    Grid->LoadFromFixed(TempFile("nofile.txt"), &P, true, -1);
    FAIL() << "no exception";
  } catch (const EStringGridError& E) {
    EXPECT_EQ(E.Message(), u"File " + TempFile("nofile.txt") + u" not found");
  }
}

TEST_F(ExGridTextFilesTest, MaxCharsInColCountsLinesWithMultilineCells) {
  Grid->SetCells(1, 1, u"abc\r\nabcdefg");
  Grid->SetCells(1, 2, u"abcd");
  EXPECT_EQ(Grid->GetMaxCharsInCol(1), 4);
  Grid->SetMultilinecells(true);
  EXPECT_EQ(Grid->GetMaxCharsInCol(1), 7);
  EXPECT_EQ(Grid->GetMaxCharsInCol(2), 0);
}

// --- The grid stream ------------------------------------------------------------------------------

TEST_F(ExGridTextFilesTest, GridStreamMatchesTheGoldenBytesAndReadsBack) {
  FillSample(Grid, u"two\r\nlines");
  for (Integer c = 0; c < 3; ++c) Grid->SetColWidths(c, 64);
  TMemoryStream S;
  Grid->SaveToStream(&S);
  EXPECT_EQ(S.Bytes(), Fixture("cells-stream.bin"));

  TExStringGrid Other(Form);
  Other.SetParent(Form);
  Other.SetColWidths(1, 20);
  Other.SetMultilinecells(true);
  S.SetPosition(0);
  Other.LoadFromStream(&S);
  EXPECT_EQ(Other.ColCount(), 3);
  EXPECT_EQ(Other.RowCount(), 3);
  EXPECT_EQ(Other.ColWidths(1), 64);
  EXPECT_EQ(Other.Cells(1, 2), u"two\r\nlines");
  EXPECT_EQ(Other.Cells(2, 1), u"say \"hi\"");
  // Without MultilineCells only the first line comes back.
  Other.SetMultilinecells(false);
  S.SetPosition(0);
  Other.LoadFromStream(&S);
  EXPECT_EQ(Other.Cells(1, 2), u"two");
}

TEST_F(ExGridTextFilesTest, GridStreamEdgeCases) {
  // A lone CR is masked but not unmasked: there is no character 8 to show a masked text.
  Grid->SetColCount(2);
  Grid->SetRowCount(2);
  Grid->SetCells(1, 1, u"a\rb");
  Grid->SetMultilinecells(true);
  TMemoryStream S;
  Grid->SaveToStream(&S);
  // Data of the caller's own after the grid's lines stays where it is.
  const std::string Tail = std::string("n\0o\0\r\0\n\0", 8);
  S.WriteBuffer(Tail);
  const Int64 TailAt = S.Size() - 8;
  Grid->SetCells(1, 1, u"");
  S.SetPosition(0);
  Grid->LoadFromStream(&S);
  EXPECT_EQ(Grid->Cells(1, 1), String(u"a\tb"));
  EXPECT_EQ(S.Position(), TailAt);

  // An empty stream changes nothing but tells of the change.
  Integer Changes = 0;
  Grid->OnCellsChanged = [&Changes](TObject*, TRect) { ++Changes; };
  TMemoryStream Empty;
  Grid->LoadFromStream(&Empty);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Grid->ColCount(), 2);

  // A number that is not one stops the read with the conversion error.
  TStringStream Bad(String(u"2,2\r\nx,1,t\r\n"), TEncoding::Unicode);
  EXPECT_THROW(Grid->LoadFromStream(&Bad), EConvertError);

  // A header with counts no grid has is refused before the grid changes.
  const struct {
    const char* Name;
    const char16_t* Header;
  } Damaged[] = {
      {"negative column count", u"-3,2\r\n"},
      {"negative row count", u"2,-1\r\n"},
      {"huge column count", u"2000000000,2\r\n"},
      {"huge row count", u"2,2000000000\r\n"},
  };
  for (const auto& D : Damaged) {
    SCOPED_TRACE(D.Name);
    Grid->SetColCount(3);
    Grid->SetRowCount(4);
    TStringStream Header{String(D.Header), TEncoding::Unicode};
    EXPECT_THROW(Grid->LoadFromStream(&Header), EReadError);
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->RowCount(), 4);
  }
}

}  // namespace
