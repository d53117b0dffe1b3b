// The component: an object with an owner that frees it, a name, a state, and notifications when
// components it refers to go away. Also the class registry (a class name to a factory).
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

KP_DECLARE_EXCEPTION(EComponentError, Exception)
KP_DECLARE_EXCEPTION(EClassNotFound, Exception)

enum TOperation { opInsert, opRemove };

// Component states, as bits of TComponentState.
enum TComponentStateFlag : uint32_t {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,
  csAncestor = 1u << 5,
  csUpdating = 1u << 6,
  csFixups = 1u << 7,
  csFreeNotification = 1u << 8,
  csInline = 1u << 9,
  csDesignInstance = 1u << 10,
};
using TComponentState = uint32_t;

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  String ClassName() const override { return u"TComponent"; }

  // Frees the component: runs BeforeDestruction while the whole object still exists (so owned
  // components and notifications see a complete owner), then deletes it. Safe on nullptr.
  static void Free(TComponent* c);
  void Free() { Free(this); }

  TComponent* Owner() const { return FOwner; }
  Integer ComponentCount() const { return static_cast<Integer>(FComponents.size()); }
  // Raises EListError for an index outside the list.
  TComponent* Components(Integer index) const;
  Integer ComponentIndex() const;
  TComponent* FindComponent(const String& name) const;
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);
  // Frees the owned components, newest first.
  void DestroyComponents();

  const String& Name() const { return FName; }
  // Raises EComponentError for a name that is not an identifier or that a sibling already uses.
  virtual void SetName(const String& name);
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t v) { FTag = v; }

  TComponentState ComponentState() const { return FComponentState; }
  bool HasState(TComponentStateFlag f) const { return (FComponentState & f) != 0; }
  void SetDesigning(bool v);
  // Marks the component and everything it owns as loading; EndLoading clears it and calls Loaded
  // on each, owner first. Forms built in code call Loaded this way once their controls exist.
  void BeginLoading();
  void EndLoading();

  // Asks that Notification(this, opRemove) reach c when this component is freed.
  void FreeNotification(TComponent* c);
  void RemoveFreeNotification(TComponent* c);

  virtual void BeforeDestruction();

 protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void Loaded();
  // Called once when destruction starts.
  virtual void Destroying();
  void SetComponentStateFlag(TComponentStateFlag f, bool on);

 private:
  void Insert(TComponent* c);
  void Remove(TComponent* c);
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  String FName;
  intptr_t FTag = 0;
  TComponentState FComponentState = 0;
  bool FDestructionStarted = false;
};

// The class registry: a class name ("TButton") to a factory that creates an instance for an owner.
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
void RegisterClass(const String& className, TComponentFactory factory);
// The factory, or an empty function when the name is not registered.
TComponentFactory GetClass(const String& className);
// The factory; raises EClassNotFound "Class %s not found" when the name is not registered.
TComponentFactory FindClass(const String& className);
