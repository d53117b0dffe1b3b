// The filter condition matcher: the grid's expression filter and its wildcard find decide with it
// whether a cell value satisfies a condition typed by the user.
//
// A condition is read once into a TFilterCondition: its operands and groups, and for every operand
// its star levels and relational tests. Testing a value then walks that structure without reading
// the condition again and without recursion, so neither the depth of the groups nor the number of
// values tested makes the condition's text be copied or parsed again. After a star, the relational
// test of the rest of an operand is decided for every tail of the value in one pass over the value.
#include "components/gridbase/ExUtil.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

namespace {

// Relational operands are compared over at most this many characters.
constexpr size_t RelationalTextLimit = 255;

// The operand of a relational operator, read from index I of P: up to the first blank, the end, or
// an "&" or "|" outside quotes. Quotes before its first character are not part of it, a quote as its
// last character is dropped, and with BlanksInQuotes a single blank inside quotes that follows a
// character belongs to it.
String ReadRelationalOperand(const String& P, size_t I, bool BlanksInQuotes) {
  String Operand;
  bool InQuotes = false;
  for (; I < P.size(); ++I) {
    const Char C = P[I];
    if (C == u'"') {
      InQuotes = !InQuotes;
      if (!Operand.empty()) Operand += C;
      continue;
    }
    if (C == u' ') {
      if (BlanksInQuotes && InQuotes && !Operand.empty() && Operand.back() != u' ') {
        Operand += C;
        continue;
      }
      break;
    }
    if ((C == u'&' || C == u'|') && !InQuotes) break;
    Operand += C;
  }
  if (!Operand.empty() && Operand.back() == u'"') Operand.pop_back();
  if (Operand.size() > RelationalTextLimit) Operand.resize(RelationalTextLimit);
  return Operand;
}

TFormatSettings DotSettings() {
  TFormatSettings Dot = FormatSettings;
  Dot.DecimalSeparator = u'.';
  return Dot;
}

// A text as a number: its locale separators made plain, then read as a floating-point number.
bool RelationalNumber(const String& S, double& Value) { return TryStrToFloat(DotDecimalText(S), Value, DotSettings()); }

template <class T>
Integer Order(T A, T B) {
  return A < B ? -1 : (A > B ? 1 : 0);
}

// CompareStr of the value's first 255 characters from T on with the operand, without a copy.
Integer CompareTextFrom(const String& V, size_t T, const String& O) {
  const size_t Len = std::min(RelationalTextLimit, V.size() - T);
  const size_t M = std::min(Len, O.size());
  for (size_t K = 0; K < M; ++K)
    if (V[T + K] != O[K]) return static_cast<Integer>(V[T + K]) - static_cast<Integer>(O[K]);
  return static_cast<Integer>(Len) - static_cast<Integer>(O.size());
}

// --- Every tail of a value as a date ---------------------------------------------------------------

// Characters a whole number may hold after its leading blanks (signs, hexadecimal prefixes and digits).
bool IsIntegerTextChar(Char C) {
  return (C >= u'0' && C <= u'9') || (C >= u'a' && C <= u'f') || (C >= u'A' && C <= u'F') || C == u'x' ||
         C == u'X' || C == u'$' || C == u'+' || C == u'-';
}

// A date and time text holds its two date separators, at most two time separators and at most six
// whole numbers of at most ten significant digits, each with a sign and a prefix: fewer than this many
// characters that are neither blanks, control characters nor zeros. A tail with more is no date.
constexpr size_t DateCharsLimit = 96;

// ParseLocaleDateTime of every tail of V, from the shortest to the whole value: Each(T, IsDate, Date)
// is called for T = V.size() down to 0. A tail is read as a date only where it can be one (its
// text up to the first date separator a whole number, few enough characters that count), and a tail
// that starts with a run of zeros or blanks takes the result of the tail one shorter, which reads
// alike; so only some tails near the end of the value are read, each once.
template <class F>
void EachTailDate(const String& V, F&& Each) {
  const size_t N = V.size();
  const Char Sep = LocaleDateSeparator();
  const size_t None = String::npos;
  size_t Sep1 = None, Sep2 = None;  // the first two date separators at or after T
  size_t Counted = 0;               // characters of V[T..] that are neither <= ' ' nor '0'
  // Where the next control character (<= ' ') and the next character no whole number holds lie,
  // from the last character that is not a blank.
  size_t NextControl = N, NextNonInteger = N, FirstNonBlank = N;
  size_t NextControlAtNonBlank = N, NextNonIntegerAtNonBlank = N;
  bool PrevIsDate = false;
  TDateTime PrevDate = 0;
  Each(N, false, TDateTime(0));
  for (size_t T = N; T-- > 0;) {
    const Char C = V[T];
    if (C == Sep) {
      Sep2 = Sep1;
      Sep1 = T;
    }
    if (C > u' ' && C != u'0') ++Counted;
    if (C <= u' ') NextControl = T;
    if (!IsIntegerTextChar(C)) NextNonInteger = T;
    if (C != u' ') {
      FirstNonBlank = T;
      NextControlAtNonBlank = NextControl;
      NextNonIntegerAtNonBlank = NextNonInteger;
    }
    bool IsDate = false;
    TDateTime Date = 0;
    if (Sep1 == None || Sep2 == None || Counted > DateCharsLimit) {
      // No two separators, or too many characters for a date.
    } else if (T + 2 < N && C == u'0' && V[T + 1] == u'0' && V[T + 2] == u'0' && Sep != u'0') {
      // A leading zero more before two zeros changes neither the number nor its prefix.
      IsDate = PrevIsDate;
      Date = PrevDate;
    } else if (T + 1 < N && C == u' ' && V[T + 1] == u' ' && Sep != u' ') {
      // Leading blanks of the first number are skipped, however many.
      IsDate = PrevIsDate;
      Date = PrevDate;
    } else if (FirstNonBlank < Sep1 && NextControlAtNonBlank >= Sep1 && NextNonIntegerAtNonBlank >= Sep1) {
      // The first field is blanks and then characters of a whole number only: read the tail.
      IsDate = ParseLocaleDateTime(V.substr(T), Date);
    }
    Each(T, IsDate, Date);
    PrevIsDate = IsDate;
    PrevDate = Date;
  }
}

// --- Every tail of a value as a number ------------------------------------------------------------------

// The reading of every suffix of a text as TryStrToFloat reads it with "." as decimal separator:
// blanks around, a sign, digits with at most one ".", and an exponent "e" or "E" with an optional
// sign and digits. The text's valid suffixes all end in one structure found from its end; each is
// given by the place of its first significant digit, and is converted from its first 800 significant
// digits (a nonzero digit standing for all later ones), which round as all of them do. Values too
// large or too small for a double are told apart by their magnitude alone.
class TSuffixNumbers {
 public:
  explicit TSuffixNumbers(const String& D) : S(D) {
    const size_t M = S.size();
    Trim = M;
    while (Trim > 0 && S[Trim - 1] == u' ') --Trim;
    // The exponent: digits at the end, an optional sign, then "e" or "E".
    size_t A = Trim;
    while (A > 0 && IsDigit(S[A - 1])) --A;
    ExpDigits = A;
    if (A < Trim) {
      size_t B = A;
      if (B > 0 && (S[B - 1] == u'+' || S[B - 1] == u'-')) --B;
      if (B > 0 && (S[B - 1] == u'e' || S[B - 1] == u'E')) {
        HasExp = true;
        EPos = B - 1;
        ExpSign = B < A ? B : None;
      }
    }
    MEnd = HasExp ? EPos : Trim;
    size_t F = MEnd;
    while (F > 0 && IsDigit(S[F - 1])) --F;
    if (F > 0 && S[F - 1] == u'.') {
      Point = F - 1;
      IStart = Point;
      while (IStart > 0 && IsDigit(S[IStart - 1])) --IStart;
    } else {
      IStart = F;
    }
    IntEnd = Point != None ? Point : MEnd;
    if (IStart > 0 && (S[IStart - 1] == u'+' || S[IStart - 1] == u'-')) Sign = IStart - 1;
    if (HasExp) {
      // The exponent as the conversion reads it (its value) and as the overflow test reads it (a
      // text of more than nine characters counts as the largest exponent of its sign).
      const size_t TextStart = ExpSign != None ? ExpSign : A;
      const bool Negative = ExpSign != None && S[ExpSign] == u'-';
      if (Trim - TextStart > 9) {
        ExpProbe = Negative ? -999999999 : 999999999;
      }
      Int64 E = 0;
      size_t I = A;
      while (I < Trim && S[I] == u'0') ++I;
      if (Trim - I > 12) {
        E = 1000000000000LL;
      } else {
        for (; I < Trim; ++I) E = E * 10 + (S[I] - u'0');
      }
      ExpValue = Negative ? -E : E;
      if (Trim - TextStart <= 9) ExpProbe = ExpValue;
    }
    for (size_t I = 0; I < Trim; ++I)
      if (S[I] >= u'1' && S[I] <= u'9') {
        LastNonzeroBeforeTrim = I;
        if (I < MEnd) LastNonzeroBeforeMEnd = I;
      }
    // The zero of the conversion's underflow: out of range or a plain zero, as the platform's
    // conversion has it.
    double Z = 0;
    static const char Tiny[] = "1e-500";
    UnderflowOutOfRange = std::from_chars(Tiny, Tiny + sizeof Tiny - 1, Z).ec == std::errc::result_out_of_range;
  }

  // The reading of S from index I: false when it is no number.
  bool At(size_t I, double& Value) {
    size_t C = I;
    while (C < Trim && S[C] == u' ') ++C;
    if (C >= Trim) return false;
    // The digits read, where they end, where their point is and whether the exponent follows.
    size_t From, End, PointAt = None;
    bool WithExp = false, Negative = false;
    int Zone;
    if (HasExp && C >= ExpDigits) {
      From = C;
      End = Trim;
      Zone = 0;
    } else if (HasExp && C == ExpSign) {
      Negative = S[C] == u'-';
      From = ExpDigits;
      End = Trim;
      Zone = 0;
    } else if (Point != None && C > Point && C < MEnd) {
      From = C;
      End = MEnd;
      WithExp = HasExp;
      Zone = 1;
    } else if ((C >= IStart && C < IntEnd) || (Point != None && C == Point) || (Sign != None && C == Sign)) {
      if (C == Sign) Negative = S[C] == u'-';
      From = C == Sign ? IStart : C;
      End = MEnd;
      PointAt = Point;
      WithExp = HasExp;
      Zone = 2;
      if ((IntEnd - From) + (Point != None ? MEnd - Point - 1 : 0) == 0) return false;
    } else {
      return false;
    }
    // The first significant digit. Suffixes are asked for from the end of the text to its start, so
    // the one found for the suffix before is taken when only zeros (or the point) lie between.
    size_t F = End;
    if (End == FirstEnd && From <= FirstFrom) {
      F = FirstFound;
      for (size_t J = From; J < FirstFrom; ++J)
        if (S[J] != u'0' && S[J] != u'.') {
          F = J;
          break;
        }
    } else {
      F = From;
      while (F < End && (S[F] == u'0' || S[F] == u'.')) ++F;
    }
    FirstFrom = From;
    FirstEnd = End;
    FirstFound = F;
    if (F >= End) {
      Value = 0;
      return true;
    }
    TCached& Memo = Cache[Zone];
    if (Memo.First != F) {
      Memo.First = F;
      Memo.Valid = Convert(F, End, PointAt, WithExp, Memo.Value);
    }
    Value = Negative ? -Memo.Value : Memo.Value;
    return Memo.Valid;
  }

 private:
  static constexpr size_t None = String::npos;
  static bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

  // The number whose first significant digit is at F (digits up to End, a point at PointAt).
  bool Convert(size_t F, size_t End, size_t PointAt, bool WithExp, double& Value) const {
    const Int64 Place = PointAt == None || F < PointAt
                            ? static_cast<Int64>((PointAt == None ? End : PointAt) - F) - 1
                            : -static_cast<Int64>(F - PointAt);
    const Int64 Probe = WithExp ? ExpProbe : 0;
    const Int64 Magnitude = Place + (WithExp ? ExpValue : 0);
    // Out of range: no number when the overflow test finds it too large, else zero.
    const bool TooLarge = Place + Probe > 0;
    if (Magnitude > 400 || (Magnitude < -400 && UnderflowOutOfRange)) {
      Value = 0;
      return !TooLarge;
    }
    if (Magnitude < -400) {
      Value = 0;
      return true;
    }
    constexpr size_t Kept = 800;
    std::string W = "0.";
    size_t I = F, Last = F;
    for (; I < End && W.size() < Kept + 2; ++I) {
      if (I == PointAt) continue;
      W.push_back(static_cast<char>(S[I]));
      Last = I;
    }
    // A nonzero digit after the ones kept stands for all of them.
    const size_t LastNonzero = End == MEnd ? LastNonzeroBeforeMEnd : LastNonzeroBeforeTrim;
    if (LastNonzero != None && LastNonzero > Last) W.push_back('1');
    W += "e" + std::to_string(Magnitude + 1);
    double V = 0;
    const auto R = std::from_chars(W.data(), W.data() + W.size(), V);
    if (R.ec == std::errc::result_out_of_range) {
      Value = 0;
      return !TooLarge;
    }
    if (R.ec != std::errc()) return false;
    Value = V;
    return true;
  }

  struct TCached {
    size_t First = None;
    bool Valid = false;
    double Value = 0;
  };

  const String& S;
  size_t Trim = 0, ExpDigits = 0, EPos = None, ExpSign = None, MEnd = 0, Point = None, IStart = 0, IntEnd = 0,
         Sign = None;
  size_t LastNonzeroBeforeMEnd = None, LastNonzeroBeforeTrim = None;
  bool HasExp = false;
  Int64 ExpValue = 0, ExpProbe = 0;
  bool UnderflowOutOfRange = false;
  TCached Cache[3];
  size_t FirstFrom = None, FirstEnd = None, FirstFound = None;  // the last first significant digit found
};

// --- Relational tests ------------------------------------------------------------------------------------

// The relational test of an operator of the pattern (">" or "<" at OpPos): the operand after it (an
// "=" right after the operator makes the test inclusive) compared with a value as numbers when both
// are numbers and neither is a date, else as dates and times when both are, else as texts. The
// operand is read and classified once; a "<" operand ends at any blank, a ">" operand may hold
// single blanks inside quotes.
class TRelationalTest {
 public:
  TRelationalTest(const String& Pattern, size_t OpPos) : FOpPos(OpPos), FGreater(Pattern[OpPos] == u'>') {
    size_t I = OpPos + 1;
    if (I < Pattern.size() && Pattern[I] == u'=') {
      FInclusive = true;
      ++I;
    }
    while (I < Pattern.size() && Pattern[I] == u' ') ++I;
    FOperand = ReadRelationalOperand(Pattern, I, FGreater);
    FIsDate = ParseLocaleDateTime(FOperand, FDate);
    FIsNumber = !FIsDate && RelationalNumber(FOperand, FNumber);
  }

  size_t OpPos() const { return FOpPos; }

  // The test against the whole of Value.
  bool Test(const String& Value) const {
    TDateTime VDate = 0;
    const bool VIsDate = ParseLocaleDateTime(Value, VDate);
    double VNum = 0;
    if (!VIsDate && FIsNumber && RelationalNumber(Value, VNum)) return Holds(Order(VNum, FNumber));
    if (VIsDate && FIsDate) return Holds(Order(VDate, FDate));
    return Holds(CompareTextFrom(Value, 0, FOperand));
  }

  // Test of every tail of Value: Results[T] for the value from index T on, T = 0 … Value.size().
  void TestTails(const String& Value, std::vector<char>& Results) const {
    const size_t N = Value.size();
    Results.assign(N + 1, 0);
    if (!FIsDate && !FIsNumber) {
      for (size_t T = 0; T <= N; ++T) Results[T] = Holds(CompareTextFrom(Value, T, FOperand));
      return;
    }
    if (FIsDate) {
      EachTailDate(Value, [&](size_t T, bool IsDate, TDateTime Date) {
        Results[T] = Holds(IsDate ? Order(Date, FDate) : CompareTextFrom(Value, T, FOperand));
      });
      return;
    }
    // A number: the tails' dates (a date is no number) and their numbers, tail by tail from the end.
    // The tail from T reads as the plain text's suffix from Kept[T], the characters kept of V[T..].
    const String Plain = DotDecimalText(Value);
    TSuffixNumbers Numbers(Plain);
    const Char Decimal = LocaleDecimalSeparator();
    const Char Thousand = LocaleThousandSeparator();
    size_t Suffix = Plain.size();
    EachTailDate(Value, [&](size_t T, bool IsDate, TDateTime) {
      if (T < N) {
        const Char C = Value[T];
        if (C == Decimal || C != Thousand) --Suffix;
      }
      double VNum = 0;
      if (!IsDate && Numbers.At(Suffix, VNum))
        Results[T] = Holds(Order(VNum, FNumber));
      else
        Results[T] = Holds(CompareTextFrom(Value, T, FOperand));
    });
  }

 private:
  bool Holds(Integer C) const {
    if (FGreater) return FInclusive ? C >= 0 : C > 0;
    return FInclusive ? C <= 0 : C < 0;
  }

  size_t FOpPos;
  bool FGreater;
  bool FInclusive = false;
  String FOperand;
  bool FIsDate = false;
  TDateTime FDate = 0;
  bool FIsNumber = false;
  double FNumber = 0;
};

// Folds one operand's result into the running result by the operator that preceded it.
bool Combine(Char Pending, bool Running, bool Operand) {
  switch (Pending) {
    case 0: return Operand;
    case u'&': return Running && Operand;
    case u';':
    case u'^':
    case u'|': return Running || Operand;
    default: return Running;  // "(": the empty operand after a group does not count
  }
}

// Whether Combine leaves the running result as it is whatever the operand gives.
bool OperandIgnored(Char Pending, bool Running) {
  return Pending == u'(' || (Pending == u'&' && !Running) ||
         ((Pending == u';' || Pending == u'^' || Pending == u'|') && Running);
}

}  // namespace

// --- Operand patterns ------------------------------------------------------------------------------------

// A "*" hands the rest of the pattern, as a pattern of its own (relational tests and "!" included),
// every tail of the value. The pattern is cut into its star levels (the text before the first run of
// stars, then the text after each run); each level is decided for the tails of the value, the last
// level first, and since a star asks only whether any tail from a place on matches the next level,
// each level keeps only the last tail that matches it.
class TOperandPattern {
 public:
  explicit TOperandPattern(const String& Pattern) : P(Pattern) {
    const size_t N = P.size();
    std::vector<size_t> Starts{0};
    for (size_t I = 0; I < N;) {
      if (P[I] != u'*') {
        ++I;
        continue;
      }
      while (I < N && P[I] == u'*') ++I;
      Starts.push_back(I);
    }
    // For every level: the first ">" and "<" at or after its start, and whether "!", "^", "&" follow.
    size_t NextGreater = None, NextLess = None;
    bool Not = false, Caret = false, Amp = false;
    FLevels.resize(Starts.size());
    size_t L = Starts.size();
    for (size_t I = N + 1; I-- > 0;) {
      if (I < N) {
        const Char C = P[I];
        if (C == u'>') NextGreater = I;
        if (C == u'<') NextLess = I;
        Not = Not || C == u'!';
        Caret = Caret || C == u'^';
        Amp = Amp || C == u'&';
      }
      while (L > 0 && Starts[L - 1] == I) {
        --L;
        TLevel& Lv = FLevels[L];
        Lv.From = I;
        Lv.Greater = TestIndex(NextGreater);
        Lv.Less = TestIndex(NextLess);
        Lv.HasNot = Not;
        Lv.HasCaret = Caret;
        Lv.HasAmp = Amp;
      }
    }
  }

  bool Match(const String& V) const {
    TTails Tails;
    // The last tail of the value that matches the level after the current one (-1: none).
    Int64 AnyTo = -1;
    for (size_t L = FLevels.size(); L-- > 1;) {
      // A level that ends in a star, with no relational test and no "!" after its start, matches
      // no tail when no tail matches the next level.
      const TLevel& Lv = FLevels[L];
      if (AnyTo < 0 && L + 1 < FLevels.size() && Lv.Greater == None && Lv.Less == None && !Lv.HasNot) continue;
      Int64 Last = -1;
      for (size_t T = V.size() + 1; T-- > 0;)
        if (Level(L, T, AnyTo, V, &Tails)) {
          Last = static_cast<Int64>(T);
          break;
        }
      AnyTo = Last;
    }
    return Level(0, 0, AnyTo, V, nullptr);
  }

 private:
  static constexpr size_t None = String::npos;

  struct TLevel {
    size_t From = 0;
    size_t Greater = None, Less = None;  // index into FTests
    bool HasNot = false, HasCaret = false, HasAmp = false;
  };

  // The results of one relational test for every tail of the value, worked out when first asked.
  struct TTails {
    size_t Test[2] = {None, None};
    std::vector<char> Results[2];
  };

  size_t TestIndex(size_t OpPos) {
    if (OpPos == None) return None;
    for (size_t I = 0; I < FTests.size(); ++I)
      if (FTests[I].OpPos() == OpPos) return I;
    FTests.emplace_back(P, OpPos);
    return FTests.size() - 1;
  }

  bool Relational(size_t Test, size_t T, const String& V, TTails* Tails, int Kind) const {
    if (!Tails) return FTests[Test].Test(T == 0 ? V : V.substr(T));
    if (Tails->Test[Kind] != Test) {
      Tails->Test[Kind] = Test;
      FTests[Test].TestTails(V, Tails->Results[Kind]);
    }
    return Tails->Results[Kind][T] != 0;
  }

  // Whether the pattern from level L on matches the value from T on, given the last tail that
  // matches the level after it.
  bool Level(size_t L, size_t T, Int64 AnyTo, const String& V, TTails* Tails) const {
    const TLevel& Lv = FLevels[L];
    bool Greater = true, Less = true;
    bool HasGreater = false, HasLess = false;
    if (Lv.Greater != None) {
      Greater = Relational(Lv.Greater, T, V, Tails, 0);
      HasGreater = true;
    }
    if (Lv.Less != None) {
      Less = Relational(Lv.Less, T, V, Tails, 1);
      HasLess = true;
    }
    if (Lv.HasNot) {
      if (Lv.Greater == None) HasGreater = true;
      if (Lv.Less == None) HasLess = true;
    }
    if (Lv.HasCaret && (HasGreater || HasLess)) return Greater || Less;
    if (Lv.HasAmp && HasGreater && HasLess) return Greater && Less;
    if (Lv.Greater != None && Greater) return true;
    if (Lv.Less != None && Less) return true;
    // A failed relational test leaves the decision to the literal match of the level: "!" negates
    // it, quotes are skipped, "?" takes any one character, and the star that ends the level
    // matches when any tail from the current character on matches the next level.
    bool Negate = false;
    bool Result = false;
    size_t PI = Lv.From, VI = T;
    for (;;) {
      if (PI >= P.size()) {
        Result = VI >= V.size();
        break;
      }
      const Char C = P[PI];
      if (C == u'!') {
        Negate = true;
        ++PI;
        continue;
      }
      if (C == u'"') {
        ++PI;
        continue;
      }
      if (C == u'*') {
        Result = static_cast<Int64>(VI) <= AnyTo;
        break;
      }
      if (VI >= V.size()) {
        Result = false;
        break;
      }
      if (C == u'?' || C == V[VI]) {
        ++PI;
        ++VI;
        continue;
      }
      Result = false;
      break;
    }
    return Negate ? !Result : Result;
  }

  String P;
  std::vector<TLevel> FLevels;
  std::vector<TRelationalTest> FTests;
};

// --- Conditions ----------------------------------------------------------------------------------------------

// A condition is a tree of sequences. A sequence is what lies at one level of parentheses: its steps
// (an operand or a group, each followed by the operator character that ended it) and the operand
// left at its end. Evaluated from left to right, each step's result joins the running result by the
// operator of the step before it.
struct TFilterCondition::TStep {
  Integer Operand = -1;  // index into FOperands, or
  Integer Group = -1;    // index into FSequences
  Char Op = 0;
};

struct TFilterCondition::TSequence {
  std::vector<TStep> Steps;
  Integer Last = -1;  // the operand after the last operator character
};

namespace {

// A text the condition's parts are read from, with the ")" that closes each "(": the first one at
// which as many ")" as "(" have been seen from it. A part read from it gives positions in it.
struct TConditionText {
  String S;
  std::vector<size_t> Closing;
  // For the condition itself: the quotes before each position (odd or even) and the blanks before
  // it; its blanks all stand inside quotes. A text made for a group has no blank left.
  std::vector<char> OddQuotesBefore;
  std::vector<size_t> BlanksBefore;

  explicit TConditionText(String Text, bool WithBlanks) : S(std::move(Text)), Closing(S.size(), String::npos) {
    std::vector<size_t> Open;
    for (size_t I = 0; I < S.size(); ++I) {
      if (S[I] == u'(') Open.push_back(I);
      if (S[I] == u')' && !Open.empty()) {
        Closing[Open.back()] = I;
        Open.pop_back();
      }
    }
    if (!WithBlanks) return;
    OddQuotesBefore.assign(S.size() + 1, 0);
    BlanksBefore.assign(S.size() + 1, 0);
    for (size_t I = 0; I < S.size(); ++I) {
      OddQuotesBefore[I + 1] = static_cast<char>(OddQuotesBefore[I] ^ (S[I] == u'"'));
      BlanksBefore[I + 1] = BlanksBefore[I] + (S[I] == u' ');
    }
  }
};

}  // namespace

TFilterCondition::TFilterCondition(const String& Condition, bool CaseSensitive) : FCaseSensitive(CaseSensitive) {
  String Top = RemoveBlanksOutsideQuotes(Trim(Condition));
  if (!Top.empty() && Top[0] == u'=') Top.erase(0, 1);
  std::vector<TConditionText> Texts;
  Texts.emplace_back(std::move(Top), true);
  Integer Empty = -1;  // the empty operand, one for all
  auto AddOperand = [&](const String& C, size_t From, size_t To) {
    if (From == To && Empty >= 0) return Empty;
    const String Text = C.substr(From, To - From);
    if (From == To) Empty = static_cast<Integer>(FOperands.size());
    FOperands.emplace_back(std::make_unique<TOperandPattern>(CaseSensitive ? Text : AnsiUpperCase(Text)));
    return static_cast<Integer>(FOperands.size() - 1);
  };
  // Sequences still to read: the sequence, the text and its part holding the sequence.
  struct TPart {
    Integer Sequence;
    size_t Text;
    size_t From, To;
    bool Group;
  };
  std::vector<TPart> Parts{{0, 0, 0, Texts[0].S.size(), false}};
  FSequences.emplace_back();
  while (!Parts.empty()) {
    TPart Part = Parts.back();
    Parts.pop_back();
    if (Part.Group) {
      // A group's text is read as a condition of its own: its ends trimmed, its blanks outside its
      // quotes removed, an "=" at its start dropped. In the condition's own text the blanks left
      // stand inside quotes; counted from a group that starts inside quotes they stand outside.
      const String& S = Texts[Part.Text].S;
      while (Part.From < Part.To && S[Part.From] <= u' ') ++Part.From;
      while (Part.To > Part.From && S[Part.To - 1] <= u' ') --Part.To;
      const TConditionText& T = Texts[Part.Text];
      if (!T.OddQuotesBefore.empty() && T.OddQuotesBefore[Part.From] &&
          T.BlanksBefore[Part.To] > T.BlanksBefore[Part.From]) {
        String Kept;
        for (size_t I = Part.From; I < Part.To; ++I)
          if (S[I] != u' ') Kept += S[I];
        Texts.emplace_back(std::move(Kept), false);
        Part.Text = Texts.size() - 1;
        Part.From = 0;
        Part.To = Texts.back().S.size();
      }
      if (Part.From < Part.To && Texts[Part.Text].S[Part.From] == u'=') ++Part.From;
    }
    const String& C = Texts[Part.Text].S;
    const std::vector<size_t>& Closing = Texts[Part.Text].Closing;
    size_t I = Part.From;
    for (;;) {
      // The first operator character outside quotes, the quotes counted from I on.
      size_t Op = String::npos;
      bool InQuotes = false;
      for (size_t J = I; J < Part.To; ++J) {
        const Char Ch = C[J];
        if (Ch == u'"') {
          InQuotes = !InQuotes;
          continue;
        }
        if (!InQuotes && (Ch == u'(' || Ch == u';' || Ch == u'^' || Ch == u'&' || Ch == u'|')) {
          Op = J;
          break;
        }
      }
      if (Op == String::npos) break;
      TStep Step;
      Step.Op = C[Op];
      if (C[I] == u'(') {
        // A group; one that is never closed runs to the end of the condition.
        const size_t Close = Closing[I] < Part.To ? Closing[I] : String::npos;
        Step.Group = static_cast<Integer>(FSequences.size());
        FSequences.emplace_back();
        Parts.push_back({Step.Group, Part.Text, I + 1, Close == String::npos ? Part.To : Close, true});
        I = Close == String::npos ? Part.To : Close + 1;
      } else {
        Step.Operand = AddOperand(C, I, Op);
        I = Op + 1;
      }
      FSequences[static_cast<size_t>(Part.Sequence)].Steps.push_back(Step);
    }
    FSequences[static_cast<size_t>(Part.Sequence)].Last = AddOperand(C, I, Part.To);
  }
}

TFilterCondition::~TFilterCondition() = default;
TFilterCondition::TFilterCondition(TFilterCondition&&) noexcept = default;
TFilterCondition& TFilterCondition::operator=(TFilterCondition&&) noexcept = default;

bool TFilterCondition::Match(const String& Value) const {
  const String Upper = FCaseSensitive ? String() : AnsiUpperCase(Value);
  const String& V = FCaseSensitive ? Value : Upper;
  // The sequences being evaluated, innermost last: where each stands and its running result.
  struct TFrame {
    Integer Sequence;
    size_t Step;
    bool Running;
    Char Pending;
  };
  std::vector<TFrame> Stack{{0, 0, true, 0}};
  bool Returned = false;  // the result of the group that has just ended
  bool HaveReturn = false;
  for (;;) {
    TFrame& F = Stack.back();
    const TSequence& S = FSequences[static_cast<size_t>(F.Sequence)];
    if (HaveReturn) {
      // The group of the current step has ended.
      HaveReturn = false;
      F.Running = Combine(F.Pending, F.Running, Returned);
      F.Pending = S.Steps[F.Step].Op;
      ++F.Step;
      continue;
    }
    if (F.Step < S.Steps.size()) {
      const TStep& Step = S.Steps[F.Step];
      if (F.Pending != 0 && OperandIgnored(F.Pending, F.Running)) {
        F.Pending = Step.Op;
        ++F.Step;
        continue;
      }
      if (Step.Group >= 0) {
        Stack.push_back({Step.Group, 0, true, 0});
        continue;
      }
      F.Running = Combine(F.Pending, F.Running, FOperands[static_cast<size_t>(Step.Operand)]->Match(V));
      F.Pending = Step.Op;
      ++F.Step;
      continue;
    }
    bool Result;
    if (F.Pending == 0)
      Result = FOperands[static_cast<size_t>(S.Last)]->Match(V);
    else if (OperandIgnored(F.Pending, F.Running))
      Result = F.Running;
    else
      Result = Combine(F.Pending, F.Running, FOperands[static_cast<size_t>(S.Last)]->Match(V));
    Stack.pop_back();
    if (Stack.empty()) return Result;
    Returned = Result;
    HaveReturn = true;
  }
}

// --- The matcher's steps ------------------------------------------------------------------------------------

String RemoveBlanksOutsideQuotes(const String& S) {
  String R;
  R.reserve(S.size());
  bool InQuotes = false;
  for (Char C : S) {
    if (C == u'"') InQuotes = !InQuotes;
    if (C == u' ' && !InQuotes) continue;
    R += C;
  }
  return R;
}

Char FirstOperatorOutsideQuotes(const String& Operators, const String& S, Integer& APos) {
  bool InQuotes = false;
  for (size_t I = 0; I < S.size(); ++I) {
    const Char C = S[I];
    if (C == u'"') {
      InQuotes = !InQuotes;
      continue;
    }
    if (!InQuotes && Operators.find(C) != String::npos) {
      APos = static_cast<Integer>(I) + 1;
      return C;
    }
  }
  APos = -1;
  return 0;
}

Integer ClosingParenPos(const String& S) {
  Integer Open = 0, Close = 0;
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] == u'(') ++Open;
    if (S[I] == u')') {
      ++Close;
      if (Close == Open) return static_cast<Integer>(I) + 1;
    }
  }
  return 0;
}

String DotDecimalText(const String& S) {
  const Char Decimal = LocaleDecimalSeparator();
  const Char Thousand = LocaleThousandSeparator();
  String R;
  R.reserve(S.size());
  for (Char C : S) {
    if (C == Decimal)
      R += u'.';
    else if (C != Thousand)
      R += C;
  }
  return R;
}

bool MatchPattern(const String& Pattern, const String& Value) { return TOperandPattern(Pattern).Match(Value); }

bool MatchOperand(const String& Operand, const String& Value, bool CaseSensitive) {
  if (CaseSensitive) return MatchPattern(Operand, Value);
  return MatchPattern(AnsiUpperCase(Operand), AnsiUpperCase(Value));
}

bool MatchFilter(const String& Condition, const String& Value, bool CaseSensitive) {
  return TFilterCondition(Condition, CaseSensitive).Match(Value);
}
