// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/rtl/System.h"

class TTestFolder {
 public:
  TTestFolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "app_test_XXXXXX").string();
    FPath = mkdtemp(tmpl.data());
  }
  ~TTestFolder() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  TTestFolder(const TTestFolder&) = delete;
  TTestFolder& operator=(const TTestFolder&) = delete;

  // The folder, and a path inside it, as the program's strings.
  String Path() const { return Utf8ToString(FPath.string()); }
  String Path(const std::string& name) const { return Utf8ToString((FPath / name).string()); }
  std::filesystem::path FsPath(const std::string& name = "") const { return name.empty() ? FPath : FPath / name; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(FPath / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const { return Read_Bytes(FPath / name); }

  static std::string Read_Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path FPath;
};

inline std::string Fixture_Path(const std::string& name) { return std::string(KP_FIXTURES_DIR) + "/app/" + name; }
inline std::string Fixture_Bytes(const std::string& name) { return TTestFolder::Read_Bytes(Fixture_Path(name)); }
