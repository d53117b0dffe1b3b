// The device dialog's controls: the title panel, the ID and the security fields (labels at left 16,
// inputs at left 160 and 201 wide), the button panel with OK and Cancel.
#include <vector>

#include "components/buttons/FadeButton.h"
#include "enocean/UEnOcean_Device.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace {

constexpr Integer Label_Left = 16;
constexpr Integer Input_Left = 160;
constexpr Integer Input_Width = 201;

}  // namespace

void TFEnOcean_Device::Create_Controls() {
  Create_Title_Panel();

  Create_Device_Fields(this, 72, Label_Left, Input_Left, Input_Width);

  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 16, 6, 110, 28, dgOK);
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 134, 6, 110, 28, dgCancel, mrCancel);
  // As designed, with every field shown; showing the form fits the height to the security type.
  Set_Client_Size(380, 409);

  // Tab order: the fields from top to bottom, then the buttons.
  const std::vector<TWinControl*> order = Device_Field_Order();
  for (size_t i = 0; i < order.size(); ++i) order[i]->SetTabOrder(static_cast<Integer>(i));

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  CB_DevEnOcean_SecType->OnChange = [this](TObject* Sender) { CB_DevEnOcean_SecTypeChange(Sender); };
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
}
