#include "app/UNew_Project.h"

#include <gtest/gtest.h>

#include "components/buttons/FadeButton.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "tests/app/AppFormsTestSupport.h"

namespace {

namespace fs = std::filesystem;

class NewProjectTest : public ::testing::Test {
 protected:
  void SetUp() override { Form = New_Form<TFNew_Project>(); }
  void TearDown() override { TComponent::Free(Form); }

  // Shows the dialog, types Name and presses OK, expecting the error box of text Refusal when it is
  // not 0; AfterOK runs after the click while the dialog is still shown (when it stayed open).
  TModalResult Try_Name(const String& Name, Integer Refusal = 0, const std::function<void()>& AfterOK = nullptr) {
    TestHarness::ExpectModal(u"TFNew_Project", [&](TCustomForm&) {
      if (Refusal != 0) TestHarness::ExpectMessage(Get_Text(Refusal), mtError);
      Form->E_New_Proj->SetText(Name);
      TestHarness::Click(Form->Btn_OK);
      if (AfterOK) AfterOK();
      if (Form->ModalResult() == mrNone) TestHarness::Click(Form->Btn_Cancel);
    });
    return Form->ShowModal();
  }

  TShellStateFixture State;
  TFNew_Project* Form = nullptr;
};

TEST_F(NewProjectTest, CreatesTheFolderWithBinAndOpensIt) {
  EXPECT_EQ(Try_Name(u"Plant 1"), mrOk);
  EXPECT_TRUE(fs::is_directory(State.Folder.FsPath("PROJECTS/Plant 1")));
  EXPECT_TRUE(fs::is_directory(State.Folder.FsPath("PROJECTS/Plant 1/bin")));
  EXPECT_EQ(Conf_Name, u"Plant 1");
  EXPECT_EQ(Path_Conf, State.Folder.Path("PROJECTS/Plant 1"));
  EXPECT_EQ(File_ParGen, State.Folder.Path("PROJECTS/Plant 1/ParGen.xml"));
  EXPECT_EQ(File_EnOcean, State.Folder.Path("PROJECTS/Plant 1/EnOcean.xml"));
  EXPECT_EQ(File_MQTT_Set_Topic, State.Folder.Path("PROJECTS/Plant 1/MQTT_Set_Topic.xml"));
  EXPECT_EQ(File_BACnet_Slave, State.Folder.Path("PROJECTS/Plant 1/BACnet_Slave.xml"));
  EXPECT_TRUE(TestHarness::Verify());
}

TEST_F(NewProjectTest, EnterInTheNameConfirmsIt) {
  TestHarness::ExpectModal(u"TFNew_Project", [&](TCustomForm&) {
    TestHarness::TypeText(Form->E_New_Proj, u"Line2");
    TestHarness::Key(Form->E_New_Proj, VK_RETURN);
  });
  EXPECT_EQ(Form->ShowModal(), mrOk);
  EXPECT_EQ(Conf_Name, u"Line2");
  EXPECT_TRUE(fs::is_directory(State.Folder.FsPath("PROJECTS/Line2/bin")));
}

// Each refused name shows its message, keeps the dialog open and changes nothing.
TEST_F(NewProjectTest, RefusedNamesShowTheirMessage) {
  State.Make_Configuration("Existing");
  const struct {
    const char* Case;
    String Name;
    Integer TextId;
  } rows[] = {
      {"empty", u"", 107},
      {"folder exists", u"Existing", 106},
      {"path delimiter", u"Existing/inner", 105},
      {"backslash", u"a\\b", 105},
      {"parent folder", u"..", 105},
      {"trailing blank", u"Plant ", 105},
      {"trailing dot", u"Plant.", 105},
      {"control character", u"Pl\tant", 105},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Case);
    Conf_Name = u"Before";
    Path_Conf.clear();
    bool stayedOpen = false;
    EXPECT_EQ(Try_Name(row.Name, row.TextId, [&] { stayedOpen = Form->ModalResult() == mrNone; }), mrCancel);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Conf_Name, u"Before");
    EXPECT_EQ(Path_Conf, u"");
    EXPECT_TRUE(TestHarness::Verify());
  }
  EXPECT_FALSE(fs::exists(State.Folder.FsPath("PROJECTS/Existing/inner")));
  EXPECT_FALSE(fs::exists(State.Folder.FsPath("PROJECTS/Plant ")));
}

TEST_F(NewProjectTest, FolderThatCannotBeCreatedIsRefused) {
  fs::remove(State.Folder.FsPath("PROJECTS"));
  EXPECT_EQ(Try_Name(u"Plant", 105), mrCancel);
  EXPECT_EQ(TestHarness::ShownMessages().back().Text, u"Error! Name project is not valid");
  EXPECT_EQ(Path_Conf, u"");
  EXPECT_TRUE(TestHarness::Verify());
}

TEST_F(NewProjectTest, EveryShowingStartsWithAnEmptyName) {
  Form->E_New_Proj->SetText(u"left over");
  TestHarness::ExpectModal(u"TFNew_Project", [&](TCustomForm&) {
    EXPECT_EQ(Form->E_New_Proj->Text(), u"");
    TestHarness::Click(Form->Btn_Cancel);
  });
  EXPECT_EQ(Form->ShowModal(), mrCancel);
}

TEST_F(NewProjectTest, TextsComeFromTheTextTable) {
  EXPECT_EQ(Form->Caption(), u"Create New Configuration");
  EXPECT_EQ(Form->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(Form->L_SW_Desc->Caption(), Get_Text(101));
  EXPECT_EQ(Form->Label1->Caption(), Get_Text(102));
  EXPECT_EQ(Form->Btn_OK->Caption(), Get_Text(103));
  EXPECT_EQ(Form->Btn_Cancel->Caption(), Get_Text(104));
  EXPECT_EQ(Form->E_New_Proj->Hint(), Get_Text(108));
  EXPECT_EQ(Form->Btn_OK->Hint(), Get_Text(109));
  EXPECT_EQ(Form->Btn_Cancel->Hint(), Get_Text(110));
  EXPECT_EQ(Form->ClientWidth(), 331);
  EXPECT_EQ(Form->ClientHeight(), 162);
}

}  // namespace
