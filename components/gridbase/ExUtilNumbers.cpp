// Numbers, dates and times written as cell text, read with the process's format settings.
#include <algorithm>
#include <array>
#include <utility>

#include "components/gridbase/ExUtil.h"

namespace {

// The number characters of Unicode in the 16-bit range (general categories Nd, Nl and No), as
// inclusive ranges in ascending order.
constexpr std::array<std::pair<Char, Char>, 67> NumberRanges = {{
    {0x0030, 0x0039}, {0x00B2, 0x00B3}, {0x00B9, 0x00B9}, {0x00BC, 0x00BE}, {0x0660, 0x0669},
    {0x06F0, 0x06F9}, {0x07C0, 0x07C9}, {0x0966, 0x096F}, {0x09E6, 0x09EF}, {0x09F4, 0x09F9},
    {0x0A66, 0x0A6F}, {0x0AE6, 0x0AEF}, {0x0B66, 0x0B6F}, {0x0B72, 0x0B77}, {0x0BE6, 0x0BF2},
    {0x0C66, 0x0C6F}, {0x0C78, 0x0C7E}, {0x0CE6, 0x0CEF}, {0x0D58, 0x0D5E}, {0x0D66, 0x0D78},
    {0x0DE6, 0x0DEF}, {0x0E50, 0x0E59}, {0x0ED0, 0x0ED9}, {0x0F20, 0x0F33}, {0x1040, 0x1049},
    {0x1090, 0x1099}, {0x1369, 0x137C}, {0x16EE, 0x16F0}, {0x17E0, 0x17E9}, {0x17F0, 0x17F9},
    {0x1810, 0x1819}, {0x1946, 0x194F}, {0x19D0, 0x19DA}, {0x1A80, 0x1A89}, {0x1A90, 0x1A99},
    {0x1B50, 0x1B59}, {0x1BB0, 0x1BB9}, {0x1C40, 0x1C49}, {0x1C50, 0x1C59}, {0x2070, 0x2070},
    {0x2074, 0x2079}, {0x2080, 0x2089}, {0x2150, 0x2182}, {0x2185, 0x2189}, {0x2460, 0x249B},
    {0x24EA, 0x24FF}, {0x2776, 0x2793}, {0x2CFD, 0x2CFD}, {0x3007, 0x3007}, {0x3021, 0x3029},
    {0x3038, 0x303A}, {0x3192, 0x3195}, {0x3220, 0x3229}, {0x3248, 0x324F}, {0x3251, 0x325F},
    {0x3280, 0x3289}, {0x32B1, 0x32BF}, {0xA620, 0xA629}, {0xA6E6, 0xA6EF}, {0xA830, 0xA835},
    {0xA8D0, 0xA8D9}, {0xA900, 0xA909}, {0xA9D0, 0xA9D9}, {0xA9F0, 0xA9F9}, {0xAA50, 0xAA59},
    {0xABF0, 0xABF9}, {0xFF10, 0xFF19},
}};

bool IsE(Char C) { return C == u'e' || C == u'E'; }

// The text before the first blank, and from that blank on.
void SplitAtBlank(const String& S, String& Before, String& From) {
  const size_t P = S.find(u' ');
  if (P == String::npos) {
    Before = S;
    From.clear();
  } else {
    Before = S.substr(0, P);
    From = S.substr(P);
  }
}

// Encodes a date from integers that may lie outside the ranges of the encoder's parameters.
bool TryEncodeDateInt(Integer Year, Integer Month, Integer Day, TDateTime& Value) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > 31) return false;
  return TryEncodeDate(static_cast<Word>(Year), static_cast<Word>(Month), static_cast<Word>(Day), Value);
}

// Day, month and year fields of a text separated by the first "/", "." or "-" (the same one twice),
// with the century rule of two-digit years; 0 when the text does not parse.
TDateTime ParseDateFields(const String& S, bool MonthFirst) {
  Char Sep = 0;
  for (Char Candidate : {u'/', u'.', u'-'}) {
    if (CharPos(Candidate, S) > 0) {
      Sep = Candidate;
      break;
    }
  }
  if (Sep == 0) return 0;
  String Rest = S;
  const Integer P1 = CharPos(Sep, Rest);
  const String First = Copy(Rest, 1, P1 - 1);
  Delete(Rest, 1, P1);
  const Integer P2 = CharPos(Sep, Rest);
  if (P2 == 0) return 0;
  const String Second = Copy(Rest, 1, P2 - 1);
  Delete(Rest, 1, P2);
  Integer A = 0, B = 0, Y = 0;
  if (!TryStrToInt(First, A) || !TryStrToInt(Second, B) || !TryStrToInt(Rest, Y)) return 0;
  Word Year = static_cast<Word>(Y);
  // Two-digit years get a century; years written with more digits are taken as they stand.
  if (Year <= 25)
    Year = static_cast<Word>(Year + 2000);
  else if (Year <= 99)
    Year = static_cast<Word>(Year + 1900);
  const Word Month = static_cast<Word>(MonthFirst ? A : B);
  const Word Day = static_cast<Word>(MonthFirst ? B : A);
  return EncodeDate(Year, Month, Day);
}

}  // namespace

// --- Locale ------------------------------------------------------------------------------------

Char LocaleTimeSeparator() { return FormatSettings.TimeSeparator; }
Char LocaleDateSeparator() { return FormatSettings.DateSeparator; }
Char LocaleThousandSeparator() { return FormatSettings.ThousandSeparator; }
Char LocaleDecimalSeparator() { return FormatSettings.DecimalSeparator; }
String LocaleShortDateFormat() { return FormatSettings.ShortDateFormat; }

// --- Character classes -------------------------------------------------------------------------

bool IsDigitChar(Char Ch) {
  // Below 0x80 only the ASCII digits are number characters; most texts never reach the table.
  if (Ch < 0x80) return Ch >= u'0' && Ch <= u'9';
  auto It = std::upper_bound(NumberRanges.begin(), NumberRanges.end(), Ch,
                             [](Char C, const std::pair<Char, Char>& R) { return C < R.first; });
  if (It == NumberRanges.begin()) return false;
  --It;
  return Ch <= It->second;
}

bool IsDigitOrMinus(Char Ch) { return IsDigitChar(Ch) || Ch == u'-'; }

bool IsNumberTextChar(Char Ch) {
  return IsDigitChar(Ch) || Ch == LocaleThousandSeparator() || Ch == LocaleDecimalSeparator() || IsE(Ch);
}

bool IsPlainNumberChar(Char Ch) {
  return IsDigitChar(Ch) || Ch == u'-' || Ch == u'.' || IsE(Ch) || Ch == u'+';
}

bool IsExponentNumberChar(Char Ch) { return IsNumberTextChar(Ch) || Ch == u'+' || Ch == u'-'; }

// --- Conversions -------------------------------------------------------------------------------

Integer ClassifyNumberText(const String& S) {
  if (S.empty()) return ntOther;
  const Char Thousand = LocaleThousandSeparator();
  const Char Decimal = LocaleDecimalSeparator();
  bool IntForm = true, FloatForm = true, ExpForm = true, ESeen = false;
  Integer Minus = 0, Decimals = 0, ECount = 0, LastThousand = 0;
  const Integer N = Length(S);
  for (Integer I = 1; I <= N; ++I) {
    const Char C = S[I - 1];
    if (!IsDigitOrMinus(C) || (C == u'-' && I > 1)) IntForm = false;
    if (!(IsDigitChar(C) || C == u'-' || C == Thousand || C == Decimal) || (C == u'-' && I > 1))
      FloatForm = false;
    if (C == Thousand) {
      // Thousand separators stand more than three places apart.
      if (LastThousand > 0 && I - LastThousand <= 3) FloatForm = false;
      LastThousand = I;
    }
    if (!IsExponentNumberChar(C) || C == Thousand) ExpForm = false;
    if (IsE(C)) {
      ESeen = true;
      ++ECount;
    }
    if (C == u'-') ++Minus;
    if (C == Decimal) ++Decimals;
  }
  if (IsE(S.front())) ExpForm = false;
  const Char Last = S.back();
  if (Last == u'+' || Last == u'-' || IsE(Last)) ExpForm = false;
  if (ECount > 1) ExpForm = false;

  if (IntForm) return ntInteger;
  Integer Result = (FloatForm && !ESeen) ? ntFloat : ntOther;
  if (ExpForm && ESeen) {
    Result = ntExponent;
    // The sign of the exponent is not a second minus of the number ("-1e-5").
    if (Minus == 2) Minus = 1;
  }
  if (Minus > 1 || Decimals > 1) Result = ntOther;
  return Result;
}

String NormalizeNumberText(const String& S) {
  if (S.empty()) return String();
  String T = Trim(S);
  bool Negative = !T.empty() && T.front() == u'(' && T.back() == u')';
  while (Length(T) >= 2 && !IsNumberTextChar(T[0])) {
    if (T[0] == u'-') Negative = true;
    T.erase(0, 1);
  }
  const Char Thousand = LocaleThousandSeparator();
  const Char Decimal = LocaleDecimalSeparator();
  String R;
  for (Char C : T) {
    if (C == Thousand) continue;
    if (C == Decimal)
      R += u'.';
    else if (IsPlainNumberChar(C))
      R += C;
    else
      break;
  }
  if (Negative) R.insert(R.begin(), u'-');
  return R;
}

bool ParseLocaleDateTime(const String& S, TDateTime& Value) {
  // The order of the day, month and year fields follows the short date format.
  const String Fmt = UpperCase(LocaleShortDateFormat());
  std::array<std::pair<Integer, Char>, 3> Order = {
      {{Pos(u"D", Fmt), u'D'}, {Pos(u"M", Fmt), u'M'}, {Pos(u"Y", Fmt), u'Y'}}};
  std::stable_sort(Order.begin(), Order.end(),
                   [](const std::pair<Integer, Char>& A, const std::pair<Integer, Char>& B) {
                     return A.first < B.first;
                   });

  const Char DateSep = LocaleDateSeparator();
  const Integer P1 = CharPos(DateSep, S);
  if (P1 == 0) return false;
  const Integer P2 = Pos(String(1, DateSep), S, P1 + 1);
  if (P2 == 0) return false;
  String Fields[3];
  Fields[0] = Copy(S, 1, P1 - 1);
  Fields[1] = Copy(S, P1 + 1, P2 - P1 - 1);
  String TimePart;
  SplitAtBlank(Trim(Copy(S, P2 + 1, Length(S))), Fields[2], TimePart);

  Integer Day = 0, Month = 0, Year = 0;
  for (Integer I = 0; I < 3; ++I) {
    Integer V = 0;
    if (!TryStrToInt(Fields[I], V)) return false;
    switch (Order[I].second) {
      case u'D': Day = V; break;
      case u'M': Month = V; break;
      default: Year = V; break;
    }
  }
  if (Day > 31 || Month > 12) return false;

  Integer Hour = 0, Minute = 0, Second = 0;
  if (!TimePart.empty()) {
    const Char TimeSep = LocaleTimeSeparator();
    const Integer T1 = CharPos(TimeSep, TimePart);
    if (T1 == 0) {
      // A time without separator: the date alone is kept, but the text is not a date and time.
      TDateTime D = 0;
      if (TryEncodeDateInt(Year, Month, Day, D)) Value = D;
      return false;
    }
    if (!TryStrToInt(Copy(TimePart, 1, T1 - 1), Hour) || Hour > 23) return false;
    const Integer T2 = Pos(String(1, TimeSep), TimePart, T1 + 1);
    if (T2 > 0) {
      if (!TryStrToInt(Copy(TimePart, T1 + 1, T2 - T1 - 1), Minute)) return false;
      if (!TryStrToInt(Copy(TimePart, T2 + 1, Length(TimePart)), Second) || Second > 60) return false;
    } else {
      if (!TryStrToInt(Copy(TimePart, T1 + 1, Length(TimePart)), Minute)) return false;
    }
    if (Minute > 59) return false;
  }

  TDateTime D = 0, T = 0;
  if (!TryEncodeDateInt(Year, Month, Day, D)) return false;
  if (Hour < 0 || Minute < 0 || Second < 0 || Second > 59) return false;
  if (!TryEncodeTime(static_cast<Word>(Hour), static_cast<Word>(Minute), static_cast<Word>(Second), 0, T))
    return false;
  Value = D + T;
  return true;
}

TDateTime ParseDateMDY(const String& S) { return ParseDateFields(S, true); }

TDateTime ParseDateDMY(const String& S) { return ParseDateFields(S, false); }

bool LooksLikeDate(const String& S) {
  const String Sep(1, LocaleDateSeparator());
  const Integer P = Pos(Sep, S);
  if (P < 2) return false;
  return Pos(Sep, S, P + 2) > 0;
}

TDateTime IncDateParts(Word Years, Word Months, Word Days, TDateTime Date, double Increment) {
  Word Y = 0, M = 0, D = 0;
  DecodeDate(Date, Y, M, D);
  if (Days != 0 && Years == 0 && Months == 0) return Date + Days;
  if (Years != 0 && Months == 0 && Days == 0) return EncodeDate(static_cast<Word>(Y + Years), M, D);
  if (Months != 0 && Years == 0 && Days == 0) {
    Word NewMonth = static_cast<Word>(M + Months);
    if (NewMonth == 0) {
      NewMonth = 12;
      Y = static_cast<Word>(Y - 1);
    } else if (NewMonth > 12) {
      NewMonth = static_cast<Word>(NewMonth - 12);
      Y = static_cast<Word>(Y + 1);
    }
    return EncodeDate(Y, NewMonth, D);
  }
  return Date + Increment;
}

Integer LimitToRange(Integer Value, Integer Min, Integer Max) {
  if (Min == Max) return Value;
  Integer Result = (Value < Min && Min > 0) ? Min : Value;
  if (Value > Max && Max > 0) Result = Max;
  return Result;
}

Integer IntMax(Integer A, Integer B) { return A > B ? A : B; }

Integer IntMin(Integer A, Integer B) { return A < B ? A : B; }

Integer RoundInt(double X) { return static_cast<Integer>(Round(X)); }

String VersionNrText(Integer VersionNr) {
  const Cardinal v = static_cast<Cardinal>(VersionNr);
  return IntToStr(static_cast<Integer>(v >> 24)) + u"." + IntToStr(static_cast<Integer>((v >> 16) & 0xFF)) + u"." +
         IntToStr(static_cast<Integer>((v >> 8) & 0xFF)) + u"." + IntToStr(static_cast<Integer>(v & 0xFF));
}
