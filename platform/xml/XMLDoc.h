// The XML document object model: a document of nodes, read from and written to UTF-8 files.
//
// Rules every reader and writer of the configurator relies on:
// - The document's first top-level node is its root (`DocumentElement`), whatever its kind or name.
// - Comments are nodes: they are kept on load, listed among the child nodes and written on save.
// - Text made of white space only is dropped on load, so a hand-indented file reads like a compact
//   one. Other text is kept exactly as it stands.
// - Reading `Text` of an element that has element children raises EXMLDocError.
// - Reading an attribute as a number raises when the attribute is missing or is not an integer.
// - A missing or malformed file raises EXMLDocError on load, with the reason and the place. A
//   character XML 1.0 cannot carry (XMLChars.h) makes a file malformed, wherever it stands as it is
//   and wherever a character reference to it is decoded (text, attribute values), so no value read
//   can lose a character when it is written back.
//
// The saved form, byte for byte (the default options):
// - UTF-8 without byte order mark, no XML declaration, no line breaks and no indentation.
// - An element without children is written "<name/>", otherwise "<name>...</name>"; attributes are
//   written in their order, each as ` name="value"`.
// - In text, "&", "<" and ">" are written "&amp;", "&lt;" and "&gt;", a carriage return "&#13;".
//   A text of blanks, tabs and line ends only is written as character references ("&#32;", "&#9;",
//   "&#10;", "&#13;"), since plain it would be dropped as white space when the file is read again.
// - In attribute values, "&", "<", ">" and '"' are written "&amp;", "&lt;", "&gt;" and "&quot;", and
//   tab, line feed and carriage return "&#9;", "&#10;" and "&#13;" (so they read back unchanged).
// - A comment is written "<!--text-->", a CDATA section "<![CDATA[text]]>".
// - Characters that XML 1.0 cannot carry (control characters other than tab, line feed and
//   carriage return, U+FFFE, U+FFFF) are left out of every value set by the program (XMLChars.h),
//   so the file is well-formed for every XML tool; a loaded document holds none.
// With SetXMLDeclaration(true) the document starts with `<?xml version="1.0" encoding="UTF-8"?>` and
// CR LF. With SetIndent(true) each node starts on a line of its own, indented by two blanks per
// level, lines ending in CR LF; an element holding only text keeps it on its own line
// ("<a>text</a>"), and an element that mixes text with other nodes is written without breaks inside.
//
// Node handles: `IXMLNode` and `IXMLNodeList` are small value handles onto the nodes of a document.
// Copies name the same node. A handle keeps its document's storage alive, but a node removed from
// the tree (Delete, Remove, Clear, a new load) is gone: handles to it must not be used any more.
// A null handle (`IsNull()`) answers empty values to reads and raises EXMLDocError on changes.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <string>

#include "platform/rtl/SysUtils.h"

namespace pugi {
struct xml_node_struct;
struct xml_attribute_struct;
}  // namespace pugi

// Raised for every failure of the document model: a file that is missing, unreadable or not
// well-formed, a node that cannot do what was asked, a missing node or attribute.
KP_DECLARE_EXCEPTION(EXMLDocError, Exception)

// The kinds of node, in the classic order of the DOM's node types.
enum TNodeType {
  ntReserved,
  ntElement,
  ntAttribute,
  ntText,
  ntCData,
  ntEntityRef,
  ntEntity,
  ntProcessingInstr,
  ntComment,
  ntDocument,
  ntDocType,
  ntDocFragment,
  ntNotation
};

struct TXMLDocumentData;  // the parsed document and the nodes created but not yet placed
struct TXMLPendingNode;   // a node made by CreateNode that has not joined the tree yet

class IXMLNodeList;

// A handle onto one node: an element, a text, a CDATA section, a comment, an attribute or the
// document node itself.
class IXMLNode {
 public:
  IXMLNode() = default;

  bool IsNull() const;
  explicit operator bool() const { return !IsNull(); }
  // Two handles are equal when they name the same node (all null handles are equal).
  bool operator==(const IXMLNode& other) const;
  bool operator!=(const IXMLNode& other) const { return !(*this == other); }

  TNodeType NodeType() const;
  // The element's or attribute's name; "#text", "#cdata-section", "#comment", "#document" for the
  // other kinds; empty for a null handle.
  String NodeName() const;
  // NodeName() == name, without making the name's text.
  bool NameIs(const String& name) const;

  // Element: the text of its text and CDATA children, joined ("" when it has none); raises
  // EXMLDocError when the element has element children. Text, CDATA, comment, attribute: the value.
  // Document: raises. Null handle: "".
  String Text() const;
  // Element: replaces all its children by one text node ("" leaves it with no children). Text,
  // CDATA, comment, attribute: sets the value.
  void SetText(const String& value);
  // True for an element that has children and only text or CDATA children.
  bool IsTextElement() const;
  bool HasChildNodes() const;

  // The child nodes (elements, texts, comments, ...). For a document node: the top-level nodes.
  IXMLNodeList ChildNodes() const;
  // Appends a new element as the last child and returns it.
  IXMLNode AddChild(const String& name);

  // Attributes of an element, in their order.
  bool HasAttribute(const String& name) const;
  // The value of the attribute; "" when the node has no such attribute (or is not an element).
  String Attributes(const String& name) const;
  // Sets the attribute: an existing one keeps its place, a new one is appended after the others.
  void SetAttributes(const String& name, const String& value);
  void SetAttributes(const String& name, Integer value);  // written in decimal
  // The attribute read as an integer with the rules of StrToInt (optional leading blanks and sign;
  // decimal, or hexadecimal after "$", "x", "X", "0x", "0X"). Raises EXMLDocError when the
  // attribute is missing and EConvertError when its text is not an integer.
  Integer AttributeAsInteger(const String& name) const;
  Int64 AttributeAsInt64(const String& name) const;
  // Removes the attribute; true when there was one.
  bool RemoveAttribute(const String& name);
  // The attributes as nodes of kind ntAttribute (NodeName = name, Text = value).
  IXMLNodeList AttributeNodes() const;

  // Navigation; each gives a null handle where there is no such node. The parent of a top-level
  // node is the document node; the parent of an attribute is its element.
  IXMLNode ParentNode() const;
  IXMLNode NextSibling() const;
  IXMLNode PreviousSibling() const;

 private:
  friend class IXMLNodeList;
  friend class TXMLDocument;
  IXMLNode(std::shared_ptr<TXMLDocumentData> doc, pugi::xml_node_struct* node,
           pugi::xml_attribute_struct* attr = nullptr);
  // The node in the tree (resolving a created node once it was placed); null when none.
  pugi::xml_node_struct* Node() const;

  std::shared_ptr<TXMLDocumentData> FDoc;
  pugi::xml_node_struct* FNode = nullptr;
  pugi::xml_attribute_struct* FAttr = nullptr;
  std::shared_ptr<TXMLPendingNode> FPending;
};

// A live list of the child nodes (or of the attribute nodes) of one node: Count and indexes always
// reflect the tree as it is now.
class IXMLNodeList {
 public:
  IXMLNodeList() = default;

  Integer Count() const;
  // The node at the 0-based index; raises EListError "List index out of bounds (%d)" outside.
  IXMLNode Get(Integer index) const;
  IXMLNode operator[](Integer index) const { return Get(index); }
  // The first child node with that name; raises EXMLDocError when there is none. Reading never
  // creates nodes.
  IXMLNode operator[](const String& name) const;
  // The first child node with that name, or a null handle.
  IXMLNode FindNode(const String& name) const;
  // FindNode for each of count names at once, in one pass over the children: found[i] is the first
  // child named names[i], or a null handle.
  void FindNodes(const String* const* names, IXMLNode* found, size_t count) const;
  IXMLNode First() const;
  IXMLNode Last() const;
  Integer IndexOf(const IXMLNode& node) const;  // -1 when not in the list

  // Appends a node made by TXMLDocument::CreateNode (and returns it, now in the tree). A node that
  // is already in the tree is moved here. Appending to a document node places the node at top
  // level, after the nodes already there.
  IXMLNode Add(const IXMLNode& node);
  // Inserts the node before position index (index = Count appends).
  IXMLNode Insert(Integer index, const IXMLNode& node);
  // Removes the node at index (raises EListError outside) or the given node (-1 when absent).
  void Delete(Integer index);
  Integer Remove(const IXMLNode& node);
  void Clear();

  // Range-for over the nodes: for (IXMLNode n : node.ChildNodes()) ...
  class Iterator {
   public:
    const IXMLNode& operator*() const { return FCurrent; }
    Iterator& operator++() {
      Advance();
      return *this;
    }
    bool operator!=(const Iterator& other) const { return FCurrent != other.FCurrent; }

   private:
    friend class IXMLNodeList;
    void Advance();  // FCurrent := its next sibling
    IXMLNode FCurrent;
  };
  Iterator begin() const;
  Iterator end() const;

 private:
  friend class IXMLNode;
  IXMLNodeList(IXMLNode owner, bool attributes) : FOwner(std::move(owner)), FAttributes(attributes) {}
  IXMLNode FOwner;
  bool FAttributes = false;
};

// The largest file LoadFromFile reads unless its caller names a bound fitting what it reads.
constexpr Int64 XMLFileMaxSize = 256 * 1024 * 1024;

// The document. It starts inactive; SetActive(true), a load or AddChild makes it active.
class TXMLDocument : public TObject {
 public:
  TXMLDocument();
  ~TXMLDocument() override;
  String ClassName() const override { return u"TXMLDocument"; }

  bool Active() const;
  // true: an empty document when there was none. false: drops the whole document.
  void SetActive(bool value);
  // Removes every top-level node; the document stays active.
  void Clear();

  // Loads a file, replacing the document. Raises EXMLDocError when the file is missing or cannot be
  // read, and when it is not well-formed XML, a character XML cannot carry included (the message
  // names the file, the reason and the byte offset in the text read as UTF-8). Only a regular file
  // of at most maxSize bytes is read: a folder, a device, a pipe or a larger file raises
  // EXMLDocError naming the file and saying what stands there, without waiting for a pipe
  // (ReadRegularFile). A file that does not fit in memory raises EOutOfMemory naming it.
  // On failure the document is left empty and active.
  //
  // Encoding: a byte order mark (UTF-8, UTF-16) or the declared encoding (UTF-8, UTF-16, US-ASCII,
  // ISO-8859-1, windows-1252, IBM850) decides; without either the bytes are UTF-8. Bytes that are
  // not valid UTF-8 and declare no encoding raise, unless fallbackCodePage names the code page to
  // read them in (850 or 1252). UTF-16 with a surrogate of no pair raises.
  void LoadFromFile(const String& fileName, Integer fallbackCodePage = 0, Int64 maxSize = XMLFileMaxSize);
  void LoadFromBytes(const std::string& bytes, Integer fallbackCodePage = 0);
  void LoadFromXML(const String& xml);
  // Writes the document (see the saved form above). SaveToFile replaces the file and raises
  // EXMLDocError when it cannot be written.
  void SaveToFile(const String& fileName) const;
  std::string SaveToBytes() const;
  String SaveToXML() const;

  // The first top-level node, whatever its kind or name; a null handle when there is none.
  IXMLNode DocumentElement() const;
  // The root element: the first top-level element, past any comment before it; a null handle when
  // there is none.
  IXMLNode RootElement() const;
  // The top-level nodes, comments included.
  IXMLNodeList ChildNodes() const;
  // The document node (kind ntDocument): its child nodes are the top-level nodes.
  IXMLNode Node() const;
  // Appends a new top-level element and returns it.
  IXMLNode AddChild(const String& name);
  // Makes a node that is not yet in the tree: ntComment and ntText take text as their value,
  // ntCData its content, ntElement its name. It joins the tree through IXMLNodeList::Add or Insert.
  IXMLNode CreateNode(const String& text, TNodeType nodeType = ntElement);

  // Writing options (both off by default).
  bool XMLDeclaration() const { return FDeclaration; }
  void SetXMLDeclaration(bool value) { FDeclaration = value; }
  bool Indent() const { return FIndent; }
  void SetIndent(bool value) { FIndent = value; }

 private:
  void RequireActive() const;
  std::shared_ptr<TXMLDocumentData> FData;
  bool FDeclaration = false;
  bool FIndent = false;
};

// Loads FileName (within maxSize bytes) and gives what read makes of the document. Memory running
// out while the file is loaded or read is EOutOfMemory naming the file, as for every other reader.
template <class TRead>
auto ReadXMLFile(const String& fileName, Int64 maxSize, TRead read) {
  try {
    TXMLDocument doc;
    doc.LoadFromFile(fileName, 0, maxSize);
    return read(doc);
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryReading(fileName);
  }
}
