// Key and mouse translation between Qt and the layer's virtual-key codes, for the backend's own
// sources. Names no Qt type: keys and modifiers travel as plain integers.
#pragma once

#include "platform/gui/Controls.h"

namespace QtKeys {

// The virtual-key code of a Qt key (Qt::Key value), 0 when there is none. Keypad tells whether the
// key came from the numeric keypad (digits and operators map to VK_NUMPAD* and friends).
Word VirtualKeyOf(int QtKey, bool Keypad);
// The Qt key for a virtual-key code.
int QtKeyOf(Word VirtualKey);
// True for the navigation block and arrows (extended keys).
bool IsExtendedKey(Word VirtualKey);
// The characters a key types: the text Qt gives, with the control characters the classic system
// produces (Ctrl+letter -> 1..26, Enter 13, Ctrl+Enter 10, Backspace 8, Tab 9, Esc 27).
String CharsOf(Word VirtualKey, TShiftState Shift, const String& QtText);
// Qt::KeyboardModifiers bits to a shift state and back.
TShiftState ShiftOf(unsigned QtModifiers);
unsigned ModifiersOf(TShiftState Shift);

}  // namespace QtKeys
