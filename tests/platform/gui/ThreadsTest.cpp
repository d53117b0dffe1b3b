// Threads: synchronised calls served while the GUI thread waits, exceptions carried back, the
// suspend gate, lazy start.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/gui/Threads.h"
#include "platform/gui/TestHarness.h"

namespace {

class TCounter : public TThread {
 public:
  explicit TCounter(Integer calls) : TThread(true), Calls(calls) {}
  ~TCounter() override {
    Terminate();
    while (Suspended()) Resume();
    WaitFor();
  }
  Integer Calls;
  Integer Done = 0;  // changed only on the GUI thread
  bool AllOnGuiThread = true;
  bool Ran = false;

 protected:
  void Execute() override {
    Ran = true;
    for (Integer i = 0; i < Calls && !Terminated(); ++i)
      Synchronize([this] {
        AllOnGuiThread = AllOnGuiThread && IsMainThread();
        ++Done;
      });
  }
};

TEST(Threads, AHundredSynchronisedCallsCompleteWhileTheGuiThreadWaits) {
  TCounter t(100);
  t.Start();
  t.WaitFor();
  EXPECT_EQ(t.Done, 100);
  EXPECT_TRUE(t.AllOnGuiThread);
  EXPECT_TRUE(t.Finished());
}

TEST(Threads, TheEventLoopServesSynchronisedCallsToo) {
  TCounter t(5);
  t.Start();
  EXPECT_TRUE(TestHarness::WaitUntil([&] { return t.Done == 5; }));
  t.WaitFor();
}

class TFailing : public TThread {
 public:
  TFailing() : TThread(true) {}
  ~TFailing() override { WaitFor(); }
  String Caught;

 protected:
  void Execute() override {
    try {
      Synchronize([] { throw EConvertError(u"bad value"); });
    } catch (const Exception& e) {
      Caught = e.Message();
    }
    Synchronize([] { throw Exception(u"not caught"); });
  }
};

TEST(Threads, AnExceptionInASynchronisedCallComesBackToTheWorker) {
  TFailing t;
  t.Resume();
  t.WaitFor();
  EXPECT_EQ(t.Caught, u"bad value");
  ASSERT_TRUE(t.FatalException());
  try {
    std::rethrow_exception(t.FatalException());
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"not caught");
  }
}

// The fade pattern: each step is a synchronised call; the step that reaches zero suspends the
// thread from the GUI thread, and no further call comes until it is resumed.
class TFade : public TThread {
 public:
  TFade() : TThread(true) {}
  ~TFade() override {
    Terminate();
    while (Suspended()) Resume();
    WaitFor();
  }
  Integer Step = 8;
  Integer Calls = 0;

 protected:
  void Execute() override {
    while (!Terminated())
      Synchronize([this] {
        ++Calls;
        if (--Step <= 0) {
          Step = 0;
          Suspend();
        }
      });
  }
};

TEST(Threads, ASuspendFromInsideTheSynchronisedStepStopsFurtherCalls) {
  TFade t;
  EXPECT_TRUE(t.Suspended());
  t.Resume();
  while (!t.Suspended()) CheckSynchronize(10);
  EXPECT_EQ(t.Calls, 8);
  // The worker stopped at its gate: nothing more is queued.
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(CheckSynchronize(0));
  EXPECT_EQ(t.Calls, 8);
  t.Step = 2;
  t.Resume();
  while (!t.Suspended()) CheckSynchronize(10);
  EXPECT_EQ(t.Calls, 10);
}

class TFlag : public TThread {
 public:
  explicit TFlag(std::atomic<bool>* ran) : TThread(true), Ran(ran) {}
  std::atomic<bool>* Ran;

 protected:
  void Execute() override { *Ran = true; }
};

TEST(Threads, AThreadNeverStartedDoesNotRunAndSynchronizeOnTheGuiThreadRunsDirectly) {
  std::atomic<bool> ran{false};
  {
    TFlag t(&ran);
    EXPECT_TRUE(t.Suspended());
  }
  EXPECT_FALSE(ran);
  Integer n = 0;
  TThread::Synchronize(nullptr, [&] { ++n; });
  EXPECT_EQ(n, 1);
}

class TTerminating : public TThread {
 public:
  TTerminating() : TThread(true) {}
  ~TTerminating() override { WaitFor(); }

 protected:
  void Execute() override { SetReturnValue(42); }
};

TEST(Threads, OnTerminateRunsOnTheGuiThreadAndWaitForGivesTheReturnValue) {
  TTerminating t;
  bool onGui = false;
  t.OnTerminate = [&](TObject*) { onGui = IsMainThread(); };
  t.Start();
  EXPECT_EQ(t.WaitFor(), 42);
  EXPECT_TRUE(onGui);
  EXPECT_THROW(t.Start(), EThread);
}

}  // namespace
