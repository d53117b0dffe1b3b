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
#include "components/dropdown/ExListPicker.h"

class TDetailItems;

class TDetailItem : public TPictureItemT<TDetailItems> {
 public:
  using TPictureItemT::TPictureItemT;
  String ClassName() const override { return u"TDetailItem"; }
  void Assign(TPersistent* Source) override;

  // The second text, mini-HTML.
  const String& Notes() const { return FNotes; }
  void SetNotes(const String& Value) { FNotes = Value; }
  // The caller's object (not owned) and value.
  TObject* ItemObject() const { return FItemObject; }
  void SetItemObject(TObject* Value) { FItemObject = Value; }
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }

 private:
  TRect FRect;
  String FNotes;
  TObject* FItemObject = nullptr;
  Integer FTag = 0;
};

class TDetailItems : public TPickerItemsT<TDetailItem> {
 public:
  using TPickerItemsT::TPickerItemsT;
  String ClassName() const override { return u"TDetailItems"; }
  void SetItems(Integer Index, TDetailItem* Value) { SetItem(Index, Value); }
  // The first item whose Caption equals AValue exactly (case-sensitive), -1 when none.
  Integer IndexOf(const String& AValue) const;
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

class TExDetailDropDown : public TListPickerDropDown {
 public:
  explicit TExDetailDropDown(TComponent* AOwner);
  ~TExDetailDropDown() override;
  String ClassName() const override { return u"TExDetailDropDown"; }

  TDetailItems* Items() const { return FItems.get(); }
  void SetItems(TDetailItems* Value) { FItems->Assign(Value); }
  // A different item index puts its caption into the edit, selects it and fires OnSelect; -1
  // empties the edit without an event.
  void SetItemIndex(Integer Value) override;
  Integer ItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value) { FItemHeight = Value; }
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  void SetCaptionFont(const TFont* Value) { FCaptionFont->Assign(Value); }
  TFont* NotesFont() const { return FNotesFont.get(); }
  void SetNotesFont(const TFont* Value) { FNotesFont->Assign(Value); }
  // The Text write; text written by the program is not completed.
  void SetText(const String& Value) override;
  bool MatchCase() const { return FMatchCase; }
  void SetMatchCase(bool Value) { FMatchCase = Value; }

  using TListPickerDropDown::SelectFirst;
  using TListPickerDropDown::SelectLast;
  using TListPickerDropDown::SelectNext;
  using TListPickerDropDown::SelectPrevious;

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

 protected:
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void WMKeyDown(TMessage& M) override;

  Integer EntryCount() const override { return FItems->Count(); }
  void UpdateList() override;
  void CopyItemsToList();
  // The list's choice becomes the picker's, its caption the edit's text, all selected.
  void ListItemSelected(TObject* Sender) override;
  void ItemsChanged(TObject* /*Sender*/) {}
  void MeasureItem(TObject* Sender, TSize& ASize);
  void DrawDetailItem(TObject* Sender, TCanvas* ACanvas, TRect R, Integer Index);
  void SelectorResized(TObject* Sender);
  // Writes the edit text as the picker's own change: the completion does not run on it.
  void SetOwnText(const String& Value);

  std::unique_ptr<TDetailItems> FItems;
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
