// Menu items and popup menus. TPopupMenu::Popup blocks until the menu closes; the chosen item's
// OnClick runs before it returns. Tests replace the blocking part (SetPopupMenuRunner).
#pragma once

#include <functional>
#include <vector>

#include "platform/gui/Controls.h"

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  String ClassName() const override { return u"TMenuItem"; }
  void BeforeDestruction() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& v) { FCaption = v; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool v);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer v) { FImageIndex = v; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& v) { FHint = v; }
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool v) { FRadioItem = v; }
  Byte GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Byte v) { FGroupIndex = v; }
  bool Default() const { return FDefault; }
  void SetDefault(bool v) { FDefault = v; }
  // A caption of "-" makes a separator line.
  bool IsLine() const { return FCaption == u"-"; }
  // The id a raw menu reports for this item in WM_COMMAND.
  Word Command() const { return FCommand; }

  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  // Raises EListError for an index outside the list.
  TMenuItem* Items(Integer Index) const;
  TMenuItem* operator[](Integer Index) const { return Items(Index); }
  TMenuItem* Parent() const { return FParent; }
  Integer MenuIndex() const;
  void Add(TMenuItem* Item);
  void Insert(Integer Index, TMenuItem* Item);
  // Removes and frees the item at Index.
  void Delete(Integer Index);
  // Takes the item out of the list without freeing it.
  void Remove(TMenuItem* Item);
  void Clear();
  Integer IndexOf(const TMenuItem* Item) const;
  TMenuItem* Find(const String& Caption) const;

  TNotifyEvent OnClick;
  virtual void Click();

 private:
  String FCaption;
  String FHint;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  bool FDefault = false;
  Byte FGroupIndex = 0;
  Integer FImageIndex = -1;
  Word FCommand = 0;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  String ClassName() const override { return u"TPopupMenu"; }

  TMenuItem* Items() const { return FItems; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* v) { FImages = v; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool v) { FAutoPopup = v; }
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment v) { FAlignment = v; }
  // The control the menu was last shown for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* v) { FPopupComponent = v; }

  // Shows the menu at a screen point and returns when it closed; a chosen item's Click runs first.
  virtual void Popup(Integer X, Integer Y);

  TNotifyEvent OnPopup;
  TNotifyEvent OnClose;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TMenuItem* FItems;
  TImageList* FImages = nullptr;
  bool FAutoPopup = true;
  TPopupAlignment FAlignment = paLeft;
  TComponent* FPopupComponent = nullptr;
};

// Runs a popup menu at a screen point and returns the item chosen (nullptr when none). The default
// runner shows the backend's menu; tests install their own. nullptr restores the default.
using TPopupMenuRunner = std::function<TMenuItem*(TPopupMenu* Menu, TPoint ScreenPos)>;
void SetPopupMenuRunner(TPopupMenuRunner Runner);

// A raw menu: entries with the ids they report; "-" is a separator. Shows it at a screen point and
// returns the id chosen, 0 when none. With Notify set the id also goes as WM_COMMAND to Notify.
struct TRawMenuEntry {
  String Caption;
  Word Id = 0;
  bool Enabled = true;
  bool Checked = false;
};
Integer TrackPopupMenu(const std::vector<TRawMenuEntry>& Entries, TPoint ScreenPos,
                       TWinControl* Notify = nullptr);
