// The string grid's keyboard: the key map before the platform's moves (Enter and F2 on cells that
// cannot be edited, Home and End, row selection scrolling, clipboard keys, inserting and deleting
// rows, select all), the moves after it (wrapping, moving rows), key-up and key-press rules.
#include <gtest/gtest.h>

#include "components/grid/ExGridFilter.h"
#include "components/grid/ExGridGraphics.h"
#include "ExGridInputTestUtil.h"

namespace {

TEST_F(ExGridInputTest, F2OnACellThatCannotBeEditedIsReportedAndOpensNothing) {
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->SetReadOnly(2, 2, true);
  Grid->FocusCell(2, 2);
  Grid->SetCol(2);
  Grid->SetRow(2);
  std::vector<Word> reported;
  Grid->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { reported.push_back(Key); };
  Key(VK_F2);
  EXPECT_EQ(reported, (std::vector<Word>{VK_F2}));
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_FALSE(Grid->InEditMode());
}

TEST_F(ExGridInputTest, EnterOnACellThatCannotBeEditedReachesOnKeyPressAsZero) {
  std::vector<Char> pressed;
  Grid->OnKeyPress = [&](TObject*, Char& Key) { pressed.push_back(Key); };
  Key(VK_RETURN, TShiftState(), u"\r");
  Key('A', TShiftState(ssShift), u"A");
  ASSERT_EQ(pressed.size(), 2u);
  EXPECT_EQ(pressed[0], Char(13));
  EXPECT_EQ(pressed[1], u'A');
}

TEST_F(ExGridInputTest, HomeAndEndFollowTheHomeEndSetting) {
  struct TCase {
    const char* Name;
    THomeEndAction Action;
    Word Key;
    TShiftState Shift;
    Integer Col, Row;
  } cases[] = {
      {"Home: first column", heFirstLastColumn, VK_HOME, {}, 1, 5},
      {"End: last column", heFirstLastColumn, VK_END, {}, 4, 5},
      {"Ctrl+Home: first cell", heFirstLastColumn, VK_HOME, TShiftState(ssCtrl), 1, 1},
      {"Home: first row", heFirstLastRow, VK_HOME, {}, 3, 1},
      {"End: last row", heFirstLastRow, VK_END, {}, 3, 9},
      {"Home: first cell", heFirstLastCell, VK_HOME, {}, 1, 1},
      {"End: last cell", heFirstLastCell, VK_END, {}, 4, 9},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->Navigation()->SetHomeEndKey(c.Action);
    Grid->FocusCell(3, 5);
    Grid->SetCol(3);
    Grid->SetRow(5);
    Key(c.Key, c.Shift);
    EXPECT_EQ(Grid->Col(), c.Col);
    EXPECT_EQ(Grid->Row(), c.Row);
  }
}

TEST_F(ExGridInputTest, ShiftEndSelectsToTheLastNormalColumn) {
  Grid->SetCol(2);
  Grid->SetRow(4);
  Key(VK_END, TShiftState(ssShift));
  EXPECT_EQ(Grid->Selection(), (TGridRect{2, 4, 4, 4}));
}

TEST_F(ExGridInputTest, LeftAndRightScrollTheColumnsOfARowSelectingGrid) {
  Grid->SetColCount(12);
  Grid->SetOptions(Grid->Options() << goRowSelect);
  Grid->Navigation()->SetLeftRightRowSelect(false);
  Grid->SetRow(3);
  ASSERT_EQ(Grid->LeftCol(), 1);
  std::vector<Word> reported;
  Grid->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { reported.push_back(Key); };
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(Grid->LeftCol(), 3);
  Key(VK_LEFT);
  EXPECT_EQ(Grid->LeftCol(), 2);
  EXPECT_EQ(Grid->Row(), 3);
  EXPECT_EQ(reported, (std::vector<Word>{VK_RIGHT, VK_RIGHT, VK_LEFT}));
}

TEST_F(ExGridInputTest, ClipboardKeysAskTheirEventsOnlyWhenSwitchedOn) {
  std::vector<std::string> asked;
  Grid->OnClipboardCopy = [&](TObject*, bool& Allow) {
    asked.push_back("copy");
    Allow = false;
  };
  Grid->OnClipboardCut = [&](TObject*, bool&) { asked.push_back("cut"); };
  Grid->OnClipboardPaste = [&](TObject*, bool&) { asked.push_back("paste"); };
  Key('C', TShiftState(ssCtrl));
  EXPECT_TRUE(asked.empty());
  Grid->Navigation()->SetAllowClipboardShortCuts(true);
  Key('C', TShiftState(ssCtrl));
  Key(VK_INSERT, TShiftState(ssCtrl));
  Key('X', TShiftState(ssCtrl));
  Key('V', TShiftState(ssCtrl));
  Key(VK_INSERT, TShiftState(ssShift));
  Key(VK_DELETE, TShiftState(ssShift));
  EXPECT_EQ(asked, (std::vector<std::string>{"copy", "copy", "cut", "paste", "paste", "cut"}));
}

TEST_F(ExGridInputTest, DeleteRemovesTheCurrentRowOrEmptiesTheOnlyOne) {
  struct TCase {
    const char* Name;
    Integer Rows;
    bool FixedRowAlways;
    Integer RowsAfter;
    const char16_t* TextAfter;  // row 1, column 1
  } cases[] = {
      {"several rows: the row goes", 5, false, 4, u"1,2"},
      {"the only normal row is emptied", 2, false, 2, u""},
      {"the only normal row goes with FixedRowAlways", 2, true, 1, nullptr},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    Grid->SetRowCount(c.Rows);
    Grid->SetFixedRowAlways(c.FixedRowAlways);
    Fill();
    Grid->Navigation()->SetAllowDeleteRow(true);
    Grid->SetRow(1);
    std::vector<Integer> deleted;
    Grid->OnAutoDeleteRow = [&](TObject*, Integer ARow) { deleted.push_back(ARow); };
    Key(VK_DELETE);
    EXPECT_EQ(Grid->RowCount(), c.RowsAfter);
    EXPECT_EQ(deleted, (std::vector<Integer>{1}));
    if (c.TextAfter) {
      EXPECT_EQ(Grid->Cells(1, 1), String(c.TextAfter));
    }
  }
}

// Delete and Insert move whole rows, the cells and colours of a hidden column with them.
TEST_F(ExGridInputTest, DeleteAndInsertCarryTheHiddenColumnsCells) {
  Fill();
  Grid->SetColors(4, 4, clRed);
  Grid->SetColors(4, 3, clBlue);
  Grid->HideColumn(4);
  Grid->Navigation()->SetAllowDeleteRow(true);
  Grid->Navigation()->SetAllowInsertRow(true);
  Grid->SetRow(3);
  Key(VK_DELETE);
  EXPECT_EQ(Grid->AllCells(4, 3), u"4,4");
  EXPECT_EQ(Grid->Colors(4, 3), clRed);
  Grid->SetRow(3);
  Key(VK_INSERT);
  EXPECT_EQ(Grid->AllCells(4, 3), u"");
  EXPECT_EQ(Grid->Colors(4, 3), clNone);
  EXPECT_EQ(Grid->AllCells(4, 4), u"4,4");
  EXPECT_EQ(Grid->Colors(4, 4), clRed);
  Grid->UnHideColumn(4);
  EXPECT_EQ(Grid->Cells(4, 4), u"4,4");
}

TEST_F(ExGridInputTest, ARefusedDeleteKeepsTheRow) {
  Fill();
  Grid->Navigation()->SetAllowDeleteRow(true);
  Grid->SetRow(3);
  Grid->OnCanDeleteRow = [](TObject*, Integer ARow, bool& CanDelete) { CanDelete = ARow != 3; };
  Key(VK_DELETE);
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(Grid->Cells(1, 3), u"1,3");
}

TEST_F(ExGridInputTest, InsertAddsAnEmptyRowBeforeTheCurrentOne) {
  Fill();
  Grid->Navigation()->SetAllowInsertRow(true);
  Grid->SetRow(3);
  std::vector<Integer> inserted;
  Grid->OnAutoInsertRow = [&](TObject*, Integer ARow) { inserted.push_back(ARow); };
  Key(VK_INSERT);
  EXPECT_EQ(Grid->RowCount(), 11);
  EXPECT_EQ(inserted, (std::vector<Integer>{3}));
  EXPECT_EQ(Grid->Cells(1, 3), u"");
  EXPECT_EQ(Grid->Cells(1, 4), u"1,3");
  EXPECT_TRUE(Grid->Modified());
  // A refusal keeps the grid as it is.
  Grid->OnCanInsertRow = [](TObject*, Integer, bool& CanInsert) { CanInsert = false; };
  Key(VK_INSERT);
  EXPECT_EQ(Grid->RowCount(), 11);
}

// With a filter on, Insert and Delete act beside the row the user sees as current, wherever the
// filter's hidden rows put it among all rows. Column 1 holds a1, b1, a2, b2, a3; the filter "a*"
// shows a1, a2, a3 in display rows 1 to 3.
TEST_F(ExGridInputTest, InsertAndDeleteUnderAFilterActBesideTheShownRow) {
  using Texts = std::vector<String>;
  struct TCase {
    const char* Name;
    Word Key;
    TInsertPosition Position;
    Integer Row;         // the display row made current
    Integer Reported;    // the row OnAutoInsertRow or OnAutoDeleteRow names
    Texts All;           // column 1 once the filter is off
  } cases[] = {
      {"Insert before a2", VK_INSERT, pInsertBefore, 2, 3, {u"a1", u"b1", u"", u"a2", u"b2", u"a3"}},
      {"Insert after a2", VK_INSERT, pInsertAfter, 2, 4, {u"a1", u"b1", u"a2", u"", u"b2", u"a3"}},
      {"Insert before a3", VK_INSERT, pInsertBefore, 3, 5, {u"a1", u"b1", u"a2", u"b2", u"", u"a3"}},
      {"Insert after a3, the last row", VK_INSERT, pInsertAfter, 3, 6, {u"a1", u"b1", u"a2", u"b2", u"a3", u""}},
      {"Insert before a1", VK_INSERT, pInsertBefore, 1, 1, {u"", u"a1", u"b1", u"a2", u"b2", u"a3"}},
      {"Delete a2", VK_DELETE, pInsertBefore, 2, 3, {u"a1", u"b1", u"b2", u"a3"}},
      {"Delete a3", VK_DELETE, pInsertBefore, 3, 5, {u"a1", u"b1", u"a2", u"b2"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    const Texts Start = {u"a1", u"b1", u"a2", u"b2", u"a3"};
    Grid->SetRowCount(static_cast<Integer>(Start.size()) + 1);
    for (size_t k = 0; k < Start.size(); ++k) Grid->SetCells(1, static_cast<Integer>(k) + 1, Start[k]);
    TFilterData* F = Grid->Filter()->Add();
    F->SetColumn(1);
    F->SetCondition(u"a*");
    Grid->SetFilterActive(true);
    ASSERT_EQ(Grid->RowCount(), 4);
    Grid->Navigation()->SetAllowInsertRow(true);
    Grid->Navigation()->SetAllowDeleteRow(true);
    Grid->Navigation()->SetInsertPosition(c.Position);
    Grid->SetRow(c.Row);
    std::vector<Integer> reported;
    Grid->OnAutoInsertRow = [&](TObject*, Integer ARow) { reported.push_back(ARow); };
    Grid->OnAutoDeleteRow = [&](TObject*, Integer ARow) { reported.push_back(ARow); };
    Key(c.Key);
    EXPECT_EQ(reported, (std::vector<Integer>{c.Reported}));
    EXPECT_TRUE(Grid->FilterActive());
    Grid->SetFilterActive(false);
    Texts All;
    for (Integer r = 1; r < Grid->RowCount(); ++r) All.push_back(Grid->Cells(1, r));
    EXPECT_EQ(All, c.All);
  }
}

TEST_F(ExGridInputTest, MovingKeysForgetTheIncrementalSearchTextButHomeDoesNot) {
  struct TCase {
    const char* Name;
    Word Key;
    bool Kept;
  } cases[] = {
      {"Home", VK_HOME, true}, {"End", VK_END, false},   {"PgUp", VK_PRIOR, false},
      {"PgDn", VK_NEXT, false}, {"Up", VK_UP, false},    {"Down", VK_DOWN, false},
      {"Left", VK_LEFT, false}, {"Right", VK_RIGHT, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->SetIncrSearchText(u"ab");
    Key(c.Key);
    EXPECT_EQ(Grid->IncrSearchText().empty(), !c.Kept);
  }
}

TEST_F(ExGridInputTest, ArrowsWrapAtTheEdgesBySnakeOrLoop) {
  struct TCase {
    const char* Name;
    TCursorAdvance Advance;
    Word Key;
    Integer FromCol, FromRow;
    Integer Col, Row;
  } cases[] = {
      {"snake: Right at the last column goes to the next row", caSnake, VK_RIGHT, 4, 3, 1, 4},
      {"snake: Left at the first column goes to the row above", caSnake, VK_LEFT, 1, 3, 4, 2},
      {"snake: Down at the last row goes to the next column", caSnake, VK_DOWN, 2, 9, 3, 1},
      {"loop: Right at the last column stays in the row", caLoop, VK_RIGHT, 4, 3, 1, 3},
      {"loop: Up at the first row goes to the last", caLoop, VK_UP, 2, 1, 2, 9},
      {"default: Right at the last column stays", caDefault, VK_RIGHT, 4, 3, 4, 3},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->Navigation()->SetCursorAdvance(c.Advance);
    Grid->SetCol(c.FromCol);
    Grid->SetRow(c.FromRow);
    Key(c.Key);
    EXPECT_EQ(Grid->Col(), c.Col);
    EXPECT_EQ(Grid->Row(), c.Row);
  }
}

// The arrows step over a merged area as over one cell: out of it from its base cell, onto its base
// cell when they enter it anywhere.
TEST_F(ExGridInputTest, ArrowsStepOverAMergedAreaAsOneCell) {
  struct TCase {
    const char* Name;
    Word Key;
    Integer FromCol, FromRow;
    Integer Col, Row;
  } cases[] = {
      {"Right leaves the area past its right edge", VK_RIGHT, 1, 2, 3, 2},
      {"Down leaves the area below its bottom edge", VK_DOWN, 1, 2, 1, 4},
      {"Left into the area lands on its base cell", VK_LEFT, 3, 3, 1, 2},
      {"Up into the area lands on its base cell", VK_UP, 2, 4, 1, 2},
      {"Right onto the base cell of a one-row area", VK_RIGHT, 1, 5, 2, 5},
      {"Right out of a one-row area", VK_RIGHT, 2, 5, 4, 5},
      {"Left into a one-row area lands on its base cell", VK_LEFT, 4, 5, 2, 5},
  };
  Grid->MergeCells(1, 2, 2, 2);
  Grid->MergeCells(2, 5, 2, 1);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->SetCol(c.FromCol);
    Grid->SetRow(c.FromRow);
    Key(c.Key);
    EXPECT_EQ(Grid->Col(), c.Col);
    EXPECT_EQ(Grid->Row(), c.Row);
  }
}

// With a column hidden, the arrows still reach every shown normal column and stop before the fixed
// column on the right.
TEST_F(ExGridInputTest, ArrowsReachTheShownColumnsBeforeAFixedRightColumn) {
  Grid->SetFixedRightCols(1);
  Grid->HideColumn(1);
  ASSERT_EQ(Grid->ColCount(), 4);
  Grid->SetCol(1);
  Grid->SetRow(3);
  Key(VK_RIGHT);
  EXPECT_EQ(Grid->Col(), 2);
  Key(VK_RIGHT);
  EXPECT_EQ(Grid->Col(), 2);
  Key(VK_LEFT);
  EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(ExGridInputTest, CtrlArrowsMoveTheSelectedRowsWithCursorMoveRows) {
  Fill();
  Grid->Navigation()->SetCursorMoveRows(true);
  Grid->SetRow(3);
  Key(VK_DOWN, TShiftState(ssCtrl));
  EXPECT_EQ(Grid->Row(), 4);
  EXPECT_EQ(Grid->Cells(1, 4), u"1,3");
  EXPECT_EQ(Grid->Cells(1, 3), u"1,4");
  Key(VK_UP, TShiftState(ssCtrl));
  EXPECT_EQ(Grid->Row(), 3);
  EXPECT_EQ(Grid->Cells(1, 3), u"1,3");
  // Without the option the keys only move the current cell.
  Grid->Navigation()->SetCursorMoveRows(false);
  Key(VK_DOWN, TShiftState(ssCtrl));
  EXPECT_EQ(Grid->Cells(1, 3), u"1,3");
}

TEST_F(ExGridInputTest, DownOnTheLastRowAppendsARowWhenAsked) {
  Grid->SetRow(9);
  Key(VK_DOWN);
  EXPECT_EQ(Grid->RowCount(), 10);
  Grid->Navigation()->SetAppendOnArrowDown(true);
  std::vector<Integer> added;
  Grid->OnAutoAddRow = [&](TObject*, Integer ARow) { added.push_back(ARow); };
  Key(VK_DOWN);
  EXPECT_EQ(Grid->RowCount(), 11);
  EXPECT_EQ(added, (std::vector<Integer>{10}));
  EXPECT_EQ(Grid->Row(), 10);
}

TEST_F(ExGridInputTest, SpaceOnACheckBoxTogglesItAndReportsTheNewState) {
  Grid->SetOptions(Grid->Options() << goEditing);
  Grid->AddCheckBox(2, 3, false, false);
  Grid->SetCol(2);
  Grid->SetRow(3);
  std::vector<bool> states;
  Grid->OnCheckBoxClick = [&](TObject*, Integer, Integer, bool State) { states.push_back(State); };
  Key(VK_SPACE, TShiftState(), u" ");
  EXPECT_EQ(states, (std::vector<bool>{true}));
  bool state = false;
  EXPECT_TRUE(Grid->GetCheckBoxState(2, 3, state));
  EXPECT_TRUE(state);
}

TEST_F(ExGridInputTest, CtrlASelectsEveryNormalCell) {
  Key('A', TShiftState(ssCtrl));
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 4, 9}));
}

TEST_F(ExGridInputTest, MoveScrollOnlyScrollsWithoutMovingTheCurrentCell) {
  Grid->SetRowCount(40);
  Grid->Navigation()->SetMoveScrollOnly(true);
  Grid->SetRow(2);
  Key(VK_DOWN);
  EXPECT_EQ(Grid->TopRow(), 2);
  Key(VK_NEXT);
  EXPECT_GT(Grid->TopRow(), 2);
  Key(VK_HOME);
  EXPECT_EQ(Grid->TopRow(), 1);
  EXPECT_EQ(Grid->Row(), 2);
}

}  // namespace

namespace {

TEST_F(ExGridInputTest, TypingInASortedGridGoesToTheFirstRowStartingWithTheText) {
  const char16_t* names[] = {u"alpha", u"beta", u"bravo", u"charlie", u"delta"};
  for (Integer r = 1; r <= 5; ++r) Grid->SetCells(1, r, names[r - 1]);
  Grid->Navigation()->SetAutoGotoWhenSorted(true);
  Grid->Navigation()->SetAutoGotoIncremental(true);
  Key('B', TShiftState(), u"b");
  EXPECT_EQ(Grid->Row(), 2);
  Key('R', TShiftState(), u"r");
  EXPECT_EQ(Grid->IncrSearchText(), u"br");
  EXPECT_EQ(Grid->Row(), 3);
  // A pause of four ticks of the grid's timer starts a new text.
  TestHarness::AdvanceClock(2000);
  Key('D', TShiftState(), u"d");
  EXPECT_EQ(Grid->IncrSearchText(), u"d");
  EXPECT_EQ(Grid->Row(), 5);
  // Nothing found forgets the text.
  Key('X', TShiftState(), u"x");
  EXPECT_EQ(Grid->IncrSearchText(), u"");
}

}  // namespace
