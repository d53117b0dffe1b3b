// Fuzz entry point for the runtime library's readers of outside text: file bytes with or without a
// byte-order mark, line splitting, delimited text, INI contents, number, date and Format parsing.
// Every input must either convert or raise the library's own exceptions.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePages.h"
#include "platform/rtl/IniFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TEncoding encoding;
  const String text = TextFromBytes(bytes, encoding);
  (void)IsValidUtf8(bytes);
  (void)OemToString(bytes);

  TStringList lines;
  lines.SetText(text);
  TStringList items;
  items.SetCommaText(text);
  items.SetCommaText(items.CommaText());
  items.SetStrictDelimiter(true);
  items.SetDelimiter(u';');
  items.SetDelimitedText(text);

  TMemIniFile ini{String()};
  ini.SetStrings(&lines);
  TStringList out;
  ini.GetStrings(&out);
  ini.ReadSections(&out);

  Int64 i64;
  (void)TryStrToInt64(text, i64);
  double d;
  (void)TryStrToFloat(text, d);
  TDateTime dt;
  (void)TryStrToDateTime(text, dt);
  (void)FormatDateTime(text, 45356.5);
  try {
    (void)Format(text, 1, u"s", 2.5, Int64(-3));
  } catch (const EConvertError&) {
  }
  return 0;
}
