#include "enocean/DeviceCheck.h"

#include <gtest/gtest.h>

#include "enocean/EnOceanNetwork.h"

namespace {

TEST(DeviceCheck, DeviceIdRule) {
  struct Row {
    const char* name;
    String id;
    bool valid;
  };
  const Row rows[] = {
      {"zero", u"0", true},
      {"largest 32-bit value", u"4294967295", true},
      {"0x prefix", u"0xFFFFFFFF", true},
      {"dollar prefix", u"$FF", true},
      {"x prefix", u"x1F", true},
      {"upper-case prefix", u"0X1f", true},
      {"leading blanks", u" 12", true},
      {"plus sign", u"+7", true},
      {"two to the 32", u"4294967296", false},
      {"hex above 32 bits", u"$100000000", false},
      {"trailing letter", u"12a", false},
      {"trailing blank", u"12 ", false},
      {"empty", u"", false},
      {"negative", u"-1", false},
      {"word", u"device", false},
      {"hex without prefix", u"FFFFFFFF", false},
      {"beyond 64 bits", u"99999999999999999999", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Device_Id_Valid(row.id), row.valid);
    TDevice_Data data;
    data.Id = row.id;
    const TDevice_Check check = Check_Device_Data(data);
    EXPECT_EQ(check.OK(), row.valid);
    EXPECT_EQ(check.TextId, row.valid ? 0 : Text_Device_Id_Range);
  }
}

TEST(DeviceCheck, RollingCodeMustFitItsFieldWhereItIsUsed) {
  struct Row {
    const char* name;
    Integer secureType;
    String rollCode;
    Integer textId;
  };
  const Row rows[] = {
      {"manual setting, decimal", 2, u"1000", 0},
      {"manual setting, largest", 2, u"$FFFFFFFF", 0},
      {"manual setting, zero", 2, u"0", 0},
      {"manual setting, empty", 2, u"", Text_RollCode_Range},
      {"manual setting, too large", 2, u"4294967296", Text_RollCode_Range},
      {"manual setting, negative", 2, u"-1", Text_RollCode_Range},
      {"manual setting, 0x prefix", 2, u"0x00AB", 0},
      {"manual setting, letters", 2, u"AB12", Text_RollCode_Range},
      {"pre-shared key ignores it", 1, u"", 0},
      {"unsecure ignores it", 0, u"junk", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TDevice_Data data;
    data.Id = u"1";
    data.Secure_Type = row.secureType;
    data.RollCode = row.rollCode;
    EXPECT_EQ(Check_Device_Data(data).TextId, row.textId);
  }
}

TEST(DeviceCheck, IdIsCheckedFirst) {
  TDevice_Data data;
  data.Id = u"";
  data.Secure_Type = 2;
  EXPECT_EQ(Check_Device_Data(data).TextId, Text_Device_Id_Range);
}

TEST(DeviceCheck, SecurityPairsShownPerType) {
  EXPECT_EQ(Secure_Pairs_Shown(0), 0);
  EXPECT_EQ(Secure_Pairs_Shown(1), 1);
  EXPECT_EQ(Secure_Pairs_Shown(2), 7);
  EXPECT_EQ(Secure_Pairs_Shown(-1), -1);
}

TEST(DeviceCheck, DeviceDataRoundTrip) {
  TDevice_Data data;
  data.Id = u" 0x1A";
  data.Secure_Type = 2;
  data.Key = u"key";
  data.RollCode = u"12";
  data.RollCodeAlg = 1;
  data.RollCodeTx = 1;
  data.CMACAlg = 2;
  data.DataCript = 2;
  data.PTM = 1;
  TDevice_EnOcean device;
  Set_Device_Data(device, data);
  const TDevice_Data back = Get_Device_Data(device);
  EXPECT_EQ(back.Id, data.Id);
  EXPECT_EQ(back.Secure_Type, 2);
  EXPECT_EQ(back.Key, u"key");
  EXPECT_EQ(back.RollCode, u"12");
  EXPECT_EQ(back.RollCodeAlg, 1);
  EXPECT_EQ(back.RollCodeTx, 1);
  EXPECT_EQ(back.CMACAlg, 2);
  EXPECT_EQ(back.DataCript, 2);
  EXPECT_EQ(back.PTM, 1);
}

}  // namespace
