#include "comm/ParGenChecks.h"

#include "platform/rtl/SysUtils.h"

namespace {

bool In_Range(const String& Text, Integer Low, Integer High) {
  const Integer V = Check_Value(Text);
  return V >= Low && V <= High;
}

}  // namespace

Integer Check_Value(const String& Text) { return DecStrToIntDef(Text, -1); }

TCheck_Result Check_Octets(const std::array<String, 4>& Octets, Integer First_Text_Id) {
  for (int i = 0; i < 4; ++i) {
    if (!In_Range(Octets[i], 0, 255)) return TCheck_Result::Fail(First_Text_Id + i);
  }
  return TCheck_Result::Pass();
}

TCheck_Result Check_Ethernet_Values(const TParGen_Values& V) {
  TCheck_Result R = Check_Octets(V.Ethernet_IP, 527);
  if (R.Ok()) R = Check_Octets(V.Ethernet_SM, 531);
  if (R.Ok() && V.Ethernet_EN_GAT) R = Check_Octets(V.Ethernet_GAT, 535);
  if (R.Ok() && V.Ethernet_EN_DNS) R = Check_Octets(V.Ethernet_DNS, 539);
  return R;
}

TCheck_Result Check_ParGen_Values(const TParGen_Values& V) {
  TCheck_Result R = Check_Ethernet_Values(V);
  if (!R.Ok()) return R;
  if (!In_Range(V.PROFIBUS_ID_Device, 1, 125)) return TCheck_Result::Fail(760);
  if (!In_Range(V.PROFINET_NB_IN, 0, 244)) return TCheck_Result::Fail(761);
  if (!In_Range(V.PROFINET_NB_OUT, 0, 244)) return TCheck_Result::Fail(762);
  return TCheck_Result::Pass();
}

TCheck_Result Check_ModbusTCPSlave(const TModbusTCPSlave_Fields& F) {
  TCheck_Result R = Check_Octets(F.IP, 512);
  if (R.Ok()) R = Check_Octets(F.SM, 516);
  if (R.Ok() && F.En_GAT) R = Check_Octets(F.GAT, 520);
  if (!R.Ok()) return R;
  // Port 5000 is the converter's own service port.
  if (!In_Range(F.Port, 0, 65535) || Check_Value(F.Port) == 5000) return TCheck_Result::Fail(524);
  return TCheck_Result::Pass();
}

TCheck_Result Check_ModbusSlave(const TModbusSlave_Fields& F) {
  if (F.StopBits_Index == 1 && F.Parity_Index != 0) return TCheck_Result::Fail(525);
  if (!In_Range(F.IDDevice, 1, 247)) return TCheck_Result::Fail(526);
  return TCheck_Result::Pass();
}

TCheck_Result Check_NTP(const String& Poll_Time) {
  if (!In_Range(Poll_Time, 0, 10000000)) return TCheck_Result::Fail(545);
  return TCheck_Result::Pass();
}

bool Is_Valid_BACnet_Device_Name(const String& Name) {
  if (Name.empty() || Name.size() > 15) return false;
  for (Char C : Name) {
    if (!((C >= u'a' && C <= u'z') || (C >= u'0' && C <= u'9'))) return false;
  }
  return true;
}

TCheck_Result Check_BACnetSlave(const TBACnetSlave_Fields& F) {
  if (F.Type_Index == 0) {
    TCheck_Result R = Check_Octets(F.IP, 730);
    if (R.Ok()) R = Check_Octets(F.SM, 734);
    if (R.Ok() && F.En_GAT) R = Check_Octets(F.GAT, 738);
    if (!R.Ok()) return R;
    // 10000 and 10001 are the converter's own service ports.
    const Integer Port = Check_Value(F.IP_Port);
    if (!In_Range(F.IP_Port, 0, 65535) || Port == 10000 || Port == 10001) {
      return TCheck_Result::Fail(742);
    }
    if (!Is_Valid_BACnet_Device_Name(F.IP_Device_Name)) return TCheck_Result::Fail(743);
    if (!In_Range(F.IP_Device_Identifier, 0, 4194303)) return TCheck_Result::Fail(744);
    return TCheck_Result::Pass();
  }
  if (!Is_Valid_BACnet_Device_Name(F.MSTP_Device_Name)) return TCheck_Result::Fail(745);
  if (!In_Range(F.MSTP_MAC_Address, 0, 127)) return TCheck_Result::Fail(746);
  if (!In_Range(F.MSTP_Max_Master, 1, 127)) return TCheck_Result::Fail(747);
  if (!In_Range(F.MSTP_Max_Info_Frame, 1, 100)) return TCheck_Result::Fail(748);
  if (!In_Range(F.MSTP_Device_Instance, 0, 4194303)) return TCheck_Result::Fail(749);
  if (!In_Range(F.MSTP_Network, 1, 65534)) return TCheck_Result::Fail(750);
  return TCheck_Result::Pass();
}

TCheck_Result Check_Variant_31A05(const TModbusTCPSlave_Fields& ModbusTCP) {
  return Check_ModbusTCPSlave(ModbusTCP);
}

TCheck_Result Check_Variant_31A06(const TBACnetSlave_Fields& BACnet, const TParGen_Values& Ethernet) {
  const TCheck_Result R = Check_BACnetSlave(BACnet);
  if (!R.Ok() || BACnet.Type_Index == 0) return R;
  return Check_Ethernet_Values(Ethernet);
}

TCheck_Result Check_Variant_31A07(const TParGen_Values& Ethernet, const String& NTP_Poll_Time) {
  const TCheck_Result R = Check_Ethernet_Values(Ethernet);
  if (!R.Ok()) return R;
  return Check_NTP(NTP_Poll_Time);
}

TCheck_Result Check_Variant_31A08(const TParGen_Values& Values) { return Check_ParGen_Values(Values); }
