// The in-place editor: when it shows, what it loads, how its text reaches the cell, the keys it
// hands to the grid, and how it closes.
#include "tests/platform/grids/GridTestUtil.h"

namespace {

struct Editor : GridFixture {
  void SetUp() override {
    GridFixture::SetUp();
    Grid->SetOptions(Grid->Options() << goEditing);
    for (Integer r = 0; r < 5; ++r)
      for (Integer c = 0; c < 5; ++c) Grid->SetCells(c, r, Utf8ToString("c" + Cell(c, r)));
  }
  TInplaceEdit* Ed() const { return Grid->InplaceEditor(); }
  bool EditorShowing() const { return Ed() && Ed()->Visible() && Grid->EditorMode(); }
  void Type(const String& text) {
    for (Char ch : text) TestHarness::SendKeyStroke(Ed(), 0, TShiftState(), String(1, ch));
  }
  void EdKey(Word vk, const String& chars = String(), TShiftState shift = TShiftState()) {
    TestHarness::SendKeyStroke(Ed(), vk, shift, chars);
  }
};

TEST_F(Editor, F2ShowsTheEditorOverTheCurrentCellLoadedWithItsTextAllSelected) {
  Grid->SetRow(2);
  Key(VK_F2);
  ASSERT_TRUE(EditorShowing());
  EXPECT_EQ(Ed()->BoundsRect(), Grid->CellRect(1, 2));
  EXPECT_EQ(Ed()->Text(), u"c1,2");
  EXPECT_EQ(Ed()->SelLength(), 4);
  EXPECT_TRUE(Ed()->Focused());
  EXPECT_EQ(Ed()->Parent(), Grid);
  EXPECT_EQ(Ed()->Owner(), Grid);
  EXPECT_EQ(Ed()->ClassName(), u"TInplaceEdit");
}

TEST_F(Editor, EnterInTheEditorStoresTheTextClosesItAndGivesTheFocusBack) {
  Key(VK_F2);
  Type(u"new");
  EXPECT_EQ(Grid->Cells(1, 1), u"new") << "every change reaches the cell at once";
  EdKey(VK_RETURN, u"\r");
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_FALSE(Ed()->Visible());
  EXPECT_TRUE(Grid->Focused());
  EXPECT_EQ(Grid->Cells(1, 1), u"new");
  // Enter on the grid opens it again.
  Key(VK_RETURN, {}, u"\r");
  EXPECT_TRUE(EditorShowing());
}

TEST_F(Editor, EscTakesTheEditBackAndClosesTheEditor) {
  Key(VK_F2);
  Type(u"zz");
  EXPECT_EQ(Grid->Cells(1, 1), u"zz");
  EdKey(VK_ESCAPE, String(1, Char(27)));
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(1, 1), u"c1,1");
  EXPECT_TRUE(Grid->Focused());
}

TEST_F(Editor, ACharacterTypedOnTheGridOpensTheEditorAndIsTypedThroughIt) {
  std::vector<std::string> sets;
  Grid->OnSetEditText = [&](TObject*, Integer c, Integer r, const String& v) {
    sets.push_back(Cell(c, r) + "=" + StringToUtf8(v));
  };
  Key('X', {}, u"x");
  ASSERT_TRUE(EditorShowing());
  EXPECT_EQ(TestHarness::PendingPosted(Ed()->Handle(), WM_CHAR), 1) << "posted to the editor";
  TestHarness::ProcessEvents();
  EXPECT_EQ(Ed()->Text(), u"x") << "the character replaced the selected text";
  EXPECT_EQ(Grid->Cells(1, 1), u"x");
  EXPECT_EQ(sets.back(), "1,1=x");
}

TEST_F(Editor, TypingOnAGridWithoutGoEditingIsAKeyPressOnly) {
  Grid->SetOptions(Grid->Options() >> goEditing);
  std::string typed;
  Grid->OnKeyPress = [&](TObject*, Char& k) { typed += static_cast<char>(k); };
  Key('A', {}, u"a");
  EXPECT_EQ(typed, "a");
  EXPECT_EQ(Ed(), nullptr);
}

TEST_F(Editor, TheGridSeesTheEditorsCharactersFirstAndCanSwallowThem) {
  std::string seen;
  Grid->OnKeyPress = [&](TObject*, Char& k) {
    seen += static_cast<char>(k);
    if (k == 'q') k = 0;
  };
  Key(VK_F2);
  Type(u"aqb");
  EXPECT_EQ(seen, "aqb");
  EXPECT_EQ(Ed()->Text(), u"ab");
}

TEST_F(Editor, VerticalKeysInTheEditorMoveTheGridAndStoreTheText) {
  Grid->SetOptions(Grid->Options() << goTabs);
  Key(VK_F2);
  Type(u"t");
  EdKey(VK_DOWN);
  EXPECT_EQ(Current(Grid), "1,2");
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(1, 1), u"t");
  Key(VK_F2);
  EdKey(VK_TAB, u"\t");
  EXPECT_EQ(Current(Grid), "2,2") << "Tab reached the grid, which has goTabs";
  EXPECT_EQ(Grid->Cells(1, 2), u"c1,2") << "the tab was not typed";
}

TEST_F(Editor, LeftAndRightStayInTheEditor) {
  Key(VK_F2);
  EdKey(VK_LEFT);
  EdKey(VK_RIGHT);
  EdKey(VK_RIGHT);
  EXPECT_EQ(Current(Grid), "1,1");
  EXPECT_TRUE(EditorShowing());
}

TEST_F(Editor, WithGoAlwaysShowEditorTheEditorFollowsTheCurrentCell) {
  Grid->SetOptions(Grid->Options() << goAlwaysShowEditor);
  ASSERT_TRUE(EditorShowing()) << "shown as the option came";
  Type(u"a");
  Key(VK_RIGHT);
  EXPECT_EQ(Grid->Cells(1, 1), u"a");
  ASSERT_TRUE(Ed()->Visible());
  EXPECT_EQ(Ed()->Text(), u"c2,1");
  EXPECT_EQ(Ed()->BoundsRect(), Grid->CellRect(2, 1));
  EdKey(VK_RETURN, u"\r");
  EXPECT_TRUE(Ed()->Visible()) << "Enter does not close an editor that is always shown";
}

TEST_F(Editor, CanEditShowTable) {
  struct Case {
    const char* Name;
    std::function<void(TLoggingGrid*)> Arrange;
    bool Shows;
  };
  const Case cases[] = {
      {"editable normal cell", [](TLoggingGrid*) {}, true},
      {"without goEditing", [](TLoggingGrid* g) { g->SetOptions(g->Options() >> goEditing); }, false},
      {"with goRowSelect", [](TLoggingGrid* g) { g->SetOptions(g->Options() << goRowSelect); }, false},
      {"fixed current cell", [](TLoggingGrid* g) { g->SetCol(0); }, false},
      {"current cell parked outside", [](TLoggingGrid* g) { g->SetSelection(TGridRect{5, 5, 5, 5}); }, false},
      {"grid not showing", [](TLoggingGrid* g) { g->SetVisible(false); }, false},
  };
  for (const Case& k : cases) {
    TearDown();
    SetUp();
    k.Arrange(Grid);
    Grid->ShowEditor();
    EXPECT_EQ(EditorShowing(), k.Shows) << k.Name;
    EXPECT_EQ(Grid->EditorMode(), k.Shows) << k.Name << ": the mode falls back when nothing shows";
  }
}

TEST_F(Editor, AClickOnTheCurrentCellOrADoubleClickOpensTheEditor) {
  ClickAt(CentreOf(2, 2));
  EXPECT_FALSE(Grid->EditorMode()) << "the first click only selects";
  ClickAt(CentreOf(2, 2));
  EXPECT_TRUE(EditorShowing());
  ClickAt(CentreOf(3, 3));
  EXPECT_FALSE(Grid->EditorMode()) << "moving closes it";
  TestHarness::SendMouse(Grid, WM_LBUTTONDBLCLK, CentreOf(3, 3), MK_LBUTTON);
  Release(CentreOf(3, 3));
  EXPECT_TRUE(EditorShowing());
}

TEST_F(Editor, TheLengthLimitDropsCharactersBeyondIt) {
  Grid->EditLimit = 3;
  Grid->SetCells(1, 1, u"");
  Key(VK_F2);
  Type(u"abcd");
  EXPECT_EQ(Ed()->Text(), u"abc");
  Ed()->SetSelStart(1);
  Ed()->SetSelLength(1);
  Type(u"Z");
  EXPECT_EQ(Ed()->Text(), u"aZc") << "typing over a selection stays within the limit";
}

TEST_F(Editor, WritingTheEditedCellInCodeLoadsTheEditorAgain) {
  Key(VK_F2);
  Type(u"typed");
  Grid->SetCells(1, 1, u"from code");
  EXPECT_EQ(Ed()->Text(), u"from code");
  EdKey(VK_RETURN, u"\r");
  EXPECT_EQ(Grid->Cells(1, 1), u"from code") << "closing did not write the stale text back";
}

TEST_F(Editor, MovingOrDeletingCellsUnderAnOpenEditorStoresItsTextFirst) {
  Key(VK_F2);
  Type(u"kept");
  Grid->MoveRow(1, 3);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(1, 3), u"kept");
  EXPECT_EQ(Grid->Cells(1, 1), u"c1,2");
}

TEST_F(Editor, TheEditorMovesWithItsCellAndHidesWhileItIsScrolledAway) {
  Grid->SetRowCount(20);
  Key(VK_F2);
  Grid->SetColWidths(0, 40);
  EXPECT_EQ(Ed()->BoundsRect(), Grid->CellRect(1, 1));
  Grid->SetTopRow(5);
  EXPECT_FALSE(Ed()->Visible());
  EXPECT_TRUE(Grid->EditorMode());
  Grid->SetTopRow(1);
  EXPECT_TRUE(Ed()->Visible());
  EXPECT_EQ(Ed()->BoundsRect(), Grid->CellRect(1, 1));
}

TEST_F(Editor, ClosingTheEditorTakesTheFocusOnlyWhenTheEditorHeldIt) {
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 200, 80, 20);
  Key(VK_F2);
  Type(u"v");
  other->SetFocus();
  TestHarness::ProcessEvents();
  ASSERT_TRUE(other->Focused());
  EXPECT_TRUE(Ed()->Visible()) << "the editor stays open when the focus leaves it";
  Grid->HideEditor();
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(Grid->Cells(1, 1), u"v");
}

TEST_F(Editor, TheEditorClaimsEnterEscArrowsAndTabWithGoTabs) {
  Key(VK_F2);
  const LRESULT code = Ed()->Perform(WM_GETDLGCODE, 0, 0);
  EXPECT_TRUE(code & DLGC_WANTALLKEYS);
  EXPECT_TRUE(code & DLGC_WANTARROWS);
  EXPECT_FALSE(code & DLGC_WANTTAB);
  Grid->SetOptions(Grid->Options() << goTabs);
  EXPECT_TRUE(Ed()->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
}

TEST_F(Editor, InvalidateEditorLoadsTheCellAgain) {
  std::string mask = "M";
  Grid->OnGetEditMask = [&](TObject*, Integer, Integer, String& v) { v = Utf8ToString(mask); };
  Key(VK_F2);
  EXPECT_EQ(Ed()->EditMask(), u"M");
  mask = "N";
  Grid->InvalidateEditor();
  EXPECT_EQ(Ed()->EditMask(), u"N");
}

}  // namespace
