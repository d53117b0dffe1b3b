#include "platform/rtl/System.h"

#include <cmath>
#include <cstdint>
#include <cstring>

String Utf8ToString(std::string_view utf8) {
  const size_t n = utf8.size();
  // No byte gives more than one UTF-16 unit (a four-byte sequence gives two), so the text is
  // written straight into room for n units and cut to its length at the end.
  String out(n, u'\0');
  Char* const begin = out.data();
  Char* d = begin;
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  size_t i = 0;
  while (i < n) {
    // ASCII goes over eight bytes at a time while none has its top bit set.
    uint64_t word;
    while (n - i >= 8 && (std::memcpy(&word, s + i, 8), (word & 0x8080808080808080ull) == 0)) {
      for (int k = 0; k < 8; ++k) d[k] = s[i + k];
      d += 8;
      i += 8;
    }
    if (i >= n) break;
    const unsigned char b0 = s[i];
    if (b0 < 0x80) {
      *d++ = b0;
      ++i;
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
      *d++ = 0xFFFD;  // a stray continuation or an invalid lead byte
      ++i;
      continue;
    }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= n || (s[i + k] & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (!ok || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      *d++ = 0xFFFD;
      ++i;
      continue;
    }
    if (cp < 0x10000) {
      *d++ = static_cast<Char>(cp);
    } else {
      cp -= 0x10000;
      *d++ = static_cast<Char>(0xD800 + (cp >> 10));
      *d++ = static_cast<Char>(0xDC00 + (cp & 0x3FF));
    }
    i += extra + 1;
  }
  out.resize(static_cast<size_t>(d - begin));
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
