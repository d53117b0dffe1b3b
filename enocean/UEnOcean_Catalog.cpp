#include "enocean/UEnOcean_Catalog.h"

#include <array>

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"

namespace {

const Integer Rorg_RPS = 0xF6;  // status bits in the telegram's status byte select the case
const Integer Rorg_VLD = 0xD2;  // a data field of the telegram selects the case

// The element names the reader looks for, made once.
const String Tag_Bitoffs = u"bitoffs";
const String Tag_Bitsize = u"bitsize";
const String Tag_Case = u"case";
const String Tag_Condition = u"condition";
const String Tag_Data = u"data";
const String Tag_Datafield = u"datafield";
const String Tag_Description = u"description";
const String Tag_Eep = u"eep";
const String Tag_Func = u"func";
const String Tag_Info = u"info";
const String Tag_Number = u"number";
const String Tag_Profile = u"profile";
const String Tag_Reserved = u"reserved";
const String Tag_Rorg = u"rorg";
const String Tag_Shortcut = u"shortcut";
const String Tag_Statusfield = u"statusfield";
const String Tag_Title = u"title";
const String Tag_Type = u"type";
const String Tag_Value = u"value";


// Releases the children of a node from the last to the first, before the lists themselves go.
template <typename T>
void Release_Backwards(std::vector<std::unique_ptr<T>>& list) {
  while (!list.empty()) list.pop_back();
}

bool Is_Element(const IXMLNode& node, const String& name) {
  return node.NodeType() == ntElement && node.NameIs(name);
}

// The integer of a `number`, `bitoffs`, `bitsize` or `value` element: decimal, or hexadecimal
// after "$", "x" or "0x"; anything that does not convert completely gives 0. An element that holds
// child elements instead of text raises (its Text does).
Integer Child_Integer(const IXMLNode& child) { return StrToIntDef(child.Text(), 0); }

// The free texts `description` and `info`: their text when they hold plain text only, the empty
// string when they hold child elements.
String Plain_Text(const IXMLNode& node) {
  if (node.IsTextElement()) return node.Text();
  for (const IXMLNode& child : node.ChildNodes()) {
    if (child.NodeType() == ntElement) return String();
  }
  return node.Text();
}

// The display lines hold their texts on one line (Catalog_Display_Text); the texts themselves stay
// as the file has them.
String Number_Line(Integer Number, const String& Title) {
  return Catalog_Hex_Str(Number) + u" : " + Catalog_Display_Text(Title);
}

String Case_Line(Integer CaseNum, const String& Title) {
  return IntToStr(CaseNum + 1) + u" -> " + Catalog_Display_Text(Title);
}

String DataField_Line(const TDataField& Field) {
  const String Offs = IntToStr(Field.FBitOffs);
  const String Size = IntToStr(Field.FBitSize);
  String Line;
  const String Data = Catalog_Display_Text(Field.FData);
  Line.reserve(Data.size() + Offs.size() + Size.size() + 5);
  Line.append(Data).append(u" : ").append(Offs).append(u", ").append(Size);
  return Line;
}

// The first child of each of the names (a null handle where there is none), found in one pass over
// the children instead of one search per name.
template <size_t N>
std::array<IXMLNode, N> First_Children(const IXMLNode& node, const std::array<const String*, N>& names) {
  std::array<IXMLNode, N> found;
  node.ChildNodes().FindNodes(names.data(), found.data(), N);
  return found;
}

// Reads `number` and `title` of a RORG, FUNC or TYPE element when present.
void Read_Number_Title(const IXMLNode& node, Integer& Number, String& Title) {
  const auto [number, title] = First_Children<2>(node, {&Tag_Number, &Tag_Title});
  if (number) Number = Child_Integer(number);
  if (title) Title = title.Text();
}

bool In_Range(Integer Index, size_t Count) { return Index >= 0 && static_cast<size_t>(Index) < Count; }

}  // namespace

String Catalog_Hex_Str(Integer Number) { return u"0x" + IntToHex(Number, 2); }

String Catalog_Display_Text(const String& Text) {
  auto is_space = [](Char c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  String out;
  out.reserve(Text.size());
  size_t i = 0;
  while (i < Text.size()) {
    if (!is_space(Text[i])) {
      out.push_back(Text[i++]);
      continue;
    }
    size_t j = i;
    bool line_break = false;
    for (; j < Text.size() && is_space(Text[j]); ++j) {
      if (Text[j] == u'\r' || Text[j] == u'\n') line_break = true;
    }
    if (!line_break)
      out.append(Text, i, j - i);
    else if (i > 0 && j < Text.size())
      out.push_back(u' ');
    i = j;
  }
  return out;
}

// ---- TDataField ----

bool TDataField::Read_DataField_XML(const IXMLNode& DataField) {
  try {
    const auto [reserved, data, shortcut, description, info, bitoffs, bitsize] = First_Children<7>(
        DataField, {&Tag_Reserved, &Tag_Data, &Tag_Shortcut, &Tag_Description, &Tag_Info, &Tag_Bitoffs, &Tag_Bitsize});
    if (reserved) return false;
    if (data) FData = data.Text();
    if (shortcut) FShortcut = shortcut.Text();
    if (description) FDescription = Plain_Text(description);
    if (info) FInfo = Plain_Text(info);
    if (bitoffs) FBitOffs = Child_Integer(bitoffs);
    if (bitsize) FBitSize = Child_Integer(bitsize);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// ---- TCase ----

TCase::~TCase() { Release_Backwards(List_DataField); }

bool TCase::Read_Case_XML(const IXMLNode& Case_, Integer Rorg, Integer /*Func*/, Integer /*Type_*/) {
  try {
    if (const IXMLNode title = Case_.ChildNodes().FindNode(Tag_Title)) FTitle = title.Text();
    FCaseIdSize = 0;
    FCaseIdOffset = 0;
    FCaseId = 0;
    // Working values of the status-bit selector, carried from one statusfield to the next over the
    // whole case: a statusfield that leaves out a child reuses the previous one's number.
    uint8_t V = 0;
    uint8_t S = 0;
    uint8_t Z = 0;
    for (const IXMLNode& child : Case_.ChildNodes()) {
      if (Is_Element(child, Tag_Datafield)) {
        auto field = std::make_unique<TDataField>();
        if (field->Read_DataField_XML(child)) {
          DataField_SL.push_back(DataField_Line(*field));
          List_DataField.push_back(std::move(field));
        }
      } else if (Is_Element(child, Tag_Condition) && (Rorg == Rorg_RPS || Rorg == Rorg_VLD)) {
        FCaseId = 0;
        for (const IXMLNode& part : child.ChildNodes()) {
          const bool status = Rorg == Rorg_RPS && Is_Element(part, Tag_Statusfield);
          const bool selector = !status && Rorg == Rorg_VLD && Is_Element(part, Tag_Datafield);
          if (!status && !selector) continue;
          const auto [value, offs, size] = First_Children<3>(part, {&Tag_Value, &Tag_Bitoffs, &Tag_Bitsize});
          if (status) {
            if (value) V = static_cast<uint8_t>(Child_Integer(value));
            if (V == 0) continue;
            // 7 - bitoffs kept in 8 bits; worked out unsigned so that any number the file holds wraps.
            if (offs) S = static_cast<uint8_t>(7u - static_cast<uint32_t>(Child_Integer(offs)));
            if (size) Z = static_cast<uint8_t>(Child_Integer(size));
            if (Z == 0) continue;
            // Bit offsets count from the status byte's top bit: offset 0 is bit 7.
            FCaseId = static_cast<Integer>(static_cast<uint32_t>(FCaseId) + (static_cast<uint32_t>(V) << (S % 32)));
          } else {
            if (value) FCaseId = Child_Integer(value);
            if (offs) FCaseIdOffset = Child_Integer(offs);
            if (size) FCaseIdSize = Child_Integer(size);
          }
        }
      }
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// ---- TType ----

TType::~TType() { Release_Backwards(List_Case); }

bool TType::Read_Type_XML(const IXMLNode& Type_, Integer Rorg, Integer Func) {
  try {
    Read_Number_Title(Type_, FNumber, FTitle);
    bool result = true;
    for (const IXMLNode& child : Type_.ChildNodes()) {
      if (!Is_Element(child, Tag_Case)) continue;
      auto item = std::make_unique<TCase>();
      result = item->Read_Case_XML(child, Rorg, Func, FNumber);
      if (result) {
        Case_SL.push_back(Case_Line(static_cast<Integer>(List_Case.size()), item->FTitle));
        List_Case.push_back(std::move(item));
      }
    }
    return result;
  } catch (const std::exception&) {
    return false;
  }
}

// ---- TFunc ----

TFunc::~TFunc() { Release_Backwards(List_Type); }

bool TFunc::Read_Func_XML(const IXMLNode& Func, Integer Rorg) {
  try {
    Read_Number_Title(Func, FNumber, FTitle);
    bool result = true;
    for (const IXMLNode& child : Func.ChildNodes()) {
      if (!Is_Element(child, Tag_Type)) continue;
      auto item = std::make_unique<TType>();
      result = item->Read_Type_XML(child, Rorg, FNumber);
      // A TYPE is listed whatever its read gave; only its result travels upward.
      Type_SL.push_back(Number_Line(item->FNumber, item->FTitle));
      List_Type.push_back(std::move(item));
    }
    return result;
  } catch (const std::exception&) {
    return false;
  }
}

// ---- TRorg ----

TRorg::~TRorg() { Release_Backwards(List_Func); }

bool TRorg::Read_Rorg_XML(const IXMLNode& Rorg) {
  try {
    Read_Number_Title(Rorg, FNumber, FTitle);
    bool result = true;
    for (const IXMLNode& child : Rorg.ChildNodes()) {
      if (!Is_Element(child, Tag_Func)) continue;
      auto item = std::make_unique<TFunc>();
      result = item->Read_Func_XML(child, FNumber);
      if (result) {
        Func_SL.push_back(Number_Line(item->FNumber, item->FTitle));
        List_Func.push_back(std::move(item));
      }
    }
    return result;
  } catch (const std::exception&) {
    return false;
  }
}

// ---- TCatalog_EnOcean ----

TCatalog_EnOcean::TCatalog_EnOcean() = default;

TCatalog_EnOcean::~TCatalog_EnOcean() { Release_Backwards(List_Rorg); }

bool TCatalog_EnOcean::Read_Cat_EnOcean_XML(const String& FileName, String* Error) {
  if (FileMissing(FileName)) return false;
  std::string bytes;
  try {
    bytes = ReadRegularFile(FileName, Max_Catalog_File_Size);
  } catch (const Exception& E) {
    if (Error) *Error = E.Message();
    return false;
  }
  return Read_Cat_EnOcean_Bytes(bytes);
}

bool TCatalog_EnOcean::Read_Cat_EnOcean_Bytes(const std::string& Bytes) {
  try {
    TXMLDocument doc;
    // Catalogues are often written in code page 850 without saying so: bytes that declare no
    // encoding and are not valid UTF-8 are read in that code page.
    doc.LoadFromBytes(Bytes, 850);
    // The container `profile` stands at the top level, or under a top-level `eep`.
    IXMLNode profile;
    for (const IXMLNode& node : doc.ChildNodes()) {
      if (Is_Element(node, Tag_Profile)) {
        profile = node;
        break;
      }
    }
    if (!profile) {
      for (const IXMLNode& node : doc.ChildNodes()) {
        if (Is_Element(node, Tag_Eep)) {
          for (const IXMLNode& child : node.ChildNodes()) {
            if (Is_Element(child, Tag_Profile)) {
              profile = child;
              break;
            }
          }
          break;
        }
      }
    }
    if (!profile) return true;
    bool result = true;
    for (const IXMLNode& child : profile.ChildNodes()) {
      if (!Is_Element(child, Tag_Rorg)) continue;
      auto item = std::make_unique<TRorg>();
      result = item->Read_Rorg_XML(child);
      if (result) {
        Rorg_SL.push_back(Number_Line(item->FNumber, item->FTitle));
        List_Rorg.push_back(std::move(item));
      }
    }
    return result;
  } catch (const std::exception&) {
    return false;
  }
}

// ---- Lookups, first match only ----

namespace {

const TRorg* First_Rorg(const TCatalog_EnOcean& Cat, Integer RorgNum) {
  for (const auto& rorg : Cat.List_Rorg) {
    if (rorg->FNumber == RorgNum) return rorg.get();
  }
  return nullptr;
}

const TFunc* First_Func(const TRorg* Rorg, Integer FuncNum) {
  if (!Rorg) return nullptr;
  for (const auto& func : Rorg->List_Func) {
    if (func->FNumber == FuncNum) return func.get();
  }
  return nullptr;
}

}  // namespace

Integer TCatalog_EnOcean::Get_RorgNum_Index(Integer RorgNum) const {
  for (size_t i = 0; i < List_Rorg.size(); ++i) {
    if (List_Rorg[i]->FNumber == RorgNum) return static_cast<Integer>(i);
  }
  return -1;
}

Integer TCatalog_EnOcean::Get_FuncNum_Index(Integer RorgNum, Integer FuncNum) const {
  const TRorg* rorg = First_Rorg(*this, RorgNum);
  if (!rorg) return -1;
  for (size_t i = 0; i < rorg->List_Func.size(); ++i) {
    if (rorg->List_Func[i]->FNumber == FuncNum) return static_cast<Integer>(i);
  }
  return -1;
}

Integer TCatalog_EnOcean::Get_TypeNum_Index(Integer RorgNum, Integer FuncNum, Integer TypeNum) const {
  const TFunc* func = First_Func(First_Rorg(*this, RorgNum), FuncNum);
  if (!func) return -1;
  for (size_t i = 0; i < func->List_Type.size(); ++i) {
    if (func->List_Type[i]->FNumber == TypeNum) return static_cast<Integer>(i);
  }
  return -1;
}

Integer TCatalog_EnOcean::Get_DataField_Index(Integer RorgNum, Integer FuncNum, Integer TypeNum,
                                              Integer CaseNum, const String& Data) const {
  const TFunc* func = First_Func(First_Rorg(*this, RorgNum), FuncNum);
  if (!func) return -1;
  for (const auto& type : func->List_Type) {
    if (type->FNumber != TypeNum || !In_Range(CaseNum, type->List_Case.size())) continue;
    const TCase& item = *type->List_Case[CaseNum];
    for (size_t i = 0; i < item.List_DataField.size(); ++i) {
      if (item.List_DataField[i]->FData == Data) return static_cast<Integer>(i);
    }
    return -1;
  }
  return -1;
}

String TCatalog_EnOcean::Get_Rorg_Name_Str(Integer RorgNum) const {
  const Integer index = Get_RorgNum_Index(RorgNum);
  return index < 0 ? String() : Rorg_SL[index];
}

// ---- Lookups, every match ----

const TCase* TCatalog_EnOcean::Get_CaseObj(Integer RorgNum, Integer FuncNum, Integer TypeNum,
                                           Integer CaseNum) const {
  for (const auto& rorg : List_Rorg) {
    if (rorg->FNumber != RorgNum) continue;
    for (const auto& func : rorg->List_Func) {
      if (func->FNumber != FuncNum) continue;
      for (const auto& type : func->List_Type) {
        if (type->FNumber == TypeNum && In_Range(CaseNum, type->List_Case.size())) {
          return type->List_Case[CaseNum].get();
        }
      }
    }
  }
  return nullptr;
}

String TCatalog_EnOcean::Get_Func_Name_Str(Integer RorgNum, Integer FuncNum) const {
  for (const auto& rorg : List_Rorg) {
    if (rorg->FNumber != RorgNum) continue;
    for (const auto& func : rorg->List_Func) {
      if (func->FNumber == FuncNum) return Number_Line(FuncNum, func->FTitle);
    }
  }
  return String();
}

String TCatalog_EnOcean::Get_Type_Name_Str(Integer RorgNum, Integer FuncNum, Integer TypeNum) const {
  for (const auto& rorg : List_Rorg) {
    if (rorg->FNumber != RorgNum) continue;
    for (const auto& func : rorg->List_Func) {
      if (func->FNumber != FuncNum) continue;
      for (const auto& type : func->List_Type) {
        if (type->FNumber == TypeNum) return Number_Line(TypeNum, type->FTitle);
      }
    }
  }
  return String();
}

String TCatalog_EnOcean::Get_Case_Name_Str(Integer RorgNum, Integer FuncNum, Integer TypeNum,
                                           Integer CaseNum) const {
  const TCase* item = Get_CaseObj(RorgNum, FuncNum, TypeNum, CaseNum);
  return item ? Case_Line(CaseNum, item->FTitle) : String();
}

// ---- Lookups by list position ----

const TRorg* TCatalog_EnOcean::Get_Rorg(Integer RorgInd) const {
  return In_Range(RorgInd, List_Rorg.size()) ? List_Rorg[RorgInd].get() : nullptr;
}

const TFunc* TCatalog_EnOcean::Get_Func(Integer RorgInd, Integer FuncInd) const {
  const TRorg* rorg = Get_Rorg(RorgInd);
  return rorg && In_Range(FuncInd, rorg->List_Func.size()) ? rorg->List_Func[FuncInd].get() : nullptr;
}

const TType* TCatalog_EnOcean::Get_Type(Integer RorgInd, Integer FuncInd, Integer TypeInd) const {
  const TFunc* func = Get_Func(RorgInd, FuncInd);
  return func && In_Range(TypeInd, func->List_Type.size()) ? func->List_Type[TypeInd].get() : nullptr;
}

const TCase* TCatalog_EnOcean::Get_Case(Integer RorgInd, Integer FuncInd, Integer TypeInd,
                                        Integer CaseInd) const {
  const TType* type = Get_Type(RorgInd, FuncInd, TypeInd);
  return type && In_Range(CaseInd, type->List_Case.size()) ? type->List_Case[CaseInd].get() : nullptr;
}

const TDataField* TCatalog_EnOcean::Get_DataField(Integer RorgInd, Integer FuncInd, Integer TypeInd,
                                                  Integer CaseInd, Integer DataFieldInd) const {
  const TCase* item = Get_Case(RorgInd, FuncInd, TypeInd, CaseInd);
  return item && In_Range(DataFieldInd, item->List_DataField.size()) ? item->List_DataField[DataFieldInd].get()
                                                                     : nullptr;
}
