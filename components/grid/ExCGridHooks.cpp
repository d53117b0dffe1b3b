// TExColumnGrid: construction, keeping the items in step with the columns (count, moves, inserted
// and removed columns, grouping, widths, headers) and the string grid's hooks answered from the
// column items.
#include <algorithm>

#include "components/grid/ExCGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridFilter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridPrintSettings.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Menus.h"

namespace {

// The part of a filter entry that is shown and the condition it stands for: "name=condition", or
// a plain text for both.
void SplitFilterEntry(const String& Entry, String& Name, String& Condition) {
  const size_t P = Entry.find(u'=');
  if (P == String::npos) {
    Name = Entry;
    Condition = Entry;
  } else {
    Name = Entry.substr(0, P);
    Condition = Entry.substr(P + 1);
  }
}

bool IsSpinEditor(TEditorType E) {
  return E == edSpinEdit || E == edFloatSpinEdit || E == edTimeSpinEdit || E == edDateSpinEdit;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction
// ---------------------------------------------------------------------------------------------

TExColumnGrid::TExColumnGrid(TComponent* AOwner) : TExStringGrid(AOwner) {
  InitExCGridModule();
  FColumns = CreateColumns();
  SynchColumnsQuiet();
  FColMoving = false;
  FCheckGraphic = new TCellGraphic();
  FCheckGraphic->SetCellType(ctVirtCheckBox);
  FSavedItem = new TGridColumnItem(nullptr);
}

TExColumnGrid::~TExColumnGrid() {
  delete FColumns;
  FColumns = nullptr;
  delete FCheckGraphic;
  FCheckGraphic = nullptr;
  delete FSavedItem;
  FSavedItem = nullptr;
}

TGridColumnCollection* TExColumnGrid::CreateColumns() { return new TGridColumnCollection(this); }

bool TExColumnGrid::IsGridDestroying() const {
  return !FColumns || HasState(csDestroying) || FDestroyingGrid || FGridDestroyStarted;
}

TGridColumnItem* TExColumnGrid::ItemOf(Integer ACol) const {
  if (!FColumns || ACol < 0 || ACol >= FColumns->Count()) return nullptr;
  return FColumns->GetItem(ACol);
}

bool TExColumnGrid::IsNormalCell(Integer ACol, Integer ARow) {
  return ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() && ARow >= FixedRows() &&
         ARow < RowCount() - FixedFooters();
}

Integer TExColumnGrid::GetVersionNr() { return (3 << 24) | (1 << 16) | (3 << 8) | 1; }

String TExColumnGrid::GetVersionString() {
  const Integer V = GetVersionNr();
  return IntToStr((V >> 24) & 0xFF) + u"." + IntToStr((V >> 16) & 0xFF) + u"." + IntToStr((V >> 8) & 0xFF) + u"." +
         IntToStr(V & 0xFF) + u" Aug, 2012";
}

// ---------------------------------------------------------------------------------------------
// Items and columns in step
// ---------------------------------------------------------------------------------------------

void TExColumnGrid::SetColCount(Integer Value) {
  TExStringGrid::SetColCount(Value);
  SynchColumnsQuiet();
}

void TExColumnGrid::SetColumns(TGridColumnCollection* Value) {
  if (Value && Value != FColumns) FColumns->Assign(Value);
}

void TExColumnGrid::SynchColumns() {
  if (!FColumns) return;
  const Integer Wanted = ColCount() + NumHiddenColumns();
  while (FColumns->Count() < Wanted) FColumns->Add();
  while (FColumns->Count() > Wanted) FColumns->Delete(FColumns->Count() - 1);
  if (HasState(csDesigning))
    for (Integer i = 0; i < ColCount(); ++i) SetCellEx(i, FixedRows(), u"Column " + IntToStr(i));
}

void TExColumnGrid::SynchColumnsQuiet() {
  if (!FColumns) return;
  const bool Old = FColumns->FNoRecursiveUpdate;
  FColumns->FNoRecursiveUpdate = true;
  try {
    SynchColumns();
  } catch (...) {
    FColumns->FNoRecursiveUpdate = Old;
    throw;
  }
  FColumns->FNoRecursiveUpdate = Old;
}

void TExColumnGrid::AllCellsChanged() {
  TExStringGrid::AllCellsChanged();
  SynchColumnsQuiet();
}

void TExColumnGrid::Loaded() {
  TExStringGrid::Loaded();
  // Quietly: an item added here must not report back and cut the column count to the items
  // counted so far.
  SynchColumnsQuiet();
  FColumns->SetOrganization();
}

TGridColumnItem* TExColumnGrid::GetColumnByName(const String& AValue) const {
  for (Integer i = 0; i < FColumns->Count(); ++i)
    if (FColumns->GetItem(i)->Name() == AValue) return FColumns->GetItem(i);
  return nullptr;
}

void TExColumnGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  const bool OldNoUpdate = FColumns->FNoRecursiveUpdate;
  FColumns->FNoRecursiveUpdate = true;
  const Integer KeepTop = TopRow();
  const Integer RealFrom = DisplayToRealCol(FromIndex);
  const Integer RealTo = DisplayToRealCol(ToIndex);
  TExStringGrid::ColumnMoved(FromIndex, ToIndex);
  BeginUpdate();
  FColMoving = true;
  try {
    if (RealFrom != RealTo && RealFrom < FColumns->Count() && RealTo < FColumns->Count()) {
      // The item travels with its column, all of its settings along. Its header entry moves the
      // same way; the header cells already moved with the cells.
      FColumns->GetItem(RealFrom)->SetIndex(RealTo);
      TStringList* H = ColumnHeaders();
      if (RealFrom < H->Count() && RealTo < H->Count()) {
        auto Saved = H->OnChange;
        H->OnChange = nullptr;
        H->Move(RealFrom, RealTo);
        H->OnChange = Saved;
      }
    }
    if (TopRow() != KeepTop && KeepTop < RowCount()) SetTopRow(KeepTop);
  } catch (...) {
    FColMoving = false;
    EndUpdate();
    FColumns->FNoRecursiveUpdate = OldNoUpdate;
    throw;
  }
  FColMoving = false;
  EndUpdate();
  FColumns->FNoRecursiveUpdate = OldNoUpdate;
  if (OnAfterColumnMoved) OnAfterColumnMoved(this, RealFrom, RealTo);
}

void TExColumnGrid::InsertCols(Integer ColIndex, Integer CCount) {
  TExStringGrid::InsertCols(ColIndex, CCount);
  const bool Old = FColumns->FNoRecursiveUpdate;
  FColumns->FNoRecursiveUpdate = true;
  try {
    const Integer At = std::clamp(ColIndex, 0, FColumns->Count());
    for (Integer i = 0; i < CCount; ++i) FColumns->Insert(At);
  } catch (...) {
    FColumns->FNoRecursiveUpdate = Old;
    throw;
  }
  FColumns->FNoRecursiveUpdate = Old;
}

void TExColumnGrid::RemoveCols(Integer ColIndex, Integer CCount) {
  TExStringGrid::RemoveCols(ColIndex, CCount);
  // Each deletion reports to the grid, so the column count and the header row follow the items.
  for (Integer i = 0; i < CCount && ColIndex >= 0 && ColIndex < FColumns->Count(); ++i) FColumns->Delete(ColIndex);
}

void TExColumnGrid::Group(Integer Colindex) {
  if (TGridColumnItem* Item = ItemOf(Colindex)) FSavedItem->Assign(Item);
  TExStringGrid::Group(Colindex);
}

void TExColumnGrid::UnGroup() {
  const Integer Grouped = GroupColumn();
  TExStringGrid::UnGroup();
  if (Grouped != -1)
    if (TGridColumnItem* Item = ItemOf(Grouped)) Item->Assign(FSavedItem);
}

void TExColumnGrid::ColWidthsChanged() {
  TExStringGrid::ColWidthsChanged();
  if (HasState(csLoading) || IsGridDestroying()) return;
  for (Integer c = 0; c < ColCount(); ++c)
    if (TGridColumnItem* Item = ItemOf(DisplayToRealCol(c))) Item->SetCachedWidth(ColWidths(c));
}

void TExColumnGrid::ChangeScale(Integer M, Integer D) {
  TExStringGrid::ChangeScale(M, D);
  if (HasState(csDesigning) || M == D) return;
  for (Integer i = 0; i < ColCount() && i < FColumns->Count(); ++i) {
    TGridColumnItem* Item = FColumns->GetItem(i);
    Item->Font()->SetSize(MulDiv(Item->Font()->Size(), M, D));
    Item->HeaderFont()->SetSize(MulDiv(Item->HeaderFont()->Size(), M, D));
  }
}

void TExColumnGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TExStringGrid::Notification(AComponent, Operation);
  if (Operation != opRemove || !FColumns) return;
  for (Integer i = 0; i < FColumns->Count(); ++i) {
    TGridColumnItem* Item = FColumns->GetItem(i);
    if (Item->EditLink() && static_cast<TComponent*>(Item->EditLink()) == AComponent) Item->SetEditLink(nullptr);
    if (Item->ColumnPopup() && static_cast<TComponent*>(Item->ColumnPopup()) == AComponent)
      Item->SetColumnPopup(nullptr);
  }
  if (FSavedItem) {
    if (FSavedItem->EditLink() && static_cast<TComponent*>(FSavedItem->EditLink()) == AComponent)
      FSavedItem->SetEditLink(nullptr);
    if (FSavedItem->ColumnPopup() && static_cast<TComponent*>(FSavedItem->ColumnPopup()) == AComponent)
      FSavedItem->SetColumnPopup(nullptr);
  }
}

// ---------------------------------------------------------------------------------------------
// Headers
// ---------------------------------------------------------------------------------------------

void TExColumnGrid::RebuildColumnHeaders(TGridColumnCollection* Items) {
  TStringList* H = ColumnHeaders();
  const bool Fixed = FixedRows() > 0;
  H->BeginUpdate();
  try {
    H->Clear();
    for (Integer i = 0; i < Items->Count(); ++i) {
      TGridColumnItem* Item = Items->GetItem(i);
      // A header written straight into its cell is kept rather than blanked by the others.
      if (Fixed && Item->Header().empty() && i < TotalColCount()) {
        const String Cell = Cells(i, 0);
        if (!Cell.empty()) Item->FHeader = Cell;
      }
      H->Add(Item->Header());
    }
  } catch (...) {
    H->EndUpdate();
    throw;
  }
  H->EndUpdate();
}

void TExColumnGrid::UpdateColumnHeaders() {
  if (FixedRows() <= 0) return;
  RebuildColumnHeaders(FColumns);
}

void TExColumnGrid::SyncColumnHeaders() {
  if (!FColumns) return;
  TStringList* H = ColumnHeaders();
  for (Integer i = 0; i < H->Count() && i < FColumns->Count(); ++i) FColumns->GetItem(i)->FHeader = H->Strings(i);
}

// ---------------------------------------------------------------------------------------------
// Hooks
// ---------------------------------------------------------------------------------------------

void TExColumnGrid::GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                    TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                    bool& WW, TCellGradientDirection& GD) {
  TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol);
  if (!Item) {
    TExStringGrid::GetCellDefaults(ACol, ARow, AFont, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, HA, VA, WW, GD);
    return;
  }
  AFont->Assign(Item->Font());
  ABrush->SetColor(Item->Color());
  AColorTo = clNone;
  HA = ARow < FixedRows() ? Item->HeaderAlignment() : Item->Alignment();
  VA = VAlignment();
  WW = WordWrap();
  GD = GradientVertical;
  // Fixed and banded cells get their background from the grid, not from a colour of their own.
  if (IsFixed(RealToDisplayCol(ACol), ARow) || (Bands()->Active() && Item->ShowBands())) {
    ABrush->SetColor(clNone);
    AColorTo = clNone;
  }
}

void TExColumnGrid::GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol);
  if (Item && ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() &&
      ARow < RowCount() - FixedFooters()) {
    if (Item->Fixed())
      ABrush->SetColor(FixedColor());
    else if (ARow >= FixedRows() && !(Item->ShowBands() && Bands()->Active()))
      ABrush->SetColor(Item->Color());
    AFont->Assign(ARow < FixedRows() ? Item->HeaderFont() : Item->Font());
    if (HasCellProperties(ACol, ARow)) {
      TCellProperties* P = GetCellProperties(ACol, ARow);
      if (P->BrushColor() != clNone) ABrush->SetColor(P->BrushColor());
      if (P->FontColor() != clNone) AFont->SetColor(P->FontColor());
    }
  }
  TExStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TExColumnGrid::GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush,
                                      TFont* AFont) {
  TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol);
  const bool FixedCell = ACol < FixedCols() || ARow < FixedRows() ||
                         ACol >= ColCount() + NumHiddenColumns() - FixedRightCols() ||
                         ARow >= RowCount() - FixedFooters();
  TPrintSettings* PS = PrintSettings();
  if (Item && FixedCell) {
    if (PS) AFont->Assign(PS->FixedFont());
  } else if (Item) {
    const bool HasProps = HasCellProperties(ACol, ARow);
    TCellProperties* P = HasProps ? GetCellProperties(ACol, ARow) : nullptr;
    if (Item->Fixed()) {
      ABrush->SetColor(FixedColor());
    } else if (!(Item->ShowBands() && Bands()->Active() && Bands()->Print())) {
      ABrush->SetColor(Item->PrintColor());
      if (P && P->BrushColor() != clNone) ABrush->SetColor(P->BrushColor());
    }
    if (Item->PrintFontCustom()) {
      AFont->Assign(Item->PrintFont());
      if (P) {
        if (P->FontColor() != clNone) AFont->SetColor(P->FontColor());
        if (!P->FontStyle().Empty()) AFont->SetStyle(P->FontStyle());
        if (P->FontSize() != 0) AFont->SetSize(P->FontSize());
        if (!P->FontName().empty()) AFont->SetName(P->FontName());
      }
    } else if (PS) {
      AFont->Assign(PS->Font());
    }
  }
  TExStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TExColumnGrid::GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
  TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol);
  if (Item && ACol >= FixedCols() && ARow >= FixedRows()) {
    Borders = Item->Borders();
    APen->Assign(Item->BorderPen());
  }
  TExStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TExColumnGrid::GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
  TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol);
  if (Item && ACol >= FixedCols() && ARow >= FixedRows() && Item->PrintBorderCustom()) {
    Borders = Item->PrintBorders();
    APen->Assign(Item->PrintBorderPen());
  }
  TExStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TExColumnGrid::GetCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  if (TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol)) {
    HAlign = ARow < FixedRows() ? Item->HeaderAlignment() : Item->Alignment();
    if (HasCellProperties(ACol, ARow)) HAlign = GetCellProperties(ACol, ARow)->Alignment();
  }
  TExStringGrid::GetCellAlignment(ACol, ARow, HAlign, VAlign);
}

void TExColumnGrid::GetColFormat(Integer ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix) {
  if (TGridColumnItem* Item = ItemOf(ACol)) {
    AStyle = Item->SortStyle();
    APrefix = Item->SortPrefix();
    ASuffix = Item->SortSuffix();
  }
  TExStringGrid::GetColFormat(ACol, AStyle, APrefix, ASuffix);
}

String TExColumnGrid::GetCellFloatFormat(Integer ACol, Integer ARow) {
  TGridColumnItem* Item = ItemOf(ACol);
  if (Item && !Item->FloatFormat().empty()) return Item->FloatFormat();
  return TExStringGrid::GetCellFloatFormat(ACol, ARow);
}

void TExColumnGrid::GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor) {
  if (TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol)) {
    if (ACol >= FixedCols() && ARow >= FixedRows()) {
      AEditor = Item->Editor();
      if (EditCombo) {
        EditCombo->Items()->Assign(Item->ComboItems());
        EditCombo->SetDropDownCount(Item->DropDownCount());
      }
      // The spin editor is made on first use: only a spin column brings it into being.
      if (FEditSpin || IsSpinEditor(Item->Editor())) {
        TGridSpin* Spin = SpinEdit();
        Spin->SetMinValue(Item->SpinMin());
        Spin->SetMaxValue(Item->SpinMax());
        Spin->SetIncrement(Item->SpinStep());
      }
      SetEditLink(Item->EditLink());
      ControlLook()->SetDropDownCount(Item->DropDownCount());
    }
    if (!Item->FloatFormat().empty()) SetFloatFormat(Item->FloatFormat());
  }
  TExStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

void TExColumnGrid::IsFixedCell(Integer ACol, Integer ARow, bool& IsFixed) {
  if (!IsGridDestroying() && ACol >= FixedCols() && ARow >= FixedRows())
    if (TGridColumnItem* Item = ItemOf(DisplayToRealCol(ACol))) IsFixed = Item->Fixed();
  TExStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TExColumnGrid::CanEditCell(Integer ACol, Integer ARow, bool& CanEdit) {
  if (HasState(csLoading)) {
    CanEdit = false;
    return;
  }
  TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol);
  if (!Item) {
    TExStringGrid::CanEditCell(ACol, ARow, CanEdit);
    return;
  }
  if (ACol >= FixedCols() && ARow >= FixedRows())
    CanEdit = !(Item->ReadOnly() || Item->Fixed());
  else
    CanEdit = false;
  if (CanEdit && HasCellProperties(ACol, ARow)) CanEdit = !GetCellProperties(ACol, ARow)->ReadOnly();
  const TPoint B = BaseCell(ACol, ARow);
  DoCanEditCell(B.X, B.Y, CanEdit);
}

void TExColumnGrid::IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword) {
  if (TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol)) IsPassword = Item->Password();
  TExStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

bool TExColumnGrid::HasComboBox(Integer ACol, Integer ARow) {
  TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol);
  if (!Item) return TExStringGrid::HasComboBox(ACol, ARow);
  bool Has = false;
  if (ACol >= FixedCols() && ARow >= FixedRows())
    Has = Item->Editor() == edComboEdit || Item->Editor() == edComboList;
  if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, Has);
  return Has;
}

void TExColumnGrid::GetCheckTrue(Integer ACol, Integer ARow, String& Value) {
  TExStringGrid::GetCheckTrue(ACol, ARow, Value);
  if (TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol))
    if (IsNormalCell(ACol, ARow)) Value = Item->CheckTrue();
}

void TExColumnGrid::GetCheckFalse(Integer ACol, Integer ARow, String& Value) {
  TExStringGrid::GetCheckFalse(ACol, ARow, Value);
  if (TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol))
    if (IsNormalCell(ACol, ARow)) Value = Item->CheckFalse();
}

TCellType TExColumnGrid::GetCellType(Integer ACol, Integer ARow) {
  const TCellType T = TExStringGrid::GetCellType(ACol, ARow);
  if (T != ctEmpty || IsGridDestroying()) return T;
  TGridColumnItem* Item = ItemOf(ACol);
  if (Item && Item->Editor() == edDataCheckBox && IsNormalCell(ACol, ARow)) return ctDataCheckBox;
  return T;
}

TCellGraphic* TExColumnGrid::GetCellGraphic(Integer ACol, Integer ARow) {
  TCellGraphic* G = TExStringGrid::GetCellGraphic(ACol, ARow);
  if (G || IsGridDestroying()) return G;
  TGridColumnItem* Item = ItemOf(ACol);
  if (Item && Item->Editor() == edDataCheckBox && IsNormalCell(ACol, ARow)) {
    FCheckGraphic->SetCellType(ctVirtCheckBox);
    FCheckGraphic->SetCellTransparent(ControlLook() && ControlLook()->ControlStyle() == csFlat);
    return FCheckGraphic;
  }
  return nullptr;
}

void TExColumnGrid::UpdateColumnSize(Integer ACol, Integer& AWidth) {
  if (TGridColumnItem* Item = ItemOf(ACol)) {
    if (Item->MinSize() > 0 && AWidth < Item->MinSize()) AWidth = Item->MinSize();
    if (Item->MaxSize() > 0 && AWidth > Item->MaxSize()) AWidth = Item->MaxSize();
  }
  TExStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TExColumnGrid::UpdateAutoColumnSize(Integer ACol, Integer& AWidth) {
  if (TGridColumnItem* Item = ItemOf(ACol)) {
    if (Item->AutoMinSize() > 0 && AWidth < Item->AutoMinSize()) AWidth = Item->AutoMinSize();
    if (Item->AutoMaxSize() > 0 && AWidth > Item->AutoMaxSize()) AWidth = Item->AutoMaxSize();
  }
  TExStringGrid::UpdateAutoColumnSize(ACol, AWidth);
}

String TExColumnGrid::GetEditMask(Integer ACol, Integer ARow) {
  String Mask;
  if (ACol >= FixedCols())
    if (TGridColumnItem* Item = ItemOf(DisplayToRealCol(ACol))) Mask = Item->EditMask();
  const String Own = TExStringGrid::GetEditMask(ACol, ARow);
  return Own.empty() ? Mask : Own;
}

Integer TExColumnGrid::GetEditLimit() {
  if (Col() >= FixedCols())
    if (TGridColumnItem* Item = ItemOf(DisplayToRealCol(Col()))) return Item->EditLength();
  return TExStringGrid::GetEditLimit();
}

bool TExColumnGrid::FormatsCellText(Integer ACol) {
  TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol);
  if (!Item) return TExStringGrid::FormatsCellText(ACol);
  return OnGetFloatFormat || !Item->FloatFormat().empty();
}

String TExColumnGrid::GetFormattedCell(Integer ACol, Integer ARow) {
  TGridColumnItem* Item = IsGridDestroying() ? nullptr : ItemOf(ACol);
  if (!Item) return TExStringGrid::GetFormattedCell(ACol, ARow);
  const String Text = GetCellEx(ACol, ARow);
  if (!FormatsCellText(ACol)) return Text;
  String Fmt = Item->FloatFormat();
  const Integer Kind = ClassifyNumberText(Text);
  bool IsFloat = Kind == ntInteger || Kind == ntFloat;
  if (OnGetFloatFormat) OnGetFloatFormat(this, ACol, ARow, IsFloat, Fmt);
  if (Fmt.empty() || !IsFloat) return Text;
  // A format that does not take a number (or a text a handler called a number wrongly) shows the
  // stored text rather than failing the paint.
  try {
    return Format(Fmt, Floats(ACol, ARow));
  } catch (const Exception&) {
    return Text;
  }
}

// ---------------------------------------------------------------------------------------------
// Column popup
// ---------------------------------------------------------------------------------------------

void TExColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TExStringGrid::MouseDown(Button, Shift, X, Y);
  if (IsGridDestroying()) return;
  Integer ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (ACol < 0 || ARow < 0) return;
  TGridColumnItem* Item = ItemOf(DisplayToRealCol(ACol));
  if (!Item || !Item->ColumnPopup()) return;
  const TRect R = CellRect(ACol, ARow);
  const TPoint P = ClientToScreen(TPoint{R.Left, R.Bottom});
  const bool FixedRow = ARow < FixedRows();
  const TColumnPopupType T = Item->ColumnPopupType();
  bool Asked = false, Opens = false;
  if (Button == mbLeft) {
    Asked = T == cpFixedCellsLClick || T == cpNormalCellsLClick || T == cpAllCellsLClick;
    Opens = FixedRow ? (T == cpFixedCellsLClick || T == cpAllCellsLClick)
                     : (T == cpNormalCellsLClick || T == cpAllCellsLClick);
  } else if (Button == mbRight) {
    Asked = T == cpFixedCellsRClick || T == cpNormalCellsRClick || T == cpAllCellsRClick;
    Opens = FixedRow ? (T == cpFixedCellsRClick || T == cpAllCellsRClick)
                     : (T == cpNormalCellsRClick || T == cpAllCellsRClick);
  }
  if (!Asked) return;
  TPopupMenu* Menu = Item->ColumnPopup();
  if (OnColumnPopup) OnColumnPopup(this, ACol, ARow, Menu);
  if (Opens) {
    Menu->SetPopupComponent(this);
    Menu->Popup(P.X, P.Y);
  }
}

// ---------------------------------------------------------------------------------------------
// Filter drop-down
// ---------------------------------------------------------------------------------------------

bool TExColumnGrid::BuildFilterList(Integer ACol) {
  FilterList()->SetSorted(false);
  TExStringGrid::BuildFilterList(ACol);
  TGridColumnItem* Item = ItemOf(ACol);
  // A column without entries of its own keeps the string grid's list, which is offered then.
  if (!Item || Item->Filter()->Count() == 0) return FilterList()->Count() > 0;
  FilterList()->Clear();
  for (Integer i = 0; i < Item->Filter()->Count(); ++i) {
    String Name, Condition;
    SplitFilterEntry(Item->Filter()->Strings(i), Name, Condition);
    FilterList()->Add(Name);
  }
  return true;
}

void TExColumnGrid::FilterListSelect() {
  TGridColumnItem* Item = FFilterCol >= 0 ? ItemOf(FFilterCol) : nullptr;
  // A column without entries of its own offers the string grid's list and takes its choice.
  if (!Item || Item->Filter()->Count() == 0) {
    TExStringGrid::FilterListSelect();
    return;
  }
  const Integer ItemIndex = FDropList ? FDropList->ItemIndex() : -1;
  if (ItemIndex >= 0 && ItemIndex < Item->Filter()->Count()) {
    String Name, Condition;
    SplitFilterEntry(Item->Filter()->Strings(ItemIndex), Name, Condition);
    if (FAutoFilterDisplay) Item->SetHeader(Name);
    if (AutoFilterUpdate()) SetFilterActive(false);
    if (OnFilterSelect) OnFilterSelect(this, FFilterCol, ItemIndex, Name, Condition);
    TFilterData* F = Filter()->ColumnFilter(FFilterCol);
    F->SetCondition(Condition);
    F->SetCaseSensitive(Item->FilterCaseSensitive());
    if (AutoFilterUpdate()) {
      SetFilterActive(true);
      if (RowCount() != FixedRows() && !(RowCount() == 1 && FixedRowAlways())) SetRow(FixedRows());
      FilterDone();
    }
  }
  FFilterCol = -1;
}
