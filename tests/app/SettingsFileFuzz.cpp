// Fuzz entry point of the settings file reader: any bytes give settings, never a crash or an
// exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TSettings s = Read_Settings_Bytes(std::string(reinterpret_cast<const char*>(data), size));
  (void)s;
  return 0;
}
