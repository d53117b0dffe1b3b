// The string grid's painting and cell graphics on a grid: the graphic API (check boxes, radio
// buttons and groups, buttons, expand cells, scroll bars, markers, balloons, pictures and
// indicators), visual properties and looks, text layout and measuring, text marking, fills and
// numbering, header texts, and what the painter puts on the screen.
#include <gtest/gtest.h>

#include "components/dropdown/ExDropDown.h"  // BlendColor
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridRichEdit.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/ExGridCheck.h"
#include "components/gridbase/ExOverlay.h"
#include "components/gridbase/ExGridUndoRedo.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

// A grid that lets the tests reach what the painter and the looks keep inside.
class TPaintGrid : public TExStringGrid {
 public:
  explicit TPaintGrid(TComponent* AOwner) : TExStringGrid(AOwner) {}
  String ClassName() const override { return u"TPaintGrid"; }
  TCellGraphic* Shared() const { return FCellGraphic; }
  String InEditText(Integer ACol, Integer ARow) { return GetEditText(ACol, ARow); }
  void HoverFixed(Integer ACol, Integer ARow, bool Down) {
    FHoverFixedX = ACol;
    FHoverFixedY = ARow;
    FMouseDown = Down;
  }
  TControl* FocusWindow() const { return FFocusWindow; }
  String CellTextOverride;
  String GetCellText(Integer ACol, Integer ARow) override {
    return CellTextOverride.empty() ? TExStringGrid::GetCellText(ACol, ARow) : CellTextOverride;
  }
  void Visual(Integer ACol, Integer ARow, TGridDrawState& State, bool Select, TColor& Brush, TColor& FontColor,
              TColor& ColorTo) {
    TBrush B;
    TFont F;
    TColor Mirror = clNone, MirrorTo = clNone;
    TAlignment HA;
    TVAlignment VA;
    bool WW = true;
    TCellGradientDirection GD = GradientVertical;
    GetVisualProperties(ACol, ARow, State, false, Select, true, &B, ColorTo, Mirror, MirrorTo, &F, HA, VA, WW, GD);
    Brush = B.Color();
    FontColor = F.Color();
  }
  TColor VisualBrush(Integer ACol, Integer ARow, bool Select = true) {
    TGridDrawState S;
    TColor B, F, T;
    Visual(ACol, ARow, S, Select, B, F, T);
    return B;
  }
};

// A checker that marks every text with the error tag.
class TMarkAllChecker : public TExStringGridCheck {
 public:
  explicit TMarkAllChecker(TComponent* AOwner) : TExStringGridCheck(AOwner) {}
  String MarkError(Integer, Integer, const String& s) override { return u"<e>" + s + u"</e>"; }
};

class ExGridPaintTest : public testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 600, 400);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = new TPaintGrid(Form);
    Grid->SetParent(Form);
  }
  void TearDown() override {
    TComponent::Free(Form);
    TestHarness::UseFakeClock(false);
  }
  // The client-area pixel of the grid after a repaint.
  TColor PixelAt(Integer X, Integer Y) {
    Grid->Repaint();
    return Grid->Canvas()->Pixels(X, Y);
  }
  TForm* Form = nullptr;
  TPaintGrid* Grid = nullptr;
};

// --- The graphic model on cells --------------------------------------------------------------------

TEST_F(ExGridPaintTest, AGraphicKeepsTheCellText) {
  Grid->SetCells(1, 1, u"text");
  Grid->CreateCellGraphic(1, 1);
  Grid->CreateCellGraphic(2, 1);
  EXPECT_EQ(Grid->Cells(1, 1), u"text");
  EXPECT_EQ(Grid->Cells(2, 1), u"");
  EXPECT_EQ(Grid->GetCellType(2, 1), ctNone);
  EXPECT_EQ(Grid->GetCellType(3, 1), ctEmpty);
  EXPECT_EQ(Grid->GetCellType(-1, 1), ctEmpty);
  EXPECT_EQ(Grid->GetCellGraphic(3, 1), nullptr);
}

TEST_F(ExGridPaintTest, AddingAGraphicReplacesTheOldOne) {
  TStrings* Owned = Grid->CreateRadio(1, 1, 0, 0);
  Owned->Add(u"a");
  Grid->AddCheckBox(1, 1, true, false);
  EXPECT_EQ(Grid->GetCellType(1, 1), ctCheckBox);
  EXPECT_FALSE(Grid->IsRadio(1, 1));
  // Removing by another kind leaves the graphic.
  Grid->RemoveBitmap(1, 1);
  EXPECT_EQ(Grid->GetCellType(1, 1), ctCheckBox);
  EXPECT_TRUE(Grid->RemoveCellGraphic(1, 1));
  EXPECT_FALSE(Grid->RemoveCellGraphic(1, 1));
}

TEST_F(ExGridPaintTest, RowCheckBoxesStandInColumnZeroWithHotmailSelect) {
  Grid->AddCheckBox(0, 2, true, false);
  Grid->MouseActions()->SetHotmailRowSelect(true);
  EXPECT_EQ(Grid->GetCellType(0, 1), ctRowCheckBox);
  EXPECT_EQ(Grid->GetCellGraphic(0, 2), Grid->Shared());
  // Some but not all normal rows selected: the header box is partly checked.
  Grid->SetRowSelect(3, true);
  EXPECT_EQ(Grid->GetCellGraphic(0, 0)->CellAngle(), 1);
  EXPECT_FALSE(Grid->GetCellGraphic(0, 0)->CellBoolean());
  EXPECT_TRUE(Grid->GetCellGraphic(0, 3)->CellBoolean());
  // Removing in column 0 never frees the shared graphic.
  EXPECT_TRUE(Grid->RemoveCellGraphic(0, 2));
  EXPECT_EQ(Grid->Shared()->CellType(), ctRowCheckBox);
  Grid->MouseActions()->SetHotmailRowSelect(false);
  EXPECT_EQ(Grid->GetCellType(0, 2), ctEmpty);
}

// --- Check boxes -------------------------------------------------------------------------------------

TEST_F(ExGridPaintTest, DataCheckBoxKeepsACheckTextAndReplacesAnyOther) {
  struct Case {
    const char* Name;
    const char16_t* Before;
    bool State;
    const char16_t* After;
  };
  const Case Cases[] = {
      {"unchecked text stays", u"N", true, u"N"},
      {"checked text stays", u"Y", false, u"Y"},
      {"other text becomes true", u"x", true, u"Y"},
      {"empty text becomes false", u"", false, u"N"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(1, 1, C.Before);
    Grid->AddCheckBox(1, 1, C.State, true);
    EXPECT_EQ(Grid->Cells(1, 1), C.After);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctDataCheckBox);
    EXPECT_EQ(Grid->IsChecked(1, 1), String(C.After) == u"Y");
  }
}

TEST_F(ExGridPaintTest, AddingOutsideTheGridRaisesInvalidCell) {
  for (auto Add : {+[](TExStringGrid* G) { G->AddCheckBox(5, 1, true, false); },
                   +[](TExStringGrid* G) { G->AddCheckBox(1, 10, cbChecked); },
                   +[](TExStringGrid* G) { G->AddRadioButton(1, 10, true); }}) {
    try {
      Add(Grid);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), u"Invalid cell");
    }
  }
}

TEST_F(ExGridPaintTest, TriStateToggleCyclesAndReportsFalse) {
  std::vector<bool> Reported;
  Grid->OnCheckBoxChange = [&](TObject*, Integer, Integer, bool State) { Reported.push_back(State); };
  Grid->AddCheckBox(1, 1, cbUnchecked);
  TCheckBoxState S;
  const TCheckBoxState Expected[] = {cbGrayed, cbChecked, cbUnchecked};
  for (TCheckBoxState E : Expected) {
    EXPECT_TRUE(Grid->ToggleCheckBox(1, 1));
    ASSERT_TRUE(Grid->GetCheckBoxState(1, 1, S));
    EXPECT_EQ(S, E);
  }
  EXPECT_EQ(Reported, (std::vector<bool>{false, false, false}));
}

TEST_F(ExGridPaintTest, ToggleFlipsPlainAndDataBoxesAndRegistersUndo) {
  TExGridUndoRedo Undo(nullptr);
  Grid->SetUndoRedo(&Undo);
  Grid->AddCheckBox(1, 1, false, false);
  Grid->AddCheckBox(2, 1, false, true);
  EXPECT_TRUE(Grid->ToggleCheckBox(1, 1));
  EXPECT_TRUE(Grid->IsChecked(1, 1));
  EXPECT_TRUE(Grid->ToggleCheckBox(2, 1));
  EXPECT_EQ(Grid->Cells(2, 1), u"Y");
  EXPECT_TRUE(Grid->ToggleCheckBox(2, 1));
  EXPECT_EQ(Grid->Cells(2, 1), u"N");
  EXPECT_EQ(Undo.Level(), 3);
  // A cell without a check box does nothing.
  EXPECT_FALSE(Grid->ToggleCheckBox(3, 1));
  Grid->SetUndoRedo(nullptr);
}

TEST_F(ExGridPaintTest, ToggleAsksCanEditUnlessAlwaysActive) {
  Grid->AddCheckBox(1, 1, false, false);
  Grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
  EXPECT_FALSE(Grid->ToggleCheckBox(1, 1, true));
  EXPECT_FALSE(Grid->IsChecked(1, 1));
  Grid->ControlLook()->SetCheckAlwaysActive(true);
  EXPECT_TRUE(Grid->ToggleCheckBox(1, 1, true));
  EXPECT_TRUE(Grid->IsChecked(1, 1));
}

TEST_F(ExGridPaintTest, CheckAllReportsOnlyRowsThatChange) {
  Grid->AddCheckBoxColumn(1, false, true);
  Grid->SetCells(1, 2, u"Y");
  Grid->SetCells(1, 5, u"Y");
  std::vector<Integer> Changed;
  Grid->OnCheckBoxChange = [&](TObject*, Integer, Integer ARow, bool State) {
    EXPECT_TRUE(State);
    Changed.push_back(ARow);
  };
  Grid->CheckAll(1);
  EXPECT_EQ(Changed, (std::vector<Integer>{1, 3, 4, 6, 7, 8, 9}));
  for (Integer R = 1; R < Grid->RowCount(); ++R) EXPECT_EQ(Grid->Cells(1, R), u"Y");
  Integer Unchecked = 0;
  Grid->OnCheckBoxChange = [&](TObject*, Integer, Integer, bool State) {
    EXPECT_FALSE(State);
    ++Unchecked;
  };
  Grid->UnCheckAll(1);
  EXPECT_EQ(Unchecked, 9);
}

TEST_F(ExGridPaintTest, CheckBoxColumnStartsAtTheFixedRowsUnlessCheckAllCheck) {
  Grid->AddCheckBoxColumn(2);
  EXPECT_FALSE(Grid->HasCheckBox(2, 0));
  EXPECT_TRUE(Grid->HasCheckBox(2, 1));
  Grid->RemoveCheckBoxColumn(2);
  EXPECT_FALSE(Grid->HasCheckBox(2, 1));
  Grid->MouseActions()->SetCheckAllCheck(true);
  Grid->AddCheckBoxColumn(2);
  EXPECT_TRUE(Grid->HasCheckBox(2, 0));
  EXPECT_FALSE(Grid->HasDataCheckBox(2, 0));
}

TEST_F(ExGridPaintTest, GroupCheckBoxesFollowTheirRows) {
  Grid->AddNode(1, 4);
  Grid->Grouping()->SetAutoCheckGroup(true);
  Grid->AddCheckBoxColumn(2);
  ASSERT_EQ(Grid->GetCellType(2, 1), ctTriStateCheckBox) << "node rows get tri-state boxes";
  TCheckBoxState Node;
  for (Integer R : {2, 3}) Grid->ToggleCheckBox(2, R);
  Grid->GetCheckBoxState(2, 1, Node);
  EXPECT_EQ(Node, cbGrayed);
  Grid->ToggleCheckBox(2, 4);
  Grid->GetCheckBoxState(2, 1, Node);
  EXPECT_EQ(Node, cbChecked) << "the last unchecked row checks the group";
  Grid->ToggleCheckBox(2, 3);
  Grid->GetCheckBoxState(2, 1, Node);
  EXPECT_EQ(Node, cbGrayed);
  // Checking the node row checks every row of its span.
  Grid->ToggleCheckBox(2, 1);
  for (Integer R : {2, 3, 4}) EXPECT_TRUE(Grid->IsChecked(2, R)) << R;
  EXPECT_FALSE(Grid->IsChecked(2, 5));
}

TEST_F(ExGridPaintTest, PreciseCheckBoxHitTest) {
  Grid->AddCheckBox(1, 1, false, false);
  EXPECT_TRUE(Grid->IsInCheckBox(1, 1, -100, -100)) << "without precise checks every point counts";
  Grid->MouseActions()->SetPreciseCheckBoxCheck(true);
  const TRect R = Grid->CellRect(1, 1);
  EXPECT_TRUE(Grid->IsInCheckBox(1, 1, R.Left + 3, R.Top + 3));
  EXPECT_TRUE(Grid->IsInCheckBox(1, 1, R.Left + 2 + 14, R.Top + 2 + 14));
  EXPECT_FALSE(Grid->IsInCheckBox(1, 1, R.Left + 2 + 15, R.Top + 3));
  EXPECT_FALSE(Grid->IsInCheckBox(2, 1, R.Left + 3, R.Top + 3));
}

// --- Radio buttons and groups -------------------------------------------------------------------

TEST_F(ExGridPaintTest, RadioButtonsOfAColumnCheckOneAtATime) {
  Grid->AddRadioButtonColumn(1);
  Grid->AddRadioButton(1, 0, true);
  EXPECT_TRUE(Grid->ToggleRadioButton(1, 3, false));
  EXPECT_EQ(Grid->GetRadioButtonColumnIndex(1), 3);
  EXPECT_FALSE(Grid->IsRadioButtonChecked(1, 0)) << "fixed rows are unchecked too";
  EXPECT_TRUE(Grid->ToggleRadioButton(1, 3, false));
  EXPECT_TRUE(Grid->IsRadioButtonChecked(1, 3)) << "a checked button stays checked";
  Grid->SetRadioButtonColumnIndex(1, 5);
  EXPECT_EQ(Grid->GetRadioButtonColumnIndex(1), 5);
  Grid->RemoveRadioButtonColumn(1);
  EXPECT_EQ(Grid->GetRadioButtonColumnIndex(1), -1);
}

TEST_F(ExGridPaintTest, RadioGroupStepsWrapAndKeepTextSelections) {
  TStrings* L = Grid->CreateRadio(1, 1, 0, 1);
  L->Add(u"A");
  L->Add(u"B");
  Grid->StepRadioGroup(1, 1, false);
  Integer Idx = -9;
  EXPECT_TRUE(Grid->GetRadioIdx(1, 1, Idx));
  EXPECT_EQ(Idx, 0) << "the last option wraps to the first";
  EXPECT_EQ(Grid->Cells(1, 1), u"A");

  TStrings* T = Grid->CreateRadio(2, 1, 1, -2);
  T->Add(u"A");
  T->Add(u"B");
  T->Add(u"C");
  Grid->SetCells(2, 1, u"B");
  Grid->StepRadioGroup(2, 1, false);
  Grid->GetRadioIdx(2, 1, Idx);
  EXPECT_EQ(Idx, -2);
  EXPECT_EQ(Grid->Cells(2, 1), u"C");
  EXPECT_EQ(Grid->GetRadioStrings(2, 1), T);
}

// --- Buttons, expand cells, scroll bars, markers, balloons -------------------------------------------

TEST_F(ExGridPaintTest, ButtonsAreRemovedByKind) {
  Grid->AddButton(1, 1, 40, 18, u"Go", haCenter, vaCenter);
  TBitmap* Glyph = Grid->CreateBitButton(2, 1, 40, 18, u"Bit", haLeft, vaTop);
  ASSERT_NE(Glyph, nullptr);
  Grid->RemoveBitButton(1, 1);
  EXPECT_TRUE(Grid->HasButton(1, 1));
  EXPECT_EQ(Grid->GetButtonText(1, 1), u"Go");
  Grid->SetButtonText(1, 1, u"Stop");
  EXPECT_EQ(Grid->GetButtonText(1, 1), u"Stop");
  Grid->RemoveAllButtons();
  EXPECT_FALSE(Grid->HasButton(1, 1));
  EXPECT_FALSE(Grid->HasButton(2, 1));
}

TEST_F(ExGridPaintTest, ExpandCellsKeepTheirHeightsAndRectangle) {
  Grid->SetColWidths(0, 100);
  Grid->SetRowHeights(0, 20);
  Grid->AddExpand(0, 0, 60);
  EXPECT_EQ(Grid->GetExpandRect(0, 0), TRect(87, 2, 98, 13));
  EXPECT_EQ(Grid->GetExpandHeight(0, 0, false), 20);
  EXPECT_EQ(Grid->GetExpandHeight(0, 0, true), 60);
  EXPECT_FALSE(Grid->GetExpandState(0, 0));
  EXPECT_TRUE(Grid->ToggleExpand(0, 0));
  EXPECT_TRUE(Grid->GetExpandState(0, 0));
  EXPECT_EQ(Grid->GetExpandRect(1, 1), TRect(0, 0, 0, 0));
  EXPECT_EQ(Grid->GetExpandHeight(1, 1, true), Grid->DefaultRowHeight());
}

TEST_F(ExGridPaintTest, ScrollBarsKeepPositionAndProperties) {
  EXPECT_EQ(Grid->GetScrollProp(1, 1), (TScrollProp{-1, -1}));
  EXPECT_EQ(Grid->GetScrollPosition(1, 1), -1);
  Grid->AddScrollBar(1, 1, false);
  EXPECT_EQ(Grid->GetScrollProp(1, 1), (TScrollProp{0, 100}));
  Grid->SetScrollProp(1, 1, TScrollProp{10, 50});
  Grid->SetScrollPosition(1, 1, 7);
  EXPECT_EQ(Grid->GetScrollProp(1, 1), (TScrollProp{10, 50}));
  EXPECT_EQ(Grid->GetScrollPosition(1, 1), 7);
  EXPECT_FALSE(Grid->HasAutoRangeScrollBar(1, 1));
}

TEST_F(ExGridPaintTest, MarkersUseTheRangeFieldsOfAnyGraphic) {
  Grid->AddMarker(1, 1, 2, 3);
  EXPECT_EQ(Grid->GetCellType(1, 1), ctEmpty);
  Integer P = -1, L = -1;
  Grid->GetMarker(1, 1, P, L);
  EXPECT_EQ(P, 2);
  EXPECT_EQ(L, 3);
  Grid->RemoveMarker(1, 1);
  EXPECT_EQ(Grid->GetCellGraphic(1, 1), nullptr);

  // On a progress bar the marker overwrites minimum and maximum.
  Grid->AddProgress(2, 1, clBlue, clWhite);
  Grid->AddMarker(2, 1, 4, 9);
  EXPECT_EQ(Grid->GetCellGraphic(2, 1)->CellErrFrom(), 4);
  EXPECT_EQ(Grid->GetCellGraphic(2, 1)->CellErrLen(), 9);
  Grid->RemoveAllMarkers();
  EXPECT_EQ(Grid->GetCellType(2, 1), ctProgress);
  EXPECT_EQ(Grid->GetCellGraphic(2, 1)->CellErrLen(), 0);
}

// The "remove all" operations reach every real column, also the last ones while a column is hidden.
TEST_F(ExGridPaintTest, RemoveAllReachesTheColumnsPastAHiddenOne) {
  struct Case {
    const char* Name;
    void (*Add)(TPaintGrid*, Integer, Integer);
    void (TExStringGrid::*RemoveAll)();
  } Cases[] = {
      {"buttons", [](TPaintGrid* G, Integer C, Integer R) { G->AddButton(C, R, 30, 18, u"Go", haLeft, vaTop); },
       &TExStringGrid::RemoveAllButtons},
      {"comments", [](TPaintGrid* G, Integer C, Integer R) { G->AddComment(C, R, u"note"); },
       &TExStringGrid::RemoveAllComments},
      {"markers", [](TPaintGrid* G, Integer C, Integer R) { G->AddMarker(C, R, 1, 2); },
       &TExStringGrid::RemoveAllMarkers},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->HideColumn(1);
    C.Add(Grid, 2, 2);
    C.Add(Grid, 4, 3);
    (Grid->*C.RemoveAll)();
    EXPECT_EQ(Grid->GetCellGraphic(2, 2), nullptr);
    EXPECT_EQ(Grid->GetCellGraphic(4, 3), nullptr);
    Grid->UnHideColumnsAll();
  }
}

TEST_F(ExGridPaintTest, BalloonsStandAloneOrAttachToCheckBoxes) {
  String Title, Text;
  Integer Icon = 0;
  Grid->AddBalloon(1, 1, u"T", u"Body", biWarning);
  EXPECT_TRUE(Grid->HasBalloon(1, 1));
  ASSERT_TRUE(Grid->IsBalloon(1, 1, Title, Text, Icon));
  EXPECT_EQ(Title, u"T");
  EXPECT_EQ(Text, u"Body");
  EXPECT_EQ(Icon, biWarning);

  Grid->AddCheckBox(2, 1, true, false);
  Grid->AddBalloon(2, 1, u"A", u"first", biInfo);
  Grid->AddBalloon(2, 1, u"B", u"second", biError);
  EXPECT_FALSE(Grid->HasBalloon(2, 1)) << "attached balloons are not reported";
  ASSERT_TRUE(Grid->IsBalloon(2, 1, Title, Text, Icon));
  EXPECT_EQ(Text, u"second");
  Grid->RemoveBalloon(2, 1);
  EXPECT_FALSE(Grid->IsBalloon(2, 1, Title, Text, Icon));
  EXPECT_TRUE(Grid->HasCheckBox(2, 1));

  // Any other graphic takes no balloon.
  Grid->AddComment(3, 1, u"c");
  Grid->AddBalloon(3, 1, u"T", u"x", biInfo);
  EXPECT_FALSE(Grid->IsBalloon(3, 1, Title, Text, Icon));
}

TEST_F(ExGridPaintTest, BalloonTextIsCutAndTakesTheCellsBalloon) {
  Grid->Balloon()->SetEnable(true);
  Grid->SetCells(1, 1, String(3000, u'x'));
  String Title, Text;
  Integer Icon = 0;
  ASSERT_TRUE(Grid->GetCellBalloon(1, 1, Title, Text, Icon));
  EXPECT_EQ(Text, String(2045, u'x') + u"...");
  EXPECT_EQ(Title, u" ");
  EXPECT_EQ(Icon, 1);
  Grid->SetCells(2, 1, u"\r\n\tline\twith tab");
  ASSERT_TRUE(Grid->GetCellBalloon(2, 1, Title, Text, Icon));
  // Tabs become blanks before the leading line breaks are skipped.
  EXPECT_EQ(Text, u" line with tab");
  Grid->AddBalloon(3, 1, u"Title", u"Text", biError);
  ASSERT_TRUE(Grid->GetCellBalloon(3, 1, Title, Text, Icon));
  EXPECT_EQ(Title, u"Title");
  EXPECT_EQ(Text, u"Text");
  EXPECT_EQ(Icon, biError);
  Grid->Balloon()->SetEnable(false);
  EXPECT_FALSE(Grid->GetCellBalloon(1, 1, Title, Text, Icon));
}

// --- Pictures and indicators --------------------------------------------------------------------------

TEST_F(ExGridPaintTest, ImageOperationsNeedAnImageList) {
  Grid->AddImageIdx(1, 1, 2, haLeft, vaTop);
  EXPECT_EQ(Grid->GetCellGraphic(1, 1), nullptr);
  TImageList Images(nullptr, 16, 16);
  Grid->SetGridImages(&Images);
  Grid->AddImageIdx(1, 1, 2, haLeft, vaTop);
  Integer Idx = -1;
  EXPECT_TRUE(Grid->GetImageIdx(1, 1, Idx));
  EXPECT_EQ(Idx, 2);
  EXPECT_EQ(Grid->GetImageSortKey(1, 1), 2);

  Grid->SetCells(2, 1, u"5");
  Grid->AddDataImage(2, 1, 2, haLeft, vaTop);
  EXPECT_EQ(Grid->Cells(2, 1), u"5");
  Grid->AddDataImage(3, 1, 2, haLeft, vaTop);
  EXPECT_EQ(Grid->Cells(3, 1), u"2");
  Grid->RemoveDataImage(3, 1);
  EXPECT_EQ(Grid->Cells(3, 1), u"");
  EXPECT_FALSE(Grid->HasDataImage(3, 1));

  Grid->AddMultiImage(4, 1, 0, haLeft, vaTop);
  ASSERT_NE(Grid->CellImages(4, 1), nullptr);
  Grid->CellImages(4, 1)->Add(1);
  Grid->CellImages(4, 1)->Add(0);
  EXPECT_EQ(Grid->CalcCellGraphicSize(4, 1, 0), TPoint(32, 16));
  Grid->SetGridImages(nullptr);
}

TEST_F(ExGridPaintTest, CommentsTakeTheColourOfTheirTime) {
  Grid->AddComment(1, 1, u"first");
  Grid->ControlLook()->SetCommentColor(clBlue);
  Grid->AddComment(2, 1, u"second");
  EXPECT_EQ(Grid->GetCellGraphic(1, 1)->CellIndex(), clRed);
  EXPECT_EQ(Grid->GetCellGraphic(2, 1)->CellIndex(), clBlue);
  EXPECT_EQ(Grid->CellComment(2, 1), u"second");

  TBitmap B(4, 4);
  Grid->AddBitmap(3, 1, &B, false, haLeft, vaTop);
  Grid->SetComment(3, 1, u"no");
  EXPECT_EQ(Grid->GetCellType(3, 1), ctBitmap);
  Grid->SetComment(4, 1, u"new");
  EXPECT_EQ(Grid->GetCellGraphic(4, 1)->CellIndex(), clBlue);
  Grid->RemoveAllComments();
  EXPECT_EQ(Grid->GetComment(1, 1), u"");
  EXPECT_EQ(Grid->GetCellType(3, 1), ctBitmap);
  EXPECT_EQ(Grid->GetBitmap(3, 1), &B);
}

TEST_F(ExGridPaintTest, ProgressShapeAndRatingFields) {
  Grid->AddProgress(1, 1, clBlue, clWhite);
  TCellGraphic* G = Grid->GetCellGraphic(1, 1);
  EXPECT_EQ(G->CellIndex(), 0);
  EXPECT_EQ(G->CellAngle(), 0);
  EXPECT_FALSE(G->CellBoolean());
  EXPECT_EQ(G->CellErrLen(), 100);
  Grid->AddProgressFormatted(2, 1, clBlue, clRed, clWhite, clBlack, u"%d", 10, 20);
  G = Grid->GetCellGraphic(2, 1);
  EXPECT_EQ(G->CellErrFrom(), 10);
  EXPECT_EQ(G->CellErrLen(), 20);
  EXPECT_TRUE(G->CellBoolean());
  EXPECT_TRUE(Grid->HasProgress(2, 1));

  EXPECT_EQ(Grid->GetShapeColor(3, 1), clNone);
  Grid->AddShape(3, 1, csStar, clRed, clBlack, haLeft, vaTop);
  Grid->SetShapeColor(3, 1, clLime);
  EXPECT_EQ(Grid->GetShapeColor(3, 1), clLime);
  Grid->AddRating(4, 1, 5, clYellow, clGray);
  EXPECT_TRUE(Grid->HasRating(4, 1));
  EXPECT_EQ(Grid->CalcCellGraphicSize(4, 1, 0), TPoint(90, 16));
}

TEST_F(ExGridPaintTest, RotatedTextIsNormalisedAndMeasured) {
  Grid->AddRotated(1, 1, -30, u"abc");
  Integer A = 0;
  ASSERT_TRUE(Grid->IsRotated(1, 1, A));
  EXPECT_EQ(A, 330);
  EXPECT_EQ(Grid->Cells(1, 1), u"abc");
  Grid->SetRotated(1, 1, 90);
  Grid->IsRotated(1, 1, A);
  EXPECT_EQ(A, 90);
  // At 90 degrees the text's width and height trade places, 12 pixels added to each.
  Grid->SetCells(2, 1, u"Rotated");
  const TSize Plain = Grid->GetCellTextSize(2, 1, false, false);
  Grid->SetRotated(2, 1, 90);
  const TSize Turned = Grid->GetCellTextSize(2, 1, false, false);
  EXPECT_EQ(Turned.cx, Plain.cy + 12);
  EXPECT_EQ(Turned.cy, Plain.cx + 12);
}

TEST_F(ExGridPaintTest, GraphicSizesForAutoSizing) {
  TStrings* L = Grid->CreateRadio(1, 1, 0, 0);
  L->Add(u"A");
  L->Add(u"BBBB");
  TCanvas* C = Grid->Canvas();
  C->Font()->Assign(Grid->Font());
  const Integer TH = C->TextHeight(u"gh");
  EXPECT_EQ(Grid->CalcCellGraphicSize(1, 1, 0),
            TPoint(std::max(12, C->TextWidth(u"BBBB") + 12), std::max(16, TH) * 2));
  Grid->AddCheckBox(2, 1, false, false);
  EXPECT_EQ(Grid->GetCellGraphicSize(2, 1), TPoint(15, 15));
  Grid->AddRadioButton(3, 1);
  EXPECT_EQ(Grid->GetCellGraphicSize(3, 1), TPoint(10, 10));
  EXPECT_EQ(Grid->GetPrintGraphicSize(3, 1, 100, 100, 1.0), TPoint(10, 10));
  EXPECT_EQ(Grid->GetCellGraphicSize(4, 1), TPoint(0, 0));
  EXPECT_TRUE(IsDataGraphicCell(Grid, 2, 1) == false);
  Grid->AddCheckBox(4, 1, false, true);
  EXPECT_TRUE(IsDataGraphicCell(Grid, 4, 1));
  EXPECT_TRUE(Grid->HasCellControl(4, 1));
}

// --- Visual properties and looks -----------------------------------------------------------------------

TEST_F(ExGridPaintTest, FixedCellColourByLookAndOwnColour) {
  struct Case {
    const char* Name;
    TGridLook Look;
    bool Own;
    TColor Expected;
  };
  Grid->SetFixedColor(clBtnFace);
  const Case Cases[] = {
      {"standard: fixed colour", glStandard, false, clBtnFace},
      {"XP: the normal gradient start", glXP, false, clWhite},
      {"standard: own colour kept", glStandard, true, clRed},
      {"XP: own colour kept", glXP, true, clRed},
      {"Vista: own colour kept", glVista, true, clRed},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetLook(C.Look);
    if (C.Own)
      Grid->SetColors(2, 0, clRed);
    else
      Grid->SetColors(2, 0, clNone);
    EXPECT_EQ(Grid->VisualBrush(2, 0), C.Expected);
  }
}

TEST_F(ExGridPaintTest, BandsCountFromTheFirstNormalRow) {
  Grid->Bands()->SetPrimaryColor(clYellow);
  Grid->Bands()->SetPrimaryLength(2);
  Grid->Bands()->SetSecondaryColor(clAqua);
  Grid->Bands()->SetSecondaryLength(1);
  Grid->Bands()->SetActive(true);
  const TColor Expected[] = {clYellow, clYellow, clAqua, clYellow, clYellow, clAqua};
  for (Integer R = 1; R <= 6; ++R) {
    SCOPED_TRACE(R);
    EXPECT_EQ(Grid->VisualBrush(2, R, false), Expected[R - 1]);
  }
}

TEST_F(ExGridPaintTest, SelectionColoursAndBlending) {
  Grid->SetSelection(TGridRect{1, 1, 2, 2});
  EXPECT_EQ(Grid->VisualBrush(1, 1), TColor(0xEACAB6));
  EXPECT_EQ(Grid->VisualBrush(3, 3), Grid->Color());
  EXPECT_EQ(Grid->VisualBrush(1, 1, false), Grid->Color()) << "without Select the selection is not shown";

  // A cell of its own colour under a mixed selection: each channel round(0.5 x 255).
  Grid->SetColor(clSilver);
  Grid->SetColors(2, 2, clWhite);
  Grid->SetSelectionColor(clBlack);
  Grid->SetSelectionColorMixer(true);
  EXPECT_EQ(Grid->VisualBrush(2, 2), TColor(0x808080));
  Grid->SetShowSelection(false);
  EXPECT_EQ(Grid->VisualBrush(2, 2), clWhite);
}

TEST(ExGridLookRoutines, BlendColor) {
  struct Case {
    const char* Name;
    TColor A, B;
    Integer Percent;
    TColor Expected;
  };
  const Case Cases[] = {
      {"full selection", clBlack, clWhite, 100, clBlack},
      {"over full", clBlack, clWhite, 150, clBlack},
      {"none", clBlack, clWhite, 0, clWhite},
      {"no selection colour", clNone, clWhite, 50, clWhite},
      {"no cell colour", clBlack, clNone, 50, clBlack},
      {"half", clBlack, clWhite, 50, TColor(0x808080)},
      {"quarter red", clRed, clBlack, 25, TColor(0x000040)},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    EXPECT_EQ(BlendColor(C.A, C.B, C.Percent), C.Expected);
  }
  EXPECT_EQ(MixSelectionColor(clBlack, clWhite, false, 50), clBlack);
}

TEST(ExGridLookRoutines, LookNames) {
  EXPECT_EQ(GridLookToName(glStandard), u"glStandard");
  EXPECT_EQ(GridLookToName(glOffice2007), u"glOffice2007");
  EXPECT_EQ(GridLookToName(glCustom), u"");
  EXPECT_EQ(GridLookToDisplayName(glXP), u"Windows XP");
  EXPECT_EQ(GridLookToDisplayName(glVista), u"Windows Vista");
  EXPECT_EQ(GridLookToDisplayName(glCustom), u"");
}

TEST_F(ExGridPaintTest, LooksSetTheirColours) {
  Grid->SetLook(glStandard);
  EXPECT_EQ(Grid->SelectionColor(), clHighlight);
  EXPECT_EQ(Grid->FixedColor(), clBtnFace);
  EXPECT_EQ(Grid->GridLineColor(), TColor(0xC0C0C0));
  EXPECT_EQ(Grid->SelectionStyle(), ssDefault);

  // The same look again changes nothing.
  Grid->SetSelectionColor(clLime);
  Grid->SetLook(glStandard);
  EXPECT_EQ(Grid->SelectionColor(), clLime);

  // The custom look keeps every colour.
  Grid->SetLook(glCustom);
  EXPECT_EQ(Grid->SelectionColor(), clLime);
  EXPECT_EQ(Grid->FixedColor(), clBtnFace);

  Grid->SetLook(glVista);
  EXPECT_EQ(Grid->SelectionStyle(), ssVista);
  EXPECT_EQ(Grid->GridLineColor(), TColor(0xECECF0));
  EXPECT_EQ(Grid->NorvGradientMirrorFrom(), TColor(0xFAF8F7));
  EXPECT_EQ(Grid->BorderColor(), TColor(0xB99D7F));
}

TEST_F(ExGridPaintTest, ColourSchemesSetLookLinesAndSelection) {
  struct Case {
    const char* Name;
    TNorvStyle Style;
    TGridLook Look;
    TColor GridLine, FixedLine, Selection;
  };
  const Case Cases[] = {
      {"Office 2003 blue", tsOffice2003Blue, glXP, 0xC0C0C0, 0x808080, 0x94E6FB},
      {"Office 2007 Luna", tsOffice2007Luna, glOffice2007, 0xF1EDEB, 0xD1BBA4, 0x5EC1F1},
      {"Windows 7", tsWindows7, glWin7, 0xECECF0, 0xD4D2D1, 0xEACAB6},
      {"Office 2010 black", tsOffice2010Black, glOffice2007, 0xC0C0C0, 0x444444, 0xFFDBB7},
      {"Terminal", tsTerminal, glStandard, 0xC0C0C0, 0x808080, clHighlight},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetComponentStyle(C.Style);
    EXPECT_EQ(Grid->Look(), C.Look);
    EXPECT_EQ(Grid->GridLineColor(), C.GridLine);
    EXPECT_EQ(Grid->GridFixedLineColor(), C.FixedLine);
    EXPECT_EQ(Grid->SelectionColor(), C.Selection);
  }
  EXPECT_EQ(Grid->SortSettings()->HeaderColor(), clNone);
  Grid->SetComponentStyle(tsOffice2010Silver);
  EXPECT_EQ(Grid->SortSettings()->HeaderColor(), TColor(0xAAAAAA));
  EXPECT_EQ(Grid->NorvGradientHoverFrom(), TColor(0x6BDFFF));
}

TEST_F(ExGridPaintTest, ColourTonesEndFlatAndClassic) {
  TColorTones T;
  T.Background = {0x202020, 0x303030, clWhite};
  T.Foreground = {0x404040, 0x505050, clYellow};
  T.Selected = {0x606060, 0x707070, clAqua};
  T.Hover = {0x808080, 0x909090, clRed};
  T.Disabled = {0xA0A0A0, 0xB0B0B0, clGray};
  Grid->SetColorTones(T);
  EXPECT_EQ(Grid->Look(), glClassic);
  EXPECT_TRUE(Grid->Flat());
  EXPECT_EQ(Grid->ControlLook()->ControlStyle(), csGlyph);
  EXPECT_FALSE(Grid->ControlLook()->CheckedGlyph()->Empty());
  EXPECT_FALSE(Grid->ControlLook()->RadioOnGlyph()->Empty());
  EXPECT_EQ(Grid->Color(), TColor(0x202020));
  EXPECT_EQ(Grid->FixedColor(), TColor(0x404040));
  EXPECT_EQ(Grid->SelectionColor(), TColor(0x606060));
  EXPECT_EQ(Grid->SelectionTextColor(), clAqua);
  EXPECT_EQ(Grid->GridFixedLineColor(), ScaleColor(0x404040, -20));
  EXPECT_EQ(Grid->Tones(), T);
}

TEST_F(ExGridPaintTest, ControlLookGradientsReachTheGridsSets) {
  TControlLook* CL = Grid->ControlLook();
  CL->SetFixedGradientHoverFrom(0x111111);
  CL->SetFixedGradientHoverMirrorTo(0x222222);
  CL->SetFixedGradientDownBorder(clNone);
  EXPECT_EQ(Grid->NorvGradientHoverFrom(), TColor(0x111111));
  EXPECT_EQ(Grid->NorvGradientHoverMirrorTo(), TColor(0x222222));
  EXPECT_NE(Grid->NorvGradientDownBorder(), clNone) << "clNone is not passed on";
  CL->Init();
  EXPECT_EQ(CL->FixedGradientHoverFrom(), clGray);
  EXPECT_EQ(Grid->NorvGradientHoverMirrorTo(), clNone);
  EXPECT_EQ(Grid->NorvGradientHoverFrom(), TColor(0x111111)) << "the reset leaves the grid's other colours";
}

// --- Alignment and text size --------------------------------------------------------------------------

TEST_F(ExGridPaintTest, AlignmentOfNumbersFormulasAndOwnSettings) {
  Grid->SetAutoNumAlign(true);
  Grid->SetCells(1, 1, u"12.5");
  Grid->SetCells(2, 1, u"abc");
  Grid->SetCells(3, 1, u"=A1");
  Grid->SetCells(4, 1, u"7");
  Grid->SetAlignments(4, 1, taCenter);
  struct Case {
    const char* Name;
    Integer Col;
    TAlignment Expected;
  };
  Grid->CellTextOverride = u"";
  const Case Cases[] = {
      {"decimal number", 1, taRightJustify},
      {"text", 2, taLeftJustify},
      {"formula whose text is not a number", 3, taLeftJustify},
      {"own alignment", 4, taCenter},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TAlignment HA;
    TVAlignment VA;
    Grid->CalcCellAlignment(C.Col, 1, HA, VA);
    EXPECT_EQ(HA, C.Expected);
    EXPECT_EQ(VA, vtaTop);
  }
  // A formula is aligned by the text its cell-text hook gives.
  Grid->CellTextOverride = u"3";
  TAlignment HA;
  TVAlignment VA;
  Grid->CalcCellAlignment(3, 1, HA, VA);
  EXPECT_EQ(HA, taRightJustify);
}

TEST_F(ExGridPaintTest, TextSizeCountsLinesWithMultilineCells) {
  Grid->SetCells(1, 1, u"one\rtwo\rthree");
  TCanvas* C = Grid->Canvas();
  Grid->SetMultilinecells(true);
  const TSize S = Grid->GetCellTextSize(1, 1, false, false);
  C->Font()->Assign(Grid->Font());
  EXPECT_EQ(S.cy, 3 * C->TextHeight(u"gh"));
  EXPECT_EQ(S.cx, C->TextWidth(u"three"));
  Grid->SetMultilinecells(false);
  EXPECT_EQ(Grid->GetCellTextSize(1, 1, false, false).cy, C->TextHeight(u"gh"));
}

TEST(ExGridTextRoutines, RotatedTextOrigin) {
  struct Case {
    const char* Name;
    Integer Angle;
    TAlignment HA;
    TVAlignment VA;
    TPoint Expected;
  };
  // Room (10, 20)-(110, 70); D = 40, C = 5, B = 30, A = 8.
  const Case Cases[] = {
      {"0-90 left top", 45, taLeftJustify, vtaTop, TPoint(10, 50)},
      {"0-90 right bottom", 45, taRightJustify, vtaBottom, TPoint(65, 62)},
      {"90-180 left top", 135, taLeftJustify, vtaTop, TPoint(50, 58)},
      {"180-270 right top", 200, taRightJustify, vtaTop, TPoint(110, 28)},
      {"270-360 left bottom", 300, taLeftJustify, vtaBottom, TPoint(15, 32)},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TRect R(10, 20, 110, 70);
    PlaceRotatedText(R, C.HA, C.VA, C.Angle, 40, 5, 30, 8);
    EXPECT_EQ(R.TopLeft(), C.Expected);
  }
}

// --- Marking, checking, fills, numbering, numbers ----------------------------------------------------

TEST_F(ExGridPaintTest, HighlightMarksTheVisibleTextOnly) {
  Grid->SetCells(1, 1, u"xAbx");
  Grid->HilightInCell(false, 1, 1, u"ab");
  EXPECT_EQ(Grid->Cells(1, 1), u"x<hi>Ab</hi>x");
  Grid->UnHilightInCell(1, 1);
  EXPECT_EQ(Grid->Cells(1, 1), u"xAbx");
  Grid->HilightInCell(true, 1, 1, u"ab");
  EXPECT_EQ(Grid->Cells(1, 1), u"xAbx");
  Grid->MarkInCell(false, 1, 1, u"x");
  EXPECT_EQ(Grid->Cells(1, 1), u"<e>x</e>Ab<e>x</e>");
  Grid->UnMarkInCell(1, 1);
  EXPECT_EQ(Grid->Cells(1, 1), u"xAbx");
}

// Highlighting escapes the cell text and removing it unescapes it again: a cell whose text looks
// like an entity comes back exactly as typed.
TEST_F(ExGridPaintTest, HighlightAndUnhighlightKeepEntityLookAlikes) {
  const String Texts[] = {u"R&amp;D", u"x*amp;y", u"&amp;quot;", u"a < b & c"};
  for (const String& T : Texts) {
    SCOPED_TRACE(StringToUtf8(T));
    Grid->SetCells(1, 1, T);
    Grid->HilightInCell(false, 1, 1, u"D");
    Grid->UnHilightInCell(1, 1);
    EXPECT_EQ(Grid->Cells(1, 1), T);
  }
}

TEST_F(ExGridPaintTest, UnmarkingCoversHiddenColumnsToo) {
  Grid->SetColCount(6);
  Grid->SetCells(5, 1, u"<hi>a</hi>");
  Grid->SetCells(4, 1, u"<hi>b</hi>");
  Grid->HideColumns(1, 2);
  Grid->UnHilightInGrid(false);
  EXPECT_EQ(Grid->AllCells(5, 1), u"a");
  EXPECT_EQ(Grid->AllCells(4, 1), u"b");
}

TEST_F(ExGridPaintTest, CheckerResultsAndTags) {
  EXPECT_TRUE(Grid->CheckCell(1, 1)) << "without a checker";
  TExStringGridCheck Plain(nullptr);
  Grid->SetCellChecker(&Plain);
  Grid->SetCells(1, 1, u"<e>word</e>");
  EXPECT_TRUE(Grid->CheckCell(1, 1));
  EXPECT_EQ(Grid->Cells(1, 1), u"word");

  TMarkAllChecker Marker(nullptr);
  Marker.SetUseMarkError(true);
  Grid->SetCellChecker(&Marker);
  Grid->SetCells(2, 1, u"a");
  EXPECT_FALSE(Grid->CheckCells(1, 1, 2, 1));
  EXPECT_EQ(Grid->Cells(2, 1), u"<e>a</e>");
  Grid->SetCellChecker(nullptr);
}

TEST_F(ExGridPaintTest, FillsAndNumbering) {
  Grid->LinearFill(false);
  EXPECT_EQ(Grid->Cells(1, 1), u"1:1");
  EXPECT_EQ(Grid->Cells(0, 0), u"");
  Grid->FormatFill(false, u"%d-%d");
  EXPECT_EQ(Grid->Cells(2, 3), u"2-3");
  Grid->RandomFill(false, 5);
  for (Integer R = 1; R < Grid->RowCount(); ++R) {
    const Integer V = Grid->Ints(1, R);
    EXPECT_GE(V, 0);
    EXPECT_LT(V, 5);
  }

  Grid->SetAutoNumberStart(2);
  Grid->AutoNumberCol(0);
  for (Integer R = 3; R <= 9; ++R) EXPECT_EQ(Grid->Cells(0, R), IntToStr(R)) << R;
  for (Integer R = 1; R < 10; ++R) Grid->SetCells(0, R, u"");
  Grid->SetAutoNumberDirection(sdDescending);
  Grid->AutoNumberCol(0);
  for (Integer R = 3; R <= 9; ++R) EXPECT_EQ(Grid->Cells(0, 10 - R), IntToStr(R)) << R;
}

TEST_F(ExGridPaintTest, CellToRealAndItsError) {
  const TFormatSettings Saved = FormatSettings;
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  Grid->SetCells(1, 1, u"12,5");
  EXPECT_DOUBLE_EQ(Grid->CellToReal(1, 1), 12.5);
  FormatSettings = Saved;
  EXPECT_EQ(Grid->CellToReal(2, 1), 0);
  Grid->SetCells(3, 2, u"abc");
  try {
    Grid->CellToReal(3, 2);
    ADD_FAILURE() << "no error";
  } catch (const EStringGridError& E) {
    EXPECT_EQ(E.Message(), u"Error at position: 1 in Cell [3, 2].");
  }
}

TEST_F(ExGridPaintTest, DatesWithAndWithoutNullDates) {
  Grid->SetDates(1, 1, 0);
  EXPECT_EQ(Grid->Cells(1, 1), DateToStr(0));
  Grid->SetShowNullDates(false);
  Grid->SetDates(1, 1, 0);
  EXPECT_EQ(Grid->Cells(1, 1), u"");
  EXPECT_THROW(Grid->Dates(1, 1), EConvertError);
  Grid->SetDates(1, 1, 45000);
  EXPECT_DOUBLE_EQ(Grid->Dates(1, 1), 45000);
}

// --- Header texts and print widths --------------------------------------------------------------------

TEST_F(ExGridPaintTest, ColumnAndRowHeaders) {
  TStringList H;
  H.Add(u"first\\nline");
  for (Integer I = 1; I < 8; ++I) H.Add(u"h" + IntToStr(I));
  Grid->SetColumnHeaders(&H);
  EXPECT_EQ(Grid->Cells(0, 0), u"first\rline");
  EXPECT_EQ(Grid->Cells(4, 0), u"h4");
  EXPECT_EQ(Grid->GridCells(5, 0), u"") << "more header lines than columns are not shown";

  Grid->SetCells(0, 5, u"keep");
  TStringList R;
  R.Add(u"");
  R.Add(u"r1");
  Grid->SetRowHeaders(&R);
  EXPECT_EQ(Grid->Cells(0, 1), u"r1");
  EXPECT_EQ(Grid->Cells(0, 5), u"keep");
  Grid->ClearColumnHeaders();
  EXPECT_EQ(Grid->Cells(4, 0), u"");
}

// With a column hidden, new column headers replace the old ones in every real column, the hidden
// one and the last one included, also when the new list is shorter.
TEST_F(ExGridPaintTest, ColumnHeadersReplaceTheOldOnesAlsoInHiddenColumns) {
  TStringList H;
  for (Integer I = 0; I < 5; ++I) H.Add(u"h" + IntToStr(I));
  Grid->SetColumnHeaders(&H);
  Grid->HideColumn(1);
  EXPECT_EQ(Grid->AllCells(1, 0), u"h1");
  EXPECT_EQ(Grid->AllCells(4, 0), u"h4");
  TStringList Short;
  Short.Add(u"n0");
  Short.Add(u"n1");
  Grid->SetColumnHeaders(&Short);
  EXPECT_EQ(Grid->AllCells(0, 0), u"n0");
  EXPECT_EQ(Grid->AllCells(1, 0), u"n1");
  for (Integer C = 2; C < 5; ++C) EXPECT_EQ(Grid->AllCells(C, 0), u"") << "column " << C;
  Grid->SetColumnHeaders(&H);
  Grid->ClearColumnHeaders();
  for (Integer C = 0; C < 5; ++C) EXPECT_EQ(Grid->AllCells(C, 0), u"") << "column " << C;
}

// Merged columns follow the list: equal neighbours merge, and taking a column off the list splits
// it again, also the last real column while another column is hidden.
TEST_F(ExGridPaintTest, MergedColumnsMergeAndSplitPastAHiddenColumn) {
  for (Integer R = 1; R < Grid->RowCount(); ++R) Grid->SetCells(4, R, R <= 2 ? u"A" : u"B" + IntToStr(R));
  Grid->MergedColumns()->Add(4);
  EXPECT_TRUE(Grid->IsYMergedCell(4, 1));
  EXPECT_EQ(Grid->CellSpan(4, 1).Y, 1);
  Grid->HideColumn(1);
  Grid->MergedColumns()->DeleteValue(4);
  EXPECT_FALSE(Grid->IsMergedCell(4, 1));
  EXPECT_FALSE(Grid->IsMergedCell(4, 2));
}

TEST_F(ExGridPaintTest, PrintColumnWidthsHave512Entries) {
  EXPECT_EQ(Grid->PrintColWidth(511), 0);
  EXPECT_EQ(Grid->PrintColOffset(0), 0);
  for (Integer Bad : {512, -1}) {
    try {
      Grid->PrintColWidth(Bad);
      ADD_FAILURE() << Bad;
    } catch (const EStringGridError& E) {
      EXPECT_EQ(E.Message(), u"Columns is not in valid range");
    }
  }
}

TEST_F(ExGridPaintTest, EditTextStripsTagsUnlessEditWithTags) {
  Grid->SetCells(1, 1, u"<b>bold</b>");
  EXPECT_EQ(Grid->InEditText(1, 1), u"bold");
  Grid->SetEditWithTags(true);
  EXPECT_EQ(Grid->InEditText(1, 1), u"<b>bold</b>");
}

TEST_F(ExGridPaintTest, RichTextCellsRoundTripThroughARichEdit) {
  auto* Rich = new TExRichEdit(Grid);
  Grid->SetCells(1, 1, u"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello\\par World}");
  Grid->CellToRich(1, 1, Rich);
  EXPECT_EQ(Rich->Text(), u"Hello\r\nWorld");
  Grid->RichToCell(2, 1, Rich);
  EXPECT_EQ(GetCellTextKind(Grid->Cells(2, 1), false), ctkRichText);
  Grid->CellToRich(2, 1, Rich);
  EXPECT_EQ(Rich->Text(), u"Hello\r\nWorld");
  Grid->SetCells(3, 1, u"");
  Grid->CellToRich(3, 1, Rich);
  EXPECT_EQ(Rich->Text(), u"");

  Rich->SelSuperscript();
  EXPECT_TRUE(Rich->IsSelSuperscript());
  EXPECT_FALSE(Rich->IsSelNormal());
  Rich->SelSubscript();
  EXPECT_TRUE(Rich->IsSelSubscript());
  EXPECT_THROW({ TExRichEdit Stray(Form); }, EInvalidCast);
}

TEST_F(ExGridPaintTest, SortIndicatorRow) {
  EXPECT_FALSE(Grid->IsSortIndicatorRow(1, 0));
  Grid->SortSettings()->SetShow(true);
  EXPECT_TRUE(Grid->IsSortIndicatorRow(1, 0));
  EXPECT_FALSE(Grid->IsSortIndicatorRow(1, 1));
  Grid->SetRowCount(2);
  EXPECT_FALSE(Grid->IsSortIndicatorRow(1, 0)) << "one normal row has nothing to sort";
}

TEST_F(ExGridPaintTest, FocusFrameHugsTheCell) {
  const TRect R = Grid->CellRect(2, 2);
  Grid->ShowFocusFrame(R);
  TControl* W = Grid->FocusWindow();
  ASSERT_NE(W, nullptr);
  const TPoint TL = Grid->ClientToScreen(TPoint(R.Left, R.Top));
  EXPECT_TRUE(W->Visible());
  EXPECT_EQ(W->Left(), TL.X - 4);
  EXPECT_EQ(W->Top(), TL.Y - 4);
  EXPECT_EQ(W->Width(), R.Width() + 9);
  EXPECT_EQ(W->Height(), R.Height() + 9);
  Grid->HideFocusFrame();
  EXPECT_FALSE(W->Visible());
}

TEST_F(ExGridPaintTest, TheFocusFrameFollowsTheFormWhileAnEditorIsOpen) {
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->FocusHelper()->SetEnabled(true);
  Grid->SetCol(2);
  Grid->SetRow(2);
  Grid->SetFocus();
  Grid->ShowInplaceEdit();
  ASSERT_EQ(ActiveFocusGrid, Grid);
  TControl* W = Grid->FocusWindow();
  ASSERT_TRUE(W->Visible());
  auto expectOverTheCell = [&](const char* What) {
    const TRect R = Grid->CellRect(2, 2);
    const TPoint TL = Grid->ClientToScreen(TPoint(R.Left, R.Top));
    EXPECT_EQ(W->BoundsRect(), Rect(TL.X - 4, TL.Y - 4, TL.X + R.Width() + 5, TL.Y + R.Height() + 5)) << What;
  };
  expectOverTheCell("as the edit starts");
  Form->SetBounds(Form->Left() + 70, Form->Top() + 30, Form->Width(), Form->Height());
  TestHarness::ProcessEvents();
  expectOverTheCell("after the form moved");
  Grid->SetBounds(Grid->Left() + 15, Grid->Top() + 10, Grid->Width(), Grid->Height());
  expectOverTheCell("after the grid moved in the form");
  Grid->HideFocusFrame();
  const TRect Hidden = W->BoundsRect();
  Form->SetBounds(Form->Left() - 70, Form->Top(), Form->Width(), Form->Height());
  EXPECT_EQ(W->BoundsRect(), Hidden) << "a hidden frame stays where it is";
  EXPECT_FALSE(W->Visible());
}

// --- On the screen ---------------------------------------------------------------------------------------

TEST_F(ExGridPaintTest, CellColourReachesTheScreen) {
  Grid->SetColors(2, 2, clLime);
  const TRect R = Grid->CellRect(2, 2);
  EXPECT_EQ(PixelAt(R.Left + R.Width() / 2, R.Top + 3), clLime);
  const TRect N = Grid->CellRect(3, 2);
  EXPECT_EQ(PixelAt(N.Left + N.Width() / 2, N.Top + 3), ColorToRGB(Grid->Color()));
}

// A heading merged over the row of a grid without fixed cells shows its colour and its text over the
// whole area, not only in its first column.
TEST_F(ExGridPaintTest, AMergedAreaIsPaintedAsOneCell) {
  Grid->SetColCount(2);
  Grid->SetRowCount(4);
  Grid->SetFixedCols(0);
  Grid->SetFixedRows(0);
  Grid->SetColWidths(0, 80);
  Grid->SetColWidths(1, 120);
  Grid->SetCells(0, 1, u"Heading");
  Grid->CellProperties(0, 1)->SetBrushColor(clLime);
  Grid->MergeCells(0, 1, 2, 1);
  Grid->SetRow(3);
  const TRect A = Grid->CellRect(0, 1);
  EXPECT_EQ(A.Width(), Grid->CellRect(1, 2).Right - Grid->CellRect(0, 2).Left);
  const TRect Second = Grid->CellRect(1, 2);
  // Inside the second column of the area: the area's colour, and no grid line where the columns meet.
  EXPECT_EQ(PixelAt(Second.Left + Second.Width() / 2, A.Top + 3), clLime);
  EXPECT_EQ(PixelAt(Second.Left - 1, A.Top + 3), clLime);
  EXPECT_EQ(PixelAt(Second.Left, A.Top + 3), clLime);
  EXPECT_EQ(Grid->Cells(1, 1), u"Heading");
}

TEST_F(ExGridPaintTest, UnfocusedSelectionWithoutColourIsHighlighted) {
  Grid->SetSelectionColor(clNone);
  Grid->SetSelection(TGridRect{1, 1, 2, 2});
  const TRect R = Grid->CellRect(2, 2);
  EXPECT_EQ(PixelAt(R.Left + R.Width() / 2, R.Top + 3), ColorToRGB(clHighlight));
}

TEST_F(ExGridPaintTest, DataCheckBoxIsDrawnByItsText) {
  Grid->ControlLook()->SetControlStyle(csWinXP);
  Grid->SetCells(1, 1, u"N");
  Grid->AddCheckBox(1, 1, false, true);
  Grid->Repaint();
  const std::vector<Byte> Unchecked = TestHarness::GrabPngBytes(Grid);
  Grid->SetCells(1, 1, u"Y");
  Grid->Repaint();
  const std::vector<Byte> Checked = TestHarness::GrabPngBytes(Grid);
  EXPECT_NE(Unchecked, Checked);
  Grid->SetCells(1, 1, u"N");
  Grid->Repaint();
  EXPECT_EQ(TestHarness::GrabPngBytes(Grid), Unchecked);
}

// A rating shows its value in half stars, cut down to the half below: 3.7 looks as 3.5 does, between
// three and four stars.
TEST_F(ExGridPaintTest, RatingShowsHalfStarsCutDown) {
  Grid->SetColWidths(1, 120);
  Grid->AddRating(1, 1, 5, clYellow, clGray);
  auto shot = [&](const String& Value) {
    Grid->SetCells(1, 1, Value);
    Grid->Repaint();
    return TestHarness::GrabPngBytes(Grid);
  };
  const std::vector<Byte> three = shot(u"3"), threeHalf = shot(FloatToStr(3.5)), four = shot(u"4");
  const std::vector<Byte> threePointSeven = shot(FloatToStr(3.7));
  EXPECT_NE(three, threeHalf);
  EXPECT_NE(threeHalf, four);
  EXPECT_EQ(threePointSeven, threeHalf);
}

TEST_F(ExGridPaintTest, LockedUpdatesKeepTheOldPixels) {
  const TRect R = Grid->CellRect(2, 2);
  const TPoint P(R.Left + R.Width() / 2, R.Top + 3);
  const TColor Before = PixelAt(P.X, P.Y);
  Grid->BeginUpdate();
  Grid->SetColors(2, 2, clLime);
  Grid->Repaint();
  EXPECT_EQ(Grid->Canvas()->Pixels(P.X, P.Y), Before);
  Grid->EndUpdate();
  EXPECT_EQ(PixelAt(P.X, P.Y), clLime);
}

TEST_F(ExGridPaintTest, MoveIndicatorDrawnTwiceLeavesNoTrace) {
  Grid->Repaint();
  const std::vector<Byte> Before = TestHarness::GrabPngBytes(Grid);
  Grid->DrawColumnMoveIndicator(100);
  EXPECT_NE(TestHarness::GrabPngBytes(Grid), Before);
  Grid->DrawColumnMoveIndicator(100);
  Grid->DrawRowMoveIndicator(40);
  Grid->DrawRowMoveIndicator(40);
  EXPECT_EQ(TestHarness::GrabPngBytes(Grid), Before);
}

TEST_F(ExGridPaintTest, HoveredFixedCellShowsHoverThenDownColours) {
  Grid->SetLook(glVista);
  Grid->SetHoverFixedCells(hfAll);
  const TRect R = Grid->CellRect(2, 0);
  const TPoint P(R.Left + R.Width() / 2, R.Top + 3);
  const TColor Plain = PixelAt(P.X, P.Y);
  Grid->HoverFixed(2, 0, false);
  EXPECT_EQ(PixelAt(P.X, P.Y), TColor(0xFFF7E3));
  Grid->HoverFixed(2, 0, true);
  EXPECT_EQ(PixelAt(P.X, P.Y), TColor(0xF9E4BC));
  Grid->HoverFixed(-1, -1, false);
  EXPECT_EQ(PixelAt(P.X, P.Y), Plain);
}

TEST_F(ExGridPaintTest, OutlineOnlyForTheGradientLooks) {
  struct Case {
    const char* Name;
    TGridLook Look;
    bool Flat;
    bool Outline;
  };
  const Case Cases[] = {
      {"XP", glXP, false, true},
      {"Vista", glVista, false, true},
      {"standard", glStandard, false, false},
      {"classic", glClassic, false, false},
      {"flat XP", glXP, true, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetLook(C.Look);
    Grid->SetFlat(C.Flat);
    Grid->SetBorderColor(0x123456);
    const TColor P = PixelAt(1, Grid->Height() / 2);
    EXPECT_EQ(P == TColor(0x123456), C.Outline);
  }
}

}  // namespace

// A column 999,999,999 pixels wide paints its visible part: its grid lines and the cells after it
// are clipped to the window before they are walked (the walk once froze the program).
TEST_F(ExGridPaintTest, AHugeColumnWidthPaintsOnlyTheVisiblePage) {
  Grid->SetBounds(0, 0, 300, 200);
  Grid->SetColCount(4);
  Grid->SetRowCount(5);
  Grid->SetCells(1, 1, u"wide");
  Grid->SetColWidths(1, 400);
  Grid->SetRowHeights(2, 400);
  // The first two rows of the page (the scroll bars' thumbs differ, and so does the gradient down
  // the tall row), then the same page with the column and the row reaching a billion pixels past it.
  auto Page = [this] {
    Grid->Repaint();
    std::vector<TColor> P;
    for (Integer Y = 0; Y < 45; Y += 3)
      for (Integer X = 0; X < 250; X += 3) P.push_back(Grid->Canvas()->Pixels(X, Y));
    return P;
  };
  const std::vector<TColor> Normal = Page();
  Grid->SetColWidths(1, 999999999);
  Grid->SetRowHeights(2, 999999999);
  EXPECT_EQ(Page(), Normal);
}

// A cell write repaints that cell's rectangle (and the pixel around it) only, when the cell shows
// (its display column when a column before it is hidden); a write to a row scrolled out of view, inside the update lock or
// through GridCells repaints nothing, and the last EndUpdate repaints the whole grid. What the
// partial paints leave on the screen is what a whole repaint shows.
TEST_F(ExGridPaintTest, ACellWriteRepaintsThatCellsRectangleOnly) {
  Grid->SetBounds(0, 0, 300, 200);
  Grid->SetColCount(6);
  Grid->SetRowCount(100);
  Grid->HideColumn(1);
  TestHarness::ProcessEvents();
  ASSERT_FALSE(Grid->NeedsPaint());
  struct {
    const char* Name;
    Integer Col, Row;      // real column, display row
    Integer DisplayCol;    // where the cell shows
  } Shown[] = {{"a normal cell", 2, 3, 1}, {"a fixed cell", 0, 0, 0}, {"after the hidden column", 4, 5, 3}};
  for (const auto& C : Shown) {
    Grid->SetCells(C.Col, C.Row, u"changed");
    ASSERT_TRUE(Grid->NeedsPaint()) << C.Name;
    ASSERT_NE(Grid->PaintArea(), nullptr) << C.Name;
    // The cell and the pixel around it, where its neighbours' lines and edges reach.
    TRect Want = Grid->CellRect(C.DisplayCol, C.Row);
    InflateRect(Want, 1, 1);
    IntersectRect(Want, Want, Rect(0, 0, Grid->Width(), Grid->Height()));
    EXPECT_EQ(Grid->PaintArea()->Bounds(), Want) << C.Name;
    TestHarness::ProcessEvents();
    ASSERT_FALSE(Grid->NeedsPaint()) << C.Name;
  }
  const std::vector<Byte> Partly = TestHarness::GrabPngBytes(Grid);
  Grid->Repaint();
  EXPECT_TRUE(TestHarness::GrabPngBytes(Grid) == Partly) << "the partial paints differ from a whole repaint";

  Grid->SetCells(2, 90, u"far below");
  EXPECT_FALSE(Grid->NeedsPaint()) << "a row out of view";
  Grid->SetGridCell(2, 3, u"raw");
  EXPECT_FALSE(Grid->NeedsPaint()) << "GridCells";
  Grid->BeginUpdate();
  Grid->SetCells(2, 3, u"locked");
  EXPECT_FALSE(Grid->NeedsPaint()) << "inside the update lock";
  Grid->EndUpdate();
  EXPECT_TRUE(Grid->NeedsPaint());
  EXPECT_EQ(Grid->PaintArea(), nullptr) << "EndUpdate repaints the whole grid";
}
