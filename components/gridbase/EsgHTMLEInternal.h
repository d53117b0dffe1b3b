// Helpers shared by the mini-HTML text routines and the renderer; not for other modules.
#pragma once

#include "platform/rtl/System.h"

namespace HtmlInternal {

// The value of attribute Name in a tag: the text between the first pair of double quotes after
// the first occurrence of Name (searched in UpperTag, the upper-cased tag, with Name upper-cased),
// taken from Tag. Empty when the name or the quotes are missing.
String TagValue(const String& Tag, const String& UpperTag, const String& Name);
// The integer at the start of S (after blanks, with an optional sign); Default when S starts with
// no digit.
Integer LeadingInt(const String& S, Integer Default);
// The in-text entities of a run: "&nbsp;" a blank, "&lt;" and "&gt;" the angle brackets.
void ReplaceRunEntities(String& Run);

}  // namespace HtmlInternal
