#include "enocean/VariableChoice.h"

#include "enocean/UEnOcean_Catalog.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool In_Range(Integer Index, size_t Count) { return Index >= 0 && static_cast<size_t>(Index) < Count; }

Integer Device_EEP_Count(const TDevice_EnOcean& Device) {
  return static_cast<Integer>(Device.UnidirectionalList.size() + Device.SmartACKList.size());
}

// The variable at the editor's selection, or nullptr.
TVarEnOcean* Selected_Variable(TDevice_EnOcean& Device, Integer Uni_SAck, Integer Ind_EEP, Integer Ind_Var) {
  TRorFunTyp_List& list = Device_EEP_List(Device, Uni_SAck);
  if (!In_Range(Ind_EEP, list.size())) return nullptr;
  auto& vars = list[Ind_EEP]->VariableList;
  return In_Range(Ind_Var, vars.size()) ? vars[Ind_Var].get() : nullptr;
}

// Fills the case, variable, position and start bit of a prefill from variable Ind_Var of EEP.
void Prefill_Variable(const TCatalog_EnOcean& Catalog, const TRorFunTyp& EEP, Integer Ind_Var,
                      TVariable_Prefill& Prefill) {
  if (!In_Range(Ind_Var, EEP.VariableList.size())) return;
  const TVarEnOcean& var = *EEP.VariableList[Ind_Var];
  if (!Catalog.Get_Case(Prefill.RorgInd, Prefill.FuncInd, Prefill.TypeInd, var.FCaseIndex)) return;
  Prefill.CaseInd = var.FCaseIndex;
  Prefill.VarInd = Catalog.Get_DataField_Index(EEP.FRorgNum, EEP.FFuncNum, EEP.FTypeNum, var.FCaseIndex, var.FData);
  Prefill.Position = IntToStr(var.FPosition);
  Prefill.BitStart = var.FBitStart;
}

}  // namespace

bool Modifies_EEP_Only(const TVariable_Choice& Choice) { return Choice.Mode == 1 && Choice.Modify_EEP_Var == 0; }

bool ISNewEEP(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device, const TVariable_Choice& Choice,
              Integer& Index) {
  Index = -1;
  const TType* type = Catalog.Get_Type(Choice.RorgInd, Choice.FuncInd, Choice.TypeInd);
  if (!type) return true;
  const Integer rorg = Catalog.Get_Rorg(Choice.RorgInd)->FNumber;
  const Integer func = Catalog.Get_Func(Choice.RorgInd, Choice.FuncInd)->FNumber;
  const TRorFunTyp_List& list = Device_EEP_List(Device, Choice.Uni_SAck);
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i]->FRorgNum == rorg && list[i]->FFuncNum == func && list[i]->FTypeNum == type->FNumber) {
      Index = static_cast<Integer>(i);
      return false;
    }
  }
  return true;
}

bool Check_Var(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device, const TVariable_Choice& Choice,
               Integer Index) {
  const TDataField* field =
      Catalog.Get_DataField(Choice.RorgInd, Choice.FuncInd, Choice.TypeInd, Choice.CaseInd, Choice.VarInd);
  const TRorFunTyp_List& list = Device_EEP_List(Device, Choice.Uni_SAck);
  if (!field || !In_Range(Index, list.size())) return false;
  // A modified variable is left out, so keeping its case and field is no duplicate.
  const bool modifies_variable = Choice.Mode == 1 && Choice.Modify_EEP_Var == 1;
  const auto& vars = list[Index]->VariableList;
  for (size_t i = 0; i < vars.size(); ++i) {
    if (modifies_variable && static_cast<Integer>(i) == Choice.Ind_Var) continue;
    if (vars[i]->FCaseIndex == Choice.CaseInd && vars[i]->FData == field->FData) return true;
  }
  return false;
}

Integer Variable_Position_Value(const String& Position) { return StrToIntDef(Position, -1); }

TVariable_Check Check_Variable_Data(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device,
                                    const TVariable_Choice& Choice) {
  TVariable_Check result;
  if (!Catalog.Get_Rorg(Choice.RorgInd)) {
    result.TextId = Text_Select_Rorg;
    return result;
  }
  if (!Catalog.Get_Func(Choice.RorgInd, Choice.FuncInd)) {
    result.TextId = Text_Select_Func;
    return result;
  }
  const TType* type = Catalog.Get_Type(Choice.RorgInd, Choice.FuncInd, Choice.TypeInd);
  if (!type) {
    result.TextId = Text_Select_Type;
    return result;
  }
  const bool eep_only = Modifies_EEP_Only(Choice);
  const TDataField* field = nullptr;
  if (!eep_only) {
    field = Catalog.Get_DataField(Choice.RorgInd, Choice.FuncInd, Choice.TypeInd, Choice.CaseInd, Choice.VarInd);
    if (!field) {
      result.TextId = Text_Select_Variable;
      return result;
    }
    const Integer position = Variable_Position_Value(Choice.Position);
    if (position < 0 || position > Max_Var_Position) {
      result.TextId = Text_Position_Range;
      result.Value = IntToStr(Max_Var_Position);
      return result;
    }
  }

  // Is the chosen triple already an EEP of the device (in the chosen list)?
  if (ISNewEEP(Catalog, Device, Choice, result.EEP_Index)) {
    // A triple the device does not have yet needs room for one more EEP, also when an EEP is
    // modified into it.
    if (Device_EEP_Count(Device) >= Max_EEP_Per_Device) {
      result.TextId = Text_No_Space_EEP;
      return result;
    }
  } else if (field && Check_Var(Catalog, Device, Choice, result.EEP_Index)) {
    result.TextId = Text_Variable_Twice;
    return result;
  }
  return result;
}

TVariable_Prefill ShowData_Uni_Prefill(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device,
                                       Integer Ind_EEP, Integer Ind_Var) {
  TVariable_Prefill prefill;
  const TRorFunTyp_List& list = Device.UnidirectionalList;
  if (!In_Range(Ind_EEP, list.size())) return prefill;
  const TRorFunTyp& eep = *list[Ind_EEP];
  prefill.Prefilled = true;
  prefill.RorgInd = Catalog.Get_RorgNum_Index(eep.FRorgNum);
  if (prefill.RorgInd < 0) return prefill;
  prefill.FuncInd = Catalog.Get_FuncNum_Index(eep.FRorgNum, eep.FFuncNum);
  if (prefill.FuncInd < 0) return prefill;
  prefill.TypeInd = Catalog.Get_TypeNum_Index(eep.FRorgNum, eep.FFuncNum, eep.FTypeNum);
  if (prefill.TypeInd < 0) return prefill;
  Prefill_Variable(Catalog, eep, Ind_Var, prefill);
  return prefill;
}

TVariable_Prefill ShowData_SAck_Prefill(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device,
                                        Integer Ind_EEP, Integer Ind_Var) {
  TVariable_Prefill prefill;
  const TRorFunTyp_List& list = Device.SmartACKList;
  if (!In_Range(Ind_EEP, list.size())) return prefill;
  const TRorFunTyp& eep = *list[Ind_EEP];
  prefill.Prefilled = true;
  // The fixed positions select nothing in a catalogue that is too short.
  if (Catalog.Get_Rorg(SAck_Rorg_Position)) prefill.RorgInd = SAck_Rorg_Position;
  if (Catalog.Get_Func(SAck_Rorg_Position, SAck_Func_Position)) prefill.FuncInd = SAck_Func_Position;
  if (prefill.RorgInd < 0 || prefill.FuncInd < 0) return prefill;
  if (Catalog.Get_RorgNum_Index(eep.FRorgNum) != SAck_Rorg_Position ||
      Catalog.Get_FuncNum_Index(eep.FRorgNum, eep.FFuncNum) != SAck_Func_Position) {
    return prefill;
  }
  prefill.TypeInd = Catalog.Get_TypeNum_Index(eep.FRorgNum, eep.FFuncNum, eep.FTypeNum);
  if (prefill.TypeInd < 0) return prefill;
  Prefill_Variable(Catalog, eep, Ind_Var, prefill);
  return prefill;
}

std::unique_ptr<TVarEnOcean> Make_Variable(const TCatalog_EnOcean& Catalog, const TVariable_Choice& Choice) {
  auto var = std::make_unique<TVarEnOcean>();
  var->FCaseIndex = Choice.CaseInd;
  if (const TDataField* field =
          Catalog.Get_DataField(Choice.RorgInd, Choice.FuncInd, Choice.TypeInd, Choice.CaseInd, Choice.VarInd)) {
    var->FData = field->FData;
    var->FBitOffs = field->FBitOffs;
    var->FBitSize = field->FBitSize;
  }
  var->FPosition = StrToIntDef(Choice.Position, 0);
  var->FBitStart = Choice.BitStart;
  return var;
}

Integer Add_Variable(const TCatalog_EnOcean& Catalog, TDevice_EnOcean& Device, const TVariable_Choice& Choice,
                     Integer EEP_Index) {
  TRorFunTyp_List& list = Device_EEP_List(Device, Choice.Uni_SAck);
  if (!In_Range(EEP_Index, list.size())) {
    auto eep = std::make_unique<TRorFunTyp>();
    if (const TType* type = Catalog.Get_Type(Choice.RorgInd, Choice.FuncInd, Choice.TypeInd)) {
      eep->FRorgNum = Catalog.Get_Rorg(Choice.RorgInd)->FNumber;
      eep->FFuncNum = Catalog.Get_Func(Choice.RorgInd, Choice.FuncInd)->FNumber;
      eep->FTypeNum = type->FNumber;
    }
    list.push_back(std::move(eep));
    EEP_Index = static_cast<Integer>(list.size()) - 1;
  }
  list[EEP_Index]->VariableList.push_back(Make_Variable(Catalog, Choice));
  return EEP_Index;
}

bool Modify_Variable(const TCatalog_EnOcean& Catalog, TDevice_EnOcean& Device, const TVariable_Choice& Choice) {
  TVarEnOcean* var = Selected_Variable(Device, Choice.Uni_SAck, Choice.Ind_EEP, Choice.Ind_Var);
  if (!var) return false;
  const auto made = Make_Variable(Catalog, Choice);
  var->FCaseIndex = made->FCaseIndex;
  var->FData = made->FData;
  var->FBitOffs = made->FBitOffs;
  var->FBitSize = made->FBitSize;
  var->FPosition = made->FPosition;
  var->FBitStart = made->FBitStart;
  return true;
}

bool Modify_EEP(const TCatalog_EnOcean& Catalog, TDevice_EnOcean& Device, const TVariable_Choice& Choice,
                bool Release_Variables) {
  TRorFunTyp_List& list = Device_EEP_List(Device, Choice.Uni_SAck);
  const TType* type = Catalog.Get_Type(Choice.RorgInd, Choice.FuncInd, Choice.TypeInd);
  if (!In_Range(Choice.Ind_EEP, list.size()) || !type) return false;
  TRorFunTyp& eep = *list[Choice.Ind_EEP];
  if (Release_Variables) {
    while (!eep.VariableList.empty()) eep.VariableList.pop_back();
  }
  eep.FRorgNum = Catalog.Get_Rorg(Choice.RorgInd)->FNumber;
  eep.FFuncNum = Catalog.Get_Func(Choice.RorgInd, Choice.FuncInd)->FNumber;
  eep.FTypeNum = type->FNumber;
  return true;
}

bool Remove_EEP(TDevice_EnOcean& Device, Integer Uni_SAck, Integer Ind_EEP) {
  TRorFunTyp_List& list = Device_EEP_List(Device, Uni_SAck);
  if (!In_Range(Ind_EEP, list.size())) return false;
  list.erase(list.begin() + Ind_EEP);
  return true;
}

bool Remove_Variable(TDevice_EnOcean& Device, Integer Uni_SAck, Integer Ind_EEP, Integer Ind_Var) {
  TRorFunTyp_List& list = Device_EEP_List(Device, Uni_SAck);
  if (!In_Range(Ind_EEP, list.size())) return false;
  auto& vars = list[Ind_EEP]->VariableList;
  if (!In_Range(Ind_Var, vars.size())) return false;
  vars.erase(vars.begin() + Ind_Var);
  return true;
}

// ---- The Smart-ACK dialog's choice.

namespace {

// A ticked row of the Smart-ACK choice with the case and catalogue data field it names.
struct TSAck_Marked {
  bool In;  // a row of the IN table
  Integer CaseInd;
  const TDataField* Field;
  const TSAck_Var_Row* Row;
};

void Collect_Marked(const TCatalog_EnOcean& Catalog, const TSAck_Choice& Choice, bool In,
                    std::vector<TSAck_Marked>& Marked) {
  const Integer CaseInd = In ? Choice.CaseInInd : Choice.CaseOutInd;
  const std::vector<TSAck_Var_Row>& Rows = In ? Choice.RowsIn : Choice.RowsOut;
  for (const TSAck_Var_Row& row : Rows) {
    if (!row.Enabled) continue;
    const TDataField* field =
        Catalog.Get_DataField(Choice.RorgInd, Choice.FuncInd, Choice.TypeInd, CaseInd, row.DataInd);
    if (field) Marked.push_back({In, CaseInd, field, &row});
  }
}

// The ticked rows that name a data field of their case: the IN table's, then the OUT table's.
std::vector<TSAck_Marked> Marked_Rows(const TCatalog_EnOcean& Catalog, const TSAck_Choice& Choice) {
  std::vector<TSAck_Marked> marked;
  Collect_Marked(Catalog, Choice, true, marked);
  Collect_Marked(Catalog, Choice, false, marked);
  return marked;
}

std::unique_ptr<TVarEnOcean_SAck> Make_SAck_Variable(const TSAck_Marked& Marked) {
  auto var = std::make_unique<TVarEnOcean_SAck>();
  var->FData = Marked.Field->FData;
  var->FBitOffs = Marked.Field->FBitOffs;
  var->FBitSize = Marked.Field->FBitSize;
  var->FPosition = StrToIntDef(Marked.Row->Position, 0);
  var->FBitStart = Marked.Row->BitStart;
  return var;
}

void Append_Group_Variables(TRorFunTyp& EEP, Integer CaseInd,
                            const std::vector<std::unique_ptr<TVarEnOcean_SAck>>& Vars) {
  for (const auto& sack : Vars) {
    auto var = std::make_unique<TVarEnOcean>();
    var->FCaseIndex = CaseInd;
    var->FData = sack->FData;
    var->FBitOffs = sack->FBitOffs;
    var->FBitSize = sack->FBitSize;
    var->FPosition = sack->FPosition;
    var->FBitStart = sack->FBitStart;
    EEP.VariableList.push_back(std::move(var));
  }
}

}  // namespace

bool ISNewEEP(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device, const TSAck_Choice& Choice,
              Integer& Index) {
  TVariable_Choice eep;
  eep.Uni_SAck = 1;
  eep.RorgInd = Choice.RorgInd;
  eep.FuncInd = Choice.FuncInd;
  eep.TypeInd = Choice.TypeInd;
  return ISNewEEP(Catalog, Device, eep, Index);
}

bool Check_Var(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device, const TSAck_Choice& Choice,
               Integer Index) {
  const std::vector<TSAck_Marked> marked = Marked_Rows(Catalog, Choice);
  const TRorFunTyp_List& list = Device.SmartACKList;
  // Each case-and-field pair once per EEP: neither one the EEP holds nor one chosen twice.
  for (size_t i = 0; i < marked.size(); ++i) {
    if (In_Range(Index, list.size())) {
      for (const auto& var : list[Index]->VariableList) {
        if (var->FCaseIndex == marked[i].CaseInd && var->FData == marked[i].Field->FData) return true;
      }
    }
    for (size_t j = 0; j < i; ++j) {
      if (marked[j].CaseInd == marked[i].CaseInd && marked[j].Field->FData == marked[i].Field->FData) return true;
    }
  }
  return false;
}

TVariable_Check Check_SAck_Data(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device,
                                const TSAck_Choice& Choice) {
  TVariable_Check result;
  const TRorg* rorg = Catalog.Get_Rorg(Choice.RorgInd);
  if (!rorg) {
    result.TextId = Text_Select_Rorg;
    return result;
  }
  const TFunc* func = Catalog.Get_Func(Choice.RorgInd, Choice.FuncInd);
  if (!func) {
    result.TextId = Text_Select_Func;
    return result;
  }
  const TType* type = Catalog.Get_Type(Choice.RorgInd, Choice.FuncInd, Choice.TypeInd);
  if (!type) {
    result.TextId = Text_Select_Type;
    return result;
  }
  const std::vector<TSAck_Marked> marked = Marked_Rows(Catalog, Choice);
  if (marked.empty()) {
    result.TextId = Text_Select_Variable;
    return result;
  }
  for (const TSAck_Marked& m : marked) {
    const Integer position = Variable_Position_Value(m.Row->Position);
    if (position < 0 || position > Max_Var_Position) {
      result.TextId = Text_Position_Range;
      result.Value = IntToStr(Max_Var_Position);
      return result;
    }
  }

  if (ISNewEEP(Catalog, Device, Choice, result.EEP_Index) && Device_EEP_Count(Device) >= Max_EEP_Per_Device) {
    result.TextId = Text_No_Space_EEP;
    return result;
  }
  if (Check_Var(Catalog, Device, Choice, result.EEP_Index)) {
    result.TextId = Text_Variable_Twice;
    return result;
  }
  return result;
}

std::unique_ptr<TGroup_SAck> Make_Group_SAck(const TCatalog_EnOcean& Catalog, const TSAck_Choice& Choice) {
  auto group = std::make_unique<TGroup_SAck>();
  group->FCaseInIndex = Choice.CaseInInd;
  group->FCaseOutIndex = Choice.CaseOutInd;
  for (const TSAck_Marked& m : Marked_Rows(Catalog, Choice)) {
    (m.In ? group->VarsInList : group->VarsOutList).push_back(Make_SAck_Variable(m));
  }
  return group;
}

Integer Add_SAck_Group(const TCatalog_EnOcean& Catalog, TDevice_EnOcean& Device, const TSAck_Choice& Choice,
                       Integer EEP_Index) {
  TRorFunTyp_List& list = Device.SmartACKList;
  if (!In_Range(EEP_Index, list.size())) {
    auto eep = std::make_unique<TRorFunTyp>();
    if (const TType* type = Catalog.Get_Type(Choice.RorgInd, Choice.FuncInd, Choice.TypeInd)) {
      eep->FRorgNum = Catalog.Get_Rorg(Choice.RorgInd)->FNumber;
      eep->FFuncNum = Catalog.Get_Func(Choice.RorgInd, Choice.FuncInd)->FNumber;
      eep->FTypeNum = type->FNumber;
    }
    list.push_back(std::move(eep));
    EEP_Index = static_cast<Integer>(list.size()) - 1;
  }
  const auto group = Make_Group_SAck(Catalog, Choice);
  Append_Group_Variables(*list[EEP_Index], group->FCaseInIndex, group->VarsInList);
  Append_Group_Variables(*list[EEP_Index], group->FCaseOutIndex, group->VarsOutList);
  return EEP_Index;
}
