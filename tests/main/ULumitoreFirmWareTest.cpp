#include "main/ULumitoreFirmWare.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/SettingsFile.h"
#include "app/UAbout.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "app/VersionCheck.h"
#include "comm/UBoot.h"
#include "comm/UParGen.h"
#include "components/buttons/FadeButton.h"
#include "components/grid/ExCGrid.h"
#include "descriptions/UBACnetSlaveSetAccess.h"
#include "descriptions/UBACnet_Eng_Unit.h"
#include "descriptions/UMQTT_Set_Topic.h"
#include "descriptions/UProfinetFileName.h"
#include "descriptions/UTopicTemplate.h"
#include "enocean/UEnOcean_Catalog.h"
#include "enocean/UEnOcean_Device.h"
#include "enocean/UEnOcean_Variable.h"
#include "main/Unit1.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "platform/os/Http.h"
#include "platform/os/Shell.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "tests/app/AppTestFolder.h"
#include "tests/platform/rtl/NotAFile.h"

namespace {

namespace fs = std::filesystem;

template <class T>
void Create(T*& Reference) {
  Reference = new T(nullptr);
  Reference->AfterConstruction();
}

template <class T>
void Destroy(T*& Reference) {
  TComponent::Free(Reference);
  Reference = nullptr;
}

// The program as it starts: a fresh program folder, then the main window and the dialogs in the
// order of the program's creation table (as far as they are part of the program).
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Apply_Settings(TSettings());
    Conf_Name.clear();
    Path_Conf.clear();
    SetProgramFolder(Folder.Path());
    ShellOpenBefore = SetShellOpenFunction([this](const String& url) {
      Opened.push_back(url);
      return Opener_Works;
    });
    SetHttpGetFunction([this](const THttpRequest& request) -> std::optional<std::string> {
      Queries.push_back(request.Url);
      if (No_Network) return std::nullopt;
      return StringToUtf8(Answer);
    });
  }
  void TearDown() override {
    Destroy(FBACnetSlaveSetAccess);
    Destroy(FBACnet_Eng_Unit);
    Destroy(FProfinetFileName);
    Destroy(FTopicTemplate);
    Destroy(FMQTT_Set_Topic);
    Destroy(FEnOcean_Variable);
    Destroy(FEnOcean_Device);
    Destroy(FParGen);
    Destroy(FBoot);
    Destroy(Form1);
    Destroy(FSoftOptions);
    Destroy(FAbout);
    Destroy(FOpenConf);
    Destroy(FNew_Project);
    Destroy(FLumitoreFirmWare);
    SetHttpGetFunction(nullptr);
    SetShellOpenFunction(ShellOpenBefore);
    SetProgramFolder(u"");
    Apply_Settings(TSettings());
    Conf_Name.clear();
    Path_Conf.clear();
  }

  void Start() {
    Create(FLumitoreFirmWare);
    Create(FNew_Project);
    Create(FOpenConf);
    Create(FAbout);
    Create(FSoftOptions);
    Create(Form1);
    Create(FParGen);
    Create(FBoot);
    Create(FEnOcean_Device);
    Create(FEnOcean_Variable);
    Create(FMQTT_Set_Topic);
    Create(FTopicTemplate);
    Create(FProfinetFileName);
    Create(FBACnet_Eng_Unit);
    Create(FBACnetSlaveSetAccess);
    Main = FLumitoreFirmWare;
  }

  void Write_Settings(const TSettings& Settings) const {
    Write_Settings_File(Folder.Path("Lumitor.xml"), Settings);
  }
  TSettings Saved_Settings() const { return Read_Settings_File(Folder.Path("Lumitor.xml")); }

  TTestFolder Folder;
  TFLumitoreFirmWare* Main = nullptr;
  TShellOpenFunction ShellOpenBefore;
  std::vector<String> Opened;
  bool Opener_Works = true;  // false: no program on the desktop opens web links
  std::vector<String> Queries;
  String Answer;
  bool No_Network = false;
};

TEST_F(MainWindowTest, FirstStartInAnEmptyProgramFolder) {
  Start();
  for (const char* name : {"MASTER", "PROJECTS", "LANGUAGE", "CAT_EnOcean"})
    EXPECT_TRUE(fs::is_directory(Folder.FsPath(name))) << name;
  EXPECT_EQ(Main->Caption(), u"Tavrel - Configurator KP31A08 - EnOcean / PROFIBUS Slave ");
  EXPECT_EQ(Main->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(Main->L_SW_Desc->Caption(), u"EnOcean / PROFIBUS Slave - Converter");
  EXPECT_EQ(Main->L_Name_Conf->Caption(), u"None Configuration Opened ");
  EXPECT_EQ(Main->L_Name_Conf_L2->Caption(), u"Use Step1 to open or create new configuration");
  EXPECT_EQ(Language_Name, u"English");
  EXPECT_FALSE(Main->Timer_Update->Enabled());
  EXPECT_EQ(Main->Timer_Update->Interval(), 60000u);
  ASSERT_NE(Catalog_EnOcean, nullptr);
  EXPECT_TRUE(Catalog_EnOcean->List_Rorg.empty());
  ASSERT_TRUE(Row_Clipboard_SL);
  EXPECT_EQ(Text_SL->Count(), 2100);
}

// A folder at the settings file's name and a pipe at the catalogue's: the program starts with the
// defaults and an empty catalogue, at once, and says so once the window stands, naming both files.
TEST_F(MainWindowTest, StartFilesThatAreNoFilesAreReported) {
  fs::create_directory(Folder.FsPath("Lumitor.xml"));
  fs::create_directory(Folder.FsPath("CAT_EnOcean"));
  Put_Not_A_File(Folder.FsPath("CAT_EnOcean/eep.xml"), TNot_A_File::Pipe, Max_Catalog_File_Size);
  const String expected = u"Cannot open file \"" + Folder.Path("Lumitor.xml") + u"\". It is a folder, not a file.\r\n"
                          u"Cannot open file \"" + Folder.Path("CAT_EnOcean/eep.xml") + u"\". It is a pipe, not a file.";
  const TWatchdog watchdog;
  TestHarness::ExpectMessage(expected, mtError);
  Start();
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Main->Start_Errors(), expected);
  EXPECT_EQ(Last_IP_Address, u"192.168.2.205");
  ASSERT_NE(Catalog_EnOcean, nullptr);
  EXPECT_TRUE(Catalog_EnOcean->List_Rorg.empty());
  fs::remove(Folder.FsPath("Lumitor.xml"));
}

// Every step that needs a configuration refuses without one.
TEST_F(MainWindowTest, StepsWithoutConfigurationAreRefused) {
  Start();
  TestHarness::ShowForm(Main);
  for (TFadeButton* b : {Main->Btn_Prm_Gen, Main->Btn_EnOcean_Access, Main->Btn_PROFIBUS_GSD, Main->Btn_CreateBin}) {
    SCOPED_TRACE(StringToUtf8(b->Name()));
    TestHarness::ExpectMessage(u"Error! Project not Valid", mtError);
    TestHarness::Click(b);
    EXPECT_TRUE(TestHarness::Verify());
  }
  // The hidden steps refuse the same way when they are reached.
  for (TFadeButton* b : {Main->Btn_MQTT_Set_Topic, Main->Btn_PROFINET_XML, Main->Btn_BACnet_SetAccess,
                         Main->Btn_BACnet_EDE_File}) {
    SCOPED_TRACE(StringToUtf8(b->Name()));
    TestHarness::ExpectMessage(u"Error! Project not Valid", mtError);
    Main->Btn_Click(b);
    EXPECT_TRUE(TestHarness::Verify());
  }
  EXPECT_FALSE(fs::exists(Folder.FsPath("PROJECTS/bin")));
}

TEST_F(MainWindowTest, LayoutOfThisVariant) {
  Start();
  const struct {
    const char* Name;
    TControl* Control;
    Integer Left, Top, Width, Height;
    bool Visible;
  } rows[] = {
      {"Shape2", Main->Shape2, 80, 70, 348, 36, true},
      {"Btn_Info", Main->Btn_Info, 516, 8, 50, 50, true},
      {"Btn_Opz", Main->Btn_Opz, 574, 8, 50, 50, true},
      {"Btn_Close", Main->Btn_Close, 632, 8, 50, 50, true},
      {"Btn_New", Main->Btn_New, 80, 112, 170, 36, true},
      {"Btn_Open", Main->Btn_Open, 258, 112, 170, 36, true},
      {"Btn_Prm_Gen", Main->Btn_Prm_Gen, 80, 156, 170, 36, true},
      {"Btn_EnOcean_Access", Main->Btn_EnOcean_Access, 80, 200, 170, 36, true},
      {"Btn_PROFIBUS_GSD", Main->Btn_PROFIBUS_GSD, 80, 244, 170, 36, true},
      {"Btn_CreateBin", Main->Btn_CreateBin, 80, 288, 170, 36, true},
      {"Shape1", Main->Shape1, 10, 339, 674, 1, true},
      {"Btn_MQTT_Set_Topic", Main->Btn_MQTT_Set_Topic, 80, 242, 170, 36, false},
      {"Btn_BACnet_SetAccess", Main->Btn_BACnet_SetAccess, 80, 284, 170, 36, false},
      {"Btn_PROFINET_XML", Main->Btn_PROFINET_XML, 256, 384, 170, 36, false},
      {"Btn_BACnet_EDE_File", Main->Btn_BACnet_EDE_File, 432, 503, 170, 36, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(row.Control->BoundsRect(), Rect(row.Left, row.Top, row.Left + row.Width, row.Top + row.Height));
    EXPECT_EQ(row.Control->Visible(), row.Visible);
  }
  const struct {
    const char* Name;
    TControl* Control;
    Integer Left, Top;
    bool Visible;
  } labels[] = {
      {"L_SW_Code", Main->L_SW_Code, 16, 8, true},
      {"L_SW_Desc", Main->L_SW_Desc, 16, 42, true},
      {"L_Name_Conf", Main->L_Name_Conf, 87, 75, true},
      {"L_Name_Conf_L2", Main->L_Name_Conf_L2, 87, 88, true},
      {"L_Begin", Main->L_Begin, 16, 84, true},
      {"LL_Update", Main->LL_Update, 208, 19, false},
      {"L_Step_1", Main->L_Step_1, 16, 128, true},
      {"L_Step_2", Main->L_Step_2, 16, 172, true},
      {"L_Step_3", Main->L_Step_3, 16, 216, true},
      {"L_Step_4", Main->L_Step_4, 16, 260, true},
      {"L_Step_5", Main->L_Step_5, 16, 304, true},
      {"L_Step_6", Main->L_Step_6, 16, 348, false},
      {"L_Step_7", Main->L_Step_7, 16, 392, false},
      {"L_Step_8", Main->L_Step_8, 16, 436, false},
      {"L_Tavrel", Main->L_Tavrel, 565, 304, true},
  };
  for (const auto& row : labels) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(row.Control->Left(), row.Left);
    EXPECT_EQ(row.Control->Top(), row.Top);
    EXPECT_EQ(row.Control->Visible(), row.Visible);
  }
  EXPECT_EQ(Main->ClientWidth(), 694);
  EXPECT_EQ(Main->ClientHeight(), 440);
  EXPECT_EQ(Main->Color(), 0x00EDF7F8);
  EXPECT_EQ(Main->BorderIcons(), biSystemMenu);
  EXPECT_EQ(Main->Btn_New->HotTrackColor(), clSkyBlue);
  EXPECT_EQ(Main->Btn_New->Alignment(), taLeftJustify);
  EXPECT_EQ(Main->Btn_New->Style(), bsEncarta);
  EXPECT_GT(Main->Btn_New->NumGlyphs(), 0);
  EXPECT_EQ(Main->Btn_Info->Caption(), u"");
  // The web address shows whole in its link font.
  EXPECT_EQ(Main->L_Tavrel->Caption(), Maker_Web_Address_Text());
  EXPECT_GT(Main->L_Tavrel->Width(), 80);
}

// The window opens with the focus on New Configuration, and Tab walks the shown buttons in
// reading order.
TEST_F(MainWindowTest, TabWalksTheStepsInOrder) {
  Start();
  const std::vector<TWinControl*> expected = {Main->Btn_New,           Main->Btn_Open,         Main->Btn_Prm_Gen,
                                              Main->Btn_EnOcean_Access, Main->Btn_PROFIBUS_GSD, Main->Btn_CreateBin,
                                              Main->Btn_Info,          Main->Btn_Opz,          Main->Btn_Close,
                                              Main->Btn_New};
  std::vector<String> names, walked;
  for (TWinControl* c : expected) names.push_back(c->Name());
  Main->Show();
  TestHarness::ProcessEvents();
  for (size_t i = 0; i < expected.size(); ++i) {
    TWinControl* focused = Main->ActiveControl();
    walked.push_back(focused ? focused->Name() : String(u"(none)"));
    if (!focused) break;
    TestHarness::Key(focused, VK_TAB);
    TestHarness::ProcessEvents();
  }
  Main->Hide();
  EXPECT_EQ(walked, names);
}

TEST_F(MainWindowTest, TextsOfTheWindow) {
  Start();
  const struct {
    const char* Name;
    String Shown;
    Integer Id;
  } rows[] = {
      {"L_Begin", Main->L_Begin->Caption(), 0},
      {"L_Step_1", Main->L_Step_1->Caption(), 1},
      {"L_Step_8", Main->L_Step_8->Caption(), 8},
      {"Btn_Info hint", Main->Btn_Info->Hint(), 12},
      {"Btn_Opz hint", Main->Btn_Opz->Hint(), 13},
      {"Btn_Close hint", Main->Btn_Close->Hint(), 14},
      {"Btn_New", Main->Btn_New->Caption(), 15},
      {"Btn_Open", Main->Btn_Open->Caption(), 16},
      {"Btn_CreateBin", Main->Btn_CreateBin->Caption(), 17},
      {"Btn_Prm_Gen", Main->Btn_Prm_Gen->Caption(), 20},
      {"Btn_EnOcean_Access", Main->Btn_EnOcean_Access->Caption(), 21},
      {"Btn_New hint", Main->Btn_New->Hint(), 22},
      {"Btn_CreateBin hint", Main->Btn_CreateBin->Hint(), 26},
      {"Btn_MQTT_Set_Topic", Main->Btn_MQTT_Set_Topic->Caption(), 27},
      {"Btn_PROFINET_XML hint", Main->Btn_PROFINET_XML->Hint(), 30},
      {"Btn_BACnet_SetAccess", Main->Btn_BACnet_SetAccess->Caption(), 32},
      {"Btn_BACnet_EDE_File hint", Main->Btn_BACnet_EDE_File->Hint(), 35},
      {"Btn_PROFIBUS_GSD", Main->Btn_PROFIBUS_GSD->Caption(), 36},
      {"Btn_PROFIBUS_GSD hint", Main->Btn_PROFIBUS_GSD->Hint(), 37},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(row.Shown, Get_Text(row.Id));
  }
  EXPECT_EQ(Main->Btn_New->Caption(), u"New Configuration");
}

TEST_F(MainWindowTest, LastConfigurationIsReopened) {
  fs::create_directories(Folder.FsPath("PROJECTS/Plant/bin"));
  TSettings settings;
  settings.Conf_Name = u"Plant";
  Write_Settings(settings);
  Start();
  EXPECT_EQ(Path_Conf, Folder.Path("PROJECTS/Plant"));
  EXPECT_EQ(File_ParGen, Folder.Path("PROJECTS/Plant/ParGen.xml"));
  EXPECT_EQ(Main->L_Name_Conf->Caption(), u"Opened Configuration of the Converter : ");
  EXPECT_EQ(Main->L_Name_Conf_L2->Caption(), u"Plant");
}

// A configuration whose folder went away is not opened, but its name goes back to the settings.
TEST_F(MainWindowTest, DeletedConfigurationStaysNamedInTheSettings) {
  TSettings settings;
  settings.Conf_Name = u"Gone";
  settings.Last_IP_Address = u"10.0.0.7";
  Write_Settings(settings);
  Start();
  EXPECT_EQ(Path_Conf, u"");
  EXPECT_EQ(Main->L_Name_Conf->Caption(), u"None Configuration Opened ");
  TCloseAction action = caHide;
  Main->FormClose(Main, action);
  EXPECT_EQ(Saved_Settings().Conf_Name, u"Gone");
  EXPECT_EQ(Saved_Settings().Last_IP_Address, u"10.0.0.7");
}

TEST_F(MainWindowTest, NewConfigurationIsShownAndWrittenOnClose) {
  Start();
  TestHarness::ShowForm(Main);
  TestHarness::ExpectModal(u"TFNew_Project", [&](TCustomForm&) {
    FNew_Project->E_New_Proj->SetText(u"Line 4");
    TestHarness::Click(FNew_Project->Btn_OK);
  });
  TestHarness::Click(Main->Btn_New);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_TRUE(fs::is_directory(Folder.FsPath("PROJECTS/Line 4/bin")));
  EXPECT_EQ(Main->L_Name_Conf->Caption(), u"Opened Configuration of the Converter : ");
  EXPECT_EQ(Main->L_Name_Conf_L2->Caption(), u"Line 4");
  // New alone writes no settings; closing does.
  EXPECT_FALSE(fs::exists(Folder.FsPath("Lumitor.xml")));
  TestHarness::Click(Main->Btn_Close);
  EXPECT_EQ(Saved_Settings().Conf_Name, u"Line 4");

  // Cancel changes nothing.
  TestHarness::ShowForm(Main);
  TestHarness::ExpectModal(u"TFNew_Project", mrCancel);
  TestHarness::Click(Main->Btn_New);
  EXPECT_EQ(Conf_Name, u"Line 4");
}

TEST_F(MainWindowTest, OpenConfiguration) {
  fs::create_directories(Folder.FsPath("PROJECTS/Alpha"));
  fs::create_directories(Folder.FsPath("PROJECTS/Beta"));
  Start();
  TestHarness::ShowForm(Main);
  TestHarness::ExpectModal(u"TFOpenConf", [&](TCustomForm&) {
    FOpenConf->ListBox1->SetItemIndex(1);
    FOpenConf->ListBox1Click(FOpenConf->ListBox1);
    TestHarness::Click(FOpenConf->Btn_OK);
  });
  TestHarness::Click(Main->Btn_Open);
  EXPECT_EQ(Conf_Name, u"Beta");
  EXPECT_EQ(Path_Conf, Folder.Path("PROJECTS/Beta"));
  EXPECT_EQ(File_EnOcean, Folder.Path("PROJECTS/Beta/EnOcean.xml"));
  EXPECT_EQ(Main->L_Name_Conf_L2->Caption(), u"Beta");

  // Cancel changes nothing.
  TestHarness::ExpectModal(u"TFOpenConf", mrCancel);
  TestHarness::Click(Main->Btn_Open);
  EXPECT_EQ(Conf_Name, u"Beta");

  // With nothing left to choose, the dialog offers no name and OK opens no configuration.
  fs::remove_all(Folder.FsPath("PROJECTS/Alpha"));
  fs::rename(Folder.FsPath("PROJECTS/Beta"), Folder.FsPath("Beta"));
  TestHarness::ExpectModal(u"TFOpenConf", [&](TCustomForm&) { TestHarness::Click(FOpenConf->Btn_OK); });
  TestHarness::Click(Main->Btn_Open);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Conf_Name, u"");
  EXPECT_EQ(Path_Conf, u"");
  EXPECT_EQ(Main->L_Name_Conf_L2->Caption(), u"Use Step1 to open or create new configuration");
}

// Open confirmed while the list is empty and nothing was chosen before: no configuration is open.
TEST_F(MainWindowTest, OpenConfigurationWithAnEmptyNameClosesTheConfiguration) {
  fs::create_directories(Folder.FsPath("PROJECTS/Plant"));
  TSettings settings;
  settings.Conf_Name = u"Plant";
  Write_Settings(settings);
  Start();
  ASSERT_EQ(Path_Conf, Folder.Path("PROJECTS/Plant"));
  fs::remove_all(Folder.FsPath("PROJECTS/Plant"));
  TestHarness::ShowForm(Main);
  TestHarness::ExpectModal(u"TFOpenConf", [&](TCustomForm&) {
    EXPECT_EQ(FOpenConf->ListBox1->Count(), 0);
    TestHarness::Click(FOpenConf->Btn_OK);
  });
  TestHarness::Click(Main->Btn_Open);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Conf_Name, u"");
  EXPECT_EQ(Path_Conf, u"");
  EXPECT_EQ(Main->L_Name_Conf->Caption(), u"None Configuration Opened ");
  EXPECT_EQ(Main->L_Name_Conf_L2->Caption(), u"Use Step1 to open or create new configuration");
  TestHarness::ExpectMessage(u"Error! Project not Valid", mtError, mrOk);
  TestHarness::Click(Main->Btn_Prm_Gen);
  EXPECT_TRUE(TestHarness::Verify());
}

TEST_F(MainWindowTest, OptionsOkWritesTheSettingsAndArmsTheTimer) {
  Start();
  TestHarness::ShowForm(Main);
  TestHarness::ExpectModal(u"TFSoftOptions", [&](TCustomForm&) {
    FSoftOptions->CB_En_Con->SetChecked(true);
    FSoftOptions->CB_Update->SetChecked(true);
    TestHarness::Click(FSoftOptions->Btn_OK);
  });
  TestHarness::Click(Main->Btn_Opz);
  EXPECT_TRUE(Main->Timer_Update->Enabled());
  EXPECT_TRUE(Saved_Settings().Opt_Enable_Internet);
  EXPECT_TRUE(Saved_Settings().Opt_Enable_Update);

  // Cancel leaves the timer as it is, even with the boxes changed.
  TestHarness::ExpectModal(u"TFSoftOptions", [&](TCustomForm&) {
    FSoftOptions->CB_En_Con->SetChecked(false);
    TestHarness::Click(FSoftOptions->Btn_Cancel);
  });
  TestHarness::Click(Main->Btn_Opz);
  EXPECT_TRUE(Main->Timer_Update->Enabled());
  EXPECT_TRUE(Opt_Enable_Internet);
  EXPECT_TRUE(TestHarness::Verify());
}

// A settings file that cannot be written: after the options the error is shown and the timer
// stays off; on close the error is shown and the window stays open, and closes once the file can
// be written.
TEST_F(MainWindowTest, SettingsThatCannotBeWritten) {
  Start();
  fs::create_directories(Folder.FsPath("Lumitor.xml"));
  TestHarness::ShowForm(Main);
  TestHarness::ExpectModal(u"TFSoftOptions", [&](TCustomForm&) {
    FSoftOptions->CB_En_Con->SetChecked(true);
    FSoftOptions->CB_Update->SetChecked(true);
    TestHarness::ExpectMessageContaining(u"Lumitor.xml", mtError);
    TestHarness::Click(FSoftOptions->Btn_OK);
  });
  TestHarness::Click(Main->Btn_Opz);
  EXPECT_TRUE(TestHarness::Verify());

  TestHarness::ExpectMessageContaining(u"Lumitor.xml", mtError);
  TestHarness::Click(Main->Btn_Close);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_TRUE(Main->Showing());

  fs::remove(Folder.FsPath("Lumitor.xml"));
  TestHarness::Click(Main->Btn_Close);
  EXPECT_FALSE(Main->Showing());
  EXPECT_TRUE(fs::is_regular_file(Folder.FsPath("Lumitor.xml")));
}

// With both internet options on, the first check comes a minute after start, the next ones every
// two hours; a newer version shows the link, an answer without one hides it.
TEST_F(MainWindowTest, VersionCheckTimer) {
  TestHarness::UseFakeClock(true);
  TSettings settings;
  settings.Opt_Enable_Internet = settings.Opt_Enable_Update = true;
  Write_Settings(settings);
  Start();
  ASSERT_TRUE(Main->Timer_Update->Enabled());
  Answer = u"VER. 1.003";
  TestHarness::AdvanceClock(59999);
  EXPECT_TRUE(Queries.empty());
  TestHarness::AdvanceClock(1);
  ASSERT_EQ(Queries.size(), 1u);
  EXPECT_EQ(Queries[0], Maker_Web_Address + u"/home/download/GetversionSW.asp?nomesw=KP31A08");
  EXPECT_TRUE(Main->LL_Update->Visible());
  EXPECT_EQ(Main->LL_Update->Caption(),
            u"<a href=\"" + Maker_Web_Address +
                u"/Home/download/download.asp#GX31A08\">New Version Available. Click Here for more Details</a>");
  EXPECT_EQ(Main->Timer_Update->Interval(), 7200000u);
  Answer = u"VER. 0.000";
  TestHarness::AdvanceClock(7199999);
  EXPECT_EQ(Queries.size(), 1u);
  TestHarness::AdvanceClock(1);
  EXPECT_EQ(Queries.size(), 2u);
  EXPECT_FALSE(Main->LL_Update->Visible());
  Main->LL_Update->OnLinkClick(Main->LL_Update, Update_Link_Main, sltURL);
  EXPECT_EQ(Opened, std::vector<String>{Update_Link_Main});
}

// The timer's check stays silent when it cannot be made: no message, no link.
TEST_F(MainWindowTest, TheTimersCheckWithoutANetworkStaysSilent) {
  TestHarness::UseFakeClock(true);
  TSettings settings;
  settings.Opt_Enable_Internet = settings.Opt_Enable_Update = true;
  Write_Settings(settings);
  Start();
  No_Network = true;
  TestHarness::AdvanceClock(60000);
  ASSERT_EQ(Queries.size(), 1u);
  EXPECT_FALSE(Main->LL_Update->Visible());
  EXPECT_TRUE(Main->Timer_Update->Enabled());
  EXPECT_TRUE(TestHarness::Verify());
}

// A web link that no program on the desktop opens says so, with the address.
TEST_F(MainWindowTest, AWebLinkNothingOpensSaysSo) {
  Start();
  TestHarness::ShowForm(Main);
  TestHarness::Click(Main->L_Tavrel);
  EXPECT_EQ(Opened, std::vector<String>{Home_Page_Url()});
  Opener_Works = false;
  TestHarness::ExpectMessage(
      u"Error! No program on this computer opens web links. Open this address in a web browser: " + Home_Page_Url(),
      mtError, mrOk);
  TestHarness::Click(Main->L_Tavrel);
  EXPECT_TRUE(TestHarness::Verify());
  TestHarness::ExpectMessageContaining(Update_Link_Main, mtError);
  Main->LL_Update->OnLinkClick(Main->LL_Update, Update_Link_Main, sltURL);
  EXPECT_TRUE(TestHarness::Verify());
}

// Switching the check on in the options arms the timer with its current interval: a minute while
// it never ticked, two hours once it has; switching it off stops the checks.
TEST_F(MainWindowTest, OptionsOkArmsTheTimerWithItsCurrentInterval) {
  TestHarness::UseFakeClock(true);
  Start();
  TestHarness::ShowForm(Main);
  ASSERT_FALSE(Main->Timer_Update->Enabled());
  auto options = [&](bool On) {
    TestHarness::ExpectModal(u"TFSoftOptions", [&](TCustomForm&) {
      FSoftOptions->CB_En_Con->SetChecked(On);
      FSoftOptions->CB_Update->SetChecked(On);
      TestHarness::Click(FSoftOptions->Btn_OK);
    });
    TestHarness::Click(Main->Btn_Opz);
    ASSERT_TRUE(TestHarness::Verify());
    EXPECT_EQ(Main->Timer_Update->Enabled(), On);
  };
  Answer = u"VER. 1.002";

  TestHarness::AdvanceClock(300000);
  options(true);
  TestHarness::AdvanceClock(59999);
  EXPECT_TRUE(Queries.empty());
  TestHarness::AdvanceClock(1);
  EXPECT_EQ(Queries.size(), 1u);

  options(false);
  TestHarness::AdvanceClock(8000000);
  EXPECT_EQ(Queries.size(), 1u);

  options(true);
  TestHarness::AdvanceClock(60000);
  EXPECT_EQ(Queries.size(), 1u);
  TestHarness::AdvanceClock(7200000 - 60000 - 1);
  EXPECT_EQ(Queries.size(), 1u);
  TestHarness::AdvanceClock(1);
  EXPECT_EQ(Queries.size(), 2u);
  EXPECT_FALSE(Main->LL_Update->Visible());
}

TEST_F(MainWindowTest, TimerStaysOffWithoutBothOptions) {
  TestHarness::UseFakeClock(true);
  TSettings settings;
  settings.Opt_Enable_Internet = true;
  Write_Settings(settings);
  Start();
  EXPECT_FALSE(Main->Timer_Update->Enabled());
  TestHarness::AdvanceClock(120000);
  EXPECT_TRUE(Queries.empty());
}

// A change of language re-labels the main window and the dialogs that follow it; the About dialog
// keeps its texts, and the setting keeps the old language until OK.
TEST_F(MainWindowTest, ChangeOfLanguageRelabels) {
  Start();
  Folder.Write("LANGUAGE/Deutsch.lng",
               "\xEF\xBB\xBFSTR0 = Anfang\r\nSTR15 = Neue Konfiguration\r\nSTR100 = Neue Konfiguration erstellen\r\n"
               "STR200 = Konfiguration \xC3\xB6" "ffnen\r\nSTR300 = Optionen\r\nSTR400 = Kommunikation\r\nSTR9 = \xC2\xB6Keine Konfiguration \xC2\xB6\r\n"
               "STR906 = IP-Adresse\r\nSTR1800 = GSDML-Datei\r\nSTR2000 = Einheit w\xC3\xA4hlen\r\nSTR1000 = Ger\xC3\xA4t\r\n");
  const String deviceCaption = FEnOcean_Device->Caption();
  TestHarness::ShowForm(Main);
  TestHarness::ExpectModal(u"TFSoftOptions", [&](TCustomForm&) {
    TestHarness::ExpectMessageContaining(u"Deutsch", mtConfirmation, mrYes);
    TestHarness::Click(FSoftOptions->L_L[0]);
    EXPECT_EQ(Main->L_Begin->Caption(), u"Anfang");
    TestHarness::Click(FSoftOptions->Btn_Cancel);
  });
  TestHarness::Click(Main->Btn_Opz);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Main->Btn_New->Caption(), u"Neue Konfiguration");
  EXPECT_EQ(Main->L_Name_Conf->Caption(), u"Keine Konfiguration ");
  EXPECT_EQ(Main->L_Step_1->Caption(), u"Step 1");
  EXPECT_EQ(FNew_Project->Caption(), u"Neue Konfiguration erstellen");
  EXPECT_EQ(FOpenConf->Caption(), u"Konfiguration \u00F6ffnen");
  EXPECT_EQ(FSoftOptions->Caption(), u"Optionen");
  EXPECT_EQ(FParGen->Caption(), u"Kommunikation");
  EXPECT_EQ(FBoot->L_IP_Address->Caption(), u"IP-Adresse");
  EXPECT_EQ(FProfinetFileName->Caption(), u"GSDML-Datei");
  EXPECT_EQ(FBACnet_Eng_Unit->Caption(), u"Einheit w\u00E4hlen");
  // The EnOcean dialogs and the About dialog keep the texts they took when they were created.
  EXPECT_EQ(FEnOcean_Device->Caption(), deviceCaption);
  EXPECT_EQ(FAbout->Label3->Caption(), u"Version :");
  EXPECT_EQ(Language_Name, u"English");
}

TEST_F(MainWindowTest, AboutAndWebLinks) {
  Start();
  TestHarness::ShowForm(Main);
  TestHarness::ExpectModal(u"TFAbout", mrOk);
  TestHarness::Click(Main->Btn_Info);
  EXPECT_TRUE(TestHarness::Verify());
  TestHarness::Click(Main->L_Tavrel);
  EXPECT_EQ(Opened, std::vector<String>{Maker_Web_Address + u"/HOME/default.asp?frompg=KP31A08"});
}

// Step 5 writes both bank files from the builder's defaults, then opens the update dialog in its
// Ethernet layout; the files stay when the dialog is cancelled.
TEST_F(MainWindowTest, UpdateDeviceWritesTheBankFilesFirst) {
  fs::create_directories(Folder.FsPath("PROJECTS/Plant/bin"));
  TSettings settings;
  settings.Conf_Name = u"Plant";
  Write_Settings(settings);
  Start();
  TestHarness::ShowForm(Main);
  FBoot->Form_Type = Boot_Form_Serial;
  TestHarness::ExpectModal(u"TFBoot", [&](TCustomForm&) {
    EXPECT_EQ(FBoot->Form_Type, Boot_Form_Ethernet);
    EXPECT_TRUE(fs::exists(Folder.FsPath("PROJECTS/Plant/bin/bank1.bin")));
    FBoot->SetModalResult(mrCancel);
  });
  TestHarness::Click(Main->Btn_CreateBin);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(fs::file_size(Folder.FsPath("PROJECTS/Plant/bin/bank1.bin")), 2048u);
  EXPECT_TRUE(fs::exists(Folder.FsPath("PROJECTS/Plant/bin/bank2.bin")));
}

// A configuration without its "bin" folder gets it back; bank files that cannot be written show
// the error and the update dialog stays closed.
TEST_F(MainWindowTest, UpdateDeviceWithoutBinFolderOrWhereNothingCanBeWritten) {
  fs::create_directories(Folder.FsPath("PROJECTS/Plant"));
  fs::create_directories(Folder.FsPath("PROJECTS/Locked"));
  // A file where the "bin" folder belongs: nothing can be written there.
  Folder.Write("PROJECTS/Locked/bin", "not a folder");
  TSettings settings;
  settings.Conf_Name = u"Plant";
  Write_Settings(settings);
  Start();
  TestHarness::ShowForm(Main);

  TestHarness::ExpectModal(u"TFBoot", mrCancel);
  TestHarness::Click(Main->Btn_CreateBin);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(fs::file_size(Folder.FsPath("PROJECTS/Plant/bin/bank1.bin")), 2048u);
  EXPECT_TRUE(fs::exists(Folder.FsPath("PROJECTS/Plant/bin/bank2.bin")));

  Conf_Name = u"Locked";
  Path_Conf = Folder.Path("PROJECTS/Locked");
  Main->Set_Files();
  TestHarness::ExpectMessageContaining(u"bank1.bin", mtError);
  TestHarness::Click(Main->Btn_CreateBin);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Folder.Read("PROJECTS/Locked/bin"), "not a folder");
}

TEST_F(MainWindowTest, StepsOpenTheirDialogs) {
  fs::create_directories(Folder.FsPath("PROJECTS/Plant"));
  TSettings settings;
  settings.Conf_Name = u"Plant";
  Write_Settings(settings);
  Start();
  TestHarness::ShowForm(Main);
  TestHarness::ExpectModal(u"TFParGen", mrCancel);
  TestHarness::Click(Main->Btn_Prm_Gen);
  EXPECT_TRUE(TestHarness::Verify());
}

// The hidden MQTT button opens the topic tables; the hidden BACnet button does nothing.
TEST_F(MainWindowTest, HiddenTableButtons) {
  fs::create_directories(Folder.FsPath("PROJECTS/Plant"));
  TSettings settings;
  settings.Conf_Name = u"Plant";
  Write_Settings(settings);
  Start();
  TestHarness::ShowForm(Main);
  EXPECT_FALSE(Main->Btn_MQTT_Set_Topic->Visible());
  TestHarness::ExpectModal(u"TFMQTT_Set_Topic", mrCancel);
  Main->Btn_Click(Main->Btn_MQTT_Set_Topic);
  Main->Btn_Click(Main->Btn_BACnet_SetAccess);
  EXPECT_TRUE(TestHarness::Verify());
}

// A change of language re-labels both table dialogs; the template editor keeps its texts.
TEST_F(MainWindowTest, ChangeOfLanguageRelabelsTheTables) {
  Start();
  const String template_desc = FTopicTemplate->L_List_Keywords->Caption();
  Text_SL->Put(1400, u"MQTT-Themen");
  Text_SL->Put(1415, u"Thema");
  Text_SL->Put(1900, u"BACnet-Zugriff");
  Text_SL->Put(1604, u"Schl\u00FCsselw\u00F6rter");
  Main->Change_Language();
  EXPECT_EQ(FMQTT_Set_Topic->Caption(), u"MQTT-Themen");
  EXPECT_EQ(FMQTT_Set_Topic->ACG_Pub->Cells(1, 0), u"Thema");
  EXPECT_EQ(FBACnetSlaveSetAccess->Caption(), u"BACnet-Zugriff");
  EXPECT_EQ(FTopicTemplate->L_List_Keywords->Caption(), template_desc);
  Load_Default_Texts();
}

TEST_F(MainWindowTest, EdeFileStartsInTheConfigurationFolder) {
  fs::create_directories(Folder.FsPath("PROJECTS/Plant"));
  TSettings settings;
  settings.Conf_Name = u"Plant";
  Write_Settings(settings);
  Start();
  TestHarness::ExpectFileDialog(true, u"");
  Main->Btn_Click(Main->Btn_BACnet_EDE_File);
  EXPECT_TRUE(TestHarness::Verify());
  ASSERT_EQ(TestHarness::ShownFileDialogs().size(), 1u);
  EXPECT_EQ(TestHarness::ShownFileDialogs()[0].InitialDir, Folder.Path("PROJECTS/Plant"));
  EXPECT_EQ(TestHarness::ShownFileDialogs()[0].Filter, u"CSV (MS-DOS) (*.csv)|*.csv");
  EXPECT_TRUE(fs::is_empty(Folder.FsPath("PROJECTS/Plant")));
}

TEST_F(MainWindowTest, ProfinetFileOnlyAfterOk) {
  fs::create_directories(Folder.FsPath("PROJECTS/Plant"));
  TSettings settings;
  settings.Conf_Name = u"Plant";
  Write_Settings(settings);
  Start();
  TestHarness::ExpectModal(u"TFProfinetFileName", mrCancel);
  Main->Btn_Click(Main->Btn_PROFINET_XML);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_TRUE(TestHarness::ShownFileDialogs().empty());
}

TEST_F(MainWindowTest, BACnetTypeOfTheParameterFile) {
  fs::create_directories(Folder.FsPath("PROJECTS/Plant"));
  TSettings settings;
  settings.Conf_Name = u"Plant";
  Write_Settings(settings);
  Start();
  const struct {
    const char* Case;
    const char* File;  // nullptr: no file
    Integer Type;
  } rows[] = {
      {"no file", nullptr, 0},
      {"type 1", "<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>", 1},
      {"other root", "<Other><BACnet_Type>2</BACnet_Type></Other>", 2},
      {"no element", "<Par_Gen><PROFIBUS_ID_Device>3</PROFIBUS_ID_Device></Par_Gen>", 0},
      {"not a number", "<Par_Gen><BACnet_Type>MSTP</BACnet_Type></Par_Gen>", 0},
      {"not XML", "<Par_Gen><BACnet_Type>1</BACnet", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Case);
    fs::remove(Folder.FsPath("PROJECTS/Plant/ParGen.xml"));
    if (row.File) Folder.Write("PROJECTS/Plant/ParGen.xml", row.File);
    EXPECT_EQ(Main->Get_Type_BACnet(), row.Type);
  }
}

TEST_F(MainWindowTest, CatalogueIsLoadedAtStart) {
  fs::create_directories(Folder.FsPath("CAT_EnOcean"));
  fs::copy_file(std::string(KP_FIXTURES_DIR) + "/main/eep.xml", Folder.FsPath("CAT_EnOcean/eep.xml"));
  Start();
  ASSERT_NE(Catalog_EnOcean, nullptr);
  EXPECT_EQ(Catalog_EnOcean->Rorg_SL.size(), 1u);
  EXPECT_NE(Catalog_EnOcean->Get_RorgNum_Index(0xF6), -1);
}

}  // namespace
