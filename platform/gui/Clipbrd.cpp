#include "platform/gui/Clipbrd.h"

#include <map>
#include <optional>

#include "platform/gui/ClipbrdBackend.h"

namespace {

std::map<String, TClipboardFormat>& Names() {
  static std::map<String, TClipboardFormat> m;
  return m;
}
TClipboardFormat gNext = 0xC000;

const String kMimePrefix = u"application/x-kp-";

String MimeOf(TClipboardFormat f) {
  if (f == CF_TEXT || f == CF_UNICODETEXT) return u"text/plain";
  for (auto& [name, id] : Names())
    if (id == f) return kMimePrefix + name;
  return kMimePrefix + u"format-" + Utf8ToString(std::to_string(f));
}

// Content gathered between Open and Close.
int gOpen = 0;
std::vector<std::pair<String, std::vector<Byte>>> gPending;
std::optional<String> gPendingText;

void Flush() {
  ClipbrdBackend::SetContent(gPending, gPendingText ? &*gPendingText : nullptr);
}

}  // namespace

TClipboardFormat RegisterClipboardFormat(const String& Name) {
  auto it = Names().find(Name);
  if (it != Names().end()) return it->second;
  TClipboardFormat id = gNext++;
  Names()[Name] = id;
  return id;
}

String ClipboardFormatMime(TClipboardFormat Format) { return MimeOf(Format); }

TClipboardFormat ClipboardFormatOfMime(const String& Mime) {
  if (Mime.compare(0, kMimePrefix.size(), kMimePrefix) != 0) return 0;
  const String Name = Mime.substr(kMimePrefix.size());
  return Name.empty() ? 0 : RegisterClipboardFormat(Name);
}

String TClipboard::AsText() const { return ClipbrdBackend::Text(); }

void TClipboard::SetAsText(const String& Text) {
  if (gOpen) {
    gPendingText = Text;
    return;
  }
  gPending.clear();
  gPendingText = Text;
  Flush();
  gPendingText.reset();
}

bool TClipboard::HasFormat(TClipboardFormat Format) const { return ClipbrdBackend::HasFormat(MimeOf(Format)); }

std::vector<Byte> TClipboard::GetData(TClipboardFormat Format) const {
  return ClipbrdBackend::Data(MimeOf(Format));
}

void TClipboard::SetData(TClipboardFormat Format, const std::vector<Byte>& Data) {
  if (Format == CF_TEXT || Format == CF_UNICODETEXT) {
    SetAsText(Utf8ToString(std::string(Data.begin(), Data.end())));
    return;
  }
  if (gOpen) {
    gPending.emplace_back(MimeOf(Format), Data);
    return;
  }
  gPending.clear();
  gPending.emplace_back(MimeOf(Format), Data);
  gPendingText.reset();
  Flush();
  gPending.clear();
}

void TClipboard::Clear() {
  gPending.clear();
  gPendingText.reset();
  ClipbrdBackend::Clear();
}

void TClipboard::Open() {
  if (gOpen++ == 0) {
    gPending.clear();
    gPendingText.reset();
  }
}

void TClipboard::Close() {
  if (gOpen == 0) return;
  if (--gOpen == 0) {
    Flush();
    gPending.clear();
    gPendingText.reset();
  }
}

TClipboard* Clipboard() {
  static TClipboard c;
  return &c;
}
