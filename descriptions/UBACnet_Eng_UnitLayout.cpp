// The controls of the engineering-unit picker: the selected unit at the top, the category and unit
// lists with the select button below it, the OK and Cancel buttons at the bottom.
#include "components/buttons/FadeButton.h"
#include "descriptions/UBACnet_Eng_Unit.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace {

// A separator line across the dialog.
TShape* New_Separator(TFDialog* Form, const String& Name, Integer Top) {
  auto* shape = new TShape(Form);
  shape->SetName(Name);
  shape->SetParent(Form);
  shape->SetBounds(16, Top, 516, 1);
  shape->Pen()->SetColor(clSilver);
  return shape;
}

TComboBox* New_List(TFDialog* Form, const String& Name, Integer Left, Integer Top, Integer Width,
                    Integer TabOrder) {
  auto* combo = new TComboBox(Form);
  combo->SetName(Name);
  combo->SetParent(Form);
  combo->SetStyle(csDropDownList);
  combo->SetBounds(Left, Top, Width, 21);
  combo->SetDropDownCount(16);
  combo->SetTabOrder(TabOrder);
  return combo;
}

}  // namespace

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(TComponent* AOwner) : TFDialog(AOwner) {
  SetName(u"FBACnet_Eng_Unit");
  Label1 = Create_Label(this, u"Label1", 16, 78);

  E_Selected_EU = new TEdit(this);
  E_Selected_EU->SetName(u"E_Selected_EU");
  E_Selected_EU->SetParent(this);
  E_Selected_EU->SetBounds(16, 95, 80, 21);
  E_Selected_EU->SetTabOrder(0);

  Label5 = Create_Label(this, u"Label5", 104, 98);
  Shape1 = New_Separator(this, u"Shape1", 126);
  Label2 = Create_Label(this, u"Label2", 16, 134);
  Label3 = Create_Label(this, u"Label3", 16, 155);
  CB_Select_Type = New_List(this, u"CB_Select_Type", 16, 171, 200, 1);
  for (const String& name : FModel.Type_Names()) CB_Select_Type->Items()->Add(name);
  CB_Select_Type->SetItemIndex(FModel.Type_Index());
  CB_Select_Type->OnSelect = [this](TObject* Sender) { CB_Select_TypeSelect(Sender); };
  Label4 = Create_Label(this, u"Label4", 224, 155);
  CB_Select_Unit = New_List(this, u"CB_Select_Unit", 224, 171, 308, 2);

  Btn_Select_Eng_Unit = Create_Dialog_Button(this, u"Btn_Select_Eng_Unit", 16, 204, 200, 28, dgModify);
  Btn_Select_Eng_Unit->SetTabOrder(3);
  Btn_Select_Eng_Unit->OnClick = [this](TObject* Sender) { Btn_Select_Eng_UnitClick(Sender); };
  Shape2 = New_Separator(this, u"Shape2", 244);

  Create_Title_Panel();
  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 304, 6, 110, 28, dgOK, mrOk);
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 422, 6, 110, 28, dgCancel, mrCancel);

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}
