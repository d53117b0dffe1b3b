#include "platform/gui/ActnList.h"

#include <algorithm>

#include "platform/gui/Graphics.h"

// --- TBasicAction -------------------------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
  for (TBasicActionLink* link : FClients) link->ActionFreed();
  FClients.clear();
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) {
  if (std::find(FClients.begin(), FClients.end(), Link) == FClients.end()) FClients.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), Link), FClients.end());
}

void TBasicAction::Change() {
  // A link's handler may drop its link: walk a copy.
  const std::vector<TBasicActionLink*> links = FClients;
  for (TBasicActionLink* link : links)
    if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
}

// --- TBasicActionLink ---------------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() {
  if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = Value;
  if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent*) { return FAction && FAction->Execute(); }

void TBasicActionLink::Change() {
  if (OnChange) OnChange(FAction);
}

// --- TCustomAction ------------------------------------------------------------------------------

TCustomAction::TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TCustomAction::~TCustomAction() { SetActionList(nullptr); }

namespace {

// Each link of the action sees the new value before the action takes it.
template <typename F>
void ForEachLink(const std::vector<TBasicActionLink*>& Clients, F Apply) {
  const std::vector<TBasicActionLink*> links = Clients;
  for (TBasicActionLink* l : links)
    if (auto* link = dynamic_cast<TActionLink*>(l)) Apply(*link);
}

}  // namespace

void TCustomAction::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  ForEachLink(FClients, [&](TActionLink& L) { L.SetCaption(Value); });
  FCaption = Value;
}

void TCustomAction::SetChecked(bool Value) {
  if (Value == FChecked) return;
  ForEachLink(FClients, [&](TActionLink& L) { L.SetChecked(Value); });
  FChecked = Value;
  if (Value && FGroupIndex > 0 && FActionList) {
    for (TCustomAction* other : FActionList->FActions)
      if (other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
  }
}

void TCustomAction::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  ForEachLink(FClients, [&](TActionLink& L) { L.SetEnabled(Value); });
  FEnabled = Value;
}

void TCustomAction::SetVisible(bool Value) {
  if (Value == FVisible) return;
  ForEachLink(FClients, [&](TActionLink& L) { L.SetVisible(Value); });
  FVisible = Value;
}

void TCustomAction::SetHint(const String& Value) {
  if (Value == FHint) return;
  ForEachLink(FClients, [&](TActionLink& L) { L.SetHint(Value); });
  FHint = Value;
}

void TCustomAction::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  ForEachLink(FClients, [&](TActionLink& L) { L.SetImageIndex(Value); });
  FImageIndex = Value;
}

void TCustomAction::SetGroupIndex(Integer Value) {
  if (Value == FGroupIndex) return;
  ForEachLink(FClients, [&](TActionLink& L) { L.SetGroupIndex(Value); });
  FGroupIndex = Value;
}

void TCustomAction::SetActionList(TCustomActionList* Value) {
  if (Value == FActionList) return;
  if (FActionList) {
    auto& v = FActionList->FActions;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  FActionList = Value;
  if (FActionList) FActionList->FActions.push_back(this);
  Change();
}

bool TCustomAction::Execute() { return FEnabled && TBasicAction::Execute(); }

// --- TCustomActionList --------------------------------------------------------------------------

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomActionList::~TCustomActionList() {
  SetImages(nullptr);
  for (TCustomAction* a : FActions) a->FActionList = nullptr;
}

void TCustomActionList::SetImages(TImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

// --- TActionLink --------------------------------------------------------------------------------

bool TActionLink::IsCaptionLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() const { return CustomAction() != nullptr; }
