// The carrier components of the binary cell stream.
#include "components/grid/ExGridCarriers.h"

#include "components/grid/ExGridGraphics.h"
#include "components/gridbase/BaseGrid.h"
#include "components/gridbase/ExObj.h"
#include "platform/rtl/SysUtils.h"

namespace {

[[noreturn]] void UnknownProperty(const String& ClassName, const String& Name) {
  throw EReadError(u"Error reading " + ClassName + u"." + Name + u": Property " + Name + u" does not exist");
}

bool IsBoolean(const TStreamValue& V) { return V.Kind == svTrue || V.Kind == svFalse; }

Integer AsInteger(const TStreamProperty& P) {
  if (P.Value.Kind != svInteger) throw EReadError(u"Invalid property value");
  return static_cast<Integer>(P.Value.Int);
}

bool AsBoolean(const TStreamProperty& P) {
  if (!IsBoolean(P.Value)) throw EReadError(u"Invalid property value");
  return P.Value.Kind == svTrue;
}

const String& AsString(const TStreamProperty& P) {
  if (P.Value.Kind != svString) throw EReadError(u"Invalid property value");
  return P.Value.Text;
}

// The carriers are in the registry whenever this source is part of the program.
const bool Registered = (RegisterGridStreamCarriers(), true);

}  // namespace

// --- Header -------------------------------------------------------------------------------------

std::vector<TStreamProperty> TGridPropIO::StreamProperties() const {
  std::vector<TStreamProperty> L;
  L.push_back({u"ColCount", TStreamValue::OfInteger(FColCount)});
  L.push_back({u"RowCount", TStreamValue::OfInteger(FRowCount)});
  if (!FColWidths.empty()) L.push_back({u"ColWidths", TStreamValue::OfString(FColWidths)});
  if (!FRowHeights.empty()) L.push_back({u"RowHeights", TStreamValue::OfString(FRowHeights)});
  L.push_back({u"FullGrid", TStreamValue::OfBoolean(FFullGrid)});
  L.push_back({u"ID", TStreamValue::OfInteger(FID)});
  return L;
}

bool TGridPropIO::ReadStreamProperty(const TStreamProperty& P) {
  if (P.Name == u"ColCount")
    FColCount = AsInteger(P);
  else if (P.Name == u"RowCount")
    FRowCount = AsInteger(P);
  else if (P.Name == u"ColWidths")
    FColWidths = AsString(P);
  else if (P.Name == u"RowHeights")
    FRowHeights = AsString(P);
  else if (P.Name == u"FullGrid")
    FFullGrid = AsBoolean(P);
  else if (P.Name == u"ID")
    FID = AsInteger(P);
  else
    return false;
  return true;
}

// --- Cell ---------------------------------------------------------------------------------------

TGridCellIO::TGridCellIO(TComponent* AOwner) : TComponent(AOwner) {}
TGridCellIO::~TGridCellIO() = default;

std::vector<TStreamProperty> TGridCellIO::StreamProperties() const {
  std::vector<TStreamProperty> L;
  L.push_back({u"Col", TStreamValue::OfInteger(FCol)});
  L.push_back({u"Row", TStreamValue::OfInteger(FRow)});
  if (!FCell.empty()) L.push_back({u"Cell", TStreamValue::OfString(FCell)});
  L.push_back({u"HasProp", TStreamValue::OfBoolean(FHasProp)});
  return L;
}

bool TGridCellIO::ReadStreamProperty(const TStreamProperty& P) {
  if (P.Name == u"Col")
    FCol = static_cast<Word>(AsInteger(P));
  else if (P.Name == u"Row")
    FRow = static_cast<Word>(AsInteger(P));
  else if (P.Name == u"Cell")
    FCell = AsString(P);
  else if (P.Name == u"HasProp")
    FHasProp = AsBoolean(P);
  else
    return false;
  return true;
}

// --- Objects ------------------------------------------------------------------------------------

TGridCellPropIO::TGridCellPropIO(TComponent* AOwner)
    : TComponent(AOwner), FCellProperties(new TCellProperties(dynamic_cast<TBaseGrid*>(AOwner), 0, 0)) {}
TGridCellPropIO::~TGridCellPropIO() { delete FCellProperties; }

TGridGraphicIO::TGridGraphicIO(TComponent* AOwner) : TComponent(AOwner), FCellGraphic(new TCellGraphic()) {}
TGridGraphicIO::~TGridGraphicIO() { delete FCellGraphic; }

TGridBMPIO::TGridBMPIO(TComponent* AOwner) : TComponent(AOwner), FBitmap(new TBitmap()) {}
TGridBMPIO::~TGridBMPIO() { delete FBitmap; }

TGridIconIO::TGridIconIO(TComponent* AOwner) : TComponent(AOwner), FIcon(new TIcon()) {}
TGridIconIO::~TGridIconIO() { delete FIcon; }

TGridPicIO::TGridPicIO(TComponent* AOwner) : TComponent(AOwner), FPicture(new TPicture()) {}
TGridPicIO::~TGridPicIO() { delete FPicture; }

TGridFilePicIO::TGridFilePicIO(TComponent* AOwner) : TComponent(AOwner), FPicture(new TFilePicture()) {}
TGridFilePicIO::~TGridFilePicIO() { delete FPicture; }

TGridSLIO::TGridSLIO(TComponent* AOwner) : TComponent(AOwner), FStrings(new TStringList()) {}
TGridSLIO::~TGridSLIO() { delete FStrings; }

std::vector<TStreamProperty> TGridSLIO::StreamProperties() const {
  std::vector<TStreamProperty> L;
  if (FStrings->Count() == 0) return L;
  TStreamValue V;
  V.Kind = svList;
  for (Integer i = 0; i < FStrings->Count(); ++i) V.List.push_back(TStreamValue::OfString(FStrings->Strings(i)));
  L.push_back({u"Strings.Strings", V});
  return L;
}

bool TGridSLIO::ReadStreamProperty(const TStreamProperty& P) {
  if (P.Name != u"Strings.Strings") return false;
  if (P.Value.Kind != svList) throw EReadError(u"Invalid property value");
  FStrings->Clear();
  for (const TStreamValue& V : P.Value.List) {
    if (V.Kind != svString) throw EReadError(u"Invalid property value");
    FStrings->Add(V.Text);
  }
  return true;
}

// --- Registry and records -------------------------------------------------------------------------

void RegisterGridStreamCarriers() {
  RegisterClass(u"TGridPropIO", [](TComponent* O) -> TComponent* { return new TGridPropIO(O); });
  RegisterClass(u"TGridCellIO", [](TComponent* O) -> TComponent* { return new TGridCellIO(O); });
  RegisterClass(u"TGridCellPropIO", [](TComponent* O) -> TComponent* { return new TGridCellPropIO(O); });
  RegisterClass(u"TGridGraphicIO", [](TComponent* O) -> TComponent* { return new TGridGraphicIO(O); });
  RegisterClass(u"TGridBMPIO", [](TComponent* O) -> TComponent* { return new TGridBMPIO(O); });
  RegisterClass(u"TGridIconIO", [](TComponent* O) -> TComponent* { return new TGridIconIO(O); });
  RegisterClass(u"TGridPicIO", [](TComponent* O) -> TComponent* { return new TGridPicIO(O); });
  RegisterClass(u"TGridFilePicIO", [](TComponent* O) -> TComponent* { return new TGridFilePicIO(O); });
  RegisterClass(u"TGridSLIO", [](TComponent* O) -> TComponent* { return new TGridSLIO(O); });
}

void WriteCarrier(TStream* Stream, TComponent* Carrier) {
  TStreamComponent C;
  C.ClassName = Carrier->ClassName();
  if (auto* H = dynamic_cast<TGridPropIO*>(Carrier))
    C.Properties = H->StreamProperties();
  else if (auto* Cell = dynamic_cast<TGridCellIO*>(Carrier))
    C.Properties = Cell->StreamProperties();
  else if (auto* L = dynamic_cast<TGridSLIO*>(Carrier))
    C.Properties = L->StreamProperties();
  else
    throw EWriteError(u"Cannot write " + Carrier->ClassName());
  WriteComponentStream(Stream, C);
}

void ReadCarrier(TStream* Stream, TComponent* Carrier) {
  const TStreamComponent C = ReadComponentStream(Stream);
  if (C.ClassName != Carrier->ClassName())
    throw EReadError(u"Error reading " + Carrier->ClassName() + u": found " + C.ClassName);
  for (const TStreamProperty& P : C.Properties) {
    bool Known = false;
    if (auto* H = dynamic_cast<TGridPropIO*>(Carrier))
      Known = H->ReadStreamProperty(P);
    else if (auto* Cell = dynamic_cast<TGridCellIO*>(Carrier))
      Known = Cell->ReadStreamProperty(P);
    else if (auto* L = dynamic_cast<TGridSLIO*>(Carrier))
      Known = L->ReadStreamProperty(P);
    if (!Known) UnknownProperty(Carrier->ClassName(), P.Name);
  }
}
