// Numbers, dates and times as cell text: number classes and normalisation, the locale date parser,
// the day-month-year and month-day-year parsers, date steps and range limits.
#include "components/gridbase/ExUtil.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string U8(const String& S) { return StringToUtf8(S); }

// Runs a test with changed format settings and puts the English ones back afterwards.
class ExUtilLocale : public ::testing::Test {
 protected:
  void TearDown() override { FormatSettings = TFormatSettings::English(); }
  static void UseGerman() {
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    FormatSettings.DateSeparator = u'.';
    FormatSettings.TimeSeparator = u':';
    FormatSettings.ShortDateFormat = u"dd.MM.yyyy";
  }
};

TDateTime DT(Word Y, Word M, Word D, Word H = 0, Word N = 0, Word S = 0) {
  return EncodeDate(Y, M, D) + EncodeTime(H, N, S, 0);
}

}  // namespace

TEST(ExUtilNumbers, ClassifyNumberTextTable) {
  struct Row {
    const char* Name;
    String S;
    Integer Kind;
  };
  const Row Rows[] = {
      {"negative integer", u"-12", ntInteger},
      {"minus alone", u"-", ntInteger},
      {"minus inside", u"1-2", ntOther},
      {"decimal", u"1.5", ntFloat},
      {"thousands", u"1,000", ntFloat},
      {"thousands far enough apart", u"1,000,000.5", ntFloat},
      {"thousands too close", u"1,0,0", ntOther},
      {"digits after the last separator not counted", u"1,00", ntFloat},
      {"exponent", u"1.5e3", ntExponent},
      {"negative exponent of a negative number", u"-1e-5", ntExponent},
      {"exponent at the start", u"e5", ntOther},
      {"exponent at the end", u"15e", ntOther},
      {"two exponents", u"1e2e3", ntOther},
      {"letters", u"12a", ntOther},
      {"empty", u"", ntOther},
      {"two decimal separators", u"1.2.3", ntOther},
      {"two minus signs", u"--1", ntOther},
      {"Arabic-Indic digits", u"\u0661\u0662", ntInteger},
  };
  for (const Row& R : Rows) EXPECT_EQ(ClassifyNumberText(R.S), R.Kind) << R.Name;
}

TEST(ExUtilNumbers, CharacterClasses) {
  EXPECT_TRUE(IsDigitChar(u'7'));
  EXPECT_TRUE(IsDigitChar(u'\u00BD'));  // vulgar fraction one half: another number character
  EXPECT_TRUE(IsDigitChar(u'\u2160'));  // roman numeral one: a letter number
  EXPECT_TRUE(IsDigitChar(u'\uFF19'));  // full-width nine
  EXPECT_FALSE(IsDigitChar(u'a'));
  EXPECT_FALSE(IsDigitChar(u'/'));
  EXPECT_FALSE(IsDigitChar(u':'));
  EXPECT_TRUE(IsDigitOrMinus(u'-'));
  EXPECT_TRUE(IsNumberTextChar(u','));
  EXPECT_TRUE(IsNumberTextChar(u'E'));
  EXPECT_FALSE(IsNumberTextChar(u'+'));
  EXPECT_TRUE(IsPlainNumberChar(u'+'));
  EXPECT_FALSE(IsPlainNumberChar(u','));
  EXPECT_TRUE(IsExponentNumberChar(u'+'));
  EXPECT_TRUE(IsExponentNumberChar(u','));
}

TEST_F(ExUtilLocale, NormalizeNumberTextTable) {
  struct Row {
    const char* Name;
    String S;
    const char* Want;
  };
  const Row English[] = {
      {"parentheses", u" (5) ", "-5"},
      {"currency before a minus", u"USD -5", "-5"},
      {"unit after", u"12 kg", "12"},
      {"thousands dropped", u"1,234.5", "1234.5"},
      {"e counts as number text", u"EUR 5", "E"},
      {"empty", u"", ""},
  };
  for (const Row& R : English) EXPECT_EQ(U8(NormalizeNumberText(R.S)), R.Want) << R.Name;
  UseGerman();
  EXPECT_EQ(U8(NormalizeNumberText(u"(1.234,50)")), "-1234.50");
}

TEST_F(ExUtilLocale, ParseLocaleDateTimeTable) {
  UseGerman();
  struct Row {
    const char* Name;
    String S;
    bool Ok;
    TDateTime Stored;  // what Value holds afterwards (it starts at -1)
  };
  const Row Rows[] = {
      {"date and time", u"31.12.2020 13:45", true, DT(2020, 12, 31, 13, 45)},
      {"date, time with seconds", u"1.2.2021 1:02:03", true, DT(2021, 2, 1, 1, 2, 3)},
      {"date only", u" 5.6.2007 ", true, DT(2007, 6, 5)},
      {"time without separator keeps the date", u"31.12.2020 13", false, DT(2020, 12, 31)},
      {"day too large", u"32.12.2020", false, -1},
      {"year taken as written", u"31.12.20", true, DT(20, 12, 31)},
      {"impossible date", u"31.2.2020", false, -1},
      {"second 60", u"1.1.2020 10:00:60", false, -1},
      {"minute 60", u"1.1.2020 10:60", false, -1},
      {"hour 24", u"1.1.2020 24:00", false, -1},
      {"one separator", u"1.1", false, -1},
      {"text in a field", u"a.1.2020", false, -1},
  };
  for (const Row& R : Rows) {
    TDateTime V = -1;
    EXPECT_EQ(ParseLocaleDateTime(R.S, V), R.Ok) << R.Name;
    EXPECT_DOUBLE_EQ(V, R.Stored) << R.Name;
  }
}

TEST_F(ExUtilLocale, ParseLocaleDateTimeFollowsTheFieldOrder) {
  // English settings: month/day/year.
  TDateTime V = 0;
  ASSERT_TRUE(ParseLocaleDateTime(u"12/31/1999", V));
  EXPECT_DOUBLE_EQ(V, DT(1999, 12, 31));
  FormatSettings.ShortDateFormat = u"yyyy/MM/dd";
  ASSERT_TRUE(ParseLocaleDateTime(u"2001/02/03 04:05", V));
  EXPECT_DOUBLE_EQ(V, DT(2001, 2, 3, 4, 5));
}

TEST(ExUtilNumbers, DayMonthYearParsers) {
  EXPECT_DOUBLE_EQ(ParseDateDMY(u"1-2-03"), EncodeDate(2003, 2, 1));
  EXPECT_DOUBLE_EQ(ParseDateMDY(u"12/31/99"), EncodeDate(1999, 12, 31));
  EXPECT_DOUBLE_EQ(ParseDateDMY(u"5.6.25"), EncodeDate(2025, 6, 5));
  EXPECT_DOUBLE_EQ(ParseDateDMY(u"5.6.26"), EncodeDate(1926, 6, 5));
  // Four-digit years are taken as written, so they keep their order in a sort.
  EXPECT_DOUBLE_EQ(ParseDateMDY(u"12/31/2024"), EncodeDate(2024, 12, 31));
  EXPECT_DOUBLE_EQ(ParseDateMDY(u"1/2/9000"), EncodeDate(9000, 1, 2));
  // The separator is the first "/" found, else ".", else "-", and it must come twice.
  EXPECT_DOUBLE_EQ(ParseDateDMY(u"1/2.03"), 0);
  EXPECT_DOUBLE_EQ(ParseDateDMY(u"1 2 03"), 0);
  EXPECT_DOUBLE_EQ(ParseDateDMY(u"x/2/03"), 0);
  EXPECT_DOUBLE_EQ(ParseDateDMY(u"1/2/03x"), 0);
  // An impossible date is the date encoding's error, which the caller handles.
  EXPECT_THROW(ParseDateDMY(u"31/2/03"), EConvertError);
}

TEST_F(ExUtilLocale, LooksLikeDate) {
  UseGerman();
  EXPECT_TRUE(LooksLikeDate(u"1.2.3"));
  EXPECT_FALSE(LooksLikeDate(u".1.2"));
  EXPECT_FALSE(LooksLikeDate(u"1..2"));
  EXPECT_FALSE(LooksLikeDate(u"1.2"));
  EXPECT_TRUE(LooksLikeDate(u"12.10.2020"));
}

TEST(ExUtilNumbers, IncDatePartsTable) {
  struct Row {
    const char* Name;
    Word Years, Months, Days;
    TDateTime Date;
    double Increment;
    TDateTime Want;
  };
  const Row Rows[] = {
      {"one month into the next year", 0, 1, 0, EncodeDate(2020, 12, 15), 0, EncodeDate(2021, 1, 15)},
      {"month 65535 is one back", 0, 65535, 0, EncodeDate(2021, 1, 15), 0, EncodeDate(2020, 12, 15)},
      {"three months give a plain date", 0, 3, 0, EncodeDate(2021, 3, 15) + 0.5, 0, EncodeDate(2021, 6, 15)},
      {"years", 2, 0, 0, EncodeDate(2020, 2, 10), 0, EncodeDate(2022, 2, 10)},
      {"year 65535 is one back", 65535, 0, 0, EncodeDate(2020, 2, 10), 0, EncodeDate(2019, 2, 10)},
      {"days", 0, 0, 40, EncodeDate(2020, 1, 1), 0, EncodeDate(2020, 2, 10)},
      {"mixed steps take the increment", 1, 1, 0, EncodeDate(2020, 1, 1), 2.5, EncodeDate(2020, 1, 1) + 2.5},
      {"no step takes the increment", 0, 0, 0, EncodeDate(2020, 1, 1), 7, EncodeDate(2020, 1, 8)},
  };
  for (const Row& R : Rows)
    EXPECT_DOUBLE_EQ(IncDateParts(R.Years, R.Months, R.Days, R.Date, R.Increment), R.Want) << R.Name;
  // A day the target month lacks is the date encoding's error.
  EXPECT_THROW(IncDateParts(0, 1, 0, EncodeDate(2021, 3, 31), 0), EConvertError);
}

TEST(ExUtilNumbers, LimitToRangeAndMinMax) {
  EXPECT_EQ(LimitToRange(5, 10, 0), 10);
  EXPECT_EQ(LimitToRange(50, 0, 20), 20);
  EXPECT_EQ(LimitToRange(5, 7, 7), 5);
  EXPECT_EQ(LimitToRange(-5, -3, 10), -5);  // a bound of 0 or less is not applied
  EXPECT_EQ(LimitToRange(15, 1, 10), 10);
  EXPECT_EQ(LimitToRange(5, 1, 10), 5);
  EXPECT_EQ(IntMax(-1, 3), 3);
  EXPECT_EQ(IntMin(-1, 3), -1);
}

TEST(ExUtilNumbers, RoundIntTakesHalvesToEven) {
  struct Case {
    const char* Name;
    double Value;
    Integer Expected;
  };
  const Case Cases[] = {
      {"below a half", 2.4, 2},
      {"above a half", 2.6, 3},
      {"a half to the even below", 2.5, 2},
      {"a half to the even above", 3.5, 4},
      {"a negative half to the even", -2.5, -2},
      {"a negative value past a half", -2.6, -3},
  };
  for (const Case& C : Cases) EXPECT_EQ(RoundInt(C.Value), C.Expected) << C.Name;
}
