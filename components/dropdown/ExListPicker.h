// What the list pickers have alike: the colour picker (in its list style), the image picker and the
// detail picker each show their entries in an item selector in the popup.
//
// Their items: a caption that notifies the collection, an enabled flag, and for the image and
// detail items an image index (notifying too) and a picture of their own (TPickerItemT,
// TPictureItemT, the collection TPickerItemsT of ExDropDown.h, which the selector panels' item
// lists use too).
//
// The pickers stand on TListPickerDropDown: the list in the popup, its refresh, the list's choice,
// the selection colour style and component style of the list, the 500 ms timer that ends a typed
// search, the steps over the entries (first, last, next, previous), a target entry of the open
// list, the list keys (paging, first and last, rows, type-ahead), the wheel step, the list's sizing
// and the popup widened for it, and the value painted in the edit.
#pragma once

#include <functional>
#include <memory>

#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExItemSelector.h"
#include "platform/gui/ExtCtrls.h"

// ---------------------------------------------------------------------------------------------
// Items
// ---------------------------------------------------------------------------------------------

// An entry of a picker with the collection class C: a caption whose change notifies the collection
// (C::DoChange) and an enabled flag.
template <class C>
class TPickerItemT : public TCollectionItem {
 public:
  explicit TPickerItemT(TCollection* Collection) : TCollectionItem(Collection) {}

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) {
    if (Value == FCaption) return;
    FCaption = Value;
    Changed();
  }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }

 protected:
  // Tells the collection of a change.
  void Changed() {
    if (auto* items = dynamic_cast<C*>(this->Collection())) items->DoChange();
  }

  String FCaption;
  bool FEnabled = true;
};

// An entry with an image: an index into the picker's image list (notifying on a change) and a
// picture of its own.
template <class C>
class TPictureItemT : public TPickerItemT<C> {
 public:
  explicit TPictureItemT(TCollection* Collection)
      : TPickerItemT<C>(Collection), FImage(std::make_unique<TPicture>()) {}

  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    this->Changed();
  }
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value) { FImage->Assign(Value); }

 protected:
  // Caption and ImageIndex through their writes, the picture and the enabled flag of Source.
  void AssignPictureItem(const TPictureItemT& Source) {
    this->SetCaption(Source.FCaption);
    SetImageIndex(Source.FImageIndex);
    SetImage(Source.FImage.get());
    this->FEnabled = Source.FEnabled;
  }

  Integer FImageIndex = -1;
  std::unique_ptr<TPicture> FImage;
};

// ---------------------------------------------------------------------------------------------
// The picker
// ---------------------------------------------------------------------------------------------

class TListPickerDropDown : public TExCustomDropDown {
 public:
  ~TListPickerDropDown() override;
  void BeforeDestruction() override;

  Integer ItemIndex() const { return FItemIndex; }
  virtual void SetItemIndex(Integer Value) = 0;
  TItemLayout Layout() const { return FLayout; }
  void SetLayout(TItemLayout Value) { FLayout = Value; }
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }

  // The list in the popup (nullptr until made), the typed search text and its timer.
  TExCustomItemSelector* ItemSelector() const { return FItemSelector; }
  const String& CurSearch() const { return FCurSearch; }
  TTimer* KeyTimer() const { return FKeyTimer; }

  TNotifyEvent OnSelect;

  // The base's, then the list's selection colours.
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  // The base's, then the item appearance's colours.
  void SetComponentStyle(TNorvStyle AStyle) override;
  // The base's painting, then the picker's value.
  void PaintSelectedValue() override;

 protected:
  explicit TListPickerDropDown(TComponent* AOwner);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WMPaint(TMessage& M) override;

  // The number of the picker's entries.
  virtual Integer EntryCount() const = 0;
  // Fills the list from the entries and marks the current one.
  virtual void UpdateList() = 0;
  // The list's choice becomes the picker's; a choice by the user closes the popup.
  virtual void ListItemSelected(TObject* Sender);
  // Paints the picker's value in the edit (nothing here).
  virtual void PaintValue() {}

  // Makes the timer whose pause after typing ends the search text.
  void CreateKeyTimer();
  // Makes the list once (Made sets up a new one), in Type, and makes it the popup's control.
  void PlaceListSelector(TSelectorType Type, const std::function<void()>& Made = {});
  // The start of a list refresh (its choice event off; the columns, images, layout and colour)
  // and its end (the panel laid out, the current entry marked, the choice event on).
  void BeginListUpdate(Integer Columns);
  void FinishListUpdate();
  // Draws the list's entries by Event (read at every drawing) while it is assigned at the opening.
  void DrawListItemsBy(const TDrawItemEvent* Event);
  // Brings a closed popup's list up to the entries and the selection before keys or the wheel
  // drive it: it is filled only when the popup is prepared, and both may have changed since.
  void SyncClosedList();

  // The entry steps on the closed picker.
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  // Marks the list's entry Target and scrolls it into view, without closing the popup.
  void ApplyListTarget(Integer Target);
  // The pause after typing ends the search text.
  void ResetSearch(TObject* Sender);
  // Enter in the open popup takes the list's hot entry: true when it did.
  bool TakeHotEntry(Word Key);
  // Where a picker's list keys differ from the colour and image pickers'.
  struct TListKeyRules {
    // The edit completes typed text from the entries and owns Enter: Enter searches as any other
    // key, a typed key searches only while the edit takes no typing, and Home / End on the
    // closed picker move the choice only then.
    bool EditCompletes = false;
    // A closed popup's list is brought up to date before a typed key searches it.
    bool SyncBeforeSearch = true;
    // The editor is repainted after Up / Down in the open list.
    bool RepaintAfterRowKey = false;
  };
  // The list keys: Enter fires OnSelect unless it took the hot entry, Page Up/Down move by a
  // visible page, Home/End go to the first or last entry, Up/Down move by a row of FColumns
  // entries, Left/Right step inside the open list when the edit is read only, and typed
  // characters extend the search text; Rules say where the picker differs.
  void ListKey(Word Key, bool Ctrl, bool EnterHandled, const TListKeyRules& Rules);
  void ListKey(Word Key, bool Ctrl, bool EnterHandled) { ListKey(Key, Ctrl, EnterHandled, TListKeyRules()); }
  // A typed key (Ctrl not held) extends the search text.
  void SearchKey(Word Key, bool Ctrl, const TListKeyRules& Rules);
  // The steps of those keys: Page Up / Page Down move a visible page in the list (brought up to
  // date first); in the open list, Home / End go to its first or last entry, Up / Down by a row of
  // FColumns entries, Left / Right to the previous or next entry; a typed character extends the
  // search text.
  void PageKey(Word Key);
  void FirstLastInList(Word Key);
  void RowKeyInList(Word Key);
  void StepInList(Word Key);
  void TypeAhead(Word Key);
  // A wheel step: the hot entry moves in the open list, the chosen one in the closed picker.
  void WheelStep(bool Next);
  // Sizes the list to its panel of entries where the popup has no size of its own.
  void FitListToPanel();
  // Widens the sized popup by the list's vertical scroll bar and, where the popup takes the
  // list's width, by its frame.
  void WidenForList();

  TExCustomItemSelector* FItemSelector = nullptr;
  Integer FColumns = 1;
  TItemLayout FLayout = ilCaptionRight;
  Integer FItemIndex = -1;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FInternalCall = false;
  TTimer* FKeyTimer = nullptr;
  String FCurSearch;
  Integer FOldItemIndex = -1;
};
