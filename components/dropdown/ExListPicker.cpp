// The list pickers' shared behaviour: the list in the popup and its refresh, the list's choice,
// the typed search, the entry steps, the list keys, the wheel and the list's sizing.
#include "components/dropdown/ExListPicker.h"

#include <algorithm>

#include "platform/gui/Forms.h"

TListPickerDropDown::TListPickerDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FItemAppearance(std::make_unique<TItemAppearance>(this)) {}

TListPickerDropDown::~TListPickerDropDown() = default;

void TListPickerDropDown::BeforeDestruction() {
  if (FKeyTimer) FKeyTimer->SetEnabled(false);
  TExCustomDropDown::BeforeDestruction();
}

void TListPickerDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TExCustomDropDown::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FItemSelector) FItemSelector = nullptr;
  if (AComponent == FKeyTimer) FKeyTimer = nullptr;
}

void TListPickerDropDown::CreateKeyTimer() {
  FKeyTimer = new TTimer(this);
  FKeyTimer->SetEnabled(false);
  FKeyTimer->SetInterval(500);
  FKeyTimer->OnTimer = [this](TObject* Sender) { ResetSearch(Sender); };
}

// ---------------------------------------------------------------------------------------------
// The list in the popup

void TListPickerDropDown::PlaceListSelector(TSelectorType Type, const std::function<void()>& Made) {
  if (!DropDownForm()) return;
  if (!FItemSelector) {
    FItemSelector = new TExCustomItemSelector(this);
    FItemSelector->SetParent(DropDownForm());
    FItemSelector->SetSelectorType(Type);
    FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    if (Made) Made();
  }
  FItemSelector->SetColor(DropDownColor());
  FItemSelector->UpdateSelectorPanel();
  SetControl(FItemSelector);
}

void TListPickerDropDown::BeginListUpdate(Integer Columns) {
  FItemSelector->OnItemSelect = nullptr;
  FItemSelector->SetColumns(Columns);
  FItemSelector->SetImages(Images());
  FItemSelector->SetItemLayout(FLayout);
  FItemSelector->SetColor(DropDownColor());
}

void TListPickerDropDown::FinishListUpdate() {
  FItemSelector->UpdateSelectorPanel();
  FItemSelector->SetItemIndex(FItemIndex);
  FItemSelector->OnItemSelect = [this](TObject* Sender) { ListItemSelected(Sender); };
}

void TListPickerDropDown::DrawListItemsBy(const TDrawItemEvent* Event) {
  if (!FItemSelector) return;
  if (*Event)
    FItemSelector->OnDrawItem = [this, Event](TObject*, TCanvas* Canvas, TRect R, Integer Index) {
      if (*Event) (*Event)(this, Canvas, R, Index);
    };
  else
    FItemSelector->OnDrawItem = nullptr;
}

void TListPickerDropDown::SyncClosedList() {
  if (FItemSelector && !DroppedDown()) UpdateList();
}

void TListPickerDropDown::ListItemSelected(TObject* /*Sender*/) {
  if (!FItemSelector) return;
  SetItemIndex(FItemSelector->ItemIndex());
  if (!FInternalCall) DoHideDropDown(false);
}

void TListPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  TExCustomDropDown::SetSelectionColorStyle(Value);
  if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TListPickerDropDown::SetComponentStyle(TNorvStyle AStyle) {
  TExCustomDropDown::SetComponentStyle(AStyle);
  ItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TListPickerDropDown::PaintSelectedValue() {
  TExCustomDropDown::PaintSelectedValue();
  PaintValue();
}

void TListPickerDropDown::WMPaint(TMessage& M) {
  TExCustomDropDown::WMPaint(M);
  PaintValue();
}

// ---------------------------------------------------------------------------------------------
// Steps and keys

void TListPickerDropDown::SelectFirst() {
  if (EntryCount() > 0) SetItemIndex(0);
}

void TListPickerDropDown::SelectLast() {
  if (EntryCount() > 0) SetItemIndex(EntryCount() - 1);
}

void TListPickerDropDown::SelectNext() {
  if (EntryCount() == 0) return;
  if (FItemIndex < 0)
    SetItemIndex(0);
  else if (FItemIndex + 1 < EntryCount())
    SetItemIndex(FItemIndex + 1);
}

void TListPickerDropDown::SelectPrevious() {
  if (EntryCount() == 0) return;
  if (FItemIndex < 0)
    SetItemIndex(0);
  else if (FItemIndex - 1 >= 0)
    SetItemIndex(FItemIndex - 1);
}

void TListPickerDropDown::ApplyListTarget(Integer Target) {
  if (!FItemSelector) return;
  FInternalCall = true;
  if (Target < FItemSelector->Items()->Count()) FItemSelector->SetItemIndex(Target);
  FItemSelector->ScrollItemInView(Target);
  FInternalCall = false;
}

void TListPickerDropDown::ResetSearch(TObject* /*Sender*/) {
  if (FKeyTimer) FKeyTimer->SetEnabled(false);
  FCurSearch.clear();
}

bool TListPickerDropDown::TakeHotEntry(Word Key) {
  if (!Enabled() || !DroppedDown() || Key != VK_RETURN || !FItemSelector || FItemSelector->ItemHot() < 0) return false;
  FItemSelector->SetItemIndex(FItemSelector->ItemHot());
  return true;
}

void TListPickerDropDown::ListKey(Word Key, bool Ctrl, bool EnterHandled, const TListKeyRules& Rules) {
  const bool inList = DroppedDown() && FItemSelector;
  switch (Key) {
    case VK_RETURN:
      if (Rules.EditCompletes)
        SearchKey(Key, Ctrl, Rules);
      else if (!EnterHandled && OnSelect)
        OnSelect(this);
      break;
    case VK_PRIOR:
    case VK_NEXT: PageKey(Key); break;
    case VK_HOME:
    case VK_END:
      if (inList)
        FirstLastInList(Key);
      else if (Rules.EditCompletes && EditorEnabled())
        break;  // the edit moves its caret
      else if (Key == VK_HOME)
        SelectFirst();
      else
        SelectLast();
      break;
    case VK_UP:
    case VK_DOWN:
      if (inList) {
        RowKeyInList(Key);
        if (Rules.RepaintAfterRowKey) Invalidate();
      } else if (Key == VK_UP) {
        SelectPrevious();
      } else {
        SelectNext();
      }
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (inList && !EditorEnabled()) StepInList(Key);
      break;
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
      // A modifier alone types nothing: it must not spoil the search text.
      break;
    default: SearchKey(Key, Ctrl, Rules); break;
  }
}

void TListPickerDropDown::SearchKey(Word Key, bool Ctrl, const TListKeyRules& Rules) {
  if (Ctrl || !FItemSelector) return;
  if (Rules.EditCompletes && EditorEnabled()) return;
  if (Rules.SyncBeforeSearch) SyncClosedList();
  TypeAhead(Key);
}

void TListPickerDropDown::PageKey(Word Key) {
  if (!FItemSelector) return;
  if (FItemSelector->Items()->Count() != EntryCount())
    UpdateList();
  else
    SyncClosedList();
  const Integer n = FItemSelector->GetVisibleItemCount();
  if (n <= 0) return;
  const Integer current = FItemSelector->ItemIndex();
  if (Key == VK_PRIOR)
    ApplyListTarget(std::max<Integer>(0, current - n));
  else
    ApplyListTarget(std::min<Integer>(EntryCount() - 1, current + n));
}

void TListPickerDropDown::FirstLastInList(Word Key) {
  FInternalCall = true;
  if (Key == VK_HOME)
    FItemSelector->SelectFirst();
  else
    FItemSelector->SelectLast();
  FInternalCall = false;
}

void TListPickerDropDown::RowKeyInList(Word Key) {
  const Integer current = FItemSelector->ItemIndex();
  const Integer target = current < 0 ? 0 : (Key == VK_UP ? current - FColumns : current + FColumns);
  if (target >= 0) ApplyListTarget(target);
}

void TListPickerDropDown::StepInList(Word Key) {
  FInternalCall = true;
  if (Key == VK_LEFT)
    FItemSelector->SelectPrevious();
  else
    FItemSelector->SelectNext();
  FInternalCall = false;
}

void TListPickerDropDown::TypeAhead(Word Key) {
  FCurSearch += static_cast<Char>(Key);
  FInternalCall = true;
  FItemSelector->LookupItem(FCurSearch);
  FInternalCall = false;
  if (FKeyTimer && !FKeyTimer->Enabled()) FKeyTimer->SetEnabled(true);
}

void TListPickerDropDown::WheelStep(bool Next) {
  if (DroppedDown()) {
    if (Next)
      FItemSelector->HotNext();
    else
      FItemSelector->HotPrevious();
    return;
  }
  SyncClosedList();
  FInternalCall = true;
  if (Next)
    FItemSelector->SelectNext();
  else
    FItemSelector->SelectPrevious();
  FInternalCall = false;
}

// ---------------------------------------------------------------------------------------------
// Sizing

void TListPickerDropDown::FitListToPanel() {
  if (!FItemSelector) return;
  FItemSelector->SetAlign(alNone);
  TSize panel;
  FItemSelector->GetPanelSize(panel);
  if (DropDownWidth() < 1) FItemSelector->SetWidth(panel.cx);
  if (DropDownHeight() < 1) FItemSelector->SetHeight(panel.cy);
}

void TListPickerDropDown::WidenForList() {
  TDropDownForm* form = DropDownForm();
  if (!form || !FItemSelector) return;
  Integer extra = 0;
  if (FItemSelector->VertScrollBar()->IsScrollBarVisible()) extra += GetSystemMetrics(SM_CXVSCROLL);
  // The list sits inside the popup's frame: a popup only as wide as the list would cut it short
  // and show a horizontal scroll bar for the frame's width.
  if (DropDownWidth() < 1) extra += 2 * DropDownBorderWidth();
  if (extra > 0) form->SetWidth(form->Width() + extra);
}
