// The network editor driven as the user drives it: "EnOcean.xml" loaded on showing and written on
// OK, devices through the device dialog, EEPs and variables through the variable dialogs, the page
// selector, the tree and the detail grid.
//
// Positions in forms/eep_cascade.xml:
//   RORG 0 = 0xF6: FUNC 0 = 0x02: TYPE 0 = 0x01: case 0 "Pressed" (R1, EB), case 1 "Released" (EB)
//   RORG 1 = 0xD5: FUNC 0 = 0x00: TYPE 0 = 0x01: case 0 (CO)
//   RORG 2 = 0xA5: FUNC 0 = 0x02: TYPE 0 = 0x05: case 0 (TMP)
//                  FUNC 1 = 0x04: TYPE 0 = 0x01: case 0 "Values" (HUM, TMP)
//   RORG 3 = 0xD2: FUNC 9 = 0x09: TYPE 0 = 0x01 (no case), TYPE 1 = 0x02: case 0 "In" (SP)
// editor/three_devices.xml: device "0x0180A1B2" with the unidirectional EEPs A5-04-01 (HUM, TMP),
// F6-02-01 and B0-01-01 (a RORG the catalogue lacks) and the Smart-ACK EEP D2-09-02 (SP); then two
// devices "77".
#include "enocean/UEnOcean_SetAccess2.h"

#include <gtest/gtest.h>

#include "app/UComon.h"
#include "components/buttons/FadeButton.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExGrid.h"
#include "components/grid/ExCGrid.h"
#include "components/tabs/TabStrip.h"
#include "enocean/EnOceanFile.h"
#include "enocean/UEnOcean_Device.h"
#include "enocean/UEnOcean_Variable.h"
#include "enocean/UEnOcean_Variable_SAck.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Menus.h"
#include "tests/app/AppTestFolder.h"
#include "tests/enocean/EnOceanFormsTestState.h"

using enocean_forms_test::Editor_Fixture;
using enocean_forms_test::TFormHolder;
using enocean_forms_test::User_Choose;

namespace {

std::string Network_Fixture(const std::string& Name) {
  return TTestFolder::Read_Bytes(std::string(KP_FIXTURES_DIR) + "/enocean/network/" + Name);
}

class UEnOcean_SetAccess2 : public enocean_forms_test::TEnOceanEditorTest<TFEnOcean_SetAccess2> {
 protected:
  void SetUp() override {
    TEnOceanEditorTest::SetUp();
    // The program's creation order: the editor before the dialogs it opens.
    Editor.Create();
    Device.Create();
    Variable.Create();
    Variable_SAck.Create();
    FEnOcean_SetAccess2 = Editor.Form;
    FEnOcean_Device = Device.Form;
    FEnOcean_Variable = Variable.Form;
    FEnOcean_Variable_SAck = Variable_SAck.Form;
    // The tests switch pages through the strip's model; its animation clock is not needed.
    Editor->CT_Uni_Smart_Remote->AnimateTimer()->SetEnabled(false);
  }
  void TearDown() override {
    FEnOcean_SetAccess2 = nullptr;
    FEnOcean_Device = nullptr;
    FEnOcean_Variable = nullptr;
    FEnOcean_Variable_SAck = nullptr;
    TEnOceanEditorTest::TearDown();
  }

  // A click on device line Index, as the user makes it.
  void Click_Device(Integer Index) {
    TListBox* list = Editor->LB_ID_Devices_List;
    for (Integer y = 1; y < list->ClientHeight(); ++y) {
      if (list->ItemAtPos(TPoint(20, y), true) == Index) {
        TestHarness::Click(list, TPoint(20, y + 2));
        ASSERT_EQ(list->ItemIndex(), Index);
        return;
      }
    }
    FAIL() << "no device line " << Index;
  }

  // The tree's nodes in depth-first order, each indented by two blanks per level.
  std::vector<String> Tree_Lines() const {
    std::vector<String> lines;
    for (TTreeNode* n = Editor->TW_UniSmart_EEP->Items()->GetFirstNode(); n; n = n->GetNext()) {
      lines.push_back(String(2 * n->Level(), u' ') + n->Text());
    }
    return lines;
  }

  // A click on the tree node at depth-first position Index, as the user makes it.
  void Click_Node(Integer Index) {
    TTreeView* tree = Editor->TW_UniSmart_EEP;
    TTreeNode* node = tree->Items()->Item(Index);
    // Right of the indentation, where the node's expand button lies.
    const Integer x = 120;
    for (Integer y = 1; y < tree->ClientHeight(); ++y) {
      if (tree->GetNodeAt(x, y) == node) {
        TestHarness::Click(tree, TPoint(x, y + 2));
        ASSERT_EQ(tree->Selected(), node);
        return;
      }
    }
    FAIL() << "no tree node " << Index;
  }

  // Column 1 of the detail grid, rows 1 to 8 (row 4 is the merged heading).
  std::vector<String> Detail() const {
    std::vector<String> cells;
    for (Integer row : {1, 2, 3, 5, 6, 7, 8}) cells.push_back(Editor->ESG_EEP_Var->Cells(1, row));
    return cells;
  }

  // Picks the levels of the variable dialog as the user does; -1 ends them.
  void Choose_Variable(Integer r, Integer f, Integer t, Integer c = -1, Integer v = -1) {
    const std::pair<TComboBox*, Integer> levels[] = {{Variable->CB_EEP_Rorg, r},
                                                     {Variable->CB_EEP_Func, f},
                                                     {Variable->CB_EEP_Type, t},
                                                     {Variable->CB_Var_Case, c},
                                                     {Variable->CB_Var_Variable, v}};
    for (const auto& [list, index] : levels) {
      if (index < 0) return;
      User_Choose(list, index);
    }
  }

  // The network as the file holds it now.
  TDevice_EnOcean_List Saved_Network() const {
    return std::move(Read_Network_File(File_EnOcean).Devices);
  }

  TFormHolder<TFEnOcean_Device> Device;
  TFormHolder<TFEnOcean_Variable> Variable;
  TFormHolder<TFEnOcean_Variable_SAck> Variable_SAck;
};

const std::vector<String> Empty_Detail(7, String());

TEST_F(UEnOcean_SetAccess2, LayoutAndTexts) {
  struct Row {
    const char* name;
    TControl* control;
    Integer left, top, width, height;
    bool visible;
  };
  TFEnOcean_SetAccess2* f = Editor.Form;
  const Row rows[] = {
      {"title panel", f->P_Title, 0, 0, 1150, 69, true},
      {"button panel", f->P_Button, 0, 370, 1150, 40, true},
      {"OK", f->Btn_OK, 16, 6, 110, 28, true},
      {"Cancel", f->Btn_Cancel, 134, 6, 110, 28, true},
      {"Scan", f->Btn_Scan, -1, -1, -1, -1, false},
      {"device panel", f->PEnOcean_ID, 0, 69, 273, 301, true},
      {"add device", f->Btn_Add_Device, -1, -1, 36, 36, true},
      {"remove device", f->Btn_Remove_Device, -1, -1, 36, 36, true},
      {"modify device", f->Btn_Modify_Device, -1, -1, 36, 36, true},
      {"EEP panel", f->PEnOcean_Uni_SAck, 276, 69, 874, 301, true},
      {"page selector", f->CT_Uni_Smart_Remote, 0, 0, 874, 30, true},
      {"variable bar", f->P_Uni_SAck_Bottons, 0, 251, 874, 50, true},
      {"add variable", f->Btn_Add_Variable, -1, -1, 36, 36, true},
      {"remove variable", f->Btn_Remove_Variable, -1, -1, 36, 36, true},
      {"modify variable", f->Btn_Modify_Variable, -1, -1, 36, 36, true},
      {"tree panel", f->P_TW_UniSmart_EEP, 0, 30, 369, 221, true},
      {"detail grid", f->ESG_EEP_Var, 372, 30, 502, 221, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.left >= 0) { EXPECT_EQ(row.control->Left(), row.left); }
    if (row.top >= 0) { EXPECT_EQ(row.control->Top(), row.top); }
    if (row.width >= 0) { EXPECT_EQ(row.control->Width(), row.width); }
    if (row.height >= 0) { EXPECT_EQ(row.control->Height(), row.height); }
    EXPECT_EQ(row.control->Visible(), row.visible);
  }
  EXPECT_EQ(f->ClientWidth(), 1150);
  EXPECT_EQ(f->ClientHeight(), 410);
  EXPECT_EQ(f->Btn_OK->ModalResult(), mrNone);
  EXPECT_EQ(f->Btn_Cancel->ModalResult(), mrCancel);

  EXPECT_EQ(f->Caption(), u"EnOcean Set Access");
  EXPECT_EQ(f->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(f->L_SW_Desc->Caption(), u"EnOcean Set Access");
  EXPECT_EQ(f->Btn_OK->Caption(), u"OK");
  EXPECT_EQ(f->Btn_Cancel->Hint(), u"Exit without save the EnOcean Network");
  EXPECT_EQ(f->L_ID_Devices_List->Caption(), u"ID Devices List");
  EXPECT_EQ(f->Btn_Modify_Device->Hint(), u"Modify Enocean Device");
  EXPECT_EQ(f->Btn_Remove_Variable->Hint(), u"Remove EnOcean Variable");
  EXPECT_EQ(f->LB_ID_Devices_List->PopupMenu(), f->PM_Device_EnOcean);

  // Only the unidirectional page shows, and it is active.
  TTabStripList* tabs = f->CT_Uni_Smart_Remote->Tabs();
  ASSERT_EQ(tabs->Count(), 3);
  const char16_t* captions[] = {u"Unidirectional", u"Smart ACK", u"Remote"};
  for (Integer i = 0; i < 3; ++i) {
    EXPECT_EQ(tabs->Items(i)->Caption(), captions[i]);
    EXPECT_EQ(tabs->Items(i)->Visible(), i == 0);
  }
  EXPECT_EQ(f->CT_Uni_Smart_Remote->ActiveTabIndex(), 0);
  EXPECT_EQ(f->Active_Page(), TFEnOcean_SetAccess2::pgUnidirectional);

  // The detail grid: two columns of 80 and 300, nine rows, nothing fixed, nothing edited; the left
  // column's texts and colours, the two headings merged over both columns.
  TExStringGrid* g = f->ESG_EEP_Var;
  EXPECT_EQ(g->ColCount(), 2);
  EXPECT_EQ(g->RowCount(), 9);
  EXPECT_EQ(g->FixedCols(), 0);
  EXPECT_EQ(g->FixedRows(), 0);
  EXPECT_EQ(g->ColWidths(0), 80);
  EXPECT_EQ(g->ColWidths(1), 300);
  EXPECT_FALSE(g->Options().Contains(goEditing));
  struct Cell {
    Integer row;
    const char16_t* text;
    TColor color;
    bool merged;
  };
  const Cell cells[] = {
      {0, u"EEP", 0xF0CAA6, true},       {1, u"RORG", 0xC0DCC0, false},  {2, u"FUNC", 0xC0DCC0, false},
      {3, u"TYPE", 0xC0DCC0, false},     {4, u"Variable", 0xF0CAA6, true}, {5, u"Case", 0xC0DCC0, false},
      {6, u"Variable", 0xC0DCC0, false}, {7, u"Position", 0xC0DCC0, false}, {8, u"Bit Start", 0xC0DCC0, false},
  };
  for (const Cell& cell : cells) {
    SCOPED_TRACE(cell.row);
    EXPECT_EQ(g->Cells(0, cell.row), cell.text);
    EXPECT_EQ(g->CellProperties(0, cell.row)->BrushColor(), cell.color);
    EXPECT_EQ(g->CellSpan(0, cell.row), cell.merged ? TPoint(1, 0) : TPoint(0, 0));
    EXPECT_EQ(g->IsMergedNonBaseCell(1, cell.row), cell.merged);
  }
}

TEST_F(UEnOcean_SetAccess2, WithoutANetworkFileOKWritesAnEmptyNetwork) {
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess2", [&](TCustomForm&) {
    EXPECT_TRUE(Device_Lines().empty());
    TestHarness::Click(Editor->Btn_OK);
  });
  EXPECT_EQ(Editor->ShowModal(), mrOk);
  EXPECT_EQ(Folder.Read("EnOcean.xml"), Editor_Fixture("empty_network.xml"));
}

// The whole road: two devices entered through the device dialog, two variables of one EEP through
// the variable dialog, then OK writes the file.
TEST_F(UEnOcean_SetAccess2, ANetworkBuiltThroughTheDialogsIsWrittenOnOK) {
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess2", [&](TCustomForm&) {
    TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm&) {
      EXPECT_EQ(Device->Mode, 0);
      EXPECT_EQ(Device->Caption(), u"Add EnOcean Device");
      TestHarness::TypeText(Device->E_DevEnOcean_ID, u"0x01A2B3C4");
      TestHarness::Click(Device->Btn_OK);
    });
    TestHarness::Click(Editor->Btn_Add_Device);
    TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm&) {
      EXPECT_EQ(Device->E_DevEnOcean_ID->Text(), u"");
      Device->E_DevEnOcean_ID->SetText(u"12");
      User_Choose(Device->CB_DevEnOcean_SecType, 1);
      Device->E_DevEnOcean_Secure_Key->SetText(u"00112233");
      TestHarness::Click(Device->Btn_OK);
    });
    TestHarness::Click(Editor->Btn_Add_Device);
    EXPECT_EQ(Device_Lines(), (std::vector<String>{u"0x01A2B3C4", u"12"}));
    EXPECT_EQ(Editor->LB_ID_Devices_List->ItemIndex(), -1);

    Click_Device(0);
    EXPECT_TRUE(Tree_Lines().empty() || Tree_Lines() == std::vector<String>{u"Unidirectional - EEP List"});
    TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm&) {
      EXPECT_EQ(Variable->Mode, 0);
      EXPECT_EQ(Variable->Uni_SAck, 0);
      Choose_Variable(2, 1, 0, 0, 1);
      Variable->E_Var_Position->SetText(u"12");
      User_Choose(Variable->CB_Var_BitStart, 3);
      TestHarness::Click(Variable->Btn_OK);
    });
    TestHarness::Click(Editor->Btn_Add_Variable);
    // The new EEP is selected in the tree, so the next variable starts from it and joins it.
    Click_Node(1);
    TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm&) {
      EXPECT_EQ(Variable->CB_EEP_Type->ItemIndex(), 0);
      EXPECT_EQ(Variable->CB_Var_Case->ItemIndex(), -1);
      User_Choose(Variable->CB_Var_Case, 0);
      User_Choose(Variable->CB_Var_Variable, 0);
      Variable->E_Var_Position->SetText(u"13");
      TestHarness::Click(Variable->Btn_OK);
    });
    TestHarness::Click(Editor->Btn_Add_Variable);
    EXPECT_EQ(Tree_Lines(), (std::vector<String>{u"Unidirectional - EEP List",
                                                 u"  EEP - RORG : 0xA5 FUNC : 0x04 TYPE : 0x01",
                                                 u"    Variable - TMP", u"    Variable - HUM"}));
    // Nothing reached the file before OK.
    EXPECT_FALSE(FileExists(File_EnOcean));
    TestHarness::Click(Editor->Btn_OK);
  });
  EXPECT_EQ(Editor->ShowModal(), mrOk);
  EXPECT_EQ(Folder.Read("EnOcean.xml"), Editor_Fixture("built_network.xml"));
}

TEST_F(UEnOcean_SetAccess2, ShowingLoadsTheFileAndOKWritesItBackUnchanged) {
  Folder.Write("EnOcean.xml", Editor_Fixture("three_devices.xml"));
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess2", [&](TCustomForm&) {
    // Devices with the same ID are both kept.
    EXPECT_EQ(Device_Lines(), (std::vector<String>{u"0x0180A1B2", u"77", u"77"}));
    TestHarness::Click(Editor->Btn_OK);
  });
  EXPECT_EQ(Editor->ShowModal(), mrOk);
  EXPECT_EQ(Folder.Read("EnOcean.xml"), Editor_Fixture("three_devices.xml"));
}

TEST_F(UEnOcean_SetAccess2, CancelDropsTheChangesAndTheNextShowingReadsTheFileAgain) {
  Folder.Write("EnOcean.xml", Editor_Fixture("three_devices.xml"));
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess2", [&](TCustomForm&) {
    Click_Device(1);
    TestHarness::ExpectMessage(u"Are you sure to cancel the Device EnOcean?", mtConfirmation, mrYes);
    TestHarness::Click(Editor->Btn_Remove_Device);
    EXPECT_EQ(Device_Lines().size(), 2u);
    TestHarness::Click(Editor->Btn_Cancel);
  });
  EXPECT_EQ(Editor->ShowModal(), mrCancel);
  EXPECT_EQ(Folder.Read("EnOcean.xml"), Editor_Fixture("three_devices.xml"));

  // The window's close box cancels too.
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess2", [&](TCustomForm& f) {
    EXPECT_EQ(Device_Lines(), (std::vector<String>{u"0x0180A1B2", u"77", u"77"}));
    f.Close();
  });
  EXPECT_EQ(Editor->ShowModal(), mrCancel);
  EXPECT_EQ(Editor->DevList.size(), 3u);
}

TEST_F(UEnOcean_SetAccess2, ANetworkThatCannotBeWrittenIsReportedAndKeepsTheDialogOpen) {
  File_EnOcean = Folder.Path("missing/EnOcean.xml");
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess2", [&](TCustomForm& f) {
    TestHarness::ExpectMessageContaining(u"Error!! The EnOcean network could not be saved. ", mtError);
    TestHarness::Click(Editor->Btn_OK);
    EXPECT_EQ(f.ModalResult(), mrNone);
    TestHarness::Click(Editor->Btn_Cancel);
  });
  EXPECT_EQ(Editor->ShowModal(), mrCancel);
  EXPECT_TRUE(TestHarness::Verify());
}

// A file that was not read whole: what could not be read is shown, every device is listed, Cancel
// keeps the file, and OK replaces it only after a Yes.
TEST_F(UEnOcean_SetAccess2, ANetworkFileNotReadWholeIsShownAndReplacedOnlyAfterYes) {
  const std::string damaged = Network_Fixture("bad_device_missing_ptm.xml");
  Folder.Write("EnOcean.xml", damaged);
  const String warning = u"Warning! The EnOcean network file could not be read completely.";
  TestHarness::ExpectMessageContaining(warning, mtWarning);
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess2", [&](TCustomForm&) {
    EXPECT_EQ(Device_Lines(), (std::vector<String>{u"1", u"2", u"3"}));
    TestHarness::Click(Editor->Btn_Cancel);
  });
  EXPECT_EQ(Editor->ShowModal(), mrCancel);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Folder.Read("EnOcean.xml"), damaged);

  const String question = u"The EnOcean network file was not read completely: saving replaces it with the network as "
                          u"shown. Do you want to save?";
  TestHarness::ExpectMessageContaining(u"device 2 (Id \"2\"): \"PTM\" is missing; read as 0", mtWarning);
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess2", [&](TCustomForm& f) {
    TestHarness::ExpectMessage(question, mtConfirmation, mrNo);
    TestHarness::Click(Editor->Btn_OK);
    EXPECT_EQ(f.ModalResult(), mrNone);
    EXPECT_EQ(Folder.Read("EnOcean.xml"), damaged);
    TestHarness::ExpectMessage(question, mtConfirmation, mrYes);
    TestHarness::Click(Editor->Btn_OK);
  });
  EXPECT_EQ(Editor->ShowModal(), mrOk);
  EXPECT_TRUE(TestHarness::Verify());
  const TNetwork_File saved = Read_Network_File(File_EnOcean);
  EXPECT_TRUE(saved.Read_Whole());
  EXPECT_EQ(saved.Devices.size(), 3u);

  // A file that does not parse is reported with the reader's reason; OK asks the same way. So is a
  // file holding a character XML cannot carry, which would otherwise be left out of the key.
  for (const std::string& broken :
       {std::string("<EnOcean><DevicesList>"), Network_Fixture("key_with_control_characters.xml")}) {
    SCOPED_TRACE(broken);
    Folder.Write("EnOcean.xml", broken);
    TestHarness::ExpectMessageContaining(u"is not well-formed XML", mtWarning);
    TestHarness::ExpectModal(u"TFEnOcean_SetAccess2", [&](TCustomForm&) {
      EXPECT_TRUE(Device_Lines().empty());
      TestHarness::ExpectMessage(question, mtConfirmation, mrNo);
      TestHarness::Click(Editor->Btn_OK);
      TestHarness::Click(Editor->Btn_Cancel);
    });
    EXPECT_EQ(Editor->ShowModal(), mrCancel);
    EXPECT_TRUE(TestHarness::Verify());
    EXPECT_EQ(Folder.Read("EnOcean.xml"), broken);
  }
}

TEST_F(UEnOcean_SetAccess2, AddingADeviceStartsFromAnEmptyIdAndNoSecurity) {
  Show_Editor("three_devices.xml");
  // The dialog still shows the first device from an earlier modify.
  Click_Device(0);
  TestHarness::ExpectModal(u"TFEnOcean_Device", mrCancel);
  TestHarness::Click(Editor->Btn_Modify_Device);
  EXPECT_TRUE(TestHarness::Verify());

  TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm&) {
    EXPECT_EQ(Device->Mode, 0);
    EXPECT_EQ(Device->Caption(), u"Add EnOcean Device");
    EXPECT_EQ(Device->E_DevEnOcean_ID->Text(), u"");
    EXPECT_EQ(Device->CB_DevEnOcean_SecType->ItemIndex(), 0);
    // The other security fields keep what the dialog showed last; they are hidden and stored.
    EXPECT_EQ(Device->E_DevEnOcean_Secure_Key->Text(), u"K1");
    EXPECT_EQ(Device->CB_DevEnOcean_Secure_PTM->ItemIndex(), 1);
    TestHarness::TypeText(Device->E_DevEnOcean_ID, u"77");
    TestHarness::Click(Device->Btn_OK);
  });
  TestHarness::Click(Editor->Btn_Add_Device);
  EXPECT_EQ(Device_Lines(), (std::vector<String>{u"0x0180A1B2", u"77", u"77", u"77"}));
  const TDevice_EnOcean& added = *Editor->DevList.back();
  EXPECT_EQ(added.FSecure_Type, 0);
  EXPECT_EQ(added.FKey, u"K1");
  EXPECT_EQ(added.FPTM, 1);
  EXPECT_TRUE(added.UnidirectionalList.empty());

  // Cancelled, nothing is added.
  TestHarness::ExpectModal(u"TFEnOcean_Device", mrCancel);
  TestHarness::Click(Editor->Btn_Add_Device);
  EXPECT_EQ(Editor->DevList.size(), 4u);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, ModifyingADeviceFillsTheDialogAndWritesItBack) {
  Show_Editor("three_devices.xml");
  Click_Device(0);
  TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm&) {
    EXPECT_EQ(Device->Mode, 1);
    EXPECT_EQ(Device->Caption(), u"Modify EnOcean Device");
    const TDevice_Data shown = Device->Device_Data();
    EXPECT_EQ(shown.Id, u"0x0180A1B2");
    EXPECT_EQ(shown.Secure_Type, 2);
    EXPECT_EQ(shown.Key, u"K1");
    EXPECT_EQ(shown.RollCode, u"5");
    EXPECT_EQ(shown.RollCodeAlg, 1);
    EXPECT_EQ(shown.RollCodeTx, 1);
    EXPECT_EQ(shown.CMACAlg, 2);
    EXPECT_EQ(shown.DataCript, 1);
    EXPECT_EQ(shown.PTM, 1);
    Device->E_DevEnOcean_ID->SetText(u"$0180A1B3");
    User_Choose(Device->CB_DevEnOcean_Secure_CMACAlg, 0);
    TestHarness::Click(Device->Btn_OK);
  });
  TestHarness::Click(Editor->Btn_Modify_Device);
  EXPECT_EQ(Device_Lines()[0], u"$0180A1B3");
  const TDevice_EnOcean& changed = *Editor->DevList[0];
  EXPECT_EQ(changed.FId, u"$0180A1B3");
  EXPECT_EQ(changed.FCMACAlg, 0);
  EXPECT_EQ(changed.FKey, u"K1");
  EXPECT_EQ(changed.UnidirectionalList.size(), 3u);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, RemovingADeviceAsksFirst) {
  struct Row {
    const char* name;
    TModalResult answer;
    std::vector<String> lines;
  };
  const Row rows[] = {
      {"yes", mrYes, {u"77", u"77"}},
      {"no", mrNo, {u"0x0180A1B2", u"77", u"77"}},
      {"cancel", mrCancel, {u"0x0180A1B2", u"77", u"77"}},
  };
  Show_Editor("");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Folder.Write("EnOcean.xml", Editor_Fixture("three_devices.xml"));
    Editor->FormShow(Editor.Form);
    Click_Device(0);
    TestHarness::ExpectMessage(u"Are you sure to cancel the Device EnOcean?", mtConfirmation, row.answer);
    TestHarness::Click(Editor->Btn_Remove_Device);
    EXPECT_TRUE(TestHarness::Verify());
    EXPECT_EQ(Device_Lines(), row.lines);
  }
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, DeviceActionsWithoutASelectedDevice) {
  Show_Editor("three_devices.xml");
  // Remove and modify do nothing; a double click on no device adds one.
  TestHarness::Click(Editor->Btn_Remove_Device);
  TestHarness::Click(Editor->Btn_Modify_Device);
  TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm&) {
    EXPECT_EQ(Device->Mode, 0);
    TestHarness::Click(Device->Btn_Cancel);
  });
  Editor->LB_ID_Devices_ListDblClick(Editor->LB_ID_Devices_List);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Editor->DevList.size(), 3u);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, DoubleClickAndMenuReachTheDeviceFlows) {
  Show_Editor("three_devices.xml");
  TListBox* list = Editor->LB_ID_Devices_List;
  Integer y = 1;
  while (y < list->ClientHeight() && list->ItemAtPos(TPoint(20, y), true) != 1) ++y;
  TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm&) {
    EXPECT_EQ(Device->Mode, 1);
    EXPECT_EQ(Device->E_DevEnOcean_ID->Text(), u"77");
    TestHarness::Click(Device->Btn_Cancel);
  });
  TestHarness::DoubleClick(list, TPoint(20, y + 2));
  EXPECT_TRUE(TestHarness::Verify());

  struct Row {
    const char* name;
    TMenuItem* item;
    const char* expected;  // what the item opens
  };
  const Row rows[] = {
      {"add", Editor->PopUpAddEnOceanDevice1, "add"},
      {"modify", Editor->PopUpModifyEnOceanDevice1, "modify"},
      {"remove", Editor->PopUpRemoveEnOceanDevice1, "remove"},
  };
  EXPECT_EQ(Editor->PopUpAddEnOceanDevice1->Caption(), u"Add EnOcean Device");
  EXPECT_EQ(Editor->PopUpRemoveEnOceanDevice1->Caption(), u"Remove EnOcean Device");
  EXPECT_EQ(Editor->PopUpModifyEnOceanDevice1->Caption(), u"Modify EnOcean Device");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string what = row.expected;
    // The menu comes first, then what its item opens.
    TestHarness::ExpectPopupMenu([&](TPopupMenu& Menu) {
      EXPECT_EQ(&Menu, Editor->PM_Device_EnOcean);
      return row.item;
    });
    if (what == "remove") {
      TestHarness::ExpectMessage(u"Are you sure to cancel the Device EnOcean?", mtConfirmation, mrNo);
    } else {
      TestHarness::ExpectModal(u"TFEnOcean_Device", [&, what](TCustomForm&) {
        EXPECT_EQ(Device->Mode, what == "add" ? 0 : 1);
        TestHarness::Click(Device->Btn_Cancel);
      });
    }
    Editor->PM_Device_EnOcean->Popup(0, 0);
    EXPECT_TRUE(TestHarness::Verify());
  }
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, VariableActionsWithoutADeviceShowTheError) {
  Show_Editor("three_devices.xml");
  for (TFadeButton* button : {Editor->Btn_Add_Variable, Editor->Btn_Remove_Variable, Editor->Btn_Modify_Variable}) {
    SCOPED_TRACE(StringToUtf8(button->Name()));
    TestHarness::ExpectMessage(u"Error!! Insert or select one EnOcean Device", mtError);
    TestHarness::Click(button);
    EXPECT_TRUE(TestHarness::Verify());
  }
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, TheTreeAndTheDetailGridShowTheSelection) {
  Show_Editor("three_devices.xml");
  Click_Device(0);
  EXPECT_EQ(Tree_Lines(), (std::vector<String>{u"Unidirectional - EEP List",
                                               u"  EEP - RORG : 0xA5 FUNC : 0x04 TYPE : 0x01",
                                               u"    Variable - HUM", u"    Variable - TMP",
                                               u"  EEP - RORG : 0xF6 FUNC : 0x02 TYPE : 0x01",
                                               u"  EEP - RORG : 0xB0 FUNC : 0x01 TYPE : 0x01"}));
  EXPECT_TRUE(Editor->TW_UniSmart_EEP->Items()->GetFirstNode()->Expanded());
  EXPECT_EQ(Detail(), Empty_Detail);

  struct Row {
    const char* name;
    Integer node;
    Integer ind_eep, ind_var;
    std::vector<String> detail;
  };
  const Row rows[] = {
      {"variable", 3, 0, 1,
       {u"0xA5 : 4BS", u"0x04 : Temperature and humidity", u"0x01 : Range 0 to 40", u"1 -> Values", u"TMP", u"4",
        u"2"}},
      {"EEP", 1, 0, -1,
       {u"0xA5 : 4BS", u"0x04 : Temperature and humidity", u"0x01 : Range 0 to 40", u"", u"", u"", u""}},
      {"EEP without variables", 4, 1, -1,
       {u"0xF6 : RPS", u"0x02 : Rocker", u"0x01 : Light and blind control", u"", u"", u"", u""}},
      {"RORG unknown to the catalogue", 5, 2, -1, Empty_Detail},
      {"root", 0, -1, -1, Empty_Detail},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Click_Node(row.node);
    EXPECT_EQ(Editor->Ind_EEP, row.ind_eep);
    EXPECT_EQ(Editor->Ind_Var, row.ind_var);
    EXPECT_EQ(Detail(), row.detail);
  }

  // Another device: its own tree, and the grid follows its (absent) selection.
  Click_Node(3);
  Click_Device(1);
  EXPECT_EQ(Tree_Lines(), std::vector<String>{u"Unidirectional - EEP List"});
  EXPECT_EQ(Detail(), Empty_Detail);
  Editor->Hide();
}

// Catalogue titles that run over several lines and past the cell: the detail grid shows them on
// one line, and the hint of a cut cell shows the whole name.
TEST_F(UEnOcean_SetAccess2, TheDetailGridShowsLongTitlesOnOneLineWithTheirHints) {
  Catalog = std::make_unique<TCatalog_EnOcean>();
  ASSERT_TRUE(Catalog->Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/enocean/forms/eep_long_titles.xml")));
  Catalog_EnOcean = Catalog.get();
  Folder.Write("EnOcean.xml",
               "<EnOcean><DevicesList><Device Id=\"1\" Secure_Type=\"0\" Key=\"\" RollCode=\"\" RollCodeAlg=\"0\" "
               "RollCodeTx=\"0\" CMACAlg=\"0\" DataCript=\"0\" PTM=\"0\"><UnidirectionalList><RorgFuncType "
               "RorgNum=\"165\" FuncNum=\"8\" TypeNum=\"1\"><VariablesList><Variable CaseInd=\"0\" Data=\"ILL\" "
               "BitOffs=\"8\" BitSize=\"8\" Position=\"3\" BitStart=\"0\"/></VariablesList></RorgFuncType>"
               "</UnidirectionalList><SmartACKList/><Remote/></Device></DevicesList></EnOcean>");
  Show_Editor("");
  Click_Device(0);
  Click_Node(2);
  const String type = u"0x01 : Range 0lx to 510lx, 0\u00B0C to +51\u00B0C and Occupancy Button, with the supply "
                      u"voltage of the sensor reported in every telegram";
  EXPECT_EQ(Detail(), (std::vector<String>{u"0xA5 : 4BS Telegram", u"0x08 : Light, Temperature and Occupancy Sensor",
                                           type, u"1 -> Illumination, temperature and occupancy", u"ILL", u"3", u"0"}));
  TExStringGrid* grid = Editor->ESG_EEP_Var;
  const TRect cell = grid->CellRect(1, 3);
  Application->CancelHint();  // the hint is asked of the control under the mouse
  Application->ActivateHint(grid->ClientToScreen(TPoint(cell.Left + 5, cell.Top + 5)));
  EXPECT_EQ(Application->Hint(), type);
  Application->CancelHint();
  Editor->Hide();
}

// The published catalogue's A5-10-1A, whose TYPE title runs far past the detail grid's cell: the
// user rests the pointer on each cell of the grid in turn, and every cell that cuts its text shows
// the whole text as its hint, each time, while a cell whose text fits shows none. The hint lies
// over the cell, under the pointer, and stays there.
TEST_F(UEnOcean_SetAccess2, EveryCutCellOfTheDetailGridShowsItsWholeTextUnderTheRestingPointer) {
  Catalog = std::make_unique<TCatalog_EnOcean>();
  ASSERT_TRUE(Catalog->Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/enocean/forms/eep_a5_10_1a.xml")));
  Catalog_EnOcean = Catalog.get();
  Folder.Write("EnOcean.xml",
               "<EnOcean><DevicesList><Device Id=\"1\" Secure_Type=\"0\" Key=\"\" RollCode=\"\" RollCodeAlg=\"0\" "
               "RollCodeTx=\"0\" CMACAlg=\"0\" DataCript=\"0\" PTM=\"0\"><UnidirectionalList><RorgFuncType "
               "RorgNum=\"165\" FuncNum=\"16\" TypeNum=\"26\"><VariablesList><Variable CaseInd=\"0\" "
               "Data=\"Temperature of the room, measured linearly from 0 \xC2\xB0" "C to +40 \xC2\xB0" "C\" BitOffs=\"16\" "
               "BitSize=\"8\" Position=\"7\" BitStart=\"2\"/></VariablesList></RorgFuncType></UnidirectionalList>"
               "<SmartACKList/><Remote/></Device></DevicesList></EnOcean>");
  TestHarness::UseFakeClock(true);
  Show_Editor("");
  Click_Device(0);
  Click_Node(2);
  TExStringGrid* grid = Editor->ESG_EEP_Var;
  ASSERT_EQ(grid->Cells(1, 3), u"0x1A : Supply voltage monitor, Temperature Sensor, Set Point, Fan Speed and "
                                u"Occupancy Control");

  struct Row {
    const char* name;
    Integer col, row;
    bool cut;
  };
  const Row rows[] = {
      {"EEP heading, merged", 1, 0, false},  {"RORG label", 0, 1, false},
      {"RORG", 1, 1, false},                 {"FUNC", 1, 2, false},
      {"TYPE", 1, 3, true},                  {"TYPE label", 0, 3, false},
      {"variable heading, merged", 0, 4, false}, {"case", 1, 5, false},
      {"variable", 1, 6, true},              {"position", 1, 7, false},
      {"TYPE again, after a cell without a hint", 1, 3, true},
      {"bit start", 1, 8, false},            {"variable again", 1, 6, true},
      {"TYPE once more, straight from a cut cell", 1, 3, true},
  };
  TCanvas measure;
  measure.Font()->Assign(grid->Font());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TPoint base = grid->BaseCell(row.col, row.row);
    const String text = grid->Cells(base.X, base.Y);
    const TRect cell = grid->CellRect(row.col, row.row);
    // The fixture's texts are cut or fit by a wide margin.
    EXPECT_EQ(measure.TextWidth(text) > cell.Width(), row.cut) << StringToUtf8(text);
    EXPECT_EQ(enocean_forms_test::Hint_After_Rest(grid, TPoint(cell.Left + 12, cell.Top + 5)),
              row.cut ? text : String());
    THintWindow* hint = Application->HintWindow();
    if (!row.cut || !hint) continue;
    EXPECT_EQ(hint->BoundsRect().TopLeft(), grid->ClientToScreen(cell.TopLeft())) << "the hint lies over the cell";
    EXPECT_GE(hint->Width(), measure.TextWidth(text)) << "the hint window holds the whole text";
    // The pointer moves on inside the cell, over the hint: the hint stays.
    TestHarness::MovePointer(grid, TPoint(cell.Left + 40, cell.Top + 6));
    TestHarness::ProcessEvents();
    EXPECT_TRUE(hint->Active());
  }
  // Off the grid the hint goes.
  TestHarness::MovePointer(Editor->TW_UniSmart_EEP, TPoint(20, 20));
  TestHarness::ProcessEvents();
  EXPECT_FALSE(Application->HintWindow()->Active());
  Application->CancelHint();
  TestHarness::UseFakeClock(false);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, AClickOnAnEmptyTreeSelectsNothing) {
  Show_Editor("");
  Editor->TW_UniSmart_EEP->Items()->Clear();
  Editor->TW_UniSmart_EEPClick(Editor->TW_UniSmart_EEP);
  EXPECT_EQ(Editor->Ind_EEP, -1);
  EXPECT_EQ(Editor->Ind_Var, -1);
  EXPECT_EQ(Detail(), Empty_Detail);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, AddingAVariable) {
  Show_Editor("three_devices.xml");
  struct Row {
    const char* name;
    Integer device;
    Integer node;  // selected before the add, -1 for none
    Integer r, f, t, c, v;
    const char16_t* message;  // the dialog's refusal, nullptr when accepted
    std::vector<String> tree;
  };
  const Row rows[] = {
      {"a triple of an EEP of the device joins that EEP", 0, -1, 0, 0, 0, 1, 0, nullptr,
       {u"Unidirectional - EEP List", u"  EEP - RORG : 0xA5 FUNC : 0x04 TYPE : 0x01", u"    Variable - HUM",
        u"    Variable - TMP", u"  EEP - RORG : 0xF6 FUNC : 0x02 TYPE : 0x01", u"    Variable - EB",
        u"  EEP - RORG : 0xB0 FUNC : 0x01 TYPE : 0x01"}},
      {"a fifth EEP is refused", 0, -1, 1, 0, 0, 0, 0, u"Error!! No more space for EEP", {}},
      {"a new triple makes a new EEP", 1, -1, 1, 0, 0, 0, 0, nullptr,
       {u"Unidirectional - EEP List", u"  EEP - RORG : 0xD5 FUNC : 0x00 TYPE : 0x01", u"    Variable - CO"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Click_Device(row.device);
    const std::vector<String> before = Tree_Lines();
    TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm& f) {
      Choose_Variable(row.r, row.f, row.t, row.c, row.v);
      Variable->E_Var_Position->SetText(u"30");
      if (row.message) TestHarness::ExpectMessage(row.message, mtError);
      TestHarness::Click(Variable->Btn_OK);
      if (f.ModalResult() == mrNone) TestHarness::Click(Variable->Btn_Cancel);
    });
    TestHarness::Click(Editor->Btn_Add_Variable);
    EXPECT_TRUE(TestHarness::Verify());
    EXPECT_EQ(Tree_Lines(), row.message ? before : row.tree);
  }
  const TVarEnOcean& eb = *Editor->DevList[0]->UnidirectionalList[1]->VariableList[0];
  EXPECT_EQ(eb.FCaseIndex, 1);
  EXPECT_EQ(eb.FBitOffs, 3);
  EXPECT_EQ(eb.FBitSize, 1);
  EXPECT_EQ(eb.FPosition, 30);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, RemovingAnEEPOrAVariableAsksFirst) {
  struct Row {
    const char* name;
    Integer node;
    const char16_t* question;
    TModalResult answer;
    size_t eeps, vars_of_first;
  };
  const Row rows[] = {
      {"EEP without variables, yes", 4, u"Do you really want to remove the selected EEP?", mrYes, 2, 2},
      {"EEP without variables, no", 4, u"Do you really want to remove the selected EEP?", mrNo, 3, 2},
      {"EEP with variables, yes", 1, u"Do you really want to remove the selected EEP and all its Variables?", mrYes,
       2, 0},
      {"EEP with variables, cancel", 1, u"Do you really want to remove the selected EEP and all its Variables?",
       mrCancel, 3, 2},
      {"variable, yes", 2, u"Do You really want to remove the selected variable?", mrYes, 3, 1},
      {"variable, no", 2, u"Do You really want to remove the selected variable?", mrNo, 3, 2},
      {"root", 0, nullptr, mrNone, 3, 2},
  };
  Show_Editor("");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Folder.Write("EnOcean.xml", Editor_Fixture("three_devices.xml"));
    Editor->FormShow(Editor.Form);
    Click_Device(0);
    Click_Node(row.node);
    if (row.question) TestHarness::ExpectMessage(row.question, mtConfirmation, row.answer);
    TestHarness::Click(Editor->Btn_Remove_Variable);
    EXPECT_TRUE(TestHarness::Verify());
    const TRorFunTyp_List& eeps = Editor->DevList[0]->UnidirectionalList;
    EXPECT_EQ(eeps.size(), row.eeps);
    // With the A5 EEP removed, the first EEP is the F6 one, without variables.
    EXPECT_EQ(eeps[0]->VariableList.size(), row.vars_of_first);
    // The tree is rebuilt, with nothing selected.
    EXPECT_EQ(Tree_Lines().size(), 1 + eeps.size() + eeps[0]->VariableList.size());
    EXPECT_EQ(Editor->TW_UniSmart_EEP->Selected(), nullptr);
  }
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, ModifyingAnEEPWithVariables) {
  struct Row {
    const char* name;
    TModalResult question;  // the answer to "remove the variables?"
    bool dialog_ok;         // the dialog is shown and closed with OK (else with Cancel)
    bool full;              // the device holds four EEPs: a new triple has no room
    Integer rorg_num;
    size_t vars;
  };
  const Row rows[] = {
      {"yes, then OK", mrYes, true, false, 0xD5, 0},
      {"yes, then OK on a device with four EEPs", mrYes, true, true, 0xA5, 2},
      {"yes, then Cancel", mrYes, false, false, 0xA5, 2},
      {"no", mrNo, false, false, 0xA5, 2},
  };
  Show_Editor("");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Folder.Write("EnOcean.xml", Editor_Fixture("three_devices.xml"));
    Editor->FormShow(Editor.Form);
    // The first device holds three unidirectional EEPs and one Smart-ACK EEP.
    if (!row.full) Editor->DevList[0]->SmartACKList.clear();
    Click_Device(0);
    Click_Node(1);
    TestHarness::ExpectMessage(u"Do You really want to remove the variables for this EEP?", mtConfirmation,
                               row.question);
    if (row.question == mrYes) {
      TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm& f) {
        EXPECT_EQ(f.Caption(), u"Modify EnOcean EEP");
        EXPECT_EQ(Variable->Mode, 1);
        EXPECT_EQ(Variable->Modify_EEP_Var, 0);
        EXPECT_EQ(Variable->CB_EEP_Rorg->ItemIndex(), 2);
        EXPECT_EQ(Variable->CB_EEP_Type->ItemIndex(), 0);
        Choose_Variable(1, 0, 0);
        if (row.full) {
          // The new triple would be a fifth EEP: refused, and the dialog stays open.
          TestHarness::ExpectMessage(u"Error!! No more space for EEP", mtError, mrOk);
          TestHarness::Click(Variable->Btn_OK);
          EXPECT_EQ(f.ModalResult(), mrNone);
          TestHarness::Click(Variable->Btn_Cancel);
          return;
        }
        TestHarness::Click(row.dialog_ok ? Variable->Btn_OK : Variable->Btn_Cancel);
      });
    }
    TestHarness::Click(Editor->Btn_Modify_Variable);
    EXPECT_TRUE(TestHarness::Verify());
    const TRorFunTyp& eep = *Editor->DevList[0]->UnidirectionalList[0];
    EXPECT_EQ(eep.FRorgNum, row.rorg_num);
    EXPECT_EQ(eep.VariableList.size(), row.vars);
    EXPECT_EQ(Tree_Lines()[1], row.rorg_num == 0xD5 ? String(u"  EEP - RORG : 0xD5 FUNC : 0x00 TYPE : 0x01")
                                                    : String(u"  EEP - RORG : 0xA5 FUNC : 0x04 TYPE : 0x01"));
  }
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, ModifyingAnEEPWithoutVariablesOrAVariable) {
  Show_Editor("three_devices.xml");
  // Room for one more EEP: the modified EEP takes a triple the device does not have yet.
  Editor->DevList[0]->SmartACKList.clear();
  Click_Device(0);
  // An EEP without variables: no question.
  Click_Node(4);
  TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm&) {
    Choose_Variable(1, 0, 0);
    TestHarness::Click(Variable->Btn_OK);
  });
  TestHarness::Click(Editor->Btn_Modify_Variable);
  EXPECT_EQ(Tree_Lines()[4], u"  EEP - RORG : 0xD5 FUNC : 0x00 TYPE : 0x01");

  // A variable: RORG, FUNC and TYPE fixed, its own fields offered.
  Click_Node(2);
  TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm& f) {
    EXPECT_EQ(f.Caption(), u"Modify EnOcean Variable");
    EXPECT_EQ(Variable->Modify_EEP_Var, 1);
    EXPECT_FALSE(Variable->CB_EEP_Rorg->Enabled());
    EXPECT_EQ(Variable->CB_Var_Variable->ItemIndex(), 0);
    EXPECT_EQ(Variable->E_Var_Position->Text(), u"3");
    Variable->E_Var_Position->SetText(u"99");
    User_Choose(Variable->CB_Var_BitStart, 6);
    TestHarness::Click(Variable->Btn_OK);
  });
  TestHarness::Click(Editor->Btn_Modify_Variable);
  const TVarEnOcean& hum = *Editor->DevList[0]->UnidirectionalList[0]->VariableList[0];
  EXPECT_EQ(hum.FData, u"HUM");
  EXPECT_EQ(hum.FPosition, 99);
  EXPECT_EQ(hum.FBitStart, 6);

  // The root, or nothing selected: nothing happens.
  Click_Node(0);
  TestHarness::Click(Editor->Btn_Modify_Variable);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, TheSmartAckPageWorksOnTheSmartAckList) {
  Show_Editor("three_devices.xml");
  Click_Device(0);
  // The hidden page is reached through the strip's own menu.
  Editor->CT_Uni_Smart_Remote->SetActiveTabIndex(1);
  EXPECT_EQ(Editor->Active_Page(), TFEnOcean_SetAccess2::pgSmartACK);
  EXPECT_EQ(Tree_Lines(), (std::vector<String>{u"Smart ACK - EEP List", u"  EEP - RORG : 0xD2 FUNC : 0x09 TYPE : 0x02",
                                               u"    Variable - SP"}));
  Click_Node(2);
  EXPECT_EQ(Detail(), (std::vector<String>{u"0xD2 : VLD", u"0x09 : Smart ACK", u"0x02 : Second", u"1 -> In", u"SP",
                                           u"20", u"1"}));

  // Remove asks the Smart-ACK texts and works on the Smart-ACK list.
  TestHarness::ExpectMessage(u"Do You really want to remove the selected variable?", mtConfirmation, mrYes);
  TestHarness::Click(Editor->Btn_Remove_Variable);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_TRUE(Editor->DevList[0]->SmartACKList[0]->VariableList.empty());
  EXPECT_EQ(Editor->DevList[0]->UnidirectionalList[0]->VariableList.size(), 2u);

  // Modify prepares the variable dialog for the Smart-ACK list (room made for the new triple: the
  // device holds four EEPs).
  Editor->DevList[0]->UnidirectionalList.pop_back();
  Click_Node(1);
  TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm&) {
    EXPECT_EQ(Variable->Uni_SAck, 1);
    EXPECT_FALSE(Variable->CB_EEP_Rorg->Enabled());
    EXPECT_EQ(Variable->CB_EEP_Rorg->ItemIndex(), 3);
    EXPECT_EQ(Variable->CB_EEP_Func->ItemIndex(), 9);
    EXPECT_EQ(Variable->CB_EEP_Type->ItemIndex(), 1);
    User_Choose(Variable->CB_EEP_Type, 0);
    TestHarness::Click(Variable->Btn_OK);
  });
  TestHarness::Click(Editor->Btn_Modify_Variable);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Editor->DevList[0]->SmartACKList[0]->FTypeNum, 0x01);

  // Back on the unidirectional page the tree shows that list again, nothing selected.
  Editor->CT_Uni_Smart_Remote->SetActiveTabIndex(0);
  EXPECT_EQ(Tree_Lines()[0], u"Unidirectional - EEP List");
  EXPECT_EQ(Editor->Ind_EEP, -1);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, TheSmartAckAddStoresTheMarkedFieldsOfTheGroup) {
  Show_Editor("three_devices.xml");
  Click_Device(1);
  Editor->CT_Uni_Smart_Remote->SetActiveTabIndex(1);
  TestHarness::ExpectModal(u"TFEnOcean_Variable_SAck", [&](TCustomForm&) {
    EXPECT_EQ(Variable_SAck->Ind_Dev, 1);
    User_Choose(Variable_SAck->CB_EEP_Type, 1);
    User_Choose(Variable_SAck->CB_Var_Case_IN, 0);
    Variable_SAck->ACG_Vars_Case_IN->SetCells(2, 1, u"40");
    TestHarness::Click(Variable_SAck->Btn_OK);
  });
  TestHarness::Click(Editor->Btn_Add_Variable);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Tree_Lines(), (std::vector<String>{u"Smart ACK - EEP List", u"  EEP - RORG : 0xD2 FUNC : 0x09 TYPE : 0x02",
                                               u"    Variable - SP"}));
  ASSERT_EQ(Editor->DevList[1]->SmartACKList.size(), 1u);
  EXPECT_EQ(Editor->DevList[1]->SmartACKList[0]->VariableList[0]->FPosition, 40);
  EXPECT_TRUE(Editor->DevList[1]->UnidirectionalList.empty());

  // Cancelled, nothing changes.
  TestHarness::ExpectModal(u"TFEnOcean_Variable_SAck", mrCancel);
  TestHarness::Click(Editor->Btn_Add_Variable);
  EXPECT_EQ(Editor->DevList[1]->SmartACKList[0]->VariableList.size(), 1u);
  Editor->Hide();
}

// The page selector's own menu deletes no page of the editor, and every showing brings back the
// editor's pages: the tabs the menu added are gone and the unidirectional list works as before.
TEST_F(UEnOcean_SetAccess2, TheSelectorsMenuKeepsTheEditorsPages) {
  Show_Editor("three_devices.xml");
  TTabStrip* strip = Editor->CT_Uni_Smart_Remote;
  auto menu = [&](const String& Item) {
    const TRect r = strip->GetTabControl(0)->ControlRectScrolled();
    const TPoint p(r.Left + 22, (r.Top + r.Bottom) / 2);
    TestHarness::ExpectPopupMenu([&](TPopupMenu& Menu) -> TMenuItem* {
      for (Integer i = 0; i < Menu.Items()->Count(); ++i)
        if (Menu.Items()->Items(i)->Caption() == Item) return Menu.Items()->Items(i);
      return nullptr;
    });
    TestHarness::SendMouse(strip, WM_RBUTTONDOWN, p, MK_RBUTTON);
    TestHarness::SendMouse(strip, WM_RBUTTONUP, p, 0);
    EXPECT_TRUE(TestHarness::Verify());
  };
  menu(u"Delete Tab");
  ASSERT_EQ(strip->Tabs()->Count(), 3);
  EXPECT_EQ(strip->Tabs()->Items(0)->Caption(), u"Unidirectional");
  EXPECT_EQ(Editor->Active_Page(), TFEnOcean_SetAccess2::pgUnidirectional);
  menu(u"New tab");
  EXPECT_EQ(strip->Tabs()->Count(), 4);

  Editor->Hide();
  Show_Editor("three_devices.xml");
  ASSERT_EQ(strip->Tabs()->Count(), 3);
  EXPECT_EQ(Editor->Active_Page(), TFEnOcean_SetAccess2::pgUnidirectional);
  EXPECT_FALSE(strip->Tabs()->Items(1)->Visible());
  EXPECT_FALSE(strip->Tabs()->Items(2)->Visible());
  Click_Device(0);
  EXPECT_EQ(Tree_Lines()[0], u"Unidirectional - EEP List");
  TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm& f) {
    EXPECT_EQ(f.Caption(), u"Add EnOcean Variable");
    EXPECT_TRUE(Variable->CB_EEP_Rorg->Enabled());
    TestHarness::Click(Variable->Btn_Cancel);
  });
  TestHarness::Click(Editor->Btn_Add_Variable);
  EXPECT_TRUE(TestHarness::Verify());
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, APageThatIsNoEEPListShowsAndChangesNothing) {
  Show_Editor("three_devices.xml");
  Click_Device(0);
  Click_Node(2);
  // "Remote", made visible and active through the strip's own menu.
  Editor->CT_Uni_Smart_Remote->Tabs()->Items(2)->SetVisible(true);
  Editor->CT_Uni_Smart_Remote->SetActiveTabIndex(2);
  EXPECT_EQ(Editor->Active_Page(), TFEnOcean_SetAccess2::pgNone);
  EXPECT_TRUE(Tree_Lines().empty());
  for (TFadeButton* button : {Editor->Btn_Add_Variable, Editor->Btn_Remove_Variable, Editor->Btn_Modify_Variable}) {
    TestHarness::Click(button);
  }
  // A tab the menu adds is no EEP list either, whatever its position.
  Editor->CT_Uni_Smart_Remote->Tabs()->Items(0)->SetVisible(false);
  TStripTab* added = Editor->CT_Uni_Smart_Remote->Tabs()->Add();
  Editor->CT_Uni_Smart_Remote->SetActiveTab(added);
  EXPECT_EQ(Editor->Active_Page(), TFEnOcean_SetAccess2::pgNone);
  EXPECT_TRUE(Tree_Lines().empty());
  EXPECT_EQ(Editor->DevList[0]->UnidirectionalList.size(), 3u);
  EXPECT_EQ(Editor->DevList[0]->UnidirectionalList[0]->VariableList.size(), 2u);
  Editor->Hide();
}

TEST_F(UEnOcean_SetAccess2, ARemovedDevicesTreeStaysUntilAnotherDeviceIsSelected) {
  Show_Editor("three_devices.xml");
  Click_Device(0);
  const std::vector<String> tree = Tree_Lines();
  TestHarness::ExpectMessage(u"Are you sure to cancel the Device EnOcean?", mtConfirmation, mrYes);
  TestHarness::Click(Editor->Btn_Remove_Device);
  EXPECT_EQ(Tree_Lines(), tree);
  // No device is selected now: the EEP actions refuse.
  Click_Node(1);
  EXPECT_EQ(Detail(), Empty_Detail);
  TestHarness::ExpectMessage(u"Error!! Insert or select one EnOcean Device", mtError);
  TestHarness::Click(Editor->Btn_Remove_Variable);
  EXPECT_TRUE(TestHarness::Verify());
  Editor->Hide();
}

}  // namespace
