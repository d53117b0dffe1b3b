// Hints shown after the hint pause (with a replaceable hint window) and dragging between controls.
#include <gtest/gtest.h>

#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

class TRecordingHint : public THintWindow {
 public:
  explicit TRecordingHint(TComponent* owner) : THintWindow(owner) {}
  static std::vector<String>& Shown() {
    static std::vector<String> s;
    return s;
  }
  void ActivateHint(const TRect& r, const String& hint) override {
    Shown().push_back(hint);
    THintWindow::ActivateHint(r, hint);
  }
};

// A control whose CM_HINTSHOW handler rewrites the hint.
class THintAsker : public TRecorder {
 public:
  using TRecorder::TRecorder;
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_HINTSHOW) {
      auto* info = reinterpret_cast<THintInfo*>(m.LParam);
      info->HintStr += u" (cell 2, 3)";
    }
    TRecorder::WndProc(m);
  }
};

TEST(Hints, TheHintShowsAfterThePauseThroughCmHintShowAndHidesAgain) {
  TestHarness::UseFakeClock(true);
  Application->SetHintWindowClass([](TComponent* o) { return new TRecordingHint(o); });
  TRecordingHint::Shown().clear();
  FormHolder f;
  auto* c = new THintAsker(f.Form);
  c->SetParent(f.Form);
  c->SetBounds(10, 10, 80, 20);
  c->SetHint(u"Information|The long text");
  c->SetShowHint(true);
  TestHarness::ShowForm(f.Form);
  SetCursorPosSource([c] { return c->ClientToScreen(TPoint(5, 5)); });
  TestHarness::MouseMove(c, TPoint(5, 5));
  TestHarness::AdvanceClock(Application->HintPause() - 1);
  EXPECT_TRUE(TRecordingHint::Shown().empty());
  TestHarness::AdvanceClock(1);
  ASSERT_EQ(TRecordingHint::Shown().size(), 1u);
  EXPECT_EQ(TRecordingHint::Shown()[0], u"Information (cell 2, 3)");
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_TRUE(Application->HintWindow()->Active());
  TestHarness::AdvanceClock(Application->HintHidePause());
  EXPECT_FALSE(Application->HintWindow()->Active());
  SetCursorPosSource(nullptr);
  Application->SetHintWindowClass(nullptr);
  TestHarness::UseFakeClock(false);
}

// A disabled control's hint shows (it may say why the control is disabled).
TEST(Hints, ADisabledControlShowsItsHint) {
  TestHarness::UseFakeClock(true);
  Application->SetHintWindowClass([](TComponent* o) { return new TRecordingHint(o); });
  TRecordingHint::Shown().clear();
  FormHolder f;
  auto* c = new TRecorder(f.Form);
  c->SetParent(f.Form);
  c->SetBounds(10, 10, 80, 20);
  c->SetHint(u"Fixed to Auto Baudrate");
  c->SetShowHint(true);
  c->SetEnabled(false);
  TestHarness::ShowForm(f.Form);
  SetCursorPosSource([c] { return c->ClientToScreen(TPoint(5, 5)); });
  TestHarness::MouseMove(c, TPoint(5, 5));
  TestHarness::AdvanceClock(Application->HintPause());
  EXPECT_EQ(TRecordingHint::Shown(), (std::vector<String>{u"Fixed to Auto Baudrate"}));
  EXPECT_TRUE(c->Log.empty()) << "the disabled control heard nothing of the mouse";
  SetCursorPosSource(nullptr);
  Application->SetHintWindowClass(nullptr);
  TestHarness::UseFakeClock(false);
}

// A control without a hint of its own that names the half of it under the mouse; its right half
// has no hint.
class THalvesHint : public TRecorder {
 public:
  using TRecorder::TRecorder;
  Integer Asked = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_HINTSHOW) {
      ++Asked;
      auto* info = reinterpret_cast<THintInfo*>(m.LParam);
      const bool left = info->CursorPos.X < Width() / 2;
      info->HintStr = left ? u"left half" : u"";
      info->CursorRect = left ? Rect(0, 0, Width() / 2, Height()) : Rect(Width() / 2, 0, Width(), Height());
      m.Result = 0;
      return;
    }
    TRecorder::WndProc(m);
  }
};

TEST(Hints, AControlWithoutAHintOfItsOwnIsAskedPerPlace) {
  TestHarness::UseFakeClock(true);
  Application->SetHintWindowClass([](TComponent* o) { return new TRecordingHint(o); });
  TRecordingHint::Shown().clear();
  FormHolder f;
  auto* c = new THalvesHint(f.Form);
  c->SetParent(f.Form);
  c->SetBounds(10, 10, 100, 20);
  c->SetShowHint(true);
  TestHarness::ShowForm(f.Form);
  TPoint at(5, 5);
  SetCursorPosSource([&] { return c->ClientToScreen(at); });
  auto MoveTo = [&](TPoint p) {
    at = p;
    TestHarness::MouseMove(c, p);
  };
  auto Showing = [] { return Application->HintWindow() && Application->HintWindow()->Active(); };

  MoveTo(TPoint(5, 5));
  TestHarness::AdvanceClock(Application->HintPause());
  ASSERT_EQ(TRecordingHint::Shown().size(), 1u);
  EXPECT_EQ(TRecordingHint::Shown()[0], u"left half");
  // Moving inside the part the hint is for changes nothing.
  MoveTo(TPoint(20, 15));
  TestHarness::AdvanceClock(Application->HintPause());
  EXPECT_EQ(c->Asked, 1);
  EXPECT_TRUE(Showing());
  // Leaving it hides the hint; the control is asked again after the short pause and has none.
  MoveTo(TPoint(70, 5));
  EXPECT_FALSE(Showing());
  TestHarness::AdvanceClock(Application->HintShortPause());
  EXPECT_EQ(c->Asked, 2);
  EXPECT_FALSE(Showing());
  EXPECT_EQ(TRecordingHint::Shown().size(), 1u) << "an empty answer shows nothing";
  // Back on the left half, after the full pause as no hint was showing.
  MoveTo(TPoint(5, 5));
  TestHarness::AdvanceClock(Application->HintShortPause());
  EXPECT_EQ(c->Asked, 2);
  TestHarness::AdvanceClock(Application->HintPause() - Application->HintShortPause());
  EXPECT_EQ(c->Asked, 3);
  EXPECT_TRUE(Showing());
  EXPECT_EQ(TRecordingHint::Shown().size(), 2u);

  // Without ShowHint the control is never asked.
  Application->CancelHint();
  c->SetShowHint(false);
  MoveTo(TPoint(6, 6));
  TestHarness::AdvanceClock(Application->HintPause() * 2);
  EXPECT_EQ(c->Asked, 3);
  SetCursorPosSource(nullptr);
  Application->SetHintWindowClass(nullptr);
  TestHarness::UseFakeClock(false);
}

// A control whose hint lies right under the pointer (as a grid's cell hint lies over its cell).
class TUnderPointerHint : public TRecorder {
 public:
  using TRecorder::TRecorder;
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_HINTSHOW) {
      auto* info = reinterpret_cast<THintInfo*>(m.LParam);
      info->HintPos = ClientToScreen(TPoint(info->CursorPos.X - 10, info->CursorPos.Y - 5));
    }
    TRecorder::WndProc(m);
  }
};

// The hint window lets the mouse through: appearing under the pointer it takes nothing from the
// control beneath, which goes on hearing the mouse until the pointer leaves it.
TEST(Hints, AHintUnderThePointerLetsTheMouseThroughToTheControl) {
  TestHarness::UseFakeClock(true);
  FormHolder f;
  auto* c = new TUnderPointerHint(f.Form);
  c->SetParent(f.Form);
  c->SetBounds(10, 10, 200, 40);
  c->SetHint(u"Over the place it explains");
  c->SetShowHint(true);
  c->Watch = {WM_MOUSEMOVE, CM_MOUSELEAVE};
  auto* other = new TRecorder(f.Form);
  other->SetParent(f.Form);
  other->SetBounds(10, 100, 200, 40);
  TestHarness::ShowForm(f.Form);
  auto Showing = [] { return Application->HintWindow() && Application->HintWindow()->Active(); };

  TestHarness::MovePointer(c, TPoint(30, 20));
  TestHarness::AdvanceClock(Application->HintPause());
  ASSERT_TRUE(Showing());
  const TRect hint = Application->HintWindow()->BoundsRect();
  ASSERT_TRUE(PtInRect(hint, c->ClientToScreen(TPoint(30, 20)))) << "the hint lies under the pointer";
  TestHarness::ProcessEvents();
  EXPECT_TRUE(Showing());
  c->Log.clear();
  // A move over the hint reaches the control beneath it.
  TestHarness::MovePointer(c, TPoint(34, 22));
  TestHarness::ProcessEvents();
  EXPECT_TRUE(Showing());
  EXPECT_EQ(c->Log, (std::vector<std::string>{"WM_MOUSEMOVE 0 00160022"}));
  // Off the control the hint goes, and the control hears that the pointer left it.
  TestHarness::MovePointer(other, TPoint(30, 20));
  TestHarness::ProcessEvents();
  EXPECT_FALSE(Showing());
  ASSERT_FALSE(c->Log.empty());
  EXPECT_EQ(c->Log.back().rfind("CM_MOUSELEAVE", 0), 0u);
  Application->CancelHint();
  TestHarness::UseFakeClock(false);
}

TEST(Drag, AnAutomaticDragDropsOnAControlThatAccepts) {
  FormHolder f;
  auto* source = new TRecorder(f.Form);
  source->SetParent(f.Form);
  source->SetBounds(10, 10, 50, 20);
  source->SetDragMode(dmAutomatic);
  auto* target = new TRecorder(f.Form);
  target->SetParent(f.Form);
  target->SetBounds(100, 10, 50, 20);
  std::vector<std::string> log;
  target->OnDragOver = [&](TObject*, TObject* src, Integer, Integer, TDragState st, bool& accept) {
    log.push_back(st == dsDragEnter ? "enter" : st == dsDragMove ? "move" : "leave");
    accept = src == source;
  };
  target->OnDragDrop = [&](TObject*, TObject* src, Integer x, Integer y) {
    log.push_back("drop " + std::to_string(x) + "," + std::to_string(y) + (src == source ? " from source" : ""));
  };
  source->OnEndDrag = [&](TObject*, TObject* t, Integer, Integer) {
    log.push_back(t == target ? "ended on target" : "ended nowhere");
  };
  TestHarness::ShowForm(f.Form);
  TPoint cursor = source->ClientToScreen(TPoint(5, 5));
  SetCursorPosSource([&] { return cursor; });
  SetWindowFromPointSource([&](TPoint p) {
    return PtInRect(TRect(target->ClientToScreen(TPoint(0, 0)), target->ClientToScreen(TPoint(50, 20))), p)
               ? target->Handle()
               : f->Handle();
  });
  TestHarness::MouseDown(source, mbLeft, TPoint(5, 5));
  EXPECT_FALSE(source->Dragging()) << "not before the mouse moved past the threshold";
  cursor = target->ClientToScreen(TPoint(7, 8));
  TestHarness::MouseMove(source, source->ScreenToClient(cursor), TShiftState(ssLeft));
  EXPECT_TRUE(source->Dragging());
  cursor = target->ClientToScreen(TPoint(9, 8));
  TestHarness::MouseMove(source, source->ScreenToClient(cursor), TShiftState(ssLeft));
  TestHarness::MouseUp(source, mbLeft, source->ScreenToClient(cursor));
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "move", "drop 9,8 from source", "ended on target"}));
  EXPECT_FALSE(source->Dragging());
  SetCursorPosSource(nullptr);
  SetWindowFromPointSource(nullptr);
}

}  // namespace
