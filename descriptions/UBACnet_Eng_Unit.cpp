#include "descriptions/UBACnet_Eng_Unit.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/StdCtrls.h"

TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;

void TFBACnet_Eng_Unit::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(548, 306);
  Set_Lang();
}

void TFBACnet_Eng_Unit::FormShow(TObject* Sender) { CB_Select_TypeSelect(Sender); }

void TFBACnet_Eng_Unit::CB_Select_TypeSelect(TObject*) {
  FModel.Select_Type(CB_Select_Type->ItemIndex());
  CB_Select_Unit->Items()->Clear();
  for (const String& name : FModel.Unit_Names()) CB_Select_Unit->Items()->Add(name);
  CB_Select_Unit->SetItemIndex(FModel.Unit_Index());
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick(TObject*) {
  FModel.Select_Unit(CB_Select_Unit->ItemIndex());
  FModel.Select_Eng_Unit();
  E_Selected_EU->SetText(FModel.Selected_EU());
  Label5->SetCaption(FModel.Label5());
}

void TFBACnet_Eng_Unit::Set_Lang() {
  SetCaption(Get_Text(2000));
  L_SW_Desc->SetCaption(Get_Text(2001));
  Btn_OK->SetCaption(Get_Text(2002));
  Btn_Cancel->SetCaption(Get_Text(2003));
  Label1->SetCaption(Get_Text(2004));
  Label2->SetCaption(Get_Text(2005));
  Label3->SetCaption(Get_Text(2006));
  Label4->SetCaption(Get_Text(2007));
  Btn_Select_Eng_Unit->SetCaption(Get_Text(2008));
}
