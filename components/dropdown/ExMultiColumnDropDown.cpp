// The multi-column drop-down: its items, construction, the current item's keys in the edit, the
// typing and keys in the open list, and the popup's opening and closing. The list grid, its
// painting and loading are in ExMultiColumnDropDownList.cpp; what it does as the grid drop-down
// does is in ExListDropDownImpl.h.
#include "components/dropdown/ExMultiColumnDropDown.h"

#include <algorithm>

#include "components/dropdown/ExListDropDownImpl.h"
#include "platform/rtl/SysUtils.h"

template class ExListDropDown::TListDropDown<ExMultiColumnDropDown::TDropDownColumns,
                                             ExMultiColumnDropDown::TDropDownItems,
                                             ExMultiColumnDropDown::TExColGrid>;

namespace ExMultiColumnDropDown {

namespace {

bool AltDown() { return GetKeyState(VK_MENU) < 0; }

// The keys the list moves its own row with; only with Alt do they reach the edit.
bool IsListKey(Word Key, TShiftState Shift) {
  return (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt);
}

}  // namespace

Integer TDropDownItems::IndexInColumn(Integer Column, const String& Value) const {
  if (Column < 0) return -1;
  for (Integer i = 0; i < Count(); ++i) {
    const TStringList* t = Items(i)->Text();
    if (t->Count() > Column && t->Strings(Column) == Value) return i;
  }
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Construction

TExMultiColumnDropDown::TExMultiColumnDropDown(TComponent* AOwner) : TListDropDown(AOwner) {
  FItems = std::make_unique<TDropDownItems>(this);
  FLineColor = 0xC0C0C0;
  SetSelectionColorStyle(scOffice2007);
  SetDropDownColor(0xFFFFFF);
  SetDropDownHeight(200);
  SetAutoSelect(true);
}

void TExMultiColumnDropDown::BeforeDestruction() {
  // The list goes with the owned components, after this drop-down's own data: it must not reach
  // back for painting or events on its way.
  if (FExColGrid) {
    FExColGrid->SetExDropDown(nullptr);
    FExColGrid->OnSelectCell = nullptr;
    FExColGrid->OnSelect = nullptr;
    FExColGrid->OnKeyDown = nullptr;
    FExColGrid->OnKeyUp = nullptr;
    FExColGrid->OnKeyPress = nullptr;
  }
  TExCustomDropDown::BeforeDestruction();
}

void TExMultiColumnDropDown::Assign(TPersistent* Source) {
  TExCustomDropDown::Assign(Source);
  auto* src = dynamic_cast<TExMultiColumnDropDown*>(Source);
  if (!src) return;
  FCaseSensitive = src->FCaseSensitive;
  FDropDownAutoWidth = src->FDropDownAutoWidth;
  FDropDownRowHeight = src->FDropDownRowHeight;
  FLineColor = src->FLineColor;
  FFixedLineColor = src->FFixedLineColor;
  FColumnSizing = src->FColumnSizing;
  FColumnSizeWithDropDown = src->FColumnSizeWithDropDown;
  FColumns->Assign(src->FColumns.get());
  FHeaderColor = src->FHeaderColor;
  FHeaderColorTo = src->FHeaderColorTo;
  FHeaderHeight = src->FHeaderHeight;
  FHeaderFont->Assign(src->FHeaderFont.get());
  FLookupColumn = src->FLookupColumn;
  FSelectionTextColor = src->FSelectionTextColor;
  FItems->Assign(src->FItems.get());
  FItemIndex = src->FItemIndex;
}

void TExMultiColumnDropDown::Loaded() {
  TExCustomDropDown::Loaded();
  RebuildLookup();
}

// ---------------------------------------------------------------------------------------------
// Keys in the edit

void TExMultiColumnDropDown::WMKeyDown(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  TExCustomDropDown::WMKeyDown(M);
  if (!Enabled() || AltDown() || (M.LParam & KF_ALTDOWN)) return;
  MoveByKey(key, !EditorEnabled());
}

// ---------------------------------------------------------------------------------------------
// Keys and typing in the open list

void TExMultiColumnDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (!IsListKey(Key, Shift)) TExCustomDropDown::ControlKeyDown(Key, Shift);
}

void TExMultiColumnDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (!IsListKey(Key, Shift)) TExCustomDropDown::ControlKeyUp(Key, Shift);
}

void TExMultiColumnDropDown::ControlKeyPress(Char& Key) {
  if (IsUnsearchedCode(Key) && !AltDown()) {
    FLookupEntry.clear();
    return;
  }
  const Integer n = SearchStep(Key);
  if (n < 0) {
    FLookupEntry.clear();
    return;
  }
  if (FExColGrid) PutListRow(FExColGrid->FixedRows() + n);
}

void TExMultiColumnDropDown::PutListRow(Integer Row) {
  TExColGrid* g = FExColGrid;
  if (!g || Row < 0 || Row >= g->RowCount()) return;
  if (Row >= g->TopRow() + g->VisibleRowCount() || Row < g->TopRow()) g->SetTopRow(Row);
  g->SetRow(Row);
  g->SetCol(0);
}

Integer TExMultiColumnDropDown::SearchLookup(const String& Entry) const {
  // "Starts with" an empty entry matches nothing.
  if (!FExColGrid || Entry.empty() || FLookupColumn < 0) return -1;
  return FindItemStartingWith(Entry, nullptr);
}

Integer TExMultiColumnDropDown::SearchStep(Char C) {
  if (C == 8) {
    SearchBackspace();
    return -1;
  }
  if (C != 9) FLookupEntry += C;
  Integer n = SearchLookup(FLookupEntry);
  if (n >= 0) {
    FItemIndex = n;
    SetText(ItemText(FItems->Items(n), FLookupColumn));
    SelectAfterEntry();
    return n;
  }
  const String single(1, C);
  n = SearchLookup(single);
  if (n >= 0) {
    FItemIndex = n;
    SetText(ItemText(FItems->Items(n), FLookupColumn));
    FLookupEntry = single;
    return n;
  }
  FLookupEntry.clear();
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

void TExMultiColumnDropDown::BeforeDropDown() {
  TExCustomDropDown::BeforeDropDown();
  // Losing the activation to another window closes without cancelling.
  if (DropDownForm()) DropDownForm()->SetCancelOnDeActivate(false);
  FShowing = true;
  TExColGrid* g = FExColGrid;
  if (!g) return;
  LoadList();
  g->SetOptions(g->Options() << goThumbTracking);
  g->SetColor(DropDownColor());
  g->OnSelectCell = [this](TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect) {
    ListSelectCell(Sender, ACol, ARow, CanSelect);
  };
  g->OnSelect = [this](TObject* Sender) { ListSelect(Sender); };
  // Without items the list has no row to make current; an ItemIndex left past the items (they were
  // deleted since) shows the first.
  if (g->RowCount() > 1) {
    Integer row = FItemIndex + 1;
    if (row < g->FixedRows() || row >= g->RowCount()) row = 1;
    g->SetRow(row);
  }
  FOldItemIndex = FItemIndex;
}

void TExMultiColumnDropDown::DoShowDropDown() {
  TExCustomDropDown::DoShowDropDown();
  TExColGrid* g = FExColGrid;
  if (g && DroppedDown()) {
    FitColumns();
    if (g->RowCount() > 1) {
      Integer row = FItemIndex >= 0 ? FItemIndex + 1 : 1;
      if (row >= g->RowCount()) row = 1;
      g->SetRow(row);
      const TRect r = g->CellRect(0, row);
      if (r.Left <= 0 && r.Top <= 0) g->SetTopRow(std::max(g->FixedRows(), row - g->VisibleRowCount() + 1));
    }
  }
  FShowing = false;
}

void TExMultiColumnDropDown::DoHideDropDown(bool CancelChanges) {
  TDropDownForm* f = DropDownForm();
  if (!f || !f->Visible()) {
    TExCustomDropDown::DoHideDropDown(CancelChanges);
    return;
  }
  TExCustomDropDown::DoHideDropDown(CancelChanges);
  if (CancelChanges) {
    SetItemIndex(FOldItemIndex);
  } else if (FExColGrid && FExColGrid->ConfirmSelection() && FExColGrid->Row() >= 1) {
    // Only an item row is taken (a list without items has none).
    SetItemIndex(FExColGrid->Row() - 1);
  }
  FOldItemIndex = FItemIndex;
}

void TExMultiColumnDropDown::ListSelectCell(TObject* /*Sender*/, Integer /*ACol*/, Integer ARow, bool& /*CanSelect*/) {
  if (!FExColGrid || FExColGrid->MouseWheelSelection() || FShowing) return;
  if (ARow >= 1) SetItemIndex(ARow - 1);
}

void TExMultiColumnDropDown::ListSelect(TObject* /*Sender*/) {
  if (FExColGrid && FExColGrid->ConfirmSelection() && FExColGrid->Row() >= 1) SetItemIndex(FExColGrid->Row() - 1);
  DoHideDropDown(false);
  if (OnSelect) OnSelect(this);
}

// ---------------------------------------------------------------------------------------------
// Colour styles

void TExMultiColumnDropDown::SetComponentStyle(TNorvStyle AStyle) {
  TExCustomDropDown::SetComponentStyle(AStyle);
  // tsCustom keeps everything.
  ApplyListStyle(AStyle, true);
}

}  // namespace ExMultiColumnDropDown
