// The image picker: a drop-down editor whose value is one of its image items. Its edit accepts no
// typing and paints the selected item's picture, or its image from the editor's image list, centred
// in the text area. Its popup hosts an item selector in image mode showing every item's image and
// caption in Columns columns. Items come from the image list or from the picture files of a folder.
#pragma once

#include <functional>
#include <memory>

#include "components/dropdown/ExColorPickerDropDown.h"
#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExItemSelector.h"
#include "platform/gui/ExtCtrls.h"

class TImageItem : public TCollectionItem {
 public:
  explicit TImageItem(TCollection* Collection);
  ~TImageItem() override;
  String ClassName() const override { return u"TImageItem"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // Stores the caption without the change notification.
  void SetCaptionQuiet(const String& Value) { FCaption = Value; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value) { FImage->Assign(Value); }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }

 private:
  String FCaption;
  Integer FImageIndex = -1;
  bool FEnabled = true;
  std::unique_ptr<TPicture> FImage;
  TRect FRect;
  String FHint;
};

class TImageItems : public TCollection {
 public:
  explicit TImageItems(TPersistent* AOwner);
  String ClassName() const override { return u"TImageItems"; }
  TImageItem* Add();
  TImageItem* Insert(Integer Index);
  TImageItem* GetItem(Integer Index) const { return static_cast<TImageItem*>(TCollection::GetItem(Index)); }
  TImageItem* Items(Integer Index) const { return GetItem(Index); }
  void SetItem(Integer Index, TImageItem* Value) { TCollection::SetItem(Index, Value); }
  void DoChange();

  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

class TExImagePickerDropDown : public TExCustomDropDown {
 public:
  explicit TExImagePickerDropDown(TComponent* AOwner);
  ~TExImagePickerDropDown() override;
  String ClassName() const override { return u"TExImagePickerDropDown"; }
  void BeforeDestruction() override;

  TImageItems* Items() const { return FItems.get(); }
  void SetItems(TImageItems* Value) { FItems->Assign(Value); }
  Integer ItemIndex() const { return FItemIndex; }
  // Ignored when unchanged or at or beyond the item count; otherwise repaints, fires the edit's
  // OnChange and then OnSelect.
  void SetItemIndex(Integer Value);
  // The selected item's ImageIndex (-1 without selection); the write selects the first item with
  // that ImageIndex, or none.
  Integer ImageIndex() const;
  void SetImageIndex(Integer Value);
  Integer Columns() const { return FColumns; }
  void SetColumns(Integer Value) { FColumns = Value; }
  TItemLayout Layout() const { return FLayout; }
  void SetLayout(TItemLayout Value) { FLayout = Value; }
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }

  // One item per image of Images, with ImageIndex 0 .. count - 1 and empty captions.
  void AddImagesFromImageList();
  // One item per directory entry the file search finds for AFolder (a path ending in a file mask)
  // with every kind of entry, in the order found; with SetImageCaption the caption is the file name.
  void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);
  // Appends an item with the picture of a file; an entry that cannot be loaded leaves an item with
  // an empty picture.
  void AddImageFile(const String& FileName, bool SetImageCaption);

  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();

  TExCustomItemSelector* ItemSelector() const { return FItemSelector; }
  const String& CurSearch() const { return FCurSearch; }
  TTimer* KeyTimer() const { return FKeyTimer; }

  TNotifyEvent OnSelect;
  TOnDrawSelectedItem OnDrawSelectedImage;
  TDrawItemEvent OnDrawItem;

  // Hooks.
  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool CancelChanges) override;
  void SelectNextValue() override;
  void SelectPreviousValue() override;
  void PaintSelectedValue() override;
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  void SetComponentStyle(TNorvStyle AStyle) override;

 protected:
  void WMPaint(TMessage& M) override;
  void WMKeyDown(TMessage& M) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void UpdateList();
  // Brings a closed popup's list up to the items and the selection before keys or the wheel
  // drive it: it is filled only when the popup is prepared, and both may have changed since.
  void SyncClosedList();
  void CopyItemsToList();
  void ListItemSelected(TObject* Sender);
  void ResetSearch(TObject* Sender);
  void ItemsChanged(TObject* /*Sender*/) {}
  void PaintSelectedImage();
  void ApplyListTarget(Integer Target);

  // The list keys shared with the other list picker.
  friend struct TPickerListKeys;

  TExCustomItemSelector* FItemSelector = nullptr;
  Integer FColumns = 1;
  TItemLayout FLayout = ilCaptionRight;
  std::unique_ptr<TImageItems> FItems;
  Integer FItemIndex = -1;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FInternalCall = false;
  TTimer* FKeyTimer = nullptr;
  String FCurSearch;
  Integer FOldItemIndex = -1;
};
