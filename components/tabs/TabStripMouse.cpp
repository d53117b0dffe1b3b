// Mouse input outside of dragging: activating tabs, closing them with their close buttons, adding
// tabs with the add button, holding the scroll buttons, moving or maximising the form from the
// empty strip, the context menu with the built-in tab menu, tab hints, the wheel and Escape.
#include <cstdlib>

#include "components/tabs/TabStrip.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"

TCustomForm* TCustomTabStrip::TopLevelForm() { return GetParentForm(this, true); }

void TCustomTabStrip::CMMouseEnter(TMessage& M) {
  FCancelTabSmartResizeTimer->SetEnabled(false);
  // The strip's own enter event is the control's OnMouseEnter.
  TCustomControl::CMMouseEnter(M);
}

void TCustomTabStrip::CMMouseLeave(TMessage& /*M*/) {
  FLastMouseX = -1;
  FLastMouseY = -1;
  SetControlDrawStates(false);
  FCancelTabSmartResizeTimer->SetEnabled(true);
  Redraw();
  DoOnMouseLeave();
}

void TCustomTabStrip::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (HasState(stsMouseDown)) return;
  FMouseDownHitTest = HitTest(TPoint(X, Y), false);
  FMouseButton = Button;
  FMouseDownPoint = TPoint(X, Y);

  if (FOptions->Behaviour()->BackgroundDragMovesForm() && FMouseDownHitTest.HitTestArea == htBackground) {
    if (TCustomForm* Form = TopLevelForm()) {
      // The user drags the form by the empty strip as by its caption.
      ReleaseCapture();
      SendMessage(Form->Handle(), WM_SYSCOMMAND, SC_DRAGMOVE, 0);
      return;
    }
  }

  AddState(stsMouseDown);
  SetControlDrawStates(true);
  if (FMouseDownHitTest.HitTestArea == htScrollButtonLeft) {
    ScrollTabs(mdsLeft, true);
  } else if (FMouseDownHitTest.HitTestArea == htScrollButtonRight) {
    ScrollTabs(mdsRight, true);
  } else {
    BeginUpdate();
    try {
      if (CanFocus()) SetFocus();
      const THitTestArea Area = FMouseDownHitTest.HitTestArea;
      const bool Selects = Button == mbLeft || (Button == mbRight && FOptions->Behaviour()->TabRightClickSelect());
      if ((Selects && Area == htTab) || (Button == mbRight && Area == htCloseButton)) {
        TStripTab* Tab = FTabs->Items(FMouseDownHitTest.TabIndex);
        if (!Tab->Active()) Tab->SetActive(true);
      }
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }
}

void TCustomTabStrip::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (X == FLastMouseX && Y == FLastMouseY) return;
  FLastMouseX = X;
  FLastMouseY = Y;
  BeginUpdate();
  try {
    const THitTestResult R = HitTest(TPoint(X, Y), false);
    if (FDragTabObject) {
      DragMove(X, Y);
    } else if (FOptions->DragDrop()->DragType() != dtNone && HasState(stsMouseDown) && FMouseButton == mbLeft &&
               FMouseDownHitTest.HitTestArea == htTab && R.TabIndex >= 0) {
      const Integer Pixels = FOptions->DragDrop()->DragStartPixels();
      if (std::abs(X - FMouseDownPoint.X) >= Pixels || std::abs(Y - FMouseDownPoint.Y) >= Pixels) {
        bool Allow = true;
        DoOnBeginTabDrag(FTabs->Items(R.TabIndex), Allow);
        if (Allow) BeginDrag(FMouseDownPoint.X, FMouseDownPoint.Y);
      }
    }
    if (!FDragTabObject) {
      SetControlDrawStates(false);
      if (FOptions->Display()->TabMouseGlow()->Visible() &&
          (R.HitTestArea == htTab || R.HitTestArea == htCloseButton))
        Redraw();
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomTabStrip::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (!(Button == mbRight && FDragTabObject)) TCustomControl::MouseUp(Button, Shift, X, Y);
  BeginUpdate();
  try {
    FScrollTimer->SetEnabled(false);
    RemoveState(stsMouseDown);
    const THitTestResult R = HitTest(TPoint(X, Y), false);
    if (HasState(stsDragging)) EndDrag(X, Y, FDragCancelled);

    if (FMouseDownHitTest.HitTestArea == htAddButton && R.HitTestArea == htAddButton) {
      DoOnButtonAddClick();
      AddState(stsControlPositionsInvalidated);
    }
    if (Button == mbLeft && FMouseDownHitTest.HitTestArea == htCloseButton && R.HitTestArea == htCloseButton &&
        R.TabIndex == FMouseDownHitTest.TabIndex && R.TabIndex >= 0 && R.TabIndex < FTabs->Count()) {
      TStripTab* Tab = FTabs->Items(R.TabIndex);
      bool Close = true;
      DoOnButtonCloseTabClick(Tab, Close);
      if (Close && Tab->Collection() == FTabs.get()) {
        const Integer Index = Tab->Index();
        if (!Tab->Pinned()) {
          // Smart resizing: the other tabs keep their widths until the mouse leaves the strip.
          RemoveDeleteStates();
          AddState(stsDeletingUnPinnedTabs);
          if (TStripTabControl* C = ControlOf(Tab)) FClosedTabRect = C->EndRect();
          FClosedTabIndex = Index;
        }
        FTabs->DeleteTab(Index, HasState(csDesigning));
        AddState(stsControlPositionsInvalidated);
      }
    }
    SetControlDrawStates(true);
    Redraw();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomTabStrip::WMLButtonDblClk(TMessage& M) {
  if (!(FOptions->Behaviour()->IgnoreDoubleClicksWhileAnimatingMovement() && HasState(stsAnimatingMovement))) {
    TWMMouse Mouse{M};
    const THitTestResult R = HitTest(TPoint(Mouse.XPos(), Mouse.YPos()), false);
    if (R.HitTestArea == htTab && R.TabIndex >= 0 && R.TabIndex < FTabs->Count())
      DoOnTabDblClick(FTabs->Items(R.TabIndex));
    if (FOptions->Behaviour()->BackgroundDblClickMaximiseRestoreForm() && R.HitTestArea == htBackground) {
      if (TCustomForm* Form = TopLevelForm())
        Form->SetWindowState(Form->WindowState() == wsNormal ? wsMaximized : wsNormal);
    }
  }
  TCustomControl::WMLButtonDblClk(M);
}

void TCustomTabStrip::WMContextMenu(TMessage& M) {
  const TPoint P = ClientToScreen(TPoint(FLastMouseX, FLastMouseY));
  M.Result = 1;
  if (TPopupMenu* Menu = PopupMenu()) {
    Menu->SetPopupComponent(this);
    Menu->Popup(P.X, P.Y);
  } else if (FOptions->Behaviour()->UseBuiltInPopupMenu() && !FDragTabObject) {
    ShowTabPopupMenu(P);
  }
}

void TCustomTabStrip::ShowTabPopupMenu(const TPoint& ScreenPoint) {
  FTabPopupMenu.reset();
  FTabPopupMenu = std::make_unique<TPopupMenu>(nullptr);
  TMenuItem* Root = FTabPopupMenu->Items();
  const Integer ActiveIndex = ActiveTabIndex();
  auto AddItem = [&](const String& Caption, Integer Tag) {
    TMenuItem* Item = new TMenuItem(FTabPopupMenu.get());
    Item->SetCaption(Caption);
    Item->SetTag(Tag);
    Item->SetRadioItem(Tag != -1 && Tag < 95);
    Item->OnClick = [this](TObject* Sender) { TabPopupMenuClick(static_cast<TMenuItem*>(Sender)); };
    Root->Add(Item);
    if (Tag == 10 + ActiveIndex) Item->SetChecked(true);
  };
  AddItem(STabStripNewTab, 3);
  AddItem(u"-", -1);
  const Integer Pressed = FMouseDownHitTest.TabIndex;
  if (Pressed >= 0 && Pressed < FTabs->Count()) {
    AddItem(STabStripDeleteTab, 2);
    AddItem(u"-", -1);
    if (FTabs->Items(Pressed)->Pinned())
      AddItem(STabStripUnpinTab, 1);
    else
      AddItem(STabStripPinTab, 0);
    AddItem(u"-", -1);
  }
  for (Integer i = 0; i < FTabs->Count(); ++i) AddItem(GetTabDescription(i), 10 + i);
  FTabPopupMenu->SetPopupComponent(this);
  FTabPopupMenu->Popup(ScreenPoint.X, ScreenPoint.Y);
}

void TCustomTabStrip::TabPopupMenuClick(TMenuItem* Item) {
  if (!Item) return;
  const Integer Tag = static_cast<Integer>(Item->Tag());
  const Integer Pressed = FMouseDownHitTest.TabIndex;
  TStripTab* PressedTab = (Pressed >= 0 && Pressed < FTabs->Count()) ? FTabs->Items(Pressed) : nullptr;
  switch (Tag) {
    case 0:
      if (PressedTab) PressedTab->SetPinned(true);
      break;
    case 1:
      if (PressedTab) PressedTab->SetPinned(false);
      break;
    case 2:
      // A close from the menu: the owner may keep the tab, as for its close button.
      if (PressedTab) {
        bool Close = true;
        DoOnButtonCloseTabClick(PressedTab, Close);
        if (Close && PressedTab->Collection() == FTabs.get())
          FTabs->DeleteTab(PressedTab->Index(), HasState(csDesigning));
      }
      break;
    case 3: DoOnButtonAddClick(); break;
    default:
      if (Tag > 9 && Tag - 10 < FTabs->Count()) FTabs->Items(Tag - 10)->SetActive(true);
      break;
  }
  Redraw();
}

void TCustomTabStrip::CMHintShow(TMessage& M) {
  M.Result = 1;
  if (FDragTabObject) {
    TCustomControl::Dispatch(M);
    return;
  }
  auto* Info = reinterpret_cast<THintInfo*>(M.LParam);
  if (!Info) return;
  const TPoint P = ScreenToClient(GetCursorPos());
  const THitTestResult R = HitTest(P, false);
  String Text = GetTabDescription(R.TabIndex);
  Integer Timeout = 5000;
  DoOnShowHint(R, Text, Timeout);
  if (Text.empty()) {
    // Nothing of a tab to say: the control's own hint, if any.
    M.Result = 0;
    TCustomControl::Dispatch(M);
    return;
  }
  Info->HintStr = Text;
  Info->HideTimeout = Timeout;
  TStripTabControl* C = (R.TabIndex >= 0 && R.TabIndex < FTabs->Count()) ? GetTabControl(R.TabIndex) : nullptr;
  Info->CursorRect = C ? C->ControlRectScrolled() : ClientRect();
  M.Result = 0;
}

void TCustomTabStrip::WMMouseWheel(TMessage& M) {
  TWMMouseWheel W{M};
  TTabStripScrollOptions* S = FOptions->Scrolling();
  if (S->Enabled() && S->MouseWheelScroll() && Visible() && W.WheelDelta() != 0) {
    SetScrollOffset(FScrollOffset + W.WheelDelta());
    M.Result = 1;
    return;
  }
  TCustomControl::WMMouseWheel(M);
}

void TCustomTabStrip::WMCancelMode(TMessage& /*M*/) {
  // The release of this press will not come here (another window took the mouse): without this the
  // strip would stay pressed, start a drag on the next move and take the next click for a release.
  if (!HasState(stsMouseDown) && !FDragTabObject) return;
  BeginUpdate();
  try {
    FScrollTimer->SetEnabled(false);
    RemoveState(stsMouseDown);
    if (FDragTabObject) EndDrag(FLastMouseX, FLastMouseY, true);
    SetControlDrawStates(true);
    Redraw();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomTabStrip::CNKeyDown(TMessage& M) {
  if (M.WParam == VK_ESCAPE && FDragTabObject) {
    // Escape during a drag: the release that follows ends the drag as cancelled.
    FDragCancelled = true;
    Perform(WM_LBUTTONUP, 0, MakeLParam(FLastMouseX, FLastMouseY));
    M.Result = 1;
    return;
  }
  TCustomControl::CNKeyDown(M);
}
