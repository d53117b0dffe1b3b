// The bodies of TListDropDown (ExListDropDown.h). Included only by the source of each list
// drop-down, after its own header, which instantiates the template for its columns, items and
// list: the multi-column drop-down (ExMultiColumnDropDown.cpp) and the grid drop-down
// (components/grid/ExCustomGridDropDown.cpp).
#pragma once

#include <algorithm>

#include "components/dropdown/ExListDropDown.h"
#include "components/dropdown/ExListDropDownStyle.h"
#include "platform/rtl/SysUtils.h"

namespace ExListDropDown {

template <class C, class I, class L>
TListDropDown<C, I, L>::TListDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner),
      TListLook(0xC0C0C0, 0xD1BBA4),
      FColumns(std::make_unique<C>(this)),
      FLookupItems(std::make_unique<TStringList>()) {}

template <class C, class I, class L>
TListDropDown<C, I, L>::~TListDropDown() = default;

template <class C, class I, class L>
void TListDropDown<C, I, L>::Notification(TComponent* AComponent, TOperation Operation) {
  TExCustomDropDown::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FExColGrid) FExColGrid = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The lookup list and the current item

template <class C, class I, class L>
void TListDropDown<C, I, L>::RebuildLookup() {
  if (FLookupColumn < 0 || FItems->Count() == 0) return;
  FLookupItems->Clear();
  for (Integer i = 0; i < FItems->Count(); ++i) FLookupItems->Add(ItemText(FItems->Items(i), FLookupColumn));
}

template <class C, class I, class L>
Integer TListDropDown<C, I, L>::GetItemIndex(const String& Value) const {
  if (FLookupColumn < 0) return -1;
  for (Integer i = 0; i < FItems->Count(); ++i)
    if (ItemText(FItems->Items(i), FLookupColumn) == Value) return i;
  return -1;
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::SetItemIndex(Integer Value) {
  if (Value >= FItems->Count()) return;
  FItemIndex = Value;
  if (Value >= 0 && FLookupColumn >= 0 && FItems->Items(Value)->Text()->Count() > FLookupColumn)
    SetText(FItems->Items(Value)->Text()->Strings(FLookupColumn));
  else
    SetText(String());
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::MoveItem(Integer Target) {
  if (MoveCount() == 0) return;
  SetItemIndex(Target);
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::MoveByKey(Word Key, bool HomeEnd) {
  const Integer n = MoveCount();
  switch (Key) {
    case VK_PRIOR: MoveItem(PageUpItem(FItemIndex, n)); break;
    case VK_NEXT: MoveItem(PageDownItem(FItemIndex, n)); break;
    case VK_UP: MoveItem(PreviousItem(FItemIndex, n)); break;
    case VK_DOWN: MoveItem(NextItem(FItemIndex, n)); break;
    case VK_HOME:
      if (HomeEnd) MoveItem(FirstItem(FItemIndex, n));
      break;
    case VK_END:
      if (HomeEnd) MoveItem(LastItem(FItemIndex, n));
      break;
    default: break;
  }
}

// A wheel turn over the open list may reach the popup's wheel hooks too (the list offers it to its
// parent first); there it moves the list's row only, not the item.
template <class C, class I, class L>
void TListDropDown<C, I, L>::SelectNextValue() {
  TExCustomDropDown::SelectNextValue();
  if (FExColGrid && FExColGrid->MouseWheelSelection()) return;
  MoveItem(NextItem(FItemIndex, MoveCount()));
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::SelectPreviousValue() {
  TExCustomDropDown::SelectPreviousValue();
  if (FExColGrid && FExColGrid->MouseWheelSelection()) return;
  MoveItem(PreviousItem(FItemIndex, MoveCount()));
}

// ---------------------------------------------------------------------------------------------
// Typing in the edit

template <class C, class I, class L>
void TListDropDown<C, I, L>::SetText(const String& Value) {
  const bool was = FOwnText;
  FOwnText = true;
  TExCustomDropDown::SetText(Value);
  FOwnText = was;
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::Change() {
  FItemChange = false;
  TExCustomDropDown::Change();
  if (FOwnText || HasState(csDesigning) || !FWorkMode) return;
  CompleteTyping();
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::CompleteTyping() {
  const String text = Text();
  SetModified(!text.empty());
  const Integer lp = Length(Prefix());
  const TLookupCompletion c = CompleteFromLookup(text, SelStart() - lp, FLookupItems.get(), FMatchCase);
  if (!c.Changed) return;
  if (c.Matched) FItemIndex = c.Index;
  SetText(c.Text);
  // The completed tail is selected; typing on replaces it.
  SetSelStart(lp + c.KeyLength);
  SetSelLength(Length(c.Text) - c.KeyLength);
  if (c.Matched) {
    FItemIdx = c.Index;
    FItemSel = c.KeyLength;
    FItemChange = true;
  }
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::KeyDown(Word& Key, TShiftState Shift) {
  if (FItems->Count() == 0 || FLookupColumn < 0) {
    TExCustomDropDown::KeyDown(Key, Shift);
    return;
  }
  const Word key = Key;
  FWorkMode = !(key == VK_BACK || key == VK_ESCAPE || key == VK_DELETE);
  if (key == VK_RETURN) {
    const Integer i = FLookupItems->IndexOf(Text());
    if (i >= 0) {
      SetText(FLookupItems->Strings(i));
      SetItemIndex(i);
      // The change steps once more, as for a text written by the program: nothing to complete.
      const bool was = FOwnText;
      FOwnText = true;
      Change();
      FOwnText = was;
    }
    if (ReturnIsTab()) {
      // Enter moves on as Tab would: the key goes through the form's dialog-key handling.
      if (Visible()) PostMessage(Handle(), CN_KEYDOWN, VK_TAB, 0);
      Key = 0;
    }
  }
  if (Key != 0) TExCustomDropDown::KeyDown(Key, Shift);
  if (key == VK_ESCAPE) SetItemIndex(FLookupItems->IndexOf(Text()));
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::KeyPress(Char& Key) {
  if (ReturnIsTab() && Key == u'\r') {
    Key = 0;
    return;
  }
  TExCustomDropDown::KeyPress(Key);
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::ReleaseKey(Word& Key, TShiftState Shift) {
  if (!(Key == VK_RETURN && ReturnIsTab())) TExCustomDropDown::KeyUp(Key, Shift);
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::KeyUp(Word& Key, TShiftState Shift) {
  ReleaseKey(Key, Shift);
  TakePendingCompletion();
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::TakePendingCompletion() {
  if (!FItemChange) return;
  const Integer item = FItemIdx;
  const Integer sel = FItemSel;
  SetItemIndex(item);
  const Integer lp = Length(Prefix());
  SetSelStart(lp + sel);
  SetSelLength(std::max(0, Length(Text()) - sel));
  FItemChange = false;
}

// ---------------------------------------------------------------------------------------------
// The search

template <class C, class I, class L>
Integer TListDropDown<C, I, L>::FindItemStartingWith(const String& Key, String* Found) const {
  const String key = FCaseSensitive ? Key : AnsiUpperCase(Key);
  for (Integer i = 0; i < FItems->Count(); ++i) {
    // An item without a text in the lookup column counts as one with an empty text.
    const String text = ItemText(FItems->Items(i), FLookupColumn);
    if (!StartsWith(FCaseSensitive ? text : AnsiUpperCase(text), key)) continue;
    if (Found) *Found = text;
    return i;
  }
  return -1;
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::SearchBackspace() {
  const Integer lp = Length(Prefix());
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
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::SelectAfterEntry() {
  SetSelStart(Length(Prefix()) + Length(FLookupEntry));
  SetSelLength(std::max(0, Length(Text()) - Length(FLookupEntry)));
}

// ---------------------------------------------------------------------------------------------
// The list in the popup

template <class C, class I, class L>
void TListDropDown<C, I, L>::CreateDropDownForm() {
  TExCustomDropDown::CreateDropDownForm();
  TDropDownForm* f = DropDownForm();
  if (!f) return;
  if (!FExColGrid) {
    FExColGrid = new L(this);
    FExColGrid->SetParent(f);
  }
  FExColGrid->SetExDropDown(static_cast<typename L::TDropDown*>(this));
  FExColGrid->SetBounds(0, 0, FExColGrid->Width(), 180);
  FExColGrid->SetColor(DropDownColor());
  FExColGrid->SetDoubleBuffered(true);
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::PlaceDropDownControl() {
  if (FExColGrid) SetControl(FExColGrid);
  TExCustomDropDown::PlaceDropDownControl();
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::CopyLookToList() {
  L* g = FExColGrid;
  for (Integer i = 0; i < FColumns->Count() && i < g->ColCount(); ++i) g->SetColWidths(i, FColumns->Items(i)->Width());
  g->AssignLook(*this);
  g->SetImages(Images());
  g->SetDefaultRowHeight(FDropDownRowHeight);
  g->SetRowHeights(0, FHeaderHeight);
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::AutoSizeItemColumns() {
  L* g = FExColGrid;
  if (!g || g->Parent() != DropDownForm()) return;
  TCanvas* canvas = g->Canvas();
  C* columns = g->Columns();
  TImageList* images = g->Images();
  for (Integer c = 0; c < columns->Count(); ++c) {
    auto* column = columns->Items(c);
    if (!column->AutoSize()) continue;
    canvas->Font()->Assign(column->Font());
    Integer widest = 0;
    // An item without a text for the column keeps the image index of the item before.
    Integer imageIndex = -1;
    for (Integer i = 0; i < FItems->Count(); ++i) {
      auto* item = FItems->Items(i);
      String text;
      if (item->Text()->Count() > c) {
        imageIndex = item->ImageIndex();
        text = item->Text()->Strings(c);
      }
      Integer w = 0;
      if (column->ColumnType() == ctImage && imageIndex >= 0 && images) w += images->Width() + 4;
      if (!text.empty()) {
        TRect r = Rect(0, 0, 1000, 500);
        DrawText(canvas, text, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        w += r.Width() + 6;
      }
      widest = std::max(widest, w);
    }
    if (c < g->ColCount()) g->SetColWidths(c, widest);
    column->SetWidth(widest);
  }
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::WrapRowHeights() {
  L* g = FExColGrid;
  if (!g || g->Parent() != DropDownForm()) return;
  C* columns = g->Columns();
  bool wrapping = false;
  for (Integer c = 0; c < columns->Count(); ++c) wrapping = wrapping || columns->Items(c)->Wordwrap();
  if (!wrapping) return;
  TCanvas* canvas = g->Canvas();
  TImageList* images = g->Images();
  // Row r reads item r - 1; a row without an item (grid mode with fewer items) keeps its height.
  for (Integer i = 0; i < FItems->Count() && i + 1 < g->RowCount(); ++i) {
    auto* item = FItems->Items(i);
    Integer h = 24;
    for (Integer c = 0; c < columns->Count(); ++c) {
      auto* column = columns->Items(c);
      if (!column->Wordwrap()) continue;
      Integer cell = 0;
      if (column->ColumnType() == ctImage && item->ImageIndex() >= 0 && images) cell = images->Height() + 6;
      const String text = ItemText(item, c);
      if (!text.empty()) {
        canvas->Font()->Assign(column->Font());
        TRect r = Rect(0, 0, c < g->ColCount() ? g->ColWidths(c) : column->Width(), 500);
        DrawText(canvas, text, r, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        cell = std::max(cell, r.Height() + 6);
      }
      h = std::max(h, cell);
    }
    g->SetRowHeights(i + 1, h);
  }
}

// ---------------------------------------------------------------------------------------------
// Sizing

template <class C, class I, class L>
Integer TListDropDown<C, I, L>::ListContentWidth() const {
  L* g = FExColGrid;
  if (!g) return 0;
  Integer w = 0;  // the list has no border
  for (Integer c = 0; c < g->ColCount(); ++c) w += g->ColWidths(c);
  if (g->VisibleRowCount() + g->FixedRows() != g->RowCount()) w += GetSystemMetrics(SM_CXVSCROLL);
  return w;
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::FitColumns() {
  L* g = FExColGrid;
  TDropDownForm* f = DropDownForm();
  if (!FColumnSizeWithDropDown || !g || !f) return;
  g->SetScrollBars(ssVertical);
  C* columns = g->Columns();
  if (columns->Count() == 0) return;
  std::vector<Integer> widths;
  for (Integer c = 0; c < columns->Count(); ++c) widths.push_back(columns->Items(c)->Width());
  Integer avail = f->Width();
  if (g->VisibleRowCount() < g->RowCount() - g->FixedRows()) avail -= GetSystemMetrics(SM_CXVSCROLL);
  const std::vector<Integer> fitted = FitColumnWidths(widths, avail);
  for (Integer c = 0; c < static_cast<Integer>(fitted.size()) && c < g->ColCount(); ++c)
    g->SetColWidths(c, fitted[static_cast<size_t>(c)]);
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::UpdateDropDownSize() {
  TExCustomDropDown::UpdateDropDownSize();
  TDropDownForm* f = DropDownForm();
  if (!FDropDownAutoWidth || !f || !FExColGrid) return;
  const TAlign align = FExColGrid->Align();
  FExColGrid->SetAlign(alNone);
  f->SetWidth(ListContentWidth() + 2 * DropDownBorderWidth());
  FExColGrid->SetAlign(align == alNone ? alNone : alClient);
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::AdjustDropDownHeight(Integer& Height) {
  Integer bands = 0;
  if (DropDownHeader()->Visible()) bands += DropDownHeader()->Height();
  if (DropDownFooter()->Visible()) bands += DropDownFooter()->Height();
  Height = SnapDropDownHeight(Height, bands, FHeaderHeight, FDropDownRowHeight);
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::DropDownSizing() {
  TExCustomDropDown::DropDownSizing();
  FitColumns();
}

// ---------------------------------------------------------------------------------------------
// Colour styles

template <class C, class I, class L>
void TListDropDown<C, I, L>::SetSelectionColorStyle(TSelectionColorStyle Value) {
  ExListDropDownStyle::PresetLineColors(Value, FLineColor, FFixedLineColor);
  TExCustomDropDown::SetSelectionColorStyle(Value);
}

template <class C, class I, class L>
void TListDropDown<C, I, L>::ApplyListStyle(TNorvStyle AStyle, bool WithOffice2010) {
  if (const auto* s = ExListDropDownStyle::FindListStyle(AStyle, WithOffice2010))
    ExListDropDownStyle::ApplyListStyle(this, *s);
}

}  // namespace ExListDropDown
