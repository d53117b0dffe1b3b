#include "comm/UpdateTool.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "comm/DevicePing.h"
#include "platform/os/Clock.h"
#include "platform/os/Icmp.h"
#include "tests/comm/CommTestSupport.h"

namespace {

// A device that answers every request at once, one that never answers, or an address that cannot
// be used.
enum TDevice_Kind { Answering, Silent, Unusable };

class TFakeDevice : public IIcmpClient {
 public:
  explicit TFakeDevice(TDevice_Kind Kind) : FKind(Kind) { FOld = SetIcmpClient(this); }
  ~TFakeDevice() override { SetIcmpClient(FOld); }
  TIcmpReply Ping(const String& host, const std::string&, Integer, Cardinal timeoutMs) override {
    TIcmpReply R;
    R.Address = host;
    switch (FKind) {
      case Answering: R.BytesReceived = 1032; break;
      case Silent:
        if (Clock) Clock->Advance(timeoutMs);
        break;
      case Unusable: throw EIcmpError(u"cannot resolve " + host);
    }
    return R;
  }
  TManualClock* Clock = nullptr;

 private:
  TDevice_Kind FKind;
  IIcmpClient* FOld = nullptr;
};

// The pauses of the check and of the wait for the tool cost no time; the clock stays real, so the
// tool's time limit keeps its meaning.
class TNoPause {
 public:
  TNoPause() { FOld = SetSleepFunction([](Cardinal) {}); }
  ~TNoPause() { SetSleepFunction(FOld); }

 private:
  TSleepFunction FOld;
};

class UpdateTool : public ::testing::Test {
 protected:
  TUpdate_Request Request() const {
    TUpdate_Request R;
    R.IP_Address = u"192.168.2.205";
    R.Update_Option = 0;
    R.Read_Back = true;
    R.Path_Program = Dir.Path();
    R.Path_Master = u"/opt/kp/MASTER";
    R.Path_Conf = u"/opt/kp/PROJECTS/Plant A";
    return R;
  }
  // Puts a stand-in for the update tool into the program folder.
  void Install_Tool(const std::string& Script, mode_t Mode = 0755) {
    const String Tool = Update_Tool_Path(Dir.Path());
    Write_Bytes(Tool, "#!/bin/sh\n" + Script);
    ::chmod(StringToUtf8(Tool).c_str(), Mode);
  }
  bool Exists(const String& Name) const { return std::filesystem::exists(StringToUtf8(Dir.File(Name))); }

  TTempFolder Dir;
  TPing_Check Ping;
  TNoPause No_Pause;
};

TEST_F(UpdateTool, TheToolStartsAfterTheParameterFileWasWritten) {
  // The stand-in copies its parameter file aside: it finds the finished file at its start.
  Install_Tool("cp \"$(dirname \"$0\")/Lan_Uploader.xml\" \"$(dirname \"$0\")/seen.xml\"\nexit 3\n");
  TFakeDevice Device(Answering);
  bool Stored = false;
  const TUpdate_Outcome Outcome = Execute_Update(Request(), Ping, [&](TUpdate_Request&) {
    // The choices are stored after the check and before the file is written.
    EXPECT_FALSE(Exists(u"Lan_Uploader.xml"));
    Stored = true;
    return true;
  });
  EXPECT_EQ(Outcome, uoTool_Ended);  // the exit code carries nothing
  EXPECT_TRUE(Stored);
  EXPECT_EQ(File_Bytes(Dir.File(u"seen.xml")), Fixture_Bytes("lan_uploader/option0_readback_on.xml"));
}

// The dialog was left while the check ran: the device answered, but nothing is written or started.
TEST_F(UpdateTool, AnUpdateNoLongerWantedAfterTheCheckDoesNothing) {
  Install_Tool("touch \"$(dirname \"$0\")/started\"\n");
  TFakeDevice Device(Answering);
  EXPECT_EQ(Execute_Update(Request(), Ping, [](TUpdate_Request&) { return false; }), uoCancelled);
  EXPECT_FALSE(Exists(u"Lan_Uploader.xml"));
  EXPECT_FALSE(Exists(u"started"));
}

TEST_F(UpdateTool, AMissingToolIsReported) {
  TFakeDevice Device(Answering);
  EXPECT_EQ(Execute_Update(Request(), Ping, nullptr), uoTool_Missing);
  EXPECT_TRUE(Exists(u"Lan_Uploader.xml"));
  EXPECT_EQ(Start_Update_Tool(Dir.Path()), utMissing);
  EXPECT_EQ(Update_Tool_Text_Id(utMissing), Tool_Text_Missing);
  EXPECT_EQ(Update_Tool_Path(u"/opt/kp"), u"/opt/kp/Lan_Uploader.exe");
}

TEST_F(UpdateTool, AToolThatCannotStartIsReported) {
  Install_Tool("exit 0\n", 0644);
  EXPECT_EQ(Start_Update_Tool(Dir.Path()), utStartFailed);
  EXPECT_EQ(Update_Tool_Text_Id(utStartFailed), Tool_Text_Start_Failed);
  EXPECT_EQ(Update_Tool_Text_Id(utEnded), -1);
}

TEST_F(UpdateTool, ASilentDeviceStoresAndWritesNothing) {
  Install_Tool("touch \"$(dirname \"$0\")/started\"\n");
  TManualClock Clock;
  TFakeDevice Device(Silent);
  Device.Clock = &Clock;
  bool Stored = false;
  EXPECT_EQ(Execute_Update(Request(), Ping, [&](TUpdate_Request&) { return Stored = true; }), uoDevice_Not_Found);
  EXPECT_FALSE(Stored);
  EXPECT_FALSE(Exists(u"Lan_Uploader.xml"));
  EXPECT_FALSE(Exists(u"started"));
}

TEST_F(UpdateTool, AnUnusableAddressStoresAndWritesNothing) {
  TFakeDevice Device(Unusable);
  TUpdate_Request R = Request();
  R.IP_Address = u"192.168.x.5";
  bool Stored = false;
  EXPECT_EQ(Execute_Update(R, Ping, [&](TUpdate_Request&) { return Stored = true; }), uoAddress_Error);
  EXPECT_FALSE(Stored);
  EXPECT_FALSE(Exists(u"Lan_Uploader.xml"));
}

}  // namespace
