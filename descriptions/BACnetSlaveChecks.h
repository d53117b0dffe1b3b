// The checks of the BACnet slave object tables before they are saved, as pure functions over the
// rows, and the length the in-Write table presets for a chosen object type.
//
// Each table is checked from its first row up to the first one with a blank Data Type; the first
// failure ends the check. Numbers are decimal integers: Eng. Unit and Position count as -1 when
// they are not ("$10" included), Length as 0. Type names are compared exactly.
#pragma once

#include "descriptions/BACnetSlaveFile.h"
#include "descriptions/TableChecks.h"

// The real columns of both tables.
enum TBACnet_Slave_Column : Integer {
  bsoNumber = 0,
  bsoData_Type,
  bsoEng_Unit,
  bsoPosition,
  bsoBit,
  bsoLength,
  bsoSwap,
  bsoMnemonic,
  bsoColumnCount
};

// The object types of each table, in the order of its Data Type list.
const std::vector<String>& BACnet_In_Read_Types();
const std::vector<String>& BACnet_In_Write_Types();

// The most objects both tables may hold together, and the most rows of each table: 1000 when the
// object names are allowed 32 characters (Desc_Lenght), else 2000.
Integer BACnet_Slave_Object_Limit(bool Desc_Lenght);

// Checks the in-Read table against NByte_IN bytes, then the in-Write table against NByte_OUT, then
// the number of objects of both together. Per row: the engineering unit 0..65535, the position
// inside the table's bytes, the start bit 0..7 of a binary object, the length bounds of the other
// types and their last byte inside the table's bytes. The text ids are those of the dialog's
// messages (1933 to 1959); a position failure carries the highest position as its suffix, and the
// count failure (row 0) the limit.
TTable_Check_Result Check_BACnet_Slave_Tables(const TBACnet_Slave_Tables& Tables, Integer NByte_IN,
                                              Integer NByte_OUT, bool Desc_Lenght);

// The Length the in-Write table fills in when its Data Type is chosen: "4", "1" or "8" by the type
// (upper case is ignored); empty for a type without a preset, whose Length stays as it is.
String BACnet_Write_Length_Preset(const String& Data_Type);
