// Internal to platform/xml: the storage behind TXMLDocument and its node handles, and the helpers
// shared by the node code and the load and save code. Not for use outside this folder.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

#include "platform/xml/XMLDoc.h"

struct TXMLDocumentData {
  pugi::xml_document Doc;
  bool Active = false;
  // Text converted for the parser, which parsed it in place: the document's names and values point
  // into it, so it lives as long as the tree it was parsed into.
  std::string Buffer;
};

// A node made by CreateNode: its kind and its name or value until it joins the tree, then the
// node it became, so every copy of the handle follows it there.
struct TXMLPendingNode {
  TNodeType Type = ntElement;
  String Text;
  pugi::xml_node_struct* Placed = nullptr;
};

namespace xmldoc {

// The parse options of every load: comments kept, white-space-only text dropped, CDATA and
// character references decoded, line ends normalised; text at top level kept, so that the check
// below can refuse it.
constexpr unsigned ParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_fragment;

// Raises EXMLDocError with the message.
[[noreturn]] void Fail(const String& message);

// What the parser cannot refuse or leave out by itself: exactly one top-level element, no text at
// top level, no attribute given twice on one element; and the joining of text nodes that stand next
// to each other (left so where the parser skipped a processing instruction between them), so a
// loaded text is one node, as it will be when read again. Returns an empty text when the tree is
// sound, else the reason. The nodes below the top level are walked only when walkNodes (see
// NodesNeedWalk).
String CheckAndMergeTexts(pugi::xml_document& doc, bool walkNodes);

// Whether the tree parsed from this UTF-8 text can hold anything the walk above refuses or joins
// (true when in doubt): a processing instruction after the declaration, or a start tag that may
// hold two attributes.
bool NodesNeedWalk(std::string_view text);

// The characters XML 1.0 cannot carry (XMLChars.h), which the parser would take without a word:
// as they stand (anywhere: text, names, comments, processing instructions; nonXmlAt is where
// DecodeInput found the first, npos for none), and as character references where the parser
// decodes them (text and attribute values). Returns an empty text when there is none, else the
// reason and the byte offset in the text.
String CheckCharacters(std::string_view text, size_t nonXmlAt);

// True when the name is usable as an element or attribute name in the written file.
bool IsValidName(const String& name);

// The document in its saved form.
std::string Serialize(const pugi::xml_document& doc, bool declaration, bool indent);

// Converts the file's bytes to the UTF-8 text the parser reads, finding on the way the first
// character XML cannot carry. Raises EXMLDocError for an unsupported encoding or bytes that are not
// valid in theirs; `what` names the source in that message.
struct TDecoded {
  std::string_view Bytes;      // a part of the input, as it stands
  std::string Converted;       // the input converted to UTF-8, when UsesConverted
  bool UsesConverted = false;
  // The offset in Text() of the first character XML 1.0 cannot carry, as it stands; npos for none.
  size_t NonXmlAt = std::string_view::npos;
  std::string_view Text() const { return UsesConverted ? std::string_view(Converted) : Bytes; }
};
TDecoded DecodeInput(const std::string& bytes, Integer fallbackCodePage, const String& what);

}  // namespace xmldoc
