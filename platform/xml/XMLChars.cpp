#include "platform/xml/XMLChars.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/rtl/SysUtils.h"

bool IsXmlChar(char32_t C) {
  if (C < 0x20) return C == 0x09 || C == 0x0A || C == 0x0D;
  if (C <= 0xD7FF) return true;
  if (C < 0xE000) return false;  // surrogates
  if (C <= 0xFFFD) return true;
  return C >= 0x10000 && C <= 0x10FFFF;
}

String XmlCharsOnly(const String& S) {
  String out;
  out.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    const Char c = S[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF) {
        out += c;
        out += S[++i];
      }
      continue;
    }
    if (IsXmlChar(c)) out += c;
  }
  return out;
}

namespace {

// The length of the UTF-8 character at the start of S and its code point; 0 when the bytes there
// are no UTF-8 character (stray continuation byte, overlong form, surrogate, cut sequence).
size_t Utf8Char(std::string_view S, char32_t& C) {
  const auto b0 = static_cast<unsigned char>(S[0]);
  if (b0 < 0x80) {
    C = b0;
    return 1;
  }
  size_t n = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    n = 2;
    C = b0 & 0x1F;
    min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3;
    C = b0 & 0x0F;
    min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4;
    C = b0 & 0x07;
    min = 0x10000;
  } else {
    return 0;
  }
  if (S.size() < n) return 0;
  for (size_t i = 1; i < n; ++i) {
    const auto b = static_cast<unsigned char>(S[i]);
    if ((b & 0xC0) != 0x80) return 0;
    C = (C << 6) | (b & 0x3F);
  }
  if (C < min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

std::string XmlCharsOnlyUtf8(std::string_view S) {
  std::string out;
  out.reserve(S.size());
  while (!S.empty()) {
    char32_t c = 0;
    const size_t n = Utf8Char(S, c);
    if (n == 0) {
      S.remove_prefix(1);
      continue;
    }
    if (IsXmlChar(c)) out.append(S.data(), n);
    S.remove_prefix(n);
  }
  return out;
}

size_t PlainXmlAsciiPrefix(std::string_view S) {
  const char* const begin = S.data();
  const char* const end = begin + S.size();
  const char* p = begin;
#if defined(__SSE2__)
  const __m128i space = _mm_set1_epi8(0x20);
  const __m128i tab = _mm_set1_epi8(0x09);
  const __m128i lineFeed = _mm_set1_epi8(0x0A);
  const __m128i carriageReturn = _mm_set1_epi8(0x0D);
  for (; end - p >= 16; p += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // Compared as signed bytes, those from 0x80 on are below zero: one comparison finds them and the
    // control characters alike.
    const __m128i below = _mm_cmplt_epi8(v, space);
    const __m128i allowed = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, tab), _mm_cmpeq_epi8(v, lineFeed)),
                                         _mm_cmpeq_epi8(v, carriageReturn));
    const auto stop = static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(allowed, below)));
    if (stop != 0) return static_cast<size_t>(p - begin) + static_cast<size_t>(std::countr_zero(stop));
  }
#endif
  for (; p < end; ++p) {
    const auto b = static_cast<unsigned char>(*p);
    if (b >= 0x80 || (b < 0x20 && b != 0x09 && b != 0x0A && b != 0x0D)) break;
  }
  return static_cast<size_t>(p - begin);
}

size_t FindNonXmlCharUtf8(std::string_view S) {
  size_t at = 0;
  for (;;) {
    at += PlainXmlAsciiPrefix(S.substr(at));
    if (at == S.size()) return std::string_view::npos;
    char32_t c = 0;
    const size_t n = Utf8Char(S.substr(at), c);
    if (n == 0 || !IsXmlChar(c)) return at;
    at += n;
  }
}

namespace {

enum class TXmlEncoding { None, Utf8, Latin1, Windows1252, Ascii };

TXmlEncoding EncodingNamed(const String& Name) {
  const String n = LowerCase(Trim(Name));
  if (n == u"utf-8" || n == u"utf8") return TXmlEncoding::Utf8;
  if (n == u"iso-8859-1" || n == u"iso_8859-1" || n == u"latin1" || n == u"latin-1" || n == u"l1")
    return TXmlEncoding::Latin1;
  if (n == u"windows-1252" || n == u"cp1252") return TXmlEncoding::Windows1252;
  if (n == u"us-ascii" || n == u"ascii") return TXmlEncoding::Ascii;
  return TXmlEncoding::None;
}

// The byte of a character in Windows-1252, or -1 when the code page has none for it.
int Windows1252Byte(char32_t C) {
  if (C < 0x80 || (C >= 0xA0 && C <= 0xFF)) return static_cast<int>(C);
  static const char16_t High[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  for (int i = 0; i < 32; ++i) {
    if (High[i] != 0 && High[i] == C) return 0x80 + i;
  }
  return -1;
}

}  // namespace

bool XmlTextToBytes(const String& Text, const String& Encoding, std::string& Bytes) {
  const TXmlEncoding E = EncodingNamed(Encoding);
  if (E == TXmlEncoding::None) return false;
  const String T = XmlCharsOnly(Text);
  if (E == TXmlEncoding::Utf8) {
    Bytes = StringToUtf8(T);
    return true;
  }
  std::string out;
  out.reserve(T.size());
  for (size_t i = 0; i < T.size(); ++i) {
    char32_t c = T[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < T.size()) c = 0x10000 + ((c - 0xD800) << 10) + (T[++i] - 0xDC00);
    int b = -1;
    switch (E) {
      case TXmlEncoding::Latin1: b = c <= 0xFF ? static_cast<int>(c) : -1; break;
      case TXmlEncoding::Ascii: b = c < 0x80 ? static_cast<int>(c) : -1; break;
      default: b = Windows1252Byte(c); break;
    }
    if (b >= 0) {
      out.push_back(static_cast<char>(b));
    } else {
      out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
    }
  }
  Bytes = std::move(out);
  return true;
}
