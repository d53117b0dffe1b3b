// The multi-column drop-down: its columns and items, the routines that need no window (completion,
// moves, sizing arithmetic), the current item, the lookup list and the typing in the edit, and the
// popup's opening and closing. The list grid, its painting and sizing are in
// ExMultiColumnDropDownList.cpp.
#include "components/dropdown/ExMultiColumnDropDown.h"

#include <algorithm>

#include "components/dropdown/ExListDropDownStyle.h"
#include "components/dropdown/ExLookupTyping.h"
#include "platform/rtl/SysUtils.h"

namespace ExMultiColumnDropDown {

namespace {

bool AltDown() { return GetKeyState(VK_MENU) < 0; }

bool StartsWith(const String& Text, const String& Start) {
  return Text.size() >= Start.size() && Text.compare(0, Start.size(), Start) == 0;
}

}  // namespace

bool IsUnsearchedCode(Char C) {
  switch (C) {
    case 13:
    case 27:
    case 33:
    case 34:
    case 35:
    case 36:
    case 38:
    case 40: return true;
    default: return false;
  }
}

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
    : TCollection([](TCollection* c) { return new TDropDownItem(c); }), FMyOwner(AOwner) {}

Integer TDropDownItems::IndexInColumn(Integer Column, const String& Value) const {
  if (Column < 0) return -1;
  for (Integer i = 0; i < Count(); ++i) {
    const TStringList* t = Items(i)->Text();
    if (t->Count() > Column && t->Strings(Column) == Value) return i;
  }
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Routines without a window

String ItemText(const TDropDownItem* Item, Integer Column) {
  if (!Item || Column < 0 || Item->Text()->Count() <= Column) return String();
  return Item->Text()->Strings(Column);
}

TLookupCompletion CompleteFromLookup(const String& Text, Integer Caret, const TStrings* Lookup, bool MatchCase) {
  TLookupCompletion r;
  const String typed = Text.substr(0, static_cast<size_t>(std::clamp<Integer>(Caret, 0, Length(Text))));
  if (typed.empty()) return r;
  const String key = MatchCase ? typed : AnsiUpperCase(typed);
  r.KeyLength = Length(key);
  const Integer n = Lookup ? Lookup->Count() : 0;
  for (Integer i = 0; i < n; ++i) {
    const String entry = Lookup->Strings(i);
    if (!StartsWith(MatchCase ? entry : AnsiUpperCase(entry), key)) continue;
    r.Matched = true;
    r.Index = i;
    r.Changed = true;
    // The typed part keeps its case; the rest comes from the entry.
    r.Text = typed + entry.substr(std::min(key.size(), entry.size()), 255);
    return r;
  }
  r.Changed = true;
  r.Text = typed;
  return r;
}

Integer NextItem(Integer Current, Integer Count) {
  if (Count <= 0) return Current;
  if (Current < 0) return 0;
  return Current + 1 < Count ? Current + 1 : Current;
}

Integer PreviousItem(Integer Current, Integer Count) {
  if (Count <= 0) return Current;
  if (Current < 0) return 0;
  return Current - 1 >= 0 ? Current - 1 : Current;
}

Integer PageDownItem(Integer Current, Integer Count) {
  if (Count <= 0) return Current;
  if (Current < 0) return 0;
  return std::min(Current + 10, Count - 1);
}

Integer PageUpItem(Integer Current, Integer Count) {
  if (Count <= 0) return Current;
  if (Current < 0) return 0;
  return Current - 10 >= 0 ? Current - 10 : 0;
}

Integer FirstItem(Integer Current, Integer Count) { return Count <= 0 ? Current : 0; }

Integer LastItem(Integer Current, Integer Count) { return Count <= 0 ? Current : Count - 1; }

Integer SnapDropDownHeight(Integer Height, Integer BandsHeight, Integer HeaderHeight, Integer RowHeight) {
  // Without a row height there are no rows to snap to.
  if (RowHeight <= 0) return Height;
  const Integer avail = Height - BandsHeight - HeaderHeight - 2;
  return BandsHeight + HeaderHeight + (avail / RowHeight) * RowHeight + 2;
}

std::vector<Integer> FitColumnWidths(const std::vector<Integer>& Widths, Integer Avail) {
  Integer total = 1;
  for (Integer w : Widths) total += w;
  std::vector<Integer> result;
  result.reserve(Widths.size());
  if (total == 0) return Widths;
  const double f = static_cast<double>(Avail) / total;
  double err = 0;
  for (Integer w : Widths) {
    const double exact = f * w;
    const Integer r = static_cast<Integer>(Round(exact));
    err += exact - r;
    if (err > 1.0) {
      result.push_back(r + 1);
      err -= 1.0;
    } else {
      result.push_back(r);
    }
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// Construction

TExMultiColumnDropDown::TExMultiColumnDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()),
      FItems(std::make_unique<TDropDownItems>(this)),
      FLookupItems(std::make_unique<TStringList>()) {
  FLineColor = 0xC0C0C0;
  SetSelectionColorStyle(scOffice2007);
  SetDropDownColor(0xFFFFFF);
  SetDropDownHeight(200);
  SetAutoSelect(true);
}

TExMultiColumnDropDown::~TExMultiColumnDropDown() = default;

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

void TExMultiColumnDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TExCustomDropDown::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FExColGrid) FExColGrid = nullptr;
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

void TExMultiColumnDropDown::EndUpdate() { RebuildLookup(); }

void TExMultiColumnDropDown::RebuildLookup() {
  TLookupTyping::RebuildLookup(this);
}

// ---------------------------------------------------------------------------------------------
// The current item

void TExMultiColumnDropDown::SetItemIndex(Integer Value) {
  if (Value >= FItems->Count()) return;
  FItemIndex = Value;
  if (Value >= 0 && FLookupColumn >= 0 && FItems->Items(Value)->Text()->Count() > FLookupColumn)
    SetText(FItems->Items(Value)->Text()->Strings(FLookupColumn));
  else
    SetText(String());
}

Integer TExMultiColumnDropDown::GetItemIndex(const String& Value) const {
  return TLookupTyping::ItemOfText(this, Value);
}

void TExMultiColumnDropDown::MoveItem(Integer Target) {
  if (FItems->Count() == 0) return;
  SetItemIndex(Target);
}

void TExMultiColumnDropDown::SelectNextValue() {
  TExCustomDropDown::SelectNextValue();
  MoveItem(NextItem(FItemIndex, FItems->Count()));
}

void TExMultiColumnDropDown::SelectPreviousValue() {
  TExCustomDropDown::SelectPreviousValue();
  MoveItem(PreviousItem(FItemIndex, FItems->Count()));
}

// ---------------------------------------------------------------------------------------------
// Typing in the edit

void TExMultiColumnDropDown::SetText(const String& Value) {
  TLookupTyping::SetOwnText(this, Value);
}

void TExMultiColumnDropDown::Change() {
  FItemChange = false;
  TExCustomDropDown::Change();
  if (FOwnText || HasState(csDesigning) || !FWorkMode) return;
  CompleteTyping();
}

void TExMultiColumnDropDown::CompleteTyping() {
  TLookupTyping::Complete(this);
}

void TExMultiColumnDropDown::KeyDown(Word& Key, TShiftState Shift) {
  TLookupTyping::KeyDown(this, Key, Shift);
}

void TExMultiColumnDropDown::KeyPress(Char& Key) {
  TLookupTyping::KeyPress(this, Key);
}

void TExMultiColumnDropDown::KeyUp(Word& Key, TShiftState Shift) {
  if (!(Key == VK_RETURN && ReturnIsTab())) TExCustomDropDown::KeyUp(Key, Shift);
  TLookupTyping::TakePendingCompletion(this);
}

void TExMultiColumnDropDown::WMKeyDown(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  TExCustomDropDown::WMKeyDown(M);
  if (!Enabled() || AltDown() || (M.LParam & KF_ALTDOWN)) return;
  const Integer n = FItems->Count();
  switch (key) {
    case VK_PRIOR: MoveItem(PageUpItem(FItemIndex, n)); break;
    case VK_NEXT: MoveItem(PageDownItem(FItemIndex, n)); break;
    case VK_UP: MoveItem(PreviousItem(FItemIndex, n)); break;
    case VK_DOWN: MoveItem(NextItem(FItemIndex, n)); break;
    case VK_HOME:
      if (!EditorEnabled()) MoveItem(FirstItem(FItemIndex, n));
      break;
    case VK_END:
      if (!EditorEnabled()) MoveItem(LastItem(FItemIndex, n));
      break;
    default: break;
  }
}

// ---------------------------------------------------------------------------------------------
// Keys and typing in the open list

void TExMultiColumnDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  // The list moves its own row with these; only with Alt do they reach the edit.
  const bool listKey = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
  if (listKey && !Shift.Contains(ssAlt)) return;
  TExCustomDropDown::ControlKeyDown(Key, Shift);
}

void TExMultiColumnDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  const bool listKey = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
  if (listKey && !Shift.Contains(ssAlt)) return;
  TExCustomDropDown::ControlKeyUp(Key, Shift);
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
  const String key = FCaseSensitive ? Entry : AnsiUpperCase(Entry);
  for (Integer i = 0; i < FItems->Count(); ++i) {
    // An item without a text in the lookup column counts as one with an empty text.
    const String text = ItemText(FItems->Items(i), FLookupColumn);
    if (StartsWith(FCaseSensitive ? text : AnsiUpperCase(text), key)) return i;
  }
  return -1;
}

Integer TExMultiColumnDropDown::SearchStep(Char C) {
  const Integer lp = Length(Prefix());
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
  Integer n = SearchLookup(FLookupEntry);
  if (n >= 0) {
    FItemIndex = n;
    SetText(ItemText(FItems->Items(n), FLookupColumn));
    SetSelStart(lp + Length(FLookupEntry));
    SetSelLength(std::max(0, Length(Text()) - Length(FLookupEntry)));
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

void TExMultiColumnDropDown::CreateDropDownForm() {
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
}

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

void TExMultiColumnDropDown::PlaceDropDownControl() {
  if (FExColGrid) SetControl(FExColGrid);
  TExCustomDropDown::PlaceDropDownControl();
}

void TExMultiColumnDropDown::UpdateDropDownSize() {
  TExCustomDropDown::UpdateDropDownSize();
  TDropDownForm* f = DropDownForm();
  if (!FDropDownAutoWidth || !f || !FExColGrid) return;
  const TAlign align = FExColGrid->Align();
  FExColGrid->SetAlign(alNone);
  f->SetWidth(ListContentWidth() + 2 * DropDownBorderWidth());
  FExColGrid->SetAlign(align == alNone ? alNone : alClient);
}

void TExMultiColumnDropDown::AdjustDropDownHeight(Integer& Height) {
  Integer bands = 0;
  if (DropDownHeader()->Visible()) bands += DropDownHeader()->Height();
  if (DropDownFooter()->Visible()) bands += DropDownFooter()->Height();
  Height = SnapDropDownHeight(Height, bands, FHeaderHeight, FDropDownRowHeight);
}

void TExMultiColumnDropDown::DropDownSizing() {
  TExCustomDropDown::DropDownSizing();
  FitColumns();
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

void TExMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  ExListDropDownStyle::PresetLineColors(Value, FLineColor, FFixedLineColor);
  TExCustomDropDown::SetSelectionColorStyle(Value);
}

void TExMultiColumnDropDown::SetComponentStyle(TNorvStyle AStyle) {
  TExCustomDropDown::SetComponentStyle(AStyle);
  // tsCustom keeps everything.
  if (const auto* s = ExListDropDownStyle::FindListStyle(AStyle, true))
    ExListDropDownStyle::ApplyListStyle(this, *s);
}

}  // namespace ExMultiColumnDropDown
