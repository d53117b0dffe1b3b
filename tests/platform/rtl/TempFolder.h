// A temporary folder for one test, removed with everything in it at the end.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/rtl/SysUtils.h"

class TTempFolder {
 public:
  TTempFolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "rtl-test-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    FPath = made ? Utf8ToString(made) : String();
  }
  ~TTempFolder() {
    std::error_code ec;
    if (!FPath.empty()) {
      // Make protected entries removable again before removing the tree.
      for (auto& e : std::filesystem::recursive_directory_iterator(StringToUtf8(FPath), ec))
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
      std::filesystem::remove_all(StringToUtf8(FPath), ec);
    }
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  // The folder, without a trailing delimiter.
  const String& Path() const { return FPath; }
  // A path inside the folder.
  String operator/(const String& Name) const { return FPath + u"/" + Name; }

 private:
  String FPath;
};

inline String FixturePath(const char* Name) {
  return Utf8ToString(std::string(KP_FIXTURES_DIR) + "/platform/rtl/" + Name);
}
