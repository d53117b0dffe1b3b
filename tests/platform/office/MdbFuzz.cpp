// Fuzz entry point of the database reader: bytes as a database file, every record of its table T.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/office/Database.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::vector<String> Names;
  std::vector<std::vector<std::string>> Records;
  try {
    office::QueryDatabaseBytes(std::string(reinterpret_cast<const char*>(Data), Size), u"SELECT * FROM T", Names,
                               Records);
  } catch (const Exception&) {
  }
  return 0;
}
