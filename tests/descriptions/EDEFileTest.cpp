#include "descriptions/EDEFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/xml/XMLDoc.h"
#include "tests/descriptions/DescTestFiles.h"

using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::TScratch;
using desc_test::Write_Bytes;

namespace {

TDateTime March_7_2024_09_05_03() { return EncodeDate(2024, 3, 7) + EncodeTime(9, 5, 3, 0); }

TEDE_Sources Sources(const String& ParGen, const String& Slave) {
  return TEDE_Sources{ParGen, Slave, u"Plant1", March_7_2024_09_05_03()};
}

TBACnet_Slave_Row Row(const String& Data_Type, const String& Mnemonic, const String& Unit = u"95") {
  TBACnet_Slave_Row row;
  row.Data_Type = Data_Type;
  row.Eng_Unit = Unit;
  row.Position = u"0";
  row.Length = u"1";
  row.Mnemonic = Mnemonic;
  return row;
}

std::vector<String> Instances(const TEDE_Objects& Objects) {
  std::vector<String> out;
  for (const auto& obj : Objects.EDE_Object_List) out.push_back(obj->ObjectType + u"/" + obj->ObjectInstance);
  return out;
}

TEST(EDEFile, WritesTheFileOfTheObjectTables) {
  TScratch dir;
  const String file = dir.Path("objects.csv");
  const TEDE_Result result = Create_EDE_File(
      file, Sources(Fixture("pargen/bacnet_ip_1200.xml"), Fixture("bacnet_slave/several_types.xml")));
  EXPECT_TRUE(result.Written);
  EXPECT_TRUE(result.Skipped.empty());
  EXPECT_EQ(Read_Bytes(file), Read_Bytes(Fixture("ede/several_types_plant1.csv")));
}

TEST(EDEFile, WithoutTheFilesOnlyTheHeaderIsWritten) {
  TScratch dir;
  const String file = dir.Path("objects.csv");
  Create_EDE_File(file, Sources(dir.Path("ParGen.xml"), dir.Path("BACnet_Slave.xml")));
  EXPECT_EQ(Read_Bytes(file),
            "PROJECT_NAME; Tavrel--Plant1;;;;;;\r\n"
            "VERSION_OF_REFERENCEFILE;1.0;;;;;;\r\n"
            "TIMESTAMP_OF_LAST_CHANGE;09:05:03 07/03/2024;;;;;;\r\n"
            "AUTHOR_OF_LAST_CHANGE;Tavrel;;;;;;\r\n"
            "VERSION_OF_LAYOUT;2;;;;;;\r\n"
            "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;\r\n"
            "# keyname;device obj.-instance;object-name;object-type;object-instance;description;"
            "unit-code;\r\n");
}

TEST(EDEFile, CountsInstancesPerTypeAcrossBothTables) {
  TBACnet_Slave_Tables tables;
  tables.In_Read = {Row(u"Analog Input", u"a"), Row(u" analog input ", u"b"),
                    Row(u"Multi State Value", u"c")};
  tables.In_Write = {Row(u"Analog Value", u"d"), Row(u"Analog Out", u"e"),
                     Row(u"MULTI STATE VALUE", u"f"), Row(u"Positive Integer Value", u"g")};
  const TEDE_Objects objects = Make_EDE_Objects(tables, TEDE_Device_Param());
  EXPECT_EQ(Instances(objects),
            (std::vector<String>{u"0/0", u"0/1", u"19/0", u"2/0", u"1/0", u"19/1", u"48/0"}));
}

TEST(EDEFile, MapsEveryKnownTypeAndNoOther) {
  const std::pair<String, Integer> cases[] = {
      {u"Analog Input", 0},          {u"Analog Out", 1},
      {u"Analog Value", 2},          {u"Binary Input", 3},
      {u"Binary Out", 4},            {u"Binary Value", 5},
      {u"Multi State Input", 13},    {u"Multi State Output", 14},
      {u"Multi State Value", 19},    {u"Life Safety Point", 21},
      {u"Life Safety Zone", 22},     {u"Accumulator", 23},
      {u"Access Door", 30},          {u"CharacterString Value", 40},
      {u"DateTime Value", 44},       {u"Integer Value", 45},
      {u"Large Analog Value", 46},   {u"Positive Integer Value", 48},
      {u"Octet String", -1},         {u"", -1},
      {u"Analog  Input", -1},
  };
  for (const auto& [name, number] : cases) {
    EXPECT_EQ(Get_BACnet_Object_Type(name), number) << StringToUtf8(name);
  }
  TEDE_Instance_Counters counters;
  EXPECT_EQ(counters.Next_Object_Instance(46), 0);
  EXPECT_EQ(counters.Next_Object_Instance(46), 1);
  EXPECT_EQ(counters.Next_Object_Instance(7), 0);  // no counter: 0, counting nothing
  EXPECT_EQ(counters.Next_Object_Instance(7), 0);
  counters.Reset_EDE_Counters();
  EXPECT_EQ(counters.Next_Object_Instance(46), 0);
}

TEST(EDEFile, CutsNamesTo16Or32CharactersButKeysKeepThemWhole) {
  const String name40 = u"0123456789abcdefghijKLMNOPQRSTUVWXYZ!#$%";
  struct Case {
    const char* Name;
    bool Long_Names;
    String Object_Name;
  };
  const Case cases[] = {
      {"16_characters", false, u"0123456789abcdef"},
      {"32_characters", true, u"0123456789abcdefghijKLMNOPQRSTUV"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TBACnet_Slave_Tables tables;
    tables.In_Read = {Row(u"Analog Input", name40, u"62"), Row(u"Analog Input", u"short", u"62")};
    const TEDE_Objects objects = Make_EDE_Objects(tables, TEDE_Device_Param{u"1200", c.Long_Names});
    ASSERT_EQ(objects.EDE_Object_List.size(), 2u);
    const TBACnet_EDE_Obj& obj = *objects.EDE_Object_List[0];
    EXPECT_EQ(obj.ObjectName, c.Object_Name);
    EXPECT_EQ(obj.Description, c.Object_Name);
    EXPECT_EQ(obj.Keyname, u"1200_" + name40 + u"_0");
    EXPECT_EQ(objects.EDE_Object_List[1]->ObjectName, u"short");
  }
}

TEST(EDEFile, ChoosesTheDeviceInstanceByType) {
  struct Case {
    const char* Name;
    std::string ParGen;  // "" for no file
    String Instance;
    bool Long_Names;
  };
  const Case cases[] = {
      {"no_file", "", u"", false},
      {"ip_variant",
       "<Par_Gen><BACnet_Type>0</BACnet_Type><BACnet_DEV_IDE>1200</BACnet_DEV_IDE>"
       "<BACnet_Ser_DEV_IDE>77</BACnet_Ser_DEV_IDE></Par_Gen>",
       u"1200", false},
      {"serial_variant",
       "<Par_Gen><BACnet_Type>1</BACnet_Type><BACnet_DEV_IDE>1200</BACnet_DEV_IDE>"
       "<BACnet_Ser_DEV_IDE>77</BACnet_Ser_DEV_IDE></Par_Gen>",
       u"77", false},
      {"type_missing_reads_ip", "<Par_Gen><BACnet_DEV_IDE>1200</BACnet_DEV_IDE></Par_Gen>", u"1200",
       false},
      {"type_not_a_number_reads_ip",
       "<Par_Gen><BACnet_Type>one</BACnet_Type><BACnet_DEV_IDE>5</BACnet_DEV_IDE></Par_Gen>", u"5",
       false},
      {"type_in_hexadecimal_reads_ip",
       "<Par_Gen><BACnet_Type>0x1</BACnet_Type><BACnet_DEV_IDE>1200</BACnet_DEV_IDE>"
       "<BACnet_Ser_DEV_IDE>77</BACnet_Ser_DEV_IDE></Par_Gen>",
       u"1200", false},
      {"serial_without_its_instance",
       "<Par_Gen><BACnet_Type>1</BACnet_Type><BACnet_DEV_IDE>1200</BACnet_DEV_IDE></Par_Gen>", u"",
       false},
      {"long_names", "<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>", u"",
       true},
      {"long_names_only_for_exactly_1",
       "<Par_Gen><BACnet_Desc_Chars_Limit> 1</BACnet_Desc_Chars_Limit></Par_Gen>", u"", false},
      {"comment_before_the_root", Read_Bytes(Fixture("pargen/comment_before_root.xml")), u"1200", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TScratch dir;
    const String file = dir.Path("ParGen.xml");
    if (!c.ParGen.empty()) Write_Bytes(file, c.ParGen);
    const TEDE_Device_Param device = Read_BACnet_Device_Param(file);
    EXPECT_EQ(device.EDE_Device_Instance, c.Instance);
    EXPECT_EQ(device.EDE_Long_Names, c.Long_Names);
  }
}

TEST(EDEFile, EachExportStartsFromItsOwnFiles) {
  TScratch dir;
  const String slave = dir.Path("BACnet_Slave.xml");
  Write_Bytes(slave,
              "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" "
              "Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" Mnemonic=\"Temperature Hall North\"/>"
              "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>");
  const String first = dir.Path("ParGen1.xml");
  Write_Bytes(first,
              "<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>"
              "<BACnet_DEV_IDE>1200</BACnet_DEV_IDE></Par_Gen>");
  Create_EDE_File(dir.Path("first.csv"), Sources(first, slave));
  Create_EDE_File(dir.Path("second.csv"), Sources(dir.Path("ParGen2.xml"), slave));
  const std::string first_text = Read_Bytes(dir.Path("first.csv"));
  const std::string second_text = Read_Bytes(dir.Path("second.csv"));
  EXPECT_NE(first_text.find("\r\n1200_Temperature Hall North_0;1200;Temperature Hall North;0;0;"
                            "Temperature Hall North;62;\r\n"),
            std::string::npos);
  EXPECT_NE(second_text.find("\r\n_Temperature Hall North_0;;Temperature Hall;0;0;Temperature Hall;"
                             "62;\r\n"),
            std::string::npos);
}

TEST(EDEFile, RowsOfUnknownTypeAreReportedAndLeftOut) {
  TScratch dir;
  const String file = dir.Path("objects.csv");
  const TEDE_Result result =
      Create_EDE_File(file, Sources(dir.Path("none.xml"), Fixture("bacnet_slave/unknown_type.xml")));
  ASSERT_EQ(result.Skipped.size(), 2u);
  EXPECT_FALSE(result.Skipped[0].In_Write);
  EXPECT_EQ(result.Skipped[0].Row, 2);
  EXPECT_EQ(result.Skipped[0].Data_Type, u"Octet String");
  EXPECT_TRUE(result.Skipped[1].In_Write);
  EXPECT_EQ(result.Skipped[1].Row, 1);
  EXPECT_EQ(result.Skipped[1].Data_Type, u"");
  EXPECT_EQ(EDE_Skipped_Rows_Text(result.Skipped, u"BACnet in Read", u"BACnet in Write"),
            u"\n[BACnet in Read] 2: Octet String\n[BACnet in Write] 1: ");

  // The analog input after the left-out row keeps the numbering of its own type.
  const std::string text = Read_Bytes(file);
  EXPECT_NE(text.find("\r\n_T1_0;;T1;0;0;T1;62;\r\n_T2_1;;T2;0;1;T2;62;\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Raw"), std::string::npos);
  EXPECT_EQ(text.find("Blank"), std::string::npos);
}

TEST(EDEFile, ASemicolonInAValueDoesNotShiftTheColumns) {
  TScratch dir;
  const String file = dir.Path("objects.csv");
  TEDE_Sources sources =
      Sources(dir.Path("none.xml"), Fixture("bacnet_slave/semicolon_mnemonic.xml"));
  sources.Conf_Name = u"Plant;1";
  Create_EDE_File(file, sources);
  const std::string text = Read_Bytes(file);
  EXPECT_EQ(text.find("PROJECT_NAME; Tavrel--Plant,1;;;;;;\r\n"), 0u);
  EXPECT_NE(text.find("\r\n_Hall,North_0;;Hall,North;0;0;Hall,North;62;\r\n"), std::string::npos);

  TBACnet_Slave_Tables tables;
  tables.In_Read = {Row(u"Analog Input", u"Line\r\nBreak", u"6;2")};
  const TEDE_Objects objects = Make_EDE_Objects(tables, TEDE_Device_Param{u"1;2", false});
  const std::vector<String> lines = Make_EDE_Lines(u"P", u"T", objects.EDE_Object_List);
  EXPECT_EQ(lines.back(), u"1,2_Line  Break_0;1,2;Line  Break;0;0;Line  Break;6,2;");
}

TEST(EDEFile, AFileThatCannotBeReadLeavesTheTargetUntouched) {
  const char* cases[] = {"bacnet_slave/row_without_eng_unit.xml", "bacnet_slave/no_write_table.xml",
                         "pargen/not_well_formed.xml"};
  for (const char* slave : cases) {
    SCOPED_TRACE(slave);
    TScratch dir;
    const String file = dir.Path("objects.csv");
    Write_Bytes(file, "old");
    EXPECT_THROW(Create_EDE_File(file, Sources(dir.Path("none.xml"), Fixture(slave))), EXMLDocError);
    EXPECT_EQ(Read_Bytes(file), "old");
  }
}

// The export reads only the type, the unit and the name of a row: a row without the columns it
// does not use is still written, a row without one it uses fails the export.
TEST(EDEFile, ARowNeedsOnlyTheAttributesTheFileUses) {
  struct Case {
    const char* Name;
    const char* Attributes;
    bool Exported;
  };
  const Case cases[] = {
      {"without_position_bit_length_swap",
       "Data_Type=\"Analog Input\" Eng_Unit=\"62\" Mnemonic=\"T\"", true},
      {"without_data_type",
       "Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Mnemonic=\"T\"", false},
      {"without_eng_unit",
       "Data_Type=\"Analog Input\" Position=\"0\" Bit=\"\" Length=\"4\" Mnemonic=\"T\"", false},
      {"without_mnemonic",
       "Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TScratch dir;
    const String slave = dir.Path("BACnet_Slave.xml");
    Write_Bytes(slave, std::string("<BACnet_to_Modbus><BACnet_in_Read/><BACnet_in_Write><row ") +
                           c.Attributes + "/></BACnet_in_Write></BACnet_to_Modbus>");
    const String file = dir.Path("objects.csv");
    Write_Bytes(file, "old");
    if (c.Exported) {
      Create_EDE_File(file, Sources(dir.Path("none.xml"), slave));
      EXPECT_NE(Read_Bytes(file).find("\r\n_T_0;;T;0;0;T;62;\r\n"), std::string::npos);
    } else {
      EXPECT_THROW(Create_EDE_File(file, Sources(dir.Path("none.xml"), slave)), EXMLDocError);
      EXPECT_EQ(Read_Bytes(file), "old");
    }
  }
}

TEST(EDEFile, FileNameGetsTheExtensionUnlessItHasIt) {
  const std::pair<String, String> cases[] = {
      {u"/cfg/objects.CSV", u"/cfg/objects.CSV"}, {u"/cfg/objects.csv", u"/cfg/objects.csv"},
      {u"/cfg/objects.Csv", u"/cfg/objects.Csv"}, {u"/cfg/objects", u"/cfg/objects.csv"},
      {u"csv", u"csv.csv"},                       {u"/cfg/objects.csv.txt", u"/cfg/objects.csv.txt.csv"},
  };
  for (const auto& [chosen, expected] : cases) {
    EXPECT_EQ(EDE_File_Name(chosen), expected) << StringToUtf8(chosen);
  }
}

TEST(EDEFile, OnlyYesReplacesAnExistingFile) {
  const std::pair<TOverwrite_Answer, bool> cases[] = {
      {TOverwrite_Answer::Yes, true},
      {TOverwrite_Answer::No, false},
      {TOverwrite_Answer::Cancel, false},
  };
  for (const auto& [answer, replaced] : cases) {
    SCOPED_TRACE(static_cast<int>(answer));
    TScratch dir;
    Write_Bytes(dir.Path("objects.csv"), "old");
    std::vector<Integer> asked;
    const TEDE_Result result =
        Save_EDE_File(dir.Path("objects"), Sources(dir.Path("none.xml"), dir.Path("none.xml")),
                      [&asked, answer = answer](Integer Text_Id) {
                        asked.push_back(Text_Id);
                        return answer;
                      });
    EXPECT_EQ(asked, std::vector<Integer>{31});
    EXPECT_EQ(result.Written, replaced);
    EXPECT_EQ(Read_Bytes(dir.Path("objects.csv")) != "old", replaced);
  }
  // A new file is written without a question.
  TScratch dir;
  bool asked = false;
  const TEDE_Result result =
      Save_EDE_File(dir.Path("new.CSV"), Sources(dir.Path("none.xml"), dir.Path("none.xml")),
                    [&asked](Integer) {
                      asked = true;
                      return TOverwrite_Answer::No;
                    });
  EXPECT_TRUE(result.Written);
  EXPECT_FALSE(asked);
  EXPECT_TRUE(std::filesystem::exists(StringToUtf8(dir.Path("new.CSV"))));
}

TEST(EDEFile, TimestampHasTwoDigitsAndAFourDigitYear) {
  EXPECT_EQ(Get_EDE_Timestamp(March_7_2024_09_05_03()), u"09:05:03 07/03/2024");
  EXPECT_EQ(Get_EDE_Timestamp(EncodeDate(2025, 12, 31) + EncodeTime(23, 59, 58, 0)),
            u"23:59:58 31/12/2025");
}

}  // namespace
