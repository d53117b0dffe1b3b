// The EEP catalogue: the read-only tree of EnOcean equipment profiles read from "eep.xml".
//
// Five levels: RORG, FUNC, TYPE, CASE and data field. Each level keeps its children in file order
// together with a parallel list of display lines; line i always names child i, so the item index of
// a combo box filled from a display list is the position in the object list.
//
// Users: the network editor and the variable dialogs (display lists, positions, display names by
// number) and the configuration-image builder (Get_CaseObj for the case-selector triple).
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/System.h"

class IXMLNode;

class TDataField : public TObject {
 public:
  String ClassName() const override { return u"TDataField"; }

  // Reads one `datafield` element. False for a field marked `reserved` (it never enters the
  // catalogue) and for any error raised while reading.
  bool Read_DataField_XML(const IXMLNode& DataField);

  String FData;         // the value's name; the network stores it as a variable's Data
  String FShortcut;
  String FDescription;  // empty when the element holds child elements
  String FInfo;         // empty when the element holds child elements
  Integer FBitOffs = 0; // position of the value in the telegram, in bits
  Integer FBitSize = 0; // width of the value, in bits
};

class TCase : public TObject {
 public:
  ~TCase() override;
  String ClassName() const override { return u"TCase"; }

  // Reads one `case` element: its title, its data fields and, for RORG 0xF6 and 0xD2, its
  // condition (the case selector). False on any error raised while reading.
  bool Read_Case_XML(const IXMLNode& Case_, Integer Rorg, Integer Func, Integer Type_);

  String FTitle;
  Integer FCaseIdSize = 0;   // bit size of the case-selector field in the telegram
  Integer FCaseIdOffset = 0; // bit offset of the case-selector field
  Integer FCaseId = 0;       // the selector value that identifies this case
  std::vector<std::unique_ptr<TDataField>> List_DataField;
  std::vector<String> DataField_SL; // "data : offs, size", parallel to List_DataField
};

class TType : public TObject {
 public:
  ~TType() override;
  String ClassName() const override { return u"TType"; }

  // Reads one `type` element; the result is that of its last case (True without cases).
  bool Read_Type_XML(const IXMLNode& Type_, Integer Rorg, Integer Func);

  Integer FNumber = 0;
  String FTitle;
  std::vector<std::unique_ptr<TCase>> List_Case;
  std::vector<String> Case_SL; // "1 -> title", parallel to List_Case
};

class TFunc : public TObject {
 public:
  ~TFunc() override;
  String ClassName() const override { return u"TFunc"; }

  // Reads one `func` element; the result is that of its last type (True without types).
  bool Read_Func_XML(const IXMLNode& Func, Integer Rorg);

  Integer FNumber = 0;
  String FTitle;
  std::vector<std::unique_ptr<TType>> List_Type;
  std::vector<String> Type_SL; // "0x01 : title", parallel to List_Type
};

class TRorg : public TObject {
 public:
  ~TRorg() override;
  String ClassName() const override { return u"TRorg"; }

  // Reads one `rorg` element; the result is that of its last func (True without funcs).
  bool Read_Rorg_XML(const IXMLNode& Rorg);

  Integer FNumber = 0;
  String FTitle;
  std::vector<std::unique_ptr<TFunc>> List_Func;
  std::vector<String> Func_SL; // "0x02 : title", parallel to List_Func
};

// The largest catalogue file read: the published catalogue takes about 1.5 MB.
constexpr Int64 Max_Catalog_File_Size = 64 * 1024 * 1024;

class TCatalog_EnOcean : public TObject {
 public:
  TCatalog_EnOcean();
  ~TCatalog_EnOcean() override;
  String ClassName() const override { return u"TCatalog_EnOcean"; }

  // Loads "eep.xml" into the catalogue, appending to what it holds. False when the file is missing
  // (nothing touched), does not parse, or its last RORG failed to read; what was appended before
  // an error stays. The container `profile` is taken at the top level or under a top-level `eep`.
  // The text encoding is the declared one, else UTF-8 when the bytes are valid UTF-8, else code
  // page 850. It never raises: a name that stands for something that cannot be read as a file (a
  // folder, a pipe, a device, a file larger than Max_Catalog_File_Size, one that cannot be opened
  // or does not fit in memory) gives False with nothing touched, and Error, when given, receives
  // the message that names the file. Running out of memory while the file is read into the
  // catalogue gives False too.
  bool Read_Cat_EnOcean_XML(const String& FileName, String* Error = nullptr);
  // The same from the bytes of such a file (the file reader and the fuzz target use it).
  bool Read_Cat_EnOcean_Bytes(const std::string& Bytes);

  // Lookups by number, first match only: only the first entry with the wanted number at each level
  // is searched. -1 when nothing is found.
  Integer Get_RorgNum_Index(Integer RorgNum) const;
  Integer Get_FuncNum_Index(Integer RorgNum, Integer FuncNum) const;
  Integer Get_TypeNum_Index(Integer RorgNum, Integer FuncNum, Integer TypeNum) const;
  // Position of the first data field named Data (exact comparison) in case CaseNum (from 0) of the
  // first TYPE with the wanted number, inside the first FUNC and RORG with theirs, that has that
  // case; -1 when there is none.
  Integer Get_DataField_Index(Integer RorgNum, Integer FuncNum, Integer TypeNum, Integer CaseNum,
                              const String& Data) const;
  // The display line of the first RORG with that number, or "".
  String Get_Rorg_Name_Str(Integer RorgNum) const;

  // Lookups by number, every match: every RORG, FUNC and TYPE with the wanted numbers is walked
  // and the first hit counts.
  // The case at position CaseNum (from 0), or nullptr; the catalogue keeps owning it. The image
  // builder copies its FCaseIdSize, FCaseIdOffset and FCaseId.
  const TCase* Get_CaseObj(Integer RorgNum, Integer FuncNum, Integer TypeNum, Integer CaseNum) const;
  // "0x" + number in at least two hex digits + " : " + title, or "".
  String Get_Func_Name_Str(Integer RorgNum, Integer FuncNum) const;
  String Get_Type_Name_Str(Integer RorgNum, Integer FuncNum, Integer TypeNum) const;
  // (CaseNum + 1) + " -> " + title, or "".
  String Get_Case_Name_Str(Integer RorgNum, Integer FuncNum, Integer TypeNum, Integer CaseNum) const;

  // Lookups by list position, as the combo boxes give them (-1 = no selection). nullptr when any
  // position is outside its list.
  const TRorg* Get_Rorg(Integer RorgInd) const;
  const TFunc* Get_Func(Integer RorgInd, Integer FuncInd) const;
  const TType* Get_Type(Integer RorgInd, Integer FuncInd, Integer TypeInd) const;
  const TCase* Get_Case(Integer RorgInd, Integer FuncInd, Integer TypeInd, Integer CaseInd) const;
  const TDataField* Get_DataField(Integer RorgInd, Integer FuncInd, Integer TypeInd, Integer CaseInd,
                                  Integer DataFieldInd) const;

  std::vector<std::unique_ptr<TRorg>> List_Rorg;
  std::vector<String> Rorg_SL; // "0xF6 : title", parallel to List_Rorg
};

// "0x" + Number in at least two upper-case hex digits (eight for a negative number): the number
// part of the RORG, FUNC and TYPE display lines and of the editor's EEP lines.
String Catalog_Hex_Str(Integer Number);

// A catalogue text as lists, boxes and cells show it, on one line: every run of blanks and tabs
// that holds a line break becomes one blank, and goes at the text's ends. The display lines and
// the name lookups use it; the titles and names themselves keep what the file holds.
String Catalog_Display_Text(const String& Text);
