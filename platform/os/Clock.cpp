#include "platform/os/Clock.h"

#include <time.h>

#include <cerrno>
#include <mutex>
#include <thread>

namespace {

std::mutex& HookMutex() {
  static std::mutex m;
  return m;
}
TTickCountFunction& TickHook() {
  static TTickCountFunction f;
  return f;
}
TSleepFunction& SleepHook() {
  static TSleepFunction f;
  return f;
}

}  // namespace

UInt64 SystemTickCount64() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<UInt64>(ts.tv_sec) * 1000u + static_cast<UInt64>(ts.tv_nsec) / 1000000u;
}

void SystemSleep(Cardinal ms) {
  if (ms == 0) {
    std::this_thread::yield();
    return;
  }
  timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  // Resume after a signal with the time that is left.
  while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
  }
}

UInt64 GetTickCount64() {
  TTickCountFunction f;
  {
    std::lock_guard<std::mutex> lock(HookMutex());
    f = TickHook();
  }
  return f ? f() : SystemTickCount64();
}

Cardinal GetTickCount() { return static_cast<Cardinal>(GetTickCount64()); }

void Sleep(Cardinal ms) {
  TSleepFunction f;
  {
    std::lock_guard<std::mutex> lock(HookMutex());
    f = SleepHook();
  }
  if (f) {
    f(ms);
  } else {
    SystemSleep(ms);
  }
}

TTickCountFunction SetTickCountFunction(TTickCountFunction f) {
  std::lock_guard<std::mutex> lock(HookMutex());
  TTickCountFunction old = std::move(TickHook());
  TickHook() = std::move(f);
  return old;
}

TSleepFunction SetSleepFunction(TSleepFunction f) {
  std::lock_guard<std::mutex> lock(HookMutex());
  TSleepFunction old = std::move(SleepHook());
  SleepHook() = std::move(f);
  return old;
}

struct TManualClock::State {
  std::mutex Lock;
  UInt64 Now = 0;
};

TManualClock::TManualClock(UInt64 start) : FState(std::make_shared<State>()) {
  FState->Now = start;
  std::shared_ptr<State> state = FState;
  FOldTick = SetTickCountFunction([state] {
    std::lock_guard<std::mutex> lock(state->Lock);
    return state->Now;
  });
  FOldSleep = SetSleepFunction([this](Cardinal ms) {
    Advance(ms);
    if (OnSleep) OnSleep(ms);
  });
}

TManualClock::~TManualClock() {
  SetSleepFunction(std::move(FOldSleep));
  SetTickCountFunction(std::move(FOldTick));
}

UInt64 TManualClock::Now() const {
  std::lock_guard<std::mutex> lock(FState->Lock);
  return FState->Now;
}

void TManualClock::Advance(UInt64 ms) {
  std::lock_guard<std::mutex> lock(FState->Lock);
  FState->Now += ms;
}
