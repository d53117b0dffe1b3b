// The communication parameters dialog ("Set Communication"): edits the converter's communication
// parameters and keeps them in "ParGen.xml" of the open configuration (comm/ParGenFile.h).
//
// The dialog serves the whole converter family. Its body is a category panel group `CPG` with 17
// protocol panels; each model variant shows its own few, numbered "1. ", "2. " ... in its own order,
// and lays out their insides with its own routines. This program is the EnOcean / PROFIBUS slave
// converter (31A08): it shows the PROFIBUS panel and the Ethernet panel. Loading, checking and
// saving cover the Ethernet and PROFIBUS fields; the other panels show their design contents.
//
// The variant is fixed when the program is built (ParGen_Build_Variant); the constructor that takes
// a variant exists so that the layouts of the sister variants can be built and checked as well.
#pragma once

#include <array>
#include <vector>

#include "app/UDialogFrame.h"
#include "comm/ParGenFile.h"

class TCategoryPanel;
class TCategoryPanelGroup;
class TCheckBox;
class TComboBox;
class TControl;
class TCustomEdit;
class TEdit;
class TFadeButton;
class TImageList;
class TLabel;
class TRichEdit;

// The model variants that have layout routines in the dialog.
enum TParGen_Variant {
  pv31A05,  // Modbus TCP slave
  pv31A06,  // BACnet slave
  pv31A07,  // MQTT
  pv31A08,  // EnOcean / PROFIBUS slave
  pv31A09,  // PROFINET
};
// The variant this program is built for.
constexpr TParGen_Variant ParGen_Build_Variant = pv31A08;

// The client size of the dialog; the width is kept on every resize.
constexpr Integer ParGen_Client_Width = 460;
constexpr Integer ParGen_Client_Height = 700;
// The text of the question asked by Cancel after a change.
constexpr Integer ParGen_Text_Leave_Question = 763;

class TFParGen : public TFDialog {
 public:
  // The dialog of this program's variant.
  explicit TFParGen(TComponent* AOwner);
  // The dialog laid out for another variant of the family.
  TFParGen(TComponent* AOwner, TParGen_Variant Variant);
  String ClassName() const override { return u"TFParGen"; }

  TParGen_Variant Variant() const { return FVariant; }

  // True when a field was edited or a box clicked since the dialog was last shown.
  bool Is_Change = false;

  // --- The frame ---
  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;
  TCategoryPanelGroup* CPG = nullptr;
  // The header images: 0 expanded, 1 collapsed.
  TImageList* ImageList1 = nullptr;

  // --- The 17 protocol panels, in the order of the group's design ---
  TCategoryPanel* CP_Modbus_TCP_Slave = nullptr;
  TCategoryPanel* CP_Modbus_Slave = nullptr;
  TCategoryPanel* CP_MQTT = nullptr;
  TCategoryPanel* CP_Ethernet = nullptr;
  TCategoryPanel* CP_TLS = nullptr;
  TCategoryPanel* CP_NTP = nullptr;
  TCategoryPanel* CP_PROFINET = nullptr;
  TCategoryPanel* CP_Serial = nullptr;
  TCategoryPanel* CP_Modbus_Master = nullptr;
  TCategoryPanel* CP_Modbus_TCP_Master = nullptr;
  TCategoryPanel* CP_BACnet_Master = nullptr;
  TCategoryPanel* CP_BACnet_Slave = nullptr;
  TCategoryPanel* CP_CAN = nullptr;
  TCategoryPanel* CP_CANopen = nullptr;
  TCategoryPanel* CP_DeviceNet_Master = nullptr;
  TCategoryPanel* CP_DeviceNet_Slave = nullptr;
  TCategoryPanel* CP_PROFIBUS = nullptr;

  // The "." labels between the four octet edits of an address row.
  using TDots = std::array<TLabel*, 3>;

  // --- Modbus TCP slave ---
  TLabel* L_ModbusTCPSlave_IP = nullptr;
  TEdit *E_ModbusTCPSlave_IP1 = nullptr, *E_ModbusTCPSlave_IP2 = nullptr, *E_ModbusTCPSlave_IP3 = nullptr,
        *E_ModbusTCPSlave_IP4 = nullptr;
  TDots L_ModbusTCPSlave_IP_Dots{};
  TLabel* L_ModbusTCPSlave_SM = nullptr;
  TEdit *E_ModbusTCPSlave_SM1 = nullptr, *E_ModbusTCPSlave_SM2 = nullptr, *E_ModbusTCPSlave_SM3 = nullptr,
        *E_ModbusTCPSlave_SM4 = nullptr;
  TDots L_ModbusTCPSlave_SM_Dots{};
  TCheckBox* CB_ModbusTCPSlave_En_GAT = nullptr;
  TEdit *E_ModbusTCPSlave_GAT1 = nullptr, *E_ModbusTCPSlave_GAT2 = nullptr, *E_ModbusTCPSlave_GAT3 = nullptr,
        *E_ModbusTCPSlave_GAT4 = nullptr;
  TDots L_ModbusTCPSlave_GAT_Dots{};
  TLabel* L_ModbusTCPSlave_Port = nullptr;
  TEdit* E_ModbusTCPSlave_Port = nullptr;

  // --- Modbus slave ---
  TLabel* L_ModbusSlave_Serial = nullptr;
  TComboBox* CB_ModbusSlave_Serial = nullptr;
  TLabel* L_ModbusSlave_Baudrate = nullptr;
  TComboBox* CB_ModbusSlave_Baudrate = nullptr;
  TLabel* L_ModbusSlave_Parity = nullptr;
  TComboBox* CB_ModbusSlave_Parity = nullptr;
  TLabel* L_ModbusSlave_StopBits = nullptr;
  TComboBox* CB_ModbusSlave_StopBits = nullptr;
  TLabel* L_ModbusSlave_IDDevice = nullptr;
  TEdit* E_ModbusSlave_IDDevice = nullptr;
  TCheckBox* CB_ModbusSlave_ReadInput = nullptr;

  // --- MQTT ---
  TLabel* L_MQTT_Server = nullptr;
  TEdit* E_MQTT_Server = nullptr;
  TLabel* L_MQTT_Server_Port = nullptr;
  TEdit* E_MQTT_Server_Port = nullptr;
  TLabel* L_MQTT_Client_ID = nullptr;
  TEdit* E_MQTT_Client_ID = nullptr;
  TLabel* L_MQTT_Keep_Alive = nullptr;
  TEdit* E_MQTT_Keep_Alive = nullptr;
  TCheckBox* CB_MQTT_Clean_Session = nullptr;
  TCheckBox* CB_MQTT_WillFlag = nullptr;
  TLabel* L_MQTT_Will_TopicName = nullptr;
  TEdit* E_MQTT_Will_TopicName = nullptr;
  TLabel* L_MQTT_Will_Message = nullptr;
  TEdit* E_MQTT_Will_Message = nullptr;
  TCheckBox* CB_MQTT_Will_Retained = nullptr;
  TLabel* L_MQTT_Will_QoS = nullptr;
  TComboBox* CB_MQTT_Will_QoS = nullptr;
  TLabel* L_MQTT_Username = nullptr;
  TEdit* E_MQTT_Username = nullptr;
  TLabel* L_MQTT_Password = nullptr;
  TRichEdit* E_MQTT_Password = nullptr;
  TLabel* L_MQTT_ASync_Send_Time = nullptr;
  TEdit* E_MQTT_ASync_Send_Time = nullptr;

  // --- Ethernet ---
  TLabel* L_Ethernet_IP = nullptr;
  TEdit *E_Ethernet_IP1 = nullptr, *E_Ethernet_IP2 = nullptr, *E_Ethernet_IP3 = nullptr, *E_Ethernet_IP4 = nullptr;
  TDots L_Ethernet_IP_Dots{};
  TLabel* L_Ethernet_SM = nullptr;
  TEdit *E_Ethernet_SM1 = nullptr, *E_Ethernet_SM2 = nullptr, *E_Ethernet_SM3 = nullptr, *E_Ethernet_SM4 = nullptr;
  TDots L_Ethernet_SM_Dots{};
  TCheckBox* CB_Ethernet_En_GAT = nullptr;
  TEdit *E_Ethernet_GAT1 = nullptr, *E_Ethernet_GAT2 = nullptr, *E_Ethernet_GAT3 = nullptr,
        *E_Ethernet_GAT4 = nullptr;
  TDots L_Ethernet_GAT_Dots{};
  TCheckBox* CB_Ethernet_DNS = nullptr;
  TEdit *E_Ethernet_DNS1 = nullptr, *E_Ethernet_DNS2 = nullptr, *E_Ethernet_DNS3 = nullptr,
        *E_Ethernet_DNS4 = nullptr;
  TDots L_Ethernet_DNS_Dots{};
  TLabel* L_Ethernet_TCP_Port = nullptr;
  TEdit* E_Ethernet_TCP_Port = nullptr;
  TLabel* L_Ethernet_UDP_Port = nullptr;
  TEdit* E_Ethernet_UDP_Port = nullptr;

  // --- TLS ---
  TCheckBox* CB_TLS_Enable = nullptr;
  TCheckBox* CB_TLS_En_Server_Auth = nullptr;
  TLabel* L_TLS_Server_Cert = nullptr;
  TRichEdit* E_TLS_Server_Cert = nullptr;
  TCheckBox* CB_TLS_En_Client_Auth = nullptr;
  TLabel* L_TLS_Client_Cert = nullptr;
  TRichEdit* E_TLS_Client_Cert = nullptr;
  TLabel* L_TLS_Client_Cert_Key = nullptr;
  TRichEdit* E_TLS_Client_Cert_Key = nullptr;
  TLabel* L_TLS_Client_Cert_Key_Pass = nullptr;
  TEdit* E_TLS_Client_Cert_Key_Pass = nullptr;

  // --- NTP ---
  TLabel* L_NTP_Server_URL = nullptr;
  TEdit* E_NTP_Server_URL = nullptr;
  TLabel* L_NTP_Poll_Time = nullptr;
  TEdit* E_NTP_Poll_Time = nullptr;

  // --- PROFINET ---
  TLabel* L_PROFINET_IP = nullptr;
  TEdit *E_PROFINET_IP1 = nullptr, *E_PROFINET_IP2 = nullptr, *E_PROFINET_IP3 = nullptr, *E_PROFINET_IP4 = nullptr;
  TDots L_PROFINET_IP_Dots{};
  TLabel* L_PROFINET_SM = nullptr;
  TEdit *E_PROFINET_SM1 = nullptr, *E_PROFINET_SM2 = nullptr, *E_PROFINET_SM3 = nullptr, *E_PROFINET_SM4 = nullptr;
  TDots L_PROFINET_SM_Dots{};
  TCheckBox* CB_PROFINET_GAT = nullptr;
  TEdit *E_PROFINET_GAT1 = nullptr, *E_PROFINET_GAT2 = nullptr, *E_PROFINET_GAT3 = nullptr,
        *E_PROFINET_GAT4 = nullptr;
  TDots L_PROFINET_GAT_Dots{};
  TLabel* L_PROFINET_TunnelPort = nullptr;
  TEdit* E_PROFINET_TunnelPort = nullptr;
  TLabel* L_PROFINET_NameStation = nullptr;
  TEdit* E_PROFINET_NameStation = nullptr;
  TLabel* L_PROFINET_NByte_In = nullptr;
  TEdit* E_PROFINET_NByte_In = nullptr;
  TLabel* L_PROFINET_NByte_Out = nullptr;
  TEdit* E_PROFINET_NByte_Out = nullptr;
  TCheckBox* CB_PROFINET_Diagnostic = nullptr;
  TEdit* E_PROFINET_Diagnostic = nullptr;

  // --- Serial ---
  TLabel* L_Serial_Serial = nullptr;
  TComboBox* CB_Serial_Serial = nullptr;
  TLabel* L_Serial_Baudrate = nullptr;
  TComboBox* CB_Serial_Baudrate = nullptr;
  TLabel* L_Serial_Parity = nullptr;
  TComboBox* Cb_Serial_Parity = nullptr;
  TLabel* L_Serial_StopBits = nullptr;
  TComboBox* CB_Serial_StopBits = nullptr;

  // --- Modbus master ---
  TLabel* L_ModbusMaster_Serial = nullptr;
  TComboBox* CB_ModbusMaster_Serial = nullptr;
  TLabel* L_ModbusMaster_Baudrate = nullptr;
  TComboBox* CB_ModbusMaster_Baudrate = nullptr;
  TLabel* L_ModbusMaster_Parity = nullptr;
  TComboBox* CB_ModbusMaster_Parity = nullptr;
  TLabel* L_ModbusMaster_StopBits = nullptr;
  TComboBox* CB_ModbusMaster_StopBits = nullptr;
  TLabel* L_ModbusMaster_TimeOut = nullptr;
  TEdit* E_ModbusMaster_TimeOut = nullptr;
  TLabel* L_ModbusMaster_CyclicDelay = nullptr;
  TEdit* E_ModbusMaster_CyclicDelay = nullptr;

  // --- Modbus TCP master ---
  TLabel* L_ModbusTCPMaster_IP = nullptr;
  TEdit *E_ModbusTCPMaster_IP1 = nullptr, *E_ModbusTCPMaster_IP2 = nullptr, *E_ModbusTCPMaster_IP3 = nullptr,
        *E_ModbusTCPMaster_IP4 = nullptr;
  TDots L_ModbusTCPMaster_IP_Dots{};
  TLabel* L_ModbusTCPMaster_SM = nullptr;
  TEdit *E_ModbusTCPMaster_SM1 = nullptr, *E_ModbusTCPMaster_SM2 = nullptr, *E_ModbusTCPMaster_SM3 = nullptr,
        *E_ModbusTCPMaster_SM4 = nullptr;
  TDots L_ModbusTCPMaster_SM_Dots{};
  TCheckBox* CB_ModbusTCPMaster_En_GAT = nullptr;
  TEdit *E_ModbusTCPMaster_GAT1 = nullptr, *E_ModbusTCPMaster_GAT2 = nullptr, *E_ModbusTCPMaster_GAT3 = nullptr,
        *E_ModbusTCPMaster_GAT4 = nullptr;
  TDots L_ModbusTCPMaster_GAT_Dots{};
  TLabel* L_ModbusTCPMaster_TimeOut = nullptr;
  TEdit* E_ModbusTCPMaster_TimeOut = nullptr;
  TLabel* L_ModbusTCPMaster_CyclicDelay = nullptr;
  TEdit* E_ModbusTCPMaster_CyclicDelay = nullptr;

  // --- BACnet master ---
  TLabel* L_BACnet_Master_Type = nullptr;
  TComboBox* CB_BACnet_Master_Type = nullptr;
  TLabel* L_BACnet_IP_Master_IP = nullptr;
  TEdit *E_BACnet_IP_Master_IP1 = nullptr, *E_BACnet_IP_Master_IP2 = nullptr, *E_BACnet_IP_Master_IP3 = nullptr,
        *E_BACnet_IP_Master_IP4 = nullptr;
  TDots L_BACnet_IP_Master_IP_Dots{};
  TLabel* L_BACnet_IP_Master_SM = nullptr;
  TEdit *E_BACnet_IP_Master_SM1 = nullptr, *E_BACnet_IP_Master_SM2 = nullptr, *E_BACnet_IP_Master_SM3 = nullptr,
        *E_BACnet_IP_Master_SM4 = nullptr;
  TDots L_BACnet_IP_Master_SM_Dots{};
  TCheckBox* CB_BACnet_IP_Master_GAT = nullptr;
  TEdit *E_BACnet_IP_Master_GAT1 = nullptr, *E_BACnet_IP_Master_GAT2 = nullptr,
        *E_BACnet_IP_Master_GAT3 = nullptr, *E_BACnet_IP_Master_GAT4 = nullptr;
  TDots L_BACnet_IP_Master_GAT_Dots{};
  TLabel* L_BACnet_IP_Master_Port = nullptr;
  TEdit* E_BACnet_IP_Master_Port = nullptr;
  TLabel* L_BACnet_IP_Master_Device_Name = nullptr;
  TEdit* E_BACnet_IP_Master_Device_Name = nullptr;
  TLabel* L_BACnet_IP_Master_Device_Identifier = nullptr;
  TEdit* E_BACnet_IP_Master_Device_Identifier = nullptr;
  TLabel* L_BACnet_IP_Master_TimeOut_Polling = nullptr;
  TEdit* E_BACnet_IP_Master_TimeOut_Polling = nullptr;
  TLabel* L_BACnet_MSTP_Master_Baudrate = nullptr;
  TComboBox* CB_BACnet_MSTP_Master_Baudrate = nullptr;
  TLabel* L_BACnet_MSTP_Master_Parity = nullptr;
  TComboBox* CB_BACnet_MSTP_Master_Parity = nullptr;
  TLabel* L_BACnet_MSTP_Master_Device_Name = nullptr;
  TEdit* E_BACnet_MSTP_Master_Device_Name = nullptr;
  TLabel* L_BACnet_MSTP_Master_MAC_Address = nullptr;
  TEdit* E_BACnet_MSTP_Master_MAC_Address = nullptr;
  TLabel* L_BACnet_MSTP_Master_Max_Master = nullptr;
  TEdit* E_BACnet_MSTP_Master_Max_Master = nullptr;
  TLabel* L_BACnet_MSTP_Master_Max_Info_Frame = nullptr;
  TEdit* E_BACnet_MSTP_Master_Max_Info_Frame = nullptr;
  TLabel* L_BACnet_MSTP_Master_Device_Instance = nullptr;
  TEdit* E_BACnet_MSTP_Master_Device_Instance = nullptr;

  // --- BACnet slave ---
  TLabel* L_BACnet_Slave_Type = nullptr;
  TComboBox* CB_BACnet_Slave_Type = nullptr;
  TLabel* L_BACnet_IP_Slave_IP = nullptr;
  TEdit *E_BACnet_IP_Slave_IP1 = nullptr, *E_BACnet_IP_Slave_IP2 = nullptr, *E_BACnet_IP_Slave_IP3 = nullptr,
        *E_BACnet_IP_Slave_IP4 = nullptr;
  TDots L_BACnet_IP_Slave_IP_Dots{};
  TLabel* L_BACnet_IP_Slave_SM = nullptr;
  TEdit *E_BACnet_IP_Slave_SM1 = nullptr, *E_BACnet_IP_Slave_SM2 = nullptr, *E_BACnet_IP_Slave_SM3 = nullptr,
        *E_BACnet_IP_Slave_SM4 = nullptr;
  TDots L_BACnet_IP_Slave_SM_Dots{};
  TCheckBox* CB_BACnet_IP_Slave_GAT = nullptr;
  TEdit *E_BACnet_IP_Slave_GAT1 = nullptr, *E_BACnet_IP_Slave_GAT2 = nullptr, *E_BACnet_IP_Slave_GAT3 = nullptr,
        *E_BACnet_IP_Slave_GAT4 = nullptr;
  TDots L_BACnet_IP_Slave_GAT_Dots{};
  TLabel* L_BACnet_IP_Slave_Port = nullptr;
  TEdit* E_BACnet_IP_Slave_Port = nullptr;
  TLabel* L_BACnet_IP_Slave_Device_Name = nullptr;
  TEdit* E_BACnet_IP_Slave_Device_Name = nullptr;
  TLabel* L_BACnet_IP_Slave_Device_Identifier = nullptr;
  TEdit* E_BACnet_IP_Slave_Device_Identifier = nullptr;
  TLabel* L_BACnet_MSTP_Slave_Baudrate = nullptr;
  TComboBox* CB_BACnet_MSTP_Slave_Baudrate = nullptr;
  TLabel* L_BACnet_MSTP_Slave_Parity = nullptr;
  TComboBox* CB_BACnet_MSTP_Slave_Parity = nullptr;
  TLabel* L_BACnet_MSTP_Slave_Device_Name = nullptr;
  TEdit* E_BACnet_MSTP_Slave_Device_Name = nullptr;
  TLabel* L_BACnet_MSTP_Slave_MAC_Address = nullptr;
  TEdit* E_BACnet_MSTP_Slave_MAC_Address = nullptr;
  TLabel* L_BACnet_MSTP_Slave_Max_Master = nullptr;
  TEdit* E_BACnet_MSTP_Slave_Max_Master = nullptr;
  TLabel* L_BACnet_MSTP_Slave_Max_Info_Frame = nullptr;
  TEdit* E_BACnet_MSTP_Slave_Max_Info_Frame = nullptr;
  TLabel* L_BACnet_MSTP_Slave_Device_Instance = nullptr;
  TEdit* E_BACnet_MSTP_Slave_Device_Instance = nullptr;
  TLabel* L_BACnet_MSTP_Slave_Network = nullptr;
  TEdit* E_BACnet_MSTP_Slave_Network = nullptr;
  TCheckBox* CB_BACnet_Slave_Desc_32_Chars = nullptr;

  // --- CAN ---
  TLabel* L_CAN_Baudrate = nullptr;
  TComboBox* CB_CAN_Baudrate = nullptr;

  // --- CANopen ---
  TLabel* L_CANopen_IDDevice = nullptr;
  TEdit* E_CANopen_IDDevice = nullptr;
  TLabel* L_CANopen_Baudrate = nullptr;
  TComboBox* CB_CANopen_Baudrate = nullptr;
  TCheckBox* CB_CANopen_SetOpe = nullptr;
  TCheckBox* CB_CANopen_NetOpe = nullptr;
  TEdit* E_CANopen_NetOpe_Delay = nullptr;
  TLabel* L_CANopen_SDO_Timeout = nullptr;
  TEdit* E_CANopen_SDO_Timeout = nullptr;

  // --- DeviceNet master ---
  TLabel* L_DeviceNet_Master_IDDevice = nullptr;
  TEdit* E_DeviceNet_Master_IDDevice = nullptr;
  TLabel* L_DeviceNet_Master_Baudrate = nullptr;
  TComboBox* CB_DeviceNet_Master_Baudrate = nullptr;

  // --- DeviceNet slave ---
  TLabel* L_DeviceNet_Slave_IDDevice = nullptr;
  TEdit* E_DeviceNet_Slave_IDDevice = nullptr;
  TLabel* L_DeviceNet_Slave_Baudrate = nullptr;
  TComboBox* CB_DeviceNet_Slave_Baudrate = nullptr;
  TLabel* L_DeviceNet_Slave_NumByteIn = nullptr;
  TEdit* E_DeviceNet_Slave_NumByteIn = nullptr;
  TLabel* L_DeviceNet_Slave_NumByteOut = nullptr;
  TEdit* E_DeviceNet_Slave_NumByteOut = nullptr;

  // --- PROFIBUS ---
  TLabel* L_PROFIBUS_IDDevice = nullptr;
  TEdit* E_PROFIBUS_IDDevice = nullptr;
  TLabel* L_PROFIBUS_Baudrate = nullptr;
  TComboBox* CB_PROFIBUS_Baudrate = nullptr;
  TLabel* L_PROFIBUS_NByte_In = nullptr;
  TEdit* E_PROFIBUS_NByte_In = nullptr;
  TLabel* L_PROFIBUS_NByte_Out = nullptr;
  TEdit* E_PROFIBUS_NByte_Out = nullptr;

  // --- Events ---
  // Once, at creation: the size, the variant's panels and layout, the texts.
  void FormCreate(TObject* Sender);
  // Each show: the file (or the defaults) into the fields, then the layout again.
  void FormShow(TObject* Sender);
  // Checks the fields, writes the file and closes with OK; stays open on a failed check.
  void Btn_OKClick(TObject* Sender);
  // Closes with Cancel, asking first when something was changed.
  void Btn_CancelClick(TObject* Sender);
  // The key handler of every octet edit: "." never enters the text; in the Ethernet panel it moves
  // the focus to the next of its 16 octet edits.
  void KeyPress(TObject* Sender, Char& Key);
  // The change handler of every edit, rich edit and drop-down list.
  void On_Change(TObject* Sender);
  // The click handler of the check boxes.
  void On_Click(TObject* Sender);
  // Scrolls the panel group line by line when the wheel turns over it.
  void FormMouseWheel(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled);
  // Keeps the client width.
  void FormResize(TObject* Sender);

  // True when the Ethernet and PROFIBUS fields are within their bounds; otherwise shows the first
  // failure's text in an error box and returns false.
  bool Controllo_Dati();
  // Captions and hints from the text table (panel captions and list items stay as they are).
  void Set_Lang();

  // Shows, stacks, numbers and tab-orders the panels of the variant (once, at creation).
  void Order_TAB_Panels();
  // Lays out the inside of the shown panels and sets their heights.
  void Move_GroupBoxs();

  void Order_TAB_Panels_31A05();
  void Order_TAB_Panels_31A06();
  void Order_TAB_Panels_31A07();
  void Order_TAB_Panels_31A08();
  void Order_TAB_Panels_31A09();
  void RePosition_Objects_31A05();
  void RePosition_Objects_31A06();
  void RePosition_Objects_31A07();
  void RePosition_Objects_31A08();
  void RePosition_Objects_31A09();
  void RePosition_Object_Modbus_TCP_Slave();
  void RePosition_Object_MQTT();
  void RePosition_Object_Ethernet();
  void RePosition_Object_TLS();
  void RePosition_Object_NTP();
  void RePosition_Object_PROFINET();
  void RePosition_Object_BACnet_Slave();
  void RePosition_Object_PROFIBUS();

  // The Ethernet and PROFIBUS fields as they stand, and the same filled in.
  TParGen_Values ParGen_Values() const;
  void Show_ParGen_Values(const TParGen_Values& Values);

  // The 16 octet edits of the Ethernet panel in the order "." walks them.
  std::array<TEdit*, 16> Ethernet_Octet_Chain() const;
  // The 17 panels in design order.
  std::vector<TCategoryPanel*> All_Panels() const;

 private:
  // Creates the controls (UParGenLayout.cpp).
  void Create_Controls();
  // The panels in design order, each below the one before; Part1 returns the top of the next.
  Integer Create_Panels_Part1();
  void Create_Panels_Part2(Integer Design_Top);
  void Wire_Events();
  // Stacks the given panels from the top in order, numbers their captions and tab orders.
  void Stack_Panels(const std::vector<std::pair<TCategoryPanel*, Integer>>& PanelsWithTitles);
  // The height of a panel from the bottom of its lowest control.
  void Set_Panel_Height(TCategoryPanel* Panel, const TControl* Lowest);

  // A control whose caption and hint come from the text table (-1: none).
  struct TText_Entry {
    TControl* Control;
    Integer Caption_Id;
    Integer Hint_Id;
  };
  std::vector<TText_Entry> FTexts;
  // Every octet edit of every panel.
  std::vector<TEdit*> FOctet_Edits;
  TParGen_Variant FVariant = ParGen_Build_Variant;

  friend class TParGen_Panel_Builder;
};

extern TFParGen* FParGen;
