#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/CodePages.h"

namespace {

std::string U8(const String& s) { return StringToUtf8(s); }

// Every test starts from the English settings, whatever an earlier test changed.
class SysUtilsTest : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings = TFormatSettings::English(); }
  void TearDown() override { FormatSettings = TFormatSettings::English(); }
};

}  // namespace

// The decimal conversion follows the same rows, except that a hexadecimal form is no number to it.
TEST_F(SysUtilsTest, IntegerTextFollowsTheClassicRules) {
  struct Row {
    const char* name;
    String text;
    bool ok;
    Integer value;
    bool hex = false;  // a hexadecimal form
  };
  const Row rows[] = {
      {"plain", u"12", true, 12},
      {"leading blanks", u"  12", true, 12},
      {"plus sign", u"+7", true, 7},
      {"minus sign", u"-7", true, -7},
      {"blank after sign", u"- 7", false, 0},
      {"trailing blank", u"12 ", false, 0},
      {"leading tab", u"\t12", false, 0},
      {"empty", u"", false, 0},
      {"blanks only", u"   ", false, 0},
      {"sign only", u"-", false, 0},
      {"dollar hex", u"$1F", true, 31, true},
      {"x hex", u"x1F", true, 31, true},
      {"X hex", u"X1f", true, 31, true},
      {"0x hex", u"0x1F", true, 31, true},
      {"0X hex", u"0X1f", true, 31, true},
      {"negative hex", u"-0x10", true, -16, true},
      {"hex prefix alone", u"$", false, 0},
      {"0x alone", u"0x", false, 0},
      {"hex digit in decimal", u"1F", false, 0},
      {"full-width hex is the bit pattern", u"$FFFFFFFF", true, -1, true},
      {"hex past 32 bits", u"$100000000", false, 0},
      {"largest", u"2147483647", true, 2147483647},
      {"smallest", u"-2147483648", true, INT32_MIN},
      {"one past largest", u"2147483648", false, 0},
      {"one past smallest", u"-2147483649", false, 0},
      {"huge", u"99999999999999999999999", false, 0},
      {"decimal point", u"1.0", false, 0},
      {"leading zeros", u"0007", true, 7},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Integer v = 12345;
    EXPECT_EQ(TryStrToInt(r.text, v), r.ok);
    EXPECT_EQ(v, r.ok ? r.value : 12345);  // a failed Try leaves the value alone
    EXPECT_EQ(StrToIntDef(r.text, -99), r.ok ? r.value : -99);
    const bool decimal = r.ok && !r.hex;
    Integer d = 12345;
    EXPECT_EQ(TryDecStrToInt(r.text, d), decimal);
    EXPECT_EQ(d, decimal ? r.value : 12345);
    EXPECT_EQ(DecStrToIntDef(r.text, -99), decimal ? r.value : -99);
    if (r.ok) {
      EXPECT_EQ(StrToInt(r.text), r.value);
    } else {
      try {
        StrToInt(r.text);
        ADD_FAILURE() << "no exception";
      } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"'" + r.text + u"' is not a valid integer value");
      }
    }
  }
}

TEST_F(SysUtilsTest, Int64TextUsesTheWholeRange) {
  struct Row {
    const char* name;
    String text;
    bool ok;
    Int64 value;
  };
  const Row rows[] = {
      {"past 32 bits", u"2147483648", true, 2147483648LL},
      {"largest", u"9223372036854775807", true, INT64_MAX},
      {"smallest", u"-9223372036854775808", true, INT64_MIN},
      {"one past largest", u"9223372036854775808", false, 0},
      {"full-width hex", u"$FFFFFFFFFFFFFFFF", true, -1},
      {"32-bit hex stays positive", u"$FFFFFFFF", true, 0xFFFFFFFFLL},
      {"device id", u"0x0180A5F3", true, 0x0180A5F3},
      {"trailing blank", u"5 ", false, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(StrToInt64Def(r.text, -99), r.ok ? r.value : -99);
    if (!r.ok) {
      EXPECT_THROW(StrToInt64(r.text), EConvertError);
    }
  }
}

TEST_F(SysUtilsTest, IntToStrAndIntToHex) {
  EXPECT_EQ(IntToStr(0), u"0");
  EXPECT_EQ(IntToStr(-2147483647 - 1), u"-2147483648");
  EXPECT_EQ(IntToStr(INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(IntToStr(static_cast<Cardinal>(4000000000u)), u"4000000000");
  struct Row {
    const char* name;
    Int64 value;
    Integer digits;
    String hex;
  };
  const Row rows[] = {
      {"padded", 10, 2, u"0A"},
      {"wider than digits", 0x1234, 2, u"1234"},
      {"zero digits", 0, 0, u"0"},
      {"upper case", 0xABCDEF, 1, u"ABCDEF"},
      {"minus one is 32-bit", -1, 2, u"FFFFFFFF"},
      {"smallest Integer", INT32_MIN, 2, u"80000000"},
      {"below Integer range is 64-bit", -2147483649LL, 2, u"FFFFFFFF7FFFFFFF"},
      {"padding of a negative", -2, 10, u"00FFFFFFFE"},
      {"Cardinal stays positive", 0xFFFFFFFFLL, 2, u"FFFFFFFF"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(IntToHex(r.value, r.digits), r.hex);
  }
}

TEST_F(SysUtilsTest, RoundTiesToEvenAndTruncCutsTowardZero) {
  struct Row {
    double x;
    Int64 round, trunc;
  };
  const Row rows[] = {{0.5, 0, 0},   {1.5, 2, 1},    {2.5, 2, 2},    {3.5, 4, 3},      {-0.5, 0, 0},
                      {-1.5, -2, -1}, {-2.5, -2, -2}, {2.4999, 2, 2}, {2.5001, 3, 2},   {-2.7, -3, -2},
                      {1e15 + 0.5, 1000000000000000, 1000000000000000}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.x);
    EXPECT_EQ(Round(r.x), r.round);
    EXPECT_EQ(Trunc(r.x), r.trunc);
  }
  EXPECT_EQ(Round(std::nan("")), INT64_MIN);
  EXPECT_EQ(MulDiv(10, 3, 4), 8);    // 7.5 rounds away from zero
  EXPECT_EQ(MulDiv(-10, 3, 4), -8);
  EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);  // the product needs 64 bits
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST_F(SysUtilsTest, FloatToStrUsesFifteenSignificantDigits) {
  struct Row {
    const char* name;
    double value;
    String text;
  };
  const Row rows[] = {
      {"zero", 0.0, u"0"},
      {"negative zero", -0.0, u"0"},
      {"integer", 42.0, u"42"},
      {"tenth", 0.1, u"0.1"},
      {"sum that is not exact", 0.1 + 0.2, u"0.3"},
      {"negative", -1.25, u"-1.25"},
      {"small fixed", 0.0001, u"0.0001"},
      {"small scientific", 0.00001, u"1E-5"},
      {"fifteen digits fixed", 123456789012345.0, u"123456789012345"},
      {"past fifteen digits", 1e15, u"1E15"},
      {"large", 1.5e20, u"1.5E20"},
      {"third", 1.0 / 3.0, u"0.333333333333333"},
      {"nan", std::nan(""), u"NAN"},
      {"infinity", std::numeric_limits<double>::infinity(), u"INF"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(U8(FloatToStr(r.value)), U8(r.text));
  }
}

TEST_F(SysUtilsTest, FloatToStrFFormats) {
  struct Row {
    const char* name;
    double value;
    TFloatFormat format;
    Integer precision, digits;
    String text;
  };
  const Row rows[] = {
      {"fixed two decimals", 3.14159, ffFixed, 15, 2, u"3.14"},
      {"fixed rounds", 2.675, ffFixed, 15, 2, u"2.67"},  // 2.675 is stored just below
      {"fixed pads", 1.5, ffFixed, 15, 3, u"1.500"},
      {"fixed no decimals", 2.5, ffFixed, 15, 0, u"3"},     // decimal halves round away from zero
      {"fixed exact half", 0.125, ffFixed, 15, 2, u"0.13"},
      {"fixed carry", 9.996, ffFixed, 15, 2, u"10.00"},
      {"fixed below the last decimal", 0.0001, ffFixed, 15, 2, u"0.00"},
      {"fixed negative rounding to zero", -0.001, ffFixed, 15, 2, u"0.00"},
      {"fixed too many digits", 1e20, ffFixed, 15, 2, u"1E20"},
      {"number groups", 1234567.891, ffNumber, 15, 2, u"1,234,567.89"},
      {"number small", 999.0, ffNumber, 15, 0, u"999"},
      {"exponent", 1234.5, ffExponent, 4, 2, u"1.235E+03"},
      {"exponent negative", -0.00012, ffExponent, 3, 0, u"-1.20E-4"},
      {"general precision", 1234.5678, ffGeneral, 6, 0, u"1234.57"},
      {"general exponent digits", 1e20, ffGeneral, 15, 3, u"1E020"},
      {"currency", 1234.5, ffCurrency, 15, 2, u"$1,234.50"},
      {"currency negative", -5.0, ffCurrency, 15, 2, u"($5.00)"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(U8(FloatToStrF(r.value, r.format, r.precision, r.digits)), U8(r.text));
  }
}

TEST_F(SysUtilsTest, StrToFloatUsesTheDecimalSeparatorOfTheSettings) {
  struct Row {
    const char* name;
    String text;
    bool ok;
    double value;
  };
  const Row rows[] = {
      {"plain", u"1.5", true, 1.5},
      {"blanks around", u"  -2.25  ", true, -2.25},
      {"no integer digits", u".5", true, 0.5},
      {"no fraction digits", u"5.", true, 5.0},
      {"exponent", u"1.5E3", true, 1500.0},
      {"negative exponent", u"25e-1", true, 2.5},
      {"exponent without digits", u"1E", false, 0},
      {"comma is not the separator", u"1,5", false, 0},
      {"two points", u"1.2.3", false, 0},
      {"letters", u"abc", false, 0},
      {"empty", u"", false, 0},
      {"point only", u".", false, 0},
      {"overflow", u"1E400", false, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    double v = -1;
    EXPECT_EQ(TryStrToFloat(r.text, v), r.ok);
    if (r.ok) {
      EXPECT_DOUBLE_EQ(v, r.value);
    }
  }
  TFormatSettings german;
  german.DecimalSeparator = u',';
  german.ThousandSeparator = u'.';
  EXPECT_DOUBLE_EQ(StrToFloat(u"1,5", german), 1.5);
  EXPECT_EQ(StrToFloatDef(u"1.5", 7.0, german), 7.0);
  EXPECT_EQ(FloatToStr(1.5, german), u"1,5");
  FormatSettings = german;
  EXPECT_EQ(FloatToStr(-0.25), u"-0,25");
  try {
    StrToFloat(u"x");
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'x' is not a valid floating point value");
  }
}

TEST_F(SysUtilsTest, FormatDirectives) {
  const String s = u"abc";
  const Int64 big = 5000000000LL;
  struct Row {
    const char* name;
    String result;
    String expected;
  };
  const Row rows[] = {
      {"plain text and percent", Format(u"100%% sure"), u"100% sure"},
      {"decimal", Format(u"%d", 42), u"42"},
      {"negative decimal", Format(u"%d", -42), u"-42"},
      {"Int64", Format(u"%d", big), u"5000000000"},
      {"precision zero-pads", Format(u"%.8d", 1234), u"00001234"},
      {"precision with sign", Format(u"%.3d", -5), u"-005"},
      {"text then padded number", Format(u"%s%.8d", u"ID", 77), u"ID00000077"},
      {"width pads left", Format(u"[%5d]", 42), u"[   42]"},
      {"minus pads right", Format(u"[%-5d]", 42), u"[42   ]"},
      {"width smaller than text", Format(u"[%2s]", s), u"[abc]"},
      {"unsigned of negative", Format(u"%u", -1), u"4294967295"},
      {"hex", Format(u"%x", 255), u"FF"},
      {"hex of negative", Format(u"%x", -1), u"FFFFFFFF"},
      {"hex precision", Format(u"%.4x", 10), u"000A"},
      {"hex of negative Int64", Format(u"%x", Int64(-1)), u"FFFFFFFFFFFFFFFF"},
      {"string precision cuts", Format(u"%.2s", s), u"ab"},
      {"character", Format(u"%s", Char(u'Z')), u"Z"},
      {"literal", Format(u"<%s>", u"lit"), u"<lit>"},
      {"fixed default", Format(u"%f", 1.0), u"1.00"},
      {"fixed precision", Format(u"%.3f", 2.0 / 3.0), u"0.667"},
      {"fixed large", Format(u"%.1f", 1e20), u"100000000000000000000.0"},
      {"number", Format(u"%n", 1234567.0), u"1,234,567.00"},
      {"money", Format(u"%m", 12.5), u"$12.50"},
      {"exponent", Format(u"%e", 1234.5), u"1.23450000000000E+003"},
      {"exponent precision", Format(u"%.3e", 1234.5), u"1.23E+003"},
      {"general", Format(u"%g", 0.5), u"0.5"},
      {"general precision", Format(u"%.3g", 3.14159), u"3.14"},
      {"star width", Format(u"[%*d]", 4, 7), u"[   7]"},
      {"star precision", Format(u"%.*f", 1, 2.25), u"2.3"},
      {"index", Format(u"%1:s %0:s %s", u"a", u"b"), u"b a b"},
      {"index then width", Format(u"%0:3d|%0:-3d|", 5), u"  5|5  |"},
      {"upper-case type", Format(u"%D %S", 1, u"x"), u"1 x"},
      {"pointer", Format(u"%p", static_cast<const void*>(nullptr)), u"0000000000000000"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(U8(r.result), U8(r.expected));
  }
}

TEST_F(SysUtilsTest, FormatRaisesOnBadFormatsAndArguments) {
  struct Row {
    const char* name;
    std::function<String()> call;
    String message;
  };
  const Row rows[] = {
      {"string for %d", [] { return Format(u"%d", u"x"); }, u"Format '%d' invalid or incompatible with argument"},
      {"float for %d", [] { return Format(u"%d", 1.5); }, u"Format '%d' invalid or incompatible with argument"},
      {"integer for %f", [] { return Format(u"%f", 1); }, u"Format '%f' invalid or incompatible with argument"},
      {"integer for %s", [] { return Format(u"%s", 1); }, u"Format '%s' invalid or incompatible with argument"},
      {"unknown type", [] { return Format(u"%k", 1); }, u"Format '%k' invalid or incompatible with argument"},
      {"percent at the end", [] { return Format(u"50%"); }, u"Format '50%' invalid or incompatible with argument"},
      {"missing argument", [] { return Format(u"%d %d", 1); }, u"No argument for format '%d %d'"},
      {"index past the arguments", [] { return Format(u"%3:d", 1); }, u"No argument for format '%3:d'"},
      {"star with a float", [] { return Format(u"%*d", 1.5, 2); },
       u"Format '%*d' invalid or incompatible with argument"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    try {
      r.call();
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(U8(e.Message()), U8(r.message));
    }
  }
}

TEST_F(SysUtilsTest, FormatFollowsTheSettings) {
  TFormatSettings fs;
  fs.DecimalSeparator = u',';
  fs.ThousandSeparator = u'.';
  fs.CurrencyString = u"EUR";
  fs.CurrencyFormat = 3;
  fs.NegCurrFormat = 8;
  EXPECT_EQ(Format(fs, u"%.2f", 1.5), u"1,50");
  EXPECT_EQ(Format(fs, u"%n", 1234.5), u"1.234,50");
  EXPECT_EQ(Format(fs, u"%m", 1234.5), u"1.234,50 EUR");
  EXPECT_EQ(Format(fs, u"%m", -2.0), u"-2,00 EUR");
}

TEST_F(SysUtilsTest, TrimAndCase) {
  EXPECT_EQ(Trim(u"\t \r\n x y \x01"), u"x y");
  EXPECT_EQ(TrimLeft(u"  x "), u"x ");
  EXPECT_EQ(TrimRight(u"  x \n"), u"  x");
  EXPECT_EQ(Trim(u"   "), u"");
  EXPECT_EQ(UpperCase(u"abc\u00e9"), u"ABC\u00e9");  // ASCII only
  EXPECT_EQ(LowerCase(u"ABC\u00c9"), u"abc\u00c9");
  EXPECT_EQ(AnsiUpperCase(u"abc\u00e9\u00fc"), u"ABC\u00c9\u00dc");
  EXPECT_EQ(AnsiLowerCase(u"\u00c9\u0394"), u"\u00e9\u03b4");
  EXPECT_EQ(UpCase(u'q'), u'Q');
  EXPECT_EQ(UpCase(u'1'), u'1');
}

TEST_F(SysUtilsTest, Comparisons) {
  EXPECT_EQ(CompareText(u"abc", u"ABC"), 0);
  EXPECT_LT(CompareText(u"abc", u"abd"), 0);
  EXPECT_GT(CompareText(u"abcd", u"ABC"), 0);
  EXPECT_LT(CompareText(u"a", u"_"), 0);  // letters compare as upper case: 'A' < '_'
  EXPECT_NE(CompareText(u"\u00e9", u"\u00c9"), 0);
  EXPECT_EQ(AnsiCompareText(u"\u00e9", u"\u00c9"), 0);
  EXPECT_TRUE(SameText(u"Hello", u"hELLO"));
  EXPECT_FALSE(SameText(u"Hello", u"Hell"));
  EXPECT_LT(CompareStr(u"B", u"a"), 0);
  EXPECT_GT(CompareStr(u"b", u"B"), 0);
  EXPECT_LT(AnsiCompareText(u"apple", u"Banana"), 0);
}

TEST_F(SysUtilsTest, StringReplaceAndQuoting) {
  EXPECT_EQ(StringReplace(u"a-b-c", u"-", u"+", 0), u"a+b-c");
  EXPECT_EQ(StringReplace(u"a-b-c", u"-", u"+", rfReplaceAll), u"a+b+c");
  EXPECT_EQ(StringReplace(u"Xx-xX", u"x", u"y", rfReplaceAll | rfIgnoreCase), u"yy-yy");
  EXPECT_EQ(StringReplace(u"aaa", u"a", u"aa", rfReplaceAll), u"aaaaaa");  // no re-scan of the new text
  EXPECT_EQ(StringReplace(u"abc", u"", u"x", rfReplaceAll), u"abc");
  EXPECT_EQ(QuotedStr(u"it's"), u"'it''s'");
  EXPECT_EQ(AnsiQuotedStr(u"a\"b", u'"'), u"\"a\"\"b\"");
  EXPECT_EQ(AnsiDequotedStr(u"\"a\"\"b\"", u'"'), u"a\"b");
  EXPECT_EQ(AnsiDequotedStr(u"plain", u'"'), u"plain");
  EXPECT_TRUE(IsDelimiter(u"/\\", u"a/b", 2));
  EXPECT_FALSE(IsDelimiter(u"/", u"a/b", 4));
  EXPECT_EQ(LastDelimiter(u"./", u"dir/file.txt"), 9);
  EXPECT_EQ(LastDelimiter(u".", u"none"), 0);
  EXPECT_EQ(BoolToStr(true), u"-1");
  EXPECT_EQ(BoolToStr(false, true), u"False");
  EXPECT_TRUE(StrToBool(u"true"));
  EXPECT_FALSE(StrToBoolDef(u"maybe", false));
}

TEST_F(SysUtilsTest, CodePagesRoundTripAndMarkTheUnmappable) {
  const std::string ansi = "Gr\xFC\xDF" "e \x80 \x85";
  const String text = AnsiToString(ansi);
  EXPECT_EQ(text, u"Gr\u00fc\u00dfe \u20ac \u2026");
  EXPECT_EQ(StringToAnsi(text), ansi);
  EXPECT_EQ(StringToAnsi(u"\u0394\U0001F600x"), "??x");  // a surrogate pair is one '?'
  EXPECT_EQ(AnsiToString("\x81"), String(1, 0x81));      // undefined in 1252: kept as its number
  const std::string oem = "\x81\x9A";                    // ü Ü in CP850
  EXPECT_EQ(AnsiToString(oem, 850), u"\u00fc\u00dc");
  EXPECT_EQ(StringToAnsi(u"\u00fc\u00dc\u20ac", 850), "\x81\x9A?");
  EXPECT_EQ(OemToString("\xF8" "C \xE6s"), u"\u00b0C \u00b5s");  // degree and micro signs
  EXPECT_THROW(AnsiToString("x", 99999), EConvertError);
  EXPECT_TRUE(IsValidUtf8("plain \xC3\xBC \xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xC3"));              // cut short
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xFC\x80"));          // not UTF-8 at all (ANSI text)
}
