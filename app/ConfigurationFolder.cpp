#include "app/ConfigurationFolder.h"

#include "app/UComon.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool Is_Delimiter_Or_Control(Char c) {
  return c == u'/' || c == u'\\' || c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F);
}

}  // namespace

bool Is_Safe_Path_Name(const String& Name) {
  if (Name.empty()) return false;
  if (Name.find(u"..") != String::npos) return false;
  for (Char c : Name) {
    if (Is_Delimiter_Or_Control(c)) return false;
  }
  const Char last = Name.back();
  return last != u' ' && last != u'.';
}

bool Is_Plain_File_Name(const String& Name) {
  if (Name.empty() || Name == u"." || Name == u"..") return false;
  for (Char c : Name) {
    if (Is_Delimiter_Or_Control(c)) return false;
  }
  return true;
}

Integer Check_Conf_Name(const String& Name) {
  if (Name.empty()) return Text_Conf_Name_Empty;
  if (!Is_Safe_Path_Name(Name)) return Text_Conf_Name_Refused;
  return 0;
}

Integer Create_Conf_Folder(const String& PathProjects, const String& Name, String& PathConf) {
  if (const Integer failed = Check_Conf_Name(Name)) return failed;
  const String folder = Path_Join(PathProjects, Name);
  if (DirectoryExists(folder)) return Text_Conf_Name_Exists;
  if (!CreateDir(folder)) return Text_Conf_Name_Refused;
  ForceDirectories(Path_Join(folder, Name_Folder_Bin));
  PathConf = folder;
  return 0;
}
