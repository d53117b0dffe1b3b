#include "components/grid/ExGridSortSettings.h"

#include "components/grid/ExGrid.h"
#include "platform/rtl/SysUtils.h"

namespace {

void CopyGlyph(TBitmap* Dest, const TBitmap* Source) {
  TBitmap Empty;
  Dest->Assign(const_cast<TBitmap*>(Source ? Source : &Empty));
}

}  // namespace

TSortSettings::TSortSettings(TExStringGrid* AGrid)
    : FGrid(AGrid),
      FUpGlyph(std::make_unique<TBitmap>()),
      FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()),
      FIndexDownGlyph(std::make_unique<TBitmap>()) {}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TSortSettings*>(Source);
  if (!S) return;
  FAutoSortForGrouping = S->FAutoSortForGrouping;
  FAutoColumnMerge = S->FAutoColumnMerge;
  FColumn = S->FColumn;
  FShow = S->FShow;
  FIndexShow = S->FIndexShow;
  FIndexColor = S->FIndexColor;
  FIndexSortKey = S->FIndexSortKey;
  FFull = S->FFull;
  FSingleColumn = S->FSingleColumn;
  FIgnoreBlanks = S->FIgnoreBlanks;
  FBlankPos = S->FBlankPos;
  FAutoFormat = S->FAutoFormat;
  FDirection = S->FDirection;
  CopyGlyph(FUpGlyph.get(), S->FUpGlyph.get());
  CopyGlyph(FDownGlyph.get(), S->FDownGlyph.get());
  FIgnoreCase = S->FIgnoreCase;
  CopyGlyph(FIndexUpGlyph.get(), S->FIndexUpGlyph.get());
  CopyGlyph(FIndexDownGlyph.get(), S->FIndexDownGlyph.get());
  FInitSortDirection = S->FInitSortDirection;
  FFixedCols = S->FFixedCols;
  FNormalCellsOnly = S->FNormalCellsOnly;
  FRow = S->FRow;
  FUndoSort = S->FUndoSort;
  FSortOnVirtualCells = S->FSortOnVirtualCells;
  FHeaderColor = S->FHeaderColor;
  FHeaderColorTo = S->FHeaderColorTo;
  FHeaderMirrorColor = S->FHeaderMirrorColor;
  FHeaderMirrorColorTo = S->FHeaderMirrorColorTo;
}

void TSortSettings::SetShow(bool Value) {
  if (Value == FShow) return;
  FShow = Value;
  if (FGrid) FGrid->Invalidate();
}

void TSortSettings::SetUpGlyph(const TBitmap* Value) { CopyGlyph(FUpGlyph.get(), Value); }
void TSortSettings::SetDownGlyph(const TBitmap* Value) { CopyGlyph(FDownGlyph.get(), Value); }
void TSortSettings::SetIndexUpGlyph(const TBitmap* Value) { CopyGlyph(FIndexUpGlyph.get(), Value); }
void TSortSettings::SetIndexDownGlyph(const TBitmap* Value) { CopyGlyph(FIndexDownGlyph.get(), Value); }

void TSortSettings::SetRow(Integer Value) {
  if (FGrid && Value >= FGrid->FixedRows())
    throw Exception(u"Sort row should be smaller than number of fixed rows");
  FRow = Value;
}

void TSortSettings::RepaintHeaderRow() {
  if (FGrid && FGrid->FixedRows() > 0) FGrid->RepaintRow(FGrid->FixedRows() - 1);
}

void TSortSettings::HeaderColorChanged(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  RepaintHeaderRow();
}

void TSortSettings::SetHeaderColor(TColor Value) { HeaderColorChanged(FHeaderColor, Value); }
void TSortSettings::SetHeaderColorTo(TColor Value) { HeaderColorChanged(FHeaderColorTo, Value); }
void TSortSettings::SetHeaderMirrorColor(TColor Value) { HeaderColorChanged(FHeaderMirrorColor, Value); }
void TSortSettings::SetHeaderMirrorColorTo(TColor Value) { HeaderColorChanged(FHeaderMirrorColorTo, Value); }

String TSortSettings::SaveToString() const {
  if (FIndexShow) return u"i;" + (FGrid ? FGrid->SortIndexes()->SaveToString() : String());
  return (FDirection == sdDescending ? u"d" : u"u") + IntToStr(FColumn);
}

void TSortSettings::LoadFromString(const String& Value) {
  if (Value.empty()) return;
  SetShow(true);
  if (Value.size() < 2) throw Exception(u"Invalid sort settings specifier");
  if (Pos(u"i;", Value) > 0) {
    FIndexShow = true;
    String Levels = Value.substr(2);
    if (Levels.empty() || !FGrid) return;
    TSortIndexList* List = FGrid->SortIndexes();
    List->Clear();
    size_t Start = 0;
    while (Start <= Levels.size()) {
      size_t End = Levels.find(u';', Start);
      if (End == String::npos) End = Levels.size();
      const String Piece = Levels.substr(Start, End - Start);
      Start = End + 1;
      if (Piece.size() < 2) continue;
      // A level whose column does not read as a number is left out rather than sorting by a
      // column nobody named.
      Integer Column = 0;
      if (!TryStrToInt(Piece.substr(1), Column) || Column < 0) continue;
      List->AddIndex(Column, Piece[0] == u'u');
    }
    if (List->Count() > 0) FGrid->QSortIndexed();
    return;
  }
  FIndexShow = false;
  FDirection = Pos(u"u", Value) > 0 ? sdAscending : sdDescending;
  Integer Column = 0;
  if (TryStrToInt(Value.substr(1), Column)) {
    // "u-1" is what an unsorted grid saves: replaying it leaves the rows as they are.
    FColumn = Column < 0 ? -1 : Column;
    if (FGrid && FColumn >= 0) FGrid->QSort();
  }
}

void TSortSettings::Remove() {
  FColumn = -1;
  if (FGrid) FGrid->SortIndexes()->Clear();
  RepaintHeaderRow();
}

void TSortSettings::ToggleDirection() {
  FDirection = FDirection == sdAscending ? sdDescending : sdAscending;
}
