// The tab model, the drag record, and the option and look-and-feel trees.
#include "components/tabs/TabStripClasses.h"

#include "components/tabs/TabStripUtils.h"
#include "platform/gui/Forms.h"

namespace {

String ListIndexMessage(Integer Index) { return Format(u"List index out of bounds (%d)", Index); }

// The index of the last tab of the pinned run at the front of List, -1 when there is none; used
// when a tab's list has no strip to ask.
Integer LastPinnedIndexOf(const TTabStripList* List) {
  Integer result = -1;
  for (Integer i = 0; i < List->Count(); ++i) {
    if (!List->Items(i)->Pinned()) break;
    result = i;
  }
  return result;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TStripTab

TStripTab::TStripTab(TCollection* Collection) : TCollectionItem(nullptr) {
  // The defaults are in place (member initialisers) before the tab joins the list, whose tcAdded
  // report the strip answers by looking at them.
  if (!Collection) return;
  try {
    TCollectionItem::SetCollection(Collection);
  } catch (...) {
    // A list without a strip refuses the tab: leave it again so it holds no dangling item.
    TCollectionItem::SetCollection(nullptr);
    throw;
  }
}

TStripTab::~TStripTab() {
  TCollectionItem::SetCollection(nullptr);
  delete FTabControl;
  FTabControl = nullptr;
}

void TStripTab::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStripTab*>(Source)) {
    if (src == this) return;
    // Property by property through the writes, as the tab would be streamed in.
    SetCaption(src->FCaption);
    SetActive(src->FActive);
    SetTag(src->FTag);
    SetImageIndex(src->FImageIndex);
    SetImageIndexOverlay(src->FImageIndexOverlay);
    SetPinned(src->FPinned);
    SetVisible(src->FVisible);
    SetModified(src->FModified);
    SetSpinnerState(src->FSpinnerState);
    SetHideCloseButton(src->FHideCloseButton);
    return;
  }
  TCollectionItem::Assign(Source);
}

String TStripTab::DisplayName() const {
  return FCaption.empty() ? TCollectionItem::DisplayName() : FCaption;
}

void TStripTab::SetCollection(TCollection* Value) {
  if (Value == Collection()) return;
  TCollectionItem::SetCollection(Value);
  if (ITabStrip* strip = GetStripTabInterface())
    if (strip->GetComponentState() & csDesigning) DoChanged(tcPropertyUpdated);
}

ITabStrip* TStripTab::GetStripTabInterface() const {
  TCollection* list = Collection();
  if (!list) return nullptr;
  return dynamic_cast<ITabStrip*>(list->Owner());
}

void TStripTab::DoChanged(TTabChangeType ChangeType) {
  if (ITabStrip* strip = GetStripTabInterface()) strip->TabChanged(this, ChangeType);
}

void TStripTab::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  DoChanged(tcPropertyUpdated);
}

void TStripTab::SetActive(bool Value) {
  if (Value == FActive) return;
  ITabStrip* strip = GetStripTabInterface();
  bool allow = true;
  if (Value) {
    // Only activation asks, once, with the tab that was active before.
    if (strip) strip->DoOnActiveTabChanging(strip->GetActiveTabItem(), this, allow);
    if (allow) FModified = false;  // cleared without a report
  }
  if (!allow) return;
  FActive = Value;
  if (Value) {
    // The flag is stored first, so the strip sees an active tab while the others are deactivated.
    if (auto* list = dynamic_cast<TTabStripList*>(Collection())) {
      for (Integer i = 0; i < list->Count(); ++i) {
        TStripTab* other = list->Items(i);
        if (other != this && other->FActive) other->SetActive(false);
      }
    }
    DoChanged(tcActivated);
  } else {
    DoChanged(tcDeactivated);
  }
  DoChanged(tcPropertyUpdated);
}

void TStripTab::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  DoChanged(tcPropertyUpdated);
}

void TStripTab::SetImageIndexOverlay(Integer Value) {
  if (Value == FImageIndexOverlay) return;
  FImageIndexOverlay = Value;
  DoChanged(tcPropertyUpdated);
}

void TStripTab::SetPinned(bool Value) {
  if (Value == FPinned) return;
  Integer lastPinned = -1;
  if (ITabStrip* strip = GetStripTabInterface())
    lastPinned = strip->GetLastPinnedIndex();
  else if (auto* list = dynamic_cast<TTabStripList*>(Collection()))
    lastPinned = LastPinnedIndexOf(list);
  if (Collection()) {
    // Pinning joins the end of the pinned run; unpinning leaves at its end.
    Integer target = Value ? lastPinned + 1 : lastPinned;
    if (target < 0) target = 0;
    if (target > Collection()->Count() - 1) target = Collection()->Count() - 1;
    SetIndex(target);
  }
  FPinned = Value;
  DoChanged(tcPinned);
  SetActive(true);
}

void TStripTab::SetVisible(bool Value) {
  FVisible = Value;
  if (!Value && FActive) SetActive(false);
  DoChanged(tcVisibility);
}

void TStripTab::SetModified(bool Value) {
  if (Value == FModified) return;
  FModified = Value;
  DoChanged(tcPropertyUpdated);
}

void TStripTab::SetSpinnerState(TStripTabSpinnerState Value) {
  if (Value == FSpinnerState) return;
  FSpinnerState = Value;
  DoChanged(tcPropertyUpdated);
}

String TStripTab::DisplayCaption() const { return FPinned ? String() : FCaption; }

bool TStripTab::ImageIsVisible() const { return FImageIndex != -1 || FImageIndexOverlay != -1; }

// ---------------------------------------------------------------------------------------------
// TTabStripList

TTabStripList::TTabStripList(TPersistent* AOwner)
    : TOwnedCollection(AOwner, [](TCollection* c) -> TCollectionItem* { return new TStripTab(c); }) {}

TStripTab* TTabStripList::Add() { return static_cast<TStripTab*>(TOwnedCollection::Add()); }

TStripTab* TTabStripList::Items(Integer Index) const {
  return static_cast<TStripTab*>(GetItem(Index));
}

void TTabStripList::SetItems(Integer Index, TStripTab* Value) {
  TStripTab* tab = Items(Index);
  tab->Assign(Value);
  // The tab that took the values is the one to report; the source may belong to another strip.
  GetStripTabInterface()->TabChanged(tab, tcAdded);
}

TStripTab* TTabStripList::ActiveTab() const {
  for (Integer i = 0; i < Count(); ++i)
    if (Items(i)->Active()) return Items(i);
  return nullptr;
}

void TTabStripList::SetActiveTab(TStripTab* Value) {
  if (Value && Value->Collection() == this) Value->SetActive(true);
}

Integer TTabStripList::IndexOf(const TStripTab* Tab) const {
  for (Integer i = 0; i < Count(); ++i)
    if (Items(i) == Tab) return i;
  return -1;
}

void TTabStripList::Move(Integer OldIndex, Integer NewIndex) {
  TStripTab* tab = Items(OldIndex);
  if (NewIndex < 0 || NewIndex >= Count()) throw EListError(ListIndexMessage(NewIndex));
  ITabStrip* strip = GetStripTabInterface();
  tab->SetIndex(NewIndex);
  strip->TabChanged(Items(NewIndex), tcMoved);
}

void TTabStripList::DeleteTab(Integer Index, bool DeleteNow) {
  TStripTab* tab = Items(Index);
  ITabStrip* strip = GetStripTabInterface();
  if (tab->MarkedForDeletion()) {
    // The second delete of a tab that finished its animation: removed without reports.
    Delete(Index);
    return;
  }
  TTabStripEaseType ease = ttNone;
  if (TOptions* options = strip->GetOptions()) {
    TTabStripAnimationOptions* animation = options->Animation();
    ease = animation->GetMovementAnimationEaseType(animation->MovementAnimations()->TabDelete());
  }
  const bool animate = !DeleteNow && ease != ttNone;
  Integer activate = -1;
  if (tab->Active()) {
    if (Index < Count() - 1)
      activate = animate ? Index + 1 : Index;  // a marked tab keeps its place during the animation
    else
      activate = Index - 1;
  }
  strip->TabChanged(tab, tcDeleting);
  if (animate) {
    tab->FMarkedForDeletion = true;
    strip->TabChanged(tab, tcDeleted);
  } else {
    Delete(Index);
    strip->TabChanged(nullptr, tcDeleted);
  }
  if (activate > Count() - 1) activate = Count() - 1;
  // A tab that is shrinking away is no heir: it would vanish while active. Take the next tab that
  // stays, else the nearest one to the left.
  if (activate != -1 && Items(activate)->MarkedForDeletion()) {
    const Integer from = activate;
    activate = -1;
    for (Integer i = from + 1; i < Count() && activate == -1; ++i)
      if (!Items(i)->MarkedForDeletion()) activate = i;
    for (Integer i = from - 1; i >= 0 && activate == -1; --i)
      if (!Items(i)->MarkedForDeletion()) activate = i;
  }
  if (activate != -1) Items(activate)->SetActive(true);
}

void TTabStripList::Assign(TPersistent* Source) {
  TOwnedCollection::Assign(Source);
  GetStripTabInterface()->TabChanged(nullptr, tcPropertyUpdated);
}

ITabStrip* TTabStripList::GetStripTabInterface() const {
  auto* strip = dynamic_cast<ITabStrip*>(const_cast<TTabStripList*>(this)->Owner());
  if (!strip) throw EAssertionFailed(u"Collection owner must support IStripTabInterface");
  return strip;
}

void TTabStripList::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  TOwnedCollection::Notify(Item, Action);
  if (Action == cnAdded) GetStripTabInterface()->TabChanged(static_cast<TStripTab*>(Item), tcAdded);
}

// ---------------------------------------------------------------------------------------------
// TDragTabObject

TDragTabObject::~TDragTabObject() {
  if (FDragForm) {
    TCustomForm* form = FDragForm;
    FDragForm = nullptr;
    form->Release();
  }
}

// ---------------------------------------------------------------------------------------------
// TTabStripPersistent

TTabStripPersistent::TTabStripPersistent(TPersistent* AOwner) : FOwner(AOwner) {}

void TTabStripPersistent::DoChanged() {
  TPersistent* owner = FOwner;
  while (owner) {
    if (auto* strip = dynamic_cast<ITabStrip*>(owner)) {
      strip->TabChanged(nullptr, tcPropertyUpdated);
      return;
    }
    if (auto* node = dynamic_cast<TTabStripPersistent*>(owner))
      owner = node->FOwner;
    else if (auto* component = dynamic_cast<TComponent*>(owner))
      owner = component->Owner();
    else
      return;
  }
}

void TTabStripPersistent::Invalidate() { FInvalidated = true; }

void TTabStripPersistent::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TTabStripPersistent*>(Source);
  if (!src || src->ClassName() != ClassName()) {
    TPersistent::Assign(Source);  // raises the assign error
    return;
  }
  if (src == this) return;
  const std::vector<TPublishedProperty>* props = GetPublishedProperties(this);
  if (!props) return;
  for (const TPublishedProperty& p : *props) {
    switch (p.Kind) {
      case pkSingle:
      case pkDouble:
        p.SetFloat(this, p.GetFloat(src));
        break;
      case pkString:
        p.SetString(this, p.GetString(src));
        break;
      case pkObject: {
        auto* dst = dynamic_cast<TPersistent*>(p.GetObject(this));
        auto* from = dynamic_cast<TPersistent*>(p.GetObject(src));
        if (dst && from) dst->Assign(from);
        break;
      }
      default:
        p.SetOrdinal(this, p.GetOrdinal(src));
        break;
    }
  }
}

// Stores a value and reports it to the strip; nothing happens for an equal value only where the
// write says so, so every write of these classes reports.
#define KP_REPORT_WRITE(Field, Value) \
  do {                                \
    Field = Value;                    \
    DoChanged();                      \
  } while (0)

// Copies a whole object into the held one (the held object is never replaced).
template <class T>
static void AssignHeld(T* Held, T* Value) {
  if (Value && Value != Held) Held->Assign(Value);
}

// ---------------------------------------------------------------------------------------------
// Options

void TTabStripOffsets::SetVertical(Integer Value) { KP_REPORT_WRITE(FVertical, Value); }
void TTabStripOffsets::SetHorizontal(Integer Value) { KP_REPORT_WRITE(FHorizontal, Value); }

TTabStripControlPosition::TTabStripControlPosition(TPersistent* AOwner)
    : TTabStripPersistent(AOwner), FOffsets(std::make_unique<TTabStripOffsets>(this)) {}
TTabStripControlPosition::~TTabStripControlPosition() = default;
void TTabStripControlPosition::SetOffsets(TTabStripOffsets* Value) { AssignHeld(FOffsets.get(), Value); }
void TTabStripControlPosition::SetHeight(Integer Value) { KP_REPORT_WRITE(FHeight, Value); }
void TTabStripControlPosition::SetWidth(Integer Value) { KP_REPORT_WRITE(FWidth, Value); }

void TTabStripControlPropertiesEx::SetVisible(bool Value) { KP_REPORT_WRITE(FVisible, Value); }

TTabStripCloseButtonProperties::TTabStripCloseButtonProperties(TPersistent* AOwner)
    : TTabStripControlPosition(AOwner) {
  Offsets()->SetVertical(6);
  Offsets()->SetHorizontal(0);
  SetHeight(13);
  SetWidth(13);
  SetAutoHide(true);
  SetVisibility(bvAll);
  SetAutoHideWidth(20);
  SetCrossRadialOffset(4);
}
void TTabStripCloseButtonProperties::SetAutoHide(bool Value) { KP_REPORT_WRITE(FAutoHide, Value); }
void TTabStripCloseButtonProperties::SetVisibility(TCloseButtonVisiblity Value) {
  KP_REPORT_WRITE(FVisibility, Value);
}
void TTabStripCloseButtonProperties::SetAutoHideWidth(Integer Value) {
  KP_REPORT_WRITE(FAutoHideWidth, Value);
}
void TTabStripCloseButtonProperties::SetCrossRadialOffset(Integer Value) {
  KP_REPORT_WRITE(FCrossRadialOffset, Value);
}

TTabStripAddButtonProperties::TTabStripAddButtonProperties(TPersistent* AOwner)
    : TTabStripControlPosition(AOwner) {
  Offsets()->SetVertical(9);
  Offsets()->SetHorizontal(0);
  SetHeight(14);
  SetWidth(25);
  SetShowPlusSign(true);
  SetVisibility(avRightFloating);
  SetHorizontalOffsetFloating(0);
}
void TTabStripAddButtonProperties::SetShowPlusSign(bool Value) { KP_REPORT_WRITE(FShowPlusSign, Value); }
void TTabStripAddButtonProperties::SetVisibility(TAddButtonVisibility Value) {
  KP_REPORT_WRITE(FVisibility, Value);
}
void TTabStripAddButtonProperties::SetHorizontalOffsetFloating(Integer Value) {
  KP_REPORT_WRITE(FHorizontalOffsetFloating, Value);
}

void TStripTabModifiedDisplayOptions::SetStyle(TStripTabModifiedStyle Value) { KP_REPORT_WRITE(FStyle, Value); }
void TStripTabModifiedDisplayOptions::SetVerticalOffset(Integer Value) {
  KP_REPORT_WRITE(FVerticalOffset, Value);
}
void TStripTabModifiedDisplayOptions::SetHeight(Integer Value) { KP_REPORT_WRITE(FHeight, Value); }
void TStripTabModifiedDisplayOptions::SetWidth(Integer Value) { KP_REPORT_WRITE(FWidth, Value); }
void TStripTabModifiedDisplayOptions::SetAnimationPeriodMS(Integer Value) {
  KP_REPORT_WRITE(FAnimationPeriodMS, Value);
}
void TStripTabModifiedDisplayOptions::SetEaseType(TTabStripEaseType Value) { KP_REPORT_WRITE(FEaseType, Value); }
void TStripTabModifiedDisplayOptions::SetAnimationUpdateMS(Integer Value) {
  KP_REPORT_WRITE(FAnimationUpdateMS, Value);
}

void TTabStripOptions::SetSeeThroughTabs(bool Value) { KP_REPORT_WRITE(FSeeThroughTabs, Value); }
void TTabStripOptions::SetTabOverlap(Integer Value) { KP_REPORT_WRITE(FTabOverlap, Value); }
void TTabStripOptions::SetContentOffsetLeft(Integer Value) { KP_REPORT_WRITE(FContentOffsetLeft, Value); }
void TTabStripOptions::SetContentOffsetRight(Integer Value) { KP_REPORT_WRITE(FContentOffsetRight, Value); }
void TTabStripOptions::SetOffsetLeft(Integer Value) { KP_REPORT_WRITE(FOffsetLeft, Value); }
void TTabStripOptions::SetOffsetTop(Integer Value) { KP_REPORT_WRITE(FOffsetTop, Value); }
void TTabStripOptions::SetOffsetRight(Integer Value) { KP_REPORT_WRITE(FOffsetRight, Value); }
void TTabStripOptions::SetOffsetBottom(Integer Value) { KP_REPORT_WRITE(FOffsetBottom, Value); }
void TTabStripOptions::SetMinWidth(Integer Value) { KP_REPORT_WRITE(FMinWidth, Value); }
void TTabStripOptions::SetMaxWidth(Integer Value) { KP_REPORT_WRITE(FMaxWidth, Max(Value, FMinWidth)); }
void TTabStripOptions::SetTabWidthFromContent(bool Value) { KP_REPORT_WRITE(FTabWidthFromContent, Value); }
void TTabStripOptions::SetPinnedWidth(Integer Value) { KP_REPORT_WRITE(FPinnedWidth, Value); }
void TTabStripOptions::SetImageOffsetLeft(Integer Value) { KP_REPORT_WRITE(FImageOffsetLeft, Value); }
void TTabStripOptions::SetTextTrimType(TTextTrimType Value) { KP_REPORT_WRITE(FTextTrimType, Value); }
void TTabStripOptions::SetOrientation(TTabOrientation Value) { KP_REPORT_WRITE(FOrientation, Value); }
void TTabStripOptions::SetBaseLineTabRegionOnly(bool Value) { KP_REPORT_WRITE(FBaseLineTabRegionOnly, Value); }
void TTabStripOptions::SetWordWrap(bool Value) { KP_REPORT_WRITE(FWordWrap, Value); }
void TTabStripOptions::SetTextAlignmentHorizontal(TAlignment Value) {
  KP_REPORT_WRITE(FTextAlignmentHorizontal, Value);
}
void TTabStripOptions::SetTextAlignmentVertical(TVerticalAlignment Value) {
  KP_REPORT_WRITE(FTextAlignmentVertical, Value);
}
void TTabStripOptions::SetShowImages(bool Value) { KP_REPORT_WRITE(FShowImages, Value); }
void TTabStripOptions::SetShowPinnedTabText(bool Value) { KP_REPORT_WRITE(FShowPinnedTabText, Value); }

void TTabStripContainerOptions::SetTransparentBackground(bool Value) {
  KP_REPORT_WRITE(FTransparentBackground, Value);
}
void TTabStripContainerOptions::SetOverlayButtons(bool Value) { KP_REPORT_WRITE(FOverlayButtons, Value); }
void TTabStripContainerOptions::SetPaddingLeft(Integer Value) { KP_REPORT_WRITE(FPaddingLeft, Value); }
void TTabStripContainerOptions::SetPaddingRight(Integer Value) { KP_REPORT_WRITE(FPaddingRight, Value); }

TTabStripSpinnerOptions::TTabStripSpinnerOptions(TPersistent* AOwner)
    : TTabStripPersistent(AOwner), FPosition(std::make_unique<TTabStripControlPosition>(this)) {}
TTabStripSpinnerOptions::~TTabStripSpinnerOptions() = default;
void TTabStripSpinnerOptions::SetReverseDirection(bool Value) { KP_REPORT_WRITE(FReverseDirection, Value); }
void TTabStripSpinnerOptions::SetRenderedAnimationStep(Integer Value) {
  KP_REPORT_WRITE(FRenderedAnimationStep, Value);
}
void TTabStripSpinnerOptions::SetPosition(TTabStripControlPosition* Value) { AssignHeld(FPosition.get(), Value); }
void TTabStripSpinnerOptions::SetSweepAngle(Word Value) { KP_REPORT_WRITE(FSweepAngle, Value); }

TTabStripSpinnersOptions::TTabStripSpinnersOptions(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FUpload(std::make_unique<TTabStripSpinnerOptions>(this)),
      FDownload(std::make_unique<TTabStripSpinnerOptions>(this)) {
  FUpload->SetReverseDirection(true);
  FUpload->SetRenderedAnimationStep(2);
  FUpload->Position()->SetHeight(16);
  FUpload->Position()->SetWidth(16);
  FUpload->SetSweepAngle(135);
  FDownload->SetReverseDirection(false);
  FDownload->SetRenderedAnimationStep(5);
  FDownload->Position()->SetHeight(16);
  FDownload->Position()->SetWidth(16);
  FDownload->SetSweepAngle(135);
}
TTabStripSpinnersOptions::~TTabStripSpinnersOptions() = default;
void TTabStripSpinnersOptions::SetUpload(TTabStripSpinnerOptions* Value) { AssignHeld(FUpload.get(), Value); }
void TTabStripSpinnersOptions::SetDownload(TTabStripSpinnerOptions* Value) { AssignHeld(FDownload.get(), Value); }
void TTabStripSpinnersOptions::SetHideImagesWhenSpinnerVisible(bool Value) {
  KP_REPORT_WRITE(FHideImagesWhenSpinnerVisible, Value);
}

TTabStripDisplayOptions::TTabStripDisplayOptions(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FCloseButton(std::make_unique<TTabStripCloseButtonProperties>(this)),
      FAddButton(std::make_unique<TTabStripAddButtonProperties>(this)),
      FScrollButtonLeft(std::make_unique<TTabStripControlPosition>(this)),
      FScrollButtonRight(std::make_unique<TTabStripControlPosition>(this)),
      FTabModifiedGlow(std::make_unique<TStripTabModifiedDisplayOptions>(this)),
      FTabs(std::make_unique<TTabStripOptions>(this)),
      FTabContainer(std::make_unique<TTabStripContainerOptions>(this)),
      FTabMouseGlow(std::make_unique<TTabStripControlPropertiesEx>(this)),
      FTabSpinners(std::make_unique<TTabStripSpinnersOptions>(this)) {
  for (TTabStripControlPosition* button : {FScrollButtonLeft.get(), FScrollButtonRight.get()}) {
    button->SetHeight(15);
    button->SetWidth(15);
    button->Offsets()->SetVertical(10);
  }
  FTabMouseGlow->SetHeight(70);
  FTabMouseGlow->SetWidth(70);
  FTabMouseGlow->SetVisible(true);
}
TTabStripDisplayOptions::~TTabStripDisplayOptions() = default;
void TTabStripDisplayOptions::SetCloseButton(TTabStripCloseButtonProperties* Value) {
  AssignHeld(FCloseButton.get(), Value);
}
void TTabStripDisplayOptions::SetAddButton(TTabStripAddButtonProperties* Value) {
  AssignHeld(FAddButton.get(), Value);
}
void TTabStripDisplayOptions::SetScrollButtonLeft(TTabStripControlPosition* Value) {
  AssignHeld(FScrollButtonLeft.get(), Value);
}
void TTabStripDisplayOptions::SetScrollButtonRight(TTabStripControlPosition* Value) {
  AssignHeld(FScrollButtonRight.get(), Value);
}
void TTabStripDisplayOptions::SetTabModifiedGlow(TStripTabModifiedDisplayOptions* Value) {
  AssignHeld(FTabModifiedGlow.get(), Value);
}
void TTabStripDisplayOptions::SetTabs(TTabStripOptions* Value) { AssignHeld(FTabs.get(), Value); }
void TTabStripDisplayOptions::SetTabContainer(TTabStripContainerOptions* Value) {
  AssignHeld(FTabContainer.get(), Value);
}
void TTabStripDisplayOptions::SetTabMouseGlow(TTabStripControlPropertiesEx* Value) {
  AssignHeld(FTabMouseGlow.get(), Value);
}
void TTabStripDisplayOptions::SetTabSpinners(TTabStripSpinnersOptions* Value) {
  AssignHeld(FTabSpinners.get(), Value);
}

TTabStripMovementAnimations::TTabStripMovementAnimations(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FTabAdd(std::make_unique<TTabStripMovementAnimationTypes>(this)),
      FTabDelete(std::make_unique<TTabStripMovementAnimationTypes>(this)),
      FTabMove(std::make_unique<TTabStripMovementAnimationTypes>(this)) {
  FTabMove->SetUseDefaultEaseType(false);
  FTabMove->SetUseDefaultAnimationTime(false);
  FTabMove->SetEaseType(ttEaseOutExpo);
  FTabMove->SetAnimationTimeMS(500);
}
TTabStripMovementAnimations::~TTabStripMovementAnimations() = default;
void TTabStripMovementAnimations::SetTabAdd(TTabStripMovementAnimationTypes* Value) {
  AssignHeld(FTabAdd.get(), Value);
}
void TTabStripMovementAnimations::SetTabDelete(TTabStripMovementAnimationTypes* Value) {
  AssignHeld(FTabDelete.get(), Value);
}
void TTabStripMovementAnimations::SetTabMove(TTabStripMovementAnimationTypes* Value) {
  AssignHeld(FTabMove.get(), Value);
}

TTabStripAnimationOptions::TTabStripAnimationOptions(TPersistent* AOwner)
    : TTabStripPersistent(AOwner), FMovementAnimations(std::make_unique<TTabStripMovementAnimations>(this)) {}
TTabStripAnimationOptions::~TTabStripAnimationOptions() = default;
void TTabStripAnimationOptions::SetMovementAnimations(TTabStripMovementAnimations* Value) {
  AssignHeld(FMovementAnimations.get(), Value);
}

TTabStripEaseType TTabStripAnimationOptions::GetMovementAnimationEaseType(
    const TTabStripMovementAnimationTypes* Kind) const {
  return Kind->UseDefaultEaseType() ? FDefaultMovementEaseType : Kind->EaseType();
}

Cardinal TTabStripAnimationOptions::GetMovementAnimationTime(const TTabStripMovementAnimationTypes* Kind) const {
  return Kind->UseDefaultAnimationTime() ? FDefaultMovementAnimationTimeMS
                                         : static_cast<Cardinal>(Kind->AnimationTimeMS());
}

void TTabStripScrollOptions::SetEnabled(bool Value) { KP_REPORT_WRITE(FEnabled, Value); }
void TTabStripScrollOptions::SetScrollButtons(TStripTabScrollButtons Value) { KP_REPORT_WRITE(FScrollButtons, Value); }
void TTabStripScrollOptions::SetScrollStep(Integer Value) { KP_REPORT_WRITE(FScrollStep, Value); }
void TTabStripScrollOptions::SetScrollRepeatDelay(Integer Value) { KP_REPORT_WRITE(FScrollRepeatDelay, Value); }
void TTabStripScrollOptions::SetAutoHideButtons(bool Value) { KP_REPORT_WRITE(FAutoHideButtons, Value); }
void TTabStripScrollOptions::SetDragScroll(bool Value) { KP_REPORT_WRITE(FDragScroll, Value); }
void TTabStripScrollOptions::SetDragScrollOffset(Integer Value) { KP_REPORT_WRITE(FDragScrollOffset, Value); }
void TTabStripScrollOptions::SetMouseWheelScroll(bool Value) { KP_REPORT_WRITE(FMouseWheelScroll, Value); }

TOptions::TOptions(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FDisplay(std::make_unique<TTabStripDisplayOptions>(this)),
      FDragDrop(std::make_unique<TTabStripDragOptions>(this)),
      FAnimation(std::make_unique<TTabStripAnimationOptions>(this)),
      FBehaviour(std::make_unique<TTabStripBehaviourOptions>(this)),
      FScrolling(std::make_unique<TTabStripScrollOptions>(this)) {}
TOptions::~TOptions() = default;
void TOptions::SetDisplay(TTabStripDisplayOptions* Value) { AssignHeld(FDisplay.get(), Value); }
void TOptions::SetDragDrop(TTabStripDragOptions* Value) { AssignHeld(FDragDrop.get(), Value); }
void TOptions::SetAnimation(TTabStripAnimationOptions* Value) { AssignHeld(FAnimation.get(), Value); }
void TOptions::SetBehaviour(TTabStripBehaviourOptions* Value) { AssignHeld(FBehaviour.get(), Value); }
void TOptions::SetScrolling(TTabStripScrollOptions* Value) { AssignHeld(FScrolling.get(), Value); }

// ---------------------------------------------------------------------------------------------
// Look and feel

TTabStripLookAndFeelStyle::TTabStripLookAndFeelStyle(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
TTabStripLookAndFeelStyle::~TTabStripLookAndFeelStyle() = default;

// Stores, invalidates brush and pen, reports.
#define KP_STYLE_WRITE(Field, Value) \
  do {                               \
    Field = Value;                   \
    Invalidate();                    \
    DoChanged();                     \
  } while (0)

void TTabStripLookAndFeelStyle::SetStartColor(TColor Value) { KP_STYLE_WRITE(FStartColor, Value); }
void TTabStripLookAndFeelStyle::SetStopColor(TColor Value) { KP_STYLE_WRITE(FStopColor, Value); }
void TTabStripLookAndFeelStyle::SetStartAlpha(Byte Value) { KP_STYLE_WRITE(FStartAlpha, Value); }
void TTabStripLookAndFeelStyle::SetStopAlpha(Byte Value) { KP_STYLE_WRITE(FStopAlpha, Value); }
void TTabStripLookAndFeelStyle::SetOutlineColor(TColor Value) { KP_STYLE_WRITE(FOutlineColor, Value); }
void TTabStripLookAndFeelStyle::SetOutlineSize(float Value) { KP_STYLE_WRITE(FOutlineSize, Value); }
void TTabStripLookAndFeelStyle::SetOutlineAlpha(Byte Value) { KP_STYLE_WRITE(FOutlineAlpha, Value); }

TGPLinearGradientBrush* TTabStripLookAndFeelStyle::GetBrush(const TRect& ClientRect) {
  if (FInvalidated || (FBrush && FBrush->GetLastStatus() != Ok)) {
    FBrush.reset();
    FInvalidated = false;
  }
  if (!FBrush)
    FBrush = std::make_unique<TGPLinearGradientBrush>(
        TGPPoint{0, ClientRect.Top}, TGPPoint{0, ClientRect.Bottom}, MakeGDIPColor(FStartColor, FStartAlpha),
        MakeGDIPColor(FStopColor, FStopAlpha));
  return FBrush.get();
}

TGPPen* TTabStripLookAndFeelStyle::GetPen() {
  if (FPenInvalidated || !FPen) {
    FPen = std::make_unique<TGPPen>(MakeGDIPColor(FOutlineColor, FOutlineAlpha), FOutlineSize);
    FPenInvalidated = false;
  }
  return FPen.get();
}

void TTabStripLookAndFeelStyle::Invalidate() {
  TTabStripPersistent::Invalidate();
  FPenInvalidated = true;
}

TTabStripLookAndFeelPen::TTabStripLookAndFeelPen(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
TTabStripLookAndFeelPen::~TTabStripLookAndFeelPen() = default;

// Stores, drops the cached pen, reports.
#define KP_PEN_WRITE(Field, Value) \
  do {                             \
    Field = Value;                 \
    FPen.reset();                  \
    DoChanged();                   \
  } while (0)

void TTabStripLookAndFeelPen::SetColor(TColor Value) { KP_PEN_WRITE(FColor, Value); }
void TTabStripLookAndFeelPen::SetThickness(float Value) { KP_PEN_WRITE(FThickness, Value); }
void TTabStripLookAndFeelPen::SetAlpha(Integer Value) { KP_PEN_WRITE(FAlpha, Value); }

TGPPen* TTabStripLookAndFeelPen::GetPen() {
  if (FInvalidated || !FPen) {
    FPen = std::make_unique<TGPPen>(MakeGDIPColor(FColor, static_cast<Byte>(FAlpha & 0xFF)), FThickness);
    FInvalidated = false;
  }
  return FPen.get();
}

void TTabStripLookAndFeelPen::Invalidate() {
  TTabStripPersistent::Invalidate();
  FPen.reset();
}

void TTabStripLookAndFeelBaseFont::SetName(const String& Value) { KP_REPORT_WRITE(FName, Value); }
void TTabStripLookAndFeelBaseFont::SetColor(TColor Value) { KP_REPORT_WRITE(FColor, Value); }
void TTabStripLookAndFeelBaseFont::SetSize(Integer Value) { KP_REPORT_WRITE(FSize, Value); }
void TTabStripLookAndFeelBaseFont::SetAlpha(Byte Value) { KP_REPORT_WRITE(FAlpha, Value); }
void TTabStripLookAndFeelBaseFont::SetTextRendoringMode(TTextRenderingHint Value) {
  KP_REPORT_WRITE(FTextRendoringMode, Value);
}
void TTabStripLookAndFeelFont::SetUseDefaultFont(bool Value) { KP_REPORT_WRITE(FUseDefaultFont, Value); }

void TTabStripLookAndFeelGlow::SetCentreColor(TColor Value) { KP_REPORT_WRITE(FCentreColor, Value); }
void TTabStripLookAndFeelGlow::SetOutsideColor(TColor Value) { KP_REPORT_WRITE(FOutsideColor, Value); }
void TTabStripLookAndFeelGlow::SetCentreAlpha(Byte Value) { KP_REPORT_WRITE(FCentreAlpha, Value); }
void TTabStripLookAndFeelGlow::SetOutsideAlpha(Byte Value) { KP_REPORT_WRITE(FOutsideAlpha, Value); }

TTabStripLookAndFeelSpinners::TTabStripLookAndFeelSpinners(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FUpload(std::make_unique<TTabStripLookAndFeelPen>(this)),
      FDownload(std::make_unique<TTabStripLookAndFeelPen>(this)) {
  FUpload->SetColor(0xC2B3A7);
  FUpload->SetThickness(2.5f);
  FUpload->SetAlpha(255);
  FDownload->SetColor(0xDB8B48);
  FDownload->SetThickness(2.5f);
  FDownload->SetAlpha(255);
}
TTabStripLookAndFeelSpinners::~TTabStripLookAndFeelSpinners() = default;
void TTabStripLookAndFeelSpinners::SetUpload(TTabStripLookAndFeelPen* Value) {
  if (Value && Value != FUpload.get()) {
    FUpload->Assign(Value);
    DoChanged();
  }
}
void TTabStripLookAndFeelSpinners::SetDownload(TTabStripLookAndFeelPen* Value) {
  if (Value && Value != FDownload.get()) {
    FDownload->Assign(Value);
    DoChanged();
  }
}

TTabStripLookAndFeelStyleProperties::TTabStripLookAndFeelStyleProperties(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FFont(std::make_unique<TTabStripLookAndFeelFont>(this)),
      FStyle(std::make_unique<TTabStripLookAndFeelStyle>(AOwner)) {}
TTabStripLookAndFeelStyleProperties::~TTabStripLookAndFeelStyleProperties() = default;
void TTabStripLookAndFeelStyleProperties::SetFont(TTabStripLookAndFeelFont* Value) {
  if (Value && Value != FFont.get()) {
    FFont->Assign(Value);
    DoChanged();
  }
}
void TTabStripLookAndFeelStyleProperties::SetStyle(TTabStripLookAndFeelStyle* Value) {
  if (Value && Value != FStyle.get()) {
    FStyle->Assign(Value);
    DoChanged();
  }
}
void TTabStripLookAndFeelStyleProperties::Invalidate() {
  TTabStripPersistent::Invalidate();
  FStyle->Invalidate();
}

TTabStripLookAndFeelCustomStyleItems::TTabStripLookAndFeelCustomStyleItems(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FNormal(std::make_unique<TTabStripLookAndFeelStyle>(this)),
      FDown(std::make_unique<TTabStripLookAndFeelStyle>(this)),
      FHot(std::make_unique<TTabStripLookAndFeelStyle>(this)) {}
TTabStripLookAndFeelCustomStyleItems::~TTabStripLookAndFeelCustomStyleItems() = default;

// Copies a whole style into a held one and reports.
#define KP_ASSIGN_REPORT(Held, Value) \
  do {                                \
    if (Value && Value != Held) {     \
      Held->Assign(Value);            \
      DoChanged();                    \
    }                                 \
  } while (0)

void TTabStripLookAndFeelCustomStyleItems::SetNormal(TTabStripLookAndFeelStyle* Value) {
  KP_ASSIGN_REPORT(FNormal.get(), Value);
}
void TTabStripLookAndFeelCustomStyleItems::SetDown(TTabStripLookAndFeelStyle* Value) {
  KP_ASSIGN_REPORT(FDown.get(), Value);
}
void TTabStripLookAndFeelCustomStyleItems::SetHot(TTabStripLookAndFeelStyle* Value) {
  KP_ASSIGN_REPORT(FHot.get(), Value);
}
void TTabStripLookAndFeelCustomStyleItems::Invalidate() {
  FNormal->Invalidate();
  FDown->Invalidate();
  FHot->Invalidate();
}

TTabStripLookAndFeelDisabledButton::TTabStripLookAndFeelDisabledButton(TPersistent* AOwner)
    : TTabStripLookAndFeelButtonItems(AOwner), FDisabled(std::make_unique<TTabStripLookAndFeelStyle>(this)) {}
TTabStripLookAndFeelDisabledButton::~TTabStripLookAndFeelDisabledButton() = default;
void TTabStripLookAndFeelDisabledButton::SetDisabled(TTabStripLookAndFeelStyle* Value) {
  KP_ASSIGN_REPORT(FDisabled.get(), Value);
}
void TTabStripLookAndFeelDisabledButton::Invalidate() {
  TTabStripLookAndFeelButtonItems::Invalidate();
  FDisabled->Invalidate();
}

TTabStripCustomLookAndFeelPenItem::TTabStripCustomLookAndFeelPenItem(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FNormal(std::make_unique<TTabStripLookAndFeelPen>(this)),
      FDown(std::make_unique<TTabStripLookAndFeelPen>(this)),
      FHot(std::make_unique<TTabStripLookAndFeelPen>(this)) {}
TTabStripCustomLookAndFeelPenItem::~TTabStripCustomLookAndFeelPenItem() = default;

// Copies a whole pen into a held one, invalidates it and reports.
#define KP_ASSIGN_INVALIDATE_REPORT(Held, Value) \
  do {                                           \
    if (Value && Value != Held) {                \
      Held->Assign(Value);                       \
      Held->Invalidate();                        \
      DoChanged();                               \
    }                                            \
  } while (0)

void TTabStripCustomLookAndFeelPenItem::SetNormal(TTabStripLookAndFeelPen* Value) {
  KP_ASSIGN_INVALIDATE_REPORT(FNormal.get(), Value);
}
void TTabStripCustomLookAndFeelPenItem::SetDown(TTabStripLookAndFeelPen* Value) {
  KP_ASSIGN_INVALIDATE_REPORT(FDown.get(), Value);
}
void TTabStripCustomLookAndFeelPenItem::SetHot(TTabStripLookAndFeelPen* Value) {
  KP_ASSIGN_INVALIDATE_REPORT(FHot.get(), Value);
}
void TTabStripCustomLookAndFeelPenItem::Invalidate() {
  FNormal->Invalidate();
  FDown->Invalidate();
  FHot->Invalidate();
}

TTabStripCustomLookAndFeelStylePropertyItems::TTabStripCustomLookAndFeelStylePropertyItems(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FActive(std::make_unique<TTabStripLookAndFeelStyleProperties>(this)),
      FNotActive(std::make_unique<TTabStripLookAndFeelStyleProperties>(this)),
      FHot(std::make_unique<TTabStripLookAndFeelStyleProperties>(this)) {}
TTabStripCustomLookAndFeelStylePropertyItems::~TTabStripCustomLookAndFeelStylePropertyItems() = default;
// The three tab-state looks are copied without a report of their own (each value copied reports).
void TTabStripCustomLookAndFeelStylePropertyItems::SetActive(TTabStripLookAndFeelStyleProperties* Value) {
  AssignHeld(FActive.get(), Value);
}
void TTabStripCustomLookAndFeelStylePropertyItems::SetNotActive(TTabStripLookAndFeelStyleProperties* Value) {
  AssignHeld(FNotActive.get(), Value);
}
void TTabStripCustomLookAndFeelStylePropertyItems::SetHot(TTabStripLookAndFeelStyleProperties* Value) {
  AssignHeld(FHot.get(), Value);
}

TTabStripLookAndFeelTab::TTabStripLookAndFeelTab(TPersistent* AOwner)
    : TTabStripCustomLookAndFeelStylePropertyItems(AOwner),
      FBaseLine(std::make_unique<TTabStripLookAndFeelPen>(this)),
      FModified(std::make_unique<TTabStripLookAndFeelGlow>(this)),
      FMouseGlow(std::make_unique<TTabStripLookAndFeelGlow>(this)),
      FDefaultFont(std::make_unique<TTabStripLookAndFeelBaseFont>(this)),
      FSpinners(std::make_unique<TTabStripLookAndFeelSpinners>(this)) {
  FBaseLine->SetColor(clGray);
  FBaseLine->SetThickness(2.0f);
  FBaseLine->SetAlpha(255);
}
TTabStripLookAndFeelTab::~TTabStripLookAndFeelTab() = default;
void TTabStripLookAndFeelTab::SetBaseLine(TTabStripLookAndFeelPen* Value) { KP_ASSIGN_REPORT(FBaseLine.get(), Value); }
void TTabStripLookAndFeelTab::SetModified(TTabStripLookAndFeelGlow* Value) { KP_ASSIGN_REPORT(FModified.get(), Value); }
void TTabStripLookAndFeelTab::SetMouseGlow(TTabStripLookAndFeelGlow* Value) {
  KP_ASSIGN_REPORT(FMouseGlow.get(), Value);
}
void TTabStripLookAndFeelTab::SetDefaultFont(TTabStripLookAndFeelBaseFont* Value) {
  KP_ASSIGN_REPORT(FDefaultFont.get(), Value);
}
void TTabStripLookAndFeelTab::SetSpinners(TTabStripLookAndFeelSpinners* Value) { AssignHeld(FSpinners.get(), Value); }
void TTabStripLookAndFeelTab::Invalidate() { FBaseLine->Invalidate(); }

TTabStripLookAndFeelCloseButton::TTabStripLookAndFeelCloseButton(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FCross(std::make_unique<TTabStripLookAndFeelPenItem>(this)),
      FCircle(std::make_unique<TTabStripLookAndFeelButtonItems>(this)) {
  FCross->Normal()->SetColor(0xB8AFA9);
  FCross->Hot()->SetColor(clWhite);
  FCross->Hot()->SetAlpha(240);
  FCross->Down()->SetColor(clRed);
  FCircle->Normal()->SetStartColor(clWhite);
  FCircle->Normal()->SetStopColor(clWhite);
  FCircle->Normal()->SetOutlineAlpha(0);
  for (TTabStripLookAndFeelStyle* style : {FCircle->Hot(), FCircle->Down()}) {
    style->SetStartColor(0x3535C1);
    style->SetStopColor(0x3535C1);
    style->SetOutlineAlpha(0);
  }
}
TTabStripLookAndFeelCloseButton::~TTabStripLookAndFeelCloseButton() = default;
void TTabStripLookAndFeelCloseButton::SetCross(TTabStripLookAndFeelPenItem* Value) { KP_ASSIGN_REPORT(FCross.get(), Value); }
void TTabStripLookAndFeelCloseButton::SetCircle(TTabStripLookAndFeelButtonItems* Value) {
  KP_ASSIGN_INVALIDATE_REPORT(FCircle.get(), Value);
}
void TTabStripLookAndFeelCloseButton::Invalidate() {
  FCross->Invalidate();
  FCircle->Invalidate();
}

TTabStripLookAndFeelAddButton::TTabStripLookAndFeelAddButton(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FButton(std::make_unique<TTabStripLookAndFeelButtonItems>(this)),
      FPlusSign(std::make_unique<TTabStripLookAndFeelButtonItems>(this)) {}
TTabStripLookAndFeelAddButton::~TTabStripLookAndFeelAddButton() = default;
void TTabStripLookAndFeelAddButton::SetButton(TTabStripLookAndFeelButtonItems* Value) {
  AssignHeld(FButton.get(), Value);
}
void TTabStripLookAndFeelAddButton::SetPlusSign(TTabStripLookAndFeelButtonItems* Value) {
  AssignHeld(FPlusSign.get(), Value);
}
void TTabStripLookAndFeelAddButton::Invalidate() {
  TTabStripPersistent::Invalidate();
  FButton->Invalidate();
  FPlusSign->Invalidate();
}

TTabStripLookAndFeelScrollButton::TTabStripLookAndFeelScrollButton(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FButton(std::make_unique<TTabStripLookAndFeelDisabledButton>(this)),
      FArrow(std::make_unique<TTabStripLookAndFeelDisabledButton>(this)) {}
TTabStripLookAndFeelScrollButton::~TTabStripLookAndFeelScrollButton() = default;
void TTabStripLookAndFeelScrollButton::SetButton(TTabStripLookAndFeelDisabledButton* Value) {
  KP_ASSIGN_REPORT(FButton.get(), Value);
}
void TTabStripLookAndFeelScrollButton::SetArrow(TTabStripLookAndFeelDisabledButton* Value) {
  KP_ASSIGN_REPORT(FArrow.get(), Value);
}
void TTabStripLookAndFeelScrollButton::Invalidate() {
  TTabStripPersistent::Invalidate();
  FButton->Invalidate();
  FArrow->Invalidate();
}

TTabStripLookAndFeel::TTabStripLookAndFeel(TPersistent* AOwner)
    : TTabStripPersistent(AOwner),
      FTabsContainer(std::make_unique<TTabStripLookAndFeelStyle>(this)),
      FTabs(std::make_unique<TTabStripLookAndFeelTab>(this)),
      FCloseButton(std::make_unique<TTabStripLookAndFeelCloseButton>(this)),
      FAddButton(std::make_unique<TTabStripLookAndFeelAddButton>(this)),
      FScrollButtons(std::make_unique<TTabStripLookAndFeelScrollButton>(this)) {
  FTabsContainer->SetOutlineSize(0);
}
TTabStripLookAndFeel::~TTabStripLookAndFeel() = default;
void TTabStripLookAndFeel::SetTabsContainer(TTabStripLookAndFeelStyle* Value) {
  KP_ASSIGN_REPORT(FTabsContainer.get(), Value);
}
void TTabStripLookAndFeel::SetTabs(TTabStripLookAndFeelTab* Value) { KP_ASSIGN_REPORT(FTabs.get(), Value); }
void TTabStripLookAndFeel::SetCloseButton(TTabStripLookAndFeelCloseButton* Value) {
  KP_ASSIGN_REPORT(FCloseButton.get(), Value);
}
void TTabStripLookAndFeel::SetAddButton(TTabStripLookAndFeelAddButton* Value) {
  KP_ASSIGN_REPORT(FAddButton.get(), Value);
}
void TTabStripLookAndFeel::SetScrollButtons(TTabStripLookAndFeelScrollButton* Value) {
  KP_ASSIGN_REPORT(FScrollButtons.get(), Value);
}
void TTabStripLookAndFeel::Invalidate() {
  TTabStripPersistent::Invalidate();
  FScrollButtons->Invalidate();
  FTabs->Invalidate();
  FTabsContainer->Invalidate();
  FCloseButton->Invalidate();
  FAddButton->Invalidate();
}
