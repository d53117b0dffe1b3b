// The filter condition matcher: operators and groups from left to right, wildcards, negation,
// relational operands compared as numbers, dates or texts, quotes, and the matcher's steps.
#include "components/gridbase/ExUtil.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/AllocationCount.h"
#include "tests/components/gridbase/FilterReference.h"

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

// German settings: decimal comma, dot as thousand and date separator.
void UseGermanSettings() {
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  FormatSettings.DateSeparator = u'.';
  FormatSettings.ShortDateFormat = u"dd.MM.yyyy";
}

struct TRandom {
  uint64_t State;
  explicit TRandom(uint64_t Seed) : State(Seed) {}
  uint32_t Next(uint32_t Below) {
    State = State * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(State >> 33) % Below;
  }
  String Text(const String& Alphabet, uint32_t MaxLength) {
    String S;
    const uint32_t N = Next(MaxLength + 1);
    for (uint32_t i = 0; i < N; ++i) S += Alphabet[Next(static_cast<uint32_t>(Alphabet.size()))];
    return S;
  }
};

// The compiled matcher and the per-call matcher on one condition and one value.
void ExpectSameAsPerCall(const String& Condition, const String& Value, bool CaseSensitive) {
  EXPECT_EQ(TFilterCondition(Condition, CaseSensitive).Match(Value),
            FilterReference::MatchFilter(Condition, Value, CaseSensitive))
      << "condition \"" << StringToUtf8(Condition) << "\", value \"" << StringToUtf8(Value) << "\""
      << (CaseSensitive ? ", case-sensitive" : "");
}

// Conditions over the whole language: operators, groups (closed, open, stray), quotes, stars with
// what follows them, negation and the relational operators on numbers, dates and texts.
const String Conditions[] = {
    u"", u"*", u"a", u"=abc", u"a*", u"*a", u"!a*", u"?5?", u">100", u">=150&<200", u"<=10", u">a",
    u">\"a b\"", u"\"a b\"", u"a|b&c", u"(a|b)&c", u"c&(a|c)", u"((a))", u"(a|b", u"a(b", u"x|(a", u"((a)",
    u"*>5", u"*<5", u"a*>=3", u"*>1/2/2020", u">\"1/2/2020 10:00\"", u"*!b", u"a*!b*c", u"**?", u"1*|*9",
    u"^a", u">5^<2", u"*>5&<9", u">1e3", u"*<-1.5e2", u" a | b ", u"\"a|b\"", u"(a)b", u"a;b^c|d", u")a(",
    u"\"", u"((", u"))", u"&", u"|a", u"a|", u"*a*b*c", u"!", u">", u"<", u">=", u">\"\"", u"<\" \"",
    u">1,000", u"*>0x10", u">$1F", u"(*>5)|(*<1)", u"((a|b)&(c|d))|e", u"*1.5*", u"!*", u"*>=1.2.2020",
    u"<31.12.2019", u"*>1,5", u"\"(a\"|b", u"(\"a)\"|b)", u"a\"|\"b", u"=", u"==a", u"(=a)", u">-5&<5",
    u"( =a)", u"(\ta\t)|b", u"(\"a)\"(\"a b\")", u"(\")\"a b\")", u"(\"(a b)\")", u"(x)\"(a b)\"|c", u"(\" a\")",
};

const String Values[] = {
    u"", u"a", u"A", u"abc", u"150", u"200", u"10", u"5", u"9", u"10x", u">a", u"a b", u"a|b", u"c", u"b",
    u"axbyc", u"a9", u"1/2/2020", u"3/4/2020", u"1/2/2020 11:30", u"12/31/2019", u"1.75", u"1,234.5", u"-1e3",
    u"1e5", u"0x1F", u"  7  ", u"31.12.2019", u"1,75", u"ab", u"abz", u" ", u"\"", u"!b", u"x6y", u"a5b7",
    u"1.2.2020", u"x1/2/2020", u"-200", u"(a", u"a)", u"=a", u"2,5", u"1.000,5", u"e5", u"5e", u".5", u"5.",
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

// Every condition of the table against every value, in both cases and with English and German
// settings: the condition read once gives what reading it for every value gave.
TEST_F(ExUtilFilterLocale, CompiledConditionsGiveThePerCallResults) {
  for (int Locale = 0; Locale < 2; ++Locale) {
    if (Locale == 1) UseGermanSettings();
    for (const String& C : Conditions)
      for (bool CaseSensitive : {false, true})
        for (const String& V : Values) ExpectSameAsPerCall(C, V, CaseSensitive);
  }
}

// The relational test after a star is decided for every tail of the value at once: against the
// tail-by-tail test on values made of the characters numbers, dates and times are written with,
// and on long values whose tails read as long numbers, far too large or too small ones, numbers
// with long exponents, dates after runs of zeros or blanks and dates in long lists.
TEST_F(ExUtilFilterLocale, RelationalTestsAfterAStarGiveTheTailByTailResults) {
  const String Patterns[] = {u"*>5",       u"*<5",        u"*>=0.5",  u"*<1e2",         u"*>-1",
                             u"*<0",       u"*>1/2/2020", u"*<=3/4/2020", u"a*>3",     u"*>\"1/2/2020 10:00\"",
                             u"*>1e300",   u"*<1e-300",   u"*>0",     u"*>ab",          u"*>7&<9",
                             u"*>=31.12.2019", u"*<1,5",  u"*>$10",   u"*>=1.000"};
  for (int Locale = 0; Locale < 2; ++Locale) {
    if (Locale == 1) UseGermanSettings();
    TRandom R(77 + Locale);
    const String Alphabets[] = {u"0123456789", u"0123456789.,-+eE ", u"0123456789/: -", u"0123456789.: ",
                                u"01/ :a-x$9", u"05e+-. ,"};
    for (const String& P : Patterns)
      for (const String& A : Alphabets)
        for (int i = 0; i < 25; ++i) {
          const String V = R.Text(A, 24);
          EXPECT_EQ(MatchPattern(P, V), FilterReference::MatchPattern(P, V))
              << "pattern \"" << StringToUtf8(P) << "\", value \"" << StringToUtf8(V) << "\", locale " << Locale;
        }

    auto Digits = [&](size_t N, const String& Of) {
      String S;
      for (size_t i = 0; i < N; ++i) S += Of[R.Next(static_cast<uint32_t>(Of.size()))];
      return S;
    };
    auto Repeated = [](const String& Piece, size_t Times, const String& End) {
      String S;
      for (size_t i = 0; i < Times; ++i) S += Piece;
      return S + End;
    };
    const String Numbers[] = {u"*>5", u"*<1e-300", u"*>1e300"};
    const String Dates[] = {u"*>1/2/2020", u"*<=3/4/2020", u"*>=31.12.2019"};
    const struct {
      String Value;
      const String* Patterns;
      size_t Count;
    } Long[] = {
        {u"1." + Digits(850, u"0123456789") + u"e-5", Numbers, 1},
        {String(450, u'0') + u"5", Numbers, 3},
        {u"0." + String(400, u'0') + u"1", Numbers, 3},
        {u"-0." + String(330, u'0') + u"25e+3", Numbers, 3},
        {String(350, u'9'), Numbers, 3},
        {Digits(420, u"123456789") + u"." + Digits(60, u"0123456789"), Numbers, 3},
        {u"5e" + String(20, u'0') + u"3", Numbers, 3},
        {u"1e-0000000000400", Numbers, 3},
        {u"1" + String(420, u'0') + u"e-0000000001", Numbers, 3},
        {u"0." + String(420, u'0') + u"1e+0000000001", Numbers, 3},
        {Digits(450, u"0123456789") + u"e-440", Numbers, 3},
        {String(450, u'0') + u"1/2/2020", Dates, 3},
        {u"1/2/2020" + String(450, u' '), Dates, 3},
        {String(450, u' ') + u"1/2/2020 10:00", Dates, 3},
        {u"1/2/2020 10:00" + String(450, u'\t'), Dates, 3},
        {Repeated(u"1/", 200, u"2020"), Dates, 3},
        {Repeated(u"0 ", 200, u"1.2.2020"), Dates, 3},
        {Digits(450, u"0123456789/ .:,-"), Numbers, 3},
        {Digits(450, u"0123456789/ .:,-"), Dates, 3},
    };
    for (const auto& L : Long)
      for (size_t k = 0; k < L.Count; ++k) {
        const String& P = L.Patterns[k];
        EXPECT_EQ(MatchPattern(P, L.Value), FilterReference::MatchPattern(P, L.Value))
            << "pattern \"" << StringToUtf8(P) << "\", value of " << L.Value.size() << " characters starting \""
            << StringToUtf8(L.Value.substr(0, 40)) << "\", locale " << Locale;
      }
  }
}

// Random conditions of operands, operators, quotes and parentheses against random values.
TEST(ExUtilFilter, RandomConditionsGiveThePerCallResults) {
  TRandom R(2024);
  const String Pieces[] = {u"a", u"b", u"*", u"?", u"!", u"(", u")", u"|", u"&", u";", u"^", u"\"", u" ",
                           u">", u"<", u"=", u"5", u"1/2/2020", u"ab", u"*a", u">=3", u"\t", u"( ", u"\" "};
  for (int i = 0; i < 3000; ++i) {
    String C;
    const uint32_t N = R.Next(9);
    for (uint32_t k = 0; k < N; ++k) C += Pieces[R.Next(sizeof Pieces / sizeof Pieces[0])];
    const String V = R.Text(u"ab5 3|(\"*", 6);
    ExpectSameAsPerCall(C, V, R.Next(2) == 0);
  }
}

// Deep parentheses are read without recursion and without copying the rest of the condition for
// each group: the memory a condition takes grows with its length, not with its square (6,000 "("
// took some 150 MB, 100,000 ran past 10 GB).
TEST(ExUtilFilter, DeepParenthesesTakeMemoryInProportionToTheirDepth) {
  if (!TAllocationCount::Available()) GTEST_SKIP() << "allocations are not counted under AddressSanitizer";
  constexpr size_t Depth = 6000;
  const struct {
    const char* Name;
    String Condition;
    String Value;
    bool Match;
  } Cases[] = {
      {"open groups", String(Depth, u'(') + u"a", u"a", true},
      {"open groups, other value", String(Depth, u'(') + u"a", u"b", false},
      {"closed groups", String(Depth, u'(') + u"a|b" + String(Depth, u')'), u"b", true},
      {"closed groups and more", String(Depth, u'(') + u"a" + String(Depth, u')') + u"&b", u"a", false},
  };
  for (const auto& C : Cases) {
    TAllocationCount Count;
    EXPECT_EQ(MatchFilter(C.Condition, C.Value, false), C.Match) << C.Name;
    EXPECT_LT(Count.Allocated(), 512 * C.Condition.size()) << C.Name;
  }
}

// A relational test after a star is decided for every tail of a value in one pass: what it takes
// grows with the value's length (a value of 2,000 characters made some 10 MB of copies of its
// tails; one of 200,000 took a minute).
TEST(ExUtilFilter, ATestAfterAStarTakesMemoryInProportionToTheValue) {
  if (!TAllocationCount::Available()) GTEST_SKIP() << "allocations are not counted under AddressSanitizer";
  constexpr size_t N = 2000;
  String Dates;
  while (Dates.size() < N) Dates += u"1/1/2019 ";
  const struct {
    const char* Name;
    String Pattern;
    String Value;
  } Cases[] = {
      {"letters", u"*>5", String(N, u'a')},
      {"small digits", u"*>5", String(N, u'1')},
      {"zeros", u"*>5", String(N, u'0')},
      {"zeros, less", u"*<5", String(N, u'0')},
      {"a fraction", u"*<0.5", u"0." + String(N, u'3')},
      {"dates", u"*>1/2/2020", Dates},
      {"dates, less", u"*<1/2/2020", Dates},
  };
  for (const auto& C : Cases) {
    const bool Expected = FilterReference::MatchPattern(C.Pattern, C.Value);
    TAllocationCount Count;
    EXPECT_EQ(MatchPattern(C.Pattern, C.Value), Expected) << C.Name;
    EXPECT_LT(Count.Allocated(), 64 * N + (1u << 20)) << C.Name;
  }
}
