// What the description-file writers share: the overwrite question, answered by the caller, the
// writing of a text file as a list of lines, and the two-digit numbers of their dates and times.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/System.h"

// The answers to the question asked before an existing file is replaced.
enum class TOverwrite_Answer { Yes, No, Cancel };

// Asks whether an existing file may be replaced. Text_Id is the id of the question in the text
// table. The writers call it only when the target exists; only Yes lets them go on.
using TConfirm_Overwrite = std::function<TOverwrite_Answer(Integer Text_Id)>;

// True when FileName does not exist, or when it exists and the question is answered Yes. A missing
// question counts as No, so nothing is ever replaced unasked.
bool Overwrite_Allowed(const String& FileName, Integer Text_Id,
                       const TConfirm_Overwrite& Confirm_Overwrite);

enum class TText_Encoding {
  Ansi,      // Windows-1252 without byte order mark; characters it lacks become "?"
  Utf8_Bom,  // UTF-8 with byte order mark
};

// Writes the lines in one piece, each ended by CR LF (the last one too), replacing an existing
// file. A file that cannot be written raises the runtime library's file error.
void Save_Text_Lines(const String& FileName, const std::vector<String>& Lines,
                     TText_Encoding Encoding);

// Value as decimal text of at least two digits ("07", "12", "123").
String Two_Digits(Integer Value);
