// The BACnet engineering data exchange file (EDE): a semicolon-separated text that lists every
// object of the BACnet slave tables with the device instance, name, object type, instance number,
// description and engineering unit, for BACnet engineering tools.
#pragma once

#include <memory>
#include <vector>

#include "descriptions/BACnetSlaveFile.h"
#include "descriptions/DescFileOut.h"
#include "platform/rtl/SysUtils.h"

// Text ids of the EDE step.
constexpr Integer Text_EDE_Overwrite = 31;       // "The File already exists! Do you want to ..."
constexpr Integer Text_EDE_Unknown_Type = 1706;  // rows left out for an unknown Data Type

// One object line of the file; every field is the text of its column.
class TBACnet_EDE_Obj : public TObject {
 public:
  String ClassName() const override { return u"TBACnet_EDE_Obj"; }
  String Keyname;         // device instance, "_", the whole mnemonic, "_", the object instance
  String DevObjInstance;  // the device's object instance
  String ObjectName;      // the mnemonic cut to 16 (or 32) characters
  String ObjectType;      // the object-type number
  String ObjectInstance;  // the instance number, counted per object type from 0
  String Description;     // the same text as ObjectName
  String UnitCode;        // the engineering-unit number
};

using TEDE_Object_List = std::vector<std::unique_ptr<TBACnet_EDE_Obj>>;

// The object-type number of a Data Type name (blanks around it and the letter case do not count):
// "Analog Input" 0, "Analog Out" 1, ... "Positive Integer Value" 48; -1 for a name the table does
// not know.
Integer Get_BACnet_Object_Type(const String& Name);

// The instance counters of one export, one per known object type, all starting at 0.
class TEDE_Instance_Counters {
 public:
  TEDE_Instance_Counters() { Reset_EDE_Counters(); }
  void Reset_EDE_Counters();
  // The counter of the type, which then goes up by 1; a type without a counter gives 0 and counts
  // nothing.
  Integer Next_Object_Instance(Integer Type);

 private:
  std::vector<std::pair<Integer, Integer>> FCounters;  // (type, next instance)
};

// The device values the file takes from "ParGen.xml".
struct TEDE_Device_Param {
  String EDE_Device_Instance;    // BACnet_Ser_DEV_IDE when BACnet_Type is 1, else BACnet_DEV_IDE
  bool EDE_Long_Names = false;   // BACnet_Desc_Chars_Limit "1": names of 32 characters, not 16
};

// Reads the device values; each is read on its own and a missing one keeps its default. A missing
// file gives the defaults; a file that is not XML raises EXMLDocError.
TEDE_Device_Param Read_BACnet_Device_Param(const String& File_ParGen);

// A row left out of the file because the object-type table does not know its Data Type.
struct TEDE_Skipped_Row {
  bool In_Write = false;  // false: the "BACnet in Read" table
  Integer Row = 0;        // the row number in its table, from 1
  String Data_Type;
};

struct TEDE_Objects {
  TEDE_Object_List EDE_Object_List;
  std::vector<TEDE_Skipped_Row> Skipped;
};

// The object lines of the tables, in-Read rows first, each table in its order. Rows with a Data
// Type the table does not know are left out and listed in Skipped.
TEDE_Objects Make_EDE_Objects(const TBACnet_Slave_Tables& Tables, const TEDE_Device_Param& Device);

// The same from "BACnet_Slave.xml"; a missing file gives no objects. A file that cannot be read
// (not XML, a table missing, a row without Data_Type, Eng_Unit or Mnemonic) raises EXMLDocError.
TEDE_Objects Read_BACnet_Slave_Objects(const String& File_BACnet_Slave,
                                       const TEDE_Device_Param& Device);

// The time of the file's header line: "hh:nn:ss dd/mm/yyyy".
String Get_EDE_Timestamp(TDateTime When);
// The text between the two "-" of the project-name line (empty).
String Get_EDE_Name_Infix();

// The lines of the file: the seven header lines, then one line per object. A ";" inside a value
// would shift the columns of a reader, so it is written as ","; a line break is written as a blank.
std::vector<String> Make_EDE_Lines(const String& Conf_Name, const String& Timestamp,
                                   const TEDE_Object_List& Objects);

// The name the file is written to: the chosen name when its last four characters, upper-cased,
// are ".CSV", otherwise the chosen name with ".csv" appended.
String EDE_File_Name(const String& Chosen);

// What one export reads from the configuration.
struct TEDE_Sources {
  String File_ParGen;        // "ParGen.xml" of the configuration
  String File_BACnet_Slave;  // "BACnet_Slave.xml" of the configuration
  String Conf_Name;          // the configuration's name
  TDateTime Time_Stamp = 0;  // the time written into the header
};

struct TEDE_Result {
  bool Written = false;
  std::vector<TEDE_Skipped_Row> Skipped;  // rows left out, for the warning the caller shows
};

// The export: reads both files, then writes the file (ANSI, CR LF after every line) over an old
// one. When reading fails nothing is written and the error is raised.
TEDE_Result Create_EDE_File(const String& FileName, const TEDE_Sources& Sources);

// The export to a file name already confirmed.
TEDE_Result Make_EDE_File(const String& FileName, const TEDE_Sources& Sources);

// The step after the save dialog: forms the file name, asks before replacing an existing file
// (only Yes goes on) and exports.
TEDE_Result Save_EDE_File(const String& Chosen, const TEDE_Sources& Sources,
                          const TConfirm_Overwrite& Confirm_Overwrite);

// The value appended to the warning about rows left out: one line per row, the table's name in
// brackets, the row number and the Data Type ("[BACnet in Read] 3: Octet String"). The table
// names come from the caller (the text table's page captions).
String EDE_Skipped_Rows_Text(const std::vector<TEDE_Skipped_Row>& Skipped, const String& Read_Name,
                             const String& Write_Name);
