// Tab drag and drop: within the strip to reorder, or out of it onto another strip of the program or
// onto nothing. The strip the drag started in drives everything; the strips under the cursor are
// found by probing screen points and are reached through IStripTabDockControl. While no strip takes
// the tab, a translucent drag form follows the cursor.
#include <cmath>

#include "components/tabs/TabStrip.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"

// --- Finding strips -------------------------------------------------------------------------------------------

IStripTabDockControl* TabStripFromPoint(const TPoint& ScreenPoint, Integer Range, Integer Step) {
  auto Probe = [](const TPoint& P) -> IStripTabDockControl* {
    return dynamic_cast<TCustomTabStrip*>(FindControl(WindowFromPoint(P)));
  };
  if (Step <= 0) Step = 1;
  for (Integer R = Range; R > 0; R -= Step) {
    const TPoint Corners[4] = {{ScreenPoint.X - R, ScreenPoint.Y - R},
                               {ScreenPoint.X + R, ScreenPoint.Y - R},
                               {ScreenPoint.X + R, ScreenPoint.Y + R},
                               {ScreenPoint.X - R, ScreenPoint.Y + R}};
    for (const TPoint& C : Corners)
      if (IStripTabDockControl* Found = Probe(C)) return Found;
  }
  return Probe(ScreenPoint);
}

// --- The source strip -------------------------------------------------------------------------------------------

void TCustomTabStrip::BeginDrag(Integer MouseX, Integer MouseY) {
  RemoveDeleteStates();
  const THitTestResult R = HitTest(TPoint(MouseX, MouseY), false);
  if (R.TabIndex < 0 || R.TabIndex >= FTabs->Count()) {
    EndDrag(MouseX, MouseY, true);
    return;
  }
  TStripTab* Tab = FTabs->Items(R.TabIndex);
  bool Allow = FOptions->DragDrop()->DragType() != dtNone;
  DoOnTabDragStart(Tab, Allow);
  if (!Allow) {
    EndDrag(MouseX, MouseY, true);
    return;
  }
  SetMovementAnimation(FOptions->Animation()->MovementAnimations()->TabMove());
  auto Drag = std::make_shared<TDragTabObject>();
  FDragTabObject = Drag;
  AddState(stsDragging);
  AddState(stsDragStarted);
  TStripTabControl* C = ControlOf(Tab);
  const TRect CR = C ? C->ControlRect() : TRect();
  // The grip: where the cursor holds the tab, measured from its leading edge in layout direction.
  const Integer LayoutX = Mirrored() ? ClientWidth() - MouseX : MouseX;
  Drag->SetDragTab(Tab);
  Drag->SetDragCursorOffset(TPoint(LayoutX + FScrollOffset - CR.Left, MouseY - CR.Top));
  Drag->SetHideAddButton(false);
  Drag->SetDragPoint(TPoint(MouseX, MouseY));
  Drag->SetOriginalControlRect(CR);
  Drag->SetDropTabIndex(Tab->Index());
  Drag->SetOriginalCursor(Screen ? Screen->Cursor() : crDefault);
  Drag->SetSourceControl(this);
  Drag->SetDockControl(this);
  Drag->SetDragOverType(dotHomeContainer);
  if (Screen) Screen->SetCursor(FOptions->DragDrop()->DragCursor());
  bool Accept = true;
  DragOver(this, MouseX, MouseY, dsDragEnter, Drag, Accept);
}

void TCustomTabStrip::DragMove(Integer X, Integer Y) {
  TDragTabObjectPtr Drag = FDragTabObject;
  if (!Drag) return;
  Drag->SetDragPoint(TPoint(X, Y));
  Drag->SetDragOverType(dotNone);
  const TStripTabDragType Type = FOptions->DragDrop()->DragType();
  if (Type == dtWithinContainer) {
    Drag->SetDragOverType(dotHomeContainer);
    bool Accept = true;
    DragOver(this, X, Y, dsDragMove, Drag, Accept);
  } else if (Type == dtBetweenContainers) {
    const TPoint ScreenPt = ClientToScreen(TPoint(X, Y));
    IStripTabDockControl* Found =
        TabStripFromPoint(ScreenPt, FOptions->DragDrop()->DragOutsideDistancePixels(), 5);
    if (Found)
      DoOnDebugLog(u"TabStrip (%s) found at X: %d, Y: %d",
                   {TVarRec(Found->GetControl()->Name()), TVarRec(ScreenPt.X), TVarRec(ScreenPt.Y)});
    else
      DoOnDebugLog(u"No TabStrip found at X: %d, Y: %d", {TVarRec(ScreenPt.X), TVarRec(ScreenPt.Y)});
    bool Accepted = false;
    if (Found) {
      bool Accept = true;
      TCustomTabStrip* FoundStrip = Found->GetControl();
      const TPoint P = FoundStrip->ScreenToClient(ScreenPt);
      IStripTabDockControl* Dock = Drag->GetDockControl();
      // A strip the tab was not over yet hears it enter first.
      if (Dock != Found) Found->DragOver(this, P.X, P.Y, dsDragEnter, Drag, Accept);
      if (Accept) {
        if (Dock && Dock != Found) {
          const TPoint PD = Dock->GetControl()->ScreenToClient(ScreenPt);
          bool Ignored = true;
          Dock->DragOver(this, PD.X, PD.Y, dsDragLeave, Drag, Ignored);
        }
        Drag->SetDockControl(Found);
        Drag->SetDragOverType(Found == static_cast<IStripTabDockControl*>(this) ? dotHomeContainer
                                                                                  : dotRemoteContainer);
        Found->DragOver(this, P.X, P.Y, dsDragMove, Drag, Accept);
        if (Drag->GetDockControl() == static_cast<IStripTabDockControl*>(this)) Redraw();
        Accepted = true;
      }
    } else if (IStripTabDockControl* Dock = Drag->GetDockControl()) {
      const TPoint PD = Dock->GetControl()->ScreenToClient(ScreenPt);
      bool Ignored = true;
      Dock->DragOver(this, PD.X, PD.Y, dsDragLeave, Drag, Ignored);
      Drag->SetDockControl(nullptr);
    }
    MoveDragForm(X, Y, !Accepted);
  }
  RemoveState(stsDragStarted);
}

void TCustomTabStrip::EndDrag(Integer MouseX, Integer MouseY, bool Cancelled) {
  TDragTabObjectPtr Drag = FDragTabObject;
  if (!Drag) return;
  if (Screen) Screen->SetCursor(Drag->GetOriginalCursor());
  TStripTab* Dragged = Drag->GetDragTab();
  IStripTabDockControl* Dock = Drag->GetDockControl();
  const TPoint ScreenPt = ClientToScreen(TPoint(MouseX, MouseY));
  TTabDropOptions Options;
  TStripTab* NewTab = nullptr;
  // A drop handler may delete the dragged tab itself: from then on it is neither read, copied,
  // moved nor deleted again.
  auto Forget = [&] {
    if (Dragged && FTabs->IndexOf(Dragged) < 0) {
      Dragged = nullptr;
      Drag->SetDragTab(nullptr);
    }
  };
  if (Dock) {
    TCustomTabStrip* DockStrip = Dock->GetControl();
    const TPoint P = DockStrip->ScreenToClient(ScreenPt);
    const bool Home = Dock == static_cast<IStripTabDockControl*>(this);
    Options = Home ? TTabDropOptions{tdMoveTab} : TTabDropOptions{tdDeleteDraggedTab, tdCreateDroppedTab};
    Dock->DragDrop(this, P.X, P.Y, Drag, Cancelled, Options);
    Forget();
    const Integer DropIndex = Drag->GetDropTabIndex();
    if (!Cancelled && !Home) {
      if (Drag->GetDockControl() && Options.Contains(tdCreateDroppedTab)) NewTab = Dock->InsertDroppedTab();
    } else if (!Cancelled && Home && DropIndex != -1 && Dragged && DropIndex != Dragged->Index()) {
      AddState(stsCompletingDrag);
      if (Options.Contains(tdMoveTab) && DropIndex >= 0 && DropIndex < FTabs->Count())
        FTabs->Move(Dragged->Index(), DropIndex);
    } else {
      AddState(stsCancellingDrag);
      Redraw();
    }
    bool Ignored = true;
    Dock->DragOver(this, P.X, P.Y, dsDragLeave, Drag, Ignored);
    if (NewTab) DockStrip->DoOnTabDragDropped(Drag, NewTab);
  } else {
    Options = TTabDropOptions{tdDeleteDraggedTab};
    DragDrop(this, MouseX, MouseY, Drag, Cancelled, Options);
    Forget();
  }
  if (Dock) {
    const TPoint P = Dock->GetControl()->ScreenToClient(ScreenPt);
    Dock->DragEnd(P.X, P.Y, Cancelled);
  }
  DragEnd(MouseX, MouseY, Cancelled);
  Forget();
  FDragTabObject.reset();
  FDragCancelled = false;
  // A cancelled drag keeps its tab: nothing was made elsewhere.
  if (Options.Contains(tdDeleteDraggedTab) && !Cancelled && Dragged && Dragged->Collection() == FTabs.get())
    FTabs->DeleteTab(Dragged->Index(), true);
  RemoveState(stsDragging);
}

void TCustomTabStrip::MoveDragForm(Integer X, Integer Y, bool Visible) {
  TDragTabObjectPtr Drag = FDragTabObject;
  if (!Drag) return;
  if (!Drag->GetDragForm() && Visible) Drag->SetDragForm(CreateDragForm(Drag->GetDragTab()));
  TCustomForm* Form = Drag->GetDragForm();
  if (!Form) return;
  const TPoint P = ClientToScreen(TPoint(X, Y));
  const TPoint Offset = Drag->GetDragFormOffset();
  Form->SetBounds(P.X - Offset.X, P.Y - Offset.Y, Form->Width(), Form->Height());
  Form->SetVisible(Visible);
}

TCustomForm* TCustomTabStrip::CreateDragForm(TStripTab* Tab) {
  TTabStripDragOptions* DD = FOptions->DragDrop();
  TStripTabDragDisplay Display = DD->DragDisplay();
  if (Display == ddCursor) return nullptr;
  TCustomForm* Form = nullptr;
  DoOnCreateDragForm(Tab, Form);
  if (!Form && Tab) {
    TWinControl* Control = nullptr;
    if (Display == ddControl || Display == ddTabAndControl) {
      DoOnNeedDragImageControl(Tab, Control);
      if (!Control) Display = ddTab;
    }
    TStripTabControl* TabControl = ControlOf(Tab);
    const TRect TabRect = TabControl ? TabControl->ControlRect() : TRect();
    const double Factor = Display == ddTab ? 1.0 : DD->DragControlImageResizeFactor();
    TPoint Offset = FDragTabObject ? FDragTabObject->GetDragCursorOffset() : TPoint();
    if (Mirrored()) Offset.X += ClientWidth();
    if (Display != ddTab)
      Offset = TPoint(static_cast<Integer>(Round(Offset.X * Factor)), static_cast<Integer>(Round(Offset.Y * Factor)));

    const bool ShowsTab = Display == ddTab || Display == ddTabAndControl;
    const bool ShowsControl = Display == ddControl || Display == ddTabAndControl;
    const bool TabBelow = FOptions->Display()->Tabs()->Orientation() == toBottom;
    const Integer TabW = TabRect.Width(), TabH = TabRect.Height();
    const Integer CtlW = Control ? Control->ClientWidth() : 0, CtlH = Control ? Control->ClientHeight() : 0;
    Integer BmpW = TabW, BmpH = TabH;
    if (Display == ddControl) {
      BmpW = CtlW;
      BmpH = CtlH;
    } else if (Display == ddTabAndControl) {
      BmpW = CtlW;
      BmpH = TabH + CtlH;
      if (TabBelow) Offset.Y += static_cast<Integer>(Round(Factor * CtlH));
    }
    if (BmpW > 0 && BmpH > 0) {
      TBitmap Image(BmpW, BmpH);
      Image.SetPixelFormat(pf32bit);
      TCanvas* IC = Image.Canvas();
      const Integer TabTop = (Display == ddTabAndControl && TabBelow) ? CtlH : 0;
      const Integer CtlTop = (Display == ddTabAndControl && !TabBelow) ? TabH : 0;
      if (ShowsControl && Control) CopyControlImage(Control, &Image, 0, CtlTop);
      if (ShowsTab && TabControl) {
        // The tab is drawn unscrolled on the transparent key colour at the band's place.
        IC->Brush()->SetColor(static_cast<TColor>(0xFFFEFF));
        IC->Brush()->SetStyle(bsSolid);
        IC->FillRect(TRect(0, TabTop, BmpW, TabTop + TabH));
        const TRect Saved = TabControl->ControlRect();
        const bool WasScrollable = TabControl->ScrollableControl();
        Integer W = TabW;
        if (ShowsControl && W > BmpW - 10) W = BmpW - 10;
        TabControl->SetScrollableControl(false);
        TabControl->SetPosition(TRect(0, TabTop, W, TabTop + TabH), 0, ttNone);
        {
          TGPGraphics G(&Image);
          G.SetSmoothingMode(FOptions->Display()->Tabs()->CanvasSmoothingMode());
          TabControl->DrawTo(&G, -1, -1, {});
        }
        TabControl->SetPosition(Saved, 0, ttNone);
        TabControl->SetScrollableControl(WasScrollable);
      }
      if (ShowsControl && Control) {
        // A frame round the control image, open where the tab joins it.
        const Integer B = DD->DragFormBorderWidth();
        IC->Brush()->SetColor(static_cast<TColor>(DD->DragFormBorderColor()));
        IC->Brush()->SetStyle(bsSolid);
        const TRect CtlRect(0, CtlTop, BmpW, CtlTop + CtlH);
        IC->FillRect(TRect(CtlRect.Left, CtlRect.Top, CtlRect.Left + B, CtlRect.Bottom));
        IC->FillRect(TRect(CtlRect.Right - B, CtlRect.Top, CtlRect.Right, CtlRect.Bottom));
        if (!(ShowsTab && !TabBelow)) IC->FillRect(TRect(CtlRect.Left, CtlRect.Top, CtlRect.Right, CtlRect.Top + B));
        if (!(ShowsTab && TabBelow))
          IC->FillRect(TRect(CtlRect.Left, CtlRect.Bottom - B, CtlRect.Right, CtlRect.Bottom));
      }
      TBitmap Scaled;
      ScaleBitmap(&Image, &Scaled, Factor);
      ConvertToAlphaBitmap(&Scaled);
      SetBitmapColorAlpha(&Scaled, static_cast<TColor>(0xFFFEFF), 0);
      Form = CreateAlphaBlendForm(this, &Scaled, Display == ddTab ? 255 : DD->DragOutsideImageAlpha());
    }
    if (FDragTabObject) FDragTabObject->SetDragFormOffset(Offset);
  }
  DoOnAfterDragImageCreated();
  return Form;
}

// --- Every strip the drag passes ---------------------------------------------------------------------------------

bool TCustomTabStrip::CanDropAt(Integer X, Integer Y) {
  if (FDragTabObject && FOptions->DragDrop()->DragType() != dtNone)
    return PtInRect(BidiRect(FTabContainerRect), TPoint(X, Y));
  return true;
}

void TCustomTabStrip::FreeForeignDragControl() {
  if (FDragTabControl && FDragTabControl == FForeignDragTabControl.get()) FDragTabControl = nullptr;
  FForeignDragTabControl.reset();
}

void TCustomTabStrip::DragOver(IStripTabDockControl* /*Sender*/, Integer X, Integer Y, TDragState State,
                               const TDragTabObjectPtr& DragObject, bool& Accept) {
  Accept = CanDropAt(X, Y);
  DoOnTabDragOver(X, Y, State, DragObject, Accept);
  AddState(stsControlPositionsInvalidated);
  FDragOverPoint = TPoint(X, Y);
  if (!(Accept || State == dsDragLeave) || !DragObject) return;
  FActiveDragTabObject = DragObject;
  TTabStripScrollOptions* S = FOptions->Scrolling();
  if (State != dsDragLeave && S->Enabled() && S->DragScroll()) {
    const Integer BidiLeft = BidiRect(FTabContainerRect).Left;
    DoOnDebugLog(u"Drag - X: %d, Bidi Left: %d, Offset: %d",
                 {TVarRec(X), TVarRec(BidiLeft), TVarRec(FScrollOffset)});
    const Integer Zone = S->DragScrollOffset();
    if (X >= FTabContainerRect.Right - Zone)
      ScrollTabs(mdsRight, true);
    else if (X <= FTabContainerRect.Left + Zone)
      ScrollTabs(mdsLeft, true);
    else
      FScrollTimer->SetEnabled(false);
  }
  const bool StartedHere = DragObject->GetSourceControl() == static_cast<IStripTabDockControl*>(this);
  switch (State) {
    case dsDragEnter:
      if (StartedHere) {
        FDragTabControl = ControlOf(DragObject->GetDragTab());
      } else if (!FDragTabControl && DragObject->GetDragTab()) {
        // The tab of another strip is shown here by a control of our own.
        FForeignDragTabControl = std::make_unique<TStripTabControl>(this, DragObject->GetDragTab());
        FDragTabControl = FForeignDragTabControl.get();
        SetControlDrawState(FDragTabControl, dsActive, true);
        if (TStripTabControl* A = ControlOf(FTabs->ActiveTab())) SetControlDrawState(A, dsNotActive, true);
      }
      if (FDragTabControl) FDragTabControl->SetScrollableControl(false);
      break;
    case dsDragLeave: {
      if (FDragTabControl) FDragTabControl->SetScrollableControl(true);
      FScrollTimer->SetEnabled(false);
      const bool OwnDragDockedHere =
          FDragTabObject && FDragTabObject->GetDockControl() == static_cast<IStripTabDockControl*>(this);
      if (!OwnDragDockedHere) {
        if (TStripTabControl* A = ControlOf(FTabs->ActiveTab())) SetControlDrawState(A, dsActive, true);
        FreeForeignDragControl();
      }
      if (DragObject->GetSourceControl() == DragObject->GetDockControl()) DragObject->SetHideAddButton(true);
      // The dragged tab is no longer shown here.
      FDragTabControl = nullptr;
      FActiveDragTabObject.reset();
      AddState(stsControlPositionsInvalidated);
      Redraw();
      break;
    }
    case dsDragMove: Redraw(); break;
  }
}

void TCustomTabStrip::DragDrop(IStripTabDockControl* /*Sender*/, Integer X, Integer Y,
                               const TDragTabObjectPtr& DragObject, bool Cancelled, TTabDropOptions& DropOptions) {
  AddState(stsControlPositionsInvalidated);
  if (FDragTabControl) {
    const TRect& R = FDragTabControl->ControlRect();
    FDragTabControl->SetPosition(TRect(R.Left + FScrollOffset, R.Top, R.Right + FScrollOffset, R.Bottom), 0, ttNone);
  }
  DoOnTabDragDrop(X, Y, DragObject, Cancelled, DropOptions);
}

TStripTab* TCustomTabStrip::InsertDroppedTab() {
  TDragTabObjectPtr Drag = FActiveDragTabObject;
  if (!Drag || !Drag->GetDragTab()) return nullptr;
  TStripTab* Source = Drag->GetDragTab();
  TStripTab* Tab = nullptr;
  BeginUpdate();
  try {
    AddState(stsAddingDroppedTab);
    try {
      Tab = FTabs->Add();
    } catch (...) {
      RemoveState(stsAddingDroppedTab);
      throw;
    }
    RemoveState(stsAddingDroppedTab);
    Tab->SetData(Source->Data());
    Tab->SetCaption(Source->Caption());
    Tab->SetImageIndex(Source->ImageIndex());
    Tab->SetImageIndexOverlay(Source->ImageIndexOverlay());
    Tab->SetPinned(Source->Pinned());
    Tab->SetSpinnerState(Source->SpinnerState());
    Tab->SetTag(Source->Tag());
    Tab->SetVisible(Source->Visible());
    Tab->SetModified(Source->Modified());
    const Integer Drop = std::min(std::max(0, Drag->GetDropTabIndex()), FTabs->Count() - 1);
    if (Tab->Index() != Drop) FTabs->Move(Tab->Index(), Drop);
    if (FDragTabControl)
      if (TStripTabControl* C = ControlOf(Tab)) C->SetPosition(FDragTabControl->ControlRect(), 0, ttNone);
    const bool Modified = Source->Modified();
    Tab->SetActive(true);
    // Activation clears the modified mark; the dropped tab keeps the one it came with.
    if (Modified && !Tab->Modified()) Tab->SetModified(true);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return Tab;
}

void TCustomTabStrip::DragEnd(Integer X, Integer Y, bool Cancelled) {
  DoOnTabDragEnd(X, Y, Cancelled);
  AddState(stsControlPositionsInvalidated);
  Redraw();
}
