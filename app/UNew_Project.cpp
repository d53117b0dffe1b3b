#include "app/UNew_Project.h"

#include "app/ConfigurationFolder.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"

TFNew_Project* FNew_Project = nullptr;

void TFNew_Project::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(331, 162);
  Set_Lang();
}

void TFNew_Project::FormShow(TObject*) {
  E_New_Proj->Clear();
  if (E_New_Proj->CanFocus()) E_New_Proj->SetFocus();
}

void TFNew_Project::E_New_ProjKeyPress(TObject* Sender, Char& Key) {
  if (Key == 13) Btn_OKClick(Sender);
}

void TFNew_Project::Btn_OKClick(TObject*) {
  // The name is taken exactly as typed; names that cannot be one folder of PROJECTS are refused.
  const String name = E_New_Proj->Text();
  String path;
  if (const Integer failed = Create_Conf_Folder(Path_Projects, name, path)) {
    MessageDlg(Get_Text(failed), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  Conf_Name = name;
  Path_Conf = path;
  Set_Files();
  SetModalResult(mrOk);
}

void TFNew_Project::Set_Lang() {
  SetCaption(Get_Text(100));
  L_SW_Desc->SetCaption(Get_Text(101));
  Label1->SetCaption(Get_Text(102));
  Btn_OK->SetCaption(Get_Text(103));
  Btn_Cancel->SetCaption(Get_Text(104));
  E_New_Proj->SetHint(Get_Text(108));
  Btn_OK->SetHint(Get_Text(109));
  Btn_Cancel->SetHint(Get_Text(110));
}
