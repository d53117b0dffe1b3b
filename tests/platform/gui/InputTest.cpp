// Input translation: window-system keys and mouse become the classic message sequences; focus
// messages name the other window; the dialog-key chain; key preview; the wheel.
#include <gtest/gtest.h>

#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

// A control answering CM_DIALOGKEY for Enter (like a default button) and counting it.
class TDefaultTaker : public TRecorder {
 public:
  using TRecorder::TRecorder;
  Integer Taken = 0;
  Word Key = VK_RETURN;
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_DIALOGKEY && m.WParam == Key) {
      ++Taken;
      m.Result = 1;
      return;
    }
    TRecorder::WndProc(m);
  }
};

struct InputFixture : ::testing::Test {
  FormHolder f;
  TRecorder* a = nullptr;
  TRecorder* b = nullptr;
  TRecorder* c = nullptr;
  void SetUp() override {
    a = Add(10);
    b = Add(40);
    c = Add(70);
    TestHarness::ShowForm(f.Form);
    for (TRecorder* r : {a, b, c}) r->Log.clear();
  }
  TRecorder* Add(Integer top) {
    auto* r = new TRecorder(f.Form);
    r->SetParent(f.Form);
    r->SetBounds(10, top, 100, 20);
    return r;
  }
};

TEST_F(InputFixture, AClickArrivesAsButtonDownAndUpWithClientCoordinatesAndKeys) {
  Integer clicks = 0;
  a->OnClick = [&](TObject*) { ++clicks; };
  TestHarness::Click(a, TPoint(5, 7));
  ASSERT_EQ(a->Log.size(), 2u);
  EXPECT_EQ(a->Log[0], "WM_LBUTTONDOWN 1 00070005");
  EXPECT_EQ(a->Log[1], "WM_LBUTTONUP 0 00070005");
  EXPECT_EQ(clicks, 1);
  a->Log.clear();
  TestHarness::Click(a, TPoint(3, 4), TShiftState(ssCtrl));
  ASSERT_EQ(a->Log.size(), 2u);
  EXPECT_EQ(a->Log[0], "WM_LBUTTONDOWN 9 00040003") << "MK_LBUTTON | MK_CONTROL";
}

TEST_F(InputFixture, ADoubleClickIsDownUpDoubleUpAndARightReleaseAsksForTheContextMenu) {
  TestHarness::DoubleClick(a, TPoint(2, 2));
  std::vector<std::string> names;
  for (auto& l : a->Log) names.push_back(l.substr(0, l.find(' ')));
  EXPECT_EQ(names, (std::vector<std::string>{"WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDBLCLK",
                                              "WM_LBUTTONUP"}));
}

TEST_F(InputFixture, AKeyArrivesAsTheClassicSequence) {
  a->SetFocus();
  TestHarness::ProcessEvents();
  ASSERT_TRUE(a->Focused());
  a->Log.clear();
  TestHarness::Key(a, 'A');
  EXPECT_EQ(a->Log, (std::vector<std::string>{"CN_KEYDOWN 65 00000001", "WM_KEYDOWN 65 00000001",
                                               "CN_CHAR 97 00000001", "WM_CHAR 97 00000001",
                                               "CN_KEYUP 65 C0000001", "WM_KEYUP 65 C0000001"}));
}

TEST_F(InputFixture, KeyTranslationTable) {
  struct Row {
    const char* name;
    Word vk;
    TShiftState shift;
    bool keypad;
    const char* keyDown;  // the WM_KEYDOWN / WM_SYSKEYDOWN line
    std::vector<std::string> chars;
  };
  const Row rows[] = {
      {"keypad decimal", VK_DECIMAL, {}, true, "WM_KEYDOWN 110 00530001", {"WM_CHAR 46 00530001"}},
      {"Ctrl+A", 'A', TShiftState(ssCtrl), false, "WM_KEYDOWN 65 00000001", {"WM_CHAR 1 00000001"}},
      {"Ctrl+V", 'V', TShiftState(ssCtrl), false, "WM_KEYDOWN 86 00000001", {"WM_CHAR 22 00000001"}},
      {"Enter", VK_RETURN, {}, false, "WM_KEYDOWN 13 00000001", {"WM_CHAR 13 00000001"}},
      {"Ctrl+Enter", VK_RETURN, TShiftState(ssCtrl), false, "WM_KEYDOWN 13 00000001", {"WM_CHAR 10 00000001"}},
      {"Backspace", VK_BACK, {}, false, "WM_KEYDOWN 8 00000001", {"WM_CHAR 8 00000001"}},
      {"Escape", VK_ESCAPE, {}, false, "WM_KEYDOWN 27 00000001", {"WM_CHAR 27 00000001"}},
      {"Left arrow", VK_LEFT, {}, false, "WM_KEYDOWN 37 01000001", {}},
      {"Alt+Backspace", VK_BACK, TShiftState(ssAlt), false, "WM_SYSKEYDOWN 8 20000001", {"WM_SYSCHAR 8 20000001"}},
  };
  a->DlgCode = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
  a->SetFocus();
  for (const Row& r : rows) {
    a->Log.clear();
    TestHarness::Key(a, r.vk, r.shift, r.keypad);
    std::vector<std::string> wm;
    for (auto& l : a->Log)
      if (l.rfind("WM_", 0) == 0 && l.find("UP") == std::string::npos) wm.push_back(l);
    std::vector<std::string> want{r.keyDown};
    want.insert(want.end(), r.chars.begin(), r.chars.end());
    EXPECT_EQ(wm, want) << r.name;
  }
}

TEST_F(InputFixture, FocusMessagesNameTheOtherWindowAndEnterExitFollow) {
  std::vector<std::string> events;
  a->OnEnter = [&](TObject*) { events.push_back("enter a"); };
  a->OnExit = [&](TObject*) { events.push_back("exit a"); };
  b->OnEnter = [&](TObject*) { events.push_back("enter b"); };
  a->SetFocus();
  a->Log.clear();
  events.clear();
  b->SetFocus();
  ASSERT_FALSE(a->Log.empty());
  EXPECT_EQ(a->Log.back(), "WM_KILLFOCUS " + std::to_string(b->Handle()) + " 00000000");
  ASSERT_FALSE(b->Log.empty());
  EXPECT_EQ(b->Log.back(), "WM_SETFOCUS " + std::to_string(a->Handle()) + " 00000000");
  EXPECT_EQ(events, (std::vector<std::string>{"exit a", "enter b"}));
  EXPECT_EQ(f->ActiveControl(), b);
  EXPECT_TRUE(b->Focused());
}

TEST(Focus, AControlFocusedInOnShowHasTheFocusOnceTheFormIsUp) {
  FormHolder f;
  auto* a = new TRecorder(f.Form);
  a->SetParent(f.Form);
  auto* b = new TRecorder(f.Form);
  b->SetParent(f.Form);
  b->SetTop(30);
  f->OnShow = [&](TObject*) { b->SetFocus(); };
  TestHarness::ShowForm(f.Form);
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(f->ActiveControl(), b);
  EXPECT_EQ(Screen->ActiveControl(), b);
}

TEST_F(InputFixture, TabMovesInTabOrderAndShiftTabBack) {
  c->SetTabOrder(0);  // order: c, a, b
  c->SetFocus();
  TestHarness::Key(c, VK_TAB);
  EXPECT_EQ(f->ActiveControl(), a);
  TestHarness::Key(a, VK_TAB);
  EXPECT_EQ(f->ActiveControl(), b);
  TestHarness::Key(b, VK_TAB);
  EXPECT_EQ(f->ActiveControl(), c) << "wraps around";
  TestHarness::Key(c, VK_TAB, TShiftState(ssShift));
  EXPECT_EQ(f->ActiveControl(), b);
  // Tab taken as a dialog key gives no WM_KEYDOWN and no WM_CHAR.
  for (auto& l : c->Log) EXPECT_EQ(l.find("WM_CHAR"), std::string::npos) << l;
  // A control that skips tab stops is passed over.
  a->SetTabStop(false);
  c->SetFocus();
  TestHarness::Key(c, VK_TAB);
  EXPECT_EQ(f->ActiveControl(), b);
}

TEST_F(InputFixture, EnterGoesToTheDialogUnlessTheFocusedControlWantsIt) {
  auto* def = new TDefaultTaker(f.Form);
  def->SetParent(f.Form);
  def->SetBounds(200, 10, 80, 20);
  a->SetFocus();
  TestHarness::Key(a, VK_RETURN);
  EXPECT_EQ(def->Taken, 1);
  a->Log.clear();
  a->DlgCode = DLGC_WANTALLKEYS;
  TestHarness::Key(a, VK_RETURN);
  EXPECT_EQ(def->Taken, 1) << "the control wanted Enter";
  EXPECT_EQ(a->Log[1], "WM_KEYDOWN 13 00000001");
  // CM_WANTSPECIALKEY claims the key as well.
  a->DlgCode = 0;
  a->SetWindowProc([this](TMessage& m) {
    if (m.Msg == CM_WANTSPECIALKEY && m.WParam == VK_RETURN) {
      m.Result = 1;
      return;
    }
    a->WndProc(m);
  });
  TestHarness::Key(a, VK_RETURN);
  EXPECT_EQ(def->Taken, 1);
  a->SetWindowProc(nullptr);
  TestHarness::Key(a, VK_RETURN);
  EXPECT_EQ(def->Taken, 2);
}

TEST_F(InputFixture, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst) {
  std::vector<std::string> order;
  f->SetKeyPreview(true);
  f->OnKeyPress = [&](TObject*, Char& k) {
    order.push_back("form");
    if (k == u'.') k = 0;
  };
  a->OnKeyPress = [&](TObject*, Char&) { order.push_back("control"); };
  a->SetFocus();
  TestHarness::Key(a, 'X');
  TestHarness::Key(a, VK_OEM_PERIOD);
  EXPECT_EQ(order, (std::vector<std::string>{"form", "control", "form"}));
}

TEST_F(InputFixture, OnKeyDownCanSwallowTheKeyButTheCharacterStillComes) {
  a->OnKeyDown = [](TObject*, Word& k, TShiftState) { k = 0; };
  Char seen = 0;
  a->OnKeyPress = [&](TObject*, Char& k) { seen = k; };
  a->SetFocus();
  TestHarness::Key(a, 'Q', TShiftState(ssShift));
  EXPECT_EQ(seen, u'Q');
}

TEST_F(InputFixture, TheWheelGoesToTheFocusedControlThenUpToTheForm) {
  a->SetFocus();
  Integer seen = 0;
  TPoint where;
  f->OnMouseWheel = [&](TObject*, TShiftState, Integer d, TPoint p, bool& handled) {
    seen = d;
    where = p;
    handled = true;
  };
  TestHarness::Wheel(b, -120, TPoint(5, 5));
  EXPECT_EQ(seen, -120);
  EXPECT_EQ(where, b->ClientToScreen(TPoint(5, 5)));
  ASSERT_FALSE(b->Log.empty());
  EXPECT_EQ(b->Log.back().substr(0, 25), "WM_MOUSEWHEEL 4287102976 ") << "delta in the high word";
}

TEST_F(InputFixture, MouseEnterAndLeaveReachTheControl) {
  std::vector<std::string> ev;
  a->OnMouseEnter = [&](TObject*) { ev.push_back("enter"); };
  a->OnMouseLeave = [&](TObject*) { ev.push_back("leave"); };
  TestHarness::MouseEnter(a);
  TestHarness::MouseLeave(a);
  EXPECT_EQ(ev, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(InputFixture, MessageLevelKeyStrokeMatchesTheWindowSystemPath) {
  a->SetFocus();
  a->Log.clear();
  TestHarness::SendKeyStroke(a, 'A', TShiftState(), u"a");
  EXPECT_EQ(a->Log, (std::vector<std::string>{"CN_KEYDOWN 65 00000001", "WM_KEYDOWN 65 00000001",
                                               "CN_CHAR 97 00000001", "WM_CHAR 97 00000001",
                                               "CN_KEYUP 65 C0000001", "WM_KEYUP 65 C0000001"}));
}

}  // namespace
