// The track bar drop-down on a form: the arrow keys, dragging over the field, the popup's slider,
// typing, the range the track bar applies, and closing.
#include "components/dropdown/ExTrackBarDropDown.h"

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

class ExTrackBarDropDownTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Track = new TExTrackBarDropDown(Form);
    Track->SetParent(Form);
    Track->SetBounds(10, 10, 200, 21);
    Track->OnTrackChange = [this](TObject*) { ++TrackChanges; };
  }
  void TearDown() override { TComponent::Free(Form); }

  // Opens and closes the popup once, so that the track bar exists.
  void PrepareTrackBar() {
    Track->ShowDropDown();
    Track->HideDropDown(false);
    ASSERT_NE(Track->TrackBar(), nullptr);
  }
  void Arrow(Word Key) { Track->Perform(WM_KEYDOWN, Key, 0); }

  TForm* Form = nullptr;
  TExTrackBarDropDown* Track = nullptr;
  Integer TrackChanges = 0;
};

TEST_F(ExTrackBarDropDownTest, StartsWithItsDefaults) {
  EXPECT_EQ(Track->EditText(), u"0");
  EXPECT_EQ(Track->EditType(), etNumeric);
  EXPECT_FALSE(Track->EditorEnabled());
  EXPECT_TRUE(Track->DropDownEnabled());
  EXPECT_TRUE(Track->ForceShadow());
  EXPECT_EQ(Track->Min(), 0);
  EXPECT_EQ(Track->Max(), 10);
  EXPECT_EQ(Track->Frequency(), 1);
  EXPECT_EQ(Track->PageSize(), 2);
  EXPECT_EQ(Track->TrackBar(), nullptr);
}

TEST_F(ExTrackBarDropDownTest, UpLowersAndDownRaisesWithinTheRange) {
  PrepareTrackBar();
  struct Row {
    const char* Name;
    Integer Frequency, Start;
    Word Key;
    Integer Expected;
  };
  const Row Rows[] = {
      {"Down from 0", 1, 0, VK_DOWN, 1},
      {"Up at the minimum", 1, 0, VK_UP, 0},
      {"Down at the maximum", 1, 10, VK_DOWN, 10},
      {"a step past the maximum does nothing", 3, 8, VK_DOWN, 8},
      {"Up by the frequency", 3, 8, VK_UP, 5},
  };
  for (const Row& R : Rows) {
    Track->SetFrequency(R.Frequency);
    Track->SetPosition(R.Start);
    Arrow(R.Key);
    EXPECT_EQ(Track->Position(), R.Expected) << R.Name;
    EXPECT_EQ(Track->EditText(), IntToStr(R.Expected)) << R.Name;
  }
}

TEST_F(ExTrackBarDropDownTest, DraggingOverTheFieldStepsByPageSize) {
  PrepareTrackBar();
  Track->SetPosition(2);
  TestHarness::SendMouse(Track, WM_RBUTTONDOWN, TPoint(50, 10), MK_RBUTTON);
  ASSERT_TRUE(Track->MouseDragging());
  TestHarness::SendMouse(Track, WM_MOUSEMOVE, TPoint(57, 10), MK_RBUTTON);
  EXPECT_EQ(Track->Position(), 5) << "7 pixels at 2 per step";
  TestHarness::SendMouse(Track, WM_MOUSEMOVE, TPoint(58, 10), MK_RBUTTON);
  TestHarness::SendMouse(Track, WM_MOUSEMOVE, TPoint(59, 10), MK_RBUTTON);
  EXPECT_EQ(Track->Position(), 5) << "moves shorter than the page size add nothing";
  TestHarness::SendMouse(Track, WM_MOUSEMOVE, TPoint(53, 10), MK_RBUTTON);
  EXPECT_EQ(Track->Position(), 2);
  TestHarness::SendMouse(Track, WM_RBUTTONUP, TPoint(53, 10));
  EXPECT_FALSE(Track->MouseDragging());
  EXPECT_EQ(Track->EditText(), u"2");
}

TEST_F(ExTrackBarDropDownTest, SliderMovesShowAtOnce) {
  Track->ShowDropDown();
  TrackChanges = 0;
  Track->TrackBar()->SetPosition(7);
  EXPECT_EQ(Track->Position(), 7);
  EXPECT_EQ(Track->EditText(), u"7");
  EXPECT_EQ(TrackChanges, 1);
  Track->HideDropDown(false);
  EXPECT_EQ(Track->Position(), 7);
}

TEST_F(ExTrackBarDropDownTest, TypingSetsThePositionAndDisablesArrowsAndDragging) {
  PrepareTrackBar();
  Track->SetEditorEnabled(true);
  Track->SetText(u"4");
  EXPECT_EQ(Track->Position(), 4);
  Arrow(VK_DOWN);
  EXPECT_EQ(Track->Position(), 4);
  TestHarness::SendMouse(Track, WM_RBUTTONDOWN, TPoint(50, 10), MK_RBUTTON);
  TestHarness::SendMouse(Track, WM_MOUSEMOVE, TPoint(70, 10), MK_RBUTTON);
  TestHarness::SendMouse(Track, WM_RBUTTONUP, TPoint(70, 10));
  EXPECT_EQ(Track->Position(), 4);
  Track->SetText(u"25");
  EXPECT_EQ(Track->Position(), 10) << "the track bar's range applies";
  EXPECT_EQ(Track->EditText(), u"10");
  EXPECT_THROW(Track->SetText(u"abc"), EConvertError);
  EXPECT_EQ(Track->Position(), 10);
}

// Typing a new number passes through an empty field or a lone sign: neither is an error, and the
// value stays until digits follow.
TEST_F(ExTrackBarDropDownTest, AFieldEmptiedWhileTypingKeepsThePosition) {
  PrepareTrackBar();
  Track->SetEditorEnabled(true);
  Track->SetSigned(true);
  Track->SetText(u"7");
  Track->SetSelStart(1);
  Track->SetSelLength(0);
  TestHarness::SendKeyStroke(Track, VK_BACK, TShiftState(), u"\b");
  EXPECT_EQ(Track->EditText(), u"");
  EXPECT_EQ(Track->Position(), 7);
  TestHarness::SendKeyStroke(Track, 0, TShiftState(), u"-");
  EXPECT_EQ(Track->EditText(), u"-");
  EXPECT_EQ(Track->Position(), 7);
  TestHarness::SendKeyStroke(Track, 0, TShiftState(), u"3");
  EXPECT_EQ(Track->Position(), 0) << "the track bar's range applies to the number typed";
  EXPECT_EQ(Track->EditText(), u"0");
}

TEST_F(ExTrackBarDropDownTest, BeforeTheFirstOpeningValuesAreStoredAsGiven) {
  Track->SetPosition(15);
  EXPECT_EQ(Track->Position(), 15);
  EXPECT_EQ(Track->EditText(), u"15") << "the field shows the value the grid gave";
  Arrow(VK_UP);
  EXPECT_EQ(Track->Position(), 14);
  Track->ShowDropDown();
  EXPECT_EQ(Track->Position(), 10) << "the track bar's range applies at the first opening";
  EXPECT_EQ(Track->EditText(), u"10");
}

// The track bar takes range and value together: a range beyond its old value does not clamp that
// value first and report it over the one being handed over.
TEST_F(ExTrackBarDropDownTest, OpeningHandsOverARangeBeyondTheTrackBarsOldValue) {
  struct Case {
    const char* Name;
    Integer Min, Max, Position;
  };
  const Case cases[] = {
      {"a range wholly above the old one", 20, 30, 25},
      {"a range that starts above the old value", 5, 10, 8},
  };
  for (const Case& c : cases) {
    auto* t = new TExTrackBarDropDown(Form);
    t->SetParent(Form);
    t->SetBounds(10, 40, 200, 21);
    t->SetMin(c.Min);
    t->SetMax(c.Max);
    t->SetPosition(c.Position);
    t->ShowDropDown();
    EXPECT_EQ(t->Position(), c.Position) << c.Name;
    EXPECT_EQ(t->TrackBar()->Position(), c.Position) << c.Name;
    EXPECT_TRUE(t->EditText() == IntToStr(c.Position)) << c.Name;
    t->HideDropDown(false);
    EXPECT_EQ(t->Position(), c.Position) << c.Name;
    TComponent::Free(t);
  }
}

TEST_F(ExTrackBarDropDownTest, RangeMovesWithTheTrackBar) {
  PrepareTrackBar();
  Track->SetPosition(6);
  Track->SetMax(4);
  EXPECT_EQ(Track->Max(), 4);
  EXPECT_EQ(Track->Position(), 4);
  Track->SetMin(20);
  EXPECT_EQ(Track->Min(), 20);
  EXPECT_EQ(Track->Max(), 20) << "a minimum above the maximum takes it along";
  EXPECT_EQ(Track->Position(), 20);
}

TEST_F(ExTrackBarDropDownTest, CancelledCloseBringsBackTheValueOfTheOpening) {
  Track->SetPosition(3);
  Track->ShowDropDown();
  Track->TrackBar()->SetPosition(9);
  ASSERT_EQ(Track->EditText(), u"9");
  Track->HideDropDown(true);
  EXPECT_EQ(Track->Position(), 3);
  EXPECT_EQ(Track->EditText(), u"3");
}

}  // namespace
