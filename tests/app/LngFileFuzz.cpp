// Fuzz entry point of the language file reader: the bytes are decoded as a language file is
// (byte order mark, else ANSI) and every line is overlaid onto a full text table, which must keep
// its 2100 entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/ULanguage.h"
#include "platform/rtl/Classes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TStringList* table = [] {
    static TStringList sl;
    Load_Default_Texts(sl);
    return &sl;
  }();
  TStringStream stream(std::string_view(reinterpret_cast<const char*>(data), size));
  TStringList lines;
  lines.LoadFromStream(&stream);
  for (Integer i = 0; i < lines.Count(); ++i) {
    Integer id = 0;
    String text;
    if (Parse_Lng_Line(lines.Get(i), Text_Count_Built_In, id, text)) table->Put(id, text);
  }
  if (table->Count() != Text_Count_Built_In) std::abort();
  return 0;
}
