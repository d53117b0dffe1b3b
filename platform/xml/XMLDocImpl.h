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

// One walk over a parsed tree. Checks what the parser lets through but a well-formed document may
// not have: exactly one top-level element, no text at top level, no attribute given twice on one
// element and, when checkUtf8, no name or value that is not UTF-8 (what a character reference to no
// character leaves). Joins text nodes that stand next to each other (left so where the parser
// skipped a processing instruction between them), so a loaded text is one node, as it will be when
// read again. Returns an empty text when the tree is sound, else the reason.
String CheckAndMergeTexts(pugi::xml_document& doc, bool checkUtf8);

// True when the name is usable as an element or attribute name in the written file.
bool IsValidName(const String& name);

// The document in its saved form.
std::string Serialize(const pugi::xml_document& doc, bool declaration, bool indent);

// Converts the file's bytes to UTF-8 for the parser and says which encoding pugixml must apply
// (UTF-16 input is handed over as it is). Raises EXMLDocError for an unsupported or invalid
// encoding; `what` names the source in that message.
struct TDecoded {
  std::string Bytes;
  pugi::xml_encoding Encoding = pugi::encoding_utf8;
};
TDecoded DecodeInput(const std::string& bytes, Integer fallbackCodePage, const String& what);

}  // namespace xmldoc
