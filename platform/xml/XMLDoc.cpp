// The document model: node handles, node lists and the document object. Loading, the encodings
// and the saved form are in XMLDocIO.cpp.
#include "platform/xml/XMLDoc.h"

#include <bit>
#include <cstdint>
#include <string>

#include "platform/xml/XMLDocImpl.h"

namespace {

String Quoted(const String& s) { return u"\"" + s + u"\""; }

[[noreturn]] void IndexError(Integer index) {
  throw EListError(u"List index out of bounds (" + IntToStr(index) + u")");
}

TNodeType TypeOf(pugi::xml_node_type t) {
  switch (t) {
    case pugi::node_document: return ntDocument;
    case pugi::node_element: return ntElement;
    case pugi::node_pcdata: return ntText;
    case pugi::node_cdata: return ntCData;
    case pugi::node_comment: return ntComment;
    case pugi::node_pi:
    case pugi::node_declaration: return ntProcessingInstr;
    case pugi::node_doctype: return ntDocType;
    default: return ntReserved;
  }
}

String NameOfKind(TNodeType t) {
  switch (t) {
    case ntText: return u"#text";
    case ntCData: return u"#cdata-section";
    case ntComment: return u"#comment";
    case ntDocument: return u"#document";
    default: return u"";
  }
}

bool IsTextKind(pugi::xml_node n) {
  return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata;
}

}  // namespace

namespace xmldoc {

void Fail(const String& message) { throw EXMLDocError(message); }

bool IsValidName(const String& name) {
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    // A character past U+FFFF is a pair of surrogates; U+FFFE, U+FFFF and a surrogate of no pair
    // cannot stand in a file at all.
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 &&
                      name[i + 1] <= 0xDFFF;
    const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' ||
                        c == u':' || pair || (c >= 0xC0 && c <= 0xFFFD && (c < 0xD800 || c > 0xDFFF));
    const bool other = (c >= u'0' && c <= u'9') || c == u'-' || c == u'.' || c == 0xB7;
    if (!(letter || (i > 0 && other))) return false;
    if (pair) ++i;
  }
  return true;
}

}  // namespace xmldoc

// ----------------------------------------------------------------------------------------------
// IXMLNode

IXMLNode::IXMLNode(std::shared_ptr<TXMLDocumentData> doc, pugi::xml_node_struct* node,
                   pugi::xml_attribute_struct* attr)
    : FDoc(std::move(doc)), FNode(node), FAttr(attr) {}

pugi::xml_node_struct* IXMLNode::Node() const {
  if (FPending) return FPending->Placed;
  return FNode;
}

bool IXMLNode::IsNull() const { return !FPending && !FNode; }

bool IXMLNode::operator==(const IXMLNode& other) const {
  if (IsNull() || other.IsNull()) return IsNull() && other.IsNull();
  if (FPending && !FPending->Placed) return FPending == other.FPending;
  return Node() == other.Node() && FAttr == other.FAttr;
}

namespace {

// The node as pugixml sees it; raises for a created node that has not joined the tree yet.
pugi::xml_node Placed(const IXMLNode& n, pugi::xml_node_struct* p, bool pending) {
  if (pending && !p) {
    xmldoc::Fail(u"The node " + Quoted(n.NodeName()) + u" has not been added to a document");
  }
  return pugi::xml_node(p);
}

void RequireNode(const IXMLNode& n) {
  if (n.IsNull()) xmldoc::Fail(u"The XML node is empty (null)");
}

}  // namespace

TNodeType IXMLNode::NodeType() const {
  if (FPending && !FPending->Placed) return FPending->Type;
  if (FAttr) return ntAttribute;
  if (!Node()) return ntReserved;
  return TypeOf(pugi::xml_node(Node()).type());
}

String IXMLNode::NodeName() const {
  if (FPending && !FPending->Placed) {
    return FPending->Type == ntElement ? FPending->Text : NameOfKind(FPending->Type);
  }
  if (FAttr) return Utf8ToString(pugi::xml_attribute(FAttr).name());
  if (!Node()) return u"";
  const pugi::xml_node n(Node());
  if (n.type() == pugi::node_element) return Utf8ToString(n.name());
  return NameOfKind(TypeOf(n.type()));
}

namespace {

// A UTF-8 name equals a UTF-16 one: compared unit by unit while both are ASCII, converted otherwise.
bool SameName(const char* utf8, const String& name) {
  size_t i = 0;
  for (; utf8[i] != 0; ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c >= 0x80) return Utf8ToString(utf8) == name;
    if (i >= name.size() || name[i] != c) return false;
  }
  return i == name.size();
}

}  // namespace

bool IXMLNode::NameIs(const String& name) const {
  if (FPending || FAttr || !FNode) return NodeName() == name;
  const pugi::xml_node n(FNode);
  if (n.type() == pugi::node_element) return SameName(n.name(), name);
  return NameOfKind(TypeOf(n.type())) == name;
}

String IXMLNode::Text() const {
  if (FPending && !FPending->Placed) return FPending->Type == ntElement ? u"" : FPending->Text;
  if (FAttr) return Utf8ToString(pugi::xml_attribute(FAttr).value());
  if (!Node()) return u"";
  const pugi::xml_node n(Node());
  switch (n.type()) {
    case pugi::node_element: {
      // The usual element holds one text node: its value is converted as it stands.
      const pugi::xml_node first = n.first_child();
      if (first && !first.next_sibling() && IsTextKind(first)) return Utf8ToString(first.value());
      pugi::xml_node only;
      Integer texts = 0;
      for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element) {
          xmldoc::Fail(u"Element " + Quoted(NodeName()) + u" does not contain a single text node");
        }
        if (IsTextKind(c)) {
          only = c;
          ++texts;
        }
      }
      if (texts <= 1) return only ? Utf8ToString(only.value()) : String();
      std::string text;
      for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
        if (IsTextKind(c)) text += c.value();
      }
      return Utf8ToString(text);
    }
    case pugi::node_document:
      xmldoc::Fail(u"The document node has no text");
    default:
      return Utf8ToString(n.value());
  }
}

void IXMLNode::SetText(const String& value) {
  RequireNode(*this);
  if (FPending && !FPending->Placed) {
    if (FPending->Type == ntElement) {
      xmldoc::Fail(u"The node " + Quoted(NodeName()) + u" has not been added to a document");
    }
    FPending->Text = value;
    return;
  }
  const std::string utf8 = StringToUtf8(value);
  if (FAttr) {
    pugi::xml_attribute(FAttr).set_value(utf8.c_str());
    return;
  }
  pugi::xml_node n(Node());
  if (n.type() == pugi::node_element) {
    while (n.first_child()) n.remove_child(n.first_child());
    if (!utf8.empty()) n.append_child(pugi::node_pcdata).set_value(utf8.c_str());
  } else if (n.type() == pugi::node_document) {
    xmldoc::Fail(u"The document node has no text");
  } else {
    n.set_value(utf8.c_str());
  }
}

bool IXMLNode::IsTextElement() const {
  if (FAttr || !Node()) return false;
  const pugi::xml_node n(Node());
  if (n.type() != pugi::node_element || !n.first_child()) return false;
  for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
    if (!IsTextKind(c)) return false;
  }
  return true;
}

bool IXMLNode::HasChildNodes() const {
  if (FAttr || !Node()) return false;
  return static_cast<bool>(pugi::xml_node(Node()).first_child());
}

IXMLNodeList IXMLNode::ChildNodes() const { return IXMLNodeList(*this, false); }

IXMLNode IXMLNode::AddChild(const String& name) {
  RequireNode(*this);
  pugi::xml_node n = Placed(*this, Node(), FPending != nullptr);
  if (FAttr || (n.type() != pugi::node_element && n.type() != pugi::node_document)) {
    xmldoc::Fail(u"Cannot add a child to the node " + Quoted(NodeName()));
  }
  if (!xmldoc::IsValidName(name)) xmldoc::Fail(Quoted(name) + u" is not a valid element name");
  if (n.type() == pugi::node_document) {
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
      if (c.type() == pugi::node_element) {
        xmldoc::Fail(u"The document already has a root element " + Quoted(Utf8ToString(c.name())));
      }
    }
  }
  pugi::xml_node child = n.append_child(StringToUtf8(name).c_str());
  FDoc->Active = true;
  return IXMLNode(FDoc, child.internal_object());
}

bool IXMLNode::HasAttribute(const String& name) const {
  if (FAttr || (FPending && !FPending->Placed) || !Node()) return false;
  return static_cast<bool>(pugi::xml_node(Node()).attribute(StringToUtf8(name).c_str()));
}

String IXMLNode::Attributes(const String& name) const {
  if (FAttr || (FPending && !FPending->Placed) || !Node()) return u"";
  const pugi::xml_attribute a = pugi::xml_node(Node()).attribute(StringToUtf8(name).c_str());
  return a ? Utf8ToString(a.value()) : String();
}

void IXMLNode::SetAttributes(const String& name, const String& value) {
  RequireNode(*this);
  pugi::xml_node n = Placed(*this, Node(), FPending != nullptr);
  if (FAttr || n.type() != pugi::node_element) {
    xmldoc::Fail(u"Only an element has attributes (node " + Quoted(NodeName()) + u")");
  }
  if (!xmldoc::IsValidName(name)) xmldoc::Fail(Quoted(name) + u" is not a valid attribute name");
  const std::string key = StringToUtf8(name);
  pugi::xml_attribute a = n.attribute(key.c_str());
  if (!a) a = n.append_attribute(key.c_str());
  a.set_value(StringToUtf8(value).c_str());
}

void IXMLNode::SetAttributes(const String& name, Integer value) {
  SetAttributes(name, IntToStr(value));
}

namespace {

String RequireAttribute(const IXMLNode& node, const String& name) {
  if (!node.HasAttribute(name)) {
    xmldoc::Fail(u"Attribute " + Quoted(name) + u" not found in node " + Quoted(node.NodeName()));
  }
  return node.Attributes(name);
}

}  // namespace

Integer IXMLNode::AttributeAsInteger(const String& name) const {
  return StrToInt(RequireAttribute(*this, name));
}

Int64 IXMLNode::AttributeAsInt64(const String& name) const {
  return StrToInt64(RequireAttribute(*this, name));
}

bool IXMLNode::RemoveAttribute(const String& name) {
  if (FAttr || (FPending && !FPending->Placed) || !Node()) return false;
  return pugi::xml_node(Node()).remove_attribute(StringToUtf8(name).c_str());
}

IXMLNodeList IXMLNode::AttributeNodes() const { return IXMLNodeList(*this, true); }

IXMLNode IXMLNode::ParentNode() const {
  if (FAttr) return IXMLNode(FDoc, Node());
  if (!Node()) return IXMLNode();
  const pugi::xml_node p = pugi::xml_node(Node()).parent();
  return p ? IXMLNode(FDoc, p.internal_object()) : IXMLNode();
}

IXMLNode IXMLNode::NextSibling() const {
  if (FAttr) {
    const pugi::xml_attribute a = pugi::xml_attribute(FAttr).next_attribute();
    return a ? IXMLNode(FDoc, Node(), a.internal_object()) : IXMLNode();
  }
  if (!Node()) return IXMLNode();
  const pugi::xml_node s = pugi::xml_node(Node()).next_sibling();
  return s ? IXMLNode(FDoc, s.internal_object()) : IXMLNode();
}

IXMLNode IXMLNode::PreviousSibling() const {
  if (FAttr) {
    const pugi::xml_attribute a = pugi::xml_attribute(FAttr).previous_attribute();
    return a ? IXMLNode(FDoc, Node(), a.internal_object()) : IXMLNode();
  }
  if (!Node()) return IXMLNode();
  const pugi::xml_node s = pugi::xml_node(Node()).previous_sibling();
  return s ? IXMLNode(FDoc, s.internal_object()) : IXMLNode();
}

// ----------------------------------------------------------------------------------------------
// IXMLNodeList

IXMLNodeList::Iterator IXMLNodeList::begin() const {
  Iterator it;
  it.FCurrent = First();
  return it;
}

IXMLNodeList::Iterator IXMLNodeList::end() const { return Iterator(); }

IXMLNode IXMLNodeList::First() const {
  if (!FOwner.Node() || FOwner.FAttr) return IXMLNode();
  const pugi::xml_node n(FOwner.Node());
  if (FAttributes) {
    const pugi::xml_attribute a = n.first_attribute();
    return a ? IXMLNode(FOwner.FDoc, n.internal_object(), a.internal_object()) : IXMLNode();
  }
  const pugi::xml_node c = n.first_child();
  return c ? IXMLNode(FOwner.FDoc, c.internal_object()) : IXMLNode();
}

IXMLNode IXMLNodeList::Last() const {
  if (!FOwner.Node() || FOwner.FAttr) return IXMLNode();
  const pugi::xml_node n(FOwner.Node());
  if (FAttributes) {
    const pugi::xml_attribute a = n.last_attribute();
    return a ? IXMLNode(FOwner.FDoc, n.internal_object(), a.internal_object()) : IXMLNode();
  }
  const pugi::xml_node c = n.last_child();
  return c ? IXMLNode(FOwner.FDoc, c.internal_object()) : IXMLNode();
}

Integer IXMLNodeList::Count() const {
  Integer count = 0;
  for (IXMLNode n = First(); !n.IsNull(); n = n.NextSibling()) ++count;
  return count;
}

IXMLNode IXMLNodeList::Get(Integer index) const {
  if (index >= 0) {
    Integer i = 0;
    for (IXMLNode n = First(); !n.IsNull(); n = n.NextSibling(), ++i) {
      if (i == index) return n;
    }
  }
  IndexError(index);
}

IXMLNode IXMLNodeList::FindNode(const String& name) const {
  if (!FAttributes && !FOwner.FAttr && FOwner.Node()) {
    // The children are looked at in the tree; only the one found gets a handle.
    for (pugi::xml_node c = pugi::xml_node(FOwner.Node()).first_child(); c; c = c.next_sibling()) {
      const bool same = c.type() == pugi::node_element ? SameName(c.name(), name)
                                                       : NameOfKind(TypeOf(c.type())) == name;
      if (same) return IXMLNode(FOwner.FDoc, c.internal_object());
    }
    return IXMLNode();
  }
  for (IXMLNode n = First(); !n.IsNull(); n = n.NextSibling()) {
    if (n.NameIs(name)) return n;
  }
  return IXMLNode();
}

void IXMLNodeList::FindNodes(const String* const* names, IXMLNode* found, size_t count) const {
  for (size_t i = 0; i < count; ++i) found[i] = IXMLNode();
  if (count > 64 || FAttributes || FOwner.FAttr || !FOwner.Node()) {
    for (size_t i = 0; i < count; ++i) found[i] = FindNode(*names[i]);
    return;
  }
  // The names still looked for, one bit each; the walk ends when none is left.
  uint64_t open = count == 64 ? ~uint64_t{0} : (uint64_t{1} << count) - 1;
  for (pugi::xml_node c = pugi::xml_node(FOwner.Node()).first_child(); c && open; c = c.next_sibling()) {
    const bool element = c.type() == pugi::node_element;
    const char* name = element ? c.name() : nullptr;
    const auto first = element ? static_cast<unsigned char>(name[0]) : 0;
    String kind;  // the name of a node of another kind, made when first compared
    for (uint64_t rest = open; rest != 0; rest &= rest - 1) {
      const int i = std::countr_zero(rest);
      const String& want = *names[i];
      bool same;
      if (element) {
        // Most names differ in their first letter.
        if (first < 0x80 && !want.empty() && want[0] != first) continue;
        same = SameName(name, want);
      } else {
        if (kind.empty()) kind = NameOfKind(TypeOf(c.type()));
        same = kind == want;
      }
      if (same) {
        found[i] = IXMLNode(FOwner.FDoc, c.internal_object());
        open &= ~(uint64_t{1} << i);
      }
    }
  }
}

void IXMLNodeList::Iterator::Advance() {
  if (FCurrent.FAttr || FCurrent.FPending || !FCurrent.FNode) {
    FCurrent = FCurrent.NextSibling();
    return;
  }
  // The handle moves on in place: it keeps its hold on the document.
  const pugi::xml_node next = pugi::xml_node(FCurrent.FNode).next_sibling();
  if (next) {
    FCurrent.FNode = next.internal_object();
  } else {
    FCurrent = IXMLNode();
  }
}

IXMLNode IXMLNodeList::operator[](const String& name) const {
  IXMLNode n = FindNode(name);
  if (n.IsNull()) {
    xmldoc::Fail(u"Node " + Quoted(name) + u" not found in " + Quoted(FOwner.NodeName()));
  }
  return n;
}

Integer IXMLNodeList::IndexOf(const IXMLNode& node) const {
  if (node.IsNull()) return -1;
  Integer i = 0;
  for (IXMLNode n = First(); !n.IsNull(); n = n.NextSibling(), ++i) {
    if (n == node) return i;
  }
  return -1;
}

IXMLNode IXMLNodeList::Insert(Integer index, const IXMLNode& node) {
  RequireNode(FOwner);
  RequireNode(node);
  const Integer count = Count();
  if (index < 0 || index > count) IndexError(index);
  pugi::xml_node owner = Placed(FOwner, FOwner.Node(), FOwner.FPending != nullptr);
  if (FAttributes || FOwner.FAttr ||
      (owner.type() != pugi::node_element && owner.type() != pugi::node_document)) {
    xmldoc::Fail(u"Cannot add a child to the node " + Quoted(FOwner.NodeName()));
  }
  if (node.FAttr) xmldoc::Fail(u"An attribute cannot be added as a child node");
  if (node.FDoc != FOwner.FDoc) xmldoc::Fail(u"The node belongs to another document");
  const pugi::xml_node before = index < count ? pugi::xml_node(Get(index).Node()) : pugi::xml_node();

  // The kind of the node to place, for the rules of the top level.
  const TNodeType kind = node.NodeType();
  if (owner.type() == pugi::node_document) {
    if (kind == ntText || kind == ntCData) {
      xmldoc::Fail(u"Text cannot stand at the top level of a document");
    }
    if (kind == ntElement) {
      for (pugi::xml_node c = owner.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element && c.internal_object() != node.Node()) {
          xmldoc::Fail(u"The document already has a root element " +
                       Quoted(Utf8ToString(c.name())));
        }
      }
    }
  }

  pugi::xml_node placed;
  if (node.FPending && !node.FPending->Placed) {
    pugi::xml_node_type t = pugi::node_element;
    switch (kind) {
      case ntElement: t = pugi::node_element; break;
      case ntText: t = pugi::node_pcdata; break;
      case ntCData: t = pugi::node_cdata; break;
      case ntComment: t = pugi::node_comment; break;
      default: xmldoc::Fail(u"This kind of node cannot be added");
    }
    placed = before ? owner.insert_child_before(t, before) : owner.append_child(t);
    if (kind == ntElement) {
      placed.set_name(StringToUtf8(node.FPending->Text).c_str());
    } else {
      placed.set_value(StringToUtf8(node.FPending->Text).c_str());
    }
    node.FPending->Placed = placed.internal_object();
  } else {
    const pugi::xml_node moving(node.Node());
    if (moving == before) return node;
    placed = before ? owner.insert_move_before(moving, before) : owner.append_move(moving);
    if (!placed) xmldoc::Fail(u"A node cannot be moved into itself");
  }
  FOwner.FDoc->Active = true;
  return IXMLNode(FOwner.FDoc, placed.internal_object());
}

IXMLNode IXMLNodeList::Add(const IXMLNode& node) { return Insert(Count(), node); }

void IXMLNodeList::Delete(Integer index) {
  IXMLNode n = Get(index);
  if (FAttributes) {
    pugi::xml_node(FOwner.Node()).remove_attribute(pugi::xml_attribute(n.FAttr));
  } else {
    pugi::xml_node(FOwner.Node()).remove_child(pugi::xml_node(n.Node()));
  }
}

Integer IXMLNodeList::Remove(const IXMLNode& node) {
  const Integer index = IndexOf(node);
  if (index >= 0) Delete(index);
  return index;
}

void IXMLNodeList::Clear() {
  if (!FOwner.Node() || FOwner.FAttr) return;
  pugi::xml_node n(FOwner.Node());
  if (FAttributes) {
    n.remove_attributes();
  } else {
    n.remove_children();
  }
}

// ----------------------------------------------------------------------------------------------
// TXMLDocument

TXMLDocument::TXMLDocument() : FData(std::make_shared<TXMLDocumentData>()) {}

TXMLDocument::~TXMLDocument() = default;

bool TXMLDocument::Active() const { return FData->Active; }

void TXMLDocument::SetActive(bool value) {
  if (value == FData->Active) return;
  if (!value) {
    FData->Doc.reset();
    std::string().swap(FData->Buffer);
  }
  FData->Active = value;
}

void TXMLDocument::Clear() { FData->Doc.remove_children(); }

void TXMLDocument::RequireActive() const {
  if (!FData->Active) xmldoc::Fail(u"The XML document is not active");
}

IXMLNode TXMLDocument::Node() const { return IXMLNode(FData, FData->Doc.internal_object()); }

IXMLNode TXMLDocument::DocumentElement() const {
  const pugi::xml_node first = FData->Doc.first_child();
  return first ? IXMLNode(FData, first.internal_object()) : IXMLNode();
}

IXMLNode TXMLDocument::RootElement() const {
  for (pugi::xml_node n = FData->Doc.first_child(); n; n = n.next_sibling()) {
    if (n.type() == pugi::node_element) return IXMLNode(FData, n.internal_object());
  }
  return IXMLNode();
}

IXMLNodeList TXMLDocument::ChildNodes() const { return Node().ChildNodes(); }

IXMLNode TXMLDocument::AddChild(const String& name) { return Node().AddChild(name); }

IXMLNode TXMLDocument::CreateNode(const String& text, TNodeType nodeType) {
  switch (nodeType) {
    case ntElement:
      if (!xmldoc::IsValidName(text)) xmldoc::Fail(Quoted(text) + u" is not a valid element name");
      break;
    case ntText:
    case ntCData:
    case ntComment:
      break;
    default:
      xmldoc::Fail(u"This kind of node cannot be created");
  }
  FData->Active = true;
  IXMLNode n(FData, nullptr);
  n.FPending = std::make_shared<TXMLPendingNode>();
  n.FPending->Type = nodeType;
  n.FPending->Text = text;
  return n;
}
