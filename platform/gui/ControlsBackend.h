// The calls the control layer makes into the backend for one control's widget, and the calls the
// backend makes into the layer when input arrives. Qt-free; platform/qt/QtControls.cpp implements
// the widget side.
#pragma once

#include <memory>
#include <vector>

#include "platform/gui/Controls.h"

// One control's native widget. Stock widgets (edits, combo boxes, lists, trees) answer the calls
// of their kind; the others keep the defaults.
class TWidgetImpl {
 public:
  virtual ~TWidgetImpl() = default;

  // Geometry and state. Bounds are in the parent's client coordinates (screen for forms).
  virtual void SetParent(TWidgetImpl* Parent) = 0;
  virtual void SetBounds(Integer Left, Integer Top, Integer Width, Integer Height) = 0;
  virtual void SetVisible(bool Visible) = 0;
  virtual bool IsVisibleOnScreen() const = 0;
  virtual void SetEnabled(bool Enabled) = 0;
  virtual void SetFocus() = 0;
  virtual bool HasFocus() const = 0;
  virtual bool AcceptsFocus() const = 0;
  virtual void SetCursor(TCursor Cursor) = 0;
  virtual void SetFont(const TFont& Font) = 0;
  virtual void SetColor(TColor Color) = 0;
  virtual void RaiseToTop() = 0;
  virtual void LowerToBottom() = 0;
  // The screen position of the client area's top-left corner.
  virtual TPoint ClientOriginOnScreen() const = 0;
  // Schedules a repaint: the control paints again (Paint runs) and the screen gets its pixels.
  virtual void Invalidate() = 0;
  // Schedules a repaint of the part R of the client area only.
  virtual void InvalidateRect(const TRect& R) = 0;
  // Schedules a copy of the backing image to the screen without running Paint.
  virtual void ScheduleScreenUpdate() = 0;
  // Paints what is pending now.
  virtual void UpdateNow() = 0;
  // Draws into Target (a pfDevice bitmap of the widget's size) what shows beneath the widget: its
  // parent widget's own painting and the parent's other children below this widget, each where
  // it overlaps the widget. False, with Target untouched, when the widget has no parent widget.
  virtual bool RenderBeneath(TBitmap* Target) { (void)Target; return false; }
  // Lets the stock widget handle a message (the class's original window procedure). The widget
  // rebuilds its own event from the message.
  virtual void DefaultHandler(TMessage& Message) { (void)Message; }
  virtual void SetMouseCapture(bool On) { (void)On; }

  // Test support: the widget and its children as they show on the screen.
  virtual bool GrabToPng(const String& FileName) = 0;
  virtual TColor GrabPixel(Integer X, Integer Y) = 0;

  // Top-level windows.
  virtual void SetWindowTitle(const String& Title) { (void)Title; }
  // Border: 0 none, 1 single (fixed size), 2 sizeable, 3 dialog; icons: bit 0 system menu,
  // 1 minimise, 2 maximise.
  virtual void SetWindowFrame(Integer Border, Integer Icons) { (void)Border; (void)Icons; }
  virtual void SetWindowModal(bool Modal) { (void)Modal; }
  // Forms: kept above every window that does not stay on top; Owner (nullptr: none) is the window
  // this one belongs to: it stays above its owner and has no task bar entry of its own.
  virtual void SetWindowStyle(bool StayOnTop, TWidgetImpl* Owner) { (void)StayOnTop; (void)Owner; }
  // A soft shadow along the right and bottom edges while the window shows.
  virtual void SetDropShadow(bool On) { (void)On; }
  // Popups: the window lets the mouse through to whatever lies beneath it (a hint window over the
  // control it explains); it never takes the pointer from that control.
  virtual void SetMouseThrough(bool On) { (void)On; }
  virtual void ActivateWindow() {}
  virtual bool IsActiveWindow() const { return false; }
  // The size of the frame around the client area: left, top, right, bottom.
  virtual TRect FrameExtents() const { return TRect(); }
  // 0 normal, 1 minimised, 2 maximised; a hidden window takes the state when it is shown.
  virtual void SetWindowState(Integer State) { (void)State; }
  // Lets the window system move the window with the mouse (the caption's move); false when it
  // cannot, and the layer then moves the window itself.
  virtual bool StartSystemMove() { return false; }

  // Window shapes and translucency (top-level windows; a shape also for child windows). Region
  // in client coordinates, nullptr for none.
  virtual void SetWindowShape(const TRegion* Region) { (void)Region; }
  // The whole window's opacity, 255 opaque.
  virtual void SetWindowOpacity(Byte Alpha) { (void)Alpha; }
  // The colour that shows as transparent in what the window paints itself; clNone for none.
  virtual void SetColorKey(TColor Key) { (void)Key; }
  // The window shows Image (32-bit, premultiplied alpha) instead of its own painting; nullptr
  // returns to its own painting. The image stays the layer's and may change; UpdateLayeredImage
  // shows a change.
  virtual void SetLayeredImage(TBitmap* Image) { (void)Image; }

  // The overlay of a stock widget: an image our code paints, shown over the widget's own
  // painting. Pixels whose alpha byte is 0 let the widget show; the others are opaque colour.
  // nullptr removes it; UpdateOverlay shows a change.
  virtual void SetOverlay(TBitmap* Image) { (void)Image; }
  virtual void UpdateOverlay() {}
  // Text editors: the space kept free around the text inside the widget (left, top, right,
  // bottom), the edit rectangle of the control.
  virtual void SetTextMargins(const TRect& Margins) { (void)Margins; }

  // Text editors (wkEdit, wkMemo).
  virtual String GetText() const { return String(); }
  virtual void SetText(const String& Text) { (void)Text; }
  virtual void SetMaxLength(Integer Max) { (void)Max; }
  virtual void SetReadOnly(bool ReadOnly) { (void)ReadOnly; }
  virtual void SetPasswordChar(Char C) { (void)C; }
  virtual void SetTextAlignment(TAlignment A) { (void)A; }
  virtual void SetWordWrap(bool Wrap) { (void)Wrap; }
  virtual void SetScrollBars(Integer Bars) { (void)Bars; }
  virtual void SetFrame(bool Framed) { (void)Framed; }
  virtual Integer SelStart() const { return 0; }
  virtual Integer SelLength() const { return 0; }
  virtual void SetSelection(Integer Start, Integer Length) { (void)Start; (void)Length; }
  virtual Integer CaretPos() const { return 0; }
  // Replaces the selection with Text as typing would (MaxLength applies).
  virtual void ReplaceSelection(const String& Text) { (void)Text; }
  virtual void Undo() {}
  virtual bool CanUndo() const { return false; }
  virtual bool Modified() const { return false; }
  virtual void SetModified(bool M) { (void)M; }
  // Visual (wrapped) lines.
  virtual Integer LineCount() const { return 1; }
  virtual Integer LineFromChar(Integer Index) const { (void)Index; return 0; }
  virtual Integer LineIndex(Integer Line) const { (void)Line; return 0; }
  virtual TPoint PosFromChar(Integer Index) const { (void)Index; return TPoint(); }
  virtual Integer CharFromPos(TPoint P) const { (void)P; return 0; }

  // Lists (wkComboBox, wkListBox).
  virtual void SetItems(const std::vector<String>& Items) { (void)Items; }
  virtual Integer ItemIndex() const { return -1; }
  virtual void SetItemIndex(Integer Index) { (void)Index; }
  virtual void SetComboEditable(bool Editable) { (void)Editable; }
  virtual void SetDroppedDown(bool Down) { (void)Down; }
  virtual bool DroppedDown() const { return false; }
  // A combo box: whether its edit area cuts the text shown; the width of its drop-down list.
  virtual bool TextCut() const { return false; }
  virtual Integer DroppedWidth() const { return 0; }
  virtual void SetDropDownCount(Integer Count) { (void)Count; }
  virtual void SetItemHeight(Integer Height) { (void)Height; }
  virtual Integer TopIndex() const { return 0; }
  virtual void SetTopIndex(Integer Index) { (void)Index; }
  virtual Integer ItemAtPos(TPoint P) const { (void)P; return -1; }

  // Trees (wkTreeView). Nodes are named by ids the layer chooses; Parent 0 is the root level.
  virtual void TreeInsert(intptr_t Id, intptr_t Parent, Integer Index, const String& Text) {
    (void)Id; (void)Parent; (void)Index; (void)Text;
  }
  virtual void TreeRemove(intptr_t Id) { (void)Id; }
  virtual void TreeClear() {}
  virtual void TreeSetText(intptr_t Id, const String& Text) { (void)Id; (void)Text; }
  virtual void TreeSetExpanded(intptr_t Id, bool Expanded) { (void)Id; (void)Expanded; }
  virtual void TreeSetSelected(intptr_t Id) { (void)Id; }
  virtual intptr_t TreeSelected() const { return 0; }
  virtual intptr_t TreeNodeAt(TPoint P) const { (void)P; return 0; }
  virtual void TreeSetOptions(bool ShowRoot, bool RowSelect, bool HideSelection, bool ReadOnly) {
    (void)ShowRoot; (void)RowSelect; (void)HideSelection; (void)ReadOnly;
  }

  // Link labels (wkLinkLabel): the caption with <a href="...">text</a> links.
  virtual void SetLinkText(const String& Text) { (void)Text; }
};

// Creates the widget of a control. Implemented by the backend.
std::unique_ptr<TWidgetImpl> NewWidgetImpl(TControl* Control, TWidgetKind Kind);

// --- Calls from the backend into the layer ---------------------------------------------------------
// Each runs our code under the exception guard: whatever a handler throws goes to
// Application->HandleException and never back into the backend.

// Runs f; an exception goes to Application->HandleException. Returns false when one did.
bool GuardedCall(const std::function<void()>& f);

struct TKeyInput {
  Word VirtualKey = 0;
  TShiftState Shift;      // the modifiers at the time of the key
  String Chars;           // the characters the key types (WM_CHAR each), possibly empty
  bool Keypad = false;    // the key is on the numeric keypad
  bool Extended = false;  // an extended key (arrows and the navigation block)
  bool AutoRepeat = false;
};
// A key press on Control: CN_KEYDOWN with the dialog-key chain, then WM_KEYDOWN (WM_SYSKEYDOWN
// with Alt), then CN_CHAR / WM_CHAR for each character.
void InputKeyDown(TWinControl* Control, const TKeyInput& Key);
// A key release: CN_KEYUP then WM_KEYUP (WM_SYSKEYUP with Alt).
void InputKeyUp(TWinControl* Control, const TKeyInput& Key);
// A mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN ... WM_MBUTTONDBLCLK) at a client point of Control,
// with MK_* keys; routed to the capture control when one is set.
void InputMouse(TControl* Control, UINT Msg, TPoint ClientPos, Word Keys);
// A wheel turn over Control: WM_MOUSEWHEEL to the focused control of the form (or Control), then up
// the parents until one handles it. Delta in 120ths of a notch; ScreenPos the mouse position.
void InputWheel(TControl* Control, Integer Delta, TPoint ScreenPos, Word Keys);
// The focus moved from Lost to Gained (either may be nullptr): WM_KILLFOCUS, WM_SETFOCUS naming the
// other window, and the form's CM_EXIT / CM_ENTER chain.
void InputFocusChange(TWinControl* Lost, TWinControl* Gained);
void InputMouseEnter(TControl* Control);
void InputMouseLeave(TControl* Control);
// The widget got a new size from the window system (a form resized by the user).
void InputResized(TControl* Control, Integer Width, Integer Height);
// The user asks to close a top-level window (the close box).
void InputCloseRequest(TCustomForm* Form);
// A stock widget changed by the user or by code: the layer sends the notification code as
// WM_COMMAND to the parent (EN_CHANGE, CBN_SELCHANGE, LBN_SELCHANGE, LBN_DBLCLK...).
void InputNotify(TWinControl* Control, Word Code);
// A link of a link label was activated.
void InputLinkActivated(TWinControl* Control, const String& Link);
// The window's activation changed (top-level windows). Other: the window that takes the
// activation from Form (Active false), nullptr when not known or none of ours.
void InputActivated(TCustomForm* Form, bool Active, TCustomForm* Other = nullptr);
// The window system moved a top-level window: Left and Top of its outer frame.
void InputMoved(TCustomForm* Form, Integer Left, Integer Top);
// The window system changed the window's state (0 normal, 1 minimised, 2 maximised).
void InputWindowState(TCustomForm* Form, Integer State);
