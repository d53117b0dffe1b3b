// The program state of the configurator: the folders next to the program, the active configuration
// and the paths of its files, the texts that name the product, the last device address, the
// language, the option flags, the choices of the update dialog, the row clipboard of the table
// editors and the EEP catalogue. Plain process-wide values, filled at start-up and by the New and
// Open steps, read by every dialog; all of them are used on the GUI thread only.
#pragma once

#include <memory>

#include "platform/rtl/System.h"

class TStringList;
class TCatalog_EnOcean;

// Fixed at build time.
extern const String Def_SW_Code;     // "KP31A08"
extern const String Def_SW_Desc;     // "EnOcean / PROFIBUS Slave - Converter"
extern const String SW_Code_Update;  // software code sent with the version query
extern const String Def_Title_Program;
extern const String Def_Last_IP_Address;  // "192.168.2.205"
extern const String Def_Language_Name;    // "English"

// The sub-folders of the program folder.
extern const String Folder_Master;       // "MASTER"
extern const String Folder_Projects;     // "PROJECTS"
extern const String Folder_Language;     // "LANGUAGE"
extern const String Folder_Cat_EnOcean;  // "CAT_EnOcean"

// The files of a configuration folder.
extern const String Name_File_ParGen;           // "ParGen.xml"
extern const String Name_File_EnOcean;          // "EnOcean.xml"
extern const String Name_File_MQTT_Set_Topic;   // "MQTT_Set_Topic.xml"
extern const String Name_File_BACnet_Slave;     // "BACnet_Slave.xml"
extern const String Name_Folder_Bin;            // "bin"

// Active configuration: a configuration is open exactly when Path_Conf is not empty. Conf_Name may
// hold a name while none is open (the settings named a configuration whose folder was missing).
extern String Conf_Name;
extern String Path_Conf;

// Folders; none ends with a path delimiter except a Path_Program that is the file system's root.
extern String Path_Program;
extern String Path_Projects;
extern String Path_Master;
extern String Path_Language;
extern String Path_Cat_EnOcean;

// Texts shown on every dialog.
extern String Title_Program;
extern String SW_Code;
extern String SW_Desc;

// The device address, as dotted text.
extern String Last_IP_Address;

// Update dialog choices, kept until the program ends.
extern Integer Update_Option;
extern bool Update_Read_Back;

// The language name: the base name of a language file.
extern String Language_Name;

// Option flags, kept in the settings file.
extern bool Opt_Enable_Internet;
extern bool Opt_Enable_Update;
extern bool Opt_Jump_Field_Tables;
extern bool Opt_Double_Click_Auto_Size;

// The files of the active configuration, set by Set_Files.
extern String File_ParGen;
extern String File_EnOcean;
extern String File_MQTT_Set_Topic;
extern String File_BACnet_Slave;

// The row clipboard of the table editors: the cells of the last copied row, column 1 first.
// Created empty by Init_Program_State (or Create_Row_Clipboard).
extern std::unique_ptr<TStringList> Row_Clipboard_SL;

// The EEP catalogue. The start-up code that creates and loads it owns it; this is its address for
// the dialogs and the image builder (null until the catalogue is created).
extern TCatalog_EnOcean* Catalog_EnOcean;

// Joins a folder and a name with one path delimiter (a folder that already ends with one, such as
// the root, gets none added).
String Path_Join(const String& Folder, const String& Name);

// Sets File_ParGen, File_EnOcean, File_MQTT_Set_Topic and File_BACnet_Slave from Path_Conf. It also
// runs when no configuration is open; those paths are then never used.
void Set_Files();

// Sets Path_Program (without a trailing delimiter unless it is the root) and the four sub-folder
// paths, and creates each sub-folder that is missing, one level, in the order MASTER, PROJECTS,
// LANGUAGE, CAT_EnOcean. A folder that cannot be created stays missing: nothing is reported, and
// whatever needs it later fails in its own way.
void Init_Program_Folders(const String& ProgramFolder);

// Sets Title_Program, SW_Code and SW_Desc to the product's texts.
void Set_Program_Texts();

// Creates the row clipboard empty (again).
void Create_Row_Clipboard();

// Reopens the last configuration: Path_Conf becomes the folder of Conf_Name inside Path_Projects
// when Conf_Name is not empty and that folder exists, else empty. Conf_Name is kept either way, so
// the settings keep naming it.
void Reopen_Last_Configuration();

// The non-window part of the main window's start-up, in the program's order: the folders, the
// state's start values, the settings file of the program folder (all defaults when it is missing
// or unreadable), the product texts, the text table in the chosen language, the reopening of the
// last configuration, the file paths and the row clipboard. A settings file that cannot be read as
// a file (a folder, a pipe, ... at its name) gives the defaults, and a language file that exists but
// cannot be read leaves the English texts in place; their error messages are returned, one a line,
// for the caller to show (empty when all went well), and the start-up goes on.
String Init_Program_State(const String& ProgramFolder);

// Adds Line to a list of start-up messages, one a line.
void Append_Start_Error(String& Errors, const String& Line);
