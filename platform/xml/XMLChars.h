// The characters an XML 1.0 document can carry at all, and the rule every XML writer of the program
// applies with it.
//
// XML 1.0 allows tab, line feed, carriage return, U+0020..U+D7FF, U+E000..U+FFFD and
// U+10000..U+10FFFF. The other control characters, unpaired surrogates, U+FFFE and U+FFFF cannot
// stand in a well-formed document, neither as they are nor as character references, so a writer
// leaves them out: the file then reads in every XML tool, and everything else in it is kept. The
// XML document refuses a file holding one as not well-formed, so nothing read is left out.
#pragma once

#include <string>
#include <string_view>

#include "platform/rtl/System.h"

bool IsXmlChar(char32_t C);

// S without the characters XML 1.0 cannot carry (surrogate pairs are kept, unpaired surrogates
// left out).
String XmlCharsOnly(const String& S);

// The same for UTF-8 text; bytes that do not form a UTF-8 character are left out as well.
std::string XmlCharsOnlyUtf8(std::string_view S);

// The length of the run of plain ASCII at the start of S: bytes below 0x80 that are characters XML
// 1.0 carries (no control character other than tab, line feed and carriage return). Sixteen bytes
// at a time where the processor allows, so the long runs of markup go at about the speed of memory.
size_t PlainXmlAsciiPrefix(std::string_view S);

// The place of the first character of the UTF-8 text S that XML 1.0 cannot carry, or
// std::string_view::npos when there is none. Bytes that form no UTF-8 character count as such a
// character, so a text in which none is found is valid UTF-8.
size_t FindNonXmlCharUtf8(std::string_view S);

// XML text as the bytes of the encoding its declaration names: "UTF-8", "ISO-8859-1",
// "windows-1252" or "US-ASCII" (letter case and the usual other names of these accepted).
// Characters the encoding lacks become character references ("&#8364;"), so only text meant for
// element content or attribute values may hold them; characters XML 1.0 cannot carry are left out.
// False, with Bytes untouched, for an encoding it cannot write.
bool XmlTextToBytes(const String& Text, const String& Encoding, std::string& Bytes);
