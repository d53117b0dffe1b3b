// Runs the system's XML checker on a written file, so tests can show that other programs read what
// the configurator writes. Without the checker installed every file counts as accepted.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/rtl/System.h"

inline bool Xmllint_Accepts(const String& FileName) {
  if (!std::filesystem::exists("/usr/bin/xmllint")) return true;
  const std::string command = "/usr/bin/xmllint --noout '" + StringToUtf8(FileName) + "' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}
