// Builders of the device network's pieces for the EnOcean tests: a device in a list, an EEP in a
// device's list, a variable in an EEP, each returned for the test to fill in.
#pragma once

#include <memory>

#include "enocean/EnOceanNetwork.h"
#include "platform/rtl/SysUtils.h"

namespace enocean_test {

inline TDevice_EnOcean& Add_Device(TDevice_EnOcean_List& List) {
  List.push_back(std::make_unique<TDevice_EnOcean>());
  return *List.back();
}

inline TRorFunTyp& Add_EEP(TRorFunTyp_List& List, Integer Rorg, Integer Func, Integer Type) {
  auto eep = std::make_unique<TRorFunTyp>();
  eep->FRorgNum = Rorg;
  eep->FFuncNum = Func;
  eep->FTypeNum = Type;
  List.push_back(std::move(eep));
  return *List.back();
}

inline void Add_Var(TRorFunTyp& EEP, Integer CaseIndex, const String& Data, Integer Position = 0, Integer BitStart = 0) {
  auto var = std::make_unique<TVarEnOcean>();
  var->FCaseIndex = CaseIndex;
  var->FData = Data;
  var->FPosition = Position;
  var->FBitStart = BitStart;
  EEP.VariableList.push_back(std::move(var));
}

}  // namespace enocean_test
