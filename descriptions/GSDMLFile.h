// The PROFINET device description file (GSDML): the values it takes from "ParGen.xml", its text
// and its writing.
#pragma once

#include <vector>

#include "descriptions/DescFileOut.h"
#include "platform/rtl/System.h"

// Text id of the question before an existing GSDML file is replaced.
constexpr Integer Text_GSDML_Overwrite = 1811;

// The values the file takes from the configuration, seen from the controller: the length of the
// module's input data item, of its output data item, and the station name.
struct TProfinet_Param {
  Integer Profinet_Input_Len = 1438;
  Integer Profinet_Output_Len = 1438;
  String Profinet_Station_Name = u"SERIAL";
};

// Reads the values from "ParGen.xml": Profinet_Output_Len from PROFINET_NB_IN, Profinet_Input_Len
// from PROFINET_NB_OUT (each 1438 when missing or not a number) and the station name from
// PROFINET_NAME_STA ("SERIAL" when missing or blank). A missing file gives all defaults; a file that
// is not XML raises EXMLDocError.
TProfinet_Param Read_Profinet_Param(const String& File_ParGen);

// The lines of the file. Every value put into the XML is escaped, so any station name gives a
// well-formed file.
std::vector<String> Make_GSDML_Lines(const TProfinet_Param& Param);

// Writes the file (UTF-8 with byte order mark, CR LF after every line), replacing an existing one
// without asking.
void Write_GSDML_File(const String& FileName, const TProfinet_Param& Param);

// The target of the save step: the folder of the file chosen in the save dialog with the composed
// name; a different name typed in the dialog is ignored.
String GSDML_Target_Path(const String& Chosen, const String& Name);

// The step after the save dialog: forms the target, asks before replacing an existing file, then
// reads "ParGen.xml" and writes the file. False when the question was not answered Yes.
bool Save_GSDML_File(const String& Chosen, const String& Name, const String& File_ParGen,
                     const TConfirm_Overwrite& Confirm_Overwrite);
