// A timer whose clock is a worker thread and whose event runs in the GUI thread. The period runs
// from the start of one event to the start of the next, so the handler's own time does not stretch
// it; at least 10 ms always pass between the end of one event and the start of the next.
#pragma once

#include <atomic>
#include <memory>

#include "platform/gui/Component.h"
#include "platform/gui/Threads.h"

class TThreadTimer;

// The worker: it hands the timer's event to the GUI thread, waits for it, and sleeps the rest of
// the interval (at least 10 ms), until its timer tells it to stop. An exception of the event comes
// back to the worker and is dropped there. The timer frees the worker.
class TTimerThread : public TThread {
 public:
  // Created suspended; the timer starts it.
  explicit TTimerThread(TThreadTimer* Timer);
  ~TTimerThread() override;
  String ClassName() const override { return u"TTimerThread"; }
  static TTimerThread* CreateTimerThread(TThreadTimer* Timer) { return new TTimerThread(Timer); }

 protected:
  void Execute() override;

 private:
  // Runs in the GUI thread: the timer's OnTimer with the timer as sender.
  void DoTimer();
  TThreadTimer* FTimer;
};

class TThreadTimer : public TComponent {
 public:
  // Disabled, interval 0, no event, no worker.
  explicit TThreadTimer(TComponent* AOwner);
  // Stops the worker first.
  ~TThreadTimer() override;
  String ClassName() const override { return u"TThreadTimer"; }

  TNotifyEvent OnTimer;
  // A change starts (at run time) or stops the worker. Stopping returns once the worker has ended;
  // an event already handed to the GUI thread runs during that wait.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Milliseconds; the worker reads it once per period, so a new value applies from its next sleep.
  Integer Interval() const { return FInterval; }
  void SetInterval(Integer Value) { FInterval = Value; }

  // The timer counts as started (also at design time, where it has no worker and never fires).
  bool Running() const { return FRunning; }
  // The worker, nullptr while stopped.
  TTimerThread* TimerThread() const { return FTimerThread.get(); }

 protected:
  void StartTimer();
  void StopTimer();

 private:
  friend class TTimerThread;
  std::atomic<Integer> FInterval{0};
  std::atomic<bool> FContinue{false};
  bool FRunning = false;
  bool FEnabled = false;
  std::unique_ptr<TTimerThread> FTimerThread;
};
