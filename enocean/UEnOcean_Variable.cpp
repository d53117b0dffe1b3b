#include "enocean/UEnOcean_Variable.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "enocean/UEnOcean_Catalog.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"

TFEnOcean_Variable* FEnOcean_Variable = nullptr;

namespace {

constexpr Integer Client_Width = 460;
constexpr Integer Client_Height = 390;

}  // namespace

TFEnOcean_Variable::TFEnOcean_Variable(TComponent* AOwner) : TFEnOcean_Variable_Base(AOwner) { Create_Controls(); }

void TFEnOcean_Variable::FormCreate(TObject* /*Sender*/) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(Client_Width, Client_Height);
  Set_Lang();
  Refill(CB_EEP_Rorg, &EnOcean_Catalog().Rorg_SL);
}

void TFEnOcean_Variable::Set_Lang() {
  SetCaption(Get_Text(1100));
  L_SW_Desc->SetCaption(Get_Text(1103));
  Btn_OK->SetCaption(Get_Text(1106));
  Btn_Cancel->SetCaption(Get_Text(1107));
  Btn_OK->SetHint(Get_Text(1108));
  Btn_Cancel->SetHint(Get_Text(1109));
  L_EEP->SetCaption(Get_Text(1110));
  L_EEP_RORG->SetCaption(Get_Text(1111));
  CB_EEP_Rorg->SetHint(Get_Text(1112));
  L_EEP_FUNC->SetCaption(Get_Text(1113));
  CB_EEP_Func->SetHint(Get_Text(1114));
  L_EEP_TYPE->SetCaption(Get_Text(1115));
  CB_EEP_Type->SetHint(Get_Text(1116));
  L_Variable->SetCaption(Get_Text(1117));
  L_Var_CASE->SetCaption(Get_Text(1118));
  CB_Var_Case->SetHint(Get_Text(1119));
  L_Var_Variable->SetCaption(Get_Text(1120));
  CB_Var_Variable->SetHint(Get_Text(1121));
  L_Var_Position->SetCaption(Get_Text(1122));
  E_Var_Position->SetHint(Get_Text(1123));
  L_Var_BitStart->SetCaption(Get_Text(1124));
  CB_Var_BitStart->SetHint(Get_Text(1125));
}

void TFEnOcean_Variable::Choose(TComboBox* List, Integer Index) {
  List->SetItemIndex(Index);
  CB_EEP_Var_Change(List);
}

void TFEnOcean_Variable::Reset_Position() {
  E_Var_Position->SetText(u"");
  CB_Var_BitStart->SetItemIndex(0);
}

void TFEnOcean_Variable::CB_EEP_Var_Change(TObject* Sender) {
  // The variable list changes nothing below it; every other list empties the position below it.
  const TCatalog_Level level =
      Cascade_Catalog_Lists({CB_EEP_Rorg, CB_EEP_Func, CB_EEP_Type, {CB_Var_Case}, CB_Var_Variable}, Sender);
  if (level != catNone) Reset_Position();
}

void TFEnOcean_Variable::Apply_Prefill(const TVariable_Prefill& Prefill) {
  if (!Prefill.Prefilled) return;  // the lists keep what they showed at the last use
  // Each level is chosen as a user would, so the list below it is filled; a level the catalogue
  // does not hold (-1) leaves the lists below it empty.
  Choose(CB_EEP_Rorg, Prefill.RorgInd);
  Choose(CB_EEP_Func, Prefill.FuncInd);
  Choose(CB_EEP_Type, Prefill.TypeInd);
  if (Ind_Var < 0 || Prefill.TypeInd < 0) return;
  Choose(CB_Var_Case, Prefill.CaseInd);
  if (Prefill.CaseInd < 0) return;
  CB_Var_Variable->SetItemIndex(Prefill.VarInd);
  E_Var_Position->SetText(Prefill.Position);
  CB_Var_BitStart->SetItemIndex(Prefill.BitStart);
}

void TFEnOcean_Variable::ShowData_Uni_Add_Var(Integer Ind_Dev, Integer Ind_EEP, Integer Ind_Var) {
  this->Ind_Dev = Ind_Dev;
  this->Ind_EEP = Ind_EEP;
  this->Ind_Var = Ind_Var;
  if (const TDevice_EnOcean* device = Selected_Device()) {
    Apply_Prefill(ShowData_Uni_Prefill(EnOcean_Catalog(), *device, Ind_EEP, Ind_Var));
  }
}

void TFEnOcean_Variable::ShowData_SAck_Add_Var(Integer Ind_Dev, Integer Ind_EEP, Integer Ind_Var) {
  this->Ind_Dev = Ind_Dev;
  this->Ind_EEP = Ind_EEP;
  this->Ind_Var = Ind_Var;
  if (const TDevice_EnOcean* device = Selected_Device()) {
    Apply_Prefill(ShowData_SAck_Prefill(EnOcean_Catalog(), *device, Ind_EEP, Ind_Var));
  }
}

void TFEnOcean_Variable::FormShow(TObject* /*Sender*/) {
  const bool free_rorg_func = Uni_SAck == 0;
  CB_EEP_Rorg->SetEnabled(free_rorg_func);
  CB_EEP_Func->SetEnabled(free_rorg_func);
  if (!free_rorg_func) {
    // The Smart-ACK list keeps RORG and FUNC at their fixed positions. The prefill has chosen
    // them already; a list that shows another entry is chosen again so the levels below match
    // (a catalogue too short for those positions leaves the lists empty).
    if (CB_EEP_Rorg->ItemIndex() != SAck_Rorg_Position) Choose(CB_EEP_Rorg, SAck_Rorg_Position);
    if (CB_EEP_Func->ItemIndex() != SAck_Func_Position) Choose(CB_EEP_Func, SAck_Func_Position);
  }

  CB_EEP_Type->SetEnabled(true);
  CB_Var_Case->SetEnabled(true);
  CB_Var_Variable->SetEnabled(true);
  E_Var_Position->SetEnabled(true);
  CB_Var_BitStart->SetEnabled(true);

  if (Mode == 0) {
    SetCaption(Get_Text(1100));
    L_SW_Desc->SetCaption(Get_Text(1103));
  } else if (Modify_EEP_Var == 1) {
    SetCaption(Get_Text(1102));
    L_SW_Desc->SetCaption(Get_Text(1105));
    CB_EEP_Rorg->SetEnabled(false);
    CB_EEP_Func->SetEnabled(false);
    CB_EEP_Type->SetEnabled(false);
  } else {
    // Only the EEP changes: the variable's fields are emptied and take no part.
    SetCaption(Get_Text(1101));
    L_SW_Desc->SetCaption(Get_Text(1104));
    Refill(CB_Var_Case, nullptr);
    Refill(CB_Var_Variable, nullptr);
    E_Var_Position->SetText(u"");
    CB_Var_BitStart->SetItemIndex(0);
    CB_Var_Case->SetEnabled(false);
    CB_Var_Variable->SetEnabled(false);
    E_Var_Position->SetEnabled(false);
    CB_Var_BitStart->SetEnabled(false);
  }
}

TVariable_Choice TFEnOcean_Variable::Variable_Choice() const {
  TVariable_Choice choice;
  choice.Uni_SAck = Uni_SAck;
  choice.Mode = Mode;
  choice.Modify_EEP_Var = Modify_EEP_Var;
  choice.Ind_EEP = Ind_EEP;
  choice.Ind_Var = Ind_Var;
  choice.RorgInd = CB_EEP_Rorg->ItemIndex();
  choice.FuncInd = CB_EEP_Func->ItemIndex();
  choice.TypeInd = CB_EEP_Type->ItemIndex();
  choice.CaseInd = CB_Var_Case->ItemIndex();
  choice.VarInd = CB_Var_Variable->ItemIndex();
  choice.Position = E_Var_Position->Text();
  choice.BitStart = CB_Var_BitStart->ItemIndex();
  return choice;
}

bool TFEnOcean_Variable::ISNewEEP(Integer& Index) const { return Is_New_EEP(Variable_Choice(), Index); }

bool TFEnOcean_Variable::Check_Var(Integer Index) const { return Has_Var(Variable_Choice(), Index); }

TVariable_Check TFEnOcean_Variable::Check_Choice(const TDevice_EnOcean& Device) const {
  return Check_Variable_Data(EnOcean_Catalog(), Device, Variable_Choice());
}
