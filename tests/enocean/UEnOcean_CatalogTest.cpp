#include "enocean/UEnOcean_Catalog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "tests/TempFolder.h"
#include "tests/platform/rtl/NotAFile.h"
#include "tests/platform/rtl/RefuseLargeAllocations.h"

namespace {

const String Fixtures = Utf8ToString(KP_FIXTURES_DIR "/enocean/catalog/");

String Fixture(const char* name) { return Fixtures + Utf8ToString(name); }

// The hand-made catalogue: every reading rule in a few entries.
class HandMadeCatalog : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Cat.Read_Cat_EnOcean_XML(Fixture("hand_made.xml"))); }

  const TType& Type(Integer r, Integer f, Integer t) const { return *Cat.List_Rorg[r]->List_Func[f]->List_Type[t]; }

  TCatalog_EnOcean Cat;
};

TEST_F(HandMadeCatalog, KeepsFileOrderAndDropsFailedRorgAndFunc) {
  // 0xD5 fails (its only FUNC's only TYPE's only case fails), 0xD4 has no FUNC and reads True.
  EXPECT_EQ(Cat.Rorg_SL, (std::vector<String>{u"0xF6 : RPS", u"0xD2 : VLD", u"0xA5 : 4BS", u"0xA5 : 4BS again",
                                              u"0xD4 : Last RORG"}));
  ASSERT_EQ(Cat.List_Rorg.size(), Cat.Rorg_SL.size());
  const TRorg& a5 = *Cat.List_Rorg[2];
  // FUNC 0x04 ends with a failing TYPE and is dropped; FUNC 0x03 ends with a good one and stays.
  EXPECT_EQ(a5.Func_SL,
            (std::vector<String>{u"0x02 : Temperature", u"0x03 : Kept with a failing type", u"0x05 : Last"}));
  ASSERT_EQ(a5.List_Func.size(), a5.Func_SL.size());
}

TEST_F(HandMadeCatalog, TypeWithFailingCaseStaysListedWithoutCases) {
  const TFunc& func = *Cat.List_Rorg[2]->List_Func[1];
  EXPECT_EQ(func.Type_SL, (std::vector<String>{u"0x01 : Only case fails", u"0x02 : Good"}));
  EXPECT_TRUE(func.List_Type[0]->List_Case.empty());
  EXPECT_TRUE(func.List_Type[0]->Case_SL.empty());
  EXPECT_EQ(func.List_Type[1]->Case_SL, (std::vector<String>{u"1 -> Fine"}));
  EXPECT_EQ(Cat.Get_CaseObj(0xA5, 3, 1, 0), nullptr);
}

TEST_F(HandMadeCatalog, NumbersConvertLikeIntegerTexts) {
  const TFunc& func = *Cat.List_Rorg[2]->List_Func[0];
  EXPECT_EQ(func.FNumber, 2);  // "$02"
  // "0x0A" and "$0A" give 10, "10 " gives 0, "-1" is shown with eight hex digits.
  EXPECT_EQ(func.Type_SL, (std::vector<String>{u"0x0A : Hex with 0x", u"0x0A : Hex with dollar",
                                               u"0x00 : Trailing blank", u"0xFFFFFFFF : Negative"}));
  EXPECT_EQ(func.List_Type[0]->FNumber, 10);
  EXPECT_EQ(func.List_Type[1]->FNumber, 10);
  EXPECT_EQ(func.List_Type[2]->FNumber, 0);
  EXPECT_EQ(func.List_Type[3]->FNumber, -1);
}

TEST_F(HandMadeCatalog, DataFieldsSkipReservedAndShowTheirLines) {
  const TCase& pressed = *Type(0, 0, 0).List_Case[0];
  EXPECT_EQ(pressed.DataField_SL, (std::vector<String>{u"R1 : 0, 3", u"EB : 4, 1"}));
  ASSERT_EQ(pressed.List_DataField.size(), 2u);
  const TDataField& r1 = *pressed.List_DataField[0];
  EXPECT_EQ(r1.FShortcut, u"R1S");
  EXPECT_EQ(r1.FDescription, u"Rocker action");
  EXPECT_EQ(r1.FInfo, u"0..7");
  // A description made of elements reads as the empty string; the field itself stays.
  const TDataField& ov = *Type(1, 0, 0).List_Case[0]->List_DataField[1];
  EXPECT_EQ(ov.FData, u"OV");
  EXPECT_EQ(ov.FDescription, u"");
  EXPECT_EQ(ov.FInfo, u"0..100");
  EXPECT_EQ(Type(0, 0, 0).Case_SL,
            (std::vector<String>{u"1 -> Pressed", u"2 -> Zero value and zero size", u"3 -> Carried over"}));
}

TEST_F(HandMadeCatalog, CaseSelectors) {
  struct Row {
    const char* name;
    Integer rorg, func, type, caseNum;
    Integer id, offset, size;
  };
  const Row rows[] = {
      // Status bits: value << (7 - bitoffs), summed.
      {"rps two status bits", 0xF6, 2, 1, 0, 12, 0, 0},
      {"rps value 0 and bitsize 0 add nothing", 0xF6, 2, 1, 1, 32, 0, 0},
      {"rps missing children carry over", 0xF6, 2, 1, 2, 4 + 64, 0, 0},
      {"vld selector field", 0xD2, 1, 0x12, 0, 3, 0, 4},
      {"vld last value wins", 0xD2, 1, 0x12, 1, 7, 4, 4},
      {"other rorg ignores its condition", 0xA5, 2, 10, 0, 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TCase* item = Cat.Get_CaseObj(row.rorg, row.func, row.type, row.caseNum);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->FCaseId, row.id);
    EXPECT_EQ(item->FCaseIdOffset, row.offset);
    EXPECT_EQ(item->FCaseIdSize, row.size);
  }
}

TEST_F(HandMadeCatalog, FirstMatchAgainstEveryMatch) {
  // The second RORG 0xA5 holds FUNC 0x20: first-match lookups stop at the first 0xA5.
  EXPECT_EQ(Cat.Get_FuncNum_Index(0xA5, 0x20), -1);
  EXPECT_EQ(Cat.Get_Func_Name_Str(0xA5, 0x20), u"0x20 : Only in the second");
  EXPECT_EQ(Cat.Get_TypeNum_Index(0xA5, 0x20, 1), -1);
  EXPECT_EQ(Cat.Get_Type_Name_Str(0xA5, 0x20, 1), u"0x01 : Second type");
  EXPECT_EQ(Cat.Get_Case_Name_Str(0xA5, 0x20, 1, 0), u"1 -> Second case");
  ASSERT_NE(Cat.Get_CaseObj(0xA5, 0x20, 1, 0), nullptr);
  EXPECT_EQ(Cat.Get_CaseObj(0xA5, 0x20, 1, 0)->FTitle, u"Second case");
  EXPECT_EQ(Cat.Get_Rorg_Name_Str(0xA5), u"0xA5 : 4BS");
  EXPECT_EQ(Cat.Get_RorgNum_Index(0xA5), 2);
  EXPECT_EQ(Cat.Get_FuncNum_Index(0xA5, 3), 1);
  EXPECT_EQ(Cat.Get_TypeNum_Index(0xA5, 2, 10), 0);
}

TEST_F(HandMadeCatalog, CaseLookupsTakeTheFirstTypeThatHasTheCase) {
  // Two TYPEs numbered 10: only the second has a case at position 1.
  EXPECT_EQ(Cat.Get_CaseObj(0xA5, 2, 10, 0)->FTitle, u"With a condition");
  EXPECT_EQ(Cat.Get_CaseObj(0xA5, 2, 10, 1)->FTitle, u"Second");
  EXPECT_EQ(Cat.Get_DataField_Index(0xA5, 2, 10, 1, u"X"), 1);
  EXPECT_EQ(Cat.Get_DataField_Index(0xA5, 2, 10, 0, u"HUM"), -1);  // the first type's case 0 has no HUM
  EXPECT_EQ(Cat.Get_DataField_Index(0xF6, 2, 1, 0, u"EB"), 1);
  EXPECT_EQ(Cat.Get_DataField_Index(0xF6, 2, 1, 0, u"Spare"), -1);  // reserved
  EXPECT_EQ(Cat.Get_DataField_Index(0xF6, 2, 1, 0, u"eb"), -1);     // exact comparison
  EXPECT_EQ(Cat.Get_Case_Name_Str(0xF6, 2, 1, 0), u"1 -> Pressed");
  EXPECT_EQ(Cat.Get_Case_Name_Str(0xF6, 2, 1, -1), u"");
  EXPECT_EQ(Cat.Get_Case_Name_Str(0xF6, 2, 1, 3), u"");
  EXPECT_EQ(Cat.Get_CaseObj(0xF6, 2, 1, -1), nullptr);
}

TEST_F(HandMadeCatalog, LookupsByListPosition) {
  EXPECT_EQ(Cat.Get_Rorg(1)->FNumber, 0xD2);
  EXPECT_EQ(Cat.Get_Func(2, 1)->FNumber, 3);
  EXPECT_EQ(Cat.Get_Type(0, 0, 0)->FTitle, u"Rocker type");
  EXPECT_EQ(Cat.Get_Case(0, 0, 0, 2)->FTitle, u"Carried over");
  EXPECT_EQ(Cat.Get_DataField(0, 0, 0, 0, 1)->FData, u"EB");
  EXPECT_EQ(Cat.Get_Rorg(-1), nullptr);
  EXPECT_EQ(Cat.Get_Rorg(5), nullptr);
  EXPECT_EQ(Cat.Get_Func(0, 1), nullptr);
  EXPECT_EQ(Cat.Get_DataField(0, 0, 0, 0, 2), nullptr);
  EXPECT_EQ(Cat.Get_DataField(0, 0, 0, -1, 0), nullptr);
}

TEST(Catalog, EmptyCatalogAnswersNothing) {
  TCatalog_EnOcean cat;
  EXPECT_FALSE(cat.Read_Cat_EnOcean_XML(Fixture("no_such_file.xml")));
  EXPECT_TRUE(cat.List_Rorg.empty());
  EXPECT_TRUE(cat.Rorg_SL.empty());
  EXPECT_EQ(cat.Get_RorgNum_Index(0xF6), -1);
  EXPECT_EQ(cat.Get_FuncNum_Index(0xF6, 2), -1);
  EXPECT_EQ(cat.Get_TypeNum_Index(0xF6, 2, 1), -1);
  EXPECT_EQ(cat.Get_DataField_Index(0xF6, 2, 1, 0, u"R1"), -1);
  EXPECT_EQ(cat.Get_CaseObj(0xF6, 2, 1, 0), nullptr);
  EXPECT_EQ(cat.Get_Rorg_Name_Str(0xF6), u"");
  EXPECT_EQ(cat.Get_Func_Name_Str(0xF6, 2), u"");
  EXPECT_EQ(cat.Get_Type_Name_Str(0xF6, 2, 1), u"");
  EXPECT_EQ(cat.Get_Case_Name_Str(0xF6, 2, 1, 0), u"");
}

TEST(Catalog, LoadResults) {
  struct Row {
    const char* name;
    std::string bytes;
    bool result;
    size_t rorgs;
  };
  const Row rows[] = {
      {"top element not profile", "<catalog><rorg><number>1</number></rorg></catalog>", true, 0},
      {"profile under a top-level eep", "<eep><profile><rorg><number>1</number></rorg></profile></eep>", true, 1},
      {"profile after a comment", "<!--c--><profile><rorg/></profile>", true, 1},
      {"not well-formed", "<profile><rorg>", false, 0},
      {"last rorg fails", "<profile><rorg/><rorg><title><x/></title></rorg></profile>", false, 1},
      {"empty input", "", false, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TCatalog_EnOcean cat;
    EXPECT_EQ(cat.Read_Cat_EnOcean_Bytes(row.bytes), row.result);
    EXPECT_EQ(cat.List_Rorg.size(), row.rorgs);
    EXPECT_EQ(cat.Rorg_SL.size(), row.rorgs);
  }
}

TEST(Catalog, StatusSelectorNumbersKeepTheirLowEightBits) {
  struct Row {
    const char* name;
    std::string statusfield;
    Integer id;
  };
  const Row rows[] = {
      {"value keeps its low 8 bits", "<value>$101</value><bitoffs>7</bitoffs><bitsize>1</bitsize>", 1},
      {"value 256 counts as 0", "<value>256</value><bitoffs>7</bitoffs><bitsize>1</bitsize>", 0},
      {"bitsize 256 counts as 0", "<value>1</value><bitoffs>7</bitoffs><bitsize>256</bitsize>", 0},
      {"offset 8 shifts by 31", "<value>1</value><bitoffs>8</bitoffs><bitsize>1</bitsize>", INT32_MIN},
      {"most negative offset shifts by 7", "<value>1</value><bitoffs>-2147483648</bitoffs><bitsize>1</bitsize>", 128},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TCatalog_EnOcean cat;
    ASSERT_TRUE(cat.Read_Cat_EnOcean_Bytes(
        "<profile><rorg><number>0xF6</number><func><type><case><condition><statusfield>" + row.statusfield +
        "</statusfield></condition></case></type></func></rorg></profile>"));
    const TCase* item = cat.Get_CaseObj(0xF6, 0, 0, 0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->FCaseId, row.id);
  }
}

TEST(Catalog, LoadingAppendsAndAFailedLoadKeepsWhatWasThere) {
  TCatalog_EnOcean cat;
  ASSERT_TRUE(cat.Read_Cat_EnOcean_XML(Fixture("same_content_utf8.xml")));
  EXPECT_FALSE(cat.Read_Cat_EnOcean_Bytes("<profile><rorg>"));
  EXPECT_EQ(cat.Rorg_SL.size(), 1u);
  ASSERT_TRUE(cat.Read_Cat_EnOcean_XML(Fixture("same_content_utf8.xml")));
  EXPECT_EQ(cat.Rorg_SL, (std::vector<String>{u"0xA5 : 4BS Telegram", u"0xA5 : 4BS Telegram"}));
}

// Something that is no file, or a file far too large, at the catalogue's name gives False at once
// with nothing touched, and the message that names the file; so does a catalogue that does not fit
// in memory, which never ends the program.
TEST(Catalog, WhatCannotBeReadAsAFileGivesFalseAndSaysSo) {
  const TTempFolder temp("catalog_not_a_file");
  const std::filesystem::path dir = temp.FsPath("case");
  const String file = Utf8ToString((dir / "eep.xml").string());
  const TWatchdog watchdog;
  for (const TNot_A_File_Case& c : Not_A_File_Cases) {
    SCOPED_TRACE(c.Name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    Put_Not_A_File(file, c.Kind, Max_Catalog_File_Size);
    TCatalog_EnOcean cat;
    ASSERT_TRUE(cat.Read_Cat_EnOcean_XML(Fixture("same_content_utf8.xml")));
    String error;
    EXPECT_FALSE(cat.Read_Cat_EnOcean_XML(file, &error));
    EXPECT_TRUE(Says_Not_A_File(error, file, c)) << StringToUtf8(error);
    EXPECT_EQ(cat.Rorg_SL.size(), 1u);
  }
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  Put_Sparse_File(file, Max_Catalog_File_Size);
  TCatalog_EnOcean cat;
  String error;
  {
    const TRefuse_Large_Allocations refuse(Max_Catalog_File_Size / 2);
    EXPECT_FALSE(cat.Read_Cat_EnOcean_XML(file, &error));
  }
  EXPECT_EQ(error, Out_Of_Memory_Message(file));
  EXPECT_TRUE(cat.List_Rorg.empty());
  std::filesystem::remove_all(dir);
}

// The tree as lines, level by level, to compare two catalogues.
std::vector<String> Tree_Lines(const TCatalog_EnOcean& cat) {
  std::vector<String> lines;
  for (size_t r = 0; r < cat.List_Rorg.size(); ++r) {
    lines.push_back(cat.Rorg_SL[r]);
    const TRorg& rorg = *cat.List_Rorg[r];
    for (size_t f = 0; f < rorg.List_Func.size(); ++f) {
      lines.push_back(u"  " + rorg.Func_SL[f]);
      const TFunc& func = *rorg.List_Func[f];
      for (size_t t = 0; t < func.List_Type.size(); ++t) {
        lines.push_back(u"    " + func.Type_SL[t]);
        const TType& type = *func.List_Type[t];
        for (size_t c = 0; c < type.List_Case.size(); ++c) {
          lines.push_back(u"      " + type.Case_SL[c]);
          for (const auto& field : type.List_Case[c]->List_DataField) {
            lines.push_back(u"        " + field->FData + u"|" + field->FShortcut + u"|" + field->FDescription + u"|" +
                            field->FInfo);
          }
        }
      }
    }
  }
  return lines;
}

TEST(Catalog, EncodingsAndPublishedLayoutReadTheSameTree) {
  TCatalog_EnOcean utf8;
  ASSERT_TRUE(utf8.Read_Cat_EnOcean_XML(Fixture("same_content_utf8.xml")));
  ASSERT_EQ(utf8.Rorg_SL.size(), 1u);
  EXPECT_EQ(utf8.Get_Type_Name_Str(0xA5, 2, 0x30), u"0x30 : 10 Bit Temperature Sensor Range -40°C to +62.3°C");
  EXPECT_EQ(utf8.Get_CaseObj(0xA5, 2, 0x30, 0)->List_DataField[0]->FInfo, u"-40°C");
  EXPECT_EQ(utf8.Get_CaseObj(0xA5, 0x13, 1, 0)->List_DataField[0]->FInfo, u"Sample period 100 µs");

  const char* others[] = {"published_cp850.xml", "declared_latin1.xml"};
  for (const char* name : others) {
    SCOPED_TRACE(name);
    TCatalog_EnOcean cat;
    ASSERT_TRUE(cat.Read_Cat_EnOcean_XML(Fixture(name)));
    EXPECT_EQ(Tree_Lines(cat), Tree_Lines(utf8));
  }
}

TEST(Catalog, DefaultCatalogLoads) {
  TCatalog_EnOcean cat;
  ASSERT_TRUE(cat.Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/../../data/eep.xml")));
  EXPECT_EQ(cat.Rorg_SL, (std::vector<String>{u"0xF6 : RPS Telegram", u"0xD5 : 1BS Telegram", u"0xA5 : 4BS Telegram",
                                              u"0xD2 : VLD Telegram"}));
  size_t types = 0;
  for (const auto& rorg : cat.List_Rorg) {
    for (const auto& func : rorg->List_Func) types += func->List_Type.size();
  }
  EXPECT_EQ(types, 12u);
  // The rocker's pressed case is selected by T21 and NU; the actuator's cases by its command.
  EXPECT_EQ(cat.Get_CaseObj(0xF6, 2, 1, 0)->FCaseId, 0x30);
  EXPECT_EQ(cat.Get_CaseObj(0xF6, 2, 1, 1)->FCaseId, 0x20);
  const Integer commands[] = {1, 4, 7};
  for (Integer c = 0; c < 3; ++c) {
    const TCase* item = cat.Get_CaseObj(0xD2, 1, 0x12, c);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->FCaseId, commands[c]);
    EXPECT_EQ(item->FCaseIdOffset, 4);
    EXPECT_EQ(item->FCaseIdSize, 4);
  }
  EXPECT_EQ(cat.Get_Type_Name_Str(0xA5, 2, 0x30), u"0x30 : 10 Bit Temperature Sensor Range -40°C to +62.3°C");
  EXPECT_EQ(cat.Get_DataField_Index(0xD5, 0, 1, 0, u"Contact"), 1);  // after a reserved field
}

// Every profile of the default catalogue, as the editors list it: the TYPE line, then each case's
// line with the number of data fields it offers (reserved fields left out).
TEST(Catalog, DefaultCatalogHoldsEveryProfile) {
  struct Profile {
    Integer rorg, func, type;
    const char16_t* typeLine;
    std::vector<std::pair<String, size_t>> cases;
  };
  const Profile profiles[] = {
      {0xF6, 0x02, 0x01, u"0x01 : Light and Blind Control - Application Style 1",
       {{u"1 -> Rocker pressed", 4}, {u"2 -> Buttons released or pressed together", 2}}},
      {0xF6, 0x10, 0x00, u"0x00 : Window Handle", {{u"1 -> Handle position", 1}}},
      {0xD5, 0x00, 0x01, u"0x01 : Single Input Contact", {{u"1 -> Contact state", 2}}},
      {0xA5, 0x02, 0x05, u"0x05 : Temperature Sensor Range 0°C to +40°C", {{u"1 -> Temperature", 2}}},
      {0xA5, 0x02, 0x30, u"0x30 : 10 Bit Temperature Sensor Range -40°C to +62.3°C", {{u"1 -> Temperature", 2}}},
      {0xA5, 0x04, 0x01, u"0x01 : Range 0°C to +40°C and 0% to 100%", {{u"1 -> Humidity and temperature", 4}}},
      {0xA5, 0x06, 0x01, u"0x01 : Range 300lx to 60.000lx", {{u"1 -> Illumination", 4}}},
      {0xA5, 0x07, 0x01, u"0x01 : Occupancy with Supply voltage monitor", {{u"1 -> Occupancy", 3}}},
      {0xA5, 0x09, 0x04, u"0x04 : CO2 Sensor", {{u"1 -> CO2, humidity and temperature", 5}}},
      {0xA5, 0x12, 0x01, u"0x01 : Electricity", {{u"1 -> Meter reading", 4}}},
      {0xD2, 0x01, 0x12, u"0x12 : Slot-in Module, dual channels, with external button control",
       {{u"1 -> Actuator Set Output", 4}, {u"2 -> Actuator Status Response", 8},
        {u"3 -> Actuator Measurement Response", 4}}},
      {0xD2, 0x05, 0x00, u"0x00 : Type 0x00", {{u"1 -> Go to Position and Angle", 6}, {u"2 -> Reply Position and Angle", 5}}},
  };
  TCatalog_EnOcean cat;
  ASSERT_TRUE(cat.Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/../../data/eep.xml")));
  size_t types = 0;
  for (const auto& rorg : cat.List_Rorg) {
    for (const auto& func : rorg->List_Func) types += func->List_Type.size();
  }
  EXPECT_EQ(types, std::size(profiles));
  for (const Profile& p : profiles) {
    SCOPED_TRACE(StringToUtf8(p.typeLine));
    // Reachable by number the way the editors find an EEP of the network.
    const Integer r = cat.Get_RorgNum_Index(p.rorg);
    const Integer f = cat.Get_FuncNum_Index(p.rorg, p.func);
    const Integer t = cat.Get_TypeNum_Index(p.rorg, p.func, p.type);
    const TType* type = cat.Get_Type(r, f, t);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(cat.Get_Rorg(r)->Func_SL[f].substr(0, 4), Catalog_Hex_Str(p.func));
    EXPECT_EQ(cat.Get_Func(r, f)->Type_SL[t], p.typeLine);
    ASSERT_EQ(type->Case_SL.size(), p.cases.size());
    for (size_t c = 0; c < p.cases.size(); ++c) {
      EXPECT_EQ(type->Case_SL[c], p.cases[c].first);
      EXPECT_EQ(type->List_Case[c]->List_DataField.size(), p.cases[c].second);
    }
  }
}

// The image builder files a variable under the case whose selector it carries, so the cases of one
// TYPE must carry different selectors; a VLD selector is the command field of its own case.
TEST(Catalog, DefaultCatalogCasesAreToldApartBySelector) {
  TCatalog_EnOcean cat;
  ASSERT_TRUE(cat.Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/../../data/eep.xml")));
  for (const auto& rorg : cat.List_Rorg) {
    for (const auto& func : rorg->List_Func) {
      for (const auto& type : func->List_Type) {
        SCOPED_TRACE(StringToUtf8(cat.Get_Type_Name_Str(rorg->FNumber, func->FNumber, type->FNumber)));
        for (size_t a = 0; a < type->List_Case.size(); ++a) {
          const TCase& x = *type->List_Case[a];
          for (size_t b = a + 1; b < type->List_Case.size(); ++b) {
            const TCase& y = *type->List_Case[b];
            EXPECT_FALSE(x.FCaseId == y.FCaseId && x.FCaseIdOffset == y.FCaseIdOffset && x.FCaseIdSize == y.FCaseIdSize)
                << "cases " << a << " and " << b;
          }
          if (rorg->FNumber != 0xD2) continue;
          bool selector_is_a_field = false;
          for (const auto& field : x.List_DataField) {
            if (field->FData == u"Command ID" && field->FBitOffs == x.FCaseIdOffset && field->FBitSize == x.FCaseIdSize) {
              selector_is_a_field = true;
            }
          }
          EXPECT_TRUE(selector_is_a_field) << "case " << a;
          EXPECT_GT(x.FCaseIdSize, 0) << "case " << a;
        }
      }
    }
  }
  // The blinds control's two cases are its commands 1 and 4 in the last four bits.
  const Integer commands[] = {1, 4};
  for (Integer c = 0; c < 2; ++c) {
    const TCase* item = cat.Get_CaseObj(0xD2, 5, 0, c);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->FCaseId, commands[c]);
    EXPECT_EQ(item->FCaseIdOffset, 28);
    EXPECT_EQ(item->FCaseIdSize, 4);
  }
  // The window handle's telegrams carry T21 set and NU clear.
  EXPECT_EQ(cat.Get_CaseObj(0xF6, 0x10, 0, 0)->FCaseId, 0x20);
}

// Catalogue texts are shown on one line: a run of blanks that holds a line break is one blank,
// and none at the ends; the texts themselves keep what the file holds.
TEST(Catalog, DisplayTextsStandOnOneLine) {
  struct Row {
    const char* name;
    String text;
    String shown;
  } rows[] = {
      {"plain", u"Rocker  Switch", u"Rocker  Switch"},
      {"line feed with indentation", u"Light, Temperature and\n        Occupancy Sensor",
       u"Light, Temperature and Occupancy Sensor"},
      {"CR LF", u"Range\r\nA", u"Range A"},
      {"at both ends", u"\n   Illumination\n  ", u"Illumination"},
      {"blanks at the ends without a break stay", u" x ", u" x "},
      {"empty", u"", u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Catalog_Display_Text(row.text), row.shown);
  }

  TCatalog_EnOcean cat;
  ASSERT_TRUE(cat.Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/enocean/forms/eep_long_titles.xml")));
  const TFunc& func = *cat.List_Rorg[0]->List_Func[0];
  EXPECT_EQ(func.FTitle, u"Light, Temperature and\n        Occupancy Sensor");
  EXPECT_EQ(cat.List_Rorg[0]->Func_SL[0], u"0x08 : Light, Temperature and Occupancy Sensor");
  EXPECT_EQ(cat.Get_Func_Name_Str(0xA5, 0x08), u"0x08 : Light, Temperature and Occupancy Sensor");
  EXPECT_EQ(cat.Get_Case_Name_Str(0xA5, 0x08, 0x01, 0), u"1 -> Illumination, temperature and occupancy");
  EXPECT_EQ(func.List_Type[0]->Case_SL[0], u"1 -> Illumination, temperature and occupancy");
}

}  // namespace
