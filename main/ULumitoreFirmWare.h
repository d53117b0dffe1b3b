// The main window: the numbered steps of the configurator with their buttons, the state of the
// open configuration, the links to the maker's web site, and the start-up of the program state,
// the text table and the EEP catalogue. Every step opens a modal dialog or runs a writer of its
// subsystem; every step but New, Open, About, Options and Close needs an open configuration.
#pragma once

#include <memory>

#include "app/ShellRoutines.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"

class TCatalog_EnOcean;
class TFadeButton;
class TLabel;
class TSaveDialog;
class TShape;

// The main window's client size, its step grid and the file filter of the EDE save dialog.
constexpr Integer Main_Client_Width = 694;
constexpr Integer Step_First_Top = 112;
constexpr Integer Step_Distance = 44;
extern const String EDE_File_Filter;  // "CSV (MS-DOS) (*.csv)|*.csv"

class TFLumitoreFirmWare : public TForm {
 public:
  explicit TFLumitoreFirmWare(TComponent* AOwner);
  ~TFLumitoreFirmWare() override;
  String ClassName() const override { return u"TFLumitoreFirmWare"; }

  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TShape* Shape2 = nullptr;
  TLabel* L_Name_Conf = nullptr;
  TLabel* L_Name_Conf_L2 = nullptr;
  TLabel* L_Begin = nullptr;
  TLabel* L_Step_1 = nullptr;
  TLabel* L_Step_2 = nullptr;
  TLabel* L_Step_3 = nullptr;
  TLabel* L_Step_4 = nullptr;
  TLabel* L_Step_5 = nullptr;
  TLabel* L_Step_6 = nullptr;
  TLabel* L_Step_7 = nullptr;
  TLabel* L_Step_8 = nullptr;
  TShape* Shape1 = nullptr;
  TFadeButton* Btn_CreateBin = nullptr;
  TLabel* L_Tavrel = nullptr;
  TFadeButton* Btn_New = nullptr;
  TFadeButton* Btn_Open = nullptr;
  TFadeButton* Btn_Prm_Gen = nullptr;
  TFadeButton* Btn_EnOcean_Access = nullptr;
  TLinkLabel* LL_Update = nullptr;
  TFadeButton* Btn_Info = nullptr;
  TFadeButton* Btn_Opz = nullptr;
  TFadeButton* Btn_Close = nullptr;
  TTimer* Timer_Update = nullptr;
  TFadeButton* Btn_MQTT_Set_Topic = nullptr;
  TFadeButton* Btn_PROFINET_XML = nullptr;
  TFadeButton* Btn_BACnet_SetAccess = nullptr;
  TFadeButton* Btn_BACnet_EDE_File = nullptr;
  TSaveDialog* SD1 = nullptr;
  TFadeButton* Btn_PROFIBUS_GSD = nullptr;

  // The step label of step N (1 to 8).
  TLabel* Step_Label(Integer N) const;

  // The start-up of the shell: layout, program folders, settings, texts, the last configuration,
  // the row clipboard and the EEP catalogue.
  void FormCreate(TObject* Sender);
  // Writes the settings file; a failure is shown and the window closes all the same.
  void FormClose(TObject* Sender, TCloseAction& Action);
  // The click handler of every button of the window.
  void Btn_Click(TObject* Sender);
  // Applies texts 0 to 37 and the configuration labels.
  void Set_Lang();
  void Set_Files();
  // Writes the settings file; raises when it cannot be written.
  void Save_Setting();
  void Open_Project();
  void Create_New_Project();
  // Re-applies the texts of the main window and of the dialogs that follow a change of language.
  void Change_Language();
  // Step 5: builds and writes the bank files, then opens the update dialog.
  void Update_Device();
  void PROFINET_XML();
  void BACnet_EDE_File();
  // Starts a program and waits for its end (at most 150 s).
  TStart_Program_Result Start_Program(const String& NomeSW, const String& Parameter, Byte tipo);
  // The BACnet variant of the open configuration's "ParGen.xml" (0 when unknown).
  Integer Get_Type_BACnet();
  // The version-check tick.
  void Timer_UpdateTimer(TObject* Sender);
  void L_TavrelClick(TObject* Sender);
  void LL_UpdateLinkClick(TObject* Sender, const String& Link, TSysLinkType LinkType);

  // The error texts of the start-up's files that could not be read (the settings file, a language
  // file that exists, a catalogue name that stands for no file), one a line ("" if none).
  const String& Start_Errors() const { return FStart_Errors; }

 private:
  // The controls as the window stores them.
  void Create_Controls();
  // The two layout passes of the start-up: the layout every variant shares, then this variant's.
  void Layout_Common();
  void Layout_Variant();
  // The configuration labels: the open configuration's name, or the hint to use step 1.
  void Show_Configuration_Labels();
  void Arm_Update_Timer();

  std::unique_ptr<TCatalog_EnOcean> FCatalog;
  String FStart_Errors;
};

extern TFLumitoreFirmWare* FLumitoreFirmWare;
