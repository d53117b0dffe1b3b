// Sending and posting messages by handle, registered messages, window timers and the clock.
#include "platform/gui/Messages.h"

#include <chrono>
#include <map>
#include <mutex>

#include "platform/gui/Controls.h"
#include "platform/gui/ControlsBackend.h"
#include "platform/gui/FormsBackend.h"
#include "platform/gui/GuiInternal.h"

// --- Handle registry -------------------------------------------------------------------------------

namespace {

std::map<HWND, TWinControl*>& Handles() {
  static std::map<HWND, TWinControl*> h;
  return h;
}
HWND gNextHandle = 0x10000;

}  // namespace

namespace GuiInternal {

HWND AllocateHandle(TWinControl* Control) {
  HWND h = gNextHandle;
  gNextHandle += 4;
  Handles()[h] = Control;
  return h;
}

void ReleaseHandle(HWND Handle) {
  Handles().erase(Handle);
  KillTimersOf(Handle);
}

}  // namespace GuiInternal

TWinControl* FindControl(HWND Handle) {
  if (!Handle) return nullptr;
  auto it = Handles().find(Handle);
  return it == Handles().end() ? nullptr : it->second;
}

bool IsWindow(HWND wnd) { return FindControl(wnd) != nullptr; }

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* c = FindControl(wnd);
  if (!c) return 0;
  TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  c->DeliverMessage(m);
  return m.Result;
}

namespace {
// Posted messages not yet delivered, by window and message (test support).
std::map<std::pair<HWND, UINT>, Integer>& Pending() {
  static std::map<std::pair<HWND, UINT>, Integer> p;
  return p;
}
std::mutex gPendingLock;
}  // namespace

namespace GuiInternal {
Integer PendingPosted(HWND Wnd, UINT Msg) {
  std::lock_guard<std::mutex> g(gPendingLock);
  auto it = Pending().find({Wnd, Msg});
  return it == Pending().end() ? 0 : it->second;
}
}  // namespace GuiInternal

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!wnd) return false;
  {
    std::lock_guard<std::mutex> g(gPendingLock);
    ++Pending()[{wnd, msg}];
  }
  FormsBackend::PostCall([wnd, msg, wParam, lParam] {
    {
      std::lock_guard<std::mutex> g(gPendingLock);
      auto it = Pending().find({wnd, msg});
      if (it != Pending().end() && --it->second <= 0) Pending().erase(it);
    }
    // The window may be gone by the time the message comes up: then nobody gets it.
    if (!FindControl(wnd)) return;
    GuardedCall([&] { SendMessage(wnd, msg, wParam, lParam); });
  });
  return true;
}

UINT RegisterWindowMessage(const String& name) {
  static std::map<String, UINT> ids;
  static UINT next = 0xC000;
  static std::mutex lock;
  std::lock_guard<std::mutex> g(lock);
  auto it = ids.find(name);
  if (it != ids.end()) return it->second;
  UINT id = next++;
  ids[name] = id;
  return id;
}

// --- Clock -----------------------------------------------------------------------------------------

namespace {

bool gFakeClock = false;
Cardinal gFakeNow = 0;

Cardinal RealTicks() {
  using namespace std::chrono;
  return static_cast<Cardinal>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

Cardinal timeGetTime() { return GetTickCount(); }
bool UsingFakeClock() { return gFakeClock; }

// --- Timers ----------------------------------------------------------------------------------------
// Every timer (window timers by handle and id, and the callback timers of TTimer) lives in one
// table. With the real clock each has a native timer; with the fake clock they fire only from
// AdvanceFakeClock, in due order.

namespace {

struct TimerEntry {
  HWND Wnd = 0;
  uintptr_t Id = 0;
  std::function<void()> Callback;  // callback timers
  Cardinal Interval = 0;
  Cardinal Due = 0;                // fake clock
  intptr_t Native = 0;
  uint64_t Serial = 0;
};

std::map<uint64_t, TimerEntry>& Timers() {
  static std::map<uint64_t, TimerEntry> t;
  return t;
}
uint64_t gNextTimerKey = 1;
uint64_t gNextSerial = 1;

void Fire(uint64_t key) {
  auto it = Timers().find(key);
  if (it == Timers().end()) return;
  if (it->second.Callback) {
    auto cb = it->second.Callback;  // the callback may kill its own timer
    GuardedCall(cb);
  } else {
    HWND w = it->second.Wnd;
    WPARAM id = it->second.Id;
    GuardedCall([&] { SendMessage(w, WM_TIMER, id, 0); });
  }
}

void Arm(uint64_t key, TimerEntry& e) {
  e.Serial = gNextSerial++;
  if (gFakeClock) {
    e.Due = gFakeNow + e.Interval;
    e.Native = 0;
  } else {
    e.Native = FormsBackend::StartTimer(e.Interval == 0 ? 1 : e.Interval, [key] { Fire(key); });
  }
}

void Disarm(TimerEntry& e) {
  if (e.Native) FormsBackend::StopTimer(e.Native);
  e.Native = 0;
}

uint64_t FindWindowTimer(HWND wnd, uintptr_t id) {
  for (auto& [k, e] : Timers())
    if (!e.Callback && e.Wnd == wnd && e.Id == id) return k;
  return 0;
}

}  // namespace

uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT elapseMs) {
  if (!FindControl(wnd)) return 0;
  uint64_t key = FindWindowTimer(wnd, id);
  if (key) {
    TimerEntry& e = Timers()[key];
    Disarm(e);
    e.Interval = elapseMs;
    Arm(key, e);
    return id;
  }
  key = gNextTimerKey++;
  TimerEntry& e = Timers()[key];
  e.Wnd = wnd;
  e.Id = id;
  e.Interval = elapseMs;
  Arm(key, e);
  return id;
}

bool KillTimer(HWND wnd, uintptr_t id) {
  uint64_t key = FindWindowTimer(wnd, id);
  if (!key) return false;
  Disarm(Timers()[key]);
  Timers().erase(key);
  return true;
}

bool IsTimerRunning(HWND wnd, uintptr_t id) { return FindWindowTimer(wnd, id) != 0; }

namespace GuiInternal {

uint64_t StartCallbackTimer(Cardinal IntervalMs, std::function<void()> Tick) {
  uint64_t key = gNextTimerKey++;
  TimerEntry& e = Timers()[key];
  e.Callback = std::move(Tick);
  e.Interval = IntervalMs;
  Arm(key, e);
  return key;
}

void StopCallbackTimer(uint64_t Key) {
  auto it = Timers().find(Key);
  if (it == Timers().end()) return;
  Disarm(it->second);
  Timers().erase(it);
}

void KillTimersOf(HWND Wnd) {
  for (auto it = Timers().begin(); it != Timers().end();) {
    if (!it->second.Callback && it->second.Wnd == Wnd) {
      Disarm(it->second);
      it = Timers().erase(it);
    } else {
      ++it;
    }
  }
}

void SetFakeClock(bool On) {
  if (On == gFakeClock) return;
  for (auto& [k, e] : Timers()) Disarm(e);
  gFakeNow = RealTicks();
  gFakeClock = On;
  // The program's clock (GetTickCount) reads the fake time while it is on.
  static TTickCountFunction previous;
  if (On) {
    previous = SetTickCountFunction([] { return static_cast<UInt64>(gFakeNow); });
  } else {
    SetTickCountFunction(previous);
    previous = nullptr;
  }
  for (auto& [k, e] : Timers()) Arm(k, e);
}

void AdvanceFakeClock(Cardinal Ms) {
  if (!gFakeClock) return;
  const Cardinal target = gFakeNow + Ms;
  for (;;) {
    // The earliest timer due at or before the target; ties go to the one armed first.
    uint64_t best = 0;
    Cardinal bestDue = 0;
    uint64_t bestSerial = 0;
    for (auto& [k, e] : Timers()) {
      Cardinal remaining = e.Due - gFakeNow;  // wrap-safe distance
      if (remaining > target - gFakeNow) continue;
      if (!best || remaining < bestDue - gFakeNow ||
          (e.Due == bestDue && e.Serial < bestSerial)) {
        best = k;
        bestDue = e.Due;
        bestSerial = e.Serial;
      }
    }
    if (!best) break;
    gFakeNow = bestDue;
    TimerEntry& e = Timers()[best];
    e.Due = gFakeNow + (e.Interval == 0 ? 1 : e.Interval);
    e.Serial = gNextSerial++;
    Fire(best);
  }
  gFakeNow = target;
}

}  // namespace GuiInternal
