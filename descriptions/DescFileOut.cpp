#include "descriptions/DescFileOut.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

bool Overwrite_Allowed(const String& FileName, Integer Text_Id,
                       const TConfirm_Overwrite& Confirm_Overwrite) {
  if (!FileExists(FileName)) return true;
  if (!Confirm_Overwrite) return false;
  return Confirm_Overwrite(Text_Id) == TOverwrite_Answer::Yes;
}

void Save_Text_Lines(const String& FileName, const std::vector<String>& Lines,
                     TText_Encoding Encoding) {
  TStringList list;
  for (const String& line : Lines) list.Add(line);
  list.SaveToFile(FileName, Encoding == TText_Encoding::Ansi ? TEncoding::ANSI : TEncoding::UTF8);
}

String Two_Digits(Integer Value) {
  String text = IntToStr(Value);
  return Length(text) < 2 ? u"0" + text : text;
}
