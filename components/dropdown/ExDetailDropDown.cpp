// The detail picker: its items, the completion of typed text, the list drawn row by row in the
// popup, and its keys.
#include "components/dropdown/ExDetailDropDown.h"

#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// Items

void TDetailItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TDetailItem*>(Source)) {
    AssignPictureItem(*src);
    FNotes = src->FNotes;
    FTag = src->FTag;
    FItemObject = src->FItemObject;
    return;
  }
  TCollectionItem::Assign(Source);
}

Integer TDetailItems::IndexOf(const String& AValue) const {
  for (Integer i = 0; i < Count(); ++i)
    if (Items(i)->Caption() == AValue) return i;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Completion

TAutoCompletion AutoCompleteText(const String& Text, Integer SelStart, const std::vector<String>& Captions,
                                 bool MatchCase) {
  TAutoCompletion r;
  const size_t typedLen = static_cast<size_t>(std::clamp<Integer>(SelStart, 0, static_cast<Integer>(Text.size())));
  const String typed = Text.substr(0, typedLen);
  String key;
  CaseText(typed, MatchCase, key);
  if (!key.empty()) {
    for (size_t i = 0; i < Captions.size(); ++i) {
      String caption;
      CaseText(Captions[i], MatchCase, caption);
      if (caption.compare(0, key.size(), key) != 0) continue;
      r.Matched = true;
      r.Index = static_cast<Integer>(i);
      String text = Text.substr(0, key.size()) + Captions[i].substr(std::min(key.size(), Captions[i].size()));
      if (text.size() > 255) text.resize(255);
      r.Text = text;
      r.SelStart = static_cast<Integer>(key.size());
      r.SelLength = static_cast<Integer>(text.size() - key.size());
      r.Changed = true;
      return r;
    }
  }
  if (!typed.empty()) {
    r.Text = typed;
    r.SelStart = static_cast<Integer>(typed.size());
    r.Changed = true;
  }
  return r;
}

// ---------------------------------------------------------------------------------------------
// Construction

TExDetailDropDown::TExDetailDropDown(TComponent* AOwner) : TListPickerDropDown(AOwner) {
  FItems = std::make_unique<TDetailItems>(this);
  FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
  FCaptionFont = std::make_unique<TFont>();
  FCaptionFont->Assign(Font());
  FNotesFont = std::make_unique<TFont>();
  FNotesFont->Assign(Font());
  // The popup exists from construction, with its list.
  CreateDropDownForm();
  SetEditorEnabled(true);
  CreateKeyTimer();
}

TExDetailDropDown::~TExDetailDropDown() {
  FCaptionFont.reset();
  FNotesFont.reset();
  FItems.reset();
}

// ---------------------------------------------------------------------------------------------
// The list in the popup

void TExDetailDropDown::CreateDropDownForm() {
  TExCustomDropDown::CreateDropDownForm();
  PlaceListSelector(stImage, [this] {
    FItemSelector->SetDoubleBuffered(true);
    FItemSelector->OnDrawItem = [this](TObject* Sender, TCanvas* Canvas, TRect R, Integer Index) {
      DrawDetailItem(Sender, Canvas, R, Index);
    };
    FItemSelector->OnItemSize = [this](TObject* Sender, TSize& Size) { MeasureItem(Sender, Size); };
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->OnResize = [this](TObject* Sender) { SelectorResized(Sender); };
  });
}

void TExDetailDropDown::SelectorResized(TObject* /*Sender*/) {
  if (!FItemSelector) return;
  // The rows' width depends on the vertical scroll bar, which the layout itself shows or hides:
  // when it did, the rows are measured once more.
  const bool bar = FItemSelector->VertScrollBar()->IsScrollBarVisible();
  FItemSelector->UpdateSelectorPanel();
  if (FItemSelector->VertScrollBar()->IsScrollBarVisible() != bar) FItemSelector->UpdateSelectorPanel();
}

void TExDetailDropDown::CopyItemsToList() {
  TSelectorItems* list = FItemSelector->Items();
  list->Clear();
  for (Integer i = 0; i < FItems->Count(); ++i) {
    TDetailItem* src = FItems->Items(i);
    TSelectorItem* item = list->Add();
    item->SetCaption(src->Caption());
    item->SetImage(src->Image());
    item->SetImageIndex(src->ImageIndex());
  }
}

void TExDetailDropDown::UpdateList() {
  if (!FItemSelector) return;
  BeginListUpdate(1);
  FItemSelector->SetItemAppearance(FItemAppearance.get());
  CopyItemsToList();
  FinishListUpdate();
}

void TExDetailDropDown::BeforeDropDown() {
  TExCustomDropDown::BeforeDropDown();
  UpdateList();
  FOldItemIndex = FItemIndex;
}

void TExDetailDropDown::DoShowDropDown() {
  TExCustomDropDown::DoShowDropDown();
  if (DroppedDown() && FItemSelector && FItemSelector->CanFocus()) FItemSelector->SetFocus();
}

void TExDetailDropDown::UpdateDropDownSize() {
  if (FItemSelector) {
    FItemSelector->SetAlign(alNone);
    if (DropDownWidth() <= 0) FItemSelector->SetWidth(Width());
    if (DropDownHeight() <= 0) FItemSelector->SetHeight(100);
  }
  TExCustomDropDown::UpdateDropDownSize();
}

void TExDetailDropDown::DoHideDropDown(bool CancelChanges) {
  TDropDownForm* form = DropDownForm();
  const bool wasVisible = form && form->Visible();
  TExCustomDropDown::DoHideDropDown(CancelChanges);
  if (CancelChanges && wasVisible && FOldItemIndex != -1) SetItemIndex(FOldItemIndex);
}

void TExDetailDropDown::DropDownSizing() {
  TExCustomDropDown::DropDownSizing();
  if (FItemSelector) FItemSelector->UpdateSelectorPanel();
}

void TExDetailDropDown::MeasureItem(TObject* /*Sender*/, TSize& ASize) {
  Integer width = DropDownWidth();
  if (width <= 0) width = DropDownForm() ? DropDownForm()->Width() : Width();
  if (FItemSelector && FItemSelector->VertScrollBar()->IsScrollBarVisible()) width -= GetSystemMetrics(SM_CXVSCROLL);
  width -= 2 * GetSystemMetrics(SM_CXBORDER);
  width -= 4;
  ASize = TSize(width, FItemHeight);
}

void TExDetailDropDown::DrawDetailItem(TObject* /*Sender*/, TCanvas* ACanvas, TRect R, Integer Index) {
  if (OnDrawSelectedImage) {
    OnDrawSelectedImage(this, ACanvas, R);
    return;
  }
  if (Index < 0 || Index >= FItems->Count()) return;
  TDetailItem* item = FItems->Items(Index);
  const bool hasCaption = !item->Caption().empty();
  TGraphic* g = item->Image()->Graphic();
  if (g && !g->Empty()) {
    const Integer w = g->Width(), h = g->Height();
    const Integer x = hasCaption ? R.Left + 2 : R.Left + (R.Width() - w) / 2;
    if (auto* bmp = dynamic_cast<TBitmap*>(g)) {
      bmp->SetTransparentMode(tmAuto);
      bmp->SetTransparent(true);
    }
    ACanvas->Draw(x, R.Top + (R.Height() - h) / 2, g);
    R.Left += w + 4;
  } else if (Images() && item->ImageIndex() >= 0) {
    TImageList* list = Images();
    const Integer x = hasCaption ? R.Left + 2 : R.Left + (R.Width() - list->Width()) / 2;
    list->Draw(ACanvas, x, R.Top + (R.Height() - list->Height()) / 2, item->ImageIndex(), true);
    R.Left += list->Width() + 4;
  }
  const bool hot = FItemSelector && FItemSelector->ItemHot() == Index;
  const bool selected = FItemIndex == Index;
  auto stateColor = [&](TFont* f) {
    if (hot) f->SetColor(FItemAppearance->ColorHotText());
    if (selected) f->SetColor(FItemAppearance->ColorSelectedText());
  };
  ACanvas->Font()->Assign(FCaptionFont.get());
  stateColor(ACanvas->Font());
  ACanvas->Brush()->SetStyle(bsClear);
  R = Rect(R.Left + 4, R.Top + 2, R.Right - 4, R.Bottom);
  TRect T = R;
  DrawText(ACanvas, item->Caption(), T, DT_END_ELLIPSIS | DT_NOPREFIX);
  if (item->Notes().empty()) return;
  R.Top += ACanvas->TextHeight(u"gh");
  ACanvas->Font()->Assign(FNotesFont.get());
  stateColor(ACanvas->Font());
  TSize size;
  DrawHtmlItemText(ACanvas, item->Notes(), R, Images(), true, FItemSelector ? FItemSelector->Handle() : 0, size);
}

void TExDetailDropDown::ListItemSelected(TObject* /*Sender*/) {
  if (!FItemSelector) return;
  const Integer index = FItemSelector->ItemIndex();
  SetItemIndex(index);
  if (index >= 0 && index < FItems->Count()) SetOwnText(FItems->Items(index)->Caption());
  SelectAll();
  if (!FInternalCall) DoHideDropDown(false);
}

// ---------------------------------------------------------------------------------------------
// Selection

// Text written by the program (the caller or the picker itself) is taken as it is: only typing
// is completed.
void TExDetailDropDown::SetText(const String& Value) {
  const bool was = FOwnText;
  FOwnText = true;
  TExCustomDropDown::SetText(Value);
  FOwnText = was;
}

void TExDetailDropDown::SetOwnText(const String& Value) {
  const bool was = FOwnText;
  FOwnText = true;
  SetText(Value);
  FOwnText = was;
}

void TExDetailDropDown::SetItemIndex(Integer Value) {
  if (Value == FItemIndex) return;
  if (Value >= 0 && Value < FItems->Count()) {
    FItemIndex = Value;
    SetOwnText(FItems->Items(Value)->Caption());
    SelectAll();
    Invalidate();
    if (FItemSelector) FItemSelector->Invalidate();
    if (OnSelect) OnSelect(this);
  } else if (Value == -1) {
    SetOwnText(String());
    FItemIndex = -1;
  }
}

// ---------------------------------------------------------------------------------------------
// Typing

void TExDetailDropDown::Change() {
  FItemChange = false;
  TExCustomDropDown::Change();
  if (FOwnText || !FWorkMode || HasState(csDesigning)) return;
  const String text = EditText();
  SetModified(!text.empty());
  std::vector<String> captions;
  captions.reserve(static_cast<size_t>(FItems->Count()));
  for (Integer i = 0; i < FItems->Count(); ++i) captions.push_back(FItems->Items(i)->Caption());
  const TAutoCompletion c = AutoCompleteText(text, SelStart(), captions, FMatchCase);
  if (c.Matched) {
    FItemIndex = c.Index;
    FItemIdx = c.Index;
    FItemSel = c.SelStart;
    FItemChange = true;
  }
  if (!c.Changed) return;
  const bool was = FOwnText;
  FOwnText = true;
  if (c.Text != text) SetRawText(c.Text);
  SetSelStart(c.SelStart);
  if (c.SelLength > 0) SetSelLength(c.SelLength);
  FOwnText = was;
}

void TExDetailDropDown::KeyDown(Word& Key, TShiftState Shift) {
  if (FItems->Count() == 0) {
    TExCustomDropDown::KeyDown(Key, Shift);
    return;
  }
  const Word key = Key;
  switch (key) {
    case VK_BACK:
    case VK_ESCAPE:
    case VK_DELETE: FWorkMode = false; break;
    case VK_RETURN: {
      const Integer i = FItems->IndexOf(Text());
      if (i >= 0) {
        SetOwnText(FItems->Items(i)->Caption());
        SetItemIndex(i);
        Change();
      }
      break;
    }
    default: FWorkMode = true; break;
  }
  TExCustomDropDown::KeyDown(Key, Shift);
  if (key == VK_ESCAPE) {
    const Integer i = FItems->IndexOf(Text());
    if (i >= 0) SetItemIndex(i);
  }
}

void TExDetailDropDown::KeyUp(Word& Key, TShiftState Shift) {
  TExCustomDropDown::KeyUp(Key, Shift);
  if (FItemChange) {
    SetItemIndex(FItemIdx);
    FItemChange = false;
  }
}

void TExDetailDropDown::WMKeyDown(TMessage& M) {
  TWMKey k{M};
  const Word key = k.CharCode();
  const bool alt = GetKeyState(VK_MENU) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (Enabled() && !alt) {
    // With typing in the edit, the typed characters are completed from the captions, which is
    // the search: a search of its own would put the whole caption of its find into the edit for
    // the character to overwrite, and the completion would start over from it. The list keeps
    // the entries of the last opening.
    TListKeyRules rules;
    rules.EditCompletes = true;
    rules.SyncBeforeSearch = false;
    rules.RepaintAfterRowKey = true;
    ListKey(key, ctrl, false, rules);
    // While the popup is open the list's moving keys are the picker's alone.
    if (DroppedDown() && (key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_UP ||
                          key == VK_RIGHT || key == VK_DOWN)) {
      M.WParam = 0;
      M.Result = 1;
      return;
    }
  }
  TExCustomDropDown::WMKeyDown(M);
}

// ---------------------------------------------------------------------------------------------
// Hooks: the wheel

void TExDetailDropDown::SelectNextValue() {
  if (!DroppedDown() || !FItemSelector) {
    SelectNext();
    return;
  }
  const Integer current = FItemSelector->ItemIndex();
  const Integer target = current < 0 ? 0 : current + 1;
  if (target < FItemSelector->Items()->Count()) ApplyListTarget(target);
  Invalidate();
}

void TExDetailDropDown::SelectPreviousValue() {
  if (!DroppedDown() || !FItemSelector) {
    SelectPrevious();
    return;
  }
  const Integer current = FItemSelector->ItemIndex();
  const Integer target = current < 0 ? 0 : current - 1;
  if (target >= 0 && target < FItemSelector->Items()->Count()) ApplyListTarget(target);
  Invalidate();
}
