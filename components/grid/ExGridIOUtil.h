// Small helpers the string grid's file and clipboard formats share: the colour text of settings files, the lenient number reading of the grid text file,
// and the comma-separated number lists of the column states and the cell stream.
#pragma once

#include <algorithm>
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
// The bounds of what the grid's files and stores may set: the grid text file and text stream, the
// binary cell stream, the column-state string, the column-size store, the column grid's stream, the
// visual-properties and print-settings files. A count past them is damage and is refused before the
// grid changes (it would only make the grid huge). A width, height or offset past them is held at
// the bound, and so is a font size: a column a billion pixels wide loses nothing but freezes every
// drawing of it.
constexpr Integer GridFileMaxColCount = 65536;
constexpr Integer GridFileMaxRowCount = 1048576;
// Pixels of a column width, row height, line or pen width or offset on the screen; tenths of a
// millimetre of a size on paper.
constexpr Integer GridFileMaxExtent = 32767;
// Points (or pixels) of a font size.
constexpr Integer GridFileMaxFontSize = 1000;
// A width or height read from a file, held inside 0 .. GridFileMaxExtent.
inline Integer GridFileExtent(Integer Value) { return std::clamp(Value, 0, GridFileMaxExtent); }
// An offset read from a file, held inside -GridFileMaxExtent .. GridFileMaxExtent.
inline Integer GridFileOffset(Integer Value) { return std::clamp(Value, -GridFileMaxExtent, GridFileMaxExtent); }
// A font size or height read from a file, held inside -GridFileMaxFontSize .. GridFileMaxFontSize.
inline Integer GridFileFontSize(Integer Value) { return std::clamp(Value, -GridFileMaxFontSize, GridFileMaxFontSize); }
// The items of a comma-separated list, empty items kept ("1,,2" has three); an empty text has none.
std::vector<String> GridSplitCommas(const String& S);
// The numbers in decimal, separated by commas without blanks.
String GridJoinNumbers(const std::vector<Integer>& Values);
