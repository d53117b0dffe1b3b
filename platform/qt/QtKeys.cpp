#include "platform/qt/QtKeys.h"

#include <Qt>

namespace QtKeys {

Word VirtualKeyOf(int k, bool Keypad) {
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<Word>('A' + (k - Qt::Key_A));
  if (k >= Qt::Key_0 && k <= Qt::Key_9) {
    if (Keypad) return static_cast<Word>(VK_NUMPAD0 + (k - Qt::Key_0));
    return static_cast<Word>('0' + (k - Qt::Key_0));
  }
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return static_cast<Word>(VK_F1 + (k - Qt::Key_F1));
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Asterisk: return Keypad ? VK_MULTIPLY : static_cast<Word>('8');
    case Qt::Key_Plus: return Keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus: return Keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Period: return Keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Slash: return Keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Comma: return Keypad ? VK_DECIMAL : VK_OEM_COMMA;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    default: return 0;
  }
}

int QtKeyOf(Word vk) {
  if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
  if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + (vk - VK_NUMPAD0);
  if (vk >= VK_F1 && vk <= VK_F1 + 23) return Qt::Key_F1 + (vk - VK_F1);
  switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_PAUSE: return Qt::Key_Pause;
    case VK_CAPITAL: return Qt::Key_CapsLock;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_SNAPSHOT: return Qt::Key_Print;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_HELP: return Qt::Key_Help;
    case VK_APPS: return Qt::Key_Menu;
    case VK_MULTIPLY: return Qt::Key_Asterisk;
    case VK_ADD: return Qt::Key_Plus;
    case VK_SUBTRACT: return Qt::Key_Minus;
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_DIVIDE: return Qt::Key_Slash;
    case VK_OEM_PLUS: return Qt::Key_Equal;
    case VK_OEM_MINUS: return Qt::Key_Minus;
    case VK_OEM_PERIOD: return Qt::Key_Period;
    case VK_OEM_COMMA: return Qt::Key_Comma;
    case VK_OEM_1: return Qt::Key_Semicolon;
    case VK_OEM_2: return Qt::Key_Slash;
    case VK_OEM_3: return Qt::Key_QuoteLeft;
    case VK_OEM_4: return Qt::Key_BracketLeft;
    case VK_OEM_5: return Qt::Key_Backslash;
    case VK_OEM_6: return Qt::Key_BracketRight;
    case VK_OEM_7: return Qt::Key_Apostrophe;
    default: return 0;
  }
}

bool IsExtendedKey(Word vk) {
  switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
      return true;
    default:
      return false;
  }
}

String CharsOf(Word vk, TShiftState Shift, const String& QtText) {
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool alt = Shift.Contains(ssAlt);
  switch (vk) {
    case VK_BACK: return ctrl ? String(1, Char(127)) : String(1, Char(8));
    case VK_TAB: return ctrl ? String() : String(1, Char(9));
    case VK_RETURN: return ctrl ? String(1, Char(10)) : String(1, Char(13));
    case VK_ESCAPE: return String(1, Char(27));
    default: break;
  }
  if (ctrl && !alt) {
    if (vk >= 'A' && vk <= 'Z') return String(1, static_cast<Char>(vk - 'A' + 1));
    return String();
  }
  String out;
  for (Char c : QtText)
    if (c >= 32 && c != 127) out += c;
  return out;
}

TShiftState ShiftOf(unsigned m) {
  Word s = 0;
  if (m & Qt::ShiftModifier) s |= ssShift;
  if (m & Qt::ControlModifier) s |= ssCtrl;
  if (m & Qt::AltModifier) s |= ssAlt;
  return TShiftState(s);
}

unsigned ModifiersOf(TShiftState s) {
  unsigned m = 0;
  if (s.Contains(ssShift)) m |= Qt::ShiftModifier;
  if (s.Contains(ssCtrl)) m |= Qt::ControlModifier;
  if (s.Contains(ssAlt)) m |= Qt::AltModifier;
  return m;
}

}  // namespace QtKeys
