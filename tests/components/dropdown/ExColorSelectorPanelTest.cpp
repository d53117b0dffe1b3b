// The colour panels on a form: the cube's honeycomb, hit test, selection, hint and frames; the
// spectrum's picture, layout and mouse; the colour-box grid's palette, layout, keys and selection.
#include "components/dropdown/ExColorSelectorPanel.h"

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

class ExColorSelectorPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
  }
  void TearDown() override { TComponent::Free(Form); }

  template <class T>
  T* NewPanel() {
    auto* P = new T(Form);
    P->SetParent(Form);
    P->SetLeft(10);
    P->SetTop(10);
    P->SetColor(clWhite);
    return P;
  }
  static TColor Shown(TCustomControl* C, Integer X, Integer Y) {
    C->Invalidate();
    C->PaintIfNeeded();
    return C->BackingImage()->Canvas()->Pixels(X, Y);
  }
  static void Press(TControl* C, TPoint P) {
    TestHarness::SendMouse(C, WM_LBUTTONDOWN, P, MK_LBUTTON);
    TestHarness::SendMouse(C, WM_LBUTTONUP, P);
  }

  TForm* Form = nullptr;
};

}  // namespace

TEST_F(ExColorSelectorPanelTest, TheCubeIsAHoneycombOf127Cells) {
  auto* Cube = NewPanel<TExColorCubePanel>();
  EXPECT_EQ(Cube->Width(), 182);
  EXPECT_EQ(Cube->Height(), 160);
  struct Case {
    const char* Name;
    Integer Index;
    TPoint Center;
    TColor Color;
  } cases[] = {
      {"first cell of the top row", 1, TPoint(55, 20), 0x663300},
      {"last cell of the top row", 7, TPoint(127, 20), 0x660000},
      {"first cell of the middle row", 58, TPoint(19, 80), 0x003300},
      {"white in the centre", 64, TPoint(91, 80), 0xFFFFFF},
      {"last cell of the middle row", 70, TPoint(163, 80), 0x660066},
      {"red, sixth of row 12", 118, TPoint(109, 130), 0x0000FF},
      {"last cell", 127, TPoint(127, 140), 0x2100A5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cube->Cell(c.Index).Center, c.Center) << c.Name;
    EXPECT_EQ(Cube->Cell(c.Index).Color, c.Color) << c.Name;
    EXPECT_EQ(Cube->CellAtPos(c.Center.X, c.Center.Y), c.Index) << c.Name;
  }
  EXPECT_EQ(Cube->CellAtPos(91 + 6, 80), 64) << "six pixels from the centre still hits";
  EXPECT_EQ(Cube->CellAtPos(5, 5), -1);
}

TEST_F(ExColorSelectorPanelTest, TheCubeSelectsByColourAndKeepsAnUnknownOne) {
  auto* Cube = NewPanel<TExColorCubePanel>();
  Cube->SetSelectedColor(0x0000FF);
  EXPECT_EQ(Cube->SelectedIndex(), 118);
  Cube->SetSelectedColor(0x123456);
  EXPECT_EQ(Cube->SelectedIndex(), -1);
  EXPECT_EQ(Cube->SelectedColor(), 0x123456);
}

TEST_F(ExColorSelectorPanelTest, ClickingTheCubeSelectsACellOnlyOnACell) {
  auto* Cube = NewPanel<TExColorCubePanel>();
  Integer selects = 0;
  Cube->OnSelect = [&](TObject*) { ++selects; };
  Press(Cube, TPoint(3, 3));
  EXPECT_EQ(selects, 0);
  EXPECT_EQ(Cube->SelectedIndex(), -1);
  Press(Cube, TPoint(109, 130));
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(Cube->SelectedIndex(), 118);
  EXPECT_EQ(Cube->SelectedColor(), 0x0000FF);
}

TEST_F(ExColorSelectorPanelTest, TheCubeHintGivesTheComponents) {
  auto* Cube = NewPanel<TExColorCubePanel>();
  EXPECT_TRUE(Cube->ShowHint());
  TestHarness::SendMouse(Cube, WM_MOUSEMOVE, TPoint(91, 80));
  EXPECT_EQ(Cube->HotIndex(), 64);
  EXPECT_EQ(Cube->Hint(), u"Red: 255,  Green: 255,  Blue: 255");
  TestHarness::SendMouse(Cube, WM_MOUSEMOVE, TPoint(55, 20));
  EXPECT_EQ(Cube->Hint(), u"Red: 0,  Green: 51,  Blue: 102");
  TestHarness::SendMouse(Cube, WM_MOUSEMOVE, TPoint(2, 2));
  EXPECT_EQ(Cube->Hint(), u"");
  EXPECT_EQ(Cube->HotIndex(), 1) << "off the cells the hot cell stays";
}

TEST_F(ExColorSelectorPanelTest, AHotAndSelectedCellShowsTheSelectedFrame) {
  auto* Cube = NewPanel<TExColorCubePanel>();
  // The outer frame's left corner (x - 5, y - 3) of the centre cell.
  EXPECT_EQ(Shown(Cube, 86, 77), 0xFFFFFF);
  TestHarness::SendMouse(Cube, WM_MOUSEMOVE, TPoint(91, 80));
  EXPECT_EQ(Cube->BackingImage()->Canvas()->Pixels(86, 77), 0x0000FF) << "hot: red outer frame";
  Press(Cube, TPoint(91, 80));
  EXPECT_EQ(Cube->BackingImage()->Canvas()->Pixels(86, 77), 0x000000) << "selected on top: black";
  EXPECT_EQ(Shown(Cube, 86, 77), 0x000000) << "and after a full repaint";
}

TEST_F(ExColorSelectorPanelTest, TheSpectrumPictureRunsThroughTheHuesAndLightness) {
  RegisterSpectrumResource();
  TBitmap bmp;
  bmp.LoadFromResourceName(u"NORV_SPECTRUM");
  ASSERT_EQ(bmp.Width(), 128);
  ASSERT_EQ(bmp.Height(), 128);
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  struct Case {
    const char* Name;
    Integer X, Y;
    TColor Color;
  } cases[] = {
      {"red in the middle row", 0, 64, 0x0000FF},
      {"green a third along", 43, 64, 0x00FF00},
      {"blue two thirds along", 85, 64, 0xFF0000},
  };
  for (const Case& c : cases) {
    const TColor px = bmp.Canvas()->Pixels(c.X, c.Y);
    for (Integer shift : {0, 8, 16})
      EXPECT_NEAR((px >> shift) & 0xFF, (c.Color >> shift) & 0xFF, 8) << c.Name;
  }
  for (Integer shift : {0, 8, 16}) {
    EXPECT_GE((bmp.Canvas()->Pixels(40, 0) >> shift) & 0xFF, 245) << "near white at the top";
    EXPECT_LE((bmp.Canvas()->Pixels(40, 127) >> shift) & 0xFF, 10) << "near black at the bottom";
  }
}

TEST_F(ExColorSelectorPanelTest, TheSpectrumLaysOutPictureAndSwatches) {
  auto* Spectrum = NewPanel<TExColorSpectrumPanel>();
  EXPECT_EQ(Spectrum->Width(), 150);
  EXPECT_EQ(Spectrum->Height(), 174);
  EXPECT_EQ(Spectrum->SpectrumImage()->BoundsRect(), Rect(11, 10, 139, 138));
  EXPECT_EQ(Spectrum->SelectedRect(), Rect(10, 146, 73, 166));
  EXPECT_EQ(Spectrum->HotRect(), Rect(77, 146, 140, 166));
  EXPECT_EQ(Spectrum->SelectedColor(), clWhite);
  EXPECT_EQ(Spectrum->SpectrumImage()->Cursor(), crNorvPointer);
}

TEST_F(ExColorSelectorPanelTest, TheSpectrumTakesTheColourUnderTheMouse) {
  auto* Spectrum = NewPanel<TExColorSpectrumPanel>();
  Integer selects = 0;
  Spectrum->OnSelect = [&](TObject*) { ++selects; };
  TImage* Picture = Spectrum->SpectrumImage();
  // A press without an earlier move selects the hot colour after the layout: none.
  Press(Picture, TPoint(20, 20));
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(Spectrum->SelectedColor(), clNone);
  TestHarness::SendMouse(Picture, WM_MOUSEMOVE, TPoint(43, 64));
  const TColor expected = Picture->Picture()->Bitmap()->Canvas()->Pixels(43, 64);
  EXPECT_EQ(Spectrum->HotColor(), expected);
  EXPECT_EQ(Shown(Spectrum, 100, 156), expected) << "the hot swatch";
  Press(Picture, TPoint(43, 64));
  EXPECT_EQ(selects, 2);
  EXPECT_EQ(Spectrum->SelectedColor(), expected);
  EXPECT_EQ(Shown(Spectrum, 40, 156), expected) << "the selected swatch";
}

TEST_F(ExColorSelectorPanelTest, TheDefaultPaletteIsTenStripsUnderARowOfBaseColours) {
  auto* Grid = NewPanel<TCustomColorSelector>();
  Grid->AddDefaultPalette();
  Grid->UpdateLayout();
  ASSERT_EQ(Grid->Items()->Count(), 60);
  EXPECT_EQ(Grid->Width(), 165);
  EXPECT_EQ(Grid->Height(), 84);
  struct Case {
    const char* Name;
    Integer Index;
    TRect R;
    TItemPos Pos;
  } cases[] = {
      {"first base colour", 0, Rect(4, 4, 16, 16), ipStandAlone},
      {"second base colour, a gap to the right", 1, Rect(20, 4, 32, 16), ipStandAlone},
      {"first shade, a gap under the base row", 10, Rect(4, 20, 16, 32), ipTop},
      {"second shade touches the first", 20, Rect(4, 32, 16, 44), ipMiddle},
      {"last shade", 59, Rect(148, 68, 160, 80), ipBottom},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Grid->Items()->Items(c.Index)->ItemRect(), c.R) << c.Name;
    EXPECT_EQ(Grid->Items()->Items(c.Index)->ColorBoxPos(), c.Pos) << c.Name;
  }
  // A copy of the palette in another grid keeps its joined strips.
  auto* Copy = NewPanel<TCustomColorSelector>();
  Copy->SetItems(Grid->Items());
  Copy->UpdateLayout();
  EXPECT_EQ(Copy->Width(), 165);
  EXPECT_EQ(Copy->Height(), 84);
  EXPECT_EQ(Copy->Items()->Items(20)->ColorBoxPos(), ipMiddle);
}

TEST_F(ExColorSelectorPanelTest, TheGridFollowsThePickersKeys) {
  auto* Grid = NewPanel<TCustomColorSelector>();
  Grid->AddDefaultPalette();
  Grid->UpdateLayout();
  struct Step {
    const char* Name;
    Word Key;
    bool EditorEnabled, DroppedDown;
    Integer Expected;
  } steps[] = {
      {"Down from none, open: the first box", VK_DOWN, false, true, 0},
      {"Down, open: a row further", VK_DOWN, false, true, 10},
      {"Right, open", VK_RIGHT, false, true, 11},
      {"Up, open: a row back", VK_UP, false, true, 1},
      {"Up, open, in the top row: one back", VK_UP, false, true, 0},
      {"Right with typing and closed: nothing", VK_RIGHT, true, false, 0},
      {"Down, closed: one on", VK_DOWN, true, false, 1},
      {"End", VK_END, false, false, 59},
      {"Down at the last box: nothing", VK_DOWN, false, true, 59},
      {"PageUp: the first", VK_PRIOR, false, false, 0},
      {"PageDown: the last", VK_NEXT, false, false, 59},
      {"Home", VK_HOME, false, false, 0},
      {"Left at the first: nothing", VK_LEFT, false, true, 0},
      {"Enter is no key of the grid", VK_RETURN, false, true, 0},
  };
  for (const Step& s : steps) {
    Grid->HandleKey(s.Key, s.EditorEnabled, s.DroppedDown);
    EXPECT_EQ(Grid->ItemIndex(), s.Expected) << s.Name;
  }
  Grid->SetEnabled(false);
  Grid->HandleKey(VK_END, false, true);
  EXPECT_EQ(Grid->ItemIndex(), 0) << "a disabled grid ignores keys";
}

TEST_F(ExColorSelectorPanelTest, TheGridSelectsByColour) {
  auto* Grid = NewPanel<TCustomColorSelector>();
  Grid->AddDefaultPalette();
  Grid->UpdateLayout();
  Integer selects = 0;
  Grid->OnItemSelect = [&](TObject*) { ++selects; };
  Grid->SetSelectedColor(0x4D50C0);
  EXPECT_EQ(Grid->ItemIndex(), 5);
  EXPECT_EQ(selects, 1);
  Grid->SetSelectedColor(0x123456);
  EXPECT_EQ(Grid->ItemIndex(), -1) << "a colour no box has clears the selection";
  EXPECT_EQ(Grid->SelectedColor(), 0x123456);
  Grid->SetItemIndex(59);
  EXPECT_EQ(Grid->SelectedColor(), 0x064897);
  // Two boxes of one colour: the colour selects the first, the index keeps the one chosen.
  EXPECT_EQ(Grid->Items()->Items(11)->Color(), Grid->Items()->Items(50)->Color());
  Grid->SetItemIndex(50);
  EXPECT_EQ(Grid->ItemIndex(), 50);
}

TEST_F(ExColorSelectorPanelTest, TheGridFramesHotAndSelectedBoxes) {
  auto* Grid = NewPanel<TCustomColorSelector>();
  Grid->AddDefaultPalette();
  Grid->UpdateLayout();
  EXPECT_EQ(Shown(Grid, 20, 4), 0xC5C5C5) << "a plain box's frame";
  EXPECT_EQ(Shown(Grid, 25, 10), 0x000000) << "its colour";
  TestHarness::SendMouse(Grid, WM_MOUSEMOVE, TPoint(25, 10));
  EXPECT_EQ(Grid->ItemHot(), 1);
  EXPECT_EQ(Grid->BackingImage()->Canvas()->Pixels(20, 4), 0x3694F2) << "hot outer";
  EXPECT_EQ(Grid->BackingImage()->Canvas()->Pixels(21, 5), 0x94E2FF) << "hot inner";
  Press(Grid, TPoint(25, 10));
  EXPECT_EQ(Grid->ItemIndex(), 1);
  EXPECT_EQ(Shown(Grid, 20, 4), 0x0000FF) << "selected outer";
  TestHarness::SendMouse(Grid, WM_MOUSEMOVE, TPoint(9, 9));
  Press(Grid, TPoint(9, 9));
  EXPECT_EQ(Grid->BackingImage()->Canvas()->Pixels(20, 4), 0xC5C5C5) << "the old selection drawn plain again";
}

TEST_F(ExColorSelectorPanelTest, AGridOfNoColumnsStacksItsBoxesAndRepaintsTheOneLeft) {
  auto* Grid = NewPanel<TCustomColorSelector>();
  Grid->AddDefaultPalette();
  Grid->SetColumns(0);
  Grid->UpdateLayout();
  EXPECT_EQ(Grid->Items()->Items(1)->ItemRect(), Rect(4, 20, 16, 32)) << "one box a row";
  TestHarness::SendMouse(Grid, WM_MOUSEMOVE, TPoint(10, 10));
  EXPECT_EQ(Grid->ItemHot(), 0);
  // Leaving a hot box repaints it and its neighbours in the strip.
  TestHarness::SendMouse(Grid, WM_MOUSEMOVE, TPoint(10, 25));
  EXPECT_EQ(Grid->ItemHot(), 1);
  EXPECT_EQ(Grid->BackingImage()->Canvas()->Pixels(4, 4), 0xC5C5C5) << "the box left drawn plain again";
}
