#include "descriptions/BACnetSlaveFile.h"

#include <gtest/gtest.h>

#include "platform/xml/XMLDoc.h"
#include "tests/descriptions/DescTestFiles.h"
#include "tests/platform/xml/XmllintCheck.h"

using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::TScratch;

namespace {

TBACnet_Slave_Row Row(const String& Data_Type, const String& Unit, const String& Position,
                      const String& Bit, const String& Length, const String& Swap,
                      const String& Mnemonic) {
  return TBACnet_Slave_Row{Data_Type, Unit, Position, Bit, Length, Swap, Mnemonic};
}

bool Same(const TBACnet_Slave_Row& A, const TBACnet_Slave_Row& B) {
  return A.Data_Type == B.Data_Type && A.Eng_Unit == B.Eng_Unit && A.Position == B.Position &&
         A.Bit == B.Bit && A.Length == B.Length && A.Swap == B.Swap && A.Mnemonic == B.Mnemonic;
}

TEST(BACnetSlaveFile, WritesTheTablesUpToTheirFirstBlankRow) {
  TBACnet_Slave_Tables tables;
  tables.In_Read = {Row(u"Analog Input", u"62", u"0", u"", u"4", u"N", u"Temp & \"Hall\" <1>"),
                    Row(u"Binary Input", u"95", u"4", u"3", u"", u"Y", u"Door"),
                    Row(u"  ", u"1", u"2", u"3", u"4", u"N", u"after the blank row")};
  tables.In_Write = {Row(u"Analog Value", u"98", u"10", u"", u"2", u"N", u"Set \u00B0C")};
  EXPECT_EQ(BACnet_Slave_Bytes(tables),
            "<BACnet_to_Modbus><BACnet_in_Read>"
            "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" "
            "Swap=\"N\" Mnemonic=\"Temp &amp; &quot;Hall&quot; &lt;1&gt;\"/>"
            "<row Data_Type=\"Binary Input\" Eng_Unit=\"95\" Position=\"4\" Bit=\"3\" Length=\"\" "
            "Swap=\"Y\" Mnemonic=\"Door\"/>"
            "</BACnet_in_Read><BACnet_in_Write>"
            "<row Data_Type=\"Analog Value\" Eng_Unit=\"98\" Position=\"10\" Bit=\"\" Length=\"2\" "
            "Swap=\"N\" Mnemonic=\"Set \xC2\xB0"
            "C\"/>"
            "</BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.000-->");

  TScratch dir;
  Write_BACnet_Slave_File(dir.Path("BACnet_Slave.xml"), tables);
  const TBACnet_Slave_Tables back = Read_BACnet_Slave_File(dir.Path("BACnet_Slave.xml"));
  ASSERT_EQ(back.In_Read.size(), 2u);
  ASSERT_EQ(back.In_Write.size(), 1u);
  EXPECT_TRUE(Same(back.In_Read[0], tables.In_Read[0]));
  EXPECT_TRUE(Same(back.In_Read[1], tables.In_Read[1]));
  EXPECT_TRUE(Same(back.In_Write[0], tables.In_Write[0]));
}

// A control character typed or pasted into a cell cannot stand in an XML file: it is left out, so
// other tools read the file, and the rest of the text is kept.
TEST(BACnetSlaveFile, ControlCharactersAreLeftOutOfTheWrittenFile) {
  TBACnet_Slave_Tables tables;
  tables.In_Read = {Row(u"Analog Input", u"62", u"0", u"", u"4", u"N", u"Pump\x07 1\x1B")};
  TScratch dir;
  Write_BACnet_Slave_File(dir.Path("BACnet_Slave.xml"), tables);
  EXPECT_TRUE(Xmllint_Accepts(dir.Path("BACnet_Slave.xml")));
  const TBACnet_Slave_Tables back = Read_BACnet_Slave_File(dir.Path("BACnet_Slave.xml"));
  ASSERT_EQ(back.In_Read.size(), 1u);
  EXPECT_EQ(back.In_Read[0].Mnemonic, u"Pump 1");
}

TEST(BACnetSlaveFile, EmptyTablesKeepBothElements) {
  EXPECT_EQ(BACnet_Slave_Bytes(TBACnet_Slave_Tables()),
            Read_Bytes(Fixture("bacnet_slave/empty_tables.xml")));
  const TBACnet_Slave_Tables back = Read_BACnet_Slave_File(Fixture("bacnet_slave/empty_tables.xml"));
  EXPECT_TRUE(back.In_Read.empty());
  EXPECT_TRUE(back.In_Write.empty());
}

TEST(BACnetSlaveFile, ReadsAHandIndentedFileInDocumentOrder) {
  const TBACnet_Slave_Tables tables = Read_BACnet_Slave_File(Fixture("bacnet_slave/several_types.xml"));
  ASSERT_EQ(tables.In_Read.size(), 6u);
  ASSERT_EQ(tables.In_Write.size(), 5u);
  EXPECT_TRUE(Same(tables.In_Read[2],
                   Row(u"Binary Input", u"95", u"6", u"0", u"", u"N", u"Window Contact Kitchen")));
  EXPECT_EQ(tables.In_Read[4].Swap, u"Y");
  EXPECT_EQ(tables.In_Read[5].Mnemonic, u"Outside \u00B0C");
  EXPECT_EQ(tables.In_Write[4].Data_Type, u"Large Analog Value");
}

TEST(BACnetSlaveFile, SwapIsOptionalAndTheOtherAttributesAreRequired) {
  const TBACnet_Slave_Tables tables = Read_BACnet_Slave_File(Fixture("bacnet_slave/row_without_swap.xml"));
  ASSERT_EQ(tables.In_Read.size(), 1u);
  EXPECT_EQ(tables.In_Read[0].Swap, u"N");

  const std::string full =
      "Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" "
      "Mnemonic=\"M\"";
  const char* required[] = {"Data_Type", "Eng_Unit", "Position", "Bit", "Length", "Mnemonic"};
  for (const char* name : required) {
    SCOPED_TRACE(name);
    std::string attrs = full;
    const size_t at = attrs.find(std::string(name) + "=\"");
    attrs.erase(at, attrs.find('"', attrs.find('"', at) + 1) + 1 - at);
    const std::string xml = "<BACnet_to_Modbus><BACnet_in_Read/><BACnet_in_Write><row " + attrs +
                            "/></BACnet_in_Write></BACnet_to_Modbus>";
    EXPECT_THROW(Read_BACnet_Slave_Bytes(xml), EXMLDocError);
  }
}

TEST(BACnetSlaveFile, FilesThatCannotBeReadRaise) {
  const std::pair<const char*, std::string> cases[] = {
      {"no_write_table", "<BACnet_to_Modbus><BACnet_in_Read/></BACnet_to_Modbus>"},
      {"no_read_table", "<BACnet_to_Modbus><BACnet_in_Write/></BACnet_to_Modbus>"},
      {"not_xml", "<BACnet_to_Modbus><BACnet_in_Read>"},
      // A character XML 1.0 cannot carry, as a reference or raw, would be lost on the next save.
      {"char_ref", "<BACnet_to_Modbus><BACnet_in_Read>&#1;</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>"},
      {"raw_char", "<BACnet_to_Modbus><BACnet_in_Read/><BACnet_in_Write a=\"x\x01y\"/></BACnet_to_Modbus>"},
      {"empty", ""},
  };
  for (const auto& [name, xml] : cases) {
    EXPECT_THROW(Read_BACnet_Slave_Bytes(xml), EXMLDocError) << name;
  }
  TScratch dir;
  EXPECT_THROW(Read_BACnet_Slave_File(dir.Path("BACnet_Slave.xml")), EXMLDocError);
}

// Comments, before the root element or among the rows, are not part of the tables.
TEST(BACnetSlaveFile, OnlyRowElementsAreRows) {
  const TBACnet_Slave_Tables tables = Read_BACnet_Slave_Bytes(
      "<!--edited--><BACnet_to_Modbus><BACnet_in_Read><!--note--><row Data_Type=\"Analog Input\" Eng_Unit=\"1\" "
      "Position=\"0\" Bit=\"\" Length=\"1\" Mnemonic=\"M\"/></BACnet_in_Read><BACnet_in_Write/>"
      "</BACnet_to_Modbus>");
  EXPECT_EQ(tables.In_Read.size(), 1u);
}

}  // namespace
