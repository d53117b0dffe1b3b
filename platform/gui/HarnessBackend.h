// The backend calls of the test harness (platform/qt/QtHarness.cpp): window-system events sent
// to a control's widget, and grabs. Qt-free.
#pragma once

#include <vector>

#include "platform/gui/Controls.h"

namespace HarnessBackend {

// Key press (Down) or release of a Qt-level key with modifiers and text.
void SendKey(TControl* Control, Word VirtualKey, TShiftState Shift, const String& Text, bool Keypad, bool Down);
// Kind: 0 move, 1 press, 2 release, 3 double click. Button: mbLeft, mbRight, mbMiddle.
void SendMouse(TControl* Control, Integer Kind, TMouseButton Button, TPoint P, TShiftState Shift,
               Word ButtonsDown);
void SendWheel(TControl* Control, Integer Delta, TPoint P, TShiftState Shift);
void SendEnterLeave(TControl* Control, bool Enter);
std::vector<Byte> GrabPngBytes(TControl* Control);
// A pixel as the window system composes the window (0xAARRGGBB, straight alpha).
Cardinal ComposedPixel(TControl* Control, Integer X, Integer Y);
// Real milliseconds (for WaitUntil's bound).
Int64 Milliseconds();

}  // namespace HarnessBackend
