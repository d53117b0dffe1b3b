// The detail picker on a form: completion of typed text, Enter and Esc with exact captions, the
// selection and its events, the rows of the list with their notes, and cancelling.
#include "components/dropdown/ExDetailDropDown.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

TEST(AutoCompleteTextTest, CompletesFromTheFirstCaptionStartingWithTheTypedPart) {
  const std::vector<String> captions = {u"Apple", u"Banana", u"Cherry", u"banjo"};
  struct Case {
    const char* Name;
    String Text;
    Integer SelStart;
    bool MatchCase;
    bool Matched;
    Integer Index;
    String Result;
    Integer ResultSelStart, ResultSelLength;
    bool Changed;
  } cases[] = {
      {"typed b completes, keeping the typed case", u"b", 1, false, true, 1, u"banana", 1, 5, true},
      {"the part after the caret is not compared", u"baXX", 2, false, true, 1, u"banana", 2, 4, true},
      {"with match case the lower-case caption", u"ban", 3, true, true, 3, u"banjo", 3, 2, true},
      {"no caption: the text is cut after the caret", u"xyz", 1, false, false, -1, u"x", 1, 0, true},
      {"a caret at the start completes nothing", u"b", 0, false, false, -1, u"", 0, 0, false},
      {"a whole caption stays as it is", u"Cherry", 6, false, true, 2, u"Cherry", 6, 0, true},
  };
  for (const Case& c : cases) {
    const TAutoCompletion r = AutoCompleteText(c.Text, c.SelStart, captions, c.MatchCase);
    EXPECT_EQ(r.Matched, c.Matched) << c.Name;
    EXPECT_EQ(r.Index, c.Index) << c.Name;
    EXPECT_EQ(r.Changed, c.Changed) << c.Name;
    if (!c.Changed) continue;
    EXPECT_EQ(r.Text, c.Result) << c.Name;
    EXPECT_EQ(r.SelStart, c.ResultSelStart) << c.Name;
    EXPECT_EQ(r.SelLength, c.ResultSelLength) << c.Name;
  }
  const String longCaption(300, u'a');
  EXPECT_EQ(AutoCompleteText(u"a", 1, {longCaption}, false).Text.size(), 255u) << "at most 255 characters";
}

namespace {

class ExDetailDropDownTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Picker = new TExDetailDropDown(Form);
    Picker->SetParent(Form);
    Picker->SetBounds(10, 10, 200, 21);
    for (const char16_t* c : {u"Apple", u"Banana", u"Cherry"}) Picker->Items()->Add()->SetCaption(c);
    Picker->OnSelect = [this](TObject*) { ++Selects; };
    Picker->SetFocus();
    TestHarness::ProcessEvents();
  }
  void TearDown() override { TComponent::Free(Form); }

  TForm* Form = nullptr;
  TExDetailDropDown* Picker = nullptr;
  Integer Selects = 0;
};

}  // namespace

TEST_F(ExDetailDropDownTest, TypingCompletesFromTheCaptions) {
  ASSERT_TRUE(Picker->EditorEnabled());
  TestHarness::TypeText(Picker, u"b");
  EXPECT_EQ(Picker->Text(), u"banana");
  EXPECT_EQ(Picker->SelStart(), 1);
  EXPECT_EQ(Picker->SelLength(), 5);
  EXPECT_EQ(Picker->ItemIndex(), 1);
  EXPECT_EQ(Selects, 0) << "the completion selects without the event";
  // Backspace removes the completion and does not complete again.
  TestHarness::Key(Picker, VK_BACK);
  EXPECT_EQ(Picker->Text(), u"b");
}

TEST_F(ExDetailDropDownTest, TypingWhatNoCaptionStartsWithKeepsTheText) {
  TestHarness::TypeText(Picker, u"x");
  EXPECT_EQ(Picker->Text(), u"x");
  EXPECT_EQ(Picker->ItemIndex(), -1);
}

TEST_F(ExDetailDropDownTest, EnterTakesTheItemWhoseCaptionMatchesExactly) {
  Picker->SetText(u"cherry");
  TestHarness::Key(Picker, VK_RETURN);
  EXPECT_EQ(Picker->ItemIndex(), -1) << "captions are compared case-sensitively";
  EXPECT_EQ(Selects, 0);
  Picker->SetText(u"Cherry");
  TestHarness::Key(Picker, VK_RETURN);
  EXPECT_EQ(Picker->ItemIndex(), 2);
  EXPECT_EQ(Selects, 1);
}

TEST_F(ExDetailDropDownTest, TheIndexWritesTextAndEvents) {
  Picker->SetItemIndex(1);
  EXPECT_EQ(Picker->Text(), u"Banana");
  EXPECT_EQ(Picker->SelLength(), 6) << "the whole text selected";
  EXPECT_EQ(Selects, 1);
  Picker->SetItemIndex(1);
  Picker->SetItemIndex(7);
  EXPECT_EQ(Selects, 1);
  Picker->SetItemIndex(-1);
  EXPECT_EQ(Picker->Text(), u"");
  EXPECT_EQ(Picker->ItemIndex(), -1);
  EXPECT_EQ(Selects, 1) << "clearing fires nothing";
  EXPECT_EQ(Picker->Items()->IndexOf(u"Cherry"), 2);
  EXPECT_EQ(Picker->Items()->IndexOf(u"cherry"), -1);
}

TEST_F(ExDetailDropDownTest, TheRowsAreAsWideAsThePopupLessBordersAndMargin) {
  Picker->ShowDropDown();
  ASSERT_TRUE(Picker->DroppedDown());
  TExCustomItemSelector* List = Picker->ItemSelector();
  ASSERT_EQ(List->Items()->Count(), 3);
  EXPECT_FALSE(List->VertScrollBar()->IsScrollBarVisible());
  const Integer popup = Picker->DropDownForm()->Width();
  EXPECT_EQ(popup, Picker->Width());
  const TRect R = List->Items()->Items(0)->ItemRect();
  EXPECT_EQ(R.Width(), popup - 2 * GetSystemMetrics(SM_CXBORDER) - 4);
  EXPECT_EQ(R.Height(), 22);
}

TEST_F(ExDetailDropDownTest, NotesStartOneCaptionLineBelowTheCaption) {
  Picker->Items()->Items(0)->SetNotes(u"<font color=\"clRed\">W</font>");
  Picker->SetDropDownWidth(200);
  Picker->SetItemHeight(40);
  Picker->ShowDropDown();
  TCustomItemSelector* Panel = Picker->ItemSelector()->SelectorPanel();
  Panel->Invalidate();
  Panel->PaintIfNeeded();
  const TRect R = Picker->ItemSelector()->Items()->Items(0)->ItemRect();
  // Where the notes' red begins when drawn at the top of a rectangle in the notes font.
  TBitmap scratch(100, 60);
  TCanvas* S = scratch.Canvas();
  S->Brush()->SetColor(clWhite);
  S->FillRect(Rect(0, 0, 100, 60));
  S->Font()->Assign(Picker->NotesFont());
  S->Brush()->SetStyle(bsClear);
  TSize size;
  DrawHtmlItemText(S, u"<font color=\"clRed\">W</font>", Rect(0, 0, 100, 60), nullptr, true, 0, size);
  auto firstRedRow = [](TCanvas* C, TRect Area) {
    for (Integer y = Area.Top; y < Area.Bottom; ++y)
      for (Integer x = Area.Left; x < Area.Right; ++x)
        if (C->Pixels(x, y) == 0x0000FF) return y;
    return -1;
  };
  const Integer offset = firstRedRow(S, Rect(0, 0, 100, 60));
  ASSERT_GE(offset, 0);
  TCanvas* measure = scratch.Canvas();
  measure->Font()->Assign(Picker->CaptionFont());
  const Integer line = measure->TextHeight(u"gh");
  EXPECT_EQ(firstRedRow(Panel->BackingImage()->Canvas(), R), R.Top + 2 + line + offset);
}

TEST_F(ExDetailDropDownTest, CancellingRestoresTheOpeningItemUnlessThereWasNone) {
  Picker->SetItemIndex(0);
  Picker->ShowDropDown();
  Picker->Perform(WM_KEYDOWN, VK_DOWN, 0);
  Picker->Perform(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Picker->ItemIndex(), 2);
  EXPECT_EQ(Picker->Text(), u"Cherry");
  EXPECT_TRUE(Picker->DroppedDown());
  Picker->HideDropDown(true);
  EXPECT_EQ(Picker->ItemIndex(), 0);
  EXPECT_EQ(Picker->Text(), u"Apple");

  Picker->SetItemIndex(-1);
  Picker->ShowDropDown();
  Picker->Perform(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Picker->ItemIndex(), 0);
  Picker->HideDropDown(true);
  EXPECT_EQ(Picker->ItemIndex(), 0) << "nothing was selected at opening: the choice stays";
}

TEST_F(ExDetailDropDownTest, ClickingARowChoosesItAndCloses) {
  Picker->ShowDropDown();
  TCustomItemSelector* Panel = Picker->ItemSelector()->SelectorPanel();
  const TRect R = Picker->ItemSelector()->Items()->Items(1)->ItemRect();
  TestHarness::SendMouse(Panel, WM_LBUTTONDOWN, TPoint(R.Left + 5, R.Top + 5), MK_LBUTTON);
  EXPECT_EQ(Picker->ItemIndex(), 1);
  EXPECT_EQ(Picker->Text(), u"Banana");
  EXPECT_FALSE(Picker->DroppedDown());
}

// Once the popup has been opened its list holds the items; typing into the edit still completes
// what was typed, character after character, and is not taken over by a search of the list that
// would put a whole caption in place of the typed part.
TEST_F(ExDetailDropDownTest, TypingAfterTheListWasFilledStillCompletesTheTypedText) {
  Picker->ShowDropDown();
  Picker->HideDropDown(false);
  Picker->SetItemIndex(-1);
  Picker->SetFocus();
  TestHarness::TypeText(Picker, u"ba");
  EXPECT_EQ(Picker->Text(), u"banana");
  EXPECT_EQ(Picker->SelStart(), 2);
  EXPECT_EQ(Picker->SelLength(), 4);
  EXPECT_EQ(Picker->ItemIndex(), 1);
  EXPECT_EQ(Selects, 0) << "the completion selects without the event";

  // Without typing in the edit, typed letters search the captions.
  Picker->SetEditorEnabled(false);
  Picker->Perform(WM_KEYDOWN, 'C', 0);
  EXPECT_EQ(Picker->ItemIndex(), 2);
  EXPECT_EQ(Picker->Text(), u"Cherry");
}

// A closed popup's list still holds the selection of its last opening; the page keys move on from
// the item chosen since.
TEST_F(ExDetailDropDownTest, PageKeysOnAClosedPickerMoveOnFromTheCurrentItem) {
  for (Integer i = 0; i < 30; ++i) Picker->Items()->Add()->SetCaption(u"Item " + IntToStr(i));
  Picker->SetItemIndex(0);
  Picker->ShowDropDown();
  Picker->HideDropDown(false);
  const Integer n = Picker->ItemSelector()->GetVisibleItemCount();
  ASSERT_GT(n, 0);
  Picker->SetItemIndex(10);
  Picker->Perform(WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(Picker->ItemIndex(), std::min<Integer>(10 + n, 32));
  Picker->SetItemIndex(20);
  Picker->Perform(WM_KEYDOWN, VK_PRIOR, 0);
  EXPECT_EQ(Picker->ItemIndex(), std::max<Integer>(0, 20 - n));
  EXPECT_FALSE(Picker->DroppedDown());
}
