// Integer and Boolean conversions and the text routines.
#include "platform/rtl/SysUtils.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>

TFormatSettings FormatSettings;

// ---------------------------------------------------------------------------------------------
// Integers

String UIntToStr(UInt64 Value) {
  char16_t buf[24];
  int n = 0;
  do {
    buf[n++] = static_cast<char16_t>(u'0' + Value % 10);
    Value /= 10;
  } while (Value != 0);
  String out;
  out.reserve(n);
  while (n > 0) out.push_back(buf[--n]);
  return out;
}

String IntToStr(Int64 Value) {
  if (Value < 0) return u"-" + UIntToStr(0 - static_cast<UInt64>(Value));
  return UIntToStr(static_cast<UInt64>(Value));
}

String IntToStr(Integer Value) { return IntToStr(static_cast<Int64>(Value)); }

String IntToHex(Int64 Value, Integer Digits) {
  UInt64 v = static_cast<UInt64>(Value);
  if (Value < 0 && Value >= INT32_MIN) v &= 0xFFFFFFFFu;  // negative Integer: 32-bit two's complement
  static const char16_t kHex[] = u"0123456789ABCDEF";
  String out;
  do {
    out.push_back(kHex[v & 0xF]);
    v >>= 4;
  } while (v != 0);
  while (static_cast<Integer>(out.size()) < Digits) out.push_back(u'0');
  std::reverse(out.begin(), out.end());
  return out;
}

namespace {

// The classic integer text rules. Bits is 32 or 64. Hexadecimal text may use the full unsigned
// width of the type and is taken as its bit pattern; decimal text must fit the signed range.
// Without AllowHex only the decimal form is taken.
bool ParseInteger(const String& S, int Bits, Int64& Out, bool AllowHex = true) {
  size_t i = 0;
  const size_t n = S.size();
  while (i < n && S[i] == u' ') ++i;
  bool negative = false;
  if (i < n && (S[i] == u'-' || S[i] == u'+')) {
    negative = S[i] == u'-';
    ++i;
  }
  bool hex = false;
  if (AllowHex) {
    if (i < n && S[i] == u'$') {
      hex = true;
      ++i;
    } else if (i < n && (S[i] == u'x' || S[i] == u'X')) {
      hex = true;
      ++i;
    } else if (i + 1 < n && S[i] == u'0' && (S[i + 1] == u'x' || S[i + 1] == u'X')) {
      hex = true;
      i += 2;
    }
  }
  if (i >= n) return false;  // no digits at all
  const UInt64 unsignedMax = Bits == 32 ? 0xFFFFFFFFull : ~0ull;
  UInt64 value = 0;
  for (; i < n; ++i) {
    const Char c = S[i];
    unsigned digit;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (hex && c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (hex && c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else {
      return false;  // a bad character, trailing blanks included
    }
    const unsigned base = hex ? 16 : 10;
    if (value > (unsignedMax - digit) / base) return false;  // overflow
    value = value * base + digit;
  }
  if (hex) {
    // The bit pattern of the type, then the sign.
    Int64 v = Bits == 32 ? static_cast<Int64>(static_cast<Integer>(static_cast<Cardinal>(value)))
                         : static_cast<Int64>(value);
    if (negative) v = static_cast<Int64>(0 - static_cast<UInt64>(v));
    if (Bits == 32) v = static_cast<Integer>(static_cast<Cardinal>(v));
    Out = v;
    return true;
  }
  const UInt64 limit = Bits == 32 ? (negative ? 0x80000000ull : 0x7FFFFFFFull)
                                  : (negative ? 0x8000000000000000ull : 0x7FFFFFFFFFFFFFFFull);
  if (value > limit) return false;
  Out = negative ? static_cast<Int64>(0 - value) : static_cast<Int64>(value);
  return true;
}

[[noreturn]] void RaiseInvalidInteger(const String& S) {
  throw EConvertError(u"'" + S + u"' is not a valid integer value");
}

}  // namespace

bool TryStrToInt(const String& S, Integer& Value) {
  Int64 v;
  if (!ParseInteger(S, 32, v)) return false;
  Value = static_cast<Integer>(v);
  return true;
}

Integer StrToInt(const String& S) {
  Integer v;
  if (!TryStrToInt(S, v)) RaiseInvalidInteger(S);
  return v;
}

Integer StrToIntDef(const String& S, Integer Default) {
  Integer v;
  return TryStrToInt(S, v) ? v : Default;
}

bool TryDecStrToInt(const String& S, Integer& Value) {
  Int64 v;
  if (!ParseInteger(S, 32, v, false)) return false;
  Value = static_cast<Integer>(v);
  return true;
}

Integer DecStrToIntDef(const String& S, Integer Default) {
  Integer v;
  return TryDecStrToInt(S, v) ? v : Default;
}

bool TryStrToInt64(const String& S, Int64& Value) {
  Int64 v;
  if (!ParseInteger(S, 64, v)) return false;
  Value = v;
  return true;
}

Int64 StrToInt64(const String& S) {
  Int64 v;
  if (!TryStrToInt64(S, v)) RaiseInvalidInteger(S);
  return v;
}

Int64 StrToInt64Def(const String& S, Int64 Default) {
  Int64 v;
  return TryStrToInt64(S, v) ? v : Default;
}

// ---------------------------------------------------------------------------------------------
// Booleans

String BoolToStr(bool B, bool UseBoolStrs) {
  if (UseBoolStrs) return B ? u"True" : u"False";
  return B ? u"-1" : u"0";
}

bool TryStrToBool(const String& S, bool& Value) {
  const String t = Trim(S);
  if (SameText(t, u"True")) {
    Value = true;
    return true;
  }
  if (SameText(t, u"False")) {
    Value = false;
    return true;
  }
  Int64 n;
  if (TryStrToInt64(S, n)) {
    Value = n != 0;
    return true;
  }
  double d;
  if (TryStrToFloat(S, d)) {
    Value = d != 0;
    return true;
  }
  return false;
}

bool StrToBool(const String& S) {
  bool b;
  if (!TryStrToBool(S, b)) throw EConvertError(u"'" + S + u"' is not a valid boolean value");
  return b;
}

bool StrToBoolDef(const String& S, bool Default) {
  bool b;
  return TryStrToBool(S, b) ? b : Default;
}

// ---------------------------------------------------------------------------------------------
// Text routines

String Trim(const String& S) {
  size_t b = 0, e = S.size();
  while (b < e && S[b] <= u' ') ++b;
  while (e > b && S[e - 1] <= u' ') --e;
  return S.substr(b, e - b);
}

String TrimLeft(const String& S) {
  size_t b = 0;
  while (b < S.size() && S[b] <= u' ') ++b;
  return S.substr(b);
}

String TrimRight(const String& S) {
  size_t e = S.size();
  while (e > 0 && S[e - 1] <= u' ') --e;
  return S.substr(0, e);
}

namespace {

Char AsciiLower(Char c) { return (c >= u'A' && c <= u'Z') ? static_cast<Char>(c + 32) : c; }

// The Unicode case mapping of the C library's UTF-8 locale, created once. When that locale is
// missing only ASCII letters change case.
locale_t CaseLocale() {
  static locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!l) l = newlocale(LC_CTYPE_MASK, "en_US.UTF-8", static_cast<locale_t>(nullptr));
    return l;
  }();
  return loc;
}

Char UnicodeUpper(Char c) {
  if (c < 0x80) return UpCase(c);
  if (c >= 0xD800 && c <= 0xDFFF) return c;  // surrogate halves have no case
  locale_t loc = CaseLocale();
  if (!loc) return c;
  const wint_t u = towupper_l(c, loc);
  return u <= 0xFFFF ? static_cast<Char>(u) : c;
}

Char UnicodeLower(Char c) {
  if (c < 0x80) return AsciiLower(c);
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  locale_t loc = CaseLocale();
  if (!loc) return c;
  const wint_t u = towlower_l(c, loc);
  return u <= 0xFFFF ? static_cast<Char>(u) : c;
}

}  // namespace

String UpperCase(const String& S) {
  String out = S;
  for (auto& c : out) c = UpCase(c);
  return out;
}

String LowerCase(const String& S) {
  String out = S;
  for (auto& c : out) c = AsciiLower(c);
  return out;
}

String AnsiUpperCase(const String& S) {
  String out = S;
  for (auto& c : out) c = UnicodeUpper(c);
  return out;
}

Char AnsiUpperChar(Char C) { return UnicodeUpper(C); }

String AnsiLowerCase(const String& S) {
  String out = S;
  for (auto& c : out) c = UnicodeLower(c);
  return out;
}

namespace {

template <typename Fold>
Integer CompareFolded(const String& S1, const String& S2, Fold fold) {
  const size_t n = std::min(S1.size(), S2.size());
  for (size_t i = 0; i < n; ++i) {
    const Char a = fold(S1[i]);
    const Char b = fold(S2[i]);
    if (a != b) return static_cast<Integer>(a) - static_cast<Integer>(b);
  }
  return static_cast<Integer>(S1.size()) - static_cast<Integer>(S2.size());
}

}  // namespace

Integer CompareStr(const String& S1, const String& S2) {
  return CompareFolded(S1, S2, [](Char c) { return c; });
}

Integer CompareText(const String& S1, const String& S2) { return CompareFolded(S1, S2, UpCase); }

bool SameStr(const String& S1, const String& S2) { return S1 == S2; }

bool SameText(const String& S1, const String& S2) {
  return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

Integer AnsiCompareText(const String& S1, const String& S2) { return CompareFolded(S1, S2, UnicodeLower); }

Integer AnsiCompareStr(const String& S1, const String& S2) {
  // Letters order by their case-folded form first, so "a" < "B" < "c"; only texts that differ
  // in case alone order by their code units.
  const Integer r = AnsiCompareText(S1, S2);
  return r != 0 ? r : CompareStr(S1, S2);
}

bool AnsiSameText(const String& S1, const String& S2) {
  return S1.size() == S2.size() && AnsiCompareText(S1, S2) == 0;
}

Integer AnsiPos(const String& Sub, const String& S) { return Pos(Sub, S); }

bool StartsText(const String& SubText, const String& Text) {
  return SubText.size() <= Text.size() && AnsiSameText(SubText, Text.substr(0, SubText.size()));
}

bool EndsText(const String& SubText, const String& Text) {
  return SubText.size() <= Text.size() && AnsiSameText(SubText, Text.substr(Text.size() - SubText.size()));
}

String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, TReplaceFlags Flags) {
  if (OldPattern.empty()) return S;
  const bool ignoreCase = (Flags & rfIgnoreCase) != 0;
  const String hay = ignoreCase ? AnsiUpperCase(S) : S;
  const String needle = ignoreCase ? AnsiUpperCase(OldPattern) : OldPattern;
  String out;
  size_t from = 0;
  while (true) {
    const size_t at = hay.find(needle, from);
    if (at == String::npos) break;
    out.append(S, from, at - from);
    out += NewPattern;
    from = at + needle.size();
    if ((Flags & rfReplaceAll) == 0) break;
  }
  out.append(S, from, String::npos);
  return out;
}

String AnsiQuotedStr(const String& S, Char Quote) {
  String out;
  out.reserve(S.size() + 2);
  out.push_back(Quote);
  for (Char c : S) {
    out.push_back(c);
    if (c == Quote) out.push_back(c);
  }
  out.push_back(Quote);
  return out;
}

String QuotedStr(const String& S) { return AnsiQuotedStr(S, u'\''); }

String AnsiDequotedStr(const String& S, Char Quote) {
  if (S.empty() || S[0] != Quote) return S;
  String out;
  size_t i = 1;
  while (i < S.size()) {
    if (S[i] == Quote) {
      if (i + 1 < S.size() && S[i + 1] == Quote) {
        out.push_back(Quote);
        i += 2;
        continue;
      }
      return out;  // the closing quote; anything after it is dropped
    }
    out.push_back(S[i++]);
  }
  return out;  // no closing quote: the rest of the text
}

bool IsDelimiter(const String& Delimiters, const String& S, Integer Index) {
  if (Index < 1 || Index > Length(S)) return false;
  return Delimiters.find(S[Index - 1]) != String::npos;
}

Integer LastDelimiter(const String& Delimiters, const String& S) {
  const size_t at = S.find_last_of(Delimiters);
  return at == String::npos ? 0 : static_cast<Integer>(at) + 1;
}
