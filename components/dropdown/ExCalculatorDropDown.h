// The calculator drop-down: a number field whose popup is a pocket-calculator keypad. The user
// types into the field or works the keypad; the result stays in the field. Operations run strictly
// from left to right: an operator first combines the pending operation with the number shown, then
// becomes the pending operation itself.
//
// The field's text is the only store of the number being entered: every key reads the number back
// from the text and writes the new one through the field's numeric formatting (FloatValue and
// Text), so the field's Precision applies to every intermediate value.
#pragma once

#include <memory>

#include "components/dropdown/ExButtonPanel.h"
#include "components/dropdown/ExDropDown.h"

// The function codes (tags) of the calculator keys.
namespace CalcKey {
constexpr Integer Add = 10;
constexpr Integer Subtract = 11;
constexpr Integer Multiply = 12;
constexpr Integer Divide = 13;
constexpr Integer Sign = 14;
constexpr Integer Decimal = 15;
constexpr Integer Clear = 16;
constexpr Integer Equals = 17;
constexpr Integer Percent = 18;
constexpr Integer Empty = 30;
constexpr Integer Back = 31;
constexpr Integer ClearEntry = 32;
constexpr Integer MemoryClear = 33;
constexpr Integer MemoryRecall = 34;
constexpr Integer MemoryStore = 35;
constexpr Integer MemoryAdd = 36;
constexpr Integer SquareRoot = 37;
constexpr Integer Reciprocal = 38;
}  // namespace CalcKey

// The pending operator of the calculator.
enum TCalcOperator : Integer { coNone = -1, coAdd = 0, coMultiply = 1, coSubtract = 2, coDivide = 3 };

class TExCalculatorDropdown : public TExCustomDropDown {
 public:
  explicit TExCalculatorDropdown(TComponent* AOwner);
  ~TExCalculatorDropdown() override;
  String ClassName() const override { return u"TExCalculatorDropdown"; }

  // Copied into the keypad at every opening.
  TButtonAppearance* CalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
  void SetCalcButtonAppearance(TButtonAppearance* Value) { FCalcButtonAppearance->Assign(Value); }
  // On a change the field switches between etMoney (True) and etFloat and re-formats at once.
  bool ShowThousandSeparator() const { return FShowThousandSeparator; }
  void SetShowThousandSeparator(bool Value);

  // The number shown: an empty field is first given "0"; a text that does not read gives 0.
  double Value();
  // Writes the number in general format; the Text write then formats it by Precision.
  void SetValue(double V);

  // The "=" operation; the grid runs it when Enter is pressed in the cell.
  void CalcResult();
  // The action of the keypad key at ButtonIndex (the keypad's OnButtonClick).
  void CalculatorButtonClick(TObject* Sender, Integer ButtonIndex);
  // Called before every keypad key and every key typed in the popup; empty here.
  virtual void BeforeCalculatorInput();

  // The calculator's state.
  long double Accumulator() const { return FPrevval; }
  TCalcOperator PendingOperator() const { return static_cast<TCalcOperator>(FPrevop); }
  long double Memory() const { return FMVal; }
  bool StartsNewNumber() const { return FNewval; }
  // The keypad (nullptr before the first opening).
  TCustomButtonPanel* ButtonPanel() const { return FExButtonPanel; }

  void SetComponentStyle(TNorvStyle AStyle) override;

  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void DoHideDropDown(bool CancelChanges) override;
  void AfterDropUp() override;
  void DropDownFormKeyPress(Char& Key) override;
  void DropDownFormKeyDown(Word& Key, TShiftState Shift) override;

 protected:
  // Characters typed into the field run the calculator's own handling first (FieldKeyPress); what
  // it lets through takes the typed entry of the edit type.
  void BeforeTypedEntry(Char& Key) override;
  // Forgets the keypad when it is freed (owned components go before the destructor runs).
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WMKeyDown(TMessage& M) override;
  void CMEnter(TMessage& M) override;

  // The display read as a number (thousand separators removed, the locale's decimal separator);
  // raises the conversion error for a text that does not read.
  long double ParseDisplay() const;
  // Combines the pending operation with the number shown.
  void ApplyPendingOperation();
  void DoAdd();
  void DoSubtract();
  void DoMultiply();
  void DoDivide();
  void DoPercent();
  // The calculator's handling of a character typed into the field: operators act, characters
  // that cannot be part of a number are dropped (Key becomes 0), a digit starts a new number.
  void FieldKeyPress(Char& Key);
  // The calculator's own handling of a character typed in the popup.
  void CalculatorKeyPress(Char& Key);
  // True while the popup shows (it was opened once and its form is visible).
  bool PopupShowing() const;
  void DigitKey(Integer Digit);

  TCustomButtonPanel* FExButtonPanel = nullptr;
  Integer FDecim = 0;
  bool FNewval = false;
  long double FPrevval = 0;
  Integer FPrevop = -1;
  bool FCalcClosed = true;
  std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
  long double FMVal = 0;
  bool FShowThousandSeparator = false;
};
