// Window messages: the message record with its typed views, the numeric message ids, key codes and
// flags, and the calls that send, post and time messages to windows by handle.
#pragma once

#include <cstdint>

#include "platform/rtl/System.h"
#include "platform/os/Clock.h"

// A window handle is an integer from the handle registry; 0 is no window. A handle is never reused
// within a run, so a message to a window that is gone reaches nobody.
using HWND = intptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT = uint32_t;

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  Word WParamLo() const { return static_cast<Word>(WParam & 0xFFFF); }
  Word WParamHi() const { return static_cast<Word>((WParam >> 16) & 0xFFFF); }
  Word LParamLo() const { return static_cast<Word>(LParam & 0xFFFF); }
  Word LParamHi() const { return static_cast<Word>((static_cast<uintptr_t>(LParam) >> 16) & 0xFFFF); }
};

inline LPARAM MakeLParam(Integer lo, Integer hi) {
  return static_cast<LPARAM>(static_cast<uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
inline WPARAM MakeWParam(Integer lo, Integer hi) {
  return static_cast<WPARAM>(static_cast<uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
inline int16_t SmallIntLo(uintptr_t v) { return static_cast<int16_t>(v & 0xFFFF); }
inline int16_t SmallIntHi(uintptr_t v) { return static_cast<int16_t>((v >> 16) & 0xFFFF); }

// Typed views of a TMessage. Each reads and writes the fields of the record it views.
struct TWMKey {
  TMessage& M;
  Word CharCode() const { return static_cast<Word>(M.WParam & 0xFFFF); }
  void SetCharCode(Word c) { M.WParam = c; }
  Integer RepeatCount() const { return static_cast<Integer>(M.LParam & 0xFFFF); }
  Integer ScanCode() const { return static_cast<Integer>((M.LParam >> 16) & 0xFF); }
  bool Extended() const { return (M.LParam & (1 << 24)) != 0; }
  bool Keypad() const { return (M.LParam & (1 << 22)) != 0; }
  Integer KeyData() const { return static_cast<Integer>(M.LParam); }
  LRESULT& Result() { return M.Result; }
};
using TWMChar = TWMKey;
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;

struct TWMMouse {
  TMessage& M;
  Integer Keys() const { return static_cast<Integer>(M.WParam); }
  Integer XPos() const { return SmallIntLo(static_cast<uintptr_t>(M.LParam)); }
  Integer YPos() const { return SmallIntHi(static_cast<uintptr_t>(M.LParam)); }
  LRESULT& Result() { return M.Result; }
};

struct TWMMouseWheel {
  TMessage& M;
  Integer Keys() const { return static_cast<Integer>(M.WParam & 0xFFFF); }
  Integer WheelDelta() const { return SmallIntHi(M.WParam); }
  // Screen coordinates.
  Integer XPos() const { return SmallIntLo(static_cast<uintptr_t>(M.LParam)); }
  Integer YPos() const { return SmallIntHi(static_cast<uintptr_t>(M.LParam)); }
  LRESULT& Result() { return M.Result; }
};

struct TWMCommand {
  TMessage& M;
  Word ItemID() const { return M.WParamLo(); }
  Word NotifyCode() const { return M.WParamHi(); }
  HWND Ctl() const { return static_cast<HWND>(M.LParam); }
  LRESULT& Result() { return M.Result; }
};

// The header every WM_NOTIFY record starts with.
struct NMHDR {
  HWND hwndFrom = 0;
  uintptr_t idFrom = 0;
  UINT code = 0;
};

struct TWMNotify {
  TMessage& M;
  Integer IDCtrl() const { return static_cast<Integer>(M.WParam); }
  // The notification record; its layout belongs to the sender.
  void* NMHdr() const { return reinterpret_cast<void*>(M.LParam); }
  LRESULT& Result() { return M.Result; }
};

struct TWMScroll {
  TMessage& M;
  Integer ScrollCode() const { return static_cast<Integer>(M.WParamLo()); }
  Integer Pos() const { return SmallIntHi(M.WParam); }
  HWND ScrollBar() const { return static_cast<HWND>(M.LParam); }
  LRESULT& Result() { return M.Result; }
};
using TWMVScroll = TWMScroll;
using TWMHScroll = TWMScroll;

// WM_SETFOCUS: FocusedWnd is the window that lost the focus. WM_KILLFOCUS: the one that gains it.
struct TWMSetFocus {
  TMessage& M;
  HWND FocusedWnd() const { return static_cast<HWND>(M.WParam); }
  LRESULT& Result() { return M.Result; }
};
using TWMKillFocus = TWMSetFocus;

struct TWMTimer {
  TMessage& M;
  Integer TimerID() const { return static_cast<Integer>(M.WParam); }
  LRESULT& Result() { return M.Result; }
};

struct TWMGetDlgCode {
  TMessage& M;
  // The key message that asks, or nullptr when the question is general.
  TMessage* KeyMsg() const { return reinterpret_cast<TMessage*>(M.LParam); }
  LRESULT& Result() { return M.Result; }
};

struct TWMSize {
  TMessage& M;
  Integer SizeType() const { return static_cast<Integer>(M.WParam); }
  Integer Width() const { return M.LParamLo(); }
  Integer Height() const { return M.LParamHi(); }
};

struct TWMNCPaint {
  TMessage& M;
  LRESULT& Result() { return M.Result; }
};

// --- Window messages -----------------------------------------------------------------------------
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
// WParam of WM_ACTIVATE.
constexpr WPARAM WA_INACTIVE = 0;
constexpr WPARAM WA_ACTIVE = 1;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_CANCELMODE = 0x001F;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_MOUSEACTIVATE = 0x0021;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT WM_MEASUREITEM = 0x002C;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_GETFONT = 0x0031;
constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_HELP = 0x0053;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_NCCALCSIZE = 0x0083;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_NCPAINT = 0x0085;
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_KEYFIRST = 0x0100;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_DEADCHAR = 0x0103;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_KEYLAST = 0x0108;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
constexpr UINT WM_MENUSELECT = 0x011F;
constexpr UINT WM_CTLCOLOREDIT = 0x0133;
constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
constexpr UINT WM_CTLCOLORBTN = 0x0135;
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
constexpr UINT WM_MOUSEFIRST = 0x0200;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_MOUSEHWHEEL = 0x020E;
constexpr UINT WM_MOUSELAST = 0x020E;
constexpr UINT WM_PARENTNOTIFY = 0x0210;
constexpr UINT WM_ENTERMENULOOP = 0x0211;
constexpr UINT WM_EXITMENULOOP = 0x0212;
constexpr UINT WM_SIZING = 0x0214;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_MOVING = 0x0216;
constexpr UINT WM_MOUSEHOVER = 0x02A1;
constexpr UINT WM_MOUSELEAVE = 0x02A3;
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_UNDO = 0x0304;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// System commands (WM_SYSCOMMAND WParam; the low four bits carry extra information, such as the
// hit-test code HTCAPTION of a move that the caption started) and the caption's hit-test code.
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_DRAGMOVE = SC_MOVE | 2;  // a move started by the caption, as its drag
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_RESTORE = 0xF120;
constexpr Integer HTNOWHERE = 0;
constexpr Integer HTCAPTION = 2;
constexpr Integer HTBOTTOMRIGHT = 17;

// --- Control messages of the class library -------------------------------------------------------
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
constexpr UINT CM_RELEASE = CM_BASE + 33;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr UINT CM_WININICHANGE = CM_BASE + 37;
constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr UINT CM_GETDATALINK = CM_BASE + 45;
constexpr UINT CM_CHILDKEY = CM_BASE + 46;
constexpr UINT CM_DRAG = CM_BASE + 47;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;
constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_INVALIDATE = CM_BASE + 52;
constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;
constexpr UINT CM_CHANGED = CM_BASE + 55;
constexpr UINT CM_DOCKCLIENT = CM_BASE + 56;
constexpr UINT CM_UNDOCKCLIENT = CM_BASE + 57;
constexpr UINT CM_FLOAT = CM_BASE + 58;
constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;
constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;

// --- Notifications reflected back to the child that sent them -------------------------------------
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSKEYUP = CN_BASE + WM_SYSKEYUP;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

// --- Edit control messages and notifications ------------------------------------------------------
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_GETRECT = 0x00B2;
constexpr UINT EM_SETRECT = 0x00B3;
constexpr UINT EM_SETRECTNP = 0x00B4;
constexpr UINT EM_SCROLL = 0x00B5;
constexpr UINT EM_LINESCROLL = 0x00B6;
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_LINEINDEX = 0x00BB;
constexpr UINT EM_LINELENGTH = 0x00C1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_GETLINE = 0x00C4;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_LINEFROMCHAR = 0x00C9;
constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_SETMARGINS = 0x00D3;
constexpr UINT EM_POSFROMCHAR = 0x00D6;
constexpr UINT EM_CHARFROMPOS = 0x00D7;

constexpr Word EN_SETFOCUS = 0x0100;
constexpr Word EN_KILLFOCUS = 0x0200;
constexpr Word EN_CHANGE = 0x0300;
constexpr Word EN_UPDATE = 0x0400;
constexpr Word EN_MAXTEXT = 0x0501;

// --- Combo box, list box and button notifications and messages ------------------------------------
constexpr Word CBN_SELCHANGE = 1;
constexpr Word CBN_DBLCLK = 2;
constexpr Word CBN_SETFOCUS = 3;
constexpr Word CBN_KILLFOCUS = 4;
constexpr Word CBN_EDITCHANGE = 5;
constexpr Word CBN_EDITUPDATE = 6;
constexpr Word CBN_DROPDOWN = 7;
constexpr Word CBN_CLOSEUP = 8;
constexpr Word CBN_SELENDOK = 9;
constexpr Word CBN_SELENDCANCEL = 10;

constexpr UINT CB_GETEDITSEL = 0x0140;
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_SETEDITSEL = 0x0142;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;

constexpr Word LBN_SELCHANGE = 1;
constexpr Word LBN_DBLCLK = 2;
constexpr Word BN_CLICKED = 0;

// --- Scroll bar codes ------------------------------------------------------------------------------
constexpr Integer SB_HORZ = 0;
constexpr Integer SB_VERT = 1;
constexpr Integer SB_CTL = 2;
constexpr Integer SB_BOTH = 3;
constexpr Integer SB_LINEUP = 0;
constexpr Integer SB_LINELEFT = 0;
constexpr Integer SB_LINEDOWN = 1;
constexpr Integer SB_LINERIGHT = 1;
constexpr Integer SB_PAGEUP = 2;
constexpr Integer SB_PAGELEFT = 2;
constexpr Integer SB_PAGEDOWN = 3;
constexpr Integer SB_PAGERIGHT = 3;
constexpr Integer SB_THUMBPOSITION = 4;
constexpr Integer SB_THUMBTRACK = 5;
constexpr Integer SB_TOP = 6;
constexpr Integer SB_LEFT = 6;
constexpr Integer SB_BOTTOM = 7;
constexpr Integer SB_RIGHT = 7;
constexpr Integer SB_ENDSCROLL = 8;

// --- Mouse key flags (WParam of mouse messages) ---------------------------------------------------
constexpr Integer MK_LBUTTON = 0x0001;
constexpr Integer MK_RBUTTON = 0x0002;
constexpr Integer MK_SHIFT = 0x0004;
constexpr Integer MK_CONTROL = 0x0008;
constexpr Integer MK_MBUTTON = 0x0010;
constexpr Integer WHEEL_DELTA = 120;

// --- Dialog codes (answer of WM_GETDLGCODE) -------------------------------------------------------
constexpr Integer DLGC_WANTARROWS = 0x0001;
constexpr Integer DLGC_WANTTAB = 0x0002;
constexpr Integer DLGC_WANTALLKEYS = 0x0004;
constexpr Integer DLGC_WANTMESSAGE = 0x0004;
constexpr Integer DLGC_HASSETSEL = 0x0008;
constexpr Integer DLGC_DEFPUSHBUTTON = 0x0010;
constexpr Integer DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr Integer DLGC_RADIOBUTTON = 0x0040;
constexpr Integer DLGC_WANTCHARS = 0x0080;
constexpr Integer DLGC_STATIC = 0x0100;
constexpr Integer DLGC_BUTTON = 0x2000;

// --- Virtual-key codes ----------------------------------------------------------------------------
constexpr Word VK_LBUTTON = 0x01;
constexpr Word VK_RBUTTON = 0x02;
constexpr Word VK_CANCEL = 0x03;
constexpr Word VK_MBUTTON = 0x04;
constexpr Word VK_BACK = 0x08;
constexpr Word VK_TAB = 0x09;
constexpr Word VK_CLEAR = 0x0C;
constexpr Word VK_RETURN = 0x0D;
constexpr Word VK_SHIFT = 0x10;
constexpr Word VK_CONTROL = 0x11;
constexpr Word VK_MENU = 0x12;
constexpr Word VK_PAUSE = 0x13;
constexpr Word VK_CAPITAL = 0x14;
constexpr Word VK_ESCAPE = 0x1B;
constexpr Word VK_SPACE = 0x20;
constexpr Word VK_PRIOR = 0x21;
constexpr Word VK_NEXT = 0x22;
constexpr Word VK_END = 0x23;
constexpr Word VK_HOME = 0x24;
constexpr Word VK_LEFT = 0x25;
constexpr Word VK_UP = 0x26;
constexpr Word VK_RIGHT = 0x27;
constexpr Word VK_DOWN = 0x28;
constexpr Word VK_SELECT = 0x29;
constexpr Word VK_PRINT = 0x2A;
constexpr Word VK_EXECUTE = 0x2B;
constexpr Word VK_SNAPSHOT = 0x2C;
constexpr Word VK_INSERT = 0x2D;
constexpr Word VK_DELETE = 0x2E;
constexpr Word VK_HELP = 0x2F;
constexpr Word VK_LWIN = 0x5B;
constexpr Word VK_RWIN = 0x5C;
constexpr Word VK_APPS = 0x5D;
constexpr Word VK_NUMPAD0 = 0x60;
constexpr Word VK_NUMPAD1 = 0x61;
constexpr Word VK_NUMPAD2 = 0x62;
constexpr Word VK_NUMPAD3 = 0x63;
constexpr Word VK_NUMPAD4 = 0x64;
constexpr Word VK_NUMPAD5 = 0x65;
constexpr Word VK_NUMPAD6 = 0x66;
constexpr Word VK_NUMPAD7 = 0x67;
constexpr Word VK_NUMPAD8 = 0x68;
constexpr Word VK_NUMPAD9 = 0x69;
constexpr Word VK_MULTIPLY = 0x6A;
constexpr Word VK_ADD = 0x6B;
constexpr Word VK_SEPARATOR = 0x6C;
constexpr Word VK_SUBTRACT = 0x6D;
constexpr Word VK_DECIMAL = 0x6E;
constexpr Word VK_DIVIDE = 0x6F;
constexpr Word VK_F1 = 0x70;
constexpr Word VK_F2 = 0x71;
constexpr Word VK_F3 = 0x72;
constexpr Word VK_F4 = 0x73;
constexpr Word VK_F5 = 0x74;
constexpr Word VK_F6 = 0x75;
constexpr Word VK_F7 = 0x76;
constexpr Word VK_F8 = 0x77;
constexpr Word VK_F9 = 0x78;
constexpr Word VK_F10 = 0x79;
constexpr Word VK_F11 = 0x7A;
constexpr Word VK_F12 = 0x7B;
constexpr Word VK_NUMLOCK = 0x90;
constexpr Word VK_SCROLL = 0x91;
constexpr Word VK_LSHIFT = 0xA0;
constexpr Word VK_RSHIFT = 0xA1;
constexpr Word VK_LCONTROL = 0xA2;
constexpr Word VK_RCONTROL = 0xA3;
constexpr Word VK_LMENU = 0xA4;
constexpr Word VK_RMENU = 0xA5;
constexpr Word VK_OEM_1 = 0xBA;
constexpr Word VK_OEM_PLUS = 0xBB;
constexpr Word VK_OEM_COMMA = 0xBC;
constexpr Word VK_OEM_MINUS = 0xBD;
constexpr Word VK_OEM_PERIOD = 0xBE;
constexpr Word VK_OEM_2 = 0xBF;
constexpr Word VK_OEM_3 = 0xC0;
constexpr Word VK_OEM_4 = 0xDB;
constexpr Word VK_OEM_5 = 0xDC;
constexpr Word VK_OEM_6 = 0xDD;
constexpr Word VK_OEM_7 = 0xDE;

// Key message LParam bits.
constexpr LPARAM KF_KEYPAD = 1 << 22;     // the key is on the numeric keypad (scan code 0x47..0x53)
constexpr LPARAM KF_EXTENDED = 1 << 24;   // an extended key (arrows, Home, Insert... off the keypad)
constexpr LPARAM KF_ALTDOWN = 1 << 29;    // the context code: Alt is down
constexpr LPARAM KF_REPEAT = 1 << 30;     // the key was down before
constexpr LPARAM KF_UP = static_cast<LPARAM>(1u << 31);  // the key is being released

// --- Sending, posting, registered messages and window timers --------------------------------------
// All of these run on the GUI thread; PostMessage may be called from any thread.

// Delivers the message at once to the window's WndProc and returns its Result; 0 for a window that
// is gone or was never there.
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues the message; queued messages are delivered in the order they were posted, when the GUI
// thread processes its events. A message to a window that is gone by then is dropped. Returns false
// only for handle 0.
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The same name always gives the same id, from 0xC000 up.
UINT RegisterWindowMessage(const String& name);
// Starts (or restarts) the window timer id of the window: every elapse interval ms the window gets
// WM_TIMER with WParam = id. Returns id, 0 for a window that does not exist.
uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT elapseMs);
// Stops the window timer; false when it was not running.
bool KillTimer(HWND wnd, uintptr_t id);
// True while the window exists.
bool IsWindow(HWND wnd);
// True while the window timer runs (test support and bookkeeping).
bool IsTimerRunning(HWND wnd, uintptr_t id);

// --- Clock -----------------------------------------------------------------------------------------
// GetTickCount (platform/os/Clock.h): milliseconds since an arbitrary start, as unsigned 32-bit
// values that wrap. Window timers and TTimer run on the same clock; tests can replace it with a fake
// one that they advance by hand (see TestHarness.h), and then timers fire only when the fake clock
// passes their due time.
Cardinal timeGetTime();
bool UsingFakeClock();
