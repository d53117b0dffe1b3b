// The push button of the header and footer bands with its shared appearance, and the drop button
// of the editor (a windowed holder filled by one speed button).
#include <algorithm>

#include "components/dropdown/ExDropDown.h"
#include "components/gridbase/ATXPVS.h"
#include "components/gridbase/ExStyleIF.h"

// ---------------------------------------------------------------------------------------------
// TExButtonAppearance

TButtonFaceColors::TButtonFaceColors(const TInitial& I)
    : FBorderColor(I.BorderColor),
      FBorderColorHot(I.BorderColorHot),
      FBorderColorDown(I.BorderColorDown),
      FBorderColorChecked(I.BorderColorChecked),
      FColor(I.Color),
      FColorTo(I.ColorTo),
      FColorDown(I.ColorDown),
      FColorDownTo(I.ColorDownTo),
      FColorHot(I.ColorHot),
      FColorHotTo(I.ColorHotTo),
      FColorChecked(I.ColorChecked),
      FColorCheckedTo(I.ColorCheckedTo),
      FColorDisabled(I.ColorDisabled),
      FColorDisabledTo(I.ColorDisabledTo) {}

void TButtonFaceColors::Store(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  if (OnChange) OnChange(this);
}

void TButtonFaceColors::AssignFaceColors(const TButtonFaceColors& Source) {
  SetBorderColor(Source.FBorderColor);
  SetBorderColorHot(Source.FBorderColorHot);
  SetBorderColorDown(Source.FBorderColorDown);
  SetBorderColorChecked(Source.FBorderColorChecked);
  SetColor(Source.FColor);
  SetColorTo(Source.FColorTo);
  SetColorDown(Source.FColorDown);
  SetColorDownTo(Source.FColorDownTo);
  SetColorHot(Source.FColorHot);
  SetColorHotTo(Source.FColorHotTo);
  SetColorChecked(Source.FColorChecked);
  SetColorCheckedTo(Source.FColorCheckedTo);
  SetColorDisabled(Source.FColorDisabled);
  SetColorDisabledTo(Source.FColorDisabledTo);
}

TExButtonAppearance::TExButtonAppearance()
    : TButtonFaceColors({.BorderColor = clNone, .BorderColorHot = 0x808080, .BorderColorDown = 0x800000,
                         .BorderColorChecked = 0xFF0000, .Color = clNone, .ColorTo = clNone, .ColorDown = 0xF5D8CA,
                         .ColorDownTo = 0xF9BDA0, .ColorHot = 0xF5F0E1, .ColorHotTo = 0xF9D2B2,
                         .ColorChecked = ShadeColor(0xF5F0E1, -10, -10, 0),
                         .ColorCheckedTo = ShadeColor(0xF9D2B2, -10, -10, 0), .ColorDisabled = 0xF2F2F2,
                         .ColorDisabledTo = clNone}),
      FFont(std::make_unique<TFont>()) {
  FFont->SetName(u"Tahoma");
}

TExButtonAppearance::~TExButtonAppearance() = default;

void TExButtonAppearance::SetFont(const TFont* Value) {
  if (Value) FFont->Assign(Value);
}

void TExButtonAppearance::SetGradient(TGradientDirection Value) {
  if (FGradient == Value) return;
  FGradient = Value;
  if (OnChange) OnChange(this);
}

void TExButtonAppearance::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TExButtonAppearance*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  AssignFaceColors(*src);
  SetBorderColorDisabled(src->FBorderColorDisabled);
  SetGradient(src->FGradient);
}

// ---------------------------------------------------------------------------------------------
// TWinCtrl

void TWinCtrl::PaintCtrls(TWinControl* Control, TCanvas* DC, TControl* First) {
  if (!Control || !DC) return;
  bool started = First == nullptr;
  for (Integer i = 0; i < Control->ControlCount(); ++i) {
    TControl* c = Control->Controls(i);
    if (c == First) started = true;
    if (!started || dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    TBitmap* image = c->BackingImage();
    if (!image || image->Empty()) continue;
    c->PaintIfNeeded();
    DC->Draw(c->Left(), c->Top(), image);
  }
}

// ---------------------------------------------------------------------------------------------
// TExButton

TExButton::TExButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 23, 22);
  FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
  SetParentFont(true);
  FFont.SetName(u"Tahoma");
  SetShowHint(false);
  SetDoubleBuffered(true);
  FUnHotTimer = new TTimer(this);
  FUnHotTimer->SetInterval(1);
  FUnHotTimer->SetEnabled(false);
  FUnHotTimer->OnTimer = [this](TObject* Sender) { UnHotTimerTick(Sender); };
}

TExButton::~TExButton() = default;

void TExButton::Loaded() {
  TCustomControl::Loaded();
  if (FInitialDown) SetDown(true);
}

void TExButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) {
    FImages = nullptr;
    Invalidate();
  }
}

void TExButton::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (Value) SizeToContent();
}

void TExButton::SetAppearance(TExButtonAppearance* Value) {
  FAppearance = Value;
  if (FAutoSize) SizeToContent();
  Invalidate();
}

void TExButton::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  if (FAutoSize) SizeToContent();
  Invalidate();
}

void TExButton::SetImageIndex(Integer Value) {
  FImageIndex = Value;
  if (FAutoSize) SizeToContent();
  Invalidate();
}

void TExButton::SetStyle(ExDropDown::TExButtonStyle Value) {
  FStyle = Value;
  Invalidate();
}

void TExButton::SizeToContent() {
  TCanvas* c = Canvas();
  if (FAppearance) c->Font()->Assign(FAppearance->Font());
  TSize sz;
  GetTextSize(c, Caption(), sz);
  if (FImages && FImageIndex >= 0) {
    sz.cx = std::max(sz.cx, FImages->Width());
    sz.cy = std::max(sz.cy, FImages->Height());
  }
  SetBounds(FLeft, FTop, sz.cx + 8, sz.cy + 4);
}

void TExButton::FixState() {
  if (!Enabled()) {
    FState = absDisabled;
    FDragging = false;
  } else if (FState == absDisabled) {
    FState = (FDown && FGroupIndex != 0) ? absExclusive : absUp;
  }
  if (FDown && FStyle == ExDropDown::tasCheck) FState = absDown;
}

void TExButton::Paint() {
  FixState();
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  const Integer saved = c->SaveDC();
  c->IntersectClipRect(client);
  // The parent's pixels behind the button, so the corners a face leaves open show the band.
  if (FParent) {
    if (TBitmap* back = FParent->BackingImage(); back && !back->Empty())
      c->CopyRect(client, back->Canvas(), BoundsRect());
    c->MoveWindowOrg(FLeft, FTop);
    TWinCtrl::PaintCtrls(FParent, c, nullptr);
    c->MoveWindowOrg(-FLeft, -FTop);
  }
  c->RestoreDC(saved);
  DrawButton();
}

void TExButton::DrawButton() {
  if (!FAppearance) return;
  TExButtonAppearance* a = FAppearance;
  TColor fill = a->Color(), fillTo = a->ColorTo(), border = a->BorderColor();
  if (!Enabled()) {
    fill = a->ColorDisabled();
    fillTo = a->ColorDisabledTo();
    border = a->BorderColorDisabled();
  } else if (FMouseDownInControl && FMouseInControl) {
    fill = a->ColorDown();
    fillTo = clNone;
    border = a->BorderColorDown();
  } else if (FDown) {
    fill = a->ColorChecked();
    fillTo = clNone;
    border = a->BorderColorChecked();
  } else if (FMouseInControl || Focused()) {
    fill = a->ColorHot();
    fillTo = clNone;
    border = a->BorderColorHot();
  }
  TCanvas* c = Canvas();
  DrawFilledRect(c, ClientRect(), fill, fillTo, border, 1, a->Gradient());
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(a->Font());
  DrawImageAndText(c, ClientRect(), Caption(), FImages, FImageIndex);
}

void TExButton::CMMouseEnter(TMessage& M) {
  TCustomControl::CMMouseEnter(M);
  if (HasState(csDesigning)) return;
  FMouseInControl = true;
  FHot = true;
  if (Enabled()) Invalidate();
  FUnHotTimer->SetEnabled(true);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TExButton::LeaveHot(bool FireEvent) {
  FUnHotTimer->SetEnabled(false);
  FMouseInControl = false;
  FHot = false;
  if (Enabled()) Invalidate();
  if (FireEvent && OnMouseLeave) OnMouseLeave(this);
}

void TExButton::CMMouseLeave(TMessage& M) {
  TCustomControl::CMMouseLeave(M);
  LeaveHot(true);
}

void TExButton::UnHotTimerTick(TObject* Sender) {
  (void)Sender;
  const TPoint p = ScreenToClient(GetCursorPos());
  if (!PtInRect(ClientRect(), p)) LeaveHot(false);
}

void TExButton::CheckHot() {
  const TPoint p = ScreenToClient(GetCursorPos());
  if (!PtInRect(ClientRect(), p)) {
    if (FMouseInControl || FHot) LeaveHot(false);
  }
}

void TExButton::CMEnabledChanged(TMessage& M) {
  TCustomControl::CMEnabledChanged(M);
  Invalidate();
}

void TExButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled() || HasState(csDesigning)) return;
  FMouseDownInControl = true;
  if (!FDown) {
    FState = absDown;
    Invalidate();
  } else if (FStyle == ExDropDown::tasCheck) {
    FState = absDown;
    Repaint();
  }
  FDragging = true;
}

void TExButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const bool inside = PtInRect(ClientRect(), TPoint(X, Y));
  if (FDragging) {
    TExButtonState s;
    if (FDown)
      s = FStyle == ExDropDown::tasCheck ? absDown : absExclusive;
    else
      s = inside ? absDown : absUp;
    if (s != FState) {
      FState = s;
      Invalidate();
    }
  } else if (!inside) {
    CheckHot();
  }
}

void TExButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FMouseDownInControl = false;
  Invalidate();
  if (!FDragging) return;
  FDragging = false;
  const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
  if (FGroupIndex != 0) {
    if (inside) {
      SetDown(!FDown);
    } else if (FDown) {
      FState = absExclusive;
      Invalidate();
    }
  } else {
    FState = absUp;
    FMouseInControl = false;
    FHot = false;
    if (FStyle == ExDropDown::tasCheck) {
      FDown = !FDown;
      FState = absUp;
    }
    if (inside) Invalidate();
  }
  CheckHot();
}

void TExButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  if (FExDropDown) {
    switch (FModalResult) {
      case mrOk:
      case mrYes:
      case mrAll:
      case mrYesToAll: FExDropDown->DoHideDropDown(false); break;
      case mrCancel:
      case mrAbort:
      case mrIgnore:
      case mrNo:
      case mrNoToAll: FExDropDown->DoHideDropDown(true); break;
      default: break;
    }
  }
  if (!FInternalClick) TCustomControl::Click();
}

void TExButton::KeyboardClick() {
  FInternalClick = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{FInternalClick};
  Click();
}

void TExButton::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN || Key == VK_SPACE) {
    FState = absDown;
    Repaint();
    KeyboardClick();
    FState = FDown ? absExclusive : absUp;
    Invalidate();
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TExButton::SetDown(bool Value) {
  if (HasState(csLoading)) {
    FInitialDown = Value;
    return;
  }
  if (FStyle == ExDropDown::tasCheck) {
    FDown = Value;
    FState = Value ? absDown : absUp;
    Invalidate();
    return;
  }
  if (FGroupIndex == 0) {
    FDown = false;
    return;
  }
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (Value) {
    if (FState == absUp) Invalidate();
    FState = absExclusive;
    NotifyGroup();
  } else {
    FState = absUp;
    Invalidate();
  }
}

void TExButton::NotifyGroup() {
  if (!FParent) return;
  TMessage m;
  m.Msg = CM_BUTTONPRESSED;
  m.WParam = static_cast<WPARAM>(FGroupIndex);
  m.LParam = reinterpret_cast<LPARAM>(this);
  for (Integer i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (c != this) c->Perform(m.Msg, m.WParam, m.LParam);
  }
}

namespace {

// True when Caption marks Ch as its accelerator ("&" before it; "&&" is a literal ampersand).
bool IsAccelChar(Char Ch, const String& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != u'&') continue;
    if (Caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return AnsiUpperCase(String(1, Caption[i + 1])) == AnsiUpperCase(String(1, Ch));
  }
  return false;
}

}  // namespace

void TExButton::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_BUTTONPRESSED: {
      auto* sender = reinterpret_cast<TExButton*>(M.LParam);
      if (static_cast<Integer>(M.WParam) == FGroupIndex && sender && sender != this) {
        if (sender->Down() && FDown) {
          FDown = false;
          FState = absUp;
          Invalidate();
        }
        FAllowAllUp = sender->AllowAllUp();
      }
      return;
    }
    case CM_DIALOGCHAR:
      if (Enabled() && IsAccelChar(static_cast<Char>(M.WParam), Caption())) {
        Click();
        M.Result = 1;
        return;
      }
      break;
    case CM_TEXTCHANGED:
      if (FAutoSize) SizeToContent();
      Invalidate();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Invalidate(); break;
    case WM_ERASEBKGND: M.Result = 1; return;
    default: break;
  }
  TCustomControl::Dispatch(M);
}

// ---------------------------------------------------------------------------------------------
// TExDropDownSpeedButton

TExDropDownSpeedButton::TExDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TDropDownEditButton* TExDropDownSpeedButton::Holder() const { return dynamic_cast<TDropDownEditButton*>(Owner()); }

TExCustomDropDown* TExDropDownSpeedButton::Editor() const {
  TDropDownEditButton* h = Holder();
  return h ? dynamic_cast<TExCustomDropDown*>(h->Owner()) : nullptr;
}

void TExDropDownSpeedButton::SetButtonStyle(TButtonStyle Value) {
  if (FButtonStyle == Value) return;
  FButtonStyle = Value;
  Invalidate();
}

void TExDropDownSpeedButton::SetEtched(bool Value) {
  if (FEtched == Value) return;
  FEtched = Value;
  Invalidate();
}

void TExDropDownSpeedButton::SetFocused(bool Value) {
  if (FFocused == Value) return;
  FFocused = Value;
  Invalidate();
}

void TExDropDownSpeedButton::SetUp() {
  FForceUp = true;
  Invalidate();
}

void TExDropDownSpeedButton::CMMouseEnter(TMessage& M) {
  TSpeedButton::CMMouseEnter(M);
  FHot = true;
  Invalidate();
}

void TExDropDownSpeedButton::CMMouseLeave(TMessage& M) {
  TSpeedButton::CMMouseLeave(M);
  FHot = false;
  Invalidate();
}

namespace {

bool ThemesActive() { return IsComCtl6() && DropDownThemeApi.IsThemeActive() != 0; }

// Draws one themed part; false when no theme data opens.
bool DrawThemedPart(HWND Wnd, const Char* ClassList, TCanvas* C, Integer Part, Integer State, const TRect& R) {
  HTHEME theme = DropDownThemeApi.OpenThemeData(Wnd, ClassList);
  if (!theme) return false;
  DropDownThemeApi.DrawThemeBackground(theme, C, Part, State, &R, nullptr);
  DropDownThemeApi.CloseThemeData(theme);
  return true;
}

void DrawDropTriangle(TCanvas* C, TColor Color) {
  C->Pen()->SetColor(Color);
  C->Brush()->SetColor(Color);
  C->Brush()->SetStyle(bsSolid);
  const TPoint pts[3] = {TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)};
  C->Polygon(pts, 3);
}

}  // namespace

void TExDropDownSpeedButton::Paint() {
  if (FButtonStyle == bsDropDown)
    PaintDropDown();
  else
    PaintButton();
}

void TExDropDownSpeedButton::PaintDropDown() {
  TCanvas* c = Canvas();
  TDropDownEditButton* h = Holder();
  TExCustomDropDown* editor = Editor();
  const TRect client = ClientRect();
  const bool pressed = (FState == bsDown || FState == bsExclusive) && !FForceUp;
  const TColor buttonColor = h ? h->ButtonColor() : clNone;
  if (buttonColor == clNone && !FGlyph->Empty()) {
    c->Brush()->SetColor(clBtnFace);
    c->Pen()->SetColor(0x808080);
    c->Rectangle(client);
    c->Draw(0, 0, FGlyph.get());
    return;
  }
  if (buttonColor == clNone) {
    if (editor) {
      const bool enable = editor->Enabled() && !editor->ReadOnly();
      if (enable != Enabled()) SetEnabled(enable);
    }
    if (ThemesActive() && h) {
      Integer state = 1;
      if (!Enabled())
        state = 4;
      else if (pressed)
        state = 3;
      else if (FHot)
        state = 2;
      TRect r = client;
      if (IsVistaOrLater()) {
        r.Left += 1;
      } else {
        InflateRect(r, 1, 1);
        r.Left += 2;
      }
      if (DrawThemedPart(h->Handle(), u"combobox", c, 1, state, r)) return;
    }
    TSpeedButton::Paint();
    c->Pen()->SetColor(clBtnFace);
    c->MoveTo(FWidth - 2, 0);
    c->LineTo(0, 0);
    c->LineTo(0, FHeight - 1);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(FWidth - 3, 1);
    c->LineTo(1, 1);
    c->LineTo(1, FHeight - 2);
    DrawDropTriangle(c, clBlack);
    return;
  }
  TColor fill = buttonColor, text = h->ButtonTextColor();
  if (pressed) {
    fill = h->ButtonColorDown();
    text = h->ButtonTextColorDown();
  } else if (FHot) {
    fill = h->ButtonColorHot();
    text = h->ButtonTextColorHot();
  }
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(fill);
  c->FillRect(client);
  if (editor && editor->BorderColor() != clNone) {
    c->Pen()->SetColor(editor->BorderColor());
    c->MoveTo(0, 0);
    c->LineTo(0, FHeight);
  }
  DrawDropTriangle(c, text);
}

void TExDropDownSpeedButton::PaintButton() {
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  const bool pressed = (FState == bsDown || FState == bsExclusive) && !FForceUp;
  TDropDownEditButton* h = Holder();
  if (ThemesActive() && h) {
    Integer state = 1;
    if (!Enabled())
      state = 4;
    else if (pressed)
      state = 3;
    else if (FHot)
      state = 2;
    TRect r = client;
    InflateRect(r, 1, 1);
    if (DrawThemedPart(h->Handle(), u"button", c, 1, state, r)) {
      PaintGlyphAndCaption(client, pressed ? 1 : 0);
      return;
    }
  }
  if (FFlat) {
    TRect r = client;
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    DrawEdge(c, r, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (pressed ? BF_FLAT : 0));
    if (!FGlyph->Empty()) {
      const Integer gw = FGlyph->Width() / std::max(1, FNumGlyphs), gh = FGlyph->Height();
      const Integer x = (FWidth - gw) / 2, y = (FHeight - gh) / 2;
      DrawColoredGlyph(c, FGlyph.get(), clBtnFace, TRect(x, y, x + FGlyph->Width(), y + gh));
    }
    const String caption = Caption();
    if (!caption.empty()) {
      TRect tr = client;
      c->Font()->Assign(Font());
      c->SetBkMode(TRANSPARENT);
      DrawText(c, caption, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    return;
  }
  TSpeedButton::Paint();
}

// ---------------------------------------------------------------------------------------------
// TDropDownEditButton

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle &= ~static_cast<uint32_t>(csAcceptsControls | csSetCaption);
  FControlStyle |= csOpaque;
  FButton = new TExDropDownSpeedButton(this);
  FButton->SetButtonStyle(bsDropDown);
  FButton->SetGlyph(nullptr);
  FButton->SetParent(this);
  FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    BtnMouseUp(Sender, Button, Shift, X, Y);
  };
  SetBounds(0, 0, 16, 25);
}

void TDropDownEditButton::Loaded() {
  TWinControl::Loaded();
  CoverWithButton();
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TDropDownEditButton::SetFocusControl(TWinControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TDropDownEditButton::SetButtonWidth(Integer Value) {
  FButtonWidth = Value;
  SetBounds(FLeft, FTop, Value, FHeight);
}

void TDropDownEditButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  (void)AWidth;
  // The holder is always exactly as wide as its button.
  TWinControl::SetBounds(ALeft, ATop, FButtonWidth, AHeight);
  CoverWithButton();
}

void TDropDownEditButton::CoverWithButton() {
  if (FButton) FButton->SetBounds(0, 0, FButtonWidth, FHeight);
}

void TDropDownEditButton::SetEnabled(bool v) {
  TWinControl::SetEnabled(v);
  if (FButton) FButton->SetEnabled(v);
}

void TDropDownEditButton::BtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  (void)Sender, (void)Shift, (void)X, (void)Y;
  if (Button == mbLeft && OnClick) OnClick(this);
}

#define KP_HOLDER_COLOR_SETTER(Name)                  \
  void TDropDownEditButton::Set##Name(TColor Value) { \
    F##Name = Value;                                  \
    if (FButton) FButton->Invalidate();               \
  }
KP_HOLDER_COLOR_SETTER(ButtonColor)
KP_HOLDER_COLOR_SETTER(ButtonColorHot)
KP_HOLDER_COLOR_SETTER(ButtonColorDown)
KP_HOLDER_COLOR_SETTER(ButtonTextColor)
KP_HOLDER_COLOR_SETTER(ButtonTextColorHot)
KP_HOLDER_COLOR_SETTER(ButtonTextColorDown)
KP_HOLDER_COLOR_SETTER(ButtonBorderColor)
#undef KP_HOLDER_COLOR_SETTER
