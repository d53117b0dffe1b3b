// The update dialog: the last step of the configurator. The main window has written the bank files
// before it opens the dialog; the dialog asks for the device's IP address and the update options,
// checks with ICMP echo requests that the device answers, writes the update tool's parameter file
// "Lan_Uploader.xml" in the program folder and starts the tool "Lan_Uploader.exe", waiting until it
// ends (comm/DevicePing.h, comm/LanUploaderFile.h, comm/UpdateTool.h do the work).
//
// The dialog has two layouts, chosen by Form_Type before each show: 1 Ethernet (the address boxes
// and the options), 0 serial (a COM-port list and the options; this converter never shows it). The
// device-search panel P_Eth_Search is always hidden.
#pragma once

#include "app/UDialogFrame.h"
#include "comm/DevicePing.h"

class TCheckBox;
class TComboBox;
class TEdit;
class TExColumnGrid;
class TFadeButton;
class TLabel;
class TPanel;

// Layouts of the dialog.
constexpr Integer Boot_Form_Serial = 0;
constexpr Integer Boot_Form_Ethernet = 1;

// The client width of both layouts, and the heights of the panels stacked in it.
constexpr Integer Boot_Client_Width = 449;
constexpr Integer Boot_IP_Address_Height = 49;
constexpr Integer Boot_Options_Height = 72;
constexpr Integer Boot_Serial_Height = 51;
constexpr Integer Boot_Eth_Search_Height = 184;

class TFBoot : public TFDialog {
 public:
  explicit TFBoot(TComponent* AOwner);
  String ClassName() const override { return u"TFBoot"; }

  // The layout of the next show: Boot_Form_Serial or Boot_Form_Ethernet; any other value shows
  // none of the four panels. Set by the caller before ShowModal.
  Integer Form_Type = Boot_Form_Ethernet;

  // The reachability check; its ping_res is the outcome of the last echo request (0 none yet,
  // 1 answered with data, 2 timed out).
  TPing_Check Ping;

  // The folder the serial layout looks for ports in ("/dev"; tests point it elsewhere).
  String Com_Device_Folder = u"/dev";
  // The command text the serial layout's Update forms: "\\.\" + the COM port + " " + the option
  // letters. This converter has no serial tool, so nothing consumes it.
  String Serial_Command;

  // The address: L_IP_Address and four octet boxes with "." labels between them.
  TPanel* P_IP_Address = nullptr;
  TLabel* L_IP_Address = nullptr;
  TEdit* E_IP1 = nullptr;
  TEdit* E_IP2 = nullptr;
  TEdit* E_IP3 = nullptr;
  TEdit* E_IP4 = nullptr;
  TLabel* L_Dot1 = nullptr;
  TLabel* L_Dot2 = nullptr;
  TLabel* L_Dot3 = nullptr;

  // The device search, always hidden: the Search button has no action and the device list
  // (columns "IP Address" and "MAC Address") stays empty.
  TPanel* P_Eth_Search = nullptr;
  TLabel* L_List_Device = nullptr;
  TFadeButton* Btn_Search = nullptr;
  TExColumnGrid* ACG_List_Devices = nullptr;
  TCheckBox* CB_Find_All_TVL = nullptr;

  // The update options.
  TPanel* P_Options = nullptr;
  TLabel* L_Update_Option = nullptr;
  TComboBox* CB_Update_Options = nullptr;
  TCheckBox* CB_Update_Option_Read_Back = nullptr;

  // The serial port.
  TPanel* P_Serial = nullptr;
  TLabel* L_COM_Port = nullptr;
  TComboBox* CB_COM_Port = nullptr;
  TFadeButton* Btn_COM_List = nullptr;

  TFadeButton* Btn_Cancel = nullptr;
  TFadeButton* Btn_Update = nullptr;

  // Lays the dialog out for Form_Type and fills it from the program state.
  void FormShow(TObject* Sender);
  // The Update button: in the Ethernet layout the check, the parameter file and the tool; in the
  // serial layout only the choices are kept.
  void Btn_UpdateClick(TObject* Sender);
  // The octet boxes: "." moves to the next box and never enters the text.
  void KeyPress(TObject* Sender, Char& Key);
  void Btn_COM_ListClick(TObject* Sender);
  // Refills CB_COM_Port with "COM" + n for every serial port present; the first one is selected.
  void update_ComPort();
  // s_opt followed by the option letters of the chosen option and read-back box.
  String Update_Options(const String& s_opt) const;
  // Captions, hints and items from the text table (block 900); also run by the main window after a
  // change of language.
  void Set_Lang();

  // The four boxes joined by ".", exactly as typed.
  String IP_Address_Text() const;

  // The reachability check of the address in the boxes (see TPing_Check): True when the last echo
  // request was answered; Ping.ping_res tells a time-out (2) from an address that cannot be used.
  bool Send_Ping();
  // Writes "Lan_Uploader.xml" in the program folder from the boxes, the option and the read-back
  // box as they stand. The Update button does the same once the device has answered.
  void Compile_XML_Parameter_New_Boot();

  // Older routines that nothing in this program calls: the parameter file in the layout of a
  // previous tool generation (from the controls, like the current one), and the converter type,
  // which loads "ParGen.xml" when it exists and is 0 in every case.
  void Compile_XML_Parameter();
  Integer Get_Type_Dev();

 private:
  // Creates the controls (UBootLayout.cpp).
  void Create_Controls();
  // Restores the panels' places of the design before a layout stacks the shown ones.
  void Reset_Panels();
  void Update_Ethernet();
  void Update_Serial();
  void Show_Update_Choices();

  // Set while the Update button's work runs: the check processes window messages, and a second
  // click meanwhile must not start a second check and a second tool.
  bool FUpdating = false;
};

extern TFBoot* FBoot;
