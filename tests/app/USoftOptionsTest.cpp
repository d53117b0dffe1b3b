#include "app/USoftOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "app/VersionCheck.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "platform/os/Http.h"
#include "platform/os/Shell.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "tests/app/AppFormsTestSupport.h"
#include "tests/platform/rtl/NotAFile.h"

namespace {

namespace fs = std::filesystem;

class SoftOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = New_Form<TFSoftOptions>();
    Form->OnChangeLanguage = [this] {
      ++LanguageChanges;
      Form->Set_Lang();
    };
    Form->OnSetUpdateTimer = [this](bool On) { TimerCalls.push_back(On); };
  }
  void TearDown() override {
    SetHttpGetFunction(nullptr);
    TComponent::Free(Form);
  }

  void Write_Language(const std::string& Name, const std::string& Text = "") const {
    State.Folder.Write("LANGUAGE/" + Name, Text);
  }
  void Write_Flag(const std::string& Name) const {
    TBitmap flag(4, 3);
    const std::vector<Byte> bytes = flag.SaveToMemory();
    State.Folder.Write("LANGUAGE/" + Name, std::string(bytes.begin(), bytes.end()));
  }
  // Shows the dialog and runs Script in it; Script leaves it with OK or Cancel.
  TModalResult Show(const std::function<void()>& Script) {
    TestHarness::ExpectModal(u"TFSoftOptions", [&](TCustomForm&) { Script(); });
    const TModalResult result = Form->ShowModal();
    EXPECT_TRUE(TestHarness::Verify());
    return result;
  }
  std::vector<bool> Slots_Shown() const {
    std::vector<bool> shown;
    for (TLabel* label : Form->L_L) shown.push_back(label->Visible());
    return shown;
  }

  TShellStateFixture State;
  TFSoftOptions* Form = nullptr;
  Integer LanguageChanges = 0;
  std::vector<bool> TimerCalls;
};

// The boxes take the saved flags through their click handler, so the dependent controls follow
// whatever state the previous showing left.
TEST_F(SoftOptionsTest, ShowingTakesTheFlagsAndEnablesAccordingly) {
  const struct {
    const char* Case;
    bool Internet, Update;
    bool UpdateEnabled, CheckEnabled;
  } rows[] = {
      {"both off", false, false, false, false},
      {"internet only", true, false, true, false},
      {"both on", true, true, true, true},
      {"update without internet", false, true, false, false},
      {"both on again", true, true, true, true},
      {"both off again", false, false, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Case);
    Opt_Enable_Internet = row.Internet;
    Opt_Enable_Update = row.Update;
    Show([&] {
      EXPECT_EQ(Form->CB_En_Con->Checked(), row.Internet);
      EXPECT_EQ(Form->CB_Update->Checked(), row.Update);
      EXPECT_EQ(Form->CB_Update->Enabled(), row.UpdateEnabled);
      EXPECT_EQ(Form->Btn_Check_Update->Enabled(), row.CheckEnabled);
      EXPECT_FALSE(Form->LL_Check_Update->Visible());
      EXPECT_EQ(Form->PC_Options->ActivePage(), Form->TS_Language);
      TestHarness::Click(Form->Btn_Cancel);
    });
  }
}

TEST_F(SoftOptionsTest, TickingAndUntickingTheConnection) {
  Opt_Enable_Internet = true;
  Opt_Enable_Update = false;
  Show([&] {
    Form->PC_Options->SetActivePage(Form->TS_Con_Options);
    TestHarness::ProcessEvents();
    TestHarness::Click(Form->CB_En_Con);
    EXPECT_FALSE(Form->CB_En_Con->Checked());
    EXPECT_FALSE(Form->CB_Update->Enabled());
    EXPECT_FALSE(Form->Btn_Check_Update->Enabled());
    TestHarness::Click(Form->CB_En_Con);
    EXPECT_TRUE(Form->CB_Update->Enabled());
    EXPECT_FALSE(Form->Btn_Check_Update->Enabled());
    TestHarness::Click(Form->CB_Update);
    EXPECT_TRUE(Form->Btn_Check_Update->Enabled());
    // A disabled box keeps its tick.
    TestHarness::Click(Form->CB_En_Con);
    EXPECT_TRUE(Form->CB_Update->Checked());
    EXPECT_FALSE(Form->CB_Update->Enabled());
    TestHarness::Click(Form->Btn_Cancel);
  });
  EXPECT_TRUE(Opt_Enable_Internet);
  EXPECT_TRUE(TimerCalls.empty());
}

TEST_F(SoftOptionsTest, OkTakesTheChoicesAndSetsTheTimer) {
  Show([&] {
    Form->CB_En_Con->SetChecked(true);
    Form->CB_Update->SetChecked(true);
    Form->CB_Soft_Set_Jump_Table->SetChecked(true);
    TestHarness::Click(Form->Btn_OK);
  });
  EXPECT_TRUE(Opt_Enable_Internet);
  EXPECT_TRUE(Opt_Enable_Update);
  EXPECT_TRUE(Opt_Jump_Field_Tables);
  EXPECT_FALSE(Opt_Double_Click_Auto_Size);
  EXPECT_EQ(TimerCalls, std::vector<bool>{true});

  Show([&] {
    Form->CB_Update->SetChecked(false);
    Form->CB_DoubleClick_Auto_Size->SetChecked(true);
    TestHarness::Click(Form->Btn_OK);
  });
  EXPECT_FALSE(Opt_Enable_Update);
  EXPECT_TRUE(Opt_Double_Click_Auto_Size);
  EXPECT_EQ(TimerCalls, (std::vector<bool>{true, false}));
}

TEST_F(SoftOptionsTest, ThirteenLanguagesMakeThreePages) {
  Write_Language("English.lng");
  for (Integer i = 1; i <= 12; ++i) Write_Language("Lang" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".lng");
  Show([&] {
    EXPECT_EQ(Form->L_Page_Lang->Caption(), u"Page 1 / 3");
    EXPECT_FALSE(Form->Btn_Prev->Visible());
    EXPECT_TRUE(Form->Btn_Next->Visible());
    EXPECT_EQ(Form->L_L[0]->Caption(), u"English");
    EXPECT_EQ(Form->L_L[5]->Caption(), u"Lang05");
    EXPECT_EQ(Slots_Shown(), std::vector<bool>(6, true));
    TestHarness::Click(Form->Btn_Next);
    EXPECT_EQ(Form->L_Page_Lang->Caption(), u"Page 2 / 3");
    EXPECT_TRUE(Form->Btn_Prev->Visible());
    EXPECT_EQ(Form->L_L[0]->Caption(), u"Lang06");
    TestHarness::Click(Form->Btn_Next);
    EXPECT_EQ(Form->L_Page_Lang->Caption(), u"Page 3 / 3");
    EXPECT_FALSE(Form->Btn_Next->Visible());
    EXPECT_EQ(Slots_Shown(), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(Form->L_L[0]->Caption(), u"Lang12");
    TestHarness::Click(Form->Btn_Prev);
    EXPECT_EQ(Form->Show_Page, 2);
    TestHarness::Click(Form->Btn_Cancel);
  });
}

TEST_F(SoftOptionsTest, OnlyPlainLanguageFilesAreListedSortedWithoutRegardToCase) {
  Write_Language("italiano.lng");
  Write_Language("English.lng");
  Write_Language("Deutsch.LNG");
  Write_Language("notes.txt");
  Write_Language("Locked.lng");
  fs::permissions(State.Folder.FsPath("LANGUAGE/Locked.lng"), fs::perms::owner_write, fs::perm_options::remove);
  fs::create_directories(State.Folder.FsPath("LANGUAGE/Folder.lng"));
  Form->Create_Lang_List();
  std::vector<String> listed;
  for (Integer i = 0; i < Form->SL_Languages->Count(); ++i) listed.push_back(Form->SL_Languages->Get(i));
  ASSERT_NE(FileGetAttr(State.Folder.Path("LANGUAGE/Locked.lng")) & faReadOnly, 0);
  EXPECT_EQ(listed, (std::vector<String>{u"Deutsch.LNG", u"English.lng", u"italiano.lng"}));
  EXPECT_EQ(Form->L_L[0]->Caption(), u"Deutsch");
}

// Without any language file the built-in English is still offered.
TEST_F(SoftOptionsTest, NoLanguageFileOffersTheBuiltInEnglish) {
  Show([&] {
    EXPECT_EQ(Form->L_Page_Lang->Caption(), u"Page 1 / 1");
    EXPECT_EQ(Slots_Shown(), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(Form->L_L[0]->Caption(), u"English");
    for (TImage* image : Form->I_L) EXPECT_FALSE(image->Visible());
    EXPECT_FALSE(Form->Btn_Prev->Visible());
    EXPECT_FALSE(Form->Btn_Next->Visible());
    TestHarness::Click(Form->Btn_Cancel);
  });
}

// A language file saved as UTF-8 without a byte order mark shows its letters; once another
// language is chosen, the built-in English brings the English texts back without an English.lng.
TEST_F(SoftOptionsTest, AUtf8FileWithoutAMarkAndTheWayBackToEnglish) {
  Write_Language("Deutsch.lng",
                 "STR300 = Ger\xC3\xA4teoptionen\r\nSTR304 = \xC2\xB6Gew\xC3\xA4hlte Sprache : \xC2\xB6\r\n");
  Show([&] {
    ASSERT_EQ(Form->L_L[0]->Caption(), u"Deutsch");
    ASSERT_EQ(Form->L_L[1]->Caption(), u"English");
    TestHarness::ExpectMessageContaining(u"to Deutsch", mtConfirmation, mrYes);
    TestHarness::Click(Form->L_L[0]);
    EXPECT_EQ(Form->Caption(), u"Ger\u00E4teoptionen");
    EXPECT_EQ(Form->L_Sel_Lang->Caption(), u"Gew\u00E4hlte Sprache : Deutsch");
    TestHarness::ExpectMessageContaining(u"to English", mtConfirmation, mrYes);
    TestHarness::Click(Form->L_L[1]);
    EXPECT_EQ(Form->Caption(), u"Software Options");
    EXPECT_EQ(Form->L_Sel_Lang->Caption(), u"Selected Language : English");
    TestHarness::Click(Form->Btn_OK);
  });
  EXPECT_EQ(Language_Name, u"English");
}

TEST_F(SoftOptionsTest, FlagsComeFromTheLanguageElseTheDefaultFlag) {
  Write_Language("Alpha.lng");
  Write_Language("Beta.lng");
  Write_Flag("Alpha.bmp");
  Form->Create_Lang_List();
  EXPECT_TRUE(Form->I_L[0]->Visible());
  EXPECT_EQ(Form->I_L[0]->Picture()->Width(), 4);
  EXPECT_FALSE(Form->I_L[1]->Visible());
  EXPECT_TRUE(Form->L_L[1]->Visible());

  Write_Flag("DefaultFlag.bmp");
  Write_Language("Gamma.lng");
  State.Folder.Write("LANGUAGE/Gamma.bmp", "not a bitmap");
  Form->Create_Lang_List();
  EXPECT_TRUE(Form->I_L[1]->Visible());
  // Alpha, Beta, the built-in English, Gamma: a flag that cannot be read counts as none.
  ASSERT_EQ(Form->L_L[3]->Caption(), u"Gamma");
  EXPECT_FALSE(Form->I_L[3]->Visible());
  EXPECT_TRUE(Form->L_L[3]->Visible());

  // Nor is a folder, a pipe, a device or a huge file at a flag's name read (nor taken for a missing
  // flag): the list shows at once, the slot with its label only.
  const TWatchdog watchdog;
  for (const TNot_A_File_Case& c : Not_A_File_Cases) {
    SCOPED_TRACE(c.Name);
    Put_Not_A_File(State.Folder.FsPath("LANGUAGE/Gamma.bmp"), c.Kind, Int64(1) << 30);
    Form->Create_Lang_List();
    EXPECT_FALSE(Form->I_L[3]->Visible());
    EXPECT_TRUE(Form->L_L[3]->Visible());
  }
}

TEST_F(SoftOptionsTest, ChoosingALanguageRelabelsButOnlyOkKeepsIt) {
  Write_Language("Deutsch.lng", "\xEF\xBB\xBFSTR304 = \xC2\xB6Sprache : \xC2\xB6\r\nSTR305 = \xC2\xB6Seite \xC2\xB6\r\nSTR300 = Optionen\r\n");
  Write_Language("English.lng");
  // No: nothing changes.
  Show([&] {
    TestHarness::ExpectMessage(u"Do you want to change the Language from English to Deutsch?", mtConfirmation, mrNo);
    TestHarness::Click(Form->L_L[0]);
    EXPECT_EQ(LanguageChanges, 0);
    EXPECT_EQ(Form->Language_In_Use, u"English");
    TestHarness::Click(Form->Btn_Cancel);
  });
  // Yes, then Cancel: the texts change for this run, the setting does not.
  Show([&] {
    TestHarness::ExpectMessageContaining(u"to Deutsch", mtConfirmation, mrYes);
    TestHarness::Click(Form->I_L[0]);
    EXPECT_EQ(LanguageChanges, 1);
    EXPECT_EQ(Form->Language_In_Use, u"Deutsch");
    EXPECT_EQ(Language_Name, u"English");
    EXPECT_EQ(Form->Caption(), u"Optionen");
    EXPECT_EQ(Form->L_Sel_Lang->Caption(), u"Sprache : Deutsch");
    EXPECT_EQ(Form->L_Page_Lang->Caption(), u"Seite 1 / 1");
    TestHarness::Click(Form->Btn_Cancel);
  });
  EXPECT_EQ(Language_Name, u"English");
  EXPECT_EQ(Get_Text(300), u"Optionen");
  // Yes, then OK: the language is kept.
  Show([&] {
    EXPECT_EQ(Form->L_Sel_Lang->Caption(), u"Sprache : English");
    TestHarness::ExpectMessageContaining(u"to Deutsch", mtConfirmation, mrYes);
    TestHarness::Click(Form->L_L[0]);
    TestHarness::Click(Form->Btn_OK);
  });
  EXPECT_EQ(Language_Name, u"Deutsch");
}

// What the check on demand leaves on the connection page shows whole: it breaks into lines within
// the page, below the button, and its last line is drawn too.
TEST_F(SoftOptionsTest, TheTextOfTheCheckShowsWholeOnThePage) {
  std::optional<std::string> answer;
  SetHttpGetFunction([&](const THttpRequest&) { return answer; });
  Opt_Enable_Internet = Opt_Enable_Update = true;
  struct Row {
    const char* name;
    std::optional<std::string> answer;
    String shown;  // the words the label shows
  };
  const Row rows[] = {
      {"the check could not be made", std::nullopt, Get_Text(322)},
      {"no newer version", "VER. 1.002", Get_Text(315)},
      {"a newer version", "VER. 1.003", Get_Text(314)},
  };
  Show([&] {
    Form->PC_Options->SetActivePage(Form->TS_Con_Options);
    TLinkLabel* label = Form->LL_Check_Update;
    for (const Row& row : rows) {
      SCOPED_TRACE(row.name);
      answer = row.answer;
      TestHarness::Click(Form->Btn_Check_Update);
      TestHarness::ProcessEvents();
      ASSERT_TRUE(label->Visible());
      TCanvas measure;
      measure.Font()->Assign(label->Font());
      TRect need(0, 0, label->Width(), 0);
      DrawText(&measure, row.shown, need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
      EXPECT_LE(need.Width(), label->Width());
      EXPECT_LE(need.Height(), label->Height()) << "every line of the text has room";
      const TRect page = Form->TS_Con_Options->ClientRect();
      EXPECT_GE(label->Top(), Form->Btn_Check_Update->Top() + Form->Btn_Check_Update->Height());
      EXPECT_LE(label->Left() + label->Width(), page.Right);
      EXPECT_LE(label->Top() + label->Height(), page.Bottom) << "the label ends inside the page";
      // The last line is drawn: its band holds text.
      const TColor blank = TestHarness::Pixel(label, label->Width() - 1, label->Height() - 1);
      const Integer last_line = need.Height() - measure.TextHeight(u"Ag");
      bool ink = false;
      for (Integer y = std::max(last_line, 0); y < std::min(need.Height(), label->Height()) && !ink; ++y)
        for (Integer x = 0; x < label->Width() && !ink; ++x) ink = TestHarness::Pixel(label, x, y) != blank;
      EXPECT_TRUE(ink) << "the last line shows";
    }
    TestHarness::Click(Form->Btn_Cancel);
  });
}

TEST_F(SoftOptionsTest, CheckNowShowsTheLinkOrNoUpdate) {
  String answer;
  std::vector<String> asked;
  SetHttpGetFunction([&](const THttpRequest& request) {
    asked.push_back(request.Url);
    return StringToUtf8(answer);
  });
  std::vector<String> opened;
  auto previous = SetShellOpenFunction([&](const String& url) {
    opened.push_back(url);
    return true;
  });
  Opt_Enable_Internet = Opt_Enable_Update = true;
  Show([&] {
    answer = u"VER. 1.003";
    TestHarness::Click(Form->Btn_Check_Update);
    EXPECT_TRUE(Form->LL_Check_Update->Visible());
    EXPECT_EQ(Form->LL_Check_Update->Caption(),
              u"<a href=\"" + Maker_Web_Address +
                  u"/Home/download/download.asp#GX31XYZ\">New Version Available. Click Here for more Details</a>");
    Form->LL_Check_Update->OnLinkClick(Form->LL_Check_Update, Update_Link_Options, sltURL);
    answer = u"VER. 1.002";
    TestHarness::Click(Form->Btn_Check_Update);
    EXPECT_EQ(Form->LL_Check_Update->Caption(), u"No Update Available");
    // A bad answer (a web page instead of a version) is no answer: the check could not be made.
    answer = u"<html><body>Not found</body></html>";
    TestHarness::Click(Form->Btn_Check_Update);
    EXPECT_EQ(Form->LL_Check_Update->Caption(), Get_Text(322));
    TestHarness::Click(Form->Btn_Cancel);
  });
  // No network: the check could not be made, and the dialog says so.
  SetHttpGetFunction([&](const THttpRequest&) -> std::optional<std::string> { return std::nullopt; });
  Show([&] {
    TestHarness::Click(Form->Btn_Check_Update);
    EXPECT_TRUE(Form->LL_Check_Update->Visible());
    EXPECT_EQ(Form->LL_Check_Update->Caption(), Get_Text(322));
    EXPECT_NE(Form->LL_Check_Update->Caption(), u"No Update Available");
    TestHarness::Click(Form->Btn_Cancel);
  });
  // A link that no program opens says so.
  SetShellOpenFunction([&](const String&) { return false; });
  TestHarness::ExpectMessage(Get_Text(1709) + Update_Link_Options, mtError, mrOk);
  Form->LL_Check_Update->OnLinkClick(Form->LL_Check_Update, Update_Link_Options, sltURL);
  EXPECT_TRUE(TestHarness::Verify());
  SetShellOpenFunction(previous);
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0], Maker_Web_Address + u"/home/download/GetversionSW.asp?nomesw=KP31A08");
  EXPECT_EQ(opened, std::vector<String>{Update_Link_Options});
}

TEST_F(SoftOptionsTest, TextsComeFromTheTextTable) {
  const struct {
    const char* Name;
    String Shown;
    Integer Id;
  } rows[] = {
      {"caption", Form->Caption(), 300},
      {"L_SW_Desc", Form->L_SW_Desc->Caption(), 301},
      {"TS_Language", Form->TS_Language->Caption(), 302},
      {"TS_Con_Options", Form->TS_Con_Options->Caption(), 303},
      {"TS_Soft_Settings", Form->TS_Soft_Settings->Caption(), 319},
      {"L_Sel_Lang", Form->L_Sel_Lang->Caption(), 304},
      {"Btn_Prev", Form->Btn_Prev->Caption(), 307},
      {"Btn_Next", Form->Btn_Next->Caption(), 308},
      {"CB_En_Con", Form->CB_En_Con->Caption(), 309},
      {"CB_Update", Form->CB_Update->Caption(), 310},
      {"Btn_Check_Update", Form->Btn_Check_Update->Caption(), 311},
      {"Btn_OK", Form->Btn_OK->Caption(), 312},
      {"Btn_Cancel", Form->Btn_Cancel->Caption(), 313},
      {"CB_Soft_Set_Jump_Table", Form->CB_Soft_Set_Jump_Table->Caption(), 320},
      {"CB_DoubleClick_Auto_Size", Form->CB_DoubleClick_Auto_Size->Caption(), 321},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(row.Shown, Get_Text(row.Id));
  }
  EXPECT_EQ(Form->L_Page_Lang->Caption(), u"Page 1 / 1");
  EXPECT_EQ(Form->ClientWidth(), 509);
  EXPECT_EQ(Form->ClientHeight(), 373);
}

}  // namespace
