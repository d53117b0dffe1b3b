// The controls of the GSDML file-name dialog. The three parts of the name stand side by side in
// the order they form it.
#include "components/buttons/FadeButton.h"
#include "descriptions/UProfinetFileName.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

TFProfinetFileName::TFProfinetFileName(TComponent* AOwner) : TFDialog(AOwner) {
  SetName(u"FProfinetFileName");
  Label1 = Create_Label(this, u"Label1", 16, 80);
  Label2 = Create_Label(this, u"Label2", 16, 104);
  L_XML_Fix1 = Create_Label(this, u"L_XML_Fix1", 16, 125);
  Label4 = Create_Label(this, u"Label4", 214, 104);

  E_XML_User = new TEdit(this);
  E_XML_User->SetName(u"E_XML_User");
  E_XML_User->SetParent(this);
  E_XML_User->SetBounds(214, 121, 180, 21);
  E_XML_User->SetShowHint(true);
  E_XML_User->SetTabOrder(0);

  Label5 = Create_Label(this, u"Label5", 402, 104);
  L_XML_Fix2 = Create_Label(this, u"L_XML_Fix2", 402, 125);

  Create_Title_Panel();
  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 296, 6, 110, 28, dgOK);
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 414, 6, 110, 28, dgCancel, mrCancel);

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}
