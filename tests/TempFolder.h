// A folder of its own for one test (or one process), in the system's temporary folder, removed
// with everything in it when the object goes. The system makes its name unique (mkdtemp), so no
// two tests share a path: not in one process, nor in processes that run at the same time (ctest
// runs the tests of a suite side by side, and a suite may run twice at once).
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "platform/rtl/SysUtils.h"

class TTempFolder {
 public:
  // Prefix starts the folder's name; the system adds the unique part.
  explicit TTempFolder(const std::string& Prefix = "kp_test") {
    std::string made = (std::filesystem::temp_directory_path() / (Prefix + "_XXXXXX")).string();
    if (!::mkdtemp(made.data())) throw std::runtime_error("no temporary folder could be made for " + Prefix);
    FFsPath = made;
    FPath = Utf8ToString(made);
  }
  ~TTempFolder() {
    std::error_code ec;
    // Entries a test made read-only become removable again first (what a link points to is left
    // as it is).
    for (const auto& e : std::filesystem::recursive_directory_iterator(FFsPath, ec)) {
      if (!e.is_symlink(ec))
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(FFsPath, ec);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The folder, without a trailing delimiter.
  const String& Path() const { return FPath; }
  // A path inside the folder.
  String File(const String& Name) const { return FPath + u"/" + Name; }
  String File(const std::string& Name) const { return File(Utf8ToString(Name)); }
  String operator/(const String& Name) const { return File(Name); }
  // The folder, or a path inside it, for the standard library.
  std::filesystem::path FsPath(const std::string& Name = "") const { return Name.empty() ? FFsPath : FFsPath / Name; }

 private:
  std::filesystem::path FFsPath;
  String FPath;
};
