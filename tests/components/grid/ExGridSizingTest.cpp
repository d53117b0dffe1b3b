// The string grid's sizing and moving by mouse: sizing borders and their vetoes, proportional
// sizing of all columns, the sizing hint, sizing the fixed columns, the stretch column, following
// the owner form; moving columns by their headers, the bookkeeping of a move (hidden columns, the
// sort column) and the snapshot of dragged cells.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <functional>


#include "components/grid/ExGridDragDrop.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridInput.h"
#include "ExGridInputTestUtil.h"
#include "components/grid/ExGridSortSettings.h"
#include "platform/gui/DragDrop.h"

namespace {

class ExGridSizingTest : public ExGridInputTest {
 protected:
  // Drags the right border of header column C by Dx pixels.
  void DragColumnBorder(Integer C, Integer Dx) {
    const TPoint from(64 * (C + 1) - 1, 10);
    Move(from);
    Press(from);
    Move(TPoint(from.X + Dx / 2, 10), MK_LBUTTON);
    Move(TPoint(from.X + Dx, 10), MK_LBUTTON);
    Release(TPoint(from.X + Dx, 10));
  }
};

// --- Borders ----------------------------------------------------------------------------------------

TEST_F(ExGridSizingTest, SizingBordersLieInTheHeadersNearCellEdges) {
  Grid->SetOptions(Grid->Options() << goColSizing << goRowSizing);
  struct TCase {
    const char* Name;
    TPoint P;
    bool On;
  } cases[] = {
      {"header, 2 px left of a border", At(2, 0, 62, 10), true},
      {"header, 3 px right of a border", At(2, 0, 3, 10), true},
      {"header, middle", Mid(2, 0), false},
      {"first normal row counts as a header row", At(2, 1, 62, 10), true},
      {"normal cell near its border", At(2, 3, 62, 10), false},
      {"fixed column, 3 px above a row border", At(0, 4, 30, 19), true},
      {"fixed column, middle", Mid(0, 4), false},
      {"outside the cells", TPoint(395, 245), false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Grid->IsOnSizingBorder(c.P.X, c.P.Y), c.On);
  }
}

TEST_F(ExGridSizingTest, AColumnSizeVetoKeepsThePressFromSizing) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  std::vector<Integer> asked;
  Grid->OnColumnSize = [&](TObject*, Integer ACol, bool& Allow) {
    asked.push_back(ACol);
    Allow = ACol != 2;
  };
  Move(At(2, 0, 63, 10));
  Press(At(2, 0, 63, 10));
  EXPECT_EQ(Grid->GridState(), gsNormal);
  Release(At(2, 0, 63, 10));
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), 2);
  Move(At(3, 0, 63, 10));
  Press(At(3, 0, 63, 10));
  EXPECT_EQ(Grid->GridState(), gsColSizing);
  Release(At(3, 0, 63, 10));
}

TEST_F(ExGridSizingTest, ADraggedBorderEndsWithItsEventsAndTheUpdateAnswer) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  std::vector<Integer> sizing, ended;
  Grid->OnColumnSizing = [&](TObject*, Integer ACol, Integer W) {
    EXPECT_EQ(ACol, 2);
    sizing.push_back(W);
  };
  Grid->OnEndColumnSize = [&](TObject*, Integer ACol) { ended.push_back(ACol); };
  Grid->OnUpdateColumnSize = [](TObject*, Integer, Integer& AWidth) { AWidth = 100; };
  DragColumnBorder(2, 20);
  EXPECT_FALSE(sizing.empty());
  EXPECT_EQ(ended, (std::vector<Integer>{2}));
  EXPECT_EQ(Grid->ColWidths(2), 100);
}

TEST_F(ExGridSizingTest, AllColumnSizeScalesTheOtherNormalColumns) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  Grid->MouseActions()->SetAllColumnSize(true);
  DragColumnBorder(1, 64);
  EXPECT_EQ(Grid->ColWidths(1), 128);
  EXPECT_EQ(Grid->ColWidths(2), 128);
  EXPECT_EQ(Grid->ColWidths(4), 128);
  EXPECT_EQ(Grid->ColWidths(0), 64);
}

TEST_F(ExGridSizingTest, TheSizingHintShowsTheLiveWidth) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  Grid->SetHintShowSizing(true);
  const TPoint from(64 * 3 - 1, 10);
  Move(from);
  Press(from);
  Move(TPoint(from.X + 56, 10), MK_LBUTTON);
  ASSERT_TRUE(Grid->HintShown());
  EXPECT_EQ(Grid->HintWindow()->Caption(), u"cw=<b>120</b>");
  Release(TPoint(from.X + 56, 10));
  EXPECT_FALSE(Grid->HintShown());
}

TEST_F(ExGridSizingTest, FixedColumnsAreSizedByTheirOwnBorder) {
  Grid->MouseActions()->SetSizeFixedCol(true);
  std::vector<Integer> ended;
  Grid->OnEndColumnSize = [&](TObject*, Integer ACol) { ended.push_back(ACol); };
  Move(TPoint(64, 40));
  Press(TPoint(64, 40));
  Move(TPoint(90, 40), MK_LBUTTON);
  Release(TPoint(90, 40));
  EXPECT_EQ(Grid->ColWidths(0), 90);
  EXPECT_EQ(ended, (std::vector<Integer>{0}));
}

// --- Stretching ---------------------------------------------------------------------------------------

TEST_F(ExGridSizingTest, TheStretchColumnFillsTheClientWidth) {
  struct TCase {
    const char* Name;
    Integer Cols;
    Integer OtherWidth;
    Integer Expected;  // width of the last column; -1: the client width
  } cases[] = {
      {"one column takes the client width", 1, 64, -1},
      {"the rest of the client width", 4, 64, 400 - 3 * 64 - 1},
      {"others too wide: the default width", 4, 200, 64},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    Grid->SetScrollBars(ssNone);
    Grid->SetColCount(c.Cols);
    for (Integer i = 0; i + 1 < c.Cols; ++i) Grid->SetColWidths(i, c.OtherWidth);
    Grid->ColumnSize()->SetStretch(true);
    const Integer expected = c.Expected < 0 ? Grid->ClientWidth() : c.Expected;
    EXPECT_EQ(Grid->ColWidths(c.Cols - 1), expected);
  }
}

TEST_F(ExGridSizingTest, AStretchColumnOutsideTheGridRaises) {
  Grid->ColumnSize()->SetStretchColumn(9);
  try {
    Grid->StretchColumn(9);
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"Stretch column index out of range");
  }
  // Widths keep changing without the stretch option, whatever the stretch column says.
  Grid->SetColWidths(2, 80);
  EXPECT_EQ(Grid->ColWidths(2), 80);
}

TEST_F(ExGridSizingTest, AGridFollowingItsFormNeverShrinksToNothing) {
  Integer formHandler = 0;
  Form->OnResize = [&](TObject*) {
    ++formHandler;
    throw Exception(u"the form's own handler failed");
  };
  // A grid made now keeps the form's handler and runs it after its own work.
  auto* g = new TInputGrid(Form);
  g->SetParent(Form);
  g->SetBounds(0, 0, 300, 200);
  g->SetSizeWithForm(true);
  Form->SetBounds(Form->Left(), Form->Top(), Form->Width() + 40, Form->Height() + 30);
  TestHarness::ProcessEvents();
  EXPECT_EQ(g->Width(), 340);
  EXPECT_EQ(g->Height(), 230);
  EXPECT_GE(formHandler, 1);
  Form->SetBounds(Form->Left(), Form->Top(), Form->Width() - 500, Form->Height());
  TestHarness::ProcessEvents();
  EXPECT_EQ(g->Width(), 340);
}

// --- Moving ---------------------------------------------------------------------------------------------

TEST_F(ExGridSizingTest, DraggingAHeaderMovesTheColumn) {
  struct TCase {
    const char* Name;
    TPoint To;
    const char16_t* Col3;  // header text of column 3 afterwards
  } cases[] = {
      {"onto another column", Mid(3, 0), u"1,0"},
      {"onto itself", Mid(1, 0), u"3,0"},
      {"onto the fixed column", Mid(0, 0), u"3,0"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    Fill();
    Grid->SetOptions(Grid->Options() << goColMoving);
    Move(Mid(1, 0));
    Press(Mid(1, 0));
    Move(Mid(2, 0), MK_LBUTTON);
    Move(c.To, MK_LBUTTON);
    Release(c.To);
    EXPECT_EQ(Grid->Cells(3, 0), String(c.Col3));
    EXPECT_EQ(Grid->GridState(), gsNormal);
    EXPECT_EQ(Screen->Cursor(), crDefault);
  }
}

TEST_F(ExGridSizingTest, AVetoedColumnMoveEndsTheMove) {
  Fill();
  Grid->SetOptions(Grid->Options() << goColMoving);
  Grid->OnColumnMove = [](TObject*, Integer, bool& Allow) { Allow = false; };
  Move(Mid(1, 0));
  Press(Mid(1, 0));
  Move(Mid(3, 0), MK_LBUTTON);
  EXPECT_EQ(Grid->GridState(), gsNormal);
  Release(Mid(3, 0));
  EXPECT_EQ(Grid->Cells(1, 0), u"1,0");
}

TEST_F(ExGridSizingTest, AMovedColumnTakesItsWidthAndTheSortColumnAlong) {
  Fill();
  Grid->SetColWidths(1, 90);
  Grid->SortSettings()->SetColumn(1);
  Grid->MoveColumn(1, 3);
  EXPECT_EQ(Grid->ColWidths(3), 90);
  EXPECT_EQ(Grid->ColWidths(1), 64);
  EXPECT_EQ(Grid->Cells(3, 0), u"1,0");
  EXPECT_EQ(Grid->SortSettings()->Column(), 3);
}

TEST_F(ExGridSizingTest, AMoveKeepsAHiddenColumnHiddenWithItsWidth) {
  Grid->SetColCount(6);
  Fill();
  Grid->SetColWidths(3, 77);
  Grid->HideColumn(3);
  ASSERT_TRUE(Grid->IsHiddenColumn(3));
  // Display column 1 (real 1) goes behind display column 3 (real 4).
  Grid->MoveColumn(1, 3);
  EXPECT_EQ(Grid->NumHiddenColumns(), 1);
  Integer hidden = -1;
  for (Integer c = 0; c < Grid->AllColCount(); ++c)
    if (Grid->IsHiddenColumn(c)) hidden = c;
  ASSERT_GE(hidden, 0);
  EXPECT_EQ(Grid->AllCells(hidden, 0), u"3,0");
  Grid->UnHideColumnsAll();
  Integer shown = -1;
  for (Integer c = 0; c < Grid->ColCount(); ++c)
    if (Grid->Cells(c, 0) == u"3,0") shown = c;
  ASSERT_GE(shown, 0);
  EXPECT_EQ(Grid->ColWidths(shown), 77);
}

TEST_F(ExGridSizingTest, ASnapshotFromColumnZeroHasAFixedLineColouredLeftEdge) {
  Fill();
  Grid->SetGridFixedLineColor(clRed);
  TNoActiveForm* f = Grid->SelectionToForm(TGridRect{0, 0, 2, 2});
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Width(), 3 * 64 + 1);
  for (Integer y : {0, 10, 40}) EXPECT_EQ(f->Image()->Canvas()->Pixels(0, y), clRed);
  EXPECT_EQ(f->AlphaBlendValue(), 192);
  f->ShowNoActivate();
  Byte alpha = 0;
  Cardinal flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(f->Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 192);
  EXPECT_NE(flags & LWA_ALPHA, 0u);
  EXPECT_EQ(Screen->ActiveForm(), Form);
  delete f;
}

// --- Dragging cells out --------------------------------------------------------------------------------------

class ExGridDragOutTest : public ExGridInputTest {
 protected:
  void SetUp() override {
    ExGridInputTest::SetUp();
    Fill();
    Grid->DragDropSettings()->SetOleDropSource(true);
    Target = new TInputGrid(Form);
    Target->SetParent(Form);
    Target->SetBounds(420, 0, 170, 150);
    Target->DragDropSettings()->SetOleDropTarget(true);
    Grid->SetSelection(TGridRect{1, 1, 2, 1});
    Grid->OnOleDrag = [this](TObject*, Integer ARow, Integer ACol, const String& Data, bool&) {
      Log.push_back("drag " + std::to_string(ARow) + "," + std::to_string(ACol) + " " +
                    std::string(Data.begin(), Data.end()));
    };
    Grid->OnOleDragStart = [this](TObject*, Integer, Integer) { Log.push_back("start"); };
    Grid->OnOleDragStop = [this](TObject*, Integer Effect) { Log.push_back("stop " + std::to_string(Effect)); };
  }
  void TearDown() override {
    SetDragLoopPump(nullptr);
    SetWindowFromPointSource(nullptr);
    ExGridInputTest::TearDown();
  }
  // Drags from the middle of cell (1, 1) onto the middle of the target's cell (1, 1) (the target
  // sits 420 pixels right of the grid) with the window system answering Under there. Once the drag
  // loop runs, it takes the move over the target and the release from a script.
  void DragOut(TWinControl* Under) {
    const TPoint over(420 + Mid(1, 1).X, Mid(1, 1).Y);
    SetWindowFromPointSource([Under](TPoint) { return Under ? Under->Handle() : HWND(0); });
    std::deque<std::function<void()>> script = {[=, this] { Move(over, MK_LBUTTON); }, [=, this] { Release(over); }};
    SetDragLoopPump([&script] {
      if (script.empty()) return false;
      const std::function<void()> step = script.front();
      script.pop_front();
      step();
      return true;
    });
    Move(Mid(1, 1));
    Press(Mid(1, 1));
    Move(TPoint(Mid(1, 1).X + 10, Mid(1, 1).Y), MK_LBUTTON);
    SetDragLoopPump(nullptr);
    // Without a drag loop (a vetoed drag) the grid itself gets the rest of the input.
    for (const std::function<void()>& step : script) step();
  }
  TInputGrid* Target = nullptr;
  std::vector<std::string> Log;
};

TEST_F(ExGridDragOutTest, AMovedSelectionLandsOnTheTargetAndLeavesTheSource) {
  std::vector<String> dropped;
  Target->OnOleDrop = [&](TObject*, Integer, Integer, const String& Data, bool&) { dropped.push_back(Data); };
  DragOut(Target);
  EXPECT_EQ(dropped, (std::vector<String>{u"1,1\t2,1"}));
  EXPECT_EQ(Log, (std::vector<std::string>{"drag 1,1 1,1", "start", "stop 2"}));
  EXPECT_EQ(Grid->Cells(1, 1), u"");
  EXPECT_EQ(Grid->Cells(2, 1), u"");
  EXPECT_EQ(Grid->Cells(3, 1), u"3,1");
}

// A drag to another program: the window system carries the selected cells as plain text and, with
// rich-text drops on, the pressed cell as rich text (plain text wrapped as a small RTF document); a
// move the other program takes clears the source cells.
TEST_F(ExGridDragOutTest, ASelectionDraggedToAnotherProgramGoesAsTextAndRichText) {
  Grid->DragDropSettings()->SetOleDropRTF(true);
  struct Case {
    const char* Name;
    DWORD Taken;
    const char* CellAfter;
    std::vector<std::string> Log;
  };
  const Case Cases[] = {
      {"the other program copies", DROPEFFECT_COPY, "1,1", {"drag 1,1 1,1", "start", "stop 1"}},
      {"the other program moves", DROPEFFECT_MOVE, "", {"drag 1,1 1,1", "start", "stop 2"}},
      {"the other program refuses", DROPEFFECT_NONE, "1,1", {"drag 1,1 1,1", "start"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Fill();
    Grid->SetSelection(TGridRect{1, 1, 2, 1});
    Log.clear();
    std::map<String, std::string> Got;
    DWORD Offered = 0;
    TestHarness::ReceiveDragsAs([&](const TestHarness::TMimeParts& Parts, DWORD OkEffects) {
      for (const auto& [Type, Bytes] : Parts) Got[Type] = Bytes;
      Offered = OkEffects;
      return C.Taken;
    });
    Move(Mid(1, 1));
    Press(Mid(1, 1));
    Move(TPoint(Mid(1, 1).X + 10, Mid(1, 1).Y), MK_LBUTTON);
    TestHarness::ReceiveDragsAs(nullptr);
    EXPECT_EQ(Got[u"text/plain"], "1,1\t2,1");
    EXPECT_EQ(Got[u"text/rtf"].rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(Got[u"text/rtf"].find("1,1"), std::string::npos);
    EXPECT_EQ(Got[u"application/rtf"], Got[u"text/rtf"]);
    EXPECT_EQ(Offered, DWORD(DROPEFFECT_COPY | DROPEFFECT_MOVE));
    EXPECT_EQ(Grid->Cells(1, 1), Utf8ToString(C.CellAfter));
    EXPECT_EQ(Grid->Cells(2, 1), C.Taken == DROPEFFECT_MOVE ? u"" : u"2,1");
    EXPECT_EQ(Log, C.Log);
    Release(TPoint(Mid(1, 1).X + 10, Mid(1, 1).Y));
  }
  Grid->DragDropSettings()->SetOleDropRTF(false);
}

TEST_F(ExGridDragOutTest, ADragWithoutATargetChangesNothing) {
  DragOut(nullptr);
  EXPECT_EQ(Log, (std::vector<std::string>{"drag 1,1 1,1", "start"}));
  EXPECT_EQ(Grid->Cells(1, 1), u"1,1");
}

TEST_F(ExGridDragOutTest, AVetoedDragBecomesARangeSelection) {
  Grid->OnOleDrag = [](TObject*, Integer, Integer, const String&, bool& Allow) { Allow = false; };
  Target->OnOleDrop = [](TObject*, Integer, Integer, const String&, bool&) { FAIL() << "dropped"; };
  DragOut(Target);
  EXPECT_EQ(Grid->Cells(1, 1), u"1,1");
  EXPECT_EQ(Grid->GridState(), gsNormal);
}

}  // namespace

namespace {

TEST_F(ExGridSizingTest, AllRowSizeScalesTheOtherRowsUnlessTheRowWasFlat) {
  Grid->SetOptions(Grid->Options() << goRowSizing);
  Grid->MouseActions()->SetAllRowSize(true);
  struct TCase {
    const char* Name;
    Integer StartHeight;
    Integer OtherAfter;
  } cases[] = {
      {"a row of 22 pixels doubled doubles the others", 22, 44},
      {"a row of no height leaves the others", 0, 22},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    for (Integer r = 0; r < Grid->RowCount(); ++r) Grid->SetRowHeights(r, 22);
    Grid->SetRowHeights(3, c.StartHeight);
    const Integer border = 22 * 3 + c.StartHeight - 1;
    Move(TPoint(30, border));
    Press(TPoint(30, border));
    Move(TPoint(30, border + 11), MK_LBUTTON);
    Move(TPoint(30, border + 22), MK_LBUTTON);
    Release(TPoint(30, border + 22));
    EXPECT_EQ(Grid->RowHeights(3), c.StartHeight + 22);
    EXPECT_EQ(Grid->RowHeights(5), c.OtherAfter);
    EXPECT_EQ(Grid->RowHeights(0), 22);
  }
}

TEST_F(ExGridSizingTest, AMovedRowTakesItsHeightAlongAndIsReportedOnce) {
  Fill();
  Grid->SetRowHeights(2, 40);
  std::vector<std::pair<Integer, Integer>> moved;
  Grid->OnRowMoved = [&](TObject*, Integer From, Integer To) { moved.push_back({From, To}); };
  Grid->MoveRow(2, 5);
  EXPECT_EQ(Grid->Cells(1, 5), u"1,2");
  EXPECT_EQ(Grid->RowHeights(5), 40);
  EXPECT_EQ(Grid->RowHeights(2), 22);
  EXPECT_EQ(moved, (std::vector<std::pair<Integer, Integer>>{{2, 5}}));
}

TEST_F(ExGridSizingTest, AFixedCellEditorOpensOnlyWellInsideASizableHeader) {
  Grid->SetOptions(Grid->Options() << goColSizing);
  Grid->MouseActions()->SetFixedRowsEdit(fceLeftClick);
  Grid->SetCells(2, 0, u"Name");
  std::vector<String> changes;
  Grid->OnEditChange = [&](TObject*, Integer ACol, Integer ARow, const String& Value) {
    EXPECT_EQ(ACol, 2);
    EXPECT_EQ(ARow, 0);
    changes.push_back(Value);
  };
  auto editorShown = [&]() {
    for (Integer i = 0; i < Grid->ControlCount(); ++i) {
      TControl* c = Grid->Controls(i);
      if (c->ClassName() == u"TGridTransEdit") return c->Visible() ? c : nullptr;
    }
    return static_cast<TControl*>(nullptr);
  };
  Click(At(2, 0, 2, 10));
  EXPECT_EQ(editorShown(), nullptr);
  Click(At(2, 0, 8, 10));
  TControl* editor = editorShown();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Text(), u"Name");
  editor->SetText(u"Name2");
  EXPECT_EQ(changes.back(), u"Name2");
}

}  // namespace
