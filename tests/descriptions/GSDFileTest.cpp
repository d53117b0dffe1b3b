#include "descriptions/GSDFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"
#include "tests/descriptions/DescTestFiles.h"

using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::TScratch;
using desc_test::Write_Bytes;

namespace {

struct GoldenCase {
  const char* Name;
  Integer Input_Len;
  Integer Output_Len;
  const char* Golden;
};

// The whole file for the byte counts, compared byte for byte with files written from the format
// rules: fixed text, computed lengths, modules, slots, ASCII with CR LF after every line.
TEST(GSDFile, WritesTheFileOfTheByteCounts) {
  const GoldenCase cases[] = {
      {"no_bytes", 0, 0, "gsd/counts_0_0.gsd"},
      {"inputs_split_over_two_modules", 70, 8, "gsd/counts_70_8.gsd"},
      {"largest_counts", 244, 244, "gsd/counts_244_244.gsd"},
      {"outputs_only_numbered_from_1", 0, 10, "gsd/counts_0_10.gsd"},
  };
  TScratch dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const String file = dir.Path(std::string(c.Name) + ".gsd");
    Write_GSD_File(file, c.Input_Len, c.Output_Len);
    EXPECT_EQ(Read_Bytes(file), Read_Bytes(Fixture(c.Golden)));
  }
}

// The module lines of the list (the lines from the first "Module=" to "SlotDefinition").
std::vector<String> Module_Lines(Integer In, Integer Out) {
  const std::vector<String> lines = Make_GSD_Lines(In, Out);
  std::vector<String> modules;
  for (const String& line : lines) {
    if (Pos(u"Module=\"", line) == 1) modules.push_back(line);
  }
  return modules;
}

String Line_Starting(Integer In, Integer Out, const String& Start) {
  for (const String& line : Make_GSD_Lines(In, Out)) {
    if (Pos(Start, line) == 1) return line;
  }
  return String();
}

TEST(GSDFile, SplitsEachDirectionInto64ByteModules) {
  struct Case {
    const char* Name;
    Integer In, Out;
    std::vector<String> Modules;
  };
  const Case cases[] = {
      {"64_inputs_one_full_module", 64, 0, {u"Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01"}},
      {"65_inputs_full_module_and_one_byte",
       65,
       0,
       {u"Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01",
        u"Module=\"DI  (PORT2)    \" 0x42,0x00,0x00,0x02"}},
      {"1_output", 0, 1, {u"Module=\"DO  (PORT1)    \" 0x82,0x00,0x00,0x01"}},
      {"negative_count_has_no_modules", -5, 3, {u"Module=\"DO  (PORT1)    \" 0x82,0x02,0x00,0x01"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Module_Lines(c.In, c.Out), c.Modules);
  }
  // The writer applies no bound of its own: a negative count is written as it stands.
  EXPECT_EQ(Line_Starting(-5, 3, u"Max_Input_Len="), u"Max_Input_Len=-5");
  EXPECT_EQ(Line_Starting(-5, 3, u"Max_Module="), u"Max_Module=1");
  EXPECT_EQ(Line_Starting(-5, 3, u"Max_Data_Len="), u"Max_Data_Len=-2");
}

// The module number is one byte: counts that need more than 255 modules (only a hand-edited
// "ParGen.xml" holds them) are refused before anything is built or written.
TEST(GSDFile, RefusesCountsThatNeedMoreThan255Modules) {
  const std::vector<String> modules = Module_Lines(64 * 255, 0);
  ASSERT_EQ(modules.size(), 255u);
  EXPECT_EQ(modules.back(), u"Module=\"DI  (PORT255)    \" 0x42,0x3F,0x00,0xFF");

  struct Case {
    const char* Name;
    Integer In, Out;
  };
  const Case cases[] = {
      {"256_modules", 64 * 255, 1},
      {"outputs_alone", 0, 64 * 255 + 1},
      {"largest_counts", 2147483647, 2147483647},
  };
  TScratch dir;
  const String file = dir.Path("Device.gsd");
  Write_Bytes(file, "old");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_THROW(Make_GSD_Lines(c.In, c.Out), EConvertError);
    EXPECT_THROW(Save_GSD_File(file, TGSD_Param{c.In, c.Out},
                               [](Integer) { return TOverwrite_Answer::Yes; }),
                 EConvertError);
    EXPECT_EQ(Read_Bytes(file), "old");
  }
}

TEST(GSDFile, FileNameGetsTheExtensionUnlessItHasIt) {
  const std::pair<String, String> cases[] = {
      {u"/cfg/Device.GSD", u"/cfg/Device.GSD"},
      {u"/cfg/Device.gsd", u"/cfg/Device.gsd"},
      {u"/cfg/Device.gSd", u"/cfg/Device.gSd"},
      {u"/cfg/Device", u"/cfg/Device.gsd"},
      {u"/cfg/Device.gsd.txt", u"/cfg/Device.gsd.txt.gsd"},
      {u"/cfg/Devicegsd", u"/cfg/Devicegsd.gsd"},
  };
  for (const auto& [chosen, expected] : cases) {
    EXPECT_EQ(GSD_File_Name(chosen), expected) << StringToUtf8(chosen);
  }
}

TEST(GSDFile, ReadsTheCountsCrosswise) {
  struct Case {
    const char* Name;
    const char* File;
    Integer Input_Len, Output_Len;
  };
  // PROFINET_NB_IN is what the converter takes in, so it is what the master writes (its output).
  const Case cases[] = {
      {"both_counts", "pargen/in10_out20.xml", 20, 10},
      {"one_missing_is_0", "pargen/in70_only.xml", 0, 70},
      {"text_and_elements_are_0", "pargen/counts_not_numbers.xml", 0, 0},
      {"hexadecimal_text_is_0", "pargen/counts_hex.xml", 0, 0},
      {"comment_before_the_root", "pargen/comment_before_root.xml", 16, 32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TGSD_Param param = Read_GSD_Param(Fixture(c.File));
    EXPECT_EQ(param.GSD_Input_Len, c.Input_Len);
    EXPECT_EQ(param.GSD_Output_Len, c.Output_Len);
  }
  EXPECT_THROW(Read_GSD_Param(Fixture("pargen/not_well_formed.xml")), EXMLDocError);
}

TEST(GSDFile, AsksForTheParametersWhenParGenIsMissing) {
  TScratch dir;
  EXPECT_EQ(Check_GSD_ParGen(dir.Path("ParGen.xml")), 1704);
  EXPECT_EQ(Check_GSD_ParGen(Fixture("pargen/in10_out20.xml")), 0);
}

TEST(GSDFile, SaveAsksBeforeReplacingAFile) {
  TScratch dir;
  const TGSD_Param param{70, 8};
  std::vector<Integer> asked;
  auto answer = [&asked](TOverwrite_Answer a) {
    return [&asked, a](Integer Text_Id) {
      asked.push_back(Text_Id);
      return a;
    };
  };

  // A new file is written without a question, under the name with ".gsd".
  EXPECT_TRUE(Save_GSD_File(dir.Path("Device"), param, answer(TOverwrite_Answer::No)));
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(Read_Bytes(dir.Path("Device.gsd")), Read_Bytes(Fixture("gsd/counts_70_8.gsd")));

  // No leaves the existing file untouched.
  Write_Bytes(dir.Path("Device.gsd"), "old");
  EXPECT_FALSE(Save_GSD_File(dir.Path("Device"), param, answer(TOverwrite_Answer::No)));
  EXPECT_EQ(asked, std::vector<Integer>{1703});
  EXPECT_EQ(Read_Bytes(dir.Path("Device.gsd")), "old");

  // Yes replaces it.
  EXPECT_TRUE(Save_GSD_File(dir.Path("Device.gsd"), param, answer(TOverwrite_Answer::Yes)));
  EXPECT_EQ(Read_Bytes(dir.Path("Device.gsd")), Read_Bytes(Fixture("gsd/counts_70_8.gsd")));
}

TEST(GSDFile, AFolderThatCannotBeWrittenRaises) {
  TScratch dir;
  EXPECT_THROW(Write_GSD_File(dir.Path("gone/Device.gsd"), 1, 1), Exception);
}

}  // namespace
