#include "app/UComon.h"

#include <gtest/gtest.h>

#include "app/ConfigurationFolder.h"
#include "app/SettingsFile.h"
#include "app/ULanguage.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "tests/app/AppTestFolder.h"
#include "tests/platform/rtl/NotAFile.h"

namespace {

// Puts the program state back to the values of a fresh process.
void Reset_State() {
  Apply_Settings(TSettings());
  Path_Conf.clear();
  Update_Option = 0;
  Update_Read_Back = false;
}

TEST(StartUp, FirstStartInAnEmptyProgramFolder) {
  Reset_State();
  TTestFolder folder;
  EXPECT_EQ(Init_Program_State(folder.Path()), u"");

  for (const char* name : {"MASTER", "PROJECTS", "LANGUAGE", "CAT_EnOcean"}) {
    EXPECT_TRUE(std::filesystem::is_directory(folder.FsPath(name))) << name;
  }
  EXPECT_EQ(Path_Program, folder.Path());
  EXPECT_EQ(Path_Projects, folder.Path("PROJECTS"));
  EXPECT_EQ(Path_Master, folder.Path("MASTER"));
  EXPECT_EQ(Path_Language, folder.Path("LANGUAGE"));
  EXPECT_EQ(Path_Cat_EnOcean, folder.Path("CAT_EnOcean"));

  EXPECT_EQ(Conf_Name, u"");
  EXPECT_EQ(Path_Conf, u"");
  EXPECT_EQ(Last_IP_Address, u"192.168.2.205");
  EXPECT_EQ(Language_Name, u"English");
  EXPECT_FALSE(Opt_Enable_Internet || Opt_Enable_Update || Opt_Jump_Field_Tables || Opt_Double_Click_Auto_Size);
  EXPECT_EQ(Update_Option, 0);
  EXPECT_TRUE(Update_Read_Back);

  EXPECT_EQ(Title_Program, u"Tavrel - Configurator KP31A08 - EnOcean / PROFIBUS Slave ");
  EXPECT_EQ(SW_Code, u"KP31A08");
  EXPECT_EQ(SW_Desc, u"EnOcean / PROFIBUS Slave - Converter");

  ASSERT_TRUE(Text_SL);
  EXPECT_EQ(Text_SL->Count(), 2100);
  EXPECT_EQ(Get_Text(9), u"None Configuration Opened ");
  ASSERT_TRUE(Row_Clipboard_SL);
  EXPECT_EQ(Row_Clipboard_SL->Count(), 0);
  // No settings file is written by the start-up.
  EXPECT_FALSE(std::filesystem::exists(folder.FsPath("Lumitor.xml")));
}

TEST(StartUp, ExistingFoldersAndFilesAreKept) {
  Reset_State();
  TTestFolder folder;
  std::filesystem::create_directories(folder.FsPath("PROJECTS/Line 3/bin"));
  std::filesystem::create_directory(folder.FsPath("LANGUAGE"));
  folder.Write("LANGUAGE/Deutsch.lng", "STR0 = Beginn\r\n");
  Write_Settings_File(folder.Path("Lumitor.xml"),
                      TSettings{u"Line 3", u"10.1.2.3", u"Deutsch", true, true, false, false});

  EXPECT_EQ(Init_Program_State(folder.Path()), u"");
  EXPECT_EQ(Conf_Name, u"Line 3");
  EXPECT_EQ(Path_Conf, folder.Path("PROJECTS/Line 3"));
  EXPECT_EQ(File_ParGen, folder.Path("PROJECTS/Line 3/ParGen.xml"));
  EXPECT_EQ(File_EnOcean, folder.Path("PROJECTS/Line 3/EnOcean.xml"));
  EXPECT_EQ(File_MQTT_Set_Topic, folder.Path("PROJECTS/Line 3/MQTT_Set_Topic.xml"));
  EXPECT_EQ(File_BACnet_Slave, folder.Path("PROJECTS/Line 3/BACnet_Slave.xml"));
  EXPECT_EQ(Last_IP_Address, u"10.1.2.3");
  EXPECT_TRUE(Opt_Enable_Internet && Opt_Enable_Update);
  EXPECT_EQ(Get_Text(0), u"Beginn");
  EXPECT_TRUE(std::filesystem::exists(folder.FsPath("LANGUAGE/Deutsch.lng")));
}

// A folder at the settings file's name and a pipe at the language file's name: the start-up goes
// on with the defaults and the English texts, and returns both messages, one a line, each naming
// its file.
TEST(StartUp, FilesThatAreNoFilesAreReportedAndTheStartGoesOn) {
  Reset_State();
  TTestFolder folder;
  std::filesystem::create_directory(folder.FsPath("Lumitor.xml"));
  std::filesystem::create_directory(folder.FsPath("LANGUAGE"));
  Put_Not_A_File(folder.FsPath("LANGUAGE/English.lng"), TNot_A_File::Pipe, Max_Lng_File_Size);
  const TWatchdog watchdog;
  EXPECT_EQ(Init_Program_State(folder.Path()),
            u"Cannot open file \"" + folder.Path("Lumitor.xml") + u"\". It is a folder, not a file.\r\n"
            u"Cannot open file \"" + folder.Path("LANGUAGE/English.lng") + u"\". It is a pipe, not a file.");
  EXPECT_EQ(Current_Settings().Last_IP_Address, u"192.168.2.205");
  EXPECT_EQ(Language_Name, u"English");
  EXPECT_EQ(Text_SL->Count(), 2100);
  EXPECT_EQ(Get_Text(0), u"Begin");
  ASSERT_TRUE(Row_Clipboard_SL);
}

TEST(StartUp, ReopeningTheLastConfiguration) {
  struct Row {
    const char* name;
    String conf;
    bool opens;
  };
  const Row rows[] = {
      {"folder exists", u"Line 3", true},
      {"folder was deleted", u"Line 4", false},
      {"empty name", u"", false},
      {"name that leaves PROJECTS", u"../MASTER", false},
      {"name with a delimiter", u"Line 3/bin", false},
  };
  for (const Row& r : rows) {
    Reset_State();
    TTestFolder folder;
    std::filesystem::create_directories(folder.FsPath("PROJECTS/Line 3/bin"));
    Write_Settings_File(folder.Path("Lumitor.xml"), TSettings{r.conf});
    Init_Program_State(folder.Path());
    EXPECT_EQ(Conf_Name, r.conf) << r.name;  // kept either way, so it is written back on close
    EXPECT_EQ(Path_Conf, r.opens ? Path_Join(Path_Projects, r.conf) : String()) << r.name;
  }
}

TEST(StartUp, ProgramFolderWhereNothingCanBeCreatedGoesOn) {
  Reset_State();
  TTestFolder folder;
  // A folder below a plain file can never be written, not even by the super-user.
  folder.Write("file", "");
  EXPECT_EQ(Init_Program_State(folder.Path("file/program")), u"");
  EXPECT_EQ(Path_Projects, folder.Path("file/program/PROJECTS"));
  EXPECT_FALSE(DirectoryExists(Path_Projects));
  EXPECT_EQ(Text_SL->Count(), 2100);
  EXPECT_EQ(Language_Name, u"English");
  EXPECT_THROW(Save_Setting(), Exception);
}

TEST(ProgramFolders, RootKeepsItsDelimiter) {
  EXPECT_EQ(Path_Join(u"/", u"PROJECTS"), u"/PROJECTS");
  EXPECT_EQ(Path_Join(u"/opt/kp", u"PROJECTS"), u"/opt/kp/PROJECTS");
  EXPECT_EQ(Path_Join(u"/opt/kp/", u"PROJECTS"), u"/opt/kp/PROJECTS");
}

TEST(ConfigurationName, Checks) {
  struct Row {
    const char* name;
    String conf;
    Integer text;
  };
  const Row rows[] = {
      {"plain", u"Line 3", 0},
      {"inner dot", u"Plant.v2", 0},
      {"non-ASCII", u"Anlage \u00D6st", 0},
      {"empty", u"", 107},
      {"slash", u"a/b", 105},
      {"backslash", u"a\\b", 105},
      {"parent folder", u"..", 105},
      {"two dots inside", u"a..b", 105},
      {"tab", u"a\tb", 105},
      {"line feed", u"ab\n", 105},
      {"ends with a blank", u"Line 3 ", 105},
      {"ends with a dot", u"Line 3.", 105},
      {"only a dot", u".", 105},
  };
  for (const Row& r : rows) EXPECT_EQ(Check_Conf_Name(r.conf), r.text) << r.name;
}

TEST(ConfigurationName, CreatingTheFolder) {
  TTestFolder folder;
  std::filesystem::create_directories(folder.FsPath("PROJECTS/Line 3"));
  folder.Write("PROJECTS/a file", "");
  const String projects = folder.Path("PROJECTS");
  struct Row {
    const char* name;
    String conf;
    Integer text;
  };
  const Row rows[] = {
      {"empty", u"", 107},
      {"refused name", u"../escape", 105},
      {"folder exists", u"Line 3", 106},
      {"a file has the name", u"a file", 105},
      {"new", u"Line 4", 0},
  };
  for (const Row& r : rows) {
    String pathConf = u"unchanged";
    EXPECT_EQ(Create_Conf_Folder(projects, r.conf, pathConf), r.text) << r.name;
    EXPECT_EQ(pathConf, r.text == 0 ? Path_Join(projects, r.conf) : String(u"unchanged")) << r.name;
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder.FsPath("PROJECTS/Line 4/bin")));
  EXPECT_FALSE(std::filesystem::exists(folder.FsPath("escape")));
}

TEST(ConfigurationName, MissingProjectsFolderRefusesTheName) {
  TTestFolder folder;
  String pathConf;
  EXPECT_EQ(Create_Conf_Folder(folder.Path("PROJECTS"), u"Line 4", pathConf), 105);
  EXPECT_FALSE(std::filesystem::exists(folder.FsPath("PROJECTS")));
}

}  // namespace
