#include "comm/DevicePing.h"

#include <gtest/gtest.h>

#include "platform/os/Clock.h"
#include "platform/os/Icmp.h"

namespace {

// What the fake device does with each request, in turn; the last behaviour repeats.
enum TBehaviour { Answer, Silence, Unreachable };

class TFakeIcmp : public IIcmpClient {
 public:
  TFakeIcmp(TManualClock& Clock, std::vector<TBehaviour> Script) : FClock(Clock), FScript(std::move(Script)) {
    FOld = SetIcmpClient(this);
  }
  ~TFakeIcmp() override { SetIcmpClient(FOld); }

  TIcmpReply Ping(const String& host, const std::string& data, Integer packetSize,
                  Cardinal timeoutMs) override {
    Hosts.push_back(host);
    Data = data;
    PacketSize = packetSize;
    Timeout = timeoutMs;
    const TBehaviour B = FScript[std::min(Calls, FScript.size() - 1)];
    ++Calls;
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
  std::string Data;
  Integer PacketSize = 0;
  Cardinal Timeout = 0;

 private:
  TManualClock& FClock;
  std::vector<TBehaviour> FScript;
  IIcmpClient* FOld = nullptr;
};

TEST(DevicePing, OutcomesOfTheCheck) {
  struct TRow {
    const char* Name;
    std::vector<TBehaviour> Script;
    bool Result;
    Integer Attempts;
    Integer Ping_Res;
    Integer Text_Id;  // shown after a failed check
    Integer Pumped;   // times the dialog processed its messages
  };
  const std::vector<TRow> Rows = {
      // Two answered requests end the check at once.
      {"two replies", {Answer}, true, 2, 1, -1, 2},
      // 13 attempts of 410 ms: the first one to end after 5000 ms is the 13th (5330 ms).
      {"silence", {Silence}, false, 13, 2, 936, 13},
      // The first attempt takes 15 ms, each silent one 410: 15 + 13 x 410 = 5345 > 5000.
      {"a reply then silence", {Answer, Silence}, false, 14, 2, 936, 14},
      // A late answer after silence: the last request was answered, but only once.
      {"silence then replies", {Silence, Silence, Answer}, true, 4, 1, -1, 4},
      {"the address does not resolve", {Unreachable}, false, 1, 0, 937, 0},
      // An error after an answer ends the check too; the answer's outcome stays.
      {"a reply then an error", {Answer, Unreachable}, false, 2, 1, 937, 1},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TManualClock Clock;
    TFakeIcmp Icmp(Clock, Row.Script);
    TPing_Check Check;
    int Pumped = 0;
    Check.OnProcessMessages = [&] { ++Pumped; };
    const UInt64 Start = Clock.Now();
    EXPECT_EQ(Check.Send_Ping(u"192.168.2.205"), Row.Result);
    EXPECT_EQ(Check.Attempts, Row.Attempts);
    EXPECT_EQ(static_cast<Integer>(Icmp.Calls), Row.Attempts);
    EXPECT_EQ(Check.ping_res, Row.Ping_Res);
    if (!Row.Result) {
      EXPECT_EQ(Check.Failure_Text_Id(), Row.Text_Id);
    }
    // Messages are processed once after every request that got an outcome.
    EXPECT_EQ(Pumped, Row.Pumped);
    EXPECT_LE(Clock.Now() - Start, 5000u + 410u);
  }
}

// 0.0.0.0 names no device (the computer itself answers it): refused with the address error and
// no request; addresses that only look alike go out as usual.
TEST(DevicePing, TheUnspecifiedAddressIsRefused) {
  const struct {
    const char* Name;
    String Address;
    bool Sent;
  } Rows[] = {
      {"zeros", u"0.0.0.0", false},
      {"zeros with leading zeros", u"00.0.000.0", false},
      {"a zero last octet", u"10.0.0.0", true},
      {"three octets", u"0.0.0", true},
      {"an empty octet", u"0.0..0", true},
      {"a blank in it", u"0.0.0. 0", true},
  };
  for (const auto& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TManualClock Clock;
    TFakeIcmp Icmp(Clock, {Answer});
    TPing_Check Check;
    EXPECT_EQ(Check.Send_Ping(Row.Address), Row.Sent);
    EXPECT_EQ(Icmp.Calls > 0, Row.Sent);
    if (!Row.Sent) {
      EXPECT_EQ(Check.ping_res, 0);
      EXPECT_EQ(Check.Failure_Text_Id(), Ping_Text_Check_Address);
    }
  }
}

TEST(DevicePing, RequestSettings) {
  TManualClock Clock;
  TFakeIcmp Icmp(Clock, {Answer});
  TPing_Check Check;
  // The address goes out exactly as typed, also as the request's data.
  EXPECT_TRUE(Check.Send_Ping(u"10.0.0.1"));
  ASSERT_EQ(Icmp.Hosts.size(), 2u);
  EXPECT_EQ(Icmp.Hosts[0], u"10.0.0.1");
  EXPECT_EQ(Icmp.Data, "10.0.0.1");
  EXPECT_EQ(Icmp.PacketSize, 1024);
  EXPECT_EQ(Icmp.Timeout, 400u);
}

}  // namespace
