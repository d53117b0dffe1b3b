// The multi-column drop-down's pieces that need no window: completing typed text from the lookup
// list, the moves of the current item, the popup height snapped to whole rows, fitting the columns
// to the popup, and the columns and items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/dropdown/ExMultiColumnDropDown.h"
#include "platform/rtl/SysUtils.h"

using namespace ExMultiColumnDropDown;

namespace {

std::string U8(const String& S) { return StringToUtf8(S); }

std::unique_ptr<TStringList> Lookup(std::initializer_list<const char16_t*> Entries) {
  auto list = std::make_unique<TStringList>();
  for (const char16_t* e : Entries) list->Add(e);
  return list;
}

}  // namespace

TEST(MultiColumnCompletion, CompletesTheTypedPartFromTheFirstMatchingEntry) {
  const auto lookup = Lookup({u"Abc", u"abd", u"xyz"});
  struct Case {
    const char* Name;
    String Text;
    Integer Caret;
    bool MatchCase;
    bool Matched;
    Integer Index;
    bool Changed;
    String Result;
    Integer KeyLength;
  };
  const Case cases[] = {
      {"the typed case stays, the tail comes from the entry", u"ab", 2, false, true, 0, true, u"abc", 2},
      {"with case the first entry does not match", u"ab", 2, true, true, 1, true, u"abd", 2},
      {"only the part before the caret counts", u"xq", 1, false, true, 2, true, u"xyz", 1},
      {"no match drops what stands after the caret", u"qrst", 2, false, false, -1, true, u"qr", 2},
      {"an empty typed part changes nothing", u"abc", 0, false, false, -1, false, u"", 0},
      {"a typed part longer than the entry", u"abcd", 4, false, false, -1, true, u"abcd", 4},
      {"the whole entry typed", u"XYZ", 3, false, true, 2, true, u"XYZ", 3},
  };
  for (const Case& c : cases) {
    const TLookupCompletion r = CompleteFromLookup(c.Text, c.Caret, lookup.get(), c.MatchCase);
    EXPECT_EQ(r.Matched, c.Matched) << c.Name;
    EXPECT_EQ(r.Index, c.Index) << c.Name;
    EXPECT_EQ(r.Changed, c.Changed) << c.Name;
    if (c.Changed) {
      EXPECT_EQ(U8(r.Text), U8(c.Result)) << c.Name;
    }
    EXPECT_EQ(r.KeyLength, c.KeyLength) << c.Name;
  }
}

TEST(MultiColumnCompletion, TheTailIsCutAfter255Characters) {
  auto lookup = std::make_unique<TStringList>();
  lookup->Add(u"ab" + String(300, u'z'));
  const TLookupCompletion r = CompleteFromLookup(u"ab", 2, lookup.get(), false);
  ASSERT_TRUE(r.Matched);
  EXPECT_EQ(r.Text, u"ab" + String(255, u'z'));
  EXPECT_EQ(CompleteFromLookup(u"ab", 2, nullptr, false).Text, u"ab") << "no lookup list matches nothing";
}

TEST(MultiColumnSearch, TheKeyCodesOfTheListKeysAreNotSearched) {
  struct Case {
    const char* Name;
    Char Code;
    bool Unsearched;
  };
  const Case Cases[] = {
      {"Enter", 13, true},
      {"Esc", 27, true},
      {"page up", 33, true},
      {"Home", 36, true},
      {"up", 38, true},
      {"down", 40, true},
      {"left (%)", 37, false},
      {"right (')", 39, false},
      {"blank", u' ', false},
      {"a letter", u'a', false},
  };
  for (const Case& C : Cases) EXPECT_EQ(IsUnsearchedCode(C.Code), C.Unsearched) << C.Name;
}

TEST(MultiColumnMoves, KeysAndWheelMoveTheCurrentItem) {
  struct Case {
    const char* Name;
    Integer (*Move)(Integer, Integer);
    Integer Current;
    Integer Count;
    Integer Expected;
  };
  const Case cases[] = {
      {"next from none", NextItem, -1, 5, 0},
      {"next", NextItem, 2, 5, 3},
      {"next stops at the last", NextItem, 4, 5, 4},
      {"previous from none", PreviousItem, -1, 5, 0},
      {"previous stops at the first", PreviousItem, 0, 5, 0},
      {"page down", PageDownItem, 3, 30, 13},
      {"page down stops at the last", PageDownItem, 25, 30, 29},
      {"page down from none", PageDownItem, -1, 30, 0},
      {"page up", PageUpItem, 15, 30, 5},
      {"page up stops at the first", PageUpItem, 7, 30, 0},
      {"first", FirstItem, 7, 30, 0},
      {"last from none", LastItem, -1, 30, 29},
      {"no move without items", NextItem, -1, 0, -1},
      {"no last without items", LastItem, 3, 0, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Move(c.Current, c.Count), c.Expected) << c.Name;
}

TEST(MultiColumnSizing, ThePopupHeightSnapsToWholeRows) {
  struct Case {
    const char* Name;
    Integer Height, Bands, HeaderHeight, RowHeight, Expected;
  };
  const Case cases[] = {
      {"seven rows of 22 under a 25 header", 200, 0, 25, 22, 181},
      {"with header and footer bands", 244, 44, 25, 22, 225},
      {"an exact fit stays", 181, 0, 25, 22, 181},
      {"too low for one row", 40, 0, 25, 22, 27},
      {"no row height leaves the height", 200, 0, 25, 0, 200},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SnapDropDownHeight(c.Height, c.Bands, c.HeaderHeight, c.RowHeight), c.Expected) << c.Name;
}

TEST(MultiColumnSizing, ColumnsScaleToTheWidthCarryingTheRoundingError) {
  struct Case {
    const char* Name;
    std::vector<Integer> Widths;
    Integer Avail;
    std::vector<Integer> Expected;
  };
  const Case cases[] = {
      // f = 301 / 301: every width stays.
      {"a width that fits them all", {100, 100, 100}, 301, {100, 100, 100}},
      // f = 62 / 31 = 2: exactly doubled.
      {"doubled", {10, 20}, 62, {20, 40}},
      // f = 300 / 101: exacts 59.41 each; the carried 0.41 passes 1 at the third and the fifth.
      {"one more pixel whenever the carried error passes 1", {20, 20, 20, 20, 20}, 300, {59, 59, 60, 59, 60}},
      // f = 0.5: exacts 0.5 round to 0; the carried error is 1.0 after the second (not past 1) and
      // 1.5 after the third.
      {"the error must pass 1, not reach it", {1, 1, 1}, 2, {0, 0, 1}},
      // f = 2.5 and 3.5: half-way values go to the even neighbour.
      {"2.5 rounds down to even", {1}, 5, {2}},
      {"3.5 rounds up to even", {1}, 7, {4}},
      {"no columns", {}, 100, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitColumnWidths(c.Widths, c.Avail), c.Expected) << c.Name;
}

TEST(MultiColumnItems, ColumnsAndItemsCopyAndLookUp) {
  TDropDownColumns columns(nullptr);
  TDropDownColumn* a = columns.Add();
  EXPECT_EQ(a->Width(), 80);
  EXPECT_EQ(a->Color(), 0xFFFFFF);
  EXPECT_EQ(a->ColumnType(), ctText);
  EXPECT_EQ(a->Alignment(), taLeftJustify);
  a->SetHeader(u"Name");
  a->SetWidth(120);
  a->SetWordwrap(true);
  a->SetAutoSize(true);
  a->SetAlignment(taCenter);
  a->SetColor(0x123456);
  a->SetColumnType(ctImage);
  a->SetEllipsis(true);
  a->Font()->SetColor(0x0000FF);
  TDropDownColumn* b = columns.Add();
  b->Assign(a);
  EXPECT_EQ(b->Header(), u"Name");
  EXPECT_EQ(b->Width(), 120);
  EXPECT_TRUE(b->Wordwrap() && b->AutoSize() && b->Ellipsis());
  EXPECT_EQ(b->Alignment(), taCenter);
  EXPECT_EQ(b->Color(), 0x123456);
  EXPECT_EQ(b->ColumnType(), ctImage);
  EXPECT_EQ(b->Font()->Color(), 0x0000FF);
  EXPECT_NE(b->Font(), a->Font()) << "the font is copied, not shared";

  TDropDownItems items(nullptr);
  TDropDownItem* first = items.Add();
  first->Text()->Add(u"one");
  TDropDownItem* second = items.Add();
  second->Text()->Add(u"two");
  second->Text()->Add(u"Zwei");
  second->SetImageIndex(3);
  TDropDownItem* third = items.Add();
  third->Assign(second);
  EXPECT_EQ(third->ImageIndex(), 3);
  EXPECT_EQ(third->Text()->Count(), 2);
  struct Case {
    const char* Name;
    Integer Column;
    String Value;
    Integer Expected;
  };
  const Case cases[] = {
      {"first column", 0, u"two", 1},
      {"second column, an item without it is skipped", 1, u"Zwei", 1},
      {"with case", 1, u"zwei", -1},
      {"an empty value does not match a missing text", 1, u"", -1},
      {"a negative column", -1, u"one", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(items.IndexInColumn(c.Column, c.Value), c.Expected) << c.Name;
  EXPECT_EQ(ItemText(first, 1), u"") << "a missing text reads empty";
  EXPECT_EQ(ItemText(second, 1), u"Zwei");
}
