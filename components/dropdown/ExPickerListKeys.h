// The keys of a picker whose entries are shown in an item selector (the colour picker in its list
// style and the image picker): Enter fires OnSelect unless it took the hot entry, Page Up/Down move
// by a visible page, Home/End go to the first or last entry, Up/Down move by a row of Columns
// entries, Left/Right step inside the open list when the edit is read only, and typed characters
// extend the search text. Also the steps those keys take (first, last, next and previous entry, a
// target row of the list), the list's choice and the search reset, which the detail picker shares
// too, and the sizing of the list and the popup around it. Included only by the pickers' sources;
// a friend of each picker, so it reaches their members of the same names.
#pragma once

#include <algorithm>

#include "components/dropdown/ExItemSelector.h"
#include "platform/gui/Forms.h"

struct TPickerListKeys {
  // Count returns the number of the picker's entries (read again after the list was refreshed).
  template <class P, class CountFn>
  static void Handle(P* p, Word key, bool ctrl, bool enterHandled, CountFn Count) {
    switch (key) {
      case VK_RETURN:
        if (!enterHandled && p->OnSelect) p->OnSelect(p);
        break;
      case VK_PRIOR:
      case VK_NEXT: {
        if (!p->FItemSelector) break;
        if (p->FItemSelector->Items()->Count() != Count())
          p->UpdateList();
        else
          p->SyncClosedList();
        const Integer n = p->FItemSelector->GetVisibleItemCount();
        if (n <= 0) break;
        const Integer current = p->FItemSelector->ItemIndex();
        if (key == VK_PRIOR)
          p->ApplyListTarget(std::max<Integer>(0, current - n));
        else
          p->ApplyListTarget(std::min<Integer>(Count() - 1, current + n));
        break;
      }
      case VK_HOME:
      case VK_END:
        if (p->DroppedDown() && p->FItemSelector) {
          p->FInternalCall = true;
          if (key == VK_HOME)
            p->FItemSelector->SelectFirst();
          else
            p->FItemSelector->SelectLast();
          p->FInternalCall = false;
        } else if (key == VK_HOME) {
          p->SelectFirst();
        } else {
          p->SelectLast();
        }
        break;
      case VK_UP:
      case VK_DOWN:
        if (p->DroppedDown() && p->FItemSelector) {
          const Integer current = p->FItemSelector->ItemIndex();
          const Integer target =
              current < 0 ? 0 : (key == VK_UP ? current - p->FColumns : current + p->FColumns);
          if (target >= 0) p->ApplyListTarget(target);
        } else if (key == VK_UP) {
          p->SelectPrevious();
        } else {
          p->SelectNext();
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
        if (p->DroppedDown() && !p->EditorEnabled() && p->FItemSelector) {
          p->FInternalCall = true;
          if (key == VK_LEFT)
            p->FItemSelector->SelectPrevious();
          else
            p->FItemSelector->SelectNext();
          p->FInternalCall = false;
        }
        break;
      case VK_SHIFT:
      case VK_CONTROL:
      case VK_MENU:
        // A modifier alone types nothing: it must not spoil the search text.
        break;
      default:
        if (ctrl || !p->FItemSelector) break;
        p->SyncClosedList();
        p->FCurSearch += static_cast<Char>(key);
        p->FInternalCall = true;
        p->FItemSelector->LookupItem(p->FCurSearch);
        p->FInternalCall = false;
        if (p->FKeyTimer && !p->FKeyTimer->Enabled()) p->FKeyTimer->SetEnabled(true);
        break;
    }
  }

  // The entry steps on the closed picker; Count is the number of its entries.
  template <class P>
  static void SelectFirst(P* p, Integer Count) {
    if (Count > 0) p->SetItemIndex(0);
  }

  template <class P>
  static void SelectLast(P* p, Integer Count) {
    if (Count > 0) p->SetItemIndex(Count - 1);
  }

  template <class P>
  static void SelectNext(P* p, Integer Count) {
    if (Count == 0) return;
    if (p->FItemIndex < 0)
      p->SetItemIndex(0);
    else if (p->FItemIndex + 1 < Count)
      p->SetItemIndex(p->FItemIndex + 1);
  }

  template <class P>
  static void SelectPrevious(P* p, Integer Count) {
    if (Count == 0) return;
    if (p->FItemIndex < 0)
      p->SetItemIndex(0);
    else if (p->FItemIndex - 1 >= 0)
      p->SetItemIndex(p->FItemIndex - 1);
  }

  // Marks the list's entry Target and scrolls it into view, without closing the popup.
  template <class P>
  static void ApplyListTarget(P* p, Integer Target) {
    if (!p->FItemSelector) return;
    p->FInternalCall = true;
    if (Target < p->FItemSelector->Items()->Count()) p->FItemSelector->SetItemIndex(Target);
    p->FItemSelector->ScrollItemInView(Target);
    p->FInternalCall = false;
  }

  // The list's choice becomes the picker's; a choice by the user closes the popup.
  template <class P>
  static void ListItemSelected(P* p) {
    if (!p->FItemSelector) return;
    p->SetItemIndex(p->FItemSelector->ItemIndex());
    if (!p->FInternalCall) p->DoHideDropDown(false);
  }

  // The pause after typing ends the search text.
  template <class P>
  static void ResetSearch(P* p) {
    if (p->FKeyTimer) p->FKeyTimer->SetEnabled(false);
    p->FCurSearch.clear();
  }

  // Sizes the list to its panel of entries where the popup has no size of its own.
  template <class P>
  static void FitListToPanel(P* p) {
    if (!p->FItemSelector) return;
    p->FItemSelector->SetAlign(alNone);
    TSize panel;
    p->FItemSelector->GetPanelSize(panel);
    if (p->DropDownWidth() < 1) p->FItemSelector->SetWidth(panel.cx);
    if (p->DropDownHeight() < 1) p->FItemSelector->SetHeight(panel.cy);
  }

  // Widens the sized popup by the list's vertical scroll bar and, where the popup takes the
  // list's width, by its frame.
  template <class P>
  static void WidenForList(P* p) {
    TDropDownForm* form = p->DropDownForm();
    if (!form || !p->FItemSelector) return;
    Integer extra = 0;
    if (p->FItemSelector->VertScrollBar()->IsScrollBarVisible()) extra += GetSystemMetrics(SM_CXVSCROLL);
    // The list sits inside the popup's frame: a popup only as wide as the list would cut it short
    // and show a horizontal scroll bar for the frame's width.
    if (p->DropDownWidth() < 1) extra += 2 * p->DropDownBorderWidth();
    if (extra > 0) form->SetWidth(form->Width() + extra);
  }

  // A wheel step over the list picker: the hot entry moves in the open list, the chosen one in the
  // closed picker.
  template <class P>
  static void WheelStep(P* p, bool Next) {
    if (p->DroppedDown()) {
      if (Next)
        p->FItemSelector->HotNext();
      else
        p->FItemSelector->HotPrevious();
      return;
    }
    p->SyncClosedList();
    p->FInternalCall = true;
    if (Next)
      p->FItemSelector->SelectNext();
    else
      p->FItemSelector->SelectPrevious();
    p->FInternalCall = false;
  }
};
