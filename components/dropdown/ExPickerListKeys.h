// The keys of a picker whose entries are shown in an item selector (the colour picker in its list
// style and the image picker): Enter fires OnSelect unless it took the hot entry, Page Up/Down move
// by a visible page, Home/End go to the first or last entry, Up/Down move by a row of Columns
// entries, Left/Right step inside the open list when the edit is read only, and typed characters
// extend the search text. Included only by the pickers' sources; a friend of each picker, so it
// reaches their members of the same names.
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
};
