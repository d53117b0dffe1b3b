// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/rtl/System.h"
#include "tests/TempFolder.h"

class TTestFolder {
 public:
  // The folder, and a path inside it, as the program's strings.
  String Path() const { return FFolder.Path(); }
  String Path(const std::string& name) const { return FFolder.File(name); }
  std::filesystem::path FsPath(const std::string& name = "") const { return FFolder.FsPath(name); }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(FsPath(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const { return Read_Bytes(FsPath(name)); }

  static std::string Read_Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  TTempFolder FFolder{"app_test"};
};

inline std::string Fixture_Path(const std::string& name) { return std::string(KP_FIXTURES_DIR) + "/app/" + name; }
inline std::string Fixture_Bytes(const std::string& name) { return TTestFolder::Read_Bytes(Fixture_Path(name)); }
