#include "enocean/VariableChoice.h"

#include <gtest/gtest.h>

#include <string>

#include "enocean/UEnOcean_Catalog.h"
#include "platform/rtl/SysUtils.h"
#include "tests/enocean/NetworkBuilders.h"

using enocean_test::Add_EEP;
using enocean_test::Add_Var;

namespace {

// Positions in hand_made.xml:
//   RORG 0 = 0xF6: FUNC 0 = 0x02: TYPE 0 = 0x01: case 0 "Pressed" (R1, EB), cases 1 and 2 without fields
//   RORG 1 = 0xD2: FUNC 0 = 0x01: TYPE 0 = 0x12: case 0 (CMD, OV), case 1 (CMD)
//   RORG 2 = 0xA5: FUNC 0 = 0x02: TYPE 0 = 10 (case 0: TMP), TYPE 1 = 10 (cases: HUM / HUM, X)
//                  FUNC 1 = 0x03: TYPE 0 = 0x01 (no cases), TYPE 1 = 0x02 (a case without fields)
//   RORG 3 = 0xA5: FUNC 0 = 0x20 ...; RORG 4 = 0xD4 without FUNCs
class VariableChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Cat.Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/enocean/catalog/hand_made.xml")));
  }

  static TVariable_Choice Choice(Integer r, Integer f, Integer t, Integer c = -1, Integer v = -1,
                                 const String& position = u"0") {
    TVariable_Choice choice;
    choice.RorgInd = r;
    choice.FuncInd = f;
    choice.TypeInd = t;
    choice.CaseInd = c;
    choice.VarInd = v;
    choice.Position = position;
    return choice;
  }

  TCatalog_EnOcean Cat;
};

TEST_F(VariableChoice, NotSelectedAndPositionChecks) {
  struct Row {
    const char* name;
    TVariable_Choice choice;
    Integer textId;
    String value;
  };
  TVariable_Choice modify_eep = Choice(2, 0, 0, -1, -1, u"");
  modify_eep.Mode = 1;
  modify_eep.Modify_EEP_Var = 0;
  TVariable_Choice modify_eep_no_type = modify_eep;
  modify_eep_no_type.TypeInd = -1;
  const Row rows[] = {
      {"no rorg", Choice(-1, -1, -1), Text_Select_Rorg, u""},
      {"no func", Choice(0, -1, -1), Text_Select_Func, u""},
      {"rorg without funcs", Choice(4, 0, -1), Text_Select_Func, u""},
      {"no type", Choice(0, 0, -1), Text_Select_Type, u""},
      {"type position past the list", Choice(0, 0, 1), Text_Select_Type, u""},
      {"no case", Choice(0, 0, 0, -1, -1), Text_Select_Variable, u""},
      {"no variable", Choice(0, 0, 0, 0, -1), Text_Select_Variable, u""},
      {"case without fields", Choice(0, 0, 0, 1, 0), Text_Select_Variable, u""},
      {"empty position", Choice(0, 0, 0, 0, 0, u""), Text_Position_Range, u"1999"},
      {"position 2000", Choice(0, 0, 0, 0, 0, u"2000"), Text_Position_Range, u"1999"},
      {"negative position", Choice(0, 0, 0, 0, 0, u"-1"), Text_Position_Range, u"1999"},
      {"position with a letter", Choice(0, 0, 0, 0, 0, u"12a"), Text_Position_Range, u"1999"},
      {"position 1999", Choice(0, 0, 0, 0, 0, u"1999"), 0, u""},
      {"position 0", Choice(0, 0, 0, 0, 0, u"0"), 0, u""},
      {"position in hex", Choice(0, 0, 0, 0, 0, u"$0C"), 0, u""},
      {"modifying an EEP needs no variable", modify_eep, 0, u""},
      {"modifying an EEP needs a type", modify_eep_no_type, Text_Select_Type, u""},
  };
  const TDevice_EnOcean device;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TVariable_Check check = Check_Variable_Data(Cat, device, row.choice);
    EXPECT_EQ(check.TextId, row.textId);
    EXPECT_EQ(check.Value, row.value);
  }
}

TEST_F(VariableChoice, FindsTheEEPAndRefusesASecondEqualVariable) {
  TDevice_EnOcean device;
  Add_Var(Add_EEP(device.UnidirectionalList, 0xF6, 2, 1), 0, u"R1");
  Add_Var(Add_EEP(device.UnidirectionalList, 0xD2, 1, 0x12), 0, u"CMD");
  struct Row {
    const char* name;
    TVariable_Choice choice;
    Integer textId;
    Integer eepIndex;
  };
  TVariable_Choice smart_ack = Choice(0, 0, 0, 0, 0);
  smart_ack.Uni_SAck = 1;
  const Row rows[] = {
      {"same case and field", Choice(0, 0, 0, 0, 0), Text_Variable_Twice, 0},
      {"other field", Choice(0, 0, 0, 0, 1), 0, 0},
      {"same field under another case", Choice(1, 0, 0, 1, 0), 0, 1},
      {"new triple", Choice(2, 0, 0, 0, 0), 0, -1},
      {"the Smart-ACK list is its own", smart_ack, 0, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TVariable_Check check = Check_Variable_Data(Cat, device, row.choice);
    EXPECT_EQ(check.TextId, row.textId);
    EXPECT_EQ(check.EEP_Index, row.eepIndex);
  }
}

TEST_F(VariableChoice, FourEEPsPerDeviceInBothLists) {
  TDevice_EnOcean device;
  Add_EEP(device.UnidirectionalList, 0xF6, 2, 1);
  Add_EEP(device.UnidirectionalList, 0xD2, 1, 0x12);
  Add_EEP(device.SmartACKList, 0xA5, 2, 10);
  Add_EEP(device.SmartACKList, 0xA5, 3, 2);

  EXPECT_EQ(Check_Variable_Data(Cat, device, Choice(2, 0, 1, 0, 0)).TextId, Text_No_Space_EEP);
  const TVariable_Check existing = Check_Variable_Data(Cat, device, Choice(1, 0, 0, 0, 0));
  EXPECT_EQ(existing.TextId, 0);
  EXPECT_EQ(existing.EEP_Index, 1);
  TVariable_Choice smart_ack = Choice(2, 0, 0, 0, 0);
  smart_ack.Uni_SAck = 1;
  EXPECT_EQ(Check_Variable_Data(Cat, device, smart_ack).EEP_Index, 0);

  // Modifying an EEP into a triple the device does not have yet counts as adding one.
  TVariable_Choice modify = Choice(2, 0, 1, -1, -1, u"");
  modify.Mode = 1;
  modify.Modify_EEP_Var = 0;
  modify.Ind_EEP = 0;
  EXPECT_EQ(Check_Variable_Data(Cat, device, modify).TextId, Text_No_Space_EEP);
  device.SmartACKList.pop_back();
  const TVariable_Check replaced = Check_Variable_Data(Cat, device, modify);
  EXPECT_EQ(replaced.TextId, 0);
  EXPECT_EQ(replaced.EEP_Index, -1);
  // Its own triple is accepted too.
  modify.RorgInd = 0;
  modify.FuncInd = 0;
  modify.TypeInd = 0;
  EXPECT_EQ(Check_Variable_Data(Cat, device, modify).EEP_Index, 0);
}

TEST_F(VariableChoice, ModifiedVariableIsNotComparedWithItself) {
  TDevice_EnOcean device;
  TRorFunTyp& eep = Add_EEP(device.UnidirectionalList, 0xF6, 2, 1);
  Add_Var(eep, 0, u"R1", 4);
  Add_Var(eep, 0, u"EB", 5);
  TVariable_Choice choice = Choice(0, 0, 0, 0, 0, u"40");
  choice.Mode = 1;
  choice.Modify_EEP_Var = 1;
  choice.Ind_EEP = 0;
  choice.Ind_Var = 0;
  EXPECT_EQ(Check_Variable_Data(Cat, device, choice).TextId, 0);
  choice.Ind_Var = 1;  // EB changed into R1, which the EEP already has
  EXPECT_EQ(Check_Variable_Data(Cat, device, choice).TextId, Text_Variable_Twice);
}

TEST_F(VariableChoice, ISNewEEPComparesNumbersAndCheckVarTheCaseAndField) {
  TDevice_EnOcean device;
  Add_EEP(device.UnidirectionalList, 0xF6, 2, 1);
  TRorFunTyp& a5 = Add_EEP(device.UnidirectionalList, 0xA5, 2, 10);
  Add_Var(a5, 0, u"HUM");
  Add_EEP(device.UnidirectionalList, 0xA5, 2, 10);  // the same triple again: the first one counts
  struct Row {
    const char* name;
    TVariable_Choice choice;
    bool isNew;
    Integer index;
  };
  TVariable_Choice smart_ack = Choice(2, 0, 0);
  smart_ack.Uni_SAck = 1;
  const Row rows[] = {
      {"first EEP", Choice(0, 0, 0), false, 0},
      {"first of two equal triples", Choice(2, 0, 0), false, 1},
      {"another TYPE position with the same number", Choice(2, 0, 1), false, 1},
      {"triple not in the device", Choice(1, 0, 0), true, -1},
      {"no TYPE chosen", Choice(2, 0, -1), true, -1},
      {"the other list", smart_ack, true, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Integer index = 99;
    EXPECT_EQ(ISNewEEP(Cat, device, row.choice, index), row.isNew);
    EXPECT_EQ(index, row.index);
  }

  // HUM under case 0 of TYPE position 1 is what EEP 1 holds; under case 1 it is another pair.
  EXPECT_TRUE(Check_Var(Cat, device, Choice(2, 0, 1, 0, 0), 1));
  EXPECT_FALSE(Check_Var(Cat, device, Choice(2, 0, 1, 1, 0), 1));
  EXPECT_FALSE(Check_Var(Cat, device, Choice(2, 0, 1, 0, 0), 2));
  EXPECT_FALSE(Check_Var(Cat, device, Choice(2, 0, 1, 0, -1), 1));  // no data field chosen
  EXPECT_FALSE(Check_Var(Cat, device, Choice(2, 0, 1, 0, 0), 3));   // no such EEP
}

TEST_F(VariableChoice, UnidirectionalPrefill) {
  TDevice_EnOcean device;
  TRorFunTyp& rocker = Add_EEP(device.UnidirectionalList, 0xF6, 2, 1);
  Add_Var(rocker, 0, u"EB", 12, 3);
  Add_Var(rocker, 0, u"Gone", 7, 1);
  Add_Var(rocker, 5, u"R1", 8, 2);
  Add_EEP(device.UnidirectionalList, 0xA7, 2, 1);
  Add_EEP(device.UnidirectionalList, 0xA5, 0x20, 1);
  Add_EEP(device.UnidirectionalList, 0xA5, 2, 10);

  struct Row {
    const char* name;
    Integer ind_eep, ind_var;
    bool prefilled;
    Integer r, f, t, c, v;
    String position;
    Integer bitStart;
  };
  const Row rows[] = {
      {"variable", 0, 0, true, 0, 0, 0, 0, 1, u"12", 3},
      {"EEP only", 0, -1, true, 0, 0, 0, -1, -1, u"", 0},
      {"field the catalogue lost", 0, 1, true, 0, 0, 0, 0, -1, u"7", 1},
      {"case the catalogue lacks", 0, 2, true, 0, 0, 0, -1, -1, u"", 0},
      {"unknown RORG", 1, -1, true, -1, -1, -1, -1, -1, u"", 0},
      {"FUNC only under a later RORG of the number", 2, -1, true, 2, -1, -1, -1, -1, u"", 0},
      {"first TYPE of a repeated number", 3, -1, true, 2, 0, 0, -1, -1, u"", 0},
      {"nothing selected", -1, -1, false, -1, -1, -1, -1, -1, u"", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TVariable_Prefill p = ShowData_Uni_Prefill(Cat, device, row.ind_eep, row.ind_var);
    EXPECT_EQ(p.Prefilled, row.prefilled);
    EXPECT_EQ(p.RorgInd, row.r);
    EXPECT_EQ(p.FuncInd, row.f);
    EXPECT_EQ(p.TypeInd, row.t);
    EXPECT_EQ(p.CaseInd, row.c);
    EXPECT_EQ(p.VarInd, row.v);
    EXPECT_EQ(p.Position, row.position);
    EXPECT_EQ(p.BitStart, row.bitStart);
  }
}

TEST_F(VariableChoice, SmartAckPrefillKeepsTheFixedPositions) {
  // A catalogue whose RORG at position 3 has ten FUNCs, the last holding one TYPE.
  std::string xml = "<profile>";
  for (int r = 0; r < 3; ++r) xml += "<rorg><number>" + std::to_string(r + 1) + "</number></rorg>";
  xml += "<rorg><number>0xD2</number>";
  for (int f = 0; f < 10; ++f) xml += "<func><number>" + std::to_string(f) + "</number></func>";
  xml.insert(xml.size() - std::string("</func>").size(),
             "<type><number>1</number><case><title>c</title><datafield><data>V</data></datafield></case></type>");
  xml += "</rorg></profile>";
  TCatalog_EnOcean cat;
  ASSERT_TRUE(cat.Read_Cat_EnOcean_Bytes(xml));
  ASSERT_EQ(cat.Get_Type(3, 9, 0)->FNumber, 1);

  TDevice_EnOcean device;
  Add_Var(Add_EEP(device.SmartACKList, 0xD2, 9, 1), 0, u"V", 30, 4);
  Add_EEP(device.SmartACKList, 0xD2, 8, 1);
  Add_EEP(device.SmartACKList, 0xA5, 9, 1);

  TVariable_Prefill p = ShowData_SAck_Prefill(cat, device, 0, 0);
  EXPECT_EQ(p.RorgInd, 3);
  EXPECT_EQ(p.FuncInd, 9);
  EXPECT_EQ(p.TypeInd, 0);
  EXPECT_EQ(p.CaseInd, 0);
  EXPECT_EQ(p.VarInd, 0);
  EXPECT_EQ(p.Position, u"30");
  EXPECT_EQ(p.BitStart, 4);
  for (Integer other : {1, 2}) {
    SCOPED_TRACE(other);
    p = ShowData_SAck_Prefill(cat, device, other, -1);
    EXPECT_EQ(p.RorgInd, 3);
    EXPECT_EQ(p.FuncInd, 9);
    EXPECT_EQ(p.TypeInd, -1);
  }
  // The hand-made catalogue has no FUNC at position 9 of RORG 3.
  p = ShowData_SAck_Prefill(Cat, device, 0, 0);
  EXPECT_TRUE(p.Prefilled);
  EXPECT_EQ(p.RorgInd, 3);
  EXPECT_EQ(p.FuncInd, -1);
  EXPECT_EQ(p.TypeInd, -1);
}

TEST_F(VariableChoice, EditorFlowsChangeTheModel) {
  TDevice_EnOcean device;
  // A new triple makes a new EEP with the catalogue's numbers.
  TVariable_Choice add = Choice(1, 0, 0, 0, 1, u"$10");
  add.BitStart = 5;
  ASSERT_EQ(Add_Variable(Cat, device, add, -1), 0);
  ASSERT_EQ(device.UnidirectionalList.size(), 1u);
  const TRorFunTyp& eep = *device.UnidirectionalList[0];
  EXPECT_EQ(eep.FRorgNum, 0xD2);
  EXPECT_EQ(eep.FFuncNum, 1);
  EXPECT_EQ(eep.FTypeNum, 0x12);
  ASSERT_EQ(eep.VariableList.size(), 1u);
  const TVarEnOcean& ov = *eep.VariableList[0];
  EXPECT_EQ(ov.FCaseIndex, 0);
  EXPECT_EQ(ov.FData, u"OV");
  EXPECT_EQ(ov.FBitOffs, 17);
  EXPECT_EQ(ov.FBitSize, 7);
  EXPECT_EQ(ov.FPosition, 16);
  EXPECT_EQ(ov.FBitStart, 5);

  // An existing EEP takes the variable.
  EXPECT_EQ(Add_Variable(Cat, device, Choice(1, 0, 0, 1, 0, u"3"), 0), 0);
  EXPECT_EQ(device.UnidirectionalList[0]->VariableList.size(), 2u);
  EXPECT_EQ(device.UnidirectionalList[0]->VariableList[1]->FCaseIndex, 1);

  // Modify the first variable into CMD of case 0.
  TVariable_Choice modify = Choice(1, 0, 0, 0, 0, u"44");
  modify.Mode = 1;
  modify.Modify_EEP_Var = 1;
  modify.Ind_EEP = 0;
  modify.Ind_Var = 0;
  ASSERT_TRUE(Modify_Variable(Cat, device, modify));
  EXPECT_EQ(device.UnidirectionalList[0]->VariableList[0]->FData, u"CMD");
  EXPECT_EQ(device.UnidirectionalList[0]->VariableList[0]->FBitOffs, 4);
  EXPECT_EQ(device.UnidirectionalList[0]->VariableList[0]->FPosition, 44);
  modify.Ind_Var = 9;
  EXPECT_FALSE(Modify_Variable(Cat, device, modify));

  // Modify the EEP: keeping the variables, then releasing them.
  TVariable_Choice eep_choice = Choice(0, 0, 0);
  eep_choice.Mode = 1;
  eep_choice.Ind_EEP = 0;
  ASSERT_TRUE(Modify_EEP(Cat, device, eep_choice, false));
  EXPECT_EQ(device.UnidirectionalList[0]->FRorgNum, 0xF6);
  EXPECT_EQ(device.UnidirectionalList[0]->VariableList.size(), 2u);
  ASSERT_TRUE(Modify_EEP(Cat, device, eep_choice, true));
  EXPECT_TRUE(device.UnidirectionalList[0]->VariableList.empty());

  // Remove.
  Add_Variable(Cat, device, Choice(0, 0, 0, 0, 0), 0);
  EXPECT_FALSE(Remove_Variable(device, 0, 0, 1));
  EXPECT_TRUE(Remove_Variable(device, 0, 0, 0));
  EXPECT_TRUE(device.UnidirectionalList[0]->VariableList.empty());
  EXPECT_FALSE(Remove_EEP(device, 1, 0));
  EXPECT_TRUE(Remove_EEP(device, 0, 0));
  EXPECT_TRUE(device.UnidirectionalList.empty());
}

}  // namespace
