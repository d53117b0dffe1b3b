// The spin controls of the grid library: the auto-repeat speed button, the pair of up / down
// buttons built from two of them, and the spin edit, a one-line edit with an embedded pair that
// holds an integer, a float, a date or a time of day. The string grid derives its spin in-place
// editor from TEsgSpinEdit.
#pragma once

#include "components/gridbase/EsgPaint.h"
#include "components/gridbase/EsgPartEdit.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/ExtCtrls.h"

// --- Enumerations ----------------------------------------------------------------------------------

// The kind of value a spin edit holds.
enum TEsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
// The layout of a spin button pair: buttons above each other or side by side.
enum TSpinDirection { spVertical, spHorizontal };
enum TEditAlign { eaLeft, eaRight, eaCenter };
// The arrow a button of the pair shows.
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };

enum TTimeBtnStateFlag : Byte { tbFocusRect = 1, tbAllowTimer = 2 };
// A set of TTimeBtnStateFlag bits.
using TTimeBtnState = Byte;

class TEsgSpinButton;

// --- The auto-repeat speed button ------------------------------------------------------------------

// A speed button that repeats its click while it is held: first after 400 ms, then every 100 ms,
// as long as it shows pressed and holds the mouse capture. Its owner is the spin button pair,
// whose colours it paints with.
class TExTimerSpeedButton : public TSpeedButton {
 public:
  explicit TExTimerSpeedButton(TComponent* AOwner);
  ~TExTimerSpeedButton() override;
  String ClassName() const override { return u"TExTimerSpeedButton"; }
  void BeforeDestruction() override;

  TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
  void SetTimeBtnState(TTimeBtnState Value) { FTimeBtnState = Value; }
  TButtonDirection ButtonDirection() const { return FButtonDirection; }
  void SetButtonDirection(TButtonDirection Value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value) { FIsWinXP = Value; }
  bool HasMouse() const { return FHasMouse; }
  // The repeat timer; nullptr before the first press.
  TTimer* RepeatTimer() const { return FRepeatTimer; }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Paint() override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void TimerExpired(TObject* Sender);
  // The pair that owns the button (its colours), nullptr when the owner is something else.
  TEsgSpinButton* Pair() const;

  TTimer* FRepeatTimer = nullptr;
  TTimeBtnState FTimeBtnState = 0;
  TButtonDirection FButtonDirection = bdUp;
  bool FIsWinXP = false;
  bool FHasMouse = false;
};

// The default arrow glyphs of the pair: 9 x 6 pixels, black arrows on olive (which the button
// draws transparent as the colour of the bottom-left pixel).
void LoadDefaultSpinGlyph(TBitmap* Glyph, bool Up);

// --- The spin button pair --------------------------------------------------------------------------

class TEsgSpinButton : public TWinControl, public TEsgButtonColors {
 public:
  explicit TEsgSpinButton(TComponent* AOwner);
  String ClassName() const override { return u"TEsgSpinButton"; }


  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  // The glyphs of the buttons; writing nullptr loads the default arrow.
  TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
  void SetUpGlyph(TBitmap* Value);
  TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
  void SetDownGlyph(TBitmap* Value);
  Integer UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
  void SetUpNumGlyphs(Integer Value) { FUpButton->SetNumGlyphs(Value); }
  Integer DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
  void SetDownNumGlyphs(Integer Value) { FDownButton->SetNumGlyphs(Value); }
  // The control that takes the focus when a button is pressed.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  TExTimerSpeedButton* UpButton() const { return FUpButton; }
  TExTimerSpeedButton* DownButton() const { return FDownButton; }
  TExTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

  // Passes the themed look to both buttons.
  void SetWinXPLook(bool Value);
  bool IsWinXP() const { return FIsWinXP; }

  // Click events, Sender = the pair.
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

 protected:
  TExTimerSpeedButton* CreateButton();
  // Lays the buttons out in a pair of Width x Height; the width is raised to the least the layout
  // needs. Nothing happens before both buttons exist or while loading.
  void ArrangeButtons(Integer& Width, Integer& Height);
  void BtnClick(TObject* Sender);
  void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  // Makes Button the one that carries the focus mark.
  void FocusBtn(TExTimerSpeedButton* Button);
  void KeyDown(Word& Key, TShiftState Shift) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WMSize(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void WMKillFocus(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;

  TExTimerSpeedButton* FUpButton = nullptr;
  TExTimerSpeedButton* FDownButton = nullptr;
  TExTimerSpeedButton* FFocusedButton = nullptr;
  TWinControl* FFocusControl = nullptr;
  TSpinDirection FDirection = spVertical;
  bool FIsWinXP = false;
};

// --- The spin edit ---------------------------------------------------------------------------------

// A one-line edit with an embedded up / down pair. The value lives only in the text: Value,
// FloatValue, DateValue and TimeValue convert it, reading never fails (each falls back to a value
// of its own) and writing keeps the value inside the bounds. Typed characters are filtered by the
// spin type; the buttons, the arrow keys and Page Up / Page Down step the value, and for dates and
// times the field under the caret decides which part is stepped.
//
// Button, EditorEnabled and the layout of the pair are those of TEsgPartEdit.
class TEsgSpinEdit : public TEsgPartEdit<TEsgSpinButton> {
 public:
  explicit TEsgSpinEdit(TComponent* AOwner);
  String ClassName() const override { return u"TEsgSpinEdit"; }

  // The value of the text as an integer: empty text is 0, text that is not a number MinValue.
  Integer Value();
  void SetValue(Integer NewValue);
  // The value as a float: text that is not a number gives MinValue (the integer bound).
  double FloatValue();
  void SetFloatValue(double NewValue);
  // The value as a date: "0" or empty text gives the current date and time, text that is not a
  // date MinDateValue.
  TDateTime DateValue();
  void SetDateValue(TDateTime NewValue);
  // The value as a time of day: text that is not a time gives 0.
  TDateTime TimeValue();
  void SetTimeValue(TDateTime NewValue);

  TEsgSpinType SpinType() const { return FSpinType; }
  void SetSpinType(TEsgSpinType Value);

  // Bounds: equal bounds mean none. The date bounds also bound time values.
  Integer MinValue() const { return FMinValue; }
  void SetMinValue(Integer V) { FMinValue = V; }
  Integer MaxValue() const { return FMaxValue; }
  void SetMaxValue(Integer V) { FMaxValue = V; }
  double MinFloatValue() const { return FMinFloatValue; }
  void SetMinFloatValue(double V) { FMinFloatValue = V; }
  double MaxFloatValue() const { return FMaxFloatValue; }
  void SetMaxFloatValue(double V) { FMaxFloatValue = V; }
  TDateTime MinDateValue() const { return FMinDateValue; }
  void SetMinDateValue(TDateTime V) { FMinDateValue = V; }
  TDateTime MaxDateValue() const { return FMaxDateValue; }
  void SetMaxDateValue(TDateTime V) { FMaxDateValue = V; }

  Integer Increment() const { return FIncrement; }
  void SetIncrement(Integer V) { FIncrement = V; }
  double IncrementFloat() const { return FIncrementFloat; }
  void SetIncrementFloat(double V) { FIncrementFloat = V; }
  double IncrementFloatPage() const { return FIncrementFloatPage; }
  void SetIncrementFloatPage(double V) { FIncrementFloatPage = V; }
  Integer IncrementHours() const { return FIncrementHours; }
  void SetIncrementHours(Integer V) { FIncrementHours = V; }
  Integer IncrementMinutes() const { return FIncrementMinutes; }
  void SetIncrementMinutes(Integer V) { FIncrementMinutes = V; }
  Integer IncrementSeconds() const { return FIncrementSeconds; }
  void SetIncrementSeconds(Integer V) { FIncrementSeconds = V; }

  // Decimals of a float value; 0 writes the shortest form.
  Integer Precision() const { return FPrecision; }
  void SetPrecision(Integer Value);
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool V) { FShowSeconds = V; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool V) { FReturnIsTab = V; }
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool V) { FExcelStyleDecimalSeparator = V; }
  // Whether an empty text is a value; kept for the grid's editor, which reads it.
  bool AllowEmptyValue() const { return FAllowEmptyValue; }
  void SetAllowEmptyValue(bool V) { FAllowEmptyValue = V; }
  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  TEditAlign EditAlign() const { return FEditAlign; }
  void SetEditAlign(TEditAlign Value);
  bool SpinFlat() const { return FSpinFlat; }
  void SetSpinFlat(bool Value);
  bool SpinTransparent() const { return FSpinTransparent; }
  void SetSpinTransparent(bool Value);
  // True after a date step when the short date format puts the month before the day.
  bool UsDates() const { return FUsDates; }

  // Stores the themed look and gives it to the button pair.
  void SetWinXPLook(bool Value);
  bool IsWinXP() const { return FIsWinXP; }

  // One step up or down by the spin type; Page takes the page step of a float.
  virtual void StepUp(bool Page);
  virtual void StepDown(bool Page);
  // Whether a typed character may enter the text.
  virtual bool IsValidChar(Char Key);
  // The handlers of the pair's clicks: one step without Page.
  virtual void UpClick(TObject* Sender);
  virtual void DownClick(TObject* Sender);

  Integer MinHeight() const override;

 protected:
  void Loaded() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void WMKeyDown(TMessage& M) override;
  void WMChar(TMessage& M) override;
  void CMEnter(TMessage& M) override;
  void CMExit(TMessage& M) override;
  // Styles from the alignment.
  void CreateParams() override;
  // Keeps the text clear of the button pair.
  void SetEditRect() override;
  // The width one pixel wider and back: lays the button pair out again.
  void Relayout();
  // One step in direction D (+1 up, -1 down).
  void Step(Integer D, bool Page);

  Integer CheckValue(Integer NewValue) const;
  double CheckFloatValue(double NewValue) const;
  TDateTime CheckDateValue(TDateTime NewValue) const;

  Integer FMinValue = 0;
  Integer FMaxValue = 100;
  double FMinFloatValue = 0;
  double FMaxFloatValue = 100.0;
  TDateTime FMinDateValue = 0;
  TDateTime FMaxDateValue = 0;
  TDateTime FDateValue = 0;
  TDateTime FTimeValue = 0;
  Integer FIncrement = 1;
  double FIncrementFloat = 0.1;
  TSpinDirection FDirection = spVertical;
  TEsgSpinType FSpinType = sptNormal;
  Integer FPrecision = 0;
  bool FReturnIsTab = false;
  bool FIsWinXP = false;
  bool FExcelStyleDecimalSeparator = false;
  bool FUsDates = false;
  bool FShowSeconds = true;
  Integer FIncrementSeconds = 1;
  Integer FIncrementMinutes = 1;
  Integer FIncrementHours = 1;
  TEditAlign FEditAlign = eaLeft;
  bool FSpinFlat = false;
  bool FSpinTransparent = false;
  bool FAllowEmptyValue = false;
  double FIncrementFloatPage = 1.0;
  // Tab key-downs posted by Enter (ReturnIsTab) and not yet arrived.
  Integer FPostedTabs = 0;
};

// Whether a character is a number character (a digit of any script, a numeral or a number sign
// such as a fraction or a superscript) of the Basic Multilingual Plane.
bool IsNumberChar(Char C);
