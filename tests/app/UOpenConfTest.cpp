#include "app/UOpenConf.h"

#include <gtest/gtest.h>

#include "components/buttons/FadeButton.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/Classes.h"
#include "tests/app/AppFormsTestSupport.h"

namespace {

class OpenConfTest : public ::testing::Test {
 protected:
  void SetUp() override { Form = New_Form<TFOpenConf>(); }
  void TearDown() override { TComponent::Free(Form); }

  // Shows the dialog; Script looks at it and closes it.
  TModalResult Show(const std::function<void()>& Script) {
    TestHarness::ExpectModal(u"TFOpenConf", [&](TCustomForm&) { Script(); });
    return Form->ShowModal();
  }
  std::vector<String> Listed() const {
    std::vector<String> names;
    for (Integer i = 0; i < Form->ListBox1->Items()->Count(); ++i) names.push_back(Form->ListBox1->Items()->Get(i));
    return names;
  }

  TShellStateFixture State;
  TFOpenConf* Form = nullptr;
};

TEST_F(OpenConfTest, ListsFoldersByNameButNoFiles) {
  State.Make_Configuration("beta");
  State.Make_Configuration("Alpha");
  State.Make_Configuration("gamma");
  State.Folder.Write("PROJECTS/notes.txt", "x");
  Show([&] {
    EXPECT_EQ(Listed(), (std::vector<String>{u"Alpha", u"beta", u"gamma"}));
    TestHarness::Click(Form->Btn_Cancel);
  });
}

TEST_F(OpenConfTest, OpenConfigurationIsPreselectedWithoutRegardToCase) {
  State.Make_Configuration("ABC");
  State.Make_Configuration("Other");
  Conf_Name = u"abc";
  Path_Conf = Path_Join(Path_Projects, u"abc");
  EXPECT_EQ(Show([&] {
              EXPECT_EQ(Form->ListBox1->ItemIndex(), 0);
              TestHarness::Click(Form->Btn_OK);
            }),
            mrOk);
  EXPECT_EQ(Form->Name_Conf, u"ABC");
}

TEST_F(OpenConfTest, WithoutOpenConfigurationTheFirstEntryIsChosen) {
  State.Make_Configuration("Zeta");
  State.Make_Configuration("Eta");
  EXPECT_EQ(Show([&] {
              EXPECT_EQ(Form->ListBox1->ItemIndex(), 0);
              TestHarness::Click(Form->Btn_OK);
            }),
            mrOk);
  EXPECT_EQ(Form->Name_Conf, u"Eta");
}

TEST_F(OpenConfTest, ClickingAnEntryChoosesIt) {
  State.Make_Configuration("One");
  State.Make_Configuration("Two");
  Show([&] {
    Form->ListBox1->SetItemIndex(1);
    Form->ListBox1Click(Form->ListBox1);
    TestHarness::Click(Form->Btn_OK);
  });
  EXPECT_EQ(Form->Name_Conf, u"Two");
}

// A name chosen at an earlier showing must not come back when the list is empty now.
TEST_F(OpenConfTest, EmptyListChoosesNothing) {
  State.Make_Configuration("Gone");
  Show([&] { TestHarness::Click(Form->Btn_OK); });
  ASSERT_EQ(Form->Name_Conf, u"Gone");
  std::filesystem::remove(State.Folder.FsPath("PROJECTS/Gone"));
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Listed().empty());
              EXPECT_EQ(Form->ListBox1->ItemIndex(), -1);
              TestHarness::Click(Form->Btn_OK);
            }),
            mrOk);
  EXPECT_EQ(Form->Name_Conf, u"");
}

TEST_F(OpenConfTest, MissingProjectsFolderGivesAnEmptyList) {
  std::filesystem::remove(State.Folder.FsPath("PROJECTS"));
  Show([&] {
    EXPECT_TRUE(Listed().empty());
    TestHarness::Click(Form->Btn_Cancel);
  });
}

// Folder names are case-sensitive: with "Plant" and "plant" both present, the open one is
// preselected, not its namesake.
TEST_F(OpenConfTest, OpenConfigurationIsPreselectedOverANameDifferingInCase) {
  State.Make_Configuration("Plant");
  State.Make_Configuration("plant");
  for (const String& open : {String(u"plant"), String(u"Plant")}) {
    SCOPED_TRACE(StringToUtf8(open));
    Conf_Name = open;
    Path_Conf = Path_Join(Path_Projects, open);
    EXPECT_EQ(Show([&] {
                ASSERT_GE(Form->ListBox1->ItemIndex(), 0);
                EXPECT_EQ(Form->ListBox1->Items()->Get(Form->ListBox1->ItemIndex()), open);
                TestHarness::Click(Form->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(Form->Name_Conf, open);
  }
}

// A double click on an entry opens it; one on the empty part of the list does nothing.
TEST_F(OpenConfTest, DoubleClickOnAnEntryOpensIt) {
  State.Make_Configuration("One");
  State.Make_Configuration("Two");
  EXPECT_EQ(Show([&] {
              TListBox* list = Form->ListBox1;
              TPoint second(20, -1);
              for (Integer y = 1; y < list->ClientHeight() && second.Y < 0; ++y)
                if (list->ItemAtPos(TPoint(20, y), true) == 1) second.Y = y + 2;
              ASSERT_GE(second.Y, 0);
              TestHarness::DoubleClick(list, TPoint(20, list->ClientHeight() - 5));
              TestHarness::ProcessEvents();
              EXPECT_TRUE(Form->Visible());
              EXPECT_EQ(Form->ModalResult(), mrNone);
              TestHarness::DoubleClick(list, second);
              TestHarness::ProcessEvents();
              if (Form->ModalResult() == mrNone) TestHarness::Click(Form->Btn_Cancel);
            }),
            mrOk);
  EXPECT_EQ(Form->Name_Conf, u"Two");
}

TEST_F(OpenConfTest, SearchIgnoresLetterCase) {
  State.Make_Configuration("Line");
  State.Make_Configuration("plant");
  Form->Load_Existing_Configuration();
  EXPECT_EQ(Form->Search_Open_Conf(u"PLANT"), 1);
  EXPECT_EQ(Form->Search_Open_Conf(u"line"), 0);
  EXPECT_EQ(Form->Search_Open_Conf(u"lin"), -1);
  EXPECT_EQ(Form->Search_Open_Conf(u""), -1);
}

TEST_F(OpenConfTest, TextsComeFromTheTextTable) {
  EXPECT_EQ(Form->Caption(), u"Open Configuration");
  EXPECT_EQ(Form->L_SW_Desc->Caption(), Get_Text(201));
  EXPECT_EQ(Form->Label1->Caption(), Get_Text(202));
  EXPECT_EQ(Form->Btn_OK->Caption(), Get_Text(203));
  EXPECT_EQ(Form->Btn_Cancel->Caption(), Get_Text(204));
  EXPECT_EQ(Form->ListBox1->Hint(), Get_Text(205));
  EXPECT_EQ(Form->Btn_OK->Hint(), Get_Text(206));
  EXPECT_EQ(Form->Btn_Cancel->Hint(), Get_Text(207));
  EXPECT_EQ(Form->ClientWidth(), 377);
  EXPECT_EQ(Form->ClientHeight(), 351);
}

// The list follows the window's size; the buttons stay at the right edge.
TEST_F(OpenConfTest, ListAndButtonsFollowTheWindowSize) {
  Form->Set_Client_Size(477, 451);
  EXPECT_EQ(Form->ListBox1->Width(), 445);
  EXPECT_EQ(Form->ListBox1->Height(), 311);
  EXPECT_EQ(Form->Btn_Cancel->Left(), 351);
  EXPECT_EQ(Form->Btn_OK->Left(), 233);
}

}  // namespace
