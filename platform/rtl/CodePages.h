// 8-bit code pages: Windows-1252 (ANSI) and CP850 (OEM), and a UTF-8 check.
#pragma once

#include <string>
#include <string_view>

#include "platform/rtl/System.h"

// Bytes in a single-byte code page (1252, 850, or another one the system's converter knows) to
// text. Bytes the code page leaves undefined become the character with the byte's number.
// EConvertError "Code page %d is not supported" for an unknown code page.
String AnsiToString(std::string_view Bytes, int CodePage = 1252);
// Text to bytes in a single-byte code page; a character the code page lacks becomes '?'
// (one '?' for a surrogate pair).
std::string StringToAnsi(const String& S, int CodePage = 1252);
// The OEM code page of the system's console texts (CP850).
inline String OemToString(std::string_view Bytes) { return AnsiToString(Bytes, 850); }
inline std::string StringToOem(const String& S) { return StringToAnsi(S, 850); }
// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates or values past U+10FFFF.
bool IsValidUtf8(std::string_view Bytes);
