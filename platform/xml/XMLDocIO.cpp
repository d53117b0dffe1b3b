// Loading and saving documents: the input encodings, the well-formedness checks the parser leaves
// out, and the saved form.
#include <sys/stat.h>

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

TUtf8Table MakeUtf8Table(Integer codePage) {
  std::string all(256, '\0');
  for (int b = 0; b < 256; ++b) all[static_cast<size_t>(b)] = static_cast<char>(b);
  const String chars = AnsiToString(all, codePage);
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
  static const TUtf8Table table = MakeUtf8Table(1252);
  return table;
}

// Converts bytes of a single-byte code page (850 or 1252) to UTF-8 in one pass: runs of ASCII are
// copied as they are, every other byte is looked up.
std::string CodePageToUtf8(std::string_view bytes, Integer codePage) {
  const TUtf8Table& table = Utf8TableFor(codePage);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8 + 16);
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (p < end) {
    const char* run = p;
    // Eight bytes at a time while none has its top bit set.
    uint64_t word;
    while (end - p >= 8 && (std::memcpy(&word, p, 8), (word & 0x8080808080808080ull) == 0)) p += 8;
    while (p < end && static_cast<unsigned char>(*p) < 0x80) ++p;
    if (p > run) out.append(run, static_cast<size_t>(p - run));
    if (p < end) {
      const auto b = static_cast<unsigned char>(*p++);
      out.append(table.Bytes[b], table.Size[b]);
    }
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
    // pugixml reads UTF-16 in either byte order and converts it itself.
    result.Bytes = bytes;
    result.Encoding = pugi::encoding_auto;
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
  if (declared.empty() || declared == "utf-8" || declared == "utf8" || declared == "us-ascii" ||
      declared == "ascii") {
    if (!IsValidUtf8(body)) {
      if (declared.empty() && (fallbackCodePage == 850 || fallbackCodePage == 1252)) {
        result.Converted = CodePageToUtf8(body, fallbackCodePage);
        result.UsesConverted = true;
        return result;
      }
      Fail(what + u" is not valid UTF-8 text");
    }
    result.Bytes = body;
    return result;
  }
  if (declared == "iso-8859-1" || declared == "latin1" || declared == "latin-1" ||
      declared == "iso_8859-1" || declared == "l1") {
    result.Bytes = body;
    result.Encoding = pugi::encoding_latin1;
    return result;
  }
  if (declared == "windows-1252" || declared == "cp1252") {
    result.Converted = CodePageToUtf8(body, 1252);
    result.UsesConverted = true;
    return result;
  }
  if (declared == "ibm850" || declared == "cp850" || declared == "850") {
    result.Converted = CodePageToUtf8(body, 850);
    result.UsesConverted = true;
    return result;
  }
  Fail(what + u" declares the unsupported encoding " + Quoted(AsciiToString(declared)));
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

String CheckAndMergeTexts(pugi::xml_document& doc, bool walkNodes, bool checkUtf8) {
  Integer elements = 0;
  for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element) ++elements;
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
      return u"text outside the root element";
    }
  }
  if (elements == 0) return u"no root element";
  if (elements > 1) return u"more than one root element";
  if (!walkNodes && !checkUtf8) return u"";

  // Every node, walked without recursion (a deeply nested file must not exhaust the stack).
  // A character reference to no character (past U+10FFFF, a surrogate) comes out of the parser as
  // bytes that are not UTF-8.
  const String badReference = u"a character reference to an invalid character";
  // A few attributes are compared pair by pair; an element of many has its names counted first, so
  // a record of tens of thousands of attributes is checked in linear time. Either way the first
  // attribute whose name comes again is reported.
  constexpr Integer PairwiseLimit = 16;
  std::unordered_map<std::string_view, Integer> names;
  pugi::xml_node n = doc.first_child();
  while (n) {
    if (checkUtf8 && (!IsValidUtf8(n.name()) || !IsValidUtf8(n.value()))) return badReference;
    if (n.type() == pugi::node_element && n.first_attribute()) {
      Integer count = 0;
      for (pugi::xml_attribute a = n.first_attribute(); a && count <= PairwiseLimit; a = a.next_attribute()) ++count;
      const bool counted = count > PairwiseLimit;
      if (counted) {
        names.clear();
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) ++names[a.name()];
      }
      for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
        if (checkUtf8 && (!IsValidUtf8(a.name()) || !IsValidUtf8(a.value()))) return badReference;
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
        if (checkUtf8 && !IsValidUtf8(next.value())) return badReference;
        const std::string joined = std::string(n.value()) + next.value();
        n.set_value(joined.c_str());
        n.parent().remove_child(next);
      }
    }
    if (n.first_child()) {
      n = n.first_child();
      continue;
    }
    while (n && !n.next_sibling()) {
      n = n.parent();
      if (n.type() == pugi::node_document) n = pugi::xml_node();
    }
    if (n) n = n.next_sibling();
  }
  return u"";
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

// True when the text holds a character reference to character 0 ("&#0;", "&#x00;", ...). The
// text is looked at as a whole, so such a reference written inside a CDATA section or a comment
// is refused too; no file of ours holds one.
bool HasNulReference(std::string_view s) {
  for (size_t p = s.find("&#"); p != std::string_view::npos; p = s.find("&#", p + 2)) {
    size_t i = p + 2;
    const bool hex = i < s.size() && s[i] == 'x';
    if (hex) ++i;
    const size_t digits = i;
    while (i < s.size() && s[i] == '0') ++i;
    if (i > digits && i < s.size() && s[i] == ';') return true;
  }
  return false;
}

void Parse(TXMLDocumentData& data, const std::string& bytes, Integer fallbackCodePage,
           const String& what) {
  data.Doc.reset();
  std::string().swap(data.Buffer);
  data.Active = true;
  xmldoc::TDecoded decoded = xmldoc::DecodeInput(bytes, fallbackCodePage, what);
  const std::string_view text = decoded.Text();
  // A NUL character cannot stand in an XML document, neither as a byte nor as a reference; the
  // parser would take it as the end of the text and silently cut it there.
  if (decoded.Encoding != pugi::encoding_auto &&
      (text.find('\0') != std::string_view::npos || HasNulReference(text))) {
    xmldoc::Fail(what + u" is not well-formed XML: it contains a NUL character");
  }
  // UTF-8 input has been checked and converted input is UTF-8 by construction: only a character
  // reference, or the parser's own conversion of UTF-16, can put other bytes into the tree.
  const bool checkUtf8 = decoded.Encoding == pugi::encoding_auto || text.find("&#") != std::string_view::npos;
  const bool walkNodes = checkUtf8 || xmldoc::NodesNeedWalk(text);
  // Converted text is ours: the parser works in it instead of copying it first.
  pugi::xml_parse_result r;
  if (decoded.UsesConverted) {
    data.Buffer = std::move(decoded.Converted);
    r = data.Doc.load_buffer_inplace(data.Buffer.data(), data.Buffer.size(), xmldoc::ParseOptions,
                                     decoded.Encoding);
  } else {
    r = data.Doc.load_buffer(text.data(), text.size(), xmldoc::ParseOptions, decoded.Encoding);
  }
  if (!r) {
    data.Doc.reset();
    xmldoc::Fail(what + u" is not well-formed XML: " + AsciiToString(r.description()) +
                 u" (at byte " + AsciiToString(std::to_string(r.offset)) + u")");
  }
  const String problem = xmldoc::CheckAndMergeTexts(data.Doc, walkNodes, checkUtf8);
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
