// The grid's custom-drawn check box.
#include "components/gridbase/ExCheckBox.h"

#include "components/gridbase/ExGridButton.h"  // CaptionAccelerator
#include "components/gridbase/ExXPVS.h"

namespace {

// The visual-styles check-box part.
constexpr Integer BP_CHECKBOX = 3;

bool Inside(const TControl* C, Integer X, Integer Y) {
  return X >= 0 && X <= C->Width() && Y >= 0 && Y <= C->Height();
}

}  // namespace

TExCheckBox::TExCheckBox(TComponent* AOwner)
    : TCustomControl(AOwner), FBkgBmp(std::make_unique<TBitmap>()) {
  // Clicks are raised by the control itself once it has toggled.
  SetControlStyle(ControlStyle() & ~static_cast<TControlStyle>(csClickEvents));
  FIsWinXP = IsWinXPOrLater();
  SetColor(clWindow);
  SetParentColor(true);
  SetTabStop(false);
  SetBounds(FLeft, FTop, 98, 20);
  SetText(FCaption);
}

TExCheckBox::~TExCheckBox() = default;

void TExCheckBox::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TExCheckBox::SetButtonVertAlign(TTextLayout Value) {
  if (Value == FBtnVAlign) return;
  FBtnVAlign = Value;
  Invalidate();
}

void TExCheckBox::SetCaption(const String& Value) {
  FCaption = Value;
  SetText(Value);
  Invalidate();
}

void TExCheckBox::SetChecked(bool Value) {
  SetState(Value ? cbChecked : cbUnchecked);
  Invalidate();
}

void TExCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  // Only the box side needs repainting; this window system repaints the control as a whole.
  Invalidate();
}

void TExCheckBox::SetEllipsis(bool Value) {
  if (Value == FEllipsis) return;
  FEllipsis = Value;
  Invalidate();
}

void TExCheckBox::SetTransparent(bool Value) {
  if (Value != FTransparent) {
    FTransparent = Value;
    FBkgCache = false;
  }
  Invalidate();
}

void TExCheckBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FTransparent) {
    FBkgCache = false;
    Invalidate();
  }
}

void TExCheckBox::Toggle() {
  if (!FReadOnly) SetChecked(!Checked());
}

// ---------------------------------------------------------------------------------------------
// Messages, mouse and keys
// ---------------------------------------------------------------------------------------------

void TExCheckBox::Dispatch(TMessage& M) {
  if (M.Msg == WM_ERASEBKGND && FTransparent) {
    M.Result = 1;  // the parent's background is painted instead
    return;
  }
  TCustomControl::Dispatch(M);
}

void TExCheckBox::DoEnter() {
  TCustomControl::DoEnter();
  FFocused = true;
  Invalidate();
}

void TExCheckBox::DoExit() {
  TCustomControl::DoExit();
  FFocused = false;
  Invalidate();
}

void TExCheckBox::CMMouseEnter(TMessage& M) {
  TCustomControl::CMMouseEnter(M);
  FHot = true;
  Invalidate();
}

void TExCheckBox::CMMouseLeave(TMessage& M) {
  TCustomControl::CMMouseLeave(M);
  FHot = false;
  Invalidate();
}

void TExCheckBox::CMEnabledChanged(TMessage& M) {
  TCustomControl::CMEnabledChanged(M);
  Invalidate();
}

void TExCheckBox::CMDialogChar(TMessage& M) {
  Char K = static_cast<Char>(M.WParam);
  if (K >= u'A' && K <= u'Z') K = static_cast<Char>(K - u'A' + u'a');
  const Char A = CaptionAccelerator(FCaption);
  if (A && A == K && CanFocus()) {
    Toggle();
    if (TabStop()) SetFocus();
    M.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(M);
}

void TExCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FMouseDown = true;
  if (!FFocused) {
    if (CanFocus()) SetFocus();
    FFocused = true;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
  SetCaptureControl(this);
  FDown = true;
  if (FIsWinXP) Invalidate();
}

void TExCheckBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (GetCaptureControl() == this) FDown = Inside(this, X, Y);
  TCustomControl::MouseMove(Shift, X, Y);
}

void TExCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  FDown = false;
  if (Inside(this, X, Y) && FFocused && FMouseDown) {
    FClicksDisabled = true;
    Toggle();
    FClicksDisabled = false;
    Click();
  }
  FMouseDown = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FIsWinXP) Invalidate();
}

void TExCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_SPACE) FDown = true;
  TCustomControl::KeyDown(Key, Shift);
}

void TExCheckBox::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_SPACE) {
    FDown = false;
    Toggle();
    Click();
  }
  TCustomControl::KeyUp(Key, Shift);
}

// ---------------------------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------------------------

void TExCheckBox::PaintParentBackground(TCanvas* C) {
  TWinControl* P = Parent();
  if (!P) return;
  // The parent's own image where it keeps one; otherwise its colour.
  TBitmap* Image = P->BackingImage();
  if (Image && !Image->Empty()) {
    C->CopyRect(Rect(0, 0, Width(), Height()), Image->Canvas(),
                Rect(Left(), Top(), Left() + Width(), Top() + Height()));
  } else {
    C->Brush()->SetColor(P->Color());
    C->FillRect(Rect(0, 0, Width(), Height()));
  }
}

void TExCheckBox::Paint() {
  TCanvas* C = Canvas();
  C->Font()->Assign(Font());

  if (FTransparent) {
    if (!FTransparentCaching) {
      PaintParentBackground(C);
    } else {
      if (!FBkgCache) {
        FBkgBmp->SetPixelFormat(pf24bit);
        FBkgBmp->SetSize(Width(), Height());
        PaintParentBackground(FBkgBmp->Canvas());
        FBkgCache = true;
      }
      C->Draw(0, 0, FBkgBmp.get());
    }
  } else {
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
  }

  if (GetText() != FCaption) FText = FCaption;

  const bool Disabled = !Enabled();
  if (FIsWinXP && ThemeApi.IsThemeActive() != 0 && IsComCtl6()) {
    TRect R;
    R.Left = FAlignment == taRightJustify ? ClientWidth() - 15 : 0;
    switch (FBtnVAlign) {
      case tlTop:
        R.Top = 4;
        break;
      case tlCenter:
        R.Top = ClientHeight() / 2 - 6;
        break;
      case tlBottom:
        R.Top = ClientHeight() - 14;
        break;
    }
    R.Right = R.Left + 14;
    R.Bottom = R.Top + 14;
    // Unchecked 1..4, checked 5..8, grayed 9..12: normal, hot, pressed, disabled.
    Integer StateId = FState == cbChecked ? 5 : (FState == cbGrayed ? 9 : 1);
    if (Disabled)
      StateId += 3;
    else if (FDown)
      StateId += 2;
    else if (FHot)
      StateId += 1;
    const HTHEME Theme = ThemeApi.OpenThemeData(Handle(), u"button");
    ThemeApi.DrawThemeBackground(Theme, C, BP_CHECKBOX, StateId, &R, nullptr);
    ThemeApi.CloseThemeData(Theme);
  } else {
    TRect R;
    R.Left = FAlignment == taRightJustify ? ClientWidth() - 13 : 0;
    switch (FBtnVAlign) {
      case tlTop:
        R.Top = 4;
        break;
      case tlCenter:
        R.Top = ClientHeight() / 2 - 6;
        break;
      case tlBottom:
        R.Top = ClientHeight() - 17;
        break;
    }
    R.Right = R.Left + 13;
    R.Bottom = R.Top + 13;
    Cardinal Flags = DFCS_BUTTONCHECK;
    if (FState == cbGrayed || Disabled) Flags |= DFCS_INACTIVE;
    if (FState == cbChecked) Flags |= DFCS_CHECKED;
    DrawFrameControl(C, R, DFC_BUTTON, Flags);
  }

  TRect R = ClientRect();
  if (FAlignment == taRightJustify)
    R.Right -= 9;
  else
    R.Left += 9;
  R.Top += 4;
  R.Left += 6;
  C->Brush()->SetStyle(bsClear);
  const Cardinal Format = DT_LEFT | DT_TOP | DT_SINGLELINE | (FEllipsis ? DT_END_ELLIPSIS : 0);
  if (Disabled) {
    TRect S = R;
    OffsetRect(S, 1, 1);
    C->Font()->SetColor(clWhite);
    DrawText(C, FCaption, S, Format);
    C->Font()->SetColor(clGray);
  }
  DrawText(C, FCaption, R, Format);
  C->Brush()->SetStyle(bsSolid);

  if (FFocused) {
    const TSize T = C->TextExtent(FCaption);
    C->Brush()->SetColor(Color());
    C->DrawFocusRect(Rect(R.Left - 2, R.Top, R.Left + T.cx + 1, R.Top + T.cy + 1));
  }
}
