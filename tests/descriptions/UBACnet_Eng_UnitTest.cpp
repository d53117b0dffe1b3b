// The engineering-unit picker: its lists, the select button, what it hands back on OK and Cancel,
// and the category it keeps between uses.
#include "descriptions/UBACnet_Eng_Unit.h"

#include <gtest/gtest.h>

#include "components/buttons/FadeButton.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "tests/descriptions/DescFormsTestState.h"

using desc_test::Expect_Layout;
using desc_test::TFormHolder;

namespace {

constexpr Integer Category_Temperature = 16;
constexpr Integer Category_Other = 22;

class UBACnet_Eng_Unit : public desc_test::TDescFormsTest {
 protected:
  static std::vector<String> Items(TComboBox* Combo) {
    std::vector<String> items;
    for (Integer i = 0; i < Combo->Items()->Count(); ++i) items.push_back(Combo->Items()->Strings(i));
    return items;
  }
  // What the object tables do on a double click in a unit cell: the cell's text and its name.
  static void Hand_Over(TFBACnet_Eng_Unit* Form, const String& Cell) {
    Form->E_Selected_EU->SetText(Cell);
    Form->Label5->SetCaption(Eng_Unit_Label(Cell));
  }
  // The user picks a category in the list with the keyboard: Home, then Down to the category.
  static void Choose_Category(TFBACnet_Eng_Unit* Form, Integer Index) {
    TestHarness::Key(Form->CB_Select_Type, VK_HOME);
    for (Integer i = 0; i < Index; ++i) TestHarness::Key(Form->CB_Select_Type, VK_DOWN);
    ASSERT_EQ(Form->CB_Select_Type->ItemIndex(), Index);
  }
};

TEST_F(UBACnet_Eng_Unit, CreationFillsTheCategoriesAndTheTexts) {
  TFormHolder<TFBACnet_Eng_Unit> form;
  const std::vector<String> categories = Items(form->CB_Select_Type);
  ASSERT_EQ(categories.size(), 23u);
  EXPECT_EQ(categories.front(), u"Acceleration");
  EXPECT_EQ(categories[Category_Temperature], u"Temperature");
  EXPECT_EQ(categories.back(), u"Other");
  EXPECT_EQ(form->CB_Select_Type->Style(), csDropDownList);
  EXPECT_EQ(form->CB_Select_Unit->Style(), csDropDownList);
  EXPECT_EQ(form->ClientWidth(), 548);
  EXPECT_EQ(form->ClientHeight(), 306);
  EXPECT_EQ(form->Caption(), u"Select the BACnet Engineering Unit");
  EXPECT_EQ(form->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(form->L_SW_Desc->Caption(), u"Select the BACnet Engineering Unit");
  EXPECT_EQ(form->Label1->Caption(), u"Selected BACnet Engineering Unit");
  EXPECT_EQ(form->Label2->Caption(), u"Select a New BACnet Engineering Unit");
  EXPECT_EQ(form->Label3->Caption(), u"Select the Type");
  EXPECT_EQ(form->Label4->Caption(), u"Select Unit");
  EXPECT_EQ(form->Btn_Select_Eng_Unit->Caption(), u"Select Engineering Unit");
  EXPECT_EQ(form->Btn_OK->Caption(), u"OK");
  EXPECT_EQ(form->Btn_Cancel->Caption(), u"Cancel");
}

// The first use starts on "Acceleration"; choosing a category fills the unit list with its units
// in the table's order, the first one chosen.
TEST_F(UBACnet_Eng_Unit, TheUnitListFollowsTheCategory) {
  TFormHolder<TFBACnet_Eng_Unit> form;
  TestHarness::ExpectModal(u"TFBACnet_Eng_Unit", [&](TCustomForm&) {
    EXPECT_EQ(form->CB_Select_Type->ItemIndex(), 0);
    EXPECT_EQ(Items(form->CB_Select_Unit), std::vector<String>{Desc_Unit(166)});
    EXPECT_EQ(form->CB_Select_Unit->ItemIndex(), 0);

    Choose_Category(form.Form, 1);
    EXPECT_EQ(Items(form->CB_Select_Unit),
              (std::vector<String>{u"square-meters", u"square-centimeters", u"square-feet",
                                   u"square-inches"}));
    EXPECT_EQ(form->CB_Select_Unit->ItemIndex(), 0);

    Choose_Category(form.Form, Category_Temperature);
    const std::vector<String> temperatures = Items(form->CB_Select_Unit);
    ASSERT_EQ(temperatures.size(), 9u);
    EXPECT_EQ(temperatures.front(), u"degrees-Celsius");
    TestHarness::Click(form->Btn_Cancel);
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

// The select button takes the chosen unit; OK hands back the edit box as it stands, typed text
// included; Cancel hands back nothing (the caller keeps its cell).
TEST_F(UBACnet_Eng_Unit, SelectionAndWhatOkAndCancelReturn) {
  struct Case {
    const char* Name;
    String Cell;                          // handed over by the caller
    std::function<void(TFBACnet_Eng_Unit*)> User;
    TFadeButton* TFBACnet_Eng_Unit::*Close;
    TModalResult Result;
    String Selected;                      // E_Selected_EU when the dialog closes
    String Label;                         // Label5 when the dialog closes
  };
  const Case cases[] = {
      {"first_unit_of_other", u"62",
       [](TFBACnet_Eng_Unit* f) {
         Choose_Category(f, Category_Other);
         TestHarness::Click(f->Btn_Select_Eng_Unit);
       },
       &TFBACnet_Eng_Unit::Btn_OK, mrOk, u"90", u"-> degrees-angular"},
      {"third_temperature", u"62",
       [](TFBACnet_Eng_Unit* f) {
         Choose_Category(f, Category_Temperature);
         f->CB_Select_Unit->SetItemIndex(2);
         TestHarness::Click(f->Btn_Select_Eng_Unit);
       },
       &TFBACnet_Eng_Unit::Btn_OK, mrOk, u"181", u"-> " + Desc_Unit(181)},
      {"typed_number_returned_as_typed", u"62",
       [](TFBACnet_Eng_Unit* f) {
         f->E_Selected_EU->SelectAll();
         TestHarness::TypeText(f->E_Selected_EU, u"12x");
       },
       &TFBACnet_Eng_Unit::Btn_OK, mrOk, u"12x", u"-> degrees-Celsius"},
      {"cell_that_is_no_number", u"abc", [](TFBACnet_Eng_Unit*) {}, &TFBACnet_Eng_Unit::Btn_OK, mrOk,
       u"abc", u"-> unknown"},
      {"cancel_after_a_selection", u"62",
       [](TFBACnet_Eng_Unit* f) { TestHarness::Click(f->Btn_Select_Eng_Unit); },
       &TFBACnet_Eng_Unit::Btn_Cancel, mrCancel, u"166", u"-> " + Desc_Unit(166)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TFormHolder<TFBACnet_Eng_Unit> form;
    Hand_Over(form.Form, c.Cell);
    TestHarness::ExpectModal(u"TFBACnet_Eng_Unit", [&](TCustomForm&) {
      c.User(form.Form);
      TestHarness::Click(form.Form->*c.Close);
    });
    EXPECT_EQ(form->ShowModal(), c.Result);
    EXPECT_EQ(form->E_Selected_EU->Text(), c.Selected);
    EXPECT_EQ(form->Label5->Caption(), c.Label);
    EXPECT_TRUE(TestHarness::Verify());
  }
}

// The dialog is only hidden between uses: the category chosen last time comes back with its units.
TEST_F(UBACnet_Eng_Unit, KeepsTheCategoryBetweenUses) {
  TFormHolder<TFBACnet_Eng_Unit> form;
  TestHarness::ExpectModal(u"TFBACnet_Eng_Unit", [&](TCustomForm&) {
    Choose_Category(form.Form, Category_Temperature);
    form->CB_Select_Unit->SetItemIndex(3);
    TestHarness::Click(form->Btn_OK);
  });
  form->ShowModal();
  TestHarness::ExpectModal(u"TFBACnet_Eng_Unit", [&](TCustomForm&) {
    EXPECT_EQ(form->CB_Select_Type->Text(), u"Temperature");
    EXPECT_EQ(form->CB_Select_Unit->Text(), u"degrees-Celsius");
    EXPECT_EQ(form->CB_Select_Unit->Items()->Count(), 9);
    TestHarness::Click(form->Btn_Cancel);
  });
  form->ShowModal();
}

TEST_F(UBACnet_Eng_Unit, LayoutFollowsTheDesign) {
  TFormHolder<TFBACnet_Eng_Unit> form;
  Expect_Layout({
      {"P_Title", form->P_Title, 0, 0, 548, 69, true},
      {"E_Selected_EU", form->E_Selected_EU, 16, 95, 80, 21, true},
      {"Shape1", form->Shape1, 16, 126, 516, 1, true},
      {"CB_Select_Type", form->CB_Select_Type, 16, 171, 200, 21, true},
      {"CB_Select_Unit", form->CB_Select_Unit, 224, 171, 308, 21, true},
      {"Btn_Select_Eng_Unit", form->Btn_Select_Eng_Unit, 16, 204, 200, 28, true},
      {"Shape2", form->Shape2, 16, 244, 516, 1, true},
      {"P_Button", form->P_Button, 0, 266, 548, 40, true},
      {"Btn_OK", form->Btn_OK, 304, 6, 110, 28, true},
      {"Btn_Cancel", form->Btn_Cancel, 422, 6, 110, 28, true},
  });
  EXPECT_EQ(form->Btn_OK->ModalResult(), mrOk);
  EXPECT_EQ(form->Btn_Cancel->ModalResult(), mrCancel);
  // The label that names the unit stands right of the number.
  EXPECT_GT(form->Label5->Left(), form->E_Selected_EU->Left() + form->E_Selected_EU->Width());
}

}  // namespace
