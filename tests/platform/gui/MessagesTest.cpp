// Sending and posting by handle, registered messages, window timers on the fake clock.
#include <gtest/gtest.h>

#include "platform/gui/Messages.h"
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

TEST(Messages, SendAndPostReachTheWindowAndPostedOnesComeInOrder) {
  FormHolder f;
  auto* r = new TRecorder(f.Form);
  r->SetParent(f.Form);
  const UINT a = WM_USER + 1, b = WM_USER + 2;
  r->Watch = {a, b};
  EXPECT_EQ(SendMessage(r->Handle(), a, 7, 8), 0);
  ASSERT_EQ(r->Log.size(), 1u);
  r->Log.clear();
  for (int i = 0; i < 5; ++i) PostMessage(r->Handle(), i % 2 ? b : a, static_cast<WPARAM>(i), 0);
  EXPECT_TRUE(r->Log.empty()) << "posted messages wait for the event loop";
  EXPECT_EQ(TestHarness::PendingPosted(r->Handle(), a), 3);
  EXPECT_EQ(TestHarness::PendingPosted(r->Handle(), b), 2);
  TestHarness::ProcessEvents();
  EXPECT_EQ(TestHarness::PendingPosted(r->Handle(), a), 0);
  ASSERT_EQ(r->Log.size(), 5u);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(r->Log[static_cast<size_t>(i)].substr(0, 9), (i % 2 ? "0x0402 " : "0x0401 ") + std::to_string(i) + " ")
        << "message " << i;
}

TEST(Messages, AMessageToAWindowThatIsGoneIsHarmless) {
  HWND h;
  {
    FormHolder f;
    auto* r = new TRecorder(f.Form);
    r->SetParent(f.Form);
    h = r->Handle();
    PostMessage(h, WM_USER, 0, 0);
    EXPECT_TRUE(IsWindow(h));
  }
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 0);
  EXPECT_TRUE(PostMessage(h, WM_USER, 0, 0));
  EXPECT_FALSE(PostMessage(0, WM_USER, 0, 0));
  TestHarness::ProcessEvents();  // the posted messages find nobody
  EXPECT_EQ(SetTimer(h, 1, 10), 0u);
}

TEST(Messages, RegisteredMessagesAreStablePerNameFrom0xC000) {
  UINT a = RegisterWindowMessage(u"KP_Test_A");
  UINT b = RegisterWindowMessage(u"KP_Test_B");
  EXPECT_GE(a, 0xC000u);
  EXPECT_GE(b, 0xC000u);
  EXPECT_NE(a, b);
  EXPECT_EQ(RegisterWindowMessage(u"KP_Test_A"), a);
}

TEST(Messages, WindowTimersFireOnTheFakeClockUntilKilled) {
  TestHarness::UseFakeClock(true);
  FormHolder f;
  auto* r = new TRecorder(f.Form);
  r->SetParent(f.Form);
  r->Watch = {WM_TIMER};
  EXPECT_EQ(SetTimer(r->Handle(), 111, 500), 111u);
  EXPECT_EQ(SetTimer(r->Handle(), 999, 10), 999u);
  TestHarness::AdvanceClock(499);
  EXPECT_EQ(r->Log.size(), 49u) << "the 10 ms timer ticked 49 times";
  r->Log.clear();
  EXPECT_TRUE(KillTimer(r->Handle(), 999));
  EXPECT_FALSE(KillTimer(r->Handle(), 999));
  TestHarness::AdvanceClock(1);
  ASSERT_EQ(r->Log.size(), 1u);
  EXPECT_EQ(r->Log[0], "WM_TIMER 111 00000000");
  EXPECT_TRUE(IsTimerRunning(r->Handle(), 111));
  EXPECT_FALSE(IsTimerRunning(r->Handle(), 999));
  // Setting a running timer again starts its interval anew.
  TestHarness::AdvanceClock(400);
  SetTimer(r->Handle(), 111, 500);
  r->Log.clear();
  TestHarness::AdvanceClock(499);
  EXPECT_TRUE(r->Log.empty());
  TestHarness::AdvanceClock(1);
  EXPECT_EQ(r->Log.size(), 1u);
  TestHarness::UseFakeClock(false);
}

TEST(Messages, FakeClockDrivesGetTickCount) {
  TestHarness::UseFakeClock(true);
  Cardinal t0 = GetTickCount();
  TestHarness::AdvanceClock(250);
  EXPECT_EQ(GetTickCount() - t0, 250u);
  EXPECT_EQ(timeGetTime(), GetTickCount());
  TestHarness::UseFakeClock(false);
}

}  // namespace

namespace {

// A child that notifies its parent with WM_NOTIFY and hears the reflection.
class TNotifier : public TRecorder {
 public:
  using TRecorder::TRecorder;
  Integer Reflected = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == CN_NOTIFY) {
      ++Reflected;
      m.Result = 77;
      return;
    }
    if (m.Msg == CN_COMMAND) {
      Reflected += 10;
      return;
    }
    TRecorder::WndProc(m);
  }
};

TEST(Messages, ChildNotificationsAreReflectedBackToTheChild) {
  FormHolder f;
  auto* c = new TNotifier(f.Form);
  c->SetParent(f.Form);
  NMHDR hdr;
  hdr.hwndFrom = c->Handle();
  hdr.code = 5;
  EXPECT_EQ(f->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr)), 77);
  f->NotifyCommand(c, EN_CHANGE);
  EXPECT_EQ(c->Reflected, 11);
}

// Closes its form when a posted message arrives, inside the form's own modal loop.
class TCloser : public TRecorder {
 public:
  using TRecorder::TRecorder;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_USER + 9) {
      GetParentForm(this)->SetModalResult(static_cast<TModalResult>(m.WParam));
      return;
    }
    TRecorder::WndProc(m);
  }
};

TEST(Messages, ARealModalLoopRunsPostedMessagesUntilTheResultIsSet) {
  FormHolder f;
  auto* c = new TCloser(f.Form);
  c->SetParent(f.Form);
  SetModalRunner(nullptr);  // the event loop itself, not the harness's script
  PostMessage(c->Handle(), WM_USER + 9, mrYes, 0);
  TModalResult r = f->ShowModal();
  TestHarness::Install([](const String& m) { ADD_FAILURE() << StringToUtf8(m); });
  EXPECT_EQ(r, mrYes);
  EXPECT_FALSE(f->Visible());
}

}  // namespace
