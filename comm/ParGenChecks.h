// The checks of the communication parameters dialog, as pure functions over the field texts.
//
// Each check reads a field as a decimal integer, by the rule the readers of "ParGen.xml" use; a
// text that is not one, an empty box or a hexadecimal form included, counts as -1 and so fails. The checks of a panel run in the order of its rows and stop at the
// first failure, whose text id (in the text table) the dialog shows in an error box.
#pragma once

#include <array>

#include "comm/ParGenFile.h"
#include "platform/rtl/System.h"

// The outcome of a check: the text id of the first failure, or none.
struct TCheck_Result {
  Integer Text_Id = -1;  // -1: every check passed
  bool Ok() const { return Text_Id < 0; }
  static TCheck_Result Pass() { return {}; }
  static TCheck_Result Fail(Integer Id) { return {Id}; }
};

// A field's text as the checks read it: the decimal integer, or -1 when the text is not one.
Integer Check_Value(const String& Text);

// Four octets 0..255 in order; the first failing octet i gives First_Text_Id + i.
TCheck_Result Check_Octets(const std::array<String, 4>& Octets, Integer First_Text_Id);

// ---- This converter: the Ethernet and PROFIBUS panels ----

// IP address (texts 527..530), subnet mask (531..534), the gateway when ticked (535..538), the DNS
// server when ticked (539..542), station address 1..125 (760), input bytes 0..244 (761), output
// bytes 0..244 (762).
TCheck_Result Check_ParGen_Values(const TParGen_Values& Values);

// The Ethernet half of the above (texts 527..542); the sister variants that show the Ethernet panel
// use it too.
TCheck_Result Check_Ethernet_Values(const TParGen_Values& Values);

// ---- The panels of the sister variants ----

// The field texts of the panels, as the dialog gathers them.

// The Modbus TCP slave panel.
struct TModbusTCPSlave_Fields {
  std::array<String, 4> IP;
  std::array<String, 4> SM;
  bool En_GAT = false;
  std::array<String, 4> GAT;
  String Port;
};
// IP address (512..515), subnet mask (516..519), the gateway when ticked (520..523), the port
// 0..65535 but not 5000, which the converter keeps for itself (524).
TCheck_Result Check_ModbusTCPSlave(const TModbusTCPSlave_Fields& F);

// The Modbus slave panel: the list indexes of parity and stop bits, and the ID device.
struct TModbusSlave_Fields {
  Integer Parity_Index = 0;     // "NONE", "ODD", "EVEN"
  Integer StopBits_Index = 0;   // "1 Stop Bits", "2 Stop Bits"
  String IDDevice;
};
// Two stop bits only with no parity (525); ID device 1..247 (526).
TCheck_Result Check_ModbusSlave(const TModbusSlave_Fields& F);

// The NTP panel: poll time 0..10000000 seconds (545).
TCheck_Result Check_NTP(const String& Poll_Time);

// The BACnet slave panel. Type index 0 is BACnet/IP, any other BACnet MS/TP; only the rows of the
// chosen type are shown and checked.
struct TBACnetSlave_Fields {
  Integer Type_Index = 0;
  std::array<String, 4> IP;
  std::array<String, 4> SM;
  bool En_GAT = false;
  std::array<String, 4> GAT;
  String IP_Port;
  String IP_Device_Name;
  String IP_Device_Identifier;
  String MSTP_Device_Name;
  String MSTP_MAC_Address;
  String MSTP_Max_Master;
  String MSTP_Max_Info_Frame;
  String MSTP_Device_Instance;
  String MSTP_Network;
};
// BACnet/IP: IP address (730..733), subnet mask (734..737), the gateway when ticked (738..741), the
// port 0..65535 but not 10000 or 10001, the converter's own ports (742), the device name (743),
// the device identifier 0..4194303 (744).
// BACnet MS/TP: the device name (745), MAC address 0..127 (746), max master 1..127 (747), max info
// frames 1..100 (748), device instance 0..4194303 (749), network 1..65534 (750).
TCheck_Result Check_BACnetSlave(const TBACnetSlave_Fields& F);

// A BACnet device name: 1 to 15 characters, each a lower-case letter or a digit.
bool Is_Valid_BACnet_Device_Name(const String& Name);

// ---- The checks of each variant, panel by panel in their stacking order ----

// Modbus TCP slave: its one panel.
TCheck_Result Check_Variant_31A05(const TModbusTCPSlave_Fields& ModbusTCP);
// BACnet slave: the BACnet panel, then the Ethernet panel, which is shown (and so checked) only
// with BACnet MS/TP.
TCheck_Result Check_Variant_31A06(const TBACnetSlave_Fields& BACnet, const TParGen_Values& Ethernet);
// MQTT: the Ethernet panel, then the NTP poll time; the MQTT and TLS panels have no bounds to check.
TCheck_Result Check_Variant_31A07(const TParGen_Values& Ethernet, const String& NTP_Poll_Time);
// This converter: the Ethernet panel, then the PROFIBUS panel (Check_ParGen_Values).
TCheck_Result Check_Variant_31A08(const TParGen_Values& Values);
// PROFINET has no checks of its own.
