// The image picker: its items, filling them from an image list or a folder, the list in the popup,
// the picture painted in the edit, and its keys.
#include "components/dropdown/ExImagePickerDropDown.h"

#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// Items

void TImageItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TImageItem*>(Source)) {
    AssignPictureItem(*src);
    FHint = src->FHint;
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// Construction

TExImagePickerDropDown::TExImagePickerDropDown(TComponent* AOwner) : TListPickerDropDown(AOwner) {
  FItems = std::make_unique<TImageItems>(this);
  FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
  // The popup exists from construction, with its list.
  CreateDropDownForm();
  SetEditorEnabled(false);
  CreateKeyTimer();
  SetCursor(crArrow);
}

TExImagePickerDropDown::~TExImagePickerDropDown() { FItems.reset(); }

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
  PlaceListSelector(stImage);
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
  BeginListUpdate(FColumns);
  FItemSelector->SetItemAppearance(FItemAppearance.get());
  CopyItemsToList();
  FinishListUpdate();
  FItemSelector->SetShowHint(ShowHint());
}

void TExImagePickerDropDown::BeforeDropDown() {
  TExCustomDropDown::BeforeDropDown();
  UpdateList();
  DrawListItemsBy(&OnDrawItem);
  FOldItemIndex = FItemIndex;
}

void TExImagePickerDropDown::UpdateDropDownSize() {
  FitListToPanel();
  TExCustomDropDown::UpdateDropDownSize();
  WidenForList();
}

void TExImagePickerDropDown::DoHideDropDown(bool CancelChanges) {
  TDropDownForm* form = DropDownForm();
  const bool wasVisible = form && form->Visible();
  TExCustomDropDown::DoHideDropDown(CancelChanges);
  if (CancelChanges && wasVisible) SetItemIndex(FOldItemIndex);
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

// ---------------------------------------------------------------------------------------------
// Hooks: wheel, painting

void TExImagePickerDropDown::SelectNextValue() {
  if (!Enabled() || ReadOnly() || !FItemSelector) return;
  WheelStep(true);
}

void TExImagePickerDropDown::SelectPreviousValue() {
  if (!Enabled() || ReadOnly() || !FItemSelector) return;
  WheelStep(false);
}

void TExImagePickerDropDown::PaintValue() {
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
  const bool enterHandled = TakeHotEntry(k.CharCode());
  const Word key = k.CharCode();
  TExCustomDropDown::WMKeyDown(M);
  if (!Enabled() || alt) return;
  ListKey(key, ctrl, enterHandled);
}
