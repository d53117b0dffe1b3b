// A list drop-down on a form for the tests of the multi-column drop-down and of the grid drop-down
// (tests/components/grid): the popup placed on a screen of the test's choosing, the keyboard state
// cleared, a drop-down with two columns and rows of texts, typing and keys, and the checks both
// drop-downs pass alike (writing ItemIndex, keys in the edit, the snapped height, the opened list,
// column auto-size, a choice by click, the wheel, the search in the open list, colour styles).
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "components/dropdown/ExDropDown.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"

inline std::string U8(const String& S) { return StringToUtf8(S); }

// D: the drop-down class, G: its list grid.
template <class D, class G>
class ListDropDownFixture : public testing::Test {
 protected:
  // Caption: the form's caption; Columns: the header and width of each column of NewDropDown.
  ListDropDownFixture(String Caption, std::vector<std::pair<String, Integer>> Columns)
      : FCaption(std::move(Caption)), FColumns(std::move(Columns)) {}

  void SetUp() override {
    ClearKeyboardState();
    SetDropDownScreen({[] { return 1080; }, [](TPoint) { return TRect(0, 0, 1920, 1040); }});
    Form = new TForm(Application);
    Form->SetCaption(FCaption);
    Form->SetBounds(100, 100, 500, 400);
    Form->AfterConstruction();
  }
  void TearDown() override {
    TComponent::Free(Form);
    SetDropDownScreen({});
    ClearKeyboardState();
  }

  // A drop-down on the form with the fixture's columns and the given rows of texts; the lookup list
  // built.
  D* NewDropDown(std::vector<std::vector<String>> Rows) {
    auto* d = new D(Form);
    d->SetParent(Form);
    d->SetBounds(10, 10, 200, 21);
    for (const auto& [header, width] : FColumns) {
      auto* column = d->Columns()->Add();
      column->SetHeader(header);
      column->SetWidth(width);
    }
    for (const auto& row : Rows) {
      auto* item = d->Items()->Add();
      for (const String& t : row) item->Text()->Add(t);
    }
    d->EndUpdate();
    return d;
  }
  static std::vector<std::vector<String>> Fruit() {
    return {{u"Apple", u"red"}, {u"Banana", u"yellow"}, {u"Cherry", u"dark red"}, {u"Date", u"brown"},
            {u"Elder", u"black"}};
  }
  // Item0, Item1, ... one text each.
  static std::vector<std::vector<String>> NumberedItems(Integer Count) {
    std::vector<std::vector<String>> rows;
    for (Integer i = 0; i < Count; ++i) rows.push_back({u"Item" + IntToStr(i)});
    return rows;
  }
  // Types each character with its key (letters and digits; with NamedKeys also the blank and
  // Backspace), so the key release follows. Other characters come without a key.
  static void TypeKeys(TWinControl* C, const String& Chars, bool NamedKeys) {
    for (Char ch : Chars) {
      Word vk = 0;
      if (ch >= u'a' && ch <= u'z') vk = static_cast<Word>(ch - u'a' + u'A');
      if ((ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9')) vk = static_cast<Word>(ch);
      if (NamedKeys && ch == u' ') vk = VK_SPACE;
      if (NamedKeys && ch == 8) vk = VK_BACK;
      TestHarness::SendKeyStroke(C, vk, TShiftState(), String(1, ch));
    }
  }
  static void Key(TWinControl* C, Word VirtualKey, TShiftState Shift = TShiftState(), const String& Chars = String()) {
    TestHarness::SendKeyStroke(C, VirtualKey, Shift, Chars);
  }
  // The list's client point in the middle of a row's first cell.
  static TPoint RowPoint(G* Grid, Integer Row) {
    const TRect r = Grid->CellRect(0, Row);
    return Point(r.Left + 5, (r.Top + r.Bottom) / 2);
  }
  // Opens d: its list.
  static G* Open(D* d) {
    d->ShowDropDown();
    return dynamic_cast<G*>(d->Control());
  }

  // Counts the drop-down's OnSelect in Selects.
  void CountSelects(D* d) {
    d->OnSelect = [this](TObject*) { ++Selects; };
  }
  // The popup open or closed, the item and its text, and how often OnSelect fired.
  void ExpectChoice(D* d, bool DroppedDown, Integer Index, const String& Text, Integer SelectCount) const {
    EXPECT_EQ(d->DroppedDown(), DroppedDown);
    EXPECT_EQ(d->ItemIndex(), Index);
    EXPECT_EQ(d->Text(), Text);
    EXPECT_EQ(Selects, SelectCount);
  }
  // A click on the fourth row of d's open list (Cherry of Fruit) chooses it and closes; OnSelect
  // fires once. The list.
  G* ExpectAClickChooses(D* d) {
    CountSelects(d);
    G* g = Open(d);
    TestHarness::Click(g, RowPoint(g, 3));
    ExpectChoice(d, false, 2, u"Cherry", 1);
    return g;
  }

  struct TItemIndexStep {
    const char* Name;
    Integer LookupColumn;
    Integer Write;
    Integer Index;
    String Text;
  };
  // Writes ItemIndex with each step's lookup column: the index and the edit text it leaves.
  static void ExpectItemIndexWrites(D* d, std::initializer_list<TItemIndexStep> Steps) {
    for (const TItemIndexStep& s : Steps) {
      d->SetLookupColumn(s.LookupColumn);
      d->SetItemIndex(s.Write);
      EXPECT_EQ(d->ItemIndex(), s.Index) << s.Name;
      EXPECT_EQ(U8(d->Text()), U8(s.Text)) << s.Name;
    }
  }

  struct TKeyStep {
    const char* Name;
    Word Key;
    Integer Index;
  };
  // Presses each key in the edit: the ItemIndex it leaves.
  static void ExpectKeySteps(D* d, std::initializer_list<TKeyStep> Steps) {
    for (const TKeyStep& s : Steps) {
      Key(d, s.Key);
      EXPECT_EQ(d->ItemIndex(), s.Index) << s.Name;
    }
  }

  // A focused drop-down of 30 numbered items: Down, Down, Page down, Up and Page up in the edit
  // move ItemIndex from none to 0, 1, 11, 10 and 0.
  D* ExpectPagingKeys() {
    D* d = NewDropDown(NumberedItems(30));
    d->SetFocus();
    ExpectKeySteps(d, {
                          {"Down from none", VK_DOWN, 0},
                          {"Down", VK_DOWN, 1},
                          {"Page down", VK_NEXT, 11},
                          {"Up", VK_UP, 10},
                          {"Page up", VK_PRIOR, 0},
                      });
    return d;
  }

  // AdjustDropDownHeight of 200 with header and footer hidden, and of 222 with a visible 22-pixel
  // header.
  static void ExpectSnappedHeights(D* d, Integer WithoutBands, Integer WithHeader) {
    d->DropDownHeader()->SetVisible(false);
    d->DropDownFooter()->SetVisible(false);
    Integer h = 200;
    d->AdjustDropDownHeight(h);
    EXPECT_EQ(h, WithoutBands);
    d->DropDownHeader()->SetVisible(true);
    h = 222;
    d->AdjustDropDownHeight(h);
    EXPECT_EQ(h, WithHeader) << "a visible 22-pixel header is kept apart";
  }

  // What an opening of d with Fruit, a 30-pixel header row and user column sizing gives alike:
  // the list in the popup with two columns, a fixed header row and five item rows, the first
  // column's width, the row heights, whole-row selection and thumb tracking, the first item row
  // current without choosing it, and a popup that a lost activation does not cancel.
  void ExpectOpenedList(D* d, G* g) const {
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(d->DroppedDown());
    EXPECT_EQ(d->Control(), g);
    EXPECT_FALSE(d->DropDownForm()->CancelOnDeActivate());
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->ColWidths(0), FColumns[0].second);
    EXPECT_EQ(g->RowHeights(0), 30);
    EXPECT_EQ(g->RowHeights(1), 22);
    EXPECT_TRUE(g->Options().Contains(goColSizing));
    EXPECT_TRUE(g->Options().Contains(goThumbTracking));
    EXPECT_TRUE(g->Options().Contains(goRowSelect));
    EXPECT_EQ(g->Row(), 1) << "with ItemIndex -1 the first item row is current";
    EXPECT_EQ(d->ItemIndex(), -1) << "and ItemIndex stays";
  }

  // Opens d with its second column auto-sized and the columns not fitted to the popup: the column
  // is as wide as its widest text (dark red of Fruit) and 6. The list.
  static G* OpenAutoSized(D* d) {
    d->SetColumnSizeWithDropDown(false);
    d->Columns()->Items(1)->SetAutoSize(true);
    G* g = Open(d);
    TCanvas* c = g->Canvas();
    c->Font()->Assign(d->Columns()->Items(1)->Font());
    EXPECT_EQ(g->ColWidths(1), c->TextWidth(u"dark red") + 6) << "the widest text and 6";
    return g;
  }

  // Opens d and turns the wheel down over the list's second row: the list's row moves, the item
  // (Index) does not, and a close that keeps the choice does not take the row. The list's row
  // after the turn.
  static Integer ExpectWheelOnlyLooks(D* d, G* g, Integer Index) {
    d->ShowDropDown();
    TestHarness::Wheel(g, -120, RowPoint(g, 2));
    const Integer row = g->Row();
    EXPECT_GT(row, 2) << "the wheel moves the list's row";
    EXPECT_EQ(d->ItemIndex(), Index) << "but not the item";
    d->HideDropDown(false);
    EXPECT_EQ(d->ItemIndex(), Index) << "nor does a close take it";
    return row;
  }

  struct TSearchStep {
    const char* Name;
    Char Typed;
    String Entry;
    Integer Index;
    Integer Row;
    std::optional<String> Text = {};
  };
  // Types each character into the open list g: the search entry, the item, the list's row and,
  // where the step names it, the edit text.
  static void ExpectSearchSteps(D* d, G* g, bool NamedKeys, std::initializer_list<TSearchStep> Steps) {
    for (const TSearchStep& s : Steps) {
      TypeKeys(g, String(1, s.Typed), NamedKeys);
      EXPECT_EQ(U8(d->LookupEntry()), U8(s.Entry)) << s.Name;
      EXPECT_EQ(d->ItemIndex(), s.Index) << s.Name;
      EXPECT_EQ(g->Row(), s.Row) << s.Name;
      if (s.Text) EXPECT_EQ(U8(d->Text()), U8(*s.Text)) << s.Name;
    }
  }

  struct TStyleCase {
    const char* Name;
    TNorvStyle Style;
    TColor Header, HeaderTo, Line, FixedLine, SelectionText;
    TSelectionColorStyle Selection;
    // Checked where given.
    std::optional<TColor> HeaderFont = {}, SelectionColor = {};
  };
  // Applies each component style: the header, line and selection colours it leaves. Then the
  // Vista selection preset brings its line colours.
  static void ExpectComponentStyles(D* d, std::initializer_list<TStyleCase> Cases) {
    for (const TStyleCase& c : Cases) {
      d->SetComponentStyle(c.Style);
      EXPECT_EQ(d->HeaderColor(), c.Header) << c.Name;
      EXPECT_EQ(d->HeaderColorTo(), c.HeaderTo) << c.Name;
      EXPECT_EQ(d->LineColor(), c.Line) << c.Name;
      EXPECT_EQ(d->FixedLineColor(), c.FixedLine) << c.Name;
      EXPECT_EQ(d->SelectionTextColor(), c.SelectionText) << c.Name;
      EXPECT_EQ(d->SelectionColorStyle(), c.Selection) << c.Name;
      if (c.HeaderFont) EXPECT_EQ(d->HeaderFont()->Color(), *c.HeaderFont) << c.Name;
      if (c.SelectionColor) EXPECT_EQ(d->SelectionColor(), *c.SelectionColor) << c.Name;
      EXPECT_EQ(d->GetComponentStyle(), c.Style) << c.Name;
    }
    d->SetSelectionColorStyle(scWindowsVista);
    EXPECT_EQ(d->LineColor(), 0xECECF0);
    EXPECT_EQ(d->FixedLineColor(), 0xD4D2D1);
  }

  TForm* Form = nullptr;
  Integer Selects = 0;

 private:
  String FCaption;
  std::vector<std::pair<String, Integer>> FColumns;
};
