// Shared helpers of the GUI layer's own sources (not for use outside platform/gui and
// platform/qt).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"

namespace GuiInternal {

// A link of a link label was activated: LParam points at the link's String.
constexpr UINT CM_LINKCLICK = CM_BASE + 100;


// The handle registry.
HWND AllocateHandle(TWinControl* Control);
void ReleaseHandle(HWND Handle);

// Posted messages not yet delivered to a window.
Integer PendingPosted(HWND Wnd, UINT Msg);

// Timers.
uint64_t StartCallbackTimer(Cardinal IntervalMs, std::function<void()> Tick);
void StopCallbackTimer(uint64_t Key);
void KillTimersOf(HWND Wnd);
void SetFakeClock(bool On);
void AdvanceFakeClock(Cardinal Ms);

// The displays: those a test set (SetFakeMonitors; none: the window system's), and the primary
// one among them.
void SetFakeMonitors(std::vector<TMonitorInfo> Monitors);
std::vector<TMonitorInfo> MonitorInfos();
TMonitorInfo PrimaryMonitorInfo();

// The modal runner installed by the harness (empty when none).
const TModalRunner& ModalRunner();

// Forgets a control that is going away (capture, hint, mouse-over, focus bookkeeping).
void ControlGone(TControl* Control);

// A window that hides takes the mouse away from its controls without a leave from the window
// system: the control under the mouse, when it is Window or lies in it, is told that the mouse
// left (Controls.cpp).
void MouseLeaveWithin(TWinControl* Window);

// The caption's move of a form (SC_MOVE): the window system moves it when it can; otherwise the
// mouse moves it until the left button is released (Controls.cpp).
void BeginSystemMove(TCustomForm* Form);
bool SystemMoveActive();

// Shows a control's popup menu at a screen point (Menus.cpp).
void PopupMenuAt(TPopupMenu* Menu, TPoint ScreenPos, TControl* Control);

}  // namespace GuiInternal
