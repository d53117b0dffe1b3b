// The row routines of the table editors on a small column grid: five real columns (the fixed row
// number, three data columns and one hidden column) and three data rows, one column a check box.
#include "app/GridRowRoutines.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/grid/ExCGrid.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/Classes.h"

namespace {

// Real columns: 0 row number, 1 text, 2 check box, 3 hidden text, 4 text.
constexpr Integer Col_Check = 2;
constexpr Integer Col_Hidden = 3;
constexpr Integer Col_Last = 4;

class GridRowRoutinesTest : public testing::Test {
 protected:
  void SetUp() override {
    Create_Text_Table();
    Load_Default_Texts();
    Create_Row_Clipboard();
    Opt_Jump_Field_Tables = false;
    Opt_Double_Click_Auto_Size = false;
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 600, 300);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = new TExColumnGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 500, 200);
    Grid->SetColCount(5);
    Grid->SetRowCount(4);
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->Columns()->GetItem(Col_Check)->SetEditorType(edDataCheckBox);
    Grid->HideColumn(Col_Hidden);
    for (Integer r = 1; r <= 3; ++r) Set_Row(r, Row_Of(r));
  }
  void TearDown() override {
    EXPECT_TRUE(TestHarness::Verify());
    TComponent::Free(Form);
    Opt_Jump_Field_Tables = false;
    Opt_Double_Click_Auto_Size = false;
  }

  // The cells of a data row from column 1, hidden column included.
  std::vector<String> Row_Cells(Integer ARow) {
    std::vector<String> cells;
    for (Integer c = 1; c < Grid->AllColCount(); ++c) cells.push_back(Grid->Cells(c, ARow));
    return cells;
  }
  void Set_Row(Integer ARow, const std::vector<String>& Cells) {
    for (Integer c = 1; c <= static_cast<Integer>(Cells.size()); ++c) Grid->SetCells(c, ARow, Cells[c - 1]);
  }

  // The cells the fixture gives data row N.
  static std::vector<String> Row_Of(Integer N) {
    return {IntToStr(N) + u"a", u"Y", IntToStr(N) + u"h", IntToStr(N) + u"z"};
  }

  TForm* Form = nullptr;
  TExColumnGrid* Grid = nullptr;
};

TEST_F(GridRowRoutinesTest, TheGridCountsItsHiddenColumn) {
  ASSERT_EQ(Grid->ColCount(), 4);
  ASSERT_EQ(Grid->NumHiddenColumns(), 1);
  EXPECT_EQ(Row_Cells(2), Row_Of(2));
}

TEST_F(GridRowRoutinesTest, DeleteAndInsertMoveWholeRowsWithinTheFixedLength) {
  const struct {
    const char* Name;
    std::function<void(TExColumnGrid*)> Act;
    std::vector<std::vector<String>> Rows;  // rows 1 to 3 afterwards
  } cases[] = {
      {"delete row 1", [](TExColumnGrid* g) { Grid_Delete_Row(1, g); }, {Row_Of(2), Row_Of(3), {u"", u"", u"", u""}}},
      {"delete the last row only empties it", [](TExColumnGrid* g) { Grid_Delete_Row(3, g); },
       {Row_Of(1), Row_Of(2), {u"", u"", u"", u""}}},
      {"insert at row 1 loses the last row", [](TExColumnGrid* g) { Grid_Insert_Row(1, g, false); },
       {{u"", u"", u"", u""}, Row_Of(1), Row_Of(2)}},
      {"insert marking the first column", [](TExColumnGrid* g) { Grid_Insert_Row(2, g, true); },
       {Row_Of(1), {u"Y", u"", u"", u""}, Row_Of(2)}},
      {"insert at the last row empties it", [](TExColumnGrid* g) { Grid_Insert_Row(3, g, false); },
       {Row_Of(1), Row_Of(2), {u"", u"", u"", u""}}},
      {"delete of the header row changes nothing", [](TExColumnGrid* g) { Grid_Delete_Row(0, g); },
       {Row_Of(1), Row_Of(2), Row_Of(3)}},
      {"insert past the end changes nothing", [](TExColumnGrid* g) { Grid_Insert_Row(4, g, true); },
       {Row_Of(1), Row_Of(2), Row_Of(3)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    for (Integer r = 1; r <= 3; ++r) Set_Row(r, Row_Of(r));
    Grid->SetCells(1, 0, u"Header");
    c.Act(Grid);
    EXPECT_EQ(Grid->RowCount(), 4);
    EXPECT_EQ(Grid->Cells(1, 0), u"Header");
    for (Integer r = 1; r <= 3; ++r) EXPECT_EQ(Row_Cells(r), c.Rows[r - 1]) << "row " << r;
  }
}

TEST_F(GridRowRoutinesTest, CopyTakesEveryColumnHiddenOnesIncluded) {
  Row_Clipboard_SL->Add(u"stale");
  Grid_Copy_Row(Grid, 2);
  ASSERT_EQ(Row_Clipboard_SL->Count(), 4);
  for (Integer i = 0; i < 4; ++i) EXPECT_EQ(Row_Clipboard_SL->Strings(i), Row_Of(2)[i]);
}

TEST_F(GridRowRoutinesTest, PasteIntoAFreeRow) {
  Grid_Copy_Row(Grid, 1);
  // A row whose only text is in its check-box column counts as free: no question.
  Set_Row(3, {u"", u"N", u"", u""});
  Grid_Paste_Row(Grid, 3, true);
  EXPECT_EQ(Row_Cells(3), Row_Of(1));
  EXPECT_TRUE(TestHarness::ShownMessages().empty());
}

TEST_F(GridRowRoutinesTest, PasteIntoAUsedRowAsksFirst) {
  const String question = u"Row Already used. Do you want to overwrite the values?";
  Grid_Copy_Row(Grid, 1);
  TestHarness::ExpectMessage(question, mtConfirmation, mrNo);
  Grid_Paste_Row(Grid, 2, true);
  EXPECT_EQ(Row_Cells(2), Row_Of(2));
  // Blanks only do not make a row used; text in the hidden column does.
  Set_Row(3, {u"  ", u"Y", u"x", u""});
  TestHarness::ExpectMessage(question, mtConfirmation, mrYes);
  Grid_Paste_Row(Grid, 3, true);
  EXPECT_EQ(Row_Cells(3), Row_Of(1));
}

TEST_F(GridRowRoutinesTest, PasteRefusals) {
  TestHarness::ExpectMessage(u"Error!!! Copy a valid row before Paste it", mtError);
  Grid_Paste_Row(Grid, 3, false);
  EXPECT_EQ(Row_Cells(3), Row_Of(3));

  // A row copied from a table with another number of columns.
  Row_Clipboard_SL->Clear();
  for (const char16_t* s : {u"1", u"2", u"3"}) Row_Clipboard_SL->Add(s);
  TestHarness::ExpectMessage(u"Error in the Copy values!!! Copy a valid row before Paste it", mtError);
  Grid_Paste_Row(Grid, 3, true);
  EXPECT_EQ(Row_Cells(3), Row_Of(3));
}

TEST_F(GridRowRoutinesTest, EnterMovesThroughTheShownColumnsWhenTheOptionIsOn) {
  const struct {
    const char* Name;
    bool Option;
    Integer Col, Row;            // current cell before (display column)
    Integer Key_After;           // the key the grid gets afterwards
    Integer Col_After, Row_After;
    Char Key = 13;
  } cases[] = {
      {"option off leaves Enter to the grid", false, 1, 1, 13, 1, 1},
      {"next column", true, 1, 1, 0, 2, 1},
      {"the hidden column is passed over", true, 2, 2, 0, 3, 2},
      {"last column to the next row", true, 3, 1, 0, 1, 2},
      {"last cell back to row 1", true, 3, 3, 0, 1, 1},
      {"other keys untouched", true, 1, 1, 'a', 1, 1, 'a'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Opt_Jump_Field_Tables = c.Option;
    Grid->SetRow(c.Row);
    Grid->SetCol(c.Col);
    ASSERT_EQ(Grid->Col(), c.Col);
    Char key = c.Key;
    Grid_Enter_Next_Cell(Grid, key);
    EXPECT_EQ(key, Char(c.Key_After));
    EXPECT_EQ(Grid->Col(), c.Col_After);
    EXPECT_EQ(Grid->Row(), c.Row_After);
  }
}

TEST_F(GridRowRoutinesTest, DoubleClickSizesAHeaderColumnOnlyWithTheOption) {
  Grid->SetCells(Col_Last, 1, u"a rather long text that needs a wide column");
  Grid->SetColWidths(3, 30);  // display column 3 is real column 4
  Grid_DblClick_AutoSize(Grid, 0, 3);
  EXPECT_EQ(Grid->ColWidths(3), 30);
  Opt_Double_Click_Auto_Size = true;
  Grid_DblClick_AutoSize(Grid, 1, 3);
  EXPECT_EQ(Grid->ColWidths(3), 30);
  Grid_DblClick_AutoSize(Grid, 0, 3);
  EXPECT_GT(Grid->ColWidths(3), 100);
}

}  // namespace
