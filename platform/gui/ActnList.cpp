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

// Writes one property of the action: each link sees the new value before the action takes it.
// False when the value was already there.
template <typename T, typename Setter>
bool WriteLinked(const std::vector<TBasicActionLink*>& Clients, T& Field, const T& Value, Setter Write) {
  if (Value == Field) return false;
  const std::vector<TBasicActionLink*> links = Clients;
  for (TBasicActionLink* l : links)
    if (auto* link = dynamic_cast<TActionLink*>(l)) (link->*Write)(Value);
  Field = Value;
  return true;
}

}  // namespace

void TCustomAction::SetCaption(const String& Value) { WriteLinked(FClients, FCaption, Value, &TActionLink::SetCaption); }

void TCustomAction::SetChecked(bool Value) {
  if (!WriteLinked(FClients, FChecked, Value, &TActionLink::SetChecked)) return;
  if (Value && FGroupIndex > 0 && FActionList) {
    for (TCustomAction* other : FActionList->FActions)
      if (other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
  }
}

void TCustomAction::SetEnabled(bool Value) { WriteLinked(FClients, FEnabled, Value, &TActionLink::SetEnabled); }
void TCustomAction::SetVisible(bool Value) { WriteLinked(FClients, FVisible, Value, &TActionLink::SetVisible); }
void TCustomAction::SetHint(const String& Value) { WriteLinked(FClients, FHint, Value, &TActionLink::SetHint); }
void TCustomAction::SetImageIndex(Integer Value) {
  WriteLinked(FClients, FImageIndex, Value, &TActionLink::SetImageIndex);
}
void TCustomAction::SetGroupIndex(Integer Value) {
  WriteLinked(FClients, FGroupIndex, Value, &TActionLink::SetGroupIndex);
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
