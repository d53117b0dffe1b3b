// Files for the description tests: a scratch folder per test and the fixtures of the folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/rtl/System.h"

namespace desc_test {

// The path of a fixture below tests/fixtures/descriptions.
inline String Fixture(const std::string& Name) {
  return Utf8ToString(std::string(KP_FIXTURES_DIR) + "/descriptions/" + Name);
}

inline std::string Read_Bytes(const String& FileName) {
  std::ifstream in(std::filesystem::path(StringToUtf8(FileName)), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void Write_Bytes(const String& FileName, const std::string& Bytes) {
  std::ofstream out(std::filesystem::path(StringToUtf8(FileName)), std::ios::binary);
  out << Bytes;
}

// A fresh folder for the running test, removed with everything in it when the object goes.
class TScratch {
 public:
  TScratch() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    FPath = std::filesystem::temp_directory_path() /
            ("kp_descriptions_" + name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
  }
  ~TScratch() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  String Path(const std::string& Name) const { return Utf8ToString((FPath / Name).string()); }

 private:
  std::filesystem::path FPath;
};

}  // namespace desc_test
