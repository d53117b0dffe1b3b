// The variable dialog: its layout, the cascade of catalogue lists, the prefill from the network,
// the locks per mode and the messages of its OK check.
//
// Positions in forms/eep_cascade.xml:
//   RORG 0 = 0xF6: FUNC 0 = 0x02: TYPE 0 = 0x01: case 0 "Pressed" (R1, EB), case 1 "Released" (EB)
//   RORG 1 = 0xD5: FUNC 0 = 0x00: TYPE 0 = 0x01: case 0 (CO)
//   RORG 2 = 0xA5: FUNC 0 = 0x02: TYPE 0 = 0x05: case 0 (TMP)
//                  FUNC 1 = 0x04: TYPE 0 = 0x01: case 0 (HUM, TMP)
//   RORG 3 = 0xD2: FUNC 0..8 without types, FUNC 9 = 0x09: TYPE 0 = 0x01 (no case),
//                  TYPE 1 = 0x02: case 0 (SP)
#include "enocean/UEnOcean_Variable.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "components/buttons/FadeButton.h"
#include "platform/gui/ExtCtrls.h"
#include "tests/enocean/EnOceanFormsTestState.h"
#include "tests/enocean/NetworkBuilders.h"

using enocean_forms_test::Expect_Layout;
using enocean_forms_test::Expect_Variable_Frame;
using enocean_forms_test::Items_Of;
using enocean_forms_test::TFormHolder;
using enocean_forms_test::User_Choose;
using enocean_test::Add_Device;
using enocean_test::Add_EEP;
using enocean_test::Add_Var;

namespace {

// What the five catalogue lists and the variable's fields show.
struct TShown {
  Integer Rorg, Func, Type, Case, Var;
  String Position;
  Integer BitStart;
};

class UEnOcean_Variable : public enocean_forms_test::TEnOceanFormsTest {
 protected:
  void SetUp() override {
    TEnOceanFormsTest::SetUp();
    Dlg.Create();
    Dlg->DevList = &DevList;
  }

  TShown Shown() const {
    return {Dlg->CB_EEP_Rorg->ItemIndex(),     Dlg->CB_EEP_Func->ItemIndex(),     Dlg->CB_EEP_Type->ItemIndex(),
            Dlg->CB_Var_Case->ItemIndex(),     Dlg->CB_Var_Variable->ItemIndex(), Dlg->E_Var_Position->Text(),
            Dlg->CB_Var_BitStart->ItemIndex()};
  }
  void Expect_Shown(const TShown& Want) const {
    const TShown got = Shown();
    EXPECT_EQ(got.Rorg, Want.Rorg);
    EXPECT_EQ(got.Func, Want.Func);
    EXPECT_EQ(got.Type, Want.Type);
    EXPECT_EQ(got.Case, Want.Case);
    EXPECT_EQ(got.Var, Want.Var);
    EXPECT_EQ(got.Position, Want.Position);
    EXPECT_EQ(got.BitStart, Want.BitStart);
  }

  // The user's choices from RORG down to the variable; a -1 ends them.
  void Choose_Levels(Integer r, Integer f = -1, Integer t = -1, Integer c = -1, Integer v = -1) {
    User_Choose(Dlg->CB_EEP_Rorg, r);
    if (r < 0) return;
    User_Choose(Dlg->CB_EEP_Func, f);
    if (f < 0) return;
    User_Choose(Dlg->CB_EEP_Type, t);
    if (t < 0) return;
    User_Choose(Dlg->CB_Var_Case, c);
    if (c < 0) return;
    User_Choose(Dlg->CB_Var_Variable, v);
  }

  const TRorg& Rorg(Integer r) const { return *Catalog->List_Rorg[r]; }

  TDevice_EnOcean_List DevList;
  TFormHolder<TFEnOcean_Variable> Dlg;
};

TEST_F(UEnOcean_Variable, LayoutAndTexts) {
  TFEnOcean_Variable* f = Dlg.Form;
  Expect_Variable_Frame(f, 460, 390);
  Expect_Layout({
      {"case", f->CB_Var_Case, 134, 235, 307, 22},
      {"variable", f->CB_Var_Variable, 134, 263, 307, 22},
      {"position label", f->L_Var_Position, 16, 291, -1, -1},
      {"position", f->E_Var_Position, 134, 291, 307, 21},
      {"bit start", f->CB_Var_BitStart, 134, 319, 307, 22},
      {"title panel", f->P_Title, 0, 0, 460, 69},
      {"button panel", f->P_Button, 0, 350, 460, 40},
  });

  EXPECT_EQ(f->Caption(), u"Add EnOcean Variable");
  EXPECT_EQ(f->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(f->L_SW_Desc->Caption(), u"Add EnOcean Variable");
  EXPECT_EQ(f->Btn_OK->Hint(), u"Confirm and save the EnOcean Variable");
  EXPECT_EQ(f->L_EEP->Caption(), u"EEP");
  EXPECT_EQ(f->L_EEP_RORG->Caption(), u"Rorg");
  EXPECT_EQ(f->CB_EEP_Func->Hint(), u"Select Functionality");
  EXPECT_EQ(f->L_Var_BitStart->Caption(), u"Bit Start");

  // The RORG list is the catalogue's, nothing chosen yet; the start bits "0" to "7" from item 0.
  EXPECT_EQ(Items_Of(f->CB_EEP_Rorg), Catalog->Rorg_SL);
  EXPECT_EQ(f->CB_EEP_Rorg->ItemIndex(), -1);
  EXPECT_EQ(Items_Of(f->CB_Var_BitStart),
            (std::vector<String>{u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"}));
  EXPECT_EQ(f->CB_Var_BitStart->ItemIndex(), 0);
  for (TComboBox* list : {f->CB_EEP_Rorg, f->CB_EEP_Func, f->CB_EEP_Type, f->CB_Var_Case, f->CB_Var_Variable,
                          f->CB_Var_BitStart}) {
    EXPECT_EQ(list->Style(), csDropDownList);
  }
}

TEST_F(UEnOcean_Variable, TheCascadeFillsEachLevelFromTheCatalogue) {
  TestHarness::ShowForm(Dlg.Form);
  const TRorg& a5 = Rorg(2);

  User_Choose(Dlg->CB_EEP_Rorg, 2);
  EXPECT_EQ(Items_Of(Dlg->CB_EEP_Func), a5.Func_SL);
  EXPECT_EQ(Items_Of(Dlg->CB_EEP_Func), (std::vector<String>{u"0x02 : Temperature", u"0x04 : Temperature and humidity"}));
  EXPECT_TRUE(Items_Of(Dlg->CB_EEP_Type).empty());
  Expect_Shown({2, -1, -1, -1, -1, u"", 0});

  User_Choose(Dlg->CB_EEP_Func, 1);
  EXPECT_EQ(Items_Of(Dlg->CB_EEP_Type), a5.List_Func[1]->Type_SL);
  Expect_Shown({2, 1, -1, -1, -1, u"", 0});

  User_Choose(Dlg->CB_EEP_Type, 0);
  EXPECT_EQ(Items_Of(Dlg->CB_Var_Case), a5.List_Func[1]->List_Type[0]->Case_SL);
  EXPECT_TRUE(Items_Of(Dlg->CB_Var_Variable).empty());

  User_Choose(Dlg->CB_Var_Case, 0);
  EXPECT_EQ(Items_Of(Dlg->CB_Var_Variable), a5.List_Func[1]->List_Type[0]->List_Case[0]->DataField_SL);
  EXPECT_EQ(Dlg->CB_Var_Variable->Items()->Count(), 2);

  // Choosing the variable changes nothing else; the position and start bit are the user's.
  Dlg->E_Var_Position->SetText(u"17");
  User_Choose(Dlg->CB_Var_BitStart, 5);
  User_Choose(Dlg->CB_Var_Variable, 1);
  Expect_Shown({2, 1, 0, 0, 1, u"17", 5});

  // Each level chosen again empties everything below it, position and start bit included.
  struct Row {
    const char* name;
    TComboBox* list;
    Integer index;
    TShown shown;
    Integer func_items, type_items, case_items, var_items;
  };
  TFEnOcean_Variable* f = Dlg.Form;
  const Row rows[] = {
      {"case again", f->CB_Var_Case, 0, {2, 1, 0, 0, -1, u"", 0}, 2, 1, 1, 2},
      {"type again", f->CB_EEP_Type, 0, {2, 1, 0, -1, -1, u"", 0}, 2, 1, 1, 0},
      {"other func", f->CB_EEP_Func, 0, {2, 0, -1, -1, -1, u"", 0}, 2, 1, 0, 0},
      {"other rorg", f->CB_EEP_Rorg, 0, {0, -1, -1, -1, -1, u"", 0}, 1, 0, 0, 0},
      {"rorg without types below", f->CB_EEP_Rorg, 3, {3, -1, -1, -1, -1, u"", 0}, 10, 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Dlg->E_Var_Position->SetText(u"17");
    Dlg->CB_Var_BitStart->SetItemIndex(5);
    User_Choose(row.list, row.index);
    Expect_Shown(row.shown);
    EXPECT_EQ(Dlg->CB_EEP_Func->Items()->Count(), row.func_items);
    EXPECT_EQ(Dlg->CB_EEP_Type->Items()->Count(), row.type_items);
    EXPECT_EQ(Dlg->CB_Var_Case->Items()->Count(), row.case_items);
    EXPECT_EQ(Dlg->CB_Var_Variable->Items()->Count(), row.var_items);
  }
  Dlg->Hide();
}

TEST_F(UEnOcean_Variable, ASelectionMadeInCodeRunsNoCascade) {
  TestHarness::ShowForm(Dlg.Form);
  Choose_Levels(2, 1, 0, 0, 1);
  Dlg->E_Var_Position->SetText(u"8");
  Dlg->CB_EEP_Rorg->SetItemIndex(0);
  // The lists below still show the A5 entries: only a user's choice (or the dialog's own call of
  // its handler) refills them.
  EXPECT_EQ(Items_Of(Dlg->CB_EEP_Func), Rorg(2).Func_SL);
  Expect_Shown({0, 1, 0, 0, 1, u"8", 0});
  Dlg->Hide();
}

TEST_F(UEnOcean_Variable, AKeyInTheRorgListIsAUsersChoice) {
  TestHarness::ShowForm(Dlg.Form);
  User_Choose(Dlg->CB_EEP_Rorg, 1);
  Dlg->CB_EEP_Rorg->SetFocus();
  TestHarness::ProcessEvents();
  TestHarness::Key(Dlg->CB_EEP_Rorg, VK_DOWN);
  EXPECT_EQ(Dlg->CB_EEP_Rorg->ItemIndex(), 2);
  EXPECT_EQ(Items_Of(Dlg->CB_EEP_Func), Rorg(2).Func_SL);
  Dlg->Hide();
}

// The user opens a list with the mouse and the list, not the box, takes the release of the button;
// the lists below must still take the next clicks of the user.
TEST_F(UEnOcean_Variable, AListOpenedWithTheMouseLetsTheNextClickReachAnotherList) {
  TestHarness::ShowForm(Dlg.Form);
  User_Choose(Dlg->CB_EEP_Rorg, 2);
  const TPoint inside(20, 10);
  TestHarness::MouseDown(Dlg->CB_EEP_Rorg, mbLeft, inside);
  ASSERT_TRUE(Dlg->CB_EEP_Rorg->DroppedDown());
  // The list closes without the box seeing the release (a choice in the list or Escape).
  Dlg->CB_EEP_Rorg->SetDroppedDown(false);
  EXPECT_NE(GetCaptureControl(), static_cast<TControl*>(Dlg->CB_EEP_Rorg));

  TestHarness::MouseDown(Dlg->CB_EEP_Func, mbLeft, inside);
  EXPECT_TRUE(Dlg->CB_EEP_Func->DroppedDown());
  EXPECT_FALSE(Dlg->CB_EEP_Rorg->DroppedDown());
  Dlg->CB_EEP_Func->SetDroppedDown(false);
  EXPECT_EQ(GetCaptureControl(), nullptr);
  Dlg->Hide();
}

// The darkest grey level of a control's text area as it shows (0 black, 255 white).
Integer Darkest_Text(TControl* Control) {
  Integer darkest = 255;
  for (Integer y = 3; y < Control->Height() - 3; ++y) {
    for (Integer x = 3; x < Control->Width() - 30; ++x) {
      const TColor c = TestHarness::Pixel(Control, x, y);
      darkest = std::min<Integer>(darkest, std::max({c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF}));
    }
  }
  return darkest;
}

// A locked list must look locked: its text is greyed, not drawn like the text of a list the user
// can still change.
TEST_F(UEnOcean_Variable, ALockedListShowsItsChoiceGreyed) {
  TestHarness::ShowForm(Dlg.Form);
  User_Choose(Dlg->CB_EEP_Rorg, 2);
  TestHarness::ProcessEvents();
  const Integer enabled = Darkest_Text(Dlg->CB_EEP_Rorg);
  Dlg->CB_EEP_Rorg->SetEnabled(false);
  TestHarness::ProcessEvents();
  const Integer locked = Darkest_Text(Dlg->CB_EEP_Rorg);
  EXPECT_LT(enabled, 0x40);
  EXPECT_GT(locked, enabled + 0x30);
  Dlg->Hide();
}

// The dialog closes under the mouse (OK or Cancel clicked): at its next showing, with the mouse
// elsewhere, the button must not still show hot.
TEST_F(UEnOcean_Variable, AButtonUnderTheMouseAtClosingIsNotHotAtTheNextShowing) {
  for (TFadeButton* button : {Dlg->Btn_OK, Dlg->Btn_Cancel}) {
    SCOPED_TRACE(StringToUtf8(button->Name()));
    TestHarness::ShowForm(Dlg.Form);
    TestHarness::MouseEnter(button);
    ASSERT_TRUE(button->Hot());
    Dlg->Hide();
    TestHarness::ShowForm(Dlg.Form);
    EXPECT_FALSE(button->Hot());
    Dlg->Hide();
  }
}

TEST_F(UEnOcean_Variable, PrefillSelectsTheLevelsOfTheNetworksEntry) {
  TDevice_EnOcean& device = Add_Device(DevList);
  TRorFunTyp& temp_hum = Add_EEP(device.UnidirectionalList, 0xA5, 0x04, 0x01);
  Add_Var(temp_hum, 0, u"TMP", 12, 2);
  Add_Var(temp_hum, 0, u"HUM", 3, 0);
  TRorFunTyp& rocker = Add_EEP(device.UnidirectionalList, 0xF6, 0x02, 0x01);
  Add_Var(rocker, 1, u"EB", 40, 7);
  Add_Var(rocker, 0, u"Gone", 41, 1);   // a field the catalogue does not hold
  Add_Var(rocker, 5, u"EB", 42, 1);     // a case the catalogue does not hold
  Add_EEP(device.UnidirectionalList, 0xA5, 0x38, 0x08);  // a FUNC the catalogue does not hold
  Add_EEP(device.UnidirectionalList, 0xB0, 0x01, 0x01);  // a RORG the catalogue does not hold

  struct Row {
    const char* name;
    Integer ind_eep, ind_var;
    TShown shown;
  };
  const Row rows[] = {
      {"first field of the second case", 1, 0, {0, 0, 0, 1, 0, u"40", 7}},
      {"second field of an EEP", 0, 1, {2, 1, 0, 0, 0, u"3", 0}},
      {"field found at its own position", 0, 0, {2, 1, 0, 0, 1, u"12", 2}},
      {"EEP without a variable", 1, -1, {0, 0, 0, -1, -1, u"", 0}},
      {"field unknown to the catalogue", 1, 1, {0, 0, 0, 0, -1, u"41", 1}},
      {"case unknown to the catalogue", 1, 2, {0, 0, 0, -1, -1, u"", 0}},
      {"FUNC unknown to the catalogue", 2, -1, {2, -1, -1, -1, -1, u"", 0}},
      {"RORG unknown to the catalogue", 3, -1, {-1, -1, -1, -1, -1, u"", 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Choose_Levels(1, 0, 0, 0, 0);  // the lists show something else before
    Dlg->ShowData_Uni_Add_Var(0, row.ind_eep, row.ind_var);
    Expect_Shown(row.shown);
    // Every level shown holds the entries of the level above it.
    const TShown s = row.shown;
    if (s.Rorg >= 0) { EXPECT_EQ(Items_Of(Dlg->CB_EEP_Func), Rorg(s.Rorg).Func_SL); }
    if (s.Func >= 0) { EXPECT_EQ(Items_Of(Dlg->CB_EEP_Type), Rorg(s.Rorg).List_Func[s.Func]->Type_SL); }
    if (s.Type >= 0) {
      EXPECT_EQ(Items_Of(Dlg->CB_Var_Case), Rorg(s.Rorg).List_Func[s.Func]->List_Type[s.Type]->Case_SL);
    }
    if (s.Case >= 0) {
      EXPECT_EQ(Items_Of(Dlg->CB_Var_Variable),
                Rorg(s.Rorg).List_Func[s.Func]->List_Type[s.Type]->List_Case[s.Case]->DataField_SL);
    } else {
      EXPECT_TRUE(Items_Of(Dlg->CB_Var_Variable).empty());
    }
  }
}

TEST_F(UEnOcean_Variable, WithNothingSelectedTheListsKeepTheLastUse) {
  Add_Device(DevList);
  Choose_Levels(2, 1, 0, 0, 1);
  Dlg->E_Var_Position->SetText(u"9");
  Dlg->ShowData_Uni_Add_Var(0, -1, -1);
  Expect_Shown({2, 1, 0, 0, 1, u"9", 0});
  EXPECT_EQ(Dlg->Ind_Dev, 0);
}

TEST_F(UEnOcean_Variable, SmartAckKeepsRorgAndFuncAtTheirFixedPositions) {
  TDevice_EnOcean& device = Add_Device(DevList);
  TRorFunTyp& vld = Add_EEP(device.SmartACKList, 0xD2, 0x09, 0x02);
  Add_Var(vld, 0, u"SP", 5, 1);
  Add_EEP(device.SmartACKList, 0xA5, 0x02, 0x05);

  Choose_Levels(2, 1, 0, 0, 1);
  Dlg->ShowData_SAck_Add_Var(0, 0, 0);
  Expect_Shown({3, 9, 1, 0, 0, u"5", 1});

  // An EEP elsewhere in the catalogue: RORG and FUNC at the fixed positions, no TYPE chosen.
  Dlg->ShowData_SAck_Add_Var(0, 1, -1);
  Expect_Shown({3, 9, -1, -1, -1, u"", 0});
  EXPECT_EQ(Items_Of(Dlg->CB_EEP_Type), Rorg(3).List_Func[9]->Type_SL);

  Dlg->Uni_SAck = 1;
  Dlg->Mode = 1;
  Dlg->Modify_EEP_Var = 0;
  TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm& f) {
    EXPECT_FALSE(Dlg->CB_EEP_Rorg->Enabled());
    EXPECT_FALSE(Dlg->CB_EEP_Func->Enabled());
    EXPECT_TRUE(Dlg->CB_EEP_Type->Enabled());
    EXPECT_EQ(Dlg->CB_EEP_Rorg->ItemIndex(), 3);
    EXPECT_EQ(Dlg->CB_EEP_Func->ItemIndex(), 9);
    User_Choose(Dlg->CB_EEP_Type, 1);
    TestHarness::Click(Dlg->Btn_OK);
    EXPECT_EQ(f.ModalResult(), mrOk);
  });
  EXPECT_EQ(Dlg->ShowModal(), mrOk);
  EXPECT_EQ(Dlg->EEP_Index, 0);
}

TEST_F(UEnOcean_Variable, SmartAckShowingFixesRorgAndFuncOfAnotherUse) {
  Add_Device(DevList);
  Choose_Levels(2, 1, 0);
  Dlg->Ind_Dev = 0;
  Dlg->Uni_SAck = 1;
  Dlg->Mode = 0;
  TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm&) {
    Expect_Shown({3, 9, -1, -1, -1, u"", 0});
    EXPECT_EQ(Items_Of(Dlg->CB_EEP_Func), Rorg(3).Func_SL);
    EXPECT_EQ(Items_Of(Dlg->CB_EEP_Type), Rorg(3).List_Func[9]->Type_SL);
    TestHarness::Click(Dlg->Btn_Cancel);
  });
  EXPECT_EQ(Dlg->ShowModal(), mrCancel);
}

TEST_F(UEnOcean_Variable, MessagesOfTheOKCheck) {
  // Device 0 holds four EEPs, two unidirectional and two Smart-ACK; device 1 none.
  TDevice_EnOcean& full = Add_Device(DevList);
  Add_Var(Add_EEP(full.UnidirectionalList, 0xA5, 0x04, 0x01), 0, u"TMP", 10, 0);
  Add_Var(Add_EEP(full.UnidirectionalList, 0xF6, 0x02, 0x01), 1, u"EB", 11, 0);
  Add_EEP(full.SmartACKList, 0xD2, 0x09, 0x02);
  Add_EEP(full.SmartACKList, 0xD2, 0x09, 0x01);
  Add_Device(DevList);

  struct Row {
    const char* name;
    Integer device;
    Integer r, f, t, c, v;
    const char16_t* position;
    const char16_t* message;  // nullptr: accepted
    Integer eep_index;
  };
  const Row rows[] = {
      {"no RORG", 1, -1, -1, -1, -1, -1, u"0", u"Error!! Select a RORG before add an EEP", -1},
      {"no FUNC", 1, 2, -1, -1, -1, -1, u"0", u"Error!! Select a FUNC before add an EEP", -1},
      {"FUNC without types, no TYPE", 1, 3, 0, -1, -1, -1, u"0", u"Error!! Select a TYPE before add an EEP", -1},
      {"no case", 1, 2, 1, 0, -1, -1, u"0", u"Error!! Select a Variable before add", -1},
      {"no variable", 1, 2, 1, 0, 0, -1, u"0", u"Error!! Select a Variable before add", -1},
      {"TYPE without cases", 1, 3, 9, 0, -1, -1, u"0", u"Error!! Select a Variable before add", -1},
      {"position not a number", 1, 2, 1, 0, 0, 0, u"abc", u"Error!! Position must be between 0 and 1999", -1},
      {"position empty", 1, 2, 1, 0, 0, 0, u"", u"Error!! Position must be between 0 and 1999", -1},
      {"position negative", 1, 2, 1, 0, 0, 0, u"-1", u"Error!! Position must be between 0 and 1999", -1},
      {"position 2000", 1, 2, 1, 0, 0, 0, u"2000", u"Error!! Position must be between 0 and 1999", -1},
      {"position 1999, new EEP", 1, 2, 1, 0, 0, 0, u"1999", nullptr, -1},
      {"variable already in the EEP", 0, 2, 1, 0, 0, 1, u"5", u"Error!! Variable already inserted in EEP", 0},
      {"same field under another case", 0, 0, 0, 0, 0, 1, u"5", nullptr, 1},
      {"other field of an existing EEP", 0, 2, 1, 0, 0, 0, u"5", nullptr, 0},
      {"fifth EEP", 0, 1, 0, 0, 0, 0, u"5", u"Error!! No more space for EEP", -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Dlg->Uni_SAck = 0;
    Dlg->Mode = 0;
    Dlg->ShowData_Uni_Add_Var(row.device, -1, -1);
    TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm& f) {
      Choose_Levels(row.r, row.f, row.t, row.c, row.v);
      Dlg->E_Var_Position->SetText(row.position);
      if (row.message) TestHarness::ExpectMessage(row.message, mtError);
      TestHarness::Click(Dlg->Btn_OK);
      if (f.ModalResult() == mrNone) TestHarness::Click(Dlg->Btn_Cancel);
    });
    EXPECT_EQ(Dlg->ShowModal(), row.message ? mrCancel : mrOk);
    EXPECT_TRUE(TestHarness::Verify());
    EXPECT_EQ(Dlg->EEP_Index, row.eep_index);
  }
  // Nothing of the network changed.
  EXPECT_EQ(DevList[0]->UnidirectionalList.size(), 2u);
  EXPECT_EQ(DevList[0]->UnidirectionalList[0]->VariableList.size(), 1u);
  EXPECT_TRUE(DevList[1]->UnidirectionalList.empty());
}

TEST_F(UEnOcean_Variable, WhatTheEditorReadsAfterOK) {
  Add_Device(DevList);
  Dlg->ShowData_Uni_Add_Var(0, -1, -1);
  TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm&) {
    Choose_Levels(2, 1, 0, 0, 1);
    Dlg->E_Var_Position->SetText(u"25");
    User_Choose(Dlg->CB_Var_BitStart, 3);
    TestHarness::Click(Dlg->Btn_OK);
  });
  ASSERT_EQ(Dlg->ShowModal(), mrOk);
  const TVariable_Choice choice = Dlg->Variable_Choice();
  EXPECT_EQ(choice.RorgInd, 2);
  EXPECT_EQ(choice.FuncInd, 1);
  EXPECT_EQ(choice.TypeInd, 0);
  EXPECT_EQ(choice.CaseInd, 0);
  EXPECT_EQ(choice.VarInd, 1);
  EXPECT_EQ(choice.Position, u"25");
  EXPECT_EQ(choice.BitStart, 3);
  EXPECT_EQ(Dlg->EEP_Index, -1);

  // The editor's step after OK: a new EEP with the chosen numbers and the variable in it.
  const Integer eep = Add_Variable(*Catalog, *DevList[0], choice, Dlg->EEP_Index);
  ASSERT_EQ(eep, 0);
  const TRorFunTyp& added = *DevList[0]->UnidirectionalList[0];
  EXPECT_EQ(added.FRorgNum, 0xA5);
  EXPECT_EQ(added.FFuncNum, 0x04);
  EXPECT_EQ(added.FTypeNum, 0x01);
  ASSERT_EQ(added.VariableList.size(), 1u);
  EXPECT_EQ(added.VariableList[0]->FData, u"TMP");
  EXPECT_EQ(added.VariableList[0]->FPosition, 25);

  // The dialog's own two checks now find that EEP and that variable on the selected device.
  Integer index = -1;
  EXPECT_FALSE(Dlg->ISNewEEP(index));
  EXPECT_EQ(index, 0);
  EXPECT_TRUE(Dlg->Check_Var(index));
}

TEST_F(UEnOcean_Variable, ModifyingAnEEPOffersOnlyItsLevels) {
  TDevice_EnOcean& device = Add_Device(DevList);
  Add_Var(Add_EEP(device.UnidirectionalList, 0xA5, 0x04, 0x01), 0, u"TMP", 12, 2);
  Add_EEP(device.UnidirectionalList, 0xF6, 0x02, 0x01);

  Dlg->Uni_SAck = 0;
  Dlg->Mode = 1;
  Dlg->Modify_EEP_Var = 0;
  Dlg->ShowData_Uni_Add_Var(0, 0, -1);
  TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm& f) {
    EXPECT_EQ(f.Caption(), u"Modify EnOcean EEP");
    EXPECT_EQ(Dlg->L_SW_Desc->Caption(), u"Modify EnOcean EEP");
    Expect_Shown({2, 1, 0, -1, -1, u"", 0});
    EXPECT_TRUE(Items_Of(Dlg->CB_Var_Case).empty());
    for (TWinControl* c : std::initializer_list<TWinControl*>{Dlg->CB_EEP_Rorg, Dlg->CB_EEP_Func, Dlg->CB_EEP_Type}) {
      EXPECT_TRUE(c->Enabled());
    }
    for (TWinControl* c : std::initializer_list<TWinControl*>{Dlg->CB_Var_Case, Dlg->CB_Var_Variable,
                                                              Dlg->E_Var_Position, Dlg->CB_Var_BitStart}) {
      EXPECT_FALSE(c->Enabled());
    }
    // A triple the device already has is accepted.
    Choose_Levels(0, 0, 0);
    TestHarness::Click(Dlg->Btn_OK);
  });
  EXPECT_EQ(Dlg->ShowModal(), mrOk);
  EXPECT_EQ(Dlg->EEP_Index, 1);

  // The next add enables everything again.
  Dlg->Mode = 0;
  TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm& f) {
    EXPECT_EQ(f.Caption(), u"Add EnOcean Variable");
    for (TWinControl* c : std::initializer_list<TWinControl*>{Dlg->CB_EEP_Rorg, Dlg->CB_EEP_Func, Dlg->CB_EEP_Type,
                                                              Dlg->CB_Var_Case, Dlg->CB_Var_Variable,
                                                              Dlg->E_Var_Position, Dlg->CB_Var_BitStart}) {
      EXPECT_TRUE(c->Enabled());
    }
    TestHarness::Click(Dlg->Btn_Cancel);
  });
  EXPECT_EQ(Dlg->ShowModal(), mrCancel);
}

TEST_F(UEnOcean_Variable, ModifyingAVariableFixesItsEEP) {
  TDevice_EnOcean& device = Add_Device(DevList);
  TRorFunTyp& eep = Add_EEP(device.UnidirectionalList, 0xA5, 0x04, 0x01);
  Add_Var(eep, 0, u"TMP", 12, 2);
  Add_Var(eep, 0, u"HUM", 13, 0);

  struct Row {
    const char* name;
    Integer var;
    const char16_t* position;
    const char16_t* message;
  };
  const Row rows[] = {
      {"only the position changed", 0, u"14", nullptr},
      {"the field of another variable", 1, u"12", u"Error!! Variable already inserted in EEP"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Dlg->Uni_SAck = 0;
    Dlg->Mode = 1;
    Dlg->Modify_EEP_Var = 1;
    Dlg->ShowData_Uni_Add_Var(0, 0, 1);  // HUM
    TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm& f) {
      EXPECT_EQ(f.Caption(), u"Modify EnOcean Variable");
      EXPECT_EQ(Dlg->L_SW_Desc->Caption(), u"Modify EnOcean Variable");
      Expect_Shown({2, 1, 0, 0, 0, u"13", 0});
      EXPECT_FALSE(Dlg->CB_EEP_Rorg->Enabled());
      EXPECT_FALSE(Dlg->CB_EEP_Func->Enabled());
      EXPECT_FALSE(Dlg->CB_EEP_Type->Enabled());
      EXPECT_TRUE(Dlg->CB_Var_Case->Enabled());
      EXPECT_TRUE(Dlg->E_Var_Position->Enabled());
      User_Choose(Dlg->CB_Var_Variable, row.var);
      Dlg->E_Var_Position->SetText(row.position);
      if (row.message) TestHarness::ExpectMessage(row.message, mtError);
      TestHarness::Click(Dlg->Btn_OK);
      if (f.ModalResult() == mrNone) TestHarness::Click(Dlg->Btn_Cancel);
    });
    EXPECT_EQ(Dlg->ShowModal(), row.message ? mrCancel : mrOk);
    EXPECT_TRUE(TestHarness::Verify());
  }
}

TEST_F(UEnOcean_Variable, NoDeviceSelected) {
  Dlg->ShowData_Uni_Add_Var(-1, -1, -1);
  TestHarness::ExpectModal(u"TFEnOcean_Variable", [&](TCustomForm&) {
    Choose_Levels(2, 1, 0, 0, 0);
    Dlg->E_Var_Position->SetText(u"1");
    TestHarness::ExpectMessage(u"Error!! Insert or select one EnOcean Device", mtError);
    TestHarness::Click(Dlg->Btn_OK);
    TestHarness::Click(Dlg->Btn_Cancel);
  });
  EXPECT_EQ(Dlg->ShowModal(), mrCancel);
}

}  // namespace

namespace {

// The user rests the pointer on each list and box in turn: a control with a hint text shows it,
// one whose hint is only a blank (the case, the variable, the position, the start bit) shows no
// hint window at all.
TEST_F(UEnOcean_Variable, OnlyControlsWithAHintTextShowAHintWindow) {
  TFEnOcean_Variable* f = Dlg.Form;
  TestHarness::UseFakeClock(true);
  TestHarness::ShowForm(f);
  struct Row {
    const char* name;
    TControl* control;
    const char16_t* hint;
  };
  const Row rows[] = {
      {"RORG", f->CB_EEP_Rorg, u"Select the Radio ORG"},
      {"case", f->CB_Var_Case, u""},
      {"FUNC", f->CB_EEP_Func, u"Select Functionality"},
      {"variable", f->CB_Var_Variable, u""},
      {"position", f->E_Var_Position, u""},
      {"TYPE", f->CB_EEP_Type, u"Select Type of Device"},
      {"bit start", f->CB_Var_BitStart, u""},
      {"OK", f->Btn_OK, u"Confirm and save the EnOcean Variable"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(enocean_forms_test::Hint_After_Rest(row.control, TPoint(20, 8)), String(row.hint));
  }
  Application->CancelHint();
  TestHarness::UseFakeClock(false);
  f->Hide();
}

// A catalogue whose titles run over several lines and past the width of the lists.
class UEnOcean_Variable_Long_Titles : public enocean_forms_test::TEnOceanFormsTest {
 protected:
  void SetUp() override {
    TEnOceanFormsTest::SetUp();
    Catalog = std::make_unique<TCatalog_EnOcean>();
    ASSERT_TRUE(Catalog->Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/enocean/forms/eep_long_titles.xml")));
    Catalog_EnOcean = Catalog.get();
    Dlg.Create();
    Dlg->DevList = &DevList;
  }

  TDevice_EnOcean_List DevList;
  TFormHolder<TFEnOcean_Variable> Dlg;
};

const String Long_Type = u"0x01 : Range 0lx to 510lx, 0\u00B0C to +51\u00B0C and Occupancy Button, with the supply "
                         u"voltage of the sensor reported in every telegram";

// Every list shows its catalogue texts on one line; a text the box cuts is its hint, and the
// dropped list is wide enough for it.
TEST_F(UEnOcean_Variable_Long_Titles, ListsShowTheTextsOnOneLineAndTheirHintsWhole) {
  TestHarness::ShowForm(Dlg.Form);
  User_Choose(Dlg->CB_EEP_Rorg, 0);
  User_Choose(Dlg->CB_EEP_Func, 0);
  User_Choose(Dlg->CB_EEP_Type, 0);
  User_Choose(Dlg->CB_Var_Case, 0);
  EXPECT_EQ(Items_Of(Dlg->CB_EEP_Func), std::vector<String>{u"0x08 : Light, Temperature and Occupancy Sensor"});
  EXPECT_EQ(Items_Of(Dlg->CB_EEP_Type), std::vector<String>{Long_Type});
  EXPECT_EQ(Items_Of(Dlg->CB_Var_Case), std::vector<String>{u"1 -> Illumination, temperature and occupancy"});

  TComboBox* type = Dlg->CB_EEP_Type;
  Application->CancelHint();  // the hint is asked of the control under the mouse
  Application->ActivateHint(type->ClientToScreen(TPoint(20, 10)));
  EXPECT_EQ(Application->Hint(), Long_Type);
  Application->CancelHint();
  // A text the box shows whole keeps the box's own hint.
  Application->ActivateHint(Dlg->CB_EEP_Rorg->ClientToScreen(TPoint(20, 10)));
  EXPECT_EQ(Application->Hint(), u"Select the Radio ORG");
  Application->CancelHint();

  type->SetDroppedDown(true);
  EXPECT_GT(type->DroppedWidth(), type->Width());
  type->SetDroppedDown(false);
  EXPECT_EQ(Dlg->CB_EEP_Rorg->DroppedWidth(), Dlg->CB_EEP_Rorg->Width());
  Dlg->Hide();
}

}  // namespace
