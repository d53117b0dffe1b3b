// Merged cells of the base grid: the span encoding, MergeCells and SplitCells, the span queries,
// the rectangles of merged and plain cells, and the keyboard and wheel steps over merged areas.
#include "tests/components/gridbase/BaseGridTestUtil.h"

namespace {

using Merge = BaseGridFixture;

std::string Spans(TBaseGrid* G, Integer C, Integer R) {
  TCellProperties* P = G->CellProperties(C, R);
  return std::string(P->IsBaseCell() ? "base " : "part ") + std::to_string(P->CellSpanX()) + "," +
         std::to_string(P->CellSpanY());
}

TEST_F(Merge, MergeCellsStoresTheSizeInTheBaseAndOffsetsElsewhere) {
  struct Case {
    const char* Name;
    Integer C, R, SX, SY;
    std::vector<std::pair<TPoint, std::string>> Cells;
  } Cases[] = {
      {"two columns by one row", 0, 0, 2, 1, {{TPoint(0, 0), "base 1,0"}, {TPoint(1, 0), "part 1,0"}}},
      {"three columns by two rows",
       2,
       3,
       3,
       2,
       {{TPoint(2, 3), "base 2,1"}, {TPoint(3, 3), "part 1,0"}, {TPoint(4, 4), "part 2,1"}, {TPoint(2, 4), "part 0,1"}}},
      {"one cell", 1, 1, 1, 1, {{TPoint(1, 1), "base 0,0"}}},
  };
  for (const Case& C : Cases) {
    Grid->FreeAllCellProps();
    Grid->MergeCells(C.C, C.R, C.SX, C.SY);
    for (const auto& [P, Expected] : C.Cells) EXPECT_EQ(Spans(Grid, P.X, P.Y), Expected) << C.Name << " " << Pt(P);
  }
}

TEST_F(Merge, SpansBelowOneChangeNoCellButStillCount) {
  Grid->MergeCells(1, 1, 0, 2);
  Grid->MergeCells(1, 1, 2, -1);
  EXPECT_FALSE(Grid->HasCellProps());
  EXPECT_EQ(Grid->MergeCount(), 2);
}

TEST_F(Merge, AnAreaReachingOutsideTheGridIsRefusedAndChangesNothing) {
  const struct {
    const char* Name;
    Integer C, R, SX, SY;
  } Cases[] = {
      {"past the last column", 5, 1, 2, 1},
      {"past the last row", 1, 7, 1, 2},
      {"left of the first column", -1, 1, 2, 1},
      {"above the first row", 1, -1, 1, 2},
      {"a span beyond the integer range", 1, 1, 2147483647, 1},
  };
  for (const auto& C : Cases) {
    try {
      Grid->MergeCells(C.C, C.R, C.SX, C.SY);
      ADD_FAILURE() << C.Name << ": no error";
    } catch (const EInvalidGridOperation& E) {
      EXPECT_EQ(E.Message(), u"Grid index out of range") << C.Name;
    }
  }
  EXPECT_FALSE(Grid->HasCellProps());
  EXPECT_EQ(Grid->MergeCount(), 0);
  // Grown later, the grid shows no area that was never accepted.
  Grid->SetColCount(10);
  Grid->SetRowCount(12);
  EXPECT_FALSE(Grid->IsMergedCell(5, 1));
  EXPECT_FALSE(Grid->IsMergedCell(1, 7));
  Grid->MergeCells(8, 10, 2, 2);  // the last cells of the grown grid
  EXPECT_EQ(Spans(Grid, 9, 11), "part 1,1");
}

TEST_F(Merge, SplitCellsFromAnyCellResetsTheWholeArea) {
  Grid->MergeCells(1, 2, 3, 2);
  EXPECT_EQ(Grid->MergeCount(), 1);
  Grid->SetCells(1, 2, u"t");
  Grid->SplitCells(3, 3);
  for (Integer c = 1; c <= 3; ++c)
    for (Integer r = 2; r <= 3; ++r) EXPECT_EQ(Spans(Grid, c, r), "base -1,-1") << c << "," << r;
  EXPECT_EQ(Grid->Cells(3, 3), u"") << "each cell has its own text again";
  EXPECT_EQ(Grid->MergeCount(), 0);

  Grid->SplitCells(5, 5);  // a plain cell: nothing to split, the count still falls
  EXPECT_EQ(Grid->MergeCount(), -1);
  EXPECT_TRUE(Grid->HasCellProperties(5, 5)) << "the query made a property object";
}

TEST_F(Merge, SpanQueriesOverAMergedArea) {
  Grid->MergeCells(2, 3, 3, 2);  // columns 2..4, rows 3..4
  Grid->MergeCells(1, 5, 1, 1);  // one cell: spans 0, not merged
  Grid->CellProperties(1, 1);    // a plain cell with properties
  struct Case {
    const char* Name;
    Integer C, R;
    std::string Base;
    bool IsBase, Merged, MergedNonBase, XMerged, YMerged;
    std::string Span, Ext, Full;
  } Cases[] = {
      {"base cell", 2, 3, "2,3", true, true, false, true, true, "2,1", "2,1", "2,3,4,4"},
      {"middle of the top row", 3, 3, "2,3", false, true, true, true, true, "2,1", "1,1", "2,3,4,4"},
      {"last cell", 4, 4, "2,3", false, true, true, true, true, "2,1", "0,0", "2,3,4,4"},
      {"one-cell area", 1, 5, "1,5", true, false, false, false, false, "0,0", "0,0", "1,5,1,5"},
      {"plain cell with properties", 1, 1, "1,1", true, false, false, false, false, "0,0", "0,0", "1,1,1,1"},
      {"cell without properties", 5, 6, "5,6", true, false, false, false, false, "0,0", "0,0", "5,6,5,6"},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(Pt(Grid->BaseCell(C.C, C.R)), C.Base) << C.Name;
    EXPECT_EQ(Grid->IsBaseCell(C.C, C.R), C.IsBase) << C.Name;
    EXPECT_EQ(Grid->IsMergedCell(C.C, C.R), C.Merged) << C.Name;
    EXPECT_EQ(Grid->IsMergedNonBaseCell(C.C, C.R), C.MergedNonBase) << C.Name;
    EXPECT_EQ(Grid->IsXMergedCell(C.C, C.R), C.XMerged) << C.Name;
    EXPECT_EQ(Grid->IsYMergedCell(C.C, C.R), C.YMerged) << C.Name;
    EXPECT_EQ(Pt(Grid->CellSpan(C.C, C.R)), C.Span) << C.Name;
    EXPECT_EQ(Pt(Grid->CellExt(C.C, C.R)), C.Ext) << C.Name;
    EXPECT_EQ(Rc(Grid->FullCell(C.C, C.R)), C.Full) << C.Name;
    Integer BC = -9, BR = -9;
    EXPECT_EQ(Grid->ResolveBaseCell(C.C, C.R, BC, BR), C.IsBase) << C.Name;
    EXPECT_EQ(Pt(TPoint(BC, BR)), C.Base) << C.Name;
  }
}

TEST_F(Merge, OffsetsLeadingBeforeTheGridNameTheCellItself) {
  // A non-base property object carried to the first row (as a row move would carry it).
  TCellProperties* P = Grid->CellProperties(2, 0);
  P->SetIsBaseCell(false);
  P->SetCellSpanX(0);
  P->SetCellSpanY(1);
  Grid->SetGridCells(2, 0, u"own");
  EXPECT_EQ(Pt(Grid->BaseCell(2, 0)), "2,0");
  EXPECT_EQ(Grid->Cells(2, 0), u"own");
}

TEST_F(Merge, RowAndColumnSpanStructure) {
  Grid->MergeCells(1, 1, 2, 3);  // columns 1..2, rows 1..3
  Grid->MergeCells(4, 2, 1, 2);  // column 4, rows 2..3
  Grid->MergeCells(3, 6, 2, 1);  // columns 3..4, row 6
  Grid->MergeCells(1, 4, 1, 2);  // column 1, rows 4..5
  struct Case {
    const char* Name;
    bool Rows;
    Integer A, B;
    bool Expected;
  } Cases[] = {
      {"rows inside one area", true, 1, 2, true},
      {"rows sharing two areas", true, 2, 3, true},
      {"rows of different areas in column 1", true, 3, 4, false},
      {"rows without a row merge", true, 6, 7, false},
      {"columns inside one area", false, 1, 2, true},
      {"columns without any merge", false, 0, 5, false},
      {"columns of different spans", false, 2, 3, false},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(C.Rows ? Grid->RowSpanIdentical(C.A, C.B) : Grid->ColSpanIdentical(C.A, C.B), C.Expected) << C.Name;

  EXPECT_EQ(Grid->MinRowSpan(2), 1) << "column 4's area spans 1 extra row, column 1's 2";
  EXPECT_EQ(Grid->MaxRowSpan(2), 2);
  EXPECT_EQ(Grid->MinRowSpan(6), Grid->RowCount()) << "no row-merged cell";
  EXPECT_EQ(Grid->MaxRowSpan(6), 0);
}

TEST_F(Merge, CellRectOfAMergedCellIsTheWholeArea) {
  Grid->MergeCells(0, 0, 2, 1);
  EXPECT_EQ(Rc(Grid->CellRect(1, 0)), "0,0,80,20");
  EXPECT_EQ(Rc(Grid->CellRect(0, 0)), "0,0,80,20");

  Grid->MergeCells(2, 3, 3, 2);
  EXPECT_EQ(Rc(Grid->CellRect(3, 4)), "80,60,200,100");
  EXPECT_EQ(Pt(Grid->CellSize(4, 3)), "120,40");
  EXPECT_EQ(Rc(Grid->RawCellRect(3, 4)), "120,80,160,100") << "ignores merging";

  EXPECT_EQ(Rc(Grid->CellRect(5, 5)), "200,100,240,120") << "plain cell";
  EXPECT_EQ(Pt(Grid->CellSize(5, 5)), "40,20");
}

TEST_F(Merge, ZeroWidthColumnsAtTheEdgesOfAnAreaStillCount) {
  Grid->SetColWidths(2, 0);
  Grid->MergeCells(2, 1, 2, 1);  // a hidden column, then column 3
  EXPECT_EQ(Rc(Grid->CellRect(3, 1)), "80,20,120,40");
  Grid->MergeCells(2, 3, 1, 1);  // the hidden column alone
  EXPECT_EQ(Rc(Grid->CellRect(2, 3)), "79,60,81,80") << "one pixel on each side of the hidden column";
  Grid->SetColWidths(5, 0);
  Grid->MergeCells(4, 4, 2, 1);  // column 4, then a hidden column 5
  EXPECT_EQ(Rc(Grid->CellRect(5, 4)), "120,80,160,100");
}

TEST_F(Merge, ScrolledCellsAreOutsideTheClientAreaOrEmpty) {
  Grid->SetRowCount(30);
  Grid->SetColCount(20);
  Grid->SetLeftCol(3);
  Grid->SetTopRow(4);
  // Fixed column 0 and row 0 stay; the first scrolled column and row start after them.
  EXPECT_EQ(Rc(Grid->RawCellRect(3, 4)), "40,20,80,40");
  EXPECT_EQ(Rc(Grid->RawCellRect(1, 2)), "-40,-20,0,0");
  EXPECT_EQ(Rc(Grid->RawCellRect(0, 5)), "0,40,40,60") << "the fixed column is not scrolled";
  EXPECT_EQ(Rc(Grid->CellRect(1, 2)), "0,0,0,0") << "a plain cell out of view has no rectangle";

  Grid->MergeCells(1, 2, 3, 3);  // columns 1..3, rows 2..4: partly in view
  EXPECT_EQ(Rc(Grid->CellRect(3, 4)), "-40,-20,80,40");
}

TEST_F(Merge, ACellWithAControlTakesItsRawRectangle) {
  auto* Ctl = new TCustomControl(Form);
  Grid->CellProperties(2, 2)->SetControl(Ctl);
  EXPECT_EQ(Rc(Grid->CellRect(2, 2)), Rc(Grid->RawCellRect(2, 2)));
}

// --- Keys and wheel ---------------------------------------------------------------------------

TEST_F(Merge, ArrowKeysStepOverAMergedArea) {
  Grid->MergeCells(2, 2, 3, 1);  // columns 2..4 of row 2
  Grid->MergeCells(1, 1, 1, 3);  // column 1, rows 1..3
  struct Case {
    const char* Name;
    Integer FromCol, FromRow;
    Word Key;
    std::string To;
  } Cases[] = {
      {"Right from the base cell leaves the area", 2, 2, VK_RIGHT, "5,2"},
      {"Right from inside the area leaves it", 3, 2, VK_RIGHT, "5,2"},
      {"Left from the base cell lands on the neighbour's base", 2, 2, VK_LEFT, "1,1"},
      {"Left from inside the area lands left of it", 4, 2, VK_LEFT, "1,1"},
      {"Down from a tall area leaves it", 1, 1, VK_DOWN, "1,4"},
      {"Down from inside the tall area leaves it", 1, 2, VK_DOWN, "1,4"},
      {"Up from inside the tall area stays on its base", 1, 3, VK_UP, "1,1"},
      {"Up onto a merged area lands on its base", 3, 3, VK_UP, "2,2"},
  };
  for (const Case& C : Cases) {
    Grid->SetCol(C.FromCol);
    Grid->SetRow(C.FromRow);
    Key(C.Key);
    EXPECT_EQ(Pt(TPoint(Grid->Col(), Grid->Row())), C.To) << C.Name;
  }
}

TEST_F(Merge, ThePageDownAndTheWheelNeverReachTheHiddenLastRow) {
  Grid->SetHideLastRow(true);
  Grid->SetRow(3);
  Key(VK_NEXT);
  EXPECT_EQ(Grid->Row(), 6) << "all rows fit: Page Down stops on the row before the last";
  Key(VK_NEXT);
  EXPECT_EQ(Grid->Row(), 6);

  Grid->DoMouseWheelDown(TShiftState(), TPoint(10, 10));
  EXPECT_EQ(Grid->Row(), 6);

  Grid->SetHideLastRow(false);
  Key(VK_NEXT);
  EXPECT_EQ(Grid->Row(), 7);
}

TEST_F(Merge, TheWheelEndsOnTheBaseCell) {
  Grid->MergeCells(2, 3, 1, 2);
  Grid->SetCol(2);
  Grid->SetRow(2);
  Grid->DoMouseWheelDown(TShiftState(), TPoint(10, 10));
  EXPECT_EQ(Pt(TPoint(Grid->Col(), Grid->Row())), "2,3");
  Grid->DoMouseWheelDown(TShiftState(), TPoint(10, 10));  // onto row 4, inside the area
  EXPECT_EQ(Pt(TPoint(Grid->Col(), Grid->Row())), "2,3");
}

TEST_F(Merge, MovingTheCurrentCellRepaintsTheOldAndTheNewCell) {
  Grid->MergeCells(3, 3, 2, 2);
  Grid->SetCol(1);
  Grid->SetRow(1);
  Clear();
  EXPECT_TRUE(Grid->SelectCell(4, 4));
  ASSERT_EQ(Grid->Repainted.size(), 2u);
  EXPECT_EQ(Rc(Grid->Repainted[0]), "40,20,80,40");
  EXPECT_EQ(Rc(Grid->Repainted[1]), "120,60,200,100");
}

TEST_F(Merge, ScrollingRepaintsTheMergedCellsOfTheFixedColumn) {
  Grid->SetRowCount(30);
  Grid->MergeCells(0, 6, 1, 2);
  Clear();
  Grid->SetTopRow(5);
  std::vector<std::string> Rects;
  for (const TRect& R : Grid->Repainted) Rects.push_back(Rc(R));
  EXPECT_EQ(Rects, (std::vector<std::string>{"0,40,40,80", "0,40,40,80"})) << "both cells of the area in view";
}

}  // namespace
