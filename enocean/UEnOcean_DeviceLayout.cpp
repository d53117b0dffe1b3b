// The device dialog's controls: the title panel, the ID and the security fields (labels at left 16,
// inputs at left 160 and 201 wide), the button panel with OK and Cancel.
#include <vector>

#include "components/buttons/FadeButton.h"
#include "enocean/EnOceanNetwork.h"
#include "enocean/UEnOcean_Device.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace {

constexpr Integer Label_Left = 16;
constexpr Integer Input_Left = 160;
constexpr Integer Input_Width = 201;
constexpr Integer Edit_Height = 21;
constexpr Integer List_Height = 22;
// The key and the rolling code are free text of at most this many characters.
constexpr Integer Secure_Text_Max = 16;

TEdit* Create_Edit(TFDialog* Form, const String& Name, Integer Top, Integer MaxLength) {
  auto* edit = new TEdit(Form);
  edit->SetName(Name);
  edit->SetParent(Form);
  edit->SetBounds(Input_Left, Top, Input_Width, Edit_Height);
  edit->SetMaxLength(MaxLength);
  edit->SetText(u"");
  edit->SetTabStop(true);
  return edit;
}

// A drop-down list without free text, filled with its fixed items, item 0 selected.
TComboBox* Create_List(TFDialog* Form, const String& Name, Integer Top, const std::vector<String>& Items) {
  auto* list = new TComboBox(Form);
  list->SetName(Name);
  list->SetParent(Form);
  list->SetStyle(csDropDownList);
  list->SetBounds(Input_Left, Top, Input_Width, List_Height);
  for (const String& item : Items) list->Items()->Add(item);
  list->SetItemIndex(0);
  list->SetTabStop(true);
  return list;
}

}  // namespace

void TFEnOcean_Device::Create_Controls() {
  Create_Title_Panel();

  L_DevEnOcean_ID = Create_Label(this, u"L_DevEnOcean_ID", Label_Left, 72);
  E_DevEnOcean_ID = Create_Edit(this, u"E_DevEnOcean_ID", 72, 0);
  L_DevEnOcean_SecType = Create_Label(this, u"L_DevEnOcean_SecType", Label_Left, 112);
  CB_DevEnOcean_SecType = Create_List(this, u"CB_DevEnOcean_SecType", 112, Secure_Type_Items());
  L_DevEnOcean_Secure_Key = Create_Label(this, u"L_DevEnOcean_Secure_Key", Label_Left, 144);
  E_DevEnOcean_Secure_Key = Create_Edit(this, u"E_DevEnOcean_Secure_Key", 144, Secure_Text_Max);
  L_DevEnOcean_Secure_RollCode = Create_Label(this, u"L_DevEnOcean_Secure_RollCode", Label_Left, 176);
  E_DevEnOcean_Secure_RollCode = Create_Edit(this, u"E_DevEnOcean_Secure_RollCode", 176, Secure_Text_Max);
  L_DevEnOcean_Secure_RollCodeAlg = Create_Label(this, u"L_DevEnOcean_Secure_RollCodeAlg", Label_Left, 208);
  CB_DevEnOcean_Secure_RollCodeAlg =
      Create_List(this, u"CB_DevEnOcean_Secure_RollCodeAlg", 208, RollCodeAlg_Items());
  L_DevEnOcean_Secure_RollCodeTx = Create_Label(this, u"L_DevEnOcean_Secure_RollCodeTx", Label_Left, 240);
  CB_DevEnOcean_Secure_RollCodeTx = Create_List(this, u"CB_DevEnOcean_Secure_RollCodeTx", 240, RollCodeTx_Items());
  L_DevEnOcean_Secure_CMACAlg = Create_Label(this, u"L_DevEnOcean_Secure_CMACAlg", Label_Left, 272);
  CB_DevEnOcean_Secure_CMACAlg = Create_List(this, u"CB_DevEnOcean_Secure_CMACAlg", 272, CMACAlg_Items());
  L_DevEnOcean_Secure_DataEnc = Create_Label(this, u"L_DevEnOcean_Secure_DataEnc", Label_Left, 304);
  CB_DevEnOcean_Secure_DataEnc = Create_List(this, u"CB_DevEnOcean_Secure_DataEnc", 304, DataCript_Items());
  L_DevEnOcean_Secure_PTM = Create_Label(this, u"L_DevEnOcean_Secure_PTM", Label_Left, 336);
  CB_DevEnOcean_Secure_PTM = Create_List(this, u"CB_DevEnOcean_Secure_PTM", 336, PTM_Items());

  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 16, 6, 110, 28, dgOK);
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 134, 6, 110, 28, dgCancel, mrCancel);
  // As designed, with every field shown; showing the form fits the height to the security type.
  Set_Client_Size(380, 409);

  // Tab order: the fields from top to bottom, then the buttons.
  const std::vector<TWinControl*> order = {
      E_DevEnOcean_ID,          CB_DevEnOcean_SecType,           E_DevEnOcean_Secure_Key,
      E_DevEnOcean_Secure_RollCode, CB_DevEnOcean_Secure_RollCodeAlg, CB_DevEnOcean_Secure_RollCodeTx,
      CB_DevEnOcean_Secure_CMACAlg, CB_DevEnOcean_Secure_DataEnc,  CB_DevEnOcean_Secure_PTM};
  for (size_t i = 0; i < order.size(); ++i) order[i]->SetTabOrder(static_cast<Integer>(i));

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  CB_DevEnOcean_SecType->OnChange = [this](TObject* Sender) { CB_DevEnOcean_SecTypeChange(Sender); };
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
}
