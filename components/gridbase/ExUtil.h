// The grid library's text and drawing routines: free functions of their arguments that keep no
// state, raise no errors of their own and answer unrecognised input with a result value.
//
// - text: searching and cutting, the line-break conventions of the grid's file and clipboard
//   formats, CSV field quoting, the kind of a cell text, the "|\" encoding of wide text, URL
//   anchors, the HTML clipboard header, word capitalisation and OEM code-page conversion;
// - numbers, dates and times written as cell text, read with the process's format settings;
// - the filter condition matcher of the grid's filter and wildcard find;
// - colour arithmetic, gradient fills and the rounded selection box;
// - button faces, the small down triangle, transparent bitmaps and the error underline;
// - progress bars, the progress pie, the centred bar and the cell shapes.
//
// Text positions are 1-based with 0 meaning "not found", unless a routine says otherwise. Colours
// are 0x00BBGGRR values; clNone (0x1FFFFFFF) means "not set". Channel arithmetic rounds to the
// nearest integer with ties to even.
#pragma once

#include <memory>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Messages.h"
#include "platform/grids/Grids.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

struct TColorTones;  // components/gridbase/ExStyleIF.h

// ---------------------------------------------------------------------------------------------
// Searching and cutting
// ---------------------------------------------------------------------------------------------

// Position of the first Ch in S.
Integer CharPos(Char Ch, const String& S);
// As CharPos; the result is also stored in APos.
Integer VarCharPos(Char Ch, const String& S, Integer& APos);
// Position of SubStr in S; the result is also stored in APos.
Integer VarPos(const String& SubStr, const String& S, Integer& APos);
// Position of SubStr in S with the letters "a" to "z" of S made upper case; SubStr is taken as it is.
Integer UpperCasePos(const String& SubStr, const String& S);
// Position of SubStr in S.
Integer WidePos(const String& SubStr, const String& S);
// Number of occurrences of Ch in S.
Integer CountChar(Char Ch, const String& S);
// When Sep occurs in S: Token := the text before it, and S loses everything up to and including the
// separator's first character. Otherwise Token := "" and S stays as it is.
void CutToken(String& S, const String& Sep, String& Token);
// The same, answering the token.
String CutToken(String& S, const String& Sep);
// All items of the list joined with no separator.
String ConcatStrings(const TStrings* List);
// Every character of S replaced by Ch; the length is kept.
void FillChars(String& S, Char Ch);
// True when column c lies within R.Left..R.Right and row r within R.Top..R.Bottom (bounds included).
bool CellInGridRect(const TGridRect& R, Integer c, Integer r);
// "R<row>C<column>" in either letter case: True with Cell.X := column and Cell.Y := row. The text
// must be longer than 3 characters, begin with "R" and hold two whole integers; otherwise False and
// Cell stays as it is.
bool ParseCellReference(const String& Text, TPoint& Cell);
// S contains "://" or "mailto:" (exact case).
bool IsUrl(const String& S);
// Deletes everything up to and including the first "://"; without one, up to and including the
// first "mailto:".
void StripUrlScheme(String& S);

// ---------------------------------------------------------------------------------------------
// Line breaks and escapes (CR is character 13, LF 10, VT 11)
// ---------------------------------------------------------------------------------------------

// Every CR removed.
String RemoveCR(const String& S);
// Every CR replaced by LF.
String CRToLF(const String& S);
// The CR of every CR LF pair removed.
void CRLFToLF(String& S);
// Every VT replaced by CR LF.
void VTToCRLF(String& S);
// Every CR replaced by "<br>" (an LF after it stays).
String LineBreaksToBR(const String& S);
// Every CR replaced by the two characters "\n"; every LF removed.
String EncodeNewlineEscapes(const String& S);
// Every two-character sequence "\n" replaced by one CR.
String DecodeNewlineEscapes(const String& S);
// Every CR replaced by "~"; every LF removed.
void LineBreaksToTilde(String& S);
// Every "~" replaced by CR LF; a result equal to "^" becomes the empty text.
void TildeToLineBreaks(String& S);
// Only when S holds a CR: every CR becomes character 9, every LF character 8 and every character 0
// character 1, so a multi-line text travels as one line.
String MaskLineBreaks(const String& S);
// Only when S holds character 8: 9 becomes CR, 8 LF and 1 character 0. Then with KeepAll the whole
// text is answered, otherwise its first line.
String UnmaskLineBreaks(const String& S, bool KeepAll);
// Line := the text before the first CR, and S := the text after that CR without one LF directly
// after it. When Keep is false, or when S has no CR (Line := all of S), S becomes empty.
void TakeLine(String& S, bool Keep, String& Line);
// The same, answering the line.
String TakeLine(String& S, bool Keep);
// 1 plus the number of CRs when MultiLine is set, else 1.
Integer CountLines(const String& S, bool MultiLine);

// ---------------------------------------------------------------------------------------------
// CSV fields
// ---------------------------------------------------------------------------------------------

// A copy of S with every double-quote character doubled.
String DoubleQuotes(const String& S);
// Every CR LF becomes one VT; then S is enclosed in double quotes (inner quotes are not doubled).
void QuoteMultilineField(String& S);
// Scans the runs of Ch in S: the position of the last character of the first run of odd length,
// or the length of S when a run reaches the end of S, whatever its length; otherwise 0. The result
// is also stored in APos.
Integer PosUnpairedChar(Char Ch, const String& S, Integer& APos);
Integer PosUnpairedChar(Char Ch, const String& S);
// PosUnpairedChar on the text of S from index From (0-based) on: the position counts from there.
Integer PosUnpairedChar(Char Ch, const String& S, size_t From);
// How many times PosUnpairedChar finds an unpaired Ch when the text up to each find is deleted.
Integer CountUnpairedChar(Char Ch, const String& S);
// Every pair Ch Ch becomes one Ch, pairs taken from the left.
String UndoubleChar(Char Ch, const String& S);

// ---------------------------------------------------------------------------------------------
// Cell text
// ---------------------------------------------------------------------------------------------

// The two characters that begin wide text encoded in a narrow cell.
inline const String UnicodeTextMarker = u"|\\";

// Kinds of cell text answered by GetCellTextKind.
constexpr Integer ctkPlain = 0;
constexpr Integer ctkHtml = 1;
constexpr Integer ctkRichText = 2;
constexpr Integer ctkFormula = 3;
constexpr Integer ctkUnicode = 5;

// The kind of a cell text: 0 plain or empty, 1 mini-HTML (only with HtmlEnabled), 2 rich text
// ("{\"), 3 formula ("=", also encoded wide text whose first character is "="), 5 encoded wide text.
Integer GetCellTextKind(const String& S, bool HtmlEnabled);
// The marker followed by two characters per 16-bit code unit: the high byte, then the low byte.
String EncodeUnicodeText(const String& WideText);
// For S beginning with the marker: the code units (first character x 256 + second character) of the
// following pairs, an odd last character ignored. Any other S is answered unchanged.
String DecodeUnicodeText(const String& S);
// When the upper-cased Text contains Prefix (upper case, such as "HTTP://"): Dest := Text with "<"
// and ">" escaped and the URL that starts at Prefix wrapped in an anchor to itself; True. Otherwise
// False and Dest stays as it is.
bool AddUrlAnchor(const String& Text, const String& Prefix, String& Dest);
// Six upper-case hexadecimal digits, red (low byte) first; the value is taken as it is.
String ColorToHtmlHex(TColor Color);
// S wrapped as a fragment of the clipboard format "HTML Format": the header with its character
// offsets, the document head, S and the closing part.
void MakeHtmlClipboardFragment(String& S);
// The first letter of each word upper case and the rest lower case; "Mc" prefixes and the roman
// numbers " I" and " II" at the end keep their capitals.
String CapitalizeWords(const String& S);
// Ch is a blank, "'", ",", "-" or ".".
bool IsWordBreakChar(Char Ch);
// The whole of S converted to the OEM code page, the bytes read back as text of the ANSI code page.
void StringToOem(String& S);
// The whole of S converted to bytes of the ANSI code page, those bytes read as OEM text.
void OemToString(String& S);

// ---------------------------------------------------------------------------------------------
// Numbers, dates and times (with the process's format settings)
// ---------------------------------------------------------------------------------------------

Char LocaleTimeSeparator();
Char LocaleDateSeparator();
Char LocaleThousandSeparator();
Char LocaleDecimalSeparator();
String LocaleShortDateFormat();

// A number character: a decimal digit, a letter number or another number character of Unicode.
bool IsDigitChar(Char Ch);
// A number character or "-".
bool IsDigitOrMinus(Char Ch);
// A number character, the thousand separator, the decimal separator, "e" or "E".
bool IsNumberTextChar(Char Ch);
// A number character, "-", ".", "e", "E" or "+".
bool IsPlainNumberChar(Char Ch);
// What IsNumberTextChar accepts, and "+" and "-".
bool IsExponentNumberChar(Char Ch);

// Kinds answered by ClassifyNumberText.
constexpr Integer ntInteger = 0;
constexpr Integer ntFloat = 1;
constexpr Integer ntOther = 2;
constexpr Integer ntExponent = 5;

// 0 integer, 1 floating-point number, 5 number with exponent, 2 anything else.
Integer ClassifyNumberText(const String& S);
// A plain number text with "." as decimal point and an optional leading "-": blanks trimmed,
// leading non-numeric characters dropped (a "-" among them, or enclosing parentheses, make it
// negative), thousand separators dropped, cut at the first other character.
String NormalizeNumberText(const String& S);
// A date, with an optional time, in the field order of the short date format. True with Value set;
// a date whose time part has no time separator is stored but answers False.
bool ParseLocaleDateTime(const String& S, TDateTime& Value);
// A month-day-year / day-month-year text with "/", "." or "-" (the same one twice); 0 when it does
// not parse. Two-digit years up to 25 are 20xx, other two-digit years 19xx; longer years are taken
// as written. An impossible date raises the date encoding's EConvertError.
TDateTime ParseDateMDY(const String& S);
TDateTime ParseDateDMY(const String& S);
// S holds the date separator at position 2 or later and again at least two characters later.
bool LooksLikeDate(const String& S);
// Date moved by one kind of step: days alone, years alone (16-bit addition), months alone (16-bit
// addition, one year boundary), else Date + Increment. A day the target month lacks raises the
// date encoding's EConvertError.
TDateTime IncDateParts(Word Years, Word Months, Word Days, TDateTime Date, double Increment);
// Value clamped to the bounds that apply: a bound of 0 or less is not applied, and equal bounds
// leave the value as it is.
Integer LimitToRange(Integer Value, Integer Min, Integer Max);
Integer IntMax(Integer A, Integer B);
Integer IntMin(Integer A, Integer B);
// The nearest integer, halves to even (Round as an Integer), for pixel positions and sizes.
Integer RoundInt(double X);
// A component's version text: the four bytes of VersionNr, most significant first, as decimal
// numbers joined by "." (0x01020000 gives 1.2.0.0).
String VersionNrText(Integer VersionNr);

// ---------------------------------------------------------------------------------------------
// Filter condition matcher
// ---------------------------------------------------------------------------------------------

// Whether Value satisfies Condition: operands with the wildcards "*" and "?", the negation "!" and
// the relational operators ">", ">=", "<", "<=" (compared as numbers, dates or texts), combined
// from left to right with "&" (and) and "|", "^", ";" (or), and parentheses. Case-insensitive
// unless CaseSensitive.
bool MatchFilter(const String& Condition, const String& Value, bool CaseSensitive);

class TOperandPattern;

// A condition of MatchFilter read once, to be tested against many values: Match gives what
// MatchFilter gives for the condition and the value. Neither the length of the condition nor the
// depth of its parentheses is read again per value, and the tests after a star take time in
// proportion to the value's length.
class TFilterCondition {
 public:
  TFilterCondition(const String& Condition, bool CaseSensitive);
  ~TFilterCondition();
  TFilterCondition(TFilterCondition&&) noexcept;
  TFilterCondition& operator=(TFilterCondition&&) noexcept;
  TFilterCondition(const TFilterCondition&) = delete;
  TFilterCondition& operator=(const TFilterCondition&) = delete;

  bool Match(const String& Value) const;

 private:
  struct TStep;
  struct TSequence;
  bool FCaseSensitive;
  std::vector<std::unique_ptr<TOperandPattern>> FOperands;
  std::vector<TSequence> FSequences;
};

// The matcher's steps.
// S without the blanks that stand outside double quotes.
String RemoveBlanksOutsideQuotes(const String& S);
// The first character of S that is one of Operators and stands outside double quotes, with its
// position in APos; character 0 and position -1 when there is none.
Char FirstOperatorOutsideQuotes(const String& Operators, const String& S, Integer& APos);
// Position of the first ")" at which as many ")" as "(" have been seen; 0 when there is none.
Integer ClosingParenPos(const String& S);
// MatchPattern on the operand and the value, both upper case unless CaseSensitive.
bool MatchOperand(const String& Operand, const String& Value, bool CaseSensitive);
// The operand matcher: relational tests, then the wildcard match of the whole pattern.
bool MatchPattern(const String& Pattern, const String& Value);
// S with every decimal separator replaced by "." and every thousand separator removed.
String DotDecimalText(const String& S);

// ---------------------------------------------------------------------------------------------
// Colours and gradient fills
// ---------------------------------------------------------------------------------------------

// The RGB value with each channel halved.
TColor DimColorHalf(TColor Color);
// Each channel c of the RGB value becomes round(c + Percent x c / 100), kept within 0..255.
TColor ScaleColor(TColor Color, Integer Percent);
// The colour at Position of a gradient from Color to ColorTo over RangeFrom..RangeTo (Position is
// not offset by RangeFrom); Color unchanged when ColorTo is clNone.
TColor InterpolateColor(TColor Color, TColor ColorTo, Integer RangeFrom, Integer RangeTo, Integer Position);
// Brush colour := Color; fills R.
void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color);
// Fills R with a gradient of Steps + 1 bands, from left to right when Horizontal, else from top to
// bottom; one solid rectangle when a colour is clNone.
void DrawGradientRect(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect R, bool Horizontal);
// A cell background (solid, gradient or mirror gradient, when Fill), then a border in BorderColor
// (side lines only, or a frame) unless BorderColor is clNone.
void DrawGradientBackground(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor,
                            TColor MirrorColorTo, bool Vertical, TColor BorderColor, bool SideLinesOnly,
                            bool Fill);
// Pieces of a selection box that spans several cells.
constexpr Integer sbWhole = 0;
constexpr Integer sbLeftEnd = 1;
constexpr Integer sbRightEnd = 2;
constexpr Integer sbMiddle = 3;
// The rounded selection box of the Vista, Windows 7 and Office 2007 selection styles, or one piece
// of it (Part 0 whole, 1 left end, 2 right end, 3 middle).
void DrawSelectionBox(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                      TColor TopLineColor, TColor BottomLineColor, TColor BorderColor, TColor EdgeColor,
                      TColor BackgroundColor, const TRect& R, Integer Part);

// ---------------------------------------------------------------------------------------------
// Button faces and small drawing routines
// ---------------------------------------------------------------------------------------------

// Button kinds: themed (through ThemeApi; the classic face when no theme data opens), classic,
// flat, or custom colours from a TColorTones record.
constexpr Byte bkThemed = 0;
constexpr Byte bkClassic = 1;
constexpr Byte bkFlat = 2;
constexpr Byte bkTones = 3;
// Button states; in the custom kind they select Background, Hover, Selected and Disabled.
constexpr Byte bsNormalState = 0;
constexpr Byte bsHotState = 1;
constexpr Byte bsDownState = 2;
constexpr Byte bsDisabledState = 3;

// The drop-down button at the right edge of R.
void DrawComboButton(TCanvas* Canvas, HWND Window, const TRect& R, Byte Kind, Byte State, const TColorTones& Tones);
// A push-button face filling R.
void DrawCellButton(TCanvas* Canvas, HWND Window, const TRect& R, Byte Kind, Byte State, const TColorTones& Tones);
// The up / down button pair at the right edge of R.
void DrawSpinButtons(TCanvas* Canvas, HWND Window, const TRect& R, Byte Kind, Byte State, const TColorTones& Tones);
// A small filled triangle pointing down, its top edge centred on (X, Y).
void DrawDownTriangle(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
// The bitmap at the top-left of R at its own size, its top-left pixel colour drawn as
// BackgroundColor.
void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R);
// The named bitmap of the program's resources drawn with DrawBitmapTransparent; an unknown name
// raises the bitmap loader's EResNotFound.
void DrawResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, const TRect& R, const String& ResName);
// A red zig-zag line under the characters ErrorFrom .. ErrorFrom + ErrorLength - 1 (0-based) of
// Text as an edit field at R would show them. Owner is the windowed control being painted.
void DrawErrorUnderline(TWinControl* Owner, TCanvas* Canvas, const String& Text, const TRect& R, Integer YOffset,
                        Integer ErrorFrom, Integer ErrorLength);

// The blend description of a layered-window update.
struct TBlendFunction {
  Byte BlendOp = 0;
  Byte BlendFlags = 0;
  Byte SourceConstantAlpha = 255;
  Byte AlphaFormat = 0;
};
// The platform's layered-window functions; false when Wnd is no window.
bool DynUpdateLayeredWindow(HWND Wnd, TCanvas* DstDC, const TPoint* DstPos, const TSize* Size, TCanvas* SrcDC,
                            const TPoint* SrcPos, TColor Key, const TBlendFunction* Blend, Cardinal Flags);
bool DynSetLayeredWindowAttributes(HWND Wnd, TColor Key, Byte Alpha, Cardinal Flags);

// ---------------------------------------------------------------------------------------------
// Progress bars, indicators and cell shapes
// ---------------------------------------------------------------------------------------------

// The look of an Office-style progress bar; the string grid fills it from its progress appearance.
struct TOfficeProgressStyle {
  TColor Level0Color = clNone;    // below Level1Perc
  TColor Level0ColorTo = clNone;
  TColor Level1Color = clNone;    // from Level1Perc
  TColor Level1ColorTo = clNone;
  TColor Level2Color = clNone;    // from Level2Perc (not stacked)
  TColor Level2ColorTo = clNone;
  TColor Level3Color = clNone;    // at completion (not stacked), third segment (stacked)
  TColor Level3ColorTo = clNone;
  Integer Level1Perc = 0;
  Integer Level2Perc = 0;
  TColor BorderColor = clNone;
  bool ShowBorder = false;
  bool Stacked = false;
  bool ShowPercentage = false;
  TFont* Font = nullptr;          // not owned
  TColor CompleteFontColor = clBlack;
  bool CompletionSmooth = false;
  bool ShowGradient = false;
  Integer Steps = 0;
  TColor UnCompleteColor = clNone;
  bool Vertical = false;
};

enum TCellShape : Byte {
  csRectangle,      // 0
  csCircle,         // 1
  csTriangleLeft,   // 2
  csTriangleRight,  // 3
  csTriangleUp,     // 4
  csTriangleDown,   // 5
  csDiamond,        // 6
  csLineVert,       // 7
  csLineHorz,       // 8
  csRoundRect,      // 9
  csEllips,         // 10
  csSquare,         // 11
  csRoundSquare,    // 12
  csStar,           // 13
  csArrowUp,        // 14
  csArrowDown,      // 15
  csArrowLeft,      // 16
  csArrowRight,     // 17
  csHalfStar,       // 18
};

// A progress bar with its text, which changes colour where the bar ends. Without Format the text is
// the rounded Value with "%" and the bar shows Value percent; with Format the text is Format applied
// to the value and the bar shows Value within Min..Max.
void DrawProgress(TCanvas* Canvas, const TRect& R, TColor CompleteColor, TColor CompleteFontColor,
                  TColor UnCompleteColor, TColor UnCompleteFontColor, double Value, Integer MarginX, Integer MarginY,
                  Integer Min, Integer Max, const String& Format, TColor BorderColor, bool LowText);
// An Office-style progress bar of Percent (0..100): colour levels, stacked segments or blocks.
void DrawOfficeProgress(TCanvas* Canvas, const TRect& R, Integer Percent, const TOfficeProgressStyle& Style);
// A progress pie: the circle, the radius to 12 o'clock and to Percent, the sector filled in Color.
void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, Integer Percent, bool RaisedSeed);
// A bar that grows from the centre, left for negative values and right for positive ones, with the
// value's text when ShowValue.
void DrawCenteredBar(TCanvas* Canvas, const TRect& R, Integer Value, Integer Max, bool ShowValue,
                     TColor NegativeColor, TColor PositiveColor);
// One of the nineteen shapes (a TCellShape ordinal) in the area (X, Y, Width, Height).
void DrawCellShape(TCanvas* Canvas, Integer X, Integer Y, Integer Width, Integer Height, Integer Shape,
                   TColor BrushColor, TColor PenColor);
