// The flat date-time picker (construction, version, the metro frame and drop-down button, the flat
// border, hover), the date-time picker under it (text, field stepping, drop-down state) and the
// cell checker.
#include "components/gridbase/EsgDatePicker.h"

#include <vector>

#include "EditorTestUtil.h"
#include "components/gridbase/EsgPaint.h"
#include "components/gridbase/ExGridCheck.h"
#include "platform/gui/StdCtrls.h"

namespace {

class DatePickerTest : public EditorTest {
 protected:
  TEsgDateTimePicker* NewPicker() {
    auto* p = new TEsgDateTimePicker(Form);
    p->SetParent(Form);
    p->SetBounds(20, 20, 150, 24);
    p->SetDateTime(EncodeDate(2024, 1, 31) + EncodeTime(13, 45, 30, 0));
    return p;
  }
  // Paints the picker now and gives the pixel of its image.
  static TColor Shown(TEsgDateTimePicker* P, Integer X, Integer Y) {
    P->Invalidate();
    P->PaintIfNeeded();
    return P->BackingImage()->Canvas()->Pixels(X, Y);
  }
  // The picker's whole image after a paint.
  static std::vector<Byte> Image(TEsgDateTimePicker* P) {
    P->Invalidate();
    P->PaintIfNeeded();
    return P->BackingImage()->SaveToMemory();
  }
};

}  // namespace

TEST_F(DatePickerTest, ANewPickerHasNoMetroLookAndNoOwnBorderStyle) {
  TEsgDateTimePicker* p = NewPicker();
  EXPECT_FALSE(p->MetroStyle());
  EXPECT_EQ(p->BorderStyle(), bsNone);
  EXPECT_TRUE(p->Ctl3D());
  EXPECT_FALSE(p->ParentCtl3D());
  EXPECT_TRUE(p->DoubleBuffered());
  EXPECT_EQ(p->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
  EXPECT_EQ(p->BorderColor(), clNone);
  EXPECT_EQ(p->ButtonColor(), clNone);
  EXPECT_FALSE(p->DisabledBorder());
  const std::vector<Byte> plain = Image(p);
  p->SetBorderColor(clRed);
  p->SetButtonColor(clYellow);
  EXPECT_EQ(Image(p), plain) << "without the metro look the colours paint nothing";
}

TEST_F(DatePickerTest, TheVersionReadsOneZeroZeroZeroWhateverIsWritten) {
  TEsgDateTimePicker* p = NewPicker();
  EXPECT_EQ(p->GetVersionNr(), 0x01000000);
  EXPECT_EQ(p->Version(), u"1.0.0.0");
  p->SetVersion(u"2.5.0.1");
  EXPECT_EQ(p->Version(), u"1.0.0.0");
}

TEST_F(DatePickerTest, TheMetroLookFramesTheDateAndDrawsItsButton) {
  TEsgDateTimePicker* p = NewPicker();
  p->SetMetroStyle(true);
  p->SetBorderColor(clRed);
  p->SetButtonColor(clYellow);
  p->SetButtonTextColor(clBlack);
  p->SetButtonBorderColor(clNavy);
  EXPECT_EQ(Shown(p, 0, 0), clRed);
  EXPECT_EQ(Shown(p, 149, 23), clRed);
  const Integer left = p->ClientWidth() - p->ButtonWidth() + 2 + 1;  // the button's left edge
  EXPECT_EQ(Shown(p, left + 4, 12), clYellow);
  EXPECT_EQ(Shown(p, left, 12), ColorToRGB(clBtnFace)) << "the idle button border covers the line";
  p->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(Shown(p, left, 12), clNavy) << "the border line of the hot button";
  EXPECT_EQ(Shown(p, left + 8, 1 + 8), clBlack) << "inside the arrow";
}

TEST_F(DatePickerTest, AMetroTimePickerGetsTheFrameButNoDropButton) {
  TEsgDateTimePicker* p = NewPicker();
  p->SetKind(dtkTime);
  p->SetMetroStyle(true);
  p->SetBorderColor(clRed);
  p->SetButtonColor(clYellow);
  EXPECT_EQ(Shown(p, 0, 0), clRed);
  const Integer left = p->ClientWidth() - p->ButtonWidth() + 2 + 1;
  EXPECT_NE(Shown(p, left + 4, 12), clYellow);
}

TEST_F(DatePickerTest, TheIdleButtonBorderIsFilledAndAHotOneRaised) {
  TEsgDateTimePicker* p = NewPicker();
  p->SetMetroStyle(true);
  p->SetBorderColor(clRed);
  const Integer bl = p->ClientWidth() - p->ButtonWidth() - 2 + 2;  // the button border's left edge
  EXPECT_EQ(Shown(p, bl, 5), ColorToRGB(clBtnFace)) << "idle: filled with the button face";
  p->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(p->MouseInControl());
  EXPECT_NE(Shown(p, bl, 5), ColorToRGB(clBtnFace)) << "hot: the raised edge's light side";
  p->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(p->MouseInControl());
}

TEST_F(DatePickerTest, TheFocusBorderColourShowsWhileFocused) {
  ShowForm();
  TEsgDateTimePicker* p = NewPicker();
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 200, 100, 21);
  p->SetMetroStyle(true);
  p->SetFocusBorderColor(clBlue);
  p->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_TRUE(p->HasFocus());
  EXPECT_EQ(Shown(p, 0, 0), clBlue);
  other->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_FALSE(p->HasFocus());
  EXPECT_NE(Shown(p, 0, 0), clBlue);
}

TEST_F(DatePickerTest, AFlatPickerWithABorderColourDrawsTheFlatBorder) {
  struct Row {
    const char* Name;
    TBorderStyle Style;
    TColor Outline, Inner;
  };
  Form->SetColor(clTeal);
  const Row rows[] = {
      {"no border style: the parent's colour", bsNone, clTeal, clTeal},
      {"single border on a themed system: blue-grey outline", bsSingle, EsgDisabledFrameColor, clTeal},
  };
  for (const Row& r : rows) {
    TEsgDateTimePicker* p = NewPicker();
    p->SetCtl3D(false);
    p->SetBorderStyle(r.Style);
    p->SetBorderColor(clRed);
    EXPECT_EQ(Shown(p, 0, 10), r.Outline) << r.Name;
    EXPECT_EQ(Shown(p, 149, 23), r.Outline) << r.Name;
    EXPECT_EQ(Shown(p, 1, 10), r.Inner) << r.Name;
  }
}

TEST_F(DatePickerTest, TheMouseOverTheButtonAreaIsTracked) {
  TEsgDateTimePicker* p = NewPicker();
  p->Perform(WM_MOUSEMOVE, 0, MakeLParam(145, 10));
  EXPECT_TRUE(p->ButtonHover());
  p->Perform(WM_MOUSEMOVE, 0, MakeLParam(150 - p->ButtonWidth(), 10));
  EXPECT_FALSE(p->ButtonHover());
}

// --- The picker under it ---------------------------------------------------------------------------

TEST_F(DatePickerTest, ThePickerShowsItsValueInTheFormatOfItsKind) {
  TEsgDateTimePicker* p = NewPicker();
  EXPECT_EQ(p->DisplayText(), u"1/31/2024");
  p->SetKind(dtkTime);
  EXPECT_EQ(p->DisplayText(), u"1:45:30 PM");
  p->SetFormat(u"yyyy-mm-dd");
  EXPECT_EQ(p->DisplayText(), u"2024-01-31");
  p->SetTime(EncodeTime(8, 0, 0, 0));
  EXPECT_DOUBLE_EQ(p->DateTime(), EncodeDate(2024, 1, 31) + EncodeTime(8, 0, 0, 0));
}

TEST_F(DatePickerTest, KeysStepTheChosenFieldWhichWrapsWithinItsRange) {
  ShowForm();
  TEsgDateTimePicker* p = NewPicker();
  p->SetFocus();
  TestHarness::ProcessEvents();
  Integer changes = 0;
  p->OnChange = [&](TObject*) { ++changes; };
  struct Row {
    const char* Name;
    Word Key;
    const char16_t* After;
  };
  // Fields of "M/d/yyyy": month, day, year.
  const Row rows[] = {
      {"month up, the day shrinks to the month", VK_UP, u"2/29/2024"},
      {"to the day", VK_RIGHT, u"2/29/2024"},
      {"day up wraps within February", VK_UP, u"2/1/2024"},
      {"to the year", VK_RIGHT, u"2/1/2024"},
      {"year down", VK_DOWN, u"2/1/2023"},
      {"no field past the last", VK_RIGHT, u"2/1/2023"},
      {"still the year", VK_UP, u"2/1/2024"},
  };
  for (const Row& r : rows) {
    TestHarness::Key(p, r.Key);
    EXPECT_EQ(p->DisplayText(), r.After) << r.Name;
  }
  EXPECT_EQ(changes, 4);
  p->SetDateTime(EncodeDate(2000, 1, 1));
  EXPECT_EQ(changes, 4) << "values set in code fire nothing";
}

TEST_F(DatePickerTest, TheDropDownButtonOpensAndClosesTheDropDownState) {
  ShowForm();
  TEsgDateTimePicker* p = NewPicker();
  std::vector<char> events;
  p->OnDropDown = [&](TObject*) { events.push_back('d'); };
  p->OnCloseUp = [&](TObject*) { events.push_back('u'); };
  const TRect b = p->ButtonRect();
  TestHarness::Click(p, Point(b.Left + 2, b.Top + 2));
  EXPECT_TRUE(p->DroppedDown());
  TestHarness::Key(p, VK_ESCAPE);
  EXPECT_FALSE(p->DroppedDown());
  TestHarness::Key(p, VK_DOWN, TShiftState(ssAlt));
  EXPECT_TRUE(p->DroppedDown());
  p->SetKind(dtkTime);
  EXPECT_FALSE(p->DroppedDown()) << "a time picker has no drop-down";
  EXPECT_EQ(events, (std::vector<char>{'d', 'u', 'd', 'u'}));
  TestHarness::Click(p, Point(b.Left + 2, b.Top + 2));
  EXPECT_EQ(p->DisplayText(), u"2:45:30 PM") << "the upper arrow steps the hour up";
}

// --- The cell checker ------------------------------------------------------------------------------

TEST(GridCheckTest, TheBaseCheckerLeavesEveryTextAsItIs) {
  TExStringGridCheck check(nullptr);
  EXPECT_FALSE(check.GotoCell());
  EXPECT_FALSE(check.AutoCorrect());
  EXPECT_FALSE(check.AutoMarkError());
  EXPECT_FALSE(check.UseCorrect());
  EXPECT_FALSE(check.UseMarkError());
  check.StartCheck();
  for (const String& s : {String(u""), String(u"abc"), String(u"<b>x</b>")}) {
    EXPECT_EQ(check.Correct(1, 2, s), s);
    EXPECT_EQ(check.MarkError(1, 2, s), s);
  }
  check.StopCheck();
}

TEST(GridCheckTest, AConcreteCheckerOverridesTheOperations) {
  class TUpperCheck : public TExStringGridCheck {
   public:
    using TExStringGridCheck::TExStringGridCheck;
    String Correct(Integer, Integer, const String& s) override { return UpperCase(s); }
  };
  TUpperCheck check(nullptr);
  TExStringGridCheck& base = check;
  EXPECT_EQ(base.Correct(0, 0, u"ab"), u"AB");
  EXPECT_EQ(base.MarkError(0, 0, u"ab"), u"ab");
}
