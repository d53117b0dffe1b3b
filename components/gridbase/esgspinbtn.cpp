// The auto-repeat speed button and the spin button pair.
#include "components/gridbase/ExXPVS.h"
#include "components/gridbase/esgspin.h"

// --- Default glyphs --------------------------------------------------------------------------------

void LoadDefaultSpinGlyph(TBitmap* Glyph, bool Up) {
  if (!Glyph) return;
  Glyph->SetSize(9, 6);
  TCanvas* c = Glyph->Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clOlive);
  c->FillRect(Rect(0, 0, 9, 6));
  // The up arrow from its tip (row 1) to its base (row 4); the down arrow is the same upside down.
  for (Integer i = 0; i < 4; ++i) {
    const Integer row = Up ? 1 + i : 4 - i;
    for (Integer x = 4 - i; x <= 4 + i; ++x) c->SetPixels(x, row, clBlack);
  }
  Glyph->SetTransparentMode(tmAuto);
}

// --- TExTimerSpeedButton ---------------------------------------------------------------------------

TExTimerSpeedButton::TExTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TExTimerSpeedButton::~TExTimerSpeedButton() = default;

void TExTimerSpeedButton::BeforeDestruction() {
  // The repeat timer goes first, so no tick can reach a button being destroyed.
  TTimer* t = FRepeatTimer;
  FRepeatTimer = nullptr;
  TComponent::Free(t);
  TSpeedButton::BeforeDestruction();
}

TEsgSpinButton* TExTimerSpeedButton::Pair() const { return dynamic_cast<TEsgSpinButton*>(Owner()); }

void TExTimerSpeedButton::SetButtonDirection(TButtonDirection Value) {
  if (Value == FButtonDirection) return;
  FButtonDirection = Value;
  Invalidate();
}

void TExTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (FTimeBtnState & tbAllowTimer) {
    if (!FRepeatTimer) {
      FRepeatTimer = new TTimer(this);
      FRepeatTimer->OnTimer = [this](TObject* Sender) { TimerExpired(Sender); };
    }
    FRepeatTimer->SetInterval(400);
    FRepeatTimer->SetEnabled(true);
  }
  if (FParent) FParent->Invalidate();
}

void TExTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  if (FParent) FParent->Invalidate();
}

void TExTimerSpeedButton::TimerExpired(TObject* Sender) {
  (void)Sender;
  FRepeatTimer->SetInterval(100);
  // Repeat only while the button shows pressed and still holds the mouse.
  if (FState != bsDown || GetCaptureControl() != this) return;
  try {
    Click();
  } catch (...) {
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TExTimerSpeedButton::CMMouseEnter(TMessage& M) {
  TSpeedButton::CMMouseEnter(M);
  FHasMouse = true;
  Invalidate();
}

void TExTimerSpeedButton::CMMouseLeave(TMessage& M) {
  TSpeedButton::CMMouseLeave(M);
  FHasMouse = false;
  Invalidate();
}

void TExTimerSpeedButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  const bool pressed = FState == bsDown;
  TEsgSpinButton* pair = Pair();

  if (pair && pair->ButtonColor() != clNone) {
    const TColor fill = pressed ? pair->ButtonColorDown() : FHasMouse ? pair->ButtonColorHot() : pair->ButtonColor();
    c->Pen()->SetColor(fill);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(fill);
    c->Rectangle(r);
    // The arrow is black whatever text colour the pair holds.
    TPoint p[3];
    switch (FButtonDirection) {
      case bdLeft: p[0] = Point(5, 5), p[1] = Point(3, 7), p[2] = Point(5, 9); break;
      case bdRight: p[0] = Point(3, 5), p[1] = Point(5, 7), p[2] = Point(3, 9); break;
      case bdUp: p[0] = Point(4, 4), p[1] = Point(8, 4), p[2] = Point(6, 2); break;
      case bdDown: p[0] = Point(4, 2), p[1] = Point(8, 2), p[2] = Point(6, 4); break;
    }
    for (TPoint& q : p) q = Point(q.X + r.Left, q.Y + r.Top);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clBlack);
    c->Polygon(p, 3);
    return;
  }

  if (FIsWinXP && pair) {
    if (HTHEME theme = ThemeApi.OpenThemeData(pair->Handle(), u"spin")) {
      Integer part = 1;
      switch (FButtonDirection) {
        case bdUp: part = 1; break;
        case bdDown: part = 2; break;
        case bdRight: part = 3; break;
        case bdLeft: part = 4; break;
      }
      const Integer state = pressed ? 3 : FHasMouse ? 2 : 1;
      ThemeApi.DrawThemeBackground(theme, c, part, state, &r, nullptr);
      ThemeApi.CloseThemeData(theme);
      return;
    }
  }

  if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
    Cardinal state = FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
    if (pressed) state |= DFCS_PUSHED;
    if (FFlat) state |= DFCS_FLAT;
    DrawFrameControl(c, r, DFC_SCROLL, state);
    return;
  }
  TSpeedButton::Paint();
}

// --- TEsgSpinButton --------------------------------------------------------------------------------

TEsgSpinButton::TEsgSpinButton(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = (FControlStyle & ~static_cast<uint32_t>(csAcceptsControls | csSetCaption)) | csOpaque;
  FUpButton = CreateButton();
  FDownButton = CreateButton();
  SetUpGlyph(nullptr);
  SetDownGlyph(nullptr);
  FUpButton->SetButtonDirection(bdUp);
  FDownButton->SetButtonDirection(bdDown);
  SetBounds(FLeft, FTop, 15, 25);
  FFocusedButton = FUpButton;
}

TExTimerSpeedButton* TEsgSpinButton::CreateButton() {
  auto* b = new TExTimerSpeedButton(this);
  b->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
  b->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    BtnMouseDown(Sender, Button, Shift, X, Y);
  };
  b->SetVisible(true);
  b->SetEnabled(true);
  b->SetTimeBtnState(tbAllowTimer);
  b->SetParent(this);
  return b;
}

void TEsgSpinButton::ArrangeButtons(Integer& AWidth, Integer& AHeight) {
  if (!FUpButton || !FDownButton || HasState(csLoading)) return;
  if (FDirection == spVertical) {
    if (AWidth < 15) AWidth = 15;
    FUpButton->SetBounds(0, 0, AWidth, AHeight / 2);
    FDownButton->SetBounds(0, FUpButton->Height() - 1, AWidth, AHeight - FUpButton->Height() + 1);
  } else {
    if (AWidth < 20) AWidth = 20;
    FDownButton->SetBounds(0, 0, AWidth / 2, AHeight);
    FUpButton->SetBounds(AWidth / 2 + 1, 0, AWidth / 2, AHeight);
  }
}

void TEsgSpinButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  Integer w = AWidth, h = AHeight;
  ArrangeButtons(w, h);
  TWinControl::SetBounds(ALeft, ATop, w, h);
}

void TEsgSpinButton::WMSize(TMessage& M) {
  TWinControl::WMSize(M);
  Integer w = FWidth, h = FHeight;
  ArrangeButtons(w, h);
  if (w != FWidth || h != FHeight) TWinControl::SetBounds(FLeft, FTop, w, h);
  M.Result = 0;
}

void TEsgSpinButton::Loaded() {
  TWinControl::Loaded();
  Integer w = FWidth, h = FHeight;
  ArrangeButtons(w, h);
  if (w != FWidth || h != FHeight) TWinControl::SetBounds(FLeft, FTop, w, h);
}

void TEsgSpinButton::SetDirection(TSpinDirection Value) {
  if (Value == FDirection) return;
  FDirection = Value;
  if (Value == spHorizontal) {
    SetWidth(20);
    FUpButton->SetButtonDirection(bdRight);
    FDownButton->SetButtonDirection(bdLeft);
  } else {
    SetWidth(15);
    FUpButton->SetButtonDirection(bdUp);
    FDownButton->SetButtonDirection(bdDown);
  }
  Invalidate();
}

void TEsgSpinButton::SetUpGlyph(TBitmap* Value) {
  if (Value) {
    FUpButton->SetGlyph(Value);
    return;
  }
  LoadDefaultSpinGlyph(FUpButton->Glyph(), true);
  FUpButton->SetNumGlyphs(1);
  FUpButton->Invalidate();
}

void TEsgSpinButton::SetDownGlyph(TBitmap* Value) {
  if (Value) {
    FDownButton->SetGlyph(Value);
    return;
  }
  LoadDefaultSpinGlyph(FDownButton->Glyph(), false);
  FDownButton->SetNumGlyphs(1);
  FDownButton->Invalidate();
}

void TEsgSpinButton::SetFocusControl(TWinControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TEsgSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TEsgSpinButton::SetWinXPLook(bool Value) {
  FIsWinXP = Value;
  FUpButton->SetIsWinXP(Value);
  FDownButton->SetIsWinXP(Value);
}

void TEsgSpinButton::BtnClick(TObject* Sender) {
  if (Sender == FUpButton) {
    if (OnUpClick) OnUpClick(this);
  } else if (OnDownClick) {
    OnDownClick(this);
  }
}

void TEsgSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X,
                                  Integer Y) {
  (void)Shift, (void)X, (void)Y;
  if (Button != mbLeft) return;
  FocusBtn(static_cast<TExTimerSpeedButton*>(Sender));
  if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (FTabStop && !Focused() && CanFocus())
    SetFocus();
}

void TEsgSpinButton::FocusBtn(TExTimerSpeedButton* Button) {
  if (!FTabStop || !CanFocus() || Button == FFocusedButton) return;
  FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~tbFocusRect);
  FFocusedButton = Button;
  if (Focused()) {
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | tbFocusRect);
    Invalidate();
  }
}

void TEsgSpinButton::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP:
      FocusBtn(FUpButton);
      FUpButton->Click();
      break;
    case VK_DOWN:
      FocusBtn(FDownButton);
      FDownButton->Click();
      break;
    default: break;
  }
}

void TEsgSpinButton::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTARROWS; }

void TEsgSpinButton::WMSetFocus(TMessage& M) {
  TWinControl::WMSetFocus(M);
  FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | tbFocusRect);
  FFocusedButton->Invalidate();
}

void TEsgSpinButton::WMKillFocus(TMessage& M) {
  TWinControl::WMKillFocus(M);
  FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~tbFocusRect);
  FFocusedButton->Invalidate();
}
