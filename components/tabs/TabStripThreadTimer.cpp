// The thread timer: a worker thread as the clock, the event in the GUI thread.
#include "components/tabs/TabStripThreadTimer.h"

#include "platform/os/Clock.h"

namespace {
// The shortest pause between the end of one event and the start of the next.
constexpr Integer MinimumPause = 10;
}  // namespace

TTimerThread::TTimerThread(TThreadTimer* Timer) : TThread(true), FTimer(Timer) {}

TTimerThread::~TTimerThread() {
  // Execute reads the timer: end it before the thread object goes.
  Terminate();
  WaitFor();  // returns at once for a worker never started
}

void TTimerThread::Execute() {
  while (FTimer->FContinue && !Terminated()) {
    const Cardinal start = GetTickCount();
    try {
      Synchronize([this] { DoTimer(); });
    } catch (...) {
      // An error of the event is not shown and does not stop the timer.
    }
    const Integer took = static_cast<Integer>(GetTickCount() - start);
    const Integer rest = FTimer->FInterval - took;
    SleepEx(static_cast<Cardinal>(rest > MinimumPause ? rest : MinimumPause), false);
  }
}

void TTimerThread::DoTimer() {
  if (FTimer->OnTimer) FTimer->OnTimer(FTimer);
}

TThreadTimer::TThreadTimer(TComponent* AOwner) : TComponent(AOwner) {}

TThreadTimer::~TThreadTimer() { StopTimer(); }

void TThreadTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (Value)
    StartTimer();
  else
    StopTimer();
}

void TThreadTimer::StartTimer() {
  if (FRunning) return;
  FContinue = true;
  // At design time the timer counts as running but has no worker and never fires.
  if (!HasState(csDesigning)) {
    FTimerThread.reset(TTimerThread::CreateTimerThread(this));
    FTimerThread->SetFreeOnTerminate(false);
    FTimerThread->Start();
  }
  FRunning = true;
}

void TThreadTimer::StopTimer() {
  if (!FTimerThread) return;
  FContinue = false;
  FRunning = false;
  // Serves the worker's synchronised call while waiting, so an event already handed over runs.
  FTimerThread->WaitFor();
  FTimerThread.reset();
}
