// The date-time picker of the class library, as far as the grid library's flat picker stands on
// it: a control that holds one date and time, shows it in the locale's short or long date format
// or its long time format (or a format of its own), and has a drop-down button (date, combo-box
// mode) or an up-down pair (time, or up-down mode) at its right edge.
//
// Editing: the date (or time) is made of three fields in the order the format shows them; Left and
// Right choose a field, Up and Down (and the up-down pair) step it; a field wraps round within its
// range (the day within its month) and the year stops at 1 and 9999. A click on the drop-down button, F4 or Alt+Down opens and closes the
// drop-down state (OnDropDown, OnCloseUp); this platform has no month calendar to show in it.
// OnChange fires for the user's changes, not for values set in code.
#pragma once

#include "platform/gui/Controls.h"
#include "platform/rtl/SysUtils.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };

class TDateTimePicker : public TCustomControl {
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  String ClassName() const override { return u"TDateTimePicker"; }

  TDateTime DateTime() const { return FDateTime; }
  void SetDateTime(TDateTime Value);
  // The date part (the time of day kept) and the time of day (the date kept).
  TDateTime Date() const;
  void SetDate(TDateTime Value);
  TDateTime Time() const;
  void SetTime(TDateTime Value);

  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  TDTDateMode DateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode Value);
  TDTDateFormat DateFormat() const { return FDateFormat; }
  void SetDateFormat(TDTDateFormat Value);
  // A format of its own (FormatDateTime rules); empty: the locale's format of the kind.
  const String& Format() const { return FFormat; }
  void SetFormat(const String& Value);

  // The text shown.
  String DisplayText() const;
  // The field the keys step: 0..2 in the order of the format.
  Integer SelectedField() const { return FSelectedField; }
  void SetSelectedField(Integer Value);

  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool Value);
  // The area of the drop-down button or the up-down pair at the right edge.
  TRect ButtonRect() const;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  void Paint() override;
  void WMPaint(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
  void WMKillFocus(TMessage& M) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  // Steps the selected field by Delta as the user does (OnChange).
  void StepField(Integer Delta);
  // The user's change of the value.
  void UserChange(TDateTime Value);
  String DisplayFormat() const;
  // Whether the picker shows the up-down pair instead of the drop-down button.
  bool ShowsUpDown() const { return FKind == dtkTime || FDateMode == dmUpDown; }

  TDateTime FDateTime = 0;
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  TDTDateFormat FDateFormat = dfShort;
  String FFormat;
  Integer FSelectedField = 0;
  bool FDroppedDown = false;
};
