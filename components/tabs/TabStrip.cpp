// The tab strip: construction and destruction, the state set, update counting, the change handler
// that decides activation, the draw-state rules, the properties and the events. Layout is in
// TabStripLayout.cpp, painting in TabStripPaint.cpp, the mouse in TabStripMouse.cpp, dragging in
// TabStripDrag.cpp, the animation tick and persistence in TabStripAnimation.cpp.
#include "components/tabs/TabStrip.h"

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"

const String STabStripNewTab = u"New tab";
const String STabStripDeleteTab = u"Delete Tab";
const String STabStripPinTab = u"Pin this tab";
const String STabStripUnpinTab = u"Unpin this tab";
const String STabStripNoCaption = u"<No Caption>";

// --- Construction ---------------------------------------------------------------------------------------

TCustomTabStrip::TCustomTabStrip(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle |= csCaptureMouse | csReplicatable | csOpaque;
  FCanvasBmp = std::make_unique<TBitmap>();
  FCanvasBmp->SetPixelFormat(pf32bit);
  FBackgroundBmp = std::make_unique<TBitmap>();
  FBackgroundBmp->SetPixelFormat(pf32bit);
  FLookAndFeel = std::make_unique<TTabStripLookAndFeel>(this);
  FOptions = std::make_unique<TOptions>(this);
  FTabs = std::make_unique<TTabStripList>(this);
  FAddButtonControl = std::make_unique<TAddButtonControl>(this);
  FScrollButtonLeftControl = std::make_unique<TScrollButtonLeftControl>(this);
  FScrollButtonRightControl = std::make_unique<TScrollButtonRightControl>(this);

  // The animation clock starts with the interval the options have now; later option values reach
  // it through ApplyTimerIntervals once the strip is ready.
  FAnimateTimer = std::make_unique<TThreadTimer>(nullptr);
  FAnimateTimer->SetInterval(FOptions->Animation()->AnimationTimerInterval());
  FAnimateTimer->OnTimer = [this](TObject* Sender) { AnimationTick(Sender); };
  FAnimateTimer->SetEnabled(true);

  FCancelTabSmartResizeTimer = std::make_unique<TTimer>(nullptr);
  FCancelTabSmartResizeTimer->SetEnabled(false);
  FCancelTabSmartResizeTimer->SetInterval(
      static_cast<Cardinal>(FOptions->Behaviour()->TabSmartDeleteResizeCancelDelay()));
  FCancelTabSmartResizeTimer->OnTimer = [this](TObject* Sender) { CancelTabSmartResizeTimerTick(Sender); };

  FScrollTimer = std::make_unique<TTimer>(nullptr);
  FScrollTimer->SetEnabled(false);
  FScrollTimer->SetInterval(static_cast<Cardinal>(FOptions->Scrolling()->ScrollRepeatDelay()));
  FScrollTimer->OnTimer = [this](TObject* Sender) { ScrollTimerTick(Sender); };

  SetBounds(Left(), Top(), 300, 30);
  FScrollOffset = -1;
  SetDefaultOptions();
  SetDefaultLookAndFeel();
  for (Integer i = 0; i < FTabs->Count(); ++i)
    if (TStripTabControl* C = ControlOf(FTabs->Items(i)))
      C->SetDrawState(C->DrawState(), 0, ttNone, true);
  AfterConstruction();
}

void TCustomTabStrip::AfterConstruction() { FControlConstructed = true; }

void TCustomTabStrip::BeforeDestruction() {
  // The animation clock stops first: a tick it has already handed over runs while it is stopped and
  // must find the strip whole (and does nothing because the strip is going).
  FDestroying = true;
  if (FAnimateTimer) FAnimateTimer->SetEnabled(false);
  TCustomControl::BeforeDestruction();
}

TCustomTabStrip::~TCustomTabStrip() {
  FDestroying = true;
  FAnimateTimer.reset();
  FScrollTimer.reset();
  FCancelTabSmartResizeTimer.reset();
  FForeignDragTabControl.reset();
  FDragTabControl = nullptr;
  FTabs.reset();
  FScrollButtonLeftControl.reset();
  FScrollButtonRightControl.reset();
  FAddButtonControl.reset();
  FCanvasBmp.reset();
  FBackgroundBmp.reset();
  FTabPopupMenu.reset();
  FOptions.reset();
  FLookAndFeel.reset();
  FActiveDragTabObject.reset();
  FDragTabObject.reset();
}

bool TCustomTabStrip::Ready() const {
  return !HasState(csLoading) && !HasState(csDestroying) && !FDestroying && FControlConstructed &&
         !(FControlState & csCreating);
}

void TCustomTabStrip::CreateWnd() {
  FWindowCreated = true;
  FScrollOffset = 0;
  FAddButtonControl->SetDrawState(dsNotActive, 0, ttNone, true);
  FScrollButtonLeftControl->SetDrawState(dsNotActive, 0, ttNone, true);
  FScrollButtonRightControl->SetDrawState(dsNotActive, 0, ttNone, true);
  SetControlDrawStates(true);
  AddState(stsControlPositionsInvalidated);
  AddState(stsFirstPaint);
  Redraw();
}

void TCustomTabStrip::SetParent(TWinControl* AParent) {
  TCustomControl::SetParent(AParent);
  // The window of the strip counts as made once the strip sits on a parent.
  if (AParent && !FWindowCreated && !FDestroying) CreateWnd();
}

void TCustomTabStrip::BoundsChanged() {
  TCustomControl::BoundsChanged();
  if (!HasState(csLoading) && FOptions) RedrawWhenShown();
}

void TCustomTabStrip::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FImagesOverlay) FImagesOverlay = nullptr;
  if (AComponent == FImagesSpinnerUpload) FImagesSpinnerUpload = nullptr;
  if (AComponent == FImagesSpinnerDownload) FImagesSpinnerDownload = nullptr;
}

// --- States and updates -----------------------------------------------------------------------------------

bool TCustomTabStrip::HasState(TStripTabState State) const { return FState.Contains(State); }

bool TCustomTabStrip::AddState(TStripTabState State) {
  if (FState.Contains(State)) return false;
  const TStripTabStates Previous = FState;
  FState.Include(State);
  DoOnStateChange(Previous, FState);
  return true;
}

bool TCustomTabStrip::RemoveState(TStripTabState State) {
  if (!FState.Contains(State)) return false;
  const TStripTabStates Previous = FState;
  FState.Exclude(State);
  DoOnStateChange(Previous, FState);
  return true;
}

void TCustomTabStrip::RemoveDeleteStates() {
  RemoveState(stsDeletingUnPinnedTabs);
  RemoveState(stsTabDeleted);
  RemoveState(stsEndTabDeleted);
}

void TCustomTabStrip::BeginUpdate() {
  if (FUpdateCount == 0) FPausedUpdateCount = 0;
  ++FUpdateCount;
}

void TCustomTabStrip::EndUpdate() {
  if (FUpdateCount == 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0 && FPausedUpdateCount > 0) {
    FPausedUpdateCount = 0;
    Redraw();
  }
}

void TCustomTabStrip::Redraw() {
  if (FUpdateCount > 0) {
    ++FPausedUpdateCount;
    AddState(stsPendingUpdates);
    return;
  }
  RemoveState(stsPendingUpdates);
  if (FQuietRedraws > 0) {
    UpdateControlPositions();
    Invalidate();
    return;
  }
  RepaintNow();
}

void TCustomTabStrip::RepaintNow() {
  if (FDestroying || !FWindowCreated || Width() <= 0 || Height() <= 0) return;
  PaintWindow(Canvas());
}

void TCustomTabStrip::RedrawWhenShown() {
  if (Showing() || FUpdateCount > 0 || !Ready()) {
    Redraw();
    return;
  }
  // A strip that is not on the screen draws nothing when its bounds change: its controls take
  // their places, and it is drawn in full when shown.
  UpdateControlPositions();
  Invalidate();
}

void TCustomTabStrip::Invalidate() { TCustomControl::Invalidate(); }

void TCustomTabStrip::InvalidateAllControls() {
  if (!Ready() || FInvalidatingControls) return;
  FInvalidatingControls = true;
  try {
    for (Integer i = 0; i < FTabs->Count(); ++i)
      if (TStripTabControl* C = ControlOf(FTabs->Items(i))) SetControlDrawState(C, C->DrawState(), true);
    FLookAndFeel->Invalidate();
    FAddButtonControl->Invalidate();
    FScrollButtonLeftControl->Invalidate();
    FScrollButtonRightControl->Invalidate();
    if (!HasState(stsDeletingUnPinnedTabs)) AddState(stsControlPositionsInvalidated);
    Redraw();
  } catch (...) {
    FInvalidatingControls = false;
    throw;
  }
  FInvalidatingControls = false;
}

void TCustomTabStrip::ApplyTimerIntervals() {
  FAnimateTimer->SetInterval(FOptions->Animation()->AnimationTimerInterval());
  FCancelTabSmartResizeTimer->SetInterval(
      static_cast<Cardinal>(FOptions->Behaviour()->TabSmartDeleteResizeCancelDelay()));
  FScrollTimer->SetInterval(static_cast<Cardinal>(FOptions->Scrolling()->ScrollRepeatDelay()));
}

TStripTabControl* TCustomTabStrip::ControlOf(TStripTab* Tab) const {
  return Tab ? dynamic_cast<TStripTabControl*>(Tab->TabControl()) : nullptr;
}

// --- The change handler ---------------------------------------------------------------------------------------

void TCustomTabStrip::TabChanged(TStripTab* Tab, TTabChangeType ChangeType) {
  if (FDestroying) return;
  // A strip that is not on the screen (its form hidden, as every dialog is at start) draws nothing
  // for a change of its tabs: its controls take their places, and it is drawn when shown.
  struct TQuiet {
    Integer& Count;
    const bool On;
    ~TQuiet() {
      if (On) --Count;
    }
  } Quiet{FQuietRedraws, Tab && !Showing() && FUpdateCount == 0 && Ready()};
  if (Quiet.On) ++FQuietRedraws;
  if (Ready() && ChangeType == tcPropertyUpdated) ApplyPropertyUpdate();
  bool TabGone = false;
  if (Tab) {
    TStripTabControl* Control = ControlOf(Tab);
    if (!Control) Control = CreateTabControl(Tab, ChangeType);
    TabGone = ReactToTabChange(Tab, Control, ChangeType);
    ActivateLastVisibleTabWhenNoneActive();
    Redraw();
  }
  if (OnChange) OnChange(this, TabGone ? nullptr : Tab, ChangeType);
}

void TCustomTabStrip::ApplyPropertyUpdate() {
  ApplyTimerIntervals();
  SetControlDrawStates(true);
  InvalidateAllControls();
}

TStripTabControl* TCustomTabStrip::CreateTabControl(TStripTab* Tab, TTabChangeType ChangeType) {
  // The first report of a tab gives it its control.
  TStripTabControl* Control = new TStripTabControl(this, Tab);
  Tab->SetTabControl(Control);
  TTabStripMovementAnimationTypes* Add = FOptions->Animation()->MovementAnimations()->TabAdd();
  if (FOptions->Animation()->GetMovementAnimationEaseType(Add) != ttNone) {
    PlaceGrowingTabControl(Tab, Control);
    SetMovementAnimation(Add);
  }
  if (OnChange) OnChange(this, Tab, ChangeType);
  if (FOptions->Behaviour()->ActivateNewTab() &&
      (!FTabs->ActiveTab() || (Ready() && !HasState(stsAddingDroppedTab)))) {
    Tab->SetActive(true);
    AddState(stsAnimatingNewTab);
  } else {
    SetControlDrawState(Control, dsNotActive, false);
  }
  return Control;
}

void TCustomTabStrip::PlaceGrowingTabControl(TStripTab* Tab, TStripTabControl* Control) {
  // The new tab grows out of the right edge of the tab before it.
  TTabStripDisplayOptions* D = FOptions->Display();
  Integer L = D->Tabs()->OffsetLeft() + D->TabContainer()->PaddingLeft();
  for (Integer i = FTabs->Count() - 2; i >= 0; --i) {
    TStripTab* T = FTabs->Items(i);
    TStripTabControl* C = ControlOf(T);
    if (T->Visible() && C && T != Tab) {
      L = C->ControlRect().Right - D->Tabs()->TabOverlap();
      break;
    }
  }
  SetControlPosition(Control,
                     TRect(L, D->Tabs()->OffsetTop(), L + FOptions->Animation()->MinimumTabAnimationWidth(),
                           ClientHeight() - D->Tabs()->OffsetBottom()),
                     false);
}

bool TCustomTabStrip::ReactToTabChange(TStripTab* Tab, TStripTabControl* Control, TTabChangeType ChangeType) {
  switch (ChangeType) {
    case tcAdded:
      RemoveDeleteStates();
      Redraw();
      break;
    case tcDeleting:
      TabDeleting(Tab, Control);
      break;
    case tcDeleted:
      return TabMarkedDeleted(Tab, Control);
    case tcActivated:
      SetControlDrawState(Control, dsActive, false);
      if (FOptions->Scrolling()->Enabled()) ScrollIntoView(Tab);
      DoOnActiveTabChanged(Tab);
      break;
    case tcDeactivated:
      SetControlDrawState(Control, dsNotActive, false);
      if (!FTabs->ActiveTab()) ActivateNeighbourOf(Tab);
      break;
    case tcPinned:
    case tcVisibility:
      AddState(stsControlPositionsInvalidated);
      break;
    case tcControlState:
      if (Control) Control->Invalidate();
      break;
    case tcMoved:
    case tcPropertyUpdated:
      break;
  }
  return false;
}

void TCustomTabStrip::TabDeleting(TStripTab* Tab, TStripTabControl* Control) {
  // The control of a tab being deleted goes with it: a drag must not keep showing it.
  if (Control && Control == FDragTabControl) FDragTabControl = nullptr;
  RemoveState(stsEndTabDeleted);
  if (FOptions->Behaviour()->TabSmartDeleteResizing())
    AddState(Tab->Index() == FTabs->Count() - 1 ? stsEndTabDeleted : stsTabDeleted);
}

bool TCustomTabStrip::TabMarkedDeleted(TStripTab* Tab, TStripTabControl* Control) {
  TTabStripAnimationOptions* Anim = FOptions->Animation();
  SetMovementAnimation(Anim->MovementAnimations()->TabDelete());
  if (FMovementEaseType == ttNone) return false;
  if (GetTabDisplayState() == tdCompressed && Tab->Index() == FTabs->Count() - 1) {
    // The tab is deleted at once: the caller may not touch it any more.
    FTabs->DeleteTab(Tab->Index(), true);
    return true;
  }
  AddState(stsAnimatingCloseTab);
  Control->SetWidth(Anim->MinimumTabAnimationWidth(), FMovementAnimationTime, FMovementEaseType);
  return false;
}

void TCustomTabStrip::ActivateNeighbourOf(TStripTab* Tab) {
  // The next visible tab to the right takes over, else the nearest one to the left.
  const Integer Index = Tab->Index();
  TStripTab* Next = nullptr;
  for (Integer i = Index + 1; i < FTabs->Count() && !Next; ++i) {
    TStripTab* T = FTabs->Items(i);
    if (T->Visible() && !T->MarkedForDeletion()) Next = T;
  }
  for (Integer i = Index - 1; i >= 0 && !Next; --i) {
    TStripTab* T = FTabs->Items(i);
    if (T->Visible() && !T->MarkedForDeletion()) Next = T;
  }
  if (Next) Next->SetActive(true);
}

void TCustomTabStrip::ActivateLastVisibleTabWhenNoneActive() {
  if (FTabs && !FTabs->ActiveTab() && FOptions->Behaviour()->ActivateNewTab()) {
    TStripTab* Last = LastVisibleTab(true);
    if (Last) Last->SetActive(true);
  }
}

// --- Draw states -------------------------------------------------------------------------------------------

void TCustomTabStrip::SetControlDrawState(TBaseTabStripControl* Control, TDrawState NewState, bool Force) {
  if (!Control) return;
  const TDrawState Old = Control->DrawState();
  if (Old == NewState && !Force) return;
  const bool Designing = HasState(csDesigning);
  TTabStripAnimationOptions* Anim = FOptions->Animation();
  TTabStripEaseType Ease = Anim->DefaultStyleEaseType();
  Cardinal Time = Anim->DefaultStyleAnimationTimeMS();
  if (Designing) {
    Ease = ttNone;
  } else if (dynamic_cast<TStripTabControl*>(Control)) {
    // Tabs fade only into and out of the hover look; activation switches at once.
    const bool Fades = (Old == dsHot && NewState != dsActive) || (Old != dsActive && NewState == dsHot);
    if (!Fades) Ease = ttNone;
  }
  if (Old != NewState && !Designing) DoOnAnimateStyle(Control, NewState, Time, Ease);
  Control->SetDrawState(NewState, Time, Ease, Force);
}

void TCustomTabStrip::SetControlDrawStates(bool Force) {
  if (IsDragging() || !FOptions) return;
  BeginUpdate();
  try {
    const THitTestResult R = HitTest(TPoint(FLastMouseX, FLastMouseY), false);
    if (Force || !(HasState(stsPendingUpdates) || R == FLastHitTestResult)) {
      FLastHitTestResult = R;
      const Integer Max = MaxScrollOffset();
      const bool AtStart = FScrollOffset <= 0;
      const bool AtEnd = FScrollOffset >= Max;
      const bool LeftDisabled = Mirrored() ? AtEnd : AtStart;
      const bool RightDisabled = Mirrored() ? AtStart : AtEnd;
      SetControlDrawState(FScrollButtonLeftControl.get(), LeftDisabled ? dsDisabled : dsActive, Force);
      SetControlDrawState(FScrollButtonRightControl.get(), RightDisabled ? dsDisabled : dsActive, Force);
      SetControlDrawState(FAddButtonControl.get(), dsNotActive, Force);
      const TDrawState Pressed = HasState(stsMouseDown) ? dsDown : dsHot;
      switch (R.HitTestArea) {
        case htAddButton: SetControlDrawState(FAddButtonControl.get(), Pressed, Force); break;
        case htScrollButtonLeft:
          if (FScrollOffset > 0) SetControlDrawState(FScrollButtonLeftControl.get(), Pressed, Force);
          break;
        case htScrollButtonRight:
          if (FScrollOffset < Max) SetControlDrawState(FScrollButtonRightControl.get(), Pressed, Force);
          break;
        default:
          for (Integer i = 0; i < FTabs->Count(); ++i) {
            TStripTab* T = FTabs->Items(i);
            TStripTabControl* C = ControlOf(T);
            if (!C) continue;
            if (i == R.TabIndex && !FDragTabObject) {
              if (!T->Active()) SetControlDrawState(C, dsHot, Force);
              if (R.HitTestArea == htCloseButton)
                C->SetCloseButtonState(Pressed);
              else
                C->SetCloseButtonState(T->Active() ? dsActive : dsNotActive);
            } else {
              if (!T->Active()) SetControlDrawState(C, dsNotActive, Force);
              C->SetCloseButtonState(dsNotActive);
            }
          }
          break;
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

// --- Properties --------------------------------------------------------------------------------------------

Integer TCustomTabStrip::ActiveTabIndex() {
  TStripTab* T = FTabs ? FTabs->ActiveTab() : nullptr;
  return T ? T->Index() : -1;
}

void TCustomTabStrip::SetActiveTabIndex(Integer Value) {
  if (Value == -1) {
    if (TStripTab* T = FTabs->ActiveTab()) T->SetActive(false);
  } else if (Value >= 0 && Value < FTabs->Count()) {
    FTabs->Items(Value)->SetActive(true);
  }
}

void TCustomTabStrip::SetActiveTab(TStripTab* Value) {
  if (Value) FTabs->SetActiveTab(Value);
}

void TCustomTabStrip::SetTabs(TTabStripList* Value) { FTabs->Assign(Value); }
void TCustomTabStrip::SetOptions(TOptions* Value) { FOptions->Assign(Value); }
void TCustomTabStrip::SetLookAndFeel(TTabStripLookAndFeel* Value) { FLookAndFeel->Assign(Value); }

void TCustomTabStrip::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Redraw();
}

void TCustomTabStrip::SetImagesOverlay(TImageList* Value) {
  if (FImagesOverlay) FImagesOverlay->RemoveFreeNotification(this);
  FImagesOverlay = Value;
  if (FImagesOverlay) FImagesOverlay->FreeNotification(this);
  Redraw();
}

void TCustomTabStrip::SetImagesSpinnerUpload(TImageList* Value) {
  if (FImagesSpinnerUpload) FImagesSpinnerUpload->RemoveFreeNotification(this);
  FImagesSpinnerUpload = Value;
  if (FImagesSpinnerUpload) FImagesSpinnerUpload->FreeNotification(this);
}

void TCustomTabStrip::SetImagesSpinnerDownload(TImageList* Value) {
  if (FImagesSpinnerDownload) FImagesSpinnerDownload->RemoveFreeNotification(this);
  FImagesSpinnerDownload = Value;
  if (FImagesSpinnerDownload) FImagesSpinnerDownload->FreeNotification(this);
}

void TCustomTabStrip::SetBiDiMode(TBiDiMode Value) {
  if (Value == FBiDiMode) return;
  FBiDiMode = Value;
  Redraw();
}

String TCustomTabStrip::GetTabDescription(Integer Index) {
  if (Index < 0 || Index >= FTabs->Count()) return String();
  const String& C = FTabs->Items(Index)->Caption();
  return C.empty() ? STabStripNoCaption : C;
}

TStripTabControl* TCustomTabStrip::GetTabControl(Integer Index) {
  if (Index == -1) return nullptr;
  return ControlOf(FTabs->Items(Index));
}

TStripTab* TCustomTabStrip::GetTabUnderMouse() {
  const THitTestResult R = HitTest(TPoint(FLastMouseX, FLastMouseY), false);
  if (R.TabIndex < 0 || R.TabIndex >= FTabs->Count()) return nullptr;
  return FTabs->Items(R.TabIndex);
}

// --- ITabStrip ---------------------------------------------------------------------------------------------

Integer TCustomTabStrip::GetLastPinnedIndex() {
  Integer Result = -1;
  if (!FTabs) return Result;
  for (Integer i = 0; i < FTabs->Count() && FTabs->Items(i)->Pinned(); ++i) Result = i;
  return Result;
}

TStripTab* TCustomTabStrip::GetActiveTabItem() { return FTabs ? FTabs->ActiveTab() : nullptr; }

TStripTabPolygonsPtr TCustomTabStrip::GetPreviousTabPolygons(Integer Index) {
  for (Integer i = std::min(Index, FTabs->Count()) - 1; i >= 0; --i) {
    TStripTab* T = FTabs->Items(i);
    if (!T->Visible()) continue;
    TStripTabControl* C = ControlOf(T);
    return C ? C->GetPolygons() : nullptr;
  }
  return nullptr;
}

void TCustomTabStrip::DoOnBeforeDrawItem(TGPGraphics* TargetCanvas, const TRect& ItemRect,
                                         TStripTabItemType ItemType, Integer TabIndex, bool& Handled) {
  Handled = false;
  if (OnBeforeDrawItem) OnBeforeDrawItem(this, TargetCanvas, ItemRect, ItemType, TabIndex, Handled);
}

void TCustomTabStrip::DoOnAfterDrawItem(TGPGraphics* TargetCanvas, const TRect& ItemRect,
                                        TStripTabItemType ItemType, Integer TabIndex) {
  if (OnAfterDrawItem) OnAfterDrawItem(this, TargetCanvas, ItemRect, ItemType, TabIndex);
}

void TCustomTabStrip::DoOnGetControlPolygons(TBaseTabStripControl* Control, const TRect& ItemRect,
                                             TStripTabItemType ItemType, TTabOrientation Orientation,
                                             TStripTabPolygonsPtr& Polygons) {
  if (OnGetControlPolygons) OnGetControlPolygons(this, Control, ItemRect, ItemType, Orientation, Polygons);
}

void TCustomTabStrip::DoOnDebugLog(const String& Pattern, const std::vector<TVarRec>& Args) {
  if (!FOptions || !FOptions->Behaviour()->DebugMode() || !OnDebugLog) return;
  OnDebugLog(this, FormatV(Pattern, Args));
}

void TCustomTabStrip::DoOnActiveTabChanging(TStripTab* OldTab, TStripTab* NewTab, bool& Allow) {
  if (OnActiveTabChanging) OnActiveTabChanging(this, OldTab, NewTab, Allow);
}

TRect TCustomTabStrip::ScrollRect(const TRect& R) {
  return TRect(R.Left - FScrollOffset, R.Top, R.Right - FScrollOffset, R.Bottom);
}

TRect TCustomTabStrip::BidiScrollRect(const TRect& R) {
  if (Mirrored()) return TRect(R.Left + FScrollOffset, R.Top, R.Right + FScrollOffset, R.Bottom);
  return ScrollRect(R);
}

TRect TCustomTabStrip::BidiRect(const TRect& R) {
  if (Mirrored()) return HorzFlipRect(ClientRect(), R);
  return R;
}

// --- Events ---------------------------------------------------------------------------------------------------

void TCustomTabStrip::DoOnActiveTabChanged(TStripTab* Tab) {
  if (OnActiveTabChanged) OnActiveTabChanged(this, Tab);
}

void TCustomTabStrip::DoOnButtonCloseTabClick(TStripTab* Tab, bool& Close) {
  if (OnButtonCloseTabClick) OnButtonCloseTabClick(this, Tab, Close);
}

void TCustomTabStrip::DoOnButtonAddClick() {
  bool Handled = false;
  if (OnButtonAddClick) OnButtonAddClick(this, Handled);
  if (!Handled) FTabs->Add();
}

void TCustomTabStrip::DoOnNeedDragImageControl(TStripTab* Tab, TWinControl*& DragControl) {
  if (OnNeedDragImageControl) OnNeedDragImageControl(this, Tab, DragControl);
}

void TCustomTabStrip::DoOnCreateDragForm(TStripTab* Tab, TCustomForm*& DragForm) {
  if (OnCreateDragForm) OnCreateDragForm(this, Tab, DragForm);
}

void TCustomTabStrip::DoOnBeginTabDrag(TStripTab* Tab, bool& Allow) {
  if (OnBeginTabDrag) OnBeginTabDrag(this, Tab, Allow);
}

void TCustomTabStrip::DoOnStateChange(TStripTabStates PreviousStates, TStripTabStates CurrentStates) {
  if (OnStateChange) OnStateChange(this, PreviousStates, CurrentStates);
}

void TCustomTabStrip::DoOnMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TCustomTabStrip::DoOnShowHint(const THitTestResult& HitTestResult, String& HintText, Integer& HintTimeout) {
  if (OnShowHint) OnShowHint(this, HitTestResult, HintText, HintTimeout);
}

void TCustomTabStrip::DoOnTabDblClick(TStripTab* Tab) {
  if (OnTabDblClick) OnTabDblClick(this, Tab);
}

void TCustomTabStrip::DoOnTabDragStart(TStripTab* Tab, bool& Allow) {
  if (OnTabDragStart) OnTabDragStart(this, Tab, Allow);
}

void TCustomTabStrip::DoOnTabDragOver(Integer X, Integer Y, TDragState State, const TDragTabObjectPtr& DragObject,
                                      bool& Accept) {
  if (OnTabDragOver) OnTabDragOver(this, X, Y, State, DragObject, Accept);
}

void TCustomTabStrip::DoOnTabDragDrop(Integer X, Integer Y, const TDragTabObjectPtr& DragObject, bool Cancelled,
                                      TTabDropOptions& DropOptions) {
  if (OnTabDragDrop) OnTabDragDrop(this, X, Y, DragObject, Cancelled, DropOptions);
}

void TCustomTabStrip::DoOnTabDragDropped(const TDragTabObjectPtr& DragObject, TStripTab* NewTab) {
  if (OnTabDragDropped) OnTabDragDropped(this, DragObject, NewTab);
}

void TCustomTabStrip::DoOnTabDragEnd(Integer MouseX, Integer MouseY, bool Cancelled) {
  if (OnTabDragEnd) OnTabDragEnd(this, MouseX, MouseY, Cancelled);
}

void TCustomTabStrip::DoOnScroll() {
  if (OnScroll) OnScroll(this);
}

void TCustomTabStrip::DoOnScrollWidthChanged() {
  if (OnScrollWidthChanged) OnScrollWidthChanged(this);
}

void TCustomTabStrip::DoOnAnimateStyle(TBaseTabStripControl* Control, TDrawState NewDrawState,
                                       Cardinal& AnimationTimeMS, TTabStripEaseType& EaseType) {
  if (OnAnimateStyle) OnAnimateStyle(this, Control, NewDrawState, AnimationTimeMS, EaseType);
}

void TCustomTabStrip::DoOnAnimateMovement(TBaseTabStripControl* Control, Cardinal& AnimationTimeMS,
                                          TTabStripEaseType& EaseType) {
  if (OnAnimateMovement) OnAnimateMovement(this, Control, AnimationTimeMS, EaseType);
}

void TCustomTabStrip::DoOnSetTabWidth(TStripTabControl* TabControl, Integer& TabWidth) {
  if (OnSetTabWidth) OnSetTabWidth(this, TabControl, TabWidth);
}

void TCustomTabStrip::DoOnAfterDragImageCreated() {
  if (OnAfterDragImageCreated) OnAfterDragImageCreated(this);
}
