// Workbooks as Office Open XML packages: reading a package into the sheets' cells, and writing a
// book back into the package it came from (or into a new one), so that every part the book did not
// change stays as it was.
#include <charconv>
#include <cstring>

#include "platform/office/SheetFormats.h"
#include "platform/office/SpreadsheetImpl.h"

namespace office {

namespace {

const char* const NsMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const NsRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* const RelWorksheet = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
const char* const CtWorksheet = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
// A workbook holding more cells than this is refused rather than read into memory.
constexpr size_t MaxCells = 8u * 1024 * 1024;

std::string FolderOf(const std::string& Part) {
  const size_t Slash = Part.rfind('/');
  return Slash == std::string::npos ? std::string() : Part.substr(0, Slash + 1);
}

std::string RelsPartOf(const std::string& Part) {
  const size_t Slash = Part.rfind('/');
  return FolderOf(Part) + "_rels/" + (Slash == std::string::npos ? Part : Part.substr(Slash + 1)) + ".rels";
}

// A cell reference "B3" as row and column; false when it is none or lies outside the sheet.
bool ParseCellRef(const char* S, Integer& Row, Integer& Col) {
  Integer C = 0, R = 0;
  size_t I = 0;
  while (S[I] >= 'A' && S[I] <= 'Z' && I < 3) C = C * 26 + (S[I++] - 'A' + 1);
  if (I == 0) return false;
  const size_t DigitsAt = I;
  while (S[I] >= '0' && S[I] <= '9' && I - DigitsAt < 8) R = R * 10 + (S[I++] - '0');
  if (S[I] != 0 || I == DigitsAt) return false;
  if (R < 1 || R > SheetMaxRows || C < 1 || C > SheetMaxCols) return false;
  Row = R;
  Col = C;
  return true;
}

[[noreturn]] void CellTextTooLong() {
  throw EOfficeLimit(u"holds more than the " + IntToStr(SheetMaxCellText) + u" characters a cell holds");
}

// A cell's text as the file holds it (UTF-8, control characters written _xHHHH_). A text longer
// than a cell holds raises EOfficeLimit; the caller adds which cell.
String CellText(const std::string& Utf8) {
  const size_t Max = static_cast<size_t>(SheetMaxCellText);
  // Every character takes at most seven bytes ("_xHHHH_"): a text longer than that is refused
  // before it is decoded.
  if (Utf8.size() > 7 * Max) CellTextTooLong();
  String S = DecodeXString(Utf8);
  if (S.size() > Max) CellTextTooLong();
  return S;
}

// The text of a shared string or an inline string: its t, or the t of each of its runs.
String StringItemText(pugi::xml_node Si) {
  std::string S;
  for (pugi::xml_node C = Si.first_child(); C; C = C.next_sibling()) {
    if (std::strcmp(LocalName(C), "t") == 0) S += C.text().get();
    else if (std::strcmp(LocalName(C), "r") == 0) S += Child(C, "t").text().get();
  }
  return CellText(S);
}

// The cell formats of a workbook as far as they show dates: a number in a cell whose format shows
// a date or a time is read as the text that format shows.
struct TCellStyles {
  std::map<Integer, std::unique_ptr<TDateFormat>> Formats;  // by number format id; null: no date
  std::vector<const TDateFormat*> ByXf;                     // per cell format: its date format or nullptr
  double DayOffset = 0;                                     // 1462 in a workbook of the 1904 count

  const TDateFormat* DateFormatOf(pugi::xml_node C) const {
    const Integer Xf = Attr(C, "s").as_int(0);
    return Xf >= 0 && static_cast<size_t>(Xf) < ByXf.size() ? ByXf[static_cast<size_t>(Xf)] : nullptr;
  }
};

TCellStyles ReadCellStyles(const TWorkbook::TImpl& I, const std::string& Folder) {
  TCellStyles St;
  if (Attr(Child(I.Workbook.document_element(), "workbookPr"), "date1904").as_bool()) St.DayOffset = 1462;
  const std::string Part = RelTarget(I.WorkbookRels, "/styles", Folder);
  const std::string* Bytes = Part.empty() ? nullptr : I.Package.Find(Part);
  pugi::xml_document D;
  // A styles part that cannot be read leaves the numbers as they are.
  if (!Bytes || !D.load_buffer(Bytes->data(), Bytes->size())) return St;
  const pugi::xml_node Root = D.document_element();
  std::map<Integer, String> Codes;
  for (pugi::xml_node F = Child(Child(Root, "numFmts"), "numFmt"); F; F = F.next_sibling())
    if (std::strcmp(LocalName(F), "numFmt") == 0)
      Codes[Attr(F, "numFmtId").as_int(-1)] = Utf8ToString(Attr(F, "formatCode").value());
  for (pugi::xml_node X = Child(Child(Root, "cellXfs"), "xf"); X; X = X.next_sibling()) {
    if (std::strcmp(LocalName(X), "xf") != 0) continue;
    const Integer Id = Attr(X, "numFmtId").as_int(0);
    auto [It, New] = St.Formats.try_emplace(Id);
    if (New) {
      auto Code = Codes.find(Id);
      auto Format = std::make_unique<TDateFormat>(Code != Codes.end() ? Code->second : BuiltInDateCode(Id));
      if (Format->IsDate()) It->second = std::move(Format);
    }
    St.ByXf.push_back(It->second.get());
  }
  return St;
}

TOleValue CellValue(pugi::xml_node C, const std::vector<String>& Shared, const TCellStyles& Styles) {
  const std::string T = Attr(C, "t").value();
  const pugi::xml_node V = Child(C, "v");
  if (T == "inlineStr") {
    const pugi::xml_node Is = Child(C, "is");
    return Is ? TOleValue::OfText(StringItemText(Is)) : TOleValue::Empty();
  }
  // A formula cell whose value was never calculated has an empty value.
  if (!V || !*V.text().get()) return TOleValue::Empty();
  const char* Text = V.text().get();
  if (T == "s") {
    const long Index = std::strtol(Text, nullptr, 10);
    if (Index < 0 || static_cast<size_t>(Index) >= Shared.size()) throw EOleException(u"bad shared string");
    return TOleValue::OfText(Shared[static_cast<size_t>(Index)]);
  }
  if (T == "d") {
    // A date written as ISO 8601 text shows as its cell's date format shows it.
    const String S = CellText(Text);
    double Serial;
    String Shown;
    const TDateFormat* F = Styles.DateFormatOf(C);
    if (F && IsoDateSerial(S, Serial) && F->Format(Serial, 0, Shown)) return TOleValue::OfDate(Serial, Shown);
    return TOleValue::OfText(S);
  }
  if (T == "str") return TOleValue::OfText(CellText(Text));
  if (T == "b") return TOleValue::OfBoolean(std::strcmp(Text, "0") != 0);
  if (T == "e") {
    TOleValue E;
    E.Kind = TOleValue::vkError;
    E.Text = CellText(Text);
    return E;
  }
  double D = 0;
  const char* End = Text + std::strlen(Text);
  while (Text < End && (*Text == ' ')) ++Text;
  if (std::from_chars(Text, End, D).ec != std::errc()) throw EOleException(u"bad number");
  if (const TDateFormat* F = Styles.DateFormatOf(C)) {
    String Shown;
    if (F->Format(D, Styles.DayOffset, Shown)) return TOleValue::OfDate(D + Styles.DayOffset, Shown);
  }
  return TOleValue::OfNumber(D);
}

void ReadSheetCells(TWorksheet& Sheet, pugi::xml_node Root, const std::vector<String>& Shared,
                    const TCellStyles& Styles, size_t& Total) {
  auto& Cells = Sheet.CellMap();
  Integer Row = 0;
  for (pugi::xml_node R = Child(Child(Root, "sheetData"), "row"); R; R = R.next_sibling()) {
    if (std::strcmp(LocalName(R), "row") != 0) continue;
    const pugi::xml_attribute RA = Attr(R, "r");
    Row = RA ? RA.as_int(-1) : Row + 1;
    if (Row < 1 || Row > SheetMaxRows) throw EOleException(u"bad row");
    if (!RA) R.append_attribute("r") = Row;
    Integer Col = 0;
    for (pugi::xml_node C = R.first_child(); C; C = C.next_sibling()) {
      if (std::strcmp(LocalName(C), "c") != 0) continue;
      const pugi::xml_attribute CA = Attr(C, "r");
      Integer CR = Row, CC = Col + 1;
      if (CA && (!ParseCellRef(CA.value(), CR, CC) || CR != Row)) throw EOleException(u"bad cell");
      if (CC > SheetMaxCols) throw EOleException(u"bad cell");
      Col = CC;
      if (!CA) C.append_attribute("r") = StringToUtf8(ColumnLetters(Col) + IntToStr(Row)).c_str();
      if (++Total > MaxCells) throw EOleException(u"too many cells");
      try {
        Cells[{Row, Col}].Value = CellValue(C, Shared, Styles);
      } catch (const EOfficeLimit& E) {
        throw EOfficeLimit(u"the cell " + ColumnLetters(Col) + IntToStr(Row) + u" of the sheet \"" + Sheet.Name() +
                           u"\" " + E.Message());
      }
    }
  }
  const pugi::xml_node Sel = Child(Child(Child(Root, "sheetViews"), "sheetView"), "selection");
  Integer AR, AC;
  if (Sel && ParseCellRef(Attr(Sel, "activeCell").value(), AR, AC)) Sheet.SetActiveCellPos(AR, AC);
}

}  // namespace

void ReadXlsx(TWorkbook& Book, const std::string& Bytes) {
  const String Msg = u"no workbook";
  auto& I = Book.Impl();
  I.Package = TPackage::Read(Bytes, Msg);
  I.WorkbookPart = "xl/workbook.xml";
  if (const std::string* Rels = I.Package.Find("_rels/.rels")) {
    pugi::xml_document D;
    ParsePart(D, *Rels, Msg);
    const std::string T = RelTarget(D, "/officeDocument", "");
    if (!T.empty()) I.WorkbookPart = T;
  }
  const std::string* Wb = I.Package.Find(I.WorkbookPart);
  if (!Wb) throw EOleException(Msg);
  ParsePart(I.Workbook, *Wb, Msg);
  I.WorkbookRelsPart = RelsPartOf(I.WorkbookPart);
  const std::string* WbRels = I.Package.Find(I.WorkbookRelsPart);
  if (!WbRels) throw EOleException(Msg);
  ParsePart(I.WorkbookRels, *WbRels, Msg);
  if (const std::string* Ct = I.Package.Find("[Content_Types].xml")) ParsePart(I.ContentTypes, *Ct, Msg);
  else throw EOleException(Msg);
  const std::string Folder = FolderOf(I.WorkbookPart);

  std::vector<String> Shared;
  const std::string SsPart = RelTarget(I.WorkbookRels, "/sharedStrings", Folder);
  if (const std::string* Ss = SsPart.empty() ? nullptr : I.Package.Find(SsPart)) {
    pugi::xml_document D;
    ParsePart(D, *Ss, Msg);
    for (pugi::xml_node Si = D.document_element().first_child(); Si; Si = Si.next_sibling()) {
      if (std::strcmp(LocalName(Si), "si") != 0) continue;
      try {
        Shared.push_back(StringItemText(Si));
      } catch (const EOfficeLimit& E) {
        throw EOfficeLimit(u"the shared string " + IntToStr(static_cast<Integer>(Shared.size())) + u" " + E.Message());
      }
    }
  }

  const TCellStyles Styles = ReadCellStyles(I, Folder);

  const pugi::xml_node Root = I.Workbook.document_element();
  size_t Total = 0;
  for (pugi::xml_node S = Child(Child(Root, "sheets"), "sheet"); S; S = S.next_sibling()) {
    if (std::strcmp(LocalName(S), "sheet") != 0) continue;
    TWorksheet* Sheet = Book.NewSheet(Utf8ToString(Attr(S, "name").value()));
    const std::string Id = Attr(S, "id").value();
    std::string Type;
    for (pugi::xml_node R = I.WorkbookRels.document_element().first_child(); R; R = R.next_sibling())
      if (Id == Attr(R, "Id").value()) {
        Sheet->FPart = ResolveTarget(Attr(R, "Target").value(), Folder);
        Type = Attr(R, "Type").value();
      }
    const std::string* Part = Sheet->FPart.empty() ? nullptr : I.Package.Find(Sheet->FPart);
    // Chart sheets and dialog sheets are sheets of the book without cells: not worksheets.
    Sheet->FIsWorksheet = Type.size() >= 10 && Type.compare(Type.size() - 10, 10, "/worksheet") == 0;
    if (!Part) continue;
    auto Doc = std::make_unique<pugi::xml_document>();
    ParsePart(*Doc, *Part, Msg);
    Sheet->FIsWorksheet = std::strcmp(LocalName(Doc->document_element()), "worksheet") == 0;
    if (Sheet->FIsWorksheet) ReadSheetCells(*Sheet, Doc->document_element(), Shared, Styles, Total);
    I.SheetDocs[Sheet->FPart] = std::move(Doc);
  }
  if (Book.SheetCount() == 0) throw EOleException(Msg);
  Book.SetActiveIndex(Child(Child(Root, "bookViews"), "workbookView").attribute("activeTab").as_int(0));
  I.FromPackage = true;
}

void ReadWorkbookFile(TWorkbook& Book, const String& FileName) {
  if (!FileExists(FileName)) throw EOleException(u"The workbook \"" + FileName + u"\" could not be found");
  std::string Bytes;
  try {
    Bytes = ReadFileBytes(FileName);
  } catch (const Exception& E) {
    throw EOleException(E.Message());
  }
  try {
    if (Bytes.size() >= 4 && Bytes.compare(0, 4, "PK\x03\x04") == 0)
      ReadXlsx(Book, Bytes);
    else if (Bytes.size() >= 8 && Bytes.compare(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") == 0)
      ReadXls(Book, FileName);
    else
      throw EOleException(u"no workbook");
  } catch (const EOfficeLimit& E) {
    throw EOleException(u"The file \"" + FileName + u"\" is no workbook that can be read: " + E.Message());
  } catch (const EOleException&) {
    throw EOleException(u"The file \"" + FileName + u"\" is no workbook that can be read");
  }
}

namespace {

void StartPackage(TWorkbook::TImpl& I) {
  I.Package.Set("[Content_Types].xml",
                std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n") +
                    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                    "<Override PartName=\"/xl/workbook.xml\" "
                    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                    "<Override PartName=\"/xl/styles.xml\" "
                    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
                    "</Types>");
  I.Package.Set("_rels/.rels",
                std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n") +
                    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                    "relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
  I.Package.Set("xl/workbook.xml",
                std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n") + "<workbook xmlns=\"" +
                    NsMain + "\" xmlns:r=\"" + NsRel +
                    "\"><bookViews><workbookView activeTab=\"0\"/></bookViews><sheets/></workbook>");
  I.Package.Set("xl/_rels/workbook.xml.rels",
                std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n") +
                    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                    "relationships/styles\" Target=\"styles.xml\"/></Relationships>");
  I.Package.Set("xl/styles.xml",
                std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n") + "<styleSheet xmlns=\"" +
                    NsMain +
                    "\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
                    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
                    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
                    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
                    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
                    "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
                    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
                    "</styleSheet>");
  const String Msg = u"template";
  I.WorkbookPart = "xl/workbook.xml";
  I.WorkbookRelsPart = "xl/_rels/workbook.xml.rels";
  ParsePart(I.Workbook, *I.Package.Find(I.WorkbookPart), Msg);
  ParsePart(I.WorkbookRels, *I.Package.Find(I.WorkbookRelsPart), Msg);
  ParsePart(I.ContentTypes, *I.Package.Find("[Content_Types].xml"), Msg);
  I.FromPackage = true;
}

// The prefix the workbook's root binds to the relationships namespace ("r:"), declared when missing.
std::string RelPrefix(pugi::xml_node Root) {
  for (pugi::xml_attribute A = Root.first_attribute(); A; A = A.next_attribute())
    if (std::strncmp(A.name(), "xmlns:", 6) == 0 && std::strcmp(A.value(), NsRel) == 0)
      return std::string(A.name() + 6) + ":";
  Root.append_attribute("xmlns:r") = NsRel;
  return "r:";
}

// A new worksheet part and its relationship, content type and entry in the workbook.
void AddSheetPart(TWorkbook::TImpl& I, TWorksheet& Sheet) {
  const std::string Folder = FolderOf(I.WorkbookPart);
  Integer N = 1;
  while (I.Package.Find(Folder + "worksheets/sheet" + std::to_string(N) + ".xml") ||
         I.SheetDocs.count(Folder + "worksheets/sheet" + std::to_string(N) + ".xml"))
    ++N;
  Sheet.FPart = Folder + "worksheets/sheet" + std::to_string(N) + ".xml";
  auto Doc = std::make_unique<pugi::xml_document>();
  pugi::xml_node Ws = Doc->append_child("worksheet");
  Ws.append_attribute("xmlns") = NsMain;
  Ws.append_attribute("xmlns:r") = NsRel;
  Ws.append_child("dimension").append_attribute("ref") = "A1";
  Ws.append_child("sheetData");
  I.SheetDocs[Sheet.FPart] = std::move(Doc);

  pugi::xml_node Rels = I.WorkbookRels.document_element();
  Integer IdN = 1;
  auto IdTaken = [&Rels](const std::string& Id) {
    for (pugi::xml_node R = Rels.first_child(); R; R = R.next_sibling())
      if (Id == Attr(R, "Id").value()) return true;
    return false;
  };
  while (IdTaken("rId" + std::to_string(IdN))) ++IdN;
  const std::string Id = "rId" + std::to_string(IdN);
  pugi::xml_node Rel = Rels.append_child((PrefixOf(Rels) + "Relationship").c_str());
  Rel.append_attribute("Id") = Id.c_str();
  Rel.append_attribute("Type") = RelWorksheet;
  Rel.append_attribute("Target") = Sheet.FPart.substr(Folder.size()).c_str();

  pugi::xml_node Types = I.ContentTypes.document_element();
  pugi::xml_node O = Types.append_child((PrefixOf(Types) + "Override").c_str());
  O.append_attribute("PartName") = ("/" + Sheet.FPart).c_str();
  O.append_attribute("ContentType") = CtWorksheet;

  pugi::xml_node Root = I.Workbook.document_element();
  const std::string RP = RelPrefix(Root);
  pugi::xml_node Sheets = Child(Root, "sheets");
  if (!Sheets) throw EOleException(u"The workbook lists no sheets");
  Integer MaxId = 0;
  for (pugi::xml_node S = Sheets.first_child(); S; S = S.next_sibling())
    MaxId = std::max<Integer>(MaxId, Attr(S, "sheetId").as_int(0));
  pugi::xml_node S = Sheets.append_child((PrefixOf(Sheets) + "sheet").c_str());
  S.append_attribute("name") = StringToUtf8(Sheet.Name()).c_str();
  S.append_attribute("sheetId") = MaxId + 1;
  S.append_attribute((RP + "id").c_str()) = Id.c_str();
}

void RemoveChildren(pugi::xml_node C, const char* Local) {
  for (pugi::xml_node K = Child(C, Local); K; K = Child(C, Local)) C.remove_child(K);
}

// Writes the written cells into the sheet's part. Returns whether a formula was replaced.
bool WriteSheetCells(TWorksheet& Sheet, pugi::xml_node Root) {
  const std::string P = PrefixOf(Root);
  pugi::xml_node Data = Child(Root, "sheetData");
  if (!Data) throw EOleException(u"The sheet \"" + Sheet.Name() + u"\" holds no cell data");
  std::map<Integer, pugi::xml_node> Rows;
  for (pugi::xml_node R = Data.first_child(); R; R = R.next_sibling())
    if (std::strcmp(LocalName(R), "row") == 0) Rows[Attr(R, "r").as_int()] = R;
  std::map<Integer, std::map<Integer, pugi::xml_node>> RowCells;
  bool FormulaGone = false;
  for (auto& [Pos, Cell] : Sheet.CellMap()) {
    if (!Cell.Written) continue;
    const auto [Row, Col] = Pos;
    pugi::xml_node R;
    if (auto It = Rows.find(Row); It != Rows.end()) {
      R = It->second;
    } else {
      auto Next = Rows.upper_bound(Row);
      R = Next == Rows.end() ? Data.append_child((P + "row").c_str()) : Data.insert_child_before((P + "row").c_str(), Next->second);
      R.append_attribute("r") = Row;
      Rows[Row] = R;
    }
    auto CellsIt = RowCells.find(Row);
    if (CellsIt == RowCells.end()) {
      CellsIt = RowCells.emplace(Row, std::map<Integer, pugi::xml_node>()).first;
      for (pugi::xml_node C = R.first_child(); C; C = C.next_sibling()) {
        Integer CR, CC;
        if (std::strcmp(LocalName(C), "c") == 0 && ParseCellRef(Attr(C, "r").value(), CR, CC)) CellsIt->second[CC] = C;
      }
    }
    auto& ByCol = CellsIt->second;
    pugi::xml_node C;
    if (auto It = ByCol.find(Col); It != ByCol.end()) {
      C = It->second;
    } else {
      auto Next = ByCol.upper_bound(Col);
      C = Next == ByCol.end() ? R.append_child((P + "c").c_str()) : R.insert_child_before((P + "c").c_str(), Next->second);
      C.append_attribute("r") = StringToUtf8(ColumnLetters(Col) + IntToStr(Row)).c_str();
      ByCol[Col] = C;
    }
    if (Child(C, "f")) FormulaGone = true;
    RemoveChildren(C, "f");
    RemoveChildren(C, "v");
    RemoveChildren(C, "is");
    C.remove_attribute("t");
    const TOleValue& V = Cell.Value;
    switch (V.Kind) {
      case TOleValue::vkText:
      case TOleValue::vkDate: {
        // A date goes as the text it shows: the book may have no format to show its number with.
        C.append_attribute("t") = "inlineStr";
        pugi::xml_node T = C.append_child((P + "is").c_str()).append_child((P + "t").c_str());
        const std::string S = EncodeXString(V.Text);
        if (!S.empty() && (S.front() == ' ' || S.back() == ' ' || S.front() == '\n' || S.back() == '\n' ||
                           S.front() == '\t' || S.back() == '\t'))
          T.append_attribute("xml:space") = "preserve";
        T.text().set(S.c_str());
        break;
      }
      case TOleValue::vkNumber: {
        char Buf[32];
        const auto Res = std::to_chars(Buf, Buf + sizeof Buf, V.Number);
        C.append_child((P + "v").c_str()).text().set(std::string(Buf, Res.ptr).c_str());
        break;
      }
      case TOleValue::vkBoolean:
        C.append_attribute("t") = "b";
        C.append_child((P + "v").c_str()).text().set(V.Boolean ? "1" : "0");
        break;
      case TOleValue::vkError:
        C.append_attribute("t") = "e";
        C.append_child((P + "v").c_str()).text().set(StringToUtf8(V.Text).c_str());
        break;
      default:
        break;
    }
  }
  if (pugi::xml_node Dim = Child(Root, "dimension")) {
    String A = Sheet.UsedRange().Address();
    String Plain;
    for (Char Ch : A)
      if (Ch != u'$') Plain += Ch;
    Attr(Dim, "ref").set_value(StringToUtf8(Plain).c_str());
  }
  return FormulaGone;
}

// The calculation chain lists the formula cells; once a formula is overwritten it would name a cell
// without one, so it goes and the spreadsheet program builds it anew.
void DropCalcChain(TWorkbook::TImpl& I) {
  const std::string Folder = FolderOf(I.WorkbookPart);
  pugi::xml_node Rels = I.WorkbookRels.document_element();
  for (pugi::xml_node R = Rels.first_child(); R;) {
    pugi::xml_node Next = R.next_sibling();
    const std::string Type = Attr(R, "Type").value();
    if (Type.size() >= 10 && Type.compare(Type.size() - 10, 10, "/calcChain") == 0) {
      const std::string Part = ResolveTarget(Attr(R, "Target").value(), Folder);
      I.Package.Remove(Part);
      pugi::xml_node Types = I.ContentTypes.document_element();
      for (pugi::xml_node O = Types.first_child(); O; O = O.next_sibling())
        if ("/" + Part == Attr(O, "PartName").value()) {
          Types.remove_child(O);
          break;
        }
      Rels.remove_child(R);
    }
    R = Next;
  }
}

}  // namespace

std::string WriteXlsx(TWorkbook& Book) {
  auto& I = Book.Impl();
  const bool New = !I.FromPackage;
  if (New) StartPackage(I);
  bool FormulaGone = false;
  pugi::xml_node Sheets = Child(I.Workbook.document_element(), "sheets");
  for (Integer N = 1; N <= Book.SheetCount(); ++N) {
    TWorksheet& S = *Book.Sheets(N);
    if (S.FPart.empty()) {
      // A sheet new to the package (added, or read from a legacy workbook) writes all its cells.
      AddSheetPart(I, S);
      S.FChanged = true;
      for (auto& [Pos, Cell] : S.CellMap()) Cell.Written = true;
    }
    // The sheet's entry in the workbook carries its name.
    pugi::xml_node Entry;
    Integer K = 0;
    for (pugi::xml_node E = Sheets.first_child(); E; E = E.next_sibling())
      if (std::strcmp(LocalName(E), "sheet") == 0 && ++K == N) Entry = E;
    if (Entry) Attr(Entry, "name").set_value(StringToUtf8(S.Name()).c_str());
    auto Doc = I.SheetDocs.find(S.FPart);
    if (Doc == I.SheetDocs.end() || !S.FChanged) continue;
    if (WriteSheetCells(S, Doc->second->document_element())) FormulaGone = true;
    I.Package.Set(S.FPart, SerializePart(*Doc->second));
  }
  if (FormulaGone) DropCalcChain(I);
  if (New) {
    Integer Active = 0;
    for (Integer N = 1; N <= Book.SheetCount(); ++N)
      if (Book.Sheets(N) == Book.ActiveSheet()) Active = N - 1;
    Child(Child(I.Workbook.document_element(), "bookViews"), "workbookView").attribute("activeTab") = Active;
  }
  I.Package.Set(I.WorkbookPart, SerializePart(I.Workbook));
  I.Package.Set(I.WorkbookRelsPart, SerializePart(I.WorkbookRels));
  I.Package.Set("[Content_Types].xml", SerializePart(I.ContentTypes));
  for (Integer N = 1; N <= Book.SheetCount(); ++N) Book.Sheets(N)->FChanged = false;
  return I.Package.Write();
}

}  // namespace office
