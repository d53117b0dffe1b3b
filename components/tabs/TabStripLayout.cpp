// Where the strip puts its buttons and tabs: button rectangles, the tab width between its limits
// with the remainder pixels, overlapping tabs, the gap a dragged tab opens, smart resizing after a
// close, the floating add button, the display state, scrolling and hit testing. Positions are
// client coordinates of the unscrolled row; the controls apply the scroll offset when they draw.
#include <algorithm>

#include "components/tabs/TabStrip.h"
#include "platform/gui/ExtCtrls.h"

// --- Positions and movement ---------------------------------------------------------------------------------

void TCustomTabStrip::SetControlPosition(TBaseTabStripControl* Control, const TRect& R, bool Animate) {
  if (!Control) return;
  const bool Designing = HasState(csDesigning);
  Cardinal Time = 0;
  TTabStripEaseType Ease = ttNone;
  if (Animate && !Designing) {
    Time = FMovementAnimationTime;
    Ease = FMovementEaseType;
  }
  if (!Designing) DoOnAnimateMovement(Control, Time, Ease);
  Control->SetPosition(R, Time, Ease);
}

void TCustomTabStrip::SetMovementAnimation(TTabStripMovementAnimationTypes* Animation) {
  if (!Animation) {
    FMovementEaseType = ttNone;
    FMovementAnimationTime = 0;
    return;
  }
  TTabStripAnimationOptions* A = FOptions->Animation();
  FMovementEaseType = A->GetMovementAnimationEaseType(Animation);
  FMovementAnimationTime = A->GetMovementAnimationTime(Animation);
}

TStripTab* TCustomTabStrip::LastVisibleTab(bool SkipMarked) {
  if (!FTabs) return nullptr;
  for (Integer i = FTabs->Count() - 1; i >= 0; --i) {
    TStripTab* T = FTabs->Items(i);
    if (T->Visible() && !(SkipMarked && T->MarkedForDeletion())) return T;
  }
  return nullptr;
}

// --- Buttons ------------------------------------------------------------------------------------------------------

bool TCustomTabStrip::ScrollButtonsEnabled() {
  TTabStripScrollOptions* S = FOptions->Scrolling();
  return S->Enabled() && (GetTabDisplayState() == tdScrolling || !S->AutoHideButtons());
}

bool TCustomTabStrip::ScrollButtonShown(TBaseTabStripControl* Button) {
  return ScrollButtonsEnabled() && !IsRectEmpty(Button->ControlRect());
}

void TCustomTabStrip::CalculateButtonRects() {
  TTabStripDisplayOptions* D = FOptions->Display();
  TTabStripScrollOptions* S = FOptions->Scrolling();
  Integer L = D->TabContainer()->PaddingLeft();
  Integer R = ClientWidth() - D->TabContainer()->PaddingRight();

  SetControlPosition(FAddButtonControl.get(), TRect(), false);
  SetControlPosition(FScrollButtonLeftControl.get(), TRect(), false);
  SetControlPosition(FScrollButtonRightControl.get(), TRect(), false);

  const bool ShowScroll = ScrollButtonsEnabled();
  auto FromLeft = [&](TBaseTabStripControl* C, TTabStripControlPosition* P) {
    const Integer H = P->Offsets()->Horizontal(), V = P->Offsets()->Vertical();
    SetControlPosition(C, TRect(L + H, V, L + H + P->Width(), V + P->Height()), false);
    L += P->Width() + H + 1;
  };
  auto FromRight = [&](TBaseTabStripControl* C, TTabStripControlPosition* P) {
    const Integer H = P->Offsets()->Horizontal(), V = P->Offsets()->Vertical();
    SetControlPosition(C, TRect(R - P->Width() - H, V, R - H, V + P->Height()), false);
    R -= P->Width() + H + 1;
  };

  const TStripTabScrollButtons SB = S->ScrollButtons();
  if (ShowScroll && (SB == csbLeft || SB == csbLeftAndRight))
    FromLeft(FScrollButtonLeftControl.get(), D->ScrollButtonLeft());
  if (ShowScroll && SB == csbLeft) FromLeft(FScrollButtonRightControl.get(), D->ScrollButtonRight());
  TTabStripAddButtonProperties* A = D->AddButton();
  if (A->Visibility() == avLeft) FromLeft(FAddButtonControl.get(), A);
  if (ShowScroll && (SB == csbRight || SB == csbLeftAndRight))
    FromRight(FScrollButtonRightControl.get(), D->ScrollButtonRight());
  if (ShowScroll && SB == csbRight) FromRight(FScrollButtonLeftControl.get(), D->ScrollButtonLeft());
  if (A->Visibility() == avRightFixed || A->Visibility() == avRightFloating) {
    const Integer H = A->Offsets()->Horizontal(), V = A->Offsets()->Vertical();
    FMaxAddButtonRight = R - A->Width() - H;
    if (A->Visibility() == avRightFixed)
      SetControlPosition(FAddButtonControl.get(), TRect(FMaxAddButtonRight, V, R - H, V + A->Height()), false);
    R -= A->Width() + H + 1;
  }

  TTabStripOptions* T = D->Tabs();
  const Integer Bottom = ClientHeight() - T->OffsetBottom();
  if (FOptions->Behaviour()->TabSmartDeleteResizing() && HasState(stsDeletingUnPinnedTabs) &&
      HasState(stsEndTabDeleted)) {
    // The last tab was closed with the mouse: the row scrolls back by the closed tab's width and
    // the container ends where that tab ended, so the remaining tabs keep their widths.
    const Integer Old = FScrollOffset;
    const Integer New = std::max(0, Old + T->TabOverlap() - FClosedTabRect.Width());
    FScrollOffset = New;
    FTabContainerRect = TRect(L + T->OffsetLeft(), T->OffsetTop(), FClosedTabRect.Right + New - Old, Bottom);
    if (New < Old) RemoveState(stsEndTabDeleted);
  } else {
    FTabContainerRect = TRect(L + T->OffsetLeft(), T->OffsetTop(), R - T->OffsetRight(), Bottom);
  }
}

// --- Tabs ---------------------------------------------------------------------------------------------------------

void TCustomTabStrip::CalculateTabWidth() {
  TTabStripOptions* T = FOptions->Display()->Tabs();
  if (FDragTabObject && FDragTabObject->GetDockControl() == this) return;
  if (T->TabWidthFromContent()) return;
  Integer P = 0, U = 0;
  for (Integer i = 0; i < FTabs->Count(); ++i) {
    TStripTab* Tab = FTabs->Items(i);
    if (!Tab->Visible() || Tab->MarkedForDeletion()) continue;
    if (Tab->Pinned())
      ++P;
    else
      ++U;
  }
  const Integer PWithoutDragged = P;
  // A tab of another strip dragged over this one counts as one more tab.
  if (FActiveDragTabObject && FActiveDragTabObject->GetSourceControl() != this &&
      FActiveDragTabObject->GetDragTab()) {
    if (FActiveDragTabObject->GetDragTab()->Pinned())
      ++P;
    else
      ++U;
  }
  const Integer W = FTabContainerRect.Width();
  const Integer DragExtra = FDragTabControl ? T->TabOverlap() : 0;
  Integer Width = 0, Remainder = 0;
  if (T->ShowPinnedTabText()) {
    const Integer C = W - T->TabOverlap() + DragExtra;
    const Integer N = U + PWithoutDragged;
    if (N > 0) {
      Width = C / N;
      Remainder = C % N;
    }
  } else {
    const Integer C = W - P * T->PinnedWidth() - T->TabOverlap() + DragExtra;
    if (U > 0) {
      Width = C / U;
      Remainder = C % U;
    }
  }
  if (Width < T->MinWidth()) {
    Width = T->MinWidth();
    Remainder = 0;
  } else if (Width > T->MaxWidth()) {
    Width = T->MaxWidth();
    Remainder = 0;
  }
  FAdjustedTabWidth = Width;
  FTabEndSpace = Remainder;
}

Integer TCustomTabStrip::ContentWidth(TStripTabControl* Control) {
  TTabStripOptions* T = FOptions->Display()->Tabs();
  Integer W = Control->GetTabWidthByContent();
  W = std::max(W, T->MinWidth());
  W = std::min(W, T->MaxWidth());
  DoOnSetTabWidth(Control, W);
  return W;
}

TStripTab* TCustomTabStrip::DraggedTab() const {
  return FDragTabObject ? FDragTabObject->GetDragTab() : nullptr;
}

void TCustomTabStrip::PlaceGroup(Integer& X, Integer FirstIndex, Integer LastIndex, bool Pinned, Integer TabWidth,
                                 Integer Remainder) {
  TTabStripDisplayOptions* D = FOptions->Display();
  TTabStripOptions* T = D->Tabs();
  const Integer Top = T->OffsetTop();
  const Integer Bottom = ClientHeight() - T->OffsetBottom();
  const Integer Overlap = T->TabOverlap();
  const bool AddFloats = D->AddButton()->Visibility() == avRightFloating;
  const bool StartedHere = FDragTabObject != nullptr;
  // A drag that started here and is docked on another strip or on none leaves its tab out.
  const bool DraggedAway = StartedHere && FDragTabObject->GetDockControl() != this;
  TStripTab* OwnDragged = DraggedTab();

  // 1. The gap of a dragged tab of this group's kind, with the dragged control under the mouse.
  TDragTabObjectPtr Over = FActiveDragTabObject;
  TStripTabControl* DragControl = FDragTabControl;
  bool GapPending = false;
  Integer G = 0;
  if (Over && Over->GetDragTab() && Over->GetDragTab()->Pinned() == Pinned && DragControl) {
    if (T->TabWidthFromContent())
      G = ContentWidth(DragControl) + Overlap;
    else
      G = std::max(Overlap + TabWidth, T->MinWidth());
    Integer Grip = std::min(Over->GetDragCursorOffset().X, G - Overlap);
    IStripTabDockControl* Source = Over->GetSourceControl();
    const bool SourceMirrored =
        Source && (Source->GetBiDiMode() == bdRightToLeft || Source->GetBiDiMode() == bdRightToLeftNoAlign);
    if (Source && SourceMirrored != Mirrored()) Grip = -Grip;
    const Integer MouseX = Mirrored() ? ClientWidth() - FDragOverPoint.X : FDragOverPoint.X;
    Integer Left = MouseX - Grip;
    if (FOptions->DragDrop()->ContrainDraggedTabWithinContainer()) {
      Integer MaxRight = FTabContainerRect.Right;
      if (AddFloats) MaxRight += D->AddButton()->Width() + D->AddButton()->Offsets()->Horizontal();
      if (Left + G > MaxRight) Left = MaxRight - G;
      const Integer MinLeft = T->OffsetLeft() + D->TabContainer()->PaddingLeft();
      if (Left < MinLeft) Left = MinLeft;
    }
    SetControlPosition(DragControl, TRect(Left, Top, Left + G, Bottom), false);
    GapPending = true;
  }
  const bool DockedHere = Over && Over->GetDockControl() == this;
  auto SetHideAddButton = [&](bool Allowed) {
    if (!Allowed || !Over || !Over->GetDragTab()) return;
    if (Over->GetDragTab()->Index() == FTabs->Count() - 1) Over->SetHideAddButton(AddFloats);
  };

  // 2. and 3. The tabs of the group, with the gap before the first tab the dragged one's middle
  // lies left of.
  for (Integer i = FirstIndex; i <= LastIndex; ++i) {
    TStripTab* Tab = FTabs->Items(i);
    if (!Tab->Visible()) continue;
    if (DraggedAway && Tab == OwnDragged) continue;
    if (GapPending) {
      const TRect& DR = DragControl->ControlRect();
      const Integer Middle = DR.Left + DR.Width() / 2 + FScrollOffset + Overlap / 2;
      if (Middle < X + DR.Width()) {
        if (DockedHere) {
          X += DR.Width() - Overlap;
          FScrollWidth += DR.Width() - Overlap;
        }
        SetHideAddButton(!Pinned);
        Integer Drop = i;
        if (StartedHere && OwnDragged && OwnDragged->Index() < i) --Drop;
        Over->SetDropTabIndex(Drop);
        GapPending = false;
      }
    }
    if (StartedHere && Tab == OwnDragged) continue;
    TStripTabControl* C = ControlOf(Tab);
    if (!C) continue;
    if (Tab->MarkedForDeletion()) {
      X += C->ControlRect().Width();
      FScrollWidth += C->ControlRect().Width();
      continue;
    }
    const bool TextGroup = !Pinned || T->ShowPinnedTabText();
    const Integer E = (Remainder > 0 && !T->TabWidthFromContent() && TextGroup) ? 1 : 0;
    --Remainder;
    if (HasState(stsResizing)) SetMovementAnimation(nullptr);
    Integer W = TabWidth;
    if (T->TabWidthFromContent() && TextGroup) W = ContentWidth(C);
    SetControlPosition(C, TRect(X, Top, X + W + Overlap, Bottom), true);
    X += W + E;
    FScrollWidth += W + E;
  }

  // 4. A gap still waiting goes at the end of the group.
  if (GapPending) {
    Integer Drop = LastIndex;
    if (!(StartedHere && DockedHere)) ++Drop;
    if (Pinned && DockedHere) X += DragControl->ControlRect().Width() - Overlap;
    bool AllPinned = true;
    for (Integer i = 0; i < FTabs->Count(); ++i)
      if (!FTabs->Items(i)->Pinned()) AllPinned = false;
    SetHideAddButton(!Pinned || AllPinned);
    FScrollWidth += DragControl->ControlRect().Width();
    Over->SetDropTabIndex(std::max(0, Drop));
  }
}

void TCustomTabStrip::SmartResizeTabRects(Integer& X) {
  // Tabs left of the closed one stay; the first tab after it takes the closed tab's place and
  // width; the later tabs keep their widths and close up.
  TTabStripOptions* T = FOptions->Display()->Tabs();
  const Integer Top = T->OffsetTop();
  const Integer Bottom = ClientHeight() - T->OffsetBottom();
  bool First = true;
  for (Integer i = std::max(0, FClosedTabIndex); i < FTabs->Count(); ++i) {
    TStripTab* Tab = FTabs->Items(i);
    TStripTabControl* C = ControlOf(Tab);
    if (!Tab->Visible() || Tab->MarkedForDeletion() || !C) continue;
    Integer W = C->EndRect().Width();
    if (First) {
      X = FClosedTabRect.Left;
      W = FClosedTabRect.Width();
      First = false;
    }
    SetControlPosition(C, TRect(X, Top, X + W, Bottom), true);
    X = X + W - T->TabOverlap();
    FScrollWidth = X;
  }
}

void TCustomTabStrip::CalculateTabRects() {
  FLaidOutTabCount = FTabs->Count();
  TTabStripDisplayOptions* D = FOptions->Display();
  TTabStripOptions* T = D->Tabs();
  FScrollWidth = 0;
  Integer X = FTabContainerRect.Left;
  if (HasState(stsDeletingUnPinnedTabs) && HasState(stsTabDeleted)) {
    SmartResizeTabRects(X);
  } else {
    CalculateTabWidth();
    const Integer LastPinned = GetLastPinnedIndex();
    PlaceGroup(X, 0, LastPinned, true, T->ShowPinnedTabText() ? FAdjustedTabWidth : T->PinnedWidth(), 0);
    PlaceGroup(X, LastPinned + 1, FTabs->Count() - 1, false, FAdjustedTabWidth, FTabEndSpace);
  }

  TTabStripAddButtonProperties* A = D->AddButton();
  if (A->Visibility() == avRightFloating) {
    Integer Left = D->TabContainer()->PaddingLeft();
    if (TStripTab* Last = LastVisibleTab(false)) {
      if (TStripTabControl* C = ControlOf(Last))
        Left = (HasState(stsEndTabDeleted) ? C->EndRect().Right : C->ControlRect().Right) +
               A->HorizontalOffsetFloating();
    }
    if (GetTabDisplayState() != tdNormal)
      Left = FMaxAddButtonRight;
    else
      Left = std::min(Left, FMaxAddButtonRight);
    const Integer V = A->Offsets()->Vertical();
    SetControlPosition(FAddButtonControl.get(), TRect(Left, V, Left + A->Width(), V + A->Height()), false);
  }

  if (FScrollWidth != FPreviousScrollWidth) {
    FPreviousScrollWidth = FScrollWidth;
    DoOnScrollWidthChanged();
  }
  RemoveState(stsCancellingDrag);
  RemoveState(stsCompletingDrag);
  RemoveState(stsResizing);
}

// --- Display state and scrolling ---------------------------------------------------------------------------------

TTabDisplayState TCustomTabStrip::GetTabDisplayState() {
  if (ClientWidth() < FScrollWidth - FTabEndSpace) return tdScrolling;
  if (!LastVisibleTab(true)) return tdNormal;
  TStripTab* Last = LastVisibleTab(false);
  TStripTabControl* C = ControlOf(Last);
  if (C && C->EndRect().Right >= FTabContainerRect.Right) return tdCompressed;
  return tdNormal;
}

Integer TCustomTabStrip::MaxScrollOffset() {
  Integer Result = FScrollWidth - FTabContainerRect.Width();
  if (FTabs && FTabs->Count() > 1 && FScrollWidth > 0) Result += FOptions->Display()->Tabs()->TabOverlap();
  return std::max(0, Result);
}

void TCustomTabStrip::SetScrollOffset(Integer Value) {
  if (!FOptions->Scrolling()->Enabled()) return;
  if (FTabs->Count() > 0) Value = std::min(Value, MaxScrollOffset());
  Value = std::max(0, Value);
  // Pushing against a limit moves nothing: no repaint and no OnScroll.
  if (Value == FScrollOffset) return;
  FScrollOffset = Value;
  AddState(stsControlPositionsInvalidated);
  SetControlDrawStates(true);
  Redraw();
  DoOnScroll();
}

void TCustomTabStrip::ScrollTabs(TScrollDirection Direction, bool StartTimer) {
  if (GetTabDisplayState() != tdScrolling) return;
  FScrollDirection = Direction;
  Integer Step = FOptions->Scrolling()->ScrollStep();
  if (Mirrored()) Step = -Step;
  if (Direction == mdsLeft)
    SetScrollOffset(FScrollOffset - Step);
  else if (Direction == mdsRight)
    SetScrollOffset(FScrollOffset + Step);
  if (StartTimer) FScrollTimer->SetEnabled(true);
}

void TCustomTabStrip::ScrollTimerTick(TObject* /*Sender*/) {
  if (GetTabDisplayState() == tdScrolling) ScrollTabs(FScrollDirection, false);
}

void TCustomTabStrip::FireScrollTimer() {
  // One step of the scroll timer, while it runs (the mouse is in a drag-scroll zone).
  if (FScrollTimer->Enabled()) ScrollTimerTick(FScrollTimer.get());
}

void TCustomTabStrip::ScrollIntoView(TStripTab* Tab) {
  // A hidden tab has no place in the row to scroll to.
  TStripTabControl* C = (Tab && Tab->Visible()) ? ControlOf(Tab) : nullptr;
  if (!C) return;
  const TRect& E = C->EndRect();
  if (E.Left < FScrollOffset)
    SetScrollOffset(E.Left);
  else if (E.Right > FTabContainerRect.Right + FScrollOffset)
    SetScrollOffset(E.Right + FOptions->Display()->Tabs()->TabOverlap() - FTabContainerRect.Width());
}

void TCustomTabStrip::KeepRightEdgeInView(bool Force) {
  const Integer W = ClientWidth();
  if (FOptions->Scrolling()->Enabled() && FScrollOffset > 0 && (Force || W > FLastClientWidth)) {
    TStripTab* Last = LastVisibleTab(false);
    TStripTabControl* C = ControlOf(Last);
    if (C && C->ControlRect().Right < W + FScrollOffset) SetScrollOffset(MaxScrollOffset());
  }
  FLastClientWidth = W;
}

void TCustomTabStrip::Resize() {
  TCustomControl::Resize();
  if (!FOptions || FDestroying) return;
  AddState(stsResizing);
  SetControlDrawStates(true);
  // The row is laid out at the new size first, so that keeping its right edge in view scrolls to
  // the new maximum rather than to the one of the old size.
  InvalidateAllControls();
  KeepRightEdgeInView(false);
  Redraw();
}

void TCustomTabStrip::CancelTabSmartResizeTimerTick(TObject* /*Sender*/) {
  FCancelTabSmartResizeTimer->SetEnabled(false);
  RemoveDeleteStates();
  Redraw();
  AddState(stsControlPositionsInvalidated);
  FLastClientWidth = 0;
  Redraw();
}

// --- Hit testing ------------------------------------------------------------------------------------------------

TRect TCustomTabStrip::TabArea() {
  TRect R = FTabContainerRect;
  if (FOptions->Display()->TabContainer()->OverlayButtons()) {
    TTabStripOptions* T = FOptions->Display()->Tabs();
    R = TRect(T->OffsetLeft(), T->OffsetTop(), ClientWidth() - T->OffsetRight(), ClientHeight() - T->OffsetBottom());
  }
  return BidiRect(R);
}

THitTestResult TCustomTabStrip::HitTest(const TPoint& P, bool IgnoreDisabledControls) {
  THitTestResult Result;
  Result.HitTestArea = htBackground;
  if (!PtInRect(ClientRect(), P)) {
    Result.HitTestArea = htNowhere;
    return Result;
  }
  if (FAddButtonControl->ContainsPoint(P)) {
    Result.HitTestArea = htAddButton;
    return Result;
  }
  TBaseTabStripControl* Buttons[2] = {FScrollButtonLeftControl.get(), FScrollButtonRightControl.get()};
  const THitTestArea Areas[2] = {htScrollButtonLeft, htScrollButtonRight};
  for (int b = 0; b < 2; ++b) {
    TBaseTabStripControl* B = Buttons[b];
    if (ScrollButtonShown(B) && (!IgnoreDisabledControls || B->DrawState() != dsDisabled) && B->ContainsPoint(P)) {
      Result.HitTestArea = Areas[b];
      return Result;
    }
  }
  if (!FOptions->Display()->TabContainer()->OverlayButtons() && !PtInRect(BidiRect(FTabContainerRect), P))
    return Result;
  // The active tab wins where it overlaps its neighbours; a hidden one (made active from the tab
  // menu) is not in the row and covers nothing.
  TStripTab* Active = FTabs->ActiveTab();
  if (TStripTabControl* C = (Active && Active->Visible()) ? ControlOf(Active) : nullptr) {
    const THitTestArea A = C->GetHitTestArea(P.X, P.Y);
    if (A != htBackground) {
      Result.TabIndex = Active->Index();
      Result.HitTestArea = A;
      return Result;
    }
  }
  for (Integer i = 0; i < FTabs->Count(); ++i) {
    TStripTab* T = FTabs->Items(i);
    if (T == Active || !T->Visible()) continue;
    TStripTabControl* C = ControlOf(T);
    if (!C) continue;
    const THitTestArea A = C->GetHitTestArea(P.X, P.Y);
    if (A != htBackground) {
      Result.TabIndex = i;
      Result.HitTestArea = A;
      return Result;
    }
  }
  return Result;
}
