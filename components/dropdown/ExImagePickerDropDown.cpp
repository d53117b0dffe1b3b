// The image picker: its items, filling them from an image list or a folder, the list in the popup,
// the picture painted in the edit, and its keys.
#include "components/dropdown/ExImagePickerDropDown.h"

#include <algorithm>

#include "components/dropdown/ExPickerListKeys.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// Items

TImageItem::TImageItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>()) {}

TImageItem::~TImageItem() = default;

void TImageItem::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  if (auto* items = dynamic_cast<TImageItems*>(Collection())) items->DoChange();
}

void TImageItem::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  if (auto* items = dynamic_cast<TImageItems*>(Collection())) items->DoChange();
}

void TImageItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TImageItem*>(Source)) {
    SetCaption(src->FCaption);
    SetImageIndex(src->FImageIndex);
    SetImage(src->FImage.get());
    FEnabled = src->FEnabled;
    FHint = src->FHint;
    return;
  }
  TCollectionItem::Assign(Source);
}

TImageItems::TImageItems(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return new TImageItem(c); }), FOwner(AOwner) {}

TImageItem* TImageItems::Add() { return static_cast<TImageItem*>(TCollection::Add()); }

TImageItem* TImageItems::Insert(Integer Index) { return static_cast<TImageItem*>(TCollection::Insert(Index)); }

void TImageItems::DoChange() {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// Construction

TExImagePickerDropDown::TExImagePickerDropDown(TComponent* AOwner) : TExCustomDropDown(AOwner) {
  FItems = std::make_unique<TImageItems>(this);
  FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
  FItemAppearance = std::make_unique<TItemAppearance>(this);
  // The popup exists from construction, with its list.
  CreateDropDownForm();
  SetEditorEnabled(false);
  FKeyTimer = new TTimer(this);
  FKeyTimer->SetEnabled(false);
  FKeyTimer->SetInterval(500);
  FKeyTimer->OnTimer = [this](TObject* Sender) { ResetSearch(Sender); };
  SetCursor(crArrow);
}

TExImagePickerDropDown::~TExImagePickerDropDown() {
  FItems.reset();
  FItemAppearance.reset();
}

void TExImagePickerDropDown::BeforeDestruction() {
  if (FKeyTimer) FKeyTimer->SetEnabled(false);
  TExCustomDropDown::BeforeDestruction();
}

void TExImagePickerDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TExCustomDropDown::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FItemSelector) FItemSelector = nullptr;
  if (AComponent == FKeyTimer) FKeyTimer = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Filling

void TExImagePickerDropDown::AddImagesFromImageList() {
  TImageList* images = Images();
  if (!images) return;
  for (Integer i = 0; i < images->Count(); ++i) FItems->Add()->SetImageIndex(i);
}

void TExImagePickerDropDown::AddImageFile(const String& FileName, bool SetImageCaption) {
  TImageItem* item = FItems->Add();
  try {
    item->Image()->LoadFromFile(FileName);
    if (SetImageCaption) item->SetCaptionQuiet(ExtractFileName(FileName));
  } catch (...) {
    item->Image()->Assign(nullptr);
  }
}

void TExImagePickerDropDown::AddImagesFromFolder(const String& AFolder, bool SetImageCaption) {
  const String folder = ExtractFilePath(AFolder);
  TSearchRec rec;
  if (FindFirst(AFolder, 255, rec) == 0) {
    do {
      AddImageFile(folder + rec.Name, SetImageCaption);
    } while (FindNext(rec) == 0);
  }
  FindClose(rec);
}

// ---------------------------------------------------------------------------------------------
// The list in the popup

void TExImagePickerDropDown::CreateDropDownForm() {
  TExCustomDropDown::CreateDropDownForm();
  if (!DropDownForm()) return;
  if (!FItemSelector) {
    FItemSelector = new TExCustomItemSelector(this);
    FItemSelector->SetParent(DropDownForm());
    FItemSelector->SetSelectorType(stImage);
    FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
  }
  FItemSelector->SetColor(DropDownColor());
  FItemSelector->UpdateSelectorPanel();
  SetControl(FItemSelector);
}

void TExImagePickerDropDown::CopyItemsToList() {
  TSelectorItems* list = FItemSelector->Items();
  list->Clear();
  for (Integer i = 0; i < FItems->Count(); ++i) {
    TImageItem* src = FItems->Items(i);
    TSelectorItem* item = list->Add();
    item->SetCaption(src->Caption());
    item->SetImage(src->Image());
    item->SetImageIndex(src->ImageIndex());
    item->SetHint(src->Hint());
  }
}

void TExImagePickerDropDown::UpdateList() {
  if (!FItemSelector) return;
  FItemSelector->OnItemSelect = nullptr;
  FItemSelector->SetColumns(FColumns);
  FItemSelector->SetImages(Images());
  FItemSelector->SetItemLayout(FLayout);
  FItemSelector->SetColor(DropDownColor());
  FItemSelector->SetItemAppearance(FItemAppearance.get());
  CopyItemsToList();
  FItemSelector->UpdateSelectorPanel();
  FItemSelector->SetItemIndex(FItemIndex);
  FItemSelector->OnItemSelect = [this](TObject* Sender) { ListItemSelected(Sender); };
  FItemSelector->SetShowHint(ShowHint());
}

void TExImagePickerDropDown::SyncClosedList() {
  if (FItemSelector && !DroppedDown()) UpdateList();
}

void TExImagePickerDropDown::BeforeDropDown() {
  TExCustomDropDown::BeforeDropDown();
  UpdateList();
  if (FItemSelector) {
    if (OnDrawItem)
      FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, Integer Index) {
        if (OnDrawItem) OnDrawItem(this, Canvas, R, Index);
      };
    else
      FItemSelector->OnDrawItem = nullptr;
  }
  FOldItemIndex = FItemIndex;
}

void TExImagePickerDropDown::UpdateDropDownSize() {
  TPickerListKeys::FitListToPanel(this);
  TExCustomDropDown::UpdateDropDownSize();
  TPickerListKeys::WidenForList(this);
}

void TExImagePickerDropDown::DoHideDropDown(bool CancelChanges) {
  TDropDownForm* form = DropDownForm();
  const bool wasVisible = form && form->Visible();
  TExCustomDropDown::DoHideDropDown(CancelChanges);
  if (CancelChanges && wasVisible) SetItemIndex(FOldItemIndex);
}

void TExImagePickerDropDown::ListItemSelected(TObject* /*Sender*/) {
  TPickerListKeys::ListItemSelected(this);
}

void TExImagePickerDropDown::ApplyListTarget(Integer Target) {
  TPickerListKeys::ApplyListTarget(this, Target);
}

// ---------------------------------------------------------------------------------------------
// Selection

void TExImagePickerDropDown::SetItemIndex(Integer Value) {
  if (Value == FItemIndex || Value < -1 || Value >= FItems->Count()) return;
  FItemIndex = Value;
  Invalidate();
  Change();
  if (OnSelect) OnSelect(this);
}

Integer TExImagePickerDropDown::ImageIndex() const {
  if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return -1;
  return FItems->Items(FItemIndex)->ImageIndex();
}

void TExImagePickerDropDown::SetImageIndex(Integer Value) {
  for (Integer i = 0; i < FItems->Count(); ++i)
    if (FItems->Items(i)->ImageIndex() == Value) {
      SetItemIndex(i);
      return;
    }
  SetItemIndex(-1);
}

void TExImagePickerDropDown::SelectFirst() {
  TPickerListKeys::SelectFirst(this, FItems->Count());
}

void TExImagePickerDropDown::SelectLast() {
  TPickerListKeys::SelectLast(this, FItems->Count());
}

void TExImagePickerDropDown::SelectNext() {
  TPickerListKeys::SelectNext(this, FItems->Count());
}

void TExImagePickerDropDown::SelectPrevious() {
  TPickerListKeys::SelectPrevious(this, FItems->Count());
}

void TExImagePickerDropDown::ResetSearch(TObject* /*Sender*/) {
  TPickerListKeys::ResetSearch(this);
}

// ---------------------------------------------------------------------------------------------
// Hooks: wheel, styles, painting

void TExImagePickerDropDown::SelectNextValue() {
  if (!Enabled() || ReadOnly() || !FItemSelector) return;
  TPickerListKeys::WheelStep(this, true);
}

void TExImagePickerDropDown::SelectPreviousValue() {
  if (!Enabled() || ReadOnly() || !FItemSelector) return;
  TPickerListKeys::WheelStep(this, false);
}

void TExImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  TExCustomDropDown::SetSelectionColorStyle(Value);
  if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TExImagePickerDropDown::SetComponentStyle(TNorvStyle AStyle) {
  TExCustomDropDown::SetComponentStyle(AStyle);
  ItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TExImagePickerDropDown::PaintSelectedValue() {
  TExCustomDropDown::PaintSelectedValue();
  PaintSelectedImage();
}

void TExImagePickerDropDown::WMPaint(TMessage& M) {
  TExCustomDropDown::WMPaint(M);
  PaintSelectedImage();
}

void TExImagePickerDropDown::PaintSelectedImage() {
  TCanvas* c = FWindowImage.Canvas(this);
  const TRect R = FormattingRect();
  if (OnDrawSelectedImage) {
    OnDrawSelectedImage(this, c, R);
    return;
  }
  if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return;
  TImageItem* item = FItems->Items(FItemIndex);
  TGraphic* g = item->Image()->Graphic();
  if (g && !g->Empty()) {
    c->Draw(R.Left + (R.Width() - g->Width()) / 2, R.Top + (R.Height() - g->Height()) / 2, g);
  } else if (Images() && item->ImageIndex() >= 0) {
    TImageList* list = Images();
    list->Draw(c, R.Left + (R.Width() - list->Width()) / 2, R.Top + (R.Height() - list->Height()) / 2,
               item->ImageIndex(), true);
  }
}

// ---------------------------------------------------------------------------------------------
// Keys

void TExImagePickerDropDown::WMKeyDown(TMessage& M) {
  TWMKey k{M};
  const bool alt = GetKeyState(VK_MENU) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  bool enterHandled = false;
  if (Enabled() && DroppedDown() && k.CharCode() == VK_RETURN && FItemSelector && FItemSelector->ItemHot() >= 0) {
    FItemSelector->SetItemIndex(FItemSelector->ItemHot());
    enterHandled = true;
  }
  const Word key = k.CharCode();
  TExCustomDropDown::WMKeyDown(M);
  if (!Enabled() || alt) return;
  TPickerListKeys::Handle(this, key, ctrl, enterHandled, [this] { return FItems->Count(); });
}
