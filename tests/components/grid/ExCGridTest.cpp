// The column grid: items kept in step with the columns, headers, column moves, the hooks answered
// from the items (looks, editors, check boxes, editing, sizes, formats, filter lists), the column
// popup, the column positions in an INI file and the collection stream.
#include "components/grid/ExCGrid.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "components/grid/ExCGridStream.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridFilter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/IniFiles.h"
#include "tests/TempFolder.h"

namespace {

// A grid that lets the tests reach the filter drop-down's state.
class TTestColumnGrid : public TExColumnGrid {
 public:
  explicit TTestColumnGrid(TComponent* AOwner) : TExColumnGrid(AOwner) {}
  // Picks entry Index of the filter drop-down of real column ACol as the list would.
  void ChooseFilter(Integer ACol, Integer Index) {
    FFilterCol = ACol;
    BuildFilterList(ACol);
    FDropList->Items()->Assign(FilterList());
    FDropList->SetItemIndex(Index);
    FilterListSelect();
  }
  Integer OpenFilterColumn() const { return FFilterCol; }
  // The text editor's limit and mask in display column ACol.
  Integer EditLimitIn(Integer ACol) {
    SetCol(ACol);
    return GetEditLimit();
  }
  String EditMaskOf(Integer ACol, Integer ARow) { return GetEditMask(ACol, ARow); }
};

// A menu that records where it was asked to show.
class TRecordingMenu : public TPopupMenu {
 public:
  explicit TRecordingMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}
  void Popup(Integer X, Integer Y) override {
    ++Shown;
    At = TPoint{X, Y};
  }
  Integer Shown = 0;
  TPoint At{-1, -1};
};

class ExCGridTest : public testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 700, 400);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = MakeGrid();
  }
  void TearDown() override {
    TComponent::Free(Form);
    TestHarness::UseFakeClock(false);
  }
  TTestColumnGrid* MakeGrid() {
    auto* G = new TTestColumnGrid(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 600, 300);
    return G;
  }
  // A grid as the table dialogs build theirs: streamed in, then the items numbered.
  TTestColumnGrid* MakeLoadedGrid(Integer Cols) {
    auto* G = MakeGrid();
    G->BeginLoading();
    G->SetColCount(Cols);
    G->EndLoading();
    return G;
  }
  TGridColumnItem* Item(Integer i) { return Grid->Columns()->Items(i); }
  // The texts of row 0.
  static String Headers(TExColumnGrid* G) {
    String S;
    for (Integer c = 0; c < G->ColCount(); ++c) S += (c ? u"|" : u"") + G->Cells(c, 0);
    return S;
  }
  TForm* Form = nullptr;
  TTestColumnGrid* Grid = nullptr;
};

// --- Items and columns ---------------------------------------------------------------------------

TEST_F(ExCGridTest, ANewGridHasOneItemPerColumnWithTheInitialValues) {
  ASSERT_EQ(Grid->Columns()->Count(), Grid->ColCount());
  TGridColumnItem* I = Item(2);
  EXPECT_EQ(I->Color(), Grid->Color());
  EXPECT_EQ(I->Font()->Name(), Grid->Font()->Name());
  EXPECT_EQ(I->Font()->Height(), Grid->Font()->Height());
  EXPECT_EQ(I->CheckTrue(), u"Y");
  EXPECT_EQ(I->CheckFalse(), u"N");
  EXPECT_EQ(I->Editor(), edNormal);
  EXPECT_EQ(I->Alignment(), taLeftJustify);
  EXPECT_EQ(I->DropDownCount(), 8);
  EXPECT_EQ(I->SpinStep(), 1);
  EXPECT_EQ(I->PrintColor(), clWhite);
  EXPECT_TRUE(I->PrintBorderCustom());
  EXPECT_TRUE(I->PrintFontCustom());
  EXPECT_EQ(I->PrintBorders(), (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
  EXPECT_EQ(I->BorderPen()->Color(), clSilver);
  EXPECT_EQ(I->BorderPen()->Width(), 1);
  EXPECT_EQ(I->PrintBorderPen()->Color(), clBlack);
  EXPECT_EQ(I->ColumnPopupType(), cpFixedCellsRClick);
  EXPECT_EQ(I->Width(), Grid->ColWidths(2));
  EXPECT_EQ(I->DisplayName(), u"Column 2");
  I->SetName(u"Qty");
  EXPECT_EQ(I->DisplayName(), u"Col 2: Qty");
  EXPECT_EQ(Grid->VersionString(), u"3.1.3.1 Aug, 2012");
  EXPECT_EQ(Grid->VersionNr(), 0x03010301);
}

TEST_F(ExCGridTest, NewColumnsCopyTheLookOfTheLastButTakeColourAndFontFromTheGrid) {
  Grid->SetColCount(2);
  TGridColumnItem* Last = Item(1);
  Last->SetHeader(u"Kind");
  Last->SetName(u"kind");
  Last->SetAlignment(taCenter);
  Last->SetEditor(edComboList);
  Last->SetReadOnly(true);
  Last->SetColor(clRed);
  Last->Font()->SetStyle(TFontStyles{fsItalic});
  Last->ComboItems()->Add(u"A");
  Grid->SetColor(clYellow);

  Grid->SetColCount(4);

  ASSERT_EQ(Grid->Columns()->Count(), 4);
  for (Integer i : {2, 3}) {
    SCOPED_TRACE(i);
    TGridColumnItem* I = Item(i);
    EXPECT_EQ(I->Alignment(), taCenter);
    EXPECT_EQ(I->Editor(), edComboList);
    EXPECT_TRUE(I->ReadOnly());
    EXPECT_EQ(I->Color(), clYellow);
    EXPECT_TRUE(I->Font()->Style().Empty());
    EXPECT_EQ(I->Header(), u"");
    EXPECT_EQ(I->Name(), u"");
    EXPECT_EQ(I->ComboItems()->Count(), 0);
  }
  Grid->SetColCount(3);
  EXPECT_EQ(Grid->Columns()->Count(), 3);
}

TEST_F(ExCGridTest, LoadingBringsTheItemsToTheColumnsAndNumbersThem) {
  TTestColumnGrid* G = MakeGrid();
  G->BeginLoading();
  // A count written past the column grid, as the string grid's own operations do.
  static_cast<TExStringGrid*>(G)->SetColCount(8);
  EXPECT_EQ(G->Columns()->Count(), 5);
  G->EndLoading();
  EXPECT_EQ(G->ColCount(), 8);
  ASSERT_EQ(G->Columns()->Count(), 8);
  for (Integer i = 0; i < 8; ++i) EXPECT_EQ(G->Columns()->Items(i)->DefIdx(), i);
}

TEST_F(ExCGridTest, HiddenColumnsKeepTheirItems) {
  Item(2)->SetName(u"two");
  Grid->HideColumn(2);
  EXPECT_EQ(Grid->ColCount(), 4);
  EXPECT_EQ(Grid->Columns()->Count(), 5);
  Grid->SetColCount(5);
  EXPECT_EQ(Grid->Columns()->Count(), 6);
  EXPECT_EQ(Item(2)->Name(), u"two");
}

TEST_F(ExCGridTest, ItemsOutsideTheCollectionRaiseTheListIndexError) {
  EXPECT_THROW(Grid->Columns()->Items(5), EListError);
  EXPECT_THROW(Grid->Columns()->Items(-1), EListError);
}

TEST_F(ExCGridTest, GetColumnByNameMatchesCase) {
  Item(1)->SetName(u"ABC");
  Item(3)->SetName(u"abc");
  EXPECT_EQ(Grid->GetColumnByName(u"ABC"), Item(1));
  EXPECT_EQ(Grid->GetColumnByName(u"abc"), Item(3));
  Item(3)->SetName(u"x");
  EXPECT_EQ(Grid->GetColumnByName(u"abc"), nullptr);
}

TEST_F(ExCGridTest, DeletingItemsTakesTheColumnsAlong) {
  Grid->Columns()->Items(4)->SetHeader(u"Last");
  delete Grid->Columns()->Items(1);
  EXPECT_EQ(Grid->ColCount(), 4);
  Grid->Columns()->Add();
  EXPECT_EQ(Grid->ColCount(), 5);
}

TEST_F(ExCGridTest, WidthIsTheColumnsWidth) {
  Item(1)->SetWidth(123);
  EXPECT_EQ(Grid->ColWidths(1), 123);
  Grid->SetColWidths(1, 77);
  EXPECT_EQ(Item(1)->Width(), 77);
  EXPECT_EQ(Item(1)->CachedWidth(), 77);
  TGridColumnItem Free(nullptr);
  Free.SetWidth(50);
  EXPECT_EQ(Free.Width(), 0);
}

TEST_F(ExCGridTest, InsertedAndRemovedColumnsTakeTheirItems) {
  for (Integer i = 0; i < 5; ++i) {
    Item(i)->SetName(u"n" + IntToStr(i));
    Item(i)->SetAlignment(taCenter);
  }
  Grid->InsertCols(2, 2);
  ASSERT_EQ(Grid->ColCount(), 7);
  ASSERT_EQ(Grid->Columns()->Count(), 7);
  String Names;
  for (Integer i = 0; i < 7; ++i) Names += Item(i)->Name() + u",";
  EXPECT_EQ(Names, u"n0,n1,,,n2,n3,n4,");
  // Inserted items start from the initial values, not from a neighbour's look.
  EXPECT_EQ(Item(2)->Alignment(), taLeftJustify);

  Grid->RemoveCols(1, 2);
  ASSERT_EQ(Grid->ColCount(), 5);
  ASSERT_EQ(Grid->Columns()->Count(), 5);
  Names.clear();
  for (Integer i = 0; i < 5; ++i) Names += Item(i)->Name() + u",";
  EXPECT_EQ(Names, u"n0,,n2,n3,n4,");
}

TEST_F(ExCGridTest, UngroupingGivesTheGroupedColumnItsItemBack) {
  Grid->SetRowCount(4);
  const char16_t* Kinds[] = {u"a", u"b", u"a"};
  for (Integer r = 1; r < 4; ++r) Grid->SetCells(2, r, Kinds[r - 1]);
  TGridColumnItem* I = Item(2);
  I->SetHeader(u"Kind");
  I->SetName(u"kind");
  I->SetEditor(edComboList);
  I->ComboItems()->Add(u"a");

  Grid->Group(2);
  EXPECT_EQ(Grid->GroupColumn(), 2);
  EXPECT_EQ(Grid->Columns()->Count(), Grid->ColCount() + Grid->NumHiddenColumns());
  EXPECT_EQ(Grid->GetColumnByName(u"kind"), nullptr);

  Grid->UnGroup();
  ASSERT_EQ(Grid->Columns()->Count(), 5);
  EXPECT_EQ(Item(2)->Name(), u"kind");
  EXPECT_EQ(Item(2)->Editor(), edComboList);
  EXPECT_EQ(Item(2)->ComboItems()->Count(), 1);
  EXPECT_EQ(Item(2)->Header(), u"Kind");
  EXPECT_EQ(Grid->Cells(2, 0), u"Kind");
}

// --- Headers -----------------------------------------------------------------------------------------

TEST_F(ExCGridTest, AHeaderWriteFillsItsCellAndTheHeaderList) {
  Item(0)->SetHeader(u"Nr");
  Item(1)->SetHeader(u"X");
  EXPECT_EQ(Grid->Cells(1, 0), u"X");
  ASSERT_EQ(Grid->ColumnHeaders()->Count(), 5);
  EXPECT_EQ(Grid->ColumnHeaders()->Strings(0), u"Nr");
  EXPECT_EQ(Grid->ColumnHeaders()->Strings(1), u"X");
  EXPECT_EQ(Grid->ColumnHeaders()->Strings(4), u"");
}

TEST_F(ExCGridTest, AHeaderWriteKeepsHeadersWrittenIntoTheirCells) {
  Grid->SetCells(3, 0, u"typed");
  Item(1)->SetHeader(u"X");
  EXPECT_EQ(Grid->Cells(3, 0), u"typed");
  EXPECT_EQ(Item(3)->Header(), u"typed");
}

TEST_F(ExCGridTest, AssigningColumnHeadersSetsEveryItemsHeader) {
  TStringList L;
  for (const char16_t* S : {u"a", u"b", u"c", u"d", u"e"}) L.Add(S);
  Grid->SetColumnHeaders(&L);
  for (Integer i = 0; i < 5; ++i) EXPECT_EQ(Item(i)->Header(), L.Strings(i)) << i;
  EXPECT_EQ(Headers(Grid), u"a|b|c|d|e");
}

TEST_F(ExCGridTest, WithoutFixedRowsAHeaderStaysInTheItem) {
  Grid->SetFixedRows(0);
  Grid->SetCells(1, 0, u"data");
  Item(1)->SetHeader(u"X");
  EXPECT_EQ(Grid->Cells(1, 0), u"data");
  EXPECT_EQ(Item(1)->Header(), u"X");
}

// --- Column moves -----------------------------------------------------------------------------------

TEST_F(ExCGridTest, AMovedColumnTakesItsItemAlong) {
  Grid->SetColCount(3);
  Grid->SetFixedCols(0);
  for (Integer i = 0; i < 3; ++i) Item(i)->SetHeader(String(1, u'A' + i));
  TGridColumnItem* Moved = Item(0);
  Moved->SetEditor(edDataCheckBox);
  Moved->SetCheckTrue(u"J");
  Moved->SetReadOnly(true);
  Integer From = -1, To = -1;
  Grid->OnAfterColumnMoved = [&](TObject*, Integer F, Integer T) {
    From = F;
    To = T;
  };

  Grid->MoveColumn(0, 2);

  EXPECT_EQ(Item(2), Moved);
  EXPECT_EQ(Item(2)->Editor(), edDataCheckBox);
  EXPECT_EQ(Item(2)->CheckTrue(), u"J");
  EXPECT_EQ(Headers(Grid), u"B|C|A");
  EXPECT_EQ(Grid->ColumnHeaders()->Strings(2), u"A");
  EXPECT_EQ(From, 0);
  EXPECT_EQ(To, 2);
  EXPECT_FALSE(Grid->ColMoving());
  String T;
  Grid->GetCheckTrue(2, 1, T);
  EXPECT_EQ(T, u"J");
}

// --- Hooks: looks ------------------------------------------------------------------------------------

TEST_F(ExCGridTest, CellColoursAndFontsComeFromTheItem) {
  TGridColumnItem* I = Item(2);
  I->SetColor(clAqua);
  I->Font()->SetColor(clRed);
  I->HeaderFont()->SetStyle(TFontStyles{fsBold});
  Grid->SetFixedColor(clBtnFace);
  TBrush Brush;
  TFont Font;
  struct Case {
    const char* Name;
    std::function<void()> Setup;
    Integer Row;
    TColor Brush;
    TColor FontColor;
    bool Bold;
  };
  const Case Cases[] = {
      {"normal cell", [] {}, 3, clAqua, clRed, false},
      {"header cell", [] {}, 0, clNone, Grid->Font()->Color(), true},
      {"fixed item", [&] { I->SetFixed(true); }, 3, clBtnFace, clRed, false},
      {"banded item", [&] { I->SetFixed(false), I->SetShowBands(true), Grid->Bands()->SetActive(true); }, 3, clNone,
       clRed, false},
      {"own cell colours win", [&] {
         I->SetShowBands(false);
         Grid->SetColors(2, 3, clLime);
         Grid->SetFontColors(2, 3, clBlue);
       }, 3, clLime, clBlue, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    C.Setup();
    Brush.SetColor(clNone);
    Font.SetColor(clBlack);
    Grid->GetCellColor(2, C.Row, TGridDrawState(), &Brush, &Font);
    EXPECT_EQ(Brush.Color(), C.Brush);
    EXPECT_EQ(Font.Color(), C.FontColor);
    EXPECT_EQ(Font.Style().Contains(fsBold), C.Bold);
  }
}

TEST_F(ExCGridTest, AlignmentComesFromTheItemUnlessTheCellHasItsOwn) {
  Item(1)->SetAlignment(taCenter);
  Item(1)->SetHeaderAlignment(taRightJustify);
  TAlignment H = taLeftJustify;
  TVAlignment V = vtaTop;
  Grid->GetCellAlignment(1, 2, H, V);
  EXPECT_EQ(H, taCenter);
  Grid->GetCellAlignment(1, 0, H, V);
  EXPECT_EQ(H, taRightJustify);
  // A cell's own alignment wins over the item's.
  Grid->SetAlignments(1, 4, taLeftJustify);
  Grid->GetCellAlignment(1, 4, H, V);
  EXPECT_EQ(H, taLeftJustify);
}

TEST_F(ExCGridTest, NewCellPropertiesTakeTheItemsLook) {
  Item(3)->SetColor(clAqua);
  Item(3)->SetAlignment(taRightJustify);
  Item(3)->Font()->SetColor(clRed);
  TCellProperties* P = Grid->GetCellProperties(3, 2);
  EXPECT_EQ(P->BrushColor(), clAqua);
  EXPECT_EQ(P->Alignment(), taRightJustify);
  EXPECT_EQ(P->FontColor(), clRed);
  EXPECT_EQ(Grid->GetCellProperties(3, 0)->BrushColor(), clNone);
}

TEST_F(ExCGridTest, BordersComeFromTheItemInNormalCells) {
  Item(1)->SetBorders(TCellBorders{cbLeft});
  Item(1)->BorderPen()->SetColor(clRed);
  Item(1)->BorderPen()->SetWidth(2);
  TPen Pen;
  TCellBorders B;
  Grid->GetCellBorder(1, 2, &Pen, B);
  EXPECT_EQ(B, TCellBorders{cbLeft});
  EXPECT_EQ(Pen.Color(), clRed);
  EXPECT_EQ(Pen.Width(), 2);
  TCellBorders Header;
  Grid->GetCellBorder(1, 0, &Pen, Header);
  EXPECT_TRUE(Header.Empty());
}

TEST_F(ExCGridTest, PrintColoursFontsAndBordersComeFromTheItem) {
  TGridColumnItem* I = Item(2);
  I->SetPrintColor(clCream);
  I->PrintFont()->SetName(u"Courier New");
  I->PrintFont()->SetColor(clNavy);
  I->SetPrintBorders(TCellBorders{cbBottom});
  I->PrintBorderPen()->SetWidth(3);
  TBrush Brush;
  TFont Font;
  Grid->GetCellPrintColor(2, 3, TGridDrawState(), &Brush, &Font);
  EXPECT_EQ(Brush.Color(), clCream);
  EXPECT_EQ(Font.Name(), u"Courier New");
  EXPECT_EQ(Font.Color(), clNavy);
  // The cell's own colours are printed over the item's.
  Grid->SetColors(2, 4, clLime);
  Grid->SetFontColors(2, 4, clMaroon);
  Grid->GetCellPrintColor(2, 4, TGridDrawState(), &Brush, &Font);
  EXPECT_EQ(Brush.Color(), clLime);
  EXPECT_EQ(Font.Color(), clMaroon);
  TPen Pen;
  TCellBorders B;
  Grid->GetCellPrintBorder(2, 3, &Pen, B);
  EXPECT_EQ(B, TCellBorders{cbBottom});
  EXPECT_EQ(Pen.Width(), 3);
  // Without the custom flags the print settings decide.
  I->SetPrintBorderCustom(false);
  TCellBorders None;
  Grid->GetCellPrintBorder(2, 3, &Pen, None);
  EXPECT_TRUE(None.Empty());
  I->SetFixed(true);
  Grid->GetCellPrintColor(2, 3, TGridDrawState(), &Brush, &Font);
  EXPECT_EQ(Brush.Color(), Grid->FixedColor());
}

// --- Hooks: editing ---------------------------------------------------------------------------------

TEST_F(ExCGridTest, TheEditorOfANormalCellComesFromItsItem) {
  TGridColumnItem* I = Item(2);
  I->SetEditor(edComboList);
  for (const char16_t* S : {u"one", u"two", u"three"}) I->ComboItems()->Add(S);
  I->SetDropDownCount(3);
  TEditorType E = edNormal;
  Grid->GetCellEditor(2, 3, E);
  EXPECT_EQ(E, edComboList);
  ASSERT_NE(Grid->Combobox(), nullptr);
  EXPECT_EQ(Grid->Combobox()->Items()->Count(), 3);
  EXPECT_EQ(Grid->Combobox()->Items()->Strings(2), u"three");
  EXPECT_EQ(Grid->ControlLook()->DropDownCount(), 3);
  E = edNormal;
  Grid->GetCellEditor(2, 0, E);
  EXPECT_EQ(E, edNormal);
  // The application's event still has the last word.
  Grid->OnGetEditorType = [](TObject*, Integer, Integer, TEditorType& A) { A = edNone; };
  Grid->GetCellEditor(2, 3, E);
  EXPECT_EQ(E, edNone);
}

TEST_F(ExCGridTest, ASpinColumnSetsTheSpinEditorsRange) {
  Item(1)->SetEditor(edSpinEdit);
  Item(1)->SetSpinMin(-5);
  Item(1)->SetSpinMax(5);
  Item(1)->SetSpinStep(2);
  TEditorType E = edNormal;
  Grid->GetCellEditor(1, 1, E);
  EXPECT_EQ(E, edSpinEdit);
  EXPECT_EQ(Grid->SpinEdit()->MinValue(), -5);
  EXPECT_EQ(Grid->SpinEdit()->MaxValue(), 5);
  EXPECT_EQ(Grid->SpinEdit()->Increment(), 2);
}

TEST_F(ExCGridTest, ComboColumnsHaveAComboBox) {
  const struct {
    const char* Name;
    TEditorType Editor;
    Integer Row;
    bool Has;
  } Cases[] = {
      {"combo list", edComboList, 2, true},
      {"combo edit", edComboEdit, 2, true},
      {"text", edNormal, 2, false},
      {"header of a combo column", edComboList, 0, false},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Item(1)->SetEditor(C.Editor);
    EXPECT_EQ(Grid->HasComboBox(1, C.Row), C.Has);
  }
  // The application's event still has the last word.
  Item(1)->SetEditor(edNormal);
  Grid->OnHasComboBox = [](TObject*, Integer, Integer, bool& Has) { Has = !Has; };
  EXPECT_TRUE(Grid->HasComboBox(1, 2));
}

TEST_F(ExCGridTest, ReadOnlyAndFixedItemsCannotBeEdited) {
  struct Case {
    const char* Name;
    std::function<void()> Setup;
    Integer Col, Row;
    bool CanEdit;
  };
  const Case Cases[] = {
      {"plain normal cell", [] {}, 2, 3, true},
      {"header cell", [] {}, 2, 0, false},
      {"fixed column", [] {}, 0, 3, false},
      {"read-only item", [&] { Item(2)->SetReadOnly(true); }, 2, 3, false},
      {"read-only item, cell with its own properties", [&] { Grid->SetReadOnly(2, 4, false); }, 2, 4, false},
      {"fixed item", [&] { Item(2)->SetReadOnly(false), Item(2)->SetFixed(true); }, 2, 3, false},
      {"read-only cell in an editable column", [&] {
         Item(2)->SetFixed(false);
         Grid->SetReadOnly(2, 5, true);
       }, 2, 5, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    C.Setup();
    bool Can = true;
    Grid->CanEditCell(C.Col, C.Row, Can);
    EXPECT_EQ(Can, C.CanEdit);
  }
}

TEST_F(ExCGridTest, CanEditCellAsksTheApplicationWithTheBaseCell) {
  Grid->MergeCells(2, 3, 2, 2);
  Integer R = -1, C = -1;
  Grid->OnCanEditCell = [&](TObject*, Integer ARow, Integer ACol, bool& Can) {
    R = ARow;
    C = ACol;
    EXPECT_TRUE(Can);
    Can = false;
  };
  bool Can = true;
  Grid->CanEditCell(3, 4, Can);
  EXPECT_FALSE(Can);
  EXPECT_EQ(R, 3);
  EXPECT_EQ(C, 2);
}

TEST_F(ExCGridTest, WhileLoadingNoCellCanBeEdited) {
  Grid->BeginLoading();
  bool Can = true;
  Grid->CanEditCell(2, 3, Can);
  EXPECT_FALSE(Can);
  Grid->EndLoading();
  Grid->CanEditCell(2, 3, Can);
  EXPECT_TRUE(Can);
}

TEST_F(ExCGridTest, FixedPasswordAndLimitsComeFromTheItem) {
  Item(3)->SetFixed(true);
  Item(3)->SetPassword(true);
  Item(2)->SetEditLength(6);
  Item(2)->SetEditMask(u"000");
  bool Fixed = false;
  Grid->IsFixedCell(3, 2, Fixed);
  EXPECT_TRUE(Fixed);
  EXPECT_TRUE(Grid->IsFixed(3, 2));
  bool Password = false;
  Grid->IsPasswordCell(3, 2, Password);
  EXPECT_TRUE(Password);
  EXPECT_EQ(Grid->EditLimitIn(2), 6);
  EXPECT_EQ(Grid->EditLimitIn(1), 0);
  EXPECT_EQ(Grid->EditMaskOf(2, 2), u"000");
  // The grid's own mask wins when it has one.
  Grid->SetEditMask(u"AAA");
  EXPECT_EQ(Grid->EditMaskOf(2, 2), u"AAA");
}

// --- Hooks: check boxes --------------------------------------------------------------------------------

TEST_F(ExCGridTest, ADataCheckBoxColumnShowsACheckBoxInEveryNormalCell) {
  TGridColumnItem* I = Item(1);
  I->SetEditor(edDataCheckBox);
  Grid->SetCells(1, 2, u"Y");
  Grid->SetCells(1, 3, u"N");
  Grid->SetCells(1, 4, u"yes");
  TCellGraphic* G = Grid->GetCellGraphic(1, 5);
  ASSERT_NE(G, nullptr);
  EXPECT_EQ(G->CellType(), ctVirtCheckBox);
  EXPECT_EQ(Grid->GetCellType(1, 5), ctDataCheckBox);
  EXPECT_EQ(Grid->GetCellGraphic(1, 0), nullptr);
  EXPECT_EQ(Grid->GetCellGraphic(2, 5), nullptr);
  EXPECT_TRUE(Grid->HasCheckBox(1, 2));
  EXPECT_TRUE(Grid->IsChecked(1, 2));
  EXPECT_FALSE(Grid->IsChecked(1, 3));
  EXPECT_FALSE(Grid->IsChecked(1, 4));
  Grid->SetCheckBoxState(1, 3, true);
  EXPECT_EQ(Grid->Cells(1, 3), u"Y");
  Grid->SetCheckBoxState(1, 3, false);
  EXPECT_EQ(Grid->Cells(1, 3), u"N");
}

TEST_F(ExCGridTest, TheItemsCheckTextsWinOverTheGridsEvents) {
  Item(1)->SetEditor(edDataCheckBox);
  Item(1)->SetCheckTrue(u"X");
  Item(1)->SetCheckFalse(u"-");
  Grid->OnGetCheckTrue = [](TObject*, Integer, Integer, String& V) { V = u"Q"; };
  Grid->SetCells(1, 2, u"X");
  Grid->SetCells(1, 3, u"Q");
  EXPECT_TRUE(Grid->IsChecked(1, 2));
  EXPECT_FALSE(Grid->IsChecked(1, 3));
  Grid->SetCheckBoxState(1, 3, false);
  EXPECT_EQ(Grid->Cells(1, 3), u"-");
  // The header row is no normal cell: the event answers there.
  String T;
  Grid->GetCheckTrue(1, 0, T);
  EXPECT_EQ(T, u"Q");
}

TEST_F(ExCGridTest, TheSharedCheckBoxIsTransparentOnlyInTheFlatStyle) {
  Item(1)->SetEditor(edDataCheckBox);
  Grid->ControlLook()->SetControlStyle(csFlat);
  EXPECT_TRUE(Grid->GetCellGraphic(1, 2)->CellTransparent());
  Grid->ControlLook()->SetControlStyle(csClassic);
  EXPECT_FALSE(Grid->GetCellGraphic(1, 2)->CellTransparent());
}

// --- Hooks: sizes and formats ----------------------------------------------------------------------

TEST_F(ExCGridTest, ColumnSizesStayWithinTheItemsLimits) {
  struct Case {
    const char* Name;
    Integer Min, Max;
    bool Auto;
    Integer Asked, Given;
  };
  const Case Cases[] = {
      {"below the minimum", 40, 0, false, 10, 40},
      {"no minimum", 0, 0, false, 10, 10},
      {"above the maximum", 0, 50, false, 80, 50},
      {"within both", 20, 50, false, 30, 30},
      {"automatic below the minimum", 40, 0, true, 10, 40},
      {"automatic above the maximum", 0, 50, true, 80, 50},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TGridColumnItem* I = Item(2);
    I->SetMinSize(C.Auto ? 0 : C.Min);
    I->SetMaxSize(C.Auto ? 0 : C.Max);
    I->SetAutoMinSize(C.Auto ? C.Min : 0);
    I->SetAutoMaxSize(C.Auto ? C.Max : 0);
    Integer W = C.Asked;
    if (C.Auto)
      Grid->UpdateAutoColumnSize(2, W);
    else
      Grid->UpdateColumnSize(2, W);
    EXPECT_EQ(W, C.Given);
  }
}

TEST_F(ExCGridTest, DraggingAColumnNarrowerThanItsMinimumStopsAtTheMinimum) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  // Drags the right border of column 2 in the header row to 10 pixels from the column's left.
  auto SizeTo10 = [this]() {
    const TRect R = Grid->CellRect(2, 0);
    const TPoint From{R.Right - 1, 10}, To{R.Left + 10, 10};
    TestHarness::SendMouse(Grid, WM_MOUSEMOVE, From, 0);
    TestHarness::SendMouse(Grid, WM_LBUTTONDOWN, From, MK_LBUTTON);
    TestHarness::SendMouse(Grid, WM_MOUSEMOVE, TPoint{(From.X + To.X) / 2, 10}, MK_LBUTTON);
    TestHarness::SendMouse(Grid, WM_MOUSEMOVE, To, MK_LBUTTON);
    TestHarness::SendMouse(Grid, WM_LBUTTONUP, To, 0);
  };
  Item(2)->SetMinSize(40);
  SizeTo10();
  EXPECT_EQ(Grid->ColWidths(2), 40);
  EXPECT_EQ(Item(2)->Width(), 40);
  Item(2)->SetMinSize(0);
  Grid->SetColWidths(2, 64);
  SizeTo10();
  EXPECT_LE(Grid->ColWidths(2), 11);  // where the border lands, give or take its line
}

TEST_F(ExCGridTest, FloatFormatFormatsNumbersOnly) {
  FormatSettings.DecimalSeparator = u'.';
  Item(1)->SetFloatFormat(u"%.1f");
  const struct {
    const char* Name;
    String Text, Shown;
  } Cases[] = {
      {"float", u"3.14159", u"3.1"},
      {"integer", u"7", u"7.0"},
      {"text", u"abc", u"abc"},
      {"empty", u"", u""},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(1, 2, C.Text);
    EXPECT_EQ(Grid->GetFormattedCell(1, 2), C.Shown);
    EXPECT_EQ(Grid->SaveCell(1, 2), C.Shown);
  }
  EXPECT_EQ(Grid->GetCellFloatFormat(1, 2), u"%.1f");
  EXPECT_EQ(Grid->GetCellFloatFormat(2, 2), Grid->FloatFormat());
  // A format that takes no number shows the stored text.
  Item(1)->SetFloatFormat(u"%s items");
  Grid->SetCells(1, 2, u"5");
  EXPECT_EQ(Grid->GetFormattedCell(1, 2), u"5");
}

TEST_F(ExCGridTest, SortFormatComesFromTheItem) {
  Item(2)->SetSortStyle(ssNumeric);
  Item(2)->SetSortPrefix(u"$");
  Item(2)->SetSortSuffix(u"%");
  TSortStyle S = ssAutomatic;
  String P, X;
  Grid->GetColFormat(2, S, P, X);
  EXPECT_EQ(S, ssNumeric);
  EXPECT_EQ(P, u"$");
  EXPECT_EQ(X, u"%");
}

TEST_F(ExCGridTest, ChangeScaleScalesTheItemsFonts) {
  Item(1)->Font()->SetSize(10);
  Item(1)->HeaderFont()->SetSize(8);
  Grid->ChangeScale(3, 2);
  EXPECT_EQ(Item(1)->Font()->Size(), 15);
  EXPECT_EQ(Item(1)->HeaderFont()->Size(), 12);
}

// --- Filter drop-down ---------------------------------------------------------------------------------

TEST_F(ExCGridTest, AColumnsFilterEntriesMakeItsDropDownList) {
  for (Integer r = 1; r < 10; ++r) Grid->SetCells(2, r, IntToStr(r * 3));
  TGridColumnItem* I = Item(2);
  I->Filter()->Add(u"Small=<10");
  I->Filter()->Add(u"Large=>=10");
  I->Filter()->Add(u"<5");
  Grid->SetAutoFilterDisplay(true);
  ASSERT_TRUE(Grid->BuildFilterList(2));
  ASSERT_EQ(Grid->FilterList()->Count(), 3);
  EXPECT_EQ(Grid->FilterList()->Strings(0), u"Small");
  EXPECT_EQ(Grid->FilterList()->Strings(1), u"Large");
  EXPECT_EQ(Grid->FilterList()->Strings(2), u"<5");
  String Seen;
  Grid->OnFilterSelect = [&](TObject*, Integer, Integer, const String& Name, String&) { Seen = Name; };

  Grid->ChooseFilter(2, 1);

  EXPECT_EQ(Seen, u"Large");
  EXPECT_EQ(Grid->Filter()->ColumnFilter(2)->Condition(), u">=10");
  EXPECT_EQ(I->Header(), u"Large");
  EXPECT_EQ(Grid->Cells(2, 0), u"Large");
  EXPECT_EQ(Grid->OpenFilterColumn(), -1);
}

TEST_F(ExCGridTest, AChoiceOutsideTheEntriesOnlyClosesTheList) {
  Item(2)->Filter()->Add(u"Small=<10");
  Grid->ChooseFilter(2, 4);
  EXPECT_FALSE(Grid->Filter()->HasFilter(2));
  EXPECT_EQ(Grid->OpenFilterColumn(), -1);
}

// --- Column popup ---------------------------------------------------------------------------------------

TEST_F(ExCGridTest, TheColumnPopupOpensForItsClickAtTheCellsBottomLeft) {
  auto* Menu = new TRecordingMenu(Form);
  Item(2)->SetColumnPopup(Menu);
  Integer AskedCol = -1, AskedRow = -1;
  Grid->OnColumnPopup = [&](TObject*, Integer ACol, Integer ARow, TPopupMenu* M) {
    AskedCol = ACol;
    AskedRow = ARow;
    EXPECT_EQ(M, Menu);
  };
  struct Case {
    const char* Name;
    TColumnPopupType Type;
    TMouseButton Button;
    Integer Row;
    bool Asked, Shown;
  };
  const Case Cases[] = {
      {"right click on the header", cpFixedCellsRClick, mbRight, 0, true, true},
      {"right click on a normal cell for headers", cpFixedCellsRClick, mbRight, 2, true, false},
      {"right click on a normal cell", cpNormalCellsRClick, mbRight, 2, true, true},
      {"left click for right-click menus", cpAllCellsRClick, mbLeft, 2, false, false},
      {"left click on any cell", cpAllCellsLClick, mbLeft, 2, true, true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Item(2)->SetColumnPopupType(C.Type);
    Menu->Shown = 0;
    AskedCol = AskedRow = -1;
    const TRect R = Grid->CellRect(2, C.Row);
    TestHarness::MouseDown(Grid, C.Button, TPoint{R.Left + 5, R.Top + 5});
    TestHarness::MouseUp(Grid, C.Button, TPoint{R.Left + 5, R.Top + 5});
    EXPECT_EQ(AskedCol, C.Asked ? 2 : -1);
    EXPECT_EQ(AskedRow, C.Asked ? C.Row : -1);
    EXPECT_EQ(Menu->Shown, C.Shown ? 1 : 0);
    if (C.Shown) {
      const TPoint P = Grid->ClientToScreen(TPoint{R.Left, R.Bottom});
      EXPECT_EQ(Menu->At.X, P.X);
      EXPECT_EQ(Menu->At.Y, P.Y);
    }
  }
}

TEST_F(ExCGridTest, AFreedMenuOrEditLinkLeavesTheItems) {
  auto* Menu = new TPopupMenu(Form);
  Item(1)->SetColumnPopup(Menu);
  Item(3)->SetColumnPopup(Menu);
  TComponent::Free(Menu);
  EXPECT_EQ(Item(1)->ColumnPopup(), nullptr);
  EXPECT_EQ(Item(3)->ColumnPopup(), nullptr);
  // The grid is not disturbed by a click on that column any more.
  TestHarness::MouseDown(Grid, mbRight, TPoint{Grid->CellRect(1, 0).Left + 3, 3});
  TestHarness::MouseUp(Grid, mbRight, TPoint{Grid->CellRect(1, 0).Left + 3, 3});
}

// --- Column positions ----------------------------------------------------------------------------------

class ExCGridPositionsTest : public ExCGridTest {
 protected:
  void SetUp() override {
    ExCGridTest::SetUp();
    File = Folder.File(u"positions.ini");
  }
  // A three-column grid without fixed column, its headers A, B, C.
  TTestColumnGrid* ThreeColumns() {
    TTestColumnGrid* G = MakeLoadedGrid(3);
    G->SetFixedCols(0);
    for (Integer i = 0; i < 3; ++i) G->Columns()->Items(i)->SetHeader(String(1, u'A' + i));
    return G;
  }
  String DefIdxs(TExColumnGrid* G) {
    String S;
    for (Integer i = 0; i < G->Columns()->Count(); ++i) S += IntToStr(G->Columns()->Items(i)->DefIdx());
    return S;
  }
  TTempFolder Folder{"colgrid"};
  String File;
};

TEST_F(ExCGridPositionsTest, SavedPositionsRestoreTheOrderOnAFreshGrid) {
  TTestColumnGrid* G = ThreeColumns();
  G->MoveColumn(0, 2);
  G->SaveColumnPositions(File, u"Grid");
  TIniFile Ini(File);
  EXPECT_EQ(Ini.ReadInteger(u"Grid", u"CP0", -1), 1);
  EXPECT_EQ(Ini.ReadInteger(u"Grid", u"CP1", -1), 2);
  EXPECT_EQ(Ini.ReadInteger(u"Grid", u"CP2", -1), 0);

  TTestColumnGrid* Fresh = ThreeColumns();
  Fresh->LoadColumnPositions(File, u"Grid");
  EXPECT_EQ(Headers(Fresh), u"B|C|A");
  EXPECT_EQ(DefIdxs(Fresh), u"120");
  EXPECT_EQ(Fresh->Columns()->Items(2)->Header(), u"A");
}

TEST_F(ExCGridPositionsTest, TheColumnSizeSettingsChooseTheIniFile) {
  TTestColumnGrid* G = ThreeColumns();
  G->ColumnSize()->SetLocation(clIniFile);
  G->ColumnSize()->SetKey(File);
  G->ColumnSize()->SetSection(u"S");
  G->MoveColumn(2, 0);
  G->SaveColPositions();
  TTestColumnGrid* Fresh = ThreeColumns();
  Fresh->ColumnSize()->SetLocation(clIniFile);
  Fresh->ColumnSize()->SetKey(File);
  Fresh->ColumnSize()->SetSection(u"S");
  Fresh->LoadColPositions();
  EXPECT_EQ(Headers(Fresh), u"C|A|B");
}

TEST_F(ExCGridPositionsTest, ASectionThatIsIncompleteOrDamagedChangesNothing) {
  struct Case {
    const char* Name;
    const char* Text;
    bool Raises;
  };
  const Case Cases[] = {
      {"no CP2", "[Grid]\r\nCP0=1\r\nCP1=2\r\n", false},
      {"no section", "[Other]\r\nCP0=1\r\nCP1=2\r\nCP2=0\r\n", false},
      {"a position naming no column", "[Grid]\r\nCP0=1\r\nCP1=7\r\nCP2=0\r\n", true},
      {"a column named twice", "[Grid]\r\nCP0=1\r\nCP1=1\r\nCP2=0\r\n", true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    {
      std::ofstream Out(StringToUtf8(File), std::ios::binary);
      Out << C.Text;
    }
    TTestColumnGrid* G = ThreeColumns();
    if (C.Raises)
      EXPECT_THROW(G->LoadColumnPositions(File, u"Grid"), EListError);
    else
      G->LoadColumnPositions(File, u"Grid");
    EXPECT_EQ(Headers(G), u"A|B|C");
    EXPECT_EQ(DefIdxs(G), u"012");
  }
}

// --- The collection stream --------------------------------------------------------------------------------

// The bytes of a hand-written hex fixture: hex pairs, "ASCII text", # comments.
std::string FixtureBytes(const char* Name) {
  std::ifstream In(std::string(KP_FIXTURES_DIR) + "/components/grid/colgrid/" + Name);
  std::string Bytes, Line;
  while (std::getline(In, Line)) {
    for (size_t i = 0; i < Line.size();) {
      const char c = Line[i];
      if (c == '#') break;
      if (c == '"') {
        const size_t End = Line.find('"', i + 1);
        Bytes += Line.substr(i + 1, End - i - 1);
        i = End + 1;
      } else if (std::isxdigit(static_cast<unsigned char>(c))) {
        Bytes.push_back(static_cast<char>(std::stoi(Line.substr(i, 2), nullptr, 16)));
        i += 2;
      } else {
        ++i;
      }
    }
  }
  return Bytes;
}

class ExCGridStreamTest : public ExCGridTest {
 protected:
  // The one-column grid of the fixture.
  TTestColumnGrid* OneColumn() {
    TTestColumnGrid* G = MakeGrid();
    G->SetFixedCols(0);
    G->SetColCount(1);
    TGridColumnItem* I = G->Columns()->Items(0);
    TFont Plain;
    I->SetFont(&Plain);
    I->SetPrintFont(&Plain);
    Plain.SetStyle(TFontStyles{fsBold});
    I->SetHeaderFont(&Plain);
    I->SetAlignment(taCenter);
    I->SetBorders(TCellBorders{cbTop, cbBottom});
    I->SetColor(clYellow);
    I->ComboItems()->Add(u"A");
    I->ComboItems()->Add(u"B");
    I->SetEditor(edComboList);
    I->SetHeader(u"Gr\u00F6\u00DFe");
    I->SetName(u"Qty");
    I->SetReadOnly(true);
    I->SetTag(300);
    I->SetWidth(80);
    return G;
  }
};

TEST_F(ExCGridStreamTest, TheStreamOfOneColumnIsTheFixture) {
  TTestColumnGrid* G = OneColumn();
  TMemoryStream S;
  G->SaveColumnsToStream(&S);
  EXPECT_EQ(S.Bytes(), FixtureBytes("one-column.hex"));
}

TEST_F(ExCGridStreamTest, TheFixtureLoadsIntoAGrid) {
  TTestColumnGrid* G = MakeGrid();
  G->SetFixedCols(0);
  G->SetColCount(1);
  TMemoryStream S;
  const std::string Bytes = FixtureBytes("one-column.hex");
  S.WriteBuffer(Bytes);
  S.SetPosition(0);
  G->LoadColumnsFromStream(&S);
  TGridColumnItem* I = G->Columns()->Items(0);
  EXPECT_EQ(I->Header(), u"Gr\u00F6\u00DFe");
  EXPECT_EQ(G->Cells(0, 0), u"Gr\u00F6\u00DFe");
  EXPECT_EQ(I->Editor(), edComboList);
  EXPECT_EQ(I->ComboItems()->Count(), 2);
  EXPECT_EQ(I->Color(), clYellow);
  EXPECT_TRUE(I->HeaderFont()->Style().Contains(fsBold));
  EXPECT_EQ(I->Tag(), 300);
  EXPECT_EQ(G->ColWidths(0), 80);
}

TEST_F(ExCGridStreamTest, SavingAndLoadingKeepsEverySettingAndWidth) {
  Grid->SetColCount(3);
  TGridColumnItem* I = Item(1);
  I->SetAutoMinSize(11);
  I->SetAutoMaxSize(222);
  I->SetAlignment(taRightJustify);
  I->SetBorders(TCellBorders{cbLeft, cbRight});
  I->BorderPen()->SetColor(0x123456);
  I->BorderPen()->SetWidth(3);
  I->BorderPen()->SetStyle(psDot);
  I->SetCheckFalse(u"nein");
  I->SetCheckTrue(u"ja");
  I->SetColor(0x00ABCDEF);
  I->SetColumnPopupType(cpAllCellsLClick);
  I->ComboItems()->Add(u"x");
  I->SetDropDownCount(12);
  I->SetEditLength(40);
  I->SetEditMask(u"!99");
  I->SetEditor(edDataCheckBox);
  I->Filter()->Add(u"Big=>100");
  I->SetFilterCaseSensitive(true);
  I->SetFixed(true);
  I->SetFloatFormat(u"%.3f");
  I->Font()->SetName(u"Courier New");
  I->Font()->SetHeight(-15);
  I->Font()->SetStyle(TFontStyles{fsItalic, fsUnderline});
  I->Font()->SetPitch(fpFixed);
  I->Font()->SetCharset(238);
  I->SetHeader(String(300, u'h'));
  I->SetHeaderAlignment(taCenter);
  I->HeaderFont()->SetColor(clMaroon);
  I->SetMinSize(5);
  I->SetMaxSize(500);
  I->SetName(u"col\u00E9");
  I->SetPassword(true);
  I->SetPrintBorderCustom(false);
  I->SetPrintBorders(TCellBorders{cbTop});
  I->PrintBorderPen()->SetMode(pmXor);
  I->SetPrintColor(clNone);
  I->SetPrintFontCustom(false);
  I->PrintFont()->SetOrientation(900);
  I->SetReadOnly(true);
  I->SetShowBands(true);
  I->SetSortStyle(ssAlphaNumericNoCase);
  I->SetSortPrefix(u"<");
  I->SetSortSuffix(u">");
  I->SetSpinMax(100000);
  I->SetSpinMin(-100000);
  I->SetSpinStep(7);
  I->SetTag(-3);
  I->SetWidth(97);
  Item(2)->SetWidth(33);
  TMemoryStream S;
  Grid->SaveColumnsToStream(&S);

  // The items go and the widths change; then the stream brings them back.
  Grid->Columns()->Clear();
  Grid->SetColWidths(1, 10);
  Grid->SetColWidths(2, 10);
  S.SetPosition(0);
  Grid->LoadColumnsFromStream(&S);

  ASSERT_EQ(Grid->Columns()->Count(), 3);
  // Every setting is in the stream, so saving again gives the same bytes.
  TMemoryStream Again;
  Grid->SaveColumnsToStream(&Again);
  EXPECT_EQ(Again.Bytes(), S.Bytes());
  TGridColumnItem* L = Item(1);
  EXPECT_EQ(L->BorderPen()->Style(), psDot);
  EXPECT_EQ(L->Font()->Name(), u"Courier New");
  EXPECT_EQ(L->Font()->Pitch(), fpFixed);
  EXPECT_EQ(L->Font()->Charset(), 238);
  EXPECT_EQ(L->Header().size(), 300u);
  EXPECT_EQ(L->Name(), u"col\u00E9");
  EXPECT_EQ(L->PrintColor(), clNone);
  EXPECT_EQ(L->PrintFont()->Orientation(), 900);
  EXPECT_EQ(L->SpinMin(), -100000);
  EXPECT_EQ(L->Filter()->Strings(0), u"Big=>100");
  EXPECT_FALSE(L->PrintFontCustom());
  EXPECT_EQ(Grid->ColWidths(1), 97);
  EXPECT_EQ(Grid->ColWidths(2), 33);
}

TEST_F(ExCGridStreamTest, ReferencesToMenusAndLinksTravelByName) {
  auto* Menu = new TPopupMenu(Form);
  Menu->SetName(u"PM_Col");
  Item(1)->SetColumnPopup(Menu);
  TMemoryStream S;
  Grid->SaveColumnsToStream(&S);
  Item(1)->SetColumnPopup(nullptr);
  S.SetPosition(0);
  Grid->LoadColumnsFromStream(&S);
  EXPECT_EQ(Item(1)->ColumnPopup(), Menu);
}

TEST_F(ExCGridStreamTest, ADamagedStreamRaisesAndChangesNothing) {
  TTestColumnGrid* G = OneColumn();
  const std::string Good = FixtureBytes("one-column.hex");
  const size_t HeaderAt = Good.find("Header");
  ASSERT_NE(HeaderAt, std::string::npos);
  std::string HugeString = Good;
  // The header's UTF-16 length made far larger than the stream.
  HugeString[HeaderAt + 7] = '\x7F';
  HugeString[HeaderAt + 10] = '\x7F';
  std::string UnknownProperty = Good;
  UnknownProperty.replace(Good.find("Name\x06"), 4, "Nome");
  std::string WrongKind = Good;
  WrongKind.replace(Good.find("Tag") + 3, 3, "\x09");  // true instead of the integer 300
  std::string OtherClass = Good;
  OtherClass.replace(5, 15, "TExColumnGridXX");
  const struct {
    const char* Name;
    std::string Bytes;
  } Cases[] = {
      {"empty", ""},
      {"wrong signature", "TPF1" + Good.substr(4)},
      {"cut short", Good.substr(0, Good.size() / 2)},
      {"string longer than the stream", HugeString},
      {"unknown property", UnknownProperty},
      {"value of the wrong kind", WrongKind},
      {"another class", OtherClass},
      {"lists nested too deep", std::string("TPF0\x0FTExColumnGridIO\x00\x05Items", 27) + std::string(200, '\x01')},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TMemoryStream S;
    S.WriteBuffer(C.Bytes);
    S.SetPosition(0);
    EXPECT_THROW(G->LoadColumnsFromStream(&S), EReadError);
    TGridColumnItem* I = G->Columns()->Items(0);
    EXPECT_EQ(G->Columns()->Count(), 1);
    EXPECT_EQ(I->Name(), u"Qty");
    EXPECT_EQ(I->Tag(), 300);
    EXPECT_EQ(G->ColWidths(0), 80);
  }
}

// What a stream reads writes bytes that read again and write the same: a class name of 240
// characters or more (its length byte looks like a filer-flags prefix) included.
TEST(ExCGridStream, WriteReadWriteIsStable) {
  std::ifstream In(std::string(KP_FIXTURES_DIR) + "/components/grid/colgrid/long-class-name-roundtrip.bin",
                   std::ios::binary);
  const std::string Repro((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(Repro.empty());
  TStreamComponent Long;
  Long.ClassName = String(240, u'C');
  Long.Properties.push_back(TStreamProperty{u"Tag", TStreamValue::OfInteger(7)});
  TMemoryStream LongBytes;
  WriteComponentStream(&LongBytes, Long);
  for (const std::string& Bytes : {Repro, LongBytes.Bytes()}) {
    TMemoryStream S;
    S.WriteBuffer(Bytes);
    S.SetPosition(0);
    const TStreamComponent C = ReadComponentStream(&S);
    TMemoryStream First;
    WriteComponentStream(&First, C);
    First.SetPosition(0);
    const TStreamComponent Again = ReadComponentStream(&First);
    EXPECT_EQ(Again.ClassName, C.ClassName);
    TMemoryStream Second;
    WriteComponentStream(&Second, Again);
    EXPECT_EQ(Second.Bytes(), First.Bytes());
  }
}

TEST_F(ExCGridStreamTest, ABadValueInALaterItemLeavesTheWidthsAndHeadersOfTheEarlierOnes) {
  // Saved: two columns, the second with a tag; then the tag made a value of the wrong kind.
  TTestColumnGrid* G = MakeGrid();
  G->SetFixedCols(0);
  G->SetColCount(2);
  G->Columns()->Items(0)->SetHeader(u"First");
  G->Columns()->Items(0)->SetWidth(90);
  G->Columns()->Items(1)->SetTag(300);
  TMemoryStream Saved;
  G->SaveColumnsToStream(&Saved);
  std::string Bytes = Saved.Bytes();
  const size_t TagAt = Bytes.find("Tag");
  ASSERT_NE(TagAt, std::string::npos);
  Bytes.replace(TagAt + 3, 3, "\x09");

  G->Columns()->Items(0)->SetHeader(u"Kept");
  G->Columns()->Items(0)->SetWidth(40);
  TMemoryStream S;
  S.WriteBuffer(Bytes);
  S.SetPosition(0);
  EXPECT_THROW(G->LoadColumnsFromStream(&S), EReadError);
  EXPECT_EQ(G->Cells(0, 0), u"Kept");
  EXPECT_EQ(G->Columns()->Items(0)->Header(), u"Kept");
  EXPECT_EQ(G->ColWidths(0), 40);
}

// --- The table dialogs' use -------------------------------------------------------------------------------

TEST_F(ExCGridTest, ATableDefinedByItemsShowsAndEditsAsDesigned) {
  TTestColumnGrid* G = MakeLoadedGrid(4);
  G->SetRowCount(3);
  G->SetOptions(G->Options() << goEditing);
  const struct {
    const char16_t* Header;
    Integer Width;
    TAlignment Align;
    TEditorType Editor;
  } Columns[] = {
      {u"Nr", 30, taCenter, edNormal},
      {u"Name", 120, taLeftJustify, edNormal},
      {u"Type", 90, taLeftJustify, edComboList},
      {u"On", 40, taCenter, edDataCheckBox},
  };
  for (Integer i = 0; i < 4; ++i) {
    TGridColumnItem* I = G->Columns()->GetItem(i);
    I->SetHeader(Columns[i].Header);
    I->SetWidth(Columns[i].Width);
    I->SetAlignment(Columns[i].Align);
    I->SetEditor(Columns[i].Editor);
    I->HeaderFont()->SetStyle(TFontStyles{fsBold});
  }
  G->Columns()->GetItem(2)->ComboItems()->Clear();
  G->Columns()->GetItem(2)->ComboItems()->Add(u"Switch");
  G->Columns()->GetItem(2)->ComboItems()->Add(u"Sensor");

  EXPECT_EQ(G->ColCount(), 4);
  EXPECT_EQ(Headers(G), u"Nr|Name|Type|On");
  EXPECT_EQ(G->ColWidths(1), 120);
  EXPECT_EQ(G->Columns()->GetItem(3)->CheckTrue(), u"Y");

  // Text typed into the name column's editor goes into the cell.
  G->SetFocus();
  G->SetCol(1);
  G->SetRow(1);
  G->ShowInplaceEdit();
  TestHarness::ProcessEvents();
  TExInplaceEdit* Ed = G->NormalEdit();
  ASSERT_NE(Ed, nullptr);
  for (Char Ch : String(u"lamp")) TestHarness::SendKeyStroke(Ed, Word(Ch - u'a' + 'A'), TShiftState(), String(1, Ch));
  TestHarness::SendKeyStroke(Ed, VK_RETURN, TShiftState(), u"\r");
  TestHarness::ProcessEvents();
  EXPECT_EQ(G->Cells(1, 1), u"lamp");

  // The check-box column toggles between its texts.
  G->SetCells(3, 1, u"N");
  G->SetCheckBoxState(3, 1, true);
  EXPECT_EQ(G->Cells(3, 1), u"Y");

  // The type column opens the combo with the column's items.
  TEditorType E = edNormal;
  G->GetCellEditor(2, 1, E);
  EXPECT_EQ(E, edComboList);
  EXPECT_EQ(G->Combobox()->Items()->Strings(1), u"Sensor");
}

// --- Registration -----------------------------------------------------------------------------------------

TEST(ExCGridModuleTest, TheGridClassesAreRegistered) {
  InitExCGridModule();
  InitExCGridModule();
  EXPECT_TRUE(static_cast<bool>(GetClass(u"TExColumnGrid")));
  EXPECT_TRUE(static_cast<bool>(GetClass(u"TExColumnGridIO")));
}

}  // namespace

// --- A table as a dialog builds it in code ------------------------------------------------------

// A grid made the way the variable dialogs make theirs: the count first, then the fixed row and
// column, then the items; the user then works it with the mouse and the keyboard.
TEST_F(ExCGridTest, ADialogsTableTogglesItsCheckColumnByMouseAndSpace) {
  Grid->SetColCount(4);
  Grid->SetRowCount(2);
  Grid->SetFixedRows(1);
  Grid->SetFixedCols(1);
  Grid->SetOptions(Grid->Options() << goEditing << goColSizing);
  const char16_t* Headers4[] = {u"Variables", u"Enable", u"Position", u"Bit Start"};
  const TEditorType Editors[] = {edNormal, edDataCheckBox, edNormal, edComboList};
  for (Integer c = 0; c < 4; ++c) {
    Item(c)->SetHeader(Headers4[c]);
    Item(c)->SetWidth(80);
    Item(c)->SetEditor(Editors[c]);
  }
  Item(1)->SetAlignment(taCenter);
  EXPECT_EQ(Headers(Grid), u"Variables|Enable|Position|Bit Start");
  EXPECT_EQ(Grid->Columns()->Count(), 4);
  Grid->SetCells(1, 1, u"N");
  Grid->SetFocus();
  TestHarness::ProcessEvents();

  const TRect R = Grid->CellRect(1, 1);
  const TPoint Mid{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  TestHarness::SendMouse(Grid, WM_MOUSEMOVE, Mid, 0);
  TestHarness::SendMouse(Grid, WM_LBUTTONDOWN, Mid, MK_LBUTTON);
  TestHarness::SendMouse(Grid, WM_LBUTTONUP, Mid, 0);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(1, 1), u"Y");

  Grid->SetCol(1);
  Grid->SetRow(1);
  TestHarness::SendKeyStroke(Grid, VK_SPACE, TShiftState(), u" ");
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(1, 1), u"N");

  // A read-only column keeps its check box as it is.
  Item(1)->SetReadOnly(true);
  TestHarness::SendKeyStroke(Grid, VK_SPACE, TShiftState(), u" ");
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(1, 1), u"N");
}
