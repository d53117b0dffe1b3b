// Forms and the application: creation order, modal loops scripted by the harness, closing, the
// default exception handler, frames and placement.
#include <gtest/gtest.h>

#include "platform/gui/Dialogs.h"
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

class TFirst : public TForm {
 public:
  using TForm::TForm;
  String ClassName() const override { return u"TFirst"; }
};
class TSecond : public TForm {
 public:
  using TForm::TForm;
  String ClassName() const override { return u"TSecond"; }
};

TEST(Application, TheFirstFormCreatedIsTheMainFormAndOnCreateRunsAfterConstruction) {
  TApplication app(nullptr);
  TFirst* first = nullptr;
  TSecond* second = nullptr;
  app.CreateForm(first);
  app.CreateForm(second);
  EXPECT_EQ(app.MainForm(), first);
  EXPECT_EQ(first->Owner(), &app);
  EXPECT_FALSE(first->Visible());
  EXPECT_FALSE(first->HasState(csLoading));
}

// A form whose OnCreate fails: the error is shown, the form is made and the next form too.
class TFailingCreate : public TForm {
 public:
  explicit TFailingCreate(TComponent* Owner) : TForm(Owner) {
    OnCreate = [](TObject*) { throw EFOpenError(u"Cannot open file \"German.lng\""); };
  }
  String ClassName() const override { return u"TFailingCreate"; }
};

TEST(Application, AnExceptionInOnCreateIsShownAndTheFormsAreStillMade) {
  TApplication app(nullptr);
  TFailingCreate* first = nullptr;
  TSecond* second = nullptr;
  TestHarness::ExpectMessage(u"Cannot open file \"German.lng\"", mtError);
  app.CreateForm(first);
  app.CreateForm(second);
  EXPECT_TRUE(TestHarness::Verify());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(app.MainForm(), first);
  EXPECT_FALSE(first->HasState(csLoading));
  EXPECT_NE(second, nullptr);
}

TEST(Forms, NestedModalFormsAndAMessageBoxReturnTheScriptedResultsInOrder) {
  FormHolder outer, inner;
  outer->SetCaption(u"Outer");
  inner->SetCaption(u"Inner");
  std::vector<std::string> order;
  TestHarness::ExpectModal(u"Outer", [&](TCustomForm& f) {
    order.push_back("outer shown");
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.Modal());
    TModalResult r = inner->ShowModal();
    order.push_back("inner gave " + std::to_string(r));
    Integer answer = MessageDlg(u"Overwrite?", mtConfirmation, mbYesNoCancel);
    order.push_back("box gave " + std::to_string(answer));
    f.SetModalResult(mrOk);
  });
  TestHarness::ExpectModal(u"Inner", mrCancel);
  TestHarness::ExpectMessage(u"Overwrite?", mtConfirmation, mrNo);
  EXPECT_EQ(outer->ShowModal(), mrOk);
  EXPECT_EQ(order, (std::vector<std::string>{"outer shown", "inner gave 2", "box gave 7"}));
  EXPECT_FALSE(outer->Visible());
  EXPECT_FALSE(inner->Visible());
  EXPECT_TRUE(TestHarness::Verify());
}

TEST(Forms, ShowModalRefusesAVisibleForm) {
  FormHolder f;
  TestHarness::ShowForm(f.Form);
  EXPECT_THROW(f->ShowModal(), EInvalidOperation);
}

TEST(Forms, CloseOnAModalFormGivesCancelAndOnCloseCanKeepAFormOpen) {
  FormHolder f;
  Integer closes = 0;
  f->OnClose = [&](TObject*, TCloseAction& a) {
    ++closes;
    EXPECT_EQ(a, caHide);
  };
  TestHarness::ExpectModal(u"TTestForm", [](TCustomForm& form) { form.Close(); });
  EXPECT_EQ(f->ShowModal(), mrCancel);
  EXPECT_EQ(closes, 1);

  TestHarness::ShowForm(f.Form);
  f->OnClose = [](TObject*, TCloseAction& a) { a = caNone; };
  f->Close();
  EXPECT_TRUE(f->Visible());
  f->OnClose = nullptr;
  f->Close();
  EXPECT_FALSE(f->Visible());
}

TEST(Forms, AnExceptionInAHandlerReachesTheDefaultHandlerAndTheProgramGoesOn) {
  FormHolder f;
  auto* r = new TRecorder(f.Form);
  r->SetParent(f.Form);
  r->SetBounds(10, 10, 50, 20);
  Integer clicks = 0;
  r->OnClick = [&](TObject*) {
    ++clicks;
    throw EConvertError(u"'x' is not a valid integer value");
  };
  TestHarness::ShowForm(f.Form);
  TestHarness::ExpectMessage(u"'x' is not a valid integer value", mtError);
  TestHarness::Click(r);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(TestHarness::Verify());
  // Still alive: the next click runs the handler again.
  TestHarness::ExpectMessage(u"'x' is not a valid integer value", mtError);
  TestHarness::Click(r);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(TestHarness::Verify());
}

TEST(Forms, OnExceptionReplacesTheMessageBox) {
  FormHolder f;
  String seen;
  auto saved = Application->OnException;
  Application->OnException = [&](TObject*, const Exception& e) { seen = e.Message(); };
  GuardedCall([] { throw Exception(u"boom"); });
  GuardedCall([] { throw std::runtime_error("plain"); });
  Application->OnException = saved;
  EXPECT_EQ(seen, u"plain");
  EXPECT_TRUE(TestHarness::ShownMessages().empty());
}

TEST(Forms, ClientSizeExcludesTheFrameAndTheScreenCentrePlacesTheForm) {
  FormHolder f;
  f->SetBorderStyle(bsSingle);
  f->SetClientWidth(460);
  f->SetClientHeight(700 - 300);
  EXPECT_EQ(f->ClientWidth(), 460);
  EXPECT_EQ(f->ClientHeight(), 400);
  EXPECT_EQ(f->Width(), 460 + 6);
  EXPECT_EQ(f->Height(), 400 + 26 + 3);
  f->SetPosition(poScreenCenter);
  TestHarness::ShowForm(f.Form);
  TRect wa = Screen->WorkAreaRect();
  EXPECT_EQ(f->Left(), wa.Left + (wa.Width() - f->Width()) / 2);
  EXPECT_EQ(f->Top(), wa.Top + (wa.Height() - f->Height()) / 2);
  // A border style change keeps the client size.
  f->SetBorderStyle(bsNone);
  EXPECT_EQ(f->ClientWidth(), 460);
  EXPECT_EQ(f->Width(), 460);
}

TEST(Forms, OnCanResizeAdjustsTheNewSizeAndOnResizeFollows) {
  FormHolder f;
  Integer resizes = 0;
  f->OnCanResize = [](TObject*, Integer& w, Integer&, bool&) { w = 466; };
  f->OnResize = [&](TObject*) { ++resizes; };
  f->SetBounds(0, 0, 800, 500);
  EXPECT_EQ(f->Width(), 466);
  EXPECT_EQ(f->Height(), 500);
  EXPECT_EQ(resizes, 1);
  f->OnCanResize = [](TObject*, Integer&, Integer&, bool& ok) { ok = false; };
  f->SetBounds(0, 0, 100, 100);
  EXPECT_EQ(f->Width(), 466);
}

TEST(Forms, UnexpectedModalFormsAndBoxesAreCancelledNotWaitedFor) {
  // The harness reports them as failures; here a local reporter catches them instead.
  std::vector<String> reports;
  TestHarness::Install([&](const String& m) { reports.push_back(m); });
  FormHolder f;
  EXPECT_EQ(f->ShowModal(), mrCancel);
  EXPECT_EQ(MessageDlg(u"Really?", mtConfirmation, mbYesNo), mrNo);
  TSaveDialog sd(nullptr);
  EXPECT_FALSE(sd.Execute());
  TestHarness::Install([](const String& m) { ADD_FAILURE() << StringToUtf8(m); });
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_NE(reports[0].find(u"TTestForm"), String::npos);
  EXPECT_NE(reports[1].find(u"Really?"), String::npos);
}

TEST(Forms, SaveDialogReturnsTheScriptedNameAsChosen) {
  TSaveDialog sd(nullptr);
  sd.InitialDir = u"/tmp/conf";
  sd.Filter = u"CSV (MS-DOS) (*.csv)|*.csv";
  TestHarness::ExpectFileDialog(true, u"/tmp/conf/objects");
  ASSERT_TRUE(sd.Execute());
  EXPECT_EQ(sd.FileName, u"/tmp/conf/objects") << "no default extension is added";
  ASSERT_EQ(TestHarness::ShownFileDialogs().size(), 1u);
  EXPECT_EQ(TestHarness::ShownFileDialogs()[0].InitialDir, u"/tmp/conf");
  TestHarness::ExpectFileDialog(true, u"");
  EXPECT_FALSE(sd.Execute());
}

TEST(Forms, ReleaseFreesTheFormOnceEventsAreProcessed) {
  auto* f = new TTestForm;
  bool destroyed = false;
  f->OnDestroy = [&](TObject*) { destroyed = true; };
  f->Release();
  EXPECT_FALSE(destroyed);
  TestHarness::ProcessEvents();
  EXPECT_TRUE(destroyed);
}

TEST(Forms, AReleasedFormFreedWithItsOwnerFirstIsNotFreedAgain) {
  const Integer forms = Screen->FormCount();
  auto* owner = new TTestForm;
  auto* owned = new TForm(owner);
  owned->AfterConstruction();
  owned->Release();
  TComponent::Free(owner);
  EXPECT_EQ(Screen->FormCount(), forms) << "the owned form left the screen's list too";
  // The release queue runs now: it must no longer hold the freed form.
  TestHarness::ProcessEvents();
  EXPECT_EQ(Screen->FormCount(), forms);
}

// --- Window states and the caption's move ---------------------------------------------------------

TEST(Forms, WindowStatesTakeEffectAndNormalBringsTheBoundsBack) {
  FormHolder f;
  f->SetBounds(30, 40, 300, 200);
  const TRect area = Screen->WorkAreaRect();
  Integer resizes = 0;
  f->OnResize = [&](TObject*) { ++resizes; };
  f->SetWindowState(wsMaximized);
  EXPECT_EQ(f->BoundsRect(), area);
  EXPECT_EQ(resizes, 1);
  TestHarness::ShowForm(f.Form);
  EXPECT_EQ(f->BoundsRect(), area) << "showing keeps the maximised bounds";
  f->SetWindowState(wsMinimized);
  EXPECT_EQ(f->WindowState(), wsMinimized);
  f->SetWindowState(wsNormal);
  EXPECT_EQ(f->BoundsRect(), Rect(30, 40, 330, 240));
  f->SetWindowState(wsMinimized);
  f->SetWindowState(wsNormal);
  EXPECT_EQ(f->BoundsRect(), Rect(30, 40, 330, 240)) << "a minimised form keeps its bounds";
}

TEST(Forms, SystemCommandsChangeTheStateOrClose) {
  FormHolder f;
  TestHarness::ShowForm(f.Form);
  struct Row {
    const char* Name;
    WPARAM Command;
    TWindowState State;
  };
  const Row rows[] = {
      {"maximise", SC_MAXIMIZE, wsMaximized},
      {"restore", SC_RESTORE, wsNormal},
      {"minimise", SC_MINIMIZE, wsMinimized},
      {"restore again", SC_RESTORE | 2, wsNormal},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    f->Perform(WM_SYSCOMMAND, r.Command, 0);
    EXPECT_EQ(f->WindowState(), r.State);
  }
  bool closed = false;
  f->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
  f->Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(f->Visible());
}

// A control that starts the caption's move when it is pressed, as a title bar of its own would.
class TDragBar : public TRecorder {
 public:
  using TRecorder::TRecorder;
  WPARAM Command = SC_MOVE | HTCAPTION;
  UINT Message = WM_SYSCOMMAND;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TRecorder::MouseDown(Button, Shift, X, Y);
    ReleaseCapture();
    SendMessage(GetParentForm(this)->Handle(), Message, Command, 0);
  }
};

TEST(Forms, TheCaptionsMoveFollowsTheMouseUntilTheButtonIsReleased) {
  struct Row {
    const char* Name;
    UINT Message;
    WPARAM Command;
  };
  const Row rows[] = {
      {"SC_MOVE with the caption's hit test", WM_SYSCOMMAND, SC_MOVE | HTCAPTION},
      {"SC_MOVE alone", WM_SYSCOMMAND, SC_MOVE},
      {"a press on the caption", 0x00A1, HTCAPTION},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    FormHolder f;
    f->SetBounds(50, 60, 300, 200);
    auto* bar = new TDragBar(f.Form);
    bar->SetParent(f.Form);
    bar->SetBounds(0, 0, 300, 20);
    bar->Message = r.Message;
    bar->Command = r.Command;
    Integer heard = 0;
    bar->OnMouseMove = [&](TObject*, TShiftState, Integer, Integer) { ++heard; };
    bar->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++heard; };
    TestHarness::ShowForm(f.Form);
    TestHarness::MouseDown(bar, mbLeft, TPoint(100, 10));
    EXPECT_EQ(GetCaptureControl(), nullptr);
    TestHarness::MouseMove(bar, TPoint(130, 5), TShiftState(ssLeft));
    EXPECT_EQ(f->BoundsRect(), Rect(80, 55, 380, 255));
    // The bar moved with the form: the same client point is now 30 pixels further right.
    TestHarness::MouseMove(bar, TPoint(100, 10), TShiftState(ssLeft));
    EXPECT_EQ(f->BoundsRect(), Rect(80, 55, 380, 255));
    TestHarness::MouseMove(bar, TPoint(90, 30), TShiftState(ssLeft));
    EXPECT_EQ(f->BoundsRect(), Rect(70, 75, 370, 275));
    TestHarness::MouseUp(bar, mbLeft, TPoint(90, 30));
    EXPECT_EQ(heard, 0) << "the move takes the mouse messages";
    // After the release the mouse is the bar's again and the form stays.
    TestHarness::MouseMove(bar, TPoint(10, 10), TShiftState(ssLeft));
    EXPECT_EQ(f->BoundsRect(), Rect(70, 75, 370, 275));
    EXPECT_EQ(heard, 1);
  }
}

TEST(Forms, AMoveWithoutTheLeftButtonDownIsNotStarted) {
  FormHolder f;
  f->SetBounds(50, 60, 300, 200);
  TestHarness::ShowForm(f.Form);
  ClearKeyboardState();
  f->Perform(WM_SYSCOMMAND, SC_MOVE, 0);
  auto* r = new TRecorder(f.Form);
  r->SetParent(f.Form);
  r->SetBounds(0, 0, 100, 20);
  r->Watch = {WM_MOUSEMOVE};
  TestHarness::MouseMove(r, TPoint(40, 10), TShiftState(ssLeft));
  EXPECT_EQ(f->BoundsRect(), Rect(50, 60, 350, 260));
  EXPECT_EQ(r->Log.size(), 1u);
}

}  // namespace

// --- Monitors, window styles and the drop shadow ---------------------------------------------------

namespace {

// A primary display with a task bar at the bottom and a second one to its right, shorter, with
// a dock on its right edge.
const std::vector<TMonitorInfo> TwoMonitors = {
    {Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040), true},
    {Rect(1920, 0, 3200, 1024), Rect(1920, 0, 3150, 1024), false},
};

}  // namespace

TEST(Screen, MonitorsAnswerForThePointTheyHoldOrAsTheDefaultSays) {
  TestHarness::SetMonitors(TwoMonitors);
  ASSERT_EQ(Screen->MonitorCount(), 2);
  EXPECT_EQ(Screen->PrimaryMonitor(), Screen->Monitors(0));
  EXPECT_EQ(Screen->Monitors(1)->WorkareaRect(), Rect(1920, 0, 3150, 1024));
  EXPECT_EQ(Screen->Width(), 1920) << "the screen's size is the primary monitor's";
  EXPECT_EQ(Screen->Height(), 1080);
  EXPECT_EQ(Screen->WorkAreaRect(), Rect(0, 0, 1920, 1040));
  struct Case {
    const char* Name;
    TPoint P;
    TMonitorDefaultTo Default;
    Integer Expected;  // the monitor's number, -1 for none
  };
  const Case cases[] = {
      {"inside the primary", TPoint(100, 100), mdNull, 0},
      {"the second's left edge", TPoint(1920, 500), mdNull, 1},
      {"below the second, nearest", TPoint(2500, 1500), mdNearest, 1},
      {"left of the primary, nearest", TPoint(-300, 1070), mdNearest, 0},
      {"below the second's short bottom, nearest", TPoint(1990, 1050), mdNearest, 1},
      {"on no monitor, none", TPoint(2500, 1500), mdNull, -1},
      {"on no monitor, the primary", TPoint(2500, 1500), mdPrimary, 0},
  };
  for (const Case& c : cases) {
    TMonitor* m = Screen->MonitorFromPoint(c.P, c.Default);
    EXPECT_EQ(m ? m->MonitorNum() : -1, c.Expected) << c.Name;
  }
  EXPECT_THROW(Screen->Monitors(2), EListError);
  TestHarness::SetMonitors({});
  EXPECT_GE(Screen->MonitorCount(), 1) << "the window system's displays again";
}

TEST(Forms, AStayOnTopFormOfAnOwnerIsAToolWindowAboveIt) {
  FormHolder owner, popup;
  EXPECT_EQ(popup->FormStyle(), fsNormal);
  TestHarness::TWindowLook look = TestHarness::WindowLook(popup.Form);
  EXPECT_FALSE(look.StaysOnTop);
  EXPECT_FALSE(look.ToolWindow);
  popup->SetFormStyle(fsStayOnTop);
  popup->SetPopupParent(owner.Form);
  TestHarness::ShowForm(owner.Form);
  TestHarness::ShowForm(popup.Form);
  look = TestHarness::WindowLook(popup.Form);
  EXPECT_TRUE(look.StaysOnTop);
  EXPECT_TRUE(look.ToolWindow);
  EXPECT_EQ(look.Owner, owner.Form);
  popup->SetPopupParent(nullptr);
  look = TestHarness::WindowLook(popup.Form);
  EXPECT_FALSE(look.ToolWindow) << "without an owner it is a window of its own again";
  EXPECT_EQ(look.Owner, nullptr);
  EXPECT_TRUE(look.StaysOnTop);
  // An owner that goes away is forgotten.
  auto* gone = new TTestForm;
  popup->SetPopupParent(gone);
  TComponent::Free(gone);
  EXPECT_EQ(popup->PopupParent(), nullptr);
  EXPECT_FALSE(TestHarness::WindowLook(popup.Form).ToolWindow);
}

TEST(Forms, TheDropShadowShowsRightAndBelowWhereTheDisplayComposites) {
  FormHolder f;
  f->SetBorderStyle(bsNone);
  f->SetBounds(50, 60, 200, 100);
  f->SetDropShadow(true);
  TestHarness::SetDisplayComposites(false);
  TestHarness::ShowForm(f.Form);
  EXPECT_FALSE(TestHarness::WindowLook(f.Form).Shadow) << "without compositing a shadow could only hide";
  f->Hide();
  TestHarness::SetDisplayComposites(true);
  TestHarness::ShowForm(f.Form);
  ASSERT_TRUE(TestHarness::WindowLook(f.Form).Shadow);
  struct Case {
    const char* Name;
    Integer X, Y;
    bool Shaded;
  };
  const Case cases[] = {
      {"right of the window", 201, 50, true},
      {"below the window", 100, 101, true},
      {"the bottom-right corner", 201, 101, true},
      {"under the window itself", 100, 50, false},
      {"right of the window's top, above the offset", 201, 1, false},
      {"below the window's left, before the offset", 1, 101, false},
      {"beyond the shadow", 206, 50, false},
  };
  for (const Case& c : cases) {
    const Cardinal p = TestHarness::ShadowPixelARGB(f.Form, c.X, c.Y);
    if (c.Shaded) {
      EXPECT_GT(p >> 24, 0u) << c.Name;
      EXPECT_LT(p >> 24, 255u) << c.Name << ": a shadow lets what lies below show";
      EXPECT_EQ(p & 0xFFFFFF, 0u) << c.Name << ": black";
    } else {
      EXPECT_EQ(p, 0u) << c.Name;
    }
  }
  EXPECT_GT(TestHarness::ShadowPixelARGB(f.Form, 200, 50) >> 24, TestHarness::ShadowPixelARGB(f.Form, 203, 50) >> 24)
      << "the shadow fades outward";
  f->SetBounds(300, 200, 200, 100);
  EXPECT_GT(TestHarness::ShadowPixelARGB(f.Form, 201, 50) >> 24, 0u) << "the shadow follows the window";
  f->SetBounds(300, 200, 120, 80);
  EXPECT_GT(TestHarness::ShadowPixelARGB(f.Form, 121, 40) >> 24, 0u) << "and its size";
  EXPECT_EQ(TestHarness::ShadowPixelARGB(f.Form, 201, 50), 0u);
  f->SetDropShadow(false);
  EXPECT_FALSE(TestHarness::WindowLook(f.Form).Shadow);
  f->SetDropShadow(true);
  f->Hide();
  EXPECT_FALSE(TestHarness::WindowLook(f.Form).Shadow) << "the shadow goes with the window";
}

// Notes the window that takes the activation each time the form loses it.
class TActivationProbe : public TTestForm {
 public:
  std::vector<HWND> Taking;
  void Dispatch(TMessage& M) override {
    if (M.Msg == WM_ACTIVATE && M.WParam == WA_INACTIVE) Taking.push_back(static_cast<HWND>(M.LParam));
    TTestForm::Dispatch(M);
  }
};

TEST(Forms, TheFormLosingTheActivationLearnsWhichWindowTakesIt) {
  auto* first = new TActivationProbe;
  FormHolder second;
  TestHarness::ShowForm(first);
  ASSERT_TRUE(first->Active());
  TestHarness::ShowForm(second.Form);
  EXPECT_FALSE(first->Active());
  ASSERT_FALSE(first->Taking.empty());
  EXPECT_EQ(first->Taking.back(), second->Handle());
  TComponent::Free(first);
}
