// The older network editor: its pages and texts, the silent device check, the security fields and
// the device buttons that follow them, EEPs and variables added from its own catalogue lists with
// their error texts, and the network file written back whole.
//
// Positions in forms/eep_cascade.xml:
//   RORG 0 = 0xF6: FUNC 0 = 0x02: TYPE 0 = 0x01: case 0 "Pressed" (R1, EB), case 1 "Released" (EB)
//   RORG 1 = 0xD5: FUNC 0 = 0x00: TYPE 0 = 0x01: case 0 (CO)
//   RORG 2 = 0xA5: FUNC 0 = 0x02: TYPE 0 = 0x05: case 0 (TMP)
//                  FUNC 1 = 0x04: TYPE 0 = 0x01: case 0 "Values" (HUM, TMP)
// editor/three_devices.xml: device "0x0180A1B2" with the unidirectional EEPs A5-04-01 (HUM, TMP),
// F6-02-01 and B0-01-01 and the Smart-ACK EEP D2-09-02 (SP); then two devices "77".
#include "enocean/UEnOcean_SetAccess.h"

#include <gtest/gtest.h>

#include "app/UComon.h"
#include "components/buttons/FadeButton.h"
#include "components/tabs/TabStrip.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "tests/app/AppTestFolder.h"
#include "tests/enocean/EnOceanFormsTestState.h"

using enocean_forms_test::Items_Of;
using enocean_forms_test::Editor_Fixture;
using enocean_forms_test::TFormHolder;
using enocean_forms_test::User_Choose;

namespace {

class UEnOcean_SetAccess : public enocean_forms_test::TEnOceanEditorTest<TFEnOcean_SetAccess> {
 protected:
  void SetUp() override {
    TEnOceanEditorTest::SetUp();
    Editor.Create();
    // The tests switch pages through the strips' model; their animation clocks are not needed.
    for (TTabStrip* strip : Strips()) strip->AnimateTimer()->SetEnabled(false);
  }
  std::vector<TTabStrip*> Strips() const {
    return {Editor->CT_ID_Data, Editor->CT_Uni_Smart_Remote, Editor->CT_EEP_Var, Editor->CT_EEP_Var_Smart};
  }

  // The user selects device line Index (-1: none).
  void Select_Device(Integer Index) {
    Editor->LB_ID_Devices_List->SetItemIndex(Index);
    Editor->LB_ID_Devices_ListClick(Editor->LB_ID_Devices_List);
  }

  std::vector<String> Tree_Lines() const {
    std::vector<String> lines;
    for (TTreeNode* n = Editor->TW_UniSmart_EEP->Items()->GetFirstNode(); n; n = n->GetNext()) {
      lines.push_back(String(2 * n->Level(), u' ') + n->Text());
    }
    return lines;
  }
  String Selected_Node() const {
    const TTreeNode* n = Editor->TW_UniSmart_EEP->Selected();
    return n ? n->Text() : String(u"(none)");
  }

  // The user selects the tree node at depth-first position Index and clicks it.
  void Click_Node(Integer Index) {
    Editor->TW_UniSmart_EEP->SetSelected(Editor->TW_UniSmart_EEP->Items()->Item(Index));
    Editor->TW_UniSmart_EEPClick(Editor->TW_UniSmart_EEP);
  }

  // Picks the catalogue lists as the user does; -1 ends them.
  void Choose_Lists(Integer r, Integer f = -1, Integer t = -1, Integer c = -1, Integer v = -1) {
    const std::pair<TComboBox*, Integer> levels[] = {{Editor->CB_EEP_Rorg, r},
                                                     {Editor->CB_EEP_Func, f},
                                                     {Editor->CB_EEP_Type, t},
                                                     {Editor->CB_Var_Case, c},
                                                     {Editor->CB_Var_DataField, v}};
    for (const auto& [list, index] : levels) {
      if (index < 0) return;
      User_Choose(list, index);
    }
  }

  void Click(TFadeButton* Button) { Button->OnClick(Button); }

};

TEST_F(UEnOcean_SetAccess, PagesAndTexts) {
  TFEnOcean_SetAccess* f = Editor.Form;
  EXPECT_EQ(f->ClientWidth(), 1150);
  EXPECT_EQ(f->ClientHeight(), 650);
  EXPECT_EQ(f->Btn_Cancel->ModalResult(), mrCancel);

  struct Text {
    const char* name;
    String shown;
    const char16_t* expected;
  };
  const Text texts[] = {
      {"caption", f->Caption(), u"EnOcean Set Access"},
      {"description", f->L_SW_Desc->Caption(), u"EnOcean Set Access"},
      {"OK hint", f->Btn_OK->Hint(), u"Confirm and save the EnOcean Network"},
      {"device list", f->L_ID_Devices_List->Caption(), u"ID Devices List"},
      {"ID tab", f->CT_ID_Data->Tabs()->Items(0)->Caption(), u"ID & Security"},
      {"data tab", f->CT_ID_Data->Tabs()->Items(1)->Caption(), u"Data Exchange"},
      {"ID hint", f->E_DevEnOcean_ID->Hint(), u"Insert the ID of EnOcan Device"},
      {"PTM label", f->L_DevEnOcean_Secure_PTM->Caption(), u"PTM"},
      {"PTM hint", f->CB_DevEnOcean_Secure_PTM->Hint(), u"Select the PTM"},
      {"add device", f->Btn_Add_Device->Caption(), u"Add Device"},
      {"delete device", f->Btn_Delete_Device->Caption(), u"Delete Device"},
      {"remote tab", f->CT_Uni_Smart_Remote->Tabs()->Items(2)->Caption(), u"Remote"},
      {"variable tab", f->CT_EEP_Var->Tabs()->Items(1)->Caption(), u"Variable"},
      {"case hint", f->CB_Var_Case->Hint(), u"Select the CASE of EEP"},
      {"modify EEP", f->Btn_EEP_Modify->Caption(), u"Modify"},
      {"variable hint", f->CB_Var_DataField->Hint(), u"Select the Variable to add to EEP"},
      {"position hint", f->E_Var_Position->Hint(), u"Insert the Position of Variable"},
      {"delete variable hint", f->Btn_Var_Delete->Hint(), u"Delete Variable from the EEP"},
      // The Smart-ACK panel keeps its design texts.
      {"Smart-ACK add", f->Btn_EEP_Add_Smart->Caption(), u"Add"},
      {"Smart-ACK add hint", f->Btn_EEP_Add_Smart->Hint(), u""},
  };
  for (const Text& t : texts) {
    SCOPED_TRACE(t.name);
    EXPECT_EQ(t.shown, t.expected);
  }

  // Each selector starts on its first page, "Remote" hidden.
  for (TTabStrip* strip : Strips()) {
    SCOPED_TRACE(StringToUtf8(strip->Name()));
    EXPECT_EQ(strip->ActiveTabIndex(), 0);
  }
  EXPECT_FALSE(f->CT_Uni_Smart_Remote->Tabs()->Items(2)->Visible());
  struct Shown {
    TControl* page;
    bool visible;
  };
  const Shown pages[] = {{f->PEnOcean_DefID_IDSec, true},     {f->PEnOcean_DefID_DataEx, false},
                         {f->PEnOcean_DefID_Data_Uni, true},  {f->PEnOcean_DefID_Data_Smart, false},
                         {f->PEnOcean_EEP, true},             {f->PEnOcean_Var, false},
                         {f->PEnOcean_EEP_Smart, true},       {f->PEnOcean_Var_Smart, false}};
  for (const Shown& p : pages) {
    SCOPED_TRACE(StringToUtf8(p.page->Name()));
    EXPECT_EQ(p.page->Visible(), p.visible);
  }
  // The selectors switch their pages.
  f->CT_ID_Data->SetActiveTabIndex(1);
  f->CT_Uni_Smart_Remote->SetActiveTabIndex(1);
  f->CT_EEP_Var->SetActiveTabIndex(1);
  for (const Shown& p : pages) {
    if (p.page == f->PEnOcean_EEP_Smart || p.page == f->PEnOcean_Var_Smart) continue;
    SCOPED_TRACE(StringToUtf8(p.page->Name()));
    EXPECT_EQ(p.page->Visible(), !p.visible);
  }
  // The fields keep the device dialog's limits and items.
  EXPECT_EQ(f->E_DevEnOcean_Secure_Key->MaxLength(), 16);
  EXPECT_EQ(f->E_DevEnOcean_Secure_RollCode->MaxLength(), 16);
  EXPECT_EQ(Items_Of(f->CB_DevEnOcean_SecType), Secure_Type_Items());
  EXPECT_EQ(Items_Of(f->CB_Var_BitStart), BitStart_Items());
}

TEST_F(UEnOcean_SetAccess, ShowingListsTheDevicesAndTheRorgs) {
  Show_Editor("three_devices.xml");
  EXPECT_EQ(Device_Lines(), (std::vector<String>{u"ID 0x0180A1B2", u"ID 77", u"ID 77"}));
  EXPECT_EQ(Items_Of(Editor->CB_EEP_Rorg), Catalog->Rorg_SL);
  EXPECT_EQ(Editor->CB_EEP_Rorg->ItemIndex(), -1);
  EXPECT_EQ(Editor->Ind_EEP, -1);

  // A device click copies it into the fields and shows its tree.
  Select_Device(0);
  EXPECT_EQ(Editor->E_DevEnOcean_ID->Text(), u"0x0180A1B2");
  EXPECT_EQ(Editor->CB_DevEnOcean_SecType->ItemIndex(), 2);
  EXPECT_EQ(Editor->E_DevEnOcean_Secure_Key->Text(), u"K1");
  EXPECT_EQ(Editor->CB_DevEnOcean_Secure_CMACAlg->ItemIndex(), 2);
  EXPECT_TRUE(Editor->L_DevEnOcean_Secure_PTM->Visible());
  EXPECT_EQ(Tree_Lines(), (std::vector<String>{u"Unidirectional - EEP List",
                                               u"  EEP - RORG : 0xA5 FUNC : 0x04 TYPE : 0x01",
                                               u"    Variable - HUM", u"    Variable - TMP",
                                               u"  EEP - RORG : 0xF6 FUNC : 0x02 TYPE : 0x01",
                                               u"  EEP - RORG : 0xB0 FUNC : 0x01 TYPE : 0x01"}));
  // On the Smart-ACK page the same tree shows the Smart-ACK list.
  Editor->CT_Uni_Smart_Remote->SetActiveTabIndex(1);
  EXPECT_EQ(Tree_Lines(), (std::vector<String>{u"Smart Ack - EEP List",
                                               u"  EEP - RORG : 0xD2 FUNC : 0x09 TYPE : 0x02",
                                               u"    Variable - SP"}));
  EXPECT_EQ(Editor->TW_Smart_EEP->Items()->Count(), 0);

  // No device: empty texts, every list at item 0, no security pair.
  Select_Device(-1);
  EXPECT_EQ(Editor->E_DevEnOcean_ID->Text(), u"");
  EXPECT_EQ(Editor->E_DevEnOcean_Secure_Key->Text(), u"");
  EXPECT_EQ(Editor->CB_DevEnOcean_SecType->ItemIndex(), 0);
  EXPECT_EQ(Editor->CB_DevEnOcean_Secure_PTM->ItemIndex(), 0);
  EXPECT_FALSE(Editor->L_DevEnOcean_Secure_Key->Visible());
  EXPECT_TRUE(Tree_Lines().empty());
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess, TheSecurityTypeMovesTheDeviceButtons) {
  struct Row {
    const char* name;
    Integer type;
    Integer pairs_shown;
    Integer buttons_top;  // 33 below the last label shown
  };
  const Row rows[] = {
      {"Secure with Manual Setting", 2, 7, 280 + 33},
      {"Unsecure", 0, 0, 56 + 33},
      {"Secure Pre Shared Key", 1, 1, 88 + 33},
  };
  Show_Editor("");
  const Integer height = Editor->Height();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    User_Choose(Editor->CB_DevEnOcean_SecType, row.type);
    const TControl* labels[] = {Editor->L_DevEnOcean_Secure_Key,     Editor->L_DevEnOcean_Secure_RollCode,
                                Editor->L_DevEnOcean_Secure_RollCodeAlg, Editor->L_DevEnOcean_Secure_RollCodeTx,
                                Editor->L_DevEnOcean_Secure_CMACAlg, Editor->L_DevEnOcean_Secure_DataEnc,
                                Editor->L_DevEnOcean_Secure_PTM};
    for (Integer i = 0; i < 7; ++i) EXPECT_EQ(labels[i]->Visible(), i < row.pairs_shown) << i;
    EXPECT_EQ(Editor->Btn_Add_Device->Top(), row.buttons_top);
    EXPECT_EQ(Editor->Btn_Modify_Device->Top(), row.buttons_top);
    EXPECT_EQ(Editor->Btn_Delete_Device->Top(), row.buttons_top + 34);
    EXPECT_EQ(Editor->Height(), height);
  }
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess, DevicesAreCheckedSilently) {
  Show_Editor("");
  struct Row {
    const char* name;
    const char16_t* id;
    bool added;
  };
  const Row rows[] = {
      {"a word", u"12a", false},     {"empty", u"", false},         {"above 32 bits", u"4294967296", false},
      {"hexadecimal", u"0xFF", true}, {"the same again", u"0xFF", true}, {"largest", u"4294967295", true},
  };
  size_t count = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Editor->E_DevEnOcean_ID->SetText(row.id);
    Click(Editor->Btn_Add_Device);
    if (row.added) ++count;
    ASSERT_EQ(Editor->DevList.size(), count);
    EXPECT_TRUE(TestHarness::ShownMessages().empty());
  }
  EXPECT_EQ(Device_Lines(), (std::vector<String>{u"ID 0xFF", u"ID 0xFF", u"ID 4294967295"}));

  // Modify writes the fields into the selected device, which stays selected; an invalid ID changes
  // nothing; Delete removes nothing.
  Select_Device(1);
  Editor->E_DevEnOcean_ID->SetText(u"$10");
  User_Choose(Editor->CB_DevEnOcean_SecType, 1);
  Editor->E_DevEnOcean_Secure_Key->SetText(u"ABC");
  Click(Editor->Btn_Modify_Device);
  EXPECT_EQ(Device_Lines()[1], u"ID $10");
  EXPECT_EQ(Editor->DevList[1]->FSecure_Type, 1);
  EXPECT_EQ(Editor->DevList[1]->FKey, u"ABC");
  EXPECT_EQ(Editor->LB_ID_Devices_List->ItemIndex(), 1);
  Editor->E_DevEnOcean_ID->SetText(u"-1");
  Click(Editor->Btn_Modify_Device);
  EXPECT_EQ(Editor->DevList[1]->FId, u"$10");
  Click(Editor->Btn_Delete_Device);
  EXPECT_EQ(Editor->DevList.size(), 3u);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess, AddingAnEEP) {
  Show_Editor("three_devices.xml");
  // No device selected: nothing, not even a message.
  Select_Device(-1);
  Choose_Lists(1, 0, 0);
  Click(Editor->Btn_EEP_Add);
  EXPECT_TRUE(TestHarness::ShownMessages().empty());

  struct Row {
    const char* name;
    Integer device;
    Integer r, f, t;
    const char16_t* message;
  };
  const Row rows[] = {
      {"no RORG", 1, -1, -1, -1, u"Error!! Select a RORG before add an EEP"},
      {"no FUNC", 1, 2, -1, -1, u"Error!! Select a FUNC before add an EEP"},
      {"no TYPE", 1, 2, 1, -1, u"Error!! Select a TYPE before add an EEP"},
      {"four EEPs already", 0, 1, 0, 0, u"Error!! No more space for EEP"},
      {"accepted", 1, 2, 1, 0, nullptr},
      {"the same EEP again", 1, 2, 1, 0, u"Error!! EEP already present"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Select_Device(row.device);
    Editor->CB_EEP_Rorg->SetItemIndex(-1);
    Editor->CB_EEP_Rorg_Func_Type_Change(Editor->CB_EEP_Rorg);
    Choose_Lists(row.r, row.f, row.t);
    const size_t before = Editor->DevList[row.device]->UnidirectionalList.size();
    if (row.message) TestHarness::ExpectMessage(row.message, mtError);
    Click(Editor->Btn_EEP_Add);
    EXPECT_TRUE(TestHarness::Verify());
    EXPECT_EQ(Editor->DevList[row.device]->UnidirectionalList.size(), before + (row.message ? 0 : 1));
    if (!row.message) {
      // The new EEP is in the tree and selected.
      EXPECT_EQ(Tree_Lines(), (std::vector<String>{u"Unidirectional - EEP List",
                                                   u"  EEP - RORG : 0xA5 FUNC : 0x04 TYPE : 0x01"}));
      EXPECT_EQ(Selected_Node(), u"EEP - RORG : 0xA5 FUNC : 0x04 TYPE : 0x01");
      EXPECT_EQ(Editor->Ind_EEP, 0);
    }
  }

  // On the Smart-ACK page the EEP goes to the Smart-ACK list; a triple of the other list is no
  // duplicate there.
  Editor->CT_Uni_Smart_Remote->SetActiveTabIndex(1);
  Click(Editor->Btn_EEP_Add);
  EXPECT_EQ(Editor->DevList[1]->SmartACKList.size(), 1u);
  EXPECT_EQ(Tree_Lines()[0], u"Smart Ack - EEP List");
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess, AddingAVariable) {
  Show_Editor("three_devices.xml");
  Select_Device(0);
  // No EEP selected: nothing.
  Choose_Lists(2, 1, 0, 0, 0);
  Editor->E_Var_Position->SetText(u"5");
  Click(Editor->Btn_Var_Add);
  EXPECT_TRUE(TestHarness::ShownMessages().empty());
  EXPECT_EQ(Editor->DevList[0]->UnidirectionalList[0]->VariableList.size(), 2u);

  struct Row {
    const char* name;
    Integer node;  // the EEP selected in the tree
    Integer r, f, t, c, v;
    const char16_t* position;
    const char16_t* message;
  };
  const Row rows[] = {
      {"no case", 1, 2, 1, 0, -1, -1, u"5", u"Error!! Select a Variable before add"},
      {"no variable", 1, 2, 1, 0, 0, -1, u"5", u"Error!! Select a Variable before add"},
      {"position 2000", 1, 2, 1, 0, 0, 1, u"2000", u"Error!! Position must be between 0 and 1999"},
      {"position not a number", 1, 2, 1, 0, 0, 1, u"x", u"Error!! Position must be between 0 and 1999"},
      {"a field of another EEP", 1, 0, 0, 0, 1, 0, u"5", u"Error!! Select or Insert a EEP before add a Variable"},
      {"position 1999", 1, 2, 1, 0, 0, 1, u"1999", nullptr},
      {"the same field again", 1, 2, 1, 0, 0, 1, u"0", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Editor->Update_Data_Exchange(0);
    Click_Node(row.node);
    // The click filled the lists from the EEP; the user then picks the rest.
    EXPECT_EQ(Editor->CB_EEP_Rorg->ItemIndex(), 2);
    Choose_Lists(row.r, row.f, row.t, row.c, row.v);
    Editor->E_Var_Position->SetText(row.position);
    const size_t before = Editor->DevList[0]->UnidirectionalList[0]->VariableList.size();
    if (row.message) TestHarness::ExpectMessage(row.message, mtError);
    Click(Editor->Btn_Var_Add);
    EXPECT_TRUE(TestHarness::Verify());
    EXPECT_EQ(Editor->DevList[0]->UnidirectionalList[0]->VariableList.size(), before + (row.message ? 0 : 1));
  }
  const TVarEnOcean& added = *Editor->DevList[0]->UnidirectionalList[0]->VariableList[2];
  EXPECT_EQ(added.FData, u"TMP");
  EXPECT_EQ(added.FBitOffs, 16);
  EXPECT_EQ(added.FBitSize, 8);
  EXPECT_EQ(added.FPosition, 1999);
  // The new variable is in the tree and selected.
  EXPECT_EQ(Selected_Node(), u"Variable - TMP");
  EXPECT_EQ(Editor->Ind_Var, 3);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess, ATreeClickFillsTheFieldsFromTheSelection) {
  Show_Editor("three_devices.xml");
  Select_Device(0);
  Click_Node(3);  // TMP of A5-04-01, position 4, start bit 2
  EXPECT_EQ(Editor->Ind_EEP, 0);
  EXPECT_EQ(Editor->Ind_Var, 1);
  EXPECT_EQ(Editor->CB_EEP_Rorg->ItemIndex(), 2);
  EXPECT_EQ(Editor->CB_EEP_Func->ItemIndex(), 1);
  EXPECT_EQ(Editor->CB_EEP_Type->ItemIndex(), 0);
  EXPECT_EQ(Editor->CB_Var_Case->ItemIndex(), 0);
  EXPECT_EQ(Editor->CB_Var_DataField->ItemIndex(), 1);
  EXPECT_EQ(Editor->E_Var_Position->Text(), u"4");
  EXPECT_EQ(Editor->CB_Var_BitStart->ItemIndex(), 2);
  // An EEP whose RORG the catalogue lacks leaves the lists below the RORG empty.
  Click_Node(5);
  EXPECT_EQ(Editor->CB_EEP_Rorg->ItemIndex(), -1);
  EXPECT_TRUE(Items_Of(Editor->CB_EEP_Func).empty());
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess, DeletingRemovesWithoutAsking) {
  Show_Editor("three_devices.xml");
  Select_Device(0);
  // A variable node does not delete its EEP.
  Click_Node(2);
  Click(Editor->Btn_EEP_Delete);
  EXPECT_EQ(Editor->DevList[0]->UnidirectionalList.size(), 3u);
  Click(Editor->Btn_Var_Delete);
  EXPECT_EQ(Editor->DevList[0]->UnidirectionalList[0]->VariableList.size(), 1u);
  EXPECT_EQ(Editor->DevList[0]->UnidirectionalList[0]->VariableList[0]->FData, u"TMP");
  Click_Node(1);
  Click(Editor->Btn_EEP_Delete);
  EXPECT_EQ(Editor->DevList[0]->UnidirectionalList.size(), 2u);
  EXPECT_EQ(Tree_Lines()[1], u"  EEP - RORG : 0xF6 FUNC : 0x02 TYPE : 0x01");
  EXPECT_EQ(Editor->TW_UniSmart_EEP->Selected(), nullptr);
  // Modify does nothing; neither do the Smart-ACK panel's buttons.
  Click_Node(1);
  for (TFadeButton* b : {Editor->Btn_EEP_Modify, Editor->Btn_Var_Modify, Editor->Btn_EEP_Delete_Smart,
                         Editor->Btn_EEP_Add_Smart, Editor->Btn_Var_Delete_Smart}) {
    Click(b);
  }
  EXPECT_EQ(Editor->DevList[0]->UnidirectionalList.size(), 2u);
  EXPECT_TRUE(TestHarness::ShownMessages().empty());
  Editor->Hide();
}

// The Smart-ACK EEPs of a file, which this editor does not edit, are written back as read.
TEST_F(UEnOcean_SetAccess, OKWritesTheWholeNetworkBack) {
  Folder.Write("EnOcean.xml", Editor_Fixture("three_devices.xml"));
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess", [&](TCustomForm&) {
    EXPECT_EQ(Editor->DevList.size(), 3u);
    TestHarness::Click(Editor->Btn_OK);
  });
  EXPECT_EQ(Editor->ShowModal(), mrOk);
  EXPECT_EQ(Folder.Read("EnOcean.xml"), Editor_Fixture("three_devices.xml"));
  // Closing released the network.
  EXPECT_TRUE(Editor->DevList.empty());

  // A file that cannot be written is reported and keeps the dialog open.
  File_EnOcean = Folder.Path("missing/EnOcean.xml");
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess", [&](TCustomForm& f) {
    TestHarness::ExpectMessageContaining(u"Error!! The EnOcean network could not be saved. ", mtError);
    TestHarness::Click(Editor->Btn_OK);
    EXPECT_EQ(f.ModalResult(), mrNone);
    TestHarness::Click(Editor->Btn_Cancel);
  });
  EXPECT_EQ(Editor->ShowModal(), mrCancel);

  // A file that was not read whole is shown with what could not be read, and OK asks first.
  File_EnOcean = Folder.Path("EnOcean.xml");
  const std::string damaged =
      TTestFolder::Read_Bytes(std::string(KP_FIXTURES_DIR) + "/enocean/network/bad_device_missing_ptm.xml");
  Folder.Write("EnOcean.xml", damaged);
  TestHarness::ExpectMessageContaining(u"device 2 (Id \"2\"): \"PTM\" is missing; read as 0", mtWarning);
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess", [&](TCustomForm& f) {
    EXPECT_EQ(Editor->DevList.size(), 3u);
    TestHarness::ExpectMessageContaining(u"was not read completely", mtConfirmation, mrNo);
    TestHarness::Click(Editor->Btn_OK);
    EXPECT_EQ(f.ModalResult(), mrNone);
    TestHarness::Click(Editor->Btn_Cancel);
  });
  EXPECT_EQ(Editor->ShowModal(), mrCancel);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Folder.Read("EnOcean.xml"), damaged);
}

}  // namespace
