// Internal to platform/office: the zip package of an Office Open XML file (its parts by name, in
// their order) and the XML helpers the workbook and the document share. No header outside this
// folder includes it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "platform/office/OleAuto.h"

namespace office {

// A file past a bound of what the layer reads (what a package may unpack to, the length of a
// cell's text). Its message says which bound, so the caller's error can name it.
KP_DECLARE_EXCEPTION(EOfficeLimit, EOleException)

// A zip package held in memory. Read raises EOleException with Message when the bytes are no zip
// archive or a part cannot be unpacked, and EOfficeLimit when a part would unpack to more than a
// hundred times its packed size or the parts together to more than a hundred times the package
// (16 MB are always taken, 512 MB never): a small file that would unpack to gigabytes is refused,
// not unpacked.
class TPackage {
 public:
  static TPackage Read(const std::string& Bytes, const String& Message);
  // The part's bytes, nullptr when the package has no such part. Names have no leading "/".
  const std::string* Find(const std::string& Name) const;
  void Set(const std::string& Name, std::string Bytes);
  void Remove(const std::string& Name);
  // The whole package as zip bytes (every part deflated), in the parts' order.
  std::string Write() const;

 private:
  std::vector<std::pair<std::string, std::string>> FParts;
};

// The local name of a node ("c" for "x:c").
const char* LocalName(pugi::xml_node Node);
// The first child with the local name, an empty node when none.
pugi::xml_node Child(pugi::xml_node Node, const char* Local);
// The prefix of a node with its colon ("x:"), empty when it has none.
std::string PrefixOf(pugi::xml_node Node);
// The attribute with the local name, whatever its prefix.
pugi::xml_attribute Attr(pugi::xml_node Node, const char* Local);

// Parses a part; Message goes into the EOleException of a malformed part.
void ParsePart(pugi::xml_document& Doc, const std::string& Bytes, const String& Message);
// A document as part bytes, with the standalone declaration Office writes.
std::string SerializePart(const pugi::xml_document& Doc);

// The target of the package relationship of a type ending with TypeSuffix in a .rels part,
// resolved against BaseFolder ("xl/"); empty when none.
std::string RelTarget(const pugi::xml_document& Rels, const char* TypeSuffix, const std::string& BaseFolder);
// Resolves a relationship target against the folder of its source part.
std::string ResolveTarget(const std::string& Target, const std::string& BaseFolder);

// Text of a shared string or cell written the Office way: control characters as _xHHHH_.
std::string EncodeXString(const String& Text);
String DecodeXString(const std::string& Utf8);

}  // namespace office
