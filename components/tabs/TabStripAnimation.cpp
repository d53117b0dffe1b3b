// The animation tick, which the strip's timer thread delivers into the GUI thread, and the saving
// and loading of the strip's options and look and feel as text.
#include "components/tabs/TabStrip.h"
#include "platform/os/Clock.h"

namespace {

// A due time (a tick count) has passed at Now. The comparison goes by the difference, so that it
// keeps working when the 32-bit tick count wraps; 0 means "never stepped yet".
bool Due(Cardinal Next, Cardinal Now) { return Next == 0 || static_cast<int32_t>(Now - Next) > 0; }

}  // namespace

void TCustomTabStrip::AnimationTick(TObject* /*Sender*/) {
  if (FDestroying || HasState(csDestroying) || !FTabs) return;
  RemoveState(stsAnimatingMovement);
  RemoveState(stsAnimatingStyle);

  const Cardinal Now = GetTickCount();
  const bool GlowDue = Due(FNextModifiedGlowAnimateTickCount, Now);
  if (GlowDue)
    FNextModifiedGlowAnimateTickCount =
        Now + static_cast<Cardinal>(FOptions->Display()->TabModifiedGlow()->AnimationUpdateMS());
  const bool SpinnerDue = Due(FNextSpinnerAnimateTickCount, Now);
  if (SpinnerDue) FNextSpinnerAnimateTickCount = Now + FOptions->Display()->TabSpinners()->AnimationUpdateMS();

  for (Integer i = FTabs->Count() - 1; i >= 0; --i) {
    if (i >= FTabs->Count()) continue;
    TStripTab* Tab = FTabs->Items(i);
    TStripTabControl* C = ControlOf(Tab);
    if (!C) continue;
    bool Style = false;
    if (GlowDue && C->AnimateModified()) Style = true;
    if (SpinnerDue && C->AnimateSpinner()) Style = true;
    if (C->AnimateStyle()) Style = true;
    if (Style) AddState(stsAnimatingStyle);
    if (C->AnimateMovement()) {
      AddState(stsAnimatingMovement);
      if (Tab->Active() && HasState(stsAnimatingNewTab)) ScrollIntoView(Tab);
    } else if (Tab->Active() && HasState(stsAnimatingNewTab)) {
      RemoveState(stsAnimatingNewTab);
      KeepRightEdgeInView(true);
      ScrollIntoView(Tab);
    }
    if (Tab->MarkedForDeletion()) {
      AddState(stsControlPositionsInvalidated);
      AddState(stsAnimatingMovement);
      if (C->ControlRect().Width() <= FOptions->Animation()->MinimumTabAnimationWidth()) {
        FTabs->DeleteTab(i, true);
        RemoveState(stsAnimatingCloseTab);
      }
    }
  }

  TBaseTabStripControl* Buttons[3] = {FAddButtonControl.get(), FScrollButtonLeftControl.get(),
                                      FScrollButtonRightControl.get()};
  for (TBaseTabStripControl* B : Buttons) {
    if (B->AnimateMovement()) AddState(stsAnimatingMovement);
    if (B->AnimateStyle()) AddState(stsAnimatingStyle);
  }

  if (HasState(stsAnimatingMovement) || HasState(stsAnimatingStyle)) {
    if (HasState(stsDeletingUnPinnedTabs) && !HasState(stsDragging)) SetControlDrawStates(false);
    if (Showing() || FUpdateCount > 0) {
      Redraw();
    } else if (Ready()) {
      // A strip that is not on the screen (its form hidden) draws nothing on a tick: its controls
      // move on, and it is drawn when it is shown.
      UpdateControlPositions();
      Invalidate();
    }
  }

  if (FDragTabObject) {
    IStripTabDockControl* Dock = FDragTabObject->GetDockControl();
    if (Dock && Dock != static_cast<IStripTabDockControl*>(this)) Dock->FireScrollTimer();
  }
}

// --- Persistence ---------------------------------------------------------------------------------------------------

void TCustomTabStrip::SaveOptions(TStream* Stream) { SaveTabStripOptions(FOptions.get(), Stream); }

void TCustomTabStrip::SaveOptions(const String& FileName) { SaveTabStripOptionsToFile(FOptions.get(), FileName); }

void TCustomTabStrip::LoadOptions(TStream* Stream) {
  BeginUpdate();
  try {
    LoadTabStripOptions(FOptions.get(), Stream);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomTabStrip::LoadOptions(const String& FileName) {
  BeginUpdate();
  try {
    LoadTabStripOptionsFromFile(FOptions.get(), FileName);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomTabStrip::SaveLookAndFeel(TStream* Stream) { SaveTabStripLookAndFeel(FLookAndFeel.get(), Stream); }

void TCustomTabStrip::SaveLookAndFeel(const String& FileName) {
  SaveTabStripLookAndFeelToFile(FLookAndFeel.get(), FileName);
}

void TCustomTabStrip::LoadLookAndFeel(TStream* Stream) {
  BeginUpdate();
  try {
    LoadTabStripLookAndFeel(FLookAndFeel.get(), Stream);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomTabStrip::LoadLookAndFeel(const String& FileName) {
  BeginUpdate();
  try {
    LoadTabStripLookAndFeelFromFile(FLookAndFeel.get(), FileName);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TCustomTabStrip::OptionsToCode() { return TabStripOptionsToCode(FOptions.get()); }

String TCustomTabStrip::LookAndFeelToCode() { return TabStripLookAndFeelToCode(FLookAndFeel.get()); }

void TCustomTabStrip::SetDefaultOptions() { SetDefaultTabStripOptions(FOptions.get()); }

void TCustomTabStrip::SetDefaultLookAndFeel() {
  BeginUpdate();
  try {
    SetDefaultTabStripLookAndFeel(FLookAndFeel.get());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
