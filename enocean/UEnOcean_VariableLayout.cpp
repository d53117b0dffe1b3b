// The variable dialog's controls: the title panel, the EEP block (RORG, FUNC, TYPE), the variable
// block (case, data field, position, start bit) with labels at left 16 and inputs at left 134 and
// 307 wide, the button panel with OK and Cancel.
#include <vector>

#include "components/buttons/FadeButton.h"
#include "enocean/UEnOcean_Variable.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace {

constexpr Integer Label_Left = 16;
constexpr Integer Input_Left = 134;
constexpr Integer Input_Width = 307;
constexpr Integer Edit_Height = 21;
constexpr Integer List_Height = 22;

// A drop-down list without free text.
TComboBox* Create_List(TFDialog* Form, const String& Name, Integer Top) {
  auto* list = new TComboBox(Form);
  list->SetName(Name);
  list->SetParent(Form);
  list->SetStyle(csDropDownList);
  list->SetBounds(Input_Left, Top, Input_Width, List_Height);
  list->SetTabStop(true);
  return list;
}

}  // namespace

void TFEnOcean_Variable::Create_Controls() {
  Create_Title_Panel();

  L_EEP = Create_Label(this, u"L_EEP", Label_Left, 70);
  L_EEP->Font()->SetStyle(TFontStyles{fsBold});
  L_EEP_RORG = Create_Label(this, u"L_EEP_RORG", Label_Left, 99);
  CB_EEP_Rorg = Create_List(this, u"CB_EEP_Rorg", 99);
  L_EEP_FUNC = Create_Label(this, u"L_EEP_FUNC", Label_Left, 127);
  CB_EEP_Func = Create_List(this, u"CB_EEP_Func", 127);
  L_EEP_TYPE = Create_Label(this, u"L_EEP_TYPE", Label_Left, 155);
  CB_EEP_Type = Create_List(this, u"CB_EEP_Type", 155);

  L_Variable = Create_Label(this, u"L_Variable", Label_Left, 206);
  L_Variable->Font()->SetStyle(TFontStyles{fsBold});
  L_Var_CASE = Create_Label(this, u"L_Var_CASE", Label_Left, 235);
  CB_Var_Case = Create_List(this, u"CB_Var_Case", 235);
  L_Var_Variable = Create_Label(this, u"L_Var_Variable", Label_Left, 263);
  CB_Var_Variable = Create_List(this, u"CB_Var_Variable", 263);
  L_Var_Position = Create_Label(this, u"L_Var_Position", Label_Left, 291);
  E_Var_Position = new TEdit(this);
  E_Var_Position->SetName(u"E_Var_Position");
  E_Var_Position->SetParent(this);
  E_Var_Position->SetBounds(Input_Left, 291, Input_Width, Edit_Height);
  E_Var_Position->SetTabStop(true);
  E_Var_Position->SetText(u"E_Var_Position");
  L_Var_BitStart = Create_Label(this, u"L_Var_BitStart", Label_Left, 319);
  CB_Var_BitStart = Create_List(this, u"CB_Var_BitStart", 319);
  for (const String& item : BitStart_Items()) CB_Var_BitStart->Items()->Add(item);
  CB_Var_BitStart->SetItemIndex(0);

  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 16, 6, 110, 28, dgOK);
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 134, 6, 110, 28, dgCancel, mrCancel);

  // Tab order: the inputs from top to bottom, then the buttons.
  const std::vector<TWinControl*> order = {CB_EEP_Rorg, CB_EEP_Func,     CB_EEP_Type,    CB_Var_Case,
                                           CB_Var_Variable, E_Var_Position, CB_Var_BitStart};
  for (size_t i = 0; i < order.size(); ++i) order[i]->SetTabOrder(static_cast<Integer>(i));

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  for (TComboBox* list : {CB_EEP_Rorg, CB_EEP_Func, CB_EEP_Type, CB_Var_Case, CB_Var_Variable}) {
    list->OnChange = [this](TObject* Sender) { CB_EEP_Var_Change(Sender); };
  }
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
}
