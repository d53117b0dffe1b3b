// The colour picker on a form: colour notations, selection by entry and by colour, the painted
// value, the four popup controls, keys in the list and the grid, the typed search on the fake
// clock, and cancelling.
#include "components/dropdown/ExColorPickerDropDown.h"

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

class ExColorPickerDropDownTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Picker = new TExColorPickerDropDown(Form);
    Picker->SetParent(Form);
    Picker->SetBounds(10, 10, 200, 21);
    Picker->AddDefaultColors();
    Picker->OnSelect = [this](TObject*) { ++Selects; };
  }
  void TearDown() override {
    TestHarness::UseFakeClock(false);
    TComponent::Free(Form);
  }

  void KeyDown(Word Key) { Picker->Perform(WM_KEYDOWN, Key, 0); }
  // Opens and closes the popup once, so that the list holds the colours.
  void PrepareList() {
    Picker->ShowDropDown();
    Picker->HideDropDown(false);
  }
  TColor PaintedAt(Integer X, Integer Y) {
    Picker->Perform(WM_PAINT);
    return Picker->WindowImage()->Canvas()->Pixels(X, Y);
  }

  TForm* Form = nullptr;
  TExColorPickerDropDown* Picker = nullptr;
  Integer Selects = 0;
};

}  // namespace

TEST(ColorValueTextTest, TheNotationsOfAColour) {
  struct Case {
    const char* Name;
    TColor Color;
    TColorValueText Notation;
    String Expected;
  } cases[] = {
      {"none", 0x0000FF, cvtNone, u""},
      {"hex in colour byte order", 0x0000FF, cvtHex, u"0000FF"},
      {"hex keeps more digits", 0x1FFFFFFF, cvtHex, u"1FFFFFFF"},
      {"hex leaves a system colour as it is", clHighlight, cvtHex, u"FF00000D"},
      {"HTML in red, green, blue order", 0x0000FF, cvtHTML, u"#FF0000"},
      {"HTML of a mixed colour", 0x563412, cvtHTML, u"#123456"},
      {"RGB in decimal", 0x0000FF, cvtRGB, u"Red:255,Green:0,Blue:0"},
      {"web name of a named colour", 0x0000FF, cvtWebName, u"red"},
      {"web name of navy", 0x800000, cvtWebName, u"navy"},
      {"web name of an unnamed colour", 0x563412, cvtWebName, u"#123456"},
  };
  for (const Case& c : cases) EXPECT_EQ(ColorValueToText(c.Color, c.Notation), c.Expected) << c.Name;
  const Integer rgb = ColorToRGB(clHighlight);
  EXPECT_EQ(ColorValueToText(clHighlight, cvtRGB), u"Red:" + IntToStr(rgb & 0xFF) + u",Green:" +
                                                      IntToStr((rgb >> 8) & 0xFF) + u",Blue:" +
                                                      IntToStr((rgb >> 16) & 0xFF))
      << "system colours are resolved";
}

TEST_F(ExColorPickerDropDownTest, StartsWithItsDefaults) {
  EXPECT_FALSE(Picker->EditorEnabled());
  EXPECT_EQ(Picker->DropDownHeight(), 200);
  EXPECT_FALSE(Picker->DropDownHeader()->Visible());
  EXPECT_FALSE(Picker->DropDownFooter()->Visible());
  EXPECT_EQ(Picker->SelectedColor(), clNone);
  EXPECT_EQ(Picker->ItemIndex(), -1);
  EXPECT_EQ(Picker->ColorSelectionStyle(), csList);
  ASSERT_NE(Picker->ItemSelector(), nullptr) << "the list exists from construction";
  EXPECT_EQ(Picker->ItemSelector()->Items()->Count(), 0) << "but holds nothing before the first opening";
  EXPECT_EQ(Picker->Control(), Picker->ItemSelector());
  ASSERT_EQ(Picker->Colors()->Count(), 16);
  EXPECT_EQ(Picker->Colors()->Items(9)->Caption(), u"Red");
  EXPECT_EQ(Picker->Colors()->Items(9)->Color(), 0x0000FF);
}

TEST_F(ExColorPickerDropDownTest, AColourSelectsItsEntryAndShowsBoxAndCaption) {
  Picker->SetSelectedColor(0x0000FF);
  EXPECT_EQ(Picker->ItemIndex(), 9);
  EXPECT_EQ(Picker->SelectedColorText(), u"Red");
  EXPECT_EQ(Selects, 1);
  // The box: 4 pixels in, centred in the 21-pixel edit.
  EXPECT_EQ(PaintedAt(10, 10), 0x0000FF);
  EXPECT_EQ(PaintedAt(5, 4), 0x000000) << "its black frame";
  // A colour no entry has clears the entry; without a notation only the box shows.
  Picker->SetSelectedColor(0x605040);
  EXPECT_EQ(Picker->ItemIndex(), -1);
  EXPECT_EQ(Picker->SelectedColorText(), u"");
  EXPECT_EQ(PaintedAt(10, 10), 0x605040);
}

TEST_F(ExColorPickerDropDownTest, EveryIndexWriteFiresOnSelect) {
  Picker->SetItemIndex(3);
  Picker->SetItemIndex(3);
  Picker->SetItemIndex(-1);
  EXPECT_EQ(Selects, 3);
  EXPECT_EQ(Picker->SelectedColor(), 0x008080) << "-1 keeps the colour";
  Picker->SetItemIndex(16);
  EXPECT_EQ(Selects, 3) << "an index beyond the colours is ignored";
  EXPECT_EQ(Picker->ItemIndex(), -1);
}

TEST_F(ExColorPickerDropDownTest, OutsideTheListTheNotationGivesTheText) {
  Picker->SetColorSelectionStyle(csDiscrete);
  Picker->SetSelectedColor(0x0000FF);
  Picker->SetColorValueText(cvtHTML);
  EXPECT_EQ(Picker->SelectedColorText(), u"#FF0000");
  Picker->SetColorValueText(cvtRGB);
  EXPECT_EQ(Picker->SelectedColorText(), u"Red:255,Green:0,Blue:0");
  Picker->SetColorSelectionStyle(csList);
  EXPECT_EQ(Picker->SelectedColorText(), u"Red");
}

TEST_F(ExColorPickerDropDownTest, ShowTextOffPaintsTheBoxOnly) {
  Picker->SetColor(0x00FF00);
  Picker->SetSelectedColor(0x0000FF);
  const Integer textX = 5 + 14 + 4 + 10;
  EXPECT_EQ(PaintedAt(textX, 3), 0x00FF00) << "the text's background";
  Picker->SetShowText(false);
  Picker->WindowImage()->Canvas()->Brush()->SetColor(clWhite);
  Picker->WindowImage()->Canvas()->FillRect(Rect(0, 0, 200, 21));
  EXPECT_EQ(PaintedAt(10, 10), 0x0000FF);
  EXPECT_NE(PaintedAt(textX, 3), 0x00FF00);
}

TEST_F(ExColorPickerDropDownTest, ACubeCellInTheColoursStillLeavesNoEntry) {
  Picker->SetColorSelectionStyle(csColorCube);
  Picker->ShowDropDown();
  ASSERT_TRUE(Picker->DroppedDown());
  TExColorCubePanel* Cube = Picker->ColorCubePanel();
  ASSERT_NE(Cube, nullptr);
  TestHarness::SendMouse(Cube, WM_LBUTTONDOWN, TPoint(109, 130), MK_LBUTTON);
  TestHarness::SendMouse(Cube, WM_LBUTTONUP, TPoint(109, 130));
  EXPECT_EQ(Picker->SelectedColor(), 0x0000FF);
  EXPECT_EQ(Picker->ItemIndex(), -1);
  EXPECT_FALSE(Picker->DroppedDown()) << "the choice closes the popup";
}

TEST_F(ExColorPickerDropDownTest, TheCubesPopupHasAFixedSize) {
  Picker->SetDropDownWidth(300);
  Picker->SetDropDownHeight(300);
  Picker->SetColorSelectionStyle(csColorCube);
  Picker->ShowDropDown();
  TDropDownForm* Popup = Picker->DropDownForm();
  EXPECT_EQ(Popup->Width(), 182 + 2);
  EXPECT_EQ(Popup->Height(), 160 + 2);
  EXPECT_FALSE(Popup->Sizeable());
  Picker->HideDropDown(false);
  // The list's popup follows DropDownHeight again and can be resized.
  Picker->SetDropDownHeight(250);
  Picker->SetColorSelectionStyle(csList);
  Picker->ShowDropDown();
  EXPECT_EQ(Popup->Height(), 250);
  EXPECT_TRUE(Popup->Sizeable());
}

TEST_F(ExColorPickerDropDownTest, UpAndDownMoveByColumnsWhileOpenAndByOneWhileClosed) {
  Picker->SetColumns(4);
  Picker->ShowDropDown();
  struct Step {
    const char* Name;
    Word Key;
    Integer Expected;
  } open[] = {
      {"Down from none: the first", VK_DOWN, 0},
      {"Down: a row further", VK_DOWN, 4},
      {"Right: the next", VK_RIGHT, 5},
      {"Up: a row back", VK_UP, 1},
      {"Up in the top row: refused", VK_UP, 1},
      {"End", VK_END, 15},
      {"Home", VK_HOME, 0},
  };
  for (const Step& s : open) {
    KeyDown(s.Key);
    EXPECT_EQ(Picker->ItemIndex(), s.Expected) << s.Name;
    EXPECT_TRUE(Picker->DroppedDown()) << s.Name;
  }
  Picker->HideDropDown(false);
  KeyDown(VK_DOWN);
  EXPECT_EQ(Picker->ItemIndex(), 1);
  KeyDown(VK_UP);
  EXPECT_EQ(Picker->ItemIndex(), 0);
  KeyDown(VK_RIGHT);
  EXPECT_EQ(Picker->ItemIndex(), 0) << "Right does nothing while closed";
}

TEST_F(ExColorPickerDropDownTest, EnterTakesTheHotEntryAndClosesThePopup) {
  Picker->ShowDropDown();
  Picker->ItemSelector()->HotNext();
  Picker->ItemSelector()->HotNext();
  ASSERT_EQ(Picker->ItemSelector()->ItemHot(), 1);
  KeyDown(VK_RETURN);
  EXPECT_EQ(Picker->ItemIndex(), 1);
  EXPECT_FALSE(Picker->DroppedDown());
}

TEST_F(ExColorPickerDropDownTest, TypedLettersSearchTheCaptionsForHalfASecond) {
  TestHarness::UseFakeClock(true);
  KeyDown('B');
  EXPECT_EQ(Picker->ItemIndex(), 0) << "Black, found before the popup was ever opened";
  TestHarness::AdvanceClock(500);
  PrepareList();
  Selects = 0;
  KeyDown('B');
  EXPECT_EQ(Picker->ItemIndex(), 0) << "Black";
  KeyDown('L');
  KeyDown('U');
  EXPECT_EQ(Picker->ItemIndex(), 12) << "Blue";
  EXPECT_EQ(Picker->CurSearch(), u"BLU");
  EXPECT_FALSE(Picker->DroppedDown());
  EXPECT_GE(Selects, 2);
  // The timer started by the first key is not restarted by the others.
  TestHarness::AdvanceClock(499);
  KeyDown('W');
  EXPECT_EQ(Picker->ItemIndex(), 12) << "BLUW finds nothing";
  TestHarness::AdvanceClock(1);
  EXPECT_EQ(Picker->CurSearch(), u"");
  KeyDown('W');
  EXPECT_EQ(Picker->ItemIndex(), 15) << "a new search: White";
}

TEST_F(ExColorPickerDropDownTest, ShiftDoesNotSpoilTheSearch) {
  TestHarness::UseFakeClock(true);
  PrepareList();
  KeyDown(VK_SHIFT);
  KeyDown('R');
  EXPECT_EQ(Picker->ItemIndex(), 9);
}

TEST_F(ExColorPickerDropDownTest, CancellingTheListRestoresTheEntryItOpenedWith) {
  Picker->SetSelectedColor(0x0000FF);
  Picker->ShowDropDown();
  KeyDown(VK_DOWN);
  KeyDown(VK_DOWN);
  EXPECT_EQ(Picker->ItemIndex(), 11);
  Picker->HideDropDown(true);
  EXPECT_EQ(Picker->ItemIndex(), 9);
  EXPECT_EQ(Picker->SelectedColor(), 0x0000FF);
}

TEST_F(ExColorPickerDropDownTest, CancellingTheListRestoresAColourThatWasNoEntry) {
  Picker->SetSelectedColor(0x605040);
  Picker->ShowDropDown();
  KeyDown(VK_DOWN);
  EXPECT_EQ(Picker->SelectedColor(), 0x000000);
  Picker->HideDropDown(true);
  EXPECT_EQ(Picker->ItemIndex(), -1);
  EXPECT_EQ(Picker->SelectedColor(), 0x605040);
}

TEST_F(ExColorPickerDropDownTest, CancellingTheGridRestoresItsColour) {
  Picker->SetColorSelectionStyle(csDiscrete);
  Picker->SetSelectedColor(0x4D50C0);
  Picker->ShowDropDown();
  TCustomColorSelector* Grid = Picker->ColorSelector();
  ASSERT_NE(Grid, nullptr);
  EXPECT_EQ(Grid->ItemIndex(), 5);
  KeyDown(VK_RIGHT);
  EXPECT_EQ(Grid->ItemIndex(), 6);
  EXPECT_EQ(Picker->SelectedColor(), 0x59BB9B);
  EXPECT_TRUE(Picker->DroppedDown());
  Picker->HideDropDown(true);
  EXPECT_EQ(Grid->SelectedColor(), 0x4D50C0);
  EXPECT_EQ(Picker->SelectedColor(), 0x4D50C0);
}

TEST_F(ExColorPickerDropDownTest, ClickingABoxOfTheGridChoosesItsColour) {
  Picker->SetColorSelectionStyle(csDiscrete);
  Picker->ShowDropDown();
  TCustomColorSelector* Grid = Picker->ColorSelector();
  const TRect R = Grid->Items()->Items(3)->ItemRect();
  TestHarness::SendMouse(Grid, WM_LBUTTONDOWN, TPoint(R.Left + 3, R.Top + 3), MK_LBUTTON);
  TestHarness::SendMouse(Grid, WM_LBUTTONUP, TPoint(R.Left + 3, R.Top + 3));
  EXPECT_EQ(Picker->SelectedColor(), 0x7D491F);
  EXPECT_EQ(Picker->ItemIndex(), -1);
  EXPECT_FALSE(Picker->DroppedDown());
}

TEST_F(ExColorPickerDropDownTest, TheSpectrumChoosesTheColourUnderTheMouse) {
  Picker->SetColorSelectionStyle(csSpectrum);
  Picker->ShowDropDown();
  TExColorSpectrumPanel* Spectrum = Picker->SpectrumPanel();
  ASSERT_NE(Spectrum, nullptr);
  TImage* Picture = Spectrum->SpectrumImage();
  TestHarness::SendMouse(Picture, WM_MOUSEMOVE, TPoint(0, 64));
  TestHarness::SendMouse(Picture, WM_LBUTTONDOWN, TPoint(0, 64), MK_LBUTTON);
  EXPECT_EQ(Picker->SelectedColor(), Picture->Picture()->Bitmap()->Canvas()->Pixels(0, 64));
  EXPECT_FALSE(Picker->DroppedDown());
}

TEST_F(ExColorPickerDropDownTest, ClickingAnEntryOfTheListChoosesIt) {
  Picker->ShowDropDown();
  TCustomItemSelector* Panel = Picker->ItemSelector()->SelectorPanel();
  const TRect R = Picker->ItemSelector()->Items()->Items(2)->ItemRect();
  TestHarness::SendMouse(Panel, WM_LBUTTONDOWN, TPoint(R.Left + 3, R.Top + 3), MK_LBUTTON);
  EXPECT_EQ(Picker->ItemIndex(), 2);
  EXPECT_EQ(Picker->SelectedColor(), 0x008000);
  EXPECT_FALSE(Picker->DroppedDown());
}

TEST_F(ExColorPickerDropDownTest, TheStylesReachTheAppearanceAndTheList) {
  Picker->SetComponentStyle(tsWindows7);
  EXPECT_EQ(Picker->ItemAppearance()->ColorSelected(), 0xFCEBDC);
  Picker->SetSelectionColorStyle(scWindowsVista);
  EXPECT_EQ(Picker->ItemSelector()->ItemAppearance()->ColorStyle(), scWindowsVista);
}

TEST_F(ExColorPickerDropDownTest, TheListsPopupHoldsTheListWithinItsFrame) {
  Picker->ShowDropDown();
  TExCustomItemSelector* List = Picker->ItemSelector();
  TSize panel;
  List->GetPanelSize(panel);
  ASSERT_TRUE(List->VertScrollBar()->IsScrollBarVisible()) << "16 colours in 200 pixels";
  EXPECT_FALSE(List->HorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(Picker->DropDownForm()->Width(), panel.cx + GetSystemMetrics(SM_CXVSCROLL) + 2);
  EXPECT_EQ(Picker->DropDownForm()->Height(), 200);
}

TEST_F(ExColorPickerDropDownTest, APanelsPopupIgnoresTheSizeLeftWithTheList) {
  Picker->ShowDropDown();
  Picker->HideDropDown(false);
  const Integer listWidth = Picker->UserDropDownWidth();
  ASSERT_NE(listWidth, -1);
  Picker->SetColorSelectionStyle(csColorCube);
  Picker->ShowDropDown();
  EXPECT_EQ(Picker->DropDownForm()->Width(), 182 + 2);
  EXPECT_EQ(Picker->DropDownForm()->Height(), 160 + 2);
  Picker->HideDropDown(false);
  Picker->SetColorSelectionStyle(csList);
  Picker->ShowDropDown();
  EXPECT_EQ(Picker->DropDownForm()->Width(), listWidth) << "the list's size comes back";
  EXPECT_EQ(Picker->DropDownForm()->Height(), 200);
}

// A closed picker brings its popup's list up to the colours and the selection before the wheel
// drives it: the wheel turns on from the colour chosen in code since the list was last filled.
TEST_F(ExColorPickerDropDownTest, TheWheelOnAClosedPickerTurnsFromTheCurrentColour) {
  PrepareList();
  Picker->SetItemIndex(3);
  TestHarness::Wheel(Picker, -120, TPoint(5, 5));
  EXPECT_EQ(Picker->ItemIndex(), 4);
  Picker->SetSelectedColor(0xFFFFFF);
  TestHarness::Wheel(Picker, 120, TPoint(5, 5));
  EXPECT_EQ(Picker->ItemIndex(), 14) << "one before White";
}

// The colour-box grid of a closed popup still holds the colour of its last opening; the wheel and
// the keys move on from the colour chosen in code since.
TEST_F(ExColorPickerDropDownTest, TheClosedGridMovesOnFromTheCurrentColour) {
  Picker->SetColorSelectionStyle(csDiscrete);
  Picker->SetSelectedColor(0x4D50C0);
  Picker->ShowDropDown();
  Picker->HideDropDown(false);
  Picker->SetSelectedColor(0x000000);
  TestHarness::Wheel(Picker, -120, TPoint(5, 5));
  EXPECT_EQ(Picker->SelectedColor(), 0xE1ECEE) << "the box after black";
  Picker->SetSelectedColor(0xFFFFFF);
  KeyDown(VK_DOWN);
  EXPECT_EQ(Picker->SelectedColor(), 0x000000) << "the box after white";
  EXPECT_FALSE(Picker->DroppedDown());
}
