// The communication parameters dialog driven through the GUI test harness: its layout and texts,
// loading "ParGen.xml" (or the defaults) into the fields, the checks in their order, the file OK
// writes, the question of Cancel, the "." of the octet boxes and the wheel over the panel group.
#include "comm/UParGen.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "tests/comm/CommTestSupport.h"

namespace {

class UParGen : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Texts();
    SW_Code = u"KP31A08";
    Path_Conf = Dir.Path();
    File_ParGen = Dir.File(u"ParGen.xml");
    SetWheelScrollLines(3);
  }
  void TearDown() override {
    EXPECT_TRUE(TestHarness::Verify());
    delete Form;
    Path_Conf.clear();
    File_ParGen.clear();
    SetWheelScrollLines(3);
  }

  // The dialog as the program creates it at start-up (constructor, then the creation event).
  TFParGen& Make(TParGen_Variant Variant = ParGen_Build_Variant) {
    delete Form;
    Form = new TFParGen(Application, Variant);
    Form->AfterConstruction();
    return *Form;
  }

  // Shows the dialog modally as the main window does; Script runs while it is up and must close it
  // (or leave it to be cancelled).
  TModalResult Show(const std::function<void(TFParGen&)>& Script) {
    TestHarness::ExpectModal(u"TFParGen", [&](TCustomForm&) {
      Script(*Form);
      if (Form->ModalResult() == mrNone) Form->SetModalResult(mrCancel);
    });
    return Form->ShowModal();
  }

  bool File_Written() const { return FileExists(File_ParGen); }

  TTempFolder Dir;
  TFParGen* Form = nullptr;
};

struct TBounds {
  const char* Name;
  TControl* Control;
  Integer Left, Top, Width, Height;  // -1: not checked (labels size themselves to their text)
  bool Visible;
};

void Expect_Bounds(const std::vector<TBounds>& Rows) {
  for (const TBounds& R : Rows) {
    SCOPED_TRACE(R.Name);
    EXPECT_EQ(R.Control->Left(), R.Left);
    EXPECT_EQ(R.Control->Top(), R.Top);
    if (R.Width >= 0) {
      EXPECT_EQ(R.Control->Width(), R.Width);
    }
    if (R.Height >= 0) {
      EXPECT_EQ(R.Control->Height(), R.Height);
    }
    EXPECT_EQ(R.Control->Visible(), R.Visible);
  }
}

// The panels shown, in stacking order, with their captions.
struct TShown {
  TCategoryPanel* Panel;
  String Caption;
};

// Exactly these panels are shown, stacked from the top in this order, with these captions.
void Expect_Panels(TFParGen& F, const std::vector<TShown>& Shown) {
  Integer top = 0;
  for (size_t i = 0; i < Shown.size(); ++i) {
    SCOPED_TRACE(StringToUtf8(Shown[i].Panel->Name()));
    EXPECT_TRUE(Shown[i].Panel->Visible());
    EXPECT_EQ(Shown[i].Panel->Caption(), Shown[i].Caption);
    EXPECT_EQ(Shown[i].Panel->Top(), top);
    EXPECT_EQ(Shown[i].Panel->TabOrder(), static_cast<Integer>(i));
    top += Shown[i].Panel->Height();
  }
  for (TCategoryPanel* P : F.All_Panels()) {
    bool listed = false;
    for (const TShown& S : Shown) listed = listed || S.Panel == P;
    if (!listed) {
      EXPECT_FALSE(P->Visible()) << StringToUtf8(P->Name());
    }
  }
}

// The panel ends 12 below the bottom of its lowest control, plus the group's header.
void Expect_Panel_Height(TFParGen& F, TCategoryPanel* Panel, Integer Bottom) {
  EXPECT_EQ(Panel->Height(), Bottom + F.CPG->HeaderHeight() + 12) << StringToUtf8(Panel->Name());
}

// The user picks item Index of a list: the list reports it to its parent, as the window system's
// notification does, so the change event runs.
void User_Choose(TComboBox* List, Integer Index) {
  List->SetItemIndex(Index);
  List->Parent()->NotifyCommand(List, CBN_SELCHANGE);
}

// ---- Creation, layout and texts ----------------------------------------------------------------------

TEST_F(UParGen, CreationShowsThePROFIBUSAndEthernetPanels) {
  TFParGen& F = Make();
  EXPECT_EQ(F.Caption(), u"Set Communication");
  EXPECT_EQ(F.ClientWidth(), 460);
  EXPECT_EQ(F.ClientHeight(), 700);
  EXPECT_EQ(F.L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(F.L_SW_Desc->Caption(), u"Set Communication Setting");
  EXPECT_EQ(F.All_Panels().size(), 17u);
  Expect_Panels(F, {{F.CP_PROFIBUS, u"1. PROFIBUS"}, {F.CP_Ethernet, u"2. Ethernet"}});
  // Four rows each: the last field's bottom is 12 + 3 * 28 + 21.
  Expect_Panel_Height(F, F.CP_PROFIBUS, 117);
  Expect_Panel_Height(F, F.CP_Ethernet, 117);
  EXPECT_EQ(F.CPG->HeaderHeight(), 24);
  EXPECT_EQ(F.CP_PROFIBUS->Height(), 153);

  Expect_Bounds({
      {"P_Title", F.P_Title, 0, 0, 460, 69, true},
      {"CPG", F.CPG, 0, 69, 460, 591, true},
      {"P_Button", F.P_Button, 0, 660, 460, 40, true},
      {"Btn_OK", F.Btn_OK, 216, 6, 110, 28, true},
      {"Btn_Cancel", F.Btn_Cancel, 334, 6, 110, 28, true},
      {"L_PROFIBUS_IDDevice", F.L_PROFIBUS_IDDevice, 14, 15, -1, -1, true},
      {"E_PROFIBUS_IDDevice", F.E_PROFIBUS_IDDevice, 191, 12, 238, 21, true},
      {"L_PROFIBUS_Baudrate", F.L_PROFIBUS_Baudrate, 14, 43, -1, -1, true},
      {"CB_PROFIBUS_Baudrate", F.CB_PROFIBUS_Baudrate, 191, 40, 238, 21, true},
      {"E_PROFIBUS_NByte_In", F.E_PROFIBUS_NByte_In, 191, 68, 238, 21, true},
      {"L_PROFIBUS_NByte_Out", F.L_PROFIBUS_NByte_Out, 14, 99, -1, -1, true},
      {"E_PROFIBUS_NByte_Out", F.E_PROFIBUS_NByte_Out, 191, 96, 238, 21, true},
      {"L_Ethernet_IP", F.L_Ethernet_IP, 14, 15, -1, -1, true},
      {"E_Ethernet_IP1", F.E_Ethernet_IP1, 191, 12, 55, 21, true},
      {"dot 1 of IP", F.L_Ethernet_IP_Dots[0], 247, 15, -1, -1, true},
      {"E_Ethernet_IP2", F.E_Ethernet_IP2, 252, 12, 55, 21, true},
      {"E_Ethernet_IP3", F.E_Ethernet_IP3, 313, 12, 55, 21, true},
      {"E_Ethernet_IP4", F.E_Ethernet_IP4, 374, 12, 55, 21, true},
      {"E_Ethernet_SM1", F.E_Ethernet_SM1, 191, 40, 55, 21, true},
      {"CB_Ethernet_En_GAT", F.CB_Ethernet_En_GAT, 14, 70, 170, 17, true},
      {"E_Ethernet_GAT1", F.E_Ethernet_GAT1, 191, 68, 55, 21, true},
      {"CB_Ethernet_DNS", F.CB_Ethernet_DNS, 14, 98, 170, 17, true},
      {"E_Ethernet_DNS4", F.E_Ethernet_DNS4, 374, 96, 55, 21, true},
      {"L_Ethernet_TCP_Port", F.L_Ethernet_TCP_Port, 14, 127, -1, -1, false},
      {"E_Ethernet_TCP_Port", F.E_Ethernet_TCP_Port, 191, 124, 238, 21, false},
      {"L_Ethernet_UDP_Port", F.L_Ethernet_UDP_Port, 14, 155, -1, -1, false},
      {"E_Ethernet_UDP_Port", F.E_Ethernet_UDP_Port, 191, 152, 238, 21, false},
  });
  // The baud rate is fixed: one item, chosen, and the list cannot be used.
  EXPECT_FALSE(F.CB_PROFIBUS_Baudrate->Enabled());
  EXPECT_EQ(F.CB_PROFIBUS_Baudrate->Items()->Count(), 1);
  EXPECT_EQ(F.CB_PROFIBUS_Baudrate->Text(), u"Auto Baudrate");
}

TEST_F(UParGen, TextsComeFromTheTextTable) {
  TFParGen& F = Make();
  struct TRow {
    const char* Name;
    String Actual;
    String Expected;
  };
  const TRow Rows[] = {
      {"OK caption", F.Btn_OK->Caption(), u"OK"},
      {"Cancel caption", F.Btn_Cancel->Caption(), u"Cancel"},
      {"OK hint", F.Btn_OK->Hint(), u"Confirm and Save the current configuration"},
      {"Cancel hint", F.Btn_Cancel->Hint(), u"Exit and Discard the current configuration"},
      {"station label", F.L_PROFIBUS_IDDevice->Caption(), u"ID Device"},
      {"station hint", F.E_PROFIBUS_IDDevice->Hint(), u"Insert the ID Device for the PROFIBUS, between 1 and 125"},
      {"baud rate hint", F.CB_PROFIBUS_Baudrate->Hint(), u"Select the Baudrate of PROFIBUS, fixed to AutoBaudrate"},
      {"output label", F.L_PROFIBUS_NByte_Out->Caption(), u"Number Byte Out"},
      {"IP label", F.L_Ethernet_IP->Caption(), u"IP Address"},
      {"first IP octet hint", F.E_Ethernet_IP1->Hint(), u"Insert First byte of IP Address"},
      {"subnet label", F.L_Ethernet_SM->Caption(), u"SubNet Mask"},
      {"gateway box", F.CB_Ethernet_En_GAT->Caption(), u"Gateway"},
      {"gateway box hint", F.CB_Ethernet_En_GAT->Hint(), u"Enable/disable the Default Gateway"},
      {"last DNS octet hint", F.E_Ethernet_DNS4->Hint(), u"Insert Fourth byte of DNS"},
      {"hidden TCP port", F.L_Ethernet_TCP_Port->Caption(), u"TCP Port"},
      {"panel of no variant", F.L_BACnet_MSTP_Slave_Network->Caption(), u"NetWork"},
      {"password rich edit", F.E_MQTT_Password->Hint(), u"Insert the Password for MQTT"},
      {"CANopen delay", F.E_CANopen_NetOpe_Delay->Hint(),
       u"Insert the Time from Start of Device Before to send the Broadcast Start Remote Node Command, Expressed in "
       u"Seconds"},
      {"design caption of a panel of no variant", F.CP_Modbus_Slave->Caption(), u"Modbus Slave"},
  };
  for (const TRow& R : Rows) EXPECT_EQ(R.Actual, R.Expected) << R.Name;

  // After a change of language the fields follow the new texts; the panel headers keep theirs.
  Text_SL->Put(466, u"Indirizzo IP");
  Text_SL->Put(465, u"Rete");
  Text_SL->Put(400, u"Comunicazione");
  F.Set_Lang();
  EXPECT_EQ(F.L_Ethernet_IP->Caption(), u"Indirizzo IP");
  EXPECT_EQ(F.Caption(), u"Comunicazione");
  EXPECT_EQ(F.CP_Ethernet->Caption(), u"2. Ethernet");
}

// Every show puts the focus into the first field of the top panel, also after OK had it.
TEST_F(UParGen, EachShowFocusesTheFirstField) {
  Make();
  for (int show = 1; show <= 2; ++show) {
    SCOPED_TRACE(show);
    Show([](TFParGen& F) {
      TestHarness::ProcessEvents();
      EXPECT_EQ(F.ActiveControl(), F.E_PROFIBUS_IDDevice);
      F.Btn_OK->SetFocus();
      TestHarness::Click(F.Btn_OK);
    });
  }
}

TEST_F(UParGen, TheClientWidthStaysAfterAResize) {
  TFParGen& F = Make();
  // The user can size the window (its height); the title bar has the system menu only.
  EXPECT_EQ(F.BorderStyle(), bsSizeable);
  EXPECT_EQ(F.BorderIcons(), biSystemMenu);
  F.SetClientWidth(600);
  F.SetClientHeight(500);
  EXPECT_EQ(F.ClientWidth(), 460);
  EXPECT_EQ(F.ClientHeight(), 500);
}

// ---- Loading and saving ----------------------------------------------------------------------------

TEST_F(UParGen, WithoutAFileTheFieldsTakeTheDefaultsAndOKWritesThem) {
  Make();
  TParGen_Values Shown;
  const TModalResult R = Show([&](TFParGen& F) {
    Shown = F.ParGen_Values();
    EXPECT_FALSE(F.Is_Change);
    TestHarness::Click(F.Btn_OK);
  });
  EXPECT_EQ(R, mrOk);
  EXPECT_EQ(Shown, Default_ParGen_Values());
  EXPECT_EQ(Shown.Ethernet_IP[3], u"10");
  EXPECT_FALSE(Shown.Ethernet_EN_GAT);
  ASSERT_TRUE(File_Written());
  EXPECT_EQ(File_Bytes(File_ParGen), Fixture_Bytes("pargen/defaults.xml"));
}

// Loading a file and pressing OK without an edit writes the dialog's form of it: the same bytes for
// a file the dialog wrote, and for a sister variant's file the dialog's elements only.
TEST_F(UParGen, LoadThenOKRewritesTheFile) {
  struct TRow {
    const char* Name;
    const char* Loaded;
    const char* Written;
  };
  const TRow Rows[] = {
      {"defaults", "pargen/defaults.xml", "pargen/defaults.xml"},
      {"gateway and DNS on", "pargen/bank_gateway_dns_on.xml", "pargen/bank_gateway_dns_on.xml"},
      {"values as typed", "forms/typed_values.xml", "forms/typed_values.xml"},
      {"written before", "pargen/other_variant_written.xml", "pargen/other_variant_written.xml"},
      {"sister variant", "pargen/other_variant.xml", "pargen/other_variant_written.xml"},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    Write_Bytes(File_ParGen, Fixture_Bytes(Row.Loaded));
    Make();
    EXPECT_EQ(Show([](TFParGen& F) { TestHarness::Click(F.Btn_OK); }), mrOk);
    EXPECT_EQ(File_Bytes(File_ParGen), Fixture_Bytes(Row.Written));
  }
}

TEST_F(UParGen, FieldsShowTheFileAsItStands) {
  Write_Bytes(File_ParGen, Fixture_Bytes("pargen/gateway_on.xml"));
  Make();
  Show([](TFParGen& F) {
    EXPECT_EQ(F.E_Ethernet_IP1->Text(), u"10");
    EXPECT_EQ(F.E_Ethernet_SM3->Text(), u"0");
    EXPECT_TRUE(F.CB_Ethernet_En_GAT->Checked());
    EXPECT_EQ(F.E_Ethernet_GAT4->Text(), u"10");
    EXPECT_EQ(F.E_Ethernet_DNS1->Text(), u"300");
    EXPECT_FALSE(F.CB_Ethernet_DNS->Checked());
    EXPECT_EQ(F.E_PROFIBUS_IDDevice->Text(), u" 7 ");
    EXPECT_EQ(F.E_PROFIBUS_NByte_In->Text(), u"32");
    EXPECT_EQ(F.E_PROFIBUS_NByte_Out->Text(), u"");
    EXPECT_FALSE(F.Is_Change);
  });
}

TEST_F(UParGen, TypedValuesAreWrittenAsTyped) {
  Make();
  Show([](TFParGen& F) {
    F.E_Ethernet_IP1->SetText(u"010");
    F.E_Ethernet_IP3->SetText(u"1");
    F.E_Ethernet_IP4->SetText(u"2");
    // An unticked gateway is not checked, yet kept.
    F.E_Ethernet_GAT1->SetText(u"300");
    F.E_Ethernet_GAT2->SetText(u"1");
    F.E_Ethernet_GAT3->SetText(u"1");
    F.E_Ethernet_GAT4->SetText(u"1");
    F.CB_Ethernet_DNS->SetChecked(true);
    for (TEdit* E : {F.E_Ethernet_DNS1, F.E_Ethernet_DNS2, F.E_Ethernet_DNS3, F.E_Ethernet_DNS4}) E->SetText(u"10");
    F.E_PROFIBUS_IDDevice->SetText(u" 7");
    F.E_PROFIBUS_NByte_In->SetText(u"0");
    TestHarness::Click(F.Btn_OK);
    EXPECT_EQ(F.ModalResult(), mrOk);
  });
  EXPECT_EQ(File_Bytes(File_ParGen), Fixture_Bytes("forms/typed_values.xml"));
}

// A file that is not well-formed, or holds a character XML cannot carry, is never shown (and so never
// written back without it): the show fails with the XML document's error, naming the file.
TEST_F(UParGen, AMalformedFileFailsTheShowWithTheXmlError) {
  Make();
  for (const char* file : {"pargen/malformed.xml", "pargen/control_character.xml"}) {
    SCOPED_TRACE(file);
    Write_Bytes(File_ParGen, Fixture_Bytes(file));
    try {
      Form->ShowModal();
      ADD_FAILURE() << "shown";
    } catch (const Exception& E) {
      EXPECT_NE(E.Message().find(File_ParGen + u"\" is not well-formed XML"), String::npos) << E.what();
    }
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(File_Bytes(File_ParGen), Fixture_Bytes(file));
  }
}

TEST_F(UParGen, AFileThatCannotBeWrittenShowsTheErrorAndTheDialogStays) {
  File_ParGen = Dir.File(u"gone/ParGen.xml");
  Make();
  const TModalResult R = Show([](TFParGen& F) {
    // The XML document's own error, naming the file.
    TestHarness::ExpectMessageContaining(u"gone/ParGen.xml", mtError);
    TestHarness::Click(F.Btn_OK);
    EXPECT_EQ(F.ModalResult(), mrNone);
    EXPECT_TRUE(F.Visible());
  });
  EXPECT_EQ(R, mrCancel);
  EXPECT_FALSE(File_Written());
}

// ---- Checks -----------------------------------------------------------------------------------------------

// The checks run in this order and the first failure is the one shown: each row makes its own field
// and every field after it fail, and only its own message appears. Nothing is written and the
// dialog stays open.
TEST_F(UParGen, ChecksRunInOrderAndShowTheFirstFailure) {
  struct TRow {
    const char* Name;
    TEdit* TFParGen::*Field;
    const char16_t* Bad;
    Integer Text_Id;
  };
  const TRow Rows[] = {
      {"IP 1", &TFParGen::E_Ethernet_IP1, u"256", 527},
      {"IP 2", &TFParGen::E_Ethernet_IP2, u"", 528},
      {"IP 3", &TFParGen::E_Ethernet_IP3, u"-1", 529},
      {"IP 4", &TFParGen::E_Ethernet_IP4, u"x", 530},
      {"subnet 1", &TFParGen::E_Ethernet_SM1, u"1000", 531},
      {"subnet 2", &TFParGen::E_Ethernet_SM2, u"2.5", 532},
      {"subnet 3", &TFParGen::E_Ethernet_SM3, u"", 533},
      {"subnet 4", &TFParGen::E_Ethernet_SM4, u"256", 534},
      {"gateway 1", &TFParGen::E_Ethernet_GAT1, u"300", 535},
      {"gateway 2", &TFParGen::E_Ethernet_GAT2, u"", 536},
      {"gateway 3", &TFParGen::E_Ethernet_GAT3, u"256", 537},
      {"gateway 4", &TFParGen::E_Ethernet_GAT4, u"a", 538},
      {"DNS 1", &TFParGen::E_Ethernet_DNS1, u"256", 539},
      {"DNS 2", &TFParGen::E_Ethernet_DNS2, u"-5", 540},
      {"DNS 3", &TFParGen::E_Ethernet_DNS3, u"", 541},
      {"DNS 4", &TFParGen::E_Ethernet_DNS4, u"999", 542},
      {"station", &TFParGen::E_PROFIBUS_IDDevice, u"0", 760},
      {"bytes in", &TFParGen::E_PROFIBUS_NByte_In, u"245", 761},
      {"bytes out", &TFParGen::E_PROFIBUS_NByte_Out, u"", 762},
  };
  Make();
  Show([&](TFParGen& F) {
    for (size_t k = 0; k < std::size(Rows); ++k) {
      SCOPED_TRACE(Rows[k].Name);
      F.Show_ParGen_Values(Default_ParGen_Values());
      F.CB_Ethernet_En_GAT->SetChecked(true);
      F.CB_Ethernet_DNS->SetChecked(true);
      for (size_t j = k; j < std::size(Rows); ++j) (F.*Rows[j].Field)->SetText(Rows[j].Bad);
      TestHarness::ExpectMessage(Get_Text(Rows[k].Text_Id), mtError);
      TestHarness::Click(F.Btn_OK);
      EXPECT_EQ(TestHarness::PendingExpectations(), 0);
      EXPECT_EQ(F.ModalResult(), mrNone);
    }
  });
  EXPECT_FALSE(File_Written());
}

// The gateway and DNS octets count only while their boxes are ticked; the station address and the
// byte counts at and beyond their bounds.
TEST_F(UParGen, BoundsOfTheChecks) {
  struct TRow {
    const char* Name;
    std::function<void(TFParGen&)> Edit;
    Integer Text_Id;  // -1: passes
  };
  const TRow Rows[] = {
      {"gateway 300 unticked", [](TFParGen& F) { F.E_Ethernet_GAT1->SetText(u"300"); }, -1},
      {"DNS empty unticked", [](TFParGen& F) { F.E_Ethernet_DNS3->SetText(u""); }, -1},
      {"gateway 255 ticked",
       [](TFParGen& F) {
         F.CB_Ethernet_En_GAT->SetChecked(true);
         F.E_Ethernet_GAT1->SetText(u"255");
       },
       -1},
      {"DNS 0 ticked",
       [](TFParGen& F) {
         F.CB_Ethernet_DNS->SetChecked(true);
         F.E_Ethernet_DNS4->SetText(u"0");
       },
       -1},
      {"station 1", [](TFParGen& F) { F.E_PROFIBUS_IDDevice->SetText(u"1"); }, -1},
      {"station 125", [](TFParGen& F) { F.E_PROFIBUS_IDDevice->SetText(u"125"); }, -1},
      {"station 126", [](TFParGen& F) { F.E_PROFIBUS_IDDevice->SetText(u"126"); }, 760},
      {"station with a trailing blank", [](TFParGen& F) { F.E_PROFIBUS_IDDevice->SetText(u"7 "); }, 760},
      {"station with a leading blank", [](TFParGen& F) { F.E_PROFIBUS_IDDevice->SetText(u" 7"); }, -1},
      {"station in 0x hexadecimal", [](TFParGen& F) { F.E_PROFIBUS_IDDevice->SetText(u"0x0A"); }, 760},
      {"IP 1 in $ hexadecimal", [](TFParGen& F) { F.E_Ethernet_IP1->SetText(u"$10"); }, 527},
      {"bytes in in x hexadecimal", [](TFParGen& F) { F.E_PROFIBUS_NByte_In->SetText(u"x10"); }, 761},
      {"bytes in 0", [](TFParGen& F) { F.E_PROFIBUS_NByte_In->SetText(u"0"); }, -1},
      {"bytes out 244", [](TFParGen& F) { F.E_PROFIBUS_NByte_Out->SetText(u"244"); }, -1},
      {"bytes out 245", [](TFParGen& F) { F.E_PROFIBUS_NByte_Out->SetText(u"245"); }, 762},
  };
  Make();
  Show([&](TFParGen& F) {
    for (const TRow& Row : Rows) {
      SCOPED_TRACE(Row.Name);
      F.Show_ParGen_Values(Default_ParGen_Values());
      Row.Edit(F);
      if (Row.Text_Id >= 0) TestHarness::ExpectMessage(Get_Text(Row.Text_Id), mtError);
      EXPECT_EQ(F.Controllo_Dati(), Row.Text_Id < 0);
      EXPECT_EQ(TestHarness::PendingExpectations(), 0);
    }
  });
}

// ---- Leaving ------------------------------------------------------------------------------------------------

TEST_F(UParGen, CancelAsksOnlyAfterAChange) {
  const String Question = u"Do you want to exit and discard the changes?";
  struct TRow {
    const char* Name;
    const char* File;  // nullptr: none
    std::function<void(TFParGen&)> Edit;
    bool Asks;
  };
  const TRow Rows[] = {
      {"defaults, no edit", nullptr, nullptr, false},
      {"file, no edit", "pargen/bank_gateway_dns_on.xml", nullptr, false},
      {"typed into an octet", nullptr, [](TFParGen& F) { TestHarness::TypeText(F.E_Ethernet_IP4, u"1"); }, true},
      {"ticked a box", nullptr, [](TFParGen& F) { TestHarness::Click(F.CB_Ethernet_DNS); }, true},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    if (Row.File) Write_Bytes(File_ParGen, Fixture_Bytes(Row.File));
    else DeleteFile(File_ParGen);
    Make();
    const size_t Shown_Before = TestHarness::ShownMessages().size();
    const TModalResult R = Show([&](TFParGen& F) {
      if (Row.Edit) {
        Row.Edit(F);
        EXPECT_TRUE(F.Is_Change);
        // No: the dialog stays with the fields as they are; Yes: it closes.
        TestHarness::ExpectMessage(Question, mtConfirmation, mrNo);
        TestHarness::Click(F.Btn_Cancel);
        EXPECT_EQ(F.ModalResult(), mrNone);
        TestHarness::ExpectMessage(Question, mtConfirmation, mrYes);
      }
      TestHarness::Click(F.Btn_Cancel);
      EXPECT_EQ(F.ModalResult(), mrCancel);
    });
    EXPECT_EQ(R, mrCancel);
    EXPECT_EQ(TestHarness::ShownMessages().size() - Shown_Before, Row.Asks ? 2u : 0u);
  }
}

// The close box leaves without a question and without saving, also after a change.
TEST_F(UParGen, TheCloseBoxLeavesWithoutAskingOrSaving) {
  Make();
  const TModalResult R = Show([](TFParGen& F) {
    TestHarness::TypeText(F.E_PROFIBUS_IDDevice, u"9");
    EXPECT_TRUE(F.Is_Change);
    F.Close();
  });
  EXPECT_EQ(R, mrCancel);
  EXPECT_TRUE(TestHarness::ShownMessages().empty());
  EXPECT_FALSE(File_Written());
}

// ---- The "." of the octet boxes -----------------------------------------------------------------------

TEST_F(UParGen, DotMovesAlongTheEthernetOctetsAndNeverEntersTheText) {
  Make();
  Show([](TFParGen& F) {
    const std::array<TEdit*, 16> Chain = F.Ethernet_Octet_Chain();
    for (size_t i = 0; i < Chain.size(); ++i) {
      TEdit* Box = Chain[i];
      SCOPED_TRACE(StringToUtf8(Box->Name()));
      const String Before = Box->Text();
      Box->SetFocus();
      TestHarness::KeyWithText(Box, VK_OEM_PERIOD, TShiftState(), u".");
      EXPECT_EQ(Box->Text(), Before);
      // The last box keeps the focus.
      TEdit* Expected = i + 1 < Chain.size() ? Chain[i + 1] : Box;
      EXPECT_EQ(FocusedControl(), Expected);
    }
  });
}

TEST_F(UParGen, TypingAnAddressWithDots) {
  Make();
  Show([](TFParGen& F) {
    F.E_Ethernet_IP1->SetText(u"");
    F.E_Ethernet_IP2->SetText(u"");
    F.E_Ethernet_IP1->SetFocus();
    TestHarness::TypeText(F.E_Ethernet_IP1, u"192");
    TestHarness::KeyWithText(F.E_Ethernet_IP1, VK_OEM_PERIOD, TShiftState(), u".");
    ASSERT_EQ(FocusedControl(), F.E_Ethernet_IP2);
    TestHarness::TypeText(F.E_Ethernet_IP2, u"168");
    EXPECT_EQ(F.E_Ethernet_IP1->Text(), u"192");
    EXPECT_EQ(F.E_Ethernet_IP2->Text(), u"168");
  });
}

TEST_F(UParGen, DotStaysWhenTheNextBoxCannotTakeTheFocus) {
  Make();
  Show([](TFParGen& F) {
    F.E_Ethernet_SM1->SetEnabled(false);
    F.E_Ethernet_IP4->SetFocus();
    TestHarness::KeyWithText(F.E_Ethernet_IP4, VK_OEM_PERIOD, TShiftState(), u".");
    EXPECT_EQ(FocusedControl(), F.E_Ethernet_IP4);
    EXPECT_EQ(F.E_Ethernet_IP4->Text(), u"10");
  });
}

// Every octet edit of every panel discards the dot; outside the Ethernet panel the focus stays.
TEST_F(UParGen, EveryOctetEditOfEveryPanelDiscardsTheDot) {
  TFParGen& F = Make();
  Integer Octets = 0;
  for (Integer i = 0; i < F.ComponentCount(); ++i) {
    auto* E = dynamic_cast<TEdit*>(F.Components(i));
    if (!E || E->Width() != 55) continue;
    SCOPED_TRACE(StringToUtf8(E->Name()));
    ++Octets;
    ASSERT_TRUE(E->OnKeyPress);
    Char Key = u'.';
    E->OnKeyPress(E, Key);
    EXPECT_EQ(Key, 0);
    Char Digit = u'5';
    E->OnKeyPress(E, Digit);
    EXPECT_EQ(Digit, u'5');
  }
  EXPECT_EQ(Octets, 76);

  Make(pv31A09);
  Show([](TFParGen& P) {
    P.E_PROFINET_IP4->SetFocus();
    TestHarness::KeyWithText(P.E_PROFINET_IP4, VK_OEM_PERIOD, TShiftState(), u".");
    EXPECT_EQ(FocusedControl(), P.E_PROFINET_IP4);
    EXPECT_EQ(P.E_PROFINET_IP4->Text(), u"5");
  });
}

// ---- The wheel -------------------------------------------------------------------------------------------

// Each wheel line over the panel group sends it a line request and an end-of-scroll request; the
// wheel elsewhere on the dialog leaves it alone.
TEST_F(UParGen, WheelOverThePanelGroupScrollsItLineByLine) {
  Make(pv31A07);
  std::vector<Integer> Requests;
  Form->CPG->SetWindowProc([&](TMessage& M) {
    if (M.Msg == WM_VSCROLL) Requests.push_back(static_cast<Integer>(M.WParam & 0xFFFF));
    Form->CPG->WndProc(M);
  });
  Show([&](TFParGen& F) {
    // Will, TLS and both authentications on: the panels are taller than the group.
    F.CB_MQTT_WillFlag->SetChecked(true);
    F.CB_TLS_Enable->SetChecked(true);
    F.CB_TLS_En_Server_Auth->SetChecked(true);
    F.CB_TLS_En_Client_Auth->SetChecked(true);
    ASSERT_TRUE(F.CPG->ScrollBarVisible());
    const Integer Step = F.CPG->ScrollLine();
    const TPoint Middle(F.CPG->Width() / 2, F.CPG->Height() / 2);

    TestHarness::Wheel(F.CPG, -120, Middle);
    EXPECT_EQ(Requests, (std::vector<Integer>{SB_LINEDOWN, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL, SB_LINEDOWN,
                                              SB_ENDSCROLL}));
    EXPECT_EQ(F.CPG->ScrollPos(), 3 * Step);

    Requests.clear();
    SetWheelScrollLines(1);
    TestHarness::Wheel(F.CPG, 120, Middle);
    EXPECT_EQ(Requests, (std::vector<Integer>{SB_LINEUP, SB_ENDSCROLL}));
    EXPECT_EQ(F.CPG->ScrollPos(), 2 * Step);

    // Over the button panel, or with no wheel lines set, nothing scrolls.
    Requests.clear();
    TestHarness::Wheel(F.P_Button, -120, TPoint(5, 5));
    SetWheelScrollLines(0);
    TestHarness::Wheel(F.CPG, -120, Middle);
    EXPECT_TRUE(Requests.empty());
    EXPECT_EQ(F.CPG->ScrollPos(), 2 * Step);
  });
  Form->CPG->SetWindowProc(nullptr);
}

// ---- The variants' panels --------------------------------------------------------------------------------

TEST_F(UParGen, Variant31A05ModbusTCPSlave) {
  TFParGen& F = Make(pv31A05);
  Expect_Panels(F, {{F.CP_Modbus_TCP_Slave, u"1. Modbus TCP Slave"}});
  Expect_Panel_Height(F, F.CP_Modbus_TCP_Slave, 117);
  Expect_Bounds({
      {"E_ModbusTCPSlave_IP1", F.E_ModbusTCPSlave_IP1, 191, 12, 55, 21, true},
      {"CB_ModbusTCPSlave_En_GAT", F.CB_ModbusTCPSlave_En_GAT, 14, 70, 170, 17, true},
      {"E_ModbusTCPSlave_Port", F.E_ModbusTCPSlave_Port, 191, 96, 238, 21, true},
  });
  EXPECT_EQ(F.E_ModbusTCPSlave_Port->Text(), u"502");
  EXPECT_EQ(F.E_ModbusTCPSlave_SM4->Text(), u"5");
}

TEST_F(UParGen, Variant31A06BACnetSlaveSwitchesWithItsType) {
  TFParGen& F = Make(pv31A06);
  const std::vector<TControl*> IP_Rows = {F.L_BACnet_IP_Slave_IP,   F.E_BACnet_IP_Slave_IP4,
                                          F.L_BACnet_IP_Slave_IP_Dots[2], F.CB_BACnet_IP_Slave_GAT,
                                          F.E_BACnet_IP_Slave_GAT1, F.E_BACnet_IP_Slave_Port,
                                          F.E_BACnet_IP_Slave_Device_Name, F.L_BACnet_IP_Slave_Device_Identifier};
  const std::vector<TControl*> MSTP_Rows = {F.L_BACnet_MSTP_Slave_Baudrate, F.CB_BACnet_MSTP_Slave_Baudrate,
                                            F.CB_BACnet_MSTP_Slave_Parity,  F.E_BACnet_MSTP_Slave_MAC_Address,
                                            F.L_BACnet_MSTP_Slave_Network,  F.E_BACnet_MSTP_Slave_Network};
  const auto Expect_Visible = [](const std::vector<TControl*>& Controls, bool Visible) {
    for (TControl* C : Controls) EXPECT_EQ(C->Visible(), Visible) << StringToUtf8(C->Name());
  };
  struct TStep {
    const char* Name;
    Integer Type;
  };
  // BACnet/IP at creation, MS/TP after the user's choice, and back.
  for (const TStep& S : {TStep{"BACnet/IP", -1}, TStep{"BACnet MS/TP", 1}, TStep{"BACnet/IP again", 0}}) {
    SCOPED_TRACE(S.Name);
    if (S.Type >= 0) {
      F.Is_Change = false;
      User_Choose(F.CB_BACnet_Slave_Type, S.Type);
      EXPECT_TRUE(F.Is_Change);
    }
    const bool IP = F.CB_BACnet_Slave_Type->ItemIndex() == 0;
    Expect_Visible(IP_Rows, IP);
    Expect_Visible(MSTP_Rows, !IP);
    EXPECT_FALSE(F.E_Ethernet_TCP_Port->Visible());
    if (IP) {
      // The description box follows the device identifier; the Ethernet panel is not needed.
      Expect_Panels(F, {{F.CP_BACnet_Slave, u"1. BACnet Slave"}});
      EXPECT_EQ(F.CB_BACnet_Slave_Desc_32_Chars->Top(), F.L_BACnet_IP_Slave_Device_Identifier->Top() + 28);
      EXPECT_EQ(F.CB_BACnet_Slave_Desc_32_Chars->Top(), 211);
    } else {
      // The MS/TP rows take the place of the BACnet/IP rows, 28 apart; the Ethernet panel follows.
      Expect_Panels(F, {{F.CP_BACnet_Slave, u"1. BACnet Slave"}, {F.CP_Ethernet, u"2. Ethernet"}});
      Expect_Bounds({
          {"L_BACnet_MSTP_Slave_Baudrate", F.L_BACnet_MSTP_Slave_Baudrate, 14, 43, -1, -1, true},
          {"CB_BACnet_MSTP_Slave_Baudrate", F.CB_BACnet_MSTP_Slave_Baudrate, 191, 40, 238, 21, true},
          {"L_BACnet_MSTP_Slave_Parity", F.L_BACnet_MSTP_Slave_Parity, 14, 71, -1, -1, true},
          {"E_BACnet_MSTP_Slave_Device_Name", F.E_BACnet_MSTP_Slave_Device_Name, 191, 96, 238, 21, true},
          {"L_BACnet_MSTP_Slave_Network", F.L_BACnet_MSTP_Slave_Network, 14, 239, -1, -1, true},
          {"E_BACnet_MSTP_Slave_Network", F.E_BACnet_MSTP_Slave_Network, 191, 236, 238, 21, true},
          {"CB_BACnet_Slave_Desc_32_Chars", F.CB_BACnet_Slave_Desc_32_Chars, 14, 267, 415, 17, true},
      });
      Expect_Panel_Height(F, F.CP_Ethernet, 117);
    }
    Expect_Panel_Height(F, F.CP_BACnet_Slave,
                        F.CB_BACnet_Slave_Desc_32_Chars->Top() + F.CB_BACnet_Slave_Desc_32_Chars->Height());
  }
}

TEST_F(UParGen, Variant31A07MQTTFollowsTheWillAndTLSBoxes) {
  TFParGen& F = Make(pv31A07);
  const auto Expect_Stack = [&] {
    Expect_Panels(F, {{F.CP_MQTT, u"1. MQTT "},
                      {F.CP_Ethernet, u"2. Ethernet"},
                      {F.CP_TLS, u"3. TLS (Transport Layer Security)"},
                      {F.CP_NTP, u"4. NTP (Network Time Protocol)"}});
    EXPECT_FALSE(F.L_MQTT_ASync_Send_Time->Visible());
    EXPECT_FALSE(F.E_MQTT_ASync_Send_Time->Visible());
    EXPECT_FALSE(F.L_Ethernet_UDP_Port->Visible());
    Expect_Panel_Height(F, F.CP_MQTT, F.E_MQTT_Password->Top() + 21);
    Expect_Panel_Height(F, F.CP_Ethernet, 117);
    Expect_Panel_Height(F, F.CP_NTP, 12 + 28 + 21);
  };

  // Will off: the username row takes the will topic's place.
  Expect_Stack();
  Expect_Bounds({
      {"L_MQTT_Will_TopicName", F.L_MQTT_Will_TopicName, 14, 183, -1, -1, false},
      {"CB_MQTT_Will_QoS", F.CB_MQTT_Will_QoS, 191, 264, 238, 21, false},
      {"L_MQTT_Username", F.L_MQTT_Username, 14, 183, -1, -1, true},
      {"E_MQTT_Username", F.E_MQTT_Username, 191, 180, 238, 21, true},
      {"L_MQTT_Password", F.L_MQTT_Password, 14, 211, -1, -1, true},
      {"E_MQTT_Password", F.E_MQTT_Password, 191, 208, 238, 21, true},
  });
  // Will on: the will rows show and the username follows the QoS row.
  F.Is_Change = false;
  TestHarness::Click(F.CB_MQTT_WillFlag);
  EXPECT_TRUE(F.CB_MQTT_WillFlag->Checked());
  EXPECT_TRUE(F.Is_Change);
  Expect_Stack();
  Expect_Bounds({
      {"L_MQTT_Will_TopicName", F.L_MQTT_Will_TopicName, 14, 183, -1, -1, true},
      {"CB_MQTT_Will_Retained", F.CB_MQTT_Will_Retained, 14, 238, 415, 17, true},
      {"CB_MQTT_Will_QoS", F.CB_MQTT_Will_QoS, 191, 264, 238, 21, true},
      {"L_MQTT_Username", F.L_MQTT_Username, 14, 295, -1, -1, true},
      {"E_MQTT_Username", F.E_MQTT_Username, 191, 292, 238, 21, true},
      {"E_MQTT_Password", F.E_MQTT_Password, 191, 320, 238, 21, true},
  });
  F.CB_MQTT_WillFlag->SetChecked(false);
  EXPECT_EQ(F.L_MQTT_Username->Top(), 183);

  // TLS: the boxes below the enable box, and the certificate rows under their boxes.
  struct TTLS {
    const char* Name;
    bool Enable, Server, Client;
    Integer Client_Box_Top;  // -1: hidden
    Integer Bottom;          // of the lowest control shown
  };
  const TTLS Cases[] = {
      {"disabled", false, true, true, -1, 12 + 2 + 17},
      {"enabled, no authentication", true, false, false, 42 + 28, 42 + 28 + 17},
      {"server authentication only", true, true, false, 68 + 28, 68 + 28 + 17},
      {"client authentication only", true, false, true, 70, 70 + 84 - 3 + 21},
      {"both authentications", true, true, true, 96, 96 + 84 - 3 + 21},
  };
  for (const TTLS& C : Cases) {
    SCOPED_TRACE(C.Name);
    F.CB_TLS_En_Server_Auth->SetChecked(C.Server);
    F.CB_TLS_En_Client_Auth->SetChecked(C.Client);
    F.CB_TLS_Enable->SetChecked(C.Enable);
    EXPECT_EQ(F.CB_TLS_En_Server_Auth->Visible(), C.Enable);
    EXPECT_EQ(F.E_TLS_Server_Cert->Visible(), C.Enable && C.Server);
    EXPECT_EQ(F.CB_TLS_En_Client_Auth->Visible(), C.Client_Box_Top >= 0);
    for (TControl* Row : {static_cast<TControl*>(F.L_TLS_Client_Cert), static_cast<TControl*>(F.E_TLS_Client_Cert_Key),
                          static_cast<TControl*>(F.E_TLS_Client_Cert_Key_Pass)})
      EXPECT_EQ(Row->Visible(), C.Enable && C.Client) << StringToUtf8(Row->Name());
    if (C.Client_Box_Top >= 0) {
      EXPECT_EQ(F.CB_TLS_En_Client_Auth->Top(), C.Client_Box_Top);
    }
    if (C.Enable && C.Client) {
      // The three client rows 28 apart below the box, each field 3 above its label.
      const Integer Y = C.Client_Box_Top;
      Expect_Bounds({
          {"L_TLS_Client_Cert", F.L_TLS_Client_Cert, 14, Y + 28, -1, -1, true},
          {"E_TLS_Client_Cert", F.E_TLS_Client_Cert, 191, Y + 25, 238, 21, true},
          {"L_TLS_Client_Cert_Key", F.L_TLS_Client_Cert_Key, 14, Y + 56, -1, -1, true},
          {"E_TLS_Client_Cert_Key_Pass", F.E_TLS_Client_Cert_Key_Pass, 191, Y + 81, 238, 21, true},
      });
    }
    Expect_Panel_Height(F, F.CP_TLS, C.Bottom);
    Expect_Stack();
  }
}

TEST_F(UParGen, Variant31A09PROFINET) {
  TFParGen& F = Make(pv31A09);
  Expect_Panels(F, {{F.CP_PROFINET, u"1. PROFINET"}});
  Expect_Panel_Height(F, F.CP_PROFINET, 12 + 7 * 28 + 21);
  Expect_Bounds({
      {"CB_PROFINET_Diagnostic", F.CB_PROFINET_Diagnostic, 14, 210, 170, 17, true},
      {"E_PROFINET_Diagnostic", F.E_PROFINET_Diagnostic, 191, 208, 238, 21, true},
  });
  EXPECT_EQ(F.E_PROFINET_NameStation->MaxLength(), 15);
  EXPECT_EQ(F.E_PROFINET_NameStation->CharCase(), ecLowerCase);
  EXPECT_EQ(F.E_PROFINET_NameStation->Text(), u"devicename1");
}

}  // namespace
