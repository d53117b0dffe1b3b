// The millisecond clock and the pause of the program, both replaceable so that tests drive time
// themselves instead of waiting for it.
#pragma once

#include <functional>
#include <memory>

#include "platform/rtl/System.h"

// Milliseconds of a monotonic clock since an arbitrary start (the system's boot on Linux). The
// 32-bit form wraps after about 49.7 days, like the classic tick count; compare ticks by
// subtraction in Cardinal arithmetic.
Cardinal GetTickCount();
UInt64 GetTickCount64();

// Suspends the calling thread for ms milliseconds (Sleep(0) only yields).
void Sleep(Cardinal ms);

// Replace the clock or the pause for tests. An empty function restores the real one. Each returns
// the function that was in place before (empty when that was the real one), so a test can put it
// back. Safe to call while other threads read the clock.
using TTickCountFunction = std::function<UInt64()>;
using TSleepFunction = std::function<void(Cardinal ms)>;
TTickCountFunction SetTickCountFunction(TTickCountFunction f);
TSleepFunction SetSleepFunction(TSleepFunction f);

// The real clock and pause, whatever is installed (for code that must not be faked, e.g. a test's
// own guard against hanging).
UInt64 SystemTickCount64();
void SystemSleep(Cardinal ms);

// A clock for tests: installs itself on construction, restores what was there on destruction.
// Sleep advances it by the time asked for, without waiting; Advance moves it by hand.
class TManualClock {
 public:
  explicit TManualClock(UInt64 start = 1000);
  ~TManualClock();
  TManualClock(const TManualClock&) = delete;
  TManualClock& operator=(const TManualClock&) = delete;

  UInt64 Now() const;
  void Advance(UInt64 ms);
  // Called after every Sleep, once the clock has moved (e.g. to let a fake peer answer).
  std::function<void(Cardinal ms)> OnSleep;

 private:
  struct State;
  std::shared_ptr<State> FState;
  TTickCountFunction FOldTick;
  TSleepFunction FOldSleep;
};
