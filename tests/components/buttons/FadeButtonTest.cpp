// The push button on a form: its properties, clicks by mouse, keys and accelerators, the modal
// result, Default and Cancel, the popup menu, hot tracking and the fade.
#include "components/buttons/FadeButton.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/gui/ActnList.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/TestHarness.h"
#include "platform/gui/Threads.h"

namespace {

// A focusable control that is not a button; it records the keys that reach it.
class TFocusBox : public TCustomControl {
 public:
  explicit TFocusBox(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
  String ClassName() const override { return u"TFocusBox"; }
  std::vector<Word> KeysDown;
  void KeyDown(Word& Key, TShiftState Shift) override {
    KeysDown.push_back(Key);
    TCustomControl::KeyDown(Key, Shift);
  }
};

// A plain container to put buttons on.
class TBox : public TCustomControl {
 public:
  explicit TBox(TComponent* AOwner) : TCustomControl(AOwner) {}
  String ClassName() const override { return u"TBox"; }
};

class FadeButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetCaption(u"Dialog");
    Form->SetBounds(100, 100, 360, 200);
    Form->AfterConstruction();
  }
  void TearDown() override { TComponent::Free(Form); }

  TFadeButton* NewButton(const String& Caption, Integer Left, Integer Top, TWinControl* Parent = nullptr) {
    auto* b = new TFadeButton(Form);
    b->SetParent(Parent ? Parent : Form);
    b->SetBounds(Left, Top, 80, 24);
    b->SetCaption(Caption);
    return b;
  }
  // Counts the clicks of a button in Clicks (by caption, in order).
  void Track(TFadeButton* B) {
    B->OnClick = [this](TObject* Sender) { Clicks.push_back(StringToUtf8(static_cast<TFadeButton*>(Sender)->Caption())); };
  }
  // The colour the button shows at (X, Y) of its own image, after any pending paint.
  static TColor Shown(TFadeButton* B, Integer X, Integer Y) {
    B->PaintIfNeeded();
    return B->BackingImage()->Canvas()->Pixels(X, Y);
  }

  TForm* Form = nullptr;
  std::vector<std::string> Clicks;
};

}  // namespace

// --- Properties ------------------------------------------------------------------------------------

TEST_F(FadeButtonTest, ConstructionGivesTheInitialState) {
  Form->Font()->SetName(u"Verdana");
  Form->Font()->SetHeight(-13);
  auto* b = new TFadeButton(Form);
  EXPECT_EQ(b->ClassName(), u"TFadeButton");
  EXPECT_EQ(b->Width(), 100);
  EXPECT_EQ(b->Height(), 23);
  EXPECT_EQ(b->ControlStyle(), static_cast<TControlStyle>(csCaptureMouse | csSetCaption));
  EXPECT_TRUE(b->TabStop());
  EXPECT_TRUE(b->Enabled());
  EXPECT_EQ(b->Color(), clBtnFace);
  EXPECT_EQ(b->Alignment(), taCenter);
  EXPECT_EQ(b->ColorStyle(), lcsCustom);
  EXPECT_EQ(b->ColorWhenDown(), clNone);
  EXPECT_EQ(b->HotTrackColor(), clNone);
  EXPECT_EQ(b->LightColor(), 0xFFFFFF);
  EXPECT_EQ(b->ShadowColor(), 0x808080);
  EXPECT_EQ(b->Kind(), bkCustom);
  EXPECT_EQ(b->Layout(), blGlyphLeft);
  EXPECT_EQ(b->ModalResult(), mrNone);
  EXPECT_EQ(b->NumGlyphs(), 0);
  EXPECT_TRUE(b->Glyph()->Empty());
  EXPECT_EQ(b->Style(), bsNormal);
  EXPECT_FALSE(b->Default() || b->Cancel() || b->Flat() || b->WordWrap() || b->SlowDecease() ||
               b->UseHotTrackFont());
  EXPECT_FALSE(b->Down() || b->CursorOnButton());
  EXPECT_EQ(b->HotTrackStep(), 0);
  // The hot-track font starts as the owner form's font.
  EXPECT_EQ(b->HotTrackFont()->Name(), u"Verdana");
  EXPECT_EQ(b->HotTrackFont()->Height(), -13);
  // The fade thread exists from the start and waits.
  ASSERT_NE(b->FadeThread(), nullptr);
  EXPECT_TRUE(b->FadeThread()->Suspended());
}

TEST_F(FadeButtonTest, ColorStyleAppliesAPresetAndReadsCustom) {
  struct Row {
    const char* Name;
    TFadeColorStyle Preset;
    TFadeButtonStyle Style;
    TColor Color, FontColor;
    bool Flat;
  };
  const Row rows[] = {
      {"gold", lcsGold, bsModern, 0x00C0C0, clBlack, false},
      {"ultra flat 1", lcsUltraFlat1, bsNormal, clBtnFace, clBlack, true},
      {"quicken", lcsQuicken, bsQuicken, 0x603000, 0xFFFFFF, false},
      {"default", lcsDefault, bsNormal, clBtnFace, clBlack, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    auto* b = NewButton(u"Go", 10, 10);
    b->SetStyle(bsShape);
    b->SetFlat(!r.Flat);
    b->SetColorStyle(r.Preset);
    EXPECT_EQ(b->ColorStyle(), lcsCustom);
    EXPECT_EQ(b->Style(), r.Style);
    EXPECT_EQ(b->Color(), r.Color);
    EXPECT_EQ(b->Font()->Color(), r.FontColor);
    EXPECT_EQ(b->Flat(), r.Flat);
    const TFadeColorPreset p = GetColorStyleColors(r.Preset);
    EXPECT_EQ(b->LightColor(), p.LightColor);
    EXPECT_EQ(b->ShadowColor(), p.ShadowColor);
    EXPECT_EQ(b->ColorWhenDown(), p.ColorWhenDown);
    EXPECT_EQ(b->HotTrackColor(), p.HotTrackColor);
    // Writing lcsCustom afterwards changes nothing.
    b->SetColor(0x123456);
    b->SetColorStyle(lcsCustom);
    EXPECT_EQ(b->Color(), 0x123456);
    EXPECT_EQ(b->Style(), r.Style);
    TComponent::Free(b);
  }
}

TEST_F(FadeButtonTest, GoldPresetPaintsAModernGoldButton) {
  auto* b = NewButton(u"", 10, 10);
  b->SetColorStyle(lcsGold);
  EXPECT_EQ(Shown(b, 40, 0), 0x008080);  // the rounded outline in the shadow colour
  // Row 2 shows the last of the overlapping bands that start there (band 7 of 4 rows):
  // 255 + 7 (192 - 255) / 31 = 240.8.
  EXPECT_EQ(Shown(b, 40, 2), RGB(240, 240, 0));
  EXPECT_EQ(Shown(b, 40, 1), 0x00C0C0);  // the inner outline in the face colour
  // A preset does not make the window see-through: the corner shows the button's own colour.
  EXPECT_EQ(Shown(b, 0, 0), 0x00C0C0);
  // The style write does: the corner then shows the form.
  Form->SetColor(0xEDF7F8);
  b->SetStyle(bsModern);
  b->Invalidate();
  EXPECT_EQ(Shown(b, 0, 0), 0xEDF7F8);
}

TEST_F(FadeButtonTest, KindsLoadGlyphCaptionAndModalResult) {
  struct Row {
    TFadeButtonKind Kind;
    const char16_t* Caption;
    TModalResult Result;
    Integer GlyphHeight;
  };
  const Row rows[] = {{bkOK, u"OK", mrOk, 18},         {bkCancel, u"Abbrechen", mrCancel, 18},
                      {bkClose, u"Schließen", mrNone, 18}, {bkAll, u"Alle", mrAll, 19}};
  auto* b = NewButton(u"x", 10, 10);
  for (const Row& r : rows) {
    SCOPED_TRACE(StringToUtf8(r.Caption));
    b->SetKind(r.Kind);
    EXPECT_EQ(b->Kind(), r.Kind);
    EXPECT_EQ(b->Caption(), r.Caption);
    EXPECT_EQ(b->ModalResult(), r.Result);
    EXPECT_EQ(b->NumGlyphs(), 2);
    EXPECT_EQ(b->Glyph()->Width(), 36);
    EXPECT_EQ(b->Glyph()->Height(), r.GlyphHeight);
  }
  // Setting the modal result or a glyph makes the button custom again.
  b->SetKind(bkYes);
  b->SetModalResult(mrOk);
  EXPECT_EQ(b->Kind(), bkCustom);
  EXPECT_EQ(b->Caption(), u"Ja");
  b->SetKind(bkNo);
  TBitmap g(16, 16);
  b->SetGlyph(&g);
  EXPECT_EQ(b->Kind(), bkCustom);
  EXPECT_EQ(b->ModalResult(), mrNo);
  // bkCustom only stores the kind.
  b->SetKind(bkCustom);
  EXPECT_EQ(b->Caption(), u"Nein");
  EXPECT_EQ(b->NumGlyphs(), 1);
}

TEST_F(FadeButtonTest, GlyphSetsNumGlyphsFromItsShape) {
  struct Row {
    const char* Name;
    Integer W, H;
    bool Missing;
    Integer NumGlyphs;
  };
  const Row rows[] = {
      {"two square frames", 36, 18, false, 2},
      {"one frame", 18, 18, false, 1},
      {"four frames", 64, 16, false, 4},
      {"narrower than high", 10, 18, false, 0},
      {"height 0", 20, 0, false, 0},
      {"no bitmap", 0, 0, true, 0},
  };
  auto* b = NewButton(u"x", 10, 10);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    b->SetNumGlyphs(7);
    TBitmap g(r.W, r.H);
    b->SetGlyph(r.Missing ? nullptr : &g);
    EXPECT_EQ(b->NumGlyphs(), r.NumGlyphs);
    EXPECT_EQ(b->Glyph()->Empty(), r.W == 0 || r.H == 0);
  }
}

// --- See-through styles ------------------------------------------------------------------------------

namespace {

// A container that paints a pattern of 4 x 4 cells, no two neighbours alike; Shift moves the
// pattern one cell to the left.
class TPatternBox : public TCustomControl {
 public:
  explicit TPatternBox(TComponent* AOwner) : TCustomControl(AOwner) {}
  String ClassName() const override { return u"TPatternBox"; }
  Integer Shift = 0;
  // The colour the box paints at a point of its client area.
  TColor At(Integer X, Integer Y) const {
    const Integer cx = X / 4 + Shift, cy = Y / 4;
    return RGB((cx * 16) % 256, (cy * 16) % 256, (cx + cy) % 2 ? 0xC0 : 0x40);
  }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    for (Integer y = 0; y < Height(); y += 4)
      for (Integer x = 0; x < Width(); x += 4) {
        c->Brush()->SetColor(At(x, y));
        c->FillRect(Rect(x, y, x + 4, y + 4));
      }
  }
};

}  // namespace

TEST_F(FadeButtonTest, SeeThroughStylesShowWhatTheParentPaintsBeneathThem) {
  auto* box = new TPatternBox(Form);
  box->SetParent(Form);
  box->SetBounds(0, 0, 200, 100);
  box->SetColor(clWhite);
  TestHarness::ShowForm(Form);
  struct Row {
    const char* Name;
    TFadeButtonStyle Style;
    bool SeeThrough;
  };
  const Row rows[] = {
      {"modern", bsModern, true},  {"shape", bsShape, true},       {"quicken", bsQuicken, true},
      {"normal", bsNormal, false}, {"encarta", bsEncarta, false}, {"old", bsOld, false},
  };
  // The four corners of an 80 x 24 button: outside the face of every see-through style.
  const TPoint corners[] = {TPoint(0, 0), TPoint(79, 0), TPoint(0, 23), TPoint(79, 23)};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    auto* b = NewButton(u"", 13, 22, box);
    b->SetColor(0x00C0C0);
    b->SetLightColor(0x00FFFF);
    b->SetShadowColor(0x008080);
    b->SetStyle(r.Style);
    TestHarness::ProcessEvents();
    for (const TPoint& p : corners) {
      const TColor under = box->At(b->Left() + p.X, b->Top() + p.Y);
      if (r.SeeThrough) {
        EXPECT_EQ(TestHarness::Pixel(b, p.X, p.Y), under) << p.X << ", " << p.Y;
      } else {
        EXPECT_NE(TestHarness::Pixel(b, p.X, p.Y), under) << p.X << ", " << p.Y;
      }
    }
    // An opaque button paints its own face colour inside its frame.
    if (!r.SeeThrough) {
      EXPECT_EQ(TestHarness::Pixel(b, 3, 3), 0x00C0C0);
    }
    TComponent::Free(b);
  }

  // The parent paints anew: the button shows the new pattern beneath it.
  auto* b = NewButton(u"", 13, 22, box);
  b->SetStyle(bsModern);
  TestHarness::ProcessEvents();
  box->Shift = 1;
  box->Invalidate();
  TestHarness::ProcessEvents();
  EXPECT_EQ(TestHarness::Pixel(b, 0, 0), box->At(13, 22));
  EXPECT_EQ(TestHarness::Pixel(b, 79, 23), box->At(92, 45));
}

// --- Clicks ----------------------------------------------------------------------------------------

TEST_F(FadeButtonTest, ClickWithModalResultClosesTheModalFormAfterOnClick) {
  auto* apply = NewButton(u"Apply", 10, 150);
  auto* ok = NewButton(u"OK", 100, 150);
  ok->SetModalResult(mrOk);
  std::vector<std::string> log;
  apply->OnClick = [&](TObject*) { log.push_back("apply"); };
  ok->OnClick = [&](TObject*) {
    // The form's result is set only after the handler ran.
    log.push_back(Form->ModalResult() == mrNone ? "ok before result" : "ok after result");
  };
  TestHarness::ExpectModal(u"Dialog", [&](TCustomForm& f) {
    TestHarness::Click(apply);
    EXPECT_EQ(f.ModalResult(), mrNone);  // a button without a modal result keeps the form open
    TestHarness::Click(ok);
  });
  EXPECT_EQ(Form->ShowModal(), mrOk);
  EXPECT_EQ(log, (std::vector<std::string>{"apply", "ok before result"}));
  EXPECT_TRUE(TestHarness::Verify());
}

TEST_F(FadeButtonTest, MouseReleaseAnywhereClicksAndDoubleClickIsTwoClicks) {
  auto* b = NewButton(u"Go", 10, 10);
  Track(b);
  TestHarness::ShowForm(Form);
  TestHarness::MouseDown(b, mbLeft, Point(5, 5));
  EXPECT_TRUE(b->Down());
  EXPECT_TRUE(b->Focused());
  TestHarness::MouseUp(b, mbLeft, Point(200, 120));  // released far away from the button
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(Clicks.size(), 1u);

  TestHarness::DoubleClick(b, Point(5, 5));
  EXPECT_EQ(Clicks.size(), 3u);

  // The right button does not press it.
  TestHarness::MouseDown(b, mbRight, Point(5, 5));
  TestHarness::MouseUp(b, mbRight, Point(5, 5));
  EXPECT_EQ(Clicks.size(), 3u);
}

TEST_F(FadeButtonTest, DisabledOrHiddenButtonNeverClicks) {
  auto* b = NewButton(u"Go", 10, 10);
  Track(b);
  TestHarness::ShowForm(Form);
  b->SetEnabled(false);
  TestHarness::Click(b);
  b->Click();
  EXPECT_TRUE(Clicks.empty());
  b->SetEnabled(true);
  b->SetVisible(false);
  b->Click();
  EXPECT_TRUE(Clicks.empty());
  b->SetVisible(true);
  b->Click();
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(FadeButtonTest, EnabledWriteClearsThePressedState) {
  auto* b = NewButton(u"", 10, 10);
  b->SetColor(0x202020);
  b->SetColorWhenDown(0x0080FF);
  TestHarness::ShowForm(Form);
  TestHarness::MouseDown(b, mbLeft, Point(5, 5));
  EXPECT_EQ(Shown(b, 40, 12), 0x0080FF);
  b->SetEnabled(false);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(Shown(b, 40, 12), 0x202020);
  b->SetEnabled(true);
  TestHarness::MouseUp(b, mbLeft, Point(5, 5));
  EXPECT_FALSE(b->Down());
}

TEST_F(FadeButtonTest, SpaceAndEnterOnTheFocusedButtonClickOnRelease) {
  auto* b = NewButton(u"Go", 10, 10);
  auto* box = new TFocusBox(Form);
  box->SetParent(Form);
  box->SetBounds(10, 60, 50, 20);
  Track(b);
  TestHarness::ShowForm(Form);
  b->SetFocus();
  TestHarness::Key(b, VK_SPACE);
  EXPECT_EQ(Clicks.size(), 1u);
  TestHarness::Key(b, VK_RETURN);
  EXPECT_EQ(Clicks.size(), 2u);
  // A key released on the button that went down elsewhere does not click it.
  box->SetFocus();
  TestHarness::SendKeyStroke(box, VK_RETURN, TShiftState(), u"\r");
  b->Perform(CN_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(FadeButtonTest, AcceleratorCharacterClicksTheButton) {
  auto* apply = NewButton(u"&Apply", 10, 10);
  auto* other = NewButton(u"&Other", 100, 10);
  auto* box = new TFocusBox(Form);
  box->SetParent(Form);
  box->SetBounds(10, 60, 50, 20);
  Track(apply);
  Track(other);
  TestHarness::ShowForm(Form);
  box->SetFocus();
  TestHarness::SendKeyStroke(box, 'A', TShiftState(), u"a");
  EXPECT_EQ(Clicks, (std::vector<std::string>{"&Apply"}));
  // A hidden button does not answer its accelerator.
  other->SetVisible(false);
  TestHarness::SendKeyStroke(box, 'O', TShiftState(), u"o");
  EXPECT_EQ(Clicks.size(), 1u);
}

// --- Default and Cancel ------------------------------------------------------------------------------

TEST_F(FadeButtonTest, EnterAndEscapeReachOnlyVisibleEnabledDefaultAndCancelButtons) {
  enum TFocus { fBox, fOther, fOk };
  struct Row {
    const char* Name;
    Word Key;
    TShiftState Shift;
    bool OkVisible, OkEnabled, OnHiddenPanel;
    TFocus Focus;
    std::vector<std::string> Clicked;
    bool KeyReachesBox;  // the key went on to the focused box as a plain key
  };
  const Row rows[] = {
      {"Enter presses the default button", VK_RETURN, {}, true, true, false, fBox, {"OK"}, false},
      {"Shift+Enter too", VK_RETURN, ssShift, true, true, false, fBox, {"OK"}, false},
      {"Enter passes a hidden default button by", VK_RETURN, {}, false, true, false, fBox, {}, true},
      {"Enter passes a disabled default button by", VK_RETURN, {}, true, false, false, fBox, {}, true},
      {"Enter passes a default button on a hidden panel by", VK_RETURN, {}, true, true, true, fBox, {}, true},
      {"Enter on another button clicks that one", VK_RETURN, {}, true, true, false, fOther, {"Other"}, false},
      {"Enter on the default button clicks it once", VK_RETURN, {}, true, true, false, fOk, {"OK"}, false},
      {"Escape presses the cancel button", VK_ESCAPE, {}, true, true, false, fBox, {"Cancel"}, false},
      {"Shift+Escape does not", VK_ESCAPE, ssShift, true, true, false, fBox, {}, true},
      {"Escape is the focused button's, not the cancel button's", VK_ESCAPE, {}, true, true, false, fOther, {},
       false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    // A fresh form for every row.
    TearDown();
    SetUp();
    Clicks.clear();
    auto* panel = new TBox(Form);
    panel->SetParent(Form);
    panel->SetBounds(0, 100, 360, 60);
    auto* ok = NewButton(u"OK", 10, 10, r.OnHiddenPanel ? static_cast<TWinControl*>(panel) : Form);
    auto* cancel = NewButton(u"Cancel", 100, 10);
    auto* other = NewButton(u"Other", 190, 10);
    auto* box = new TFocusBox(Form);
    box->SetParent(Form);
    box->SetBounds(10, 60, 50, 20);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    for (auto* b : {ok, cancel, other}) Track(b);
    ok->SetEnabled(r.OkEnabled);
    ok->SetVisible(r.OkVisible);
    TestHarness::ShowForm(Form);
    if (r.OnHiddenPanel) panel->SetVisible(false);
    TWinControl* focus = r.Focus == fBox ? static_cast<TWinControl*>(box) : r.Focus == fOther ? other : ok;
    focus->SetFocus();
    TestHarness::Key(focus, r.Key, r.Shift);
    EXPECT_EQ(Clicks, r.Clicked);
    const bool reached = !box->KeysDown.empty() && box->KeysDown.back() == r.Key;
    EXPECT_EQ(reached, r.KeyReachesBox);
  }
}

TEST_F(FadeButtonTest, DialogKeyWithoutAnOwningFormAsksTheParentForm) {
  // A button owned by nothing looks at the form it sits on; with no active control there it
  // presses itself.
  auto* b = new TFadeButton(nullptr);
  b->SetParent(Form);
  b->SetDefault(true);
  bool clicked = false;
  b->OnClick = [&](TObject*) { clicked = true; };
  ASSERT_EQ(Form->ActiveControl(), nullptr);
  EXPECT_EQ(Form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
  EXPECT_TRUE(clicked);
  TComponent::Free(b);
}

// --- Action -----------------------------------------------------------------------------------------

// A click runs OnClick, then the linked action; an action of a list with images gives a button
// without a glyph its image, one frame on the transparent magenta.
TEST_F(FadeButtonTest, TheLinkedActionRunsAfterOnClickAndLendsItsImage) {
  TImageList images(nullptr, 8, 6);
  TBitmap picture(8, 6);
  picture.Canvas()->Brush()->SetColor(clBlue);
  picture.Canvas()->FillRect(Rect(0, 0, 8, 6));
  picture.Canvas()->Brush()->SetColor(clRed);
  picture.Canvas()->FillRect(Rect(0, 0, 4, 3));
  images.Add(&picture, nullptr);
  TActionList list(nullptr);
  list.SetImages(&images);
  TAction action(nullptr);
  action.SetActionList(&list);
  action.SetImageIndex(0);
  action.SetCaption(u"Run");
  std::vector<std::string> log;
  action.OnExecute = [&](TObject*) { log.push_back("action"); };

  auto* b = NewButton(u"", 10, 10);
  b->OnClick = [&](TObject*) { log.push_back("click"); };
  b->SetAction(&action);
  EXPECT_EQ(b->Caption(), u"Run");
  EXPECT_EQ(b->NumGlyphs(), 1);
  ASSERT_EQ(b->Glyph()->Width(), 8);
  EXPECT_EQ(b->Glyph()->Height(), 6);
  EXPECT_EQ(b->Glyph()->Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(b->Glyph()->Canvas()->Pixels(6, 5), clBlue);
  TestHarness::ShowForm(Form);
  TestHarness::Click(b);
  EXPECT_EQ(log, (std::vector<std::string>{"click", "action"}));

  // A button with a glyph of its own keeps it.
  auto* own = NewButton(u"", 120, 10);
  TBitmap glyph(4, 4);
  own->SetGlyph(&glyph);
  own->SetAction(&action);
  EXPECT_EQ(own->Glyph()->Width(), 4);
}

// --- Popup menu ------------------------------------------------------------------------------------

TEST_F(FadeButtonTest, ClickWithPopupMenuRunsOnClickThenResultThenMenu) {
  auto* b = NewButton(u"More", 10, 10);
  auto* menu = new TPopupMenu(Form);
  auto* item = new TMenuItem(menu);
  item->SetCaption(u"First");
  menu->Items()->Add(item);
  b->SetPopupMenu(menu);
  b->SetModalResult(mrYes);
  std::vector<std::string> log;
  b->OnClick = [&](TObject*) { log.push_back("click"); };
  item->OnClick = [&](TObject*) {
    log.push_back(Form->ModalResult() == mrYes ? "menu after result" : "menu before result");
  };
  TestHarness::ExpectModal(u"Dialog", [&](TCustomForm&) {
    TestHarness::ExpectPopupMenu([&](TPopupMenu& m) {
      EXPECT_EQ(m.PopupComponent(), b);
      return m.Items()->Items(0);
    });
    b->Click();
  });
  EXPECT_EQ(Form->ShowModal(), mrYes);
  EXPECT_EQ(log, (std::vector<std::string>{"click", "menu after result"}));
  EXPECT_TRUE(TestHarness::Verify());
}

// --- Hot tracking and the fade -----------------------------------------------------------------------

TEST_F(FadeButtonTest, MouseOverShowsTheHotTrackColourAndLeavingDropsIt) {
  auto* b = NewButton(u"", 10, 10);
  b->SetColor(0x000000);
  b->SetHotTrackColor(0xFFFFFF);
  std::vector<std::string> log;
  b->OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
  b->OnMouseExit = [&](TObject*) { log.push_back("exit"); };
  TestHarness::ShowForm(Form);
  TestHarness::MouseEnter(b);
  EXPECT_TRUE(b->CursorOnButton());
  EXPECT_EQ(b->HotTrackStep(), 8);
  EXPECT_EQ(Shown(b, 40, 12), 0xFFFFFF);
  TestHarness::MouseLeave(b);
  EXPECT_FALSE(b->CursorOnButton());
  EXPECT_EQ(b->HotTrackStep(), 0);
  EXPECT_EQ(Shown(b, 40, 12), 0x000000);
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "exit"}));
  // Without slow fading the thread is never woken.
  EXPECT_TRUE(b->FadeThread()->Suspended());

  // A disabled button ignores the mouse.
  b->SetEnabled(false);
  TestHarness::MouseEnter(b);
  EXPECT_FALSE(b->CursorOnButton());
  EXPECT_EQ(b->HotTrackStep(), 0);
  TestHarness::MouseLeave(b);
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(FadeButtonTest, HotTrackFontIsUsedWhileHot) {
  auto* b = NewButton(u"Go", 10, 10);
  b->Font()->SetStyle(TFontStyles());
  TFont bold;
  bold.SetStyle(TFontStyles{fsBold});
  b->SetHotTrackFont(&bold);
  b->SetUseHotTrackFont(true);
  EXPECT_FALSE(b->CurrentFace().Font->Style().Contains(fsBold));
  TestHarness::ShowForm(Form);
  TestHarness::MouseEnter(b);
  EXPECT_TRUE(b->CurrentFace().Font->Style().Contains(fsBold));
}

TEST_F(FadeButtonTest, FadeStepsLowerTheColourOneEighthAtATime) {
  auto* b = NewButton(u"", 10, 10);
  b->SetColor(0x000000);
  b->SetHotTrackColor(0xFFFFFF);
  b->SetSlowDecease(true);
  TestHarness::ShowForm(Form);
  TestHarness::MouseEnter(b);
  for (Integer step = 7; step >= 0; --step) {
    SCOPED_TRACE(step);
    b->DoFadeStep();
    EXPECT_EQ(b->HotTrackStep(), step);
    const Integer v = 255 * step / 8;
    EXPECT_EQ(Shown(b, 40, 12), RGB(v, v, v));
  }
  // The step that reaches 0 stops the thread; a further step stays at 0.
  EXPECT_TRUE(b->FadeThread()->Suspended());
  b->DoFadeStep();
  EXPECT_EQ(b->HotTrackStep(), 0);
}

TEST_F(FadeButtonTest, FocusDrawsTheFocusRectangleAndTheOldStyleOutline) {
  auto* b = NewButton(u"", 10, 10);
  auto* box = new TFocusBox(Form);
  box->SetParent(Form);
  box->SetBounds(10, 60, 50, 20);
  b->SetColor(0x303030);
  b->SetLightColor(0xF0F0F0);
  TestHarness::ShowForm(Form);
  box->SetFocus();
  b->Invalidate();
  const TColor plain = Shown(b, 4, 4);
  EXPECT_EQ(plain, 0x303030);
  b->SetFocus();
  b->Invalidate();
  EXPECT_NE(Shown(b, 4, 4), plain);  // the dotted focus rectangle at (4, 4, W-4, H-4)
  EXPECT_EQ(Shown(b, 3, 3), plain);

  // A focused old-style button sits one pixel in, inside a black outline.
  b->SetStyle(bsOld);
  b->Invalidate();
  EXPECT_EQ(Shown(b, 0, 0), clBlack);
  EXPECT_EQ(Shown(b, 79, 23), clBlack);
  EXPECT_EQ(Shown(b, 1, 1), 0xF0F0F0);

  // A shape button never shows the focus rectangle.
  b->SetStyle(bsShape);
  b->SetColor(0x303030);
  Form->SetColor(0x303030);
  b->Invalidate();
  EXPECT_EQ(Shown(b, 4, 4), 0x303030);
}

// --- The fade thread ---------------------------------------------------------------------------------

namespace {

// The fade thread's pause, replaced: it returns at once and adds up the time asked for.
class FakeFadeClock {
 public:
  FakeFadeClock() {
    SetFadeSleepFunction([this](Cardinal Ms) { Slept += Ms; });
  }
  ~FakeFadeClock() { SetFadeSleepFunction(nullptr); }
  std::atomic<Cardinal> Slept{0};
};

// Serves the fade thread's synchronised steps until Done holds (at most a few seconds) and returns
// the fade steps seen after each one.
std::vector<Integer> PumpFade(TFadeButton* B, const std::function<bool()>& Done) {
  std::vector<Integer> steps;
  for (int i = 0; i < 250 && !Done(); ++i)
    if (CheckSynchronize(20)) steps.push_back(B->HotTrackStep());
  return steps;
}

}  // namespace

TEST_F(FadeButtonTest, FadeThreadRunsOnlyWithSlowDeceaseAndTakesEightStepsOfThirtyMs) {
  FakeFadeClock clock;
  auto* b = NewButton(u"", 10, 10);
  b->SetColor(0x000000);
  b->SetHotTrackColor(0xFFFFFF);
  TestHarness::ShowForm(Form);

  // Switched off: leaving drops the colour at once and the thread stays asleep.
  TestHarness::MouseEnter(b);
  TestHarness::MouseLeave(b);
  EXPECT_EQ(b->HotTrackStep(), 0);
  EXPECT_TRUE(b->FadeThread()->Suspended());
  EXPECT_EQ(clock.Slept, 0u);

  // Switched on: leaving wakes the thread, which lowers the step once per pause.
  b->SetSlowDecease(true);
  for (Cardinal round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    TestHarness::MouseEnter(b);
    TestHarness::MouseLeave(b);
    EXPECT_EQ(b->HotTrackStep(), 8);  // nothing drops at once
    const std::vector<Integer> steps =
        PumpFade(b, [&] { return b->HotTrackStep() == 0 && b->FadeThread()->Suspended(); });
    EXPECT_EQ(steps, (std::vector<Integer>{7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_TRUE(b->FadeThread()->Suspended());
    EXPECT_EQ(clock.Slept, round * 8 * 30);
    EXPECT_EQ(Shown(b, 40, 12), 0x000000);
  }
}

TEST_F(FadeButtonTest, EnteringDuringTheFadeStartsItAgainFromTheTop) {
  FakeFadeClock clock;
  auto* b = NewButton(u"", 10, 10);
  b->SetHotTrackColor(0xFFFFFF);
  b->SetSlowDecease(true);
  TestHarness::ShowForm(Form);
  TestHarness::MouseEnter(b);
  TestHarness::MouseLeave(b);
  PumpFade(b, [&] { return b->HotTrackStep() <= 5; });
  TestHarness::MouseEnter(b);
  EXPECT_EQ(b->HotTrackStep(), 8);
  // The thread keeps running, so the colour fades under the mouse too.
  PumpFade(b, [&] { return b->HotTrackStep() == 0 && b->FadeThread()->Suspended(); });
  EXPECT_EQ(b->HotTrackStep(), 0);
  EXPECT_TRUE(b->CursorOnButton());
}

TEST_F(FadeButtonTest, FadeThreadStopsCleanlyWithItsButton) {
  FakeFadeClock clock;
  auto* b = NewButton(u"", 10, 10);
  b->SetHotTrackColor(0xFFFFFF);
  b->SetSlowDecease(true);
  TestHarness::ShowForm(Form);
  TestHarness::MouseEnter(b);
  TestHarness::MouseLeave(b);
  // The thread is running and its first step may be waiting to be served: freeing the button
  // serves it while it waits, and the step no longer touches the button.
  TComponent::Free(b);
  EXPECT_FALSE(CheckSynchronize(0));
}

TEST_F(FadeButtonTest, SwitchingSlowDeceaseOffStopsAndForgetsTheThread) {
  FakeFadeClock clock;
  auto* b = NewButton(u"", 10, 10);
  b->SetHotTrackColor(0xFFFFFF);
  b->SetSlowDecease(true);
  TestHarness::ShowForm(Form);
  TestHarness::MouseEnter(b);
  TestHarness::MouseLeave(b);
  PumpFade(b, [&] { return b->HotTrackStep() <= 6; });
  b->SetSlowDecease(false);
  EXPECT_EQ(b->FadeThread(), nullptr);
  EXPECT_EQ(b->HotTrackStep(), 0);
  EXPECT_FALSE(CheckSynchronize(0));
  // Without a thread, leaving drops the colour at once.
  TestHarness::MouseEnter(b);
  TestHarness::MouseLeave(b);
  EXPECT_EQ(b->HotTrackStep(), 0);
  // Switching it on again makes a new, waiting thread.
  b->SetSlowDecease(true);
  ASSERT_NE(b->FadeThread(), nullptr);
  EXPECT_TRUE(b->FadeThread()->Suspended());
}
