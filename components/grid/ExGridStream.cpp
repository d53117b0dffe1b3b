// TExStringGrid: the save range, the used cells, the binary cell stream and the grid text file.
//
// The binary cell stream is a header record followed, cell by cell from the top-left of the
// rectangle, by the cell's record, its properties record, its graphic record and the graphic's
// picture record (each only when the one before announces it). Every record is written and read
// here byte by byte in the component-stream form described in ExGridBinStream.h; the reader checks
// every length against what the stream still holds and takes only the properties each record has.
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridBinStream.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridIOUtil.h"
#include "components/gridbase/ExObj.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/CodePages.h"

// ---------------------------------------------------------------------------------------------
// Save range and used cells
// ---------------------------------------------------------------------------------------------

Integer TExStringGrid::SaveStartCol() { return FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols(); }

Integer TExStringGrid::SaveStartRow() { return FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows(); }

Integer TExStringGrid::SaveEndCol() {
  return FSaveFixedCells || FSaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}

Integer TExStringGrid::SaveEndRow() {
  return FSaveFixedCells || FSaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}

Integer TExStringGrid::SaveColCount() {
  return FSaveFixedCells || FSaveFixedCols ? ColCount() : ColCount() - FixedCols() - FFixedRightCols;
}

Integer TExStringGrid::SaveRowCount() {
  return FSaveFixedCells || FSaveFixedRows ? RowCount() : RowCount() - FixedRows() - FFixedFooters;
}

TGridRect TExStringGrid::GetUsedCells() {
  TGridRect R{-1, -1, -1, -1};
  for (Integer r = 0; r < RowCount(); ++r)
    for (Integer c = 0; c < ColCount(); ++c) {
      if (Cells(c, r).empty()) continue;
      if (R.Left < 0) {
        R = TGridRect{c, r, c, r};
        continue;
      }
      R.Left = std::min(R.Left, c);
      R.Right = std::max(R.Right, c);
      R.Bottom = r;
    }
  if (R.Left < 0) return TGridRect{0, 0, 0, 0};
  return R;
}

// ---------------------------------------------------------------------------------------------
// Component records
// ---------------------------------------------------------------------------------------------

namespace {

// The tag bytes of property values.
enum : Byte {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaWString = 18,
  vaUTF8String = 20,
};

// A stream holds more values inside one another than this only when it is damaged.
constexpr Integer MaxValueDepth = 8;

// --- 80-bit extended floats ---------------------------------------------------------------------

void DoubleToExtended(double D, Byte Out[10]) {
  uint64_t Bits = 0;
  std::memcpy(&Bits, &D, sizeof Bits);
  const bool Negative = (Bits >> 63) != 0;
  const Integer Exp = static_cast<Integer>((Bits >> 52) & 0x7FF);
  uint64_t Frac = Bits & ((uint64_t(1) << 52) - 1);
  uint64_t Mant = 0;
  Integer E = 0;
  if (Exp == 0 && Frac == 0) {
    Mant = 0;
    E = 0;
  } else if (Exp == 0x7FF) {
    E = 0x7FFF;
    Mant = (uint64_t(1) << 63) | (Frac << 11);
  } else if (Exp == 0) {
    // A subnormal double is a normal extended value.
    Integer Shift = 0;
    while ((Frac & (uint64_t(1) << 52)) == 0) {
      Frac <<= 1;
      ++Shift;
    }
    E = 1 - 1023 - Shift + 16383;
    Mant = Frac << 11;
  } else {
    E = Exp - 1023 + 16383;
    Mant = (uint64_t(1) << 63) | (Frac << 11);
  }
  for (Integer i = 0; i < 8; ++i) Out[i] = static_cast<Byte>(Mant >> (8 * i));
  const uint16_t SE = static_cast<uint16_t>(E | (Negative ? 0x8000 : 0));
  Out[8] = static_cast<Byte>(SE);
  Out[9] = static_cast<Byte>(SE >> 8);
}

double ExtendedToDouble(const Byte In[10]) {
  uint64_t Mant = 0;
  for (Integer i = 0; i < 8; ++i) Mant |= uint64_t(In[i]) << (8 * i);
  const uint16_t SE = static_cast<uint16_t>(In[8] | (In[9] << 8));
  const bool Negative = (SE & 0x8000) != 0;
  const Integer E = SE & 0x7FFF;
  double V = 0;
  if (E == 0 && Mant == 0)
    V = 0;
  else if (E == 0x7FFF)
    V = (Mant << 1) == 0 ? HUGE_VAL : std::nan("");
  else
    V = std::ldexp(static_cast<double>(Mant), E - 16383 - 63);
  return Negative ? -V : V;
}

// --- Writing ------------------------------------------------------------------------------------

class TRecordWriter {
 public:
  explicit TRecordWriter(const char* ClassName) {
    FBuf.append("TPF0", 4);
    ShortString(ClassName);
    ShortString("");
  }

  void Integer32(const char* Name, Int64 V) {
    ShortString(Name);
    IntValue(V);
  }
  void Boolean(const char* Name, bool B) {
    ShortString(Name);
    Byte1(B ? vaTrue : vaFalse);
  }
  void Ident(const char* Name, const String& Id) {
    ShortString(Name);
    Byte1(vaIdent);
    ShortString(StringToAnsi(Id));
  }
  // Written only when not empty.
  void Text(const char* Name, const String& S) {
    if (S.empty()) return;
    ShortString(Name);
    TextValue(S);
  }
  // A named colour as its identifier, any other as an integer.
  void Color(const char* Name, TColor C) {
    String Id;
    if (ColorToIdent(C, Id))
      Ident(Name, Id);
    else
      Integer32(Name, C);
  }
  void Set(const char* Name, const std::vector<std::string>& Members) {
    ShortString(Name);
    Byte1(vaSet);
    for (const std::string& M : Members) ShortString(M);
    ShortString("");
  }
  // Written only when not zero.
  void Float(const char* Name, double V) {
    if (V == 0) return;
    ShortString(Name);
    Byte1(vaExtended);
    Byte Ext[10];
    DoubleToExtended(V, Ext);
    FBuf.append(reinterpret_cast<const char*>(Ext), 10);
  }
  void Binary(const char* Name, const std::string& Data) {
    ShortString(Name);
    Byte1(vaBinary);
    LE32(static_cast<uint32_t>(Data.size()));
    FBuf += Data;
  }
  void StringList(const char* Name, const TStrings* List) {
    if (List->Count() == 0) return;
    ShortString(Name);
    Byte1(vaList);
    for (Integer i = 0; i < List->Count(); ++i) TextOrEmpty(List->Get(i));
    Byte1(vaNull);
  }

  void WriteTo(TStream* Stream) {
    FBuf.push_back('\0');  // end of the properties
    FBuf.push_back('\0');  // end of the (empty) list of child components
    Stream->WriteBuffer(FBuf);
  }

 private:
  void Byte1(Byte B) { FBuf.push_back(static_cast<char>(B)); }
  void LE32(uint32_t V) {
    for (Integer i = 0; i < 4; ++i) Byte1(static_cast<Byte>(V >> (8 * i)));
  }
  void ShortString(const std::string& S) {
    const size_t N = std::min<size_t>(S.size(), 255);
    Byte1(static_cast<Byte>(N));
    FBuf.append(S, 0, N);
  }
  void IntValue(Int64 V) {
    if (V >= -128 && V <= 127) {
      Byte1(vaInt8);
      Byte1(static_cast<Byte>(V));
    } else if (V >= -32768 && V <= 32767) {
      Byte1(vaInt16);
      Byte1(static_cast<Byte>(V));
      Byte1(static_cast<Byte>(V >> 8));
    } else {
      Byte1(vaInt32);
      LE32(static_cast<uint32_t>(V));
    }
  }
  // UTF-16 when the UTF-8 form is at least twice as long as the text; UTF-8 for other text with
  // bytes from 0x80; plain short or long strings for ASCII.
  void TextValue(const String& S) {
    const std::string U = StringToUtf8(S);
    if (U.size() >= 2 * S.size()) {
      Byte1(vaWString);
      LE32(static_cast<uint32_t>(S.size()));
      for (Char C : S) {
        Byte1(static_cast<Byte>(C));
        Byte1(static_cast<Byte>(C >> 8));
      }
      return;
    }
    bool Ascii = true;
    for (char B : U)
      if (static_cast<Byte>(B) >= 0x80) Ascii = false;
    if (!Ascii) {
      Byte1(vaUTF8String);
      LE32(static_cast<uint32_t>(U.size()));
    } else if (U.size() < 256) {
      Byte1(vaString);
      Byte1(static_cast<Byte>(U.size()));
    } else {
      Byte1(vaLString);
      LE32(static_cast<uint32_t>(U.size()));
    }
    FBuf += U;
  }
  // An item of a list may be empty: it is then a short string of length 0.
  void TextOrEmpty(const String& S) {
    if (S.empty()) {
      Byte1(vaString);
      Byte1(0);
    } else {
      TextValue(S);
    }
  }

  std::string FBuf;
};

// --- Reading ------------------------------------------------------------------------------------

struct TValue {
  Byte Tag = vaNull;
  Int64 Int = 0;
  double Float = 0;
  String Text;                   // strings and identifiers
  std::string Bytes;             // binary data
  std::vector<String> Members;   // sets
  std::vector<TValue> List;      // lists
};

struct TProperty {
  String Name;
  TValue Value;
};

[[noreturn]] void ReadError() { throw EReadError(u"Stream read error"); }
[[noreturn]] void InvalidValue(const String& Prop) { throw EReadError(u"Invalid property value of " + Prop); }

class TRecordReader {
 public:
  explicit TRecordReader(TStream* Stream) : FStream(Stream) {}

  // One record of the given class: its properties in stream order.
  std::vector<TProperty> Read(const char* ClassName) {
    char Sig[4];
    Bytes(Sig, 4);
    if (std::memcmp(Sig, "TPF0", 4) != 0) throw EReadError(u"Invalid stream format");
    const String Class = AnsiToString(ShortString());
    if (Class != AsciiToString(ClassName)) throw EReadError(u"Invalid stream format");
    ShortString();  // the component's name
    std::vector<TProperty> Props;
    for (;;) {
      const std::string Name = ShortString();
      if (Name.empty()) break;
      TProperty P;
      P.Name = AnsiToString(Name);
      P.Value = Value(0);
      Props.push_back(std::move(P));
    }
    // Child components are no part of this stream.
    if (Byte1() != 0) throw EReadError(u"Invalid stream format");
    return Props;
  }

 private:
  Int64 Remaining() { return FStream->Size() - FStream->Position(); }
  void Bytes(void* Buffer, Int64 Count) {
    if (Count < 0 || Count > Remaining()) ReadError();
    if (Count > 0) FStream->ReadBuffer(Buffer, Count);
  }
  Byte Byte1() {
    Byte B = 0;
    Bytes(&B, 1);
    return B;
  }
  uint32_t LE32() {
    Byte B[4];
    Bytes(B, 4);
    return uint32_t(B[0]) | (uint32_t(B[1]) << 8) | (uint32_t(B[2]) << 16) | (uint32_t(B[3]) << 24);
  }
  std::string Raw(Int64 Count) {
    if (Count < 0 || Count > Remaining()) ReadError();
    std::string S(static_cast<size_t>(Count), '\0');
    Bytes(S.data(), Count);
    return S;
  }
  std::string ShortString() { return Raw(Byte1()); }

  TValue Value(Integer Depth) {
    if (Depth > MaxValueDepth) ReadError();
    TValue V;
    V.Tag = Byte1();
    switch (V.Tag) {
      case vaList:
        for (;;) {
          if (Remaining() < 1) ReadError();
          Byte Next = 0;
          FStream->ReadBuffer(&Next, 1);
          if (Next == vaNull) break;
          FStream->Seek(-1, soCurrent);
          V.List.push_back(Value(Depth + 1));
        }
        break;
      case vaInt8: V.Int = static_cast<int8_t>(Byte1()); break;
      case vaInt16: {
        const Byte L = Byte1();
        const Byte H = Byte1();
        V.Int = static_cast<int16_t>(L | (H << 8));
        break;
      }
      case vaInt32: V.Int = static_cast<int32_t>(LE32()); break;
      case vaExtended: {
        Byte Ext[10];
        Bytes(Ext, 10);
        V.Float = ExtendedToDouble(Ext);
        break;
      }
      case vaString: V.Text = AnsiToString(ShortString()); break;
      case vaLString: V.Text = AnsiToString(Raw(LE32())); break;
      case vaIdent: V.Text = AnsiToString(ShortString()); break;
      case vaFalse:
      case vaTrue: break;
      case vaBinary: V.Bytes = Raw(LE32()); break;
      case vaSet:
        for (;;) {
          const std::string M = ShortString();
          if (M.empty()) break;
          V.Members.push_back(AnsiToString(M));
        }
        break;
      case vaWString: {
        const Int64 Units = LE32();
        const std::string B = Raw(Units * 2);
        V.Text.resize(static_cast<size_t>(Units));
        for (Int64 i = 0; i < Units; ++i)
          V.Text[i] = static_cast<Char>(static_cast<Byte>(B[2 * i]) | (static_cast<Byte>(B[2 * i + 1]) << 8));
        break;
      }
      case vaUTF8String: V.Text = Utf8ToString(Raw(LE32())); break;
      default: ReadError();
    }
    return V;
  }

  TStream* FStream;
};

Integer AsInteger(const TProperty& P) {
  switch (P.Value.Tag) {
    case vaInt8:
    case vaInt16:
    case vaInt32: return static_cast<Integer>(P.Value.Int);
    default: InvalidValue(P.Name);
  }
}

bool AsBoolean(const TProperty& P) {
  if (P.Value.Tag == vaTrue) return true;
  if (P.Value.Tag == vaFalse) return false;
  InvalidValue(P.Name);
}

String AsText(const TProperty& P) {
  switch (P.Value.Tag) {
    case vaString:
    case vaLString:
    case vaWString:
    case vaUTF8String: return P.Value.Text;
    default: InvalidValue(P.Name);
  }
}

double AsFloat(const TProperty& P) {
  if (P.Value.Tag == vaExtended) return P.Value.Float;
  return AsInteger(P);
}

TColor AsColor(const TProperty& P) {
  if (P.Value.Tag == vaIdent) {
    TColor C = 0;
    if (!IdentToColor(P.Value.Text, C)) InvalidValue(P.Name);
    return C;
  }
  return AsInteger(P);
}

// The ordinal of an identifier among Names.
template <size_t N>
Integer AsEnum(const TProperty& P, const char16_t* const (&Names)[N]) {
  if (P.Value.Tag == vaIdent)
    for (size_t i = 0; i < N; ++i)
      if (P.Value.Text == Names[i]) return static_cast<Integer>(i);
  InvalidValue(P.Name);
}

const std::string& AsBinary(const TProperty& P) {
  if (P.Value.Tag != vaBinary) InvalidValue(P.Name);
  return P.Value.Bytes;
}

[[noreturn]] void UnknownProperty(const char* ClassName, const String& Prop) {
  throw EReadError(u"Error reading " + AsciiToString(ClassName) + u"." + Prop + u": Property " + Prop +
                   u" does not exist");
}

// --- Value names ----------------------------------------------------------------------------------

const char16_t* const AlignmentNames[] = {u"taLeftJustify", u"taRightJustify", u"taCenter"};
const char16_t* const VAlignmentNames[] = {u"vtaTop", u"vtaCenter", u"vtaBottom"};
const char16_t* const BrushStyleNames[] = {u"bsSolid",     u"bsClear",     u"bsHorizontal", u"bsVertical",
                                           u"bsFDiagonal", u"bsBDiagonal", u"bsCross",      u"bsDiagCross"};
const char16_t* const GradientNames[] = {u"GradientVertical", u"GradientHorizontal"};
const char16_t* const EditorNames[] = {
    u"edNormal",           u"edSpinEdit",           u"edComboEdit",          u"edComboList",
    u"edEditBtn",          u"edCheckBox",           u"edDateEdit",           u"edDateEditUpDown",
    u"edTimeEdit",         u"edButton",             u"edDataCheckBox",       u"edNumeric",
    u"edPositiveNumeric",  u"edFloat",              u"edCapital",            u"edMixedCase",
    u"edPassword",         u"edUnitEditBtn",        u"edLowerCase",          u"edUpperCase",
    u"edFloatSpinEdit",    u"edTimeSpinEdit",       u"edDateSpinEdit",       u"edNumericEditBtn",
    u"edFloatEditBtn",     u"edCustom",             u"edRichEdit",           u"edNone",
    u"edDateTimeEdit",     u"edValidChars",         u"edTrackbarDropDown",   u"edMemoDropDown",
    u"edCalculatorDropDown", u"edTimePickerDropDown", u"edDetailDropDown",   u"edGridDropDown",
    u"edColorPickerDropDown", u"edImagePickerDropDown", u"edExGridDropDown", u"edPositiveFloat",
    u"edNumericUnitEditBtn", u"edFloatUnitEditBtn",  u"edMaskEditBtn"};
static_assert(std::size(EditorNames) == EditorTypeCount);
const char16_t* const CellTypeNames[] = {
    u"ctBitmap",       u"ctIcon",           u"ctNone",        u"ctImageList",      u"ctCheckBox",
    u"ctDataCheckBox", u"ctRotated",        u"ctDataImage",   u"ctNode",           u"ctRadio",
    u"ctEmpty",        u"ctImages",         u"ctPicture",     u"ctFilePicture",    u"ctValue",
    u"ctProgress",     u"ctComment",        u"ctButton",      u"ctBitButton",      u"ctVirtCheckBox",
    u"ctRowCheckBox",  u"ctProgressPie",    u"ctSummary",     u"ctRangeIndicator", u"ctXPProgress",
    u"ctInterface",    u"ctScrollbar",      u"ctRadioButton", u"ctBalloon",        u"ctShape",
    u"ctRating",       u"ctTriStateCheckBox", u"ctExpand"};
static_assert(std::size(CellTypeNames) == CellTypeCount);
const char16_t* const CellVAlignNames[] = {u"vaTop", u"vaBottom", u"vaCenter", u"vaUnderText", u"vaAboveText",
                                           u"vaFull"};
const char16_t* const CellHAlignNames[] = {u"haLeft", u"haRight", u"haCenter", u"haBeforeText", u"haAfterText",
                                           u"haFull"};
const char16_t* const CheckBoxStateNames[] = {u"cbUnchecked", u"cbChecked", u"cbGrayed"};
const char* const FontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

// --- The records of the stream ----------------------------------------------------------------------

// The kinds of graphic that carry an object (picture or list) in a record of its own.
bool HasPictureRecord(TCellType T) {
  switch (T) {
    case ctBitmap:
    case ctBitButton:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture: return true;
    default: return false;
  }
}

void WriteHeader(TStream* S, const TGridStreamHeader& H) {
  TRecordWriter W("TGridPropIO");
  W.Integer32("ColCount", H.ColCount);
  W.Integer32("RowCount", H.RowCount);
  W.Text("ColWidths", H.ColWidths);
  W.Text("RowHeights", H.RowHeights);
  W.Boolean("FullGrid", H.FullGrid);
  W.Integer32("ID", H.ID);
  W.WriteTo(S);
}

TGridStreamHeader ReadHeader(TStream* S) {
  TGridStreamHeader H;
  for (const TProperty& P : TRecordReader(S).Read("TGridPropIO")) {
    if (P.Name == u"ColCount")
      H.ColCount = AsInteger(P);
    else if (P.Name == u"RowCount")
      H.RowCount = AsInteger(P);
    else if (P.Name == u"ColWidths")
      H.ColWidths = AsText(P);
    else if (P.Name == u"RowHeights")
      H.RowHeights = AsText(P);
    else if (P.Name == u"FullGrid")
      H.FullGrid = AsBoolean(P);
    else if (P.Name == u"ID")
      H.ID = AsInteger(P);
    else if (P.Name != u"Tag")
      UnknownProperty("TGridPropIO", P.Name);
  }
  return H;
}

struct TCellRecord {
  Integer Col = 0;
  Integer Row = 0;
  String Cell;
  bool HasProp = false;
};

void WriteCell(TStream* S, const TCellRecord& C) {
  TRecordWriter W("TGridCellIO");
  W.Integer32("Col", C.Col & 0xFFFF);
  W.Integer32("Row", C.Row & 0xFFFF);
  W.Text("Cell", C.Cell);
  W.Boolean("HasProp", C.HasProp);
  W.WriteTo(S);
}

TCellRecord ReadCell(TStream* S) {
  TCellRecord C;
  for (const TProperty& P : TRecordReader(S).Read("TGridCellIO")) {
    if (P.Name == u"Col")
      C.Col = AsInteger(P) & 0xFFFF;
    else if (P.Name == u"Row")
      C.Row = AsInteger(P) & 0xFFFF;
    else if (P.Name == u"Cell")
      C.Cell = AsText(P);
    else if (P.Name == u"HasProp")
      C.HasProp = AsBoolean(P);
    else if (P.Name != u"Tag")
      UnknownProperty("TGridCellIO", P.Name);
  }
  return C;
}

// The carrier's properties took the cell's through TCellProperties.Assign, which leaves the
// gradient colour and direction at the carrier's own first values.
void WriteCellProps(TStream* S, const TCellProperties* P, bool HasGraphic) {
  TRecordWriter W("TGridCellPropIO");
  W.Boolean("CellProperties.IsBaseCell", P->IsBaseCell());
  W.Integer32("CellProperties.CellSpanX", P->CellSpanX());
  W.Integer32("CellProperties.CellSpanY", P->CellSpanY());
  W.Ident("CellProperties.Alignment", AlignmentNames[P->Alignment()]);
  W.Color("CellProperties.BorderColor", P->BorderColor());
  W.Integer32("CellProperties.BorderWidth", P->BorderWidth());
  W.Color("CellProperties.BrushColor", P->BrushColor());
  W.Color("CellProperties.BrushColorTo", clNone);
  W.Ident("CellProperties.BrushStyle", BrushStyleNames[P->BrushStyle()]);
  // The caller's object travels as the low 32 bits of its reference; the reader does not take it.
  W.Integer32("CellProperties.CellObject",
              static_cast<int32_t>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(P->CellObject()))));
  W.Color("CellProperties.FontColor", P->FontColor());
  W.Text("CellProperties.FontName", P->FontName());
  W.Integer32("CellProperties.FontSize", P->FontSize());
  std::vector<std::string> Styles;
  for (Integer i = 0; i < 4; ++i)
    if (P->FontStyle().Contains(static_cast<TFontStyle>(i))) Styles.push_back(FontStyleNames[i]);
  W.Set("CellProperties.FontStyle", Styles);
  W.Ident("CellProperties.Editor", EditorNames[P->Editor()]);
  W.Ident("CellProperties.GradientDirection", GradientNames[GradientVertical]);
  W.Boolean("CellProperties.ReadOnly", P->ReadOnly());
  W.Ident("CellProperties.VAlignment", VAlignmentNames[P->VAlignment()]);
  W.Boolean("CellProperties.WordWrap", P->WordWrap());
  W.Integer32("CellProperties.NodeLevel", P->NodeLevel());
  // A control placed in the cell is named; the reader does not take it either.
  if (P->Control() && !P->Control()->Name().empty()) W.Ident("CellProperties.Control", P->Control()->Name());
  W.Boolean("HasGraphic", HasGraphic);
  W.WriteTo(S);
}

// Reads the properties record into P (preset by the caller); answers HasGraphic. The object
// reference and the control of the record stay out: a number or a name from a stream does not
// lead to a live object.
bool ReadCellProps(TStream* S, TCellProperties* P) {
  bool HasGraphic = false;
  for (const TProperty& Q : TRecordReader(S).Read("TGridCellPropIO")) {
    const String& N = Q.Name;
    if (N == u"HasGraphic")
      HasGraphic = AsBoolean(Q);
    else if (N == u"CellProperties.IsBaseCell")
      P->SetIsBaseCell(AsBoolean(Q));
    else if (N == u"CellProperties.CellSpanX")
      P->SetCellSpanX(AsInteger(Q));
    else if (N == u"CellProperties.CellSpanY")
      P->SetCellSpanY(AsInteger(Q));
    else if (N == u"CellProperties.Alignment")
      P->SetAlignment(static_cast<TAlignment>(AsEnum(Q, AlignmentNames)));
    else if (N == u"CellProperties.BorderColor")
      P->SetBorderColor(AsColor(Q));
    else if (N == u"CellProperties.BorderWidth")
      P->SetBorderWidth(AsInteger(Q));
    else if (N == u"CellProperties.BrushColor")
      P->SetBrushColor(AsColor(Q));
    else if (N == u"CellProperties.BrushColorTo")
      P->SetBrushColorTo(AsColor(Q));
    else if (N == u"CellProperties.BrushStyle")
      P->SetBrushStyle(static_cast<TBrushStyle>(AsEnum(Q, BrushStyleNames)));
    else if (N == u"CellProperties.CellObject")
      AsInteger(Q);
    else if (N == u"CellProperties.FontColor")
      P->SetFontColor(AsColor(Q));
    else if (N == u"CellProperties.FontName")
      P->SetFontName(AsText(Q));
    else if (N == u"CellProperties.FontSize")
      P->SetFontSize(AsInteger(Q));
    else if (N == u"CellProperties.FontStyle") {
      if (Q.Value.Tag != vaSet) InvalidValue(N);
      TFontStyles Styles;
      for (const String& M : Q.Value.Members) {
        bool Known = false;
        for (Integer i = 0; i < 4; ++i)
          if (M == AsciiToString(FontStyleNames[i])) {
            Styles.Include(static_cast<TFontStyle>(i));
            Known = true;
          }
        if (!Known) InvalidValue(N);
      }
      P->SetFontStyle(Styles);
    } else if (N == u"CellProperties.Editor")
      P->SetEditor(static_cast<TEditorType>(AsEnum(Q, EditorNames)));
    else if (N == u"CellProperties.GradientDirection")
      P->SetGradientDirection(static_cast<TCellGradientDirection>(AsEnum(Q, GradientNames)));
    else if (N == u"CellProperties.ReadOnly")
      P->SetReadOnly(AsBoolean(Q));
    else if (N == u"CellProperties.VAlignment")
      P->SetVAlignment(static_cast<TVAlignment>(AsEnum(Q, VAlignmentNames)));
    else if (N == u"CellProperties.WordWrap")
      P->SetWordWrap(AsBoolean(Q));
    else if (N == u"CellProperties.NodeLevel")
      P->SetNodeLevel(AsInteger(Q));
    else if (N == u"CellProperties.Control") {
      if (Q.Value.Tag != vaIdent) InvalidValue(N);
    } else if (N != u"Tag")
      UnknownProperty("TGridCellPropIO", N);
  }
  return HasGraphic;
}

// The carrier took the graphic through TCellGraphic.Assign, which leaves the tri-state state at
// the carrier's first value.
void WriteGraphic(TStream* S, const TCellGraphic* G) {
  TRecordWriter W("TGridGraphicIO");
  W.Ident("CellGraphic.CellType", CellTypeNames[G->CellType()]);
  W.Ident("CellGraphic.CellVAlign", CellVAlignNames[G->CellVAlign()]);
  W.Ident("CellGraphic.CellHAlign", CellHAlignNames[G->CellHAlign()]);
  W.Integer32("CellGraphic.CellIndex", G->CellIndex());
  W.Boolean("CellGraphic.CellTransparent", G->CellTransparent());
  W.Boolean("CellGraphic.CellCreated", G->CellCreated());
  W.Boolean("CellGraphic.CellBoolean", G->CellBoolean());
  W.Ident("CellGraphic.CellCheckBoxState", CheckBoxStateNames[cbUnchecked]);
  W.Integer32("CellGraphic.CellAngle", G->CellAngle());
  W.Float("CellGraphic.CellValue", G->CellValue());
  W.Integer32("CellGraphic.CellErrFrom", G->CellErrFrom());
  W.Integer32("CellGraphic.CellErrLen", G->CellErrLen());
  W.Text("CellGraphic.CellText", G->CellText());
  W.WriteTo(S);
}

void ReadGraphic(TStream* S, TCellGraphic* G) {
  for (const TProperty& Q : TRecordReader(S).Read("TGridGraphicIO")) {
    const String& N = Q.Name;
    if (N == u"CellGraphic.CellType")
      G->SetCellType(static_cast<TCellType>(AsEnum(Q, CellTypeNames)));
    else if (N == u"CellGraphic.CellVAlign")
      G->SetCellVAlign(static_cast<TCellVAlign>(AsEnum(Q, CellVAlignNames)));
    else if (N == u"CellGraphic.CellHAlign")
      G->SetCellHAlign(static_cast<TCellHAlign>(AsEnum(Q, CellHAlignNames)));
    else if (N == u"CellGraphic.CellIndex")
      G->SetCellIndex(AsInteger(Q));
    else if (N == u"CellGraphic.CellTransparent")
      G->SetCellTransparent(AsBoolean(Q));
    else if (N == u"CellGraphic.CellCreated")
      G->SetCellCreated(AsBoolean(Q));
    else if (N == u"CellGraphic.CellBoolean")
      G->SetCellBoolean(AsBoolean(Q));
    else if (N == u"CellGraphic.CellCheckBoxState")
      G->SetCellCheckBoxState(static_cast<TCheckBoxState>(AsEnum(Q, CheckBoxStateNames)));
    else if (N == u"CellGraphic.CellAngle")
      G->SetCellAngle(AsInteger(Q));
    else if (N == u"CellGraphic.CellValue")
      G->SetCellValue(AsFloat(Q));
    else if (N == u"CellGraphic.CellErrFrom")
      G->SetCellErrFrom(AsInteger(Q));
    else if (N == u"CellGraphic.CellErrLen")
      G->SetCellErrLen(AsInteger(Q));
    else if (N == u"CellGraphic.CellText")
      G->SetCellText(AsText(Q));
    else if (N != u"Tag")
      UnknownProperty("TGridGraphicIO", N);
  }
}

// --- Picture data ---------------------------------------------------------------------------------

std::string BytesOf(const std::vector<Byte>& V) { return std::string(V.begin(), V.end()); }

std::string LE32Text(uint32_t V) {
  std::string S(4, '\0');
  for (Integer i = 0; i < 4; ++i) S[i] = static_cast<char>(V >> (8 * i));
  return S;
}

// A bitmap's data: a 32-bit size, then the BMP file.
std::string BitmapData(const TBitmap* B) {
  const std::string Bmp = BytesOf(B->SaveToMemory());
  return LE32Text(static_cast<uint32_t>(Bmp.size())) + Bmp;
}

// The bytes after a 32-bit size, as many as the size says.
std::string_view SizedPayload(std::string_view Data) {
  if (Data.size() < 4) ReadError();
  const uint32_t Size = uint32_t(static_cast<Byte>(Data[0])) | (uint32_t(static_cast<Byte>(Data[1])) << 8) |
                        (uint32_t(static_cast<Byte>(Data[2])) << 16) | (uint32_t(static_cast<Byte>(Data[3])) << 24);
  if (Size > Data.size() - 4) ReadError();
  return Data.substr(4, Size);
}

void LoadGraphicData(TGraphic* G, std::string_view File) {
  G->LoadFromMemory(reinterpret_cast<const Byte*>(File.data()), File.size());
}

// A picture's data: the graphic's class name as a short string, then the graphic's own data (a
// bitmap's or a JPEG image's with their 32-bit size, an icon's as its file).
std::string PictureData(const TPicture* P) {
  const TGraphic* G = P->Graphic();
  if (!G || G->Empty()) return std::string();
  const std::string Name = StringToAnsi(G->ClassName());
  std::string Data(1, static_cast<char>(Name.size()));
  Data += Name;
  const std::string File = BytesOf(G->SaveToMemory());
  if (dynamic_cast<const TIcon*>(G))
    Data += File;
  else
    Data += LE32Text(static_cast<uint32_t>(File.size())) + File;
  return Data;
}

void LoadPictureData(TPicture* P, const std::string& Data) {
  if (Data.empty()) ReadError();
  const size_t NameLen = static_cast<Byte>(Data[0]);
  if (Data.size() < 1 + NameLen) ReadError();
  const String Name = AnsiToString(std::string_view(Data).substr(1, NameLen));
  const std::string_view Rest = std::string_view(Data).substr(1 + NameLen);
  std::unique_ptr<TGraphic> G;
  if (Name == u"TIcon") {
    G = std::make_unique<TIcon>();
    LoadGraphicData(G.get(), Rest);
  } else if (Name == u"TBitmap" || Name == u"TJPEGImage") {
    if (Name == u"TBitmap")
      G = std::make_unique<TBitmap>();
    else
      G = std::make_unique<TJPEGImage>();
    LoadGraphicData(G.get(), SizedPayload(Rest));
  } else {
    throw EReadError(u"Class " + Name + u" not found");
  }
  P->SetGraphic(G.get());
}

}  // namespace

TGridStreamHeader ReadGridStreamHeader(TStream* Stream) { return ReadHeader(Stream); }

// ---------------------------------------------------------------------------------------------
// The binary cell stream of the grid
// ---------------------------------------------------------------------------------------------

namespace {

// The picture record that the graphic's kind calls for.
void WritePicture(TStream* S, const TCellGraphic* G) {
  switch (G->CellType()) {
    case ctBitmap:
    case ctBitButton: {
      TRecordWriter W("TGridBMPIO");
      if (const TBitmap* B = G->Bitmap(); B && !B->Empty()) W.Binary("Bitmap.Data", BitmapData(B));
      W.WriteTo(S);
      break;
    }
    case ctIcon: {
      TRecordWriter W("TGridIconIO");
      if (const TIcon* I = G->CellIcon(); I && !I->Empty()) W.Binary("Icon.Data", BytesOf(I->SaveToMemory()));
      W.WriteTo(S);
      break;
    }
    case ctRadio: {
      TRecordWriter W("TGridSLIO");
      if (const TStrings* L = G->Strings()) W.StringList("Strings.Strings", L);
      W.WriteTo(S);
      break;
    }
    case ctImages: {
      TRecordWriter W("TGridSLIO");
      TStringList Items;
      if (const TIntList* L = G->IntList())
        for (Integer i = 0; i < L->Count(); ++i) Items.Add(IntToStr(L->Items(i)));
      W.StringList("Strings.Strings", &Items);
      W.WriteTo(S);
      break;
    }
    case ctPicture: {
      TRecordWriter W("TGridPicIO");
      if (const TPicture* P = G->Picture()) {
        const std::string Data = PictureData(P);
        if (!Data.empty()) W.Binary("Picture.Data", Data);
      }
      W.WriteTo(S);
      break;
    }
    case ctFilePicture: {
      TRecordWriter W("TGridFilePicIO");
      if (const TFilePicture* P = G->FilePicture()) W.Text("Picture.Filename", P->Filename());
      W.WriteTo(S);
      break;
    }
    default: break;
  }
}

// The texts of a list record.
std::vector<String> ReadListRecord(TStream* S) {
  std::vector<String> Items;
  for (const TProperty& Q : TRecordReader(S).Read("TGridSLIO")) {
    if (Q.Name == u"Strings.Strings") {
      if (Q.Value.Tag != vaList) InvalidValue(Q.Name);
      for (const TValue& V : Q.Value.List) {
        TProperty Item{Q.Name, V};
        Items.push_back(AsText(Item));
      }
    } else if (Q.Name != u"Tag") {
      UnknownProperty("TGridSLIO", Q.Name);
    }
  }
  return Items;
}

// The one binary property Name of a record of ClassName, empty when the record has none.
std::string ReadDataRecord(TStream* S, const char* ClassName, const char16_t* Name) {
  std::string Data;
  for (const TProperty& Q : TRecordReader(S).Read(ClassName)) {
    if (Q.Name == Name)
      Data = AsBinary(Q);
    else if (Q.Name != u"Tag")
      UnknownProperty(ClassName, Q.Name);
  }
  return Data;
}

}  // namespace

void TExStringGrid::SaveRectToBinStream(TRect Rect, TStream* Stream) {
  TGridStreamHeader H;
  H.ColCount = Rect.Right - Rect.Left + 1;
  H.RowCount = Rect.Bottom - Rect.Top + 1;
  if (FSaveFixedCells)
    H.FullGrid = H.RowCount == RowCount() && H.ColCount == ColCount();
  else
    H.FullGrid = H.RowCount == RowCount() - FixedRows() && H.ColCount == ColCount() - FixedCols();
  H.ID = static_cast<Integer>(Handle());
  std::vector<Integer> Widths, Heights;
  for (Integer c = Rect.Left; c <= Rect.Right; ++c)
    Widths.push_back(c >= 0 && c < ColCount() ? ColWidths(c) : DefaultColWidth());
  for (Integer r = Rect.Top; r <= Rect.Bottom; ++r)
    Heights.push_back(r >= 0 && r < RowCount() ? RowHeights(r) : DefaultRowHeight());
  H.ColWidths = GridJoinNumbers(Widths);
  H.RowHeights = GridJoinNumbers(Heights);
  WriteHeader(Stream, H);

  ExportNotification(esExportStart, Rect.Top);
  Integer LastProgress = -1;
  for (Integer r = Rect.Top; r <= Rect.Bottom; ++r) {
    ExportNotification(esExportNextRow, r);
    for (Integer c = Rect.Left; c <= Rect.Right; ++c) {
      // The rectangle is in shown columns; the cell is read at its real column.
      const Integer RC = RealColIndex(c);
      TCellRecord Rec{c, r, Cells(RC, r), HasCellProperties(RC, r)};
      WriteCell(Stream, Rec);
      if (!Rec.HasProp) continue;
      const TCellType T = GetCellType(RC, r);
      TCellGraphic* G = GetCellGraphic(RC, r);
      bool HasGraphic = false;
      if (T != ctEmpty && G) HasGraphic = HasPictureRecord(T) ? G->CellCreated() : true;
      WriteCellProps(Stream, GetCellProperties(RC, r), HasGraphic);
      if (!HasGraphic) continue;
      WriteGraphic(Stream, G);
      if (HasPictureRecord(G->CellType())) WritePicture(Stream, G);
    }
    if (OnFileProgress) {
      // The share of the rectangle's rows written so far.
      const Integer P = Round((r - Rect.Top) * 100.0 / std::max(1, Rect.Bottom - Rect.Top));
      if (P != LastProgress) {
        LastProgress = P;
        OnFileProgress(this, static_cast<int16_t>(P));
      }
    }
  }
  ExportNotification(esExportDone, -1);
}

void TExStringGrid::SaveToBinStream(TStream* Stream) {
  SaveRectToBinStream(TRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), Stream);
}

void TExStringGrid::SaveToBinFile(const String& FileName) {
  TMemoryStream M;
  SaveToBinStream(&M);
  M.SaveToFile(FileName);
}

void TExStringGrid::LoadAtPointFromBinStream(TPoint Point, TStream* Stream) {
  const TGridStreamHeader H = ReadHeader(Stream);
  if (H.FullGrid) {
    // Every cell of a whole-grid stream has a record of its own, so counts beyond what the rest of
    // the stream can hold are damage; they would only make the grid huge.
    const Int64 Remaining = Stream->Size() - Stream->Position();
    if (H.ColCount < 1 || H.RowCount < 1 || H.ColCount > GridFileMaxColCount || H.RowCount > GridFileMaxRowCount ||
        static_cast<Int64>(H.ColCount) * H.RowCount > Remaining)
      ReadError();
    Clear();
    SetRowCount(H.RowCount);
    SetColCount(H.ColCount);
    const std::vector<String> W = GridSplitCommas(H.ColWidths);
    for (Integer i = 0; i < ColCount() && i < static_cast<Integer>(W.size()); ++i)
      SetColWidths(i, GridFileExtent(StrToInt(W[i])));
    const std::vector<String> Hs = GridSplitCommas(H.RowHeights);
    for (Integer i = 0; i < RowCount() && i < static_cast<Integer>(Hs.size()); ++i)
      SetRowHeights(i, GridFileExtent(StrToInt(Hs[i])));
  }

  TCellProperties PropCarrier(this, 0, 0);
  Integer OriginCol = 0, OriginRow = 0;
  bool First = true;
  Integer PrevRow = -1;
  Integer LastProgress = -1;
  while (Stream->Size() - Stream->Position() > 1) {
    const TCellRecord C = ReadCell(Stream);
    if (First) {
      First = false;
      if (!H.FullGrid) {
        OriginCol = C.Col;
        OriginRow = C.Row;
      }
    }
    const Integer TC = C.Col + Point.X - OriginCol;
    const Integer TR = C.Row + Point.Y - OriginRow;
    // Cells that fall outside the grid are read and left out; the others are stored at the real
    // column of the shown column they land in.
    const bool Inside = TC >= 0 && TR >= 0 && TC < ColCount() && TR < RowCount();
    const Integer RC = Inside ? RealColIndex(TC) : TC;
    if (Inside) SetCellEx(RC, TR, C.Cell);
    if (TR != PrevRow) {
      PrevRow = TR;
      const Integer P = Round(TR * 100.0 / std::max(1, RowCount()));
      if (OnFileProgress && P != LastProgress) OnFileProgress(this, static_cast<int16_t>(P));
      LastProgress = P;
    }
    if (!C.HasProp) continue;

    TCellProperties* Target = Inside ? GetCellProperties(RC, TR) : nullptr;
    if (Target) PropCarrier.Assign(Target);
    const bool HasGraphic = ReadCellProps(Stream, &PropCarrier);
    if (Target) {
      PropCarrier.SetOwnerCol(RC);
      PropCarrier.SetOwnerRow(TR);
      // A merged area must lie inside the grid: one that reaches out of it (a cut-off block or a
      // damaged stream) leaves a plain cell.
      if (PropCarrier.IsBaseCell()) {
        if (PropCarrier.CellSpanX() < -1 || PropCarrier.CellSpanY() < -1 ||
            RC + PropCarrier.CellSpanX() >= TotalColCount() || TR + PropCarrier.CellSpanY() >= RowCount()) {
          PropCarrier.SetCellSpanX(-1);
          PropCarrier.SetCellSpanY(-1);
        }
      } else if (PropCarrier.CellSpanX() < 0 || PropCarrier.CellSpanY() < 0 || PropCarrier.CellSpanX() > RC ||
                 PropCarrier.CellSpanY() > TR) {
        PropCarrier.SetIsBaseCell(true);
        PropCarrier.SetCellSpanX(-1);
        PropCarrier.SetCellSpanY(-1);
      }
      Target->Assign(&PropCarrier);
    }
    if (!HasGraphic) continue;

    TCellGraphic Carrier;
    ReadGraphic(Stream, &Carrier);
    std::unique_ptr<TCellGraphic> Scratch;
    TCellGraphic* G = Target ? CreateCellGraphic(RC, TR) : nullptr;
    if (!G || G == FCellGraphic) {
      Scratch = std::make_unique<TCellGraphic>();
      G = Scratch.get();
    }
    G->Assign(&Carrier);
    if (!HasPictureRecord(G->CellType())) continue;
    // The graphic gets objects of its own, read from the picture record.
    switch (G->CellType()) {
      case ctBitmap:
      case ctBitButton: {
        auto B = std::make_unique<TBitmap>();
        const std::string Data = ReadDataRecord(Stream, "TGridBMPIO", u"Bitmap.Data");
        if (!Data.empty()) LoadGraphicData(B.get(), SizedPayload(Data));
        G->SetCellBitmap(B.release());
        G->SetCellCreated(true);
        break;
      }
      case ctIcon: {
        auto I = std::make_unique<TIcon>();
        const std::string Data = ReadDataRecord(Stream, "TGridIconIO", u"Icon.Data");
        if (!Data.empty()) LoadGraphicData(I.get(), Data);
        G->SetCellIcon(I.release());
        G->SetCellCreated(true);
        break;
      }
      case ctRadio: {
        auto L = std::make_unique<TStringList>();
        for (const String& S : ReadListRecord(Stream)) L->Add(S);
        G->SetCellBitmap(L.release());
        G->SetCellCreated(true);
        break;
      }
      case ctImages: {
        auto L = std::make_unique<TIntList>(RC, TR);
        String Text;
        for (const String& S : ReadListRecord(Stream)) Text += (Text.empty() ? u"" : u",") + S;
        L->SetStrValue(Text);
        if (!Scratch) L->OnChange = [this](TObject* Sender, Integer ACol, Integer ARow) { CellImagesChanged(Sender, ACol, ARow); };
        G->SetCellBitmap(L.release());
        G->SetCellCreated(true);
        break;
      }
      case ctPicture: {
        auto P = std::make_unique<TPicture>();
        const std::string Data = ReadDataRecord(Stream, "TGridPicIO", u"Picture.Data");
        if (!Data.empty()) LoadPictureData(P.get(), Data);
        G->SetCellBitmap(P.release());
        G->SetCellCreated(true);
        break;
      }
      case ctFilePicture: {
        auto P = std::make_unique<TFilePicture>();
        String Name;
        for (const TProperty& Q : TRecordReader(Stream).Read("TGridFilePicIO")) {
          if (Q.Name == u"Picture.Filename")
            Name = AsText(Q);
          else if (Q.Name != u"Tag")
            UnknownProperty("TGridFilePicIO", Q.Name);
        }
        // A picture file that is gone keeps its name; the cell then shows nothing.
        if (!Name.empty()) try {
            P->SetFilename(Name);
          } catch (const Exception&) {
          }
        G->SetCellBitmap(P.release());
        G->SetCellCreated(true);
        break;
      }
      default: break;
    }
  }
}

void TExStringGrid::LoadFromBinStream(TStream* Stream) {
  LoadAtPointFromBinStream(TPoint(0, 0), Stream);
  Integer Nodes = 0;
  for (Integer r = FixedRows(); r < RowCount(); ++r)
    if (GetCellType(0, r) == ctNode) ++Nodes;
  FNumNodes = Nodes;
  if (Nodes > 0) RepaintCol(0);
}

void TExStringGrid::LoadFromBinFile(const String& FileName) {
  TMemoryStream M;
  M.LoadFromFile(FileName);
  M.SetPosition(0);
  LoadFromBinStream(&M);
}

// ---------------------------------------------------------------------------------------------
// The grid text file
// ---------------------------------------------------------------------------------------------

namespace {

// A cell text on one line: line breaks become characters 9 (CR) and 8 (LF), character 0 becomes 1.
// A text with a line feed but no carriage return is masked too, so that no text breaks its line.
String MaskCellText(const String& S) {
  if (S.find(u'\r') == String::npos && S.find(u'\n') == String::npos) return S;
  String M = S;
  for (Char& C : M) {
    if (C == u'\r')
      C = 9;
    else if (C == u'\n')
      C = 8;
    else if (C == 0)
      C = 1;
  }
  return M;
}


}  // namespace

void TExStringGrid::SaveToFile(const String& FileName, bool Unicode) {
  const Integer Hidden = FSaveHiddenCells ? NumHiddenColumns() : 0;
  const Integer FirstCol = SaveStartCol();
  const Integer LastCol = SaveEndCol() + Hidden;
  TStringList Lines;
  Lines.Add(IntToStr(SaveColCount() + Hidden) + u"," + IntToStr(SaveRowCount()));
  for (Integer I = FirstCol; I <= LastCol; ++I)
    Lines.Add(u"cw " + IntToStr(I) + u"," + IntToStr(I < ColCount() ? ColWidths(I) : DefaultColWidth()));
  ExportNotification(esExportStart, SaveStartRow());
  Integer LastProgress = -1;
  for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    for (Integer c = FirstCol; c <= LastCol; ++c) {
      // Without the hidden columns the shown ones are written at their shown index, read from their
      // real column; with them every real column is written as it is.
      const String Text = SaveCell(FSaveHiddenCells ? c : RealColIndex(c), r);
      if (!Text.empty()) Lines.Add(IntToStr(c) + u"," + IntToStr(r) + u"," + MaskCellText(Text));
    }
    if (OnFileProgress) {
      const Integer P = Round((r - SaveStartRow()) * 100.0 / std::max(1, SaveRowCount() - 1));
      if (P != LastProgress) {
        LastProgress = P;
        OnFileProgress(this, static_cast<int16_t>(P));
      }
    }
  }
  ExportNotification(esExportDone, -1);
  Lines.SaveToFile(FileName, Unicode ? TEncoding::Unicode : TEncoding::ANSI);
}

void TExStringGrid::LoadFromFile(const String& FileName) {
  TStringList Lines;
  Lines.LoadFromFile(FileName);
  const Integer A = FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols();
  const Integer B = FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows();
  if (Lines.Count() > 0 && !Lines[0].empty()) {
    String Head = Lines[0];
    const Integer Cols = LeadingDecimal(CutToken(Head, u","));
    const Integer Rows = LeadingDecimal(Head);
    if (Cols > GridFileMaxColCount || Rows > GridFileMaxRowCount) throw EReadError(u"Stream read error");
    SetColCount(std::max(1, A + Cols));
    SetRowCount(std::max(1, B + Rows));
  }
  Integer LastProgress = -1;
  for (Integer i = 1; i < Lines.Count(); ++i) {
    String Line = Lines[i];
    if (Line.size() >= 2 && Line[0] == u'c' && Line[1] == u'w') {
      String Rest = Line.size() > 3 ? Line.substr(3) : String();
      const Integer Index = LeadingDecimal(CutToken(Rest, u","));
      const Integer Width = GridFileExtent(LeadingDecimal(Rest));
      if (Index >= 0 && Index < ColCount()) SetColWidths(Index, Width);
      continue;
    }
    // The column and the row before the first two commas (missing ones read as 0); the rest of
    // the line, commas included, is the text.
    const String ColText = CutToken(Line, u",");
    const String RowText = CutToken(Line, u",");
    const Integer C = LeadingDecimal(ColText);
    const Integer R = LeadingDecimal(RowText);
    if (C < ColCount() && R < RowCount()) LoadCell(C, R, UnmaskLineBreaks(Line, FMultilineCells));
    if (OnFileProgress) {
      const Integer P = Round(R * 100.0 / std::max(1, RowCount() - 1));
      if (P != LastProgress) {
        LastProgress = P;
        OnFileProgress(this, static_cast<int16_t>(P));
      }
    }
    Application->ProcessMessages();
  }
  CellsChanged(TRect(0, 0, ColCount(), RowCount()));
  AllCellsChanged();
}
