// The grid's check box on a form: defaults, clicks, read-only, keys, the transparent background
// cache and the box states handed to a visual-styles library.
#include "components/gridbase/ExCheckBox.h"

#include <gtest/gtest.h>

#include <cstring>

#include "components/gridbase/ExXPVS.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

// A parent that paints its left half red and its right half blue.
class TSplitPanel : public TCustomControl {
 public:
  explicit TSplitPanel(TComponent* AOwner) : TCustomControl(AOwner) {}
  String ClassName() const override { return u"TSplitPanel"; }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(Rect(0, 0, Width() / 2, Height()));
    Canvas()->Brush()->SetColor(clBlue);
    Canvas()->FillRect(Rect(Width() / 2, 0, Width(), Height()));
  }
};

class ExCheckBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 300, 120);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Box = new TExCheckBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 120, 20);
    Box->OnClick = [this](TObject*) { ++Clicks; };
  }
  void TearDown() override { TComponent::Free(Form); }
  void PressRelease(TPoint Down, TPoint Up) {
    TestHarness::SendMouse(Box, WM_LBUTTONDOWN, Down, MK_LBUTTON);
    TestHarness::SendMouse(Box, WM_MOUSEMOVE, Up, MK_LBUTTON);
    TestHarness::SendMouse(Box, WM_LBUTTONUP, Up, 0);
  }
  void ClickInside() { PressRelease(TPoint(5, 8), TPoint(5, 8)); }

  TForm* Form = nullptr;
  TExCheckBox* Box = nullptr;
  int Clicks = 0;
};

// A stand-in visual-styles library that records the check-box part and state drawn.
struct TRecordingTheme {
  static inline Integer Part = 0, StateId = 0, Opened = 0, Closed = 0;
  static inline TRect Where;
  static Integer IsThemeActive() { return 1; }
  static HTHEME Open(HWND, const Char* Class) {
    EXPECT_EQ(String(Class), u"button");
    ++Opened;
    return 77;
  }
  static HRESULT Close(HTHEME T) {
    EXPECT_EQ(T, 77u);
    ++Closed;
    return 0;
  }
  static HRESULT Draw(HTHEME, TCanvas*, Integer P, Integer S, const TRect* R, const TRect*) {
    Part = P;
    StateId = S;
    Where = *R;
    return 0;
  }
  static HRESULT Other() { return 0; }
  static uintptr_t Load(const String&) { return 0x3000; }
  static void* Proc(uintptr_t, const char* Name) {
    if (!std::strcmp(Name, "IsThemeActive")) return reinterpret_cast<void*>(&IsThemeActive);
    if (!std::strcmp(Name, "OpenThemeData")) return reinterpret_cast<void*>(&Open);
    if (!std::strcmp(Name, "CloseThemeData")) return reinterpret_cast<void*>(&Close);
    if (!std::strcmp(Name, "DrawThemeBackground")) return reinterpret_cast<void*>(&Draw);
    return reinterpret_cast<void*>(&Other);  // present, never called here
  }
  static void Free(uintptr_t) {}
};
constexpr TThemeLibraryLoader RecordingLoader{&TRecordingTheme::Load, &TRecordingTheme::Proc,
                                              &TRecordingTheme::Free};

}  // namespace

TEST_F(ExCheckBoxTest, StartsWithItsDefaults) {
  auto* B = new TExCheckBox(Form);
  EXPECT_EQ(B->Caption(), u"TExCheckBox");
  EXPECT_EQ(B->Width(), 98);
  EXPECT_EQ(B->Height(), 20);
  EXPECT_EQ(B->State(), cbUnchecked);
  EXPECT_FALSE(B->Checked());
  EXPECT_FALSE(B->TabStop());
  EXPECT_TRUE(B->ParentColor());
  EXPECT_EQ(B->Alignment(), taLeftJustify);
  EXPECT_EQ(B->ButtonVertAlign(), tlTop);
  EXPECT_FALSE(B->Transparent());
  EXPECT_FALSE(B->ReadOnly());
  EXPECT_EQ(B->ControlStyle() & csClickEvents, 0u);
}

TEST_F(ExCheckBoxTest, ClicksToggleAndFireOnClickEachTime) {
  ClickInside();
  EXPECT_TRUE(Box->Checked());
  ClickInside();
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(Clicks, 2);
  // Read-only: the state stays, the click still fires.
  Box->SetReadOnly(true);
  ClickInside();
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(Clicks, 3);
}

TEST_F(ExCheckBoxTest, PressingInsideAndReleasingOutsideDoesNothing) {
  PressRelease(TPoint(5, 8), TPoint(200, 8));
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(Box->Down());
}

TEST_F(ExCheckBoxTest, AGrayedBoxBecomesCheckedOnTheFirstToggle) {
  Box->SetState(cbGrayed);
  EXPECT_FALSE(Box->Checked());
  Box->Toggle();
  EXPECT_EQ(Box->State(), cbChecked);
}

TEST_F(ExCheckBoxTest, SpaceTogglesOnKeyUpNotOnKeyDown) {
  Box->Perform(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_FALSE(Box->Checked());
  EXPECT_TRUE(Box->Down());
  Box->Perform(WM_KEYUP, VK_SPACE, 0);
  EXPECT_TRUE(Box->Checked());
  EXPECT_FALSE(Box->Down());
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ExCheckBoxTest, EnterActsAsTabWhenAsked) {
  Box->SetReturnIsTab(true);
  Box->Perform(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(TestHarness::PendingPosted(Box->Handle(), WM_KEYDOWN), 1);
  TestHarness::ProcessEvents();
}

TEST_F(ExCheckBoxTest, TheAcceleratorToggles) {
  Box->SetCaption(u"Match &case");
  EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, u'c'), 1);
  EXPECT_TRUE(Box->Checked());
}

TEST_F(ExCheckBoxTest, ATransparentBoxCachesTheParentsBackgroundAndRebuildsItWhenMoved) {
  auto* Panel = new TSplitPanel(Form);
  Panel->SetParent(Form);
  Panel->SetBounds(0, 40, 300, 60);
  Panel->PaintIfNeeded();
  auto* B = new TExCheckBox(Form);
  B->SetParent(Panel);
  B->SetBounds(10, 10, 100, 20);
  B->SetCaption(u"");
  B->SetTransparentChaching(true);
  B->SetTransparent(true);
  EXPECT_FALSE(B->BackgroundCached());
  B->PaintIfNeeded();
  EXPECT_TRUE(B->BackgroundCached());
  EXPECT_EQ(B->BackingImage()->Canvas()->Pixels(90, 15), clRed);
  // Moving it invalidates the copy; the next paint takes the background at the new place.
  B->SetBounds(180, 10, 100, 20);
  EXPECT_FALSE(B->BackgroundCached());
  B->PaintIfNeeded();
  EXPECT_TRUE(B->BackgroundCached());
  EXPECT_EQ(B->BackingImage()->Canvas()->Pixels(90, 15), clBlue);
}

TEST_F(ExCheckBoxTest, WithVisualStylesTheBoxPartTakesTheStateNumber) {
  const TThemeLibraryLoader* Old = SetThemeLibraryLoader(&RecordingLoader);
  FreeThemeApi();
  LoadThemeApi();
  ASSERT_TRUE(ThemeApi.Loaded);
  struct Case {
    const char* Name;
    TCheckBoxState State;
    bool Hot, Down, Enabled;
    Integer StateId;
  };
  const Case Cases[] = {
      {"unchecked", cbUnchecked, false, false, true, 1},
      {"unchecked hot", cbUnchecked, true, false, true, 2},
      {"unchecked pressed wins over hot", cbUnchecked, true, true, true, 3},
      {"unchecked disabled wins over pressed", cbUnchecked, false, true, false, 4},
      {"checked", cbChecked, false, false, true, 5},
      {"checked hot", cbChecked, true, false, true, 6},
      {"grayed pressed", cbGrayed, false, true, true, 11},
      {"grayed disabled", cbGrayed, false, false, false, 12},
  };
  for (const Case& C : Cases) {
    Box->SetState(C.State);
    Box->SetEnabled(C.Enabled);
    Box->Perform(C.Hot ? CM_MOUSEENTER : CM_MOUSELEAVE);
    Box->SetDown(C.Down);
    Box->Invalidate();
    Box->PaintIfNeeded();
    EXPECT_EQ(TRecordingTheme::Part, 3) << C.Name;
    EXPECT_EQ(TRecordingTheme::StateId, C.StateId) << C.Name;
  }
  EXPECT_EQ(TRecordingTheme::Where, Rect(0, 4, 14, 18));
  EXPECT_EQ(TRecordingTheme::Opened, TRecordingTheme::Closed);
  Box->SetAlignment(taRightJustify);
  Box->SetButtonVertAlign(tlBottom);
  Box->PaintIfNeeded();
  EXPECT_EQ(TRecordingTheme::Where, Rect(105, 6, 119, 20));
  FreeThemeApi();
  SetThemeLibraryLoader(Old);
}

TEST_F(ExCheckBoxTest, TheClassicBoxShowsTheCheckMark) {
  Box->SetCaption(u"");
  Box->PaintIfNeeded();
  TBitmap Unchecked;
  Unchecked.Assign(Box->BackingImage());
  Box->SetChecked(true);
  Box->PaintIfNeeded();
  bool Differs = false;
  for (Integer Y = 4; Y < 17; ++Y)
    for (Integer X = 0; X < 13; ++X)
      Differs |= Unchecked.Canvas()->Pixels(X, Y) != Box->BackingImage()->Canvas()->Pixels(X, Y);
  EXPECT_TRUE(Differs);
}
