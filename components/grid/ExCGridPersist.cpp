// TExColumnGrid: the column positions in an INI file, the collection stream of the column items
// and the carrier component of that stream, and the registration of the module's classes.
#include <vector>

#include "components/grid/ExCGrid.h"
#include "components/grid/ExCGridStream.h"
#include "components/grid/ExGridIOUtil.h"
#include "components/grid/ExGridEditors.h"
#include "platform/gui/Menus.h"
#include "platform/rtl/IniFiles.h"

namespace {

// --- Identifiers of the streamed enumerations, sets and colours ----------------------------------

struct TIdentValue {
  Integer Value;
  const char16_t* Name;
};


const TIdentValue CharsetIdents[] = {
    {0, u"ANSI_CHARSET"},          {1, u"DEFAULT_CHARSET"},     {2, u"SYMBOL_CHARSET"},
    {77, u"MAC_CHARSET"},          {128, u"SHIFTJIS_CHARSET"},  {129, u"HANGEUL_CHARSET"},
    {130, u"JOHAB_CHARSET"},       {134, u"GB2312_CHARSET"},    {136, u"CHINESEBIG5_CHARSET"},
    {161, u"GREEK_CHARSET"},       {162, u"TURKISH_CHARSET"},   {163, u"VIETNAMESE_CHARSET"},
    {177, u"HEBREW_CHARSET"},      {178, u"ARABIC_CHARSET"},    {186, u"BALTIC_CHARSET"},
    {204, u"RUSSIAN_CHARSET"},     {222, u"THAI_CHARSET"},      {238, u"EASTEUROPE_CHARSET"},
    {255, u"OEM_CHARSET"},
};

// Enumerations by ordinal.
const char16_t* const AlignmentNames[] = {u"taLeftJustify", u"taRightJustify", u"taCenter"};
const char16_t* const BorderNames[] = {u"cbTop", u"cbLeft", u"cbRight", u"cbBottom"};
const char16_t* const PopupTypeNames[] = {u"cpFixedCellsRClick",  u"cpFixedCellsLClick", u"cpNormalCellsRClick",
                                          u"cpNormalCellsLClick", u"cpAllCellsRClick",   u"cpAllCellsLClick"};
const char16_t* const EditorNames[] = {
    u"edNormal",          u"edSpinEdit",          u"edComboEdit",           u"edComboList",
    u"edEditBtn",         u"edCheckBox",          u"edDateEdit",            u"edDateEditUpDown",
    u"edTimeEdit",        u"edButton",            u"edDataCheckBox",        u"edNumeric",
    u"edPositiveNumeric", u"edFloat",             u"edCapital",             u"edMixedCase",
    u"edPassword",        u"edUnitEditBtn",       u"edLowerCase",           u"edUpperCase",
    u"edFloatSpinEdit",   u"edTimeSpinEdit",      u"edDateSpinEdit",        u"edNumericEditBtn",
    u"edFloatEditBtn",    u"edCustom",            u"edRichEdit",            u"edNone",
    u"edDateTimeEdit",    u"edValidChars",        u"edTrackbarDropDown",    u"edMemoDropDown",
    u"edCalculatorDropDown", u"edTimePickerDropDown", u"edDetailDropDown",  u"edGridDropDown",
    u"edColorPickerDropDown", u"edImagePickerDropDown", u"edExGridDropDown", u"edPositiveFloat",
    u"edNumericUnitEditBtn", u"edFloatUnitEditBtn", u"edMaskEditBtn"};
static_assert(sizeof EditorNames / sizeof EditorNames[0] == EditorTypeCount);
const char16_t* const SortStyleNames[] = {
    u"ssAutomatic",   u"ssAlphabetic",     u"ssNumeric",           u"ssDate",         u"ssAlphaNoCase",
    u"ssAlphaCase",   u"ssShortDateEU",    u"ssShortDateUS",       u"ssCustom",       u"ssFinancial",
    u"ssAnsiAlphaCase", u"ssAnsiAlphaNoCase", u"ssRaw",            u"ssHTML",         u"ssImages",
    u"ssCheckBox",    u"ssDateTime",       u"ssTime",              u"ssAlphaNumeric", u"ssAlphaNumericNoCase"};
static_assert(sizeof SortStyleNames / sizeof SortStyleNames[0] == SortStyleCount);
const char16_t* const FontStyleNames[] = {u"fsBold", u"fsItalic", u"fsUnderline", u"fsStrikeOut"};
const char16_t* const PitchNames[] = {u"fpDefault", u"fpVariable", u"fpFixed"};
const char16_t* const PenStyleNames[] = {u"psSolid", u"psDash",  u"psDot",        u"psDashDot",
                                         u"psDashDotDot", u"psClear", u"psInsideFrame"};
const char16_t* const PenModeNames[] = {u"pmBlack",        u"pmWhite",       u"pmNop",         u"pmNot",
                                        u"pmCopy",         u"pmNotCopy",     u"pmMergePenNot", u"pmMaskPenNot",
                                        u"pmMergeNotPen",  u"pmMaskNotPen",  u"pmMerge",       u"pmNotMerge",
                                        u"pmMask",         u"pmNotMask",     u"pmXor",         u"pmNotXor"};

[[noreturn]] void BadValue(const String& Name) {
  throw EReadError(u"Invalid property value: " + Name);
}

template <size_t N>
TStreamValue IdentOrInteger(const TIdentValue (&Table)[N], Integer Value) {
  for (const TIdentValue& I : Table)
    if (I.Value == Value) return TStreamValue::OfIdent(I.Name);
  return TStreamValue::OfInteger(Value);
}

template <size_t N>
Integer IdentOrIntegerValue(const TIdentValue (&Table)[N], const TStreamProperty& P) {
  if (P.Value.Kind == svInteger) return static_cast<Integer>(P.Value.Int);
  if (P.Value.Kind == svIdent)
    for (const TIdentValue& I : Table)
      if (SameText(P.Value.Text, I.Name)) return I.Value;
  BadValue(P.Name);
}

// A colour read as its standard name or as a number.
TColor ColorValue(const TStreamProperty& P) {
  TColor C = 0;
  if (P.Value.Kind == svInteger) return static_cast<TColor>(P.Value.Int);
  if (P.Value.Kind == svIdent && IdentToColor(P.Value.Text, C)) return C;
  BadValue(P.Name);
}

template <size_t N>
TStreamValue EnumIdent(const char16_t* const (&Names)[N], Integer Ordinal) {
  return TStreamValue::OfIdent(Ordinal >= 0 && static_cast<size_t>(Ordinal) < N ? Names[Ordinal] : u"");
}

template <size_t N>
Integer EnumOrdinal(const char16_t* const (&Names)[N], const TStreamProperty& P) {
  if (P.Value.Kind == svIdent)
    for (size_t i = 0; i < N; ++i)
      if (SameText(P.Value.Text, Names[i])) return static_cast<Integer>(i);
  BadValue(P.Name);
}

template <size_t N>
TStreamValue SetIdents(const char16_t* const (&Names)[N], Cardinal Bits) {
  std::vector<String> Members;
  for (size_t i = 0; i < N; ++i)
    if (Bits & (Cardinal(1) << i)) Members.push_back(Names[i]);
  return TStreamValue::OfSet(std::move(Members));
}

template <size_t N>
Cardinal SetBits(const char16_t* const (&Names)[N], const TStreamProperty& P) {
  if (P.Value.Kind != svSet) BadValue(P.Name);
  Cardinal Bits = 0;
  for (const String& M : P.Value.Idents) {
    size_t i = 0;
    while (i < N && !SameText(M, Names[i])) ++i;
    if (i == N) BadValue(P.Name);
    Bits |= Cardinal(1) << i;
  }
  return Bits;
}

Integer IntValue(const TStreamProperty& P) {
  if (P.Value.Kind != svInteger) BadValue(P.Name);
  return static_cast<Integer>(P.Value.Int);
}

bool BoolValue(const TStreamProperty& P) {
  if (P.Value.Kind == svTrue) return true;
  if (P.Value.Kind == svFalse) return false;
  BadValue(P.Name);
}

String TextValue(const TStreamProperty& P) {
  if (P.Value.Kind != svString) BadValue(P.Name);
  return P.Value.Text;
}

// --- Writing the properties of an item -------------------------------------------------------------

class TItemWriter {
 public:
  explicit TItemWriter(std::vector<TStreamProperty>& Props) : FProps(Props) {}

  void Add(const String& Name, TStreamValue Value) { FProps.push_back(TStreamProperty{Name, std::move(Value)}); }
  void Int(const String& Name, Integer V) { Add(Name, TStreamValue::OfInteger(V)); }
  void Bool(const String& Name, bool V) { Add(Name, TStreamValue::OfBoolean(V)); }
  // Strings default to empty: an empty one is not written.
  void Str(const String& Name, const String& V) {
    if (!V.empty()) Add(Name, TStreamValue::OfString(V));
  }
  void Color(const String& Name, TColor V) {
    String Ident;
    Add(Name, ColorToIdent(V, Ident) ? TStreamValue::OfIdent(Ident) : TStreamValue::OfInteger(V));
  }
  void Borders(const String& Name, TCellBorders V) { Add(Name, SetIdents(BorderNames, V.Bits())); }
  // The lines of a string list, when it has any.
  void Lines(const String& Name, TStrings* V) {
    if (V->Count() == 0) return;
    TStreamValue L;
    L.Kind = svList;
    for (Integer i = 0; i < V->Count(); ++i) L.List.push_back(TStreamValue::OfString(V->Strings(i)));
    Add(Name + u".Strings", std::move(L));
  }
  // A reference by the component's name; none when nil or unnamed.
  void Reference(const String& Name, TComponent* V) {
    if (V && !V->Name().empty()) Add(Name, TStreamValue::OfIdent(V->Name()));
  }
  void Font(const String& Name, TFont* F) {
    Add(Name + u".Charset", IdentOrInteger(CharsetIdents, F->Charset()));
    Color(Name + u".Color", F->Color());
    Int(Name + u".Height", F->Height());
    Add(Name + u".Name", TStreamValue::OfString(F->Name()));
    if (F->Orientation() != 0) Int(Name + u".Orientation", F->Orientation());
    if (F->Pitch() != fpDefault) Add(Name + u".Pitch", EnumIdent(PitchNames, F->Pitch()));
    Add(Name + u".Style", SetIdents(FontStyleNames, F->Style().Bits()));
  }
  // A pen's values that differ from a new pen's.
  void Pen(const String& Name, TPen* P) {
    if (P->Color() != clBlack) Color(Name + u".Color", P->Color());
    if (P->Mode() != pmCopy) Add(Name + u".Mode", EnumIdent(PenModeNames, P->Mode()));
    if (P->Style() != psSolid) Add(Name + u".Style", EnumIdent(PenStyleNames, P->Style()));
    if (P->Width() != 1) Int(Name + u".Width", P->Width());
  }

 private:
  std::vector<TStreamProperty>& FProps;
};

std::vector<TStreamProperty> ItemProperties(TGridColumnItem* I) {
  std::vector<TStreamProperty> Props;
  TItemWriter W(Props);
  W.Int(u"AutoMinSize", I->AutoMinSize());
  W.Int(u"AutoMaxSize", I->AutoMaxSize());
  W.Add(u"Alignment", EnumIdent(AlignmentNames, I->Alignment()));
  W.Borders(u"Borders", I->Borders());
  W.Pen(u"BorderPen", I->BorderPen());
  W.Str(u"CheckFalse", I->CheckFalse());
  W.Str(u"CheckTrue", I->CheckTrue());
  W.Color(u"Color", I->Color());
  W.Reference(u"ColumnPopup", I->ColumnPopup());
  W.Add(u"ColumnPopupType", EnumIdent(PopupTypeNames, I->ColumnPopupType()));
  W.Lines(u"ComboItems", I->ComboItems());
  W.Int(u"DropDownCount", I->DropDownCount());
  W.Int(u"EditLength", I->EditLength());
  W.Reference(u"EditLink", I->EditLink());
  W.Str(u"EditMask", I->EditMask());
  W.Add(u"Editor", EnumIdent(EditorNames, I->Editor()));
  W.Lines(u"Filter", I->Filter());
  W.Bool(u"FilterCaseSensitive", I->FilterCaseSensitive());
  W.Bool(u"Fixed", I->Fixed());
  W.Str(u"FloatFormat", I->FloatFormat());
  W.Font(u"Font", I->Font());
  W.Str(u"Header", I->Header());
  W.Add(u"HeaderAlignment", EnumIdent(AlignmentNames, I->HeaderAlignment()));
  W.Font(u"HeaderFont", I->HeaderFont());
  W.Int(u"MinSize", I->MinSize());
  W.Int(u"MaxSize", I->MaxSize());
  W.Str(u"Name", I->Name());
  W.Bool(u"Password", I->Password());
  if (!I->PrintBorderCustom()) W.Bool(u"PrintBorderCustom", false);
  W.Borders(u"PrintBorders", I->PrintBorders());
  W.Pen(u"PrintBorderPen", I->PrintBorderPen());
  W.Color(u"PrintColor", I->PrintColor());
  if (!I->PrintFontCustom()) W.Bool(u"PrintFontCustom", false);
  W.Font(u"PrintFont", I->PrintFont());
  W.Bool(u"ReadOnly", I->ReadOnly());
  W.Bool(u"ShowBands", I->ShowBands());
  W.Add(u"SortStyle", EnumIdent(SortStyleNames, I->SortStyle()));
  W.Str(u"SortPrefix", I->SortPrefix());
  W.Str(u"SortSuffix", I->SortSuffix());
  W.Int(u"SpinMax", I->SpinMax());
  W.Int(u"SpinMin", I->SpinMin());
  W.Int(u"SpinStep", I->SpinStep());
  W.Int(u"Tag", I->Tag());
  W.Int(u"Width", I->Width());
  return Props;
}

// --- Reading the properties of an item ---------------------------------------------------------------

void ReadFont(TFont* F, const String& Sub, const TStreamProperty& P) {
  if (Sub == u"Charset")
    F->SetCharset(static_cast<TFontCharset>(IdentOrIntegerValue(CharsetIdents, P)));
  else if (Sub == u"Color")
    F->SetColor(ColorValue(P));
  else if (Sub == u"Height")
    F->SetHeight(GridFileFontSize(IntValue(P)));
  else if (Sub == u"Name")
    F->SetName(TextValue(P));
  else if (Sub == u"Orientation")
    F->SetOrientation(IntValue(P));
  else if (Sub == u"Pitch")
    F->SetPitch(static_cast<TFontPitch>(EnumOrdinal(PitchNames, P)));
  else if (Sub == u"Size")
    F->SetSize(GridFileFontSize(IntValue(P)));
  else if (Sub == u"Style")
    F->SetStyle(TFontStyles::FromBits(SetBits(FontStyleNames, P)));
  else
    throw EReadError(u"Property " + P.Name + u" does not exist");
}

void ReadPen(TPen* Pen, const String& Sub, const TStreamProperty& P) {
  if (Sub == u"Color")
    Pen->SetColor(ColorValue(P));
  else if (Sub == u"Mode")
    Pen->SetMode(static_cast<TPenMode>(EnumOrdinal(PenModeNames, P)));
  else if (Sub == u"Style")
    Pen->SetStyle(static_cast<TPenStyle>(EnumOrdinal(PenStyleNames, P)));
  else if (Sub == u"Width")
    Pen->SetWidth(GridFileExtent(IntValue(P)));
  else
    throw EReadError(u"Property " + P.Name + u" does not exist");
}

void ReadLines(TStrings* Lines, const String& Sub, const TStreamProperty& P) {
  if (Sub != u"Strings") throw EReadError(u"Property " + P.Name + u" does not exist");
  if (P.Value.Kind != svList) BadValue(P.Name);
  TStringList L;
  for (const TStreamValue& V : P.Value.List) {
    if (V.Kind != svString) BadValue(P.Name);
    L.Add(V.Text);
  }
  Lines->Assign(&L);
}

// The component a reference names, looked up beside the grid on its owner and then on the grid.
template <typename T>
T* Referenced(TExColumnGrid* Grid, const TStreamProperty& P) {
  if (P.Value.Kind == svNil) return nullptr;
  if (P.Value.Kind != svIdent) BadValue(P.Name);
  TComponent* C = Grid->Owner() ? Grid->Owner()->FindComponent(P.Value.Text) : nullptr;
  if (!C) C = Grid->FindComponent(P.Value.Text);
  return dynamic_cast<T*>(C);
}

void ReadItemProperty(TExColumnGrid* Grid, TGridColumnItem* I, const TStreamProperty& P) {
  const size_t Dot = P.Name.find(u'.');
  const String Head = P.Name.substr(0, Dot);
  const String Sub = Dot == String::npos ? String() : P.Name.substr(Dot + 1);
  if (Dot != String::npos) {
    if (Head == u"BorderPen") {
      TPen Pen;
      Pen.Assign(I->BorderPen());
      ReadPen(&Pen, Sub, P);
      I->SetBorderPen(&Pen);
    } else if (Head == u"PrintBorderPen") {
      ReadPen(I->PrintBorderPen(), Sub, P);
    } else if (Head == u"Font") {
      ReadFont(I->Font(), Sub, P);
    } else if (Head == u"HeaderFont") {
      ReadFont(I->HeaderFont(), Sub, P);
    } else if (Head == u"PrintFont") {
      ReadFont(I->PrintFont(), Sub, P);
    } else if (Head == u"ComboItems") {
      ReadLines(I->ComboItems(), Sub, P);
    } else if (Head == u"Filter") {
      ReadLines(I->Filter(), Sub, P);
    } else {
      throw EReadError(u"Property " + P.Name + u" does not exist");
    }
    return;
  }
  const String& N = P.Name;
  if (N == u"AutoMinSize") I->SetAutoMinSize(IntValue(P));
  else if (N == u"AutoMaxSize") I->SetAutoMaxSize(IntValue(P));
  else if (N == u"Alignment") I->SetAlignment(static_cast<TAlignment>(EnumOrdinal(AlignmentNames, P)));
  else if (N == u"Borders") I->SetBorders(TCellBorders::FromBits(SetBits(BorderNames, P)));
  else if (N == u"CheckFalse") I->SetCheckFalse(TextValue(P));
  else if (N == u"CheckTrue") I->SetCheckTrue(TextValue(P));
  else if (N == u"Color") I->SetColor(ColorValue(P));
  else if (N == u"ColumnPopup") I->SetColumnPopup(Referenced<TPopupMenu>(Grid, P));
  else if (N == u"ColumnPopupType") I->SetColumnPopupType(static_cast<TColumnPopupType>(EnumOrdinal(PopupTypeNames, P)));
  else if (N == u"DropDownCount") I->SetDropDownCount(IntValue(P));
  else if (N == u"EditLength") I->SetEditLength(IntValue(P));
  else if (N == u"EditLink") I->SetEditLink(Referenced<TEditLink>(Grid, P));
  else if (N == u"EditMask") I->SetEditMask(TextValue(P));
  else if (N == u"Editor") I->SetEditor(static_cast<TEditorType>(EnumOrdinal(EditorNames, P)));
  else if (N == u"FilterCaseSensitive") I->SetFilterCaseSensitive(BoolValue(P));
  else if (N == u"Fixed") I->SetFixed(BoolValue(P));
  else if (N == u"FloatFormat") I->SetFloatFormat(TextValue(P));
  else if (N == u"Header") I->SetHeader(TextValue(P));
  else if (N == u"HeaderAlignment") I->SetHeaderAlignment(static_cast<TAlignment>(EnumOrdinal(AlignmentNames, P)));
  else if (N == u"MinSize") I->SetMinSize(IntValue(P));
  else if (N == u"MaxSize") I->SetMaxSize(IntValue(P));
  else if (N == u"Name") I->SetName(TextValue(P));
  else if (N == u"Password") I->SetPassword(BoolValue(P));
  else if (N == u"PrintBorderCustom") I->SetPrintBorderCustom(BoolValue(P));
  else if (N == u"PrintBorders") I->SetPrintBorders(TCellBorders::FromBits(SetBits(BorderNames, P)));
  else if (N == u"PrintColor") I->SetPrintColor(ColorValue(P));
  else if (N == u"PrintFontCustom") I->SetPrintFontCustom(BoolValue(P));
  else if (N == u"ReadOnly") I->SetReadOnly(BoolValue(P));
  else if (N == u"ShowBands") I->SetShowBands(BoolValue(P));
  else if (N == u"SortStyle") I->SetSortStyle(static_cast<TSortStyle>(EnumOrdinal(SortStyleNames, P)));
  else if (N == u"SortPrefix") I->SetSortPrefix(TextValue(P));
  else if (N == u"SortSuffix") I->SetSortSuffix(TextValue(P));
  else if (N == u"SpinMax") I->SetSpinMax(IntValue(P));
  else if (N == u"SpinMin") I->SetSpinMin(IntValue(P));
  else if (N == u"SpinStep") I->SetSpinStep(IntValue(P));
  else if (N == u"Tag") I->SetTag(IntValue(P));
  else if (N == u"Width") I->SetWidth(GridFileExtent(IntValue(P)));
  else throw EReadError(u"Property " + P.Name + u" does not exist");
}

// Sets a collection's FNoRecursiveUpdate for a scope and puts the old value back.
class TQuietItems {
 public:
  explicit TQuietItems(TGridColumnCollection* Items) : FItems(Items), FOld(Items->FNoRecursiveUpdate) {
    Items->FNoRecursiveUpdate = true;
  }
  ~TQuietItems() { FItems->FNoRecursiveUpdate = FOld; }
  TQuietItems(const TQuietItems&) = delete;
  TQuietItems& operator=(const TQuietItems&) = delete;

 private:
  TGridColumnCollection* FItems;
  bool FOld;
};

const char16_t* const CarrierClass = u"TExColumnGridIO";

}  // namespace

// ---------------------------------------------------------------------------------------------
// The carrier
// ---------------------------------------------------------------------------------------------

TExColumnGridIO::TExColumnGridIO(TExColumnGrid* AOwner)
    : TComponent(AOwner), FItems(new TGridColumnCollection(AOwner)) {}

TExColumnGridIO::~TExColumnGridIO() { delete FItems; }

// ---------------------------------------------------------------------------------------------
// Column positions
// ---------------------------------------------------------------------------------------------

void TExColumnGrid::SaveColumnPositions(const String& Key, const String& Section) {
  TIniFile Ini(Key);
  for (Integer i = 0; i < FColumns->Count(); ++i)
    Ini.WriteInteger(Section, u"CP" + IntToStr(i), FColumns->GetItem(i)->DefIdx());
}

void TExColumnGrid::LoadColumnPositions(const String& Key, const String& Section) {
  TIniFile Ini(Key);
  const Integer N = FColumns->Count();
  for (Integer j = 0; j < N; ++j)
    if (Ini.ReadInteger(Section, u"CP" + IntToStr(j), -1) == -1) return;
  // Every stored position must name a column, each one once; a damaged section is refused before
  // anything moves.
  std::vector<Integer> Positions(static_cast<size_t>(N), 0);
  std::vector<bool> Named(static_cast<size_t>(N), false);
  for (Integer j = 0; j < N; ++j) {
    const Integer P = Ini.ReadInteger(Section, u"CP" + IntToStr(j), 0);
    if (P < 0 || P >= N || Named[static_cast<size_t>(P)]) throw EListError(Format(u"List index out of bounds (%d)", P));
    Named[static_cast<size_t>(P)] = true;
    Positions[static_cast<size_t>(j)] = P;
  }
  ResetColumnOrder();
  for (Integer j = 0; j < N; ++j) FColumns->GetItem(Positions[static_cast<size_t>(j)])->SetDefIdx(j);
  FColumns->ResetOrganization();
  for (Integer i = 0; i < N; ++i) FColumns->GetItem(i)->SetDefIdx(Positions[static_cast<size_t>(i)]);
}

void TExColumnGrid::SaveColPositions() {
  if (ColumnSize()->Location() == clIniFile)
    SaveColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
  else
    TExStringGrid::SaveColPositions();
}

void TExColumnGrid::LoadColPositions() {
  if (ColumnSize()->Location() == clIniFile)
    LoadColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
  else
    TExStringGrid::LoadColPositions();
}

// ---------------------------------------------------------------------------------------------
// The collection stream
// ---------------------------------------------------------------------------------------------

void TExColumnGrid::SaveColumnsToStream(TStream* st) {
  // The carrier would hold copies of the items belonging to this grid, so its stream is the
  // stream of the items themselves.
  TStreamComponent C;
  C.ClassName = CarrierClass;
  TStreamValue Items;
  Items.Kind = svCollection;
  for (Integer i = 0; i < FColumns->Count(); ++i) Items.Items.push_back(ItemProperties(FColumns->GetItem(i)));
  C.Properties.push_back(TStreamProperty{u"Items", std::move(Items)});
  WriteComponentStream(st, C);
}

void TExColumnGrid::LoadColumnsFromStream(TStream* st) {
  // The whole stream is read before anything changes: a damaged stream leaves the grid alone.
  const TStreamComponent C = ReadComponentStream(st);
  if (C.ClassName != CarrierClass) throw EReadError(u"Invalid stream format");
  // Every value is first tried on items of no grid: the carrier's items write widths and headers
  // into the grid at once, so a bad value in a later item must raise before the first of them.
  {
    TGridColumnCollection Trial(nullptr);
    for (const TStreamProperty& P : C.Properties) {
      if (P.Name != u"Items") throw EReadError(u"Property " + P.Name + u" does not exist");
      if (P.Value.Kind != svCollection) BadValue(P.Name);
      for (const auto& ItemProps : P.Value.Items) {
        auto* Item = static_cast<TGridColumnItem*>(static_cast<TCollection*>(&Trial)->Add());
        for (const TStreamProperty& IP : ItemProps) ReadItemProperty(this, Item, IP);
      }
    }
  }
  {
    TQuietItems QuietColumns(FColumns);
    std::unique_ptr<TExColumnGridIO, void (*)(TExColumnGridIO*)> Carrier(
        new TExColumnGridIO(this), [](TExColumnGridIO* IO) { TComponent::Free(IO); });
    TQuietItems QuietCarrier(Carrier->Items());
    for (const TStreamProperty& P : C.Properties) {
      if (P.Name != u"Items") throw EReadError(u"Property " + P.Name + u" does not exist");
      if (P.Value.Kind != svCollection) BadValue(P.Name);
      TGridColumnCollection* Items = Carrier->Items();
      Items->Clear();
      for (const auto& ItemProps : P.Value.Items) {
        // The reader makes plain items, with the initial values.
        auto* Item = static_cast<TGridColumnItem*>(static_cast<TCollection*>(Items)->Add());
        for (const TStreamProperty& IP : ItemProps) ReadItemProperty(this, Item, IP);
      }
    }
    FColumns->Assign(Carrier->Items());
  }
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Registration
// ---------------------------------------------------------------------------------------------

void InitExCGridModule() {
  static bool Done = false;
  if (Done) return;
  Done = true;
  RegisterClass(u"TExColumnGrid", [](TComponent* Owner) -> TComponent* { return new TExColumnGrid(Owner); });
  RegisterClass(u"TExColumnGridIO", [](TComponent* Owner) -> TComponent* {
    auto* Grid = dynamic_cast<TExColumnGrid*>(Owner);
    if (!Grid) throw EComponentError(u"TExColumnGridIO needs a column grid as its owner");
    return new TExColumnGridIO(Grid);
  });
}
