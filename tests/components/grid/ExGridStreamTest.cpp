// The string grid's save range, used cells, binary cell stream and grid text file.
#include <gtest/gtest.h>

#include <cstring>

#include "components/grid/ExGridBinStream.h"
#include "components/grid/ExGridGraphics.h"
#include "components/gridbase/ExObj.h"
#include "ExGridIOTestUtil.h"

using namespace GridIOTest;

namespace {

// A grid that records its export notifications and its file progress.
class TRecordingGrid : public TExStringGrid {
 public:
  explicit TRecordingGrid(TComponent* AOwner) : TExStringGrid(AOwner) {
    OnFileProgress = [this](TObject*, int16_t P) { Progress.push_back(P); };
  }
  void ExportNotification(TGridExportState AState, Integer ARow) override {
    Notes.push_back({AState, ARow});
  }
  std::vector<std::pair<TGridExportState, Integer>> Notes;
  std::vector<Integer> Progress;
};

std::string Utf16BE(const std::u16string& S) {
  std::string B;
  for (char16_t C : S) {
    B += static_cast<char>(C >> 8);
    B += static_cast<char>(C & 0xFF);
  }
  return B;
}

class ExGridStreamTest : public GridIOFixture {
 protected:
  // A grid of 3 columns and 3 rows with the given widths, one fixed row and column.
  void Small(TExStringGrid* G) {
    G->SetColCount(3);
    G->SetRowCount(3);
    G->SetColWidths(0, 20);
    G->SetColWidths(1, 30);
    G->SetColWidths(2, 40);
  }
  std::string StreamOf(TExStringGrid* G, TRect R) {
    TMemoryStream M;
    G->SaveRectToBinStream(R, &M);
    return M.Bytes();
  }
  void Load(TExStringGrid* G, TPoint P, const std::string& Bytes) {
    TStringStream M(Bytes);
    G->LoadAtPointFromBinStream(P, &M);
  }
  // The golden stream with the writing grid's window handle as its ID (the file holds 0).
  std::string WithID(const std::string& Golden, TExStringGrid* G) {
    const std::string Zero = std::string("\x02ID\x02\x00", 5);
    const size_t At = Golden.find(Zero);
    EXPECT_NE(At, std::string::npos);
    const int32_t ID = static_cast<int32_t>(G->Handle());
    std::string Value;
    if (ID >= -128 && ID <= 127) {
      Value = std::string(1, '\x02') + static_cast<char>(ID);
    } else if (ID >= -32768 && ID <= 32767) {
      Value = std::string(1, '\x03') + static_cast<char>(ID & 0xFF) + static_cast<char>((ID >> 8) & 0xFF);
    } else {
      Value = std::string(1, '\x04');
      for (int i = 0; i < 4; ++i) Value += static_cast<char>((ID >> (8 * i)) & 0xFF);
    }
    return Golden.substr(0, At + 3) + Value + Golden.substr(At + 5);
  }
};

// --- Save range and used cells ---------------------------------------------------------------------

TEST_F(ExGridStreamTest, SaveRangeFollowsTheFixedCellSwitches) {
  struct Case {
    const char* Name;
    bool FixedCells, FixedRows, FixedCols;
    Integer StartCol, StartRow, EndCol, EndRow, ColCount, RowCount;
  };
  // 6 columns (1 fixed, 1 fixed at the right), 8 rows (2 fixed, 1 fixed footer).
  const Case Cases[] = {
      {"fixed cells", true, false, false, 0, 0, 5, 7, 6, 8},
      {"normal cells only", false, false, false, 1, 2, 4, 6, 4, 5},
      {"fixed rows", false, true, false, 1, 0, 4, 7, 4, 8},
      {"fixed columns", false, false, true, 0, 2, 5, 6, 6, 5},
  };
  Grid->SetColCount(6);
  Grid->SetRowCount(8);
  Grid->SetFixedRows(2);
  Grid->SetFixedRightCols(1);
  Grid->SetFixedFooters(1);
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetSaveFixedCells(C.FixedCells);
    Grid->SetSaveFixedRows(C.FixedRows);
    Grid->SetSaveFixedCols(C.FixedCols);
    EXPECT_EQ(Grid->SaveStartCol(), C.StartCol);
    EXPECT_EQ(Grid->SaveStartRow(), C.StartRow);
    EXPECT_EQ(Grid->SaveEndCol(), C.EndCol);
    EXPECT_EQ(Grid->SaveEndRow(), C.EndRow);
    EXPECT_EQ(Grid->SaveColCount(), C.ColCount);
    EXPECT_EQ(Grid->SaveRowCount(), C.RowCount);
  }
}

TEST_F(ExGridStreamTest, UsedCellsHoldEveryCellWithText) {
  EXPECT_EQ(Grid->UsedCells(), (TGridRect{0, 0, 0, 0}));
  Grid->SetCells(3, 2, u"a");
  Grid->SetCells(1, 6, u"b");
  Grid->SetCells(2, 4, u"c");
  EXPECT_EQ(Grid->UsedCells(), (TGridRect{1, 2, 3, 6}));
}

// --- Grid text file -------------------------------------------------------------------------------

TEST_F(ExGridStreamTest, TextFileOfAGridWithoutTextHasTheHeaderAndWidthsOnly) {
  Small(Grid);
  Grid->SetRowCount(2);
  Grid->SaveToFile(File("g.txt"));
  EXPECT_EQ(Bytes("g.txt"), ReadBytes(Fixture("textfile_empty.txt")));
}

TEST_F(ExGridStreamTest, TextFileGoldens) {
  struct Case {
    const char* Name;
    const char* Golden;
    bool FixedCells;
    bool Unicode;
    std::vector<std::tuple<Integer, Integer, String>> Cells;
  };
  const Case Cases[] = {
      {"whole grid", "textfile_cells.txt", true, false,
       {{1, 1, u"a,b"}, {2, 1, u"two\r\nlines"}, {0, 2, u"x"}}},
      {"normal cells only", "textfile_normal.txt", false, false,
       {{1, 1, u"a,b"}, {2, 1, u"two\r\nlines"}, {0, 2, u"x"}}},
      {"UTF-16", "textfile_unicode.txt", true, true, {{1, 1, u"\u03a9mega"}, {0, 2, u"x"}}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* G = NewGrid();
    Small(G);
    G->SetSaveFixedCells(C.FixedCells);
    for (const auto& [Col, Row, Text] : C.Cells) G->SetCells(Col, Row, Text);
    G->SaveToFile(File("g.txt"), C.Unicode);
    EXPECT_EQ(Bytes("g.txt"), ReadBytes(Fixture(C.Golden)));
  }
}

TEST_F(ExGridStreamTest, TextFileReading) {
  struct Case {
    const char* Name;
    std::string File;
    bool FixedCells;
    bool Multiline;
    Integer Cols, Rows;
    std::vector<std::tuple<Integer, Integer, String>> Cells;
  };
  const Case Cases[] = {
      {"header sets the counts whatever the fixed counts", "5,10\r\n", true, false, 5, 10, {}},
      {"without fixed cells the fixed counts come back", "2,2\r\n", false, false, 3, 3, {}},
      {"commas stay in the text", "3,3\r\n1,2,a,b\r\n", true, false, 3, 3, {{1, 2, u"a,b"}}},
      {"multi-line text whole", "3,3\r\n1,1,one\x09\x08two\r\n", true, true, 3, 3, {{1, 1, u"one\r\ntwo"}}},
      {"multi-line text first line only", "3,3\r\n1,1,one\x09\x08two\r\n", true, false, 3, 3, {{1, 1, u"one"}}},
      {"a tab in a multi-line text becomes a line break", "3,3\r\n1,1,a\x09" "b\x08\r\n", true, true, 3, 3,
       {{1, 1, u"a\rb\n"}}},
      {"a tab alone stays", "3,3\r\n1,1,a\x09" "b\r\n", true, true, 3, 3, {{1, 1, u"a\tb"}}},
      {"cells outside the grid are skipped", "2,2\r\n2,0,x\r\n0,2,y\r\n1,1,z\r\n", true, false, 2, 2,
       {{1, 1, u"z"}, {0, 0, u""}}},
      {"missing numbers read as 0", "3,3\r\nlonely\r\n", true, false, 3, 3, {{0, 0, u"lonely"}}},
      {"the grid keeps a column and a row", "0,0\r\n", true, false, 1, 1, {}},
      {"UTF-8 with its mark", "\xEF\xBB\xBF" "2,2\r\n1,1,\xC3\xA9t\xC3\xA9\r\n", true, false, 2, 2,
       {{1, 1, u"\u00e9t\u00e9"}}},
      {"UTF-16BE with its mark", Utf16BE(u"\uFEFF2,2\r\n1,1,\u03a9\r\n"),
       true, false, 2, 2, {{1, 1, u"\u03a9"}}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* G = NewGrid();
    G->SetSaveFixedCells(C.FixedCells);
    G->SetMultilinecells(C.Multiline);
    WriteBytes(Folder / "g.txt", C.File);
    G->LoadFromFile(File("g.txt"));
    EXPECT_EQ(G->ColCount(), C.Cols);
    EXPECT_EQ(G->RowCount(), C.Rows);
    for (const auto& [Col, Row, Text] : C.Cells) EXPECT_EQ(G->Cells(Col, Row), Text) << Col << "," << Row;
  }
}

TEST_F(ExGridStreamTest, TextFileWidthLinesInsideTheColumnsOnly) {
  WriteBytes(Folder / "g.txt", "3,2\r\ncw 0,11\r\ncw 2,33\r\ncw 3,44\r\ncw 99,55\r\n");
  Grid->LoadFromFile(File("g.txt"));
  EXPECT_EQ(Grid->ColWidths(0), 11);
  EXPECT_EQ(Grid->ColWidths(2), 33);
  EXPECT_EQ(Grid->ColCount(), 3);
}

TEST_F(ExGridStreamTest, TextFileRoundTripKeepsLineFeedsAndLineBreaks) {
  Grid->SetMultilinecells(true);
  const String Texts[] = {u"plain", u"a,b,c", u"two\r\nlines", u"feed\nonly", u"three\r\nshort\r\nlines"};
  for (Integer i = 0; i < 5; ++i) Grid->SetCells(1, i + 1, Texts[i]);
  Grid->SaveToFile(File("g.txt"));
  auto* Other = NewGrid();
  Other->SetMultilinecells(true);
  Other->LoadFromFile(File("g.txt"));
  for (Integer i = 0; i < 5; ++i) EXPECT_EQ(Other->Cells(1, i + 1), Texts[i]);
  // No text breaks its line: one header, five width lines, five cell lines.
  const std::string B = Bytes("g.txt");
  EXPECT_EQ(std::count(B.begin(), B.end(), '\n'), 11);
}

TEST_F(ExGridStreamTest, TextFileOfAGridWithAHiddenColumn) {
  Grid->SetFixedCols(0);
  Grid->SetColCount(3);
  Grid->SetRowCount(2);
  Grid->SetFixedRows(0);
  Grid->SetCells(0, 0, u"a");
  Grid->SetCells(1, 0, u"b");
  Grid->SetCells(2, 0, u"c");
  Grid->SetColWidths(0, 10);
  Grid->SetColWidths(1, 20);
  Grid->SetColWidths(2, 30);
  Grid->HideColumn(1);
  // The shown columns at their shown places.
  Grid->SaveToFile(File("g.txt"));
  EXPECT_EQ(Bytes("g.txt"), "2,2\r\ncw 0,10\r\ncw 1,30\r\n0,0,a\r\n1,0,c\r\n");
  // Every real column, the hidden one at the default width.
  Grid->SetSaveHiddenCells(true);
  Grid->SaveToFile(File("g.txt"));
  EXPECT_EQ(Bytes("g.txt"), "3,2\r\ncw 0,10\r\ncw 1,30\r\ncw 2," + std::to_string(Grid->DefaultColWidth()) +
                                "\r\n0,0,a\r\n1,0,b\r\n2,0,c\r\n");
}

TEST_F(ExGridStreamTest, TextFileThatCannotBeReadOrIsTooLargeChangesNothing) {
  Grid->SetCells(1, 1, u"kept");
  EXPECT_THROW(Grid->LoadFromFile(File("missing.txt")), EFOpenError);
  WriteBytes(Folder / "g.txt", "3,99999999\r\n1,1,x\r\n");
  EXPECT_THROW(Grid->LoadFromFile(File("g.txt")), EReadError);
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(Grid->Cells(1, 1), u"kept");
}

TEST_F(ExGridStreamTest, TextFileReportsRowsAndProgress) {
  auto* G = new TRecordingGrid(Form);
  G->SetParent(Form);
  Small(G);
  G->SetCells(1, 1, u"a");
  G->SaveToFile(File("g.txt"));
  const std::vector<std::pair<TGridExportState, Integer>> Expected = {
      {esExportStart, 0}, {esExportNextRow, 0}, {esExportNextRow, 1}, {esExportNextRow, 2}, {esExportDone, -1}};
  EXPECT_EQ(G->Notes, Expected);
  EXPECT_EQ(G->Progress, (std::vector<Integer>{0, 50, 100}));
}

// --- Binary cell stream ----------------------------------------------------------------------------

TEST_F(ExGridStreamTest, BinaryStreamOfPlainCells) {
  Grid->SetColWidths(0, 30);
  Grid->SetColWidths(1, 40);
  Grid->SetRowHeights(0, 20);
  Grid->SetCells(0, 0, u"a");
  Grid->SetCells(1, 0, u"b");
  EXPECT_EQ(StreamOf(Grid, TRect(0, 0, 1, 0)), WithID(ReadBytes(Fixture("cells_text.bin")), Grid));
}

TEST_F(ExGridStreamTest, BinaryStreamOfPropertiesAndACheckBox) {
  Grid->SetColWidths(1, 40);
  Grid->SetColWidths(2, 50);
  Grid->SetRowHeights(1, 20);
  Grid->SetCells(1, 1, u"x");
  TCellProperties* P = Grid->GetCellProperties(1, 1);
  P->SetAlignment(taRightJustify);
  P->SetBorderColor(clRed);
  P->SetBorderWidth(2);
  P->SetBrushColor(clYellow);
  P->SetBrushColorTo(clBlue);  // not carried
  P->SetBrushStyle(bsSolid);
  P->SetFontColor(0x123456);
  P->SetFontName(u"Arial");
  P->SetFontSize(10);
  P->SetFontStyle(TFontStyles{fsBold, fsItalic});
  P->SetEditor(edComboList);
  P->SetReadOnly(true);
  P->SetVAlignment(vtaCenter);
  P->SetWordWrap(false);

  Grid->AddCheckBox(2, 1, true, false);
  TCellProperties* Q = Grid->GetCellProperties(2, 1);
  Q->SetAlignment(taLeftJustify);
  Q->SetBorderColor(clNone);
  Q->SetBorderWidth(1);
  Q->SetBrushColor(clNone);
  Q->SetFontColor(clNone);
  Q->SetFontName(u"");
  Q->SetFontSize(0);
  Q->SetFontStyle(TFontStyles{});
  Q->SetEditor(edNormal);
  Q->SetReadOnly(false);
  Q->SetVAlignment(vtaTop);
  Q->SetWordWrap(true);
  TCellGraphic* G = Grid->GetCellGraphic(2, 1);
  ASSERT_EQ(G->CellType(), ctCheckBox);
  G->SetCellVAlign(vaCenter);
  G->SetCellHAlign(haCenter);
  G->SetCellIndex(0);
  G->SetCellTransparent(false);
  G->SetCellCreated(false);
  G->SetCellAngle(0);
  G->SetCellValue(0);
  G->SetCellErrFrom(0);
  G->SetCellErrLen(0);
  G->SetCellText(u"");
  EXPECT_EQ(StreamOf(Grid, TRect(1, 1, 2, 1)), WithID(ReadBytes(Fixture("cells_props.bin")), Grid));
}

TEST_F(ExGridStreamTest, BinaryStreamTextForms) {
  struct Case {
    const char* Name;
    String Text;
    Byte Tag;
  };
  const Case Cases[] = {
      {"short ASCII", u"abc", 6},
      {"long ASCII", String(256, u'x'), 12},
      {"one accented letter is UTF-16", u"\u00e9", 18},
      {"mostly ASCII is UTF-8", u"a\u00e9", 20},
      {"far characters are UTF-16", u"\u65e5\u672c", 18},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(1, 1, C.Text);
    const std::string S = StreamOf(Grid, TRect(1, 1, 1, 1));
    const size_t At = S.find("\x04" "Cell");
    ASSERT_NE(At, std::string::npos);
    EXPECT_EQ(static_cast<Byte>(S[At + 5]), C.Tag);
    auto* Other = NewGrid();
    Load(Other, TPoint(2, 3), S);
    EXPECT_EQ(Other->Cells(2, 3), C.Text);
  }
}

TEST_F(ExGridStreamTest, BinaryStreamFloatsAreExtended) {
  struct Case {
    const char* Name;
    double Value;
    const char* Bytes;
  };
  const Case Cases[] = {
      {"one", 1.0, "\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F"},
      {"two and a half", 2.5, "\x00\x00\x00\x00\x00\x00\x00\xA0\x00\x40"},
      {"minus a half", -0.5, "\x00\x00\x00\x00\x00\x00\x00\x80\xFE\xBF"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->AddCheckBox(1, 1, false, false);
    Grid->GetCellGraphic(1, 1)->SetCellValue(C.Value);
    const std::string S = StreamOf(Grid, TRect(1, 1, 1, 1));
    const size_t At = S.find("CellGraphic.CellValue");
    ASSERT_NE(At, std::string::npos);
    EXPECT_EQ(S.substr(At + 21, 11), std::string(1, '\x05') + std::string(C.Bytes, 10));
    auto* Other = NewGrid();
    Load(Other, TPoint(1, 1), S);
    EXPECT_EQ(Other->GetCellGraphic(1, 1)->CellValue(), C.Value);
  }
}

TEST_F(ExGridStreamTest, BinaryStreamCarriesPropertiesGraphicsAndPictures) {
  Grid->SetCells(1, 1, u"text");
  Grid->SetColors(1, 1, clRed);
  Grid->SetFontStyles(1, 1, TFontStyles{fsBold});
  Grid->AddCheckBox(2, 1, true, false);
  TBitmap* B = Grid->CreateBitmap(3, 1, false, haLeft, vaTop);
  B->SetSize(4, 3);
  B->Canvas()->Brush()->SetColor(clBlue);
  B->Canvas()->FillRect(TRect(0, 0, 4, 3));
  TStrings* Radio = Grid->CreateRadio(1, 2, 0, 1);
  Radio->Add(u"one");
  Radio->Add(u"two");
  Grid->SetGridImages(new TImageList(Form, 16, 16));
  Grid->AddMultiImage(2, 2, 0, haLeft, vaTop);
  Grid->CellImages(2, 2)->Add(3);
  Grid->CellImages(2, 2)->Add(1);
  TPicture* Pic = Grid->CreatePicture(3, 2, false, 0, 0, haLeft, vaTop);
  TBitmap PB(2, 2);
  Pic->SetGraphic(&PB);
  Grid->CreateFilePicture(4, 2, false, 0, 0, haLeft, vaTop);
  Grid->MergeCells(1, 3, 2, 1);
  Grid->SetCells(1, 3, u"merged");

  TMemoryStream M;
  Grid->SaveToBinStream(&M);
  M.SetPosition(0);
  auto* Other = NewGrid();
  Other->LoadFromBinStream(&M);
  EXPECT_EQ(Other->Cells(1, 1), u"text");
  EXPECT_EQ(Other->Colors(1, 1), clRed);
  EXPECT_EQ(Other->FontStyles(1, 1), (TFontStyles{fsBold}));
  EXPECT_TRUE(Other->IsChecked(2, 1));
  ASSERT_NE(Other->GetBitmap(3, 1), nullptr);
  EXPECT_EQ(Other->GetBitmap(3, 1)->Width(), 4);
  EXPECT_EQ(Other->GetBitmap(3, 1)->Canvas()->Pixels(1, 1), clBlue);
  ASSERT_NE(Other->GetRadioStrings(1, 2), nullptr);
  EXPECT_EQ(Other->GetRadioStrings(1, 2)->Text(), u"one\r\ntwo\r\n");
  ASSERT_NE(Other->CellImages(2, 2), nullptr);
  EXPECT_EQ(Other->CellImages(2, 2)->StrValue(), u"3,1");
  ASSERT_NE(Other->GetPicture(3, 2), nullptr);
  EXPECT_EQ(Other->GetPicture(3, 2)->Width(), 2);
  EXPECT_NE(Other->GetFilePicture(4, 2), nullptr);
  EXPECT_TRUE(Other->IsMergedNonBaseCell(2, 3));
  EXPECT_EQ(Other->Cells(2, 3), u"merged");
}

TEST_F(ExGridStreamTest, FilePictureWhoseFileIsGoneKeepsItsName) {
  TFilePicture* P = Grid->CreateFilePicture(1, 1, false, 0, 0, haLeft, vaTop);
  try {
    P->SetFilename(File("gone.bmp"));
  } catch (const Exception&) {
  }
  TMemoryStream M;
  Grid->SaveRectToBinStream(TRect(1, 1, 1, 1), &M);
  M.SetPosition(0);
  auto* Other = NewGrid();
  Other->LoadAtPointFromBinStream(TPoint(1, 1), &M);
  ASSERT_NE(Other->GetFilePicture(1, 1), nullptr);
  EXPECT_EQ(Other->GetFilePicture(1, 1)->Filename(), File("gone.bmp"));
}

TEST_F(ExGridStreamTest, BinaryStreamPlacement) {
  for (Integer r = 0; r < 4; ++r)
    for (Integer c = 0; c < 4; ++c) Grid->SetCells(c, r, IntToStr(c) + u"," + IntToStr(r));
  // A rectangle's first cell lands at the point whatever its saved place.
  auto* A = NewGrid();
  Load(A, TPoint(3, 5), StreamOf(Grid, TRect(1, 2, 2, 3)));
  EXPECT_EQ(A->Cells(3, 5), u"1,2");
  EXPECT_EQ(A->Cells(4, 6), u"2,3");
  EXPECT_EQ(A->Cells(1, 2), u"");

  // A whole-grid stream puts every cell at its saved place plus the point.
  Grid->SetColCount(4);
  Grid->SetRowCount(4);
  auto* B = NewGrid();
  TMemoryStream M;
  Grid->SaveToBinStream(&M);
  M.SetPosition(0);
  B->LoadAtPointFromBinStream(TPoint(0, 1), &M);
  EXPECT_EQ(B->ColCount(), 4);
  EXPECT_EQ(B->RowCount(), 4);
  EXPECT_EQ(B->Cells(1, 2), u"1,1");
  EXPECT_EQ(B->Cells(0, 0), u"");
}

TEST_F(ExGridStreamTest, BinaryStreamOfShownColumns) {
  for (Integer c = 0; c < 4; ++c) Grid->SetCells(c, 1, String(1, Char(u'A' + c)));
  Grid->SetColors(3, 1, clRed);
  Grid->HideColumn(1);
  // Shown columns 1 and 2 are the real columns 2 and 3.
  const std::string S = StreamOf(Grid, TRect(1, 1, 2, 1));
  auto* Other = NewGrid();
  Other->HideColumn(2);
  Load(Other, TPoint(1, 1), S);
  EXPECT_EQ(Other->Cells(1, 1), u"C");
  EXPECT_EQ(Other->Cells(3, 1), u"D");
  EXPECT_EQ(Other->Colors(3, 1), clRed);
  EXPECT_EQ(Other->Cells(2, 1), u"");
}

TEST_F(ExGridStreamTest, BinaryStreamKeepsCoordinatesTo16Bits) {
  Grid->SetColCount(65538);
  Grid->SetCells(65537, 1, u"far");
  const std::string S = StreamOf(Grid, TRect(65537, 1, 65537, 1));
  const size_t At = S.find("\x03" "Col");
  ASSERT_NE(At, std::string::npos);
  // 65537 & 0xFFFF = 1.
  EXPECT_EQ(S.substr(At + 4, 2), std::string("\x02\x01", 2));
}

TEST_F(ExGridStreamTest, DamagedBinaryStreamsStopTheLoad) {
  Grid->SetCells(1, 1, u"a");
  Grid->SetCells(2, 1, u"b");
  const std::string Good = StreamOf(Grid, TRect(1, 1, 2, 1));
  struct Case {
    const char* Name;
    std::string Bytes;
    const char16_t* First;  // the first cell after the load
  };
  std::string Unknown = Good;
  Unknown.replace(Unknown.rfind("HasProp"), 7, "HasPro?");
  std::string Truncated = Good.substr(0, Good.size() - 6);
  const Case Cases[] = {
      {"no component record", "XPF0" + Good.substr(4), u""},
      {"a property the carrier lacks", Unknown, u"a"},
      {"cut short", Truncated, u"a"},
      {"empty", "", u""},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* G = NewGrid();
    EXPECT_THROW(Load(G, TPoint(1, 1), C.Bytes), EReadError);
    EXPECT_EQ(G->Cells(1, 1), C.First);
  }
}

TEST_F(ExGridStreamTest, WholeGridStreamWithImpossibleCountsLeavesTheGrid) {
  std::string Bytes = StreamOf(Grid, TRect(0, 0, Grid->ColCount() - 1, Grid->RowCount() - 1));
  // The count of rows becomes 30000, more records than the stream holds.
  const size_t At = Bytes.find("\x08RowCount");
  ASSERT_NE(At, std::string::npos);
  Bytes.replace(At + 9, 2, std::string("\x03\x30\x75", 3));
  auto* G = NewGrid();
  G->SetCells(1, 1, u"kept");
  EXPECT_THROW(Load(G, TPoint(0, 0), Bytes), EReadError);
  EXPECT_EQ(G->RowCount(), 10);
  EXPECT_EQ(G->Cells(1, 1), u"kept");
}

TEST_F(ExGridStreamTest, MergedAreaReachingOutOfTheGridBecomesAPlainCell) {
  Grid->MergeCells(2, 1, 3, 1);
  Grid->SetCells(2, 1, u"wide");
  const std::string S = StreamOf(Grid, TRect(2, 1, 4, 1));
  auto* G = NewGrid();
  // Loaded at the last column the area would reach two columns past the grid.
  Load(G, TPoint(4, 1), S);
  EXPECT_EQ(G->Cells(4, 1), u"wide");
  EXPECT_FALSE(G->IsMergedCell(4, 1));
}

TEST_F(ExGridStreamTest, BinaryStreamReportsRowsAndProgressWithinTheRectangle) {
  auto* G = new TRecordingGrid(Form);
  G->SetParent(Form);
  TMemoryStream M;
  G->SaveRectToBinStream(TRect(1, 3, 1, 5), &M);
  const std::vector<std::pair<TGridExportState, Integer>> Expected = {
      {esExportStart, 3}, {esExportNextRow, 3}, {esExportNextRow, 4}, {esExportNextRow, 5}, {esExportDone, -1}};
  EXPECT_EQ(G->Notes, Expected);
  EXPECT_EQ(G->Progress, (std::vector<Integer>{0, 50, 100}));
}

TEST_F(ExGridStreamTest, BinaryFilesAndNodeCount) {
  Grid->SetCells(1, 1, u"one");
  Grid->AddNode(2, 2);
  Grid->SaveToBinFile(File("g.bin"));
  auto* Other = NewGrid();
  Other->LoadFromBinFile(File("g.bin"));
  EXPECT_EQ(Other->Cells(1, 1), u"one");
  EXPECT_EQ(Other->NumNodes(), 1);
  EXPECT_THROW(Other->LoadFromBinFile(File("missing.bin")), EFOpenError);
}

}  // namespace
