// The whole road from a new configuration to the device, through the main window and the real
// dialogs, scripted by the GUI test harness: New -> Set Communication OK -> a device with a variable
// saved in the network file -> Update Device -> bank files written, the device answers the
// reachability check, the update tool (a stand-in script) started with its parameter file.
//
// The network is entered through the network editor with its device and variable dialogs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "app/SettingsFile.h"
#include "app/UComon.h"
#include "app/UNew_Project.h"
#include "comm/UBoot.h"
#include "comm/UParGen.h"
#include "components/buttons/FadeButton.h"
#include "enocean/UEnOcean_Device.h"
#include "enocean/UEnOcean_SetAccess2.h"
#include "enocean/UEnOcean_Variable.h"
#include "main/ULumitoreFirmWare.h"
#include "platform/gui/Messages.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "platform/os/Clock.h"
#include "platform/os/Icmp.h"
#include "platform/os/Process.h"
#include "platform/rtl/SysUtils.h"
#include "tests/app/AppTestFolder.h"

namespace {

namespace fs = std::filesystem;

std::string Comm_Fixture(const std::string& Name) {
  return TTestFolder::Read_Bytes(fs::path(KP_FIXTURES_DIR) / "comm" / Name);
}

// A device that answers every echo request at once.
class TAnsweringDevice : public IIcmpClient {
 public:
  explicit TAnsweringDevice(TManualClock& Clock) : FClock(Clock) { FOld = SetIcmpClient(this); }
  ~TAnsweringDevice() override { SetIcmpClient(FOld); }
  TIcmpReply Ping(const String& host, const std::string&, Integer, Cardinal) override {
    Hosts.push_back(host);
    FClock.Advance(3);
    TIcmpReply R;
    R.Address = host;
    R.BytesReceived = 1032;
    R.TimeMs = 3;
    return R;
  }
  std::vector<String> Hosts;

 private:
  TManualClock& FClock;
  IIcmpClient* FOld = nullptr;
};

// Starts the update tool for real, on the real clock (the check runs on the fake one).
class TRealToolStart {
 public:
  TRealToolStart() {
    FOld = SetStartProgramFunction([this](const String& Program, const String& Parameters, bool Show,
                                          Cardinal Timeout, Integer& ExitCode) {
      Started.push_back(Program);
      TStartProgramFunction Self = SetStartProgramFunction(nullptr);
      TTickCountFunction Tick = SetTickCountFunction(nullptr);
      TSleepFunction Pause = SetSleepFunction(nullptr);
      const TProgramStatus Status = StartProgram(Program, Parameters, Show, Timeout, ExitCode);
      SetSleepFunction(Pause);
      SetTickCountFunction(Tick);
      SetStartProgramFunction(Self);
      Statuses.push_back(Status);
      return Status;
    });
  }
  ~TRealToolStart() { SetStartProgramFunction(FOld); }
  std::vector<String> Started;
  std::vector<TProgramStatus> Statuses;

 private:
  TStartProgramFunction FOld;
};

template <class T>
void Create(T*& Reference) {
  Reference = new T(nullptr);
  Reference->AfterConstruction();
}

template <class T>
void Destroy(T*& Reference) {
  TComponent::Free(Reference);
  Reference = nullptr;
}

class RoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Apply_Settings(TSettings());
    Conf_Name.clear();
    Path_Conf.clear();
    SetProgramFolder(Program.Path());
    // The catalogue the program loads at start, and the stand-in for the update tool: it keeps a
    // copy of its parameter file and of the banks that file names, as the tool would read them.
    fs::create_directories(Program.FsPath("CAT_EnOcean"));
    Program.Write("CAT_EnOcean/eep.xml", Comm_Fixture("boot/eep.xml"));
    Program.Write("Lan_Uploader.exe",
                  "#!/bin/sh\n"
                  "dir=$(dirname \"$0\")\n"
                  "cp \"$dir/Lan_Uploader.xml\" \"$dir/seen_by_tool.xml\"\n");
    ::chmod(Program.FsPath("Lan_Uploader.exe").c_str(), 0755);
    // The main window first: it sets up the program state, the texts and the catalogue.
    Create(FLumitoreFirmWare);
    Create(FNew_Project);
    Create(FParGen);
    Create(FBoot);
    Create(FEnOcean_SetAccess2);
    Create(FEnOcean_Device);
    Create(FEnOcean_Variable);
    Main = FLumitoreFirmWare;
  }
  void TearDown() override {
    EXPECT_TRUE(TestHarness::Verify());
    Destroy(FEnOcean_Variable);
    Destroy(FEnOcean_Device);
    Destroy(FEnOcean_SetAccess2);
    Destroy(FBoot);
    Destroy(FParGen);
    Destroy(FNew_Project);
    Destroy(FLumitoreFirmWare);
    SetProgramFolder(u"");
    Apply_Settings(TSettings());
    Conf_Name.clear();
    Path_Conf.clear();
  }

  TTestFolder Program;
  TFLumitoreFirmWare* Main = nullptr;
};

TEST_F(RoadTest, NewConfigurationToTheUpdatedDevice) {
  // Step 1: a new configuration.
  TestHarness::ExpectModal(u"TFNew_Project", [](TCustomForm&) {
    FNew_Project->E_New_Proj->SetText(u"Plant A");
    TestHarness::Click(FNew_Project->Btn_OK);
  });
  TestHarness::Click(Main->Btn_New);
  ASSERT_TRUE(TestHarness::Verify());
  const String Conf = Path_Join(Path_Join(Program.Path(), u"PROJECTS"), u"Plant A");
  ASSERT_EQ(Path_Conf, Conf);
  EXPECT_TRUE(DirectoryExists(Path_Join(Conf, u"bin")));

  // Step 2: the communication parameters confirmed as the dialog proposes them.
  TestHarness::ExpectModal(u"TFParGen", [](TCustomForm&) { TestHarness::Click(FParGen->Btn_OK); });
  TestHarness::Click(Main->Btn_Prm_Gen);
  ASSERT_TRUE(TestHarness::Verify());
  ASSERT_TRUE(FileExists(File_ParGen));

  // Step 3: one unsecure device with the temperature of an A5-02-05 sensor at position 3, start
  // bit 2, entered in the network editor and saved with its OK.
  auto Choose = [](TComboBox* List, Integer Index) {
    List->SetItemIndex(Index);
    List->Parent()->NotifyCommand(List, CBN_SELCHANGE);
  };
  TestHarness::ExpectModal(u"TFEnOcean_SetAccess2", [&](TCustomForm&) {
    TestHarness::ExpectModal(u"TFEnOcean_Device", [](TCustomForm&) {
      TestHarness::TypeText(FEnOcean_Device->E_DevEnOcean_ID, u"0x0180A1B2");
      TestHarness::Click(FEnOcean_Device->Btn_OK);
    });
    TestHarness::Click(FEnOcean_SetAccess2->Btn_Add_Device);
    FEnOcean_SetAccess2->LB_ID_Devices_List->SetItemIndex(0);
    FEnOcean_SetAccess2->LB_ID_Devices_ListClick(FEnOcean_SetAccess2->LB_ID_Devices_List);
    TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm&) {
      Choose(FEnOcean_Variable->CB_EEP_Rorg, 0);
      Choose(FEnOcean_Variable->CB_EEP_Func, 0);
      Choose(FEnOcean_Variable->CB_EEP_Type, 0);
      Choose(FEnOcean_Variable->CB_Var_Case, 0);
      Choose(FEnOcean_Variable->CB_Var_Variable, 0);
      FEnOcean_Variable->E_Var_Position->SetText(u"3");
      Choose(FEnOcean_Variable->CB_Var_BitStart, 2);
      TestHarness::Click(FEnOcean_Variable->Btn_OK);
    });
    TestHarness::Click(FEnOcean_SetAccess2->Btn_Add_Variable);
    TestHarness::Click(FEnOcean_SetAccess2->Btn_OK);
  });
  TestHarness::Click(Main->Btn_EnOcean_Access);
  ASSERT_TRUE(TestHarness::Verify());
  ASSERT_TRUE(FileExists(File_EnOcean));

  // Step 5: Update Device. The banks are written before the dialog opens; in the dialog the address
  // of the last device is proposed, the device answers and the tool starts.
  TManualClock Clock;
  TAnsweringDevice Device(Clock);
  TRealToolStart Tool;
  String Banks_At_Open;
  TestHarness::ExpectModal(u"TFBoot", [&](TCustomForm&) {
    Banks_At_Open = FileExists(Path_Join(Conf, u"bin/bank1.bin")) && FileExists(Path_Join(Conf, u"bin/bank2.bin"))
                        ? u"both"
                        : u"missing";
    EXPECT_EQ(FBoot->IP_Address_Text(), u"192.168.2.205");
    TestHarness::Click(FBoot->Btn_Update);
    TestHarness::Click(FBoot->Btn_Cancel);
  });
  TestHarness::Click(Main->Btn_CreateBin);
  ASSERT_TRUE(TestHarness::Verify());

  EXPECT_EQ(Banks_At_Open, u"both");
  // The parameters as the dialog saved them, and the network with its one variable.
  EXPECT_EQ(TTestFolder::Read_Bytes(fs::path(StringToUtf8(Conf)) / "bin" / "bank1.bin"),
            Comm_Fixture("bank1/defaults.bin"));
  EXPECT_EQ(TTestFolder::Read_Bytes(fs::path(StringToUtf8(Conf)) / "bin" / "bank2.bin"),
            Comm_Fixture("boot/road_bank2.bin"));

  EXPECT_EQ(Device.Hosts, (std::vector<String>{u"192.168.2.205", u"192.168.2.205"}));
  ASSERT_EQ(Tool.Started, (std::vector<String>{Path_Join(Program.Path(), u"Lan_Uploader.exe")}));
  EXPECT_EQ(Tool.Statuses[0], psExited);
  // The tool found the parameter file for firmware and both banks of this configuration.
  std::string Expected = Comm_Fixture("lan_uploader/option0_readback_on.xml");
  auto Replace = [&Expected](const std::string& From, const std::string& To) {
    for (size_t At = Expected.find(From); At != std::string::npos; At = Expected.find(From, At + To.size()))
      Expected.replace(At, From.size(), To);
  };
  Replace("/opt/kp/MASTER", StringToUtf8(Path_Join(Program.Path(), u"MASTER")));
  Replace("/opt/kp/PROJECTS/Plant A", StringToUtf8(Conf));
  EXPECT_EQ(Program.Read("seen_by_tool.xml"), Expected);
  EXPECT_EQ(Last_IP_Address, u"192.168.2.205");
}

}  // namespace
