// The file name of the PROFINET device description (GSDML): a fixed first part, the part the user
// types and a fixed last part made of the date and the extension.
#pragma once

#include "platform/rtl/System.h"

// Text id of the refusal of a user part that cannot stand in a file name.
constexpr Integer Text_GSDML_Bad_User_Part = 1812;

// The fixed first part, "GSDML-V2.31-Tavrel-GX31A09".
String GSDML_Fix1();
// The fixed last part for a date: "-", the year in four digits, month and day in two, ".xml"
// ("-20240307.xml").
String GSDML_Fix2(Integer Year, Integer Month, Integer Day);

// 0 when the user part may stand in a file name, else Text_GSDML_Bad_User_Part: it must not hold
// a path separator, "..", a control character or one of the characters : * ? " < > | that file
// names cannot carry. A blank part (control characters count as blanks) is not used, so it passes.
Integer Check_GSDML_User_Part(const String& User);

// The file name: Fix1 + Fix2 when the user part is blank; otherwise Fix1 + User + Fix2 when User
// begins with "_", else Fix1 + "_" + User + Fix2. A user part that is not blank is used as typed.
String Compose_GSDML_File_Name(const String& Fix1, const String& User, const String& Fix2);
