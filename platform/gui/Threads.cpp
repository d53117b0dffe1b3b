#include "platform/gui/Threads.h"

#include "platform/os/Clock.h"

#include <chrono>
#include <deque>

namespace {

struct SyncRequest {
  std::function<void()> Method;
  bool Done = false;
  std::exception_ptr Error;
};

// The queue of synchronised calls lives until the process ends and is never destroyed: a worker
// may still wait in Synchronize while the program exits, and destroying a condition variable
// that has a waiter blocks the exit for good.
struct SyncState {
  std::mutex Mutex;
  std::condition_variable Cv;
  std::deque<SyncRequest*> Queue;
  std::function<void()> Wake;
};
SyncState& Sync() {
  static SyncState* const State = new SyncState;
  return *State;
}
const std::thread::id gMainThread = std::this_thread::get_id();
thread_local TThread* tCurrent = nullptr;

}  // namespace

bool IsMainThread() { return std::this_thread::get_id() == gMainThread; }

void SetWakeMainThread(std::function<void()> Wake) {
  std::lock_guard<std::mutex> g(Sync().Mutex);
  Sync().Wake = std::move(Wake);
}

bool CheckSynchronize(Integer TimeoutMs) {
  if (!IsMainThread()) return false;
  std::deque<SyncRequest*> work;
  {
    std::unique_lock<std::mutex> lock(Sync().Mutex);
    if (Sync().Queue.empty() && TimeoutMs > 0)
      Sync().Cv.wait_for(lock, std::chrono::milliseconds(TimeoutMs),
                         [] { return !Sync().Queue.empty(); });
    work.swap(Sync().Queue);
  }
  for (SyncRequest* r : work) {
    try {
      r->Method();
    } catch (...) {
      r->Error = std::current_exception();
    }
    {
      std::lock_guard<std::mutex> g(Sync().Mutex);
      r->Done = true;
    }
    Sync().Cv.notify_all();
  }
  return !work.empty();
}

void TThread::Synchronize(TThread* Thread, const std::function<void()>& Method) {
  (void)Thread;
  if (IsMainThread()) {
    Method();
    return;
  }
  SyncRequest r;
  r.Method = Method;
  std::function<void()> wake;
  {
    std::lock_guard<std::mutex> g(Sync().Mutex);
    Sync().Queue.push_back(&r);
    wake = Sync().Wake;
  }
  Sync().Cv.notify_all();
  if (wake) wake();
  std::unique_lock<std::mutex> lock(Sync().Mutex);
  Sync().Cv.wait(lock, [&] { return r.Done; });
  lock.unlock();
  if (r.Error) std::rethrow_exception(r.Error);
}

TThread* TThread::CurrentThread() { return tCurrent; }

TThread::TThread(bool CreateSuspended) : FSuspended(CreateSuspended) {
  if (!CreateSuspended) Launch();
}

TThread::~TThread() {
  if (FThread.get_id() == std::this_thread::get_id()) {
    // Freed by its own worker (FreeOnTerminate): nothing to wait for.
    if (FThread.joinable()) FThread.detach();
    return;
  }
  if (FStarted) {
    Terminate();
    while (Suspended()) Resume();
    WaitFor();
  }
  if (FThread.joinable()) FThread.join();
}

void TThread::Launch() {
  if (FStarted.exchange(true)) return;
  // The worker waits until its std::thread object is stored: a thread that frees itself at its end
  // must not be deleted while this assignment is still running.
  std::lock_guard<std::mutex> g(FLaunchMutex);
  FThread = std::thread([this] {
    { std::lock_guard<std::mutex> stored(FLaunchMutex); }
    Run();
  });
}

void TThread::Run() {
  tCurrent = this;
  try {
    Execute();
  } catch (...) {
    FFatal = std::current_exception();
  }
  if (OnTerminate) {
    try {
      Synchronize([this] { OnTerminate(this); });
    } catch (...) {
      // An exception in OnTerminate ends nothing more.
    }
  }
  const bool freeSelf = FFreeOnTerminate;
  {
    std::lock_guard<std::mutex> g(Sync().Mutex);
    FFinished = true;
  }
  Sync().Cv.notify_all();
  tCurrent = nullptr;
  if (freeSelf) delete this;
}

void TThread::Start() {
  if (FStarted && !Suspended()) throw EThread(u"Cannot call Start on a running or suspended thread");
  Resume();
}

void TThread::Resume() {
  {
    std::lock_guard<std::mutex> g(FGate);
    FSuspended = false;
  }
  FGateCv.notify_all();
  Launch();
}

void TThread::Suspend() {
  {
    std::lock_guard<std::mutex> g(FGate);
    FSuspended = true;
  }
  if (tCurrent == this) CheckGate();
}

bool TThread::Suspended() const {
  std::lock_guard<std::mutex> g(FGate);
  return FSuspended;
}

void TThread::CheckGate() {
  std::unique_lock<std::mutex> lock(FGate);
  FGateCv.wait(lock, [this] { return !FSuspended; });
}

void TThread::Synchronize(const std::function<void()>& Method) {
  Synchronize(this, Method);
  CheckGate();
}

Integer TThread::WaitFor() {
  if (tCurrent == this) throw EThread(u"A thread cannot wait for itself");
  if (!FStarted) return FReturnValue;
  if (IsMainThread()) {
    // Serve the synchronised calls the worker may be waiting for.
    while (!FFinished) {
      {
        std::unique_lock<std::mutex> lock(Sync().Mutex);
        Sync().Cv.wait_for(lock, std::chrono::milliseconds(10),
                           [this] { return !Sync().Queue.empty() || FFinished.load(); });
      }
      CheckSynchronize(0);
    }
  } else {
    std::unique_lock<std::mutex> lock(Sync().Mutex);
    Sync().Cv.wait(lock, [this] { return FFinished.load(); });
  }
  if (FThread.joinable()) FThread.join();
  return FReturnValue;
}

Cardinal SleepEx(Cardinal Milliseconds, bool Alertable) {
  (void)Alertable;
  if (TThread* t = TThread::CurrentThread()) t->CheckGate();
  if (Milliseconds) Sleep(Milliseconds);
  return 0;
}
