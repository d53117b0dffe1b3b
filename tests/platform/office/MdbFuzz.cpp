// Fuzz entry point of the database reader: bytes as a database file, every record of the seed's
// table (and of a table T), and a query with conditions of each kind the reader tests or mends.
// The program reads a database in a process of its own, so that what mdbtools does with a damaged
// file ends as an error; the replay of the corpus takes that way. A fuzzing build tries each query
// in a child process first, as the program does: bytes that mdbtools crashes on (it reads a file
// without checking it) end there as the program's error would. Only bytes the child survived are
// read again in this process, where the fuzzer sees each new path of our reader and the sanitizer
// each fault in it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/office/Database.h"

#ifdef KP_FUZZING
#include <cerrno>
#include <csignal>

#include <sanitizer/common_interface_defs.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The processor time the child may take: below the fuzzer's time-out, so mdbtools looping on a
// damaged file ends as the program ends it rather than as a hang of the fuzzer.
constexpr rlim_t ChildCpuSeconds = 10;

// Whether the query on these bytes runs to its result or its error in a child process.
bool ReaderSurvives(const std::string& Bytes, const char16_t* Query) {
  const pid_t Pid = fork();
  if (Pid < 0) return false;
  if (Pid == 0) {
    // A crash in the child is the program's error, not a finding: the fuzzer's handler, inherited
    // from this process, would write the input out as one.
    __sanitizer_set_death_callback(nullptr);
    // mdbtools' crashes are nearly all bad pointers: they end the child at once, without the
    // sanitizer's report, whose symbol look-ups would take far longer than the read.
    signal(SIGSEGV, SIG_DFL);
    signal(SIGBUS, SIG_DFL);
    const rlimit Cpu{ChildCpuSeconds, ChildCpuSeconds + 1};
    setrlimit(RLIMIT_CPU, &Cpu);
    std::vector<String> Names;
    std::vector<std::vector<std::string>> Records;
    try {
      office::QueryDatabaseBytesHere(Bytes, Query, Names, Records);
    } catch (const Exception&) {
    }
    _exit(0);
  }
  int Status = 0;
  while (waitpid(Pid, &Status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
}

}  // namespace
#endif

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
      if (ReaderSurvives(Bytes, Q)) office::QueryDatabaseBytesHere(Bytes, Q, Names, Records);
#else
      office::QueryDatabaseBytes(Bytes, Q, Names, Records);
#endif
    } catch (const Exception&) {
    }
  }
  return 0;
}
