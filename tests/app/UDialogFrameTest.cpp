#include <gtest/gtest.h>

#include "app/UComon.h"
#include "app/UDialogFrame.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"

namespace {

// A dialog as the form helpers write one: title, a label, the button panel with OK and Cancel.
class TFSample : public TFDialog {
 public:
  explicit TFSample(TComponent* AOwner) : TFDialog(AOwner) {
    SetName(u"FSample");
    Label1 = Create_Label(this, u"Label1", 16, 80);
    Label1->SetCaption(u"A caption given while the form is built");
    Create_Title_Panel();
    Create_Button_Panel();
    Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 16, 6, 110, 28, dgOK, mrOk);
    Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 134, 6, 110, 28, dgCancel, mrCancel);
    Set_Client_Size(331, 162);
  }
  String ClassName() const override { return u"TFSample"; }
  TLabel* Label1;
  TFadeButton* Btn_OK;
  TFadeButton* Btn_Cancel;
};

class DialogFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SW_Code = u"KP31A08";
    Form = new TFSample(nullptr);
    Form->AfterConstruction();
  }
  void TearDown() override { TComponent::Free(Form); }
  TFSample* Form = nullptr;
};

TEST_F(DialogFrameTest, FormHasTheDialogsLook) {
  EXPECT_EQ(Form->Color(), Dialog_Color);
  EXPECT_EQ(Form->Font()->Name(), u"Verdana");
  EXPECT_EQ(Form->Font()->Height(), -11);
  EXPECT_EQ(Form->BorderStyle(), bsSingle);
  EXPECT_EQ(Form->BorderIcons(), biSystemMenu);
  EXPECT_EQ(Form->Position(), poScreenCenter);
  EXPECT_EQ(Form->ClientWidth(), 331);
  EXPECT_EQ(Form->ClientHeight(), 162);
}

TEST_F(DialogFrameTest, PanelsSitAlongTopAndBottom) {
  ASSERT_NE(Form->P_Title, nullptr);
  ASSERT_NE(Form->P_Button, nullptr);
  EXPECT_EQ(Form->P_Title->BoundsRect(), Rect(0, 0, 331, 69));
  EXPECT_EQ(Form->P_Button->BoundsRect(), Rect(0, 162 - 40, 331, 162));
  EXPECT_EQ(Form->L_SW_Code->Parent(), Form->P_Title);
  EXPECT_EQ(Form->L_SW_Desc->Parent(), Form->P_Title);
  EXPECT_EQ(Form->Btn_OK->Parent(), Form->P_Button);
  EXPECT_EQ(Form->FindComponent(u"P_Title"), Form->P_Title);
  EXPECT_EQ(Form->FindComponent(u"Btn_Cancel"), Form->Btn_Cancel);
}

TEST_F(DialogFrameTest, TitleLabelsShowCodeAndDescriptionInGrey) {
  EXPECT_EQ(Form->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(Form->L_SW_Code->Left(), 16);
  EXPECT_EQ(Form->L_SW_Code->Top(), 8);
  EXPECT_EQ(Form->L_SW_Code->Font()->Height(), -32);
  EXPECT_EQ(Form->L_SW_Code->Font()->Color(), clGray);
  EXPECT_EQ(Form->L_SW_Desc->Left(), 16);
  EXPECT_EQ(Form->L_SW_Desc->Top(), 42);
  EXPECT_TRUE(Form->L_SW_Desc->Font()->Style().Contains(fsBold));
  EXPECT_EQ(Form->L_SW_Desc->Font()->Color(), clGray);
}

// Labels that got their text while the form was built are sized to it once the form is complete.
TEST_F(DialogFrameTest, LabelsAreSizedToTheirTexts) {
  EXPECT_GT(Form->Label1->Width(), 150);
  EXPECT_GE(Form->L_SW_Code->Height(), 32);
  EXPECT_GT(Form->L_SW_Code->Width(), 100);
}

TEST_F(DialogFrameTest, ButtonsHaveTheSharedLookAndAGlyph) {
  for (TFadeButton* b : {Form->Btn_OK, Form->Btn_Cancel}) {
    SCOPED_TRACE(StringToUtf8(b->Name()));
    EXPECT_EQ(b->Style(), bsEncarta);
    EXPECT_EQ(b->Color(), Dialog_Color);
    EXPECT_EQ(b->ColorWhenDown(), 0x0080FF);
    EXPECT_EQ(b->HotTrackColor(), clYellow);
    EXPECT_EQ(b->LightColor(), clGray);
    EXPECT_TRUE(b->ShowHint());
    EXPECT_EQ(b->NumGlyphs(), 1);
    EXPECT_EQ(b->Glyph()->Width(), Dialog_Glyph_Size);
  }
  EXPECT_EQ(Form->Btn_OK->BoundsRect(), Rect(16, 6, 126, 34));
}

TEST_F(DialogFrameTest, ButtonWithModalResultClosesTheDialog) {
  TestHarness::ExpectModal(u"TFSample", [&](TCustomForm&) { TestHarness::Click(Form->Btn_Cancel); });
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  TestHarness::ExpectModal(u"TFSample", [&](TCustomForm&) { TestHarness::Click(Form->Btn_OK); });
  EXPECT_EQ(Form->ShowModal(), mrOk);
  EXPECT_TRUE(TestHarness::Verify());
}

TEST_F(DialogFrameTest, EscPressesTheCancelButtonFromAnEdit) {
  auto* Edit = new TEdit(Form);
  Edit->SetParent(Form);
  Edit->SetBounds(16, 100, 100, 20);
  Integer CancelClicks = 0;
  Form->Btn_Cancel->OnClick = [&CancelClicks](TObject*) { ++CancelClicks; };
  EXPECT_TRUE(Form->Btn_Cancel->Cancel());
  EXPECT_FALSE(Form->Btn_OK->Cancel());
  TestHarness::ExpectModal(u"TFSample", [&](TCustomForm&) {
    Edit->SetFocus();
    TestHarness::Key(Edit, VK_ESCAPE);
  });
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  EXPECT_EQ(CancelClicks, 1);
  EXPECT_TRUE(TestHarness::Verify());
}

// Every glyph draws something, and its bottom-left pixel is the transparent colour the button
// leaves out.
TEST(DialogGlyphTest, EveryGlyphDrawsOnTheTransparentColour) {
  const struct {
    const char* Name;
    TDialogGlyph Glyph;
  } rows[] = {{"OK", dgOK},           {"Cancel", dgCancel},
              {"New", dgNew},         {"Open", dgOpen},
              {"Communication", dgCommunication}, {"EnOcean", dgEnOcean},
              {"DescriptionFile", dgDescriptionFile}, {"UpdateDevice", dgUpdateDevice},
              {"Info", dgInfo},       {"Options", dgOptions},
              {"Close", dgClose},     {"Add", dgAdd},
              {"Delete", dgDelete},   {"Modify", dgModify},
              {"Copy", dgCopy},       {"Paste", dgPaste},
              {"Previous", dgPrevious}, {"Next", dgNext},
              {"Web", dgWeb}};
  for (const auto& row : rows) {
    for (Integer size : {16, 24, 32}) {
      SCOPED_TRACE(std::string(row.Name) + " " + std::to_string(size));
      TBitmap bmp;
      Draw_Dialog_Glyph(&bmp, row.Glyph, size);
      ASSERT_EQ(bmp.Width(), size);
      ASSERT_EQ(bmp.Height(), size);
      EXPECT_EQ(bmp.Canvas()->Pixels(0, size - 1), Glyph_Transparent_Color);
      Integer drawn = 0;
      for (Integer y = 0; y < size; ++y)
        for (Integer x = 0; x < size; ++x)
          if (bmp.Canvas()->Pixels(x, y) != Glyph_Transparent_Color) ++drawn;
      EXPECT_GT(drawn, size) << "the picture is (almost) empty";
    }
  }
}

}  // namespace
