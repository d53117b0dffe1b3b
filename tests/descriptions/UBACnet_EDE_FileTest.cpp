// The "BACnet EDE File" step: the export from the configuration's files, the name rule, the
// overwrite question with its three answers and the warning about rows left out.
#include "descriptions/UBACnet_EDE_File.h"

#include <gtest/gtest.h>

#include "tests/descriptions/DescFormsTestState.h"

using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::Write_Bytes;

namespace {

class UBACnet_EDE_File : public desc_test::TDescFormsTest {
 protected:
  void SetUp() override {
    TDescFormsTest::SetUp();
    SetNowFunction([] { return EncodeDate(2024, 3, 7) + EncodeTime(9, 5, 3, 0); });
  }
  void Put_Several_Types() {
    Put_Fixture("pargen/bacnet_ip_1200.xml", File_ParGen);
    Put_Fixture("bacnet_slave/several_types.xml", File_BACnet_Slave);
  }
};

// The configuration's name, its two files and the present time make the file.
TEST_F(UBACnet_EDE_File, ExportsTheObjectsOfTheConfiguration) {
  Put_Several_Types();
  Make_EDE_File(Conf_File("objects.csv"));
  EXPECT_EQ(Read_Bytes(Conf_File("objects.csv")), Read_Bytes(Fixture("ede/several_types_plant1.csv")));
}

TEST_F(UBACnet_EDE_File, NameRuleAndTheThreeAnswers) {
  struct Case {
    const char* Name;
    const char* Chosen;
    const char* Written;
    bool Exists;
    TModalResult Answer;
    bool Replaced;
  };
  const Case cases[] = {
      {"extension_appended", "objects", "objects.csv", false, mrNone, true},
      {"upper_case_extension_kept", "objects.CSV", "objects.CSV", false, mrNone, true},
      {"existing_file_replaced_on_yes", "old.csv", "old.csv", true, mrYes, true},
      {"existing_file_kept_on_no", "old", "old.csv", true, mrNo, false},
      {"existing_file_kept_on_cancel", "old.csv", "old.csv", true, mrCancel, false},
  };
  Put_Several_Types();
  const std::string golden = Read_Bytes(Fixture("ede/several_types_plant1.csv"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TestHarness::Reset();
    const String written = Conf_File(c.Written);
    DeleteFile(written);
    if (c.Exists) Write_Bytes(written, "old");
    if (c.Exists) {
      TestHarness::ExpectMessage(u"The File already exists! Do you want to overwrite the file?",
                                 mtConfirmation, c.Answer);
    }
    EXPECT_EQ(Save_EDE_File(Conf_File(c.Chosen)), c.Replaced);
    EXPECT_TRUE(TestHarness::Verify());
    if (c.Exists) {
      ASSERT_EQ(TestHarness::ShownMessages().size(), 1u);
      EXPECT_EQ(TestHarness::ShownMessages()[0].Buttons, mbYesNoCancel);
    }
    EXPECT_EQ(Read_Bytes(written), c.Replaced ? golden : "old");
    DeleteFile(written);
  }
}

// Rows of a type the file cannot name are left out, and a warning names them after the file is
// written.
TEST_F(UBACnet_EDE_File, RowsOfUnknownTypeAreNamedInAWarning) {
  Put_Fixture("bacnet_slave/unknown_type.xml", File_BACnet_Slave);
  TestHarness::ExpectMessage(
      u"Warning! Rows with an unknown Data Type were not written in the EDE file:"
      u"\n[BACnet in Read] 2: Octet String\n[BACnet in Write] 1: ",
      mtWarning);
  Make_EDE_File(Conf_File("objects.csv"));
  const std::string text = Read_Bytes(Conf_File("objects.csv"));
  EXPECT_NE(text.find("\r\n_T1_0;;T1;0;0;T1;62;\r\n_T2_1;;T2;0;1;T2;62;\r\n"), std::string::npos);
}

// A file that cannot be read fails before the target is touched; the error goes on to the
// application's handler.
TEST_F(UBACnet_EDE_File, AnUnreadableObjectFileLeavesTheTargetAsItWas) {
  Put_Fixture("bacnet_slave/row_without_eng_unit.xml", File_BACnet_Slave);
  Write_Bytes(Conf_File("objects.csv"), "old");
  EXPECT_THROW(Make_EDE_File(Conf_File("objects.csv")), Exception);
  EXPECT_EQ(Read_Bytes(Conf_File("objects.csv")), "old");
}

}  // namespace
