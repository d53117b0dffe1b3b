// Fuzz entry point of the catalogue reader: any bytes load without a crash, and the lookups and
// display lists of whatever was read stay consistent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "enocean/UEnOcean_Catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TCatalog_EnOcean cat;
  cat.Read_Cat_EnOcean_Bytes(std::string(reinterpret_cast<const char*>(data), size));
  if (cat.List_Rorg.size() != cat.Rorg_SL.size()) std::abort();
  for (const auto& rorg : cat.List_Rorg) {
    if (rorg->List_Func.size() != rorg->Func_SL.size()) std::abort();
    cat.Get_Rorg_Name_Str(rorg->FNumber);
    for (const auto& func : rorg->List_Func) {
      if (func->List_Type.size() != func->Type_SL.size()) std::abort();
      cat.Get_Func_Name_Str(rorg->FNumber, func->FNumber);
      cat.Get_FuncNum_Index(rorg->FNumber, func->FNumber);
      for (const auto& type : func->List_Type) {
        if (type->List_Case.size() != type->Case_SL.size()) std::abort();
        cat.Get_TypeNum_Index(rorg->FNumber, func->FNumber, type->FNumber);
        for (Integer c = -1; c <= static_cast<Integer>(type->List_Case.size()); ++c) {
          cat.Get_CaseObj(rorg->FNumber, func->FNumber, type->FNumber, c);
          cat.Get_Case_Name_Str(rorg->FNumber, func->FNumber, type->FNumber, c);
          cat.Get_DataField_Index(rorg->FNumber, func->FNumber, type->FNumber, c, u"x");
        }
        for (const auto& item : type->List_Case) {
          if (item->List_DataField.size() != item->DataField_SL.size()) std::abort();
        }
      }
    }
  }
  return 0;
}
