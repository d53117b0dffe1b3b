// The multi-column drop-down on a form: the current item, the autocompletion and keys of the
// edit, the list's loading, sizing and fitting, choosing in the open list (mouse, keys, wheel,
// incremental search), closing, the colour styles and the painting of the list.
#include "components/dropdown/ExMultiColumnDropDown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/components/dropdown/ListDropDownTestUtil.h"

using namespace ExMultiColumnDropDown;

namespace {

// Drop-downs with two columns: code (60 pixels) and name (100).
class MultiColumnDropDownTest : public ListDropDownFixture<TExMultiColumnDropDown, TExColGrid> {
 protected:
  MultiColumnDropDownTest() : ListDropDownFixture(u"MultiColumn", {{u"Code", 60}, {u"Name", 100}}) {}
  // Types each character with its key (letters and digits), so the key release follows.
  static void Type(TWinControl* C, const String& Chars) { TypeKeys(C, Chars, false); }
};

}  // namespace

// --- Construction and the current item ----------------------------------------------------------

TEST_F(MultiColumnDropDownTest, ConstructionGivesTheDefaults) {
  auto* d = new TExMultiColumnDropDown(Form);
  EXPECT_FALSE(d->CaseSensitive());
  EXPECT_TRUE(d->DropDownAutoWidth());
  EXPECT_EQ(d->DropDownRowHeight(), 22);
  EXPECT_EQ(d->LineColor(), 0xF1EDEB) << "the selection style's line colour";
  EXPECT_EQ(d->FixedLineColor(), 0xD1BBA4);
  EXPECT_FALSE(d->ColumnSizing());
  EXPECT_TRUE(d->ColumnSizeWithDropDown());
  EXPECT_EQ(d->HeaderColor(), 0xFFFFFF);
  EXPECT_EQ(d->HeaderColorTo(), 0x808080);
  EXPECT_EQ(d->HeaderHeight(), 25);
  EXPECT_EQ(d->LookupColumn(), 0);
  EXPECT_EQ(d->SelectionTextColor(), 0);
  EXPECT_EQ(d->ItemIndex(), -1);
  EXPECT_EQ(d->DropDownColor(), 0xFFFFFF);
  EXPECT_EQ(d->DropDownHeight(), 200);
  EXPECT_TRUE(d->AutoSelect());
  EXPECT_EQ(d->RowCount(), 0);
  EXPECT_EQ(d->ExColGrid(), nullptr) << "the list comes with the first opening";
  EXPECT_EQ(d->LookupItems()->Count(), 0);
}

TEST_F(MultiColumnDropDownTest, WritingItemIndexShowsTheLookupText) {
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->Items()->Add()->Text()->Add(u"");  // an item with no name: shorter than the lookup column 1
  d->Items()->Items(5)->Text()->Clear();
  ExpectItemIndexWrites(d, {
                               {"an item", 0, 2, 2, u"Cherry"},
                               {"the item count changes nothing", 0, 6, 2, u"Cherry"},
                               {"past the count changes nothing", 0, 99, 2, u"Cherry"},
                               {"-1 empties the edit", 0, -1, -1, u""},
                               {"another lookup column", 1, 1, 1, u"yellow"},
                               {"an item without a text there empties the edit", 1, 5, 5, u""},
                               {"a negative value is kept as given", 0, -5, -5, u""},
                               {"a negative lookup column always empties", -1, 3, 3, u""},
                           });
}

TEST_F(MultiColumnDropDownTest, GetItemIndexFindsTheExactLookupText) {
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->Items()->Add();  // an item without texts reads as empty instead of raising
  EXPECT_EQ(d->GetItemIndex(u"Date"), 3);
  EXPECT_EQ(d->GetItemIndex(u"date"), -1) << "with case";
  EXPECT_EQ(d->GetItemIndex(u""), 5);
  d->SetLookupColumn(1);
  EXPECT_EQ(d->GetItemIndex(u"brown"), 3);
}

TEST_F(MultiColumnDropDownTest, AssignCopiesSettingsItemsAndTheIndexButNotTheText) {
  TExMultiColumnDropDown* a = NewDropDown(Fruit());
  a->SetCaseSensitive(true);
  a->SetDropDownRowHeight(30);
  a->SetHeaderColor(0x112233);
  a->SetLookupColumn(1);
  a->SetItemIndex(2);
  auto* b = new TExMultiColumnDropDown(Form);
  b->SetText(u"mine");
  b->Assign(a);
  EXPECT_TRUE(b->CaseSensitive());
  EXPECT_EQ(b->DropDownRowHeight(), 30);
  EXPECT_EQ(b->HeaderColor(), 0x112233);
  EXPECT_EQ(b->LookupColumn(), 1);
  EXPECT_EQ(b->Columns()->Count(), 2);
  EXPECT_EQ(b->Items()->Count(), 5);
  EXPECT_EQ(b->ItemIndex(), 2);
  EXPECT_EQ(b->Text(), u"mine");
}

// --- Typing in the edit -------------------------------------------------------------------------

TEST_F(MultiColumnDropDownTest, TypingCompletesFromTheLookupList) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown({{u"Abc"}, {u"abd"}});
  d->SetFocus();
  d->SetText(u"");
  d->Perform(WM_CHAR, u'a', 0);
  d->Perform(WM_CHAR, u'b', 0);
  EXPECT_EQ(d->Text(), u"abc") << "the typed case stays, the tail comes from the entry";
  EXPECT_EQ(d->SelStart(), 2);
  EXPECT_EQ(d->SelLength(), 1);
  EXPECT_EQ(d->ItemIndex(), 0);
  EXPECT_TRUE(d->CompletionPending());
  d->Perform(WM_KEYUP, u'B', 0);
  EXPECT_FALSE(d->CompletionPending()) << "the key release takes the pending completion";
  EXPECT_EQ(d->ItemIndex(), 0);
  EXPECT_EQ(d->Text(), u"Abc") << "as the item shows it";
  EXPECT_EQ(d->SelStart(), 2);
  EXPECT_EQ(d->SelLength(), 1) << "the completion is selected again";
}

TEST_F(MultiColumnDropDownTest, TypingWithoutAMatchDropsWhatFollowsTheCaret) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetFocus();
  d->SetText(u"qrst");
  d->SetSelStart(2);
  d->SetSelLength(0);
  Type(d, u"z");
  EXPECT_EQ(d->Text(), u"qrz");
  EXPECT_EQ(d->SelStart(), 3);
  EXPECT_EQ(d->ItemIndex(), -1);
}

TEST_F(MultiColumnDropDownTest, BackspaceSwitchesTheCompletionOffAndTypingOn) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetFocus();
  d->SetText(u"");
  Type(d, u"b");
  EXPECT_EQ(d->Text(), u"Banana") << "the key release shows the item's spelling";
  EXPECT_TRUE(d->AutoCompletion());
  Key(d, VK_BACK, TShiftState(), u"\b");
  EXPECT_FALSE(d->AutoCompletion());
  EXPECT_EQ(d->Text(), u"B") << "deleting the completed tail is not completed again";
  Type(d, u"a");
  EXPECT_TRUE(d->AutoCompletion());
  EXPECT_EQ(d->Text(), u"Banana");
}

TEST_F(MultiColumnDropDownTest, ItemsAddedInCodeJoinTheCompletionAtEndUpdate) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetFocus();
  d->Items()->Add()->Text()->Add(u"Fig");
  d->SetText(u"");
  Type(d, u"f");
  EXPECT_EQ(d->Text(), u"f") << "not in the lookup list yet";
  d->ShowDropDown();
  EXPECT_EQ(d->ExColGrid()->RowCount(), 7) << "but in the list at the next opening";
  d->HideDropDown(true);
  d->BeginUpdate();
  d->EndUpdate();
  d->SetText(u"");
  Type(d, u"f");
  EXPECT_EQ(d->Text(), u"Fig");
}

TEST_F(MultiColumnDropDownTest, TextWrittenByTheProgramIsNotCompleted) {
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetText(u"Ba");
  EXPECT_EQ(d->Text(), u"Ba");
  EXPECT_EQ(d->ItemIndex(), -1);
}

TEST_F(MultiColumnDropDownTest, EnterTakesTheListedSpellingAndEscTheListedIndex) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetFocus();
  Integer changes = 0;
  d->OnChange = [&](TObject*) { ++changes; };
  d->SetText(u"dAtE");
  changes = 0;
  Key(d, VK_RETURN, TShiftState(), u"\r");
  EXPECT_EQ(d->Text(), u"Date");
  EXPECT_EQ(d->ItemIndex(), 3);
  EXPECT_GE(changes, 2) << "the change steps run once more";

  d->SetText(u"cherry");
  Key(d, VK_ESCAPE, TShiftState(), u"\x1b");
  EXPECT_EQ(d->ItemIndex(), 2) << "Esc looks the text up without case";
  EXPECT_EQ(d->Text(), u"Cherry");
  d->SetText(u"kiwi");
  Key(d, VK_ESCAPE, TShiftState(), u"\x1b");
  EXPECT_EQ(d->ItemIndex(), -1);
  EXPECT_EQ(d->Text(), u"");
}

TEST_F(MultiColumnDropDownTest, EnterActsAsTabWhenAsked) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetReturnIsTab(true);
  d->SetFocus();
  String pressed;
  d->OnKeyPress = [&](TObject*, Char& Key) { pressed += Key; };
  Key(d, VK_RETURN, TShiftState(), u"\r");
  EXPECT_EQ(TestHarness::PendingPosted(d->Handle(), CN_KEYDOWN), 1) << "a Tab goes to the form's key handling";
  EXPECT_EQ(pressed, u"") << "the Enter character is dropped";
  TestHarness::ProcessEvents();
}

TEST_F(MultiColumnDropDownTest, KeysInTheEditMoveTheItem) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = ExpectPagingKeys();
  ExpectKeySteps(d, {
                        {"End with an editable edit", VK_END, 0},
                        {"Home with an editable edit", VK_HOME, 0},
                    });
  EXPECT_EQ(d->Text(), u"Item0");
  d->SetEditorEnabled(false);
  Key(d, VK_END);
  EXPECT_EQ(d->ItemIndex(), 29) << "End without typing";
  Key(d, VK_HOME);
  EXPECT_EQ(d->ItemIndex(), 0) << "Home without typing";
}

// --- Opening, the list and closing ------------------------------------------------------------

TEST_F(MultiColumnDropDownTest, OpeningLoadsTheListFromColumnsAndItems) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetColumnSizeWithDropDown(false);
  d->SetColumnSizing(true);
  d->SetHeaderHeight(30);
  TExColGrid* g = Open(d);
  ExpectOpenedList(d, g);
  EXPECT_EQ(g, d->ExColGrid());
  EXPECT_EQ(g->Parent(), d->DropDownForm());
  EXPECT_EQ(g->ColWidths(1), 100);
  EXPECT_FALSE(g->Options().Contains(goRangeSelect));
  EXPECT_EQ(g->GridLineWidth(), 1);
  EXPECT_EQ(g->LineColor(), d->LineColor());
  // 160 for the columns, no scroll bar for the five rows, and the popup's frame.
  EXPECT_EQ(d->DropDownForm()->Width(), 162);
  // 200 less the header and footer bands (22 each), the header row and 2: five whole rows.
  EXPECT_EQ(d->DropDownForm()->Height(), 44 + 30 + 5 * 22 + 2) << "the height snapped to whole rows";
  d->HideDropDown(true);
}

TEST_F(MultiColumnDropDownTest, AdjustDropDownHeightSnapsToWholeRows) {
  ExpectSnappedHeights(NewDropDown(Fruit()), 181, 203);
}

TEST_F(MultiColumnDropDownTest, ColumnsAutoSizeToTheirItems) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  TExColGrid* g = OpenAutoSized(d);
  EXPECT_EQ(g->Columns()->Items(1)->Width(), g->ColWidths(1));
  EXPECT_EQ(d->Columns()->Items(1)->Width(), 100) << "the drop-down's own column keeps its width";
  d->HideDropDown(true);

  TExMultiColumnDropDown* empty = NewDropDown({});
  empty->Columns()->Items(0)->SetAutoSize(true);
  empty->ShowDropDown();
  EXPECT_EQ(empty->ExColGrid()->ColWidths(0), 0) << "no items, no width";
  EXPECT_EQ(empty->ExColGrid()->RowCount(), 1) << "only the header row";
  empty->HideDropDown(true);
}

TEST_F(MultiColumnDropDownTest, WrappedColumnsMakeRowsHighEnoughForTheirText) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown({{u"A", u"short"}, {u"B", u"a much longer text that has to wrap"}});
  d->SetColumnSizeWithDropDown(false);
  d->Columns()->Items(1)->SetWordwrap(true);
  d->Columns()->Items(1)->SetWidth(60);
  d->ShowDropDown();
  TExColGrid* g = d->ExColGrid();
  EXPECT_EQ(g->RowHeights(1), 24) << "one line stays at the least row height";
  EXPECT_GT(g->RowHeights(2), 24 + g->Canvas()->TextHeight(u"Ag")) << "several lines";
  d->HideDropDown(true);
}

TEST_F(MultiColumnDropDownTest, ColumnsFitThePopupWidth) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetDropDownAutoWidth(false);
  d->SetDropDownWidth(322);
  d->ShowDropDown();
  TExColGrid* g = d->ExColGrid();
  // 1 + 60 + 100 = 161 scaled to the popup's 322 pixels: exactly doubled.
  EXPECT_EQ(g->ColWidths(0), 120);
  EXPECT_EQ(g->ColWidths(1), 200);
  EXPECT_EQ(g->ScrollBars(), ssVertical);
  EXPECT_EQ(g->Columns()->Items(0)->Width(), 60) << "the columns' own widths stay";
  d->HideDropDown(true);
}

TEST_F(MultiColumnDropDownTest, OpeningShowsTheCurrentItemAndACancelledCloseRestoresIt) {
  TestHarness::ShowForm(Form);
  std::vector<std::vector<String>> rows;
  for (Integer i = 0; i < 30; ++i) rows.push_back({u"Item" + IntToStr(i)});
  TExMultiColumnDropDown* d = NewDropDown(rows);
  d->SetItemIndex(20);
  d->ShowDropDown();
  TExColGrid* g = d->ExColGrid();
  EXPECT_EQ(g->Row(), 21);
  EXPECT_LE(g->TopRow(), 21);
  EXPECT_GE(g->TopRow() + g->VisibleRowCount() - 1, 21) << "the current item is in view";
  Key(g, VK_DOWN);
  EXPECT_EQ(d->ItemIndex(), 21) << "moving in the list moves the item";
  EXPECT_EQ(d->Text(), u"Item21");
  d->HideDropDown(true);
  EXPECT_EQ(d->ItemIndex(), 20);
  EXPECT_EQ(d->Text(), u"Item20");
}

TEST_F(MultiColumnDropDownTest, AClickOnARowChoosesItAndCloses) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  TExColGrid* g = ExpectAClickChooses(d);
  d->ShowDropDown();
  EXPECT_EQ(g->Row(), 3) << "the next opening shows the chosen item";
  d->HideDropDown(false);
  EXPECT_EQ(d->ItemIndex(), 2);
}

TEST_F(MultiColumnDropDownTest, EnterInTheListTakesTheRow) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  CountSelects(d);
  TExColGrid* g = Open(d);
  Key(g, VK_DOWN);
  Key(g, VK_DOWN);
  Key(g, VK_RETURN, TShiftState(), u"\r");
  ExpectChoice(d, false, 2, u"Cherry", 1);
}

TEST_F(MultiColumnDropDownTest, AWheelTurnLooksWithoutChoosing) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetItemIndex(1);
  TExColGrid* g = Open(d);
  TestHarness::Click(g, RowPoint(g, 2));  // marks the row; the click closes
  EXPECT_EQ(ExpectWheelOnlyLooks(d, g, 1), 3) << "one row further";
  EXPECT_EQ(d->Text(), u"Banana");
}

TEST_F(MultiColumnDropDownTest, AltUpInTheListClosesKeepingTheRow) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->ShowDropDown();
  TExColGrid* g = d->ExColGrid();
  Key(g, VK_DOWN);
  Key(g, VK_UP, TShiftState(ssAlt));
  EXPECT_FALSE(d->DroppedDown());
  EXPECT_EQ(d->ItemIndex(), 1);
}

TEST_F(MultiColumnDropDownTest, TypingInTheOpenListSearchesIncrementally) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d =
      NewDropDown({{u"Bear"}, {u"Beaver"}, {u"Bison"}, {u"Xerus"}, {u"Yak"}, {u"bee"}});
  TExColGrid* g = Open(d);
  ExpectSearchSteps(d, g, false,
                    {
                        {"the first item that starts with b", u'b', u"b", 0, 1, u"Bear"},
                        {"be", u'e', u"be", 0, 1, u"Bear"},
                        {"bea", u'a', u"bea", 0, 1, u"Bear"},
                        {"beav", u'v', u"beav", 1, 2, u"Beaver"},
                        {"no item with beavx, but one with x", u'x', u"x", 3, 4, u"Xerus"},
                        {"! clears the entry", u'!', u"", 3, 4, u"Xerus"},
                        {"# clears the entry", u'#', u"", 3, 4, u"Xerus"},
                        {"y alone", u'y', u"y", 4, 5, u"Yak"},
                        {"( clears the entry", u'(', u"", 4, 5, u"Yak"},
                        {"nothing with q", u'q', u"", 4, 5, u"Yak"},
                    });
  Type(g, u"bis");
  EXPECT_EQ(d->Text(), u"Bison");
  EXPECT_EQ(d->SelStart(), 3);
  EXPECT_EQ(d->SelLength(), 2) << "the part not typed is selected";
  d->SetSelLength(0);
  Type(g, u"\b");
  EXPECT_EQ(d->LookupEntry(), u"") << "after a Backspace the entry is empty";
  EXPECT_EQ(d->Text(), u"bi") << "the edit shows the entry without its last character";

  d->SetCaseSensitive(true);
  Type(g, u"b");
  EXPECT_EQ(d->ItemIndex(), 5) << "with case only bee starts with b";
  d->HideDropDown(false);
  EXPECT_EQ(d->ItemIndex(), 5) << "the found row is kept";
}

TEST_F(MultiColumnDropDownTest, ASearchOverItemsWithoutALookupTextDoesNotFail) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown({{u"one", u"first"}, {u"two"}, {u"three", u"third"}});
  d->SetLookupColumn(1);
  d->ShowDropDown();
  TExColGrid* g = d->ExColGrid();
  Type(g, u"t");
  EXPECT_EQ(d->ItemIndex(), 2) << "the item without a second text is passed over";
  EXPECT_EQ(d->Text(), u"third");
  d->HideDropDown(true);
}

TEST_F(MultiColumnDropDownTest, AListWithoutItemsOpensAndClosesQuietly) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown({});
  d->SetText(u"typed");
  d->ShowDropDown();
  TExColGrid* g = d->ExColGrid();
  ASSERT_TRUE(d->DroppedDown());
  EXPECT_EQ(g->RowCount(), 1);
  TestHarness::Click(g, RowPoint(g, 0));
  Type(g, u"x");
  d->HideDropDown(false);
  EXPECT_EQ(d->Text(), u"typed") << "no item row, nothing taken";
  EXPECT_EQ(d->ItemIndex(), -1);
}

TEST_F(MultiColumnDropDownTest, AnIndexLeftPastDeletedItemsOpensAtTheFirst) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetItemIndex(4);
  d->Items()->Delete(4);
  d->Items()->Delete(3);
  d->ShowDropDown();
  EXPECT_TRUE(d->DroppedDown());
  EXPECT_EQ(d->ExColGrid()->Row(), 1);
  d->HideDropDown(true);
  EXPECT_EQ(d->ItemIndex(), 4) << "a cancelled close writes the old index back, which is past the items now";
}

// --- Styles and painting ----------------------------------------------------------------------

TEST_F(MultiColumnDropDownTest, ComponentStylesColourTheHeaderLinesAndSelection) {
  // Header top and bottom, line and fixed line, selection text, the selection preset; then the
  // header font's colour and the selection colour.
  ExpectComponentStyles(NewDropDown(Fruit()),
                        {
                            {"Office 2007 Luna", tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0xFFD2AF, 0xFFD2AF, 0,
                             scOffice2007, 0x723708, 0xD7FFFD},
                            {"Windows XP", tsWindowsXP, static_cast<TColor>(0xFF00000F),
                             static_cast<TColor>(0xFF00000F), 0xC0C0C0, 0, static_cast<TColor>(0xFF00000E), scCustom,
                             0, static_cast<TColor>(0xFF00000D)},
                            {"Windows 7: the style's lines win over the preset's", tsWindows7, 0xFDFBFA, 0xFDF3EB,
                             0xFBD6B8, 0xFBD6B8, 0, scWindows7, 0, 0xFCEBDC},
                            {"Office 2010 Blue: a solid header", tsOffice2010Blue, 0xEDDBCD, clNone, 0xEEDDCF,
                             0xEEDDCF, 0, scCustom, 0x5B391E, 0x6CD0FF},
                            {"Office 2003 Silver keeps the header font's colour", tsOffice2003Silver, 0xBDA4A5,
                             0x957475, 0x947C7C, 0x947C7C, 0, scOffice2007, 0x5B391E, 0xD7FFFD},
                            {"custom changes nothing", tsCustom, 0xBDA4A5, 0x957475, 0x947C7C, 0x947C7C, 0,
                             scOffice2007, 0x5B391E, 0xD7FFFD},
                        });
}

TEST_F(MultiColumnDropDownTest, TheListPaintsHeaderItemsAndLines) {
  TestHarness::ShowForm(Form);
  TExMultiColumnDropDown* d = NewDropDown(Fruit());
  d->SetColumnSizeWithDropDown(false);
  d->SetHeaderColor(0x0000FF);
  d->SetHeaderColorTo(clNone);
  d->SetLineColor(0x00FF00);
  d->Columns()->Items(1)->SetColor(0xFF0000);
  d->ShowDropDown();
  TExColGrid* g = d->ExColGrid();
  auto px = [g](Integer X, Integer Y) { return TestHarness::Pixel(g, X, Y); };
  const TRect header = g->CellRect(0, 0);
  EXPECT_EQ(px(header.Left + 3, header.Top + 3), 0x0000FF) << "a solid header";
  const TRect item = g->CellRect(1, 3);
  EXPECT_EQ(px(item.Left + 30, item.Top + 3), 0xFF0000) << "the column's colour";
  EXPECT_EQ(px(item.Left + 30, item.Bottom - 1), 0x00FF00) << "the bottom line";
  EXPECT_EQ(px(item.Right - 1, item.Top + 3), 0x00FF00) << "the right line";

  std::vector<std::string> drawn;
  d->OnDropDownDrawItem = [&](TObject*, Integer Column, Integer Row, TCanvas*, TRect) {
    drawn.push_back(std::to_string(Column) + "," + std::to_string(Row));
  };
  std::vector<std::string> asked;
  d->OnDropDownGetItemText = [&](TObject*, Integer, Integer, String&) { asked.push_back("asked"); };
  g->Invalidate();
  TestHarness::Pixel(g, 1, 1);
  EXPECT_EQ(drawn.size(), static_cast<size_t>(2 * 6)) << "the event draws every cell";
  EXPECT_TRUE(asked.empty()) << "in place of the built-in painting";
  d->HideDropDown(true);
}
