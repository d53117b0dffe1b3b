// The detail picker: a drop-down editor for choosing one of a list of detail items, each with an
// image, a caption and a notes text. Its edit accepts typing: the typed text is completed from the
// item captions and Enter takes the item whose caption matches exactly. Its popup hosts an item
// selector of one column whose rows the picker draws itself: image, caption in CaptionFont and under
// it the notes as mini-HTML in NotesFont, each row ItemHeight pixels high and as wide as the popup.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "components/dropdown/ExColorPickerDropDown.h"
#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExItemSelector.h"
#include "platform/gui/ExtCtrls.h"

class TDetailItem : public TCollectionItem {
 public:
  explicit TDetailItem(TCollection* Collection);
  ~TDetailItem() override;
  String ClassName() const override { return u"TDetailItem"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value) { FImage->Assign(Value); }
  // The second text, mini-HTML.
  const String& Notes() const { return FNotes; }
  void SetNotes(const String& Value) { FNotes = Value; }
  // The caller's object (not owned) and value.
  TObject* ItemObject() const { return FItemObject; }
  void SetItemObject(TObject* Value) { FItemObject = Value; }
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }

 private:
  String FCaption;
  Integer FImageIndex = -1;
  bool FEnabled = true;
  std::unique_ptr<TPicture> FImage;
  TRect FRect;
  String FNotes;
  TObject* FItemObject = nullptr;
  Integer FTag = 0;
};

class TDetailItems : public TCollection {
 public:
  explicit TDetailItems(TPersistent* AOwner);
  String ClassName() const override { return u"TDetailItems"; }
  TDetailItem* Add();
  TDetailItem* Insert(Integer Index);
  TDetailItem* Items(Integer Index) const;
  void SetItems(Integer Index, TDetailItem* Value) { SetItem(Index, Value); }
  // The first item whose Caption equals AValue exactly (case-sensitive), -1 when none.
  Integer IndexOf(const String& AValue) const;
  void DoChange();

  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// The outcome of completing a typed text from a list of captions.
struct TAutoCompletion {
  bool Matched = false;   // a caption starts with the typed part
  Integer Index = -1;     // that caption's index
  String Text;            // the new edit text
  Integer SelStart = 0;   // the selection: the completed part after the typed part
  Integer SelLength = 0;
  bool Changed = false;   // the edit text is to be rewritten
};
// Completes Text, of which the first SelStart characters were typed: the first caption that starts
// with the typed part (upper-cased on both sides unless MatchCase) gives the typed part followed by
// the rest of that caption (at most 255 characters), the rest selected. Without a match the text is
// cut after the typed part. An empty typed part completes nothing.
TAutoCompletion AutoCompleteText(const String& Text, Integer SelStart, const std::vector<String>& Captions,
                                 bool MatchCase);

class TExDetailDropDown : public TExCustomDropDown {
 public:
  explicit TExDetailDropDown(TComponent* AOwner);
  ~TExDetailDropDown() override;
  String ClassName() const override { return u"TExDetailDropDown"; }
  void BeforeDestruction() override;

  TDetailItems* Items() const { return FItems.get(); }
  void SetItems(TDetailItems* Value) { FItems->Assign(Value); }
  Integer ItemIndex() const { return FItemIndex; }
  // A different item index puts its caption into the edit, selects it and fires OnSelect; -1
  // empties the edit without an event.
  void SetItemIndex(Integer Value);
  Integer ItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value) { FItemHeight = Value; }
  TItemLayout Layout() const { return FLayout; }
  void SetLayout(TItemLayout Value) { FLayout = Value; }
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  void SetCaptionFont(const TFont* Value) { FCaptionFont->Assign(Value); }
  TFont* NotesFont() const { return FNotesFont.get(); }
  void SetNotesFont(const TFont* Value) { FNotesFont->Assign(Value); }
  // The Text write; text written by the program is not completed.
  void SetText(const String& Value) override;
  bool MatchCase() const { return FMatchCase; }
  void SetMatchCase(bool Value) { FMatchCase = Value; }

  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();

  TExCustomItemSelector* ItemSelector() const { return FItemSelector; }
  const String& CurSearch() const { return FCurSearch; }
  TTimer* KeyTimer() const { return FKeyTimer; }

  TNotifyEvent OnSelect;
  // Draws each list row in place of the picker: the list's canvas and the row's rectangle.
  TOnDrawSelectedItem OnDrawSelectedImage;

  // Hooks.
  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void DoShowDropDown() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool CancelChanges) override;
  void DropDownSizing() override;
  void SelectNextValue() override;
  void SelectPreviousValue() override;
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  void SetComponentStyle(TNorvStyle AStyle) override;

 protected:
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void WMKeyDown(TMessage& M) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void UpdateList();
  void CopyItemsToList();
  void ListItemSelected(TObject* Sender);
  void ResetSearch(TObject* Sender);
  void ItemsChanged(TObject* /*Sender*/) {}
  void MeasureItem(TObject* Sender, TSize& ASize);
  void DrawDetailItem(TObject* Sender, TCanvas* ACanvas, TRect R, Integer Index);
  void SelectorResized(TObject* Sender);
  void ApplyListTarget(Integer Target);
  // The entry steps and the search reset shared with the other list pickers.
  friend struct TPickerListKeys;
  // Writes the edit text as the picker's own change: the completion does not run on it.
  void SetOwnText(const String& Value);

  TExCustomItemSelector* FItemSelector = nullptr;
  TItemLayout FLayout = ilCaptionRight;
  std::unique_ptr<TDetailItems> FItems;
  Integer FItemIndex = -1;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FInternalCall = false;
  TTimer* FKeyTimer = nullptr;
  String FCurSearch;
  Integer FOldItemIndex = -1;
  Integer FItemHeight = 22;
  std::unique_ptr<TFont> FCaptionFont;
  std::unique_ptr<TFont> FNotesFont;
  bool FWorkMode = true;
  bool FItemChange = false;
  Integer FItemIdx = -1;
  Integer FItemSel = 0;
  bool FMatchCase = false;
  bool FOwnText = false;
};
