// The test harness of the GUI layer (Qt-free): scripted modal forms, message boxes, file dialogs
// and popup menus; input through the window system or at message level; event processing with a
// bound; screen grabs; the fake clock. The GUI test main installs it in strict mode: a modal form,
// message box, file dialog or popup menu that no expectation announced fails the test at once and
// is answered with Cancel, so nothing ever waits for a user.
#pragma once

#include <functional>
#include <optional>
#include <optional>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/DragDrop.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"

namespace TestHarness {

using TFailureReporter = std::function<void(const String& Message)>;
// Installs the scripted dialog service, the modal runner and the popup runner.
void Install(TFailureReporter Reporter);
void Uninstall();
bool Installed();
// Forgets pending expectations and the logs (the test main does it before each test).
void Reset();

// --- Expectations, met in the order they were stated ---------------------------------------------

// A modal form whose class name or caption is Name; Script runs while it is shown and active and
// must leave a ModalResult (or close it). A script may open further modal forms and boxes.
void ExpectModal(const String& Name, std::function<void(TCustomForm& Form)> Script);
// A modal form answered at once with Result.
void ExpectModal(const String& Name, TModalResult Result);
// A message box with exactly this text and type, answered with Answer.
void ExpectMessage(const String& Text, TMsgDlgType Type, TModalResult Answer = mrOk);
// A message box whose text contains Part.
void ExpectMessageContaining(const String& Part, TMsgDlgType Type, TModalResult Answer = mrOk);
// A file dialog (Save or open) answered with FileName; an empty name cancels it.
void ExpectFileDialog(bool Save, const String& FileName);
// The folder picker answered with Directory; an empty one cancels it.
void ExpectSelectDirectory(const String& Directory);
// A popup menu; Choose picks the item (nullptr closes the menu without a choice).
void ExpectPopupMenu(std::function<TMenuItem*(TPopupMenu& Menu)> Choose);

// Reports every expectation still pending and forgets them; true when none was.
bool Verify();
Integer PendingExpectations();
// Every message box shown since the last Reset, in order.
const std::vector<TMessageBoxRequest>& ShownMessages();
// Every file dialog shown since the last Reset, in order (with what the program asked for).
const std::vector<TFileDialogRequest>& ShownFileDialogs();

// --- Input through the window system (the backend's full translation) ----------------------------

// A left click at P (client coordinates; the centre when omitted).
void Click(TControl* Control);
void Click(TControl* Control, TPoint P, TShiftState Shift = TShiftState());
// Press, release, double click, release, as the window system sends them.
void DoubleClick(TControl* Control, TPoint P);
void MouseDown(TControl* Control, TMouseButton Button, TPoint P, TShiftState Shift = TShiftState());
void MouseMove(TControl* Control, TPoint P, TShiftState Shift = TShiftState());
void MouseUp(TControl* Control, TMouseButton Button, TPoint P, TShiftState Shift = TShiftState());
void MouseEnter(TControl* Control);
void MouseLeave(TControl* Control);
// The window system's pointer, moved as a user moves the mouse: to screen point P over the
// topmost window there, also one that asks the window system to let the mouse through (an X
// server gives a window that lies under the pointer the pointer all the same). The widgets it
// leaves hear Leave, those it comes onto Enter, and the one under it the move; GetCursorPos reads
// P. From then on until Reset, a window shown or hidden under the resting pointer sends Leave and
// Enter again, as the window system does, whenever events are handled or the fake clock moves.
void MovePointer(TPoint P, TShiftState Shift = TShiftState());
// The same to client point P of Control.
void MovePointer(TControl* Control, TPoint P, TShiftState Shift = TShiftState());
// A wheel turn of Delta (120 per notch, positive away from the user) at client point P.
void Wheel(TControl* Control, Integer Delta, TPoint P, TShiftState Shift = TShiftState());
// Press and release of a key on Control. Text: the characters the key types; by default those of
// the key (letters lower case unless Shift, digits, blank, the control characters).
void Key(TWinControl* Control, Word VirtualKey, TShiftState Shift = TShiftState(), bool Keypad = false);
void KeyWithText(TWinControl* Control, Word VirtualKey, TShiftState Shift, const String& Text,
                 bool Keypad = false);
// Types each character as its own key press and release.
void TypeText(TWinControl* Control, const String& Text);

// Drag and drop with another program, as MIME data (type, bytes) the way the window system carries
// it. DropFromOtherProgram drags Parts over Control to client point P and drops them there (Drop
// false: the drag leaves again); the answer is the effect the control took or showed.
using TMimeParts = std::vector<std::pair<String, std::string>>;
DWORD DropFromOtherProgram(TControl* Control, TPoint P, const TMimeParts& Parts,
                           DWORD Allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE, TShiftState Shift = TShiftState(),
                           bool Drop = true);
// Each drag the program starts goes to another program that Receiver plays: it gets the MIME data
// and answers the effect of its drop. nullptr (and Reset) give the drags back to the window system.
void ReceiveDragsAs(std::function<DWORD(const TMimeParts& Parts, DWORD OkEffects)> Receiver);

// --- Input at message level (the layer's translation only, no window-system events) ---------------

// The classic key sequence: CN_KEYDOWN (dialog keys), WM_KEYDOWN, CN_CHAR/WM_CHAR per character,
// then CN_KEYUP/WM_KEYUP.
void SendKeyStroke(TWinControl* Control, Word VirtualKey, TShiftState Shift, const String& Chars,
                   bool Keypad = false);
// One mouse message at a client point with MK_* keys.
void SendMouse(TControl* Control, UINT Msg, TPoint P, Word Keys = 0);

// --- Events and time ---------------------------------------------------------------------------------

// Handles the events that are waiting (posted messages included).
void ProcessEvents();
// How many messages Msg posted to Wnd wait for the event loop.
Integer PendingPosted(HWND Wnd, UINT Msg);
// Processes events until Condition holds or TimeoutMs of real time passed; true when it held.
bool WaitUntil(const std::function<bool()>& Condition, Integer TimeoutMs = 5000);
// Shows a form, makes it the active window and processes the events that follow.
void ShowForm(TCustomForm* Form);
// The fake clock: timers fire only from AdvanceClock, in due order; GetTickCount reads it.
void UseFakeClock(bool On);
void AdvanceClock(Cardinal Ms);

// --- The screen --------------------------------------------------------------------------------------

// Displays that stand in for the window system's (bounds and work area in desktop coordinates,
// one of them primary) until Reset or an empty list; Screen's monitors and its primary geometry
// then report these.
void SetMonitors(const std::vector<TMonitorInfo>& Monitors);
// Whether the display blends translucent windows (nullopt, and Reset: the display's own answer).
void SetDisplayComposites(std::optional<bool> Composites);

// How the window system is asked to show a top-level control's window.
struct TWindowLook {
  bool StaysOnTop = false;    // above every window that does not stay on top
  bool ToolWindow = false;    // a window of its owner, no task bar entry of its own
  TControl* Owner = nullptr;  // the window it belongs to
  bool Shadow = false;        // its drop shadow shows
};
TWindowLook WindowLook(TControl* Window);
// One pixel of the window's drop shadow, at X, Y from the window's top-left corner (the shadow
// lies right of and below the window), with straight alpha as PixelARGB gives it; 0 where no
// shadow shows.
Cardinal ShadowPixelARGB(TControl* Window, Integer X, Integer Y);

// The control and its children as they show, as a PNG file or its bytes.
bool GrabPng(TControl* Control, const String& FileName);
std::vector<Byte> GrabPngBytes(TControl* Control);
// One pixel of the grab (0x00BBGGRR), clNone outside.
TColor Pixel(TControl* Control, Integer X, Integer Y);
// One pixel of a control as the window system composes its window: 0xAARRGGBB with straight
// alpha, after the window's shape, its own translucency and its opacity; 0 outside the control.
Cardinal PixelARGB(TControl* Control, Integer X, Integer Y);

}  // namespace TestHarness
