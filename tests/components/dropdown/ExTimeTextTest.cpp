// The time field's text layout and its reading, without a window.
#include "components/dropdown/ExTimePickerDropDown.h"

#include <gtest/gtest.h>

namespace {

TEST(ExTimeText, FormatsTwoDigitParts) {
  struct Row {
    const char* Name;
    Integer H, M, S;
    bool Seconds;
    Char TS;
    String Expected;
  };
  const Row Rows[] = {
      {"midnight with seconds", 0, 0, 0, true, u':', u"00:00:00"},
      {"one-digit parts get a zero", 9, 5, 7, true, u':', u"09:05:07"},
      {"without seconds", 13, 5, 9, false, u':', u"13:05"},
      {"other separator", 23, 59, 59, true, u'.', u"23.59.59"},
  };
  for (const Row& R : Rows)
    EXPECT_EQ(FormatTimeText(R.H, R.M, R.S, R.Seconds, R.TS), R.Expected) << R.Name;
  EXPECT_EQ(TwoDigits(u""), u"00");
  EXPECT_EQ(TwoDigits(u"7"), u"07");
  EXPECT_EQ(TwoDigits(u"12"), u"12");
}

TEST(ExTimeText, ReadsOnlyTheFullLayout) {
  struct Row {
    const char* Name;
    String Text;
    bool Seconds;
    bool Ok;
    Integer H, M, S;
  };
  const Row Rows[] = {
      {"full with seconds", u"09:30:15", true, true, 9, 30, 15},
      {"full without seconds", u"13:05", false, true, 13, 5, 0},
      {"inner blanks read as zeros", u"09:3 : 1", true, true, 9, 30, 1},
      {"a leading blank shortens the trimmed text", u" 9:30:15", true, false, 0, 0, 0},
      {"out of range parts are read, not checked", u"25:00:00", true, true, 25, 0, 0},
      {"incomplete text", u"09:30", true, false, 0, 0, 0},
      {"one separator too many", u"1:3:0:00", true, false, 0, 0, 0},
      {"seconds text for the short layout", u"09:30:15", false, false, 0, 0, 0},
      {"letters in a part", u"0a:30:15", true, false, 0, 0, 0},
      {"empty", u"", true, false, 0, 0, 0},
  };
  for (const Row& R : Rows) {
    Integer H = -1, M = -1, S = -1;
    const bool Ok = ParseTimeText(R.Text, R.Seconds, u':', H, M, S);
    EXPECT_EQ(Ok, R.Ok) << R.Name;
    if (Ok && R.Ok) {
      EXPECT_EQ(H, R.H) << R.Name;
      EXPECT_EQ(M, R.M) << R.Name;
      EXPECT_EQ(S, R.S) << R.Name;
    }
  }
}

TEST(ExTimeText, CaretChoosesThePart) {
  struct Row {
    const char* Name;
    Integer Caret;
    bool Seconds;
    Integer Part;
  };
  const Row Rows[] = {
      {"start of the hour", 0, true, 0},
      {"right after the hour digits", 2, true, 0},
      {"after the first separator", 3, true, 1},
      {"inside the minute", 4, true, 1},
      {"right after the minute digits", 5, true, 1},
      {"before the seconds", 6, true, 2},
      {"end of the text", 8, true, 2},
      {"end without seconds", 5, false, 1},
      {"past the minute without seconds", 8, false, 1},
  };
  for (const Row& R : Rows)
    EXPECT_EQ(TimePartAtCaret(R.Seconds ? u"13:05:09" : u"13:05", R.Caret, R.Seconds, u':'), R.Part)
        << R.Name;
}

TEST(ExTimeText, LayoutAndDigitChecks) {
  EXPECT_TRUE(IsTimeTextLayout(u"12:00:00", true, u':'));
  EXPECT_FALSE(IsTimeTextLayout(u"12:00:00", false, u':'));
  EXPECT_TRUE(IsTimeTextLayout(u"12:00", false, u':'));
  EXPECT_EQ(BlanksToZeros(u" 1: 2"), u"01:02");
  EXPECT_TRUE(HasLeadingDigits(u""));
  EXPECT_TRUE(HasLeadingDigits(u"5"));
  EXPECT_TRUE(HasLeadingDigits(u"12x"));
  EXPECT_FALSE(HasLeadingDigits(u"1x"));
  EXPECT_FALSE(HasLeadingDigits(u"-1"));
}

}  // namespace
