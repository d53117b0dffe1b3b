// The calculator drop-down on a form: the keypad's keys worked one after the other, typing into
// the closed field, keys in the open popup, the thousand separator, and its colour style.
#include "components/dropdown/ExCalculatorDropDown.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

class ExCalculatorDropDownTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Calc = NewCalculator();
  }
  void TearDown() override { TComponent::Free(Form); }

  TExCalculatorDropdown* NewCalculator() {
    auto* C = new TExCalculatorDropdown(Form);
    C->SetParent(Form);
    C->SetBounds(10, 10, 200, 21);
    return C;
  }
  // Presses the keypad key with this caption.
  void Press(const String& Caption) {
    TCustomButtonPanel* P = Calc->ButtonPanel();
    ASSERT_NE(P, nullptr) << "the keypad comes with the first popup";
    for (Integer I = 0; I < P->Buttons()->Count(); ++I)
      if (P->Buttons()->Items(I)->Caption() == Caption) {
        Calc->CalculatorButtonClick(P, I);
        return;
      }
    FAIL() << "no key " << StringToUtf8(Caption);
  }
  void PressAll(const std::vector<String>& Keys) {
    for (const String& K : Keys) Press(K);
  }
  void TypeInPopup(const String& Chars) {
    for (Char C : Chars) {
      Char K = C;
      Calc->DropDownFormKeyPress(K);
    }
  }

  TForm* Form = nullptr;
  TExCalculatorDropdown* Calc = nullptr;
};

TEST_F(ExCalculatorDropDownTest, StartsAsAFloatFieldShowingZero) {
  EXPECT_EQ(Calc->Text(), u"0.00");
  EXPECT_EQ(Calc->EditType(), etFloat);
  EXPECT_EQ(Calc->Precision(), 2);
  EXPECT_EQ(Calc->DropDownWidth(), 230);
  EXPECT_EQ(Calc->DropDownColor(), 0xFFFFFF);
  EXPECT_FALSE(Calc->DropDownHeader()->Visible());
  EXPECT_FALSE(Calc->DropDownFooter()->Visible());
  EXPECT_EQ(Calc->ButtonPanel(), nullptr);
  EXPECT_EQ(Calc->PendingOperator(), coNone);
}

TEST_F(ExCalculatorDropDownTest, KeypadFillsThePopup) {
  Calc->ShowDropDown();
  ASSERT_TRUE(Calc->DroppedDown());
  TCustomButtonPanel* P = Calc->ButtonPanel();
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(Calc->DropDownForm()->Width(), 230);
  EXPECT_EQ(P->ClientWidth(), 228);
  EXPECT_EQ(P->Buttons()->Count(), 28);
  EXPECT_EQ(P->Buttons()->Items(3)->ButtonRect(), Rect(162, 8, 217, 34));
  Calc->HideDropDown(false);
  EXPECT_EQ(Calc->ButtonPanel(), P) << "the keypad lives on with the drop-down";
}

TEST_F(ExCalculatorDropDownTest, KeySequences) {
  struct Row {
    const char* Name;
    std::vector<String> Keys;
    String Expected;
  };
  const std::vector<Row> Rows = {
      {"two digits", {u"7", u"8"}, u"78.00"},
      {"decimals after the point", {u"7", u"8", u".", u"5", u"2"}, u"78.52"},
      {"sum", {u"1", u"2", u"+", u"3", u"="}, u"15.00"},
      {"strictly left to right", {u"2", u"+", u"3", u"*", u"4", u"="}, u"20.00"},
      {"division by zero", {u"5", u"/", u"0", u"="}, u"Error"},
      {"a digit replaces the error", {u"5", u"/", u"0", u"=", u"7"}, u"7.00"},
      {"square root of a negative number", {u"4", u"+/-", u"sqrt"}, u"Error"},
      {"square root", {u"9", u"sqrt"}, u"3.00"},
      {"reciprocal", {u"4", u"1/x"}, u"0.25"},
      {"reciprocal of zero", {u"0", u"1/x"}, u"Error"},
      {"percent of the accumulator", {u"2", u"0", u"0", u"+", u"5", u"%"}, u"10.00"},
      {"equals after percent", {u"2", u"0", u"0", u"+", u"5", u"%", u"="}, u"210.00"},
      {"sign", {u"5", u"+/-"}, u"-5.00"},
      {"sign twice", {u"5", u"+/-", u"+/-"}, u"5.00"},
      {"back drops the last digit of the shortest text", {u"1", u"2", u".", u"2", u"5", u"Back"}, u"12.20"},
      {"back on a single digit", {u"7", u"Back"}, u"0.00"},
      {"back does nothing with a pending operator", {u"5", u"+", u"Back"}, u"5.00"},
      {"memory store, add and recall", {u"3", u"MS", u"C", u"4", u"M+", u"MR"}, u"7.00"},
      {"memory cleared", {u"3", u"MS", u"C", u"4", u"M+", u"MR", u"MC", u"MR"}, u"0.00"},
      {"storing does not start a new number", {u"3", u"MS", u"4"}, u"34.00"},
      {"precision rounds the third decimal", {u"0", u".", u"5", u"7", u"3"}, u"0.57"},
      {"digits past precision change nothing", {u"0", u".", u"5", u"7", u"3", u"9"}, u"0.57"},
      {"clear entry restarts integer entry", {u"1", u".", u"5", u"CE", u"7"}, u"7.00"},
      {"the empty key clears", {u"8", u"+", u"2", u""}, u"0.00"},
  };
  for (const Row& R : Rows) {
    Calc = NewCalculator();
    Calc->ShowDropDown();
    PressAll(R.Keys);
    EXPECT_EQ(Calc->Text(), R.Expected) << R.Name;
    Calc->HideDropDown(false);
  }
}

TEST_F(ExCalculatorDropDownTest, AccumulatorAfterResultsAndErrors) {
  Calc->ShowDropDown();
  PressAll({u"1", u"2", u"+", u"3", u"="});
  EXPECT_EQ(static_cast<double>(Calc->Accumulator()), 15.0);
  EXPECT_EQ(Calc->PendingOperator(), coNone);
  PressAll({u"5", u"/", u"0", u"="});
  EXPECT_EQ(static_cast<double>(Calc->Accumulator()), 0.0) << "a division by zero resets it";
  PressAll({u"3", u"MS"});
  EXPECT_EQ(static_cast<double>(Calc->Memory()), 3.0);
}

TEST_F(ExCalculatorDropDownTest, FullFieldTakesNoDigits) {
  Calc->SetMaxLength(4);
  Calc->ShowDropDown();
  Press(u"1");
  EXPECT_EQ(Calc->Text(), u"0.00") << "the new field's 0.00 already fills it";
  Calc->SetText(u"1");
  ASSERT_EQ(Calc->Text(), u"1.00");
  Calc->SetModified(false);
  for (const String K : {u"5", u"+/-", u"."}) {
    Press(K);
    EXPECT_EQ(Calc->Text(), u"1.00");
    EXPECT_FALSE(Calc->Modified());
  }
  Press(u"sqrt");
  EXPECT_TRUE(Calc->Modified()) << "other keys still act and set the modified state";
}

TEST_F(ExCalculatorDropDownTest, TypingIntoTheClosedField) {
  Calc->SetFocus();
  TestHarness::ProcessEvents();
  TestHarness::TypeText(Calc, u"5+3");
  EXPECT_EQ(Calc->Text(), u"3.00");
  TestHarness::Key(Calc, VK_RETURN);
  EXPECT_EQ(Calc->Text(), u"8.00");
  TestHarness::TypeText(Calc, u"x");
  EXPECT_EQ(Calc->Text(), u"8.00") << "characters that are no part of a number are dropped";
  TestHarness::TypeText(Calc, u"c");
  EXPECT_EQ(Calc->Text(), u"0.00");
  EXPECT_EQ(Calc->PendingOperator(), coNone);
}

TEST_F(ExCalculatorDropDownTest, OpeningKeepsThePendingOperation) {
  Calc->ShowDropDown();
  PressAll({u"5", u"+"});
  Calc->HideDropDown(false);
  Calc->ShowDropDown();
  Press(u"3");
  EXPECT_EQ(Calc->Text(), u"3.00") << "the first digit after an opening starts a new number";
  Press(u"=");
  EXPECT_EQ(Calc->Text(), u"8.00");
}

TEST_F(ExCalculatorDropDownTest, KeysTypedInThePopup) {
  Calc->ShowDropDown();
  TypeInPopup(u"2+3");
  EXPECT_EQ(Calc->Text(), u"3.00");
  TypeInPopup(u"\r");
  EXPECT_EQ(Calc->Text(), u"5.00");
  EXPECT_FALSE(Calc->DroppedDown()) << "Enter closes the popup keeping the result";

  Calc->ShowDropDown();
  Press(u"7");
  TypeInPopup(u"\x1b");
  EXPECT_FALSE(Calc->DroppedDown());
  EXPECT_EQ(Calc->Text(), u"7.00") << "Esc restores the value last written, which the key wrote";

  Calc->ShowDropDown();
  Word Key = VK_TAB;
  Calc->DropDownFormKeyDown(Key, TShiftState());
  EXPECT_FALSE(Calc->DroppedDown());
}

TEST_F(ExCalculatorDropDownTest, DeleteLeavesZeroNotAnEmptyField) {
  Calc->ShowDropDown();
  PressAll({u"0", u"1/x"});
  Calc->HideDropDown(false);
  ASSERT_EQ(Calc->Text(), u"Error");
  Calc->Perform(WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(Calc->Text(), u"0.00");
}

TEST_F(ExCalculatorDropDownTest, ThousandSeparatorShowsAndMemoryReadsThrough) {
  Calc->SetValue(1234.5);
  EXPECT_EQ(Calc->Text(), u"1234.50");
  Calc->SetShowThousandSeparator(true);
  EXPECT_EQ(Calc->EditType(), etMoney);
  EXPECT_EQ(Calc->Text(), u"1,234.50");
  EXPECT_DOUBLE_EQ(Calc->Value(), 1234.5);
  Calc->ShowDropDown();
  Press(u"MS");
  EXPECT_EQ(static_cast<double>(Calc->Memory()), 1234.5);
}

TEST_F(ExCalculatorDropDownTest, AValueThatDoesNotReadRaisesAndChangesNothing) {
  Calc->SetEditType(etString);
  Calc->SetText(u"abc");
  Calc->ShowDropDown();
  EXPECT_THROW(Press(u"+"), EConvertError);
  EXPECT_EQ(Calc->PendingOperator(), coNone);
  EXPECT_EQ(Calc->Text(), u"abc");
}

TEST_F(ExCalculatorDropDownTest, ColourStyleReachesTheKeypadAppearance) {
  TButtonAppearance* A = Calc->CalcButtonAppearance();
  EXPECT_EQ(A->ColorHot(), Calc->ButtonAppearance()->ColorHot()) << "the construction's style";
  EXPECT_EQ(A->GlowColorDown(), 0xD5C244);
  EXPECT_EQ(A->GlowColorHot(), A->ColorDownTo());
  Calc->SetComponentStyle(tsOffice2010Blue);
  EXPECT_EQ(A->ColorHot(), 0x8AE3FD);
  EXPECT_EQ(A->GlowColorHot(), 0x8AE3FD);
  EXPECT_EQ(A->GlowColorDown(), 0x8AE3FD);
  EXPECT_EQ(A->Color(), Calc->ButtonAppearance()->Color());
  Calc->ShowDropDown();
  EXPECT_EQ(Calc->ButtonPanel()->ButtonAppearance()->ColorHot(), 0x8AE3FD) << "copied at the opening";
  EXPECT_EQ(Calc->ButtonPanel()->Color(), Calc->DropDownColor());
}

}  // namespace
