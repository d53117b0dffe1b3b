#include "app/USoftOptions.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/VersionCheck.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

TFSoftOptions* FSoftOptions = nullptr;

namespace {

// Attributes a language file may carry; a read-only file, a folder and anything else is left out.
constexpr Integer Listed_Language_Attributes = faHidden | faSysFile | faArchive | faNormal;

String Language_Of_File(const String& FileName) { return Copy(FileName, 1, Length(FileName) - 4); }

// The largest flag picture read: a flag is a small bitmap.
constexpr Int64 Max_Flag_File_Size = 16 * 1024 * 1024;

}  // namespace

void TFSoftOptions::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  TS_Con_Options->SetTabVisible(true);
  Set_Lang();
}

void TFSoftOptions::FormShow(TObject*) {
  Language_In_Use = Language_Name;
  Create_Lang_List();
  Update_CheckBox();
  LL_Check_Update->SetVisible(false);
  PC_Options->SetActivePage(TS_Language);
  // Each box whose state changes runs its click handler, so the enabling follows the new states.
  CB_En_Con->SetChecked(Opt_Enable_Internet);
  CB_Update->SetChecked(Opt_Enable_Update);
  CB_Soft_Set_Jump_Table->SetChecked(Opt_Jump_Field_Tables);
  CB_DoubleClick_Auto_Size->SetChecked(Opt_Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List() {
  SL_Languages->Clear();
  TSearchRec rec;
  if (FindFirst(Path_Join(Path_Language, u"*.lng"), Listed_Language_Attributes, rec) == 0) {
    do {
      if ((rec.Attr & ~Listed_Language_Attributes) == 0) SL_Languages->Add(rec.Name);
    } while (FindNext(rec) == 0);
    FindClose(rec);
  }
  // The built-in English texts are always there to go back to, with or without a file of them.
  bool english = false;
  for (Integer i = 0; i < SL_Languages->Count() && !english; ++i)
    english = Language_Of_File(SL_Languages->Get(i)) == Def_Language_Name;
  if (!english) SL_Languages->Add(Def_Language_Name + u".lng");
  SL_Languages->CustomSort(
      [](TStringList* List, Integer A, Integer B) { return AnsiCompareText(List->Get(A), List->Get(B)); });
  Show_Page = 1;
  Update_Lang_Page(1);
}

Integer TFSoftOptions::Page_Count() const { return (SL_Languages->Count() + Slots_Per_Page - 1) / Slots_Per_Page; }

String TFSoftOptions::Slot_Language(Integer Slot) const {
  const Integer index = (Show_Page - 1) * Slots_Per_Page + Slot - 1;
  if (index < 0 || index >= SL_Languages->Count()) return String();
  return Language_Of_File(SL_Languages->Get(index));
}

void TFSoftOptions::Show_Page_Label(Integer Num_Page) {
  L_Page_Lang->SetCaption(Get_Text(305) + IntToStr(Num_Page) + Get_Text(306) + IntToStr(Page_Count()));
}

void TFSoftOptions::Update_Lang_Page(Integer Num_Page) {
  L_Sel_Lang->SetCaption(Get_Text(304) + Language_In_Use);
  Show_Page_Label(Num_Page);
  Btn_Prev->SetVisible(Num_Page != 1);
  Btn_Next->SetVisible(Num_Page != Page_Count());

  const Integer shown = std::min(SL_Languages->Count() - (Num_Page - 1) * Slots_Per_Page, Slots_Per_Page);
  for (Integer k = 1; k <= Slots_Per_Page; ++k) {
    TImage* image = I_L[k - 1];
    TLabel* label = L_L[k - 1];
    if (k > shown) {
      image->SetVisible(false);
      label->SetVisible(false);
      continue;
    }
    const String name = Language_Of_File(SL_Languages->Get((Num_Page - 1) * Slots_Per_Page + k - 1));
    label->SetCaption(name);
    label->SetVisible(true);
    String flag = Path_Join(Path_Language, name + u".bmp");
    if (FileMissing(flag)) flag = Path_Join(Path_Language, u"DefaultFlag.bmp");
    bool hasFlag = false;
    // A flag that cannot be read (a folder, a pipe or a device at its name, a file far larger than
    // a flag, a damaged picture, too little memory) leaves the slot with its label only, like a
    // missing one.
    if (IsRegularFileUpTo(flag, Max_Flag_File_Size)) {
      try {
        image->Picture()->LoadFromFile(flag);
        hasFlag = true;
      } catch (const std::exception&) {
      }
    }
    image->SetVisible(hasFlag);
  }
}

void TFSoftOptions::Btn_NextClick(TObject* Sender) {
  if (Sender == Btn_Next) {
    if (Page_Count() >= Show_Page + 1) ++Show_Page;
  } else if (Sender == Btn_Prev) {
    if (Show_Page >= 2) --Show_Page;
  }
  Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(TObject* Sender) {
  const auto* control = dynamic_cast<TComponent*>(Sender);
  if (!control) return;
  const String newName = Slot_Language(static_cast<Integer>(control->Tag()));
  if (newName.empty()) return;
  const String question = Get_Text(316) + Language_In_Use + Get_Text(317) + newName + Get_Text(318);
  if (MessageDlg(question, mtConfirmation, mbYesNo) != mrYes) return;

  Language_In_Use = newName;
  // The table is rebuilt in the new language while Language_Name keeps the one the settings hold
  // until OK takes the new one over.
  const String kept = Language_Name;
  Language_Name = newName;
  try {
    Init_Language();
  } catch (...) {
    Language_Name = kept;
    throw;
  }
  Language_Name = kept;
  if (OnChangeLanguage) OnChangeLanguage();
  L_Sel_Lang->SetCaption(Get_Text(304) + Language_In_Use);
  Show_Page_Label(Show_Page);
}

void TFSoftOptions::Update_CheckBox() {
  if (CB_En_Con->Checked()) {
    CB_Update->SetEnabled(true);
  } else {
    CB_Update->SetEnabled(false);
    Btn_Check_Update->SetEnabled(false);
  }
  Btn_Check_Update->SetEnabled(CB_Update->Enabled() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick(TObject*) { Update_CheckBox(); }

bool TFSoftOptions::Check_Version() { return ::Check_Version(Maker_Web_Address); }

void TFSoftOptions::Btn_Check_UpdateClick(TObject*) {
  // Asked for by the user: a check that could not be made says so instead of "No Update Available".
  LL_Check_Update->SetCaption(Check_Update_Result_Text(Check_Version_Result(Maker_Web_Address)));
  LL_Check_Update->SetVisible(true);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(TObject*, const String& Link, TSysLinkType) { Open_Web_Link(Link); }

void TFSoftOptions::Btn_OKClick(TObject*) {
  Language_Name = Language_In_Use;
  Opt_Enable_Internet = CB_En_Con->Checked();
  Opt_Enable_Update = CB_Update->Checked();
  if (OnSetUpdateTimer) OnSetUpdateTimer(Timer_Update_Wanted(Opt_Enable_Internet, Opt_Enable_Update));
  Opt_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
  Opt_Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
  SetModalResult(mrOk);
}

void TFSoftOptions::Set_Lang() {
  SetCaption(Get_Text(300));
  L_SW_Desc->SetCaption(Get_Text(301));
  TS_Language->SetCaption(Get_Text(302));
  TS_Con_Options->SetCaption(Get_Text(303));
  TS_Soft_Settings->SetCaption(Get_Text(319));
  L_Sel_Lang->SetCaption(Get_Text(304));
  L_Page_Lang->SetCaption(Get_Text(305) + u"1" + Get_Text(306) + u"1");
  Btn_Prev->SetCaption(Get_Text(307));
  Btn_Next->SetCaption(Get_Text(308));
  CB_En_Con->SetCaption(Get_Text(309));
  CB_Update->SetCaption(Get_Text(310));
  Btn_Check_Update->SetCaption(Get_Text(311));
  Btn_OK->SetCaption(Get_Text(312));
  Btn_Cancel->SetCaption(Get_Text(313));
  CB_Soft_Set_Jump_Table->SetCaption(Get_Text(320));
  CB_DoubleClick_Auto_Size->SetCaption(Get_Text(321));
}
