// The flat combo box: button width, label placement, colours while disabled and focused, the
// close-up event, and what it paints over its window (frames, underline, drop-down button).
#include "components/gridbase/EsgCombo.h"

#include <vector>

#include "EditorTestUtil.h"

namespace {

class ComboTest : public EditorTest {
 protected:
  TEsgComboBox* NewCombo() {
    auto* c = new TEsgComboBox(Form);
    c->SetParent(Form);
    c->SetBounds(100, 50, 120, 20);
    return c;
  }
  // The label with a fixed size, so its place does not depend on the font.
  static TLabel* FixedLabel(TEsgComboBox* C, Integer W, Integer H) {
    C->SetLabelCaption(u"Label");
    TLabel* l = C->ComboLabel();
    l->SetAutoSize(false);
    l->SetBounds(l->Left(), l->Top(), W, H);
    return l;
  }
  static TColor At(TEsgComboBox* C, Integer X, Integer Y) { return C->WindowImage()->Canvas()->Pixels(X, Y); }
};

}  // namespace

TEST_F(ComboTest, ConstructionGivesTheDefaults) {
  TEsgComboBox* c = NewCombo();
  EXPECT_EQ(c->ButtonWidth(), 19);
  EXPECT_FALSE(c->Flat());
  EXPECT_TRUE(c->FlatParentColor());
  EXPECT_TRUE(c->DisabledBorder());
  EXPECT_EQ(c->LabelMargin(), 4);
  EXPECT_EQ(c->LabelPosition(), lpLeftTop);
  EXPECT_EQ(c->BorderColor(), clNone);
  EXPECT_EQ(c->ComboLabel(), nullptr);
  EXPECT_EQ(c->LabelCaption(), u"") << "no label, no caption";
}

TEST_F(ComboTest, OnlyButtonWidthsFrom14To32AreTaken) {
  TEsgComboBox* c = NewCombo();
  struct Row {
    Integer Written, Kept;
  };
  const Row rows[] = {{13, 19}, {33, 19}, {14, 14}, {32, 32}, {0, 32}};
  for (const Row& r : rows) {
    c->SetButtonWidth(r.Written);
    EXPECT_EQ(c->ButtonWidth(), r.Kept) << "width " << r.Written;
  }
}

TEST_F(ComboTest, TheLabelStandsWhereItsPositionSays) {
  struct Row {
    const char* Name;
    TLabelPosition Position;
    Integer Margin;
    Integer LabelW, LabelH;
    TPoint Place;
  };
  // The combo is at (100, 50), 120 x 20; the label's caption measures Measured pixels.
  TEsgComboBox* probe = NewCombo();
  probe->SetLabelCaption(u"Label");
  TRect m = Rect(0, 0, 1000, 255);
  probe->ComboLabel()->Canvas()->Font()->Assign(probe->ComboLabel()->Font());
  DrawText(probe->ComboLabel()->Canvas(), u"Label", m, DT_CALCRECT | DT_LEFT);
  const Integer w = m.Width();
  const Row rows[] = {
      {"left top", lpLeftTop, 4, 30, 13, Point(100 - w - 4, 50)},
      {"left centre, 13-pixel label", lpLeftCenter, 4, 30, 13, Point(100 - w - 4, 53)},
      {"left centre, label taller than the combo", lpLeftCenter, 4, 30, 25, Point(100 - w - 4, 48)},
      {"left bottom", lpLeftBottom, 4, 30, 13, Point(100 - w - 4, 57)},
      {"top left", lpTopLeft, 4, 30, 13, Point(100, 33)},
      {"bottom left", lpBottomLeft, 4, 30, 13, Point(100, 74)},
      {"left top left, wide margin", lpLeftTopLeft, 100, 30, 13, Point(0, 50)},
      {"left centre left", lpLeftCenterLeft, 4, 30, 13, Point(96, 53)},
      {"top centre", lpTopCenter, 4, 30, 13, Point(145, 33)},
      {"bottom centre", lpBottomCenter, 4, 31, 13, Point(144, 74)},
      {"right centre", lpRightCenter, 4, 30, 13, Point(224, 53)},
      {"right bottom", lpRighBottom, 6, 30, 13, Point(226, 57)},
  };
  for (const Row& r : rows) {
    TEsgComboBox* c = NewCombo();
    TLabel* l = FixedLabel(c, r.LabelW, r.LabelH);
    c->SetLabelMargin(r.Margin);
    c->SetLabelPosition(r.Position);
    EXPECT_EQ(Point(l->Left(), l->Top()), r.Place) << r.Name;
    EXPECT_EQ(l->Parent(), Form) << r.Name;
    EXPECT_EQ(l->FocusControl(), c) << r.Name;
  }
}

TEST_F(ComboTest, TheLabelFollowsTheCombo) {
  TEsgComboBox* c = NewCombo();
  TLabel* l = FixedLabel(c, 30, 13);
  c->SetLabelPosition(lpRightTop);
  c->SetLeft(10);
  EXPECT_EQ(l->Left(), 10 + 120 + 4) << "moved with the combo";
  c->SetVisible(false);
  EXPECT_FALSE(l->Visible());
  c->SetVisible(true);
  c->SetEnabled(false);
  EXPECT_FALSE(l->Enabled());
  c->SetEnabled(true);
  EXPECT_TRUE(l->Enabled());
  c->SetLabelAlwaysEnabled(true);
  c->SetEnabled(false);
  EXPECT_TRUE(l->Enabled()) << "an always enabled label stays enabled";
}

TEST_F(ComboTest, DisablingAFlatComboTakesTheParentsColourAndEnablingRestoresIt) {
  Form->SetColor(clTeal);
  TEsgComboBox* c = NewCombo();
  c->SetFlatParentColor(false);
  c->SetFlat(true);
  c->SetColor(clYellow);
  EXPECT_FALSE(c->ParentColor());
  c->SetEnabled(false);
  EXPECT_EQ(c->Color(), clTeal);
  EXPECT_TRUE(c->ParentColor());
  c->SetEnabled(true);
  EXPECT_EQ(c->Color(), clYellow);
  EXPECT_FALSE(c->ParentColor());
}

TEST_F(ComboTest, AFlatComboTakesItsParentsColour) {
  Form->SetColor(clTeal);
  TEsgComboBox* c = NewCombo();
  c->SetFlat(true);
  EXPECT_EQ(c->Color(), clTeal);
  EXPECT_FALSE(c->Ctl3D());
  c->SetFlatParentColor(false);
  c->SetFlat(false);
  EXPECT_EQ(c->Color(), clWindow) << "back to the colour it was given";
  EXPECT_TRUE(c->Ctl3D());
}

TEST_F(ComboTest, TheFocusColourIsPutOffAgainWhenTheComboIsLeft) {
  ShowForm();
  TEsgComboBox* c = NewCombo();
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 200, 100, 21);
  // Made in code, so Init never ran: the colour before the first focus comes back.
  c->SetColor(clYellow);
  c->SetFocusColor(clAqua);
  c->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_EQ(c->Color(), clAqua);
  EXPECT_TRUE(c->HasFocus());
  other->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_EQ(c->Color(), clYellow) << "the colour before the focus, without Init";
  EXPECT_FALSE(c->HasFocus());
  // Init names the colour to restore.
  c->SetColor(clWindow);
  c->Init();
  c->SetFocus();
  TestHarness::ProcessEvents();
  other->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_EQ(c->Color(), clWindow);
}

TEST_F(ComboTest, AFocusedComboMakesItsLabelBold) {
  ShowForm();
  TEsgComboBox* c = NewCombo();
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 200, 100, 21);
  c->SetLabelCaption(u"Name");
  c->SetFocusLabel(true);
  c->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_TRUE(c->ComboLabel()->Font()->Style().Contains(fsBold));
  other->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_FALSE(c->ComboLabel()->Font()->Style().Contains(fsBold));
}

TEST_F(ComboTest, ClosingTheListFiresOnDropUpOnce) {
  TEsgComboBox* c = NewCombo();
  Integer ups = 0;
  c->OnDropUp = [&](TObject* Sender) {
    EXPECT_EQ(Sender, c);
    ++ups;
  };
  Form->NotifyCommand(c, CBN_DROPDOWN);
  EXPECT_EQ(ups, 0);
  Form->NotifyCommand(c, CBN_CLOSEUP);
  EXPECT_EQ(ups, 1);
}

TEST_F(ComboTest, SelectItemSelectsOnlyAnItemOfTheList) {
  TEsgComboBox* c = NewCombo();
  c->SetStyle(csDropDownList);
  c->Items()->AddStrings(std::vector<String>{u"Y", u"N"});
  c->SelectItem(u"N");
  EXPECT_EQ(c->ItemIndex(), 1);
  c->SelectItem(u"maybe");
  EXPECT_EQ(c->ItemIndex(), 1);
}

TEST_F(ComboTest, TheMouseOverTheButtonAreaIsTracked) {
  TEsgComboBox* c = NewCombo();
  c->Perform(WM_MOUSEMOVE, 0, MakeLParam(120 - 5, 10));
  EXPECT_TRUE(c->ButtonHover());
  c->Perform(WM_MOUSEMOVE, 0, MakeLParam(120 - 19, 10));
  EXPECT_FALSE(c->ButtonHover()) << "the left edge of the button area is outside";
  c->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(c->MouseInControl());
  c->Perform(WM_MOUSEMOVE, 0, MakeLParam(118, 10));
  c->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(c->MouseInControl());
  EXPECT_FALSE(c->ButtonHover());
}

TEST_F(ComboTest, AutoFocusTakesTheFocusWhenTheMouseEnters) {
  ShowForm();
  TEsgComboBox* c = NewCombo();
  c->SetAutoFocus(true);
  c->Perform(CM_MOUSEENTER, 0, 0);
  TestHarness::ProcessEvents();
  EXPECT_TRUE(c->Focused());
}

// --- Painting --------------------------------------------------------------------------------------

TEST_F(ComboTest, TheControlBorderTakesOneOfFourLooks) {
  struct Row {
    const char* Name;
    TEsgBorderState State;
    TColor Corner;  // pixel (0, 0)
    TColor Inner;   // pixel (2, 2)
  };
  auto state = [](auto f) {
    TEsgBorderState s;
    s.Color = clWhite;
    s.ParentColor = clTeal;
    s.ButtonWidth = 19;
    f(s);
    return s;
  };
  const TColor none = clFuchsia;  // what the bitmap held before
  const Row rows[] = {
      {"disabled themed without disabled border", state([](auto& s) {
         s.Enabled = false, s.IsThemed = true, s.DisabledBorder = false, s.BorderColor = clRed;
       }),
       EsgDisabledFrameColor, none},
      {"border colour", state([](auto& s) { s.BorderColor = clRed; }), clRed, none},
      {"border colour yields to the focus colour while focused",
       state([](auto& s) { s.BorderColor = clRed, s.FocusBorderColor = clBlue, s.HasFocus = true; }), clBlue, none},
      {"focus colour without the focus draws nothing", state([](auto& s) { s.FocusBorderColor = clBlue; }), none,
       none},
      {"double frame in the parent's and the own colour", state([](auto&) {}), clTeal, clWhite},
  };
  for (const Row& r : rows) {
    TBitmap b(60, 20);
    b.Canvas()->Brush()->SetColor(none);
    b.Canvas()->FillRect(Rect(0, 0, 60, 20));
    PaintEsgControlBorder(b.Canvas(), Rect(0, 0, 60, 20), r.State);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), r.Corner) << r.Name;
    EXPECT_EQ(b.Canvas()->Pixels(2, 2), r.Inner) << r.Name;
  }
}

TEST_F(ComboTest, TheDoubleFrameLeavesTheButtonOutOfItsSecondRing) {
  TEsgBorderState s;
  s.Color = clWhite;
  s.ParentColor = clTeal;
  s.ButtonWidth = 19;
  TBitmap b(60, 20);
  b.Canvas()->Brush()->SetColor(clFuchsia);
  b.Canvas()->FillRect(Rect(0, 0, 60, 20));
  const TRect inside = PaintEsgControlBorder(b.Canvas(), Rect(0, 0, 60, 20), s);
  EXPECT_EQ(inside, Rect(2, 2, 58, 18));
  EXPECT_EQ(b.Canvas()->Pixels(1, 5), clTeal) << "second ring on the left";
  EXPECT_EQ(b.Canvas()->Pixels(60 - 19 - 2, 5), clTeal) << "second ring's right side stops at the button";
  EXPECT_EQ(b.Canvas()->Pixels(58, 5), clFuchsia) << "none over the button";
}

TEST(ComboThemeStateTest, TheThemedButtonStateFollowsTheMouseAndTheList) {
  struct Row {
    const char* Name;
    bool Enabled, MouseDown, Dropped, Hover;
    Integer State;
  };
  const Row rows[] = {
      {"disabled", false, true, true, true, 4},
      {"pressed while dropped down", true, true, true, false, 3},
      {"pressed", true, true, false, true, 1},
      {"not hovered", true, false, false, false, 1},
      {"dropped down", true, false, true, true, 1},
      {"hot", true, false, false, true, 2},
  };
  for (const Row& r : rows)
    EXPECT_EQ(EsgComboButtonThemeState(r.Enabled, r.MouseDown, r.Dropped, r.Hover), r.State) << r.Name;
}

TEST_F(ComboTest, AVistaComboWithoutCustomColoursLeavesThePaintingToTheLibrary) {
  TEsgComboBox* c = NewCombo();
  c->SetIsVista(true);
  c->SetFlat(true);
  c->Perform(WM_PAINT, 0, 0);
  c->PaintFrame();
  EXPECT_TRUE(c->WindowImage()->Empty());
  c->SetBorderColor(clRed);
  EXPECT_EQ(At(c, 0, 0), clRed);
}

TEST_F(ComboTest, CustomButtonColoursPaintTheDropButton) {
  TEsgComboBox* c = NewCombo();
  c->SetButtonColor(clYellow);
  c->SetButtonColorHot(clLime);
  c->SetButtonTextColor(clBlack);
  c->SetButtonBorderColor(clNavy);
  c->Invalidate();
  // The button area starts at client width - ButtonWidth + 2, less 1 for the fill.
  const Integer left = 120 - 19 + 2 + 1 - 1;
  EXPECT_EQ(At(c, left + 2, 4), clYellow);
  EXPECT_EQ(At(c, left, 4), clNavy) << "the border line";
  EXPECT_EQ(At(c, left + 7, 2 + 7 + 1), clBlack) << "inside the arrow";
  c->Perform(WM_MOUSEMOVE, 0, MakeLParam(115, 10));
  EXPECT_EQ(At(c, left + 2, 4), clLime);
}

TEST_F(ComboTest, AFlatComboDrawsItsUnderlineAndHidesTheIdleButton) {
  Form->SetColor(clTeal);
  TEsgComboBox* c = NewCombo();
  c->SetFlat(true);
  c->SetFlatLineColor(clRed);
  EXPECT_EQ(At(c, 0, 19), clRed) << "the underline from the left edge";
  EXPECT_EQ(At(c, 120 - 2 - 19 - 2, 19), clRed);
  EXPECT_NE(At(c, 120 - 2 - 19 - 1, 19), clRed) << "the underline stops before the button";
  EXPECT_EQ(At(c, 0, 0), clTeal) << "outer frame in the parent's colour";
  EXPECT_EQ(At(c, 120 - 19, 2), ColorToRGB(clBtnFace)) << "the idle button's raised face is hidden";
}

TEST_F(ComboTest, ADisabledThemedComboGetsTheBlueGreyFrameWithoutItsDisabledBorder) {
  TEsgComboBox* c = NewCombo();
  c->SetDisabledBorder(false);
  c->SetEnabled(false);
  c->PaintFrame();
  EXPECT_EQ(At(c, 0, 0), EsgDisabledFrameColor);
  EXPECT_EQ(At(c, 60, 19), EsgDisabledFrameColor);
}
