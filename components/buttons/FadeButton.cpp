#include "components/buttons/FadeButton.h"

#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/rtl/SysUtils.h"

namespace {

// True when Caption marks Key as its accelerator ("&O" in "&OK"); "&&" is a plain ampersand.
bool IsAccel(Word Key, const String& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != u'&') continue;
    if (Caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return UpCase(Caption[i + 1]) == UpCase(static_cast<Char>(Key));
  }
  return false;
}

// The focused control is a push button of some kind (but not a radio button): such a control
// handles Enter itself.
bool IsPushButton(const TWinControl* Control) {
  const String name = UpperCase(Control->ClassName());
  return Pos(u"BUTTON", name) > 0 && Pos(u"RADIOBUTTON", name) == 0;
}

bool IsSeeThroughStyle(TFadeButtonStyle Style) {
  return Style == bsModern || Style == bsShape || Style == bsQuicken;
}

}  // namespace

TFadeButton::TFadeButton(TComponent* AOwner)
    : TCustomControl(AOwner),
      FGlyph(std::make_unique<TBitmap>()),
      FHTFont(std::make_unique<TFont>()) {
  SetBounds(Left(), Top(), 100, 23);
  // Mouse capture and the text as caption only: no click events from the class library (the button
  // clicks on its own terms) and no double clicks (a double click arrives as two presses).
  SetControlStyle(csCaptureMouse | csSetCaption);
  SetColor(clBtnFace);
  SetTabStop(true);
  if (auto* form = dynamic_cast<TCustomForm*>(AOwner)) FHTFont->Assign(form->Font());
  FThread = std::make_unique<TFadeButtonThread>([this](TObject*) { DoFadeStep(); });
}

TFadeButton::~TFadeButton() {
  StopThread();
}

void TFadeButton::BeforeDestruction() {
  // The fade thread goes first, while the whole button still exists: its last synchronised step
  // may still be served while it is being stopped.
  Destroying();
  StopThread();
  TCustomControl::BeforeDestruction();
}

// --- Properties ------------------------------------------------------------------------------------

void TFadeButton::SetAlignment(TAlignment v) {
  FAlignment = v;
  RepaintNow();
}

void TFadeButton::SetColorStyle(TFadeColorStyle v) {
  if (v == lcsCustom) return;
  const TFadeColorPreset p = GetColorStyleColors(v);
  SetColor(p.Color);
  Font()->SetColor(p.FontColor);
  FLightColor = p.LightColor;
  FShadowColor = p.ShadowColor;
  FColorWhenDown = p.ColorWhenDown;
  FHotTrackColor = p.HotTrackColor;
  FFlat = p.Flat;
  // The style field is written directly: the window keeps its see-through setting.
  FStyle = p.IsModern ? bsModern : (p.IsQuicken ? bsQuicken : bsNormal);
  RepaintNow();
}

void TFadeButton::SetEnabled(bool v) {
  TCustomControl::SetEnabled(v);
  bDown = false;
  RepaintNow();
}

void TFadeButton::SetFlat(bool v) {
  FFlat = v;
  RepaintNow();
}

void TFadeButton::SetGlyph(TBitmap* v) {
  if (v && !v->Empty()) {
    FGlyph->Assign(v);
  } else {
    FGlyph = std::make_unique<TBitmap>();
  }
  const Integer h = FGlyph->Empty() ? 0 : FGlyph->Height();
  FNumGlyphs = h == 0 ? 0 : FGlyph->Width() / h;
  FKind = bkCustom;
  Invalidate();
}

void TFadeButton::SetHotTrackFont(const TFont* v) {
  if (v) FHTFont->Assign(v);
}

void TFadeButton::SetKind(TFadeButtonKind v) {
  if (v != bkCustom) {
    const TFadeButtonKindInfo info = FadeButtonKindInfo(v);
    SetNumGlyphs(2);
    FModalResult = info.ModalResult;
    RegisterFadeButtonResources();
    FGlyph->LoadFromResourceName(info.ResourceName);
    SetCaption(info.Caption);
  }
  FKind = v;
  Invalidate();
}

void TFadeButton::SetLayout(TFadeButtonLayout v) {
  FLayout = v;
  RepaintNow();
}

void TFadeButton::SetLightColor(TColor v) {
  FLightColor = v;
  RepaintNow();
}

void TFadeButton::SetShadowColor(TColor v) {
  FShadowColor = v;
  RepaintNow();
}

void TFadeButton::SetModalResult(TModalResult v) {
  FModalResult = v;
  FKind = bkCustom;
}

void TFadeButton::SetNumGlyphs(Integer v) {
  FNumGlyphs = v;
  Invalidate();
}

void TFadeButton::SetSlowDecease(bool v) {
  FSlowDecease = v;
  if (v) {
    if (!FThread) FThread = std::make_unique<TFadeButtonThread>([this](TObject*) { DoFadeStep(); });
  } else if (FThread) {
    FHotTrackStep = 0;
    StopThread();
  }
  Invalidate();
}

void TFadeButton::SetStyle(TFadeButtonStyle v) {
  FStyle = v;
  // The see-through styles make the window transparent: their parent's painting shows wherever
  // the face leaves the button.
  SetTransparentWindow(IsSeeThroughStyle(v));
  Invalidate();
}

void TFadeButton::SetWordWrap(bool v) {
  FWordWrap = v;
  RepaintNow();
}

bool TFadeButton::Hot() const { return bCursorOnButton || Focused(); }

// --- The fade --------------------------------------------------------------------------------------

void TFadeButton::DoFadeStep() {
  if (HasState(csDestroying) || FStoppingThread) return;
  --FHotTrackStep;
  if (FHotTrackStep <= 0) {
    if (FThread && !FThread->Suspended()) FThread->Suspend();
    FHotTrackStep = 0;
  }
  RepaintNow();
}

void TFadeButton::StopThread() {
  if (!FThread) return;
  // The thread's last synchronised step may run while we wait for it; it must not suspend the
  // thread again, or the wait would never end.
  FStoppingThread = true;
  try {
    FThread->Stop();
  } catch (...) {
    // A failure while stopping still forgets the thread.
  }
  FThread.reset();
  FStoppingThread = false;
}

// --- Painting --------------------------------------------------------------------------------------

TFadeButtonFace TFadeButton::CurrentFace() {
  TFadeButtonFace f;
  f.Width = Width();
  f.Height = Height();
  f.HotTrackStep = FHotTrackStep;
  f.NumGlyphs = FNumGlyphs;
  f.Glyph = FGlyph.get();
  f.Pressed = bDown;
  f.Hot = Hot();
  f.Enabled = Enabled();
  f.Flat = FFlat;
  f.WordWrap = FWordWrap;
  f.HasPopupMenu = PopupMenu() != nullptr;
  f.Style = FStyle;
  f.Color = Color();
  f.ColorWhenDown = FColorWhenDown;
  f.HotTrackColor = FHotTrackColor;
  f.LightColor = FLightColor;
  f.ShadowColor = FShadowColor;
  f.Font = (FUseHTFont && f.Hot) ? FHTFont.get() : Font();
  f.Layout = FLayout;
  f.Caption = Caption();
  f.Alignment = FAlignment;
  return f;
}

void TFadeButton::RepaintNow() {
  if (Width() <= 0 || Height() <= 0) return;
  // A button that is not on the screen (its form hidden, as every dialog is while the program
  // starts) is drawn when it is shown.
  Invalidate();
  if (!Showing()) return;
  // Painted now, from what the window shows beneath the face: the parent's painting for a
  // transparent window, else the button's colour.
  PaintIfNeeded();
}

void TFadeButton::Paint() {
  if (HasState(csLoading) || HasState(csDestroying)) return;
  if (!Visible() && !HasState(csDesigning)) return;
  const Integer W = Width();
  const Integer H = Height();
  if (W <= 0 || H <= 0) return;

  TFont font;
  TFadeButtonFace face = CurrentFace();
  font.Assign(face.Font);
  face.Font = &font;

  // The face is drawn off-screen first; the see-through styles start from the transparent colour
  // so that what the window shows beneath (the parent's painting for a transparent window, else
  // the button's colour) stays wherever the face leaves it.
  TBitmap bmp(W, H);
  bmp.SetPixelFormat(pfDevice);
  TCanvas* bc = bmp.Canvas();
  const bool seeThrough = IsSeeThroughStyle(FStyle);
  if (seeThrough) {
    bc->Brush()->SetColor(FadeTransparentColor);
    bc->Brush()->SetStyle(bsSolid);
    bc->FillRect(Rect(0, 0, W, H));
  }

  const bool focused = Focused();
  if (FStyle == bsOld && focused) {
    // A focused old-style button: the face one pixel smaller, moved down and right, in a black
    // outline.
    face.Width = W - 2;
    face.Height = H - 2;
    if (face.Pressed && face.Enabled) face.LightColor = FShadowColor;
    DrawFadeButtonFace(bc, face);
    TBitmap copy(W - 2, H - 2);
    copy.SetPixelFormat(pfDevice);
    copy.Canvas()->CopyRect(Rect(0, 0, W - 2, H - 2), bc, Rect(0, 0, W - 2, H - 2));
    bc->CopyRect(Rect(1, 1, W - 1, H - 1), copy.Canvas(), Rect(0, 0, W - 2, H - 2));
    bc->Brush()->SetColor(clBlack);
    bc->Brush()->SetStyle(bsSolid);
    bc->FrameRect(Rect(0, 0, W, H));
  } else {
    DrawFadeButtonFace(bc, face);
  }

  TCanvas* c = Canvas();
  if (seeThrough) {
    bmp.SetTransparentColor(FadeTransparentColor);
    bmp.SetTransparent(true);
  }
  c->Draw(0, 0, &bmp);

  if (focused && Enabled() && FStyle != bsShape) c->DrawFocusRect(Rect(4, 4, W - 4, H - 4));
}

void TFadeButton::Dispatch(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  // The focus moved somewhere in the form: the focus rectangle and the hot face may change.
  if (Message.Msg == CM_FOCUSCHANGED) RepaintNow();
}

// --- Mouse -----------------------------------------------------------------------------------------

bool TFadeButton::ParentShowing() const { return Parent() && Parent()->Showing(); }

void TFadeButton::CMMouseEnter(TMessage& M) {
  (void)M;
  if (!(Enabled() && Visible() && ParentShowing())) return;
  bCursorOnButton = true;
  FHotTrackStep = FadeStepCount;
  RepaintNow();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TFadeButton::CMMouseLeave(TMessage& M) {
  (void)M;
  bCursorOnButton = false;
  if (FSlowDecease && FThread) {
    if (FThread->Suspended()) FThread->Resume();
  } else {
    FHotTrackStep = 0;
    RepaintNow();
  }
  if (Enabled() && Visible() && ParentShowing() && OnMouseExit) OnMouseExit(this);
}

void TFadeButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft && Enabled()) {
    bDown = true;
    if (CanFocus()) SetFocus();
    RepaintNow();
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TFadeButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  // The button captures the mouse, so a release away from it still clicks.
  if (bDown) {
    Click();
    bDown = false;
    RepaintNow();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// --- Keys ------------------------------------------------------------------------------------------

void TFadeButton::CNKeyDown(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  if ((key == VK_RETURN || key == VK_SPACE) && Enabled()) {
    bDown = true;
    RepaintNow();
  }
  TCustomControl::CNKeyDown(M);
}

void TFadeButton::CNKeyUp(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  // Only a key that went down on this button clicks it: an Enter that pressed the default button
  // and moved the focus here must not click again when it is released.
  if ((key == VK_RETURN || key == VK_SPACE) && bDown) {
    Click();
    RepaintNow();
  }
  TCustomControl::CNKeyUp(M);
}

void TFadeButton::CMDialogChar(TMessage& M) {
  if (IsAccel(static_cast<Word>(M.WParam), Caption()) && Visible() && Enabled() && ParentShowing()) {
    bDown = true;
    Click();
    M.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(M);
}

bool TFadeButton::VisibleAndEnabledOnForm() const {
  for (const TControl* c = this; c; c = c->Parent()) {
    if (dynamic_cast<const TCustomForm*>(c)) break;
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return true;
}

TCustomForm* TFadeButton::FindOwnerForm() const {
  for (TComponent* o = const_cast<TFadeButton*>(this); o; o = o->Owner())
    if (auto* f = dynamic_cast<TCustomForm*>(o)) return f;
  return GetParentForm(const_cast<TFadeButton*>(this));
}

void TFadeButton::CMDialogKey(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  const TShiftState shift = KeyDataToShiftState(M.LParam);
  const bool noShift =
      !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
  // A hidden or disabled button takes neither key, so Enter and Escape stay with the dialog.
  const bool forMe = VisibleAndEnabledOnForm() &&
                     ((key == VK_RETURN && FDefault) || (key == VK_ESCAPE && FCancel && noShift));
  if (forMe) {
    // While a push button has the focus, Enter and Escape are that button's: the default and the
    // cancel button leave them to it.
    TCustomForm* form = FindOwnerForm();
    TWinControl* active = form ? form->ActiveControl() : nullptr;
    if (!(active && IsPushButton(active))) {
      bDown = true;
      Click();
      M.Result = 1;
      return;
    }
  }
  TCustomControl::CMDialogKey(M);
}

// --- Click -----------------------------------------------------------------------------------------

void TFadeButton::Click() {
  bDown = true;
  DoButtonClick();
  if (FActionLink) FActionLink->Execute(this);
}

void TFadeButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TCustomControl::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action || !FGlyph->Empty() || !action->ActionList()) return;
  TImageList* images = action->ActionList()->Images();
  if (images && action->ImageIndex() >= 0 && action->ImageIndex() < images->Count())
    CopyActionImageToGlyph(images, action->ImageIndex());
}

void TFadeButton::CopyActionImageToGlyph(TImageList* Images, Integer Index) {
  FGlyph->SetSize(Images->Width(), Images->Height());
  TCanvas* canvas = FGlyph->Canvas();
  canvas->Brush()->SetColor(static_cast<TColor>(0xFF00FF));
  canvas->FillRect(Rect(0, 0, Images->Width(), Images->Height()));
  Images->Draw(canvas, 0, 0, Index, true);
  FNumGlyphs = 1;
  RepaintNow();
}

void TFadeButton::DoButtonClick() {
  if (!(Visible() && Enabled() && bDown)) return;
  bDown = false;
  if (OnClick) OnClick(this);
  if (FModalResult != mrNone) {
    if (TCustomForm* form = GetParentForm(this, true)) form->SetModalResult(FModalResult);
  }
  if (TPopupMenu* menu = PopupMenu()) {
    // The menu opens below the button, at its bottom-left corner.
    const TPoint p = ClientToScreen(Point(0, Height()));
    menu->SetPopupComponent(this);
    menu->Popup(p.X, p.Y);
  }
}
