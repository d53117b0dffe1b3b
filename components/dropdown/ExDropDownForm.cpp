// The popup form of the drop-down editors and the editor's opening, placing, sizing and closing of
// it.
#include <algorithm>

#include "components/dropdown/ExDropDown.h"
#include "platform/os/Clock.h"

namespace {

// The non-client activation message: keeps the caption of the editor's window in its active look
// while the popup has the activation.
constexpr UINT WM_NCACTIVATE = 0x0086;

// The time after a loss of activation in which a click does not open the popup again: the click
// on the drop button that closed the popup must not re-open it.
constexpr Cardinal ReopenGuardMs = 250;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TDropDownFormSurface

TDropDownFormSurface::TDropDownFormSurface(TDropDownForm* AForm) : TCustomControl(AForm), FForm(AForm) {
  FControlStyle = csCaptureMouse | csOpaque;
  SetTabStop(false);
}

void TDropDownFormSurface::Paint() {
  if (FForm) FForm->PaintBackground(Canvas());
}

void TDropDownFormSurface::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (FForm) FForm->MouseDown(Button, Shift, X + FLeft, Y + FTop);
}

void TDropDownFormSurface::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (FForm) FForm->MouseMove(Shift, X + FLeft, Y + FTop);
}

void TDropDownFormSurface::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FForm) FForm->MouseUp(Button, Shift, X + FLeft, Y + FTop);
}

// ---------------------------------------------------------------------------------------------
// TDropDownForm

TDropDownForm::TDropDownForm(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  SetDoubleBuffered(true);
  FSurface = new TDropDownFormSurface(this);
  FSurface->SetParent(this);
  FSurface->SetBounds(0, 0, ClientWidth(), ClientHeight());
  OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
  OnDeactivate = [this](TObject* Sender) { FormDeactivate(Sender); };
}

TDropDownForm::~TDropDownForm() = default;

void TDropDownForm::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FHeader) FHeader = nullptr;
  if (AComponent == FFooter) FFooter = nullptr;
  if (AComponent == FSurface) FSurface = nullptr;
}

void TDropDownForm::SetSizeConstraints(Integer AMinWidth, Integer AMinHeight) {
  FMinWidth = AMinWidth;
  FMinHeight = AMinHeight;
  if (FWidth < FMinWidth || FHeight < FMinHeight) SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TDropDownForm::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  AWidth = std::max(AWidth, FMinWidth);
  AHeight = std::max(AHeight, FMinHeight);
  TForm::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TDropDownForm::Resize() {
  TForm::Resize();
  if (FSurface) {
    FSurface->SetBounds(0, 0, ClientWidth(), ClientHeight());
    FSurface->SendToBack();
    FSurface->Invalidate();
  }
}

TRect TDropDownForm::AlignRect() const {
  TRect r = ClientRect();
  if (FExDropDown) {
    const Integer bw = FExDropDown->DropDownBorderWidth();
    InflateRect(r, -bw, -bw);
  }
  return r;
}

void TDropDownForm::UpdateSize() {}

void TDropDownForm::PaintBackground(TCanvas* Canvas) {
  if (!Canvas || !FExDropDown) return;
  TExCustomDropDown* dd = FExDropDown;
  const Integer bw = dd->DropDownBorderWidth();
  TRect client = ClientRect();
  TRect r = client;
  InflateRect(r, -bw, -bw);
  if (dd->DropDownColor() != clNone && dd->DropDownColorTo() != clNone) {
    DrawGradient(Canvas, dd->DropDownColor(), dd->DropDownColorTo(), 80, r, dd->DropDownGradient() == gdHorizontal);
  } else if (dd->DropDownColor() != clNone) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(dd->DropDownColor());
    Canvas->FillRect(r);
  }
  // A frame without a colour is not drawn.
  if (bw > 0 && dd->DropDownBorderColor() != clNone) {
    TRect f = client;
    f.Left += bw / 2;
    f.Top += bw / 2;
    Canvas->Pen()->SetWidth(bw);
    Canvas->Pen()->SetColor(dd->DropDownBorderColor());
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Rectangle(f);
    Canvas->Pen()->SetWidth(1);
  }
}

void TDropDownForm::InitializeAndUpdate() {
  TExCustomDropDown* dd = FExDropDown;
  if (!dd) return;
  if (FHeader) {
    FHeader->AttachDropDown(dd);
    FHeader->BuildButtons();
    FHeader->SetVisible(dd->DropDownHeader()->Visible());
  } else if (dd->DropDownHeader()->Visible()) {
    FHeader = new TExHeader(this);
    FHeader->SetParent(this);
    FHeader->SetHeight(dd->DropDownHeader()->Height());
    FHeader->AttachDropDown(dd);
    FHeader->BuildButtons();
    FHeader->SetAlign(alTop);
  }
  if (FHeader) {
    FHeader->OnDrawBackGround = dd->OnDrawHeader;
    FHeader->OnGetText = dd->OnGetHeaderText;
    FHeader->Invalidate();
  }
  if (FFooter) {
    FFooter->AttachDropDown(dd);
    FFooter->BuildButtons();
    FFooter->SetVisible(dd->DropDownFooter()->Visible());
  } else if (dd->DropDownFooter()->Visible()) {
    FFooter = new TExFooter(this);
    FFooter->SetParent(this);
    FFooter->SetHeight(dd->DropDownFooter()->Height());
    FFooter->AttachDropDown(dd);
    FFooter->BuildButtons();
    FFooter->SetAlign(alBottom);
  }
  if (FFooter) {
    FFooter->OnDrawBackGround = dd->OnDrawFooter;
    FFooter->OnGetText = dd->OnGetFooterText;
    FFooter->Invalidate();
  }
}

void TDropDownForm::HidePopup() {
  FHiding = true;
  struct Reset {
    bool& Flag;
    ~Reset() { Flag = false; }
  } reset{FHiding};
  SetVisible(false);
}

Integer TDropDownForm::HitTest(Integer X, Integer Y) const {
  if (FSizeable && X >= ClientWidth() - 10 && Y >= ClientHeight() - 10 && X < ClientWidth() && Y < ClientHeight())
    return HTBOTTOMRIGHT;
  return HTNOWHERE;
}

void TDropDownForm::BeginSizing() {
  FSizingActive = true;
  FSizingStartSize = TSize(FWidth, FHeight);
  if (FSurface) SetCaptureControl(FSurface);
}

void TDropDownForm::EndSizing() {
  if (!FSizingActive) return;
  FSizingActive = false;
  if (FSurface && GetCaptureControl() == FSurface) SetCaptureControl(nullptr);
}

void TDropDownForm::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TForm::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && HitTest(X, Y) == HTBOTTOMRIGHT) {
    FSizingStart = ClientToScreen(TPoint(X, Y));
    BeginSizing();
  }
}

void TDropDownForm::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TForm::MouseMove(Shift, X, Y);
  if (!FSizingActive) return;
  const TPoint p = ClientToScreen(TPoint(X, Y));
  SetBounds(FLeft, FTop, FSizingStartSize.cx + p.X - FSizingStart.X, FSizingStartSize.cy + p.Y - FSizingStart.Y);
  if (OnSizing) OnSizing(this);
}

void TDropDownForm::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TForm::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) EndSizing();
}

bool TDropDownForm::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (WheelDelta < 0) {
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, WheelDelta, MousePos, handled);
  } else if (OnMouseWheelUp) {
    OnMouseWheelUp(this, Shift, WheelDelta, MousePos, handled);
  }
  if (handled) return true;
  return TForm::DoMouseWheel(Shift, WheelDelta, MousePos);
}

void TDropDownForm::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS; }

void TDropDownForm::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_ACTIVATE:
      FActivatingWindow = M.WParam == WA_INACTIVE ? static_cast<HWND>(M.LParam) : 0;
      break;
    case WM_NCLBUTTONDOWN:
      // The footer's size grip asks for the bottom-right sizing border.
      if (static_cast<Integer>(M.WParam) == HTBOTTOMRIGHT) {
        FSizingStart = TPoint(SmallIntLo(static_cast<uintptr_t>(M.LParam)), SmallIntHi(static_cast<uintptr_t>(M.LParam)));
        BeginSizing();
      }
      return;
    case WM_NCHITTEST: {
      const TPoint p = ScreenToClient(
          TPoint(SmallIntLo(static_cast<uintptr_t>(M.LParam)), SmallIntHi(static_cast<uintptr_t>(M.LParam))));
      M.Result = HitTest(p.X, p.Y);
      return;
    }
    default: break;
  }
  TForm::Dispatch(M);
}

void TDropDownForm::FormActivate(TObject* Sender) {
  (void)Sender;
  if (FBlockActivate || !FExDropDown) return;
  if (TCustomForm* owner = GetParentForm(FExDropDown)) owner->Perform(WM_NCACTIVATE, 1, 0);
}

void TDropDownForm::FormDeactivate(TObject* Sender) {
  (void)Sender;
  if (FBlockActivate || FHiding || !FVisible) return;
  FDeActivate = GetTickCount();
  FDeActivated = true;
  // A window of the popup's own (a dialog or list it opened) takes the activation without closing it.
  if (HoldsWindow(FindControl(FActivatingWindow))) return;
  if (FExDropDown)
    FExDropDown->DoHideDropDown(FCancelOnDeActivate);
  else
    HidePopup();
}

bool TDropDownForm::HoldsWindow(TWinControl* Window) const {
  auto parentWindow = [](TWinControl* w) -> TWinControl* {
    if (w->Parent()) return w->Parent();
    auto* f = dynamic_cast<TCustomForm*>(w);
    return f ? f->PopupParent() : nullptr;
  };
  if (!Window) return false;
  for (TWinControl* w = parentWindow(Window); w; w = parentWindow(w))
    if (w == this) return true;
  return false;
}

// ---------------------------------------------------------------------------------------------
// Opening and closing, hooks of TExCustomDropDown

void TExCustomDropDown::CreateDropDownForm() {
  if (FDropDownForm || HasState(csDesigning)) return;
  auto* f = new TDropDownForm(this);
  FDropDownForm = f;
  f->SetExDropDown(this);
  f->SetBorderStyle(bsNone);
  f->SetVisible(false);
  f->SetBounds(0, 0, FDropDownWidth, FDropDownHeight);
  f->SetDoubleBuffered(true);
  f->OnClose = [](TObject*, TCloseAction&) {};
  f->OnHide = [this](TObject*) { AfterDropUp(); };
  f->OnKeyPress = [this](TObject*, Char& Key) { DropDownFormKeyPress(Key); };
  f->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { DropDownFormKeyDown(Key, Shift); };
  f->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { DropDownFormKeyUp(Key, Shift); };
  f->OnMouseWheelDown = [this](TObject*, TShiftState Shift, Integer, TPoint MousePos, bool& Handled) {
    DropDownWheelDown(Shift, MousePos, Handled);
  };
  f->OnMouseWheelUp = [this](TObject*, TShiftState Shift, Integer, TPoint MousePos, bool& Handled) {
    DropDownWheelUp(Shift, MousePos, Handled);
  };
  f->OnDestroy = [this](TObject*) { DropDownFormDestroyed(); };
  f->OnSizing = [this](TObject*) { DropDownSizing(); };
  f->AfterConstruction();
}

void TExCustomDropDown::UpdateDropDownSize() {
  if (!FDropDownForm) return;
  Integer w, h;
  // A control that fills the popup has the popup's size, not its own: its own was taken when it
  // was placed.
  const bool filling = FControl && FControl->Align() == alClient && FControl->Parent() == FDropDownForm;
  const Integer controlWidth = FControl ? (filling ? FControlWidth : FControl->Width()) : 0;
  const Integer controlHeight = FControl ? (filling ? FControlHeight : FControl->Height()) : 0;
  if (FDropDownWidth > 0)
    w = FDropDownWidth;
  else if (FControl && FControl->Visible())
    w = controlWidth;
  else
    w = FWidth;
  if (FDropDownHeight > 0) {
    h = FDropDownHeight;
  } else {
    h = 2 * FDropDownBorderWidth;
    if (FDropDownHeader->Visible()) h += FDropDownHeader->Height();
    if (FDropDownFooter->Visible()) h += FDropDownFooter->Height();
    if (FControl && FControl->Visible()) h += controlHeight;
  }
  FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), w, h);
}

void TExCustomDropDown::PlaceDropDownControl() {
  if (!FDropDownForm || !FControl) return;
  if (FControl->Align() != alClient || FControl->Parent() != FDropDownForm) {
    FControlWidth = FControl->Width();
    FControlHeight = FControl->Height();
  }
  FControl->SetParent(FDropDownForm);
  FControl->SetTop(FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2 : FDropDownBorderWidth);
  FControl->SetAlign(alClient);
}

void TExCustomDropDown::DoShowDropDown() {
  if (HasState(csDesigning) || (FDropDownForm && FDropDownForm->Visible())) return;
  if (!Enabled() || ReadOnly()) return;
  // The constructor reaches only the base's CreateDropDownForm: every opening runs it through the
  // virtual, so a specialisation's controls exist (and are set up again) before its hooks run.
  CreateDropDownForm();
  if (!FDropDownForm) return;
  TDropDownForm* f = FDropDownForm;
  BeforeDropDown();
  f->SetShadow(FDropDownShadow);
  f->SetSizeable(FDropDownSizeable);
  f->InitializeAndUpdate();
  f->SetClassShadow(f->Shadow());
  f->SetDropShadow(f->Shadow());
  // The popup belongs to the window of the editor's form: it stays above it.
  TCustomForm* owner = GetParentForm(this);
  f->SetPopupParent(owner != f ? owner : nullptr);
  // Parent coordinates for now; the placement below replaces them.
  f->SetBounds(FLeft, FTop, f->Width(), f->Height());
  UpdateDropDownSize();
  PlaceDropDownControl();
  f->SetSizeConstraints(80, 50);
  if (auto* wc = dynamic_cast<TWinControl*>(FControl)) {
    wc->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    wc->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    wc->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
  }
  const TPoint p = FParent ? FParent->ClientToScreen(TPoint(FLeft, FTop)) : TPoint(FLeft, FTop);
  const Integer h = f->Height();
  Integer y;
  switch (FDropPosition) {
    case dpDown: y = p.Y + FHeight - 1; break;
    case dpUp: y = p.Y - h; break;
    default: y = p.Y + h < DropDownScreenBottom(p) ? p.Y + FHeight - 1 : p.Y - h; break;
  }
  f->SetBounds(p.X, y, f->Width(), f->Height());
  bool accept = true;
  if (OnDropDown) OnDropDown(this, accept);
  if (!accept) return;
  // Kept inside the work area on the right only, and only on a monitor that does not lie left of
  // the primary one.
  const TRect wa = DropDownWorkArea(p);
  if (wa.Left >= 0 && f->Left() + f->Width() > wa.Right && f->Left() < wa.Right)
    f->SetBounds(wa.Right - f->Width(), f->Top(), f->Width(), f->Height());
  const Integer x0 = f->Left(), y0 = f->Top();
  if (FUserDropDownWidth != -1) f->SetBounds(x0, y0, FUserDropDownWidth, f->Height());
  if (FUserDropDownHeight != -1) f->SetBounds(x0, y0, f->Width(), FUserDropDownHeight);
  const Integer w = f->Width();
  Integer hh = f->Height();
  f->SetBounds(x0, y0, 0, 0);
  f->SetVisible(true);
  if (FDropDownShadow && FForceShadow) {
    f->HidePopup();
    f->SetBounds(x0, y0, 1, 1);
    f->SetVisible(true);
  }
  AdjustDropDownHeight(hh);
  FDroppedDown = true;
  f->SetBounds(x0, y0, w, hh);
  f->BringToFront();
  FocusDropDownControl();
}

void TExCustomDropDown::FocusDropDownControl() {
  if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
}

void TExCustomDropDown::DoHideDropDown(bool CancelChanges) {
  if (HasState(csDesigning) || !FDropDownForm || !FDropDownForm->Visible()) return;
  if (OnBeforeDropUp) OnBeforeDropUp(this);
  FUserDropDownWidth = FDropDownForm->Width();
  FUserDropDownHeight = FDropDownForm->Height();
  FDropDownForm->HidePopup();
  if (Application) Application->CancelHint();
  if (CancelChanges) SetText(FOldText);
  if (OnDropUp) OnDropUp(this, CancelChanges);
}

void TExCustomDropDown::AfterDropUp() {
  FDroppedDown = false;
  if (TabStop() && CanFocus() && !Focused() && !HasState(csDestroying)) SetFocus();
}

void TExCustomDropDown::DropButtonClick() {
  if (HasState(csDesigning) || !FDropDownForm || FDropDownForm->Visible()) return;
  if (FDropDownForm->DeActivated() && GetTickCount() - FDropDownForm->DeActivateTick() <= ReopenGuardMs) return;
  DoShowDropDown();
}
