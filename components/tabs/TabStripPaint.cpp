// Painting: the strip draws with smoothing into a 32-bit back buffer, in a fixed order (background,
// inactive tabs from right to left, base line, active tab, dragged tab, buttons) with the hooks that
// let a program draw parts itself, and copies the buffer to the window in one block.
#include "components/tabs/TabStrip.h"
#include "platform/os/Clock.h"

void TCustomTabStrip::Paint() { PaintWindow(Canvas()); }

void TCustomTabStrip::PaintWindow(TCanvas* Target) {
  if (!Target) return;
  Target->Lock();
  try {
    DrawCanvas(Target);
  } catch (...) {
    Target->Unlock();
    throw;
  }
  Target->Unlock();
}

namespace {

// The parent's own background behind the strip and, unless the container is transparent, the
// container's gradient and outline.
void DrawStripBackground(TCustomTabStrip* Strip, TBitmap* Buffer, TGPGraphics& G, const TRect& Client) {
  DrawParentBackground(Strip, Buffer->Canvas());
  if (!Strip->Options()->Display()->TabContainer()->TransparentBackground()) {
    TTabStripLookAndFeelStyle* S = Strip->LookAndFeel()->TabsContainer();
    G.FillRectangle(S->GetBrush(Client), RectToGPRectF(Client));
    G.DrawRectangle(S->GetPen(), RectToGPRectF(Client));
  }
}

bool InView(const TRect& R, Integer Offset, Integer Width) {
  return R.Right >= Offset && R.Left <= Width + Offset;
}

}  // namespace

void TCustomTabStrip::UpdateControlPositions() {
  if (HasState(stsControlPositionsInvalidated) || FTabs->Count() != FLaidOutTabCount ||
      (HasState(stsAnimatingMovement) && GetTabDisplayState() == tdNormal)) {
    RemoveState(stsControlPositionsInvalidated);
    CalculateButtonRects();
    CalculateTabRects();
  }
}

void TCustomTabStrip::DrawCanvas(TCanvas* Target) {
  if (!Ready()) return;
  const Cardinal Start = GetTickCount();
  struct LogElapsed {
    TCustomTabStrip* Strip;
    Cardinal Start;
    ~LogElapsed() {
      try {
        Strip->DoOnDebugLog(u"Canvas Draw: %d ms", {TVarRec(static_cast<int>(GetTickCount() - Start))});
      } catch (...) {
      }
    }
  } Log{this, Start};

  UpdateControlPositions();
  if (HasState(stsFirstPaint)) {
    RemoveState(stsFirstPaint);
    // The draw that follows shows the new states: a redraw they ask for only places the controls.
    ++FQuietRedraws;
    try {
      SetControlDrawStates(true);
    } catch (...) {
      --FQuietRedraws;
      throw;
    }
    --FQuietRedraws;
  }

  const TRect Client = ClientRect();
  const Integer W = Client.Width(), H = Client.Height();
  if (W <= 0 || H <= 0) return;
  FCanvasBmp->SetSize(W, H);
  FBackgroundBmp->SetSize(W, H);
  {
    TGPGraphics G(FCanvasBmp.get());
    TGPGraphics GB(FBackgroundBmp.get());
    const TSmoothingMode Smoothing = FOptions->Display()->Tabs()->CanvasSmoothingMode();
    G.SetSmoothingMode(Smoothing);
    GB.SetSmoothingMode(Smoothing);
    // What was drawn last time must not show through: start from the control's colour.
    const TGPColor Base = MakeGDIPColor(Color(), 255);
    G.Clear(Base);
    GB.Clear(Base);

    // Background.
    bool Handled = false;
    DoOnBeforeDrawItem(&G, Client, itTabContainer, -1, Handled);
    if (!Handled) DrawStripBackground(this, FCanvasBmp.get(), G, Client);
    Handled = false;
    DoOnBeforeDrawItem(&GB, Client, itBackground, -1, Handled);
    if (!Handled) DrawStripBackground(this, FBackgroundBmp.get(), GB, Client);
    DoOnAfterDrawItem(&GB, Client, itBackground, -1);

    TTabStripOptions* T = FOptions->Display()->Tabs();
    const TRect Area = TabArea();
    TStripTab* Active = FTabs->ActiveTab();
    const Integer ActiveIndex = Active ? Active->Index() : -1;
    TStripTab* OwnDragged = DraggedTab();
    const bool DraggedAway = FDragTabObject && FDragTabObject->GetDockControl() != this;

    // Inactive tabs, right to left, each clipped by the outlines of the tabs drawn over it later.
    for (Integer i = FTabs->Count() - 1; i >= 0; --i) {
      TStripTab* Tab = FTabs->Items(i);
      if (!Tab->Visible() || Tab == Active) continue;
      if (DraggedAway && Tab == OwnDragged) continue;
      TStripTabControl* C = ControlOf(Tab);
      if (!C || C == FDragTabControl || !InView(C->ControlRect(), FScrollOffset, W)) continue;
      G.SetClip(RectToGPRect(Area), CombineModeReplace);
      std::vector<TPolygon> Clips;
      if (!T->SeeThroughTabs()) {
        for (Integer j = i - 1; j >= 0; --j) {
          TStripTab* Prev = FTabs->Items(j);
          if (!Prev->Visible()) continue;
          if (!(Prev == Active && FDragTabObject)) {
            TStripTabPolygonsPtr P = GetPreviousTabPolygons(i);
            if (P && P->PolygonCount() > 0) Clips.push_back(P->GetPolygons(0).FPolygon);
          }
          break;
        }
        if (ActiveIndex == i + 1 && Active->Visible() && !FDragTabObject) {
          TStripTabPolygonsPtr P = ControlOf(Active)->GetPolygons();
          if (P && P->PolygonCount() > 0) Clips.push_back(P->GetPolygons(0).FPolygon);
        }
      }
      C->DrawTo(&G, FLastMouseX, FLastMouseY, Clips);
    }

    // Base line.
    if (T->BaseLineTabRegionOnly())
      G.SetClip(RectToGPRect(Area), CombineModeReplace);
    else
      G.ResetClip();
    TGPPen* BaseLine = FLookAndFeel->Tabs()->BaseLine()->GetPen();
    const Integer LineY =
        T->Orientation() == toTop ? FTabContainerRect.Bottom - 1 : FTabContainerRect.Top;
    G.DrawLine(BaseLine, 0, LineY, W, LineY);

    // The active tab over everything else. A hidden tab can be made active (from the tab menu); it
    // has no place in the row, so it is not drawn at the place it had before it was hidden.
    G.SetClip(RectToGPRect(Area), CombineModeReplace);
    if (TStripTabControl* C = (Active && Active->Visible()) ? ControlOf(Active) : nullptr) {
      if (C != FDragTabControl && InView(C->ControlRect(), FScrollOffset, W) && !DraggedAway)
        C->DrawTo(&G, FLastMouseX, FLastMouseY, {});
    }

    // The dragged tab, unclipped.
    G.ResetClip();
    if (FDragTabControl) FDragTabControl->DrawTo(&G, FLastMouseX, FLastMouseY, {});

    // Buttons.
    TTabStripAddButtonProperties* A = FOptions->Display()->AddButton();
    const bool HiddenByDockedDrag =
        FActiveDragTabObject && FActiveDragTabObject->GetDockControl() == this && FActiveDragTabObject->GetHideAddButton();
    const bool HiddenByOwnDrag = FDragTabObject && FDragTabObject->GetHideAddButton();
    if (A->Visibility() != avNone && !HiddenByDockedDrag && !HiddenByOwnDrag &&
        FAddButtonControl->ControlRect().Width() <= W)
      FAddButtonControl->DrawTo(&G, FLastMouseX, FLastMouseY, {});
    if (FOptions->Scrolling()->Enabled()) {
      if (ScrollButtonShown(FScrollButtonLeftControl.get()))
        FScrollButtonLeftControl->DrawTo(&G, FLastMouseX, FLastMouseY, {});
      if (ScrollButtonShown(FScrollButtonRightControl.get()))
        FScrollButtonRightControl->DrawTo(&G, FLastMouseX, FLastMouseY, {});
    }
    DoOnAfterDrawItem(&G, Client, itTabContainer, -1);
  }
  Target->SetCopyMode(cmSrcCopy);
  Target->CopyRect(Client, FCanvasBmp->Canvas(), Client);
}

void TCustomTabStrip::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // The paint covers everything.
      Message.Result = 1;
      return;
    case CM_HINTSHOW:
      CMHintShow(Message);
      return;
    case WM_CANCELMODE:
      WMCancelMode(Message);
      TCustomControl::Dispatch(Message);
      return;
    default:
      TCustomControl::Dispatch(Message);
      return;
  }
}
