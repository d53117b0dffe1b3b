// The filter condition matcher: the grid's expression filter and its wildcard find decide with it
// whether a cell value satisfies a condition typed by the user.
#include "components/gridbase/ExUtil.h"

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

// The relational test of the first Op (">" or "<") of the pattern: the operand after it (an "="
// right after the operator makes the test inclusive) compared with the value.
bool RelationalTest(const String& Pattern, size_t OpPos, const String& Value, bool BlanksInQuotes) {
  size_t I = OpPos + 1;
  bool Inclusive = false;
  if (I < Pattern.size() && Pattern[I] == u'=') {
    Inclusive = true;
    ++I;
  }
  while (I < Pattern.size() && Pattern[I] == u' ') ++I;
  const Integer C = CompareRelational(Value, ReadRelationalOperand(Pattern, I, BlanksInQuotes));
  if (Pattern[OpPos] == u'>') return Inclusive ? C >= 0 : C > 0;
  return Inclusive ? C <= 0 : C < 0;
}

// The wildcard match of the pattern from PI against the value from VI: "!" negates the whole
// match, quotes are skipped, "*" matches any run, "?" any one character.
bool WildcardMatch(const String& P, size_t PI, const String& V, size_t VI) {
  bool Negate = false;
  bool Result = false;
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
      while (PI < P.size() && P[PI] == u'*') ++PI;
      const String Rest = P.substr(PI);
      // Every tail of the value, the empty one first, never before the current character.
      for (size_t T = V.size();; --T) {
        if (MatchPattern(Rest, V.substr(T))) {
          Result = true;
          break;
        }
        if (T <= VI) break;
      }
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

bool MatchPattern(const String& Pattern, const String& Value) {
  bool Greater = true, Less = true;
  bool HasGreater = false, HasLess = false;
  const size_t GreaterPos = Pattern.find(u'>');
  const size_t LessPos = Pattern.find(u'<');
  if (GreaterPos != String::npos) {
    Greater = RelationalTest(Pattern, GreaterPos, Value, true);
    HasGreater = true;
  }
  if (LessPos != String::npos) {
    Less = RelationalTest(Pattern, LessPos, Value, false);
    HasLess = true;
  }
  if (Pattern.find(u'!') != String::npos) {
    if (GreaterPos == String::npos) HasGreater = true;
    if (LessPos == String::npos) HasLess = true;
  }
  if (Pattern.find(u'^') != String::npos && (HasGreater || HasLess)) return Greater || Less;
  if (Pattern.find(u'&') != String::npos && HasGreater && HasLess) return Greater && Less;
  if (GreaterPos != String::npos && Greater) return true;
  if (LessPos != String::npos && Less) return true;
  // A failed relational test leaves the decision to the literal match of the whole pattern.
  return WildcardMatch(Pattern, 0, Value, 0);
}

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
