// The floating footer: its settings against the grid, its panel's layout, painting, hints and
// clicks.
#include <gtest/gtest.h>

#include "components/grid/ExGridFooter.h"
#include "platform/gui/Forms.h"
#include "tests/components/grid/GridSettingsTestUtil.h"

// The probe grid's footer and its panel, the panel on the grid.
struct FooterTest : GridSettingsFixture {
  TFloatingFooter* Footer = nullptr;
  TFooterPanel* Panel = nullptr;
  void SetUp() override {
    GridSettingsFixture::SetUp();
    Footer = Grid->FloatingFooter();
    Panel = Grid->FooterPanel();
    ASSERT_NE(Footer, nullptr);
    ASSERT_NE(Panel, nullptr);
    if (!Panel->Parent()) Panel->SetParent(Grid);
  }
};

TEST_F(FooterTest, VisibilityByStyleSetsTheFixedFooterRow) {
  struct Case {
    const char* Name;
    TFooterStyle Style;
    Integer FixedFooters;
    bool HideLastRow;
  };
  const Case Cases[] = {
      {"fixed last row", fsFixedLastRow, 1, true},
      {"column preview", fsColumnPreview, 0, false},
      {"custom preview", fsCustomPreview, 0, false},
      {"custom paint", fsCustomPaint, 0, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Footer->SetHeight(20);
    Footer->SetFooterStyle(C.Style);
    Footer->SetVisible(true);
    EXPECT_TRUE(Panel->Visible());
    EXPECT_EQ(Panel->Height(), 19);
    EXPECT_EQ(Grid->FixedFooters(), C.FixedFooters);
    EXPECT_EQ(Grid->HideLastRow(), C.HideLastRow);
    Footer->SetVisible(false);
    EXPECT_FALSE(Panel->Visible());
    EXPECT_EQ(Panel->Height(), 0);
    EXPECT_EQ(Grid->FixedFooters(), 0);
    EXPECT_FALSE(Grid->HideLastRow());
  }
}

TEST_F(FooterTest, ColumnCalcLivesInTheLastRowsCellProperties) {
  const Integer Last = Grid->RowCount() - 1;
  EXPECT_EQ(Footer->ColumnCalc(3), acNONE);
  EXPECT_FALSE(Grid->HasCellProperties(3, Last));
  Footer->SetColumnCalc(3, acSUM);
  EXPECT_TRUE(Grid->HasCellProperties(3, Last));
  EXPECT_EQ(Footer->ColumnCalc(3), acSUM);
  EXPECT_EQ(Grid->GetCellProperties(3, Last)->CalcType(), acSUM);
}

TEST_F(FooterTest, AssignCopiesTheSettingsThroughTheirSetters) {
  TFloatingFooter Source(nullptr);
  Source.SetColor(0x00336699);
  Source.SetColumn(2);
  Source.SetCustomTemplate(u"<#1>");
  Source.SetBorderColor(clRed);
  Source.SetCalculateHiddenRows(false);
  Source.SetFooterStyle(fsColumnPreview);
  Source.SetVisible(true);
  Footer->SetHeight(24);
  Footer->Assign(&Source);
  EXPECT_EQ(Footer->Color(), TColor(0x00336699));
  EXPECT_EQ(Footer->Column(), 2);
  EXPECT_EQ(Narrow(Footer->CustomTemplate()), "<#1>");
  EXPECT_FALSE(Footer->CalculateHiddenRows());
  EXPECT_TRUE(Footer->Visible());
  EXPECT_EQ(Panel->Height(), 23);
  EXPECT_EQ(Grid->FixedFooters(), 0);
}

TEST_F(FooterTest, ColumnsUnderThePanelFollowTheFixedAndTheLeftColumns) {
  Grid->SetColWidths(0, 30);
  Footer->SetHeight(20);
  Footer->SetVisible(true);
  EXPECT_EQ(Panel->ColumnAtX(0), 0);
  EXPECT_EQ(Panel->ColumnAtX(29), 0);
  EXPECT_EQ(Panel->ColumnAtX(30), 1);
  EXPECT_EQ(Panel->ColumnAtX(90), 2);
  EXPECT_EQ(Panel->FooterWidth(), 30 + 4 * 60);
  EXPECT_EQ(Panel->ColumnAtX(30 + 4 * 60), -1);
  Grid->SetLeftCol(2);
  EXPECT_EQ(Panel->ColumnAtX(30), 2);
  EXPECT_EQ(Panel->FooterWidth(), 30 + 3 * 60);
}

TEST_F(FooterTest, ReleasingTheMouseClicksTheFooterCell) {
  std::vector<std::string> Log;
  Grid->OnClick = [&](TObject* S) { Log.push_back(S == Grid ? "click" : "click?"); };
  Grid->OnClickCell = [&](TObject*, Integer R, Integer C) {
    Log.push_back("cell " + std::to_string(R) + "," + std::to_string(C));
  };
  Footer->SetHeight(20);
  Footer->SetVisible(true);
  TestHarness::ProcessEvents();
  TestHarness::SendMouse(Panel, WM_LBUTTONDOWN, TPoint{130, 5}, MK_LBUTTON);
  TestHarness::SendMouse(Panel, WM_LBUTTONUP, TPoint{130, 5});
  const std::string Cell = "cell " + std::to_string(Grid->RowCount() - 1) + ",2";
  EXPECT_EQ(Log, (std::vector<std::string>{"click", Cell}));
}

TEST_F(FooterTest, HintsComeFromTheGridOnlyWithShowHint) {
  std::vector<std::string> Asked;
  Grid->OnGridHint = [&](TObject*, Integer R, Integer C, String& Hint) {
    Asked.push_back(std::to_string(R) + "," + std::to_string(C));
    Hint = u"Total of column " + IntToStr(C);
  };
  Footer->SetHeight(20);
  Footer->SetVisible(true);
  THintInfo Info;
  Info.CursorPos = TPoint{70, 5};
  EXPECT_EQ(Panel->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)), 1);  // no ShowHint
  EXPECT_EQ(Panel->LastHintCol(), -1);
  Footer->SetShowHint(true);
  EXPECT_TRUE(Panel->ShowHint());
  EXPECT_EQ(Panel->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)), 0);
  EXPECT_EQ(Narrow(Info.HintStr), "Total of column 1");
  EXPECT_EQ(Panel->LastHintCol(), 1);
  const std::string Row = std::to_string(Grid->RowCount() - 1);
  EXPECT_EQ(Asked, (std::vector<std::string>{Row + ",1", Row + ",1"}));
  Panel->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(Panel->LastHintCol(), -1);
}

TEST_F(FooterTest, TheFixedLastRowPaintsCellColoursAndLetsTheApplicationPaint) {
  const Integer Last = Grid->RowCount() - 1;
  Grid->SetColors(2, Last, 0x0000C000);
  std::vector<std::string> Painted;
  Footer->SetHeight(24);
  Footer->SetBorderColor(clRed);
  Footer->SetVisible(true);
  Panel->Repaint();
  TestHarness::ProcessEvents();
  // Column 2 lies at 60 + 60 .. 180; its colour fills the cell below the top line.
  EXPECT_EQ(TestHarness::Pixel(Panel, 150, 12), TColor(0x0000C000));
  EXPECT_EQ(TestHarness::Pixel(Panel, 150, 0), TColor(0x000000FF));  // the border colour
  // Beyond the columns the grid's colour shows.
  EXPECT_EQ(TestHarness::Pixel(Panel, Panel->Width() - 2, 12), ColorToRGB(Grid->Color()));

  Grid->OnFooterPaint = [&](TObject* S, Integer C, TCanvas*, TRect R) {
    EXPECT_EQ(S, Panel);
    Painted.push_back(std::to_string(C) + ":" + std::to_string(R.Left) + "-" + std::to_string(R.Right));
  };
  Panel->Repaint();
  TestHarness::ProcessEvents();
  EXPECT_EQ(Painted, (std::vector<std::string>{"1:60-120", "2:120-180", "3:180-240", "4:240-300"}));
}
