// The program state for the tests of the description steps and dialogs: a scratch configuration
// folder as the open configuration, its file paths, and the built-in English texts.
#pragma once

#include <gtest/gtest.h>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"
#include "tests/descriptions/DescTestFiles.h"

namespace desc_test {

class TDescFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Texts();
    SW_Code = u"KP31A08";
    Conf_Name = u"Plant1";
    Path_Conf = ExtractFileDir(Dir.Path("x"));
    Set_Files();
  }
  void TearDown() override {
    EXPECT_TRUE(TestHarness::Verify());
    SetNowFunction(nullptr);
    Path_Conf.clear();
    Conf_Name.clear();
    Set_Files();
  }

  // A file of the configuration folder.
  String Conf_File(const std::string& Name) const { return Dir.Path(Name); }
  // Puts a fixture into the configuration folder under the name the configuration uses.
  void Put_Fixture(const std::string& Fixture_Name, const String& Target) const {
    Write_Bytes(Target, Read_Bytes(Fixture(Fixture_Name)));
  }

  TScratch Dir;
};

}  // namespace desc_test
