// The clock's geometry, its settings and appearance objects and its two style tables, without a
// window.
#include <gtest/gtest.h>

#include "components/dropdown/ExWatch.h"

namespace {

TEST(ExWatchGeometry, FaceIsACentredSquare) {
  struct Row {
    const char* Name;
    Integer W, H, Size;
    TRect Expected;
  };
  const Row Rows[] = {
      {"170 x 170 leaves a 10-pixel ring", 170, 170, 0, Rect(10, 10, 160, 160)},
      {"wide control: the height decides", 200, 100, 0, Rect(60, 10, 140, 90)},
      {"a given size below the client", 170, 170, 100, Rect(35, 35, 135, 135)},
      {"a given size above the client", 170, 120, 300, Rect(25, 0, 145, 120)},
  };
  for (const Row& R : Rows) EXPECT_EQ(WatchFaceRect(R.W, R.H, R.Size), R.Expected) << R.Name;
  EXPECT_EQ(WatchCenter(Rect(10, 10, 160, 160)), TPoint(85, 85));
}

TEST(ExWatchGeometry, MinuteAndHourFromAPoint) {
  const TPoint C(85, 85);
  struct Row {
    const char* Name;
    Integer X, Y;
    Integer Minute, HourAM, HourPM;
  };
  const Row Rows[] = {
      {"12 o'clock", 85, 5, 0, 0, 12},
      {"just left of 12", 83, 5, 0, 0, 12},
      {"just right of 12", 87, 5, 0, 0, 12},
      {"3 o'clock", 165, 85, 15, 3, 15},
      {"6 o'clock", 85, 165, 30, 6, 18},
      {"9 o'clock", 5, 85, 45, 9, 21},
      {"half past 1 on the dial", 125, 16, 5, 1, 13},
      {"the centre counts as down and right", 85, 85, 23, 5, 17},
  };
  for (const Row& R : Rows) {
    EXPECT_EQ(WatchMinuteFromPoint(C, R.X, R.Y), R.Minute) << R.Name;
    EXPECT_EQ(WatchHourFromPoint(C, R.X, R.Y, true), R.HourAM) << R.Name;
    EXPECT_EQ(WatchHourFromPoint(C, R.X, R.Y, false), R.HourPM) << R.Name;
  }
  EXPECT_TRUE(PointInEllipse(Rect(10, 10, 160, 160), 85, 85));
  EXPECT_TRUE(PointInEllipse(Rect(10, 10, 160, 160), 85, 12));
  EXPECT_FALSE(PointInEllipse(Rect(10, 10, 160, 160), 85, 163));
  EXPECT_FALSE(PointInEllipse(Rect(10, 10, 160, 160), 15, 15));
}

// Counts the change reports of an appearance.
struct ChangeCounter {
  Integer Count = 0;
  void Attach(TWatchAppearance& A) {
    A.OnChange = [this](TObject*) { ++Count; };
  }
};

TEST(ExWatchAppearance, CopyReportsOnlyTheLastThreeValues) {
  TWatchAppearance Source;
  Source.SetBorderWidth(9);
  Source.SetBackgroundColor(0x123456);
  Source.HourFont()->SetName(u"Courier");
  TWatchAppearance Copy;
  ChangeCounter Counter;
  Counter.Attach(Copy);
  Copy.Assign(&Source);
  EXPECT_EQ(Copy.BorderWidth(), 9);
  EXPECT_EQ(Copy.BackgroundColor(), 0x123456);
  EXPECT_EQ(Copy.HourFont()->Name(), u"Courier");
  EXPECT_EQ(Counter.Count, 0) << "equal last three values report nothing";

  Source.SetTickMarks(tmHours);
  Source.SetHourMarkStyle(hmsQuartDblLine);
  Source.SetCenterPointOuterBorderColor(0);
  Copy.Assign(&Source);
  EXPECT_EQ(Counter.Count, 3);
}

TEST(ExWatchSettings, WritesReportChangesAndCopyGoesThroughAuto) {
  TWatchSettings S;
  Integer Count = 0;
  S.OnChange = [&](TObject*) { ++Count; };
  S.SetAuto(false);
  S.SetSecond(true);
  EXPECT_EQ(Count, 0);
  S.SetTimeOffset(60);
  EXPECT_EQ(Count, 1);
  TWatchSettings Source;
  Source.SetAuto(true);
  Source.SetSecond(false);
  S.Assign(&Source);
  EXPECT_TRUE(S.Auto());
  EXPECT_FALSE(S.Second());
  EXPECT_EQ(S.TimeOffset(), 0);
  EXPECT_EQ(Count, 2) << "only the Auto write reports";
}

TEST(ExWatchStyles, LooksThatScaleWithTheControl) {
  TWatchAppearance A;
  ApplyWatchStyleAppearance(&A, wsSuperNova, 180, 180);
  EXPECT_EQ(A.HourMarkLength(), 40);
  EXPECT_EQ(A.MinuteMarkLength(), 60);
  ApplyWatchStyleAppearance(&A, wsSports, 180, 180);
  EXPECT_EQ(A.CenterPointSize(), 50);
  EXPECT_EQ(A.HourMarkLength(), 0) << "the defaults come back before a look applies";
}

TEST(ExWatchStyles, ALookStartsFromTheDefaults) {
  TWatchAppearance FromGray;
  ApplyWatchStyleAppearance(&FromGray, wsGray, 180, 180);
  ApplyWatchStyleAppearance(&FromGray, wsBlack, 180, 180);
  TWatchAppearance Fresh;
  ApplyWatchStyleAppearance(&Fresh, wsBlack, 180, 180);
  EXPECT_EQ(FromGray.BackgroundColorTo(), clNone);
  EXPECT_EQ(FromGray.BackgroundGradient(), wgVertical);
  EXPECT_EQ(FromGray.HourPointerSize(), 5);
  EXPECT_EQ(FromGray.MinutePointerSize(), 3);
  EXPECT_EQ(FromGray.BackgroundColor(), Fresh.BackgroundColor());
  EXPECT_EQ(FromGray.BorderColor(), Fresh.BorderColor());
  EXPECT_EQ(FromGray.CenterPointColor(), Fresh.CenterPointColor());
  EXPECT_EQ(FromGray.HourFont()->Name(), Fresh.HourFont()->Name());
  EXPECT_EQ(FromGray.HourFont()->Size(), 11);
  EXPECT_EQ(FromGray.AMPMFont()->Size(), 10);
}

TEST(ExWatchStyles, ComponentStyleTable) {
  TWatchAppearance Custom;
  Custom.HourFont()->SetColor(0x00FF00);
  Custom.AMPMFont()->SetColor(0x00FF00);
  ApplyWatchComponentStyle(&Custom, tsCustom);
  TWatchAppearance Defaults;
  EXPECT_EQ(Custom.CenterPointOuterBorderColor(), 0);
  EXPECT_EQ(Custom.HourFont()->Color(), 0);
  EXPECT_EQ(Custom.AMPMFont()->Color(), 0);
  EXPECT_EQ(Custom.BackgroundColor(), Defaults.BackgroundColor()) << "tsCustom changes nothing else";
  EXPECT_EQ(Custom.HourPointer(), Defaults.HourPointer());

  TWatchAppearance Obsidian;
  ApplyWatchComponentStyle(&Obsidian, tsOffice2007Obsidian);
  EXPECT_EQ(Obsidian.HourFont()->Color(), 0xF2F1F0);
  EXPECT_EQ(Obsidian.AMPMFont()->Color(), 0xF2F1F0);
  EXPECT_EQ(Obsidian.BackgroundColor(), 0x5C534C);

  struct Row {
    const char* Name;
    TNorvStyle Style;
    TColor AMPM, Background, BackgroundTo, Marks, Shadows, Second;
  };
  const Row Rows[] = {
      {"Luna", tsOffice2007Luna, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF, 0x723708},
      {"Vista has a second background colour", tsWindowsVista, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A,
       0xFFFFFF, 0xFEDF9A},
      {"XP takes the button face", tsWindowsXP, clBtnFace, clBtnFace, clBtnFace, 0, 0xFFFFFF, 0},
      {"2010 Silver has grey shadows", tsOffice2010Silver, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xC0C0C0,
       0xD2CDC8},
  };
  for (const Row& R : Rows) {
    TWatchAppearance A;
    ApplyWatchComponentStyle(&A, R.Style);
    EXPECT_EQ(A.AMPMColor(), R.AMPM) << R.Name;
    EXPECT_EQ(A.BackgroundColor(), R.Background) << R.Name;
    EXPECT_EQ(A.BackgroundColorTo(), R.BackgroundTo) << R.Name;
    EXPECT_EQ(A.HourColor(), R.Marks) << R.Name;
    EXPECT_EQ(A.MinutePointer(), R.Marks) << R.Name;
    EXPECT_EQ(A.HourPointerShadow(), R.Shadows) << R.Name;
    EXPECT_EQ(A.SecondPointer(), R.Second) << R.Name;
  }
}

}  // namespace
