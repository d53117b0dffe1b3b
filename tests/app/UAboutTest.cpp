#include "app/UAbout.h"

#include <gtest/gtest.h>

#include "app/VersionCheck.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "platform/os/Shell.h"
#include "tests/app/AppFormsTestSupport.h"

namespace {

class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = New_Form<TFAbout>();
    Previous = SetShellOpenFunction([this](const String& url) {
      Opened.push_back(url);
      return true;
    });
  }
  void TearDown() override {
    SetShellOpenFunction(Previous);
    TComponent::Free(Form);
  }
  TShellStateFixture State;
  TFAbout* Form = nullptr;
  TShellOpenFunction Previous;
  std::vector<String> Opened;
};

TEST_F(AboutTest, ShowsTheFixedIdentityWhateverTheLanguage) {
  Text_SL->Put(0, u"Anfang");  // a translated table does not reach this dialog
  TestHarness::ExpectModal(u"TFAbout", [&](TCustomForm&) {
    EXPECT_EQ(Form->Label2->Caption(), u"EnOcean / PROFIBUS Slave - Converter");
    EXPECT_EQ(Form->Label9->Caption(), u"KP31A08");
    EXPECT_EQ(Form->Label10->Caption(), u"1.002");
    EXPECT_EQ(Form->Label12->Caption(), u"DN31A08");
    EXPECT_EQ(Form->Label1->Caption(), u"Software Lumitor ");
    TestHarness::Click(Form->FadeButton1);
  });
  EXPECT_EQ(Form->ShowModal(), mrOk);
  EXPECT_EQ(Form->ClientWidth(), 425);
  EXPECT_EQ(Form->ClientHeight(), 148);
}

TEST_F(AboutTest, PictureAndWebAddressOpenTheSameHomePage) {
  TestHarness::ExpectModal(u"TFAbout", [&](TCustomForm&) {
    TestHarness::Click(Form->Label4);
    TestHarness::Click(Form->Image2);
    TestHarness::Click(Form->FadeButton1);
  });
  Form->ShowModal();
  ASSERT_EQ(Opened.size(), 2u);
  EXPECT_EQ(Opened[0], Maker_Web_Address + u"/HOME/default.asp?frompg=KP31A08");
  EXPECT_EQ(Opened[1], Opened[0]);
}

TEST_F(AboutTest, LayoutFollowsTheDesign) {
  const struct {
    const char* Name;
    TControl* Control;
    Integer Left, Top;
  } rows[] = {
      {"FadeButton1", Form->FadeButton1, 32, 115}, {"Image2", Form->Image2, 32, 24},
      {"Label1", Form->Label1, 128, 24},           {"Label2", Form->Label2, 128, 39},
      {"Label3", Form->Label3, 128, 77},           {"Label4", Form->Label4, 316, 131},
      {"Label6", Form->Label6, 128, 62},           {"Label8", Form->Label8, 128, 93},
      {"Label9", Form->Label9, 240, 62},           {"Label10", Form->Label10, 240, 77},
      {"Label12", Form->Label12, 240, 93},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(row.Control->Left(), row.Left);
    EXPECT_EQ(row.Control->Top(), row.Top);
  }
  EXPECT_EQ(Form->FadeButton1->Width(), 81);
  EXPECT_EQ(Form->FadeButton1->Height(), 22);
  EXPECT_EQ(Form->Image2->Width(), 81);
  EXPECT_TRUE(Form->Image2->Stretch());
  EXPECT_EQ(Form->Label4->Cursor(), crHandPoint);
}

}  // namespace
