#include "enocean/EnOceanNetwork.h"

#include <gtest/gtest.h>

#include "enocean/UEnOcean_Catalog.h"
#include "platform/rtl/SysUtils.h"

namespace {

TEST(EnOceanNetwork, TreeLines) {
  TRorFunTyp eep;
  eep.FRorgNum = 0xA5;
  eep.FFuncNum = 2;
  eep.FTypeNum = 0x30;
  EXPECT_EQ(EEP_Node_Str(eep), u"EEP - RORG : 0xA5 FUNC : 0x02 TYPE : 0x30");
  eep.FTypeNum = -1;
  EXPECT_EQ(EEP_Node_Str(eep), u"EEP - RORG : 0xA5 FUNC : 0x02 TYPE : 0xFFFFFFFF");
  TVarEnOcean var;
  var.FData = u"Temperature";
  EXPECT_EQ(Variable_Node_Str(var), u"Variable - Temperature");
  EXPECT_EQ(EEP_Tree_Root_Str(0), u"Unidirectional - EEP List");
  EXPECT_EQ(EEP_Tree_Root_Str(1), u"Smart ACK - EEP List");
  TDevice_EnOcean device;
  EXPECT_EQ(Device_Line_Str(device), u"0");
  device.FId = u" 0x1a";
  EXPECT_EQ(Device_Line_Str(device), u" 0x1a");
}

TEST(EnOceanNetwork, DeviceDialogItemLists) {
  EXPECT_EQ(Secure_Type_Items(),
            (std::vector<String>{u"Unsecure", u"Secure Pre Shared Key", u"Secure with Manual Setting"}));
  EXPECT_EQ(DataCript_Items().at(2), u"AES - CBC - AES128");
  EXPECT_EQ(RollCodeTx_Items().size(), 2u);
  EXPECT_EQ(BitStart_Items().back(), u"7");
}

TEST(EnOceanNetwork, DetailOfTheSelection) {
  TCatalog_EnOcean cat;
  ASSERT_TRUE(cat.Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/enocean/catalog/hand_made.xml")));
  TDevice_EnOcean device;
  auto known = std::make_unique<TRorFunTyp>();
  known->FRorgNum = 0xF6;
  known->FFuncNum = 2;
  known->FTypeNum = 1;
  auto var = std::make_unique<TVarEnOcean>();
  var->FCaseIndex = 0;
  var->FData = u"EB";
  var->FPosition = 12;
  var->FBitStart = 3;
  known->VariableList.push_back(std::move(var));
  device.UnidirectionalList.push_back(std::move(known));
  auto unknown = std::make_unique<TRorFunTyp>();
  unknown->FRorgNum = 0xA7;
  device.SmartACKList.push_back(std::move(unknown));

  TEEP_Var_Detail d = Get_EEP_Var_Detail(cat, &device, 0, 0, 0);
  EXPECT_EQ(d.Rorg, u"0xF6 : RPS");
  EXPECT_EQ(d.Func, u"0x02 : Rocker");
  EXPECT_EQ(d.Type, u"0x01 : Rocker type");
  EXPECT_EQ(d.Case, u"1 -> Pressed");
  EXPECT_EQ(d.Variable, u"EB");
  EXPECT_EQ(d.Position, u"12");
  EXPECT_EQ(d.BitStart, u"3");

  d = Get_EEP_Var_Detail(cat, &device, 0, 0, -1);
  EXPECT_EQ(d.Type, u"0x01 : Rocker type");
  EXPECT_EQ(d.Case, u"");
  EXPECT_EQ(d.Position, u"");

  // Any tab but 0 shows the Smart-ACK list; a RORG the catalogue does not know shows empty.
  d = Get_EEP_Var_Detail(cat, &device, 2, 0, -1);
  EXPECT_EQ(d.Rorg, u"");
  EXPECT_EQ(d.Func, u"");

  for (const TEEP_Var_Detail& empty :
       {Get_EEP_Var_Detail(cat, nullptr, 0, 0, 0), Get_EEP_Var_Detail(cat, &device, 0, -1, -1),
        Get_EEP_Var_Detail(cat, &device, 0, 4, 0)}) {
    EXPECT_EQ(empty.Rorg, u"");
    EXPECT_EQ(empty.Variable, u"");
  }
}

TEST(EnOceanNetwork, CancelReleasesTheNetwork) {
  TDevice_EnOcean_List list;
  list.push_back(std::make_unique<TDevice_EnOcean>());
  list.back()->UnidirectionalList.push_back(std::make_unique<TRorFunTyp>());
  list.push_back(std::make_unique<TDevice_EnOcean>());
  Cancel_Devices_List(list);
  EXPECT_TRUE(list.empty());
}

}  // namespace
