// The filter conditions, the filter collection and the filter drop-down look. The two filter lists
// are in ExGridFilterLists.cpp.
#include "components/grid/ExGridFilter.h"

#include "components/grid/ExGrid.h"
#include "components/gridbase/ExUtil.h"

// --- TFilterData ---------------------------------------------------------------------------------

TFilterData::TFilterData(TCollection* Collection) : TCollectionItem(Collection) {}

TFilterData::~TFilterData() = default;

void TFilterData::SetCondition(const String& Value) {
  FCondition = Value;
  FCompiled.reset();
}

void TFilterData::SetCaseSensitive(bool Value) {
  FCaseSensitive = Value;
  FCompiled.reset();
}

const TFilterCondition& TFilterData::CompiledCondition() const {
  if (!FCompiled) FCompiled = std::make_unique<TFilterCondition>(FCondition, FCaseSensitive);
  return *FCompiled;
}

void TFilterData::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TFilterData*>(Source);
  if (!S) {
    TCollectionItem::Assign(Source);
    return;
  }
  FColumn = S->FColumn;
  FCondition = S->FCondition;
  FCaseSensitive = S->FCaseSensitive;
  FCompiled.reset();
  FData = S->FData;
  FPrefix = S->FPrefix;
  FSuffix = S->FSuffix;
  FOperation = S->FOperation;
  FMethod = S->FMethod;
}

// --- TFilter -------------------------------------------------------------------------------------

TFilter::TFilter(TExStringGrid* AGrid)
    : TCollection([](TCollection* C) { return new TFilterData(C); }), FGrid(AGrid) {}

TPersistent* TFilter::GetOwner() { return FGrid; }

TFilterData* TFilter::Add() {
  auto* Item = static_cast<TFilterData*>(TCollection::Add());
  Item->SetOperation(Count() == 1 ? foNONE : foAND);
  return Item;
}

TFilterData* TFilter::Insert(Integer Index) { return static_cast<TFilterData*>(TCollection::Insert(Index)); }

TFilterData* TFilter::GetItem(Integer Index) const {
  return static_cast<TFilterData*>(TCollection::GetItem(Index));
}

void TFilter::SetItem(Integer Index, TFilterData* Value) { TCollection::SetItem(Index, Value); }

TFilterData* TFilter::GetColFilter(Integer Col) {
  for (Integer i = 0; i < Count(); ++i)
    if (GetItem(i)->Column() == Col) return GetItem(i);
  TFilterData* Item = Add();
  Item->SetColumn(static_cast<int16_t>(Col));
  return Item;
}

bool TFilter::HasFilter(Integer Col) const {
  for (Integer i = 0; i < Count(); ++i)
    if (GetItem(i)->Column() == Col) return true;
  return false;
}

void TFilter::RemoveColumnFilter(Integer Col) {
  for (Integer i = Count() - 1; i >= 0; --i)
    if (GetItem(i)->Column() == Col) Delete(i);
  if (FGrid) FGrid->RepaintCell(Col, 0);
}

// --- TFilterDropDown -----------------------------------------------------------------------------

namespace {

// Copies Source into Dest; nullptr empties Dest.
void CopyBitmap(TBitmap* Dest, const TBitmap* Source) {
  TBitmap Empty;
  Dest->Assign(const_cast<TBitmap*>(Source ? Source : &Empty));
}

}  // namespace

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>()),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphActive(std::make_unique<TBitmap>()) {}

TFilterDropDown::~TFilterDropDown() = default;

void TFilterDropDown::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TFilterDropDown*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FAutoSize = S->FAutoSize;
  FColor = S->FColor;
  FColumnWidth = S->FColumnWidth;
  FFont->Assign(S->FFont.get());
  FHeight = S->FHeight;
  FWidth = S->FWidth;
  FGlyph->Assign(S->FGlyph.get());
  FGlyphActive->Assign(S->FGlyphActive.get());
}

void TFilterDropDown::SetFont(const TFont* Value) {
  if (Value) FFont->Assign(Value);
}

void TFilterDropDown::SetGlyph(const TBitmap* Value) {
  CopyBitmap(FGlyph.get(), Value);
  if (OnChange) OnChange(this);
}

void TFilterDropDown::SetGlyphActive(const TBitmap* Value) {
  CopyBitmap(FGlyphActive.get(), Value);
  if (OnChange) OnChange(this);
}
