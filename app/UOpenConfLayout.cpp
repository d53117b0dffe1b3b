// The controls of the Open Configuration dialog.
#include "app/UOpenConf.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"

TFOpenConf::TFOpenConf(TComponent* AOwner) : TFDialog(AOwner), SL(std::make_unique<TStringList>()) {
  SetName(u"FOpenConf");
  // The list grows with the window.
  SetBorderStyle(bsSizeable);
  Set_Client_Size(377, 351);

  Label1 = Create_Label(this, u"Label1", 16, 76);

  ListBox1 = new TListBox(this);
  ListBox1->SetName(u"ListBox1");
  ListBox1->SetParent(this);
  ListBox1->SetBounds(16, 92, 345, 211);
  ListBox1->SetAnchors(akLeft | akTop | akRight | akBottom);
  ListBox1->SetShowHint(true);
  ListBox1->SetTabOrder(0);
  ListBox1->OnClick = [this](TObject* Sender) { ListBox1Click(Sender); };
  ListBox1->OnDblClick = [this](TObject* Sender) { ListBox1DblClick(Sender); };

  Create_Title_Panel();
  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 133, 6, 110, 28, dgOK, mrOk);
  Btn_OK->SetAnchors(akTop | akRight);
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 251, 6, 110, 28, dgCancel, mrCancel);
  Btn_Cancel->SetAnchors(akTop | akRight);

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFOpenConf::~TFOpenConf() = default;
