// Documents as Office Open XML packages. The document's body is worked on in its XML tree, so
// whatever the layer does not know (styles, fields, pictures, sections) stays as it was.
#include "platform/office/WordProcessor.h"

#include <cstring>

#include "platform/office/OfficePackage.h"

namespace {
const char* const NsW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
const char* const NsR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
// The text width of the new document's page (A4, 2 cm margins), in twentieths of a point.
constexpr Integer TextWidth = 9638;

pugi::xml_node N(void* P) { return pugi::xml_node(static_cast<pugi::xml_node_struct*>(P)); }
void* P(pugi::xml_node Node) { return Node.internal_object(); }
bool Is(pugi::xml_node Node, const char* Local) {
  return Node.type() == pugi::node_element && std::strcmp(office::LocalName(Node), Local) == 0;
}

// The index of the first content child of a paragraph (after its properties).
Integer ContentStart(pugi::xml_node Para) {
  pugi::xml_node First = Para.first_child();
  return First && Is(First, "pPr") ? 1 : 0;
}

pugi::xml_node ChildAt(pugi::xml_node Node, Integer Index) {
  pugi::xml_node C = Node.first_child();
  for (Integer I = 0; C && I < Index; ++I) C = C.next_sibling();
  return C;
}

Integer IndexOf(pugi::xml_node Node) {
  Integer I = 0;
  for (pugi::xml_node C = Node.parent().first_child(); C && C != Node; C = C.next_sibling()) ++I;
  return I;
}

// Splits text at line breaks (CR LF, CR or LF).
std::vector<String> Lines(const String& Text) {
  std::vector<String> Out(1);
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == u'\r' || Text[I] == u'\n') {
      if (Text[I] == u'\r' && I + 1 < Text.size() && Text[I + 1] == u'\n') ++I;
      Out.emplace_back();
    } else {
      Out.back() += Text[I];
    }
  }
  return Out;
}

// A run of text inserted into Para before child Index.
void InsertRun(pugi::xml_node Para, Integer Index, const String& Text, const std::string& W) {
  pugi::xml_node Before = ChildAt(Para, Index);
  pugi::xml_node R = Before ? Para.insert_child_before((W + "r").c_str(), Before) : Para.append_child((W + "r").c_str());
  pugi::xml_node T = R.append_child((W + "t").c_str());
  T.append_attribute("xml:space") = "preserve";
  T.text().set(office::EncodeXString(Text).c_str());
}

// A new paragraph after Para with a copy of its properties; the children of Para from Index on
// move into it.
pugi::xml_node SplitParagraph(pugi::xml_node Para, Integer Index, const std::string& W) {
  pugi::xml_node New = Para.parent().insert_child_after((W + "p").c_str(), Para);
  if (pugi::xml_node Props = Para.first_child(); Props && Is(Props, "pPr")) {
    pugi::xml_node Copy = New.append_copy(Props);
    // A section break stays with the first part.
    for (pugi::xml_node S = office::Child(Copy, "sectPr"); S; S = office::Child(Copy, "sectPr")) Copy.remove_child(S);
  }
  for (pugi::xml_node C = ChildAt(Para, std::max(Index, ContentStart(Para))); C;) {
    pugi::xml_node Next = C.next_sibling();
    New.append_move(C);
    C = Next;
  }
  return New;
}

// The prefix of the WordprocessingML elements of a document ("w:").
std::string PrefixW(pugi::xml_node Body) { return office::PrefixOf(Body); }

}  // namespace

struct TTextDocument::TImpl {
  office::TPackage Package;
  bool FromPackage = false;
  std::string DocumentPart = "word/document.xml";
  std::string SettingsPart;
  pugi::xml_document Document;
  pugi::xml_node Body;
  std::string W = "w:";

  // A paragraph before the block Before of the body's level (nullptr: at the end, before the
  // section properties).
  pugi::xml_node NewBodyParagraph() {
    pugi::xml_node Sect = office::Child(Body, "sectPr");
    return Sect ? Body.insert_child_before((W + "p").c_str(), Sect) : Body.append_child((W + "p").c_str());
  }
};

// ---- reading ----------------------------------------------------------------------------------

namespace office {

void ReadDocx(TTextDocument& Doc, const std::string& Bytes) {
  const String Msg = u"no document";
  auto& I = Doc.Impl();
  I.Package = TPackage::Read(Bytes, Msg);
  if (const std::string* Rels = I.Package.Find("_rels/.rels")) {
    pugi::xml_document D;
    ParsePart(D, *Rels, Msg);
    const std::string T = RelTarget(D, "/officeDocument", "");
    if (!T.empty()) I.DocumentPart = T;
  }
  const std::string* Main = I.Package.Find(I.DocumentPart);
  if (!Main || !I.Package.Find("[Content_Types].xml")) throw EOleException(Msg);
  ParsePart(I.Document, *Main, Msg);
  const pugi::xml_node Root = I.Document.document_element();
  if (std::strcmp(LocalName(Root), "document") != 0) throw EOleException(Msg);
  I.Body = Child(Root, "body");
  if (!I.Body) throw EOleException(Msg);
  I.W = PrefixW(I.Body);
  const size_t Slash = I.DocumentPart.rfind('/');
  const std::string Folder = Slash == std::string::npos ? std::string() : I.DocumentPart.substr(0, Slash + 1);
  const std::string RelsPart =
      Folder + "_rels/" + (Slash == std::string::npos ? I.DocumentPart : I.DocumentPart.substr(Slash + 1)) + ".rels";
  if (const std::string* Rels = I.Package.Find(RelsPart)) {
    pugi::xml_document D;
    ParsePart(D, *Rels, Msg);
    I.SettingsPart = RelTarget(D, "/settings", Folder);
    if (!I.SettingsPart.empty() && !I.Package.Find(I.SettingsPart)) I.SettingsPart.clear();
  }
  I.FromPackage = true;
  // The old insertion point lay in the content just replaced.
  Doc.FSelection.FPos = Doc.StartOfDocument();
}

}  // namespace office

// ---- selection --------------------------------------------------------------------------------

void TTextSelection::TypeText(const String& Text) {
  auto& I = FDoc->Impl();
  const std::vector<String> Parts = Lines(Text);
  for (size_t K = 0; K < Parts.size(); ++K) {
    if (K > 0) TypeParagraph();
    pugi::xml_node Node = N(FPos.FNode);
    if (!Is(Node, "p")) {
      // A point between blocks: typing starts a paragraph there.
      pugi::xml_node Before = ChildAt(Node, FPos.FIndex);
      Node = Before ? Node.insert_child_before((I.W + "p").c_str(), Before) : Node.append_child((I.W + "p").c_str());
      FPos.FNode = P(Node);
      FPos.FIndex = 0;
    }
    if (Parts[K].empty()) continue;
    InsertRun(Node, FPos.FIndex, Parts[K], I.W);
    ++FPos.FIndex;
  }
}

void TTextSelection::TypeParagraph() {
  auto& I = FDoc->Impl();
  pugi::xml_node Node = N(FPos.FNode);
  if (!Is(Node, "p")) {
    pugi::xml_node Before = ChildAt(Node, FPos.FIndex);
    if (Before) Node.insert_child_before((I.W + "p").c_str(), Before);
    else Node.append_child((I.W + "p").c_str());
    ++FPos.FIndex;
    return;
  }
  pugi::xml_node New = SplitParagraph(Node, FPos.FIndex, I.W);
  FPos.FNode = P(New);
  FPos.FIndex = ContentStart(New);
}

void TTextSelection::GotoLastLine() {
  auto& I = FDoc->Impl();
  pugi::xml_node Last;
  for (pugi::xml_node C = I.Body.last_child(); C; C = C.previous_sibling()) {
    if (Is(C, "sectPr")) continue;
    if (Is(C, "p")) Last = C;
    break;
  }
  if (!Last) Last = I.NewBodyParagraph();
  FPos.FNode = P(Last);
  FPos.FIndex = ContentStart(Last);
}

// ---- tables -----------------------------------------------------------------------------------

TTextTableCell TTextTable::Cell(Integer Row, Integer Column) {
  if (Row < 1 || Row > Rows() || Column < 1 || Column > FCols)
    throw EOleException(u"The table has no cell (" + IntToStr(Row) + u", " + IntToStr(Column) + u")");
  Integer C = 0;
  for (pugi::xml_node Tc = N(FRowNodes[static_cast<size_t>(Row - 1)]).first_child(); Tc; Tc = Tc.next_sibling())
    if (Is(Tc, "tc") && ++C == Column) return TTextTableCell(P(Tc));
  throw EOleException(u"The table has no cell (" + IntToStr(Row) + u", " + IntToStr(Column) + u")");
}

void TTextTableCell::InsertAfter(const String& Text) {
  pugi::xml_node Tc = N(FNode);
  const std::string W = office::PrefixOf(Tc);
  pugi::xml_node Para;
  for (pugi::xml_node C = Tc.last_child(); C; C = C.previous_sibling())
    if (Is(C, "p")) {
      Para = C;
      break;
    }
  if (!Para) Para = Tc.append_child((W + "p").c_str());
  const std::vector<String> Parts = Lines(Text);
  for (size_t K = 0; K < Parts.size(); ++K) {
    if (K > 0) Para = SplitParagraph(Para, static_cast<Integer>(std::distance(Para.begin(), Para.end())), W);
    if (!Parts[K].empty()) InsertRun(Para, static_cast<Integer>(std::distance(Para.begin(), Para.end())), Parts[K], W);
  }
}

void TTextTableCell::SetParagraphAlignment(Integer Value) {
  static const char* const Names[] = {"left", "center", "right", "both"};
  if (Value < 0 || Value > 3) throw EOleException(u"The alignment " + IntToStr(Value) + u" is not valid");
  pugi::xml_node Tc = N(FNode);
  const std::string W = office::PrefixOf(Tc);
  for (pugi::xml_node Para = Tc.first_child(); Para; Para = Para.next_sibling()) {
    if (!Is(Para, "p")) continue;
    pugi::xml_node Props = office::Child(Para, "pPr");
    if (!Props) Props = Para.prepend_child((W + "pPr").c_str());
    pugi::xml_node Jc = office::Child(Props, "jc");
    if (!Jc) {
      // The alignment comes before the run properties and the change record of the paragraph.
      pugi::xml_node Before = office::Child(Props, "rPr");
      if (!Before) Before = office::Child(Props, "sectPr");
      if (!Before) Before = office::Child(Props, "pPrChange");
      Jc = Before ? Props.insert_child_before((W + "jc").c_str(), Before) : Props.append_child((W + "jc").c_str());
    }
    Jc.remove_attributes();
    Jc.append_attribute((W + "val").c_str()) = Names[Value];
  }
}

TTextTable* TTextTables::Add(const TTextRange& Place, Integer Rows, Integer Columns) {
  if (Rows < 1 || Rows > 32767 || Columns < 1 || Columns > 63)
    throw EOleException(u"A table of " + IntToStr(Rows) + u" rows and " + IntToStr(Columns) + u" columns cannot be made");
  auto& I = FDoc->Impl();
  const std::string& W = I.W;
  pugi::xml_node Node = N(Place.FPos.FNode);
  pugi::xml_node Container, Before;
  if (Is(Node, "p")) {
    // The paragraph is split at the place; the table goes between its parts, and a first part
    // left without content goes (the table takes its place).
    pugi::xml_node After = SplitParagraph(Node, Place.FPos.FIndex, W);
    Container = Node.parent();
    Before = After;
    pugi::xml_node Props = office::Child(Node, "pPr");
    const bool Empty = !Node.first_child() || (Node.first_child() == Props && !Props.next_sibling());
    if (Empty && !(Props && office::Child(Props, "sectPr"))) Container.remove_child(Node);
  } else {
    Container = Node;
    Before = ChildAt(Node, Place.FPos.FIndex);
    // A table is always followed by a paragraph.
    if (!Before || Is(Before, "sectPr") || Is(Before, "tbl"))
      Before = Before ? Container.insert_child_before((W + "p").c_str(), Before) : Container.append_child((W + "p").c_str());
  }
  pugi::xml_node Tbl = Container.insert_child_before((W + "tbl").c_str(), Before);
  pugi::xml_node Pr = Tbl.append_child((W + "tblPr").c_str());
  pugi::xml_node Tw = Pr.append_child((W + "tblW").c_str());
  Tw.append_attribute((W + "w").c_str()) = 0;
  Tw.append_attribute((W + "type").c_str()) = "auto";
  pugi::xml_node Borders = Pr.append_child((W + "tblBorders").c_str());
  for (const char* Side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
    pugi::xml_node B = Borders.append_child((W + Side).c_str());
    B.append_attribute((W + "val").c_str()) = "single";
    B.append_attribute((W + "sz").c_str()) = 4;
    B.append_attribute((W + "space").c_str()) = 0;
    B.append_attribute((W + "color").c_str()) = "auto";
  }
  const Integer ColWidth = std::max<Integer>(1, TextWidth / Columns);
  pugi::xml_node Grid = Tbl.append_child((W + "tblGrid").c_str());
  for (Integer C = 0; C < Columns; ++C) Grid.append_child((W + "gridCol").c_str()).append_attribute((W + "w").c_str()) = ColWidth;
  std::vector<void*> RowNodes;
  RowNodes.reserve(static_cast<size_t>(Rows));
  for (Integer R = 0; R < Rows; ++R) {
    pugi::xml_node Tr = Tbl.append_child((W + "tr").c_str());
    RowNodes.push_back(P(Tr));
    for (Integer C = 0; C < Columns; ++C) {
      pugi::xml_node Tc = Tr.append_child((W + "tc").c_str());
      pugi::xml_node Cw = Tc.append_child((W + "tcPr").c_str()).append_child((W + "tcW").c_str());
      Cw.append_attribute((W + "w").c_str()) = ColWidth;
      Cw.append_attribute((W + "type").c_str()) = "dxa";
      Tc.append_child((W + "p").c_str());
    }
  }
  FTables.push_back(std::unique_ptr<TTextTable>(new TTextTable(Columns, std::move(RowNodes))));
  return FTables.back().get();
}

// ---- documents --------------------------------------------------------------------------------

TTextDocument::TTextDocument(TTextApplication* App)
    : FApp(App), FImpl(std::make_unique<TImpl>()), FSelection(this), FTables(this) {}
TTextDocument::~TTextDocument() = default;

bool TTextDocument::BookmarkExists(const String& Name) {
  for (pugi::xpath_node X : FImpl->Body.select_nodes(".//*[local-name()='bookmarkStart']"))
    if (SameText(Utf8ToString(office::Attr(X.node(), "name").value()), Name)) return true;
  return false;
}

TTextRange TTextDocument::GotoBookmark(const String& Name) {
  for (pugi::xpath_node X : FImpl->Body.select_nodes(".//*[local-name()='bookmarkStart']")) {
    pugi::xml_node B = X.node();
    if (!SameText(Utf8ToString(office::Attr(B, "name").value()), Name)) continue;
    TTextPosition Pos;
    Pos.FNode = P(B.parent());
    Pos.FIndex = IndexOf(B);
    return TTextRange(Pos);
  }
  throw EOleException(u"The bookmark \"" + Name + u"\" does not exist");
}

void TTextDocument::AddParagraph() { FImpl->NewBodyParagraph(); }

TTextPosition TTextDocument::StartOfDocument() {
  // Inside the first paragraph, or before the first block when that is no paragraph.
  pugi::xml_node First = FImpl->Body.first_child();
  TTextPosition Pos;
  if (First && Is(First, "p")) {
    Pos.FNode = P(First);
    Pos.FIndex = ContentStart(First);
  } else {
    Pos.FNode = P(FImpl->Body);
  }
  return Pos;
}

TTextRange TTextDocument::Range(const TTextPosition& Start, const TTextPosition&) { return TTextRange(Start); }

namespace {

// Sets or clears the hidden-spelling-errors switch of a settings part, at its place in the order
// the settings follow.
void SetHideSpelling(pugi::xml_node Settings, bool Hide) {
  pugi::xml_node Cur = office::Child(Settings, "hideSpellingErrors");
  if (!Hide) {
    if (Cur) Settings.remove_child(Cur);
    return;
  }
  if (Cur) return;
  static const char* const Earlier[] = {"writeProtection", "view", "zoom", "removePersonalInformation",
                                        "removeDateAndTime", "doNotDisplayPageBoundaries", "displayBackgroundShape",
                                        "printPostScriptOverText", "printFractionalCharacterWidth", "printFormsData",
                                        "embedTrueTypeFonts", "embedSystemFonts", "saveSubsetFonts", "saveFormsData",
                                        "mirrorMargins", "alignBordersAndEdges", "bordersDoNotSurroundHeader",
                                        "bordersDoNotSurroundFooter", "gutterAtTop"};
  pugi::xml_node Before = Settings.first_child();
  while (Before) {
    bool IsEarlier = false;
    for (const char* E : Earlier)
      if (Is(Before, E)) IsEarlier = true;
    if (!IsEarlier) break;
    Before = Before.next_sibling();
  }
  const std::string Name = office::PrefixOf(Settings) + "hideSpellingErrors";
  if (Before) Settings.insert_child_before(Name.c_str(), Before);
  else Settings.append_child(Name.c_str());
}

const char* const XmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

}  // namespace

void TTextDocument::SaveAs(const String& FileName) {
  auto& I = *FImpl;
  if (!I.FromPackage) {
    I.Package.Set("[Content_Types].xml",
                  std::string(XmlHead) +
                      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                      "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
                      "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
                      "<Override PartName=\"/word/settings.xml\" ContentType=\"application/"
                      "vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/></Types>");
    I.Package.Set("_rels/.rels",
                  std::string(XmlHead) +
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                      "relationships/officeDocument\" Target=\"word/document.xml\"/></Relationships>");
    I.Package.Set("word/_rels/document.xml.rels",
                  std::string(XmlHead) +
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                      "relationships/settings\" Target=\"settings.xml\"/></Relationships>");
    I.Package.Set("word/settings.xml", std::string(XmlHead) + "<w:settings xmlns:w=\"" + NsW + "\"/>");
    I.SettingsPart = "word/settings.xml";
    I.DocumentPart = "word/document.xml";
    I.FromPackage = true;
  }
  if (!I.SettingsPart.empty()) {
    pugi::xml_document S;
    office::ParsePart(S, *I.Package.Find(I.SettingsPart), u"settings");
    SetHideSpelling(S.document_element(), !FShowSpellingErrors);
    I.Package.Set(I.SettingsPart, office::SerializePart(S));
  }
  I.Package.Set(I.DocumentPart, office::SerializePart(I.Document));
  try {
    WriteFileBytes(FileName, I.Package.Write());
  } catch (const EOleException&) {
    throw;
  } catch (const Exception& E) {
    throw EOleException(E.Message());
  }
  FFullName = FileName;
}

void TTextDocument::Close() {
  auto& Docs = FApp->FDocs.FDocs;
  for (auto It = Docs.begin(); It != Docs.end(); ++It)
    if (It->get() == this) {
      std::unique_ptr<TTextDocument> Keep = std::move(*It);
      Docs.erase(It);
      if (FApp->FActive == this) FApp->FActive = Docs.empty() ? nullptr : Docs.back().get();
      return;
    }
}

TTextDocument* TTextDocuments::Open(const String& FileName) {
  if (!FileExists(FileName)) throw EOleException(u"The document \"" + FileName + u"\" could not be found");
  std::unique_ptr<TTextDocument> Doc(new TTextDocument(FApp));
  try {
    office::ReadDocx(*Doc, ReadFileBytes(FileName));
  } catch (const office::EOfficeLimit& E) {
    throw EOleException(u"The file \"" + FileName + u"\" is no document that can be read: " + E.Message());
  } catch (const Exception&) {
    throw EOleException(u"The file \"" + FileName + u"\" is no document that can be read");
  }
  Doc->FFullName = FileName;
  FDocs.push_back(std::move(Doc));
  FApp->FActive = FDocs.back().get();
  return FApp->FActive;
}

TTextDocument* TTextDocuments::Add() {
  std::unique_ptr<TTextDocument> Doc(new TTextDocument(FApp));
  auto& I = Doc->Impl();
  const std::string Xml = std::string(XmlHead) + "<w:document xmlns:w=\"" + NsW + "\" xmlns:r=\"" + NsR +
                          "\"><w:body><w:p/><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
                          "<w:pgMar w:top=\"1134\" w:right=\"1134\" w:bottom=\"1134\" w:left=\"1134\" "
                          "w:header=\"709\" w:footer=\"709\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>";
  office::ParsePart(I.Document, Xml, u"template");
  I.Body = office::Child(I.Document.document_element(), "body");
  Doc->FSelection.FPos = Doc->StartOfDocument();
  FDocs.push_back(std::move(Doc));
  FApp->FActive = FDocs.back().get();
  return FApp->FActive;
}

// ---- the application --------------------------------------------------------------------------

std::shared_ptr<TTextApplication> TTextApplication::Create() {
  CheckOleServer(ProgIdWordProcessor);
  std::shared_ptr<TTextApplication> App(new TTextApplication());
  TRunningObjects<TTextApplication>::Add(App);
  return App;
}

std::shared_ptr<TTextApplication> TTextApplication::GetActive() { return TRunningObjects<TTextApplication>::Newest(); }

TTextApplication::~TTextApplication() { TRunningObjects<TTextApplication>::Remove(this); }

TTextSelection& TTextApplication::Selection() {
  if (!FActive) throw EOleException(u"No document is open");
  return FActive->Selection();
}

void TTextApplication::Quit() {
  FActive = nullptr;
  FDocs.FDocs.clear();
  TRunningObjects<TTextApplication>::Remove(this);
}
