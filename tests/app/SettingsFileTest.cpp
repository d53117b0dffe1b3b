#include "app/SettingsFile.h"

#include <gtest/gtest.h>

#include "app/UComon.h"
#include "platform/rtl/SysUtils.h"
#include "tests/app/AppTestFolder.h"
#include "tests/platform/rtl/NotAFile.h"
#include "tests/platform/rtl/RefuseLargeAllocations.h"

// Found by argument-dependent lookup, so they live beside TSettings in the global namespace.
bool operator==(const TSettings& a, const TSettings& b) {
  return a.Conf_Name == b.Conf_Name && a.Last_IP_Address == b.Last_IP_Address &&
         a.Language_Name == b.Language_Name && a.Opt_Enable_Internet == b.Opt_Enable_Internet &&
         a.Opt_Enable_Update == b.Opt_Enable_Update && a.Opt_Jump_Field_Tables == b.Opt_Jump_Field_Tables &&
         a.Opt_Double_Click_Auto_Size == b.Opt_Double_Click_Auto_Size;
}

std::ostream& operator<<(std::ostream& os, const TSettings& s) {
  return os << "{" << StringToUtf8(s.Conf_Name) << ", " << StringToUtf8(s.Last_IP_Address) << ", "
            << StringToUtf8(s.Language_Name) << ", " << s.Opt_Enable_Internet << s.Opt_Enable_Update
            << s.Opt_Jump_Field_Tables << s.Opt_Double_Click_Auto_Size << "}";
}

namespace {

TSettings Make(String conf, String ip, String lang, bool internet, bool update, bool jump, bool dbl) {
  TSettings s;
  s.Conf_Name = std::move(conf);
  s.Last_IP_Address = std::move(ip);
  s.Language_Name = std::move(lang);
  s.Opt_Enable_Internet = internet;
  s.Opt_Enable_Update = update;
  s.Opt_Jump_Field_Tables = jump;
  s.Opt_Double_Click_Auto_Size = dbl;
  return s;
}

const TSettings Defaults;

TEST(SettingsFile, ReadingGivesTheDefaultsPerValue) {
  struct Row {
    const char* file;
    TSettings expected;
  };
  const Row rows[] = {
      {"full.xml", Make(u"Line 3", u"10.1.2.3", u"Italiano", true, true, true, true)},
      {"pretty_printed.xml", Make(u"Line 3", u"10.1.2.3", u"Italiano", true, true, true, true)},
      {"other_root_name.xml", Make(u"Line 3", u"10.1.2.3", u"Italiano", true, true, true, true)},
      {"no_enable_update.xml", Make(u"Line 3", u"10.1.2.3", u"Italiano", true, false, true, true)},
      {"no_lastinternet.xml", Make(u"Line 3", u"10.1.2.3", u"Italiano", false, false, false, false)},
      {"empty_projectname.xml", Make(u"", u"10.1.2.3", u"Italiano", true, true, true, true)},
      {"flags_not_exactly_one.xml", Make(u"Line 3", u"10.1.2.3", u"Italiano", false, false, false, true)},
      {"value_with_element_child.xml", Make(u"", u"10.1.2.3", u"Italiano", true, true, true, true)},
      {"missing_leaves.xml", Make(u"", u"192.168.2.205", u"Italiano", false, true, false, false)},
      {"comment_before_root.xml", Defaults},
      {"not_well_formed.xml", Defaults},
      {"empty_file.xml", Defaults},
      {"missing.xml", Defaults},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Read_Settings_File(Utf8ToString(Fixture_Path(std::string("settings/") + r.file))), r.expected)
        << r.file;
  }
}

// A name that cannot be read as a file (something that is no file, a file far too large, one that
// does not fit in memory) gives the defaults and the message that names it, at once. A missing
// file or one that is not XML gives the defaults without a word.
TEST(SettingsFile, WhatCannotBeReadAsAFileGivesTheDefaultsAndSaysSo) {
  const TWatchdog watchdog;
  for (const TNot_A_File_Case& c : Not_A_File_Cases) {
    SCOPED_TRACE(c.Name);
    TTestFolder folder;
    Put_Not_A_File(folder.FsPath("Lumitor.xml"), c.Kind, Max_Settings_File_Size);
    String error;
    EXPECT_EQ(Read_Settings_File(folder.Path("Lumitor.xml"), &error), Defaults);
    EXPECT_TRUE(Says_Not_A_File(error, folder.Path("Lumitor.xml"), c)) << StringToUtf8(error);
  }
  {
    SCOPED_TRACE("no memory for it");
    TTestFolder folder;
    Put_Sparse_File(folder.FsPath("Lumitor.xml"), Max_Settings_File_Size);
    const TRefuse_Large_Allocations refuse(Max_Settings_File_Size / 2);
    String error;
    EXPECT_EQ(Read_Settings_File(folder.Path("Lumitor.xml"), &error), Defaults);
    EXPECT_EQ(error, Out_Of_Memory_Message(folder.Path("Lumitor.xml")));
  }
  for (const char* file : {"missing.xml", "not_well_formed.xml", "empty_file.xml"}) {
    String error;
    EXPECT_EQ(Read_Settings_File(Utf8ToString(Fixture_Path(std::string("settings/") + file)), &error), Defaults);
    EXPECT_EQ(error, u"") << file;
  }
}

TEST(SettingsFile, WritesTheTreeInItsOrder) {
  TTestFolder folder;
  Write_Settings_File(folder.Path("Lumitor.xml"),
                      Make(u"Plant A & B", u"10.0.0.7", u"Deutsch", true, false, true, false));
  EXPECT_EQ(folder.Read("Lumitor.xml"), Fixture_Bytes("Lumitor_written.xml"));

  Write_Settings_File(folder.Path("Lumitor.xml"), Defaults);
  EXPECT_EQ(folder.Read("Lumitor.xml"), Fixture_Bytes("Lumitor_defaults_written.xml"));
}

TEST(SettingsFile, RoundTrip) {
  const TSettings rows[] = {
      Defaults,
      Make(u"", u"", u"", true, true, true, true),
      Make(u"Anlage \u00D6st <1>", u" 192.168.2.7 ", u"Fran\u00E7ais", false, true, false, true),
      Make(u"a\"b'c&d", u"1.2.3.4", u"English", true, false, false, false),
  };
  TTestFolder folder;
  for (const TSettings& s : rows) {
    Write_Settings_File(folder.Path("Lumitor.xml"), s);
    EXPECT_EQ(Read_Settings_File(folder.Path("Lumitor.xml")), s);
  }
}

TEST(SettingsFile, WritingIntoAMissingFolderRaises) {
  TTestFolder folder;
  EXPECT_THROW(Write_Settings_File(folder.Path("no/such/folder/Lumitor.xml"), Defaults), Exception);
}

TEST(SettingsFile, SaveSettingWritesTheProgramState) {
  TTestFolder folder;
  Path_Program = folder.Path();
  Conf_Name = u"Line 3";
  Last_IP_Address = u"10.1.2.3";
  Language_Name = u"Italiano";
  Opt_Enable_Internet = Opt_Enable_Update = Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = true;
  Save_Setting();
  Apply_Settings(Defaults);
  Apply_Settings(Read_Settings_File(folder.Path("Lumitor.xml")));
  EXPECT_EQ(Current_Settings(), Make(u"Line 3", u"10.1.2.3", u"Italiano", true, true, true, true));
  Apply_Settings(Defaults);
}

}  // namespace
