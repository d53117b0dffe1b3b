// Floating-point text conversions and Format.
#include <charconv>
#include <cmath>

#include "platform/rtl/SysUtils.h"

namespace {

// A decimal form of a finite, non-negative double: Value = 0.Digits * 10^Exponent.
// Digits has exactly the requested number of significant digits ("0" and Exponent 0 for zero).
struct TDecimal {
  std::string Digits;
  int Exponent = 0;
};

// The first significant digits of a finite, positive double: enough of its exact binary value to
// see whether a cut lies exactly halfway.
TDecimal LongDecimal(double Value) {
  TDecimal d;
  char buf[80];
  const auto res = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::scientific, 39);
  const std::string s(buf, res.ptr);
  const size_t e = s.find('e');
  for (size_t i = 0; i < e; ++i)
    if (s[i] != '.') d.Digits.push_back(s[i]);
  d.Exponent = std::stoi(s.substr(e + 1)) + 1;
  return d;
}

// |Value| rounded to Count significant digits, halves away from zero (the way decimal amounts
// are rounded by hand). Count may be 0 or less: the value then rounds to 0 or to one unit of the
// place before its first digit. Digits holds Count digits ("" for zero).
TDecimal RoundedDecimal(double Value, int Count) {
  TDecimal d;
  if (Value == 0 || Count < 0) return d;
  const TDecimal full = LongDecimal(std::fabs(Value));
  d.Exponent = full.Exponent;
  if (Count >= static_cast<int>(full.Digits.size())) {
    d.Digits = full.Digits + std::string(static_cast<size_t>(Count) - full.Digits.size(), '0');
    return d;
  }
  d.Digits = full.Digits.substr(0, static_cast<size_t>(Count));
  if (full.Digits[static_cast<size_t>(Count)] >= '5') {
    int i = Count - 1;
    while (i >= 0 && d.Digits[static_cast<size_t>(i)] == '9') d.Digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++d.Digits[static_cast<size_t>(i)];
    } else {
      // 9.99 -> 10.0: one more integer digit.
      d.Digits.insert(d.Digits.begin(), '1');
      if (Count > 0) d.Digits.pop_back();
      ++d.Exponent;
    }
  }
  return d;
}

// Exactly Precision significant digits (zeros for zero).
TDecimal ToDecimal(double Value, int Precision) {
  TDecimal d = RoundedDecimal(Value, Precision);
  if (d.Digits.empty()) d.Digits = std::string(static_cast<size_t>(Precision), '0');
  return d;
}

String Ascii(const std::string& s) { return AsciiToString(s); }

bool AllZero(const std::string& s) {
  for (char c : s)
    if (c != '0') return false;
  return true;
}

// The exponent part: "E", the sign ('+' only when ForceSign), at least MinDigits digits.
String ExponentText(int Exp, int MinDigits, bool ForceSign) {
  String out = u"E";
  if (Exp < 0) out += u'-';
  else if (ForceSign) out += u'+';
  String digits = IntToStr(static_cast<Integer>(Exp < 0 ? -Exp : Exp));
  while (static_cast<int>(digits.size()) < MinDigits) digits.insert(digits.begin(), u'0');
  return out + digits;
}

// Integer and fraction digits of |Value| with Decimals decimals, at most Precision significant
// digits (the rest filled with zeros). Returns false when the value has more integer digits than
// Precision and Scientific fallback is allowed.
bool FixedParts(double Value, int Decimals, int Precision, bool AllowScientific, std::string& IntPart,
                std::string& FracPart) {
  const TDecimal probe = RoundedDecimal(Value, Precision);
  if (AllowScientific && probe.Exponent > Precision) return false;
  // One rounding, at the wanted decimal or at the last significant digit, whichever comes first.
  const int count = std::min(Precision, probe.Exponent + Decimals);
  const TDecimal d = RoundedDecimal(Value, count);
  IntPart.clear();
  FracPart.clear();
  const int n = static_cast<int>(d.Digits.size());
  for (int i = 0; i < d.Exponent; ++i) IntPart.push_back(i < n ? d.Digits[static_cast<size_t>(i)] : '0');
  if (IntPart.empty()) IntPart = "0";
  for (int i = 0; i < Decimals; ++i) {
    const int k = d.Exponent + i;  // index into the digits
    FracPart.push_back(k >= 0 && k < n ? d.Digits[static_cast<size_t>(k)] : '0');
  }
  return true;
}

String GroupThousands(const std::string& IntPart, Char Sep) {
  String out;
  const int n = static_cast<int>(IntPart.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0 && Sep != 0) out.push_back(Sep);
    out.push_back(static_cast<Char>(IntPart[i]));
  }
  return out;
}

String GeneralText(double Value, int Precision, int Digits, const TFormatSettings& Fs) {
  if (Value == 0) return u"0";
  TDecimal d = ToDecimal(std::fabs(Value), Precision);
  while (d.Digits.size() > 1 && d.Digits.back() == '0') d.Digits.pop_back();
  String out = Value < 0 ? u"-" : u"";
  const int exp = d.Exponent;
  const int n = static_cast<int>(d.Digits.size());
  if (exp > Precision || exp < -3) {
    out.push_back(static_cast<Char>(d.Digits[0]));
    if (n > 1) {
      out.push_back(Fs.DecimalSeparator);
      out += Ascii(d.Digits.substr(1));
    }
    return out + ExponentText(exp - 1, Digits, false);
  }
  if (exp <= 0) {
    out += u'0';
    out.push_back(Fs.DecimalSeparator);
    out += String(static_cast<size_t>(-exp), u'0');
    return out + Ascii(d.Digits);
  }
  for (int i = 0; i < exp; ++i) out.push_back(i < n ? static_cast<Char>(d.Digits[i]) : u'0');
  if (n > exp) {
    out.push_back(Fs.DecimalSeparator);
    out += Ascii(d.Digits.substr(static_cast<size_t>(exp)));
  }
  return out;
}

String ExponentFormText(double Value, int Precision, int Digits, const TFormatSettings& Fs) {
  const TDecimal d = ToDecimal(std::fabs(Value), Precision);
  String out = (Value < 0 && !AllZero(d.Digits)) ? u"-" : u"";
  out.push_back(static_cast<Char>(d.Digits[0]));
  if (d.Digits.size() > 1) {
    out.push_back(Fs.DecimalSeparator);
    out += Ascii(d.Digits.substr(1));
  }
  return out + ExponentText(Value == 0 ? 0 : d.Exponent - 1, Digits, true);
}

// The sixteen classic layouts of a negative amount: '-' the sign, '$' the currency, '1' the number.
const char* const kNegCurrFormats[16] = {"($1)", "-$1", "$-1", "$1-", "(1$)", "-1$", "1-$", "1$-",
                                         "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
const char* const kCurrFormats[4] = {"$1", "1$", "$ 1", "1 $"};

String ApplyCurrency(const char* Layout, const String& Number, const TFormatSettings& Fs) {
  String out;
  for (const char* p = Layout; *p; ++p) {
    if (*p == '$') out += Fs.CurrencyString;
    else if (*p == '1') out += Number;
    else out.push_back(static_cast<Char>(*p));
  }
  return out;
}

// ffFixed, ffNumber and ffCurrency. Scientific: fall back to the general format when the value has
// more integer digits than Precision (FloatToStrF); Format's %f %n %m never do.
String FixedFamilyText(double Value, TFloatFormat Format, int Precision, int Digits, bool Scientific,
                       const TFormatSettings& Fs) {
  std::string ip, fp;
  if (!FixedParts(std::fabs(Value), Digits, Precision, Scientific, ip, fp))
    return GeneralText(Value, Precision, 0, Fs);
  const bool negative = Value < 0 && !(AllZero(ip) && AllZero(fp));
  String number = Format == ffFixed ? Ascii(ip) : GroupThousands(ip, Fs.ThousandSeparator);
  if (!fp.empty()) {
    number.push_back(Fs.DecimalSeparator);
    number += Ascii(fp);
  }
  if (Format == ffCurrency) {
    return negative ? ApplyCurrency(kNegCurrFormats[Fs.NegCurrFormat & 15], number, Fs)
                    : ApplyCurrency(kCurrFormats[Fs.CurrencyFormat & 3], number, Fs);
  }
  return negative ? u"-" + number : number;
}

String SpecialText(double Value) {
  if (std::isnan(Value)) return u"NAN";
  return Value < 0 ? u"-INF" : u"INF";
}

// Whether a decimal text that is out of the double range is too large (else too small).
struct TDecimalProbe {
  bool TooLarge = false;
};

TDecimalProbe ProbeMagnitude(const std::string& Ascii) {
  // Decimal exponent of the first non-zero digit: its place in the mantissa plus the exponent.
  long place = 0;
  bool seenDigit = false, seenPoint = false;
  size_t i = 0;
  if (i < Ascii.size() && Ascii[i] == '-') ++i;
  for (; i < Ascii.size() && Ascii[i] != 'e'; ++i) {
    const char c = Ascii[i];
    if (c == '.') {
      seenPoint = true;
      continue;
    }
    if (!seenDigit && c == '0') {
      if (seenPoint) --place;
      continue;
    }
    if (!seenDigit) {
      seenDigit = true;
      if (seenPoint) --place;
    } else if (!seenPoint) {
      ++place;
    }
  }
  long exponent = 0;
  if (i < Ascii.size()) {
    const std::string e = Ascii.substr(i + 1);
    exponent = e.size() > 9 ? (e[0] == '-' ? -999999999L : 999999999L) : std::stol(e);
  }
  TDecimalProbe p;
  p.TooLarge = seenDigit && place + exponent > 0;
  return p;
}

}  // namespace

String FloatToStrF(double Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings) {
  if (!std::isfinite(Value)) return SpecialText(Value);
  if (Precision < 1) Precision = 1;
  if (Precision > 15) Precision = 15;
  switch (Format) {
    case ffGeneral:
      return GeneralText(Value, Precision, std::clamp(Digits, 0, 4), Settings);
    case ffExponent:
      return ExponentFormText(Value, Precision, std::clamp(Digits, 0, 4), Settings);
    default:
      return FixedFamilyText(Value, Format, Precision, std::clamp(Digits, 0, 18), true, Settings);
  }
}

String FloatToStrF(double Value, TFloatFormat Format, Integer Precision, Integer Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

String FloatToStr(double Value, const TFormatSettings& Settings) {
  return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
}

String FloatToStr(double Value) { return FloatToStr(Value, FormatSettings); }

bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& Settings) {
  size_t i = 0, n = S.size();
  while (i < n && S[i] == u' ') ++i;
  while (n > i && S[n - 1] == u' ') --n;
  std::string ascii;
  if (i < n && (S[i] == u'+' || S[i] == u'-')) {
    if (S[i] == u'-') ascii.push_back('-');
    ++i;
  }
  int mantissaDigits = 0;
  while (i < n && S[i] >= u'0' && S[i] <= u'9') {
    ascii.push_back(static_cast<char>(S[i++]));
    ++mantissaDigits;
  }
  if (i < n && S[i] == Settings.DecimalSeparator) {
    ascii.push_back('.');
    ++i;
    while (i < n && S[i] >= u'0' && S[i] <= u'9') {
      ascii.push_back(static_cast<char>(S[i++]));
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < n && (S[i] == u'e' || S[i] == u'E')) {
    ascii.push_back('e');
    ++i;
    if (i < n && (S[i] == u'+' || S[i] == u'-')) ascii.push_back(static_cast<char>(S[i++]));
    int expDigits = 0;
    while (i < n && S[i] >= u'0' && S[i] <= u'9') {
      ascii.push_back(static_cast<char>(S[i++]));
      ++expDigits;
    }
    if (expDigits == 0) return false;
  }
  if (i != n) return false;
  double v = 0;
  const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // An underflow towards zero is still a number (zero); an overflow is not. The sign of the
    // decimal exponent, corrected by the position of the first digit, tells them apart.
    const TDecimalProbe p = ProbeMagnitude(ascii);
    if (p.TooLarge) return false;
    Value = 0;
    return true;
  }
  if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size()) return false;
  Value = v;
  return true;
}

bool TryStrToFloat(const String& S, double& Value) { return TryStrToFloat(S, Value, FormatSettings); }

double StrToFloat(const String& S, const TFormatSettings& Settings) {
  double v;
  if (!TryStrToFloat(S, v, Settings)) throw EConvertError(u"'" + S + u"' is not a valid floating point value");
  return v;
}

double StrToFloat(const String& S) { return StrToFloat(S, FormatSettings); }

double StrToFloatDef(const String& S, double Default, const TFormatSettings& Settings) {
  double v;
  return TryStrToFloat(S, v, Settings) ? v : Default;
}

double StrToFloatDef(const String& S, double Default) { return StrToFloatDef(S, Default, FormatSettings); }

// ---------------------------------------------------------------------------------------------
// Format

namespace {

class TFormatter {
 public:
  TFormatter(const String& Fmt, const TVarRec* Args, size_t Count, const TFormatSettings& Fs)
      : FFmt(Fmt), FArgs(Args), FCount(Count), FFs(Fs) {}

  String Run() {
    String out;
    size_t i = 0;
    const size_t n = FFmt.size();
    while (i < n) {
      const Char c = FFmt[i];
      if (c != u'%') {
        out.push_back(c);
        ++i;
        continue;
      }
      ++i;
      if (i >= n) InvalidFormat();
      if (FFmt[i] == u'%') {
        out.push_back(u'%');
        ++i;
        continue;
      }
      // [index ":"] ["-"] [width] ["." precision] type
      int number = -1;
      bool haveNumber = ReadNumber(i, number);
      if (haveNumber && i < n && FFmt[i] == u':') {
        FNext = static_cast<size_t>(number);
        ++i;
        haveNumber = false;
        number = -1;
      }
      bool left = false;
      if (!haveNumber && i < n && FFmt[i] == u'-') {
        left = true;
        ++i;
      }
      int width = -1;
      if (haveNumber) width = number;
      else ReadNumber(i, width);
      int precision = -1;
      if (i < n && FFmt[i] == u'.') {
        ++i;
        if (!ReadNumber(i, precision)) precision = 0;
      }
      if (i >= n) InvalidFormat();
      const Char type = FFmt[i++];
      String text = Convert(type, precision);
      if (width > 0 && static_cast<int>(text.size()) < width) {
        const String pad(static_cast<size_t>(width) - text.size(), u' ');
        text = left ? text + pad : pad + text;
      }
      out += text;
    }
    return out;
  }

 private:
  [[noreturn]] void InvalidFormat() const {
    throw EConvertError(u"Format '" + FFmt + u"' invalid or incompatible with argument");
  }
  [[noreturn]] void MissingArgument() const { throw EConvertError(u"No argument for format '" + FFmt + u"'"); }

  const TVarRec& NextArg() {
    if (FNext >= FCount) MissingArgument();
    return FArgs[FNext++];
  }

  // Digits or '*' (an Integer argument). False when neither is there.
  bool ReadNumber(size_t& i, int& Value) {
    const size_t n = FFmt.size();
    if (i < n && FFmt[i] == u'*') {
      ++i;
      const TVarRec& a = NextArg();
      if (a.VType != TVarRec::vtInteger) InvalidFormat();
      Value = a.VInteger;
      return true;
    }
    if (i >= n || FFmt[i] < u'0' || FFmt[i] > u'9') return false;
    Int64 v = 0;
    while (i < n && FFmt[i] >= u'0' && FFmt[i] <= u'9') {
      v = v * 10 + (FFmt[i++] - u'0');
      if (v > 0xFFFFFF) InvalidFormat();  // a width no text could reach
    }
    Value = static_cast<int>(v);
    return true;
  }

  // The integer argument as a sign and magnitude; false when the argument is not an integer.
  static bool IntegerArg(const TVarRec& a, bool Unsigned, bool& Negative, UInt64& Magnitude, bool& Is64) {
    Negative = false;
    Is64 = false;
    switch (a.VType) {
      case TVarRec::vtInteger:
        if (Unsigned) {
          Magnitude = static_cast<Cardinal>(a.VInteger);
        } else {
          Negative = a.VInteger < 0;
          Magnitude = Negative ? 0 - static_cast<UInt64>(static_cast<Int64>(a.VInteger)) : static_cast<UInt64>(a.VInteger);
        }
        return true;
      case TVarRec::vtCardinal:
        Magnitude = a.VCardinal;
        return true;
      case TVarRec::vtInt64:
        Is64 = true;
        if (Unsigned) {
          Magnitude = static_cast<UInt64>(a.VInt64);
        } else {
          Negative = a.VInt64 < 0;
          Magnitude = Negative ? 0 - static_cast<UInt64>(a.VInt64) : static_cast<UInt64>(a.VInt64);
        }
        return true;
      case TVarRec::vtUInt64:
        Is64 = true;
        Magnitude = a.VUInt64;
        return true;
      default:
        return false;
    }
  }

  // Upper-case hexadecimal of the bits as they are.
  static String HexDigits(UInt64 Bits) {
    String out;
    do {
      out.insert(out.begin(), u"0123456789ABCDEF"[Bits & 0xF]);
      Bits >>= 4;
    } while (Bits != 0);
    return out;
  }

  static String ZeroPad(String Digits, int Precision) {
    if (Precision > 0 && static_cast<int>(Digits.size()) < Precision)
      Digits.insert(0, static_cast<size_t>(Precision) - Digits.size(), u'0');
    return Digits;
  }

  String Convert(Char Type, int Precision) {
    const Char t = UpCase(Type);
    const TVarRec& a = NextArg();
    switch (t) {
      case u'D':
      case u'U': {
        bool negative, is64;
        UInt64 magnitude;
        if (!IntegerArg(a, t == u'U', negative, magnitude, is64)) InvalidFormat();
        const String digits = ZeroPad(UIntToStr(magnitude), Precision);
        return negative ? u"-" + digits : digits;
      }
      case u'X': {
        UInt64 bits;
        switch (a.VType) {
          case TVarRec::vtInteger: bits = static_cast<Cardinal>(a.VInteger); break;
          case TVarRec::vtCardinal: bits = a.VCardinal; break;
          case TVarRec::vtInt64: bits = static_cast<UInt64>(a.VInt64); break;
          case TVarRec::vtUInt64: bits = a.VUInt64; break;
          default: InvalidFormat();
        }
        return ZeroPad(HexDigits(bits), Precision);
      }
      case u'E':
      case u'F':
      case u'G':
      case u'N':
      case u'M': {
        if (a.VType != TVarRec::vtExtended) InvalidFormat();
        const double v = a.VExtended;
        if (!std::isfinite(v)) return SpecialText(v);
        switch (t) {
          case u'E':
            return ExponentFormText(v, std::clamp(Precision < 0 ? 15 : Precision, 1, 15), 3, FFs);
          case u'G':
            return GeneralText(v, std::clamp(Precision < 0 ? 15 : Precision, 1, 15), 0, FFs);
          case u'M':
            return FixedFamilyText(v, ffCurrency, 15, std::clamp(Precision < 0 ? FFs.CurrencyDecimals : Precision, 0, 18),
                                   false, FFs);
          default:
            return FixedFamilyText(v, t == u'F' ? ffFixed : ffNumber, 15, std::clamp(Precision < 0 ? 2 : Precision, 0, 18),
                                   false, FFs);
        }
      }
      case u'S': {
        String s;
        if (a.VType == TVarRec::vtString) s = String(a.VString);
        else if (a.VType == TVarRec::vtChar) s = String(1, a.VChar);
        else InvalidFormat();
        if (Precision >= 0 && static_cast<int>(s.size()) > Precision) s.resize(static_cast<size_t>(Precision));
        return s;
      }
      case u'P': {
        if (a.VType != TVarRec::vtPointer) InvalidFormat();
        return ZeroPad(HexDigits(reinterpret_cast<uintptr_t>(a.VPointer)), 16);
      }
      default:
        InvalidFormat();
    }
  }

  const String& FFmt;
  const TVarRec* FArgs;
  size_t FCount;
  const TFormatSettings& FFs;
  size_t FNext = 0;
};

}  // namespace

String FormatV(const String& Fmt, const TVarRec* Args, size_t Count, const TFormatSettings& Settings) {
  return TFormatter(Fmt, Args, Count, Settings).Run();
}
