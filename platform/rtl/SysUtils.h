// Exceptions, conversions, formatting, files and folders, dates and times.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/rtl/System.h"

// The root of the exception family. Message() is the text the user sees.
class Exception : public std::exception {
 public:
  explicit Exception(String message) : FMessage(std::move(message)), FUtf8(StringToUtf8(FMessage)) {}
  const String& Message() const { return FMessage; }
  void SetMessage(const String& message) {
    FMessage = message;
    FUtf8 = StringToUtf8(FMessage);
  }
  const char* what() const noexcept override { return FUtf8.c_str(); }
  virtual String ClassName() const { return u"Exception"; }

 private:
  String FMessage;
  std::string FUtf8;
};

#define KP_DECLARE_EXCEPTION(Name, Base)                        \
  class Name : public Base {                                    \
   public:                                                      \
    using Base::Base;                                           \
    String ClassName() const override { return u## #Name; }     \
  };

KP_DECLARE_EXCEPTION(EConvertError, Exception)
KP_DECLARE_EXCEPTION(EListError, Exception)
KP_DECLARE_EXCEPTION(EStringListError, Exception)
KP_DECLARE_EXCEPTION(EInOutError, Exception)
KP_DECLARE_EXCEPTION(EStreamError, Exception)
KP_DECLARE_EXCEPTION(EFOpenError, EStreamError)
KP_DECLARE_EXCEPTION(EFCreateError, EStreamError)
KP_DECLARE_EXCEPTION(EReadError, EStreamError)
KP_DECLARE_EXCEPTION(EWriteError, EStreamError)
KP_DECLARE_EXCEPTION(EInvalidCast, Exception)
KP_DECLARE_EXCEPTION(EInvalidOperation, Exception)
KP_DECLARE_EXCEPTION(EAssertionFailed, Exception)
KP_DECLARE_EXCEPTION(EOSError, Exception)
KP_DECLARE_EXCEPTION(EIntOverflow, Exception)
KP_DECLARE_EXCEPTION(EOutOfMemory, Exception)

// A TDateTime counts days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

// ---------------------------------------------------------------------------------------------
// Format settings: the separators, formats and names that conversions of numbers and dates use.
// The process-wide FormatSettings starts with the English defaults below and does not follow the
// system locale, so files the program writes never depend on the user's language settings.
struct TFormatSettings {
  String CurrencyString = u"$";
  // Position of the currency symbol: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
  Byte CurrencyFormat = 0;
  // Layout of a negative amount, 0 "($1)" .. 15 "(1 $)", the classic sixteen layouts.
  Byte NegCurrFormat = 0;
  Byte CurrencyDecimals = 2;
  Char ThousandSeparator = u',';
  Char DecimalSeparator = u'.';
  Char DateSeparator = u'/';
  Char TimeSeparator = u':';
  Char ListSeparator = u',';
  String ShortDateFormat = u"M/d/yyyy";
  String LongDateFormat = u"dddd, MMMM d, yyyy";
  String TimeAMString = u"AM";
  String TimePMString = u"PM";
  String ShortTimeFormat = u"h:mm AMPM";
  String LongTimeFormat = u"h:mm:ss AMPM";
  String ShortMonthNames[12] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  String LongMonthNames[12] = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                               u"July",    u"August",   u"September", u"October", u"November", u"December"};
  // Index 0 is Sunday.
  String ShortDayNames[7] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  String LongDayNames[7] = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
  // A two-digit year is placed within this many years before or after the current year.
  Word TwoDigitYearCenturyWindow = 50;

  // The English settings the process starts with.
  static TFormatSettings English() { return TFormatSettings(); }
};

// The process-wide settings used by every conversion that takes none explicitly.
extern TFormatSettings FormatSettings;

// ---------------------------------------------------------------------------------------------
// Integer conversions.
String IntToStr(Integer Value);
String IntToStr(Int64 Value);
inline String IntToStr(Cardinal Value) { return IntToStr(static_cast<Int64>(Value)); }
inline String IntToStr(long long Value) { return IntToStr(static_cast<Int64>(Value)); }
String UIntToStr(UInt64 Value);
inline String IntToStr(unsigned long Value) { return UIntToStr(Value); }
inline String IntToStr(unsigned long long Value) { return UIntToStr(Value); }
// Upper-case hexadecimal, at least Digits digits (zero-padded). A negative value that fits an
// Integer is written as its 32-bit two's complement ("FFFFFFFF" for -1); a smaller one as 64-bit.
String IntToHex(Int64 Value, Integer Digits);

// Text to integer: optional leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$", "x", "X", "0x" or "0X". Hexadecimal text may fill the whole width of the type
// ("$FFFFFFFF" is -1 as an Integer). Empty text, trailing blanks, any other character or a value
// outside the type's range are errors: StrToInt raises EConvertError, the Def forms give Default,
// the Try forms return false and leave Value unchanged.
Integer StrToInt(const String& S);
Integer StrToIntDef(const String& S, Integer Default);
bool TryStrToInt(const String& S, Integer& Value);
Int64 StrToInt64(const String& S);
Int64 StrToInt64Def(const String& S, Int64 Default);
bool TryStrToInt64(const String& S, Int64& Value);
// Decimal integer text only: the rules above without the hexadecimal forms, so "0x1F", "$1F" and
// "x1F" are errors like any other text that is not a number. Optional leading blanks and a sign,
// then decimal digits to the end of the text, within the range of an Integer. The Try form
// returns false and leaves Value unchanged; the Def form gives Default.
bool TryDecStrToInt(const String& S, Integer& Value);
Integer DecStrToIntDef(const String& S, Integer Default);

// Booleans: StrToBool accepts "0" / "-1" / any integer, and "True" / "False" in any case.
String BoolToStr(bool B, bool UseBoolStrs = false);
bool StrToBool(const String& S);
bool StrToBoolDef(const String& S, bool Default);
bool TryStrToBool(const String& S, bool& Value);

// ---------------------------------------------------------------------------------------------
// Floating-point conversions.
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General format with 15 significant digits: "0.1", "1E20", "1.5E-7".
String FloatToStr(double Value);
String FloatToStr(double Value, const TFormatSettings& Settings);
// Precision: significant digits (1..15 used). Digits: ffGeneral/ffExponent the minimum number of
// exponent digits (0..4), ffFixed/ffNumber/ffCurrency the number of decimals (0..18).
String FloatToStrF(double Value, TFloatFormat Format, Integer Precision, Integer Digits);
String FloatToStrF(double Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings);
// Text to double: optional blanks around, an optional sign, digits with the decimal separator of
// the settings, an optional exponent (E or e, optional sign, digits). StrToFloat raises
// EConvertError "'%s' is not a valid floating point value".
double StrToFloat(const String& S);
double StrToFloat(const String& S, const TFormatSettings& Settings);
double StrToFloatDef(const String& S, double Default);
double StrToFloatDef(const String& S, double Default, const TFormatSettings& Settings);
bool TryStrToFloat(const String& S, double& Value);
bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& Settings);

// ---------------------------------------------------------------------------------------------
// Format: the classic "%" [index ":"] ["-"] [width] ["." precision] type directives, where type is
// d u x (integers), e f g n m (floating point), s (text or character), p (pointer); index, width
// and precision may be "*" (taken from the next argument). "%%" writes "%". A directive whose
// argument is missing or of the wrong kind raises EConvertError.

// One argument of Format.
struct TVarRec {
  enum TVarType { vtInteger, vtInt64, vtCardinal, vtUInt64, vtExtended, vtString, vtChar, vtPointer, vtBoolean };
  TVarType VType = vtInteger;
  union {
    Integer VInteger;
    Int64 VInt64;
    Cardinal VCardinal;
    UInt64 VUInt64;
    double VExtended;
    Char VChar;
    const void* VPointer;
    bool VBoolean;
  };
  std::u16string_view VString;  // vtString: a view of the caller's text, alive during the call

  TVarRec() : VInteger(0) {}
  TVarRec(bool v) : VType(vtBoolean), VBoolean(v) {}
  TVarRec(Char v) : VType(vtChar), VChar(v) {}
  TVarRec(int v) : VType(vtInteger), VInteger(v) {}
  TVarRec(unsigned v) : VType(vtCardinal), VCardinal(v) {}
  TVarRec(short v) : VType(vtInteger), VInteger(v) {}
  TVarRec(unsigned short v) : VType(vtInteger), VInteger(v) {}
  TVarRec(signed char v) : VType(vtInteger), VInteger(v) {}
  TVarRec(unsigned char v) : VType(vtInteger), VInteger(v) {}
  TVarRec(long v) : VType(vtInt64), VInt64(v) {}
  TVarRec(long long v) : VType(vtInt64), VInt64(v) {}
  TVarRec(unsigned long v) : VType(vtUInt64), VUInt64(v) {}
  TVarRec(unsigned long long v) : VType(vtUInt64), VUInt64(v) {}
  TVarRec(double v) : VType(vtExtended), VExtended(v) {}
  TVarRec(float v) : VType(vtExtended), VExtended(v) {}
  TVarRec(long double v) : VType(vtExtended), VExtended(static_cast<double>(v)) {}
  TVarRec(const String& v) : VType(vtString), VPointer(nullptr), VString(v) {}
  TVarRec(std::u16string_view v) : VType(vtString), VPointer(nullptr), VString(v) {}
  TVarRec(const char16_t* v) : VType(vtString), VPointer(nullptr), VString(v ? std::u16string_view(v) : std::u16string_view()) {}
  TVarRec(const void* v) : VType(vtPointer), VPointer(v) {}
  TVarRec(std::nullptr_t) : VType(vtPointer), VPointer(nullptr) {}
  TVarRec(const char*) = delete;  // narrow text is not a String: write u"..."
  TVarRec(char) = delete;         // a narrow character is not a Char: write u'x'
};

String FormatV(const String& Fmt, const TVarRec* Args, size_t Count, const TFormatSettings& Settings);
inline String FormatV(const String& Fmt, const std::vector<TVarRec>& Args) {
  return FormatV(Fmt, Args.data(), Args.size(), FormatSettings);
}

template <typename... A>
String Format(const String& Fmt, const A&... Args) {
  const TVarRec recs[sizeof...(A) + 1] = {TVarRec(Args)...};
  return FormatV(Fmt, recs, sizeof...(A), FormatSettings);
}
template <typename... A>
String Format(const TFormatSettings& Settings, const String& Fmt, const A&... Args) {
  const TVarRec recs[sizeof...(A) + 1] = {TVarRec(Args)...};
  return FormatV(Fmt, recs, sizeof...(A), Settings);
}

// ---------------------------------------------------------------------------------------------
// Text routines.
// Trim, TrimLeft, TrimRight remove every character <= ' ' (blanks and control characters).
String Trim(const String& S);
String TrimLeft(const String& S);
String TrimRight(const String& S);
// ASCII letters only.
String UpperCase(const String& S);
String LowerCase(const String& S);
// Every letter (Unicode simple case mapping).
String AnsiUpperCase(const String& S);
String AnsiLowerCase(const String& S);
// One character as AnsiUpperCase maps it (one character always maps to one).
Char AnsiUpperChar(Char C);
// Ordinal comparisons: < 0, 0 or > 0. CompareText ignores the case of ASCII letters.
Integer CompareStr(const String& S1, const String& S2);
Integer CompareText(const String& S1, const String& S2);
bool SameStr(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
// Comparisons that ignore (AnsiCompareText) or respect (AnsiCompareStr) the case of every letter.
Integer AnsiCompareText(const String& S1, const String& S2);
Integer AnsiCompareStr(const String& S1, const String& S2);
bool AnsiSameText(const String& S1, const String& S2);
// 1-based position of Sub in S, 0 when absent.
Integer AnsiPos(const String& Sub, const String& S);
bool StartsText(const String& SubText, const String& Text);
bool EndsText(const String& SubText, const String& Text);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = int;  // a set of TReplaceFlag values: rfReplaceAll | rfIgnoreCase
String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, TReplaceFlags Flags);

// 'text' with every ' doubled.
String QuotedStr(const String& S);
// Quote + text with every Quote doubled + Quote.
String AnsiQuotedStr(const String& S, Char Quote);
// The reverse of AnsiQuotedStr; a text that does not start with Quote is returned unchanged.
String AnsiDequotedStr(const String& S, Char Quote);
// Whether the character at 1-based Index is one of Delimiters.
bool IsDelimiter(const String& Delimiters, const String& S, Integer Index);
// 1-based index of the last character of S that is one of Delimiters, 0 when none.
Integer LastDelimiter(const String& Delimiters, const String& S);

// ---------------------------------------------------------------------------------------------
// Files and folders. Paths use PathDelim ('/').
constexpr Integer faReadOnly = 0x00000001;
constexpr Integer faHidden = 0x00000002;
constexpr Integer faSysFile = 0x00000004;
constexpr Integer faVolumeID = 0x00000008;
constexpr Integer faDirectory = 0x00000010;
constexpr Integer faArchive = 0x00000020;
constexpr Integer faNormal = 0x00000080;
constexpr Integer faTemporary = 0x00000100;
constexpr Integer faSparseFile = 0x00000200;
constexpr Integer faSymLink = 0x00000400;
constexpr Integer faCompressed = 0x00000800;
constexpr Integer faOffline = 0x00001000;
constexpr Integer faNotContentIndexed = 0x00002000;
constexpr Integer faEncrypted = 0x00004000;
constexpr Integer faAnyFile = 0x000001FF;

bool FileExists(const String& FileName);
bool DirectoryExists(const String& Directory);
// Creates one folder; false when it exists already or its parent is missing.
bool CreateDir(const String& Dir);
// Creates the folder and every missing parent; true when the folder exists afterwards.
bool ForceDirectories(const String& Dir);
// Removes an empty folder.
bool RemoveDir(const String& Dir);
bool DeleteFile(const String& FileName);
bool RenameFile(const String& OldName, const String& NewName);
String GetCurrentDir();
bool SetCurrentDir(const String& Dir);
// The last modification time of a file; false when it does not exist.
bool FileAge(const String& FileName, TDateTime& FileDateTime);
// Size of a file in bytes, -1 when it does not exist.
Int64 FileSize(const String& FileName);
// The attributes of a file or folder (fa... bits), -1 when it does not exist.
Integer FileGetAttr(const String& FileName);

// File search. Regular files are always found; folders, hidden and system files only when their
// bit is in Attr. On this system a file the user may not write counts as read-only, a name
// starting with "." as hidden (except "." and ".."), a device, pipe or socket as a system file.
// The mask (the part after the last PathDelim) matches case-insensitively with * and ?.
struct TSearchRec {
  Integer Time = 0;         // last modification as a packed DOS date and time
  Int64 Size = 0;
  Integer Attr = 0;
  String Name;              // the file name without its folder
  Integer ExcludeAttr = 0;
  TDateTime TimeStamp = 0;  // last modification as a TDateTime
  void* FindHandle = nullptr;
};
// 0 when a first match was found (Rec holds it), otherwise an error code (2: nothing found).
Integer FindFirst(const String& Path, Integer Attr, TSearchRec& Rec);
// 0 when a next match was found, otherwise an error code.
Integer FindNext(TSearchRec& Rec);
void FindClose(TSearchRec& Rec);

// Matches a file name against a mask with * and ?, ignoring case. As on the classic system, a
// mask ending in ".*" also matches a name without any extension ("*.*" matches every name).
bool MatchesMask(const String& FileName, const String& Mask);

// Path parts: the folder with its trailing delimiter, the folder without it, the name, and the
// extension with its dot ("" when none).
String ExtractFilePath(const String& FileName);
String ExtractFileDir(const String& FileName);
String ExtractFileName(const String& FileName);
String ExtractFileExt(const String& FileName);
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
// An absolute path, with "." and ".." parts resolved by name.
String ExpandFileName(const String& FileName);

// The program folder: the executable's folder when the user may write there, otherwise
// $XDG_DATA_HOME/<program> (default ~/.local/share/<program>), created when missing.
// Without a trailing delimiter.
String ProgramFolder();
// Points the program folder somewhere else (tests use a temporary folder); "" restores the rule.
void SetProgramFolder(const String& Folder);
// The program's name used for its data and configuration folders (default: the executable's name).
String ProgramName();
void SetProgramName(const String& Name);
// $XDG_CONFIG_HOME or ~/.config, without a trailing delimiter.
String UserConfigFolder();

// Reading whole files. A reader opens only a regular file: a folder, a device, a pipe or a socket
// at the name is refused with an error that names the file and says what stands there, before
// anything is opened (opening some devices does something) and again on what was opened (a name
// swapped in between changes nothing); nothing ever waits for a pipe's writer. Each reader bounds
// the size it takes to what it reads, so a file it could never use is refused before it fills the
// memory.
//
// True only when nothing stands at the name: it, or a folder on its way, is missing (a link that
// leads nowhere counts as missing). A reader takes that, and only that, for a missing file; a
// folder, a device or a pipe at the name is not missing, and reading it says what it is.
bool FileMissing(const String& FileName);
// A regular file opened for reading; the caller closes the descriptor. Raises EFOpenError
// "Cannot open file "<name>". <reason>" when it cannot be opened or stands for no regular file
// ("It is a folder, not a file.", "It is a pipe, not a file.", ...).
int OpenRegularFile(const String& FileName);
// The whole content of a regular file of at most MaxSize bytes. Raises EFOpenError as
// OpenRegularFile does, and for a larger file; EReadError "Cannot read file "<name>". <reason>"
// when reading fails; EOutOfMemory (OutOfMemoryReading) when the content does not fit in memory.
std::string ReadRegularFile(const String& FileName, Int64 MaxSize);
// The same for a regular file of any size.
std::string ReadFileBytes(const String& FileName);
// The error a reader raises when a file does not fit in memory (std::bad_alloc while it reads):
// EOutOfMemory "Not enough memory to read file "<name>".", so it reaches the user like any other
// file that cannot be read, and the program goes on.
EOutOfMemory OutOfMemoryReading(const String& FileName);
// True when the name (links followed) is a regular file of at most MaxSize bytes: what a reader
// that takes a whole file on the GUI thread may open without reading forever from a device or
// waiting on a pipe.
bool IsRegularFileUpTo(const String& FileName, Int64 MaxSize);
// The whole content of a regular file of at most MaxSize bytes. False, with Bytes empty, for
// anything else: a missing or unreadable name, a folder, a device, a pipe, a socket, a larger
// file or one that does not fit in memory. It never waits: a pipe without a writer is refused
// like any other pipe.
bool ReadRegularFileBytes(const String& FileName, Int64 MaxSize, std::string& Bytes);
// Makes Bytes the whole content of the file, creating it when missing. An existing regular file
// of the user is replaced only once the new content is completely written beside it, so a write
// that fails (a full disk) leaves the old content as it was; the file keeps its permissions. A
// file the user may not write is not replaced. Links, devices and files with several names or of
// another owner are written in place. A file that did not exist is removed again when its content
// cannot be written, so a failed write leaves no empty or partial file behind. A pipe without a
// reader is refused, never waited for.
enum TFileWriteResult { fwDone, fwCannotCreate, fwCannotWrite };
// The outcome, with the system's error number in Error.
TFileWriteResult ReplaceFileBytes(const String& FileName, std::string_view Bytes, Integer& Error);
// The same, raising EFCreateError "Cannot create file "<name>". <reason>" or EWriteError
// "Cannot write file "<name>". <reason>".
void WriteFileBytes(const String& FileName, std::string_view Bytes);

// A file replaced as ReplaceFileBytes replaces it, its new content written piece by piece, so that
// content too large to hold whole goes out a part at a time. The pieces reach the old file only
// at Commit: until then they go to a file beside it (or, for a file written in place, to an
// unnamed temporary file), so a failed write or an error raised between two pieces leaves the old
// file as it was; a new file not committed is removed again. Failures raise EFCreateError or
// EWriteError as WriteFileBytes does.
class TFileReplacement {
 public:
  explicit TFileReplacement(const String& FileName);
  ~TFileReplacement();
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;
  void Write(std::string_view Bytes);
  void Commit();

 private:
  struct TState;
  String FFileName;
  std::unique_ptr<TState> FState;
};

// The text of an OS error number.
String SysErrorMessage(Integer ErrorCode);
Integer GetLastError();

// ---------------------------------------------------------------------------------------------
// Dates and times (TDateTime is declared at the top of this header).
constexpr Integer HoursPerDay = 24;
constexpr Integer MinsPerDay = 24 * 60;
constexpr Integer SecsPerDay = 24 * 60 * 60;
constexpr Integer MSecsPerDay = SecsPerDay * 1000;

// The current local date and time, date and time of day.
TDateTime Now();
TDateTime Date();
TDateTime Time();
// Replaces the clock behind Now, Date and Time (tests); an empty function restores the system clock.
void SetNowFunction(std::function<TDateTime()> Clock);

bool IsLeapYear(Word Year);
Word DaysInAMonth(Word Year, Word Month);
// EncodeDate / EncodeTime raise EConvertError on invalid parts (year 1..9999, month 1..12, day of
// the month; hour 0..23, minute 0..59, second 0..59, millisecond 0..999).
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
// 1 = Sunday .. 7 = Saturday.
Word DayOfWeek(TDateTime DateTime);
// Adds months; a day past the end of the new month becomes its last day. The time is kept.
TDateTime IncMonth(TDateTime DateTime, Integer NumberOfMonths = 1);

// Date and time patterns: d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right after h or hh),
// yy yyyy, h hh, n nn, s ss, z zzz, am/pm a/p ampm (12-hour clock), c, t, tt, / and : (the
// separators of the settings), text in '...' or "..." as it stands. Letters match in either case.
String FormatDateTime(const String& Format, TDateTime DateTime);
String FormatDateTime(const String& Format, TDateTime DateTime, const TFormatSettings& Settings);
String DateToStr(TDateTime Date);
String DateToStr(TDateTime Date, const TFormatSettings& Settings);
String TimeToStr(TDateTime Time);
String TimeToStr(TDateTime Time, const TFormatSettings& Settings);
String DateTimeToStr(TDateTime DateTime);
String DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings);
// Dates in the order of ShortDateFormat with the DateSeparator; times as h[:n[:s[.z]]] with the
// TimeSeparator and an optional AM/PM text.
bool TryStrToDate(const String& S, TDateTime& Value);
bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& Settings);
bool TryStrToTime(const String& S, TDateTime& Value);
bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& Settings);
bool TryStrToDateTime(const String& S, TDateTime& Value);
bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& Settings);
// Raise EConvertError "'%s' is not a valid date" / "... time" / "... date and time".
TDateTime StrToDate(const String& S);
TDateTime StrToTime(const String& S);
TDateTime StrToDateTime(const String& S);
