// The edit with button (button clicks, F4, typing with and without the editor, layout), its button
// part and speed button (painting), and the unit edit (text and unit, the unit menu, the unit text).
#include "components/gridbase/EsgEditBtn.h"

#include <vector>

#include "EditorTestUtil.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/Menus.h"

namespace {

class EditBtnTest : public EditorTest {
 protected:
  template <typename T = TEsgEditBtn>
  T* NewEdit() {
    auto* e = new T(Form);
    e->SetParent(Form);
    e->SetBounds(10, 10, 150, 24);
    return e;
  }
  // Records each OnClickBtn as the sender's class name.
  void Track(TEsgEditBtn* E) {
    E->OnClickBtn = [this](TObject* Sender) { Clicks.push_back(U8(static_cast<TComponent*>(Sender)->ClassName())); };
  }
  static TPoint Centre(TControl* C) { return Point(C->Width() / 2, C->Height() / 2); }

  std::vector<std::string> Clicks;
};

}  // namespace

// --- The edit with button --------------------------------------------------------------------------

TEST_F(EditBtnTest, ConstructionGivesTheDefaults) {
  TEsgEditBtn* e = NewEdit();
  EXPECT_EQ(e->Text(), u"0");
  EXPECT_TRUE(e->EditorEnabled());
  EXPECT_FALSE(e->RightAlign());
  EXPECT_FALSE(e->ControlStyle() & csSetCaption);
  TEsgEditButton* part = e->Button();
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->Parent(), e);
  EXPECT_EQ(part->FocusControl(), e);
  EXPECT_EQ(part->Width(), 18);
  EXPECT_EQ(part->Button()->BoundsRect(), Rect(0, 0, part->Width(), part->Height())) << "the button covers the part";
  EXPECT_EQ(part->ButtonColor(), clNone);
  EXPECT_TRUE(part->Glyph()->Empty());
}

TEST_F(EditBtnTest, TheButtonPartSitsAtTheRightEdgeAndTheTextStaysClearOfIt) {
  TEsgEditBtn* e = NewEdit();
  e->SetBounds(10, 10, 150, 30);
  TEsgEditButton* part = e->Button();
  EXPECT_EQ(part->BoundsRect(), Rect(150 - 18 - 5, 0, 150 - 5, 25)) << "single border, 3-D";
  EXPECT_EQ(e->EditRect(), Rect(1, 1, e->ClientWidth() - 18 - 5, e->ClientHeight() + 1));
  EXPECT_EQ(part->Button()->BoundsRect(), Rect(0, 0, 18, 25));
  e->SetBorderStyle(bsNone);
  e->SetCtl3D(false);
  e->SetWidth(160);
  EXPECT_EQ(part->BoundsRect(), Rect(160 - 18, 1, 160, 28)) << "flat";
  EXPECT_EQ(e->EditRect(), Rect(3, 3, e->ClientWidth() - 18 - 5, e->ClientHeight() + 1));
  e->SetButtonWidth(24);
  EXPECT_EQ(part->BoundsRect(), Rect(160 - 24, 1, 160, 28));
  e->SetHeight(3);
  EXPECT_EQ(e->Height(), e->MinHeight());
}

TEST_F(EditBtnTest, AClickOnTheButtonFiresOnClickBtnWithThePartAsSender) {
  ShowForm();
  TEsgEditBtn* e = NewEdit();
  Track(e);
  TExSpeedButton* b = e->Button()->Button();
  TestHarness::Click(b);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Clicks, (std::vector<std::string>{"TEsgEditButton"}));
  EXPECT_TRUE(e->Focused()) << "the release gives the focus to the edit";
}

TEST_F(EditBtnTest, ReleasingTheMouseOffThePressedButtonStillClicks) {
  ShowForm();
  TEsgEditBtn* e = NewEdit();
  Track(e);
  TExSpeedButton* b = e->Button()->Button();
  TestHarness::MouseDown(b, mbLeft, Centre(b));
  TestHarness::MouseMove(b, Point(-40, 60));
  TestHarness::MouseUp(b, mbLeft, Point(-40, 60));
  EXPECT_EQ(Clicks.size(), 1u);
  TestHarness::MouseDown(b, mbRight, Centre(b));
  TestHarness::MouseUp(b, mbRight, Centre(b));
  EXPECT_EQ(Clicks.size(), 1u) << "the right button does nothing";
}

TEST_F(EditBtnTest, F4ClicksTheButtonOnlyWithoutCtrlOrAlt) {
  ShowForm();
  TEsgEditBtn* e = NewEdit();
  e->SetFocus();
  TestHarness::ProcessEvents();
  Track(e);
  struct Row {
    const char* Name;
    TShiftState Shift;
    size_t Clicks;
  };
  const Row rows[] = {
      {"plain F4", TShiftState(), 1},
      {"Ctrl+F4", TShiftState(ssCtrl), 1},
      {"Alt+F4", TShiftState(ssAlt), 1},
      {"Shift+F4", TShiftState(ssShift), 2},
  };
  for (const Row& r : rows) {
    TestHarness::Key(e, VK_F4, r.Shift);
    EXPECT_EQ(Clicks.size(), r.Clicks) << r.Name;
  }
  EXPECT_EQ(Clicks.back(), "TEsgEditBtn") << "the edit is the sender of a key click";
}

TEST_F(EditBtnTest, WithoutTheEditorNoCharacterReachesTheEditButTheButtonWorks) {
  ShowForm();
  TEsgEditBtn* e = NewEdit();
  e->SetFocus();
  TestHarness::ProcessEvents();
  e->SetText(u"ab");
  e->SetSelStart(2);
  TestHarness::TypeText(e, u"c");
  EXPECT_EQ(e->Text(), u"abc");
  e->SetEditorEnabled(false);
  Integer presses = 0;
  e->OnKeyPress = [&](TObject*, Char&) { ++presses; };
  TestHarness::TypeText(e, u"d");
  TestHarness::Key(e, VK_BACK);
  EXPECT_EQ(e->Text(), u"abc");
  EXPECT_EQ(presses, 0);
  Clipboard()->SetAsText(u"X");
  e->SelectAll();
  e->PasteFromClipboard();
  e->CutToClipboard();
  EXPECT_EQ(e->Text(), u"abc");
  Track(e);
  TestHarness::Key(e, VK_F4);
  TestHarness::Click(e->Button()->Button());
  EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(EditBtnTest, ReadOnlyRefusesCutAndPaste) {
  TEsgEditBtn* e = NewEdit();
  e->SetText(u"abc");
  e->SetReadOnly(true);
  Clipboard()->SetAsText(u"X");
  e->SelectAll();
  e->PasteFromClipboard();
  EXPECT_EQ(e->Text(), u"abc");
}

TEST_F(EditBtnTest, TheButtonPaintsItsCustomColoursByState) {
  TEsgEditBtn* e = NewEdit();
  TEsgEditButton* part = e->Button();
  part->SetButtonColor(clYellow);
  part->SetButtonColorHot(clLime);
  part->SetButtonColorDown(clRed);
  TExSpeedButton* b = part->Button();
  auto shown = [&] {
    b->Invalidate();
    b->PaintIfNeeded();
    return b->BackingImage()->Canvas()->Pixels(2, 2);
  };
  EXPECT_EQ(shown(), clYellow);
  EXPECT_TRUE(b->Flat()) << "custom colours paint flat";
  b->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(shown(), clLime);
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(3, 3));
  EXPECT_EQ(shown(), clRed) << "pressed wins over hot";
  b->Perform(WM_LBUTTONUP, 0, MakeLParam(3, 3));
}

TEST_F(EditBtnTest, TheClassicButtonShowsItsCaptionInBlack) {
  TEsgEditBtn* e = NewEdit();
  e->SetButtonCaption(u"...");
  TExSpeedButton* b = e->Button()->Button();
  b->Invalidate();
  b->PaintIfNeeded();
  TCanvas* c = b->BackingImage()->Canvas();
  Integer black = 0;
  for (Integer y = 0; y < b->Height(); ++y)
    for (Integer x = 0; x < b->Width(); ++x)
      if (c->Pixels(x, y) == clBlack) ++black;
  EXPECT_GT(black, 2) << "the dots";
  EXPECT_EQ(c->Pixels(3, 3), ColorToRGB(clBtnFace)) << "the face of a push button";
}

// --- The unit edit ---------------------------------------------------------------------------------

TEST_F(EditBtnTest, AUnitEditIsRightAlignedWithRoomForTheUnit) {
  auto* e = NewEdit<TEsgUnitEditBtn>();
  EXPECT_TRUE(e->RightAlign());
  EXPECT_EQ(e->Alignment(), taRightJustify);
  EXPECT_EQ(e->UnitSpace(), 20);
  EXPECT_EQ(e->EditRect().Right, e->ClientWidth() - 18 - 5 - 20 - 3);
  e->SetUnitSpace(0);
  EXPECT_EQ(e->EditRect().Right, e->ClientWidth() - 18 - 5);
}

TEST_F(EditBtnTest, TheFirstUnitThatEndsTheValueSplitsIt) {
  struct Row {
    const char* Name;
    std::vector<String> Units;
    String Value;
    String Text, Unit;
  };
  const Row rows[] = {
      {"mm before m", {u"mm", u"m"}, u"12mm", u"12", u"mm"},
      {"m after mm", {u"mm", u"m"}, u"5m", u"5", u"m"},
      {"no unit matches", {u"mm", u"m"}, u"5 kg", u"7", u"cm"},
      {"m first occurs inside the value", {u"m", u"mm"}, u"3mm", u"3", u"mm"},
      {"the blank stays with the text", {u"m"}, u"5 km", u"5 k", u"m"},
      {"an empty unit never matches", {u""}, u"9", u"7", u"cm"},
  };
  for (const Row& r : rows) {
    auto* e = NewEdit<TEsgUnitEditBtn>();
    e->Units()->AddStrings(r.Units);
    e->SetText(u"7");
    e->SetUnitID(u"cm");
    e->SetTextAndUnit(r.Value);
    EXPECT_EQ(e->Text(), r.Text) << r.Name;
    EXPECT_EQ(e->UnitID(), r.Unit) << r.Name;
    EXPECT_EQ(e->TextAndUnit(), r.Text + r.Unit) << r.Name;
  }
}

TEST_F(EditBtnTest, TheButtonOpensTheUnitMenuAndAChoiceChangesTheUnit) {
  ShowForm();
  auto* e = NewEdit<TEsgUnitEditBtn>();
  e->Units()->AddStrings(std::vector<String>{u"mm", u"cm", u"m"});
  e->SetUnitID(u"mm");
  Track(e);
  std::vector<String> changes;
  e->OnUnitChanged = [&](TObject* Sender, const String& NewUnit) {
    EXPECT_EQ(Sender, e);
    changes.push_back(NewUnit);
  };
  std::vector<String> shown;
  TestHarness::ExpectPopupMenu([&](TPopupMenu& Menu) {
    for (Integer i = 0; i < Menu.Items()->Count(); ++i) shown.push_back(Menu.Items()->Items(i)->Caption());
    return Menu.Items()->Items(1);
  });
  TestHarness::Click(e->Button()->Button());
  EXPECT_EQ(shown, (std::vector<String>{u"mm", u"cm", u"m"}));
  EXPECT_EQ(e->UnitID(), u"cm");
  EXPECT_EQ(changes, (std::vector<String>{u"cm"}));
  EXPECT_EQ(Clicks, (std::vector<std::string>{"TEsgUnitEditBtn"})) << "the unit edit is always the sender";

  TestHarness::ExpectPopupMenu([](TPopupMenu& Menu) { return Menu.Items()->Items(1); });
  TestHarness::Key(e, VK_F4);
  EXPECT_EQ(changes.size(), 1u) << "choosing the current unit again changes nothing";

  TestHarness::ExpectPopupMenu([](TPopupMenu&) { return nullptr; });
  TestHarness::Click(e->Button()->Button());
  EXPECT_EQ(e->UnitID(), u"cm");
  EXPECT_TRUE(TestHarness::Verify());
}

TEST_F(EditBtnTest, CommandsOutsideTheUnitListAreIgnored) {
  auto* e = NewEdit<TEsgUnitEditBtn>();
  e->Units()->Add(u"kg");
  e->SetUnitID(u"g");
  e->Perform(WM_COMMAND, MakeWParam(2, 0), 0);
  e->Perform(WM_COMMAND, MakeWParam(0, 0), 0);
  e->Perform(WM_COMMAND, MakeWParam(1, EN_CHANGE), 0);
  EXPECT_EQ(e->UnitID(), u"g");
  e->Perform(WM_COMMAND, MakeWParam(1, 0), 0);
  EXPECT_EQ(e->UnitID(), u"kg");
}

TEST_F(EditBtnTest, TheUnitIsDrawnJustLeftOfTheButton) {
  auto* e = NewEdit<TEsgUnitEditBtn>();
  e->SetUnitID(u"mm");
  TBitmap* img = e->WindowImage();
  ASSERT_EQ(img->Width(), e->Width());
  const Integer right = e->ClientWidth() - e->Button()->Width() - 3;
  const Integer left = right - e->UnitSpace();
  Integer inside = 0, outside = 0;
  for (Integer y = 0; y < img->Height(); ++y)
    for (Integer x = 0; x < img->Width(); ++x) {
      const TColor p = img->Canvas()->Pixels(x, y);
      if (p != ColorToRGB(clWindowText)) continue;
      if (x >= left && x < right && y >= 2)
        ++inside;
      else
        ++outside;
    }
  EXPECT_GT(inside, 5);
  EXPECT_EQ(outside, 0);
}
