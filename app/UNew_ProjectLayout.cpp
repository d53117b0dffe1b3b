// The controls of the New Configuration dialog.
#include "app/UNew_Project.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

TFNew_Project::TFNew_Project(TComponent* AOwner) : TFDialog(AOwner) {
  SetName(u"FNew_Project");
  Label1 = Create_Label(this, u"Label1", 16, 80);

  E_New_Proj = new TEdit(this);
  E_New_Proj->SetName(u"E_New_Proj");
  E_New_Proj->SetParent(this);
  E_New_Proj->SetBounds(16, 96, 299, 21);
  E_New_Proj->SetShowHint(true);
  E_New_Proj->SetTabOrder(0);
  E_New_Proj->OnKeyPress = [this](TObject* Sender, Char& Key) { E_New_ProjKeyPress(Sender, Key); };

  Create_Title_Panel();
  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 87, 6, 110, 28, dgOK);
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 205, 6, 110, 28, dgCancel, mrCancel);

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}
