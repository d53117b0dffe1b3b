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

TFEnOcean_Device::TFEnOcean_Device(TComponent* AOwner) : TFEnOcean_Device_Fields(AOwner) { Create_Controls(); }

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
  Set_Device_Field_Texts(1008);
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

  // Hidden fields keep their text: the editor reads every field whatever the type.
  const TWinControl* last = Show_Secure_Pairs().Input;
  if (!last) return;  // no type selected: the form stays as it is
  SetClientHeight(last->Top() + last->Height() + Bottom_Margin);
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
