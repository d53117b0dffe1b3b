// The spin edit (values, bounds, stepping, the typing filter, keys, focus, layout) and its button
// pair (layout, auto-repeat, focus, glyphs, painting).
#include "components/gridbase/esgspin.h"

#include <climits>
#include <vector>

#include "EditorTestUtil.h"
#include "platform/gui/Clipbrd.h"

namespace {

class SpinEditTest : public EditorTest {
 protected:
  TEsgSpinEdit* NewSpin(TEsgSpinType Type = sptNormal) {
    auto* s = new TEsgSpinEdit(Form);
    s->SetParent(Form);
    s->SetBounds(10, 10, 120, 24);
    s->SetSpinType(Type);
    return s;
  }
  // A day-first short date format with "/" between the fields.
  static void UseDayFirstDates() {
    FormatSettings.ShortDateFormat = u"dd/MM/yyyy";
    FormatSettings.DateSeparator = u'/';
  }
  // Puts the caret at Pos with nothing selected.
  static void Caret(TEsgSpinEdit* S, Integer Pos) {
    S->SetSelStart(Pos);
    S->SetSelLength(0);
  }
};

}  // namespace

// --- Values ----------------------------------------------------------------------------------------

TEST_F(SpinEditTest, ConstructionGivesTheDefaults) {
  TEsgSpinEdit* s = NewSpin();
  EXPECT_EQ(s->Text(), u"0");
  EXPECT_EQ(s->Value(), 0);
  EXPECT_EQ(s->SpinType(), sptNormal);
  EXPECT_EQ(s->MinValue(), 0);
  EXPECT_EQ(s->MaxValue(), 100);
  EXPECT_EQ(s->MaxFloatValue(), 100.0);
  EXPECT_EQ(s->Increment(), 1);
  EXPECT_DOUBLE_EQ(s->IncrementFloat(), 0.1);
  EXPECT_DOUBLE_EQ(s->IncrementFloatPage(), 1.0);
  EXPECT_TRUE(s->ShowSeconds());
  EXPECT_TRUE(s->EditorEnabled());
  EXPECT_FALSE(s->ControlStyle() & csSetCaption);
  ASSERT_NE(s->Button(), nullptr);
  EXPECT_EQ(s->Button()->FocusControl(), s);
  EXPECT_EQ(s->Button()->Parent(), s);
}

TEST_F(SpinEditTest, ReadingTheValueFallsBackWhenTheTextIsNoNumber) {
  struct Row {
    const char* Name;
    String Text;
    Integer Value;
    double Float;
  };
  const Row rows[] = {
      {"empty text is zero", u"", 0, 3.0},
      {"blanks around a number", u"  42 ", 42, 42.0},
      {"letters give the integer minimum", u"abc", 3, 3.0},
      {"a float text", u"2.5", 3, 2.5},
      {"a negative number", u"-17", -17, -17.0},
  };
  TEsgSpinEdit* s = NewSpin();
  s->SetMinValue(3);
  s->SetMinFloatValue(7.0);  // the float fallback is the integer bound all the same
  for (const Row& r : rows) {
    s->SetText(r.Text);
    EXPECT_EQ(s->Value(), r.Value) << r.Name;
    EXPECT_DOUBLE_EQ(s->FloatValue(), r.Float) << r.Name;
  }
}

TEST_F(SpinEditTest, WritingKeepsTheValueInsideTheBounds) {
  struct Row {
    const char* Name;
    Integer Min, Max, Written;
    const char16_t* Text;
  };
  const Row rows[] = {
      {"above the maximum", 0, 100, 150, u"100"},
      {"below the minimum", 0, 100, -5, u"0"},
      {"inside", 0, 100, 42, u"42"},
      {"equal bounds mean none", 5, 5, 1000, u"1000"},
  };
  TEsgSpinEdit* s = NewSpin();
  for (const Row& r : rows) {
    s->SetMinValue(r.Min);
    s->SetMaxValue(r.Max);
    s->SetValue(r.Written);
    EXPECT_EQ(s->Text(), r.Text) << r.Name;
  }
}

TEST_F(SpinEditTest, FloatTextFollowsThePrecisionAndTheBounds) {
  TEsgSpinEdit* s = NewSpin(sptFloat);
  s->SetFloatValue(1.5);
  EXPECT_EQ(s->Text(), u"1.5");
  s->SetPrecision(2);
  EXPECT_EQ(s->Text(), u"1.50");
  s->SetFloatValue(250.0);
  EXPECT_EQ(s->Text(), u"100.00");
  s->SetFloatValue(-1.0);
  EXPECT_EQ(s->Text(), u"0.00");
  FormatSettings.DecimalSeparator = u',';
  s->SetFloatValue(2.25);
  EXPECT_EQ(s->Text(), u"2,25");
}

TEST_F(SpinEditTest, EmptyOrZeroDateTextIsNowAndOtherTextIsParsedOrTheMinimum) {
  SetNowFunction([] { return 45000.5; });
  TEsgSpinEdit* s = NewSpin();
  s->SetSpinType(sptDate);
  s->SetMinDateValue(40000);
  for (const char16_t* t : {u"", u"0"}) {
    s->SetText(t);
    EXPECT_DOUBLE_EQ(s->DateValue(), 45000.5) << U8(t);
  }
  s->SetText(u"1/2/2024");
  EXPECT_DOUBLE_EQ(s->DateValue(), EncodeDate(2024, 1, 2));
  s->SetText(u"no date");
  EXPECT_DOUBLE_EQ(s->DateValue(), 40000);
  s->SetText(u"no time");
  EXPECT_DOUBLE_EQ(s->TimeValue(), 0);
  SetNowFunction(nullptr);
}

TEST_F(SpinEditTest, ChangingTheSpinTypeRewritesTheTextInTheNewKind) {
  TEsgSpinEdit* s = NewSpin();
  s->SetText(u"7");
  s->SetSpinType(sptFloat);
  EXPECT_EQ(s->Text(), u"7");
  s->SetShowSeconds(false);
  s->SetText(u"x");
  s->SetSpinType(sptTime);  // "x" is no time: midnight
  EXPECT_EQ(s->Text(), u"0:00");
  s->SetTimeValue(EncodeTime(13, 5, 0, 0) + 2);  // a day and more shows only the time of day
  EXPECT_EQ(s->Text(), u"13:05");
}

// --- Stepping --------------------------------------------------------------------------------------

TEST_F(SpinEditTest, IntegerStepsStopAtTheBounds) {
  TEsgSpinEdit* s = NewSpin();
  s->SetValue(100);
  s->StepUp(false);
  EXPECT_EQ(s->Text(), u"100");
  s->SetValue(0);
  s->StepDown(true);
  EXPECT_EQ(s->Text(), u"0");
  s->SetIncrement(5);
  s->StepUp(false);
  EXPECT_EQ(s->Text(), u"5");
}

TEST_F(SpinEditTest, AnUnboundedIntegerStepStopsAtTheEndOfTheRange) {
  TEsgSpinEdit* s = NewSpin();
  s->SetMinValue(0);
  s->SetMaxValue(0);
  s->SetValue(INT32_MAX);
  s->StepUp(false);
  EXPECT_EQ(s->Value(), INT32_MAX);
  s->SetValue(INT32_MIN);
  s->StepDown(false);
  EXPECT_EQ(s->Value(), INT32_MIN);
}

TEST_F(SpinEditTest, FloatStepsTakeThePageStepForPages) {
  TEsgSpinEdit* s = NewSpin(sptFloat);
  s->SetFloatValue(1.0);
  s->StepUp(false);
  EXPECT_EQ(s->Text(), u"1.1");
  s->StepUp(true);
  EXPECT_EQ(s->Text(), u"2.1");
  s->StepDown(true);
  EXPECT_EQ(s->Text(), u"1.1");
}

TEST_F(SpinEditTest, ReadOnlyStepsOnlyBeep) {
  TEsgSpinEdit* s = NewSpin();
  s->SetValue(5);
  s->SetReadOnly(true);
  const Integer beeps = BeepCount();
  s->StepUp(false);
  EXPECT_EQ(s->Text(), u"5");
  EXPECT_EQ(BeepCount(), beeps + 1);
}

TEST_F(SpinEditTest, TheFieldUnderTheCaretDecidesWhatADateStepChanges) {
  struct Row {
    const char* Name;
    String Format;
    String Text;
    Integer Caret;
    String After;
    bool MonthFirst;
  };
  const Row rows[] = {
      {"day first, caret in the day", u"dd/MM/yyyy", u"31/01/2024", 0, u"01/02/2024", false},
      {"day first, caret before the first separator", u"dd/MM/yyyy", u"31/01/2024", 2, u"01/02/2024", false},
      {"day first, the month reduces the day", u"dd/MM/yyyy", u"31/01/2024", 3, u"29/02/2024", false},
      {"day first, caret in the year", u"dd/MM/yyyy", u"31/01/2024", 6, u"31/01/2025", false},
      {"month first, caret in the month", u"M/d/yyyy", u"1/31/2024", 0, u"2/29/2024", true},
      {"month first, caret in the day", u"M/d/yyyy", u"1/31/2024", 2, u"2/1/2024", true},
  };
  TEsgSpinEdit* s = NewSpin(sptDate);
  for (const Row& r : rows) {
    FormatSettings.ShortDateFormat = r.Format;
    FormatSettings.DateSeparator = u'/';
    s->SetText(r.Text);
    Caret(s, r.Caret);
    s->StepUp(false);
    EXPECT_EQ(s->Text(), r.After) << r.Name;
    EXPECT_EQ(s->UsDates(), r.MonthFirst) << r.Name;
    EXPECT_EQ(s->SelStart(), r.Caret) << r.Name << ": the caret stays";
  }
}

TEST_F(SpinEditTest, AYearStepToAMissingLeapDayFailsAndKeepsTheValue) {
  UseDayFirstDates();
  TEsgSpinEdit* s = NewSpin(sptDate);
  s->SetText(u"29/02/2024");
  Caret(s, 7);
  EXPECT_THROW(s->StepUp(false), EConvertError);
  EXPECT_EQ(s->Text(), u"29/02/2024");
}

TEST_F(SpinEditTest, DatesStayInsideTheDateBounds) {
  UseDayFirstDates();
  TEsgSpinEdit* s = NewSpin(sptDate);
  s->SetMinDateValue(EncodeDate(2024, 1, 1));
  s->SetMaxDateValue(EncodeDate(2024, 12, 31));
  s->SetDateValue(EncodeDate(2025, 6, 1));
  EXPECT_EQ(s->Text(), u"31/12/2024");
  Caret(s, 0);
  s->StepUp(false);
  EXPECT_EQ(s->Text(), u"31/12/2024");
}

TEST_F(SpinEditTest, TimeStepsFollowTheCaretAndWrapBelowMidnight) {
  struct Row {
    const char* Name;
    bool Seconds;
    String Text;
    Integer Caret;
    bool Up;
    String After;
  };
  const Row rows[] = {
      {"hours down from half past midnight", false, u"0:30", 0, false, u"23:30"},
      {"minutes up", false, u"0:30", 2, true, u"0:31"},
      {"minutes down past the hour", false, u"1:00", 3, false, u"0:59"},
      {"one separator with seconds shown: seconds", true, u"12:30", 3, true, u"12:30:01 PM"},
      {"hours up past midnight", false, u"23:15", 1, true, u"0:15"},
  };
  TEsgSpinEdit* s = NewSpin(sptTime);
  for (const Row& r : rows) {
    s->SetShowSeconds(r.Seconds);
    s->SetText(r.Text);
    Caret(s, r.Caret);
    if (r.Up)
      s->StepUp(false);
    else
      s->StepDown(false);
    EXPECT_EQ(s->Text(), r.After) << r.Name;
  }
}

TEST_F(SpinEditTest, AnInvalidTimeIncrementFailsAndKeepsTheValue) {
  TEsgSpinEdit* s = NewSpin(sptTime);
  s->SetShowSeconds(false);
  s->SetText(u"1:00");
  s->SetIncrementHours(24);
  Caret(s, 0);
  EXPECT_THROW(s->StepUp(false), EConvertError);
  EXPECT_EQ(s->Text(), u"1:00");
}

// --- Typing ----------------------------------------------------------------------------------------

TEST_F(SpinEditTest, TheTypingFilterFollowsTheSpinType) {
  struct Row {
    const char* Name;
    TEsgSpinType Type;
    String Text;
    Integer SelStart, SelLength;
    Char Key;
    bool Valid;
  };
  const Row rows[] = {
      {"integer digit", sptNormal, u"12", 2, 0, u'3', true},
      {"integer refuses the decimal separator", sptNormal, u"12", 2, 0, u'.', false},
      {"integer refuses letters", sptNormal, u"12", 2, 0, u'a', false},
      {"integer refuses control characters", sptNormal, u"12", 2, 0, 3, false},
      {"integer takes an Arabic-Indic digit", sptNormal, u"12", 2, 0, 0x0663, true},
      {"minus at the start", sptNormal, u"12", 0, 0, u'-', true},
      {"minus elsewhere", sptNormal, u"12", 1, 0, u'-', false},
      {"a second minus", sptNormal, u"-12", 0, 0, u'-', false},
      {"a minus over the selected minus", sptNormal, u"-12", 0, 1, u'-', true},
      {"float decimal separator", sptFloat, u"12", 2, 0, u'.', true},
      {"float second decimal separator", sptFloat, u"1.2", 3, 0, u'.', false},
      {"float thousand separator", sptFloat, u"12", 2, 0, u',', false},
      {"float takes Escape", sptFloat, u"12", 2, 0, 27, true},
      {"Enter is never a character", sptFloat, u"12", 2, 0, 13, false},
      {"time separator in a float", sptFloat, u"12", 2, 0, u':', false},
      {"date separator in a date", sptDate, u"1/2", 3, 0, u'/', true},
      {"date separator in a time", sptTime, u"1:2", 3, 0, u'/', false},
      {"third time separator", sptTime, u"1:2:3", 5, 0, u':', false},
      {"second time separator", sptTime, u"1:2", 3, 0, u':', true},
      {"a letter in a date", sptDate, u"1/2", 3, 0, u'x', false},
  };
  TEsgSpinEdit* s = NewSpin();
  for (const Row& r : rows) {
    s->SetSpinType(r.Type);
    s->SetText(r.Text);
    s->SetSelStart(r.SelStart);
    s->SetSelLength(r.SelLength);
    EXPECT_EQ(s->IsValidChar(r.Key), r.Valid) << r.Name;
  }
}

TEST_F(SpinEditTest, AFloatTakesNoMoreDecimalsThanItsPrecision) {
  TEsgSpinEdit* s = NewSpin(sptFloat);
  s->SetPrecision(2);
  s->SetText(u"1.25");
  Caret(s, 4);
  EXPECT_FALSE(s->IsValidChar(u'7'));
  Caret(s, 1);  // before the separator the whole part may grow
  EXPECT_TRUE(s->IsValidChar(u'7'));
  s->SetSelStart(3);
  s->SetSelLength(1);  // a selected digit is replaced
  EXPECT_TRUE(s->IsValidChar(u'7'));
}

TEST_F(SpinEditTest, TypedCharactersThatAreRefusedBeepAndDoNotReachTheText) {
  ShowForm();
  TEsgSpinEdit* s = NewSpin();
  s->SetFocus();
  s->SetText(u"");
  std::vector<Char> pressed;
  s->OnKeyPress = [&](TObject*, Char& Key) { pressed.push_back(Key); };
  const Integer beeps = BeepCount();
  TestHarness::TypeText(s, u"1a2");
  EXPECT_EQ(s->Text(), u"12");
  EXPECT_EQ(BeepCount(), beeps + 1);
  EXPECT_EQ(pressed, (std::vector<Char>{u'1', u'2'}));
}

TEST_F(SpinEditTest, WithoutTheEditorOnlyTheStepsChangeTheText) {
  ShowForm();
  TEsgSpinEdit* s = NewSpin();
  s->SetFocus();
  s->SetEditorEnabled(false);
  s->SetValue(5);
  EXPECT_EQ(s->SelLength(), 1) << "the text is selected after a write";
  const Integer beeps = BeepCount();
  TestHarness::TypeText(s, u"7");
  TestHarness::Key(s, VK_BACK);
  EXPECT_EQ(BeepCount(), beeps + 2);
  EXPECT_EQ(s->Text(), u"5");
  Caret(s, 0);
  TestHarness::Key(s, VK_DELETE);
  EXPECT_EQ(s->Text(), u"5");
  Clipboard()->SetAsText(u"9");
  s->SelectAll();
  s->PasteFromClipboard();
  s->CutToClipboard();
  EXPECT_EQ(s->Text(), u"5");
  TestHarness::Key(s, VK_UP);
  EXPECT_EQ(s->Text(), u"6");
}

TEST_F(SpinEditTest, TheKeypadDecimalKeyTypesTheLocaleSeparator) {
  ShowForm();
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u' ';
  TEsgSpinEdit* s = NewSpin(sptFloat);
  s->SetFocus();
  s->SetText(u"1");
  Caret(s, 1);
  s->SetExcelStyleDecimalSeparator(true);
  TestHarness::KeyWithText(s, VK_DECIMAL, TShiftState(), u".", true);
  EXPECT_EQ(s->Text(), u"1,");
  s->SetText(u"1");
  Caret(s, 1);
  TestHarness::KeyWithText(s, VK_OEM_PERIOD, TShiftState(), u".", false);
  EXPECT_EQ(s->Text(), u"1") << "the main keyboard's full stop is no separator here";
}

// --- Keys and focus --------------------------------------------------------------------------------

TEST_F(SpinEditTest, ArrowAndPageKeysStepWithoutAKeyDownEvent) {
  ShowForm();
  TEsgSpinEdit* s = NewSpin(sptFloat);
  s->SetFocus();
  s->SetFloatValue(5.0);
  Integer keyDowns = 0;
  s->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++keyDowns; };
  struct Row {
    Word Key;
    const char16_t* After;
  };
  const Row rows[] = {{VK_UP, u"5.1"}, {VK_PRIOR, u"6.1"}, {VK_NEXT, u"5.1"}, {VK_DOWN, u"5"}};
  for (const Row& r : rows) {
    TestHarness::Key(s, r.Key);
    EXPECT_EQ(s->Text(), r.After) << "key " << r.Key;
  }
  EXPECT_EQ(keyDowns, 0);
  TestHarness::Key(s, VK_HOME);
  EXPECT_EQ(keyDowns, 1);
}

TEST_F(SpinEditTest, EnterWithReturnIsTabPostsATabThatMovesTheFocus) {
  ShowForm();
  TEsgSpinEdit* s = NewSpin();
  auto* next = new TEdit(Form);
  next->SetParent(Form);
  next->SetBounds(10, 50, 100, 21);
  s->SetFocus();
  TestHarness::ProcessEvents();
  s->SetReturnIsTab(true);
  std::vector<Word> keys;
  s->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { keys.push_back(Key); };
  TestHarness::SendKeyStroke(s, VK_RETURN, TShiftState(), u"\r");
  EXPECT_EQ(TestHarness::PendingPosted(s->Handle(), WM_KEYDOWN), 1);
  EXPECT_EQ(keys, (std::vector<Word>{VK_TAB}));
  EXPECT_EQ(s->Text(), u"0");
  TestHarness::ProcessEvents();
  EXPECT_TRUE(next->Focused());
}

TEST_F(SpinEditTest, LeavingPutsAValueOutsideTheBoundsBackInside) {
  ShowForm();
  TEsgSpinEdit* s = NewSpin();
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 50, 100, 21);
  s->SetFocus();
  TestHarness::ProcessEvents();
  s->SetText(u"500");
  other->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_EQ(s->Text(), u"100");
}

TEST_F(SpinEditTest, EnteringSelectsTheWholeText) {
  ShowForm();
  TEsgSpinEdit* s = NewSpin();
  s->SetValue(42);
  s->SetSelLength(0);
  s->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_EQ(s->SelLength(), 2);
}

// --- Layout and loading ----------------------------------------------------------------------------

TEST_F(SpinEditTest, ThePairSitsAtTheRightEdgeAndTheTextStaysClearOfIt) {
  TEsgSpinEdit* s = NewSpin();
  s->SetBounds(10, 10, 120, 30);
  TEsgSpinButton* b = s->Button();
  EXPECT_EQ(b->BoundsRect(), Rect(120 - 15 - 5, 0, 120 - 5, 25)) << "single border, 3-D";
  EXPECT_EQ(s->EditRect(), Rect(0, 0, s->ClientWidth() - 15 - 2, s->ClientHeight() + 1));
  s->SetBorderStyle(bsNone);
  s->SetWidth(121);
  EXPECT_EQ(b->BoundsRect(), Rect(121 - 15 - 1, 0, 121 - 1, 29)) << "no border";
  EXPECT_EQ(s->EditRect(), Rect(3, 3, s->ClientWidth() - 15 - 2 - 3, s->ClientHeight() + 1));
  s->SetCtl3D(false);
  s->SetWidth(120);
  EXPECT_EQ(b->BoundsRect(), Rect(120 - 15, 1, 120, 28)) << "flat";
}

TEST_F(SpinEditTest, TheHeightNeverFallsBelowWhatTheFontNeeds) {
  TEsgSpinEdit* s = NewSpin();
  const Integer least = s->MinHeight();
  EXPECT_GT(least, 10);
  s->SetHeight(5);
  EXPECT_EQ(s->Height(), least);
  s->SetBorderStyle(bsNone);
  EXPECT_EQ(s->MinHeight(), least - 4) << "a single border adds four border heights";
}

TEST_F(SpinEditTest, ADirectionChangeLaysThePairOutAgain) {
  TEsgSpinEdit* s = NewSpin();
  s->SetDirection(spHorizontal);
  EXPECT_EQ(s->Button()->Width(), 20);
  EXPECT_EQ(s->Button()->Left(), s->Width() - 20 - 5);
  EXPECT_EQ(s->Button()->UpButton()->ButtonDirection(), bdRight);
  EXPECT_EQ(s->Width(), 120);
}

TEST_F(SpinEditTest, ValuesWrittenWhileLoadingAreShownOnceLoaded) {
  UseDayFirstDates();
  auto* s = new TEsgSpinEdit(nullptr);
  s->BeginLoading();
  s->SetSpinType(sptDate);
  s->SetDateValue(EncodeDate(2024, 3, 9));
  EXPECT_EQ(s->Text(), u"0") << "nothing reaches the text while loading";
  s->EndLoading();
  EXPECT_EQ(s->Text(), u"09/03/2024");
  TComponent::Free(s);
}

// --- The button pair -------------------------------------------------------------------------------

namespace {

class SpinButtonTest : public EditorTest {
 protected:
  TEsgSpinButton* NewPair() {
    auto* p = new TEsgSpinButton(Form);
    p->SetParent(Form);
    p->SetBounds(200, 10, 15, 25);
    return p;
  }
  static TPoint Centre(TControl* C) { return Point(C->Width() / 2, C->Height() / 2); }
};

}  // namespace

TEST_F(SpinButtonTest, TheButtonsShareTheHeightAndTheWidthHasALeast) {
  struct Row {
    const char* Name;
    TSpinDirection Direction;
    Integer Width, Height;
    Integer PairWidth;
    TRect Up, Down;
  };
  const Row rows[] = {
      {"vertical, widened", spVertical, 10, 25, 15, Rect(0, 0, 15, 12), Rect(0, 11, 15, 25)},
      {"vertical, wide", spVertical, 30, 40, 30, Rect(0, 0, 30, 20), Rect(0, 19, 30, 40)},
      {"horizontal, widened", spHorizontal, 10, 18, 20, Rect(11, 0, 21, 18), Rect(0, 0, 10, 18)},
  };
  for (const Row& r : rows) {
    TEsgSpinButton* p = NewPair();
    p->SetDirection(r.Direction);
    p->SetBounds(0, 0, r.Width, r.Height);
    EXPECT_EQ(p->Width(), r.PairWidth) << r.Name;
    EXPECT_EQ(p->UpButton()->BoundsRect(), r.Up) << r.Name;
    EXPECT_EQ(p->DownButton()->BoundsRect(), r.Down) << r.Name;
  }
}

TEST_F(SpinButtonTest, ConstructionGivesTheDefaults) {
  TEsgSpinButton* p = NewPair();
  EXPECT_FALSE(p->TabStop());
  EXPECT_EQ(p->FocusedButton(), p->UpButton());
  EXPECT_EQ(p->UpButton()->TimeBtnState(), tbAllowTimer);
  EXPECT_EQ(p->UpButton()->ButtonDirection(), bdUp);
  EXPECT_EQ(p->DownButton()->ButtonDirection(), bdDown);
  EXPECT_EQ(p->ButtonColor(), clNone);
  EXPECT_FALSE(p->ControlStyle() & csAcceptsControls);
}

TEST_F(SpinButtonTest, TheDefaultGlyphsAreBlackArrowsOnOlive) {
  TEsgSpinButton* p = NewPair();
  const char* up[] = {".........", "....#....", "...###...", "..#####..", ".#######.", "........."};
  for (bool isUp : {true, false}) {
    TBitmap* g = isUp ? p->UpGlyph() : p->DownGlyph();
    ASSERT_EQ(g->Width(), 9);
    ASSERT_EQ(g->Height(), 6);
    EXPECT_EQ(g->TransparentColor(), clOlive);
    for (Integer y = 0; y < 6; ++y)
      for (Integer x = 0; x < 9; ++x) {
        const char want = up[isUp ? y : 5 - y][x];
        EXPECT_EQ(g->Canvas()->Pixels(x, y), want == '#' ? clBlack : clOlive)
            << (isUp ? "up" : "down") << " at " << x << "," << y;
      }
  }
}

TEST_F(SpinButtonTest, ResettingOneGlyphLeavesTheOtherButtonsGlyphCount) {
  TEsgSpinButton* p = NewPair();
  p->SetUpNumGlyphs(2);
  p->SetDownNumGlyphs(3);
  p->SetDownGlyph(nullptr);
  EXPECT_EQ(p->UpNumGlyphs(), 2);
  EXPECT_EQ(p->DownNumGlyphs(), 1);
}

TEST_F(SpinButtonTest, HoldingAButtonRepeatsItsClickUntilTheRelease) {
  ShowForm();
  TestHarness::UseFakeClock(true);
  TEsgSpinButton* p = NewPair();
  Integer ups = 0, downs = 0;
  p->OnUpClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, p);
    ++ups;
  };
  p->OnDownClick = [&](TObject*) { ++downs; };
  TExTimerSpeedButton* b = p->UpButton();
  TestHarness::MouseDown(b, mbLeft, Centre(b));
  TestHarness::AdvanceClock(399);
  EXPECT_EQ(ups, 0);
  TestHarness::AdvanceClock(1);
  EXPECT_EQ(ups, 1) << "first repeat after 400 ms";
  TestHarness::AdvanceClock(600);
  EXPECT_EQ(ups, 7) << "then one every 100 ms";
  TestHarness::MouseUp(b, mbLeft, Centre(b));
  EXPECT_EQ(ups, 8) << "and the ordinary click on release";
  TestHarness::AdvanceClock(1000);
  EXPECT_EQ(ups, 8) << "the release stops the repeat";
  EXPECT_EQ(downs, 0);
}

TEST_F(SpinButtonTest, OffTheHeldButtonTheTimerTicksWithoutClicking) {
  ShowForm();
  TestHarness::UseFakeClock(true);
  TEsgSpinButton* p = NewPair();
  Integer downs = 0;
  p->OnDownClick = [&](TObject*) { ++downs; };
  TExTimerSpeedButton* b = p->DownButton();
  TestHarness::MouseDown(b, mbLeft, Centre(b));
  TestHarness::MouseMove(b, Point(b->Width() + 30, b->Height() + 30));
  EXPECT_EQ(b->State(), bsUp) << "not shown pressed off the button";
  TestHarness::AdvanceClock(1000);
  EXPECT_EQ(downs, 0);
  TestHarness::MouseUp(b, mbLeft, Point(b->Width() + 30, b->Height() + 30));
  EXPECT_EQ(downs, 0) << "no release click outside";
}

TEST_F(SpinButtonTest, ARepeatedClickThatFailsStopsTheTimer) {
  ShowForm();
  TestHarness::UseFakeClock(true);
  TEsgSpinButton* p = NewPair();
  Integer ups = 0;
  p->OnUpClick = [&](TObject*) {
    ++ups;
    throw Exception(u"stop");
  };
  TExTimerSpeedButton* b = p->UpButton();
  TestHarness::ExpectMessage(u"stop", mtError);
  TestHarness::MouseDown(b, mbLeft, Centre(b));
  TestHarness::AdvanceClock(400);
  EXPECT_EQ(ups, 1);
  ASSERT_NE(b->RepeatTimer(), nullptr);
  EXPECT_FALSE(b->RepeatTimer()->Enabled());
  TestHarness::AdvanceClock(500);
  EXPECT_EQ(ups, 1);
  EXPECT_TRUE(TestHarness::Verify());
  b->Perform(WM_LBUTTONUP, 0, MakeLParam(200, 200));  // let go outside: no click
}

TEST_F(SpinButtonTest, PressingAButtonFocusesTheFocusControl) {
  ShowForm();
  TEsgSpinButton* p = NewPair();
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  edit->SetBounds(10, 10, 100, 21);
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 50, 100, 21);
  other->SetFocus();
  TestHarness::ProcessEvents();
  p->SetFocusControl(edit);
  TestHarness::Click(p->DownButton());
  TestHarness::ProcessEvents();
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(p->FocusedButton(), p->UpButton()) << "without TabStop the focus mark does not move";
  TComponent::Free(edit);
  EXPECT_EQ(p->FocusControl(), nullptr);
}

TEST_F(SpinButtonTest, KeysClickTheButtonsAndMoveTheFocusMark) {
  ShowForm();
  TEsgSpinButton* p = NewPair();
  p->SetTabStop(true);
  p->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_EQ(p->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
  EXPECT_TRUE(p->UpButton()->TimeBtnState() & tbFocusRect);
  std::vector<char> clicks;
  p->OnUpClick = [&](TObject*) { clicks.push_back('u'); };
  p->OnDownClick = [&](TObject*) { clicks.push_back('d'); };
  TestHarness::Key(p, VK_DOWN);
  EXPECT_EQ(p->FocusedButton(), p->DownButton());
  EXPECT_TRUE(p->DownButton()->TimeBtnState() & tbFocusRect);
  EXPECT_FALSE(p->UpButton()->TimeBtnState() & tbFocusRect);
  TestHarness::Key(p, VK_SPACE);
  TestHarness::Key(p, VK_UP);
  EXPECT_EQ(clicks, (std::vector<char>{'d', 'd', 'u'}));
}

TEST_F(SpinButtonTest, CustomColoursFillTheButtonAndDrawABlackArrow) {
  TEsgSpinButton* p = NewPair();
  p->SetBounds(0, 0, 15, 30);
  p->SetButtonColor(clYellow);
  p->SetButtonColorHot(clLime);
  p->SetButtonColorDown(clRed);
  p->SetButtonTextColor(clBlue);
  TExTimerSpeedButton* up = p->UpButton();
  up->Invalidate();
  up->PaintIfNeeded();
  TCanvas* c = up->BackingImage()->Canvas();
  EXPECT_EQ(c->Pixels(1, 10), clYellow);
  EXPECT_EQ(c->Pixels(6, 3), clBlack) << "inside the up arrow";
  up->Perform(CM_MOUSEENTER, 0, 0);
  up->PaintIfNeeded();
  EXPECT_EQ(c->Pixels(1, 10), clLime);
}

TEST_F(SpinButtonTest, TheClassicLookShowsTheGlyph) {
  TEsgSpinButton* p = NewPair();
  p->SetBounds(0, 0, 15, 30);
  TExTimerSpeedButton* up = p->UpButton();
  up->Invalidate();
  up->PaintIfNeeded();
  TCanvas* c = up->BackingImage()->Canvas();
  // The 9 x 6 glyph is centred in the 15 x 15 button: its tip row 1 lands on row 5.
  const Integer gx = (15 - 9) / 2, gy = (15 - 6) / 2;
  EXPECT_EQ(c->Pixels(gx + 4, gy + 1), clBlack);
  EXPECT_NE(c->Pixels(gx, gy), clOlive) << "the olive background is transparent";
}

TEST(NumberCharTest, DigitsAndNumberSignsOfAnyScriptAreNumbers) {
  struct Row {
    const char* Name;
    Char C;
    bool Number;
  };
  const Row rows[] = {
      {"ASCII digit", u'7', true},         {"Arabic-Indic digit", 0x0665, true},
      {"Devanagari digit", 0x096F, true},  {"full-width digit", 0xFF19, true},
      {"superscript two", 0x00B2, true},   {"vulgar fraction one half", 0x00BD, true},
      {"Roman numeral", 0x2163, true},     {"circled digit", 0x2460, true},
      {"letter", u'A', false},             {"minus", u'-', false},
      {"after the ASCII digits", u':', false}, {"a surrogate half", 0xD835, false},
  };
  for (const Row& r : rows) EXPECT_EQ(IsNumberChar(r.C), r.Number) << r.Name;
}

// --- The speed button the spin buttons stand on ----------------------------------------------------

TEST_F(SpinButtonTest, AGroupButtonStaysDownAndLetsTheOthersUp) {
  ShowForm();
  auto* a = new TSpeedButton(Form);
  auto* b = new TSpeedButton(Form);
  for (TSpeedButton* s : {a, b}) {
    s->SetParent(Form);
    s->SetGroupIndex(1);
  }
  a->SetBounds(10, 100, 23, 22);
  b->SetBounds(40, 100, 23, 22);
  Integer clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  a->SetDown(true);
  EXPECT_EQ(a->State(), bsExclusive);
  TestHarness::Click(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(clicks, 1);
  TestHarness::Click(b);
  EXPECT_TRUE(b->Down()) << "the only down button of a group stays down";
  b->SetAllowAllUp(true);
  TestHarness::Click(b);
  EXPECT_FALSE(b->Down());
}

TEST_F(SpinButtonTest, TheGlyphImageFollowsTheButtonState) {
  // A strip of four 4 x 4 images in red, green, blue and yellow on a white background pixel.
  TBitmap strip(16, 4);
  const TColor colours[] = {clRed, clLime, clBlue, clYellow};
  for (Integer i = 0; i < 4; ++i) {
    strip.Canvas()->Brush()->SetColor(colours[i]);
    strip.Canvas()->FillRect(Bounds(i * 4, 0, 4, 4));
  }
  strip.Canvas()->SetPixels(0, 3, clWhite);  // the transparent colour
  auto* s = new TSpeedButton(Form);
  s->SetParent(Form);
  s->SetBounds(0, 0, 24, 24);
  s->SetGlyph(&strip);
  s->SetNumGlyphs(4);
  auto centre = [&] {
    s->Invalidate();
    s->PaintIfNeeded();
    return s->BackingImage()->Canvas()->Pixels(11, 11);
  };
  EXPECT_EQ(centre(), clRed) << "up";
  s->SetEnabled(false);
  EXPECT_EQ(centre(), clLime) << "disabled";
  s->SetEnabled(true);
  s->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
  EXPECT_EQ(centre(), clBlue) << "pressed (drawn one pixel right and down)";
  s->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 5));
  s->SetGroupIndex(2);
  s->SetDown(true);
  EXPECT_EQ(centre(), clYellow) << "down";
}
