// The string grid's scrolling and hover: the Metro scroll controls, scroll hints and scrolling
// while a thumb is dragged, drag-over auto-scrolling on the clock, proportional thumbs; the hover
// row, header-drag row selection and the cell hint the grid builds.
#include <gtest/gtest.h>

#include "components/grid/ExGridDragDrop.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridInput.h"
#include "ExGridInputTestUtil.h"
#include "platform/gui/ExtCtrls.h"

namespace {

// --- Scroll bars -------------------------------------------------------------------------------------

TEST_F(ExGridInputTest, MetroScrollingReplacesTheStandardBarsAndBack) {
  Grid->SetScrollType(ssMetro);
  EXPECT_EQ(Grid->ScrollBars(), ssNone);
  ASSERT_NE(Grid->VScrollControl(), nullptr);
  ASSERT_NE(Grid->HScrollControl(), nullptr);
  EXPECT_EQ(Grid->VScrollControl()->Width(), 6);
  Grid->SetScrollType(ssNormal);
  EXPECT_EQ(Grid->ScrollBars(), ssBoth);
  EXPECT_EQ(Grid->VScrollControl(), nullptr);
  EXPECT_EQ(Grid->HScrollControl(), nullptr);
}

TEST_F(ExGridInputTest, TheMetroThumbIsNeverShorterThanTwentyPixels) {
  Grid->SetScrollType(ssMetro);
  Integer pos = 0, len = 0;
  EXPECT_FALSE(Grid->VScrollControl()->ThumbGeometry(pos, len));  // all rows fit
  Grid->SetRowCount(5000);
  ASSERT_TRUE(Grid->VScrollControl()->ThumbGeometry(pos, len));
  EXPECT_EQ(len, 20);
  EXPECT_GE(pos, Grid->RowHeights(0));
}

TEST_F(ExGridInputTest, DraggingTheThumbShowsAScrollHintAndScrollsWithScrollSynch) {
  Grid->SetColCount(30);
  Grid->SetScrollHints(shHorizontal);
  std::vector<Integer> hinted;
  Grid->OnScrollHint = [&](TObject*, Integer ARow, String& Hint) {
    hinted.push_back(ARow);
    EXPECT_EQ(Hint, u"Col : " + IntToStr(ARow));
  };
  Grid->Perform(WM_HSCROLL, MakeWParam(SB_THUMBTRACK, 127), 0);
  ASSERT_EQ(hinted.size(), 1u);
  EXPECT_TRUE(Grid->HintShown());
  EXPECT_EQ(Grid->HintWindow()->Caption(), u"Col : " + IntToStr(hinted[0]));
  EXPECT_EQ(Grid->LeftCol(), 1);
  Grid->SetScrollSynch(true);
  Grid->Perform(WM_HSCROLL, MakeWParam(SB_THUMBTRACK, 127), 0);
  EXPECT_GT(Grid->LeftCol(), 1);
  Grid->Perform(WM_HSCROLL, MakeWParam(SB_ENDSCROLL, 0), 0);
  EXPECT_FALSE(Grid->HintShown());
}

TEST_F(ExGridInputTest, ProportionalThumbsLeaveTheBarAloneWhenEverythingFits) {
  TScrollInfo before;
  before.fMask = SIF_ALL;
  GetScrollInfo(Grid->Handle(), SB_VERT, before);
  Grid->SetScrollProportional(true);
  TScrollInfo after;
  after.fMask = SIF_ALL;
  GetScrollInfo(Grid->Handle(), SB_VERT, after);
  EXPECT_EQ(after.nMax, before.nMax);
  EXPECT_EQ(after.nPage, before.nPage);
  // With more rows than fit the thumb is sized from the row heights.
  Grid->SetRowCount(100);
  Grid->UpdateVScrollBar();
  GetScrollInfo(Grid->Handle(), SB_VERT, after);
  EXPECT_GT(after.nMax, 127);
  EXPECT_EQ(static_cast<Integer>(after.nPage), after.nMax - 126);
}

TEST_F(ExGridInputTest, TheGridWantsCharactersUnlessItEdits) {
  // A row-selecting grid leaves the characters to the dialog unless the grid asks for them.
  Grid->SetOptions(Grid->Options() << goRowSelect);
  EXPECT_NE(Grid->Perform(WM_GETDLGCODE, 0, 0) & 0x80, 0);
  Grid->SetOptions(Grid->Options() << goEditing);
  EXPECT_EQ(Grid->Perform(WM_GETDLGCODE, 0, 0) & 0x80, 0);
  Grid->Navigation()->SetAutoGotoWhenSorted(true);
  EXPECT_NE(Grid->Perform(WM_GETDLGCODE, 0, 0) & 0x80, 0);
}

// --- Drag-over auto-scroll ----------------------------------------------------------------------------------

TEST_F(ExGridInputTest, DraggingNearTheTopScrollsUpAfterTheDelaysOfTheClock) {
  Grid->SetRowCount(60);
  Grid->SetTopRow(10);
  Grid->DragScrollOptions()->SetActive(true);
  Grid->DragOver(nullptr, 100, 10, dsDragEnter);
  ASSERT_NE(Grid->DragScrollTimer(), nullptr);
  TestHarness::AdvanceClock(999);
  EXPECT_EQ(Grid->TopRow(), 10);
  TestHarness::AdvanceClock(1);
  EXPECT_EQ(Grid->TopRow(), 9);
  TestHarness::AdvanceClock(249);
  EXPECT_EQ(Grid->TopRow(), 9);
  TestHarness::AdvanceClock(1);
  EXPECT_EQ(Grid->TopRow(), 8);
  // Away from the margins the timer stops; leaving the grid stops it too.
  Grid->DragOver(nullptr, 100, 120, dsDragMove);
  EXPECT_EQ(Grid->DragScrollTimer(), nullptr);
  Grid->DragOver(nullptr, 390, 120, dsDragMove);
  ASSERT_NE(Grid->DragScrollTimer(), nullptr);
  Grid->DragOver(nullptr, 390, 120, dsDragLeave);
  EXPECT_EQ(Grid->DragScrollTimer(), nullptr);
}

TEST_F(ExGridInputTest, TheDragScrollEventDecidesEachTick) {
  Grid->SetRowCount(60);
  Grid->SetTopRow(10);
  Grid->DragScrollOptions()->SetActive(true);
  Integer ticks = 0;
  Grid->OnDragScroll = [&](TObject*, Integer TopRow, Integer, TInputGrid::TDragScrollDirections& Dir,
                           bool& CanScroll) {
    ++ticks;
    EXPECT_TRUE(Dir.Contains(TInputGrid::dsdUp));
    if (TopRow == 9) {
      Dir = TInputGrid::TDragScrollDirections{TInputGrid::dsdDown};
    } else if (ticks > 2) {
      CanScroll = false;
    }
  };
  Grid->DragOver(nullptr, 100, 10, dsDragEnter);
  TestHarness::AdvanceClock(1000);
  EXPECT_EQ(Grid->TopRow(), 9);
  TestHarness::AdvanceClock(250);
  EXPECT_EQ(Grid->TopRow(), 10);
  TestHarness::AdvanceClock(250);
  EXPECT_EQ(Grid->TopRow(), 10);
  // Switched off meanwhile, the timer goes at its next tick.
  Grid->DragScrollOptions()->SetActive(false);
  TestHarness::AdvanceClock(250);
  EXPECT_EQ(Grid->DragScrollTimer(), nullptr);
}

// --- Hover ------------------------------------------------------------------------------------------------

TEST_F(ExGridInputTest, TheHoverRowFollowsThePointerAndLeavesWithIt) {
  Grid->SetHoverRow(true);
  Move(Mid(2, 3));
  EXPECT_EQ(Grid->HoverRowIdx(), 3);
  Move(Mid(2, 5));
  EXPECT_EQ(Grid->HoverRowIdx(), 5);
  TestHarness::MouseLeave(Grid);
  EXPECT_EQ(Grid->HoverRowIdx(), -1);
}

TEST_F(ExGridInputTest, AHeaderDragRowSelectionStopsAboveTheFooterRows) {
  Grid->MouseActions()->SetRowSelect(true);
  Grid->SetFixedFooters(1);
  Move(Mid(0, 3));
  EXPECT_EQ(Grid->SelectMode(), msRow);
  Press(Mid(0, 3));
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 3, 4, 3}));
  Move(Mid(0, 6), MK_LBUTTON);
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 3, 4, 6}));
  Move(Mid(0, 9), MK_LBUTTON);
  EXPECT_EQ(Grid->Selection().Bottom, 6);
  Release(Mid(0, 9));
}

TEST_F(ExGridInputTest, TheSelectModeOfTheNextPressFollowsThePointer) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  Grid->MouseActions()->SetRowSelect(true);
  Grid->MouseActions()->SetColSelect(true);
  Grid->MouseActions()->SetAllSelect(true);
  struct TCase {
    const char* Name;
    TPoint P;
    TMouseSelectMode Mode;
  } cases[] = {
      {"top-left header", Mid(0, 0), msAll},
      {"column header", Mid(2, 0), msColumn},
      {"column header on a sizing border", At(2, 0, 62, 10), msNormal},
      {"row header", Mid(0, 4), msRow},
      {"normal cell", Mid(2, 4), msNormal},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Move(c.P);
    EXPECT_EQ(Grid->SelectMode(), c.Mode);
  }
}

// --- The cell hint -------------------------------------------------------------------------------------

struct THintCase {
  const char* Name;
  TPoint P;
  bool ShowLarge;
  const char16_t* Text;     // text of cell (2, 3)
  const char16_t* Handler;  // what OnGridHint answers; nullptr: no handler
  const char16_t* Expected;
};

TEST_F(ExGridInputTest, TheCellHintComesFromTheCellsAndTheApplication) {
  const THintCase cases[] = {
      {"the handler answers", Mid(2, 3), false, u"short", u"from the handler", u"from the handler"},
      {"a hint left alone shows nothing", Mid(2, 3), false, u"short", nullptr, u""},
      {"a text that fits shows no large-text hint", Mid(2, 3), true, u"short", nullptr, u""},
      {"a text too wide shows itself", Mid(2, 3), true, u"a text much wider than the sixty-four pixels", nullptr,
       u"a text much wider than the sixty-four pixels"},
      {"HTML shows stripped", Mid(2, 3), true, u"<b>a text much wider than sixty-four pixels</b>", nullptr,
       u"a text much wider than sixty-four pixels"},
      {"outside the cells", TPoint(395, 245), false, u"short", u"from the handler", u""},
  };
  for (const THintCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->SetHintShowLargeText(c.ShowLarge);
    Grid->SetCells(2, 3, c.Text);
    std::vector<std::pair<Integer, Integer>> asked;
    if (c.Handler) {
      const String answer = c.Handler;
      Grid->OnGridHint = [&asked, answer](TObject*, Integer ARow, Integer ACol, String& Hint) {
        asked.push_back({ARow, ACol});
        Hint = answer;
      };
    } else {
      Grid->OnGridHint = nullptr;
    }
    THintInfo info;
    info.HintControl = Grid;
    info.CursorPos = c.P;
    Grid->ShowCellHint(info);
    EXPECT_EQ(info.HintStr, String(c.Expected));
    EXPECT_EQ(info.HintColor, Grid->HintColor());
    if (c.Handler && c.P.X < 300) {
      EXPECT_EQ(asked, (std::vector<std::pair<Integer, Integer>>{{3, 2}}));
    }
  }
}

TEST_F(ExGridInputTest, TheCellHintOfAHiddenColumnGridNamesTheDisplayColumn) {
  Grid->HideColumn(1);
  std::vector<Integer> cols;
  Grid->OnGridHint = [&](TObject*, Integer, Integer ACol, String&) { cols.push_back(ACol); };
  THintInfo info;
  info.CursorPos = Mid(2, 3);
  Grid->ShowCellHint(info);
  EXPECT_EQ(cols, (std::vector<Integer>{2}));
}

}  // namespace

namespace {

TEST_F(ExGridInputTest, AScrolledGridTakesItsSynchronisedGridAlong) {
  Grid->SetRowCount(60);
  Grid->SetColCount(30);
  auto* other = new TInputGrid(Form);
  other->SetParent(Form);
  other->SetBounds(0, 260, 400, 120);
  other->SetRowCount(60);
  other->SetColCount(30);
  Grid->SyncGrid()->SetGrid(other);
  Grid->SyncGrid()->SetScrollVertical(true);
  Grid->SetTopRow(7);
  Grid->SetLeftCol(4);
  Grid->ScrollTopLeftChanged();
  EXPECT_EQ(other->TopRow(), 7);
  EXPECT_EQ(other->LeftCol(), 1);
  Grid->SyncGrid()->SetScrollHorizontal(true);
  Grid->ScrollTopLeftChanged();
  EXPECT_EQ(other->LeftCol(), 4);
}

}  // namespace
