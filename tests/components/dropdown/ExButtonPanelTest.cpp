// The calculator keypad on a form: the keys it creates, their layout, which key a point hits, the
// hot and pressed keys under the mouse and the click report, custom panels and key copies.
#include "components/dropdown/ExButtonPanel.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

class ExButtonPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 300, 240);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    P = new TCustomButtonPanel(Form);
    P->SetParent(Form);
    P->SetBounds(10, 10, 228, 150);
    P->InitButtons();
    P->OnButtonClick = [this](TObject*, Integer I) { Clicks.push_back(I); };
  }
  void TearDown() override { TComponent::Free(Form); }

  TButtonItem* Key(Integer I) { return P->Buttons()->Items(I); }
  // The index of the key with this caption.
  Integer Index(const String& Caption) {
    for (Integer I = 0; I < P->Buttons()->Count(); ++I)
      if (Key(I)->Caption() == Caption) return I;
    return -1;
  }
  TPoint Inside(const String& Caption) { return CenterPoint(Key(Index(Caption))->ButtonRect()); }

  TForm* Form = nullptr;
  TCustomButtonPanel* P = nullptr;
  std::vector<Integer> Clicks;
};

TEST_F(ExButtonPanelTest, CalculatorKeysAndTheirFunctionCodes) {
  ASSERT_EQ(P->Buttons()->Count(), 28);
  struct Row {
    Integer Index;
    const char16_t* Caption;
    const char16_t* Name;
    Integer Tag;
    bool Special;
  };
  const Row Rows[] = {
      {0, u"", u"BTN_ON", 30, false},   {1, u"Back", u"BTN_BACK", 31, true},
      {3, u"C", u"BTN_C", 16, true},    {7, u"M+", u"BTN_M+", 36, true},
      {8, u"0", u"BTN_0", 0, false},    {15, u"+/-", u"BTN_+/-", 14, false},
      {16, u".", u"BTN_.", 15, false},  {24, u"=", u"BTN_=", 17, true},
      {25, u"1/x", u"BTN_1/x", 38, false}, {27, u"sqrt", u"BTN_sqrt", 37, true},
  };
  for (const Row& R : Rows) {
    TButtonItem* B = Key(R.Index);
    EXPECT_EQ(B->Caption(), R.Caption) << R.Index;
    EXPECT_EQ(B->Name(), R.Name) << R.Index;
    EXPECT_EQ(B->Tag(), R.Tag) << R.Index;
    EXPECT_EQ(B->Special(), R.Special) << R.Index;
    EXPECT_EQ(B->CaptionColor(), R.Special ? 0x000080 : 0xFFFFFF) << R.Index;
  }
  P->InitButtons();
  EXPECT_EQ(P->Buttons()->Count(), 28) << "only an empty collection is filled";
}

TEST_F(ExButtonPanelTest, LayoutOfA228By150Panel) {
  struct Row {
    const char* Name;
    const char16_t* Caption;
    TRect Expected;
  };
  const Row Rows[] = {
      {"empty key", u"", Rect(8, 8, 42, 34)},      {"Back", u"Back", Rect(46, 8, 100, 34)},
      {"CE", u"CE", Rect(104, 8, 158, 34)},        {"C takes the rest", u"C", Rect(162, 8, 217, 34)},
      {"MC", u"MC", Rect(8, 38, 42, 64)},          {"7", u"7", Rect(46, 38, 80, 64)},
      {"8", u"8", Rect(79, 38, 113, 64)},          {"9", u"9", Rect(112, 38, 146, 64)},
      {"/", u"/", Rect(150, 38, 184, 64)},         {"sqrt", u"sqrt", Rect(183, 38, 217, 64)},
      {"4", u"4", Rect(46, 63, 80, 89)},           {"1", u"1", Rect(46, 88, 80, 114)},
      {"M+", u"M+", Rect(8, 113, 42, 139)},        {"=", u"=", Rect(183, 113, 217, 139)},
  };
  for (const Row& R : Rows) EXPECT_EQ(Key(Index(R.Caption))->ButtonRect(), R.Expected) << R.Name;
}

TEST_F(ExButtonPanelTest, SharedLinesBelongToTheLowerIndex) {
  EXPECT_EQ(P->ButtonAtPos(79, 50), Index(u"7")) << "column shared by 7 and 8";
  EXPECT_EQ(P->ButtonAtPos(60, 63), Index(u"4")) << "row shared by 7 and 4";
  EXPECT_EQ(P->ButtonAtPos(44, 50), -1) << "the gap after column 0";
  EXPECT_EQ(P->ButtonAtPos(217, 50), -1) << "right edges are exclusive";
}

TEST_F(ExButtonPanelTest, AClickCountsOnlyOnThePressedKey) {
  TestHarness::MouseDown(P, mbLeft, Inside(u"7"));
  EXPECT_EQ(P->ButtonDown(), Index(u"7"));
  TestHarness::MouseUp(P, mbLeft, Inside(u"9"));
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(P->ButtonDown(), -1);
  TestHarness::MouseDown(P, mbLeft, Inside(u"9"));
  TestHarness::MouseUp(P, mbLeft, Inside(u"9"));
  EXPECT_EQ(Clicks, std::vector<Integer>{Index(u"9")});
}

TEST_F(ExButtonPanelTest, DisabledKeyIsNeverHotOrPressed) {
  Key(Index(u"5"))->SetEnabled(false);
  TestHarness::MouseMove(P, Inside(u"4"));
  EXPECT_EQ(P->ButtonHot(), Index(u"4"));
  TestHarness::MouseMove(P, Inside(u"5"));
  EXPECT_EQ(P->ButtonHot(), -1) << "moving onto the disabled key clears the hot key";
  P->SetHotButton(Index(u"5"));
  EXPECT_EQ(P->ButtonHot(), -1);
  TestHarness::MouseDown(P, mbLeft, Inside(u"5"));
  TestHarness::MouseUp(P, mbLeft, Inside(u"5"));
  EXPECT_EQ(P->ButtonDown(), -1);
  EXPECT_TRUE(Clicks.empty());
  TestHarness::MouseMove(P, Inside(u"6"));
  EXPECT_EQ(P->ButtonHot(), Index(u"6"));
  TestHarness::MouseLeave(P);
  EXPECT_EQ(P->ButtonHot(), -1);
}

TEST_F(ExButtonPanelTest, CustomPanelKeepsTheCallersKeys) {
  auto* C = new TCustomButtonPanel(Form);
  C->SetParent(Form);
  C->SetButtonPanelType(plCustom);
  C->SetBounds(10, 10, 228, 150);
  C->InitButtons();
  EXPECT_EQ(C->Buttons()->Count(), 0);
  TButtonItem* B = C->Buttons()->Add();
  B->SetBounds(1, 2, 30, 40);
  C->ArrangeButtons();
  C->SetBounds(10, 10, 200, 120);
  EXPECT_EQ(B->ButtonRect(), Rect(1, 2, 31, 42));
}

TEST_F(ExButtonPanelTest, CopyingAKeyLeavesItsPlaceAndSpecialLook) {
  TButtonItem* From = Key(Index(u"sqrt"));
  From->SetEnabled(false);
  From->SetImageIndex(3);
  TButtonItem* To = Key(Index(u"8"));
  const TRect Place = To->ButtonRect();
  To->Assign(From);
  EXPECT_EQ(To->Caption(), u"sqrt");
  EXPECT_EQ(To->Name(), u"BTN_sqrt");
  EXPECT_EQ(To->Tag(), 37);
  EXPECT_EQ(To->CaptionColor(), 0x000080);
  EXPECT_EQ(To->ImageIndex(), 3);
  EXPECT_FALSE(To->Enabled());
  EXPECT_EQ(To->ButtonRect(), Place);
  EXPECT_FALSE(To->Special());
}

TEST_F(ExButtonPanelTest, AppearanceCopyAndDefaults) {
  TButtonAppearance A;
  EXPECT_EQ(A.ColorChecked(), 0xF5D8CA);
  EXPECT_EQ(A.ColorCheckedTo(), 0xF9BDA0);
  EXPECT_EQ(A.ColorDisabled(), 0xF2F2F2);
  EXPECT_TRUE(A.Font()->Style().Contains(fsBold));
  Integer Changes = 0;
  TButtonAppearance B;
  B.OnChange = [&](TObject*) { ++Changes; };
  A.SetColor(0x112233);
  A.SetGlowColorHot(0x445566);
  A.SetTextColor(0x0000FF);
  B.Assign(&A);
  EXPECT_EQ(B.Color(), 0x112233);
  EXPECT_EQ(B.GlowColorHot(), 0x445566);
  EXPECT_EQ(B.TextColor(), 0x0000FF);
  EXPECT_EQ(Changes, 2) << "the glow colours are plain stores";
}

}  // namespace
