// Actions: a command with its caption, check state, enabled and visible state, hint, image and
// group, kept once and shared by every control linked to it. A control follows its action through
// an action link (TControlActionLink in Controls.h): the action's changes reach the control while
// the control still shows what the action showed before (the link's Is…Linked tests), and a click
// on a linked control without an OnClick of its own runs the action.
#pragma once

#include <memory>
#include <vector>

#include "platform/gui/Component.h"

class TBasicActionLink;
class TCustomActionList;
class TImageList;

// The command: OnExecute and the links of the controls that use it. Freeing it unlinks them.
class TBasicAction : public TComponent {
 public:
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;
  String ClassName() const override { return u"TBasicAction"; }

  // Runs OnExecute; true when it ran.
  virtual bool Execute();
  TNotifyEvent OnExecute;

  // The links that follow this action (kept by the links themselves).
  void RegisterChanges(TBasicActionLink* Link);
  void UnRegisterChanges(TBasicActionLink* Link);

 protected:
  // Tells every link that the action changed.
  void Change();
  std::vector<TBasicActionLink*> FClients;
};

// What ties a client (a control) to an action.
class TBasicActionLink {
 public:
  explicit TBasicActionLink(TObject* AClient) : FClientObject(AClient) {}
  virtual ~TBasicActionLink();
  TBasicActionLink(const TBasicActionLink&) = delete;
  TBasicActionLink& operator=(const TBasicActionLink&) = delete;

  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* Value);
  // Runs the action; false without one.
  virtual bool Execute(TComponent* AComponent = nullptr);
  // Fired when the action changed as a whole (another action, or Change of the action).
  TNotifyEvent OnChange;

 protected:
  friend class TBasicAction;
  virtual void Change();
  // The action is going: the link forgets it.
  void ActionFreed() { FAction = nullptr; }
  TObject* FClientObject;
  TBasicAction* FAction = nullptr;
};

// An action with the properties controls show. Writing one passes the new value to every link
// before the action takes it, so a link can tell whether its client still shows the old value.
class TCustomAction : public TBasicAction {
 public:
  explicit TCustomAction(TComponent* AOwner);
  ~TCustomAction() override;
  String ClassName() const override { return u"TCustomAction"; }

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  // Checking an action of a group (GroupIndex > 0) unchecks the others of its list in that group.
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  TCustomActionList* ActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* Value);

  // Runs OnExecute only while the action is enabled.
  bool Execute() override;

 private:
  friend class TCustomActionList;
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  String FHint;
  Integer FImageIndex = -1;
  Integer FGroupIndex = 0;
  TCustomActionList* FActionList = nullptr;
};

class TAction : public TCustomAction {
 public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
  String ClassName() const override { return u"TAction"; }
};

// A list of actions with the image list their ImageIndex refers to.
class TCustomActionList : public TComponent {
 public:
  explicit TCustomActionList(TComponent* AOwner);
  ~TCustomActionList() override;
  String ClassName() const override { return u"TCustomActionList"; }

  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  Integer ActionCount() const { return static_cast<Integer>(FActions.size()); }
  TCustomAction* Actions(Integer Index) const { return FActions[static_cast<size_t>(Index)]; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TCustomAction;
  TImageList* FImages = nullptr;
  std::vector<TCustomAction*> FActions;
};

class TActionList : public TCustomActionList {
 public:
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
  String ClassName() const override { return u"TActionList"; }
};

// A link to a TCustomAction: which of the action's properties reach the client, and how. The
// writers here do nothing; the client's link class writes what it links.
class TActionLink : public TBasicActionLink {
 public:
  explicit TActionLink(TObject* AClient) : TBasicActionLink(AClient) {}

  // Linked at all: the action is a TCustomAction.
  virtual bool IsCaptionLinked() const;
  virtual bool IsCheckedLinked() const;
  virtual bool IsEnabledLinked() const;
  virtual bool IsGroupIndexLinked() const;
  virtual bool IsHintLinked() const;
  virtual bool IsImageIndexLinked() const;
  virtual bool IsVisibleLinked() const;

  virtual void SetCaption(const String& Value) { (void)Value; }
  virtual void SetChecked(bool Value) { (void)Value; }
  virtual void SetEnabled(bool Value) { (void)Value; }
  virtual void SetGroupIndex(Integer Value) { (void)Value; }
  virtual void SetHint(const String& Value) { (void)Value; }
  virtual void SetImageIndex(Integer Value) { (void)Value; }
  virtual void SetVisible(bool Value) { (void)Value; }

 protected:
  TCustomAction* CustomAction() const { return dynamic_cast<TCustomAction*>(FAction); }
};
