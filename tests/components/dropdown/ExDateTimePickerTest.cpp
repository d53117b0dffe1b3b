// The date-time pickers: digits typed into the platform picker's fields, its check box and its
// notifications; AutoTab; the embedded time picker of a date-and-time picker with its values and
// check box; the caption label; the own frame and drop button.
#include "components/dropdown/ExDateTimePicker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"

namespace {

std::string U8(const String& S) { return StringToUtf8(S); }

String Shown(TDateTime Value, const char16_t* Format) { return FormatDateTime(Format, Value); }

class DateTimePickerTest : public testing::Test {
 protected:
  void SetUp() override {
    SavedSettings = FormatSettings;
    FormatSettings = TFormatSettings::English();
    ClearKeyboardState();
    Form = new TForm(Application);
    Form->SetCaption(u"DateTimePickers");
    Form->SetBounds(100, 100, 500, 300);
    Form->AfterConstruction();
  }
  void TearDown() override {
    TComponent::Free(Form);
    FormatSettings = SavedSettings;
    ClearKeyboardState();
  }
  TExDateTimePicker* NewPicker(TExDateTimeKind Kind = dkDateTime) {
    auto* p = new TExDateTimePicker(Form);
    p->SetKind(Kind);
    p->SetParent(Form);
    p->SetBounds(120, 40, 250, 24);
    return p;
  }
  // Types digits with their keys; the posted messages that follow are handled.
  static void TypeDigits(TWinControl* C, const String& Digits) {
    for (Char ch : Digits) {
      TestHarness::SendKeyStroke(C, static_cast<Word>(ch), TShiftState(), String(1, ch));
      TestHarness::ProcessEvents();
    }
  }

  TForm* Form = nullptr;
  TFormatSettings SavedSettings;
};

// A platform picker that records its notifications and set-value messages.
class TRecordingPicker : public TDateTimePicker {
 public:
  using TDateTimePicker::TDateTimePicker;
  void Dispatch(TMessage& M) override {
    if (M.Msg == DTM_SETSYSTEMTIME) Log.push_back(M.WParam == GDT_NONE ? "set none" : "set valid");
    if (M.Msg == CN_NOTIFY) {
      const auto* n = reinterpret_cast<const TNMDateTimeChange*>(M.LParam);
      if (n->hdr.code == DTN_DATETIMECHANGE) Log.push_back(n->dwFlags == GDT_NONE ? "change none" : "change");
      if (n->hdr.code == DTN_DROPDOWN) Log.push_back("dropdown");
      if (n->hdr.code == DTN_CLOSEUP) Log.push_back("closeup");
    }
    TDateTimePicker::Dispatch(M);
  }
  std::vector<std::string> Log;
};

}  // namespace

// --- The platform picker ------------------------------------------------------------------------

TEST_F(DateTimePickerTest, DigitsReplaceTheSelectedField) {
  TestHarness::ShowForm(Form);
  auto* p = new TDateTimePicker(Form);
  p->SetParent(Form);
  p->SetFormat(u"dd.MM.yyyy");
  struct Step {
    const char* Name;
    Integer Field;  // selected before the digits, -1 to keep
    const char16_t* Digits;
    const char16_t* Shown;
  };
  const Step steps[] = {
      {"two digits make the day", 0, u"15", u"15.03.2021"},
      {"a third digit starts the day anew", -1, u"2", u"02.03.2021"},
      {"a digit that makes the day too large starts anew", 0, u"35", u"05.03.2021"},
      {"a first 0 waits for the second digit", 1, u"0", u"05.03.2021"},
      {"the month after the 0", -1, u"7", u"05.07.2021"},
      {"a year counts with its fourth digit", 2, u"199", u"05.07.2021"},
      {"the fourth digit", -1, u"8", u"05.07.1998"},
  };
  p->SetDateTime(EncodeDate(2021, 3, 31) + EncodeTime(10, 20, 0, 0));
  p->SetDateTime(EncodeDate(2021, 3, 12) + EncodeTime(10, 20, 0, 0));
  Integer changes = 0;
  p->OnChange = [&](TObject*) { ++changes; };
  for (const Step& s : steps) {
    if (s.Field >= 0) p->SetSelectedField(s.Field);
    for (Char ch : String(s.Digits)) p->Perform(WM_CHAR, ch, 0);
    EXPECT_EQ(U8(p->DisplayText()), U8(s.Shown)) << s.Name;
  }
  EXPECT_EQ(changes, 7) << "each applied digit is a change of the user";
  p->SetSelectedField(0);
  p->SetDateTime(EncodeDate(2021, 2, 10));
  p->Perform(WM_CHAR, u'3', 0);
  p->Perform(WM_CHAR, u'1', 0);
  EXPECT_EQ(U8(p->DisplayText()), "01.02.2021") << "31 is too large for February";

  p->SetKind(dtkTime);
  p->SetFormat(u"HH:mm:ss");
  p->SetTime(EncodeTime(10, 20, 30, 0));
  p->SetSelectedField(0);
  for (Char ch : String(u"25")) p->Perform(WM_CHAR, ch, 0);
  EXPECT_EQ(p->DisplayText(), u"05:20:30") << "25 is too large for an hour: the 5 starts it anew";
  for (Char ch : String(u"19")) p->Perform(WM_CHAR, ch, 0);
  EXPECT_EQ(p->DisplayText(), u"19:20:30");
  p->SetSelectedField(1);
  for (Char ch : String(u"75")) p->Perform(WM_CHAR, ch, 0);
  EXPECT_EQ(p->DisplayText(), u"19:05:30") << "75 minutes start anew with 5";
}

TEST_F(DateTimePickerTest, TheCheckBoxLocksTheValueAndIsReported) {
  TestHarness::ShowForm(Form);
  auto* p = new TRecordingPicker(Form);
  p->SetParent(Form);
  p->SetFormat(u"dd.MM.yyyy");
  p->SetShowCheckbox(true);
  p->SetDateTime(EncodeDate(2021, 3, 12));
  EXPECT_TRUE(p->Checked());
  p->Log.clear();
  const TRect box = p->CheckboxRect();
  ASSERT_FALSE(box.Width() == 0);
  TestHarness::Click(p, Point((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2));
  EXPECT_FALSE(p->Checked());
  EXPECT_EQ(p->Log, std::vector<std::string>{"change none"}) << "the user's clearing is a change without a date";
  p->Log.clear();
  p->Perform(WM_CHAR, u'5', 0);
  TestHarness::Key(p, VK_UP);
  TestHarness::Key(p, VK_F4);
  EXPECT_EQ(p->DisplayText(), u"12.03.2021") << "a cleared box locks the value";
  EXPECT_FALSE(p->DroppedDown());
  p->SetDateTime(EncodeDate(2022, 1, 1));
  EXPECT_FALSE(p->Checked()) << "a value written in code leaves the box";
  EXPECT_EQ(p->Log, std::vector<std::string>{"set valid"});
  p->Log.clear();
  TestHarness::Key(p, VK_SPACE);
  EXPECT_TRUE(p->Checked());
  EXPECT_EQ(p->Log, std::vector<std::string>{"change"});
  p->Log.clear();
  p->SetChecked(false);
  EXPECT_FALSE(p->Checked());
  EXPECT_EQ(p->Log, std::vector<std::string>{"set none"}) << "clearing in code is a set-value message";
  p->Log.clear();
  p->SetChecked(true);
  TestHarness::Key(p, VK_F4);
  TestHarness::Key(p, VK_F4);
  EXPECT_EQ(p->Log, (std::vector<std::string>{"set valid", "dropdown", "closeup"}));
}

TEST_F(DateTimePickerTest, TheDropDownShowsAMonthCalendar) {
  TestHarness::ShowForm(Form);
  auto* p = new TDateTimePicker(Form);
  p->SetParent(Form);
  p->SetBounds(20, 20, 150, 24);
  p->SetFormat(u"dd.MM.yyyy");
  p->SetDateTime(EncodeDate(2021, 6, 15) + EncodeTime(10, 30, 0, 0));
  Integer changes = 0;
  p->OnChange = [&](TObject*) { ++changes; };
  TestHarness::Key(p, VK_F4);
  ASSERT_TRUE(p->DroppedDown());
  TCustomForm* f = p->CalendarForm();
  TCustomControl* cal = p->CalendarControl();
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->Visible());
  EXPECT_EQ(f->Left(), p->ClientToScreen(Point(0, 0)).X);
  EXPECT_EQ(f->Top(), p->ClientToScreen(Point(0, p->Height())).Y) << "below the picker";
  EXPECT_EQ(p->CalendarDate(), EncodeDate(2021, 6, 15));
  // 1 June 2021 was a Tuesday: the first row starts with Monday, 31 May.
  const TRect first = p->CalendarDayRect(EncodeDate(2021, 5, 31));
  const TRect june1 = p->CalendarDayRect(EncodeDate(2021, 6, 1));
  EXPECT_EQ(june1.Top, first.Top);
  EXPECT_EQ(june1.Left, first.Right);
  EXPECT_EQ(p->CalendarDayRect(EncodeDate(2021, 5, 30)), TRect()) << "not shown";
  const TRect day = p->CalendarDayRect(EncodeDate(2021, 6, 22));
  TestHarness::Click(cal, Point((day.Left + day.Right) / 2, (day.Top + day.Bottom) / 2));
  EXPECT_FALSE(p->DroppedDown());
  EXPECT_FALSE(f->Visible());
  EXPECT_EQ(Shown(p->DateTime(), u"yyyy-mm-dd hh:nn"), u"2021-06-22 10:30") << "the day, with the time of day";
  EXPECT_EQ(changes, 1);
}

TEST_F(DateTimePickerTest, TheCalendarsKeysMoveTheDay) {
  TestHarness::ShowForm(Form);
  auto* p = new TDateTimePicker(Form);
  p->SetParent(Form);
  p->SetBounds(20, 20, 150, 24);
  p->SetDateTime(EncodeDate(2021, 1, 31));
  TestHarness::Key(p, VK_F4);
  TCustomControl* cal = p->CalendarControl();
  struct Step {
    const char* Name;
    Word Key;
    TDateTime Marked;
  };
  const Step steps[] = {
      {"a month on, kept within February", VK_NEXT, EncodeDate(2021, 2, 28)},
      {"a day on", VK_RIGHT, EncodeDate(2021, 3, 1)},
      {"a week back", VK_UP, EncodeDate(2021, 2, 22)},
      {"a week on", VK_DOWN, EncodeDate(2021, 3, 1)},
      {"a day back", VK_LEFT, EncodeDate(2021, 2, 28)},
      {"a month back", VK_PRIOR, EncodeDate(2021, 1, 28)},
  };
  for (const Step& s : steps) {
    TestHarness::Key(cal, s.Key);
    EXPECT_EQ(p->CalendarDate(), s.Marked) << s.Name;
  }
  TestHarness::Key(cal, VK_ESCAPE);
  EXPECT_FALSE(p->DroppedDown());
  EXPECT_EQ(p->DateTime(), EncodeDate(2021, 1, 31)) << "Esc changes nothing";
  TestHarness::Key(p, VK_F4);
  EXPECT_EQ(p->CalendarDate(), EncodeDate(2021, 1, 31)) << "each opening marks the value";
  TestHarness::Key(p, VK_RIGHT);
  TestHarness::Key(p, VK_RETURN);
  EXPECT_FALSE(p->DroppedDown());
  EXPECT_EQ(p->DateTime(), EncodeDate(2021, 2, 1)) << "the picker's own keys reach the open calendar";
  TestHarness::Key(p, VK_F4);
  const TRect next = p->CalendarArrowRect(true);
  TestHarness::Click(cal, Point((next.Left + next.Right) / 2, (next.Top + next.Bottom) / 2));
  EXPECT_EQ(p->CalendarDate(), EncodeDate(2021, 3, 1)) << "the right arrow pages a month";
  TestHarness::Key(cal, VK_RETURN);
  EXPECT_EQ(p->DateTime(), EncodeDate(2021, 3, 1));
}

TEST_F(DateTimePickerTest, ACalendarThatLosesTheActivationClosesAndTheSamePressDoesNotReopenIt) {
  TestHarness::UseFakeClock(true);
  TestHarness::ShowForm(Form);
  auto* p = new TDateTimePicker(Form);
  p->SetParent(Form);
  p->SetBounds(20, 20, 150, 24);
  const TRect b = p->ButtonRect();
  const TPoint button((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
  TestHarness::SendMouse(p, WM_LBUTTONDOWN, button, MK_LBUTTON);
  TestHarness::SendMouse(p, WM_LBUTTONUP, button);
  ASSERT_TRUE(p->DroppedDown());
  // The next press on the button first takes the activation from the calendar.
  p->CalendarForm()->Activated(false);
  EXPECT_FALSE(p->DroppedDown());
  TestHarness::SendMouse(p, WM_LBUTTONDOWN, button, MK_LBUTTON);
  TestHarness::SendMouse(p, WM_LBUTTONUP, button);
  EXPECT_FALSE(p->DroppedDown()) << "the press that closed it";
  TestHarness::AdvanceClock(300);
  TestHarness::SendMouse(p, WM_LBUTTONDOWN, button, MK_LBUTTON);
  TestHarness::SendMouse(p, WM_LBUTTONUP, button);
  EXPECT_TRUE(p->DroppedDown()) << "a later press opens it";
  p->SetDroppedDown(false);
  TestHarness::UseFakeClock(false);
}

TEST_F(DateTimePickerTest, TheCalendarOpensAboveWhenThereIsNoRoomBelow) {
  TestHarness::ShowForm(Form);
  auto* p = new TDateTimePicker(Form);
  p->SetParent(Form);
  const TRect wa = Screen->WorkAreaRect();
  const TPoint origin = Form->ClientToScreen(Point(0, 0));
  Form->SetBounds(Form->Left(), wa.Bottom - 80 - (origin.Y - Form->Top()), Form->Width(), 80);
  p->SetBounds(20, 20, 150, 24);
  TestHarness::Key(p, VK_F4);
  ASSERT_TRUE(p->DroppedDown());
  EXPECT_EQ(p->CalendarForm()->Top() + p->CalendarForm()->Height(), p->ClientToScreen(Point(0, 0)).Y);
  p->SetDroppedDown(false);
}

// --- TCustomDateTimePicker and construction ----------------------------------------------------

TEST_F(DateTimePickerTest, ConstructionGivesTheDefaults) {
  auto* c = new TCustomDateTimePicker(Form);
  EXPECT_FALSE(c->Ctl3D());
  EXPECT_EQ(c->BorderStyle(), bsNone);
  EXPECT_FALSE(c->AutoTab());
  EXPECT_FALSE(c->MetroStyle());
  EXPECT_TRUE(c->NativeFrame());
  EXPECT_EQ(c->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);

  auto* p = new TExDateTimePicker(Form);
  EXPECT_EQ(p->Kind(), dkDateTime);
  EXPECT_EQ(p->TimePicker(), nullptr) << "the time picker comes with the window";
  EXPECT_TRUE(p->Ctl3D());
  EXPECT_EQ(p->BorderStyle(), bsSingle);
  EXPECT_FALSE(p->NativeFrame());
  EXPECT_EQ(p->BorderColor(), 0);
  EXPECT_EQ(p->ButtonColor(), clNone);
  EXPECT_EQ(p->LabelPosition(), lpLeftTop);
  EXPECT_EQ(p->LabelMargin(), 4);
  EXPECT_EQ(p->PickerLabel(), nullptr);
  EXPECT_EQ(p->Version(), u"1.2.0.0");
  p->SetVersion(u"9.9.9.9");
  EXPECT_EQ(p->Version(), u"1.2.0.0");
  EXPECT_TRUE(DTPShiftFocusMessage() >= 0xC000) << "a registered message";
  EXPECT_EQ(DTPShiftFocusMessage(), RegisterWindowMessage(u"DTPShiftFocus"));
}

TEST_F(DateTimePickerTest, TheTimePickerSitsAtTheRightEdgeForADateAndTime) {
  TExDateTimePicker* p = NewPicker();
  TCustomDateTimePicker* tp = p->TimePicker();
  ASSERT_NE(tp, nullptr);
  EXPECT_EQ(tp->Parent(), p);
  EXPECT_TRUE(tp->Visible());
  EXPECT_EQ(tp->Kind(), dtkTime);
  // Without a theme library: the time picker's text width + 31 wide, 23 pixels from the right.
  TCanvas measure;
  measure.Font()->Assign(p->Font());
  const Integer a = measure.TextWidth(tp->DisplayText()) + 31;
  EXPECT_EQ(tp->Width(), a);
  EXPECT_EQ(tp->Left(), p->Width() - a - 23);
  EXPECT_EQ(tp->Top(), -2);
  EXPECT_EQ(tp->Height(), p->Height());
  p->SetBounds(p->Left(), p->Top(), 300, 24);
  EXPECT_EQ(tp->Left(), 300 - a - 23) << "it follows the picker's size";
}

TEST_F(DateTimePickerTest, TheKindDecidesOverTheTimePicker) {
  TExDateTimePicker* p = NewPicker();
  ASSERT_NE(p->TimePicker(), nullptr);
  p->SetKind(dkDate);
  EXPECT_EQ(p->TimePicker(), nullptr) << "another kind removes it";
  EXPECT_EQ(p->TDateTimePicker::Kind(), dtkDate);
  p->SetKind(dkDateTime);
  ASSERT_NE(p->TimePicker(), nullptr) << "and the date and time create it again";
  p->SetKind(dkTime);
  EXPECT_EQ(p->TimePicker(), nullptr);
  EXPECT_EQ(p->TDateTimePicker::Kind(), dtkTime);
  p->SetTimeFormat(u"HH:mm");
  EXPECT_EQ(p->Format(), u"HH:mm") << "a time picker takes the time format itself";

  TExDateTimePicker* q = NewPicker(dkDate);
  EXPECT_EQ(q->TimePicker(), nullptr);
  q->SetTimeFormat(u"HH:mm");
  EXPECT_EQ(q->Format(), u"") << "a date picker keeps its own format";
}

TEST_F(DateTimePickerTest, ValuesDropTheirMillisecondsAndKeepDateAndTimeTogether) {
  TExDateTimePicker* p = NewPicker();
  const TDateTime day = EncodeDate(2021, 6, 15);
  p->SetDateTime(day + EncodeTime(13, 45, 30, 999));
  EXPECT_EQ(p->DateTime(), day + EncodeTime(13, 45, 30, 0));
  EXPECT_EQ(p->TimePicker()->DateTime(), day + EncodeTime(13, 45, 30, 0)) << "the time picker takes it too";
  p->SetDate(EncodeDate(2022, 1, 2) + EncodeTime(8, 0, 0, 0));
  EXPECT_EQ(p->DateTime(), EncodeDate(2022, 1, 2) + EncodeTime(13, 45, 30, 0)) << "the time of day stays";
  p->TimePicker()->SetTime(EncodeTime(7, 5, 0, 0));
  EXPECT_EQ(Shown(p->Time(), u"hh:nn:ss.zzz"), u"07:05:00.000") << "the time is the time picker's";
  EXPECT_EQ(Shown(p->DateTime(), u"yyyy-mm-dd hh:nn:ss"), u"2022-01-02 07:05:00") << "and the value takes it in";
  p->SetTime(EncodeTime(22, 10, 5, 500));
  EXPECT_EQ(Shown(p->TimePicker()->Time(), u"hh:nn:ss.zzz"), u"22:10:05.000");
  EXPECT_EQ(Shown(p->DateTime(), u"yyyy-mm-dd hh:nn:ss.zzz"), u"2022-01-02 22:10:05.000");
  // 28 December 1899, 6:00: two days before the epoch and a quarter day further back.
  p->SetDateTime(-2.25);
  EXPECT_EQ(Shown(p->DateTime(), u"yyyy-mm-dd hh:nn"), u"1899-12-28 06:00") << "before the epoch";

  TExDateTimePicker* d = NewPicker(dkDate);
  d->SetDateTime(day + EncodeTime(1, 2, 3, 4));
  EXPECT_EQ(d->TimePicker(), nullptr) << "a date picker gets no time picker from a value";
  EXPECT_EQ(Shown(d->Time(), u"hh:nn:ss.zzz"), u"01:02:03.000");
}

TEST_F(DateTimePickerTest, TheTimePickersEventsReachThePicker) {
  TestHarness::ShowForm(Form);
  struct TKeyPicker : TExDateTimePicker {
    using TExDateTimePicker::TExDateTimePicker;
    void TimePickerKeyPress(Char& Key) override { Keys += Key; }
    String Keys;
  };
  auto* p = new TKeyPicker(Form);
  p->SetParent(Form);
  p->SetBounds(120, 40, 250, 24);
  // A fixed time: the picker starts at the clock's, and a 7 typed into the hour 7 changes nothing.
  p->SetDateTime(EncodeDate(2021, 6, 15) + EncodeTime(10, 30, 0, 0));
  std::vector<std::string> log;
  p->OnChange = [&](TObject*) { log.push_back("change"); };
  p->OnTimeChange = [&](TObject*) { log.push_back("time change"); };
  p->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { log.push_back("key " + std::to_string(Key)); };
  TCustomDateTimePicker* tp = p->TimePicker();
  ASSERT_NE(tp, nullptr);
  tp->SetFocus();
  TestHarness::SendKeyStroke(tp, u'7', TShiftState(), u"7");
  EXPECT_EQ(p->Keys, u"7");
  EXPECT_EQ(log, (std::vector<std::string>{"key 55", "change", "time change"}));
}

// --- AutoTab -------------------------------------------------------------------------------------

TEST_F(DateTimePickerTest, ADigitThatChangesTheHourMovesToTheMinutes) {
  TestHarness::ShowForm(Form);
  TExDateTimePicker* p = NewPicker(dkTime);
  p->SetAutoTab(true);
  p->SetTimeFormat(u"HH:mm:ss");
  p->SetTime(EncodeTime(10, 30, 0, 0));
  p->SetFocus();
  p->SetSelectedField(0);
  TypeDigits(p, u"1");
  EXPECT_EQ(p->SelectedField(), 1) << "hour 10 became 1";
  TypeDigits(p, u"3");
  EXPECT_EQ(p->SelectedField(), 2) << "minute 30 became 3";
  p->SetSelectedField(2);
  TypeDigits(p, u"0");
  EXPECT_EQ(p->SelectedField(), 2) << "the second stayed 0: no move";
  p->SetAutoTab(false);
  p->SetSelectedField(0);
  TypeDigits(p, u"5");
  EXPECT_EQ(p->SelectedField(), 0) << "without AutoTab the caret stays";
}

TEST_F(DateTimePickerTest, TheLastDateFieldMovesTheFocusToTheTimePicker) {
  TestHarness::ShowForm(Form);
  struct Case {
    const char* Name;
    const char16_t* Format;
    Integer Field;
    const char16_t* Digits;
    bool TimePickerFocused;
    Integer FieldAfter;
  };
  const Case cases[] = {
      {"the year of a format ending in y", u"dd.MM.yyyy", 2, u"2024", true, 2},
      {"the day of a format ending in y moves on", u"dd.MM.yyyy", 0, u"5", false, 1},
      {"the day of a format ending in d", u"yyyy-MM-dd", 2, u"7", true, 2},
      {"the month of a format ending in d moves on", u"yyyy-MM-dd", 1, u"4", false, 2},
      {"a field that did not change stays", u"dd.MM.yyyy", 0, u"0", false, 0},
      {"the locale's format: a day moves on", u"", 1, u"9", false, 2},
      {"the locale's format: the year goes to the time", u"", 2, u"1999", true, 2},
  };
  for (const Case& c : cases) {
    TExDateTimePicker* p = NewPicker();
    p->SetFormat(c.Format);
    p->SetAutoTab(true);
    p->SetDateTime(EncodeDate(2021, 3, 12) + EncodeTime(9, 0, 0, 0));
    p->SetFocus();
    p->SetSelectedField(c.Field);
    TypeDigits(p, c.Digits);
    EXPECT_EQ(p->TimePicker()->Focused(), c.TimePickerFocused) << c.Name;
    EXPECT_EQ(p->SelectedField(), c.FieldAfter) << c.Name;
    EXPECT_TRUE(p->TimePicker()->AutoTab()) << "the time picker takes AutoTab: " << c.Name;
    TComponent::Free(p);
  }
}

// --- The check box and the time picker ---------------------------------------------------------

TEST_F(DateTimePickerTest, AClearedCheckBoxDisablesTheTimePicker) {
  TestHarness::ShowForm(Form);
  TExDateTimePicker* p = NewPicker();
  p->SetShowCheckbox(true);
  p->SetDateTime(EncodeDate(2021, 3, 12));
  TCustomDateTimePicker* tp = p->TimePicker();
  ASSERT_TRUE(tp->Enabled());
  const TRect box = p->CheckboxRect();
  const TPoint mid((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
  TestHarness::Click(p, mid);
  EXPECT_FALSE(p->Checked());
  EXPECT_FALSE(tp->Enabled()) << "the user cleared the box";
  TestHarness::Click(p, mid);
  EXPECT_TRUE(tp->Enabled()) << "checking the box enables it again";

  p->SetDateTime(EncodeDate(2021, 4, 1));
  TestHarness::Click(p, mid);
  EXPECT_FALSE(tp->Enabled()) << "also right after a value write";
  TestHarness::Click(p, mid);

  p->SetChecked(false);
  EXPECT_FALSE(tp->Enabled()) << "clearing in code";
  p->SetDateTime(EncodeDate(2021, 5, 1));
  EXPECT_FALSE(tp->Enabled()) << "a value write keeps it with the box";
  p->SetChecked(true);
  EXPECT_TRUE(tp->Enabled());
  p->SetEnabled(false);
  EXPECT_FALSE(tp->Enabled()) << "it follows the picker's Enabled";
}

// --- Label ----------------------------------------------------------------------------------------

TEST_F(DateTimePickerTest, TheLabelSitsAtItsPlace) {
  TExDateTimePicker* p = NewPicker(dkDate);
  p->SetLabelCaption(u"Start");
  TLabel* l = p->PickerLabel();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->Parent(), Form);
  TCanvas measure;
  measure.Font()->Assign(l->Font());
  const Integer w = measure.TextWidth(u"Start");
  const Integer L = 120, T = 40, W = 250, H = 24, m = 4;
  const Integer h = l->Height(), lw = l->Width();
  struct Case {
    const char* Name;
    TLabelPosition Position;
    Integer Left, Top;
  };
  const Case cases[] = {
      {"left top", lpLeftTop, L - w - m, T},
      {"left centre", lpLeftCenter, L - w - m, T + (H - h) / 2},
      {"top left", lpTopLeft, L, T - h - m},
      {"bottom left", lpBottomLeft, L, T + H + m},
      {"left top, left-aligned", lpLeftTopLeft, L - m, T},
      {"top centre", lpTopCenter, L + (W - lw) / 2, T - h - m},
      {"right centre", lpRightCenter, L + W + m, T + (H - h) / 2},
      {"right bottom: the label's bottom on the picker's", lpRighBottom, L + W + m, T + H - h},
  };
  for (const Case& c : cases) {
    p->SetLabelPosition(c.Position);
    EXPECT_EQ(l->Left(), c.Left) << c.Name;
    EXPECT_EQ(l->Top(), c.Top) << c.Name;
  }
  p->SetLabelMargin(10);
  EXPECT_EQ(l->Left(), L + W + 10);
  p->SetBounds(150, 60, W, H);
  EXPECT_EQ(l->Left(), 150 + W + 10) << "it moves with the picker";
  p->SetEnabled(false);
  EXPECT_FALSE(l->Enabled());
  p->SetLabelAlwaysEnabled(true);
  EXPECT_TRUE(l->Enabled());
  p->SetVisible(false);
  EXPECT_FALSE(l->Visible());
}

TEST_F(DateTimePickerTest, TheLabelTurnsBoldWhileThePickerHasTheFocus) {
  TestHarness::ShowForm(Form);
  TExDateTimePicker* p = NewPicker(dkDate);
  auto* other = new TExDateTimePicker(Form);
  other->SetParent(Form);
  other->SetBounds(120, 120, 200, 24);
  p->SetLabelCaption(u"Start");
  p->SetFocusLabel(true);
  p->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_TRUE(p->PickerLabel()->Font()->Style().Contains(fsBold));
  other->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_FALSE(p->PickerLabel()->Font()->Style().Contains(fsBold));
}

// --- Painting ------------------------------------------------------------------------------------

TEST_F(DateTimePickerTest, TheFlatLookDrawsTheOwnFrameAndButton) {
  TestHarness::ShowForm(Form);
  TExDateTimePicker* p = NewPicker(dkDate);
  p->SetMetroStyle(true);
  p->SetBorderColor(0x0000FF);
  p->SetButtonColor(0x00FF00);
  p->SetButtonColorHot(0x00FF00);
  p->SetButtonBorderColor(0xFF0000);
  p->SetButtonTextColor(0);
  p->Invalidate();
  const Integer W = p->Width(), H = p->Height();
  EXPECT_EQ(TestHarness::Pixel(p, W / 2, 0), 0x0000FF) << "the frame in the border colour";
  EXPECT_EQ(TestHarness::Pixel(p, W - 3, 3), 0x00FF00) << "the own drop button";
  EXPECT_EQ(TestHarness::Pixel(p, W - 3, H - 1), 0x0000FF);

  auto* plain = new TCustomDateTimePicker(Form);
  plain->SetParent(Form);
  plain->SetBounds(10, 200, 150, 24);
  plain->SetMetroStyle(true);
  plain->SetBorderStyle(bsSingle);
  plain->Invalidate();
  EXPECT_NE(TestHarness::Pixel(plain, plain->Width() - 3, 3), 0x00FF00);
  EXPECT_EQ(TestHarness::Pixel(plain, 40, 0), 0xB99D7F) << "a picker with the native frame: border lines only";
}
