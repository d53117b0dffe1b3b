#include "comm/ParGenChecks.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

struct TRow {
  const char* Name;
  std::function<void(TParGen_Values&)> Edit;
  Integer Text_Id;  // -1: passes
};

// One row per check of the dialog, in the dialog's order; each row breaks one field of the
// defaults (which pass) and names the text the dialog shows.
TEST(ParGenChecks, ControlloDatiOrder) {
  const std::vector<TRow> Rows = {
      {"defaults pass", [](TParGen_Values&) {}, -1},
      {"ip1 empty", [](TParGen_Values& V) { V.Ethernet_IP[0] = u""; }, 527},
      {"ip2 not a number", [](TParGen_Values& V) { V.Ethernet_IP[1] = u"abc"; }, 528},
      {"ip3 256", [](TParGen_Values& V) { V.Ethernet_IP[2] = u"256"; }, 529},
      {"ip4 -1", [](TParGen_Values& V) { V.Ethernet_IP[3] = u"-1"; }, 530},
      {"ip4 255 passes", [](TParGen_Values& V) { V.Ethernet_IP[3] = u"255"; }, -1},
      {"sm1", [](TParGen_Values& V) { V.Ethernet_SM[0] = u"300"; }, 531},
      {"sm2", [](TParGen_Values& V) { V.Ethernet_SM[1] = u""; }, 532},
      {"sm3", [](TParGen_Values& V) { V.Ethernet_SM[2] = u"1.5"; }, 533},
      {"sm4", [](TParGen_Values& V) { V.Ethernet_SM[3] = u"999"; }, 534},
      {"gateway 300 unticked passes", [](TParGen_Values& V) { V.Ethernet_GAT[0] = u"300"; }, -1},
      {"gat1 ticked",
       [](TParGen_Values& V) {
         V.Ethernet_EN_GAT = true;
         V.Ethernet_GAT[0] = u"300";
       },
       535},
      {"gat4 ticked",
       [](TParGen_Values& V) {
         V.Ethernet_EN_GAT = true;
         V.Ethernet_GAT[3] = u"";
       },
       538},
      {"gateway 10s ticked passes",
       [](TParGen_Values& V) {
         V.Ethernet_EN_GAT = true;
         V.Ethernet_GAT = {u"10", u"10", u"10", u"10"};
       },
       -1},
      {"dns empty unticked passes", [](TParGen_Values& V) { V.Ethernet_DNS[1] = u""; }, -1},
      {"dns2 ticked",
       [](TParGen_Values& V) {
         V.Ethernet_EN_DNS = true;
         V.Ethernet_DNS[1] = u"";
       },
       540},
      {"dns3 ticked",
       [](TParGen_Values& V) {
         V.Ethernet_EN_DNS = true;
         V.Ethernet_DNS[2] = u"256";
       },
       541},
      {"station 0", [](TParGen_Values& V) { V.PROFIBUS_ID_Device = u"0"; }, 760},
      {"station 1 passes", [](TParGen_Values& V) { V.PROFIBUS_ID_Device = u"1"; }, -1},
      {"station 125 passes", [](TParGen_Values& V) { V.PROFIBUS_ID_Device = u"125"; }, -1},
      {"station 126", [](TParGen_Values& V) { V.PROFIBUS_ID_Device = u"126"; }, 760},
      {"station empty", [](TParGen_Values& V) { V.PROFIBUS_ID_Device = u""; }, 760},
      {"bytes in 0 passes", [](TParGen_Values& V) { V.PROFINET_NB_IN = u"0"; }, -1},
      {"bytes in 245", [](TParGen_Values& V) { V.PROFINET_NB_IN = u"245"; }, 761},
      {"bytes out 244 passes", [](TParGen_Values& V) { V.PROFINET_NB_OUT = u"244"; }, -1},
      {"bytes out 245", [](TParGen_Values& V) { V.PROFINET_NB_OUT = u"245"; }, 762},
      {"first failure wins: ip4 before station",
       [](TParGen_Values& V) {
         V.Ethernet_IP[3] = u"x";
         V.PROFIBUS_ID_Device = u"0";
       },
       530},
      {"first failure wins: bytes in before bytes out",
       [](TParGen_Values& V) {
         V.PROFINET_NB_IN = u"999";
         V.PROFINET_NB_OUT = u"999";
       },
       761},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TParGen_Values V = Default_ParGen_Values();
    Row.Edit(V);
    EXPECT_EQ(Check_ParGen_Values(V).Text_Id, Row.Text_Id);
  }
}

TModbusTCPSlave_Fields Good_ModbusTCP() {
  TModbusTCPSlave_Fields F;
  F.IP = {u"192", u"168", u"0", u"5"};
  F.SM = {u"255", u"255", u"255", u"0"};
  F.Port = u"502";
  return F;
}

TBACnetSlave_Fields Good_BACnet() {
  TBACnetSlave_Fields F;
  F.IP = {u"192", u"168", u"0", u"5"};
  F.SM = {u"255", u"255", u"255", u"0"};
  F.IP_Port = u"47808";
  F.IP_Device_Name = u"devicename1";
  F.IP_Device_Identifier = u"4194303";
  F.MSTP_Device_Name = u"mstp2";
  F.MSTP_MAC_Address = u"127";
  F.MSTP_Max_Master = u"127";
  F.MSTP_Max_Info_Frame = u"1";
  F.MSTP_Device_Instance = u"0";
  F.MSTP_Network = u"65534";
  return F;
}

TEST(ParGenChecks, SisterVariantPanels) {
  struct TPanelRow {
    const char* Name;
    std::function<TCheck_Result()> Check;
    Integer Text_Id;
  };
  const std::vector<TPanelRow> Rows = {
      {"modbus tcp passes", [] { return Check_ModbusTCPSlave(Good_ModbusTCP()); }, -1},
      {"modbus tcp ip3",
       [] {
         auto F = Good_ModbusTCP();
         F.IP[2] = u"";
         return Check_ModbusTCPSlave(F);
       },
       514},
      {"modbus tcp mask4",
       [] {
         auto F = Good_ModbusTCP();
         F.SM[3] = u"256";
         return Check_ModbusTCPSlave(F);
       },
       519},
      {"modbus tcp gateway unticked not checked",
       [] {
         auto F = Good_ModbusTCP();
         F.GAT = {u"x", u"x", u"x", u"x"};
         return Check_ModbusTCPSlave(F);
       },
       -1},
      {"modbus tcp gateway ticked",
       [] {
         auto F = Good_ModbusTCP();
         F.En_GAT = true;
         F.GAT = {u"1", u"x", u"1", u"1"};
         return Check_ModbusTCPSlave(F);
       },
       521},
      {"modbus tcp port 5000",
       [] {
         auto F = Good_ModbusTCP();
         F.Port = u"5000";
         return Check_ModbusTCPSlave(F);
       },
       524},
      {"modbus tcp port 65536",
       [] {
         auto F = Good_ModbusTCP();
         F.Port = u"65536";
         return Check_ModbusTCPSlave(F);
       },
       524},
      {"modbus tcp port in hexadecimal",
       [] {
         auto F = Good_ModbusTCP();
         F.Port = u"$1F6";
         return Check_ModbusTCPSlave(F);
       },
       524},
      {"modbus slave id in hexadecimal", [] { return Check_ModbusSlave({0, 0, u"0x10"}); }, 526},
      {"modbus slave two stop bits with no parity", [] { return Check_ModbusSlave({0, 1, u"1"}); }, -1},
      {"modbus slave two stop bits with odd parity", [] { return Check_ModbusSlave({1, 1, u"1"}); }, 525},
      {"modbus slave id 247", [] { return Check_ModbusSlave({2, 0, u"247"}); }, -1},
      {"modbus slave id 248", [] { return Check_ModbusSlave({0, 0, u"248"}); }, 526},
      {"modbus slave id 0", [] { return Check_ModbusSlave({0, 0, u"0"}); }, 526},
      {"ntp 10000000", [] { return Check_NTP(u"10000000"); }, -1},
      {"ntp 10000001", [] { return Check_NTP(u"10000001"); }, 545},
      {"ntp empty", [] { return Check_NTP(u""); }, 545},
      {"bacnet ip passes", [] { return Check_BACnetSlave(Good_BACnet()); }, -1},
      {"bacnet ip address 1",
       [] {
         auto F = Good_BACnet();
         F.IP[0] = u"-5";
         return Check_BACnetSlave(F);
       },
       730},
      {"bacnet ip gateway ticked",
       [] {
         auto F = Good_BACnet();
         F.En_GAT = true;
         return Check_BACnetSlave(F);  // gateway boxes empty
       },
       738},
      {"bacnet ip port 10001",
       [] {
         auto F = Good_BACnet();
         F.IP_Port = u"10001";
         return Check_BACnetSlave(F);
       },
       742},
      {"bacnet ip name with a capital",
       [] {
         auto F = Good_BACnet();
         F.IP_Device_Name = u"Device1";
         return Check_BACnetSlave(F);
       },
       743},
      {"bacnet ip identifier 4194304",
       [] {
         auto F = Good_BACnet();
         F.IP_Device_Identifier = u"4194304";
         return Check_BACnetSlave(F);
       },
       744},
      {"bacnet ms/tp ignores the ip rows",
       [] {
         auto F = Good_BACnet();
         F.Type_Index = 1;
         F.IP = {u"", u"", u"", u""};
         return Check_BACnetSlave(F);
       },
       -1},
      {"bacnet ms/tp name empty",
       [] {
         auto F = Good_BACnet();
         F.Type_Index = 1;
         F.MSTP_Device_Name = u"";
         return Check_BACnetSlave(F);
       },
       745},
      {"bacnet ms/tp mac 128",
       [] {
         auto F = Good_BACnet();
         F.Type_Index = 1;
         F.MSTP_MAC_Address = u"128";
         return Check_BACnetSlave(F);
       },
       746},
      {"bacnet ms/tp max master 0",
       [] {
         auto F = Good_BACnet();
         F.Type_Index = 1;
         F.MSTP_Max_Master = u"0";
         return Check_BACnetSlave(F);
       },
       747},
      {"bacnet ms/tp info frames 101",
       [] {
         auto F = Good_BACnet();
         F.Type_Index = 1;
         F.MSTP_Max_Info_Frame = u"101";
         return Check_BACnetSlave(F);
       },
       748},
      {"bacnet ms/tp instance",
       [] {
         auto F = Good_BACnet();
         F.Type_Index = 1;
         F.MSTP_Device_Instance = u"devicename1";
         return Check_BACnetSlave(F);
       },
       749},
      {"bacnet ms/tp network 0",
       [] {
         auto F = Good_BACnet();
         F.Type_Index = 1;
         F.MSTP_Network = u"0";
         return Check_BACnetSlave(F);
       },
       750},
  };
  for (const TPanelRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    EXPECT_EQ(Row.Check().Text_Id, Row.Text_Id);
  }
}

TEST(ParGenChecks, PerVariant) {
  TParGen_Values Broken_Ethernet = Default_ParGen_Values();
  Broken_Ethernet.Ethernet_IP[0] = u"";
  TBACnetSlave_Fields MSTP = Good_BACnet();
  MSTP.Type_Index = 1;
  TBACnetSlave_Fields MSTP_Bad_MAC = MSTP;
  MSTP_Bad_MAC.MSTP_MAC_Address = u"200";
  TModbusTCPSlave_Fields Port_5000 = Good_ModbusTCP();
  Port_5000.Port = u"5000";
  TParGen_Values Bad_Station = Default_ParGen_Values();
  Bad_Station.PROFIBUS_ID_Device = u"126";

  struct TVariantRow {
    const char* Name;
    TCheck_Result Result;
    Integer Text_Id;
  };
  const std::vector<TVariantRow> Rows = {
      {"31A05 port", Check_Variant_31A05(Port_5000), 524},
      {"31A06 BACnet/IP does not check the hidden Ethernet panel",
       Check_Variant_31A06(Good_BACnet(), Broken_Ethernet), -1},
      {"31A06 MS/TP checks the Ethernet panel", Check_Variant_31A06(MSTP, Broken_Ethernet), 527},
      {"31A06 the BACnet panel comes first", Check_Variant_31A06(MSTP_Bad_MAC, Broken_Ethernet), 746},
      {"31A07 Ethernet before NTP", Check_Variant_31A07(Broken_Ethernet, u"-1"), 527},
      {"31A07 NTP", Check_Variant_31A07(Default_ParGen_Values(), u"-1"), 545},
      {"31A07 passes", Check_Variant_31A07(Default_ParGen_Values(), u"64"), -1},
      {"31A08 Ethernet before PROFIBUS", Check_Variant_31A08(Broken_Ethernet), 527},
      {"31A08 PROFIBUS", Check_Variant_31A08(Bad_Station), 760},
  };
  for (const TVariantRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    EXPECT_EQ(Row.Result.Text_Id, Row.Text_Id);
  }
}

TEST(ParGenChecks, BACnetDeviceNames) {
  EXPECT_TRUE(Is_Valid_BACnet_Device_Name(u"a"));
  EXPECT_TRUE(Is_Valid_BACnet_Device_Name(u"devicename12345"));   // 15 characters
  EXPECT_FALSE(Is_Valid_BACnet_Device_Name(u"devicename123456")); // 16
  EXPECT_FALSE(Is_Valid_BACnet_Device_Name(u""));
  EXPECT_FALSE(Is_Valid_BACnet_Device_Name(u"device-1"));
  EXPECT_FALSE(Is_Valid_BACnet_Device_Name(u"device 1"));
}

}  // namespace
