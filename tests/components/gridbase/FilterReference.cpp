// The filter condition matcher as it works call by call: the condition is parsed anew for every
// value and every operand, and every tail of the value is tested on its own after a star. Slow on
// long texts, but plain; the tests hold the grid's compiled conditions to its results.
#include "tests/components/gridbase/FilterReference.h"

#include <map>
#include <vector>

#include "components/gridbase/ExUtil.h"

namespace FilterReference {
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

// Compares a value with a relational operand: as numbers when both are numbers and neither is a
// date, else as dates and times when both are, else as texts. < 0, 0 or > 0.
Integer CompareRelational(const String& V, const String& O) {
  TDateTime VDate = 0, ODate = 0;
  const bool VIsDate = ParseLocaleDateTime(V, VDate);
  const bool OIsDate = ParseLocaleDateTime(O, ODate);
  TFormatSettings Dot = FormatSettings;
  Dot.DecimalSeparator = u'.';
  double VNum = 0, ONum = 0;
  if (!VIsDate && !OIsDate && TryStrToFloat(DotDecimalText(V), VNum, Dot) &&
      TryStrToFloat(DotDecimalText(O), ONum, Dot))
    return VNum < ONum ? -1 : (VNum > ONum ? 1 : 0);
  if (VIsDate && OIsDate) return VDate < ODate ? -1 : (VDate > ODate ? 1 : 0);
  const String VText = V.substr(0, RelationalTextLimit);
  return CompareStr(VText, O);
}

// The relational test of an operator of the pattern (">" or "<" at OpPos): the operand after it
// (an "=" right after the operator makes the test inclusive) compared with a value. The operand is
// read once; a "<" operand ends at any blank, a ">" operand may hold single blanks inside quotes.
class TRelationalTest {
 public:
  TRelationalTest(const String& Pattern, size_t OpPos) : FGreater(Pattern[OpPos] == u'>') {
    size_t I = OpPos + 1;
    if (I < Pattern.size() && Pattern[I] == u'=') {
      FInclusive = true;
      ++I;
    }
    while (I < Pattern.size() && Pattern[I] == u' ') ++I;
    FOperand = ReadRelationalOperand(Pattern, I, FGreater);
  }
  bool Test(const String& Value) const {
    const Integer C = CompareRelational(Value, FOperand);
    if (FGreater) return FInclusive ? C >= 0 : C > 0;
    return FInclusive ? C <= 0 : C < 0;
  }

 private:
  bool FGreater;
  bool FInclusive = false;
  String FOperand;
};

// The operand matcher over one pattern and one value. A "*" hands the rest of the pattern, as a
// pattern of its own (relational tests and "!" included), every tail of the value. Tried tail by
// tail and star by star that takes time exponential in the number of stars; here the pattern is
// cut into its star levels (the text before the first run of stars, then the text after each run)
// and each level is decided once for every tail of the value, the last level first, so each star
// looks up whether any of its tails matched. The results are those of the tail-by-tail search.
class TPatternMatcher {
 public:
  TPatternMatcher(const String& Pattern, const String& Value) : P(Pattern), V(Value) {
    const size_t N = P.size();
    Start.push_back(0);
    for (size_t I = 0; I < N;) {
      if (P[I] != u'*') {
        ++I;
        continue;
      }
      while (I < N && P[I] == u'*') ++I;
      Start.push_back(I);
    }
    // For every index: the first ">" and "<" at or after it, and whether "!", "^", "&" follow.
    NextGreater.assign(N + 1, String::npos);
    NextLess.assign(N + 1, String::npos);
    HasNot.assign(N + 1, false);
    HasCaret.assign(N + 1, false);
    HasAmp.assign(N + 1, false);
    for (size_t I = N; I-- > 0;) {
      NextGreater[I] = P[I] == u'>' ? I : NextGreater[I + 1];
      NextLess[I] = P[I] == u'<' ? I : NextLess[I + 1];
      HasNot[I] = P[I] == u'!' || HasNot[I + 1];
      HasCaret[I] = P[I] == u'^' || HasCaret[I + 1];
      HasAmp[I] = P[I] == u'&' || HasAmp[I + 1];
    }
  }

  bool Match() {
    // AnyFrom[t]: some tail of the value from t on matches the level after the current one.
    std::vector<char> AnyFrom, Next;
    for (size_t L = Start.size(); L-- > 1;) {
      Next.assign(V.size() + 2, 0);
      for (size_t T = V.size() + 1; T-- > 0;) Next[T] = Level(L, T, AnyFrom) || Next[T + 1];
      AnyFrom.swap(Next);
    }
    return Level(0, 0, AnyFrom);
  }

 private:
  // Whether the pattern from level L on matches the value from T on, given for the level after it
  // whether a tail from each position matches.
  bool Level(size_t L, size_t T, const std::vector<char>& AnyFrom) {
    const size_t From = Start[L];
    bool Greater = true, Less = true;
    bool HasGreater = false, HasLess = false;
    const size_t G = NextGreater[From], Ls = NextLess[From];
    if (G != String::npos) {
      Greater = Relational(G, T);
      HasGreater = true;
    }
    if (Ls != String::npos) {
      Less = Relational(Ls, T);
      HasLess = true;
    }
    if (HasNot[From]) {
      if (G == String::npos) HasGreater = true;
      if (Ls == String::npos) HasLess = true;
    }
    if (HasCaret[From] && (HasGreater || HasLess)) return Greater || Less;
    if (HasAmp[From] && HasGreater && HasLess) return Greater && Less;
    if (G != String::npos && Greater) return true;
    if (Ls != String::npos && Less) return true;
    // A failed relational test leaves the decision to the literal match of the level: "!" negates
    // it, quotes are skipped, "?" takes any one character, and the star that ends the level
    // matches when any tail from the current character on matches the next level.
    bool Negate = false;
    bool Result = false;
    size_t PI = From, VI = T;
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
        Result = AnyFrom[VI] != 0;
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

  // The test of the operator at OpPos against the value from T on, worked out once per tail.
  bool Relational(size_t OpPos, size_t T) {
    auto It = Tests.find(OpPos);
    if (It == Tests.end()) {
      It = Tests.emplace(OpPos, TTests{TRelationalTest(P, OpPos), std::vector<signed char>(V.size() + 1, -1)}).first;
    }
    signed char& R = It->second.Results[T];
    if (R < 0) R = It->second.Test.Test(V.substr(T)) ? 1 : 0;
    return R != 0;
  }

  struct TTests {
    TRelationalTest Test;
    std::vector<signed char> Results;
  };

  const String& P;
  const String& V;
  std::vector<size_t> Start;
  std::vector<size_t> NextGreater, NextLess;
  std::vector<bool> HasNot, HasCaret, HasAmp;
  std::map<size_t, TTests> Tests;
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

}  // namespace

bool MatchPattern(const String& Pattern, const String& Value) { return TPatternMatcher(Pattern, Value).Match(); }

bool MatchOperand(const String& Operand, const String& Value, bool CaseSensitive) {
  if (CaseSensitive) return MatchPattern(Operand, Value);
  return MatchPattern(AnsiUpperCase(Operand), AnsiUpperCase(Value));
}

bool MatchFilter(const String& Condition, const String& Value, bool CaseSensitive) {
  String C = RemoveBlanksOutsideQuotes(Trim(Condition));
  if (!C.empty() && C[0] == u'=') C.erase(0, 1);
  const String Operators = u"(;^&|";
  bool Result = true;
  Char Pending = 0;
  for (;;) {
    Integer P = 0;
    const Char Op = FirstOperatorOutsideQuotes(Operators, C, P);
    if (Op == 0) break;
    bool OperandResult = false;
    if (C[0] == u'(') {
      const Integer Close = ClosingParenPos(C);
      if (Close == 0) {
        // A group that is never closed runs to the end of the condition.
        OperandResult = MatchFilter(Copy(C, 2, Length(C)), Value, CaseSensitive);
        C.clear();
      } else {
        OperandResult = MatchFilter(Copy(C, 2, Close - 2), Value, CaseSensitive);
        Delete(C, 1, Close);
      }
    } else {
      OperandResult = MatchOperand(Copy(C, 1, P - 1), Value, CaseSensitive);
      Delete(C, 1, P);
    }
    Result = Combine(Pending, Result, OperandResult);
    Pending = Op;
  }
  const bool Last = MatchOperand(C, Value, CaseSensitive);
  if (Pending == 0) return Last;
  return Combine(Pending, Result, Last);
}

}  // namespace FilterReference
