// The grid drop-down: its items, construction and properties, the mapping between list rows and
// items, the current item, the typing in the edit, the typed search and the popup's opening and
// closing. The list grid and its loading are in ExCustomGridDropDownList.cpp; the passing on of
// the list's events in ExCustomGridDropDownEvents.cpp; what it does as the multi-column
// drop-down does is in components/dropdown/ExListDropDownImpl.h.
#include "components/grid/ExCustomGridDropDown.h"

#include <algorithm>
#include <cstdint>

#include "components/dropdown/ExListDropDownImpl.h"
#include "components/grid/ExGridSortSettings.h"
#include "platform/rtl/SysUtils.h"

template class ExListDropDown::TListDropDown<ExCustomGridDropDown::TDropDownColumns,
                                             ExCustomGridDropDown::TDropDownItems,
                                             ExCustomGridDropDown::TExColGrid>;

namespace ExCustomGridDropDown {

using ExListDropDown::IsUnsearchedCode;

namespace {

// The keys the list moves its own row with.
bool IsListKey(Word Key) {
  return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN;
}

bool AltDown() { return GetKeyState(VK_MENU) < 0; }
bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

TDropDownItem* MakeDropDownItem(TCollection* Collection) { return new TDropDownItem(Collection); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Columns and items

TDropDownItems::TDropDownItems(TPersistent* AOwner)
    // The item class is asked at every creation, so a descendant's answer counts.
    : TDropDownItemsT(AOwner, [](TCollection* c) -> TCollectionItem* {
        return static_cast<TDropDownItems*>(c)->GetItemClass()(c);
      }) {}

TDropDownItemClass TDropDownItems::GetItemClass() const { return &MakeDropDownItem; }

// ---------------------------------------------------------------------------------------------
// Construction

TCustomExGridDropDown::TCustomExGridDropDown(TComponent* AOwner)
    : TListDropDown(AOwner),
      FBands(std::make_unique<TBands>()),
      FMouseActions(std::make_unique<TMouseActions>(this)),
      FNavigation(std::make_unique<TNavigation>()) {
  // A designer placing a new control, not a stored form being read.
  FDesignTime = AOwner && AOwner->HasState(csDesigning) && !AOwner->HasState(csLoading);
  FItems = CreateItems(this);
  FSearchFooter = std::make_unique<TSearchFooter>(this, FDesignTime);
  FNavigation->SetHomeEndKey(heFirstLastRow);
  SetSelectionColorStyle(scOffice2007);
  SetDropDownColor(0xFFFFFF);
  SetDropDownHeight(200);
  SetAutoSelect(true);
  if (FDesignTime) {
    for (Integer i = 0; i < 3; ++i) FColumns->Add();
  } else {
    // The list comes with the popup, so the hosted grid exists from the start.
    CreateDropDownForm();
  }
}

void TCustomExGridDropDown::BeforeDestruction() {
  // The list goes first, while this drop-down is whole: its events reach back here.
  if (FExColGrid) {
    TExColGrid* g = FExColGrid;
    g->SetExDropDown(nullptr);
    TComponent::Free(g);
    FExColGrid = nullptr;
  }
  TExCustomDropDown::BeforeDestruction();
}

std::unique_ptr<TDropDownItems> TCustomExGridDropDown::CreateItems(TComponent* AOwner) {
  return std::make_unique<TDropDownItems>(AOwner);
}

Integer TCustomExGridDropDown::GetVersionNr() { return 0x06000101; }

void TCustomExGridDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TListDropDown::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FGridImages) FGridImages = nullptr;
}

void TCustomExGridDropDown::SetGridImages(TImageList* Value) {
  if (Value != FGridImages) {
    if (FGridImages) FGridImages->RemoveFreeNotification(this);
    FGridImages = Value;
    if (FGridImages) FGridImages->FreeNotification(this);
  }
  if (FExColGrid) FExColGrid->SetGridImages(Value);
}

void TCustomExGridDropDown::SetStyle(TDropDownStyle Value) {
  FStyle = Value;
  SetEditorEnabled(Value == dsDropDown);
}

void TCustomExGridDropDown::Loaded() {
  TExCustomDropDown::Loaded();
  RebuildLookup();
  if (FExColGrid) FillList();
}

// ---------------------------------------------------------------------------------------------
// Rows and items

Integer TCustomExGridDropDown::ItemOfRow(Integer Row) const {
  const TExColGrid* g = FExColGrid;
  if (!g) return Row;
  if (!FUseItems) return Row - g->FixedRows();
  if (Row < 0 || Row >= g->RowCount()) return Row;
  return static_cast<Integer>(reinterpret_cast<intptr_t>(FExColGrid->Objects(0, Row)));
}

Integer TCustomExGridDropDown::RowOfItem(Integer Item) const {
  TExColGrid* g = FExColGrid;
  if (!g || Item < 0) return FItemIndex;
  if (!FUseItems) {
    const Integer row = Item + g->FixedRows();
    return row < g->RowCount() ? row : FItemIndex;
  }
  for (Integer r = g->FixedRows(); r < g->RowCount(); ++r)
    if (static_cast<Integer>(reinterpret_cast<intptr_t>(g->Objects(0, r))) == Item) return r;
  return FItemIndex;
}

String TCustomExGridDropDown::ListLookupCell(Integer Row) const {
  TExColGrid* g = FExColGrid;
  if (!g || Row < 0 || Row >= g->RowCount() || FLookupColumn < 0 || FLookupColumn >= g->ColCount()) return String();
  return g->Cells(FLookupColumn, Row);
}

// ---------------------------------------------------------------------------------------------
// The current item

void TCustomExGridDropDown::SetItemIndex(Integer Value) {
  if (FUseItems) {
    TListDropDown::SetItemIndex(Value);
    return;
  }
  TExColGrid* g = FExColGrid;
  if (!g) {
    FItemIndex = Value;
    return;
  }
  if (Value == FItemIndex) return;
  // Only a value that names a data row is taken: the edit shows that row's cell.
  const Integer row = Value + g->FixedRows();
  if (Value >= 0 && row >= g->RowCount()) return;
  FItemIndex = Value;
  SetText(Value < 0 ? String() : ListLookupCell(row));
}

Integer TCustomExGridDropDown::MoveCount() const {
  if (FUseItems) return FItems->Count();
  return FExColGrid ? std::max(0, FExColGrid->RowCount() - FExColGrid->FixedRows()) : 0;
}

// ---------------------------------------------------------------------------------------------
// The typed search

bool TCustomExGridDropDown::FindLookupRow(const String& Text, String& Found, Integer& Row) const {
  Found.clear();
  Row = -1;
  if (FUseItems) {
    Row = FindItemStartingWith(Text, &Found);
    return Row >= 0;
  }
  TExColGrid* g = FExColGrid;
  if (!g) return false;
  const String key = FCaseSensitive ? Text : AnsiUpperCase(Text);
  for (Integer r = g->FixedRows(); r < g->RowCount(); ++r) {
    const String t = ListLookupCell(r);
    if (ExListDropDown::StartsWith(FCaseSensitive ? t : AnsiUpperCase(t), key)) {
      Found = t;
      Row = r;
      return true;
    }
  }
  return false;
}

Integer TCustomExGridDropDown::TypedSearchStep(Char C) {
  if (FLookupMethod == lmNone) return -1;
  TExColGrid* g = FExColGrid;
  if (C == 8) {
    SearchBackspace();
    return -1;
  }
  if (C != 9) FLookupEntry += C;
  const String key = Trim(FLookupEntry);

  if (FLookupMethod == lmNarrowDown) {
    if (!g) return -1;
    if (!key.empty()) {
      g->SetFixedRowAlways(true);
      g->NarrowDown(key, FLookupColumn);
      if (FStyle == dsDropDown && g->RowCount() > g->FixedRows()) {
        SetText(ListLookupCell(g->FixedRows()));
        SelectAfterEntry();
      }
    } else {
      g->RemoveAllFilters();
    }
    return g->FixedRows();
  }

  // lmLookup. In grid mode the found value is a list row; ItemIndex counts the data rows.
  auto take = [this, g](Integer Row, const String& Found) {
    FItemIndex = FUseItems || !g ? Row : Row - g->FixedRows();
    SetText(Found);
  };
  String found;
  Integer row = -1;
  if (FindLookupRow(key, found, row)) {
    take(row, found);
    if (FStyle == dsDropDown) SelectAfterEntry();
    return row;
  }
  if (FStyle == dsDropDown) return -1;
  const String single(1, C);
  if (FindLookupRow(single, found, row)) {
    take(row, found);
    FLookupEntry = single;
    return row;
  }
  FLookupEntry.clear();
  return -1;
}

void TCustomExGridDropDown::PutListRow(Integer Row) {
  TExColGrid* g = FExColGrid;
  if (!g) return;
  if (g->RowCount() - g->FixedRows() > g->VisibleRowCount()) g->SetTopRow(Row);
  g->SetRow(Row);
  g->SetCol(0);
  g->RepaintRow(Row);
}

// ---------------------------------------------------------------------------------------------
// Typing in the edit

void TCustomExGridDropDown::WMSetFocus(TMessage& M) {
  TExCustomDropDown::WMSetFocus(M);
  if (FExColGrid) FExColGrid->RemoveAllFilters();
  FLookupEntry.clear();
}

void TCustomExGridDropDown::WMChar(TMessage& M) {
  const Char ch = static_cast<Char>(M.WParam);
  TExCustomDropDown::WMChar(M);
  // Enter and Esc take or cancel the choice: they are no search text, and they do not open the
  // popup that they have just closed.
  if (ch == 13 || ch == 27) {
    FLookupEntry.clear();
    return;
  }
  TypedSearchStep(ch);
  if (FAutoShowDropDown) ShowDropDown();
}

void TCustomExGridDropDown::WMKeyDown(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  if (key == VK_RETURN && FExColGrid) FExColGrid->SetConfirmSelection(true);
  TExCustomDropDown::WMKeyDown(M);
  if (!Enabled() || AltDown() || (M.LParam & KF_ALTDOWN)) return;
  if (!IsListKey(key)) return;
  FLookupEntry.clear();
  MoveByKey(key, !ShiftDown() && FStyle == dsDropDownList);
}

void TCustomExGridDropDown::KeyDown(Word& Key, TShiftState Shift) {
  TExColGrid* g = FExColGrid;
  if (FGridEditable && g && g->InEditMode() && Key == VK_RETURN && !Shift.Contains(ssShift)) {
    // Enter ends the edit of a list cell and takes that row's lookup text as it now stands.
    g->HideInplaceEdit();
    const Integer row = g->Row();
    SetText(ListLookupCell(row));
    FItemIndex = ItemOfRow(row);
    Key = 0;
    return;
  }
  const Word key = Key;
  if (key == VK_ESCAPE || (key >= 33 && key <= 40)) FLookupEntry.clear();
  TListDropDown::KeyDown(Key, Shift);
}

void TCustomExGridDropDown::KeyUp(Word& Key, TShiftState Shift) {
  ReleaseKey(Key, Shift);
  TExColGrid* g = FExColGrid;
  if (FGridEditable && g && g->InEditMode() && Key == VK_RETURN && !Shift.Contains(ssShift)) {
    if (g->Col() == FLookupColumn)
      HideDropDown(false);
    else
      g->HideInplaceEdit();
  }
  TakePendingCompletion();
}

// ---------------------------------------------------------------------------------------------
// Keys and typing in the open list

void TCustomExGridDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  // The list moves its own row with these; only with Alt do they reach the edit.
  if (!IsListKey(Key) || Shift.Contains(ssAlt)) TExCustomDropDown::ControlKeyDown(Key, Shift);
  DoGridKeyDown(this, Key, Shift);
}

void TCustomExGridDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (IsListKey(Key) && !Shift.Contains(ssAlt))
    FLookupEntry.clear();
  else
    TExCustomDropDown::ControlKeyUp(Key, Shift);
  DoGridKeyUp(this, Key, Shift);
}

void TCustomExGridDropDown::ControlKeyPress(Char& Key) {
  TExColGrid* g = FExColGrid;
  const bool editing = g && g->Options().Contains(goEditing);
  if ((IsUnsearchedCode(Key) && !AltDown()) || editing) {
    FLookupEntry.clear();
  } else {
    const Integer value = TypedSearchStep(Key);
    Integer row = -1;
    if (value >= 0 && g) {
      if (FLookupMethod == lmNarrowDown || !FUseItems)
        row = value;
      else
        // The found item's own row: after a sort it is no longer item + fixed rows.
        row = RowOfItem(value);
    }
    if (g && row >= g->FixedRows() && row < g->RowCount())
      PutListRow(row);
    else
      FLookupEntry.clear();
  }
  DoGridKeyPress(this, Key);
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

void TCustomExGridDropDown::CreateDropDownForm() {
  TListDropDown::CreateDropDownForm();
  if (FExColGrid) FExColGrid->Navigation()->SetHomeEndKey(heFirstLastRow);
}

void TCustomExGridDropDown::BeforeDropDown() {
  // Losing the activation to another window closes without cancelling.
  if (DropDownForm()) DropDownForm()->SetCancelOnDeActivate(false);
  if (TExColGrid* g = FExColGrid) {
    FLoadingList = true;
    struct TLoadingDone {
      bool& Flag;
      ~TLoadingDone() { Flag = false; }
    } loadingDone{FLoadingList};

    LoadListSettings();
    g->SetColor(DropDownColor());
    g->SortSettings()->SetShow(FSorting != gsNone);
    g->SortSettings()->SetIndexShow(FSorting == gsMultiColumn);
    FBalloonInit = false;
    AttachListEvents();
    g->SetSearchFooter(FSearchFooter.get());
    g->SetMouseActions(FMouseActions.get());
    g->SetNavigation(FNavigation.get());
    g->SetBands(FBands.get());
    TGridOptions options = g->Options() << goThumbTracking;
    options = FRowSelect ? options << goRowSelect : options >> goRowSelect;
    options = FGridEditable ? options << goEditing : options >> goEditing;
    g->SetOptions(options);
    g->SetGridImages(FGridImages);
    g->SetComponentStyle(GetComponentStyle());
    if (FUseItems) {
      TExCustomDropDown::BeforeDropDown();
      // Rows a filter hid would come back beside the fresh rows: the list starts unfiltered.
      g->RemoveAllFilters();
      g->SetRowCount(FItems->Count() + 1);
      g->SetFixedRows(1);
      FillList();
    }
    // The list sorts before it is positioned, so the current row shows the current item.
    if (g->SortSettings()->Column() >= 0 && g->SortSettings()->Show()) g->QSort();
    if (FUseItems) {
      const Integer row = RowOfItem(FItemIndex);
      if (row >= g->FixedRows() && row < g->RowCount()) g->SetRow(row);
    } else {
      String found;
      Integer row = -1;
      if (FindLookupRow(Text(), found, row))
        g->SetRow(row);
      else if (g->RowCount() > g->FixedRows())
        g->SetRow(g->FixedRows());
    }
    FSelRow = g->Row();
  }
  FOldItemIndex = FItemIndex;
  if (!FUseItems) TExCustomDropDown::BeforeDropDown();
}

void TCustomExGridDropDown::DoShowDropDown() {
  TExCustomDropDown::DoShowDropDown();
  TExColGrid* g = FExColGrid;
  if (!g) return;
  if (!FUseItems)
    while (FColumns->Count() < g->ColCount()) FColumns->Add();
  if (!DroppedDown()) return;
  FitColumns();
  const Integer row = g->Row();
  if (g->RowCount() - g->FixedRows() > g->VisibleRowCount() &&
      (row >= g->TopRow() + g->VisibleRowCount() || row < g->TopRow()))
    g->SetTopRow(row);
  // A close that takes the row without a selection since the opening takes the current row.
  FSelRow = row;
  g->SetTabStop(true);
  if (g->CanFocus()) g->SetFocus();
}

void TCustomExGridDropDown::AdjustDropDownHeight(Integer& Height) {
  // Whole rows as the multi-column list snaps them, with 4 more pixels for the grid's frame.
  TListDropDown::AdjustDropDownHeight(Height);
  if (FDropDownRowHeight > 0) Height += 4;
}

void TCustomExGridDropDown::DoHideDropDown(bool CancelChanges) {
  TDropDownForm* f = DropDownForm();
  if (f && f->Visible()) {
    TExColGrid* g = FExColGrid;
    if (CancelChanges) {
      SetItemIndex(FOldItemIndex);
    } else {
      if (g && g->ConfirmSelection()) SetItemIndex(ItemOfRow(FSelRow));
      FOldItemIndex = FItemIndex;
      if (g) g->SetConfirmSelection(false);
    }
  }
  TExCustomDropDown::DoHideDropDown(CancelChanges);
}

// ---------------------------------------------------------------------------------------------
// Events of the list the drop-down handles itself

void TCustomExGridDropDown::ListSelectCell(TObject* /*Sender*/, Integer /*ACol*/, Integer ARow, bool& /*CanSelect*/) {
  TExColGrid* g = FExColGrid;
  FSelRow = ARow;
  if (!g || FLoadingList || g->MouseWheelSelection()) return;
  if (!FUseItems) SetText(ListLookupCell(ARow));
  SetItemIndex(ItemOfRow(ARow));
}

void TCustomExGridDropDown::ListSelect(TObject* /*Sender*/) {
  TExColGrid* g = FExColGrid;
  if (g && g->ConfirmSelection()) SetItemIndex(ItemOfRow(g->Row()));
  if (!FGridEditable) DoHideDropDown(false);
  if (OnSelect) OnSelect(this);
}

void TCustomExGridDropDown::ListCanSort(TObject* /*Sender*/, Integer /*ACol*/, bool& /*DoSort*/) {
  FTempItemIndex = FItemIndex;
}

void TCustomExGridDropDown::ListClickSort(TObject* /*Sender*/, Integer /*ACol*/) {
  TExColGrid* g = FExColGrid;
  if (!g) return;
  const Integer row = RowOfItem(FTempItemIndex);
  if (row >= g->FixedRows() && row < g->RowCount()) g->SetRow(row);
}

void TCustomExGridDropDown::ListStartBlockFocus(TObject* /*Sender*/) {
  if (DropDownForm()) DropDownForm()->SetBlockActivate(true);
}

void TCustomExGridDropDown::ListEndBlockFocus(TObject* /*Sender*/) {
  if (DropDownForm()) DropDownForm()->SetBlockActivate(false);
}

void TCustomExGridDropDown::WithBlockedActivation(const std::function<void()>& Action) {
  TDropDownForm* f = DropDownForm();
  struct TUnblock {
    TDropDownForm* Form;
    ~TUnblock() {
      if (Form) Form->SetBlockActivate(false);
    }
  } unblock{f};
  if (f) f->SetBlockActivate(true);
  Action();
}

// ---------------------------------------------------------------------------------------------
// Colour styles

void TCustomExGridDropDown::SetComponentStyle(TNorvStyle AStyle) {
  TExCustomDropDown::SetComponentStyle(AStyle);
  // tsCustom and the Office 2010 styles keep everything.
  ApplyListStyle(AStyle, false);
}

}  // namespace ExCustomGridDropDown
