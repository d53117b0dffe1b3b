// "Lan_Uploader.xml": the parameter file of the update tool, written in the program folder before
// every start of the tool. The tool takes everything from it: the device address, the ports, and
// the files to write with their target addresses and options.
//
// The document has one top-level node, the root `Lan_Uploader`, with no comment and no XML
// declaration. Its children, in order: Version, Title, IP_Address_Dev, Application_Port, Boot_Port,
// Boot_Port_Sec, Address_Protection, Protections (one Protection), Operations (one Operation per
// file to write). The operations are chosen by the update option:
//   0 "Firmware + Configuration": the firmware, bank 1, bank 2;
//   1 "Firmware": the firmware;
//   2 "Configuration": bank 1, bank 2;
//   any other: none.
// Only the last operation of the list sends the device back to its application afterwards.
#pragma once

#include <string>

#include "platform/rtl/System.h"

inline constexpr const char16_t* Lan_Uploader_File_Name = u"Lan_Uploader.xml";

// The layout of the file: the one the update dialog writes, and the older one of a previous tool
// generation (other ports, protection and flash addresses; the firmware file "Sim31A10.sim", whose
// operation carries no internal-data elements). Nothing in this program writes the older one.
enum TLan_Uploader_Layout { luNew_Boot, luOlder };

struct TLan_Uploader_Params {
  TLan_Uploader_Layout Layout = luNew_Boot;
  String IP_Address;        // the device address, the four boxes joined by "."
  Integer Update_Option = 0;
  bool Read_Back = true;
  String Path_Master;       // holds the firmware file "Sim31A08.sim"
  String Path_Conf;         // holds "bin/bank1.bin" and "bin/bank2.bin"
};

// The document as it is written.
std::string Lan_Uploader_File_Bytes(const TLan_Uploader_Params& Params);

// Writes Path_Program/"Lan_Uploader.xml", replacing the old file. Raises the XML document's error
// when it cannot be written.
void Write_Lan_Uploader_File(const String& Path_Program, const TLan_Uploader_Params& Params);

// The option letters of the serial layout's command text, appended to s_opt: four groups of three
// characters chosen by the option and the read-back box; nothing for an option outside 0..2.
String Update_Options(const String& s_opt, Integer Update_Option, bool Read_Back);
