// The time picker drop-down: a time field showing hours, minutes and (optionally) seconds as two
// digits each, joined by the locale's time separator, whose popup holds an analog clock and, on
// request, a time-entry control under it. The value is Time, a date-time number of which only the
// time of day counts. The user sets it by clicking the clock, by the clock's keys in the popup, with
// Up and Down in the field (Up lowers the part under the caret, Down raises it) or by typing when
// typing is enabled.
//
// The text layout and its reading need no window: FormatTimeText, IsTimeTextLayout, BlanksToZeros,
// HasLeadingDigits, ParseTimeText and TimePartAtCaret are free functions the control forwards to.
#pragma once

#include <memory>

#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExWatch.h"

class TPanel;
class TDateTimePicker;

// --- Time text (no window needed) ------------------------------------------------------------------

// The edit mask of the field: an optional first hour digit, the other digits required, the
// separators kept in the text, a blank for an empty position.
String TimeEditMask(bool Seconds, Char TS);
// A number as two digits: one digit gets a "0" in front, an empty text becomes "00".
String TwoDigits(const String& S);
// hh TS mm TS ss (with Seconds) or hh TS mm.
String FormatTimeText(Integer Hour, Integer Minute, Integer Second, bool Seconds, Char TS);
// Exactly two separators (with Seconds) or exactly one (without).
bool IsTimeTextLayout(const String& S, bool Seconds, Char TS);
// Every blank turned into "0".
String BlanksToZeros(const String& S);
// The first two characters, where present, are ASCII digits.
bool HasLeadingDigits(const String& S);
// Reads a text of the full layout into its parts. False when the text is not of the layout or a
// part does not start with digits; the parts are not range-checked here.
bool ParseTimeText(const String& Text, bool Seconds, Char TS, Integer& Hour, Integer& Minute,
                   Integer& Second);
// Which part a 0-based caret position lies in: 0 hour, 1 minute, 2 second. The caret right after
// the hour's digits still counts as the hour.
Integer TimePartAtCaret(const String& Text, Integer Caret, bool Seconds, Char TS);

// --- The drop-down ---------------------------------------------------------------------------------

class TExTimePickerDropDown : public TExCustomDropDown {
 public:
  explicit TExTimePickerDropDown(TComponent* AOwner);
  ~TExTimePickerDropDown() override;
  String ClassName() const override { return u"TExTimePickerDropDown"; }

  bool Animation() const { return FAnimation; }
  void SetAnimation(bool Value) { FAnimation = Value; }
  Integer AnimationFactor() const { return FAnimationFactor; }
  void SetAnimationFactor(Integer Value) { FAnimationFactor = Value; }
  TWatchSettings* WatchSettings() const { return FWatchSettings.get(); }
  void SetWatchSettings(TWatchSettings* Value) { FWatchSettings->Assign(Value); }
  TWatchAppearance* WatchAppearance() const { return FWatchAppearance.get(); }
  void SetWatchAppearance(TWatchAppearance* Value) { FWatchAppearance->Assign(Value); }
  // The value. The write shows it in the field (and in an open popup's clock); no OnTimeChange.
  TDateTime Time() const { return FTime; }
  void SetTime(TDateTime Value);
  bool ShowWatchAMPM() const { return FShowWatchAMPM; }
  void SetShowWatchAMPM(bool Value) { FShowWatchAMPM = Value; }
  bool ShowWatchNumbers() const { return FShowWatchNumbers; }
  void SetShowWatchNumbers(bool Value) { FShowWatchNumbers = Value; }
  bool ShowTimePicker() const { return FShowTimePicker; }
  void SetShowTimePicker(bool Value) { FShowTimePicker = Value; }
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool Value);

  // Replace one part of Time (hour 0..23, minute and second 0..59; others and equal values do
  // nothing), then OnTimeChange.
  void SetTimeHour(Integer Hour);
  void SetTimeMinute(Integer Minute);
  void SetTimeSecond(Integer Second);

  // The popup's controls (nullptr before the first opening).
  TExWatch* Watch() const { return FExWatch; }
  TDateTimePicker* TimePicker() const { return FDateTimePicker; }
  TPanel* PanelCtrl() const { return FPanelCtrl; }

  void SetComponentStyle(TNorvStyle AStyle) override;

  TNotifyEvent OnTimeChange;

  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool CancelChanges) override;
  void AfterDropUp() override;
  void DropDownFormKeyPress(Char& Key) override;
  void DropDownFormKeyDown(Word& Key, TShiftState Shift) override;
  void DropDownFormKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  // Forgets the popup's controls when they are freed (owned components go before the destructor).
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Change() override;
  void CMExit(TMessage& M) override;
  void WatchChanged(TObject* Sender);
  void TimePickerChanged(TObject* Sender);
  // The text of a time in the current layout.
  String TimeText(TDateTime Value) const;
  // Puts a self-made text into the field without reading it back.
  void SetInternalText(const String& S);
  void DoTimeChange();

  bool FShowTimePicker = false;
  TExWatch* FExWatch = nullptr;
  TDateTimePicker* FDateTimePicker = nullptr;
  TPanel* FPanelCtrl = nullptr;
  std::unique_ptr<TWatchAppearance> FWatchAppearance;
  bool FShowWatchAMPM = true;
  bool FShowWatchNumbers = true;
  bool FAnimation = true;
  Integer FAnimationFactor = 10;
  TDateTime FTime = 0;
  std::unique_ptr<TWatchSettings> FWatchSettings;
  bool FInternalCall = false;
  bool FShowSeconds = true;
  // The value when the popup opened, for a cancelled close of a field whose text was never written.
  TDateTime FTimeAtOpening = 0;
};
