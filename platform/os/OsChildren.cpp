#include "platform/os/OsChildren.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <mutex>

#include "platform/os/Clock.h"

extern char** environ;

namespace oschildren {

namespace {

std::mutex& AdoptedMutex() {
  static std::mutex m;
  return m;
}
std::vector<pid_t>& Adopted() {
  static std::vector<pid_t> v;
  return v;
}

}  // namespace

pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, int& err) {
  ReapAdopted();
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 2);
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  // glibc's posix_spawn reports a failed exec (missing file, no right to run it) as its result.
  err = posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
  if (err != 0) return -1;
  return pid;
}

bool WaitChild(pid_t pid, unsigned timeoutMs, int& exitCode) {
  constexpr Cardinal kPollMs = 10;
  const UInt64 start = GetTickCount64();
  for (;;) {
    int status = 0;
    const pid_t r = waitpid(pid, &status, WNOHANG);
    const bool ended = r == pid || (r == -1 && errno != EINTR);
    if (ended) {
      if (r != pid) {
        exitCode = -1;  // someone else reaped it; its code is unknown
      } else if (WIFEXITED(status)) {
        exitCode = WEXITSTATUS(status);
      } else if (WIFSIGNALED(status)) {
        exitCode = 128 + WTERMSIG(status);
      } else {
        exitCode = -1;
      }
    } else if (GetTickCount64() - start >= timeoutMs) {
      Adopt(pid);
      return false;
    }
    Sleep(kPollMs);
    if (ended) return true;
  }
}

void Adopt(pid_t pid) {
  {
    std::lock_guard<std::mutex> lock(AdoptedMutex());
    Adopted().push_back(pid);
  }
  ReapAdopted();
}

void ReapAdopted() {
  std::lock_guard<std::mutex> lock(AdoptedMutex());
  std::vector<pid_t>& v = Adopted();
  v.erase(std::remove_if(v.begin(), v.end(),
                         [](pid_t pid) {
                           int status = 0;
                           const pid_t r = waitpid(pid, &status, WNOHANG);
                           return r == pid || (r == -1 && errno == ECHILD);
                         }),
          v.end());
}

}  // namespace oschildren
