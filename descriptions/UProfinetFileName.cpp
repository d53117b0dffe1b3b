#include "descriptions/UProfinetFileName.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "descriptions/GSDMLFileName.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/SysUtils.h"

TFProfinetFileName* FProfinetFileName = nullptr;

void TFProfinetFileName::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(540, 205);
  L_XML_Fix1->SetCaption(GSDML_Fix1());
  Word year = 0, month = 0, day = 0;
  DecodeDate(Date(), year, month, day);
  L_XML_Fix2->SetCaption(GSDML_Fix2(year, month, day));
  Set_Lang();
}

void TFProfinetFileName::Btn_OKClick(TObject*) {
  const String user = E_XML_User->Text();
  if (const Integer refusal = Check_GSDML_User_Part(user)) {
    MessageDlg(Get_Text(refusal), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  Name_File_XML = Compose_GSDML_File_Name(L_XML_Fix1->Caption(), user, L_XML_Fix2->Caption());
  SetModalResult(mrOk);
}

void TFProfinetFileName::Set_Lang() {
  SetCaption(Get_Text(1800));
  L_SW_Desc->SetCaption(Get_Text(1801));
  Btn_OK->SetCaption(Get_Text(1802));
  Btn_Cancel->SetCaption(Get_Text(1803));
  Label1->SetCaption(Get_Text(1804));
  Label2->SetCaption(Get_Text(1805));
  Label4->SetCaption(Get_Text(1806));
  Label5->SetCaption(Get_Text(1807));
  E_XML_User->SetHint(Get_Text(1808));
  Btn_OK->SetHint(Get_Text(1809));
  Btn_Cancel->SetHint(Get_Text(1810));
}
