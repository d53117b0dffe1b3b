// The analog clock on a form: setting the time by clicks and keys, the hand animation driven by the
// fake clock, the AM/PM box, automatic mode, and what the face paints.
#include "components/dropdown/ExWatch.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/os/Clock.h"

namespace {

class ExWatchTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 300, 260);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    W = new TExWatch(Form);
    W->SetParent(Form);
    W->SetBounds(10, 10, 170, 170);
    W->OnChange = [this](TObject*) { Changes.push_back(Hm()); };
  }
  void TearDown() override {
    TestHarness::UseFakeClock(false);
    SetNowFunction(nullptr);
    SetSleepFunction(nullptr);
    TComponent::Free(Form);
  }
  // The set time as hours * 100 + minutes.
  Integer Hm() const {
    Word H, M, S, MS;
    DecodeTime(W->Time(), H, M, S, MS);
    return H * 100 + M;
  }
  void SetHm(Integer H, Integer M, Integer S = 0) { W->SetTime(EncodeTime(H, M, S, 0)); }
  // Lets the animation timer fire until the animation ends (bounded).
  Integer RunAnimation(std::vector<Integer>* Steps = nullptr) {
    Integer Ticks = 0;
    while (W->Animating() && Ticks < 100) {
      TestHarness::AdvanceClock(1);
      ++Ticks;
      if (Steps) Steps->push_back(Hm());
    }
    return Ticks;
  }
  TColor Shown(Integer X, Integer Y) {
    W->Invalidate();
    W->PaintIfNeeded();
    return W->BackingImage()->Canvas()->Pixels(X, Y);
  }

  TForm* Form = nullptr;
  TExWatch* W = nullptr;
  std::vector<Integer> Changes;
};

TEST_F(ExWatchTest, FaceOfA170PixelClock) {
  EXPECT_EQ(W->GetFaceRect(), Rect(10, 10, 160, 160));
  EXPECT_EQ(W->GetCenter(), TPoint(85, 85));
  EXPECT_EQ(W->GetFaceRadius(), 75);
  W->SetShowAMPM(false);
  EXPECT_EQ(W->GetAMPMRect(), Rect(-1, -1, -1, -1));
}

TEST_F(ExWatchTest, ClicksSetTheHourInTheFaceAndTheMinuteInTheRing) {
  W->SetAnimation(false);
  struct Row {
    const char* Name;
    Integer StartH, StartM;
    TPoint Click;
    Integer Expected;
  };
  const Row Rows[] = {
      {"3 o'clock before noon", 10, 20, TPoint(150, 85), 320},
      {"3 o'clock after noon", 22, 20, TPoint(150, 85), 1520},
      {"just left of 12 before noon", 10, 20, TPoint(83, 30), 20},
      {"just right of 12 after noon", 22, 20, TPoint(87, 30), 1220},
      {"ring below the face: half past", 10, 20, TPoint(85, 165), 1030},
      {"ring at 12 from a quarter to: the hour moves on", 10, 45, TPoint(85, 4), 1100},
      {"ring at 12 from a quarter past: the hour stays", 10, 15, TPoint(85, 4), 1000},
  };
  for (const Row& R : Rows) {
    SetHm(R.StartH, R.StartM);
    Changes.clear();
    TestHarness::Click(W, R.Click);
    EXPECT_EQ(Hm(), R.Expected) << R.Name;
    // A click without animation reports its change at once.
    EXPECT_EQ(Changes, std::vector<Integer>{R.Expected}) << R.Name;
  }
}

TEST_F(ExWatchTest, AnimatedHourMovesOneHourPerTickAndReportsOnce) {
  TestHarness::UseFakeClock(true);
  SetHm(3, 0);
  W->SetHour(9);
  EXPECT_EQ(Hm(), 300) << "the hand has not moved yet";
  std::vector<Integer> Steps;
  RunAnimation(&Steps);
  EXPECT_EQ(Steps, (std::vector<Integer>{400, 500, 600, 700, 800, 900}));
  EXPECT_EQ(Changes, std::vector<Integer>{900});
  EXPECT_FALSE(W->Animating());
}

TEST_F(ExWatchTest, AnimatedMinutePassingTwelveCarriesIntoTheHour) {
  TestHarness::UseFakeClock(true);
  SetHm(10, 45);
  TestHarness::Click(W, TPoint(85, 4));
  const Integer Ticks = RunAnimation();
  EXPECT_GT(Ticks, 1);
  EXPECT_EQ(Hm(), 1100);
  EXPECT_EQ(Changes, std::vector<Integer>{1100});
}

TEST_F(ExWatchTest, AMPMBoxSwitchesTheHalfOfTheDay) {
  Integer Sleeps = 0;
  SetSleepFunction([&](Cardinal) { ++Sleeps; });
  SetHm(14, 20);
  W->Invalidate();
  W->PaintIfNeeded();
  EXPECT_FALSE(W->AM());
  const TRect Box = W->GetAMPMRect();
  TestHarness::Click(W, CenterPoint(Box));
  EXPECT_EQ(Hm(), 220);
  EXPECT_TRUE(W->AM());
  // The box rolls one pixel per step through its inside, pausing after each step.
  EXPECT_EQ(Sleeps, Box.Height() - 2);
  EXPECT_EQ(Changes, std::vector<Integer>{220});
}

TEST_F(ExWatchTest, KeysOfThePopup) {
  W->SetAnimation(false);
  struct Row {
    const char* Name;
    Integer StartH, StartM, StartS;
    Word Key;
    Integer ExpectedHm, ExpectedS;
  };
  const Row Rows[] = {
      {"PageUp at 23 wraps to 0", 23, 10, 0, VK_PRIOR, 10, 0},
      {"PageUp", 5, 10, 0, VK_PRIOR, 610, 0},
      {"PageDown at 0 wraps to 23", 0, 10, 0, VK_NEXT, 2310, 0},
      {"Home goes to 12", 5, 10, 0, VK_HOME, 1210, 0},
      {"End from a minute past 30 carries", 5, 40, 0, VK_END, 600, 0},
      {"End from a minute below 30", 5, 20, 0, VK_END, 500, 0},
      {"Left at minute 0 keeps the second", 7, 0, 30, VK_LEFT, 659, 30},
      {"Left at midnight", 0, 0, 0, VK_LEFT, 2359, 0},
      {"Right at 59 carries", 7, 59, 0, VK_RIGHT, 800, 0},
      {"A in the afternoon", 14, 0, 0, 'A', 200, 0},
      {"A in the morning does nothing", 2, 0, 0, 'A', 200, 0},
      {"P in the morning", 2, 0, 0, 'P', 1400, 0},
      {"another key does nothing", 2, 0, 0, VK_SPACE, 200, 0},
  };
  for (const Row& R : Rows) {
    SetHm(R.StartH, R.StartM, R.StartS);
    W->HandleKey(R.Key);
    Word H, M, S, MS;
    DecodeTime(W->Time(), H, M, S, MS);
    EXPECT_EQ(H * 100 + M, R.ExpectedHm) << R.Name;
    EXPECT_EQ(S, R.ExpectedS) << R.Name;
  }
}

TEST_F(ExWatchTest, InvalidValues) {
  SetHm(10, 0);
  try {
    W->SetMinute(60);
    FAIL() << "no error";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"Invalid time");
  }
  W->SetHour(24);
  EXPECT_EQ(Hm(), 1000);
  EXPECT_FALSE(W->Animating());
  W->SetAnimationFactor(0);
  EXPECT_EQ(W->AnimationFactor(), 1);
}

TEST_F(ExWatchTest, AutomaticModeShowsTheOffsetTimeAndIgnoresInput) {
  SetNowFunction([] { return EncodeTime(10, 15, 0, 0); });
  W->Settings()->SetTimeOffset(60);
  W->Settings()->SetAuto(true);
  EXPECT_TRUE(W->WatchTimer()->Enabled());
  Word H, M, S, MS;
  DecodeTime(W->GetDisplayTime(), H, M, S, MS);
  EXPECT_EQ(H * 100 + M, 1115);
  EXPECT_EQ(Hm(), 1015) << "the set time is the current time, without the offset";
  TestHarness::Click(W, TPoint(150, 85));
  W->HandleKey(VK_PRIOR);
  EXPECT_EQ(Hm(), 1015);
  EXPECT_TRUE(Changes.empty());
  W->Settings()->SetAuto(false);
  EXPECT_FALSE(W->WatchTimer()->Enabled());
}

TEST_F(ExWatchTest, StyleWriteAppliesTheLookOnlyOnAChange) {
  W->SetStyle(wsClassic);
  TWatchAppearance Defaults;
  EXPECT_EQ(W->Appearance()->HourFont()->Name(), Defaults.HourFont()->Name())
      << "a new clock keeps the plain defaults";
  W->SetShowAMPM(false);
  W->SetStyle(wsTower);
  EXPECT_FALSE(W->ShowNumbers());
  EXPECT_FALSE(W->ShowAMPM()) << "wsTower leaves ShowAMPM as it was";
  W->SetStyle(wsClassic);
  EXPECT_TRUE(W->ShowAMPM());
  EXPECT_TRUE(W->ShowNumbers());
  EXPECT_EQ(W->Appearance()->HourFont()->Name(), u"Comic Sans MS");
  EXPECT_EQ(W->Appearance()->HourMarkLength(), 8);
}

TEST_F(ExWatchTest, FaceFillFollowsTheShape) {
  W->Appearance()->SetBackgroundColor(0x00FF00);
  struct Row {
    const char* Name;
    TWatchShape Shape;
    bool CornerFilled;
  };
  const Row Rows[] = {
      {"circle: the corners stay outside", wsCircle, false},
      {"rectangle: the whole control", wsRect, true},
      {"rounded rectangle: inside its corner arc", wsRoundRect, true},
  };
  for (const Row& R : Rows) {
    W->Appearance()->SetShape(R.Shape);
    EXPECT_EQ(Shown(60, 120), 0x00FF00) << R.Name;
    EXPECT_EQ(Shown(6, 6) == 0x00FF00, R.CornerFilled) << R.Name;
  }
}

TEST_F(ExWatchTest, TickMarksFollowTheSetting) {
  // The 3 o'clock hour mark runs from 0.9 of the marks' radius (73) out to it.
  struct Row {
    const char* Name;
    TTickMarks Marks;
    bool HourMark, MinuteMark;
  };
  const Row Rows[] = {
      {"all", tmAll, true, true},
      {"hours", tmHours, true, false},
      {"quarter hours", tmQuartHours, true, false},
      {"none", tmNone, false, false},
  };
  W->SetShowNumbers(false);
  W->SetShowAMPM(false);
  for (const Row& R : Rows) {
    W->Appearance()->SetTickMarks(R.Marks);
    EXPECT_EQ(Shown(153, 85) == clBlack, R.HourMark) << R.Name;
    // The minute mark at 16 minutes starts at 0.95 of that radius, at (154, 92).
    EXPECT_EQ(Shown(154, 92) == 0x808080, R.MinuteMark) << R.Name;
  }
}

}  // namespace
