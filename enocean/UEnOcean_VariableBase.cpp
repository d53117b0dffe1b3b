#include "enocean/UEnOcean_VariableBase.h"

#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace {

// The editor's message when no device is selected.
constexpr Integer Text_Select_Device = 1231;

constexpr Integer Label_Left = 16;
constexpr Integer Input_Left = 134;
constexpr Integer Input_Width = 307;
constexpr Integer List_Height = 22;

}  // namespace

TFEnOcean_Variable_Base::TFEnOcean_Variable_Base(TComponent* AOwner) : TFDialog(AOwner) {}

const TDevice_EnOcean* TFEnOcean_Variable_Base::Selected_Device() const {
  if (!DevList || Ind_Dev < 0 || Ind_Dev >= static_cast<Integer>(DevList->size())) return nullptr;
  return (*DevList)[Ind_Dev].get();
}

bool TFEnOcean_Variable_Base::Check_Data() {
  EEP_Index = -1;
  const TDevice_EnOcean* device = Selected_Device();
  if (!device) {
    MessageDlg(Get_Text(Text_Select_Device), mtError, {mbOK});
    return false;
  }
  const TVariable_Check check = Check_Choice(*device);
  EEP_Index = check.EEP_Index;
  if (check.OK()) return true;
  MessageDlg(Get_Text(check.TextId) + check.Value, mtError, {mbOK});
  return false;
}

void TFEnOcean_Variable_Base::Btn_OKClick(TObject* /*Sender*/) {
  if (Check_Data()) SetModalResult(mrOk);
}

TComboBox* TFEnOcean_Variable_Base::Create_List(const String& Name, Integer Top, bool Stretch) {
  auto* list = new TComboBox(this);
  list->SetName(Name);
  list->SetParent(this);
  list->SetStyle(csDropDownList);
  list->SetBounds(Input_Left, Top, Input_Width, List_Height);
  if (Stretch) list->SetAnchors(akLeft | akTop | akRight);
  list->SetTabStop(true);
  return list;
}

void TFEnOcean_Variable_Base::Create_EEP_Block(bool Stretch) {
  Create_Title_Panel();
  L_EEP = Create_Label(this, u"L_EEP", Label_Left, 70);
  L_EEP->Font()->SetStyle(TFontStyles{fsBold});
  L_EEP_RORG = Create_Label(this, u"L_EEP_RORG", Label_Left, 99);
  CB_EEP_Rorg = Create_List(u"CB_EEP_Rorg", 99, Stretch);
  L_EEP_FUNC = Create_Label(this, u"L_EEP_FUNC", Label_Left, 127);
  CB_EEP_Func = Create_List(u"CB_EEP_Func", 127, Stretch);
  L_EEP_TYPE = Create_Label(this, u"L_EEP_TYPE", Label_Left, 155);
  CB_EEP_Type = Create_List(u"CB_EEP_Type", 155, Stretch);
  L_Variable = Create_Label(this, u"L_Variable", Label_Left, 206);
  L_Variable->Font()->SetStyle(TFontStyles{fsBold});
  L_Var_CASE = Create_Label(this, u"L_Var_CASE", Label_Left, 235);
}

void TFEnOcean_Variable_Base::Create_OK_Cancel() {
  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 16, 6, 110, 28, dgOK);
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 134, 6, 110, 28, dgCancel, mrCancel);
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
}
