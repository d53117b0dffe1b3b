// Files for the description tests: a scratch folder per test and the fixtures of the folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/rtl/System.h"
#include "tests/TempFolder.h"

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
  String Path(const std::string& Name) const { return FFolder.File(Name); }

 private:
  TTempFolder FFolder{"kp_descriptions"};
};

}  // namespace desc_test
