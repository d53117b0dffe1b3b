#include "platform/gui/Forms.h"

#include <algorithm>

#include "platform/gui/ControlsBackend.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/FormsBackend.h"
#include "platform/gui/GuiInternal.h"
#include "platform/rtl/LargeArray.h"
#include "platform/gui/Threads.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

TModalRunner gModalRunner;

// The part of a hint before "|" (the long part after it goes to the status line).
String ShortHint(const String& h) {
  size_t p = h.find(u'|');
  return p == String::npos ? h : h.substr(0, p);
}

}  // namespace

namespace GuiInternal {

namespace {
std::vector<TMonitorInfo> gFakeMonitors;
}  // namespace

void SetFakeMonitors(std::vector<TMonitorInfo> Monitors) { gFakeMonitors = std::move(Monitors); }

std::vector<TMonitorInfo> MonitorInfos() {
  if (!gFakeMonitors.empty()) return gFakeMonitors;
  std::vector<TMonitorInfo> infos = FormsBackend::Monitors();
  if (infos.empty()) infos.push_back({FormsBackend::ScreenRect(), FormsBackend::WorkArea(), true});
  return infos;
}

TMonitorInfo PrimaryMonitorInfo() {
  const std::vector<TMonitorInfo> infos = MonitorInfos();
  for (const TMonitorInfo& m : infos)
    if (m.Primary) return m;
  return infos.front();
}

const TModalRunner& ModalRunner() { return gModalRunner; }
}  // namespace GuiInternal

void SetModalRunner(TModalRunner Runner) { gModalRunner = std::move(Runner); }

bool GuardedCall(const std::function<void()>& f) {
  try {
    f();
    return true;
  } catch (...) {
    try {
      if (Application) Application->HandleException(nullptr);
    } catch (...) {
      // The handler itself failed; nothing more can be shown.
    }
    return false;
  }
}

void InitializeGuiLayer() {
  if (Application) return;
  FormsBackend::Initialize();
  Application = new TApplication(nullptr);
  Screen = new TScreen(nullptr);
  if (!Mouse) Mouse = new TMouse;
  // A synchronised call from a worker wakes the event loop, which serves it.
  SetWakeMainThread([] { FormsBackend::PostCall([] { CheckSynchronize(); }); });
}

void InitializeGuiLayer(int& argc, char** argv) {
  LargeMemory::KeepFreedMemory();
  FormsBackend::CreateApplication(argc, argv);
  InitializeGuiLayer();
}

void FinalizeGuiLayer() {
  SetWakeMainThread(nullptr);
  TComponent::Free(Application);
  Application = nullptr;
  TComponent::Free(Screen);
  Screen = nullptr;
  delete Mouse;
  Mouse = nullptr;
  FormsBackend::DestroyApplication();
}

// --- TCustomForm -----------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner, wkForm) {
  FVisible = false;
  FColor = clBtnFace;
  FParentFont = false;
  FControlStyle |= csSetCaption;
  // Controls created while the form is being built count as loading until AfterConstruction.
  BeginLoading();
  TRect fr = FrameSize();
  SetBounds(0, 0, 320 + fr.Left + fr.Right, 240 + fr.Top + fr.Bottom);
  if (FImpl) FImpl->SetColor(FColor);
  ApplyFrame();
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() { TCustomForm::BeforeDestruction(); }

void TCustomForm::BeforeDestruction() {
  if (!FFormGone) {
    FFormGone = true;
    // OnDestroy runs for a form freed on its own; a form going with its owner is not told.
    if (OnDestroy && !HasState(csDestroying)) {
      auto ev = OnDestroy;
      GuardedCall([&] { ev(this); });
    }
    // Whoever frees the form, the screen and the application forget it: a form released and then
    // freed with its owner must not be freed a second time by the release queue.
    if (Screen) Screen->RemoveForm(this);
    if (Application) Application->RemoveForm(this);
    FActiveControl = nullptr;
    FFocusedControl = nullptr;
  }
  TWinControl::BeforeDestruction();
}

void TCustomForm::AfterConstruction() {
  if (FCreated) return;
  FCreated = true;
  EndLoading();
  Realign();
  // An exception in OnCreate goes to the default handler like one in any other handler: the form
  // is made all the same, and the program (which creates its forms before its message loop) goes on.
  try {
    DoCreate();
  } catch (...) {
    if (!Application) throw;
    Application->HandleException(this);
  }
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

bool TCustomForm::CloseQuery() {
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(this, can);
  return can;
}

TRect TCustomForm::FrameSize() const {
  Integer border = 0, caption = 0;
  switch (FFormBorderStyle) {
    case bsNone: break;
    case bsSingle:
    case bsDialog: border = 3; caption = 23; break;
    case bsSizeable: border = 4; caption = 23; break;
    case bsToolWindow: border = 3; caption = 17; break;
    case bsSizeToolWin: border = 4; caption = 17; break;
  }
  return Rect(border, border + caption, border, border);
}

TRect TCustomForm::ClientRect() const {
  TRect fr = FrameSize();
  return Rect(0, 0, std::max(0, FWidth - fr.Left - fr.Right), std::max(0, FHeight - fr.Top - fr.Bottom));
}

void TCustomForm::SetClientWidth(Integer v) {
  TRect fr = FrameSize();
  SetWidth(v + fr.Left + fr.Right);
}

void TCustomForm::SetClientHeight(Integer v) {
  TRect fr = FrameSize();
  SetHeight(v + fr.Top + fr.Bottom);
}

TPoint TCustomForm::ClientOrigin() const {
  TRect fr = FrameSize();
  return TPoint(FLeft + fr.Left, FTop + fr.Top);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == FFormBorderStyle) return;
  // The client size stays; the frame around it changes.
  const Integer cw = ClientWidth(), ch = ClientHeight();
  FFormBorderStyle = v;
  ApplyFrame();
  TRect fr = FrameSize();
  SetBounds(FLeft, FTop, cw + fr.Left + fr.Right, ch + fr.Top + fr.Bottom);
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  FBorderIcons = v;
  ApplyFrame();
}

void TCustomForm::SetFormStyle(TFormStyle v) {
  if (v == FFormStyle) return;
  FFormStyle = v;
  ApplyWindowStyle();
}

void TCustomForm::SetPopupParent(TCustomForm* v) {
  if (v == this) v = nullptr;
  if (v == FPopupParent) return;
  if (FPopupParent) FPopupParent->RemoveFreeNotification(this);
  FPopupParent = v;
  if (v) v->FreeNotification(this);
  ApplyWindowStyle();
}

void TCustomForm::SetDropShadow(bool v) {
  if (v == FDropShadow) return;
  FDropShadow = v;
  if (FImpl) FImpl->SetDropShadow(v);
}

void TCustomForm::ApplyWindowStyle() {
  if (FImpl) FImpl->SetWindowStyle(FFormStyle == fsStayOnTop, FPopupParent ? FPopupParent->Impl() : nullptr);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupParent) {
    FPopupParent = nullptr;
    ApplyWindowStyle();
  }
}

void TCustomForm::ApplyFrame() {
  if (!FImpl) return;
  Integer border = 2;
  switch (FFormBorderStyle) {
    case bsNone: border = 0; break;
    case bsSingle:
    case bsToolWindow: border = 1; break;
    case bsDialog: border = 3; break;
    case bsSizeable:
    case bsSizeToolWin: border = 2; break;
  }
  FImpl->SetWindowFrame(border, FBorderIcons);
}

void TCustomForm::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomForm::Resize() { TWinControl::Resize(); }

void TCustomForm::SetTextImpl(const String& v) {
  FText = v;
  if (FImpl) FImpl->SetWindowTitle(v);
}

bool TCustomForm::Showing() const { return FVisible; }

bool TCustomForm::CanFocus() const { return FVisible && FEnabled; }

void TCustomForm::PlaceWindow() {
  if (FPlaced) return;
  FPlaced = true;
  TRect area;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: area = GuiInternal::PrimaryMonitorInfo().Workarea; break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* other = nullptr;
      if (FPosition == poOwnerFormCenter) other = dynamic_cast<TCustomForm*>(Owner());
      if (!other && Application) other = Application->MainForm();
      if (other && other != this) {
        area = other->BoundsRect();
      } else {
        area = GuiInternal::PrimaryMonitorInfo().Workarea;
      }
      break;
    }
    default: return;
  }
  SetBounds(area.Left + (area.Width() - FWidth) / 2, area.Top + (area.Height() - FHeight) / 2, FWidth,
            FHeight);
}

void TCustomForm::SetVisible(bool v) {
  if (v == FVisible) return;
  if (v) {
    PlaceWindow();
    FVisible = true;
    DoShow();
    if (!FVisible) return;  // OnShow hid the form again
    Realign();
    if (FImpl) {
      FImpl->SetVisible(true);
      FImpl->ActivateWindow();
    }
    Perform(CM_SHOWINGCHANGED, 0, 0);
    if (!FActive) Activated(true);
  } else {
    if (FActive) Activated(false);
    FVisible = false;
    DoHide();
    if (FImpl) FImpl->SetVisible(false);
    // A button the mouse was over when the form went away must not show hot at its next showing.
    GuiInternal::MouseLeaveWithin(this);
    Perform(CM_SHOWINGCHANGED, 0, 0);
  }
}

void TCustomForm::Activated(bool Active, TCustomForm* Other) {
  if (Active == FActive) return;
  FActive = Active;
  Perform(WM_ACTIVATE, Active ? WA_ACTIVE : WA_INACTIVE, Other ? static_cast<LPARAM>(Other->Handle()) : 0);
  if (Active) {
    if (OnActivate) OnActivate(this);
    // The focus goes back where it was, or to the first control that takes it.
    TWinControl* target = FActiveControl;
    if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
    if (target && FImpl) {
      FActiveControl = target;
      if (target->Impl()) target->Impl()->SetFocus();
    }
  } else {
    // A control of this window that holds the mouse capture loses it.
    TControl* cap = GetCaptureControl();
    if (cap && (cap == this || ContainsControl(cap))) {
      cap->Perform(WM_CANCELMODE, 0, 0);
      if (GetCaptureControl() == cap) SetCaptureControl(nullptr);
    }
    if (OnDeactivate) OnDeactivate(this);
  }
}

void TCustomForm::SetModalResult(TModalResult v) {
  FModalResult = v;
  if (FModal && v != mrNone) FormsBackend::WakeUp();
}

TModalResult TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FModal)
    throw EInvalidOperation(u"Cannot make a visible window modal");
  SetCaptureControl(nullptr);
  TCustomForm* previous = Screen ? Screen->ActiveForm() : nullptr;
  FModal = true;
  FModalResult = mrNone;
  if (Application) Application->EnterModal();
  struct Restore {
    TCustomForm* form;
    TCustomForm* previous;
    ~Restore() {
      // Hide first, then drop the modality: a window whose modality is dropped while it is
      // still shown stays in the window system's list of modal windows, and once freed it
      // crashes the next form that is shown.
      form->FModal = false;
      if (form->FVisible) form->SetVisible(false);
      if (form->FImpl) form->FImpl->SetWindowModal(false);
      if (Application) Application->LeaveModal();
      if (previous && previous != form && previous->Visible() && previous->Impl()) {
        previous->Impl()->ActivateWindow();
        previous->Activated(true);
      }
    }
  } restore{this, previous};
  if (FImpl) FImpl->SetWindowModal(true);
  if (previous && previous != this) previous->Activated(false, this);
  SetVisible(true);
  const TModalRunner& runner = GuiInternal::ModalRunner();
  if (runner) {
    runner(this);
    if (FModalResult == mrNone) FModalResult = mrCancel;
    TCloseAction action = caHide;
    if (CloseQuery()) DoClose(action);
  } else {
    for (;;) {
      // A result set before the loop (in OnShow, say) ends it without waiting for an event.
      if (FModalResult == mrNone) FormsBackend::WaitAndProcessEvents();
      if (Application && Application->Terminated() && FModalResult == mrNone) FModalResult = mrCancel;
      if (FModalResult == mrNone) continue;
      // Closing may be refused; the form then stays up.
      TCloseAction action = caHide;
      if (CloseQuery()) DoClose(action); else action = caNone;
      if (action == caNone) {
        FModalResult = mrNone;
        continue;
      }
      if (action == caFree) Release();
      break;
    }
  }
  return FModalResult;
}

void TCustomForm::Close() {
  if (FModal) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  if (action == caHide || action == caMinimize) SetVisible(false);
  if (action == caFree) Release();
}

void TCustomForm::Release() {
  if (Application) Application->QueueRelease(this);
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control && !ContainsControl(Control)) return;
  FActiveControl = Control;
  if (Control && FVisible && FActive && Control->CanFocus() && Control->Impl())
    Control->Impl()->SetFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (!Control) return;
  if (!Control->CanFocus())
    throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  // A form not on the screen yet (OnShow runs before) remembers the control and focuses it once
  // it is shown and active.
  if (!FVisible || !FImpl || !FImpl->IsVisibleOnScreen()) return;
  if (!FActive) {
    FImpl->ActivateWindow();
    Activated(true);
  } else if (Control->Impl()) {
    Control->Impl()->SetFocus();
  }
}

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  if (FImpl) FImpl->ActivateWindow();
  if (!FActive) Activated(true);
}

namespace {

std::vector<TWinControl*> ParentChain(TWinControl* c, TWinControl* stop) {
  std::vector<TWinControl*> chain;
  for (TWinControl* p = c; p && p != stop; p = p->Parent()) chain.push_back(p);
  return chain;
}

}  // namespace

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  FocusChanged(Control);
  return true;
}

void TCustomForm::FocusChanged(TWinControl* Control) {
  TWinControl* old = FFocusedControl;
  FActiveControl = Control;
  if (old == Control) {
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    return;
  }
  FFocusedControl = Control;
  // The controls the focus leaves hear CM_EXIT, innermost first; those it enters hear CM_ENTER,
  // outermost first. A common parent hears neither.
  TWinControl* common = nullptr;
  if (old && Control) {
    for (TWinControl* p = Control; p; p = p->Parent())
      if (p->ContainsControl(old)) {
        common = p;
        break;
      }
  }
  if (old && ContainsControl(old) && old != this) {
    for (TWinControl* c : ParentChain(old, common ? common : this)) {
      if (c == this) break;
      c->Perform(CM_EXIT, 0, 0);
    }
  }
  if (Control) {
    std::vector<TWinControl*> enter = ParentChain(Control, common ? common : this);
    for (auto it = enter.rbegin(); it != enter.rend(); ++it) {
      if (*it == this) continue;
      (*it)->Perform(CM_ENTER, 0, 0);
    }
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  (void)Removing;
  if (FActiveControl && Control && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
  if (FFocusedControl && Control && Control->ContainsControl(FFocusedControl)) FFocusedControl = nullptr;
}

namespace {
// The press of the left button in the non-client area (a caption press starts a move).
constexpr UINT kNcLButtonDown = 0x00A1;
}  // namespace

void TCustomForm::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_SYSCOMMAND: WMSysCommand(M); break;
    case kNcLButtonDown:
      if (static_cast<Integer>(M.WParam) == HTCAPTION) {
        M.Result = Perform(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, M.LParam);
        break;
      }
      TWinControl::Dispatch(M);
      break;
    default: TWinControl::Dispatch(M); break;
  }
}

void TCustomForm::WMSysCommand(TMessage& M) {
  M.Result = 0;
  switch (M.WParam & 0xFFF0) {
    case SC_MOVE: GuiInternal::BeginSystemMove(this); break;
    case SC_MINIMIZE: SetWindowState(wsMinimized); break;
    case SC_MAXIMIZE: SetWindowState(wsMaximized); break;
    case SC_RESTORE: SetWindowState(wsNormal); break;
    case SC_CLOSE: Close(); break;
    default: DefaultHandler(M); break;
  }
}

void TCustomForm::SetWindowState(TWindowState v) {
  if (v == FWindowState) return;
  const TWindowState old = FWindowState;
  if (old == wsNormal) FRestoredBounds = BoundsRect();
  FWindowState = v;
  if (v == wsMaximized) {
    const TRect area = GuiInternal::PrimaryMonitorInfo().Workarea;
    SetBounds(area.Left, area.Top, area.Width(), area.Height());
    FMaximizedBounds = true;
  } else if (v == wsNormal && FMaximizedBounds) {
    // Also from a minimised form that was maximised before.
    FMaximizedBounds = false;
    SetBoundsRect(FRestoredBounds);
  }
  if (FImpl) FImpl->SetWindowState(static_cast<Integer>(v));
}

void TCustomForm::WindowStateChanged(TWindowState State) {
  if (State == FWindowState) return;
  if (FWindowState == wsNormal) FRestoredBounds = BoundsRect();
  FWindowState = State;
  // The window system places a window whose state it changed itself.
  FMaximizedBounds = false;
}

void TCustomForm::CMDialogKey(TMessage& M) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (static_cast<Word>(M.WParam)) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          M.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
          const Word k = static_cast<Word>(M.WParam);
          FActiveControl->Parent()->SelectNext(FActiveControl, k == VK_RIGHT || k == VK_DOWN, false);
          M.Result = 1;
        }
        return;
      default:
        break;
    }
  }
  // Enter and Esc: the buttons hear of them (a default or cancel button answers).
  TWinControl::CMDialogKey(M);
}

// --- THintWindow -----------------------------------------------------------------------------------

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner, wkPopup) {
  FVisible = false;
  FColor = clInfoBk;
  FParentFont = false;
  if (Screen) FFont.Assign(Screen->HintFont());
  // A hint often lies over the place it explains, right under the pointer: the mouse stays with
  // the control beneath.
  if (FImpl) FImpl->SetMouseThrough(true);
}

TRect THintWindow::CalcHintRect(Integer MaxWidth, const String& Hint) {
  TCanvas* c = FBacking.Canvas();
  c->Font()->Assign(&FFont);
  TRect r = Rect(0, 0, MaxWidth > 0 ? MaxWidth : 300, 0);
  DrawText(c, Hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.Right += 6;
  r.Bottom += 4;
  return r;
}

void THintWindow::ActivateHint(const TRect& R, const String& Hint) {
  FText = Hint;
  FActiveHint = true;
  SetBounds(R.Left, R.Top, R.Width(), R.Height());
  FVisible = true;
  if (FImpl) FImpl->SetVisible(true);
  Invalidate();
}

void THintWindow::ReleaseHint() {
  FActiveHint = false;
  FVisible = false;
  if (FImpl) FImpl->SetVisible(false);
}

void THintWindow::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(FColor);
  c->FillRect(r);
  c->Brush()->SetColor(clBlack);
  c->FrameRect(r);
  c->Font()->Assign(&FFont);
  c->Font()->SetColor(clInfoText);
  c->SetBkMode(TRANSPARENT);
  TRect tr = r;
  InflateRect(tr, -2, -2);
  tr.Left += 1;
  DrawText(c, FText, tr, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// --- TApplication ----------------------------------------------------------------------------------

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  // The title is the program's file name without folder and extension.
  String exe = FormsBackend::ExecutableName();
  size_t slash = exe.find_last_of(u"/\\");
  if (slash != String::npos) exe.erase(0, slash + 1);
  size_t dot = exe.find_last_of(u'.');
  if (dot != String::npos && dot > 0) exe.erase(dot);
  FTitle = exe;
}

TApplication::~TApplication() {
  TApplication::BeforeDestruction();
}

void TApplication::Initialize() {}

void TApplication::FormCreated(TCustomForm* Form) {
  if (!FMainForm) FMainForm = Form;
  Form->AfterConstruction();
}

void TApplication::AddForm(TCustomForm* Form) { (void)Form; }

void TApplication::RemoveForm(TCustomForm* Form) {
  if (FMainForm == Form) FMainForm = nullptr;
  FReleased.erase(std::remove(FReleased.begin(), FReleased.end(), Form), FReleased.end());
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FMainForm) FMainForm = nullptr;
  if (AComponent == FHintWindow) FHintWindow = nullptr;
}

void TApplication::Run() {
  if (FMainForm && !FTerminated) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::ProcessMessages() { FormsBackend::ProcessEvents(); }

void TApplication::HandleMessage() {
  FormsBackend::WaitAndProcessEvents();
  FreeReleased();
}

void TApplication::Terminate() {
  FTerminated = true;
  FormsBackend::WakeUp();
}

String TApplication::ExeName() const { return FormsBackend::ExecutableName(); }

void TApplication::QueueRelease(TCustomForm* Form) {
  if (std::find(FReleased.begin(), FReleased.end(), Form) != FReleased.end()) return;
  FReleased.push_back(Form);
  // The form goes once the events now being handled are done.
  FormsBackend::PostCall([] {
    if (Application) Application->FreeReleased();
  });
}

void TApplication::FreeReleased() {
  while (!FReleased.empty()) {
    TCustomForm* f = FReleased.back();
    FReleased.pop_back();
    TComponent::Free(f);
  }
}

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr p = std::current_exception();
  if (!p) return;
  try {
    std::rethrow_exception(p);
  } catch (const Exception& e) {
    if (OnException)
      OnException(Sender, e);
    else
      ShowException(e);
  } catch (const std::exception& e) {
    Exception wrapped(Utf8ToString(e.what()));
    if (OnException)
      OnException(Sender, wrapped);
    else
      ShowException(wrapped);
  } catch (...) {
    Exception wrapped(u"Unknown exception");
    if (OnException)
      OnException(Sender, wrapped);
    else
      ShowException(wrapped);
  }
}

void TApplication::HandleException(TObject* Sender, const std::exception& E) {
  if (auto* e = dynamic_cast<const Exception*>(&E)) {
    if (OnException)
      OnException(Sender, *e);
    else
      ShowException(*e);
    return;
  }
  Exception wrapped(Utf8ToString(E.what()));
  if (OnException)
    OnException(Sender, wrapped);
  else
    ShowException(wrapped);
}

void TApplication::ShowException(const std::exception& E) {
  String text;
  if (auto* e = dynamic_cast<const Exception*>(&E))
    text = e->Message();
  else
    text = Utf8ToString(E.what());
  TMessageBoxRequest r;
  r.Text = text;
  r.Caption = FTitle;
  r.Type = mtError;
  r.Buttons = TMsgDlgButtons{mbOK};
  DialogService()->ShowMessageBox(r);
}

Integer TApplication::MessageBox(const String& Text, const String& Caption, Integer Flags) {
  TMessageBoxRequest r;
  r.Text = Text;
  r.Caption = Caption.empty() ? FTitle : Caption;
  switch (Flags & 0xF0) {
    case MB_ICONERROR: r.Type = mtError; break;
    case MB_ICONQUESTION: r.Type = mtConfirmation; break;
    case MB_ICONWARNING: r.Type = mtWarning; break;
    case MB_ICONINFORMATION: r.Type = mtInformation; break;
    default: r.Type = mtCustom; break;
  }
  switch (Flags & 0x0F) {
    case MB_OKCANCEL: r.Buttons = TMsgDlgButtons{mbOK, mbCancel}; break;
    case MB_ABORTRETRYIGNORE: r.Buttons = TMsgDlgButtons{mbAbort, mbRetry, mbIgnore}; break;
    case MB_YESNOCANCEL: r.Buttons = TMsgDlgButtons{mbYes, mbNo, mbCancel}; break;
    case MB_YESNO: r.Buttons = TMsgDlgButtons{mbYes, mbNo}; break;
    case MB_RETRYCANCEL: r.Buttons = TMsgDlgButtons{mbRetry, mbCancel}; break;
    default: r.Buttons = TMsgDlgButtons{mbOK}; break;
  }
  return DialogService()->ShowMessageBox(r);
}

void TApplication::SetShowHint(bool v) {
  FShowHint = v;
  if (!v) CancelHint();
}

void TApplication::SetHintWindowClass(THintWindowClass Factory) {
  FHintWindowClass = std::move(Factory);
  if (FHintWindow) {
    THintWindow* old = FHintWindow;
    FHintWindow = nullptr;
    TComponent::Free(old);
  }
}

namespace {
uint64_t gHintTimer = 0;
uint64_t gHintHideTimer = 0;
void StopHintTimers() {
  if (gHintTimer) GuiInternal::StopCallbackTimer(gHintTimer);
  if (gHintHideTimer) GuiInternal::StopCallbackTimer(gHintHideTimer);
  gHintTimer = gHintHideTimer = 0;
}
}  // namespace

void TApplication::StartHintTimer(Integer Pause) {
  StopHintTimers();
  gHintTimer = GuiInternal::StartCallbackTimer(static_cast<Cardinal>(std::max(Pause, 0)), [this] {
    StopHintTimers();
    ActivateHint(GetCursorPos());
  });
}

void TApplication::HintMouseMessage(TControl* Control) {
  if (Control && Control == FHintControl) {
    // A control's hint may belong to a part of it (a tab, a cell): once the mouse leaves the part
    // the control was asked for, it is asked again for the new place.
    if (!FHintAsked || gHintTimer) return;
    if (PtInRect(FHintCursorRect, Control->ScreenToClient(GetCursorPos()))) return;
    const bool shown = FHintWindow && FHintWindow->Active();
    HideHint();
    FHintAsked = false;
    if (FShowHint && Control->ShowHint()) StartHintTimer(shown ? FHintShortPause : FHintPause);
    return;
  }
  CancelHint();
  FHintControl = Control;
  // Every control that shows hints is asked, also one without a hint of its own: its CM_HINTSHOW
  // handler may give one for the place under the mouse.
  if (!Control || !FShowHint || !Control->ShowHint()) return;
  StartHintTimer(FHintPause);
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
  TControl* c = FHintControl;
  if (!c) c = FindDragTarget(CursorPos, true);
  if (!c) return;
  THintInfo info;
  info.HintControl = c;
  info.HintStr = ShortHint(c->Hint());
  info.HintColor = FHintColor;
  info.HintMaxWidth = Screen ? Screen->Width() : 800;
  info.CursorPos = c->ScreenToClient(CursorPos);
  info.CursorRect = c->ClientRect();
  info.HintPos = TPoint(CursorPos.X, CursorPos.Y + 20);
  info.HideTimeout = FHintHidePause;
  const LRESULT refused = c->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  if (c == FHintControl) {
    FHintAsked = true;
    FHintCursorRect = info.CursorRect;
  }
  // A hint of nothing but blanks (a text table's empty entry is a single blank) has nothing to show.
  if (refused != 0 || Trim(info.HintStr).empty()) return;
  FHint = info.HintStr;
  if (OnHint) OnHint(this);
  if (!FHintWindow) {
    FHintWindow = FHintWindowClass ? FHintWindowClass(this) : new THintWindow(this);
  }
  FHintWindow->SetColor(info.HintColor);
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr);
  OffsetRect(r, info.HintPos.X, info.HintPos.Y);
  FHintWindow->ActivateHint(r, info.HintStr);
  if (info.HideTimeout > 0)
    gHintHideTimer = GuiInternal::StartCallbackTimer(static_cast<Cardinal>(info.HideTimeout), [this] {
      StopHintTimers();
      HideHint();
    });
}

void TApplication::RestartHint(TControl* Control) {
  // Cancelling alone would leave a resting pointer without a hint until it moved again.
  CancelHint();
  HintMouseMessage(Control);
}

void TApplication::CancelHint() {
  StopHintTimers();
  HideHint();
  FHintControl = nullptr;
  FHintAsked = false;
}

void TApplication::HideHint() {
  if (FHintWindow && FHintWindow->Active()) FHintWindow->ReleaseHint();
}

// --- TScreen ---------------------------------------------------------------------------------------

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  FHintFont.SetName(u"Tahoma");
  FHintFont.SetHeight(-11);
  FIconFont.SetName(u"Tahoma");
  FIconFont.SetHeight(-11);
}

TScreen::~TScreen() = default;

TCustomForm* TScreen::ActiveForm() const {
  for (auto it = FForms.rbegin(); it != FForms.rend(); ++it)
    if ((*it)->Visible() && (*it)->Active()) return *it;
  for (auto it = FForms.rbegin(); it != FForms.rend(); ++it)
    if ((*it)->Visible() && (*it)->Modal()) return *it;
  return nullptr;
}

TWinControl* TScreen::ActiveControl() const {
  TCustomForm* f = ActiveForm();
  return f ? f->ActiveControl() : nullptr;
}

void TScreen::SetCursor(TCursor v) {
  if (v == FCursor) return;
  FCursor = v;
  FormsBackend::SetOverrideCursor(v);
}

Integer TScreen::Width() const { return GuiInternal::PrimaryMonitorInfo().Bounds.Width(); }
Integer TScreen::Height() const { return GuiInternal::PrimaryMonitorInfo().Bounds.Height(); }
TRect TScreen::WorkAreaRect() const { return GuiInternal::PrimaryMonitorInfo().Workarea; }

void TScreen::UpdateMonitors() {
  const std::vector<TMonitorInfo> infos = GuiInternal::MonitorInfos();
  FMonitors.resize(infos.size());
  for (size_t i = 0; i < infos.size(); ++i) {
    if (!FMonitors[i]) FMonitors[i] = std::make_unique<TMonitor>();
    TMonitor& m = *FMonitors[i];
    m.FMonitorNum = static_cast<Integer>(i);
    m.FPrimary = infos[i].Primary;
    m.FBounds = infos[i].Bounds;
    m.FWorkarea = infos[i].Workarea;
  }
}

Integer TScreen::MonitorCount() {
  UpdateMonitors();
  return static_cast<Integer>(FMonitors.size());
}

TMonitor* TScreen::Monitors(Integer Index) {
  UpdateMonitors();
  if (Index < 0 || Index >= static_cast<Integer>(FMonitors.size()))
    throw EListError(u"List index out of bounds (" + Utf8ToString(std::to_string(Index)) + u")");
  return FMonitors[static_cast<size_t>(Index)].get();
}

TMonitor* TScreen::PrimaryMonitor() {
  UpdateMonitors();
  for (auto& m : FMonitors)
    if (m->Primary()) return m.get();
  return FMonitors.empty() ? nullptr : FMonitors.front().get();
}

TMonitor* TScreen::MonitorFromPoint(TPoint P, TMonitorDefaultTo Default) {
  UpdateMonitors();
  for (auto& m : FMonitors)
    if (PtInRect(m->BoundsRect(), P)) return m.get();
  if (Default == mdNull) return nullptr;
  if (Default == mdPrimary) return PrimaryMonitor();
  // The distance from P to a monitor's bounds, squared (0 inside).
  auto distance = [P](const TRect& r) {
    const Int64 dx = P.X < r.Left ? r.Left - P.X : P.X >= r.Right ? P.X - (r.Right - 1) : 0;
    const Int64 dy = P.Y < r.Top ? r.Top - P.Y : P.Y >= r.Bottom ? P.Y - (r.Bottom - 1) : 0;
    return dx * dx + dy * dy;
  };
  TMonitor* best = nullptr;
  for (auto& m : FMonitors)
    if (!best || distance(m->BoundsRect()) < distance(best->BoundsRect())) best = m.get();
  return best;
}

TStrings* TScreen::Fonts() {
  if (!FFonts) {
    FFonts = std::make_unique<TStringList>();
    for (const String& f : FormsBackend::FontFamilies()) FFonts->Add(f);
  }
  return FFonts.get();
}

TCustomForm* TScreen::Forms(Integer Index) const {
  if (Index < 0 || Index >= FormCount())
    throw EListError(u"List index out of bounds (" + Utf8ToString(std::to_string(Index)) + u")");
  return FForms[static_cast<size_t>(Index)];
}

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
}
