// The column grid's items and their collection: the settings of one column, copying them, the
// reports of their changes to the grid, and the collection that keeps the grid's columns in step.
#include "components/grid/ExCGrid.h"

#include <vector>

#include "components/grid/ExGridEditors.h"
#include "platform/gui/Menus.h"

// ---------------------------------------------------------------------------------------------
// TGridColumnItem
// ---------------------------------------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TCollection* Collection)
    : TCollectionItem(nullptr),
      FBorderPen(std::make_unique<TPen>()),
      FComboItems(std::make_unique<TStringList>()),
      FFilter(std::make_unique<TStringList>()),
      FFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FPrintBorderPen(std::make_unique<TPen>()),
      FPrintFont(std::make_unique<TFont>()) {
  FBorderPen->SetColor(clSilver);
  FBorderPen->SetWidth(1);
  FPrintBorderPen->SetColor(clBlack);
  FPrintBorderPen->SetWidth(1);
  auto* Owner = dynamic_cast<TGridColumnCollection*>(Collection);
  if (TExColumnGrid* G = Owner ? Owner->Grid() : nullptr) {
    FColor = G->Color();
    FFont->Assign(G->Font());
    FHeaderFont->Assign(G->Font());
    FPrintFont->Assign(G->Font());
  }
  // Only an item of a collection reports the changes of its objects; the item Group keeps aside
  // has no grid to tell.
  if (Owner) {
    FFont->OnChange = [this](TObject*) { FontChanged(); };
    FHeaderFont->OnChange = [this](TObject*) { HeaderFontChanged(); };
    FBorderPen->OnChange = [this](TObject*) { PenChanged(); };
    FFilter->OnChange = [this](TObject*) { FilterChanged(); };
  }
  // Joins the collection last, so the collection's change report sees a complete item.
  if (Collection) SetCollection(Collection);
}

TGridColumnItem::~TGridColumnItem() {
  // Leaves the collection while the item is still whole, and tells no grid about the objects
  // going away.
  FFont->OnChange = nullptr;
  FHeaderFont->OnChange = nullptr;
  FBorderPen->OnChange = nullptr;
  FFilter->OnChange = nullptr;
  SetCollection(nullptr);
}

String TGridColumnItem::DisplayName() const {
  if (!FName.empty()) return u"Col " + IntToStr(Index()) + u": " + FName;
  return u"Column " + IntToStr(Index());
}

TExColumnGrid* TGridColumnItem::Grid() const {
  auto* C = dynamic_cast<TGridColumnCollection*>(Collection());
  return C ? C->Grid() : nullptr;
}

void TGridColumnItem::Repaint() const {
  if (TExColumnGrid* G = Grid()) G->Invalidate();
}

void TGridColumnItem::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TGridColumnItem*>(Source);
  if (!S || S == this) return;
  FAutoMinSize = S->FAutoMinSize;
  FAutoMaxSize = S->FAutoMaxSize;
  SetAlignment(S->FAlignment);
  SetBorders(S->FBorders);
  SetBorderPen(S->FBorderPen.get());
  FCheckFalse = S->FCheckFalse;
  FCheckTrue = S->FCheckTrue;
  SetColor(S->FColor);
  SetColumnPopup(S->FColumnPopup);
  FColumnPopupType = S->FColumnPopupType;
  SetComboItems(S->FComboItems.get());
  FDropDownCount = S->FDropDownCount;
  FEditLength = S->FEditLength;
  SetEditLink(S->FEditLink);
  FEditMask = S->FEditMask;
  SetEditor(S->FEditor);
  SetFilter(S->FFilter.get());
  FFilterCaseSensitive = S->FFilterCaseSensitive;
  SetFixed(S->FFixed);
  SetFloatFormat(S->FFloatFormat);
  SetFont(S->FFont.get());
  SetHeader(S->FHeader);
  SetHeaderAlignment(S->FHeaderAlignment);
  SetHeaderFont(S->FHeaderFont.get());
  FMinSize = S->FMinSize;
  FMaxSize = S->FMaxSize;
  FName = S->FName;
  SetPassword(S->FPassword);
  FPrintBorderCustom = S->FPrintBorderCustom;
  FPrintBorders = S->FPrintBorders;
  FPrintBorderPen->Assign(S->FPrintBorderPen.get());
  FPrintColor = S->FPrintColor;
  FPrintFontCustom = S->FPrintFontCustom;
  FPrintFont->Assign(S->FPrintFont.get());
  FReadOnly = S->FReadOnly;
  SetShowBands(S->FShowBands);
  FSortStyle = S->FSortStyle;
  FSortPrefix = S->FSortPrefix;
  FSortSuffix = S->FSortSuffix;
  FSpinMax = S->FSpinMax;
  FSpinMin = S->FSpinMin;
  FSpinStep = S->FSpinStep;
  FTag = S->FTag;
  // The width lands in the cache only: the grid keeps the column's width itself.
  FWidth = S->Grid() ? S->Width() : S->FWidth;
  FDefIdx = S->FDefIdx;
}

void TGridColumnItem::AssignVisuals(TGridColumnItem* Source) {
  if (!Source) return;
  SetAlignment(Source->FAlignment);
  SetHeaderAlignment(Source->FHeaderAlignment);
  SetBorderPen(Source->FBorderPen.get());
  SetBorders(Source->FBorders);
  FCheckFalse = Source->FCheckFalse;
  FCheckTrue = Source->FCheckTrue;
  FEditLength = Source->FEditLength;
  SetEditLink(Source->FEditLink);
  FEditMask = Source->FEditMask;
  SetEditor(Source->FEditor);
  SetFixed(Source->FFixed);
  SetPassword(Source->FPassword);
  FPrintBorderPen->Assign(Source->FPrintBorderPen.get());
  FPrintBorders = Source->FPrintBorders;
  FPrintColor = Source->FPrintColor;
  FPrintFont->Assign(Source->FPrintFont.get());
  FReadOnly = Source->FReadOnly;
  FSortStyle = Source->FSortStyle;
  FSortPrefix = Source->FSortPrefix;
  FSortSuffix = Source->FSortSuffix;
  FSpinMax = Source->FSpinMax;
  FSpinMin = Source->FSpinMin;
  FSpinStep = Source->FSpinStep;
  SetColumnPopup(Source->FColumnPopup);
  FWidth = Source->FWidth;
  SetShowBands(Source->FShowBands);
  FMinSize = Source->FMinSize;
  FMaxSize = Source->FMaxSize;
  FAutoMinSize = Source->FAutoMinSize;
  FAutoMaxSize = Source->FAutoMaxSize;
  SetFilter(Source->FFilter.get());
  FFilterCaseSensitive = Source->FFilterCaseSensitive;
  FDefIdx = Source->FDefIdx;
  SetFloatFormat(Source->FFloatFormat);
  // The colour and the font are the grid's.
  if (TExColumnGrid* G = Grid()) {
    SetColor(G->Color());
    SetFont(G->Font());
  }
}

// --- Property writes --------------------------------------------------------------------------

void TGridColumnItem::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Repaint();
}

void TGridColumnItem::SetBorders(TCellBorders Value) {
  FBorders = Value;
  Changed(false);
}

void TGridColumnItem::SetBorderPen(TPen* Value) {
  if (Value) FBorderPen->Assign(Value);
  Changed(false);
}

void TGridColumnItem::SetColor(TColor Value) {
  FColor = Value;
  Changed(false);
}

void TGridColumnItem::SetColumnPopup(TPopupMenu* Value) {
  if (FColumnPopup == Value) return;
  FColumnPopup = Value;
  // The grid hears when the menu is freed and drops the reference.
  if (TExColumnGrid* G = Grid(); G && Value) Value->FreeNotification(G);
}

void TGridColumnItem::SetComboItems(TStrings* Value) {
  if (Value)
    FComboItems->Assign(Value);
  else
    FComboItems->Clear();
}

void TGridColumnItem::SetEditLink(TEditLink* Value) {
  if (FEditLink == Value) return;
  FEditLink = Value;
  if (TExColumnGrid* G = Grid(); G && Value) Value->FreeNotification(G);
}

void TGridColumnItem::SetEditor(TEditorType Value) {
  const bool Repaints = FEditor == edDataCheckBox || Value == edDataCheckBox;
  FEditor = Value;
  if (Repaints) Repaint();
}

void TGridColumnItem::SetFilter(TStrings* Value) {
  if (Value)
    FFilter->Assign(Value);
  else
    FFilter->Clear();
}

void TGridColumnItem::SetFixed(bool Value) {
  FFixed = Value;
  Changed(false);
}

void TGridColumnItem::SetFloatFormat(const String& Value) {
  FFloatFormat = Value;
  Repaint();
}

void TGridColumnItem::SetFont(TFont* Value) {
  if (Value) FFont->Assign(Value);
  Changed(false);
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value) {
  FHeaderAlignment = Value;
  Repaint();
}

void TGridColumnItem::SetHeaderFont(TFont* Value) {
  if (Value) {
    // The copy itself repaints once, not through the change report.
    auto Saved = FHeaderFont->OnChange;
    FHeaderFont->OnChange = nullptr;
    FHeaderFont->Assign(Value);
    FHeaderFont->OnChange = Saved;
  }
  Repaint();
}

void TGridColumnItem::SetPassword(bool Value) {
  FPassword = Value;
  Changed(false);
}

void TGridColumnItem::SetShowBands(bool Value) {
  FShowBands = Value;
  Changed(false);
}

void TGridColumnItem::SetHeader(const String& Value) {
  FHeader = Value;
  auto* Items = dynamic_cast<TGridColumnCollection*>(Collection());
  TExColumnGrid* G = Items ? Items->Grid() : nullptr;
  if (!G) return;
  if (G->FixedRows() > 0 && !G->FColMoving) {
    G->SetCellEx(Index(), 0, Value);
    Changed(false);
  }
  G->RebuildColumnHeaders(Items);
}

Integer TGridColumnItem::Width() const {
  TExColumnGrid* G = Grid();
  return G ? G->AllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(Integer Value) {
  FWidth = GridExtent(Value);
  if (TExColumnGrid* G = Grid()) G->SetAllColWidths(Index(), Value);
}

// --- Change reports of the owned objects ------------------------------------------------------

void TGridColumnItem::FontChanged() { Changed(false); }

void TGridColumnItem::HeaderFontChanged() { Changed(false); }

void TGridColumnItem::PenChanged() { Changed(false); }

void TGridColumnItem::FilterChanged() { Repaint(); }

// --- Cells of the column ----------------------------------------------------------------------

namespace {
// The grid of an item for cell access; an item outside a grid has no cells.
TExColumnGrid* CellGrid(const TGridColumnItem* Item) {
  TExColumnGrid* G = Item->Grid();
  if (!G) throw EStringGridError(u"Invalid column accessed");
  return G;
}
}  // namespace

String TGridColumnItem::GetRows(Integer ARow) const { return CellGrid(this)->Cells(Index(), ARow); }

void TGridColumnItem::SetRows(Integer ARow, const String& Value) { CellGrid(this)->SetCells(Index(), ARow, Value); }

Integer TGridColumnItem::GetInts(Integer ARow) const { return CellGrid(this)->Ints(Index(), ARow); }

void TGridColumnItem::SetInts(Integer ARow, Integer Value) { CellGrid(this)->SetInts(Index(), ARow, Value); }

double TGridColumnItem::GetFloats(Integer ARow) const { return CellGrid(this)->Floats(Index(), ARow); }

void TGridColumnItem::SetFloats(Integer ARow, double Value) { CellGrid(this)->SetFloats(Index(), ARow, Value); }

TDateTime TGridColumnItem::GetDates(Integer ARow) const { return CellGrid(this)->Dates(Index(), ARow); }

void TGridColumnItem::SetDates(Integer ARow, TDateTime Value) { CellGrid(this)->SetDates(Index(), ARow, Value); }

TDateTime TGridColumnItem::GetTimes(Integer ARow) const { return CellGrid(this)->Times(Index(), ARow); }

void TGridColumnItem::SetTimes(Integer ARow, TDateTime Value) { CellGrid(this)->SetTimes(Index(), ARow, Value); }

// ---------------------------------------------------------------------------------------------
// TGridColumnCollection
// ---------------------------------------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TExColumnGrid* AOwner)
    : TCollection([](TCollection* C) -> TCollectionItem* { return new TGridColumnItem(C); }), FOwner(AOwner) {}

TPersistent* TGridColumnCollection::GetOwner() { return FOwner; }

TGridColumnItem* TGridColumnCollection::Add() {
  auto* Item = static_cast<TGridColumnItem*>(TCollection::Add());
  const Integer I = Item->Index();
  if (I > 0) Item->AssignVisuals(GetItem(I - 1));
  return Item;
}

TGridColumnItem* TGridColumnCollection::Insert(Integer Index) {
  return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
}

TGridColumnItem* TGridColumnCollection::GetItem(Integer Index) const {
  return static_cast<TGridColumnItem*>(TCollection::GetItem(Index));
}

void TGridColumnCollection::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  if (UpdateCount() > 0 || FNoRecursiveUpdate || !FOwner) return;
  if (FOwner->HasState(csLoading) || FOwner->IsGridDestroying()) return;
  const Integer N = Count() - FOwner->NumHiddenColumns();
  if (N != FOwner->ColCount() && N > FOwner->FixedCols()) FOwner->SetColCount(N);
  FOwner->UpdateColumnHeaders();
  FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization() {
  if (FOwner) FOwner->SynchColumnsQuiet();
  for (Integer i = 0; i < Count(); ++i) GetItem(i)->SetDefIdx(i);
}

void TGridColumnCollection::ResetOrganization() {
  // The default positions must name every position exactly once; anything else (a damaged file)
  // is refused before a column moves.
  const Integer N = Count();
  std::vector<bool> Seen(static_cast<size_t>(N), false);
  for (Integer i = 0; i < N; ++i) {
    const Integer D = GetItem(i)->DefIdx();
    if (D < 0 || D >= N || Seen[static_cast<size_t>(D)]) throw EListError(Format(u"List index out of bounds (%d)", D));
    Seen[static_cast<size_t>(D)] = true;
  }
  if (!FOwner) return;
  bool Clean = false;
  while (!Clean) {
    Clean = true;
    const Integer Passes = Count();
    for (Integer i = 0; i < Passes; ++i) {
      const Integer D = GetItem(i)->DefIdx();
      if (D < i) {
        FOwner->MoveColumn(FOwner->RealToDisplayCol(i), FOwner->RealToDisplayCol(D));
        Clean = false;
      }
    }
  }
}
