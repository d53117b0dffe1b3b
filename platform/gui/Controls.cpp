#include "platform/gui/Controls.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "platform/gui/ControlsBackend.h"
#include "platform/gui/Forms.h"
#include "platform/gui/FormsBackend.h"
#include "platform/gui/GraphicsBackend.h"
#include "platform/gui/GuiInternal.h"

namespace {

TControl* gCapture = nullptr;
TControl* gMouseControl = nullptr;  // the control the mouse is over
bool gKeyDown[256] = {};
Integer gWheelLines = -1;  // -1: ask the backend
Integer gBeeps = 0;
TCursorPosSource gCursorPosSource;

// The drag in progress.
struct DragState {
  TControl* Source = nullptr;
  TControl* Target = nullptr;
  bool Started = false;
  bool Accepted = false;
  Integer Threshold = 5;
  TPoint StartPos;  // screen
};
DragState gDrag;

TWindowFromPointSource gWindowFromPointSource;

// The caption's move the layer runs itself (where the window system cannot move the window).
struct SystemMoveState {
  TCustomForm* Form = nullptr;
  TPoint Anchor;  // screen position of the mouse when the move began
  TPoint Origin;  // the form's Left and Top then
};
SystemMoveState gSystemMove;
// Where the left button was last pressed, in screen coordinates: a move by the caption starts
// from that press.
TPoint gLastLeftPress;

// What makes a window layered or shaped.
struct WindowLayer {
  bool HasShape = false;
  TRegion Shape;  // window coordinates
  TColor Key = 0;
  Byte Alpha = 255;
  Cardinal Flags = 0;
  std::unique_ptr<TBitmap> Image;  // the image of UpdateLayeredWindow
};
std::map<const TControl*, WindowLayer> gLayers;

String IntText(Integer v) { return Utf8ToString(std::to_string(v)); }

// The transparent windows there are; while there are none, a change of what a control shows
// looks no further.
Integer gTransparentWindows = 0;

}  // namespace

TMouse* Mouse = nullptr;

namespace GuiInternal {

void BeginSystemMove(TCustomForm* Form) {
  if (!Form || !Form->Visible()) return;
  gSystemMove = SystemMoveState();
  if (Form->Impl() && Form->Impl()->StartSystemMove()) return;
  // A move by the keyboard is not offered; the mouse moves the form while the left button is down.
  if (GetKeyState(VK_LBUTTON) >= 0) return;
  SetCaptureControl(nullptr);
  gSystemMove.Form = Form;
  gSystemMove.Anchor = gLastLeftPress;
  gSystemMove.Origin = TPoint(Form->Left(), Form->Top());
}

bool SystemMoveActive() { return gSystemMove.Form != nullptr; }

void ControlGone(TControl* Control) {
  auto layer = gLayers.find(Control);
  if (layer != gLayers.end()) {
    if (Control->Impl()) Control->Impl()->SetLayeredImage(nullptr);
    gLayers.erase(layer);
  }
  if (gSystemMove.Form == Control) gSystemMove = SystemMoveState();
  if (gCapture == Control) gCapture = nullptr;
  if (gDrag.Source == Control || gDrag.Target == Control) gDrag = DragState();
  if (gMouseControl == Control) gMouseControl = nullptr;
}

}  // namespace GuiInternal

// --- TControl --------------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TControl(AOwner, wkGraphic) {}

TControl::TControl(TComponent* AOwner, TWidgetKind Kind) : TComponent(AOwner) {
  FFont.OnChange = [this](TObject*) { FontChanged(); };
  FImpl = NewWidgetImpl(this, Kind);
  if (FImpl) FImpl->SetFont(FFont);
  if (AOwner && AOwner->HasState(csLoading)) SetComponentStateFlag(csLoading, true);
}

TControl::~TControl() {
  // The widget goes first, so no event can reach a half-destroyed control.
  TControl::BeforeDestruction();
  GuiInternal::ControlGone(this);
  FImpl.reset();
}

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (Application) Application->HintMouseMessage(nullptr);
  GuiInternal::ControlGone(this);
  if (FParent) {
    TWinControl* p = FParent;
    p->RemoveControl(this);
    FParent = nullptr;
  }
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation(u"A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  FParent = nullptr;
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  const bool sizeChanged = AWidth != FWidth || AHeight != FHeight;
  if (sizeChanged && !HasState(csLoading) && !CanResize(AWidth, AHeight)) {
    AWidth = FWidth;
    AHeight = FHeight;
  }
  const bool changed = ALeft != FLeft || ATop != FTop || AWidth != FWidth || AHeight != FHeight;
  if (!changed) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  const TRect before = BoundsRect();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FImpl) FImpl->SetBounds(FLeft, FTop, FWidth, FHeight);
  // Remember the distances to the parent's far edges for the anchors, unless the parent itself is
  // placing the control.
  if (FParent && !FParent->FAligning) {
    TRect pr = FParent->AlignRect();
    FAnchorRight = pr.Right - (FLeft + FWidth);
    FAnchorBottom = pr.Bottom - (FTop + FHeight);
  }
  BoundsChanged();
  if (resized) {
    FNeedsPaint = true;
    FPaintWhole = true;
    FPaintArea.Clear();
    if (FImpl) FImpl->Invalidate();
    if (!HasState(csLoading)) {
      TMessage m;
      m.Msg = WM_SIZE;
      m.LParam = MakeLParam(ClientWidth(), ClientHeight());
      Perform(m.Msg, m.WParam, m.LParam);
    }
  }
  if (gTransparentWindows > 0) {
    // The transparent windows above the control show another picture beneath them where it lay
    // and where it lies now; a transparent window moved shows another picture beneath itself.
    if (FParent) TWinControl::AboveChanged(this, before);
    if (resized)
      Invalidate();
    else
      Restacked();
  }
  if (FParent && FAlign != alNone && !FParent->FAligning) FParent->Realign();
}

bool TControl::CanResize(Integer& NewWidth, Integer& NewHeight) {
  bool ok = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, ok);
  return ok;
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(Integer v) { SetWidth(v + (FWidth - ClientWidth())); }
void TControl::SetClientHeight(Integer v) { SetHeight(v + (FHeight - ClientHeight())); }

TPoint TControl::ClientOrigin() const {
  return FImpl ? FImpl->ClientOriginOnScreen() : TPoint(FLeft, FTop);
}

TPoint TControl::ClientToScreen(const TPoint& P) const {
  TPoint o = ClientOrigin();
  return TPoint(P.X + o.X, P.Y + o.Y);
}

TPoint TControl::ScreenToClient(const TPoint& P) const {
  TPoint o = ClientOrigin();
  return TPoint(P.X - o.X, P.Y - o.Y);
}

TPoint TControl::ClientToParent(const TPoint& P, TWinControl* AParent) const {
  TWinControl* target = AParent ? AParent : FParent;
  if (!target) return P;
  return target->ScreenToClient(ClientToScreen(P));
}

void TControl::SetVisible(bool v) {
  if (v == FVisible) return;
  VisibleChanging();
  FVisible = v;
  if (FImpl) FImpl->SetVisible(v && (FParent != nullptr));
  if (gTransparentWindows > 0 && FParent) TWinControl::AboveChanged(this, BoundsRect());
  Perform(CM_VISIBLECHANGED, v ? 1 : 0, 0);
  if (FParent && FAlign != alNone) FParent->Realign();
}

bool TControl::Showing() const {
  if (!FVisible) return false;
  return FParent ? FParent->Showing() : false;
}

void TControl::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  if (FImpl) FImpl->SetEnabled(v);
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::IsEnabledInTree() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FEnabled) return false;
  return true;
}

void TControl::SetAlign(TAlign v) {
  if (v == FAlign) return;
  FAlign = v;
  if (FParent) FParent->Realign();
}

void TControl::SetAnchors(TAnchors v) {
  FAnchors = v;
  if (FParent) {
    TRect pr = FParent->AlignRect();
    FAnchorRight = pr.Right - (FLeft + FWidth);
    FAnchorBottom = pr.Bottom - (FTop + FHeight);
  }
}

void TControl::SetText(const String& v) {
  if (GetText() == v) return;
  SetTextImpl(v);
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetTextImpl(const String& v) { FText = v; }

bool TControl::ShowHint() const {
  if (FParentShowHint) {
    if (FParent) return FParent->ShowHint();
    return FShowHint;
  }
  return FShowHint;
}

void TControl::SetShowHint(bool v) {
  FShowHint = v;
  FParentShowHint = false;
}

void TControl::SetParentFont(bool v) {
  FParentFont = v;
  if (v && FParent) SetFontFromParent();
}

void TControl::SetFontFromParent() {
  if (!FParent) return;
  FUpdatingFont = true;
  FFont.Assign(FParent->Font());
  FUpdatingFont = false;
  FParentFont = true;
  if (FImpl) FImpl->SetFont(FFont);
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::FontChanged() {
  if (!FUpdatingFont) FParentFont = false;
  if (FImpl) FImpl->SetFont(FFont);
  if (!FUpdatingFont) Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor v) {
  if (v == FColor && !FParentColor) return;
  FColor = v;
  FParentColor = false;
  ColorChanged();
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::ColorChanged() {
  if (FImpl) FImpl->SetColor(FColor);
  Invalidate();
}

void TControl::SetParentColor(bool v) {
  FParentColor = v;
  if (v && FParent) SetColorFromParent();
}

void TControl::SetColorFromParent() {
  if (!FParent) return;
  FColor = FParent->Color();
  FParentColor = true;
  ColorChanged();
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor v) {
  if (v == FCursor) return;
  FCursor = v;
  if (FImpl) FImpl->SetCursor(v);
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* v) {
  FPopupMenu = v;
  if (v) FreeNotification(reinterpret_cast<TComponent*>(v));
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m;
  m.Msg = Msg;
  m.WParam = WParam;
  m.LParam = LParam;
  DeliverMessage(m);
  return m.Result;
}

void TControl::DeliverMessage(TMessage& Message) {
  if (FWindowProc)
    FWindowProc(Message);
  else
    WndProc(Message);
}

// --- Dragging --------------------------------------------------------------------------------------

namespace {

TPoint MsgScreenPos(TControl* c, const TMessage& m) {
  return c->ClientToScreen(TPoint(SmallIntLo(static_cast<uintptr_t>(m.LParam)), SmallIntHi(static_cast<uintptr_t>(m.LParam))));
}

void DragMoveTo(TPoint sp) {
  TControl* target = FindDragTarget(sp, false);
  if (target != gDrag.Target) {
    if (gDrag.Target) {
      TPoint p = gDrag.Target->ScreenToClient(sp);
      gDrag.Target->DragOver(gDrag.Source, p.X, p.Y, dsDragLeave);
    }
    gDrag.Target = target;
    gDrag.Accepted = false;
    if (target) {
      TPoint p = target->ScreenToClient(sp);
      gDrag.Accepted = target->DragOver(gDrag.Source, p.X, p.Y, dsDragEnter);
    }
  } else if (target) {
    TPoint p = target->ScreenToClient(sp);
    gDrag.Accepted = target->DragOver(gDrag.Source, p.X, p.Y, dsDragMove);
  }
  if (gDrag.Source) gDrag.Source->SetCursor(gDrag.Accepted ? gDrag.Source->DragCursor() : crNoDrop);
}

}  // namespace

void TControl::BeginDrag(bool Immediate, Integer Threshold) {
  if (gDrag.Source) return;
  gDrag = DragState();
  gDrag.Source = this;
  gDrag.Threshold = Threshold < 0 ? 5 : Threshold;
  gDrag.StartPos = GetCursorPos();
  SetCaptureControl(this);
  if (Immediate) {
    gDrag.Started = true;
    if (OnStartDrag) OnStartDrag(this);
  }
}

void TControl::EndDrag(bool Drop) {
  if (gDrag.Source != this) return;
  DragState d = gDrag;
  gDrag = DragState();
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  SetCursor(crDefault);
  if (!d.Started) return;
  TPoint sp = GetCursorPos();
  TControl* target = Drop && d.Accepted ? d.Target : nullptr;
  TPoint p = target ? target->ScreenToClient(sp) : TPoint();
  if (target) target->DragDrop(this, p.X, p.Y);
  if (OnEndDrag) OnEndDrag(this, target, p.X, p.Y);
}

bool TControl::Dragging() const { return gDrag.Source == this && gDrag.Started; }

bool TControl::DragOver(TObject* Source, Integer X, Integer Y, TDragState State) {
  bool accept = false;
  if (OnDragOver) OnDragOver(this, Source, X, Y, State, accept);
  return accept;
}

void TControl::DragDrop(TObject* Source, Integer X, Integer Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

namespace {

bool IsMouseMessage(UINT Msg) {
  return Msg >= WM_MOUSEFIRST && Msg <= WM_MBUTTONDBLCLK && Msg != WM_MOUSEWHEEL;
}

// While a form is moved by its caption, the mouse messages of its controls move it and go no
// further; the release of the left button (or a move without it) ends the move.
bool SystemMoveMouse(TControl* c, TMessage& m) {
  TCustomForm* f = gSystemMove.Form;
  if (!f || GetParentForm(c) != f) return false;
  const Word keys = static_cast<Word>(m.WParam);
  if (m.Msg == WM_MOUSEMOVE && (keys & MK_LBUTTON)) {
    const TPoint sp = MsgScreenPos(c, m);
    f->SetBounds(gSystemMove.Origin.X + sp.X - gSystemMove.Anchor.X,
                 gSystemMove.Origin.Y + sp.Y - gSystemMove.Anchor.Y, f->Width(), f->Height());
  } else if (m.Msg == WM_MOUSEMOVE || m.Msg == WM_LBUTTONUP) {
    gSystemMove = SystemMoveState();
  }
  return true;
}

}  // namespace

void TControl::WndProc(TMessage& Message) {
  if (IsMouseMessage(Message.Msg)) {
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
      gLastLeftPress = MsgScreenPos(this, Message);
    if (gSystemMove.Form && SystemMoveMouse(this, Message)) return;
  }
  // While this control is dragged, the mouse drives the drag.
  if (gDrag.Source == this) {
    if (Message.Msg == WM_MOUSEMOVE) {
      TPoint sp = MsgScreenPos(this, Message);
      if (!gDrag.Started && (std::abs(sp.X - gDrag.StartPos.X) >= gDrag.Threshold ||
                             std::abs(sp.Y - gDrag.StartPos.Y) >= gDrag.Threshold)) {
        gDrag.Started = true;
        if (OnStartDrag) OnStartDrag(this);
      }
      if (gDrag.Started) DragMoveTo(sp);
      return;
    }
    if (Message.Msg == WM_LBUTTONUP || Message.Msg == WM_RBUTTONUP) {
      const bool started = gDrag.Started;
      EndDrag(true);
      if (started) return;
    }
  }
  if (Message.Msg == WM_LBUTTONDOWN && FDragMode == dmAutomatic && IsEnabledInTree()) {
    BeginDrag(false);
  }
  // A control without double clicks sees a double click as a second press.
  if (!(FControlStyle & csDoubleClicks)) {
    switch (Message.Msg) {
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDBLCLK:
        Message.Msg -= (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN);
        break;
      default:
        break;
    }
  }
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK && Message.Msg != WM_MOUSEWHEEL) {
    if (Application) Application->HintMouseMessage(this);
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(M); break;
    case WM_LBUTTONUP: WMLButtonUp(M); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(M); break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: WMRButtonDown(M); break;
    case WM_RBUTTONUP: WMRButtonUp(M); break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: WMMButtonDown(M); break;
    case WM_MBUTTONUP: WMMButtonUp(M); break;
    case WM_MOUSEMOVE: WMMouseMove(M); break;
    case WM_PAINT: WMPaint(M); break;
    case WM_SIZE: WMSize(M); break;
    case WM_CONTEXTMENU: WMContextMenu(M); break;
    case CM_MOUSEENTER: CMMouseEnter(M); break;
    case CM_MOUSELEAVE: CMMouseLeave(M); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(M); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(M); break;
    case CM_FONTCHANGED: CMFontChanged(M); break;
    case CM_COLORCHANGED: CMColorChanged(M); break;
    case CM_TEXTCHANGED: CMTextChanged(M); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(M); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(M); break;
    case CM_HITTEST: CMHitTest(M); break;
    default: DefaultHandler(M); break;
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  if (FImpl) FImpl->DefaultHandler(Message);
}

void TControl::DoMouseDown(TMessage& M, TMouseButton Button, TShiftState Shift) {
  TWMMouse mm{M};
  TShiftState s = KeysToShiftState(static_cast<Word>(mm.Keys())) | Shift;
  MouseDown(Button, s, mm.XPos(), mm.YPos());
}

void TControl::DoMouseUp(TMessage& M, TMouseButton Button) {
  TWMMouse mm{M};
  MouseUp(Button, KeysToShiftState(static_cast<Word>(mm.Keys())), mm.XPos(), mm.YPos());
}

void TControl::WMLButtonDown(TMessage& M) {
  DefaultHandler(M);
  if (FControlStyle & csCaptureMouse) SetCaptureControl(this);
  if (FControlStyle & csClickEvents) FControlState |= csClicked;
  FControlState |= csLButtonDown;
  DoMouseDown(M, mbLeft, TShiftState());
}

void TControl::WMLButtonDblClk(TMessage& M) {
  DefaultHandler(M);
  if (FControlStyle & csCaptureMouse) SetCaptureControl(this);
  if (FControlStyle & csClickEvents) DblClick();
  FControlState |= csLButtonDown;
  DoMouseDown(M, mbLeft, TShiftState(ssDouble));
}

void TControl::WMLButtonUp(TMessage& M) {
  DefaultHandler(M);
  if (FControlStyle & csCaptureMouse && GetCaptureControl() == this) SetCaptureControl(nullptr);
  FControlState &= ~static_cast<uint32_t>(csLButtonDown);
  if (FControlState & csClicked) {
    FControlState &= ~static_cast<uint32_t>(csClicked);
    TWMMouse mm{M};
    if (PtInRect(ClientRect(), TPoint(mm.XPos(), mm.YPos()))) Click();
  }
  DoMouseUp(M, mbLeft);
}

void TControl::WMRButtonDown(TMessage& M) {
  DefaultHandler(M);
  DoMouseDown(M, mbRight, TShiftState());
}

void TControl::WMRButtonUp(TMessage& M) {
  DefaultHandler(M);
  DoMouseUp(M, mbRight);
  // The context menu follows the release of the right button.
  if (M.Result == 0) {
    TWMMouse mm{M};
    TPoint sp = ClientToScreen(TPoint(mm.XPos(), mm.YPos()));
    if (FImpl) {
      TMessage cm;
      cm.Msg = WM_CONTEXTMENU;
      cm.LParam = MakeLParam(sp.X, sp.Y);
      DeliverMessage(cm);
    }
  }
}

void TControl::WMMButtonDown(TMessage& M) {
  DefaultHandler(M);
  DoMouseDown(M, mbMiddle, TShiftState());
}

void TControl::WMMButtonUp(TMessage& M) {
  DefaultHandler(M);
  DoMouseUp(M, mbMiddle);
}

void TControl::WMMouseMove(TMessage& M) {
  DefaultHandler(M);
  TWMMouse mm{M};
  MouseMove(KeysToShiftState(static_cast<Word>(mm.Keys())), mm.XPos(), mm.YPos());
}

void TControl::WMPaint(TMessage& M) { DefaultHandler(M); }

void TControl::WMSize(TMessage& M) {
  DefaultHandler(M);
  Resize();
}


void TControl::CMMouseEnter(TMessage& M) {
  (void)M;
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& M) {
  (void)M;
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMEnabledChanged(TMessage& M) {
  DefaultHandler(M);
  Invalidate();
}

void TControl::CMVisibleChanged(TMessage& M) { DefaultHandler(M); }

void TControl::CMFontChanged(TMessage& M) {
  DefaultHandler(M);
  Invalidate();
}

void TControl::CMColorChanged(TMessage& M) {
  DefaultHandler(M);
  Invalidate();
}

void TControl::CMTextChanged(TMessage& M) {
  DefaultHandler(M);
  Invalidate();
}

void TControl::CMParentFontChanged(TMessage& M) {
  (void)M;
  if (FParentFont) SetFontFromParent();
}

void TControl::CMParentColorChanged(TMessage& M) {
  (void)M;
  if (FParentColor) SetColorFromParent();
}

void TControl::CMHitTest(TMessage& M) { M.Result = 1; }

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::Click() {
  if (OnClick)
    OnClick(this);
  else if (FActionLink)
    FActionLink->Execute(this);
}

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = CreateActionLink();
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* Sender) { ActionChange(Sender, false); };
  ActionChange(Value, true);
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() {
  return std::make_unique<TControlActionLink>(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || Caption().empty() || Caption() == Name()) SetCaption(action->Caption());
  if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!CheckDefaults || Hint().empty()) SetHint(action->Hint());
  if (!CheckDefaults || Visible()) SetVisible(action->Visible());
}

// --- TControlActionLink ---------------------------------------------------------------------------

bool TControlActionLink::IsCaptionLinked() const {
  return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}
bool TControlActionLink::IsEnabledLinked() const {
  return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}
bool TControlActionLink::IsHintLinked() const {
  return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}
bool TControlActionLink::IsVisibleLinked() const {
  return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}
void TControlActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Invalidate() {
  FNeedsPaint = true;
  FPaintWhole = true;
  FPaintArea.Clear();
  if (FImpl) FImpl->Invalidate();
  if (gTransparentWindows > 0) TWinControl::BeneathChanged(this, Rect(0, 0, FWidth, FHeight));
}

namespace {
constexpr size_t kMaxPaintParts = 64;
}

void TControl::InvalidateClientRect(const TRect& R) {
  TRect Part;
  if (!IntersectRect(Part, R, Rect(0, 0, FWidth, FHeight))) return;
  // A pending paint of the whole control already covers the part.
  if (FNeedsPaint && FPaintWhole) return;
  FNeedsPaint = true;
  FPaintWhole = false;
  FPaintArea.Union(Part);
  // Many scattered parts are painted as the whole control.
  if (FPaintArea.Rects().size() > kMaxPaintParts) {
    Invalidate();
    return;
  }
  if (FImpl) FImpl->InvalidateRect(Part);
  if (gTransparentWindows > 0) TWinControl::BeneathChanged(this, Part);
}

void TControl::InvalidateSelf() { Invalidate(); }

void TControl::Update() {
  if (FImpl) FImpl->UpdateNow();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (FImpl) FImpl->RaiseToTop();
  if (FParent) {
    auto& v = FParent->FControls;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    v.push_back(this);
  }
  // A transparent window brought up has more beneath it.
  if (gTransparentWindows > 0) Restacked();
}

void TControl::SendToBack() {
  if (FImpl) FImpl->LowerToBottom();
  if (FParent) {
    auto& v = FParent->FControls;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    v.insert(v.begin(), this);
  }
  // The transparent windows it went below now show it beneath them.
  if (gTransparentWindows > 0) Restacked();
}

void TControl::Restacked() {
  // A transparent window repaints itself, and its Invalidate tells the windows above it.
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->FTransparentWindow)
    Invalidate();
  else if (FParent)
    TWinControl::AboveChanged(this, BoundsRect());
}

void TControl::PaintIfNeeded() {
  if (!FNeedsPaint || FInPaint) return;
  if (HasState(csDestroying)) return;
  FNeedsPaint = false;
  // This paint takes the pending area (PaintArea answers it while WM_PAINT runs); what is
  // invalidated meanwhile is pending for the next paint.
  FPaintingWhole = FPaintWhole;
  FPaintingArea = std::move(FPaintArea);
  FPaintWhole = true;
  FPaintArea.Clear();
  FInPaint = true;
  struct Reset {
    bool& f;
    ~Reset() { f = false; }
  } reset{FInPaint};
  Perform(WM_PAINT, 0, 0);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

// --- TWinControl -----------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TWinControl(AOwner, wkPaintBox) {}

TWinControl::TWinControl(TComponent* AOwner, TWidgetKind Kind) : TControl(AOwner, Kind) {
  FControlStyle |= csAcceptsControls;
  RegisterHandle();
}

void TWinControl::RegisterHandle() { FHandle = GuiInternal::AllocateHandle(this); }

TWinControl::~TWinControl() {
  TWinControl::BeforeDestruction();
  if (FTransparentWindow) --gTransparentWindows;
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  if (FOverlay && FImpl) FImpl->SetOverlay(nullptr);
  // Children go with their parent, whoever owns them.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    RemoveControl(c);
    c->FParent = nullptr;
    TComponent::Free(c);
  }
  if (FHandle) {
    GuiInternal::ReleaseHandle(FHandle);
    FHandle = 0;
  }
}

TControl* TWinControl::Controls(Integer Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError(u"List index out of bounds (" + IntText(Index) + u")");
  return FControls[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* C) const {
  for (const TControl* p = C; p; p = p->Parent())
    if (p == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& P, bool AllowDisabled) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || (!AllowDisabled && !c->Enabled())) continue;
    if (PtInRect(c->BoundsRect(), P)) return c;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* C) {
  C->FParent = this;
  FControls.push_back(C);
  if (auto* w = dynamic_cast<TWinControl*>(C)) FTabList.push_back(w);
  if (C->FImpl) {
    C->FImpl->SetParent(FImpl.get());
    C->FImpl->SetBounds(C->FLeft, C->FTop, C->FWidth, C->FHeight);
    C->FImpl->SetVisible(C->FVisible);
  }
  if (C->FParentFont) C->SetFontFromParent();
  if (C->FParentColor) C->SetColorFromParent();
  TRect pr = AlignRect();
  C->FAnchorRight = pr.Right - (C->FLeft + C->FWidth);
  C->FAnchorBottom = pr.Bottom - (C->FTop + C->FHeight);
  if (C->FAlign != alNone) Realign();
  if (gTransparentWindows > 0) C->Restacked();
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(C), 1);
}

void TWinControl::RemoveControl(TControl* C) {
  auto it = std::find(FControls.begin(), FControls.end(), C);
  if (it == FControls.end()) return;
  // The transparent windows above it show what it covered.
  if (gTransparentWindows > 0 && !HasState(csDestroying)) AboveChanged(C, C->BoundsRect());
  if (auto* w = dynamic_cast<TWinControl*>(C)) {
    if (TCustomForm* f = GetParentForm(this, true)) f->DefocusControl(w, true);
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
  }
  FControls.erase(it);
  C->FParent = nullptr;
  if (C->FImpl && !HasState(csDestroying)) C->FImpl->SetParent(nullptr);
  if (C->FAlign != alNone && !HasState(csDestroying)) Realign();
}

Integer TWinControl::TabOrder() const {
  if (!FParent) return -1;
  auto& v = FParent->FTabList;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<Integer>(it - v.begin());
}

void TWinControl::SetTabOrder(Integer v) {
  if (!FParent) return;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (v < 0) v = 0;
  if (v > static_cast<Integer>(list.size())) v = static_cast<Integer>(list.size());
  list.insert(list.begin() + v, this);
}

std::vector<TWinControl*> TWinControl::TabList() const { return FTabList; }

bool TWinControl::CanFocus() const {
  TCustomForm* form = GetParentForm(const_cast<TWinControl*>(this));
  if (!form) return false;
  for (const TControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
    if (c == form) break;
  }
  return true;
}

bool TWinControl::Focused() const { return FImpl && FImpl->HasFocus(); }

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (form)
    form->FocusControl(this);
  else if (FImpl)
    FImpl->SetFocus();
}

namespace {

void CollectTabOrder(const TWinControl* parent, std::vector<TWinControl*>& out) {
  for (TWinControl* c : parent->TabList()) {
    out.push_back(c);
    CollectTabOrder(c, out);
  }
}

}  // namespace

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> list;
  CollectTabOrder(this, list);
  if (list.empty()) return nullptr;
  const Integer n = static_cast<Integer>(list.size());
  Integer start = -1;
  for (Integer i = 0; i < n; ++i)
    if (list[static_cast<size_t>(i)] == CurControl) start = i;
  if (start < 0) start = GoForward ? n - 1 : 0;
  Integer i = start;
  for (Integer step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c == CurControl) break;
    if (CheckParent && c->Parent() != this) continue;
    if (!c->CanFocus()) continue;
    if (CheckTabStop && !c->TabStop()) continue;
    // A container that only holds other controls takes no focus itself.
    if (!c->TabStop() && !c->TabList().empty()) continue;
    return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, false);
  if (next) next->SetFocus();
}

void TWinControl::SetBorderStyle(TBorderStyle v) {
  FBorderStyle = v;
  if (FImpl) FImpl->SetFrame(v != bsNone);
  Invalidate();
}

void TWinControl::EnableAlign() {
  if (FAlignDisabled > 0) --FAlignDisabled;
  if (FAlignDisabled == 0) Realign();
}

void TWinControl::Realign() {
  if (FAlignDisabled > 0 || FAligning) return;
  TRect r = AlignRect();
  AlignControls(nullptr, r);
}

void TWinControl::AlignControls(TControl* AControl, TRect& R) {
  (void)AControl;
  FAligning = true;
  struct Reset {
    bool& f;
    ~Reset() { f = false; }
  } reset{FAligning};
  const bool loading = HasState(csLoading);
  // Anchored controls keep their distances to the right and bottom edges.
  for (TControl* c : FControls) {
    if (c->FAlign != alNone || loading) continue;
    Integer l = c->FLeft, t = c->FTop, w = c->FWidth, h = c->FHeight;
    if (c->FAnchors & akRight) {
      if (c->FAnchors & akLeft)
        w = R.Right - c->FAnchorRight - l;
      else
        l = R.Right - c->FAnchorRight - w;
    }
    if (c->FAnchors & akBottom) {
      if (c->FAnchors & akTop)
        h = R.Bottom - c->FAnchorBottom - t;
      else
        t = R.Bottom - c->FAnchorBottom - h;
    }
    if (l != c->FLeft || t != c->FTop || w != c->FWidth || h != c->FHeight) c->SetBounds(l, t, w, h);
  }
  // Aligned controls take their edge of what is left, in the classic order.
  const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign a : order) {
    std::vector<TControl*> list;
    for (TControl* c : FControls)
      if (c->FAlign == a && c->FVisible) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
      switch (a) {
        case alTop: return x->FTop < y->FTop;
        case alBottom: return x->FTop + x->FHeight > y->FTop + y->FHeight;
        case alLeft: return x->FLeft < y->FLeft;
        case alRight: return x->FLeft + x->FWidth > y->FLeft + y->FWidth;
        default: return false;
      }
    });
    for (TControl* c : list) {
      switch (a) {
        case alTop:
          c->SetBounds(R.Left, R.Top, R.Width(), c->FHeight);
          R.Top += c->FHeight;
          break;
        case alBottom:
          c->SetBounds(R.Left, R.Bottom - c->FHeight, R.Width(), c->FHeight);
          R.Bottom -= c->FHeight;
          break;
        case alLeft:
          c->SetBounds(R.Left, R.Top, c->FWidth, R.Height());
          R.Left += c->FWidth;
          break;
        case alRight:
          c->SetBounds(R.Right - c->FWidth, R.Top, c->FWidth, R.Height());
          R.Right -= c->FWidth;
          break;
        case alClient:
          c->SetBounds(R.Left, R.Top, R.Width(), R.Height());
          break;
        default:
          break;
      }
      if (R.Bottom < R.Top) R.Bottom = R.Top;
      if (R.Right < R.Left) R.Right = R.Left;
    }
  }
}

void TWinControl::BoundsChanged() { Realign(); }

namespace {

std::vector<std::pair<intptr_t, TWindowPosHook>> gWindowPosHooks;
intptr_t gLastWindowPosHook = 0;
bool gInWindowPosHooks = false;

void RunWindowPosHooks(TWinControl* Window) {
  if (gWindowPosHooks.empty() || gInWindowPosHooks) return;
  gInWindowPosHooks = true;
  struct Reset {
    ~Reset() { gInWindowPosHooks = false; }
  } reset;
  // A hook may remove hooks: the list is copied.
  const auto hooks = gWindowPosHooks;
  for (const auto& h : hooks) h.second(Window);
}

}  // namespace

intptr_t AddWindowPosHook(TWindowPosHook Hook) {
  gWindowPosHooks.emplace_back(++gLastWindowPosHook, std::move(Hook));
  return gLastWindowPosHook;
}

void RemoveWindowPosHook(intptr_t Hook) {
  gWindowPosHooks.erase(std::remove_if(gWindowPosHooks.begin(), gWindowPosHooks.end(),
                                       [Hook](const auto& h) { return h.first == Hook; }),
                        gWindowPosHooks.end());
}

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  const TRect before = BoundsRect();
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (BoundsRect() != before) RunWindowPosHooks(this);
}

void TWinControl::SetParent(TWinControl* AParent) { TControl::SetParent(AParent); }

void TWinControl::SetVisible(bool v) {
  if (!v && FParent) {
    TCustomForm* f = GetParentForm(this);
    if (f) f->DefocusControl(this, false);
  }
  TControl::SetVisible(v);
}

void TWinControl::SetEnabled(bool v) {
  if (!v && FParent) {
    TCustomForm* f = GetParentForm(this);
    if (f) f->DefocusControl(this, false);
  }
  TControl::SetEnabled(v);
}

void TWinControl::Broadcast(TMessage& Message) {
  std::vector<TControl*> copy = FControls;
  for (TControl* c : copy) {
    c->DeliverMessage(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyCommand(TWinControl* Child, Word Code) {
  Perform(WM_COMMAND, MakeWParam(0, Code), static_cast<LPARAM>(Child ? Child->Handle() : 0));
}

// --- The overlay of a stock widget --------------------------------------------------------------------

namespace {

// Pixels of the overlay nothing covers: white with alpha 0.
void ClearOverlayRect(TBitmap& b, TRect r) {
  TRect all = Rect(0, 0, b.Width(), b.Height());
  if (!IntersectRect(r, r, all)) return;
  for (Integer y = r.Top; y < r.Bottom; ++y) {
    auto* row = static_cast<Byte*>(b.ScanLine(y)) + static_cast<size_t>(r.Left) * 4;
    for (Integer x = r.Left; x < r.Right; ++x, row += 4) {
      row[0] = row[1] = row[2] = 0xFF;
      row[3] = 0;
    }
  }
}

}  // namespace

TCanvas* TWinControl::OverlayCanvas() {
  // Only a stock widget has one: a self-painting control draws on its backing image, and a form's
  // overlay would hide its controls.
  if (BackingImage() || dynamic_cast<TCustomForm*>(this)) return nullptr;
  const Integer w = std::max(FWidth, 0), h = std::max(FHeight, 0);
  const bool fresh = !FOverlay;
  if (fresh) {
    FOverlay = std::make_unique<TBitmap>();
    FOverlay->SetPixelFormat(pf32bit);
  }
  if (FOverlay->Width() != w || FOverlay->Height() != h) {
    // A widget of a new size paints all of itself again.
    FOverlay->SetSize(w, h);
    ClearOverlayRect(*FOverlay, Rect(0, 0, w, h));
  }
  TCanvas* c = FOverlay->Canvas();
  c->SelectClipRgn(nullptr);
  c->SetWindowOrg(TPoint(0, 0));
  if (FImpl) {
    if (fresh) FImpl->SetOverlay(FOverlay.get());
    // Drawing outside a paint message shows once the events now being handled are done.
    if (!FInPaint) FImpl->UpdateOverlay();
  }
  return c;
}

void TWinControl::ClearOverlay() {
  if (!FOverlay || FOverlay->Empty()) return;
  TCanvas* c = FOverlay->Canvas();
  TRegion clip;
  if (c->GetClipRgn(clip)) {
    for (const TRect& r : clip.Rects()) ClearOverlayRect(*FOverlay, r);
  } else {
    ClearOverlayRect(*FOverlay, Rect(0, 0, FOverlay->Width(), FOverlay->Height()));
  }
  if (FImpl && !FInPaint) FImpl->UpdateOverlay();
}

// --- Transparent windows -----------------------------------------------------------------------------

void TWinControl::SetTransparentWindow(bool v) {
  if (v == FTransparentWindow) return;
  FTransparentWindow = v;
  gTransparentWindows += v ? 1 : -1;
  Invalidate();
}

void TWinControl::PaintBeneath(TCanvas* Canvas) {
  if (!Canvas || !FParent || FWidth <= 0 || FHeight <= 0) return;
  TBitmap beneath;
  beneath.SetPixelFormat(pfDevice);
  beneath.SetSize(FWidth, FHeight);
  if (!FImpl || !FImpl->RenderBeneath(&beneath)) {
    // Nothing from the window system: the parent's colour.
    TCanvas* c = beneath.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FParent->Color());
    c->FillRect(Rect(0, 0, FWidth, FHeight));
  }
  Canvas->Draw(0, 0, &beneath);
}

void TWinControl::BeneathChanged(TControl* Control, const TRect& R) {
  if (auto* w = dynamic_cast<TWinControl*>(Control)) {
    for (TControl* c : w->FControls) {
      auto* cw = dynamic_cast<TWinControl*>(c);
      if (!cw || !cw->FTransparentWindow) continue;
      TRect r = R;
      OffsetRect(r, -c->FLeft, -c->FTop);
      cw->RepaintBeneath(r);
    }
  }
  if (Control->FParent) {
    TRect r = R;
    OffsetRect(r, Control->FLeft, Control->FTop);
    AboveChanged(Control, r);
  }
}

void TWinControl::AboveChanged(TControl* Control, TRect R) {
  // What a control shows is part of what its parent shows, so the walk goes on up the parents.
  for (TControl* c = Control; c->FParent; c = c->FParent) {
    TWinControl* p = c->FParent;
    // Windowed controls lie above every control without a window, and above the windowed
    // controls before them.
    bool above = dynamic_cast<TWinControl*>(c) == nullptr;
    for (TControl* s : p->FControls) {
      if (s == c) {
        above = true;
        continue;
      }
      auto* sw = above ? dynamic_cast<TWinControl*>(s) : nullptr;
      if (!sw || !sw->FTransparentWindow) continue;
      TRect r = R;
      OffsetRect(r, -s->FLeft, -s->FTop);
      sw->RepaintBeneath(r);
    }
    OffsetRect(R, p->FLeft, p->FTop);
  }
}

void TWinControl::RepaintBeneath(const TRect& R) {
  TRect Part;
  if (!IntersectRect(Part, R, Rect(0, 0, FWidth, FHeight))) return;
  // A part already waiting for the next paint needs nothing more.
  if (FNeedsPaint) {
    if (FPaintWhole) return;
    TRegion Pending = FPaintArea;
    Pending.Union(Part);
    if (Pending.SameArea(FPaintArea)) return;
  }
  InvalidateClientRect(Part);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  // A stock widget paints its whole window over what the overlay held there.
  if (Message.Msg == WM_PAINT && FOverlay) ClearOverlay();
  TControl::DefaultHandler(Message);
}

void TWinControl::Dispatch(TMessage& M) {
  // Each paint message starts with a fresh device context on the overlay.
  if (M.Msg == WM_PAINT && FOverlay) {
    TCanvas* c = FOverlay->Canvas();
    c->SelectClipRgn(nullptr);
    c->SetWindowOrg(TPoint(0, 0));
  }
  switch (M.Msg) {
    case WM_KEYDOWN: WMKeyDown(M); break;
    case WM_KEYUP: WMKeyUp(M); break;
    case WM_CHAR: WMChar(M); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(M); break;
    case WM_SYSKEYUP: WMSysKeyUp(M); break;
    case WM_SETFOCUS: WMSetFocus(M); break;
    case WM_KILLFOCUS: WMKillFocus(M); break;
    case WM_MOUSEWHEEL: WMMouseWheel(M); break;
    case WM_COMMAND: WMCommand(M); break;
    case WM_NOTIFY: WMNotify(M); break;
    case WM_VSCROLL: WMVScroll(M); break;
    case WM_HSCROLL: WMHScroll(M); break;
    case WM_GETDLGCODE: WMGetDlgCode(M); break;
    case CM_DIALOGKEY: CMDialogKey(M); break;
    case CM_DIALOGCHAR: CMDialogChar(M); break;
    case CM_CHILDKEY: CMChildKey(M); break;
    case CM_ENTER: CMEnter(M); break;
    case CM_EXIT: CMExit(M); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(M); break;
    case CM_MOUSEWHEEL: CMMouseWheel(M); break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(M); break;
    case CN_KEYUP:
    case CN_SYSKEYUP: CNKeyUp(M); break;
    case CN_CHAR:
    case CN_SYSCHAR: CNChar(M); break;
    case CN_COMMAND: CNCommand(M); break;
    case CN_NOTIFY: CNNotify(M); break;
    case CM_FOCUSCHANGED: {
      // Every control of the tree hears of the focus change (buttons repaint their focus state).
      TMessage copy = M;
      for (TControl* c : std::vector<TControl*>(FControls)) {
        copy.Result = 0;
        c->DeliverMessage(copy);
      }
      DefaultHandler(M);
      break;
    }
    case CM_FONTCHANGED: {
      TControl::Dispatch(M);
      for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTFONTCHANGED, 0, 0);
      break;
    }
    case CM_COLORCHANGED: {
      TControl::Dispatch(M);
      for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTCOLORCHANGED, 0, 0);
      break;
    }
    default: TControl::Dispatch(M); break;
  }
}

void TControl::WMContextMenu(TMessage& M) {
  TPoint sp(SmallIntLo(static_cast<uintptr_t>(M.LParam)), SmallIntHi(static_cast<uintptr_t>(M.LParam)));
  bool handled = false;
  if (OnContextPopup) OnContextPopup(this, ScreenToClient(sp), handled);
  if (handled) {
    M.Result = 1;
    return;
  }
  if (FPopupMenu) {
    GuiInternal::PopupMenuAt(FPopupMenu, sp, this);
    M.Result = 1;
    return;
  }
  DefaultHandler(M);
}

// --- Keys ------------------------------------------------------------------------------------------

bool TWinControl::DoKeyDown(TMessage& M) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(M)) return true;
  Word key = static_cast<Word>(M.WParam);
  TShiftState shift = KeyDataToShiftState(M.LParam);
  if (key != 0) {
    KeyDown(key, shift);
    M.WParam = key;
  }
  return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& M) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(M)) return true;
  Char ch = static_cast<Char>(M.WParam);
  KeyPress(ch);
  M.WParam = ch;
  return ch == 0;
}

bool TWinControl::DoKeyUp(TMessage& M) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(M)) return true;
  Word key = static_cast<Word>(M.WParam);
  TShiftState shift = KeyDataToShiftState(M.LParam);
  if (key != 0) {
    KeyUp(key, shift);
    M.WParam = key;
  }
  return key == 0;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TMessage& M) {
  if (!DoKeyDown(M)) DefaultHandler(M);
}

void TWinControl::WMSysKeyDown(TMessage& M) {
  if (!DoKeyDown(M)) DefaultHandler(M);
}

void TWinControl::WMKeyUp(TMessage& M) {
  if (!DoKeyUp(M)) DefaultHandler(M);
}

void TWinControl::WMSysKeyUp(TMessage& M) {
  if (!DoKeyUp(M)) DefaultHandler(M);
}

void TWinControl::WMChar(TMessage& M) {
  if (!DoKeyPress(M)) DefaultHandler(M);
}

void TWinControl::CNKeyDown(TMessage& M) {
  M.Result = 1;
  if (!HasState(csDesigning)) {
    if (Perform(CM_CHILDKEY, M.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
    Integer mask = 0;
    switch (static_cast<Word>(M.WParam)) {
      case VK_TAB: mask = DLGC_WANTTAB; break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN: mask = DLGC_WANTARROWS; break;
      case VK_RETURN:
      case VK_EXECUTE:
      case VK_ESCAPE:
      case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
      default: break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, M.WParam, 0) == 0 &&
        (Perform(WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&M)) & mask) == 0) {
      TCustomForm* form = GetParentForm(this);
      if (form && form->Perform(CM_DIALOGKEY, M.WParam, M.LParam) != 0) return;
    }
  }
  M.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& M) { M.Result = 0; }

void TWinControl::CNChar(TMessage& M) {
  M.Result = 1;
  if (!HasState(csDesigning)) {
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
      TCustomForm* form = GetParentForm(this);
      if (form && form->Perform(CM_DIALOGCHAR, M.WParam, M.LParam) != 0) return;
    }
  }
  M.Result = 0;
}

void TWinControl::CMChildKey(TMessage& M) {
  if (FParent)
    M.Result = FParent->Perform(CM_CHILDKEY, M.WParam, M.LParam);
  else
    M.Result = 0;
}

void TWinControl::CMWantSpecialKey(TMessage& M) { DefaultHandler(M); }

void TWinControl::WMGetDlgCode(TMessage& M) { DefaultHandler(M); }

void TWinControl::CMDialogKey(TMessage& M) { Broadcast(M); }

void TWinControl::CMDialogChar(TMessage& M) { Broadcast(M); }

// --- Focus -----------------------------------------------------------------------------------------

void TWinControl::WMSetFocus(TMessage& M) {
  if (TCustomForm* f = GetParentForm(this)) f->SetFocusedControl(this);
  DefaultHandler(M);
}

void TWinControl::WMKillFocus(TMessage& M) { DefaultHandler(M); }

void TWinControl::CMEnter(TMessage& M) {
  (void)M;
  DoEnter();
}

void TWinControl::CMExit(TMessage& M) {
  (void)M;
  DoExit();
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

// --- Wheel, commands, notifications ---------------------------------------------------------------

void TWinControl::WMMouseWheel(TMessage& M) {
  // The focused control of the form hears of the wheel first; the message then climbs the parents.
  TCustomForm* form = GetParentForm(this);
  TWinControl* target = this;
  if (form && form->ActiveControl()) target = form->ActiveControl();
  M.Result = target->Perform(CM_MOUSEWHEEL, M.WParam, M.LParam);
  if (M.Result == 0) DefaultHandler(M);
}

void TWinControl::CMMouseWheel(TMessage& M) {
  TWMMouseWheel w{M};
  TShiftState shift = KeysToShiftState(static_cast<Word>(w.Keys()));
  if (DoMouseWheel(shift, w.WheelDelta(), TPoint(w.XPos(), w.YPos()))) {
    M.Result = 1;
    return;
  }
  M.Result = FParent ? FParent->Perform(CM_MOUSEWHEEL, M.WParam, M.LParam) : 0;
}

bool TWinControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  return handled;
}

void TWinControl::WMCommand(TMessage& M) {
  // A child's notification goes back to the child as CN_COMMAND.
  if (M.LParam != 0) {
    if (TWinControl* child = FindControl(static_cast<HWND>(M.LParam))) {
      M.Result = child->Perform(CN_COMMAND, M.WParam, M.LParam);
      return;
    }
  }
  DefaultHandler(M);
}

void TWinControl::WMNotify(TMessage& M) {
  auto* hdr = reinterpret_cast<const NMHDR*>(M.LParam);
  if (hdr) {
    if (TWinControl* child = FindControl(hdr->hwndFrom)) {
      M.Result = child->Perform(CN_NOTIFY, M.WParam, M.LParam);
      return;
    }
  }
  DefaultHandler(M);
}

void TWinControl::WMVScroll(TMessage& M) {
  if (M.LParam != 0) {
    if (TWinControl* bar = FindControl(static_cast<HWND>(M.LParam))) {
      if (bar != this) {
        M.Result = bar->Perform(CN_VSCROLL, M.WParam, M.LParam);
        return;
      }
    }
  }
  DefaultHandler(M);
}

void TWinControl::WMHScroll(TMessage& M) {
  if (M.LParam != 0) {
    if (TWinControl* bar = FindControl(static_cast<HWND>(M.LParam))) {
      if (bar != this) {
        M.Result = bar->Perform(CN_HSCROLL, M.WParam, M.LParam);
        return;
      }
    }
  }
  DefaultHandler(M);
}

// --- TCustomControl and TGraphicControl ------------------------------------------------------------

namespace {

void SizeBacking(TBitmap& b, Integer w, Integer h) {
  if (b.Width() != w || b.Height() != h) b.SetSize(w, h);
}

}  // namespace

TCustomControl::TCustomControl(TComponent* AOwner) : TCustomControl(AOwner, wkPaintBox) {}

TCustomControl::TCustomControl(TComponent* AOwner, TWidgetKind Kind) : TWinControl(AOwner, Kind) {
  FBacking.SetPixelFormat(pfDevice);
}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() {
  SizeBacking(FBacking, FWidth, FHeight);
  // Drawing outside Paint shows once the events now being handled are done.
  if (!FInPaint && FImpl) FImpl->ScheduleScreenUpdate();
  return FBacking.Canvas();
}

TBitmap* TCustomControl::BackingImage() {
  SizeBacking(FBacking, FWidth, FHeight);
  return &FBacking;
}

// The image follows the new size when it is next used.
void TCustomControl::BoundsChanged() { TWinControl::BoundsChanged(); }

void TCustomControl::WMPaint(TMessage& M) {
  (void)M;
  const bool Resized = FBacking.Width() != FWidth || FBacking.Height() != FHeight;
  SizeBacking(FBacking, FWidth, FHeight);
  TCanvas* c = FBacking.Canvas();
  // A paint of invalidated parts draws inside them only; the image keeps its other pixels (a
  // resized image has none to keep).
  const TRegion* Area = Resized ? nullptr : PaintArea();
  c->SelectClipRgn(Area);
  c->SetWindowOrg(TPoint(0, 0));
  c->Font()->Assign(&FFont);
  c->Brush()->SetColor(FColor);
  c->Brush()->SetStyle(bsSolid);
  c->Pen()->SetColor(clBlack);
  c->Pen()->SetWidth(1);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetMode(pmCopy);
  if (TransparentWindow())
    PaintBeneath(c);
  else if (!(FControlStyle & csOpaque))
    c->FillRect(Rect(0, 0, FWidth, FHeight));
  Paint();
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner, wkGraphic) {
  FBacking.SetPixelFormat(pf32bit);
}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() {
  SizeBacking(FBacking, FWidth, FHeight);
  if (!FInPaint && FImpl) FImpl->ScheduleScreenUpdate();
  return FBacking.Canvas();
}

TBitmap* TGraphicControl::BackingImage() {
  SizeBacking(FBacking, FWidth, FHeight);
  return &FBacking;
}

// The image follows the new size when it is next used.
void TGraphicControl::BoundsChanged() {}

void TGraphicControl::WMPaint(TMessage& M) {
  (void)M;
  SizeBacking(FBacking, FWidth, FHeight);
  // Start from a clear image: the parent shows through wherever Paint leaves it.
  for (Integer y = 0; y < FBacking.Height(); ++y) {
    auto* row = static_cast<Byte*>(FBacking.ScanLine(y));
    std::fill(row, row + static_cast<size_t>(FBacking.Width()) * 4, Byte(0));
  }
  TCanvas* c = FBacking.Canvas();
  c->SelectClipRgn(nullptr);
  c->SetWindowOrg(TPoint(0, 0));
  c->Font()->Assign(&FFont);
  c->Brush()->SetColor(FColor);
  c->Pen()->SetColor(clBlack);
  c->Pen()->SetWidth(1);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetMode(pmCopy);
  Paint();
}

// --- Handles, focus, capture -----------------------------------------------------------------------

TCustomForm* GetParentForm(TControl* Control, bool TopForm) {
  TCustomForm* found = nullptr;
  for (TControl* c = Control; c; c = c->Parent()) {
    if (auto* f = dynamic_cast<TCustomForm*>(c)) {
      found = f;
      if (!TopForm) return f;
    }
  }
  return found;
}

TWinControl* FocusedControl() { return FormsBackend::FocusWidgetControl(); }

HWND GetFocus() {
  TWinControl* c = FocusedControl();
  return c ? c->Handle() : 0;
}

void SetCaptureControl(TControl* Control) {
  if (gCapture == Control) return;
  TControl* old = gCapture;
  gCapture = Control;
  if (old && old->Impl()) old->Impl()->SetMouseCapture(false);
  if (Control && Control->Impl()) Control->Impl()->SetMouseCapture(true);
  if (old) old->Perform(WM_CAPTURECHANGED, 0, 0);
}

TControl* GetCaptureControl() { return gCapture; }

HWND SetCapture(HWND Wnd) {
  HWND old = GetCapture();
  SetCaptureControl(FindControl(Wnd));
  return old;
}

bool ReleaseCapture() {
  SetCaptureControl(nullptr);
  return true;
}

HWND GetCapture() {
  auto* w = dynamic_cast<TWinControl*>(gCapture);
  return w ? w->Handle() : 0;
}

// --- Keyboard state --------------------------------------------------------------------------------

int16_t GetKeyState(Integer VirtKey) {
  if (VirtKey < 0 || VirtKey > 255) return 0;
  bool down = gKeyDown[VirtKey];
  // The generic modifier keys also count when a left or right one is down.
  if (VirtKey == VK_SHIFT) down = down || gKeyDown[VK_LSHIFT] || gKeyDown[VK_RSHIFT];
  if (VirtKey == VK_CONTROL) down = down || gKeyDown[VK_LCONTROL] || gKeyDown[VK_RCONTROL];
  if (VirtKey == VK_MENU) down = down || gKeyDown[VK_LMENU] || gKeyDown[VK_RMENU];
  return down ? static_cast<int16_t>(0x8000) : 0;
}

int16_t GetAsyncKeyState(Integer VirtKey) { return GetKeyState(VirtKey); }

void SetKeyDown(Integer VirtKey, bool Down) {
  if (VirtKey >= 0 && VirtKey <= 255) gKeyDown[VirtKey] = Down;
}

void ClearKeyboardState() {
  for (bool& k : gKeyDown) k = false;
}

TShiftState KeyboardShiftState() {
  Word s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
  if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
  if (GetKeyState(VK_MBUTTON) < 0) s |= ssMiddle;
  return TShiftState(s);
}

TShiftState KeysToShiftState(Word Keys) {
  Word s = 0;
  if (Keys & MK_SHIFT) s |= ssShift;
  if (Keys & MK_CONTROL) s |= ssCtrl;
  if (Keys & MK_LBUTTON) s |= ssLeft;
  if (Keys & MK_RBUTTON) s |= ssRight;
  if (Keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return TShiftState(s);
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  Word s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (KeyData & KF_ALTDOWN) s |= ssAlt;
  return TShiftState(s);
}

// --- Mouse position, windows under points, system settings ---------------------------------------

TPoint GetCursorPos() { return gCursorPosSource ? gCursorPosSource() : FormsBackend::CursorPos(); }

void SetCursorPosSource(TCursorPosSource Source) { gCursorPosSource = std::move(Source); }

HWND WindowFromPoint(TPoint P) {
  if (gWindowFromPointSource) return gWindowFromPointSource(P);
  TControl* c = FormsBackend::ControlAtScreenPoint(P);
  while (c && !dynamic_cast<TWinControl*>(c)) c = c->Parent();
  auto* w = dynamic_cast<TWinControl*>(c);
  return w ? w->Handle() : 0;
}

void SetWindowFromPointSource(TWindowFromPointSource Source) {
  gWindowFromPointSource = std::move(Source);
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  TWinControl* w = FindControl(WindowFromPoint(Pos));
  if (!w) return nullptr;
  TControl* c = w->ControlAtPos(w->ScreenToClient(Pos), AllowDisabled);
  return c ? c : w;
}

Integer WheelScrollLines() {
  return gWheelLines >= 0 ? gWheelLines : FormsBackend::WheelScrollLines();
}

void SetWheelScrollLines(Integer Lines) { gWheelLines = Lines; }

Integer GetSystemMetrics(Integer Index) {
  switch (Index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 17;
    case SM_CYCAPTION: return 23;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    default: return 0;
  }
}

// --- Window shapes and layered windows ---------------------------------------------------------------

namespace {

// The offset of a window's client area from its outer top-left corner.
TPoint WindowToClient(const TControl* c) {
  if (auto* f = dynamic_cast<const TCustomForm*>(c)) {
    const TRect fr = f->FrameSize();
    return TPoint(fr.Left, fr.Top);
  }
  return TPoint();
}

}  // namespace

Integer SetWindowRgn(HWND Wnd, const TRegion* Rgn, bool Redraw) {
  TWinControl* c = FindControl(Wnd);
  if (!c) return 0;
  WindowLayer& l = gLayers[c];
  l.HasShape = Rgn != nullptr;
  l.Shape = Rgn ? *Rgn : TRegion();
  if (c->Impl()) {
    if (Rgn) {
      TRegion client = *Rgn;
      const TPoint o = WindowToClient(c);
      client.Offset(-o.X, -o.Y);
      c->Impl()->SetWindowShape(&client);
    } else {
      c->Impl()->SetWindowShape(nullptr);
    }
  }
  if (Redraw) c->Invalidate();
  return 1;
}

bool GetWindowRgn(HWND Wnd, TRegion& Rgn) {
  TWinControl* c = FindControl(Wnd);
  if (!c) return false;
  auto it = gLayers.find(c);
  if (it == gLayers.end() || !it->second.HasShape) return false;
  Rgn = it->second.Shape;
  return true;
}

bool SetLayeredWindowAttributes(HWND Wnd, TColor Key, Byte Alpha, Cardinal Flags) {
  TWinControl* c = FindControl(Wnd);
  if (!c) return false;
  WindowLayer& l = gLayers[c];
  l.Key = Key;
  l.Alpha = Alpha;
  l.Flags = Flags;
  if (c->Impl()) {
    c->Impl()->SetWindowOpacity((Flags & LWA_ALPHA) ? Alpha : 255);
    c->Impl()->SetColorKey((Flags & LWA_COLORKEY) ? Key : clNone);
  }
  return true;
}

bool GetLayeredWindowAttributes(HWND Wnd, TColor* Key, Byte* Alpha, Cardinal* Flags) {
  TWinControl* c = FindControl(Wnd);
  if (!c) return false;
  auto it = gLayers.find(c);
  if (it == gLayers.end()) return false;
  if (Key) *Key = it->second.Key;
  if (Alpha) *Alpha = it->second.Alpha;
  if (Flags) *Flags = it->second.Flags;
  return true;
}

bool UpdateLayeredWindow(HWND Wnd, TCanvas* DstDC, const TPoint* DstPos, const TSize* Size, TCanvas* SrcDC,
                         const TPoint* SrcPos, TColor Key, const BLENDFUNCTION* Blend, Cardinal Flags) {
  (void)DstDC;
  TWinControl* c = FindControl(Wnd);
  if (!c) return false;
  if (DstPos || Size) {
    TPoint p = DstPos ? *DstPos : TPoint(c->Left(), c->Top());
    if (DstPos && c->Parent()) p = c->Parent()->ScreenToClient(p);
    c->SetBounds(p.X, p.Y, Size ? Size->cx : c->Width(), Size ? Size->cy : c->Height());
  }
  if (!SrcDC) return true;
  const TCanvas::Surface* surface = SrcDC->GetSurface();
  const TBitmap::Image* src = surface ? surface->Target : nullptr;
  const Integer w = Size ? Size->cx : c->Width(), h = Size ? Size->cy : c->Height();
  const TPoint from = SrcPos ? *SrcPos : TPoint();
  const bool perPixel = (Flags & ULW_ALPHA) && Blend && (Blend->AlphaFormat & AC_SRC_ALPHA) && src &&
                        src->Format == pf32bit && !(Flags & ULW_OPAQUE);
  const Cardinal constant = (Flags & ULW_ALPHA) && Blend ? Blend->SourceConstantAlpha : 255;
  const Integer key = ColorToRGB(Key);
  WindowLayer& l = gLayers[c];
  if (!l.Image) {
    l.Image = std::make_unique<TBitmap>();
    l.Image->SetPixelFormat(pf32bit);
  }
  l.Image->SetSize(std::max(w, 0), std::max(h, 0));
  for (Integer y = 0; y < h; ++y) {
    auto* out = static_cast<Byte*>(l.Image->ScanLine(y));
    for (Integer x = 0; x < w; ++x, out += 4) {
      const Integer sx = from.X + x, sy = from.Y + y;
      Byte px[4] = {0, 0, 0, 0};  // B, G, R, A premultiplied
      if (src && sx >= 0 && sy >= 0 && sx < src->Width && sy < src->Height) {
        const Byte* in = src->Row(sy) + static_cast<size_t>(sx) * src->BytesPerPixel();
        px[0] = in[0];
        px[1] = in[1];
        px[2] = in[2];
        px[3] = perPixel ? in[3] : 0xFF;
        const bool keyed = (Flags & ULW_COLORKEY) && px[3] == 0xFF &&
                           (px[2] | (px[1] << 8) | (px[0] << 16)) == key;
        if (keyed) px[0] = px[1] = px[2] = px[3] = 0;
      }
      for (int i = 0; i < 4; ++i) out[i] = static_cast<Byte>((px[i] * constant + 127) / 255);
    }
  }
  if (c->Impl()) c->Impl()->SetLayeredImage(l.Image.get());
  return true;
}

namespace {
std::optional<bool> gDisplayComposites;
}  // namespace

bool DisplayComposites() { return gDisplayComposites ? *gDisplayComposites : FormsBackend::DisplayComposites(); }

void SetDisplayComposites(std::optional<bool> Composites) { gDisplayComposites = Composites; }

void Beep() {
  ++gBeeps;
  if (FormsBackend::HasRealDisplay()) FormsBackend::Beep();
}

Integer BeepCount() { return gBeeps; }

// --- Input from the backend ------------------------------------------------------------------------

namespace {

LPARAM KeyLParam(const TKeyInput& k, bool up, bool alt) {
  LPARAM l = 1;
  if (k.Keypad) l |= static_cast<LPARAM>(0x53) << 16;  // a keypad scan code: bit 22 set
  if (k.Extended) l |= KF_EXTENDED;
  if (alt) l |= KF_ALTDOWN;
  if (k.AutoRepeat || up) l |= KF_REPEAT;
  if (up) l |= KF_UP;
  return l;
}

void SetModifierState(TShiftState s) {
  SetKeyDown(VK_SHIFT, s.Contains(ssShift));
  SetKeyDown(VK_CONTROL, s.Contains(ssCtrl));
  SetKeyDown(VK_MENU, s.Contains(ssAlt));
  SetKeyDown(VK_LSHIFT, s.Contains(ssShift));
  SetKeyDown(VK_LCONTROL, s.Contains(ssCtrl));
  SetKeyDown(VK_LMENU, s.Contains(ssAlt));
}

}  // namespace

void InputKeyDown(TWinControl* Control, const TKeyInput& Key) {
  if (!Control) return;
  GuardedCall([&] {
    SetModifierState(Key.Shift);
    if (Key.VirtualKey) SetKeyDown(Key.VirtualKey, true);
    const bool alt = Key.Shift.Contains(ssAlt);
    const LPARAM lp = KeyLParam(Key, false, alt);
    const HWND h = Control->Handle();
    // The dialog-key chain: a key the form takes as a dialog key goes no further.
    if (Key.VirtualKey) {
      if (SendMessage(h, alt ? CN_SYSKEYDOWN : CN_KEYDOWN, Key.VirtualKey, lp) != 0) return;
      SendMessage(h, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key.VirtualKey, lp);
    }
    // The characters come to the same control whatever the key-down handlers did.
    for (Char ch : Key.Chars) {
      if (!IsWindow(h)) return;
      if (SendMessage(h, alt ? CN_SYSCHAR : CN_CHAR, ch, lp) != 0) continue;
      SendMessage(h, alt ? WM_SYSCHAR : WM_CHAR, ch, lp);
    }
  });
}

void InputKeyUp(TWinControl* Control, const TKeyInput& Key) {
  if (!Control) return;
  GuardedCall([&] {
    if (Key.VirtualKey) SetKeyDown(Key.VirtualKey, false);
    const bool alt = Key.Shift.Contains(ssAlt);
    const LPARAM lp = KeyLParam(Key, true, alt);
    const HWND h = Control->Handle();
    if (Key.VirtualKey) {
      if (SendMessage(h, alt ? CN_SYSKEYUP : CN_KEYUP, Key.VirtualKey, lp) == 0)
        SendMessage(h, alt ? WM_SYSKEYUP : WM_KEYUP, Key.VirtualKey, lp);
    }
    SetModifierState(Key.Shift);
  });
}

void InputMouse(TControl* Control, UINT Msg, TPoint ClientPos, Word Keys) {
  if (!Control) return;
  GuardedCall([&] {
    SetKeyDown(VK_LBUTTON, Keys & MK_LBUTTON);
    SetKeyDown(VK_RBUTTON, Keys & MK_RBUTTON);
    SetKeyDown(VK_MBUTTON, Keys & MK_MBUTTON);
    SetKeyDown(VK_SHIFT, Keys & MK_SHIFT);
    SetKeyDown(VK_CONTROL, Keys & MK_CONTROL);
    TControl* target = Control;
    TPoint p = ClientPos;
    // While a control holds the capture, the mouse talks to it.
    if (gCapture && gCapture != Control) {
      p = gCapture->ScreenToClient(Control->ClientToScreen(ClientPos));
      target = gCapture;
    }
    if (Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_MBUTTONDOWN) {
      if (Application) Application->CancelHint();
    }
    // A disabled control takes no mouse input: it neither clicks nor tracks the mouse, but its
    // hint still shows (it may say why it is disabled). A capture it still holds ends with the
    // release of the button.
    if (!target->IsEnabledInTree()) {
      if (Msg == WM_MOUSEMOVE && Application) Application->HintMouseMessage(target);
      if ((Msg == WM_LBUTTONUP || Msg == WM_RBUTTONUP || Msg == WM_MBUTTONUP) && gCapture == target)
        SetCaptureControl(nullptr);
      return;
    }
    target->Perform(Msg, Keys, MakeLParam(p.X, p.Y));
  });
}

void InputWheel(TControl* Control, Integer Delta, TPoint ScreenPos, Word Keys) {
  if (!Control) return;
  GuardedCall([&] {
    TControl* c = Control;
    while (c && !dynamic_cast<TWinControl*>(c)) c = c->Parent();
    if (!c) return;
    c->Perform(WM_MOUSEWHEEL, MakeWParam(Keys, Delta), MakeLParam(ScreenPos.X, ScreenPos.Y));
  });
}

void InputFocusChange(TWinControl* Lost, TWinControl* Gained) {
  GuardedCall([&] {
    HWND lost = Lost ? Lost->Handle() : 0;
    HWND gained = Gained ? Gained->Handle() : 0;
    if (lost) SendMessage(lost, WM_KILLFOCUS, static_cast<WPARAM>(gained), 0);
    // A WM_KILLFOCUS handler may have moved the focus elsewhere already.
    if (gained && IsWindow(gained)) SendMessage(gained, WM_SETFOCUS, static_cast<WPARAM>(lost), 0);
  });
}

void InputMouseEnter(TControl* Control) {
  if (!Control) return;
  GuardedCall([&] {
    gMouseControl = Control;
    Control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Control));
  });
}

void InputMouseLeave(TControl* Control) {
  if (!Control) return;
  GuardedCall([&] {
    if (gMouseControl == Control) gMouseControl = nullptr;
    if (Application) Application->HintMouseMessage(nullptr);
    Control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Control));
  });
}

void GuiInternal::MouseLeaveWithin(TWinControl* Window) {
  TControl* over = gMouseControl;
  if (!Window || !over) return;
  if (over == Window || Window->ContainsControl(over)) InputMouseLeave(over);
}

void InputResized(TControl* Control, Integer Width, Integer Height) {
  if (!Control) return;
  GuardedCall([&] {
    if (auto* f = dynamic_cast<TCustomForm*>(Control)) {
      TRect fr = f->FrameSize();
      f->SetBounds(f->Left(), f->Top(), Width + fr.Left + fr.Right, Height + fr.Top + fr.Bottom);
    } else {
      Control->SetBounds(Control->Left(), Control->Top(), Width, Height);
    }
  });
}

void InputCloseRequest(TCustomForm* Form) {
  if (!Form) return;
  GuardedCall([&] { Form->Close(); });
}

void InputNotify(TWinControl* Control, Word Code) {
  if (!Control) return;
  GuardedCall([&] {
    if (Control->Parent())
      Control->Parent()->NotifyCommand(Control, Code);
    else
      Control->Perform(CN_COMMAND, MakeWParam(0, Code), static_cast<LPARAM>(Control->Handle()));
  });
}

void InputActivated(TCustomForm* Form, bool Active, TCustomForm* Other) {
  if (!Form) return;
  GuardedCall([&] { Form->Activated(Active, Other); });
}

void InputMoved(TCustomForm* Form, Integer Left, Integer Top) {
  if (!Form) return;
  GuardedCall([&] {
    if (Left != Form->Left() || Top != Form->Top()) Form->SetBounds(Left, Top, Form->Width(), Form->Height());
  });
}

void InputWindowState(TCustomForm* Form, Integer State) {
  if (!Form) return;
  GuardedCall([&] { Form->WindowStateChanged(State == 1 ? wsMinimized : State == 2 ? wsMaximized : wsNormal); });
}

void InputLinkActivated(TWinControl* Control, const String& Link) {
  if (!Control) return;
  GuardedCall([&] { Control->Perform(GuiInternal::CM_LINKCLICK, 0, reinterpret_cast<LPARAM>(&Link)); });
}
