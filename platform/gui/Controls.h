// Controls: the base of everything on a form. TControl (position, size, visibility, font, colour,
// mouse), TWinControl (a window: handle, children, focus, keys, tab order), TCustomControl (a window
// that paints itself on a retained backing image) and TGraphicControl (a control without focus that
// paints itself). Every control receives its input as window messages through WndProc.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gui/ActnList.h"
#include "platform/gui/Component.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Messages.h"

class TControl;
class TControlActionLink;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TWidgetImpl;  // the backend's widget (ControlsBackend.h)

// --- Small sets and enumerations ------------------------------------------------------------------

// The kind of backend widget a control stands on: self-painted surfaces, or stock widgets that
// bring their own behaviour (text editing, lists, drop-downs).
enum TWidgetKind : int {
  wkPaintBox,   // a focusable window painted from the control's backing image
  wkGraphic,    // a window without focus painted from the backing image, transparent where unpainted
  wkForm,       // a top-level window
  wkEdit,       // one-line text editor
  wkMemo,       // multi-line plain text editor
  wkComboBox,   // drop-down list or drop-down with an editor
  wkListBox,    // list of strings
  wkTreeView,   // tree of nodes
  wkLinkLabel,  // text with links
  wkPopup,      // a top-level window without frame or focus (hints), painted from the backing image
};

enum TShiftStateFlag : Word {
  ssShift = 1 << 0,
  ssAlt = 1 << 1,
  ssCtrl = 1 << 2,
  ssLeft = 1 << 3,
  ssRight = 1 << 4,
  ssMiddle = 1 << 5,
  ssDouble = 1 << 6,
};
// A set of TShiftStateFlag bits.
struct TShiftState {
  Word Bits = 0;
  constexpr TShiftState() = default;
  constexpr TShiftState(Word bits) : Bits(bits) {}
  constexpr bool Contains(TShiftStateFlag f) const { return (Bits & f) != 0; }
  constexpr bool Empty() const { return Bits == 0; }
  constexpr TShiftState operator|(TShiftState o) const { return TShiftState(Bits | o.Bits); }
  friend constexpr bool operator==(TShiftState, TShiftState) = default;
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : Byte { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = Byte;  // bits of TAnchorKind
constexpr TAnchors DefaultAnchors = akLeft | akTop;
// Border styles: controls use bsNone and bsSingle, forms all of them.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
using TModalResult = Integer;

// Control style and state bits.
enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csDesignInteractive = 1u << 2,
  csClickEvents = 1u << 3,
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,
  csOpaque = 1u << 6,
  csDoubleClicks = 1u << 7,
  csFixedWidth = 1u << 8,
  csFixedHeight = 1u << 9,
  csNoDesignVisible = 1u << 10,
  csReplicatable = 1u << 11,
  csNoStdEvents = 1u << 12,
  csDisplayDragImage = 1u << 13,
  csReflector = 1u << 14,
  csActionClient = 1u << 15,
  csMenuEvents = 1u << 16,
  csNeedsBorderPaint = 1u << 17,
  csParentBackground = 1u << 18,
};
using TControlStyle = uint32_t;
enum TControlStateFlag : uint32_t {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csPalette = 1u << 2,
  csReadingState = 1u << 3,
  csAlignmentNeeded = 1u << 4,
  csFocusing = 1u << 5,
  csCreating = 1u << 6,
  csPaintCopy = 1u << 7,
  csCustomPaint = 1u << 8,
  csDestroyingHandle = 1u << 9,
  csDocking = 1u << 10,
};
using TControlState = uint32_t;

// Cursors.
using TCursor = Integer;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Modal results.
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 8;
constexpr TModalResult mrAll = 12;
constexpr TModalResult mrNoToAll = 13;
constexpr TModalResult mrYesToAll = 14;

// --- Events ---------------------------------------------------------------------------------------
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
// MousePos in screen coordinates.
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TCanResizeEvent =
    std::function<void(TObject* Sender, Integer& NewWidth, Integer& NewHeight, bool& Resize)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// Dragging inside the program: a control with DragMode dmAutomatic (or one that calls BeginDrag)
// is dragged with the left button; the control under the mouse is asked with OnDragOver and gets
// OnDragDrop on release when it accepted; the source hears OnEndDrag either way.
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y)>;
using TStartDragEvent = std::function<void(TObject* Sender)>;
// Target is nullptr when the drag ended without a drop.
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, Integer X, Integer Y)>;

// --- TControl -------------------------------------------------------------------------------------

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  String ClassName() const override { return u"TControl"; }
  void BeforeDestruction() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  Integer Left() const { return FLeft; }
  Integer Top() const { return FTop; }
  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  void SetLeft(Integer v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(Integer v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(Integer v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(Integer v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  TRect BoundsRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  // The inside of the control in its own coordinates (0, 0 at the top-left of the client area).
  virtual TRect ClientRect() const;
  Integer ClientWidth() const { return ClientRect().Width(); }
  Integer ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientWidth(Integer v);
  virtual void SetClientHeight(Integer v);
  // The offset of the client area from the control's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(const TPoint& P) const;
  TPoint ScreenToClient(const TPoint& P) const;
  // A point of this control's client area in Parent's client coordinates and back.
  TPoint ClientToParent(const TPoint& P, TWinControl* AParent = nullptr) const;

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to a showing form visible.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool v);
  // Enabled and every parent enabled.
  bool IsEnabledInTree() const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign v);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors v);

  // The window text: Caption for labels, buttons and forms, Text for edits.
  String Caption() const { return GetText(); }
  void SetCaption(const String& v) { SetText(v); }
  String Text() const { return GetText(); }
  void SetText(const String& v);

  const String& Hint() const { return FHint; }
  void SetHint(const String& v) { FHint = v; }
  bool ShowHint() const;
  void SetShowHint(bool v);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v) { FParentShowHint = v; }

  TFont* Font() { return &FFont; }
  const TFont* Font() const { return &FFont; }
  void SetFont(const TFont* v) { FFont.Assign(v); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  TColor Color() const { return FColor; }
  virtual void SetColor(TColor v);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool v);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* v);

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle v) { FControlStyle = v; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState v) { FControlState = v; }

  // Messages: Perform delivers one at once to WndProc and returns its Result.
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  // The default handling of a message nothing else consumed; for a control over a stock widget it
  // lets that widget handle the message.
  virtual void DefaultHandler(TMessage& Message);
  // Dispatches by message id to the handlers of the class (WndProc ends here).
  virtual void Dispatch(TMessage& Message);
  // Replaces the window procedure (subclassing); an empty function restores the class's own.
  // The replacement gets the message and may call CallClassWndProc to run the original.
  using TWndMethod = std::function<void(TMessage& Message)>;
  void SetWindowProc(TWndMethod proc) { FWindowProc = std::move(proc); }
  const TWndMethod& WindowProc() const { return FWindowProc; }
  // Runs a message through WindowProc (the replacement if one is set, else WndProc).
  void DeliverMessage(TMessage& Message);

  virtual void Invalidate();
  // Schedules a repaint of the part R of the client area (nothing when R lies outside it): the next
  // paint draws inside the pending parts only, and the screen gets those pixels. A whole-control
  // Invalidate pending takes it in.
  virtual void InvalidateClientRect(const TRect& R);
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // Events.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TContextPopupEvent OnContextPopup;

  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode v) { FDragMode = v; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor v) { FDragCursor = v; }
  // Starts dragging this control: at once, or once the mouse moved Threshold pixels (-1: 5).
  void BeginDrag(bool Immediate, Integer Threshold = -1);
  // Ends the drag; with Drop the control under the mouse gets OnDragDrop if it accepts.
  void EndDrag(bool Drop);
  bool Dragging() const;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;
  // Asks whether the control takes Source at a client point (OnDragOver; false without it).
  virtual bool DragOver(TObject* Source, Integer X, Integer Y, TDragState State);
  virtual void DragDrop(TObject* Source, Integer X, Integer Y);

  // Runs the click behaviour: OnClick, or without one the linked action.
  virtual void Click();
  virtual void DblClick();

  // The action the control follows (nullptr: none). Linking takes over the action's caption,
  // enabled and visible state and hint where the control still shows its defaults; later changes
  // of the action reach the control while it shows what the action showed.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TControlActionLink* ActionLink() const { return FActionLink.get(); }

  // The backend widget (nullptr only while being destroyed).
  TWidgetImpl* Impl() const { return FImpl.get(); }
  // The retained image a self-painting control keeps; nullptr for stock widgets.
  virtual TBitmap* BackingImage() { return nullptr; }
  // Called by the backend when the screen needs the control's pixels: runs WM_PAINT when the
  // control was invalidated since it last painted.
  void PaintIfNeeded();
  bool NeedsPaint() const { return FNeedsPaint; }
  // What the pending paint covers: nullptr for the whole control, else the parts invalidated by
  // InvalidateClientRect (during WM_PAINT: what this paint covers).
  const TRegion* PaintArea() const {
    if (FInPaint) return FPaintingWhole ? nullptr : &FPaintingArea;
    return FPaintWhole ? nullptr : &FPaintArea;
  }

 protected:
  // Creates the backend widget of the given kind (see ControlsBackend.h).
  TControl(TComponent* AOwner, TWidgetKind Kind);

  virtual String GetText() const { return FText; }
  virtual void SetTextImpl(const String& v);
  // The link a control of this class makes to its action.
  virtual std::unique_ptr<TControlActionLink> CreateActionLink();
  // The action (Sender) was linked (CheckDefaults: only where the control shows its defaults) or
  // changed as a whole.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  std::unique_ptr<TControlActionLink> FActionLink;
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void Resize();
  virtual bool CanResize(Integer& NewWidth, Integer& NewHeight);
  virtual void Paint() {}
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void VisibleChanging() {}
  // The bounds changed (after the widget moved).
  virtual void BoundsChanged() {}
  void Changed();
  // Mouse handling shared by the WM_*BUTTON* messages.
  void DoMouseDown(TMessage& M, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TMessage& M, TMouseButton Button);
  void RequestAlign();
  void InvalidateSelf();

  // Message handlers (called from Dispatch).
  virtual void WMLButtonDown(TMessage& M);
  virtual void WMLButtonUp(TMessage& M);
  virtual void WMLButtonDblClk(TMessage& M);
  virtual void WMRButtonDown(TMessage& M);
  virtual void WMRButtonUp(TMessage& M);
  virtual void WMMButtonDown(TMessage& M);
  virtual void WMMButtonUp(TMessage& M);
  virtual void WMMouseMove(TMessage& M);
  virtual void WMPaint(TMessage& M);
  virtual void WMSize(TMessage& M);
  virtual void WMContextMenu(TMessage& M);
  virtual void CMMouseEnter(TMessage& M);
  virtual void CMMouseLeave(TMessage& M);
  virtual void CMEnabledChanged(TMessage& M);
  virtual void CMVisibleChanged(TMessage& M);
  virtual void CMFontChanged(TMessage& M);
  virtual void CMColorChanged(TMessage& M);
  virtual void CMTextChanged(TMessage& M);
  virtual void CMParentFontChanged(TMessage& M);
  virtual void CMParentColorChanged(TMessage& M);
  virtual void CMHitTest(TMessage& M);

  TWinControl* FParent = nullptr;
  Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  String FText;
  TFont FFont;
  TColor FColor = clWindow;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FParentColor = false;
  bool FParentShowHint = true;
  bool FShowHint = false;
  bool FNeedsPaint = true;
  bool FPaintWhole = true;  // the pending paint covers the whole control, else FPaintArea
  TRegion FPaintArea;
  bool FInPaint = false;
  bool FPaintingWhole = true;  // what the paint running now covers
  TRegion FPaintingArea;
  TAlign FAlign = alNone;
  TAnchors FAnchors = DefaultAnchors;
  String FHint;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  TDragMode FDragMode = dmManual;
  TCursor FDragCursor = crDrag;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState FControlState = 0;
  // Anchor bookkeeping: the distances to the parent's right and bottom edges when last placed.
  Integer FAnchorRight = -1, FAnchorBottom = -1;
  std::unique_ptr<TWidgetImpl> FImpl;
  TWndMethod FWindowProc;

  friend class TWinControl;
  friend class TWidgetImpl;

 private:
  void SetFontFromParent();
  void SetColorFromParent();
  // The control took another place in the stacking order of its parent's children.
  void Restacked();
  bool FUpdatingFont = false;
};

// --- TWinControl ----------------------------------------------------------------------------------

// The link of a control to a TCustomAction: a property of the action reaches the control while the
// control shows the action's present value of it.
class TControlActionLink : public TActionLink {
 public:
  explicit TControlActionLink(TControl* AClient) : TActionLink(AClient), FClient(AClient) {}

  bool IsCaptionLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsHintLinked() const override;
  bool IsVisibleLinked() const override;
  void SetCaption(const String& Value) override;
  void SetEnabled(bool Value) override;
  void SetHint(const String& Value) override;
  void SetVisible(bool Value) override;

 protected:
  TControl* FClient;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  String ClassName() const override { return u"TWinControl"; }
  void BeforeDestruction() override;

  HWND Handle() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != 0; }

  Integer ControlCount() const { return static_cast<Integer>(FControls.size()); }
  // Raises EListError for an index outside the list.
  TControl* Controls(Integer Index) const;
  bool ContainsControl(const TControl* C) const;
  // The child control (windowed or not) at a client point, nullptr when none.
  TControl* ControlAtPos(const TPoint& P, bool AllowDisabled = false) const;

  Integer TabOrder() const;
  void SetTabOrder(Integer v);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v) { FTabStop = v; }
  // Visible, enabled and on a showing form.
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  // The windowed children in tab order.
  std::vector<TWinControl*> TabList() const;
  // The next control after CurControl in the tab order of this control's descendants.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent) const;
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  virtual void SetBorderStyle(TBorderStyle v);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool v) { FCtl3D = v; }
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool v) { FParentCtl3D = v; }

  // Lays out the children by Align and Anchors.
  void Realign();
  void DisableAlign() { ++FAlignDisabled; }
  void EnableAlign();
  // Sends a message to every child control.
  void Broadcast(TMessage& Message);
  // Sends a notification from Child as WM_COMMAND (CtlId, Code) to this control, which reflects it
  // back to Child as CN_COMMAND.
  void NotifyCommand(TWinControl* Child, Word Code);

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TMouseWheelEvent OnMouseWheel;

  void Dispatch(TMessage& Message) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool v) override;

  // Key handling run by the message handlers; the form's KeyPreview runs its own first.
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void KeyPress(Char& Key);
  virtual void DoEnter();
  virtual void DoExit();
  virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);

  // Called by the layer when a child is added or removed.
  virtual void InsertControl(TControl* C);
  virtual void RemoveControl(TControl* C);

  // The overlay of a control over a stock widget (an edit, a combo box): a device context on the
  // whole window, for what the control draws over the widget (its own frame, a button, a unit
  // text). The canvas comes without clip, its origin at the window's top-left corner, over an
  // image of the control's size; the screen shows what is drawn on it over the widget's own
  // painting. The widget's own painting (a paint message reaching the default handling) clears
  // it again inside the canvas's clip region, as a stock control paints over whatever lay in its
  // window: what the control draws before it and leaves outside the clip, and whatever it draws
  // after it, stays. Cleared pixels read as white with alpha 0. A control that paints itself has
  // no overlay (nullptr): it draws on its backing image; nor has a form.
  TCanvas* OverlayCanvas();
  // The overlay's image, nullptr before the first OverlayCanvas.
  TBitmap* OverlayImage() const { return FOverlay.get(); }

  // A transparent window shows, beneath its own drawing, what its parent paints at its place
  // together with the parent's other children below it (a picture, a pattern, another control).
  // A self-painting control's paint then starts from that picture (PaintBeneath) instead of its
  // colour, and whatever changes the picture (a repaint of the parent or of a control below it, a
  // control below moved, shown or hidden) repaints the window where they overlap. Off at first.
  bool TransparentWindow() const { return FTransparentWindow; }
  void SetTransparentWindow(bool v);
  // Draws on Canvas, in the control's client coordinates, what shows beneath the control: its
  // parent's painting and that of the parent's other children below it, where they overlap it.
  // Nothing without a parent.
  void PaintBeneath(TCanvas* Canvas);

  void DefaultHandler(TMessage& Message) override;

 protected:
  TWinControl(TComponent* AOwner, TWidgetKind Kind);

  // Handlers of the key messages. DoKeyDown/DoKeyPress/DoKeyUp run the form preview and the
  // events; they return true when the key was swallowed.
  bool DoKeyDown(TMessage& M);
  bool DoKeyPress(TMessage& M);
  bool DoKeyUp(TMessage& M);
  virtual void WMKeyDown(TMessage& M);
  virtual void WMKeyUp(TMessage& M);
  virtual void WMChar(TMessage& M);
  virtual void WMSysKeyDown(TMessage& M);
  virtual void WMSysKeyUp(TMessage& M);
  virtual void WMSetFocus(TMessage& M);
  virtual void WMKillFocus(TMessage& M);
  virtual void WMMouseWheel(TMessage& M);
  virtual void WMCommand(TMessage& M);
  virtual void WMNotify(TMessage& M);
  virtual void WMVScroll(TMessage& M);
  virtual void WMHScroll(TMessage& M);
  virtual void WMGetDlgCode(TMessage& M);
  virtual void CMDialogKey(TMessage& M);
  virtual void CMDialogChar(TMessage& M);
  virtual void CMChildKey(TMessage& M);
  virtual void CMEnter(TMessage& M);
  virtual void CMExit(TMessage& M);
  virtual void CMWantSpecialKey(TMessage& M);
  virtual void CMMouseWheel(TMessage& M);
  virtual void CNKeyDown(TMessage& M);
  virtual void CNKeyUp(TMessage& M);
  virtual void CNChar(TMessage& M);
  virtual void CNCommand(TMessage& M) { (void)M; }
  virtual void CNNotify(TMessage& M) { (void)M; }
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void BoundsChanged() override;
  // The client rectangle children are aligned in (the client rect less any own frame).
  virtual TRect AlignRect() const { return ClientRect(); }

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  HWND FHandle = 0;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  TBorderStyle FBorderStyle = bsNone;
  Integer FAlignDisabled = 0;
  bool FAligning = false;

 private:
  void RegisterHandle();
  // Clears the overlay inside its canvas's clip (the whole image without one).
  void ClearOverlay();
  // What Control shows at R (its client coordinates) changed: the transparent windows that show
  // it beneath them repaint there (its own, and in each of its parents those above it).
  static void BeneathChanged(TControl* Control, const TRect& R);
  // The same for the transparent windows above Control in each of its parents only, R in the
  // parent's client coordinates (Control moved, shown, hidden or restacked).
  static void AboveChanged(TControl* Control, TRect R);
  // A transparent window repaints the part R (its client coordinates) unless already pending.
  void RepaintBeneath(const TRect& R);
  std::unique_ptr<TBitmap> FOverlay;
  bool FTransparentWindow = false;
  friend class TControl;
};

// --- TCustomControl and TGraphicControl -----------------------------------------------------------

// A windowed control that paints itself. Its Canvas draws on a retained image of the control's
// size; painting also outside Paint (XOR lines, focus rectangles) shows on the screen, and a paint
// message copies the image to the screen after Paint ran for an invalidated control. The image takes
// the control's size when it is next used (Canvas, BackingImage, a paint), not at every change of
// bounds, so a form laid out control by control allocates each image once, at its final size.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  String ClassName() const override { return u"TCustomControl"; }
  TCanvas* Canvas();
  TBitmap* BackingImage() override;

 protected:
  TCustomControl(TComponent* AOwner, TWidgetKind Kind);
  void Paint() override {}
  void WMPaint(TMessage& M) override;
  void BoundsChanged() override;
  TBitmap FBacking;
};

// A control without a window of its own and without focus that paints itself; the parent shows
// through wherever it does not paint.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  String ClassName() const override { return u"TGraphicControl"; }
  TCanvas* Canvas();
  TBitmap* BackingImage() override;

 protected:
  void Paint() override {}
  void WMPaint(TMessage& M) override;
  void BoundsChanged() override;
  TBitmap FBacking;
};

// --- Handles, focus, capture, keyboard and mouse state --------------------------------------------

// The windowed control of a handle, nullptr when it is gone.
TWinControl* FindControl(HWND Handle);
// The form a control sits on (the top-level parent that is a form), nullptr when none.
TCustomForm* GetParentForm(TControl* Control, bool TopForm = true);
// The control that holds the keyboard focus, nullptr when none of ours does.
TWinControl* FocusedControl();
HWND GetFocus();

// Mouse capture: mouse messages go to the capture control while it is set.
void SetCaptureControl(TControl* Control);
TControl* GetCaptureControl();
HWND SetCapture(HWND Wnd);
bool ReleaseCapture();
HWND GetCapture();

// The keyboard state: the layer updates it from input; tests set it. GetKeyState answers with bit
// 0x8000 set (a negative Short) for a key that is down.
int16_t GetKeyState(Integer VirtKey);
int16_t GetAsyncKeyState(Integer VirtKey);
void SetKeyDown(Integer VirtKey, bool Down);
void ClearKeyboardState();
// The shift state from the keyboard state (Shift, Ctrl, Alt and the mouse buttons).
TShiftState KeyboardShiftState();
TShiftState KeysToShiftState(Word Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);

// The mouse position in screen coordinates; tests may replace it (nullptr restores the real one).
using TCursorPosSource = std::function<TPoint()>;
TPoint GetCursorPos();
void SetCursorPosSource(TCursorPosSource Source);
// The windowed control under a screen point; tests may replace the lookup.
using TWindowFromPointSource = std::function<HWND(TPoint)>;
HWND WindowFromPoint(TPoint P);
void SetWindowFromPointSource(TWindowFromPointSource Source);

// The control under a screen point (windowed or not), nullptr when none.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);

// --- Window shapes and layered windows --------------------------------------------------------------

// A window's shape: only the pixels of Rgn (window coordinates: a form's outer top-left corner is
// 0, 0) show and take the mouse; nullptr gives the whole rectangle back. Redraw repaints the
// window. Returns 0 when Wnd is no window.
Integer SetWindowRgn(HWND Wnd, const TRegion* Rgn, bool Redraw);
// Copies a window's shape; false when it has none.
bool GetWindowRgn(HWND Wnd, TRegion& Rgn);

// Layered windows. Flags of SetLayeredWindowAttributes and UpdateLayeredWindow, and the blend.
constexpr Cardinal LWA_COLORKEY = 0x1;
constexpr Cardinal LWA_ALPHA = 0x2;
constexpr Cardinal ULW_COLORKEY = 0x1;
constexpr Cardinal ULW_ALPHA = 0x2;
constexpr Cardinal ULW_OPAQUE = 0x4;
constexpr Byte AC_SRC_OVER = 0x00;
constexpr Byte AC_SRC_ALPHA = 0x01;
struct BLENDFUNCTION {
  Byte BlendOp = AC_SRC_OVER;
  Byte BlendFlags = 0;
  Byte SourceConstantAlpha = 255;
  Byte AlphaFormat = 0;  // AC_SRC_ALPHA: the source has per-pixel alpha, premultiplied
};
// A window painted by the program with a constant opacity (LWA_ALPHA: Alpha, 255 opaque) and a
// colour that shows as transparent (LWA_COLORKEY: Key). The opacity applies to the whole window.
// The colour key applies to what the window paints itself; on a form, to its background where
// the form's colour is the key (the window system offers no keying of its child controls).
// False when Wnd is no window.
bool SetLayeredWindowAttributes(HWND Wnd, TColor Key, Byte Alpha, Cardinal Flags);
bool GetLayeredWindowAttributes(HWND Wnd, TColor* Key, Byte* Alpha, Cardinal* Flags);
// The window shows an image instead of its painting: Size pixels of SrcDC from SrcPos (0, 0 when
// nullptr). ULW_ALPHA blends with Blend: its constant alpha, and with AC_SRC_ALPHA the source's
// premultiplied per-pixel alpha (a 32-bit source); ULW_COLORKEY makes the pixels of Key
// transparent; ULW_OPAQUE shows every pixel opaque. DstPos (screen) moves the window and Size
// sizes it; without SrcDC only those change. DstDC is not used. False when Wnd is no window.
bool UpdateLayeredWindow(HWND Wnd, TCanvas* DstDC, const TPoint* DstPos, const TSize* Size, TCanvas* SrcDC,
                         const TPoint* SrcPos, TColor Key, const BLENDFUNCTION* Blend, Cardinal Flags);

// Window moves: each hook runs after a window of the program changed its position or size (a
// form moved by the user or by code, a control placed anew), with that window, in the order the
// hooks were added. For what follows another window on the screen. A window a hook moves runs
// the hooks no further time.
using TWindowPosHook = std::function<void(TWinControl* Window)>;
intptr_t AddWindowPosHook(TWindowPosHook Hook);
void RemoveWindowPosHook(intptr_t Hook);

// True when the display blends translucent windows with what lies below them; without that a
// translucent pixel of a window hides what lies below. Tests may stand in for the display
// (SetDisplayComposites; nullopt: the display's own answer).
bool DisplayComposites();
void SetDisplayComposites(std::optional<bool> Composites);  // tests

// System settings.
Integer WheelScrollLines();
void SetWheelScrollLines(Integer Lines);  // tests
enum TSystemMetric { SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYCAPTION = 4, SM_CXBORDER = 5,
                     SM_CYBORDER = 6, SM_CXEDGE = 45, SM_CYEDGE = 46 };
Integer GetSystemMetrics(Integer Index);

// TMouse: the global mouse object.
class TMouse {
 public:
  TPoint CursorPos() const { return GetCursorPos(); }
  bool WheelPresent() const { return true; }
  Integer WheelScrollLines() const { return ::WheelScrollLines(); }
  HWND Capture() const { return GetCapture(); }
};
extern TMouse* Mouse;

void Beep();
// Counts Beep calls (tests).
Integer BeepCount();
