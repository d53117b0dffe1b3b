// The grid's push button on a form: defaults, groups, the check style, clicks inside and outside,
// colour sets, the grey disabled glyph, the drop-down part, accelerators and the painted faces.
#include "components/gridbase/ExGridButton.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/ActnList.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/TestHarness.h"

using namespace ExGridButton;

namespace {

class ExGridButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 300, 120);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
  }
  void TearDown() override { TComponent::Free(Form); }

  TExGridButton* NewButton(Integer Left, Integer Width = 40) {
    auto* B = new TExGridButton(Form);
    B->SetParent(Form);
    B->SetBounds(Left, 10, Width, 22);
    return B;
  }
  // A press and release at client points of the button, as the window system delivers them.
  static void PressRelease(TControl* C, TPoint Down, TPoint Up) {
    TestHarness::SendMouse(C, WM_LBUTTONDOWN, Down, MK_LBUTTON);
    TestHarness::SendMouse(C, WM_MOUSEMOVE, Up, MK_LBUTTON);
    TestHarness::SendMouse(C, WM_LBUTTONUP, Up, 0);
  }
  static void ClickAt(TControl* C, TPoint P = TPoint(5, 5)) { PressRelease(C, P, P); }
  static TColor Shown(TExGridButton* B, Integer X, Integer Y) {
    B->Invalidate();
    B->PaintIfNeeded();
    return B->BackingImage()->Canvas()->Pixels(X, Y);
  }

  TForm* Form = nullptr;
};

}  // namespace

TEST_F(ExGridButtonTest, StartsWithItsDefaults) {
  auto* B = new TExGridButton(Form);
  EXPECT_EQ(B->Width(), 23);
  EXPECT_EQ(B->Height(), 22);
  EXPECT_EQ(B->ControlStyle(), static_cast<TControlStyle>(csCaptureMouse | csDoubleClicks));
  EXPECT_TRUE(B->Caption().empty());
  EXPECT_TRUE(B->Flat());
  EXPECT_TRUE(B->Shaded());
  EXPECT_TRUE(B->ShowCaption());
  EXPECT_FALSE(B->Rounded());
  EXPECT_FALSE(B->AllowAllUp());
  EXPECT_FALSE(B->Down());
  EXPECT_EQ(B->Spacing(), 4);
  EXPECT_EQ(B->Margin(), -1);
  EXPECT_EQ(B->Layout(), blGlyphLeft);
  EXPECT_EQ(B->Style(), tasButton);
  EXPECT_EQ(B->Color(), clBtnFace);
  EXPECT_EQ(B->ColorTo(), clNone);
  EXPECT_EQ(B->ColorDown(), 0xD8D3D2);
  EXPECT_EQ(B->ColorHot(), 0xCAC7C7);
  EXPECT_EQ(B->ColorChecked(), clGray);
  EXPECT_EQ(B->BorderColor(), clNone);
  EXPECT_TRUE(B->Glyph()->Empty());
  EXPECT_EQ(B->State(), bsUp);
}

TEST_F(ExGridButtonTest, GroupedButtonsReleaseEachOther) {
  TExGridButton* Bs[3] = {NewButton(10), NewButton(60), NewButton(110)};
  for (TExGridButton* B : Bs) B->SetGroupIndex(1);
  ClickAt(Bs[0]);
  EXPECT_TRUE(Bs[0]->Down());
  ClickAt(Bs[1]);
  EXPECT_FALSE(Bs[0]->Down());
  EXPECT_TRUE(Bs[1]->Down());
  EXPECT_EQ(Bs[0]->State(), bsUp);
  // Without AllowAllUp a pressed button stays down when clicked again.
  ClickAt(Bs[1]);
  EXPECT_TRUE(Bs[1]->Down());
  // With it, the click releases it; the group takes over the setting.
  Bs[1]->SetAllowAllUp(true);
  EXPECT_TRUE(Bs[2]->AllowAllUp());
  ClickAt(Bs[1]);
  EXPECT_FALSE(Bs[1]->Down());
  // Down set in code works the same way.
  Bs[2]->SetDown(true);
  Bs[0]->SetDown(true);
  EXPECT_FALSE(Bs[2]->Down());
}

// The button's action link: the checked state writes Down in a group that allows all up, the group
// index follows while equal; a button released by its group unchecks its action; a click runs it.
TEST_F(ExGridButtonTest, TheActionLinkCarriesCheckedAndGroupIndex) {
  TAction action(nullptr);
  action.SetGroupIndex(2);
  Integer runs = 0;
  action.OnExecute = [&](TObject*) { ++runs; };
  TExGridButton* B = NewButton(10);
  TExGridButton* Other = NewButton(60);
  for (TExGridButton* b : {B, Other}) {
    b->SetGroupIndex(2);
    b->SetAllowAllUp(true);
  }
  B->SetAction(&action);
  ASSERT_NE(dynamic_cast<TExGridButtonActionLink*>(B->ActionLink()), nullptr);
  action.SetChecked(true);
  EXPECT_TRUE(B->Down());
  action.SetGroupIndex(3);
  EXPECT_EQ(B->GroupIndex(), 3);
  action.SetChecked(false);
  EXPECT_FALSE(B->Down());
  action.SetGroupIndex(2);
  EXPECT_EQ(B->GroupIndex(), 2);
  // Released by another button of the group: the action is unchecked too.
  action.SetChecked(true);
  ASSERT_TRUE(B->Down());
  Other->SetDown(true);
  EXPECT_FALSE(B->Down());
  EXPECT_FALSE(action.Checked());
  // Without AllowAllUp the checked state is not linked.
  B->SetAllowAllUp(false);
  action.SetChecked(true);
  EXPECT_FALSE(B->Down());
  B->SetAction(nullptr);
  B->SetAction(&action);
  ClickAt(B);
  EXPECT_EQ(runs, 1);
}

TEST_F(ExGridButtonTest, DownCountsOnlyInAGroupOrForACheckButton) {
  auto* B = NewButton(10);
  B->SetDown(true);
  EXPECT_FALSE(B->Down());
  B->SetStyle(tasCheck);
  B->SetDown(true);
  EXPECT_TRUE(B->Down());
}

TEST_F(ExGridButtonTest, ACheckButtonTogglesOnEachClickAndStaysDownWhileChecked) {
  auto* B = NewButton(10);
  B->SetStyle(tasCheck);
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  ClickAt(B);
  EXPECT_TRUE(B->Down());
  Shown(B, 0, 0);
  EXPECT_EQ(B->State(), bsDown);
  ClickAt(B);
  EXPECT_FALSE(B->Down());
  Shown(B, 0, 0);
  EXPECT_EQ(B->State(), bsUp);
  EXPECT_EQ(Clicks, 2);
}

TEST_F(ExGridButtonTest, AReleaseOutsideGivesNoClick) {
  auto* B = NewButton(10);
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  PressRelease(B, TPoint(5, 5), TPoint(60, 5));
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(B->State(), bsUp);
  ClickAt(B);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ExGridButtonTest, LookChoosesAColourSet) {
  struct Case {
    const char* Name;
    Integer Look;
    TColor Color, ColorTo, ColorHot, ColorDown, ColorChecked, ColorCheckedTo, BorderDown;
    bool Rounded;
  };
  const Case Cases[] = {
      {"0 light", 0, 0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE0E6E7, 0xFFFFFF, clNone, 0xAF987A, true},
      {"1 classic", 1, clBtnFace, clNone, 0xEED2C1, 0xE2B598, 0xE8E6E1, clNone, 0xC56A31, false},
      {"2 blue", 2, 0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x4E91FE, 0x8ED3FF, 0x55ADFF, 0x000000, false},
      {"3 olive", 3, 0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x4E91FE, 0x8ED3FF, 0x55ADFF, 0x000000, false},
      {"4 silver", 4, 0xECE2E1, 0xB39698, 0xCCF4FF, 0x4E91FE, 0x8ED3FF, 0x55ADFF, 0x000000, false},
      {"5 plain", 5, clBtnFace, clNone, clBtnFace, 0xD8D3D2, 0xCAC7C7, clNone, clNone, false},
      {"6 yellow", 6, 0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x4DE0FB, 0xB5E6F2, 0x9CDDED, clGray, false},
  };
  for (const Case& C : Cases) {
    auto* B = NewButton(10);
    B->SetFlat(false);
    B->SetBorderColor(clRed);
    B->SetLook(C.Look);
    EXPECT_EQ(B->Look(), C.Look) << C.Name;
    EXPECT_EQ(B->Color(), C.Color) << C.Name;
    EXPECT_EQ(B->ColorTo(), C.ColorTo) << C.Name;
    EXPECT_EQ(B->ColorHot(), C.ColorHot) << C.Name;
    EXPECT_EQ(B->ColorDown(), C.ColorDown) << C.Name;
    EXPECT_EQ(B->ColorChecked(), C.ColorChecked) << C.Name;
    EXPECT_EQ(B->ColorCheckedTo(), C.ColorCheckedTo) << C.Name;
    EXPECT_EQ(B->BorderDownColor(), C.BorderDown) << C.Name;
    EXPECT_EQ(B->Rounded(), C.Rounded) << C.Name;
    EXPECT_EQ(B->BorderColor(), clNone) << C.Name;
    EXPECT_TRUE(B->Flat()) << C.Name;
  }
  auto* B = NewButton(10);
  B->SetLook(2);
  B->SetLook(7);
  EXPECT_EQ(B->Look(), 2);
  EXPECT_EQ(B->Color(), 0xFDEADA);
}

TEST_F(ExGridButtonTest, ThemeAdaptOnThisSystemTakesTheClassicSet) {
  auto* B = NewButton(10);
  B->SetAutoThemeAdapt(true);
  EXPECT_EQ(B->Look(), 1);
  EXPECT_EQ(B->ColorHot(), 0xEED2C1);
}

TEST_F(ExGridButtonTest, AGlyphWithoutDisabledCopyGetsAGreyOne) {
  TBitmap G;
  G.SetPixelFormat(pf24bit);
  G.SetSize(3, 1);
  G.Canvas()->SetPixels(0, 0, RGB(0, 0, 0));
  G.Canvas()->SetPixels(1, 0, RGB(255, 255, 255));
  G.Canvas()->SetPixels(2, 0, RGB(10, 20, 31));  // mean 20.33
  auto* B = NewButton(10);
  B->SetGlyph(&G);
  TCanvas* D = B->GlyphDisabled()->Canvas();
  EXPECT_EQ(D->Pixels(0, 0), RGB(96, 96, 96));
  EXPECT_EQ(D->Pixels(1, 0), RGB(223, 223, 223));
  EXPECT_EQ(D->Pixels(2, 0), RGB(106, 106, 106));

  // A disabled glyph of its own is kept.
  TBitmap Own;
  Own.SetSize(3, 1);
  auto* C = NewButton(60);
  C->SetGlyphDisabled(&Own);
  C->SetGlyph(&G);
  EXPECT_EQ(C->GlyphDisabled()->Canvas()->Pixels(2, 0), clWhite);
}

TEST_F(ExGridButtonTest, TheShadeIsAGreySilhouetteOfTheGlyph) {
  TBitmap G;
  G.SetPixelFormat(pf24bit);
  G.SetSize(4, 4);
  G.Canvas()->Brush()->SetColor(clFuchsia);
  G.Canvas()->FillRect(Rect(0, 0, 4, 4));
  G.Canvas()->SetPixels(1, 1, clBlue);
  auto* B = NewButton(10);
  B->SetGlyph(&G);
  B->SetShaded(true);
  TCanvas* S = B->GlyphShade()->Canvas();
  EXPECT_EQ(S->Pixels(1, 1), 0x808080);
  EXPECT_EQ(S->Pixels(0, 3), clFuchsia);
}

TEST_F(ExGridButtonTest, TheDropDownPartFiresOnDropDownWithoutPressingTheButton) {
  auto* B = NewButton(10, 50);
  B->SetDropDownButton(true);
  auto* Menu = new TPopupMenu(Form);
  auto* Item = new TMenuItem(Menu);
  Item->SetCaption(u"One");
  Menu->Items()->Add(Item);
  B->SetDropDownMenu(Menu);
  int Drops = 0, Clicks = 0;
  B->OnDropDown = [&](TObject*) { ++Drops; };
  B->OnClick = [&](TObject*) { ++Clicks; };
  TestHarness::ExpectPopupMenu([](TPopupMenu&) -> TMenuItem* { return nullptr; });
  ClickAt(B, TPoint(45, 5));
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Drops, 1);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(B->State(), bsUp);
  // A freed menu is forgotten.
  TComponent::Free(Menu);
  EXPECT_EQ(B->DropDownMenu(), nullptr);
  ClickAt(B, TPoint(5, 5));
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ExGridButtonTest, TheCaptionsAcceleratorClicksAnEnabledButton) {
  auto* B = NewButton(10);
  B->SetCaption(u"&Find");
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, u'F'), 1);
  EXPECT_EQ(Clicks, 1);
  Form->Perform(CM_DIALOGCHAR, u'x');
  B->SetEnabled(false);
  Form->Perform(CM_DIALOGCHAR, u'f');
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(CaptionAccelerator(u"Save && &Quit"), u'q');
  EXPECT_EQ(CaptionAccelerator(u"A && B"), 0);
}

TEST_F(ExGridButtonTest, TheFaceFollowsTheState) {
  auto* B = NewButton(10);
  B->SetColor(0x102030);
  B->SetColorHot(0x405060);
  B->SetColorDown(0x708090);
  struct Case {
    const char* Name;
    bool Hot, Pressed, Enabled;
    TColor Face;
  };
  const Case Cases[] = {
      {"normal", false, false, true, 0x102030},
      {"hot", true, false, true, 0x405060},
      {"hot and pressed", true, true, true, 0x708090},
      {"disabled", false, false, false, 0x102030},
  };
  for (const Case& C : Cases) {
    B->SetEnabled(C.Enabled);
    B->Perform(C.Hot ? CM_MOUSEENTER : CM_MOUSELEAVE);
    if (C.Pressed) TestHarness::SendMouse(B, WM_LBUTTONDOWN, TPoint(5, 5), MK_LBUTTON);
    EXPECT_EQ(Shown(B, 20, 2), C.Face) << C.Name;
    if (C.Pressed) TestHarness::SendMouse(B, WM_LBUTTONUP, TPoint(60, 60), 0);
  }
}

TEST_F(ExGridButtonTest, DownButtonsShowTheCheckedFace) {
  auto* Grouped = NewButton(10);
  Grouped->SetGroupIndex(1);
  Grouped->SetColorChecked(0x0A0B0C);
  Grouped->SetDown(true);
  EXPECT_EQ(Shown(Grouped, 20, 11), 0x0A0B0C);
  EXPECT_EQ(Grouped->State(), bsExclusive);

  auto* Check = NewButton(60);
  Check->SetStyle(tasCheck);
  Check->SetColorChecked(0x0D0E0F);
  Check->SetDown(true);
  EXPECT_EQ(Shown(Check, 20, 11), 0x0D0E0F);
  // A gradient to ColorCheckedTo runs from the top down.
  Check->SetColorCheckedTo(0x0D0E8F);
  EXPECT_EQ(Shown(Check, 20, 1), 0x0D0E0F);
  EXPECT_NE(Shown(Check, 20, 18), 0x0D0E0F);
}

TEST_F(ExGridButtonTest, ANonFlatButtonDrawsTheClassicFrame) {
  auto* B = NewButton(10);
  B->SetFlat(false);
  B->SetAutoXPStyle(true);  // no visual styles here: the classic frame serves
  Shown(B, 0, 0);
  TBitmap Expected;
  Expected.SetSize(40, 22);
  TRect R(0, 0, 40, 22);
  DrawFrameControl(Expected.Canvas(), R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
  EXPECT_EQ(Shown(B, 0, 0), Expected.Canvas()->Pixels(0, 0));
  EXPECT_EQ(Shown(B, 39, 21), Expected.Canvas()->Pixels(39, 21));
}

TEST(DrawButtonGradientTest, BandsRunFromTheFirstToTheSecondColourInsideTheFrame) {
  TBitmap B;
  B.SetPixelFormat(pf24bit);
  B.SetSize(10, 16);
  DrawButtonGradient(B.Canvas(), clBlack, RGB(0, 0, 160), false, Rect(0, 0, 10, 16), 16, clRed);
  TCanvas* C = B.Canvas();
  EXPECT_EQ(C->Pixels(0, 5), clRed);  // the frame
  EXPECT_EQ(C->Pixels(9, 5), clRed);
  EXPECT_EQ(C->Pixels(5, 0), clRed);
  EXPECT_EQ(C->Pixels(5, 1), RGB(0, 0, 10));    // band 1: 160 / 16
  EXPECT_EQ(C->Pixels(5, 14), RGB(0, 0, 140));  // band 14: 14 x 160 / 16
  // Without a frame, Steps 0 counts as one band of the first colour.
  DrawButtonGradient(C, clGreen, clWhite, true, Rect(0, 0, 10, 16), 0, clNone);
  EXPECT_EQ(C->Pixels(0, 0), clGreen);
  EXPECT_EQ(C->Pixels(9, 15), clGreen);
}

namespace {

// Where the button shows the marker pixel (green) of its glyph, (-1, -1) when nowhere.
TPoint FindGreen(TExGridButton* B) {
  B->Invalidate();
  B->PaintIfNeeded();
  TCanvas* C = B->BackingImage()->Canvas();
  for (Integer Y = 0; Y < B->Height(); ++Y)
    for (Integer X = 0; X < B->Width(); ++X)
      if (C->Pixels(X, Y) == clLime) return TPoint(X, Y);
  return TPoint(-1, -1);
}

}  // namespace

TEST_F(ExGridButtonTest, GlyphAndCaptionAreLaidOutByMarginAndSpacing) {
  // A 16 x 16 glyph, transparent but for its top-left pixel.
  TBitmap G;
  G.SetPixelFormat(pf24bit);
  G.SetSize(16, 16);
  G.Canvas()->Brush()->SetColor(clFuchsia);
  G.Canvas()->FillRect(Rect(0, 0, 16, 16));
  G.Canvas()->SetPixels(0, 0, clLime);
  auto* B = NewButton(10, 100);
  B->SetGlyph(&G);
  B->SetCaption(u"Find");
  TBitmap Measure;
  Measure.Canvas()->Font()->Assign(B->Font());
  TRect TR(0, 0, 96, 0);
  DrawText(Measure.Canvas(), u"Find", TR, DT_CALCRECT | DT_SINGLELINE);
  const Integer T = TR.Width();
  // A flat button that is not hot lays out inside its client area less 2 pixels each side.
  struct Case {
    const char* Name;
    TButtonLayout Layout;
    Integer Margin, Spacing;
    bool Hot;
    TPoint Glyph;
  };
  const Case Cases[] = {
      {"block centred", blGlyphLeft, -1, 4, false, {2 + (96 - (16 + 4 + T) + 1) / 2, 3}},
      {"given margin, spread spacing", blGlyphLeft, 3, -1, false, {5, 3}},
      {"margin and spacing a third each", blGlyphLeft, -1, -1, false, {2 + (96 - (16 + T)) / 3, 3}},
      {"glyph right", blGlyphRight, 3, 4, false, {2 + 96 - 3 - 16, 3}},
      {"glyph on top", blGlyphTop, 0, 0, false, {2 + (96 - 16 + 1) / 2, 2}},
      {"hot and shaded: one up and left", blGlyphLeft, 3, 4, true, {4, 2}},
  };
  for (const Case& C : Cases) {
    B->SetLayout(C.Layout);
    B->SetMargin(C.Margin);
    B->SetSpacing(C.Spacing);
    B->Perform(C.Hot ? CM_MOUSEENTER : CM_MOUSELEAVE);
    EXPECT_EQ(FindGreen(B), C.Glyph) << C.Name;
  }
  // Without a caption the glyph sits at the top-left corner.
  B->Perform(CM_MOUSELEAVE);
  B->SetCaption(u"");
  EXPECT_EQ(FindGreen(B), TPoint(0, 0));
}
