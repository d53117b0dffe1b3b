// The time picker drop-down on a form: the field's layout, the arrow keys, typed text, the popup
// with its clock, closing kept and cancelled, and the colour style of the clock.
#include "components/dropdown/ExTimePickerDropDown.h"

#include <gtest/gtest.h>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"

namespace {

class ExTimePickerDropDownTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    T = new TExTimePickerDropDown(Form);
    T->SetParent(Form);
    T->SetBounds(10, 10, 200, 21);
    T->SetAnimation(false);
    T->OnTimeChange = [this](TObject*) { ++TimeChanges; };
  }
  void TearDown() override { TComponent::Free(Form); }

  static TDateTime At(Integer H, Integer M, Integer S = 0) { return EncodeTime(H, M, S, 0); }
  // The time as hh * 10000 + mm * 100 + ss.
  static Integer Hms(TDateTime V) {
    Word H, M, S, MS;
    DecodeTime(V, H, M, S, MS);
    return H * 10000 + M * 100 + S;
  }
  void Arrow(Word Key, Integer Caret) {
    T->SetSelStart(Caret);
    T->SetSelLength(0);
    T->Perform(WM_KEYDOWN, Key, 0);
  }

  TForm* Form = nullptr;
  TExTimePickerDropDown* T = nullptr;
  Integer TimeChanges = 0;
};

TEST_F(ExTimePickerDropDownTest, NewFieldShowsMidnight) {
  EXPECT_EQ(T->EditText(), u"00:00:00");
  EXPECT_EQ(T->Time(), 0);
  EXPECT_FALSE(T->EditorEnabled());
  EXPECT_TRUE(T->DropDownEnabled());
  EXPECT_FALSE(T->DropDownHeader()->Visible());
  EXPECT_EQ(T->WatchAppearance()->BackgroundColor(), 0xFFEFE3) << "the construction's colour style";
}

TEST_F(ExTimePickerDropDownTest, TimeWriteAndTheSecondsLayout) {
  T->SetTime(At(13, 5, 9));
  EXPECT_EQ(T->EditText(), u"13:05:09");
  EXPECT_EQ(TimeChanges, 0);
  T->SetShowSeconds(false);
  EXPECT_EQ(T->EditText(), u"13:05");
  EXPECT_EQ(Hms(T->Time()), 130500) << "read back from the text";
  T->SetShowSeconds(true);
  EXPECT_EQ(T->EditText(), u"13:05:00");
}

TEST_F(ExTimePickerDropDownTest, ArrowsStepThePartUnderTheCaret) {
  struct Row {
    const char* Name;
    TDateTime Start;
    Word Key;
    Integer Caret;
    String Expected;
  };
  const Row Rows[] = {
      {"Up lowers the hour", At(13, 5, 9), VK_UP, 1, u"12:05:09"},
      {"Down raises the hour", At(13, 5, 9), VK_DOWN, 0, u"14:05:09"},
      {"Up at hour 0 wraps to 23", At(0, 5, 9), VK_UP, 1, u"23:05:09"},
      {"Down from minute 59 wraps, the hour stays", At(13, 59, 9), VK_DOWN, 4, u"13:00:09"},
      {"caret right after the hour digits", At(13, 5, 9), VK_UP, 2, u"12:05:09"},
      {"caret before the seconds", At(13, 5, 9), VK_UP, 6, u"13:05:08"},
  };
  for (const Row& R : Rows) {
    T->SetTime(R.Start);
    TimeChanges = 0;
    Arrow(R.Key, R.Caret);
    EXPECT_EQ(T->EditText(), R.Expected) << R.Name;
    EXPECT_EQ(TimeChanges, 1) << R.Name;
    EXPECT_EQ(T->SelStart(), R.Caret) << R.Name;
  }
}

TEST_F(ExTimePickerDropDownTest, TypedTextOfTheFullLayoutSetsTheTime) {
  T->SetEditorEnabled(true);
  T->SetText(u"09:30:15");
  EXPECT_EQ(Hms(T->Time()), 93015);
  T->SetText(u"10:1");
  EXPECT_EQ(Hms(T->Time()), 93015) << "an incomplete text is ignored";
  EXPECT_THROW(T->SetText(u"25:00:00"), EConvertError);
  EXPECT_EQ(Hms(T->Time()), 93015);
  T->SetTimeHour(24);
  T->SetTimeMinute(60);
  EXPECT_EQ(Hms(T->Time()), 93015);
  EXPECT_EQ(TimeChanges, 0);
}

TEST_F(ExTimePickerDropDownTest, PopupShowsTheClockAtTheTime) {
  T->SetTime(At(10, 20));
  T->ShowDropDown();
  ASSERT_TRUE(T->DroppedDown());
  ASSERT_NE(T->Watch(), nullptr);
  EXPECT_EQ(Hms(T->Watch()->Time()), 102000);
  // The popup is as wide as the 170-pixel panel, which then fills its client area inside the frame.
  EXPECT_EQ(T->DropDownForm()->Width(), 170);
  EXPECT_EQ(T->DropDownForm()->Height(), 172);
  EXPECT_EQ(T->PanelCtrl()->Width(), 168);
  EXPECT_EQ(T->Watch()->GetFaceRect().Width(), 148);
  EXPECT_EQ(T->TimePicker(), nullptr);
}

TEST_F(ExTimePickerDropDownTest, ClosingKeepsTheClocksTime) {
  T->SetTime(At(10, 20));
  T->ShowDropDown();
  Word Key = VK_PRIOR;
  T->DropDownFormKeyDown(Key, TShiftState());
  EXPECT_EQ(T->EditText(), u"11:20:00") << "the field follows the clock";
  T->HideDropDown(false);
  EXPECT_EQ(Hms(T->Time()), 112000);
  EXPECT_EQ(T->EditText(), u"11:20:00");
}

TEST_F(ExTimePickerDropDownTest, NavigationKeysInThePopupGoToTheClockOnly) {
  T->SetTime(At(10, 20));
  T->ShowDropDown();
  Word Key = VK_UP;
  T->DropDownFormKeyDown(Key, TShiftState());
  EXPECT_EQ(Hms(T->Time()), 102000) << "Up is not passed to the field";
  Key = VK_RIGHT;
  T->DropDownFormKeyDown(Key, TShiftState());
  EXPECT_EQ(Hms(T->Time()), 102100);
}

TEST_F(ExTimePickerDropDownTest, EscRestoresTheTextLastWrittenThroughText) {
  T->SetText(u"10:00:00");
  T->ShowDropDown();
  Word Key = VK_PRIOR;
  T->DropDownFormKeyDown(Key, TShiftState());
  ASSERT_EQ(T->EditText(), u"11:00:00");
  T->HideDropDown(true);
  EXPECT_EQ(T->EditText(), u"10:00:00");
  EXPECT_EQ(Hms(T->Time()), 100000);
  EXPECT_EQ(Hms(T->Watch()->Time()), 100000);
}

TEST_F(ExTimePickerDropDownTest, EscOnAFieldNeverWrittenThroughTextKeepsTheOpeningTime) {
  T->SetTime(At(10, 0));
  T->ShowDropDown();
  Word Key = VK_PRIOR;
  T->DropDownFormKeyDown(Key, TShiftState());
  T->HideDropDown(true);
  EXPECT_EQ(T->EditText(), u"10:00:00");
  EXPECT_EQ(Hms(T->Time()), 100000);
}

TEST_F(ExTimePickerDropDownTest, EnterOnTheClosedFieldKeepsTheTime) {
  T->ShowDropDown();
  T->HideDropDown(false);
  T->SetTime(At(15, 30));
  T->Perform(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(Hms(T->Time()), 153000) << "the clock's old time does not come back";
}

TEST_F(ExTimePickerDropDownTest, AppearanceReachesTheClockAtTheNextOpening) {
  T->ShowDropDown();
  T->WatchAppearance()->SetBackgroundColor(0x00FF00);
  EXPECT_NE(T->Watch()->Appearance()->BackgroundColor(), 0x00FF00);
  T->HideDropDown(false);
  T->ShowDropDown();
  EXPECT_EQ(T->Watch()->Appearance()->BackgroundColor(), 0x00FF00);
}

TEST_F(ExTimePickerDropDownTest, TimeEntryControlUnderTheClock) {
  T->SetShowTimePicker(true);
  T->SetTime(At(8, 15, 30));
  T->ShowDropDown();
  ASSERT_NE(T->TimePicker(), nullptr);
  EXPECT_TRUE(T->TimePicker()->Visible());
  EXPECT_EQ(Hms(T->TimePicker()->Time()), 81530);
  EXPECT_EQ(T->PanelCtrl()->Height(), T->TimePicker()->Height() + 170);
  Word Key = VK_PRIOR;
  T->DropDownFormKeyDown(Key, TShiftState());
  EXPECT_EQ(Hms(T->TimePicker()->Time()) / 100, 915) << "the picker follows the clock";
  EXPECT_EQ(TimeChanges, 1);
  T->HideDropDown(false);
  T->SetShowTimePicker(false);
  T->ShowDropDown();
  EXPECT_FALSE(T->TimePicker()->Visible());
}

TEST_F(ExTimePickerDropDownTest, ColourStyleReachesTheWatchAppearance) {
  T->SetComponentStyle(tsOffice2007Obsidian);
  EXPECT_EQ(T->WatchAppearance()->HourFont()->Color(), 0xF2F1F0);
  EXPECT_EQ(T->WatchAppearance()->AMPMFont()->Color(), 0xF2F1F0);
  EXPECT_EQ(T->GetComponentStyle(), tsOffice2007Obsidian);
}

}  // namespace

// With typing on (as the grid has it), the field's mask keeps every typed digit in its place:
// the digits fill hours, minutes and seconds around the separators, an emptied field reads as no
// time, and the arrows still step the part under the caret.
TEST_F(ExTimePickerDropDownTest, TypedDigitsFillTheirPlacesAroundTheSeparators) {
  T->SetEditorEnabled(true);
  T->SetTime(At(13, 5, 9));
  T->SetFocus();
  T->SetSelStart(0);
  T->SetSelLength(0);
  TestHarness::Key(T, VK_UP);
  EXPECT_EQ(T->EditText(), u"12:05:09");
  EXPECT_EQ(T->SelStart(), 0);

  T->SetSelStart(0);
  T->SetSelLength(0);
  TestHarness::TypeText(T, u"093015");
  EXPECT_EQ(T->EditText(), u"09:30:15");
  EXPECT_EQ(Hms(T->Time()), 93015);

  T->SetSelStart(0);
  T->SetSelLength(8);
  TestHarness::Key(T, VK_DELETE);
  EXPECT_EQ(T->EditText(), u"  :  :  ");
  EXPECT_EQ(Hms(T->Time()), 93015) << "an empty field is no time: Time stays";
  TestHarness::TypeText(T, u"1");
  EXPECT_EQ(T->EditText(), u"1 :  :  ");
  EXPECT_EQ(Hms(T->Time()), 93015);

  // Without seconds the mask has two parts.
  T->SetShowSeconds(false);
  EXPECT_EQ(T->EditText(), u"09:30");
  T->SetSelStart(0);
  T->SetSelLength(0);
  TestHarness::TypeText(T, u"2");
  EXPECT_EQ(T->EditText(), u"29:30");
  EXPECT_EQ(Hms(T->Time()), 93000) << "29 is passed through while typing, no error";
  TestHarness::TypeText(T, u"145");
  EXPECT_EQ(T->EditText(), u"21:45");
  EXPECT_EQ(Hms(T->Time()), 214500);

  // Leaving the field with a time out of range reports it and shows the time the field holds.
  T->SetSelStart(0);
  T->SetSelLength(0);
  TestHarness::TypeText(T, u"25");
  EXPECT_EQ(T->EditText(), u"25:45");
  EXPECT_EQ(Hms(T->Time()), 214500);
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 60, 100, 21);
  TestHarness::ExpectMessage(u"Invalid argument to time encode", mtError);
  other->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(T->EditText(), u"21:45");
  EXPECT_EQ(Hms(T->Time()), 214500);
}
