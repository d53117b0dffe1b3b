// The PROFIBUS device description file (GSD): the byte counts it takes from "ParGen.xml", the rule
// for its file name, its text and its writing.
#pragma once

#include <vector>

#include "descriptions/DescFileOut.h"
#include "platform/rtl/System.h"

// Text ids of the GSD step.
constexpr Integer Text_GSD_Overwrite = 1703;  // "File already exists! Do you want to overwrite ..."
constexpr Integer Text_GSD_No_ParGen = 1704;  // "Error! Please set the Set Communication Parameter ..."

// The byte counts of the slave's process image, seen from the master: GSD_Input_Len bytes the
// master reads, GSD_Output_Len bytes it writes.
struct TGSD_Param {
  Integer GSD_Input_Len = 0;
  Integer GSD_Output_Len = 0;
};

// 0 when "ParGen.xml" is not missing, else the id of the message that asks for the parameters
// first. Anything else at its name (a folder, a pipe) is for the reader to refuse.
Integer Check_GSD_ParGen(const String& File_ParGen);

// Reads the counts from "ParGen.xml": GSD_Output_Len from PROFINET_NB_IN and GSD_Input_Len from
// PROFINET_NB_OUT (the element names speak from the converter's side). Each is read on its own; a
// missing element or a text that is not a number gives 0. A file that is missing or not XML raises
// EXMLDocError.
TGSD_Param Read_GSD_Param(const String& File_ParGen);

// The name the file is written to: the chosen name when it ends in ".gsd" in any letter case,
// otherwise the chosen name with ".gsd" appended.
String GSD_File_Name(const String& Chosen);

// The lines of the file for the given counts. Each direction is split into modules of at most 64
// bytes, inputs first, numbered on across both directions; a count of 0 or less has no modules.
// Counts that need more than 255 modules (the module number is one byte) raise EConvertError.
std::vector<String> Make_GSD_Lines(Integer GSD_Input_Len, Integer GSD_Output_Len);

// Writes the file (ASCII, CR LF after every line), replacing an existing one without asking.
void Write_GSD_File(const String& FileName, Integer GSD_Input_Len, Integer GSD_Output_Len);

// The step after the save dialog: forms the file name from the chosen one, asks before replacing
// an existing file and writes it. False when the question was not answered Yes (nothing written).
bool Save_GSD_File(const String& Chosen, const TGSD_Param& Param,
                   const TConfirm_Overwrite& Confirm_Overwrite);
