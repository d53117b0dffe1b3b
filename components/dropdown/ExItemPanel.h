// What the item selector's panel and the colour picker's grid of colour boxes have alike: items
// laid out in rows of equal cells from the panel's inset corner, a selected and a hot item whose
// changes repaint only the cells concerned, the mouse's hot tracking and choice, and moving the
// selection or the hot item by one.
#pragma once

#include <algorithm>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// TBase is the control the panel stands on; TPanel the panel itself, whose Items() (a collection
// of items with ItemRect, SetItemRect and Enabled) and Columns() the operations read.
template <class TBase, class TPanel>
class TItemPanelT : public TBase {
 public:
  Integer ItemIndex() const { return FItemIndex; }
  // Value is -1 or an item's index, else nothing happens; a disabled item is not selected. The
  // old selection is repainted plainly, the new one at once, and OnItemSelect fires (also when
  // the index is the current one).
  void SetItemIndex(Integer Value);
  Integer ItemHot() const { return FItemHot; }

  void SelectFirst() {
    if (ItemCount() > 0) SetItemIndex(0);
  }
  void SelectLast() {
    if (ItemCount() > 0) SetItemIndex(ItemCount() - 1);
  }
  // From no selection the first item; else the next one when there is one.
  void SelectNext() {
    if (const Integer i = NextIndex(FItemIndex); i >= 0) SetItemIndex(i);
  }
  // From no selection the first item where the panel's rule says so (else nothing); else the
  // previous one when there is one.
  void SelectPrevious() {
    if (const Integer i = PreviousIndex(FItemIndex); i >= 0) SetItemIndex(i);
  }
  // The same moves for the hot item.
  void HotNext() {
    if (const Integer i = NextIndex(FItemHot); i >= 0) SetItemHot(i);
  }
  void HotPrevious() {
    if (const Integer i = PreviousIndex(FItemHot); i >= 0) SetItemHot(i);
  }
  // The first item whose cell holds the point (panel coordinates), -1 when none.
  Integer ItemAtPos(Integer X, Integer Y) const;

  virtual void DrawItem(Integer Index, TCanvas* ACanvas) = 0;
  // The client rectangle inset by the panel's offsets.
  virtual void GetItemArea(TRect& R) {
    R = this->ClientRect();
    InflateRect(R, -FOffSetX, -FOffSetY);
  }
  virtual void GetItemSize(TSize& Size) = 0;
  virtual void InvalidateItem(Integer Index) = 0;
  virtual void UpdateLayout() = 0;

  TNotifyEvent OnItemSelect;

 protected:
  // Offset: the inset of the items' area on every side. PreviousFromNoneFirst: the previous
  // item from no selection (or no hot item) is the first item.
  TItemPanelT(TComponent* AOwner, Integer Offset, bool PreviousFromNoneFirst)
      : TBase(AOwner), FOffSetX(Offset), FOffSetY(Offset), FPreviousFromNoneFirst(PreviousFromNoneFirst) {}

  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TBase::MouseDown(Button, Shift, X, Y);
    const Integer i = ItemAtPos(X, Y);
    if (ItemEnabled(i)) SetItemIndex(i);
  }
  // Over another item it becomes hot (a disabled one clears the hot item instead) and
  // HotItemEntered runs; over no item the hot item is cleared.
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override {
    TBase::MouseMove(Shift, X, Y);
    const Integer i = ItemAtPos(X, Y);
    if (i == FItemHot) return;
    SetItemHot(ItemEnabled(i) ? i : -1);
    if (i >= 0) HotItemEntered(i);
  }
  void CMMouseLeave(TMessage& M) override {
    TBase::CMMouseLeave(M);
    SetItemHot(-1);
  }
  // Nothing for the hot item or a disabled item; otherwise the old hot item is repainted
  // plainly and the new one at once.
  void SetItemHot(Integer Index);

  Integer ItemCount() const {
    const auto* items = Panel()->Items();
    return items ? items->Count() : 0;
  }
  bool ValidIndex(Integer Index) const { return Index >= 0 && Index < ItemCount(); }
  bool ItemEnabled(Integer Index) const { return ValidIndex(Index) && Panel()->Items()->Items(Index)->Enabled(); }

  // Runs when an item becomes the selection, before it is painted and reported.
  virtual void ItemSelected(Integer /*Index*/) {}
  // Runs when the mouse comes over another item (Index >= 0), after the hot item is set.
  virtual void HotItemEntered(Integer /*Index*/) {}

  // Gives every item its cell: rows of Columns cells of the item size from the item area's
  // top-left corner, ColumnGap apart; a row holding an item (other than the last) for which
  // SpacedRow answers true is followed by ColumnGap as well. Clears the hot item. Answers the
  // content's extent with the area's inset added once more on the right and at the bottom.
  // Only for a panel with items.
  template <class TSpacedRow>
  TSize LayOutItemRows(Integer ColumnGap, TSpacedRow SpacedRow);
  // Erases the item's cell (grown by Overhang at the right and bottom) and paints the item
  // again in its state: the backing image keeps the other cells as they are.
  void RedrawItemCell(Integer Index, Integer Overhang);

  Integer FItemIndex = -1;
  Integer FItemHot = -1;
  Integer FOffSetX;
  Integer FOffSetY;

 private:
  const TPanel* Panel() const { return static_cast<const TPanel*>(this); }
  // The item a move by one comes to, -1 when it comes to none.
  Integer NextIndex(Integer From) const {
    const Integer next = From < 0 ? 0 : From + 1;
    return next < ItemCount() ? next : -1;
  }
  Integer PreviousIndex(Integer From) const {
    if (ItemCount() == 0) return -1;
    if (From < 0) return FPreviousFromNoneFirst ? 0 : -1;
    return From - 1;
  }

  const bool FPreviousFromNoneFirst;
};

template <class TBase, class TPanel>
void TItemPanelT<TBase, TPanel>::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= ItemCount()) return;
  if (Value >= 0 && !ItemEnabled(Value)) return;
  if (FItemIndex >= 0 && Value != FItemIndex) {
    const Integer old = FItemIndex;
    FItemIndex = -1;
    InvalidateItem(old);
  }
  FItemIndex = Value;
  if (Value < 0) return;
  ItemSelected(Value);
  DrawItem(Value, this->Canvas());
  if (OnItemSelect) OnItemSelect(this);
}

template <class TBase, class TPanel>
void TItemPanelT<TBase, TPanel>::SetItemHot(Integer Index) {
  if (Index == FItemHot) return;
  if (Index >= 0 && !ItemEnabled(Index)) return;
  if (FItemHot >= 0) {
    const Integer old = FItemHot;
    FItemHot = -1;
    InvalidateItem(old);
  }
  FItemHot = Index;
  if (Index >= 0) DrawItem(Index, this->Canvas());
}

template <class TBase, class TPanel>
Integer TItemPanelT<TBase, TPanel>::ItemAtPos(Integer X, Integer Y) const {
  for (Integer i = 0; i < ItemCount(); ++i)
    if (PtInRect(Panel()->Items()->Items(i)->ItemRect(), Point(X, Y))) return i;
  return -1;
}

template <class TBase, class TPanel>
template <class TSpacedRow>
TSize TItemPanelT<TBase, TPanel>::LayOutItemRows(Integer ColumnGap, TSpacedRow SpacedRow) {
  FItemHot = -1;
  TSize S;
  GetItemSize(S);
  TRect A;
  GetItemArea(A);
  Integer x = A.Left, y = A.Top, column = 0, widest = 0;
  bool spaced = false;
  const Integer columns = std::max<Integer>(1, Panel()->Columns());
  const Integer count = ItemCount();
  for (Integer i = 0; i < count; ++i) {
    Panel()->Items()->Items(i)->SetItemRect(Rect(x, y, x + S.cx, y + S.cy));
    ++column;
    if (i == count - 1) break;
    if (SpacedRow(i)) spaced = true;
    if (column < columns) {
      x += S.cx + ColumnGap;
    } else {
      widest = std::max(widest, x);
      y += S.cy;
      if (spaced) y += ColumnGap;
      spaced = false;
      x = A.Left;
      column = 0;
    }
  }
  return TSize(std::max(widest, x) + S.cx + A.Left, y + S.cy + A.Top);
}

template <class TBase, class TPanel>
void TItemPanelT<TBase, TPanel>::RedrawItemCell(Integer Index, Integer Overhang) {
  TCanvas* c = this->Canvas();
  TRect R = Panel()->Items()->Items(Index)->ItemRect();
  R.Right += Overhang;
  R.Bottom += Overhang;
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(this->FColor);
  c->FillRect(R);
  DrawItem(Index, c);
}
