// The mini-HTML hint window and the balloon window with the grid's balloon settings.
#include <gtest/gtest.h>

#include "components/grid/ExGridHints.h"
#include "components/gridbase/ExUtil.h"
#include "tests/components/grid/GridSettingsTestUtil.h"

namespace {

// The width of Text in the hint window's font.
Integer TextWidthIn(const TFont* Font, const String& Text) {
  TBitmap B(1, 1);
  B.Canvas()->Font()->Assign(Font);
  return B.Canvas()->TextWidth(Text);
}

// A control that answers the balloon window's text request and logs its notifications.
class TToolControl : public TCustomControl {
 public:
  explicit TToolControl(TComponent* AOwner) : TCustomControl(AOwner) {}
  String ClassName() const override { return u"TToolControl"; }
  String Answer = u"Cell text";
  std::vector<std::string> Log;
  void Dispatch(TMessage& M) override {
    if (M.Msg == WM_NOTIFY) {
      auto* Hdr = reinterpret_cast<NMHDR*>(M.LParam);
      if (Hdr->code == TTN_GETDISPINFOW) {
        reinterpret_cast<NMTTDISPINFOW*>(M.LParam)->Text = Answer;
        Log.push_back("text");
      } else if (Hdr->code == TTN_SHOW) {
        Log.push_back("show");
      } else if (Hdr->code == TTN_POP) {
        Log.push_back("pop");
      }
      return;
    }
    TCustomControl::Dispatch(M);
  }
};

}  // namespace

using HintWindowTest = GridSettingsFixture;

TEST_F(HintWindowTest, HintsAreSizedByTheirKind) {
  THTMLHintWindow Hint(nullptr);
  struct Case {
    const char* Name;
    String Text;
    String Shown;  // the text as measured in the hint's font
    Integer Extra;
  };
  const Case Cases[] = {
      {"mini-HTML word", u"Temperature", u"Temperature", 16},
      {"encoded wide text", EncodeUnicodeText(u"Druck"), u"Druck", 8},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Hint.ActivateHint(TRect(10, 20, 11, 21), C.Text);
    EXPECT_TRUE(Hint.Visible());
    EXPECT_EQ(Hint.Left(), 10);
    EXPECT_EQ(Hint.Top(), 20);
    EXPECT_EQ(Hint.Width(), TextWidthIn(Hint.Font(), C.Shown) + C.Extra);
    EXPECT_EQ(Hint.Height(), Hint.TextHeight() + 4);
    const TRect R = Hint.CalcHintRect(300, C.Text);
    EXPECT_EQ(R.Right, Hint.Width() - C.Extra);
    Hint.ReleaseHint();
  }
}

TEST_F(HintWindowTest, AHintNearTheScreenEdgesMovesInside) {
  THTMLHintWindow Hint(nullptr);
  const Integer W = Screen->Width(), H = Screen->Height();
  Hint.ActivateHint(TRect(W - 5, H - 3, W, H), u"Near the corner");
  EXPECT_EQ(Hint.Left() + Hint.Width(), W - 2);
  EXPECT_EQ(Hint.Top() + Hint.Height(), H - 2);
}

TEST_F(HintWindowTest, AGridAsDataGivesItsPictures) {
  THTMLHintWindow Hint(nullptr);
  TImageList Images(nullptr);
  Grid->SetGridImages(&Images);
  Hint.ActivateHintData(TRect(0, 0, 1, 1), u"<b>x</b>", Grid);
  EXPECT_EQ(Hint.Images(), &Images);
  Grid->SetGridImages(nullptr);
}

TEST_F(HintWindowTest, PaintFillsAndFramesTheWindow) {
  THTMLHintWindow Hint(nullptr);
  Hint.SetColor(0x00C0FFFF);
  Hint.ActivateHint(TRect(30, 30, 31, 31), u"Frame");
  TestHarness::ProcessEvents();
  const TColor Light = ColorToRGB(cl3DLight), Dark = ColorToRGB(cl3DDkShadow);
  EXPECT_EQ(TestHarness::Pixel(&Hint, 0, 5), Light);
  EXPECT_EQ(TestHarness::Pixel(&Hint, 5, 0), Light);
  EXPECT_EQ(TestHarness::Pixel(&Hint, Hint.Width() - 1, 5), Dark);
  EXPECT_EQ(TestHarness::Pixel(&Hint, 5, Hint.Height() - 1), Dark);
  EXPECT_EQ(TestHarness::Pixel(&Hint, Hint.Width() - 3, 2), TColor(0x00C0FFFF));
}

// --- Balloons ------------------------------------------------------------------------------------

using BalloonTest = GridSettingsFixture;

TEST_F(BalloonTest, InitMakesOneWindowWithTheSettingsAndDoneRemovesIt) {
  TBalloonSettings B(Grid);
  B.SetInitialDelay(300);
  B.SetAutoHideDelay(2000);
  B.SetTransparency(55);
  B.BalloonInit();
  TBalloonWindow* W = B.BalloonWindow();
  ASSERT_NE(W, nullptr);
  EXPECT_TRUE(B.Initialized());
  B.BalloonInit();
  EXPECT_EQ(B.BalloonWindow(), W);
  EXPECT_EQ(W->Tool(), Grid);
  EXPECT_EQ(W->Style(), Cardinal(0x43));
  EXPECT_EQ(Narrow(W->Title()), "ToolTipText");
  EXPECT_EQ(W->TitleIcon(), 3);
  EXPECT_EQ(W->DelayTime(TTDT_INITIAL), 300);
  EXPECT_EQ(W->DelayTime(TTDT_AUTOPOP), 2000);
  EXPECT_EQ(W->DelayTime(TTDT_RESHOW), 100);  // not set: the default
  EXPECT_EQ(W->Alpha(), 200);
  Byte Alpha = 0;
  Cardinal Flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(W->Handle(), nullptr, &Alpha, &Flags));
  EXPECT_EQ(Alpha, 200);
  EXPECT_EQ(Flags & LWA_ALPHA, LWA_ALPHA);
  B.BalloonDone();
  EXPECT_EQ(B.BalloonWindow(), nullptr);
  EXPECT_FALSE(B.Initialized());
  // The grid's window procedure is its own again.
  EXPECT_FALSE(static_cast<bool>(Grid->WindowProc()));
}

TEST_F(BalloonTest, TheBalloonShowsAfterTheMouseRestsAndGoesOnPopAndLeave) {
  TestHarness::UseFakeClock(true);
  auto* Tool = new TToolControl(Form);
  Tool->SetParent(Form);
  Tool->SetBounds(0, 260, 200, 40);
  TBalloonWindow* W = new TBalloonWindow(nullptr);
  W->Attach(Tool);
  W->SetDelayTime(TTDT_INITIAL, 400);
  W->SetDelayTime(TTDT_AUTOPOP, 3000);
  W->Perform(TTM_SETMAXTIPWIDTH, 0, 300);
  const String Title = u"Title";
  W->Perform(TTM_SETTITLEW, 1, reinterpret_cast<LPARAM>(&Title));

  TestHarness::SendMouse(Tool, WM_MOUSEMOVE, TPoint{10, 10});
  TestHarness::AdvanceClock(399);
  EXPECT_FALSE(W->Shown());
  TestHarness::AdvanceClock(1);
  EXPECT_TRUE(W->Shown());
  EXPECT_EQ(Narrow(W->TipText()), "Cell text");
  EXPECT_EQ(W->MaxTipWidth(), 300);
  EXPECT_EQ(W->TitleIcon(), 1);
  EXPECT_EQ(Tool->Log, (std::vector<std::string>{"text", "show"}));

  // The tool closes it (as the grid does when the mouse leaves the balloon's cell).
  Tool->Log.clear();
  W->Perform(TTM_POP);
  EXPECT_FALSE(W->Shown());
  EXPECT_EQ(Tool->Log, (std::vector<std::string>{"pop"}));

  // Shown again after resting, hidden after the show delay.
  TestHarness::SendMouse(Tool, WM_MOUSEMOVE, TPoint{20, 10});
  TestHarness::AdvanceClock(400);
  EXPECT_TRUE(W->Shown());
  TestHarness::AdvanceClock(3000);
  EXPECT_FALSE(W->Shown());

  // No text, no balloon; and a click hides a shown one.
  Tool->Answer.clear();
  TestHarness::SendMouse(Tool, WM_MOUSEMOVE, TPoint{30, 10});
  TestHarness::AdvanceClock(400);
  EXPECT_FALSE(W->Shown());
  Tool->Answer = u"Again";
  TestHarness::SendMouse(Tool, WM_MOUSEMOVE, TPoint{40, 10});
  TestHarness::AdvanceClock(400);
  ASSERT_TRUE(W->Shown());
  TestHarness::SendMouse(Tool, WM_LBUTTONDOWN, TPoint{40, 10}, MK_LBUTTON);
  EXPECT_FALSE(W->Shown());
  TestHarness::SendMouse(Tool, WM_LBUTTONUP, TPoint{40, 10});

  TComponent::Free(W);
  EXPECT_FALSE(static_cast<bool>(Tool->WindowProc()));
  TestHarness::UseFakeClock(false);
}

TEST_F(BalloonTest, TheBalloonPaintsItsColoursWhenSet) {
  TestHarness::UseFakeClock(true);
  auto* Tool = new TToolControl(Form);
  Tool->SetParent(Form);
  Tool->SetBounds(0, 260, 200, 40);
  TBalloonWindow* W = new TBalloonWindow(nullptr);
  W->Attach(Tool);
  W->Perform(TTM_SETTIPBKCOLOR, 0x00E0FFE0);
  W->Perform(TTM_SETTIPTEXTCOLOR, 0x00800000);
  TestHarness::SendMouse(Tool, WM_MOUSEMOVE, TPoint{10, 10});
  TestHarness::AdvanceClock(500);
  ASSERT_TRUE(W->Shown());
  TestHarness::ProcessEvents();
  // Inside the body, below the tail and clear of the text.
  EXPECT_EQ(TestHarness::Pixel(W, W->Width() - 6, W->Height() - 4), TColor(0x00E0FFE0));
  TComponent::Free(W);
  TestHarness::UseFakeClock(false);
}

TEST_F(BalloonTest, TheGridsBalloonShowsTheCellUnderTheMouse) {
  TestHarness::UseFakeClock(true);
  Grid->SetCells(2, 3, u"Valve open");
  Grid->Balloon()->SetEnable(true);
  TBalloonWindow* W = Grid->Balloon()->BalloonWindow();
  ASSERT_NE(W, nullptr);
  const TRect Cell = Grid->CellRect(2, 3);
  const TPoint P{Cell.Left + 5, Cell.Top + 5};
  const TPoint Screen = Grid->ClientToScreen(P);
  SetCursorPosSource([Screen] { return Screen; });
  TestHarness::SendMouse(Grid, WM_MOUSEMOVE, P);
  TestHarness::AdvanceClock(500);
  EXPECT_TRUE(W->Shown());
  EXPECT_EQ(Narrow(W->TipText()), "Valve open");
  EXPECT_EQ(W->MaxTipWidth(), 300);
  Grid->Balloon()->SetEnable(false);
  EXPECT_EQ(Grid->Balloon()->BalloonWindow(), nullptr);
  SetCursorPosSource(nullptr);
  TestHarness::UseFakeClock(false);
}
