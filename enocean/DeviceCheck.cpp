#include "enocean/DeviceCheck.h"

#include "enocean/EnOceanNetwork.h"
#include "platform/rtl/SysUtils.h"

Int64 Device_Number_Value(const String& Text) { return StrToInt64Def(Text, -1); }

bool Device_Id_Valid(const String& Id) {
  const Int64 value = Device_Number_Value(Id);
  return value >= 0 && value <= Device_Id_Max;
}

TDevice_Check Check_Device_Data(const TDevice_Data& Data) {
  TDevice_Check result;
  if (!Device_Id_Valid(Data.Id)) {
    result.TextId = Text_Device_Id_Range;
    return result;
  }
  if (Data.Secure_Type == Secure_Type_Manual) {
    const Int64 code = Device_Number_Value(Data.RollCode);
    if (code < 0 || code > RollCode_Max) {
      result.TextId = Text_RollCode_Range;
      return result;
    }
  }
  return result;
}

Integer Secure_Pairs_Shown(Integer Secure_Type) {
  switch (Secure_Type) {
    case 0: return 0;
    case 1: return 1;
    case 2: return 7;
    default: return -1;
  }
}

TDevice_Data Get_Device_Data(const TDevice_EnOcean& Device) {
  TDevice_Data data;
  data.Id = Device.FId;
  data.Secure_Type = Device.FSecure_Type;
  data.Key = Device.FKey;
  data.RollCode = Device.FRollCode;
  data.RollCodeAlg = Device.FRollCodeAlg;
  data.RollCodeTx = Device.FRollCodeTx;
  data.CMACAlg = Device.FCMACAlg;
  data.DataCript = Device.FDataCript;
  data.PTM = Device.FPTM;
  return data;
}

void Set_Device_Data(TDevice_EnOcean& Device, const TDevice_Data& Data) {
  Device.FId = Data.Id;
  Device.FSecure_Type = Data.Secure_Type;
  Device.FKey = Data.Key;
  Device.FRollCode = Data.RollCode;
  Device.FRollCodeAlg = Data.RollCodeAlg;
  Device.FRollCodeTx = Data.RollCodeTx;
  Device.FCMACAlg = Data.CMACAlg;
  Device.FDataCript = Data.DataCript;
  Device.FPTM = Data.PTM;
}
