// The clipboard: text and custom formats registered by name.
#pragma once

#include <vector>

#include "platform/rtl/System.h"

using TClipboardFormat = Word;
constexpr TClipboardFormat CF_TEXT = 1;
constexpr TClipboardFormat CF_UNICODETEXT = 13;

// The same name always gives the same format id, from 0xC000 up.
TClipboardFormat RegisterClipboardFormat(const String& Name);
// The MIME type a format travels under between programs (the clipboard, drag and drop): text is
// "text/plain", a registered format "application/x-kp-" + its name. ClipboardFormatOfMime is the
// reverse for such a type (0 for any other type).
String ClipboardFormatMime(TClipboardFormat Format);
TClipboardFormat ClipboardFormatOfMime(const String& Mime);

class TClipboard {
 public:
  // The text on the clipboard ("" when it holds none).
  String AsText() const;
  void SetAsText(const String& Text);
  bool HasFormat(TClipboardFormat Format) const;
  // The bytes of a custom format (empty when absent).
  std::vector<Byte> GetData(TClipboardFormat Format) const;
  // Puts the bytes of a format on the clipboard, next to what Open...Close has put there.
  void SetData(TClipboardFormat Format, const std::vector<Byte>& Data);
  void Clear();
  // Between Open and Close, each SetAsText/SetData adds to one clipboard content instead of
  // replacing it.
  void Open();
  void Close();
};

// The application's clipboard.
TClipboard* Clipboard();
