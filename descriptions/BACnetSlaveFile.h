// The BACnet slave object file "BACnet_Slave.xml": the two object tables of the BACnet slave
// variant, read and written as plain rows.
//
// Layout: root "BACnet_to_Modbus", followed at document level by the comment "SW_VERSION = 1.000";
// the root holds "BACnet_in_Read" and then "BACnet_in_Write"; each holds one "row" element per
// table row, with the attributes Data_Type, Eng_Unit, Position, Bit, Length, Swap and Mnemonic in
// this order, each the text of its cell.
#pragma once

#include <string>
#include <vector>

#include "platform/rtl/System.h"

// One object of a table, every cell as text.
struct TBACnet_Slave_Row {
  String Data_Type;  // the object type, as the table's list names it ("Analog Input")
  String Eng_Unit;   // the engineering-unit number
  String Position;   // the first byte in the converter's byte array
  String Bit;        // the start bit, for binary objects
  String Length;     // the length in bytes
  String Swap = u"N";  // "Y" or "N"
  String Mnemonic;   // the object's name
};

// The largest object file read: both tables full take a small part of it.
constexpr Int64 Max_BACnet_Slave_File_Size = 16 * 1024 * 1024;

struct TBACnet_Slave_Tables {
  std::vector<TBACnet_Slave_Row> In_Read;   // "BACnet in Read": objects the converter offers
  std::vector<TBACnet_Slave_Row> In_Write;  // "BACnet in Write": objects written into it
};

// The attributes a row must carry. The table dialog reads every column (Swap aside); the EDE
// export reads only Data_Type, Eng_Unit and Mnemonic, so a row without the others is still an
// object for it (they read as empty).
enum class TBACnet_Slave_Required { All_Columns, EDE_Columns };

// Reads the file. The root is the document's first element. A missing table element, or a row
// without one of the required attributes raises EXMLDocError; a row without Swap reads "N". A
// missing file or one that is not XML raises EXMLDocError, and so does a name that stands for no
// regular file (a folder, a pipe, a device) or a file larger than Max_BACnet_Slave_File_Size; a file
// that does not fit in memory raises EOutOfMemory. Each message names the file.
TBACnet_Slave_Tables Read_BACnet_Slave_File(
    const String& FileName,
    TBACnet_Slave_Required Required = TBACnet_Slave_Required::All_Columns);
// The same from the bytes of a file.
TBACnet_Slave_Tables Read_BACnet_Slave_Bytes(
    const std::string& Bytes, TBACnet_Slave_Required Required = TBACnet_Slave_Required::All_Columns);

// The number of rows of a table that the file keeps: the rows before the first one whose Data Type
// is blank as written (characters XML cannot carry are left out of the file).
Integer BACnet_Slave_Row_Count(const std::vector<TBACnet_Slave_Row>& Rows);

// The file's bytes, and the file written over an old one. Each table is written up to its first
// row with a blank Data Type. A file that cannot be written raises EXMLDocError.
std::string BACnet_Slave_Bytes(const TBACnet_Slave_Tables& Tables);
void Write_BACnet_Slave_File(const String& FileName, const TBACnet_Slave_Tables& Tables);
