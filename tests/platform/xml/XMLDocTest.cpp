#include "platform/xml/XMLDoc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/rtl/CodePages.h"
#include "tests/platform/rtl/FileSizeLimit.h"
#include "tests/platform/rtl/NotAFile.h"
#include "tests/TempFolder.h"
#include "tests/platform/xml/XmllintCheck.h"

namespace {

const std::string kFixtures = std::string(KP_FIXTURES_DIR) + "/platform/xml/";

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

String Fixture(const char* name) { return Utf8ToString(kFixtures + name); }

// A fresh folder under the system's temporary folder, removed at the end of the test.
struct TempDir : TTempFolder {
  TempDir() : TTempFolder("xmldoc_test") {}
};

// ---------------------------------------------------------------------------------------------
// The saved form

TEST(XMLDocSave, PrettyFileWithCommentAfterRootSavesCompactToExactBytes) {
  TXMLDocument doc;
  doc.LoadFromFile(Fixture("pretty_with_comment.xml"));
  TempDir dir;
  doc.SaveToFile(dir.File("out.xml"));
  EXPECT_EQ(ReadBytes(StringToUtf8(dir.File("out.xml"))),
            ReadBytes(kFixtures + "pretty_with_comment.saved.xml"));
}

TEST(XMLDocSave, DeclarationAndIndentWhenAsked) {
  TXMLDocument doc;
  doc.LoadFromFile(Fixture("pretty_with_comment.xml"));
  doc.SetXMLDeclaration(true);
  doc.SetIndent(true);
  EXPECT_EQ(doc.SaveToBytes(), ReadBytes(kFixtures + "pretty_with_comment.indented.xml"));
}

TEST(XMLDocSave, IndentedMixedContentStaysOnOneLine) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<a><b>x<c/>y</b><d/></a>");
  doc.SetIndent(true);
  EXPECT_EQ(doc.SaveToBytes(), "<a>\r\n  <b>x<c/>y</b>\r\n  <d/>\r\n</a>\r\n");
}

// The writers' sequence: clear, add the root, append the version comment at document level after
// the root, then the children; attributes in the order set, a re-set one keeping its place.
TEST(XMLDocSave, DocumentBuiltLikeTheConfigurationWritersDo) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<Old><Stuff/></Old>");
  doc.SetActive(true);
  doc.Clear();
  EXPECT_EQ(doc.ChildNodes().Count(), 0);
  IXMLNode root = doc.AddChild(u"Par_Gen");
  IXMLNode comment = doc.CreateNode(u"SW_VERSION = 1.002", ntComment);
  IXMLNode placed = doc.ChildNodes().Add(comment);
  EXPECT_EQ(placed, comment);  // the created handle follows the node into the tree
  EXPECT_EQ(comment.NodeType(), ntComment);
  root.AddChild(u"Ethernet_IP1").SetText(u"192");
  root.AddChild(u"Empty").SetText(u"");
  IXMLNode device = root.AddChild(u"Device");
  device.SetAttributes(u"Id", u"0");
  device.SetAttributes(u"Key", u"");
  device.SetAttributes(u"PTM", 2);
  device.SetAttributes(u"Id", 7);  // keeps its first place
  EXPECT_EQ(doc.SaveToBytes(), ReadBytes(kFixtures + "built_document.xml"));
  EXPECT_EQ(doc.DocumentElement(), root);
}

TEST(XMLDocSave, SpecialAndNonAsciiCharactersRoundTrip) {
  const String attr = u"&<>\"' \u00e9\t\n\r";
  const String text = u"&<>\"' \u00e9\u20ac\U0001F600\r";
  TXMLDocument doc;
  doc.SetActive(true);
  IXMLNode a = doc.AddChild(u"a");
  a.SetAttributes(u"t", attr);
  a.SetText(text);
  const std::string bytes = doc.SaveToBytes();
  EXPECT_EQ(bytes, ReadBytes(kFixtures + "escapes.saved.xml"));

  TXMLDocument back;
  back.LoadFromBytes(bytes);
  EXPECT_EQ(back.DocumentElement().Attributes(u"t"), attr);
  EXPECT_EQ(back.DocumentElement().Text(), text);
  EXPECT_EQ(back.SaveToXML(), doc.SaveToXML());
}

// A value of blanks only (typed in an edit box) must read back as it was written.
TEST(XMLDocSave, BlankOnlyTextSurvivesTheRoundTrip) {
  TXMLDocument doc;
  IXMLNode root = doc.AddChild(u"r");
  root.AddChild(u"blank").SetText(u" ");
  root.AddChild(u"mixed").SetText(u" \t\r\n");
  root.AddChild(u"padded").SetText(u" x ");
  const std::string bytes = doc.SaveToBytes();
  EXPECT_EQ(bytes, "<r><blank>&#32;</blank><mixed>&#32;&#9;&#13;&#10;</mixed><padded> x </padded></r>");
  TXMLDocument back;
  back.LoadFromBytes(bytes);
  IXMLNodeList c = back.DocumentElement().ChildNodes();
  EXPECT_EQ(c[u"blank"].Text(), u" ");
  EXPECT_EQ(c[u"mixed"].Text(), u" \t\r\n");
  EXPECT_EQ(c[u"padded"].Text(), u" x ");
}

TEST(XMLDocSave, CommentAndCDataThatWouldBreakTheFileStayWellFormed) {
  TXMLDocument doc;
  IXMLNode root = doc.AddChild(u"r");
  root.ChildNodes().Add(doc.CreateNode(u"a--b-", ntComment));
  root.ChildNodes().Add(doc.CreateNode(u"x]]>y", ntCData));
  const std::string bytes = doc.SaveToBytes();
  EXPECT_EQ(bytes, "<r><!--a- -b- --><![CDATA[x]]]]><![CDATA[>y]]></r>");
  TXMLDocument back;
  back.LoadFromBytes(bytes);
  EXPECT_EQ(back.DocumentElement().Text(), u"x]]>y");
}

// Control characters and the other characters XML 1.0 cannot carry would make the file unreadable
// for every other XML tool; they are left out of every kind of value, and the rest is kept.
TEST(XMLDocSave, CharactersXmlCannotCarryAreLeftOut) {
  TXMLDocument doc;
  IXMLNode r = doc.AddChild(u"r");
  r.SetAttributes(u"t", u"c\x1F" u"d\uFFFE\t");
  r.AddChild(u"x").SetText(u"a\x01" u"b\uFFFF\U0001F600");
  r.ChildNodes().Add(doc.CreateNode(u"-\x02-", ntComment));
  r.ChildNodes().Add(doc.CreateNode(u"p\x0Bq", ntCData));
  const std::string bytes = doc.SaveToBytes();
  EXPECT_EQ(bytes, "<r t=\"cd&#9;\"><x>ab\xF0\x9F\x98\x80</x><!--- - --><![CDATA[pq]]></r>");
  TempDir dir;
  doc.SaveToFile(dir.File("c.xml"));
  EXPECT_TRUE(Xmllint_Accepts(dir.File("c.xml")));
  TXMLDocument back;
  back.LoadFromFile(dir.File("c.xml"));
  EXPECT_EQ(back.DocumentElement().Attributes(u"t"), u"cd\t");
  EXPECT_EQ(back.DocumentElement().ChildNodes()[u"x"].Text(), u"ab\U0001F600");

  // A text of nothing else is no text at all, so the file reads back as it is written.
  TXMLDocument only;
  IXMLNode o = only.AddChild(u"o");
  o.AddChild(u"a").SetText(u"\x02");
  o.AddChild(u"b");
  for (bool indent : {false, true}) {
    only.SetIndent(indent);
    const std::string saved = only.SaveToBytes();
    TXMLDocument again;
    again.LoadFromBytes(saved);
    again.SetIndent(indent);
    EXPECT_EQ(again.SaveToBytes(), saved) << indent;
  }
  only.SetIndent(false);
  EXPECT_EQ(only.SaveToBytes(), "<o><a/><b/></o>");
}

// What looks like a character reference in a comment or a CDATA section is not one: it is written
// as it stands and reads back so, also where the writer left out a character XML cannot carry from
// the middle of it (a comment "&#", U+0015, "0;" comes out as "&#0;").
TEST(XMLDocSave, ReferenceLookAlikesInCommentsAndCDataReadBack) {
  TXMLDocument doc;
  IXMLNode r = doc.AddChild(u"r");
  r.ChildNodes().Add(doc.CreateNode(u"&#\x15" u"0;", ntComment));
  r.ChildNodes().Add(doc.CreateNode(u"&#1;&#xFFFE;&#xD800;", ntCData));
  doc.ChildNodes().Add(doc.CreateNode(u"&#x0;", ntComment));
  const std::string bytes = doc.SaveToBytes();
  EXPECT_EQ(bytes, "<r><!--&#0;--><![CDATA[&#1;&#xFFFE;&#xD800;]]></r><!--&#x0;-->");
  TXMLDocument back;
  back.LoadFromBytes(bytes);
  EXPECT_EQ(back.SaveToBytes(), bytes);
  EXPECT_EQ(back.DocumentElement().ChildNodes()[0].Text(), u"&#0;");
  EXPECT_EQ(back.DocumentElement().Text(), u"&#1;&#xFFFE;&#xD800;");

  // The file the fuzzer found holds that control character itself, and more: it is refused.
  try {
    back.LoadFromFile(Fixture("fuzz/control_character_inside_a_comment_reference.xml"), 850);
    ADD_FAILURE() << "no exception";
  } catch (const EXMLDocError& e) {
    EXPECT_NE(e.Message().find(u"is not well-formed XML: it contains the character U+0015"), String::npos)
        << StringToUtf8(e.Message());
  }
}

TEST(XMLDocSave, UnwritableFileRaises) {
  TXMLDocument doc;
  doc.AddChild(u"a");
  TempDir dir;
  EXPECT_THROW(doc.SaveToFile(dir.File("missing/folder/out.xml")), EXMLDocError);
}

// A save that cannot be completed (a file size limit stands in for a full disk) raises and leaves
// the file that was there before as it was.
TEST(XMLDocSave, FailedSaveKeepsTheOldFile) {
  TempDir dir;
  const String file = dir.File("EnOcean.xml");
  TXMLDocument old;
  old.AddChild(u"EnOcean").AddChild(u"DevicesList");
  old.SaveToFile(file);
  const std::string before = ReadBytes(StringToUtf8(file));

  TXMLDocument doc;
  IXMLNode list = doc.AddChild(u"EnOcean").AddChild(u"DevicesList");
  for (int i = 0; i < 200; ++i) list.AddChild(u"Device").SetAttributes(u"Id", u"0180A5F3");
  try {
    TFileSizeLimit limit(1024);
    doc.SaveToFile(file);
    ADD_FAILURE() << "no exception";
  } catch (const EXMLDocError& e) {
    EXPECT_EQ(e.Message().rfind(u"Cannot write the XML file \"" + file + u"\": ", 0), 0u)
        << e.what();
  }
  EXPECT_EQ(ReadBytes(StringToUtf8(file)), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(StringToUtf8(ExtractFileDir(file))),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(XMLDocSave, InactiveDocumentRaisesOnSave) {
  TXMLDocument doc;
  EXPECT_FALSE(doc.Active());
  EXPECT_THROW(doc.SaveToBytes(), EXMLDocError);
  doc.LoadFromXML(u"<a/>");
  doc.SetActive(false);
  EXPECT_TRUE(doc.DocumentElement().IsNull());
  EXPECT_THROW(doc.SaveToBytes(), EXMLDocError);
}

// ---------------------------------------------------------------------------------------------
// Reading

TEST(XMLDocRead, RootIsTheFirstTopLevelNodeWhateverItsKind) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<!--first--><Other><x/></Other><!--last-->");
  EXPECT_EQ(doc.ChildNodes().Count(), 3);
  EXPECT_EQ(doc.DocumentElement().NodeType(), ntComment);
  EXPECT_EQ(doc.DocumentElement().Text(), u"first");
  EXPECT_EQ(doc.RootElement().NodeName(), u"Other");
  EXPECT_EQ(doc.ChildNodes().FindNode(u"Other").ChildNodes().Count(), 1);
  EXPECT_EQ(doc.ChildNodes()[2].NodeName(), u"#comment");

  doc.LoadFromXML(u"<Conf_Other><lastproj/></Conf_Other><!--c-->");
  EXPECT_EQ(doc.DocumentElement().NodeName(), u"Conf_Other");
  EXPECT_EQ(doc.DocumentElement().ParentNode().NodeType(), ntDocument);
  EXPECT_EQ(doc.RootElement(), doc.DocumentElement());
  EXPECT_TRUE(TXMLDocument().RootElement().IsNull());
}

TEST(XMLDocRead, WhiteSpaceOnlyTextIsDroppedOtherTextKept) {
  TXMLDocument pretty;
  pretty.LoadFromXML(u"<a>\r\n  <b> x </b>\r\n  <c>   </c>\n\t<!--n-->\n</a>");
  IXMLNode a = pretty.DocumentElement();
  ASSERT_EQ(a.ChildNodes().Count(), 3);
  EXPECT_EQ(a.ChildNodes()[0].Text(), u" x ");
  EXPECT_FALSE(a.ChildNodes()[1].HasChildNodes());
  EXPECT_EQ(a.ChildNodes()[1].Text(), u"");
  EXPECT_EQ(a.ChildNodes()[2].NodeType(), ntComment);
}

// Processing instructions are not kept; the texts on both sides of one become one text.
TEST(XMLDocRead, ProcessingInstructionsAreSkipped) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<?xml-stylesheet href=\"a\"?><a>x<?pi data?>&#10;</a>");
  EXPECT_EQ(doc.ChildNodes().Count(), 1);
  EXPECT_EQ(doc.DocumentElement().ChildNodes().Count(), 1);
  EXPECT_EQ(doc.DocumentElement().Text(), u"x\n");
}

TEST(XMLDocRead, TextAndIsTextElement) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<r><t>v</t><e/><m>x<!--c-->y</m><p><q/></p><d>a<![CDATA[<b>]]></d></r>");
  IXMLNodeList c = doc.DocumentElement().ChildNodes();
  struct Row {
    const char* name;
    const char16_t* node;
    bool isText;
    const char16_t* text;  // nullptr: reading raises
  } rows[] = {
      {"plain text", u"t", true, u"v"},
      {"empty element", u"e", false, u""},
      {"text around a comment", u"m", false, u"xy"},
      {"element children", u"p", false, nullptr},
      {"text and CDATA", u"d", true, u"a<b>"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    IXMLNode n = c[row.node];
    EXPECT_EQ(n.IsTextElement(), row.isText);
    if (row.text) {
      EXPECT_EQ(n.Text(), row.text);
    } else {
      EXPECT_THROW(n.Text(), EXMLDocError);
    }
  }
  EXPECT_THROW(doc.DocumentElement().Text(), EXMLDocError);
}

TEST(XMLDocRead, AttributesInOrderAndMissingOnesEmpty) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<Device Id=\"5\" Key=\"\" PTM=\"1\"/>");
  IXMLNode d = doc.DocumentElement();
  EXPECT_TRUE(d.HasAttribute(u"Key"));
  EXPECT_EQ(d.Attributes(u"Key"), u"");
  EXPECT_FALSE(d.HasAttribute(u"Missing"));
  EXPECT_EQ(d.Attributes(u"Missing"), u"");
  std::vector<String> names;
  for (IXMLNode a : d.AttributeNodes()) {
    EXPECT_EQ(a.NodeType(), ntAttribute);
    EXPECT_EQ(a.ParentNode(), d);
    names.push_back(a.NodeName() + u"=" + a.Text());
  }
  EXPECT_EQ(names, (std::vector<String>{u"Id=5", u"Key=", u"PTM=1"}));
  EXPECT_TRUE(d.RemoveAttribute(u"Key"));
  EXPECT_EQ(d.AttributeNodes().Count(), 2);
  EXPECT_EQ(d.AttributeNodes()[1].NodeName(), u"PTM");
}

TEST(XMLDocRead, AttributeAsInteger) {
  struct Row {
    const char* name;
    const char16_t* value;  // nullptr: attribute missing
    Integer expected;
    bool raises;
  } rows[] = {
      {"decimal", u"12", 12, false},
      {"negative", u"-7", -7, false},
      {"leading blanks", u" 12", 12, false},
      {"dollar hex", u"$0C", 12, false},
      {"0x hex", u"0xA5", 165, false},
      {"x hex", u"x1F", 31, false},
      {"negative hex", u"-0x10", -16, false},
      {"largest", u"2147483647", 2147483647, false},
      {"smallest", u"-2147483648", INT32_MIN, false},
      {"trailing blank", u"12 ", 0, true},
      {"empty", u"", 0, true},
      {"letters", u"abc", 0, true},
      {"fraction", u"1.5", 0, true},
      {"overflow", u"2147483648", 0, true},
      {"missing", nullptr, 0, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TXMLDocument doc;
    IXMLNode v = doc.AddChild(u"Variable");
    if (row.value) v.SetAttributes(u"Position", row.value);
    if (row.raises) {
      EXPECT_THROW(v.AttributeAsInteger(u"Position"), Exception);
    } else {
      EXPECT_EQ(v.AttributeAsInteger(u"Position"), row.expected);
      EXPECT_EQ(v.AttributeAsInt64(u"Position"), row.expected);
    }
  }
  TXMLDocument doc;
  IXMLNode v = doc.AddChild(u"V");
  EXPECT_THROW(v.AttributeAsInteger(u"Position"), EXMLDocError);
  v.SetAttributes(u"Position", u"abc");
  EXPECT_THROW(v.AttributeAsInteger(u"Position"), EConvertError);
  v.SetAttributes(u"Big", u"4294967296");
  EXPECT_EQ(v.AttributeAsInt64(u"Big"), 4294967296LL);
}

// A comment among elements that a reader takes for an element has no attributes: reading one as
// a number raises, which ends such a reader.
TEST(XMLDocRead, CommentAmongElementsHasNoAttributes) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<DevicesList><Device PTM=\"1\"/><!--x--></DevicesList>");
  IXMLNode comment = doc.DocumentElement().ChildNodes()[1];
  EXPECT_EQ(comment.Attributes(u"PTM"), u"");
  EXPECT_THROW(comment.AttributeAsInteger(u"PTM"), EXMLDocError);
  EXPECT_THROW(comment.SetAttributes(u"PTM", u"1"), EXMLDocError);
}

TEST(XMLDocRead, NavigationAndLookups) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<r><a>1</a><b/><a>2</a></r>");
  IXMLNode r = doc.DocumentElement();
  IXMLNodeList list = r.ChildNodes();
  EXPECT_EQ(list.FindNode(u"a").Text(), u"1");  // the first match
  EXPECT_TRUE(list.FindNode(u"zz").IsNull());
  EXPECT_THROW(list[u"zz"], EXMLDocError);
  EXPECT_EQ(list[u"b"].NextSibling().Text(), u"2");
  EXPECT_EQ(list.First().PreviousSibling(), IXMLNode());
  EXPECT_EQ(list.Last().Text(), u"2");
  EXPECT_EQ(list.IndexOf(list[u"b"]), 1);
  EXPECT_EQ(list[u"b"].ParentNode(), r);
  std::vector<String> seen;
  for (IXMLNode n : list) seen.push_back(n.NodeName());
  EXPECT_EQ(seen, (std::vector<String>{u"a", u"b", u"a"}));

  // A null handle reads as empty and refuses changes.
  IXMLNode none;
  EXPECT_TRUE(none.IsNull());
  EXPECT_EQ(none.Text(), u"");
  EXPECT_EQ(none.ChildNodes().Count(), 0);
  EXPECT_THROW(none.AddChild(u"x"), EXMLDocError);
  EXPECT_THROW(none.SetText(u"x"), EXMLDocError);
}

TEST(XMLDocRead, ListIndexOutsideRaisesListError) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<r><a/><b/></r>");
  IXMLNodeList list = doc.DocumentElement().ChildNodes();
  for (Integer index : {-1, 2, 100}) {
    SCOPED_TRACE(index);
    try {
      list.Get(index);
      ADD_FAILURE() << "no exception";
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), u"List index out of bounds (" + AsciiToString(std::to_string(index)) + u")");
    }
  }
  EXPECT_THROW(list.Delete(5), EListError);
  EXPECT_THROW(doc.DocumentElement().AttributeNodes()[0], EListError);
}

// ---------------------------------------------------------------------------------------------
// Changing the tree

TEST(XMLDocEdit, ListOperations) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<r><a/><b/><c/></r>");
  IXMLNode r = doc.DocumentElement();
  IXMLNodeList list = r.ChildNodes();
  list.Delete(1);
  EXPECT_EQ(doc.SaveToBytes(), "<r><a/><c/></r>");
  list.Insert(0, doc.CreateNode(u"z"));
  EXPECT_EQ(doc.SaveToBytes(), "<r><z/><a/><c/></r>");
  list.Add(list[u"z"]);  // a node of the tree moves
  EXPECT_EQ(doc.SaveToBytes(), "<r><a/><c/><z/></r>");
  EXPECT_EQ(list.Remove(list[u"c"]), 1);
  EXPECT_EQ(list.Remove(IXMLNode()), -1);
  list.Insert(1, doc.CreateNode(u"t", ntText));
  EXPECT_EQ(doc.SaveToBytes(), "<r><a/>t<z/></r>");
  list.Clear();
  EXPECT_EQ(doc.SaveToBytes(), "<r/>");
  EXPECT_THROW(list.Insert(2, doc.CreateNode(u"y")), EListError);
}

TEST(XMLDocEdit, SetTextReplacesChildren) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<r><a><b/>x</a></r>");
  IXMLNode a = doc.DocumentElement().ChildNodes()[0];
  a.SetText(u"new");
  EXPECT_EQ(doc.SaveToBytes(), "<r><a>new</a></r>");
  a.SetText(u"");
  EXPECT_EQ(doc.SaveToBytes(), "<r><a/></r>");
}

TEST(XMLDocEdit, ChangesThatWouldBreakTheDocumentRaise) {
  TXMLDocument doc;
  IXMLNode root = doc.AddChild(u"r");
  IXMLNode child = root.AddChild(u"c");
  struct Row {
    const char* name;
    std::function<void()> change;
  } rows[] = {
      {"second root element", [&] { doc.AddChild(u"other"); }},
      {"text at top level", [&] { doc.ChildNodes().Add(doc.CreateNode(u"t", ntText)); }},
      {"element name with a blank", [&] { root.AddChild(u"a b"); }},
      {"element name starting with a digit", [&] { root.AddChild(u"1a"); }},
      {"element name holding U+FFFF", [&] { root.AddChild(u"a\uFFFF"); }},
      {"attribute name holding an unpaired surrogate", [&] { root.SetAttributes(u"a\xD800", u"v"); }},
      {"empty attribute name", [&] { root.SetAttributes(u"", u"v"); }},
      {"child under a comment",
       [&] { root.ChildNodes().Add(doc.CreateNode(u"c", ntComment)).AddChild(u"x"); }},
      {"node moved into its own child", [&] { child.ChildNodes().Add(root); }},
      {"node of another document",
       [&] {
         TXMLDocument other;
         root.ChildNodes().Add(other.CreateNode(u"x"));
       }},
      {"processing instruction", [&] { doc.CreateNode(u"x", ntProcessingInstr); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_THROW(row.change(), EXMLDocError);
  }
  // Only the comment, placed before the failing step, stays behind.
  EXPECT_EQ(doc.SaveToBytes(), "<r><c/><!--c--></r>");
  // A character past U+FFFF is a letter like any other.
  root.AddChild(u"a\U00010000");
  TXMLDocument back;
  back.LoadFromBytes(doc.SaveToBytes());
  EXPECT_TRUE(back.DocumentElement().ChildNodes().Last().NameIs(u"a\U00010000"));
}

// ---------------------------------------------------------------------------------------------
// Loading: failures and encodings

TEST(XMLDocLoad, MalformedInputRaises) {
  struct Row {
    const char* name;
    std::string bytes;
  } rows[] = {
      {"empty", ""},
      {"only blanks", "  \r\n "},
      {"only a comment", "<!-- c -->"},
      {"unclosed element", "<a><b></b>"},
      {"mismatched end tags", "<a><b></a></b>"},
      {"truncated comment", "<a><!-- c"},
      {"two root elements", "<a/><b/>"},
      {"text before the root", "text<a/>"},
      {"text after the root", "<a/>text"},
      {"duplicate attribute", "<a x=\"1\" x=\"2\"/>"},
      {"duplicate attribute among many", [] {
         std::string s = "<a";
         for (int i = 0; i < 5000; ++i) s += " f" + std::to_string(i) + "=\"\"";
         return s + " f17=\"\"/>";
       }()},
      {"duplicate attribute after a value holding a \"<\"", "<a><b x=\"0<\" y=\"1\" y=\"2\"/></a>"},
      {"unquoted attribute", "<a x=1/>"},
      {"NUL character", std::string("<a>\0</a>", 8)},
      {"invalid UTF-8", "<a>\xff\xfe</a>"},
      {"UTF-8 declared but invalid", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xe9</a>"},
      {"unsupported encoding", "<?xml version=\"1.0\" encoding=\"EBCDIC-US\"?><a/>"},
      {"character reference to NUL", "<a>ab&#00;cd</a>"},
      {"hexadecimal reference to NUL", "<a t=\"&#x0;\"/>"},
      {"character reference past U+10FFFF", "<a>&#1111111111113;</a>"},
      {"character reference to a surrogate", "<a t=\"&#xD800;\"/>"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TXMLDocument doc;
    EXPECT_THROW(doc.LoadFromBytes(row.bytes), EXMLDocError);
    EXPECT_TRUE(doc.Active());
    EXPECT_EQ(doc.ChildNodes().Count(), 0);
  }
}

// UTF-16LE bytes with a byte order mark: each byte of the text as one unit, then the extra units.
std::string Utf16Le(const std::string& text, const std::string& tailUnits = "") {
  std::string out = "\xff\xfe";
  for (char c : text) {
    out += c;
    out += '\0';
  }
  return out + tailUnits;
}

// A character XML 1.0 cannot carry is refused wherever it stands, as it is or as a reference that
// the parser decodes, in every encoding: read, it would be left out when the document is saved, and
// the value would change without a word.
TEST(XMLDocLoad, CharactersXmlCannotCarryAreRefused) {
  const char* const reference = "a character reference to a character XML cannot carry";
  struct Row {
    const char* name;
    std::string bytes;
    Integer fallback;
    std::string reason;
  } rows[] = {
      {"raw U+0001 in text", "<a>a\x01" "b</a>", 0,
       "it contains the character U+0001, which XML cannot carry (at byte 4)"},
      {"&#1; in text", "<a>1&#1;0</a>", 0, std::string(reference) + " (at byte 4)"},
      {"&#x1; in an attribute", "<a t=\"&#x1;\"/>", 0, std::string(reference) + " (at byte 6)"},
      {"&#x1F; in text after a CR LF", "<a>\r\n&#x1F;</a>", 0, std::string(reference) + " (at byte 5)"},
      {"raw U+001F in an attribute", "<a t=\"\x1f\"/>", 0, "U+001F"},
      {"raw U+0008 in a comment", "<a><!--\x08--></a>", 0, "U+0008"},
      {"raw U+000B in a CDATA section", "<a><![CDATA[\x0b]]></a>", 0, "U+000B"},
      {"raw U+000C in a processing instruction", "<a><?pi \x0c?></a>", 0, "U+000C"},
      {"raw U+0002 in a name", "<a\x02/>", 0, "U+0002"},
      {"raw U+0010 in a comment after the root", "<a/><!--\x10-->", 0, "U+0010"},
      {"&#xFFFE;", "<a>&#xFFFE;</a>", 0, reference},
      {"&#65535;", "<a t=\"&#65535;\"/>", 0, reference},
      {"raw U+FFFE", "<a>\xef\xbf\xbe</a>", 0, "U+FFFE"},
      {"raw U+FFFF", "<a t=\"\xef\xbf\xbf\"/>", 0, "U+FFFF"},
      {"decimal reference that wraps round to a line feed", "<a>&#4294967306;</a>", 0, reference},
      {"hexadecimal reference that wraps round to \"A\"", "<a>&#x100000041;</a>", 0, reference},
      {"raw U+0001 in UTF-16", Utf16Le("<a>\x01</a>"), 0, "U+0001"},
      {"&#1; in UTF-16", Utf16Le("<a>&#1;</a>"), 0, reference},
      {"raw U+0001 in code page 850 text", "<a>\x82\x01</a>", 850, "U+0001"},
      {"&#1; in code page 850 text", "<a t=\"\x82&#1;\"/>", 850, reference},
      {"raw U+0001 in ISO-8859-1 text", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xe9\x01</a>", 0,
       "U+0001"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TXMLDocument doc;
    try {
      doc.LoadFromBytes(row.bytes, row.fallback);
      ADD_FAILURE() << "loaded";
    } catch (const EXMLDocError& e) {
      const std::string message = StringToUtf8(e.Message());
      EXPECT_NE(message.find("The XML text is not well-formed XML: "), std::string::npos) << message;
      EXPECT_NE(message.find(row.reason), std::string::npos) << message;
    }
    EXPECT_EQ(doc.ChildNodes().Count(), 0);
  }
  // UTF-16 with a surrogate that has no pair is no UTF-16 text.
  TXMLDocument doc;
  EXPECT_THROW(doc.LoadFromBytes(Utf16Le("<a>", std::string("\x00\xd8<\0/\0a\0>\0", 10))), EXMLDocError);
  EXPECT_THROW(doc.LoadFromBytes(Utf16Le("<a/>", "\x20")), EXMLDocError);
}

// Every character XML carries still loads, as it stands or as a reference, and reads back the same
// from the saved form; what only looks like a reference where nothing is decoded is text.
TEST(XMLDocLoad, EveryCharacterXmlCarriesLoads) {
  struct Row {
    const char* name;
    std::string bytes;
    Integer fallback;
    const char16_t* text;
  } rows[] = {
      {"tab and line feed", "<a>x\ty\nz</a>", 0, u"x\ty\nz"},
      {"tab, line feed and carriage return as references", "<a>&#9;&#10;&#13;&#x9;</a>", 0, u"\t\n\r\t"},
      {"U+007F, U+0085 and U+00A0", "<a>\x7f\xc2\x85\xc2\xa0</a>", 0, u"\x7f\u0085\u00a0"},
      {"the edges of the ranges by reference", "<a>&#x20;&#xD7FF;&#xE000;&#xFFFD;&#x10000;&#x10FFFF;</a>", 0,
       u" \uD7FF\uE000\uFFFD\U00010000\U0010FFFF"},
      {"leading zeros", "<a>&#0000065;&#x00041;</a>", 0, u"AA"},
      {"U+10FFFF as it stands", "<a>\xf4\x8f\xbf\xbf</a>", 0, u"\U0010FFFF"},
      {"characters starting with the byte 0xEF", "<a>\xef\xbc\xa1\xef\xbf\xbd</a>", 0, u"\uFF21\uFFFD"},
      {"look-alikes where nothing is decoded",
       "<a><!--&#1;&#0;--><?pi &#xFFFE;?><![CDATA[&#0;]]>&amp;#1;&#38;#0;</a>", 0, u"&#0;&#1;&#0;"},
      {"code page 850", "<a>\x82&#9;</a>", 850, u"\u00e9\t"},
      {"UTF-16 with a surrogate pair", Utf16Le("<a>", std::string("\x3d\xd8\x00\xde<\0/\0a\0>\0", 12)), 0,
       u"\U0001F600"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TXMLDocument doc;
    doc.LoadFromBytes(row.bytes, row.fallback);
    EXPECT_EQ(doc.DocumentElement().Text(), row.text);
    TXMLDocument back;
    back.LoadFromBytes(doc.SaveToBytes());
    EXPECT_EQ(back.DocumentElement().Text(), row.text);
  }
}

TEST(XMLDocLoad, FileErrorsNameTheFile) {
  TempDir dir;
  TXMLDocument doc;
  try {
    doc.LoadFromFile(dir.File("Lumitor.xml"));
    ADD_FAILURE() << "no exception";
  } catch (const EXMLDocError& e) {
    EXPECT_NE(e.Message().find(u"Lumitor.xml"), String::npos);
    EXPECT_NE(e.Message().find(u"does not exist"), String::npos);
  }
  try {
    doc.LoadFromFile(Fixture("fuzz/mismatched.xml"));
    ADD_FAILURE() << "no exception";
  } catch (const EXMLDocError& e) {
    EXPECT_NE(e.Message().find(u"mismatched.xml"), String::npos);
    EXPECT_NE(e.Message().find(u"not well-formed"), String::npos);
  }
}

// A name that stands for no regular file, or for a file larger than the caller's bound, is refused
// at once with a message that names the file and says what stands there; the document is left
// empty and active.
TEST(XMLDocLoad, WhatIsNoFileIsRefusedByName) {
  constexpr Int64 Bound = 1024;
  const TWatchdog watchdog;
  for (const TNot_A_File_Case& c : Not_A_File_Cases) {
    SCOPED_TRACE(c.Name);
    TempDir dir;
    const String file = dir.File("EnOcean.xml");
    Put_Not_A_File(file, c.Kind, Bound);
    TXMLDocument doc;
    doc.LoadFromXML(u"<old/>");
    Expect_Not_A_File_Error<EXMLDocError>([&] { doc.LoadFromFile(file, 0, Bound); }, file, c);
    EXPECT_TRUE(doc.Active());
    EXPECT_EQ(doc.ChildNodes().Count(), 0);
  }
}

TEST(XMLDocLoad, LoadReplacesTheDocument) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<a><x/></a>");
  doc.LoadFromXML(u"<b/>");
  EXPECT_EQ(doc.SaveToBytes(), "<b/>");
}

TEST(XMLDocLoad, Encodings) {
  struct Row {
    const char* name;
    std::string bytes;
    Integer fallback;
    const char16_t* text;
  } rows[] = {
      {"UTF-8", "<a>\xc3\xa9</a>", 0, u"\u00e9"},
      {"UTF-8 with byte order mark", "\xef\xbb\xbf<a>\xc3\xa9</a>", 0, u"\u00e9"},
      {"UTF-8 is not re-read with the fallback", "<a>\xc3\xa9</a>", 850, u"\u00e9"},
      {"undeclared code page 850", "<a>\x82t\x82 \x9c</a>", 850, u"\u00e9t\u00e9 \u00a3"},
      {"undeclared code page 1252", "<a>\x80\xe9</a>", 1252, u"\u20ac\u00e9"},
      {"declared windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?><a>\x80</a>", 0,
       u"\u20ac"},
      {"declared ISO-8859-1", "<?xml version='1.0' encoding='ISO-8859-1'?><a>\xe9</a>", 0,
       u"\u00e9"},
      {"declared IBM850", "<?xml version=\"1.0\" encoding=\"IBM850\"?><a>\x82</a>", 0, u"\u00e9"},
      {"UTF-16LE with byte order mark",
       std::string("\xff\xfe<\0a\0>\0\xe9\0<\0/\0a\0>\0", 18), 0, u"\u00e9"},
      {"UTF-16BE with byte order mark",
       std::string("\xfe\xff\0<\0a\0>\0\xe9\0<\0/\0a\0>", 18), 0, u"\u00e9"},
      {"UTF-16LE without byte order mark",
       std::string("<\0?\0x\0m\0l\0?\0>\0<\0a\0>\0\xe9\0<\0/\0a\0>\0", 30), 0, u"\u00e9"},
      {"UTF-16BE without byte order mark",
       std::string("\0<\0?\0x\0m\0l\0?\0>\0<\0a\0>\0\xe9\0<\0/\0a\0>", 30), 0, u"\u00e9"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TXMLDocument doc;
    doc.LoadFromBytes(row.bytes, row.fallback);
    EXPECT_EQ(doc.DocumentElement().Text(), row.text);
  }
  // The same undeclared bytes without a fallback are refused.
  TXMLDocument doc;
  EXPECT_THROW(doc.LoadFromBytes("<a>\x82t\x82</a>"), EXMLDocError);
  doc.LoadFromFile(Fixture("fuzz/cp850_undeclared.xml"), 850);
  EXPECT_EQ(doc.DocumentElement().Text(), u"\u00e9t\u00e9 \u00a3");
}

// Every byte above ASCII of the two fallback code pages reads as the code page says, in text, in
// attribute values and in names.
TEST(XMLDocLoad, EveryByteOfTheFallbackCodePages) {
  std::string high;
  for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
  for (Integer codePage : {850, 1252}) {
    SCOPED_TRACE(codePage);
    const String expected = AnsiToString(high, codePage);
    TXMLDocument doc;
    doc.LoadFromBytes("<a t=\"" + high + "\">x" + high + "</a>", codePage);
    EXPECT_EQ(doc.DocumentElement().Text(), u"x" + expected);
    EXPECT_EQ(doc.DocumentElement().Attributes(u"t"), expected);
  }
  TXMLDocument doc;
  doc.LoadFromBytes("<gr\x94\xe1" "e><w\x84rme>1</w\x84rme></gr\x94\xe1" "e>", 850);
  EXPECT_TRUE(doc.DocumentElement().NameIs(u"gr\u00f6\u00dfe"));
  EXPECT_FALSE(doc.DocumentElement().NameIs(u"gr\u00f6\u00df"));
  EXPECT_EQ(doc.DocumentElement().ChildNodes().FindNode(u"w\u00e4rme").Text(), u"1");
}

// Text converted from a code page is checked like any other: a reference to no character is
// refused there too.
TEST(XMLDocLoad, ReferenceToNoCharacterInCodePageText) {
  TXMLDocument doc;
  EXPECT_THROW(doc.LoadFromBytes("<a>\x82&#xD800;</a>", 850), EXMLDocError);
  EXPECT_THROW(doc.LoadFromBytes("<a t=\"\x82&#1114112;\"/>", 1252), EXMLDocError);
  EXPECT_NO_THROW(doc.LoadFromBytes("<a>\x82&#xE9;</a>", 850));
  EXPECT_EQ(doc.DocumentElement().Text(), u"\u00e9\u00e9");
}

// The tree is walked for these checks only where the text shows a reason to; text that hides a
// repeated attribute or a processing instruction behind look-alikes is still refused or joined.
TEST(XMLDocLoad, ChecksSeeThroughLookAlikes) {
  struct Row {
    const char* name;
    std::string bytes;
  } refused[] = {
      {"after a tag-like comment with an open quote", "<a><!-- <b x='1 --><c x=\"1\" x=\"2\"/></a>"},
      {"\">\" inside the first value", "<a t=\"x>y\" t=\"z\"/>"},
      {"after text holding \"=\"", "<a>x=y<b u=\"1\" u=\"2\"/></a>"},
      {"blanks around \"=\"", "<a><b u = '1'\r\n u\t=\t'2'/></a>"},
      {"in code page text", "<a>\x82<b u=\"1\" u=\"2\"/></a>"},
  };
  for (const Row& row : refused) {
    SCOPED_TRACE(row.name);
    TXMLDocument doc;
    EXPECT_THROW(doc.LoadFromBytes(row.bytes, 850), EXMLDocError);
  }
  TXMLDocument doc;
  doc.LoadFromBytes("<a t=\"1\" u=\"2\">x=y</a>");
  EXPECT_EQ(doc.DocumentElement().Attributes(u"u"), u"2");
  doc.LoadFromBytes("<?xml version=\"1.0\"?><a>\x82<?pi x?>y</a>", 850);
  EXPECT_EQ(doc.DocumentElement().ChildNodes().Count(), 1);
  EXPECT_EQ(doc.DocumentElement().Text(), u"\u00e9y");
}

TEST(XMLDocRead, FindNodesFindsTheFirstOfEachName) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<r><!--c--><b>1</b><a>2</a><b>3</b><\u00e4>4</\u00e4></r>");
  const String a = u"a", b = u"b", none = u"zz", umlaut = u"\u00e4", comment = u"#comment";
  // A name asked for twice gets the same first node in both places.
  const String* names[] = {&b, &none, &a, &umlaut, &comment, &b};
  IXMLNode found[6];
  doc.DocumentElement().ChildNodes().FindNodes(names, found, 6);
  EXPECT_EQ(found[0].Text(), u"1");
  EXPECT_TRUE(found[1].IsNull());
  EXPECT_EQ(found[2].Text(), u"2");
  EXPECT_EQ(found[3].Text(), u"4");
  EXPECT_EQ(found[4].NodeType(), ntComment);
  EXPECT_EQ(found[5].Text(), u"1");
}

TEST(XMLDocLoad, DeepNestingLoadsSavesAndClears) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  for (int i = 0; i < 100000; ++i) deep += "</a>";
  TXMLDocument doc;
  doc.LoadFromBytes(deep);
  std::string expected;
  for (int i = 0; i < 99999; ++i) expected += "<a>";
  expected += "<a/>";
  for (int i = 0; i < 99999; ++i) expected += "</a>";
  EXPECT_EQ(doc.SaveToBytes(), expected);
  doc.Clear();
  EXPECT_EQ(doc.ChildNodes().Count(), 0);
}

}  // namespace
