// The settings file "Lumitor.xml" in the program folder: the last configuration, the last device
// IP address, the language and the four option flags, carried from one run to the next.
//
//   <Conf_Settings>
//     <lastproj><projectname>name</projectname></lastproj>
//     <lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>
//     <lastlang><language>English</language></lastlang>
//     <lastinternet><enable_internet>0</enable_internet><enable_update>0</enable_update>
//       <enable_jump_field_tables>0</enable_jump_field_tables>
//       <Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet>
//   </Conf_Settings>
//
// Written without declaration and indentation. Values are stored as they are; a flag is on exactly
// when its text is "1".
#pragma once

#include <string>

#include "platform/rtl/System.h"

extern const String Settings_File_Name;  // "Lumitor.xml"

struct TSettings {
  String Conf_Name;
  String Last_IP_Address = u"192.168.2.205";
  String Language_Name = u"English";
  bool Opt_Enable_Internet = false;
  bool Opt_Enable_Update = false;
  bool Opt_Jump_Field_Tables = false;
  bool Opt_Double_Click_Auto_Size = false;
};

// The largest settings file read: a few hundred bytes are written.
constexpr Int64 Max_Settings_File_Size = 1024 * 1024;

// Reads the file. Never raises: a missing file, or one that is not well-formed XML, gives all
// defaults; otherwise each value is read on its own, and a missing or malformed part gives only
// that value's default. The root's name is not checked. A name that stands for something that
// cannot be read as a file (a folder, a pipe, a device, a file larger than Max_Settings_File_Size,
// one that cannot be opened or does not fit in memory) gives all defaults too, and Error, when
// given, receives the message that names the file.
TSettings Read_Settings_File(const String& FileName, String* Error = nullptr);
// The same on the bytes of such a file.
TSettings Read_Settings_Bytes(const std::string& Bytes);

// Writes the file whole, replacing it. Raises the XML layer's error when it cannot be written.
void Write_Settings_File(const String& FileName, const TSettings& Settings);

// The settings held by the program state, and the other way round.
TSettings Current_Settings();
void Apply_Settings(const TSettings& Settings);

// Writes the program state's settings to Path_Program/Lumitor.xml (raises on failure).
void Save_Setting();
