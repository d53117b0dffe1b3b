// The filter condition matcher: operators and groups from left to right, wildcards, negation,
// relational operands compared as numbers, dates or texts, quotes, and the matcher's steps.
#include "components/gridbase/ExUtil.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FilterCase {
  const char* Name;
  String Condition;
  String Value;
  bool CaseSensitive;
  bool Match;
};

void ExpectFilters(const FilterCase* Begin, const FilterCase* End) {
  for (const FilterCase* C = Begin; C != End; ++C)
    EXPECT_EQ(MatchFilter(C->Condition, C->Value, C->CaseSensitive), C->Match) << C->Name;
}

class ExUtilFilterLocale : public ::testing::Test {
 protected:
  void TearDown() override { FormatSettings = TFormatSettings::English(); }
};

}  // namespace

TEST(ExUtilFilter, ConditionsTable) {
  const FilterCase Cases[] = {
      {"greater than, numeric", u">100", u"150", false, true},
      {"range with and", u">=150&<200", u"150", false, true},
      {"range with and, above", u">=150&<200", u"200", false, false},
      {"prefix wildcard", u"1*", u"150", false, true},
      {"negated prefix", u"!1*", u"150", false, false},
      {"negated prefix, other value", u"!1*", u"250", false, true},
      {"single-character wildcards", u"?5?", u"150", false, true},
      {"case-insensitive", u"abc", u"ABC", false, true},
      {"case-sensitive", u"abc", u"ABC", true, false},
      {"or", u"a|b", u"b", false, true},
      {"or with semicolon", u"a;b", u"b", false, true},
      {"or with caret", u"a^b", u"a", false, true},
      {"and of two patterns", u"a*&*z", u"abz", false, true},
      {"and fails", u"a*&*z", u"aby", false, false},
      {"left to right without precedence", u"a|b&c", u"a", false, false},
      {"left to right, true", u"x|c&c", u"c", false, true},
      {"empty condition, empty value", u"", u"", false, true},
      {"empty condition, some value", u"", u"x", false, false},
      {"leading equals sign", u"=abc", u"abc", false, true},
      {"blanks outside quotes removed", u" a | b ", u"b", false, true},
      {"quoted blank kept", u"\"a b\"", u"a b", false, true},
      {"quoted blank, unquoted value without it", u"\"a b\"", u"ab", false, false},
      {"operator inside quotes", u"\"a|b\"", u"a|b", false, true},
      {"group and", u"(a|b)&c", u"c", false, false},
      {"group and, first half", u"(a|b)&c", u"a", false, false},
      {"and with a group", u"c&(a|c)", u"c", false, true},
      {"nested groups", u"((a|b))", u"b", false, true},
      {"operand cut at a parenthesis", u"a(b", u"a", false, true},
      {"numeric, not text", u">5", u"10", false, true},
      {"text when the value is no number", u">5", u"10x", false, false},
      {"less or equal", u"<=10", u"10", false, true},
      {"less than fails", u"<10", u"10", false, false},
      {"failed relation falls to the literal match", u">a", u">a", false, true},
      {"star matches every value", u"*", u"anything", false, true},
      {"star matches the empty value", u"*", u"", false, true},
      {"stars in a row", u"a**c", u"abbc", false, true},
      {"question mark needs a character", u"a?", u"a", false, false},
      {"text comparison", u">b", u"c", false, true},
      {"text comparison below", u">b", u"a", false, false},
  };
  ExpectFilters(std::begin(Cases), std::end(Cases));
}

TEST(ExUtilFilter, AnOpenGroupRunsToTheEnd) {
  // A "(" that is never closed takes the rest of the condition as its group instead of looping.
  EXPECT_TRUE(MatchFilter(u"(a|b", u"b", false));
  EXPECT_FALSE(MatchFilter(u"(a|b", u"c", false));
  EXPECT_TRUE(MatchFilter(u"x|(a", u"a", false));
  EXPECT_FALSE(MatchFilter(u"((a)", u"b", false));
}

TEST_F(ExUtilFilterLocale, DatesAndLocaleNumbers) {
  // English settings: M/d/yyyy. A time part needs quotes, since blanks outside quotes go.
  const FilterCase English[] = {
      {"later date", u">1/2/2020", u"3/4/2020", false, true},
      {"earlier date", u">1/2/2020", u"12/31/2019", false, false},
      {"date with time", u">\"1/2/2020 10:00\"", u"1/2/2020 11:30", false, true},
      {"date with earlier time", u">\"1/2/2020 10:00\"", u"1/2/2020 09:30", false, false},
      {"date range", u">=1/1/2020&<1/1/2021", u"6/15/2020", false, true},
      {"decimal numbers", u">1.5", u"1.75", false, true},
      {"thousand separators ignored", u"<1,000", u"999", false, true},
  };
  ExpectFilters(std::begin(English), std::end(English));

  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  FormatSettings.DateSeparator = u'.';
  FormatSettings.ShortDateFormat = u"dd.MM.yyyy";
  const FilterCase German[] = {
      {"decimal comma", u">1,5", u"1,75", false, true},
      {"dates with dots are not numbers", u">31.12.2019", u"1.1.2020", false, true},
      {"dates with dots, earlier", u">31.12.2019", u"30.12.2019", false, false},
  };
  ExpectFilters(std::begin(German), std::end(German));
}

TEST(ExUtilFilter, MatchPatternRelationalOperands) {
  // Both tests in one pattern: the operand of ">" ends at "&" outside quotes.
  EXPECT_TRUE(MatchPattern(u">=150&<200", u"150"));
  EXPECT_FALSE(MatchPattern(u">=150&<200", u"200"));
  // A quoted operand may hold single blanks after ">", the quotes themselves are not compared.
  EXPECT_TRUE(MatchPattern(u">\"a b\"", u"a c"));
  EXPECT_FALSE(MatchPattern(u">\"a b\"", u"a a"));
  // Blanks after the operator are skipped.
  EXPECT_TRUE(MatchPattern(u">  5", u"6"));
  // A relational operand is compared over its first 255 characters.
  const String Long(300, u'b');
  EXPECT_FALSE(MatchPattern(u">" + Long, Long));
  EXPECT_TRUE(MatchPattern(u">=" + Long, Long));
}

TEST(ExUtilFilter, AStarHandsEveryTailTheRestAsAPatternOfItsOwn) {
  // Many stars against a long value that fails only at its end: tried tail by tail this took
  // minutes; each star level is now decided once per tail.
  const String As(28, u'a');
  const String Stars = u"*a*a*a*a*a*a*a*a*a*a*a*b";
  const struct {
    const char* Name;
    String Pattern;
    String Value;
    bool Match;
  } Cases[] = {
      {"eleven stars, no b at the end", Stars, As, false},
      {"eleven stars, a b at the end", Stars, As + u"b", true},
      {"too few a", u"*a*a*b", u"ab", false},
      {"enough a", u"*a*a*b", u"aab", true},
      // The rest after a star is a pattern of its own: its "!" negates it alone, its relational
      // operator is tested against each tail.
      {"negation after a star, the empty tail", u"*!b", u"ab", true},
      {"negation inside the rest", u"a*!b*c", u"axbyc", true},
      {"relational operator after a star", u"*>5", u"a9", true},
      {"no tail for the character", u"**?", u"", false},
  };
  for (const auto& C : Cases) EXPECT_EQ(MatchPattern(C.Pattern, C.Value), C.Match) << C.Name;
  EXPECT_FALSE(MatchFilter(Stars, As, false));
}

TEST(ExUtilFilter, MatcherSteps) {
  EXPECT_EQ(StringToUtf8(RemoveBlanksOutsideQuotes(u" a b \" c d \" e")), "ab\" c d \"e");

  Integer P = 0;
  EXPECT_EQ(FirstOperatorOutsideQuotes(u"&|", u"\"a&b\"|c", P), u'|');
  EXPECT_EQ(P, 6);
  EXPECT_EQ(FirstOperatorOutsideQuotes(u"&|", u"abc", P), 0);
  EXPECT_EQ(P, -1);

  EXPECT_EQ(ClosingParenPos(u"(a(b)c)d"), 7);
  EXPECT_EQ(ClosingParenPos(u"(a"), 0);
  EXPECT_EQ(ClosingParenPos(u"a)b"), 0);

  EXPECT_TRUE(MatchOperand(u"abc", u"ABC", false));
  EXPECT_FALSE(MatchOperand(u"abc", u"ABC", true));

  EXPECT_EQ(StringToUtf8(DotDecimalText(u"1,234.5")), "1234.5");
}
