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
// The editor's message when no device is selected.
constexpr Integer Text_Select_Device = 1231;

// The catalogue of the program state; an empty one while none is loaded.
const TCatalog_EnOcean& Catalog() {
  static const TCatalog_EnOcean empty;
  return Catalog_EnOcean ? *Catalog_EnOcean : empty;
}

// Replaces a list's items and leaves it without a selection.
void Refill(TComboBox* List, const std::vector<String>* Items) {
  List->Items()->Clear();
  if (Items) {
    for (const String& item : *Items) List->Items()->Add(item);
  }
  List->SetItemIndex(-1);
}

}  // namespace

TFEnOcean_Variable::TFEnOcean_Variable(TComponent* AOwner) : TFDialog(AOwner) { Create_Controls(); }

void TFEnOcean_Variable::FormCreate(TObject* /*Sender*/) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(Client_Width, Client_Height);
  Set_Lang();
  Refill(CB_EEP_Rorg, &Catalog().Rorg_SL);
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

const TDevice_EnOcean* TFEnOcean_Variable::Selected_Device() const {
  if (!DevList || Ind_Dev < 0 || Ind_Dev >= static_cast<Integer>(DevList->size())) return nullptr;
  return (*DevList)[Ind_Dev].get();
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
  const TCatalog_EnOcean& cat = Catalog();
  const Integer r = CB_EEP_Rorg->ItemIndex();
  const Integer f = CB_EEP_Func->ItemIndex();
  const Integer t = CB_EEP_Type->ItemIndex();
  const Integer c = CB_Var_Case->ItemIndex();
  // A list without a selection (or a position the catalogue lacks) leaves the level below empty.
  if (Sender == CB_EEP_Rorg) {
    const TRorg* rorg = cat.Get_Rorg(r);
    Refill(CB_EEP_Func, rorg ? &rorg->Func_SL : nullptr);
    Refill(CB_EEP_Type, nullptr);
    Refill(CB_Var_Case, nullptr);
    Refill(CB_Var_Variable, nullptr);
    Reset_Position();
  } else if (Sender == CB_EEP_Func) {
    const TFunc* func = cat.Get_Func(r, f);
    Refill(CB_EEP_Type, func ? &func->Type_SL : nullptr);
    Refill(CB_Var_Case, nullptr);
    Refill(CB_Var_Variable, nullptr);
    Reset_Position();
  } else if (Sender == CB_EEP_Type) {
    const TType* type = cat.Get_Type(r, f, t);
    Refill(CB_Var_Case, type ? &type->Case_SL : nullptr);
    Refill(CB_Var_Variable, nullptr);
    Reset_Position();
  } else if (Sender == CB_Var_Case) {
    const TCase* case_ = cat.Get_Case(r, f, t, c);
    Refill(CB_Var_Variable, case_ ? &case_->DataField_SL : nullptr);
    Reset_Position();
  }
  // The variable list changes nothing below it.
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
    Apply_Prefill(ShowData_Uni_Prefill(Catalog(), *device, Ind_EEP, Ind_Var));
  }
}

void TFEnOcean_Variable::ShowData_SAck_Add_Var(Integer Ind_Dev, Integer Ind_EEP, Integer Ind_Var) {
  this->Ind_Dev = Ind_Dev;
  this->Ind_EEP = Ind_EEP;
  this->Ind_Var = Ind_Var;
  if (const TDevice_EnOcean* device = Selected_Device()) {
    Apply_Prefill(ShowData_SAck_Prefill(Catalog(), *device, Ind_EEP, Ind_Var));
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

bool TFEnOcean_Variable::ISNewEEP(Integer& Index) const {
  Index = -1;
  const TDevice_EnOcean* device = Selected_Device();
  return !device || ::ISNewEEP(Catalog(), *device, Variable_Choice(), Index);
}

bool TFEnOcean_Variable::Check_Var(Integer Index) const {
  const TDevice_EnOcean* device = Selected_Device();
  return device && ::Check_Var(Catalog(), *device, Variable_Choice(), Index);
}

bool TFEnOcean_Variable::Check_Data() {
  EEP_Index = -1;
  const TDevice_EnOcean* device = Selected_Device();
  if (!device) {
    MessageDlg(Get_Text(Text_Select_Device), mtError, {mbOK});
    return false;
  }
  const TVariable_Check check = Check_Variable_Data(Catalog(), *device, Variable_Choice());
  EEP_Index = check.EEP_Index;
  if (check.OK()) return true;
  MessageDlg(Get_Text(check.TextId) + check.Value, mtError, {mbOK});
  return false;
}

void TFEnOcean_Variable::Btn_OKClick(TObject* /*Sender*/) {
  if (Check_Data()) SetModalResult(mrOk);
}
