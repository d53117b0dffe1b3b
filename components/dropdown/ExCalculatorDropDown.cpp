#include "components/dropdown/ExCalculatorDropDown.h"

#include <cmath>

namespace {

Char DecimalSeparator() { return FormatSettings.DecimalSeparator; }

// The characters that count as digits of the number typed.
bool IsNumberChar(Char C) { return C >= u'0' && C <= u'9'; }

bool HasChar(const String& S, Char C) { return S.find(C) != String::npos; }

}  // namespace

TExCalculatorDropdown::TExCalculatorDropdown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>()) {
  SetDropDownColor(0xFFFFFF);
  SetDropDownWidth(230);
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  SetEditType(etFloat);
  FPrevop = coNone;
  SetPrecision(2);
  FDecim = 0;
  FCalcClosed = true;
  FMVal = 0;
  // The construction's colour style reaches the keypad's appearance too.
  TExCalculatorDropdown::SetComponentStyle(GetComponentStyle());
  SetDropDownColor(0xFFFFFF);
}

TExCalculatorDropdown::~TExCalculatorDropdown() = default;

void TExCalculatorDropdown::Notification(TComponent* AComponent, TOperation Operation) {
  TExCustomDropDown::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FExButtonPanel) FExButtonPanel = nullptr;
}

void TExCalculatorDropdown::BeforeCalculatorInput() {}

void TExCalculatorDropdown::SetShowThousandSeparator(bool Value) {
  if (FShowThousandSeparator == Value) return;
  FShowThousandSeparator = Value;
  SetEditType(Value ? etMoney : etFloat);
  SetFloatValue(FloatValue());
}

double TExCalculatorDropdown::Value() {
  if (Text().empty()) SetText(u"0");
  String S;
  StripThousandSeparators(Text(), S);
  double V = 0;
  return TryStrToFloat(S, V) ? V : 0;
}

void TExCalculatorDropdown::SetValue(double V) { SetText(Format(u"%g", V)); }

long double TExCalculatorDropdown::ParseDisplay() const {
  String S;
  StripThousandSeparators(Text(), S);
  return StrToFloat(S);
}

bool TExCalculatorDropdown::PopupShowing() const {
  return !FCalcClosed && DropDownForm() && DropDownForm()->Visible();
}

// --- Operations ------------------------------------------------------------------------------------

void TExCalculatorDropdown::ApplyPendingOperation() {
  if (Text().empty() || Text() == u"Error") SetText(u"0");
  const long double X = ParseDisplay();
  switch (FPrevop) {
    case coAdd: FPrevval = FPrevval + X; break;
    case coMultiply: FPrevval = FPrevval * X; break;
    case coSubtract: FPrevval = FPrevval - X; break;
    case coDivide:
      if (X == 0) {
        FPrevval = 0;
        SetText(u"Error");
        return;
      }
      FPrevval = FPrevval / X;
      break;
    default: FPrevval = ParseDisplay(); break;
  }
  // An overflow leaves the accumulator at 0, as a failed operation does.
  if (!std::isfinite(static_cast<double>(FPrevval))) FPrevval = 0;
  SetFloatValue(static_cast<double>(FPrevval));
  FNewval = true;
}

void TExCalculatorDropdown::DoAdd() {
  ApplyPendingOperation();
  FPrevop = coAdd;
}

void TExCalculatorDropdown::DoSubtract() {
  ApplyPendingOperation();
  FPrevop = coSubtract;
}

void TExCalculatorDropdown::DoMultiply() {
  ApplyPendingOperation();
  FPrevop = coMultiply;
}

void TExCalculatorDropdown::DoDivide() {
  ApplyPendingOperation();
  FPrevop = coDivide;
}

void TExCalculatorDropdown::CalcResult() {
  ApplyPendingOperation();
  if (Text().empty()) SetText(u"0");
  FPrevop = coNone;
  if (Text() != u"Error") FPrevval = ParseDisplay();
}

void TExCalculatorDropdown::DoPercent() {
  if (Text().empty() || Text() == u"Error") SetText(u"0");
  const long double X = ParseDisplay();
  SetText(Format(u"%g", static_cast<double>(FPrevval * X / 100)));
}

void TExCalculatorDropdown::DigitKey(Integer Digit) {
  const double V = FloatValue();
  if ((V == 0 && FDecim == 0) || FNewval) {
    SetText(IntToStr(Digit));
    FNewval = false;
  } else if (FDecim > 0) {
    SetFloatValue(V + static_cast<double>(Digit) / FDecim);
    FDecim *= 10;
  } else {
    SetFloatValue(V * 10 + Digit);
  }
}

void TExCalculatorDropdown::CalculatorButtonClick(TObject*, Integer ButtonIndex) {
  if (!FExButtonPanel || ButtonIndex < 0 || ButtonIndex >= FExButtonPanel->Buttons()->Count()) return;
  BeforeCalculatorInput();
  const Integer Tag = FExButtonPanel->Buttons()->Items(ButtonIndex)->Tag();
  if ((Tag >= 10 && Tag <= 14) || (Tag >= 16 && Tag <= 18) || Tag == CalcKey::Empty ||
      Tag == CalcKey::ClearEntry)
    FDecim = 0;
  if ((Tag >= 0 && Tag <= 9) || Tag == CalcKey::Sign || Tag == CalcKey::Decimal) {
    if (MaxLength() > 0 && static_cast<Integer>(Text().size()) == MaxLength()) return;
  }
  if (Tag >= 0 && Tag <= 9) {
    DigitKey(Tag);
  } else {
    switch (Tag) {
      case CalcKey::Add: DoAdd(); break;
      case CalcKey::Subtract: DoSubtract(); break;
      case CalcKey::Multiply: DoMultiply(); break;
      case CalcKey::Divide: DoDivide(); break;
      case CalcKey::Sign: {
        String S = Text();
        if (HasChar(S, u'-')) S.erase(0, 1);
        else S = u"-" + S;
        SetText(S);
        break;
      }
      case CalcKey::Decimal:
        if (!HasChar(Text(), DecimalSeparator())) SetText(Text() + DecimalSeparator());
        FDecim = 10;
        if (FNewval) SetText(u"0");
        FNewval = false;
        break;
      case CalcKey::Clear:
      case CalcKey::Empty:
      case CalcKey::ClearEntry:
        SetText(u"0");
        FPrevval = 0;
        FPrevop = coNone;
        break;
      case CalcKey::Equals: CalcResult(); break;
      case CalcKey::Percent: DoPercent(); break;
      case CalcKey::Back:
        if (FPrevop == coNone) {
          String S = FloatToStr(FloatValue());
          if (!S.empty()) S.pop_back();
          SetText(S);
        }
        break;
      case CalcKey::MemoryClear: FMVal = 0; break;
      case CalcKey::MemoryRecall: SetFloatValue(static_cast<double>(FMVal)); break;
      case CalcKey::MemoryStore: FMVal = ParseDisplay(); break;
      case CalcKey::MemoryAdd: FMVal = FMVal + ParseDisplay(); break;
      case CalcKey::SquareRoot: {
        const double V = FloatValue();
        if (V < 0) SetText(u"Error");
        else SetFloatValue(std::sqrt(V));
        break;
      }
      case CalcKey::Reciprocal: {
        const double V = FloatValue();
        if (V == 0) SetText(u"Error");
        else SetFloatValue(1 / V);
        break;
      }
      default: break;
    }
  }
  SetModified(true);
}

// --- Typing ----------------------------------------------------------------------------------------

void TExCalculatorDropdown::FieldKeyPress(Char& Key) {
  const Char C = Key;
  if (!PopupShowing()) {
    switch (C) {
      case u'\r':
      case u'=': CalcResult(); break;
      case u'%': DoPercent(); break;
      case u'*': DoMultiply(); break;
      case u'+': DoAdd(); break;
      case u'-': DoSubtract(); break;
      case u'/': DoDivide(); break;
      case u'C':
      case u'c':
        SetText(u"0");
        FNewval = true;
        FPrevop = coNone;
        break;
      default: break;
    }
  }
  const bool Number = IsNumberChar(C);
  if (!Number && C != DecimalSeparator() && C != 8 && C != u'-') {
    Key = 0;
    return;
  }
  const Integer CaretAfterFirst = static_cast<Integer>(Prefix().size()) + 1;
  if (Number && (Text() == u"0" || FNewval)) {
    SetText(String(1, C));
    Key = 0;
    SetSelStart(CaretAfterFirst);
    SetSelLength(0);
    FNewval = false;
    return;
  }
  if (C == 8 && Text().size() == 1) {
    SetText(u"0");
    Key = 0;
    SetSelStart(CaretAfterFirst);
    SetSelLength(0);
    return;
  }
  if (C == DecimalSeparator() && HasChar(Text(), DecimalSeparator())) Key = 0;
}

void TExCalculatorDropdown::BeforeTypedEntry(Char& Key) {
  const Char Typed = Key;
  FieldKeyPress(Key);
  // Enter goes on to the edit's own Enter handling (its key-press event, the parent's default
  // button) after the calculator has taken the result.
  if (Typed == u'\r') Key = Typed;
}

void TExCalculatorDropdown::WMKeyDown(TMessage& M) {
  const Word Pressed = static_cast<Word>(M.WParam);
  TExCustomDropDown::WMKeyDown(M);
  if (Pressed == VK_DELETE && (Text().empty() || Text() == u"Error")) SetText(u"0");
}

void TExCalculatorDropdown::CMEnter(TMessage& M) {
  if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
  TExCustomDropDown::CMEnter(M);
}

void TExCalculatorDropdown::CalculatorKeyPress(Char& Key) {
  BeforeCalculatorInput();
  const Char C = Key;
  const Char DS = DecimalSeparator();
  if (C == DS && !HasChar(Text(), DS)) SetText(Text() + DS);
  if (IsNumberChar(C) && MaxLength() > 0 && static_cast<Integer>(Text().size()) == MaxLength()) return;
  switch (C) {
    case u'\r':
      CalcResult();
      DoHideDropDown(false);
      break;
    case 27: DoHideDropDown(true); break;
    case u'%': DoPercent(); break;
    case u'*': DoMultiply(); break;
    case u'+': DoAdd(); break;
    case u'-': DoSubtract(); break;
    case u'/': DoDivide(); break;
    case u'=': CalcResult(); break;
    case u'C':
    case u'c':
      SetText(u"0");
      FPrevval = 0;
      FNewval = true;
      FPrevop = coNone;
      break;
    default:
      if (IsNumberChar(C)) FNewval = false;
      break;
  }
}

void TExCalculatorDropdown::DropDownFormKeyPress(Char& Key) {
  Char Typed = Key;
  TExCustomDropDown::DropDownFormKeyPress(Key);
  CalculatorKeyPress(Typed);
}

void TExCalculatorDropdown::DropDownFormKeyDown(Word& Key, TShiftState Shift) {
  const Word Pressed = Key;
  TExCustomDropDown::DropDownFormKeyDown(Key, Shift);
  if (Pressed == VK_TAB || Pressed == VK_F4) {
    DoHideDropDown(false);
  } else if (Pressed == VK_BACK) {
    String S = Text();
    if (!S.empty()) S.pop_back();
    SetText(S.empty() || S == u"Error" ? String(u"0") : S);
  }
}

// --- Popup -----------------------------------------------------------------------------------------

void TExCalculatorDropdown::CreateDropDownForm() {
  TExCustomDropDown::CreateDropDownForm();
  if (!DropDownForm()) return;
  if (!FExButtonPanel) {
    FExButtonPanel = new TCustomButtonPanel(this);
    FExButtonPanel->SetParent(DropDownForm());
    FExButtonPanel->SetExDropDown(this);
    FExButtonPanel->SetHeight(150);
    FExButtonPanel->InitButtons();
  }
  SetControl(FExButtonPanel);
  FExButtonPanel->OnButtonClick = [this](TObject* S, Integer I) { CalculatorButtonClick(S, I); };
}

void TExCalculatorDropdown::BeforeDropDown() {
  TExCustomDropDown::BeforeDropDown();
  if (!DropDownForm() || !FExButtonPanel) return;
  DropDownForm()->SetCancelOnDeActivate(false);
  // Sized apart from the popup: the opening sizes the popup after it and aligns it to the popup's
  // client area again.
  FExButtonPanel->SetAlign(alNone);
  FExButtonPanel->SetBounds(0, 0, DropDownWidth(), 150);
  FExButtonPanel->ButtonAppearance()->Assign(FCalcButtonAppearance.get());
  FExButtonPanel->SetColor(DropDownColor());
  FExButtonPanel->ArrangeButtons();
  FNewval = true;
  FDecim = 0;
  FCalcClosed = false;
}

void TExCalculatorDropdown::DoHideDropDown(bool CancelChanges) { TExCustomDropDown::DoHideDropDown(CancelChanges); }

void TExCalculatorDropdown::AfterDropUp() { TExCustomDropDown::AfterDropUp(); }

void TExCalculatorDropdown::SetComponentStyle(TNorvStyle AStyle) {
  TExCustomDropDown::SetComponentStyle(AStyle);
  if (!FCalcButtonAppearance) return;
  TExButtonAppearance* S = ButtonAppearance();
  TButtonAppearance* A = FCalcButtonAppearance.get();
  A->SetBorderColor(S->BorderColor());
  A->SetBorderColorHot(S->BorderColorHot());
  A->SetBorderColorDown(S->BorderColorDown());
  A->SetColor(S->Color());
  A->SetColorTo(S->ColorTo());
  A->SetColorDown(S->ColorDown());
  A->SetColorDownTo(S->ColorDownTo());
  A->SetColorDisabled(S->ColorDisabled());
  A->SetColorDisabledTo(S->ColorDisabledTo());
  A->SetColorHot(S->ColorHot());
  A->SetColorHotTo(S->ColorHotTo());
  if (AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black) {
    A->SetGlowColorHot(A->ColorHot());
    A->SetGlowColorDown(A->ColorHot());
  } else {
    A->SetGlowColorHot(A->ColorDownTo());
    A->SetGlowColorDown(0xD5C244);
  }
}
