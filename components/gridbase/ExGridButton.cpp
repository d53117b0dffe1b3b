// The grid's windowless push button.
#include "components/gridbase/ExGridButton.h"

#include "components/gridbase/ExStyleIF.h"
#include "components/gridbase/ExXPVS.h"

using namespace ExGridButton;

namespace {

// The visual-styles button class and its push-button part with its states.
constexpr Integer BP_PUSHBUTTON = 1;
constexpr Integer PBS_NORMAL = 1;
constexpr Integer PBS_HOT = 2;
constexpr Integer PBS_PRESSED = 3;

// The width of the drop-down part at the right edge.
constexpr Integer DropDownWidth = 12;

// A copy of Value into Target (an empty bitmap for nullptr).
void CopyBitmap(TBitmap& Target, TBitmap* Value) {
  if (Value)
    Target.Assign(Value);
  else
    Target.FreeImage();
}

}  // namespace

Char CaptionAccelerator(const String& Caption) {
  for (size_t I = 0; I + 1 < Caption.size(); ++I) {
    if (Caption[I] != u'&') continue;
    if (Caption[I + 1] == u'&') {
      ++I;
      continue;
    }
    Char C = Caption[I + 1];
    if (C >= u'A' && C <= u'Z') C = static_cast<Char>(C - u'A' + u'a');
    return C;
  }
  return 0;
}

void DrawButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal,
                        const TRect& R, Integer Steps, TColor FrameColor) {
  if (Steps <= 0) Steps = 1;
  const Integer From = ColorToRGB(FromColor);
  const Integer To = ColorToRGB(ToColor);
  const Integer Length = Horizontal ? R.Width() : R.Height();
  const double Band = static_cast<double>(Length) / Steps;
  const Integer DR = GetRValue(To) - GetRValue(From);
  const Integer DG = GetGValue(To) - GetGValue(From);
  const Integer DB = GetBValue(To) - GetBValue(From);
  for (Integer I = 0; I < Steps; ++I) {
    const Byte Rc = static_cast<Byte>(GetRValue(From) + Round(static_cast<double>(I) * DR / Steps));
    const Byte Gc = static_cast<Byte>(GetGValue(From) + Round(static_cast<double>(I) * DG / Steps));
    const Byte Bc = static_cast<Byte>(GetBValue(From) + Round(static_cast<double>(I) * DB / Steps));
    Canvas->Brush()->SetColor(RGB(Rc, Gc, Bc));
    // Each band is one pixel longer than its share, so rounding leaves no gap between bands.
    const Integer Start = static_cast<Integer>(Round(I * Band));
    const Integer Len = static_cast<Integer>(Round(Band)) + 1;
    TRect B = R;
    if (Horizontal) {
      B.Left = R.Left + Start;
      B.Right = Min(R.Right, B.Left + Len);
    } else {
      B.Top = R.Top + Start;
      B.Bottom = Min(R.Bottom, B.Top + Len);
    }
    Canvas->FillRect(B);
  }
  if (FrameColor != clNone) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(FrameColor);
    Canvas->Rectangle(R);
    Canvas->Brush()->SetStyle(bsSolid);
  }
}

// ---------------------------------------------------------------------------------------------
// Construction and properties
// ---------------------------------------------------------------------------------------------

TExGridButton::TExGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>()) {
  FIsComCtl6 = IsComCtl6();
  // Captures the mouse and takes double clicks; clicks are raised by the button itself.
  SetControlStyle(csCaptureMouse | csDoubleClicks);
  FText.clear();
  SetColor(clBtnFace);
  SetBounds(FLeft, FTop, 23, 22);
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TExGridButton::~TExGridButton() = default;

void TExGridButton::Loaded() {
  TGraphicControl::Loaded();
  if (FShaded) CreateShadeGlyph();
  if (FAutoThemeAdapt) ThemeAdapt();
}

void TExGridButton::Click() { TGraphicControl::Click(); }

std::unique_ptr<TControlActionLink> TExGridButton::CreateActionLink() {
  return std::make_unique<TExGridButtonActionLink>(this);
}

bool TExGridButtonActionLink::IsCheckedLinked() const {
  return TControlActionLink::IsCheckedLinked() && FButton->GroupIndex() != 0 && FButton->AllowAllUp() &&
         FButton->Down() == CustomAction()->Checked();
}

bool TExGridButtonActionLink::IsGroupIndexLinked() const {
  return CustomAction() && FButton->GroupIndex() == CustomAction()->GroupIndex();
}

void TExGridButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FButton->SetDown(Value);
}

void TExGridButtonActionLink::SetGroupIndex(Integer Value) {
  if (IsGroupIndexLinked()) FButton->SetGroupIndex(Value);
}

void TExGridButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TExGridButton::SetGroupIndex(Integer Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TExGridButton::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  if (Value) ThemeAdapt();
}

void TExGridButton::SetBorderColor(TColor Value) {
  FBorderColor = Value;
  Invalidate();
}

void TExGridButton::SetColorTo(TColor Value) {
  FColorTo = Value;
  Invalidate();
}

void TExGridButton::SetColorChecked(TColor Value) {
  FColorChecked = Value;
  Invalidate();
}

void TExGridButton::SetColorCheckedTo(TColor Value) {
  FColorCheckedTo = Value;
  Invalidate();
}

void TExGridButton::SetDropDownButton(bool Value) {
  FDropDownButton = Value;
  Invalidate();
}

void TExGridButton::SetDropDownMenu(TPopupMenu* Value) {
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TExGridButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TExGridButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TExGridButton::SetGlyph(TBitmap* Value) {
  CopyBitmap(*FGlyph, Value);
  // Without a disabled glyph of its own the button greys the glyph: each pixel becomes the grey
  // level 96 + (the rounded mean of its channels) div 2, so 96..223.
  if (FGlyphDisabled->Empty() && !FGlyph->Empty()) {
    FGlyphDisabled->Assign(FGlyph.get());
    TCanvas* C = FGlyphDisabled->Canvas();
    for (Integer Y = 0; Y < FGlyphDisabled->Height(); ++Y)
      for (Integer X = 0; X < FGlyphDisabled->Width(); ++X) {
        const Integer P = ColorToRGB(C->Pixels(X, Y));
        const Integer Mean =
            static_cast<Integer>(Round((GetRValue(P) + GetGValue(P) + GetBValue(P)) / 3.0));
        const Byte G = static_cast<Byte>(96 + Mean / 2);
        C->SetPixels(X, Y, RGB(G, G, G));
      }
  }
  Invalidate();
}

void TExGridButton::SetGlyphHot(TBitmap* Value) { CopyBitmap(*FGlyphHot, Value); }

void TExGridButton::SetGlyphDown(TBitmap* Value) { CopyBitmap(*FGlyphDown, Value); }

void TExGridButton::SetGlyphDisabled(TBitmap* Value) { CopyBitmap(*FGlyphDisabled, Value); }

void TExGridButton::SetLayout(TButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TExGridButton::SetMargin(Integer Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TExGridButton::SetRounded(bool Value) {
  FRounded = Value;
  Invalidate();
}

void TExGridButton::SetShaded(bool Value) {
  FShaded = Value;
  if (Value && !HasState(csLoading)) CreateShadeGlyph();
}

void TExGridButton::SetShowCaption(bool Value) {
  if (Value == FShowCaption) return;
  FShowCaption = Value;
  Invalidate();
}

void TExGridButton::SetSpacing(Integer Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Invalidate();
}

void TExGridButton::SetStyle(TExGridButtonStyle Value) {
  FStyle = Value;
  Invalidate();
}

void TExGridButton::SetDown(bool Value) {
  // Down counts only for a grouped button or a check button.
  if (FGroupIndex == 0 && FStyle != tasCheck) Value = false;
  if (FStyle == tasCheck) {
    FDown = Value;
    Invalidate();
    return;
  }
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (Value) {
    if (FState == bsUp) Invalidate();
    FState = bsExclusive;
  } else {
    FState = bsUp;
    Invalidate();
  }
  if (Value) UpdateExclusive();
}

void TExGridButton::SetLook(Integer Value) {
  struct TLookSet {
    TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked,
        ColorCheckedTo, BorderDownColor, BorderHotColor;
    bool Rounded;
  };
  constexpr TLookSet Blue{0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF,
                          0x8ED3FF, 0x55ADFF, 0x000000, 0x000000, false};
  static const TLookSet Sets[] = {
      {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A,
       0xC3CECE, true},
      {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31,
       0xC56A31, false},
      Blue,
      {0xCFF0EA, 0x8CC0B1, Blue.ColorHot, Blue.ColorHotTo, Blue.ColorDown, Blue.ColorDownTo,
       Blue.ColorChecked, Blue.ColorCheckedTo, 0x000000, 0x000000, false},
      {0xECE2E1, 0xB39698, Blue.ColorHot, Blue.ColorHotTo, Blue.ColorDown, Blue.ColorDownTo,
       Blue.ColorChecked, Blue.ColorCheckedTo, 0x000000, 0x000000, false},
      {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone,
       false},
      {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, clGray,
       clGray, false},
  };
  if (Value < 0 || Value > 6) return;
  FLook = Value;
  const TLookSet& S = Sets[Value];
  SetColor(S.Color);
  FColorTo = S.ColorTo;
  FColorHot = S.ColorHot;
  FColorHotTo = S.ColorHotTo;
  FColorDown = S.ColorDown;
  FColorDownTo = S.ColorDownTo;
  FColorChecked = S.ColorChecked;
  FColorCheckedTo = S.ColorCheckedTo;
  FBorderDownColor = S.BorderDownColor;
  FBorderHotColor = S.BorderHotColor;
  FRounded = S.Rounded;
  FBorderColor = clNone;
  FFlat = true;
  Invalidate();
}

void TExGridButton::ThemeAdapt() {
  switch (DetectXPColorScheme()) {
    case 1:
      SetLook(2);
      break;
    case 2:
      SetLook(3);
      break;
    case 3:
      SetLook(4);
      break;
    default:
      SetLook(1);
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Groups, messages and tracking
// ---------------------------------------------------------------------------------------------

void TExGridButton::UpdateExclusive() {
  if (!Parent()) return;
  TMessage M{};
  M.Msg = CM_BUTTONPRESSED;
  M.WParam = static_cast<WPARAM>(FGroupIndex);
  M.LParam = reinterpret_cast<LPARAM>(this);
  M.Result = 0;
  Parent()->Broadcast(M);
}

void TExGridButton::ButtonPressed(Integer Group, TExGridButton* Sender) {
  if (Group != FGroupIndex || Sender == this || !Sender) return;
  if (Sender->FDown && FDown) {
    FDown = false;
    FState = bsUp;
    if (auto* action = dynamic_cast<TCustomAction*>(Action())) action->SetChecked(false);
    Invalidate();
  }
  FAllowAllUp = Sender->FAllowAllUp;
}

void TExGridButton::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_BUTTONPRESSED: {
      // Only buttons of this class take part in the group; the sender is one of them.
      TControl* Sender = reinterpret_cast<TControl*>(M.LParam);
      ButtonPressed(static_cast<Integer>(M.WParam), dynamic_cast<TExGridButton*>(Sender));
      break;
    }
    case CM_DIALOGCHAR: {
      const Char A = CaptionAccelerator(Caption());
      Char K = static_cast<Char>(M.WParam);
      if (K >= u'A' && K <= u'Z') K = static_cast<Char>(K - u'A' + u'a');
      if (A && A == K && Enabled() && Visible() && Parent() && Parent()->Showing()) {
        Click();
        M.Result = 1;
      } else {
        TGraphicControl::Dispatch(M);
      }
      break;
    }
    case CM_SYSCOLORCHANGE:
      Invalidate();
      break;
    case WM_THEMECHANGED:
    case CM_GRIDLOOKCHANGED:
      if (FAutoThemeAdapt) ThemeAdapt();
      break;
    default:
      TGraphicControl::Dispatch(M);
  }
}

void TExGridButton::CMEnabledChanged(TMessage& M) {
  TGraphicControl::CMEnabledChanged(M);
  UpdateTracking();
  Invalidate();
}

void TExGridButton::CMMouseEnter(TMessage& /*M*/) {
  if (!FMouseInControl && Enabled() && DragMode() != dmAutomatic && GetCaptureControl() == nullptr) {
    FMouseInControl = true;
    Invalidate();
  }
  if (OnMouseEnter) OnMouseEnter(this);
}

void TExGridButton::CMMouseLeave(TMessage& /*M*/) {
  if (FMouseInControl && Enabled() && !FDragging) {
    FMouseInControl = false;
    Invalidate();
  }
  if (OnMouseLeave) OnMouseLeave(this);
}

void TExGridButton::UpdateTracking() {
  if (!FFlat || !Enabled()) return;
  const bool Over = FindDragTarget(GetCursorPos(), true) == this;
  Perform(Over ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TExGridButton::WMLButtonDblClk(TMessage& M) {
  TGraphicControl::WMLButtonDblClk(M);
  if (FDown && OnDblClick) OnDblClick(this);
}

// ---------------------------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------------------------

void TExGridButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (FDropDownButton && X > ClientWidth() - DropDownWidth) {
    FState = bsUp;
    Invalidate();
    if (OnDropDown) OnDropDown(this);
    if (FDropDownMenu) {
      const TPoint P = ClientToScreen(TPoint(0, Height()));
      FDropDownMenu->Popup(P.X, P.Y);
    }
    return;
  }
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  if (FStyle == tasCheck) {
    FState = bsDown;
    Repaint();
  }
  FDragging = true;
}

void TExGridButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    TButtonState NewState = FDown ? bsExclusive : bsUp;
    if (X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight())
      NewState = FDown ? bsExclusive : bsDown;
    if (FStyle == tasCheck && FDown) NewState = bsDown;
    if (NewState != FState) {
      FState = NewState;
      Invalidate();
    }
  } else if (!FMouseInControl) {
    UpdateTracking();
  }
}

void TExGridButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool Inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
  if (FGroupIndex == 0) {
    FState = bsUp;
    if (FStyle == tasCheck) {
      FDown = !FDown;
      FState = bsUp;
    }
    if (Inside) Invalidate();
  } else if (Inside) {
    SetDown(!FDown);
    if (FDown) Invalidate();
  } else if (FDown) {
    FState = bsExclusive;
    Invalidate();
  }
  if (Inside) Click();
  UpdateTracking();
}

// ---------------------------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------------------------

bool TExGridButton::Hot() const {
  return FMouseInControl && Enabled() && !HasState(csDesigning);
}

void TExGridButton::CreateShadeGlyph() {
  if (FGlyph->Empty()) return;
  const Integer W = FGlyph->Width();
  const Integer H = FGlyph->Height();
  TCanvas* G = FGlyph->Canvas();
  const TColor Transparent = G->Pixels(0, H - 1);
  FGlyphShade->SetPixelFormat(pf24bit);
  FGlyphShade->SetSize(W, H);
  TCanvas* S = FGlyphShade->Canvas();
  // A grey silhouette of the glyph on the glyph's transparent colour.
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X)
      S->SetPixels(X, Y, G->Pixels(X, Y) != Transparent ? TColor(0x808080) : Transparent);
  FGlyphShade->SetTransparent(true);
}

void TExGridButton::DrawCheckedFace(TCanvas* C, const TRect& R, TColor FramePen, bool PlainFill) {
  if (FColorCheckedTo != clNone) {
    DrawButtonGradient(C, FColorChecked, FColorCheckedTo, false, R, 16, FramePen);
  } else if (PlainFill) {
    C->Brush()->SetColor(FColorChecked);
    C->FillRect(R);
  } else {
    C->Brush()->SetColor(FColorChecked);
    C->Pen()->SetColor(FramePen != clNone ? FramePen : FColorChecked);
    C->Rectangle(R);
  }
}

TRect TExGridButton::CalcButtonLayout(TCanvas* C, const TRect& R, const TPoint& Offset,
                                      TPoint& GlyphPos) {
  const TPoint ClientSize(R.Width(), R.Height());
  const bool HasCaption = !Caption().empty() && FShowCaption;
  TPoint GlyphSize;
  if (!FGlyph->Empty()) GlyphSize = TPoint(FGlyph->Width(), FGlyph->Height());
  TRect TextBounds(0, 0, ClientSize.X, 0);
  TPoint TextSize;
  if (HasCaption) {
    DrawText(C, Caption(), TextBounds, DT_CALCRECT | DT_SINGLELINE);
    TextSize = TPoint(TextBounds.Width(), TextBounds.Height());
  } else {
    TextBounds = TRect();
  }
  TButtonLayout Layout = FLayout;
  // Right-to-left reading puts the glyph on the other side.
  TPoint TextPos;
  if (Layout == blGlyphLeft || Layout == blGlyphRight) {
    GlyphPos.Y = (ClientSize.Y - GlyphSize.Y + 1) / 2;
    TextPos.Y = (ClientSize.Y - TextSize.Y + 1) / 2;
  } else {
    GlyphPos.X = (ClientSize.X - GlyphSize.X + 1) / 2;
    TextPos.X = (ClientSize.X - TextSize.X + 1) / 2;
  }
  Integer Spacing = FSpacing;
  Integer Margin = FMargin;
  if (!HasCaption || GlyphSize.X == 0) Spacing = 0;
  const bool Horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  const Integer Space = Horizontal ? ClientSize.X : ClientSize.Y;
  const Integer G = Horizontal ? GlyphSize.X : GlyphSize.Y;
  const Integer T = Horizontal ? TextSize.X : TextSize.Y;
  if (Margin == -1) {
    if (Spacing == -1) {
      Margin = (Space - (G + T)) / 3;
      Spacing = Margin;
    } else {
      Margin = (Space - (G + Spacing + T) + 1) / 2;
    }
  } else if (Spacing == -1) {
    Spacing = (Space - (Margin + G) - T) / 2;
  }
  switch (Layout) {
    case blGlyphLeft:
      GlyphPos.X = Margin;
      TextPos.X = GlyphPos.X + GlyphSize.X + Spacing;
      break;
    case blGlyphRight:
      GlyphPos.X = ClientSize.X - Margin - GlyphSize.X;
      TextPos.X = GlyphPos.X - Spacing - TextSize.X;
      break;
    case blGlyphTop:
      GlyphPos.Y = Margin;
      TextPos.Y = GlyphPos.Y + GlyphSize.Y + Spacing;
      break;
    case blGlyphBottom:
      GlyphPos.Y = ClientSize.Y - Margin - GlyphSize.Y;
      TextPos.Y = GlyphPos.Y - Spacing - TextSize.Y;
      break;
  }
  GlyphPos.X += R.Left + Offset.X;
  GlyphPos.Y += R.Top + Offset.Y;
  return Bounds(TextPos.X + R.Left + Offset.X, TextPos.Y + R.Top + Offset.Y, TextSize.X,
                TextSize.Y);
}

void TExGridButton::DrawGlyph(TCanvas* C, const TPoint& GlyphPos, bool HasCaption) {
  TBitmap* Chosen;
  if (FState == bsDown || FState == bsExclusive)
    Chosen = FGlyphDown.get();
  else if (Hot())
    Chosen = FGlyphHot.get();
  else
    Chosen = FGlyph.get();
  if (!Enabled()) Chosen = FGlyphDisabled.get();
  if (Chosen->Empty()) Chosen = FGlyph.get();
  if (Chosen->Empty()) return;
  const TPoint At = HasCaption ? GlyphPos : TPoint(0, 0);
  if (Hot() && FShaded && FState != bsDown && !FGlyphShade->Empty()) {
    FGlyphShade->SetTransparent(true);
    C->Draw(At.X + 2, At.Y + 2, FGlyphShade.get());
  }
  Chosen->SetTransparent(true);
  C->Draw(At.X, At.Y, Chosen);
}

void TExGridButton::DrawCaption(TCanvas* C, const TRect& TextBounds, TButtonState State) {
  C->Brush()->SetStyle(bsClear);
  TRect R = TextBounds;
  const Cardinal Flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (State == bsDisabled) {
    OffsetRect(R, 1, 1);
    C->Font()->SetColor(clBtnHighlight);
    DrawText(C, Caption(), R, Flags);
    OffsetRect(R, -1, -1);
    C->Font()->SetColor(clBtnShadow);
    DrawText(C, Caption(), R, Flags);
  } else {
    DrawText(C, Caption(), R, Flags);
  }
  C->Brush()->SetStyle(bsSolid);
}

void TExGridButton::DrawButtonContent(TCanvas* C, const TRect& R, const TPoint& Offset,
                                      TButtonState State) {
  TPoint GlyphPos;
  TRect TextBounds = CalcButtonLayout(C, R, Offset, GlyphPos);
  const bool HasCaption = !Caption().empty();
  DrawGlyph(C, GlyphPos, HasCaption);
  if (FFlat && Hot() && FShaded && !HasState(csDesigning) && State != bsDown &&
      State != bsExclusive)
    OffsetRect(TextBounds, 1, 1);
  if (FShowCaption && HasCaption) DrawCaption(C, TextBounds, State);
}

void TExGridButton::Paint() {
  TCanvas* C = Canvas();
  // 1. The state follows Enabled, the group and the check style.
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = (FDown && FGroupIndex != 0) ? bsExclusive : bsUp;
  }
  if (FStyle == tasCheck && FDown) FState = bsDown;

  C->Font()->Assign(Font());
  TRect R = ClientRect();
  const bool Pressed = FState == bsDown || FState == bsExclusive;
  const bool IsHot = Hot();

  if (!FFlat) {
    if (IsWinXPOrLater() && FAutoXPStyle && FIsComCtl6 && ThemeApi.IsThemeActive() != 0) {
      const HTHEME Theme = ThemeApi.OpenThemeData(Parent() ? Parent()->Handle() : 0, u"button");
      const Integer StateId = Pressed ? PBS_PRESSED : (FMouseInControl ? PBS_HOT : PBS_NORMAL);
      ThemeApi.DrawThemeBackground(Theme, C, BP_PUSHBUTTON, StateId, &R, nullptr);
      ThemeApi.CloseThemeData(Theme);
    } else {
      C->Brush()->SetColor(Color());
      C->FillRect(R);
      DrawFrameControl(C, R, DFC_BUTTON,
                       DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed ? DFCS_PUSHED : 0));
    }
  } else {
    if (FBorderDownColor == clNone || FRounded) InflateRect(R, -1, -1);
    if (IsHot) {
      TColor Face, FaceTo, PenColor;
      if (FState == bsDown) {
        Face = FColorDown;
        FaceTo = FColorDownTo;
        PenColor = FBorderDownColor;
      } else {
        Face = FColorHot;
        FaceTo = FColorHotTo;
        PenColor = FBorderHotColor;
      }
      if (FStyle == tasCheck && FDown && FState != bsDown) {
        Face = FColorChecked;
        FaceTo = FColorCheckedTo;
        PenColor = FBorderDownColor;
      }
      if (FRounded) PenColor = clNone;
      if (FaceTo != clNone) {
        DrawButtonGradient(C, Face, FaceTo, false, R, 16, PenColor);
      } else {
        C->Brush()->SetColor(Face);
        C->Pen()->SetColor(PenColor != clNone ? PenColor : Face);
        C->Rectangle(R);
      }
      const TColor Edge = FState == bsDown ? FBorderDownColor : FBorderHotColor;
      if (FRounded) {
        InflateRect(R, 1, 1);
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(Edge);
        C->RoundRect(R, 8, 8);
        C->Brush()->SetStyle(bsSolid);
      }
      if (FDropDownButton) {
        C->Pen()->SetColor(Edge);
        C->MoveTo(R.Right - DropDownWidth, R.Top);
        C->LineTo(R.Right - DropDownWidth, R.Bottom);
      }
    } else {
      if (FStyle == tasCheck && FDown) {
        DrawCheckedFace(C, R, FBorderDownColor, false);
      } else if (FColorTo != clNone) {
        const TColor Frame = FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor);
        DrawButtonGradient(C, Color(), FColorTo, false, R, 16, Frame);
      } else {
        C->Brush()->SetColor(Color());
        C->FillRect(R);
      }
      if (FBorderColor != clNone) {
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(FBorderColor);
        if (FRounded) {
          TRect O = R;
          InflateRect(O, 1, 1);
          C->RoundRect(O, 8, 8);
        } else {
          C->Rectangle(R);
        }
        C->Brush()->SetStyle(bsSolid);
      }
    }
    InflateRect(R, -1, -1);
  }

  // The content's offset.
  TPoint P(0, 0);
  if (Pressed) {
    if (FState == bsExclusive && (!FFlat || !IsHot)) {
      TRect F = R;
      InflateRect(F, 1, 1);
      DrawCheckedFace(C, F, FDown ? FBorderDownColor : FBorderColor, true);
    }
    if (!FFlat && !HasState(csDesigning)) P = TPoint(1, 1);
  }
  if (FFlat && IsHot && FShaded && FState != bsDown) P = TPoint(-1, -1);

  // The drop-down part.
  if (FDropDownButton) {
    const Integer m = R.Top + (R.Bottom - R.Top) / 2;
    const TColor Arrow = Font()->Color();
    C->Pen()->SetColor(Arrow);
    C->Brush()->SetColor(Arrow);
    C->Polygon({TPoint(R.Right - 8, m - 1), TPoint(R.Right - 4, m - 1), TPoint(R.Right - 6, m + 1)});
    R.Right -= DropDownWidth;
  }

  const TButtonState ContentState = (FDown && FGroupIndex != 0) ? bsDown : FState;
  DrawButtonContent(C, R, P, ContentState);
}
