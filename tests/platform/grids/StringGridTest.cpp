// TStringGrid: cells and objects beyond the counts, the Rows and Cols lists, moving and deleting
// rows and columns, and the draw grid's events.
#include "tests/platform/grids/GridTestUtil.h"

namespace {

using StringGrid = GridFixture;

std::string RowText(TStringGrid* g, Integer r, Integer cols) {
  std::string s;
  for (Integer c = 0; c < cols; ++c) s += (c ? "|" : "") + StringToUtf8(g->Cells(c, r));
  return s;
}

TEST_F(StringGrid, CellsBeyondTheCountsAreKeptWhenACountShrinksAndComeBack) {
  Grid->SetCells(4, 4, u"corner");
  Grid->SetCells(7, 2, u"far right");  // beyond ColCount from the start
  Grid->SetColCount(3);
  Grid->SetRowCount(3);
  EXPECT_EQ(Grid->Cells(4, 4), u"corner");
  Grid->SetColCount(5);
  Grid->SetRowCount(5);
  EXPECT_EQ(Grid->Cells(4, 4), u"corner");
  EXPECT_EQ(Grid->Cells(7, 2), u"far right");
  EXPECT_EQ(Grid->Cells(40, 40), u"");
  EXPECT_THROW(Grid->Cells(-1, 0), EInvalidGridOperation);
  EXPECT_THROW(Grid->SetCells(0, -1, u"x"), EInvalidGridOperation);
}

TEST_F(StringGrid, RowMovesAreMovesOfRowHandlesAndCarryTheObjects) {
  TObject o;
  Grid->SetCells(1, 1, u"a");
  Grid->SetObjects(2, 1, &o);
  const TGridCellRow* handle = Grid->CellStore().RowHandle(1);
  Grid->MoveRow(1, 4);
  EXPECT_EQ(Grid->CellStore().RowHandle(4), handle);
  EXPECT_EQ(Grid->Cells(1, 4), u"a");
  EXPECT_EQ(Grid->Objects(2, 4), &o);
  EXPECT_EQ(Grid->Log.back(), "RowMoved 1,4");
}

TEST_F(StringGrid, MovesOutsideTheGridAreRefused) {
  EXPECT_THROW(Grid->MoveRow(0, 5), EInvalidGridOperation);
  EXPECT_THROW(Grid->MoveColumn(-1, 2), EInvalidGridOperation);
  EXPECT_THROW(Grid->DeleteRow(5), EInvalidGridOperation);
  EXPECT_THROW(Grid->DeleteColumn(9), EInvalidGridOperation);
  Grid->MoveColumn(2, 2);
  EXPECT_TRUE(Grid->Log.empty());
}

TEST_F(StringGrid, DeleteRowMovesItLastDropsItsCellsAndHeightAndShrinksTheGrid) {
  for (Integer r = 0; r < 5; ++r) Grid->SetCells(1, r, Utf8ToString(std::to_string(r)));
  TObject o;
  Grid->SetObjects(1, 2, &o);
  Grid->SetRowHeights(2, 40);
  Grid->SetRowHeights(3, 30);
  Grid->Log.clear();
  Grid->DeleteRow(2);
  EXPECT_EQ(Grid->RowCount(), 4);
  std::string col;
  for (Integer r = 0; r < 4; ++r) col += StringToUtf8(Grid->Cells(1, r));
  EXPECT_EQ(col, "0134");
  EXPECT_EQ(Grid->RowHeights(2), 30) << "the heights below moved up";
  EXPECT_EQ(Grid->Log.front(), "RowMoved 2,4");
  Grid->SetRowCount(5);
  EXPECT_EQ(Grid->Cells(1, 4), u"") << "the deleted row does not come back";
  EXPECT_EQ(Grid->Objects(1, 4), nullptr);
  EXPECT_EQ(Grid->RowHeights(4), 24);
}

TEST_F(StringGrid, DeleteColumnLikewise) {
  for (Integer c = 0; c < 5; ++c) Grid->SetCells(c, 1, Utf8ToString(std::to_string(c)));
  Grid->SetColWidths(3, 20);
  Grid->DeleteColumn(1);
  EXPECT_EQ(Grid->ColCount(), 4);
  EXPECT_EQ(RowText(Grid, 1, 5), "0|2|3|4|");
  EXPECT_EQ(Grid->ColWidths(2), 20);
}

TEST_F(StringGrid, DeletingTheOnlyRowEmptiesIt) {
  Grid->SetRowCount(1);
  Grid->SetCells(0, 0, u"x");
  Grid->DeleteRow(0);
  EXPECT_EQ(Grid->RowCount(), 1);
  EXPECT_EQ(Grid->Cells(0, 0), u"");
}

TEST_F(StringGrid, RowsAndColsAreListsOverTheCells) {
  TStrings* row = Grid->Rows(2);
  EXPECT_EQ(row->Count(), 5);
  row->SetStrings(3, u"r");
  EXPECT_EQ(Grid->Cells(3, 2), u"r");
  TStrings* col = Grid->Cols(3);
  EXPECT_EQ(col->Count(), 5);
  EXPECT_EQ(col->Strings(2), u"r");
  EXPECT_EQ(Grid->Rows(2), row) << "the same list each time";
  EXPECT_THROW(row->Strings(5), EInvalidGridOperation);
  EXPECT_THROW(row->Insert(0, u"x"), EInvalidGridOperation);
  EXPECT_THROW(row->Delete(0), EInvalidGridOperation);
  // Add fills the first empty position.
  EXPECT_EQ(row->Add(u"a"), 0);
  EXPECT_EQ(row->Add(u"b"), 1);
  EXPECT_EQ(RowText(Grid, 2, 5), "a|b||r|");
}

TEST_F(StringGrid, AssigningARowCopiesTextsAndObjectsAndEmptiesTheRest) {
  TObject o1, o2;
  Grid->SetCells(0, 1, u"x");
  Grid->SetObjects(0, 1, &o1);
  Grid->SetCells(4, 1, u"y");
  Grid->SetCells(2, 3, u"old");
  Grid->SetObjects(3, 3, &o2);
  Grid->SetRows(3, Grid->Rows(1));
  EXPECT_EQ(RowText(Grid, 3, 5), "x||||y");
  EXPECT_EQ(Grid->Objects(0, 3), &o1);
  EXPECT_EQ(Grid->Objects(3, 3), nullptr);
  // From a shorter list.
  TStringList list;
  list.AddObject(u"p", &o2);
  Grid->Cols(4)->Assign(&list);
  EXPECT_EQ(Grid->Cells(4, 0), u"p");
  EXPECT_EQ(Grid->Objects(4, 0), &o2);
  EXPECT_EQ(Grid->Cells(4, 1), u"");
  // Into a plain list: every position of the row.
  TStringList copy;
  copy.Assign(Grid->Rows(3));
  EXPECT_EQ(copy.Count(), 5);
  EXPECT_EQ(copy.Objects(0), &o1);
  // The lists follow a raised ColCount, as a grid with columns beyond it relies on.
  Grid->SetCells(6, 3, u"beyond");
  Grid->SetColCount(7);
  EXPECT_EQ(Grid->Rows(3)->Strings(6), u"beyond");
}

TEST_F(StringGrid, TheDrawGridsEventsFireAfterTheCellsMoved) {
  std::vector<std::string> events;
  Grid->SetCells(1, 0, u"h1");
  Grid->OnColumnMoved = [&](TObject*, Integer f, Integer t) {
    events.push_back("col " + Cell(f, t) + " " + StringToUtf8(Grid->Cells(3, 0)));
  };
  Grid->OnRowMoved = [&](TObject*, Integer f, Integer t) { events.push_back("row " + Cell(f, t)); };
  Grid->OnTopLeftChanged = [&](TObject*) { events.push_back("topleft " + Cell(Grid->LeftCol(), Grid->TopRow())); };
  Grid->MoveColumn(1, 3);
  Grid->MoveRow(4, 2);
  Grid->SetLeftCol(2);
  EXPECT_EQ(events, (std::vector<std::string>{"col 1,3 h1", "row 4,2", "topleft 2,1"}));
}

TEST_F(StringGrid, OnSelectCellCanVetoAMove) {
  Grid->OnSelectCell = [&](TObject*, Integer c, Integer, bool& ok) { ok = c != 3; };
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(Current(Grid), "2,1");
}

TEST_F(StringGrid, GetEditTextStartsFromTheCellAndTheEventMayChangeIt) {
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->SetCells(1, 1, u"raw");
  Grid->OnGetEditText = [&](TObject*, Integer, Integer, String& v) { v += u"!"; };
  Key(VK_F2);
  ASSERT_NE(Grid->InplaceEditor(), nullptr);
  EXPECT_EQ(Grid->InplaceEditor()->Text(), u"raw!");
}

}  // namespace
