// The grid drop-down: its columns and items, construction and properties, the mapping between
// list rows and items, the current item, the lookup list, the typing in the edit, the typed search
// and the popup's opening and closing. The list grid, its loading and sizing are in
// ExCustomGridDropDownList.cpp; the passing on of the list's events in
// ExCustomGridDropDownEvents.cpp.
#include "components/grid/ExCustomGridDropDown.h"

#include <algorithm>
#include <cstdint>

#include "components/dropdown/ExListDropDownStyle.h"
#include "components/dropdown/ExLookupTyping.h"
#include "components/grid/ExGridSortSettings.h"
#include "platform/rtl/SysUtils.h"

namespace ExCustomGridDropDown {

using ExMultiColumnDropDown::CompleteFromLookup;
using ExMultiColumnDropDown::IsUnsearchedCode;
using ExMultiColumnDropDown::TLookupCompletion;

namespace {

// The keys the list moves its own row with.
bool IsListKey(Word Key) {
  return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN;
}

bool AltDown() { return GetKeyState(VK_MENU) < 0; }
bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

bool StartsWith(const String& Text, const String& Start) {
  return Text.size() >= Start.size() && Text.compare(0, Start.size(), Start) == 0;
}

TDropDownItem* MakeDropDownItem(TCollection* Collection) { return new TDropDownItem(Collection); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Columns and items

TDropDownColumn::TDropDownColumn(TCollection* Collection)
    : TCollectionItem(Collection), FFont(std::make_unique<TFont>()) {}

TDropDownColumn::~TDropDownColumn() = default;

void TDropDownColumn::SetFont(const TFont* Value) { FFont->Assign(Value); }

void TDropDownColumn::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TDropDownColumn*>(Source)) {
    FWordwrap = src->FWordwrap;
    FWidth = src->FWidth;
    FAutoSize = src->FAutoSize;
    FHeader = src->FHeader;
    FAlignment = src->FAlignment;
    FColor = src->FColor;
    FColumnType = src->FColumnType;
    FFont->Assign(src->FFont.get());
    FEllipsis = src->FEllipsis;
    return;
  }
  TCollectionItem::Assign(Source);
}

TDropDownColumns::TDropDownColumns(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return new TDropDownColumn(c); }), FMyOwner(AOwner) {}

TDropDownItem::TDropDownItem(TCollection* Collection)
    : TCollectionItem(Collection), FText(std::make_unique<TStringList>()) {}

TDropDownItem::~TDropDownItem() = default;

void TDropDownItem::SetText(TStrings* Value) { FText->Assign(Value); }

void TDropDownItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TDropDownItem*>(Source)) {
    FImageIndex = src->FImageIndex;
    FText->Assign(src->FText.get());
    return;
  }
  TCollectionItem::Assign(Source);
}

TDropDownItems::TDropDownItems(TPersistent* AOwner)
    // The item class is asked at every creation, so a descendant's answer counts.
    : TCollection([](TCollection* c) { return static_cast<TDropDownItems*>(c)->GetItemClass()(c); }),
      FMyOwner(AOwner) {}

TDropDownItemClass TDropDownItems::GetItemClass() const { return &MakeDropDownItem; }

String ItemText(const TDropDownItem* Item, Integer Column) {
  if (!Item || Column < 0 || Item->Text()->Count() <= Column) return String();
  return Item->Text()->Strings(Column);
}

// ---------------------------------------------------------------------------------------------
// Construction

TCustomExGridDropDown::TCustomExGridDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner),
      FBands(std::make_unique<TBands>()),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()),
      FMouseActions(std::make_unique<TMouseActions>(this)),
      FNavigation(std::make_unique<TNavigation>()),
      FLookupItems(std::make_unique<TStringList>()) {
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

TCustomExGridDropDown::~TCustomExGridDropDown() = default;

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
  TExCustomDropDown::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FExColGrid) FExColGrid = nullptr;
  if (AComponent == FGridImages) FGridImages = nullptr;
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

void TCustomExGridDropDown::EndUpdate() { RebuildLookup(); }

void TCustomExGridDropDown::RebuildLookup() {
  TLookupTyping::RebuildLookup(this);
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
    if (Value >= FItems->Count()) return;
    FItemIndex = Value;
    if (Value >= 0 && FLookupColumn >= 0 && FItems->Items(Value)->Text()->Count() > FLookupColumn)
      SetText(FItems->Items(Value)->Text()->Strings(FLookupColumn));
    else
      SetText(String());
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

Integer TCustomExGridDropDown::GetItemIndex(const String& Value) const {
  return TLookupTyping::ItemOfText(this, Value);
}

Integer TCustomExGridDropDown::MoveCount() const {
  if (FUseItems) return FItems->Count();
  return FExColGrid ? std::max(0, FExColGrid->RowCount() - FExColGrid->FixedRows()) : 0;
}

void TCustomExGridDropDown::MoveItem(Integer Target) {
  if (MoveCount() == 0) return;
  SetItemIndex(Target);
}

// A wheel turn over the open list reaches the popup's wheel hooks too (the list offers it to its
// parent first); there it moves the list's row only, not the item.
void TCustomExGridDropDown::SelectNextValue() {
  TExCustomDropDown::SelectNextValue();
  if (FExColGrid && FExColGrid->MouseWheelSelection()) return;
  MoveItem(ExMultiColumnDropDown::NextItem(FItemIndex, MoveCount()));
}

void TCustomExGridDropDown::SelectPreviousValue() {
  TExCustomDropDown::SelectPreviousValue();
  if (FExColGrid && FExColGrid->MouseWheelSelection()) return;
  MoveItem(ExMultiColumnDropDown::PreviousItem(FItemIndex, MoveCount()));
}

// ---------------------------------------------------------------------------------------------
// The typed search

bool TCustomExGridDropDown::FindLookupRow(const String& Text, String& Found, Integer& Row) const {
  Found.clear();
  Row = -1;
  const String key = FCaseSensitive ? Text : AnsiUpperCase(Text);
  auto folded = [this](const String& S) { return FCaseSensitive ? S : AnsiUpperCase(S); };
  if (FUseItems) {
    for (Integer i = 0; i < FItems->Count(); ++i) {
      // An item without a text in the lookup column counts as one with an empty text.
      const String t = ItemText(FItems->Items(i), FLookupColumn);
      if (StartsWith(folded(t), key)) {
        Found = t;
        Row = i;
        return true;
      }
    }
    return false;
  }
  TExColGrid* g = FExColGrid;
  if (!g) return false;
  for (Integer r = g->FixedRows(); r < g->RowCount(); ++r) {
    const String t = ListLookupCell(r);
    if (StartsWith(folded(t), key)) {
      Found = t;
      Row = r;
      return true;
    }
  }
  return false;
}

Integer TCustomExGridDropDown::TypedSearchStep(Char C) {
  if (FLookupMethod == lmNone) return -1;
  const Integer lp = Length(Prefix());
  TExColGrid* g = FExColGrid;
  if (C == 8) {
    if (SelLength() > 0) {
      String value = Text();
      const Integer start = std::clamp<Integer>(SelStart() - lp, 0, Length(value));
      value.erase(static_cast<size_t>(start), static_cast<size_t>(SelLength()));
      SetText(value);
    } else {
      if (!FLookupEntry.empty()) FLookupEntry.pop_back();
      SetText(FLookupEntry);
    }
    SetSelStart(lp + Length(Text()));
    SetSelLength(0);
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
        SetSelStart(lp + Length(FLookupEntry));
        SetSelLength(std::max(0, Length(Text()) - Length(FLookupEntry)));
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
    if (FStyle == dsDropDown) {
      SetSelStart(lp + Length(FLookupEntry));
      SetSelLength(std::max(0, Length(Text()) - Length(FLookupEntry)));
    }
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

void TCustomExGridDropDown::SetText(const String& Value) {
  TLookupTyping::SetOwnText(this, Value);
}

void TCustomExGridDropDown::Change() {
  FItemChange = false;
  TExCustomDropDown::Change();
  if (FOwnText || HasState(csDesigning) || !FWorkMode) return;
  CompleteTyping();
}

void TCustomExGridDropDown::CompleteTyping() {
  TLookupTyping::Complete(this);
}

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
  const Integer n = MoveCount();
  switch (key) {
    case VK_PRIOR: MoveItem(ExMultiColumnDropDown::PageUpItem(FItemIndex, n)); break;
    case VK_NEXT: MoveItem(ExMultiColumnDropDown::PageDownItem(FItemIndex, n)); break;
    case VK_UP: MoveItem(ExMultiColumnDropDown::PreviousItem(FItemIndex, n)); break;
    case VK_DOWN: MoveItem(ExMultiColumnDropDown::NextItem(FItemIndex, n)); break;
    case VK_HOME:
      if (!ShiftDown() && FStyle == dsDropDownList) MoveItem(ExMultiColumnDropDown::FirstItem(FItemIndex, n));
      break;
    case VK_END:
      if (!ShiftDown() && FStyle == dsDropDownList) MoveItem(ExMultiColumnDropDown::LastItem(FItemIndex, n));
      break;
    default: break;
  }
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
  TLookupTyping::KeyDown(this, Key, Shift);
}

void TCustomExGridDropDown::KeyPress(Char& Key) {
  TLookupTyping::KeyPress(this, Key);
}

void TCustomExGridDropDown::KeyUp(Word& Key, TShiftState Shift) {
  if (!(Key == VK_RETURN && ReturnIsTab())) TExCustomDropDown::KeyUp(Key, Shift);
  TExColGrid* g = FExColGrid;
  if (FGridEditable && g && g->InEditMode() && Key == VK_RETURN && !Shift.Contains(ssShift)) {
    if (g->Col() == FLookupColumn)
      HideDropDown(false);
    else
      g->HideInplaceEdit();
  }
  TLookupTyping::TakePendingCompletion(this);
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
  TExCustomDropDown::CreateDropDownForm();
  TDropDownForm* f = DropDownForm();
  if (!f) return;
  if (!FExColGrid) {
    FExColGrid = new TExColGrid(this);
    FExColGrid->SetParent(f);
  }
  FExColGrid->SetExDropDown(this);
  FExColGrid->SetBounds(0, 0, FExColGrid->Width(), 180);
  FExColGrid->SetColor(DropDownColor());
  FExColGrid->SetDoubleBuffered(true);
  FExColGrid->Navigation()->SetHomeEndKey(heFirstLastRow);
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

void TCustomExGridDropDown::PlaceDropDownControl() {
  if (FExColGrid) SetControl(FExColGrid);
  TExCustomDropDown::PlaceDropDownControl();
}

void TCustomExGridDropDown::UpdateDropDownSize() {
  TExCustomDropDown::UpdateDropDownSize();
  TDropDownForm* f = DropDownForm();
  if (!FDropDownAutoWidth || !f || !FExColGrid) return;
  const TAlign align = FExColGrid->Align();
  FExColGrid->SetAlign(alNone);
  f->SetWidth(ListContentWidth() + 2 * DropDownBorderWidth());
  FExColGrid->SetAlign(align == alNone ? alNone : alClient);
}

void TCustomExGridDropDown::AdjustDropDownHeight(Integer& Height) {
  Integer bands = 0;
  if (DropDownHeader()->Visible()) bands += DropDownHeader()->Height();
  if (DropDownFooter()->Visible()) bands += DropDownFooter()->Height();
  // Whole rows as the multi-column list snaps them, with 4 more pixels for the grid's frame.
  Height = ExMultiColumnDropDown::SnapDropDownHeight(Height, bands, FHeaderHeight, FDropDownRowHeight);
  if (FDropDownRowHeight > 0) Height += 4;
}

void TCustomExGridDropDown::DropDownSizing() {
  TExCustomDropDown::DropDownSizing();
  FitColumns();
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

void TCustomExGridDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  ExListDropDownStyle::PresetLineColors(Value, FLineColor, FFixedLineColor);
  TExCustomDropDown::SetSelectionColorStyle(Value);
}

void TCustomExGridDropDown::SetComponentStyle(TNorvStyle AStyle) {
  TExCustomDropDown::SetComponentStyle(AStyle);
  // tsCustom and the Office 2010 styles keep everything.
  if (const auto* s = ExListDropDownStyle::FindListStyle(AStyle, false))
    ExListDropDownStyle::ApplyListStyle(this, *s);
}

}  // namespace ExCustomGridDropDown
