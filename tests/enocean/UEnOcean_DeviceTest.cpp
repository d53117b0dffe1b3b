// The device dialog: its layout, the ID and rolling-code checks on OK, the fields shown and the
// window height per security type, the titles per mode.
#include "enocean/UEnOcean_Device.h"

#include <gtest/gtest.h>

#include "components/buttons/FadeButton.h"
#include "platform/gui/ExtCtrls.h"
#include "tests/enocean/EnOceanFormsTestState.h"

using enocean_forms_test::Expect_Layout;
using enocean_forms_test::TFormHolder;
using enocean_forms_test::User_Choose;

namespace {

class UEnOcean_Device : public enocean_forms_test::TEnOceanFormsTest {
 protected:
  void SetUp() override {
    TEnOceanFormsTest::SetUp();
    Dlg.Create();
  }

  TFormHolder<TFEnOcean_Device> Dlg;

  // The seven security pairs, label and input, in their order on the form.
  std::vector<std::pair<TControl*, TControl*>> Pairs() const {
    TFEnOcean_Device* f = Dlg.Form;
    return {{f->L_DevEnOcean_Secure_Key, f->E_DevEnOcean_Secure_Key},
            {f->L_DevEnOcean_Secure_RollCode, f->E_DevEnOcean_Secure_RollCode},
            {f->L_DevEnOcean_Secure_RollCodeAlg, f->CB_DevEnOcean_Secure_RollCodeAlg},
            {f->L_DevEnOcean_Secure_RollCodeTx, f->CB_DevEnOcean_Secure_RollCodeTx},
            {f->L_DevEnOcean_Secure_CMACAlg, f->CB_DevEnOcean_Secure_CMACAlg},
            {f->L_DevEnOcean_Secure_DataEnc, f->CB_DevEnOcean_Secure_DataEnc},
            {f->L_DevEnOcean_Secure_PTM, f->CB_DevEnOcean_Secure_PTM}};
  }

  // Shows the dialog modally as the editor does; Fill sets the fields while it is shown, then OK
  // is clicked, expecting the error Message (nullptr: none). A refused OK leaves the dialog open,
  // and Cancel closes it. Returns the result.
  TModalResult Show_And_OK(const std::function<void(TFEnOcean_Device&)>& Fill, const char16_t* Message) {
    TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm&) {
      Fill(*Dlg.Form);
      if (Message) TestHarness::ExpectMessage(Message, mtError);
      TestHarness::Click(Dlg->Btn_OK);
      if (Dlg->ModalResult() == mrNone) TestHarness::Click(Dlg->Btn_Cancel);
    });
    return Dlg->ShowModal();
  }
};

TEST_F(UEnOcean_Device, Layout) {
  TFEnOcean_Device* f = Dlg.Form;
  Expect_Layout({
      {"ID label", f->L_DevEnOcean_ID, 16, 72, -1, -1},
      {"ID", f->E_DevEnOcean_ID, 160, 72, 201, 21},
      {"type label", f->L_DevEnOcean_SecType, 16, 112, -1, -1},
      {"type", f->CB_DevEnOcean_SecType, 160, 112, 201, 22},
      {"key label", f->L_DevEnOcean_Secure_Key, 16, 144, -1, -1},
      {"key", f->E_DevEnOcean_Secure_Key, 160, 144, 201, 21},
      {"rolling code", f->E_DevEnOcean_Secure_RollCode, 160, 176, 201, 21},
      {"rolling code algorithm", f->CB_DevEnOcean_Secure_RollCodeAlg, 160, 208, 201, 22},
      {"rolling code Tx", f->CB_DevEnOcean_Secure_RollCodeTx, 160, 240, 201, 22},
      {"CMAC", f->CB_DevEnOcean_Secure_CMACAlg, 160, 272, 201, 22},
      {"data encryption", f->CB_DevEnOcean_Secure_DataEnc, 160, 304, 201, 22},
      {"PTM label", f->L_DevEnOcean_Secure_PTM, 16, 336, -1, -1},
      {"PTM", f->CB_DevEnOcean_Secure_PTM, 160, 336, 201, 22},
      {"title panel", f->P_Title, 0, 0, 380, 69},
      {"OK", f->Btn_OK, 16, 6, 110, 28},
      {"Cancel", f->Btn_Cancel, 134, 6, 110, 28},
  });
  EXPECT_EQ(f->ClientWidth(), 380);
  EXPECT_EQ(f->P_Button->Height(), 40);
  EXPECT_EQ(f->P_Button->Top() + 40, f->ClientHeight());
  EXPECT_EQ(f->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(f->E_DevEnOcean_Secure_Key->MaxLength(), 16);
  EXPECT_EQ(f->E_DevEnOcean_Secure_RollCode->MaxLength(), 16);
  EXPECT_EQ(f->Btn_Cancel->ModalResult(), mrCancel);
  // OK closes only through its check.
  EXPECT_EQ(f->Btn_OK->ModalResult(), mrNone);
}

TEST_F(UEnOcean_Device, TextsAndFixedLists) {
  TFEnOcean_Device* f = Dlg.Form;
  EXPECT_EQ(f->Caption(), u"Add EnOcean Device");
  EXPECT_EQ(f->L_SW_Desc->Caption(), u"Add EnOcean Device");
  EXPECT_EQ(f->Btn_OK->Caption(), u"OK");
  EXPECT_EQ(f->Btn_Cancel->Hint(), u"Exit without save the EnOcean Device");
  EXPECT_EQ(f->L_DevEnOcean_ID->Caption(), u"Device ID");
  EXPECT_EQ(f->E_DevEnOcean_ID->Hint(), u"Insert the ID of EnOcean Device");
  EXPECT_EQ(f->L_DevEnOcean_Secure_DataEnc->Caption(), u"Data Encripted");
  EXPECT_EQ(f->CB_DevEnOcean_Secure_PTM->Hint(), u"Select the PTM");

  struct Row {
    const char* name;
    TComboBox* list;
    std::vector<String> items;
  };
  const Row rows[] = {
      {"security type", f->CB_DevEnOcean_SecType,
       {u"Unsecure", u"Secure Pre Shared Key", u"Secure with Manual Setting"}},
      {"rolling code algorithm", f->CB_DevEnOcean_Secure_RollCodeAlg, {u"No RLC algorithm", u"16-bit", u"24-bit"}},
      {"rolling code Tx", f->CB_DevEnOcean_Secure_RollCodeTx, {u"No", u"Yes"}},
      {"CMAC", f->CB_DevEnOcean_Secure_CMACAlg, {u"No MAC", u"AES128 - 3 bytes", u"AES128 - 4 bytes"}},
      {"data encryption", f->CB_DevEnOcean_Secure_DataEnc,
       {u"No data encryption", u"VAES - AES128", u"AES - CBC - AES128"}},
      {"PTM", f->CB_DevEnOcean_Secure_PTM, {u"No PTM", u"PTM"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(enocean_forms_test::Items_Of(row.list), row.items);
    EXPECT_EQ(row.list->Style(), csDropDownList);
    EXPECT_EQ(row.list->ItemIndex(), 0);
  }
}

TEST_F(UEnOcean_Device, DeviceIdOnOK) {
  struct Row {
    const char* name;
    const char16_t* id;
    bool accepted;
  };
  const Row rows[] = {
      {"zero", u"0", true},
      {"largest 32-bit value", u"4294967295", true},
      {"hex with 0x", u"0xFFFFFFFF", true},
      {"hex with $", u"$FF", true},
      {"hex with x", u"x1A", true},
      {"leading blank", u" 12", true},
      {"two to the 32", u"4294967296", false},
      {"trailing letter", u"12a", false},
      {"trailing blank", u"12 ", false},
      {"empty", u"", false},
      {"negative", u"-1", false},
      {"a word", u"device", false},
      {"hex without prefix", u"FFFFFFFF", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TModalResult result =
        Show_And_OK([&](TFEnOcean_Device& f) { f.E_DevEnOcean_ID->SetText(row.id); },
                    row.accepted ? nullptr : u"Error!! Device ID must be between 0 and 4294967295");
    EXPECT_EQ(result, row.accepted ? mrOk : mrCancel);
    EXPECT_TRUE(TestHarness::Verify());
    // The ID is handed on as typed, prefix and blanks included.
    EXPECT_EQ(Dlg->Device_Data().Id, String(row.id));
  }
}

TEST_F(UEnOcean_Device, RollingCodeIsCheckedOnlyWhereTheTypeUsesIt) {
  struct Row {
    const char* name;
    Integer type;
    const char16_t* code;
    bool accepted;
  };
  const Row rows[] = {
      {"manual setting, decimal", 2, u"123456", true},
      {"manual setting, hex", 2, u"0xFFFFFFFF", true},
      {"manual setting, empty", 2, u"", false},
      {"manual setting, not a number", 2, u"12G4", false},
      {"manual setting, past 32 bits", 2, u"4294967296", false},
      {"pre shared key ignores it", 1, u"12G4", true},
      {"unsecure ignores it", 0, u"", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TModalResult result = Show_And_OK(
        [&](TFEnOcean_Device& f) {
          f.E_DevEnOcean_ID->SetText(u"0x0180A2B3");
          User_Choose(f.CB_DevEnOcean_SecType, row.type);
          f.E_DevEnOcean_Secure_RollCode->SetText(row.code);
        },
        row.accepted ? nullptr : u"Error!! Rolling Code must be between 0 and 4294967295");
    EXPECT_EQ(result, row.accepted ? mrOk : mrCancel);
    EXPECT_TRUE(TestHarness::Verify());
  }
}

TEST_F(UEnOcean_Device, CancelAndTheCloseBoxCheckNothing) {
  Dlg->E_DevEnOcean_ID->SetText(u"12a");
  TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm&) { TestHarness::Click(Dlg->Btn_Cancel); });
  EXPECT_EQ(Dlg->ShowModal(), mrCancel);
  TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm& f) { f.Close(); });
  EXPECT_EQ(Dlg->ShowModal(), mrCancel);
  EXPECT_TRUE(TestHarness::ShownMessages().empty());
}

TEST_F(UEnOcean_Device, FieldsAndHeightPerSecurityType) {
  struct Row {
    const char* name;
    Integer type;
    Integer pairs_shown;
    Integer client_height;
  };
  // Each row starts from the type of the row before, so every change of type is covered once.
  const Row rows[] = {
      {"secure with manual setting", 2, 7, 409},
      {"unsecure", 0, 0, 185},
      {"secure pre shared key", 1, 1, 216},
      {"manual setting again", 2, 7, 409},
      {"pre shared key after manual", 1, 1, 216},
      {"unsecure after pre shared key", 0, 0, 185},
  };
  TestHarness::ShowForm(Dlg.Form);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    User_Choose(Dlg->CB_DevEnOcean_SecType, row.type);
    EXPECT_EQ(Dlg->ClientHeight(), row.client_height);
    const auto pairs = Pairs();
    for (Integer i = 0; i < 7; ++i) {
      EXPECT_EQ(pairs[i].first->Visible(), i < row.pairs_shown) << "pair " << i;
      EXPECT_EQ(pairs[i].second->Visible(), i < row.pairs_shown) << "pair " << i;
    }
    // The button panel stays along the bottom.
    EXPECT_EQ(Dlg->P_Button->Top() + Dlg->P_Button->Height(), row.client_height);
  }
  Dlg->Hide();
}

TEST_F(UEnOcean_Device, HiddenFieldsKeepTheirContents) {
  TestHarness::ShowForm(Dlg.Form);
  User_Choose(Dlg->CB_DevEnOcean_SecType, 2);
  Dlg->E_DevEnOcean_Secure_Key->SetText(u"00112233AABBCCDD");
  Dlg->E_DevEnOcean_Secure_RollCode->SetText(u"42");
  User_Choose(Dlg->CB_DevEnOcean_Secure_CMACAlg, 2);
  User_Choose(Dlg->CB_DevEnOcean_Secure_PTM, 1);
  User_Choose(Dlg->CB_DevEnOcean_SecType, 0);

  EXPECT_FALSE(Dlg->E_DevEnOcean_Secure_Key->Visible());
  const TDevice_Data data = Dlg->Device_Data();
  EXPECT_EQ(data.Secure_Type, 0);
  EXPECT_EQ(data.Key, u"00112233AABBCCDD");
  EXPECT_EQ(data.RollCode, u"42");
  EXPECT_EQ(data.CMACAlg, 2);
  EXPECT_EQ(data.PTM, 1);
  Dlg->Hide();
}

TEST_F(UEnOcean_Device, NoTypeSelectedKeepsTheForm) {
  TestHarness::ShowForm(Dlg.Form);
  User_Choose(Dlg->CB_DevEnOcean_SecType, 1);
  User_Choose(Dlg->CB_DevEnOcean_SecType, -1);
  EXPECT_EQ(Dlg->ClientHeight(), 216);
  EXPECT_TRUE(Dlg->E_DevEnOcean_Secure_Key->Visible());
  EXPECT_FALSE(Dlg->E_DevEnOcean_Secure_RollCode->Visible());
  Dlg->Hide();
}

TEST_F(UEnOcean_Device, ShowingAppliesModeAndTypeAndFocusesTheId) {
  struct Row {
    const char* name;
    Integer mode;
    Integer type;
    const char16_t* title;
    Integer client_height;
  };
  const Row rows[] = {
      {"add, unsecure", 0, 0, u"Add EnOcean Device", 185},
      {"modify, manual setting", 1, 2, u"Modify EnOcean Device", 409},
      {"add again after modify", 0, 1, u"Add EnOcean Device", 216},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // The editor's protocol: Mode and the fields set in code (no change event), then ShowModal.
    Dlg->Mode = row.mode;
    TDevice_Data data;
    data.Id = u"0x0180A2B3";
    data.Secure_Type = row.type;
    data.Key = u"K";
    data.RollCode = u"1";
    Dlg->Show_Device_Data(data);
    TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm& f) {
      EXPECT_EQ(f.Caption(), String(row.title));
      EXPECT_EQ(Dlg->L_SW_Desc->Caption(), String(row.title));
      EXPECT_EQ(f.ClientHeight(), row.client_height);
      EXPECT_EQ(f.ActiveControl(), Dlg->E_DevEnOcean_ID);
      TestHarness::Click(Dlg->Btn_OK);
    });
    EXPECT_EQ(Dlg->ShowModal(), mrOk);
  }
}

TEST_F(UEnOcean_Device, FieldsRoundTripThroughTheDialog) {
  TDevice_Data data;
  data.Id = u" $0180A2B3";
  data.Secure_Type = 2;
  data.Key = u"0123456789ABCDEF";
  data.RollCode = u"0x00FF";
  data.RollCodeAlg = 2;
  data.RollCodeTx = 1;
  data.CMACAlg = 1;
  data.DataCript = 2;
  data.PTM = 1;
  Dlg->Show_Device_Data(data);
  const TDevice_Data back = Dlg->Device_Data();
  EXPECT_EQ(back.Id, data.Id);
  EXPECT_EQ(back.Secure_Type, data.Secure_Type);
  EXPECT_EQ(back.Key, data.Key);
  EXPECT_EQ(back.RollCode, data.RollCode);
  EXPECT_EQ(back.RollCodeAlg, data.RollCodeAlg);
  EXPECT_EQ(back.RollCodeTx, data.RollCodeTx);
  EXPECT_EQ(back.CMACAlg, data.CMACAlg);
  EXPECT_EQ(back.DataCript, data.DataCript);
  EXPECT_EQ(back.PTM, data.PTM);
}

// Esc with a list dropped down closes the list only; the next Esc cancels the dialog.
TEST_F(UEnOcean_Device, EscClosesAnOpenListOnly) {
  TModalResult after_first = mrNone;
  bool list_closed = false;
  TestHarness::ExpectModal(u"TFEnOcean_Device", [&](TCustomForm& f) {
    Dlg->E_DevEnOcean_ID->SetText(u"0180A1B2");
    TComboBox* list = Dlg->CB_DevEnOcean_SecType;
    list->SetFocus();
    list->SetDroppedDown(true);
    ASSERT_TRUE(list->DroppedDown());
    TestHarness::Key(list, VK_ESCAPE);
    TestHarness::ProcessEvents();
    list_closed = !list->DroppedDown();
    after_first = f.ModalResult();
    EXPECT_EQ(Dlg->E_DevEnOcean_ID->Text(), u"0180A1B2");
    if (after_first == mrNone) TestHarness::Key(list, VK_ESCAPE);
  });
  EXPECT_EQ(Dlg->ShowModal(), mrCancel);
  EXPECT_TRUE(list_closed);
  EXPECT_EQ(after_first, mrNone);
}

}  // namespace
