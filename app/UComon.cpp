#include "app/UComon.h"

#include "app/ConfigurationFolder.h"
#include "app/SettingsFile.h"
#include "app/ULanguage.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

const String Def_SW_Code = u"KP31A08";
const String Def_SW_Desc = u"EnOcean / PROFIBUS Slave - Converter";
const String SW_Code_Update = u"KP31A08";
const String Def_Title_Program = u"Tavrel - Configurator KP31A08 - EnOcean / PROFIBUS Slave ";
const String Def_Last_IP_Address = u"192.168.2.205";
const String Def_Language_Name = u"English";

const String Folder_Master = u"MASTER";
const String Folder_Projects = u"PROJECTS";
const String Folder_Language = u"LANGUAGE";
const String Folder_Cat_EnOcean = u"CAT_EnOcean";

const String Name_File_ParGen = u"ParGen.xml";
const String Name_File_EnOcean = u"EnOcean.xml";
const String Name_File_MQTT_Set_Topic = u"MQTT_Set_Topic.xml";
const String Name_File_BACnet_Slave = u"BACnet_Slave.xml";
const String Name_Folder_Bin = u"bin";

String Conf_Name;
String Path_Conf;

String Path_Program;
String Path_Projects;
String Path_Master;
String Path_Language;
String Path_Cat_EnOcean;

String Title_Program;
String SW_Code;
String SW_Desc;

String Last_IP_Address = Def_Last_IP_Address;

Integer Update_Option = 0;
bool Update_Read_Back = false;

String Language_Name = Def_Language_Name;

bool Opt_Enable_Internet = false;
bool Opt_Enable_Update = false;
bool Opt_Jump_Field_Tables = false;
bool Opt_Double_Click_Auto_Size = false;

String File_ParGen;
String File_EnOcean;
String File_MQTT_Set_Topic;
String File_BACnet_Slave;

std::unique_ptr<TStringList> Row_Clipboard_SL;
TCatalog_EnOcean* Catalog_EnOcean = nullptr;

String Path_Join(const String& Folder, const String& Name) {
  if (!Folder.empty() && Folder.back() == u'/') return Folder + Name;
  return Folder + u"/" + Name;
}

void Set_Files() {
  File_ParGen = Path_Join(Path_Conf, Name_File_ParGen);
  File_EnOcean = Path_Join(Path_Conf, Name_File_EnOcean);
  File_MQTT_Set_Topic = Path_Join(Path_Conf, Name_File_MQTT_Set_Topic);
  File_BACnet_Slave = Path_Join(Path_Conf, Name_File_BACnet_Slave);
}

void Init_Program_Folders(const String& ProgramFolder) {
  // The root keeps its delimiter; any other folder loses a trailing one.
  Path_Program = ProgramFolder.size() > 1 ? ExcludeTrailingPathDelimiter(ProgramFolder) : ProgramFolder;
  Path_Master = Path_Join(Path_Program, Folder_Master);
  Path_Projects = Path_Join(Path_Program, Folder_Projects);
  Path_Language = Path_Join(Path_Program, Folder_Language);
  Path_Cat_EnOcean = Path_Join(Path_Program, Folder_Cat_EnOcean);
  for (const String* folder : {&Path_Master, &Path_Projects, &Path_Language, &Path_Cat_EnOcean}) {
    if (!DirectoryExists(*folder)) CreateDir(*folder);
  }
}

void Set_Program_Texts() {
  Title_Program = Def_Title_Program;
  SW_Code = Def_SW_Code;
  SW_Desc = Def_SW_Desc;
}

void Create_Row_Clipboard() { Row_Clipboard_SL = std::make_unique<TStringList>(); }

void Reopen_Last_Configuration() {
  Path_Conf.clear();
  // A name from the settings file becomes a path: one that could lead outside PROJECTS opens nothing.
  if (!Is_Plain_File_Name(Conf_Name)) return;
  const String folder = Path_Join(Path_Projects, Conf_Name);
  if (DirectoryExists(folder)) Path_Conf = folder;
}

void Append_Start_Error(String& Errors, const String& Line) {
  if (!Errors.empty()) Errors += sLineBreak;
  Errors += Line;
}

String Init_Program_State(const String& ProgramFolder) {
  Create_Text_Table();
  Init_Program_Folders(ProgramFolder);
  Conf_Name.clear();
  Path_Conf.clear();
  Update_Option = 0;
  Update_Read_Back = true;
  // A settings file that cannot be read gives the defaults, and a language file that cannot be
  // read leaves the English texts: the start-up goes on and the caller shows the messages.
  String errors;
  Apply_Settings(Read_Settings_File(Path_Join(Path_Program, Settings_File_Name), &errors));
  Set_Program_Texts();

  try {
    Init_Language();
  } catch (const Exception& e) {
    Append_Start_Error(errors, e.Message());
  }

  Reopen_Last_Configuration();
  Set_Files();
  Create_Row_Clipboard();
  return errors;
}
