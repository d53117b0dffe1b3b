#include "enocean/UEnOcean_Device.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"

TFEnOcean_Device* FEnOcean_Device = nullptr;

namespace {

constexpr Integer Client_Width = 380;
// The client area ends this far below the last field shown (the button panel lies in it).
constexpr Integer Bottom_Margin = 51;

}  // namespace

TFEnOcean_Device::TFEnOcean_Device(TComponent* AOwner) : TFDialog(AOwner) { Create_Controls(); }

void TFEnOcean_Device::FormCreate(TObject* /*Sender*/) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(Client_Width);
  Set_Lang();
}

void TFEnOcean_Device::Set_Lang() {
  SetCaption(Get_Text(1000));
  L_SW_Desc->SetCaption(Get_Text(1002));
  Btn_OK->SetCaption(Get_Text(1004));
  Btn_Cancel->SetCaption(Get_Text(1005));
  Btn_OK->SetHint(Get_Text(1006));
  Btn_Cancel->SetHint(Get_Text(1007));
  L_DevEnOcean_ID->SetCaption(Get_Text(1008));
  E_DevEnOcean_ID->SetHint(Get_Text(1009));
  L_DevEnOcean_SecType->SetCaption(Get_Text(1010));
  CB_DevEnOcean_SecType->SetHint(Get_Text(1011));
  L_DevEnOcean_Secure_Key->SetCaption(Get_Text(1012));
  E_DevEnOcean_Secure_Key->SetHint(Get_Text(1013));
  L_DevEnOcean_Secure_RollCode->SetCaption(Get_Text(1014));
  E_DevEnOcean_Secure_RollCode->SetHint(Get_Text(1015));
  L_DevEnOcean_Secure_RollCodeAlg->SetCaption(Get_Text(1016));
  CB_DevEnOcean_Secure_RollCodeAlg->SetHint(Get_Text(1017));
  L_DevEnOcean_Secure_RollCodeTx->SetCaption(Get_Text(1018));
  CB_DevEnOcean_Secure_RollCodeTx->SetHint(Get_Text(1019));
  L_DevEnOcean_Secure_CMACAlg->SetCaption(Get_Text(1020));
  CB_DevEnOcean_Secure_CMACAlg->SetHint(Get_Text(1021));
  L_DevEnOcean_Secure_DataEnc->SetCaption(Get_Text(1022));
  CB_DevEnOcean_Secure_DataEnc->SetHint(Get_Text(1023));
  L_DevEnOcean_Secure_PTM->SetCaption(Get_Text(1024));
  CB_DevEnOcean_Secure_PTM->SetHint(Get_Text(1025));
}

void TFEnOcean_Device::FormShow(TObject* /*Sender*/) {
  Change_Form_Size();
  if (E_DevEnOcean_ID->CanFocus()) E_DevEnOcean_ID->SetFocus();
}

void TFEnOcean_Device::CB_DevEnOcean_SecTypeChange(TObject* /*Sender*/) { Change_Form_Size(); }

void TFEnOcean_Device::Change_Form_Size() {
  if (Mode == 0) {
    SetCaption(Get_Text(1000));
    L_SW_Desc->SetCaption(Get_Text(1002));
  } else {
    SetCaption(Get_Text(1001));
    L_SW_Desc->SetCaption(Get_Text(1003));
  }

  // The seven security pairs in their order on the form; a security type shows the first ones.
  struct TPair {
    TLabel* Label;
    TWinControl* Input;
  };
  const TPair pairs[] = {
      {L_DevEnOcean_Secure_Key, E_DevEnOcean_Secure_Key},
      {L_DevEnOcean_Secure_RollCode, E_DevEnOcean_Secure_RollCode},
      {L_DevEnOcean_Secure_RollCodeAlg, CB_DevEnOcean_Secure_RollCodeAlg},
      {L_DevEnOcean_Secure_RollCodeTx, CB_DevEnOcean_Secure_RollCodeTx},
      {L_DevEnOcean_Secure_CMACAlg, CB_DevEnOcean_Secure_CMACAlg},
      {L_DevEnOcean_Secure_DataEnc, CB_DevEnOcean_Secure_DataEnc},
      {L_DevEnOcean_Secure_PTM, CB_DevEnOcean_Secure_PTM},
  };
  const Integer shown = Secure_Pairs_Shown(CB_DevEnOcean_SecType->ItemIndex());
  if (shown < 0) return;  // no type selected: the form stays as it is
  // Hidden fields keep their text: the editor reads every field whatever the type.
  for (Integer i = 0; i < 7; ++i) {
    pairs[i].Label->SetVisible(i < shown);
    pairs[i].Input->SetVisible(i < shown);
  }
  const TWinControl* last = shown == 0 ? static_cast<TWinControl*>(CB_DevEnOcean_SecType) : pairs[shown - 1].Input;
  SetClientHeight(last->Top() + last->Height() + Bottom_Margin);
}

TDevice_Data TFEnOcean_Device::Device_Data() const {
  TDevice_Data data;
  data.Id = E_DevEnOcean_ID->Text();
  data.Secure_Type = CB_DevEnOcean_SecType->ItemIndex();
  data.Key = E_DevEnOcean_Secure_Key->Text();
  data.RollCode = E_DevEnOcean_Secure_RollCode->Text();
  data.RollCodeAlg = CB_DevEnOcean_Secure_RollCodeAlg->ItemIndex();
  data.RollCodeTx = CB_DevEnOcean_Secure_RollCodeTx->ItemIndex();
  data.CMACAlg = CB_DevEnOcean_Secure_CMACAlg->ItemIndex();
  data.DataCript = CB_DevEnOcean_Secure_DataEnc->ItemIndex();
  data.PTM = CB_DevEnOcean_Secure_PTM->ItemIndex();
  return data;
}

void TFEnOcean_Device::Show_Device_Data(const TDevice_Data& Data) {
  E_DevEnOcean_ID->SetText(Data.Id);
  CB_DevEnOcean_SecType->SetItemIndex(Data.Secure_Type);
  E_DevEnOcean_Secure_Key->SetText(Data.Key);
  E_DevEnOcean_Secure_RollCode->SetText(Data.RollCode);
  CB_DevEnOcean_Secure_RollCodeAlg->SetItemIndex(Data.RollCodeAlg);
  CB_DevEnOcean_Secure_RollCodeTx->SetItemIndex(Data.RollCodeTx);
  CB_DevEnOcean_Secure_CMACAlg->SetItemIndex(Data.CMACAlg);
  CB_DevEnOcean_Secure_DataEnc->SetItemIndex(Data.DataCript);
  CB_DevEnOcean_Secure_PTM->SetItemIndex(Data.PTM);
}

bool TFEnOcean_Device::Check_Data_Device() {
  const TDevice_Check check = Check_Device_Data(Device_Data());
  if (check.OK()) return true;
  MessageDlg(Get_Text(check.TextId) + check.Value, mtError, {mbOK});
  return false;
}

void TFEnOcean_Device::Btn_OKClick(TObject* /*Sender*/) {
  if (Check_Data_Device()) SetModalResult(mrOk);
}
