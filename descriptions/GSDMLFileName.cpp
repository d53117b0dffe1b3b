#include "descriptions/GSDMLFileName.h"

#include "descriptions/DescFileOut.h"
#include "platform/rtl/SysUtils.h"

String GSDML_Fix1() { return u"GSDML-V2.31-Tavrel-GX31A09"; }

String GSDML_Fix2(Integer Year, Integer Month, Integer Day) {
  String year = IntToStr(Year);
  while (Length(year) < 4) year = u"0" + year;
  return u"-" + year + Two_Digits(Month) + Two_Digits(Day) + u".xml";
}

Integer Check_GSDML_User_Part(const String& User) {
  // A blank user part (tabs and other control characters count as blanks) is left out of the
  // name, so nothing of it can reach the file system.
  if (Trim(User).empty()) return 0;
  if (Pos(u"..", User) > 0) return Text_GSDML_Bad_User_Part;
  for (Char c : User) {
    if (c < u' ' || c == 0x7F) return Text_GSDML_Bad_User_Part;
    switch (c) {
      case u'/':
      case u'\\':
      case u':':
      case u'*':
      case u'?':
      case u'"':
      case u'<':
      case u'>':
      case u'|':
        return Text_GSDML_Bad_User_Part;
      default:
        break;
    }
  }
  return 0;
}

String Compose_GSDML_File_Name(const String& Fix1, const String& User, const String& Fix2) {
  if (Trim(User).empty()) return Fix1 + Fix2;
  if (!User.empty() && User[0] == u'_') return Fix1 + User + Fix2;
  return Fix1 + u"_" + User + Fix2;
}
