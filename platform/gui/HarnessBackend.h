// The backend calls of the test harness (platform/qt/QtHarness.cpp): window-system events sent
// to a control's widget, and grabs. Qt-free.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/DragDrop.h"
#include "platform/gui/TestHarness.h"

namespace HarnessBackend {

// Key press (Down) or release of a Qt-level key with modifiers and text.
void SendKey(TControl* Control, Word VirtualKey, TShiftState Shift, const String& Text, bool Keypad, bool Down);
// Kind: 0 move, 1 press, 2 release, 3 double click. Button: mbLeft, mbRight, mbMiddle.
void SendMouse(TControl* Control, Integer Kind, TMouseButton Button, TPoint P, TShiftState Shift,
               Word ButtonsDown);
void SendWheel(TControl* Control, Integer Delta, TPoint P, TShiftState Shift);
void SendEnterLeave(TControl* Control, bool Enter);
// The window system's pointer (TestHarness::MovePointer): moves it to the screen point Global;
// PointerRecheck sends the Leave and Enter of a window shown or hidden under it since;
// PointerReset gives the pointer back to the window system.
void MovePointer(TPoint Global, TShiftState Shift, Word ButtonsDown);
void PointerRecheck();
void PointerReset();
// MIME data of another program dragged over Control to P: enter, move, then drop or leave; the
// events go to the widget under P that takes drops (or its nearest parent that does). Answers the
// action of the drop, or of the move when not dropped (DROPEFFECT_*).
using TMimeParts = std::vector<std::pair<String, std::string>>;
DWORD SendDrag(TControl* Control, TPoint P, const TMimeParts& Parts, DWORD Allowed, TShiftState Shift, bool Drop);
// Stands in for the window system's drag: each drag the program starts hands its MIME data to
// Receiver, whose answer is the effect of the drop. nullptr restores the window system.
void SetDragReceiver(std::function<DWORD(const TMimeParts& Parts, DWORD OkEffects)> Receiver);
std::vector<Byte> GrabPngBytes(TControl* Control);
// A pixel as the window system composes the window (0xAARRGGBB, straight alpha).
Cardinal ComposedPixel(TControl* Control, Integer X, Integer Y);
// How the window system is asked to show a top-level control's window; a pixel of its drop
// shadow from the window's top-left corner (0 where none shows).
TestHarness::TWindowLook WindowLook(TControl* Window);
Cardinal ShadowPixel(TControl* Window, Integer X, Integer Y);
// Real milliseconds (for WaitUntil's bound).
Int64 Milliseconds();

}  // namespace HarnessBackend
