// The "PROFIBUS GSD" step: the counts of "ParGen.xml", the save dialog, the name rule and the
// overwrite question, driven through the scripted dialogs.
#include "descriptions/UProfibus_GSD.h"

#include <gtest/gtest.h>

#include "descriptions/GSDFile.h"
#include "tests/descriptions/DescFormsTestState.h"

using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::Write_Bytes;

namespace {

class UProfibus_GSD : public desc_test::TDescFormsTest {
 protected:
  // "ParGen.xml" with the converter's byte counts: In bytes it receives, Out bytes it sends.
  void Put_ParGen(Integer In, Integer Out) {
    Write_Bytes(File_ParGen, "<Par_Gen><PROFINET_NB_IN>" + std::to_string(In) +
                                 "</PROFINET_NB_IN><PROFINET_NB_OUT>" + std::to_string(Out) +
                                 "</PROFINET_NB_OUT></Par_Gen><!--SW_VERSION = 1.002-->");
  }
};

// The file the step writes is the one the writer's golden files pin; the master's inputs are the
// converter's "Number Bytes Out".
TEST_F(UProfibus_GSD, WritesTheGoldenFileOfTheSavedCounts) {
  struct Case {
    const char* Name;
    Integer NB_In, NB_Out;
    const char* Golden;
  };
  const Case cases[] = {
      {"no_bytes", 0, 0, "gsd/counts_0_0.gsd"},
      {"inputs_split_over_two_modules", 8, 70, "gsd/counts_70_8.gsd"},
      {"largest_counts", 244, 244, "gsd/counts_244_244.gsd"},
      {"outputs_only", 10, 0, "gsd/counts_0_10.gsd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TestHarness::Reset();
    Put_ParGen(c.NB_In, c.NB_Out);
    const String chosen = Conf_File(c.Name);
    TestHarness::ExpectFileDialog(true, chosen);
    Create_GSD_File();
    EXPECT_EQ(Read_Bytes(chosen + u".gsd"), Read_Bytes(Fixture(c.Golden)));
    ASSERT_EQ(TestHarness::ShownFileDialogs().size(), 1u);
    const TFileDialogRequest& dialog = TestHarness::ShownFileDialogs()[0];
    EXPECT_TRUE(dialog.Save);
    EXPECT_EQ(dialog.InitialDir, Path_Conf);
    EXPECT_EQ(dialog.Filter, u"Generic Station Description (*.gsd)|*.gsd");
    EXPECT_EQ(dialog.DefaultExt, u"");
    EXPECT_FALSE(dialog.OverwritePrompt);
    EXPECT_TRUE(TestHarness::Verify());
  }
}

TEST_F(UProfibus_GSD, WithoutParGenItAsksForTheParametersAndOpensNoDialog) {
  TestHarness::ExpectMessage(
      u"Error! Please set the Set Communication Parameter before to create the GSD file", mtError);
  Create_GSD_File();
  EXPECT_TRUE(TestHarness::ShownFileDialogs().empty());
}

// Missing counts are 0: a file without modules.
TEST_F(UProfibus_GSD, CountsMissingFromParGenAreZero) {
  Write_Bytes(File_ParGen, "<Par_Gen><Ethernet_IP1>192</Ethernet_IP1></Par_Gen>");
  TestHarness::ExpectFileDialog(true, Conf_File("Device.gsd"));
  Create_GSD_File();
  EXPECT_EQ(Read_Bytes(Conf_File("Device.gsd")), Read_Bytes(Fixture("gsd/counts_0_0.gsd")));
}

// The chosen name, the file written and what happens to a file already there.
TEST_F(UProfibus_GSD, NameRuleAndOverwriteQuestion) {
  struct Case {
    const char* Name;
    const char* Chosen;     // as the save dialog returns it; "" cancels the dialog
    const char* Written;    // the file the step writes to
    bool Exists;            // a file of that name is there before
    TModalResult Answer;    // the answer to the overwrite question
    bool Replaced;
  };
  const Case cases[] = {
      {"upper_case_extension_kept", "Device.GSD", "Device.GSD", false, mrNone, true},
      {"extension_appended", "Device", "Device.gsd", false, mrNone, true},
      {"other_extension_kept_and_gsd_appended", "Device.gsd.txt", "Device.gsd.txt.gsd", false, mrNone,
       true},
      {"existing_file_replaced_on_yes", "Old.gsd", "Old.gsd", true, mrYes, true},
      {"existing_file_kept_on_no", "Old", "Old.gsd", true, mrNo, false},
      {"dialog_cancelled", "", "Device.gsd", false, mrNone, false},
  };
  Put_ParGen(8, 70);
  const std::string golden = Read_Bytes(Fixture("gsd/counts_70_8.gsd"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TestHarness::Reset();
    const String written = Conf_File(c.Written);
    DeleteFile(written);
    if (c.Exists) Write_Bytes(written, "old");
    TestHarness::ExpectFileDialog(true, *c.Chosen ? Conf_File(c.Chosen) : String());
    if (c.Exists) {
      TestHarness::ExpectMessage(u"File already exists! Do you want to overwrite the file?",
                                 mtConfirmation, c.Answer);
    }
    Create_GSD_File();
    EXPECT_TRUE(TestHarness::Verify());
    if (c.Exists) {
      ASSERT_EQ(TestHarness::ShownMessages().size(), 1u);
      EXPECT_EQ(TestHarness::ShownMessages()[0].Buttons, mbYesNo);
    }
    const std::string after = Read_Bytes(written);
    if (c.Replaced) {
      EXPECT_EQ(after, golden);
    } else {
      EXPECT_EQ(after, c.Exists ? "old" : "");
    }
    DeleteFile(written);
  }
}

TEST_F(UProfibus_GSD, AParGenThatIsNotXmlRaisesBeforeTheDialog) {
  Put_Fixture("pargen/not_well_formed.xml", File_ParGen);
  EXPECT_THROW(Create_GSD_File(), Exception);
  EXPECT_TRUE(TestHarness::ShownFileDialogs().empty());
}

}  // namespace
