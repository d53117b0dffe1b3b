#include "platform/gui/Menus.h"

#include <algorithm>

#include "platform/gui/GuiInternal.h"
#include "platform/gui/MenusBackend.h"

namespace {
TPopupMenuRunner gRunner;
Word gNextCommand = 1;
}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(gNextCommand++) {}

TMenuItem::~TMenuItem() { TMenuItem::BeforeDestruction(); }

void TMenuItem::BeforeDestruction() {
  TComponent::BeforeDestruction();
  Clear();
  if (FParent) FParent->Remove(this);
}

void TMenuItem::SetChecked(bool v) {
  FChecked = v;
  // A checked radio item unchecks the others of its group.
  if (v && FRadioItem && FParent) {
    for (TMenuItem* m : FParent->FItems)
      if (m != this && m->FRadioItem && m->FGroupIndex == FGroupIndex) m->FChecked = false;
  }
}

TMenuItem* TMenuItem::Items(Integer Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(u"List index out of bounds (" + Utf8ToString(std::to_string(Index)) + u")");
  return FItems[static_cast<size_t>(Index)];
}

Integer TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(Integer Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) Item->FParent->Remove(Item);
  Index = std::clamp<Integer>(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Delete(Integer Index) {
  TMenuItem* m = Items(Index);
  Remove(m);
  TComponent::Free(m);
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
}

void TMenuItem::Clear() {
  while (!FItems.empty()) {
    TMenuItem* m = FItems.back();
    Remove(m);
    // Items owned by someone else are freed by their owner; ours go now.
    if (!m->Owner() || m->Owner() == this) TComponent::Free(m);
  }
}

Integer TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& Caption) const {
  for (TMenuItem* m : FItems)
    if (m->FCaption == Caption) return m;
  return nullptr;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) { FItems = new TMenuItem(this); }

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(Integer X, Integer Y) {
  if (OnPopup) OnPopup(this);
  TMenuItem* chosen = gRunner ? gRunner(this, TPoint(X, Y)) : MenusBackend::ExecPopup(this, TPoint(X, Y));
  if (OnClose) OnClose(this);
  if (chosen && chosen->Enabled()) chosen->Click();
}

void SetPopupMenuRunner(TPopupMenuRunner Runner) { gRunner = std::move(Runner); }

Integer TrackPopupMenu(const std::vector<TRawMenuEntry>& Entries, TPoint ScreenPos, TWinControl* Notify) {
  TPopupMenu menu(nullptr);
  for (const TRawMenuEntry& e : Entries) {
    auto* m = new TMenuItem(&menu);
    m->SetCaption(e.Caption);
    m->SetEnabled(e.Enabled);
    m->SetChecked(e.Checked);
    m->SetTag(e.Id);
    menu.Items()->Add(m);
  }
  TMenuItem* chosen = gRunner ? gRunner(&menu, ScreenPos) : MenusBackend::ExecPopup(&menu, ScreenPos);
  Integer id = chosen && chosen->Enabled() ? static_cast<Integer>(chosen->Tag()) : 0;
  if (id && Notify) Notify->Perform(WM_COMMAND, MakeWParam(id, 0), 0);
  return id;
}

namespace GuiInternal {

void PopupMenuAt(TPopupMenu* Menu, TPoint ScreenPos, TControl* Control) {
  if (!Menu || !Menu->AutoPopup()) return;
  Menu->SetPopupComponent(Control);
  Menu->Popup(ScreenPos.X, ScreenPos.Y);
}

}  // namespace GuiInternal
