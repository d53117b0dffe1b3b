#include "main/ULumitoreFirmWare.h"

#include "app/SettingsFile.h"
#include "app/UAbout.h"
#include "app/UComon.h"
#include "app/UDialogFrame.h"
#include "app/ULanguage.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "app/VersionCheck.h"
#include "comm/ParGenFile.h"
#include "comm/UBoot.h"
#include "comm/UParGen.h"
#include "comm/USaveBincc.h"
#include "components/buttons/FadeButton.h"
#include "descriptions/UBACnetSlaveSetAccess.h"
#include "descriptions/UBACnet_EDE_File.h"
#include "descriptions/UBACnet_Eng_Unit.h"
#include "descriptions/UMQTT_Set_Topic.h"
#include "descriptions/UProfibus_GSD.h"
#include "descriptions/UProfinetFileName.h"
#include "descriptions/UProfinetXML.h"
#include "enocean/UEnOcean_Catalog.h"
#include "enocean/UEnOcean_SetAccess.h"
#include "enocean/UEnOcean_SetAccess2.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

TFLumitoreFirmWare* FLumitoreFirmWare = nullptr;

const String EDE_File_Filter = u"CSV (MS-DOS) (*.csv)|*.csv";

TFLumitoreFirmWare::TFLumitoreFirmWare(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FLumitoreFirmWare");
  Setup_Dialog_Form(this);
  Create_Controls();
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
}

TFLumitoreFirmWare::~TFLumitoreFirmWare() {
  // The dialogs created after the window may still read the catalogue while they go; the program
  // state forgets it only together with the window.
  if (Catalog_EnOcean == FCatalog.get()) Catalog_EnOcean = nullptr;
}

void TFLumitoreFirmWare::FormCreate(TObject*) {
  Layout_Common();
  Layout_Variant();

  // Folders, settings, product texts, the text table, the last configuration, the file paths and
  // the row clipboard. A settings file that cannot be read gives the defaults and a language file
  // that cannot be read leaves the English texts; their errors are shown once the window stands.
  FStart_Errors = Init_Program_State(ProgramFolder());
  Arm_Update_Timer();
  SetCaption(Title_Program);
  L_SW_Code->SetCaption(SW_Code);
  L_SW_Desc->SetCaption(SW_Desc);
  Set_Lang();

  // The catalogue is read once; a missing or broken file leaves it empty or partly filled, and
  // nothing is reported. Only a name that cannot be read as a file at all (a folder, a pipe, a
  // device, a file far too large) is reported with the other start-up errors.
  FCatalog = std::make_unique<TCatalog_EnOcean>();
  Catalog_EnOcean = FCatalog.get();
  String catalogError;
  FCatalog->Read_Cat_EnOcean_XML(Path_Join(Path_Cat_EnOcean, u"eep.xml"), &catalogError);
  if (!catalogError.empty()) Append_Start_Error(FStart_Errors, catalogError);

  if (!FStart_Errors.empty()) MessageDlg(FStart_Errors, mtError, TMsgDlgButtons{mbOK});
}

void TFLumitoreFirmWare::FormClose(TObject*, TCloseAction& Action) {
  // A settings file that cannot be written shows its error and keeps the window open, so the
  // user can free the file and close again without losing the settings.
  try {
    Save_Setting();
  } catch (const std::exception& e) {
    Application->ShowException(e);
    Action = caNone;
  }
}

void TFLumitoreFirmWare::Arm_Update_Timer() {
  Timer_Update->SetEnabled(Timer_Update_Wanted(Opt_Enable_Internet, Opt_Enable_Update));
}

void TFLumitoreFirmWare::Btn_Click(TObject* Sender) {
  if (Sender == Btn_New) {
    Create_New_Project();
  } else if (Sender == Btn_Open) {
    Open_Project();
  } else if (Sender == Btn_Close) {
    Close();
  } else if (Sender == Btn_Info) {
    if (FAbout) FAbout->ShowModal();
  } else if (Sender == Btn_Opz) {
    if (!FSoftOptions) return;
    // The options dialog reaches the window through these two calls.
    FSoftOptions->OnChangeLanguage = [this] { Change_Language(); };
    FSoftOptions->OnSetUpdateTimer = [this](bool On) { Timer_Update->SetEnabled(On); };
    if (FSoftOptions->ShowModal() == mrOk) {
      // A settings file that cannot be written raises here; the timer then stays as it was.
      Save_Setting();
      Arm_Update_Timer();
    }
  } else if (Path_Conf.empty()) {
    MessageDlg(Get_Text(18), mtError, TMsgDlgButtons{mbOK});
  } else if (Sender == Btn_Prm_Gen) {
    if (FParGen) FParGen->ShowModal();
  } else if (Sender == Btn_EnOcean_Access) {
    // The editor loads and saves the network file itself; its result needs nothing here.
    if (FEnOcean_SetAccess2) FEnOcean_SetAccess2->ShowModal();
  } else if (Sender == Btn_MQTT_Set_Topic) {
    // The tables load and save their file themselves; their result needs nothing here.
    if (FMQTT_Set_Topic) FMQTT_Set_Topic->ShowModal();
  } else if (Sender == Btn_PROFINET_XML) {
    PROFINET_XML();
  } else if (Sender == Btn_BACnet_SetAccess) {
    // Hidden in every variant; its step has no action.
  } else if (Sender == Btn_BACnet_EDE_File) {
    BACnet_EDE_File();
  } else if (Sender == Btn_PROFIBUS_GSD) {
    Create_GSD_File();
  } else if (Sender == Btn_CreateBin) {
    Update_Device();
  }
}

void TFLumitoreFirmWare::Show_Configuration_Labels() {
  if (!Path_Conf.empty()) {
    L_Name_Conf->SetCaption(Get_Text(11));
    L_Name_Conf_L2->SetCaption(Conf_Name);
  } else {
    L_Name_Conf->SetCaption(Get_Text(9));
    L_Name_Conf_L2->SetCaption(Get_Text(10));
  }
}

void TFLumitoreFirmWare::Set_Lang() {
  L_Begin->SetCaption(Get_Text(0));
  for (Integer n = 1; n <= 8; ++n) Step_Label(n)->SetCaption(Get_Text(n));
  Btn_Info->SetHint(Get_Text(12));
  Btn_Opz->SetHint(Get_Text(13));
  Btn_Close->SetHint(Get_Text(14));
  Btn_New->SetCaption(Get_Text(15));
  Btn_Open->SetCaption(Get_Text(16));
  Btn_CreateBin->SetCaption(Get_Text(17));
  Btn_Prm_Gen->SetCaption(Get_Text(20));
  Btn_EnOcean_Access->SetCaption(Get_Text(21));
  Show_Configuration_Labels();
  Btn_New->SetHint(Get_Text(22));
  Btn_Open->SetHint(Get_Text(23));
  Btn_Prm_Gen->SetHint(Get_Text(24));
  Btn_EnOcean_Access->SetHint(Get_Text(25));
  Btn_CreateBin->SetHint(Get_Text(26));
  Btn_MQTT_Set_Topic->SetCaption(Get_Text(27));
  Btn_MQTT_Set_Topic->SetHint(Get_Text(28));
  Btn_PROFINET_XML->SetCaption(Get_Text(29));
  Btn_PROFINET_XML->SetHint(Get_Text(30));
  Btn_BACnet_SetAccess->SetCaption(Get_Text(32));
  Btn_BACnet_SetAccess->SetHint(Get_Text(33));
  Btn_BACnet_EDE_File->SetCaption(Get_Text(34));
  Btn_BACnet_EDE_File->SetHint(Get_Text(35));
  Btn_PROFIBUS_GSD->SetCaption(Get_Text(36));
  Btn_PROFIBUS_GSD->SetHint(Get_Text(37));
}

void TFLumitoreFirmWare::Set_Files() { ::Set_Files(); }

void TFLumitoreFirmWare::Save_Setting() { ::Save_Setting(); }

void TFLumitoreFirmWare::Create_New_Project() {
  // The dialog sets the configuration and its file paths itself.
  if (FNew_Project && FNew_Project->ShowModal() == mrOk) Show_Configuration_Labels();
}

void TFLumitoreFirmWare::Open_Project() {
  if (!FOpenConf || FOpenConf->ShowModal() != mrOk) return;
  // An empty name (nothing was ever chosen and the list is empty) opens no configuration.
  Conf_Name = FOpenConf->Name_Conf;
  Path_Conf = Conf_Name.empty() ? String() : Path_Join(Path_Projects, Conf_Name);
  Show_Configuration_Labels();
  Set_Files();
}

void TFLumitoreFirmWare::Change_Language() {
  Set_Lang();
  if (FNew_Project) FNew_Project->Set_Lang();
  if (FOpenConf) FOpenConf->Set_Lang();
  if (FSoftOptions) FSoftOptions->Set_Lang();
  if (FBoot) FBoot->Set_Lang();
  if (FParGen) FParGen->Set_Lang();
  if (FEnOcean_SetAccess) FEnOcean_SetAccess->Set_Lang();
  if (FMQTT_Set_Topic) FMQTT_Set_Topic->Set_Lang();
  if (FProfinetFileName) FProfinetFileName->Set_Lang();
  if (FBACnetSlaveSetAccess) FBACnetSlaveSetAccess->Set_Lang();
  if (FBACnet_Eng_Unit) FBACnet_Eng_Unit->Set_Lang();
}

void TFLumitoreFirmWare::Update_Device() {
  // The bank files are written anew every time the step starts, also when the update is then
  // cancelled.
  TSaveBincc builder;
  TCatalog_EnOcean none;
  builder.Create_Bin(File_ParGen, File_EnOcean, Catalog_EnOcean ? *Catalog_EnOcean : none);
  // A configuration folder that lost its "bin" folder (or never got one) gets it back here, so the
  // step does not fail for a folder the program itself creates. A bank file that cannot be written
  // raises, and the update dialog stays closed.
  ForceDirectories(Path_Join(Path_Conf, Name_Folder_Bin));
  builder.Save_Bin(Path_Conf);
  if (!FBoot) return;
  FBoot->Form_Type = Boot_Form_Ethernet;
  FBoot->ShowModal();
}

void TFLumitoreFirmWare::PROFINET_XML() {
  if (FProfinetFileName && FProfinetFileName->ShowModal() == mrOk) Save_GSDML_File(FProfinetFileName->Name_File_XML);
}

void TFLumitoreFirmWare::BACnet_EDE_File() {
  SD1->InitialDir = Path_Conf;
  SD1->Filter = EDE_File_Filter;
  if (!SD1->Execute()) return;
  // Adds ".csv" when missing, asks before replacing a file, and writes it.
  Save_EDE_File(SD1->FileName);
}

TStart_Program_Result TFLumitoreFirmWare::Start_Program(const String& NomeSW, const String& Parameter, Byte tipo) {
  return ::Start_Program(NomeSW, Parameter, tipo);
}

Integer TFLumitoreFirmWare::Get_Type_BACnet() {
  if (!FileExists(File_ParGen)) return 0;
  TParGen_Reader reader;
  try {
    reader.Load(File_ParGen);
  } catch (const Exception&) {
    return 0;
  }
  return reader.Read_Integer(u"BACnet_Type", 0);
}

void TFLumitoreFirmWare::Timer_UpdateTimer(TObject*) {
  Timer_Update->SetEnabled(false);
  const bool newer = FSoftOptions ? FSoftOptions->Check_Version() : Check_Version();
  if (newer) {
    LL_Update->SetCaption(Update_Link_Main_Html());
    LL_Update->SetVisible(true);
  } else {
    LL_Update->SetVisible(false);
  }
  Timer_Update->SetInterval(Timer_Update_Interval_Ms);
  Timer_Update->SetEnabled(true);
}

void TFLumitoreFirmWare::L_TavrelClick(TObject*) { Open_Web_Link(Home_Page_Url()); }

void TFLumitoreFirmWare::LL_UpdateLinkClick(TObject*, const String& Link, TSysLinkType) { Open_Web_Link(Link); }
