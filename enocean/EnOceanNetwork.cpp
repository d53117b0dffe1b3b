#include "enocean/EnOceanNetwork.h"

#include "enocean/UEnOcean_Catalog.h"
#include "platform/rtl/SysUtils.h"

namespace {

template <typename T>
void Release_Backwards(std::vector<std::unique_ptr<T>>& list) {
  while (!list.empty()) list.pop_back();
}

bool In_Range(Integer Index, size_t Count) { return Index >= 0 && static_cast<size_t>(Index) < Count; }

}  // namespace

TRorFunTyp::~TRorFunTyp() { Release_Backwards(VariableList); }

TDevice_EnOcean::~TDevice_EnOcean() {
  Release_Backwards(UnidirectionalList);
  Release_Backwards(SmartACKList);
  Release_Backwards(RemoteList);
}

TGroup_SAck::~TGroup_SAck() {
  Release_Backwards(VarsInList);
  Release_Backwards(VarsOutList);
}

TRorFunTyp_SAck::~TRorFunTyp_SAck() { Release_Backwards(GroupList); }

void Cancel_Devices_List(TDevice_EnOcean_List& DevList) { Release_Backwards(DevList); }

TRorFunTyp_List& Device_EEP_List(TDevice_EnOcean& Device, Integer Uni_SAck) {
  return Uni_SAck == 0 ? Device.UnidirectionalList : Device.SmartACKList;
}

const TRorFunTyp_List& Device_EEP_List(const TDevice_EnOcean& Device, Integer Uni_SAck) {
  return Uni_SAck == 0 ? Device.UnidirectionalList : Device.SmartACKList;
}

const std::vector<String>& Secure_Type_Items() {
  static const std::vector<String> items{u"Unsecure", u"Secure Pre Shared Key", u"Secure with Manual Setting"};
  return items;
}

const std::vector<String>& RollCodeAlg_Items() {
  static const std::vector<String> items{u"No RLC algorithm", u"16-bit", u"24-bit"};
  return items;
}

const std::vector<String>& RollCodeTx_Items() {
  static const std::vector<String> items{u"No", u"Yes"};
  return items;
}

const std::vector<String>& CMACAlg_Items() {
  static const std::vector<String> items{u"No MAC", u"AES128 - 3 bytes", u"AES128 - 4 bytes"};
  return items;
}

const std::vector<String>& DataCript_Items() {
  static const std::vector<String> items{u"No data encryption", u"VAES - AES128", u"AES - CBC - AES128"};
  return items;
}

const std::vector<String>& PTM_Items() {
  static const std::vector<String> items{u"No PTM", u"PTM"};
  return items;
}

const std::vector<String>& BitStart_Items() {
  static const std::vector<String> items{u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"};
  return items;
}

String Device_Line_Str(const TDevice_EnOcean& Device) { return Device.FId; }

String EEP_Tree_Root_Str(Integer Tab) {
  return Tab == 0 ? String(u"Unidirectional - EEP List") : String(u"Smart ACK - EEP List");
}

String EEP_Node_Str(const TRorFunTyp& EEP) {
  return u"EEP - RORG : 0x" + IntToHex(EEP.FRorgNum, 2) + u" FUNC : 0x" + IntToHex(EEP.FFuncNum, 2) +
         u" TYPE : 0x" + IntToHex(EEP.FTypeNum, 2);
}

String Variable_Node_Str(const TVarEnOcean& Var) { return u"Variable - " + Catalog_Display_Text(Var.FData); }

TEEP_Var_Detail Get_EEP_Var_Detail(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean* Device, Integer Tab,
                                   Integer Ind_EEP, Integer Ind_Var) {
  TEEP_Var_Detail detail;
  if (!Device) return detail;
  const TRorFunTyp_List& list = Device_EEP_List(*Device, Tab);
  if (!In_Range(Ind_EEP, list.size())) return detail;
  const TRorFunTyp& eep = *list[Ind_EEP];
  detail.Rorg = Catalog.Get_Rorg_Name_Str(eep.FRorgNum);
  detail.Func = Catalog.Get_Func_Name_Str(eep.FRorgNum, eep.FFuncNum);
  detail.Type = Catalog.Get_Type_Name_Str(eep.FRorgNum, eep.FFuncNum, eep.FTypeNum);
  if (!In_Range(Ind_Var, eep.VariableList.size())) return detail;
  const TVarEnOcean& var = *eep.VariableList[Ind_Var];
  detail.Case = Catalog.Get_Case_Name_Str(eep.FRorgNum, eep.FFuncNum, eep.FTypeNum, var.FCaseIndex);
  detail.Variable = Catalog_Display_Text(var.FData);
  detail.Position = IntToStr(var.FPosition);
  detail.BitStart = IntToStr(var.FBitStart);
  return detail;
}
