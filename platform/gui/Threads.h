// Threads with synchronised calls into the GUI thread.
//
// Synchronize queues a call for the GUI thread and waits for it; an exception the call throws is
// raised again in the worker. The GUI thread serves the queue from its event loop and from
// WaitFor, so waiting for a thread that is inside Synchronize never deadlocks. Suspend and Resume
// are a gate the worker passes when Synchronize returns and before each Sleep. The system thread
// is made at the first Start or Resume.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/gui/Graphics.h"
#include "platform/rtl/SysUtils.h"

KP_DECLARE_EXCEPTION(EThread, Exception)

class TThread : public TObject {
 public:
  explicit TThread(bool CreateSuspended);
  // Terminates the thread, resumes it when it is suspended, and waits for it (serving synchronised
  // calls meanwhile). A thread never started is not started now.
  ~TThread() override;
  String ClassName() const override { return u"TThread"; }

  // Starts a thread created suspended (the same as Resume). Raises EThread when it runs already.
  void Start();
  void Resume();
  // From the worker itself it stops at once; from another thread the worker stops at its next
  // gate (after Synchronize returns, before Sleep).
  void Suspend();
  bool Suspended() const;
  void SetSuspended(bool v) { v ? Suspend() : Resume(); }

  // Asks Execute to end; it checks Terminated.
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  bool Finished() const { return FFinished; }
  // Waits for the end of Execute and returns ReturnValue. On the GUI thread it serves the
  // synchronised calls while it waits.
  Integer WaitFor();

  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool v) { FFreeOnTerminate = v; }
  Integer ReturnValue() const { return FReturnValue; }
  void SetReturnValue(Integer v) { FReturnValue = v; }
  // The exception that ended Execute, if any.
  std::exception_ptr FatalException() const { return FFatal; }
  // Runs in the GUI thread after Execute ended.
  TNotifyEvent OnTerminate;

  // Runs Method in the GUI thread and waits for it (directly when called on the GUI thread).
  static void Synchronize(TThread* Thread, const std::function<void()>& Method);
  // The thread the caller runs in, nullptr outside a TThread.
  static TThread* CurrentThread();
  // Waits at the gate while the thread is suspended (the worker calls it).
  void CheckGate();

 protected:
  // The work of the thread. A class whose Execute uses its own members stops the thread in its own
  // destructor (Terminate, then WaitFor), before those members go.
  virtual void Execute() = 0;
  // Synchronize, then the gate.
  void Synchronize(const std::function<void()>& Method);

 private:
  void Run();
  void Launch();

  std::thread FThread;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FStarted{false};
  bool FFreeOnTerminate = false;
  Integer FReturnValue = 0;
  std::exception_ptr FFatal;
  mutable std::mutex FGate;
  // Held by Launch while it stores the std::thread; the worker takes it once before it runs.
  std::mutex FLaunchMutex;
  std::condition_variable FGateCv;
  bool FSuspended = false;
};

// Runs the synchronised calls that are waiting (on the GUI thread only); with a positive timeout it
// first waits that long for one to arrive. True when one ran.
bool CheckSynchronize(Integer TimeoutMs = 0);
// True on the GUI thread.
bool IsMainThread();
// The GUI layer sets this to wake its event loop when a synchronised call arrives.
void SetWakeMainThread(std::function<void()> Wake);

// Sleeps the calling thread (through Sleep of platform/os/Clock.h, which tests can replace); a
// TThread first waits at its gate while suspended.
Cardinal SleepEx(Cardinal Milliseconds, bool Alertable);
