#include "descriptions/BACnetSlaveChecks.h"

#include "platform/rtl/SysUtils.h"

namespace {

// The lengths an object type may have, and the text shown when its length is outside them.
struct TLength_Bound {
  const char16_t* Type;
  Integer Min, Max;
  Integer Text_Id;
};

// What one table is checked against.
struct TTable_Rules {
  Integer Eng_Unit_Text, Position_Text, Bit_Text, Bytes_Text;
  std::vector<String> Binary_Types;
  // Types without a bound take any length.
  std::vector<TLength_Bound> Bounds;
};

const TTable_Rules& In_Read_Rules() {
  static const TTable_Rules rules{1933, 1934, 1945, 1946,
                                  {u"Binary Input", u"Binary Value"},
                                  {{u"Analog Input", 1, 4, 1935},
                                   {u"Analog Value", 1, 4, 1938},
                                   {u"Positive Integer Value", 1, 4, 1936},
                                   {u"Large Analog Value", 1, 8, 1937},
                                   {u"Multi State Input", 1, 4, 1939},
                                   {u"Multi State Value", 1, 4, 1940},
                                   {u"Life Safety Point", 1, 2, 1941},
                                   {u"Life Safety Zone", 1, 2, 1942},
                                   {u"Access Door", 1, 1, 1943},
                                   {u"Accumulator", 1, 4, 1944}}};
  return rules;
}

const TTable_Rules& In_Write_Rules() {
  static const TTable_Rules rules{1947, 1948, 1957, 1958,
                                  {u"Binary Out", u"Binary Value"},
                                  {{u"Analog Out", 1, 4, 1949},
                                   {u"Analog Value", 1, 4, 1950},
                                   {u"Positive Integer Value", 1, 4, 1951},
                                   {u"Large Analog Value", 1, 8, 1952},
                                   {u"Integer Value", 1, 4, 1953},
                                   {u"Multi State Output", 1, 4, 1954},
                                   {u"Multi State Value", 1, 4, 1955},
                                   {u"Access Door", 1, 1, 1956}}};
  return rules;
}

bool Is_Binary(const TTable_Rules& Rules, const String& Type) {
  for (const String& t : Rules.Binary_Types) {
    if (t == Type) return true;
  }
  return false;
}

const TLength_Bound* Bound_Of(const TTable_Rules& Rules, const String& Type) {
  for (const TLength_Bound& b : Rules.Bounds) {
    if (Type == b.Type) return &b;
  }
  return nullptr;
}

// Checks the rows of one table; the number of rows checked is added to Checked.
TTable_Check_Result Check_Table(const std::vector<TBACnet_Slave_Row>& Rows, const TTable_Rules& Rules,
                                Integer Bytes, Integer& Checked) {
  const Integer count = BACnet_Slave_Row_Count(Rows);
  for (Integer i = 0; i < count; ++i) {
    const TBACnet_Slave_Row& row = Rows[static_cast<size_t>(i)];
    const Integer r = i + 1;
    const Integer unit = DecStrToIntDef(row.Eng_Unit, -1);
    if (unit < 0 || unit > 65535) return TTable_Check_Result::Fail(r, Rules.Eng_Unit_Text);
    const Integer position = DecStrToIntDef(row.Position, -1);
    if (position < 0 || position >= Bytes) {
      return TTable_Check_Result::Fail(r, Rules.Position_Text, IntToStr(Bytes - 1));
    }
    // The last byte the object occupies, in 64 bits: a length without a bound may be any integer.
    Int64 last = position;
    if (Is_Binary(Rules, row.Data_Type)) {
      // The start bit names a bit of the object's byte; the list offers 0 to 7, and the message
      // says so, so a hand-edited value outside them is refused as well as an empty one.
      const Integer bit = DecStrToIntDef(row.Bit, -1);
      if (bit < 0 || bit > 7) return TTable_Check_Result::Fail(r, Rules.Bit_Text);
    } else {
      const Integer length = DecStrToIntDef(row.Length, 0);
      if (const TLength_Bound* bound = Bound_Of(Rules, row.Data_Type)) {
        if (length < bound->Min || length > bound->Max) return TTable_Check_Result::Fail(r, bound->Text_Id);
      }
      last = static_cast<Int64>(position) + length - 1;
    }
    if (last >= Bytes) return TTable_Check_Result::Fail(r, Rules.Bytes_Text);
    ++Checked;
  }
  return TTable_Check_Result::Pass();
}

}  // namespace

const std::vector<String>& BACnet_In_Read_Types() {
  static const std::vector<String> types{
      u"Analog Input",     u"Analog Value",      u"Binary Input",       u"Binary Value",
      u"Positive Integer Value", u"Large Analog Value", u"Integer Value", u"Multi State Input",
      u"Multi State Value", u"Life Safety Point", u"Life Safety Zone",   u"Access Door",
      u"Accumulator"};
  return types;
}

const std::vector<String>& BACnet_In_Write_Types() {
  static const std::vector<String> types{
      u"Analog Out",    u"Analog Value",       u"Binary Out",         u"Binary Value",
      u"Positive Integer Value", u"Large Analog Value", u"Integer Value", u"Multi State Output",
      u"Multi State Value", u"Access Door"};
  return types;
}

Integer BACnet_Slave_Object_Limit(bool Desc_Lenght) { return Desc_Lenght ? 1000 : 2000; }

TTable_Check_Result Check_BACnet_Slave_Tables(const TBACnet_Slave_Tables& Tables, Integer NByte_IN,
                                              Integer NByte_OUT, bool Desc_Lenght) {
  Integer checked = 0;
  TTable_Check_Result result = Check_Table(Tables.In_Read, In_Read_Rules(), NByte_IN, checked);
  if (!result.Ok()) return result;
  result = Check_Table(Tables.In_Write, In_Write_Rules(), NByte_OUT, checked);
  if (!result.Ok()) return result;
  const Integer limit = BACnet_Slave_Object_Limit(Desc_Lenght);
  if (checked > limit) return TTable_Check_Result::Fail(0, 1959, IntToStr(limit));
  return TTable_Check_Result::Pass();
}

String BACnet_Write_Length_Preset(const String& Data_Type) {
  const String type = UpperCase(Data_Type);
  for (const char16_t* t : {u"ANALOG OUT", u"ANALOG VALUE", u"POSITIVE INTEGER VALUE", u"INTEGER VALUE",
                            u"MULTI STATE OUTPUT", u"MULTI STATE VALUE"}) {
    if (type == t) return u"4";
  }
  for (const char16_t* t : {u"BINARY OUT", u"BINARY VALUE", u"ACCESS DOOR", u"OCTET STRING"}) {
    if (type == t) return u"1";
  }
  if (type == u"LARGE ANALOG VALUE") return u"8";
  return String();
}
