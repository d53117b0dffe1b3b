// The string grid's arrangement and look kept between runs: the column-state string, column widths
// and order in an INI file or the registry stand-in, the visual-properties file and the
// print-settings INI file.
#include <gtest/gtest.h>

#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridIOUtil.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridPrintSettings.h"
#include "components/grid/ExGridSortSettings.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"
#include "ExGridIOTestUtil.h"

using namespace GridIOTest;

namespace {

class ExGridPersistTest : public GridIOFixture {
 protected:
  void SetColumns(std::initializer_list<Integer> Widths) {
    Grid->SetColCount(static_cast<Integer>(Widths.size()));
    Integer i = 0;
    for (Integer W : Widths) Grid->SetColWidths(i++, W);
  }
  // The cell texts of row 1, left to right.
  String RowText(TExStringGrid* G, Integer ARow = 1) {
    String S;
    for (Integer c = 0; c < G->ColCount(); ++c) S += G->Cells(G->RealColIndex(c), ARow) + u";";
    return S;
  }
};

// --- Column states ------------------------------------------------------------------------------

TEST_F(ExGridPersistTest, ColumnStatesOfPlainColumnsAndTheirApplication) {
  SetColumns({30, 40, 50});
  const String S = Grid->ColumnStatesToString();
  EXPECT_EQ(S, u"3#30,40,50#0,1,2#1,1,1");

  auto* Other = NewGrid();
  ASSERT_EQ(Other->ColCount(), 5);
  Other->StringToColumnStates(S);
  EXPECT_EQ(Other->ColCount(), 3);
  EXPECT_EQ(Other->ColWidths(0), 30);
  EXPECT_EQ(Other->ColWidths(1), 40);
  EXPECT_EQ(Other->ColWidths(2), 50);
}

TEST_F(ExGridPersistTest, ColumnStatesKeepAHiddenColumnAndTheVisibleWidthsInOrder) {
  Grid->SetDefaultColWidth(64);
  SetColumns({64, 50, 80});
  Grid->HideColumn(1);
  const String S = Grid->ColumnStatesToString();
  EXPECT_EQ(S, u"3#64,80,64#0,1,2#1,0,1");

  auto* Other = NewGrid();
  Other->StringToColumnStates(S);
  EXPECT_EQ(Other->ColCount(), 2);
  EXPECT_EQ(Other->NumHiddenColumns(), 1);
  EXPECT_TRUE(Other->IsHiddenColumn(1));
  EXPECT_EQ(Other->ColWidths(0), 64);
  EXPECT_EQ(Other->ColWidths(1), 80);
}

TEST_F(ExGridPersistTest, ColumnStatesBringBackAMovedColumn) {
  SetColumns({10, 20, 30, 40});
  for (Integer c = 0; c < 4; ++c) Grid->SetCells(c, 1, String(1, Char(u'A' + c)));
  Grid->MoveColumn(1, 3);
  const String Moved = RowText(Grid);
  const String S = Grid->ColumnStatesToString();

  auto* Other = NewGrid();
  Other->SetColCount(4);
  for (Integer c = 0; c < 4; ++c) Other->SetCells(c, 1, String(1, Char(u'A' + c)));
  Other->StringToColumnStates(S);
  EXPECT_EQ(RowText(Other), Moved);
}

TEST_F(ExGridPersistTest, MalformedColumnStates) {
  struct Case {
    const char* Name;
    const char16_t* Value;
    bool Raises;
  };
  const Case Cases[] = {
      {"without separator is ignored", u"3,40,50", false},
      {"width that is no number", u"3#40,x,50#0,1,2#1,1,1", true},
      {"order entry that is no number", u"3#40,40,50#0,y,2#1,1,1", true},
      {"count that is no number", u"z#40#0#1", true},
      {"last width that is no number", u"3#40,40,5x#0,1,2#1,1,1", true},
      {"a count past the bound of the grid's files", u"1000000#40#0#1", true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* G = NewGrid();
    if (C.Raises) {
      // A damaged string changes nothing: count, widths, order and hidden columns stay.
      G->SetColWidths(1, 77);
      G->MoveColumn(0, 2);
      G->HideColumn(3);
      const String Before = G->ColumnStatesToString();
      EXPECT_THROW(G->StringToColumnStates(C.Value), EConvertError);
      EXPECT_EQ(G->ColumnStatesToString(), Before);
    } else {
      G->StringToColumnStates(C.Value);
      EXPECT_EQ(G->ColCount(), 5);
    }
  }
}

// --- Column widths and order in the ColumnSize store ---------------------------------------------

TEST_F(ExGridPersistTest, WidthsAndSizesFromEveryReaderAreHeldAtTheBound) {
  // A column of a billion pixels freezes every drawing of the grid: each reader holds it at the
  // bound the grid's files share.
  const Integer Max = GridFileMaxExtent;
  auto Fresh = [this] {
    auto* G = NewGrid();
    G->SetColCount(3);
    return G;
  };
  {
    auto* G = Fresh();
    WriteBytes(Folder / "g.txt", "3,2\r\ncw 2,999999999\r\n");
    G->LoadFromFile(File("g.txt"));
    EXPECT_EQ(G->ColWidths(2), Max) << "grid text file";
  }
  {
    auto* G = Fresh();
    G->SetSaveFixedCells(true);
    TMemoryStream M;
    for (const char16_t* Line : {u"3,2\r\n", u"cw 2,999999999\r\n"})
      M.WriteBuffer(Line, static_cast<Int64>(std::char_traits<char16_t>::length(Line) * 2));
    M.SetPosition(0);
    G->LoadFromStream(&M);
    EXPECT_EQ(G->ColWidths(2), Max) << "grid text stream";
  }
  {
    auto* G = Fresh();
    G->StringToColumnStates(u"3#40,999999999,50#0,1,2#1,1,1");
    EXPECT_EQ(G->ColWidths(1), Max) << "column-state string";
    EXPECT_EQ(G->ColWidths(2), 50);
  }
  {
    auto* G = Fresh();
    WriteBytes(Folder / "cols.ini", "[Grid]\r\nCol1=999999999\r\nCol2=-5\r\n");
    G->ColumnSize()->SetLocation(clIniFile);
    G->ColumnSize()->SetKey(File("cols.ini"));
    G->ColumnSize()->SetSection(u"Grid");
    G->LoadColSizes();
    EXPECT_EQ(G->ColWidths(1), Max) << "column-size store";
    EXPECT_EQ(G->ColWidths(2), 0);
  }
  {
    auto* G = Fresh();
    WriteBytes(Folder / "print.ini", "[P]\r\nFixedWidth=999999999\r\nLeftSize=-999999999\r\nFontSize=999999999\r\n");
    G->LoadPrintSettings(File("print.ini"), u"P");
    EXPECT_EQ(G->PrintSettings()->FixedWidth(), Max) << "print settings";
    EXPECT_EQ(G->PrintSettings()->LeftSize(), -Max);
    EXPECT_EQ(G->PrintSettings()->Font()->Size(), GridFileMaxFontSize);
  }
  {
    // The visual properties stop at the first integer key the file lacks, after the font sizes
    // before it were applied.
    auto* G = Fresh();
    WriteBytes(Folder / "v.txt", "Font.Size=999999999\r\nControlLook.CheckSize=999999999\r\n");
    EXPECT_THROW(G->LoadVisualProps(File("v.txt")), EConvertError);
    EXPECT_EQ(G->Font()->Size(), GridFileMaxFontSize) << "visual properties";
  }
}

TEST_F(ExGridPersistTest, ColumnWidthsGoToTheIniFileInItsLayout) {
  SetColumns({20, 30, 40});
  Grid->ColumnSize()->SetLocation(clIniFile);
  Grid->ColumnSize()->SetKey(File("cols.ini"));
  Grid->ColumnSize()->SetSection(u"Grid");
  Grid->SaveColSizes();
  EXPECT_EQ(Bytes("cols.ini"), ReadBytes(Fixture("colsizes.ini")));

  auto* Other = NewGrid();
  Other->SetColCount(3);
  Other->ColumnSize()->Assign(Grid->ColumnSize());
  Other->LoadColSizes();
  EXPECT_EQ(Other->ColWidths(0), 20);
  EXPECT_EQ(Other->ColWidths(2), 40);
}

TEST_F(ExGridPersistTest, LoadingWidthsKeepsMissingColumnsAndRewritesTheFile) {
  SetColumns({11, 12, 13});
  // LF line ends: the rewrite after the load makes them CR LF.
  WriteBytes(Folder / "cols.ini", "[Grid]\nCol0=21\nCol1=22\n");
  Grid->ColumnSize()->SetLocation(clIniFile);
  Grid->ColumnSize()->SetKey(File("cols.ini"));
  Grid->ColumnSize()->SetSection(u"Grid");
  Grid->LoadColSizes();
  EXPECT_EQ(Grid->ColWidths(0), 21);
  EXPECT_EQ(Grid->ColWidths(1), 22);
  EXPECT_EQ(Grid->ColWidths(2), 13);
  EXPECT_EQ(Bytes("cols.ini"), "[Grid]\r\nCol0=21\r\nCol1=22\r\n");
}

TEST_F(ExGridPersistTest, AnEmptyKeyOrSectionLeavesTheStoreAlone) {
  SetColumns({11, 12});
  Grid->ColumnSize()->SetLocation(clIniFile);
  Grid->ColumnSize()->SetSection(u"Grid");
  Grid->SaveColSizes();
  Grid->LoadColSizes();
  Grid->ColumnSize()->SetKey(File("cols.ini"));
  Grid->ColumnSize()->SetSection(u"");
  Grid->SaveColSizes();
  EXPECT_FALSE(std::filesystem::exists(Folder / "cols.ini"));
  EXPECT_EQ(Grid->ColWidths(1), 12);
}

TEST_F(ExGridPersistTest, ColumnWidthsInTheRegistryKeepTextValuesText) {
  SetRegistryFile(File("registry.ini"));
  {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(Reg.OpenKey(u"Software\\Test\\Grid", true));
    Reg.WriteString(u"Col1", u"5");
  }
  SetColumns({20, 30});
  Grid->ColumnSize()->SetKey(u"Software\\Test");
  Grid->ColumnSize()->SetSection(u"Grid");
  Grid->SaveColSizes();
  {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(Reg.OpenKey(u"Software\\Test\\Grid", false));
    EXPECT_EQ(Reg.GetDataType(u"Col0"), rdInteger);
    EXPECT_EQ(Reg.ReadInteger(u"Col0"), 20);
    EXPECT_EQ(Reg.GetDataType(u"Col1"), rdString);
    EXPECT_EQ(Reg.ReadString(u"Col1"), u"30");
  }
  auto* Other = NewGrid();
  Other->SetColCount(2);
  Other->ColumnSize()->Assign(Grid->ColumnSize());
  Other->LoadColSizes();
  EXPECT_EQ(Other->ColWidths(0), 20);
  EXPECT_EQ(Other->ColWidths(1), 30);
  SetRegistryFile(u"");
}

TEST_F(ExGridPersistTest, ColumnOrderThroughTheStore) {
  Grid->SetColCount(4);
  for (Integer c = 0; c < 4; ++c) Grid->SetCells(c, 1, String(1, Char(u'A' + c)));
  Grid->ColumnSize()->SetLocation(clIniFile);
  Grid->ColumnSize()->SetKey(File("cols.ini"));
  Grid->ColumnSize()->SetSection(u"Grid");

  // Without a saved order nothing moves.
  Grid->LoadColPositions();
  EXPECT_EQ(RowText(Grid), u"A;B;C;D;");

  Grid->MoveColumn(0, 2);
  const String Moved = RowText(Grid);
  Grid->SaveColPositions();
  TMemIniFile Ini(File("cols.ini"));
  EXPECT_TRUE(Ini.ValueExists(u"Grid", u"Pos0"));
  EXPECT_TRUE(Ini.ValueExists(u"Grid", u"Pos3"));

  auto* Other = NewGrid();
  Other->SetColCount(4);
  for (Integer c = 0; c < 4; ++c) Other->SetCells(c, 1, String(1, Char(u'A' + c)));
  Other->ColumnSize()->Assign(Grid->ColumnSize());
  Other->LoadColPositions();
  EXPECT_EQ(RowText(Other), Moved);
}

// --- Visual properties --------------------------------------------------------------------------

// Gives every key of the file a value of the test's own.
void SetVisualValues(TExStringGrid* G) {
  G->SetColor(clWindow);
  G->SetHintColor(clInfoBk);
  G->SetSelectionColor(0xEACAB6);
  G->SetSelectionColorTo(clNone);
  G->SetSelectionMirrorColor(clNone);
  G->SetSelectionMirrorColorTo(clNone);
  G->SetSelectionTextColor(clBlack);
  G->SetURLColor(clBlue);
  G->SetURLShow(true);
  G->SetURLShowInText(false);
  G->SetScrollColor(clNone);
  G->SetActiveRowColor(0x123456);
  G->SetActiveRowShow(false);
  G->SetActiveCellShow(true);
  G->Font()->SetColor(clWindowText);
  G->Font()->SetStyle(TFontStyles{fsBold, fsItalic});
  G->Font()->SetSize(10);
  G->Font()->SetName(u"Arial");
  G->SetActiveCellColor(clGray);
  G->SetActiveCellColorTo(clNone);
  G->ActiveCellFont()->SetColor(clRed);
  G->ActiveCellFont()->SetStyle(TFontStyles{fsBold});
  G->ActiveCellFont()->SetSize(9);
  G->ActiveCellFont()->SetName(u"Tahoma");
  G->FixedFont()->SetColor(clNavy);
  G->FixedFont()->SetStyle(TFontStyles{});
  G->FixedFont()->SetSize(8);
  G->FixedFont()->SetName(u"Verdana");
  G->Balloon()->SetBackgroundColor(clNone);
  G->Balloon()->SetTextColor(clNone);
  G->Balloon()->SetTransparency(20);
  G->Bands()->SetPrimaryColor(clInfoBk);
  G->Bands()->SetSecondaryColor(clWindow);
  G->Bands()->SetActive(false);
  G->SortSettings()->SetIndexColor(clYellow);
  G->FloatingFooter()->SetColor(clBtnFace);
  G->ControlLook()->SetCheckSize(15);
  G->ControlLook()->SetColor(clBlack);
  G->ControlLook()->SetCommentColor(clRed);
  G->ControlLook()->SetControlStyle(csFlat);
  G->ControlLook()->SetFixedGradientFrom(clWhite);
  G->ControlLook()->SetFixedGradientTo(clSilver);
  G->ControlLook()->SetRadioSize(12);
  G->ControlLook()->SetFlatButton(true);
  G->ControlLook()->SetProgressBorderColor(clGray);
  G->ControlLook()->SetProgressXP(false);
  G->SearchFooter()->SetColor(clBtnFace);
  G->SearchFooter()->SetColorTo(clWhite);
  G->Grouping()->SetHeaderColor(clSkyBlue);
  G->Grouping()->SetHeaderColorTo(clNone);
  G->Grouping()->SetHeaderTextColor(clBlack);
  G->Grouping()->SetHeaderUnderline(true);
  G->Grouping()->SetHeaderLineColor(clBlue);
  G->Grouping()->SetHeaderLineWidth(2);
  G->Grouping()->SetSummaryColor(clCream);
  G->Grouping()->SetSummaryColorTo(clNone);
  G->Grouping()->SetSummaryTextColor(clMaroon);
  G->Grouping()->SetSummaryLine(false);
  G->Grouping()->SetSummaryLineColor(clGreen);
  G->Grouping()->SetSummaryLineWidth(1);
  G->SetGridLineColor(clSilver);
  G->SetGridFixedLineColor(clGray);
  G->BackGround()->SetTop(3);
  G->BackGround()->SetLeft(4);
  G->BackGround()->SetDisplay(bdGradientVert);
  G->BackGround()->SetCells(bcAll);
  G->BackGround()->SetColor(clWhite);
  G->BackGround()->SetColorTo(clMoneyGreen);
}

TEST_F(ExGridPersistTest, VisualPropertiesFileHasItsKeysInOrder) {
  ASSERT_EQ(Grid->Look(), glXP);
  SetVisualValues(Grid);
  Grid->SaveVisualProps(File("look.txt"));
  EXPECT_EQ(Bytes("look.txt"), ReadBytes(Fixture("visualprops.txt")));
}

TEST_F(ExGridPersistTest, VisualPropertiesComeBackInAnotherGrid) {
  SetVisualValues(Grid);
  Grid->SaveVisualProps(File("look.txt"));
  auto* Other = NewGrid();
  Other->LoadVisualProps(File("look.txt"));
  EXPECT_EQ(Other->ControlLook()->FixedGradientFrom(), clWhite);
  EXPECT_EQ(Other->ControlLook()->FixedGradientTo(), clSilver);
  EXPECT_EQ(Other->ActiveRowColor(), TColor(0x123456));
  EXPECT_EQ(Other->Font()->Name(), u"Arial");
  EXPECT_EQ(Other->Font()->Size(), 10);
  EXPECT_TRUE(Other->Font()->Style().Contains(fsItalic));
  EXPECT_TRUE(Other->FixedFont()->Style().Empty());
  EXPECT_EQ(Other->ControlLook()->ControlStyle(), csFlat);
  EXPECT_EQ(Other->Grouping()->HeaderLineWidth(), 2);
  EXPECT_EQ(Other->BackGround()->Display(), bdGradientVert);
  EXPECT_EQ(Other->BackGround()->ColorTo(), clMoneyGreen);
  EXPECT_EQ(Other->Balloon()->Transparency(), 20);
  EXPECT_TRUE(Other->URLShow());
}

TEST_F(ExGridPersistTest, EveryLookIsWrittenAndReadBackByItsName) {
  struct Case {
    const char* Name;
    TGridLook Look;
    const char* Line;
  };
  const Case Cases[] = {
      {"standard", glStandard, "Look=glStandard\r\n"},
      {"classic", glClassic, "Look=glClassic\r\n"},
      {"Norv", glNorv, "Look=glNorv\r\n"},
      {"XP", glXP, "Look=glXP\r\n"},
      {"list view", glListView, "Look=glListView\r\n"},
      {"Windows 7", glWin7, "Look=glWin7\r\n"},
      {"Office 2007", glOffice2007, "Look=glOffice2007\r\n"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* G = NewGrid();
    G->SetLook(C.Look);
    G->SaveVisualProps(File("look.txt"));
    EXPECT_NE(Bytes("look.txt").find(C.Line), std::string::npos);
    auto* Other = NewGrid();
    Other->SetLook(C.Look == glStandard ? glVista : glStandard);
    Other->LoadVisualProps(File("look.txt"));
    EXPECT_EQ(Other->Look(), C.Look);
  }
}

TEST_F(ExGridPersistTest, VisualPropertiesStopAtAMissingSizeKeepingWhatCameBefore) {
  WriteBytes(Folder / "look.txt", "color=clRed\r\nURLShow=TRUE\r\nActiveCellColor=clLime\r\n");
  const TColor ActiveBefore = Grid->ActiveCellColor();
  EXPECT_THROW(Grid->LoadVisualProps(File("look.txt")), EConvertError);
  EXPECT_EQ(Grid->Color(), clRed);
  EXPECT_TRUE(Grid->URLShow());
  // Keys after Font.Size stay as they were.
  EXPECT_EQ(Grid->ActiveCellColor(), ActiveBefore);
}

TEST_F(ExGridPersistTest, VisualPropertyValueForms) {
  struct Case {
    const char* Name;
    const char* Line;
    std::function<bool(TExStringGrid*)> Check;
  };
  const Case Cases[] = {
      {"colour name", "HintColor=clWindow", [](TExStringGrid* G) { return G->HintColor() == clWindow; }},
      {"colour in hexadecimal", "HintColor=$00123456", [](TExStringGrid* G) { return G->HintColor() == 0x123456; }},
      {"empty colour is none", "HintColor=", [](TExStringGrid* G) { return G->HintColor() == clNone; }},
      {"missing colour is none", "", [](TExStringGrid* G) { return G->HintColor() == clNone; }},
      {"true in any case", "URLShow=True", [](TExStringGrid* G) { return G->URLShow(); }},
      {"anything else is false", "URLShow=yes", [](TExStringGrid* G) { return !G->URLShow(); }},
      {"style names anywhere", "Font.Style=[fsUnderline,fsStrikeOut]",
       [](TExStringGrid* G) { return G->Font()->Style() == (TFontStyles{fsUnderline, fsStrikeOut}); }},
      {"enumeration in any case", "ControlLook.ControlStyle=CSGLYPH",
       [](TExStringGrid* G) { return G->ControlLook()->ControlStyle() == csGlyph; }},
      {"unknown enumeration keeps the value", "ControlLook.ControlStyle=csNothing",
       [](TExStringGrid* G) { return G->ControlLook()->ControlStyle() == csWinXP; }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* G = NewGrid();
    G->SetURLShow(true);
    G->ControlLook()->SetControlStyle(csWinXP);
    // Every integer key present, so that the load runs to the end.
    std::string Text = std::string(C.Line) +
                       "\r\nFont.Size=8\r\nActiveCellFont.Size=8\r\nFixedFont.Size=8\r\nBalloon.Transparency=0\r\n"
                       "ControlLook.CheckSize=15\r\nControlLook.RadioSize=12\r\nGrouping.HeaderLineWidth=1\r\n"
                       "Grouping.SummaryLineWidth=1\r\nBackGround.Top=0\r\nBackGround.Left=0\r\n";
    if (std::string(C.Line).rfind("URLShow", 0) != 0) Text += "URLShow=true\r\n";
    WriteBytes(Folder / "look.txt", Text);
    G->LoadVisualProps(File("look.txt"));
    EXPECT_TRUE(C.Check(G));
  }
}

TEST_F(ExGridPersistTest, VisualPropertiesFileThatCannotBeOpenedOrMade) {
  try {
    Grid->LoadVisualProps(File("missing.txt"));
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"Cannot open file " + File("missing.txt"));
  }
  try {
    Grid->SaveVisualProps(File("nofolder/look.txt"));
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"Cannot Create " + File("nofolder/look.txt"));
  }
}

// --- Print settings -----------------------------------------------------------------------------

TEST_F(ExGridPersistTest, PrintSettingsFileHasItsKeysInOrder) {
  TPrintSettings* P = Grid->PrintSettings();
  ASSERT_NE(P, nullptr);
  P->SetColumnSpacing(20);
  P->SetRowSpacing(10);
  P->SetTitleSpacing(5);
  P->SetRepeatFixedRows(true);
  P->SetBorders(pbDouble);
  P->SetBorderColor(clRed);
  P->SetDate(ppBottomRight);
  P->SetTitle(ppTopCenter);
  P->SetTitleText(u"Devices");
  P->SetFooterSize(150);
  P->SetFitToPage(fpShrink);
  P->Font()->SetName(u"Arial");
  P->Font()->SetSize(10);
  P->Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
  P->Font()->SetColor(clBlack);
  P->HeaderFont()->SetColor(clNavy);
  P->SetPagePrefix(u"Page ");
  P->SetOrientation(poLandscape);
  P->TitleLines()->SetText(u"First\r\nSecond\r\n");
  P->SetPrintGraphics(true);
  Grid->SavePrintSettings(File("print.ini"), u"Print");
  EXPECT_EQ(Bytes("print.ini"), ReadBytes(Fixture("printsettings.ini")));
}

TEST_F(ExGridPersistTest, PrintSettingsFromAMissingFileAreTheDefaultsAndTheFileIsMade) {
  Grid->LoadPrintSettings(File("print.ini"), u"Print");
  TPrintSettings* P = Grid->PrintSettings();
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(P->ColumnSpacing(), 20);
  EXPECT_EQ(P->RowSpacing(), 20);
  EXPECT_EQ(P->TitleSpacing(), 20);
  EXPECT_EQ(P->LeftSize(), 100);
  EXPECT_EQ(P->FooterSize(), 100);
  EXPECT_EQ(P->Font()->Name(), u"Arial");
  EXPECT_EQ(P->HeaderFont()->Size(), 10);
  EXPECT_TRUE(P->Centered());
  EXPECT_FALSE(P->UseDisplayFont());
  EXPECT_FALSE(P->RepeatFixedRows());
  EXPECT_EQ(P->Borders(), pbNoborder);
  EXPECT_EQ(P->Date(), ppNone);
  EXPECT_TRUE(std::filesystem::exists(Folder / "print.ini"));
}

TEST_F(ExGridPersistTest, PrintSettingValuesAsRead) {
  struct Case {
    const char* Name;
    const char* Line;
    std::function<bool(TPrintSettings*)> Check;
  };
  const Case Cases[] = {
      {"borders in range", "Borders=3", [](TPrintSettings* P) { return P->Borders() == pbVertical; }},
      {"borders out of range keep theirs", "Borders=9", [](TPrintSettings* P) { return P->Borders() == pbAround; }},
      {"pen style out of range keeps its", "BorderStyle=7", [](TPrintSettings* P) { return P->BorderStyle() == psDot; }},
      {"position in range", "Date=2", [](TPrintSettings* P) { return P->Date() == ppTopRight; }},
      {"position out of range is none", "Date=7", [](TPrintSettings* P) { return P->Date() == ppNone; }},
      {"fit out of range keeps its", "FitToPage=5", [](TPrintSettings* P) { return P->FitToPage() == fpAlways; }},
      {"orientation out of range keeps its", "Orientation=2",
       [](TPrintSettings* P) { return P->Orientation() == poLandscape; }},
      {"Y is true", "Centered=Y", [](TPrintSettings* P) { return P->Centered(); }},
      {"anything else is false", "Centered=y", [](TPrintSettings* P) { return !P->Centered(); }},
      {"style bits are added", "FontStyle=2",
       [](TPrintSettings* P) { return P->Font()->Style() == (TFontStyles{fsBold, fsItalic}); }},
      {"no style keeps the font bold", "FontStyle=0",
       [](TPrintSettings* P) { return P->Font()->Style() == (TFontStyles{fsBold}); }},
      {"title lines", "TitleLines=a\\nb\\n",
       [](TPrintSettings* P) { return P->TitleLines()->Count() == 2 && P->TitleLines()->Get(1) == u"b"; }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* G = NewGrid();
    TPrintSettings* P = G->PrintSettings();
    P->SetBorders(pbAround);
    P->SetBorderStyle(psDot);
    P->SetFitToPage(fpAlways);
    P->SetOrientation(poLandscape);
    P->Font()->SetStyle(TFontStyles{fsBold});
    WriteBytes(Folder / "print.ini", std::string("[Print]\r\n") + C.Line + "\r\n");
    // The keys read before the tested one must not overwrite the preset values.
    G->LoadPrintSettings(File("print.ini"), u"Print");
    EXPECT_TRUE(C.Check(P));
  }
}

TEST_F(ExGridPersistTest, PrintSettingsAssignCopiesAllButTheGridAndFixedCellsAlways) {
  TPrintSettings A(Grid), B(nullptr);
  A.SetTitleText(u"T");
  A.Font()->SetName(u"Courier");
  A.TitleLines()->Add(u"x");
  A.SetFixedCellsAlways(true);
  A.SetJobName(u"Job");
  B.Assign(&A);
  EXPECT_EQ(B.TitleText(), u"T");
  EXPECT_EQ(B.Font()->Name(), u"Courier");
  EXPECT_NE(B.Font(), A.Font());
  EXPECT_EQ(B.TitleLines()->Count(), 1);
  EXPECT_EQ(B.JobName(), u"Job");
  EXPECT_FALSE(B.FixedCellsAlways());
  EXPECT_EQ(B.Grid(), nullptr);
  TStringList NotSettings;
  EXPECT_THROW(B.Assign(&NotSettings), EInvalidCast);
}

TEST(ExGridIOUtil, CommaListsSplitAndJoin) {
  struct Case {
    const char* Name;
    const char16_t* Text;
    std::vector<String> Items;
  };
  const Case Cases[] = {
      {"an empty text has no items", u"", {}},
      {"one item", u"12", {u"12"}},
      {"empty items are kept", u"1,,2", {u"1", u"", u"2"}},
      {"a trailing comma ends in an empty item", u"1,", {u"1", u""}},
  };
  for (const Case& C : Cases) EXPECT_EQ(GridSplitCommas(C.Text), C.Items) << C.Name;
  EXPECT_EQ(GridJoinNumbers({}), u"");
  EXPECT_EQ(GridJoinNumbers({64, -1, 0}), u"64,-1,0");
}

}  // namespace
