// The settings objects of the string grid: sort settings and the sort specifier, the filter and
// its drop-down look, grouping, drag-scroll options, balloon settings and the footer template.
#include <gtest/gtest.h>

#include "components/grid/ExGridDragDrop.h"
#include "components/grid/ExGridFilter.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridSortSettings.h"
#include "tests/components/grid/GridSettingsTestUtil.h"

void TProbeGrid::QSort() {
  TSortSettings* S = Settings ? Settings : SortSettings();
  Sorts.push_back("QSort " + std::to_string(S->Column()) + (S->Direction() == sdAscending ? " u" : " d"));
}

void TProbeGrid::QSortIndexed() { Sorts.push_back("QSortIndexed " + Narrow(SortIndexes()->SaveToString())); }

// --- Sort settings -------------------------------------------------------------------------------

// Sort settings of the probe grid, which reports the sorts they ask for.
struct SortSettingsTest : GridSettingsFixture {
  TSortSettings* S = nullptr;
  void SetUp() override {
    GridSettingsFixture::SetUp();
    S = new TSortSettings(Grid);
    Grid->Settings = S;
  }
  void TearDown() override {
    delete S;
    GridSettingsFixture::TearDown();
  }
};

TEST_F(SortSettingsTest, NewSettingsHaveTheirInitialValues) {
  EXPECT_EQ(S->Column(), -1);
  EXPECT_FALSE(S->Show());
  EXPECT_TRUE(S->AutoSortForGrouping());
  EXPECT_TRUE(S->Full());
  EXPECT_TRUE(S->AutoFormat());
  EXPECT_TRUE(S->SortOnVirtualCells());
  EXPECT_EQ(S->IndexColor(), TColor(0xFFFF));
  EXPECT_EQ(S->IndexSortKey(), ikShift);
  EXPECT_EQ(S->BlankPos(), blFirst);
  EXPECT_EQ(S->Direction(), sdAscending);
  EXPECT_EQ(S->HeaderColor(), clNone);
  EXPECT_TRUE(S->UpGlyph()->Empty());
  EXPECT_EQ(Narrow(S->SaveToString()), "u-1");
}

TEST_F(SortSettingsTest, SpecifiersSortTheGridAndSaveBack) {
  struct Case {
    const char* Name;
    const char16_t* Specifier;
    std::vector<std::string> Sorts;
    const char* Saved;
  };
  const Case Cases[] = {
      {"descending column 2", u"d2", {"QSort 2 d"}, "d2"},
      {"ascending column 3", u"u3", {"QSort 3 u"}, "u3"},
      {"indexed levels", u"i;u1;d0", {"QSortIndexed u1;d0"}, "i;u1;d0"},
      {"indexed without levels", u"i;", {}, "i;"},
      {"column that is no number", u"uz", {}, "u-1"},
      {"unsorted grid replayed", u"u-1", {}, "u-1"},
      {"indexed level with a bad number", u"i;ux;d4", {"QSortIndexed d4"}, "i;d4"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    S->SetIndexShow(false);
    S->SetColumn(-1);
    S->SetShow(false);
    Grid->SortIndexes()->Clear();
    Grid->Sorts.clear();
    S->LoadFromString(C.Specifier);
    EXPECT_TRUE(S->Show());
    EXPECT_EQ(Grid->Sorts, C.Sorts);
    EXPECT_EQ(Narrow(S->SaveToString()), C.Saved);
  }
}

TEST_F(SortSettingsTest, LoadFromStringOfUzKeepsTheColumnButTakesTheDirection) {
  S->SetColumn(4);
  S->SetDirection(sdDescending);
  S->LoadFromString(u"uz");
  EXPECT_EQ(S->Column(), 4);
  EXPECT_EQ(S->Direction(), sdAscending);
  EXPECT_TRUE(Grid->Sorts.empty());
}

TEST_F(SortSettingsTest, BadSpecifiersAndRowsRaise) {
  try {
    S->LoadFromString(u"u");
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(Narrow(E.Message()), "Invalid sort settings specifier");
  }
  // The failed load has set Show all the same.
  EXPECT_TRUE(S->Show());
  S->LoadFromString(u"");  // nothing

  ASSERT_EQ(Grid->FixedRows(), 1);
  S->SetRow(0);
  try {
    S->SetRow(1);
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(Narrow(E.Message()), "Sort row should be smaller than number of fixed rows");
  }
  EXPECT_EQ(S->Row(), 0);
}

TEST_F(SortSettingsTest, RemoveForgetsTheSortAndKeepsTheRows) {
  FillColumn(1, {u"c", u"a", u"b"});
  S->LoadFromString(u"i;u1;d2");
  ASSERT_EQ(Grid->SortIndexes()->Count(), 2);
  S->SetColumn(1);
  S->Remove();
  EXPECT_EQ(S->Column(), -1);
  EXPECT_EQ(Grid->SortIndexes()->Count(), 0);
  EXPECT_EQ(Narrow(Grid->Cells(1, 1)), "c");
  EXPECT_EQ(Narrow(Grid->Cells(1, 3)), "b");
}

TEST_F(SortSettingsTest, ShowRepaintsOnlyOnAChangeAndToggleDirectionFlips) {
  Grid->Invalidated = 0;
  S->SetShow(true);
  const Integer AfterFirst = Grid->Invalidated;
  EXPECT_GE(AfterFirst, 1);
  S->SetShow(true);
  EXPECT_EQ(Grid->Invalidated, AfterFirst);
  S->ToggleDirection();
  EXPECT_EQ(S->Direction(), sdDescending);
  S->ToggleDirection();
  EXPECT_EQ(S->Direction(), sdAscending);
  EXPECT_TRUE(Grid->Sorts.empty());
}

TEST_F(SortSettingsTest, AssignCopiesEverySettingAndTheGlyphs) {
  TSortSettings Source(nullptr);
  Source.SetColumn(3);
  Source.SetDirection(sdDescending);
  Source.SetIndexSortKey(ikCtrl);
  Source.SetBlankPos(blLast);
  Source.SetHeaderMirrorColorTo(0x123456);
  Source.SetUndoSort(true);
  TBitmap Glyph(7, 5);
  Source.SetUpGlyph(&Glyph);
  TSortSettings Target(Grid);
  Target.Assign(&Source);
  EXPECT_EQ(Target.Column(), 3);
  EXPECT_EQ(Target.Direction(), sdDescending);
  EXPECT_EQ(Target.IndexSortKey(), ikCtrl);
  EXPECT_EQ(Target.BlankPos(), blLast);
  EXPECT_EQ(Target.HeaderMirrorColorTo(), TColor(0x123456));
  EXPECT_TRUE(Target.UndoSort());
  EXPECT_EQ(Target.UpGlyph()->Width(), 7);
  EXPECT_NE(Target.UpGlyph(), Source.UpGlyph());
  TGrouping Other;
  Target.Assign(&Other);  // another class: ignored
  EXPECT_EQ(Target.Column(), 3);
}

// --- Filter --------------------------------------------------------------------------------------

TEST(FilterTest, AddGivesNoneThenAndAndColumnFilterFindsOrMakes) {
  TFilter F(nullptr);
  EXPECT_EQ(F.Add()->Operation(), foNONE);
  EXPECT_EQ(F.Add()->Operation(), foAND);
  F.Clear();

  TFilterData* D = F.ColumnFilter(3);
  ASSERT_EQ(F.Count(), 1);
  EXPECT_EQ(D->Column(), 3);
  EXPECT_TRUE(D->CaseSensitive());
  EXPECT_EQ(D->Operation(), foNONE);
  EXPECT_EQ(D->Data(), fcVirtual);
  EXPECT_EQ(D->Method(), fmExpression);
  EXPECT_EQ(F.ColumnFilter(3), D);
  EXPECT_EQ(F.Count(), 1);
  EXPECT_TRUE(F.HasFilter(3));
  EXPECT_FALSE(F.HasFilter(2));

  TFilterData* Inserted = F.Insert(0);
  EXPECT_EQ(F.Items(0), Inserted);
  EXPECT_EQ(Inserted->Operation(), foSHORT);
}

TEST_F(GridSettingsFixture, RemoveColumnFilterRemovesEveryConditionOfTheColumnOnly) {
  TFilter F(Grid);
  const Integer Columns[] = {1, 2, 1, 3};
  for (Integer C : Columns) {
    TFilterData* D = F.Add();
    D->SetColumn(static_cast<int16_t>(C));
    D->SetCondition(u"c" + IntToStr(C) + u"-" + IntToStr(F.Count()));
  }
  F.RemoveColumnFilter(1);
  ASSERT_EQ(F.Count(), 2);
  EXPECT_EQ(Narrow(F.Items(0)->Condition()), "c2-2");
  EXPECT_EQ(Narrow(F.Items(1)->Condition()), "c3-4");
  EXPECT_EQ(F.Grid(), Grid);
}

TEST(FilterTest, ItemsOutsideTheListRaiseTheListError) {
  TFilter F(nullptr);
  F.Add();
  EXPECT_THROW(F.Items(1), EListError);
  EXPECT_THROW(F.Insert(3), EListError);
}

TEST(FilterTest, FilterDataAndDropDownAssignCopyTheirSettings) {
  TFilter F(nullptr);
  TFilterData* A = F.Add();
  A->SetColumn(4);
  A->SetCondition(u">=10");
  A->SetCaseSensitive(false);
  A->SetData(fcStripHTML);
  A->SetPrefix(u"$");
  A->SetSuffix(u"%");
  A->SetMethod(fmLiteral);
  TFilterData* B = F.Add();
  B->Assign(A);
  EXPECT_EQ(B->Column(), 4);
  EXPECT_EQ(Narrow(B->Condition()), ">=10");
  EXPECT_FALSE(B->CaseSensitive());
  EXPECT_EQ(B->Data(), fcStripHTML);
  EXPECT_EQ(Narrow(B->Prefix() + B->Suffix()), "$%");
  EXPECT_EQ(B->Method(), fmLiteral);
  EXPECT_EQ(B->Operation(), foNONE);

  TFilterDropDown Look;
  EXPECT_EQ(Look.Width(), 150);
  EXPECT_EQ(Look.Height(), 150);
  EXPECT_EQ(Look.Color(), clWindow);
  Integer Changes = 0;
  Look.OnChange = [&](TObject*) { ++Changes; };
  TBitmap Glyph(9, 9);
  Look.SetGlyph(&Glyph);
  Look.SetGlyphActive(&Glyph);
  EXPECT_EQ(Changes, 2);
  Look.SetAutoSize(true);
  Look.SetColumnWidth(true);
  Look.SetWidth(80);
  Look.Font()->SetSize(17);
  EXPECT_EQ(Changes, 2);
  TFilterDropDown Copy;
  Copy.Assign(&Look);
  EXPECT_TRUE(Copy.AutoSize());
  EXPECT_TRUE(Copy.ColumnWidth());
  EXPECT_EQ(Copy.Width(), 80);
  EXPECT_EQ(Copy.Font()->Size(), 17);
  EXPECT_EQ(Copy.Glyph()->Width(), 9);
  EXPECT_FALSE(static_cast<bool>(Copy.OnChange));
}

// --- Grouping, drag scrolling, balloons ----------------------------------------------------------

TEST(GroupingTest, InitialValuesAssignAndTheGroupCount) {
  TGrouping G;
  EXPECT_EQ(G.HeaderLineColor(), TColor(0xFF0000));
  EXPECT_EQ(G.HeaderLineWidth(), 2);
  EXPECT_EQ(G.SummaryLineWidth(), 2);
  EXPECT_EQ(G.HeaderColor(), clNone);
  TGrouping Source;
  Source.SetHeaderLineWidth(4);
  Source.SetMergeSummary(true);
  Source.SetGroupCountFormat(u" [%d]");
  G.Assign(&Source);
  EXPECT_EQ(G.HeaderLineWidth(), 4);
  EXPECT_TRUE(G.MergeSummary());

  struct Case {
    const char* Name;
    const char16_t* Format;
    bool Show;
    const char* Expected;
  };
  const Case Cases[] = {
      {"count off", u"", false, "Europe"},
      {"default form", u"", true, "Europe (5)"},
      {"own pattern", u" - %d rows", true, "Europe - 5 rows"},
      {"pattern without an integer falls back", u" %s", true, "Europe (5)"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TGrouping H;
    H.SetGroupCountFormat(C.Format);
    H.SetShowGroupCount(C.Show);
    EXPECT_EQ(Narrow(H.GroupHeaderText(u"Europe", 5)), C.Expected);
  }
}

TEST(DragScrollOptionsTest, InitialValuesAndCopies) {
  TDragScrollOptions O;
  EXPECT_FALSE(O.Active());
  EXPECT_EQ(O.Delays()->InitialDelay(), 1000);
  EXPECT_EQ(O.Delays()->RepeatDelay(), 250);
  EXPECT_EQ(O.Margins()->TopMargin(), 50);
  EXPECT_EQ(O.Margins()->RightMargin(), 50);
  TDragScrollMargins M;
  M.SetLeftMargin(7);
  TDragScrollMargins* Owned = O.Margins();
  O.SetMargins(&M);
  EXPECT_EQ(O.Margins(), Owned);
  EXPECT_EQ(O.Margins()->LeftMargin(), 7);
  TDragScrollOptions Copy;
  O.SetActive(true);
  O.Delays()->SetRepeatDelay(40);
  Copy.Assign(&O);
  EXPECT_TRUE(Copy.Active());
  EXPECT_EQ(Copy.Delays()->RepeatDelay(), 40);
  EXPECT_EQ(Copy.Margins()->LeftMargin(), 7);
}

TEST(BalloonSettingsTest, EnableFiresItsEventAndAssignLeavesTheEventAlone) {
  TBalloonSettings B;
  EXPECT_EQ(B.AutoHideDelay(), -1);
  EXPECT_EQ(B.InitialDelay(), -1);
  EXPECT_EQ(B.ReshowDelay(), -1);
  EXPECT_EQ(B.BackgroundColor(), clNone);
  EXPECT_EQ(B.Transparency(), 0);
  std::vector<bool> Seen;
  B.OnEnableChange = [&](TObject* S) { Seen.push_back(static_cast<TBalloonSettings*>(S)->Enable()); };
  B.SetEnable(true);
  B.SetEnable(true);
  B.SetEnable(false);
  EXPECT_EQ(Seen, (std::vector<bool>{true, true, false}));

  TBalloonSettings Source;
  Source.SetEnable(true);
  Source.SetTransparency(55);
  Source.SetTextColor(0x0000FF);
  TBalloonSettings Copy;
  Copy.Assign(&Source);
  EXPECT_TRUE(Copy.Enable());
  EXPECT_EQ(Copy.Transparency(), 55);
  EXPECT_EQ(Copy.TextColor(), TColor(0x0000FF));
  EXPECT_FALSE(static_cast<bool>(Copy.OnEnableChange));
}

// --- Footer template -----------------------------------------------------------------------------

TEST(FooterTemplateTest, MarkersTakeTheCellsOfTheirColumns) {
  const auto Cell = [](Integer Col) -> String { return Col == 2 ? u"12" : u"c" + IntToStr(Col); };
  struct Case {
    const char* Name;
    const char16_t* Template;
    const char* Expected;
  };
  const Case Cases[] = {
      {"one marker", u"Sum: <#2>", "Sum: 12"},
      {"marker that is no number", u"<#x>ok", "ok"},
      {"two markers and text", u"<#1>/<#2> items", "c1/12 items"},
      {"no markers", u"plain", "plain"},
      {"marker never closed", u"a <#3 b", "a <#3 b"},
      {"closed marker, then an open one", u"<#0>-<#1", "c0-<#1"},
      {"html around markers", u"<b><#2></b>", "<b>12</b>"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    EXPECT_EQ(Narrow(ExpandFooterTemplate(C.Template, Cell)), C.Expected);
  }
}
