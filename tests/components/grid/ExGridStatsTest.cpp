// The string grid's column and row statistics: the numbers they read, the rows they skip, the seeds
// of the minimum and maximum, the standard deviation's errors and the custom results.
#include "ExGridTextPrintTestUtil.h"
#include "components/grid/ExGridFooter.h"

namespace {

class ExGridStatsTest : public ExGridTextPrintTest {
 protected:
  // Column 1, rows 1 .. n, one fixed row and no footers.
  void Column(const std::vector<String>& Values) {
    Grid->SetRowCount(static_cast<Integer>(Values.size()) + 1);
    for (size_t i = 0; i < Values.size(); ++i) Grid->SetCells(1, static_cast<Integer>(i) + 1, Values[i]);
  }
};

TEST_F(ExGridStatsTest, ColumnFunctionsOverNumbersEmptyCellsAndText) {
  Column({u"1", u"2", u"", u"abc"});
  EXPECT_DOUBLE_EQ(Grid->ColumnSum(1, -1, -1), 3);
  EXPECT_DOUBLE_EQ(Grid->ColumnAvg(1, -1, -1), 0.75);
  EXPECT_DOUBLE_EQ(Grid->ColumnMin(1, -1, -1), 0);  // the empty cell counts as 0
  EXPECT_DOUBLE_EQ(Grid->ColumnMax(1, -1, -1), 2);
  EXPECT_DOUBLE_EQ(Grid->ColumnDistinct(1, -1, -1), 4);
  EXPECT_THROW(Grid->ColumnStdDev(1, -1, -1), EStringGridError);
  EXPECT_DOUBLE_EQ(Grid->ColumnSum(1, 2, 2), 2);
  EXPECT_DOUBLE_EQ(Grid->ColumnAvg(1, 3, 2), 0);
}

TEST_F(ExGridStatsTest, MinimumAndMaximumAreSeededByTheFirstRow) {
  Column({u"abc", u"2"});
  try {
    Grid->ColumnMin(1, -1, -1);
    FAIL() << "no exception";
  } catch (const EStringGridError& E) {
    EXPECT_EQ(E.Message(), u"Cell does not contain a float value");
  }
  EXPECT_THROW(Grid->ColumnMax(1, -1, -1), EStringGridError);
  Column({u"5", u"x", u"-3", u"9"});
  EXPECT_DOUBLE_EQ(Grid->ColumnMin(1, -1, -1), -3);
  EXPECT_DOUBLE_EQ(Grid->ColumnMax(1, -1, -1), 9);
}

TEST_F(ExGridStatsTest, StandardDeviationDistinctTextsAndCustomResults) {
  Column({u"2", u"4", u"4", u"4", u"5", u"5", u"7", u"9"});
  EXPECT_DOUBLE_EQ(Grid->ColumnStdDev(1, -1, -1), 2);
  Column({u"Abc", u"aBC", u"abc", u"x", u""});
  EXPECT_DOUBLE_EQ(Grid->ColumnDistinct(1, -1, -1), 3);
  EXPECT_DOUBLE_EQ(Grid->ColumnCustomCalc(1, 1, 3), 0);
  EXPECT_DOUBLE_EQ(Grid->GroupCustomCalc(1, 1, 3), 0);
  Grid->OnColumnCalc = [](TObject*, Integer ACol, Integer FromRow, Integer ToRow, double& Res) {
    Res = ACol * 100 + FromRow * 10 + ToRow;
  };
  Grid->OnGroupCalc = [](TObject*, Integer, Integer, Integer, double& Res) { Res = -1; };
  EXPECT_DOUBLE_EQ(Grid->ColumnCustomCalc(1, 2, 3), 123);
  EXPECT_DOUBLE_EQ(Grid->GroupCustomCalc(1, 2, 3), -1);
}

TEST_F(ExGridStatsTest, MergedAreasCountOnceAndTheWalkIsReported) {
  Column({u"4", u"", u"", u"1"});
  Grid->SetCells(1, 1, u"4");
  Grid->MergeCells(1, 1, 1, 3);
  EXPECT_DOUBLE_EQ(Grid->ColumnSum(1, -1, -1), 5);
}

TEST_F(ExGridStatsTest, NodeAndSummaryRowsCountOnlyInAGridThatIsNotGrouped) {
  Column({u"10", u"1", u"2"});
  Grid->AddNode(1, 3);
  EXPECT_EQ(Grid->GroupColumn(), -1);
  EXPECT_DOUBLE_EQ(Grid->ColumnSum(1, -1, -1), 13);
  // Grouped by column 2: the node rows carry no value of their own.
  Grid->RemoveAllNodes();
  Grid->SetColCount(3);
  Grid->SetRowCount(5);
  const std::vector<std::vector<String>> Rows = {{u"", u"v", u"g"}, {u"", u"1", u"a"}, {u"", u"2", u"b"},
                                                 {u"", u"3", u"a"}, {u"", u"4", u"b"}};
  SetRows(Rows);
  Grid->SetGroupColumn(2);
  double Sum = 0;
  Integer Nodes = 0;
  for (Integer r = 1; r < Grid->RowCount(); ++r) {
    if (Grid->IsNode(r)) {
      ++Nodes;
      Grid->SetCells(1, r, u"100");
    }
  }
  ASSERT_GT(Nodes, 0);
  Sum = Grid->ColumnSum(1, -1, -1);
  EXPECT_DOUBLE_EQ(Sum, 10);
  EXPECT_DOUBLE_EQ(Grid->ColumnMax(1, 2, Grid->RowCount() - 1), 4);
}

TEST_F(ExGridStatsTest, RowFunctions) {
  const std::vector<std::vector<String>> Rows = {{u"1", u"x", u"3", u"-2", u""}};
  Grid->SetColCount(5);
  SetRows(Rows);
  EXPECT_DOUBLE_EQ(Grid->RowSum(0, 0, 4), 2);
  EXPECT_DOUBLE_EQ(Grid->RowAvg(0, 0, 4), 0.4);
  EXPECT_DOUBLE_EQ(Grid->RowAvg(0, 3, 2), 0);
  EXPECT_DOUBLE_EQ(Grid->RowMin(0, 0, 4), -2);
  EXPECT_DOUBLE_EQ(Grid->RowMax(0, 0, 4), 3);
  EXPECT_DOUBLE_EQ(Grid->RowMax(0, 2, 1), 3);  // the seed when the range is empty
  EXPECT_THROW(Grid->RowMin(0, 1, 4), EStringGridError);
}

TEST_F(ExGridStatsTest, TheFooterSumLeavesTheFooterRowOutWithOneHiddenRow) {
  Column({u"1", u"2", u"4", u""});
  Grid->FloatingFooter()->SetVisible(true);
  Grid->FloatingFooter()->SetCalculateHiddenRows(true);
  Grid->FloatingFooter()->SetColumnCalc(1, acSUM);
  Grid->HideRow(2);
  Grid->CalcFooter(-1);
  EXPECT_EQ(Grid->Cells(1, Grid->RowCount() - 1), u"7.00");
  Grid->CalcFooter(-1);  // the footer's own result is not summed again
  EXPECT_EQ(Grid->Cells(1, Grid->RowCount() - 1), u"7.00");
}

}  // namespace
