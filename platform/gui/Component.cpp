#include "platform/gui/Component.h"

#include <algorithm>
#include <map>

namespace {

bool IsIdentifier(const String& s) {
  if (s.empty()) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    Char c = s[i];
    bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
    bool digit = c >= u'0' && c <= u'9';
    if (!(letter || (i > 0 && digit))) return false;
  }
  return true;
}

bool SameName(const String& a, const String& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    Char x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<Char>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<Char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::map<String, TComponentFactory>& Registry() {
  static std::map<String, TComponentFactory> r;
  return r;
}

String UpperKey(const String& s) {
  String r = s;
  for (auto& c : r)
    if (c >= u'a' && c <= u'z') c = static_cast<Char>(c - 32);
  return r;
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  // A component deleted directly (not through Free) still runs the destruction steps, as far as
  // its remaining parts allow.
  if (!FDestructionStarted) TComponent::BeforeDestruction();
}

void TComponent::Free(TComponent* c) {
  if (!c) return;
  if (!c->FDestructionStarted) c->BeforeDestruction();
  delete c;
}

void TComponent::BeforeDestruction() {
  if (FDestructionStarted) return;
  FDestructionStarted = true;
  Destroying();
  // Tell everyone who asked that this component is going.
  while (!FFreeNotifies.empty()) {
    TComponent* c = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& back = c->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    c->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (FComponentState & csDestroying) return;
  FComponentState |= csDestroying;
  for (TComponent* c : FComponents) c->Destroying();
}

TComponent* TComponent::Components(Integer index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError(u"List index out of bounds (" + Utf8ToString(std::to_string(index)) + u")");
  return FComponents[static_cast<size_t>(index)];
}

Integer TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& v = FOwner->FComponents;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<Integer>(it - v.begin());
}

TComponent* TComponent::FindComponent(const String& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameName(c->FName, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
  if (!c || c->FOwner == this) return;
  if (!c->FName.empty() && FindComponent(c->FName))
    throw EComponentError(u"A component named " + c->FName + u" already exists");
  if (c->FOwner) c->FOwner->RemoveComponent(c);
  Insert(c);
  Notification(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
  if (!c || c->FOwner != this) return;
  Notification(c, opRemove);
  Remove(c);
}

void TComponent::Insert(TComponent* c) {
  FComponents.push_back(c);
  c->FOwner = this;
}

void TComponent::Remove(TComponent* c) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), c), FComponents.end());
  c->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  // Newest first; each removes itself from this list while it is freed.
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    Remove(c);
    Notification(c, opRemove);
    Free(c);
  }
}

void TComponent::SetName(const String& name) {
  if (name == FName) return;
  if (!name.empty() && !IsIdentifier(name))
    throw EComponentError(u"\"" + name + u"\" is not a valid component name");
  if (!name.empty() && FOwner) {
    TComponent* other = FOwner->FindComponent(name);
    if (other && other != this)
      throw EComponentError(u"A component named " + name + u" already exists");
  }
  FName = name;
}

void TComponent::SetDesigning(bool v) {
  SetComponentStateFlag(csDesigning, v);
  for (TComponent* c : FComponents) c->SetDesigning(v);
}

void TComponent::BeginLoading() {
  FComponentState |= csLoading;
  for (TComponent* c : FComponents) c->BeginLoading();
}

void TComponent::EndLoading() {
  if (!(FComponentState & csLoading)) return;
  FComponentState &= ~static_cast<uint32_t>(csLoading);
  Loaded();
  // A Loaded handler may add components; take a copy of the list.
  std::vector<TComponent*> owned = FComponents;
  for (TComponent* c : owned) c->EndLoading();
}

void TComponent::Loaded() {}

void TComponent::FreeNotification(TComponent* c) {
  if (!c || c == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), c) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(c);
    c->FFreeNotifies.push_back(this);
  }
  FComponentState |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* c) {
  if (!c) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), c),
                      FFreeNotifies.end());
  c->FFreeNotifies.erase(std::remove(c->FFreeNotifies.begin(), c->FFreeNotifies.end(), this),
                         c->FFreeNotifies.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::SetComponentStateFlag(TComponentStateFlag f, bool on) {
  if (on)
    FComponentState |= f;
  else
    FComponentState &= ~static_cast<uint32_t>(f);
}

void RegisterClass(const String& className, TComponentFactory factory) {
  Registry()[UpperKey(className)] = std::move(factory);
}

TComponentFactory GetClass(const String& className) {
  auto it = Registry().find(UpperKey(className));
  return it == Registry().end() ? TComponentFactory() : it->second;
}

TComponentFactory FindClass(const String& className) {
  TComponentFactory f = GetClass(className);
  if (!f) throw EClassNotFound(u"Class " + className + u" not found");
  return f;
}
