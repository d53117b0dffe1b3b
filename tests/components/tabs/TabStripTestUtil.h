// A tab strip on a form for the strip's tests: the animation clock stopped (the tests run its tick
// themselves on the fake clock), a 500 x 30 strip at the form's top left.
#pragma once

#include <gtest/gtest.h>

#include "components/tabs/TabStrip.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

class TabStripFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 640, 240);
    Strip = MakeStrip(Form, 0);
    Form->AfterConstruction();
    Strip->Redraw();
  }
  void TearDown() override {
    // Forms released during the test (drag images) go first, as the event loop would free them.
    TestHarness::ProcessEvents();
    TComponent::Free(Form);
    TestHarness::UseFakeClock(false);
  }

  // A strip on Form at Top, 500 x 30, with its animation clock stopped.
  static TTabStrip* MakeStrip(TForm* Owner, Integer Top) {
    TTabStrip* S = new TTabStrip(Owner);
    S->AnimateTimer()->SetEnabled(false);
    S->SetParent(Owner);
    S->SetBounds(0, Top, 500, 30);
    return S;
  }

  // Options that leave the whole width to the tabs: no add button, no scrolling.
  void PlainLayout(TTabStrip* S = nullptr) {
    if (!S) S = Strip;
    S->Options()->Display()->AddButton()->SetVisibility(avNone);
    S->Options()->Scrolling()->SetEnabled(false);
  }

  TStripTab* AddTab(const String& Caption, TTabStrip* S = nullptr) {
    if (!S) S = Strip;
    TStripTab* T = S->Tabs()->Add();
    T->SetCaption(Caption);
    return T;
  }

  // Ticks the animation every 15 ms of the fake clock until nothing moves or changes its look.
  void Settle(TTabStrip* S = nullptr) {
    if (!S) S = Strip;
    for (int i = 0; i < 400; ++i) {
      TestHarness::AdvanceClock(15);
      S->AnimationTick(nullptr);
      if (!S->HasState(stsAnimatingMovement) && !S->HasState(stsAnimatingStyle)) return;
    }
    ADD_FAILURE() << "the strip kept animating";
  }

  TRect EndRect(Integer Index, TTabStrip* S = nullptr) {
    if (!S) S = Strip;
    return S->GetTabControl(Index)->EndRect();
  }

  // A point inside tab Index, away from its close button.
  TPoint InTab(Integer Index, TTabStrip* S = nullptr) {
    if (!S) S = Strip;
    const TRect R = S->GetTabControl(Index)->ControlRectScrolled();
    return TPoint(R.Left + 22, (R.Top + R.Bottom) / 2);
  }

  void Press(TPoint P, TMouseButton Button = mbLeft) {
    const UINT Msg = Button == mbLeft ? WM_LBUTTONDOWN : Button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    const Word Keys = Button == mbLeft ? MK_LBUTTON : Button == mbRight ? MK_RBUTTON : MK_MBUTTON;
    TestHarness::SendMouse(Strip, Msg, P, Keys);
  }
  void Release(TPoint P, TMouseButton Button = mbLeft) {
    const UINT Msg = Button == mbLeft ? WM_LBUTTONUP : Button == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP;
    TestHarness::SendMouse(Strip, Msg, P, 0);
  }
  void Move(TPoint P, Word Keys = 0) { TestHarness::SendMouse(Strip, WM_MOUSEMOVE, P, Keys); }

  TForm* Form = nullptr;
  TTabStrip* Strip = nullptr;
};
