// Fuzz entry point of the XML loader: any input either raises EXMLDocError or gives a document
// that holds only characters XML 1.0 can carry and whose saved form loads again as the same
// document (nothing left out, nothing changed) and saves to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/xml/XMLChars.h"
#include "platform/xml/XMLDoc.h"

namespace {

// A character XML cannot carry must have been refused on load: the writer would leave it out.
const String& RequireXmlChars(const String& s) {
  if (XmlCharsOnly(s) != s) std::abort();
  return s;
}

// Reads every node the way the configuration readers do (reading must never crash) and lists what
// they read: each node's kind, name and text, each attribute's name and value. A comment's text is
// not listed: the writer keeps "--" out of it.
void Walk(IXMLNode node, int depth, String& seen) {
  if (depth > 200) return;
  for (IXMLNode n : node.ChildNodes()) {
    seen += Char(u'0' + n.NodeType());
    seen += RequireXmlChars(n.NodeName()) + u'\0';
    seen += n.IsTextElement() ? u"t" : u"-";
    try {
      const String text = n.Text();
      if (n.NodeType() != ntElement) RequireXmlChars(text);
      if (n.NodeType() != ntComment) seen += text + u'\0';
    } catch (const EXMLDocError&) {
      seen += u"!";
    }
    for (IXMLNode a : n.AttributeNodes()) {
      seen += RequireXmlChars(a.NodeName()) + u'\0' + RequireXmlChars(a.Text()) + u'\0';
      try {
        (void)n.AttributeAsInteger(a.NodeName());
      } catch (const Exception&) {
      }
    }
    seen += u"(";
    Walk(n, depth + 1, seen);
    seen += u")";
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TXMLDocument doc;
  try {
    doc.LoadFromBytes(bytes, 850);
  } catch (const EXMLDocError&) {
    return 0;
  }
  String read;
  Walk(doc.Node(), 0, read);
  const std::string saved = doc.SaveToBytes();
  TXMLDocument again;
  try {
    again.LoadFromBytes(saved);
  } catch (const EXMLDocError&) {
    std::abort();  // our own output must always load
  }
  String readAgain;
  Walk(again.Node(), 0, readAgain);
  if (readAgain != read) std::abort();  // and read back as what was saved
  if (again.SaveToBytes() != saved) std::abort();
  return 0;
}
