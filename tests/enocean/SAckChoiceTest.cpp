// The Smart-ACK dialog's choice without a window: its OK check and the storing of a Smart-ACK
// group as the variables of an EEP of the device's Smart-ACK list.
//
// Positions in sack/eep_sack.xml:
//   RORG 0 = 0xF6, 1 = 0xD5, 2 = 0xA5: FUNC 0 = 0x02: TYPE 0 = 0x05: case 0 (TMP)
//   RORG 3 = 0xD2: FUNC 0..8 without types, FUNC 9 = 0x20:
//     TYPE 0 = 0x01: case 0 "Request" (CMD, POS, ANG), case 1 "Reply" (POS, ST), case 2 "Empty"
//     TYPE 1 = 0x02: case 0 "Values" (TMP)
#include <gtest/gtest.h>

#include "enocean/UEnOcean_Catalog.h"
#include "enocean/VariableChoice.h"
#include "platform/rtl/SysUtils.h"
#include "tests/enocean/NetworkBuilders.h"

using enocean_test::Add_EEP;
using enocean_test::Add_Var;

namespace {

TSAck_Var_Row Row(Integer DataInd, bool Enabled, const String& Position = u"0", Integer BitStart = 0) {
  TSAck_Var_Row row;
  row.DataInd = DataInd;
  row.Enabled = Enabled;
  row.Position = Position;
  row.BitStart = BitStart;
  return row;
}

// The actuator TYPE (D2-20-01) with an IN and an OUT case and their table rows.
TSAck_Choice Actuator(Integer CaseIn, std::vector<TSAck_Var_Row> In, Integer CaseOut = -1,
                      std::vector<TSAck_Var_Row> Out = {}) {
  TSAck_Choice choice;
  choice.RorgInd = 3;
  choice.FuncInd = 9;
  choice.TypeInd = 0;
  choice.CaseInInd = CaseIn;
  choice.CaseOutInd = CaseOut;
  choice.RowsIn = std::move(In);
  choice.RowsOut = std::move(Out);
  return choice;
}

class SAckChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Cat.Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/enocean/sack/eep_sack.xml")));
    ASSERT_EQ(Cat.Get_Func(3, 9)->FNumber, 0x20);
  }
  TCatalog_EnOcean Cat;
};

TEST_F(SAckChoice, TheOKCheck) {
  // A device with two unidirectional and two Smart-ACK EEPs; the actuator's Smart-ACK EEP already
  // holds CMD of the Request case.
  TDevice_EnOcean full;
  Add_EEP(full.UnidirectionalList, 0xF6, 0x02, 0x01);
  Add_EEP(full.UnidirectionalList, 0xA5, 0x02, 0x05);
  Add_EEP(full.SmartACKList, 0xD2, 0x20, 0x02);
  Add_Var(Add_EEP(full.SmartACKList, 0xD2, 0x20, 0x01), 0, u"CMD");
  TDevice_EnOcean empty;

  TSAck_Choice no_rorg = Actuator(0, {Row(0, true)});
  no_rorg.RorgInd = -1;
  TSAck_Choice no_func = Actuator(0, {Row(0, true)});
  no_func.FuncInd = -1;
  TSAck_Choice func_without_types = Actuator(0, {Row(0, true)});
  func_without_types.FuncInd = 8;
  TSAck_Choice no_type = Actuator(0, {Row(0, true)});
  no_type.TypeInd = -1;
  TSAck_Choice sensor = Actuator(0, {Row(0, true, u"4")});
  sensor.TypeInd = 1;
  TSAck_Choice sensor_elsewhere = sensor;
  sensor_elsewhere.RorgInd = 2;
  sensor_elsewhere.FuncInd = 0;
  sensor_elsewhere.TypeInd = 0;
  sensor_elsewhere.CaseInInd = 0;

  struct Case {
    const char* name;
    const TDevice_EnOcean& device;
    TSAck_Choice choice;
    Integer text_id;  // 0: accepted
    Integer eep_index;
  };
  const Case cases[] = {
      {"no RORG", empty, no_rorg, Text_Select_Rorg, -1},
      {"no FUNC", empty, no_func, Text_Select_Func, -1},
      {"FUNC without types", empty, func_without_types, Text_Select_Type, -1},
      {"no TYPE", empty, no_type, Text_Select_Type, -1},
      {"no case chosen", empty, Actuator(-1, {}), Text_Select_Variable, -1},
      {"no row ticked", empty, Actuator(0, {Row(0, false), Row(1, false), Row(2, false)}), Text_Select_Variable,
       -1},
      {"ticked row of a table without a case", empty, Actuator(-1, {Row(0, true)}), Text_Select_Variable, -1},
      {"ticked row of a case without fields", empty, Actuator(2, {Row(0, true)}), Text_Select_Variable, -1},
      {"ticked row past the case's fields", empty, Actuator(1, {Row(2, true)}), Text_Select_Variable, -1},
      {"empty position", empty, Actuator(0, {Row(0, true, u"")}), Text_Position_Range, -1},
      {"position 2000", empty, Actuator(0, {Row(0, true, u"1"), Row(1, true, u"2000")}), Text_Position_Range, -1},
      {"position of an OUT row", empty, Actuator(0, {Row(0, true)}, 1, {Row(1, true, u"x")}), Text_Position_Range,
       -1},
      {"unticked rows need no position", empty, Actuator(0, {Row(0, true, u"1999"), Row(1, false, u"")}), 0, -1},
      {"OUT case only", empty, Actuator(-1, {}, 1, {Row(0, true, u"7")}), 0, -1},
      {"fifth EEP", full, sensor_elsewhere, Text_No_Space_EEP, -1},
      {"an EEP the device has", full, sensor, 0, 0},
      {"field the EEP holds under that case", full, Actuator(0, {Row(0, true)}), Text_Variable_Twice, 1},
      {"field the EEP holds, as OUT case", full, Actuator(1, {Row(1, true)}, 0, {Row(0, true)}),
       Text_Variable_Twice, 1},
      {"same field under another case", full, Actuator(1, {Row(0, true)}), 0, 1},
      {"other fields of the same case", full, Actuator(0, {Row(0, false), Row(1, true), Row(2, true)}), 0, 1},
      {"same case IN and OUT, same field", empty, Actuator(1, {Row(0, true)}, 1, {Row(0, true)}),
       Text_Variable_Twice, -1},
      {"same case IN and OUT, other fields", empty, Actuator(1, {Row(0, true)}, 1, {Row(0, false), Row(1, true)}),
       0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TVariable_Check check = Check_SAck_Data(Cat, c.device, c.choice);
    EXPECT_EQ(check.TextId, c.text_id);
    EXPECT_EQ(check.Value, c.text_id == Text_Position_Range ? u"1999" : u"");
    EXPECT_EQ(check.EEP_Index, c.eep_index);
  }
}

TEST_F(SAckChoice, ISNewEEPAndCheckVarOnTheSmartAckList) {
  TDevice_EnOcean device;
  Add_EEP(device.UnidirectionalList, 0xD2, 0x20, 0x01);  // the other list does not count
  Add_EEP(device.SmartACKList, 0xD2, 0x20, 0x02);
  Add_Var(Add_EEP(device.SmartACKList, 0xD2, 0x20, 0x01), 1, u"POS");

  Integer index = 99;
  EXPECT_FALSE(ISNewEEP(Cat, device, Actuator(0, {}), index));
  EXPECT_EQ(index, 1);
  TSAck_Choice values = Actuator(0, {});
  values.TypeInd = 1;
  EXPECT_FALSE(ISNewEEP(Cat, device, values, index));
  EXPECT_EQ(index, 0);
  EXPECT_TRUE(ISNewEEP(Cat, TDevice_EnOcean(), Actuator(0, {}), index));
  EXPECT_EQ(index, -1);

  struct Case {
    const char* name;
    TSAck_Choice choice;
    Integer index;
    bool twice;
  };
  const Case rows[] = {
      {"pair the EEP holds, as OUT", Actuator(0, {Row(1, false)}, 1, {Row(0, true)}), 1, true},
      {"same field, other case", Actuator(0, {Row(1, true)}, -1, {}), 1, false},
      {"the pair's row not ticked", Actuator(0, {}, 1, {Row(0, false)}), 1, false},
      {"IN and OUT the same case and field", Actuator(0, {Row(0, true)}, 0, {Row(0, true)}), -1, true},
      {"new EEP, different fields", Actuator(0, {Row(0, true)}, 1, {Row(0, true)}), -1, false},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Check_Var(Cat, device, row.choice, row.index), row.twice);
  }
}

TEST_F(SAckChoice, TheGroupHoldsTheTickedFieldsOfBothCases) {
  const auto group = Make_Group_SAck(
      Cat, Actuator(0, {Row(0, true, u"10"), Row(1, false, u"99"), Row(2, true, u"abc", 3)}, 1,
                    {Row(1, true, u"$0C", 7)}));
  EXPECT_EQ(group->FCaseInIndex, 0);
  EXPECT_EQ(group->FCaseOutIndex, 1);
  ASSERT_EQ(group->VarsInList.size(), 2u);
  ASSERT_EQ(group->VarsOutList.size(), 1u);
  const TVarEnOcean_SAck& ang = *group->VarsInList[1];
  EXPECT_EQ(ang.FData, u"ANG");
  EXPECT_EQ(ang.FBitOffs, 16);
  EXPECT_EQ(ang.FBitSize, 8);
  EXPECT_EQ(ang.FPosition, 0);  // not a number
  EXPECT_EQ(ang.FBitStart, 3);
  const TVarEnOcean_SAck& st = *group->VarsOutList[0];
  EXPECT_EQ(st.FData, u"ST");
  EXPECT_EQ(st.FBitOffs, 16);
  EXPECT_EQ(st.FBitSize, 2);
  EXPECT_EQ(st.FPosition, 12);
  EXPECT_EQ(st.FBitStart, 7);
}

TEST_F(SAckChoice, TheGroupIsStoredAsTheVariablesOfASmartAckEEP) {
  TDevice_EnOcean device;
  Add_EEP(device.UnidirectionalList, 0xD2, 0x20, 0x01);  // the same triple, unidirectional
  const TSAck_Choice choice =
      Actuator(0, {Row(0, true, u"10"), Row(1, false), Row(2, true, u"11", 3)}, 1, {Row(0, true, u"12", 1)});

  // A triple the Smart-ACK list lacks becomes a new EEP there.
  EXPECT_EQ(Add_SAck_Group(Cat, device, choice, -1), 0);
  ASSERT_EQ(device.SmartACKList.size(), 1u);
  const TRorFunTyp& eep = *device.SmartACKList[0];
  EXPECT_EQ(eep.FRorgNum, 0xD2);
  EXPECT_EQ(eep.FFuncNum, 0x20);
  EXPECT_EQ(eep.FTypeNum, 0x01);
  struct Want {
    Integer case_index;
    const char16_t* data;
    Integer offs, size, position, bit_start;
  };
  const Want want[] = {
      {0, u"CMD", 0, 4, 10, 0},
      {0, u"ANG", 16, 8, 11, 3},
      {1, u"POS", 8, 7, 12, 1},
  };
  ASSERT_EQ(eep.VariableList.size(), std::size(want));
  for (size_t i = 0; i < std::size(want); ++i) {
    SCOPED_TRACE(i);
    const TVarEnOcean& v = *eep.VariableList[i];
    EXPECT_EQ(v.FCaseIndex, want[i].case_index);
    EXPECT_EQ(v.FData, want[i].data);
    EXPECT_EQ(v.FBitOffs, want[i].offs);
    EXPECT_EQ(v.FBitSize, want[i].size);
    EXPECT_EQ(v.FPosition, want[i].position);
    EXPECT_EQ(v.FBitStart, want[i].bit_start);
  }

  // A second group of the same EEP joins it.
  EXPECT_EQ(Add_SAck_Group(Cat, device, Actuator(1, {Row(1, true, u"13")}), 0), 0);
  ASSERT_EQ(device.SmartACKList.size(), 1u);
  ASSERT_EQ(device.SmartACKList[0]->VariableList.size(), 4u);
  EXPECT_EQ(device.SmartACKList[0]->VariableList[3]->FData, u"ST");
  EXPECT_EQ(device.SmartACKList[0]->VariableList[3]->FCaseIndex, 1);
  // The unidirectional list is untouched.
  EXPECT_TRUE(device.UnidirectionalList[0]->VariableList.empty());
}

}  // namespace
