// Small fixtures shared by the GUI layer's tests.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"

// Names of the messages the tests look at.
inline std::string MsgName(UINT m) {
  switch (m) {
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_SYSCHAR: return "WM_SYSCHAR";
    case CN_KEYDOWN: return "CN_KEYDOWN";
    case CN_KEYUP: return "CN_KEYUP";
    case CN_CHAR: return "CN_CHAR";
    case CN_SYSKEYDOWN: return "CN_SYSKEYDOWN";
    case CN_SYSCHAR: return "CN_SYSCHAR";
    case CN_SYSKEYUP: return "CN_SYSKEYUP";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_MOUSEWHEEL: return "WM_MOUSEWHEEL";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_TIMER: return "WM_TIMER";
    case CM_MOUSEENTER: return "CM_MOUSEENTER";
    case CM_MOUSELEAVE: return "CM_MOUSELEAVE";
    case CM_ENTER: return "CM_ENTER";
    case CM_EXIT: return "CM_EXIT";
    default: {
      char b[16];
      std::snprintf(b, sizeof b, "0x%04X", m);
      return b;
    }
  }
}

// A self-painting control that records the messages it receives: "<name> <wparam> <lparam hex>".
class TRecorder : public TCustomControl {
 public:
  explicit TRecorder(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  String ClassName() const override { return u"TRecorder"; }
  std::vector<std::string> Log;
  std::vector<UINT> Watch;  // messages to log; empty = the input messages
  Integer DlgCode = 0;      // the answer to WM_GETDLGCODE

  void WndProc(TMessage& m) override {
    if (Wanted(m.Msg)) {
      char b[64];
      std::snprintf(b, sizeof b, " %llu %08llX", static_cast<unsigned long long>(m.WParam),
                    static_cast<unsigned long long>(static_cast<uint32_t>(m.LParam)));
      Log.push_back(MsgName(m.Msg) + b);
    }
    if (m.Msg == WM_GETDLGCODE) {
      m.Result = DlgCode;
      return;
    }
    TCustomControl::WndProc(m);
  }

 private:
  bool Wanted(UINT msg) const {
    if (!Watch.empty()) {
      for (UINT w : Watch)
        if (w == msg) return true;
      return false;
    }
    switch (msg) {
      case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
      case WM_SYSCHAR: case CN_KEYDOWN: case CN_KEYUP: case CN_CHAR: case WM_LBUTTONDOWN:
      case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
      case WM_MOUSEWHEEL: case WM_SETFOCUS: case WM_KILLFOCUS: case WM_TIMER:
        return true;
      default:
        return false;
    }
  }
};

// A plain form for tests, freed at the end of the scope.
class TTestForm : public TForm {
 public:
  TTestForm() : TForm(Application) {
    SetCaption(u"Test form");
    SetBounds(10, 10, 400, 300);
    AfterConstruction();
  }
  String ClassName() const override { return u"TTestForm"; }
};

struct FormHolder {
  TTestForm* Form = new TTestForm;
  ~FormHolder() { TComponent::Free(Form); }
  TTestForm* operator->() { return Form; }
};
