#include "platform/rtl/System.h"

#include <cmath>

namespace {

// Appends the UTF-16 form of one code point.
void AppendCodePoint(String& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<Char>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<Char>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<Char>(0xDC00 + (cp & 0x3FF)));
  }
}

}  // namespace

String Utf8ToString(std::string_view utf8) {
  String out;
  out.reserve(utf8.size());
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    if (b0 < 0x80) {
      // A run of ASCII goes over in one step.
      size_t j = i + 1;
      while (j < n && static_cast<unsigned char>(utf8[j]) < 0x80) ++j;
      const size_t at = out.size();
      out.resize(at + (j - i));
      for (size_t k = i; k < j; ++k) out[at + (k - i)] = static_cast<Char>(utf8[k]);
      i = j;
      continue;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
      extra = 1;
      cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
      extra = 2;
      cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
      extra = 3;
      cp = b0 & 0x07;
    } else {
      out.push_back(0xFFFD);  // a stray continuation or an invalid lead byte
      ++i;
      continue;
    }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= n) {
        ok = false;
        break;
      }
      const auto b = static_cast<unsigned char>(utf8[i + k]);
      if ((b & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (b & 0x3F);
    }
    static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (!ok || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    AppendCodePoint(out, cp);
    i += extra + 1;
  }
  return out;
}

std::string StringToUtf8(const String& s) {
  std::string out;
  // The leading run of ASCII, the bulk of most texts, is found eight units at a time and copied
  // as it is.
  const char16_t* p = s.data();
  const size_t n = s.size();
  size_t ascii = 0;
  while (ascii + 8 <= n) {
    char16_t bits = 0;
    for (size_t k = 0; k < 8; ++k) bits |= p[ascii + k];
    if (bits >= 0x80) break;
    ascii += 8;
  }
  while (ascii < n && p[ascii] < 0x80) ++ascii;
  out.resize(ascii);
  char* o = out.data();
  for (size_t i = 0; i < ascii; ++i) o[i] = static_cast<char>(p[i]);
  if (ascii == s.size()) return out;
  out.reserve(s.size() + (s.size() - ascii) * 2);
  for (size_t i = ascii; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

String AsciiToString(std::string_view ascii) {
  String out;
  out.reserve(ascii.size());
  for (char c : ascii) out.push_back(static_cast<unsigned char>(c));
  return out;
}

Integer Pos(const String& Sub, const String& S, Integer Offset) {
  if (Sub.empty() || Offset < 1 || Offset > Length(S)) return 0;
  const auto at = S.find(Sub, static_cast<size_t>(Offset - 1));
  return at == String::npos ? 0 : static_cast<Integer>(at) + 1;
}

String Copy(const String& S, Integer Index, Integer Count) {
  if (Index < 1) Index = 1;
  if (Count <= 0 || Index > Length(S)) return String();
  return S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

void Delete(String& S, Integer Index, Integer Count) {
  if (Index < 1 || Index > Length(S) || Count <= 0) return;
  S.erase(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

void Insert(const String& Source, String& S, Integer Index) {
  if (Index < 1) Index = 1;
  if (Index > Length(S) + 1) Index = Length(S) + 1;
  S.insert(static_cast<size_t>(Index - 1), Source);
}

String StringOfChar(Char C, Integer Count) {
  return Count > 0 ? String(static_cast<size_t>(Count), C) : String();
}

Char UpCase(Char C) { return (C >= u'a' && C <= u'z') ? static_cast<Char>(C - 32) : C; }

namespace {

// Converts a double that is already integral to Int64; out of range or NaN gives the smallest
// Int64, like the processor's own conversion.
Int64 ToInt64(double X) {
  if (!(X >= -9223372036854775808.0 && X < 9223372036854775808.0)) return INT64_MIN;
  return static_cast<Int64>(X);
}

}  // namespace

Int64 Round(double X) {
  // Ties to even, independent of the current rounding mode.
  double r = std::floor(X);
  const double diff = X - r;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
  return ToInt64(r);
}

Int64 Trunc(double X) { return ToInt64(std::trunc(X)); }

double Frac(double X) { return X - std::trunc(X); }

double Int(double X) { return std::trunc(X); }

Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator) {
  if (Denominator == 0) return -1;
  const Int64 product = static_cast<Int64>(Number) * Numerator;
  const bool negative = (product < 0) != (Denominator < 0);
  const UInt64 p = product < 0 ? static_cast<UInt64>(-product) : static_cast<UInt64>(product);
  const UInt64 d = Denominator < 0 ? static_cast<UInt64>(-static_cast<Int64>(Denominator)) : static_cast<UInt64>(Denominator);
  const UInt64 q = (p + d / 2) / d;  // half away from zero
  const Int64 result = negative ? -static_cast<Int64>(q) : static_cast<Int64>(q);
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<Integer>(result);
}
