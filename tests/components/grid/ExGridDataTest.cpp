// The string grid's data operations: row nodes, grouping with summary rows and the group and footer
// calculations, sorting and undoing sorts, the row filter with its drop-down lists and incremental
// narrowing, find and replace, and the row and column structure operations.
#include "components/grid/ExGrid.h"

#include <gtest/gtest.h>
#include <functional>
#include <algorithm>

#include <memory>
#include <vector>

#include "components/grid/ExGridCellNode.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridFilter.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/ExGridOptions.h"
#include "components/gridbase/ExGridUndoRedo.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "tests/AllocationCount.h"

namespace {

using Texts = std::vector<String>;

// A grid that lets the tests reach a few of its inner values and watch some of its steps.
class TDataGrid : public TExStringGrid {
 public:
  explicit TDataGrid(TComponent* AOwner) : TExStringGrid(AOwner) {
    // The node look is the grid's own object; a grid made without one gets one here.
    if (!FCellNode) {
      OwnNode = std::make_unique<TCellNode>(this);
      FCellNode = OwnNode.get();
    }
  }
  ~TDataGrid() override {
    if (OwnNode) FCellNode = nullptr;
  }
  String ClassName() const override { return u"TDataGrid"; }

  using TExStringGrid::CompareCells;
  using TExStringGrid::DoGetDisplText;
  bool HasCellPropsFlag() const { return FHasCellProps; }
  void SetFilterColumn(Integer ACol) { FFilterCol = ACol; }
  Integer FilterColumn() const { return FFilterCol; }
  TDropList* DropList() const { return FDropList; }
  TDropCheckList* DropCheckList() const { return FDropCheckList; }
  Integer HiddenIdx(Integer I) const { return static_cast<TGridItem*>(FGridItems->GetItem(I))->Idx(); }
  Integer Level() const { return FFilterLevel; }
  TList* RowSelectList() const { return FRowSelect; }

  // Merges asked for: (column, row, columns, rows).
  std::vector<std::vector<Integer>> Merges;
  void MergeCells(Integer ACol, Integer ARow, Integer SpanX, Integer SpanY) override {
    Merges.push_back({ACol, ARow, SpanX, SpanY});
    TExStringGrid::MergeCells(ACol, ARow, SpanX, SpanY);
  }

 private:
  std::unique_ptr<TCellNode> OwnNode;
};

class ExGridDataTest : public testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 600, 500);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = new TDataGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 560, 460);
  }
  void TearDown() override {
    TComponent::Free(Form);
    FormatSettings = TFormatSettings::English();
    TestHarness::UseFakeClock(false);
  }
  // The grid holds one fixed row and the given normal rows; each row's cells are given from
  // column 0 on.
  void Load(const std::vector<Texts>& Rows, Integer Cols = 5) {
    Grid->SetColCount(Cols);
    Grid->SetRowCount(1 + static_cast<Integer>(Rows.size()));
    for (Integer c = 0; c < Cols; ++c) Grid->SetCells(c, 0, u"H" + IntToStr(c));
    for (size_t r = 0; r < Rows.size(); ++r)
      for (size_t c = 0; c < Rows[r].size(); ++c) Grid->SetCells(Integer(c), Integer(r) + 1, Rows[r][c]);
  }
  // One column of texts in rows 1 … n (the other cells empty).
  void LoadColumn(Integer ACol, const Texts& Values, Integer Cols = 5) {
    std::vector<Texts> Rows;
    for (const String& V : Values) {
      Texts Row(ACol + 1);
      Row[ACol] = V;
      Rows.push_back(Row);
    }
    Load(Rows, Cols);
  }
  // The texts of a column in rows From … RowCount - 1.
  Texts Column(Integer ACol, Integer From = 1) {
    Texts T;
    for (Integer r = From; r < Grid->RowCount(); ++r) T.push_back(Grid->Cells(ACol, r));
    return T;
  }
  // Runs Setup and Sort twice, by keys and cell by cell (which a grid with the disjunct row
  // selection moved on sort still takes), and expects the same rows (columns 1 on), comparisons
  // and exchanges from both.
  void ExpectSortByKeysAsCellByCell(const char* Name, const std::function<void()>& Setup, const std::function<void()>& Sort) {
    Texts Order[2];
    Integer Work[2][2];
    for (Integer Pass = 0; Pass < 2; ++Pass) {
      Setup();
      Grid->MouseActions()->SetDisjunctRowSelect(Pass == 1);
      Grid->Navigation()->SetMoveRowOnSort(Pass == 1);
      const Integer Compares = Grid->SortCompares(), Swaps = Grid->SortSwaps();
      Sort();
      Work[Pass][0] = Grid->SortCompares() - Compares;
      Work[Pass][1] = Grid->SortSwaps() - Swaps;
      for (Integer r = 1; r < Grid->RowCount(); ++r) {
        String Row = Grid->Cells(1, r);
        for (Integer c = 2; c < Grid->ColCount(); ++c) Row += u"|" + Grid->Cells(c, r);
        Order[Pass].push_back(Row);
      }
      Grid->MouseActions()->SetDisjunctRowSelect(false);
      Grid->Navigation()->SetMoveRowOnSort(false);
    }
    EXPECT_EQ(Order[0], Order[1]) << Name;
    EXPECT_EQ(Work[0][0], Work[1][0]) << Name << ": comparisons";
    EXPECT_EQ(Work[0][1], Work[1][1]) << Name << ": exchanges";
  }
  TForm* Form = nullptr;
  TDataGrid* Grid = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Row nodes
// ---------------------------------------------------------------------------------------------

TEST_F(ExGridDataTest, ContractingANodeHidesItsSpanAndExpandingRestoresIt) {
  LoadColumn(1, {u"n", u"a", u"b", u"c", u"d"});
  Grid->AddNode(1, 3);
  EXPECT_TRUE(Grid->IsNode(1));
  EXPECT_FALSE(Grid->IsNode(2));
  for (Integer r = 1; r <= 3; ++r) EXPECT_EQ(Grid->GetCellProperties(0, r)->NodeLevel(), 1) << r;
  EXPECT_FALSE(Grid->HasCellProperties(0, 4));
  EXPECT_EQ(Grid->GetNodeLevel(1), 1);
  EXPECT_EQ(Grid->GetNodeSpan(1), 3);
  EXPECT_EQ(Grid->GetNodeLevel(2), -1);
  EXPECT_EQ(Grid->NumNodes(), 1);

  Grid->ContractNode(1);
  EXPECT_TRUE(Grid->GetNodeState(1));
  EXPECT_EQ(Grid->RowCount(), 4);
  EXPECT_EQ(Column(1), (Texts{u"n", u"c", u"d"}));

  Grid->ExpandNode(1);
  EXPECT_FALSE(Grid->GetNodeState(1));
  EXPECT_EQ(Grid->RowCount(), 6);
  EXPECT_EQ(Column(1), (Texts{u"n", u"a", u"b", u"c", u"d"}));

  // Writing NodeState contracts and expands too.
  Grid->SetNodeState(1, true);
  EXPECT_EQ(Grid->RowCount(), 4);
  Grid->SetNodeState(1, false);
  EXPECT_EQ(Grid->RowCount(), 6);
}

TEST_F(ExGridDataTest, NestedNodeContractedInsideItsParentReappearsExpanded) {
  LoadColumn(1, {u"outer", u"inner", u"i1", u"i2", u"o1", u"after"});
  Grid->AddNode(1, 5);
  Grid->AddNode(2, 3);
  EXPECT_EQ(Grid->GetNodeLevel(1), 1);
  EXPECT_EQ(Grid->GetNodeLevel(2), 2);

  Grid->ContractNode(2);
  EXPECT_EQ(Column(1), (Texts{u"outer", u"inner", u"o1", u"after"}));
  Grid->ContractNode(1);
  EXPECT_EQ(Column(1), (Texts{u"outer", u"after"}));
  Grid->ExpandNode(1);
  EXPECT_EQ(Column(1), (Texts{u"outer", u"inner", u"i1", u"i2", u"o1", u"after"}));
  EXPECT_FALSE(Grid->GetNodeState(2));
  EXPECT_EQ(Grid->NumHiddenRows(), 0);
}

TEST_F(ExGridDataTest, ExpandOneContractsTheNodeThatWasOpen) {
  LoadColumn(1, {u"A", u"a1", u"B", u"b1"});
  Grid->AddNode(1, 2);
  Grid->AddNode(3, 2);
  Grid->ContractNode(3);
  Grid->CellNode()->SetExpandOne(true);
  Grid->ExpandNode(Grid->RealRowIndex(2));
  EXPECT_TRUE(Grid->GetNodeState(1));
  EXPECT_FALSE(Grid->GetNodeState(2));
  EXPECT_EQ(Column(1), (Texts{u"A", u"B", u"b1"}));
}

TEST_F(ExGridDataTest, ParentRowOfNodesAndPlainRows) {
  LoadColumn(1, {u"node", u"child", u"plain"});
  EXPECT_EQ(Grid->GetParentRow(2), -1);  // no nodes at all
  Grid->AddNode(1, 2);
  EXPECT_EQ(Grid->GetParentRow(1), 1);   // a node outside every node is its own parent
  EXPECT_EQ(Grid->GetParentRow(2), 1);
  EXPECT_EQ(Grid->GetParentRow(3), -1);  // a plain row outside all nodes
}

TEST_F(ExGridDataTest, InsertChildRowBelowANodeTakesOverTheNodeRowsContent) {
  LoadColumn(1, {u"group", u"inner", u"x", u"y"});
  Grid->AddNode(1, 4);
  Grid->AddNode(2, 2);
  auto* UserObject = new TObject();
  Grid->SetObjects(2, 2, UserObject);
  Grid->SetCells(2, 2, u"second");

  Grid->InsertChildRow(2, 0);
  EXPECT_TRUE(Grid->IsNode(2));
  EXPECT_EQ(Grid->Cells(1, 2), u"");
  EXPECT_EQ(Grid->Cells(2, 2), u"");
  EXPECT_EQ(Grid->Objects(2, 2), nullptr);
  EXPECT_EQ(Grid->Cells(1, 3), u"inner");
  EXPECT_EQ(Grid->Cells(2, 3), u"second");
  EXPECT_EQ(Grid->Objects(2, 3), UserObject);
  EXPECT_EQ(Grid->GetCellProperties(0, 3)->NodeLevel(), 1);
  // The parent grew by the new row.
  EXPECT_EQ(Grid->GetNodeSpan(1), 5);
  EXPECT_EQ(Grid->GetSubNodeCount(1), 1);
  delete UserObject;
}

TEST_F(ExGridDataTest, RemoveChildRowShrinksTheParent) {
  LoadColumn(1, {u"group", u"a", u"b", u"after"});
  Grid->AddNode(1, 3);
  Grid->RemoveChildRow(2);
  EXPECT_EQ(Column(1), (Texts{u"group", u"b", u"after"}));
  EXPECT_EQ(Grid->GetNodeSpan(1), 2);
}

TEST_F(ExGridDataTest, NodeGlyphHitWithPreciseClicks) {
  LoadColumn(1, {u"node", u"child"});
  Grid->AddNode(1, 2);
  Grid->CellNode()->SetNodeType(TCellNode::cnXP);
  Grid->CellNode()->SetNodeIndent(12);
  Grid->MouseActions()->SetPreciseNodeClick(false);
  EXPECT_TRUE(Grid->IsNodeGlyphHit(1, 100));  // imprecise clicks hit anywhere
  Grid->MouseActions()->SetPreciseNodeClick(true);
  const struct {
    const char* Name;
    Integer X;
    bool Hit;
  } Cases[] = {{"left edge", 4, false}, {"first inside", 5, true}, {"last inside", 15, true}, {"right edge", 16, false}};
  for (const auto& C : Cases) EXPECT_EQ(Grid->IsNodeGlyphHit(1, C.X), C.Hit) << C.Name;
}

TEST_F(ExGridDataTest, RemoveNodeAndRemoveAllNodesUndoTheLevels) {
  LoadColumn(1, {u"n1", u"a", u"n2", u"b"});
  Grid->AddNode(1, 2);
  Grid->AddNode(3, 2);
  Grid->ContractNode(3);
  Grid->RemoveNode(2);  // not a node: nothing changes
  EXPECT_EQ(Grid->NumNodes(), 2);
  Grid->RemoveNode(1);
  EXPECT_FALSE(Grid->IsNode(1));
  EXPECT_EQ(Grid->GetCellProperties(0, 2)->NodeLevel(), 0);
  EXPECT_EQ(Grid->NumNodes(), 1);
  Grid->RemoveAllNodes();
  EXPECT_EQ(Grid->NumNodes(), 0);
  EXPECT_EQ(Column(1), (Texts{u"n1", u"a", u"n2", u"b"}));
}

TEST_F(ExGridDataTest, ContractAllAndExpandAll) {
  LoadColumn(1, {u"A", u"a1", u"a2", u"B", u"b1"});
  Grid->AddNode(1, 3);
  Grid->AddNode(4, 2);
  Grid->ContractAll();
  EXPECT_EQ(Column(1), (Texts{u"A", u"B"}));
  EXPECT_TRUE(Grid->GetNodeState(1));
  EXPECT_TRUE(Grid->GetNodeState(2));
  Grid->ExpandAll();
  EXPECT_EQ(Column(1), (Texts{u"A", u"a1", u"a2", u"B", u"b1"}));
}

TEST_F(ExGridDataTest, NodeSpanTypesForTheTreeLines) {
  LoadColumn(1, {u"node", u"a", u"b", u"plain"});
  Grid->AddNode(1, 3);
  EXPECT_EQ(Grid->GetNodeSpanType(1), 0);
  EXPECT_EQ(Grid->GetNodeSpanType(2), 2);
  EXPECT_EQ(Grid->GetNodeSpanType(3), 1);
}

// ---------------------------------------------------------------------------------------------
// Grouping and calculations
// ---------------------------------------------------------------------------------------------

struct TGroupLayout {
  Texts Column1;
  std::vector<bool> Nodes;
  std::vector<bool> Summaries;
};

TEST_F(ExGridDataTest, GroupingBuildsHeadersAndSummaryRows) {
  const struct {
    const char* Name;
    bool Summary;
    TGroupLayout Expected;
    std::vector<Integer> Spans;
  } Cases[] = {
      {"with summary",
       true,
       {{u"A", u"1", u"2", u"", u"B", u"3", u"", u"C", u"4", u""},
        {true, false, false, false, true, false, false, true, false, false},
        {false, false, false, true, false, false, true, false, false, true}},
       {3, 2, 2}},
      {"without summary",
       false,
       {{u"A", u"1", u"2", u"B", u"3", u"C", u"4"},
        {true, false, false, true, false, true, false},
        {false, false, false, false, false, false, false}},
       {3, 2, 2}},
  };
  for (const auto& C : Cases) {
    Load({{u"", u"1", u"A"}, {u"", u"2", u"A"}, {u"", u"3", u"B"}, {u"", u"4", u"C"}}, 4);
    Grid->Grouping()->SetSummary(C.Summary);
    Grid->SetGroupColumn(2);
    EXPECT_EQ(Grid->GroupColumn(), 2) << C.Name;
    EXPECT_EQ(Grid->ColCount(), 3) << C.Name;
    // The header's value stands in column 1 and the data rows keep their first column.
    Texts Col1;
    std::vector<bool> Nodes;
    std::vector<bool> Summaries;
    std::vector<Integer> Spans;
    for (Integer r = 1; r < Grid->RowCount(); ++r) {
      Nodes.push_back(Grid->IsNode(r));
      Summaries.push_back(Grid->IsSummary(r));
      Col1.push_back(Grid->Cells(1, r));
      if (Grid->IsNode(r)) Spans.push_back(Grid->GetNodeSpan(r));
    }
    EXPECT_EQ(Col1, C.Expected.Column1) << C.Name;
    EXPECT_EQ(Nodes, C.Expected.Nodes) << C.Name;
    EXPECT_EQ(Summaries, C.Expected.Summaries) << C.Name;
    EXPECT_EQ(Spans, C.Spans) << C.Name;
    Grid->SetGroupColumn(-1);
  }
}

TEST_F(ExGridDataTest, TheGroupCountFollowsItsPatternAndABadPatternFallsBack) {
  Load({{u"", u"Group"}, {u"", u"a"}, {u"", u"b"}, {u"", u"c"}}, 3);
  Grid->AddNode(1, 4);
  Grid->Grouping()->SetShowGroupCount(true);
  struct Case {
    const char* Name;
    String Pattern;
    String Shown;
  } Cases[] = {
      {"plain count", u"", u"Group (3)"},
      {"own pattern", u" [%d]", u"Group [3]"},
      {"pattern without an integer", u" %s rows", u"Group (3)"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->Grouping()->SetGroupCountFormat(C.Pattern);
    String Value = u"Group";
    Grid->DoGetDisplText(1, 1, Value);
    EXPECT_EQ(Value, C.Shown);
  }
}

TEST_F(ExGridDataTest, UngroupRestoresTheColumnAndRemovesHeadersAndSummaries) {
  Load({{u"", u"1", u"B", u"x"}, {u"", u"2", u"A", u"y"}, {u"", u"3", u"B", u"z"}}, 4);
  Grid->SetColWidths(2, 77);
  Grid->Grouping()->SetSummary(true);
  Grid->SetGroupColumn(2);
  ASSERT_EQ(Grid->ColCount(), 3);
  Grid->SetGroupColumn(0);  // does nothing
  EXPECT_EQ(Grid->GroupColumn(), 2);
  Grid->UnGroup();
  EXPECT_EQ(Grid->GroupColumn(), -1);
  EXPECT_EQ(Grid->ColCount(), 4);
  EXPECT_EQ(Grid->RowCount(), 4);
  EXPECT_EQ(Grid->ColWidths(2), 77);
  EXPECT_EQ(Grid->Cells(2, 0), u"H2");
  // Grouping sorted the rows by the group column; the values came back with their rows.
  EXPECT_EQ(Column(1), (Texts{u"2", u"1", u"3"}));
  EXPECT_EQ(Column(2), (Texts{u"A", u"B", u"B"}));
  EXPECT_EQ(Column(3), (Texts{u"y", u"x", u"z"}));
  EXPECT_EQ(Grid->NumNodes(), 0);
  for (Integer r = 1; r < Grid->RowCount(); ++r) EXPECT_FALSE(Grid->IsSummary(r)) << r;
}

TEST_F(ExGridDataTest, GroupSumLandsInTheSummaryOrTheHeaderRow) {
  for (bool Summary : {true, false}) {
    Load({{u"", u"1.5", u"A"}, {u"", u"2", u"A"}, {u"", u"4", u"B"}}, 3);
    Grid->Grouping()->SetSummary(Summary);
    Grid->SetGroupColumn(2);
    Grid->GroupSum(1);
    // Layout with summary: A, 1.5, 2, sum, B, 4, sum; without: A, 1.5, 2, B, 4.
    if (Summary) {
      EXPECT_EQ(Grid->Cells(1, 4), u"3.50");
      EXPECT_EQ(Grid->Cells(1, 7), u"4.00");
      EXPECT_EQ(Grid->Cells(1, 1), u"A");
    } else {
      EXPECT_EQ(Grid->Cells(1, 1), u"3.50");
      EXPECT_EQ(Grid->Cells(1, 4), u"4.00");
    }
    Grid->GroupCount(1);
    EXPECT_EQ(Grid->Cells(1, Summary ? 4 : 1), u"2") << Summary;
    Grid->SetGroupColumn(-1);
  }
}

TEST_F(ExGridDataTest, FooterCalculationFillsTheLastRow) {
  LoadColumn(1, {u"1", u"2", u"3.5", u""});
  Grid->FloatingFooter()->SetColumnCalc(1, acSUM);
  Grid->CalcFooter(-1);  // footer hidden: nothing is calculated
  EXPECT_EQ(Grid->Cells(1, 4), u"");
  Grid->FloatingFooter()->SetVisible(true);
  Grid->FloatingFooter()->SetFooterStyle(fsColumnPreview);
  Grid->CalcFooter(-1);  // another style: nothing either
  EXPECT_EQ(Grid->Cells(1, 4), u"");
  Grid->FloatingFooter()->SetFooterStyle(fsFixedLastRow);
  Grid->CalcFooter(-1);
  EXPECT_EQ(Grid->Cells(1, 4), u"6.50");
  Grid->FloatingFooter()->SetColumnCalc(1, acCOUNT);
  Grid->CalcFooter(1);
  EXPECT_EQ(Grid->Cells(1, 4), u"3");
  Grid->FloatingFooter()->SetColumnCalc(1, acCUSTOM);
  Grid->OnFooterCalc = [](TObject*, Integer ACol, Integer, String& Value) { Value = u"custom " + IntToStr(ACol); };
  Grid->CalcFooter(1);
  EXPECT_EQ(Grid->Cells(1, 4), u"custom 1");
}

TEST_F(ExGridDataTest, ColumnStatistics) {
  LoadColumn(1, {u"2", u"x", u"4", u"6"});
  EXPECT_DOUBLE_EQ(Grid->ColumnSum(1), 12);
  EXPECT_DOUBLE_EQ(Grid->ColumnAvg(1), 3);  // the text that is no number still counts in the divisor
  EXPECT_DOUBLE_EQ(Grid->ColumnMin(1), 2);
  EXPECT_DOUBLE_EQ(Grid->ColumnMax(1), 6);
  EXPECT_DOUBLE_EQ(Grid->ColumnDistinct(1), 4);
  EXPECT_DOUBLE_EQ(Grid->ColumnSum(1, 3, 4), 10);
}

// ---------------------------------------------------------------------------------------------
// Sorting
// ---------------------------------------------------------------------------------------------

TEST_F(ExGridDataTest, NothingIsSortedWithoutAColumnOrWithOneRow) {
  LoadColumn(1, {u"b", u"a"});
  Grid->SortSettings()->SetColumn(-1);
  Grid->QSort();
  EXPECT_EQ(Column(1), (Texts{u"b", u"a"}));
  Grid->SetRowCount(1);
  Grid->SortByColumn(1);
  EXPECT_EQ(Grid->SortSettings()->Column(), -1);
}

TEST_F(ExGridDataTest, AComparisonThatRaisesLeavesEveryRowAndNoScratchRow) {
  struct Case {
    const char* Name;
    std::function<void()> Sort;
  };
  const Case Cases[] = {
      {"column sort", [this] { Grid->Sort(1, sdAscending); }},
      {"range sort", [this] { Grid->QuickSort(1, 1, Grid->RowCount() - 1); }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Load({{u"", u"c", u"3"}, {u"", u"a", u"1"}, {u"", u"d", u"4"}, {u"", u"b", u"2"}}, 3);
    Grid->OnGetFormat = [](TObject*, Integer, TSortStyle& Style, String&, String&) { Style = ssCustom; };
    Integer Asked = 0;
    Grid->OnCustomCompare = [&Asked](TObject*, const String&, const String&, Integer&) {
      if (++Asked == 3) throw Exception(u"compare failed");
    };
    EXPECT_THROW(C.Sort(), Exception);
    EXPECT_EQ(Grid->RowCount(), 5);
    Texts Sorted = Column(1);
    std::sort(Sorted.begin(), Sorted.end());
    EXPECT_EQ(Sorted, (Texts{u"a", u"b", u"c", u"d"}));
    Grid->OnCustomCompare = nullptr;
    Grid->OnGetFormat = nullptr;
  }
}

TEST_F(ExGridDataTest, SortMovesWholeRowsAndKeepsFixedRowsAndFooters) {
  Load({{u"", u"c", u"3"}, {u"", u"a", u"1"}, {u"", u"b", u"2"}, {u"", u"total", u"6"}}, 3);
  Grid->SetFixedFooters(1);
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Column(1), (Texts{u"a", u"b", u"c", u"total"}));
  EXPECT_EQ(Column(2), (Texts{u"1", u"2", u"3", u"6"}));
  EXPECT_EQ(Grid->Cells(1, 0), u"H1");
  Grid->Sort(1, sdDescending);
  EXPECT_EQ(Column(1), (Texts{u"c", u"b", u"a", u"total"}));
  EXPECT_EQ(Grid->RowCount(), 5);
}

TEST_F(ExGridDataTest, BlanksInANumericSort) {
  const struct {
    const char* Name;
    bool IgnoreBlanks;
    TSortBlankPosition Pos;
    TSortDirection Direction;
    Texts Expected;
  } Cases[] = {
      {"blank counts as 0", false, blFirst, sdAscending, {u"", u"9", u"10"}},
      {"blanks last", true, blLast, sdAscending, {u"9", u"10", u""}},
      {"blanks first", true, blFirst, sdAscending, {u"", u"9", u"10"}},
      {"blanks last descending", true, blLast, sdDescending, {u"10", u"9", u""}},
      {"blanks first descending", true, blFirst, sdDescending, {u"", u"10", u"9"}},
  };
  for (const auto& C : Cases) {
    LoadColumn(1, {u"10", u"9", u""}, 2);
    Grid->SortSettings()->SetIgnoreBlanks(C.IgnoreBlanks);
    Grid->SortSettings()->SetBlankPos(C.Pos);
    Grid->OnGetFormat = [](TObject*, Integer, TSortStyle& Style, String&, String&) { Style = ssNumeric; };
    Grid->Sort(1, C.Direction);
    EXPECT_EQ(Column(1), C.Expected) << C.Name;
  }
}

TEST_F(ExGridDataTest, AutomaticStyleComparisons) {
  const struct {
    const char* Name;
    String First;
    String Second;
    Integer Expected;
  } Cases[] = {
      {"dates", u"1/2/2020", u"5/3/2019", 1},
      {"letters first: text", u"abc", u"5/3/2019", 1},
      {"a number before letters", u"12", u"abc", -1},
      {"letters after a number", u"abc", u"12", 1},
      {"a blank before a number", u"", u"-5", -1},
      {"numbers", u"9", u"10", -1},
      {"times", u"9:30", u"10:15", -1},
      {"text", u"b", u"a", 1},
  };
  LoadColumn(1, {u"", u""}, 2);
  for (const auto& C : Cases) {
    Grid->SetCells(1, 1, C.First);
    Grid->SetCells(1, 2, C.Second);
    EXPECT_EQ(Grid->CompareCells(1, 1, 2, sdAscending), C.Expected) << C.Name;
  }
}

// How a column compares: its style (through OnGetFormat), prefix and suffix, the sort settings
// that change a comparison, and the locale's separators.
struct TSortColumnCase {
  const char* Name;
  TSortStyle Style;
  bool IgnoreCase;
  String Prefix, Suffix;
  bool CommaDecimal;  // "," the decimal separator, "." the thousand separator
  bool BlanksLast;    // IgnoreBlanks with blLast
};

void SetUpSortColumn(TDataGrid* Grid, const TSortColumnCase& C) {
  if (C.CommaDecimal) {
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
  } else {
    FormatSettings = TFormatSettings::English();
  }
  Grid->SortSettings()->SetIgnoreCase(C.IgnoreCase);
  Grid->SortSettings()->SetIgnoreBlanks(C.BlanksLast);
  Grid->SortSettings()->SetBlankPos(blLast);
  Grid->OnGetFormat = [C](TObject*, Integer, TSortStyle& Style, String& Prefix, String& Suffix) {
    Style = C.Style;
    Prefix = C.Prefix;
    Suffix = C.Suffix;
  };
}

const TSortColumnCase SortColumnCases[] = {
    {"automatic", ssAutomatic, false, u"", u"", false, false},
    {"automatic, no case, blanks last", ssAutomatic, true, u"", u"", false, true},
    {"numeric", ssNumeric, false, u"", u"", false, false},
    {"numeric with a prefix", ssNumeric, false, u"$", u"", false, false},
    {"financial with a suffix", ssFinancial, false, u"", u" EUR", true, false},
    {"alphanumeric", ssAlphaNumeric, false, u"", u"", false, false},
    {"alphanumeric, no case", ssAlphaNumericNoCase, false, u"", u"", false, false},
};

// Over texts that mix numbers (overflowing ones too), blanks, words, texts that begin like numbers,
// dates, times and currency texts, every style's comparison is one order: the answer for (b, a) is
// the opposite of the one for (a, b), and an order of three never goes round in a circle.
TEST_F(ExGridDataTest, EachStylesComparisonIsOneOrderOverMixedTexts) {
  const Texts Values{u"",       u" ",       u"   ",         u"-1e309",      u"1e309",    u"NaN",      u"nan",
                     u"1e5",    u" 12",     u"12",          u"-3",          u"0",        u"-0",       u"0.5",
                     u"abc",    u"ABC",     u"Zeta",        u"$5",          u"(none)",   u"#1",       u"12abc",
                     u"5x",     u"-x",      u"-",           u".",           u"1,234",    u"1/2/2020", u"5/3/2019",
                     u"10:30",  u"9:15",    u"3/3/2021 10:00", u"12,50 EUR", u"1.234,50 EUR", u"EUR", u"$-2",
                     u"x/y",    u"--",      u"99/99/9999"};
  const Integer N = static_cast<Integer>(Values.size());
  for (const TSortColumnCase& C : SortColumnCases) {
    SCOPED_TRACE(C.Name);
    LoadColumn(1, Values, 2);
    SetUpSortColumn(Grid, C);
    std::vector<std::vector<Integer>> Cmp(N, std::vector<Integer>(N));
    for (Integer i = 0; i < N; ++i)
      for (Integer j = 0; j < N; ++j) Cmp[i][j] = Grid->CompareCells(1, i + 1, j + 1, sdAscending);
    for (Integer i = 0; i < N; ++i)
      for (Integer j = 0; j < N; ++j) {
        EXPECT_EQ(Cmp[i][j], -Cmp[j][i]) << StringToUtf8(Values[i]) << " | " << StringToUtf8(Values[j]);
        if (Cmp[i][j] > 0) continue;
        for (Integer k = 0; k < N; ++k)
          if (Cmp[j][k] <= 0) {
            EXPECT_LE(Cmp[i][k], Cmp[i][j] + Cmp[j][k] < 0 ? -1 : 0)
                << StringToUtf8(Values[i]) << " | " << StringToUtf8(Values[j]) << " | " << StringToUtf8(Values[k]);
          }
      }
  }
}

// 2,000 mixed texts sorted either way, by keys and cell by cell, end with every pair of neighbours
// in order under the comparison.
TEST_F(ExGridDataTest, MixedTextsSortWithEveryNeighbourInOrder) {
  Texts Values;
  Cardinal Seed = 11;
  auto Next = [&Seed](Cardinal Range) {
    Seed = Seed * 1103515245u + 12345u;
    return static_cast<Integer>((Seed >> 8) % Range);
  };
  for (Integer i = 0; i < 2000; ++i) {
    const Integer V = Next(1000) - 300;
    switch (Next(12)) {
      case 0: Values.push_back(IntToStr(V)); break;
      case 1: Values.push_back(IntToStr(V) + u".5"); break;
      case 2: Values.push_back(IntToStr(V) + u"e309"); break;
      case 3: Values.push_back(Next(2) ? u"" : u"  "); break;
      case 4: Values.push_back(u"w" + IntToStr(V)); break;
      case 5: Values.push_back(IntToStr(V) + u"x"); break;
      case 6: Values.push_back(u"(" + IntToStr(V) + u")"); break;
      case 7: Values.push_back(IntToStr(1 + Next(12)) + u"/" + IntToStr(1 + Next(28)) + u"/20" + IntToStr(10 + Next(10))); break;
      case 8: Values.push_back(IntToStr(Next(24)) + u":" + IntToStr(10 + Next(50))); break;
      case 9: Values.push_back(Next(2) ? u"NaN" : u"-"); break;
      case 10: Values.push_back(u"$" + IntToStr(V)); break;
      default: Values.push_back(u"1e" + IntToStr(V)); break;
    }
  }
  for (const TSortColumnCase& C : SortColumnCases)
    for (const TSortDirection Direction : {sdAscending, sdDescending})
      for (const bool ByCells : {false, true}) {
        SCOPED_TRACE(std::string(C.Name) + (Direction == sdAscending ? ", ascending" : ", descending") +
                     (ByCells ? ", cell by cell" : ", by keys"));
        LoadColumn(1, Values, 2);
        SetUpSortColumn(Grid, C);
        Grid->MouseActions()->SetDisjunctRowSelect(ByCells);
        Grid->Navigation()->SetMoveRowOnSort(ByCells);
        Grid->Sort(1, Direction);
        Integer OutOfOrder = 0;
        for (Integer r = 1; r + 1 < Grid->RowCount(); ++r) {
          const Integer Res = Grid->CompareCells(1, r, r + 1, Direction);
          if (Direction == sdAscending ? Res > 0 : Res < 0) ++OutOfOrder;
        }
        EXPECT_EQ(OutOfOrder, 0);
        Grid->MouseActions()->SetDisjunctRowSelect(false);
        Grid->Navigation()->SetMoveRowOnSort(false);
      }
}

// Columns whose texts the style's own rule already ordered sort as they always did.
TEST_F(ExGridDataTest, ColumnsTheStylesRulesOrderedSortAsBefore) {
  const struct {
    TSortColumnCase Column;
    Texts Values, Ascending, Descending;
  } Cases[] = {
      {{"automatic numbers", ssAutomatic, false, u"", u"", false, false},
       {u"10", u"9", u"-1.5", u"1e2", u"0", u"-3", u"1e309", u"-1e309", u"2.5", u"1e-3", u"007", u"12"},
       {u"-1e309", u"-3", u"-1.5", u"0", u"1e-3", u"2.5", u"007", u"9", u"10", u"12", u"1e2", u"1e309"},
       {u"1e309", u"1e2", u"12", u"10", u"9", u"007", u"2.5", u"1e-3", u"0", u"-1.5", u"-3", u"-1e309"}},
      {{"automatic positive numbers and blanks", ssAutomatic, false, u"", u"", false, false},
       {u"", u"10", u"9", u"", u"0.5", u"1e3", u"3"},
       {u"", u"", u"0.5", u"3", u"9", u"10", u"1e3"},
       {u"1e3", u"10", u"9", u"3", u"0.5", u"", u""}},
      {{"automatic positive numbers and blanks last", ssAutomatic, false, u"", u"", false, true},
       {u"", u"10", u"9", u"", u"0.5", u"1e3", u"3"},
       {u"0.5", u"3", u"9", u"10", u"1e3", u"", u""},
       {u"1e3", u"10", u"9", u"3", u"0.5", u"", u""}},
      {{"automatic texts", ssAutomatic, false, u"", u"", false, false},
       {u"b", u"A", u"a", u"Zeta", u"(none)", u"#1", u"$5", u" 12", u"12abc", u"5x", u"-x", u"NaN", u"x y", u"", u"ABC", u"abc"},
       {u"", u" 12", u"#1", u"$5", u"(none)", u"-x", u"12abc", u"5x", u"A", u"ABC", u"NaN", u"Zeta", u"a", u"abc", u"b", u"x y"},
       {u"x y", u"b", u"abc", u"a", u"Zeta", u"NaN", u"ABC", u"A", u"5x", u"12abc", u"-x", u"(none)", u"$5", u"#1", u" 12", u""}},
      {{"automatic texts, no case", ssAutomatic, true, u"", u"", false, false},
       {u"b", u"A", u"a", u"Zeta", u"(none)", u"#1", u"$5", u" 12", u"12abc", u"5x", u"-x", u"NaN", u"x y", u"", u"ABC", u"abc"},
       {u"", u" 12", u"#1", u"$5", u"(none)", u"-x", u"12abc", u"5x", u"a", u"A", u"abc", u"ABC", u"b", u"NaN", u"x y", u"Zeta"},
       {u"Zeta", u"x y", u"NaN", u"b", u"ABC", u"abc", u"A", u"a", u"5x", u"12abc", u"-x", u"(none)", u"$5", u"#1", u" 12", u""}},
      {{"automatic dates and blanks", ssAutomatic, false, u"", u"", false, false},
       {u"1/2/2020", u"5/3/2019", u"", u"12/31/1999", u"3/3/2021 10:00", u"7/4/2020"},
       {u"", u"12/31/1999", u"5/3/2019", u"1/2/2020", u"7/4/2020", u"3/3/2021 10:00"},
       {u"3/3/2021 10:00", u"7/4/2020", u"1/2/2020", u"5/3/2019", u"12/31/1999", u""}},
      {{"automatic times and blanks", ssAutomatic, false, u"", u"", false, false},
       {u"10:30", u"9:15", u"", u"23:59", u"0:01", u"12:00"},
       {u"", u"0:01", u"9:15", u"10:30", u"12:00", u"23:59"},
       {u"23:59", u"12:00", u"10:30", u"9:15", u"0:01", u""}},
      {{"automatic negative numbers and words", ssAutomatic, false, u"", u"", false, false},
       {u"-3", u"abc", u"-1.5", u"xyz", u"-1e309", u"Word"},
       {u"-1e309", u"-3", u"-1.5", u"Word", u"abc", u"xyz"},
       {u"xyz", u"abc", u"Word", u"-1.5", u"-3", u"-1e309"}},
      {{"automatic symbols and positive numbers", ssAutomatic, false, u"", u"", false, false},
       {u"5", u"(none)", u"12", u" ", u"#x", u"$", u"1e5"},
       {u" ", u"#x", u"$", u"(none)", u"5", u"12", u"1e5"},
       {u"1e5", u"12", u"5", u"(none)", u"$", u"#x", u" "}},
      {{"numeric numbers and blanks", ssNumeric, false, u"", u"", false, false},
       {u"10", u"9", u"", u"-2", u"1e2", u"3.5", u""},
       {u"-2", u"", u"", u"3.5", u"9", u"10", u"1e2"},
       {u"1e2", u"10", u"9", u"3.5", u"", u"", u"-2"}},
      {{"numeric with a prefix", ssNumeric, false, u"$", u"", false, false},
       {u"$10", u"$9", u"$-2", u"$1e2", u"$0.5"},
       {u"$-2", u"$0.5", u"$9", u"$10", u"$1e2"},
       {u"$1e2", u"$10", u"$9", u"$0.5", u"$-2"}},
      {{"financial with a suffix", ssFinancial, false, u"", u" EUR", true, false},
       {u"1.234,50 EUR", u"999,00 EUR", u"-5,00 EUR", u"12.000.000,00 EUR", u"0,01 EUR"},
       {u"-5,00 EUR", u"0,01 EUR", u"999,00 EUR", u"1.234,50 EUR", u"12.000.000,00 EUR"},
       {u"12.000.000,00 EUR", u"1.234,50 EUR", u"999,00 EUR", u"0,01 EUR", u"-5,00 EUR"}},
      {{"alphanumeric numbers and words", ssAlphaNumeric, false, u"", u"", false, false},
       {u"10", u"9", u"abc", u"B", u"-3", u"Zeta", u"1e2"},
       {u"-3", u"9", u"10", u"1e2", u"B", u"Zeta", u"abc"},
       {u"abc", u"Zeta", u"B", u"1e2", u"10", u"9", u"-3"}},
      {{"alphanumeric, no case", ssAlphaNumericNoCase, false, u"", u"", false, false},
       {u"10", u"9", u"abc", u"B", u"-3", u"Zeta", u"a"},
       {u"-3", u"9", u"10", u"a", u"abc", u"B", u"Zeta"},
       {u"Zeta", u"B", u"abc", u"a", u"10", u"9", u"-3"}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Column.Name);
    LoadColumn(1, C.Values, 2);
    SetUpSortColumn(Grid, C.Column);
    Grid->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), C.Ascending);
    Grid->Sort(1, sdDescending);
    EXPECT_EQ(Column(1), C.Descending);
  }
}

TEST_F(ExGridDataTest, FinancialStyleWithLocaleSeparatorsAndSuffix) {
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  LoadColumn(1, {u"1.234,50 EUR", u"999,00 EUR"}, 2);
  Grid->OnGetFormat = [](TObject*, Integer, TSortStyle& Style, String&, String& Suffix) {
    Style = ssFinancial;
    Suffix = u" EUR";
  };
  EXPECT_EQ(Grid->CompareCells(1, 1, 2, sdAscending), 1);
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Column(1), (Texts{u"999,00 EUR", u"1.234,50 EUR"}));
}

TEST_F(ExGridDataTest, CheckBoxSortPutsUncheckedRowsFirst) {
  LoadColumn(1, {u"on", u"none", u"off"}, 3);
  Grid->AddCheckBox(2, 1, true, false);
  Grid->AddCheckBox(2, 3, false, false);
  Grid->OnGetFormat = [](TObject*, Integer, TSortStyle& Style, String&, String&) { Style = ssCheckBox; };
  Grid->SortSettings()->SetFull(false);
  Grid->Sort(2, sdAscending);
  EXPECT_EQ(Grid->Cells(1, 3), u"on");
}

TEST_F(ExGridDataTest, TiesGoToTheNextColumnWithFull) {
  Load({{u"", u"a", u"2"}, {u"", u"a", u"1"}, {u"", u"b", u"0"}}, 3);
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Column(2), (Texts{u"1", u"2", u"0"}));
}

TEST_F(ExGridDataTest, IndexedSortByTwoColumns) {
  Load({{u"", u"", u"b", u"1"}, {u"", u"", u"a", u"1"}, {u"", u"", u"a", u"2"}, {u"", u"", u"b", u"3"}}, 4);
  Grid->SortIndexes()->AddIndex(2, true);
  Grid->SortIndexes()->AddIndex(3, false);
  Grid->QSortIndexed();
  EXPECT_EQ(Column(2), (Texts{u"a", u"a", u"b", u"b"}));
  EXPECT_EQ(Column(3), (Texts{u"2", u"1", u"3", u"1"}));
}

TEST_F(ExGridDataTest, IndexedSortWithoutIndexesRaises) {
  LoadColumn(1, {u"b", u"a"});
  try {
    Grid->QSortIndexed();
    FAIL() << "no error";
  } catch (const EStringGridError& E) {
    EXPECT_EQ(E.Message(), u"No indexes specified for indexed sort");
  }
  EXPECT_EQ(Column(1), (Texts{u"b", u"a"}));
}

TEST_F(ExGridDataTest, UnSortRestoresTheOrderOfTheLastReset) {
  LoadColumn(1, {u"c", u"a", u"b"}, 2);
  Grid->Sort(1, sdAscending);
  Grid->Sort(1, sdDescending);
  Grid->QUnSort();
  EXPECT_EQ(Column(1), (Texts{u"c", u"a", u"b"}));

  // A new row makes the next sort start from the order it finds.
  Grid->AddRow();
  Grid->SetCells(1, 4, u"0");
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Column(1), (Texts{u"0", u"a", u"b", u"c"}));
  Grid->QUnSort();
  EXPECT_EQ(Column(1), (Texts{u"c", u"a", u"b", u"0"}));
}

TEST_F(ExGridDataTest, CurrentRowAfterASort) {
  LoadColumn(1, {u"c", u"a", u"b"}, 2);
  Grid->SetRow(1);  // "c"
  std::vector<std::pair<Integer, Integer>> Updates;
  Grid->OnRowUpdate = [&](TObject*, Integer OldRow, Integer NewRow) { Updates.push_back({OldRow, NewRow}); };
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Grid->Row(), 1);
  ASSERT_FALSE(Updates.empty());
  EXPECT_EQ(Updates.back(), std::make_pair(1, 1));

  Updates.clear();
  Grid->Navigation()->SetMoveRowOnSort(true);
  Grid->SetRow(1);  // "a"
  Grid->Sort(1, sdDescending);
  EXPECT_EQ(Grid->Cells(1, Grid->Row()), u"a");
}

TEST_F(ExGridDataTest, NormalCellsOnlyKeepsTheFixedColumnInPlace) {
  Load({{u"1", u"c"}, {u"2", u"a"}, {u"3", u"b"}}, 2);
  Grid->SortSettings()->SetNormalCellsOnly(true);
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Column(0), (Texts{u"1", u"2", u"3"}));
  EXPECT_EQ(Column(1), (Texts{u"a", u"b", u"c"}));
}

TEST_F(ExGridDataTest, SortMovesCellPropertiesWithTheirRows) {
  LoadColumn(1, {u"b", u"a"}, 2);
  Grid->SetColors(1, 1, clRed);
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Grid->Colors(1, 2), clRed);
  EXPECT_EQ(Grid->Colors(1, 1), clNone);
  // The scratch rows are gone without taking anything along.
  EXPECT_EQ(Grid->RowCount(), 3);
  EXPECT_EQ(Grid->GetGridObject(1, 3), nullptr);
}

TEST_F(ExGridDataTest, HiddenColumnsTravelWithTheirRows) {
  Load({{u"", u"b", u"B", u"2"}, {u"", u"a", u"A", u"1"}}, 4);
  Grid->HideColumn(2);
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Column(1), (Texts{u"a", u"b"}));
  EXPECT_EQ(Column(2), (Texts{u"A", u"B"}));  // cells are kept under their real column
  EXPECT_EQ(Column(3), (Texts{u"1", u"2"}));
  EXPECT_EQ(Grid->ColCount(), 3);
}

TEST_F(ExGridDataTest, GroupSortSortsInsideTheDeepestNodes) {
  LoadColumn(1, {u"G1", u"b", u"a", u"G2", u"d", u"c"}, 2);
  Grid->AddNode(1, 3);
  Grid->AddNode(4, 3);
  Grid->SortSettings()->SetColumn(1);
  Grid->QSortGroup();
  EXPECT_EQ(Column(1), (Texts{u"G1", u"a", u"b", u"G2", u"c", u"d"}));
}

// ---------------------------------------------------------------------------------------------
// Filtering
// ---------------------------------------------------------------------------------------------

TEST_F(ExGridDataTest, FilterHidesFailingRowsAndBringsThemBack) {
  LoadColumn(1, {u"Apple", u"banana", u"avocado", u"Cherry"}, 2);
  TFilterData* F = Grid->Filter()->Add();
  F->SetColumn(1);
  F->SetCondition(u"A*");
  F->SetCaseSensitive(false);
  Grid->SetFilterActive(true);
  EXPECT_EQ(Column(1), (Texts{u"Apple", u"avocado"}));
  EXPECT_EQ(Grid->RowCount(), 3);
  Grid->SetFilterActive(false);
  EXPECT_EQ(Column(1), (Texts{u"Apple", u"banana", u"avocado", u"Cherry"}));
}

TEST_F(ExGridDataTest, ConditionsJoinByTheirOperation) {
  const struct {
    const char* Name;
    TFilterOperation Second;
    String SecondCondition;
    Texts Expected;
  } Cases[] = {
      {"either matches", foOR, u"b*", {u"a1", u"b1", u"a2"}},
      {"both match", foAND, u"*1", {u"a1"}},
      {"one of the two", foXOR, u"*1", {u"b1", u"a2"}},
      {"empty condition matches every row", foAND, u"", {u"a1", u"a2"}},
  };
  for (const auto& C : Cases) {
    LoadColumn(1, {u"a1", u"b1", u"a2", u"c"}, 2);
    Grid->Filter()->Clear();
    TFilterData* F1 = Grid->Filter()->Add();
    F1->SetColumn(1);
    F1->SetCondition(u"a*");
    EXPECT_EQ(F1->Operation(), foNONE) << C.Name;
    TFilterData* F2 = Grid->Filter()->Add();
    F2->SetColumn(1);
    F2->SetCondition(C.SecondCondition);
    F2->SetOperation(C.Second);
    Grid->SetFilterActive(true);
    EXPECT_EQ(Column(1), C.Expected) << C.Name;
    Grid->SetFilterActive(false);
  }
}

// A filter run reads each condition once, not once per row: a condition of 300 alternatives tested
// on 400 rows takes the memory of one reading (reading it for every row made some 200 MB of copies).
// A changed condition or case is read anew.
TEST_F(ExGridDataTest, AFilterRunReadsEachConditionOnce) {
  Texts Rows;
  for (Integer i = 0; i < 400; ++i) Rows.push_back(i % 4 == 0 ? String(u"b") : u"x" + IntToStr(i));
  LoadColumn(1, Rows, 2);
  String Condition;
  for (Integer k = 0; k < 300; ++k) Condition += u"a" + IntToStr(k) + u"|";
  Condition += u"B";
  TFilterData* F = Grid->Filter()->Add();
  F->SetColumn(1);
  F->SetCondition(Condition);
  F->SetCaseSensitive(false);
  {
    TAllocationCount Count;
    Grid->SetFilterActive(true);
    if (TAllocationCount::Available()) {
      EXPECT_LT(Count.Allocated(), 4u << 20);
    }
  }
  EXPECT_EQ(Grid->RowCount(), 1 + 100);
  Grid->SetFilterActive(false);
  F->SetCaseSensitive(true);
  Grid->SetFilterActive(true);
  EXPECT_EQ(Grid->RowCount(), 1);
  Grid->SetFilterActive(false);
  F->SetCondition(u"x1*");
  Grid->SetFilterActive(true);
  EXPECT_EQ(Grid->RowCount(), 1 + 84);
  Grid->SetFilterActive(false);
}

TEST_F(ExGridDataTest, ShortCircuitLeavesTheLaterConditionsUnasked) {
  LoadColumn(1, {u"a1", u"b1"}, 2);
  TFilterData* F1 = Grid->Filter()->Add();
  F1->SetColumn(1);
  F1->SetCondition(u"a*");
  F1->SetOperation(foSHORT);
  TFilterData* F2 = Grid->Filter()->Add();
  F2->SetColumn(1);
  F2->SetCondition(u"b*");
  F2->SetOperation(foOR);
  Grid->SetFilterActive(true);
  EXPECT_EQ(Column(1), (Texts{u"a1"}));
}

TEST_F(ExGridDataTest, PrefixIsRemovedOnlyAtTheStart) {
  LoadColumn(1, {u"xabc", u"abcx", u"abc"}, 2);
  TFilterData* F = Grid->Filter()->Add();
  F->SetColumn(1);
  F->SetPrefix(u"x");
  F->SetCondition(u"abc");
  F->SetMethod(fmLiteral);
  Grid->SetFilterActive(true);
  EXPECT_EQ(Column(1), (Texts{u"xabc", u"abc"}));
}

TEST_F(ExGridDataTest, NarrowDownStacksAndRemovesLevels) {
  LoadColumn(1, {u"apple", u"apricot", u"banana", u"cherry"}, 2);
  Grid->NarrowDown(u"a", 1);
  EXPECT_EQ(Column(1), (Texts{u"apple", u"apricot", u"banana"}));
  EXPECT_EQ(Grid->Level(), 1);
  Grid->NarrowDown(u"ap", 1);
  EXPECT_EQ(Column(1), (Texts{u"apple", u"apricot"}));
  EXPECT_EQ(Grid->Level(), 2);
  Grid->NarrowDown(u"a", 1);
  EXPECT_EQ(Column(1), (Texts{u"apple", u"apricot", u"banana"}));
  EXPECT_EQ(Grid->Level(), 1);
  Grid->NarrowDown(u"", 1);
  EXPECT_EQ(Column(1), (Texts{u"apple", u"apricot", u"banana", u"cherry"}));
  EXPECT_EQ(Grid->Level(), 0);
  EXPECT_TRUE(Grid->FixedRowAlways());
}

TEST_F(ExGridDataTest, NarrowDownOnTheWholeRowIgnoresCase) {
  Load({{u"", u"red", u"Box"}, {u"", u"blue", u"bag"}, {u"", u"green", u"tin"}}, 3);
  Grid->NarrowDown(u"b", -1);
  EXPECT_EQ(Column(1), (Texts{u"red", u"blue"}));
}

TEST_F(ExGridDataTest, NarrowDownToNothingKeepsRowsHiddenByOtherMeans) {
  LoadColumn(1, {u"a", u"b", u"c"}, 2);
  Grid->HideRow(2);
  Grid->NarrowDown(u"a", 1);
  Grid->NarrowDown(u"", 1);
  EXPECT_EQ(Column(1), (Texts{u"a", u"c"}));
  Grid->UnHideRow(2);
  EXPECT_EQ(Column(1), (Texts{u"a", u"b", u"c"}));
}

TEST_F(ExGridDataTest, AutomaticFilterListAndChoosingAll) {
  LoadColumn(1, {u"b", u"A", u"a", u"two words", u""}, 2);
  Grid->SetFilterDropDownAuto(true);
  ASSERT_TRUE(Grid->BuildFilterList(1));
  Texts List;
  for (Integer i = 0; i < Grid->FilterList()->Count(); ++i) List.push_back(Grid->FilterList()->Strings(i));
  EXPECT_EQ(List, (Texts{u"(All)", u"", u"A", u"b", u"two words=\"two words\""}));

  // Choosing "b", then "(All)".
  auto Choose = [&](Integer Index) {
    Grid->DropList()->Items()->Clear();
    for (const String& S : List) Grid->DropList()->Items()->Add(S);
    Grid->DropList()->SetItemIndex(Index);
    Grid->SetFilterColumn(1);
    Grid->FilterListSelect();
  };
  Choose(3);
  EXPECT_EQ(Column(1), (Texts{u"b"}));
  EXPECT_TRUE(Grid->Filter()->HasFilter(1));
  EXPECT_EQ(Grid->FilterColumn(), -1);
  Choose(0);
  EXPECT_FALSE(Grid->Filter()->HasFilter(1));
  EXPECT_EQ(Grid->RowCount(), 6);
}

TEST_F(ExGridDataTest, CheckListChoosesSeveralValues) {
  LoadColumn(1, {u"a", u"b", u"c"}, 2);
  Grid->SetFilterDropDownAuto(true);
  Grid->SetFilterDropDownClear(String());
  ASSERT_TRUE(Grid->BuildFilterList(1));
  TDropCheckList* L = Grid->DropCheckList();
  for (Integer i = 0; i < Grid->FilterList()->Count(); ++i) L->Items()->Add(Grid->FilterList()->Strings(i));
  L->SetChecked(0, true);
  L->SetChecked(2, true);
  Grid->SetFilterColumn(1);
  Grid->FilterCheckListSelect();
  EXPECT_EQ(Column(1), (Texts{u"a", u"c"}));
  EXPECT_EQ(Grid->Filter()->Items(1)->Operation(), foOR);
}

// ---------------------------------------------------------------------------------------------
// Find, replace and incremental search
// ---------------------------------------------------------------------------------------------

using TFP = TExStringGrid::TFindParams;

TEST_F(ExGridDataTest, FindScansInColumnOrRowOrder) {
  Load({{u"", u"x", u"hit"}, {u"", u"hit", u"x"}}, 3);
  const struct {
    const char* Name;
    TFP Params;
    TPoint Expected;
  } Cases[] = {
      {"column by column from the first normal cell", TFP{}, TPoint{1, 2}},
      {"row by row", TFP{TExStringGrid::fnDirectionLeftRight}, TPoint{2, 1}},
      {"backward from the bottom right", TFP{TExStringGrid::fnBackward}, TPoint{2, 1}},
      {"whole text, any case", TFP{TExStringGrid::fnMatchFull}, TPoint{1, 2}},
      {"case matters", TFP{TExStringGrid::fnMatchCase}, TPoint{1, 2}},
  };
  for (const auto& C : Cases) {
    const TPoint P = Grid->Find(TPoint{-1, -1}, u"HIT", C.Params);
    const TPoint Expected = C.Params.Contains(TExStringGrid::fnMatchCase) ? TPoint{-1, -1} : C.Expected;
    EXPECT_EQ(P.X, Expected.X) << C.Name;
    EXPECT_EQ(P.Y, Expected.Y) << C.Name;
  }
}

// The cell test of a find: where the search text must stand, with and without case, letters
// beyond ASCII folded as AnsiUpperCase folds them.
TEST_F(ExGridDataTest, FindTestsEachCellByPlaceAndCase) {
  const struct {
    const char* Name;
    String Cell, What;
    TFP Params;
    bool Found;
  } Cases[] = {
      {"inside, any case", u"xxHiTyy", u"hit", TFP{}, true},
      {"inside, case matters", u"xxHiTyy", u"hit", TFP{TExStringGrid::fnMatchCase}, false},
      {"at the start only, found later", u"xxhit", u"hit", TFP{TExStringGrid::fnMatchStart}, false},
      {"at the start", u"HITxx", u"hit", TFP{TExStringGrid::fnMatchStart}, true},
      {"whole text, longer cell", u"hitx", u"hit", TFP{TExStringGrid::fnMatchFull}, false},
      {"whole text, any case", u"HiT", u"hit", TFP{TExStringGrid::fnMatchFull}, true},
      {"search text longer than the cell", u"hi", u"hit", TFP{}, false},
      {"letters beyond ASCII, any case", u"\u00c4rger", u"\u00e4RG", TFP{TExStringGrid::fnMatchStart}, true},
      {"letters beyond ASCII, case matters", u"\u00c4rger", u"\u00e4rg", TFP{TExStringGrid::fnMatchCase}, false},
      {"the last place of the cell", u"abcab", u"cab", TFP{}, true},
  };
  for (const auto& C : Cases) {
    Load({{u"", C.Cell}}, 2);
    const TPoint P = Grid->Find(TPoint{-1, -1}, C.What, C.Params);
    EXPECT_EQ(P.X == 1 && P.Y == 1, C.Found) << C.Name;
  }
}

// A find reads each cell's text as the grid shows it, also where that is not the stored text: the
// display-text event's text, a merged area's text in every cell of it, a hidden row's text when
// hidden rows are searched.
TEST_F(ExGridDataTest, FindReadsTheShownTextOfEveryCell) {
  Load({{u"", u"stored", u"x"}, {u"", u"joined", u""}, {u"", u"y", u"aside"}}, 3);
  Grid->OnGetDisplText = [](TObject*, Integer ACol, Integer ARow, String& V) {
    if (ACol == 2 && ARow == 1) V = u"shown";
  };
  Grid->MergeCells(1, 2, 2, 1);
  Grid->HideRow(3);
  Grid->SetFindCol(2);
  const struct {
    const char* Name;
    String What;
    TFP Params;
    TPoint Expected;
  } Cases[] = {
      {"the event's text", u"shown", TFP{}, TPoint{2, 1}},
      {"not the stored text the event replaced", u"x", TFP{TExStringGrid::fnMatchFull}, TPoint{-1, -1}},
      {"a merged area's text in its second cell", u"joined", TFP{TExStringGrid::fnFindInPresetCol}, TPoint{2, 2}},
      {"a hidden row, searched", u"aside", TFP{TExStringGrid::fnIncludeHiddenRows}, TPoint{2, 3}},
      {"a hidden row, not searched", u"aside", TFP{}, TPoint{-1, -1}},
  };
  for (const auto& C : Cases) {
    const TPoint P = Grid->Find(TPoint{-1, -1}, C.What, C.Params);
    EXPECT_EQ(P.X, C.Expected.X) << C.Name;
    EXPECT_EQ(P.Y, C.Expected.Y) << C.Name;
  }
}

TEST_F(ExGridDataTest, FindEmptyCellsAndFindNextToTheEnd) {
  Load({{u"", u"a", u"b"}, {u"", u"", u"a"}}, 3);
  TPoint P = Grid->Find(TPoint{-1, -1}, u"\"\"", TFP{});
  EXPECT_EQ(P.X, 1);
  EXPECT_EQ(P.Y, 2);

  P = Grid->FindFirst(u"a", TFP{});
  EXPECT_EQ(P.X, 1);
  EXPECT_EQ(P.Y, 1);
  P = Grid->FindNext();
  EXPECT_EQ(P.X, 2);
  EXPECT_EQ(P.Y, 2);
  EXPECT_TRUE(Grid->FindBusy());
  P = Grid->FindNext();
  EXPECT_EQ(P.X, -1);
  EXPECT_EQ(P.Y, -1);
  EXPECT_FALSE(Grid->FindBusy());
}

TEST_F(ExGridDataTest, IgnoredColumnsArePassedOverOnlyRowByRow) {
  Load({{u"", u"x", u"hit"}}, 3);
  Grid->IgnoreColumns()->Add(2);
  EXPECT_EQ(Grid->Find(TPoint{-1, -1}, u"hit", TFP{TExStringGrid::fnDirectionLeftRight}).X, -1);
  EXPECT_EQ(Grid->Find(TPoint{-1, -1}, u"hit", TFP{}).X, 2);
}

TEST_F(ExGridDataTest, FindWithAutoGotoMakesTheCellCurrent) {
  Load({{u"", u"a", u"b"}, {u"", u"c", u"d"}}, 3);
  Grid->Find(TPoint{-1, -1}, u"d", TFP{TExStringGrid::fnAutoGoto});
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(ExGridDataTest, ReplaceIgnoresCaseInsideTheCellsItVisits) {
  Load({{u"", u"Abc abc", u"x"}, {u"", u"ABC", u"abc"}}, 3);
  EXPECT_EQ(Grid->Replace(u"abc", u"z", TFP{TExStringGrid::fnMatchCase}), 2);
  EXPECT_EQ(Grid->Cells(1, 1), u"z z");
  EXPECT_EQ(Grid->Cells(2, 2), u"z");
  EXPECT_EQ(Grid->Cells(1, 2), u"ABC");  // not visited: no case-sensitive match
  EXPECT_EQ(Grid->Replace(u"nothing", u"z", TFP{}), 0);
}

TEST_F(ExGridDataTest, IncrementalSearchUsesTheSortColumn) {
  Load({{u"", u"Alpha", u"<b>Zulu</b>"}, {u"", u"Bravo", u"Yankee"}}, 3);
  EXPECT_EQ(Grid->Search(u"BR"), 2);  // sorting not shown: the first normal column
  EXPECT_EQ(Grid->Search(u"ZU"), -1);
  Grid->SortSettings()->SetShow(true);
  Grid->SortSettings()->SetColumn(2);
  EXPECT_EQ(Grid->Search(u"ZU"), 1);
  EXPECT_EQ(Grid->Search(u"YA"), 2);
  Grid->SetRowCount(1);
  EXPECT_EQ(Grid->Search(u"ZU"), -1);
}

// ---------------------------------------------------------------------------------------------
// Row and column structure
// ---------------------------------------------------------------------------------------------

TEST_F(ExGridDataTest, RemoveRowsMovesMarksHeightsAndTexts) {
  LoadColumn(1, {u"a", u"b", u"c", u"d"}, 2);
  Grid->ShowModified()->SetEnabled(true);
  Grid->SetRowModified(3, true);
  Grid->SetRowHeights(3, 40);
  Grid->RemoveRows(2, 1);
  EXPECT_EQ(Column(1), (Texts{u"a", u"c", u"d"}));
  EXPECT_TRUE(Grid->RowModified(2));
  EXPECT_FALSE(Grid->RowModified(3));
  EXPECT_EQ(Grid->RowHeights(2), 40);
  // A count past the last row removes only the rows that exist.
  Grid->RemoveRows(3, 10);
  EXPECT_EQ(Column(1), (Texts{u"a", u"c"}));
}

TEST_F(ExGridDataTest, RemovingTheCurrentLastRowMovesTheCurrentRow) {
  LoadColumn(1, {u"a", u"b", u"c"}, 2);
  Grid->SetRow(3);
  Grid->RemoveRows(3, 1);
  EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(ExGridDataTest, RemoveRowsExLowersAHiddenRowBehindTheRange) {
  LoadColumn(1, {u"a", u"b", u"c", u"d", u"e"}, 2);
  Grid->HideRow(5);
  ASSERT_EQ(Grid->HiddenIdx(0), 5);
  Grid->RemoveRowsEx(1, 2);
  EXPECT_EQ(Grid->HiddenIdx(0), 4);
  EXPECT_EQ(Column(1), (Texts{u"c", u"d"}));
}

TEST_F(ExGridDataTest, DoRemoveRowsKeepsHeightsAndTheRowSelection) {
  LoadColumn(1, {u"a", u"b", u"c"}, 2);
  Grid->SetRowHeights(3, 33);
  Grid->MouseActions()->SetDisjunctRowSelect(true);
  Grid->SetRowSelect(2, true);
  const Integer Before = Grid->RowSelectList()->Count();
  Grid->DoRemoveRows(2, 1);
  EXPECT_EQ(Column(1), (Texts{u"a", u"c"}));
  EXPECT_EQ(Grid->RowHeights(2), 33);
  EXPECT_EQ(Grid->RowSelectList()->Count(), Before);
}

TEST_F(ExGridDataTest, InsertColsShiftsHiddenColumnsAndFiresNoChange) {
  Load({{u"", u"a", u"b", u"c"}}, 4);
  Grid->HideColumn(3);
  Integer Changes = 0;
  Grid->OnCellsChanged = [&](TObject*, TRect) { ++Changes; };
  Grid->InsertCols(1, 1);
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(Grid->ColCount(), 4);
  EXPECT_EQ(Grid->Cells(1, 1), u"");
  EXPECT_EQ(Grid->Cells(2, 1), u"a");
  EXPECT_EQ(Grid->Cells(4, 1), u"c");
  EXPECT_TRUE(Grid->IsHiddenColumn(4));
  EXPECT_FALSE(Grid->IsHiddenColumn(1));
  EXPECT_EQ(Grid->ColWidths(1), Grid->DefaultColWidth());
}

TEST_F(ExGridDataTest, RemoveColsIsClampedToTheColumnsThatExist) {
  Load({{u"0", u"1", u"2", u"3", u"4"}}, 5);
  Grid->RemoveCols(3, 10);
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->Cells(2, 1), u"2");
  EXPECT_EQ(Grid->Cells(3, 1), u"");
}

TEST_F(ExGridDataTest, RemoveUnSelectedColsKeepsTheSelection) {
  Load({{u"0", u"1", u"2", u"3", u"4", u"5"}}, 6);
  Grid->SetSelection(TGridRect{2, 1, 3, 1});
  Grid->RemoveUnSelectedCols();
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->Cells(0, 1), u"0");
  EXPECT_EQ(Grid->Cells(1, 1), u"2");
  EXPECT_EQ(Grid->Cells(2, 1), u"3");
}

TEST_F(ExGridDataTest, RemoveDuplicatesIgnoresCase) {
  for (bool DoCase : {true, false}) {
    LoadColumn(1, {u"abc", u"ABC", u"x", u"abc"}, 2);
    Grid->RemoveDuplicates(1, DoCase);
    EXPECT_EQ(Column(1), (Texts{u"abc", u"x"})) << DoCase;
  }
}

TEST_F(ExGridDataTest, RemoveCheckedRowsCountsRowsWithoutCheckBoxAsUnchecked) {
  LoadColumn(1, {u"on", u"plain", u"off"}, 3);
  Grid->AddCheckBox(2, 1, true, false);
  Grid->AddCheckBox(2, 3, false, false);
  Grid->RemoveCheckedRows(2, false);
  EXPECT_EQ(Column(1), (Texts{u"on"}));
}

TEST_F(ExGridDataTest, ClearRectWithAndWithoutTextOnly) {
  LoadColumn(1, {u"node", u"child"}, 2);
  Grid->AddNode(1, 2);
  Grid->SetColors(1, 1, clRed);
  Grid->SetClearTextOnly(true);
  Grid->ClearRect(0, 1, 1, 2);
  EXPECT_TRUE(Grid->IsNode(1));
  EXPECT_EQ(Grid->Colors(1, 1), clRed);
  EXPECT_EQ(Grid->Cells(1, 1), u"");
  Grid->SetClearTextOnly(false);
  Grid->ClearRect(0, 1, 1, 2);
  EXPECT_FALSE(Grid->IsNode(1));
  EXPECT_EQ(Grid->Colors(1, 1), clNone);
}

TEST_F(ExGridDataTest, ClearingTheWholeGridAndBlockedChanges) {
  LoadColumn(1, {u"a"}, 2);
  Grid->SetColors(1, 1, clRed);
  ASSERT_TRUE(Grid->HasCellPropsFlag());
  Integer Changes = 0;
  Grid->OnCellsChanged = [&](TObject*, TRect) { ++Changes; };
  Grid->ClearRect(0, 0, Grid->ColCount() - 1, Grid->RowCount() - 1);
  EXPECT_FALSE(Grid->HasCellPropsFlag());
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Grid->Cells(1, 1), u"");
}

TEST_F(ExGridDataTest, MergeColumnCellsMergesRunsOfEqualTexts) {
  LoadColumn(1, {u"A", u"A", u"B", u"B", u"B", u"C"}, 2);
  Grid->MergeColumnCells(1, true);
  EXPECT_EQ(Grid->Merges, (std::vector<std::vector<Integer>>{{1, 1, 1, 2}, {1, 3, 1, 3}}));
  EXPECT_TRUE(Grid->IsMergedCell(1, 2));
  EXPECT_FALSE(Grid->IsMergedCell(1, 6));
  Grid->SplitColumnCells(1);
  EXPECT_FALSE(Grid->IsMergedCell(1, 2));
}

TEST_F(ExGridDataTest, MergeRowCellsCallsMergeForEveryRunButTheLastSingle) {
  Load({{u"", u"a", u"b", u"c"}}, 4);
  Grid->MergeRowCells(1, true);
  EXPECT_EQ(Grid->Merges, (std::vector<std::vector<Integer>>{{1, 1, 1, 1}, {2, 1, 1, 1}}));
}

TEST_F(ExGridDataTest, TrimAllWritesEveryCellBack) {
  Load({{u" a ", u"b"}}, 2);
  // A cell whose text is made for display gets that text stored, trimmed, like every other cell.
  Grid->OnGetDisplText = [](TObject*, Integer ACol, Integer ARow, String& Value) {
    if (ACol == 1 && ARow == 0) Value = u" shown ";
  };
  Grid->TrimAll();
  EXPECT_EQ(Grid->GridCells(0, 1), u"a");
  EXPECT_EQ(Grid->GridCells(1, 1), u"b");
  EXPECT_EQ(Grid->GridCells(1, 0), u"shown");
}

TEST_F(ExGridDataTest, CellTests) {
  Load({{u"", u"X", u"x y", u"x"}, {u"", u"|\\0041"}}, 4);
  Integer C = -1;
  Integer R = -1;
  EXPECT_TRUE(Grid->IsCell(u"x", C, R));
  EXPECT_EQ(C, 3);
  EXPECT_EQ(R, 1);
  EXPECT_FALSE(Grid->IsCell(u"none", C, R));
  EXPECT_TRUE(Grid->IsWideCell(1, 2));
  EXPECT_FALSE(Grid->IsWideCell(1, 1));
}

TEST_F(ExGridDataTest, MergeColsJoinsTwoColumns) {
  Load({{u"", u" a ", u"b", u"c"}}, 4);
  Grid->MergeCols(1, 2, u"-");
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->Cells(1, 1), u"a-b");
  EXPECT_EQ(Grid->Cells(2, 1), u"c");
}

TEST_F(ExGridDataTest, AddRowWithAFloatingFooterInsertsAboveTheFooterRow) {
  LoadColumn(1, {u"1", u"2", u"total"}, 2);
  Grid->FloatingFooter()->SetVisible(true);
  ASSERT_EQ(Grid->FixedFooters(), 1);
  Grid->AddRow();
  EXPECT_EQ(Grid->RowCount(), 5);
  EXPECT_EQ(Grid->Cells(1, 3), u"");
  EXPECT_EQ(Grid->Cells(1, 2), u"2");
  EXPECT_EQ(Grid->Cells(1, 4), u"total");
}

TEST_F(ExGridDataTest, AddRowAppendsAnEmptyRow) {
  LoadColumn(1, {u"a"}, 2);
  Grid->AddRow();
  EXPECT_EQ(Grid->RowCount(), 3);
  EXPECT_EQ(Grid->Cells(1, 2), u"");
  Grid->AddColumn();
  EXPECT_EQ(Grid->ColCount(), 3);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Rows moved as handles: filters, sorts and structure changes at size
// ---------------------------------------------------------------------------------------------

// Rows hidden by a filter keep their heights and cell properties, the visible rows sort between
// them, and removing the filter puts each hidden row back at its place; an edit undone while the
// filter holds comes back.
TEST_F(ExGridDataTest, HiddenRowsKeepTheirPlacesHeightsAndPropertiesThroughSortAndUndo) {
  LoadColumn(1, {u"x", u"a3", u"y", u"a1", u"z", u"a2"}, 2);
  Grid->SetRowHeights(1, 40);
  Grid->SetRowHeights(2, 30);
  Grid->GetCellProperties(0, 6)->SetBrushColor(clRed);
  TExGridUndoRedo Undo(Form);
  Grid->SetUndoRedo(&Undo);
  Grid->SetRow(6);

  TFilterData* F = Grid->Filter()->Add();
  F->SetColumn(1);
  F->SetCondition(u"a*");
  Grid->SetFilterActive(true);
  EXPECT_EQ(Column(1), (Texts{u"a3", u"a1", u"a2"}));
  EXPECT_EQ(Grid->RowHeights(1), 30);
  EXPECT_LT(Grid->Row(), Grid->RowCount());
  EXPECT_EQ(Grid->GetCellProperties(0, 3)->BrushColor(), clRed);

  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Column(1), (Texts{u"a1", u"a2", u"a3"}));
  EXPECT_EQ(Grid->RowHeights(3), 30);
  EXPECT_EQ(Grid->GetCellProperties(0, 2)->BrushColor(), clRed);

  Undo.RegisterChange(1, 1, u"a1", u"a9");
  Grid->SetCells(1, 1, u"a9");
  Undo.Undo();
  EXPECT_EQ(Grid->Cells(1, 1), u"a1");

  Grid->SetFilterActive(false);
  EXPECT_EQ(Column(1), (Texts{u"x", u"a1", u"y", u"a2", u"z", u"a3"}));
  EXPECT_EQ(Grid->RowHeights(1), 40);
  EXPECT_EQ(Grid->RowHeights(6), 30);
  EXPECT_EQ(Grid->RowHeights(2), Grid->DefaultRowHeight());
  EXPECT_EQ(Grid->GetCellProperties(0, 4)->BrushColor(), clRed);
  EXPECT_EQ(Grid->NumHiddenRows(), 0);
  EXPECT_LT(Grid->Row(), Grid->RowCount());
  Grid->SetUndoRedo(nullptr);
}

// An undone (redone) change writes into the row it was made in, wherever rows were inserted,
// removed, sorted, moved or filtered since; a change whose row was removed, or is hidden, writes
// nothing, and no other row loses its text.
TEST_F(ExGridDataTest, UndoAndRedoFollowTheChangedRowThroughStructureChanges) {
  TExGridUndoRedo Undo(Form);
  Grid->SetUndoRedo(&Undo);
  auto Filter = [this](const String& Condition) {
    TFilterData* F = Grid->Filter()->Add();
    F->SetColumn(1);
    F->SetCondition(Condition);
    Grid->SetFilterActive(true);
  };
  struct Case {
    const char* Name;
    std::function<void()> Change;
    Texts AfterUndo;
  };
  const Case Cases[] = {
      {"a row removed before it", [&] { Grid->RemoveRows(1, 1); }, {u"b", u"c", u"d", u"e", u"f"}},
      {"its own row removed", [&] { Grid->RemoveRows(3, 1); }, {u"a", u"b", u"d", u"e", u"f"}},
      {"its own row removed by the delete key's removal", [&] { Grid->DoRemoveRows(3, 1); }, {u"a", u"b", u"d", u"e", u"f"}},
      {"a row removed by the delete key's removal", [&] { Grid->DoRemoveRows(2, 1); }, {u"a", u"c", u"d", u"e", u"f"}},
      {"rows inserted before it", [&] { Grid->InsertRows(2, 2); }, {u"a", u"", u"", u"b", u"c", u"d", u"e", u"f"}},
      {"sorted", [&] { Grid->Sort(1, sdDescending); }, {u"c", u"f", u"e", u"d", u"b", u"a"}},
      {"moved", [&] { Grid->MoveRow(3, 6); }, {u"a", u"b", u"d", u"e", u"f", u"c"}},
      {"another row moved past it", [&] { Grid->MoveRows(1, 5, 1); }, {u"b", u"c", u"d", u"a", u"e", u"f"}},
      {"exchanged", [&] { Grid->SwapRows(3, 5); }, {u"a", u"b", u"e", u"d", u"c", u"f"}},
      {"kept by a filter", [&] { Filter(u"x"); }, {u"c"}},
      {"hidden by a filter", [&] { Filter(u"a"); }, {u"a"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    LoadColumn(1, {u"a", u"b", u"c", u"d", u"e", u"f"}, 2);
    Undo.Reset();
    Undo.RegisterChange(1, 3, u"c", u"x");
    Grid->SetCells(1, 3, u"x");
    C.Change();
    Undo.Undo();
    EXPECT_EQ(Column(1), C.AfterUndo);
    if (Grid->FilterActive()) {
      Grid->SetFilterActive(false);
      Grid->Filter()->Clear();
    }
  }

  // A sequence across a removed row: both changes come back in their rows, and go again.
  LoadColumn(1, {u"a", u"b", u"c", u"d", u"e"}, 2);
  Undo.Reset();
  Undo.StartSequence();
  Undo.RegisterChange(1, 2, u"b", u"y");
  Undo.RegisterChange(1, 4, u"d", u"z");
  Undo.StopSequence();
  Grid->SetCells(1, 2, u"y");
  Grid->SetCells(1, 4, u"z");
  Grid->RemoveRows(3, 1);
  Grid->InsertRows(1, 1);
  Undo.Undo();
  EXPECT_EQ(Column(1), (Texts{u"", u"a", u"b", u"d", u"e"}));
  Undo.Redo();
  EXPECT_EQ(Column(1), (Texts{u"", u"a", u"y", u"z", u"e"}));
  Grid->SetUndoRedo(nullptr);
}

// Rows hidden and shown by range keep their heights; the current row stays inside the grid.
TEST_F(ExGridDataTest, HidingAndShowingRowsKeepsHeightsAndTheCurrentRow) {
  LoadColumn(1, {u"a", u"b", u"c", u"d", u"e"}, 2);
  for (Integer r = 1; r <= 5; ++r) Grid->SetRowHeights(r, 20 + r);
  Grid->SetRow(5);
  Grid->HideRows(2, 4);
  EXPECT_EQ(Column(1), (Texts{u"a", u"e"}));
  EXPECT_EQ(Grid->RowHeights(2), 25);
  EXPECT_LT(Grid->Row(), Grid->RowCount());
  Grid->UnHideRowsAll();
  EXPECT_EQ(Column(1), (Texts{u"a", u"b", u"c", u"d", u"e"}));
  for (Integer r = 1; r <= 5; ++r) EXPECT_EQ(Grid->RowHeights(r), 20 + r) << r;
}

// Merged cells and cell properties travel with their rows when rows are inserted and removed
// above them.
TEST_F(ExGridDataTest, MergedCellsAndPropertiesFollowTheirRowsThroughInsertAndRemove) {
  LoadColumn(1, {u"a", u"b", u"c", u"d"}, 3);
  Grid->MergeCells(1, 3, 2, 1);
  Grid->GetCellProperties(0, 4)->SetBrushColor(clBlue);
  Grid->SetRowHeights(3, 33);
  Grid->InsertRows(2, 2);
  EXPECT_EQ(Column(1), (Texts{u"a", u"", u"", u"b", u"c", u"d"}));
  EXPECT_TRUE(Grid->IsMergedCell(2, 5));
  EXPECT_FALSE(Grid->IsMergedCell(2, 3));
  EXPECT_EQ(Grid->GetCellProperties(0, 6)->BrushColor(), clBlue);
  EXPECT_EQ(Grid->RowHeights(5), 33);
  EXPECT_EQ(Grid->RowHeights(2), Grid->DefaultRowHeight());
  Grid->RemoveRows(2, 2);
  EXPECT_EQ(Column(1), (Texts{u"a", u"b", u"c", u"d"}));
  EXPECT_TRUE(Grid->IsMergedCell(2, 3));
  EXPECT_EQ(Grid->GetCellProperties(0, 4)->BrushColor(), clBlue);
  EXPECT_EQ(Grid->RowHeights(3), 33);
}

// A merged area as the grid holds it: base cell, columns and rows, and the text it shows.
struct TMergedArea {
  Integer Col, Row, Cols, Rows;
  String Text;
  bool operator==(const TMergedArea& O) const {
    return Col == O.Col && Row == O.Row && Cols == O.Cols && Rows == O.Rows && Text == O.Text;
  }
};

std::ostream& operator<<(std::ostream& Out, const TMergedArea& A) {
  return Out << "(" << A.Col << "," << A.Row << " " << A.Cols << "x" << A.Rows << " " << StringToUtf8(A.Text) << ")";
}

// Rows and columns removed or inserted through merged areas keep every area whole: one losing
// some of its rows (columns) shrinks, one losing its base takes the first row (column) left as
// its base with the base's text, one left with a single cell is merged no more, one cut in two by
// inserted rows (columns) grows over them; every cell of an area points back to its base, so a
// write through any of them lands in the base and nowhere else.
TEST_F(ExGridDataTest, RowsAndColumnsRemovedOrInsertedThroughMergedAreasKeepThemWhole) {
  struct Case {
    const char* Name;
    std::function<void(TDataGrid*)> Op;
    std::vector<TMergedArea> Areas;
    std::vector<std::pair<TPoint, String>> Cells;  // texts expected after the change
  };
  // Area A: columns 1-2, rows 2-5, showing "M"; area B: column 3, rows 3-4, showing "N".
  const Case Cases[] = {
      {"rows inside an area, another wholly", [](TDataGrid* G) { G->RemoveRows(3, 2); }, {{1, 2, 2, 2, u"M"}}, {{{3, 3}, u"r5c3"}}},
      {"the base row of an area", [](TDataGrid* G) { G->RemoveRows(2, 1); }, {{1, 2, 2, 3, u"M"}, {3, 2, 1, 2, u"N"}}, {}},
      {"the base row, one cell left", [](TDataGrid* G) { G->RemoveRows(3, 1); }, {{1, 2, 2, 3, u"M"}}, {{{3, 3}, u"N"}}},
      {"rows across the ends of both", [](TDataGrid* G) { G->RemoveRows(4, 3); }, {{1, 2, 2, 2, u"M"}}, {{{3, 3}, u"N"}, {{3, 4}, u"r7c3"}}},
      {"rows before and into the areas", [](TDataGrid* G) { G->RemoveRows(1, 2); }, {{1, 1, 2, 3, u"M"}, {3, 1, 1, 2, u"N"}}, {}},
      {"rows after the areas", [](TDataGrid* G) { G->RemoveRows(6, 2); }, {{1, 2, 2, 4, u"M"}, {3, 3, 1, 2, u"N"}}, {}},
      {"the base row by the delete key's removal", [](TDataGrid* G) { G->DoRemoveRows(2, 1); }, {{1, 2, 2, 3, u"M"}, {3, 2, 1, 2, u"N"}}, {}},
      {"rows inserted inside an area", [](TDataGrid* G) { G->InsertRows(3, 2); }, {{1, 2, 2, 6, u"M"}, {3, 5, 1, 2, u"N"}}, {{{1, 3}, u"M"}}},
      {"a row inserted inside both", [](TDataGrid* G) { G->InsertRows(4, 1); }, {{1, 2, 2, 5, u"M"}, {3, 3, 1, 3, u"N"}}, {}},
      {"a row inserted at a base", [](TDataGrid* G) { G->InsertRows(2, 1); }, {{1, 3, 2, 4, u"M"}, {3, 4, 1, 2, u"N"}}, {{{1, 2}, u""}}},
      {"a row inserted after an area", [](TDataGrid* G) { G->InsertRows(6, 1); }, {{1, 2, 2, 4, u"M"}, {3, 3, 1, 2, u"N"}}, {}},
      {"a column inside an area", [](TDataGrid* G) { G->RemoveCols(2, 1); }, {{1, 2, 1, 4, u"M"}, {2, 3, 1, 2, u"N"}}, {}},
      {"the base column of an area", [](TDataGrid* G) { G->RemoveCols(1, 1); }, {{1, 2, 1, 4, u"M"}, {2, 3, 1, 2, u"N"}}, {}},
      {"both columns of an area", [](TDataGrid* G) { G->RemoveCols(1, 2); }, {{1, 3, 1, 2, u"N"}}, {{{1, 2}, u"r2c3"}}},
      {"a column inserted inside an area", [](TDataGrid* G) { G->InsertCols(2, 1); }, {{1, 2, 3, 4, u"M"}, {4, 3, 1, 2, u"N"}}, {}},
      {"a column inserted at a base", [](TDataGrid* G) { G->InsertCols(1, 1); }, {{2, 2, 2, 4, u"M"}, {4, 3, 1, 2, u"N"}}, {}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    std::vector<Texts> Rows;
    for (Integer r = 1; r <= 8; ++r) {
      Texts Row;
      for (Integer c = 0; c < 5; ++c) Row.push_back(u"r" + IntToStr(r) + u"c" + IntToStr(c));
      Rows.push_back(Row);
    }
    Load(Rows, 5);
    Grid->MergeCells(1, 2, 2, 4);
    Grid->SetCells(1, 2, u"M");
    Grid->GetCellProperties(1, 2)->SetBrushColor(clYellow);
    Grid->MergeCells(3, 3, 1, 2);
    Grid->SetCells(3, 3, u"N");
    C.Op(Grid);

    // Every area whole; every cell that is not a base lies inside its base's area.
    std::vector<TMergedArea> Areas;
    for (Integer c = 0; c < Grid->TotalColCount(); ++c)
      for (Integer r = 0; r < Grid->RowCount(); ++r) {
        if (!Grid->HasCellProperties(c, r)) continue;
        const TCellProperties* P = Grid->GetCellProperties(c, r);
        if (P->IsBaseCell()) {
          if (P->CellSpanX() <= 0 && P->CellSpanY() <= 0) continue;
          Areas.push_back({c, r, P->CellSpanX() + 1, P->CellSpanY() + 1, Grid->Cells(c, r)});
          for (Integer i = c; i <= c + P->CellSpanX(); ++i)
            for (Integer j = r; j <= r + P->CellSpanY(); ++j)
              if (i != c || j != r) {
                EXPECT_TRUE(Grid->HasCellProperties(i, j)) << i << "," << j;
                EXPECT_FALSE(Grid->IsBaseCell(i, j)) << i << "," << j;
                EXPECT_EQ(Grid->BaseCell(i, j), TPoint(c, r)) << i << "," << j;
              }
        } else {
          const TPoint B = Grid->BaseCell(c, r);
          if (!Grid->HasCellProperties(B.X, B.Y)) {
            ADD_FAILURE() << c << "," << r << " points to a cell without properties";
            continue;
          }
          const TCellProperties* BP = Grid->GetCellProperties(B.X, B.Y);
          EXPECT_TRUE(BP->IsBaseCell() && c <= B.X + BP->CellSpanX() && r <= B.Y + BP->CellSpanY()) << c << "," << r;
        }
      }
    EXPECT_EQ(Areas, C.Areas);
    for (const auto& [Cell, Text] : C.Cells) EXPECT_EQ(Grid->Cells(Cell.X, Cell.Y), Text) << Cell.X << "," << Cell.Y;
    // The base of area A keeps its colour wherever it went.
    for (const TMergedArea& A : Areas) {
      if (A.Text == u"M") {
        EXPECT_EQ(Grid->GetCellProperties(A.Col, A.Row)->BrushColor(), clYellow);
      }
    }
    // A write through any cell of an area lands in its base only; the header row is untouched.
    Texts Header;
    for (Integer c = 0; c < Grid->ColCount(); ++c) Header.push_back(Grid->Cells(c, 0));
    for (const TMergedArea& A : Areas)
      for (Integer i = A.Col; i < A.Col + A.Cols; ++i)
        for (Integer j = A.Row; j < A.Row + A.Rows; ++j) {
          Grid->SetCells(i, j, u"W" + IntToStr(i) + IntToStr(j));
          EXPECT_EQ(Grid->Cells(A.Col, A.Row), u"W" + IntToStr(i) + IntToStr(j));
        }
    for (Integer c = 0; c < Grid->ColCount(); ++c) EXPECT_EQ(Grid->Cells(c, 0), Header[c]) << c;
    Grid->Clear();
  }
}

// Filtering 60,000 rows down to a tenth and removing the filter is one pass each way (row by
// row it took minutes).
TEST_F(ExGridDataTest, FilteringAndUnfilteringManyRowsKeepsEveryRow) {
  const Integer N = 60000;
  Grid->SetColCount(3);
  Grid->SetRowCount(N + 1);
  for (Integer r = 1; r <= N; ++r) {
    Grid->SetCells(1, r, (r % 10 == 0 ? u"k" : u"n") + IntToStr(r));
    Grid->SetCells(2, r, IntToStr(r));
  }
  TFilterData* F = Grid->Filter()->Add();
  F->SetColumn(1);
  F->SetCondition(u"k*");
  Grid->SetFilterActive(true);
  ASSERT_EQ(Grid->RowCount(), N / 10 + 1);
  EXPECT_EQ(Grid->Cells(1, 1), u"k10");
  EXPECT_EQ(Grid->Cells(2, N / 10), IntToStr(N));
  Grid->SetFilterActive(false);
  ASSERT_EQ(Grid->RowCount(), N + 1);
  for (Integer r = 1; r <= N; r += 997) EXPECT_EQ(Grid->Cells(2, r), IntToStr(r)) << r;
  EXPECT_EQ(Grid->Cells(2, N), IntToStr(N));
}

// A grid closed while a filter hides most of its rows brings them back in one pass before it frees
// them (row by row it took minutes), with the objects the hidden rows hold.
TEST_F(ExGridDataTest, FreeingAGridFilteredOverManyRowsBringsThemBackInOnePass) {
  const Integer N = 60000;
  Grid->SetColCount(3);
  Grid->SetRowCount(N + 1);
  for (Integer r = 1; r <= N; ++r) Grid->SetCells(1, r, (r % 10 == 0 ? u"k" : u"n") + IntToStr(r));
  Grid->GetCellProperties(2, 7)->SetBrushColor(clBlue);
  TFilterData* F = Grid->Filter()->Add();
  F->SetColumn(1);
  F->SetCondition(u"k*");
  Grid->SetFilterActive(true);
  ASSERT_EQ(Grid->RowCount(), N / 10 + 1);
  Grid->UnHideRowsAll();
  ASSERT_EQ(Grid->RowCount(), N + 1);
  EXPECT_EQ(Grid->Cells(1, 7), u"n7");
  EXPECT_EQ(Grid->GetCellProperties(2, 7)->BrushColor(), clBlue);
  EXPECT_EQ(Grid->Cells(1, N), u"k" + IntToStr(N));
  Grid->SetFilterActive(true);
  TComponent::Free(Grid);
  Grid = nullptr;
}

// The sort by keys gives the same rows, and does the same comparisons and exchanges, as the sort
// cell by cell (which a grid with the disjunct row selection moved on sort still takes), also on
// columns where the automatic comparison is no consistent order.
TEST_F(ExGridDataTest, SortByKeysMatchesTheSortCellByCell) {
  struct Case {
    const char* Name;
    Texts Values;
    bool Auto, IgnoreCase, Full, Blanks;
  } Cases[] = {
      {"alphabetic", {u"b", u"A", u"a", u"", u"c", u"B", u"a"}, false, false, false, false},
      {"no case, blanks", {u"b", u"A", u"a", u"", u"c", u"B", u"", u"a"}, false, true, false, true},
      {"automatic numbers", {u"10", u"9", u"-1.5", u"", u"1e2", u"3", u"3", u"0"}, true, false, false, false},
      {"automatic mixed", {u"10", u"x", u"9", u"abc", u"2", u"", u"1x", u"b", u"7", u"A"}, true, false, false, true},
      {"automatic dates", {u"12/03/2020", u"1/2/2019", u"x", u"10:30", u"9:15", u"3/3/2021 10:00"}, true, true, false, false},
      {"ties on the next column", {u"b", u"a", u"b", u"a", u"b"}, false, false, true, false},
  };
  for (const Case& C : Cases) {
    std::vector<Texts> Rows;
    for (size_t i = 0; i < C.Values.size(); ++i)
      Rows.push_back({u"", C.Values[i], IntToStr(static_cast<Integer>(C.Values.size() - i))});
    ExpectSortByKeysAsCellByCell(
        C.Name,
        [&] {
          Load(Rows, 3);
          Grid->SortSettings()->SetAutoFormat(C.Auto);
          Grid->SortSettings()->SetIgnoreCase(C.IgnoreCase);
          Grid->SortSettings()->SetFull(C.Full);
          Grid->SortSettings()->SetIgnoreBlanks(C.Blanks);
        },
        [&] { Grid->Sort(1, sdAscending); });
  }
}

// Ties broken by the columns to the right (an ignored column passed over) and the indexed sort's
// entries give the same rows, comparisons and exchanges by keys as cell by cell.
TEST_F(ExGridDataTest, TieBreaksAndIndexedSortsByKeysMatchTheSortCellByCell) {
  struct Case {
    const char* Name;
    bool Indexed;
    std::vector<std::pair<Integer, bool>> Entries;  // column, descending
    std::vector<Integer> Ignored;
  } Cases[] = {
      {"ties on the next columns", false, {}, {}},
      {"ties skip an ignored column", false, {}, {2}},
      {"indexed, second entry descending", true, {{1, false}, {2, true}}, {}},
      {"indexed, first entry ignored", true, {{1, false}, {3, false}}, {1}},
      {"indexed, automatic numbers first", true, {{2, false}, {1, true}}, {}},
  };
  const Texts A{u"b", u"a", u"b", u"a", u"b", u"c", u"a", u"b"};
  const Texts B{u"10", u"9", u"9", u"", u"10", u"x", u"9", u"2"};
  for (const Case& C : Cases) {
    std::vector<Texts> Rows;
    for (size_t i = 0; i < A.size(); ++i) Rows.push_back({u"", A[i], B[i], IntToStr(static_cast<Integer>(A.size() - i))});
    ExpectSortByKeysAsCellByCell(
        C.Name,
        [&] {
          Load(Rows, 4);
          Grid->SortSettings()->SetAutoFormat(true);
          Grid->SortSettings()->SetFull(true);
          Grid->IgnoreColumns()->Clear();
          for (Integer I : C.Ignored) Grid->IgnoreColumns()->Add(I);
          Grid->SortIndexes()->Clear();
          for (const auto& [Col, Desc] : C.Entries) Grid->SortIndexes()->AddIndex(Col, !Desc);
        },
        [&] {
          if (C.Indexed)
            Grid->QSortIndexed();
          else
            Grid->Sort(1, sdAscending);
        });
  }
  Grid->IgnoreColumns()->Clear();
}

// The columns that break ties compare by compact items of their own (the first characters, the
// value, the marks) and by their full texts where those cannot tell: long texts alike in their
// first eight characters, case, numbers, blanks, dates, both directions and the indexed sort give
// the same rows, comparisons and exchanges as cell by cell.
TEST_F(ExGridDataTest, TieColumnsGiveTheSameOrderAsTheSortCellByCell) {
  struct Case {
    const char* Name;
    Texts Ties;
    bool Auto, IgnoreCase, Blanks, BlanksLast, Descending, Indexed;
  } Cases[] = {
      {"long texts alike in their beginnings",
       {u"Temperature 10", u"Temperature 9", u"Temperature 10", u"Temperature 1", u"Temp", u"", u"Temperature 9", u"Temperatur"},
       false, false, false, false, false, false},
      {"no case, descending",
       {u"temperature 10", u"Temperature 9", u"TEMPERATURE 10", u"b", u"B", u"", u"a", u"Temperature 9"},
       false, true, false, false, true, false},
      {"automatic numbers with blanks last",
       {u"10", u"9", u"", u"-1", u"1e1", u"x", u"", u"9.5"}, true, false, true, true, false, false},
      {"automatic dates and times",
       {u"12/03/2020", u"1/2/2019", u"", u"3/3/2021 10:00", u"10:30", u"9:15", u"1/2/2019", u"x"}, true, true, false, false, false, false},
      {"indexed, tie entry descending, blanks first",
       {u"Temperature 10", u"", u"9", u"Temperature 1", u"", u"10", u"Temperature 10", u"a"}, true, false, true, false, false, true},
  };
  const Texts Keys{u"b", u"a", u"b", u"a", u"b", u"a", u"b", u"a"};
  for (const Case& C : Cases) {
    std::vector<Texts> Rows;
    for (size_t i = 0; i < Keys.size(); ++i) Rows.push_back({u"", Keys[i], C.Ties[i], IntToStr(static_cast<Integer>(i))});
    ExpectSortByKeysAsCellByCell(
        C.Name,
        [&] {
          Load(Rows, 4);
          Grid->SortSettings()->SetAutoFormat(C.Auto);
          Grid->SortSettings()->SetIgnoreCase(C.IgnoreCase);
          Grid->SortSettings()->SetFull(true);
          Grid->SortSettings()->SetIgnoreBlanks(C.Blanks);
          Grid->SortSettings()->SetBlankPos(C.BlanksLast ? blLast : blFirst);
          Grid->SortIndexes()->Clear();
          Grid->SortIndexes()->AddIndex(1, true);
          Grid->SortIndexes()->AddIndex(2, false);
        },
        [&] {
          if (C.Indexed)
            Grid->QSortIndexed();
          else
            Grid->Sort(1, C.Descending ? sdDescending : sdAscending);
        });
  }
}

// A mixed column of 20,000 rows under the automatic comparison (decided by the first text of each
// pair, so no consistent order) sorts to an end with every row kept once.
TEST_F(ExGridDataTest, AnInconsistentComparisonEndsWithEveryRowKept) {
  const Integer N = 20000;
  Grid->SetColCount(3);
  Grid->SetRowCount(N + 1);
  Cardinal Seed = 7;
  for (Integer r = 1; r <= N; ++r) {
    Seed = Seed * 1103515245u + 12345u;
    const Cardinal V = (Seed >> 8) % 1000;
    Grid->SetCells(1, r, V % 3 == 0 ? u"t" + IntToStr(static_cast<Integer>(V)) : IntToStr(static_cast<Integer>(V)));
    Grid->SetCells(2, r, IntToStr(r));
  }
  Grid->SortSettings()->SetAutoFormat(true);
  Grid->Sort(1, sdAscending);
  ASSERT_EQ(Grid->RowCount(), N + 1);
  std::vector<bool> Seen(N + 1, false);
  for (Integer r = 1; r <= N; ++r) {
    const Integer Id = StrToIntDef(Grid->Cells(2, r), 0);
    ASSERT_TRUE(Id >= 1 && Id <= N && !Seen[Id]) << r;
    Seen[Id] = true;
  }
}
