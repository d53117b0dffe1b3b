// Internal to platform/office: the number formats of workbooks that show dates and times, and the
// text they give a cell's number, as spreadsheet programs show it. Both workbook readers hand a
// date cell over as the text its format shows, made here.
#pragma once

#include <vector>

#include "platform/rtl/SysUtils.h"

namespace office {

// A number format code ("dd.mm.yyyy", "h:mm AM/PM", "[h]:mm:ss", "d-mmm-yy;@"), read once. Days
// are serial numbers of the 1900 count: day 1 is 1900-01-01, day 60 the 1900-02-29 spreadsheet
// programs count, day 61 1900-03-01; the fraction is the time of day. A workbook of the 1904 count
// adds 1462 to its numbers.
class TDateFormat {
 public:
  explicit TDateFormat(const String& Code);
  // Whether the code shows a date or a time (its first section holds a year, month, day, hour,
  // minute or second); only such a format formats numbers here. A code of more than 255
  // characters shows none.
  bool IsDate() const { return FIsDate; }
  // The text the format shows for a cell's number: the section for its sign, the date of the
  // number plus DayOffset (1462 in a workbook of the 1904 count). False when it shows no date for
  // it: a negative number, a day past 9999-12-31, or a section of the code that formats numbers,
  // not dates (the caller then keeps the number).
  bool Format(double Number, double DayOffset, String& Text) const;

 private:
  enum TKind {
    tkText, tkYear, tkMonth, tkMonthName, tkDay, tkDayName, tkHour, tkMinute, tkSecond, tkFraction,
    tkElapsedHours, tkElapsedMinutes, tkElapsedSeconds, tkAmPm
  };
  struct TToken {
    TKind Kind;
    Integer Count = 0;  // letters of the token (yy / yyyy, mm / mmm, ...); digits of a fraction
    String Text;        // tkText: the text; tkAmPm: "AM/PM", "am/pm", "A/P" or "a/p" as written
  };
  struct TSection {
    std::vector<TToken> Tokens;
    bool HasDate = false;    // a date or time token
    bool HasNumber = false;  // a digit placeholder or "General": a section for numbers
    bool TwelveHour = false;
    Integer FractionDigits = 0;
  };
  static TSection ParseSection(const String& Code);
  std::vector<TSection> FSections;
  bool FIsDate = false;
};

// The code of a built-in number format id that shows a date or a time, empty for any other id.
// Id 14 is the program's short date (FormatSettings), as spreadsheet programs show it in the
// short date of their locale; id 22 adds the time.
String BuiltInDateCode(Integer Id);

// An ISO 8601 date, date and time or time ("2020-01-02", "2020-01-02T10:11:12.5Z",
// "2020-01-02 10:11:12", "10:11:12") as a serial of the 1900 count; false when the text is none
// or the day lies before 1899-12-31.
bool IsoDateSerial(const String& Text, double& Serial);

}  // namespace office
