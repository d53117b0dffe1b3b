// Small helpers the string grid's file and clipboard formats share: the colour text of settings files, the lenient number reading of the grid text file,
// and the comma-separated number lists of the column states and the cell stream.
#pragma once

#include <vector>

#include "platform/gui/Graphics.h"
#include "platform/rtl/System.h"

// A colour as its name, or "$" followed by eight hexadecimal digits.
String GridColorToString(TColor Color);
// The reverse of GridColorToString; also accepts plain decimal and other integer forms. Text that
// is neither raises EConvertError.
TColor GridStringToColor(const String& S);
// The decimal number at the start of S after leading blanks; reading stops at the first character
// that is no digit, and no digits give 0. Values beyond the integer range are clamped to it.
Integer LeadingDecimal(const String& S);
// The largest column and row counts a grid text file or grid text stream may ask for; larger
// counts are damage and would only make the grid huge.
constexpr Integer GridFileMaxColCount = 65536;
constexpr Integer GridFileMaxRowCount = 1048576;
// The items of a comma-separated list, empty items kept ("1,,2" has three); an empty text has none.
std::vector<String> GridSplitCommas(const String& S);
// The numbers in decimal, separated by commas without blanks.
String GridJoinNumbers(const std::vector<Integer>& Values);
