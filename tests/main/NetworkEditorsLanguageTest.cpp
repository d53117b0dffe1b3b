// A change of language in the main window re-labels the older network editor, which is never
// shown, and leaves the network editor with the texts it took when it was created.
#include <gtest/gtest.h>

#include "app/SettingsFile.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "components/tabs/TabStrip.h"
#include "enocean/UEnOcean_SetAccess.h"
#include "enocean/UEnOcean_SetAccess2.h"
#include "main/ULumitoreFirmWare.h"
#include "platform/gui/StdCtrls.h"
#include "tests/app/AppTestFolder.h"

namespace {

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

TEST(NetworkEditorsLanguage, OnlyTheOlderEditorIsRelabelled) {
  TTestFolder folder;
  Apply_Settings(TSettings());
  SetProgramFolder(folder.Path());
  Create(FLumitoreFirmWare);
  Create(FEnOcean_SetAccess);
  Create(FEnOcean_SetAccess2);
  EXPECT_EQ(FEnOcean_SetAccess->Caption(), u"EnOcean Set Access");
  EXPECT_EQ(FEnOcean_SetAccess->CT_ID_Data->Tabs()->Items(1)->Caption(), u"Data Exchange");

  folder.Write("LANGUAGE/Deutsch.lng",
               "\xEF\xBB\xBFSTR800 = EnOcean Zugang\r\nSTR808 = Datenaustausch\r\nSTR846 = Neu\r\n"
               "STR1200 = EnOcean Zugang\r\nSTR1206 = Ger\xC3\xA4teliste\r\n");
  Language_Name = u"Deutsch";
  Init_Language();
  FLumitoreFirmWare->Change_Language();

  EXPECT_EQ(FEnOcean_SetAccess->Caption(), u"EnOcean Zugang");
  EXPECT_EQ(FEnOcean_SetAccess->CT_ID_Data->Tabs()->Items(1)->Caption(), u"Datenaustausch");
  EXPECT_EQ(FEnOcean_SetAccess->Btn_EEP_Add->Caption(), u"Neu");
  EXPECT_EQ(FEnOcean_SetAccess2->Caption(), u"EnOcean Set Access");
  EXPECT_EQ(FEnOcean_SetAccess2->L_ID_Devices_List->Caption(), u"ID Devices List");

  Destroy(FEnOcean_SetAccess2);
  Destroy(FEnOcean_SetAccess);
  Destroy(FLumitoreFirmWare);
  Apply_Settings(TSettings());
  Init_Language();
  SetProgramFolder(u"");
  Conf_Name.clear();
  Path_Conf.clear();
}

}  // namespace
