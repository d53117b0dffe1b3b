#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"

namespace {

std::string U8(const String& s) { return StringToUtf8(s); }

class DatesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings = TFormatSettings::English();
    // 2024-03-05 14:07:09.045, a Tuesday.
    SetNowFunction([] { return EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45); });
  }
  void TearDown() override {
    SetNowFunction(nullptr);
    FormatSettings = TFormatSettings::English();
  }
};

}  // namespace

TEST_F(DatesTest, EncodeAndDecode) {
  struct Row {
    const char* name;
    Word y, m, d;
    double serial;
  };
  const Row rows[] = {
      {"epoch", 1899, 12, 30, 0},
      {"day after", 1899, 12, 31, 1},
      {"before the epoch", 1899, 12, 29, -1},
      {"leap day", 2000, 2, 29, 36585},
      {"first year", 1, 1, 1, -693593},
      {"last day", 9999, 12, 31, 2958465},
      {"modern", 2024, 3, 5, 45356},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(EncodeDate(r.y, r.m, r.d), r.serial);
    Word y, m, d;
    // 18:00 of that day: a negative value carries its time as a negative fraction.
    DecodeDate(r.serial < 0 ? r.serial - 0.75 : r.serial + 0.75, y, m, d);
    EXPECT_EQ(y, r.y);
    EXPECT_EQ(m, r.m);
    EXPECT_EQ(d, r.d);
  }
  // A negative value counts its time forward from its date: -1.25 is 1899-12-29 06:00.
  Word y, m, d, h, n, s, ms;
  DecodeDate(-1.25, y, m, d);
  DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 6);
  DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
  EXPECT_EQ(h, 23);
  EXPECT_EQ(n, 59);
  EXPECT_EQ(s, 59);
  EXPECT_EQ(ms, 999);
  // Just below midnight rounds into the next day rather than to 24:00.
  DecodeDate(1.0 - 1e-10, y, m, d);
  DecodeTime(1.0 - 1e-10, h, n, s, ms);
  EXPECT_EQ(d, 31);
  EXPECT_EQ(h, 0);
}

TEST_F(DatesTest, InvalidPartsRaise) {
  struct Row {
    const char* name;
    Word y, m, d;
  };
  const Row bad[] = {{"year 0", 0, 1, 1},        {"year 10000", 10000, 1, 1}, {"month 13", 2024, 13, 1},
                     {"day 0", 2024, 1, 0},       {"Feb 29 of 1900", 1900, 2, 29}, {"Apr 31", 2023, 4, 31}};
  for (const auto& r : bad) {
    SCOPED_TRACE(r.name);
    TDateTime t = 7;
    EXPECT_FALSE(TryEncodeDate(r.y, r.m, r.d, t));
    EXPECT_EQ(t, 7);
    try {
      EncodeDate(r.y, r.m, r.d);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"Invalid argument to date encode");
    }
  }
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
}

TEST_F(DatesTest, CalendarArithmetic) {
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5) + 0.9), 3);  // Tuesday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);  // Sunday, before the epoch
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2023, 1, 31)), EncodeDate(2023, 2, 28));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 15), -3), EncodeDate(2023, 12, 15));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 15) + 0.5, 12), EncodeDate(2025, 3, 15) + 0.5);
  EXPECT_EQ(Date(), EncodeDate(2024, 3, 5));
  EXPECT_NEAR(Time(), EncodeTime(14, 7, 9, 45), 1e-9);
}

TEST_F(DatesTest, FormatDateTimePatterns) {
  const TDateTime t = Now();  // 2024-03-05 14:07:09.045
  const TDateTime morning = EncodeDate(2024, 11, 25) + EncodeTime(0, 5, 3, 7);
  struct Row {
    const char* name;
    String format;
    TDateTime value;
    String text;
  };
  const Row rows[] = {
      {"short numbers", u"d/m/yy", t, u"5/3/24"},
      {"padded numbers", u"dd.mm.yyyy", t, u"05.03.2024"},
      {"names", u"ddd dddd mmm mmmm", t, u"Tue Tuesday Mar March"},
      {"time", u"hh:nn:ss.zzz", t, u"14:07:09.045"},
      {"minutes after hours", u"h:mm", t, u"14:07"},
      {"months when not after hours", u"mm h", t, u"03 14"},
      {"short time units", u"h n s z", morning, u"0 5 3 7"},
      {"am/pm keeps its case", u"h:nn am/pm", t, u"2:07 pm"},
      {"AM/PM upper", u"hh AM/PM", morning, u"12 AM"},
      {"a/p", u"h a/p", t, u"2 p"},
      {"ampm uses the settings", u"h ampm", t, u"2 PM"},
      {"quoted text", u"'day' d \"of\" m", t, u"day 5 of 3"},
      {"separators from the settings", u"yyyy/mm/dd hh:nn", t, u"2024/03/05 14:07"},
      {"short date", u"ddddd", t, u"3/5/2024"},
      {"long date", u"dddddd", t, u"Tuesday, March 5, 2024"},
      {"c with time", u"c", t, u"3/5/2024 2:07:09 PM"},
      {"c at midnight", u"c", EncodeDate(2024, 3, 5), u"3/5/2024"},
      {"t and tt", u"t|tt", t, u"2:07 PM|2:07:09 PM"},
      {"upper-case letters", u"YYYY-MM-DD HH:NN", t, u"2024-03-05 14:07"},
      {"other characters as they are", u"[yyyy]_#", t, u"[2024]_#"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(U8(FormatDateTime(r.format, r.value)), U8(r.text));
  }
  TFormatSettings fs;
  fs.DateSeparator = u'.';
  fs.TimeSeparator = u'-';
  fs.ShortDateFormat = u"dd/mm/yyyy";
  fs.LongTimeFormat = u"hh:nn:ss";
  EXPECT_EQ(FormatDateTime(u"yyyy/mm/dd hh:nn", t, fs), u"2024.03.05 14-07");
  EXPECT_EQ(DateTimeToStr(t, fs), u"05.03.2024 14-07-09");
  EXPECT_EQ(DateToStr(t), u"3/5/2024");
  EXPECT_EQ(TimeToStr(t), u"2:07:09 PM");
}

TEST_F(DatesTest, TextToDatesAndTimes) {
  struct Row {
    const char* name;
    String text;
    bool ok;
    TDateTime value;
  };
  const Row dates[] = {
      {"month first", u"3/5/2024", true, EncodeDate(2024, 3, 5)},
      {"blanks around", u" 12/31/1999 ", true, EncodeDate(1999, 12, 31)},
      {"two-digit year near", u"1/2/30", true, EncodeDate(2030, 1, 2)},
      {"two-digit year far", u"1/2/80", true, EncodeDate(1980, 1, 2)},
      {"no year: this year", u"7/4", true, EncodeDate(2024, 7, 4)},
      {"invalid day", u"2/30/2024", false, 0},
      {"wrong separator", u"3.5.2024", false, 0},
      {"trailing text", u"3/5/2024x", false, 0},
      {"empty", u"", false, 0},
  };
  for (const auto& r : dates) {
    SCOPED_TRACE(r.name);
    TDateTime v = -7;
    EXPECT_EQ(TryStrToDate(r.text, v), r.ok);
    EXPECT_EQ(v, r.ok ? r.value : -7);
  }
  const Row times[] = {
      {"hours and minutes", u"14:07", true, EncodeTime(14, 7, 0, 0)},
      {"seconds and fraction", u"14:07:09.5", true, EncodeTime(14, 7, 9, 500)},
      {"pm", u"2:07 PM", true, EncodeTime(14, 7, 0, 0)},
      {"12 am", u"12:00 am", true, 0},
      {"hour only", u"9", true, EncodeTime(9, 0, 0, 0)},
      {"minute 60", u"10:60", false, 0},
      {"13 pm", u"13:00 PM", false, 0},
      {"letters", u"ab", false, 0},
  };
  for (const auto& r : times) {
    SCOPED_TRACE(r.name);
    TDateTime v = -7;
    EXPECT_EQ(TryStrToTime(r.text, v), r.ok);
    if (r.ok) {
      EXPECT_DOUBLE_EQ(v, r.value);
    }
  }
  TDateTime dt;
  ASSERT_TRUE(TryStrToDateTime(u"3/5/2024 2:07:09 PM", dt));
  EXPECT_DOUBLE_EQ(dt, EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0));
  TFormatSettings fs;
  fs.ShortDateFormat = u"dd.MM.yyyy";
  fs.DateSeparator = u'.';
  ASSERT_TRUE(TryStrToDate(u"05.03.2024", dt, fs));
  EXPECT_EQ(dt, EncodeDate(2024, 3, 5));
  try {
    StrToDate(u"x");
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'x' is not a valid date");
  }
  // What DateTimeToStr writes reads back.
  ASSERT_TRUE(TryStrToDateTime(DateTimeToStr(Now()), dt));
  EXPECT_NEAR(dt, Now(), 1.0 / MSecsPerDay * 1000);
}
