#include "descriptions/EDEFile.h"

#include <utility>

#include "comm/ParGenFile.h"

namespace {

// The object types of the tables with their BACnetObjectType numbers; each has its own counter.
const std::pair<const char16_t*, Integer> Object_Types[] = {
    {u"ANALOG INPUT", 0},
    {u"ANALOG OUT", 1},
    {u"ANALOG VALUE", 2},
    {u"BINARY INPUT", 3},
    {u"BINARY OUT", 4},
    {u"BINARY VALUE", 5},
    {u"MULTI STATE INPUT", 13},
    {u"MULTI STATE OUTPUT", 14},
    {u"MULTI STATE VALUE", 19},
    {u"LIFE SAFETY POINT", 21},
    {u"LIFE SAFETY ZONE", 22},
    {u"ACCUMULATOR", 23},
    {u"ACCESS DOOR", 30},
    {u"CHARACTERSTRING VALUE", 40},
    {u"DATETIME VALUE", 44},
    {u"INTEGER VALUE", 45},
    {u"LARGE ANALOG VALUE", 46},
    {u"POSITIVE INTEGER VALUE", 48},
};

// A value as it stands in its column: a ";" would end the column early and a line break would
// end the line, so they become "," and a blank.
String EDE_Value(const String& Value) {
  String out = Value;
  for (Char& c : out) {
    if (c == u';') {
      c = u',';
    } else if (c == u'\r' || c == u'\n') {
      c = u' ';
    }
  }
  return out;
}

void Add_Objects(TEDE_Objects& Objects, TEDE_Instance_Counters& Counters,
                 const std::vector<TBACnet_Slave_Row>& Rows, bool In_Write,
                 const TEDE_Device_Param& Device) {
  const Integer name_length = Device.EDE_Long_Names ? 32 : 16;
  Integer row_number = 0;
  for (const TBACnet_Slave_Row& row : Rows) {
    ++row_number;
    const Integer type = Get_BACnet_Object_Type(row.Data_Type);
    if (type < 0) {
      Objects.Skipped.push_back({In_Write, row_number, row.Data_Type});
      continue;
    }
    auto obj = std::make_unique<TBACnet_EDE_Obj>();
    obj->DevObjInstance = Device.EDE_Device_Instance;
    obj->ObjectName = Copy(row.Mnemonic, 1, name_length);
    obj->ObjectType = IntToStr(type);
    obj->ObjectInstance = IntToStr(Counters.Next_Object_Instance(type));
    // The key holds the whole name, so names that agree in their first characters stay apart.
    obj->Keyname = Device.EDE_Device_Instance + u"_" + row.Mnemonic + u"_" + obj->ObjectInstance;
    obj->Description = obj->ObjectName;
    obj->UnitCode = row.Eng_Unit;
    Objects.EDE_Object_List.push_back(std::move(obj));
  }
}

}  // namespace

Integer Get_BACnet_Object_Type(const String& Name) {
  const String key = UpperCase(Trim(Name));
  for (const auto& [name, number] : Object_Types) {
    if (key == name) return number;
  }
  return -1;
}

void TEDE_Instance_Counters::Reset_EDE_Counters() {
  FCounters.clear();
  for (const auto& entry : Object_Types) FCounters.emplace_back(entry.second, 0);
}

Integer TEDE_Instance_Counters::Next_Object_Instance(Integer Type) {
  for (auto& [type, next] : FCounters) {
    if (type == Type) return next++;
  }
  return 0;
}

TEDE_Device_Param Read_BACnet_Device_Param(const String& File_ParGen) {
  TEDE_Device_Param device;
  TParGen_Reader reader;
  if (!reader.Load(File_ParGen)) return device;
  const Integer bacnet_type = reader.Read_Integer(u"BACnet_Type", 0);
  device.EDE_Device_Instance =
      reader.Read_Text(bacnet_type == 1 ? u"BACnet_Ser_DEV_IDE" : u"BACnet_DEV_IDE", String());
  device.EDE_Long_Names = reader.Read_Flag(u"BACnet_Desc_Chars_Limit");
  return device;
}

TEDE_Objects Make_EDE_Objects(const TBACnet_Slave_Tables& Tables, const TEDE_Device_Param& Device) {
  TEDE_Objects objects;
  TEDE_Instance_Counters counters;
  Add_Objects(objects, counters, Tables.In_Read, false, Device);
  Add_Objects(objects, counters, Tables.In_Write, true, Device);
  return objects;
}

TEDE_Objects Read_BACnet_Slave_Objects(const String& File_BACnet_Slave,
                                       const TEDE_Device_Param& Device) {
  if (FileMissing(File_BACnet_Slave)) return TEDE_Objects();
  return Make_EDE_Objects(
      Read_BACnet_Slave_File(File_BACnet_Slave, TBACnet_Slave_Required::EDE_Columns), Device);
}

String Get_EDE_Timestamp(TDateTime When) {
  Word year = 0, month = 0, day = 0, hour = 0, min = 0, sec = 0, msec = 0;
  DecodeDate(When, year, month, day);
  DecodeTime(When, hour, min, sec, msec);
  String year_text = IntToStr(Integer(year));
  while (Length(year_text) < 4) year_text = u"0" + year_text;
  return Two_Digits(hour) + u":" + Two_Digits(min) + u":" + Two_Digits(sec) + u" " +
         Two_Digits(day) + u"/" + Two_Digits(month) + u"/" + year_text;
}

String Get_EDE_Name_Infix() { return String(); }

std::vector<String> Make_EDE_Lines(const String& Conf_Name, const String& Timestamp,
                                   const TEDE_Object_List& Objects) {
  std::vector<String> lines;
  lines.push_back(u"PROJECT_NAME; Tavrel-" + EDE_Value(Get_EDE_Name_Infix()) + u"-" +
                  EDE_Value(Conf_Name) + u";;;;;;");
  lines.push_back(u"VERSION_OF_REFERENCEFILE;1.0;;;;;;");
  lines.push_back(u"TIMESTAMP_OF_LAST_CHANGE;" + Timestamp + u";;;;;;");
  lines.push_back(u"AUTHOR_OF_LAST_CHANGE;Tavrel;;;;;;");
  lines.push_back(u"VERSION_OF_LAYOUT;2;;;;;;");
  lines.push_back(u"# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;");
  lines.push_back(
      u"# keyname;device obj.-instance;object-name;object-type;object-instance;description;"
      u"unit-code;");
  for (const auto& obj : Objects) {
    String line;
    for (const String* value : {&obj->Keyname, &obj->DevObjInstance, &obj->ObjectName,
                                &obj->ObjectType, &obj->ObjectInstance, &obj->Description,
                                &obj->UnitCode}) {
      line += EDE_Value(*value) + u";";
    }
    lines.push_back(line);
  }
  return lines;
}

String EDE_File_Name(const String& Chosen) {
  if (UpperCase(Copy(Chosen, Length(Chosen) - 3, 4)) == u".CSV") return Chosen;
  return Chosen + u".csv";
}

TEDE_Result Create_EDE_File(const String& FileName, const TEDE_Sources& Sources) {
  // Both files are read before the target is touched, so a failed read leaves an old file whole.
  const TEDE_Device_Param device = Read_BACnet_Device_Param(Sources.File_ParGen);
  TEDE_Objects objects = Read_BACnet_Slave_Objects(Sources.File_BACnet_Slave, device);
  Save_Text_Lines(FileName,
                  Make_EDE_Lines(Sources.Conf_Name, Get_EDE_Timestamp(Sources.Time_Stamp),
                                 objects.EDE_Object_List),
                  TText_Encoding::Ansi);
  TEDE_Result result;
  result.Written = true;
  result.Skipped = std::move(objects.Skipped);
  return result;
}

TEDE_Result Make_EDE_File(const String& FileName, const TEDE_Sources& Sources) {
  return Create_EDE_File(FileName, Sources);
}

TEDE_Result Save_EDE_File(const String& Chosen, const TEDE_Sources& Sources,
                          const TConfirm_Overwrite& Confirm_Overwrite) {
  const String file_name = EDE_File_Name(Chosen);
  if (!Overwrite_Allowed(file_name, Text_EDE_Overwrite, Confirm_Overwrite)) return TEDE_Result();
  return Make_EDE_File(file_name, Sources);
}

String EDE_Skipped_Rows_Text(const std::vector<TEDE_Skipped_Row>& Skipped, const String& Read_Name,
                             const String& Write_Name) {
  String text;
  for (const TEDE_Skipped_Row& row : Skipped) {
    text += u"\n[" + (row.In_Write ? Write_Name : Read_Name) + u"] " + IntToStr(row.Row) + u": " +
            row.Data_Type;
  }
  return text;
}
