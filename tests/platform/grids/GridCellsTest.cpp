// The cell store: cells read back as written, rows and columns move as wholes (a row is a handle),
// and nothing written is lost past the counts the grid uses.
#include <gtest/gtest.h>

#include "platform/grids/GridCells.h"

namespace {

// Row r, column c holds "r,c".
void Fill(TGridCellStore& s, Integer cols, Integer rows) {
  for (Integer r = 0; r < rows; ++r)
    for (Integer c = 0; c < cols; ++c)
      s.SetText(c, r, Utf8ToString(std::to_string(r) + "," + std::to_string(c)));
}

std::string Row(const TGridCellStore& s, Integer r, Integer cols) {
  std::string out;
  for (Integer c = 0; c < cols; ++c) out += (c ? " " : "") + StringToUtf8(s.Text(c, r));
  return out;
}

std::string Col(const TGridCellStore& s, Integer c, Integer rows) {
  std::string out;
  for (Integer r = 0; r < rows; ++r) out += (r ? " " : "") + StringToUtf8(s.Text(c, r));
  return out;
}

TEST(GridCellStore, UnwrittenCellsAreEmptyAndEmptyingThemStoresNothing) {
  TGridCellStore s;
  EXPECT_EQ(s.Text(3, 7), u"");
  EXPECT_EQ(s.Object(3, 7), nullptr);
  EXPECT_EQ(s.Text(-1, 0), u"");
  s.SetText(3, 7, u"");
  s.SetObject(3, 7, nullptr);
  EXPECT_EQ(s.StoredRows(), 0);
  TObject o;
  s.SetText(2, 1, u"x");
  s.SetObject(2, 1, &o);
  EXPECT_EQ(s.Text(2, 1), u"x");
  EXPECT_EQ(s.Object(2, 1), &o);
  EXPECT_EQ(s.Text(1, 1), u"");
}

TEST(GridCellStore, MovingRowsMovesTheirHandlesNotTheirTexts) {
  TGridCellStore s;
  Fill(s, 3, 5);
  TObject o;
  s.SetObject(1, 1, &o);
  const TGridCellRow* moved = s.RowHandle(1);
  const TGridCellRow* between = s.RowHandle(2);
  s.MoveRow(1, 3);
  // The row itself travelled; the rows between shifted one place toward the gap.
  EXPECT_EQ(s.RowHandle(3), moved);
  EXPECT_EQ(s.RowHandle(1), between);
  EXPECT_EQ(Col(s, 0, 5), "0,0 2,0 3,0 1,0 4,0");
  EXPECT_EQ(s.Object(1, 3), &o);
  s.MoveRow(3, 0);
  EXPECT_EQ(Col(s, 0, 5), "1,0 0,0 2,0 3,0 4,0");
}

TEST(GridCellStore, MoveTable) {
  struct Case {
    const char* Name;
    bool Rows;
    Integer From, To;
    const char* After;  // column 0 for row moves, row 0 for column moves
  };
  const Case cases[] = {
      {"row down", true, 0, 2, "1,0 2,0 0,0 3,0"},
      {"row up", true, 3, 1, "0,0 3,0 1,0 2,0"},
      {"row past the stored rows", true, 1, 5, "0,0 2,0 3,0  "},
      {"column right", false, 0, 3, "0,1 0,2 0,3 0,0"},
      {"column left", false, 2, 0, "0,2 0,0 0,1 0,3"},
      {"column past the stored cells", false, 1, 5, "0,0 0,2 0,3  "},
      {"same index", true, 2, 2, "0,0 1,0 2,0 3,0"},
  };
  for (const Case& k : cases) {
    TGridCellStore s;
    Fill(s, 4, 4);
    if (k.Rows)
      s.MoveRow(k.From, k.To);
    else
      s.MoveColumn(k.From, k.To);
    const std::string got = k.Rows ? Col(s, 0, k.To == 5 ? 5 : 4) : Row(s, 0, k.To == 5 ? 5 : 4);
    EXPECT_EQ(got, k.After) << k.Name;
  }
}

TEST(GridCellStore, MovingAColumnMovesItInEveryStoredRowAndKeepsCellsBeyond) {
  TGridCellStore s;
  Fill(s, 3, 3);
  s.SetText(9, 1, u"far");  // a cell far to the right, as hidden columns keep theirs
  s.MoveColumn(0, 2);
  EXPECT_EQ(Row(s, 0, 3), "0,1 0,2 0,0");
  EXPECT_EQ(Row(s, 2, 3), "2,1 2,2 2,0");
  EXPECT_EQ(s.Text(9, 1), u"far");
}

TEST(GridCellStore, ClearingDropsTextsAndObjectReferences) {
  TGridCellStore s;
  Fill(s, 3, 3);
  TObject o;
  s.SetObject(1, 1, &o);
  s.ClearRow(1);
  EXPECT_EQ(Row(s, 1, 3), "  ");
  EXPECT_EQ(s.Object(1, 1), nullptr);
  s.ClearColumn(2);
  EXPECT_EQ(Col(s, 2, 3), "  ");
  EXPECT_EQ(s.Text(1, 0), u"0,1");
}

// A mark on a row finds the row wherever its handle moved, and learns when it is freed: a row
// made afterwards, wherever it is stored, is never taken for it. Rows whose cells were exchanged
// in place lose their marks, so a mark no longer takes them for the row it marked.
TEST(GridCellStore, AMarkFollowsItsRowAndLearnsWhenItIsFreed) {
  TGridCellStore s;
  Fill(s, 2, 4);
  const std::shared_ptr<TGridRowMark> Mark = TGridRowMark::Of(s.RowHandle(1));
  EXPECT_EQ(TGridRowMark::Of(s.RowHandle(1)), Mark) << "one mark per row";
  s.ExchangeRows(1, 3);
  EXPECT_EQ(s.RowHandle(3), Mark->Row());
  EXPECT_EQ(Row(s, 3, 2), "1,0 1,1");
  s.RotateRows(0, 2, 4);
  EXPECT_EQ(s.RowHandle(1), Mark->Row());
  s.ForgetRowMark(1);
  EXPECT_EQ(Row(s, 1, 2), "1,0 1,1") << "the cells stay";
  EXPECT_EQ(Mark->Row(), nullptr);
  EXPECT_NE(s.RowHandle(1), nullptr);

  const std::shared_ptr<TGridRowMark> Other = TGridRowMark::Of(s.EnsureRow(6));
  ASSERT_NE(Other->Row(), nullptr);
  s.ClearRow(6);
  EXPECT_EQ(Other->Row(), nullptr);
  for (Integer r = 0; r < 64; ++r) s.SetText(0, 10 + r, u"new");
  for (Integer r = 0; r < 74; ++r) EXPECT_NE(TGridRowMark::Of(s.EnsureRow(r)), Other);
}

}  // namespace

// The row operations that move many handles in one pass give what one move at a time gives.
// A permutation moves each handle once, whatever its cycles: the rows of First … come in the
// listed order, the rows around them stay, and no handle is lost or doubled.
TEST(GridCellStore, PermutingRowsPlacesEveryHandleOnceWhateverTheCycles) {
  struct Case {
    const char* Name;
    Integer First;
    std::vector<Integer> Order;
  } Cases[] = {
      {"unchanged", 1, {1, 2, 3, 4, 5, 6}},
      {"one pair exchanged", 1, {1, 5, 3, 4, 2, 6}},
      {"reversed", 1, {6, 5, 4, 3, 2, 1}},
      {"one cycle through all", 1, {2, 3, 4, 5, 6, 1}},
      {"three cycles", 2, {3, 2, 6, 7, 4, 5}},
      {"past the stored rows", 6, {9, 6, 8, 7}},
  };
  for (const Case& C : Cases) {
    TGridCellStore s;
    Fill(s, 2, 8);
    std::vector<const TGridCellRow*> Before;
    for (Integer r = 0; r < 10; ++r) Before.push_back(s.RowHandle(r));
    s.PermuteRows(C.First, C.Order);
    const Integer End = C.First + static_cast<Integer>(C.Order.size());
    for (Integer r = 0; r < 10; ++r) {
      const Integer From = r >= C.First && r < End ? C.Order[static_cast<size_t>(r - C.First)] : r;
      EXPECT_EQ(s.RowHandle(r), Before[static_cast<size_t>(From)]) << C.Name << ", row " << r;
      EXPECT_EQ(s.Text(1, r), From < 8 ? Utf8ToString(std::to_string(From) + ",1") : u"") << C.Name << ", row " << r;
    }
  }
}

TEST(GridCellStore, RowsTakenPutAndPermutedMoveTheirHandles) {
  TGridCellStore s;
  Fill(s, 1, 8);
  const TGridCellRow* two = s.RowHandle(2);
  // Taking rows 2, 5 and 6 of the first 7: the rows after close up, row 7 keeps its place.
  std::vector<std::unique_ptr<TGridCellRow>> taken = s.TakeRows({2, 5, 6}, 7);
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[0].get(), two);
  EXPECT_EQ(Col(s, 0, 8), "0,0 1,0 3,0 4,0    7,0");
  // Putting them back at their final places 2, 5 and 6 restores the rows.
  s.PutRows({2, 5, 6}, std::move(taken), 4);
  EXPECT_EQ(Col(s, 0, 8), "0,0 1,0 2,0 3,0 4,0 5,0 6,0 7,0");
  EXPECT_EQ(s.RowHandle(2), two);
  // A new empty row put in past the stored rows.
  std::vector<std::unique_ptr<TGridCellRow>> none(1);
  s.PutRows({1}, std::move(none), 8);
  EXPECT_EQ(Col(s, 0, 9), "0,0  1,0 2,0 3,0 4,0 5,0 6,0 7,0");
  // Rows 1 … 4 in the order 4, 2, 1, 3 (an empty row travels as well).
  s.PermuteRows(1, {4, 2, 1, 3});
  EXPECT_EQ(Col(s, 0, 5), "0,0 3,0 1,0  2,0");
  // Rotating 0 … 4 so that row 3 comes first.
  s.RotateRows(0, 3, 5);
  EXPECT_EQ(Col(s, 0, 5), " 2,0 0,0 3,0 1,0");
}
