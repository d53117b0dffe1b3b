// The basic types of the runtime library: the UTF-16 String, the integer types, TObject,
// and the classic 1-based string routines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

using Integer = int32_t;
using Cardinal = uint32_t;
using Int64 = int64_t;
using UInt64 = uint64_t;
using Byte = uint8_t;
using Word = uint16_t;
using LongWord = uint32_t;
using Char = char16_t;

// A String is a sequence of UTF-16 code units. Lengths, positions and cuts count those units.
using String = std::u16string;

// UTF-8 appears only at boundaries (file bytes, XML parser, HTTP, the Qt bridge).
String Utf8ToString(std::string_view utf8);
std::string StringToUtf8(const String& s);
// Plain ASCII literal to String (a convenience for code that builds texts from char data).
String AsciiToString(std::string_view ascii);

// The classic 1-based routines. Index 1 is the first character.
// Pos: position of the first occurrence of Sub in S, 0 when absent (or when Sub is empty).
Integer Pos(const String& Sub, const String& S, Integer Offset = 1);
// Copy: Count characters from Index; an Index below 1 counts from 1, past the end gives "".
String Copy(const String& S, Integer Index, Integer Count);
// Delete: removes Count characters from Index; an Index out of 1..Length does nothing.
void Delete(String& S, Integer Index, Integer Count);
// Insert: inserts Source before Index; an Index below 1 inserts at the start, past the end appends.
void Insert(const String& Source, String& S, Integer Index);
inline Integer Length(const String& S) { return static_cast<Integer>(S.size()); }
String StringOfChar(Char C, Integer Count);

// Upper case of one character, ASCII letters only (other characters are returned unchanged).
Char UpCase(Char C);

// The folder separator of file paths on this system.
constexpr Char PathDelim = u'/';
// The separator of entries in a path list ($PATH-like).
constexpr Char PathSep = u':';
// The line break that text files of the system are written with.
inline const String sLineBreak = u"\r\n";

// Rounding: Round takes the nearest integer and, on a tie, the even one (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Trunc cuts toward zero. Both return Int64; a value outside the Int64 range (or NaN)
// gives the smallest Int64, as the processor's conversion does.
Int64 Round(double X);
Int64 Trunc(double X);
// Frac: the fractional part, with the sign of X. Int: the integral part as a double.
double Frac(double X);
double Int(double X);

// MulDiv: (Number * Numerator) / Denominator computed in 64 bits and rounded half away from zero;
// -1 when Denominator is 0 or the result does not fit an Integer.
Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator);

inline Integer Min(Integer A, Integer B) { return A < B ? A : B; }
inline Int64 Min(Int64 A, Int64 B) { return A < B ? A : B; }
inline double Min(double A, double B) { return A < B ? A : B; }
inline Integer Max(Integer A, Integer B) { return A > B ? A : B; }
inline Int64 Max(Int64 A, Int64 B) { return A > B ? A : B; }
inline double Max(double A, double B) { return A > B ? A : B; }

// The root of every class that has a classic class name.
class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  // The class name as the class library reports it ("TButton", "TStringList").
  virtual String ClassName() const { return u"TObject"; }
};
