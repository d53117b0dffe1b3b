// The update dialog driven through the GUI test harness: its layouts, texts and address boxes, the
// reachability check with a fake ICMP client on a fake clock, the parameter file and the start of
// the update tool (a fake start, or a real stand-in script where the order of file and start
// matters).
#include "comm/UBoot.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "platform/os/Clock.h"
#include "platform/os/Icmp.h"
#include "platform/os/Process.h"
#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"
#include "tests/comm/CommTestSupport.h"

namespace {

// What the fake device does with each request, in turn; the last behaviour repeats.
enum TBehaviour { Answer, Silence, Unreachable };

class TFakeIcmp : public IIcmpClient {
 public:
  TFakeIcmp(TManualClock& Clock, std::vector<TBehaviour> Script)
      : FClock(Clock), FScript(std::move(Script)) {
    FOld = SetIcmpClient(this);
  }
  ~TFakeIcmp() override { SetIcmpClient(FOld); }

  TIcmpReply Ping(const String& host, const std::string& data, Integer packetSize,
                  Cardinal timeoutMs) override {
    Hosts.push_back(host);
    (void)data;
    (void)packetSize;
    const TBehaviour B = FScript[std::min(Calls, FScript.size() - 1)];
    ++Calls;
    if (OnPing) OnPing();
    TIcmpReply R;
    R.Address = host;
    switch (B) {
      case Answer:
        FClock.Advance(5);
        R.BytesReceived = 1032;
        R.TimeMs = 5;
        break;
      case Silence:
        FClock.Advance(timeoutMs);
        R.TimeMs = timeoutMs;
        break;
      case Unreachable:
        throw EIcmpError(u"cannot resolve " + host);
    }
    return R;
  }

  size_t Calls = 0;
  std::vector<String> Hosts;
  // Runs inside every request, before its answer (what a user does while the check runs).
  std::function<void()> OnPing;

 private:
  TManualClock& FClock;
  std::vector<TBehaviour> FScript;
  IIcmpClient* FOld = nullptr;
};

// Records the starts of the update tool instead of starting anything.
class TFakeToolStart {
 public:
  TFakeToolStart() {
    FOld = SetStartProgramFunction([this](const String& Program, const String& Parameters, bool Show,
                                          Cardinal Timeout, Integer& ExitCode) {
      Programs.push_back(Program);
      Params.push_back(Parameters);
      Shown = Show;
      Time_Limit = Timeout;
      ExitCode = 0;
      return psExited;
    });
  }
  ~TFakeToolStart() { SetStartProgramFunction(FOld); }

  std::vector<String> Programs;
  std::vector<String> Params;
  bool Shown = false;
  Cardinal Time_Limit = 0;

 private:
  TStartProgramFunction FOld;
};

// Starts the tool for real, on the real clock: the fake clock of the check would otherwise run out
// the tool's time limit without waiting for it.
class TRealToolStart {
 public:
  TRealToolStart() {
    FOld = SetStartProgramFunction([this](const String& Program, const String& Parameters, bool Show,
                                          Cardinal Timeout, Integer& ExitCode) {
      ++Starts;
      TStartProgramFunction Self = SetStartProgramFunction(nullptr);
      TTickCountFunction Tick = SetTickCountFunction(nullptr);
      TSleepFunction Pause = SetSleepFunction(nullptr);
      const TProgramStatus Status = StartProgram(Program, Parameters, Show, Timeout, ExitCode);
      SetSleepFunction(Pause);
      SetTickCountFunction(Tick);
      SetStartProgramFunction(Self);
      Last_Status = Status;
      return Status;
    });
  }
  ~TRealToolStart() { SetStartProgramFunction(FOld); }

  Integer Starts = 0;
  TProgramStatus Last_Status = psStartFailed;

 private:
  TStartProgramFunction FOld;
};

class UBoot : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Texts();
    SW_Code = u"KP31A08";
    Path_Program = Dir.Path();
    // The paths the parameter file's golden files name; only the tool would open them.
    Path_Master = u"/opt/kp/MASTER";
    Path_Conf = u"/opt/kp/PROJECTS/Plant A";
    Last_IP_Address = u"10.1.1.1";
    Update_Option = 0;
    Update_Read_Back = true;
    Form = new TFBoot(Application);
    Form->AfterConstruction();
    Form->Com_Device_Folder = Ports.Path();
  }
  void TearDown() override {
    EXPECT_TRUE(TestHarness::Verify());
    delete Form;
    Path_Program.clear();
    Path_Master.clear();
    Path_Conf.clear();
    Last_IP_Address = Def_Last_IP_Address;
    Update_Option = 0;
    Update_Read_Back = true;
  }

  void Show(Integer Form_Type = Boot_Form_Ethernet) {
    Form->Form_Type = Form_Type;
    Form->Hide();
    TestHarness::ShowForm(Form);
  }
  void Set_Address(const String& A, const String& B, const String& C, const String& D) {
    Form->E_IP1->SetText(A);
    Form->E_IP2->SetText(B);
    Form->E_IP3->SetText(C);
    Form->E_IP4->SetText(D);
  }
  std::vector<String> Boxes() const {
    return {Form->E_IP1->Text(), Form->E_IP2->Text(), Form->E_IP3->Text(), Form->E_IP4->Text()};
  }
  String Lan_Uploader_Xml() const { return Dir.File(u"Lan_Uploader.xml"); }
  // Puts an executable (or, with Executable false, a plain) file in place of the update tool.
  void Put_Tool(const std::string& Script, bool Executable = true) const {
    const String Tool = Dir.File(u"Lan_Uploader.exe");
    Write_Bytes(Tool, Script);
    ::chmod(StringToUtf8(Tool).c_str(), Executable ? 0755 : 0644);
  }

  TTempFolder Dir;
  TTempFolder Ports;  // no serial ports in it
  TFBoot* Form = nullptr;
};

struct TBounds {
  const char* Name;
  TControl* Control;
  Integer Left, Top, Width, Height;
  bool Visible;
};

void Expect_Bounds(const std::vector<TBounds>& Rows) {
  for (const TBounds& R : Rows) {
    SCOPED_TRACE(R.Name);
    EXPECT_EQ(R.Control->Left(), R.Left);
    EXPECT_EQ(R.Control->Top(), R.Top);
    EXPECT_EQ(R.Control->Width(), R.Width);
    EXPECT_EQ(R.Control->Height(), R.Height);
    EXPECT_EQ(R.Control->Visible(), R.Visible);
  }
}

// The Ethernet layout stacks title, address, options and buttons (69 + 49 + 72 + 40); the serial
// one title, serial port, options and buttons (69 + 51 + 72 + 40). Each show lays the dialog out
// anew, whatever the layout before it was.
TEST_F(UBoot, LayoutsStackTheirPanels) {
  TFBoot& F = *Form;
  const std::vector<TBounds> Ethernet = {
      {"P_Title", F.P_Title, 0, 0, 449, 69, true},
      {"P_IP_Address", F.P_IP_Address, 0, 69, 449, 49, true},
      {"P_Options", F.P_Options, 0, 118, 449, 72, true},
      {"P_Button", F.P_Button, 0, 190, 449, 40, true},
      {"P_Serial", F.P_Serial, 0, 118, 449, 51, false},
      {"P_Eth_Search", F.P_Eth_Search, 0, 169, 449, 184, false},
      {"E_IP1", F.E_IP1, 16, 22, 41, 21, true},
      {"E_IP2", F.E_IP2, 66, 22, 41, 21, true},
      {"E_IP3", F.E_IP3, 116, 22, 41, 21, true},
      {"E_IP4", F.E_IP4, 166, 22, 41, 21, true},
      {"CB_Update_Options", F.CB_Update_Options, 16, 22, 228, 22, true},
      {"CB_Update_Option_Read_Back", F.CB_Update_Option_Read_Back, 16, 50, 300, 17, true},
      {"Btn_Cancel", F.Btn_Cancel, 16, 6, 110, 28, true},
      {"Btn_Update", F.Btn_Update, 205, 6, 228, 28, true},
  };
  const std::vector<TBounds> Serial = {
      {"P_Title", F.P_Title, 0, 0, 449, 69, true},
      {"P_Serial", F.P_Serial, 0, 69, 449, 51, true},
      {"P_Options", F.P_Options, 0, 120, 449, 72, true},
      {"P_Button", F.P_Button, 0, 192, 449, 40, true},
      {"P_IP_Address", F.P_IP_Address, 0, 69, 449, 49, false},
      {"P_Eth_Search", F.P_Eth_Search, 0, 169, 449, 184, false},
      {"CB_COM_Port", F.CB_COM_Port, 16, 22, 145, 22, true},
      {"Btn_COM_List", F.Btn_COM_List, 167, 20, 26, 26, true},
  };
  struct TStep {
    const char* Name;
    Integer Form_Type;
    Integer Width, Height;
    const std::vector<TBounds>* Bounds;
  };
  const TStep Steps[] = {
      {"Ethernet first", Boot_Form_Ethernet, 449, 230, &Ethernet},
      {"serial after Ethernet", Boot_Form_Serial, 449, 232, &Serial},
      {"Ethernet after serial", Boot_Form_Ethernet, 449, 230, &Ethernet},
      {"serial again", Boot_Form_Serial, 449, 232, &Serial},
  };
  for (const TStep& S : Steps) {
    SCOPED_TRACE(S.Name);
    Show(S.Form_Type);
    EXPECT_EQ(F.ClientWidth(), S.Width);
    EXPECT_EQ(F.ClientHeight(), S.Height);
    Expect_Bounds(*S.Bounds);
  }

  // Any other layout shows none of the four middle panels.
  Show(7);
  for (TControl* Panel : {F.P_IP_Address, F.P_Serial, F.P_Eth_Search, F.P_Options}) {
    SCOPED_TRACE(StringToUtf8(Panel->Name()));
    EXPECT_FALSE(Panel->Visible());
  }
}

TEST_F(UBoot, TabOrderOfThePanelsPerLayout) {
  TFBoot& F = *Form;
  struct TRow {
    const char* Name;
    Integer Form_Type;
    std::vector<TWinControl*> Order;
  };
  const TRow Rows[] = {
      {"Ethernet", Boot_Form_Ethernet,
       {F.P_Title, F.P_IP_Address, F.P_Eth_Search, F.P_Options, F.P_Button, F.P_Serial}},
      {"serial", Boot_Form_Serial,
       {F.P_Title, F.P_Serial, F.P_Options, F.P_Button, F.P_IP_Address, F.P_Eth_Search}},
  };
  for (const TRow& R : Rows) {
    SCOPED_TRACE(R.Name);
    Show(R.Form_Type);
    for (size_t i = 0; i < R.Order.size(); ++i) {
      SCOPED_TRACE(StringToUtf8(R.Order[i]->Name()));
      EXPECT_EQ(R.Order[i]->TabOrder(), static_cast<Integer>(i));
    }
  }
}

TEST_F(UBoot, TextsOfTheLayouts) {
  TFBoot& F = *Form;
  Show(Boot_Form_Ethernet);
  EXPECT_EQ(F.Caption(), u"Update Device by Ethernet (UDP)");
  EXPECT_EQ(F.L_SW_Desc->Caption(), u"Update Device Using the Ethernet Port");
  EXPECT_EQ(F.L_SW_Code->Caption(), u"KP31A08");
  struct TRow {
    const char* Name;
    String Actual;
    String Expected;
  };
  const TRow Rows[] = {
      {"L_IP_Address", F.L_IP_Address->Caption(), u"Insert the IP Address of Device"},
      {"E_IP1 hint", F.E_IP1->Hint(), u"Insert first byte of IP Address"},
      {"E_IP4 hint", F.E_IP4->Hint(), u"Insert fourth byte of IP Address"},
      {"L_Update_Option", F.L_Update_Option->Caption(), u"Select Update Options"},
      {"CB_Update_Options hint", F.CB_Update_Options->Hint(), u"Select the operation to do in update"},
      {"CB_Update_Option_Read_Back", F.CB_Update_Option_Read_Back->Caption(), u"Read Back"},
      {"Btn_Cancel", F.Btn_Cancel->Caption(), u"Cancel"},
      {"Btn_Cancel hint", F.Btn_Cancel->Hint(), u"Exit without to do the Update"},
      {"Btn_Update", F.Btn_Update->Caption(), u"Execute Update Firmware"},
      {"Btn_Update hint", F.Btn_Update->Hint(), u"Start the update of Device"},
      {"L_List_Device", F.L_List_Device->Caption(), u"List of Devices Find in Network"},
      {"Btn_Search", F.Btn_Search->Caption(), u"Search"},
      {"CB_Find_All_TVL", F.CB_Find_All_TVL->Caption(), u"Find all Tavrel Devices"},
      // The serial panel keeps the texts of its design.
      {"L_COM_Port", F.L_COM_Port->Caption(), u"Select the COM port for the Update"},
      {"Btn_COM_List hint", F.Btn_COM_List->Hint(), u"Update COM Ports List"},
  };
  for (const TRow& R : Rows) {
    SCOPED_TRACE(R.Name);
    EXPECT_EQ(R.Actual, R.Expected);
  }
  ASSERT_EQ(F.CB_Update_Options->Items()->Count(), 3);
  EXPECT_EQ(F.CB_Update_Options->Items()->Strings(0), u"Firmware + Configuration");
  EXPECT_EQ(F.CB_Update_Options->Items()->Strings(1), u"Firmware");
  EXPECT_EQ(F.CB_Update_Options->Items()->Strings(2), u"Configuration");

  Show(Boot_Form_Serial);
  EXPECT_EQ(F.Caption(), u"Update Device by Serial");
  EXPECT_EQ(F.L_SW_Desc->Caption(), u"Update Device Using the Serial Port");

  // Another layout keeps the caption and description of the last one.
  Show(7);
  EXPECT_EQ(F.Caption(), u"Update Device by Serial");
}

// The boxes take the last address when it is a valid one, and keep their texts otherwise.
TEST_F(UBoot, ShowFillsTheBoxesFromTheLastAddress) {
  struct TRow {
    const char* Name;
    String Last;
    std::vector<String> Boxes;
  };
  const std::vector<String> Kept = {u"1", u"2", u"3", u"4"};
  const TRow Rows[] = {
      {"the default address", u"192.168.2.205", {u"192", u"168", u"2", u"205"}},
      {"blanks around the points", u" 10 . 0 . 0 . 7 ", {u"10", u"0", u"0", u"7"}},
      {"empty", u"", Kept},
      {"three parts", u"192.168.2", Kept},
      {"an octet above 255", u"192.168.2.256", Kept},
      {"not numbers", u"a.b.c.d", Kept},
  };
  for (const TRow& R : Rows) {
    SCOPED_TRACE(R.Name);
    Set_Address(u"1", u"2", u"3", u"4");
    Last_IP_Address = R.Last;
    Show();
    EXPECT_EQ(Boxes(), R.Boxes);
    EXPECT_EQ(Form->ActiveControl(), Form->E_IP1);
  }
}

TEST_F(UBoot, ShowTakesTheStoredChoices) {
  EXPECT_EQ(Form->E_IP1->Text(), u"0");  // before any address was given
  struct TRow {
    Integer Option;
    bool Read_Back;
  };
  for (const TRow R : {TRow{2, false}, TRow{1, true}, TRow{0, false}}) {
    SCOPED_TRACE(R.Option);
    Update_Option = R.Option;
    Update_Read_Back = R.Read_Back;
    Show();
    EXPECT_EQ(Form->CB_Update_Options->ItemIndex(), R.Option);
    EXPECT_EQ(Form->CB_Update_Option_Read_Back->Checked(), R.Read_Back);
  }
}

// Typed with its dots from the first box, an address lands octet by octet in the four boxes, and
// no box ever takes a dot.
TEST_F(UBoot, TypingAnAddressWithItsDots) {
  Last_IP_Address = u"";
  Show();
  ASSERT_EQ(Form->ActiveControl(), Form->E_IP1);
  for (TEdit* Box : {Form->E_IP1, Form->E_IP2, Form->E_IP3, Form->E_IP4}) Box->SetText(u"");
  for (Char C : String(u"192.168.2.205.")) {
    TWinControl* Focused = Form->ActiveControl();
    ASSERT_NE(Focused, nullptr);
    TestHarness::TypeText(Focused, String(1, C));
  }
  EXPECT_EQ(Boxes(), (std::vector<String>{u"192", u"168", u"2", u"205"}));
  // The dot after the last octet is dropped and the focus stays.
  EXPECT_EQ(Form->ActiveControl(), Form->E_IP4);
}

TEST_F(UBoot, KeyPressRules) {
  Show();
  struct TRow {
    const char* Name;
    TEdit* Box;
    Char Key;
    Char Key_After;
    TEdit* Focus_After;
  };
  TFBoot& F = *Form;
  const TRow Rows[] = {
      {"dot in the first box", F.E_IP1, u'.', 0, F.E_IP2},
      {"dot in the second box", F.E_IP2, u'.', 0, F.E_IP3},
      {"dot in the third box", F.E_IP3, u'.', 0, F.E_IP4},
      {"dot in the last box", F.E_IP4, u'.', 0, F.E_IP4},
      {"a digit passes", F.E_IP2, u'7', u'7', F.E_IP2},
      {"a comma passes", F.E_IP2, u',', u',', F.E_IP2},
  };
  for (const TRow& R : Rows) {
    SCOPED_TRACE(R.Name);
    R.Box->SetFocus();
    Char Key = R.Key;
    F.KeyPress(R.Box, Key);
    EXPECT_EQ(Key, R.Key_After);
    EXPECT_EQ(F.ActiveControl(), R.Focus_After);
  }
}

// The outcomes of the check as the Update button shows them. Only an answered check stores the
// address and the choices, writes the parameter file and starts the tool.
TEST_F(UBoot, UpdateAfterTheCheck) {
  struct TRow {
    const char* Name;
    std::vector<TBehaviour> Script;
    size_t Requests;
    const char16_t* Message;  // nullptr: none
    TMsgDlgType Type;
    bool Updated;
  };
  const TRow Rows[] = {
      {"two replies", {Answer}, 2, nullptr, mtWarning, true},
      // 13 silent attempts of 410 ms: the first to end after 5000 ms ends the check.
      {"silence", {Silence}, 13, u"Device Not Found!", mtWarning, false},
      {"a reply then silence", {Answer, Silence}, 14, u"Device Not Found!", mtWarning, false},
      {"a send error", {Unreachable}, 1, u"Error!!! Check the Ip Address", mtError, false},
  };
  Put_Tool("");
  for (const TRow& R : Rows) {
    SCOPED_TRACE(R.Name);
    TestHarness::Reset();
    DeleteFile(Lan_Uploader_Xml());
    Last_IP_Address = u"10.1.1.1";
    Update_Option = 0;
    Update_Read_Back = true;
    Show();
    Set_Address(u"192", u"168", u"2", u"205");
    Form->CB_Update_Options->SetItemIndex(2);
    Form->CB_Update_Option_Read_Back->SetChecked(false);

    TManualClock Clock;
    TFakeIcmp Device(Clock, R.Script);
    TFakeToolStart Tool;
    if (R.Message) TestHarness::ExpectMessage(R.Message, R.Type);
    TestHarness::Click(Form->Btn_Update);
    EXPECT_TRUE(TestHarness::Verify());

    EXPECT_EQ(Device.Calls, R.Requests);
    EXPECT_EQ(Device.Hosts.front(), u"192.168.2.205");
    EXPECT_EQ(Form->Ping.Attempts, static_cast<Integer>(R.Requests));
    EXPECT_EQ(FileExists(Lan_Uploader_Xml()), R.Updated);
    if (R.Updated) {
      EXPECT_EQ(File_Bytes(Lan_Uploader_Xml()), Fixture_Bytes("lan_uploader/option2_readback_off.xml"));
      ASSERT_EQ(Tool.Programs.size(), 1u);
      EXPECT_EQ(Tool.Programs[0], Dir.File(u"Lan_Uploader.exe"));
      EXPECT_EQ(Tool.Params[0], u"");
      EXPECT_TRUE(Tool.Shown);
      EXPECT_EQ(Tool.Time_Limit, 150000u);
      EXPECT_EQ(Last_IP_Address, u"192.168.2.205");
      EXPECT_EQ(Update_Option, 2);
      EXPECT_FALSE(Update_Read_Back);
    } else {
      EXPECT_TRUE(Tool.Programs.empty());
      EXPECT_EQ(Last_IP_Address, u"10.1.1.1");
      EXPECT_EQ(Update_Option, 0);
      EXPECT_TRUE(Update_Read_Back);
    }
    // The dialog stays open either way.
    EXPECT_TRUE(Form->Visible());
  }
}

// The boxes as they stand at the first show (0.0.0.0) name no device: the computer itself would
// answer, so the check refuses the address without a request and nothing is updated.
TEST_F(UBoot, TheUntouchedAddressIsRefused) {
  Put_Tool("");
  Last_IP_Address.clear();
  Show();
  ASSERT_EQ(Form->E_IP1->Text(), u"0");
  TManualClock Clock;
  TFakeIcmp Device(Clock, {Answer});
  TFakeToolStart Tool;
  TestHarness::ExpectMessage(u"Error!!! Check the Ip Address", mtError);
  TestHarness::Click(Form->Btn_Update);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Device.Calls, 0u);
  EXPECT_FALSE(FileExists(Lan_Uploader_Xml()));
  EXPECT_TRUE(Tool.Programs.empty());
  EXPECT_EQ(Last_IP_Address, u"");
  EXPECT_TRUE(Form->Visible());
}

// The option list and the read-back box decide the operations of the parameter file.
TEST_F(UBoot, ParameterFilePerOption) {
  struct TRow {
    Integer Option;
    bool Read_Back;
    const char* Golden;
  };
  const TRow Rows[] = {
      {0, true, "lan_uploader/option0_readback_on.xml"},  {0, false, "lan_uploader/option0_readback_off.xml"},
      {1, true, "lan_uploader/option1_readback_on.xml"},  {1, false, "lan_uploader/option1_readback_off.xml"},
      {2, true, "lan_uploader/option2_readback_on.xml"},  {2, false, "lan_uploader/option2_readback_off.xml"},
  };
  Put_Tool("");
  Show();
  TManualClock Clock;
  TFakeIcmp Device(Clock, {Answer});
  TFakeToolStart Tool;
  for (const TRow& R : Rows) {
    SCOPED_TRACE(R.Golden);
    Set_Address(u"192", u"168", u"2", u"205");
    Form->CB_Update_Options->SetItemIndex(R.Option);
    Form->CB_Update_Option_Read_Back->SetChecked(R.Read_Back);
    TestHarness::Click(Form->Btn_Update);
    EXPECT_EQ(File_Bytes(Lan_Uploader_Xml()), Fixture_Bytes(R.Golden));
  }
  EXPECT_EQ(Tool.Programs.size(), std::size(Rows));
}

// The check and the parameter file on their own, from what the dialog shows.
TEST_F(UBoot, CheckAndParameterFileFromTheControls) {
  Show();
  Set_Address(u"192", u"168", u"2", u"205");
  Form->CB_Update_Options->SetItemIndex(1);
  Form->CB_Update_Option_Read_Back->SetChecked(true);
  Form->Compile_XML_Parameter_New_Boot();
  EXPECT_EQ(File_Bytes(Lan_Uploader_Xml()), Fixture_Bytes("lan_uploader/option1_readback_on.xml"));

  TManualClock Clock;
  {
    TFakeIcmp Device(Clock, {Answer});
    EXPECT_TRUE(Form->Send_Ping());
    EXPECT_EQ(Device.Hosts, (std::vector<String>{u"192.168.2.205", u"192.168.2.205"}));
  }
  {
    Set_Address(u"192", u"168", u"x", u"205");
    TFakeIcmp Device(Clock, {Unreachable});
    EXPECT_FALSE(Form->Send_Ping());
    EXPECT_EQ(Device.Hosts, (std::vector<String>{u"192.168.x.205"}));
    EXPECT_EQ(Form->Ping.ping_res, 0);
  }
}

TEST_F(UBoot, OlderRoutinesWriteTheOlderFileAndAlwaysGiveTypeZero) {
  Show();
  Set_Address(u"192", u"168", u"2", u"205");
  Form->CB_Update_Options->SetItemIndex(0);
  Form->CB_Update_Option_Read_Back->SetChecked(true);
  Form->Compile_XML_Parameter();
  EXPECT_EQ(File_Bytes(Lan_Uploader_Xml()), Fixture_Bytes("lan_uploader/older_option0_readback_on.xml"));

  File_ParGen = Dir.File(u"ParGen.xml");
  EXPECT_EQ(Form->Get_Type_Dev(), 0);  // no file
  Write_Bytes(File_ParGen, "<Par_Gen><BACnet_Type>2</BACnet_Type></Par_Gen>");
  EXPECT_EQ(Form->Get_Type_Dev(), 0);
  Write_Bytes(File_ParGen, "<Par_Gen>");
  EXPECT_THROW(Form->Get_Type_Dev(), EXMLDocError);
  File_ParGen.clear();
}

// A real stand-in for the tool: it copies the parameter file aside and notes how many parameters
// it got, which proves the file was complete before the tool started.
TEST_F(UBoot, TheToolStartsAfterTheParameterFileIsWritten) {
  Put_Tool(
      "#!/bin/sh\n"
      "dir=$(dirname \"$0\")\n"
      "cp \"$dir/Lan_Uploader.xml\" \"$dir/seen_by_tool.xml\"\n"
      "echo $# > \"$dir/parameters\"\n");
  Show();
  Set_Address(u"192", u"168", u"2", u"205");
  Form->CB_Update_Options->SetItemIndex(0);
  Form->CB_Update_Option_Read_Back->SetChecked(true);
  TManualClock Clock;
  TFakeIcmp Device(Clock, {Answer});
  TRealToolStart Tool;
  TestHarness::Click(Form->Btn_Update);
  EXPECT_EQ(Tool.Starts, 1);
  EXPECT_EQ(Tool.Last_Status, psExited);
  EXPECT_EQ(File_Bytes(Dir.File(u"seen_by_tool.xml")), Fixture_Bytes("lan_uploader/option0_readback_on.xml"));
  EXPECT_EQ(File_Bytes(Dir.File(u"parameters")), "0\n");
}

// A tool that is missing or cannot be started is named in an error box; the parameter file and the
// choices are already in place.
TEST_F(UBoot, ToolMissingOrNotStartable) {
  struct TRow {
    const char* Name;
    bool Present;
    const char16_t* Message;
  };
  const TRow Rows[] = {
      {"missing", false, u"Error!!! Update tool not found: "},
      {"not executable", true, u"Error!!! The update tool could not be started: "},
  };
  for (const TRow& R : Rows) {
    SCOPED_TRACE(R.Name);
    TestHarness::Reset();
    DeleteFile(Dir.File(u"Lan_Uploader.exe"));
    if (R.Present) Put_Tool("#!/bin/sh\n", false);
    Last_IP_Address = u"10.1.1.1";
    Show();
    Set_Address(u"192", u"168", u"2", u"205");
    TManualClock Clock;
    TFakeIcmp Device(Clock, {Answer});
    TRealToolStart Tool;
    TestHarness::ExpectMessage(String(R.Message) + Dir.File(u"Lan_Uploader.exe"), mtError);
    TestHarness::Click(Form->Btn_Update);
    EXPECT_TRUE(TestHarness::Verify());
    EXPECT_TRUE(FileExists(Lan_Uploader_Xml()));
    EXPECT_EQ(Last_IP_Address, u"192.168.2.205");
  }
}

// A parameter file that cannot be written: its error is shown, the tool does not start; the
// address and choices are already stored.
TEST_F(UBoot, ParameterFileNotWritable) {
  Path_Program = Dir.File(u"missing folder");
  Show();
  Set_Address(u"192", u"168", u"2", u"205");
  TManualClock Clock;
  TFakeIcmp Device(Clock, {Answer});
  TFakeToolStart Tool;
  TestHarness::ExpectMessageContaining(u"Cannot create the XML file", mtError);
  TestHarness::Click(Form->Btn_Update);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_TRUE(Tool.Programs.empty());
  EXPECT_EQ(Last_IP_Address, u"192.168.2.205");
}

// The check processes window messages between its requests; a second click on Update meanwhile
// must not run a second check or start the tool twice.
TEST_F(UBoot, UpdateIgnoresClicksWhileItRuns) {
  Put_Tool("");
  Show();
  Set_Address(u"192", u"168", u"2", u"205");
  TManualClock Clock;
  TFakeIcmp Device(Clock, {Answer});
  TFakeToolStart Tool;
  bool Clicked = false;
  Device.OnPing = [&] {
    if (Clicked) return;
    Clicked = true;
    TestHarness::Click(Form->Btn_Update);
  };
  TestHarness::Click(Form->Btn_Update);
  EXPECT_TRUE(Clicked);
  EXPECT_EQ(Device.Calls, 2u);
  EXPECT_EQ(Tool.Programs.size(), 1u);
  // Once the update is over, the button works again.
  TestHarness::Click(Form->Btn_Update);
  EXPECT_EQ(Device.Calls, 4u);
  EXPECT_EQ(Tool.Programs.size(), 2u);
}

// Leaving the dialog while the check runs (Cancel, "Exit without to do the Update") means no update,
// even when the device answers: nothing is kept, written or started, and no message follows.
TEST_F(UBoot, CancelDuringTheCheckUpdatesNothing) {
  struct TRow {
    const char* Name;
    std::vector<TBehaviour> Script;
  };
  const TRow Rows[] = {{"the device answers", {Answer}}, {"the device is silent", {Silence}}};
  Put_Tool("");
  for (const TRow& R : Rows) {
    SCOPED_TRACE(R.Name);
    TManualClock Clock;
    TFakeIcmp Device(Clock, R.Script);
    TFakeToolStart Tool;
    Device.OnPing = [&] {
      if (Form->ModalResult() == mrNone) TestHarness::Click(Form->Btn_Cancel);
    };
    Form->Form_Type = Boot_Form_Ethernet;
    TestHarness::ExpectModal(u"TFBoot", [&](TCustomForm&) {
      Set_Address(u"192", u"168", u"2", u"205");
      Form->CB_Update_Options->SetItemIndex(2);
      TestHarness::Click(Form->Btn_Update);
    });
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_TRUE(TestHarness::Verify());
    EXPECT_GE(Device.Calls, 1u);
    EXPECT_TRUE(Tool.Programs.empty());
    EXPECT_FALSE(FileExists(Lan_Uploader_Xml()));
    EXPECT_EQ(Last_IP_Address, u"10.1.1.1");
    EXPECT_EQ(Update_Option, 0);
  }
}

// The check lets the user work in the dialog: an option and a read-back box changed while it runs
// are the ones kept and written, as the controls show them once the device has answered.
TEST_F(UBoot, ChoicesChangedDuringTheCheckAreTheOnesUsed) {
  Put_Tool("");
  Update_Option = 0;
  Update_Read_Back = true;
  Show();
  Set_Address(u"192", u"168", u"2", u"205");
  TManualClock Clock;
  TFakeIcmp Device(Clock, {Answer});
  TFakeToolStart Tool;
  Device.OnPing = [&] {
    Form->CB_Update_Options->SetItemIndex(2);
    Form->CB_Update_Option_Read_Back->SetChecked(false);
  };
  TestHarness::Click(Form->Btn_Update);
  EXPECT_EQ(Tool.Programs.size(), 1u);
  EXPECT_EQ(Update_Option, 2);
  EXPECT_FALSE(Update_Read_Back);
  EXPECT_EQ(File_Bytes(Lan_Uploader_Xml()), Fixture_Bytes("lan_uploader/option2_readback_off.xml"));
}

// The serial layout keeps the choices and forms its command text; it checks nothing, writes no
// file and starts no tool.
TEST_F(UBoot, SerialUpdateOnlyKeepsTheChoices) {
  Show(Boot_Form_Serial);
  EXPECT_EQ(Form->CB_COM_Port->Items()->Count(), 0);  // no port in the folder
  Form->CB_Update_Options->SetItemIndex(1);
  Form->CB_Update_Option_Read_Back->SetChecked(false);
  TManualClock Clock;
  TFakeIcmp Device(Clock, {Answer});
  TFakeToolStart Tool;
  TestHarness::Click(Form->Btn_Update);
  EXPECT_EQ(Update_Option, 1);
  EXPECT_FALSE(Update_Read_Back);
  EXPECT_EQ(Form->Serial_Command, u"\\\\.\\ FW NO NO NO ");
  EXPECT_EQ(Device.Calls, 0u);
  EXPECT_TRUE(Tool.Programs.empty());
  EXPECT_FALSE(FileExists(Lan_Uploader_Xml()));
}

TEST_F(UBoot, CancelClosesTheModalDialog) {
  Form->Form_Type = Boot_Form_Ethernet;
  TestHarness::ExpectModal(u"TFBoot", [this](TCustomForm&) { TestHarness::Click(Form->Btn_Cancel); });
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  EXPECT_FALSE(FileExists(Lan_Uploader_Xml()));
}

}  // namespace
