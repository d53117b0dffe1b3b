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

}  // namespace

void TFEnOcean_Variable::Create_Controls() {
  Create_EEP_Block(false);
  CB_Var_Case = Create_List(u"CB_Var_Case", 235, false);
  L_Var_Variable = Create_Label(this, u"L_Var_Variable", Label_Left, 263);
  CB_Var_Variable = Create_List(u"CB_Var_Variable", 263, false);
  L_Var_Position = Create_Label(this, u"L_Var_Position", Label_Left, 291);
  E_Var_Position = new TEdit(this);
  E_Var_Position->SetName(u"E_Var_Position");
  E_Var_Position->SetParent(this);
  E_Var_Position->SetBounds(Input_Left, 291, Input_Width, Edit_Height);
  E_Var_Position->SetTabStop(true);
  E_Var_Position->SetText(u"E_Var_Position");
  L_Var_BitStart = Create_Label(this, u"L_Var_BitStart", Label_Left, 319);
  CB_Var_BitStart = Create_List(u"CB_Var_BitStart", 319, false);
  for (const String& item : BitStart_Items()) CB_Var_BitStart->Items()->Add(item);
  CB_Var_BitStart->SetItemIndex(0);

  Create_OK_Cancel();

  // Tab order: the inputs from top to bottom, then the buttons.
  const std::vector<TWinControl*> order = {CB_EEP_Rorg, CB_EEP_Func,     CB_EEP_Type,    CB_Var_Case,
                                           CB_Var_Variable, E_Var_Position, CB_Var_BitStart};
  for (size_t i = 0; i < order.size(); ++i) order[i]->SetTabOrder(static_cast<Integer>(i));

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  for (TComboBox* list : {CB_EEP_Rorg, CB_EEP_Func, CB_EEP_Type, CB_Var_Case, CB_Var_Variable}) {
    list->OnChange = [this](TObject* Sender) { CB_EEP_Var_Change(Sender); };
  }
}
