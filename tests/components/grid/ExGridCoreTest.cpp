// The string grid's core: a new grid's values, the dimension rules, the dispatch operations, cell
// access by display and real row, typed values, per-cell looks, hidden and moved columns and rows,
// selection, notifiers, update locking, the grid timer and the window messages it answers.
#include "components/grid/ExGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <unistd.h>

#include <filesystem>

#include "components/dropdown/ExDateTimePicker.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridSearchPanel.h"
#include "components/gridbase/ExGridButton.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "tests/TempFolder.h"

namespace {

// A grid that lets the tests reach a few of its inner values.
class TCoreGrid : public TExStringGrid {
 public:
  explicit TCoreGrid(TComponent* AOwner) : TExStringGrid(AOwner) {}
  String ClassName() const override { return u"TCoreGrid"; }
  bool Panning() const { return wheelpan; }
  TIntList* SortXRef() const { return FSortRowXRef; }
  TCursor OldCursor() const { return FOldCursor; }
  Integer MaxRowCountSeen() const { return FMaxRowCount; }
  TCollection* HiddenItems() const { return FGridItems; }
};

class ExGridCoreTest : public testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 600, 400);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = new TCoreGrid(Form);
    Grid->SetParent(Form);
  }
  void TearDown() override {
    TComponent::Free(Form);
    TestHarness::UseFakeClock(false);
  }
  // Fills every cell of the real columns and rows with "c,r".
  void Fill() {
    for (Integer r = 0; r < Grid->RowCount(); ++r)
      for (Integer c = 0; c < Grid->AllColCount(); ++c) Grid->SetCells(c, r, IntToStr(c) + u"," + IntToStr(r));
  }
  // Hides the rows as one filter level, listed in the order given.
  void HideList(std::initializer_list<Integer> Rows) {
    TIntList L(0, 0);
    for (Integer r : Rows) L.Add(r);
    Grid->HideRowList(&L);
  }
  TForm* Form = nullptr;
  TCoreGrid* Grid = nullptr;
};

// --- A new grid ------------------------------------------------------------------------------------

TEST_F(ExGridCoreTest, NewGridHasItsStartingValues) {
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(Grid->ColCount(), 5);
  EXPECT_EQ(Grid->FixedRows(), 1);
  EXPECT_EQ(Grid->FixedCols(), 1);
  EXPECT_EQ(Grid->DefaultRowHeight(), 22);
  EXPECT_EQ(Grid->FixedRowHeight(), 22);
  EXPECT_EQ(Grid->Width(), 400);
  EXPECT_EQ(Grid->Height(), 250);
  EXPECT_EQ(Grid->CheckTrue(), u"Y");
  EXPECT_EQ(Grid->CheckFalse(), u"N");
  EXPECT_EQ(Grid->FloatFormat(), u"%.2f");
  EXPECT_EQ(Grid->FilterDropDownClear(), u"(All)");
  EXPECT_EQ(Grid->XMLEncoding(), u"ISO-8859-1");
  EXPECT_EQ(Grid->PasswordChar(), u'*');
  EXPECT_EQ(Grid->SelectionColor(), TColor(0xEACAB6));
  EXPECT_EQ(Grid->BorderColor(), TColor(0xB99D7F));
  EXPECT_EQ(Grid->GroupColumn(), -1);
  EXPECT_TRUE(Grid->WordWrap());
  EXPECT_TRUE(Grid->EnableHTML());
  EXPECT_TRUE(Grid->ShowSelection());
  EXPECT_EQ(Grid->XYOffset().X, 2);
  EXPECT_EQ(Grid->XYOffset().Y, 2);
  EXPECT_EQ(Grid->Version(), u"6.2.1.3");
  EXPECT_EQ(Grid->VersionString(), u"6.2.1.3 Sep, 2012");
  EXPECT_EQ(Grid->VersionNr(), 100794627);
  EXPECT_NE(GridEditDoneMessage, 0u);
  EXPECT_NE(DTPShiftFocusMessage(), 0u);
  EXPECT_NE(GridEditDoneMessage, DTPShiftFocusMessage());
}

TEST_F(ExGridCoreTest, WritingTheVersionIsIgnored) {
  Grid->SetVersion(u"1.0");
  EXPECT_EQ(Grid->Version(), u"6.2.1.3");
}

// --- Dimensions --------------------------------------------------------------------------------------

TEST_F(ExGridCoreTest, FixedRowAlwaysKeepsTheHeaderWhenTheGridShrinksToIt) {
  Grid->SetFixedRowAlways(true);
  Grid->SetRowCount(1);
  Grid->SetFixedRows(1);
  EXPECT_EQ(Grid->FixedRows(), 1);
  bool Fixed = false;
  Grid->IsFixedCell(1, 0, Fixed);
  EXPECT_TRUE(Fixed);
  Grid->SetRowCount(5);
  EXPECT_EQ(Grid->FixedRows(), 1);
  EXPECT_EQ(Grid->TBaseGrid::FixedRows(), 1);
}

TEST_F(ExGridCoreTest, FixedRowHeightEqualToTheDefaultResizesEveryRow) {
  Grid->SetFixedRowHeight(30);
  EXPECT_EQ(Grid->RowHeights(0), 30);
  EXPECT_EQ(Grid->RowHeights(1), 22);
  Grid->SetFixedRowHeight(22);
  EXPECT_EQ(Grid->RowHeights(0), 22);
  Grid->SetRowHeights(4, 40);
  Grid->SetDefaultRowHeight(25);
  Grid->SetFixedRowHeight(25);
  for (Integer r = 0; r < Grid->RowCount(); ++r) EXPECT_EQ(Grid->RowHeights(r), 25) << "row " << r;
}

TEST_F(ExGridCoreTest, FixedColWidthIgnoresTheDefaultWidth) {
  Grid->SetFixedColWidth(30);
  EXPECT_EQ(Grid->ColWidths(0), 30);
  Grid->SetFixedColWidth(64);
  EXPECT_EQ(Grid->ColWidths(0), 30);
}

TEST_F(ExGridCoreTest, IntegralHeightCutsTheHeightToWholeRows) {
  Grid->SetIntegralHeight(true);
  Grid->SetBounds(0, 0, 200, 100);
  EXPECT_EQ(Grid->Height(), 92);
}

TEST_F(ExGridCoreTest, TheFloatingFooterRowFollowsTheRowCount) {
  Grid->FloatingFooter()->SetVisible(true);
  Grid->SetCells(1, 9, u"sum");
  Grid->SetColors(1, 9, clRed);
  Grid->SetRowCount(12);
  EXPECT_EQ(Grid->Cells(1, 11), u"sum");
  EXPECT_EQ(Grid->Colors(1, 11), clRed);
  EXPECT_EQ(Grid->Cells(1, 9), u"");
  EXPECT_FALSE(Grid->HasCellProperties(1, 9));
  Grid->SetCells(1, 5, u"gone");
  Grid->SetRowCount(6);
  EXPECT_EQ(Grid->Cells(1, 5), u"sum");
  EXPECT_EQ(Grid->Colors(1, 5), clRed);
  Grid->SetRowCount(12);
  EXPECT_EQ(Grid->Cells(1, 11), u"sum");
}

TEST_F(ExGridCoreTest, TheSearchPanelShowsWithTheSearchFooter) {
  ASSERT_NE(Grid->SearchPanel(), nullptr);
  EXPECT_EQ(Grid->SearchPanelHeight(), 0);
  Grid->SearchFooter()->SetVisible(true);
  EXPECT_EQ(Grid->SearchPanelHeight(), 32);
  EXPECT_TRUE(Grid->SearchPanel()->Visible());
  Grid->SearchFooter()->SetVisible(false);
  EXPECT_FALSE(Grid->SearchPanel()->Visible());
}

TEST_F(ExGridCoreTest, TheLastRowStaysAboveTheSearchPanel) {
  Grid->SetRowCount(40);
  Grid->SearchFooter()->SetVisible(true);
  Grid->SetRow(39);
  EXPECT_TRUE(Grid->LastRowAboveSearchPanel());
  EXPECT_LE(Grid->RawCellRect(0, 39).Bottom, Grid->ClientRect().Bottom - 30);
}

TEST_F(ExGridCoreTest, SearchPanelButtonsAnswerTheirAccelerators) {
  Grid->SearchFooter()->SetFindNextCaption(u"Find &next");
  Grid->SearchFooter()->SetVisible(true);
  TControl* Next = Grid->SearchPanel()->ForwardButton();
  ASSERT_NE(Next, nullptr);
  EXPECT_EQ(Next->Caption(), u"Find &next");
  std::vector<TSearchAction> Actions;
  Grid->OnSearchFooterAction = [&](TObject*, const String&, Integer, Integer, TSearchAction A) {
    Actions.push_back(A);
  };
  // The find buttons are enabled once there is something to find.
  Grid->SearchPanel()->EditControl()->SetText(u"abc");
  ASSERT_TRUE(Next->Enabled());
  Actions.clear();
  EXPECT_EQ(Grid->Perform(CM_DIALOGCHAR, u'N', 0), 1);
  EXPECT_EQ(Grid->Perform(CM_DIALOGCHAR, u'x', 0), 0);
  Next->SetVisible(false);
  EXPECT_EQ(Grid->Perform(CM_DIALOGCHAR, u'n', 0), 0);
  EXPECT_EQ(Actions, (std::vector<TSearchAction>{saFindNext}));
  Next->SetVisible(true);
  Grid->SearchFooter()->SetVisible(false);
  EXPECT_EQ(Grid->Perform(CM_DIALOGCHAR, u'n', 0), 0);
}

TEST_F(ExGridCoreTest, DefaultRowHeightSetsTheFooterHeight) {
  Grid->SetDefaultRowHeight(30);
  EXPECT_EQ(Grid->FloatingFooter()->Height(), 30);
}

TEST_F(ExGridCoreTest, RowCountRemembersTheLargestCount) {
  Grid->SetRowCount(30);
  Grid->SetRowCount(4);
  EXPECT_EQ(Grid->MaxRowCountSeen(), 30);
  EXPECT_EQ(Grid->NormalRowCount(), 4);
}

// --- Dispatch operations ---------------------------------------------------------------------------------

TEST_F(ExGridCoreTest, CanEditCellFollowsReadOnlyTheOptionAndTheEvent) {
  struct Case {
    const char* Name;
    bool ReadOnlyCell;
    bool Editing;
    Integer Col;
    bool Expected;
  };
  const Case Cases[] = {
      {"plain cell without editing keeps its answer", false, false, 2, true},
      {"read-only cell is refused", true, true, 2, false},
      {"cell with properties without editing is refused", false, false, 3, false},
      {"column beyond all columns answers true", true, false, 700, true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TCoreGrid G(Form);
    G.SetOptions(C.Editing ? G.Options() << goEditing : G.Options() >> goEditing);
    if (C.ReadOnlyCell) G.SetReadOnly(C.Col, 1, true);
    if (C.Col == 3) G.SetColors(3, 1, clRed);
    bool CanEdit = true;
    G.CanEditCell(C.Col, 1, CanEdit);
    EXPECT_EQ(CanEdit, C.Expected);
  }
}

TEST_F(ExGridCoreTest, CanEditCellAsksTheApplicationWithRowFirst) {
  Integer SeenRow = -1;
  Integer SeenCol = -1;
  Grid->OnCanEditCell = [&](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
    SeenRow = ARow;
    SeenCol = ACol;
    CanEdit = false;
  };
  bool CanEdit = true;
  Grid->CanEditCell(2, 3, CanEdit);
  EXPECT_FALSE(CanEdit);
  EXPECT_EQ(SeenRow, 3);
  EXPECT_EQ(SeenCol, 2);
}

TEST_F(ExGridCoreTest, IsFixedCellAsksTheEventOnlyForNormalCells) {
  Integer Asked = 0;
  Grid->OnIsFixedCell = [&](TObject*, Integer, Integer ACol, bool& IsFixed) {
    ++Asked;
    IsFixed = ACol == 4;
  };
  bool F = false;
  Grid->IsFixedCell(0, 3, F);
  EXPECT_TRUE(F);
  EXPECT_EQ(Asked, 0);
  F = false;
  Grid->IsFixedCell(4, 3, F);
  EXPECT_TRUE(F);
  F = false;
  Grid->IsFixedCell(2, 3, F);
  EXPECT_FALSE(F);
  EXPECT_EQ(Asked, 2);
}

TEST_F(ExGridCoreTest, IsNoEditCellAsksTheEventFromNormalEditor) {
  EXPECT_FALSE(Grid->IsNoEditCell(1, 1));
  Grid->OnGetEditorType = [](TObject*, Integer ACol, Integer, TEditorType& E) {
    if (ACol == 2) E = edNone;
  };
  EXPECT_TRUE(Grid->IsNoEditCell(2, 1));
  EXPECT_FALSE(Grid->IsNoEditCell(3, 1));
}

TEST_F(ExGridCoreTest, AlwaysVisibleDropDownsFollowTheCellEditor) {
  EXPECT_FALSE(Grid->HasComboBox(2, 2));
  Grid->ControlLook()->SetDropDownAlwaysVisible(true);
  Grid->SetDefaultEditor(edComboList);
  EXPECT_TRUE(Grid->HasComboBox(2, 2));
  Grid->OnGetEditorType = [](TObject*, Integer ACol, Integer, TEditorType& E) {
    if (ACol == 3) E = edNormal;
  };
  EXPECT_FALSE(Grid->HasComboBox(3, 2));
  Grid->OnHasComboBox = [](TObject*, Integer, Integer, bool& Has) { Has = false; };
  EXPECT_FALSE(Grid->HasComboBox(2, 2));

  Grid->ControlLook()->SetSpinButtonsAlwaysVisible(true);
  Grid->SetDefaultEditor(edFloatSpinEdit);
  EXPECT_TRUE(Grid->HasSpinEdit(2, 2));
  EXPECT_FALSE(Grid->HasSpinEdit(0, 2));
}

TEST_F(ExGridCoreTest, CellsOnAGradientBackgroundStoreNoColourOfTheirOwn) {
  Grid->SetFontColors(2, 2, clRed);
  EXPECT_NE(Grid->Colors(2, 2), clNone);
  Grid->BackGround()->SetDisplay(bdGradientVert);
  Grid->SetFontColors(3, 2, clRed);
  EXPECT_EQ(Grid->Colors(3, 2), clNone);
  Grid->SetFontColors(0, 2, clRed);
  EXPECT_EQ(Grid->Colors(0, 2), clNone);
}

TEST_F(ExGridCoreTest, CheckTextsComeFromTheGridThenTheEvents) {
  String V;
  Grid->GetCheckTrue(1, 1, V);
  EXPECT_EQ(V, u"Y");
  Grid->OnGetCheckFalse = [](TObject*, Integer, Integer, String& Value) { Value += u"o"; };
  Grid->GetCheckFalse(1, 1, V);
  EXPECT_EQ(V, u"No");
}

TEST_F(ExGridCoreTest, WideHintReplacesTheHintInEncodedForm) {
  Grid->OnGridHint = [](TObject*, Integer ARow, Integer ACol, String& H) { H = IntToStr(ARow) + IntToStr(ACol); };
  String Hint;
  String Wide;
  Grid->GetCellHint(2, 5, Hint, Wide);
  EXPECT_EQ(Hint, u"52");
  Grid->OnGridWideHint = [](TObject*, Integer, Integer, String& H) { H = u"A"; };
  Grid->GetCellHint(2, 5, Hint, Wide);
  EXPECT_EQ(Hint.substr(0, 2), u"|\\");
}

TEST_F(ExGridCoreTest, GetCellColorTakesTheCellsFontAndTheActiveHeader) {
  Grid->SetFontColors(2, 3, clRed);
  Grid->SetColors(2, 3, clYellow);
  TBrush Brush;
  TFont Font;
  Grid->GetCellColor(2, 3, TGridDrawState(), &Brush, &Font);
  EXPECT_EQ(Font.Color(), clRed);
  EXPECT_EQ(Brush.Color(), clYellow);

  Grid->SetActiveCellShow(true);
  Grid->SetActiveCellColor(clAqua);
  Grid->GotoCell(2, 4);
  TBrush HeaderBrush;
  Grid->GetCellColor(2, 0, TGridDrawState(), &HeaderBrush, &Font);
  EXPECT_EQ(HeaderBrush.Color(), clAqua);
  TBrush RowHeaderBrush;
  Grid->GetCellColor(0, 4, TGridDrawState(), &RowHeaderBrush, &Font);
  EXPECT_EQ(RowHeaderBrush.Color(), clAqua);
}

TEST_F(ExGridCoreTest, GroupingLinesMarkNodeAndSummaryRows) {
  Grid->Grouping()->SetHeaderUnderline(true);
  Grid->Grouping()->SetHeaderLineColor(clRed);
  Grid->Grouping()->SetSummaryLine(true);
  Grid->Grouping()->SetSummaryLineColor(clBlue);
  auto* Node = new TCellGraphic();
  Node->SetCellType(ctNode);
  Grid->SetGraphicObjectEx(0, 2, Node);
  auto* Summary = new TCellGraphic();
  Summary->SetCellType(ctSummary);
  Grid->SetGraphicObjectEx(0, 4, Summary);
  struct Case {
    const char* Name;
    Integer Col;
    Integer Row;
    TCellBorders Borders;
    TColor Color;
  };
  const Case Cases[] = {
      {"node row", 2, 2, TCellBorders{cbBottom}, clRed},
      {"summary row", 2, 4, TCellBorders{cbTop}, clBlue},
      {"plain row", 2, 3, TCellBorders{}, clBlack},
      {"column 0 of a node row", 0, 2, TCellBorders{}, clBlack},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TPen Pen;
    TCellBorders B;
    Grid->GetCellBorder(C.Col, C.Row, &Pen, B);
    EXPECT_EQ(B, C.Borders);
    EXPECT_EQ(Pen.Color(), C.Color);
  }
}

TEST_F(ExGridCoreTest, ExpandClickSetsTheRowHeightOfTheState) {
  Grid->AddExpand(1, 3, 60);
  bool Seen = false;
  Grid->OnExpandClick = [&](TObject*, Integer, Integer, bool) { Seen = true; };
  Grid->ExpandClick(1, 3, true);
  EXPECT_TRUE(Seen);
  EXPECT_EQ(Grid->RowHeights(3), 60);
  Grid->ExpandClick(1, 3, false);
  EXPECT_EQ(Grid->RowHeights(3), Grid->GetExpandHeight(1, 3, false));
}

TEST_F(ExGridCoreTest, OnlyACellWithAnExpandButtonHasOne) {
  // The expand kind is the last of the cell graphics, past the first 32.
  EXPECT_FALSE(TCellTypes{ctExpand}.Contains(ctBitmap));
  TBitmap Picture;
  Picture.SetSize(4, 4);
  Grid->AddBitmap(2, 2, &Picture, false, 0, 0);
  Grid->AddExpand(1, 3, 60);
  EXPECT_FALSE(Grid->HasExpand(2, 2));
  EXPECT_TRUE(Grid->HasExpand(1, 3));
  Grid->RemoveBitmap(2, 2);
}

TEST_F(ExGridCoreTest, AnAutomaticScrollBarFollowsTheCellText) {
  Grid->AddScrollBar(2, 2, true);
  Grid->SetCells(2, 2, u"one\r\ntwo\r\nthree\r\nfour\r\nfive");
  const TScrollProp P = Grid->GetScrollProp(2, 2);
  EXPECT_EQ(P.PageSize, Grid->RowHeights(2));
  EXPECT_GT(P.Range, P.PageSize);
}

TEST_F(ExGridCoreTest, DeletingTheOnlyNormalRowClearsItAndStillReports) {
  Grid->SetRowCount(2);
  Grid->SetCells(1, 1, u"x");
  Integer Reported = -1;
  Grid->OnAutoDeleteRow = [&](TObject*, Integer ARow) { Reported = ARow; };
  Grid->DoDeleteRow(1);
  EXPECT_EQ(Grid->RowCount(), 2);
  EXPECT_EQ(Grid->Cells(1, 1), u"");
  EXPECT_EQ(Reported, 1);

  Grid->SetRowCount(4);
  Grid->SetCells(1, 2, u"keep");
  Grid->DoDeleteRow(1);
  EXPECT_EQ(Grid->RowCount(), 3);
  EXPECT_EQ(Grid->Cells(1, 1), u"keep");
}

TEST_F(ExGridCoreTest, SaveCellAndLoadCellGoThroughTheirEvents) {
  Grid->SetCells(1, 1, u"<B>bold</B>");
  EXPECT_EQ(Grid->SaveCell(1, 1), u"<B>bold</B>");
  Grid->SetSaveWithHTML(false);
  EXPECT_EQ(Grid->SaveCell(1, 1), u"bold");
  Grid->OnSaveCell = [](TObject*, Integer, Integer, String& V) { V = u"[" + V + u"]"; };
  EXPECT_EQ(Grid->SaveCell(1, 1), u"[bold]");

  Grid->OnLoadCell = [](TObject*, Integer, Integer, String& V) { V += u"!"; };
  Grid->LoadCell(2, 2, u"in");
  EXPECT_EQ(Grid->GridCells(2, 2), u"in!");
}

TEST_F(ExGridCoreTest, EmptyCheckBoxCellsSaveTheirState) {
  auto* Box = new TCellGraphic();
  Box->SetCellType(ctCheckBox);
  Box->SetCellBoolean(true);
  Grid->SetGraphicObjectEx(1, 1, Box);
  EXPECT_EQ(Grid->SaveCell(1, 1), u"Y");
  Box->SetCellBoolean(false);
  EXPECT_EQ(Grid->SaveCell(1, 1), u"N");
}

TEST_F(ExGridCoreTest, SavedColumnWidthsComeBackWithTheNextGrid) {
  const TTempFolder Folder("exgridcore_widths");
  const std::filesystem::path Ini = Folder.FsPath("widths.ini");
  const String Key = Utf8ToString(Ini.string());
  auto Configure = [&](TExStringGrid* G) {
    G->ColumnSize()->SetLocation(clIniFile);
    G->ColumnSize()->SetKey(Key);
    G->ColumnSize()->SetSection(u"Widths");
    G->ColumnSize()->SetSave(true);
  };
  {
    auto* First = new TCoreGrid(Form);
    Configure(First);
    First->SetParent(Form);
    First->SetColWidths(2, 91);
    TComponent::Free(First);
  }
  auto* Second = new TCoreGrid(Form);
  Configure(Second);
  Second->SetParent(Form);
  EXPECT_EQ(Second->ColWidths(2), 91);
  TComponent::Free(Second);
}

// --- Notifiers and listeners ------------------------------------------------------------------------

class TRecordingNotifier : public TGridChangeNotifier {
 public:
  TRecordingNotifier(TComponent* AOwner, std::vector<String>& Log, String Name)
      : TGridChangeNotifier(AOwner), FLog(Log), FName(std::move(Name)) {}
  void NotifyCellsChanged(TRect R) override { FLog.push_back(FName + IntToStr(R.Left) + IntToStr(R.Bottom)); }

 private:
  std::vector<String>& FLog;
  String FName;
};

TEST_F(ExGridCoreTest, CellsChangedReachesEventAndNotifiersInOrder) {
  std::vector<String> Log;
  auto* A = new TRecordingNotifier(Form, Log, u"A");
  auto* B = new TRecordingNotifier(Form, Log, u"B");
  Grid->RegisterNotifier(A);
  Grid->RegisterNotifier(B);
  Grid->RegisterNotifier(A);
  Grid->OnCellsChanged = [&](TObject*, TRect R) { Log.push_back(u"E" + IntToStr(R.Left) + IntToStr(R.Bottom)); };
  Grid->CellsChanged(TRect{1, 2, 3, 4});
  EXPECT_EQ(Log, (std::vector<String>{u"E14", u"A14", u"B14"}));
  Grid->UnRegisterNotifier(A);
  Grid->UnRegisterNotifier(A);
  Log.clear();
  Grid->CellsChanged(TRect{0, 0, 0, 0});
  EXPECT_EQ(Log, (std::vector<String>{u"E00", u"B00"}));
}

TEST_F(ExGridCoreTest, AFreedNotifierIsForgotten) {
  std::vector<String> Log;
  auto* A = new TRecordingNotifier(Form, Log, u"A");
  A->FreeNotification(Grid);
  Grid->RegisterNotifier(A);
  delete A;
  Grid->CellsChanged(TRect{0, 0, 0, 0});
  EXPECT_TRUE(Log.empty());
}

struct TListener : ITExStringGridSelect {
  void CellSelected(Integer, Integer) override {}
};

TEST_F(ExGridCoreTest, ASecondSelectionListenerReplacesTheFirst) {
  TListener L1;
  TListener L2;
  Grid->RegisterSelListener(&L1);
  Grid->RegisterSelListener(&L2);
  EXPECT_EQ(Grid->SelListener(), &L2);
  Grid->UnRegisterSelListener(&L1);
  EXPECT_EQ(Grid->SelListener(), nullptr);
}

// --- Copying -------------------------------------------------------------------------------------------

TEST_F(ExGridCoreTest, AssignCopiesCountsSizesAndCells) {
  TCoreGrid Source(Form);
  Source.SetColCount(7);
  Source.SetRowCount(4);
  Source.SetColWidths(6, 33);
  Source.SetRowHeights(3, 40);
  Source.SetCells(6, 3, u"corner");
  Source.SetCheckTrue(u"yes");
  Grid->Assign(&Source);
  EXPECT_EQ(Grid->ColCount(), 7);
  EXPECT_EQ(Grid->RowCount(), 4);
  EXPECT_EQ(Grid->ColWidths(6), 33);
  EXPECT_EQ(Grid->RowHeights(3), 40);
  EXPECT_EQ(Grid->Cells(6, 3), u"corner");
}

TEST_F(ExGridCoreTest, AssignFromAnotherKindIsIgnored) {
  TStringList Other;
  Grid->Assign(&Other);
  Grid->AssignCells(&Other);
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(Grid->ColumnSize()->StretchColumn(), -1);
  Grid->ColumnSize()->Assign(&Other);
  EXPECT_EQ(Grid->ColumnSize()->StretchColumn(), -1);
}

// --- Cell access -----------------------------------------------------------------------------------------

TEST_F(ExGridCoreTest, IntsReadTheStrippedTrimmedText) {
  struct Case {
    const char* Name;
    const char16_t* Text;
    bool Raises;
    Integer Value;
  };
  const Case Cases[] = {
      {"blanks around", u"  42 ", false, 42},
      {"empty", u"", false, 0},
      {"lone minus", u"-", false, 0},
      {"negative", u"-17", false, -17},
      {"fraction", u"4.2", true, 0},
      {"tagged digit", u"<B>7</B>", false, 7},
      {"letters", u"abc", true, 0},
      {"plus sign", u"+31", false, 31},
      {"leading zeros", u"031", false, 31},
      {"0x hexadecimal", u"0x1F", true, 0},
      {"$ hexadecimal", u"$1F", true, 0},
      {"x hexadecimal", u"x1F", true, 0},
      {"hexadecimal with blanks", u" 0x1F ", true, 0},
      {"past the range", u"2147483648", true, 0},
  };
  // AllInts reads the same text by real row, without stripping tags.
  for (const bool All : {false, true}) {
    for (const Case& C : Cases) {
      if (All && C.Text[0] == u'<') continue;
      SCOPED_TRACE(std::string(C.Name) + (All ? " (AllInts)" : " (Ints)"));
      Grid->SetCells(1, 1, C.Text);
      const auto Read = [&] { return All ? Grid->AllInts(1, 1) : Grid->Ints(1, 1); };
      if (C.Raises) {
        try {
          (void)Read();
          ADD_FAILURE() << "no error";
        } catch (const EStringGridError& E) {
          EXPECT_EQ(E.Message(), u"Cell does not contain integer value");
        }
      } else {
        EXPECT_EQ(Read(), C.Value);
      }
    }
  }
  Grid->SetCells(1, 1, u"<B>7</B>");
  EXPECT_THROW((void)Grid->AllInts(1, 1), EStringGridError);
}

TEST_F(ExGridCoreTest, FloatsReadNormalisedNumbers) {
  struct Case {
    const char* Name;
    const char16_t* Text;
    bool Raises;
    double Value;
  };
  const Case Cases[] = {
      {"parenthesised with thousands", u"(1,234.50)", false, -1234.5},
      {"plain", u"3.25", false, 3.25},
      {"empty", u"", false, 0},
      {"lone minus", u"-", false, 0},
      {"currency prefix", u"$ 12.5", false, 12.5},
      {"letters only normalise to nothing", u"abc", false, 0},
      {"two decimal points", u"1.2.3", true, 0},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(1, 1, C.Text);
    if (C.Raises) {
      try {
        (void)Grid->Floats(1, 1);
        ADD_FAILURE() << "no error";
      } catch (const EStringGridError& E) {
        EXPECT_EQ(E.Message(), u"Cell does not contain a float value");
      }
    } else {
      EXPECT_DOUBLE_EQ(Grid->Floats(1, 1), C.Value);
    }
  }
}

TEST_F(ExGridCoreTest, FloatsWriteWithTheFloatFormat) {
  Grid->SetFloats(1, 1, 3.14159);
  EXPECT_EQ(Grid->Cells(1, 1), u"3.14");
  Grid->SetFloatFormat(u"%.3f");
  Grid->SetFloats(1, 1, 3.14159);
  EXPECT_EQ(Grid->Cells(1, 1), u"3.142");
  Grid->SetAllFloats(1, 2, 2.5);
  EXPECT_EQ(Grid->Cells(1, 2), u"2.500");
  Grid->SetInts(2, 2, -5);
  EXPECT_EQ(Grid->Cells(2, 2), u"-5");
}

TEST_F(ExGridCoreTest, LinesInCellCountsCarriageReturns) {
  Grid->SetCells(1, 1, u"one\r\ntwo");
  EXPECT_EQ(Grid->LinesInCell(1, 1), 2);
  EXPECT_EQ(Grid->LinesInCell(1, 2), 1);
}

TEST_F(ExGridCoreTest, UnSortedCellsFollowTheCrossReference) {
  Fill();
  for (Integer v : {0, 3, 1, 2}) Grid->SortXRef()->Add(v);
  EXPECT_EQ(Grid->UnSortedCells(1, 1), Grid->Cells(1, 2));
  EXPECT_EQ(Grid->UnSortedCells(1, 4), Grid->Cells(1, 4));
  EXPECT_EQ(Grid->UnSortedCells(1, 9), Grid->Cells(1, 9));
  EXPECT_EQ(Grid->UnSortedRowIndex(3), 1);
  EXPECT_EQ(Grid->UnSortedRowIndex(7), 4);
}

TEST_F(ExGridCoreTest, LookReadsCreateNoPropertiesAndAnswerTheDefaults) {
  EXPECT_EQ(Grid->Colors(2, 2), clNone);
  EXPECT_EQ(Grid->ColorsTo(2, 2), clNone);
  EXPECT_EQ(Grid->FontColors(2, 2), clNone);
  EXPECT_EQ(Grid->FontSizes(2, 2), 0);
  EXPECT_EQ(Grid->FontNames(2, 2), u"");
  EXPECT_EQ(Grid->Alignments(2, 2), taLeftJustify);
  EXPECT_FALSE(Grid->ReadOnly(2, 2));
  EXPECT_EQ(Grid->Fonts(2, 2), Grid->Font());
  EXPECT_EQ(Grid->CellControls(2, 2), nullptr);
  EXPECT_FALSE(Grid->HasCellProperties(2, 2));
  EXPECT_TRUE(Grid->WordWraps(2, 2));
  EXPECT_TRUE(Grid->HasCellProperties(2, 2));
}

TEST_F(ExGridCoreTest, FontsLoadsTheCellsFontIntoOneScratchFont) {
  Grid->SetFontNames(1, 1, u"Courier");
  Grid->SetFontSizes(1, 1, 20);
  Grid->SetFontNames(2, 1, u"Arial");
  TFont* F1 = Grid->Fonts(1, 1);
  EXPECT_EQ(F1->Name(), u"Courier");
  EXPECT_EQ(F1->Size(), 20);
  TFont* F2 = Grid->Fonts(2, 1);
  EXPECT_EQ(F1, F2);
  EXPECT_EQ(F2->Name(), u"Arial");
}

TEST_F(ExGridCoreTest, RowLooksWithNoColourFreeWhatTheyMust) {
  Grid->SetColors(1, 2, clNone);
  Grid->SetFontColors(1, 2, clRed);
  Grid->SetColors(2, 2, clYellow);
  Grid->SetFontColors(2, 2, clBlue);
  Grid->SetRowFontColor(2, clNone);
  EXPECT_FALSE(Grid->HasCellProperties(1, 2));
  EXPECT_EQ(Grid->FontColors(2, 2), clBlue);

  Grid->SetAlignments(3, 3, taCenter);
  Grid->SetReadOnly(3, 3, true);
  Grid->SetRowColorTo(3, clGreen);
  EXPECT_EQ(Grid->ColorsTo(1, 3), clGreen);
  Grid->SetRowColorTo(3, clNone);
  EXPECT_FALSE(Grid->HasCellProperties(3, 3));
  EXPECT_FALSE(Grid->ReadOnly(3, 3));

  Grid->SetRowColor(4, clRed);
  EXPECT_EQ(Grid->Colors(4, 4), clRed);
  Grid->SetRowColor(4, clNone);
  EXPECT_FALSE(Grid->HasCellProperties(4, 4));
}

// Clearing a row's look takes away colours, not what the cells hold: a merged area, the caller's
// object, a check box and its state, and a control placed in a cell stay.
TEST_F(ExGridCoreTest, RowLooksWithNoColourKeepMergedAreasObjectsGraphicsAndControls) {
  struct Case {
    const char* Name;
    std::function<void(TExStringGrid*, Integer, TColor)> Set;
    std::function<TColor(TExStringGrid*, Integer, Integer)> Get;
  };
  const Case Cases[] = {
      {"RowColor", [](TExStringGrid* G, Integer R, TColor V) { G->SetRowColor(R, V); },
       [](TExStringGrid* G, Integer C, Integer R) { return G->Colors(C, R); }},
      {"RowColorTo", [](TExStringGrid* G, Integer R, TColor V) { G->SetRowColorTo(R, V); },
       [](TExStringGrid* G, Integer C, Integer R) { return G->ColorsTo(C, R); }},
      {"RowFontColor", [](TExStringGrid* G, Integer R, TColor V) { G->SetRowFontColor(R, V); },
       [](TExStringGrid* G, Integer C, Integer R) { return G->FontColors(C, R); }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetColCount(6);
    Grid->MergeCells(1, 2, 2, 1);
    TObject Obj;
    Grid->SetObjects(3, 2, &Obj);
    Grid->AddCheckBox(4, 2, true, false);
    auto* Edit = new TEdit(Form);
    Grid->SetCellControls(5, 2, Edit);

    C.Set(Grid, 2, clRed);
    EXPECT_EQ(C.Get(Grid, 3, 2), clRed);
    C.Set(Grid, 2, clNone);

    for (Integer c = 1; c <= 5; ++c) EXPECT_EQ(C.Get(Grid, c, 2), clNone) << "column " << c;
    EXPECT_TRUE(Grid->IsMergedCell(1, 2));
    EXPECT_TRUE(Grid->IsMergedNonBaseCell(2, 2));
    EXPECT_EQ(Grid->CellSpan(1, 2).X, 1);
    EXPECT_EQ(Grid->Objects(3, 2), &Obj);
    bool State = false;
    EXPECT_TRUE(Grid->HasCheckBox(4, 2));
    EXPECT_TRUE(Grid->GetCheckBoxState(4, 2, State));
    EXPECT_TRUE(State);
    EXPECT_EQ(Grid->CellControls(5, 2), Edit);
    EXPECT_EQ(Grid->NumCellControls(), 1);

    Grid->SetCellControls(5, 2, nullptr);
    Grid->SetObjects(3, 2, nullptr);
    Grid->SplitCells(1, 2);
    TComponent::Free(Edit);
  }
}

TEST_F(ExGridCoreTest, CellControlsCanBeDetachedWithoutFreeing) {
  auto* Edit = new TEdit(Form);
  Grid->SetCellControls(2, 2, Edit);
  EXPECT_EQ(Grid->CellControls(2, 2), Edit);
  EXPECT_EQ(Edit->Parent(), Grid);
  EXPECT_EQ(Grid->NumCellControls(), 1);
  Grid->SetCellControls(2, 2, nullptr);
  EXPECT_EQ(Grid->CellControls(2, 2), nullptr);
  EXPECT_EQ(Edit->Parent(), Grid);
  EXPECT_EQ(Grid->NumCellControls(), 0);
  Grid->SetCellControls(2, 2, nullptr);
  EXPECT_EQ(Grid->NumCellControls(), 0);
}

// A control placed in a cell stays over that cell when columns or rows are hidden before it, is
// hidden with its row or column, and comes back over its cell when they are shown again.
TEST_F(ExGridCoreTest, CellControlsFollowTheirCellPastHiddenColumnsAndRows) {
  Grid->SetBounds(0, 0, 500, 300);
  TestHarness::ProcessEvents();
  auto* Edit = new TEdit(Form);
  Grid->SetCellControls(4, 5, Edit);
  auto Over = [&](Integer DisplayCol, Integer DisplayRow) {
    const TRect R = Grid->CellRect(DisplayCol, DisplayRow);
    return Edit->Visible() && Edit->Left() == R.Left - 1 && Edit->Top() == R.Top - 1;
  };
  EXPECT_TRUE(Over(4, 5));
  Grid->HideColumn(1);
  Grid->HideRow(2);
  Grid->CellControlsUpdate(false);
  EXPECT_EQ(Grid->CellControls(4, 4), Edit);
  EXPECT_TRUE(Over(3, 4));
  Grid->CellControlsUpdate(true);
  EXPECT_EQ(Grid->NumCellControls(), 1);
  EXPECT_TRUE(Over(3, 4));
  Grid->HideRow(5);
  EXPECT_FALSE(Edit->Visible());
  Grid->UnHideRowsAll();
  Grid->UnHideColumnsAll();
  Grid->CellControlsUpdate(true);
  EXPECT_EQ(Grid->NumCellControls(), 1);
  EXPECT_TRUE(Over(4, 5));
  // Moving columns and rows takes the control along, also past a hidden column.
  Grid->HideColumn(1);
  Grid->MoveColumn(3, 1);
  EXPECT_EQ(Grid->CellControls(Grid->DisplayToRealCol(1), 5), Edit);
  EXPECT_TRUE(Over(1, 5));
  Grid->MoveRow(5, 2);
  EXPECT_TRUE(Over(1, 2));
  Grid->SetCellControls(Grid->DisplayToRealCol(1), 2, nullptr);
  EXPECT_EQ(Grid->NumCellControls(), 0);
}

TEST_F(ExGridCoreTest, CurrentCellIsTheBaseCellOfAMergedArea) {
  Grid->MergeCells(1, 1, 2, 2);
  Grid->SetCells(1, 1, u"base");
  Grid->GotoCell(2, 2);
  EXPECT_EQ(Grid->CurrentCell(), u"base");
  Grid->SetCurrentCellText(u"new");
  EXPECT_EQ(Grid->GridCells(1, 1), u"new");
}

TEST_F(ExGridCoreTest, ControlValuesReadAndRewriteFormControls) {
  Grid->SetCells(1, 1, u"<CONTROL TYPE=\"EDIT\" ID=\"ed\" VALUE=\"abc\" WIDTH=\"40\">");
  EXPECT_EQ(Grid->ControlValues(1, 1, u"ed"), u"abc");
  EXPECT_EQ(Grid->ControlValues(1, 1, u"none"), u"");
  Grid->SetControlValues(1, 1, u"ed", u"xyz");
  EXPECT_EQ(Grid->ControlValues(1, 1, u"ed"), u"xyz");
  const String Before = Grid->Cells(1, 1);
  Grid->SetControlValues(1, 1, u"none", u"q");
  EXPECT_EQ(Grid->Cells(1, 1), Before);
}

// --- Hidden columns ----------------------------------------------------------------------------------------

TEST_F(ExGridCoreTest, HidingAColumnKeepsItsCellsAndWidth) {
  Fill();
  Grid->SetColWidths(2, 50);
  Grid->SetColWidths(3, 70);
  Grid->HideColumn(2);
  EXPECT_EQ(Grid->ColCount(), 4);
  EXPECT_EQ(Grid->NumHiddenColumns(), 1);
  EXPECT_EQ(Grid->AllColCount(), 5);
  EXPECT_TRUE(Grid->IsHiddenColumn(2));
  EXPECT_EQ(Grid->RealToDisplayCol(3), 2);
  EXPECT_EQ(Grid->DisplayToRealCol(2), 3);
  EXPECT_EQ(Grid->AllColWidths(2), 50);
  EXPECT_EQ(Grid->ColWidths(2), 70);
  EXPECT_EQ(Grid->Cells(2, 1), u"2,1");
  Grid->UnHideColumn(2);
  EXPECT_EQ(Grid->ColCount(), 5);
  EXPECT_EQ(Grid->ColWidths(2), 50);
  EXPECT_EQ(Grid->ColWidths(3), 70);
  EXPECT_FALSE(Grid->IsHiddenColumn(2));
}

TEST_F(ExGridCoreTest, HidingTheCurrentLastColumnMovesTheCurrentColumnLeft) {
  Grid->GotoCell(4, 1);
  Grid->HideColumn(4);
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(Grid->RealCol(), 3);
}

TEST_F(ExGridCoreTest, TheLastVisibleColumnAndHighIndexesStay) {
  Grid->SetColCount(1);
  Grid->HideColumn(0);
  EXPECT_EQ(Grid->ColCount(), 1);
  EXPECT_FALSE(Grid->IsHiddenColumn(600));
  EXPECT_EQ(Grid->RealToDisplayCol(600), 600);
  EXPECT_EQ(Grid->DisplayToRealCol(600), 600);
}

TEST_F(ExGridCoreTest, ColumnByHeaderIsCaseSensitiveAndSeesHiddenColumns) {
  Grid->SetCells(3, 0, u"Name");
  Grid->HideColumn(3);
  EXPECT_EQ(Grid->ColumnByHeader(u"Name"), 3);
  EXPECT_EQ(Grid->ColumnByHeader(u"name"), -1);
}

TEST_F(ExGridCoreTest, WritingThroughARealColumnRepaintsItsDisplayColumn) {
  Grid->HideColumn(2);
  Grid->SetAllCells(3, 1, u"x");
  EXPECT_EQ(Grid->Cells(3, 1), u"x");
  EXPECT_EQ(Grid->AllCells(3, 1), u"x");
}

// --- Hidden rows -------------------------------------------------------------------------------------------

TEST_F(ExGridCoreTest, HiddenRowsKeepTextsObjectsAndHeights) {
  Fill();
  Grid->SetRowHeights(4, 40);
  Grid->SetColors(1, 4, clRed);
  Grid->HideRow(4);
  EXPECT_EQ(Grid->RowCount(), 9);
  EXPECT_EQ(Grid->NumHiddenRows(), 1);
  EXPECT_TRUE(Grid->IsHiddenRow(4));
  EXPECT_EQ(Grid->Cells(1, 4), u"1,5");
  EXPECT_EQ(Grid->AllCells(1, 4), u"1,4");
  EXPECT_EQ(Grid->RealRowToDisplayRow(5), 4);
  EXPECT_EQ(Grid->DisplayRowToRealRow(4), 5);
  EXPECT_EQ(Grid->DisplayRowToRealRow(3), 3);

  Grid->UnHideRows(4, 4);
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(Grid->Cells(1, 4), u"1,4");
  EXPECT_EQ(Grid->RowHeights(4), 40);
  EXPECT_EQ(Grid->Colors(1, 4), clRed);
  EXPECT_EQ(Grid->Cells(1, 5), u"1,5");
}

// An object given to a cell of a hidden row, with or without cell settings of its own, is the
// cell's object again when the row is shown.
TEST_F(ExGridCoreTest, ObjectsWrittenIntoAHiddenRowComeBackWithIt) {
  Fill();
  TObject A, B;
  Grid->SetColors(1, 4, clRed);
  Grid->HideRow(4);
  Grid->SetAllObjects(1, 4, &A);
  Grid->SetAllObjects(2, 4, &B);
  Grid->SetAllObjects(3, 4, nullptr);
  EXPECT_EQ(Grid->AllObjects(1, 4), &A);
  EXPECT_EQ(Grid->AllObjects(2, 4), &B);
  EXPECT_EQ(Grid->AllObjects(3, 4), nullptr);
  Grid->UnHideRow(4);
  EXPECT_EQ(Grid->Objects(1, 4), &A);
  EXPECT_EQ(Grid->Colors(1, 4), clRed);
  EXPECT_EQ(Grid->Objects(2, 4), &B);
  EXPECT_EQ(Grid->Objects(3, 4), nullptr);
  EXPECT_EQ(Grid->Cells(2, 4), u"2,4");
  Grid->SetObjects(1, 4, nullptr);
  Grid->SetObjects(2, 4, nullptr);
}

TEST_F(ExGridCoreTest, HidingARangeWithAHiddenRowInsideKeepsEveryRowsOwnCells) {
  Fill();
  Grid->SetRowHeights(3, 31);
  Grid->SetRowHeights(5, 35);
  Grid->HideRow(4);
  Grid->HideRows(3, 5);
  EXPECT_EQ(Grid->NumHiddenRows(), 3);
  auto* Items = Grid->HiddenItems();
  for (Integer i = 0; i < 3; ++i) {
    auto* It = static_cast<TGridItem*>(Items->GetItem(i));
    EXPECT_EQ(It->Idx(), 3 + i);
    EXPECT_EQ(It->Items()->Strings(1), u"1," + IntToStr(3 + i));
  }
  EXPECT_EQ(Grid->Cells(1, 3), u"1,6");
  Grid->UnHideRowsAll();
  EXPECT_EQ(Grid->NumHiddenRows(), 0);
  for (Integer r = 0; r < 10; ++r) EXPECT_EQ(Grid->Cells(1, r), u"1," + IntToStr(r)) << "row " << r;
  EXPECT_EQ(Grid->RowHeights(3), 31);
  EXPECT_EQ(Grid->RowHeights(5), 35);
}

TEST_F(ExGridCoreTest, UnHideRowsNeedsItsFirstRowHidden) {
  Fill();
  Grid->HideRow(5);
  Grid->UnHideRows(4, 6);
  EXPECT_EQ(Grid->NumHiddenRows(), 1);
  Grid->UnHideRow(5);
  EXPECT_EQ(Grid->NumHiddenRows(), 0);
}

TEST_F(ExGridCoreTest, AllCellsOfAHiddenRowPadAndPassTheDisplayHook) {
  Fill();
  Grid->HideRow(3);
  Grid->SetAllCells(7, 3, u"far");
  TStrings* Kept = Grid->HiddenRowStrings(3);
  ASSERT_NE(Kept, nullptr);
  EXPECT_EQ(Kept->Count(), 8);
  EXPECT_EQ(Kept->Strings(6), u"");
  Grid->OnGetDisplText = [](TObject*, Integer, Integer, String& V) { V = u"<" + V + u">"; };
  EXPECT_EQ(Grid->AllCells(7, 3), u"<far>");
  EXPECT_EQ(Grid->AllCells(-1, 3), u"");
}

TEST_F(ExGridCoreTest, FilterLevelsStackAndComeBackOneAtATime) {
  Fill();
  Grid->HideRow(9);
  HideList({2, 3});
  HideList({4});
  EXPECT_EQ(Grid->RowCount(), 6);
  EXPECT_EQ(Grid->Cells(1, 2), u"1,4");
  EXPECT_EQ(Grid->Cells(1, 4), u"1,7");

  Grid->UnHideRowList();
  Grid->SetFilterLevel(Grid->FilterLevel() - 1);
  EXPECT_EQ(Grid->RowCount(), 7);
  EXPECT_EQ(Grid->Cells(1, 2), u"1,4");
  EXPECT_EQ(Grid->Cells(1, 4), u"1,6");

  Grid->UnHideRowList();
  Grid->SetFilterLevel(Grid->FilterLevel() - 1);
  EXPECT_EQ(Grid->RowCount(), 9);
  for (Integer r = 0; r < 9; ++r) EXPECT_EQ(Grid->Cells(1, r), u"1," + IntToStr(r)) << "row " << r;
  // The row hidden on its own is no filter level and stays hidden.
  EXPECT_TRUE(Grid->IsHiddenRow(9));
}

// A row hidden by a filter level keeps its cells as they were; reading and writing them through
// the grid's cell access, before or after HiddenRowStrings made their list, and moving a column
// while the row is hidden, all show when the row comes back.
TEST_F(ExGridCoreTest, CellsOfAFilteredRowAnswerAlikeBeforeAndAfterTheirListIsMade) {
  struct TCase {
    const char* Name;
    bool AskForList;
  };
  for (const TCase& Case : {TCase{"kept row", false}, TCase{"list made", true}}) {
    SCOPED_TRACE(Case.Name);
    Grid->SetColCount(5);
    Grid->SetRowCount(10);
    Fill();
    TObject A;
    HideList({5, 3});
    if (Case.AskForList) {
      TStrings* L = Grid->HiddenRowStrings(3);
      ASSERT_NE(L, nullptr);
      EXPECT_EQ(L->Count(), 5);
      EXPECT_EQ(L->Strings(2), u"2,3");
      EXPECT_EQ(Grid->HiddenRowStrings(3), L);
    }
    EXPECT_EQ(Grid->HiddenRowStrings(4), nullptr);
    EXPECT_TRUE(Grid->IsHiddenRow(3));
    EXPECT_EQ(Grid->AllCells(2, 3), u"2,3");
    EXPECT_EQ(Grid->AllGridCells(4, 5), u"4,5");
    EXPECT_THROW(Grid->AllGridCells(5, 3), EStringListError);
    EXPECT_EQ(Grid->GetAllGridObject(7, 3), nullptr);
    Grid->SetAllGridCells(1, 3, u"one");
    Grid->SetAllCells(6, 3, u"far");  // past the kept columns: the row grows
    Grid->SetAllObjects(2, 5, &A);
    EXPECT_EQ(Grid->AllCells(6, 3), u"far");
    EXPECT_EQ(Grid->AllCells(5, 3), u"");
    EXPECT_EQ(Grid->AllObjects(2, 5), &A);
    Grid->MoveColumn(1, 3);

    Grid->UnHideRowList();
    Grid->SetFilterLevel(Grid->FilterLevel() - 1);
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    EXPECT_EQ(Grid->Cells(1, 3), u"2,3");
    EXPECT_EQ(Grid->Cells(3, 3), u"one");
    EXPECT_EQ(Grid->Cells(3, 4), u"1,4");
    EXPECT_EQ(Grid->Cells(1, 5), u"2,5");
    EXPECT_EQ(Grid->Objects(1, 5), &A);
    Grid->SetObjects(1, 5, nullptr);
    Grid->MoveColumn(3, 1);
  }
}

// Stacked filter levels hide rows under the same numbers, so showing them all goes row by row; a
// row whose list was asked for keeps that list until it comes back, and every row gets its own
// cells and height.
TEST_F(ExGridCoreTest, StackedLevelsAllShownKeepEachRowsCellsAndAListAskedFor) {
  Grid->SetColCount(5);
  Grid->SetRowCount(10);
  Fill();
  Grid->SetRowHeights(4, 44);
  Grid->SetRowHeights(6, 46);
  HideList({2, 4});
  HideList({2, 4});  // the rows then shown as 2 and 4: real rows 3 and 6
  TStrings* Kept = Grid->HiddenRowStrings(4);
  ASSERT_NE(Kept, nullptr);
  Kept->SetStrings(1, u"kept");
  EXPECT_EQ(Grid->HiddenRowStrings(4), Kept);
  Grid->UnHideRowsAll();
  EXPECT_EQ(Grid->NumHiddenRows(), 0);
  EXPECT_EQ(Grid->RowCount(), 10);
  std::vector<String> Column;
  for (Integer r = 0; r < 10; ++r) Column.push_back(Grid->Cells(2, r));
  std::vector<String> Sorted = Column;
  std::sort(Sorted.begin(), Sorted.end());
  std::vector<String> All;
  for (Integer r = 0; r < 10; ++r) All.push_back(u"2," + IntToStr(r));
  std::sort(All.begin(), All.end());
  EXPECT_EQ(Sorted, All);  // no row lost or doubled
  for (Integer r = 0; r < 10; ++r) {
    const String Own = Grid->Cells(2, r).substr(2);
    EXPECT_EQ(Grid->Cells(3, r), u"3," + Own) << r;
    if (Own == u"4") {
      EXPECT_EQ(Grid->Cells(1, r), u"kept");
      EXPECT_EQ(Grid->RowHeights(r), 44);
    }
    if (Own == u"6") EXPECT_EQ(Grid->RowHeights(r), 46) << r;
  }
}

// ClearAll empties the texts of hidden rows too, whichever form holds them, and keeps the rows.
TEST_F(ExGridCoreTest, ClearAllEmptiesHiddenRows) {
  Grid->SetColCount(5);
  Grid->SetRowCount(10);
  Fill();
  HideList({3, 5});
  ASSERT_NE(Grid->HiddenRowStrings(5), nullptr);
  Grid->ClearAll();
  EXPECT_EQ(Grid->NumHiddenRows(), 2);
  Grid->UnHideRowsAll();
  for (Integer r : {3, 5})
    for (Integer c = 0; c < 5; ++c) EXPECT_EQ(Grid->Cells(c, r), u"") << c << "," << r;
}

TEST_F(ExGridCoreTest, MovingRowsTakesTheCellsOfHiddenColumnsAlong) {
  Fill();
  Grid->HideColumn(2);
  Grid->SetRowHeights(2, 33);
  Grid->MoveRows(2, 6, 1);
  EXPECT_EQ(Grid->Cells(2, 5), u"2,2");
  EXPECT_EQ(Grid->Cells(1, 5), u"1,2");
  EXPECT_EQ(Grid->RowHeights(5), 33);
  EXPECT_EQ(Grid->Cells(1, 2), u"1,3");
}

TEST_F(ExGridCoreTest, HiddenPropertiesAreFreedWithTheGrid) {
  // A graphic the grid owns is freed with its cell; this one counts its own destruction.
  struct TCountedGraphic : TCellGraphic {
    explicit TCountedGraphic(Integer& Count) : FCount(Count) {}
    ~TCountedGraphic() override { ++FCount; }
    Integer& FCount;
  };
  Integer Freed = 0;
  {
    TCoreGrid G(Form);
    G.SetGraphicObjectEx(2, 3, new TCountedGraphic(Freed));
    G.SetGraphicObjectEx(3, 5, new TCountedGraphic(Freed));
    G.HideColumn(2);
    G.HideRow(5);
  }
  EXPECT_EQ(Freed, 2);
}

// --- Automatic column widths ----------------------------------------------------------------------------

TEST_F(ExGridCoreTest, AutoSizeColFitsTheWidestTextWithinTheLimits) {
  Grid->SetCells(2, 3, u"a rather long cell text");
  Grid->AutoSizeCol(2, 0);
  const Integer Fit = Grid->ColWidths(2);
  EXPECT_GT(Fit, 64);
  Grid->AutoSizeCol(2, 10);
  EXPECT_EQ(Grid->ColWidths(2), Fit + 10);
  Grid->SetMaxColWidth(80);
  Grid->AutoSizeCol(2, 0);
  EXPECT_EQ(Grid->ColWidths(2), 80);
  Grid->SetMaxColWidth(0);
  Grid->SetColWidths(2, 500);
  Grid->SetSizeGrowOnly(true);
  Grid->AutoSizeCol(2, 0);
  EXPECT_EQ(Grid->ColWidths(2), 500);
}

TEST_F(ExGridCoreTest, AutoSizeColMeasuresTheDisplayColumnsRealCells) {
  Grid->SetCells(3, 1, u"wide text of the third real column");
  Grid->HideColumn(2);
  Grid->AutoSizeCol(2, 0);
  EXPECT_GT(Grid->ColWidths(2), 64);
}

// --- Selection ---------------------------------------------------------------------------------------------

TEST_F(ExGridCoreTest, RowSelectRangeErrorsCarryTheirMessages) {
  Grid->MouseActions()->SetDisjunctRowSelect(true);
  struct Case {
    const char* Name;
    bool Write;
    Integer Row;
    const char16_t* Message;
  };
  const Case Cases[] = {
      {"read below", false, -1, u"Invalid row -1 accessed"},
      {"read beyond", false, 10, u"Invalid row 10 accessed"},
      {"write below", true, -1, u"Invalid row accessed"},
      {"write beyond", true, 12, u"Invalid row accessed"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    try {
      if (C.Write)
        Grid->SetRowSelect(C.Row, true);
      else
        (void)Grid->RowSelect(C.Row);
      ADD_FAILURE() << "no error";
    } catch (const EStringGridError& E) {
      EXPECT_EQ(E.Message(), C.Message);
    }
  }
  EXPECT_THROW((void)Grid->ColSelect(5), EStringGridError);
  EXPECT_THROW(Grid->SetColSelect(-1, true), EStringGridError);
}

TEST_F(ExGridCoreTest, RowDisjunctSelectIsAskedOnlyForAChange) {
  Grid->MouseActions()->SetDisjunctRowSelect(true);
  Integer Asked = 0;
  Integer Told = 0;
  bool AllowIt = true;
  Grid->OnRowDisjunctSelect = [&](TObject*, Integer, bool, bool& Allow) {
    ++Asked;
    Allow = AllowIt;
  };
  Grid->OnRowDisjunctSelected = [&](TObject*, Integer) { ++Told; };
  Grid->SetRowSelect(5, true);
  Grid->SetRowSelect(5, true);
  EXPECT_EQ(Asked, 1);
  EXPECT_EQ(Told, 2);
  EXPECT_EQ(Grid->SelectedRowCount(), 1);
  AllowIt = false;
  Grid->SetRowSelect(5, false);
  EXPECT_TRUE(Grid->RowSelect(5));
  EXPECT_EQ(Told, 2);
}

TEST_F(ExGridCoreTest, SelectedRowsCountAndList) {
  Grid->MouseActions()->SetDisjunctRowSelect(true);
  Grid->SetRowSelect(6, true);
  Grid->SetRowSelect(2, true);
  Grid->SetRowSelect(0, true);
  EXPECT_EQ(Grid->RowSelectCount(), 3);
  EXPECT_EQ(Grid->SelectedRowCount(), 2);
  EXPECT_EQ(Grid->SelectedRow(0), 6);
  EXPECT_EQ(Grid->SelectedRow(1), 2);
  EXPECT_EQ(Grid->SelectedRow(2), -1);
  Grid->ClearRowSelect();
  EXPECT_EQ(Grid->RowSelectCount(), 0);
  EXPECT_EQ(Grid->SelectedRowCount(), 0);
}

TEST_F(ExGridCoreTest, ReadingAColumnFlagGrowsTheListOnly) {
  Grid->SetColCount(9);
  Grid->MouseActions()->SetDisjunctColSelect(true);
  EXPECT_FALSE(Grid->ColSelect(7));
  EXPECT_EQ(Grid->SelectedColCount(), 0);
  Grid->SelectCols(2, 2);
  EXPECT_EQ(Grid->SelectedColCount(), 2);
  EXPECT_TRUE(Grid->IsSelected(3, 4));
}

TEST_F(ExGridCoreTest, SelectedRowCountStopsAtTheFooter) {
  Grid->SetRowCount(7);
  Grid->SetFixedFooters(1);
  Grid->SelectCells(1, 2, 3, 6);
  EXPECT_EQ(Grid->SelectedRowCount(), 4);
}

TEST_F(ExGridCoreTest, SelectedColCountInsideAMergedArea) {
  Grid->MergeCells(1, 2, 3, 1);
  Grid->SelectCells(1, 2, 2, 2);
  EXPECT_EQ(Grid->SelectedColCount(), 3);
}

TEST_F(ExGridCoreTest, SelectedCellsListsTheRectangleColumnByColumn) {
  Grid->SelectCells(1, 2, 2, 4);
  EXPECT_EQ(Grid->SelectedCellsCount(), 6);
  EXPECT_EQ(Grid->SelectedCell(0), (TGridCoord{1, 2}));
  EXPECT_EQ(Grid->SelectedCell(3), (TGridCoord{2, 2}));
  Grid->FocusCell(3, 5);
  EXPECT_EQ(Grid->SelectedCellsCount(), 1);
  EXPECT_EQ(Grid->SelectedCell(0), (TGridCoord{Grid->Col(), Grid->Row()}));
}

TEST_F(ExGridCoreTest, DisjunctCellsPackRowAndColumn) {
  Grid->MouseActions()->SetDisjunctCellSelect(true);
  Grid->SetSelectedCells(3, 7, true);
  Grid->SetSelectedCells(3, 7, true);
  EXPECT_EQ(Grid->SelectedCellsCount(), 1);
  EXPECT_EQ(Grid->SelectedCell(0), (TGridCoord{3, 7}));
  EXPECT_TRUE(Grid->IsSelected(3, 7));
  EXPECT_FALSE(Grid->IsSelected(0, 7));
  Grid->SetSelectedCells(3, 7, false);
  EXPECT_EQ(Grid->SelectedCellsCount(), 0);
}

TEST_F(ExGridCoreTest, SelectedTextJoinsColumnsByTabAndRowsByLineBreak) {
  Fill();
  Grid->SelectCells(1, 1, 2, 2);
  EXPECT_EQ(Grid->SelectedText(), u"1,1\t2,1\r\n1,2\t2,2");
  Grid->MouseActions()->SetDisjunctRowSelect(true);
  Grid->SetRowSelect(3, true);
  Grid->SetRowSelect(5, true);
  Grid->SetRowSelect(7, true);
  const String T = Grid->SelectedText();
  EXPECT_EQ(std::count(T.begin(), T.end(), u'\n'), 2);
}

TEST_F(ExGridCoreTest, SelectRowsCutsAtTheLastRow) {
  Grid->SelectRows(8, 5);
  const TGridRect S = Grid->Selection();
  EXPECT_EQ(S.Top, 8);
  EXPECT_EQ(S.Bottom, 9);
  EXPECT_EQ(S.Left, 1);
  EXPECT_EQ(S.Right, 4);
}

TEST_F(ExGridCoreTest, DisablingTheCurrentRowMovesToAnEnabledRow) {
  Grid->SetRowEnabled(1, false);
  Grid->GotoCell(1, 3);
  Grid->SetRowEnabled(3, true);
  EXPECT_EQ(Grid->Row(), 2);
  EXPECT_TRUE(Grid->RowEnabled(3));
  EXPECT_FALSE(Grid->RowEnabled(1));
  EXPECT_TRUE(Grid->RowEnabled(50));
}

TEST_F(ExGridCoreTest, ModifiedMarksCountOnlySetRows) {
  Grid->SetRowModified(4, true);
  Grid->SetRowModified(2, true);
  Grid->SetRowModified(2, false);
  EXPECT_TRUE(Grid->RowModified(4));
  EXPECT_FALSE(Grid->RowModified(40));
  EXPECT_EQ(Grid->ModifiedRowCount(), 1);
  Grid->ClearModifiedRows();
  EXPECT_EQ(Grid->ModifiedRowCount(), 0);
}

TEST_F(ExGridCoreTest, SwapCellsMovesTextsAndProperties) {
  Grid->SetCells(1, 1, u"a");
  Grid->SetColors(1, 1, clRed);
  Grid->SetCells(2, 2, u"b");
  Grid->SwapCells(TGridCoord{1, 1}, TGridCoord{2, 2});
  EXPECT_EQ(Grid->Cells(1, 1), u"b");
  EXPECT_EQ(Grid->Cells(2, 2), u"a");
  EXPECT_EQ(Grid->Colors(2, 2), clRed);
  EXPECT_EQ(Grid->Colors(1, 1), clNone);
}

TEST_F(ExGridCoreTest, RowWriteReportsTheChangeOnce) {
  std::vector<std::pair<Integer, Integer>> Seen;
  Grid->OnRowUpdate = [&](TObject*, Integer OldRow, Integer NewRow) { Seen.emplace_back(OldRow, NewRow); };
  Grid->SetRow(4);
  Grid->SetRow(4);
  Grid->SetRow(6);
  ASSERT_EQ(Seen.size(), 2u);
  EXPECT_EQ(Seen[1], std::make_pair(4, 6));
}

TEST_F(ExGridCoreTest, HiddenSelectionComesBackOrFallsToTheFirstNormalCell) {
  Grid->SelectCells(1, 2, 3, 4);
  Grid->HideSelection();
  EXPECT_FALSE(Grid->IsSelected(2, 3));
  Grid->UnHideSelection();
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 2, 3, 4}));
  Grid->SelectCells(2, 8, 2, 8);
  Grid->HideSelection();
  Grid->SetRowCount(5);
  Grid->UnHideSelection();
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST_F(ExGridCoreTest, TopRowIgnoresValuesOutsideTheNormalRows) {
  Grid->SetRowCount(40);
  Grid->SetTopRow(5);
  EXPECT_EQ(Grid->TopRow(), 5);
  Grid->SetTopRow(0);
  EXPECT_EQ(Grid->TopRow(), 5);
  Grid->SetTopRow(40);
  EXPECT_EQ(Grid->TopRow(), 5);
}

TEST_F(ExGridCoreTest, ScrollInViewOfAVisibleCellChangesNothing) {
  Grid->SetRowCount(40);
  Grid->GotoCell(2, 3);
  Grid->ScrollInView(1, 2);
  EXPECT_EQ(Grid->Row(), 3);
  EXPECT_EQ(Grid->TopRow(), 1);
  Grid->ScrollInView(1, 30);
  EXPECT_EQ(Grid->Row(), 30);
  EXPECT_GT(Grid->TopRow(), 1);
}

TEST_F(ExGridCoreTest, SynchronisedGridFollowsColumnAndRow) {
  TCoreGrid Other(Form);
  Grid->SyncGrid()->SetGrid(&Other);
  Grid->SyncGrid()->SetSelectionColumn(true);
  Grid->SyncGrid()->SetSelectionRow(true);
  Grid->SetCol(3);
  Grid->SetRow(5);
  EXPECT_EQ(Other.Col(), 3);
  EXPECT_EQ(Other.Row(), 5);
}

// --- Properties ----------------------------------------------------------------------------------------------

TEST_F(ExGridCoreTest, SettersThatDoMoreThanStore) {
  Grid->SetSelectionColorMixerFactor(150);
  EXPECT_EQ(Grid->SelectionColorMixerFactor(), 100);
  Grid->SetSelectionColorMixerFactor(-5);
  EXPECT_EQ(Grid->SelectionColorMixerFactor(), 0);

  Grid->SetVAlignment(vtaCenter);
  EXPECT_EQ(Grid->VAlign(), 4u);
  Grid->SetVAlignment(vtaBottom);
  EXPECT_EQ(Grid->VAlign(), 8u);

  Grid->SetCursor(crHandPoint);
  EXPECT_EQ(Grid->OldCursor(), crHandPoint);

  Grid->SetNorvGradientTo(clBtnFace);
  EXPECT_EQ(Grid->NorvGradientTo(), ColorToRGB(clBtnFace));
}

TEST_F(ExGridCoreTest, SpreadSheetSwitchesItsOptionsOnWhateverTheValue) {
  Grid->SetSpreadSheet(false);
  EXPECT_TRUE(Grid->SelectionRectangle());
  EXPECT_TRUE(Grid->SelectionResizer());
  EXPECT_TRUE(Grid->Navigation()->AllowSmartClipboard());
  EXPECT_TRUE(Grid->Options().Contains(goRangeSelect));
  EXPECT_TRUE(Grid->Options().Contains(goEditing));
  EXPECT_TRUE(Grid->MouseActions()->RangeSelectAndEdit());
}

TEST_F(ExGridCoreTest, HtmlHintsChangeTheProgramsHintWindow) {
  Grid->SetShowHint(true);
  Grid->OnGridHint = [](TObject*, Integer, Integer, String& H) { H = u"cell"; };
  const TPoint P = Grid->ClientToScreen(TPoint(150, 100));
  Grid->SetUseHTMLHints(true);
  Application->ActivateHint(P);
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_EQ(Application->HintWindow()->ClassName(), u"THTMLHintWindow");
  Application->CancelHint();
  Grid->SetUseHTMLHints(false);
  Application->ActivateHint(P);
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_EQ(Application->HintWindow()->ClassName(), u"THintWindow");
  Application->CancelHint();
}

TEST_F(ExGridCoreTest, TheHintAsksForTheCellUnderTheMouse) {
  Grid->SetShowHint(true);
  Integer SeenRow = -1;
  Integer SeenCol = -1;
  Grid->OnGridHint = [&](TObject*, Integer ARow, Integer ACol, String& H) {
    SeenRow = ARow;
    SeenCol = ACol;
    H = u"row " + IntToStr(ARow);
  };
  const TRect R = Grid->CellRect(2, 3);
  Application->ActivateHint(Grid->ClientToScreen(TPoint(R.Left + 3, R.Top + 3)));
  EXPECT_EQ(SeenRow, 3);
  EXPECT_EQ(SeenCol, 2);
  EXPECT_EQ(Application->Hint(), u"row 3");
  Application->CancelHint();
}

// --- Update locking, timer, messages -----------------------------------------------------------------------

TEST_F(ExGridCoreTest, UpdateLocksNest) {
  Grid->BeginUpdate();
  Grid->BeginUpdate();
  EXPECT_TRUE(Grid->LockUpdate());
  Grid->EndUpdate();
  EXPECT_TRUE(Grid->LockUpdate());
  Grid->EndUpdate();
  EXPECT_FALSE(Grid->LockUpdate());
  Grid->BeginUpdate();
  Grid->ResetUpdate();
  EXPECT_FALSE(Grid->LockUpdate());
  Grid->EndUpdate();
  EXPECT_EQ(Grid->UpdateCount(), 0);
}

TEST_F(ExGridCoreTest, UpdateLocksOfAnInvisibleGridDoNothing) {
  Grid->SetVisible(false);
  Grid->BeginUpdate();
  EXPECT_FALSE(Grid->LockUpdate());
  Grid->StartUpdate();
  EXPECT_TRUE(Grid->LockUpdate());
  Grid->EndUpdate();
  EXPECT_TRUE(Grid->LockUpdate());
}

TEST_F(ExGridCoreTest, TheGridTimerTicksEveryHalfSecond) {
  EXPECT_NE(Grid->GridTimerID(), 0);
  TestHarness::AdvanceClock(1600);
  EXPECT_EQ(Grid->TimerTicks(), 3);
}

TEST_F(ExGridCoreTest, IncrementalSearchTextLapsesOnTheFourthTick) {
  Grid->Navigation()->SetAutoGotoIncremental(true);
  Grid->SetIncrSearchText(u"ab");
  TestHarness::AdvanceClock(1500);
  EXPECT_EQ(Grid->IncrSearchText(), u"ab");
  TestHarness::AdvanceClock(500);
  EXPECT_EQ(Grid->IncrSearchText(), u"");
}

TEST_F(ExGridCoreTest, BlinkPhaseTogglesOnlyWhenEnabled) {
  TestHarness::AdvanceClock(500);
  EXPECT_FALSE(Grid->GridBlink());
  Grid->SetEnableBlink(true);
  TestHarness::AdvanceClock(500);
  EXPECT_TRUE(Grid->GridBlink());
}

TEST_F(ExGridCoreTest, EditDoneMessageFiresEditCellDone) {
  Integer C = -1;
  Integer R = -1;
  Grid->OnEditCellDone = [&](TObject*, Integer ACol, Integer ARow) {
    C = ACol;
    R = ARow;
  };
  PostMessage(Grid->Handle(), GridEditDoneMessage, 3, 7);
  TestHarness::ProcessEvents();
  EXPECT_EQ(C, 3);
  EXPECT_EQ(R, 7);
}

TEST_F(ExGridCoreTest, EditDoneWithDoubleClickEditingEndsEditing) {
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->MouseActions()->SetEditOnDblClickOnly(true);
  PostMessage(Grid->Handle(), GridEditDoneMessage, 1, 1);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(Grid->Options().Contains(goEditing));
  EXPECT_FALSE(Grid->InEditMode());
}

TEST_F(ExGridCoreTest, ComboSelectionReportsTheRealColumn) {
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->HideColumn(1);
  Grid->OnGetEditorType = [](TObject*, Integer, Integer, TEditorType& E) { E = edComboList; };
  Grid->GotoCell(2, 3);
  Grid->ClearComboString();
  Grid->AddComboString(u"alpha");
  Grid->AddComboString(u"beta");
  Grid->SetFocus();
  TestHarness::Key(Grid, VK_F2);
  TWinControl* Combo = Grid->ComboEditorControl();
  ASSERT_NE(Combo, nullptr);
  ASSERT_TRUE(Grid->InEditMode());
  std::vector<String> Seen;
  Grid->OnComboChange = [&](TObject*, Integer ACol, Integer ARow, Integer Index, const String& Sel) {
    Seen.push_back(IntToStr(ACol) + u"," + IntToStr(ARow) + u"," + IntToStr(Index) + u"," + Sel);
  };
  Grid->SetComboSelection(0);
  TestHarness::Key(Combo, VK_DOWN);
  ASSERT_FALSE(Seen.empty());
  EXPECT_EQ(Seen.back(), u"3,3,1,beta");
}

TEST_F(ExGridCoreTest, WheelMovesTheCurrentRowByTheScrollLines) {
  Grid->SetRowCount(30);
  Grid->GotoCell(1, 2);
  TMessage M{WM_MOUSEWHEEL, MakeWParam(0, -WHEEL_DELTA), 0, 0};
  Grid->WndProc(M);
  EXPECT_EQ(Grid->Row(), 5);
  M = TMessage{WM_MOUSEWHEEL, MakeWParam(0, WHEEL_DELTA), 0, 0};
  Grid->WndProc(M);
  Grid->WndProc(M);
  EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(ExGridCoreTest, WheelScrollsWhenAskedToAndNotWhenDisabled) {
  Grid->SetRowCount(30);
  Grid->MouseActions()->SetWheelAction(waScroll);
  TMessage M{WM_MOUSEWHEEL, MakeWParam(0, -WHEEL_DELTA), 0, 0};
  Grid->WndProc(M);
  EXPECT_EQ(Grid->TopRow(), 4);
  EXPECT_EQ(Grid->Row(), 1);
  Grid->SetEnableWheel(false);
  Grid->WndProc(M);
  EXPECT_EQ(Grid->TopRow(), 4);
}

TEST_F(ExGridCoreTest, HoverFixedCellsByTheirKind) {
  struct Case {
    const char* Name;
    THoverFixedCells Kind;
    bool Col0;
    bool Row0;
  };
  const Case Cases[] = {
      {"none", hfNone, false, false},
      {"all", hfAll, true, true},
      {"fixed rows", hfFixedRows, false, true},
      {"fixed columns", hfFixedColumns, true, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetHoverFixedCells(C.Kind);
    EXPECT_EQ(Grid->IsHoverFixedCell(0, 3), C.Col0);
    EXPECT_EQ(Grid->IsHoverFixedCell(3, 0), C.Row0);
    EXPECT_FALSE(Grid->IsHoverFixedCell(3, 3));
  }
}

TEST_F(ExGridCoreTest, HoveringMakesTheCellUnderTheMouseCurrent) {
  Grid->SetHovering(true);
  const TRect R = Grid->CellRect(3, 4);
  const TPoint P = Grid->ClientToScreen(TPoint(R.Left + 2, R.Top + 2));
  SetCursorPosSource([P] { return P; });
  SetWindowFromPointSource([this](TPoint) { return Grid->Handle(); });
  TestHarness::AdvanceClock(500);
  SetCursorPosSource(nullptr);
  SetWindowFromPointSource(nullptr);
  EXPECT_EQ(Grid->Row(), 4);
  EXPECT_EQ(Grid->Col(), 3);
}

TEST_F(ExGridCoreTest, MiddleButtonPanningMovesAndStops) {
  Grid->SetRowCount(30);
  Grid->GotoCell(1, 2);
  TPoint Mouse = Grid->ClientToScreen(TPoint(100, 100));
  SetCursorPosSource([&Mouse] { return Mouse; });
  TestHarness::SendMouse(Grid, WM_MBUTTONDOWN, TPoint(100, 100), MK_MBUTTON);
  EXPECT_TRUE(Grid->Panning());
  Mouse = Grid->ClientToScreen(TPoint(100, 160));
  TestHarness::AdvanceClock(30);
  EXPECT_EQ(Grid->Row(), 5);
  // Vertical panning only: moving sideways changes no column.
  Mouse = Grid->ClientToScreen(TPoint(300, 100));
  TestHarness::AdvanceClock(30);
  EXPECT_EQ(Grid->Col(), 1);
  TestHarness::SendMouse(Grid, WM_MBUTTONDOWN, TPoint(100, 100), MK_MBUTTON);
  EXPECT_FALSE(Grid->Panning());
  const Integer Stopped = Grid->Row();
  Mouse = Grid->ClientToScreen(TPoint(100, 160));
  TestHarness::AdvanceClock(30);
  EXPECT_EQ(Grid->Row(), Stopped);
  SetCursorPosSource(nullptr);
}

TEST_F(ExGridCoreTest, EraseBackgroundErasesNothing) {
  EXPECT_EQ(Grid->Perform(WM_ERASEBKGND, 0, 0), 0);
}

}  // namespace
