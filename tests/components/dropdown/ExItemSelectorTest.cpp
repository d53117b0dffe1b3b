// The item selector on a form: layout of the cells, navigation and lookup, selection and hot
// tracking with the mouse, the painted states, the appearance and its styles, and scrolling.
#include "components/dropdown/ExItemSelector.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

class ExItemSelectorTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Host = new TExCustomItemSelector(Form);
    Host->SetParent(Form);
    Host->SetBounds(10, 10, 300, 250);
  }
  void TearDown() override { TComponent::Free(Form); }

  // Items of a fixed cell size, so the layout does not depend on the font.
  void AddItems(std::vector<String> Captions, TSize Cell = TSize(30, 20)) {
    Host->OnItemSize = [Cell](TObject*, TSize& S) { S = Cell; };
    for (const String& c : Captions) Host->Items()->Add()->SetCaption(c);
    Host->UpdateSelectorPanel();
  }
  TCustomItemSelector* Panel() { return Host->SelectorPanel(); }
  TRect CellOf(Integer i) { return Host->Items()->Items(i)->ItemRect(); }
  TColor Shown(Integer X, Integer Y) {
    Panel()->Invalidate();
    Panel()->PaintIfNeeded();
    return Panel()->BackingImage()->Canvas()->Pixels(X, Y);
  }
  std::vector<TColor> CellPixels(Integer Index) {
    Panel()->Invalidate();
    Panel()->PaintIfNeeded();
    TRect R = CellOf(Index);
    std::vector<TColor> px;
    for (Integer y = R.Top; y < R.Bottom; ++y)
      for (Integer x = R.Left; x < R.Right; ++x) px.push_back(Panel()->BackingImage()->Canvas()->Pixels(x, y));
    return px;
  }

  TForm* Form = nullptr;
  TExCustomItemSelector* Host = nullptr;
};

}  // namespace

TEST_F(ExItemSelectorTest, WithoutItemsThePanelIsSmallAndNothingMoves) {
  TSize S;
  Host->GetPanelSize(S);
  EXPECT_EQ(S, TSize(100, 50));
  Host->SelectFirst();
  Host->SelectLast();
  Host->SelectNext();
  Host->SelectPrevious();
  Host->HotNext();
  Host->HotPrevious();
  EXPECT_EQ(Host->ItemIndex(), -1);
  EXPECT_EQ(Host->ItemHot(), -1);
  EXPECT_FALSE(Host->LookupItem(u"A"));
  EXPECT_EQ(Host->GetVisibleItemCount(), 0);
}

TEST_F(ExItemSelectorTest, SevenItemsInThreeColumnsMakeRowsOfThreeThreeAndOne) {
  Host->SetColumns(3);
  AddItems({u"a", u"b", u"c", u"d", u"e", u"f", u"g"});
  const TRect expected[] = {Rect(2, 2, 32, 22),   Rect(32, 2, 62, 22),  Rect(62, 2, 92, 22), Rect(2, 22, 32, 42),
                            Rect(32, 22, 62, 42), Rect(62, 22, 92, 42), Rect(2, 42, 32, 62)};
  for (Integer i = 0; i < 7; ++i) EXPECT_EQ(CellOf(i), expected[i]) << "item " << i;
  TSize S;
  Host->GetPanelSize(S);
  EXPECT_EQ(S, TSize(2 + 3 * 30 + 2, 2 + 3 * 20 + 2));
}

TEST_F(ExItemSelectorTest, AColumnsWriteOfZeroOrLessIsIgnored) {
  Host->SetColumns(2);
  Host->SetColumns(0);
  EXPECT_EQ(Host->Columns(), 2);
  Host->SetColumns(-3);
  EXPECT_EQ(Host->Columns(), 2);
}

TEST_F(ExItemSelectorTest, TheItemSizeFollowsGraphicCaptionAndLayout) {
  // No captions: a colour box of 14 x 14 plus the item offsets on each side.
  Host->SetSelectorType(stColor);
  for (Integer i = 0; i < 2; ++i) Host->Items()->Add();
  Host->UpdateSelectorPanel();
  EXPECT_EQ(CellOf(0), Rect(2, 2, 2 + 14 + 8, 2 + 14 + 8));
  // A caption beside the box adds the gap and its width plus 4.
  Host->Items()->Items(0)->SetCaption(u"Red");
  TCanvas* C = Panel()->Canvas();
  C->Font()->Assign(Host->ItemAppearance()->Font());
  TSize text;
  DrawHtmlItemText(C, u"Red", Rect(0, 0, 1000, 500), nullptr, false, 0, text);
  EXPECT_EQ(CellOf(0).Width(), 8 + 14 + 4 + text.cx + 4);
  // Caption under the box: as wide as the wider of the two.
  Host->SetItemLayout(ilCaptionBottom);
  Host->UpdateSelectorPanel();
  EXPECT_EQ(CellOf(0).Width(), 8 + std::max(14, text.cx + 4));
  EXPECT_EQ(CellOf(0).Height(), 8 + 14 + 4 + text.cy);
}

TEST_F(ExItemSelectorTest, NavigationStopsInFrontOfADisabledItem) {
  AddItems({u"a", u"b", u"c", u"d"});
  TSelectorItem disabled(nullptr);
  disabled.SetEnabled(false);
  Host->Items()->Items(2)->Assign(&disabled);
  TExCustomItemSelector* H = Host;
  const std::function<void()> Next = [H] { H->SelectNext(); };
  const std::function<void()> Previous = [H] { H->SelectPrevious(); };
  const std::function<void()> First = [H] { H->SelectFirst(); };
  const std::function<void()> Last = [H] { H->SelectLast(); };
  struct Step {
    const char* Name;
    std::function<void()> Op;
    Integer Expected;
  } steps[] = {
      {"next from none takes the first", Next, 0},
      {"next", Next, 1},
      {"next refused by the disabled item", Next, 1},
      {"last", Last, 3},
      {"previous refused by the disabled item", Previous, 3},
      {"first", First, 0},
      {"previous at the first stays", Previous, 0},
  };
  for (const Step& s : steps) {
    s.Op();
    EXPECT_EQ(Host->ItemIndex(), s.Expected) << s.Name;
  }
  Host->HotNext();
  Host->HotNext();
  Host->HotNext();
  EXPECT_EQ(Host->ItemHot(), 1) << "the hot item stops in front of the disabled one too";
}

TEST_F(ExItemSelectorTest, LookupMatchesThePlainUpperCasedCaptionStart) {
  AddItems({u"Blue", u"<b>Red</b> wine", u"  green", u"Red"});
  struct Case {
    const char* Name;
    String Search;
    bool Found;
    Integer Index;
  } cases[] = {
      {"markup around the word", u"RED", true, 1},
      {"leading blanks trimmed", u"GR", true, 2},
      {"lower-case search text is used as it is", u"red", false, -1},
      {"no caption starts so", u"X", false, -1},
      {"an empty text never matches", u"", false, -1},
  };
  for (const Case& c : cases) {
    Host->SetItemIndex(-1);
    EXPECT_EQ(Host->LookupItem(c.Search), c.Found) << c.Name;
    EXPECT_EQ(Host->ItemIndex(), c.Index) << c.Name;
  }
}

TEST_F(ExItemSelectorTest, EveryIndexWriteFiresTheHostsEventWithTheHostAsSender) {
  AddItems({u"a", u"b"});
  std::vector<TObject*> senders;
  Host->OnItemSelect = [&](TObject* S) { senders.push_back(S); };
  Host->SetItemIndex(1);
  Host->SetItemIndex(1);
  Host->SetItemIndex(-1);
  ASSERT_EQ(senders.size(), 2u) << "the same index again fires again; -1 fires nothing";
  EXPECT_EQ(senders[0], Host);
  // An index beyond the items is refused rather than kept as the selection.
  Host->SetItemIndex(5);
  EXPECT_EQ(Host->ItemIndex(), -1);
  EXPECT_EQ(senders.size(), 2u);
}

TEST_F(ExItemSelectorTest, TheMouseSelectsAndTracksEnabledItemsOnly) {
  AddItems({u"a", u"b", u"c"});
  Host->Items()->Items(1)->SetHint(u"second");
  TSelectorItem disabled(nullptr);
  disabled.SetEnabled(false);
  Host->Items()->Items(2)->Assign(&disabled);
  TestHarness::SendMouse(Panel(), WM_MOUSEMOVE, TPoint(10, 30));
  EXPECT_EQ(Host->ItemHot(), 1);
  EXPECT_EQ(Panel()->Hint(), u"second");
  TestHarness::SendMouse(Panel(), WM_MOUSEMOVE, TPoint(10, 50));
  EXPECT_EQ(Host->ItemHot(), -1) << "a disabled item clears the hot item";
  TestHarness::SendMouse(Panel(), WM_LBUTTONDOWN, TPoint(10, 50), MK_LBUTTON);
  TestHarness::SendMouse(Panel(), WM_LBUTTONUP, TPoint(10, 50));
  EXPECT_EQ(Host->ItemIndex(), -1) << "nor can it be clicked into the selection";
  TestHarness::SendMouse(Panel(), WM_LBUTTONDOWN, TPoint(10, 10), MK_LBUTTON);
  TestHarness::SendMouse(Panel(), WM_LBUTTONUP, TPoint(10, 10));
  EXPECT_EQ(Host->ItemIndex(), 0);
  TestHarness::SendMouse(Panel(), WM_MOUSEMOVE, TPoint(10, 30));
  EXPECT_EQ(Host->ItemHot(), 1);
  Panel()->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(Host->ItemHot(), -1);
}

TEST_F(ExItemSelectorTest, AHotItemThatIsAlsoSelectedShowsTheSelectedLook) {
  AddItems({u"a", u"b"}, TSize(40, 24));
  Host->SetItemIndex(0);
  const std::vector<TColor> selected = CellPixels(0);
  TestHarness::SendMouse(Panel(), WM_MOUSEMOVE, TPoint(10, 10));
  ASSERT_EQ(Host->ItemHot(), 0);
  EXPECT_EQ(CellPixels(0), selected);
  // A hot item alone looks different.
  TestHarness::SendMouse(Panel(), WM_MOUSEMOVE, TPoint(10, 35));
  ASSERT_EQ(Host->ItemHot(), 1);
  EXPECT_NE(CellPixels(1), selected);
}

TEST_F(ExItemSelectorTest, AHotBorderColourGivesAPlainFramedGradient) {
  AddItems({u"", u""}, TSize(40, 24));
  Host->SetColor(clWhite);
  const TRect R = CellOf(0);
  TestHarness::SendMouse(Panel(), WM_MOUSEMOVE, TPoint(10, 10));
  // The rounded box of the Office 2007 look leaves its outer corner in the background colour.
  EXPECT_NE(Shown(R.Left, R.Top), 0x0000FF);
  Host->ItemAppearance()->SetBorderColorHot(0x0000FF);
  EXPECT_EQ(Shown(R.Left, R.Top), 0x0000FF);
  EXPECT_EQ(Shown(R.Right - 1, R.Bottom - 1), 0x0000FF);
  EXPECT_EQ(Shown(R.Left, R.Top + R.Height() / 2), 0x0000FF) << "a straight one-pixel frame";
  EXPECT_NE(Shown(R.Left + 1, R.Top + R.Height() / 2), 0x0000FF);
}

TEST_F(ExItemSelectorTest, ACaptionBelowTheGraphicStartsAGapUnderIt) {
  const String caption = u"<font color=\"clRed\">W</font>";
  // Where the caption's red starts when drawn at the top of a rectangle.
  TBitmap scratch(100, 100);
  scratch.Canvas()->Brush()->SetColor(clWhite);
  scratch.Canvas()->FillRect(Rect(0, 0, 100, 100));
  scratch.Canvas()->Font()->Assign(Host->ItemAppearance()->Font());
  scratch.Canvas()->Brush()->SetStyle(bsClear);
  TSize size;
  DrawHtmlItemText(scratch.Canvas(), caption, Rect(0, 0, 100, 100), nullptr, true, 0, size);
  auto firstRedRow = [](TCanvas* C, TRect R) {
    for (Integer y = R.Top; y < R.Bottom; ++y)
      for (Integer x = R.Left; x < R.Right; ++x)
        if (C->Pixels(x, y) == 0x0000FF) return y;
    return -1;
  };
  const Integer offset = firstRedRow(scratch.Canvas(), Rect(0, 0, 100, 100));
  ASSERT_GE(offset, 0);

  Host->SetSelectorType(stColor);
  Host->SetItemLayout(ilCaptionBottom);
  Host->SetColor(clWhite);
  TSelectorItem* item = Host->Items()->Add();
  item->SetColor(0x00FF00);
  item->SetCaption(caption);
  Host->UpdateSelectorPanel();
  const TRect R = CellOf(0);
  Shown(0, 0);
  // Item offset 4, the 14-pixel box, the 4-pixel gap, then the caption.
  EXPECT_EQ(firstRedRow(Panel()->BackingImage()->Canvas(), R), R.Top + 4 + 14 + 4 + offset);
}

TEST_F(ExItemSelectorTest, AnAssignedNamedStyleBringsItsPreset) {
  TItemAppearance source(nullptr), target(nullptr);
  source.SetColorStyle(scWindows7);
  source.SetColorHot(0x123456);
  source.SetColorHotText(0x654321);
  ASSERT_EQ(target.ColorStyle(), scOffice2007);
  target.Assign(&source);
  EXPECT_EQ(target.ColorStyle(), scWindows7);
  EXPECT_EQ(target.ColorHot(), 0xFCEBDC) << "the preset overwrites the copied colour";
  EXPECT_EQ(target.BorderColor(), 0xCEA27D);
  EXPECT_EQ(target.ColorHotText(), 0x654321) << "copied after the style";
  // A custom source brings its colours as they are.
  TItemAppearance custom(nullptr), other(nullptr);
  custom.SetColorStyle(scCustom);
  custom.SetColorHot(0x123456);
  other.Assign(&custom);
  EXPECT_EQ(other.ColorHot(), 0x123456);
}

TEST_F(ExItemSelectorTest, TheComponentStylesColourTheAppearance) {
  struct Case {
    const char* Name;
    TNorvStyle Style;
    TColor ColorSelected, BorderColorTop, BorderColor, SelectedText;
  } cases[] = {
      {"Office 2003", tsOffice2003Blue, 0xAAD9FF, clNone, 0x42AEFE, 0x000000},
      {"Office 2007", tsOffice2007Luna, 0xAAD9FF, 0xF4FEFF, 0x42AEFE, 0x000000},
      {"classic", tsOffice2003Classic, 0xB59285, clNone, 0x808080, 0x000000},
      {"Windows XP", tsWindowsXP, clHighlight, clNone, clHighlight, clHighlightText},
      {"Windows Vista", tsWindowsVista, 0xFEF9F0, 0xFDFBF6, 0xFEDF9A, 0x000000},
      {"Windows 7", tsWindows7, 0xFCEBDC, 0xFDF4EB, 0xCEA27D, 0x000000},
      {"terminal", tsTerminal, clHighlight, clNone, 0x808080, clHighlightText},
      {"Office 2010", tsOffice2010Black, 0x7BEEFF, clNone, 0x308AC2, 0x000000},
  };
  for (const Case& c : cases) {
    TItemAppearance a(nullptr);
    a.SetBorderColorHot(0x111111);
    ItemAppearanceStyle(&a, c.Style);
    EXPECT_EQ(a.ColorSelected(), c.ColorSelected) << c.Name;
    EXPECT_EQ(a.BorderColorTop(), c.BorderColorTop) << c.Name;
    EXPECT_EQ(a.BorderColor(), c.BorderColor) << c.Name;
    EXPECT_EQ(a.ColorSelectedText(), c.SelectedText) << c.Name;
    EXPECT_EQ(a.BorderColorHot(), clNone) << c.Name;
  }
  TItemAppearance custom(nullptr);
  custom.SetColorHot(0x123456);
  ItemAppearanceStyle(&custom, tsCustom);
  EXPECT_EQ(custom.ColorHot(), 0x123456);
  ItemAppearanceStyle(nullptr, tsWindows7);
}

TEST_F(ExItemSelectorTest, ScrollingBringsAnItemIntoView) {
  Host->SetHeight(50);
  AddItems({u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"});
  ASSERT_TRUE(Host->VertScrollBar()->IsScrollBarVisible());
  Host->SetItemIndex(9);
  // Item 9 spans 182..202 in the panel: its bottom comes to the bottom of the view.
  EXPECT_EQ(Host->VertScrollBar()->Position(), 202 - Host->ViewHeight());
  EXPECT_EQ(Panel()->Top(), -Host->VertScrollBar()->Position());
  Host->SetItemIndex(1);
  EXPECT_EQ(Host->VertScrollBar()->Position(), 22) << "its top to the top";
  EXPECT_EQ(Host->GetVisibleItemCount(), 2);
}

TEST_F(ExItemSelectorTest, AnItemTallerThanTheViewScrollsToItsTop) {
  Host->SetHeight(50);
  AddItems({u"0", u"1", u"2"}, TSize(30, 80));
  Host->ScrollItemInView(2);
  EXPECT_EQ(Host->VertScrollBar()->Position(), 162);
}

TEST_F(ExItemSelectorTest, APanelNeedsAHost) {
  try {
    new TCustomItemSelector(Form);
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"Invalid parent");
  }
}

TEST_F(ExItemSelectorTest, AFreedImageListIsForgotten) {
  auto* Images = new TImageList(Form);
  Host->SetImages(Images);
  TComponent::Free(Images);
  EXPECT_EQ(Host->Images(), nullptr);
}

TEST_F(ExItemSelectorTest, OnlyTheItemWritesThatChangeAValueNotify) {
  Integer changes = 0;
  TSelectorItems items(nullptr);
  items.OnChange = [&](TObject*) { ++changes; };
  TSelectorItem* item = items.Add();
  items.Insert(0);
  EXPECT_EQ(changes, 0) << "adding and inserting raise nothing";
  item->SetCaption(u"a");
  item->SetCaption(u"a");
  item->SetColor(clRed);
  item->SetImageIndex(2);
  TPicture picture;
  item->SetImage(&picture);
  item->SetHint(u"h");
  EXPECT_EQ(changes, 3);
  items.Delete(0);
  items.Clear();
  EXPECT_EQ(changes, 3);
}
