#include "main/ProgramForms.h"

#include <gtest/gtest.h>

#include "app/SettingsFile.h"
#include "app/UAbout.h"
#include "app/UComon.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "comm/UBoot.h"
#include "comm/UParGen.h"
#include "descriptions/UBACnetSlaveSetAccess.h"
#include "descriptions/UBACnet_Eng_Unit.h"
#include "descriptions/UMQTT_Set_Topic.h"
#include "descriptions/UProfinetFileName.h"
#include "descriptions/UTopicTemplate.h"
#include "enocean/UEnOcean_Device.h"
#include "enocean/UEnOcean_SetAccess.h"
#include "enocean/UEnOcean_SetAccess2.h"
#include "enocean/UEnOcean_Variable.h"
#include "main/ULumitoreFirmWare.h"
#include "main/Unit1.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/SysUtils.h"
#include "tests/app/AppTestFolder.h"

namespace {

// The program's creation table run on the application: the main window first and the main form,
// every dialog after it in the table's order, and every dialog built on what the main window set
// up (the software code, the texts).
TEST(ProgramStart, FormsAreCreatedInTheTablesOrder) {
  TTestFolder folder;
  SetProgramFolder(folder.Path());
  Apply_Settings(TSettings());
  Create_Program_Forms();

  const std::vector<std::pair<const char*, TCustomForm*>> table = {
      {"FLumitoreFirmWare", FLumitoreFirmWare}, {"FNew_Project", FNew_Project},
      {"FOpenConf", FOpenConf},                 {"FAbout", FAbout},
      {"FSoftOptions", FSoftOptions},           {"Form1", Form1},
      {"FEnOcean_SetAccess", FEnOcean_SetAccess},
      {"FParGen", FParGen},                     {"FBoot", FBoot},
      {"FEnOcean_SetAccess2", FEnOcean_SetAccess2},
      {"FEnOcean_Device", FEnOcean_Device},     {"FEnOcean_Variable", FEnOcean_Variable},
      {"FMQTT_Set_Topic", FMQTT_Set_Topic},     {"FTopicTemplate", FTopicTemplate},
      {"FProfinetFileName", FProfinetFileName}, {"FBACnet_Eng_Unit", FBACnet_Eng_Unit},
      {"FBACnetSlaveSetAccess", FBACnetSlaveSetAccess},
  };
  EXPECT_EQ(Application->MainForm(), FLumitoreFirmWare);
  Integer previous = -1;
  for (const auto& [name, form] : table) {
    SCOPED_TRACE(name);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Owner(), Application);
    EXPECT_GT(form->ComponentIndex(), previous);
    previous = form->ComponentIndex();
  }
  for (TFDialog* dialog : std::initializer_list<TFDialog*>{FNew_Project, FOpenConf, FSoftOptions, FEnOcean_SetAccess,
                                                           FParGen, FBoot,
                                                           FEnOcean_SetAccess2, FMQTT_Set_Topic, FTopicTemplate,
                                                           FProfinetFileName, FBACnet_Eng_Unit,
                                                           FBACnetSlaveSetAccess}) {
    SCOPED_TRACE(StringToUtf8(dialog->ClassName()));
    EXPECT_EQ(dialog->L_SW_Code->Caption(), u"KP31A08");
  }
  EXPECT_EQ(FNew_Project->Caption(), u"Create New Configuration");
  EXPECT_TRUE(DirectoryExists(folder.Path("PROJECTS")));

  // The dialogs go first, the main window (and with it the catalogue) last.
  for (auto it = table.rbegin(); it != table.rend(); ++it) TComponent::Free(it->second);
  FLumitoreFirmWare = nullptr;
  FNew_Project = nullptr;
  FOpenConf = nullptr;
  FAbout = nullptr;
  FSoftOptions = nullptr;
  Form1 = nullptr;
  FEnOcean_SetAccess = nullptr;
  FParGen = nullptr;
  FBoot = nullptr;
  FEnOcean_SetAccess2 = nullptr;
  FEnOcean_Device = nullptr;
  FEnOcean_Variable = nullptr;
  FMQTT_Set_Topic = nullptr;
  FTopicTemplate = nullptr;
  FProfinetFileName = nullptr;
  FBACnet_Eng_Unit = nullptr;
  FBACnetSlaveSetAccess = nullptr;
  EXPECT_EQ(Application->MainForm(), nullptr);
  SetProgramFolder(u"");
  Apply_Settings(TSettings());
  Conf_Name.clear();
  Path_Conf.clear();
}

}  // namespace
