// The image picker: a drop-down editor whose value is one of its image items. Its edit accepts no
// typing and paints the selected item's picture, or its image from the editor's image list, centred
// in the text area. Its popup hosts an item selector in image mode showing every item's image and
// caption in Columns columns. Items come from the image list or from the picture files of a folder.
#pragma once

#include <functional>
#include <memory>

#include "components/dropdown/ExColorPickerDropDown.h"
#include "components/dropdown/ExListPicker.h"

class TImageItems;

class TImageItem : public TPictureItemT<TImageItems> {
 public:
  using TPictureItemT::TPictureItemT;
  String ClassName() const override { return u"TImageItem"; }
  void Assign(TPersistent* Source) override;

  // Stores the caption without the change notification.
  void SetCaptionQuiet(const String& Value) { FCaption = Value; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }

 private:
  TRect FRect;
  String FHint;
};

class TImageItems : public TPickerItemsT<TImageItem> {
 public:
  using TPickerItemsT::TPickerItemsT;
  String ClassName() const override { return u"TImageItems"; }
  TImageItem* GetItem(Integer Index) const { return Items(Index); }
  void SetItem(Integer Index, TImageItem* Value) { TCollection::SetItem(Index, Value); }
};

class TExImagePickerDropDown : public TListPickerDropDown {
 public:
  explicit TExImagePickerDropDown(TComponent* AOwner);
  ~TExImagePickerDropDown() override;
  String ClassName() const override { return u"TExImagePickerDropDown"; }

  TImageItems* Items() const { return FItems.get(); }
  void SetItems(TImageItems* Value) { FItems->Assign(Value); }
  // Ignored when unchanged or at or beyond the item count; otherwise repaints, fires the edit's
  // OnChange and then OnSelect.
  void SetItemIndex(Integer Value) override;
  // The selected item's ImageIndex (-1 without selection); the write selects the first item with
  // that ImageIndex, or none.
  Integer ImageIndex() const;
  void SetImageIndex(Integer Value);
  Integer Columns() const { return FColumns; }
  void SetColumns(Integer Value) { FColumns = Value; }

  // One item per image of Images, with ImageIndex 0 .. count - 1 and empty captions.
  void AddImagesFromImageList();
  // One item per directory entry the file search finds for AFolder (a path ending in a file mask)
  // with every kind of entry, in the order found; with SetImageCaption the caption is the file name.
  void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);
  // Appends an item with the picture of a file; an entry that cannot be loaded leaves an item with
  // an empty picture.
  void AddImageFile(const String& FileName, bool SetImageCaption);

  using TListPickerDropDown::SelectFirst;
  using TListPickerDropDown::SelectLast;
  using TListPickerDropDown::SelectNext;
  using TListPickerDropDown::SelectPrevious;

  TOnDrawSelectedItem OnDrawSelectedImage;
  TDrawItemEvent OnDrawItem;

  // Hooks.
  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool CancelChanges) override;
  void SelectNextValue() override;
  void SelectPreviousValue() override;

 protected:
  void WMKeyDown(TMessage& M) override;

  Integer EntryCount() const override { return FItems->Count(); }
  void UpdateList() override;
  void CopyItemsToList();
  void ItemsChanged(TObject* /*Sender*/) {}
  // The selected item's picture, or its image of Images, centred in the edit.
  void PaintValue() override;

  std::unique_ptr<TImageItems> FItems;
};
