// The search panel with its edit. This source stays clear of the grid's header: the button's
// header declares its style enumeration, which the grid's vocabulary declares too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/grid/ExGridSearchPanel.h"
#include "components/gridbase/ExCheckBox.h"
#include "components/gridbase/ExGridButton.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {
std::string Narrow(const String& S) { return std::string(S.begin(), S.end()); }
}  // namespace

class TPanelTestForm : public TForm {
 public:
  TPanelTestForm() : TForm(Application) {
    SetCaption(u"Search panel test");
    SetBounds(20, 20, 460, 320);
    AfterConstruction();
  }
  String ClassName() const override { return u"TPanelTestForm"; }
};

// A search panel on a shown form, laid out and logging its events.
struct SearchPanelTest : ::testing::Test {
  TPanelTestForm* Form = nullptr;
  TSearchPanel* Panel = nullptr;
  std::vector<std::string> Log;

  void SetUp() override {
    Form = new TPanelTestForm;
    Panel = new TSearchPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(0, 200, 400, 32);
    Panel->OnForwardClick = [this](TObject*) { Log.push_back("forward"); };
    Panel->OnBackwardClick = [this](TObject*) { Log.push_back("backward"); };
    Panel->OnEditChange = [this](TObject*) { Log.push_back("change"); };
    Panel->OnExitClick = [this](TObject*) { Log.push_back("exit"); };
    Panel->OnHighLightClick = [this](TObject*) { Log.push_back("highlight"); };
    Panel->SetFindNextCaption(u"Find &next");
    Panel->CreateWnd();
    TestHarness::ShowForm(Form);
    TestHarness::ProcessEvents();
  }
  void TearDown() override { TComponent::Free(Form); }

  TSearchPanelSettings Settings() {
    TSearchPanelSettings S;
    S.Visible = true;
    S.Color = 0x00F0F0F0;
    S.FindNextCaption = u"Find &next";
    S.FindPrevCaption = u"Find &previous";
    S.MatchCaseCaption = u"Match case";
    S.HighLightCaption = u"Highlight";
    S.HintFindNext = u"Find next occurrence";
    S.Top = 218;
    return S;
  }
};

TEST_F(SearchPanelTest, CreationLaysOutTheChildren) {
  EXPECT_EQ(Panel->Grid(), nullptr);  // a form is no grid
  EXPECT_EQ(Panel->EditControl()->Left(), 25);
  EXPECT_EQ(Panel->EditControl()->Width(), 110);
  const struct {
    const char* Name;
    TControl* C;
    Integer L, T, W, H;
  } Layout[] = {
      {"find next", Panel->ForwardButton(), 140, 5, 90, 23},
      {"find previous", Panel->BackwardButton(), 235, 5, 90, 23},
      {"close", Panel->ExitButton(), 5, 7, 14, 14},
      {"highlight", Panel->HiliteButton(), 330, 5, 90, 23},
  };
  for (const auto& L : Layout) {
    SCOPED_TRACE(L.Name);
    EXPECT_EQ(L.C->BoundsRect(), TRect(L.L, L.T, L.L + L.W, L.T + L.H));
  }
  EXPECT_EQ(Panel->MatchCase()->Left(), 425);
  EXPECT_EQ(Narrow(Panel->ForwardButton()->Caption()), "Find &next");
  EXPECT_FALSE(Panel->ForwardButton()->Enabled());
  EXPECT_FALSE(Panel->HiliteButton()->Enabled());
  EXPECT_EQ(Panel->HiliteButton()->Style(), tasCheck);
  EXPECT_FALSE(Panel->ForwardButton()->Glyph()->Empty());
}

TEST_F(SearchPanelTest, TypingEnablesTheFindButtonsAndEnterFinds) {
  TRetEdit* Edit = Panel->EditControl();
  Edit->SetFocus();
  TestHarness::ProcessEvents();
  TestHarness::TypeText(Edit, u"a");
  TestHarness::ProcessEvents();
  EXPECT_TRUE(Panel->ForwardButton()->Enabled());
  EXPECT_TRUE(Panel->BackwardButton()->Enabled());
  EXPECT_TRUE(Panel->HiliteButton()->Enabled());
  EXPECT_EQ(Log, (std::vector<std::string>{"change"}));

  Log.clear();
  TestHarness::SendKeyStroke(Edit, VK_RETURN, TShiftState(), u"\r");
  SetKeyDown(VK_CONTROL, true);
  TestHarness::SendKeyStroke(Edit, VK_RETURN, TShiftState(ssCtrl), u"\n");
  SetKeyDown(VK_CONTROL, false);
  EXPECT_EQ(Log, (std::vector<std::string>{"forward", "backward"}));
  EXPECT_EQ(Narrow(Edit->Text()), "a");

  Log.clear();
  Edit->SetText(u"");
  TestHarness::ProcessEvents();
  EXPECT_FALSE(Panel->ForwardButton()->Enabled());
  EXPECT_FALSE(Panel->HiliteButton()->Enabled());
  EXPECT_EQ(Log, (std::vector<std::string>{"change"}));
}

TEST_F(SearchPanelTest, ButtonsFireThePanelEvents) {
  Panel->EditControl()->SetText(u"x");
  TestHarness::ProcessEvents();
  Log.clear();
  Panel->ForwardButton()->Click();
  Panel->BackwardButton()->Click();
  Panel->ExitButton()->Click();
  Panel->HiliteButton()->Click();
  EXPECT_EQ(Log, (std::vector<std::string>{"forward", "backward", "exit", "highlight"}));
}

TEST_F(SearchPanelTest, SettingsShowHideAndPlaceTheChildren) {
  TSearchPanelSettings S = Settings();
  Panel->ApplySettings(S);
  EXPECT_TRUE(Panel->Visible());
  EXPECT_EQ(Panel->Height(), 32);
  EXPECT_EQ(Panel->Top(), 218);
  EXPECT_EQ(Panel->MatchCase()->Left(), 425);
  EXPECT_EQ(Panel->MatchCase()->Height(), 18);
  EXPECT_EQ(Narrow(Panel->MatchCase()->Caption()), "Match case");
  EXPECT_EQ(Narrow(Panel->BackwardButton()->Caption()), "Find &previous");
  EXPECT_TRUE(Panel->ForwardButton()->ShowHint());
  EXPECT_FALSE(Panel->BackwardButton()->ShowHint());

  S.ShowHighLight = false;
  S.ShowFindPrev = false;
  Panel->ApplySettings(S);
  EXPECT_FALSE(Panel->HiliteButton()->Visible());
  EXPECT_EQ(Panel->HiliteButton()->Height(), 0);
  EXPECT_EQ(Panel->BackwardButton()->Height(), 0);
  EXPECT_EQ(Panel->MatchCase()->Left(), 330);

  const struct {
    const char* Name;
    Integer Look;
    bool Adapt;
    bool Flat, XP, ThemeAdapt;
  } Looks[] = {
      {"flat", 0, false, true, false, false},
      {"XP", 1, false, false, true, false},
      {"classic", 2, false, false, false, false},
      {"theme adapting", -1, true, true, false, true},
  };
  for (const auto& L : Looks) {
    SCOPED_TRACE(L.Name);
    TSearchPanel* P = new TSearchPanel(Form);
    S.ButtonLook = L.Look;
    S.AutoThemeAdapt = L.Adapt;
    P->ApplySettings(S);
    EXPECT_EQ(P->ForwardButton()->Flat(), L.Flat);
    EXPECT_EQ(P->ForwardButton()->AutoXPStyle(), L.XP);
    EXPECT_EQ(P->ForwardButton()->AutoThemeAdapt(), L.ThemeAdapt);
    TComponent::Free(P);
  }

  S.Visible = false;
  Panel->ApplySettings(S);
  EXPECT_FALSE(Panel->Visible());
  EXPECT_EQ(Panel->Height(), 0);
}

TEST_F(SearchPanelTest, PaintsItsColourOrGradientUnderATopLine) {
  Panel->SetColor(0x00D0E0F0);
  Panel->Repaint();
  TestHarness::ProcessEvents();
  EXPECT_EQ(TestHarness::Pixel(Panel, 300, 0), ColorToRGB(clSilver));  // without a grid
  EXPECT_EQ(TestHarness::Pixel(Panel, 300, 2), TColor(0x00D0E0F0));
  EXPECT_EQ(TestHarness::Pixel(Panel, 300, 30), TColor(0x00D0E0F0));

  Panel->SetColor(clWhite);
  Panel->SetColorTo(clBlack);
  Panel->Repaint();
  TestHarness::ProcessEvents();
  const TColor Top = TestHarness::Pixel(Panel, 300, 1), Bottom = TestHarness::Pixel(Panel, 300, 30);
  EXPECT_GT(GetRValue(Top), 200);
  EXPECT_LT(GetRValue(Bottom), 40);
}

