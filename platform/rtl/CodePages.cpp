// Single-byte code pages through the C library's converter, cached as tables.
#include "platform/rtl/CodePages.h"

#include <iconv.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/rtl/SysUtils.h"

namespace {

// Both directions of one code page: byte -> UTF-16 unit, UTF-16 unit -> byte (0 = unmapped,
// except for the character 0 itself).
struct TCodePageTable {
  std::array<Char, 256> ToUnicode{};
  std::array<Byte, 65536> FromUnicode{};
};

// Builds the table by converting every byte once. A byte the code page leaves undefined maps to
// the character with the same number, as the system's own converters do for Windows-1252.
std::unique_ptr<TCodePageTable> BuildTable(int CodePage) {
  const std::string name = CodePage == 850 ? "IBM850" : "CP" + std::to_string(CodePage);
  iconv_t cd = iconv_open("UTF-16LE", name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  auto table = std::make_unique<TCodePageTable>();
  for (int b = 0; b < 256; ++b) {
    char in = static_cast<char>(b);
    char out[8];
    char* inp = &in;
    size_t inLeft = 1;
    char* outp = out;
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    Char unit = static_cast<Char>(b);
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<size_t>(-1) && outp - out == 2) {
      unit = static_cast<Char>(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
    }
    table->ToUnicode[b] = unit;
  }
  iconv_close(cd);
  // The reverse direction; the first byte wins when two bytes give the same character.
  for (int b = 255; b >= 0; --b) table->FromUnicode[table->ToUnicode[b]] = static_cast<Byte>(b);
  return table;
}

const TCodePageTable& Table(int CodePage) {
  static std::mutex mutex;
  static std::map<int, std::unique_ptr<TCodePageTable>> tables;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = tables.find(CodePage);
  if (it == tables.end()) {
    auto table = BuildTable(CodePage);
    if (!table) throw EConvertError(Format(u"Code page %d is not supported", CodePage));
    it = tables.emplace(CodePage, std::move(table)).first;
  }
  return *it->second;
}

}  // namespace

String AnsiToString(std::string_view Bytes, int CodePage) {
  const TCodePageTable& t = Table(CodePage);
  String out;
  out.reserve(Bytes.size());
  for (char c : Bytes) out.push_back(t.ToUnicode[static_cast<unsigned char>(c)]);
  return out;
}

std::string StringToAnsi(const String& S, int CodePage) {
  const TCodePageTable& t = Table(CodePage);
  std::string out;
  out.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    const Char c = S[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF) {
      out.push_back('?');  // a character outside the basic plane: one '?' for the pair
      ++i;
      continue;
    }
    const Byte b = t.FromUnicode[c];
    if (b == 0 && c != 0) out.push_back('?');
    else out.push_back(static_cast<char>(b));
  }
  return out;
}

bool IsValidUtf8(std::string_view Bytes) {
  size_t i = 0;
  const size_t n = Bytes.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(Bytes[i]);
    if (b0 < 0x80) {
      ++i;
      continue;
    }
    int extra;
    char32_t cp;
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
      return false;
    }
    if (i + static_cast<size_t>(extra) >= n) return false;  // cut short
    for (int k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(Bytes[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}
