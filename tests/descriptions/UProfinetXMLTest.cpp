// The "PROFINET XML" step after the file-name dialog: the save dialog gives only the folder, the
// overwrite question, and the file written from "ParGen.xml".
#include "descriptions/UProfinetXML.h"

#include <gtest/gtest.h>

#include "tests/descriptions/DescFormsTestState.h"

using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::Write_Bytes;

namespace {

const String Name = u"GSDML-V2.31-Tavrel-GX31A09_ABC-20240307.xml";

class UProfinetXML : public desc_test::TDescFormsTest {};

TEST_F(UProfinetXML, WritesTheComposedNameIntoTheChosenFolder) {
  Put_Fixture("pargen/in10_out20.xml", File_ParGen);
  // A different name typed in the dialog is ignored: only its folder counts.
  TestHarness::ExpectFileDialog(true, Conf_File("typed.xml"));
  Save_GSDML_File(Name);
  EXPECT_EQ(Read_Bytes(Conf_File(StringToUtf8(Name))),
            Read_Bytes(Fixture("gsdml/in10_out20_serial.xml")));
  EXPECT_FALSE(FileExists(Conf_File("typed.xml")));

  ASSERT_EQ(TestHarness::ShownFileDialogs().size(), 1u);
  const TFileDialogRequest& dialog = TestHarness::ShownFileDialogs()[0];
  EXPECT_TRUE(dialog.Save);
  EXPECT_EQ(dialog.InitialDir, Path_Conf);
  EXPECT_EQ(dialog.FileName, Name);
  EXPECT_EQ(dialog.Filter, u"PROFINET XML (*.xml)|" + Name);
  EXPECT_FALSE(dialog.OverwritePrompt);
}

TEST_F(UProfinetXML, WithoutParGenTheDefaultsAreWrittenWithoutAMessage) {
  TestHarness::ExpectFileDialog(true, Conf_File(StringToUtf8(Name)));
  Save_GSDML_File(Name);
  const std::string text = Read_Bytes(Conf_File(StringToUtf8(Name)));
  EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(text.find("DNS_CompatibleName=\"SERIAL\""), std::string::npos);
  EXPECT_NE(text.find("Length=\"1438\""), std::string::npos);
}

TEST_F(UProfinetXML, CancelAndTheOverwriteQuestion) {
  struct Case {
    const char* Name;
    bool Cancel_Dialog;
    bool Exists;
    TModalResult Answer;
    bool Replaced;
  };
  const Case cases[] = {
      {"dialog_cancelled", true, false, mrNone, false},
      {"existing_file_kept_on_no", false, true, mrNo, false},
      {"existing_file_replaced_on_yes", false, true, mrYes, true},
  };
  Put_Fixture("pargen/in10_out20.xml", File_ParGen);
  const String target = Conf_File(StringToUtf8(Name));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TestHarness::Reset();
    DeleteFile(target);
    if (c.Exists) Write_Bytes(target, "old");
    TestHarness::ExpectFileDialog(true, c.Cancel_Dialog ? String() : target);
    if (c.Exists) {
      TestHarness::ExpectMessage(u"File already exists! Do you want to overwrite the file?",
                                 mtConfirmation, c.Answer);
    }
    Save_GSDML_File(Name);
    EXPECT_TRUE(TestHarness::Verify());
    if (c.Exists) {
      ASSERT_EQ(TestHarness::ShownMessages().size(), 1u);
      EXPECT_EQ(TestHarness::ShownMessages()[0].Buttons, mbYesNo);
    }
    if (c.Replaced) {
      EXPECT_EQ(Read_Bytes(target), Read_Bytes(Fixture("gsdml/in10_out20_serial.xml")));
    } else {
      EXPECT_EQ(Read_Bytes(target), c.Exists ? "old" : "");
    }
  }
}

}  // namespace
