// The GSDML file-name dialog: the fixed parts, the three forms of the name, the refused user parts,
// and the whole "PROFINET XML" path from the dialog to the file.
#include "descriptions/UProfinetFileName.h"

#include <gtest/gtest.h>

#include "components/buttons/FadeButton.h"
#include "descriptions/GSDMLFileName.h"
#include "descriptions/UProfinetXML.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "tests/descriptions/DescFormsTestState.h"

using desc_test::Expect_Layout;
using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::TFormHolder;

namespace {

const String Fix1 = u"GSDML-V2.31-Tavrel-GX31A09";
const String Fix2 = u"-20240307.xml";

class UProfinetFileName : public desc_test::TDescFormsTest {
 protected:
  void SetUp() override {
    TDescFormsTest::SetUp();
    // The dialog is created at start-up: the date of the name is the program's start date.
    SetNowFunction([] { return EncodeDate(2024, 3, 7) + EncodeTime(23, 59, 0, 0); });
  }

  // Shows the dialog, types User into the user part and presses OK. Refused: the text id of the
  // refusal expected; the dialog then stays open and is cancelled.
  TModalResult Enter_User_Part(TFProfinetFileName* Form, const String& User, Integer Refusal = 0,
                               bool* Stayed_Open = nullptr) {
    TestHarness::ExpectModal(u"TFProfinetFileName", [&](TCustomForm&) {
      if (Refusal != 0) TestHarness::ExpectMessage(Get_Text(Refusal), mtError);
      Form->E_XML_User->SetText(User);
      TestHarness::Click(Form->Btn_OK);
      if (Stayed_Open) *Stayed_Open = Form->ModalResult() == mrNone && Form->Visible();
      if (Form->ModalResult() == mrNone) TestHarness::Click(Form->Btn_Cancel);
    });
    return Form->ShowModal();
  }
};

TEST_F(UProfinetFileName, CreationFillsTheFixedPartsAndTheTexts) {
  TFormHolder<TFProfinetFileName> form;
  SetNowFunction([] { return EncodeDate(2025, 1, 2) + EncodeTime(8, 0, 0, 0); });
  EXPECT_EQ(form->L_XML_Fix1->Caption(), Fix1);
  EXPECT_EQ(form->L_XML_Fix2->Caption(), Fix2);  // the start date, not today's
  EXPECT_EQ(form->ClientWidth(), 540);
  EXPECT_EQ(form->ClientHeight(), 205);
  EXPECT_EQ(form->Caption(), u"PROFINET XML File Name");
  EXPECT_EQ(form->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(form->L_SW_Desc->Caption(), u"Create the PROFINET XML GSD File");
  EXPECT_EQ(form->Label1->Caption(), u"Select the PROFINET XML File Name");
  EXPECT_EQ(form->Label2->Caption(), u"Fixed Part");
  EXPECT_EQ(form->Label4->Caption(), u"User Part");
  EXPECT_EQ(form->Label5->Caption(), u"Fixed Part");
  EXPECT_EQ(form->E_XML_User->Hint(), u"Insert here the User part of GSDML file");
  EXPECT_EQ(form->Btn_OK->Caption(), u"OK");
  EXPECT_EQ(form->Btn_OK->Hint(), u"Confirm and save the GSDML File");
  EXPECT_EQ(form->Btn_Cancel->Caption(), u"Cancel");
  EXPECT_EQ(form->Btn_Cancel->Hint(), u"Exit without save the GSDML File");
}

TEST_F(UProfinetFileName, ComposesTheThreeFormsOfTheName) {
  struct Case {
    const char* Name;
    String User;
    String Expected;
  };
  const Case cases[] = {
      {"empty_user_part", u"", Fix1 + Fix2},
      {"blank_user_part_counts_as_empty", u"   ", Fix1 + Fix2},
      {"user_part_joined_with_underscore", u"ABC", Fix1 + u"_ABC" + Fix2},
      {"leading_underscore_not_doubled", u"_ABC", Fix1 + u"_ABC" + Fix2},
      {"blanks_kept_as_typed", u" A B ", Fix1 + u"_ A B " + Fix2},
  };
  TFormHolder<TFProfinetFileName> form;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Enter_User_Part(form.Form, c.User), mrOk);
    EXPECT_EQ(form->Name_File_XML, c.Expected);
    EXPECT_TRUE(TestHarness::Verify());
  }
}

TEST_F(UProfinetFileName, TypedUserPartGoesIntoTheName) {
  TFormHolder<TFProfinetFileName> form;
  TestHarness::ExpectModal(u"TFProfinetFileName", [&](TCustomForm&) {
    TestHarness::TypeText(form->E_XML_User, u"Line2");
    TestHarness::Click(form->Btn_OK);
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(form->Name_File_XML, Fix1 + u"_Line2" + Fix2);
}

// A user part that would leave the chosen folder or that no file name can hold is refused; the
// dialog stays open and the last name is kept.
TEST_F(UProfinetFileName, RefusesUserPartsThatAreNoFileNames) {
  const struct {
    const char* Name;
    String User;
  } cases[] = {
      {"slash", u"a/b"},         {"backslash", u"a\\b"},  {"parent_folder", u".."},
      {"dots_inside", u"a..b"},  {"colon", u"C:x"},        {"star", u"a*"},
      {"question_mark", u"a?"},  {"quote", u"a\"b"},       {"less_than", u"a<b"},
      {"greater_than", u"a>b"},  {"bar", u"a|b"},          {"tab", u"a\tb"},
  };
  TFormHolder<TFProfinetFileName> form;
  form->Name_File_XML = u"before.xml";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    bool stayed_open = false;
    EXPECT_EQ(Enter_User_Part(form.Form, c.User, Text_GSDML_Bad_User_Part, &stayed_open), mrCancel);
    EXPECT_TRUE(stayed_open);
    EXPECT_EQ(form->Name_File_XML, u"before.xml");
    EXPECT_TRUE(TestHarness::Verify());
  }
}

TEST_F(UProfinetFileName, CancelKeepsTheUserPartForTheNextUse) {
  TFormHolder<TFProfinetFileName> form;
  TestHarness::ExpectModal(u"TFProfinetFileName", [&](TCustomForm&) {
    form->E_XML_User->SetText(u"Hall");
    TestHarness::Click(form->Btn_Cancel);
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(form->Name_File_XML, u"");
  TestHarness::ExpectModal(u"TFProfinetFileName", [&](TCustomForm&) {
    EXPECT_EQ(form->E_XML_User->Text(), u"Hall");
    TestHarness::Click(form->Btn_OK);
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(form->Name_File_XML, Fix1 + u"_Hall" + Fix2);
}

// The main window's "PROFINET XML": the dialog, then the save step with the composed name.
TEST_F(UProfinetFileName, TheDialogsNameIsTheFileWritten) {
  Put_Fixture("pargen/in10_out20.xml", File_ParGen);
  TFormHolder<TFProfinetFileName> form;
  ASSERT_EQ(Enter_User_Part(form.Form, u"ABC"), mrOk);
  TestHarness::ExpectFileDialog(true, Conf_File("anything.xml"));
  Save_GSDML_File(form->Name_File_XML);
  EXPECT_EQ(Read_Bytes(Conf_File("GSDML-V2.31-Tavrel-GX31A09_ABC-20240307.xml")),
            Read_Bytes(Fixture("gsdml/in10_out20_serial.xml")));
}

TEST_F(UProfinetFileName, LayoutPlacesTheThreePartsSideBySide) {
  TFormHolder<TFProfinetFileName> form;
  Expect_Layout({
      {"P_Title", form->P_Title, 0, 0, 540, 69, true},
      {"Label1", form->Label1, 16, 80, form->Label1->Width(), form->Label1->Height(), true},
      {"E_XML_User", form->E_XML_User, 214, 121, 180, 21, true},
      {"P_Button", form->P_Button, 0, 165, 540, 40, true},
      {"Btn_OK", form->Btn_OK, 296, 6, 110, 28, true},
      {"Btn_Cancel", form->Btn_Cancel, 414, 6, 110, 28, true},
  });
  // Each part stands left of the next and the date part inside the window.
  EXPECT_LT(form->L_XML_Fix1->Left() + form->L_XML_Fix1->Width(), form->E_XML_User->Left());
  EXPECT_LT(form->E_XML_User->Left() + form->E_XML_User->Width(), form->L_XML_Fix2->Left());
  EXPECT_LE(form->L_XML_Fix2->Left() + form->L_XML_Fix2->Width(), 540 - 16);
  EXPECT_EQ(form->Btn_OK->ModalResult(), mrNone);  // OK closes only after its checks
  EXPECT_EQ(form->Btn_Cancel->ModalResult(), mrCancel);
}

}  // namespace
