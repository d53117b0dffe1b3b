// Typing into a list drop-down whose lookup column completes the edit text (the multi-column
// drop-down and the grid drop-down): text written by the program is taken as it is, typed text
// is completed from the lookup list with the completed tail selected, Enter takes the entry the
// text names (and moves on as Tab where Enter is Tab), Esc puts back the entry of the text, and
// a completion found while typing becomes the current item at the key's release. Also the lookup
// list built from the items and the item a text names. Included only by those two drop-downs'
// sources; a friend of each, so it reaches their members of the same names.
#pragma once

#include <algorithm>

#include "components/dropdown/ExMultiColumnDropDown.h"

struct TLookupTyping {
  // Writes Value as the program's own text: Change completes nothing for it.
  template <class D>
  static void SetOwnText(D* d, const String& Value) {
    const bool was = d->FOwnText;
    d->FOwnText = true;
    d->TExCustomDropDown::SetText(Value);
    d->FOwnText = was;
  }

  // Completes the typed part of the edit text from the lookup list.
  template <class D>
  static void Complete(D* d) {
    const String text = d->Text();
    d->SetModified(!text.empty());
    const Integer lp = Length(d->Prefix());
    const ExMultiColumnDropDown::TLookupCompletion c = ExMultiColumnDropDown::CompleteFromLookup(
        text, d->SelStart() - lp, d->FLookupItems.get(), d->FMatchCase);
    if (!c.Changed) return;
    if (c.Matched) d->FItemIndex = c.Index;
    d->SetText(c.Text);
    // The completed tail is selected; typing on replaces it.
    d->SetSelStart(lp + c.KeyLength);
    d->SetSelLength(Length(c.Text) - c.KeyLength);
    if (c.Matched) {
      d->FItemIdx = c.Index;
      d->FItemSel = c.KeyLength;
      d->FItemChange = true;
    }
  }

  // A key pressed in the edit: Enter and Esc against the lookup list, then the base's handling.
  template <class D>
  static void KeyDown(D* d, Word& Key, TShiftState Shift) {
    if (d->FItems->Count() == 0 || d->FLookupColumn < 0) {
      d->TExCustomDropDown::KeyDown(Key, Shift);
      return;
    }
    const Word key = Key;
    d->FWorkMode = !(key == VK_BACK || key == VK_ESCAPE || key == VK_DELETE);
    if (key == VK_RETURN) {
      const Integer i = d->FLookupItems->IndexOf(d->Text());
      if (i >= 0) {
        d->SetText(d->FLookupItems->Strings(i));
        d->SetItemIndex(i);
        // The change steps once more, as for a text written by the program: nothing to complete.
        const bool was = d->FOwnText;
        d->FOwnText = true;
        d->Change();
        d->FOwnText = was;
      }
      if (d->ReturnIsTab()) {
        // Enter moves on as Tab would: the key goes through the form's dialog-key handling.
        if (d->Visible()) PostMessage(d->Handle(), CN_KEYDOWN, VK_TAB, 0);
        Key = 0;
      }
    }
    if (Key != 0) d->TExCustomDropDown::KeyDown(Key, Shift);
    if (key == VK_ESCAPE) d->SetItemIndex(d->FLookupItems->IndexOf(d->Text()));
  }

  // Enter is no character where it moves on as Tab.
  template <class D>
  static void KeyPress(D* d, Char& Key) {
    if (d->ReturnIsTab() && Key == u'\r') {
      Key = 0;
      return;
    }
    d->TExCustomDropDown::KeyPress(Key);
  }

  // The completion found while typing becomes the current item, its tail still selected.
  template <class D>
  static void TakePendingCompletion(D* d) {
    if (!d->FItemChange) return;
    const Integer item = d->FItemIdx;
    const Integer sel = d->FItemSel;
    d->SetItemIndex(item);
    const Integer lp = Length(d->Prefix());
    d->SetSelStart(lp + sel);
    d->SetSelLength(std::max(0, Length(d->Text()) - sel));
    d->FItemChange = false;
  }

  // Fills the lookup list from the items' texts in the lookup column.
  template <class D>
  static void RebuildLookup(D* d) {
    if (d->FLookupColumn < 0 || d->FItems->Count() == 0) return;
    d->FLookupItems->Clear();
    for (Integer i = 0; i < d->FItems->Count(); ++i)
      d->FLookupItems->Add(ItemText(d->FItems->Items(i), d->FLookupColumn));
  }

  // The first item whose text in the lookup column is Value, or -1. An item without a text in the
  // lookup column counts as one with an empty text.
  template <class D>
  static Integer ItemOfText(const D* d, const String& Value) {
    if (d->FLookupColumn < 0) return -1;
    for (Integer i = 0; i < d->FItems->Count(); ++i)
      if (ItemText(d->FItems->Items(i), d->FLookupColumn) == Value) return i;
    return -1;
  }
};
