// Loading and saving documents: the input encodings, the well-formedness checks the parser leaves
// out, and the saved form.
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/rtl/CodePages.h"
#include "platform/xml/XMLChars.h"
#include "platform/xml/XMLDoc.h"
#include "platform/xml/XMLDocImpl.h"

namespace xmldoc {

namespace {

String Quoted(const String& s) { return u"\"" + s + u"\""; }

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// The UTF-8 form of every byte of a single-byte code page, worked out once per code page.
struct TUtf8Table {
  char Bytes[256][4];
  unsigned char Size[256];
};

// The number ISO-8859-1 goes by among the code pages.
constexpr Integer Latin1CodePage = 28591;

TUtf8Table MakeUtf8Table(Integer codePage) {
  String chars;
  if (codePage == Latin1CodePage) {
    for (int b = 0; b < 256; ++b) chars += static_cast<Char>(b);  // each byte is that character
  } else {
    std::string all(256, '\0');
    for (int b = 0; b < 256; ++b) all[static_cast<size_t>(b)] = static_cast<char>(b);
    chars = AnsiToString(all, codePage);
  }
  TUtf8Table t{};
  for (int b = 0; b < 256; ++b) {
    const std::string utf8 = StringToUtf8(String(1, chars[static_cast<size_t>(b)]));
    std::memcpy(t.Bytes[b], utf8.data(), utf8.size());
    t.Size[b] = static_cast<unsigned char>(utf8.size());
  }
  return t;
}

const TUtf8Table& Utf8TableFor(Integer codePage) {
  if (codePage == 850) {
    static const TUtf8Table table = MakeUtf8Table(850);
    return table;
  }
  if (codePage == Latin1CodePage) {
    static const TUtf8Table table = MakeUtf8Table(Latin1CodePage);
    return table;
  }
  static const TUtf8Table table = MakeUtf8Table(1252);
  return table;
}

// Converts bytes of a single-byte code page (850, 1252 or ISO-8859-1) to UTF-8 in one pass: runs of
// plain ASCII are copied as they are, every other byte is looked up. Sets nonXmlAt to the offset in
// the result of the first control character XML cannot carry (npos when there is none); the bytes
// from 0x80 on are all characters XML carries in these code pages.
std::string CodePageToUtf8(std::string_view bytes, Integer codePage, size_t& nonXmlAt) {
  const TUtf8Table& table = Utf8TableFor(codePage);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8 + 16);
  nonXmlAt = std::string_view::npos;
  while (!bytes.empty()) {
    const size_t run = PlainXmlAsciiPrefix(bytes);
    out.append(bytes.data(), run);
    if (run == bytes.size()) break;
    const auto b = static_cast<unsigned char>(bytes[run]);
    if (b < 0x80) {
      if (nonXmlAt == std::string_view::npos) nonXmlAt = out.size();
      out += static_cast<char>(b);
    } else {
      out.append(table.Bytes[b], table.Size[b]);
    }
    bytes.remove_prefix(run + 1);
  }
  return out;
}

// The value of encoding="..." in an XML declaration at the start of the bytes; empty when there
// is no declaration or it names no encoding.
std::string DeclaredEncoding(const std::string& bytes, size_t start) {
  if (bytes.compare(start, 5, "<?xml") != 0) return "";
  const size_t end = bytes.find("?>", start);
  if (end == std::string::npos) return "";
  const std::string decl = bytes.substr(start, end - start);
  size_t p = decl.find("encoding");
  if (p == std::string::npos) return "";
  p += 8;
  while (p < decl.size() && (decl[p] == ' ' || decl[p] == '\t' || decl[p] == '\r' || decl[p] == '\n')) ++p;
  if (p >= decl.size() || decl[p] != '=') return "";
  ++p;
  while (p < decl.size() && (decl[p] == ' ' || decl[p] == '\t' || decl[p] == '\r' || decl[p] == '\n')) ++p;
  if (p >= decl.size() || (decl[p] != '"' && decl[p] != '\'')) return "";
  const char quote = decl[p++];
  const size_t close = decl.find(quote, p);
  if (close == std::string::npos) return "";
  return Lower(decl.substr(p, close - p));
}

// UTF-16 text in either byte order (after its byte order mark, or starting "<?") as UTF-8. Raises
// for an unpaired surrogate or a cut last unit.
std::string Utf16ToUtf8(std::string_view b, const String& what) {
  const auto byte = [&b](size_t i) { return static_cast<unsigned char>(b[i]); };
  const bool mark = (byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF);
  const bool bigEndian = byte(0) == 0xFE || byte(0) == 0;
  const size_t start = mark ? 2 : 0;
  if ((b.size() - start) % 2 != 0) Fail(what + u" is not valid UTF-16 text");
  String units((b.size() - start) / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    const size_t at = start + 2 * i;
    units[i] = static_cast<Char>(bigEndian ? byte(at) << 8 | byte(at + 1) : byte(at + 1) << 8 | byte(at));
  }
  for (size_t i = 0; i < units.size(); ++i) {
    const Char c = units[i];
    if (c < 0xD800 || c > 0xDFFF) continue;
    if (c > 0xDBFF || i + 1 == units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) {
      Fail(what + u" is not valid UTF-16 text");
    }
    ++i;
  }
  return StringToUtf8(units);
}

bool LooksUtf16(const std::string& b) {
  if (b.size() >= 2) {
    const auto c0 = static_cast<unsigned char>(b[0]);
    const auto c1 = static_cast<unsigned char>(b[1]);
    if ((c0 == 0xFF && c1 == 0xFE) || (c0 == 0xFE && c1 == 0xFF)) return true;
  }
  // "<?" without a byte order mark, in either byte order.
  return b.size() >= 4 && ((b[0] == '<' && b[1] == 0 && b[2] == '?' && b[3] == 0) ||
                           (b[0] == 0 && b[1] == '<' && b[2] == 0 && b[3] == '?'));
}

}  // namespace

TDecoded DecodeInput(const std::string& bytes, Integer fallbackCodePage, const String& what) {
  TDecoded result;
  if (LooksUtf16(bytes)) {
    result.Converted = Utf16ToUtf8(bytes, what);
    result.UsesConverted = true;
    result.NonXmlAt = FindNonXmlCharUtf8(result.Converted);
    return result;
  }
  size_t start = 0;
  bool bom = false;
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    start = 3;
    bom = true;
  }
  const std::string declared = bom ? std::string("utf-8") : DeclaredEncoding(bytes, start);
  const std::string_view body = std::string_view(bytes).substr(start);
  Integer codePage = 0;
  if (declared.empty() || declared == "utf-8" || declared == "utf8" || declared == "us-ascii" ||
      declared == "ascii") {
    // One pass finds both what is not UTF-8 and what XML cannot carry; only when it stops is the
    // text checked for being UTF-8 at all.
    const size_t nonXmlAt = FindNonXmlCharUtf8(body);
    if (nonXmlAt == std::string_view::npos || IsValidUtf8(body)) {
      result.Bytes = body;
      result.NonXmlAt = nonXmlAt;
      return result;
    }
    if (!declared.empty() || (fallbackCodePage != 850 && fallbackCodePage != 1252)) {
      Fail(what + u" is not valid UTF-8 text");
    }
    codePage = fallbackCodePage;
  } else if (declared == "iso-8859-1" || declared == "latin1" || declared == "latin-1" ||
             declared == "iso_8859-1" || declared == "l1") {
    codePage = Latin1CodePage;
  } else if (declared == "windows-1252" || declared == "cp1252") {
    codePage = 1252;
  } else if (declared == "ibm850" || declared == "cp850" || declared == "850") {
    codePage = 850;
  } else {
    Fail(what + u" declares the unsupported encoding " + Quoted(AsciiToString(declared)));
  }
  result.Converted = CodePageToUtf8(body, codePage, result.NonXmlAt);
  result.UsesConverted = true;
  return result;
}

namespace {

// True when some start tag of the text may hold two attributes or more. Only tags with an "=" in
// them are looked at: from each "=" back to the last "<" before it, which starts the only tag that
// "=" can belong to (no name or attribute value may hold a "<"). That tag counts as suspect when
// its "<" is followed by a name's first character and two "=" stand outside quotes before it ends
// at ">" outside quotes, or at a "<" outside quotes. The parser takes a "<" inside a quoted value,
// which would hide the attributes after it from this look back: a tag with one counts as suspect
// too. Every real start tag with two attributes is found this way; text that only looks like one
// (in a comment, say) can at worst make the answer true.
bool MayHaveAttributePairs(std::string_view s) {
  const char* const begin = s.data();
  const char* const end = begin + s.size();
  const char* from = begin;  // nothing before it needs looking at again
  const char* eq;
  while ((eq = static_cast<const char*>(std::memchr(from, '=', static_cast<size_t>(end - from))))) {
    const char* lt = static_cast<const char*>(memrchr(from, '<', static_cast<size_t>(eq - from)));
    if (!lt) {
      from = eq + 1;
      continue;
    }
    const char* p = lt + 1;
    const auto first = static_cast<unsigned char>(*p);
    if (!(std::isalpha(first) || first == '_' || first == ':' || first >= 0x80)) {
      from = eq + 1;
      continue;
    }
    int equals = 0;
    char quote = 0;
    for (; p < end; ++p) {
      const char c = *p;
      if (quote) {
        if (c == '<') return true;
        if (c == quote) quote = 0;
      } else if (c == '<') {
        break;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '=') {
        if (++equals == 2) return true;
      } else if (c == '>') {
        break;
      }
    }
    // Past the tag (or up to the "<" that cut it short, which may start a real one).
    from = p < end && *p == '>' ? p + 1 : p;
    if (from <= eq) from = eq + 1;
  }
  return false;
}

// True when a processing instruction stands in the text after the XML declaration, where the parser
// drops it and the texts on both sides of it are left as two nodes.
bool HasInnerInstruction(std::string_view s) {
  size_t from = 0;
  if (s.compare(0, 5, "<?xml") == 0) {
    const size_t close = s.find("?>");
    if (close == std::string_view::npos) return false;
    from = close + 2;
  }
  // "?" is rare in markup and text alike: each one is looked at.
  for (size_t q = s.find('?', from); q != std::string_view::npos; q = s.find('?', q + 1)) {
    if (q > from && s[q - 1] == '<') return true;
  }
  return false;
}

}  // namespace

bool NodesNeedWalk(std::string_view text) {
  return HasInnerInstruction(text) || MayHaveAttributePairs(text);
}

namespace {

// The node after n in document order (its first child, else the next sibling of it or of its
// nearest ancestor that has one); a null node at the end. Walks a tree without recursion, so a
// deeply nested file does not exhaust the stack.
pugi::xml_node NextInDocument(pugi::xml_node n) {
  if (n.first_child()) return n.first_child();
  while (!n.next_sibling()) {
    n = n.parent();
    if (!n || n.type() == pugi::node_document) return pugi::xml_node();
  }
  return n.next_sibling();
}

}  // namespace

String CheckAndMergeTexts(pugi::xml_document& doc, bool walkNodes) {
  Integer elements = 0;
  for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element) ++elements;
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
      return u"text outside the root element";
    }
  }
  if (elements == 0) return u"no root element";
  if (elements > 1) return u"more than one root element";
  if (!walkNodes) return u"";

  // A few attributes are compared pair by pair; an element of many has its names counted first, so
  // a record of tens of thousands of attributes is checked in linear time. Either way the first
  // attribute whose name comes again is reported.
  constexpr Integer PairwiseLimit = 16;
  std::unordered_map<std::string_view, Integer> names;
  for (pugi::xml_node n = doc.first_child(); n; n = NextInDocument(n)) {
    if (n.type() == pugi::node_element && n.first_attribute()) {
      Integer count = 0;
      for (pugi::xml_attribute a = n.first_attribute(); a && count <= PairwiseLimit; a = a.next_attribute()) ++count;
      const bool counted = count > PairwiseLimit;
      if (counted) {
        names.clear();
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) ++names[a.name()];
      }
      for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
        bool twice = false;
        if (counted) {
          twice = names[a.name()] > 1;
        } else {
          for (pugi::xml_attribute b = a.next_attribute(); b && !twice; b = b.next_attribute())
            twice = std::strcmp(a.name(), b.name()) == 0;
        }
        if (twice) {
          return u"the attribute " + Quoted(Utf8ToString(a.name())) + u" appears twice in the element " +
                 Quoted(Utf8ToString(n.name()));
        }
      }
    } else if (n.type() == pugi::node_pcdata) {
      while (n.next_sibling().type() == pugi::node_pcdata) {
        const pugi::xml_node next = n.next_sibling();
        const std::string joined = std::string(n.value()) + next.value();
        n.set_value(joined.c_str());
        n.parent().remove_child(next);
      }
    }
  }
  return u"";
}

namespace {

String AtByte(size_t offset) { return u" (at byte " + IntToStr(static_cast<Int64>(offset)) + u")"; }

// The first character reference from `from` on that the parser decodes to a character XML 1.0
// cannot carry, or npos. The parser decodes "&#" with decimal digits, or "&#x" with hexadecimal
// ones, up to ";" (anything else after "&#" it keeps as text); a number past U+10FFFF, however
// many digits it has, counts as such a character. "&#X" is taken as hexadecimal too, so that no
// reading of the text can let one through.
size_t FindNonXmlReference(std::string_view s, size_t from = 0) {
  for (size_t p = s.find("&#", from); p != std::string_view::npos; p = s.find("&#", p + 2)) {
    size_t i = p + 2;
    const bool hex = i < s.size() && (s[i] == 'x' || s[i] == 'X');
    if (hex) ++i;
    const size_t digits = i;
    char32_t value = 0;  // held at 0x110000 once past the last character
    for (; i < s.size(); ++i) {
      const char c = s[i];
      char32_t d;
      if (c >= '0' && c <= '9') {
        d = static_cast<char32_t>(c - '0');
      } else if (hex && (c | ' ') >= 'a' && (c | ' ') <= 'f') {
        d = static_cast<char32_t>((c | ' ') - 'a' + 10);
      } else {
        break;
      }
      value = std::min<char32_t>(value * (hex ? 16 : 10) + d, 0x110000);
    }
    if (i > digits && i < s.size() && s[i] == ';' && !IsXmlChar(value)) return p;
  }
  return std::string_view::npos;
}

// Where a reference found by FindNonXmlReference stands in text or in an attribute value, where the
// parser decodes it: the offset of the first such one in the text, or npos when every one stands
// where nothing is decoded (in a comment, a CDATA section or a processing instruction, where
// "&#1;" is only those four characters). The text is parsed again without decoding anything, so
// each value holds the references as they were written, in its place in the text.
size_t DecodedNonXmlReference(std::string_view text, size_t firstFound) {
  std::string copy(text);
  pugi::xml_document doc;
  constexpr unsigned AsWritten =
      ParseOptions & ~(pugi::parse_escapes | pugi::parse_eol | pugi::parse_wconv_attribute);
  if (!doc.load_buffer_inplace(copy.data(), copy.size(), AsWritten, pugi::encoding_utf8)) {
    return std::string_view::npos;
  }
  const auto base = reinterpret_cast<uintptr_t>(copy.data());
  const auto offsetIn = [&](const char* value) {
    const size_t at = FindNonXmlReference(value);
    if (at == std::string_view::npos) return at;
    const auto where = reinterpret_cast<uintptr_t>(value);
    return where >= base && where < base + copy.size() ? static_cast<size_t>(where - base) + at : firstFound;
  };
  for (pugi::xml_node n = doc.first_child(); n; n = NextInDocument(n)) {
    size_t at = std::string_view::npos;
    if (n.type() == pugi::node_pcdata) at = offsetIn(n.value());
    for (pugi::xml_attribute a = n.first_attribute(); a && at == std::string_view::npos;
         a = a.next_attribute()) {
      at = offsetIn(a.value());
    }
    if (at != std::string_view::npos) return at;
  }
  return std::string_view::npos;
}

}  // namespace

String CheckCharacters(std::string_view text, size_t nonXmlAt) {
  if (nonXmlAt != std::string_view::npos) {
    // A control character, or U+FFFE / U+FFFF (EF BF BE / EF BF BF): the text is UTF-8 by now.
    const auto byte = [&](size_t i) { return Integer(static_cast<unsigned char>(text[nonXmlAt + i])); };
    const Integer c =
        byte(0) < 0x80 ? byte(0) : (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
    return u"it contains the character U+" + IntToHex(c, 4) + u", which XML cannot carry" +
           AtByte(nonXmlAt);
  }
  const size_t found = FindNonXmlReference(text);
  if (found == std::string_view::npos) return u"";
  const size_t decoded = DecodedNonXmlReference(text, found);
  if (decoded == std::string_view::npos) return u"";
  return u"a character reference to a character XML cannot carry" + AtByte(decoded);
}

namespace {

void AppendEscaped(std::string& out, const char* s, bool attribute) {
  for (; *s; ++s) {
    switch (*s) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\r': out += "&#13;"; break;
      case '"':
        if (attribute) {
          out += "&quot;";
        } else {
          out += '"';
        }
        break;
      case '\n':
        if (attribute) {
          out += "&#10;";
        } else {
          out += '\n';
        }
        break;
      case '\t':
        if (attribute) {
          out += "&#9;";
        } else {
          out += '\t';
        }
        break;
      default: out += *s;
    }
  }
}

// Text of blanks and line ends only would be dropped when the file is read again: such text is
// written as character references, which the reader keeps.
void AppendText(std::string& out, const char* s) {
  bool blank = *s != 0;
  for (const char* p = s; *p && blank; ++p) {
    blank = *p == ' ' || *p == '\t' || *p == '\n' || *p == '\r';
  }
  if (!blank) {
    AppendEscaped(out, s, false);
    return;
  }
  for (; *s; ++s) {
    out += "&#";
    out += std::to_string(static_cast<int>(*s));
    out += ';';
  }
}

// A comment may not hold "--" nor end in "-": a blank goes between, so the file stays readable.
void AppendComment(std::string& out, const char* s) {
  out += "<!--";
  for (; *s; ++s) {
    out += *s;
    if (*s == '-' && (s[1] == '-' || s[1] == 0)) out += ' ';
  }
  out += "-->";
}

// "]]>" cannot stand inside a CDATA section: the section is split there.
void AppendCData(std::string& out, const char* s) {
  out += "<![CDATA[";
  for (; *s; ++s) {
    if (s[0] == ']' && s[1] == ']' && s[2] == '>') {
      out += "]]]]><![CDATA[>";
      s += 2;
      continue;
    }
    out += *s;
  }
  out += "]]>";
}

// A text made only of characters XML cannot carry is written as nothing: it does not count as a
// child, so the file reads back as it is written.
bool IsWritten(pugi::xml_node n) {
  return n.type() != pugi::node_pcdata || !XmlCharsOnlyUtf8(n.value()).empty();
}

pugi::xml_node NextWritten(pugi::xml_node c) {
  while (c && !IsWritten(c)) c = c.next_sibling();
  return c;
}

pugi::xml_node FirstWrittenChild(pugi::xml_node n) { return NextWritten(n.first_child()); }
pugi::xml_node NextWrittenSibling(pugi::xml_node n) { return NextWritten(n.next_sibling()); }

bool HasTextChild(pugi::xml_node n) {
  for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
    if ((c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) && IsWritten(c)) return true;
  }
  return false;
}

// Writes a node without its children: the start tag of an element with children, the whole of
// any other node. Values keep only the characters XML 1.0 can carry, so the file is well-formed
// for every reader, whatever the values held.
void AppendOpen(std::string& out, pugi::xml_node n) {
  switch (n.type()) {
    case pugi::node_element:
      out += '<';
      out += n.name();
      for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
        out += ' ';
        out += a.name();
        out += "=\"";
        AppendEscaped(out, XmlCharsOnlyUtf8(a.value()).c_str(), true);
        out += '"';
      }
      out += FirstWrittenChild(n) ? ">" : "/>";
      break;
    case pugi::node_pcdata: AppendText(out, XmlCharsOnlyUtf8(n.value()).c_str()); break;
    case pugi::node_cdata: AppendCData(out, XmlCharsOnlyUtf8(n.value()).c_str()); break;
    case pugi::node_comment: AppendComment(out, XmlCharsOnlyUtf8(n.value()).c_str()); break;
    default: break;
  }
}

}  // namespace

std::string Serialize(const pugi::xml_document& doc, bool declaration, bool indent) {
  static const char* const kEol = "\r\n";
  std::string out;
  if (declaration) {
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    out += kEol;
  }
  // A walk over the tree without recursion. `inlineFrom` is the element from which on nothing is
  // broken into lines (an element holding text), when indenting.
  pugi::xml_node inlineFrom;
  int depth = 0;
  pugi::xml_node n = FirstWrittenChild(doc);
  while (n) {
    const bool broken = indent && !inlineFrom;
    if (broken) out.append(static_cast<size_t>(depth) * 2, ' ');
    AppendOpen(out, n);
    if (n.type() == pugi::node_element && FirstWrittenChild(n)) {
      if (broken && HasTextChild(n)) inlineFrom = n;
      if (indent && !inlineFrom) out += kEol;
      n = FirstWrittenChild(n);
      ++depth;
      continue;
    }
    if (indent && !inlineFrom) out += kEol;
    // Up to the next sibling, closing the elements left on the way.
    while (n && !NextWrittenSibling(n)) {
      n = n.parent();
      if (!n || n.type() == pugi::node_document) {
        n = pugi::xml_node();
        break;
      }
      --depth;
      if (indent && !inlineFrom) out.append(static_cast<size_t>(depth) * 2, ' ');
      out += "</";
      out += n.name();
      out += '>';
      if (n == inlineFrom) inlineFrom = pugi::xml_node();
      if (indent && !inlineFrom) out += kEol;
    }
    if (n) n = NextWrittenSibling(n);
  }
  return out;
}

}  // namespace xmldoc

// ----------------------------------------------------------------------------------------------
// TXMLDocument: loading and saving

namespace {

void Parse(TXMLDocumentData& data, const std::string& bytes, Integer fallbackCodePage,
           const String& what) {
  data.Doc.reset();
  std::string().swap(data.Buffer);
  data.Active = true;
  xmldoc::TDecoded decoded = xmldoc::DecodeInput(bytes, fallbackCodePage, what);
  const std::string_view text = decoded.Text();
  // A character XML cannot carry, as it stands or as a reference, is refused: the parser would take
  // it (a NUL cutting its text short), and a value would change without a word, since no writer of
  // the program writes such a character back.
  const String bad = xmldoc::CheckCharacters(text, decoded.NonXmlAt);
  if (!bad.empty()) xmldoc::Fail(what + u" is not well-formed XML: " + bad);
  const bool walkNodes = xmldoc::NodesNeedWalk(text);
  // Converted text is ours: the parser works in it instead of copying it first.
  pugi::xml_parse_result r;
  if (decoded.UsesConverted) {
    data.Buffer = std::move(decoded.Converted);
    r = data.Doc.load_buffer_inplace(data.Buffer.data(), data.Buffer.size(), xmldoc::ParseOptions,
                                     pugi::encoding_utf8);
  } else {
    r = data.Doc.load_buffer(text.data(), text.size(), xmldoc::ParseOptions, pugi::encoding_utf8);
  }
  if (!r) {
    data.Doc.reset();
    xmldoc::Fail(what + u" is not well-formed XML: " + AsciiToString(r.description()) +
                 u" (at byte " + AsciiToString(std::to_string(r.offset)) + u")");
  }
  const String problem = xmldoc::CheckAndMergeTexts(data.Doc, walkNodes);
  if (!problem.empty()) {
    data.Doc.reset();
    xmldoc::Fail(what + u" is not well-formed XML: " + problem);
  }
}

}  // namespace

void TXMLDocument::LoadFromFile(const String& fileName, Integer fallbackCodePage, Int64 maxSize) {
  const String what = u"The XML file \"" + fileName + u"\"";
  std::string bytes;
  try {
    bytes = ReadRegularFile(fileName, maxSize);
  } catch (const EOutOfMemory&) {
    FData->Doc.reset();
    FData->Active = true;
    throw;
  } catch (const EStreamError& e) {
    FData->Doc.reset();
    FData->Active = true;
    if (FileMissing(fileName)) xmldoc::Fail(what + u" does not exist");
    xmldoc::Fail(e.Message());
  }
  try {
    Parse(*FData, bytes, fallbackCodePage, what);
  } catch (const std::bad_alloc&) {
    FData->Doc.reset();
    std::string().swap(FData->Buffer);
    throw OutOfMemoryReading(fileName);
  }
}

void TXMLDocument::LoadFromBytes(const std::string& bytes, Integer fallbackCodePage) {
  Parse(*FData, bytes, fallbackCodePage, u"The XML text");
}

void TXMLDocument::LoadFromXML(const String& xml) {
  Parse(*FData, StringToUtf8(xml), 0, u"The XML text");
}

std::string TXMLDocument::SaveToBytes() const {
  RequireActive();
  return xmldoc::Serialize(FData->Doc, FDeclaration, FIndent);
}

String TXMLDocument::SaveToXML() const { return Utf8ToString(SaveToBytes()); }

void TXMLDocument::SaveToFile(const String& fileName) const {
  const std::string bytes = SaveToBytes();
  // The old file is replaced only once the new one is complete: a failed write keeps it.
  Integer err = 0;
  switch (ReplaceFileBytes(fileName, bytes, err)) {
    case fwDone:
      return;
    case fwCannotCreate:
      xmldoc::Fail(u"Cannot create the XML file \"" + fileName + u"\": " +
                   Utf8ToString(std::strerror(err)));
    case fwCannotWrite:
      xmldoc::Fail(u"Cannot write the XML file \"" + fileName + u"\": " +
                   Utf8ToString(std::strerror(err)));
  }
}
