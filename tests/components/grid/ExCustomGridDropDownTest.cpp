// The grid drop-down: construction, the current item in items and grid mode, the mapping between
// rows and items through sorting, typing and the typed search (lookup, narrowing, none, the two
// styles), choosing and closing, the events of the hosted grid passed on, and the string grid's
// edExGridDropDown editor that stands on it.
#include "components/grid/ExCustomGridDropDown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridSortSettings.h"
#include "tests/components/dropdown/ListDropDownTestUtil.h"

using namespace ExCustomGridDropDown;

namespace {

// Drop-downs in items mode with two columns: name (80 pixels) and colour (100).
class GridDropDownTest : public ListDropDownFixture<TCustomExGridDropDown, TExColGrid> {
 protected:
  GridDropDownTest() : ListDropDownFixture(u"GridDropDown", {{u"Name", 80}, {u"Colour", 100}}) {}
  // A drop-down in grid mode whose list the test fills: a header row and the given names.
  TCustomExGridDropDown* NewGridModeDropDown(const std::vector<String>& Names) {
    auto* d = new TCustomExGridDropDown(Form);
    d->SetParent(Form);
    d->SetBounds(10, 10, 200, 21);
    d->SetUseItems(false);
    TExColGrid* g = d->GetGrid();
    g->SetColCount(2);
    g->SetRowCount(static_cast<Integer>(Names.size()) + 1);
    g->SetCells(0, 0, u"Name");
    g->SetCells(1, 0, u"Number");
    for (size_t i = 0; i < Names.size(); ++i) {
      g->SetCells(0, static_cast<Integer>(i) + 1, Names[i]);
      g->SetCells(1, static_cast<Integer>(i) + 1, IntToStr(static_cast<Integer>(i)));
    }
    return d;
  }
  // Types each character with its key (letters, digits, the blank and Backspace), so the key
  // release follows.
  static void Type(TWinControl* C, const String& Chars) { TypeKeys(C, Chars, true); }
  // The names of the list's data rows, top to bottom.
  static std::vector<std::string> ListNames(TExColGrid* G) {
    std::vector<std::string> names;
    for (Integer r = G->FixedRows(); r < G->RowCount(); ++r) names.push_back(U8(G->Cells(0, r)));
    return names;
  }
};

}  // namespace

// --- Construction -------------------------------------------------------------------------------

TEST_F(GridDropDownTest, ConstructionGivesTheDefaultsAndTheList) {
  auto* d = new TCustomExGridDropDown(Form);
  EXPECT_FALSE(d->AutoShowDropDown());
  EXPECT_TRUE(d->AutoSizeColumns());
  EXPECT_FALSE(d->CaseSensitive());
  EXPECT_TRUE(d->DropDownAutoWidth());
  EXPECT_EQ(d->DropDownRowHeight(), 22);
  EXPECT_EQ(d->LineColor(), 0xF1EDEB);
  EXPECT_EQ(d->FixedLineColor(), 0xD1BBA4);
  EXPECT_FALSE(d->ColumnSizing());
  EXPECT_FALSE(d->ColumnMoving());
  EXPECT_TRUE(d->ColumnSizeWithDropDown());
  EXPECT_FALSE(d->GridEditable());
  EXPECT_EQ(d->HeaderColor(), 0xFFFFFF);
  EXPECT_EQ(d->HeaderColorTo(), 0x808080);
  EXPECT_EQ(d->HeaderHeight(), 25);
  EXPECT_FALSE(d->HoverRow());
  EXPECT_EQ(d->HoverRowColor(), static_cast<TColor>(0xFF000018));
  EXPECT_EQ(d->HoverRowColorTo(), clNone);
  EXPECT_EQ(d->ItemIndex(), -1);
  EXPECT_EQ(d->LookupColumn(), 0);
  EXPECT_EQ(d->LookupMethod(), lmLookup);
  EXPECT_EQ(d->Navigation()->HomeEndKey(), heFirstLastRow);
  EXPECT_TRUE(d->RowSelect());
  EXPECT_EQ(d->Sorting(), gsNone);
  EXPECT_EQ(d->Style(), dsDropDown);
  EXPECT_TRUE(d->UseItems());
  EXPECT_EQ(d->DropDownColor(), 0xFFFFFF);
  EXPECT_EQ(d->DropDownHeight(), 200);
  EXPECT_TRUE(d->AutoSelect());
  EXPECT_FALSE(d->ReturnIsTab());
  EXPECT_FALSE(d->MatchCase());
  EXPECT_EQ(d->Version(), u"6.0.1.1");
  EXPECT_EQ(d->Columns()->Count(), 0);
  EXPECT_FALSE(d->DesignTime());
  TExColGrid* g = d->GetGrid();
  ASSERT_NE(g, nullptr) << "the list comes with the popup";
  EXPECT_EQ(g->Parent(), d->DropDownForm());
  EXPECT_EQ(g->ExDropDown(), d);
  EXPECT_TRUE(g->FixedRowAlways());
  EXPECT_EQ(g->FixedRows(), 1);
  EXPECT_EQ(g->FixedCols(), 0);
  EXPECT_TRUE(g->Options().Contains(goRowSelect));
  EXPECT_TRUE(g->Options().Contains(goHorzLine));
  EXPECT_FALSE(g->Options().Contains(goRangeSelect));
  EXPECT_EQ(g->GridLineWidth(), 1);
  EXPECT_EQ(g->TExStringGrid::GridLineWidth(), 0) << "the list's own width is kept, the grid's is 0";
  EXPECT_EQ(g->HeaderHeight(), 25);
  EXPECT_EQ(g->Height(), 180);
}

TEST_F(GridDropDownTest, ADesignerPlacesThreeColumnsAStoredFormNone) {
  Form->SetDesigning(true);
  auto* placed = new TCustomExGridDropDown(Form);
  EXPECT_TRUE(placed->DesignTime());
  EXPECT_EQ(placed->Columns()->Count(), 3);
  EXPECT_FALSE(placed->SearchFooter()->FindNextCaption().empty()) << "the search footer has its captions";

  Form->BeginLoading();
  auto* loaded = new TCustomExGridDropDown(Form);
  Form->EndLoading();
  EXPECT_FALSE(loaded->DesignTime());
  EXPECT_EQ(loaded->Columns()->Count(), 0);
  EXPECT_TRUE(loaded->SearchFooter()->FindNextCaption().empty());
  Form->SetDesigning(false);
}

TEST_F(GridDropDownTest, StyleSwitchesTypingInTheEdit) {
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->SetStyle(dsDropDownList);
  EXPECT_FALSE(d->EditorEnabled());
  d->SetStyle(dsDropDown);
  EXPECT_TRUE(d->EditorEnabled());
}

TEST_F(GridDropDownTest, AdjustDropDownHeightSnapsToWholeRowsAndTheFrame) {
  ExpectSnappedHeights(NewDropDown(Fruit()), 185, 207);
}

TEST_F(GridDropDownTest, ComponentStylesSetTheHeaderLineAndSelectionColours) {
  // Header top and bottom, line and fixed line, selection text, the selection preset.
  ExpectComponentStyles(
      NewDropDown(Fruit()),
      {
          {"Office 2007 Luna", tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0xFFD2AF, 0xFFD2AF, 0, scOffice2007},
          {"Windows XP", tsWindowsXP, static_cast<TColor>(0xFF00000F), static_cast<TColor>(0xFF00000F), 0xC0C0C0, 0,
           static_cast<TColor>(0xFF00000E), scCustom},
          {"Windows 7", tsWindows7, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0, scWindows7},
          {"Office 2010 keeps the previous row", tsOffice2010Blue, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0,
           scWindows7},
      });
}

TEST_F(GridDropDownTest, GridImagesReachTheListAndGoWithTheirImageList) {
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  auto* images = new TImageList(Form);
  d->SetGridImages(images);
  EXPECT_EQ(d->GetGrid()->GridImages(), images);
  TComponent::Free(images);
  EXPECT_EQ(d->GridImages(), nullptr);
  EXPECT_EQ(d->GetGrid()->GridImages(), nullptr);
}

TEST_F(GridDropDownTest, LoadedBuildsTheLookupListAndFillsTheList) {
  auto* d = new TCustomExGridDropDown(Form);
  d->BeginLoading();
  d->Columns()->Add()->SetHeader(u"Name");
  d->Items()->Add()->Text()->Add(u"Kiwi");
  d->Items()->Add()->Text()->Add(u"Lime");
  EXPECT_EQ(d->LookupItems()->Count(), 0);
  d->EndLoading();
  EXPECT_EQ(d->LookupItems()->Count(), 2);
  TExColGrid* g = d->GetGrid();
  EXPECT_EQ(U8(g->Cells(0, 0)), "Name");
  EXPECT_EQ(ListNames(g), (std::vector<std::string>{"Kiwi", "Lime"}));
  EXPECT_EQ(d->RowOfItem(1), 2);
  EXPECT_EQ(d->RowOfItem(7), -1) << "no row carries item 7: the current ItemIndex";
  EXPECT_EQ(d->ItemOfRow(9), 9) << "a row past the list is taken as it is";
}

// --- The current item -----------------------------------------------------------------------------

TEST_F(GridDropDownTest, WritingItemIndexInItemsMode) {
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->Items()->Add()->Text()->Add(u"Fig");  // no colour: shorter than the lookup column 1
  ExpectItemIndexWrites(d, {
                               {"an item", 0, 2, 2, u"Cherry"},
                               {"the item count changes nothing", 0, 6, 2, u"Cherry"},
                               {"-1 empties the edit", 0, -1, -1, u""},
                               {"another lookup column", 1, 1, 1, u"yellow"},
                               {"an item without a text there empties the edit", 1, 5, 5, u""},
                           });
}

TEST_F(GridDropDownTest, WritingItemIndexInGridModeNamesADataRow) {
  TCustomExGridDropDown* d = NewGridModeDropDown({u"One", u"Two", u"Three"});
  struct Step {
    const char* Name;
    Integer Write;
    Integer Index;
    String Text;
  };
  const Step steps[] = {
      {"the second data row", 1, 1, u"Two"},
      {"the last data row", 2, 2, u"Three"},
      {"past the last data row changes nothing", 3, 2, u"Three"},
      {"far past changes nothing", 40, 2, u"Three"},
      {"a negative value empties the edit", -1, -1, u""},
      {"the first data row", 0, 0, u"One"},
  };
  for (const Step& s : steps) {
    d->SetItemIndex(s.Write);
    EXPECT_EQ(d->ItemIndex(), s.Index) << s.Name;
    EXPECT_EQ(U8(d->Text()), U8(s.Text)) << s.Name;
  }
  d->SetText(u"typed");
  d->SetItemIndex(0);
  EXPECT_EQ(d->Text(), u"typed") << "writing the value it has changes nothing";
}

TEST_F(GridDropDownTest, KeysInTheEditMoveTheItem) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = ExpectPagingKeys();
  ExpectKeySteps(d, {
                        {"End with dsDropDown", VK_END, 0},
                    });
  d->SetStyle(dsDropDownList);
  Key(d, VK_END);
  EXPECT_EQ(d->ItemIndex(), 29) << "End with dsDropDownList";
  Key(d, VK_HOME, TShiftState(ssShift));
  EXPECT_EQ(d->ItemIndex(), 29) << "not with Shift";
  Key(d, VK_HOME);
  EXPECT_EQ(d->ItemIndex(), 0);
}

// --- Opening, the list and closing ------------------------------------------------------------------

TEST_F(GridDropDownTest, OpeningFillsTheListFromItemsAndCopiesTheSettings) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->SetColumnSizeWithDropDown(false);
  d->SetAutoSizeColumns(false);
  d->SetColumnSizing(true);
  d->SetRowMoving(true);
  d->SetHoverRow(true);
  d->SetHeaderHeight(30);
  d->Bands()->SetActive(true);
  d->MouseActions()->SetDisjunctRowSelect(true);
  d->SetSorting(gsMultiColumn);
  Integer before = 0;
  d->OnBeforeDropDown = [&](TObject*) { ++before; };
  TExColGrid* g = Open(d);
  ExpectOpenedList(d, g);
  EXPECT_EQ(g, d->GetGrid());
  EXPECT_EQ(before, 1);
  EXPECT_EQ(U8(g->Cells(0, 0)), "Name");
  EXPECT_EQ(U8(g->Cells(1, 0)), "Colour");
  EXPECT_EQ(U8(g->Cells(1, 3)), "dark red");
  for (Integer c = 0; c < 2; ++c)
    EXPECT_EQ(reinterpret_cast<intptr_t>(g->Objects(c, 0)), -1) << "header cell " << c;
  for (Integer r = 1; r < 6; ++r) EXPECT_EQ(d->ItemOfRow(r), r - 1) << "row " << r;
  EXPECT_FALSE(g->Options().Contains(goColMoving));
  EXPECT_TRUE(g->Options().Contains(goRowMoving));
  EXPECT_FALSE(g->Options().Contains(goEditing));
  EXPECT_TRUE(g->HoverRow());
  EXPECT_TRUE(g->Bands()->Active());
  EXPECT_TRUE(g->MouseActions()->DisjunctRowSelect());
  EXPECT_TRUE(g->SortSettings()->Show());
  EXPECT_TRUE(g->SortSettings()->IndexShow());
  EXPECT_EQ(g->ComponentStyle(), d->GetComponentStyle());
  EXPECT_EQ(d->Text(), u"") << "opening alone chooses nothing";
  EXPECT_TRUE(g->Focused()) << "the list takes the focus";
  d->HideDropDown(true);

  d->SetSorting(gsSingleColumn);
  d->SetGridEditable(true);
  d->SetRowSelect(false);
  d->ShowDropDown();
  EXPECT_TRUE(g->SortSettings()->Show());
  EXPECT_FALSE(g->SortSettings()->IndexShow());
  EXPECT_TRUE(g->Options().Contains(goEditing));
  EXPECT_FALSE(g->Options().Contains(goRowSelect));
  d->HideDropDown(true);
}

TEST_F(GridDropDownTest, ThePopupFollowsTheColumnsAndTheColumnsThePopup) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  TExColGrid* g = OpenAutoSized(d);
  EXPECT_EQ(d->DropDownForm()->Width(), 80 + g->ColWidths(1) + 2) << "the columns and the popup's frame";
  d->HideDropDown(true);

  d->Columns()->Items(1)->SetAutoSize(false);
  d->SetColumnSizeWithDropDown(true);
  d->SetDropDownAutoWidth(false);
  d->SetDropDownWidth(362);
  d->ShowDropDown();
  // 1 + 80 + 100 = 181 scaled to the popup's 362 pixels: exactly doubled.
  EXPECT_EQ(g->ColWidths(0), 160);
  EXPECT_EQ(g->ColWidths(1), 200);
  d->HideDropDown(true);

  TCustomExGridDropDown* gm = NewGridModeDropDown({u"a rather long name", u"x"});
  gm->ShowDropDown();
  TExColGrid* list = gm->GetGrid();
  list->Canvas()->Font()->Assign(list->Font());
  EXPECT_GE(list->ColWidths(0), list->Canvas()->TextWidth(u"a rather long name"))
      << "in grid mode the string grid sizes the columns to their cells";
  gm->HideDropDown(true);
}

TEST_F(GridDropDownTest, ItemsChangedBetweenOpeningsShowAtTheNextOpening) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->ShowDropDown();
  d->HideDropDown(true);
  d->Items()->Delete(0);
  d->Items()->Add()->Text()->Add(u"Fig");
  d->SetItemIndex(4);
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  EXPECT_EQ(ListNames(g), (std::vector<std::string>{"Banana", "Cherry", "Date", "Elder", "Fig"}));
  EXPECT_EQ(g->Row(), 5) << "the row of the current item";
  d->HideDropDown(true);
}

TEST_F(GridDropDownTest, AClickChoosesTheRowAndClosesUnlessTheListIsEditable) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  TExColGrid* g = ExpectAClickChooses(d);

  d->SetGridEditable(true);
  d->ShowDropDown();
  EXPECT_EQ(g->Row(), 3) << "the next opening shows the chosen item";
  TestHarness::Click(g, RowPoint(g, 5));
  ExpectChoice(d, true, 4, u"Elder", 2);  // an editable list stays open
  d->HideDropDown(false);
  EXPECT_EQ(d->ItemIndex(), 4);
}

TEST_F(GridDropDownTest, EnterInTheEditorOfTheLookupColumnClosesTheEditableList) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->SetGridEditable(true);
  d->SetRowSelect(false);  // whole-row selection leaves no cell to edit
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  TestHarness::Click(g, RowPoint(g, 2));
  ASSERT_TRUE(d->DroppedDown());
  g->SetCol(1);
  g->ShowInplaceEdit();
  ASSERT_TRUE(g->InEditMode());
  d->Perform(WM_KEYUP, VK_RETURN, 0);
  EXPECT_TRUE(d->DroppedDown()) << "outside the lookup column Enter only ends the cell's edit";
  EXPECT_FALSE(g->InEditMode());
  g->SetCol(0);
  g->ShowInplaceEdit();
  ASSERT_TRUE(g->InEditMode());
  d->Perform(WM_KEYUP, VK_RETURN, 0);
  EXPECT_FALSE(d->DroppedDown()) << "in the lookup column Enter closes keeping the choice";
  EXPECT_EQ(d->ItemIndex(), 1);
  EXPECT_EQ(d->Text(), u"Banana");
}

TEST_F(GridDropDownTest, ClosingKeepsOrRestoresTheItem) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->SetItemIndex(1);
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  EXPECT_EQ(g->Row(), 2);
  Key(g, VK_DOWN);
  EXPECT_EQ(d->ItemIndex(), 2) << "moving in the list moves the item";
  EXPECT_EQ(d->Text(), u"Cherry");
  d->HideDropDown(true);
  EXPECT_EQ(d->ItemIndex(), 1) << "a cancelled close restores the item of the opening";
  EXPECT_EQ(d->Text(), u"Banana");

  ExpectWheelOnlyLooks(d, g, 1);

  d->ShowDropDown();
  Key(g, VK_DOWN);
  Key(g, VK_DOWN);
  Key(g, VK_RETURN, TShiftState(), u"\r");
  EXPECT_FALSE(d->DroppedDown());
  EXPECT_EQ(d->ItemIndex(), 3) << "Enter in the list takes its row";
  EXPECT_EQ(d->Text(), u"Date");

  d->ShowDropDown();
  Key(g, VK_DOWN);
  EXPECT_EQ(d->ItemIndex(), 4);
  Key(g, VK_ESCAPE, TShiftState(), String(1, Char(27)));
  EXPECT_FALSE(d->DroppedDown());
  EXPECT_EQ(d->ItemIndex(), 3) << "Esc in the list cancels";
  EXPECT_EQ(d->Text(), u"Date");
}

TEST_F(GridDropDownTest, AHeaderClickSortsAndKeepsTheCurrentItem) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown({{u"Cherry"}, {u"Apple"}, {u"Banana"}, {u"Date"}});
  d->SetSorting(gsSingleColumn);
  d->SetColumnSizeWithDropDown(false);
  d->SetItemIndex(0);
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  const TRect header = g->CellRect(0, 0);
  TestHarness::Click(g, Point(header.Left + 20, (header.Top + header.Bottom) / 2));
  EXPECT_EQ(ListNames(g), (std::vector<std::string>{"Apple", "Banana", "Cherry", "Date"}));
  EXPECT_TRUE(d->DroppedDown()) << "a header click chooses nothing";
  EXPECT_EQ(g->Row(), 3) << "Cherry's row after the sort";
  EXPECT_EQ(d->ItemIndex(), 0);
  Key(g, VK_UP);
  EXPECT_EQ(d->ItemIndex(), 2) << "the row above shows Banana, item 2";
  EXPECT_EQ(d->Text(), u"Banana");
  Type(g, u"d");
  EXPECT_EQ(d->ItemIndex(), 3);
  EXPECT_EQ(g->Row(), 4) << "the search goes to the found item's own row";
  d->HideDropDown(false);
  EXPECT_EQ(d->ItemIndex(), 3);

  d->ShowDropDown();
  EXPECT_EQ(ListNames(g), (std::vector<std::string>{"Apple", "Banana", "Cherry", "Date"}))
      << "the next opening sorts the fresh rows again";
  EXPECT_EQ(g->Row(), 4);
  d->HideDropDown(true);
}

// --- Typing and the typed search -------------------------------------------------------------------

TEST_F(GridDropDownTest, TypingInTheEditCompletesFromTheLookupList) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->SetFocus();
  Type(d, u"ch");
  EXPECT_EQ(d->Text(), u"Cherry");
  EXPECT_EQ(d->ItemIndex(), 2);
  EXPECT_EQ(d->SelStart(), 2);
  EXPECT_EQ(d->SelLength(), 4) << "the untyped tail is selected";
  EXPECT_EQ(d->LookupEntry(), u"ch");
}

TEST_F(GridDropDownTest, ADropDownListSearchesEveryTypedCharacter) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown({{u"Xerus"}, {u"Yak"}, {u"Yeti"}});
  d->SetStyle(dsDropDownList);
  d->SetFocus();
  Type(d, u"x");
  EXPECT_EQ(d->Text(), u"Xerus");
  EXPECT_EQ(d->ItemIndex(), 0);
  Type(d, u"y");
  EXPECT_EQ(d->LookupEntry(), u"y") << "no item starts with xy: the entry is y alone";
  EXPECT_EQ(d->Text(), u"Yak");
  EXPECT_EQ(d->ItemIndex(), 1);
  Type(d, u"e");
  EXPECT_EQ(d->Text(), u"Yeti");
  Type(d, u"q");
  EXPECT_EQ(d->LookupEntry(), u"") << "nothing found at all clears the entry";
  EXPECT_EQ(d->Text(), u"Yeti");
}

TEST_F(GridDropDownTest, AFailedSearchInAnEditableFieldKeepsTheEntry) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->SetFocus();
  Type(d, u"qz");
  EXPECT_EQ(d->LookupEntry(), u"qz");
  EXPECT_EQ(d->Text(), u"qz");
  EXPECT_EQ(d->ItemIndex(), -1);
  Key(d, VK_LEFT);
  EXPECT_EQ(d->LookupEntry(), u"") << "cursor keys clear the entry";
}

TEST_F(GridDropDownTest, EnterAndEscInTheEditNeitherSearchNorReopen) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->SetFocus();
  Type(d, u"b");
  EXPECT_EQ(d->LookupEntry(), u"b");
  Key(d, VK_RETURN, TShiftState(), u"\r");
  EXPECT_EQ(d->LookupEntry(), u"") << "Enter ends the search";
  d->SetText(u"");
  Type(d, u"c");
  EXPECT_EQ(d->LookupEntry(), u"c");
  EXPECT_EQ(d->Text(), u"Cherry") << "the next search starts anew";

  d->SetAutoShowDropDown(true);
  Key(d, VK_RETURN, TShiftState(), u"\r");
  EXPECT_FALSE(d->DroppedDown()) << "the Enter character does not open the popup";
  Key(d, VK_ESCAPE, TShiftState(), String(1, Char(27)));
  EXPECT_FALSE(d->DroppedDown()) << "nor does the Esc character";
  Type(d, u"d");
  EXPECT_TRUE(d->DroppedDown()) << "a typed character does";
  d->HideDropDown(false);
}

TEST_F(GridDropDownTest, WithoutALookupMethodTypingNeverSearchesButChoosingWorks) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->SetLookupMethod(lmNone);
  d->SetStyle(dsDropDownList);
  d->SetFocus();
  Type(d, u"c");
  EXPECT_EQ(d->ItemIndex(), -1);
  EXPECT_EQ(d->Text(), u"");
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  Type(g, u"d");
  EXPECT_EQ(g->Row(), 1) << "the open list does not search either";
  TestHarness::Click(g, RowPoint(g, 4));
  EXPECT_FALSE(d->DroppedDown());
  EXPECT_EQ(d->ItemIndex(), 3);
  EXPECT_EQ(d->Text(), u"Date");
}

TEST_F(GridDropDownTest, TypingInTheOpenListSearches) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown({{u"Bear"}, {u"Beaver"}, {u"Bison"}, {u"Xerus"}, {u"Yak"}});
  d->SetStyle(dsDropDownList);
  TExColGrid* g = Open(d);
  ExpectSearchSteps(d, g, true,
                    {
                        {"b", u'b', u"b", 0, 1},
                        {"beav", u'e', u"be", 0, 1},
                        {"bea", u'a', u"bea", 0, 1},
                        {"beav", u'v', u"beav", 1, 2},
                        {"no item with beavx, but one with x", u'x', u"x", 3, 4},
                        {"! clears the entry", u'!', u"", 3, 4},
                        {"y alone", u'y', u"y", 4, 5},
                        {"nothing with q", u'q', u"", 4, 5},
                    });
  d->HideDropDown(false);
  EXPECT_EQ(d->ItemIndex(), 4);
  EXPECT_EQ(d->Text(), u"Yak");
}

TEST_F(GridDropDownTest, NarrowingDownFiltersTheListByTheTypedText) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown({{u"Bear"}, {u"Beaver"}, {u"Bison"}, {u"Xerus"}, {u"Yak"}});
  d->SetLookupMethod(lmNarrowDown);
  d->SetFocus();
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  Type(g, u"b");
  EXPECT_EQ(ListNames(g), (std::vector<std::string>{"Bear", "Beaver", "Bison"}));
  EXPECT_EQ(g->Row(), 1) << "the first row of the narrowed list is current";
  EXPECT_EQ(d->Text(), u"Bear");
  EXPECT_EQ(d->SelStart(), 1);
  EXPECT_EQ(d->SelLength(), 3) << "the untyped tail is selected";
  Type(g, u"ea");
  EXPECT_EQ(ListNames(g), (std::vector<std::string>{"Bear", "Beaver"}));
  EXPECT_EQ(d->Text(), u"Bear");
  Type(g, u"v");
  EXPECT_EQ(ListNames(g), (std::vector<std::string>{"Beaver"}));
  EXPECT_EQ(d->Text(), u"Beaver");
  Type(g, u"\b");
  EXPECT_EQ(d->LookupEntry(), u"") << "a Backspace yields no row: the entry is cleared";
  Type(g, u" ");
  EXPECT_EQ(g->RowCount(), 6) << "a blank alone removes every filter";
  Type(g, u"y");
  EXPECT_EQ(ListNames(g), (std::vector<std::string>{"Yak"}));
  TestHarness::Click(g, RowPoint(g, 1));
  EXPECT_FALSE(d->DroppedDown());
  EXPECT_EQ(d->ItemIndex(), 4) << "the narrowed row still carries its item";
  EXPECT_EQ(d->Text(), u"Yak");
  EXPECT_EQ(g->RowCount(), 6) << "the edit taking the focus back removes the filters";
}

// --- Grid mode ----------------------------------------------------------------------------------------

TEST_F(GridDropDownTest, GridModeChoosesFromTheRowsTheApplicationFilled) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewGridModeDropDown({u"One", u"Two", u"Three", u"Four"});
  Integer before = 0;
  Integer rowAtBefore = -1;
  d->OnBeforeDropDown = [&](TObject*) {
    ++before;
    rowAtBefore = d->GetGrid()->Row();
  };
  d->SetText(u"th");
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  EXPECT_EQ(before, 1);
  EXPECT_EQ(rowAtBefore, 3) << "the event comes once the list stands at the row of the text";
  EXPECT_EQ(g->Row(), 3);
  EXPECT_EQ(g->RowCount(), 5) << "the application's rows stay";
  EXPECT_EQ(U8(g->Cells(0, 0)), "Name");
  EXPECT_EQ(d->Text(), u"th") << "opening alone changes nothing";
  EXPECT_EQ(d->ItemIndex(), -1);
  EXPECT_EQ(d->Columns()->Count(), 2) << "one column description per list column";
  TestHarness::Click(g, RowPoint(g, 4));
  EXPECT_FALSE(d->DroppedDown());
  EXPECT_EQ(d->ItemIndex(), 3);
  EXPECT_EQ(d->Text(), u"Four");

  d->SetText(u"zz");
  d->ShowDropDown();
  EXPECT_EQ(g->Row(), 1) << "no row for the text: the first data row";
  Key(g, VK_DOWN);
  EXPECT_EQ(d->ItemIndex(), 1);
  EXPECT_EQ(d->Text(), u"Two");
  d->HideDropDown(true);
}

TEST_F(GridDropDownTest, GridModeSearchCountsItemIndexInDataRows) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewGridModeDropDown({u"One", u"Two", u"Three", u"Four"});
  String found;
  Integer row = -1;
  EXPECT_TRUE(d->FindLookupRow(u"TH", found, row));
  EXPECT_EQ(found, u"Three");
  EXPECT_EQ(row, 3) << "the list row";
  EXPECT_FALSE(d->FindLookupRow(u"x", found, row));
  EXPECT_EQ(found, u"");
  EXPECT_EQ(row, -1);

  d->SetFocus();
  Type(d, u"t");
  EXPECT_EQ(d->Text(), u"Two");
  EXPECT_EQ(d->ItemIndex(), 1) << "the row's place among the data rows";
  Key(d, VK_DOWN);
  EXPECT_EQ(d->ItemIndex(), 2);
  EXPECT_EQ(d->Text(), u"Three") << "the next row, none skipped";
}

TEST_F(GridDropDownTest, FindLookupRowFoldsCaseUnlessCaseSensitive) {
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->Items()->Add();  // an item without texts reads as empty instead of raising
  struct Case {
    const char* Name;
    bool CaseSensitive;
    String Text;
    bool Found;
    Integer Row;
    String Value;
  };
  const Case cases[] = {
      {"folded", false, u"ba", true, 1, u"Banana"},
      {"as stored", true, u"Ba", true, 1, u"Banana"},
      {"with case", true, u"ba", false, -1, u""},
      {"nothing", false, u"kiwi", false, -1, u""},
  };
  for (const Case& c : cases) {
    d->SetCaseSensitive(c.CaseSensitive);
    String found;
    Integer row = 0;
    EXPECT_EQ(d->FindLookupRow(c.Text, found, row), c.Found) << c.Name;
    EXPECT_EQ(row, c.Row) << c.Name;
    EXPECT_EQ(U8(found), U8(c.Value)) << c.Name;
  }
  EXPECT_EQ(d->GetItemIndex(u"Date"), 3);
  EXPECT_EQ(d->GetItemIndex(u"date"), -1);
}

// --- The hosted grid's events ------------------------------------------------------------------------

TEST_F(GridDropDownTest, AlignmentAndColourComeFromTheColumnDescriptions) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->Columns()->Items(0)->SetAlignment(taRightJustify);
  d->Columns()->Items(1)->SetColor(0x00CCFF);
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaCenter;
  g->GetCellAlignment(0, 1, ha, va);
  EXPECT_EQ(ha, taRightJustify) << "without a handler the column's alignment";
  auto brush = std::make_unique<TBrush>();
  auto font = std::make_unique<TFont>();
  brush->SetColor(0x123456);
  g->GetCellColor(1, 1, TGridDrawState(), brush.get(), font.get());
  EXPECT_EQ(brush->Color(), 0x00CCFF) << "without a handler the column's colour";

  TAlignment seen = taCenter;
  d->OnGridGetAlignment = [&](TObject* Sender, Integer, Integer ACol, TAlignment& HAlign, TVAlignment&) {
    EXPECT_EQ(Sender, g);
    seen = HAlign;
    if (ACol == 0) HAlign = taCenter;
  };
  TColor seenColor = 0;
  d->OnGridGetCellColor = [&](TObject*, Integer, Integer, TGridDrawState, TBrush* ABrush, TFont*) {
    seenColor = ABrush->Color();
  };
  ha = taLeftJustify;
  g->GetCellAlignment(0, 1, ha, va);
  EXPECT_EQ(seen, taRightJustify) << "the handler sees the column's alignment";
  EXPECT_EQ(ha, taCenter) << "and may change it";
  g->GetCellColor(1, 2, TGridDrawState(), brush.get(), font.get());
  EXPECT_EQ(seenColor, 0x00CCFF);

  ha = taLeftJustify;
  g->GetCellAlignment(2, 1, ha, va);
  EXPECT_EQ(ha, taLeftJustify) << "a column beyond the descriptions keeps the grid's alignment";
  brush->SetColor(0x123456);
  g->GetCellColor(2, 1, TGridDrawState(), brush.get(), font.get());
  EXPECT_EQ(brush->Color(), 0x123456) << "and the grid's colour";
  d->HideDropDown(true);
}

TEST_F(GridDropDownTest, HandlersThatShowAWindowKeepThePopupOpen) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  TDropDownForm* f = d->DropDownForm();
  // A window the handler shows takes the activation from the popup.
  auto showWindow = [f] {
    f->Activated(true);
    f->Activated(false);
  };
  bool blockedDuring = false;
  TObject* anchorSender = nullptr;
  d->OnGridButtonClick = [&](TObject*, Integer, Integer) {
    blockedDuring = f->BlockActivate();
    showWindow();
  };
  d->OnGridAnchorClick = [&](TObject* Sender, Integer, Integer, const String&, bool&) {
    anchorSender = Sender;
    showWindow();
  };
  d->OnGridEllipsClick = [&](TObject*, Integer, Integer, String& S) {
    showWindow();
    S = u"picked";
  };
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  g->ButtonClick(0, 1);
  EXPECT_TRUE(blockedDuring);
  EXPECT_TRUE(d->DroppedDown()) << "a button handler's window does not close the popup";
  EXPECT_FALSE(f->BlockActivate()) << "the block ends with the handler";
  bool autoHandle = true;
  g->OnAnchorClick(g, 1, 0, u"http://x", autoHandle);
  EXPECT_EQ(anchorSender, g) << "the anchor click comes from the hosted grid";
  EXPECT_TRUE(d->DroppedDown());
  String result;
  g->EllipsClick(u"old", result);
  EXPECT_EQ(result, u"picked");
  EXPECT_TRUE(d->DroppedDown());
  EXPECT_FALSE(f->BlockActivate());
  showWindow();
  EXPECT_FALSE(d->DroppedDown()) << "without a handler running, losing the activation closes";
}

TEST_F(GridDropDownTest, SendersAndOutputsOfThePassedOnEvents) {
  TestHarness::ShowForm(Form);
  std::vector<std::vector<String>> rows;
  for (Integer i = 0; i < 30; ++i) rows.push_back({u"Item" + IntToStr(i)});
  TCustomExGridDropDown* d = NewDropDown(rows);
  TObject* topLeftSender = nullptr;
  TObject* keyDownSender = nullptr;
  TObject* keyUpSender = nullptr;
  TObject* keyPressSender = nullptr;
  String formatSeen = u"unset";
  d->OnGridTopLeftChanged = [&](TObject* Sender) { topLeftSender = Sender; };
  d->OnGridKeyDown = [&](TObject* Sender, Word&, TShiftState) { keyDownSender = Sender; };
  d->OnGridKeyUp = [&](TObject* Sender, Word&, TShiftState) { keyUpSender = Sender; };
  d->OnGridKeyPress = [&](TObject* Sender, Char&) { keyPressSender = Sender; };
  d->OnGridGetFloatFormat = [&](TObject*, Integer, Integer, bool&, String& Fmt) {
    formatSeen = Fmt;
    Fmt = u"%.3f";
  };
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  g->SetTopRow(10);
  EXPECT_EQ(topLeftSender, d) << "the top-left change names the drop-down";
  Type(g, u"i");
  EXPECT_EQ(keyDownSender, d);
  EXPECT_EQ(keyUpSender, d);
  EXPECT_EQ(keyPressSender, d);
  bool isFloat = true;
  String fmt = u"%.2f";
  g->OnGetFloatFormat(g, 0, 1, isFloat, fmt);
  EXPECT_EQ(formatSeen, u"") << "the format comes empty";
  EXPECT_EQ(fmt, u"%.3f");
  EXPECT_FALSE(static_cast<bool>(g->OnCustomCompare)) << "not attached";
  EXPECT_FALSE(static_cast<bool>(g->OnSpinClick));
  d->HideDropDown(true);
}

TEST_F(GridDropDownTest, ACustomDrawHandlerTakesEffectAtTheNextOpening) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  d->ShowDropDown();
  TExColGrid* g = d->GetGrid();
  EXPECT_FALSE(static_cast<bool>(g->OnCustomCellDraw));
  Integer draws = 0;
  d->OnGridCustomCellDraw = [&](TObject*, TCanvas*, Integer, Integer, TGridDrawState, TRect, bool) { ++draws; };
  EXPECT_FALSE(static_cast<bool>(g->OnCustomCellDraw)) << "not while this popup is open";
  d->HideDropDown(true);
  d->ShowDropDown();
  ASSERT_TRUE(static_cast<bool>(g->OnCustomCellDraw));
  g->OnCustomCellDraw(g, g->Canvas(), 0, 1, TGridDrawState(), TRect(0, 0, 10, 10), false);
  EXPECT_EQ(draws, 1);
  d->HideDropDown(true);
  d->OnGridCustomCellDraw = nullptr;
  d->ShowDropDown();
  EXPECT_FALSE(static_cast<bool>(g->OnCustomCellDraw)) << "nor after the handler went";
  d->HideDropDown(true);
}

TEST_F(GridDropDownTest, TheFirstMouseMoveAfterAnOpeningRenewsTheBalloons) {
  TestHarness::ShowForm(Form);
  TCustomExGridDropDown* d = NewDropDown(Fruit());
  TExColGrid* g = d->GetGrid();
  g->Balloon()->SetEnable(true);
  std::vector<bool> switches;
  TNotifyEvent gridOwn = g->Balloon()->OnEnableChange;
  g->Balloon()->OnEnableChange = [&](TObject* Sender) {
    switches.push_back(g->Balloon()->Enable());
    if (gridOwn) gridOwn(Sender);
  };
  Integer moves = 0;
  d->OnGridMouseMove = [&](TObject*, TShiftState, Integer, Integer) { ++moves; };
  d->ShowDropDown();
  EXPECT_FALSE(d->BalloonInitDone());
  TestHarness::MouseMove(g, RowPoint(g, 1));
  TestHarness::MouseMove(g, RowPoint(g, 2));
  EXPECT_TRUE(d->BalloonInitDone());
  EXPECT_EQ(switches, (std::vector<bool>{false, true})) << "off and on once";
  EXPECT_EQ(moves, 2);
  d->HideDropDown(true);
  d->ShowDropDown();
  EXPECT_FALSE(d->BalloonInitDone()) << "each opening starts again";
  d->HideDropDown(true);
}

// --- The string grid's editor ------------------------------------------------------------------------

TEST_F(GridDropDownTest, TheGridsEditorChoosesFromTheListAndWritesTheCell) {
  TestHarness::UseFakeClock(true);
  TestHarness::ShowForm(Form);
  auto* grid = new TExStringGrid(Form);
  grid->SetParent(Form);
  grid->SetBounds(10, 40, 450, 300);
  grid->SetOptions(grid->Options() << goEditing);
  grid->SetColWidths(1, 150);
  TGridExGridDropDown* dd = grid->ExGridDropDown();
  for (const auto& row : Fruit()) {
    TDropDownItem* item = dd->Items()->Add();
    for (const String& t : row) item->Text()->Add(t);
  }
  dd->Columns()->Add()->SetHeader(u"Name");
  dd->Columns()->Add()->SetHeader(u"Colour");
  grid->SetCells(1, 1, u"Banana");
  grid->SetDefaultEditor(edExGridDropDown);
  grid->SetFocus();
  grid->SetCol(1);
  grid->SetRow(1);
  grid->ShowInplaceEdit();
  TestHarness::ProcessEvents();
  ASSERT_TRUE(dd->Visible());
  ASSERT_NE(dd->Grid(), nullptr);
  EXPECT_EQ(dd->Grid(), dd->GetGrid());
  EXPECT_TRUE(dd->Grid()->FixedRowAlways());
  EXPECT_EQ(dd->ItemIndex(), 1) << "the item of the cell's text";
  EXPECT_EQ(dd->Text(), u"Banana");
  EXPECT_EQ(dd->LookupItems()->Count(), 5) << "the update bracket built the lookup list";

  Key(dd, VK_DOWN, TShiftState(ssAlt));
  TestHarness::ProcessEvents();
  ASSERT_TRUE(dd->DroppedDown());
  TExColGrid* list = dd->GetGrid();
  TestHarness::Click(list, RowPoint(list, 4));
  TestHarness::ProcessEvents();
  EXPECT_FALSE(dd->DroppedDown());
  EXPECT_EQ(dd->Text(), u"Date");
  Key(dd, VK_RETURN, TShiftState(), u"\r");
  TestHarness::ProcessEvents();
  EXPECT_EQ(grid->Cells(1, 1), u"Date");

  grid->SetCells(1, 2, String());
  grid->SetRow(2);
  grid->ShowInplaceEdit();
  TestHarness::ProcessEvents();
  EXPECT_EQ(dd->ItemIndex(), 0) << "an empty cell starts at the first item";
  EXPECT_EQ(dd->Text(), u"") << "and the edit shows the cell's text";
  Key(dd, VK_ESCAPE, TShiftState(), String(1, Char(27)));
  TestHarness::ProcessEvents();
  TestHarness::UseFakeClock(false);
}
