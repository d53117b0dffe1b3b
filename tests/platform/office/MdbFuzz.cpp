// Fuzz entry point of the database reader: bytes as a database file, every record of the seed's
// table (and of a table T), and a query with conditions of each kind the reader tests or mends.
// The program reads a database in a process of its own, so that what mdbtools does with a damaged
// file ends as an error; the replay of the corpus takes that way. A fuzzing build reads in this
// process, where the fuzzer sees each crash and each new path.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/office/Database.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const char16_t* const Conditions =
      u"SELECT Comment, ID, LastVisit FROM Monitor_Authenticate WHERE ID = 1 AND Graph_Day = -1 AND "
      u"LastVisit < '2000-06-18' OR Comment LIKE 'E%'";
  static const char16_t* const Queries[] = {u"SELECT * FROM Monitor_Authenticate", Conditions, u"SELECT * FROM T"};
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  for (const char16_t* Q : Queries) {
    std::vector<String> Names;
    std::vector<std::vector<std::string>> Records;
    try {
#ifdef KP_FUZZING
      office::QueryDatabaseBytesHere(Bytes, Q, Names, Records);
#else
      office::QueryDatabaseBytes(Bytes, Q, Names, Records);
#endif
    } catch (const Exception&) {
    }
  }
  return 0;
}
