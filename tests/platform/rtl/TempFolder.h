// The rtl tests' temporary folder (tests/TempFolder.h) and their fixtures.
#pragma once

#include <string>

#include "platform/rtl/SysUtils.h"
#include "tests/TempFolder.h"

inline String FixturePath(const char* Name) {
  return Utf8ToString(std::string(KP_FIXTURES_DIR) + "/platform/rtl/" + Name);
}
