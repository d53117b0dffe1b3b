// Fuzz entry point of the XML loader: any input either raises EXMLDocError or gives a document
// whose saved form loads again and saves to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/xml/XMLDoc.h"

namespace {

// Reads every node the way the configuration readers do; reading must never crash.
void Walk(IXMLNode node, int depth) {
  if (depth > 200) return;
  for (IXMLNode n : node.ChildNodes()) {
    (void)n.NodeName();
    (void)n.IsTextElement();
    try {
      (void)n.Text();
    } catch (const EXMLDocError&) {
    }
    for (IXMLNode a : n.AttributeNodes()) {
      try {
        (void)n.AttributeAsInteger(a.NodeName());
      } catch (const Exception&) {
      }
    }
    Walk(n, depth + 1);
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
  Walk(doc.Node(), 0);
  const std::string saved = doc.SaveToBytes();
  TXMLDocument again;
  try {
    again.LoadFromBytes(saved);
  } catch (const EXMLDocError&) {
    std::abort();  // our own output must always load
  }
  if (again.SaveToBytes() != saved) std::abort();
  return 0;
}
