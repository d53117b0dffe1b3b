// The checks of the BACnet slave object tables: units, positions, start bits, the length bounds of
// each type and the bytes an object occupies, the number of objects, and the Length presets of the
// in-Write table.
#include "descriptions/BACnetSlaveChecks.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TBACnet_Slave_Row Object(const String& Type, const String& Position, const String& Bit,
                         const String& Length, const String& Unit = u"62") {
  return TBACnet_Slave_Row{Type, Unit, Position, Bit, Length, u"N", u"obj"};
}

struct TCase {
  const char* Name;
  std::function<void(TBACnet_Slave_Tables&)> Fill;
  Integer Row;
  Integer Text_Id;  // -1: passes
  const char16_t* Suffix = u"";
};

TEST(BACnetSlaveChecks, TableOfCases) {
  using T = TBACnet_Slave_Tables;
  const TCase cases[] = {
      {"empty tables pass", [](T&) {}, 0, -1},
      {"analog input ending on the last byte", [](T& t) { t.In_Read = {Object(u"Analog Input", u"1498", u"", u"2")}; },
       0, -1},
      {"analog input one byte too long", [](T& t) { t.In_Read = {Object(u"Analog Input", u"1498", u"", u"3")}; }, 1,
       1946},
      {"analog input of 5 bytes", [](T& t) { t.In_Read = {Object(u"Analog Input", u"0", u"", u"5")}; }, 1, 1935},
      {"integer value past the end", [](T& t) { t.In_Read = {Object(u"Integer Value", u"1490", u"", u"11")}; }, 1,
       1946},
      {"integer value of any length inside", [](T& t) { t.In_Read = {Object(u"Integer Value", u"0", u"", u"100")}; },
       0, -1},
      {"integer value of the largest length does not wrap",
       [](T& t) { t.In_Read = {Object(u"Integer Value", u"1499", u"", u"2147483647")}; }, 1, 1946},
      {"unit 65535 passes", [](T& t) { t.In_Read = {Object(u"Accumulator", u"0", u"", u"4", u"65535")}; }, 0, -1},
      {"unit 65536", [](T& t) { t.In_Read = {Object(u"Accumulator", u"0", u"", u"4", u"65536")}; }, 1, 1933},
      {"unit not a number", [](T& t) { t.In_Read = {Object(u"Accumulator", u"0", u"", u"4", u"deg")}; }, 1, 1933},
      {"unit in hexadecimal", [](T& t) { t.In_Read = {Object(u"Accumulator", u"0", u"", u"4", u"$10")}; }, 1, 1933},
      {"read position in hexadecimal", [](T& t) { t.In_Read = {Object(u"Analog Value", u"0x1", u"", u"1")}; }, 1,
       1934, u"1499"},
      {"read position 1500", [](T& t) { t.In_Read = {Object(u"Analog Value", u"1500", u"", u"1")}; }, 1, 1934,
       u"1499"},
      {"read position empty", [](T& t) { t.In_Read = {Object(u"Analog Value", u"", u"", u"1")}; }, 1, 1934, u"1499"},
      {"large analog value 8", [](T& t) { t.In_Read = {Object(u"Large Analog Value", u"0", u"", u"8")}; }, 0, -1},
      {"large analog value 9", [](T& t) { t.In_Read = {Object(u"Large Analog Value", u"0", u"", u"9")}; }, 1, 1937},
      {"length not a number counts as 0", [](T& t) { t.In_Read = {Object(u"Multi State Input", u"0", u"", u"x")}; },
       1, 1939},
      {"life safety point 3", [](T& t) { t.In_Read = {Object(u"Life Safety Point", u"0", u"", u"3")}; }, 1, 1941},
      {"binary input on the last byte", [](T& t) { t.In_Read = {Object(u"Binary Input", u"1499", u"7", u"")}; }, 0,
       -1},
      {"binary input without a bit", [](T& t) { t.In_Read = {Object(u"Binary Value", u"0", u"", u"1")}; }, 1, 1945},
      {"binary input with bit 8", [](T& t) { t.In_Read = {Object(u"Binary Input", u"0", u"8", u"")}; }, 1, 1945},
      {"binary out without a bit, any length",
       [](T& t) { t.In_Write = {Object(u"Binary Out", u"0", u"", u"99")}; }, 1, 1957},
      {"access door of 2 bytes", [](T& t) { t.In_Write = {Object(u"Access Door", u"0", u"", u"2")}; }, 1, 1956},
      {"write position 1500", [](T& t) { t.In_Write = {Object(u"Analog Out", u"1500", u"", u"4")}; }, 1, 1948,
       u"1499"},
      {"write integer value bounded", [](T& t) { t.In_Write = {Object(u"Integer Value", u"0", u"", u"5")}; }, 1,
       1953},
      {"write analog out past the end", [](T& t) { t.In_Write = {Object(u"Analog Out", u"1497", u"", u"4")}; }, 1,
       1958},
      {"write unit too big", [](T& t) { t.In_Write = {Object(u"Analog Out", u"0", u"", u"4", u"70000")}; }, 1, 1947},
      {"read table first, row numbers from 1", [](T& t) {
         t.In_Read = {Object(u"Analog Input", u"0", u"", u"4"), Object(u"Analog Input", u"4", u"", u"5")};
         t.In_Write = {Object(u"Access Door", u"0", u"", u"2")};
       }, 2, 1935},
      {"rows after a blank type are not checked", [](T& t) {
         t.In_Read = {Object(u"Analog Input", u"0", u"", u"4"), Object(u" ", u"0", u"", u"4"),
                      Object(u"Analog Input", u"0", u"", u"99")};
       }, 0, -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBACnet_Slave_Tables t;
    c.Fill(t);
    const TTable_Check_Result r = Check_BACnet_Slave_Tables(t, 1500, 1500, false);
    EXPECT_EQ(r.Text_Id, c.Text_Id);
    EXPECT_EQ(r.Row, c.Row);
    EXPECT_EQ(r.Suffix, String(c.Suffix));
  }
}

// 600 objects to read and 500 to write: too many when the names may be 32 characters long.
TEST(BACnetSlaveChecks, ObjectCountOfBothTablesTogether) {
  TBACnet_Slave_Tables t;
  t.In_Read.assign(600, Object(u"Binary Input", u"0", u"0", u""));
  t.In_Write.assign(500, Object(u"Binary Out", u"0", u"0", u""));
  const TTable_Check_Result limited = Check_BACnet_Slave_Tables(t, 1500, 1500, true);
  EXPECT_EQ(limited.Text_Id, 1959);
  EXPECT_EQ(limited.Row, 0);
  EXPECT_EQ(limited.Suffix, u"1000");
  EXPECT_TRUE(Check_BACnet_Slave_Tables(t, 1500, 1500, false).Ok());
  t.In_Write.resize(400);
  EXPECT_TRUE(Check_BACnet_Slave_Tables(t, 1500, 1500, true).Ok());
}

TEST(BACnetSlaveChecks, WriteLengthPresets) {
  const struct {
    const char16_t* Type;
    const char16_t* Length;
  } cases[] = {{u"Analog Out", u"4"},        {u"Analog Value", u"4"},       {u"Positive Integer Value", u"4"},
               {u"Integer Value", u"4"},     {u"Multi State Output", u"4"}, {u"Multi State Value", u"4"},
               {u"Binary Out", u"1"},        {u"binary value", u"1"},       {u"Access Door", u"1"},
               {u"Octet String", u"1"},      {u"Large Analog Value", u"8"}, {u"Analog Input", u""},
               {u"", u""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.Type));
    EXPECT_EQ(BACnet_Write_Length_Preset(c.Type), String(c.Length));
  }
  EXPECT_EQ(BACnet_In_Read_Types().size(), 13u);
  EXPECT_EQ(BACnet_In_Write_Types().size(), 10u);
}

}  // namespace
