// The thread timer, driven by the fake clock: the worker's sleeps advance the clock at once, and the
// test serves the worker's synchronised events itself.
#include <gtest/gtest.h>

#include <mutex>
#include <stdexcept>
#include <vector>

#include "components/tabs/TabStripThreadTimer.h"
#include "platform/gui/Threads.h"
#include "platform/os/Clock.h"

namespace {

class ThreadTimerTest : public ::testing::Test {
 protected:
  ThreadTimerTest() {
    Clock.OnSleep = [this](Cardinal Ms) {
      std::lock_guard<std::mutex> lock(FSleepsLock);
      FSleeps.push_back(Ms);
    };
  }
  ~ThreadTimerTest() override { Clock.OnSleep = nullptr; }

  // Serves the worker's events until Count of them ran; false when one did not come within a
  // few seconds of real time.
  bool ServeEvents(Integer& Counter, Integer Count) {
    while (Counter < Count)
      if (!CheckSynchronize(5000)) return false;
    return true;
  }
  void ClearSleeps() {
    std::lock_guard<std::mutex> lock(FSleepsLock);
    FSleeps.clear();
  }
  std::vector<Cardinal> Sleeps() {
    std::lock_guard<std::mutex> lock(FSleepsLock);
    return FSleeps;
  }

  TManualClock Clock;

 private:
  std::mutex FSleepsLock;
  std::vector<Cardinal> FSleeps;
};

TEST_F(ThreadTimerTest, SleepsTheRestOfTheIntervalButAtLeastTenMilliseconds) {
  struct TCase {
    const char* Name;
    Integer Interval;
    Cardinal EventTakes;
    Cardinal Sleep;
  };
  const TCase cases[] = {
      {"short event", 15, 3, 12},
      {"event longer than the interval", 15, 20, 10},
      {"rest below the minimum", 15, 6, 10},
      {"interval 0", 0, 0, 10},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Integer events = 0;
    std::vector<Cardinal> starts;
    {
      TThreadTimer timer(nullptr);
      timer.SetInterval(c.Interval);
      timer.OnTimer = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &timer);
        starts.push_back(static_cast<Cardinal>(Clock.Now()));
        Clock.Advance(c.EventTakes);
        ++events;
      };
      timer.SetEnabled(true);
      ASSERT_TRUE(ServeEvents(events, 3));
      timer.SetEnabled(false);
    }
    const std::vector<Cardinal> sleeps = Sleeps();
    ASSERT_GE(sleeps.size(), 2u);
    EXPECT_EQ(sleeps[0], c.Sleep);
    EXPECT_EQ(sleeps[1], c.Sleep);
    // From the start of one event to the start of the next.
    EXPECT_EQ(starts[1] - starts[0], c.EventTakes + c.Sleep);
    ClearSleeps();
  }
}

TEST_F(ThreadTimerTest, EnablingTwiceMakesOneWorkerAndDisablingEndsIt) {
  TThreadTimer timer(nullptr);
  Integer events = 0;
  timer.OnTimer = [&](TObject*) { ++events; };
  timer.SetEnabled(false);  // already stopped
  EXPECT_EQ(timer.TimerThread(), nullptr);
  timer.SetEnabled(true);
  TTimerThread* worker = timer.TimerThread();
  ASSERT_NE(worker, nullptr);
  timer.SetEnabled(true);
  EXPECT_EQ(timer.TimerThread(), worker);
  EXPECT_TRUE(timer.Running());
  ASSERT_TRUE(ServeEvents(events, 2));
  timer.SetEnabled(false);
  EXPECT_EQ(timer.TimerThread(), nullptr);
  EXPECT_FALSE(timer.Running());
  // The worker has ended: no event waits any more.
  const Integer before = events;
  EXPECT_FALSE(CheckSynchronize(0));
  EXPECT_EQ(events, before);
}

TEST_F(ThreadTimerTest, AnErrorOfTheEventDoesNotStopTheTimer) {
  TThreadTimer timer(nullptr);
  Integer events = 0;
  timer.OnTimer = [&](TObject*) {
    ++events;
    if (events == 1) throw std::runtime_error("handler failed");
  };
  timer.SetEnabled(true);
  EXPECT_TRUE(ServeEvents(events, 3));
  timer.SetEnabled(false);
}

TEST_F(ThreadTimerTest, DestroyingAnEnabledTimerStopsItsWorker) {
  Integer events = 0;
  {
    TThreadTimer timer(nullptr);
    timer.OnTimer = [&](TObject*) { ++events; };
    timer.SetEnabled(true);
    ASSERT_TRUE(ServeEvents(events, 1));
  }
  const Integer after = events;
  EXPECT_FALSE(CheckSynchronize(0));
  EXPECT_EQ(events, after);
}

TEST_F(ThreadTimerTest, ATimerEnabledAtDesignTimeNeverFires) {
  TThreadTimer timer(nullptr);
  timer.SetDesigning(true);
  Integer events = 0;
  timer.OnTimer = [&](TObject*) { ++events; };
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Running());
  EXPECT_EQ(timer.TimerThread(), nullptr);
  EXPECT_FALSE(CheckSynchronize(0));
  EXPECT_EQ(events, 0);
  // Without a worker, switching off leaves it as it is.
  timer.SetEnabled(false);
  EXPECT_TRUE(timer.Running());
}

TEST_F(ThreadTimerTest, ANewIntervalAppliesFromTheNextSleep) {
  TThreadTimer timer(nullptr);
  timer.SetInterval(40);
  Integer events = 0;
  timer.OnTimer = [&](TObject*) {
    if (++events == 2) timer.SetInterval(25);
  };
  timer.SetEnabled(true);
  ASSERT_TRUE(ServeEvents(events, 3));
  timer.SetEnabled(false);
  const std::vector<Cardinal> sleeps = Sleeps();
  ASSERT_GE(sleeps.size(), 2u);
  EXPECT_EQ(sleeps[0], 40u);
  EXPECT_EQ(sleeps[1], 25u);
}

}  // namespace
